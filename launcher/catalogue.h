#pragma once
// The shortcut catalogue: every program shortcut found at the last scan, in
// discovery order, with the per-entry state of type-to-find. One program-wide
// instance; nothing of it is ever written to disk.

#include <array>
#include <cstdint>
#include <string>

namespace tarnivo {

// One catalogued shortcut.
struct TShortcutCfg {
    // Text is UTF-8 (see framework/unicodetext.h).
    std::string Name;         // file name of the shortcut without ".lnk"
    std::string TargetPath;
    std::string Spare1;
    std::string Arguments;
    std::string IconPath;     // the link's icon location, empty when none
    std::int32_t IconIndex = 0;
    std::string WorkDir;
    std::string Spare2;
    std::uint16_t SpareWord = 0;
    std::int32_t SpareInt = 1;
    std::uint8_t Matched = 0;  // type-to-find: typed characters found in order
    std::string LinkPath;     // the shortcut file itself

    // The link as the shell gave it, in UTF-16: the launch and the icon read
    // use these, exact even where a name holds an unpaired surrogate.
    std::wstring WideLinkPath;   // what a launch opens
    std::wstring WideArguments;
    std::wstring WideWorkDir;
    std::wstring WideIconFile;   // the icon location, or the target when none
};

struct TCatalogue {
    static constexpr int Capacity = 1000;

    std::array<TShortcutCfg, Capacity> Shortcuts;
    std::int32_t ShortcutCount = 0;
    // Type-to-find: where in the upper-cased name the latest typed character
    // of each entry was matched (1-based; 0 after a reset).
    std::array<std::int32_t, Capacity> LastMatchPos{};

    bool Full() const { return ShortcutCount >= Capacity; }
    // Appends an entry; false (and nothing stored) once the catalogue is full.
    bool Append(const TShortcutCfg& entry);
};

// The program's one catalogue.
TCatalogue& Catalogue();

} // namespace tarnivo
