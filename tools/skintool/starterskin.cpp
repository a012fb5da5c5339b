#include "starterskin.h"

#include "framework/object.h"
#include "skin/resources/quickini.h"
#include "vocabulary.h"

#include "bmpfile.h"
#include "fileio.h"
#include "palette.h"
#include "skinbuilder.h"
#include "tinyfont.h"

#include "framework/streams.h"

#include <vector>

namespace tarnivo::skintool {

namespace fs = std::filesystem;
using namespace tarnivo::skingen;

namespace {

struct KeyNote {
    std::string key;
    const char* value;    // the loader's default, written when the default skin sets none
    const char* comment;
};

struct SectionNotes {
    const char* section;
    const char* comment;
    std::vector<KeyNote> keys;
};

// What an image section reads besides its image and margins; the readers
// differ (the two-image and box-label readers take no "Frame", [Buttons] no
// "Style" or "Frame", [Progress] no "Frame" and no colours).
enum ElementExtras : unsigned { ReadsStyle = 1, ReadsFrame = 2, ReadsColours = 4, ReadsAll = 7 };

// The keys of an image section ([Buttons] and [Progress] name the image
// "Bitmap", the others "Image").
std::vector<KeyNote> ElementKeys(const char* imageKey, const char* frameNote, unsigned extras = ReadsAll)
{
    std::vector<KeyNote> keys = {
        {imageKey, "", frameNote},
        {"LeftWidth", "0", "pixels at the left edge kept unscaled when the image is stretched"},
        {"TopHeight", "0", "pixels at the top kept unscaled"},
        {"RightWidth", "0", "pixels at the right edge kept unscaled"},
        {"BottomHeight", "0", "pixels at the bottom kept unscaled"},
        {"Trans", "0", "1: magenta (255 0 255) pixels are transparent"},
        {"Tile", "0", "1: the middle is tiled, 0: stretched"},
    };
    if (extras & ReadsStyle)
        keys.push_back({"Style", "0", "element-specific drawing style (see the reference)"});
    if (extras & ReadsFrame)
        keys.push_back({"Frame", "0", "frame count, where the element does not fix it"});
    if (extras & ReadsColours) {
        const std::vector<KeyNote> colours = {
            {"NormalColour", "-1", "a colour number ($BBGGRR) for the face, -1 for none"},
            {"MouseOverColour", "-1", "the same under the mouse"},
            {"PressedColour", "-1", "the same while pressed"},
            {"NormalColour2", "", "text colour \"red green blue\"; empty: [Colours] ButtonText"},
            {"MouseOverColour2", "", "text colour under the mouse"},
            {"PressedColour2", "", "text colour while pressed"},
        };
        keys.insert(keys.end(), colours.begin(), colours.end());
    }
    return keys;
}

std::vector<KeyNote> BorderKeys(const std::string& side)
{
    const char* suffixes[][3] = {
        {"", "", "the border image: frame 1 active, frame 2 inactive"},
        {"Frame", "1", "frames in the image"},
        {"TopHeight", "0", "unscaled pixels at the start (top of a side, left end of top/bottom)"},
        {"BotHeight", "0", "unscaled pixels at the end"},
        {"Stretch", "1", "1: the middle is stretched, 0: tiled"},
        {"Trans", "1", "1: magenta pixels are transparent (the window is cut to them)"},
    };
    std::vector<KeyNote> keys;
    for (const auto& s : suffixes)
        keys.push_back({side + s[0], s[1], s[2]});
    return keys;
}

std::vector<SectionNotes> Sections()
{
    std::vector<SectionNotes> all;
    all.push_back({"TitlebarSkin", "The skin's name, shown by programs that list skins.",
                   {{"SkinName", "", "any text"}}});
    SectionNotes personality{"Personality", "The window frame, the caption text and the menu band.", {}};
    for (const char* side : {"Left", "Right", "Top", "Bottom"})
        for (const KeyNote& k : BorderKeys(side))
            personality.keys.push_back(k);
    const std::vector<KeyNote> title = {
        {"TextBack", "", "image behind the caption text: frame 1 active, 2 inactive, stacked"},
        {"TXTBackleft", "0", "unscaled pixels at the left of TextBack"},
        {"TXTBackRight", "0", "unscaled pixels at the right of TextBack"},
        {"TextShift", "0", "caption text starts this far from the title bar's left"},
        {"TextShiftVert", "0", "and this far down"},
        {"TextRightClip", "0", "room kept free at the right (the caption buttons)"},
        {"TextAlignment", "0", "0 left (at TextShift), 1 centred, 2 right (before TextRightClip)"},
        {"Textbackground", "0", "how TextBack is laid behind the text (see the reference)"},
        {"ActiveTextR", "-1", "caption colour of the active window, red 0..255"},
        {"ActiveTextG", "-1", "green"},
        {"ActiveTextB", "-1", "blue"},
        {"InActiveTextR", "-1", "caption colour of an inactive window, red"},
        {"InActiveTextG", "-1", "green"},
        {"InActiveTextB", "-1", "blue"},
        {"menuBar", "", "the menu band: frame 1 active, 2 inactive, stacked"},
        {"TileMenu", "1", "1: the band's middle is stretched, 0: tiled"},
        {"TileLeftMenu", "1", "unscaled pixels at the band's left"},
        {"TileRightMenu", "1", "unscaled pixels at the band's right"},
    };
    personality.keys.insert(personality.keys.end(), title.begin(), title.end());
    all.push_back(personality);
    all.push_back({"Fonts", "", {{"FontHeight", "14", "caption font height in pixels"}}});
    all.push_back({"Colours", "Colours as \"red green blue\"; a missing one keeps the system's.",
                   {{"WindowText", "", "text of edits and lists"},
                    {"TitleTextActive", "", "caption text of the active window"},
                    {"TitleTextNoActive", "", "caption text of inactive windows"},
                    {"ButtonFace", "", "faces of controls and dialogs"},
                    {"ButtonText", "", "text on controls"},
                    {"ButtonHilight", "", "the lit edge of 3D borders"},
                    {"Buttonlight", "", "the inner lit edge"},
                    {"ButtonShadow", "", "the shadowed edge"},
                    {"ButtonDkShadow", "", "the outer shadowed edge"},
                    {"HilightText", "", "text of selected items"},
                    {"Hilight", "", "background of selected items"},
                    {"Menubar", "", "the menu band without an image; default ButtonFace"},
                    {"MenuBarText", "", "text on the menu band"},
                    {"MenuText", "", "text of popup menus"},
                    {"Menu", "", "background of popup menus"},
                    {"Scrollbar", "", "scroll bar tracks without an image"}}});
    SectionNotes custom{"Customcolors", "Ten colours a program may ask the skin for.", {}};
    static const char* customNames[] = {"Color0", "Color1", "Color2", "Color3", "Color4",
                                        "Color5", "Color6", "Color7", "Color8", "Color9"};
    for (const char* name : customNames)
        custom.keys.push_back({name, "255 255 255", "custom colour"});
    all.push_back(custom);
    all.push_back({"MDICONTROLS", "Buttons of a maximised MDI child on the menu band.",
                   {{"Image", "", "12 frames: minimise, restore, close; 4 states each"}}});
    SectionNotes buttons{"Buttons", "Push buttons, check boxes and radio buttons.",
                         ElementKeys("Bitmap", "5 frames: normal, pressed, disabled, hot, focused", ReadsColours)};
    const std::vector<KeyNote> checks = {
        {"CheckButton", "", "check box image"},
        {"CheckButtonFrame", "0", "its frames (0: counted from the image)"},
        {"RadioButton", "", "radio button image"},
        {"RadioButtonFrame", "0", "its frames (0: counted from the image)"},
    };
    buttons.keys.insert(buttons.keys.end(), checks.begin(), checks.end());
    all.push_back(buttons);
    const std::pair<const char*, const char*> elements[] = {
        {"MenuItem", "5 frames: normal, separator, normal, selected, selected"},
        {"MenuBackground", "1 frame: the popup menu window"},
        {"Scrollbar", "23 frames: arrows, thumb grips (see the reference)"},
        {"HorzScroll", "4 frames: horizontal track; 1 enabled, 3 disabled"},
        {"VertScroll", "4 frames: vertical track; 1 enabled, 3 disabled"},
        {"HorzScrollThumb", "FrameCount frames: normal, pressed, hot"},
        {"VertScrollThumb", "FrameCount frames: normal, pressed, hot"},
        {"SunkEdge", "4 frames: combo box frame; normal, pressed, disabled, hot"},
        {"ComboButton", "4 frames: combo drop button, same states"},
        {"ExtraImages", "5 frames: combo arrows 1-4, size grip 5"},
        {"Headerbar", "Frame frames (default 5): normal, hot, pressed"},
        {"Tabs", "5 frames: normal, selected, disabled, hot, selected"},
        {"Tab.Pane", "1 frame: the tab pane when [Tabs] Style is 1"},
        {"StatusBarEdges", "3 frames: lowered, raised, no bevel"},
        {"GroupBoxEdge", "2 frames: group frame enabled, disabled"},
        {"GroupBox", "1 frame: behind a group box's caption"},
        {"ToolBars", "5 frames: flat, pressed, disabled, hot, checked"},
        {"Progress.Chunk", "Frame frames: one chunk, when [Progress] Style is 1"},
        {"Trackbar.ThumbHorz", "5 frames: track-bar thumb, ticks on both sides or none"},
        {"Trackbar.ThumbVert", "5 frames: vertical, ticks on both sides or none"},
        {"Trackbar.ThumbDown", "5 frames: horizontal, ticks below"},
        {"Trackbar.ThumbUp", "5 frames: horizontal, ticks above"},
        {"Trackbar.ThumbLeft", "5 frames: vertical, ticks at the left"},
        {"Trackbar.ThumbRight", "5 frames: vertical, ticks at the right"},
        {"Track", "Frame frames: horizontal track channel"},
        {"TRACKVERT", "Frame frames: vertical track channel"},
        {"UpDown.Vert", "8 frames: upper half 1-4, lower half 5-8"},
        {"UpDown.Horz", "8 frames: left half 1-4, right half 5-8"},
    };
    for (const auto& [section, frames] : elements) {
        const std::string name = section;
        // The two-image and box-label readers take no frame count.
        const bool noFrame = name == "Tabs" || name == "ComboButton" || name == "GroupBox" ||
                             name == "UpDown.Vert" || name == "UpDown.Horz";
        SectionNotes notes{section, "", ElementKeys("Image", frames, noFrame ? ReadsAll & ~ReadsFrame : ReadsAll)};
        if (name == "Tabs")
            notes.keys.push_back({"Border", "", "the tab pane's frame (Style 0)"});
        if (name == "UpDown.Vert" || name == "UpDown.Horz")
            notes.keys.push_back({"GlyphImage", "", "the arrows, drawn over the faces"});
        if (name == "GroupBox") {
            notes.keys.push_back({"BackgroundAlignment", "0", "where the caption background sits (see the reference)"});
            notes.keys.push_back({"BackgroundLeftShift", "0", "extra pixels left of the caption"});
            notes.keys.push_back({"BackgroundRightShift", "0", "extra pixels right of the caption"});
        }
        if (name == "HorzScrollThumb" || name == "VertScrollThumb")
            notes.keys.push_back({"FrameCount", "3", "frames in the thumb image"});
        all.push_back(notes);
    }
    all.push_back({"Progress", "The progress bar.",
                   ElementKeys("Bitmap", "Style 0: 2 frames, track then fill; Style 1: 1 frame, the track",
                               ReadsStyle)});
    return all;
}

const KeyNote CaptionButtonKeys[] = {
    {"ButtonImage", "", "the button: normal, pressed, hot, disabled (frame keys)"},
    {"frame", "0", "frames (0: 3 or 6, from the image's shape)"},
    {"Action", "0", "0 close, 1 maximise/restore, 2 minimise, 3 icon, 20 help ... -1 off"},
    {"Align", "0", "0 from the left, 1 from the right of the title bar"},
    {"Xcoord", "0", "distance from that side"},
    {"Ycoord", "0", "distance from the top"},
    {"Visibility", "0", "when it shows (see the reference's visibility codes)"},
    {"Visibility1", "0", "a second condition"},
    {"CombineOp", "-1", "how it combines with the button beneath"},
};

void WriteKey(std::string& text, const KeyNote& note, const IniSection* given)
{
    const std::string value = given ? given->get(note.key) : std::string();
    text += "; " + std::string(note.comment) + "\r\n";
    text += note.key + "=" + (value.empty() ? note.value : value) + "\r\n";
}

// Sections in table order, each key with its comment; the default skin's
// caption buttons after them, each key commented too.
std::string IniText(const IniDocument& art)
{
    std::string text;
    text += "; A starting skin made by `skintool new`. Edit the values and the bitmaps;\r\n";
    text += "; each image shows its frames outlined and numbered. Lines starting with ';'\r\n";
    text += "; are comments. docs/skin-format.md describes every key.\r\n";
    for (const SectionNotes& notes : Sections()) {
        const IniSection* given = art.find(notes.section);
        text += "\r\n[" + std::string(notes.section) + "]\r\n";
        if (*notes.comment)
            text += "; " + std::string(notes.comment) + "\r\n";
        for (const KeyNote& key : notes.keys)
            WriteKey(text, key, given);
    }
    for (const IniSection& section : art.sections()) {
        if (!IsCaptionButtonSection(section.name()))
            continue;
        text += "\r\n[" + section.name() + "]\r\n";
        for (const KeyNote& key : CaptionButtonKeys)
            WriteKey(text, key, &section);
    }
    return text;
}

SkinPalette StarterPalette()
{
    SkinPalette p = slate_palette();
    p.name = "Starter";
    p.folder = "starter";
    return p;
}

bool IsStacked(const ImageUse& use)
{
    return use.section == "Personality" &&
           (use.key == "Top" || use.key == "Bottom" || use.key == "TextBack" || use.key == "menuBar");
}

// A dotted yellow outline around each frame and its number in the corner
// (where the frame has room for a digit); yellow is never the key colour.
void MarkFrames(Bitmap& image, int frames, bool stacked)
{
    const Rgb mark{255, 230, 0};
    const Rgb ink{0, 0, 0};
    const int w = stacked ? image.width() : image.width() / frames;
    const int h = stacked ? image.height() / frames : image.height();
    if (w < 1 || h < 1)
        return;
    for (int f = 0; f < frames; ++f) {
        const int x0 = stacked ? 0 : f * w;
        const int y0 = stacked ? f * h : 0;
        for (int x = x0; x < x0 + w; x += 2) {
            image.set(x, y0, mark);
            image.set(x, y0 + h - 1, mark);
        }
        for (int y = y0; y < y0 + h; y += 2) {
            image.set(x0, y, mark);
            image.set(x0 + w - 1, y, mark);
        }
        // Corners always, so adjacent frames meet in a visible pair.
        for (const auto& [x, y] : {std::pair{x0, y0}, {x0 + w - 1, y0}, {x0, y0 + h - 1}, {x0 + w - 1, y0 + h - 1}})
            image.set(x, y, mark);
        const std::string label = std::to_string(f + 1);
        if (w >= text_width(label) + 4 && h >= kGlyphHeight + 2) {
            for (int y = y0 + 1; y < y0 + 1 + kGlyphHeight; ++y)
                for (int x = x0 + 1; x < x0 + 3 + text_width(label); ++x)
                    image.set(x, y, mark);
            draw_text(image, x0 + 2, y0 + 1, label, ink);
        }
    }
}

} // namespace

std::string StarterIniText()
{
    return IniText(build_skin(StarterPalette()).ini);
}

int WriteStarterSkin(const fs::path& folder)
{
    if (fs::exists(folder) && (!fs::is_directory(folder) || !fs::is_empty(folder)))
        throw Exception(folder.string() + ": not an empty folder; nothing written");
    fs::create_directories(folder);
    SkinOutput art = build_skin(StarterPalette());
    const std::string text = IniText(art.ini);

    TQuickIni ini;
    TMemoryStream stream;
    stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    stream.SetPosition(0);
    ini.LoadFromStream(&stream);
    for (const ImageUse& use : ImageUses(ini)) {
        const std::string name = LowerCase(ini.ReadString(use.section, use.key, ""));
        for (SkinImage& image : art.images)
            if (image.name == name && use.frames)
                MarkFrames(image.image, *use.frames, IsStacked(use));
    }
    write_file(folder / StarterIniName, text);
    for (const SkinImage& image : art.images)
        write_file(folder / image.name, encode_bmp24(image.image));
    return static_cast<int>(art.images.size()) + 1;
}

} // namespace tarnivo::skintool
