#pragma once
// `skintool check`: what a skin file gets wrong, as the skin loader would
// meet it.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarnivo {
class TMemoryStream;
}

namespace tarnivo::skintool {

enum class Severity { Info, Warning, Error };

struct Finding {
    Severity severity;
    std::string text;
};

// Checks the version and entry table, the INI entry, every image the INI
// names (present, a readable BMP, its frames dividing its width or height)
// and reports sections the loader does not read. Never throws for a bad
// skin; an unreadable one is an Error finding.
// Findings about the INI name the line and key they are about ("line 12:
// [Buttons] Bitmap=...").
std::vector<Finding> CheckSkinFile(const std::filesystem::path& skinFile);
// The same for skin file bytes in memory (a folder packed for the preview).
std::vector<Finding> CheckSkinStream(TMemoryStream& skin);

// The 1-based line of `key` in `section` of INI text, or of the section's
// header when `key` is empty; -1 when the text has no such line.
int IniLineOf(std::string_view text, std::string_view section, std::string_view key);

bool HasErrors(const std::vector<Finding>& findings);
std::string SeverityText(Severity severity);

} // namespace tarnivo::skintool
