#include "imagelist.h"

#include "bitmap.h"
#include "canvas.h"
#include "icon.h"

namespace tarnivo {

const TClassInfo& TImageList::StaticClassInfo()
{
    static const TClassInfo info{
        "TImageList",
        &TComponent::StaticClassInfo(),
        {
            published::Integer("Width", &TImageList::Width, &TImageList::SetWidth),
            published::Integer("Height", &TImageList::Height, &TImageList::SetHeight),
        }};
    return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() = default;

HIMAGELIST TImageList::Handle() const
{
    // Grown 64 images at a time: the list keeps all images in one bitmap, and
    // a small step would copy that bitmap again every few adds.
    if (!m_list)
        m_list.Reset(ImageList_Create(m_width, m_height, ILC_COLOR32 | ILC_MASK, 4, 64));
    return m_list.Get();
}

void TImageList::SetSize(int width, int height)
{
    if (width == m_width && height == m_height)
        return;
    if (width < 1 || height < 1)
        throw EInvalidGraphic("Invalid image size");
    m_width = width;
    m_height = height;
    bool hadImages = m_list && ImageList_GetImageCount(m_list.Get()) > 0;
    m_list.Reset();
    if (hadImages)
        Changed();
}

int TImageList::AddIcon(const TIcon& icon)
{
    return AddIcon(icon.Handle());
}

int TImageList::AddIcon(HICON icon)
{
    if (!icon || !Handle())
        return -1;
    int index = ImageList_AddIcon(m_list.Get(), icon);
    if (index >= 0)
        Changed();
    return index;
}

int TImageList::Add(const TBitmap& image, const TBitmap* mask)
{
    if (image.Empty() || !Handle())
        return -1;
    // ImageList_Add needs bitmaps that no DC holds: Handle() selects them out.
    int index = ImageList_Add(m_list.Get(), image.Handle(), mask ? mask->Handle() : nullptr);
    if (index >= 0)
        Changed();
    return index;
}

int TImageList::AddMasked(const TBitmap& image, TColor transparent)
{
    if (image.Empty() || !Handle())
        return -1;
    TBitmap copy;
    copy.Assign(image);
    int index = ImageList_AddMasked(m_list.Get(), copy.Handle(), ColorToRGB(transparent));
    if (index >= 0)
        Changed();
    return index;
}

bool TImageList::GetIcon(int index, TIcon& icon) const
{
    if (!m_list || index < 0 || index >= Count())
        return false;
    HICON made = ImageList_GetIcon(m_list.Get(), index, ILD_NORMAL);
    if (!made)
        return false;
    icon.SetHandle(made);
    return true;
}

int TImageList::Count() const
{
    return m_list ? ImageList_GetImageCount(m_list.Get()) : 0;
}

void TImageList::Delete(int index)
{
    if (m_list && index >= 0 && index < Count() && ImageList_Remove(m_list.Get(), index))
        Changed();
}

void TImageList::Clear()
{
    if (Count() == 0)
        return;
    ImageList_RemoveAll(m_list.Get());
    Changed();
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, ImageState state)
{
    if (!m_list || index < 0 || index >= Count())
        return;
    HDC dc = canvas.Handle();
    if (state == ImageState::Enabled)
        ImageList_Draw(m_list.Get(), index, dc, x, y, ILD_NORMAL);
    else
        DrawDisabled(dc, x, y, index);
}

// ILD_BLEND50 is not honoured everywhere (Wine draws the plain image), so the
// disabled look is made here: the image over the destination, then every
// pixel its mask keeps turned grey and mixed half and half with the button
// face colour.
void TImageList::DrawDisabled(HDC dc, int x, int y, int index) const
{
    TBitmap image, mask;
    image.SetPixelFormat(pf32bit);
    image.SetSize(m_width, m_height);
    mask.SetPixelFormat(pf32bit);
    mask.SetSize(m_width, m_height);   // white
    HDC imageDC = image.Canvas().Handle();
    BitBlt(imageDC, 0, 0, m_width, m_height, dc, x, y, SRCCOPY);
    ImageList_Draw(m_list.Get(), index, imageDC, 0, 0, ILD_NORMAL);
    ImageList_Draw(m_list.Get(), index, mask.Canvas().Handle(), 0, 0, ILD_MASK);

    const COLORREF face = ColorToRGB(clBtnFace);
    for (int row = 0; row < m_height; ++row) {
        std::uint8_t* p = image.ScanLine(row);
        const std::uint8_t* m = mask.ScanLine(row);
        for (int col = 0; col < m_width; ++col, p += 4, m += 4) {
            if (m[0] != 0)   // white in the mask: transparent
                continue;
            const int grey = (p[0] + p[1] + p[2]) / 3;
            p[0] = static_cast<std::uint8_t>((grey + GetBValue(face)) / 2);
            p[1] = static_cast<std::uint8_t>((grey + GetGValue(face)) / 2);
            p[2] = static_cast<std::uint8_t>((grey + GetRValue(face)) / 2);
        }
    }
    BitBlt(dc, x, y, m_width, m_height, image.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TImageList::Changed()
{
    if (OnChange)
        OnChange(this);
}

} // namespace tarnivo
