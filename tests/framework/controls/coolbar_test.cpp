// TCoolBar: bands kept before the window exists, and their colours in the
// rebar.

#include "framework/controls/coolbar.h"

#include "testform.h"

#include <commctrl.h>

namespace tarnivo {
namespace {

using CoolBar = test::FormTest;

COLORREF BandBack(HWND window, int index)
{
    REBARBANDINFOA info{};
    info.cbSize = REBARBANDINFOA_V6_SIZE;
    info.fMask = RBBIM_COLORS;
    if (!SendMessageA(window, RB_GETBANDINFOA, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&info)))
        return CLR_INVALID;
    return info.clrBack;
}

TEST_F(CoolBar, BandsReachTheRebarAndFollowTheirColour)
{
    auto* bar = new TCoolBar(form.get());
    bar->AddBand()->SetColor(clRed);
    bar->AddBand()->SetText("second");
    bar->SetParent(form.get());
    HWND window = bar->Handle();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SendMessageA(window, RB_GETBANDCOUNT, 0, 0), 2);
    EXPECT_EQ(BandBack(window, 0), RGB(255, 0, 0));

    // A band added to the live bar, and a colour changed on it.
    TCoolBand* third = bar->AddBand();
    EXPECT_EQ(SendMessageA(window, RB_GETBANDCOUNT, 0, 0), 3);
    EXPECT_EQ(third->Index(), 2);
    bar->Bands(1)->SetColor(RGBColor(1, 2, 3));
    EXPECT_EQ(BandBack(window, 1), RGB(1, 2, 3));
    EXPECT_EQ(BandBack(window, 0), RGB(255, 0, 0));
}

} // namespace
} // namespace tarnivo
