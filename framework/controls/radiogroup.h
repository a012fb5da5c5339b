#pragma once
// The radio group: a group box holding one radio button per item.

#include "framework/controls/groupbox.h"
#include "framework/stringlist.h"

#include <string>
#include <vector>

namespace tarnivo {

class TRadioButton;

// The items are the captions of the radio buttons, which the group makes,
// owns and lays out in Columns columns inside its frame. ItemIndex is the
// checked button's index, read from the buttons; -1 when none is checked.
// OnClick follows every change of ItemIndex.
class TCustomRadioGroup : public TCustomGroupBox {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TCustomRadioGroup(TComponent* owner);
    ~TCustomRadioGroup() override;

    int ItemCount() const { return static_cast<int>(m_buttons.size()); }
    std::string Item(int index) const;
    int AddItem(const std::string& caption);
    void DeleteItem(int index);
    void ClearItems();
    // One item a line, as TStringList::Text writes them.
    std::string ItemsText() const;
    void SetItemsText(const std::string& text);
    void SetItems(const TStringList& items);

    int ItemIndex() const;
    // An index outside the items unchecks them all, as -1 does.
    void SetItemIndex(int index);

    // At least 1, at most 16.
    int Columns() const { return m_columns; }
    void SetColumns(int columns);

    // The button of item `index`, for its position or state.
    TRadioButton* Button(int index) const { return m_buttons.at(static_cast<std::size_t>(index)); }

    void Dispatch(TMessage& message) override;

protected:
    void BoundsChanged() override;
    void FontChanged() override;

private:
    void ArrangeButtons();
    void ButtonClicked(TObject* sender);

    std::vector<TRadioButton*> m_buttons;   // owned, in item order
    int m_columns = 1;
    bool m_updating = false;                // buttons are being changed by the group
};

class TRadioGroup : public TCustomRadioGroup {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomRadioGroup::TCustomRadioGroup;
};

} // namespace tarnivo
