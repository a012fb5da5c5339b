#include "menuart.h"

#include "frameart.h"

namespace tarnivo::skingen {

namespace {

constexpr int kItemWidth = 24;
// Separator items are about 9 pixels high and are stretched from this height
// without scaling, so the 1 px line in row 4 survives colour-on-colour
// stretching as one row.
constexpr int kItemHeight = 10;
constexpr int kItemMargin = 4;

// Every picture here is drawn at `k` times its size (k = 2 for the 200 %
// pictures): lengths, radii and lines times k.

Bitmap transparent_item(int k) { return Bitmap(kItemWidth * k, kItemHeight * k); }

Bitmap separator(const SkinPalette& p, int k)
{
    Canvas c(kItemWidth * k, kItemHeight * k);
    c.fill_rect(2 * k, 4 * k, (kItemWidth - 2) * k, 5 * k, p.menu_separator);
    return c.over_backdrop(solid(p.menu));
}

// The selected item: a rounded plate that leaves a pixel above and below, so
// neighbouring items never touch it.
Bitmap selected(const SkinPalette& p, int k)
{
    Canvas c(kItemWidth * k, kItemHeight * k);
    c.draw(rounded_rect(2 * k, k, (kItemWidth - 2) * k, (kItemHeight - 1) * k, Radii::all(3 * k)),
           solid(p.accent_deep));
    return c.over_backdrop(solid(p.menu));
}

Bitmap item_strip(const SkinPalette& p, int k)
{
    return join_frames({transparent_item(k), separator(p, k), transparent_item(k), selected(p, k), selected(p, k)},
                       FrameLayout::SideBySide);
}

Bitmap background(const SkinPalette& p, int k)
{
    const int n = 32 * k;
    Bitmap b(n, n, p.menu);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < k; ++j) {
            b.set(i, j, p.menu_border);
            b.set(i, n - 1 - j, p.menu_border);
            b.set(j, i, p.menu_border);
            b.set(n - 1 - j, i, p.menu_border);
        }
    }
    return b;
}

} // namespace

void add_menus(SkinOutput& out, const SkinPalette& p)
{
    IniSection& item = out.ini.section("MenuItem");
    item.note("Items: 1 normal (transparent), 2 separator, 4 selected; 3 and 5 repeat 1 and 4.");
    item.set("Image", add_both(out, "menuitem.bmp", [&](int k) { return item_strip(p, k); }));
    item.margins(kItemMargin, kItemMargin, kItemMargin, kItemMargin);
    item.set("Trans", 1).set("Tile", 0);

    IniSection& bg = out.ini.section("MenuBackground");
    bg.note("Popup window: 1 px border; the popup's 3 px frame and the items sit on it.");
    bg.set("Image", add_both(out, "menubackground.bmp", [&](int k) { return background(p, k); }));
    bg.margins(4, 4, 4, 4);
    bg.set("Trans", 0).set("Tile", 0);
}

} // namespace tarnivo::skingen
