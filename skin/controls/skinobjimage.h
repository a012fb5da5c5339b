#pragma once
// Controls of other families that draw themselves from bitmaps they accept
// through published properties: image check boxes and radio buttons
// (TSkinObjImage) and page controls that take tab faces (TSkinAdvPage). The
// skin pushes its own images into them instead of painting over them.

#include "skin/controls/skinbox.h"

namespace tarnivo {

// Kind 1: a check box with "CustomGlyphs"; 2: a radio button with
// "CustomGlyphs"; 3: a check box whose "Properties" object holds a "Glyph".
// Like a container it stays out of the control's message path.
class TSkinObjImage : public TSkinBox {
public:
    // The glyph strip the controls take: this many cells of one skin frame.
    static constexpr int StripCells = 9;

    using TSkinBox::TSkinBox;
    std::string ClassName() const override { return "TSkinObjImage"; }

    void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
              bool updateColor) override;
    void Unsubclass() override;
    void SkinChange() override;

private:
    void PushGlyphs();
};

// The cells of a check (or radio) strip of the skin's [Buttons] images: the
// first four frames, or all five when the image has five, side by side in
// a strip of StripCells cells on magenta, into `strip`. Empty when the skin
// has no image.
void BuildGlyphStrip(const TSkinElements& skin, bool radio, TBitmap& strip);

// Kind 4: the control takes its tab faces as "TabBackGround" and
// "TabBackGroundActive"; its up-down child gets the skin's up-down.
class TSkinAdvPage : public TSkinControl {
public:
    static constexpr int PageKindTabBitmaps = 4;
    static constexpr int TabFaceWidth = 100;
    static constexpr int TabFaceHeight = 21;

    using TSkinControl::TSkinControl;
    std::string ClassName() const override { return "TSkinAdvPage"; }

    void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
              bool updateColor) override;
    void Unsubclass() override;
    void SkinChange() override;
    void AfterProc(TMessage& message) override;

    // The skin of the control's up-down child, once it has one.
    TSkinControlLink* UpDown() const { return FUpDown; }

private:
    void PushTabFaces();
    void FindScroll();

    TSkinControlLink* FUpDown = nullptr;   // owned (a component of this object)
};

} // namespace tarnivo
