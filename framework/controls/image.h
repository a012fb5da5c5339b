#pragma once
// The picture (TImage), drawn on its parent.

#include "framework/bitmap.h"
#include "framework/control.h"

namespace tarnivo {

// Shows its bitmap at the top-left corner, centred (Center) or stretched to
// the control (Stretch). With Transparent, pixels of the key colour let the
// parent show through: the bitmap's own TransparentColor when the bitmap is
// marked Transparent, magenta otherwise (the skin artwork's key).
class TImage : public TGraphicControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TImage(TComponent* owner);

    // Owned by the image; changes of its size or contents repaint the control.
    TBitmap& Picture() { return m_picture; }
    const TBitmap& Picture() const { return m_picture; }

    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    bool Center() const { return m_center; }
    void SetCenter(bool center);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool stretch);

    // The colour that Transparent keys out.
    TColor KeyColor() const;
    // Where the picture lands, in the control's coordinates.
    TRect DestRect() const;

    void Paint(TCanvas& canvas) override;

private:
    TBitmap m_picture;
    bool m_transparent = false;
    bool m_center = false;
    bool m_stretch = false;
};

} // namespace tarnivo
