// The UTF-8 / UTF-16 codec at the Win32 boundary: well-formed text of every
// length class round-trips, every kind of ill-formed input becomes U+FFFD.

#include "framework/unicodetext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarnivo;

namespace {

// wchar_t holds UTF-16 code units in both builds (see unicodetext.cpp).
std::wstring Units(std::initializer_list<unsigned> units)
{
    std::wstring out;
    for (unsigned u : units)
        out += static_cast<wchar_t>(u);
    return out;
}

struct WellFormed {
    const char* Utf8;
    std::wstring Utf16;
};

TEST(UnicodeText, WellFormedTextRoundTripsBothWays)
{
    const std::vector<WellFormed> table = {
        {"", Units({})},
        {"Notepad", Units({'N', 'o', 't', 'e', 'p', 'a', 'd'})},
        {"Caf\xC3\xA9", Units({'C', 'a', 'f', 0xE9})},                         // two bytes
        {"\xCE\x96\xCF\x89\xCE\xAE", Units({0x396, 0x3C9, 0x3AE})},            // Greek
        {"\xD0\x9F\xD1\x80", Units({0x41F, 0x440})},                           // Cyrillic
        {"\xE6\x97\xA5\xE6\x9C\xAC", Units({0x65E5, 0x672C})},                 // three bytes
        {"\xF0\x9F\x98\x80", Units({0xD83D, 0xDE00})},                         // a pair
        {"\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF",
         Units({0x7F, 0x80, 0x7FF, 0x800, 0xFFFF, 0xD800, 0xDC00, 0xDBFF, 0xDFFF})},  // bounds
        {"\xED\x9F\xBF\xEE\x80\x80", Units({0xD7FF, 0xE000})},                 // around surrogates
    };
    for (const WellFormed& row : table) {
        SCOPED_TRACE(row.Utf8);
        EXPECT_EQ(ToWide(row.Utf8), row.Utf16);
        EXPECT_EQ(ToUtf8(row.Utf16), row.Utf8);
    }
    // An embedded NUL is a character like any other.
    EXPECT_EQ(ToWide(std::string("a\0b", 3)), Units({'a', 0, 'b'}));
    EXPECT_EQ(ToUtf8(Units({'a', 0, 'b'})), std::string("a\0b", 3));
}

struct IllFormed {
    std::string Utf8;
    std::wstring Expected;
};

TEST(UnicodeText, IllFormedUtf8BecomesReplacementCharacters)
{
    const wchar_t R = 0xFFFD;
    const std::vector<IllFormed> table = {
        {"\x80", {R}},                                   // continuation alone
        {"a\xBF" "b", {'a', R, 'b'}},
        {"\xC0\xAF", {R, R}},                            // overlong '/'
        {"\xC1\xBF", {R, R}},
        {"\xE0\x80\xAF", {R, R, R}},                     // overlong, three bytes
        {"\xF0\x80\x80\xAF", {R, R, R, R}},              // overlong, four bytes
        {"\xED\xA0\x80", {R, R, R}},                     // an encoded surrogate
        {"\xF4\x90\x80\x80", {R, R, R, R}},              // past U+10FFFF
        {"\xF5\x80", {R, R}},
        {"\xFF\xFE", {R, R}},
        {"\xC3", {R}},                                   // cut short at the end
        {"\xE6\x97", {R}},
        {"\xF0\x9F\x98", {R}},
        {"\xE6\x97" "a", {R, 'a'}},                      // cut short by ASCII
        {"\xC3\xC3\xA9", {R, 0xE9}},                     // a lead restarts
    };
    for (const IllFormed& row : table) {
        SCOPED_TRACE(::testing::PrintToString(row.Utf8));
        EXPECT_EQ(ToWide(row.Utf8), row.Expected);
        EXPECT_EQ(ToCodePoints(row.Utf8).size(), row.Expected.size());
    }
}

TEST(UnicodeText, LoneSurrogatesFromWindowsBecomeReplacementCharacters)
{
    const std::string R = "\xEF\xBF\xBD";
    EXPECT_EQ(ToUtf8(Units({0xD800})), R);                         // high at the end
    EXPECT_EQ(ToUtf8(Units({0xD800, 'x'})), R + "x");              // high, no low
    EXPECT_EQ(ToUtf8(Units({0xDC00, 'x'})), R + "x");              // low alone
    EXPECT_EQ(ToUtf8(Units({0xD800, 0xD800, 0xDC00})), R + "\xF0\x90\x80\x80");
    EXPECT_EQ(ToUtf8(Units({0xDC00, 0xD800})), R + R);             // reversed pair
}

TEST(UnicodeText, CodePointsAndBack)
{
    EXPECT_EQ(ToCodePoints("Z\xCF\x89\xF0\x9F\x98\x80"), (std::u32string{U'Z', 0x3C9, 0x1F600}));
    EXPECT_EQ(CodePointsToUtf8(std::u32string{U'Z', 0x3C9, 0x1F600}), "Z\xCF\x89\xF0\x9F\x98\x80");
    EXPECT_EQ(CodePointToUtf8(0x65E5), "\xE6\x97\xA5");
    EXPECT_EQ(CodePointToUtf8(0xD800), "\xEF\xBF\xBD");
    EXPECT_EQ(CodePointToUtf8(0x110000), "\xEF\xBF\xBD");
}

} // namespace
