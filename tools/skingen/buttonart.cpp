#include "buttonart.h"

#include "frameart.h"
#include "glyphs.h"

#include <functional>
#include <string>

namespace tarnivo::skingen {

namespace {

constexpr int kFaceSize = 24;
constexpr int kFaceMargin = 4;
constexpr int kBoxSize = 13;

enum class Face { Normal, Pressed, Disabled, Hot, Focused };

// One push-button face; its corners are mixed with ButtonFace, which the
// button painter lays under the face before drawing it.
// Drawn at `k` times the size for the 200 % pictures (lengths, radii and
// lines times k).
Bitmap face(const SkinPalette& p, Face state, int k)
{
    const int n = kFaceSize * k;
    Canvas c(n, n);
    const Coverage body = rounded_rect(0, 0, n, n, Radii::all(3 * k));
    const Coverage edge = rounded_outline(0, 0, n, n, Radii::all(3 * k), k);
    const Coverage sheen = [k](int, int y) { return y >= k && y < 2 * k ? 1.0 : 0.0; };
    switch (state) {
    case Face::Normal:
    case Face::Focused:
        c.draw(body, vertical_gradient(p.button_top, p.button_bottom, 0, n - 1));
        c.draw([&](int x, int y) { return sheen(x, y) * body(x, y); }, solid(hex(0xffffff)), 0.07);
        c.draw(edge, solid(state == Face::Focused ? p.accent : p.button_border));
        if (state == Face::Focused) // a soft ring inside the accent edge
            c.draw(rounded_outline(k, k, n - k, n - k, Radii::all(2 * k), k), solid(p.accent), 0.35);
        break;
    case Face::Hot:
        c.draw(body, vertical_gradient(p.button_hot_top, p.button_hot_bottom, 0, n - 1));
        c.draw([&](int x, int y) { return sheen(x, y) * body(x, y); }, solid(hex(0xffffff)), 0.09);
        c.draw(edge, solid(p.accent));
        break;
    case Face::Pressed:
        c.draw(body, solid(p.button_pressed));
        c.draw(sheen, solid(hex(0x000000)), 0.10); // inner shade
        c.draw(edge, solid(p.accent_deep));
        break;
    case Face::Disabled:
        c.draw(body, solid(p.button_disabled));
        c.draw(edge, solid(p.button_disabled_border));
        break;
    }
    return c.over_backdrop(solid(p.face));
}

enum class Mark { None, Check, Mixed, Dot };
enum class BoxState { Normal, Hot, Pressed, Disabled };

// Shared look of check boxes and radio buttons: `outline_shape` and `fill_shape`
// are the box or the circle.
Bitmap box(const SkinPalette& p, Mark mark, BoxState state, const Coverage& fill_shape, const Coverage& outline_shape,
           int k)
{
    Canvas c(kBoxSize * k, kBoxSize * k);
    const bool on = mark != Mark::None;
    const bool disabled = state == BoxState::Disabled;
    Rgb fill = on ? p.accent : p.box_fill;
    Rgb border = on ? p.accent_deep : p.box_border;
    if (state == BoxState::Hot) {
        fill = on ? mix(p.accent, hex(0xffffff), 0.15) : p.box_fill;
        border = p.accent;
    } else if (state == BoxState::Pressed) {
        fill = on ? p.accent_deep : mix(p.box_fill, p.accent, 0.25);
        border = p.accent_deep;
    } else if (disabled) {
        fill = p.box_disabled_fill;
        border = p.box_disabled_border;
    }
    c.draw(fill_shape, solid(fill));
    c.draw(outline_shape, solid(border));
    const Rgb ink = disabled ? p.mark_disabled : p.mark;
    switch (mark) {
    case Mark::Check:
        c.draw(check_glyph(GlyphBox{2.5 * k, 2.5 * k, 8.0 * k}, 1.6 * k), solid(ink));
        break;
    case Mark::Mixed:
        c.draw(rounded_rect(3 * k, 5.5 * k, 10 * k, 7.5 * k, Radii::all(k)), solid(ink));
        break;
    case Mark::Dot:
        c.draw(disc(6.5 * k, 6.5 * k, 2.5 * k), solid(ink));
        break;
    case Mark::None:
        break;
    }
    return c.over_backdrop(solid(p.face));
}

Bitmap check_box(const SkinPalette& p, Mark mark, BoxState state, int k)
{
    const int n = kBoxSize * k;
    return box(p, mark, state, rounded_rect(0, 0, n, n, Radii::all(3 * k)),
               rounded_outline(0, 0, n, n, Radii::all(3 * k), k), k);
}

Bitmap radio_button(const SkinPalette& p, Mark mark, BoxState state, int k)
{
    const double r = kBoxSize * k / 2.0;
    return box(p, mark, state, disc(r, r, r), ring(r, r, r - 0.5 * k, k), k);
}

using BoxMaker = Bitmap (*)(const SkinPalette&, Mark, BoxState, int k);

// Four states per mark (normal, hot, pressed, disabled), marks in the given order:
// the 12-frame check box and the 8-frame radio button layouts.
Bitmap full_strip(const SkinPalette& p, BoxMaker make, const std::vector<Mark>& marks, int k)
{
    std::vector<Bitmap> frames;
    for (Mark m : marks)
        for (BoxState s : {BoxState::Normal, BoxState::Hot, BoxState::Pressed, BoxState::Disabled})
            frames.push_back(make(p, m, s, k));
    return join_frames(frames, FrameLayout::SideBySide);
}

// The 4-frame layout: off, on, off disabled, on disabled.
Bitmap short_strip(const SkinPalette& p, BoxMaker make, Mark on, int k)
{
    return join_frames({make(p, Mark::None, BoxState::Normal, k), make(p, on, BoxState::Normal, k),
                        make(p, Mark::None, BoxState::Disabled, k), make(p, on, BoxState::Disabled, k)},
                       FrameLayout::SideBySide);
}

Bitmap faces(const SkinPalette& p, int k)
{
    return join_frames({face(p, Face::Normal, k), face(p, Face::Pressed, k), face(p, Face::Disabled, k),
                        face(p, Face::Hot, k), face(p, Face::Focused, k)},
                       FrameLayout::SideBySide);
}

} // namespace

void add_buttons(SkinOutput& out, const SkinPalette& p)
{
    IniSection& s = out.ini.section("Buttons");
    s.note("Faces: 1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused.");
    s.set("Bitmap", add_both(out, "buttons.bmp", [&](int k) { return faces(p, k); }));
    s.margins(kFaceMargin, kFaceMargin, kFaceMargin, kFaceMargin);
    s.set("Trans", 1).set("Tile", 0);
    s.set_colour("NormalColour2", p.button_text);
    s.set_colour("MouseOverColour2", p.button_text_hot);
    s.set_colour("PressedColour2", p.button_text_pressed);

    if (p.completeness == Completeness::Full) {
        s.note("Check box, 12 frames: unchecked, checked, mixed; each normal, hot, pressed, disabled.");
        s.set("CheckButton", add_both(out, "checkbutton.bmp", [&](int k) {
                  return full_strip(p, check_box, {Mark::None, Mark::Check, Mark::Mixed}, k);
              }));
        s.set("CheckButtonFrame", 12);
        s.note("Radio button, 8 frames: off, on; each normal, hot, pressed, disabled.");
        s.set("RadioButton", add_both(out, "radiobutton.bmp", [&](int k) {
                  return full_strip(p, radio_button, {Mark::None, Mark::Dot}, k);
              }));
        s.set("RadioButtonFrame", 8);
    } else {
        s.note("Check box and radio button, 4 frames each (off, on, off disabled, on disabled);");
        s.note("no frame keys: the engine counts 13-pixel frames.");
        s.set("CheckButton", add_both(out, "checkbutton.bmp",
                                      [&](int k) { return short_strip(p, check_box, Mark::Check, k); }));
        s.set("RadioButton", add_both(out, "radiobutton.bmp",
                                      [&](int k) { return short_strip(p, radio_button, Mark::Dot, k); }));
    }
}

} // namespace tarnivo::skingen
