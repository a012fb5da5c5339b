#pragma once
// SkinGallery's command line:
//
//     SkinGallery.exe [SKINFILE] [--screenshots DIR] [--all-skins] [--menus]
//
// SKINFILE is a skin to start with (added to the Skin menu after the skins
// built with the project). A folder instead (one .ini and its bitmaps) is
// packed in memory and, when interactive, watched: every save re-skins the
// windows (gallerypreview.h). --screenshots DIR saves a picture of every window
// as DIR\gallery-<skin>-<window>.bmp, writes DIR\gallery-index.txt and ends
// the program; with --all-skins it does so for every skin in the menu in
// turn, otherwise for the starting skin only. --menus opens the menu
// showcase window and puts the gallery's icon in the notification area at
// start, as Window > Show the menus window does.

#include <string>
#include <vector>

namespace tarnivo::gallery {

struct TGalleryOptions {
    std::string SkinFile;
    std::string ScreenshotDir;   // empty: interactive
    bool AllSkins = false;
    bool Menus = false;
};

// Parses the arguments after the program name. Answers false with a
// one-line reason in `error` for an unknown switch, a switch without its
// value, or more than one skin file.
bool ParseGalleryArguments(const std::vector<std::string>& args, TGalleryOptions& options,
                           std::string& error);

} // namespace tarnivo::gallery
