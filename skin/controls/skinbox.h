#pragma once
// Containers that only need a plain background from the skin: panels and
// other framework containers (TSkinBox), cool bars (TSkinCoolBar), child dialogs of raw windows
// (TSkinBoxH), size grips (TSkinSizer) and the sheets of a skinned page
// control (TSkinTabSheet). Their children are skinned one by one by control
// discovery; these only give the space between them the skin's face colour.

#include "skin/controls/skincontrol.h"

#include <vector>

namespace tarnivo {

// A framework container. It is not put in the control's message path at
// all: the container paints itself in its Color, which becomes the skin's
// ButtonFace while skinned (with UpdateColor) and its own again on
// Unsubclass.
class TSkinBox : public TSkinControl {
public:
    // A life-cycle code set by whoever gives the whole form back at once:
    // the container's colour is then left as it is.
    static constexpr int StatusKeepColor = 4;

    using TSkinControl::TSkinControl;
    std::string ClassName() const override { return "TSkinBox"; }

    void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
              bool updateColor) override;
    void Unsubclass() override;
    void SkinChange() override;
    void AfterProc(TMessage&) override {}
    void SetStatus(int status) { FStatus = status; }

private:
    bool m_colorSaved = false;   // FOldColor holds the control's own colour
};

// A cool bar: the bar and each of its bands take the face while skinned
// (also after a skin change) and get their own colours back afterwards.
class TSkinCoolBar : public TSkinBox {
public:
    using TSkinBox::TSkinBox;
    std::string ClassName() const override { return "TSkinCoolBar"; }

    void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
              bool updateColor) override;
    void Unsubclass() override;
    void SkinChange() override;

private:
    void PaintBands() const;

    std::vector<TColor> m_bandColors;   // the bands' own colours, by index
};

// A raw "#32770" dialog inside a skinned window: its background and the
// background its static children ask for become ButtonFace.
class TSkinBoxH : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::string ClassName() const override { return "TSkinBoxH"; }
    bool BeforeProc(TMessage& message) override;

private:
    void WMEraseBkgnd(TMessage& message);
    void WMCtlColorStatic(TMessage& message);
};

// A raw size-grip scroll bar: covered with ButtonFace after it painted its
// system grip.
class TSkinSizer : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::string ClassName() const override { return "TSkinSizer"; }
    void DrawControl(HDC dc, const TRect& rect) override;
};

// A tab sheet of a skinned page control: ButtonFace under its controls.
// The sheet's Color is ButtonFace while skinned, so that labels following it
// do not paint their own face over the sheet's. With Kind set the sheet keeps
// its own painting and colour.
class TSkinTabSheet : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::string ClassName() const override { return "TSkinTabSheet"; }
    void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
              bool updateColor) override;
    bool BeforeProc(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;

private:
    void WMEraseBkgnd(TMessage& message);
};

// Paints `control`'s window-less children (labels, images) onto `dc`, whose
// origin is the control's client origin: a painter that took WM_PAINT over
// still shows them.
void PaintGraphicChildren(TControl* control, HDC dc);

} // namespace tarnivo
