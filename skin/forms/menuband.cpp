#include "menuband.h"

#include "menuitems.h"
#include "winskinform.h"

#include "skin/paint/captiontext.h"
#include "skin/paint/drawroutines.h"

#include "framework/dcscopes.h"
#include "framework/form.h"
#include "framework/windowdpi.h"

#include <algorithm>
#include <cwctype>

namespace tarnivo {

namespace {

std::wstring Widen(const std::string& text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(size, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

struct NativeEntry {
    UINT State = 0;
    UINT Id = 0;
    HMENU SubMenu = nullptr;
    std::wstring Text;
};

NativeEntry ReadEntry(HMENU menu, int position)
{
    NativeEntry entry;
    wchar_t text[81] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 80;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info))
        return entry;
    entry.State = info.fState;
    entry.Id = info.wID;
    entry.SubMenu = info.hSubMenu;
    entry.Text = text;
    return entry;
}

void SelectMenuFont(TCanvas& canvas, int dpi)
{
    canvas.Font().AssignLogFont(SystemMenuFont(dpi));
    TFontStyles plain;
    canvas.Font().SetStyle(plain);
}

} // namespace

bool IsAccel(wchar_t key, std::wstring_view caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return std::towupper(caption[i + 1]) == std::towupper(key);
    }
    return false;
}

TBandStart BandStart(const TSkinElements& skin, int bandWidth, bool rightToLeft, int dpi)
{
    const int padding = DpiLength(10, dpi);
    const TDataSkinObject* bar = skin.MenuBar.get();
    if (!ElementPresent(bar))
        return TBandStart{DpiLength(6, dpi), rightToLeft, padding};
    int x = rightToLeft ? bar->Margins.Right + DpiLength(8, dpi)
                        : bar->Margins.Left + DpiLength(4, dpi);
    if (bandWidth < x)
        x = DpiLength(12, dpi);
    return TBandStart{x, rightToLeft, padding};
}

std::vector<TRect> LayoutBand(const std::vector<int>& textWidths, int bandWidth, int bandHeight,
                              TBandStart start)
{
    std::vector<TRect> rects;
    int x = start.X;
    for (int text : textWidths) {
        if (text < 0) {
            rects.push_back(TRect{});
            continue;
        }
        const int width = text > 0 ? text + start.Padding : 0;
        if (start.RightToLeft) {
            const int right = bandWidth - x;
            rects.push_back(TRect{right - width, 0, right, bandHeight - 1});
        } else {
            rects.push_back(TRect{x, 0, x + width, bandHeight - 1});
        }
        x += width;
    }
    return rects;
}

// TMenuBtn -----------------------------------------------------------------

void TMenuBtn::Draw()
{
    TWinSkinMenu* band = Form->MenuBar;
    if (!band || band->BandImage.Empty() || Form->SkinState != skinstate::Active)
        return;
    WindowDC dc(Form->Handle, DcArea::Window);
    if (!dc.Get())
        return;
    TCanvas canvas;
    canvas.SetHandle(dc.Get());
    const TRect& bandRect = band->BandRect;
    // The band's background under the button, as DrawMenu left it.
    BitBlt(dc.Get(), Rect.left, Rect.top, RectWidth(Rect), RectHeight(Rect),
           band->BandImage.Canvas().Handle(), Rect.left - bandRect.left,
           Rect.top - bandRect.top, SRCCOPY);
    if (State == 2 || State == 3) {
        canvas.Brush().SetColor(SkinData->Colors(csButtonHilight));
        canvas.FrameRect(Rect);
    }
    SelectMenuFont(canvas, Form->Dpi);
    canvas.Font().SetColor(SkinData->Colors(ItemEnabled ? csMenuBarText : csButtonShadow));
    MyDrawCaption(canvas, Rect, Caption, taCenter, true);
    canvas.SetHandle(nullptr);
}

// TWinSkinMenu ------------------------------------------------------------------

TWinSkinMenu::TWinSkinMenu(TWinSkinForm* form, TSkinData* skinData)
    : TComponent(form), SkinData(skinData), Form(form)
{
}

TWinSkinMenu::~TWinSkinMenu()
{
    if (Form && Form->HotObject && dynamic_cast<TMenuBtn*>(Form->HotObject))
        Form->HotObject = nullptr;
}

