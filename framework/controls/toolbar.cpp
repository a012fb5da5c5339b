#include "framework/controls/toolbar.h"
#include "framework/unicodetext.h"

#include "framework/collection.h"
#include "framework/controls/controlwindow.h"
#include "framework/imagelist.h"
#include "framework/menus.h"

#include <algorithm>

namespace tarnivo {

using controlwindow::Existing;
using controlwindow::Send;

namespace {

// Command identifiers of tool buttons. A bar reports them in WM_COMMAND
// with its own window in lParam, so they reach the bar by reflection and
// need not differ from menu items' commands; 16 bits, as WM_COMMAND has.
int NextCommand()
{
    static int next = 0;
    next = next % 0xFFFF + 1;
    return next;
}

BYTE StyleBits(TToolButtonStyle style, bool grouped)
{
    switch (style) {
    case tbsCheck: return static_cast<BYTE>(BTNS_CHECK | (grouped ? BTNS_GROUP : 0));
    case tbsDropDown: return BTNS_DROPDOWN;
    case tbsSeparator:
    case tbsDivider: return BTNS_SEP;
    case tbsButton: break;
    }
    return BTNS_BUTTON;
}

} // namespace

// -------------------------------------------------------------- TToolButton

namespace {

TPropInfo MenuItemProperty()
{
    return published::Object("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem);
}

} // namespace

const TClassInfo& TToolButton::StaticClassInfo()
{
    static const TClassInfo info{
        "TToolButton",
        &TGraphicControl::StaticClassInfo(),
        {
            published::Enumeration("Style",
                                   {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator",
                                    "tbsDivider"},
                                   &TToolButton::Style, &TToolButton::SetStyle),
            published::Boolean("Down", &TToolButton::Down, &TToolButton::SetDown),
            published::Boolean("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped),
            published::Integer("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex),
            MenuItemProperty(),
        }};
    return info;
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner), m_command(NextCommand())
{
    SetBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton()
{
    if (m_toolBar)
        m_toolBar->RemoveButton(this);
    if (m_menuItem)
        m_menuItem->RemoveFreeNotification(this);
}

void TToolButton::SetParent(TWinControl* parent)
{
    auto* bar = dynamic_cast<TToolBar*>(parent);
    if (m_toolBar && m_toolBar != bar)
        m_toolBar->RemoveButton(this);
    TGraphicControl::SetParent(parent);
    if (bar && m_toolBar != bar)
        bar->InsertButton(this);
}

int TToolButton::Index() const
{
    if (!m_toolBar)
        return -1;
    const auto& buttons = m_toolBar->m_buttons;
    return static_cast<int>(std::find(buttons.begin(), buttons.end(), this) - buttons.begin());
}

TBBUTTON TToolButton::ButtonRecord() const
{
    TBBUTTON b{};
    b.iBitmap = m_style == tbsSeparator || m_style == tbsDivider ? 6 : m_imageIndex;
    b.idCommand = m_command;
    b.fsState = static_cast<BYTE>((Enabled() ? TBSTATE_ENABLED : 0) | (m_down ? TBSTATE_CHECKED : 0) |
                                  (Visible() ? 0 : TBSTATE_HIDDEN));
    b.fsStyle = StyleBits(m_style, m_grouped);
    b.iString = -1;
    return b;
}

void TToolButton::Place(const RECT& r)
{
    m_left = r.left;
    m_top = r.top;
    m_width = r.right - r.left;
    m_height = r.bottom - r.top;
}

bool TToolButton::Down() const
{
    if (m_toolBar)
        if (HWND window = Existing(*m_toolBar))
            return Send(window, TB_ISBUTTONCHECKED, static_cast<WPARAM>(m_command)) != 0;
    return m_down;
}

void TToolButton::SetDown(bool down)
{
    m_down = down;
    if (m_toolBar)
        if (HWND window = Existing(*m_toolBar))
            Send(window, TB_CHECKBUTTON, static_cast<WPARAM>(m_command), down);
}

void TToolButton::SetStyle(TToolButtonStyle style)
{
    if (m_style == style)
        return;
    m_style = style;
    if (m_toolBar)
        m_toolBar->UpdateButton(this, TBIF_STYLE | TBIF_IMAGE);
}

void TToolButton::SetGrouped(bool grouped)
{
    if (m_grouped == grouped)
        return;
    m_grouped = grouped;
    if (m_toolBar)
        m_toolBar->UpdateButton(this, TBIF_STYLE);
}

void TToolButton::SetImageIndex(int index)
{
    if (m_imageIndex == index)
        return;
    m_imageIndex = index;
    if (m_toolBar)
        m_toolBar->UpdateButton(this, TBIF_IMAGE);
}

void TToolButton::SetMenuItem(TMenuItem* item)
{
    if (!controlwindow::Relink(*this, m_menuItem, item))
        return;
    if (m_menuItem)
        SetCaption(m_menuItem->Caption());
}

void TToolButton::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == m_menuItem)
        m_menuItem = nullptr;
}

void TToolButton::SetEnabled(bool enabled)
{
    TGraphicControl::SetEnabled(enabled);
    if (m_toolBar)
        if (HWND window = Existing(*m_toolBar))
            Send(window, TB_ENABLEBUTTON, static_cast<WPARAM>(m_command), enabled);
}

void TToolButton::TextChanged()
{
    if (m_toolBar)
        m_toolBar->UpdateButton(this, TBIF_TEXT);
}

void TToolButton::VisibleChanged()
{
    if (m_toolBar) {
        if (HWND window = Existing(*m_toolBar)) {
            Send(window, TB_HIDEBUTTON, static_cast<WPARAM>(m_command), !Visible());
            m_toolBar->PlaceButtons();
        }
        return;
    }
    TGraphicControl::VisibleChanged();
}

void TToolButton::Click()
{
    if (m_menuItem) {
        if (m_menuItem->Count() > 0 && m_toolBar)
            m_toolBar->TrackMenu(this);
        else
            m_menuItem->Click();
    }
    TGraphicControl::Click();
}

void TToolButton::Paint(TCanvas&)
{
    // The tool bar's window draws its buttons.
}

// ----------------------------------------------------------------- TToolBar

const TClassInfo& TToolBar::StaticClassInfo()
{
    static const TClassInfo info{
        "TToolBar",
        &TWinControl::StaticClassInfo(),
        {
            published::Boolean("Flat", &TToolBar::Flat, &TToolBar::SetFlat),
            published::Boolean("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions),
            published::Boolean("List", &TToolBar::List, &TToolBar::SetList),
            published::Boolean("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable),
            published::Integer("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth),
            published::Integer("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight),
            published::Object("Images", &TToolBar::Images, &TToolBar::SetImages),
            published::Object("Menu", &TToolBar::Menu, &TToolBar::SetMenu),
        }};
    return info;
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 150, 29);
}

TToolBar::~TToolBar()
{
    SetMenu(nullptr);
    if (m_images)
        m_images->RemoveFreeNotification(this);
    // Buttons owned elsewhere outlive this part of the bar.
    for (TToolButton* b : m_buttons)
        b->m_toolBar = nullptr;
    m_buttons.clear();
}

TToolButton* TToolBar::Buttons(int index) const
{
    if (index < 0 || index >= ButtonCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return m_buttons[static_cast<std::size_t>(index)];
}

void TToolBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = TOOLBARCLASSNAMEA;
    // The bar keeps the bounds it is given and draws no line above itself.
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_TOOLTIPS;
    if (m_flat)
        params.Style |= TBSTYLE_FLAT;
    if (m_list)
        params.Style |= TBSTYLE_LIST;
    if (m_wrapable)
        params.Style |= TBSTYLE_WRAPABLE;
}

void TToolBar::HandleCreated()
{
    HWND window = Handle();
    Send(window, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    Send(window, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images ? m_images->Handle() : nullptr));
    Send(window, TB_SETBUTTONSIZE, 0, MAKELPARAM(m_buttonWidth, m_buttonHeight));
    SendButtons();
}

void TToolBar::HandleDestroying()
{
    // The buttons keep their state until the next window takes it.
    for (TToolButton* b : m_buttons)
        b->m_down = b->Down();
}

void TToolBar::SendButtons()
{
    HWND window = Existing(*this);
    if (!window)
        return;
    while (Send(window, TB_BUTTONCOUNT) > 0)
        Send(window, TB_DELETEBUTTON, 0);
    for (TToolButton* b : m_buttons) {
        TBBUTTON record = b->ButtonRecord();
        std::wstring caption = ToWide(b->Caption());
        if (m_showCaptions && b->Style() != tbsSeparator && b->Style() != tbsDivider)
            record.iString = reinterpret_cast<INT_PTR>(caption.c_str());   // the bar copies it
        Send(window, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&record));
    }
    if (m_showCaptions)
        Send(window, TB_AUTOSIZE);
    else
        Send(window, TB_SETBUTTONSIZE, 0, MAKELPARAM(m_buttonWidth, m_buttonHeight));
    PlaceButtons();
}

void TToolBar::PlaceButtons()
{
    HWND window = Existing(*this);
    if (!window)
        return;
    for (TToolButton* b : m_buttons) {
        RECT r{};
        auto index = Send(window, TB_COMMANDTOINDEX, static_cast<WPARAM>(b->m_command));
        if (index >= 0)
            Send(window, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        b->Place(r);
    }
}

void TToolBar::InsertButton(TToolButton* button)
{
    m_buttons.push_back(button);
    button->m_toolBar = this;
    SendButtons();
}

void TToolBar::RemoveButton(TToolButton* button)
{
    if (HWND window = Existing(*this)) {
        // The state goes with the button, should it join a bar again.
        button->m_down = button->Down();
        auto index = Send(window, TB_COMMANDTOINDEX, static_cast<WPARAM>(button->m_command));
        if (index >= 0)
            Send(window, TB_DELETEBUTTON, static_cast<WPARAM>(index));
    }
    std::erase(m_buttons, button);
    std::erase(m_menuButtons, button);
    button->m_toolBar = nullptr;
    PlaceButtons();
}

void TToolBar::UpdateButton(TToolButton* button, DWORD mask)
{
    HWND window = Existing(*this);
    if (!window)
        return;
    TBBUTTON record = button->ButtonRecord();
    std::wstring caption = ToWide(button->Caption());
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = mask;
    info.iImage = record.iBitmap;
    info.fsStyle = record.fsStyle;
    info.pszText = caption.data();
    if ((mask & TBIF_TEXT) && !m_showCaptions)
        return;
    Send(window, TB_SETBUTTONINFOW, static_cast<WPARAM>(button->m_command),
         reinterpret_cast<LPARAM>(&info));
    if (mask & (TBIF_TEXT | TBIF_STYLE))
        SendButtons();   // widths follow texts and styles
}

TToolButton* TToolBar::FindButton(int command) const
{
    for (TToolButton* b : m_buttons)
        if (b->m_command == command)
            return b;
    return nullptr;
}

void TToolBar::Restyle(DWORD bits, bool on)
{
    if (HWND window = Existing(*this)) {
        controlwindow::SetStyleBits(window, bits, on);
        SendButtons();
        Invalidate();
    }
}

void TToolBar::SetFlat(bool flat)
{
    if (m_flat == flat)
        return;
    m_flat = flat;
    Restyle(TBSTYLE_FLAT, flat);
}

void TToolBar::SetShowCaptions(bool show)
{
    if (m_showCaptions == show)
        return;
    m_showCaptions = show;
    SendButtons();
}

void TToolBar::SetList(bool list)
{
    if (m_list == list)
        return;
    m_list = list;
    Restyle(TBSTYLE_LIST, list);
}

void TToolBar::SetWrapable(bool wrapable)
{
    if (m_wrapable == wrapable)
        return;
    m_wrapable = wrapable;
    Restyle(TBSTYLE_WRAPABLE, wrapable);
}

void TToolBar::SetButtonWidth(int width)
{
    width = std::max(width, 1);
    if (m_buttonWidth == width)
        return;
    m_buttonWidth = width;
    SendButtons();
}

void TToolBar::SetButtonHeight(int height)
{
    height = std::max(height, 1);
    if (m_buttonHeight == height)
        return;
    m_buttonHeight = height;
    SendButtons();
}

void TToolBar::SetImages(TImageList* images)
{
    if (!controlwindow::Relink(*this, m_images, images))
        return;
    if (HWND window = Existing(*this)) {
        Send(window, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images ? m_images->Handle() : nullptr));
        SendButtons();
    }
}

void TToolBar::SetMenu(TMainMenu* menu)
{
    if (m_menu == menu)
        return;
    if (m_menu)
        m_menu->RemoveFreeNotification(this);
    std::vector<TToolButton*> old;
    old.swap(m_menuButtons);
    for (TToolButton* b : old)
        delete b;
    m_menu = menu;
    if (!m_menu)
        return;
    m_menu->FreeNotification(this);
    TMenuItem* root = m_menu->Items();
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        if (!item->Visible())
            continue;
        auto* button = new TToolButton(this);
        button->SetMenuItem(item);
        button->SetGrouped(true);
        button->SetParent(this);
        m_menuButtons.push_back(button);
    }
}

void TToolBar::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == m_images)
        SetImages(nullptr);
    if (component == m_menu) {
        m_menu = nullptr;
        std::vector<TToolButton*> old;
        old.swap(m_menuButtons);
        for (TToolButton* b : old)
            delete b;
    }
}

void TToolBar::TrackMenu(TToolButton* button)
{
    HWND window = Existing(*this);
    if (!window || !button->MenuItem())
        return;
    auto index = Send(window, TB_COMMANDTOINDEX, static_cast<WPARAM>(button->m_command));
    RECT r{};
    Send(window, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    POINT below{r.left, r.bottom};
    ClientToScreen(window, &below);
    Send(window, TB_PRESSBUTTON, static_cast<WPARAM>(button->m_command), TRUE);
    // TPM_RETURNCMD: the chosen item runs here, whatever window owns the menu.
    UINT command = static_cast<UINT>(TrackPopupMenu(button->MenuItem()->Handle(),
                                                    TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD,
                                                    below.x, below.y, 0, window, nullptr));
    Send(window, TB_PRESSBUTTON, static_cast<WPARAM>(button->m_command), FALSE);
    if (TMenuItem* chosen = command ? TMenuItem::FromCommand(command) : nullptr)
        chosen->Click();
}

LRESULT TToolBar::CustomDraw(const NMTBCUSTOMDRAW& draw)
{
    const NMCUSTOMDRAW& cd = draw.nmcd;
    switch (cd.dwDrawStage) {
    case CDDS_PREPAINT: {
        LRESULT result = OnCustomDrawButton ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
        if (OnCustomDraw) {
            bool defaultDraw = true;
            m_canvas.SetHandle(cd.hdc);
            OnCustomDraw(this, cd.rc, defaultDraw);
            m_canvas.SetHandle(nullptr);
            if (!defaultDraw)
                return CDRF_SKIPDEFAULT;
        }
        return result;
    }
    case CDDS_ITEMPREPAINT: {
        TToolButton* button = FindButton(static_cast<int>(cd.dwItemSpec));
        if (!button || !OnCustomDrawButton)
            return CDRF_DODEFAULT;
        TCustomDrawState state;
        if (cd.uItemState & CDIS_SELECTED) state.Include(cdsSelected);
        if (cd.uItemState & CDIS_GRAYED) state.Include(cdsGrayed);
        if (cd.uItemState & CDIS_DISABLED) state.Include(cdsDisabled);
        if (cd.uItemState & CDIS_CHECKED) state.Include(cdsChecked);
        if (cd.uItemState & CDIS_FOCUS) state.Include(cdsFocused);
        if (cd.uItemState & CDIS_HOT) state.Include(cdsHot);
        if (cd.uItemState & CDIS_MARKED) state.Include(cdsMarked);
        if (cd.uItemState & CDIS_INDETERMINATE) state.Include(cdsIndeterminate);
        bool defaultDraw = true;
        m_canvas.SetHandle(cd.hdc);
        OnCustomDrawButton(this, button, state, defaultDraw);
        m_canvas.SetHandle(nullptr);
        return defaultDraw ? CDRF_DODEFAULT : CDRF_SKIPDEFAULT;
    }
    }
    return CDRF_DODEFAULT;
}

void TToolBar::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case CN_COMMAND:
        if (TToolButton* button = FindButton(LOWORD(message.WParam))) {
            button->Click();
            message.Result = 0;
            return;
        }
        break;
    case CN_NOTIFY: {
        const NMHDR* header = NotifyRecord(message.LParam);
        if (header && header->code == NM_CUSTOMDRAW) {
            message.Result = CustomDraw(*reinterpret_cast<const NMTBCUSTOMDRAW*>(header));
            return;
        }
        break;
    }
    }
    TWinControl::Dispatch(message);
    if (message.Msg == WM_SIZE)
        PlaceButtons();
}

} // namespace tarnivo
