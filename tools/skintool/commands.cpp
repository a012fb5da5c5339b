#include "commands.h"

#include "framework/streams.h"
#include "skin/resources/lzh.h"
#include "skin/resources/quickini.h"
#include "skinarchive.h"
#include "skincheck.h"
#include "starterskin.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <vector>

namespace tarnivo::skintool {

namespace {

using Arguments = std::vector<std::string>;

int LzhPack(const Arguments& a, std::ostream& out)
{
    // Packs from the file as it is read: no copy of a large input in memory.
    TFileStream source(a[0], TFileMode::fmOpenRead);
    TFileStream block(a[1], TFileMode::fmCreate);
    PackLzhBlock(source, block);
    out << source.Size() << " -> " << block.Size() << " bytes\n";
    return 0;
}

int LzhUnpack(const Arguments& a, std::ostream& out)
{
    TFileStream source(a[0], TFileMode::fmOpenRead);
    TMemoryStream unpacked;
    const BlockStatus status = UnpackLzhBlock(source, unpacked);
    if (status != BlockStatus::Ok)
        throw Exception(a[0] + ": " + BlockStatusText(status));
    unpacked.SaveToFile(a[1]);
    out << unpacked.Size() << " bytes\n";
    return 0;
}

int IniPack(const Arguments& a, std::ostream&)
{
    TQuickIni ini;
    ini.LoadFromFile(a[0]);
    ini.SavetoZip(a[1]);
    return 0;
}

int IniUnpack(const Arguments& a, std::ostream&)
{
    TQuickIni ini;
    ini.LoadFromZip(a[0]);
    ini.SaveToFile(a[1]);
    return 0;
}

int Pack(const Arguments& a, std::ostream&)
{
    PackSkinFolder(a[0], a[1]);
    return 0;
}

int Unpack(const Arguments& a, std::ostream& out)
{
    out << UnpackSkinFile(a[0], a[1]) << " files written\n";
    return 0;
}

int List(const Arguments& a, std::ostream& out)
{
    for (const ListedEntry& entry : ListSkinFile(a[0]))
        out << entry.name << '\t' << entry.size << '\n';
    return 0;
}

int Check(const Arguments& a, std::ostream& out)
{
    const std::vector<Finding> findings = CheckSkinFile(a[0]);
    std::map<Severity, int> counts;
    for (const Finding& finding : findings) {
        out << SeverityText(finding.severity) << ": " << finding.text << '\n';
        ++counts[finding.severity];
    }
    out << counts[Severity::Error] << " errors, " << counts[Severity::Warning] << " warnings\n";
    return HasErrors(findings) ? 1 : 0;
}

int New(const Arguments& a, std::ostream& out)
{
    out << WriteStarterSkin(a[0]) << " files written; pack with: skintool pack " << a[0] << " OUT.skn\n";
    return 0;
}

// Times the buffered unpack of one block from memory into memory, the
// way the skin loader unpacks a skin; prints the median of the runs.
int BenchUnpack(const Arguments& a, std::ostream& out)
{
    const int runs = a.size() > 1 ? std::max(1, std::stoi(a[1])) : 21;
    TMemoryStream block;
    block.LoadFromFile(a[0]);
    std::vector<double> seconds;
    std::int64_t produced = 0;
    for (int run = 0; run < runs; ++run) {
        TMemoryStream unpacked;
        const auto start = std::chrono::steady_clock::now();
        const BlockStatus status = UnpackLzhBlock(block, unpacked);
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (status != BlockStatus::Ok)
            throw Exception(a[0] + ": " + BlockStatusText(status));
        produced = unpacked.Size();
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    char line[160];
    std::snprintf(line, sizeof line, "%lld -> %lld bytes: median %.3f ms of %d runs, %.1f MB/s unpacked\n",
                  static_cast<long long>(block.Size()), static_cast<long long>(produced), median * 1e3, runs,
                  static_cast<double>(produced) / median / 1e6);
    out << line;
    return 0;
}

} // namespace

int RunCommand(const CommandLine& line, std::ostream& out)
{
    using Handler = int (*)(const Arguments&, std::ostream&);
    static const std::map<std::string, Handler> handlers = {
        {"lzh-pack", LzhPack}, {"lzh-unpack", LzhUnpack}, {"ini-pack", IniPack}, {"ini-unpack", IniUnpack},
        {"pack", Pack},        {"unpack", Unpack},        {"list", List},        {"check", Check},
        {"bench-unpack", BenchUnpack}, {"new", New},
    };
    if (line.command == "help") {
        out << UsageText();
        return 0;
    }
    return handlers.at(line.command)(line.arguments, out);
}

} // namespace tarnivo::skintool
