#include "framework/controls/bitbtn.h"

#include "framework/canvas.h"
#include "framework/form.h"
#include "framework/gdiobjects.h"

#include <algorithm>

namespace tarnivo {

// -------------------------------------------------------------- buttonglyph

namespace buttonglyph {

Placement Place(SIZE client, SIZE glyph, SIZE text, TButtonLayout layout, int margin, int spacing)
{
    bool across = layout == blGlyphLeft || layout == blGlyphRight;   // main axis is x
    // Main-axis and cross-axis extents.
    int clientMain = across ? client.cx : client.cy;
    int glyphMain = across ? glyph.cx : glyph.cy;
    int textMain = across ? text.cx : text.cy;
    int clientCross = across ? client.cy : client.cx;
    int glyphCross = across ? glyph.cy : glyph.cx;
    int textCross = across ? text.cy : text.cx;

    if (text.cx == 0 || glyph.cx == 0)
        spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (clientMain - glyphMain - textMain) / 3;
            spacing = margin;
        } else {
            margin = (clientMain - glyphMain - spacing - textMain) / 2;
        }
    } else if (spacing == -1) {
        spacing = (clientMain - margin - glyphMain - textMain) / 2;
    }

    int glyphAt = 0;
    int textAt = 0;
    switch (layout) {
    case blGlyphLeft:
    case blGlyphTop:
        glyphAt = margin;
        textAt = glyphAt + glyphMain + spacing;
        break;
    case blGlyphRight:
    case blGlyphBottom:
        glyphAt = clientMain - margin - glyphMain;
        textAt = glyphAt - spacing - textMain;
        break;
    }
    int glyphCrossAt = (clientCross - glyphCross + 1) / 2;
    int textCrossAt = (clientCross - textCross + 1) / 2;
    if (across)
        return {{glyphAt, glyphCrossAt}, {textAt, textCrossAt}};
    return {{glyphCrossAt, glyphAt}, {textCrossAt, textAt}};
}

SIZE CellSize(const TBitmap& glyph, int numGlyphs)
{
    if (glyph.Empty())
        return {0, 0};
    return {glyph.Width() / std::max(numGlyphs, 1), glyph.Height()};
}

int CellsInStrip(const TBitmap& glyph)
{
    if (glyph.Empty() || glyph.Width() % glyph.Height() != 0)
        return 1;
    int cells = glyph.Width() / glyph.Height();
    return cells >= 1 && cells <= 4 ? cells : 1;
}

void Draw(HDC dc, const TBitmap& glyph, int numGlyphs, Cell cell, int x, int y)
{
    SIZE size = CellSize(glyph, numGlyphs);
    if (size.cx <= 0 || size.cy <= 0)
        return;
    bool gray = false;
    int index = cell;
    if (index >= std::max(numGlyphs, 1)) {
        gray = cell == Disabled;
        index = 0;
    }
    // One cell, copied out so that it can be greyed and keyed on its own.
    TBitmap part;
    part.SetSize(size.cx, size.cy);
    HDC partDC = part.Canvas().Handle();
    BitBlt(partDC, 0, 0, size.cx, size.cy, glyph.Canvas().Handle(), index * size.cx, 0, SRCCOPY);
    COLORREF key = GetPixel(partDC, 0, size.cy - 1);
    if (gray) {
        for (int row = 0; row < size.cy; ++row) {
            std::uint8_t* p = part.ScanLine(row);
            for (int col = 0; col < size.cx; ++col, p += part.BytesPerPixel()) {
                if (RGB(p[2], p[1], p[0]) == key)
                    continue;
                // Lighter than a plain grey scale: disabled glyphs recede.
                int luma = (p[2] * 77 + p[1] * 150 + p[0] * 29) >> 8;
                auto g = static_cast<std::uint8_t>(128 + luma / 2);
                p[0] = p[1] = p[2] = g;
            }
        }
    }
    TransparentBlt(dc, x, y, size.cx, size.cy, part.Canvas().Handle(), 0, 0, size.cx, size.cy, key);
}

} // namespace buttonglyph

// ------------------------------------------------------------------ TBitBtn

namespace {

// "Glyph" reads the button's own bitmap; assigning one copies it in.
TPropInfo GlyphProperty()
{
    TPropInfo p{"Glyph", TPropKind::Object, {}, {}, {}};
    p.Get = [](const TObject& o) {
        return TPropValue{const_cast<TBitmap*>(&static_cast<const TBitBtn&>(o).Glyph())};
    };
    p.Set = [](TObject& o, const TPropValue& v) {
        auto* source = dynamic_cast<TBitmap*>(std::get<TObject*>(v));
        if (!source)
            throw EPropertyError("Invalid property value");
        static_cast<TBitBtn&>(o).SetGlyph(*source);
    };
    return p;
}

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
            GlyphProperty(),
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

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner)
{
    m_glyph.OnChange = [this](TObject*) { Invalidate(); };
}

void TBitBtn::CreateParams(TCreateParams& params)
{
    TButton::CreateParams(params);
    params.Style = (params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::SetGlyph(const TBitmap& glyph)
{
    m_glyph.Assign(glyph);
    m_numGlyphs = buttonglyph::CellsInStrip(m_glyph);
    Invalidate();
}

void TBitBtn::SetNumGlyphs(int count)
{
    count = std::clamp(count, 1, 4);
    if (m_numGlyphs == count)
        return;
    m_numGlyphs = count;
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout layout)
{
    if (m_layout == layout)
        return;
    m_layout = layout;
    Invalidate();
}

void TBitBtn::SetMargin(int margin)
{
    margin = std::max(margin, -1);
    if (m_margin == margin)
        return;
    m_margin = margin;
    Invalidate();
}

void TBitBtn::SetSpacing(int spacing)
{
    spacing = std::max(spacing, -1);
    if (m_spacing == spacing)
        return;
    m_spacing = spacing;
    Invalidate();
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
    SIZE client{content.right - content.left, content.bottom - content.top};

    SelectedObject font(dc, Font().Handle());
    std::string caption = Caption();
    SIZE text{0, 0};
    if (!caption.empty()) {
        RECT measure{0, 0, client.cx, client.cy};
        DrawTextA(dc, caption.c_str(), -1, &measure, DT_CALCRECT | DT_SINGLELINE);
        text = {measure.right, measure.bottom};
    }
    SIZE glyph = buttonglyph::CellSize(m_glyph, m_numGlyphs);
    auto place = buttonglyph::Place(client, glyph, text, m_layout, m_margin, m_spacing);

    auto cell = !enabled ? buttonglyph::Disabled : pressed ? buttonglyph::Pressed : buttonglyph::Up;
    buttonglyph::Draw(dc, m_glyph, m_numGlyphs, cell, content.left + place.Glyph.x,
                      content.top + place.Glyph.y);
    if (!caption.empty()) {
        RECT r{content.left + place.Text.x, content.top + place.Text.y,
               content.left + place.Text.x + text.cx, content.top + place.Text.y + text.cy};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(enabled ? Font().Color() : clGrayText));
        DrawTextA(dc, caption.c_str(), -1, &r, DT_SINGLELINE | DT_NOCLIP);
    }
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
