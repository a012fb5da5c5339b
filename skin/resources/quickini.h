#pragma once
// TQuickIni: an INI text held in memory as its significant lines plus an
// index from section header to line number, for the skin loader's many
// lookups. Reads plain and LZH-compressed INI files; writes for tools.
// Platform-free: no Windows header.

#include "framework/object.h"
#include "framework/stringlist.h"
#include "lzh.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnivo {

class TStream;

class TQuickIni : public TObject {
public:
    // INI text above this size is refused rather than loaded.
    static constexpr std::int64_t MaxTextBytes = 64 * 1024 * 1024;

    std::string ClassName() const override { return "TQuickIni"; }

    // Kept for the caller; the store itself never reads it.
    std::string FileName;

    // Loading replaces the whole content; on an exception nothing changes.
    // A null stream does nothing. Text over MaxTextBytes raises EStreamError.
    void LoadFromStream(TStream* stream);
    void LoadFromFile(const std::string& fileName);
    // An LZH block around INI text; a malformed block raises EStreamError.
    void LoadFromZip(const std::string& fileName);
    // Takes the lines as they are (no trimming, comments kept).
    void SetIniFile(const TStringList& strings);
    void RebuildSections();
    void Clear();

    std::string ReadString(std::string_view section, std::string_view key, const std::string& defaultValue) const;
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
    void ReadSections(TStringList& strings) const;
    void ReadSection(std::string_view section, TStringList& strings) const;
    void ReadSectionValues(std::string_view section, TStringList& strings) const;

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void DeleteKey(std::string_view section, std::string_view key);
    void EraseSection(std::string_view section);

    void SaveToStream(TStream& stream) const;
    void SaveToFile(const std::string& fileName) const;
    void SavetoZip(const std::string& fileName) const;

    // LZH block packing of a whole stream and its inverse; both position
    // their streams at 0 first. Decompress writes nothing unless Ok.
    static void Compress(TStream& source, TStream& destination);
    static BlockStatus Decompress(TStream& source, TStream& destination);

    // Line syntax: the name is the text before the first "=", trimmed and
    // lower-cased; the value the trimmed text after it.
    static std::string GetName(std::string_view line);
    // The text without the blanks (every byte 32 and below) at either end.
    static std::string_view Trim(std::string_view text);
    static std::string GetValue(std::string_view line);
    static bool IsSection(std::string_view line);
    // Line number of the first header '[' + section + ']' (any letter case), or -1.
    int GetSectionIndex(std::string_view section) const;

    const TStringList& Lines() const { return lines_; }
    const TStringList& Sections() const { return sections_; }

private:
    // First line after the section starting at header: the next header or the end.
    int SectionEnd(int header) const;
    // Line of the first key in the section whose name is lowerKey, or -1.
    int FindKey(int header, std::string_view lowerKey) const;
    // Keeps each index entry equal to its header's line after lines at or
    // after `from` moved by delta.
    void ShiftSections(int from, int delta);

    TStringList lines_;
    TStringList sections_;
};

// Delphi's StrToIntDef rules as the INI reader needs them: optional sign,
// decimal digits or "$" and hexadecimal digits (up to 32 bits, wrapping).
bool TryStrToInt(std::string_view text, std::int32_t& value);

} // namespace tarnivo
