#pragma once
// Standard controls: the label (drawn on its parent), the push button
// ("BUTTON") and the single-line edit ("EDIT").

#include "control.h"

#include <string>

namespace tarnivo {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Text drawn on the parent with DrawText. With AutoSize (the default) the
// label takes the size of its text in its font whenever either changes; with
// WordWrap it keeps its width and takes the height of the wrapped text.
class TLabel : public TGraphicControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TLabel(TComponent* owner);

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);
    // Without it the background is filled with Color.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    // Whether "&" marks the next character as the underlined access key.
    bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool show);

    void Paint(TCanvas& canvas) override;

protected:
    void TextChanged() override;
    void FontChanged() override;
    void Loaded() override;

private:
    // DrawText flags for the text as the label shows it.
    UINT TextFlags() const;
    void AdjustBounds();

    bool m_autoSize = true;
    TAlignment m_alignment = taLeftJustify;
    bool m_wordWrap = false;
    bool m_transparent = false;
    bool m_showAccelChar = true;
};

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
    std::string m_text;   // the text while there is no window
};

class TEdit : public TCustomEdit {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomEdit::TCustomEdit;
};

} // namespace tarnivo
