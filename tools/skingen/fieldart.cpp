#include "fieldart.h"

#include "glyphs.h"

namespace tarnivo::skingen {

namespace {

// Combo frames, shared by all three elements: 1 normal, 2 pressed, 3 disabled,
// 4 hot or focused.
enum class Combo { Normal, Pressed, Disabled, Hot };
constexpr Combo kComboFrames[] = {Combo::Normal, Combo::Pressed, Combo::Disabled, Combo::Hot};
constexpr int kComboHeight = 21; // the loader composes combo faces 21 pixels high

// The field's edge: an outline and one white line inside, like the skinned edit
// border, around a transparent middle where the control draws its text.
Bitmap sunk_edge(const SkinPalette& p, Combo state)
{
    constexpr int w = 16, h = kComboHeight;
    const Rgb edge = state == Combo::Disabled                               ? p.button_disabled_border
                     : state == Combo::Hot || state == Combo::Pressed ? p.accent
                                                                            : p.field_border;
    Canvas c(w, h);
    c.draw(rounded_outline(0, 0, w, h, Radii::all(2), 1), solid(edge));
    c.draw(rounded_outline(1, 1, w - 1, h - 1, Radii::all(1), 1), solid(p.field));
    return c.over_backdrop(solid(p.face));
}

Paint plate_paint(const SkinPalette& p, Combo state, int height)
{
    switch (state) {
    case Combo::Pressed:
        return solid(p.button_pressed);
    case Combo::Disabled:
        return solid(p.button_disabled);
    case Combo::Hot:
        return vertical_gradient(p.button_hot_top, p.button_hot_bottom, 0, height - 1);
    case Combo::Normal:
        break;
    }
    return vertical_gradient(p.button_top, p.button_bottom, 0, height - 1);
}

// The drop-down button: a plate inside the field's right edge (the two right
// columns and the top and bottom rows stay transparent so the edge shows).
Bitmap combo_button(const SkinPalette& p, Combo state)
{
    constexpr int w = 18, h = kComboHeight;
    Canvas c(w, h);
    c.draw(rounded_rect(0, 2, w - 2, h - 2, Radii{0, 2, 2, 0}), plate_paint(p, state, h));
    c.fill_rect(0, 2, 1, h - 2, state == Combo::Disabled ? p.button_disabled_border : p.field_border, 0.6);
    return c.over_backdrop(solid(p.field));
}

Bitmap combo_arrow(const SkinPalette& p, Combo state)
{
    constexpr int n = 12;
    Canvas c(n, n);
    const Rgb ink = state == Combo::Disabled ? p.arrow_disabled : p.button_text;
    // The loader centres this frame on the whole button rectangle, whose two
    // right columns belong to the field's edge; one pixel to the left puts the
    // arrow in the middle of the plate.
    c.draw(chevron(GlyphBox{1.5, 2.5, 7}, Direction::Down, 1.5), solid(ink));
    const Paint under = plate_paint(p, state, kComboHeight);
    return c.over_backdrop([&](int x, int) { return under(x, kComboHeight / 2); });
}

// A size grip of six dots in the bottom-right corner.
Bitmap size_grip(const SkinPalette& p)
{
    constexpr int n = 12;
    Canvas c(n, n);
    for (auto [x, y] : {std::pair{9, 9}, {9, 6}, {6, 9}, {9, 3}, {6, 6}, {3, 9}})
        c.draw(rounded_rect(x, y, x + 2, y + 2, Radii::all(0.6)), solid(p.button_shadow));
    return c.over_backdrop(solid(p.face));
}

enum class Header { Normal, Hot, Pressed };

Bitmap header(const SkinPalette& p, Header state)
{
    constexpr int w = 16, h = 20;
    Canvas c(w, h);
    const Rgb top = state == Header::Normal ? p.header_top : p.header_hot_top;
    const Rgb bottom = state == Header::Normal ? p.header_bottom : p.header_hot_bottom;
    c.fill(vertical_gradient(state == Header::Pressed ? bottom : top, state == Header::Pressed ? top : bottom, 0, h - 1));
    c.fill_rect(w - 1, 4, w, h - 4, p.header_line);
    c.fill_rect(0, h - 1, w, h, p.header_line);
    if (state == Header::Hot)
        c.fill_rect(0, h - 2, w, h, p.accent);
    return c.opaque(solid(p.header_bottom));
}

} // namespace

void add_fields(SkinOutput& out, const SkinPalette& p)
{
    std::vector<Bitmap> edges, buttons, arrows;
    for (Combo state : kComboFrames) {
        edges.push_back(sunk_edge(p, state));
        buttons.push_back(combo_button(p, state));
        arrows.push_back(combo_arrow(p, state));
    }
    arrows.push_back(size_grip(p));

    out.ini.section("SunkEdge")
        .note("Combo frame: 1 normal, 2 pressed, 3 disabled, 4 hot or focused.")
        .set("Image", out.add_image("sunkedge.bmp", join_frames(edges, FrameLayout::SideBySide)))
        .margins(2, 2, 2, 2)
        .set("Trans", 1);
    out.ini.section("ComboButton")
        .note("Drop-down button, same four states; the loader composes it with SunkEdge.")
        .set("Image", out.add_image("combobutton.bmp", join_frames(buttons, FrameLayout::SideBySide)))
        .margins(3, 3, 3, 3)
        .set("Trans", 1)
        .set("Style", 0);
    out.ini.section("ExtraImages")
        .note("Frames 1-4: the combo arrow per state; frame 5: the status bar's size grip.")
        .set("Image", out.add_image("extraimages.bmp", join_frames(arrows, FrameLayout::SideBySide)))
        .set("Trans", 1);

    if (p.completeness == Completeness::Full) {
        out.ini.section("Headerbar")
            .note("Header items: 1 normal and background, 2 hot, 3 pressed; 4 and 5 repeat 1 and 2.")
            .set("Image", out.add_image("headerbar.bmp",
                                        join_frames({header(p, Header::Normal), header(p, Header::Hot),
                                                     header(p, Header::Pressed), header(p, Header::Normal),
                                                     header(p, Header::Hot)},
                                                    FrameLayout::SideBySide)))
            .set("Frame", 5)
            .margins(2, 2, 2, 3)
            .set("Trans", 0);
    }
}

} // namespace tarnivo::skingen
