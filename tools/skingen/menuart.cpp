#include "menuart.h"

namespace tarnivo::skingen {

namespace {

constexpr int kItemWidth = 24;
// Separator items are about 9 pixels high and are stretched from this height
// without scaling, so the 1 px line in row 4 survives colour-on-colour
// stretching as one row.
constexpr int kItemHeight = 10;
constexpr int kItemMargin = 4;

Bitmap transparent_item() { return Bitmap(kItemWidth, kItemHeight); }

Bitmap separator(const SkinPalette& p)
{
    Canvas c(kItemWidth, kItemHeight);
    c.fill_rect(2, 4, kItemWidth - 2, 5, p.menu_separator);
    return c.over_backdrop(solid(p.menu));
}

// The selected item: a rounded plate that leaves a pixel above and below, so
// neighbouring items never touch it.
Bitmap selected(const SkinPalette& p)
{
    Canvas c(kItemWidth, kItemHeight);
    c.draw(rounded_rect(2, 1, kItemWidth - 2, kItemHeight - 1, Radii::all(3)), solid(p.accent_deep));
    return c.over_backdrop(solid(p.menu));
}

Bitmap background(const SkinPalette& p)
{
    Bitmap b(32, 32, p.menu);
    for (int i = 0; i < 32; ++i) {
        b.set(i, 0, p.menu_border);
        b.set(i, 31, p.menu_border);
        b.set(0, i, p.menu_border);
        b.set(31, i, p.menu_border);
    }
    return b;
}

} // namespace

void add_menus(SkinOutput& out, const SkinPalette& p)
{
    IniSection& item = out.ini.section("MenuItem");
    item.note("Items: 1 normal (transparent), 2 separator, 4 selected; 3 and 5 repeat 1 and 4.");
    item.set("Image", out.add_image("menuitem.bmp", join_frames({transparent_item(), separator(p), transparent_item(),
                                                                 selected(p), selected(p)},
                                                                FrameLayout::SideBySide)));
    item.margins(kItemMargin, kItemMargin, kItemMargin, kItemMargin);
    item.set("Trans", 1).set("Tile", 0);

    IniSection& bg = out.ini.section("MenuBackground");
    bg.note("Popup window: 1 px border; the popup's 3 px frame and the items sit on it.");
    bg.set("Image", out.add_image("menubackground.bmp", background(p)));
    bg.margins(4, 4, 4, 4);
    bg.set("Trans", 0).set("Tile", 0);
}

} // namespace tarnivo::skingen
