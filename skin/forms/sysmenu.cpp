// The skinned system menu: a framework popup menu built afresh from the
// window's own system menu every time it pops up (a right click on the
// title, the icon button, Alt+Space), with the skin's four window-menu glyphs.
// Its items post the system commands the window's own menu would have sent.
//
// The skinned window owns the menu while it shows, so the menu's owner-drawn
// items report to it (WMMenuItem) and the window keeps its active look; a
// hidden helper window as owner would take the activation away.

#include "captionbuttons.h"

#include "menuitemhandlers.h"

#include "skinmanager.h"

#include "framework/menus.h"

#include <vector>

namespace tarnivo {

namespace {

// The framework popup menu's tag for the system menu.
constexpr int SysMenuTag = 0x8235;

// Tags of the fixed list (CreateSysmenu), which are also its image indexes.
namespace fixeditem {
constexpr int Restore = 0;
constexpr int Maximize = 1;
constexpr int Minimize = 2;
constexpr int Close = 3;
constexpr int Line = 100;
} // namespace fixeditem

// Glyphs of the skin's window-menu image list.
namespace glyph {
constexpr int Restore = 0;
constexpr int Maximize = 1;
constexpr int Minimize = 2;
constexpr int Close = 3;
constexpr int None = -1;
} // namespace glyph

bool Windows9x()
{
    return (GetVersion() & 0x80000000u) != 0;
}

// Windows NT before 2000, whose system menus had no owner-drawn glyph slots.
bool OldNT()
{
    return !Windows9x() && LOBYTE(LOWORD(GetVersion())) < 5;
}

std::string AnsiText(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), size,
                        nullptr, nullptr);
    return ansi;
}

struct SystemItem {
    UINT Command = 0;
    UINT State = 0;
    std::string Text;
};

