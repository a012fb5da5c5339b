#include "skincheck.h"

#include "framework/bmpfile.h"
#include "framework/streams.h"
#include "framework/stringlist.h"
#include "skin/resources/quickini.h"
#include "skin/resources/skinimages.h"
#include "skin/resources/skinreader.h"
#include "vocabulary.h"

#include <map>
#include <set>

namespace tarnivo::skintool {

namespace {

std::string LinePrefix(int line)
{
    return line > 0 ? "line " + std::to_string(line) + ": " : std::string();
}

class Checker {
public:
    explicit Checker(std::vector<Finding>& findings) : findings_(findings) {}

    void Run(const std::filesystem::path& skinFile)
    {
        if (!reader_.loadfromfile(skinFile.string())) {
            Report(Severity::Error, "cannot read skin: " + reader_.LastError());
            return;
        }
        RunLoaded();
    }

    void Run(TMemoryStream& skin)
    {
        if (!reader_.Loadfromstream(skin)) {
            Report(Severity::Error, "cannot read skin: " + reader_.LastError());
            return;
        }
        RunLoaded();
    }

private:
    void RunLoaded()
    {
        Report(Severity::Info, "version " + std::to_string(reader_.Header()[0]) + ", " +
                                   std::to_string(reader_.EntryCount()) + " entries");
        CheckEntries();
        if (!LoadIni())
            return;
        CheckSections();
        CheckImages();
        CheckImageBudget();
        CheckDrawn200();
    }

    void Report(Severity severity, std::string text) { findings_.push_back({severity, std::move(text)}); }

    // Duplicates, and every bitmap entry decoded as the engine decodes it, so
    // that a bitmap the check passes is one the engine shows. One at a time,
    // and only those a skin could hold: an entry whose decoded pixels alone
    // exceed a skin's image budget is reported from its headers.
    void CheckEntries()
    {
        std::set<std::string> seen;
        for (int i = 0; i < reader_.EntryCount(); ++i) {
            const std::string& name = reader_.EntryNames()[i];
            if (!seen.insert(name).second) {
                Report(Severity::Warning, "entry \"" + name + "\" appears twice; only the first is used");
                continue;
            }
            if (name.size() < 4 || name.compare(name.size() - 4, 4, ".bmp") != 0)
                continue;
            const std::span<const std::uint8_t> bytes = reader_.EntryBytes(name);
            std::string error;
            std::optional<bmp::Layout> layout = bmp::ReadLayout(bytes, bmp::Source::File, &error);
            if (layout && bmp::DecodedBytes(*layout) > SkinImageBudgetBytes) {
                Report(Severity::Error, "entry \"" + name + "\": " + std::to_string(layout->width) + " x " +
                                            std::to_string(layout->height) +
                                            " pixels are more than a skin's images may take in all");
                continue;
            }
            std::optional<bmp::Image> image;
            if (layout)
                image = bmp::Decode(bytes, bmp::Source::File, &error);
            if (image)
                bitmaps_[name] = BitmapSize{image->width, image->height};
            else
                Report(Severity::Error, "entry \"" + name + "\": " + error);
        }
    }

    // The images as the loader takes them, each use charged to the skin's
    // budget: a skin the engine would refuse is an error here.
    void CheckImageBudget()
    {
        TSkinImages images(reader_);
        try {
            for (const ImageUse& use : ImageUses(ini_)) {
                const std::string entry = SkinImageEntryName(ini_.ReadString(use.section, use.key, ""));
                if (!entry.empty())
                    images.Use(entry);
            }
        } catch (const ESkinRefused& e) {
            Report(Severity::Error, "the engine refuses this skin: " + std::string(e.what()));
        }
    }

    // Pictures drawn for 200 %: "name@200.bmp" stands in for "name.bmp" at
    // 200 % only when it is exactly twice its size; otherwise the engine
    // scales "name.bmp" and the entry is dead weight.
    void CheckDrawn200()
    {
        const std::string suffix = "@200.bmp";
        for (const auto& [name, size] : bitmaps_) {
            if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
                continue;
            const std::string base = name.substr(0, name.size() - suffix.size()) + ".bmp";
            const auto found = bitmaps_.find(base);
            if (found == bitmaps_.end()) {
                Report(Severity::Warning, "entry \"" + name + "\": no readable \"" + base +
                                              "\" beside it, so it is never used");
                continue;
            }
            const BitmapSize& small = found->second;
            if (size.width != 2 * small.width || size.height != 2 * small.height)
                Report(Severity::Warning, "entry \"" + name + "\": " + std::to_string(size.width) + " x " +
                                              std::to_string(size.height) + " pixels, not twice \"" + base +
                                              "\" (" + std::to_string(small.width) + " x " +
                                              std::to_string(small.height) + "); it is not used");
        }
    }

