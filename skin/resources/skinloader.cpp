#include "skinloader.h"

#include "quickini.h"
#include "skinderived.h"
#include "skinelements.h"
#include "skinimages.h"
#include "skinreader.h"

#include "framework/stringlist.h"
#include "framework/windowdpi.h"

#include <algorithm>
#include <memory>
#include <string>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace tarnivo {

namespace {

constexpr const char* Personality = "Personality";

// Which way a border runs decides which margins its cap lengths fill.
enum class TBorderRun { Vertical, Horizontal };

// Reads one skin into a fresh element set, in the order the INI vocabulary
// defines: later steps read what earlier ones produced (the text colours
// default to the button text colour just read, the combo faces need every
// combo element, the tool-bar gradient the caption colour).
class Loader {
public:
    Loader(const TQuickIni& ini, TSkinImages& images, TSkinElements& e,
           const TSkinLoadEnvironment& environment)
        : m_ini(ini), m_images(images), m_e(e), m_env(environment)
    {
    }

    void Run();

private:
    std::int32_t Int(const std::string& section, const std::string& key, std::int32_t def) const
    {
        return m_ini.ReadInteger(section, key, def);
    }
    // A length, offset or count in pixels. Painters add these to window
    // coordinates and to each other; held to what a window could show, no
    // sum of a few of them overflows, whatever the skin wrote
    // (LeftWidth=2147483647 included).
    std::int32_t Length(const std::string& section, const std::string& key, std::int32_t def) const
    {
        return std::clamp(Int(section, key, def), -MaxSkinLength, MaxSkinLength);
    }
    std::string Str(const std::string& section, const std::string& key) const
    {
        return m_ini.ReadString(section, key, std::string());
    }
    void LoadImage(const std::string& value, TBitmap& target) const;
    void ReadColors(const std::string& section, TDataSkinObject& element) const;
    template <typename T>
    std::unique_ptr<T> ReadFace(const std::string& section, const char* imageKey) const;
    template <typename T>
    std::unique_ptr<T> ReadCommon(const std::string& section) const;

    std::unique_ptr<TDataSkinObject> ReadGeneric(const std::string& section) const;
    std::unique_ptr<TDataSkinBorder> ReadTwoImages(const std::string& section,
                                                   const std::string& secondKey) const;
    std::unique_ptr<TDataSkinBorder> ReadProgress() const;
    std::unique_ptr<TDataSkinBoxLabel> ReadBoxLabel(const std::string& section) const;
    std::unique_ptr<TDataSkinObject> ReadMenuBar() const;
    std::unique_ptr<TDataSkinObject> ReadTrack(const std::string& section,
                                               const char* resource) const;
    void ReadBorder(TDataSkinBorder& border, TBorderRun run) const;
    void ReadButtons() const;
    void ReadTitle() const;
    void ReadSysButtons() const;
    bool KeepSysButtonSection(const std::string& section) const;
    void SetFrameCounts() const;
    void GuardFrameCounts() const;

