#include "skinfactory.h"

#include "skinbox.h"
#include "skinbitbutton.h"
#include "skinbutton.h"
#include "skincheckbox.h"
#include "skincombobox.h"
#include "skincontrol.h"
#include "skindatetime.h"
#include "skinedit.h"
#include "skingroupbox.h"
#include "skinlistview.h"
#include "skinmediaplayer.h"
#include "skinobjimage.h"
#include "skinprogress.h"
#include "skinscrollbar.h"
#include "skinstatusbar.h"
#include "skintab.h"
#include "skintrackbar.h"
#include "skinupdown.h"

#include <iterator>

namespace tarnivo {

std::string_view SkinClassName(TSkinClass skinClass)
{
    switch (skinClass) {
    case TSkinClass::None:        return "";
    case TSkinClass::Button:      return "TSkinButton";
    case TSkinClass::BitButton:   return "TSkinBitButton";
    case TSkinClass::MenuButton:  return "TSkinMenuButton";
    case TSkinClass::SpeedButton: return "TSkinSpeedButton";
    case TSkinClass::CheckBox:    return "TSkinCheckBox";
    case TSkinClass::RadioButton: return "TSkinRadioButton";
    case TSkinClass::Scrollbar:   return "TSkinScrollbar";
    case TSkinClass::ScrollbarH:  return "TSkinScrollbarH";
    case TSkinClass::ListView:    return "TSkinListView";
    case TSkinClass::ScControl:   return "TSkinScControl";
    case TSkinClass::Edit:        return "TSkinEdit";
    case TSkinClass::ComBox:      return "TSkinComBox";
    case TSkinClass::Header:      return "TSkinHeader";
    case TSkinClass::DateTime:    return "TSkinDateTime";
    case TSkinClass::Tab:         return "TSkinTab";
    case TSkinClass::Tab31:       return "TSkinTab31";
    case TSkinClass::TabBtn:      return "TSkinTabBtn";
    case TSkinClass::TabSheet:    return "TSkinTabSheet";
    case TSkinClass::AdvPage:     return "TSkinAdvPage";
    case TSkinClass::Progress:    return "TSkinProgress";
    case TSkinClass::TrackBar:    return "TSkinTrackBar";
    case TSkinClass::UpDown:      return "TSkinUpDown";
    case TSkinClass::GroupBox:    return "TSkinGroupBox";
    case TSkinClass::Box:         return "TSkinBox";
    case TSkinClass::CoolBar:     return "TSkinCoolBar";
    case TSkinClass::BoxH:        return "TSkinBoxH";
    case TSkinClass::Sizer:       return "TSkinSizer";
    case TSkinClass::StatusBar:   return "TSkinStatusBar";
    case TSkinClass::ObjImage:    return "TSkinObjImage";
    case TSkinClass::MP:          return "TSkinMP";
    }
    return "";
}

namespace {

using TMaker = TSkinControl* (*)(TComponent* owner, const TSkinAttachRequest& request);

template <typename T>
TSkinControl* Make(TComponent* owner, const TSkinAttachRequest&)
{
    return new T(owner);
}

// A bit button whose glyph is its "PngImage" picture.
TSkinControl* MakeBitButton(TComponent* owner, const TSkinAttachRequest& request)
{
    auto* skin = new TSkinBitButton(owner);
    if (request.GlyphFromPngImage)
        skin->SetPictureProp("PngImage");
    return skin;
}

struct TMakerRow {
    TSkinClass Class;
    TMaker Make;
};

// One row per control skin that is built; a class without a row attaches
// nothing (discovery then leaves the control with its system look).
const TMakerRow Makers[] = {
    {TSkinClass::None, nullptr},
    {TSkinClass::Box, Make<TSkinBox>},
    {TSkinClass::CoolBar, Make<TSkinCoolBar>},
    {TSkinClass::BoxH, Make<TSkinBoxH>},
    {TSkinClass::Sizer, Make<TSkinSizer>},
    {TSkinClass::TabSheet, Make<TSkinTabSheet>},
    {TSkinClass::GroupBox, Make<TSkinGroupBox>},
    {TSkinClass::StatusBar, Make<TSkinStatusBar>},
    {TSkinClass::ObjImage, Make<TSkinObjImage>},
    {TSkinClass::AdvPage, Make<TSkinAdvPage>},
    {TSkinClass::MP, Make<TSkinMP>},
    {TSkinClass::Button, Make<TSkinButton>},
    {TSkinClass::BitButton, MakeBitButton},
    {TSkinClass::MenuButton, Make<TSkinMenuButton>},
    {TSkinClass::SpeedButton, Make<TSkinSpeedButton>},
    {TSkinClass::CheckBox, Make<TSkinCheckBox>},
    {TSkinClass::RadioButton, Make<TSkinRadioButton>},
    {TSkinClass::Scrollbar, Make<TSkinScrollbar>},
    {TSkinClass::ScrollbarH, Make<TSkinScrollbarH>},
    {TSkinClass::ListView, Make<TSkinListView>},
    {TSkinClass::ScControl, Make<TSkinScControl>},
    {TSkinClass::Header, Make<TSkinHeader>},
    {TSkinClass::Edit, Make<TSkinEdit>},
    {TSkinClass::ComBox, Make<TSkinComBox>},
    {TSkinClass::DateTime, Make<TSkinDateTime>},
    {TSkinClass::Tab, Make<TSkinTab>},
    {TSkinClass::TabBtn, Make<TSkinTabBtn>},
    {TSkinClass::Tab31, Make<TSkinTab31>},
    {TSkinClass::Progress, Make<TSkinProgress>},
    {TSkinClass::TrackBar, Make<TSkinTrackBar>},
    {TSkinClass::UpDown, Make<TSkinUpDown>},
};

TMaker MakerFor(TSkinClass skinClass)
{
    for (const TMakerRow& row : Makers)
        if (row.Class == skinClass)
            return row.Make;
    return nullptr;
}

} // namespace

TSkinControlLink* AttachSkinControl(const TSkinAttachRequest& request)
{
    const TMaker make = MakerFor(request.Class);
    if (!make || !request.Owner)
        return nullptr;
    TSkinControl* skin = make(request.Owner, request);
    skin->SetKind(request.Kind);
    switch (request.Attach) {
    case TSkinAttach::Init:
        skin->Init(request.Host, request.SkinData, request.Canvas, request.UpdateColor);
        break;
    case TSkinAttach::Inithwnd:
        skin->Inithwnd(request.Window, request.SkinData, request.Canvas, request.Host);
        break;
    case TSkinAttach::InitScrollbar:
        skin->InitScrollbar(request.Control, request.SkinData, request.Canvas, request.Host);
        break;
    case TSkinAttach::InitGraphicControl:
        skin->InitGraphicControl(request.Host, request.SkinData, request.Canvas);
        break;
    }
    if (!skin->Inited()) {
        delete skin;
        return nullptr;
    }
    return skin;
}

} // namespace tarnivo
