#include "framework/controls/statusbar.h"
#include "framework/unicodetext.h"

#include "framework/canvas.h"
#include "framework/controls/controlwindow.h"

#include <commctrl.h>

#include <vector>

namespace tarnivo {

using controlwindow::Existing;
using controlwindow::Send;

// ------------------------------------------------------------- TStatusPanel

const TClassInfo& TStatusPanel::StaticClassInfo()
{
    static const TClassInfo info{
        "TStatusPanel",
        &TCollectionItem::StaticClassInfo(),
        {
            published::Text("Text", &TStatusPanel::Text, &TStatusPanel::SetText),
            published::Integer("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth),
            published::Enumeration("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
                                   &TStatusPanel::Alignment, &TStatusPanel::SetAlignment),
            published::Enumeration("Bevel", {"pbNone", "pbLowered", "pbRaised"},
                                   &TStatusPanel::Bevel, &TStatusPanel::SetBevel),
            published::Enumeration("Style", {"psText", "psOwnerDraw"}, &TStatusPanel::Style,
                                   &TStatusPanel::SetStyle),
        }};
    return info;
}

void TStatusPanel::Changed(bool layout)
{
    auto* panels = static_cast<TStatusPanels*>(Collection());
    if (!panels || !panels->m_bar)
        return;
    if (layout)
        panels->m_bar->UpdatePanels(true);
    else
        panels->m_bar->UpdatePanel(Index());
}

void TStatusPanel::SetText(const std::string& text)
{
    if (m_text == text)
        return;
    m_text = text;
    Changed(false);
}

void TStatusPanel::SetWidth(int width)
{
    width = width < 0 ? 0 : width;
    if (m_width == width)
        return;
    m_width = width;
    Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment alignment)
{
    if (m_alignment == alignment)
        return;
    m_alignment = alignment;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel)
{
    if (m_bevel == bevel)
        return;
    m_bevel = bevel;
    Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle style)
{
    if (m_style == style)
        return;
    m_style = style;
    Changed(false);
}

void TStatusPanel::Assign(const TPersistent& source)
{
    const auto* other = dynamic_cast<const TStatusPanel*>(&source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    m_text = other->m_text;
    m_width = other->m_width;
    m_alignment = other->m_alignment;
    m_bevel = other->m_bevel;
    m_style = other->m_style;
    Changed(true);
}

// ------------------------------------------------------------ TStatusPanels

TStatusPanels::TStatusPanels(TCustomStatusBar* bar)
    : TOwnedCollection(bar, [](TCollection* c) -> TCollectionItem* { return new TStatusPanel(c); }),
      m_bar(bar)
{
}

TStatusPanel* TStatusPanels::Add()
{
    auto* panel = static_cast<TStatusPanel*>(TCollection::Add());
    if (m_bar)
        m_bar->UpdatePanels(true);
    return panel;
}

void TStatusPanels::Delete(int index)
{
    TCollection::Delete(index);
    if (m_bar)
        m_bar->UpdatePanels(true);
}

void TStatusPanels::Clear()
{
    TCollection::Clear();
    if (m_bar)
        m_bar->UpdatePanels(true);
}

// --------------------------------------------------------- TCustomStatusBar

const TClassInfo& TCustomStatusBar::StaticClassInfo()
{
    static const TClassInfo info{"TCustomStatusBar", &TWinControl::StaticClassInfo(), {}};
    return info;
}

TCustomStatusBar::TCustomStatusBar(TComponent* owner)
    : TWinControl(owner), m_panels(new TStatusPanels(this))
{
    SetBounds(0, 0, 200, 19);
}

TCustomStatusBar::~TCustomStatusBar()
{
    // The panels talk to the bar while they go; the bar is going too.
    m_panels->m_bar = nullptr;
    delete m_panels;
}

void TCustomStatusBar::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = STATUSCLASSNAMEA;
    // CCS_NORESIZE keeps the bounds given; the bar would size and place
    // itself at the parent's bottom otherwise.
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (m_sizeGrip)
        params.Style |= SBARS_SIZEGRIP;
}

void TCustomStatusBar::HandleCreated()
{
    UpdatePanels(true);
    Send(Handle(), SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(ToWide(m_simpleText).c_str()));
    Send(Handle(), SB_SIMPLE, m_simple);
}

void TCustomStatusBar::HandleDestroying()
{
    m_simple = SimplePanel();
}

void TCustomStatusBar::UpdatePanels(bool layout)
{
    HWND window = Existing(*this);
    if (!window)
        return;
    int count = m_panels->Count();
    if (layout) {
        // Right edges; -1 takes the last part to the bar's right edge. A bar
        // without panels still has one part, empty.
        std::vector<int> edges;
        int edge = 0;
        for (int i = 0; i < count; ++i) {
            edge += m_panels->Items(i)->Width();
            edges.push_back(i == count - 1 ? -1 : edge);
        }
        if (edges.empty())
            edges.push_back(-1);
        Send(window, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        if (count == 0)
            Send(window, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));
    }
    for (int i = 0; i < count; ++i)
        UpdatePanel(i);
}

void TCustomStatusBar::UpdatePanel(int index)
{
    HWND window = Existing(*this);
    if (!window || index < 0 || index >= m_panels->Count())
        return;
    // Also after a panel was added or removed elsewhere: the parts follow
    // the count.
    if (Send(window, SB_GETPARTS, 0, 0) != m_panels->Count() && m_panels->Count() > 0) {
        UpdatePanels(true);
        return;
    }
    const TStatusPanel* panel = m_panels->Items(index);
    WPARAM flags = static_cast<WPARAM>(index);
    if (panel->Bevel() == pbNone)
        flags |= SBT_NOBORDERS;
    else if (panel->Bevel() == pbRaised)
        flags |= SBT_POPOUT;
    if (panel->Style() == psOwnerDraw) {
        // The text pointer is the item data handed back in WM_DRAWITEM.
        Send(window, SB_SETTEXTW, flags | SBT_OWNERDRAW,
             reinterpret_cast<LPARAM>(const_cast<TStatusPanel*>(panel)));
        return;
    }
    // A tab centres what follows it, two tabs align it right.
    std::string text = panel->Alignment() == taCenter        ? "\t" + panel->Text()
                       : panel->Alignment() == taRightJustify ? "\t\t" + panel->Text()
                                                              : panel->Text();
    Send(window, SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(ToWide(text).c_str()));
}

bool TCustomStatusBar::SimplePanel() const
{
    HWND window = Existing(*this);
    return window ? Send(window, SB_ISSIMPLE) != 0 : m_simple;
}

void TCustomStatusBar::SetSimplePanel(bool simple)
{
    m_simple = simple;
    if (HWND window = Existing(*this))
        Send(window, SB_SIMPLE, simple);
}

void TCustomStatusBar::SetSimpleText(const std::string& text)
{
    if (m_simpleText == text)
        return;
    m_simpleText = text;
    if (HWND window = Existing(*this))
        Send(window, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(ToWide(text).c_str()));
}

void TCustomStatusBar::SetSizeGrip(bool grip)
{
    if (m_sizeGrip == grip)
        return;
    m_sizeGrip = grip;
    RecreateWnd();
}

RECT TCustomStatusBar::PanelRect(int index) const
{
    RECT r{};
    if (HWND window = Existing(*this))
        if (!Send(window, SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)))
            r = RECT{};
    return r;
}

void TCustomStatusBar::Dispatch(TMessage& message)
{
    if (message.Msg == CN_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        int index = static_cast<int>(item->itemID);
        if (OnDrawPanel && index >= 0 && index < m_panels->Count()) {
            TCanvas canvas;
            canvas.SetHandle(item->hDC);
            OnDrawPanel(this, m_panels->Items(index), canvas, item->rcItem);
            canvas.SetHandle(nullptr);
        }
        message.Result = TRUE;
        return;
    }
    TWinControl::Dispatch(message);
}

const TClassInfo& TStatusBar::StaticClassInfo()
{
    static const TClassInfo info{
        "TStatusBar",
        &TCustomStatusBar::StaticClassInfo(),
        {
            published::Boolean("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel),
            published::Text("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText),
            published::Boolean("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip),
        }};
    return info;
}

} // namespace tarnivo
