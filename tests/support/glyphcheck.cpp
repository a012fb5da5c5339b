#include "glyphcheck.h"

#include "framework/gdiobjects.h"

#include <cstdint>
#include <cwctype>
#include <optional>
#include <vector>

namespace tarnivo::test {

namespace {

constexpr int kSide = 64;
using Pixels = std::vector<std::uint32_t>;

// One character at a time drawn black on white at a fixed place in a 32-bit
// DIB section. The DC's own objects are its only ones: no canvas selects a
// font of its own behind our back.
class CharacterImage {
public:
    explicit CharacterImage(HFONT font) : m_dc(MemoryDC::CompatibleWith(nullptr))
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kSide;
        info.bmiHeader.biHeight = -kSide;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap.Reset(CreateDIBSection(m_dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_bits = static_cast<const std::uint32_t*>(bits);
        if (!m_bitmap)
            return;
        m_selectedBitmap.emplace(m_dc.Get(), m_bitmap.Get());
        m_selectedFont.emplace(m_dc.Get(), font);
        TEXTMETRICW metrics{};
        if (GetTextMetricsW(m_dc.Get(), &metrics))
            m_lineHeight = metrics.tmHeight;
        SetBkMode(m_dc.Get(), TRANSPARENT);
        SetTextColor(m_dc.Get(), RGB(0, 0, 0));
    }

    // A CJK glyph is about a square of the line height: it must fit with
    // the margin before it.
    bool Usable() const { return m_bits && m_lineHeight > 0 && 2 * m_lineHeight <= kSide; }

    Pixels Draw(wchar_t c) const
    {
        RECT all{0, 0, kSide, kSide};
        FillRect(m_dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        TextOutW(m_dc.Get(), m_lineHeight / 2, m_lineHeight / 2, &c, 1);
        GdiFlush();
        return Pixels(m_bits, m_bits + kSide * kSide);
    }

private:
    MemoryDC m_dc;
    GdiBitmap m_bitmap;
    const std::uint32_t* m_bits = nullptr;
    std::optional<SelectedObject> m_selectedBitmap;
    std::optional<SelectedObject> m_selectedFont;
    int m_lineHeight = 0;
};

bool Blank(const Pixels& pixels)
{
    for (std::uint32_t p : pixels)
        if ((p & 0xFFFFFF) != 0xFFFFFF)
            return false;
    return true;
}

} // namespace

std::wstring CharactersWithoutGlyphs(HFONT font, std::wstring_view text)
{
    const CharacterImage image(font);
    if (!image.Usable())
        return std::wstring(text);
    const Pixels missing = image.Draw(L'\uFFFF');
    const Pixels question = image.Draw(L'?');
    std::wstring without;
    for (wchar_t c : text) {
        if (std::iswspace(c))
            continue;
        const Pixels drawn = image.Draw(c);
        if (drawn == missing || drawn == question || Blank(drawn))
            without += c;
    }
    return without;
}

} // namespace tarnivo::test
