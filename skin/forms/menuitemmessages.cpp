// Skinned menu entries reaching a window: WM_MEASUREITEM and WM_DRAWITEM of
// the band's drop-downs (made owner-drawn when they open), the handlers
// given to the framework's main and tool-button menus, and the tool-bar
// custom drawing that control discovery installs.

#include "discovery.h"
#include "menuband.h"
#include "menuitemhandlers.h"
#include "menuitems.h"
#include "skinmanager.h"
#include "winskinform.h"

#include "skin/paint/drawroutines.h"

#include "framework/form.h"
#include "framework/unicodetext.h"
#include "framework/windowdpi.h"

namespace tarnivo {

namespace {

// Identifiers below this without a framework entry belong to the
// program's own native menus; the window draws those itself.
constexpr UINT FirstEngineId = 4096;

HMENU ParentMenu(TMenuItem& item)
{
    return item.Parent() ? item.Parent()->Handle() : nullptr;
}

// The skin for entries drawn away from a skinned form (tool-button menus):
// the skin manager's current skin.
const TSkinData* CurrentSkin()
{
    TSkinManage* manager = SkinManage();
    if (!manager)
        return nullptr;
    const TSkinData* skin = manager->CurrentSkin() ? manager->CurrentSkin() : manager->MainSkin;
    return skin && !skin->Empty() ? skin : nullptr;
}

// These entries belong to no skinned form: they are drawn at the DPI of the
// window whose DC the framework hands over (the popup menu's), the system's
// where the DC belongs to no window.
int CanvasDpi(TCanvas& canvas)
{
    HWND window = canvas.Handle() ? WindowFromDC(canvas.Handle()) : nullptr;
    return window ? WindowDpi(window) : SystemDpi();
}

void DrawWithCurrentSkin(TObject* sender, TCanvas& canvas, const TRect& rect, bool selected)
{
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item)
        return;
    if (const TSkinData* skin = CurrentSkin())
        TMenuItemPainter(*skin, false, CanvasDpi(canvas))
            .DrawMenuItem(*item, canvas, rect, selected, ParentMenu(*item));
    else
        item->DefaultDrawItem(canvas, rect, selected);
}

void MeasureWithCurrentSkin(TObject* sender, TCanvas& canvas, int& width, int& height)
{
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item)
        return;
    if (const TSkinData* skin = CurrentSkin())
        TMenuItemPainter(*skin, false, CanvasDpi(canvas)).MeasureItem(*item, canvas, width, height);
}

// `onlyUnassigned` keeps the program's own handlers; a skinned form's
// (this one's, or a stale one of a form object that is gone) is replaced.
void SetHandlers(TMenuItem& item, const TMenuDrawItemEvent& draw,
                 const TMenuMeasureItemEvent& measure, bool onlyUnassigned)
{
    if (!onlyUnassigned || !item.OnDrawItem || IsFormItemHandler(item.OnDrawItem)) {
        item.OnDrawItem = draw;
        item.OnMeasureItem = measure;
    }
    for (int i = 0; i < item.Count(); ++i)
        SetHandlers(*item.Items(i), draw, measure, onlyUnassigned);
}

void UseMenuCanvas(TCanvas& canvas, HWND window, int dpi)
{
    canvas.Adopt(WindowDC(window));
    canvas.Font().AssignLogFont(SystemMenuFont(dpi));
}

} // namespace

// Form handlers -------------------------------------------------------------------

void TWinSkinForm::DrawMenuItem(TObject* sender, TCanvas& canvas, const TRect& rect, bool selected)
{
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || !SkinData)
        return;
    TMenuItemPainter(*SkinData, RightToLeft != 0, Dpi)
        .DrawMenuItem(*item, canvas, rect, selected, ParentMenu(*item));
}

void TWinSkinForm::MeasureItem(TObject* sender, TCanvas& canvas, int& width, int& height)
{
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (item && SkinData)
        TMenuItemPainter(*SkinData, RightToLeft != 0, Dpi).MeasureItem(*item, canvas, width, height);
}

