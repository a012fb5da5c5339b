#pragma once
// Small hand-written skins for the skin data tests: BMP files made in memory,
// archives packed with the codec, and a quiet older-skin message.

#include "framework/bitmap.h"
#include "framework/graphics.h"
#include "framework/streams.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tarnivo {
class TSkinData;
class TSkinElements;
}

namespace tarnivo::test {

using Files = std::vector<std::pair<std::string, std::string>>;

// A 24-bit BMP file of one colour, or with each pixel from `pixel(x, y)`.
std::string Bmp(int width, int height, TColor fill);
std::string Bmp(int width, int height, const std::function<TColor(int x, int y)>& pixel);

// A skin file (LZH block around the archive) of the INI text "skin.ini" and
// the given files, in that order.
void SkinFileOf(const std::string& ini, const Files& files, TMemoryStream& skinFile,
                std::int32_t version = 20000);

// Loads the skin into `data` through LoadFromStream; answers LoadFromStream's
// outcome as Empty() reports it.
bool LoadSkin(TSkinData& data, const std::string& ini, const Files& files = {});

// The older-skin messages shown since the last Clear; a test environment
// routes the reader's message box here for every test.
std::vector<std::string>& ShownMessages();

// The colour of one pixel of a bitmap.
TColor Pixel(const TBitmap& image, int x, int y);

} // namespace tarnivo::test