    bool LoadIni()
    {
        TMemoryStream text;
        const std::string name = reader_.readIni(".ini", text);
        if (name.empty()) {
            Report(Severity::Error, "no INI entry (no name contains \".ini\")");
            return false;
        }
        iniText_.assign(reinterpret_cast<const char*>(text.Memory()), static_cast<std::size_t>(text.Size()));
        try {
            ini_.LoadFromStream(&text);
        } catch (const Exception& e) {
            Report(Severity::Error, "INI entry \"" + name + "\": " + e.Message());
            return false;
        }
        Report(Severity::Info, "INI entry \"" + name + "\", " + std::to_string(ini_.Sections().Count()) + " sections");
        return true;
    }

    void CheckSections()
    {
        TStringList sections;
        ini_.ReadSections(sections);
        for (int i = 0; i < sections.Count(); ++i)
            if (!IsKnownSection(sections[i]))
                Report(Severity::Warning,
                       LinePrefix(IniLineOf(iniText_, sections[i], "")) + "unknown section [" + sections[i] + "]");
    }

    void CheckImages()
    {
        std::set<std::pair<std::string, std::string>> checked;
        for (const ImageUse& use : ImageUses(ini_)) {
            checked.insert({LowerCase(use.section), LowerCase(use.key)});
            CheckImage(use.section, use.key, use.frames);
        }
        // Any other value naming a bitmap is probably meant as an image too.
        TStringList sections, values;
        ini_.ReadSections(sections);
        for (int i = 0; i < sections.Count(); ++i) {
            ini_.ReadSectionValues(sections[i], values);
            for (int k = 0; k < values.Count(); ++k) {
                const std::string key = TQuickIni::GetName(values[k]);
                const std::string value = LowerCase(TQuickIni::GetValue(values[k]));
                const bool namesBitmap = value.size() >= 4 && value.compare(value.size() - 4, 4, ".bmp") == 0;
                if (namesBitmap && checked.insert({LowerCase(sections[i]), key}).second)
                    CheckImage(sections[i], key, std::nullopt);
            }
        }
    }

    void CheckImage(const std::string& section, const std::string& key, std::optional<int> frames)
    {
        const std::string value = ini_.ReadString(section, key, "");
        const std::string where =
            LinePrefix(IniLineOf(iniText_, section, key)) + "[" + section + "] " + key + "=" + value;
        const std::string entry = SkinImageEntryName(value);
        if (entry.empty()) {
            Report(Severity::Warning, where + ": not a \".bmp\" name (lower-case extension); the image stays empty");
            return;
        }
        const std::string stored = LowerCase(entry);
        if (reader_.EntryNames().IndexOf(stored) < 0) {
            Report(Severity::Error, where + ": no entry \"" + stored + "\" in the archive");
            return;
        }
        const auto bitmap = bitmaps_.find(stored);
        if (bitmap == bitmaps_.end() || !frames || *frames <= 1)
            return;  // an unreadable bitmap is reported once, with its entry
        const BitmapSize& size = bitmap->second;
        if (size.width % *frames != 0 && size.height % *frames != 0)
            Report(Severity::Error, where + ": " + std::to_string(size.width) + " x " + std::to_string(size.height) +
                                        " pixels cannot hold " + std::to_string(*frames) + " equal frames");
    }

    std::vector<Finding>& findings_;
    TSkinReader reader_;
    TQuickIni ini_;
    std::string iniText_;  // as written, for the line numbers of findings
    struct BitmapSize {
        int width = 0;
        int height = 0;
    };
    std::map<std::string, BitmapSize> bitmaps_;
};

} // namespace

std::vector<Finding> CheckSkinFile(const std::filesystem::path& skinFile)
{
    std::vector<Finding> findings;
    Checker(findings).Run(skinFile);
    return findings;
}

std::vector<Finding> CheckSkinStream(TMemoryStream& skin)
{
    std::vector<Finding> findings;
    Checker(findings).Run(skin);
    return findings;
}

int IniLineOf(std::string_view text, std::string_view section, std::string_view key)
{
    // Walks the lines as the INI store splits them (CR, LF or CR LF; a NUL
    // ends the text): the first header of that name in any letter case, then
    // the first line in that section whose name is the key.
    const std::string lowerKey = LowerCase(std::string(key));
    bool inSection = false;
    int number = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n' && text[pos] != '\0')
            ++pos;
        const std::string_view line = TQuickIni::Trim(text.substr(start, pos - start));
        ++number;
        if (TQuickIni::IsSection(line)) {
            if (inSection)
                return -1;
            inSection = line.size() == section.size() + 2 && SameText(line.substr(1, section.size()), section);
            if (inSection && key.empty())
                return number;
        } else if (inSection && !key.empty() && !line.empty() && line.front() != ';' &&
                   TQuickIni::GetName(line) == lowerKey) {
            return number;
        }
        if (pos < text.size() && text[pos] == '\0')
            break;
        if (pos < text.size() && text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    return -1;
}

bool HasErrors(const std::vector<Finding>& findings)
{
    for (const Finding& finding : findings)
        if (finding.severity == Severity::Error)
            return true;
    return false;
}

std::string SeverityText(Severity severity)
{
    switch (severity) {
    case Severity::Info: return "info";
    case Severity::Warning: return "warning";
    case Severity::Error: return "error";
    }
    return "?";
}

} // namespace tarnivo::skintool
