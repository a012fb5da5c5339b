#pragma once
// Extra controls: the picture (TImage), drawn on its parent, and the panel,
// a window that groups controls under a bevel and a centred caption.

#include "bitmap.h"
#include "control.h"

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

enum TPanelBevel { bvNone, bvLowered, bvRaised };

class TCustomPanel : public TCustomControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TCustomPanel(TComponent* owner);

    TPanelBevel BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TPanelBevel bevel);
    TPanelBevel BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TPanelBevel bevel);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int width);

protected:
    // The background is already in Color (WM_ERASEBKGND); this adds the
    // bevels, outer then inner, and the caption in the middle.
    void Paint(TCanvas& canvas) override;

private:
    TPanelBevel m_bevelOuter = bvRaised;
    TPanelBevel m_bevelInner = bvNone;
    int m_bevelWidth = 1;
};

class TPanel : public TCustomPanel {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomPanel::TCustomPanel;
};

} // namespace tarnivo
