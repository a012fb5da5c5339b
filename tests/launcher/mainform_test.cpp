// The main window from its layout, without the start-up scan: the hot key
// follows its window and the atom goes with the form, the label-text query
// answers only the key of the environment, Refresh, and the result list.

#include "launcher/mainform.h"
#include "launcher/textqueryprotocol.h"

#include "framework/application.h"
#include "framework/windowprochook.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace tarnivo;

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
    ASSERT_EQ(form->Label1->Caption(), "AL");

    struct Event {
        UINT Msg;
        WPARAM WParam;
        bool Visible;
    };
    std::vector<Event> seen;
    TProgressBar* bar = form->ProgressBar1;
    HWND barWindow = bar->Handle();
    ASSERT_FALSE(IsWindowVisible(barWindow));
    {
        TWindowProcHook hook;
        hook = TWindowProcHook(*bar, [&](TMessage& m) {
            if (m.Msg == WM_SHOWWINDOW || m.Msg == PBM_SETPOS)
                seen.push_back(
                    {m.Msg, m.WParam, (GetWindowLongA(barWindow, GWL_STYLE) & WS_VISIBLE) != 0});
            hook.CallNext(m);
        });
        form->Refresh1Click(nullptr);
    }

    EXPECT_EQ(TypeToFind().KeyPressCount, 0);
    EXPECT_EQ(TypeToFind().TypedText, "");
    EXPECT_EQ(form->Label1->Caption(), "");
    EXPECT_EQ(form->Label6->Caption(), "There are " + std::to_string(Catalogue().ShortcutCount) +
                                           " shortcuts in desktop and startmenu ");
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front().Msg, static_cast<UINT>(WM_SHOWWINDOW));
    EXPECT_EQ(seen.front().WParam, static_cast<WPARAM>(TRUE));
    EXPECT_EQ(seen.back().Msg, static_cast<UINT>(WM_SHOWWINDOW));
    EXPECT_EQ(seen.back().WParam, static_cast<WPARAM>(FALSE));
    int positions = 0;
    for (std::size_t i = 1; i + 1 < seen.size(); ++i) {
        EXPECT_EQ(seen[i].Msg, static_cast<UINT>(PBM_SETPOS)) << i;
        EXPECT_TRUE(seen[i].Visible) << "position set while hidden, event " << i;
        ++positions;
    }
    EXPECT_GE(positions, 5);   // 0, four folders, 100
    EXPECT_EQ(seen[seen.size() - 2].WParam, 100u);
    EXPECT_FALSE(IsWindowVisible(barWindow));
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
    auto caption = [&](int index) {
        char text[64] = {};
        LVITEMA item{};
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(window, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return std::string(text);
    };
    auto image = [&](int index) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = index;
        SendMessageA(window, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    };
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
    EXPECT_EQ(caption(58), "Alpha Suite 58");
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

// ----------------------------------------------------------- text query

class TextQuery : public MainForm {
protected:
    static constexpr const char* Key = "5eC0dE42";
    static constexpr std::uint32_t KeyValue = 0x5ec0de42;

    void SetUp() override
    {
        MainForm::SetUp();
        form->Label1->SetCaption("typed");
        reply = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                nullptr);
        ASSERT_NE(reply, nullptr);
        previous = SetWindowLongPtrA(reply, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ReplyProc));
    }
    void TearDown() override
    {
        SetEnvironmentVariableA(TextQueryKeyVariable, nullptr);
        DestroyWindow(reply);
        MainForm::TearDown();
    }

    static LRESULT CALLBACK ReplyProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == WM_COPYDATA) {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (data->dwData == TextReplyTag) {
                Replies.emplace_back(static_cast<const char*>(data->lpData), data->cbData);
                return TRUE;
            }
        }
        return CallWindowProcA(reinterpret_cast<WNDPROC>(previous), w, msg, wParam, lParam);
    }

    LRESULT Ask(HWND replyTo, TTextQueryRequest request, DWORD size = sizeof(TTextQueryRequest))
    {
        COPYDATASTRUCT query{TextQueryTag, size, &request};
        return SendMessageA(form->Handle(), WM_COPYDATA, reinterpret_cast<WPARAM>(replyTo),
                            reinterpret_cast<LPARAM>(&query));
    }
    static TTextQueryRequest Request(std::uint32_t key, const char* name)
    {
        TTextQueryRequest request;
        request.Key = key;
        std::strncpy(request.Name, name, sizeof request.Name - 1);
        return request;
    }

    HWND reply = nullptr;
    static inline LONG_PTR previous = 0;
    static inline std::vector<std::string> Replies;
};

