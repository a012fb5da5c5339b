// Fuzzes the INI store: any text loads, reads never fail, writes keep every
// index entry on its header line, and saved text reloads to the same lines.

#include "framework/streams.h"
#include "skin/resources/quickini.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace tarnivo;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckIndex(const TQuickIni& ini)
{
    for (int i = 0; i < ini.Sections().Count(); ++i) {
        const auto line = ini.Sections().Objects(i);
        Check(line >= 0 && line < ini.Lines().Count());
        Check(ini.Lines()[static_cast<int>(line)] == ini.Sections()[i]);
    }
}

std::string Text(const TQuickIni& ini)
{
    TMemoryStream stream;
    ini.SaveToStream(stream);
    return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TMemoryStream stream;
    stream.WriteBuffer(data, static_cast<std::int64_t>(size));
    stream.SetPosition(0);
    TQuickIni ini;
    ini.LoadFromStream(&stream);
    CheckIndex(ini);

    TStringList sections;
    ini.ReadSections(sections);
    TStringList names;
    for (int i = 0; i < sections.Count() && i < 8; ++i) {
        ini.ReadSection(sections[i], names);
        for (int k = 0; k < names.Count() && k < 8; ++k) {
            ini.ReadInteger(sections[i], names[k], 0);
            ini.ReadString(sections[i], names[k], "");
        }
    }

    // Reload of the saved text gives the same lines.
    const std::string saved = Text(ini);
    TMemoryStream again;
    again.WriteBuffer(saved.data(), static_cast<std::int64_t>(saved.size()));
    again.SetPosition(0);
    TQuickIni reloaded;
    reloaded.LoadFromStream(&again);
    Check(Text(reloaded) == saved);

    // Writes named by the input's own bytes.
    const std::string input(reinterpret_cast<const char*>(data), size);
    for (std::size_t i = 0; i + 2 < input.size() && i < 64; i += 3) {
        const std::string section = sections.Count() ? sections[static_cast<unsigned char>(input[i]) % sections.Count()]
                                                     : std::string(1, input[i]);
        const std::string key(1, static_cast<char>('a' + static_cast<unsigned char>(input[i + 1]) % 4));
        switch (static_cast<unsigned char>(input[i + 2]) % 4) {
        case 0: ini.WriteString(section, key, input.substr(i, 3)); break;
        case 1: ini.DeleteKey(section, key); break;
        case 2: ini.EraseSection(section); break;
        case 3: ini.WriteInteger(section + "x", key, static_cast<std::int32_t>(i)); break;
        }
        CheckIndex(ini);
    }
    return 0;
}