    const TQuickIni& m_ini;
    TSkinImages& m_images;
    TSkinElements& m_e;
    const TSkinLoadEnvironment& m_env;
    TStringList m_sections;
};

void Loader::LoadImage(const std::string& value, TBitmap& target) const
{
    // The file-name part must end in ".bmp" (lower case); any path is ignored.
    // Each entry is decoded once however many keys name it; a skin whose
    // images would take more than their budget stops here (ESkinRefused).
    const std::string entry = SkinImageEntryName(value);
    if (!entry.empty()) {
        const bmp::Image* image = m_images.Use(entry);
        if (image && target.LoadFromImage(*image))
            return;
    }
    target.SetSize(0, 0);
}

void Loader::ReadColors(const std::string& section, TDataSkinObject& element) const
{
    const TColor buttonText = m_e.Colors[csButtonText];
    element.NormalColor = ColorFromNumber(Int(section, "NormalColour", -1));
    element.MouseOverColor = ColorFromNumber(Int(section, "MouseOverColour", -1));
    element.PressedColor = ColorFromNumber(Int(section, "PressedColour", -1));
    element.NormalTextColor = ReadColorText(m_ini, section, "NormalColour2", buttonText);
    element.MouseOverTextColor = ReadColorText(m_ini, section, "MouseOverColour2", buttonText);
    element.PressedTextColor = ReadColorText(m_ini, section, "PressedColour2", buttonText);
}

// What every image-and-margins section holds: absent without a non-empty
// image under `imageKey`; image, style, margins, trans and the tile value as
// written (the callers differ in how they clamp it).
template <typename T>
std::unique_ptr<T> Loader::ReadFace(const std::string& section, const char* imageKey) const
{
    const std::string image = Str(section, imageKey);
    if (image.empty())
        return nullptr;
    auto element = std::make_unique<T>(section);
    LoadImage(image, element->Image);
    element->Style = Int(section, "Style", 0);
    element->Margins.Left = Length(section, "LeftWidth", 0);
    element->Margins.Right = Length(section, "RightWidth", 0);
    element->Margins.Top = Length(section, "TopHeight", 0);
    element->Margins.Bottom = Length(section, "BottomHeight", 0);
    element->Trans = Int(section, "Trans", 0);
    element->Tile = Int(section, "Tile", 0);
    return element;
}

// The part the generic, two-image and box-label readers share: the face
// under "Image", a tile value above 1 read as 0, and the colours.
template <typename T>
std::unique_ptr<T> Loader::ReadCommon(const std::string& section) const
{
    auto element = ReadFace<T>(section, "Image");
    if (!element)
        return nullptr;
    if (element->Tile > 1)
        element->Tile = 0;
    ReadColors(section, *element);
    return element;
}

std::unique_ptr<TDataSkinObject> Loader::ReadGeneric(const std::string& section) const
{
    auto element = ReadCommon<TDataSkinObject>(section);
    if (element)
        element->FrameCount = Length(section, "Frame", 0);
    return element;
}

std::unique_ptr<TDataSkinBorder> Loader::ReadTwoImages(const std::string& section,
                                                       const std::string& secondKey) const
{
    auto element = ReadCommon<TDataSkinBorder>(section);
    if (element) {
        const std::string second = Str(section, secondKey);
        if (!second.empty())
            LoadImage(second, element->Image2);
    }
    return element;
}

std::unique_ptr<TDataSkinBorder> Loader::ReadProgress() const
{
    // The progress bar names its image "Bitmap" and reads a tile value
    // above 1 as 1; it has no colours.
    auto element = ReadFace<TDataSkinBorder>("Progress", "Bitmap");
    if (element && element->Tile > 1)
        element->Tile = 1;
    return element;
}

std::unique_ptr<TDataSkinBoxLabel> Loader::ReadBoxLabel(const std::string& section) const
{
    auto element = ReadCommon<TDataSkinBoxLabel>(section);
    if (element) {
        element->BackgroundAlignment = Int(section, "BackgroundAlignment", 0);
        element->BackgroundLeftShift = Length(section, "BackgroundLeftShift", 0);
        element->BackgroundRightShift = Length(section, "BackgroundRightShift", 0);
    }
    return element;
}

std::unique_ptr<TDataSkinObject> Loader::ReadMenuBar() const
{
    const std::string image = Str(Personality, "menuBar");
    if (image.empty())
        return nullptr;
    auto element = std::make_unique<TDataSkinObject>("menuBar");
    LoadImage(image, element->Image);
    // "TileMenu" is 1 for a stretched band, like a border's "Stretch"; Tile
    // takes the sense it has everywhere else (1: tiled middle).
    element->Tile = Int(Personality, "TileMenu", 1) >= 1 ? 0 : 1;
    element->Margins.Left = Length(Personality, "TileLeftMenu", 1);
    element->Margins.Right = Length(Personality, "TileRightMenu", 1);
    return element;
}

// A skin without its own track channel gets the program's built-in one.
std::unique_ptr<TDataSkinObject> Loader::ReadTrack(const std::string& section,
                                                   const char* resource) const
{
    if (auto element = ReadGeneric(section))
        return element;
    auto element = std::make_unique<TDataSkinObject>(section);
    if (!m_env.Resources || !element->Image.LoadFromResourceName(m_env.Resources, resource))
        element->Image.SetSize(0, 0);
    element->Margins = TSkinMargins{3, 3, 3, 3};
    element->Tile = 0;
    element->FrameCount = 1;
    return element;
}

// A vertical border's TopHeight/BotHeight are its upper and lower caps; a
// horizontal border's are its left and right ends. "<Side>Stretch" says 1 for
// a stretched middle; Tile gets the sense it has for every other element.
void Loader::ReadBorder(TDataSkinBorder& border, TBorderRun run) const
{
    const std::string& side = border.Name;
    LoadImage(Str(Personality, side), border.Image);
    const std::int32_t first = Length(Personality, side + "TopHeight", 0);
    const std::int32_t second = Length(Personality, side + "BotHeight", 0);
    border.Margins = run == TBorderRun::Horizontal ? TSkinMargins{first, 0, second, 0}
                                                   : TSkinMargins{0, first, 0, second};
    border.FrameCount = Length(Personality, side + "Frame", 1);
    border.Stretch = std::min(Int(Personality, side + "Stretch", 1), 1);
    border.Tile = border.Stretch == 1 ? 0 : 1;
    border.Trans = Int(Personality, side + "Trans", 1);
}

void Loader::ReadButtons() const
{
    const std::string section = "Buttons";
    TDataSkinButton& b = *m_e.Buttons;
    b.Margins.Left = Length(section, "LeftWidth", 0);
    b.Margins.Right = Length(section, "RightWidth", 0);
    b.Margins.Top = Length(section, "TopHeight", 0);
    b.Margins.Bottom = Length(section, "BottomHeight", 0);
    b.Trans = Int(section, "Trans", 0);
    LoadImage(Str(section, "Bitmap"), b.Image);
    b.Tile = Int(section, "Tile", 0);
    if (b.Tile > 1)
        b.Tile = 0;
    LoadImage(Str(section, "CheckButton"), b.CheckImage);
    LoadImage(Str(section, "RadioButton"), b.RadioImage);
    b.RadioFrameCount = Length(section, "RadioButtonFrame", 0);
    b.CheckFrameCount = Length(section, "CheckButtonFrame", 0);
    ReadColors(section, b);
    b.HasNormalTextColor = !Str(section, "NormalColour2").empty();
    b.HasMouseOverTextColor = !Str(section, "MouseOverColour2").empty();
    b.HasPressedTextColor = !Str(section, "PressedColour2").empty();
}

void Loader::ReadTitle() const
{
    TDataSkinTitle& t = *m_e.Title;
    LoadImage(Str(Personality, "TextBack"), t.Image);
    t.Margins = TSkinMargins{Length(Personality, "TextShift", 0), Length(Personality, "TextShiftVert", 0),
                             Length(Personality, "TextRightClip", 0), 0};
    t.TextAlignment = Int(Personality, "TextAlignment", 0);
    t.TextBackground = Int(Personality, "Textbackground", 0);
    t.TextBackLeft = Length(Personality, "TXTBackleft", 0);
    t.TextBackRight = Length(Personality, "TXTBackRight", 0);
    t.FontHeight = Length("Fonts", "FontHeight", 14);
    t.FontHeightGiven = !Str("Fonts", "FontHeight").empty();
    t.ActiveTextColor = ReadColorTriple(m_ini, Personality, "ActiveText", clNotGiven);
    t.InactiveTextColor = ReadColorTriple(m_ini, Personality, "InActiveText", clNotGiven);
}

bool Loader::KeepSysButtonSection(const std::string& section) const
{
    const std::string upper = UpperCase(section);
    if (upper.rfind("BUTTON", 0) != 0 || upper == "BUTTONS" || upper == "BUTTON.RADIO" ||
        upper == "BUTTON.CHECKBOX" || upper == "BUTTON")
        return false;
    // Action -1 marks a button the skin switches off, unless it is shown on
    // request (Visibility 0).
    return Int(section, "Action", 0) != -1 || Int(section, "Visibility", -1) == 0;
}

void Loader::ReadSysButtons() const
{
    for (int i = 0; i < m_sections.Count(); ++i) {
        const std::string& section = m_sections[i];
        if (!KeepSysButtonSection(section))
            continue;
        auto b = std::make_unique<TDataSkinSysButton>(UpperCase(section));
        b->Action = Int(section, "Action", 0);
        b->Align = Int(section, "Align", 0);
        b->X = Length(section, "Xcoord", 0);
        b->Y = Length(section, "Ycoord", 0);
        b->Visibility = Int(section, "Visibility", 0);
        b->Visibility1 = Int(section, "Visibility1", b->Action == -1 ? -1 : 0);
        b->CombineOp = Int(section, "CombineOp", -1);
        b->FrameCount = Length(section, "frame", 0);
        LoadImage(Str(section, "ButtonImage"), b->Image);
        if (b->FrameCount == 0) {
            b->FrameCount = 6;
            // Width / height <= 3.8, in integers: the i686 build computes
            // double(76) / 20 in x87 extended precision, where it compares
            // above the double constant 3.8, and a 76 x 20 image got 6
            // frames instead of 3.
            if (!b->Image.Empty())
                b->FrameCount = 5 * b->Image.Width() <= 19 * b->Image.Height() ? 3 : 6;
            if (b->Action < 0)
                b->FrameCount = 6;
            if (b->Action == 3 || b->Action == 11)
                b->Image.SetSize(0, 0);
        }
        m_e.SysButtons.push_back(std::move(b));
    }
    // The minimise, restore and close buttons of a maximised MDI child.
    for (int action : {7, 8, 9}) {
        auto b = std::make_unique<TDataSkinSysButton>("MDICONTROLS");
        b->Action = action;
        b->Align = 100;
        b->Visibility = 100;
        b->Visibility1 = 100;
        b->FrameCount = 4;
        m_e.SysButtons.push_back(std::move(b));
    }
    TBitmap mdi;
    LoadImage(Str("MDICONTROLS", "Image"), mdi);
    if (!mdi.Empty())
        CutMdiButtons(mdi, m_e);
}

// Each painter reads its frames in a fixed layout; the count is the layout's,
// whatever "Frame" said.
void Loader::SetFrameCounts() const
{
    auto set = [](const auto& element, std::int32_t count) {
        if (element)
            element->FrameCount = count;
    };
    TDataSkinButton& b = *m_e.Buttons;
    b.FrameCount = 5;
    b.RadioFrameCount = ImageFrameCount(b.RadioImage, b.RadioFrameCount);
    b.CheckFrameCount = ImageFrameCount(b.CheckImage, b.CheckFrameCount);
    m_e.Title->FrameCount = 2;
    if (m_e.Progress)
        m_e.Progress->FrameCount = m_e.Progress->Style == 0 ? 2 : 1;
    set(m_e.MenuBar, 2);
    set(m_e.GroupBoxEdge, 2);
    set(m_e.ToolBars, 5);
    set(m_e.Tabs, 5);
    set(m_e.TabPane, 1);
    set(m_e.StatusBarEdges, 3);
    set(m_e.GroupBox, 1);
    set(m_e.ComboButton, 4);
    set(m_e.SunkEdge, 4);
    set(m_e.ExtraImages, 5);
    if (m_e.Headerbar && m_e.Headerbar->FrameCount == 0)
        m_e.Headerbar->FrameCount = 5;
    set(m_e.MenuItem, 5);
    set(m_e.MenuBackground, 1);
    set(m_e.Scrollbar, 23);
    set(m_e.HorzScroll, 4);
    set(m_e.VertScroll, 4);
    set(m_e.UpDownVert, 8);
    set(m_e.UpDownHorz, 8);
    for (const auto& thumb : m_e.TrackThumbs)
        set(thumb, 5);
    set(m_e.HorzScrollThumb, Length("HorzScrollThumb", "FrameCount", 3));
    set(m_e.VertScrollThumb, Length("VertScrollThumb", "FrameCount", 3));
}

void Loader::Run()
{
    m_ini.ReadSections(m_sections);
    m_e.SkinName = Str("TitlebarSkin", "SkinName");
    ReadBorder(*m_e.Left, TBorderRun::Vertical);
    ReadBorder(*m_e.Right, TBorderRun::Vertical);
    ReadBorder(*m_e.Top, TBorderRun::Horizontal);
    ReadBorder(*m_e.Bottom, TBorderRun::Horizontal);
    LoadSchemeColors(m_ini, m_e.Colors);
    LoadCustomColors(m_ini, m_e.CustomColors);
    ReadSysButtons();
    ReadButtons();
    ReadTitle();
    m_e.Progress = ReadProgress();
    m_e.ProgressChunk = ReadGeneric("Progress.Chunk");
    m_e.MenuBar = ReadMenuBar();
    m_e.GroupBoxEdge = ReadGeneric("GroupBoxEdge");
    m_e.GroupBox = ReadBoxLabel("GroupBox");
    m_e.Tabs = ReadTwoImages("Tabs", "Border");
    m_e.StatusBarEdges = ReadGeneric("StatusBarEdges");
    m_e.TabPane = ReadGeneric("Tab.Pane");
    if (m_e.TabPane)
        LimitMargins(m_e.TabPane->Margins, 4);
    m_e.ToolBars = ReadGeneric("ToolBars");
    // "****" is never a key: the combo button's second image is derived.
    m_e.ComboButton = ReadTwoImages("ComboButton", "****");
    m_e.SunkEdge = ReadGeneric("SunkEdge");
    if (m_e.ComboButton && !m_e.ComboButton->Image.Empty())
        MirrorComboButton(*m_e.ComboButton);
    m_e.ExtraImages = ReadGeneric("ExtraImages");
    m_e.Headerbar = ReadGeneric("Headerbar");
    m_e.MenuItem = ReadGeneric("MenuItem");
    m_e.MenuBackground = ReadGeneric("MenuBackground");
    m_e.Scrollbar = ReadGeneric("Scrollbar");
    m_e.HorzScroll = ReadGeneric("HorzScroll");
    m_e.VertScroll = ReadGeneric("VertScroll");
    m_e.HorzScrollThumb = ReadGeneric("HorzScrollThumb");
    m_e.VertScrollThumb = ReadGeneric("VertScrollThumb");
    for (int t = 0; t < TrackThumbCount; ++t)
        m_e.TrackThumbs[static_cast<std::size_t>(t)] =
            ReadGeneric(TrackThumbSection(static_cast<TTrackThumb>(t)));
    m_e.UpDownHorz = ReadTwoImages("UpDown.Horz", "GlyphImage");
    m_e.UpDownVert = ReadTwoImages("UpDown.Vert", "GlyphImage");
    m_e.Track = ReadTrack("Track", "TRACK");
    m_e.TrackVert = ReadTrack("TRACKVERT", "TRACKVERT");
    SetFrameCounts();
    if (m_e.SunkEdge && m_e.ComboButton)
        ComposeComboImages(m_e, m_env.ScrollArrowWidth + 2);
    BuildComboxArrow(m_e);
    m_e.Colors[csCaption] = CaptionColor(m_e);
    BuildToolbar(m_e);
    GuardFrameCounts();
}

// Painters divide an image's width or height by its frame count. A skin that
// says "Frame=0" or a negative count where the count is taken from the INI
// would make them divide by zero: such counts become 1.
void Loader::GuardFrameCounts() const
{
    for (TDataSkinObject* element : m_e.All())
        element->FrameCount = std::max(element->FrameCount, 1);
    m_e.Buttons->RadioFrameCount = std::max(m_e.Buttons->RadioFrameCount, 1);
    m_e.Buttons->CheckFrameCount = std::max(m_e.Buttons->CheckFrameCount, 1);
}

} // namespace

TSkinLoadEnvironment CurrentSkinLoadEnvironment()
{
    TSkinLoadEnvironment environment;
    // The module this code is linked into: the program, or a DLL that
    // carries its own copy of the skin engine with its own resources.
    environment.Resources = reinterpret_cast<HINSTANCE>(&__ImageBase);
    // The elements read here are the 96-DPI set that every other DPI is
    // scaled from; on a screen above 96 DPI the system's metric is already
    // larger, and taken as it is the combo button would be scaled twice.
    environment.ScrollArrowWidth = ScaleFromSystemDpi(GetSystemMetrics(SM_CXHSCROLL), 96);
    return environment;
}

void LoadFromIni(const TQuickIni& ini, TSkinImages& images, TSkinElements& elements,
                 const TSkinLoadEnvironment& environment)
{
    Loader(ini, images, elements, environment).Run();
}

} // namespace tarnivo
