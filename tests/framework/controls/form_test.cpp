// Forms with the standard controls on them: client size with a menu bar,
// a modal form ended by its button.

#include "framework/controls/button.h"
#include "framework/menus.h"

#include "testform.h"

namespace tarnivo {
namespace {

using test::FormTest;

SIZE Client(HWND window)
{
    RECT r;
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

class FormLayout : public FormTest {
protected:
    TMainMenu* MenuWith(std::initializer_list<const char*> captions)
    {
        auto* menu = new TMainMenu(form.get());
        for (const char* caption : captions) {
            auto* item = new TMenuItem(form.get());
            item->SetCaption(caption);
            menu->Items()->Add(item);
        }
        return menu;
    }
};

TEST_F(FormLayout, ClientSizeIsExactWhicheverComesFirstMenuOrWindow)
{
    form->SetBorderStyle(bsSingle);
    form->SetClientSize(580, 276);
    form->SetMenu(MenuWith({"File", "Help"}));
    HWND window = form->Handle();
    ASSERT_NE(GetMenu(window), nullptr);
    EXPECT_EQ(Client(window).cx, 580);
    EXPECT_EQ(Client(window).cy, 276);

    // A menu set on the live window takes its height from the frame.
    form->SetMenu(nullptr);
    EXPECT_EQ(Client(window).cy, 276);
    form->SetMenu(MenuWith({"File"}));
    EXPECT_EQ(Client(window).cy, 276);
    EXPECT_EQ(form->ClientHeight(), 276);
}

TEST_F(FormLayout, ClientSizeIsExactWithAWrappedMenuBar)
{
    form->SetBorderStyle(bsSingle);
    form->SetMenu(MenuWith({"Refresh", "Exit", "Help", "About", "Options", "Window"}));
    form->SetClientSize(120, 80);
    ShowForm();
    EXPECT_EQ(Client(form->Handle()).cx, 120);
    EXPECT_EQ(Client(form->Handle()).cy, 80);
}

class ModalForm : public FormTest {
protected:
    static void CALLBACK GiveUp(HWND, UINT, UINT_PTR id, DWORD)
    {
        KillTimer(nullptr, id);
        if (Waiting)
            Waiting->SetModalResult(TimedOut);
    }
    int RunModal(std::function<void()> whileShown)
    {
        Waiting = form.get();
        UINT_PTR timer = SetTimer(nullptr, 0, 5000, GiveUp);
        form->OnShow = [&](TObject*) { whileShown(); };
        int result = form->ShowModal();
        KillTimer(nullptr, timer);
        Waiting = nullptr;
        return result;
    }
    TButton* OkButton()
    {
        auto* button = new TButton(form.get());
        button->SetParent(form.get());
        button->SetCaption("OK");
        button->SetModalResult(mrOk);
        return button;
    }
    static constexpr int TimedOut = 999;
    static inline TForm* Waiting = nullptr;
};

TEST_F(ModalForm, ClickOnTheButtonEndsTheLoopWithItsModalResult)
{
    TButton* ok = OkButton();
    int clicks = 0;
    ok->OnClick = [&](TObject*) {
        ++clicks;
        EXPECT_EQ(form->ModalResult(), mrOk);   // set before the handler runs
    };
    int result = RunModal([&] { PostMessageA(ok->Handle(), BM_CLICK, 0, 0); });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(ModalForm, EnterOnTheFocusedButtonEndsTheLoop)
{
    TButton* ok = OkButton();
    int result = RunModal([&] {
        PostMessageA(ok->Handle(), WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(ok->Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
    });
    EXPECT_EQ(result, mrOk);
}

} // namespace
} // namespace tarnivo
