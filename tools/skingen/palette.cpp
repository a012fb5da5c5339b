#include "palette.h"

namespace tarnivo::skingen {

SkinPalette slate_palette()
{
    SkinPalette p;
    p.name = "Slate";
    p.folder = "slate";
    p.completeness = Completeness::Full;

    p.title_top = hex(0x3b4252);
    p.title_bottom = hex(0x2e3440);
    p.title_top_inactive = hex(0x343a46);
    p.title_bottom_inactive = hex(0x2e3440);
    p.title_highlight = hex(0x56617a);
    p.title_highlight_opacity = 0.55;
    p.title_separator = hex(0x242932);
    p.caption_text = hex(0xeceff4);
    p.caption_text_inactive = hex(0x7b8394);
    p.outline = hex(0x1a1e25);
    p.outline_inactive = hex(0x22262e);
    p.frame = hex(0x2e3440);
    p.frame_inactive = hex(0x30353f);
    p.frame_inner = hex(0x252a33);

    p.glyph = hex(0xd8dee9);
    p.glyph_hot = hex(0xffffff);
    p.glyph_inactive = hex(0x6b7385);
    p.plate_hot = hex(0x5e81ac);
    p.plate_hot_opacity = 0.55;
    p.plate_pressed = hex(0x4f6f9a);
    p.close_hot = hex(0xbf616a);
    p.close_pressed = hex(0x9e4b54);

    p.face = hex(0x434c5e);
    p.window_text = hex(0xe5e9f0);
    p.button_text = hex(0xe5e9f0);
    p.hilight = hex(0x5e81ac);
    p.hilight_text = hex(0xffffff);
    p.button_hilight = hex(0x5e81ac);
    p.button_light = hex(0x4c566a);
    p.button_shadow = hex(0x697286);
    p.button_dk_shadow = hex(0x1f232b);
    p.menubar = hex(0x3b4252);
    p.menubar_text = hex(0xe5e9f0);
    p.menu = hex(0x3b4252);
    p.menu_text = hex(0xe5e9f0);
    p.scrollbar = hex(0x3b4252);

    p.accent = hex(0x5e81ac);
    p.accent_deep = hex(0x4f6f9a);

    p.button_top = hex(0x545e73);
    p.button_bottom = hex(0x4c566a);
    p.button_border = hex(0x2a2f39);
    p.button_hot_top = hex(0x5d6880);
    p.button_hot_bottom = hex(0x566177);
    p.button_pressed = hex(0x3b4252);
    p.button_disabled = hex(0x474f61);
    p.button_disabled_border = hex(0x3a4150);
    p.button_text_hot = hex(0xffffff);
    p.button_text_pressed = hex(0xeceff4);

    p.menu_border = hex(0x232831);
    p.menu_separator = hex(0x4c566a);

    p.track = hex(0x3b4252);
    p.track_disabled = hex(0x404757);
    p.thumb = hex(0x5f697e);
    p.thumb_hot = hex(0x737e96);
    p.thumb_pressed = hex(0x5e81ac);
    p.arrow = hex(0xa7b0c0);
    p.arrow_hot = hex(0xeceff4);
    p.arrow_disabled = hex(0x5b6476);
    p.arrow_plate_hot = hex(0x4c566a);

    p.field = hex(0xffffff);
    p.field_border = hex(0x697286);
    p.box_fill = hex(0x2e3440);
    p.box_border = hex(0x7b8498);
    p.box_disabled_fill = hex(0x3d4454);
    p.box_disabled_border = hex(0x566074);
    p.mark = hex(0xffffff);
    p.mark_disabled = hex(0x8a93a5);

    // List views and edits keep the system's white field, so the header is light too.
    p.header_top = hex(0xf5f6f8);
    p.header_bottom = hex(0xe4e7ec);
    p.header_line = hex(0xc3c9d3);
    p.header_hot_top = hex(0xeef3fa);
    p.header_hot_bottom = hex(0xdbe5f2);
    p.tab_fill = hex(0x3b4252);
    p.tab_border = hex(0x2a2f39);
    p.tab_text = hex(0xc9ced8);
    p.tab_text_selected = hex(0xffffff);
    p.progress_track = hex(0x2e3440);
    p.progress_border = hex(0x262b34);
    p.progress_top = hex(0x81a1c1);
    p.progress_bottom = hex(0x5e81ac);
    p.progress_fill_border = hex(0x4a6890);
    p.channel = hex(0x2e3440);
    p.channel_border = hex(0x23272f);
    p.thumb_top = hex(0x7897bf);
    p.thumb_bottom = hex(0x5e81ac);
    p.thumb_border = hex(0x2f4360);
    p.status_text = hex(0xd8dee9);
    p.bevel_dark = hex(0x363d4c);
    p.bevel_light = hex(0x505a6f);

    p.custom_colours = {hex(0x5e81ac), hex(0x88c0d0), hex(0xa3be8c), hex(0xebcb8b), hex(0xd08770),
                        hex(0xbf616a), hex(0xb48ead), hex(0x8fbcbb), hex(0x4c566a), hex(0xeceff4)};
    return p;
}

SkinPalette paper_palette()
{
    SkinPalette p;
    p.name = "Paper";
    p.folder = "paper";
    p.completeness = Completeness::Trimmed;

    p.title_top = hex(0xffffff);
    p.title_bottom = hex(0xeceff4);
    p.title_top_inactive = hex(0xf9fafb);
    p.title_bottom_inactive = hex(0xf1f3f6);
    p.title_highlight = hex(0xffffff);
    p.title_highlight_opacity = 1.0;
    p.title_separator = hex(0xd5d9e0);
    p.caption_text = hex(0x2e3440);
    p.caption_text_inactive = hex(0x9aa3b2);
    p.outline = hex(0xc7ccd6);
    p.outline_inactive = hex(0xd5d9e0);
    p.frame = hex(0xeceff4);
    p.frame_inactive = hex(0xf1f3f6);
    p.frame_inner = hex(0xd8dce3);

    p.glyph = hex(0x4c566a);
    p.glyph_hot = hex(0x1f2430);
    p.glyph_inactive = hex(0xaab2bf);
    p.plate_hot = hex(0x3b73c6);
    p.plate_hot_opacity = 0.16;
    p.plate_pressed = hex(0xc9d8ef);
    p.close_hot = hex(0xbf616a);
    p.close_pressed = hex(0x9e4b54);

    p.face = hex(0xf4f5f7);
    p.window_text = hex(0x1f2430);
    p.button_text = hex(0x1f2430);
    p.hilight = hex(0x3b73c6);
    p.hilight_text = hex(0xffffff);
    p.button_hilight = hex(0x3b73c6);
    p.button_light = hex(0xffffff);
    p.button_shadow = hex(0xa9b0bd);
    p.button_dk_shadow = hex(0x7b8394);
    p.menubar = hex(0xf7f8fa);
    p.menubar_text = hex(0x1f2430);
    p.menu = hex(0xffffff);
    p.menu_text = hex(0x1f2430);
    p.scrollbar = hex(0xeef0f3);

    p.accent = hex(0x3b73c6);
    p.accent_deep = hex(0x3b73c6);

    p.button_top = hex(0xffffff);
    p.button_bottom = hex(0xf3f4f7);
    p.button_border = hex(0xc2c8d2);
    p.button_hot_top = hex(0xf7faff);
    p.button_hot_bottom = hex(0xeaf1fb);
    p.button_pressed = hex(0xdfe7f3);
    p.button_disabled = hex(0xf4f5f7);
    p.button_disabled_border = hex(0xdde0e6);
    p.button_text_hot = hex(0x1f2430);
    p.button_text_pressed = hex(0x1f2430);

    p.menu_border = hex(0xc7ccd6);
    p.menu_separator = hex(0xe1e4ea);

    p.track = hex(0xeef0f3);
    p.track_disabled = hex(0xf4f5f7);
    p.thumb = hex(0xc3c9d4);
    p.thumb_hot = hex(0xa9b1bf);
    p.thumb_pressed = hex(0x3b73c6);
    p.arrow = hex(0x6b7385);
    p.arrow_hot = hex(0x1f2430);
    p.arrow_disabled = hex(0xc3c9d4);
    p.arrow_plate_hot = hex(0xdfe3e9);

    p.field = hex(0xffffff);
    p.field_border = hex(0xa9b0bd);
    p.box_fill = hex(0xffffff);
    p.box_border = hex(0x98a1b0);
    p.box_disabled_fill = hex(0xf0f1f4);
    p.box_disabled_border = hex(0xd0d4db);
    p.mark = hex(0xffffff);
    p.mark_disabled = hex(0xaab2bf);

    p.header_top = hex(0xffffff);
    p.header_bottom = hex(0xf0f2f5);
    p.header_line = hex(0xd5d9e0);
    p.header_hot_top = hex(0xf5f8fd);
    p.header_hot_bottom = hex(0xe6eef9);
    p.tab_fill = hex(0xe9ecf0);
    p.tab_border = hex(0xc7ccd6);
    p.tab_text = hex(0x3b4252);
    p.tab_text_selected = hex(0x1f2430);
    p.progress_track = hex(0xe6e9ee);
    p.progress_border = hex(0xc7ccd6);
    p.progress_top = hex(0x5b8fd9);
    p.progress_bottom = hex(0x3b73c6);
    p.progress_fill_border = hex(0x2f5fa6);
    p.channel = hex(0xdfe3e9);
    p.channel_border = hex(0xbfc5cf);
    p.thumb_top = hex(0xffffff);
    p.thumb_bottom = hex(0xeef1f5);
    p.thumb_border = hex(0x8f98a8);
    p.status_text = hex(0x3b4252);
    p.bevel_dark = hex(0xd5d9e0);
    p.bevel_light = hex(0xffffff);

    p.custom_colours = {hex(0x3b73c6), hex(0x2aa1b3), hex(0x4f9d69), hex(0xd9a21b), hex(0xd9702b),
                        hex(0xbf616a), hex(0x8e6bb8), hex(0x5c9c9a), hex(0x7b8394), hex(0x1f2430)};
    return p;
}

} // namespace tarnivo::skingen
