// Notifications a child sends its parent (WM_COMMAND, WM_NOTIFY, owner
// drawing, scrolling, WM_CTLCOLOR*) go back to the child as CN_ messages,
// and the colours a child asks for come from the child's own properties.

#include "control.h"

namespace tarnivo {

bool TWinControl::ReflectToChild(TMessage& message)
{
    HWND child = nullptr;
    switch (message.Msg) {
    case WM_COMMAND: child = reinterpret_cast<HWND>(message.LParam); break;
    case WM_NOTIFY:
        if (const NMHDR* header = NotifyRecord(message.LParam))
            child = header->hwndFrom;
        break;
    case WM_DRAWITEM: {
        const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        if (d && d->CtlType != ODT_MENU)
            child = d->hwndItem;
        break;
    }
    case WM_MEASUREITEM:
        return false;
    default:
        child = reinterpret_cast<HWND>(message.LParam);   // WM_CTLCOLOR*
        break;
    }
    TWinControl* control = FromHandle(child);
    if (!control || control == this)
        return false;
    message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    if (message.Msg >= WM_CTLCOLORMSGBOX && message.Msg <= WM_CTLCOLORSTATIC && !message.Result)
        message.Result = reinterpret_cast<LRESULT>(
            ChildColor(reinterpret_cast<HDC>(message.WParam), control));
    return true;
}

HBRUSH TWinControl::ChildColor(HDC dc, TWinControl* child)
{
    SetTextColor(dc, ColorToRGB(child->Font().Color()));
    SetBkColor(dc, ColorToRGB(child->Color()));
    child->UpdateChildBrush();
    return child->m_brush.Get();
}

void TWinControl::UpdateChildBrush()
{
    if (m_brush && m_brushColor == Color())
        return;
    m_brushColor = Color();
    m_brush.Reset(CreateSolidBrush(ColorToRGB(m_brushColor)));
}

} // namespace tarnivo
