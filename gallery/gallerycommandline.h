#pragma once
// SkinGallery's command line:
//
//     SkinGallery.exe [SKINFILE] [--screenshots DIR] [--all-skins]
//
// SKINFILE is a skin to start with (added to the Skin menu after the skins
// built with the project). --screenshots DIR saves a picture of every window
// as DIR\gallery-<skin>-<window>.bmp, writes DIR\gallery-index.txt and ends
// the program; with --all-skins it does so for every skin in the menu in
// turn, otherwise for the starting skin only.

#include <string>
#include <vector>

namespace tarnivo::gallery {

struct TGalleryOptions {
    std::string SkinFile;
    std::string ScreenshotDir;   // empty: interactive
    bool AllSkins = false;
};

// Parses the arguments after the program name. Answers false with a
// one-line reason in `error` for an unknown switch, a switch without its
// value, or more than one skin file.
bool ParseGalleryArguments(const std::vector<std::string>& args, TGalleryOptions& options,
                           std::string& error);

} // namespace tarnivo::gallery
