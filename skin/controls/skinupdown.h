#pragma once
// TSkinUpDown: the two arrow halves of an up-down control drawn from the
// "UpDown.Vert" or "UpDown.Horz" element. The same object skins the arrows
// that spin edits, tab controls and tab sets carry as child windows.

#include "skin/controls/skincontrol.h"

namespace tarnivo {

class TDataSkinBorder;

// Which way the chevron of DrawArrow points.
enum TArrowDirection { adUp = 0, adDown = 1, adLeft = 2, adRight = 3 };

// A small filled chevron, about 9 x 5 pixels, with its tip at (x, y), in the
// canvas pen's colour.
void DrawArrow(TCanvas& canvas, int x, int y, int direction);

class TSkinUpDown : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::string ClassName() const override { return "TSkinUpDown"; }

    bool BeforeProc(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;

    // The up-down is the child of an edit: it keeps off the edit's border.
    bool Embedded() const { return FEmbedded; }
    void SetEmbedded(bool embedded) { FEmbedded = embedded; }
    // 1: the up-down covers a tab set's scroller and is always split left
    // and right.
    int HorizontalKind() const { return FHorizontalKind; }
    void SetHorizontalKind(int kind) { FHorizontalKind = static_cast<BYTE>(kind); }
    // Whether the arrows are split left and right.
    bool Horizontal() const;

protected:
    // The rectangle the arrows are drawn in (window coordinates), white
    // behind an embedded up-down.
    TRect DrawBackGround(HDC dc, const TRect& rect);
    // One half from the element: frame `frame` of 8 stretched over `half`,
    // then the glyph of the same frame centred over it.
    void DrawSkinButton(HDC dc, const TRect& half, int frame, const TDataSkinBorder& element) const;
    // The fall-back face of one half: a framed button with a chevron.
    void DrawButton(TCanvas& canvas, const TRect& half, bool pressed, int direction) const;

    bool FEmbedded = false;     // a child of an edit
    BYTE FHorizontalKind = 0;   // 1: a tab set's scroller

private:
    void MouseDown(TMessage& message);
    void MouseUp(TMessage& message);
    void EraseRaw(TMessage& message);
};

} // namespace tarnivo
