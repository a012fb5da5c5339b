// A maximized MDI child's minimize, restore and close buttons in the MDI
// parent's menu band. They are caption buttons of the parent (the three the
// skin data appends, actions 7, 8 and 9, or 60 to 62 from a skin's own
// sections) placed by SetSysbtnRect at the band's right end (left end for a
// right-to-left frame); the hit tests and clicks of captionbuttons.cpp and
// ncmouse.cpp serve them like any other caption button, and their actions
// go to the active child (MDIChildAction).

#include "mdiclient.h"

#include "captionbuttons.h"
#include "skinmanager.h"

#include "skin/paint/drawroutines.h"

namespace tarnivo {

bool IsMDIBandButton(const TDataSkinSysButton& element)
{
    return element.Visibility == MenuBandCode;
}

void TWinSkinForm::DrawMDIButtons(TCanvas& canvas, const TRect& bandRect)
{
    if (FormStyle != sfsMDIform || !MDIChildMax())
        return;
    // Visibility and places as of now: the band may be drawn on its own,
    // without the title bar that normally computes them first.
    SetSysbtnRect();
    for (const auto& button : SysButtons) {
        const TDataSkinSysButton& e = *button->Element;
        if (!IsMDIBandButton(e) || !button->Visible || e.Image.Empty())
            continue;
        TRect r = button->Rect;
        OffsetRect(&r, -bandRect.left, -bandRect.top);
        DrawRect1(canvas.Handle(), r, e.Image, Keying::Transparent, e.FrameCount, 1);
    }
    canvas.Refresh();
    if (TSkinManage* manager = SkinManage(); manager && !manager->MDIMaximized)
        manager->SetMDIMax(true);
}

} // namespace tarnivo
