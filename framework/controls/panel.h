#pragma once
// The panel: a window that groups controls under a bevel and a centred
// caption.

#include "framework/control.h"

namespace tarnivo {

enum TPanelBevel { bvNone, bvLowered, bvRaised };

class TCustomPanel : public TCustomControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TCustomPanel(TComponent* owner);

    TPanelBevel BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TPanelBevel bevel);
    TPanelBevel BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TPanelBevel bevel);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int width);

protected:
    // The background is already in Color (WM_ERASEBKGND); this adds the
    // bevels, outer then inner, and the caption in the middle.
    void Paint(TCanvas& canvas) override;

private:
    TPanelBevel m_bevelOuter = bvRaised;
    TPanelBevel m_bevelInner = bvNone;
    int m_bevelWidth = 1;
};

class TPanel : public TCustomPanel {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomPanel::TCustomPanel;
};

} // namespace tarnivo
