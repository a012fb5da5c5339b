// The skinned window's message tables, seen from outside: frame sizes, the
// engine's own messages and what reaches the window's previous procedure.

#include "formtestkit.h"

#include "skin/forms/skinmessages.h"

#include "framework/application.h"
#include "framework/form.h"
#include "framework/regions.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <thread>
#include <utility>
#include <vector>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

using MessageTest = SkinEngineTest;

} // namespace

TEST_F(MessageTest, NcCalcSizeUsesTheSkinBordersAndKeepsTheClientSize)
{
    HWND window = MakeWindow("Sizes");
    // The client size the system frame gave (measured right away: skinning
    // starts only when CN_SkinActive is processed).
    RECT before{};
    GetClientRect(window, &before);
    TWinSkinForm* form = WaitSkinned(window);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->BorderLeft, kLeft);
    EXPECT_EQ(form->BorderTop, kTop);
    EXPECT_EQ(form->BorderRight, kRight);
    EXPECT_EQ(form->BorderBottom, kBottom);

    const TSize size = WindowSize(window);
    const TRect client = ClientInWindow(window);
    EXPECT_EQ(client.left, kLeft);
    EXPECT_EQ(client.top, kTop);
    EXPECT_EQ(client.right, size.cx - kRight);
    EXPECT_EQ(client.bottom, size.cy - kBottom);
    EXPECT_EQ(RectWidth(client), before.right);
    EXPECT_EQ(RectHeight(client), before.bottom);

    // Asked directly, with a proposed window rectangle.
    NCCALCSIZE_PARAMS params{};
    WINDOWPOS pos{};
    params.lppos = &pos;
    params.rgrc[0] = TRect{100, 50, 400, 250};
    params.rgrc[1] = params.rgrc[0];
    params.rgrc[2] = params.rgrc[0];
    const LRESULT answer = SendMessageA(window, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    EXPECT_EQ(answer, WVR_VALIDRECTS);
    EXPECT_EQ(params.rgrc[0].left, 100 + kLeft);
    EXPECT_EQ(params.rgrc[0].top, 50 + kTop);
    EXPECT_EQ(params.rgrc[0].right, 400 - kRight);
    EXPECT_EQ(params.rgrc[0].bottom, 250 - kBottom);
    EXPECT_TRUE(EqualRect(&params.rgrc[0], &params.rgrc[1]));

    // Unskinned again: the same client size inside the system frame.
    Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return FindSkinForm(window) == nullptr; }));
    RECT after{};
    GetClientRect(window, &after);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    DestroyWindow(window);
}

TEST_F(MessageTest, BorderlessWindowsKeepTheSystemClientArea)
{
    HWND window = MakeWindow("Popup", WS_POPUP | WS_BORDER);
    RECT before{};
    GetClientRect(window, &before);
    const TRect clientBefore = ClientInWindow(window);
    TWinSkinForm* form = WaitSkinned(window);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->BorderStyle, sbsNone);
    EXPECT_EQ(form->BorderTop, 0);
    EXPECT_EQ(form->MenuBarHeight, 0);
    const TRect clientAfter = ClientInWindow(window);
    EXPECT_TRUE(EqualRect(&clientBefore, &clientAfter));
    // The system still paints its frame: the message reaches the window.
    const int painted = ReceivedCount(window, WM_NCPAINT);
    SendMessageA(window, WM_NCPAINT, 1, 0);
    EXPECT_EQ(ReceivedCount(window, WM_NCPAINT), painted + 1);

    // Unskinning does not grow it by a frame it never lost.
    const TSize size = WindowSize(window);
    Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return FindSkinForm(window) == nullptr; }));
    const TSize sizeAfter = WindowSize(window);
    EXPECT_EQ(sizeAfter.cx, size.cx);
    EXPECT_EQ(sizeAfter.cy, size.cy);
    DestroyWindow(window);
}

