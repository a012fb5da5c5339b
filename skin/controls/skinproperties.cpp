#include "skinproperties.h"

#include "skin/resources/textutil.h"

#include "framework/unicodetext.h"

#include "framework/typinfo.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace tarnivo {

namespace {

// The property's description, or null when the object publishes none by
// that name.
const TPropInfo* Find(const TObject* obj, std::string_view name)
{
    const auto* persistent = dynamic_cast<const TPersistent*>(obj);
    if (!persistent || name.empty())
        return nullptr;
    return GetPropInfo(*persistent, std::string(name));
}

// A getter that throws (a control asked in a state it cannot answer in)
// counts as an absent property.
bool Read(const TObject* obj, const TPropInfo& info, TPropValue& value)
{
    try {
        value = info.Get(*obj);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool SameText(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

int GetIntProperty(const TObject* obj, std::string_view name)
{
    const TPropInfo* info = Find(obj, name);
    TPropValue value;
    if (!info || info->Kind != TPropKind::Integer || !Read(obj, *info, value))
        return -1;
    const auto* number = std::get_if<std::int64_t>(&value);
    return number ? static_cast<int>(*number) : -1;
}

std::string GetEnumProperty(const TObject* obj, std::string_view name)
{
    const TPropInfo* info = Find(obj, name);
    TPropValue value;
    if (!info || !Read(obj, *info, value))
        return {};
    if (info->Kind == TPropKind::Boolean) {
        const auto* flag = std::get_if<bool>(&value);
        return flag ? (*flag ? "True" : "False") : std::string();
    }
    if (info->Kind != TPropKind::Enumeration)
        return {};
    const auto* ordinal = std::get_if<std::int64_t>(&value);
    if (!ordinal || *ordinal < 0 || *ordinal >= static_cast<std::int64_t>(info->EnumNames.size()))
        return {};
    return info->EnumNames[static_cast<std::size_t>(*ordinal)];
}

bool EnumPropertyIs(const TObject* obj, std::string_view name, std::string_view identifier)
{
    const std::string value = GetEnumProperty(obj, name);
    return !value.empty() && SameText(value, identifier);
}

std::wstring GetStringProp(const TObject* obj, std::string_view name)
{
    const TPropInfo* info = Find(obj, name);
    TPropValue value;
    if (!info || info->Kind != TPropKind::Text || !Read(obj, *info, value))
        return {};
    const auto* text = std::get_if<std::string>(&value);
    return text ? ToWide(*text) : std::wstring();
}

TObject* GetObjProp(const TObject* obj, std::string_view name)
{
    const TPropInfo* info = Find(obj, name);
    TPropValue value;
    if (!info || info->Kind != TPropKind::Object || !Read(obj, *info, value))
        return nullptr;
    auto* const* target = std::get_if<TObject*>(&value);
    return target ? *target : nullptr;
}

void SetProperty(TObject* obj, std::string_view name, std::string_view value)
{
    const TPropInfo* info = Find(obj, name);
    if (!info || !info->Set)
        return;
    try {
        switch (info->Kind) {
        case TPropKind::Enumeration: {
            const auto& names = info->EnumNames;
            auto it = std::find_if(names.begin(), names.end(),
                                   [&](const std::string& n) { return SameText(n, value); });
            if (it != names.end())
                info->Set(*obj, TPropValue{static_cast<std::int64_t>(it - names.begin())});
            break;
        }
        case TPropKind::Boolean:
            if (SameText(value, "True"))
                info->Set(*obj, TPropValue{true});
            else if (SameText(value, "False"))
                info->Set(*obj, TPropValue{false});
            break;
        case TPropKind::Integer: {
            std::int64_t number = 0;
            const char* end = value.data() + value.size();
            auto [stop, error] = std::from_chars(value.data(), end, number);
            if (error == std::errc() && stop == end && !value.empty())
                info->Set(*obj, TPropValue{number});
            break;
        }
        case TPropKind::Text:
            info->Set(*obj, TPropValue{std::string(value)});
            break;
        case TPropKind::Object:
            break;
        }
    } catch (const EPropertyError&) {
        // A setter that refuses the value leaves the property as it was.
    }
}

} // namespace tarnivo
