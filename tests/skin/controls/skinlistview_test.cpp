// Header skins: items from the skin's header frames, the width past the
// last item filled with the normal frame, and the item under the pointer hot.

#include "scrollskintestkit.h"
#include "skincontroltestkit.h"
#include "skintestkit.h"

#include "skin/controls/skinlistview.h"
#include "skin/forms/skinmessages.h"

#include "framework/gdiobjects.h"

#include <commctrl.h>

namespace tarnivo::test {

namespace {

class HeaderSkin : public ControlSkinTest {
protected:
    void SetUp() override
    {
        ControlSkinTest::SetUp();
        ASSERT_TRUE(LoadScrollSkin(*m_data));
        InitCommonControls();
        m_header = CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | WS_VISIBLE, 0, 100, 280, 24,
                                   m_form->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(m_header, nullptr);
        AddItem(L"", 0, 60);
        AddItem(L"", 0, 60);
        AddItem(L"Mid", HDF_CENTER, 100);
        m_skin = new TSkinHeader(m_form.get());
        m_skin->Inithwnd(m_header, m_data.get(), nullptr, m_host.get());
        ASSERT_TRUE(m_skin->Inited());
        m_bitmap.SetPixelFormat(pf32bit);
        m_bitmap.SetSize(280, 24);
    }
    void TearDown() override
    {
        delete m_skin;
        DestroyWindow(m_header);
        ControlSkinTest::TearDown();
    }
    void AddItem(const wchar_t* text, int format, int width)
    {
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = const_cast<wchar_t*>(text);
        item.cxy = width;
        item.fmt = format | HDF_STRING;
        const int count = static_cast<int>(SendMessageW(m_header, HDM_GETITEMCOUNT, 0, 0));
        SendMessageW(m_header, HDM_INSERTITEMW, count, reinterpret_cast<LPARAM>(&item));
    }
    HDC Paint()
    {
        HDC dc = m_bitmap.Canvas().Handle();
        SendMessageW(m_header, WM_SKINPAINTCLIENT, reinterpret_cast<WPARAM>(dc), SkinMagic);
        return dc;
    }
    TColor At(int x, int y = 4) { return static_cast<TColor>(GetPixel(Paint(), x, y)); }
    void MoveTo(int x)
    {
        SendMessageW(m_header, WM_MOUSEMOVE, 0, MAKELPARAM(x, 10));
    }

    HWND m_header = nullptr;
    TSkinHeader* m_skin = nullptr;
    TBitmap m_bitmap;
};

} // namespace

TEST_F(HeaderSkin, ItemsAndTheRestUseTheNormalFrame)
{
    EXPECT_EQ(At(30), HeaderColor(1));
    EXPECT_EQ(At(90), HeaderColor(1));
    // Past the last item (220) the header is filled with frame 1 too.
    EXPECT_EQ(At(250), HeaderColor(1));
    ASSERT_EQ(m_skin->ItemRects().size(), 3u);
    EXPECT_EQ(m_skin->ItemRects()[1].left, 63);
    EXPECT_EQ(m_skin->ItemRects()[1].right, 117);
}

TEST_F(HeaderSkin, CentredTextIsDrawnInTheMiddle)
{
    HDC dc = Paint();
    auto textIn = [&](int from, int to) {
        for (int x = from; x < to; ++x)
            for (int y = 2; y < 22; ++y)
                if (static_cast<TColor>(GetPixel(dc, x, y)) != HeaderColor(1))
                    return true;
        return false;
    };
    EXPECT_TRUE(textIn(150, 190));
    EXPECT_FALSE(textIn(123, 135));
    EXPECT_FALSE(textIn(205, 218));
}

TEST_F(HeaderSkin, ItemUnderThePointerIsHotUntilItLeaves)
{
    Paint();
    MoveTo(90);
    EXPECT_EQ(m_skin->HotItem(), 1);
    EXPECT_EQ(At(90), HeaderColor(2));
    EXPECT_EQ(At(30), HeaderColor(1));
    // A gap between two items keeps the last hot item.
    MoveTo(121);
    EXPECT_EQ(m_skin->HotItem(), 1);
    MoveTo(30);
    EXPECT_EQ(m_skin->HotItem(), 0);
    EXPECT_EQ(At(30), HeaderColor(2));
    EXPECT_EQ(At(90), HeaderColor(1));
    SendMessageW(m_header, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(m_skin->HotItem(), -1);
    EXPECT_EQ(At(30), HeaderColor(1));
}

// The header's own image list: an item with HDF_IMAGE shows its icon left of
// its text; the same image index without HDF_IMAGE shows none.
TEST_F(HeaderSkin, ItemImageComesFromTheHeadersImageListOnlyWithTheFlag)
{
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32, 1, 0);
    ASSERT_NE(images, nullptr);
    HDC screen = GetDC(nullptr);
    HBITMAP red = CreateCompatibleBitmap(screen, 16, 16);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, red);
    RECT all{0, 0, 16, 16};
    GdiBrush brush(CreateSolidBrush(RGB(255, 0, 0)));
    FillRect(memory, &all, brush.Get());
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(ImageList_Add(images, red, nullptr), 0);
    DeleteObject(red);
    SendMessageW(m_header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    for (const int format : {HDF_IMAGE | HDF_LEFT, HDF_LEFT}) {
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
        item.pszText = const_cast<wchar_t*>(L"Name");
        item.fmt = format | HDF_STRING;
        item.iImage = 0;
        SendMessageW(m_header, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        HDC dc = Paint();
        int redPixels = 0;
        for (int x = 0; x < 60; ++x)
            for (int y = 0; y < 24; ++y)
                redPixels += GetPixel(dc, x, y) == RGB(255, 0, 0);
        if (format & HDF_IMAGE) {
            EXPECT_EQ(redPixels, 16 * 16);
            EXPECT_EQ(GetPixel(dc, 3, 12), RGB(255, 0, 0)) << "3 pixels in, centred";
        } else {
            EXPECT_EQ(redPixels, 0);
        }
    }
    SendMessageW(m_header, HDM_SETIMAGELIST, 0, 0);
    ImageList_Destroy(images);
}

} // namespace tarnivo::test
