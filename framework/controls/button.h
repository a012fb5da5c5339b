#pragma once
// The push button ("BUTTON").

#include "framework/control.h"

namespace tarnivo {

// A push button. A click (mouse, Space, or Enter while it has the focus)
// raises OnClick after setting the parent form's ModalResult to the
// button's, when that is not mrNone, which ends the form's modal loop.
class TButton : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TButton(TComponent* owner);

    // Drawn with the heavy border of the dialog's default button.
    bool Default() const { return m_default; }
    void SetDefault(bool isDefault);
    // Escape while the button has the focus clicks it.
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool cancel) { m_cancel = cancel; }
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result) { m_modalResult = result; }

    // Clicks the button as a user would.
    void Click() override;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void KeyDown(WORD& key, TShiftState shift) override;

private:
    bool m_default = false;
    bool m_cancel = false;
    int m_modalResult = 0;
};

} // namespace tarnivo
