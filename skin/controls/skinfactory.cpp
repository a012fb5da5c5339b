#include "skinfactory.h"

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
    case TSkinClass::BoxH:        return "TSkinBoxH";
    case TSkinClass::Sizer:       return "TSkinSizer";
    case TSkinClass::StatusBar:   return "TSkinStatusBar";
    case TSkinClass::ObjImage:    return "TSkinObjImage";
    case TSkinClass::MP:          return "TSkinMP";
    }
    return "";
}

// The per-control painters are not built yet: every class attaches nothing.
TSkinControlLink* AttachSkinControl(const TSkinAttachRequest&)
{
    return nullptr;
}

} // namespace tarnivo
