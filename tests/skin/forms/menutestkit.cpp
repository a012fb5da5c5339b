#include "menutestkit.h"

#include <sstream>

namespace tarnivo::test {

namespace {

std::string Colour(TColor c)
{
    std::ostringstream text;
    text << (c & 0xFF) << ' ' << ((c >> 8) & 0xFF) << ' ' << ((c >> 16) & 0xFF);
    return text.str();
}

void InsertAfter(std::string& text, const std::string& marker, const std::string& insert)
{
    const auto at = text.find(marker);
    text.insert(at + marker.size(), insert);
}

} // namespace

bool LoadMenuSkin(TSkinData& data, bool withBar, bool withItem)
{
    const FrameSkinOptions options;
    std::string ini = FrameSkinIni(options);
    Files files = FrameSkinFiles(options);
    if (withBar) {
        InsertAfter(ini, "[Personality]\n",
                    "menuBar=menubar.bmp\nTileMenu=1\nTileLeftMenu=" +
                        std::to_string(kBarLeftMargin) + "\nTileRightMenu=" +
                        std::to_string(kBarRightMargin) + "\n");
        files.push_back({"menubar.bmp", Bmp(30, 40, [](int, int y) {
                             return y < 20 ? kBarActive : kBarInactive;
                         })});
    }
    InsertAfter(ini, "[Colours]\n",
                "MenuBarText=" + Colour(kBarText) + "\nButtonHilight=" + Colour(kHotFrame) +
                    "\nButtonShadow=" + Colour(kShadow) + "\nMenuText=" + Colour(kMenuText) +
                    "\nMenu=" + Colour(kMenuBg) + "\nHilightText=" + Colour(kHilightText) +
                    "\nHilight=" + Colour(kHilight) + "\n");
    if (withItem) {
        ini += "[MenuItem]\nImage=menuitem.bmp\nLeftWidth=" + std::to_string(kItemMargin) +
               "\nRightWidth=" + std::to_string(kItemMargin) + "\nTopHeight=0\nBottomHeight=0\n";
        files.push_back({"menuitem.bmp", Bmp(100, 12, [](int x, int y) {
                             const int frame = x / 20 + 1;
                             if (frame == 2 && y < 6)
                                 return kMagenta;
                             return kItemFrame[frame];
                         })});
    }
    return LoadSkin(data, ini, files);
}

} // namespace tarnivo::test
