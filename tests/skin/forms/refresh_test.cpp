// The per-form refresh requests of the skin data, seen from outside: controls
// added after skinning, a form embedded in a skinned one, and a window
// skinned anew on request.

#include "formtestkit.h"

#include "skin/forms/skinmessages.h"

#include "framework/controls/button.h"
#include "framework/controls/panel.h"
#include "framework/form.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tarnivo;
using namespace tarnivo::test;

namespace {

class RefreshTest : public SkinEngineTest {
protected:
    void SetUp() override
    {
        SkinEngineTest::SetUp();
        form.reset(MakeForm<TForm>(nullptr));
        form->SetBounds(40, 40, 480, 360);
        form->Show();
        SetActiveWindow(form->Handle());
        object = WaitSkinned(form->Handle());
        ASSERT_NE(object, nullptr);
    }
    void TearDown() override
    {
        form.reset();
        SkinEngineTest::TearDown();
    }

    template <typename T>
    T* Add(TWinControl* parent, TComponent* owner = nullptr)
    {
        auto* control = new T(owner ? owner : form.get());
        control->SetParent(parent);
        return control;
    }

    static bool Skinned(TWinControl* control)
    {
        return SendMessageA(control->Handle(), WM_ISSKINNED, 0, 0) == 1;
    }

    std::unique_ptr<TForm> form;
    TWinSkinForm* object = nullptr;
};

} // namespace

TEST_F(RefreshTest, UpdateSkinControlSkinsWhatWasAddedAfterwardsUnderTheGivenControl)
{
    auto* panel = Add<TPanel>(form.get());
    Data().UpdateSkinControl(form.get(), nullptr);
    // Added after the form was skinned: nothing notices on its own.
    auto* inPanel = Add<TButton>(panel);
    auto* onForm = Add<TButton>(form.get());
    PumpFor(0);
    EXPECT_FALSE(Skinned(inPanel));
    EXPECT_FALSE(Skinned(onForm));

    // Under the panel only.
    Data().UpdateSkinControl(form.get(), panel);
    EXPECT_TRUE(Skinned(inPanel));
    EXPECT_FALSE(Skinned(onForm));
    // The whole form; what is skinned already stays as it is.
    const std::size_t before = object->Controls.size();
    Data().UpdateSkinControl(form.get(), nullptr);
    EXPECT_TRUE(Skinned(onForm));
    EXPECT_EQ(object->Controls.size(), before + 1);

    // A form that is not skinned: nothing.
    std::unique_ptr<TForm> unskinned(MakeForm<TForm>(nullptr));
    auto* elsewhere = new TButton(unskinned.get());
    elsewhere->SetParent(unskinned.get());
    Data().UpdateSkinControl(unskinned.get(), nullptr);
    EXPECT_FALSE(Skinned(elsewhere));
}

TEST_F(RefreshTest, AddNestFormSkinsTheControlsOfAFormEmbeddedInASkinnedOne)
{
    auto* panel = Add<TPanel>(form.get());
    std::unique_ptr<TForm> nested(MakeForm<TForm>(nullptr));
    nested->SetParent(panel);
    nested->Show();
    PumpFor(0);
    // Put on the embedded form after it was shown.
    auto* inside = new TButton(nested.get());
    inside->SetParent(nested.get());
    PumpFor(0);
    EXPECT_FALSE(Skinned(inside));

    Data().AddNestForm(panel, nested.get());
    EXPECT_TRUE(Skinned(inside));
    // Asked again: one skin per control still.
    const std::size_t listed = object->Controls.size();
    Data().AddNestForm(panel, nested.get());
    EXPECT_EQ(object->Controls.size(), listed);

    // A host on no skinned form, or nothing to embed: nothing happens.
    auto* later = new TButton(nested.get());
    later->SetParent(nested.get());
    TPanel loose(nullptr);
    Data().AddNestForm(&loose, nested.get());
    Data().AddNestForm(panel, nullptr);
    EXPECT_FALSE(Skinned(later));
    nested.reset();
}

TEST_F(RefreshTest, ChangeFormSkinsTheWindowAnewAfterTheDelay)
{
    int afterEvents = 0;
    Data().OnAfterSkinForm = [&](TObject*, HWND w, const std::string&) {
        afterEvents += w == form->Handle();
    };
    // A mark the old skinning object carries and a new one would not.
    object->CaptionSuffix = L" (old)";
    Data().ChangeForm(form.get());
    EXPECT_TRUE(Manager().ActionPending()) << "the request waits for the manager's timer";
    EXPECT_EQ(afterEvents, 0);
    ASSERT_TRUE(PumpUntil([&] { return !Manager().ActionPending(); }));
    PumpFor(0);
    EXPECT_EQ(afterEvents, 1);
    TWinSkinForm* fresh = FindSkinForm(form->Handle());
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->SkinState, skinstate::Active);
    EXPECT_NE(fresh->CaptionSuffix, L" (old)");
    // Nothing to change: no request.
    Data().ChangeForm(nullptr);
    EXPECT_FALSE(Manager().ActionPending());
    Data().OnAfterSkinForm = nullptr;
}