TEST_F(MessageTest, EngineQueriesAreAnswered)
{
    HWND window = MakeWindow("Query");
    ASSERT_NE(WaitSkinned(window), nullptr);
    // (The manager asked WM_ISSKINNED itself before it skinned the window.)
    ClearReceived();
    EXPECT_EQ(SendMessageA(window, WM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(SendMessageA(window, WM_SKINQUERY, 0, SkinMagic), SkinMagic);
    EXPECT_EQ(SendMessageA(window, WM_SKINQUERY, 0, 0), 1);
    EXPECT_EQ(SendMessageA(window, WM_SKINQUERY, 0, SkinMagic + 1), 1);
    // Without the handshake nothing is painted and the answer is 0.
    EXPECT_EQ(SendMessageA(window, WM_SKINPAINTNC, 0, 0), 0);
    EXPECT_EQ(SendMessageA(window, WM_SKINPAINTNC, 0, SkinMagic), SkinMagic);
    // None of them reaches the window's own procedure.
    EXPECT_EQ(ReceivedCount(window, WM_ISSKINNED), 0);
    EXPECT_EQ(ReceivedCount(window, WM_SKINQUERY), 0);
    EXPECT_EQ(ReceivedCount(window, WM_SKINPAINTNC), 0);
    // An unskinned window answers none of them.
    Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return FindSkinForm(window) == nullptr; }));
    EXPECT_EQ(SendMessageA(window, WM_ISSKINNED, 0, 0), 0);
    EXPECT_EQ(SendMessageA(window, WM_SKINQUERY, 0, SkinMagic), 0);
    DestroyWindow(window);
}

TEST_F(MessageTest, NothingIsPaintedBeforeTheStartUpAndMessagesReachTheWindowOnce)
{
    // Made while skinning is off, then skinned by hand: CN_SkinActive is
    // posted, not yet processed.
    Manager().SetEnabled(false);
    HWND window = MakeWindow("Early");
    PumpFor(50);
    Manager().SetEnabled(true);
    ClearReceived();
    ASSERT_TRUE(Manager().AddForm(window));
    TWinSkinForm* form = FindSkinForm(window);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->SkinState, skinstate::Created);
    EXPECT_EQ(SendMessageA(window, WM_NCPAINT, 1, 0), 0);
    EXPECT_EQ(ReceivedCount(window, WM_NCPAINT), 0);
    // The frame painter refuses too.
    auto frame = PaintFrame(window);
    EXPECT_EQ(Pixel(*frame, 0, 50), kMagenta);
    EXPECT_EQ(SendMessageA(window, WM_NCACTIVATE, TRUE, 0), 0);
    EXPECT_EQ(ReceivedCount(window, WM_NCACTIVATE), 0);

    ASSERT_NE(WaitSkinned(window), nullptr);
    ClearReceived();
    SendMessageA(window, WM_USER + 7, 0, 0);
    EXPECT_EQ(ReceivedCount(window, WM_USER + 7), 1);
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(200, 100));
    EXPECT_EQ(ReceivedCount(window, WM_SIZE), 2);
    // The stage-3 activate handler answers 1 and keeps the message for itself.
    EXPECT_EQ(SendMessageA(window, WM_NCACTIVATE, FALSE, 0), 1);
    EXPECT_EQ(ReceivedCount(window, WM_NCACTIVATE), 0);
    EXPECT_EQ(form->Active, 0);
    DestroyWindow(window);
}

TEST_F(MessageTest, HitTestTurnsTheTitleIntoCaption)
{
    HWND window = MakeWindow("Hit");
    ASSERT_NE(WaitSkinned(window), nullptr);
    RECT r{};
    GetWindowRect(window, &r);
    auto hit = [&](int x, int y) {
        return SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
    };
    EXPECT_EQ(hit(100, 10), HTCAPTION);
    EXPECT_EQ(hit(100, kTop + 20), HTCLIENT);
    DestroyWindow(window);
}

