#include "contactsheet.h"

#include "bmpfile.h"
#include "fileio.h"
#include "tinyfont.h"

#include "framework/object.h"

#include <algorithm>

namespace tarnivo::skingen {

namespace {

constexpr int kSheetWidth = 1024;
constexpr int kMargin = 16;
constexpr int kGap = 14;
constexpr int kLabelGap = 5;
constexpr int kLargeSide = 120; // larger images are shown at their own size

constexpr Rgb kPage = hex(0x8d939c);
constexpr Rgb kFrame = hex(0x5f656e);
constexpr Rgb kLabel = hex(0x15181d);
constexpr Rgb kCheckLight = hex(0xb9bdc3);
constexpr Rgb kCheckDark = hex(0xa3a8af);

int scale_for(const Bitmap& image)
{
    const bool small = std::max(image.width(), image.height()) <= kLargeSide;
    return small && image.width() * 2 <= kSheetWidth - 2 * kMargin ? 2 : 1;
}

// The image with transparent pixels shown as a checkerboard.
Bitmap presented(const Bitmap& image, int scale)
{
    Bitmap out = image.scaled(scale);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            if (is_key_colour(out.at(x, y)))
                out.set(x, y, ((x / 4 + y / 4) % 2) ? kCheckDark : kCheckLight);
        }
    }
    return out;
}

std::string label_for(const SheetEntry& entry)
{
    return entry.label + " " + std::to_string(entry.image.width()) + "x" + std::to_string(entry.image.height());
}

struct Placed {
    Bitmap picture;
    std::string label;
    int x = 0, y = 0;
};

} // namespace

std::vector<SheetEntry> load_sheet_entries(const std::filesystem::path& folder, std::vector<std::string>& refusals)
{
    std::vector<std::filesystem::path> files;
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        std::string ext = item.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        if (item.is_regular_file() && ext == ".bmp")
            files.push_back(item.path());
    }
    std::sort(files.begin(), files.end());

    std::vector<SheetEntry> entries;
    for (const auto& file : files) {
        try {
            const std::vector<std::uint8_t> bytes = read_file(file, kMaxInputFileBytes);
            entries.push_back({file.filename().string(), decode_bmp(bytes)});
        } catch (const Exception& e) {
            refusals.push_back(file.filename().string() + ": " + e.Message());
        }
    }
    return entries;
}

Bitmap make_contact_sheet(const std::vector<SheetEntry>& entries)
{
    std::vector<Placed> placed;
    int x = kMargin, y = kMargin, row_height = 0;
    for (const SheetEntry& entry : entries) {
        Placed p{presented(entry.image, scale_for(entry.image)), label_for(entry)};
        const int cell_w = std::max(p.picture.width() + 2, text_width(p.label));
        const int cell_h = p.picture.height() + 2 + kLabelGap + kGlyphHeight;
        if (x > kMargin && x + cell_w > kSheetWidth - kMargin) {
            x = kMargin;
            y += row_height + kGap;
            row_height = 0;
        }
        p.x = x;
        p.y = y;
        x += cell_w + kGap;
        row_height = std::max(row_height, cell_h);
        placed.push_back(std::move(p));
    }

    Bitmap sheet(kSheetWidth, y + row_height + kMargin, kPage);
    for (const Placed& p : placed) {
        const int w = p.picture.width(), h = p.picture.height();
        for (int i = 0; i < w + 2; ++i) {
            sheet.set(p.x + i, p.y, kFrame);
            sheet.set(p.x + i, p.y + h + 1, kFrame);
        }
        for (int j = 0; j < h + 2; ++j) {
            sheet.set(p.x, p.y + j, kFrame);
            sheet.set(p.x + w + 1, p.y + j, kFrame);
        }
        sheet.paste(p.picture, p.x + 1, p.y + 1);
        draw_text(sheet, p.x, p.y + h + 2 + kLabelGap, p.label, kLabel);
    }
    return sheet;
}

} // namespace tarnivo::skingen
