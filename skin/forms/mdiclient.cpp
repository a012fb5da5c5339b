// The MDI client window of a skinned MDI parent.
//
// The client belongs to the system: it creates, arranges and destroys the
// children and keeps the window list in the frame's menu. We sit in front of
// its procedure only to learn of those moments, because the skinned frame
// depends on them: a maximized child's buttons live in the frame's menu band,
// the band is rebuilt from the frame menu a child may swap, and the children's
// regions come and go with the process-wide maximized mode.

#include "mdiclient.h"

#include "discovery.h"
#include "menuband.h"
#include "skinmanager.h"
#include "skinmessages.h"
#include "winskinform.h"

namespace tarnivo {

void TWinSkinForm::SubclassMDI()
{
    if (FormStyle != sfsMDIform || !MDIClient || m_mdiSubclass.Installed())
        return;
    // TWindowSubclass picks the ANSI or wide calls by IsWindowUnicode; the
    // client the framework makes is an ANSI window.
    m_mdiSubclass.Install(MDIClient, [this](TMessage& message) { WinMDIProc(message); });
}

void TWinSkinForm::UnSubclassMDI()
{
    m_mdiSubclass.Remove();
}

void TWinSkinForm::DefaultMDI(TMessage& message)
{
    m_mdiSubclass.CallPrevious(message);
}

void TWinSkinForm::WinMDIProc(TMessage& m)
{
    TReleaseGuard::TScope scope(m_guard);
    switch (m.Msg) {
    case WM_NCDESTROY:      DefaultMDI(m); UnSubclassMDI(); break;
    case WM_MDICREATE:      MDICreate(m); break;
    case WM_MDIDESTROY:     MDIDestroy(m); break;
    case WM_MDITILE:        MDIArrange(m); break;
    case WM_MDICASCADE:     MDIArrange(m); break;
    case WM_MDISETMENU:     MDISetMenu(m); break;
    case WM_SKINMDICAPTION: MDICaption(m); break;
    default:                DefaultMDI(m); break;
    }
}

void TWinSkinForm::SkinMDIScrollbars()
{
    if (FormStyle != sfsMDIform || !MDIClient || !IsWindow(MDIClient) || !SkinData)
        return;
    TSkinControlLink* skin = MDIClientSkin();
    const bool wanted = SkinFrame && SkinData->SkinControls().Contains(xcScrollbar) &&
                        !SkinData->Options().Contains(xoMDIScrollbar);
    if (wanted && !skin) {
        TControlDiscovery(*this).AttachWindow(MDIClient, TSkinClass::ScrollbarH);
    } else if (!wanted && skin) {
        skin->Unsubclass();
        FreeControl(skin);
        // The system bars show through again where the overlays were.
        RedrawWindow(MDIClient, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
}

TSkinControlLink* TWinSkinForm::MDIClientSkin() const
{
    for (TSkinControlLink* link : Controls)
        if (MDIClient && link->ControlHandle() == MDIClient)
            return link;
    return nullptr;
}

void TWinSkinForm::MDICreate(TMessage& m)
{
    // A new child may bring its own frame menu; the band follows such
    // changes through WM_MDISETMENU, not through CM_MENUCHANGED.
    if (SkinData)
        SkinData->SetMenuUpdate(false);
    DefaultMDI(m);
}

void TWinSkinForm::MDIDestroy(TMessage& m)
{
    DefaultMDI(m);
    if (!SkinFrame)
        return;
    if (TSkinManage* manager = SkinManage())
        manager->SetMDIMax(MDIChildMax());
    if (SendMessageW(MDIClient, WM_MDIGETACTIVE, 0, 0) || !MenuBar)
        return;
    // The last child is gone: the band shows the frame's own menu again.
    if (SkinData)
        SkinData->SetMenuUpdate(MDIMenuUpdate != 0);
    MenuBar->UpdataBtn();
    MenuBar->SetMenuRect();
    if (IsWindowVisible(Handle))
        UpdateNc(nullptr);
}

void TWinSkinForm::MDIArrange(TMessage& m)
{
    // Tiling and cascading restore a maximized child first.
    if (TSkinManage* manager = SkinManage(); SkinFrame && manager && manager->MDIMaximized)
        manager->SetMDIMax(false);
    DefaultMDI(m);
}

void TWinSkinForm::MDISetMenu(TMessage& m)
{
    DefaultMDI(m);
    if (!SkinFrame)
        return;
    if (m.WParam && MenuBar)
        MenuBar->UpdataBtn2();
    // The client has put the menu on the frame; the band draws it instead.
    SetMenu(Handle, nullptr);
}

void TWinSkinForm::MDICaption(TMessage& m)
{
    RedrawWindow(Handle, nullptr, nullptr, MDICaptionRedraw);
    m.Result = 0;
}

} // namespace tarnivo
