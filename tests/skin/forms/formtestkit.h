#pragma once
// Small frame skins made by the tests, a plain test window class, and the
// waiting and capturing the form tests share.

#include "skintestkit.h"

#include "skin/forms/skinmanager.h"
#include "skin/forms/winskinform.h"
#include "skin/resources/skindata.h"

#include "framework/bitmap.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace tarnivo::test {

// Border sizes of the frame skin.
constexpr int kLeft = 5;
constexpr int kRight = 6;
constexpr int kTop = 24;
constexpr int kBottom = 7;

// Colours of the two frames (active, inactive) of each border.
constexpr TColor kLeftActive = RGBColor(200, 0, 0);
constexpr TColor kLeftInactive = RGBColor(100, 0, 0);
constexpr TColor kRightActive = RGBColor(0, 200, 0);
constexpr TColor kRightInactive = RGBColor(0, 100, 0);
constexpr TColor kTopActive = RGBColor(0, 0, 200);
constexpr TColor kTopInactive = RGBColor(0, 0, 100);
constexpr TColor kBottomActive = RGBColor(200, 200, 0);
constexpr TColor kBottomInactive = RGBColor(100, 100, 0);
// The top image's caps (its margins' pixels) in the active frame.
constexpr TColor kTopLeftCap = RGBColor(10, 20, 30);
constexpr TColor kTopRightCap = RGBColor(30, 20, 10);
constexpr TColor kTitleTextActive = RGBColor(255, 255, 255);
constexpr TColor kTitleTextInactive = RGBColor(0, 255, 255);
constexpr TColor kMagenta = RGBColor(255, 0, 255);

struct FrameSkinOptions {
    int trans[4] = {0, 0, 0, 0};     // left, right, top, bottom "Trans"
    int topCaps = 0;                  // TopTopHeight = TopBotHeight (pixels of each cap)
    int topImageWidth = 60;
    int textAlignment = 0;
    int textShift = 0;
    int textRightClip = 0;
    int borderTop = kTop;
    // Active bottom frame pixel (x, y) of a 40 x kBottom image, when set.
    std::function<TColor(int x, int y)> bottomPixel;
    std::string name = "FrameTest";
    // More [Personality] lines, and more sections after the skin's own.
    std::string personality;
    std::string extraIni;
};

// INI text and bitmaps of a skin with the four borders, a title and colours.
std::string FrameSkinIni(const FrameSkinOptions& options);
Files FrameSkinFiles(const FrameSkinOptions& options);
bool LoadFrameSkin(TSkinData& data, const FrameSkinOptions& options = {});
// One of the shipped skins ("slate", "paper") as the native tree built it.
bool LoadShippedSkin(TSkinData& data, const std::string& name);

// Each test gets a fresh manager and a skin data that skins every window.
class SkinEngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    TSkinManage& Manager() const;
    TSkinData& Data() const { return *m_data; }
    // Frees the skin data early (its windows go back to their own look).
    void DropData() { m_data.reset(); }

    std::unique_ptr<TSkinData> m_data;
};

// A top-level window of the tests' own class (ANSI), shown and activated.
// Its procedure counts the messages it receives in ReceivedCount.
HWND MakeWindow(const char* caption = "Test window", DWORD style = WS_OVERLAPPEDWINDOW,
                DWORD exStyle = 0, int width = 300, int height = 200,
                const char* className = nullptr);
int ReceivedCount(HWND window, UINT msg);
void ClearReceived();

// Processes messages until `done` holds or `limitMs` has passed; answers done().
bool PumpUntil(const std::function<bool()>& done, int limitMs = 5000);
void PumpFor(int ms);
// Waits until the window's skinning object exists and has run its start-up.
TWinSkinForm* WaitSkinned(HWND window, int limitMs = 5000);
// The window's skinning object for a test that goes on to use it. A window
// without one throws, which fails that one test (GoogleTest reports the
// exception) instead of ending the whole program on a null object. Only for
// test bodies: an exception does not cross a window procedure.
TWinSkinForm& SkinFormOf(HWND window);

// The whole window as the skin paints its frame (WM_SKINPAINTNC into a 32-bit
// memory bitmap of the window's size).
std::unique_ptr<TBitmap> PaintFrame(HWND window);
TSize WindowSize(HWND window);
// Client rectangle in window coordinates.
TRect ClientInWindow(HWND window);

// GDI and USER objects of the process (on Wine, counted by probing handles).
struct GuiCounts {
    DWORD gdi;
    DWORD user;
};
GuiCounts Counts();

} // namespace tarnivo::test
