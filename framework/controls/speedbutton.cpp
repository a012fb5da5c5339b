#include "framework/controls/speedbutton.h"

#include "framework/canvas.h"
#include "framework/gdiobjects.h"

#include <algorithm>

namespace tarnivo {

const TClassInfo& TSpeedButton::StaticClassInfo()
{
    static const TClassInfo info{
        "TSpeedButton",
        &TGraphicControl::StaticClassInfo(),
        {
            buttonglyph::GlyphProperty<TSpeedButton>(),
            published::Integer("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs),
            published::Enumeration("Layout",
                                   {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"},
                                   &TSpeedButton::Layout, &TSpeedButton::SetLayout),
            published::Integer("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin),
            published::Integer("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing),
            published::Boolean("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat),
            published::Boolean("Down", &TSpeedButton::Down, &TSpeedButton::SetDown),
            published::Integer("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex),
            published::Boolean("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp),
        }};
    return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGlyphButton(owner)
{
    SetBounds(0, 0, 23, 22);
}

template <typename F>
void TSpeedButton::ForGroup(F f)
{
    if (m_groupIndex == 0 || !Parent())
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
            other && other != this && other->m_groupIndex == m_groupIndex)
            f(*other);
}

void TSpeedButton::SetFlat(bool flat)
{
    if (m_flat == flat)
        return;
    m_flat = flat;
    Invalidate();
}

void TSpeedButton::SetDown(bool down)
{
    if (m_groupIndex == 0)
        down = false;
    if (m_down == down)
        return;
    if (m_down && !m_allowAllUp)
        return;   // the group always keeps one button down
    m_down = down;
    if (down)
        ForGroup([](TSpeedButton& other) {
            if (other.m_down) {
                other.m_down = false;
                other.Invalidate();
            }
        });
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int index)
{
    if (m_groupIndex == index)
        return;
    m_groupIndex = index;
    if (index == 0) {
        m_down = false;
        Invalidate();
        return;
    }
    // Joining a group: take its AllowAllUp, and stay down only if no
    // button of it is down already.
    bool taken = false;
    ForGroup([&](TSpeedButton& other) {
        m_allowAllUp = other.m_allowAllUp;
        taken = taken || other.m_down;
    });
    if (taken && m_down) {
        m_down = false;
        Invalidate();
    }
}

void TSpeedButton::SetAllowAllUp(bool allow)
{
    m_allowAllUp = allow;
    ForGroup([allow](TSpeedButton& other) { other.m_allowAllUp = allow; });
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && Enabled()) {
        m_pressed = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && m_pressed) {
        m_pressed = false;
        POINT p{x, y};
        RECT r = ClientRect();
        // Released outside: no click, no change (the base makes no click either).
        if (PtInRect(&r, p) && m_groupIndex != 0) {
            if (!m_down)
                SetDown(true);
            else if (m_allowAllUp)
                SetDown(false);
        }
        Invalidate();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::Click()
{
    if (Enabled())
        TGraphicControl::Click();
}

void TSpeedButton::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case CM_MOUSEENTER:
        m_mouseInside = true;
        if (m_flat)
            Invalidate();
        break;
    case CM_MOUSELEAVE:
        m_mouseInside = false;
        if (m_flat)
            Invalidate();
        break;
    }
    TGraphicControl::Dispatch(message);
}

void TSpeedButton::Paint(TCanvas& canvas)
{
    HDC dc = canvas.Handle();
    SavedDCState state(dc);
    RECT r = ClientRect();
    bool sunk = m_pressed || m_down;
    if (!m_flat) {
        UINT flags = DFCS_BUTTONPUSH | (sunk ? DFCS_PUSHED : 0);
        DrawFrameControl(dc, &r, DFC_BUTTON, flags);
    } else {
        // The flat face: the parent shows through, with an edge only when
        // the button is live under the pointer, pressed or down.
        if (sunk)
            DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        else if (m_mouseInside && Enabled())
            DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    }
    if (m_down && !m_pressed) {
        // A down button shows a dithered face, as a checked tool button does.
        RECT inner = r;
        InflateRect(&inner, -2, -2);
        static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        GdiBitmap bits(CreateBitmap(8, 8, 1, 1, pattern));
        GdiBrush brush(CreatePatternBrush(bits.Get()));
        SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
        SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        FillRect(dc, &inner, brush.Get());
    }

    RECT content = r;
    InflateRect(&content, -2, -2);
    if (sunk)
        OffsetRect(&content, 1, 1);
    auto cell = !Enabled()  ? buttonglyph::Disabled
                : m_pressed ? buttonglyph::Pressed
                : m_down    ? buttonglyph::Down
                            : buttonglyph::Up;
    m_glyph.DrawContent(dc, content, cell, Enabled());
}

} // namespace tarnivo
