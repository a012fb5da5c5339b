#pragma once
// The speed button: a button without a window of its own, drawn on its parent.

#include "framework/bitmap.h"
#include "framework/controls/buttonglyph.h"

namespace tarnivo {

// A speed button. Buttons with the same nonzero GroupIndex and the same
// parent are a group in which at most one is Down: pressing one (a click, or
// Down set by the program) releases the others. Clicking the button that is
// down releases it only with AllowAllUp, which the whole group shares. With
// GroupIndex 0 the button never stays down. A Flat button shows its face only
// while the pointer is over it, pressed, or down.
class TSpeedButton : public TGlyphButton<TGraphicControl> {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TSpeedButton(TComponent* owner);

    // Glyph cells: 1 up, 2 disabled, 3 pressed, 4 down.
    bool Flat() const { return m_flat; }
    void SetFlat(bool flat);
    bool Down() const { return m_down; }
    void SetDown(bool down);
    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int index);
    bool AllowAllUp() const { return m_allowAllUp; }
    void SetAllowAllUp(bool allow);

    // Held down by the mouse right now.
    bool Pressed() const { return m_pressed; }
    bool MouseInside() const { return m_mouseInside; }

    // Raises OnClick when enabled.
    void Click() override;
    void Paint(TCanvas& canvas) override;
    void Dispatch(TMessage& message) override;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    // The other buttons of this one's group.
    template <typename F>
    void ForGroup(F f);

    bool m_flat = false;
    bool m_down = false;
    int m_groupIndex = 0;
    bool m_allowAllUp = false;
    bool m_pressed = false;
    bool m_mouseInside = false;
};

} // namespace tarnivo
