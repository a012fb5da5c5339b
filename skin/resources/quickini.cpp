#include "quickini.h"

#include "framework/streams.h"

#include <algorithm>
#include <limits>

namespace tarnivo {

namespace {

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view NameOf(std::string_view line)
{
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string_view() : TQuickIni::Trim(line.substr(0, equals));
}

// GetName(line) == lowerKey without building the name.
bool NameIs(std::string_view line, std::string_view lowerKey)
{
    const std::string_view name = NameOf(line);
    if (name.size() != lowerKey.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (Lower(name[i]) != lowerKey[i])
            return false;
    return true;
}

// '[' + section + ']' compared without regard to letter case.
bool HeaderIs(std::string_view header, std::string_view section)
{
    return header.size() == section.size() + 2 && header.front() == '[' && header.back() == ']' &&
           SameText(header.substr(1, section.size()), section);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string_view TQuickIni::Trim(std::string_view text)
{
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool TryStrToInt(std::string_view text, std::int32_t& value)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const bool hex = !text.empty() && text.front() == '$';
    if (hex)
        text.remove_prefix(1);
    if (text.empty())
        return false;
    std::uint64_t magnitude = 0;
    for (const char c : text) {
        const int digit = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0)
            return false;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
        if (magnitude > 0xFFFFFFFFull)
            return false;
    }
    if (hex) {
        // "$FFFFFFFF" is -1, as Delphi reads hexadecimal into 32 bits.
        const auto bits = static_cast<std::uint32_t>(magnitude);
        value = static_cast<std::int32_t>(negative ? 0u - bits : bits);
        return true;
    }
    const std::uint64_t limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
    if (magnitude > limit)
        return false;
    value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                     : static_cast<std::int32_t>(magnitude);
    return true;
}

// ---- line syntax -------------------------------------------------------------

std::string TQuickIni::GetName(std::string_view line)
{
    return LowerCase(NameOf(line));
}

std::string TQuickIni::GetValue(std::string_view line)
{
    const std::size_t equals = line.find('=');
    return equals == std::string_view::npos ? std::string() : std::string(Trim(line.substr(equals + 1)));
}

bool TQuickIni::IsSection(std::string_view line)
{
    return !line.empty() && line.front() == '[' && line.back() == ']';
}

// ---- loading -----------------------------------------------------------------

void TQuickIni::LoadFromStream(TStream* stream)
{
    if (!stream)
        return;
    const std::int64_t size = std::max<std::int64_t>(stream->Size() - stream->Position(), 0);
    if (size > MaxTextBytes)
        throw EStreamError("INI text too large (" + std::to_string(size) + " bytes)");
    std::string text(static_cast<std::size_t>(size), '\0');
    stream->ReadBuffer(text.data(), size);

    TStringList lines;
    TStringList sections;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n' && text[pos] != '\0')
            ++pos;
        const std::string_view line = Trim(std::string_view(text).substr(start, pos - start));
        if (!line.empty() && line.front() != ';') {
            const int n = lines.Add(std::string(line));
            if (IsSection(line))
                sections.AddObject(std::string(line), n);
        }
        if (pos < text.size() && text[pos] == '\0')
            break;  // a NUL ends the whole text
        if (pos < text.size() && text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    lines_.Assign(lines);
    sections_.Assign(sections);
}

void TQuickIni::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, TFileMode::fmOpenRead);
    LoadFromStream(&file);
}

void TQuickIni::LoadFromZip(const std::string& fileName)
{
    TFileStream file(fileName, TFileMode::fmOpenRead);
    TMemoryStream text;
    const BlockStatus status = Decompress(file, text);
    if (status != BlockStatus::Ok)
        throw EStreamError("Cannot read compressed INI file \"" + fileName + "\": " + BlockStatusText(status));
    text.SetPosition(0);
    LoadFromStream(&text);
}

void TQuickIni::SetIniFile(const TStringList& strings)
{
    lines_.Assign(strings);
    RebuildSections();
}

void TQuickIni::RebuildSections()
{
    sections_.Clear();
    for (int i = 0; i < lines_.Count(); ++i)
        if (IsSection(lines_[i]))
            sections_.AddObject(std::string(Trim(lines_[i])), i);
}

void TQuickIni::Clear()
{
    lines_.Clear();
    sections_.Clear();
}

// ---- reading -----------------------------------------------------------------

int TQuickIni::GetSectionIndex(std::string_view section) const
{
    for (int i = 0; i < sections_.Count(); ++i)
        if (HeaderIs(sections_[i], section))
            return static_cast<int>(sections_.Objects(i));
    return -1;
}

int TQuickIni::SectionEnd(int header) const
{
    int line = header + 1;
    while (line < lines_.Count() && !IsSection(lines_[line]))
        ++line;
    return line;
}

int TQuickIni::FindKey(int header, std::string_view lowerKey) const
{
    for (int line = header + 1; line < lines_.Count() && !IsSection(lines_[line]); ++line)
        if (NameIs(lines_[line], lowerKey))
            return line;
    return -1;
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  const std::string& defaultValue) const
{
    if (lines_.Count() == 0)
        return defaultValue;
    const int header = GetSectionIndex(section);
    if (header < 0)
        return defaultValue;
    const int line = FindKey(header, LowerCase(key));
    if (line < 0)
        return defaultValue;
    std::string value = GetValue(lines_[line]);
    return value.empty() ? defaultValue : value;
}

std::int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const
{
    std::string text = ReadString(section, key, std::string());
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        text.replace(0, 2, "$");
    std::int32_t value = 0;
    return TryStrToInt(text, value) ? value : defaultValue;
}

bool TQuickIni::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TQuickIni::ReadSections(TStringList& strings) const
{
    strings.Clear();
    for (int i = 0; i < sections_.Count(); ++i) {
        const std::string& header = sections_[i];
        strings.Add(std::string(Trim(std::string_view(header).substr(1, header.size() - 2))));
    }
}

void TQuickIni::ReadSection(std::string_view section, TStringList& strings) const
{
    strings.Clear();
    const int header = GetSectionIndex(section);
    if (header < 0)
        return;
    const int end = SectionEnd(header);
    for (int line = header + 1; line < end; ++line) {
        std::string name = GetName(lines_[line]);
        if (!name.empty())
            strings.Add(name);
    }
}

void TQuickIni::ReadSectionValues(std::string_view section, TStringList& strings) const
{
    strings.Clear();
    const int header = GetSectionIndex(section);
    if (header < 0)
        return;
    const int end = SectionEnd(header);
    for (int line = header + 1; line < end; ++line)
        strings.Add(lines_[line]);
}

// ---- writing -----------------------------------------------------------------

void TQuickIni::ShiftSections(int from, int delta)
{
    for (int i = 0; i < sections_.Count(); ++i)
        if (sections_.Objects(i) >= from)
            sections_.SetObject(i, sections_.Objects(i) + delta);
}

void TQuickIni::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    std::string line(key);
    line += '=';
    line += value;
    const int header = GetSectionIndex(section);
    if (header < 0) {
        std::string title(1, '[');
        title += section;
        title += ']';
        sections_.AddObject(title, lines_.Add(title));
        if (!key.empty())
            lines_.Add(line);
        return;
    }
    if (key.empty())
        return;
    const int existing = FindKey(header, LowerCase(key));
    if (existing >= 0) {
        lines_.SetString(existing, line);
        return;
    }
    const int end = SectionEnd(header);
    ShiftSections(end, 1);
    lines_.Insert(end, line);
}

void TQuickIni::WriteInteger(std::string_view section, std::string_view key, std::int32_t value)
{
    WriteString(section, key, std::to_string(value));
}

void TQuickIni::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TQuickIni::DeleteKey(std::string_view section, std::string_view key)
{
    const int header = GetSectionIndex(section);
    if (header < 0)
        return;
    const int line = FindKey(header, LowerCase(key));
    if (line < 0)
        return;
    lines_.Delete(line);
    ShiftSections(line + 1, -1);
}

void TQuickIni::EraseSection(std::string_view section)
{
    const int header = GetSectionIndex(section);
    if (header < 0)
        return;
    const int end = SectionEnd(header);
    for (int i = 0; i < sections_.Count(); ++i) {
        if (sections_.Objects(i) == header) {
            sections_.Delete(i);
            break;
        }
    }
    for (int line = end - 1; line >= header; --line)
        lines_.Delete(line);
    // A blank line keeps the sections around it apart when saved.
    const bool keepBlank = header > 0;
    if (keepBlank)
        lines_.Insert(header, std::string());
    ShiftSections(end, -(end - header) + (keepBlank ? 1 : 0));
}

// ---- saving ------------------------------------------------------------------

void TQuickIni::SaveToStream(TStream& stream) const
{
    lines_.SaveToStream(stream);
}

void TQuickIni::SaveToFile(const std::string& fileName) const
{
    TFileStream file(fileName, TFileMode::fmCreate);
    SaveToStream(file);
}

void TQuickIni::SavetoZip(const std::string& fileName) const
{
    TMemoryStream text;
    SaveToStream(text);
    TMemoryStream packed;
    Compress(text, packed);
    packed.SaveToFile(fileName);
}

void TQuickIni::Compress(TStream& source, TStream& destination)
{
    PackLzhBlock(source, destination);
}

BlockStatus TQuickIni::Decompress(TStream& source, TStream& destination)
{
    return UnpackLzhBlock(source, destination);
}

} // namespace tarnivo
