#pragma once
// TSkinControl: the base of every control skin.
//
// A skin object sits in front of one control's message processing, lets the
// control's own procedure do the work, and paints the control's look from the
// active skin over (or instead of) the system look. It attaches one of two
// ways:
//
//  - Init: to the framework control that owns it, through a hook in the
//    control's WindowProc chain (TWindowProcHook);
//  - Inithwnd: to a raw window (a dialog's child, another module's control),
//    through a subclass of its window procedure (TWindowSubclass); the form
//    object owns such skin objects.
//
// Either way every message goes NewWndProc -> BeforeProc -> Default (the
// control's own processing) -> AfterProc. By default the control paints
// itself and the skin paints over the whole window afterwards; painters that
// take WM_PAINT over call WMPaint from BeforeProc and answer false.
//
// Ownership: the skin object is a component of the framework control (or of
// the form object, for raw windows) and dies with it. The form object keeps
// a non-owning list of skin objects (ISkinControlHost) and may free one
// earlier; the destructor gives the control its procedure back and takes the
// object off that list, so every way out leaves neither list nor hook behind.

#include "skin/controls/skinhost.h"

#include "framework/bitmap.h"
#include "framework/canvas.h"
#include "framework/component.h"
#include "framework/controls/label.h"
#include "framework/graphics.h"
#include "framework/imagelist.h"
#include "framework/messages.h"
#include "framework/releaseguard.h"
#include "framework/sets.h"
#include "framework/subclass.h"
#include "framework/windowprochook.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace tarnivo {

class TSkinElements;

class TControl;
class TDataSkinObject;
class TSkinData;

enum TSkinControlStateFlag { scMouseIn, scDown };
using TSkinControlState = TSet<TSkinControlStateFlag>;

// Face frames of a control image, numbered from 1.
namespace skinframe {
constexpr int Normal = 1;
constexpr int Pressed = 2;
constexpr int Disabled = 3;
constexpr int Hot = 4;
constexpr int Focused = 5;
} // namespace skinframe

// The face frame for a state, the later test winning: focused gives 5;
// pressed gives 2, else the pointer over it 4; disabled gives 3.
int SkinFrameNumber(TSkinControlState state, bool focused, bool enabled);

// Life-cycle codes of Status().
namespace skinstatus {
constexpr int Created = 0;            // not attached
constexpr int Attached = 1;           // hooked or subclassed
constexpr int ColorsRestored = 2;     // a container gave its colours back
constexpr int Deleted = TSkinControlLink::StatusDeleted;   // window gone, waits to be freed
} // namespace skinstatus

class TSkinControl : public TComponent, public TSkinControlLink {
public:
    // `owner`: the skinned framework control, or the form object for raw
    // windows. Nothing is attached yet.
    explicit TSkinControl(TComponent* owner);
    ~TSkinControl() override;
    std::string ClassName() const override { return "TSkinControl"; }

