#include "captionbuttons.h"

#include "frameart.h"
#include "glyphs.h"

#include <cmath>
#include <functional>
#include <string>

namespace tarnivo::skingen {

namespace {

enum class ButtonState { Normal, Pressed, Hot, Inactive };
enum class Danger { No, Yes }; // the close button turns red when hot

// The glyph in its box, its strokes `k` times as wide (k = 2 at 200 %).
using GlyphMaker = std::function<Coverage(GlyphBox box, double k)>;

// One state of a caption button. Every frame is opaque: the engine repaints a
// single button straight onto the title bar when the mouse moves, so a frame
// must cover whatever the previous state left there.
Bitmap button_frame(const SkinPalette& p, int size, const Paint& backdrop, const GlyphMaker& glyph,
                    ButtonState state, Danger danger, int k = 1)
{
    Canvas c(size, size);
    const bool red = danger == Danger::Yes;
    Rgb ink = p.glyph;
    const Coverage plate = rounded_rect(0, 0, size, size, Radii::all(3 * k));
    double drop = 0;
    switch (state) {
    case ButtonState::Normal:
        break;
    case ButtonState::Inactive:
        ink = p.glyph_inactive;
        break;
    case ButtonState::Hot:
        c.draw(plate, solid(red ? p.close_hot : p.plate_hot), red ? 1.0 : p.plate_hot_opacity);
        ink = red ? hex(0xffffff) : p.glyph_hot;
        break;
    case ButtonState::Pressed:
        c.draw(plate, solid(red ? p.close_pressed : p.plate_pressed));
        ink = red ? hex(0xffffff) : p.glyph_hot;
        drop = k; // pressed looks push down by one pixel (at 96 DPI)
        break;
    }
    const double inset = size * 0.28;
    const double box = std::round(size - 2 * inset);
    const double origin = std::floor((size - box) / 2);
    c.draw(glyph(GlyphBox{origin, origin + drop, box}, k), solid(ink));
    return c.opaque(backdrop);
}

Paint shifted(Paint paint, int dy)
{
    return [paint = std::move(paint), dy](int x, int y) { return paint(x, y + dy); };
}

Bitmap caption_strip(const SkinPalette& p, const GlyphMaker& glyph, Danger danger, int frames, int k)
{
    const int n = kCaptionButtonSize * k;
    const Paint active = shifted(title_backdrop(p, WindowLook::Active, k), kCaptionButtonTop * k);
    const Paint inactive = shifted(title_backdrop(p, WindowLook::Inactive, k), kCaptionButtonTop * k);
    std::vector<Bitmap> states = {button_frame(p, n, active, glyph, ButtonState::Normal, danger, k),
                                  button_frame(p, n, active, glyph, ButtonState::Pressed, danger, k),
                                  button_frame(p, n, active, glyph, ButtonState::Hot, danger, k)};
    if (frames == 4)
        states.push_back(button_frame(p, n, inactive, glyph, ButtonState::Inactive, danger, k));
    return join_frames(states, FrameLayout::SideBySide);
}

struct CaptionButton {
    const char* section;
    const char* file;
    int action;
    int xcoord;
    int visibility;
    int visibility1;
    GlyphMaker glyph;
    Danger danger;
};

// Right-aligned buttons: Xcoord is the distance of the left edge from the
// window's right edge (4 px border, 4 px margin, 2 px between buttons).
std::vector<CaptionButton> caption_buttons()
{
    return {
        {"BUTTON.CLOSE", "btnclose.bmp", 0, 26, 0, 0, [](GlyphBox b, double k) { return close_glyph(b, 1.4 * k); }, Danger::Yes},
        // Maximise shows while the window is not maximised, restore while it is;
        // both only for windows with a minimise or maximise box.
        {"BUTTON.MAX", "btnmax.bmp", 1, 46, 2, 6, [](GlyphBox b, double k) { return maximise_glyph(b, k); }, Danger::No},
        {"BUTTON.RESTORE", "btnrestore.bmp", 1, 46, 1, 6, [](GlyphBox b, double k) { return restore_glyph(b, k); },
         Danger::No},
        {"BUTTON.MIN", "btnmin.bmp", 2, 66, 6, 0, [](GlyphBox b, double k) { return minimise_glyph(b, k); }, Danger::No},
        // Help posts WM_SKINBUTTONCLICK (20) and shows only on windows that answer
        // WM_SKINBUTTONQUERY with a positive value.
        {"BUTTON.HELP", "btnhelp.bmp", 20, 86, 1000, 0, [](GlyphBox b, double k) { return help_glyph(b, 1.3 * k); }, Danger::No},
    };
}

void add_title_buttons(SkinOutput& out, const SkinPalette& p)
{
    for (const CaptionButton& b : caption_buttons()) {
        IniSection& s = out.ini.section(b.section);
        // Paper's help button has three frames and no "frame" key: the engine
        // derives the count from the image's shape (54 x 18: 3 frames).
        const bool by_shape = p.completeness == Completeness::Trimmed && b.action == 20;
        const int frames = by_shape ? 3 : 4;
        s.set("ButtonImage", out.add_image(b.file, caption_strip(p, b.glyph, b.danger, frames, 1)));
        // Drawn again for 200 % (see kDrawn200): glyph strokes twice as wide.
        const std::string file = b.file;
        out.add_image(file.substr(0, file.size() - 4) + kDrawn200 + ".bmp",
                      caption_strip(p, b.glyph, b.danger, frames, 2));
        if (by_shape)
            s.note("No frame key: three frames by the image's shape; inactive windows show frame 1.");
        else
            s.set("frame", frames);
        s.set("Action", b.action).set("Align", 1).set("Xcoord", b.xcoord).set("Ycoord", kCaptionButtonTop);
        s.set("Visibility", b.visibility).set("Visibility1", b.visibility1);
    }
    // The window icon opens the system menu; the engine draws the icon itself.
    IniSection& icon = out.ini.section("BUTTON.ICON");
    icon.note("No image: the engine renders the window's small icon here.");
    icon.set("Action", 3).set("Align", 0).set("Xcoord", 6).set("Ycoord", 5);
    icon.set("Visibility", 0).set("Visibility1", 0);
}

// Minimise, restore and close of a maximised MDI child, 4 frames each
// (normal, pressed, hot, hot: band buttons show frame 4 when hot).
// Drawn at `k` times the size for the 200 % picture.
Bitmap mdi_strip(const SkinPalette& p, int k)
{
    const int n = kMdiButtonSize * k;
    const Paint band = solid(menu_band_colour(p, WindowLook::Active));
    const std::vector<std::pair<GlyphMaker, Danger>> kinds = {
        {[](GlyphBox b, double k) { return minimise_glyph(b, k); }, Danger::No},
        {[](GlyphBox b, double k) { return restore_glyph(b, k); }, Danger::No},
        {[](GlyphBox b, double k) { return close_glyph(b, 1.3 * k); }, Danger::Yes},
    };
    std::vector<Bitmap> frames;
    for (const auto& [glyph, danger] : kinds) {
        frames.push_back(button_frame(p, n, band, glyph, ButtonState::Normal, danger, k));
        frames.push_back(button_frame(p, n, band, glyph, ButtonState::Pressed, danger, k));
        frames.push_back(button_frame(p, n, band, glyph, ButtonState::Hot, danger, k));
        frames.push_back(button_frame(p, n, band, glyph, ButtonState::Hot, danger, k));
    }
    return join_frames(frames, FrameLayout::SideBySide);
}

void add_mdi_buttons(SkinOutput& out, const SkinPalette& p)
{
    IniSection& s = out.ini.section("MDICONTROLS");
    s.note("12 frames: minimise, restore, close of a maximised MDI child, 4 frames each.");
    s.set("Image", add_both(out, "mdicontrols.bmp", [&](int k) { return mdi_strip(p, k); }));
}

} // namespace

void add_caption_buttons(SkinOutput& out, const SkinPalette& p)
{
    add_title_buttons(out, p);
    add_mdi_buttons(out, p);
}

} // namespace tarnivo::skingen
