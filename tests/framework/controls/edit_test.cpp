// The edit's text.

#include "framework/controls/edit.h"

#include "testform.h"

namespace tarnivo {
namespace {

using test::FormTest;

class Edit : public FormTest {};

TEST_F(Edit, TextIsTheWindowsAndOnChangeFollowsIt)
{
    auto* edit = new TEdit(form.get());
    edit->SetText("before the window");
    edit->SetParent(form.get());
    HWND window = edit->Handle();
    EXPECT_EQ(edit->Text(), "before the window");

    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed"));
    EXPECT_EQ(edit->Text(), "typed");
    EXPECT_EQ(changes, 1);

    // Going back to the earlier text must reach the window, though the
    // framework set that very text before.
    edit->SetText("before the window");
    EXPECT_EQ(edit->Text(), "before the window");
    EXPECT_EQ(changes, 2);
    edit->SetText("before the window");
    EXPECT_EQ(changes, 2);

    SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("kept"));
    form->SetBorderStyle(bsDialog);   // recreates the windows
    EXPECT_NE(edit->Handle(), window);
    EXPECT_EQ(edit->Text(), "kept");
}

} // namespace
} // namespace tarnivo