    // --- Attaching ---------------------------------------------------------
    // Hooks the framework control that owns this object (it must be a
    // windowed control; its window is created if needed). A second call, or
    // one on an object attached by Inithwnd, is ignored. With `updateColor`
    // the control's Color becomes the skin's ButtonFace until Unsubclass.
    void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
              bool updateColor) override;
    // Subclasses a raw window. Ignored when already attached or `window` is
    // not a window of this thread.
    virtual void Inithwnd(HWND window, TSkinData* skinData, TCanvas* canvas,
                          ISkinControlHost* host);
    // The scroll-bar attach of the scrolling-control skins; the base attaches
    // as Init does (the skin object must be owned by `control`).
    virtual void InitScrollbar(TControl* control, TSkinData* skinData, TCanvas* canvas,
                               ISkinControlHost* host);
    // The attach of a window-less control's skin (speed buttons); the base
    // has none and stays unattached.
    virtual void InitGraphicControl(ISkinControlHost*, TSkinData*, TCanvas*) {}
    // Gives back what the skin changed on the control (base: its Color). The
    // hook stays; the destructor removes it.
    void Unsubclass() override;
    // The skin was replaced: ButtonFace again for a recoloured control, then
    // a repaint.
    void SkinChange() override;
    // The pointer has left without the control noticing (the form's hover
    // timer saw it): CM_MOUSELEAVE to the window.
    void MouseLeave() override;
    // Off the host's list, out of the control's message path, and freed once
    // no message of this object is on the stack (the control's window may be
    // destroyed from inside one of them: a dialog closed by its own button).
    void Release() override;

    bool UpdateColor() const override { return FUpdateColor; }
    HWND ControlHandle() const override { return FHandle; }
    int Status() const override { return FStatus; }

    // --- The message pipeline ---------------------------------------------
    // Every message of the control comes here first.
    void NewWndProc(TMessage& message);
    // True: the message goes on to the control and then to AfterProc.
    // False: handled here completely (the result set where one is needed).
    virtual bool BeforeProc(TMessage& message);
    // The control's own processing; its answer in message.Result.
    void Default(TMessage& message);
    virtual void AfterProc(TMessage& message);

    // --- Painting ---------------------------------------------------------
    // The whole window on `dc`, or on the window DC when `dc` is 0. Drawing
    // failures are dropped: the control keeps what it painted itself.
    virtual void PaintControl(HDC dc);
    // Draws the skinned look; `rect` is the window rectangle moved to the
    // origin. The base draws nothing.
    virtual void DrawControl(HDC dc, const TRect& rect);
    // Repaints at once (through the graphic control when there is one).
    void Invalidate();
    // Asks for a repaint at the next WM_PAINT. A skin change uses this: the
    // form walks all its control skins, and a paint in the middle of that
    // walk would run the controls' reaction to the new colours inside it.
    void InvalidateLater();
    virtual int GetState() const { return 1; }

    // --- State ------------------------------------------------------------
    bool Active() const { return FActive; }
    bool Inited() const { return FInited; }
    TSkinControlState State() const { return FState; }
    // The face frame for the state as read at the last paint.
    int FrameNumber() const { return SkinFrameNumber(FState, FFocused, FEnabled); }
    TControl* Control() const { return FControl; }
    // The window-less control this object skins, or null.
    TControl* GraphicControl() const { return FGraphicControl; }
    TSkinData* SkinData() const { return FSkinData; }
    // The skin's elements at the DPI of the form the control sits on (of its
    // own window without a form); null without skin data. Elements() is the
    // same for callers that have checked SkinData().
    const TSkinElements* SkinElements() const;
    const TSkinElements& Elements() const { return *SkinElements(); }
    // The DPI the control is drawn at: its form's, or its own window's.
    int Dpi() const;
    ISkinControlHost* Host() const { return FSkinForm; }
    bool Unicode() const { return FUnicode; }
    int Kind() const { return FKind; }
    void SetKind(int kind) { FKind = kind; }
    const std::wstring& Caption() const { return FCaption; }

    // --- Drawing helpers for painters (window coordinates) -----------------
    void FillColor(HDC dc, const TRect& rect, TColor color) const;
    // The skin's ButtonFace colour.
    void FillBG(HDC dc, const TRect& rect) const;
    // The parent's published "Color"; `fallback` without a control, a
    // parent, or such a property.
    TColor GetParentColor(TColor fallback) const;
    void FillParentBG(HDC dc, const TRect& rect) const;
    // Frame `frame` of `frameCount` of the element, nine-grid (skinmap.h).
    bool DrawSkinMap(HDC dc, const TRect& rect, int frameCount, int frame,
                     const TDataSkinObject* element) const;
    // Frame `frame` of `frameCount` of a plain strip, stretched, magenta
    // keyed: onto a DC (1, 2) or a canvas (3). The three draw alike.
    void DrawSkinMap1(HDC dc, const TRect& rect, int frameCount, int frame,
                      const TBitmap& bitmap) const;
    void DrawSkinMap2(HDC dc, const TRect& rect, int frameCount, int frame,
                      const TBitmap& bitmap) const;
    void DrawSkinMap3(TCanvas& canvas, const TRect& rect, int frameCount, int frame,
                      const TBitmap& bitmap) const;
    // The off-screen bitmap painters share (one paint at a time, GUI thread).
    static TBitmap& SharedBuffer();
    // SharedBuffer's top-left part of `rect`'s size copied to `rect`.
    void DrawBuf(HDC dc, const TRect& rect) const;
    // Captions (skintext.h), with this control's right-to-left reading and
    // enabled state.
    void DrawCaption(TCanvas& canvas, const TRect& rect, std::wstring_view text, bool enabled,
                     UINT format) const;
    void DrawImgCaption(TCanvas& canvas, const TRect& rect, TAlignment alignment,
                        std::wstring_view text, int imageIndex, TImageList* images) const;
    void DrawFocus(HDC dc, std::wstring_view text, UINT format, const TRect& rect) const;
    // `format` plus DT_RTLREADING when the control reads right to left.
    UINT CheckBiDi(UINT format) const;
    int TextHeight(HDC dc, std::wstring_view text) const;
    LONG_PTR GetWindowLongEx(HWND window, int index) const;

protected:
    // WM_PAINT taken over: DrawControl on wParam's DC or BeginPaint's.
    void WMPaint(TMessage& message);
    // The parent's look behind the control; answers 1.
    void WMERASEBKGND(TMessage& message);
    // Focus, enabled state and caption read fresh before each DrawControl.
    void ReadPaintState();
    // Tells the form that this control's window has been replaced (after
    // CM_RECREATEWND), so that it frees this object and skins the new
    // window as discovery would.
    void PostRecreate() const;
    // Puts NewWndProc in front of a control's WindowProc chain (also of a
    // window-less control, whose messages come through Perform); false when
    // this object is hooked or subclassed already.
    bool HookWindowProc(TControl& control);
    // Takes NewWndProc out of that chain again.
    void UnhookWindowProc();

    TSkinControlState FState;
    TCanvas* FCanvas = nullptr;          // the form's canvas, borrowed
    bool FEnabled = true;                // not WS_DISABLED at the last paint
    bool FFocused = false;               // had the focus at the last paint
    std::wstring FCaption;               // window text as last read
    bool FActive = true;                 // skinning on (WM_SKINENABLE)
    bool FUnicode = false;               // a Unicode window
    TSkinData* FSkinData = nullptr;
    HWND FHandle = nullptr;
    TControl* FControl = nullptr;        // the skinned framework control, or null
    TRect FWindowRect{};                 // screen rectangle at the last paint
    TControl* FGraphicControl = nullptr; // a window-less control: repaints go to it
    bool FUpdateColor = false;           // Color replaced by ButtonFace while skinned
    TColor FOldColor = clNone;
    bool FInited = false;
    int FStatus = skinstatus::Created;
    ISkinControlHost* FSkinForm = nullptr;
    int FKind = 0;                       // per-class variant

private:
    void TrackMouse(const TMessage& message);
    void DrawWholeWindow(HDC dc);

    TReleaseGuard m_guard;               // frees this object only between its messages
    TWindowProcHook m_hook;              // Init: our place in the control's WindowProc chain
    TWindowSubclass m_subclass;          // Inithwnd: the replaced window procedure
    bool m_hooked = false;               // attached through m_hook (else m_subclass)
    bool m_colorSaved = false;           // FOldColor holds the control's own colour
};

} // namespace tarnivo