// The engine's messages that arrive through the queue can come from any
// process, with any parameters.
TEST_F(MessageTest, AStartUpPostedAgainIsNotRunAgain)
{
    HWND window = MakeWindow("Started once");
    ASSERT_NE(WaitSkinned(window), nullptr);
    PumpFor(50);
    ClearReceived();
    // The start-up ends with the after-skin notice sent to the window.
    for (LPARAM lParam : {SkinActiveParam, LPARAM{0}, static_cast<LPARAM>(-1), LPARAM{0x41414141}}) {
        PostMessageA(window, CN_SkinActive, 0, lParam);
        SendMessageA(window, CN_SkinActive, 0, lParam);
    }
    PumpFor(50);
    EXPECT_EQ(ReceivedCount(window, WM_SKINNOTIFY), 0);
    // Not the engine's: the window's own procedure gets them.
    EXPECT_EQ(ReceivedCount(window, CN_SkinActive), 8);
    EXPECT_EQ(SendMessageA(window, WM_ISSKINNED, 0, 0), 1);
    DestroyWindow(window);
}

TEST_F(MessageTest, RawControlsTakeTheFrameworkNoticesOnlyFromTheProgram)
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    HWND window = MakeWindow("Raw controls");
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const std::pair<const wchar_t*, DWORD> kinds[] = {
        {TRACKBAR_CLASSW, TBS_HORZ}, {L"COMBOBOX", CBS_DROPDOWN}, {L"BUTTON", BS_PUSHBUTTON},
        {L"BUTTON", BS_AUTOCHECKBOX}, {L"EDIT", 0}};
    std::vector<HWND> controls;
    int y = 4;
    for (const auto& [cls, style] : kinds) {
        controls.push_back(CreateWindowExW(0, cls, L"x", WS_CHILD | WS_VISIBLE | style, 4, y, 120,
                                           24, window, nullptr, instance, nullptr));
        y += 28;
    }
    ASSERT_NE(WaitSkinned(window), nullptr);
    for (HWND control : controls)
        ASSERT_TRUE(PumpUntil([&] { return SendMessageW(control, WM_ISSKINNED, 0, 0) == 1; }));
    const LPARAM junk[] = {0x41414141, static_cast<LPARAM>(-1), 0x7FFF0000, 1};
    const UINT notices[] = {CN_NOTIFY, CN_DRAWITEM, CN_MEASUREITEM, CN_COMMAND, CN_CTLCOLORSTATIC,
                            CM_MOUSELEAVE, CM_MOUSEENTER, CM_RECREATEWND, CM_FOCUSCHANGED};
    for (HWND target : controls) {
        for (UINT msg : notices) {
            for (LPARAM l : junk) {
                PostMessageW(target, msg, static_cast<WPARAM>(l), l);
                SendMessageW(target, msg, static_cast<WPARAM>(l), l);
            }
        }
    }
    for (UINT msg : notices)
        PostMessageW(window, msg, 0, 0x41414141);
    PumpFor(100);
    for (HWND control : controls)
        EXPECT_EQ(SendMessageW(control, WM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(SendMessageW(window, WM_ISSKINNED, 0, 0), 1);
    DestroyWindow(window);
}

// The engine's orders come from the program's own thread: posted, or sent
// from another thread or process, they change nothing.
TEST_F(MessageTest, OrdersFromElsewhereAreRefused)
{
    // (The suite's application filters this thread's posts.)
    HWND window = MakeWindow("Orders");
    HWND button = CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 4, 4,
                                  80, 24, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(WaitSkinned(window), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return SendMessageW(button, WM_ISSKINNED, 0, 0) == 1; }));

    for (WPARAM off : {WPARAM{0}, static_cast<WPARAM>(-1)})
        PostMessageW(button, WM_SKINENABLE, off, 0);
    PostMessageW(window, WM_SKINMENUSELECT, 0, 0);
    PumpFor(50);
    EXPECT_EQ(SendMessageW(button, WM_ISSKINNED, 0, 0), 1);

    std::atomic<bool> done{false};
    std::atomic<bool> delivered{false};
    std::atomic<DWORD_PTR> paintAnswer{1};
    std::thread stranger([&] {
        DWORD_PTR answer = 0;
        bool ok = SendMessageTimeoutW(button, WM_SKINENABLE, 0, 0, SMTO_NORMAL, 5000, &answer) != 0;
        ok = ok && SendMessageTimeoutW(window, WM_SKINPAINTNC, 0, SkinMagic, SMTO_NORMAL, 5000,
                                       &answer) != 0;
        paintAnswer = answer;
        delivered = ok;
        done = true;
    });
    // The other thread's sends are handled while this one waits for messages.
    ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
    stranger.join();
    EXPECT_TRUE(delivered);
    EXPECT_EQ(paintAnswer.load(), 0u);
    EXPECT_EQ(SendMessageW(button, WM_ISSKINNED, 0, 0), 1);

    // Sent by the program itself they still work.
    SendMessageW(button, WM_SKINENABLE, 0, 0);
    EXPECT_EQ(SendMessageW(button, WM_ISSKINNED, 0, 0), 0);
    SendMessageW(button, WM_SKINENABLE, 1, 0);
    EXPECT_EQ(SendMessageW(button, WM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(SendMessageA(window, WM_SKINPAINTNC, 0, SkinMagic), SkinMagic);
    DestroyWindow(window);
}

TEST_F(MessageTest, NewCaptionTextIsPaintedBeforeSetTextReturns)
{
    // A program that renames its window in a busy loop ("Copying 5 %") never
    // reaches its message loop in between: the title must show the text
    // when the call returns, not at the next paint.
    for (DWORD style : {DWORD{WS_OVERLAPPEDWINDOW}, DWORD{WS_POPUP | WS_CAPTION | WS_SYSMENU}}) {
        SCOPED_TRACE(style);
        HWND window = MakeWindow("A", style);
        TWinSkinForm* form = WaitSkinned(window);
        ASSERT_NE(form, nullptr);
        PumpFor(0);
        const int shortWidth = RectWidth(form->CaptionTextRect);
        SetWindowTextA(window, "A much longer caption than before");
        EXPECT_GT(RectWidth(form->CaptionTextRect), shortWidth + 50);
        SetWindowTextW(window, L"B");
        EXPECT_LT(RectWidth(form->CaptionTextRect), shortWidth + 20);
        DestroyWindow(window);
    }
    // A framework form stores its text through its own window procedure.
    auto* frameworkForm = MakeForm<TForm>(nullptr);
    frameworkForm->SetBounds(60, 60, 320, 220);
    frameworkForm->SetCaption("A");
    frameworkForm->Show();
    SetActiveWindow(frameworkForm->Handle());
    TWinSkinForm* form = WaitSkinned(frameworkForm->Handle());
    ASSERT_NE(form, nullptr);
    PumpFor(0);
    const int shortWidth = RectWidth(form->CaptionTextRect);
    frameworkForm->SetCaption("A much longer caption than before");
    EXPECT_GT(RectWidth(form->CaptionTextRect), shortWidth + 50);
    delete frameworkForm;
}

namespace {

// Whether the bitmap holds a pixel that is not the magenta background.
bool HasInk(const TBitmap& image)
{
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (Pixel(image, x, y) != kMagenta)
                return true;
    return false;
}

} // namespace

TEST_F(MessageTest, AWindowWithoutAnIconShowsItsClassIconElseTheProgramsIcon)
{
    // No icon anywhere: nothing to show.
    HWND bare = MakeWindow("Bare");
    TWinSkinForm* form = WaitSkinned(bare);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->IconHandle, nullptr);
    EXPECT_FALSE(HasInk(form->IconBitmap));
    DestroyWindow(bare);

    // The class's icon stands in for the window's.
    HICON warning = LoadIconA(nullptr, MAKEINTRESOURCEA(32515));   // IDI_WARNING
    ASSERT_NE(warning, nullptr);
    HWND classed = MakeWindow("Classed", WS_OVERLAPPEDWINDOW, 0, 300, 200, "TarnivoIconClassWindow");
    SetClassLongPtrA(classed, GCLP_HICON, reinterpret_cast<LONG_PTR>(warning));
    form = WaitSkinned(classed);
    ASSERT_NE(form, nullptr);
    // (The system makes a small copy of a class's icon, which comes first.)
    EXPECT_NE(form->IconHandle, nullptr);
    EXPECT_TRUE(HasInk(form->IconBitmap));
    SetClassLongPtrA(classed, GCLP_HICON, 0);
    DestroyWindow(classed);

    // Then the program's icon, which the skin data keeps.
    HICON error = LoadIconA(nullptr, MAKEINTRESOURCEA(32513));     // IDI_ERROR
    ASSERT_NE(error, nullptr);
    HWND app = Application->Handle();
    ASSERT_NE(app, nullptr);
    SendMessageA(app, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(error));
    Data().CaptureAppIcon();
    ASSERT_TRUE(HasInk(Data().AppIcon()));
    HWND plain = MakeWindow("Plain");
    form = WaitSkinned(plain);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->IconHandle, nullptr);
    ASSERT_EQ(form->IconBitmap.Width(), Data().AppIcon().Width());
    for (int y = 0; y < form->IconBitmap.Height(); ++y)
        for (int x = 0; x < form->IconBitmap.Width(); ++x)
            ASSERT_EQ(Pixel(form->IconBitmap, x, y), Pixel(Data().AppIcon(), x, y)) << x << "," << y;
    DestroyWindow(plain);
    SendMessageA(app, WM_SETICON, ICON_SMALL, 0);
    Data().CaptureAppIcon();
}

