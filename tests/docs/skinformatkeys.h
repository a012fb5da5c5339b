#pragma once
// The keys docs/skin-format.md describes: the first cell, in backticks, of
// each row of a table whose header's first cell is "key". Shared by the tests
// that hold the reference against the loader and against `skintool new`.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tarnivo::test {

inline std::string ReadText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string TrimCell(const std::string& cell)
{
    const auto first = cell.find_first_not_of(' ');
    const auto last = cell.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : cell.substr(first, last - first + 1);
}

// A row whose first cell is not in backticks is answered as
// "(not in backticks) CELL", which no reader reads.
inline std::vector<std::string> DocumentedKeys(const std::string& markdown)
{
    std::vector<std::string> keys;
    std::istringstream lines(markdown);
    std::string line;
    bool inKeyTable = false;
    bool inTable = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] != '|') {
            inTable = inKeyTable = false;
            continue;
        }
        const std::string first = TrimCell(line.substr(1, line.find('|', 1) - 1));
        if (!inTable) {
            inTable = true;
            inKeyTable = first == "key";
            continue;
        }
        if (!inKeyTable || first.rfind("---", 0) == 0 || first.rfind(":--", 0) == 0)
            continue;
        if (first.size() > 2 && first.front() == '`' && first.back() == '`')
            keys.push_back(first.substr(1, first.size() - 2));
        else
            keys.push_back("(not in backticks) " + first);
    }
    return keys;
}

inline std::vector<std::string> ReferenceKeys()
{
    return DocumentedKeys(ReadText(std::filesystem::path(TARNIVO_SOURCE_DIR) / "docs" / "skin-format.md"));
}

} // namespace tarnivo::test
