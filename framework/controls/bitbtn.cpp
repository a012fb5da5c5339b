#include "framework/controls/bitbtn.h"

#include "framework/canvas.h"
#include "framework/form.h"
#include "framework/gdiobjects.h"

#include <algorithm>

namespace tarnivo {

namespace {

struct KindDefaults {
    const char* Caption;
    int ModalResult;
};

// The captions and modal results of the standard kinds (IDOK .. the
// framework family's mrAll, one past IDNO).
constexpr KindDefaults Kinds[] = {
    {"", 0},          {"OK", IDOK},       {"Cancel", IDCANCEL}, {"&Help", 0},
    {"&Yes", IDYES},  {"&No", IDNO},      {"&Close", 0},        {"Abort", IDABORT},
    {"&Retry", IDRETRY}, {"&Ignore", IDIGNORE}, {"&All", IDNO + 1},
};

} // namespace

const TClassInfo& TBitBtn::StaticClassInfo()
{
    static const TClassInfo info{
        "TBitBtn",
        &TButton::StaticClassInfo(),
        {
            buttonglyph::GlyphProperty<TBitBtn>(),
            published::Integer("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs),
            published::Enumeration("Layout",
                                   {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"},
                                   &TBitBtn::Layout, &TBitBtn::SetLayout),
            published::Integer("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin),
            published::Integer("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing),
            published::Enumeration("Kind",
                                   {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo",
                                    "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"},
                                   &TBitBtn::Kind, &TBitBtn::SetKind),
        }};
    return info;
}

TBitBtn::TBitBtn(TComponent* owner) : TGlyphButton(owner)
{
}

void TBitBtn::CreateParams(TCreateParams& params)
{
    TButton::CreateParams(params);
    params.Style = (params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::SetKind(TBitBtnKind kind)
{
    if (m_kind == kind)
        return;
    m_kind = kind;
    if (kind == bkCustom)
        return;
    const KindDefaults& d = Kinds[kind];
    SetCaption(d.Caption);
    SetModalResult(d.ModalResult);
    SetDefault(kind == bkOK || kind == bkYes);
    SetCancel(kind == bkCancel || kind == bkNo);
}

void TBitBtn::Click()
{
    // A Close button closes its form; the handler runs first.
    if (m_kind == bkClose) {
        TButton::Click();
        if (TForm* form = ParentForm(this))
            form->Close();
        return;
    }
    TButton::Click();
}

void TBitBtn::DrawButton(HDC dc, const RECT& rect, bool pressed, bool focused, bool enabled)
{
    SavedDCState state(dc);
    RECT face = rect;
    if (Default() || focused) {
        // The default button's heavy border.
        FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&face, -1, -1);
    }
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

    RECT content = face;
    InflateRect(&content, -3, -3);
    if (pressed)
        OffsetRect(&content, 1, 1);
    auto cell = !enabled ? buttonglyph::Disabled : pressed ? buttonglyph::Pressed : buttonglyph::Up;
    m_glyph.DrawContent(dc, content, cell, enabled);
    if (focused) {
        RECT f = face;
        InflateRect(&f, -3, -3);
        DrawFocusRect(dc, &f);
    }
}

void TBitBtn::Dispatch(TMessage& message)
{
    if (message.Msg == CN_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        DrawButton(item->hDC, item->rcItem, item->itemState & ODS_SELECTED,
                   item->itemState & ODS_FOCUS, !(item->itemState & ODS_DISABLED));
        message.Result = TRUE;
        return;
    }
    TButton::Dispatch(message);
}

} // namespace tarnivo
