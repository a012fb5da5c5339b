#include "framework/controls/tabcontrol.h"
#include "framework/unicodetext.h"

#include "framework/collection.h"
#include "framework/controls/controlwindow.h"
#include "framework/imagelist.h"
#include "framework/stringlist.h"

#include <commctrl.h>

namespace tarnivo {

using controlwindow::Existing;
using controlwindow::Required;
using controlwindow::Send;

// -------------------------------------------------------------- TTabStrings

int TTabStrings::Count() const
{
    HWND window = controlwindow::Readable(m_owner);
    return window ? static_cast<int>(Send(window, TCM_GETITEMCOUNT)) : 0;
}

void TTabStrings::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

std::string TTabStrings::Strings(int index) const
{
    CheckIndex(index);
    wchar_t buffer[260] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 260;
    Send(Existing(m_owner), TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item.pszText ? ToUtf8(item.pszText) : "";
}

void TTabStrings::SetString(int index, const std::string& text)
{
    CheckIndex(index);
    std::wstring wide = ToWide(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = wide.data();
    Send(Existing(m_owner), TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    m_owner.DisplayChanged();
}

int TTabStrings::Add(const std::string& text)
{
    int index = Count();
    Insert(index, text);
    return index;
}

void TTabStrings::Insert(int index, const std::string& text)
{
    if (index != Count())
        CheckIndex(index);
    std::wstring wide = ToWide(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = wide.data();
    item.iImage = -1;
    Send(Required(m_owner), TCM_INSERTITEMW, static_cast<WPARAM>(index),
         reinterpret_cast<LPARAM>(&item));
    m_owner.DisplayChanged();
}

void TTabStrings::Delete(int index)
{
    CheckIndex(index);
    Send(Existing(m_owner), TCM_DELETEITEM, static_cast<WPARAM>(index));
    m_owner.DisplayChanged();
}

void TTabStrings::Clear()
{
    if (HWND window = Existing(m_owner)) {
        Send(window, TCM_DELETEALLITEMS);
        m_owner.DisplayChanged();
    }
}

int TTabStrings::ImageIndex(int index) const
{
    CheckIndex(index);
    TCITEMW item{};
    item.mask = TCIF_IMAGE;
    Send(Existing(m_owner), TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

void TTabStrings::SetImageIndex(int index, int image)
{
    CheckIndex(index);
    TCITEMW item{};
    item.mask = TCIF_IMAGE;
    item.iImage = image;
    Send(Existing(m_owner), TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

std::string TTabStrings::Text() const
{
    TStringList lines;
    for (int i = 0; i < Count(); ++i)
        lines.Add(Strings(i));
    return lines.Text();
}

void TTabStrings::SetText(const std::string& text)
{
    TStringList lines;
    lines.SetText(text);
    Clear();
    for (int i = 0; i < lines.Count(); ++i)
        Add(lines[i]);
}

// -------------------------------------------------------- TCustomTabControl

const TClassInfo& TCustomTabControl::StaticClassInfo()
{
    static const TClassInfo info{
        "TCustomTabControl",
        &TWinControl::StaticClassInfo(),
        {
            published::Enumeration("TabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"},
                                   &TCustomTabControl::TabPosition,
                                   &TCustomTabControl::SetTabPosition),
            published::Enumeration("Style", {"tsTabs", "tsButtons", "tsFlatButtons"},
                                   &TCustomTabControl::Style, &TCustomTabControl::SetStyle),
            published::Boolean("MultiLine", &TCustomTabControl::MultiLine,
                               &TCustomTabControl::SetMultiLine),
            published::Boolean("HotTrack", &TCustomTabControl::HotTrack,
                               &TCustomTabControl::SetHotTrack),
            published::Object("Images", &TCustomTabControl::Images, &TCustomTabControl::SetImages),
        }};
    return info;
}

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner), m_tabs(*this)
{
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetParentFont(true);
}

TCustomTabControl::~TCustomTabControl()
{
    if (m_images)
        m_images->RemoveFreeNotification(this);
}

void TCustomTabControl::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = WC_TABCONTROLA;
    switch (m_tabPosition) {
    case tpTop: break;
    case tpBottom: params.Style |= TCS_BOTTOM; break;
    case tpLeft: params.Style |= TCS_VERTICAL; break;
    case tpRight: params.Style |= TCS_VERTICAL | TCS_RIGHT; break;
    }
    if (m_style == tsButtons)
        params.Style |= TCS_BUTTONS;
    else if (m_style == tsFlatButtons)
        params.Style |= TCS_BUTTONS | TCS_FLATBUTTONS;
    if (m_multiLine || m_tabPosition == tpLeft || m_tabPosition == tpRight)
        params.Style |= TCS_MULTILINE;
    if (m_hotTrack)
        params.Style |= TCS_HOTTRACK;
}

void TCustomTabControl::HandleCreated()
{
    HWND window = Handle();
    if (m_images)
        Send(window, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images->Handle()));
    std::vector<SavedTab> saved;
    saved.swap(m_saved);
    for (std::size_t i = 0; i < saved.size(); ++i) {
        int index = m_tabs.Add(saved[i].Text);
        m_tabs.SetImageIndex(index, saved[i].Image);
    }
    Send(window, TCM_SETCURSEL, static_cast<WPARAM>(m_savedIndex));
    m_savedIndex = -1;
    DisplayChanged();
}

void TCustomTabControl::HandleDestroying()
{
    m_saved.clear();
    for (int i = 0; i < m_tabs.Count(); ++i)
        m_saved.push_back({m_tabs.Strings(i), m_tabs.ImageIndex(i)});
    m_savedIndex = TabIndex();
}

void TCustomTabControl::Restyle()
{
    RecreateWnd();
    DisplayChanged();
}

void TCustomTabControl::SetTabPosition(TTabPosition position)
{
    if (m_tabPosition == position)
        return;
    m_tabPosition = position;
    Restyle();
}

void TCustomTabControl::SetStyle(TTabStyle style)
{
    if (m_style == style)
        return;
    m_style = style;
    Restyle();
}

void TCustomTabControl::SetMultiLine(bool multiLine)
{
    if (m_multiLine == multiLine)
        return;
    m_multiLine = multiLine;
    Restyle();
}

void TCustomTabControl::SetHotTrack(bool hotTrack)
{
    if (m_hotTrack == hotTrack)
        return;
    m_hotTrack = hotTrack;
    Restyle();
}

void TCustomTabControl::SetImages(TImageList* images)
{
    if (!controlwindow::Relink(*this, m_images, images))
        return;
    if (HWND window = Existing(*this)) {
        Send(window, TCM_SETIMAGELIST, 0,
             reinterpret_cast<LPARAM>(m_images ? m_images->Handle() : nullptr));
        DisplayChanged();
    }
}

void TCustomTabControl::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == m_images)
        SetImages(nullptr);
}

int TCustomTabControl::TabIndex() const
{
    HWND window = controlwindow::Readable(*this);
    return window ? static_cast<int>(Send(window, TCM_GETCURSEL)) : -1;
}

void TCustomTabControl::SetTabIndex(int index)
{
    HWND window = Required(*this);
    if (index < 0 || index >= m_tabs.Count())
        index = -1;
    Send(window, TCM_SETCURSEL, static_cast<WPARAM>(index));
}

RECT TCustomTabControl::DisplayRect() const
{
    RECT r = ClientRect();
    if (HWND window = Existing(*this))
        Send(window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

int TCustomTabControl::IndexOfTabAt(int x, int y) const
{
    HWND window = Existing(*this);
    if (!window)
        return -1;
    TCHITTESTINFO hit{{x, y}, 0};
    return static_cast<int>(Send(window, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

RECT TCustomTabControl::TabRect(int index) const
{
    RECT r{};
    if (HWND window = Existing(*this))
        if (!Send(window, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
            r = RECT{};
    return r;
}

void TCustomTabControl::Change()
{
    if (OnChange)
        OnChange(this);
}

bool TCustomTabControl::CanChange()
{
    bool allow = true;
    if (OnChanging)
        OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Dispatch(TMessage& message)
{
    if (message.Msg == CN_NOTIFY) {
        const NMHDR* header = NotifyRecord(message.LParam);
        if (header && header->code == TCN_SELCHANGING) {
            message.Result = CanChange() ? FALSE : TRUE;   // TRUE keeps the tab
            return;
        }
        if (header && header->code == TCN_SELCHANGE) {
            Change();
            message.Result = 0;
            return;
        }
    }
    TWinControl::Dispatch(message);
    if (message.Msg == WM_SIZE)
        DisplayChanged();
}

const TClassInfo& TTabControl::StaticClassInfo()
{
    static const TClassInfo info{
        "TTabControl",
        &TCustomTabControl::StaticClassInfo(),
        {
            published::Text("Tabs", &TTabControl::TabsText, &TTabControl::SetTabsText),
            published::Integer("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex),
        }};
    return info;
}

} // namespace tarnivo
