// The form object's list of control skins: adding, taking off, freeing, and
// handing new controls to discovery.

#include "winskinform.h"

#include "discovery.h"

#include "skin/controls/skincontrol.h"

#include <algorithm>

namespace tarnivo {

// The list does not own its skin objects: a skin object is a component of
// the framework control it skins (and dies with it) or of this form object
// (raw windows). Whichever goes first, the skin object's destructor takes it
// off the list; freeing one from here deletes it, which also takes it out of
// its owner's components. So the form frees what it lists, and nothing is
// freed twice or kept.

bool TWinSkinForm::AddControlList(TSkinControlLink* control)
{
    if (std::find(Controls.begin(), Controls.end(), control) != Controls.end())
        return true;
    Controls.push_back(control);
    return false;
}

void TWinSkinForm::DeleteControl(TSkinControlLink* control)
{
    std::erase(Controls, control);
    if (HotControl == control)
        HotControl = nullptr;
}

void TWinSkinForm::FreeControl(TSkinControlLink* control)
{
    DeleteControl(control);
    control->Release();
}

void TWinSkinForm::DeleteSkinDeleted()
{
    std::vector<TSkinControlLink*> deleted;
    for (TSkinControlLink* control : Controls)
        if (control->Status() == TSkinControlLink::StatusDeleted)
            deleted.push_back(control);
    // One at a time, each looked up again: freeing one may free another
    // (a skin object that owns the control of a second one).
    for (TSkinControlLink* control : deleted)
        if (std::find(Controls.begin(), Controls.end(), control) != Controls.end())
            FreeControl(control);
}

void TWinSkinForm::DeleteControls()
{
    HotControl = nullptr;
    while (!Controls.empty()) {
        TSkinControlLink* control = Controls.front();
        if (control->Status() != TSkinControlLink::StatusDeleted)
            control->Unsubclass();
        FreeControl(control);
    }
}

// Which control gets which skin: discovery.cpp.
void TWinSkinForm::AddControlh(HWND window)
{
    TControlDiscovery(*this).AddControlh(window);
}

void TWinSkinForm::InitControls(TControl* control)
{
    TControlDiscovery(*this).InitControls(control);
}

void TWinSkinForm::InitNestform(TForm* nested)
{
    TControlDiscovery(*this).InitNestform(nested);
}

// A window-less control has no window whose end would tell its skin object
// to go: the program says so here (before it changes the control into
// something the skin should not draw, say), and the control paints itself
// again.
void TWinSkinForm::DeleteGraphicControl(TControl* control)
{
    if (!control)
        return;
    std::vector<TSkinControlLink*> found;
    for (TSkinControlLink* link : Controls)
        if (auto* skin = dynamic_cast<TSkinControl*>(link); skin && skin->GraphicControl() == control)
            found.push_back(link);
    for (TSkinControlLink* link : found) {
        if (std::find(Controls.begin(), Controls.end(), link) == Controls.end())
            continue;
        link->Unsubclass();
        FreeControl(link);
    }
    control->Invalidate();
}

} // namespace tarnivo
