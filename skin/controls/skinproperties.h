#pragma once
// Reading and writing a control's published properties by name, for
// painters that meet controls whose class they do not know at compile time
// ("Flat", "Glyph", "Layout" of a button from another library).
//
// None of these throws. An object that is null, publishes nothing, or lacks
// the property (or has it with another kind) gives the defaults: -1, the
// empty string, null. Painters treat -1 as "not set".

#include "framework/object.h"

#include <string>
#include <string_view>

namespace tarnivo {

// An integer property (colours included); -1 when absent or not an integer.
int GetIntProperty(const TObject* obj, std::string_view name);
// The identifier of an enumeration's value ("blGlyphLeft"), "True"/"False"
// for a Boolean; "" when absent or of another kind.
std::string GetEnumProperty(const TObject* obj, std::string_view name);
// Whether GetEnumProperty equals `identifier`, letter case ignored: how
// painters compare identifiers ("tacenter", "true").
bool EnumPropertyIs(const TObject* obj, std::string_view name, std::string_view identifier);
// A text property converted to wide with the ANSI code page; "" when absent.
std::wstring GetStringProp(const TObject* obj, std::string_view name);
// The object held by an object property; null when absent, empty or not a T.
TObject* GetObjProp(const TObject* obj, std::string_view name);
template <typename T>
T* GetObjProp(const TObject* obj, std::string_view name)
{
    return dynamic_cast<T*>(GetObjProp(obj, name));
}
// Sets a property from text: an enumeration (or Boolean) by identifier, an
// integer from decimal text, a text as is. Other kinds, absent or read-only
// properties, unknown identifiers and text that is no number are ignored.
void SetProperty(TObject* obj, std::string_view name, std::string_view value);

} // namespace tarnivo
