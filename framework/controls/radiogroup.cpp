#include "framework/controls/radiogroup.h"

#include "framework/collection.h"
#include "framework/controls/radiobutton.h"

#include <algorithm>

namespace tarnivo {

const TClassInfo& TCustomRadioGroup::StaticClassInfo()
{
    static const TClassInfo info{"TCustomRadioGroup", &TCustomGroupBox::StaticClassInfo(), {}};
    return info;
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner) : TCustomGroupBox(owner)
{
}

TCustomRadioGroup::~TCustomRadioGroup()
{
    ClearItems();
}

std::string TCustomRadioGroup::Item(int index) const
{
    if (index < 0 || index >= ItemCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return m_buttons[static_cast<std::size_t>(index)]->Caption();
}

int TCustomRadioGroup::AddItem(const std::string& caption)
{
    // Owned by the group, not by the form: the form's components are the
    // group, and the buttons come and go with the items.
    auto* button = new TRadioButton(this);
    button->SetCaption(caption);
    button->SetParentFont(true);
    button->OnClick = [this](TObject* sender) { ButtonClicked(sender); };
    button->SetParent(this);
    m_buttons.push_back(button);
    ArrangeButtons();
    return ItemCount() - 1;
}

void TCustomRadioGroup::DeleteItem(int index)
{
    if (index < 0 || index >= ItemCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    TRadioButton* button = m_buttons[static_cast<std::size_t>(index)];
    m_buttons.erase(m_buttons.begin() + index);
    delete button;
    ArrangeButtons();
}

void TCustomRadioGroup::ClearItems()
{
    std::vector<TRadioButton*> buttons;
    buttons.swap(m_buttons);
    for (TRadioButton* b : buttons)
        delete b;
}

std::string TCustomRadioGroup::ItemsText() const
{
    TStringList lines;
    for (TRadioButton* b : m_buttons)
        lines.Add(b->Caption());
    return lines.Text();
}

void TCustomRadioGroup::SetItemsText(const std::string& text)
{
    TStringList lines;
    lines.SetText(text);
    SetItems(lines);
}

void TCustomRadioGroup::SetItems(const TStringList& items)
{
    int checked = ItemIndex();
    ClearItems();
    for (int i = 0; i < items.Count(); ++i)
        AddItem(items[i]);
    // The checked position survives when the new list still has it.
    if (checked >= 0 && checked < ItemCount()) {
        m_updating = true;
        m_buttons[static_cast<std::size_t>(checked)]->SetChecked(true);
        m_updating = false;
    }
}

int TCustomRadioGroup::ItemIndex() const
{
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        if (m_buttons[i]->Checked())
            return static_cast<int>(i);
    return -1;
}

void TCustomRadioGroup::SetItemIndex(int index)
{
    if (index < 0 || index >= ItemCount())
        index = -1;
    if (ItemIndex() == index)
        return;
    m_updating = true;
    if (index >= 0)
        m_buttons[static_cast<std::size_t>(index)]->SetChecked(true);   // unchecks the others
    else
        for (TRadioButton* b : m_buttons)
            b->SetChecked(false);
    m_updating = false;
    Click();
}

void TCustomRadioGroup::ButtonClicked(TObject*)
{
    // A button reports its change to checked; the group's OnClick follows
    // the user's choice, and SetItemIndex raises it once itself.
    if (!m_updating)
        Click();
}

void TCustomRadioGroup::SetColumns(int columns)
{
    columns = std::clamp(columns, 1, 16);
    if (m_columns == columns)
        return;
    m_columns = columns;
    ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons()
{
    if (m_buttons.empty())
        return;
    RECT area = ContentRect();
    int count = ItemCount();
    int rows = (count + m_columns - 1) / m_columns;
    int columnWidth = (area.right - area.left) / m_columns;
    int rowHeight = (area.bottom - area.top) / rows;
    for (int i = 0; i < count; ++i) {
        int column = i / rows;
        int row = i % rows;
        m_buttons[static_cast<std::size_t>(i)]->SetBounds(
            area.left + column * columnWidth + 4, area.top + row * rowHeight,
            columnWidth - 4, std::max(rowHeight, 1));
    }
}

void TCustomRadioGroup::BoundsChanged()
{
    TCustomGroupBox::BoundsChanged();
    ArrangeButtons();
}

void TCustomRadioGroup::FontChanged()
{
    // The buttons follow the group's font (ParentFont) before this runs.
    TCustomGroupBox::FontChanged();
    ArrangeButtons();
}

void TCustomRadioGroup::Dispatch(TMessage& message)
{
    TCustomGroupBox::Dispatch(message);
    // The window's size may change without SetBounds (a parent's layout).
    if (message.Msg == WM_SIZE)
        ArrangeButtons();
}

const TClassInfo& TRadioGroup::StaticClassInfo()
{
    static const TClassInfo info{
        "TRadioGroup",
        &TCustomRadioGroup::StaticClassInfo(),
        {
            published::Text("Items", &TRadioGroup::ItemsText, &TRadioGroup::SetItemsText),
            published::Integer("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex),
            published::Integer("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns),
        }};
    return info;
}

} // namespace tarnivo
