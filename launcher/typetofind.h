#pragma once
// Type-to-find: the typed text and the two-tier filter of the catalogue.
//
// First tier: names that contain the typed text as one run. Second tier:
// names that contain the typed characters in order with gaps, computed
// incrementally, one new character per key press, from the per-entry state
// (LastMatchPos, Matched) kept between key presses. An entry whose target is
// already listed is not listed again (targets compared as Windows compares
// paths: whole, letter case aside).
//
// Text is UTF-8; matching works on code points with letter case folded by
// the Unicode tables, so that a name in any script is found by its own
// letters typed in either case.

#include "catalogue.h"

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace tarnivo {

class TTypeToFind {
public:
    explicit TTypeToFind(TCatalogue& catalogue) : m_catalogue(catalogue) {}

    // The characters typed since the last reset, UTF-8.
    std::string TypedText;
    // Characters typed in the result list since the last reset: the 1-based
    // position (in code points) in TypedText from which the next filtering
    // run starts.
    std::int32_t KeyPressCount = 0;

    // Empties the typed text and the match positions (not the Matched flags:
    // the first character of the next text sets every flag afresh).
    void ResetTypedText();

    // Rebuilds the result: catalogue indices, first tier then second tier.
    void FilterList();
    // Whether an entry with the same target as entry i is in the result.
    bool IsListed(int i) const;

    // The result list's entries (catalogue indices), in list order.
    const std::vector<int>& Result() const { return m_result; }
    void ClearResult();

private:
    void AddToResult(int i);
    bool MatchesInOrder(int i, const std::u32string& upperName, const std::u32string& typed);
    std::string TargetKey(int i) const;

    TCatalogue& m_catalogue;
    std::vector<int> m_result;
    std::unordered_set<std::string> m_listedTargets;
};

// The program's one type-to-find state.
TTypeToFind& TypeToFind();

} // namespace tarnivo
