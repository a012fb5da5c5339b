#pragma once
// The single-line edit ("EDIT").

#include "framework/control.h"
#include "framework/controls/controlwindow.h"

#include <string>

namespace tarnivo {

// A single-line edit box. Its text is the window's; OnChange follows every
// change of it, the user's and the program's.
class TCustomEdit : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TCustomEdit(TComponent* owner);

    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    // Most characters the user may type; 0 for the system's limit.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int length);
    // bsSingle (the default) draws the sunken edge, or a flat line without
    // Ctl3D; bsNone no border at all.
    TBorderStyle BorderStyle() const { return m_border.Style(); }
    void SetBorderStyle(TBorderStyle border) { m_border.SetStyle(border); }
    bool Ctl3D() const { return m_border.Ctl3D(); }
    void SetCtl3D(bool ctl3D) { m_border.SetCtl3D(ctl3D); }

    // The window's text once it exists; the user changes it there.
    std::string Text() const override;
    void SetText(const std::string& text) override;

    TNotifyEvent OnChange;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;

private:
    bool m_readOnly = false;
    int m_maxLength = 0;
    controlwindow::Border m_border{*this};
    std::string m_text;   // the text while there is no window
};

class TEdit : public TCustomEdit {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomEdit::TCustomEdit;
};

} // namespace tarnivo
