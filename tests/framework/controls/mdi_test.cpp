// MDI frames and children: the client window and DefFrameProc, children
// made through the client, activation, tiling and cascading, closing, the
// window list and the MDI system keys in the message loop.

#include "framework/menus.h"

#include "testform.h"

#include <algorithm>
#include <cctype>

namespace tarnivo {
namespace {

using test::FormTest;
using test::Pump;

RECT ClientRectOf(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return r;
}

// A child's rectangle in the coordinates of the MDI client.
RECT RectInClient(HWND child)
{
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class Mdi : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        form->SetFormStyle(fsMDIForm);
        form->SetClientSize(600, 400);
        ShowForm();
    }
    TForm* Child(const char* caption, int left = 10, int top = 10)
    {
        TForm* child = MakeForm<TForm>(form.get());
        child->SetFormStyle(fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(left, top, 200, 150);
        child->OnDestroy = [this, caption](TObject*) { destroyed.push_back(caption); };
        child->Show();
        Pump();
        return child;
    }
    std::vector<std::string> destroyed;
};

TEST_F(Mdi, FrameMakesTheClientWindowAndDefFrameProcKeepsItFilled)
{
    HWND client = form->ClientHandle();
    ASSERT_NE(client, nullptr);
    char name[32] = {};
    GetClassNameA(client, name, sizeof(name));
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    EXPECT_EQ(lower, "mdiclient");
    EXPECT_EQ(GetParent(client), form->Handle());
    EXPECT_EQ(ClientRectOf(form->Handle()).right, 600);

    // WM_SIZE reaches DefFrameProc, which lays the client over the whole
    // client area; the framework has no code of its own for it.
    for (auto [w, h] : {std::pair{480, 300}, std::pair{640, 420}, std::pair{150, 90}}) {
        form->SetClientSize(w, h);
        RECT r = RectInClient(client);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.right, w) << w;
        EXPECT_EQ(r.bottom, h) << h;
    }

    // A normal form has no client window.
    TForm* plain = MakeForm<TForm>(form.get());
    plain->HandleNeeded();
    EXPECT_EQ(plain->ClientHandle(), nullptr);
    delete plain;
}

TEST_F(Mdi, ThreeChildrenActivationTileCascadeAndClose)
{
    TForm* a = Child("a", 10, 10);
    TForm* b = Child("b", 30, 30);
    TForm* c = Child("c", 50, 50);
    HWND client = form->ClientHandle();
    for (TForm* child : {a, b, c}) {
        EXPECT_EQ(GetParent(child->Handle()), client);
        EXPECT_TRUE(GetWindowLongA(child->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
        EXPECT_TRUE(IsWindowVisible(child->Handle()));
        EXPECT_EQ(child->MDIParent(), form.get());
    }
    ASSERT_EQ(form->MDIChildCount(), 3);
    EXPECT_EQ(form->ActiveMDIChild(), c);   // the last one shown
    EXPECT_EQ(form->MDIChildren(0), c);     // top of the Z order first
    EXPECT_THROW(form->MDIChildren(3), Exception);

    // Activation raises the children's OnActivate / OnDeactivate.
    std::vector<std::string> events;
    for (TForm* child : {a, b, c}) {
        child->OnActivate = [&, child](TObject*) { events.push_back("+" + child->Caption()); };
        child->OnDeactivate = [&, child](TObject*) { events.push_back("-" + child->Caption()); };
    }
    form->Next();
    TForm* next = form->ActiveMDIChild();
    ASSERT_NE(next, nullptr);
    EXPECT_NE(next, c);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], "-c");
    EXPECT_EQ(events[1], "+" + next->Caption());
    form->Previous();
    EXPECT_EQ(form->ActiveMDIChild(), c);

    // Tiled: the three cover the client without overlapping.
    form->Tile();
    RECT area = ClientRectOf(client);
    long covered = 0;
    std::vector<RECT> rects;
    for (TForm* child : {a, b, c}) {
        RECT r = RectInClient(child->Handle());
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.right, area.right);
        EXPECT_LE(r.bottom, area.bottom);
        covered += RectWidth(r) * RectHeight(r);
        rects.push_back(r);
    }
    for (std::size_t i = 0; i < rects.size(); ++i)
        for (std::size_t j = i + 1; j < rects.size(); ++j) {
            RECT overlap;
            EXPECT_FALSE(IntersectRect(&overlap, &rects[i], &rects[j])) << i << " " << j;
        }
    EXPECT_GE(covered, RectWidth(area) * RectHeight(area) * 9 / 10);

    // Cascaded: a staircase, each child below and to the right of the one before.
    form->Cascade();
    rects.clear();
    for (TForm* child : {a, b, c})
        rects.push_back(RectInClient(child->Handle()));
    std::sort(rects.begin(), rects.end(), [](const RECT& l, const RECT& r) { return l.left < r.left; });
    for (std::size_t i = 1; i < rects.size(); ++i) {
        EXPECT_GT(rects[i].left, rects[i - 1].left);
        EXPECT_GT(rects[i].top, rects[i - 1].top);
    }

