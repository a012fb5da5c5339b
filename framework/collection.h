#pragma once
// TCollection and TCollectionItem: a list of items that the collection owns,
// as a component keeps several records of one kind in its stored layout.
//
// Each item gets an ID from its collection when it is inserted: 0 for the
// first, then one more for each later item. IDs are never handed out twice,
// even after items are deleted, so an item's ID names it for good. Freeing an
// item takes it out of its collection; freeing the collection frees its items.
// Platform-free: no Windows header.

#include "typinfo.h"

#include <functional>
#include <string>
#include <vector>

namespace tarnivo {

class TCollection;

// Raised on an index outside the collection.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// Raised when Assign is given an object of a kind it cannot copy.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

class TCollectionItem : public TPersistent {
    TARNIVO_PUBLISHED_CLASS()
public:
    // Joins `collection` (when given), which takes ownership and hands out the ID.
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return m_collection; }
    int ID() const { return m_id; }
    // Position in the collection; -1 for an item that is in none.
    int Index() const;

    // The text a designer shows for the item; the class name unless overridden.
    virtual std::string GetDisplayName() const;
    std::string DisplayName() const { return GetDisplayName(); }

    // Copies another item's content. The default refuses with EConvertError,
    // as there is nothing this base class knows how to copy.
    virtual void Assign(const TPersistent& source);

private:
    friend class TCollection;
    TCollection* m_collection = nullptr;
    int m_id = -1;
};

class TCollection : public TPersistent {
    TARNIVO_PUBLISHED_CLASS()
public:
    // Makes a new item of the collection's item class inside `collection`.
    using TItemFactory = std::function<TCollectionItem*(TCollection* collection)>;

    explicit TCollection(TItemFactory factory);
    ~TCollection() override;

    int Count() const { return static_cast<int>(m_items.size()); }
    // Raises EListError outside 0..Count-1.
    TCollectionItem* Items(int index) const;
    TCollectionItem* FindItemID(int id) const;

    // Appends a new item and answers it.
    TCollectionItem* Add();
    // Frees the item at `index`; raises EListError outside 0..Count-1.
    void Delete(int index);
    void Clear();

    // Replaces the items with copies of the source's (each new item's Assign
    // does the copying). Assigning a collection to itself changes nothing.
    virtual void Assign(const TCollection& source);

    // The persistent that owns this collection; none for a free-standing one.
    virtual TPersistent* Owner() const { return nullptr; }

    // The ID the next inserted item will get.
    int NextID() const { return m_nextId; }

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);

    TItemFactory m_factory;
    std::vector<TCollectionItem*> m_items;   // owned
    int m_nextId = 0;
};

// A collection that knows the persistent it belongs to.
class TOwnedCollection : public TCollection {
public:
    TOwnedCollection(TPersistent* owner, TItemFactory factory)
        : TCollection(std::move(factory)), m_owner(owner)
    {
    }
    TPersistent* Owner() const override { return m_owner; }

private:
    TPersistent* m_owner;
};

} // namespace tarnivo
