#include "skinstore.h"

namespace tarnivo {

namespace {

constexpr std::int64_t MaxSkinBytes = 64 * 1024 * 1024;

} // namespace

const TClassInfo& TSkinCollectionItem::StaticClassInfo()
{
    static const TClassInfo info{
        "TSkinCollectionItem",
        &TCollectionItem::StaticClassInfo(),
        {
            published::Text("Name", &TSkinCollectionItem::Name, &TSkinCollectionItem::SetName),
            published::Text("SkinData", &TSkinCollectionItem::SkinData,
                            &TSkinCollectionItem::SetSkinData),
            published::Integer<TSkinCollectionItem, std::int32_t>("DataSize",
                                                                  &TSkinCollectionItem::DataSize),
        }};
    return info;
}

TSkinCollectionItem::TSkinCollectionItem(TCollection* collection) : TCollectionItem(collection)
{
    m_name = "SkinItem" + std::to_string(ID());
}

void TSkinCollectionItem::SetName(const std::string& name)
{
    if (name == m_name)
        return;
    if (TCollection* owner = Collection())
        for (int i = 0; i < owner->Count(); ++i) {
            auto* other = dynamic_cast<TSkinCollectionItem*>(owner->Items(i));
            if (other && other != this && other->m_name == name)
                throw Exception("The name " + name + " is already used.");
        }
    m_name = name;
}

std::int32_t TSkinCollectionItem::DataSize() const
{
    return static_cast<std::int32_t>(m_data->Size());
}

void TSkinCollectionItem::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, TFileMode::fmOpenRead);
    if (file.Size() > MaxSkinBytes)
        throw EStreamError("Skin file " + fileName + " is larger than 64 MiB");
    auto bytes = std::make_unique<TMemoryStream>();
    bytes->CopyFrom(file, 0);
    bytes->SetPosition(0);
    m_data = std::move(bytes);
}

void TSkinCollectionItem::CopyData(TStream& destination) const
{
    const std::int64_t position = m_data->Position();
    m_data->SetPosition(0);
    destination.CopyFrom(*m_data, m_data->Size());
    m_data->SetPosition(position);
}

void TSkinCollectionItem::ReadData(TStream& stream)
{
    if (stream.Size() > MaxSkinBytes)
        throw EStreamError("DataStream is larger than 64 MiB");
    auto bytes = std::make_unique<TMemoryStream>();
    bytes->CopyFrom(stream, 0);
    bytes->SetPosition(0);
    m_data = std::move(bytes);
}

void TSkinCollectionItem::WriteData(TStream& stream) const
{
    m_data->SaveToStream(stream);
}

void TSkinCollectionItem::Assign(const TPersistent& source)
{
    const auto* item = dynamic_cast<const TSkinCollectionItem*>(&source);
    if (!item) {
        TCollectionItem::Assign(source);
        return;
    }
    if (item == this)
        return;
    auto bytes = std::make_unique<TMemoryStream>();
    item->CopyData(*bytes);
    bytes->SetPosition(0);
    m_data = std::move(bytes);
    m_name = item->m_name;
}

TSkinCollection::TSkinCollection(TPersistent* owner)
    : TOwnedCollection(owner, [](TCollection* c) { return new TSkinCollectionItem(c); })
{
}

TSkinCollectionItem* TSkinCollection::Add()
{
    return static_cast<TSkinCollectionItem*>(TCollection::Add());
}

TSkinCollectionItem* TSkinCollection::Items(int index) const
{
    return static_cast<TSkinCollectionItem*>(TCollection::Items(index));
}

const TClassInfo& TSkinStore::StaticClassInfo()
{
    static const TClassInfo info{
        "TSkinStore",
        &TComponent::StaticClassInfo(),
        {
            published::Object("Store", &TSkinStore::Store, &TSkinStore::SetStore),
        }};
    return info;
}

TSkinStore::TSkinStore(TComponent* owner)
    : TComponent(owner), m_store(std::make_unique<TSkinCollection>(this))
{
}

TSkinStore::~TSkinStore() = default;

void TSkinStore::SetStore(TSkinCollection* store)
{
    if (store)
        m_store->Assign(*store);
}

} // namespace tarnivo