void TWinSkinMenu::UpdataBtn()
{
    if (HMENU menu = GetMenu(Form->Handle))
        NativeMenu = menu;
    if (!NativeMenu)
        return;
    if (Form->Form) {
        Menu = Form->Form->Menu();
        if (!Menu)
            return;
    }
    if (Form->HotObject && dynamic_cast<TMenuBtn*>(Form->HotObject))
        Form->HotObject = nullptr;
    Buttons.clear();
    ButtonCount = GetMenuItemCount(NativeMenu);
    for (int i = 0; i < ButtonCount; ++i) {
        const NativeEntry entry = ReadEntry(NativeMenu, i);
        auto button = std::make_unique<TMenuBtn>(Form, SkinData);
        button->Index = i;
        button->SubMenu = entry.SubMenu;
        button->Command = entry.Id;
        button->Caption = entry.Text;
        button->ItemEnabled = (entry.State & (MFS_GRAYED | MFS_DISABLED)) ? 0 : 1;
        button->Visible = 1;
        TMenuItem* item = Menu ? Menu->FindItem(entry.Id) : nullptr;
        if (!item && Menu && entry.SubMenu)
            item = Menu->FindItemByHandle(entry.SubMenu);
        if (item) {
            button->Caption = Widen(item->Caption());
            button->ItemEnabled = item->Enabled() ? 1 : 0;
            button->MenuItem = item;
            button->Command = item->Command();
            button->SubMenu = item->Count() > 0 ? item->Handle() : nullptr;
        }
        Buttons.push_back(std::move(button));
    }
    if (ButtonCount < 0)
        ButtonCount = 0;
    SetMenu(Form->Handle, nullptr);
}

void TWinSkinMenu::UpdataBtn1()
{
    if (HMENU menu = GetMenu(Form->Handle))
        NativeMenu = menu;
    if (Form->Form)
        Menu = Form->Form->Menu();
    if (!Menu)
        return;
    if (Form->HotObject && dynamic_cast<TMenuBtn*>(Form->HotObject))
        Form->HotObject = nullptr;
    Buttons.clear();
    TMenuItem* root = Menu->Items();
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        auto button = std::make_unique<TMenuBtn>(Form, SkinData);
        button->Index = i;
        button->MenuItem = item;
        button->Caption = Widen(item->Caption());
        button->Visible = item->Visible() ? 1 : 0;
        button->ItemEnabled = item->Enabled() ? 1 : 0;
        button->Command = item->Command();
        button->SubMenu = item->Count() > 0 ? item->Handle() : nullptr;
        Buttons.push_back(std::move(button));
    }
    ButtonCount = Count();
    SetMenu(Form->Handle, nullptr);
}

void TWinSkinMenu::UpdataBtn2()
{
    if (HMENU menu = GetMenu(Form->Handle))
        NativeMenu = menu;
    if (!NativeMenu)
        return;
    if (Form->Form)
        Menu = Form->Form->Menu();
    if (Form->HotObject && dynamic_cast<TMenuBtn*>(Form->HotObject))
        Form->HotObject = nullptr;
    Buttons.clear();
    ButtonCount = std::max(GetMenuItemCount(NativeMenu), 0);
    for (int i = 0; i < ButtonCount; ++i) {
        const NativeEntry entry = ReadEntry(NativeMenu, i);
        auto button = std::make_unique<TMenuBtn>(Form, SkinData);
        button->Index = i;
        button->SubMenu = entry.SubMenu;
        button->Command = entry.Id;
        button->Caption = entry.Text;
        button->ItemEnabled = (entry.State & (MFS_GRAYED | MFS_DISABLED)) ? 0 : 1;
        button->Visible = 1;
        TMenuItem* item = Menu ? Menu->FindItem(entry.Id) : nullptr;
        if (item && button->Caption.empty()) {
            button->Caption = Widen(item->Caption());
            button->ItemEnabled = item->Enabled() ? 1 : 0;
            button->Command = item->Command();
            button->MenuItem = item;
        }
        Buttons.push_back(std::move(button));
    }
    SetMenuRect();
}

void TWinSkinMenu::RestoreNativeMenu()
{
    if (NativeMenu && IsWindow(Form->Handle) && !GetMenu(Form->Handle))
        SetMenu(Form->Handle, NativeMenu);
}

