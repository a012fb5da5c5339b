// TSkinStore and its collection: item names and IDs, the duplicate-name
// rule, the skin bytes an item carries, and copying collections.

#include "framework/collection.h"
#include "skin/resources/skinstore.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

using namespace tarnivo;

namespace {

std::string Bytes(const TMemoryStream& stream)
{
    auto& s = const_cast<TMemoryStream&>(stream);
    return std::string(reinterpret_cast<const char*>(s.Memory()), static_cast<std::size_t>(s.Size()));
}

void Fill(TSkinCollectionItem& item, const std::string& bytes)
{
    TMemoryStream source;
    source.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    item.ReadData(source);
}

} // namespace

TEST(SkinStore, NewItemsAreNamedAfterIdsThatAreNeverReused)
{
    TSkinStore store(nullptr);
    TSkinCollection& items = *store.Store();
    for (int i = 0; i < 3; ++i)
        items.Add();
    EXPECT_EQ(items.Items(0)->Name(), "SkinItem0");
    EXPECT_EQ(items.Items(2)->Name(), "SkinItem2");
    items.Delete(1);
    TSkinCollectionItem* fourth = items.Add();
    EXPECT_EQ(fourth->Name(), "SkinItem3");
    EXPECT_EQ(fourth->ID(), 3);
    EXPECT_EQ(fourth->Index(), 2);
    EXPECT_EQ(items.FindItemID(1), nullptr);
    EXPECT_EQ(items.FindItemID(3), fourth);
    EXPECT_EQ(fourth->DisplayName(), "SkinItem3");
    EXPECT_EQ(items.Owner(), &store);

    // Freeing an item takes it out of its collection.
    delete items.Items(0);
    EXPECT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Items(0)->Name(), "SkinItem2");
    items.Clear();
    EXPECT_EQ(items.Add()->Name(), "SkinItem4");
}

TEST(SkinStore, RenamingChecksOtherItemsExactly)
{
    TSkinStore store(nullptr);
    TSkinCollectionItem* first = store.Store()->Add();
    TSkinCollectionItem* second = store.Store()->Add();
    second->SetName("SkinItem1");  // its own name: nothing happens
    try {
        second->SetName("SkinItem0");
        FAIL() << "a duplicate name was accepted";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "The name SkinItem0 is already used.");
    }
    EXPECT_EQ(second->Name(), "SkinItem1");
    second->SetName("skinitem0");  // the check is case-sensitive
    EXPECT_EQ(second->Name(), "skinitem0");
    first->SetName("Slate");
    SetPropValue(*first, "Name", TPropValue{std::string("Paper")});
    EXPECT_EQ(first->Name(), "Paper");
}

TEST(SkinStore, ItemCarriesTheSkinBytes)
{
    TSkinStore store(nullptr);
    TSkinCollectionItem& item = *store.Store()->Add();
    item.SetSkinData("anything");
    EXPECT_EQ(item.SkinData(), "Load Skin");
    EXPECT_EQ(std::get<std::string>(GetPropValue(item, "SkinData")), "Load Skin");

    char folder[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
    const std::string path = std::string(folder) + "tarnivo_skinstore_test.skn";
    TMemoryStream file;
    file.WriteBuffer("0123456789", 10);
    file.SaveToFile(path);
    item.LoadFromFile(path);
    DeleteFileA(path.c_str());
    EXPECT_EQ(item.DataSize(), 10);
    EXPECT_EQ(std::get<std::int64_t>(GetPropValue(item, "DataSize")), 10);

    // A missing file raises the file-open error and keeps the bytes.
    EXPECT_THROW(item.LoadFromFile(path), EFOpenError);
    EXPECT_EQ(item.DataSize(), 10);

    // CopyData appends everything and leaves the item's position alone.
    TMemoryStream destination;
    destination.WriteBuffer("ab", 2);
    const_cast<TMemoryStream&>(item.Data()).SetPosition(4);
    item.CopyData(destination);
    EXPECT_EQ(Bytes(destination), "ab0123456789");
    EXPECT_EQ(const_cast<TMemoryStream&>(item.Data()).Position(), 4);

    TMemoryStream written;
    item.WriteData(written);
    EXPECT_EQ(Bytes(written), "0123456789");  // raw, no length of its own
}

TEST(SkinStore, AssigningCopiesNamesAndBytes)
{
    TSkinStore source(nullptr), target(nullptr);
    Fill(*source.Store()->Add(), "first");
    TSkinCollectionItem* second = source.Store()->Add();
    Fill(*second, "second");
    second->SetName("Paper");
    target.Store()->Add();

    target.SetStore(source.Store());
    ASSERT_EQ(target.Store()->Count(), 2);
    EXPECT_EQ(target.Store()->Items(0)->Name(), "SkinItem0");
    EXPECT_EQ(target.Store()->Items(1)->Name(), "Paper");
    EXPECT_EQ(Bytes(target.Store()->Items(1)->Data()), "second");
    target.SetStore(nullptr);
    EXPECT_EQ(target.Store()->Count(), 2);
    SetPropValue(target, "Store", TPropValue{static_cast<TObject*>(nullptr)});
    EXPECT_EQ(target.Store()->Count(), 2);

    // An item takes another's name without the uniqueness check.
    target.Store()->Items(0)->Assign(*target.Store()->Items(1));
    EXPECT_EQ(target.Store()->Items(0)->Name(), "Paper");
    TSkinStore other(nullptr);
    EXPECT_THROW(target.Store()->Items(0)->Assign(other), EConvertError);
}

TEST(Collection, IndexOutsideTheItemsIsRefused)
{
    TCollection plain([](TCollection* c) { return new TCollectionItem(c); });
    EXPECT_THROW(plain.Items(0), EListError);
    TCollectionItem* item = plain.Add();
    EXPECT_EQ(item->DisplayName(), "TCollectionItem");
    EXPECT_THROW(plain.Items(-1), EListError);
    EXPECT_THROW(plain.Delete(1), EListError);
    EXPECT_EQ(plain.Owner(), nullptr);
    // Nothing to copy in the base item.
    TCollection copy([](TCollection* c) { return new TCollectionItem(c); });
    EXPECT_THROW(copy.Assign(plain), EConvertError);
    copy.Assign(copy);
}