TEST_F(TextQuery, AnswersOnlyTheKeyOfTheEnvironment)
{
    struct Case {
        const char* Variable;   // null: not set
        std::uint32_t Key;
        LRESULT Expected;
    };
    const Case cases[] = {
        {nullptr, 0, TextQueryRefused},
        {nullptr, KeyValue, TextQueryRefused},
        {"", 0, TextQueryRefused},
        {"5eC0dE4", 0x5ec0de4, TextQueryRefused},      // seven digits
        {"5eC0dE421", KeyValue, TextQueryRefused},     // nine
        {"5eC0dE4g", KeyValue, TextQueryRefused},
        {" 5eC0dE4", 0x5ec0de4, TextQueryRefused},
        {Key, KeyValue + 1, TextQueryRefused},
        {Key, 0, TextQueryRefused},
        {Key, KeyValue, TextQueryAnswered},
        {"00000000", 0, TextQueryAnswered},
    };
    for (const Case& c : cases) {
        SetEnvironmentVariableA(TextQueryKeyVariable, c.Variable);
        Replies.clear();
        LRESULT answer = Ask(reply, Request(c.Key, "Label1"));
        SCOPED_TRACE(std::string(c.Variable ? c.Variable : "(none)") + " key " + std::to_string(c.Key));
        EXPECT_EQ(answer, c.Expected);
        if (c.Expected == TextQueryAnswered)
            EXPECT_EQ(Replies, std::vector<std::string>{"typed"});
        else
            EXPECT_TRUE(Replies.empty());
    }
}

TEST_F(TextQuery, RefusesMalformedRequestsAndForeignReplyWindows)
{
    SetEnvironmentVariableA(TextQueryKeyVariable, Key);
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 1, 1, reply, nullptr, nullptr,
                                 nullptr);
    HWND messageOnly = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       nullptr, nullptr);
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                nullptr);
    DestroyWindow(gone);
    TTextQueryRequest unterminated = Request(KeyValue, "");
    std::memset(unterminated.Name, 'L', sizeof unterminated.Name);

    Replies.clear();
    EXPECT_EQ(Ask(nullptr, Request(KeyValue, "Label1")), TextQueryRefused);
    EXPECT_EQ(Ask(gone, Request(KeyValue, "Label1")), TextQueryRefused);
    EXPECT_EQ(Ask(child, Request(KeyValue, "Label1")), TextQueryRefused);
    EXPECT_EQ(Ask(messageOnly, Request(KeyValue, "Label1")), TextQueryRefused);
    EXPECT_EQ(Ask(reply, unterminated), TextQueryRefused);
    EXPECT_EQ(Ask(reply, Request(KeyValue, "Label1"), sizeof(TTextQueryRequest) - 1),
              TextQueryRefused);
    EXPECT_EQ(Ask(reply, Request(KeyValue, "Label1"), 0), TextQueryRefused);
    EXPECT_TRUE(Replies.empty());

    EXPECT_EQ(Ask(reply, Request(KeyValue, "Label99")), TextQueryNoComponent);
    EXPECT_EQ(Ask(reply, Request(KeyValue, "Label6")), TextQueryAnswered);
    EXPECT_EQ(Ask(reply, Request(KeyValue, "Label1")), TextQueryAnswered);
    EXPECT_EQ(Replies, (std::vector<std::string>{form->Label6->Caption(), "typed"}));
    DestroyWindow(messageOnly);
}

TEST_F(TextQuery, RefusesAReplyWindowOfAnotherDesktop)
{
    SetEnvironmentVariableA(TextQueryKeyVariable, Key);
    HDESK desktop = CreateDesktopA("TarnivoQueryTest", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
    if (!desktop)
        GTEST_SKIP() << "no second desktop here (error " << GetLastError() << ")";
    // A thread with no windows yet may move to the other desktop; its
    // window lives as long as the thread, which waits for the end of the test.
    std::atomic<HWND> foreign{nullptr};
    std::atomic<bool> made{false}, done{false};
    std::thread other([&] {
        if (SetThreadDesktop(desktop))
            foreign = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      nullptr, nullptr);
        made = true;
        while (!done)
            Sleep(10);
        if (foreign)
            DestroyWindow(foreign);
    });
    while (!made)
        Sleep(10);
    if (foreign) {
        EXPECT_TRUE(IsWindow(foreign));
        EXPECT_NE(GetAncestor(foreign, GA_PARENT), GetDesktopWindow());
        Replies.clear();
        EXPECT_EQ(Ask(foreign, Request(KeyValue, "Label1")), TextQueryRefused);
        EXPECT_EQ(Ask(reply, Request(KeyValue, "Label1")), TextQueryAnswered);
        EXPECT_EQ(Replies.size(), 1u);
    }
    done = true;
    other.join();
    if (!foreign) {
        CloseDesktop(desktop);
        GTEST_SKIP() << "no window on the second desktop";
    }
    CloseDesktop(desktop);
}

} // namespace
