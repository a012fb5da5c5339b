// The combo-box skin: the frame and drop-down button painted over the
// control's own look, hover over the button, press through the combo box and
// its edit child.

#include "skincombobox.h"

#include "skinscrollbar.h"

#include "skin/paint/drawroutines.h"
#include "skin/paint/editborder.h"
#include "skin/paint/elementpaint.h"
#include "skin/resources/skindata.h"
#include "skin/resources/user32calls.h"

#include "framework/control.h"

#include <algorithm>

namespace tarnivo {

namespace {

// The drop-down list draws its own scroll bar into its frame; the list of a
// simple combo box is an ordinary scrolling window with overlay bars.
TSkinControl* SkinComboList(TComponent* owner, TComboListKind kind, HWND list,
                            TSkinData* skinData, TCanvas* canvas, ISkinControlHost* host)
{
    TSkinControl* skin = kind == TComboListKind::DropDown
                             ? static_cast<TSkinControl*>(new TComboxScrollBar(owner))
                             : new TSkinScrollbarH(owner);
    skin->Inithwnd(list, skinData, canvas, host);
    if (skin->Inited())
        return skin;
    delete skin;
    return nullptr;
}

TComboListSkinner& ListSkinner()
{
    static TComboListSkinner skinner = &SkinComboList;
    return skinner;
}

bool IsSimple(DWORD style)
{
    return (style & 3) == CBS_SIMPLE;
}

bool IsDropDown(DWORD style)
{
    const DWORD kind = style & 3;
    return kind == CBS_DROPDOWN || kind == CBS_DROPDOWNLIST;
}

bool PointIn(const TRect& rect, LPARAM lParam)
{
    const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&rect, p) != FALSE;
}

} // namespace

void SetComboListSkinner(TComboListSkinner skinner)
{
    ListSkinner() = skinner ? skinner : &SkinComboList;
}

TSkinComBox::~TSkinComBox()
{
    m_editSubclass.Remove();
    FreeListSkins();
}

// Attaching ---------------------------------------------------------------------

void TSkinComBox::Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
                       bool updateColor)
{
    if (Inited())
        return;
    TSkinControl::Init(host, skinData, canvas, updateColor);
    if (!Inited())
        return;
    FStyle = static_cast<DWORD>(GetWindowLongEx(FHandle, GWL_STYLE));
    if (!IsSimple(FStyle)) {
        SkinDropList();
        // The edit part is watched whatever its character set: the
        // subclassing keeps a Unicode window Unicode, and nothing here reads
        // the text the messages carry.
        FindBtn();
    } else {
        SkinSimpleList();
    }
}

void TSkinComBox::Inithwnd(HWND window, TSkinData* skinData, TCanvas* canvas,
                           ISkinControlHost* host)
{
    if (Inited())
        return;
    TSkinControl::Inithwnd(window, skinData, canvas, host);
    if (!Inited())
        return;
    FStyle = static_cast<DWORD>(GetWindowLongEx(FHandle, GWL_STYLE));
    if (!IsSimple(FStyle))
        FindBtn();
}

void TSkinComBox::SkinDropList()
{
    if (!IsDropDown(FStyle) || !ReadComboInfo() || !FControl)
        return;
    FListWnd = FComboInfo.hwndList;
    if (TComboListSkinner skinner = ListSkinner())
        TakeListSkin(FDropList, skinner(FControl, TComboListKind::DropDown, FListWnd, FSkinData,
                                        FCanvas, FSkinForm));
}

void TSkinComBox::SkinSimpleList()
{
    if (!ReadComboInfo() || !FControl)
        return;
    FListWnd = FComboInfo.hwndList;
    if (!FListWnd)
        return;
    const LONG_PTR style = GetWindowLongEx(FListWnd, GWL_STYLE);
    if ((style & WS_POPUP) || GetParent(FListWnd) == GetDesktopWindow() || !(style & WS_CHILD))
        return;
    if (TComboListSkinner skinner = ListSkinner())
        TakeListSkin(FListScroll, skinner(FControl, TComboListKind::Simple, FListWnd, FSkinData,
                                          FCanvas, FSkinForm));
}

void TSkinComBox::TakeListSkin(TSkinControl*& field, TSkinControl* skin)
{
    field = skin;
    // The list skin belongs to the control and may go before this object
    // does (components are freed newest first).
    if (skin)
        skin->FreeNotification(this);
}

void TSkinComBox::Notification(TComponent* component, TOperation operation)
{
    TSkinControl::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == FDropList)
        FDropList = nullptr;
    if (component == FListScroll)
        FListScroll = nullptr;
}

