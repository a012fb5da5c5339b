#include "typetofind.h"

#include "framework/textcase.h"
#include "framework/unicodetext.h"

namespace tarnivo {

void TTypeToFind::ResetTypedText()
{
    KeyPressCount = 0;
    TypedText.clear();
    for (int i = 0; i < m_catalogue.ShortcutCount; ++i)
        m_catalogue.LastMatchPos[static_cast<std::size_t>(i)] = 0;
}

void TTypeToFind::ClearResult()
{
    m_result.clear();
    m_listedTargets.clear();
}

bool TTypeToFind::IsListed(int i) const
{
    // Same answer as comparing the target with that of every listed item;
    // the set keeps a key press linear in the catalogue size.
    return m_listedTargets.count(TargetKey(i)) != 0;
}

// Two paths that differ only in letter case name one file on Windows.
std::string TTypeToFind::TargetKey(int i) const
{
    return UnicodeUpperCase(m_catalogue.Shortcuts[static_cast<std::size_t>(i)].TargetPath);
}

void TTypeToFind::AddToResult(int i)
{
    m_result.push_back(i);
    m_listedTargets.insert(TargetKey(i));
}

void TTypeToFind::FilterList()
{
    TypedText = UnicodeUpperCase(TypedText);
    ClearResult();

    const std::u32string typed = ToCodePoints(TypedText);
    const int count = m_catalogue.ShortcutCount;
    std::vector<std::u32string> upperNames(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        upperNames[static_cast<std::size_t>(i)] = ToCodePoints(
            UnicodeUpperCase(m_catalogue.Shortcuts[static_cast<std::size_t>(i)].Name));

    // First tier: the typed text as one run.
    for (int i = 0; i < count; ++i)
        if (upperNames[static_cast<std::size_t>(i)].find(typed) != std::u32string::npos &&
            !IsListed(i))
            AddToResult(i);

    // Second tier: the typed characters in order, with gaps.
    for (int i = 0; i < count; ++i)
        if (MatchesInOrder(i, upperNames[static_cast<std::size_t>(i)], typed) && !IsListed(i))
            AddToResult(i);
}

// Runs the new characters (from KeyPressCount on) against one entry and says
// whether the entry is to be listed. An entry listed by an earlier character
// of the same run stays listed even if a later character then fails (the
// caller's IsListed check keeps it from being added twice).
bool TTypeToFind::MatchesInOrder(int i, const std::u32string& upper, const std::u32string& typedText)
{
    TShortcutCfg& entry = m_catalogue.Shortcuts[static_cast<std::size_t>(i)];
    std::int32_t& lastPos = m_catalogue.LastMatchPos[static_cast<std::size_t>(i)];
    const auto length = static_cast<std::int32_t>(upper.size());
    const auto typed = static_cast<std::int32_t>(typedText.size());
    bool listing = false;

    for (std::int32_t j = KeyPressCount; j <= typed; ++j) {
        if (j < 1)
            continue;
        const char32_t c = typedText[static_cast<std::size_t>(j - 1)];
        std::size_t first = upper.find(c);
        if (first == std::u32string::npos) {
            entry.Matched = 0;
            return listing;
        }
        auto p = static_cast<std::int32_t>(first) + 1;
        const std::int32_t m = lastPos;
        if (m >= p) {
            // The leftmost occurrence after the previous match, if any.
            std::size_t after = m < length ? upper.find(c, static_cast<std::size_t>(m))
                                           : std::u32string::npos;
            p = after == std::u32string::npos ? m : static_cast<std::int32_t>(after) + 1;
        }
        if (m < p) {
            if (entry.Matched == 1 || j == 1) {
                listing = true;
                entry.Matched = 1;
                lastPos = p;
            }
        } else {
            lastPos = length;
            entry.Matched = 0;
        }
    }
    return listing;
}

TTypeToFind& TypeToFind()
{
    static TTypeToFind* finder = new TTypeToFind(Catalogue());
    return *finder;
}

} // namespace tarnivo