std::vector<SystemItem> ReadSystemMenu(HMENU menu)
{
    std::vector<SystemItem> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        SystemItem item;
        item.Command = info.wID;
        item.State = info.fState;
        if (!(info.fType & MFT_SEPARATOR) && info.cch > 0) {
            std::wstring text(info.cch + 1, L'\0');
            info.dwTypeData = text.data();
            info.cch = static_cast<UINT>(text.size());
            if (GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) {
                text.resize(info.cch);
                item.Text = AnsiText(text);
            }
        }
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace

// The entries are drawn by the skinned menu painters, their glyphs from the
// skin's window-menu image list.
void TWinSkinForm::SkinItem(TMenuItem& item)
{
    item.OnDrawItem = FormItemDraw(*this);
    item.OnMeasureItem = FormItemMeasure(*this, TItemMeasure::Popup);
}

void TWinSkinForm::FreeSysMenu()
{
    // The menu is being tracked (unskinned from inside its loop): it stays
    // until the loop is over and goes with this object or the next popup.
    if (m_sysMenuLoops > 0)
        return;
    delete SysMenuPopup;
    SysMenuPopup = nullptr;
}

void TWinSkinForm::PopSysmenu(POINT point)
{
    const DWORD now = GetTickCount();
    if (now - LastSysMenuTick <= DoubleClickTime) {
        // The second click of a double click on the icon button closes the
        // window; any other second click within that time opens nothing.
        if (dynamic_cast<TWinSysButton*>(HotObject)) {
            if (HoverTimer)
                HoverTimer->SetEnabled(false);
            PostMessageW(Handle, WM_CLOSE, 0, 0);
        }
        return;
    }
    if (TSkinManage* manager = SkinManage())
        manager->PopupKind = popupkind::SystemMenu;
    LastSysMenuTick = now;
    // The menu's loop runs in here; whatever it does, this object is freed
    // only after it returns.
    TReleaseGuard::TScope scope(m_guard);
    CreateSysmenu2();
    TPopupMenu* popup = SysMenuPopup;
    if (!popup)
        return;
    const HWND window = Handle;
    ++m_sysMenuLoops;
    const UINT command = static_cast<UINT>(TrackPopupMenu(
        popup->Handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, 0,
        window, nullptr));
    --m_sysMenuLoops;
    // The window may have gone or been unskinned while the menu showed; the
    // menu may have been rebuilt by a nested popup.
    if (!command || !scope.Alive() || !IsWindow(window) || SysMenuPopup != popup)
        return;
    popup->DispatchCommand(command);
}

void TWinSkinForm::CreateSysmenu2()
{
    FreeSysMenu();
    if (OldNT()) {
        CreateSysmenu();
        return;
    }
    if (!SystemMenu)
        return;
    auto* popup = new TPopupMenu(this);
    SysMenuPopup = popup;
    popup->SetTag(SysMenuTag);
    popup->SetOwnerDraw(true);
    if (SkinData)
        popup->SetImages(SkinData->MenuGlyphs());
    for (const SystemItem& system : ReadSystemMenu(SystemMenu)) {
        auto* item = new TMenuItem(popup);
        item->SetCaption(system.Text.empty() ? "-" : system.Text);
        item->SetTag(static_cast<std::int32_t>(system.Command));
        item->OnClick = [this](TObject* sender) { DoSysMenu2(sender); };
        SkinItem(*item);
        bool enabled = true;
        int image = glyph::None;
        switch (system.Command) {
        case SC_SIZE:
        case SC_MOVE:
            enabled = WindowState != swsMax;
            break;
        case SC_MINIMIZE:
            image = glyph::Minimize;
            enabled = WindowState != swsMin && Icons.Contains(sbiMin);
            break;
        case SC_MAXIMIZE:
            image = glyph::Maximize;
            enabled = WindowState != swsMax && Icons.Contains(sbiMax);
            break;
        case SC_CLOSE:
            image = glyph::Close;
            break;
        case SC_RESTORE:
            image = glyph::Restore;
            enabled = WindowState != swsNormal;
            break;
        default:
            break;
        }
        // An item the program disabled or grayed in its system menu stays
        // disabled (EnableMenuItem's MF_GRAYED alone leaves state 1, not 3).
        if (system.State & (MF_GRAYED | MF_DISABLED))
            enabled = false;
        item->SetImageIndex(image);
        item->SetEnabled(enabled);
        item->SetChecked((system.State & MFS_CHECKED) != 0);
        popup->Items()->Add(item);
    }
}

void TWinSkinForm::CreateSysmenu()
{
    FreeSysMenu();
    auto* popup = new TPopupMenu(this);
    SysMenuPopup = popup;
    popup->SetTag(SysMenuTag);
    popup->SetOwnerDraw(true);
    if (SkinData)
        popup->SetImages(SkinData->MenuGlyphs());
    AddSysMenuitem(" Restore ", fixeditem::Restore);
    if (Icons.Contains(sbiMax))
        AddSysMenuitem(" Maximize ", fixeditem::Maximize);
    if (Icons.Contains(sbiMin))
        AddSysMenuitem(" Minimize ", fixeditem::Minimize);
    AddSysMenuitem("-", fixeditem::Line);
    AddSysMenuitem(" Close \tALT+F4", fixeditem::Close);
}

void TWinSkinForm::AddSysMenuitem(const std::string& caption, int tag)
{
    if (!SysMenuPopup)
        return;
    auto* item = new TMenuItem(SysMenuPopup);
    item->SetCaption(caption);
    item->SetTag(tag);
    item->SetImageIndex(tag == fixeditem::Line ? glyph::None : tag);
    item->OnClick = [this](TObject* sender) { DoSysMenu(sender); };
    SkinItem(*item);
    SysMenuPopup->Items()->Add(item);
}

bool TWinSkinForm::CheckSysmenu() const
{
    if (OldNT() || Windows9x())
        return true;
    return SystemMenu && GetMenuState(SystemMenu, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

void TWinSkinForm::DoSysMenu(TObject* sender)
{
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item)
        return;
    switch (item->Tag()) {
    case fixeditem::Restore: Restore(); break;
    case fixeditem::Maximize: Maximize(); break;
    case fixeditem::Minimize: Minimize(); break;
    case fixeditem::Close:
        if (HoverTimer)
            HoverTimer->SetEnabled(false);
        PostMessageW(Handle, WM_CLOSE, 0, 0);
        break;
    default: break;
    }
}

void TWinSkinForm::DoSysMenu2(TObject* sender)
{
    if (auto* item = dynamic_cast<TMenuItem*>(sender))
        PostMessageW(Handle, WM_SYSCOMMAND, static_cast<WPARAM>(item->Tag()), 0);
}

} // namespace tarnivo
