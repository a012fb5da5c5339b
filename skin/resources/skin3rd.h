#pragma once
// The Skin3rd map: which skin type a control of another library's class gets.
// Lines of the form ClassName=skintype; class names compare without regard to
// letter case.

#include <string>
#include <string_view>

namespace tarnivo {

class TStringList;

// Replaces `map` with the 117 built-in rows, in their order.
void DefaultSkin3rd(TStringList& map);

// The skin type of the first row whose class name is `className` (letter case
// ignored): the text after the row's first "=", at most 50 characters. Empty
// when no row names the class.
std::string FindSkin3rd(const TStringList& map, std::string_view className);

} // namespace tarnivo
