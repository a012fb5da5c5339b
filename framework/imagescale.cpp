#include "imagescale.h"

#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace tarnivo {

TScaleFactor TScaleFactor::Of(int numerator, int denominator)
{
    TScaleFactor factor;
    if (numerator <= 0 || denominator <= 0)
        return factor;
    const int common = std::gcd(numerator, denominator);
    factor.m_num = numerator / common;
    factor.m_den = denominator / common;
    return factor;
}

TScaleFactor TScaleFactor::FromDpi(int dpi)
{
    return Of(dpi, 96);
}

int TScaleFactor::Apply(int length) const
{
    const long long scaled = static_cast<long long>(length) * m_num;
    const long long half = m_den / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / m_den : -((-scaled + half) / m_den));
}

namespace {

// Where one destination column (or row) takes its colour from: the two
// source neighbours with the weight of the second (0..256), and the source
// pixel under its centre, which alone decides whether it is keyed.
struct Tap {
    int first = 0;
    int second = 0;
    int weight = 0;
    int nearest = 0;
};

// The taps of one side: `cells` cells of `cell` source pixels, each brought
// to `scaled` pixels and sampled only inside itself.
std::vector<Tap> Taps(int cell, int scaled, int cells)
{
    std::vector<Tap> taps;
    taps.reserve(static_cast<std::size_t>(scaled) * cells);
    for (int c = 0; c < cells; ++c) {
        const int base = c * cell;
        for (int d = 0; d < scaled; ++d) {
            Tap tap;
            // Centre of destination pixel d in source pixels, in 1/256ths.
            const long long centre = (2LL * d + 1) * cell * 256 / (2LL * scaled);
            tap.nearest = base + std::min(static_cast<int>(centre / 256), cell - 1);
            const long long from = centre - 128;
            const int left = from < 0 ? 0 : static_cast<int>(from / 256);
            tap.first = base + std::min(left, cell - 1);
            tap.second = base + std::min(left + 1, cell - 1);
            tap.weight = from < 0 ? 0 : static_cast<int>(from % 256);
            taps.push_back(tap);
        }
    }
    return taps;
}

bool IsKey(const std::uint8_t* p)
{
    return p[0] == 255 && p[1] == 0 && p[2] == 255;
}

void CopyWhole(const TBitmap& source, int k, TBitmap& target)
{
    const int bpp = source.BytesPerPixel();
    for (int y = 0; y < target.Height(); ++y) {
        const std::uint8_t* from = source.ScanLine(y / k);
        std::uint8_t* to = target.ScanLine(y);
        for (int x = 0; x < target.Width(); ++x)
            for (int b = 0; b < bpp; ++b)
                to[x * bpp + b] = from[(x / k) * bpp + b];
    }
}

// One destination pixel mixed from the four source pixels of its taps,
// leaving out keyed ones (the nearest is not keyed, so one always counts).
void Mix(const TBitmap& source, const Tap& tx, const Tap& ty, std::uint8_t* out)
{
    const int bpp = source.BytesPerPixel();
    const std::uint8_t* rows[2] = {source.ScanLine(ty.first), source.ScanLine(ty.second)};
    const int cols[2] = {tx.first, tx.second};
    const int wy[2] = {256 - ty.weight, ty.weight};
    const int wx[2] = {256 - tx.weight, tx.weight};
    long long sum[4] = {0, 0, 0, 0};
    long long total = 0;
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i) {
            const std::uint8_t* p = rows[j] + cols[i] * bpp;
            const long long w = static_cast<long long>(wy[j]) * wx[i];
            if (w == 0 || IsKey(p))
                continue;
            for (int b = 0; b < bpp; ++b)
                sum[b] += w * p[b];
            total += w;
        }
    if (total == 0) {
        const std::uint8_t* p = source.ScanLine(ty.nearest) + tx.nearest * bpp;
        for (int b = 0; b < bpp; ++b)
            out[b] = p[b];
        return;
    }
    for (int b = 0; b < bpp; ++b)
        out[b] = static_cast<std::uint8_t>((sum[b] + total / 2) / total);
    // A mix of colours near the key may round onto it: one step off keeps
    // the pixel drawn.
    if (IsKey(out))
        out[0] = 254;
}

void CopySmooth(const TBitmap& source, const std::vector<Tap>& xs, const std::vector<Tap>& ys,
                TBitmap& target)
{
    const int bpp = source.BytesPerPixel();
    for (int y = 0; y < target.Height(); ++y) {
        const Tap& ty = ys[static_cast<std::size_t>(y)];
        const std::uint8_t* nearestRow = source.ScanLine(ty.nearest);
        std::uint8_t* to = target.ScanLine(y);
        for (int x = 0; x < target.Width(); ++x) {
            const Tap& tx = xs[static_cast<std::size_t>(x)];
            std::uint8_t* out = to + x * bpp;
            const std::uint8_t* nearest = nearestRow + tx.nearest * bpp;
            if (IsKey(nearest)) {
                for (int b = 0; b < bpp; ++b)
                    out[b] = nearest[b];
                continue;
            }
            Mix(source, tx, ty, out);
        }
    }
}

} // namespace

void ScaleBitmap(const TBitmap& source, TScaleFactor factor, TBitmap& target, int cellsX, int cellsY)
{
    if (source.Empty()) {
        target.SetSize(0, 0);
        return;
    }
    const int w = source.Width();
    const int h = source.Height();
    cellsX = cellsX > 1 && w % cellsX == 0 ? cellsX : 1;
    cellsY = cellsY > 1 && h % cellsY == 0 ? cellsY : 1;
    const int cellW = std::max(1, factor.Apply(w / cellsX));
    const int cellH = std::max(1, factor.Apply(h / cellsY));

    TBitmap scaled;
    scaled.SetPixelFormat(source.PixelFormat());
    scaled.SetSize(cellW * cellsX, cellH * cellsY);
    if (factor.Whole())
        CopyWhole(source, factor.Numerator() / factor.Denominator(), scaled);
    else
        CopySmooth(source, Taps(w / cellsX, cellW, cellsX), Taps(h / cellsY, cellH, cellsY), scaled);
    scaled.SetTransparent(source.Transparent());
    scaled.SetTransparentColor(source.TransparentColor());
    target.Swap(scaled);
}

} // namespace tarnivo
