#include "menus.h"
#include "unicodetext.h"

#include "canvas.h"
#include "form.h"
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

// The item of each command in use; null where the command is free.
std::vector<TMenuItem*>& CommandsInUse()
{
    static std::vector<TMenuItem*> items(LastCommand - FirstCommand + 1, nullptr);
    return items;
}

UINT AllocateCommand(TMenuItem* item)
{
    auto& items = CommandsInUse();
    auto free = std::find(items.begin(), items.end(), nullptr);
    if (free == items.end())
        throw EOutOfResources("Too many menu items");
    *free = item;
    return FirstCommand + static_cast<UINT>(free - items.begin());
}

void ReleaseCommand(UINT command)
{
    if (command >= FirstCommand && command <= LastCommand)
        CommandsInUse()[command - FirstCommand] = nullptr;
}

// The system's menu font. The metrics block grew with Vista; an older
// system refuses the larger size, so the older one is tried second.
LOGFONTW MenuFont()
{
    NONCLIENTMETRICSW metrics{};
    for (UINT size : {static_cast<UINT>(sizeof(metrics)),
                      static_cast<UINT>(sizeof(metrics) - sizeof(metrics.iPaddedBorderWidth))}) {
        metrics.cbSize = size;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, size, &metrics, 0))
            return metrics.lfMenuFont;
    }
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    return font;
}

// Space around the text of an owner-drawn entry, in pixels.
constexpr int TextGap = 4;
constexpr int BarItemPadding = 6;

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
            published::Boolean("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem),
            published::Boolean("Default", &TMenuItem::Default, &TMenuItem::SetDefault),
        }};
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), m_command(AllocateCommand(this)) {}

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

void TMenuItem::SetRadioItem(bool radio)
{
    if (m_radioItem == radio)
        return;
    m_radioItem = radio;
    Changed();
}

void TMenuItem::SetDefault(bool isDefault)
{
    if (m_default == isDefault)
        return;
    m_default = isDefault;
    Changed();
}

void TMenuItem::SetShortCut(TShortCut shortCut)
{
    if (m_shortCut == shortCut)
        return;
    m_shortCut = shortCut;
    Changed();
}

std::string ShortCutToText(TShortCut shortCut)
{
    const WORD key = shortCut & 0xFF;
    if (!key)
        return {};
    std::string text;
    if (shortCut & scCtrl)
        text += "Ctrl+";
    if (shortCut & scShift)
        text += "Shift+";
    if (shortCut & scAlt)
        text += "Alt+";
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return text + static_cast<char>(key);
    if (key >= VK_F1 && key <= VK_F24)
        return text + "F" + std::to_string(key - VK_F1 + 1);
    switch (key) {
    case VK_BACK: return text + "BkSp";
    case VK_TAB: return text + "Tab";
    case VK_RETURN: return text + "Enter";
    case VK_ESCAPE: return text + "Esc";
    case VK_SPACE: return text + "Space";
    case VK_PRIOR: return text + "PgUp";
    case VK_NEXT: return text + "PgDn";
    case VK_END: return text + "End";
    case VK_HOME: return text + "Home";
    case VK_LEFT: return text + "Left";
    case VK_UP: return text + "Up";
    case VK_RIGHT: return text + "Right";
    case VK_DOWN: return text + "Down";
    case VK_INSERT: return text + "Ins";
    case VK_DELETE: return text + "Del";
    default: break;
    }
    // Anything else by the keyboard's own name for it.
    wchar_t name[32] = {};
    const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    if (scan && GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 32) > 0)
        return text + ToUtf8(name);
    return {};
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

bool TMenuItem::InMenuBar() const
{
    return m_parent && !m_parent->m_parent && m_parent->m_menu && !m_parent->m_menu->IsPopup();
}

bool TMenuItem::OwnerDrawn() const
{
    TMenu* menu = Menu();
    return menu && menu->OwnerDraw();
}

