#pragma once
// TSkinStore: several skin files carried in a form's stored layout, so a
// program can switch between built-in skins (TSkinData::LoadFromCollection).
// Each skin is one item of the store's collection: the skin file bytes and a
// display name unique within the collection.

#include "framework/collection.h"
#include "framework/component.h"
#include "framework/streams.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tarnivo {

class TSkinCollectionItem : public TCollectionItem {
    TARNIVO_PUBLISHED_CLASS()
public:
    // Named "SkinItem" + the ID the collection hands out.
    explicit TSkinCollectionItem(TCollection* collection);

    const std::string& Name() const { return m_name; }
    // Raises Exception "The name X is already used." when another item of
    // the collection has exactly that name; the name then stays as it was.
    void SetName(const std::string& name);
    // The caption of the designer's loading command; assigning changes nothing.
    std::string SkinData() const { return "Load Skin"; }
    void SetSkinData(const std::string&) {}
    std::int32_t DataSize() const;

    // Replaces the bytes with the whole file. A file that cannot be opened
    // raises EFOpenError, one above 64 MiB EStreamError; the old bytes stay.
    void LoadFromFile(const std::string& fileName);
    // Appends every byte to `destination`; this item's position is kept.
    void CopyData(TStream& destination) const;
    const TMemoryStream& Data() const { return *m_data; }

    // The binary property "DataStream": the raw skin file bytes (the layout's
    // property framing carries the length).
    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;

    // From another item: its name (not checked for uniqueness) and bytes.
    void Assign(const TPersistent& source) override;
    std::string GetDisplayName() const override { return m_name; }

private:
    std::string m_name;
    std::unique_ptr<TMemoryStream> m_data = std::make_unique<TMemoryStream>();
};

class TSkinCollection : public TOwnedCollection {
public:
    explicit TSkinCollection(TPersistent* owner);
    std::string ClassName() const override { return "TSkinCollection"; }

    TSkinCollectionItem* Add();
    TSkinCollectionItem* Items(int index) const;
};

class TSkinStore : public TComponent {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TSkinStore(TComponent* owner);
    ~TSkinStore() override;

    TSkinCollection* Store() const { return m_store.get(); }
    // Copies the items of `store`; none changes nothing.
    void SetStore(TSkinCollection* store);

private:
    std::unique_ptr<TSkinCollection> m_store;
};

} // namespace tarnivo
