#include "raster.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numbers>

namespace tarnivo::skingen {

namespace {

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

std::uint8_t to_byte(double v) { return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255.0)); }

// Anti-aliasing from a signed distance (negative inside), one pixel wide.
double coverage_from_distance(double d) { return clamp01(0.5 - d); }

// Samples a predicate n x n times inside the pixel.
template <typename Inside>
double supersample(int x, int y, Inside inside)
{
    constexpr int n = 8;
    int hits = 0;
    for (int sy = 0; sy < n; ++sy) {
        for (int sx = 0; sx < n; ++sx) {
            if (inside(x + (sx + 0.5) / n, y + (sy + 0.5) / n))
                ++hits;
        }
    }
    return static_cast<double>(hits) / (n * n);
}

// Keeps artwork colours out of the engine's transparent range.
Rgb avoid_key(Rgb c)
{
    if (is_key_colour(c))
        c.g = 2;
    return c;
}

double distance_to_segment(double px, double py, double x0, double y0, double x1, double y1)
{
    const double dx = x1 - x0, dy = y1 - y0;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - x0) * dx + (py - y0) * dy) / len2 : 0.0;
    t = clamp01(t);
    const double ex = px - (x0 + t * dx), ey = py - (y0 + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

} // namespace

Rgb mix(Rgb a, Rgb b, double t)
{
    auto lerp = [t](int u, int v) {
        return static_cast<std::uint8_t>(std::lround(u + (v - u) * clamp01(t)));
    };
    return Rgb{lerp(a.r, b.r), lerp(a.g, b.g), lerp(a.b, b.b)};
}

double luminance(Rgb c)
{
    auto channel = [](std::uint8_t v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}

double contrast(Rgb a, Rgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool is_key_colour(Rgb c) { return c.r == 255 && c.b == 255 && c.g <= 1; }

// ---- Bitmap ----

Bitmap::Bitmap(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill)
{
    assert(width >= 0 && height >= 0);
}

std::size_t Bitmap::index(int x, int y) const
{
    assert(x >= 0 && x < width_ && y >= 0 && y < height_);
    return static_cast<std::size_t>(y) * width_ + x;
}

Bitmap Bitmap::crop(int sx, int sy, int w, int h) const
{
    Bitmap out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.set(x, y, at(sx + x, sy + y));
    return out;
}

void Bitmap::paste(const Bitmap& src, int dx, int dy)
{
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x) {
            const int tx = dx + x, ty = dy + y;
            if (tx >= 0 && ty >= 0 && tx < width_ && ty < height_)
                set(tx, ty, src.at(x, y));
        }
    }
}

Bitmap Bitmap::scaled(int factor) const
{
    Bitmap out(width_ * factor, height_ * factor);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            out.set(x, y, at(x / factor, y / factor));
    return out;
}

Bitmap Bitmap::rotated_clockwise() const
{
    Bitmap out(height_, width_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            out.set(height_ - 1 - y, x, at(x, y));
    return out;
}

Bitmap Bitmap::rotated_counter_clockwise() const
{
    Bitmap out(height_, width_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            out.set(y, width_ - 1 - x, at(x, y));
    return out;
}

Bitmap Bitmap::flipped_vertically() const
{
    Bitmap out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            out.set(x, height_ - 1 - y, at(x, y));
    return out;
}

Bitmap join_frames(const std::vector<Bitmap>& frames, FrameLayout layout)
{
    assert(!frames.empty());
    const int fw = frames.front().width(), fh = frames.front().height();
    const int n = static_cast<int>(frames.size());
    Bitmap out = layout == FrameLayout::SideBySide ? Bitmap(fw * n, fh) : Bitmap(fw, fh * n);
    for (int i = 0; i < n; ++i) {
        assert(frames[i].width() == fw && frames[i].height() == fh);
        if (layout == FrameLayout::SideBySide)
            out.paste(frames[i], i * fw, 0);
        else
            out.paste(frames[i], 0, i * fh);
    }
    return out;
}

// ---- paints and shapes ----

Paint solid(Rgb c)
{
    return [c](int, int) { return c; };
}

Paint vertical_gradient(Rgb top, Rgb bottom, int y0, int y1)
{
    return [=](int, int y) {
        if (y1 <= y0)
            return top;
        return mix(top, bottom, static_cast<double>(y - y0) / (y1 - y0));
    };
}

Coverage rounded_rect(double x0, double y0, double x1, double y1, Radii radii)
{
    return [=](int x, int y) {
        const double px = x + 0.5, py = y + 0.5;
        const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
        const double hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
        double r;
        if (px < cx)
            r = py < cy ? radii.top_left : radii.bottom_left;
        else
            r = py < cy ? radii.top_right : radii.bottom_right;
        r = std::min({r, hx, hy});
        const double qx = std::abs(px - cx) - hx + r;
        const double qy = std::abs(py - cy) - hy + r;
        const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
        const double d = outside + std::min(std::max(qx, qy), 0.0) - r;
        return coverage_from_distance(d);
    };
}

Coverage rounded_outline(double x0, double y0, double x1, double y1, Radii radii, double width)
{
    auto shrink = [width](double r) { return std::max(r - width, 0.0); };
    const Radii inner{shrink(radii.top_left), shrink(radii.top_right), shrink(radii.bottom_right),
                      shrink(radii.bottom_left)};
    return subtract(rounded_rect(x0, y0, x1, y1, radii),
                    rounded_rect(x0 + width, y0 + width, x1 - width, y1 - width, inner));
}

Coverage disc(double cx, double cy, double radius)
{
    return [=](int x, int y) {
        return coverage_from_distance(std::hypot(x + 0.5 - cx, y + 0.5 - cy) - radius);
    };
}

Coverage ring(double cx, double cy, double radius, double width)
{
    return [=](int x, int y) {
        const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
        return coverage_from_distance(std::abs(d - radius) - width / 2);
    };
}

Coverage segment(double x0, double y0, double x1, double y1, double width)
{
    return [=](int x, int y) {
        return coverage_from_distance(distance_to_segment(x + 0.5, y + 0.5, x0, y0, x1, y1) - width / 2);
    };
}

Coverage polyline(const std::vector<std::pair<double, double>>& points, double width)
{
    return [points, width](int x, int y) {
        double best = 1e9;
        for (std::size_t i = 1; i < points.size(); ++i) {
            best = std::min(best, distance_to_segment(x + 0.5, y + 0.5, points[i - 1].first,
                                                      points[i - 1].second, points[i].first,
                                                      points[i].second));
        }
        return coverage_from_distance(best - width / 2);
    };
}

Coverage polygon(const std::vector<std::pair<double, double>>& points)
{
    return [points](int x, int y) {
        return supersample(x, y, [&points](double px, double py) {
            bool inside = false;
            for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                const auto [xi, yi] = points[i];
                const auto [xj, yj] = points[j];
                if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi)
                    inside = !inside;
            }
            return inside;
        });
    };
}

