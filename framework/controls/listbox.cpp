#include "framework/controls/listbox.h"

#include "framework/collection.h"
#include "framework/unicodetext.h"

#include <algorithm>

namespace tarnivo {

using controlwindow::Existing;
using controlwindow::Readable;
using controlwindow::Required;
using controlwindow::Send;

// ----------------------------------------------------------- TWindowStrings

int TWindowStrings::Count() const
{
    HWND window = Readable(m_owner);
    return window ? static_cast<int>(Send(window, m_msg.GetCount)) : 0;
}

void TWindowStrings::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

std::string TWindowStrings::Strings(int index) const
{
    CheckIndex(index);
    HWND window = Readable(m_owner);
    auto length = Send(window, m_msg.GetTextLen, static_cast<WPARAM>(index));
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    auto copied = Send(window, m_msg.GetText, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return ToUtf8(text);
}

int TWindowStrings::Add(const std::string& text, std::intptr_t object)
{
    HWND window = Required(m_owner);
    const std::wstring wide = ToWide(text);
    auto index = Send(window, m_msg.AddString, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    if (index < 0)
        return -1;
    if (object)
        Send(window, m_msg.SetItemData, static_cast<WPARAM>(index), static_cast<LPARAM>(object));
    return static_cast<int>(index);
}

void TWindowStrings::Insert(int index, const std::string& text)
{
    // Count itself is a valid place: the end.
    if (index != Count())
        CheckIndex(index);
    const std::wstring wide = ToWide(text);
    Send(Required(m_owner), m_msg.InsertString, static_cast<WPARAM>(index),
         reinterpret_cast<LPARAM>(wide.c_str()));
}

void TWindowStrings::Delete(int index)
{
    CheckIndex(index);
    Send(Required(m_owner), m_msg.DeleteString, static_cast<WPARAM>(index));
}

void TWindowStrings::Clear()
{
    if (HWND window = Existing(m_owner))
        Send(window, m_msg.ResetContent);
}

int TWindowStrings::IndexOf(const std::string& text) const
{
    HWND window = Readable(m_owner);
    if (!window)
        return -1;
    // The search starts after the item given and wraps; -1 starts at the top.
    const std::wstring wide = ToWide(text);
    auto index = Send(window, m_msg.FindStringExact, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(wide.c_str()));
    return index < 0 ? -1 : static_cast<int>(index);
}

std::intptr_t TWindowStrings::Objects(int index) const
{
    CheckIndex(index);
    return static_cast<std::intptr_t>(
        Send(Readable(m_owner), m_msg.GetItemData, static_cast<WPARAM>(index)));
}

void TWindowStrings::SetObject(int index, std::intptr_t object)
{
    CheckIndex(index);
    Send(Required(m_owner), m_msg.SetItemData, static_cast<WPARAM>(index),
         static_cast<LPARAM>(object));
}

std::string TWindowStrings::Text() const
{
    TStringList lines;
    AssignTo(lines);
    return lines.Text();
}

void TWindowStrings::SetText(const std::string& text)
{
    TStringList lines;
    lines.SetText(text);
    Assign(lines);
}

void TWindowStrings::Assign(const TStringList& source)
{
    HWND window = Required(m_owner);
    Send(window, WM_SETREDRAW, FALSE);
    Clear();
    for (int i = 0; i < source.Count(); ++i)
        Add(source[i], source.Objects(i));
    Send(window, WM_SETREDRAW, TRUE);
    InvalidateRect(window, nullptr, TRUE);
}

void TWindowStrings::AssignTo(TStringList& target) const
{
    target.Clear();
    int count = Count();
    for (int i = 0; i < count; ++i)
        target.Add(Strings(i));
}

void TWindowStrings::Save(TStringList& saved) const
{
    saved.Clear();
    int count = Count();
    for (int i = 0; i < count; ++i)
        saved.AddObject(Strings(i), Objects(i));
}

std::vector<int> TWindowStrings::Restore(const TStringList& saved, bool sort)
{
    std::vector<int> places;
    HWND window = Existing(m_owner);
    if (!window)
        return places;
    // Added, a sorted list's control sorts them; inserted at the end, they
    // keep the order they had. An item added later moves those after it.
    for (int i = 0; i < saved.Count(); ++i) {
        const std::wstring wide = ToWide(saved[i]);
        auto text = reinterpret_cast<LPARAM>(wide.c_str());
        auto index = sort ? Send(window, m_msg.AddString, 0, text)
                          : Send(window, m_msg.InsertString, static_cast<WPARAM>(-1), text);
        for (int& p : places)
            if (index >= 0 && p >= index)
                ++p;
        places.push_back(index < 0 ? -1 : static_cast<int>(index));
        if (index >= 0 && saved.Objects(i))
            Send(window, m_msg.SetItemData, static_cast<WPARAM>(index),
                 static_cast<LPARAM>(saved.Objects(i)));
    }
    return places;
}

// ----------------------------------------------------------- TCustomListBox

namespace {

const TItemMessages ListBoxMessages{LB_ADDSTRING,  LB_INSERTSTRING, LB_DELETESTRING,
                                    LB_RESETCONTENT, LB_GETCOUNT,   LB_GETTEXT,
                                    LB_GETTEXTLEN, LB_GETITEMDATA,  LB_SETITEMDATA,
                                    LB_FINDSTRINGEXACT};

} // namespace

const TClassInfo& TCustomListBox::StaticClassInfo()
{
    static const TClassInfo info{"TCustomListBox", &TWinControl::StaticClassInfo(), {}};
    return info;
}

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), m_items(*this, ListBoxMessages)
{
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
    SetTabStop(true);
}

void TCustomListBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = "LISTBOX";
    params.Style |= LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (m_multiSelect)
        params.Style |= m_extendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (m_sorted)
        params.Style |= LBS_SORT;
    m_border.CreateParams(params);
}

void TCustomListBox::HandleCreated()
{
    std::vector<int> places = m_items.Restore(m_saved, m_sorted);
    m_saved.Clear();
    // A list that was multi-select and is now single keeps its first selection.
    if (!m_multiSelect && m_savedSelection.size() > 1)
        m_savedSelection.erase(m_savedSelection.begin() + 1, m_savedSelection.end());
    for (int index : m_savedSelection)
        if (places.at(static_cast<std::size_t>(index)) >= 0)
            SetSelected(places[static_cast<std::size_t>(index)], true);
    m_savedSelection.clear();
    Send(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(m_savedTop));
}

void TCustomListBox::HandleDestroying()
{
    m_items.Save(m_saved);
    m_savedSelection.clear();
    for (int i = 0; i < m_saved.Count(); ++i)
        if (Selected(i))
            m_savedSelection.push_back(i);
    m_savedTop = TopIndex();
}

int TCustomListBox::ItemIndex() const
{
    HWND window = Readable(*this);
    if (!window)
        return -1;
    auto index = Send(window, m_multiSelect ? LB_GETCARETINDEX : LB_GETCURSEL);
    if (m_multiSelect && index >= 0 && m_items.Count() == 0)
        return -1;
    return index < 0 ? -1 : static_cast<int>(index);
}

void TCustomListBox::SetItemIndex(int index)
{
    HWND window = Required(*this);
    if (index < 0 || index >= m_items.Count())
        index = -1;
    if (m_multiSelect) {
        Send(window, LB_SETSEL, FALSE, -1);
        if (index >= 0) {
            Send(window, LB_SETSEL, TRUE, index);
            Send(window, LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
        }
        return;
    }
    Send(window, LB_SETCURSEL, static_cast<WPARAM>(index));
}

bool TCustomListBox::Selected(int index) const
{
    if (index < 0 || index >= m_items.Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return Send(Readable(*this), LB_GETSEL, static_cast<WPARAM>(index)) > 0;
}

void TCustomListBox::SetSelected(int index, bool selected)
{
    if (index < 0 || index >= m_items.Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    HWND window = Required(*this);
    if (m_multiSelect)
        Send(window, LB_SETSEL, selected, index);
    else if (selected)
        Send(window, LB_SETCURSEL, static_cast<WPARAM>(index));
    else if (ItemIndex() == index)
        Send(window, LB_SETCURSEL, static_cast<WPARAM>(-1));
}

int TCustomListBox::SelCount() const
{
    HWND window = Readable(*this);
    if (!window)
        return 0;
    if (!m_multiSelect)
        return Send(window, LB_GETCURSEL) >= 0 ? 1 : 0;
    return static_cast<int>(Send(window, LB_GETSELCOUNT));
}

int TCustomListBox::TopIndex() const
{
    HWND window = Readable(*this);
    return window ? static_cast<int>(Send(window, LB_GETTOPINDEX)) : 0;
}

void TCustomListBox::SetTopIndex(int index)
{
    Send(Required(*this), LB_SETTOPINDEX, static_cast<WPARAM>(std::max(index, 0)));
}

void TCustomListBox::SetMultiSelect(bool multiSelect)
{
    if (m_multiSelect == multiSelect)
        return;
    m_multiSelect = multiSelect;
    RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool extended)
{
    if (m_extendedSelect == extended)
        return;
    m_extendedSelect = extended;
    if (m_multiSelect)
        RecreateWnd();
}

void TCustomListBox::SetSorted(bool sorted)
{
    if (m_sorted == sorted)
        return;
    m_sorted = sorted;
    // LBS_SORT is read at creation; the items come back sorted.
    RecreateWnd();
}

void TCustomListBox::Dispatch(TMessage& message)
{
    // A double click raises OnDblClick through the mouse handling already.
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == LBN_SELCHANGE) {
        Click();
        message.Result = 0;
        return;
    }
    TWinControl::Dispatch(message);
}

const TClassInfo& TListBox::StaticClassInfo()
{
    static const TClassInfo info{
        "TListBox",
        &TCustomListBox::StaticClassInfo(),
        {
            published::Text("Items", &TListBox::ItemsText, &TListBox::SetItemsText),
            published::Integer("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex),
            published::Boolean("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect),
            published::Boolean("ExtendedSelect", &TListBox::ExtendedSelect,
                               &TListBox::SetExtendedSelect),
            published::Boolean("Sorted", &TListBox::Sorted, &TListBox::SetSorted),
            published::Enumeration("BorderStyle", {"bsNone", "bsSingle"}, &TListBox::BorderStyle,
                                   &TListBox::SetBorderStyle),
            published::Boolean("Ctl3D", &TListBox::Ctl3D, &TListBox::SetCtl3D),
        }};
    return info;
}

} // namespace tarnivo
