#include "menus.h"

#include "canvas.h"
#include "imagelist.h"
#include "messagewindow.h"

#include <algorithm>

namespace tarnivo {

namespace menu_detail {

BOOL DestroyMenuOnly(HMENU menu)
{
    // DestroyMenu takes sub-menus along; those belong to other items.
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i)
        RemoveMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
    return DestroyMenu(menu);
}

} // namespace menu_detail

namespace {

// Command identifiers start above the dialog ids (IDOK, IDCANCEL, ...), which
// a dialog's keyboard handling may send as WM_COMMAND too, and stay below the
// system menu's range (SC_* from 0xF000).
constexpr UINT FirstCommand = 0x100;
constexpr UINT LastCommand = 0xEFFF;

std::vector<bool>& CommandsInUse()
{
    static std::vector<bool> used(LastCommand - FirstCommand + 1, false);
    return used;
}

UINT AllocateCommand()
{
    auto& used = CommandsInUse();
    auto free = std::find(used.begin(), used.end(), false);
    if (free == used.end())
        throw EOutOfResources("Too many menu items");
    *free = true;
    return FirstCommand + static_cast<UINT>(free - used.begin());
}

void ReleaseCommand(UINT command)
{
    if (command >= FirstCommand && command <= LastCommand)
        CommandsInUse()[command - FirstCommand] = false;
}

} // namespace

// ---------------------------------------------------------------- TMenuItem

const TClassInfo& TMenuItem::StaticClassInfo()
{
    static const TClassInfo info{
        "TMenuItem",
        &TComponent::StaticClassInfo(),
        {
            published::Text("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption),
            published::Integer("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex),
            published::Boolean("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled),
            published::Boolean("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked),
            published::Boolean("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible),
        }};
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), m_command(AllocateCommand()) {}

TMenuItem::~TMenuItem()
{
    // Out of the parent's menu first: it must not keep our sub-menu.
    if (m_parent)
        m_parent->Remove(this);
    for (TMenuItem* child : m_items)
        child->m_parent = nullptr;
    m_items.clear();
    m_handle.Reset();
    ReleaseCommand(m_command);
}

void TMenuItem::SetCaption(const std::string& caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    Changed();
}

void TMenuItem::SetImageIndex(int index)
{
    if (m_imageIndex == index)
        return;
    m_imageIndex = index;
    Changed();
}

void TMenuItem::SetEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    Changed();
}

void TMenuItem::SetChecked(bool checked)
{
    if (m_checked == checked)
        return;
    m_checked = checked;
    Changed();
}

void TMenuItem::SetVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    Changed();
}

void TMenuItem::Add(TMenuItem* item)
{
    if (!item || item == this || item->m_parent == this)
        return;
    for (TMenuItem* p = this; p; p = p->m_parent)
        if (p == item)
            throw Exception("A menu item cannot contain itself");
    if (item->m_parent)
        item->m_parent->Remove(item);
    item->m_parent = this;
    m_items.push_back(item);
    Rebuild();
    // The first sub-item turns this item into a sub-menu in its parent's menu.
    Changed();
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto it = std::find(m_items.begin(), m_items.end(), item);
    if (it == m_items.end())
        return;
    m_items.erase(it);
    item->m_parent = nullptr;
    Rebuild();
    Changed();
}

TMenu* TMenuItem::Menu() const
{
    const TMenuItem* root = this;
    while (root->m_parent)
        root = root->m_parent;
    return root->m_menu;
}

HMENU TMenuItem::Handle()
{
    if (!m_handle) {
        TMenu* menu = m_parent ? nullptr : m_menu;
        bool bar = menu && !menu->IsPopup();
        m_handle.Reset(bar ? CreateMenu() : CreatePopupMenu());
        if (!m_handle)
            throw EOutOfResources("Error creating menu");
        Rebuild();
    }
    return m_handle.Get();
}

void TMenuItem::Click()
{
    if (m_enabled && OnClick)
        OnClick(this);
}

void TMenuItem::Changed()
{
    if (m_parent)
        m_parent->Rebuild();
    if (TMenu* menu = Menu())
        menu->MenuChanged();
}

void TMenuItem::Rebuild()
{
    if (!m_handle)
        return;
    HMENU menu = m_handle.Get();
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i)
        RemoveMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
    for (TMenuItem* child : m_items)
        if (child->m_visible)
            child->AppendTo(menu);
}

void TMenuItem::RebuildAll()
{
    for (TMenuItem* child : m_items)
        child->RebuildAll();
    Rebuild();
}

bool TMenuItem::ShowsImage() const
{
    TMenu* menu = Menu();
    return m_imageIndex >= 0 && menu && menu->Images() && !IsLine();
}

void TMenuItem::AppendTo(HMENU menu)
{
    std::string caption = m_caption;
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_DATA;
    info.wID = m_command;
    // Owner-drawn images find their item by this value (see TMenu::DrawItem).
    info.dwItemData = m_command;
    if (IsLine()) {
        info.fType = MFT_SEPARATOR;
    } else {
        info.fType = MFT_STRING;
        info.fMask |= MIIM_STRING;
        info.dwTypeData = caption.data();
        info.cch = static_cast<UINT>(caption.size());
        info.fState = (m_enabled ? MFS_ENABLED : MFS_GRAYED) | (m_checked ? MFS_CHECKED : 0);
        if (!m_items.empty()) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = Handle();
        }
        if (ShowsImage()) {
            info.fMask |= MIIM_BITMAP;
            info.hbmpItem = HBMMENU_CALLBACK;
        }
    }
    InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
}

TMenuItem* TMenuItem::FindCommand(UINT command)
{
    if (m_command == command)
        return this;
    for (TMenuItem* child : m_items)
        if (TMenuItem* found = child->FindCommand(command))
            return found;
    return nullptr;
}

// -------------------------------------------------------------------- TMenu

const TClassInfo& TMenu::StaticClassInfo()
{
    static const TClassInfo info{
        "TMenu",
        &TComponent::StaticClassInfo(),
        {
            published::Object("Images", &TMenu::Images, &TMenu::SetImages),
        }};
    return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), m_items(std::make_unique<TMenuItem>(nullptr))
{
    m_items->m_menu = this;
}

TMenu::~TMenu()
{
    // The items outlive the menu when their owner frees them later.
    m_items->m_menu = nullptr;
}

HMENU TMenu::Handle()
{
    return m_items->Handle();
}

void TMenu::SetImages(TImageList* images)
{
    if (m_images == images)
        return;
    if (m_images)
        RemoveFreeNotification(m_images);
    m_images = images;
    if (m_images)
        FreeNotification(m_images);
    // Which entries carry an owner-drawn image depends on the list.
    m_items->RebuildAll();
    MenuChanged();
}

void TMenu::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == m_images) {
        m_images = nullptr;
        m_items->RebuildAll();
        MenuChanged();
    }
}

