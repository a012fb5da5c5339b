// The main window from its layout, without the start-up scan: the hot key
// follows its window and the atom goes with the form, the label-text query
// answers only the key of the environment, Refresh, and the result list.

#include "glyphcheck.h"

#include "launcher/mainform.h"
#include "launcher/textqueryprotocol.h"

#include "framework/application.h"
#include "framework/formscale.h"
#include "framework/windowprochook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace tarnivo;
using tarnivo::test::CharactersWithoutGlyphs;

namespace {

const char* const AtomName = "speedshortcuthotkey ";

bool F11Free()
{
    const int id = 0xB0F2;
    if (!RegisterHotKey(nullptr, id, 0, VK_F11))
        return false;
    UnregisterHotKey(nullptr, id);
    return true;
}

// Entries with distinct targets, so each is listed; type-to-find starts over.
void SetCatalogue(const std::vector<std::string>& names)
{
    TCatalogue& catalogue = Catalogue();
    catalogue.ShortcutCount = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        TShortcutCfg entry;
        entry.Name = names[i];
        entry.TargetPath = "C:\\Programs\\" + std::to_string(i) + ".exe";
        catalogue.Append(entry);
    }
    TypeToFind().ResetTypedText();
    TypeToFind().ClearResult();
}

class MainForm : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Application->Initialize(); }

    void SetUp() override
    {
        ASSERT_EQ(GlobalFindAtomA(AtomName), 0) << "another copy of the launcher is running";
        ASSERT_TRUE(F11Free()) << "another program holds F11";
        SetCatalogue({});
        form.reset(new TForm1(nullptr, nullptr));
    }
    void TearDown() override { form.reset(); }

    // Characters as the keyboard gives them to the result list.
    void Type(const std::string& text)
    {
        for (char c : text)
            form->ListView2->Perform(WM_CHAR, static_cast<unsigned char>(c), 1);
    }

    std::unique_ptr<TForm1> form;
};

TEST_F(MainForm, HotKeyFollowsTheWindowWhenItIsMadeAnew)
{
    HWND first = form->Handle();
    ATOM atom = GlobalFindAtomA(AtomName);
    ASSERT_NE(atom, 0);
    EXPECT_EQ(form->HotKeyId, atom - 0xC000);
    EXPECT_FALSE(F11Free());

    // A new border style needs a new window; the old one takes its hot key along.
    form->SetBorderStyle(bsSizeable);
    HWND second = form->Handle();
    ASSERT_NE(first, second);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(F11Free());
    // Only the window that holds a hot key can give it back.
    EXPECT_FALSE(UnregisterHotKey(first, form->HotKeyId));
    EXPECT_TRUE(UnregisterHotKey(second, form->HotKeyId));
    EXPECT_TRUE(F11Free());
}

TEST_F(MainForm, AtomGoesWithTheFormWhetherOrNotItsWindowWentFirst)
{
    // The window destroyed first, as at the end of a session.
    form->DestroyHandle();
    EXPECT_TRUE(F11Free());
    form.reset();
    EXPECT_EQ(GlobalFindAtomA(AtomName), 0);

    // Two copies share the atom: it stays until the last one goes.
    auto one = std::make_unique<TForm1>(nullptr, nullptr);
    auto two = std::make_unique<TForm1>(nullptr, nullptr);
    EXPECT_EQ(one->HotKeyId, two->HotKeyId);
    two.reset();
    EXPECT_NE(GlobalFindAtomA(AtomName), 0);
    EXPECT_FALSE(F11Free());   // the first copy's
    one.reset();
    EXPECT_EQ(GlobalFindAtomA(AtomName), 0);
    EXPECT_TRUE(F11Free());
}