    // Closing a child frees it; the client activates another.
    TForm* active = form->ActiveMDIChild();
    ASSERT_NE(active, nullptr);
    std::string closed = active->Caption();
    active->Close();
    Pump();
    ASSERT_EQ(destroyed.size(), 1u);
    EXPECT_EQ(destroyed[0], closed);
    EXPECT_EQ(form->MDIChildCount(), 2);
    TForm* now = form->ActiveMDIChild();
    ASSERT_NE(now, nullptr);
    EXPECT_NE(now->Caption(), closed);

    // The close box of a child comes as SC_CLOSE.
    SendMessageA(now->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_EQ(form->MDIChildCount(), 1);
    EXPECT_EQ(destroyed.size(), 2u);

    // The frame frees the last one with itself, through the client.
    form.reset();
    EXPECT_EQ(destroyed.size(), 3u);
}

TEST_F(Mdi, MaximizedChildAndItsWindowState)
{
    TForm* a = Child("a");
    TForm* b = Child("b", 40, 40);
    b->SetWindowState(wsMaximized);
    EXPECT_TRUE(IsZoomed(b->Handle()));
    EXPECT_EQ(b->WindowState(), wsMaximized);
    EXPECT_EQ(form->ActiveMDIChild(), b);
    RECT area = ClientRectOf(form->ClientHandle());
    RECT client = ClientRectOf(b->Handle());
    EXPECT_EQ(client.right, area.right);   // the child's frame is outside the client

    b->SetWindowState(wsNormal);
    EXPECT_FALSE(IsZoomed(b->Handle()));
    EXPECT_EQ(b->WindowState(), wsNormal);
    a->SetWindowState(wsMinimized);
    EXPECT_TRUE(IsIconic(a->Handle()));
    EXPECT_EQ(a->WindowState(), wsMinimized);
    form->ArrangeIcons();
    EXPECT_TRUE(IsIconic(a->Handle()));

    // A state set before showing is applied when the child shows.
    TForm* c = MakeForm<TForm>(form.get());
    c->SetFormStyle(fsMDIChild);
    c->SetWindowState(wsMaximized);
    c->Show();
    EXPECT_TRUE(IsZoomed(c->Handle()));
    EXPECT_EQ(form->ActiveMDIChild(), c);
}

TEST_F(Mdi, WindowMenuListsTheChildrenAndItsCommandsActivateThem)
{
    auto* menu = new TMainMenu(form.get());
    auto* window = new TMenuItem(form.get());
    window->SetCaption("Window");
    auto* tile = new TMenuItem(form.get());
    tile->SetCaption("Tile");
    window->Add(tile);
    menu->Items()->Add(window);
    form->SetMenu(menu);
    form->SetWindowMenu(window);
    TForm* a = Child("first");
    Child("second");
    HMENU list = window->Handle();
    // "Tile", a separator, then one entry per child.
    ASSERT_EQ(GetMenuItemCount(list), 4);
    EXPECT_EQ(GetMenuItemID(list, 2), TForm::FirstMDIChildCommand);
    EXPECT_EQ(GetMenuItemID(list, 3), TForm::FirstMDIChildCommand + 1);

    // A change of the window menu keeps the list.
    auto* cascade = new TMenuItem(form.get());
    cascade->SetCaption("Cascade");
    window->Add(cascade);
    ASSERT_EQ(GetMenuItemCount(list), 5);
    EXPECT_EQ(GetMenuItemID(list, 4), TForm::FirstMDIChildCommand + 1);

    // The window-list command is no framework command: it goes on to
    // DefFrameProc, which activates that child.
    SendMessageA(form->Handle(), WM_COMMAND, TForm::FirstMDIChildCommand, 0);
    EXPECT_EQ(form->ActiveMDIChild(), a);
    int tiles = 0;
    tile->OnClick = [&](TObject*) { ++tiles; };
    SendMessageA(form->Handle(), WM_COMMAND, tile->Command(), 0);
    EXPECT_EQ(tiles, 1);
}

TEST_F(Mdi, ControlF6AndControlF4GoThroughTheMessageLoop)
{
    Child("a");
    Child("b");
    TForm* c = Child("c");
    ASSERT_EQ(form->ActiveMDIChild(), c);
    // TranslateMDISysAccel reads the control key from the thread's key state.
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(c->Handle(), WM_KEYDOWN, VK_F6, 1);
    Pump();
    TForm* next = form->ActiveMDIChild();
    EXPECT_NE(next, c);
    PostMessageA(next->Handle(), WM_KEYDOWN, VK_F4, 1);
    Pump();
    GetKeyboardState(keys);
    keys[VK_CONTROL] = saved;
    SetKeyboardState(keys);
    EXPECT_EQ(form->MDIChildCount(), 2);
    EXPECT_EQ(destroyed.size(), 1u);
}

TEST_F(Mdi, ChildWithoutAFrameIsRefused)
{
    TForm* orphan = MakeForm<TForm>(nullptr);
    orphan->SetFormStyle(fsMDIChild);
    EXPECT_THROW(orphan->HandleNeeded(), Exception);
    EXPECT_FALSE(orphan->HandleAllocated());
    // Back to a normal form, it makes its window.
    orphan->SetFormStyle(fsNormal);
    EXPECT_NO_THROW(orphan->HandleNeeded());
    delete orphan;
}

} // namespace
} // namespace tarnivo
