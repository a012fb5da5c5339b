#include "scrollbarart.h"

#include "glyphs.h"

namespace tarnivo::skingen {

namespace {

constexpr int kT = kScrollThickness;
constexpr int kThumbLength = 24;
constexpr int kThumbCap = 7; // unscaled ends of the thumb, past its rounding

enum class Part { Normal, Pressed, Disabled, Hot };

// An arrow cell. Opaque in the track colour: the arrows sit at the bar's ends
// where no track is drawn, so the bar reads as one piece.
Bitmap arrow(const SkinPalette& p, Direction d, Part part)
{
    Canvas c(kT, kT);
    Rgb ink = p.arrow;
    if (part == Part::Hot) {
        c.draw(rounded_rect(2, 2, kT - 2, kT - 2, Radii::all(3)), solid(p.arrow_plate_hot));
        ink = p.arrow_hot;
    } else if (part == Part::Pressed) {
        c.draw(rounded_rect(2, 2, kT - 2, kT - 2, Radii::all(3)), solid(p.thumb_pressed));
        ink = hex(0xffffff);
    } else if (part == Part::Disabled) {
        ink = p.arrow_disabled;
    }
    c.draw(chevron(GlyphBox{5, 5, 7}, d, 1.5), solid(ink));
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
Bitmap vertical_thumb(const SkinPalette& p, Part part)
{
    Canvas c(kT, kThumbLength);
    c.draw(rounded_rect(4, 1, kT - 4, kThumbLength - 1, Radii::all(4.5)), solid(thumb_colour(p, part)));
    return c.over_backdrop(solid(p.track));
}

// Three short ridges in the middle of the thumb; transparent around them.
Bitmap vertical_grip(const SkinPalette& p, Part part)
{
    Canvas c(kT, kT);
    const Rgb under = thumb_colour(p, part);
    const Rgb ridge = part == Part::Pressed ? mix(under, hex(0xffffff), 0.45) : mix(under, p.track, 0.55);
    for (int y : {6, 8, 10})
        c.fill_rect(6, y, kT - 6, y + 1, ridge);
    return c.over_backdrop(solid(under));
}

Bitmap vertical_track(const SkinPalette& p, Part part)
{
    Bitmap b(kT, 16, part == Part::Disabled ? p.track_disabled : p.track);
    return b;
}

void add_strip(SkinOutput& out, const SkinPalette& p)
{
    std::vector<Bitmap> frames;
    for (Direction d : {Direction::Left, Direction::Right, Direction::Up, Direction::Down})
        for (Part part : {Part::Normal, Part::Pressed, Part::Disabled, Part::Hot})
            frames.push_back(arrow(p, d, part));
    for (Part part : {Part::Normal, Part::Pressed, Part::Hot})
        frames.push_back(vertical_grip(p, part).rotated_clockwise());
    for (Part part : {Part::Normal, Part::Pressed, Part::Hot})
        frames.push_back(vertical_grip(p, part));
    frames.push_back(Bitmap(kT, kT)); // frame 23 is never drawn
    IniSection& s = out.ini.section("Scrollbar");
    s.note("23 frames: arrows left, right, up, down (normal, pressed, disabled, hot);");
    s.note("grips of horizontal then vertical thumbs (normal, pressed, hot); one spare.");
    s.set("Image", out.add_image("scrollbar.bmp", join_frames(frames, FrameLayout::SideBySide)));
    s.set("Trans", 1);
}

void add_tracks(SkinOutput& out, const SkinPalette& p)
{
    auto strip = [&](bool vertical) {
        std::vector<Bitmap> frames;
        for (Part part : {Part::Normal, Part::Normal, Part::Disabled, Part::Normal}) {
            Bitmap t = vertical_track(p, part);
            frames.push_back(vertical ? t : t.rotated_clockwise());
        }
        return join_frames(frames, FrameLayout::SideBySide);
    };
    out.ini.section("HorzScroll")
        .note("Track: frame 1 enabled, frame 3 disabled.")
        .set("Image", out.add_image("horzscroll.bmp", strip(false)))
        .set("Tile", 0);
    out.ini.section("VertScroll")
        .note("Track: frame 1 enabled, frame 3 disabled.")
        .set("Image", out.add_image("vertscroll.bmp", strip(true)))
        .set("Tile", 0);
}

void add_thumbs(SkinOutput& out, const SkinPalette& p)
{
    std::vector<Bitmap> vertical, horizontal;
    for (Part part : {Part::Normal, Part::Pressed, Part::Hot}) {
        vertical.push_back(vertical_thumb(p, part));
        horizontal.push_back(vertical_thumb(p, part).rotated_clockwise());
    }
    out.ini.section("HorzScrollThumb")
        .note("Thumb: 1 normal, 2 pressed, 3 hot.")
        .set("Image", out.add_image("horzthumb.bmp", join_frames(horizontal, FrameLayout::SideBySide)))
        .set("FrameCount", 3)
        .set("LeftWidth", kThumbCap)
        .set("RightWidth", kThumbCap)
        .set("Trans", 1);
    out.ini.section("VertScrollThumb")
        .note("Thumb: 1 normal, 2 pressed, 3 hot.")
        .set("Image", out.add_image("vertthumb.bmp", join_frames(vertical, FrameLayout::SideBySide)))
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
