#include "skintestkit.h"

#include "../resources/testarchive.h"

#include "framework/bmpfile.h"
#include "skin/resources/skindata.h"
#include "skin/resources/skinderived.h"
#include "skin/resources/skinreader.h"

#include <gtest/gtest.h>

namespace tarnivo::test {

namespace {

// Every test runs with the older-skin message recorded instead of shown: a
// message box would wait for a click that never comes.
class QuietMessages : public ::testing::Environment {
public:
    void SetUp() override
    {
        TSkinReader::ShowMessage = [](const std::string& text) { ShownMessages().push_back(text); };
    }
};
[[maybe_unused]] ::testing::Environment* const quiet =
    ::testing::AddGlobalTestEnvironment(new QuietMessages);

} // namespace

std::vector<std::string>& ShownMessages()
{
    static std::vector<std::string> shown;
    return shown;
}

std::string Bmp(int width, int height, TColor fill)
{
    return Bmp(width, height, [fill](int, int) { return fill; });
}

std::string Bmp(int width, int height, const std::function<TColor(int x, int y)>& pixel)
{
    const std::size_t stride = bmp::Stride(width, 24);
    std::vector<std::uint8_t> rows(stride * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const TColor c = pixel(x, y);
            std::uint8_t* p = rows.data() + stride * static_cast<std::size_t>(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(BlueOf(c));
            p[1] = static_cast<std::uint8_t>(GreenOf(c));
            p[2] = static_cast<std::uint8_t>(RedOf(c));
        }
    const std::vector<std::uint8_t> file = bmp::Encode(width, height, 24, rows.data(), stride);
    return std::string(file.begin(), file.end());
}

void SkinFileOf(const std::string& ini, const Files& files, TMemoryStream& skinFile,
                std::int32_t version)
{
    Files all{{"skin.ini", ini}};
    all.insert(all.end(), files.begin(), files.end());
    ArchiveParts parts = Entries(all);
    parts.version = version;
    SkinFile(ArchiveBytes(parts), skinFile);
}

bool LoadSkin(TSkinData& data, const std::string& ini, const Files& files)
{
    TMemoryStream skinFile;
    SkinFileOf(ini, files, skinFile);
    data.LoadFromStream(skinFile);
    return !data.Empty();
}

TColor Pixel(const TBitmap& image, int x, int y)
{
    return PixelAt(image, x, y);
}

} // namespace tarnivo::test
