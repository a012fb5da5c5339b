#pragma once
// The bit button: a push button ("BUTTON", owner-drawn) with a glyph beside
// its caption.

#include "framework/bitmap.h"
#include "framework/controls/button.h"
#include "framework/controls/buttonglyph.h"

namespace tarnivo {

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry,
                   bkIgnore, bkAll };

// A push button that draws itself: the system face, then Glyph (cell 1 up,
// 2 disabled, 3 pressed, of NumGlyphs) and the caption placed by Layout,
// Margin and Spacing. Kind gives a standard caption, modal result and
// default or cancel role.
class TBitBtn : public TGlyphButton<TButton> {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TBitBtn(TComponent* owner);

    TBitBtnKind Kind() const { return m_kind; }
    void SetKind(TBitBtnKind kind);

    void Click() override;
    void Dispatch(TMessage& message) override;

    // Draws the button's face and content as it is now into `dc`, over
    // `rect`; the owner-draw handler uses it with the window's state.
    void DrawButton(HDC dc, const RECT& rect, bool pressed, bool focused, bool enabled);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TBitBtnKind m_kind = bkCustom;
};

} // namespace tarnivo
