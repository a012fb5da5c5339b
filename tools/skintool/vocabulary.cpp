#include "vocabulary.h"

#include "framework/stringlist.h"

namespace tarnivo::skintool {

namespace {

// Sections whose one image ("Image") holds a fixed number of frames.
struct FixedElement {
    const char* section;
    int frames;
};

const FixedElement FixedElements[] = {
    {"GroupBoxEdge", 2}, {"GroupBox", 1},        {"Tabs", 5},         {"StatusBarEdges", 3},
    {"Tab.Pane", 1},     {"ToolBars", 5},        {"ComboButton", 4},  {"SunkEdge", 4},
    {"ExtraImages", 5},  {"MenuItem", 5},        {"MenuBackground", 1}, {"Scrollbar", 23},
    {"HorzScroll", 4},   {"VertScroll", 4},      {"UpDown.Horz", 8},  {"UpDown.Vert", 8},
    {"Trackbar.ThumbHorz", 5}, {"Trackbar.ThumbVert", 5}, {"Trackbar.ThumbLeft", 5},
    {"Trackbar.ThumbRight", 5}, {"Trackbar.ThumbUp", 5},  {"Trackbar.ThumbDown", 5},
    {"MDICONTROLS", 12},
};

// Sections whose "Image" frame count comes from their own "Frame" key.
const char* const FrameKeyElements[] = {"Progress.Chunk", "Track", "TRACKVERT"};

const char* const OtherKnownSections[] = {
    "TitlebarSkin", "Personality", "Colours", "Fonts", "Customcolors", "Buttons", "Progress",
    "Headerbar", "HorzScrollThumb", "VertScrollThumb",
};

std::optional<int> Positive(int value)
{
    return value > 0 ? std::optional<int>(value) : std::nullopt;
}

// Adds the use when the INI has a non-empty value for the key.
void AddIfPresent(const TQuickIni& ini, std::vector<ImageUse>& uses, const std::string& section,
                  const std::string& key, std::optional<int> frames)
{
    if (!ini.ReadString(section, key, "").empty())
        uses.push_back({section, key, frames});
}

void AddCaptionButtons(const TQuickIni& ini, std::vector<ImageUse>& uses)
{
    TStringList sections;
    ini.ReadSections(sections);
    for (int i = 0; i < sections.Count(); ++i) {
        const std::string& section = sections[i];
        if (!IsCaptionButtonSection(section))
            continue;
        const int action = ini.ReadInteger(section, "Action", 0);
        if (action == -1 && ini.ReadInteger(section, "Visibility", -1) != 0)
            continue;  // the loader drops this button
        // Without a "frame" key the loader counts frames from the image's
        // shape, so any image fits.
        AddIfPresent(ini, uses, section, "ButtonImage", Positive(ini.ReadInteger(section, "frame", 0)));
    }
}

} // namespace

bool IsCaptionButtonSection(const std::string& section)
{
    const std::string upper = UpperCase(section);
    return upper.rfind("BUTTON", 0) == 0 && upper != "BUTTONS" && upper != "BUTTON.RADIO" &&
           upper != "BUTTON.CHECKBOX" && upper != "BUTTON";
}

bool IsKnownSection(const std::string& section)
{
    if (IsCaptionButtonSection(section))
        return true;
    for (const FixedElement& element : FixedElements)
        if (SameText(section, element.section))
            return true;
    for (const char* name : FrameKeyElements)
        if (SameText(section, name))
            return true;
    for (const char* name : OtherKnownSections)
        if (SameText(section, name))
            return true;
    return false;
}

std::vector<ImageUse> ImageUses(const TQuickIni& ini)
{
    std::vector<ImageUse> uses;
    for (const char* side : {"Left", "Right", "Top", "Bottom"})
        AddIfPresent(ini, uses, "Personality", side,
                     Positive(ini.ReadInteger("Personality", std::string(side) + "Frame", 1)));
    AddIfPresent(ini, uses, "Personality", "TextBack", 2);
    AddIfPresent(ini, uses, "Personality", "menuBar", 2);
    AddCaptionButtons(ini, uses);

    AddIfPresent(ini, uses, "Buttons", "Bitmap", 5);
    AddIfPresent(ini, uses, "Buttons", "CheckButton", Positive(ini.ReadInteger("Buttons", "CheckButtonFrame", 0)));
    AddIfPresent(ini, uses, "Buttons", "RadioButton", Positive(ini.ReadInteger("Buttons", "RadioButtonFrame", 0)));
    AddIfPresent(ini, uses, "Progress", "Bitmap", ini.ReadInteger("Progress", "Style", 0) == 0 ? 2 : 1);

    for (const FixedElement& element : FixedElements)
        AddIfPresent(ini, uses, element.section, "Image", element.frames);
    for (const char* section : FrameKeyElements)
        AddIfPresent(ini, uses, section, "Image", Positive(ini.ReadInteger(section, "Frame", 0)));
    const int headerFrames = ini.ReadInteger("Headerbar", "Frame", 0);
    AddIfPresent(ini, uses, "Headerbar", "Image", Positive(headerFrames == 0 ? 5 : headerFrames));
    for (const char* thumb : {"HorzScrollThumb", "VertScrollThumb"})
        AddIfPresent(ini, uses, thumb, "Image", Positive(ini.ReadInteger(thumb, "FrameCount", 3)));

    // Second images, whose frames follow the painter rather than a count.
    AddIfPresent(ini, uses, "Tabs", "Border", std::nullopt);
    AddIfPresent(ini, uses, "UpDown.Horz", "GlyphImage", std::nullopt);
    AddIfPresent(ini, uses, "UpDown.Vert", "GlyphImage", std::nullopt);
    return uses;
}

} // namespace tarnivo::skintool
