// TProgressBar: range and position as the window keeps them.

#include "framework/controls/progressbar.h"

#include "testform.h"

namespace tarnivo {
namespace {

class ProgressBar : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        bar = new TProgressBar(form.get());
        bar->SetBounds(12, 0, 16, 41);
    }
    TProgressBar* bar = nullptr;
};

TEST_F(ProgressBar, SettingsReachTheWindowAndOutliveIt)
{
    bar->SetMin(10);
    bar->SetMax(60);
    bar->SetPosition(45);
    bar->SetOrientation(pbVertical);
    bar->SetSmooth(true);
    bar->SetParent(form.get());
    HWND window = bar->Handle();
    EXPECT_EQ(SendMessageA(window, PBM_GETRANGE, TRUE, 0), 10);
    EXPECT_EQ(SendMessageA(window, PBM_GETRANGE, FALSE, 0), 60);
    EXPECT_EQ(SendMessageA(window, PBM_GETPOS, 0, 0), 45);
    DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    EXPECT_TRUE(style & PBS_VERTICAL);
    EXPECT_TRUE(style & PBS_SMOOTH);

    bar->SetOrientation(pbHorizontal);
    EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & PBS_VERTICAL);

    form->SetBorderStyle(bsSingle);   // recreates the windows
    EXPECT_NE(bar->Handle(), window);
    EXPECT_EQ(bar->Position(), 45);
    EXPECT_EQ(bar->Max(), 60);
}

TEST_F(ProgressBar, PositionStaysInRangeAndStepItStartsOver)
{
    bar->SetParent(form.get());
    bar->HandleNeeded();
    bar->SetPosition(150);
    EXPECT_EQ(bar->Position(), 100);
    bar->SetPosition(-5);
    EXPECT_EQ(bar->Position(), 0);

    bar->SetPosition(95);
    bar->SetStep(10);
    bar->StepIt();
    EXPECT_EQ(bar->Position(), 5);
    bar->StepBy(200);
    EXPECT_EQ(bar->Position(), 100);

    // The position is the window's: a change from outside is what we read.
    SendMessageA(bar->Handle(), PBM_SETPOS, 33, 0);
    EXPECT_EQ(bar->Position(), 33);
}

} // namespace
} // namespace tarnivo
