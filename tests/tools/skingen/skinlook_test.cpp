// The generated artwork against what the engine does with its pixels: where
// magenta must be (cut-out corners, see-through parts) and must not be
// (anything repainted over itself), readable text, visible state changes,
// and byte-identical output.

#include "skinfolder.h"

#include "bmpfile.h"
#include "palette.h"
#include "skinbuilder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tarnivo::skingen::test {
namespace {

Bitmap frame(const Bitmap& image, int frames, int index, bool stacked = false)
{
    if (stacked) {
        const int h = image.height() / frames;
        return image.crop(0, h * (index - 1), image.width(), h);
    }
    const int w = image.width() / frames;
    return image.crop(w * (index - 1), 0, w, image.height());
}

int key_pixels(const Bitmap& b)
{
    int n = 0;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            n += is_key_colour(b.at(x, y)) ? 1 : 0;
    return n;
}

// Mean absolute channel difference between two equally sized images.
double difference(const Bitmap& a, const Bitmap& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const Rgb p = a.at(x, y), q = b.at(x, y);
            sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

class SkinArtwork : public ::testing::TestWithParam<const SkinFolder* (*)()> {
protected:
    const SkinFolder& skin() const { return *GetParam()(); }
    Bitmap element(const std::string& section, const std::string& key) const
    {
        return skin().image(skin().ini.get(section, key));
    }
};

const SkinFolder* slate() { return &slate_folder(); }
const SkinFolder* paper() { return &paper_folder(); }

TEST_P(SkinArtwork, TopCornersAreCutAndTheRestOfTheFrameIsSolid)
{
    const Bitmap left = element("Personality", "Left");
    const Bitmap right = element("Personality", "Right");
    for (int f = 1; f <= 2; ++f) {
        SCOPED_TRACE(f);
        const Bitmap l = frame(left, 2, f), r = frame(right, 2, f);
        const int w = l.width();
        // The outermost corner pixels lie outside a 6-pixel radius.
        for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}}) {
            EXPECT_TRUE(is_key_colour(l.at(x, y))) << "left " << x << "," << y;
            EXPECT_TRUE(is_key_colour(r.at(w - 1 - x, y))) << "right " << x << "," << y;
        }
        // Below the rounding every pixel is part of the window.
        for (int y = 6; y < l.height(); ++y) {
            for (int x = 0; x < w; ++x) {
                EXPECT_FALSE(is_key_colour(l.at(x, y))) << "left " << x << "," << y;
                EXPECT_FALSE(is_key_colour(r.at(x, y))) << "right " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(skin().ini.get_int("Personality", "LeftTrans", 0), 1);
    EXPECT_EQ(skin().ini.get_int("Personality", "RightTrans", 0), 1);
    EXPECT_EQ(key_pixels(element("Personality", "Bottom")), 0);
    // Top row 0 may be cut near its ends only; the title itself is solid.
    const Bitmap top = element("Personality", "Top");
    for (int y = 1; y < top.height(); ++y)
        for (int x = 0; x < top.width(); ++x)
            ASSERT_FALSE(is_key_colour(top.at(x, y))) << x << "," << y;
}

TEST_P(SkinArtwork, CaptionColourSampleLiesOnTheTitleGradient)
{
    // The loader samples the top border at (width / 3, frame height / 3) for
    // csCaption, which tints the tool-bar background.
    const Bitmap top = element("Personality", "Top");
    const Rgb sample = top.at(top.width() / 3, top.height() / 2 / 3);
    EXPECT_FALSE(is_key_colour(sample));
    EXPECT_EQ(top.height() / 2, 26) << "title bar height";
}

TEST_P(SkinArtwork, ButtonsRepaintedInPlaceAreOpaque)
{
    // Caption and MDI buttons are redrawn straight over their previous state on
    // every hover change; any see-through pixel would keep the old state visible.
    for (const char* section : {"BUTTON.CLOSE", "BUTTON.MAX", "BUTTON.RESTORE", "BUTTON.MIN", "BUTTON.HELP"})
        EXPECT_EQ(key_pixels(element(section, "ButtonImage")), 0) << section;
    EXPECT_EQ(key_pixels(element("MDICONTROLS", "Image")), 0);
    // Scroll arrows are drawn where no track lies under them.
    const Bitmap bar = element("Scrollbar", "Image");
    for (int f = 1; f <= 16; ++f)
        EXPECT_EQ(key_pixels(frame(bar, 23, f)), 0) << "arrow frame " << f;
}

TEST_P(SkinArtwork, SeeThroughPartsAreMagenta)
{
    // A normal menu item lets the popup background show through.
    const Bitmap item = frame(element("MenuItem", "Image"), 5, 1);
    EXPECT_EQ(key_pixels(item), item.width() * item.height());
    // The combo frame leaves its text area to the control.
    const Bitmap edge = frame(element("SunkEdge", "Image"), 4, 1);
    EXPECT_TRUE(is_key_colour(edge.at(edge.width() / 2, edge.height() / 2)));
    // A grip shows only its ridges over the thumb.
    const Bitmap grip = frame(element("Scrollbar", "Image"), 23, 20);
    EXPECT_GT(key_pixels(grip), grip.width() * grip.height() / 2);
}

TEST_P(SkinArtwork, HotAndPressedLooksStandOut)
{
    for (const char* section : {"BUTTON.CLOSE", "BUTTON.MAX", "BUTTON.MIN"}) {
        const Bitmap strip = element(section, "ButtonImage");
        const int n = skin().ini.get_int(section, "frame", 3);
        const Bitmap normal = frame(strip, n, 1), pressed = frame(strip, n, 2), hot = frame(strip, n, 3);
        EXPECT_GT(difference(normal, hot), 8.0) << section;
        EXPECT_GT(difference(normal, pressed), 8.0) << section;
        EXPECT_GT(difference(hot, pressed), 3.0) << section;
    }
    const Bitmap faces = element("Buttons", "Bitmap");
    EXPECT_GT(difference(frame(faces, 5, 1), frame(faces, 5, 4)), 3.0) << "hot face";
    EXPECT_GT(difference(frame(faces, 5, 1), frame(faces, 5, 2)), 3.0) << "pressed face";
    const Bitmap arrows = element("Scrollbar", "Image");
    EXPECT_GT(difference(frame(arrows, 23, 13), frame(arrows, 23, 16)), 8.0) << "hot down arrow";
    EXPECT_GT(difference(frame(arrows, 23, 13), frame(arrows, 23, 14)), 8.0) << "pressed down arrow";
}

INSTANTIATE_TEST_SUITE_P(Skins, SkinArtwork, ::testing::Values(&slate, &paper),
                         [](const auto& info) { return info.index == 0 ? std::string("Slate") : std::string("Paper"); });

class EachPalette : public ::testing::TestWithParam<SkinPalette (*)()> {};

TEST_P(EachPalette, TextIsReadableInEveryActiveState)
{
    const SkinPalette p = GetParam()();
    struct Pair {
        const char* what;
        Rgb text, background;
    };
    const Pair pairs[] = {
        {"caption on title top", p.caption_text, p.title_top},
        {"caption on title bottom", p.caption_text, p.title_bottom},
        {"button text on face top", p.button_text, p.button_top},
        {"button text on face bottom", p.button_text, p.button_bottom},
        {"hot button text", p.button_text_hot, p.button_hot_top},
        {"hot button text, lower half", p.button_text_hot, p.button_hot_bottom},
        {"pressed button text", p.button_text_pressed, p.button_pressed},
        {"menu text", p.menu_text, p.menu},
        {"selected menu text", p.hilight_text, p.accent_deep},
        {"menu band text", p.menubar_text, p.menubar},
        {"tab text", p.tab_text, p.tab_fill},
        {"selected tab text", p.tab_text_selected, p.face},
        {"status text", p.status_text, p.face},
        {"window text", p.window_text, p.face},
    };
    for (const Pair& pair : pairs)
        EXPECT_GE(contrast(pair.text, pair.background), 4.5) << pair.what;
}

INSTANTIATE_TEST_SUITE_P(Palettes, EachPalette, ::testing::Values(&slate_palette, &paper_palette),
                         [](const auto& info) { return info.index == 0 ? std::string("Slate") : std::string("Paper"); });

TEST(Output, IsTheSameEveryTime)
{
    for (const SkinPalette& p : {slate_palette(), paper_palette()}) {
        const SkinOutput first = build_skin(p), second = build_skin(p);
        EXPECT_EQ(first.ini.text(), second.ini.text());
        ASSERT_EQ(first.images.size(), second.images.size());
        for (std::size_t i = 0; i < first.images.size(); ++i)
            EXPECT_EQ(encode_bmp24(first.images[i].image), encode_bmp24(second.images[i].image)) << first.images[i].name;
    }
}

TEST(Output, SkinsAreClearlyDifferent)
{
    const SkinPalette slate = slate_palette(), paper = paper_palette();
    EXPECT_GT(contrast(slate.face, paper.face), 3.0);
    EXPECT_GT(contrast(slate.title_top, paper.title_top), 3.0);
}

} // namespace
} // namespace tarnivo::skingen::test
