// Caption buttons: visibility, placement in the title bar, drawing, and the
// actions a click runs. The title-bar paint (DrawFLine) places and draws them
// after the caption text; the non-client mouse handlers (ncmouse.cpp) move
// their hot and pressed states and call SysBtnAction on a release.

#include "captionbuttons.h"

#include "menuband.h"

#include "skinmanager.h"
#include "skinmessages.h"

#include "skin/paint/drawroutines.h"

#include "framework/dcscopes.h"

namespace tarnivo {

bool VisibilityAllows(int code, VisibilityKey key, const TCaptionWindowFacts& facts)
{
    const bool minOrMax = facts.Icons.Contains(sbiMin) || facts.Icons.Contains(sbiMax);
    const bool first = key == VisibilityKey::Visibility;
    switch (code) {
    case 0: return true;
    case 1: return facts.Maximized;
    case 2: return !facts.Maximized;
    case 3: return facts.Active;
    case 4: return !facts.Active;
    case 6:
    case 8: return first ? minOrMax && facts.Icons.Contains(sbisystem) : minOrMax;
    case 7: return !facts.Icons.Contains(sbiMax);
    case 9: return !facts.Icons.Contains(sbiMin);
    case MenuBandCode: return facts.MaximizedChildInBand;
    case 200: return facts.DialogBorder;
    default: break;
    }
    if (code > 200 && code < 1000)
        return true;
    if (code >= 1000 && code <= 2000)
        return !first || (facts.Query && facts.Query(code) > 0);
    // -1, 5, 10 to 99, 101 to 199, above 2000 and every other negative code.
    return false;
}

TWinSysButton* TWinSkinForm::FindBtn(POINT point) const
{
    for (const auto& button : SysButtons)
        if (button->Visible && button->Element->Action >= 0 && PtInRect(&button->Rect, point))
            return button.get();
    return nullptr;
}

TNCObject* TWinSkinForm::FindMenuBtn(POINT point) const
{
    return MenuBar ? MenuBar->FindBtn(point) : nullptr;
}

bool TWinSkinForm::SysBtnVisible(int index)
{
    if (index < 0 || index >= static_cast<int>(SysButtons.size()))
        return false;
    TWinSysButton& button = *SysButtons[static_cast<std::size_t>(index)];
    const TDataSkinSysButton& element = *button.Element;

    TCaptionWindowFacts facts;
    facts.Maximized = WindowState == swsMax;
    facts.Active = Active != 0;
    facts.Icons = Icons;
    facts.MaximizedChildInBand = FormStyle == sfsMDIform && MenuBar && MDIChildMax();
    facts.DialogBorder = !DialogClass && BorderStyle == sbsDialog;
    const HWND window = Handle;
    const int action = element.Action;
    facts.Query = [window, action](int code) {
        return SendMessageW(window, WM_SKINBUTTONQUERY, static_cast<WPARAM>(code),
                            static_cast<LPARAM>(action));
    };

    bool visible = VisibilityAllows(element.Visibility, VisibilityKey::Visibility, facts) &&
                   VisibilityAllows(element.Visibility1, VisibilityKey::Visibility1, facts);
    const bool system = Icons.Contains(sbisystem);
    switch (action) {
    case btnaction::Close:
        if (!system)
            visible = false;
        break;
    case btnaction::Maximize:
        button.Enabled = Icons.Contains(sbiMax) && system;
        break;
    case btnaction::Minimize:
        button.Enabled = Icons.Contains(sbiMin) && system;
        break;
    case btnaction::SysMenuIcon:
    case btnaction::SysMenuIcon2:
    case btnaction::SysMenu:
        if (BorderStyle == sbsDialog)
            visible = false;
        break;
    default:
        break;
    }
    button.Visible = visible ? 1 : 0;
    return visible;
}

void TWinSkinForm::SetSysbtnRect()
{
    const int menuMargin = SkinData && ElementPresent(Skin().MenuBar)
                               ? Skin().MenuBar->Margins.Left
                               : 0;
    int rightmost = 0;
    for (int i = 0; i < static_cast<int>(SysButtons.size()); ++i) {
        TWinSysButton& button = *SysButtons[static_cast<std::size_t>(i)];
        const TDataSkinSysButton& e = *button.Element;
        if (!SysBtnVisible(i) || e.Image.Empty())
            continue;
        const int w = e.Image.Width() / std::max(1, e.FrameCount);
        const int h = e.Image.Height();
        int left = 0;
        int top = 0;
        switch (e.Align) {
        case 0:
            left = e.X;
            top = e.Y;
            break;
        case 1:
            left = PaintWidth - e.X;
            top = e.Y;
            rightmost = std::max(rightmost, left);
            break;
        case 2:
        case 8:
            left = CaptionTextRect.left - w - e.X;
            top = e.Y;
            break;
        case 3:
        case 9:
            left = CaptionTextRect.right + e.X;
            top = e.Y;
            break;
        case MenuBandCode:
            top = BorderTop + (MenuBarHeight - h) / 2;
            left = RightToLeft ? e.X + BorderLeft + menuMargin
                               : PaintWidth - e.X - BorderRight - menuMargin;
            break;
        default:
            break;
        }
        button.Rect = TRect{left, top, left + w, top + h};
    }
    if (rightmost > 0)
        RightButtonsLeft = rightmost;
}

void TWinSkinForm::DrawAllSysbtn(TCanvas& canvas, const TRect&)
{
    HDC dc = canvas.Handle();
    for (const auto& button : SysButtons) {
        const TDataSkinSysButton& e = *button->Element;
        if (!button->Visible || e.Image.Empty() || e.Visibility == MenuBandCode)
            continue;
        if (ShowsWindowIcon(e.Action)) {
            DrawIcon(dc, button->Rect);
            continue;
        }
        const int frame = (Active || e.FrameCount < 4) ? 1 : 4;
        DrawRect1(dc, button->Rect, e.Image, Keying::Transparent, e.FrameCount, frame);
    }
    // Our objects go back out of the DC before the canvas draws again.
    canvas.Refresh();
}

void TWinSkinForm::DrawSysbtn(TWinSysButton* button, int state, HDC dc)
{
    if (!button || !button->Visible || button->Element->Image.Empty() || !SkinData)
        return;
    if ((SkinState != skinstate::Active && SkinState != skinstate::Reskinning) ||
        BorderStyle == sbsNone || MaximizedMDIChild())
        return;
    const TDataSkinSysButton& e = *button->Element;
    if (!button->Enabled)
        state = 1;
    if (e.Visibility == MenuBandCode && state == 3)
        state = 4;
    WindowDC own;
    if (!dc) {
        own = WindowDC(Handle, DcArea::Window);
        dc = own.Get();
        if (!dc)
            return;
    }
    try {
        if (ShowsWindowIcon(e.Action))
            DrawIcon(dc, button->Rect);
        else
            DrawRect1(dc, button->Rect, e.Image, Keying::Transparent, e.FrameCount, state);
    } catch (...) {
        // A button that cannot be drawn keeps its last look.
    }
}

POINT TWinSkinForm::GetWinXY(int x, int y) const
{
    POINT point{x, y};
    ScreenToClient(Handle, &point);
    if (!(FormStyle == sfsMDIChild && WindowState == swsMin)) {
        point.x += BorderLeft;
        point.y += BorderTop + MenuBarHeight;
    }
    return point;
}

void TWinSkinForm::SysBtnAction(int x, int y)
{
    auto* button = dynamic_cast<TWinSysButton*>(HotObject);
    if (!button)
        return;
    const int action = button->Element->Action;
    switch (action) {
    case btnaction::Close:
        if (!CheckSysmenu())
            return;
        if (HoverTimer)
            HoverTimer->SetEnabled(false);
        PostMessageW(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        return;
    case btnaction::Maximize:
    case btnaction::Maximize2:
        if (button->Enabled)
            Maximize();
        return;
    case btnaction::Minimize:
    case btnaction::Minimize2:
        if (button->Enabled)
            Minimize();
        return;
    case btnaction::SysMenuIcon:
    case btnaction::SysMenuIcon2:
    case btnaction::SysMenu:
        PopSysmenu(POINT{x + 1, y + 1});
        return;
    case btnaction::ChildMinimize:
    case btnaction::ChildMinimize2:
        MDIChildAction(SC_MINIMIZE);
        return;
    case btnaction::ChildRestore:
    case btnaction::ChildRestore2:
        MDIChildAction(SC_RESTORE);
        return;
    case btnaction::ChildClose:
    case btnaction::ChildClose2:
        MDIChildAction(SC_CLOSE);
        return;
    default:
        PostMessageW(Handle, WM_SKINBUTTONCLICK, static_cast<WPARAM>(action), 0);
        return;
    }
}

void TWinSkinForm::Maximize()
{
    if (WindowState == swsMax) {
        Restore();
        return;
    }
    if (FormStyle == sfsMDIChild)
        if (TSkinManage* manager = SkinManage())
            manager->SetMDIMax(true);
    WindowState = swsMax;
    PostMessageW(Handle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    HotObject = nullptr;
}

void TWinSkinForm::Restore()
{
    WindowState = swsNormal;
    PostMessageW(Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::Minimize()
{
    if (WindowState == swsMin) {
        Restore();
        return;
    }
    WindowState = swsMin;
    // The taskbar shows the window's menu only with WS_SYSMENU.
    UpdateStyle(false);
    PostMessageW(Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::MDIChildAction(UINT command)
{
    if (FormStyle != sfsMDIform || !MDIClient)
        return;
    const auto child = reinterpret_cast<HWND>(SendMessageW(MDIClient, WM_MDIGETACTIVE, 0, 0));
    if (child)
        SendMessageW(child, WM_SYSCOMMAND, command, 0);
}

bool TWinSkinForm::MDIChildMax() const
{
    if (FormStyle != sfsMDIform || !MDIClient)
        return false;
    BOOL maximized = FALSE;
    const auto child = reinterpret_cast<HWND>(
        SendMessageW(MDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    return child && maximized;
}

} // namespace tarnivo
