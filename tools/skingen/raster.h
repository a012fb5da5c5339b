#pragma once
// A small raster for drawing skin artwork: a floating-point RGBA canvas for
// anti-aliased drawing, and an 8-bit RGB bitmap for what is written to disk.

#include <cstdint>
#include <functional>
#include <vector>

namespace tarnivo::skingen {

// An sRGB colour, 8 bits a channel.
struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Builds a colour from 0xRRGGBB.
constexpr Rgb hex(std::uint32_t value)
{
    return Rgb{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
               static_cast<std::uint8_t>(value)};
}

// The skin engine's transparent key colour.
inline constexpr Rgb kMagenta{255, 0, 255};

// Mixes a and b: t = 0 gives a, t = 1 gives b.
Rgb mix(Rgb a, Rgb b, double t);

// Relative luminance and contrast ratio (WCAG 2 formulas).
double luminance(Rgb c);
double contrast(Rgb a, Rgb b);

// True for colours the skin engine cuts out as transparent: the frame painter
// keys (255, 0 or 1, 255), so artwork must never produce them by accident.
bool is_key_colour(Rgb c);

// 8-bit RGB image, rows top to bottom. This is what goes into a BMP.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, Rgb fill = kMagenta);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }

    Rgb at(int x, int y) const { return pixels_[index(x, y)]; }
    void set(int x, int y, Rgb c) { pixels_[index(x, y)] = c; }

    // Copies the rectangle (sx, sy, w, h) of this bitmap.
    Bitmap crop(int sx, int sy, int w, int h) const;
    // Copies all of src to (dx, dy); parts outside are dropped.
    void paste(const Bitmap& src, int dx, int dy);
    // Nearest-neighbour scaling by an integer factor (contact sheets).
    Bitmap scaled(int factor) const;
    // Quarter turns and mirror images (one drawing serves all orientations).
    Bitmap rotated_clockwise() const;
    Bitmap rotated_counter_clockwise() const;
    Bitmap flipped_vertically() const;

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    std::size_t index(int x, int y) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};

// Frames laid side by side (left to right) or stacked (top to bottom), in order.
enum class FrameLayout { SideBySide, Stacked };
Bitmap join_frames(const std::vector<Bitmap>& frames, FrameLayout layout);

// Premultiplied RGBA, each channel 0..1.
struct Pixel {
    double r = 0, g = 0, b = 0, a = 0;
};

// A coverage function: for the pixel whose top-left corner is (x, y), how much
// of it (0..1) the shape covers.
using Coverage = std::function<double(int x, int y)>;
// A paint: the colour laid at pixel (x, y).
using Paint = std::function<Rgb(int x, int y)>;

Paint solid(Rgb c);
// Vertical gradient: top colour at y0, bottom colour at y1 (pixel rows).
Paint vertical_gradient(Rgb top, Rgb bottom, int y0, int y1);

// Shapes (all in pixel coordinates; a pixel (x, y) spans x..x+1, y..y+1).
struct Radii {
    double top_left = 0, top_right = 0, bottom_right = 0, bottom_left = 0;
    static Radii all(double r) { return {r, r, r, r}; }
    static Radii top(double r) { return {r, r, 0, 0}; }
    static Radii bottom(double r) { return {0, 0, r, r}; }
};
Coverage rounded_rect(double x0, double y0, double x1, double y1, Radii radii);
// The band of width `width` just inside the rounded rectangle's edge.
Coverage rounded_outline(double x0, double y0, double x1, double y1, Radii radii, double width);
Coverage disc(double cx, double cy, double radius);
Coverage ring(double cx, double cy, double radius, double width);
// A straight stroke with round caps.
Coverage segment(double x0, double y0, double x1, double y1, double width);
// A polyline stroke: the union of its segments.
Coverage polyline(const std::vector<std::pair<double, double>>& points, double width);
// A filled polygon (even-odd), 8 x 8 samples a pixel.
Coverage polygon(const std::vector<std::pair<double, double>>& points);
// A ring arc from angle a0 to a1 (radians, counter-clockwise from +x, y up).
Coverage arc(double cx, double cy, double radius, double width, double a0, double a1);

Coverage unite(Coverage a, Coverage b);
Coverage subtract(Coverage a, Coverage b);

// Floating-point canvas with alpha, for anti-aliased drawing.
class Canvas {
public:
    Canvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    const Pixel& at(int x, int y) const { return pixels_[index(x, y)]; }

    // Lays `paint` over the canvas where `shape` covers it, with extra opacity.
    void draw(const Coverage& shape, const Paint& paint, double opacity = 1.0);
    void fill(const Paint& paint);
    void fill_rect(int x0, int y0, int x1, int y1, Rgb c, double opacity = 1.0);
    // Lays another canvas over this one at (dx, dy).
    void compose(const Canvas& src, int dx, int dy);

    // Flattens over a known backdrop: fully transparent pixels become magenta,
    // partly covered ones are mixed with the backdrop (anti-aliasing against
    // what the engine will have drawn under the image).
    Bitmap over_backdrop(const Paint& backdrop) const;
    // Flattens over an unknown backdrop (the desktop around a window): pixels
    // less than half covered become magenta, the rest opaque.
    Bitmap keyed() const;
    // Flattens over a solid backdrop without any magenta.
    Bitmap opaque(const Paint& backdrop) const;
    // Straight (not premultiplied) RGBA bytes, rows top to bottom (icons).
    std::vector<std::uint8_t> rgba() const;

private:
    std::size_t index(int x, int y) const;

    int width_;
    int height_;
    std::vector<Pixel> pixels_;
};

} // namespace tarnivo::skingen
