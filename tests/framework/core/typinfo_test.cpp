// Published properties read and written by name through the class chain.

#include "framework/component.h"

#include <gtest/gtest.h>

using namespace tarnivo;

namespace {

enum TBevel { bvNone, bvLowered, bvRaised };

class TBase : public TComponent {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TComponent::TComponent;
    int Width() const { return m_width; }
    void SetWidth(int w) { m_width = w; }
    bool Flat() const { return m_flat; }
    void SetFlat(bool f) { m_flat = f; }

private:
    int m_width = 10;
    bool m_flat = false;
};

class TDerived : public TBase {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TBase::TBase;
    TBevel Bevel() const { return m_bevel; }
    void SetBevel(TBevel b) { m_bevel = b; }
    std::string Hint() const { return m_hint; }
    void SetHint(const std::string& h) { m_hint = h; }
    TComponent* Buddy() const { return m_buddy; }
    void SetBuddy(TComponent* b) { m_buddy = b; }
    int Version() const { return 7; }

private:
    TBevel m_bevel = bvNone;
    std::string m_hint;
    TComponent* m_buddy = nullptr;
};

const TClassInfo& TBase::StaticClassInfo()
{
    static const TClassInfo info{"TBase", &TComponent::StaticClassInfo(),
                                 {published::Integer("Width", &TBase::Width, &TBase::SetWidth),
                                  published::Boolean("Flat", &TBase::Flat, &TBase::SetFlat)}};
    return info;
}

const TClassInfo& TDerived::StaticClassInfo()
{
    static const TClassInfo info{
        "TDerived",
        &TBase::StaticClassInfo(),
        {published::Enumeration("Bevel", {"bvNone", "bvLowered", "bvRaised"}, &TDerived::Bevel,
                                &TDerived::SetBevel),
         published::Text("Hint", &TDerived::Hint, &TDerived::SetHint),
         published::Object("Buddy", &TDerived::Buddy, &TDerived::SetBuddy),
         published::Integer("Version", &TDerived::Version)}};
    return info;
}

} // namespace

TEST(Properties, ClassNameComesFromTheMostDerivedClass)
{
    TDerived d(nullptr);
    EXPECT_EQ(d.ClassName(), "TDerived");
    TBase& b = d;
    EXPECT_EQ(b.ClassName(), "TDerived");
    EXPECT_EQ(TBase(nullptr).ClassName(), "TBase");
}

TEST(Properties, LookupWalksTheClassChainIgnoringCase)
{
    TDerived d(nullptr);
    d.SetName("Panel1");
    d.SetTag(99);
    SetPropValue(d, "width", TPropValue{std::int64_t{42}});
    EXPECT_EQ(d.Width(), 42);
    EXPECT_EQ(std::get<std::string>(GetPropValue(d, "NAME")), "Panel1");
    EXPECT_EQ(std::get<std::int64_t>(GetPropValue(d, "Tag")), 99);
    SetPropValue(d, "Flat", TPropValue{true});
    EXPECT_TRUE(d.Flat());
}

TEST(Properties, EnumerationsByMemberName)
{
    TDerived d(nullptr);
    SetEnumProp(d, "Bevel", "BVRAISED");
    EXPECT_EQ(d.Bevel(), bvRaised);
    EXPECT_EQ(GetEnumProp(d, "Bevel"), "bvRaised");
    EXPECT_THROW(SetEnumProp(d, "Bevel", "bvSunken"), EPropertyError);
    EXPECT_THROW(SetPropValue(d, "Bevel", TPropValue{std::int64_t{3}}), EPropertyError);
    EXPECT_EQ(d.Bevel(), bvRaised) << "a refused value leaves the property as it was";
    EXPECT_THROW(SetEnumProp(d, "Width", "bvNone"), EPropertyError);
}

TEST(Properties, RefusesUnknownReadOnlyAndWrongKind)
{
    TDerived d(nullptr);
    EXPECT_EQ(GetPropInfo(d, "Colour"), nullptr);
    EXPECT_THROW(GetPropValue(d, "Colour"), EPropertyError);
    EXPECT_THROW(SetPropValue(d, "Version", TPropValue{std::int64_t{8}}), EPropertyError);
    EXPECT_EQ(std::get<std::int64_t>(GetPropValue(d, "Version")), 7);
    EXPECT_THROW(SetPropValue(d, "Hint", TPropValue{std::int64_t{1}}), EPropertyError);
    EXPECT_THROW(SetPropValue(d, "Width", TPropValue{std::string("12")}), EPropertyError);
}

TEST(Properties, ObjectReferencesAreTypeChecked)
{
    TDerived d(nullptr);
    TComponent other(nullptr);
    SetPropValue(d, "Buddy", TPropValue{static_cast<TObject*>(&other)});
    EXPECT_EQ(d.Buddy(), &other);
    SetPropValue(d, "Buddy", TPropValue{static_cast<TObject*>(nullptr)});
    EXPECT_EQ(d.Buddy(), nullptr);
    TObject plain;
    EXPECT_THROW(SetPropValue(d, "Buddy", TPropValue{&plain}), EPropertyError);
}
