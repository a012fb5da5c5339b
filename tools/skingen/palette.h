#pragma once
// The colours of one skin. Slate and Paper are drawn by the same code; only
// this struct (and Paper's deliberate omissions) tells them apart.

#include "raster.h"

#include <array>
#include <string>

namespace tarnivo::skingen {

// Which optional elements a skin carries. Paper leaves some out so the engine's
// fall-back to the system look (and to its built-in track images) gets used.
enum class Completeness { Full, Trimmed };

struct SkinPalette {
    std::string name;   // [TitlebarSkin] SkinName
    std::string folder; // output folder and INI base name
    Completeness completeness = Completeness::Full;

    // Window frame and title bar.
    Rgb title_top, title_bottom;
    Rgb title_top_inactive, title_bottom_inactive;
    Rgb title_highlight; // the 1 px line under the top outline
    double title_highlight_opacity = 0;
    Rgb title_separator; // last title row, above the menu band or client
    Rgb caption_text, caption_text_inactive;
    Rgb outline, outline_inactive; // 1 px outer edge of the window
    Rgb frame, frame_inactive;     // side and bottom borders
    Rgb frame_inner;               // 1 px line where the frame meets the client

    // Caption buttons (glyphs on the title gradient; hot and pressed plates).
    Rgb glyph, glyph_hot, glyph_inactive;
    Rgb plate_hot, plate_pressed;
    double plate_hot_opacity = 0;
    Rgb close_hot, close_pressed;

    // Scheme colours ([Colours]).
    Rgb face, window_text, button_text;
    Rgb hilight, hilight_text;
    Rgb button_hilight, button_light, button_shadow, button_dk_shadow;
    Rgb menubar, menubar_text, menu, menu_text, scrollbar;

    // Accent and its deeper tone for plates that carry white text or marks.
    Rgb accent, accent_deep;

    // Push buttons.
    Rgb button_top, button_bottom, button_border;
    Rgb button_hot_top, button_hot_bottom;
    Rgb button_pressed, button_disabled, button_disabled_border;
    Rgb button_text_hot, button_text_pressed;

    // Popup menus.
    Rgb menu_border, menu_separator;

    // Scroll bars.
    Rgb track, track_disabled, thumb, thumb_hot, thumb_pressed;
    Rgb arrow, arrow_hot, arrow_disabled, arrow_plate_hot;

    // Text fields, check boxes and radio buttons.
    Rgb field, field_border;
    Rgb box_fill, box_border, box_disabled_fill, box_disabled_border, mark, mark_disabled;

    // Headers, tabs, progress, track bars, status bar.
    Rgb header_top, header_bottom, header_line, header_hot_top, header_hot_bottom;
    Rgb tab_fill, tab_border, tab_text, tab_text_selected;
    Rgb progress_track, progress_border, progress_top, progress_bottom, progress_fill_border;
    Rgb channel, channel_border, thumb_top, thumb_bottom, thumb_border;
    Rgb status_text, bevel_dark, bevel_light;

    std::array<Rgb, 10> custom_colours{};
};

SkinPalette slate_palette();
SkinPalette paper_palette();

} // namespace tarnivo::skingen