void TSkinComBox::FreeListSkins()
{
    for (TSkinControl** field : {&FDropList, &FListScroll}) {
        TSkinControl* skin = *field;
        *field = nullptr;
        if (!skin)
            continue;
        skin->RemoveFreeNotification(this);
        skin->Unsubclass();
        skin->Release();
    }
}

void TSkinComBox::FindBtn()
{
    HWND child = GetWindow(FHandle, GW_CHILD);
    if (!child)
        return;
    if (m_editSubclass.Install(child, [this](TMessage& m) { ButtonProc(m); }))
        FEditWnd = child;
}

void TSkinComBox::Unsubclass()
{
    m_editSubclass.Remove();
    FEditWnd = nullptr;
    FreeListSkins();
    TSkinControl::Unsubclass();
}

// Messages ----------------------------------------------------------------------

void TSkinComBox::ButtonProc(TMessage& message)
{
    m_editSubclass.CallPrevious(message);
    if (!Active())
        return;
    switch (message.Msg) {
    case WM_PAINT:         PaintControl(nullptr); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: SetDown(true); break;
    case WM_LBUTTONUP:     SetDown(false); break;
    default:               break;
    }
}

void TSkinComBox::AfterProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_DRAWITEM:
    case WM_NCPAINT:       Invalidate(); break;
    case WM_MOUSEMOVE:     WMMouseMove(message); break;
    // Focus shows through the child's repaint; a repaint here would flicker.
    case WM_SETFOCUS:
    case WM_KILLFOCUS:     break;
    // Hover is the button's, not the whole box's: see WM_MOUSEMOVE.
    case CM_MOUSEENTER:    break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: SetDown(true); break;
    case WM_LBUTTONUP:     SetDown(false); break;
    case CM_MOUSELEAVE:    SetHot(false); break;
    case CN_COMMAND:       CNCommand(message); break;
    default:               TSkinControl::AfterProc(message); break;
    }
}

void TSkinComBox::CNCommand(const TMessage& message)
{
    // The open list takes the mouse: the release that ends a press on the
    // button goes to the list, never to the combo box. The list closing
    // ends the press.
    if (HIWORD(message.WParam) == CBN_CLOSEUP)
        SetDown(false);
}

void TSkinComBox::WMMouseMove(const TMessage& message)
{
    if (!IsWindowEnabled(FHandle))
        return;
    const bool inside = PointIn(FButtonRect, message.LParam);
    if (State().Contains(scMouseIn) != inside)
        SetHot(inside);
}

void TSkinComBox::SettlePress()
{
    // A press that opened the list has its release go to the list, never to
    // the combo box (raw combo boxes have no reflected CBN_CLOSEUP either):
    // it ends at the first paint after the list has closed again.
    if (!FState.Contains(scDown)) {
        m_pressOpenedList = false;
        return;
    }
    const bool dropped = SendMessageW(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0;
    if (dropped) {
        m_pressOpenedList = true;
    } else if (m_pressOpenedList) {
        m_pressOpenedList = false;
        FState.Exclude(scDown);
    }
}

void TSkinComBox::SetDown(bool down)
{
    if (down)
        FState.Include(scDown);
    else
        FState.Exclude(scDown);
    Invalidate();
}

void TSkinComBox::SetHot(bool hot)
{
    if (FState.Contains(scMouseIn) == hot)
        return;
    if (hot) {
        FState.Include(scMouseIn);
        // A raw window hears of the pointer leaving through the form's
        // hover timer, which watches its hot control.
        if (!FControl && FSkinForm) {
            TSkinControlLink* previous = FSkinForm->HotControlLink();
            FSkinForm->SetHotControlLink(this);
            if (previous && previous != this)
                previous->MouseLeave();
        }
    } else {
        FState.Exclude(scMouseIn);
        if (FSkinForm && FSkinForm->HotControlLink() == this)
            FSkinForm->SetHotControlLink(nullptr);
    }
    Invalidate();
}

// Painting ----------------------------------------------------------------------

bool TSkinComBox::ReadComboInfo()
{
    const auto getInfo = User32Calls().GetComboBoxInfo;
    if (!getInfo || !FHandle)
        return false;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!getInfo(FHandle, &info))
        return false;
    FComboInfo = info;
    return true;
}

int TSkinComBox::FaceFrame() const
{
    int frame = 1;
    if (FFocused)
        frame = 4;
    if (FState.Contains(scDown))
        frame = 2;
    else if (FState.Contains(scMouseIn))
        frame = 4;
    if (!FEnabled)
        frame = 3;
    return frame;
}

