#pragma once
// Stand-ins for controls of other component families, for the tests of the
// skin engine's control discovery. The engine knows such controls only by
// their class names (its dispatch table and its class map of other
// families) and by the published properties it reads from them, so each
// stand-in is a small framework control that reports the family's class
// name and publishes those properties; none of them behaves like the real
// control beyond that. They are test code: nothing ships them.
//
// Where a family's control derives from a framework class (a rich edit is a
// memo, a PNG bit button a bit button), the stand-in does too, so that the
// order of the name rules and the class rules is tested as it matters.

#include "framework/bitmap.h"
#include "framework/controls/bitbtn.h"
#include "framework/controls/combobox.h"
#include "framework/controls/groupbox.h"
#include "framework/controls/memo.h"
#include "framework/controls/panel.h"

#include <string>

namespace tarnivo::test::otherfamilies {

// A control of class `Base` that reports the class name `Spelling`.
template <typename Base, const char* Spelling>
class Named : public Base {
public:
    using Base::Base;
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info{Spelling, &Base::StaticClassInfo(), {}};
        return info;
    }
    const TClassInfo& ClassType() const override { return StaticClassInfo(); }
};

// A window of the framework's own class with both scroll bars, as grids
// and trees of other families have.
class TScrollingControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void CreateParams(TCreateParams& params) override
    {
        TCustomControl::CreateParams(params);
        params.Style |= WS_HSCROLL | WS_VSCROLL;
    }
};

namespace names {
inline constexpr char TabSet[] = "TTabSet";
inline constexpr char TabbedNotebook[] = "TTabbedNotebook";
inline constexpr char MVCPanel[] = "TMVCPanel";
inline constexpr char SpinButton[] = "TSpinButton";
inline constexpr char DBNavigator[] = "TDBNavigator";
inline constexpr char TntComboBox[] = "TTntComboBox";
inline constexpr char DBComboBoxEh[] = "TDBComboBoxEh";
inline constexpr char RichEdit[] = "TRichEdit";
inline constexpr char WwDBRichEdit[] = "TwwDBRichEdit";
inline constexpr char DxDBMemo[] = "TdxDBMemo";
inline constexpr char DxTreeList[] = "TdxTreeList";
inline constexpr char DxDBTreeList[] = "TdxDBTreeList";
inline constexpr char DxDBGrid[] = "TdxDBGrid";
inline constexpr char VirtualStringTree[] = "TVirtualStringTree";
inline constexpr char FrDesignerPage[] = "TfrDesignerPage";
inline constexpr char FrPBox[] = "TfrPBox";
inline constexpr char LMDEdit[] = "TLMDEdit";
inline constexpr char LMDEditX[] = "TLMDEditX";
inline constexpr char Comboboxex[] = "TComboboxex";
inline constexpr char RzRadioGroup[] = "TRzRadioGroup";
inline constexpr char LMDCheckGroup[] = "TLMDCheckGroup";
inline constexpr char LMDGroupBox[] = "TLMDGroupBox";
inline constexpr char RxSpeedButton[] = "TRxSpeedButton";
} // namespace names

// Names only: the rules decide by the name (and, for those built on a
// framework class, by that class when the name decides nothing).
using TTabSet = Named<TCustomControl, names::TabSet>;
using TTabbedNotebook = Named<TCustomControl, names::TabbedNotebook>;
using TMVCPanel = Named<TCustomPanel, names::MVCPanel>;
using TSpinButton = Named<TCustomControl, names::SpinButton>;
using TDBNavigator = Named<TCustomPanel, names::DBNavigator>;
using TTntComboBox = Named<TCustomComboBox, names::TntComboBox>;
using TDBComboBoxEh = Named<TCustomComboBox, names::DBComboBoxEh>;
using TRichEdit = Named<TCustomMemo, names::RichEdit>;
using TwwDBRichEdit = Named<TCustomMemo, names::WwDBRichEdit>;
using TdxDBMemo = Named<TCustomMemo, names::DxDBMemo>;
using TdxTreeList = Named<TScrollingControl, names::DxTreeList>;
using TdxDBTreeList = Named<TScrollingControl, names::DxDBTreeList>;
using TdxDBGrid = Named<TScrollingControl, names::DxDBGrid>;
using TVirtualStringTree = Named<TScrollingControl, names::VirtualStringTree>;
using TfrDesignerPage = Named<TCustomControl, names::FrDesignerPage>;
using TfrPBox = Named<TCustomControl, names::FrPBox>;
using TLMDEdit = Named<TCustomEdit, names::LMDEdit>;
// Not in the class map: its name only begins like a mapped one.
using TLMDEditX = Named<TCustomEdit, names::LMDEditX>;
using TComboboxex = Named<TCustomComboBox, names::Comboboxex>;
// Groups whose class names contain "RadioGroup" / "CheckGroup": a disabling
// Tag on them passes to their children.
using TRzRadioGroup = Named<TCustomGroupBox, names::RzRadioGroup>;
using TLMDCheckGroup = Named<TCustomGroupBox, names::LMDCheckGroup>;
using TLMDGroupBox = Named<TCustomGroupBox, names::LMDGroupBox>;
using TRxSpeedButton = Named<TCustomControl, names::RxSpeedButton>;

