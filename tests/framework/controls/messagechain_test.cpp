// The message chain of framework controls, reflection of notifications to
// the control that sent them, notification of removed components, and
// published properties read and written by name on live controls.

#include "framework/controls/button.h"
#include "framework/controls/label.h"
#include "framework/controls/listview.h"
#include "framework/imagelist.h"
#include "framework/menus.h"

#include "testform.h"

namespace tarnivo {
namespace {

using test::FormTest;
using test::MessageLog;

std::string WindowText(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

class MessageChain : public FormTest {};

TEST_F(MessageChain, HookInFrontSeesMessagesFirstAndMayPassOrConsumeThem)
{
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    button->SetCaption("before");
    HWND window = button->Handle();

    std::string textSeenByHook;
    bool consume = false;
    TWindowProcHook hook;
    hook = TWindowProcHook(*button, [&](TMessage& m) {
        if (m.Msg == WM_SETTEXT) {
            textSeenByHook = WindowText(window);
            if (consume) {
                m.Result = 1234;   // the control never sees it
                return;
            }
        }
        hook.CallNext(m);
    });
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("after"));
    EXPECT_EQ(textSeenByHook, "before");
    EXPECT_EQ(button->Text(), "after");
    consume = true;
    EXPECT_EQ(SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("lost")), 1234);
    hook.Remove();
    EXPECT_EQ(button->Text(), "after");
}

TEST_F(MessageChain, ButtonClickNotificationReachesTheButtonOnce)
{
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    int clicks = 0;
    button->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, button);
        ++clicks;
    };
    ShowForm();
    MessageLog log(*button);
    // The system button clicks itself and tells its parent (WM_COMMAND); the
    // form reflects that back to the button as CN_COMMAND.
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(log.Count(CN_COMMAND), 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(MessageChain, RemovedImageListLeavesNoReferenceBehind)
{
    auto* images = new TImageList(form.get());
    auto* list = new TListView(form.get());
    list->SetParent(form.get());
    auto* menu = new TMainMenu(form.get());
    auto* item = new TMenuItem(form.get());
    item->SetCaption("Refresh");
    item->SetImageIndex(0);
    menu->Items()->Add(item);
    list->SetLargeImages(images);
    list->SetSmallImages(images);
    menu->SetImages(images);
    HMENU bar = menu->Handle();
    ASSERT_EQ(SendMessageA(list->Handle(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0),
              reinterpret_cast<LRESULT>(images->Handle()));

    delete images;

    EXPECT_EQ(list->LargeImages(), nullptr);
    EXPECT_EQ(list->SmallImages(), nullptr);
    EXPECT_EQ(menu->Images(), nullptr);
    EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETIMAGELIST, LVSIL_NORMAL, 0), 0);
    EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
    // The item stays, drawn without an image now.
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_BITMAP | MIIM_ID;
    ASSERT_TRUE(GetMenuItemInfoA(bar, 0, TRUE, &info));
    EXPECT_EQ(info.wID, item->Command());
    EXPECT_EQ(info.hbmpItem, nullptr);
}

TEST_F(MessageChain, PublishedPropertiesOfLiveControls)
{
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetCaption("Your key:");
    EXPECT_EQ(std::get<std::string>(GetPropValue(*label, "Caption")), "Your key:");
    EXPECT_EQ(label->ClassName(), "TLabel");
    int narrow = label->Width();
    SetPropValue(*label, "Caption", std::string("Your key: and a lot more text"));
    EXPECT_GT(label->Width(), narrow);   // autosized through the setter
    SetPropValue(*label, "Transparent", true);
    EXPECT_TRUE(label->Transparent());
    auto* font = dynamic_cast<TFont*>(std::get<TObject*>(GetPropValue(*label, "Font")));
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font, &label->Font());

    auto* list = new TListView(form.get());
    list->SetParent(form.get());
    HWND window = list->Handle();
    EXPECT_EQ(GetEnumProp(*list, "ViewStyle"), "vsIcon");
    SetEnumProp(*list, "ViewStyle", "vsReport");
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
    auto* images = new TImageList(form.get());
    SetPropValue(*list, "LargeImages", static_cast<TObject*>(images));
    EXPECT_EQ(list->LargeImages(), images);
    EXPECT_THROW(SetPropValue(*list, "LargeImages", static_cast<TObject*>(label)), EPropertyError);
    SetPropValue(*list, "Color", std::int64_t{clYellow});
    EXPECT_EQ(SendMessageA(window, LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(clYellow));

}

} // namespace
} // namespace tarnivo
