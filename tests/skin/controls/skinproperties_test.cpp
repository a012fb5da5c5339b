// Reading and writing published properties by name on real framework
// objects, with absent properties, other kinds and bad values.

#include "skin/controls/skinproperties.h"

#include "framework/application.h"
#include "framework/controls/panel.h"
#include "framework/form.h"
#include "framework/menus.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarnivo {
namespace {

class SkinProperties : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application->Initialize();
        m_form.reset(MakeForm<TForm>(nullptr));
        m_form->SetCaption("Caption text");
        m_form->SetColor(RGBColor(1, 2, 3));
        m_form->SetBorderStyle(bsDialog);
        m_menu = new TMainMenu(m_form.get());
        m_form->SetMenu(m_menu);
    }
    std::unique_ptr<TForm> m_form;
    TMainMenu* m_menu = nullptr;
};

TEST_F(SkinProperties, ReadsByKindWithDefaultsForAbsentAndMismatched)
{
    const TObject* form = m_form.get();
    EXPECT_EQ(GetIntProperty(form, "Color"), static_cast<int>(RGBColor(1, 2, 3)));
    EXPECT_EQ(GetIntProperty(form, "color"), static_cast<int>(RGBColor(1, 2, 3)));
    EXPECT_EQ(GetEnumProperty(form, "BorderStyle"), "bsDialog");
    EXPECT_TRUE(EnumPropertyIs(form, "BorderStyle", "bsdialog"));
    EXPECT_EQ(GetEnumProperty(form, "Visible"), "False");
    EXPECT_EQ(GetStringProp(form, "Caption"), L"Caption text");
    EXPECT_EQ(GetObjProp(form, "Menu"), m_menu);
    EXPECT_EQ(GetObjProp<TMainMenu>(form, "Menu"), m_menu);
    EXPECT_EQ(GetObjProp<TForm>(form, "Menu"), nullptr);

    struct Absent {
        const TObject* obj;
        const char* name;
    } cases[] = {
        {form, "NoSuchProperty"}, {form, ""}, {nullptr, "Color"},
        {form, "Caption"},   // text, not integer/enumeration/object
        {form, "Color"},     // integer, not text/enumeration/object
    };
    for (const Absent& c : cases) {
        const std::string name = c.name;
        if (name != "Color") {
            EXPECT_EQ(GetIntProperty(c.obj, c.name), -1) << name;
        }
        if (name != "Caption") {
            EXPECT_EQ(GetStringProp(c.obj, c.name), L"") << name;
        }
        EXPECT_EQ(GetEnumProperty(c.obj, c.name), "") << name;
        EXPECT_EQ(GetObjProp(c.obj, c.name), nullptr) << name;
        EXPECT_FALSE(EnumPropertyIs(c.obj, c.name, "")) << name;
    }
    // An object that publishes nothing.
    TObject plain;
    EXPECT_EQ(GetIntProperty(&plain, "Color"), -1);
}

TEST_F(SkinProperties, SetsFromTextAndIgnoresWhatDoesNotFit)
{
    TObject* form = m_form.get();
    SetProperty(form, "BorderStyle", "bssizeable");
    EXPECT_EQ(m_form->BorderStyle(), bsSizeable);
    SetProperty(form, "Color", "255");
    EXPECT_EQ(m_form->Color(), RGBColor(255, 0, 0));
    SetProperty(form, "Caption", "New");
    EXPECT_EQ(m_form->Caption(), "New");
    SetProperty(form, "Tag", "-7");
    EXPECT_EQ(m_form->Tag(), -7);

    // Unknown members, text that is no number, object kinds, absent names.
    SetProperty(form, "BorderStyle", "bsNoSuch");
    SetProperty(form, "Color", "12abc");
    SetProperty(form, "Color", "");
    SetProperty(form, "Color", "99999999999999999999");
    SetProperty(form, "Menu", "MainMenu1");
    SetProperty(form, "NoSuchProperty", "1");
    SetProperty(nullptr, "Color", "1");
    EXPECT_EQ(m_form->BorderStyle(), bsSizeable);
    EXPECT_EQ(m_form->Color(), RGBColor(255, 0, 0));
    EXPECT_EQ(m_form->Menu(), m_menu);
}

} // namespace
} // namespace tarnivo
