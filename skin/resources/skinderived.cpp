#include "skinderived.h"

#include "imgutil.h"

#include "framework/keyedblit.h"
#include "framework/ninegrid.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tarnivo {

namespace {

// The combo button is drawn from four state frames whatever its INI says.
constexpr int ComboFrames = 4;
constexpr int ComboFaceWidth = 50;
constexpr int ComboFaceHeight = 21;
constexpr int ArrowSide = 17;

bool Inside(const TBitmap& image, int x, int y)
{
    return x >= 0 && y >= 0 && x < image.Width() && y < image.Height();
}

// Row pointers of a bitmap, fetched once: ScanLine waits for GDI each time,
// which per pixel would cost more than the pixel work itself. Valid while
// the bitmap is neither resized nor drawn on through GDI.
class Pixels {
public:
    explicit Pixels(const TBitmap& image)
        : m_width(image.Width()), m_height(image.Height()), m_bpp(image.BytesPerPixel())
    {
        m_rows.reserve(static_cast<std::size_t>(m_height));
        for (int y = 0; y < m_height; ++y)
            m_rows.push_back(const_cast<std::uint8_t*>(image.ScanLine(y)));
    }

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    TColor Get(int x, int y) const
    {
        const std::uint8_t* p = m_rows[static_cast<std::size_t>(y)] + x * m_bpp;
        return RGBColor(p[2], p[1], p[0]);
    }
    void Put(int x, int y, TColor color)
    {
        std::uint8_t* p = m_rows[static_cast<std::size_t>(y)] + x * m_bpp;
        p[0] = static_cast<std::uint8_t>(BlueOf(color));
        p[1] = static_cast<std::uint8_t>(GreenOf(color));
        p[2] = static_cast<std::uint8_t>(RedOf(color));
    }
    void Fill(int left, int top, int right, int bottom, TColor color)
    {
        for (int y = std::max(top, 0); y < std::min(bottom, m_height); ++y)
            for (int x = std::max(left, 0); x < std::min(right, m_width); ++x)
                Put(x, y, color);
    }

private:
    int m_width, m_height, m_bpp;
    std::vector<std::uint8_t*> m_rows;
};

void MakeImage(TBitmap& image, int width, int height, TColor fill)
{
    image.SetSize(0, 0);
    image.SetPixelFormat(pf24bit);
    image.SetSize(width, height);
    FillImage(image, fill);
}

// Copies one pixel unless it falls outside either image.
void CopyPixel(const Pixels& source, int sx, int sy, Pixels& target, int tx, int ty)
{
    if (source.Inside(sx, sy) && target.Inside(tx, ty))
        target.Put(tx, ty, source.Get(sx, sy));
}

TMargins GridMargins(const TSkinMargins& m)
{
    return TMargins{m.Left, m.Top, m.Right, m.Bottom};
}

} // namespace

TColor PixelAt(const TBitmap& image, int x, int y)
{
    if (image.Empty() || !Inside(image, x, y))
        return clNone;
    const std::uint8_t* p = image.ScanLine(y) + x * image.BytesPerPixel();
    return RGBColor(p[2], p[1], p[0]);
}

void CopyPart(const TBitmap& source, int x, int y, int width, int height, TBitmap& target)
{
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = std::min(x + width, source.Width());
    const int bottom = std::min(y + height, source.Height());
    if (source.Empty() || right <= left || bottom <= top) {
        target.SetSize(0, 0);
        return;
    }
    MakeImage(target, right - left, bottom - top, clBlack);
    const Pixels from(source);
    Pixels to(target);
    for (int row = top; row < bottom; ++row)
        for (int col = left; col < right; ++col)
            to.Put(col - left, row - top, from.Get(col, row));
}

void FillImage(TBitmap& image, TColor color)
{
    Pixels(image).Fill(0, 0, image.Width(), image.Height(), color);
}

void MirrorFrames(TBitmap& image, int frameCount)
{
    if (image.Empty() || frameCount < 1)
        return;
    const int cellWidth = image.Width() / frameCount;
    const int bpp = image.BytesPerPixel();
    for (int y = 0; y < image.Height(); ++y) {
        std::uint8_t* row = image.ScanLine(y);
        for (int f = 0; f < frameCount; ++f) {
            std::uint8_t* a = row + f * cellWidth * bpp;
            std::uint8_t* b = a + (cellWidth - 1) * bpp;
            for (; a < b; a += bpp, b -= bpp)
                std::swap_ranges(a, a + bpp, b);
        }
    }
}

std::int32_t ImageFrameCount(const TBitmap& image, std::int32_t given)
{
    if (given != 0)
        return given;
    const int perFrame = image.Height() < 16 ? 13 : 16;
    return std::max(image.Width() / perFrame, 4);
}

void LimitMargins(TSkinMargins& margins, std::int32_t limit)
{
    for (std::int32_t* m : {&margins.Left, &margins.Top, &margins.Right, &margins.Bottom})
        *m = std::min(*m, limit);
}

void CutMdiButtons(const TBitmap& strip, TSkinElements& elements)
{
    auto& buttons = elements.SysButtons;
    if (buttons.size() < 3)
        return;
    const int frameWidth = strip.Width() / 12;
    for (int i = 0; i < 3; ++i) {
        TDataSkinSysButton& b = *buttons[buttons.size() - 3 + static_cast<std::size_t>(i)];
        CopyPart(strip, 4 * frameWidth * i, 0, 4 * frameWidth, strip.Height(), b.Image);
        b.X = (frameWidth + 4) * (3 - i);
    }
}