TEST_F(MainForm, RefreshEmptiesTheTypedTextAndShowsItsProgressOnlyWhileItRuns)
{
    SetCatalogue({"Alpha", "Beta"});
    Type("al");
    ASSERT_EQ(TypeToFind().KeyPressCount, 2);

    // Every position the scan sets, with the bar's visibility then; then
    // whether it was hidden at the end.
    std::vector<std::pair<WPARAM, bool>> positions;
    TProgressBar* bar = form->ProgressBar1;
    HWND barWindow = bar->Handle();
    ASSERT_FALSE(IsWindowVisible(barWindow));
    {
        TWindowProcHook hook;
        hook = TWindowProcHook(*bar, [&](TMessage& m) {
            if (m.Msg == PBM_SETPOS)
                positions.emplace_back(m.WParam, (GetWindowLongA(barWindow, GWL_STYLE) & WS_VISIBLE) != 0);
            hook.CallNext(m);
        });
        form->Refresh1Click(nullptr);
    }
    EXPECT_EQ(TypeToFind().KeyPressCount, 0);
    EXPECT_EQ(form->Label1->Caption(), "");
    ASSERT_GE(positions.size(), 6u);   // 0, four folders, 100
    for (const auto& [position, visible] : positions)
        EXPECT_TRUE(visible) << "position " << position << " set on a hidden bar";
    EXPECT_EQ(positions.back().first, 100u);
    EXPECT_EQ(GetWindowLongA(barWindow, GWL_STYLE) & WS_VISIBLE, 0);
}

// Moved to a screen of twice the DPI, the window takes its result list's
// icons again at twice the size, one per entry; back at 96 they are 32 again.
TEST_F(MainForm, ADpiChangeTakesTheListsIconsAgainAtTheNewSize)
{
    SetCatalogue({"Alpha", "Beta", "Gamma"});
    HWND window = form->Handle();
    auto tell = [&](int dpi) {
        RECT suggested{};
        GetWindowRect(window, &suggested);
        SendMessageW(window, WMDpiChanged, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    };
    ASSERT_EQ(form->ImageList1->Width(), 32);
    tell(192);
    ASSERT_EQ(form->PixelsPerInch(), 192);
    EXPECT_EQ(form->ImageList1->Width(), 64);
    EXPECT_EQ(form->ImageList1->Height(), 64);
    EXPECT_EQ(form->ImageList1->Count(), 3) << "image i is entry i's";
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(form->ImageList1->Handle(), &cx, &cy));
    EXPECT_EQ(cx, 64);
    tell(144);
    EXPECT_EQ(form->ImageList1->Width(), 48);
    EXPECT_EQ(form->ImageList1->Count(), 3);
    tell(96);
    EXPECT_EQ(form->ImageList1->Width(), 32);
    EXPECT_EQ(form->ImageList1->Count(), 3);
    // A change that leaves the size as it is keeps the images it has.
    const HIMAGELIST list = form->ImageList1->Handle();
    tell(96);
    EXPECT_EQ(form->ImageList1->Handle(), list);
}

