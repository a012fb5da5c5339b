#pragma once
// The frame: a reusable group of controls with its own components, placed
// on a form (or another frame) like one control.

#include "framework/controls/scrollbox.h"

namespace tarnivo {

// The controls a frame holds are its children, and the components made with
// it as owner (menus, image lists, timers) are freed with it. A class derived
// from TFrame builds its content in its constructor, as a form does.
class TCustomFrame : public TScrollingWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TCustomFrame(TComponent* owner);
};

class TFrame : public TCustomFrame {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomFrame::TCustomFrame;
};

} // namespace tarnivo