void MirrorComboButton(TDataSkinBorder& comboButton)
{
    comboButton.Image2.Assign(comboButton.Image);
    comboButton.Image2.SetPixelFormat(pf24bit);
    MirrorFrames(comboButton.Image2, ComboFrames);
}

void ComposeComboImages(TSkinElements& elements, int buttonWidth)
{
    TDataSkinObject& sunk = *elements.SunkEdge;
    TDataSkinBorder& button = *elements.ComboButton;
    const int n = sunk.FrameCount;
    if (n < 1)
        return;
    const int b = buttonWidth;
    const TRect buttonRect = Rect(ComboFaceWidth - b, 0, ComboFaceWidth, ComboFaceHeight);
    TBitmap strip, work;
    MakeImage(strip, ComboFaceWidth * n, ComboFaceHeight, clFuchsia);
    MakeImage(work, ComboFaceWidth, ComboFaceHeight, clFuchsia);
    for (int k = 1; k <= n; ++k) {
        FillImage(work, clFuchsia);
        HDC dc = work.Canvas().Handle();
        DrawNineGrid(dc, Rect(0, 0, ComboFaceWidth, ComboFaceHeight), sunk.Image, {n, k},
                     GridMargins(sunk.Margins), {},
                     sunk.Trans != 0 ? TKeying::Magenta : TKeying::Opaque);
        DrawNineGrid(dc, buttonRect, button.Image, {button.FrameCount, k},
                     GridMargins(button.Margins), {}, TKeying::Magenta);
        if (elements.ExtraImages)
            DrawCellCentred(dc, buttonRect, elements.ExtraImages->Image,
                            {elements.ExtraImages->FrameCount, k}, TKeying::Magenta);
        // The edit area stays see-through.
        Pixels face(work);
        face.Fill(2, 2, ComboFaceWidth - 1 - b, 18, clFuchsia);
        Pixels to(strip);
        for (int y = 0; y < ComboFaceHeight; ++y)
            for (int x = 0; x < ComboFaceWidth; ++x)
                to.Put(ComboFaceWidth * (k - 1) + x, y, face.Get(x, y));
    }
    button.Style = 2;
    button.Margins = TSkinMargins{2, sunk.Margins.Top, b + 2, sunk.Margins.Bottom};
    button.Image.Assign(strip);
    sunk.Image.Assign(strip);
    MirrorFrames(sunk.Image, n);
    sunk.Margins.Left = b + 2;
    sunk.Margins.Right = 2;
}

void BuildComboxArrow(TSkinElements& elements)
{
    auto arrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    const TDataSkinBorder* button = elements.ComboButton.get();
    if (elements.SunkEdge && button && button->Style == 2 && elements.SunkEdge->FrameCount > 0) {
        // Cut the arrow square out of each composed face's button part.
        const int n = elements.SunkEdge->FrameCount;
        const int faceWidth = button->Image.Width() / n;
        MakeImage(arrow->Image, ArrowSide * n, ArrowSide, clFuchsia);
        const Pixels from(button->Image);
        Pixels to(arrow->Image);
        for (int k = 1; k <= n; ++k) {
            const int x0 = k * faceWidth - 2 - ArrowSide;
            for (int y = 0; y < ArrowSide; ++y)
                for (int x = 0; x < ArrowSide; ++x)
                    CopyPixel(from, x0 + x, 2 + y, to, ArrowSide * (k - 1) + x, y);
        }
        arrow->FrameCount = n;
    } else if (button) {
        arrow->Image.Assign(button->Image);
        // The system colour is resolved here: ChangeTrans writes the value's
        // bytes as they are, and a system colour reference is no RGB value.
        if (!arrow->Image.Empty())
            ChangeTrans(arrow->Image, static_cast<TColor>(ColorToRGB(elements.Colors[csButtonFace])));
        arrow->FrameCount = button->FrameCount;
    }
    elements.ComboxArrow = std::move(arrow);
}

TColor CaptionColor(const TSkinElements& elements)
{
    const TDataSkinBorder& top = *elements.Top;
    if (top.Image.Empty())
        return elements.Colors[csButtonFace];
    const int frames = std::max(top.FrameCount, 1);
    return PixelAt(top.Image, top.Image.Width() / 3, (top.Image.Height() / frames) / 3);
}

void BuildToolbar(TSkinElements& elements)
{
    const TColor caption = static_cast<TColor>(ColorToRGB(elements.Colors[csCaption]));
    const TColor top = Blend(elements.Colors[csButtonFace], clWhite, 150);
    TColor bottom = Blend(clGray, caption, 150);
    const int saturation = GetHSV(caption);
    if (saturation > 110)
        bottom = Blend(caption, clWhite, (225 - saturation) * 25 / 140 + 50);
    auto toolbar = std::make_unique<TDataSkinObject>("Toolbar");
    MakeImage(toolbar->Image, 10, 40, top);
    GradFill(toolbar->Image.Canvas().Handle(), Rect(0, 0, 10, 40), top, bottom, gdVertical);
    toolbar->FrameCount = 1;
    elements.Toolbar = std::move(toolbar);
}

} // namespace tarnivo
