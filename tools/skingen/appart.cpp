#include "appart.h"

#include "bmpfile.h"
#include "fileio.h"
#include "glyphs.h"
#include "icofile.h"
#include "palette.h"
#include "rangeart.h"

#include <cmath>
#include <functional>
#include <numbers>

namespace tarnivo::skingen {

namespace {

using Points = std::vector<std::pair<double, double>>;

// The launcher's mark: a lightning bolt, in unit coordinates.
Points bolt(double x, double y, double size)
{
    const Points unit = {{0.50, 0.04}, {0.76, 0.04}, {0.61, 0.38}, {0.81, 0.38},
                         {0.32, 0.96}, {0.45, 0.55}, {0.23, 0.55}};
    Points out;
    for (auto [u, v] : unit)
        out.emplace_back(x + u * size, y + v * size);
    return out;
}

enum class Tile { Slate, Accent };

// A rounded tile with the bolt on it, the whole canvas wide.
Canvas launcher_mark(int n, Tile tile)
{
    const SkinPalette slate = slate_palette();
    Canvas c(n, n);
    const double inset = n >= 32 ? n / 24.0 : 0;
    const double radius = n * 0.22;
    const Coverage body = rounded_rect(inset, inset, n - inset, n - inset, Radii::all(radius));
    if (tile == Tile::Slate) {
        c.draw(body, vertical_gradient(hex(0x4c566a), slate.title_bottom, 0, n - 1));
        c.draw(rounded_outline(inset, inset, n - inset, n - inset, Radii::all(radius), 1), solid(hex(0x1f232b)), 0.7);
    } else {
        c.draw(body, vertical_gradient(hex(0x7396c2), slate.accent, 0, n - 1));
        c.draw(rounded_outline(inset, inset, n - inset, n - inset, Radii::all(radius), 1), solid(hex(0x3d5a80)), 0.8);
    }
    const double margin = inset + n * (n >= 32 ? 0.08 : 0.05);
    const Coverage mark = polygon(bolt(margin, margin, n - 2 * margin));
    if (tile == Tile::Slate)
        c.draw(mark, vertical_gradient(hex(0xb3e3ee), hex(0x7199cc), static_cast<int>(margin),
                                       n - static_cast<int>(margin)));
    else
        c.draw(mark, solid(hex(0xffffff)));
    return c;
}

void write_icon(const std::filesystem::path& path, const std::vector<int>& sizes, Tile tile)
{
    std::vector<IconImage> images;
    for (int n : sizes)
        images.push_back({n, launcher_mark(n, tile).rgba()});
    write_file(path, encode_ico(images));
}

// ---- 16 x 16 menu images on magenta ----

// Edges are mixed with the default skin's menu colour: the program carries
// Slate, and on a light menu the dark rim reads as a fine outline.
Bitmap menu_image(const std::function<void(Canvas&)>& draw)
{
    Canvas c(16, 16);
    draw(c);
    return c.over_backdrop(solid(slate_palette().menu));
}

Bitmap launch_image()
{
    return menu_image([](Canvas& c) { c.draw(polygon(bolt(1, 1, 14)), vertical_gradient(hex(0x9fd0dc), hex(0x5e81ac), 1, 14)); });
}

Bitmap about_image()
{
    return menu_image([](Canvas& c) {
        c.draw(disc(8, 8, 7), solid(hex(0x5e81ac)));
        c.draw(disc(8, 4.6, 1.1), solid(hex(0xffffff)));
        c.draw(rounded_rect(7, 6.5, 9, 12.5, Radii::all(0.5)), solid(hex(0xffffff)));
    });
}

Bitmap find_image()
{
    return menu_image([](Canvas& c) {
        c.draw(ring(6.5, 6.5, 4.2, 1.8), solid(hex(0xd8dee9)));
        c.draw(segment(9.6, 9.6, 14, 14, 2.4), solid(hex(0xd8dee9)));
    });
}

Bitmap refresh_image()
{
    return menu_image([](Canvas& c) {
        const double pi = std::numbers::pi;
        const double cx = 7.5, cy = 8.5, r = 5, end = pi * 0.22;
        c.draw(arc(cx, cy, r, 2, end, pi * 1.8), solid(hex(0xa3be8c)));
        // Arrow head at the open end, pointing along a clockwise turn.
        const double ex = cx + r * std::cos(end), ey = cy - r * std::sin(end);
        const double dx = std::sin(end), dy = std::cos(end); // direction of travel
        const double nx = dy, ny = -dx;                       // across it
        c.draw(polygon({{ex + dx * 3.2, ey + dy * 3.2},
                        {ex - dx * 0.6 + nx * 3, ey - dy * 0.6 + ny * 3},
                        {ex - dx * 0.6 - nx * 3, ey - dy * 0.6 - ny * 3}}),
               solid(hex(0xa3be8c)));
    });
}

Bitmap exit_image()
{
    return menu_image([](Canvas& c) {
        c.draw(rounded_outline(2, 1.5, 10, 14.5, Radii::all(1), 1.6), solid(hex(0xd8dee9)));
        c.draw(segment(7, 8, 13, 8, 1.8), solid(hex(0xbf616a)));
        c.draw(polygon({{15.5, 8}, {11.5, 4.5}, {11.5, 11.5}}), solid(hex(0xbf616a)));
    });
}

Bitmap help_image()
{
    return menu_image([](Canvas& c) {
        c.draw(disc(8, 8, 7), solid(hex(0xebcb8b)));
        c.draw(help_glyph(GlyphBox{3.5, 3, 9}, 1.7), solid(hex(0x2e3440)));
    });
}

// ---- 17 x 17 decorations on the main window's face colour ----

Bitmap decoration(const std::function<void(Canvas&)>& draw)
{
    Canvas c(17, 17);
    draw(c);
    return c.opaque(solid(slate_palette().face));
}

Bitmap keyboard_deco()
{
    return decoration([](Canvas& c) {
        c.draw(rounded_rect(0.5, 3.5, 16.5, 13.5, Radii::all(2)), solid(hex(0xd8dee9)));
        c.draw(rounded_rect(1.5, 4.5, 15.5, 12.5, Radii::all(1.5)), solid(hex(0x3b4252)));
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 4; ++col)
                c.fill_rect(3 + col * 3, 6 + row * 2, 5 + col * 3, 7 + row * 2, hex(0xd8dee9));
        c.draw(rounded_rect(5, 10, 12, 11, Radii::all(0.5)), solid(hex(0x88c0d0)));
    });
}

Bitmap list_deco()
{
    return decoration([](Canvas& c) {
        for (int row = 0; row < 3; ++row) {
            const double y = 4.5 + row * 4;
            c.draw(disc(3, y, 1.6), solid(hex(0x88c0d0)));
            c.draw(segment(6.5, y, 14.5, y, 1.6), solid(hex(0xd8dee9)));
        }
    });
}

Bitmap hotkey_deco()
{
    return decoration([](Canvas& c) {
        c.draw(rounded_rect(1, 1, 16, 16, Radii::all(3.5)), solid(hex(0x2e3440)));
        c.draw(rounded_outline(1, 1, 16, 16, Radii::all(3.5), 1.2), solid(hex(0xd8dee9)));
        c.draw(polygon(bolt(3.5, 3.2, 10.5)), solid(hex(0xebcb8b)));
    });
}

Bitmap about_picture()
{
    Canvas c(49, 41);
    Canvas mark = launcher_mark(37, Tile::Slate);
    c.compose(mark, 6, 2);
    // A small spark beside the tile.
    c.draw(polygon({{44, 3}, {45, 7}, {49, 8}, {45, 9}, {44, 13}, {43, 9}, {39, 8}, {43, 7}}), solid(hex(0xebcb8b)));
    return c.opaque(solid(slate_palette().face));
}

// Window-menu glyphs (restore, minimise, maximise, close), black on white,
// for a 1-bit strip whose white is transparent.
Bitmap window_menu_glyphs()
{
    Canvas c(64, 16);
    const GlyphBox boxes[] = {{4, 4, 8}, {20, 4, 8}, {36, 4, 8}, {52, 4, 8}};
    c.draw(restore_glyph(boxes[0], 1), solid(hex(0x000000)));
    c.draw(minimise_glyph(boxes[1], 1.5), solid(hex(0x000000)));
    c.draw(maximise_glyph(boxes[2], 1), solid(hex(0x000000)));
    c.draw(close_glyph(boxes[3], 1.5), solid(hex(0x000000)));
    return c.opaque(solid(hex(0xffffff)));
}

} // namespace

