#include "skinoutput.h"

#include <algorithm>
#include <cassert>

namespace tarnivo::skingen {

IniSection& IniSection::set(const std::string& key, const std::string& value)
{
    for (Line& line : lines_) {
        if (!line.comment && line.key == key) {
            line.value = value;
            return *this;
        }
    }
    lines_.push_back({false, key, value});
    return *this;
}

IniSection& IniSection::set_colour(const std::string& key, Rgb c)
{
    return set(key, std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b));
}

IniSection& IniSection::note(const std::string& text)
{
    lines_.push_back({true, {}, text});
    return *this;
}

std::string IniSection::get(const std::string& key) const
{
    for (const Line& line : lines_) {
        if (!line.comment && line.key == key)
            return line.value;
    }
    return {};
}

std::vector<std::string> IniSection::keys() const
{
    std::vector<std::string> out;
    for (const Line& line : lines_) {
        if (!line.comment)
            out.push_back(line.key);
    }
    return out;
}

std::string IniSection::text() const
{
    std::string out = "[" + name_ + "]\r\n";
    for (const Line& line : lines_)
        out += line.comment ? "; " + line.value + "\r\n" : line.key + "=" + line.value + "\r\n";
    return out;
}

IniSection& IniDocument::section(const std::string& name)
{
    auto it = std::find_if(sections_.begin(), sections_.end(), [&](const IniSection& s) { return s.name() == name; });
    if (it != sections_.end())
        return *it;
    return sections_.emplace_back(name);
}

const IniSection* IniDocument::find(const std::string& name) const
{
    auto it = std::find_if(sections_.begin(), sections_.end(), [&](const IniSection& s) { return s.name() == name; });
    return it == sections_.end() ? nullptr : &*it;
}

std::string IniDocument::text() const
{
    std::string out;
    for (const std::string& line : header_)
        out += "; " + line + "\r\n";
    for (const IniSection& section : sections_) {
        if (!out.empty())
            out += "\r\n";
        out += section.text();
    }
    return out;
}

std::string SkinOutput::add_image(const std::string& name, Bitmap image)
{
    assert(std::none_of(images.begin(), images.end(), [&](const SkinImage& i) { return i.name == name; }));
    images.push_back({name, std::move(image)});
    return name;
}

} // namespace tarnivo::skingen
