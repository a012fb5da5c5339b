#include "skinfolder.h"

#include "bmpfile.h"
#include "fileio.h"
#include "skinbuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace tarnivo::skingen::test {

namespace {

std::string trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
    return s;
}

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

SkinFolder write_and_read(const SkinPalette& p)
{
    SkinFolder folder;
    folder.path = std::filesystem::path(::testing::TempDir()) / ("skingen_" + p.folder);
    std::filesystem::remove_all(folder.path);
    write_skin(build_skin(p), p, folder.path);
    const auto ini = read_file(folder.path / (p.folder + ".ini"), kMaxInputFileBytes);
    folder.ini = parse_ini(std::string(ini.begin(), ini.end()));
    for (const auto& item : std::filesystem::directory_iterator(folder.path)) {
        if (item.path().extension() == ".bmp")
            folder.bitmaps.insert(item.path().filename().string());
    }
    return folder;
}

} // namespace

bool IniFile::has(const std::string& section) const { return sections.count(upper(section)) > 0; }

std::string IniFile::get(const std::string& section, const std::string& key) const
{
    const auto s = sections.find(upper(section));
    if (s == sections.end())
        return {};
    const auto k = s->second.find(lower(key));
    return k == s->second.end() ? std::string{} : k->second;
}

int IniFile::get_int(const std::string& section, const std::string& key, int fallback) const
{
    const std::string v = get(section, key);
    return v.empty() ? fallback : std::stoi(v);
}

IniFile parse_ini(const std::string& text)
{
    IniFile ini;
    std::string current;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            current = upper(line.substr(1, line.size() - 2));
            ini.order.push_back(current);
            ini.sections[current];
            continue;
        }
        const auto eq = line.find('=');
        if (eq != std::string::npos)
            ini.sections[current].emplace(lower(trim(line.substr(0, eq))), trim(line.substr(eq + 1)));
    }
    return ini;
}

Bitmap SkinFolder::image(const std::string& name) const
{
    return decode_bmp(read_file(path / name, kMaxInputFileBytes));
}

const SkinFolder& slate_folder()
{
    static const SkinFolder folder = write_and_read(slate_palette());
    return folder;
}

const SkinFolder& paper_folder()
{
    static const SkinFolder folder = write_and_read(paper_palette());
    return folder;
}

} // namespace tarnivo::skingen::test