TEST_F(MainForm, ResultListShowsTheResultFromTheTopWithTheTopOneSelected)
{
    std::vector<std::string> names;
    for (int i = 0; i < 59; ++i)
        names.push_back(std::string("Alpha Suite ").append(std::to_string(i)));
    names.push_back("Studio Pro");   // the only caption that begins with S
    SetCatalogue(names);
    form->Show();
    TListView* list = form->ListView2;
    HWND window = list->Handle();
    // Caption and image as another program reads them.
    auto caption = [&](int index) { return list->Items()[index].Caption(); };
    auto image = [&](int index) { return list->Items()[index].ImageIndex(); };
    auto inView = [&](int index) {
        RECT r{}, client{};
        r.left = LVIR_BOUNDS;
        SendMessageA(window, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        GetClientRect(window, &client);
        return r.top >= 0 && r.bottom <= client.bottom;
    };

    Type("s");
    ASSERT_EQ(SendMessageA(window, LVM_GETITEMCOUNT, 0, 0), 60);
    EXPECT_EQ(caption(0), "Alpha Suite 0");
    EXPECT_EQ(caption(59), "Studio Pro");
    EXPECT_EQ(image(0), 0);
    EXPECT_EQ(image(59), 59);
    // The list view's own type-ahead would have picked Studio Pro.
    EXPECT_EQ(list->Selected(), 0);
    EXPECT_EQ(list->ItemFocused(), 0);
    EXPECT_TRUE(inView(0));
    EXPECT_FALSE(inView(59));

    // Scrolled to the end by the user, the next key brings back the top.
    list->SetSelected(59);
    list->Items()[59].MakeVisible();
    ASSERT_FALSE(inView(0));
    Type("u");
    ASSERT_EQ(SendMessageA(window, LVM_GETITEMCOUNT, 0, 0), 60);   // SU: runs, then Studio
    EXPECT_EQ(caption(59), "Studio Pro");
    EXPECT_EQ(list->Selected(), 0);
    EXPECT_EQ(list->ItemFocused(), 0);
    EXPECT_EQ(SendMessageA(window, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    EXPECT_TRUE(inView(0));

    // The same result again, shown from the top: nothing is rebuilt or repainted.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW);
    Type(std::string(1, 27) + "s");
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
    EXPECT_EQ(caption(59), "Studio Pro");
    EXPECT_EQ(list->Selected(), 0);

    // The run ST is Studio's alone: it comes first.
    Type(std::string(1, 27) + "st");
    EXPECT_EQ(caption(0), "Studio Pro");
    EXPECT_EQ(image(0), 59);
    EXPECT_EQ(list->Selected(), 0);

    // Nothing found: an empty list with nothing selected; the typed text stays.
    Type("zq");
    EXPECT_EQ(SendMessageA(window, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(list->Selected(), -1);
    EXPECT_EQ(form->Label1->Caption(), "STZQ");
}

TEST_F(MainForm, ResultListCaptionsCannotBeEdited)
{
    SetCatalogue({"Calculator", "Notepad"});
    Type("a");
    HWND list = form->ListView2->Handle();
    ASSERT_GE(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(GetWindowLongA(list, GWL_STYLE) & LVS_EDITLABELS, 0);
    // What a slow second click or the program would start: no editor comes.
    EXPECT_EQ(SendMessageA(list, LVM_EDITLABELA, 0, 0), 0);
    EXPECT_EQ(FindWindowExA(list, nullptr, "Edit", nullptr), nullptr);
}

// The result list and the typed-text line show what the file system and the
// keyboard give, in any script: the fonts they draw with have the letters of
// the names, or link to faces that have them (no missing-glyph boxes).
TEST_F(MainForm, NamesAndTypedTextInAnyScriptAreDrawnWithTheirOwnGlyphs)
{
    const std::wstring names = L"\u0396\u03c9\u03ae Xylo "               // Greek
                               L"\u65e5\u672c\u8a9e\u30e1\u30e2 "      // Japanese
                               L"\u041f\u0440\u0438\u0432\u0435\u0442 "  // Cyrillic
                               L"Caf\u00e9 Noir";
    const auto listFont = reinterpret_cast<HFONT>(
        SendMessageW(form->ListView2->Handle(), WM_GETFONT, 0, 0));
    ASSERT_NE(listFont, nullptr);
    EXPECT_EQ(CharactersWithoutGlyphs(listFont, names), L"") << "the result list";
    EXPECT_EQ(CharactersWithoutGlyphs(form->Label1->Font().Handle(), names), L"")
        << "the typed text";
}

// ----------------------------------------------------------- text query

class TextQuery : public MainForm {
protected:
    static constexpr std::uint32_t Key = 0x5ec0de42;

    void SetUp() override
    {
        MainForm::SetUp();
        form->Label1->SetCaption("typed");
        reply = MakeReplyWindow();
    }
    void TearDown() override
    {
        SetEnvironmentVariableA(TextQueryKeyVariable, nullptr);
        DestroyWindow(reply);
        MainForm::TearDown();
    }

    // A top-level window of the calling thread that collects the answers.
    static HWND MakeReplyWindow()
    {
        HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      nullptr, nullptr);
        Previous = SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ReplyProc));
        return window;
    }
    static LRESULT CALLBACK ReplyProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (msg == WM_COPYDATA && data->dwData == TextReplyTag) {
            Replies.emplace_back(static_cast<const char*>(data->lpData), data->cbData);
            return TRUE;
        }
        return CallWindowProcA(reinterpret_cast<WNDPROC>(Previous), w, msg, wParam, lParam);
    }

    LRESULT Ask(HWND replyTo, std::uint32_t key, const char* name,
                DWORD size = sizeof(TTextQueryRequest))
    {
        TTextQueryRequest request;
        request.Key = key;
        std::memcpy(request.Name, name, std::min(std::strlen(name) + 1, sizeof request.Name));
        COPYDATASTRUCT query{TextQueryTag, size, &request};
        return SendMessageA(form->Handle(), WM_COPYDATA, reinterpret_cast<WPARAM>(replyTo),
                            reinterpret_cast<LPARAM>(&query));
    }

    HWND reply = nullptr;
    static inline LONG_PTR Previous = 0;
    static inline std::vector<std::string> Replies;
};

TEST_F(TextQuery, AnswersOnlyTheKeyOfTheEnvironmentToATopLevelWindowOfItsDesktop)
{
    struct Case {
        const char* Variable;   // null: not set
        std::uint32_t Key;
        LRESULT Expected;
    };
    const Case cases[] = {
        {nullptr, Key, TextQueryRefused},
        {"5eC0dE4", 0x5ec0de4, TextQueryRefused},     // seven digits
        {"5eC0dE421", Key, TextQueryRefused},          // nine
        {"5eC0dE4g", Key, TextQueryRefused},
        {"5eC0dE42", Key + 1, TextQueryRefused},
        {"5eC0dE42", Key, TextQueryAnswered},
    };
    for (const Case& c : cases) {
        SetEnvironmentVariableA(TextQueryKeyVariable, c.Variable);
        Replies.clear();
        SCOPED_TRACE(c.Variable ? c.Variable : "(no variable)");
        EXPECT_EQ(Ask(reply, c.Key, "Label1"), c.Expected);
        EXPECT_EQ(Replies.size(), c.Expected == TextQueryAnswered ? 1u : 0u);
    }
    EXPECT_EQ(Replies, std::vector<std::string>{"typed"});

    // With the right key: no reply window that is not a top-level window of
    // this desktop, no malformed request; a name it does not have.
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 1, 1, reply, nullptr, nullptr,
                                 nullptr);
    HWND messageOnly = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       nullptr, nullptr);
    char unterminated[sizeof(TTextQueryRequest::Name) + 1];
    std::memset(unterminated, 'L', sizeof unterminated - 1);
    unterminated[sizeof unterminated - 1] = '\0';
    Replies.clear();
    EXPECT_EQ(Ask(nullptr, Key, "Label1"), TextQueryRefused);
    EXPECT_EQ(Ask(child, Key, "Label1"), TextQueryRefused);
    EXPECT_EQ(Ask(messageOnly, Key, "Label1"), TextQueryRefused);
    EXPECT_EQ(Ask(reply, Key, unterminated), TextQueryRefused);
    EXPECT_EQ(Ask(reply, Key, "Label1", sizeof(TTextQueryRequest) - 1), TextQueryRefused);
    EXPECT_TRUE(Replies.empty());
    EXPECT_EQ(Ask(reply, Key, "Label99"), TextQueryNoComponent);
    DestroyWindow(messageOnly);
}

