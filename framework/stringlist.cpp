#include "stringlist.h"

#include "streams.h"

#include <algorithm>

namespace tarnivo {

namespace {

char LowerChar(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char UpperChar(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Calls emit(line) for each line of text by the CR / LF / CR LF rule.
template <class Emit>
void SplitLines(std::string_view text, Emit emit)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n')
            ++pos;
        emit(text.substr(start, pos - start));
        if (pos < text.size() && text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
    }
}

} // namespace

std::string LowerCase(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = LowerChar(c);
    return result;
}

std::string UpperCase(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = UpperChar(c);
    return result;
}

bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerChar(a[i]) != LowerChar(b[i]))
            return false;
    return true;
}

void TStringList::CheckIndex(int index, int limit) const
{
    if (index < 0 || index >= limit)
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

bool TStringList::Same(std::string_view a, std::string_view b) const
{
    return caseSensitive_ ? a == b : SameText(a, b);
}

const std::string& TStringList::Strings(int index) const
{
    CheckIndex(index, Count());
    return items_[static_cast<std::size_t>(index)].text;
}

void TStringList::SetString(int index, const std::string& text)
{
    CheckIndex(index, Count());
    items_[static_cast<std::size_t>(index)].text = text;
}

std::intptr_t TStringList::Objects(int index) const
{
    CheckIndex(index, Count());
    return items_[static_cast<std::size_t>(index)].object;
}

void TStringList::SetObject(int index, std::intptr_t object)
{
    CheckIndex(index, Count());
    items_[static_cast<std::size_t>(index)].object = object;
}

int TStringList::AddObject(const std::string& text, std::intptr_t object)
{
    items_.push_back(Item{text, object});
    return Count() - 1;
}

void TStringList::InsertObject(int index, const std::string& text, std::intptr_t object)
{
    CheckIndex(index, Count() + 1);
    items_.insert(items_.begin() + index, Item{text, object});
}

void TStringList::Delete(int index)
{
    CheckIndex(index, Count());
    items_.erase(items_.begin() + index);
}

void TStringList::Assign(const TStringList& source)
{
    if (&source == this)
        return;
    items_ = source.items_;
}

int TStringList::IndexOf(std::string_view text) const
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (Same(items_[i].text, text))
            return static_cast<int>(i);
    return -1;
}

std::string TStringList::Text() const
{
    std::size_t length = 0;
    for (const Item& item : items_)
        length += item.text.size() + 2;
    std::string text;
    text.reserve(length);
    for (const Item& item : items_) {
        text += item.text;
        text += "\r\n";
    }
    return text;
}

void TStringList::SetText(std::string_view text)
{
    std::vector<Item> lines;
    lines.reserve(LineCount(text));
    SplitLines(text, [&](std::string_view line) { lines.push_back(Item{std::string(line), 0}); });
    items_.swap(lines);
}

std::size_t TStringList::LineCount(std::string_view text)
{
    std::size_t count = 0;
    SplitLines(text, [&](std::string_view) { ++count; });
    return count;
}

std::string TStringList::Names(int index) const
{
    const std::string& line = Strings(index);
    const std::size_t equals = line.find('=');
    return equals == std::string::npos ? std::string() : line.substr(0, equals);
}

int TStringList::IndexOfName(std::string_view name) const
{
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const std::string& line = items_[i].text;
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && Same(std::string_view(line).substr(0, equals), name))
            return static_cast<int>(i);
    }
    return -1;
}

std::string TStringList::Values(std::string_view name) const
{
    const int index = IndexOfName(name);
    if (index < 0)
        return {};
    const std::string& line = items_[static_cast<std::size_t>(index)].text;
    return line.substr(line.find('=') + 1);
}

void TStringList::SetValue(std::string_view name, const std::string& value)
{
    const int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    const std::string line = std::string(name) + "=" + value;
    if (index >= 0)
        items_[static_cast<std::size_t>(index)].text = line;
    else
        Add(line);
}

void TStringList::LoadFromStream(TStream& stream)
{
    const std::int64_t size = stream.Size() - stream.Position();
    if (size > MaxTextBytes)
        throw EStreamError("Text too large to load (" + std::to_string(size) + " bytes)");
    std::string text(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)), '\0');
    stream.ReadBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    SetText(text);
}

void TStringList::SaveToStream(TStream& stream) const
{
    const std::string text = Text();
    stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

void TStringList::LoadFromFile(const std::string& fileName)
{
    TFileStream file(fileName, TFileMode::fmOpenRead);
    LoadFromStream(file);
}

void TStringList::SaveToFile(const std::string& fileName) const
{
    TFileStream file(fileName, TFileMode::fmCreate);
    SaveToStream(file);
}

} // namespace tarnivo
