#pragma once
// The list box ("LISTBOX"), and the item list that list and combo boxes share.

#include "framework/control.h"
#include "framework/controls/controlwindow.h"
#include "framework/stringlist.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarnivo {

// The message numbers by which a list or combo box keeps its strings.
struct TItemMessages {
    UINT AddString, InsertString, DeleteString, ResetContent, GetCount;
    UINT GetText, GetTextLen, GetItemData, SetItemData, FindStringExact;
};

// The strings of a list or combo box, in the window: every call asks it.
// Changing them needs the window (and so a parent); reading without a window
// answers an empty list. An index outside the list raises EListError.
class TWindowStrings {
public:
    TWindowStrings(TWinControl& owner, const TItemMessages& messages)
        : m_owner(owner), m_msg(messages)
    {
    }

    int Count() const;
    std::string Strings(int index) const;
    std::string operator[](int index) const { return Strings(index); }
    // Answers the new item's index (its sorted place in a sorted list), or -1
    // when the control refuses it.
    int Add(const std::string& text, std::intptr_t object = 0);
    void Insert(int index, const std::string& text);
    void Delete(int index);
    void Clear();
    // Compares without regard to letter case, as the control does; -1 when none.
    int IndexOf(const std::string& text) const;
    std::intptr_t Objects(int index) const;
    void SetObject(int index, std::intptr_t object);

    // One item a line, CR LF after each.
    std::string Text() const;
    void SetText(const std::string& text);
    void Assign(const TStringList& source);
    void AssignTo(TStringList& target) const;

    // For a window being recreated: the items and their objects, kept in
    // `saved` and put back into the new window (sorted by the control when
    // `sort`, else in their order). Restore answers where each saved item
    // went, by its saved index (-1 when the control refused it).
    void Save(TStringList& saved) const;
    std::vector<int> Restore(const TStringList& saved, bool sort);

private:
    void CheckIndex(int index) const;

    TWinControl& m_owner;
    TItemMessages m_msg;
};

// A list box. Items, selection and the top item are the window's.
class TCustomListBox : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TCustomListBox(TComponent* owner);

    TWindowStrings& Items() { return m_items; }
    const TWindowStrings& Items() const { return m_items; }
    std::string ItemsText() const { return m_items.Text(); }
    void SetItemsText(const std::string& text) { m_items.SetText(text); }

    // The selected item, or in a multi-select list the one with the focus
    // rectangle; -1 for none. Setting an index outside the items selects none.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // Several items at once: Ctrl and Shift clicks with ExtendedSelect (the
    // default), each click toggling an item without it.
    bool MultiSelect() const { return m_multiSelect; }
    void SetMultiSelect(bool multiSelect);
    bool ExtendedSelect() const { return m_extendedSelect; }
    void SetExtendedSelect(bool extended);
    bool Selected(int index) const;
    void SetSelected(int index, bool selected);
    int SelCount() const;
    // The control keeps the items in order; switching it on sorts them.
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool sorted);
    int TopIndex() const;
    void SetTopIndex(int index);

    TBorderStyle BorderStyle() const { return m_border.Style(); }
    void SetBorderStyle(TBorderStyle border) { m_border.SetStyle(border); }
    bool Ctl3D() const { return m_border.Ctl3D(); }
    void SetCtl3D(bool ctl3D) { m_border.SetCtl3D(ctl3D); }

    void Clear() { m_items.Clear(); }

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;

private:
    TWindowStrings m_items;
    TStringList m_saved;          // the items while the window is recreated
    std::vector<int> m_savedSelection;
    int m_savedTop = 0;
    bool m_multiSelect = false;
    bool m_extendedSelect = true;
    bool m_sorted = false;
    controlwindow::Border m_border{*this};
};

class TListBox : public TCustomListBox {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomListBox::TCustomListBox;
};

} // namespace tarnivo
