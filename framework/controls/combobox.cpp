#include "framework/controls/combobox.h"
#include "framework/unicodetext.h"

#include <algorithm>

namespace tarnivo {

using controlwindow::Existing;
using controlwindow::Required;
using controlwindow::Send;

namespace {

const TItemMessages ComboBoxMessages{CB_ADDSTRING,  CB_INSERTSTRING, CB_DELETESTRING,
                                     CB_RESETCONTENT, CB_GETCOUNT,   CB_GETLBTEXT,
                                     CB_GETLBTEXTLEN, CB_GETITEMDATA, CB_SETITEMDATA,
                                     CB_FINDSTRINGEXACT};

constexpr int ListItemHeight = 16;   // the open list's rows before the window says

} // namespace

const TClassInfo& TCustomComboBox::StaticClassInfo()
{
    static const TClassInfo info{"TCustomComboBox", &TWinControl::StaticClassInfo(), {}};
    return info;
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), m_items(*this, ComboBoxMessages)
{
    SetBounds(0, 0, 145, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

int TCustomComboBox::WindowHeight() const
{
    // A simple combo box shows its list at its own height; the other styles
    // take the height given at creation or sizing as closed box plus list.
    if (m_style == csSimple)
        return m_height;
    int rowHeight = ListItemHeight;
    if (HWND window = Existing(*this)) {
        auto h = Send(window, CB_GETITEMHEIGHT, 0);
        if (h > 0)
            rowHeight = static_cast<int>(h);
    }
    return m_height + rowHeight * m_dropDownCount + 2;
}

void TCustomComboBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = "COMBOBOX";
    params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS;
    params.Style |= m_style == csSimple       ? CBS_SIMPLE
                    : m_style == csDropDownList ? CBS_DROPDOWNLIST
                                                : CBS_DROPDOWN;
    if (m_sorted)
        params.Style |= CBS_SORT;
    params.Height = WindowHeight();
}

void TCustomComboBox::HandleCreated()
{
    HWND window = Handle();
    std::vector<int> places = m_items.Restore(m_saved, m_sorted);
    m_saved.Clear();
    Send(window, CB_LIMITTEXT, static_cast<WPARAM>(m_maxLength));
    if (m_savedIndex >= 0 && m_savedIndex < static_cast<int>(places.size()) &&
        places[static_cast<std::size_t>(m_savedIndex)] >= 0)
        Send(window, CB_SETCURSEL, static_cast<WPARAM>(places[static_cast<std::size_t>(m_savedIndex)]));
    else if (m_style != csDropDownList)
        SetWindowTextW(window, ToWide(m_text).c_str());
    m_savedIndex = -1;
}

void TCustomComboBox::HandleDestroying()
{
    m_items.Save(m_saved);
    m_savedIndex = ItemIndex();
    m_text = Text();
}

void TCustomComboBox::SetBounds(int left, int top, int width, int height)
{
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    if (HWND window = Existing(*this))
        SetWindowPos(window, nullptr, left, top, width, WindowHeight(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    BoundsChanged();
}

int TCustomComboBox::ItemIndex() const
{
    HWND window = controlwindow::Readable(*this);
    if (!window)
        return -1;
    auto index = Send(window, CB_GETCURSEL);
    return index < 0 ? -1 : static_cast<int>(index);
}

void TCustomComboBox::SetItemIndex(int index)
{
    HWND window = Required(*this);
    if (index < 0 || index >= m_items.Count())
        index = -1;
    if (ItemIndex() == index)
        return;
    // CB_SETCURSEL with -1 also empties the edit part.
    Send(window, CB_SETCURSEL, static_cast<WPARAM>(index));
}

std::string TCustomComboBox::Text() const
{
    return HandleAllocated() ? TWinControl::Text() : m_text;
}

void TCustomComboBox::SetText(const std::string& text)
{
    if (!HandleAllocated()) {
        m_text = text;
        return;
    }
    if (m_style == csDropDownList) {
        SetItemIndex(m_items.IndexOf(text));
        return;
    }
    if (Text() != text)
        SetWindowTextW(Handle(), ToWide(text).c_str());
}

void TCustomComboBox::SetStyle(TComboBoxStyle style)
{
    if (m_style == style)
        return;
    m_style = style;
    RecreateWnd();
}

void TCustomComboBox::SetSorted(bool sorted)
{
    if (m_sorted == sorted)
        return;
    m_sorted = sorted;
    // CBS_SORT is read at creation; the items come back sorted.
    RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int count)
{
    count = std::max(count, 1);
    if (m_dropDownCount == count)
        return;
    m_dropDownCount = count;
    if (HWND window = Existing(*this))
        SetWindowPos(window, nullptr, 0, 0, m_width, WindowHeight(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::SetMaxLength(int length)
{
    length = std::max(length, 0);
    if (m_maxLength == length)
        return;
    m_maxLength = length;
    if (HWND window = Existing(*this))
        Send(window, CB_LIMITTEXT, static_cast<WPARAM>(length));
}

bool TCustomComboBox::DroppedDown() const
{
    HWND window = Existing(*this);
    return window && Send(window, CB_GETDROPPEDSTATE) != 0;
}

void TCustomComboBox::SetDroppedDown(bool dropped)
{
    Send(Required(*this), CB_SHOWDROPDOWN, dropped);
}

void TCustomComboBox::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomComboBox::Dispatch(TMessage& message)
{
    if (message.Msg != CN_COMMAND) {
        TWinControl::Dispatch(message);
        return;
    }
    switch (HIWORD(message.WParam)) {
    case CBN_SELCHANGE: {
        // The system fills the edit part only after this notification; the
        // handlers see the chosen text already.
        int index = ItemIndex();
        if (m_style != csDropDownList && index >= 0)
            SetWindowTextW(Handle(), ToWide(m_items.Strings(index)).c_str());
        if (OnSelect)
            OnSelect(this);
        Change();
        break;
    }
    case CBN_EDITCHANGE: Change(); break;
    case CBN_DROPDOWN:
        if (OnDropDown)
            OnDropDown(this);
        break;
    case CBN_CLOSEUP:
        if (OnCloseUp)
            OnCloseUp(this);
        break;
    }
    message.Result = 0;
}

const TClassInfo& TComboBox::StaticClassInfo()
{
    static const TClassInfo info{
        "TComboBox",
        &TCustomComboBox::StaticClassInfo(),
        {
            published::Text("Items", &TComboBox::ItemsText, &TComboBox::SetItemsText),
            published::Integer("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex),
            published::Text("Text", &TComboBox::Text, &TComboBox::SetText),
            published::Enumeration("Style", {"csDropDown", "csSimple", "csDropDownList"},
                                   &TComboBox::Style, &TComboBox::SetStyle),
            published::Boolean("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted),
            published::Integer("DropDownCount", &TComboBox::DropDownCount,
                               &TComboBox::SetDropDownCount),
            published::Integer("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength),
        }};
    return info;
}

} // namespace tarnivo
