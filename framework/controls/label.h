#pragma once
// The label: text drawn on its parent.

#include "framework/control.h"

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

} // namespace tarnivo
