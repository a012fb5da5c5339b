// Who the skin manager skins, and switching skinning off and to another skin.

#include "formtestkit.h"

#include "skin/forms/skinmessages.h"

#include "framework/bitmap.h"
#include "framework/controls/label.h"
#include "framework/controls/panel.h"
#include "framework/form.h"
#include "framework/regions.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

using ManagerTest = SkinEngineTest;

// A system dialog window ("#32770", the dialog manager's own procedure).
HWND MakeDialog(const wchar_t* caption)
{
    HWND dialog = CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", caption,
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 80, 80, 240,
                                  140, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(dialog, SW_SHOW);
    SetActiveWindow(dialog);
    return dialog;
}

struct WindowLook {
    LONG_PTR proc;
    LONG_PTR style;
    LONG_PTR exStyle;
    int regionKind;
    RECT client;
};

WindowLook LookOf(HWND window)
{
    WindowLook look{GetWindowLongPtrA(window, GWLP_WNDPROC), GetWindowLongPtrA(window, GWL_STYLE),
                    GetWindowLongPtrA(window, GWL_EXSTYLE), 0, {}};
    GdiRegion region = RectRegion(TRect{0, 0, 1, 1});
    look.regionKind = GetWindowRgn(window, region.Get());
    GetClientRect(window, &look.client);
    return look;
}

} // namespace

TEST_F(ManagerTest, WindowsAreSkinnedWhenFirstActivated)
{
    HWND plain = MakeWindow("Plain");
    TWinSkinForm* object = WaitSkinned(plain);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->Form, nullptr);
    EXPECT_EQ(object->CreatorClassName, "TarnivoFormTestWindow");
    EXPECT_TRUE(Manager().Running());

    auto* form = MakeForm<TForm>(nullptr);
    form->SetBounds(60, 60, 320, 220);
    form->SetCaption("Framework form");
    form->Show();
    SetActiveWindow(form->Handle());
    TWinSkinForm* formObject = WaitSkinned(form->Handle());
    ASSERT_NE(formObject, nullptr);
    EXPECT_EQ(formObject->Form, form);
    // Both engine entry points answer: the window procedure and the form's.
    EXPECT_EQ(SendMessageA(form->Handle(), WM_SKINQUERY, 0, SkinMagic), SkinMagic);
    EXPECT_EQ(form->Color(), Data().Colors(csButtonFace));

    // The form goes first: its skinning object forgets it and is purged.
    delete form;
    EXPECT_EQ(formObject->Form, nullptr);
    EXPECT_EQ(formObject->SkinState, skinstate::Destroyed);
    DestroyWindow(plain);
    Manager().SetCurrentSkin(&Data());
    Manager().PendingAction = saPurge;
    Manager().OnTimer();
    EXPECT_EQ(Manager().FormCount(), 0);
}

TEST_F(ManagerTest, TheAcceptanceRulesRefuseTheDocumentedWindows)
{
    struct Case {
        const char* what;
        const char* className;
        DWORD style;
        int width;
        bool expected;
    };
    const Case cases[] = {
        {"a plain window of this program", "TarnivoSkinnable", WS_OVERLAPPEDWINDOW, 300, true},
        {"zero size", "TarnivoSkinnable", WS_POPUP | WS_CAPTION, 0, false},
        {"a preview window while previews are skinned", "TarnivoPrintPreview", WS_OVERLAPPEDWINDOW, 300, true},
        {"the application class", "TApplication", WS_OVERLAPPEDWINDOW, 300, false},
        {"a popup edit", "XTcxPopupEditPopupWindowX", WS_OVERLAPPEDWINDOW, 300, false},
    };
    for (const Case& c : cases) {
        HWND window = MakeWindow(c.what, c.style, 0, c.width, c.width ? 200 : 0, c.className);
        if (c.expected)
            EXPECT_NE(WaitSkinned(window), nullptr) << c.what;
        else {
            PumpFor(100);
            EXPECT_EQ(FindSkinForm(window), nullptr) << c.what;
            EXPECT_FALSE(Manager().AddForm(window)) << c.what;
        }
        DestroyWindow(window);
    }

    // Previews are refused once the option is off, in any letter case.
    TSkinOptions options = Data().Options();
    options.Exclude(xoPreview);
    Data().SetOptions(options);
    for (const char* cls : {"TarnivoPrintPreview", "PREVIEWPANE"}) {
        HWND window = MakeWindow("Preview", WS_OVERLAPPEDWINDOW, 0, 300, 200, cls);
        PumpFor(100);
        EXPECT_EQ(FindSkinForm(window), nullptr) << cls;
        DestroyWindow(window);
    }

    // A form whose Tag is 99, and any window while skinning is disabled.
    auto* form = MakeForm<TForm>(nullptr);
    form->SetTag(99);
    form->SetBounds(60, 60, 320, 220);
    form->Show();
    SetActiveWindow(form->Handle());
    PumpFor(100);
    EXPECT_EQ(FindSkinForm(form->Handle()), nullptr);
    delete form;
    Manager().SetEnabled(false);
    HWND off = MakeWindow("Off");
    PumpFor(100);
    EXPECT_EQ(FindSkinForm(off), nullptr);
    DestroyWindow(off);
}