TMenuItem* TMenuItem::FromCommand(UINT command)
{
    if (command < FirstCommand || command > LastCommand)
        return nullptr;
    return CommandsInUse()[command - FirstCommand];
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height)
{
    DefaultMeasureItem(canvas, width, height);
    if (OnMeasureItem)
        OnMeasureItem(this, canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas& canvas, const TRect& rect, bool selected)
{
    if (OnDrawItem)
        OnDrawItem(this, canvas, rect, selected);
    else
        DefaultDrawItem(canvas, rect, selected);
}

namespace {

// Width of the column before the text of a drop-down entry: the check mark
// or the menu's images, whichever is wider.
int CheckColumnWidth(const TMenu* menu)
{
    int width = GetSystemMetrics(SM_CXMENUCHECK);
    if (menu && menu->Images())
        width = std::max(width, menu->Images()->Width());
    return width + 2 * TextGap;
}

} // namespace

namespace {

// The classic 7 x 7 check mark, centred in `cell`: seven columns three
// pixels high, down to the third and up to the last. Drawn by hand: the
// symbol font the system uses for it is not on every machine (Wine
// prefixes often lack it).
void DrawCheckMark(HDC dc, const RECT& cell, TColor color)
{
    GdiBrush brush(CreateSolidBrush(ColorToRGB(color)));
    int left = (cell.left + cell.right - 7) / 2;
    int top = (cell.top + cell.bottom - 7) / 2;
    for (int x = 0; x < 7; ++x) {
        int y = x <= 2 ? x + 2 : 6 - x;
        RECT column{left + x, top + y, left + x + 1, top + y + 3};
        FillRect(dc, &column, brush.Get());
    }
}

} // namespace

void TMenuItem::DefaultMeasureItem(TCanvas& canvas, int& width, int& height) const
{
    if (IsLine()) {
        width = 0;
        height = GetSystemMetrics(SM_CYMENU) / 2;
        return;
    }
    RECT text{0, 0, 0, 0};
    DrawTextW(canvas.Handle(), ToWide(m_caption).c_str(), -1, &text,
              DT_SINGLELINE | DT_CALCRECT);
    if (InMenuBar()) {
        width = text.right + 2 * BarItemPadding;
        height = text.bottom + TextGap;
        return;
    }
    TMenu* menu = Menu();
    width = CheckColumnWidth(menu) + text.right + TextGap;
    height = text.bottom + 2 * TextGap;
    if (ShowsImage())
        height = std::max(height, menu->Images()->Height() + TextGap);
}

void TMenuItem::DefaultDrawItem(TCanvas& canvas, const TRect& rect, bool selected) const
{
    HDC dc = canvas.Handle();
    SavedDCState state(dc);
    canvas.Brush().SetColor(selected ? clHighlight : clMenu);
    canvas.FillRect(rect);
    if (IsLine()) {
        RECT line = rect;
        line.top = (rect.top + rect.bottom) / 2 - 1;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    TColor textColor = !m_enabled ? clGrayText : selected ? clHighlightText : clMenuText;
    RECT text = rect;
    UINT flags = DT_SINGLELINE | DT_VCENTER;
    if (InMenuBar()) {
        flags |= DT_CENTER;
    } else {
        TMenu* menu = Menu();
        int column = CheckColumnWidth(menu);
        RECT cell{rect.left, rect.top, rect.left + column, rect.bottom};
        if (ShowsImage()) {
            TImageList* images = menu->Images();
            images->Draw(canvas, cell.left + (column - images->Width()) / 2,
                         cell.top + (RectHeight(cell) - images->Height()) / 2, m_imageIndex,
                         m_enabled ? ImageState::Enabled : ImageState::Disabled);
        } else if (m_checked) {
            DrawCheckMark(dc, cell, textColor);
        }
        text.left += column;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(textColor));
    SelectedObject font(dc, canvas.Font().Handle());
    DrawTextW(dc, ToWide(m_caption).c_str(), -1, &text, flags);
}

void TMenuItem::AppendTo(HMENU menu)
{
    std::string caption = m_caption;
    // The system's own menus show the shortcut after a tab, right-aligned.
    if (m_shortCut && !IsLine())
        caption += "\t" + ShortCutToText(m_shortCut);
    std::wstring wideCaption = ToWide(caption);
    bool ownerDraw = OwnerDrawn();
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_DATA;
    info.wID = m_command;
    // Owner-drawn entries and images find their item by this value (see
    // HandleMenuItemMessage).
    info.dwItemData = m_command;
    if (IsLine()) {
        // An owner-drawn line is still a separator: never selected.
        info.fType = MFT_SEPARATOR | (ownerDraw ? MFT_OWNERDRAW : 0);
    } else {
        // The caption stays with an owner-drawn entry too: others read it.
        info.fType = MFT_STRING | (ownerDraw ? MFT_OWNERDRAW : 0) |
                     (m_radioItem ? MFT_RADIOCHECK : 0);
        info.fMask |= MIIM_STRING;
        info.dwTypeData = wideCaption.data();
        info.cch = static_cast<UINT>(wideCaption.size());
        info.fState = (m_enabled ? MFS_ENABLED : MFS_GRAYED) | (m_checked ? MFS_CHECKED : 0) |
                      (m_default ? MFS_DEFAULT : 0);
        if (!m_items.empty()) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = Handle();
        }
        if (ShowsImage() && !ownerDraw) {
            info.fMask |= MIIM_BITMAP;
            info.hbmpItem = HBMMENU_CALLBACK;
        }
    }
    InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
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

TMenuItem* TMenuItem::FindHandle(HMENU handle)
{
    if (m_handle.Get() == handle)
        return this;
    for (TMenuItem* child : m_items)
        if (TMenuItem* found = child->FindHandle(handle))
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
            published::Boolean("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw),
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

void TMenu::SetOwnerDraw(bool ownerDraw)
{
    if (m_ownerDraw == ownerDraw)
        return;
    m_ownerDraw = ownerDraw;
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

TMenuItem* TMenu::FindItemByHandle(HMENU handle) const
{
    if (!handle)
        return nullptr;
    for (TMenuItem* child : m_items->m_items)
        if (TMenuItem* found = child->FindHandle(handle))
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

TMenuItem* TMenu::FindEntryItem(ULONG_PTR data) const
{
    if (data > LastCommand)
        return nullptr;
    TMenuItem* item = TMenuItem::FromCommand(static_cast<UINT>(data));
    // The root item's own identifier is never on screen.
    return item && item->Menu() == this && item != m_items.get() ? item : nullptr;
}

bool TMenu::MeasureItem(MEASUREITEMSTRUCT& measure)
{
    if (measure.CtlType != ODT_MENU)
        return false;
    TMenuItem* item = FindEntryItem(measure.itemData);
    if (!item)
        return false;
    if (item->OwnerDrawn()) {
        TCanvas canvas;
        canvas.Adopt(WindowDC(nullptr));
        canvas.Font().AssignLogFont(MenuFont());
        int width = 0;
        int height = 0;
        item->MeasureItem(canvas, width, height);
        measure.itemWidth = static_cast<UINT>(std::max(width, 0));
        measure.itemHeight = static_cast<UINT>(std::max(height, 0));
        return true;
    }
    if (!item->ShowsImage())
        return false;
    measure.itemWidth = static_cast<UINT>(m_images->Width());
    measure.itemHeight = static_cast<UINT>(m_images->Height());
    return true;
}

bool TMenu::DrawItem(const DRAWITEMSTRUCT& draw)
{
    if (draw.CtlType != ODT_MENU)
        return false;
    TMenuItem* item = FindEntryItem(draw.itemData);
    if (!item)
        return false;
    if (item->OwnerDrawn()) {
        // The DC is the menu's: it gets back the state it came with.
        SavedDCState state(draw.hDC);
        TCanvas canvas;
        canvas.SetHandle(draw.hDC);
        canvas.Font().AssignLogFont(MenuFont());
        canvas.Font().SetColor(clMenuText);
        item->DrawItem(canvas, draw.rcItem, (draw.itemState & ODS_SELECTED) != 0);
        canvas.SetHandle(nullptr);
        return true;
    }
    if (!item->ShowsImage())
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
    if (!m_window || !IsWindow(m_window) || GetMenu(m_window) != ExistingHandle())
        return;
    // The MDI client keeps the window list at the end of the frame's window
    // menu; a rebuilt menu has lost it until the client puts it back.
    auto* frame = dynamic_cast<TForm*>(TWinControl::FromHandle(m_window));
    if (frame && frame->ClientHandle())
        SendMessageW(frame->ClientHandle(), WM_MDIREFRESHMENU, 0, 0);
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
    if (HandleMenuItemMessage(message))
        return;
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
    PostMessageW(m_window, WM_NULL, 0, 0);
    // Last: the item's handler may free this menu.
    if (command)
        DispatchCommand(command);
}

bool HandleMenuItemMessage(TMessage& message)
{
    switch (message.Msg) {
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
        if (!measure || measure->CtlType != ODT_MENU || measure->itemData > LastCommand)
            return false;
        TMenuItem* item = TMenuItem::FromCommand(static_cast<UINT>(measure->itemData));
        TMenu* menu = item ? item->Menu() : nullptr;
        if (!menu || !menu->MeasureItem(*measure))
            return false;
        break;
    }
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        if (!draw || draw->CtlType != ODT_MENU || draw->itemData > LastCommand)
            return false;
        TMenuItem* item = TMenuItem::FromCommand(static_cast<UINT>(draw->itemData));
        TMenu* menu = item ? item->Menu() : nullptr;
        if (!menu || !menu->DrawItem(*draw))
            return false;
        break;
    }
    default: return false;
    }
    message.Result = TRUE;
    return true;
}

} // namespace tarnivo
