// TRadioButton: one checked per parent, by the user's click or the program.

#include "framework/controls/groupbox.h"
#include "framework/controls/radiobutton.h"

#include "testform.h"

namespace tarnivo {
namespace {

class RadioButton : public test::FormTest {
protected:
    TRadioButton* Make(TWinControl* parent, int top)
    {
        auto* b = new TRadioButton(form.get());
        b->SetBounds(8, top, 100, 17);
        b->SetParent(parent);
        b->OnClick = [this, b](TObject*) { clicked.push_back(b); };
        return b;
    }
    std::vector<TRadioButton*> clicked;
};

TEST_F(RadioButton, CheckingOneUnchecksItsSiblingsButNotOtherParents)
{
    TRadioButton* a = Make(form.get(), 8);
    TRadioButton* b = Make(form.get(), 28);
    auto* group = new TGroupBox(form.get());
    group->SetBounds(8, 60, 200, 80);
    group->SetParent(form.get());
    TRadioButton* inGroup = Make(group, 20);

    a->SetChecked(true);
    inGroup->SetChecked(true);
    EXPECT_TRUE(a->Checked());
    // The user's click on b: BN_CLICKED reflected from the form.
    SendMessageA(b->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(SendMessageA(a->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(inGroup->Checked());
    EXPECT_EQ(clicked, (std::vector<TRadioButton*>{a, inGroup, b}));

    // Clicking the checked one again changes nothing and raises nothing.
    SendMessageA(b->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicked.size(), 3u);
}

TEST_F(RadioButton, CheckedBeforeTheWindowExistsIsShownWhenItDoes)
{
    auto* b = new TRadioButton(form.get());
    b->SetChecked(true);
    b->SetParent(form.get());
    EXPECT_EQ(SendMessageA(b->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

} // namespace
} // namespace tarnivo
