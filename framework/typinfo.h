#pragma once
// Published properties, readable and writable by name.
//
// Each class that publishes properties declares a static TClassInfo that names
// its parent's; GetPropValue/SetPropValue walk that chain from the object's
// most derived class up, so the skin engine can read "Color" or "Flat" from a
// control whose class it does not know at compile time.

#include "object.h"

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace tarnivo {

enum class TPropKind { Integer, Boolean, Enumeration, Text, Object };

// Integer and enumeration values travel as integers (an enumeration as its
// ordinal), texts as strings, object references as pointers.
using TPropValue = std::variant<std::int64_t, bool, std::string, TObject*>;

struct TPropInfo {
    std::string Name;
    TPropKind Kind = TPropKind::Integer;
    std::vector<std::string> EnumNames;   // member names, for enumerations
    std::function<TPropValue(const TObject&)> Get;
    std::function<void(TObject&, const TPropValue&)> Set;   // empty: read-only
};

struct TClassInfo {
    std::string Name;
    const TClassInfo* Parent = nullptr;
    std::vector<TPropInfo> Properties;
};

// Objects that publish properties derive from TPersistent and override ClassType.
class TPersistent : public TObject {
public:
    static const TClassInfo& StaticClassInfo();
    virtual const TClassInfo& ClassType() const { return StaticClassInfo(); }
    std::string ClassName() const override { return ClassType().Name; }
};

// Finds a published property by name (letter case ignored), most derived first.
const TPropInfo* GetPropInfo(const TPersistent& obj, const std::string& name);

// Raised when a property does not exist, is read-only, or gets a value of the
// wrong kind or an unknown enumeration name.
class EPropertyError : public Exception {
public:
    using Exception::Exception;
};

TPropValue GetPropValue(const TPersistent& obj, const std::string& name);
void SetPropValue(TPersistent& obj, const std::string& name, const TPropValue& value);

// Enumerations by member name ("bsFlat"), letter case ignored.
std::string GetEnumProp(const TPersistent& obj, const std::string& name);
void SetEnumProp(TPersistent& obj, const std::string& name, const std::string& member);

// Registration helpers. Getters and setters are member functions of C.
namespace published {

template <typename C, typename V>
TPropInfo Integer(std::string name, V (C::*get)() const, void (C::*set)(V) = nullptr)
{
    TPropInfo p{std::move(name), TPropKind::Integer, {}, {}, {}};
    p.Get = [get](const TObject& o) {
        return TPropValue{static_cast<std::int64_t>((static_cast<const C&>(o).*get)())};
    };
    if (set)
        p.Set = [set](TObject& o, const TPropValue& v) {
            (static_cast<C&>(o).*set)(static_cast<V>(std::get<std::int64_t>(v)));
        };
    return p;
}

template <typename C>
TPropInfo Boolean(std::string name, bool (C::*get)() const, void (C::*set)(bool) = nullptr)
{
    TPropInfo p{std::move(name), TPropKind::Boolean, {}, {}, {}};
    p.Get = [get](const TObject& o) { return TPropValue{(static_cast<const C&>(o).*get)()}; };
    if (set)
        p.Set = [set](TObject& o, const TPropValue& v) {
            (static_cast<C&>(o).*set)(std::get<bool>(v));
        };
    return p;
}

template <typename C, typename E>
TPropInfo Enumeration(std::string name, std::vector<std::string> members,
                      E (C::*get)() const, void (C::*set)(E) = nullptr)
{
    TPropInfo p{std::move(name), TPropKind::Enumeration, std::move(members), {}, {}};
    p.Get = [get](const TObject& o) {
        return TPropValue{static_cast<std::int64_t>((static_cast<const C&>(o).*get)())};
    };
    if (set)
        p.Set = [set](TObject& o, const TPropValue& v) {
            (static_cast<C&>(o).*set)(static_cast<E>(std::get<std::int64_t>(v)));
        };
    return p;
}

template <typename C, typename S>
TPropInfo Text(std::string name, S (C::*get)() const, void (C::*set)(const std::string&) = nullptr)
{
    TPropInfo p{std::move(name), TPropKind::Text, {}, {}, {}};
    p.Get = [get](const TObject& o) {
        return TPropValue{std::string((static_cast<const C&>(o).*get)())};
    };
    if (set)
        p.Set = [set](TObject& o, const TPropValue& v) {
            (static_cast<C&>(o).*set)(std::get<std::string>(v));
        };
    return p;
}

template <typename C, typename T>
TPropInfo Object(std::string name, T* (C::*get)() const, void (C::*set)(T*) = nullptr)
{
    TPropInfo p{std::move(name), TPropKind::Object, {}, {}, {}};
    p.Get = [get](const TObject& o) {
        return TPropValue{static_cast<TObject*>((static_cast<const C&>(o).*get)())};
    };
    if (set)
        p.Set = [set](TObject& o, const TPropValue& v) {
            TObject* target = std::get<TObject*>(v);
            T* typed = target ? dynamic_cast<T*>(target) : nullptr;
            if (target && !typed)
                throw EPropertyError("Invalid property value");
            (static_cast<C&>(o).*set)(typed);
        };
    return p;
}

} // namespace published
} // namespace tarnivo

// Declares the class information of a class that publishes properties.
#define TARNIVO_PUBLISHED_CLASS()                                             \
public:                                                                       \
    static const ::tarnivo::TClassInfo& StaticClassInfo();                    \
    const ::tarnivo::TClassInfo& ClassType() const override { return StaticClassInfo(); }
