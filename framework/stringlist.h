#pragma once
// TStringList: lines of text, each with an attached integer ("object").
// Platform-free: no Windows header.

#include "object.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnivo {

class TStream;

// Raised on an index outside the list.
class EStringListError : public Exception {
public:
    using Exception::Exception;
};

class TStringList : public TObject {
public:
    // The most text LoadFromStream/LoadFromFile accept; more is refused with
    // EStreamError rather than allocated.
    static constexpr std::int64_t MaxTextBytes = 64 * 1024 * 1024;

    TStringList() = default;
    std::string ClassName() const override { return "TStringList"; }

    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& operator[](int index) const { return Strings(index); }
    const std::string& Strings(int index) const;
    void SetString(int index, const std::string& text);
    std::intptr_t Objects(int index) const;
    void SetObject(int index, std::intptr_t object);

    int Add(const std::string& text) { return AddObject(text, 0); }
    int AddObject(const std::string& text, std::intptr_t object);
    void Insert(int index, const std::string& text) { InsertObject(index, text, 0); }
    void InsertObject(int index, const std::string& text, std::intptr_t object);
    void Delete(int index);
    void Clear() { items_.clear(); }
    void Assign(const TStringList& source);

    // Lookups compare without regard to ASCII letter case unless
    // CaseSensitive is on; the first match wins; -1 when none.
    int IndexOf(std::string_view text) const;
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value) { caseSensitive_ = value; }

    // Each line followed by CR LF.
    std::string Text() const;
    // CR, LF and CR LF each end a line; a final line end adds no empty line.
    void SetText(std::string_view text);
    // How many lines SetText would make of text, without making them; lets a
    // reader refuse an oversized list before allocating it.
    static std::size_t LineCount(std::string_view text);

    // name=value lines: the name is the text before the first "=".
    std::string Names(int index) const;
    std::string Values(std::string_view name) const;
    // An empty value removes the line; a new name appends a line.
    void SetValue(std::string_view name, const std::string& value);
    int IndexOfName(std::string_view name) const;

    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

private:
    struct Item {
        std::string text;
        std::intptr_t object = 0;
    };

    void CheckIndex(int index, int limit) const;
    bool Same(std::string_view a, std::string_view b) const;

    std::vector<Item> items_;
    bool caseSensitive_ = false;
};

// ASCII-only case helpers shared by the INI store and the skin reader: names
// in skins are compared this way whatever the user's code page. Text is
// UTF-8, whose bytes past 0x7F are never changed, so a multi-byte character
// is compared exactly and never cut (Greek, Cyrillic or accented letters
// match only in the same case; the launcher folds those with the system's
// Unicode tables instead). TStringList's case-insensitive find is this one.
std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);
bool SameText(std::string_view a, std::string_view b);

} // namespace tarnivo
