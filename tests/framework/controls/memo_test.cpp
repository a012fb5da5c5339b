// TMemo: lines as the window's text, styles that need a new window.

#include "framework/controls/memo.h"

#include "testform.h"

namespace tarnivo {
namespace {

class Memo : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        memo = new TMemo(form.get());
        memo->SetParent(form.get());
    }
    DWORD Style() { return static_cast<DWORD>(GetWindowLongA(memo->Handle(), GWL_STYLE)); }
    TMemo* memo = nullptr;
};

TEST_F(Memo, LinesRoundTripThroughTheWindowWithoutATrailingBreak)
{
    TStringList lines;
    lines.SetText("first\nsecond\n\nfourth");
    memo->SetLines(lines);
    EXPECT_EQ(memo->Text(), "first\r\nsecond\r\n\r\nfourth");
    EXPECT_EQ(memo->LineCount(), 4);
    EXPECT_EQ(SendMessageA(memo->Handle(), EM_GETLINECOUNT, 0, 0), 4);
    memo->AddLine("fifth");
    TStringList back;
    memo->GetLines(back);
    ASSERT_EQ(back.Count(), 5);
    EXPECT_EQ(back[2], "");
    EXPECT_EQ(back[4], "fifth");
    memo->SetText("");
    memo->AddLine("alone");
    EXPECT_EQ(memo->Text(), "alone");
    EXPECT_EQ(memo->LineCount(), 1);
}

TEST_F(Memo, ScrollBarsAndWordWrapMakeANewWindowThatKeepsTheText)
{
    memo->SetText("kept\r\ntext");
    EXPECT_FALSE(Style() & ES_AUTOHSCROLL);   // wraps
    memo->SetScrollBars(ssBoth);
    DWORD style = Style();
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_TRUE(style & ES_AUTOHSCROLL);   // a horizontal bar ends the wrapping
    memo->SetScrollBars(ssVertical);
    memo->SetWordWrap(false);
    style = Style();
    EXPECT_FALSE(style & WS_HSCROLL);
    EXPECT_TRUE(style & ES_AUTOHSCROLL);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_EQ(memo->Text(), "kept\r\ntext");
    memo->SetAlignment(taRightJustify);
    EXPECT_EQ(Style() & (ES_CENTER | ES_RIGHT), static_cast<DWORD>(ES_RIGHT));
}

TEST_F(Memo, EnterTypesALineBreakOnlyWithWantReturns)
{
    ShowForm();
    memo->SetFocus();
    auto type = [this](const char* keys) {
        for (const char* k = keys; *k; ++k)
            PostMessageA(memo->Handle(), WM_CHAR, static_cast<unsigned char>(*k), 1);
        test::Pump();
    };
    type("a\rb");
    EXPECT_EQ(memo->Text(), "a\r\nb");
    EXPECT_EQ(memo->LineCount(), 2);
    memo->SetWantReturns(false);
    type("\rc");
    EXPECT_EQ(memo->Text(), "a\r\nbc");
}

} // namespace
} // namespace tarnivo