void write_app_artwork(const std::filesystem::path& folder)
{
    write_icon(folder / "tarnivo.ico", {16, 32, 48}, Tile::Slate);
    write_icon(folder / "tray.ico", {16, 32}, Tile::Accent);

    write_file(folder / "menuimages.bmp",
               encode_bmp24(join_frames({launch_image(), about_image(), find_image(), refresh_image(), exit_image(),
                                         help_image()},
                                        FrameLayout::SideBySide)));
    write_file(folder / "deco1.bmp", encode_bmp24(keyboard_deco()));
    write_file(folder / "deco2.bmp", encode_bmp24(list_deco()));
    write_file(folder / "deco3.bmp", encode_bmp24(hotkey_deco()));
    write_file(folder / "about.bmp", encode_bmp24(about_picture()));

    // The built-in channels serve skins without [Track] or [TRACKVERT]; a
    // neutral light tone suits the light skins that leave them out.
    const Rgb fill = hex(0xdfe3e9), border = hex(0xa9b0bd), under = hex(0xf0f1f4);
    write_file(folder / "track.bmp", encode_bmp24(track_channel(fill, border, under)));
    write_file(folder / "trackvert.bmp", encode_bmp24(track_channel_vertical(fill, border, under)));

    write_file(folder / "orvexmenu.bmp", encode_bmp1(window_menu_glyphs()));
}

} // namespace tarnivo::skingen
