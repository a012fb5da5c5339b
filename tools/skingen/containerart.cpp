#include "containerart.h"

namespace tarnivo::skingen {

namespace {

enum class Tab { Normal, Selected, Disabled, Hot };

// A tab face: rounded at the top, open at the bottom where it meets the pane.
// Unselected tabs start two pixels lower, so the selected one stands out.
Bitmap tab(const SkinPalette& p, Tab state)
{
    constexpr int w = 24, h = 22;
    Canvas c(w, h);
    const bool selected = state == Tab::Selected;
    const int top = selected ? 0 : 2;
    Rgb fill = selected ? p.face : p.tab_fill;
    if (state == Tab::Hot)
        fill = mix(p.tab_fill, p.accent, 0.18);
    if (state == Tab::Disabled)
        fill = mix(p.tab_fill, p.face, 0.5);
    c.draw(rounded_rect(0, top, w, h + 3, Radii::top(3)), solid(fill));
    c.draw(rounded_outline(0, top, w, h + 3, Radii::top(3), 1), solid(p.tab_border));
    if (selected)
        c.draw(rounded_rect(1, 1, w - 1, 3, Radii::top(2)), solid(p.accent));
    return c.over_backdrop(solid(p.face));
}

// The pane under the tabs: the face colour inside a one-pixel border.
Bitmap pane(const SkinPalette& p)
{
    Canvas c(16, 16);
    c.fill(solid(p.face));
    c.draw(rounded_outline(0, 0, 16, 16, Radii::all(0), 1), solid(p.tab_border));
    return c.opaque(solid(p.face));
}

void add_tabs(SkinOutput& out, const SkinPalette& p)
{
    IniSection& s = out.ini.section("Tabs");
    s.note("Tabs: 1 normal, 2 the focused tab, 3 disabled, 4 hot, 5 repeats 2. Border: the pane (Style 0).");
    s.set("Image", out.add_image("tabs.bmp", join_frames({tab(p, Tab::Normal), tab(p, Tab::Selected),
                                                           tab(p, Tab::Disabled), tab(p, Tab::Hot),
                                                           tab(p, Tab::Selected)},
                                                          FrameLayout::SideBySide)));
    s.set("Border", out.add_image("tabborder.bmp", pane(p)));
    s.set("Style", 0).margins(4, 4, 4, 2);
    s.set("Trans", 1).set("Tile", 0);
    s.set_colour("NormalColour2", p.tab_text).set_colour("MouseOverColour2", p.tab_text_selected);
    if (p.completeness == Completeness::Full) {
        out.ini.section("Tab.Pane")
            .note("The pane when [Tabs] Style is 1.")
            .set("Image", out.add_image("tabpane.bmp", pane(p)))
            .margins(4, 4, 4, 4);
    }
}

enum class Bevel { Lowered, Raised, None };

// Status-bar panels: flat, with a one-pixel bevel.
Bitmap panel(const SkinPalette& p, Bevel bevel)
{
    constexpr int n = 8;
    Bitmap b(n, n, p.face);
    if (bevel == Bevel::None)
        return b;
    const Rgb first = bevel == Bevel::Lowered ? p.bevel_dark : p.bevel_light;
    const Rgb second = bevel == Bevel::Lowered ? p.bevel_light : p.bevel_dark;
    for (int i = 0; i < n; ++i) {
        b.set(i, 0, first);
        b.set(0, i, first);
        b.set(i, n - 1, second);
        b.set(n - 1, i, second);
    }
    return b;
}

void add_status_bar(SkinOutput& out, const SkinPalette& p)
{
    out.ini.section("StatusBarEdges")
        .note("Panels: 1 lowered, 2 raised, 3 no bevel.")
        .set("Image", out.add_image("statusbaredges.bmp",
                                    join_frames({panel(p, Bevel::Lowered), panel(p, Bevel::Raised), panel(p, Bevel::None)},
                                                FrameLayout::SideBySide)))
        .margins(2, 2, 2, 2)
        .set("Trans", 0)
        .set_colour("NormalColour2", p.status_text);
}

Bitmap group_edge(const SkinPalette& p, bool enabled)
{
    Canvas c(16, 16);
    c.draw(rounded_outline(0, 0, 16, 16, Radii::all(4), 1), solid(enabled ? p.button_shadow : p.button_disabled_border));
    return c.over_backdrop(solid(p.face));
}

Bitmap group_label(const SkinPalette& p)
{
    Canvas c(32, 16);
    c.draw(rounded_rect(0, 1, 32, 15, Radii::all(7)), solid(mix(p.face, p.button_light, 0.6)));
    return c.over_backdrop(solid(p.face));
}

enum class Tool { Flat, Pressed, Hot, Checked };

Bitmap tool_button(const SkinPalette& p, Tool state)
{
    constexpr int w = 24, h = 22;
    Canvas c(w, h);
    const Coverage body = rounded_rect(0, 0, w, h, Radii::all(3));
    const Coverage edge = rounded_outline(0, 0, w, h, Radii::all(3), 1);
    if (state == Tool::Pressed) {
        c.draw(body, solid(p.button_pressed));
        c.draw(edge, solid(p.accent_deep));
    } else if (state == Tool::Hot) {
        c.draw(body, vertical_gradient(p.button_hot_top, p.button_hot_bottom, 0, h - 1));
        c.draw(edge, solid(p.accent));
    } else if (state == Tool::Checked) {
        c.draw(body, solid(mix(p.face, p.accent, 0.25)));
        c.draw(edge, solid(p.accent));
    }
    return c.over_backdrop(solid(p.face));
}

void add_trimmable(SkinOutput& out, const SkinPalette& p)
{
    out.ini.section("GroupBoxEdge")
        .note("Group frame: 1 enabled, 2 disabled.")
        .set("Image", out.add_image("groupboxedge.bmp",
                                    join_frames({group_edge(p, true), group_edge(p, false)}, FrameLayout::SideBySide)))
        .margins(5, 5, 5, 5)
        .set("Trans", 1);
    out.ini.section("GroupBox")
        .note("Behind a group box's caption.")
        .set("Image", out.add_image("groupbox.bmp", group_label(p)))
        .set("LeftWidth", 7)
        .set("RightWidth", 7)
        .set("Trans", 1)
        .set("BackgroundAlignment", 0)
        // The rounded ends lie beside the caption, not under its first and
        // last letters.
        .set("BackgroundLeftShift", 4)
        .set("BackgroundRightShift", 4);
    out.ini.section("ToolBars")
        .note("Tool buttons: 1 flat, 2 pressed, 3 disabled (flat), 4 hot, 5 checked.")
        .set("Image", out.add_image("toolbars.bmp", join_frames({tool_button(p, Tool::Flat), tool_button(p, Tool::Pressed),
                                                                  tool_button(p, Tool::Flat), tool_button(p, Tool::Hot),
                                                                  tool_button(p, Tool::Checked)},
                                                                 FrameLayout::SideBySide)))
        .margins(4, 4, 4, 4)
        .set("Trans", 1);
}

} // namespace

void add_containers(SkinOutput& out, const SkinPalette& p)
{
    add_tabs(out, p);
    add_status_bar(out, p);
    if (p.completeness == Completeness::Full)
        add_trimmable(out, p);
}

} // namespace tarnivo::skingen