TEST_F(ManagerTest, ChildWindowsOnlyInAnExplicitPass)
{
    HWND parent = MakeWindow("Parent");
    ASSERT_NE(WaitSkinned(parent), nullptr);
    HWND child = CreateWindowExA(0, "TarnivoFormTestWindow", "Child",
                                 WS_CHILD | WS_VISIBLE | WS_CAPTION, 0, 0, 100, 80, parent, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    EXPECT_TRUE(TSkinManage::NestedForm(child));
    EXPECT_FALSE(TSkinManage::NestedForm(parent));
    EXPECT_FALSE(Manager().AddForm(child));
    Manager().SkinAllPass = 1;
    EXPECT_TRUE(Manager().AddForm(child));
    Manager().SkinAllPass = 0;
    DestroyWindow(parent);
}

TEST_F(ManagerTest, SystemDialogsAreSkinnedWithTheDialogSkinDataFirst)
{
    HWND dialog = MakeDialog(L"Dialog");
    TWinSkinForm* object = WaitSkinned(dialog);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->DialogClass, 1);
    EXPECT_EQ(object->BorderStyle, sbsDialog);
    EXPECT_EQ(object->SkinData, &Data());
    EXPECT_EQ(Manager().FindSkindata(dialog), &Data());

    // A dialog skin data wins for dialogs only; an only-this-form one wins
    // for its own form.
    TSkinData dialogSkin(nullptr);
    dialogSkin.SetSkinFormtype(sfDialog);
    Manager().AddSkinData(&dialogSkin);
    EXPECT_EQ(Manager().FindSkindata(dialog), &dialogSkin);
    HWND plain = MakeWindow("Plain");
    EXPECT_EQ(Manager().FindSkindata(plain), &Data());
    auto* form = MakeForm<TForm>(nullptr);
    TSkinData* own = new TSkinData(form);
    own->SetSkinFormtype(sfOnlyThisForm);
    Manager().AddSkinData(own);
    EXPECT_EQ(Manager().FindSkindata(form->Handle()), own);
    EXPECT_EQ(Manager().FindSkindata(plain), &Data());
    delete form;
    Manager().RemoveSkinData(&dialogSkin);
    EXPECT_EQ(Manager().FindSkindata(dialog), &Data());
    DestroyWindow(plain);
    DestroyWindow(dialog);
}

