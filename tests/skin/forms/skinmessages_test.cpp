// The after-skin notice (CN_NOTIFY with SkinMagic instead of a record) on
// framework windows whose notification handlers read records.

#include "skin/forms/skinmessages.h"

#include "framework/application.h"
#include "framework/controls/listview.h"
#include "framework/form.h"
#include "framework/ownmessages.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarnivo {
namespace {

TEST(SkinMessages, NoticeReachesHooksButNoRecordReader)
{
    Application->Initialize();
    std::unique_ptr<TForm> form(MakeForm<TForm>(nullptr));
    auto* list = new TListView(form.get());
    list->SetParent(form.get());
    list->SetViewStyle(vsReport);
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };

    int notices = 0;
    std::vector<const NMHDR*> records;
    TWindowProcHook hook(*form, [&](TMessage& m) {
        if (IsSkinNotice(m))
            ++notices;
        if (m.Msg == WM_NOTIFY || m.Msg == CN_NOTIFY)
            records.push_back(SkinNotifyRecord(m));
        hook.CallNext(m);
    });
    // What a skinned form sends itself (as the program's own message), and
    // the same value in other notification paths.
    EXPECT_EQ(SendOwnMessage(form->Handle(), WM_SKINNOTIFY, 0, SkinMagic), 0);
    // The same number sent by a stranger reaches no hook: it is refused at
    // the window procedure.
    EXPECT_EQ(SendMessageA(form->Handle(), WM_SKINNOTIFY, 0, SkinMagic), 0);
    EXPECT_EQ(SendMessageA(form->Handle(), WM_NOTIFY, 0, SkinMagic), 0);
    EXPECT_EQ(list->Perform(CN_NOTIFY, 0, SkinMagic), 0);
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(records, (std::vector<const NMHDR*>{nullptr, nullptr}));

    // A real record still gets through, to the hook and to the list view.
    records.clear();
    NMHDR click{list->Handle(), 0, static_cast<UINT>(NM_CLICK)};
    SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(records, std::vector<const NMHDR*>{&click});
    EXPECT_EQ(clicks, 1);
}

} // namespace
} // namespace tarnivo
