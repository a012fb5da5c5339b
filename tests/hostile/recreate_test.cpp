// Windows recreated while skinned: the form object of the old window goes,
// and nothing the program keeps (its menus' item handlers) still leads to it.

#include "hostilekit.h"

#include "skin/forms/skinmessages.h"

#include "framework/form.h"
#include "framework/menus.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarnivo::test {
namespace {

class FormWithPopup : public TForm {
public:
    explicit FormWithPopup(TComponent* owner) : TForm(owner)
    {
        Popup = new TPopupMenu(this);
        for (const char* caption : {"Open", "-", "Close"}) {
            auto* item = new TMenuItem(this);
            item->SetCaption(caption);
            Popup->Items()->Add(item);
        }
        auto* menu = new TMainMenu(this);
        auto* file = new TMenuItem(this);
        file->SetCaption("&File");
        menu->Items()->Add(file);
        auto* quit = new TMenuItem(this);
        quit->SetCaption("&Quit");
        file->Add(quit);
        SetMenu(menu);
    }
    TPopupMenu* Popup;
};

class Recreated : public HostileTest {
protected:
    std::unique_ptr<FormWithPopup> Show()
    {
        std::unique_ptr<FormWithPopup> form(MakeForm<FormWithPopup>(nullptr));
        form->SetBounds(60, 60, 320, 220);
        form->Show();
        SetActiveWindow(form->Handle());
        return form;
    }
    // Opens the popup and closes it from inside its loop once it showed;
    // m_itemHeight is then the first entry's height on the screen.
    bool OpenPopup(TPopupMenu& popup)
    {
        m_itemHeight = -1;
        return InsideLoop([&] { popup.Popup(100, 100); },
                          [] { return ShowingPopup() != nullptr; },
                          [&] {
                              UpdateWindow(ShowingPopup());
                              RECT item{};
                              if (GetMenuItemRect(nullptr, popup.Handle(), 0, &item))
                                  m_itemHeight = item.bottom - item.top;
                              EndMenu();
                          },
                          [] { EndMenu(); });
    }
    int m_itemHeight = -1;
};

TEST_F(Recreated, PopupOfARecreatedFormNeverReachesTheFreedObject)
{
    auto form = Show();
    TWinSkinForm* first = WaitSkinned(form->Handle());
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(form->Popup->OwnerDraw()) << "the popup is skinned";
    const HWND oldWindow = form->Handle();

    // A new window for the form (its border style changed at run time).
    form->SetBorderStyle(bsSingle);
    form->HandleNeeded();
    form->Show();
    ++Figures().Recreated;
    EXPECT_NE(form->Handle(), oldWindow);
    EXPECT_FALSE(IsWindow(oldWindow));

    // Another window is activated: the manager frees the old object then.
    HWND other = MakeWindow("Other");
    ASSERT_NE(WaitSkinned(other), nullptr);
    Settle();
    EXPECT_EQ(FindSkinForm(oldWindow), nullptr);

    // The popup measures and draws its items: not with the freed object.
    // (Wine swallows a fault inside a message its menu code sends, so the
    // entry's height tells; and the framework's own answer to
    // WM_MEASUREITEM, asked directly, would fault outright.)
    EXPECT_TRUE(OpenPopup(*form->Popup));
    EXPECT_GT(m_itemHeight, 0) << "the entry was measured";
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemData = form->Popup->Items()->Items(0)->Command();
    EXPECT_TRUE(form->Popup->MeasureItem(measure));
    EXPECT_GT(measure.itemHeight, 0u);

    // Skinned again, the form's menus get handlers of the new object.
    SetActiveWindow(form->Handle());
    TWinSkinForm* second = WaitSkinned(form->Handle());
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(OpenPopup(*form->Popup));
    DestroyWindow(other);
    form.reset();
}

TEST_F(Recreated, FormRecreatedManyTimesWhileSkinned)
{
    auto form = Show();
    ASSERT_NE(WaitSkinned(form->Handle()), nullptr);
    auto recreate = [&](int round) {
        form->SetBorderStyle(round % 2 ? bsSizeable : bsSingle);
        form->HandleNeeded();
        form->Show();
        SetActiveWindow(form->Handle());
        ++Figures().Recreated;
        ASSERT_NE(WaitSkinned(form->Handle()), nullptr) << "round " << round;
        EXPECT_TRUE(OpenPopup(*form->Popup));
        Settle();
    };
    // The first round makes what a first popup makes (fonts, caches).
    recreate(0);
    const GuiCounts before = Counts();
    for (int round = 1; round <= 6; ++round)
        recreate(round);
    const GuiCounts after = Counts();
    EXPECT_LE(after.gdi, before.gdi + 2);
    EXPECT_LE(after.user, before.user + 1);
    form.reset();
}

} // namespace
} // namespace tarnivo::test
