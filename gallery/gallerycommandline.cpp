#include "gallerycommandline.h"

namespace tarnivo::gallery {

bool ParseGalleryArguments(const std::vector<std::string>& args, TGalleryOptions& options,
                           std::string& error)
{
    TGalleryOptions parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--screenshots") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                error = "--screenshots needs a folder";
                return false;
            }
            parsed.ScreenshotDir = args[++i];
        } else if (arg == "--all-skins") {
            parsed.AllSkins = true;
        } else if (arg == "--menus") {
            parsed.Menus = true;
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            error = "unknown switch " + arg;
            return false;
        } else if (arg.empty()) {
            error = "an empty skin file name";
            return false;
        } else if (!parsed.SkinFile.empty()) {
            error = "more than one skin file: " + parsed.SkinFile + " and " + arg;
            return false;
        } else {
            parsed.SkinFile = arg;
        }
    }
    options = parsed;
    return true;
}

} // namespace tarnivo::gallery
