#include "benchcorpus.h"

#include <cmath>

namespace tarnivo::bench {

namespace {

// Small fixed generator so every machine benchmarks the same bytes.
class Lcg {
public:
    std::uint32_t Next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    std::uint32_t Below(std::uint32_t n) { return Next() % n; }

private:
    std::uint32_t state_ = 12345;
};

std::vector<std::uint8_t> Text(Lcg& random, std::size_t size)
{
    static const char* const words[] = {
        "skin",   "button", "frame",  "window", "caption", "border", "image",  "colour", "the",  "of",
        "and",    "a",      "menu",   "scroll", "thumb",   "track",  "paint",  "draw",   "when", "is",
        "margin", "left",   "right",  "top",    "bottom",  "state",  "pressed", "hot",   "to",   "with"};
    std::string text;
    while (text.size() < size) {
        if (random.Below(3) == 0) {
            text += "[Section" + std::to_string(random.Below(300)) + "]\r\n";
            for (int k = random.Below(8) + 2; k > 0; --k)
                text += std::string(words[random.Below(30)]) + "Width=" + std::to_string(random.Below(400)) + "\r\n";
        } else {
            for (int k = random.Below(12) + 4; k > 0; --k) {
                text += words[random.Below(30)];
                text += k > 1 ? " " : ".\r\n";
            }
        }
    }
    text.resize(size);
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

// Gradients, flat fills with rounded magenta corners, and a lightly dithered
// area: the content of skin bitmaps.
std::vector<std::uint8_t> Bitmaps(Lcg& random, std::size_t size)
{
    std::vector<std::uint8_t> bytes;
    int image = 0;
    while (bytes.size() < size) {
        const int width = 64 + static_cast<int>(random.Below(192));
        const int height = 16 + static_cast<int>(random.Below(112));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                std::uint8_t r, g, b;
                const bool corner = (x < 6 && y < 6 && (6 - x) * (6 - x) + (6 - y) * (6 - y) > 36);
                if (corner) {
                    r = 255, g = 0, b = 255;
                } else if (image % 3 == 0) {
                    r = static_cast<std::uint8_t>(0x3b - y * 13 / height);
                    g = static_cast<std::uint8_t>(0x42 - y * 14 / height);
                    b = static_cast<std::uint8_t>(0x52 - y * 18 / height);
                } else if (image % 3 == 1) {
                    const bool edge = x == 0 || y == 0 || x == width - 1 || y == height - 1;
                    r = edge ? 0x2e : 0x43, g = edge ? 0x34 : 0x4c, b = edge ? 0x40 : 0x5e;
                } else {
                    const int noise = static_cast<int>(random.Below(5));
                    r = static_cast<std::uint8_t>(0x5e + noise), g = static_cast<std::uint8_t>(0x81 + noise);
                    b = static_cast<std::uint8_t>(0xac + (x * 7) / width);
                }
                bytes.push_back(b);
                bytes.push_back(g);
                bytes.push_back(r);
            }
            while (bytes.size() % 4)
                bytes.push_back(0);
        }
        ++image;
    }
    bytes.resize(size);
    return bytes;
}

std::vector<std::uint8_t> Binary(Lcg& random, std::size_t size)
{
    std::vector<std::uint8_t> bytes;
    std::uint32_t id = 1000;
    while (bytes.size() < size) {
        if (random.Below(10) == 0) {  // an incompressible stretch
            for (int k = 0; k < 256; ++k)
                bytes.push_back(static_cast<std::uint8_t>(random.Next()));
            continue;
        }
        const std::uint32_t record[4] = {id++, random.Below(16), 0x00401000u + random.Below(64) * 16, 0};
        for (const std::uint32_t field : record)
            for (int k = 0; k < 4; ++k)
                bytes.push_back(static_cast<std::uint8_t>(field >> (8 * k)));
    }
    bytes.resize(size);
    return bytes;
}

} // namespace

std::vector<CorpusPart> MixedCorpus()
{
    Lcg random;
    return {
        {"text", Text(random, 1536 * 1024)},
        {"bitmaps", Bitmaps(random, 2048 * 1024)},
        {"binary", Binary(random, 1024 * 1024)},
    };
}

} // namespace tarnivo::bench