void TWinSkinForm::MeasureItemPop(TObject* sender, TCanvas&, int& width, int&)
{
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (item && SkinData && !SkinData->Empty())
        TMenuItemPainter(*SkinData, RightToLeft != 0, Dpi).MeasureItemPop(*item, width);
}

void TWinSkinForm::InitMainMenu(TComponent* container, bool enable)
{
    if (!container)
        return;
    const TMenuDrawItemEvent draw = FormItemDraw(*this);
    const TMenuMeasureItemEvent measure = FormItemMeasure(*this, TItemMeasure::MainMenu);
    for (int i = 0; i < container->ComponentCount(); ++i) {
        auto* menu = dynamic_cast<TMainMenu*>(container->Components(i));
        if (!menu)
            continue;
        menu->SetOwnerDraw(enable);
        TMenuItem* root = menu->Items();
        for (int j = 0; j < root->Count(); ++j)
            for (int k = 0; k < root->Items(j)->Count(); ++k)
                SetHandlers(*root->Items(j)->Items(k), enable ? draw : nullptr,
                            enable ? measure : nullptr, enable);
    }
}

// Messages -------------------------------------------------------------------------

// The band's drop-downs are owner-drawn while they show; other framework
// menus of the window (the skinned system menu) answer through the
// framework, and everything else goes on to the window.
void TWinSkinForm::WMMenuItem(TMessage& m)
{
    const UINT type = m.Msg == WM_MEASUREITEM
                          ? reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->CtlType
                          : reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->CtlType;
    if (type != ODT_MENU || !MenuBar || !MenuBar->NativeMenu || !SkinData) {
        if (!HandleMenuItemMessage(m))
            Default(m);
        return;
    }
    if (m.Msg == WM_MEASUREITEM)
        WMMEASUREITEM(m);
    else
        WMDRAWITEM(m);
}

void TWinSkinForm::WMMEASUREITEM(TMessage& m)
{
    auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (Form)
        MenuPopupLink()->PopupMeasured();
    TMenuItem* item = MenuBar->Menu ? MenuBar->Menu->FindItem(measure.itemID) : nullptr;
    const TMenuItemPainter painter(*SkinData, RightToLeft != 0, Dpi);
    if (item) {
        TCanvas canvas;
        UseMenuCanvas(canvas, Handle, Dpi);
        int width = 0;
        int height = 0;
        painter.MeasureItem(*item, canvas, width, height);
        measure.itemWidth = static_cast<UINT>(std::max(width, 0));
        measure.itemHeight = static_cast<UINT>(std::max(height, 0));
        m.Result = TRUE;
        return;
    }
    if (HandleMenuItemMessage(m))
        return;
    if (Form && measure.itemID > 0 && measure.itemID < FirstEngineId) {
        Default(m);
        return;
    }
    wchar_t text[81] = {};
    if (TrackedMenu)
        GetMenuStringW(TrackedMenu, measure.itemID, text, 81, MF_BYCOMMAND);
    TCanvas canvas;
    UseMenuCanvas(canvas, Handle, Dpi);
    int width = 0;
    int height = 0;
    painter.MeasureNativeItem(canvas, ToUtf8(text), width, height);
    measure.itemWidth = static_cast<UINT>(width);
    measure.itemHeight = static_cast<UINT>(height);
    m.Result = TRUE;
}

