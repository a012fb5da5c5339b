#pragma once
// The combo box ("COMBOBOX").

#include "framework/controls/listbox.h"

namespace tarnivo {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// A combo box. Items, selection and text are the window's. OnChange follows
// every change of the text, typed or chosen from the list; OnSelect a choice
// from the list.
class TCustomComboBox : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TCustomComboBox(TComponent* owner);

    TWindowStrings& Items() { return m_items; }
    const TWindowStrings& Items() const { return m_items; }
    std::string ItemsText() const { return m_items.Text(); }
    void SetItemsText(const std::string& text) { m_items.SetText(text); }

    // -1 for none; setting an index outside the items selects none and
    // empties the edit part.
    int ItemIndex() const;
    void SetItemIndex(int index);

    // A drop-down list's text is its chosen item: setting a text chooses the
    // item of that text (letter case ignored), or none.
    std::string Text() const override;
    void SetText(const std::string& text) override;

    // Changing the style of a live window makes a new one.
    TComboBoxStyle Style() const { return m_style; }
    void SetStyle(TComboBoxStyle style);
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool sorted);
    // How many items the open list shows without scrolling, at least 1.
    int DropDownCount() const { return m_dropDownCount; }
    void SetDropDownCount(int count);
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int length);
    bool DroppedDown() const;
    void SetDroppedDown(bool dropped);

    void SetBounds(int left, int top, int width, int height) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;

private:
    // The window's height: the closed box plus the open list.
    int WindowHeight() const;
    void Change();

    TWindowStrings m_items;
    TStringList m_saved;      // the items while the window is recreated
    int m_savedIndex = -1;
    std::string m_text;       // the text while there is no window
    TComboBoxStyle m_style = csDropDown;
    bool m_sorted = false;
    int m_dropDownCount = 8;
    int m_maxLength = 0;
};

class TComboBox : public TCustomComboBox {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomComboBox::TCustomComboBox;
};

} // namespace tarnivo
