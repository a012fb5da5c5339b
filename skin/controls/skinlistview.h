#pragma once
// List views and headers. A list view paints its own items; its skin adds
// the border and the scroll-bar overlays of TSkinScrollbar and skins the
// list's header window with a TSkinHeader. TSkinHeader also skins a
// stand-alone header control: every item drawn from the skin's "Headerbar"
// (frame 1 normal, 2 under the pointer), the width past the last item
// filled with the normal frame.

#include "skin/controls/skinscrollbar.h"

#include <vector>

namespace tarnivo {

class TSkinHeader : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    std::string ClassName() const override { return "TSkinHeader"; }

    void Init(ISkinControlHost* host, TSkinData* skinData, TCanvas* canvas,
              bool updateColor) override;
    void Inithwnd(HWND window, TSkinData* skinData, TCanvas* canvas,
                  ISkinControlHost* host) override;

    bool BeforeProc(TMessage& message) override;
    void AfterProc(TMessage& message) override;
    void DrawControl(HDC dc, const TRect& rect) override;
    // One item's face and caption into `canvas` at `rect`.
    void DrawItem(TCanvas& canvas, int index, const TRect& rect);

    int HotItem() const { return FHotItem; }
    const std::vector<TRect>& ItemRects() const { return FItemRects; }

private:
    void WMMouseMove(const TMessage& message);
    void WMMouseLeave();
    bool HasHeaderImage() const;

    std::vector<TRect> FItemRects;   // items at the last paint, 3 pixels in at each side
    int FHotItem = -1;               // the item under the pointer
};

class TSkinListView : public TSkinScrollbar {
public:
    using TSkinScrollbar::TSkinScrollbar;
    std::string ClassName() const override { return "TSkinListView"; }

    void InitScrollbar(TControl* control, TSkinData* skinData, TCanvas* canvas,
                       ISkinControlHost* host) override;
    TSkinHeader* Header() const { return FHeader; }

private:
    TSkinHeader* FHeader = nullptr;   // owned by the list view control
};

} // namespace tarnivo
