#pragma once
// The check box ("BUTTON" with BS_3STATE).

#include "framework/control.h"
#include "framework/controls/label.h"

namespace tarnivo {

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// A check box. Its state is the window's. The window is a manual three-state
// button, so the grayed state can be set whatever AllowGrayed says; a click
// steps the state as the framework family does: unchecked, then grayed (only
// with AllowGrayed), then checked, then unchecked again. OnClick follows
// every change of the state, the user's and the program's.
class TCustomCheckBox : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TCustomCheckBox(TComponent* owner);

    TCheckBoxState State() const;
    void SetState(TCheckBoxState state);
    // True only for cbChecked; setting false from grayed unchecks.
    bool Checked() const { return State() == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return m_allowGrayed; }
    void SetAllowGrayed(bool allow) { m_allowGrayed = allow; }
    // taRightJustify (the default): the box on the left, the text right of
    // it; taLeftJustify puts the text first (BS_LEFTTEXT).
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;
    // The next state after a click.
    virtual void Toggle();

private:
    TCheckBoxState m_state = cbUnchecked;   // used until the window exists
    bool m_allowGrayed = false;
    TAlignment m_alignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomCheckBox::TCustomCheckBox;
};

} // namespace tarnivo