// The media player: which of its buttons show, work and are coloured, as
// the text of a set ("[btPlay,btStop]").
class TMediaPlayer : public TCustomControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomControl::TCustomControl;
    std::string VisibleButtons() const { return m_visible; }
    void SetVisibleButtons(const std::string& v) { m_visible = v; }
    std::string EnabledButtons() const { return m_enabled; }
    void SetEnabledButtons(const std::string& v) { m_enabled = v; }
    std::string ColoredButtons() const { return m_colored; }
    void SetColoredButtons(const std::string& v) { m_colored = v; }

private:
    std::string m_visible = "[btPlay,btPause,btStop,btNext,btPrev,btStep,btBack,btRecord,btEject]";
    std::string m_enabled = "[btPlay,btPause,btStop,btNext,btPrev,btStep,btBack,btRecord,btEject]";
    std::string m_colored = "[btPlay,btPause,btStop,btNext,btPrev,btStep,btBack,btRecord,btEject]";
};

inline const TClassInfo& TMediaPlayer::StaticClassInfo()
{
    static const TClassInfo info{
        "TMediaPlayer",
        &TCustomControl::StaticClassInfo(),
        {
            published::Text("VisibleButtons", &TMediaPlayer::VisibleButtons,
                            &TMediaPlayer::SetVisibleButtons),
            published::Text("EnabledButtons", &TMediaPlayer::EnabledButtons,
                            &TMediaPlayer::SetEnabledButtons),
            published::Text("ColoredButtons", &TMediaPlayer::ColoredButtons,
                            &TMediaPlayer::SetColoredButtons),
        }};
    return info;
}

// Check boxes and radio buttons that draw themselves from glyphs the skin
// pushes into them: "CustomGlyphs", "TransparentColor", "UseCustomGlyphs".
// The data-aware ones add "DataField".
template <const char* Spelling, bool DataAware>
class TImageCheck : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info{Spelling, &TCustomControl::StaticClassInfo(), Properties()};
        return info;
    }
    const TClassInfo& ClassType() const override { return StaticClassInfo(); }

    TBitmap* CustomGlyphs() const { return &m_glyphs; }
    void SetCustomGlyphs(TBitmap* glyphs)
    {
        if (glyphs)
            m_glyphs.Assign(*glyphs);
    }
    int TransparentColor() const { return m_transparentColor; }
    void SetTransparentColor(int color) { m_transparentColor = color; }
    bool UseCustomGlyphs() const { return m_useCustomGlyphs; }
    // Counts the switches to true: the skin switches off and on to make
    // the control reload its glyphs.
    void SetUseCustomGlyphs(bool use)
    {
        reloads += use && !m_useCustomGlyphs;
        m_useCustomGlyphs = use;
    }
    bool Checked() const { return m_checked; }
    void SetChecked(bool checked) { m_checked = checked; }
    std::string DataField() const { return m_dataField; }
    void SetDataField(const std::string& field) { m_dataField = field; }

    int reloads = 0;

private:
    static std::vector<TPropInfo> Properties()
    {
        using Self = TImageCheck;
        std::vector<TPropInfo> p{
            published::Object("CustomGlyphs", &Self::CustomGlyphs, &Self::SetCustomGlyphs),
            published::Integer("TransparentColor", &Self::TransparentColor, &Self::SetTransparentColor),
            published::Boolean("UseCustomGlyphs", &Self::UseCustomGlyphs, &Self::SetUseCustomGlyphs),
            published::Boolean("Checked", &Self::Checked, &Self::SetChecked),
        };
        if (DataAware)
            p.push_back(published::Text("DataField", &Self::DataField, &Self::SetDataField));
        return p;
    }

    mutable TBitmap m_glyphs;
    int m_transparentColor = 0;
    bool m_useCustomGlyphs = false;
    bool m_checked = false;
    std::string m_dataField;
};

