#include "menuitems.h"

#include "popupmenu.h"
#include "skinmanager.h"

#include "skin/paint/drawroutines.h"

#include "framework/dcscopes.h"
#include "framework/gdiobjects.h"
#include "framework/imagelist.h"
#include "framework/unicodetext.h"
#include "framework/windowdpi.h"

#include <algorithm>

namespace tarnivo {

namespace {

IMenuPopupLink* g_popupLink = nullptr;

// The skin manager keeps the popup-window objects.
class TManagerPopupLink : public IMenuPopupLink {
public:
    void SetHMenu(HMENU menu) override
    {
        if (TSkinManage* manager = SkinManage())
            manager->SetHMenu(menu);
    }
    const TBitmap* GetMenuBg(HMENU menu) override
    {
        TSkinManage* manager = SkinManage();
        return manager ? manager->GetMenuBg(menu) : nullptr;
    }
    void PopupMeasured() override
    {
        if (TSkinManage* manager = SkinManage())
            manager->FrameworkMenu = 1;
    }
    void PopupDrawn() override
    {
        if (TSkinManage* manager = SkinManage())
            manager->SetPopMenu();
    }
};

// Width of the glyph column when the menu has no image list.
constexpr int DefaultGlyphColumn = 16;

// The shortcut column keeps this much room to the entry's far edge.
constexpr int ShortcutEdge = 11;

TImageList* ItemImages(const TMenuItem& item)
{
    TMenu* menu = item.Menu();
    return menu ? menu->Images() : nullptr;
}

bool HasImage(const TMenuItem& item)
{
    TImageList* images = ItemImages(item);
    return images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count();
}

// The caption before a tab, and the shortcut: the item's own, else what
// follows the tab (native entries and the system menu carry it that way).
std::string CaptionText(const TMenuItem& item)
{
    const std::string& caption = item.Caption();
    return caption.substr(0, caption.find('\t'));
}

std::string ShortcutText(const TMenuItem& item)
{
    if (item.ShortCut())
        return ShortCutToText(item.ShortCut());
    const std::string& caption = item.Caption();
    const auto tab = caption.find('\t');
    return tab == std::string::npos ? std::string{} : caption.substr(tab + 1);
}

// The classic 7 x 7 check mark centred in the cell, drawn by hand: Wine
// prefixes often lack the symbol font the system draws it from.
void DrawCheckMark(HDC dc, const TRect& cell, TColor color)
{
    GdiBrush brush(CreateSolidBrush(ColorToRGB(color)));
    const int left = (cell.left + cell.right - 7) / 2;
    const int top = (cell.top + cell.bottom - 7) / 2;
    for (int x = 0; x < 7; ++x) {
        const int y = x <= 2 ? x + 2 : 6 - x;
        RECT column{left + x, top + y, left + x + 1, top + y + 3};
        FillRect(dc, &column, brush.Get());
    }
}

// A radio item's dot: a filled 6 x 6 disc centred in the cell.
void DrawBullet(HDC dc, const TRect& cell, TColor color)
{
    GdiBrush brush(CreateSolidBrush(ColorToRGB(color)));
    SelectedObject selectBrush(dc, brush.Get());
    SelectedObject selectPen(dc, GetStockObject(NULL_PEN));
    const int left = (cell.left + cell.right - 6) / 2;
    const int top = (cell.top + cell.bottom - 6) / 2;
    Ellipse(dc, left, top, left + 7, top + 7);
}

// The checked-image look: a 50 % pattern of button face and button
// highlight, sunk by one pixel.
void DrawCheckedCell(HDC dc, const TRect& cell)
{
    static const WORD bits[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    GdiBitmap pattern(CreateBitmap(8, 8, 1, 1, bits));
    GdiBrush brush(CreatePatternBrush(pattern.Get()));
    const COLORREF text = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
    const COLORREF back = SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    RECT r = cell;
    FillRect(dc, &r, brush.Get());
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
}

} // namespace

void SetMenuPopupLink(IMenuPopupLink* link)
{
    g_popupLink = link;
}

IMenuPopupLink* MenuPopupLink()
{
    static TManagerPopupLink manager;
    return g_popupLink ? g_popupLink : &manager;
}

LOGFONTW SystemMenuFont(int dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        if (dpi > 0)
            metrics.lfMenuFont.lfHeight = ScaleFromSystemDpi(metrics.lfMenuFont.lfHeight, dpi);
        return metrics.lfMenuFont;
    }
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return font;
}

int TMenuItemPainter::Px(int length) const
{
    return DpiLength(length, Dpi > 0 ? Dpi : SystemDpi());
}

const TDataSkinObject* TMenuItemPainter::Element() const
{
    const TDataSkinObject* element = Skin.ElementsAt(Dpi > 0 ? Dpi : SystemDpi()).MenuItem.get();
    return ElementPresent(element) ? element : nullptr;
}

TRect TMenuItemPainter::GlyphCell(const TMenuItem& item, const TRect& rect) const
{
    TImageList* images = ItemImages(item);
    int column = images ? images->Width() : Px(DefaultGlyphColumn);
    if (item.Checked())
        column = std::max(column, Px(DefaultGlyphColumn));
    const int margin = Element() ? Element()->Margins.Left : 0;
    if (item.IsLine()) {
        const int x = RightToLeft ? rect.right - 1 - margin : rect.left + 1 + margin;
        return TRect{x, rect.top + 1, x, rect.top + 1};
    }
    if (RightToLeft) {
        const int right = rect.right - 1 - margin;
        return TRect{right - column, rect.top + 1, right, rect.top + 1 + column};
    }
    const int left = rect.left + 1 + margin;
    return TRect{left, rect.top + 1, left + column, rect.top + 1 + column};
}

void TMenuItemPainter::Background(TCanvas& canvas, const TRect& rect, const TRect& itemRect,
                                  HMENU menu) const
{
    const TBitmap* background = menu ? MenuPopupLink()->GetMenuBg(menu) : nullptr;
    if (background && !background->Empty()) {
        BitBlt(canvas.Handle(), rect.left, rect.top, RectWidth(rect), RectHeight(rect),
               background->Canvas().Handle(), itemRect.left + PopupBorder,
               itemRect.top + PopupBorder, SRCCOPY);
        return;
    }
    canvas.Brush().SetColor(Skin.Colors(csMenubg));
    canvas.FillRect(rect);
}

void TMenuItemPainter::DrawMenuItem(TMenuItem& item, TCanvas& canvas, const TRect& rect,
                                    bool selected, HMENU menu) const
{
    MenuPopupLink()->PopupDrawn();
    if (!Element()) {
        DefaultMenuItem(item, canvas, rect, selected);
        return;
    }
    DrawItemBody(item, canvas, rect, selected, menu, true);
}

void TMenuItemPainter::DrawHMenuItem2(TMenuItem& item, TCanvas& canvas, const TRect& rect,
                                      bool selected, HMENU menu) const
{
    MenuPopupLink()->PopupDrawn();
    if (!Element()) {
        DefaultMenuItem(item, canvas, rect, selected);
        return;
    }
    DrawItemBody(item, canvas, rect, selected, menu, false);
}

// Composed in an entry-sized bitmap, then copied in one go: the menu's DC
// never shows a half-drawn entry.
void TMenuItemPainter::DrawItemBody(TMenuItem& item, TCanvas& canvas, const TRect& rect,
                                    bool selected, HMENU menu, bool separatorFrame) const
{
    const int w = RectWidth(rect);
    const int h = RectHeight(rect);
    if (w <= 0 || h <= 0)
        return;
    if (menu)
        MenuPopupLink()->SetHMenu(menu);
    TBitmap buffer;
    buffer.SetSize(w, h);
    TCanvas& composed = buffer.Canvas();
    composed.Font().AssignLogFont(SystemMenuFont(Dpi));
    const TRect local{0, 0, w, h};
    Background(composed, local, rect, menu);
    const TDataSkinObject& element = *Element();
    if (separatorFrame && item.IsLine()) {
        canvas.Draw(rect.left, rect.top, buffer);
        DrawMenuCaption(canvas, rect);
        return;
    }
    DrawRect2(composed.Handle(), local, element.Image, FrameLayout::SideBySide,
              element.Tile ? CenterFill::Tile : CenterFill::Stretch,
              element.Trans ? Keying::Transparent : Keying::Opaque, element.FrameCount,
              selected ? 4 : 1, element.Margins);
    DrawItemText(item, composed, local, selected);
    canvas.Draw(rect.left, rect.top, buffer);
}

void TMenuItemPainter::DefaultMenuItem(TMenuItem& item, TCanvas& canvas, const TRect& rect,
                                       bool selected) const
{
    canvas.Brush().SetColor(Skin.Colors(selected ? csHilight : csMenubg));
    canvas.FillRect(rect);
    DrawItemText(item, canvas, rect, selected);
}

void TMenuItemPainter::DrawMenuCaption(TCanvas& canvas, const TRect& rect) const
{
    const TDataSkinObject* element = Element();
    if (!element || RectWidth(rect) <= 0 || RectHeight(rect) <= 0)
        return;
    TBitmap slices;
    slices.SetSize(RectWidth(rect), RectHeight(rect));
    DrawRectH(slices.Canvas().Handle(), TRect{0, 0, RectWidth(rect), RectHeight(rect)},
              element->Image, FrameLayout::SideBySide, element->FrameCount, 2, element->Margins);
    DrawTranmap(canvas.Handle(), rect, slices, clFuchsia);
}

void TMenuItemPainter::DrawItemText(TMenuItem& item, TCanvas& canvas, const TRect& rect,
                                    bool selected) const
{
    HDC dc = canvas.Handle();
    TRect cell = GlyphCell(item, rect);
    const int rectHeight = RectHeight(rect);
    if (!item.IsLine()) {
        TImageList* images = ItemImages(item);
        if (HasImage(item)) {
            if (item.Checked()) {
                const int size = RectWidth(cell);
                cell.top = rect.top + (rectHeight - Px(DefaultGlyphColumn)) / 2 - 1;
                cell.bottom = cell.top + size;
                DrawCheckedCell(dc, cell);
            }
            images->Draw(canvas, cell.left, rect.top + (rectHeight - images->Height()) / 2,
                         item.ImageIndex(),
                         item.Enabled() ? ImageState::Enabled : ImageState::Disabled);
        } else if (item.Checked()) {
            TRect centred = cell;
            centred.top = rect.top + (rectHeight - RectHeight(cell)) / 2;
            centred.bottom = centred.top + RectHeight(cell);
            const TColor mark = Skin.Colors(!item.Enabled() ? csButtonShadow
                                            : selected      ? csHilightText
                                                            : csMenuText);
            if (item.RadioItem())
                DrawBullet(dc, centred, mark);
            else
                DrawCheckMark(dc, centred, mark);
        }
    }
    const UINT align = RightToLeft ? DT_RIGHT : 0;
    TRect text = RightToLeft ? TRect{rect.left + 1, rect.top, cell.left - Px(3), rect.bottom}
                             : TRect{cell.right + Px(3), rect.top, rect.right - 1, rect.bottom};
    TRect measured = text;
    const std::string caption = CaptionText(item);
    DoDrawText(item, canvas, MeasureTextFlags | align, selected, measured, caption);
    const int textHeight = RectHeight(measured);
    const int textWidth = RectWidth(measured);
    text.top = rect.top + (rectHeight - textHeight) / 2;
    text.bottom = text.top + textHeight;
    DoDrawText(item, canvas, DrawTextFlags | align, selected, text, caption);
    const std::string shortcut = ShortcutText(item);
    if (shortcut.empty() || item.IsLine())
        return;
    const int edge = Px(ShortcutEdge);
    TRect keys = RightToLeft ? TRect{rect.left + edge, text.top, text.right - textWidth, text.bottom}
                             : TRect{text.left + textWidth, text.top, rect.right - edge, text.bottom};
    DoDrawText(item, canvas, DrawTextFlags | (RightToLeft ? DT_LEFT : DT_RIGHT), selected, keys,
               shortcut);
}

void TMenuItemPainter::DoDrawText(TMenuItem& item, TCanvas& canvas, UINT flags, bool selected,
                                  TRect& rect, std::string text) const
{
    const bool measuring = (flags & DT_CALCRECT) != 0;
    if (measuring && (text.empty() || text == "&"))
        text += ' ';
    HDC dc = canvas.Handle();
    if (text == "-") {
        if (measuring)
            return;
        RECT line{rect.left, rect.top + Px(4), rect.right, rect.bottom + Px(4)};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    TColor color;
    if (item.Enabled()) {
        color = Skin.Colors(selected ? csHilightText : csMenuText);
    } else {
        color = Skin.Colors(csButtonShadow);
        if (color == Skin.Colors(csMenuText))
            color = clGrayText;
    }
    TFontStyles style = canvas.Font().Style();
    if (item.Default())
        style.Include(fsBold);
    else
        style.Exclude(fsBold);
    canvas.Font().SetStyle(style);
    canvas.Font().SetColor(color);
    canvas.SetBackgroundMode(TBackgroundMode::Transparent);
    if (measuring)
        rect = canvas.MeasureText(rect, text, flags);
    else
        canvas.DrawText(rect, text, flags);
}

void TMenuItemPainter::MeasureItem(TMenuItem& item, TCanvas& canvas, int& width,
                                   int& height) const
{
    item.DefaultMeasureItem(canvas, width, height);
    // The framework measured the whole caption; a shortcut after a tab has
    // its own column.
    const std::string caption = CaptionText(item);
    if (caption.size() != item.Caption().size() && !item.IsLine())
        width += RectWidth(canvas.MeasureText(TRect{}, caption, DT_SINGLELINE)) -
                 RectWidth(canvas.MeasureText(TRect{}, item.Caption(), DT_SINGLELINE));
    const std::string shortcut = ShortcutText(item);
    if (!shortcut.empty())
        width += canvas.TextExtent(shortcut).cx + 2 * Px(ShortcutEdge);
    if (const TDataSkinObject* element = Element())
        width += element->Margins.Left;
    width += Px(10);
    if (!ItemImages(item))
        width += Px(25);
}

void TMenuItemPainter::MeasureItemPop(TMenuItem& item, int& width) const
{
    if (const TDataSkinObject* element = Element())
        width += element->Margins.Left;
    width += Px(12);
    if (!ItemImages(item))
        width += Px(23);
}

void TMenuItemPainter::MeasureNativeItem(TCanvas& canvas, const std::string& text, int& width,
                                         int& height) const
{
    const int margin = Element() ? Element()->Margins.Left : 0;
    if (text.empty() || text == "-") {
        width = Px(26) + margin;
        height = Px(8);
        return;
    }
    const TRect measured = canvas.MeasureText(TRect{0, 0, 0, 0}, text,
                                              MeasureTextFlags);
    width = RectWidth(measured) + Px(26) + margin;
    height = RectHeight(measured) + Px(4);
}

std::unique_ptr<TMenuItem> CreateMenuItem(HMENU menu, UINT id)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_FTYPE;
    if (!menu || !GetMenuItemInfoW(menu, id, FALSE, &info))
        return nullptr;
    wchar_t text[81] = {};
    GetMenuStringW(menu, id, text, 81, MF_BYCOMMAND);
    auto item = std::make_unique<TMenuItem>(nullptr);
    item->SetCaption(text[0] ? ToUtf8(text) : std::string("-"));
    item->SetEnabled(!(info.fState & (MFS_GRAYED | MFS_DISABLED)));
    item->SetChecked((info.fState & MFS_CHECKED) != 0);
    item->SetRadioItem((info.fType & MFT_RADIOCHECK) != 0);
    item->SetDefault((info.fState & MFS_DEFAULT) != 0);
    return item;
}

void WMINITMENU(HMENU menu)
{
    const int count = menu ? GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if (!(info.fType & MFT_OWNERDRAW)) {
            info.fMask = MIIM_FTYPE;
            info.fType |= MFT_OWNERDRAW;
            SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        }
        if (info.hSubMenu)
            WMINITMENU(info.hSubMenu);
    }
}

} // namespace tarnivo
