#pragma once
// TSkinComBox: the skin of combo boxes (framework combo boxes, raw
// "combobox" windows and the combo inside "comboboxex32"). The control keeps
// painting its text and its list; the skin paints the frame and the
// drop-down button over it from the skin's "ComboButton" (and "SunkEdge")
// images, one frame per state, and hands the list window to the scroll-bar
// family for its bar.
//
// Frames of the combo face: 1 normal, 2 pressed, 3 disabled, 4 hot or
// focused. Hover counts only over the drop-down button.

#include "skin/controls/skincontrol.h"

namespace tarnivo {

// What a combo box's list window is: the pop-up list of a drop-down combo
// box, or the always-shown list of a simple one.
enum class TComboListKind { DropDown, Simple };

// Makes and attaches the skin of a combo box's list window (the scroll-bar
// family registers it: a drop-down list skin for DropDown, scroll-bar
// overlays for Simple), owned by `owner`. Null until registered, and then
// the list keeps the system's look.
using TComboListSkinner = TSkinControl* (*)(TComponent* owner, TComboListKind kind, HWND list,
                                            TSkinData* skinData, TCanvas* canvas,
                                            ISkinControlHost* host);
void SetComboListSkinner(TComboListSkinner skinner);

class TSkinComBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    ~TSkinComBox() override;
    std::string ClassName() const override { return "TSkinComBox"; }

    void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
              bool updateColor) override;
    void Inithwnd(HWND window, TSkinData* skinData, TCanvas* canvas,
                  ISkinControlHost* host) override;
    // Gives the edit child its procedure back and frees the list skins.
    void Unsubclass() override;

    void AfterProc(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;
    // The flat face of a "ComboButton" with Style 1.
    void DrawControl1(HDC dc, const TRect& rect);

    // The face frame for the state read at the last paint (composed and
    // separate faces; the flat face orders its tests differently).
    int FaceFrame() const;
    // Where the drop-down button was last drawn, in window coordinates
    // (the same as client coordinates: a combo box has no frame of its own).
    const TRect& ButtonRect() const { return FButtonRect; }
    HWND ListWindow() const { return FListWnd; }
    HWND EditWindow() const { return FEditWnd; }
    // The list's skin, null when none was made.
    TSkinControl* ListSkin() const { return FDropList ? FDropList : FListScroll; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    // The drop-down list gets its skin (framework combo boxes only).
    void SkinDropList();
    // A simple combo box's list gets scroll-bar overlays.
    void SkinSimpleList();
    // Subclasses the first child (the edit of a drop-down combo box).
    void FindBtn();
    void ButtonProc(TMessage& message);
    void CNCommand(const TMessage& message);
    void WMMouseMove(const TMessage& message);
    bool ReadComboInfo();
    void SetDown(bool down);
    void SettlePress();
    void SetHot(bool hot);
    void DrawComposed(HDC dc, const TRect& rect, int frame);
    void DrawSeparate(HDC dc, const TRect& rect, int frame);
    void TakeListSkin(TSkinControl*& field, TSkinControl* skin);
    void FreeListSkins();

    DWORD FStyle = 0;                  // window style, at attach and each paint
    DWORD FExStyle = 0;                // extended style, at each paint
    HWND FListWnd = nullptr;           // the list window the system reports
    HWND FEditWnd = nullptr;           // the first child, subclassed
    TWindowSubclass m_editSubclass;    // ButtonProc in front of that child
    TSkinControl* FListScroll = nullptr; // a simple combo box's list overlays (owned by the control)
    TSkinControl* FDropList = nullptr;   // the drop-down list's skin (owned by the control)
    COMBOBOXINFO FComboInfo{};         // refreshed at each paint
    TRect FButtonRect{};               // the button as last drawn (hover test)
    bool m_pressOpenedList = false;    // the list was seen open during the press
};

} // namespace tarnivo
