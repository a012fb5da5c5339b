#pragma once
// The multi-line edit ("EDIT" with ES_MULTILINE).

#include "framework/controls/edit.h"
#include "framework/controls/label.h"
#include "framework/stringlist.h"

namespace tarnivo {

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// A multi-line edit. Its text is the window's; Lines are that text's lines
// as CR LF, CR or LF end them (not the lines word wrap makes on screen).
class TCustomMemo : public TCustomEdit {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TCustomMemo(TComponent* owner);

    // Fills `lines` with the memo's lines.
    void GetLines(TStringList& lines) const;
    void SetLines(const TStringList& lines);
    int LineCount() const;
    // Appends a line, on a line of its own after the present text.
    void AddLine(const std::string& line);
    std::string LinesText() const;
    void SetLinesText(const std::string& text) { SetText(text); }

    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle scrollBars);
    // Long lines wrap at the right edge unless a horizontal scroll bar is shown.
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool wordWrap);
    // Without it Enter types no line break.
    bool WantReturns() const { return m_wantReturns; }
    void SetWantReturns(bool want) { m_wantReturns = want; }
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);

protected:
    void CreateParams(TCreateParams& params) override;
    void KeyPress(wchar_t& key) override;

private:
    TScrollStyle m_scrollBars = ssNone;
    bool m_wordWrap = true;
    bool m_wantReturns = true;
    TAlignment m_alignment = taLeftJustify;
};

class TMemo : public TCustomMemo {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomMemo::TCustomMemo;
};

} // namespace tarnivo