TEST_F(TextQuery, RefusesAReplyWindowOfAnotherDesktop)
{
    SetEnvironmentVariableA(TextQueryKeyVariable, "5eC0dE42");
    HDESK desktop = CreateDesktopA("TarnivoQueryTest", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (!desktop)
        GTEST_SKIP() << "no second desktop here (error " << GetLastError() << ")";
    // A thread with no windows yet may move to the other desktop; its window
    // lives as long as the thread, which waits for the end of the test.
    std::atomic<HWND> foreign{nullptr};
    std::atomic<bool> made{false}, done{false};
    std::thread other([&] {
        if (SetThreadDesktop(desktop))
            foreign = MakeReplyWindow();
        made = true;
        while (!done)
            Sleep(10);
        if (foreign)
            DestroyWindow(foreign);
    });
    while (!made)
        Sleep(10);
    Replies.clear();
    if (foreign) {
        EXPECT_NE(GetAncestor(foreign, GA_PARENT), GetDesktopWindow());
        EXPECT_EQ(Ask(foreign, Key, "Label1"), TextQueryRefused);
        EXPECT_TRUE(Replies.empty());
    }
    done = true;
    other.join();
    CloseDesktop(desktop);
    if (!foreign)
        GTEST_SKIP() << "no window on the second desktop";
}

} // namespace
