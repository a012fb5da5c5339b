#include "imgutil.h"

#include "framework/gdiobjects.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tarnivo {

namespace {

int MixChannel(int a, int b, int weight, int divisor)
{
    return (((divisor - weight) * b + weight * a + divisor / 2) / divisor) & 0xFF;
}

int GradientChannel(long long n, long long i, int from, int to)
{
    const long long delta = to - from;
    if (n == 1)
        return static_cast<int>(from + delta / 2);
    const long long m = n - 1;
    return static_cast<int>(from + (m / 2 + i * delta) / m);
}

// Row y of a top-down DIB is row 0 plus y strides: one flush, then plain
// pointer arithmetic for every pixel.
struct Pixels {
    explicit Pixels(TBitmap& bitmap)
        : top(bitmap.ScanLine(0)), stride(bitmap.RowStride()), bpp(bitmap.BytesPerPixel()),
          width(bitmap.Width()), height(bitmap.Height())
    {
    }
    std::uint8_t* Row(int y) const { return top + static_cast<std::size_t>(y) * stride; }
    std::uint8_t* At(int x, int y) const { return Row(y) + static_cast<std::size_t>(x) * bpp; }

    std::uint8_t* top;
    std::size_t stride;
    int bpp;
    int width;
    int height;
};

// Calls work.template operator()<3 or 4>() for the bitmap's bytes per pixel,
// so the pixel loops copy a fixed number of bytes the compiler can inline.
template <typename Work>
void ForPixelSize(const TBitmap& bitmap, Work work)
{
    if (bitmap.BytesPerPixel() == 4)
        work.template operator()<4>();
    else
        work.template operator()<3>();
}

// Builds the turned image in a new bitmap (size swapped), then takes it over.
template <typename Place>
void Turn(TBitmap& bitmap, Place place)
{
    if (bitmap.Empty())
        return;
    TBitmap turned;
    turned.SetPixelFormat(bitmap.PixelFormat());
    turned.SetSize(bitmap.Height(), bitmap.Width());
    turned.SetTransparent(bitmap.Transparent());
    turned.SetTransparentColor(bitmap.TransparentColor());
    const Pixels src(bitmap), dst(turned);
    ForPixelSize(bitmap, [&]<int Bpp>() {
        for (int y = 0; y < src.height; ++y) {
            const std::uint8_t* p = src.Row(y);
            for (int x = 0; x < src.width; ++x, p += Bpp) {
                auto [tx, ty] = place(x, y, src.width, src.height);
                std::memcpy(dst.At(tx, ty), p, Bpp);
            }
        }
    });
    bitmap.Assign(turned);
}

} // namespace

TColor Blend(TColor a, TColor b, int weight)
{
    const COLORREF ca = ColorToRGB(a), cb = ColorToRGB(b);
    const int divisor = weight < 100 ? 100 : 1000;
    return RGBColor(MixChannel(GetRValue(ca), GetRValue(cb), weight, divisor),
                    MixChannel(GetGValue(ca), GetGValue(cb), weight, divisor),
                    MixChannel(GetBValue(ca), GetBValue(cb), weight, divisor));
}

COLORREF GradientEntry(long long n, long long i, COLORREF c1, COLORREF c2)
{
    return RGB(GradientChannel(n, i, GetRValue(c1), GetRValue(c2)),
               GradientChannel(n, i, GetGValue(c1), GetGValue(c2)),
               GradientChannel(n, i, GetBValue(c1), GetBValue(c2)));
}

int GradientCache::SlotOf(int n, COLORREF c1, COLORREF c2) const
{
    for (int s = kSlots - 1; s >= 0; --s) {
        const Slot& slot = m_slots[s];
        if (slot.length == n && slot.first == c1 && slot.last == c2)
            return s;
    }
    return -1;
}

const std::vector<COLORREF>& GradientCache::Table(int n, COLORREF c1, COLORREF c2)
{
    int held = SlotOf(n, c1, c2);
    if (held >= 0)
        return m_slots[held].colors;
    Slot& slot = m_slots[m_next];
    m_next = (m_next + 1) % kSlots;
    slot.colors.resize(n);
    for (int i = 0; i < n; ++i)
        slot.colors[i] = GradientEntry(n, i, c1, c2);
    slot.length = n;
    slot.first = c1;
    slot.last = c2;
    return slot.colors;
}

GradientCache& SharedGradientCache()
{
    static GradientCache cache;
    return cache;
}

