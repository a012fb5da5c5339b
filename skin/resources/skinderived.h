#pragma once
// Images and values the skin loader derives from a skin's own images: the
// MDI child buttons cut from one strip, the mirrored combo button, the
// composed combo faces, the combo arrow, the caption colour and the tool-bar
// gradient. Cutting and mirroring go through scan lines; the combo faces are
// drawn with the framework's nine-grid and keyed blit.

#include "skinelements.h"

namespace tarnivo {

// The colour of a pixel (no bounds check beyond returning clNone outside).
TColor PixelAt(const TBitmap& image, int x, int y);

// Makes `target` a 24-bit copy of the part (x, y, width, height) of `source`;
// the part is clipped to the source.
void CopyPart(const TBitmap& source, int x, int y, int width, int height, TBitmap& target);

// Fills the whole bitmap with one colour.
void FillImage(TBitmap& image, TColor color);

// Mirrors each of `frameCount` side-by-side frames left to right in place,
// so frame k stays frame k (a whole-strip mirror would reverse their order).
void MirrorFrames(TBitmap& image, int frameCount);

// The radio or check frame count: `given` unless 0, else the image width
// divided by 13 (image below 16 pixels high) or 16, at least 4.
std::int32_t ImageFrameCount(const TBitmap& image, std::int32_t given);

// Each margin above `limit` becomes `limit`.
void LimitMargins(TSkinMargins& margins, std::int32_t limit);

// The MDICONTROLS strip holds 12 frames: 4 for each of the three MDI child
// buttons, which are the last three of elements.SysButtons.
void CutMdiButtons(const TBitmap& strip, TSkinElements& elements);

// The combo button's second image: its image at 24 bits, mirrored for combo
// boxes with the button on the left.
void MirrorComboButton(TDataSkinBorder& comboButton);

// Needs SunkEdge and ComboButton. Replaces ComboButton's image by complete
// combo faces (frame, button and arrow, edit area magenta) and SunkEdge's by
// their mirror image; `buttonWidth` is the system scroll-arrow width + 2.
void ComposeComboImages(TSkinElements& elements, int buttonWidth);

// Creates ComboxArrow from the composed faces, or from the combo button.
void BuildComboxArrow(TSkinElements& elements);

// The Top border's colour a third into its first frame, or the button face.
TColor CaptionColor(const TSkinElements& elements);

// Creates the 10 x 40 tool-bar gradient from the button face and csCaption.
void BuildToolbar(TSkinElements& elements);

} // namespace tarnivo
