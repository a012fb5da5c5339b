#include "typinfo.h"

#include <algorithm>

namespace tarnivo {

namespace {

bool SameText(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
        return lower(x) == lower(y);
    });
}

const TPropInfo& RequireProp(const TPersistent& obj, const std::string& name)
{
    const TPropInfo* info = GetPropInfo(obj, name);
    if (!info)
        throw EPropertyError("Property " + name + " does not exist");
    return *info;
}

bool ValueFits(TPropKind kind, const TPropValue& v)
{
    switch (kind) {
    case TPropKind::Integer:
    case TPropKind::Enumeration: return std::holds_alternative<std::int64_t>(v);
    case TPropKind::Boolean: return std::holds_alternative<bool>(v);
    case TPropKind::Text: return std::holds_alternative<std::string>(v);
    case TPropKind::Object: return std::holds_alternative<TObject*>(v);
    }
    return false;
}

} // namespace

const TClassInfo& TPersistent::StaticClassInfo()
{
    static const TClassInfo info{"TPersistent", nullptr, {}};
    return info;
}

const TPropInfo* GetPropInfo(const TPersistent& obj, const std::string& name)
{
    for (const TClassInfo* c = &obj.ClassType(); c; c = c->Parent)
        for (const TPropInfo& p : c->Properties)
            if (SameText(p.Name, name))
                return &p;
    return nullptr;
}

TPropValue GetPropValue(const TPersistent& obj, const std::string& name)
{
    return RequireProp(obj, name).Get(obj);
}

void SetPropValue(TPersistent& obj, const std::string& name, const TPropValue& value)
{
    const TPropInfo& p = RequireProp(obj, name);
    if (!p.Set)
        throw EPropertyError("Property " + name + " is read-only");
    if (!ValueFits(p.Kind, value))
        throw EPropertyError("Invalid property value for " + name);
    if (p.Kind == TPropKind::Enumeration) {
        auto ord = std::get<std::int64_t>(value);
        if (ord < 0 || ord >= static_cast<std::int64_t>(p.EnumNames.size()))
            throw EPropertyError("Property value out of range for " + name);
    }
    p.Set(obj, value);
}

std::string GetEnumProp(const TPersistent& obj, const std::string& name)
{
    const TPropInfo& p = RequireProp(obj, name);
    if (p.Kind != TPropKind::Enumeration)
        throw EPropertyError("Property " + name + " is not an enumeration");
    auto ord = std::get<std::int64_t>(p.Get(obj));
    if (ord < 0 || ord >= static_cast<std::int64_t>(p.EnumNames.size()))
        return std::to_string(ord);
    return p.EnumNames[static_cast<std::size_t>(ord)];
}

void SetEnumProp(TPersistent& obj, const std::string& name, const std::string& member)
{
    const TPropInfo& p = RequireProp(obj, name);
    if (p.Kind != TPropKind::Enumeration)
        throw EPropertyError("Property " + name + " is not an enumeration");
    for (std::size_t i = 0; i < p.EnumNames.size(); ++i)
        if (SameText(p.EnumNames[i], member)) {
            SetPropValue(obj, name, TPropValue{static_cast<std::int64_t>(i)});
            return;
        }
    throw EPropertyError("Invalid property value " + member + " for " + name);
}

} // namespace tarnivo