void TWinSkinForm::WMDRAWITEM(TMessage& m)
{
    const auto& draw = *reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    const auto menu = reinterpret_cast<HMENU>(draw.hwndItem);
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    // Also for entries the window draws itself: the popup then knows its
    // menu and keeps the skin's border around them.
    MenuPopupLink()->SetHMenu(menu);
    MenuPopupLink()->PopupDrawn();
    TMenuItem* item = MenuBar->Menu ? MenuBar->Menu->FindItem(draw.itemID) : nullptr;
    if (!item && HandleMenuItemMessage(m))
        return;
    if (!item && Form && draw.itemID > 0 && draw.itemID < FirstEngineId) {
        Default(m);
        return;
    }
    const TMenuItemPainter painter(*SkinData, RightToLeft != 0, Dpi);
    const int saved = SaveDC(draw.hDC);
    TCanvas canvas;
    canvas.SetHandle(draw.hDC);
    canvas.Font().AssignLogFont(SystemMenuFont(Dpi));
    if (item) {
        painter.DrawMenuItem(*item, canvas, draw.rcItem, selected, menu);
    } else if (auto native = CreateMenuItem(menu, draw.itemID)) {
        painter.DrawHMenuItem2(*native, canvas, draw.rcItem, selected, menu);
    }
    canvas.SetHandle(nullptr);
    RestoreDC(draw.hDC, saved);
    m.Result = TRUE;
}

// Tool bars -----------------------------------------------------------------------

void InitToolbarMenu(TMenuItem* item, bool enable)
{
    if (!item)
        return;
    if (enable) {
        SetHandlers(*item, DrawWithCurrentSkin, MeasureWithCurrentSkin, false);
        return;
    }
    SetHandlers(*item, nullptr, item->OnMeasureItem, false);
}

void ToolBarDrawButton(HWND skinnedWindow, TToolBar* toolBar, TToolButton* button,
                       TCustomDrawState state, bool&)
{
    TWinSkinForm* form = FindSkinForm(skinnedWindow);
    if (!form || form->SkinState != skinstate::Active || !form->SkinData || !toolBar || !button)
        return;
    int frame = 0;
    if (state.Contains(cdsSelected))
        frame = 2;
    else if (state.Contains(cdsFocused) || state.Contains(cdsHot))
        frame = 4;
    else if (state.Contains(cdsGrayed) || state.Contains(cdsDisabled))
        frame = 0;
    else if (state.Contains(cdsDefault))
        frame = 1;
    if (frame == 0)
        return;
    const TDataSkinButton& element = *form->Skin().Buttons;
    const bool named = frame == 2   ? element.HasPressedTextColor
                       : frame == 4 ? element.HasMouseOverTextColor
                                    : element.HasNormalTextColor;
    if (named)
        toolBar->Font().SetColor(frame == 2   ? element.PressedTextColor
                                 : frame == 4 ? element.MouseOverTextColor
                                              : element.NormalTextColor);
    // A skin may give tool buttons faces of their own (the same five
    // states as push buttons); otherwise they wear the push-button faces.
    const TDataSkinObject* toolFaces = form->Skin().ToolBars.get();
    const TDataSkinObject& face = ElementPresent(toolFaces) ? *toolFaces : element;
    if (!ElementPresent(&face))
        return;
    TRect bounds = button->BoundsRect();
    InflateRect(&bounds, -1, -1);
    DrawRect2(toolBar->Canvas().Handle(), bounds, face.Image, FrameLayout::SideBySide,
              CenterFill::Stretch, face.Trans ? Keying::Transparent : Keying::Opaque, 5, frame,
              face.Margins);
}

void ToolBarDrawBackground(HWND skinnedWindow, TToolBar* toolBar, const RECT& rect, bool&)
{
    TWinSkinForm* form = FindSkinForm(skinnedWindow);
    if (!form || !form->SkinData || !toolBar)
        return;
    const TDataSkinObject* element = form->Skin().Toolbar.get();
    if (!ElementPresent(element) || form->SkinData->Options().Contains(xoToolbarBK))
        return;
    HDC dc = toolBar->Canvas().Handle();
    const int mode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               element->Image.Canvas().Handle(), 0, 0, element->Image.Width(),
               element->Image.Height(), SRCCOPY);
    SetStretchBltMode(dc, mode);
}

} // namespace tarnivo
