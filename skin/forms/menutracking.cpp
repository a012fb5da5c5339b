// Opening the menu band's drop-downs and moving between them.
//
// A drop-down is the entry's native menu shown with TrackPopupMenu under its
// band button. While it shows, the system runs its own menu loop; a
// message-filter hook (WH_MSGFILTER, code MSGF_MENU) watches that loop so the
// band behaves like a native menu bar: → past the last entry of a drop-down
// (or on an entry without a sub-menu) moves to the next band button, ← in
// the first level to the previous one, and the mouse moving onto another
// band button opens that one. Switching ends the current menu loop
// (EndMenu) and CheckMenu opens the target once TrackPopupMenu has
// returned: a click posted into the running loop would be dispatched inside
// it and nest a second loop.

#include "menuband.h"
#include "menuitems.h"
#include "popupmenu.h"
#include "skinmanager.h"
#include "winskinform.h"

#include "framework/windowshook.h"

#include <windowsx.h>

namespace tarnivo {

namespace {

// Process-wide: one menu is tracked at a time.
struct TMenuTrackState {
    TWinSkinForm* Form = nullptr;     // the tracking form
    TWindowsHook Hook;
    TMenuItem* LastItem = nullptr;    // framework entry last selected
    HMENU TrackedSubMenu = nullptr;   // the open drop-down's menu
    int Index = -1;                   // band button whose drop-down is open
    bool FirstMessage = false;
    bool Switching = false;
    int SwitchTo = -1;                // button to open once the loop has ended
    POINT LastMouse{-1, -1};
};

TMenuTrackState& Track()
{
    static TMenuTrackState state;
    return state;
}

struct TSelection {
    HMENU Menu = nullptr;   // the menu holding the deepest highlighted entry
    int Position = -1;
    HMENU SubMenu = nullptr;
    int Depth = 0;          // 1: the drop-down itself
};

// The deepest highlighted entry below `menu`, following open sub-menus.
TSelection DeepestSelection(HMENU menu)
{
    TSelection found;
    for (int depth = 1; menu && depth < 16; ++depth) {
        const int count = GetMenuItemCount(menu);
        int hilited = -1;
        HMENU sub = nullptr;
        for (int i = 0; i < count; ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_STATE | MIIM_SUBMENU;
            if (GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) &&
                (info.fState & MFS_HILITE)) {
                hilited = i;
                sub = info.hSubMenu;
                break;
            }
        }
        if (hilited < 0)
            break;
        found = TSelection{menu, hilited, sub, depth};
        menu = sub;
    }
    return found;
}

int Wrap(int index, int count)
{
    return count <= 0 ? -1 : (index % count + count) % count;
}

// The next or previous band button with a caption, visible.
int Neighbour(const TWinSkinMenu& band, int from, int step)
{
    const int count = band.Count();
    for (int i = 1; i <= count; ++i) {
        const int index = Wrap(from + step * i, count);
        const TMenuBtn* button = band.Button(index);
        if (button && button->Visible && !button->Caption.empty())
            return index;
    }
    return -1;
}

void SwitchTo(int index)
{
    TMenuTrackState& track = Track();
    if (index < 0 || index == track.Index)
        return;
    track.Switching = true;
    track.SwitchTo = index;
    EndMenu();
}

void TrackKey(const MSG& msg)
{
    TMenuTrackState& track = Track();
    TWinSkinMenu* band = track.Form ? track.Form->MenuBar : nullptr;
    if (!band)
        return;
    switch (msg.wParam) {
    case VK_RETURN:
    case VK_ESCAPE:
        track.Switching = false;
        break;
    case VK_RIGHT: {
        const TSelection selection = DeepestSelection(track.TrackedSubMenu);
        if (selection.Position < 0 || !selection.SubMenu)
            SwitchTo(Neighbour(*band, track.Index, 1));
        break;
    }
    case VK_LEFT: {
        const TSelection selection = DeepestSelection(track.TrackedSubMenu);
        if (selection.Depth <= 1)
            SwitchTo(Neighbour(*band, track.Index, -1));
        break;
    }
    default: break;
    }
}

void TrackMouse(const MSG& msg)
{
    TMenuTrackState& track = Track();
    if (msg.pt.x == track.LastMouse.x && msg.pt.y == track.LastMouse.y)
        return;
    track.LastMouse = msg.pt;
    TWinSkinForm* form = track.Form;
    if (!form || !form->MenuBar)
        return;
    RECT window{};
    GetWindowRect(form->Handle, &window);
    const POINT local{msg.pt.x - window.left, msg.pt.y - window.top};
    if (TMenuBtn* target = form->MenuBar->FindBtn(local); target && target->Index != track.Index)
        SwitchTo(target->Index);
}

LRESULT TrackHook(int code, WPARAM wParam, LPARAM lParam)
{
    TMenuTrackState& track = Track();
    auto* msg = reinterpret_cast<MSG*>(lParam);
    // A right-to-left band runs the other way: ← and → swap.
    if (msg && track.Form && track.Form->RightToLeft &&
        (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP)) {
        if (msg->wParam == VK_LEFT)
            msg->wParam = VK_RIGHT;
        else if (msg->wParam == VK_RIGHT)
            msg->wParam = VK_LEFT;
    }
    const LRESULT result = track.Hook.CallNext(code, wParam, lParam);
    if (code != MSGF_MENU || !msg || !track.Form)
        return result;
    if (track.FirstMessage) {
        track.FirstMessage = false;
        PostMessageW(msg->hwnd, WM_KEYDOWN, VK_DOWN, 0);
        // The popup window the manager skinned for this drop-down.
        if (TSkinManage* manager = SkinManage(); manager && manager->MenuCount() > 0)
            if (TWinSkinPopMenu* popup = manager->FindSkinMenu(msg->hwnd))
                popup->FromMenuBand = 1;
    }
    switch (msg->message) {
    case WM_KEYDOWN: TrackKey(*msg); break;
    case WM_SYSKEYDOWN:
        if (msg->wParam == VK_MENU)
            track.Form->CancelMenu();
        break;
    case WM_MOUSEMOVE: TrackMouse(*msg); break;
    default: break;
    }
    return result;
}

} // namespace

