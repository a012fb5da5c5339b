#include "skinbuilder.h"

#include "bmpfile.h"
#include "buttonart.h"
#include "captionbuttons.h"
#include "containerart.h"
#include "fieldart.h"
#include "fileio.h"
#include "frameart.h"
#include "menuart.h"
#include "rangeart.h"
#include "scrollbarart.h"

namespace tarnivo::skingen {

namespace {

void add_header(SkinOutput& out, const SkinPalette& p)
{
    out.ini.note("Tarnivo skin \"" + p.name + "\", drawn by tools/skingen. Edit the generator, not this file.");
    out.ini.note("Images hold their state frames side by side unless a comment says stacked.");
    if (p.completeness == Completeness::Trimmed) {
        out.ini.note("Left out on purpose, so the engine's fall-backs get used: TextBack, Headerbar,");
        out.ini.note("ToolBars, GroupBox, GroupBoxEdge, Progress.Chunk, Tab.Pane, Track and TRACKVERT");
        out.ini.note("(the built-in channel images), Trackbar.ThumbUp/Down/Left/Right; check and radio");
        out.ini.note("images have no frame keys and the help button none either (counted from the image).");
    }
    out.ini.section("TitlebarSkin").set("SkinName", p.name);
}

void add_scheme(SkinOutput& out, const SkinPalette& p)
{
    IniSection& c = out.ini.section("Colours");
    c.set_colour("WindowText", p.window_text);
    c.set_colour("TitleTextActive", p.caption_text);
    c.set_colour("TitleTextNoActive", p.caption_text_inactive);
    c.set_colour("ButtonFace", p.face);
    c.set_colour("ButtonText", p.button_text);
    c.set_colour("ButtonHilight", p.button_hilight);
    c.set_colour("Buttonlight", p.button_light);
    c.set_colour("ButtonShadow", p.button_shadow);
    c.set_colour("ButtonDkShadow", p.button_dk_shadow);
    c.set_colour("HilightText", p.hilight_text);
    c.set_colour("Hilight", p.hilight);
    c.set_colour("Menubar", p.menubar);
    c.set_colour("MenuBarText", p.menubar_text);
    c.set_colour("MenuText", p.menu_text);
    c.set_colour("Menu", p.menu);
    c.set_colour("Scrollbar", p.scrollbar);

    IniSection& custom = out.ini.section("Customcolors");
    for (std::size_t i = 0; i < p.custom_colours.size(); ++i)
        custom.set_colour("Color" + std::to_string(i), p.custom_colours[i]);

    out.ini.section("Fonts").set("FontHeight", 14);
}

} // namespace

SkinOutput build_skin(const SkinPalette& p)
{
    SkinOutput out;
    add_header(out, p);
    add_frame(out, p);
    add_scheme(out, p);
    add_caption_buttons(out, p);
    add_buttons(out, p);
    add_menus(out, p);
    add_scrollbars(out, p);
    add_fields(out, p);
    add_containers(out, p);
    add_ranges(out, p);
    return out;
}

void write_skin(const SkinOutput& skin, const SkinPalette& p, const std::filesystem::path& folder)
{
    write_file(folder / (p.folder + ".ini"), skin.ini.text());
    for (const SkinImage& image : skin.images)
        write_file(folder / image.name, encode_bmp24(image.image));
}

} // namespace tarnivo::skingen
