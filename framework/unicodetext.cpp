#include "unicodetext.h"

#include <cstdint>

namespace tarnivo {

namespace {

constexpr char32_t Replacement = 0xFFFD;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }
bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Decodes one code point at `at` and moves past it. A malformed sequence
// consumes its longest valid-looking prefix (at least one byte) and answers
// U+FFFD, so that the byte after it is read afresh.
char32_t DecodeUtf8(std::string_view text, std::size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    int tail = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        tail = 1; c = lead & 0x1F; least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        tail = 2; c = lead & 0x0F; least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        tail = 3; c = lead & 0x07; least = 0x10000;
    } else {
        return Replacement;
    }
    for (int k = 0; k < tail; ++k) {
        if (at >= text.size())
            return Replacement;
        const auto next = static_cast<unsigned char>(text[at]);
        if ((next & 0xC0) != 0x80)
            return Replacement;
        c = (c << 6) | (next & 0x3F);
        // Overlong forms, surrogates and values past U+10FFFF show in the
        // first continuation byte: the lead alone is then the bad sequence
        // and that byte is read afresh.
        if (k == 0) {
            const char32_t shift = 6 * static_cast<char32_t>(tail - 1);
            const char32_t low = c << shift;
            const char32_t high = low | ((char32_t{1} << shift) - 1);
            if (high < least || low > 0x10FFFF || (low >= 0xD800 && high <= 0xDFFF))
                return Replacement;
        }
        ++at;
    }
    return c;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c > 0x10FFFF || IsSurrogate(c))
        c = Replacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// wchar_t is 16 bits on Windows and 32 on Linux; both hold UTF-16 code units
// here, so that the native build tests the code Windows runs.
void AppendUtf16(std::wstring& out, char32_t c)
{
    if (c > 0x10FFFF || IsSurrogate(c))
        c = Replacement;
    if (c < 0x10000) {
        out += static_cast<wchar_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<wchar_t>(0xD800 | (c >> 10));
        out += static_cast<wchar_t>(0xDC00 | (c & 0x3FF));
    }
}

char32_t DecodeUtf16(std::wstring_view text, std::size_t& at)
{
    const auto unit = static_cast<char32_t>(static_cast<std::uint32_t>(text[at++]));
    if (unit > 0xFFFF)
        return Replacement;  // only where wchar_t is 32 bits wide
    if (IsLowSurrogate(unit))
        return Replacement;
    if (!IsHighSurrogate(unit))
        return unit;
    if (at >= text.size())
        return Replacement;
    const auto next = static_cast<char32_t>(static_cast<std::uint32_t>(text[at]));
    if (!IsLowSurrogate(next))
        return Replacement;
    ++at;
    return 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
}

} // namespace

std::wstring ToWide(std::string_view utf8)
{
    std::wstring out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();)
        AppendUtf16(out, DecodeUtf8(utf8, at));
    return out;
}

std::string ToUtf8(std::wstring_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t at = 0; at < utf16.size();)
        AppendUtf8(out, DecodeUtf16(utf16, at));
    return out;
}

std::u32string ToCodePoints(std::string_view utf8)
{
    std::u32string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();)
        out += DecodeUtf8(utf8, at);
    return out;
}

std::string CodePointsToUtf8(std::u32string_view codePoints)
{
    std::string out;
    out.reserve(codePoints.size());
    for (char32_t c : codePoints)
        AppendUtf8(out, c);
    return out;
}

std::string CodePointToUtf8(char32_t codePoint)
{
    std::string out;
    AppendUtf8(out, codePoint);
    return out;
}

} // namespace tarnivo