TMenuItem* TMenu::FindItem(UINT command) const
{
    // The root item's own identifier is never on screen.
    for (TMenuItem* child : m_items->m_items)
        if (TMenuItem* found = child->FindCommand(command))
            return found;
    return nullptr;
}

bool TMenu::DispatchCommand(UINT command)
{
    TMenuItem* item = FindItem(command);
    if (!item)
        return false;
    item->Click();
    return true;
}

TMenuItem* TMenu::FindImageItem(ULONG_PTR data) const
{
    if (data > LastCommand)
        return nullptr;
    TMenuItem* item = FindItem(static_cast<UINT>(data));
    return item && item->ShowsImage() ? item : nullptr;
}

bool TMenu::MeasureItem(MEASUREITEMSTRUCT& measure)
{
    if (measure.CtlType != ODT_MENU)
        return false;
    TMenuItem* item = FindImageItem(measure.itemData);
    if (!item)
        return false;
    measure.itemWidth = static_cast<UINT>(m_images->Width());
    measure.itemHeight = static_cast<UINT>(m_images->Height());
    return true;
}

bool TMenu::DrawItem(const DRAWITEMSTRUCT& draw)
{
    if (draw.CtlType != ODT_MENU)
        return false;
    TMenuItem* item = FindImageItem(draw.itemData);
    if (!item)
        return false;
    // The rectangle is the image's cell; centre the image in it vertically.
    int y = draw.rcItem.top + (draw.rcItem.bottom - draw.rcItem.top - m_images->Height()) / 2;
    TCanvas canvas;
    canvas.SetHandle(draw.hDC);
    m_images->Draw(canvas, draw.rcItem.left, y, item->ImageIndex(),
                   (draw.itemState & ODS_GRAYED) ? ImageState::Disabled : ImageState::Enabled);
    return true;
}

// ---------------------------------------------------------------- TMainMenu

const TClassInfo& TMainMenu::StaticClassInfo()
{
    static const TClassInfo info{"TMainMenu", &TMenu::StaticClassInfo(), {}};
    return info;
}

TMainMenu::~TMainMenu()
{
    // A window destroys its menu with itself: take ours off first.
    HMENU menu = ExistingHandle();
    if (m_window && menu && IsWindow(m_window) && GetMenu(m_window) == menu)
        ::SetMenu(m_window, nullptr);
}

void TMainMenu::MenuChanged()
{
    if (m_window && IsWindow(m_window) && GetMenu(m_window) == ExistingHandle())
        DrawMenuBar(m_window);
}

// --------------------------------------------------------------- TPopupMenu

const TClassInfo& TPopupMenu::StaticClassInfo()
{
    static const TClassInfo info{"TPopupMenu", &TMenu::StaticClassInfo(), {}};
    return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner)
{
    m_window = AllocateHWnd([this](TMessage& m) { WndProc(m); });
}

TPopupMenu::~TPopupMenu()
{
    DeallocateHWnd(m_window);
}

void TPopupMenu::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_MEASUREITEM:
        if (MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam))) {
            message.Result = TRUE;
            return;
        }
        break;
    case WM_DRAWITEM:
        if (DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam))) {
            message.Result = TRUE;
            return;
        }
        break;
    }
    DefaultHandler(m_window, message);
}

void TPopupMenu::Popup(int x, int y)
{
    if (OnPopup)
        OnPopup(this);
    HMENU menu = Handle();
    // A menu whose owner is not in the foreground does not close when the
    // user clicks elsewhere (a tray icon's menu); the posted message lets the
    // menu loop end cleanly on the next click, as the shell documents.
    SetForegroundWindow(m_window);
    UINT command = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, m_window, nullptr));
    PostMessageA(m_window, WM_NULL, 0, 0);
    // Last: the item's handler may free this menu.
    if (command)
        DispatchCommand(command);
}

} // namespace tarnivo
