#include "rangeart.h"

#include "buttonart.h"
#include "frameart.h"
#include "glyphs.h"

namespace tarnivo::skingen {

namespace {

// Every picture here is drawn at `k` times its size (k = 2 for the 200 %
// pictures): lengths, radii and lines times k, so edges stay crisp.

Bitmap progress_frame(const SkinPalette& p, bool filled, int k)
{
    const int w = 24 * k, h = 10 * k;
    Canvas c(w, h);
    const Coverage body = rounded_rect(0, 0, w, h, Radii::all(3 * k));
    const Coverage edge = rounded_outline(0, 0, w, h, Radii::all(3 * k), k);
    if (filled) {
        c.draw(body, vertical_gradient(p.progress_top, p.progress_bottom, k, h - 2 * k));
        c.draw(edge, solid(p.progress_fill_border));
    } else {
        c.draw(body, solid(p.progress_track));
        c.draw(edge, solid(p.progress_border));
    }
    return c.over_backdrop(solid(p.face));
}

void add_progress(SkinOutput& out, const SkinPalette& p)
{
    out.ini.section("Progress")
        .note("Style 0: frame 1 the empty track, frame 2 the filled part.")
        .set("Bitmap", add_both(out, "progress.bmp",
                                [&](int k) {
                                    return join_frames({progress_frame(p, false, k), progress_frame(p, true, k)},
                                                       FrameLayout::SideBySide);
                                }))
        .set("Style", 0)
        .margins(4, 3, 4, 3)
        .set("Trans", 1)
        .set("Tile", 0);
    if (p.completeness == Completeness::Full) {
        auto chunk = [&](int k) {
            Canvas c(8 * k, 10 * k);
            c.draw(rounded_rect(k, 2 * k, 7 * k, 8 * k, Radii::all(1.5 * k)),
                   vertical_gradient(p.progress_top, p.progress_bottom, 2 * k, 8 * k - 1));
            return c.over_backdrop(solid(p.progress_track));
        };
        out.ini.section("Progress.Chunk")
            .note("Used only when [Progress] Style is 1.")
            .set("Image", add_both(out, "progresschunk.bmp", chunk))
            .set("Frame", 1)
            .set("Trans", 1)
            .set("Tile", 1);
    }
}

enum class Thumb { Normal, Disabled, Hot, Pressed };
enum class Tip { None, Down };

// A track-bar thumb standing upright (11 x 21): a rounded pill, or a pointer
// whose tip is at the bottom. The other orientations are turned from it.
Bitmap upright_thumb(const SkinPalette& p, Thumb state, Tip tip, int k)
{
    const int w = 11 * k, h = 21 * k;
    Canvas c(w, h);
    Rgb top = p.thumb_top, bottom = p.thumb_bottom, border = p.thumb_border;
    if (state == Thumb::Hot) {
        top = mix(top, hex(0xffffff), 0.2);
        bottom = mix(bottom, hex(0xffffff), 0.15);
    } else if (state == Thumb::Pressed) {
        top = bottom = p.accent_deep;
    } else if (state == Thumb::Disabled) {
        top = bottom = p.box_disabled_fill;
        border = p.box_disabled_border;
    }
    Coverage outer, inner;
    if (tip == Tip::None) {
        outer = rounded_rect(0, 0, w, h, Radii::all(4 * k));
        inner = rounded_rect(k, k, w - k, h - k, Radii::all(3 * k));
    } else {
        outer = polygon({{0, 0}, {w, 0}, {w, 15 * k}, {w / 2.0, h}, {0, 15 * k}});
        inner = polygon({{k, k}, {w - k, k}, {w - k, 14.6 * k}, {w / 2.0, h - 1.4 * k}, {k, 14.6 * k}});
    }
    c.draw(outer, solid(border));
    c.draw(inner, vertical_gradient(top, bottom, k, h - 2 * k));
    return c.over_backdrop(solid(p.face));
}

Bitmap thumb_strip(const SkinPalette& p, Tip tip, Bitmap (Bitmap::*turn)() const, int k)
{
    // Frame 2 is the one the painter draws; 1 repeats it so either reads right.
    std::vector<Bitmap> frames;
    for (Thumb state : {Thumb::Normal, Thumb::Normal, Thumb::Disabled, Thumb::Hot, Thumb::Pressed}) {
        Bitmap b = upright_thumb(p, state, tip, k);
        frames.push_back(turn ? (b.*turn)() : b);
    }
    return join_frames(frames, FrameLayout::SideBySide);
}

// A thumb strip for 96 DPI and the same drawn for 200 %.
void add_thumb(SkinOutput& out, const SkinPalette& p, const char* section, const char* file, Tip tip,
               Bitmap (Bitmap::*turn)() const)
{
    const std::string name = add_both(out, file, [&](int k) { return thumb_strip(p, tip, turn, k); });
    out.ini.section(section).set("Image", name).set("Trans", 1);
}

void add_trackbar(SkinOutput& out, const SkinPalette& p)
{
    out.ini.section("Trackbar.ThumbHorz").note("Thumbs: frame 2 is drawn; 3 disabled, 4 hot, 5 pressed.");
    add_thumb(out, p, "Trackbar.ThumbHorz", "thumbhorz.bmp", Tip::None, nullptr);
    add_thumb(out, p, "Trackbar.ThumbVert", "thumbvert.bmp", Tip::None, &Bitmap::rotated_clockwise);
    if (p.completeness == Completeness::Full) {
        add_thumb(out, p, "Trackbar.ThumbDown", "thumbdown.bmp", Tip::Down, nullptr);
        add_thumb(out, p, "Trackbar.ThumbUp", "thumbup.bmp", Tip::Down, &Bitmap::flipped_vertically);
        add_thumb(out, p, "Trackbar.ThumbLeft", "thumbleft.bmp", Tip::Down, &Bitmap::rotated_clockwise);
        add_thumb(out, p, "Trackbar.ThumbRight", "thumbright.bmp", Tip::Down, &Bitmap::rotated_counter_clockwise);

        out.ini.section("Track")
            .set("Image", add_both(out, "track.bmp",
                                   [&](int k) { return track_channel(p.channel, p.channel_border, p.face, k); }))
            .set("Frame", 1)
            .set("LeftWidth", 3)
            .set("RightWidth", 3)
            .set("Trans", 1);
        out.ini.section("TRACKVERT")
            .set("Image", add_both(out, "trackvert.bmp", [&](int k) {
                return track_channel_vertical(p.channel, p.channel_border, p.face, k);
            }))
            .set("Frame", 1)
            .set("TopHeight", 3)
            .set("BottomHeight", 3)
            .set("Trans", 1);
    }
}

enum class Half { First, Second };
enum class Spin { Normal, Pressed, Hot, Disabled };

// One half of a vertical up-down (16 x 11): rounded on its outer side.
Bitmap spin_half(const SkinPalette& p, Half half, Spin state)
{
    constexpr int w = 16, h = 11;
    Canvas c(w, h);
    const Radii r = half == Half::First ? Radii::top(3) : Radii::bottom(3);
    Paint fill = vertical_gradient(p.button_top, p.button_bottom, 0, h - 1);
    Rgb border = p.button_border;
    if (state == Spin::Pressed) {
        fill = solid(p.button_pressed);
        border = p.accent_deep;
    } else if (state == Spin::Hot) {
        fill = vertical_gradient(p.button_hot_top, p.button_hot_bottom, 0, h - 1);
    } else if (state == Spin::Disabled) {
        fill = solid(p.button_disabled);
        border = p.button_disabled_border;
    }
    c.draw(rounded_rect(0, 0, w, h, r), fill);
    c.draw(rounded_outline(0, 0, w, h, r, 1), solid(border));
    return c.over_backdrop(solid(p.face));
}

Rgb spin_centre(const SkinPalette& p, Spin state)
{
    switch (state) {
    case Spin::Pressed:
        return p.button_pressed;
    case Spin::Hot:
        return mix(p.button_hot_top, p.button_hot_bottom, 0.5);
    case Spin::Disabled:
        return p.button_disabled;
    case Spin::Normal:
        break;
    }
    return mix(p.button_top, p.button_bottom, 0.5);
}

Bitmap spin_glyph(const SkinPalette& p, Direction d, Spin state)
{
    constexpr int w = 9, h = 5;
    Canvas c(w, h);
    const Rgb ink = state == Spin::Disabled ? p.arrow_disabled : p.button_text;
    c.draw(chevron(GlyphBox{1, -1.5, 7}, d, 1.4, 0.45), solid(ink));
    return c.over_backdrop(solid(spin_centre(p, state)));
}

void add_updown(SkinOutput& out, const SkinPalette& p)
{
    constexpr Spin states[] = {Spin::Normal, Spin::Pressed, Spin::Hot, Spin::Disabled};
    std::vector<Bitmap> faces, glyphs;
    for (Half half : {Half::First, Half::Second}) {
        for (Spin s : states) {
            faces.push_back(spin_half(p, half, s));
            glyphs.push_back(spin_glyph(p, half == Half::First ? Direction::Up : Direction::Down, s));
        }
    }
    std::vector<Bitmap> side_faces, side_glyphs;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        // Turning the upper half counter-clockwise gives the left half.
        side_faces.push_back(faces[i].rotated_counter_clockwise());
        side_glyphs.push_back(glyphs[i].rotated_counter_clockwise());
    }
    out.ini.section("UpDown.Vert")
        .note("Frames 1-4 upper half, 5-8 lower half: normal, pressed, hot, disabled.")
        .set("Image", out.add_image("updownvert.bmp", join_frames(faces, FrameLayout::SideBySide)))
        .set("GlyphImage", out.add_image("updownvertglyph.bmp", join_frames(glyphs, FrameLayout::SideBySide)))
        .set("Trans", 1);
    out.ini.section("UpDown.Horz")
        .note("Frames 1-4 left half, 5-8 right half: normal, pressed, hot, disabled.")
        .set("Image", out.add_image("updownhorz.bmp", join_frames(side_faces, FrameLayout::SideBySide)))
        .set("GlyphImage", out.add_image("updownhorzglyph.bmp", join_frames(side_glyphs, FrameLayout::SideBySide)))
        .set("Trans", 1);
}

} // namespace

Bitmap track_channel(Rgb fill, Rgb border, Rgb backdrop, int k)
{
    Canvas c(16 * k, 4 * k);
    c.draw(rounded_rect(0, 0, 16 * k, 4 * k, Radii::all(2 * k)), solid(fill));
    c.draw(rounded_outline(0, 0, 16 * k, 4 * k, Radii::all(2 * k), k), solid(border));
    return c.over_backdrop(solid(backdrop));
}

Bitmap track_channel_vertical(Rgb fill, Rgb border, Rgb backdrop, int k)
{
    return track_channel(fill, border, backdrop, k).rotated_clockwise();
}

void add_ranges(SkinOutput& out, const SkinPalette& p)
{
    add_progress(out, p);
    add_trackbar(out, p);
    add_updown(out, p);
}

} // namespace tarnivo::skingen
