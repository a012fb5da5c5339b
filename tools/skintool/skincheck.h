#pragma once
// `skintool check`: what a skin file gets wrong, as the skin loader would
// meet it.

#include <filesystem>
#include <string>
#include <vector>

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
std::vector<Finding> CheckSkinFile(const std::filesystem::path& skinFile);

bool HasErrors(const std::vector<Finding>& findings);
std::string SeverityText(Severity severity);

} // namespace tarnivo::skintool
