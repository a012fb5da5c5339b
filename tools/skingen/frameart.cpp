#include "frameart.h"

#include <string>
#include <utility>

namespace tarnivo::skingen {

namespace {

// A small window drawn whole, then cut into the four border images, so the
// rounded corners, outline and title gradient meet without seams.
constexpr int kModelWidth = 2 * kBorderWidth + 2 * kTopCap + 16;
constexpr int kModelHeight = kTitleHeight + 10 + kBorderWidth;

// Drawn at `k` times the size (k = 2 for the 200 % pictures): every length,
// radius and line width times k, so lines stay crisp rather than doubled.
Bitmap model_window(const SkinPalette& p, WindowLook look, int k)
{
    const bool active = look == WindowLook::Active;
    const int w = kModelWidth * k, h = kModelHeight * k;
    const int title_h = kTitleHeight * k, border = kBorderWidth * k;
    const Radii corners = Radii::top(kCornerRadius * k);
    Canvas c(w, h);

    // Title above, frame colour below.
    const Rgb frame = active ? p.frame : p.frame_inactive;
    const Paint title = title_backdrop(p, look, k);
    c.draw(rounded_rect(0, 0, w, h, corners),
           [&](int x, int y) { return y < title_h ? title(x, y) : frame; });

    // A soft light edge just inside the outline, fading out below the corners.
    Coverage edge = rounded_outline(k, k, w - k, h - k, Radii::top((kCornerRadius - 1) * k), k);
    c.draw([&](int x, int y) { return y <= kCornerRadius * k ? edge(x, y) : 0.0; }, solid(p.title_highlight),
           p.title_highlight_opacity);

    // The client area is framed by one dark line, the title separator on top.
    const int in0 = border - k, in1 = w - border;
    c.fill_rect(in0, title_h - k, in1 + k, title_h, p.title_separator);
    c.fill_rect(in0, title_h, in0 + k, h - border + k, p.frame_inner);
    c.fill_rect(in1, title_h, in1 + k, h - border + k, p.frame_inner);
    c.fill_rect(in0, h - border, in1 + k, h - border + k, p.frame_inner);

    c.draw(rounded_outline(0, 0, w, h, corners, k), solid(active ? p.outline : p.outline_inactive));
    // Outside the rounded corners the engine cuts the window region.
    return c.keyed();
}

struct BorderImages {
    Bitmap left, right, top, bottom;
};

BorderImages border_images(const SkinPalette& p, int k)
{
    const Bitmap active = model_window(p, WindowLook::Active, k);
    const Bitmap inactive = model_window(p, WindowLook::Inactive, k);
    const int w = kModelWidth * k, h = kModelHeight * k, border = kBorderWidth * k;
    auto both = [&](int x, int y, int cw, int ch, FrameLayout layout) {
        return join_frames({active.crop(x, y, cw, ch), inactive.crop(x, y, cw, ch)}, layout);
    };
    return {both(0, 0, border, h, FrameLayout::SideBySide),
            both(w - border, 0, border, h, FrameLayout::SideBySide),
            both(border, 0, w - 2 * border, kTitleHeight * k, FrameLayout::Stacked),
            both(border, h - border, w - 2 * border, border, FrameLayout::Stacked)};
}

void add_borders(SkinOutput& out, const SkinPalette& p)
{
    BorderImages images = border_images(p, 1);
    IniSection& s = out.ini.section("Personality");
    s.note("Borders: frame 1 active, frame 2 inactive; sides side by side, top and bottom stacked.");
    s.set("Left", out.add_image("left.bmp", std::move(images.left)));
    s.set("LeftFrame", 2).set("LeftTopHeight", kTitleHeight).set("LeftBotHeight", kBorderWidth);
    s.set("LeftStretch", 1).set("LeftTrans", 1);
    s.set("Right", out.add_image("right.bmp", std::move(images.right)));
    s.set("RightFrame", 2).set("RightTopHeight", kTitleHeight).set("RightBotHeight", kBorderWidth);
    s.set("RightStretch", 1).set("RightTrans", 1);
    s.set("Top", out.add_image("top.bmp", std::move(images.top)));
    s.set("TopFrame", 2).set("TopTopHeight", kTopCap).set("TopBotHeight", kTopCap);
    s.set("TopStretch", 1).set("TopTrans", 1);
    s.set("Bottom", out.add_image("bottom.bmp", std::move(images.bottom)));
    s.set("BottomFrame", 2).set("BottomTopHeight", 0).set("BottomBotHeight", 0);
    s.set("BottomStretch", 1).set("BottomTrans", 0);

    // The same frame drawn for 200 %: the engine takes "name@200.bmp" beside
    // "name.bmp" at twice the size; no INI key names them.
    BorderImages large = border_images(p, 2);
    out.add_image("left" + std::string(kDrawn200) + ".bmp", std::move(large.left));
    out.add_image("right" + std::string(kDrawn200) + ".bmp", std::move(large.right));
    out.add_image("top" + std::string(kDrawn200) + ".bmp", std::move(large.top));
    out.add_image("bottom" + std::string(kDrawn200) + ".bmp", std::move(large.bottom));
}

// Behind the caption text: a short accent underline on the active window.
Bitmap text_back(const SkinPalette& p, WindowLook look, int k)
{
    const int w = 24 * k, h = kTitleHeight * k;
    Canvas c(w, h);
    if (look == WindowLook::Active)
        c.draw(rounded_rect(3 * k, h - 4 * k, w - 3 * k, h - 2 * k, Radii::all(k)), solid(p.accent));
    return c.over_backdrop(title_backdrop(p, look, k));
}

Bitmap text_back_strip(const SkinPalette& p, int k)
{
    return join_frames({text_back(p, WindowLook::Active, k), text_back(p, WindowLook::Inactive, k)},
                       FrameLayout::Stacked);
}

void add_title(SkinOutput& out, const SkinPalette& p)
{
    IniSection& s = out.ini.section("Personality");
    s.note("Caption text: after the window icon, clear of the caption buttons.");
    if (p.completeness == Completeness::Full) {
        s.set("TextBack", out.add_image("textback.bmp", text_back_strip(p, 1)));
        out.add_image("textback" + std::string(kDrawn200) + ".bmp", text_back_strip(p, 2));
        s.set("TXTBackleft", 6).set("TXTBackRight", 6);
    } else {
        s.note("No TextBack here: the caption is drawn straight on the title bar.");
        s.set("TXTBackleft", 0).set("TXTBackRight", 0);
    }
    s.set("TextShift", 22).set("TextShiftVert", 0).set("TextRightClip", 92);
    s.set("TextAlignment", 0).set("Textbackground", 0);
    s.set("ActiveTextR", p.caption_text.r).set("ActiveTextG", p.caption_text.g).set("ActiveTextB", p.caption_text.b);
    s.set("InActiveTextR", p.caption_text_inactive.r)
        .set("InActiveTextG", p.caption_text_inactive.g)
        .set("InActiveTextB", p.caption_text_inactive.b);
}

void add_menu_band(SkinOutput& out, const SkinPalette& p)
{
    auto band = [&](WindowLook look) { return Bitmap(32, kMenuBandHeight, menu_band_colour(p, look)); };
    IniSection& s = out.ini.section("Personality");
    s.note("Menu band: frame 1 active, frame 2 inactive, stacked; flat so MDI buttons match it.");
    s.set("menuBar", out.add_image("menubar.bmp", join_frames({band(WindowLook::Active), band(WindowLook::Inactive)},
                                                              FrameLayout::Stacked)));
    s.set("TileMenu", 1).set("TileLeftMenu", 2).set("TileRightMenu", 2);
}

} // namespace

std::string add_both(SkinOutput& out, const std::string& name, const std::function<Bitmap(int k)>& draw)
{
    out.add_image(name.substr(0, name.size() - 4) + kDrawn200 + ".bmp", draw(2));
    return out.add_image(name, draw(1));
}

Paint title_backdrop(const SkinPalette& p, WindowLook look, int k)
{
    const bool active = look == WindowLook::Active;
    return vertical_gradient(active ? p.title_top : p.title_top_inactive,
                             active ? p.title_bottom : p.title_bottom_inactive, k, (kTitleHeight - 2) * k);
}

Rgb menu_band_colour(const SkinPalette& p, WindowLook)
{
    // One colour for both looks: the MDI child buttons baked onto it are drawn
    // with the same frames whether the window is active or not.
    return p.menubar;
}

void add_frame(SkinOutput& out, const SkinPalette& p)
{
    add_borders(out, p);
    add_title(out, p);
    add_menu_band(out, p);
}

} // namespace tarnivo::skingen
