#include "scrollbarart.h"

#include "frameart.h"
#include "glyphs.h"

#include <functional>
#include <string>

namespace tarnivo::skingen {

namespace {

constexpr int kT = kScrollThickness;
constexpr int kThumbLength = 24;
constexpr int kThumbCap = 7; // unscaled ends of the thumb, past its rounding

enum class Part { Normal, Pressed, Disabled, Hot };

// Every picture here is drawn at `k` times its size (k = 2 for the 200 %
// pictures): lengths, radii and strokes times k, so lines stay crisp.

// An arrow cell. Opaque in the track colour: the arrows sit at the bar's ends
// where no track is drawn, so the bar reads as one piece.
Bitmap arrow(const SkinPalette& p, Direction d, Part part, int k)
{
    const int t = kT * k;
    Canvas c(t, t);
    Rgb ink = p.arrow;
    if (part == Part::Hot) {
        c.draw(rounded_rect(2 * k, 2 * k, t - 2 * k, t - 2 * k, Radii::all(3 * k)), solid(p.arrow_plate_hot));
        ink = p.arrow_hot;
    } else if (part == Part::Pressed) {
        c.draw(rounded_rect(2 * k, 2 * k, t - 2 * k, t - 2 * k, Radii::all(3 * k)), solid(p.thumb_pressed));
        ink = hex(0xffffff);
    } else if (part == Part::Disabled) {
        ink = p.arrow_disabled;
    }
    c.draw(chevron(GlyphBox{5.0 * k, 5.0 * k, 7.0 * k}, d, 1.5 * k), solid(ink));
    return c.opaque(solid(p.track));
}

Rgb thumb_colour(const SkinPalette& p, Part part)
{
    switch (part) {
    case Part::Pressed:
        return p.thumb_pressed;
    case Part::Hot:
        return p.thumb_hot;
    default:
        return p.thumb;
    }
}

// A rounded thumb inset from the bar's sides, on the track colour.
Bitmap vertical_thumb(const SkinPalette& p, Part part, int k)
{
    const int t = kT * k, length = kThumbLength * k;
    Canvas c(t, length);
    c.draw(rounded_rect(4 * k, k, t - 4 * k, length - k, Radii::all(4.5 * k)), solid(thumb_colour(p, part)));
    return c.over_backdrop(solid(p.track));
}

// Three short ridges in the middle of the thumb; transparent around them.
Bitmap vertical_grip(const SkinPalette& p, Part part, int k)
{
    const int t = kT * k;
    Canvas c(t, t);
    const Rgb under = thumb_colour(p, part);
    const Rgb ridge = part == Part::Pressed ? mix(under, hex(0xffffff), 0.45) : mix(under, p.track, 0.55);
    for (int y : {6, 8, 10})
        c.fill_rect(6 * k, y * k, t - 6 * k, (y + 1) * k, ridge);
    return c.over_backdrop(solid(under));
}

Bitmap vertical_track(const SkinPalette& p, Part part, int k)
{
    Bitmap b(kT * k, 16 * k, part == Part::Disabled ? p.track_disabled : p.track);
    return b;
}

Bitmap arrow_strip(const SkinPalette& p, int k)
{
    std::vector<Bitmap> frames;
    for (Direction d : {Direction::Left, Direction::Right, Direction::Up, Direction::Down})
        for (Part part : {Part::Normal, Part::Pressed, Part::Disabled, Part::Hot})
            frames.push_back(arrow(p, d, part, k));
    for (Part part : {Part::Normal, Part::Pressed, Part::Hot})
        frames.push_back(vertical_grip(p, part, k).rotated_clockwise());
    for (Part part : {Part::Normal, Part::Pressed, Part::Hot})
        frames.push_back(vertical_grip(p, part, k));
    frames.push_back(Bitmap(kT * k, kT * k)); // frame 23 is never drawn
    return join_frames(frames, FrameLayout::SideBySide);
}

void add_strip(SkinOutput& out, const SkinPalette& p)
{
    IniSection& s = out.ini.section("Scrollbar");
    s.note("23 frames: arrows left, right, up, down (normal, pressed, disabled, hot);");
    s.note("grips of horizontal then vertical thumbs (normal, pressed, hot); one spare.");
    s.set("Image", add_both(out, "scrollbar.bmp", [&](int k) { return arrow_strip(p, k); }));
    s.set("Trans", 1);
}

void add_tracks(SkinOutput& out, const SkinPalette& p)
{
    auto strip = [&](bool vertical, int k) {
        std::vector<Bitmap> frames;
        for (Part part : {Part::Normal, Part::Normal, Part::Disabled, Part::Normal}) {
            Bitmap t = vertical_track(p, part, k);
            frames.push_back(vertical ? t : t.rotated_clockwise());
        }
        return join_frames(frames, FrameLayout::SideBySide);
    };
    out.ini.section("HorzScroll")
        .note("Track: frame 1 enabled, frame 3 disabled.")
        .set("Image", add_both(out, "horzscroll.bmp", [&](int k) { return strip(false, k); }))
        .set("Tile", 0);
    out.ini.section("VertScroll")
        .note("Track: frame 1 enabled, frame 3 disabled.")
        .set("Image", add_both(out, "vertscroll.bmp", [&](int k) { return strip(true, k); }))
        .set("Tile", 0);
}

void add_thumbs(SkinOutput& out, const SkinPalette& p)
{
    auto thumbs = [&](bool vertical, int k) {
        std::vector<Bitmap> frames;
        for (Part part : {Part::Normal, Part::Pressed, Part::Hot}) {
            Bitmap t = vertical_thumb(p, part, k);
            frames.push_back(vertical ? t : t.rotated_clockwise());
        }
        return join_frames(frames, FrameLayout::SideBySide);
    };
    out.ini.section("HorzScrollThumb")
        .note("Thumb: 1 normal, 2 pressed, 3 hot.")
        .set("Image", add_both(out, "horzthumb.bmp", [&](int k) { return thumbs(false, k); }))
        .set("FrameCount", 3)
        .set("LeftWidth", kThumbCap)
        .set("RightWidth", kThumbCap)
        .set("Trans", 1);
    out.ini.section("VertScrollThumb")
        .note("Thumb: 1 normal, 2 pressed, 3 hot.")
        .set("Image", add_both(out, "vertthumb.bmp", [&](int k) { return thumbs(true, k); }))
        .set("FrameCount", 3)
        .set("TopHeight", kThumbCap)
        .set("BottomHeight", kThumbCap)
        .set("Trans", 1);
}

} // namespace

void add_scrollbars(SkinOutput& out, const SkinPalette& p)
{
    add_strip(out, p);
    add_tracks(out, p);
    add_thumbs(out, p);
}

} // namespace tarnivo::skingen
