#pragma once
// Caption text of the control painters: button captions with their "||"
// line break, one caption centred vertically, an image-list icon followed by
// a caption, the focus rectangle around a caption, and the small text and
// bitmap helpers they share.
//
// Text is drawn with the wide calls on the Windows NT family and converted to
// the ANSI code page on the Windows 95 family, whose wide DrawText does not
// draw. Captions are drawn in the canvas's font with its style made plain,
// on a transparent background; the canvas's font colour, style and
// background mode are as before afterwards.

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/controls/label.h"
#include "framework/graphics.h"
#include "framework/imagelist.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

namespace tarnivo {

// The system draws wide text (the Windows NT family). Read once.
bool WideTextPlatform();

// `text` with the first occurrence of `old` replaced by `replacement`; the
// text as it is when `old` is empty or absent.
std::wstring StringReplaceW(std::wstring_view text, std::wstring_view old,
                            std::wstring_view replacement);

// A button caption as drawn: the first "||" becomes a line break (CR LF);
// later ones stay as they are.
std::wstring ButtonCaption(std::wstring_view caption);

// DrawText on a raw DC, wide or ANSI by the platform; DT_CALCRECT updates
// `rect` as DrawText does. Answers the height of the text.
int DrawSkinText(HDC dc, std::wstring_view text, RECT& rect, UINT format);

// Height of `text` in the DC's font (of one line when the text is empty).
int TextHeight(HDC dc, std::wstring_view text);

// Gives `target` the size and pixel format of `source` and draws `source` at
// (0, 0) (keyed when `source` is Transparent, as TCanvas::Draw does).
void CopyBMP(const TBitmap& source, TBitmap& target);

// One caption in `rect`: measured with `format` | DT_EXPANDTABS, moved down by
// half the free height (rounded toward zero) less one pixel; with DT_CENTER
// also moved right by half the free width, otherwise as wide as `rect`. A
// disabled caption is drawn in clBtnShadow.
void DrawCaption(TCanvas& canvas, const TRect& rect, std::wstring_view text, bool enabled,
                 UINT format);

// Icon `imageIndex` of `images` (when the index is not -1, the list is given
// and the icon is narrower than `rect`), then the caption on one line with an
// ellipsis, both centred vertically, starting 3 pixels in (left), centred, or
// 2 pixels short of the right edge (right); never closer than 1 pixel to the
// left edge. `extraFormat` adds flags such as DT_RTLREADING.
void DrawImgCaption(TCanvas& canvas, const TRect& rect, TAlignment alignment,
                    std::wstring_view text, int imageIndex, TImageList* images, bool enabled,
                    UINT extraFormat = 0);
// The same with a system image list (a header's own list); an index past
// the list's end draws no icon.
void DrawImgCaption(TCanvas& canvas, const TRect& rect, TAlignment alignment,
                    std::wstring_view text, int imageIndex, HIMAGELIST images, bool enabled,
                    UINT extraFormat = 0);

// The dotted focus rectangle around `text` as DrawCaption places it with
// `format` (DT_CENTER: centred; DT_RIGHT: at the right edge; else at the
// left), two pixels wider and one higher on every side, cut to `rect`. The
// text is measured in the DC's font.
void DrawFocus(HDC dc, std::wstring_view text, UINT format, const TRect& rect);

} // namespace tarnivo
