#pragma once
// Making and attaching the control skin that discovery chose.

#include "skin/controls/skinclass.h"
#include "skin/controls/skinhost.h"

#include <windows.h>

namespace tarnivo {

class TCanvas;
class TComponent;
class TControl;
class TSkinData;

struct TSkinAttachRequest {
    TSkinClass Class = TSkinClass::None;
    TSkinAttach Attach = TSkinAttach::Init;
    int Kind = 0;                     // the class's variant number
    bool UpdateColor = false;         // the control's Color becomes ButtonFace while skinned
    bool GlyphFromPngImage = false;   // a bit button takes its glyph from "PngImage"
    TControl* Control = nullptr;      // the framework control (Init, InitScrollbar, InitGraphicControl)
    HWND Window = nullptr;            // the raw window (Inithwnd)
    TComponent* Owner = nullptr;      // frees the skin: the control, or the form object
    ISkinControlHost* Host = nullptr;
    TSkinData* SkinData = nullptr;
    TCanvas* Canvas = nullptr;
};

// Creates the skin object of the requested class, owned by request.Owner,
// and attaches it; it is then in the host's list. Null when that class is
// not built.
TSkinControlLink* AttachSkinControl(const TSkinAttachRequest& request);

} // namespace tarnivo