int TrackedMenuIndex()
{
    return Track().Index;
}

void TWinSkinForm::ClickButton(TMenuBtn* button)
{
    if (!button)
        return;
    RECT window{};
    GetWindowRect(Handle, &window);
    PostMessageW(Handle, WM_NCLBUTTONDOWN, 1,
                 MAKELPARAM(window.left + button->Rect.left + 1, window.top + button->Rect.top + 1));
}

void TWinSkinForm::CancelMenu()
{
    MenuTracking = 0;
}

TMenuBtn* TWinSkinForm::FindButtonFromAccel(wchar_t key) const
{
    return MenuBar ? MenuBar->FindButtonFromAccel(key) : nullptr;
}

bool TWinSkinForm::CheckMenu(TMenuBtn* button)
{
    // The drop-downs' loops run in here: this object is freed only after.
    TReleaseGuard::TScope scope(m_guard);
    TMenuTrackState& track = Track();
    track.Switching = false;
    bool tracked = false;
    // Each pass opens one drop-down; a switch to another button ends the
    // system's loop and comes round again with the target.
    while (button && MenuBar) {
        track.SwitchTo = -1;
        if (!TrackOne(button))
            break;
        tracked = true;
        const int next = track.SwitchTo;
        track.SwitchTo = -1;
        if (next < 0 || !scope.Alive() || !IsWindow(Handle) || !MenuBar)
            break;
        button = MenuBar->Button(next);
        if (button && HotObject != button)
            button->MouseDown();
    }
    track.Switching = false;
    return tracked;
}

bool TWinSkinForm::TrackOne(TMenuBtn* button)
{
    TMenuTrackState& track = Track();
    const HWND window = Handle;
    const TLiveToken alive = LiveToken();
    PostMessageW(window, WM_COMMAND, button->Command, 0);
    if (!button->SubMenu)
        return false;
    track.Index = button->Index;
    track.Form = this;
    track.TrackedSubMenu = button->SubMenu;
    GetWindowRect(window, &WindowRect);
    WMINITMENU(button->SubMenu);
    MenuTracking = 1;
    POINT point{WindowRect.left + button->Rect.left, WindowRect.top + button->Rect.bottom};
    if (RightToLeft)
        point.x = WindowRect.left + button->Rect.right;
    if (TSkinManage* manager = SkinManage())
        manager->PopupKind = popupkind::WindowMenu;
    TrackedMenu = button->SubMenu;
    if (!track.Hook.Installed())
        track.Hook.Install(WH_MSGFILTER, TrackHook);
    GetCursorPos(&track.LastMouse);
    track.FirstMessage = true;
    if (button->ItemEnabled) {
        const UINT flags = TPM_NONOTIFY | TPM_RIGHTBUTTON | (RightToLeft ? TPM_RIGHTALIGN : 0);
        TrackPopupMenu(button->SubMenu, flags, point.x, point.y, 0, window, nullptr);
    }
    track.Hook.Remove();
    track.LastItem = nullptr;
    track.Index = -1;
    track.Form = nullptr;
    track.TrackedSubMenu = nullptr;
    track.FirstMessage = false;
    // The window may have gone, or been unskinned, while the menu showed.
    if (!alive || FindSkinForm(window) != this)
        return true;
    MenuTracking = 0;
    if (HotObject == button && track.SwitchTo < 0)
        button->MouseLeave();
    return true;
}

void TWinSkinForm::MenuSelect(TMessage& m)
{
    m.Result = 0;
    const POINT screen{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    const POINT point = GetWinXY(screen.x, screen.y);
    if (FindBtn(point) || !MenuBar)
        return;
    if (TMenuBtn* button = MenuBar->FindBtn(point)) {
        button->MouseDown();
        CheckMenu(button);
    }
}

// The system reports the selection to the window while a drop-down shows;
// the band remembers the framework entry and notices the menu closing.
void TWinSkinForm::WMMenuSelect(TMessage& m)
{
    Default(m);
    TMenuTrackState& track = Track();
    if (track.Form != this)
        return;
    const UINT flags = HIWORD(m.WParam);
    const auto menu = reinterpret_cast<HMENU>(m.LParam);
    if (flags == 0xFFFF && !menu) {
        if (!track.Switching)
            CancelMenu();
        return;
    }
    track.Switching = false;
    if (!MenuBar || !MenuBar->Menu)
        return;
    const UINT item = LOWORD(m.WParam);
    if (flags & MF_POPUP)
        track.LastItem = MenuBar->Menu->FindItemByHandle(GetSubMenu(menu, static_cast<int>(item)));
    else
        track.LastItem = MenuBar->Menu->FindItem(item);
}

bool TWinSkinForm::KeyMenu(TMessage& m)
{
    const wchar_t key = static_cast<wchar_t>(m.LParam);
    if (MenuTracking || key == L' ' || key == L'-' || GetCapture())
        return false;
    TMenuBtn* button = nullptr;
    if (key != 0 || !MenuBar)
        button = FindButtonFromAccel(key);
    else
        button = MenuBar->Button(0);
    if (key != 0 && !button)
        return false;
    if (button) {
        button->MouseDown();
        CheckMenu(button);
    }
    m.Result = 1;
    return true;
}

} // namespace tarnivo
