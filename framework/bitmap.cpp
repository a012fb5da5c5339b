#include "bitmap.h"

#include "bmpfile.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace tarnivo {

// The canvas of a bitmap: a memory DC made on first use, with the DIB
// selected in whenever the canvas is used. A GDI bitmap can sit in only one DC
// at a time, so TBitmap::Handle() selects it out again (ReleaseBitmap).
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(const TBitmap& bitmap) : m_bitmap(bitmap) {}
    ~TBitmapCanvas() override { ReleaseBitmap(); }

    void ReleaseBitmap()
    {
        if (m_original) {
            SelectObject(RawHandle(), m_original);
            m_original = nullptr;
        }
    }

protected:
    void RequireHandle() override
    {
        if (!RawHandle())
            Adopt(MemoryDC::CompatibleWith(nullptr));
        if (!m_original && m_bitmap.m_dib && RawHandle()) {
            HGDIOBJ previous = SelectObject(RawHandle(), m_bitmap.m_dib.Get());
            m_original = previous == HGDI_ERROR ? nullptr : previous;
        }
    }

private:
    const TBitmap& m_bitmap;
    HGDIOBJ m_original = nullptr;   // what the DC held before our DIB
};

const TClassInfo& TBitmap::StaticClassInfo()
{
    static const TClassInfo info{
        "TBitmap",
        &TPersistent::StaticClassInfo(),
        {
            published::Integer("Width", &TBitmap::Width, &TBitmap::SetWidth),
            published::Integer("Height", &TBitmap::Height, &TBitmap::SetHeight),
            published::Boolean("Transparent", &TBitmap::Transparent, &TBitmap::SetTransparent),
            published::Integer("TransparentColor", &TBitmap::TransparentColor,
                               &TBitmap::SetTransparentColor),
        }};
    return info;
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap()
{
    m_canvas.reset();
}

TBitmap::Dib TBitmap::CreateDib(int width, int height, TPixelFormat format)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;   // top-down: ScanLine(0) is the top row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = format == pf32bit ? 32 : 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Dib dib;
    dib.handle.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib.handle || !bits)
        throw EOutOfResources("Out of system resources");
    dib.bits = static_cast<std::uint8_t*>(bits);
    return dib;
}

void TBitmap::Replace(Dib dib, int width, int height, TPixelFormat format)
{
    if (m_canvas)
        m_canvas->ReleaseBitmap();
    m_dib = std::move(dib.handle);
    m_bits = dib.bits;
    m_width = width;
    m_height = height;
    m_format = format;
    Changed();
}

int TBitmap::RowStride() const
{
    return static_cast<int>(bmp::Stride(m_width, BytesPerPixel() * 8));
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width > bmp::kMaxSide || height > bmp::kMaxSide)
        throw EInvalidGraphic("Bitmap size out of range");
    if (width == m_width && height == m_height)
        return;
    if (width == 0 || height == 0) {
        Replace(Dib{}, width, height, m_format);
        return;
    }
    Dib dib = CreateDib(width, height, m_format);
    const std::size_t stride = bmp::Stride(width, BytesPerPixel() * 8);
    std::memset(dib.bits, 0xFF, stride * height);
    if (m_dib) {
        GdiFlush();
        const std::size_t oldStride = RowStride();
        const std::size_t rowBytes = std::size_t(std::min(width, m_width)) * BytesPerPixel();
        for (int y = 0; y < std::min(height, m_height); ++y)
            std::memcpy(dib.bits + y * stride, m_bits + y * oldStride, rowBytes);
    }
    Replace(std::move(dib), width, height, m_format);
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == m_format)
        return;
    if (!m_dib) {
        m_format = format;
        Changed();
        return;
    }
    Dib dib = CreateDib(m_width, m_height, format);
    GdiFlush();
    const std::size_t oldStride = RowStride();
    const std::size_t newStride = bmp::Stride(m_width, format == pf32bit ? 32 : 24);
    const int from = BytesPerPixel(), to = format == pf32bit ? 4 : 3;
    for (int y = 0; y < m_height; ++y) {
        const std::uint8_t* src = m_bits + y * oldStride;
        std::uint8_t* dst = dib.bits + y * newStride;
        for (int x = 0; x < m_width; ++x, src += from, dst += to) {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
            if (to == 4)
                dst[3] = 0;
        }
    }
    Replace(std::move(dib), m_width, m_height, format);
}

std::uint8_t* TBitmap::ScanLine(int y)
{
    return const_cast<std::uint8_t*>(std::as_const(*this).ScanLine(y));
}

const std::uint8_t* TBitmap::ScanLine(int y) const
{
    if (!m_dib || y < 0 || y >= m_height)
        throw EInvalidGraphic("Scan line index out of range");
    // GDI may still be drawing into the section in the background.
    GdiFlush();
    return m_bits + static_cast<std::size_t>(y) * RowStride();
}

TCanvas& TBitmap::Canvas() const
{
    if (!m_canvas)
        m_canvas = std::make_unique<TBitmapCanvas>(*this);
    return *m_canvas;
}

