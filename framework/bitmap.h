#pragma once
// TBitmap: an image held in a DIB section, drawn on through its Canvas and
// read and written row by row through ScanLine.
//
// Rows are top first (the DIB is top-down), 3 bytes per pixel (blue, green,
// red) at pf24bit and 4 at pf32bit, each row padded to a multiple of 4 bytes.
// Loading a BMP keeps 32-bit images at pf32bit and turns every other depth
// (1, 4, 8, 16, 24 bits) into pf24bit.
//
// Loading reports failure by answering false and leaves the previous image
// untouched; it never throws for bad data. Programming errors (a scan line
// outside the image) raise EInvalidGraphic; a DIB the system cannot make
// raises EOutOfResources.

#include "canvas.h"
#include "events.h"
#include "gdiobjects.h"
#include "graphics.h"
#include "streams.h"
#include "typinfo.h"

#include <cstdint>
#include <memory>
#include <span>

namespace tarnivo {

enum TPixelFormat { pf24bit, pf32bit };

class TBitmapCanvas;
namespace bmp {
struct Image;
}

class TBitmap : public TPersistent {
    TARNIVO_PUBLISHED_CLASS()
public:
    TBitmap();
    ~TBitmap() override;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // A negative size counts as 0. The part of the old image that fits is
    // kept; new pixels are white. More than 16384 a side raises EInvalidGraphic.
    void SetWidth(int width) { SetSize(width, m_height); }
    void SetHeight(int height) { SetSize(m_width, height); }
    void SetSize(int width, int height);
    // No pixels (either side 0).
    bool Empty() const { return !m_dib; }

    TPixelFormat PixelFormat() const { return m_format; }
    // Converts the pixels; going to 32 bits sets the fourth byte to 0.
    void SetPixelFormat(TPixelFormat format);
    int BytesPerPixel() const { return m_format == pf32bit ? 4 : 3; }
    // Bytes from one scan line to the next.
    int RowStride() const;

    // Row y, top row first; waits for GDI drawing to finish first.
    std::uint8_t* ScanLine(int y);
    const std::uint8_t* ScanLine(int y) const;

    // A canvas on a memory DC with this bitmap selected; made on first use.
    // A const bitmap still hands it out, as drawing from it needs its DC.
    TCanvas& Canvas() const;

    // The DIB section, still owned by this bitmap (null when empty). It is
    // selected out of the canvas DC here so it can go into another DC or an
    // image list; the canvas selects it again when next used.
    HBITMAP Handle() const;

    // BMP file bytes from the stream's position; on success the position is
    // after the image, on failure it is where it was.
    [[nodiscard]] bool LoadFromStream(TStream& stream);
    [[nodiscard]] bool LoadFromMemory(std::span<const std::uint8_t> bmpFile);
    // An image the BMP decoder made; false (image unchanged) when the system
    // cannot make a bitmap of its size.
    [[nodiscard]] bool LoadFromImage(const bmp::Image& image);
    // An RT_BITMAP resource of the module.
    [[nodiscard]] bool LoadFromResourceName(HINSTANCE instance, const char* name);
    // Writes a 24 or 32-bit BMP file; nothing for an empty bitmap.
    void SaveToStream(TStream& stream) const;

    // Deep copy of pixels, size, format and transparency settings.
    void Assign(const TBitmap& source);
    // Exchanges pixels, size, format and transparency settings with `other`
    // without copying or allocating. Each bitmap keeps its own canvas and
    // OnChange handler; both fire OnChange.
    void Swap(TBitmap& other);

    // With Transparent set, TCanvas::Draw leaves the destination where the
    // bitmap has TransparentColor. clDefault (the default) means the colour of
    // the bottom-left pixel.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);

    // After the size, format or whole image changes (not after pixel edits).
    TNotifyEvent OnChange;

private:
    friend class TBitmapCanvas;
    struct Dib {
        GdiBitmap handle;
        std::uint8_t* bits = nullptr;
    };
    static Dib CreateDib(int width, int height, TPixelFormat format);
    void Replace(Dib dib, int width, int height, TPixelFormat format);
    void Changed();

    int m_width = 0;
    int m_height = 0;
    TPixelFormat m_format = pf24bit;
    GdiBitmap m_dib;
    std::uint8_t* m_bits = nullptr;
    bool m_transparent = false;
    TColor m_transparentColor = clDefault;
    // Declared after the DIB: destroyed first, selecting the DIB out.
    mutable std::unique_ptr<TBitmapCanvas> m_canvas;
};

} // namespace tarnivo