Coverage arc(double cx, double cy, double radius, double width, double a0, double a1)
{
    return [=](int x, int y) {
        return supersample(x, y, [&](double px, double py) {
            const double d = std::hypot(px - cx, py - cy);
            if (std::abs(d - radius) > width / 2)
                return false;
            double a = std::atan2(cy - py, px - cx);
            while (a < a0)
                a += 2 * std::numbers::pi;
            return a <= a1;
        });
    };
}

Coverage unite(Coverage a, Coverage b)
{
    return [a = std::move(a), b = std::move(b)](int x, int y) { return std::max(a(x, y), b(x, y)); };
}

Coverage subtract(Coverage a, Coverage b)
{
    return [a = std::move(a), b = std::move(b)](int x, int y) { return clamp01(a(x, y) - b(x, y)); };
}

// ---- Canvas ----

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height)
{
    assert(width > 0 && height > 0);
}

std::size_t Canvas::index(int x, int y) const
{
    assert(x >= 0 && x < width_ && y >= 0 && y < height_);
    return static_cast<std::size_t>(y) * width_ + x;
}

void Canvas::draw(const Coverage& shape, const Paint& paint, double opacity)
{
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const double a = shape(x, y) * opacity;
            if (a <= 0)
                continue;
            const Rgb c = paint(x, y);
            Pixel& p = pixels_[index(x, y)];
            p.r = c.r / 255.0 * a + p.r * (1 - a);
            p.g = c.g / 255.0 * a + p.g * (1 - a);
            p.b = c.b / 255.0 * a + p.b * (1 - a);
            p.a = a + p.a * (1 - a);
        }
    }
}

void Canvas::fill(const Paint& paint)
{
    draw([](int, int) { return 1.0; }, paint);
}

void Canvas::fill_rect(int x0, int y0, int x1, int y1, Rgb c, double opacity)
{
    draw([=](int x, int y) { return (x >= x0 && x < x1 && y >= y0 && y < y1) ? 1.0 : 0.0; }, solid(c),
         opacity);
}

void Canvas::compose(const Canvas& src, int dx, int dy)
{
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x) {
            const int tx = dx + x, ty = dy + y;
            if (tx < 0 || ty < 0 || tx >= width_ || ty >= height_)
                continue;
            const Pixel& s = src.at(x, y);
            Pixel& p = pixels_[index(tx, ty)];
            p.r = s.r + p.r * (1 - s.a);
            p.g = s.g + p.g * (1 - s.a);
            p.b = s.b + p.b * (1 - s.a);
            p.a = s.a + p.a * (1 - s.a);
        }
    }
}

Bitmap Canvas::over_backdrop(const Paint& backdrop) const
{
    Bitmap out(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Pixel& p = at(x, y);
            if (p.a < 1.0 / 512)
                continue;
            const Rgb bg = backdrop(x, y);
            const double keep = 1 - p.a;
            out.set(x, y, avoid_key(Rgb{to_byte(p.r + bg.r / 255.0 * keep), to_byte(p.g + bg.g / 255.0 * keep),
                                        to_byte(p.b + bg.b / 255.0 * keep)}));
        }
    }
    return out;
}

Bitmap Canvas::keyed() const
{
    Bitmap out(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Pixel& p = at(x, y);
            if (p.a < 0.5)
                continue;
            out.set(x, y, avoid_key(Rgb{to_byte(p.r / p.a), to_byte(p.g / p.a), to_byte(p.b / p.a)}));
        }
    }
    return out;
}

Bitmap Canvas::opaque(const Paint& backdrop) const
{
    Bitmap out(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const Pixel& p = at(x, y);
            const Rgb bg = backdrop(x, y);
            const double keep = 1 - p.a;
            out.set(x, y, avoid_key(Rgb{to_byte(p.r + bg.r / 255.0 * keep), to_byte(p.g + bg.g / 255.0 * keep),
                                        to_byte(p.b + bg.b / 255.0 * keep)}));
        }
    }
    return out;
}

std::vector<std::uint8_t> Canvas::rgba() const
{
    std::vector<std::uint8_t> out;
    out.reserve(pixels_.size() * 4);
    for (const Pixel& p : pixels_) {
        const double a = p.a;
        out.push_back(a > 0 ? to_byte(p.r / a) : 0);
        out.push_back(a > 0 ? to_byte(p.g / a) : 0);
        out.push_back(a > 0 ? to_byte(p.b / a) : 0);
        out.push_back(to_byte(a));
    }
    return out;
}

} // namespace tarnivo::skingen