void TSkinComBox::DrawControl(HDC dc, const TRect& rect)
{
    const TDataSkinBorder* button = FSkinData ? Elements().ComboButton.get() : nullptr;
    if (!ElementPresent(button))
        return;
    FStyle = static_cast<DWORD>(GetWindowLongEx(FHandle, GWL_STYLE));
    FExStyle = static_cast<DWORD>(GetWindowLongEx(FHandle, GWL_EXSTYLE));
    if (!ReadComboInfo())
        return;
    FButtonRect = FComboInfo.rcButton;
    if (FComboInfo.stateButton & STATE_SYSTEM_INVISIBLE)
        return;
    // The edit child of a drop-down combo box holds the focus for it.
    const HWND focus = GetFocus();
    FFocused = focus && (focus == FHandle || focus == FComboInfo.hwndItem);
    SettlePress();
    if (button->Style == 1) {
        DrawControl1(dc, rect);
        return;
    }
    const int frame = FaceFrame();
    if (button->Style == 2)
        DrawComposed(dc, rect, frame);
    else
        DrawSeparate(dc, rect, frame);
}

void TSkinComBox::DrawComposed(HDC dc, const TRect& rect, int frame)
{
    const TSkinElements& e = Elements();
    // The loader put the mirrored faces into "SunkEdge" for a button on the
    // left.
    const TDataSkinObject* face = (FExStyle & WS_EX_LEFTSCROLLBAR)
                                      ? static_cast<const TDataSkinObject*>(e.SunkEdge.get())
                                      : e.ComboButton.get();
    if (!ElementPresent(face))
        return;
    DrawRect2(dc, rect, face->Image, FrameLayout::SideBySide, ElementCenterFill(*face),
              Keying::Transparent, face->FrameCount, frame, face->Margins);
}

void TSkinComBox::DrawSeparate(HDC dc, const TRect& rect, int frame)
{
    const TSkinElements& e = Elements();
    if (!ElementPresent(e.SunkEdge))
        return;
    const bool left = (FExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    const int a = GetSystemMetrics(SM_CXHSCROLL);
    const int w = RectWidth(rect);
    const int h = RectHeight(rect);
    const TRect edit = left ? Rect(a + 4, 2, w - 2, h - 2) : Rect(2, 2, w - a - 4, h - 2);
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, edit.left, edit.top, edit.right, edit.bottom);
    DrawSkinMap(dc, rect, e.SunkEdge->FrameCount, frame, e.SunkEdge.get());
    const TDataSkinBorder& button = *e.ComboButton;
    FButtonRect = left ? Rect(0, 0, a + 2, h) : Rect(w - a - 2, 0, w, h);
    const TBitmap& image = left && !button.Image2.Empty() ? button.Image2 : button.Image;
    DrawSkinMap2(dc, FButtonRect, button.FrameCount, frame, image);
    if (ElementPresent(e.ExtraImages) && e.ExtraImages->FrameCount > 0) {
        TRect area = FButtonRect;
        InflateRect(&area, -2, -2);
        const int fw = e.ExtraImages->FrameWidth();
        const int fh = e.ExtraImages->Image.Height();
        const TRect glyph = Bounds(area.left + (RectWidth(area) - fw) / 2,
                                   area.top + (RectHeight(area) - fh) / 2, fw, fh);
        DrawSkinMap1(dc, glyph, e.ExtraImages->FrameCount, frame, e.ExtraImages->Image);
    }
    RestoreDC(dc, saved);
}

void TSkinComBox::DrawControl1(HDC dc, const TRect& rect)
{
    const TDataSkinBorder& button = *Elements().ComboButton;
    int frame = 1;
    if (!FEnabled)
        frame = 3;
    if (FFocused)
        frame = 4;
    if (FState.Contains(scDown))
        frame = 2;
    else if (FState.Contains(scMouseIn))
        frame = 4;
    const HBRUSH brush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
    TRect line = rect;
    InflateRect(&line, -1, -1);
    FrameRect(dc, &line, brush);
    TRect inner = rect;
    InflateRect(&inner, -2, -2);
    const int thumb = GetSystemMetrics(SM_CYVTHUMB);
    const bool left = (FExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    const TRect column = left ? Rect(inner.left, inner.top, inner.left + thumb, inner.bottom)
                              : Rect(inner.right - thumb, inner.top, inner.right, inner.bottom);
    FillRect(dc, &column, brush);
    const int fw = button.FrameCount > 0 ? button.Image.Width() / button.FrameCount
                                         : button.Image.Width();
    TRect face = left ? Rect(inner.left, inner.top, inner.left + fw, inner.bottom)
                      : Rect(inner.right - fw, inner.top, inner.right, inner.bottom);
    if (button.Image.Height() < thumb)
        face.bottom = std::min(face.bottom, static_cast<LONG>(face.top + button.Image.Height()));
    FrameLine(dc, rect, FSkinData->Colors(csButtonShadow));
    FButtonRect = face;
    DrawSkinMap1(dc, face, std::max(button.FrameCount, 1), frame, button.Image);
}

} // namespace tarnivo