HBITMAP TBitmap::Handle() const
{
    if (m_canvas)
        m_canvas->ReleaseBitmap();
    return m_dib.Get();
}

bool TBitmap::LoadFromImage(const bmp::Image& image)
{
    TPixelFormat format = image.bitCount == 32 ? pf32bit : pf24bit;
    Dib dib;
    try {
        dib = CreateDib(image.width, image.height, format);
    } catch (const EOutOfResources&) {
        return false;
    }
    std::memcpy(dib.bits, image.pixels.data(), image.pixels.size());
    Replace(std::move(dib), image.width, image.height, format);
    return true;
}

bool TBitmap::LoadFromMemory(std::span<const std::uint8_t> bmpFile)
{
    try {
        std::optional<bmp::Image> image = bmp::Decode(bmpFile, bmp::Source::File);
        return image && LoadFromImage(*image);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

namespace {

// Reads until `count` bytes arrived or the stream ends; answers the count read.
std::size_t ReadFully(TStream& stream, std::uint8_t* buffer, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        std::int64_t n = stream.Read(buffer + done, static_cast<std::int64_t>(count - done));
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

} // namespace

bool TBitmap::LoadFromStream(TStream& stream)
{
    const std::int64_t start = stream.Position();
    bool loaded = false;
    std::size_t used = 0;
    try {
        std::uint8_t header[bmp::kMaxHeaderBytes];
        std::size_t got = ReadFully(stream, header, sizeof header);
        std::optional<bmp::Layout> layout =
            bmp::ReadLayout(std::span(header, got), bmp::Source::File);
        if (layout) {
            // The header may have been read past the image's end; the rest of
            // a longer image follows.
            std::vector<std::uint8_t> file(layout->totalSize);
            std::size_t have = std::min(got, file.size());
            std::memcpy(file.data(), header, have);
            have += ReadFully(stream, file.data() + have, file.size() - have);
            if (have == file.size()) {
                loaded = LoadFromMemory(file);
                used = file.size();
            }
        }
    } catch (const EStreamError&) {
        loaded = false;
    } catch (const std::bad_alloc&) {
        loaded = false;
    }
    stream.Seek(start + (loaded ? static_cast<std::int64_t>(used) : 0), TSeekOrigin::soBeginning);
    return loaded;
}

bool TBitmap::LoadFromResourceName(HINSTANCE instance, const char* name)
{
    HRSRC found = FindResourceA(instance, name, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (!found)
        return false;
    HGLOBAL loaded = LoadResource(instance, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return false;
    std::span<const std::uint8_t> bytes(static_cast<const std::uint8_t*>(data),
                                        SizeofResource(instance, found));
    try {
        std::optional<bmp::Image> image = bmp::Decode(bytes, bmp::Source::Resource);
        return image && LoadFromImage(*image);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void TBitmap::SaveToStream(TStream& stream) const
{
    if (!m_dib)
        return;
    GdiFlush();
    std::vector<std::uint8_t> file =
        bmp::Encode(m_width, m_height, BytesPerPixel() * 8, m_bits, RowStride());
    stream.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
}

void TBitmap::Assign(const TBitmap& source)
{
    if (&source == this)
        return;
    m_transparent = source.m_transparent;
    m_transparentColor = source.m_transparentColor;
    if (!source.m_dib) {
        Replace(Dib{}, source.m_width, source.m_height, source.m_format);
        return;
    }
    Dib dib = CreateDib(source.m_width, source.m_height, source.m_format);
    GdiFlush();
    std::memcpy(dib.bits, source.m_bits,
                static_cast<std::size_t>(source.RowStride()) * source.m_height);
    Replace(std::move(dib), source.m_width, source.m_height, source.m_format);
}

void TBitmap::Swap(TBitmap& other)
{
    if (&other == this)
        return;
    // A DIB selected into a canvas DC would move to the other bitmap while
    // still selected there: both canvases let go first and select the
    // swapped DIBs again when next used.
    if (m_canvas)
        m_canvas->ReleaseBitmap();
    if (other.m_canvas)
        other.m_canvas->ReleaseBitmap();
    std::swap(m_width, other.m_width);
    std::swap(m_height, other.m_height);
    std::swap(m_format, other.m_format);
    std::swap(m_dib, other.m_dib);
    std::swap(m_bits, other.m_bits);
    std::swap(m_transparent, other.m_transparent);
    std::swap(m_transparentColor, other.m_transparentColor);
    Changed();
    other.Changed();
}

void TBitmap::SetTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    Changed();
}

TColor TBitmap::TransparentColor() const
{
    if (m_transparentColor != clDefault || !m_dib)
        return m_transparentColor;
    const std::uint8_t* p = ScanLine(m_height - 1);
    return RGBColor(p[2], p[1], p[0]);
}

void TBitmap::SetTransparentColor(TColor color)
{
    if (color == m_transparentColor)
        return;
    m_transparentColor = color;
    Changed();
}

void TBitmap::Changed()
{
    if (OnChange)
        OnChange(this);
}

} // namespace tarnivo
