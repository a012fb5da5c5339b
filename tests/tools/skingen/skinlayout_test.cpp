// The generated skins against what the skin loader and the painters read:
// which sections exist, how many frames each image holds and in which
// direction, and whether margins and placements fit.

#include "skinfolder.h"

#include <gtest/gtest.h>

#include <functional>

namespace tarnivo::skingen::test {
namespace {

enum class Direction { SideBySide, Stacked };

// One image key and the frame count the engine derives for it.
struct ImageRule {
    std::string section;
    std::string key;
    Direction direction;
    std::function<int(const IniFile&, const Bitmap&)> frames;
};

std::function<int(const IniFile&, const Bitmap&)> fixed(int n)
{
    return [n](const IniFile&, const Bitmap&) { return n; };
}

std::function<int(const IniFile&, const Bitmap&)> from_key(std::string section, std::string key, int fallback)
{
    return [=](const IniFile& ini, const Bitmap&) { return ini.get_int(section, key, fallback); };
}

// Check and radio frame counts: the key, else the image width in 13- or
// 16-pixel cells, at least 4.
std::function<int(const IniFile&, const Bitmap&)> box_frames(std::string key)
{
    return [=](const IniFile& ini, const Bitmap& image) {
        const int given = ini.get_int("Buttons", key, 0);
        if (given != 0)
            return given;
        return std::max(4, image.width() / (image.height() < 16 ? 13 : 16));
    };
}

std::vector<ImageRule> engine_rules()
{
    std::vector<ImageRule> rules = {
        {"Personality", "Left", Direction::SideBySide, from_key("Personality", "LeftFrame", 1)},
        {"Personality", "Right", Direction::SideBySide, from_key("Personality", "RightFrame", 1)},
        {"Personality", "Top", Direction::Stacked, from_key("Personality", "TopFrame", 1)},
        {"Personality", "Bottom", Direction::Stacked, from_key("Personality", "BottomFrame", 1)},
        {"Personality", "TextBack", Direction::Stacked, fixed(2)},
        {"Personality", "menuBar", Direction::Stacked, fixed(2)},
        {"MDICONTROLS", "Image", Direction::SideBySide, fixed(12)},
        {"Buttons", "Bitmap", Direction::SideBySide, fixed(5)},
        {"Buttons", "CheckButton", Direction::SideBySide, box_frames("CheckButtonFrame")},
        {"Buttons", "RadioButton", Direction::SideBySide, box_frames("RadioButtonFrame")},
        {"Progress", "Bitmap", Direction::SideBySide,
         [](const IniFile& ini, const Bitmap&) { return ini.get_int("Progress", "Style", 0) == 0 ? 2 : 1; }},
        {"Progress.Chunk", "Image", Direction::SideBySide, from_key("Progress.Chunk", "Frame", 0)},
        {"GroupBoxEdge", "Image", Direction::SideBySide, fixed(2)},
        {"GroupBox", "Image", Direction::SideBySide, fixed(1)},
        {"Tabs", "Image", Direction::SideBySide, fixed(5)},
        {"Tabs", "Border", Direction::SideBySide, fixed(1)},
        {"StatusBarEdges", "Image", Direction::SideBySide, fixed(3)},
        {"Tab.Pane", "Image", Direction::SideBySide, fixed(1)},
        {"ToolBars", "Image", Direction::SideBySide, fixed(5)},
        {"ComboButton", "Image", Direction::SideBySide, fixed(4)},
        {"SunkEdge", "Image", Direction::SideBySide, fixed(4)},
        {"ExtraImages", "Image", Direction::SideBySide, fixed(5)},
        {"Headerbar", "Image", Direction::SideBySide,
         [](const IniFile& ini, const Bitmap&) {
             const int n = ini.get_int("Headerbar", "Frame", 0);
             return n == 0 ? 5 : n;
         }},
        {"MenuItem", "Image", Direction::SideBySide, fixed(5)},
        {"MenuBackground", "Image", Direction::SideBySide, fixed(1)},
        {"Scrollbar", "Image", Direction::SideBySide, fixed(23)},
        {"HorzScroll", "Image", Direction::SideBySide, fixed(4)},
        {"VertScroll", "Image", Direction::SideBySide, fixed(4)},
        {"HorzScrollThumb", "Image", Direction::SideBySide, from_key("HorzScrollThumb", "FrameCount", 3)},
        {"VertScrollThumb", "Image", Direction::SideBySide, from_key("VertScrollThumb", "FrameCount", 3)},
        {"UpDown.Horz", "Image", Direction::SideBySide, fixed(8)},
        {"UpDown.Horz", "GlyphImage", Direction::SideBySide, fixed(8)},
        {"UpDown.Vert", "Image", Direction::SideBySide, fixed(8)},
        {"UpDown.Vert", "GlyphImage", Direction::SideBySide, fixed(8)},
        {"Track", "Image", Direction::SideBySide, from_key("Track", "Frame", 0)},
        {"TRACKVERT", "Image", Direction::SideBySide, from_key("TRACKVERT", "Frame", 0)},
    };
    for (const char* thumb : {"ThumbHorz", "ThumbVert", "ThumbLeft", "ThumbRight", "ThumbUp", "ThumbDown"})
        rules.push_back({std::string("Trackbar.") + thumb, "Image", Direction::SideBySide, fixed(5)});
    return rules;
}

// Caption-button sections as the loader picks them.
std::vector<std::string> caption_button_sections(const IniFile& ini)
{
    std::vector<std::string> out;
    for (const std::string& s : ini.order) {
        if (s.rfind("BUTTON", 0) == 0 && s != "BUTTONS" && s != "BUTTON.RADIO" && s != "BUTTON.CHECKBOX" &&
            s != "BUTTON")
            out.push_back(s);
    }
    return out;
}

int caption_button_frames(const IniFile& ini, const std::string& section, const Bitmap& image)
{
    const int given = ini.get_int(section, "frame", 0);
    if (given != 0)
        return given;
    if (ini.get_int(section, "Action", 0) < 0)
        return 6;
    return static_cast<double>(image.width()) / image.height() <= 3.8 ? 3 : 6;
}

struct Frame {
    int width = 0, height = 0;
};

Frame frame_of(const Bitmap& image, int frames, Direction direction)
{
    return direction == Direction::SideBySide ? Frame{image.width() / frames, image.height()}
                                              : Frame{image.width(), image.height() / frames};
}

class SkinLayout : public ::testing::TestWithParam<const SkinFolder* (*)()> {
protected:
    const SkinFolder& skin() const { return *GetParam()(); }
};

const SkinFolder* slate() { return &slate_folder(); }
const SkinFolder* paper() { return &paper_folder(); }

TEST_P(SkinLayout, ImageNamesAndFilesMatchOneToOne)
{
    std::set<std::string> named;
    for (const auto& [section, keys] : skin().ini.sections) {
        for (const auto& [key, value] : keys) {
            if (value.size() < 4 || value.substr(value.size() - 4) != ".bmp")
                continue;
            // The loader ignores path parts and insists on a lower-case ".bmp".
            EXPECT_EQ(value.find_first_of("/\\"), std::string::npos) << section << "." << key;
            EXPECT_TRUE(skin().bitmaps.count(value)) << section << "." << key << " names missing " << value;
            named.insert(value);
        }
    }
    for (const std::string& file : skin().bitmaps) {
        // A picture drawn for 200 % goes unnamed beside the one it stands for.
        const std::size_t at = file.find("@200.bmp");
        const std::string stands_for = at == std::string::npos ? file : file.substr(0, at) + ".bmp";
        EXPECT_TRUE(named.count(stands_for)) << file << " is in the folder but no section names it";
    }
}

// The frame, the caption buttons, the push-button faces, the check and
// radio boxes, the scroll bars, progress bars, track bars, menus, tabs,
// status bars, group boxes, tool bars and MDI buttons carry pictures drawn
// for 200 %: exactly
// twice the size (else the engine ignores them) and drawn, not doubled: a
// rounded corner or a glyph stroke drawn large is not the small one's pixels
// twice over.
TEST_P(SkinLayout, FramePicturesAreDrawnAgainAtTwiceTheSize)
{
    for (const char* name : {"left", "right", "top", "bottom", "btnclose", "btnmin", "btnmax", "buttons",
                             "checkbutton", "radiobutton", "scrollbar", "horzscroll", "vertscroll",
                             "horzthumb", "vertthumb", "progress", "thumbhorz", "thumbvert",
                             "progresschunk", "track", "trackvert", "thumbdown", "thumbup", "thumbleft",
                             "thumbright", "menuitem", "menubackground", "tabs", "tabborder", "tabpane",
                             "statusbaredges", "groupboxedge", "groupbox", "toolbars", "mdicontrols"}) {
        SCOPED_TRACE(name);
        const std::string small_name = std::string(name) + ".bmp";
        const std::string large_name = std::string(name) + "@200.bmp";
        if (!skin().bitmaps.count(small_name))
            continue;   // a picture only the fuller skin carries
        ASSERT_TRUE(skin().bitmaps.count(large_name));
        const Bitmap small = skin().image(small_name);
        const Bitmap large = skin().image(large_name);
        ASSERT_EQ(large.width(), 2 * small.width());
        ASSERT_EQ(large.height(), 2 * small.height());
        int differing = 0;
        for (int y = 0; y < large.height(); ++y)
            for (int x = 0; x < large.width(); ++x)
                differing += large.at(x, y) != small.at(x / 2, y / 2);
        // Flat strips and square one-pixel edges are the same drawn at any size.
        static const std::set<std::string> straight{"bottom",    "horzscroll",     "vertscroll",    "tabborder",
                                                    "tabpane",   "statusbaredges", "menubackground"};
        if (!straight.count(name))
            EXPECT_GT(differing, 0);
    }
}

TEST_P(SkinLayout, EveryImageDividesIntoItsFrames)
{
    const IniFile& ini = skin().ini;
    int checked = 0;
    for (const ImageRule& rule : engine_rules()) {
        const std::string name = ini.get(rule.section, rule.key);
        if (name.empty())
            continue;
        SCOPED_TRACE(rule.section + "." + rule.key + " = " + name);
        const Bitmap image = skin().image(name);
        const int frames = rule.frames(ini, image);
        ASSERT_GT(frames, 0);
        const int length = rule.direction == Direction::SideBySide ? image.width() : image.height();
        EXPECT_EQ(length % frames, 0) << length << " pixels for " << frames << " frames";
        ++checked;
    }
    for (const std::string& section : caption_button_sections(ini)) {
        const std::string name = ini.get(section, "ButtonImage");
        if (name.empty())
            continue;
        const Bitmap image = skin().image(name);
        const int frames = caption_button_frames(ini, section, image);
        EXPECT_TRUE(frames == 3 || frames == 4) << section << ": " << frames << " frames";
        EXPECT_EQ(image.width() % frames, 0) << section;
        ++checked;
    }
    EXPECT_GE(checked, 30);
}

// Nine-grid and three-slice margins must leave room inside one frame.
TEST_P(SkinLayout, MarginsFitInsideOneFrame)
{
    const IniFile& ini = skin().ini;
    for (const ImageRule& rule : engine_rules()) {
        const std::string name = ini.get(rule.section, rule.key);
        if (name.empty() || rule.section == "Personality" || rule.key == "GlyphImage" || rule.key == "Border")
            continue;
        SCOPED_TRACE(rule.section);
        const Bitmap image = skin().image(name);
        const Frame f = frame_of(image, rule.frames(ini, image), rule.direction);
        EXPECT_LE(ini.get_int(rule.section, "LeftWidth", 0) + ini.get_int(rule.section, "RightWidth", 0), f.width);
        EXPECT_LE(ini.get_int(rule.section, "TopHeight", 0) + ini.get_int(rule.section, "BottomHeight", 0), f.height);
    }
    if (ini.has("Tab.Pane")) {
        for (const char* key : {"LeftWidth", "TopHeight", "RightWidth", "BottomHeight"})
            EXPECT_LE(ini.get_int("Tab.Pane", key, 0), 4) << key;
    }
    // Side borders keep their two ends; top and bottom keep their left and right ends.
    for (const std::string side : {"Left", "Right", "Top", "Bottom"}) {
        const Bitmap image = skin().image(ini.get("Personality", side));
        const bool vertical = side == "Left" || side == "Right";
        const Frame f = frame_of(image, ini.get_int("Personality", side + "Frame", 1),
                                 vertical ? Direction::SideBySide : Direction::Stacked);
        const int ends = ini.get_int("Personality", side + "TopHeight", 0) + ini.get_int("Personality", side + "BotHeight", 0);
        EXPECT_LE(ends, vertical ? f.height : f.width) << side;
    }
}

TEST_P(SkinLayout, CaptionButtonsSitInsideTheTitleBarWithoutOverlapping)
{
    const IniFile& ini = skin().ini;
    const Bitmap top = skin().image(ini.get("Personality", "Top"));
    const int border_top = top.height() / ini.get_int("Personality", "TopFrame", 1);
    const Bitmap right = skin().image(ini.get("Personality", "Right"));
    const int border_right = right.width() / ini.get_int("Personality", "RightFrame", 1);

    struct Span {
        std::string section;
        int left, right, visibility;
    };
    std::vector<Span> spans;
    for (const std::string& section : caption_button_sections(ini)) {
        const std::string name = ini.get(section, "ButtonImage");
        if (name.empty())
            continue;
        const Bitmap image = skin().image(name);
        const int w = image.width() / caption_button_frames(ini, section, image);
        const int y = ini.get_int(section, "Ycoord", 0);
        EXPECT_GE(y, 0) << section;
        EXPECT_LE(y + image.height(), border_top) << section;
        ASSERT_EQ(ini.get_int(section, "Align", 0), 1) << section << " is expected right-aligned";
        // Align 1: left edge at window width - Xcoord; measured from the right edge here.
        const int xcoord = ini.get_int(section, "Xcoord", 0);
        EXPECT_LE(w + border_right, xcoord) << section << " reaches into the right border";
        spans.push_back({section, -xcoord, -xcoord + w, ini.get_int(section, "Visibility", 0)});
    }
    ASSERT_GE(spans.size(), 5u);
    for (std::size_t i = 0; i < spans.size(); ++i) {
        for (std::size_t j = i + 1; j < spans.size(); ++j) {
            // Visibility 1 (maximised) and 2 (not maximised) never show together.
            const bool exclusive = (spans[i].visibility == 1 && spans[j].visibility == 2) ||
                                   (spans[i].visibility == 2 && spans[j].visibility == 1);
            const bool overlap = spans[i].left < spans[j].right && spans[j].left < spans[i].right;
            EXPECT_TRUE(exclusive || !overlap) << spans[i].section << " overlaps " << spans[j].section;
        }
    }
    // The caption text stops before the leftmost button.
    const int leftmost = std::min_element(spans.begin(), spans.end(), [](auto& a, auto& b) { return a.left < b.left; })->left;
    EXPECT_GE(ini.get_int("Personality", "TextRightClip", 0), -leftmost - border_right);
}

TEST_P(SkinLayout, MdiButtonsFitTheMenuBand)
{
    const IniFile& ini = skin().ini;
    const Bitmap mdi = skin().image(ini.get("MDICONTROLS", "Image"));
    // A menu band is SM_CYMENU high (18 to 20 pixels on the systems we run on).
    EXPECT_LE(mdi.height(), 18);
    EXPECT_LE(mdi.width() / 12, 18);
}

TEST_P(SkinLayout, ScrollbarThicknessMatchesTheSystemArrowSize)
{
    // The painter uses the image height unless it differs from SM_CXHSCROLL
    // (16 or 17) by more than 2 pixels.
    const Bitmap bar = skin().image(skin().ini.get("Scrollbar", "Image"));
    EXPECT_GE(bar.height(), 15);
    EXPECT_LE(bar.height(), 19);
    EXPECT_EQ(bar.width() / 23, bar.height()) << "arrow cells should be square";
    for (const char* companion : {"HorzScroll", "VertScroll", "HorzScrollThumb", "VertScrollThumb"})
        EXPECT_FALSE(skin().ini.get(companion, "Image").empty()) << companion << " must come with Scrollbar";
}

TEST_P(SkinLayout, ColoursAreCompleteAndWellFormed)
{
    const IniFile& ini = skin().ini;
    for (const char* key : {"WindowText", "TitleTextActive", "TitleTextNoActive", "ButtonFace", "ButtonText",
                            "ButtonHilight", "Buttonlight", "ButtonShadow", "ButtonDkShadow", "HilightText", "Hilight",
                            "Menubar", "MenuBarText", "MenuText", "Menu", "Scrollbar"}) {
        const std::string v = ini.get("Colours", key);
        int r = -1, g = -1, b = -1;
        char extra = 0;
        EXPECT_EQ(std::sscanf(v.c_str(), "%d %d %d %c", &r, &g, &b, &extra), 3) << key << " = " << v;
        for (int c : {r, g, b})
            EXPECT_TRUE(c >= 0 && c <= 255) << key << " = " << v;
    }
    for (int i = 0; i < 10; ++i)
        EXPECT_FALSE(ini.get("Customcolors", "Color" + std::to_string(i)).empty()) << i;
    EXPECT_FALSE(ini.get("TitlebarSkin", "SkinName").empty());
    for (const char* key : {"ActiveTextR", "ActiveTextG", "ActiveTextB", "InActiveTextR", "InActiveTextG", "InActiveTextB"})
        EXPECT_GE(ini.get_int("Personality", key, -1), 0) << key;
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinLayout, ::testing::Values(&slate, &paper),
                         [](const auto& info) { return info.index == 0 ? std::string("Slate") : std::string("Paper"); });

const std::vector<std::string> kOptionalInPaper = {"Personality.TextBack", "Headerbar", "ToolBars", "GroupBox",
                                                   "GroupBoxEdge", "Progress.Chunk", "Tab.Pane", "Track", "TRACKVERT",
                                                   "Trackbar.ThumbUp", "Trackbar.ThumbDown", "Trackbar.ThumbLeft",
                                                   "Trackbar.ThumbRight"};

std::string image_of(const IniFile& ini, const std::string& element)
{
    if (element == "Personality.TextBack")
        return ini.get("Personality", "TextBack");
    return ini.get(element, "Image");
}

TEST(DefaultSkin, CarriesEveryElementThePaintersRead)
{
    const IniFile& ini = slate_folder().ini;
    for (const ImageRule& rule : engine_rules())
        EXPECT_FALSE(ini.get(rule.section, rule.key).empty()) << rule.section << "." << rule.key;
    for (const char* section : {"BUTTON.CLOSE", "BUTTON.MAX", "BUTTON.RESTORE", "BUTTON.MIN", "BUTTON.HELP"})
        EXPECT_FALSE(ini.get(section, "ButtonImage").empty()) << section;
    EXPECT_EQ(ini.get_int("Buttons", "CheckButtonFrame", 0), 12);
    EXPECT_EQ(ini.get_int("Buttons", "RadioButtonFrame", 0), 8);
}

TEST(SecondSkin, LeavesOutOnlyTheDocumentedOptionalElements)
{
    const IniFile& ini = paper_folder().ini;
    for (const std::string& element : kOptionalInPaper)
        EXPECT_TRUE(image_of(ini, element).empty()) << element << " should be left out";
    for (const ImageRule& rule : engine_rules()) {
        const std::string id = rule.section == "Personality" && rule.key == "TextBack" ? "Personality.TextBack" : rule.section;
        if (std::find(kOptionalInPaper.begin(), kOptionalInPaper.end(), id) == kOptionalInPaper.end())
            EXPECT_FALSE(ini.get(rule.section, rule.key).empty()) << rule.section << "." << rule.key;
    }
    // The frame counts it omits come out of the image shapes.
    EXPECT_TRUE(ini.get("Buttons", "CheckButtonFrame").empty());
    EXPECT_TRUE(ini.get("BUTTON.HELP", "frame").empty());
}

} // namespace
} // namespace tarnivo::skingen::test
