#pragma once
// The radio button ("BUTTON" with BS_RADIOBUTTON).

#include "framework/control.h"
#include "framework/controls/label.h"

namespace tarnivo {

// A radio button. The radio buttons with the same parent form one group:
// checking one, by a click or by the program, unchecks the others. The check
// mark is the window's. OnClick follows a change to checked.
class TRadioButton : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TRadioButton(TComponent* owner);

    bool Checked() const;
    void SetChecked(bool checked);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;

private:
    bool m_checked = false;   // used until the window exists
    TAlignment m_alignment = taRightJustify;
};

} // namespace tarnivo