namespace names {
inline constexpr char RzCheckBox[] = "TRzCheckBox";
inline constexpr char RzDBCheckBox[] = "TRzDBCheckBox";
inline constexpr char RzRadioButton[] = "TRzRadioButton";
inline constexpr char RzDBRadioButton[] = "TRzDBRadioButton";
inline constexpr char DBCheckboxEh[] = "TDBCheckboxEh";
} // namespace names

using TRzCheckBox = TImageCheck<names::RzCheckBox, false>;
using TRzDBCheckBox = TImageCheck<names::RzDBCheckBox, true>;
using TRzRadioButton = TImageCheck<names::RzRadioButton, false>;
using TRzDBRadioButton = TImageCheck<names::RzDBRadioButton, true>;
using TDBCheckboxEh = TImageCheck<names::DBCheckboxEh, true>;

// The "Properties" object of a check box that holds its "Glyph".
class TcxCheckBoxProperties : public TPersistent {
    TARNIVO_PUBLISHED_CLASS()
public:
    TBitmap* Glyph() const { return &m_glyph; }
    void SetGlyph(TBitmap* glyph)
    {
        if (glyph)
            m_glyph.Assign(*glyph);
        else
            m_glyph.SetSize(0, 0);
    }

private:
    mutable TBitmap m_glyph;
};

inline const TClassInfo& TcxCheckBoxProperties::StaticClassInfo()
{
    static const TClassInfo info{
        "TcxCheckBoxProperties",
        &TPersistent::StaticClassInfo(),
        {published::Object("Glyph", &TcxCheckBoxProperties::Glyph, &TcxCheckBoxProperties::SetGlyph)}};
    return info;
}

// "TcxCheckBox" and "TcxDBCheckBox": the glyph inside "Properties"; the
// data-aware one has a "DataBinding" object.
template <const char* Spelling, bool DataAware>
class TcxCheck : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info{Spelling, &TCustomControl::StaticClassInfo(), Properties()};
        return info;
    }
    const TClassInfo& ClassType() const override { return StaticClassInfo(); }
    TcxCheckBoxProperties* Props() const { return &m_properties; }
    TcxCheckBoxProperties* DataBinding() const { return &m_properties; }

private:
    static std::vector<TPropInfo> Properties()
    {
        std::vector<TPropInfo> p{published::Object("Properties", &TcxCheck::Props)};
        if (DataAware)
            p.push_back(published::Object("DataBinding", &TcxCheck::DataBinding));
        return p;
    }
    mutable TcxCheckBoxProperties m_properties;
};

namespace names {
inline constexpr char CxCheckBox[] = "TcxCheckBox";
inline constexpr char CxDBCheckBox[] = "TcxDBCheckBox";
} // namespace names

using TcxCheckBox = TcxCheck<names::CxCheckBox, false>;
using TcxDBCheckBox = TcxCheck<names::CxDBCheckBox, true>;

// Edits whose integer "NumButtons" says whether they are a combo (1) or a
// plain edit (0). The family's edits are built on an edit; the ones built on
// a plain window (TDCEditWindow) reach the name rule whatever the edit
// rules decide.
template <const char* Spelling, typename Base = TCustomEdit>
class TDCEditOf : public Base {
public:
    using Base::Base;
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info{
            Spelling,
            &Base::StaticClassInfo(),
            {published::Integer("NumButtons", &TDCEditOf::NumButtons, &TDCEditOf::SetNumButtons)}};
        return info;
    }
    const TClassInfo& ClassType() const override { return StaticClassInfo(); }
    int NumButtons() const { return m_numButtons; }
    void SetNumButtons(int n) { m_numButtons = n; }

private:
    int m_numButtons = 0;
};

namespace names {
inline constexpr char DCEdit[] = "TDCEdit";
inline constexpr char DCDBEdit[] = "TDCDBEdit";
} // namespace names

using TDCEdit = TDCEditOf<names::DCEdit>;
using TDCDBEdit = TDCEditOf<names::DCDBEdit>;
using TDCEditWindow = TDCEditOf<names::DCEdit, TCustomControl>;

// "TcxButton": its enumerated "Kind" makes a drop-down button a menu button.
enum TcxButtonKind { cxbkStandard, cxbkDropDown, cxbkDropDownButton, cxbkCommandLink };

class TcxButton : public TCustomControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomControl::TCustomControl;
    TcxButtonKind Kind() const { return m_kind; }
    void SetKind(TcxButtonKind kind) { m_kind = kind; }

private:
    TcxButtonKind m_kind = cxbkStandard;
};

