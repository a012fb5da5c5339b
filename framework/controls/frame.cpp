#include "framework/controls/frame.h"

namespace tarnivo {

const TClassInfo& TCustomFrame::StaticClassInfo()
{
    static const TClassInfo info{"TCustomFrame", &TScrollingWinControl::StaticClassInfo(), {}};
    return info;
}

TCustomFrame::TCustomFrame(TComponent* owner) : TScrollingWinControl(owner)
{
    SetBounds(0, 0, 320, 240);
    SetTabStop(true);
    // A piece of its form: its background and text look like the form's.
    SetParentColor(true);
    SetParentFont(true);
}

const TClassInfo& TFrame::StaticClassInfo()
{
    static const TClassInfo info{"TFrame", &TCustomFrame::StaticClassInfo(), {}};
    return info;
}

} // namespace tarnivo
