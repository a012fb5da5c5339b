#include "framework/bitmap.h"
#include "tests/framework/graphics/bitmappixels.h"

#include "bmpbuilder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tarnivo {
namespace {

using test::BmpSpec;
using test::BuildBmp;
using test::PixelOf;
using test::SetPixelOf;

void Fill(TMemoryStream& s, const std::vector<std::uint8_t>& bytes)
{
    s.Clear();
    if (!bytes.empty())
        s.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    s.SetPosition(0);
}

TEST(BitmapScanLine, RowsAreTopFirstWithPaddedStride)
{
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TBitmap b;
        b.SetPixelFormat(format);
        b.SetSize(5, 3);
        // 5 pixels: 15 bytes padded to 16 at 24 bits, 20 at 32 bits.
        const int stride = format == pf24bit ? 16 : 20;
        EXPECT_EQ(b.RowStride(), stride);
        EXPECT_EQ(b.ScanLine(1) - b.ScanLine(0), stride);
        EXPECT_EQ(b.ScanLine(2) - b.ScanLine(0), 2 * stride);

        // GDI drawing at the top row shows in ScanLine(0), the bottom in ScanLine(2).
        b.Canvas().SetPixels(4, 0, clRed);
        b.Canvas().SetPixels(0, 2, clBlue);
        EXPECT_EQ(PixelOf(b, 4, 0), clRed);
        EXPECT_EQ(PixelOf(b, 0, 2), clBlue);
        EXPECT_EQ(PixelOf(b, 4, 2), clWhite);
    }
}

TEST(BitmapScanLine, OutsideTheImageRaises)
{
    TBitmap b;
    EXPECT_THROW(b.ScanLine(0), EInvalidGraphic);
    b.SetSize(2, 2);
    EXPECT_THROW(b.ScanLine(-1), EInvalidGraphic);
    EXPECT_THROW(b.ScanLine(2), EInvalidGraphic);
    EXPECT_NO_THROW(b.ScanLine(1));
}

TEST(BitmapSize, ResizeKeepsOverlapAndFillsWhite)
{
    TBitmap b;
    b.SetSize(2, 2);
    SetPixelOf(b, 1, 1, clLime);
    b.SetSize(3, 4);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Height(), 4);
    EXPECT_EQ(PixelOf(b, 1, 1), clLime);
    EXPECT_EQ(PixelOf(b, 2, 3), clWhite);
    b.SetSize(1, 1);
    EXPECT_EQ(PixelOf(b, 0, 0), clWhite);
}

TEST(BitmapSize, EmptyAndLimits)
{
    TBitmap b;
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Handle(), nullptr);
    b.SetSize(4, 0);
    EXPECT_TRUE(b.Empty());
    b.SetSize(-3, 5);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Width(), 0);
    EXPECT_THROW(b.SetSize(16385, 1), EInvalidGraphic);
    EXPECT_TRUE(b.Empty());
    b.SetSize(16384, 1);
    EXPECT_FALSE(b.Empty());
}

TEST(BitmapFormat, ConversionKeepsColours)
{
    TBitmap b;
    b.SetSize(3, 1);
    SetPixelOf(b, 2, 0, 0x123456);
    b.SetPixelFormat(pf32bit);
    EXPECT_EQ(b.BytesPerPixel(), 4);
    EXPECT_EQ(PixelOf(b, 2, 0), 0x123456);
    b.SetPixelFormat(pf24bit);
    EXPECT_EQ(PixelOf(b, 2, 0), 0x123456);
}

TEST(BitmapAssign, IsADeepCopy)
{
    TBitmap a;
    a.SetPixelFormat(pf32bit);
    a.SetSize(3, 2);
    SetPixelOf(a, 0, 1, 0x0A0B0C);
    a.SetTransparent(true);
    TBitmap b;
    b.Assign(a);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.PixelFormat(), pf32bit);
    EXPECT_TRUE(b.Transparent());
    EXPECT_NE(b.Handle(), a.Handle());
    EXPECT_EQ(PixelOf(b, 0, 1), 0x0A0B0C);
    SetPixelOf(b, 0, 1, clBlack);
    EXPECT_EQ(PixelOf(a, 0, 1), 0x0A0B0C);
}

