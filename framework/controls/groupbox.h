#pragma once
// The group box ("BUTTON" with BS_GROUPBOX): a captioned frame around the
// controls placed in it.

#include "framework/control.h"

namespace tarnivo {

class TCustomGroupBox : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TCustomGroupBox(TComponent* owner);

    // Where the controls inside go: the client area less the frame and the
    // caption line.
    RECT ContentRect() const;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
};

class TGroupBox : public TCustomGroupBox {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomGroupBox::TCustomGroupBox;
};

} // namespace tarnivo
