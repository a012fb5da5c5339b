// Button keyboard clicks.

#include "framework/controls/button.h"

#include "testform.h"

namespace tarnivo {
namespace {

using test::FormTest;
using test::Pump;

class Button : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        button = new TButton(form.get());
        button->SetParent(form.get());
        button->SetCaption("OK");
        button->OnClick = [this](TObject*) { ++clicks; };
    }
    void Key(UINT key)
    {
        PostMessageA(button->Handle(), WM_KEYDOWN, key, 1);
        PostMessageA(button->Handle(), WM_KEYUP, key, 0xC0000001);
        Pump();
    }
    TButton* button = nullptr;
    int clicks = 0;
};

TEST_F(Button, EnterAndSpaceClickTheFocusedButtonEscapeOnlyACancelOne)
{
    ShowForm();
    button->SetFocus();
    ASSERT_TRUE(button->Focused());
    Key(VK_RETURN);
    EXPECT_EQ(clicks, 1);
    Key(VK_SPACE);   // the system button's own key, through BN_CLICKED
    EXPECT_EQ(clicks, 2);
    Key(VK_ESCAPE);
    EXPECT_EQ(clicks, 2);
    button->SetCancel(true);
    Key(VK_ESCAPE);
    EXPECT_EQ(clicks, 3);
}

} // namespace
} // namespace tarnivo