void GradFill(HDC dc, const TRect& rect, TColor c1, TColor c2, int direction)
{
    if (!RectVisible(dc, &rect))
        return;
    const COLORREF from = ColorToRGB(c1), to = ColorToRGB(c2);
    const bool rows = direction == gdVertical;
    const long long n = rows ? (long long)rect.bottom - rect.top : (long long)rect.right - rect.left;
    if (n <= 0)
        return;

    TRect clip{};
    if (GetClipBox(dc, &clip) == ERROR)
        return;
    const long long start = rows ? rect.top : rect.left;
    const long long first = std::max(0LL, (rows ? clip.top : clip.left) - start);
    const long long last = std::min(n, (rows ? clip.bottom : clip.right) - start);
    if (first >= last)
        return;

    const std::vector<COLORREF>* table = nullptr;
    if (n <= GradientCache::kMaxLength)
        table = &SharedGradientCache().Table(static_cast<int>(n), from, to);
    for (long long i = first; i < last; ++i) {
        COLORREF color = table ? (*table)[i] : GradientEntry(n, i, from, to);
        const int offset = static_cast<int>(start + i);
        TRect band = rows ? TRect{rect.left, offset, rect.right, offset + 1}
                          : TRect{offset, rect.top, offset + 1, rect.bottom};
        GdiBrush brush(CreateSolidBrush(color));
        FillRect(dc, &band, brush.Get());
    }
}

int GetHSV(TColor color)
{
    const int r = RedOf(color), g = GreenOf(color), b = BlueOf(color);
    if (r < 160 && g < 160 && b < 160)
        return 200;
    const int max = std::max({r, g, b}), min = std::min({r, g, b});
    // (max - min) / max * 255 rounded half to even, in exact integers.
    const int scaled = (max - min) * 255;
    int result = scaled / max;
    const int twiceRest = 2 * (scaled % max);
    if (twiceRest > max || (twiceRest == max && (result & 1)))
        ++result;
    return result;
}

void ChangeTrans(TBitmap& bitmap, TColor color)
{
    bitmap.SetPixelFormat(pf24bit);
    if (bitmap.Empty())
        return;
    const std::uint8_t red = RedOf(color), green = GreenOf(color), blue = BlueOf(color);
    const Pixels px(bitmap);
    for (int y = 0; y < px.height; ++y) {
        std::uint8_t* p = px.Row(y);
        for (int x = 0; x < px.width; ++x, p += 3) {
            if (p[0] == 255 && p[1] == 0 && p[2] == 255) {
                p[0] = blue;
                p[1] = green;
                p[2] = red;
            }
        }
    }
}

void ConvertBitmapToGrayscale(TBitmap& bitmap)
{
    bitmap.SetPixelFormat(pf24bit);
    if (bitmap.Empty())
        return;
    const Pixels px(bitmap);
    for (int y = 0; y < px.height; ++y) {
        std::uint8_t* p = px.Row(y);
        for (int x = 0; x < px.width; ++x, p += 3) {
            const std::uint8_t grey = static_cast<std::uint8_t>((p[0] + p[1] + p[2]) / 3);
            p[0] = p[1] = p[2] = grey;
        }
    }
}

void SpiegelnHorizontal(TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const Pixels px(bitmap);
    ForPixelSize(bitmap, [&]<int Bpp>() {
        std::uint8_t temp[Bpp];
        for (int y = 0; y < px.height; ++y) {
            std::uint8_t* left = px.Row(y);
            std::uint8_t* right = left + static_cast<std::size_t>(px.width - 1) * Bpp;
            for (; left < right; left += Bpp, right -= Bpp) {
                std::memcpy(temp, left, Bpp);
                std::memcpy(left, right, Bpp);
                std::memcpy(right, temp, Bpp);
            }
        }
    });
}

void SpiegelnVertikal(TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    const Pixels px(bitmap);
    const std::size_t rowBytes = static_cast<std::size_t>(px.width) * px.bpp;
    std::vector<std::uint8_t> temp(rowBytes);
    for (int top = 0, bottom = px.height - 1; top < bottom; ++top, --bottom) {
        std::memcpy(temp.data(), px.Row(top), rowBytes);
        std::memcpy(px.Row(top), px.Row(bottom), rowBytes);
        std::memcpy(px.Row(bottom), temp.data(), rowBytes);
    }
}

void Drehen90Grad(TBitmap& bitmap)
{
    Turn(bitmap, [](int x, int y, int, int h) { return std::pair{h - 1 - y, x}; });
}

void Drehen270Grad(TBitmap& bitmap)
{
    Turn(bitmap, [](int x, int y, int w, int) { return std::pair{y, w - 1 - x}; });
}

} // namespace tarnivo
