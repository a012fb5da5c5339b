#pragma once
// The status bar ("msctls_statusbar32") and its panels.

#include "framework/collection.h"
#include "framework/control.h"
#include "framework/controls/label.h"

#include <functional>
#include <string>

namespace tarnivo {

class TCanvas;
class TCustomStatusBar;

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum TStatusPanelStyle { psText, psOwnerDraw };

// One part of a status bar. Each change goes to the bar's window at once.
class TStatusPanel : public TCollectionItem {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}

    const std::string& Text() const { return m_text; }
    void SetText(const std::string& text);
    // The last panel reaches the bar's right edge whatever its width.
    int Width() const { return m_width; }
    void SetWidth(int width);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    TStatusPanelBevel Bevel() const { return m_bevel; }
    void SetBevel(TStatusPanelBevel bevel);
    TStatusPanelStyle Style() const { return m_style; }
    void SetStyle(TStatusPanelStyle style);

    void Assign(const TPersistent& source) override;

private:
    void Changed(bool layout);

    std::string m_text;
    int m_width = 50;
    TAlignment m_alignment = taLeftJustify;
    TStatusPanelBevel m_bevel = pbLowered;
    TStatusPanelStyle m_style = psText;
};

// The panels of a bar. Adding, deleting and clearing through these members
// updates the bar's parts at once.
class TStatusPanels : public TOwnedCollection {
public:
    explicit TStatusPanels(TCustomStatusBar* bar);

    TStatusPanel* Add();
    void Delete(int index);
    void Clear();
    TStatusPanel* Items(int index) const
    {
        return static_cast<TStatusPanel*>(TCollection::Items(index));
    }
    TStatusPanel* operator[](int index) const { return Items(index); }

private:
    friend class TStatusPanel;
    friend class TCustomStatusBar;
    TCustomStatusBar* m_bar;
};

using TDrawPanelEvent =
    std::function<void(TCustomStatusBar* bar, TStatusPanel* panel, TCanvas& canvas, const RECT& rect)>;

// A status bar. In simple mode (SimplePanel) it shows SimpleText across its
// whole width; otherwise one part per panel. The bar does not place itself
// at its parent's bottom: its bounds are the application's.
class TCustomStatusBar : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TCustomStatusBar(TComponent* owner);
    ~TCustomStatusBar() override;

    TStatusPanels& Panels() { return *m_panels; }
    const TStatusPanels& Panels() const { return *m_panels; }

    bool SimplePanel() const;
    void SetSimplePanel(bool simple);
    // The text of simple mode. The window can answer it only while simple,
    // so it is kept here.
    const std::string& SimpleText() const { return m_simpleText; }
    void SetSimpleText(const std::string& text);
    bool SizeGrip() const { return m_sizeGrip; }
    void SetSizeGrip(bool grip);

    // Where panel `index` is in the bar's client area, as the window says;
    // an empty rectangle for a panel it does not show.
    RECT PanelRect(int index) const;

    // Draws the panels whose Style is psOwnerDraw.
    TDrawPanelEvent OnDrawPanel;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;

private:
    friend class TStatusPanel;
    friend class TStatusPanels;
    // Sends the part edges (layout) and every panel's text and look.
    void UpdatePanels(bool layout);
    void UpdatePanel(int index);

    TStatusPanels* m_panels;   // owned
    std::string m_simpleText;
    bool m_simple = false;     // used until the window exists
    bool m_sizeGrip = true;
};

class TStatusBar : public TCustomStatusBar {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomStatusBar::TCustomStatusBar;
};

} // namespace tarnivo