TEST_F(MessageTest, SkinNcPaintRepaintsTheFrameAtOnce)
{
    HWND window = MakeWindow("A");
    TWinSkinForm* form = WaitSkinned(window);
    ASSERT_NE(form, nullptr);
    PumpFor(0);
    const int before = RectWidth(form->CaptionTextRect);
    // The text changes behind the skin's back: nothing repaints the title.
    DefWindowProcA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("A much longer caption"));
    ASSERT_EQ(RectWidth(form->CaptionTextRect), before);
    SendMessageA(window, WM_SKINNCPAINT, 0, 0);
    EXPECT_GT(RectWidth(form->CaptionTextRect), before + 50);
    DestroyWindow(window);
}

TEST_F(MessageTest, BeforeAndAfterEventsFrameTheSkinningOfEachWindow)
{
    struct Seen {
        std::string event;
        HWND window;
        std::string name;
        int frameHeight;   // window height minus client height at the time
    };
    std::vector<Seen> seen;
    auto frameHeight = [](HWND w) {
        RECT window{}, client{};
        GetWindowRect(w, &window);
        GetClientRect(w, &client);
        return (window.bottom - window.top) - client.bottom;
    };
    Data().OnBeforeSkinForm = [&](TObject*, HWND w, const std::string& name) {
        seen.push_back({"before", w, name, frameHeight(w)});
    };
    Data().OnAfterSkinForm = [&](TObject*, HWND w, const std::string& name) {
        seen.push_back({"after", w, name, frameHeight(w)});
    };
    auto* frameworkForm = MakeForm<TForm>(nullptr);
    frameworkForm->SetBounds(60, 60, 320, 220);
    frameworkForm->Show();
    HWND window = frameworkForm->Handle();
    SetActiveWindow(window);
    ASSERT_NE(WaitSkinned(window), nullptr);
    PumpFor(0);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].event, "before");
    EXPECT_EQ(seen[1].event, "after");
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof cls);
    for (const Seen& s : seen) {
        EXPECT_EQ(s.window, window) << s.event;
        EXPECT_EQ(s.name, cls) << s.event;
    }
    // After: the skin's frame is in place; before: the system's still.
    EXPECT_EQ(seen[1].frameHeight, kTop + kBottom);
    EXPECT_NE(seen[0].frameHeight, kTop + kBottom);
    delete frameworkForm;

    // A plain window has no form to prepare: it hears only that it is done.
    seen.clear();
    HWND plain = MakeWindow("Plain");
    ASSERT_NE(WaitSkinned(plain), nullptr);
    PumpFor(0);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].event, "after");
    EXPECT_EQ(seen[0].window, plain);
    EXPECT_EQ(seen[0].frameHeight, kTop + kBottom);
    Data().OnBeforeSkinForm = nullptr;
    Data().OnAfterSkinForm = nullptr;
    DestroyWindow(plain);
}