TEST_F(ManagerTest, ActiveOffGivesEveryWindowBackExactly)
{
    // Made hidden and skinned by explicit requests, so that what they were
    // can be read before any skinning (moving the activation around while
    // skinning is off stalls Wine's X11 driver now and then).
    auto hidden = [](const char* cls, const char* caption, DWORD style, DWORD exStyle) {
        return CreateWindowExA(exStyle, cls, caption, style, 60, 60, 320, 220, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    };
    HWND maker = MakeWindow("Class maker");   // registers the test class
    HWND plain = hidden("TarnivoFormTestWindow", "Plain", WS_OVERLAPPEDWINDOW, 0);
    HWND dialog = hidden("#32770", "Dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME,
                         WS_EX_DLGMODALFRAME);
    auto* form = MakeForm<TForm>(nullptr);
    form->SetBounds(60, 60, 320, 220);
    HWND formWindow = form->Handle();
    const TColor formColor = form->Color();
    const std::vector<HWND> windows{plain, dialog, formWindow};
    std::vector<WindowLook> before;
    for (HWND w : windows)
        before.push_back(LookOf(w));
    const int already = Manager().FormCount();
    Manager().SkinAllPass = 1;
    for (HWND w : windows) {
        ASSERT_TRUE(Manager().AddForm(w));
        ASSERT_NE(WaitSkinned(w), nullptr);
    }
    Manager().SkinAllPass = 0;
    EXPECT_EQ(Manager().FormCount(), already + 3);
    EXPECT_NE(GetWindowLongPtrA(plain, GWLP_WNDPROC), before[0].proc);

    bool changed = false;
    Data().OnSkinChanged = [&](TObject*) { changed = true; };
    Data().SetActive(false);
    EXPECT_TRUE(Manager().ActionPending());
    ASSERT_TRUE(PumpUntil([&] { return Manager().FormCount() == 0; }));
    EXPECT_TRUE(changed);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const WindowLook after = LookOf(windows[i]);
        EXPECT_EQ(after.proc, before[i].proc) << i;
        EXPECT_EQ(after.style, before[i].style) << i;
        EXPECT_EQ(after.exStyle, before[i].exStyle) << i;
        EXPECT_EQ(after.regionKind, before[i].regionKind) << i;
        EXPECT_EQ(after.client.right, before[i].client.right) << i;
        EXPECT_EQ(after.client.bottom, before[i].client.bottom) << i;
        EXPECT_EQ(SendMessageA(windows[i], WM_ISSKINNED, 0, 0), 0) << i;
    }
    EXPECT_EQ(form->Color(), formColor);
    delete form;
    DestroyWindow(dialog);
    DestroyWindow(plain);
    DestroyWindow(maker);
}

TEST_F(ManagerTest, ANewSkinReachesEveryOpenWindow)
{
    std::vector<HWND> windows;
    for (int i = 0; i < 3; ++i) {
        windows.push_back(MakeWindow("Open"));
        ASSERT_NE(WaitSkinned(windows.back()), nullptr);
    }
    windows.push_back(MakeDialog(L"Dialog"));
    ASSERT_NE(WaitSkinned(windows.back()), nullptr);
    std::vector<RECT> clients;
    for (HWND w : windows) {
        RECT c{};
        GetClientRect(w, &c);
        clients.push_back(c);
    }
    int changes = 0;
    Data().OnSkinChanged = [&](TObject*) { ++changes; };

    FrameSkinOptions b;
    b.name = "B";
    b.borderTop = 30;
    ASSERT_TRUE(LoadFrameSkin(Data(), b));
    ASSERT_TRUE(PumpUntil([&] { return !Manager().ActionPending(); }));
    EXPECT_EQ(changes, 1);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        TWinSkinForm* object = FindSkinForm(windows[i]);
        ASSERT_NE(object, nullptr) << i;
        EXPECT_EQ(object->BorderTop, 30) << i;
        EXPECT_EQ(object->SkinState, skinstate::Active) << i;
        EXPECT_EQ(ClientInWindow(windows[i]).top, 30) << i;
        RECT c{};
        GetClientRect(windows[i], &c);
        EXPECT_EQ(c.right, clients[i].right) << i;
        EXPECT_EQ(c.bottom, clients[i].bottom) << i;
        auto frame = PaintFrame(windows[i]);
        EXPECT_EQ(Pixel(*frame, WindowSize(windows[i]).cx / 2, 28),
                  object->Active ? kTopActive : kTopInactive)
            << i;
    }
    for (HWND w : windows)
        DestroyWindow(w);
}

// Pixels of `colour` in the label as it paints itself.
int TextPixels(TLabel& label, TColor colour)
{
    TBitmap b;
    b.SetPixelFormat(pf32bit);
    b.SetSize(label.Width(), label.Height());
    label.Paint(b.Canvas());
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            n += Pixel(b, x, y) == colour;
    return n;
}

