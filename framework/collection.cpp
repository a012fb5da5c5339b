#include "collection.h"

#include <algorithm>

namespace tarnivo {

const TClassInfo& TCollectionItem::StaticClassInfo()
{
    static const TClassInfo info{"TCollectionItem", &TPersistent::StaticClassInfo(), {}};
    return info;
}

TCollectionItem::TCollectionItem(TCollection* collection)
{
    if (collection)
        collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem()
{
    if (m_collection)
        m_collection->RemoveItem(this);
}

int TCollectionItem::Index() const
{
    if (!m_collection)
        return -1;
    const auto& items = m_collection->m_items;
    auto it = std::find(items.begin(), items.end(), this);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

std::string TCollectionItem::GetDisplayName() const
{
    return ClassName();
}

void TCollectionItem::Assign(const TPersistent& source)
{
    throw EConvertError("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}

const TClassInfo& TCollection::StaticClassInfo()
{
    static const TClassInfo info{"TCollection", &TPersistent::StaticClassInfo(), {}};
    return info;
}

TCollection::TCollection(TItemFactory factory) : m_factory(std::move(factory)) {}

TCollection::~TCollection()
{
    Clear();
}

TCollectionItem* TCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return m_items[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::FindItemID(int id) const
{
    auto it = std::find_if(m_items.begin(), m_items.end(),
                           [id](const TCollectionItem* item) { return item->ID() == id; });
    return it == m_items.end() ? nullptr : *it;
}

TCollectionItem* TCollection::Add()
{
    // The factory constructs the item with this collection, which inserts it.
    TCollectionItem* item = m_factory(this);
    if (item && item->Collection() != this)
        InsertItem(item);
    return item;
}

void TCollection::Delete(int index)
{
    delete Items(index);
}

void TCollection::Clear()
{
    // Each destructor takes its item out of m_items.
    while (!m_items.empty())
        delete m_items.back();
}

void TCollection::Assign(const TCollection& source)
{
    if (&source == this)
        return;
    Clear();
    for (const TCollectionItem* from : source.m_items)
        Add()->Assign(*from);
}

void TCollection::InsertItem(TCollectionItem* item)
{
    if (item->m_collection)
        item->m_collection->RemoveItem(item);
    m_items.push_back(item);
    item->m_collection = this;
    item->m_id = m_nextId++;
}

void TCollection::RemoveItem(TCollectionItem* item)
{
    std::erase(m_items, item);
    item->m_collection = nullptr;
}

} // namespace tarnivo
