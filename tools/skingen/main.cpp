// skingen: draws Tarnivo's skins and program artwork.
//
//   skingen OUTDIR                          writes OUTDIR/slate, OUTDIR/paper, OUTDIR/app
//   skingen --contact-sheet SKINDIR OUT     one picture of every bitmap in SKINDIR
//                                           (OUT ending in ".png" gives a PNG, else a BMP)

#include "appart.h"
#include "bmpfile.h"
#include "contactsheet.h"
#include "fileio.h"
#include "palette.h"
#include "pngfile.h"
#include "skinbuilder.h"

#include "framework/object.h"

#include <filesystem>
#include <iostream>
#include <string>

namespace {

using namespace tarnivo::skingen;

int usage()
{
    std::cerr << "usage: skingen OUTDIR\n"
                 "       skingen --contact-sheet SKINDIR OUT.bmp|OUT.png\n";
    return 2;
}

int generate(const std::filesystem::path& root)
{
    for (const SkinPalette& p : {slate_palette(), paper_palette()})
        write_skin(build_skin(p), p, root / p.folder);
    write_app_artwork(root / "app");
    return 0;
}

int contact_sheet(const std::filesystem::path& folder, const std::filesystem::path& out)
{
    if (!std::filesystem::is_directory(folder)) {
        std::cerr << "skingen: " << folder.string() << " is not a folder\n";
        return 1;
    }
    std::vector<std::string> refusals;
    const std::vector<SheetEntry> entries = load_sheet_entries(folder, refusals);
    for (const std::string& refusal : refusals)
        std::cerr << "skingen: skipped " << refusal << "\n";
    if (entries.empty()) {
        std::cerr << "skingen: no readable bitmaps in " << folder.string() << "\n";
        return 1;
    }
    const Bitmap sheet = make_contact_sheet(entries);
    const bool png = out.extension() == ".png";
    write_file(out, png ? encode_png(sheet) : encode_bmp24(sheet));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        if (args.size() == 1 && !args[0].starts_with("-"))
            return generate(args[0]);
        if (args.size() == 3 && args[0] == "--contact-sheet")
            return contact_sheet(args[1], args[2]);
        return usage();
    } catch (const tarnivo::Exception& e) {
        std::cerr << "skingen: " << e.Message() << "\n";
    } catch (const std::exception& e) {
        std::cerr << "skingen: " << e.what() << "\n";
    }
    return 1;
}