TEST(BitmapSwap, ExchangesImagesWhileEachCanvasDrawsIntoItsNewImage)
{
    TBitmap a, b;
    a.SetPixelFormat(pf24bit);
    a.SetSize(2, 2);
    a.Canvas().SetPixels(0, 0, clRed);   // a's DIB is now selected into a's canvas DC
    b.SetPixelFormat(pf32bit);
    b.SetSize(3, 1);
    b.Canvas().SetPixels(2, 0, clBlue);
    b.SetTransparentColor(clLime);
    int changes = 0;
    a.OnChange = [&changes](TObject*) { ++changes; };

    a.Swap(b);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(a.Width(), 3);
    EXPECT_EQ(a.Height(), 1);
    EXPECT_EQ(a.PixelFormat(), pf32bit);
    EXPECT_EQ(a.TransparentColor(), clLime);
    EXPECT_EQ(PixelOf(a, 2, 0), clBlue);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_EQ(PixelOf(b, 0, 0), clRed);

    // Each canvas now draws into the image its bitmap holds, not the old one.
    a.Canvas().SetPixels(0, 0, clYellow);
    b.Canvas().SetPixels(1, 1, clAqua);
    EXPECT_EQ(PixelOf(a, 0, 0), clYellow);
    EXPECT_EQ(PixelOf(b, 0, 0), clRed);
    EXPECT_EQ(PixelOf(b, 1, 1), clAqua);

    TBitmap empty;
    a.Swap(empty);
    EXPECT_TRUE(a.Empty());
    EXPECT_EQ(empty.Width(), 3);
    EXPECT_EQ(PixelOf(empty, 0, 0), clYellow);
}

TEST(BitmapLoad, TwentyFourThirtyTwoAndEightBitFiles)
{
    TBitmap b;
    TMemoryStream s24;
    Fill(s24, BuildBmp(BmpSpec().Size(3, 2),
                                 {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203}));
    ASSERT_TRUE(b.LoadFromStream(s24));
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(PixelOf(b, 0, 0), RGBColor(0x11, 0x22, 0x33));
    EXPECT_EQ(PixelOf(b, 2, 1), RGBColor(0x01, 0x02, 0x03));
    // GDI sees the same pixels as the scan lines.
    EXPECT_EQ(b.Canvas().Pixels(2, 1), RGBColor(0x01, 0x02, 0x03));

    TMemoryStream s32;
    Fill(s32, BuildBmp(BmpSpec().Size(1, 2).Bits(32),
                                 {0x7FFF0000, 0x0000FF00}));
    ASSERT_TRUE(b.LoadFromStream(s32));
    EXPECT_EQ(b.PixelFormat(), pf32bit);
    EXPECT_EQ(PixelOf(b, 0, 0), clRed);
    EXPECT_EQ(b.ScanLine(0)[3], 0x7F);

    TMemoryStream s8;
    Fill(s8, BuildBmp(
        BmpSpec().Size(2, 1).Bits(8).Palette({0xFF00FF, 0x00FFFF}).ColorsUsed(2),
        {1, 0}));
    ASSERT_TRUE(b.LoadFromStream(s8));
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_EQ(PixelOf(b, 0, 0), RGBColor(0x00, 0xFF, 0xFF));
    EXPECT_EQ(PixelOf(b, 1, 0), clFuchsia);
}

TEST(BitmapLoad, RefusalLeavesImageAndStreamPosition)
{
    TBitmap b;
    b.SetSize(2, 2);
    SetPixelOf(b, 1, 1, 0x445566);
    HBITMAP before = b.Handle();

    std::vector<std::uint8_t> good = BuildBmp(BmpSpec().Size(4, 4),
                                              std::vector<std::uint32_t>(16, 0));
    std::vector<std::vector<std::uint8_t>> bad = {
        {},
        std::vector<std::uint8_t>(good.begin(), good.end() - 1),   // last byte missing
        std::vector<std::uint8_t>(good.begin(), good.begin() + 30),
    };
    bad.push_back(good);
    bad.back()[0] = 'X';
    bad.push_back(good);
    bad.back()[19] = 0x50;   // width 20480
    for (const auto& bytes : bad) {
        TMemoryStream s;
    Fill(s, bytes);
        s.SetPosition(0);
        EXPECT_FALSE(b.LoadFromStream(s));
        EXPECT_EQ(s.Position(), 0);
        EXPECT_FALSE(b.LoadFromMemory(bytes));
        EXPECT_EQ(b.Handle(), before);
        EXPECT_EQ(b.Width(), 2);
        EXPECT_EQ(PixelOf(b, 1, 1), 0x445566);
    }
}

