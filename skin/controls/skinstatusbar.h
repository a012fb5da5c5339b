#pragma once
// TSkinStatusBar: a status bar composed off screen on the skin's face
// colour, its panels framed from the "StatusBarEdges" element (frame 1
// lowered, 2 raised, 3 no bevel) and its size grip from frame 5 of
// "ExtraImages". Framework bars are read through their published
// properties; raw bars ("msctls_statusbar32" of a dialog) through the bar's
// own messages.

#include "skin/controls/skincontrol.h"

#include <vector>

namespace tarnivo {

class TStatusPanel;

class TSkinStatusBar : public TSkinControl {
public:
    // A panel's text stays this far from its left and right edges.
    static constexpr int TextInset = 2;

    using TSkinControl::TSkinControl;
    std::string ClassName() const override { return "TSkinStatusBar"; }

    bool BeforeProc(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;

private:
    enum class TBevel { Lowered = 1, Raised = 2, None = 3 };
    struct TPanelLook {
        TRect Rect{};
        std::wstring Text;
        TBevel Bevel = TBevel::Lowered;
        UINT Align = DT_LEFT;
        bool OwnerDraw = false;
        TStatusPanel* Panel = nullptr;   // framework bars only
    };

    bool Simple() const;
    std::wstring SimpleText() const;
    std::vector<TPanelLook> Panels(const TRect& rect) const;
    std::vector<TPanelLook> RawPanels(const TRect& rect) const;
    void PrepareCanvas(TCanvas& canvas) const;
    void DrawPanelFace(TCanvas& canvas, const TPanelLook& panel) const;
    void DrawSizeGrip(HDC dc, const TRect& rect) const;
    void DrawOwnerPanels(HDC dc, const std::vector<TPanelLook>& panels) const;
};

} // namespace tarnivo
