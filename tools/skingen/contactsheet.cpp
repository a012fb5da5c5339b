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
// Bounds on what a folder may make us allocate.
constexpr std::size_t kMaxEntries = 1001;

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

struct Cell {
    int x = 0, y = 0, scale = 1;
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
    if (files.size() > kMaxEntries)
        throw Exception("more than " + std::to_string(kMaxEntries) + " bitmaps in " + folder.string());

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

Bitmap make_contact_sheet(const std::vector<SheetEntry>& entries, std::int64_t max_pixels)
{
    // The page is widened for an image that does not fit it.
    int page_width = kSheetWidth;
    for (const SheetEntry& entry : entries) {
        const int cell_w = std::max(entry.image.width() * scale_for(entry.image) + 2, text_width(label_for(entry)));
        page_width = std::max(page_width, cell_w + 2 * kMargin);
    }

    // Lay out from the sizes alone, so an oversized page is refused before
    // anything is allocated for it.
    std::vector<Cell> cells;
    std::int64_t x = kMargin, y = kMargin, row_height = 0;
    for (const SheetEntry& entry : entries) {
        Cell cell{0, 0, scale_for(entry.image)};
        const int cell_w = std::max(entry.image.width() * cell.scale + 2, text_width(label_for(entry)));
        const int cell_h = entry.image.height() * cell.scale + 2 + kLabelGap + kGlyphHeight;
        if (x > kMargin && x + cell_w > page_width - kMargin) {
            x = kMargin;
            y += row_height + kGap;
            row_height = 0;
        }
        if ((y + cell_h) * page_width > max_pixels)
            throw Exception("contact sheet would exceed " + std::to_string(max_pixels) + " pixels");
        cell.x = static_cast<int>(x);
        cell.y = static_cast<int>(y);
        x += cell_w + kGap;
        row_height = std::max<std::int64_t>(row_height, cell_h);
        cells.push_back(cell);
    }

    Bitmap sheet(page_width, static_cast<int>(y + row_height + kMargin), kPage);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Cell& c = cells[i];
        const Bitmap picture = presented(entries[i].image, c.scale);
        const int w = picture.width(), h = picture.height();
        for (int k = 0; k < w + 2; ++k) {
            sheet.set(c.x + k, c.y, kFrame);
            sheet.set(c.x + k, c.y + h + 1, kFrame);
        }
        for (int k = 0; k < h + 2; ++k) {
            sheet.set(c.x, c.y + k, kFrame);
            sheet.set(c.x + w + 1, c.y + k, kFrame);
        }
        sheet.paste(picture, c.x + 1, c.y + 1);
        draw_text(sheet, c.x, c.y + h + 2 + kLabelGap, label_for(entries[i]), kLabel);
    }
    return sheet;
}

} // namespace tarnivo::skingen
