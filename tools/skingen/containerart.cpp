#include "containerart.h"

#include "frameart.h"

namespace tarnivo::skingen {

namespace {

enum class Tab { Normal, Selected, Disabled, Hot };

// A tab face: rounded at the top, open at the bottom where it meets the pane.
// Unselected tabs start two pixels lower, so the selected one stands out.
// Drawn at `k` times the size (k = 2 for the 200 % pictures), lines too.
Bitmap tab(const SkinPalette& p, Tab state, int k)
{
    const int w = 24 * k, h = 22 * k;
    Canvas c(w, h);
    const bool selected = state == Tab::Selected;
    const int top = selected ? 0 : 2 * k;
    Rgb fill = selected ? p.face : p.tab_fill;
    if (state == Tab::Hot)
        fill = mix(p.tab_fill, p.accent, 0.18);
    if (state == Tab::Disabled)
        fill = mix(p.tab_fill, p.face, 0.5);
    c.draw(rounded_rect(0, top, w, h + 3 * k, Radii::top(3 * k)), solid(fill));
    c.draw(rounded_outline(0, top, w, h + 3 * k, Radii::top(3 * k), k), solid(p.tab_border));
    if (selected)
        c.draw(rounded_rect(k, k, w - k, 3 * k, Radii::top(2 * k)), solid(p.accent));
    return c.over_backdrop(solid(p.face));
}

Bitmap tab_strip(const SkinPalette& p, int k)
{
    return join_frames({tab(p, Tab::Normal, k), tab(p, Tab::Selected, k), tab(p, Tab::Disabled, k),
                        tab(p, Tab::Hot, k), tab(p, Tab::Selected, k)},
                       FrameLayout::SideBySide);
}

// The pane under the tabs: the face colour inside a one-pixel border (k
// pixels at k times the size).
Bitmap pane(const SkinPalette& p, int k)
{
    const int n = 16 * k;
    Canvas c(n, n);
    c.fill(solid(p.face));
    c.draw(rounded_outline(0, 0, n, n, Radii::all(0), k), solid(p.tab_border));
    return c.opaque(solid(p.face));
}

void add_tabs(SkinOutput& out, const SkinPalette& p)
{
    IniSection& s = out.ini.section("Tabs");
    s.note("Tabs: 1 normal, 2 the focused tab, 3 disabled, 4 hot, 5 repeats 2. Border: the pane (Style 0).");
    s.set("Image", add_both(out, "tabs.bmp", [&](int k) { return tab_strip(p, k); }));
    s.set("Border", add_both(out, "tabborder.bmp", [&](int k) { return pane(p, k); }));
    s.set("Style", 0).margins(4, 4, 4, 2);
    s.set("Trans", 1).set("Tile", 0);
    s.set_colour("NormalColour2", p.tab_text).set_colour("MouseOverColour2", p.tab_text_selected);
    if (p.completeness == Completeness::Full) {
        out.ini.section("Tab.Pane")
            .note("The pane when [Tabs] Style is 1.")
            .set("Image", add_both(out, "tabpane.bmp", [&](int k) { return pane(p, k); }))
            .margins(4, 4, 4, 4);
    }
}

enum class Bevel { Lowered, Raised, None };

// Status-bar panels: flat, with a one-pixel bevel (k pixels at k times the
// size).
Bitmap panel(const SkinPalette& p, Bevel bevel, int k)
{
    const int n = 8 * k;
    Bitmap b(n, n, p.face);
    if (bevel == Bevel::None)
        return b;
    const Rgb first = bevel == Bevel::Lowered ? p.bevel_dark : p.bevel_light;
    const Rgb second = bevel == Bevel::Lowered ? p.bevel_light : p.bevel_dark;
    // The light-and-dark corners fall as at 96 DPI: the second colour is
    // drawn last, over the first.
    for (int j = 0; j < k; ++j) {
        for (int i = 0; i < n; ++i) {
            b.set(i, j, first);
            b.set(j, i, first);
        }
    }
    for (int j = 0; j < k; ++j) {
        for (int i = 0; i < n; ++i) {
            b.set(i, n - 1 - j, second);
            b.set(n - 1 - j, i, second);
        }
    }
    return b;
}

void add_status_bar(SkinOutput& out, const SkinPalette& p)
{
    out.ini.section("StatusBarEdges")
        .note("Panels: 1 lowered, 2 raised, 3 no bevel.")
        .set("Image", add_both(out, "statusbaredges.bmp",
                               [&](int k) {
                                   return join_frames({panel(p, Bevel::Lowered, k), panel(p, Bevel::Raised, k),
                                                       panel(p, Bevel::None, k)},
                                                      FrameLayout::SideBySide);
                               }))
        .margins(2, 2, 2, 2)
        .set("Trans", 0)
        .set_colour("NormalColour2", p.status_text);
}

// Drawn at `k` times the size from here on, as the tabs are.
Bitmap group_edge(const SkinPalette& p, bool enabled, int k)
{
    const int n = 16 * k;
    Canvas c(n, n);
    c.draw(rounded_outline(0, 0, n, n, Radii::all(4 * k), k),
           solid(enabled ? p.button_shadow : p.button_disabled_border));
    return c.over_backdrop(solid(p.face));
}

Bitmap group_label(const SkinPalette& p, int k)
{
    Canvas c(32 * k, 16 * k);
    c.draw(rounded_rect(0, k, 32 * k, 15 * k, Radii::all(7 * k)), solid(mix(p.face, p.button_light, 0.6)));
    return c.over_backdrop(solid(p.face));
}

enum class Tool { Flat, Pressed, Hot, Checked };

Bitmap tool_button(const SkinPalette& p, Tool state, int k)
{
    const int w = 24 * k, h = 22 * k;
    Canvas c(w, h);
    const Coverage body = rounded_rect(0, 0, w, h, Radii::all(3 * k));
    const Coverage edge = rounded_outline(0, 0, w, h, Radii::all(3 * k), k);
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
        .set("Image", add_both(out, "groupboxedge.bmp",
                               [&](int k) {
                                   return join_frames({group_edge(p, true, k), group_edge(p, false, k)},
                                                      FrameLayout::SideBySide);
                               }))
        .margins(5, 5, 5, 5)
        .set("Trans", 1);
    out.ini.section("GroupBox")
        .note("Behind a group box's caption.")
        .set("Image", add_both(out, "groupbox.bmp", [&](int k) { return group_label(p, k); }))
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
        .set("Image", add_both(out, "toolbars.bmp",
                               [&](int k) {
                                   return join_frames({tool_button(p, Tool::Flat, k), tool_button(p, Tool::Pressed, k),
                                                       tool_button(p, Tool::Flat, k), tool_button(p, Tool::Hot, k),
                                                       tool_button(p, Tool::Checked, k)},
                                                      FrameLayout::SideBySide);
                               }))
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