TEST(BitmapLoad, StreamStopsAfterTheImage)
{
    std::vector<std::uint8_t> bytes = {0xAA, 0xBB};   // something before it
    std::vector<std::uint8_t> file = BuildBmp(BmpSpec().Size(1, 1), {0x010203});
    bytes.insert(bytes.end(), file.begin(), file.end());
    bytes.push_back(0xCC);   // and after it
    TMemoryStream s;
    Fill(s, bytes);
    s.SetPosition(2);
    TBitmap b;
    ASSERT_TRUE(b.LoadFromStream(s));
    EXPECT_EQ(s.Position(), static_cast<std::int64_t>(2 + file.size()));
    EXPECT_EQ(PixelOf(b, 0, 0), RGBColor(1, 2, 3));
}

TEST(BitmapSave, RoundTripsThroughAStream)
{
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TBitmap a;
        a.SetPixelFormat(format);
        a.SetSize(5, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                SetPixelOf(a, x, y, RGBColor(x * 40, y * 80, x + y));
        TMemoryStream s;
        a.SaveToStream(s);
        s.SetPosition(0);
        TBitmap b;
        ASSERT_TRUE(b.LoadFromStream(s));
        EXPECT_EQ(b.PixelFormat(), format);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(PixelOf(b, x, y), PixelOf(a, x, y));
    }
    TBitmap empty;
    TMemoryStream s;
    empty.SaveToStream(s);
    EXPECT_EQ(s.Size(), 0);
}

TEST(BitmapLoad, FromAModuleResource)
{
    // user32 carries the system's OBM_ bitmaps as RT_BITMAP resources.
    HMODULE user32 = GetModuleHandleA("user32.dll");
    ASSERT_NE(user32, nullptr);
    const char* close = MAKEINTRESOURCEA(32754);   // OBM_CLOSE
    HBITMAP reference = static_cast<HBITMAP>(LoadImageA(user32, close, IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(reference, nullptr);
    BITMAP info{};
    GetObjectA(reference, sizeof info, &info);
    DeleteObject(reference);

    TBitmap b;
    ASSERT_TRUE(b.LoadFromResourceName(user32, close));
    EXPECT_EQ(b.Width(), info.bmWidth);
    EXPECT_EQ(b.Height(), info.bmHeight);
    EXPECT_FALSE(b.LoadFromResourceName(user32, "NO_SUCH_BITMAP"));
    EXPECT_EQ(b.Width(), info.bmWidth);
}

TEST(BitmapHandle, CanGoIntoAnotherDCAfterCanvasUse)
{
    TBitmap b;
    b.SetSize(4, 4);
    b.Canvas().Brush().SetColor(clRed);
    b.Canvas().FillRect(Rect(0, 0, 4, 4));
    // A bitmap can be selected into one DC at a time: Handle() frees it.
    MemoryDC other = MemoryDC::CompatibleWith(nullptr);
    HGDIOBJ previous = SelectObject(other.Get(), b.Handle());
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(GetPixel(other.Get(), 3, 3), static_cast<COLORREF>(clRed));
    SetPixel(other.Get(), 0, 0, RGB(0, 0, 255));
    SelectObject(other.Get(), previous);
    // The canvas takes it back on its next use.
    EXPECT_EQ(b.Canvas().Pixels(0, 0), clBlue);
}

TEST(BitmapTransparency, DefaultKeyIsTheBottomLeftPixel)
{
    TBitmap b;
    b.SetSize(3, 3);
    SetPixelOf(b, 0, 2, clFuchsia);
    EXPECT_EQ(b.TransparentColor(), clFuchsia);
    b.SetTransparentColor(clLime);
    EXPECT_EQ(b.TransparentColor(), clLime);
}

TEST(BitmapChange, OnChangeFiresForWholeImageChanges)
{
    TBitmap b;
    int changes = 0;
    b.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &b);
        ++changes;
    };
    b.SetSize(2, 2);
    b.SetSize(2, 2);
    EXPECT_EQ(changes, 1);
    b.SetPixelFormat(pf32bit);
    EXPECT_EQ(changes, 2);
    SetPixelOf(b, 0, 0, clRed);
    EXPECT_EQ(changes, 2);
}

} // namespace
} // namespace tarnivo