void TWinSkinMenu::Layout(HDC dc, const TRect& band)
{
    TCanvas canvas;
    canvas.SetHandle(dc);
    SelectMenuFont(canvas, Form->Dpi);
    std::vector<int> widths;
    for (const auto& button : Buttons) {
        if (!button->Visible) {
            widths.push_back(-1);
            continue;
        }
        const TRect measured = button->Caption.empty()
                                   ? TRect{}
                                   : canvas.MeasureText(TRect{0, 0, 0, 0}, button->Caption,
                                                        DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
        widths.push_back(button->Caption.empty() ? 0 : RectWidth(measured));
    }
    canvas.SetHandle(nullptr);
    const int width = RectWidth(band);
    const int height = RectHeight(band);
    const std::vector<TRect> rects =
        LayoutBand(widths, width, height, BandStart(Form->Skin(), width, Form->RightToLeft != 0, Form->Dpi));
    for (std::size_t i = 0; i < Buttons.size(); ++i) {
        TRect r = rects[i];
        if (RectWidth(r) > 0 || Buttons[i]->Visible)
            OffsetRect(&r, band.left, band.top);
        Buttons[i]->Rect = r;
    }
}

void TWinSkinMenu::SetMenuRect()
{
    RECT window{};
    GetWindowRect(Form->Handle, &window);
    const TRect band{Form->BorderLeft, Form->BorderTop,
                     window.right - window.left - Form->BorderRight,
                     Form->BorderTop + Form->MenuBarHeight};
    MemoryDC dc = MemoryDC::CompatibleWith(nullptr);
    Layout(dc.Get(), band);
    BandRect = band;
}

void TWinSkinMenu::DrawBackground(TCanvas& canvas, const TRect& local) const
{
    const TDataSkinObject* bar = Form->Skin().MenuBar.get();
    if (!ElementPresent(bar)) {
        canvas.Brush().SetColor(SkinData->Colors(csMenuBar));
        canvas.FillRect(local);
        return;
    }
    const int frame = Form->Active ? 1 : 2;
    if (bar->Tile == 0)
        DrawRect2(canvas.Handle(), local, bar->Image, FrameLayout::Stacked, CenterFill::Stretch,
                  Keying::Opaque, bar->FrameCount, frame, bar->Margins);
    else
        DrawRectTile(canvas, local, bar->Image, FrameLayout::Stacked, Keying::Opaque,
                     bar->FrameCount, frame, bar->Margins);
}

void TWinSkinMenu::DrawMenu(HDC dc, const TRect& bandRect)
{
    const int width = RectWidth(bandRect);
    const int height = RectHeight(bandRect);
    if (width <= 0 || height <= 0 || !SkinData)
        return;
    TBitmap scratch;
    scratch.SetSize(width, height);
    TCanvas& canvas = scratch.Canvas();
    const TRect local{0, 0, width, height};
    DrawBackground(canvas, local);
    BandRect = bandRect;
    BandImage.SetSize(width, height);
    BitBlt(BandImage.Canvas().Handle(), 0, 0, width, height, canvas.Handle(), 0, 0, SRCCOPY);
    Painting = 1;
    Layout(canvas.Handle(), bandRect);
    SelectMenuFont(canvas, Form->Dpi);
    canvas.Font().SetColor(SkinData->Colors(csMenuBarText));
    canvas.SetBackgroundMode(TBackgroundMode::Transparent);
    for (const auto& button : Buttons) {
        if (!button->Visible || button->Caption.empty())
            continue;
        TRect r = button->Rect;
        OffsetRect(&r, -bandRect.left, -bandRect.top);
        // The skin's disabled colour, not the system's.
        canvas.Font().SetColor(SkinData->Colors(button->ItemEnabled ? csMenuBarText : csButtonShadow));
        MyDrawCaption(canvas, r, button->Caption, taCenter, true);
    }
    Painting = 0;
    // An MDI parent's maximized child shows its buttons here.
    Form->DrawMDIButtons(canvas, bandRect);
    BitBlt(dc, bandRect.left, bandRect.top, width, height, canvas.Handle(), 0, 0, SRCCOPY);
}

TMenuBtn* TWinSkinMenu::FindBtn(POINT point) const
{
    for (const auto& button : Buttons)
        if (button->Visible && !button->Caption.empty() && PtInRect(&button->Rect, point))
            return button.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::FindButtonFromAccel(wchar_t key) const
{
    for (const auto& button : Buttons)
        if (button->ItemEnabled && button->Visible && IsAccel(key, button->Caption))
            return button.get();
    // As the system's own menu bar does: a caption without an access key
    // answers to its first letter.
    for (const auto& button : Buttons)
        if (button->ItemEnabled && button->Visible && !button->Caption.empty() &&
            button->Caption.find(L'&') == std::wstring::npos &&
            std::towupper(button->Caption[0]) == std::towupper(key))
            return button.get();
    return nullptr;
}

} // namespace tarnivo

namespace tarnivo {

// The form's side of the band --------------------------------------------------

void TWinSkinForm::CreateMenuBand()
{
    delete MenuBar;
    MenuBar = new TWinSkinMenu(this, SkinData);
    MenuBarHeight = ScaleFromSystemDpi(GetSystemMetrics(SM_CYMENU), Dpi);
    MenuBar->UpdataBtn();
}

void TWinSkinForm::FreeMenuBand()
{
    if (!MenuBar)
        return;
    if (HotObject && dynamic_cast<TMenuBtn*>(HotObject))
        HotObject = nullptr;
    MenuBar->RestoreNativeMenu();
    delete MenuBar;
    MenuBar = nullptr;
    MenuBarHeight = 0;
}

} // namespace tarnivo
