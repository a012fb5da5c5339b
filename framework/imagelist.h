#pragma once
// TImageList: a component owning a system image list (32-bit colour with
// masks), so list views, menus and the tray icon can share its images.

#include "component.h"
#include "events.h"
#include "gdiobjects.h"
#include "graphics.h"

namespace tarnivo {

class TBitmap;
class TCanvas;
class TIcon;

// How Draw paints an image.
enum class ImageState { Enabled, Disabled };

class TImageList : public TComponent {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    // Size of every image, 16 x 16 unless set. Changing it empties the list.
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetWidth(int width) { SetSize(width, m_height); }
    void SetHeight(int height) { SetSize(m_width, height); }
    void SetSize(int width, int height);

    // Each answers the index of the (first) added image, or -1 on failure.
    int AddIcon(const TIcon& icon);
    // Adds a copy of a borrowed icon's image; the caller keeps the handle.
    int AddIcon(HICON icon);
    // Adds width / Width() images cut from the bitmap, with an optional
    // monochrome-style mask bitmap (null: fully opaque).
    int Add(const TBitmap& image, const TBitmap* mask);
    // Pixels of `transparent` become transparent. The bitmap is not changed
    // (the system call would black out those pixels in its argument).
    int AddMasked(const TBitmap& image, TColor transparent);

    // Replaces `icon` with a new icon made from image `index`; false (icon
    // untouched) when there is no such image.
    bool GetIcon(int index, TIcon& icon) const;
    int Count() const;
    void Delete(int index);
    void Clear();

    // Draws image `index` with its mask; a disabled image is drawn grey, mixed
    // half and half with the button face colour.
    void Draw(TCanvas& canvas, int x, int y, int index, ImageState state = ImageState::Enabled);

    // The system image list, made on first use; owned by this component.
    HIMAGELIST Handle() const;

    // After every change of the images or their size, so controls showing
    // them can repaint.
    TNotifyEvent OnChange;

private:
    void Changed();
    void DrawDisabled(HDC dc, int x, int y, int index) const;

    int m_width = 16;
    int m_height = 16;
    mutable ImageListHandle m_list;
};

} // namespace tarnivo
