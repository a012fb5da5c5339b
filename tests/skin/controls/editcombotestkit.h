#pragma once
// What the edit, combo-box and date-time picker skin tests share: a skin
// whose "SunkEdge" and "ComboButton" frames are each one plain colour (so a
// pixel tells the frame drawn), a form to put controls on, and painting a
// skin object into a memory DC.

#include "skincontroltestkit.h"
#include "skintestkit.h"

#include "framework/bitmap.h"

#include <string>
#include <vector>

namespace tarnivo::test {

constexpr TColor kShadow = RGBColor(200, 0, 100);
// Frame k (1..4) of "SunkEdge" and of "ComboButton".
TColor SunkColor(int frame);
TColor ButtonColor(int frame);
// What a memory DC holds before a skin paints into it.
constexpr TColor kUnpainted = RGBColor(1, 2, 3);

// The combo skin: composed faces (SunkEdge and ComboButton both present).
std::string ComboSkinIni();
Files ComboSkinFiles();

class EditComboTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Reloads the skin data with `ini` and `files`.
    void UseSkin(const std::string& ini, const Files& files);
    // A raw child window of the form.
    HWND Raw(const wchar_t* cls, DWORD style, DWORD exStyle, int x, int y, int w, int h);
    // Focus for this thread's form: Xvfb has no window manager to give it.
    void FocusForm();

    std::unique_ptr<TWinSkinForm> m_host;
    std::unique_ptr<TSkinData> m_data;
    std::unique_ptr<TForm> m_form;
    std::vector<HWND> m_raw;
};

// The skin object paints the whole window (PaintControl) into a memory
// bitmap of the window's size filled with kUnpainted first.
void PaintInto(TSkinControl& skin, HWND window, TBitmap& target);
// The window's whole look as WM_SKINPAINTCLIENT gives it.
void SkinPaintClient(HWND window, TBitmap& target);
POINT Centre(const RECT& r);

} // namespace tarnivo::test
