#include "hostilekit.h"
#include "skinfolder.h"

#include "skin/forms/skinmessages.h"

#include <cstdio>
#include <map>
#include <memory>

namespace tarnivo::test {

namespace {

void Align4(std::vector<WORD>& words)
{
    if (words.size() % 2)
        words.push_back(0);
}

void PushText(std::vector<WORD>& words, const char* text)
{
    for (const char* c = text; *c; ++c)
        words.push_back(static_cast<unsigned char>(*c));
    words.push_back(0);
}

void PushDword(std::vector<WORD>& words, DWORD value)
{
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
}

BOOL CALLBACK FindPopup(HWND window, LPARAM out)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32768" || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
}

struct LoopAction {
    std::function<bool()> ready;
    std::function<void()> inside;
    std::function<void()> end;
    DWORD started = 0;
    int limitMs = 0;
    bool ran = false;
};
LoopAction* g_action = nullptr;

void CALLBACK LoopTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    LoopAction* action = g_action;
    if (!action || action->ran) {
        KillTimer(nullptr, id);
        return;
    }
    if (action->ready()) {
        KillTimer(nullptr, id);
        action->ran = true;
        action->inside();
        return;
    }
    if (static_cast<int>(GetTickCount() - action->started) > action->limitMs) {
        KillTimer(nullptr, id);
        action->ran = false;
        g_action = nullptr;
        action->end();
    }
}

// The shipped skins, packed once per program.
std::map<std::string, std::shared_ptr<TMemoryStream>>& Packed()
{
    static std::map<std::string, std::shared_ptr<TMemoryStream>> packed;
    return packed;
}

class PrintFigures : public ::testing::Environment {
public:
    void TearDown() override
    {
        const HostileFigures& f = Figures();
        std::printf("[hostile] windows destroyed inside their own handlers: %d\n"
                    "[hostile] skinned windows recreated: %d\n"
                    "[hostile] skin switches from inside modal loops: %d\n"
                    "[hostile] random skin switches: %d, windows opened and closed among them: %d\n",
                    f.DestroyedInside, f.Recreated, f.LoopSwitches, f.Switches, f.WindowsOpened);
        if (f.Switches)
            std::printf("[hostile] from 250 to 1000 switches: GDI objects %lu -> %lu, USER objects %lu -> %lu\n",
                        f.GdiBefore, f.GdiAfter, f.UserBefore, f.UserAfter);
    }
};

const auto* const g_printFigures = ::testing::AddGlobalTestEnvironment(new PrintFigures);

} // namespace

HostileFigures& Figures()
{
    static HostileFigures figures;
    return figures;
}

HWND MakeDialog(const char* caption, const std::vector<DialogItem>& items, DLGPROC proc,
                LPARAM param)
{
    std::vector<WORD> t;
    const DWORD style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    PushDword(t, style);
    PushDword(t, 0);
    t.push_back(static_cast<WORD>(items.size()));
    t.push_back(40);
    t.push_back(40);
    t.push_back(200);
    t.push_back(140);
    t.push_back(0);   // no menu
    t.push_back(0);   // the dialog class
    PushText(t, caption);
    t.push_back(8);
    PushText(t, "MS Shell Dlg");
    for (const DialogItem& item : items) {
        Align4(t);
        PushDword(t, item.Style | WS_CHILD | WS_VISIBLE);
        PushDword(t, 0);
        t.push_back(static_cast<WORD>(item.X));
        t.push_back(static_cast<WORD>(item.Y));
        t.push_back(static_cast<WORD>(item.Cx));
        t.push_back(static_cast<WORD>(item.Cy));
        t.push_back(item.Id);
        PushText(t, item.ClassName);
        PushText(t, item.Text);
        t.push_back(0);   // no creation data
    }
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleA(nullptr),
                                             reinterpret_cast<LPCDLGTEMPLATEW>(t.data()), nullptr,
                                             proc, param);
    if (dialog)
        SetActiveWindow(dialog);
    return dialog;
}

HWND ShowingPopup()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindPopup, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool InsideLoop(const std::function<void()>& open, const std::function<bool()>& ready,
                const std::function<void()>& inside, const std::function<void()>& end,
                int limitMs)
{
    LoopAction action{ready, inside, end, GetTickCount(), limitMs, false};
    g_action = &action;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, LoopTimer);
    open();
    KillTimer(nullptr, timer);
    g_action = nullptr;
    return action.ran;
}

void HostileTest::SetUp()
{
    SkinEngineTest::SetUp();
    SwitchTo("slate");
    ASSERT_FALSE(Data().Empty());
}

void HostileTest::TearDown()
{
    Settle();
    SkinEngineTest::TearDown();
}

void HostileTest::SwitchTo(const std::string& name)
{
    std::shared_ptr<TMemoryStream>& skin = Packed()[name];
    if (!skin) {
        skin = std::make_shared<TMemoryStream>();
        ASSERT_TRUE(PackSkinFolder(HostBuildFile("skins/" + name), *skin)) << name;
    }
    skin->SetPosition(0);
    Data().LoadFromStream(*skin);
    if (Manager().ActionPending())
        Manager().OnTimer();
}

void HostileTest::SkinningOff()
{
    Data().SetActive(false);
    if (Manager().ActionPending())
        Manager().OnTimer();
}

void HostileTest::SkinningOn()
{
    Data().SetActive(true);
    if (Manager().ActionPending())
        Manager().OnTimer();
}

bool HostileTest::Skinned(HWND window)
{
    return IsWindow(window) && SendMessageA(window, WM_ISSKINNED, 0, 0) == 1;
}

void HostileTest::Settle()
{
    PumpFor(0);
    // The manager's purge, carried out now.
    Manager().SetCurrentSkin(&Data());
    Manager().PendingAction = saPurge;
    Manager().OnTimer();
}

} // namespace tarnivo::test