TEST_F(ManagerTest, LabelsOnASkinnedFormWriteInTheSkinsTextColour)
{
    ASSERT_TRUE(LoadShippedSkin(Data(), "slate"));
    auto* form = MakeForm<TForm>(nullptr);
    form->SetBounds(60, 60, 320, 220);
    form->SetCaption("Labels");
    auto place = [&](TWinControl* parent, int top) {
        auto* label = new TLabel(form);
        label->SetBounds(8, top, 0, 0);
        label->SetCaption("Text to read");
        label->SetParent(parent);
        return label;
    };
    TLabel* direct = place(form, 8);
    auto* panel = new TPanel(form);
    panel->SetBounds(8, 30, 200, 60);
    panel->SetParent(form);
    TLabel* onPanel = place(panel, 8);
    TLabel* own = place(form, 100);
    own->Font().SetColor(clRed);
    const TColor before = direct->Font().Color();
    ASSERT_EQ(onPanel->Font().Color(), before);

    form->Show();
    SetActiveWindow(form->Handle());
    ASSERT_NE(WaitSkinned(form->Handle()), nullptr);
    const TColor text = Data().Colors(csButtonText);
    ASSERT_NE(ColorToRGB(text), ColorToRGB(before)) << "the skin must change the text";
    for (TLabel* label : {direct, onPanel}) {
        EXPECT_EQ(label->Font().Color(), text);
        EXPECT_GT(TextPixels(*label, text), 10) << "the text is drawn in it";
        EXPECT_TRUE(label->ParentFont()) << "a font taken from the parent keeps it following";
    }
    EXPECT_EQ(own->Font().Color(), clRed);

    // Another skin brings its own text colour.
    ASSERT_TRUE(LoadShippedSkin(Data(), "paper"));
    ASSERT_TRUE(PumpUntil([&] { return !Manager().ActionPending(); }));
    EXPECT_EQ(onPanel->Font().Color(), Data().Colors(csButtonText));

    Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return Manager().FormCount() == 0; }));
    for (TLabel* label : {direct, onPanel}) {
        EXPECT_EQ(label->Font().Color(), before);
        EXPECT_TRUE(label->ParentFont());
    }
    EXPECT_EQ(own->Font().Color(), clRed);
    delete form;
}

TEST_F(ManagerTest, FreeingTheSkinDataUnskinsItsWindows)
{
    HWND window = MakeWindow("Owned look");
    ASSERT_NE(WaitSkinned(window), nullptr);
    const LONG_PTR skinnedProc = GetWindowLongPtrA(window, GWLP_WNDPROC);
    DropData();
    EXPECT_EQ(FindSkinForm(window), nullptr);
    EXPECT_NE(GetWindowLongPtrA(window, GWLP_WNDPROC), skinnedProc);
    EXPECT_EQ(SendMessageA(window, WM_ISSKINNED, 0, 0), 0);
    DestroyWindow(window);
}

// A splash or progress window is shown before the skin is loaded and is
// repainted by hand while its program works without a message loop.
TEST_F(ManagerTest, FormsOnScreenBeforeSkinningStartsAreSkinnedAtOnce)
{
    DropData();
    FreeSkinManager();
    auto* shown = MakeForm<TForm>(nullptr);
    shown->SetBounds(60, 60, 260, 120);
    shown->SetCaption("Shown first");
    shown->Show();
    UpdateWindow(shown->Handle());
    RECT before{};
    GetClientRect(shown->Handle(), &before);
    auto* notYet = MakeForm<TForm>(nullptr);
    notYet->SetBounds(80, 80, 260, 120);

    m_data = std::make_unique<TSkinData>(nullptr);
    ASSERT_TRUE(LoadFrameSkin(*m_data));
    m_data->SetActive(true);

    // No message was dispatched in between: the start-up ran when asked.
    TWinSkinForm* object = FindSkinForm(shown->Handle());
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->SkinStarted, 1);
    EXPECT_EQ(object->SkinState, skinstate::Active);
    EXPECT_EQ(ClientInWindow(shown->Handle()).top, kTop);
    RECT after{};
    GetClientRect(shown->Handle(), &after);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    // A form that is not on the screen waits for its activation.
    EXPECT_EQ(FindSkinForm(notYet->Handle()), nullptr);
    PumpFor(100);
    EXPECT_EQ(Manager().FormCount(), 1);
    EXPECT_EQ(object->SkinState, skinstate::Active);
    delete notYet;
    delete shown;
}