inline const TClassInfo& TcxButton::StaticClassInfo()
{
    static const TClassInfo info{
        "TcxButton",
        &TCustomControl::StaticClassInfo(),
        {published::Enumeration("Kind",
                                {"cxbkStandard", "cxbkDropDown", "cxbkDropDownButton",
                                 "cxbkCommandLink"},
                                &TcxButton::Kind, &TcxButton::SetKind)}};
    return info;
}

// A bit button whose picture is a "PngImage" rather than its Glyph.
class TPngBitBtn : public TBitBtn {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TBitBtn::TBitBtn;
    TBitmap* PngImage() const { return &m_png; }
    void SetPngImage(TBitmap* image)
    {
        if (image)
            m_png.Assign(*image);
    }

private:
    mutable TBitmap m_png;
};

inline const TClassInfo& TPngBitBtn::StaticClassInfo()
{
    static const TClassInfo info{
        "TPngBitBtn",
        &TBitBtn::StaticClassInfo(),
        {published::Object("PngImage", &TPngBitBtn::PngImage, &TPngBitBtn::SetPngImage)}};
    return info;
}

// Panels and track bars of other families that the skin makes transparent.
template <const char* Spelling, typename Base>
class TTransparentOf : public Base {
public:
    using Base::Base;
    static const TClassInfo& StaticClassInfo()
    {
        static const TClassInfo info{
            Spelling,
            &Base::StaticClassInfo(),
            {published::Boolean("Transparent", &TTransparentOf::Transparent,
                                &TTransparentOf::SetTransparent)}};
        return info;
    }
    const TClassInfo& ClassType() const override { return StaticClassInfo(); }
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent) { m_transparent = transparent; }

private:
    bool m_transparent = false;
};

namespace names {
inline constexpr char LMDSimplePanel[] = "TLMDSimplePanel";
inline constexpr char LMDTrackbar[] = "TLMDTrackbar";
inline constexpr char AdvPageControl[] = "TAdvPageControl";
} // namespace names

using TLMDSimplePanel = TTransparentOf<names::LMDSimplePanel, TCustomPanel>;
using TLMDTrackbar = TTransparentOf<names::LMDTrackbar, TCustomControl>;

// A page control that takes its tab faces as two bitmaps.
class TAdvPageControl : public TCustomControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomControl::TCustomControl;
    TBitmap* TabBackGround() const { return &m_normal; }
    void SetTabBackGround(TBitmap* b) { Take(m_normal, b); }
    TBitmap* TabBackGroundActive() const { return &m_active; }
    void SetTabBackGroundActive(TBitmap* b) { Take(m_active, b); }

private:
    static void Take(TBitmap& into, TBitmap* from)
    {
        if (from)
            into.Assign(*from);
        else
            into.SetSize(0, 0);
    }
    mutable TBitmap m_normal;
    mutable TBitmap m_active;
};

inline const TClassInfo& TAdvPageControl::StaticClassInfo()
{
    static const TClassInfo info{
        names::AdvPageControl,
        &TCustomControl::StaticClassInfo(),
        {
            published::Object("TabBackGround", &TAdvPageControl::TabBackGround,
                              &TAdvPageControl::SetTabBackGround),
            published::Object("TabBackGroundActive", &TAdvPageControl::TabBackGroundActive,
                              &TAdvPageControl::SetTabBackGroundActive),
        }};
    return info;
}

// Grids. The framework has no grid of its own; the family's grids derive
// from a class named "TCustomGrid", which a class test can find by name in
// the published class chain (ClassType()->Parent...). Grids publish
// "FixedColor", the colour of their fixed rows and columns.
class TCustomGrid : public TScrollingControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TScrollingControl::TScrollingControl;
    int FixedColor() const { return m_fixedColor; }
    void SetFixedColor(int color) { m_fixedColor = color; }

private:
    int m_fixedColor = static_cast<int>(clBtnFace);
};

inline const TClassInfo& TCustomGrid::StaticClassInfo()
{
    static const TClassInfo info{
        "TCustomGrid",
        &TCustomControl::StaticClassInfo(),
        {published::Integer("FixedColor", &TCustomGrid::FixedColor, &TCustomGrid::SetFixedColor)}};
    return info;
}

namespace names {
inline constexpr char StringGrid[] = "TStringGrid";
inline constexpr char DBGrid[] = "TDBGrid";
} // namespace names

using TStringGrid = Named<TCustomGrid, names::StringGrid>;
using TDBGrid = Named<TCustomGrid, names::DBGrid>;

} // namespace tarnivo::test::otherfamilies
