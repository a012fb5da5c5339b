#include "framework/controls/updown.h"

#include "framework/controls/controlwindow.h"

#include <commctrl.h>

#include <algorithm>

namespace tarnivo {

using controlwindow::Existing;
using controlwindow::Send;

const TClassInfo& TCustomUpDown::StaticClassInfo()
{
    static const TClassInfo info{"TCustomUpDown", &TWinControl::StaticClassInfo(), {}};
    return info;
}

TCustomUpDown::TCustomUpDown(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 17, 25);
}

TCustomUpDown::~TCustomUpDown()
{
    if (m_associate)
        m_associate->RemoveFreeNotification(this);
}

void TCustomUpDown::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = UPDOWN_CLASSA;
    params.Style |= UDS_SETBUDDYINT;
    params.Style |= m_alignButton == udLeft ? UDS_ALIGNLEFT : UDS_ALIGNRIGHT;
    if (m_orientation == udHorizontal)
        params.Style |= UDS_HORZ;
    if (m_arrowKeys)
        params.Style |= UDS_ARROWKEYS;
    if (!m_thousands)
        params.Style |= UDS_NOTHOUSANDS;
    if (m_wrap)
        params.Style |= UDS_WRAP;
}

void TCustomUpDown::HandleCreated()
{
    HWND window = Handle();
    Send(window, UDM_SETRANGE32, static_cast<WPARAM>(m_min), m_max);
    UDACCEL accel{0, static_cast<UINT>(m_increment)};
    Send(window, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    // The buddy first: setting the position writes it into the buddy, and
    // the control reads its position back from there.
    if (m_associate)
        Send(window, UDM_SETBUDDY, reinterpret_cast<WPARAM>(m_associate->Handle()));
    Send(window, UDM_SETPOS32, 0, m_position);
}

void TCustomUpDown::HandleDestroying()
{
    m_min = Min();
    m_max = Max();
    m_position = Position();
    m_increment = Increment();
}

int TCustomUpDown::Min() const
{
    HWND window = Existing(*this);
    if (!window)
        return m_min;
    int min = 0, max = 0;
    Send(window, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&min), reinterpret_cast<LPARAM>(&max));
    return min;
}

int TCustomUpDown::Max() const
{
    HWND window = Existing(*this);
    if (!window)
        return m_max;
    int min = 0, max = 0;
    Send(window, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&min), reinterpret_cast<LPARAM>(&max));
    return max;
}

void TCustomUpDown::SetRange(int min, int max)
{
    m_min = min;
    m_max = max;
    if (HWND window = Existing(*this))
        Send(window, UDM_SETRANGE32, static_cast<WPARAM>(min), max);
}

void TCustomUpDown::SetMin(int value) { SetRange(value, Max()); }
void TCustomUpDown::SetMax(int value) { SetRange(Min(), value); }

int TCustomUpDown::Position() const
{
    HWND window = Existing(*this);
    if (!window)
        return m_position;
    BOOL failed = FALSE;
    auto position = Send(window, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed));
    return static_cast<int>(position);
}

void TCustomUpDown::SetPosition(int value)
{
    // Within the range, whichever way round it is: not every version of
    // the control keeps a position set from outside within it.
    int low = std::min(Min(), Max());
    int high = std::max(Min(), Max());
    value = std::clamp(value, low, high);
    m_position = value;
    if (HWND window = Existing(*this))
        Send(window, UDM_SETPOS32, 0, value);
}

int TCustomUpDown::Increment() const
{
    HWND window = Existing(*this);
    if (!window)
        return m_increment;
    UDACCEL accel{0, static_cast<UINT>(m_increment)};
    Send(window, UDM_GETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    return static_cast<int>(accel.nInc);
}

void TCustomUpDown::SetIncrement(int value)
{
    m_increment = value;
    if (HWND window = Existing(*this)) {
        UDACCEL accel{0, static_cast<UINT>(value)};
        Send(window, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    }
}

void TCustomUpDown::SetAssociate(TWinControl* control)
{
    if (control == this)
        throw EPropertyError("An up-down control cannot be its own associate");
    if (!controlwindow::Relink(*this, m_associate, control))
        return;
    if (HWND window = Existing(*this)) {
        // With a buddy the control reads its position from the buddy's
        // text, and writes it there only when it moves: carry it over.
        int position = Position();
        HWND buddy = m_associate ? m_associate->Handle() : nullptr;
        Send(window, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy));
        Send(window, UDM_SETPOS32, 0, position);
    }
}

void TCustomUpDown::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == m_associate) {
        m_associate = nullptr;
        if (HWND window = Existing(*this))
            Send(window, UDM_SETBUDDY, 0);
    }
}

void TCustomUpDown::SetOrientation(TUDOrientation orientation)
{
    if (m_orientation == orientation)
        return;
    m_orientation = orientation;
    RecreateWnd();
}

void TCustomUpDown::SetAlignButton(TUDAlignButton align)
{
    if (m_alignButton == align)
        return;
    m_alignButton = align;
    RecreateWnd();
}

void TCustomUpDown::SetArrowKeys(bool arrowKeys)
{
    if (m_arrowKeys == arrowKeys)
        return;
    m_arrowKeys = arrowKeys;
    RecreateWnd();
}

void TCustomUpDown::SetThousands(bool thousands)
{
    if (m_thousands == thousands)
        return;
    m_thousands = thousands;
    RecreateWnd();
}

void TCustomUpDown::SetWrap(bool wrap)
{
    if (m_wrap == wrap)
        return;
    m_wrap = wrap;
    RecreateWnd();
}

void TCustomUpDown::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case CN_NOTIFY: {
        const NMHDR* header = NotifyRecord(message.LParam);
        if (header && header->code == UDN_DELTAPOS) {
            bool allow = true;
            if (OnChanging)
                OnChanging(this, allow);
            // A positive step is the arrow toward Max: up, or right.
            const auto* change = reinterpret_cast<const NMUPDOWN*>(header);
            m_pendingButton = change->iDelta > 0 ? btNext : btPrev;
            m_clickPending = allow;
            message.Result = allow ? 0 : 1;   // nonzero keeps the position
            return;
        }
        break;
    }
    case CN_HSCROLL:
    case CN_VSCROLL:
        // After the position moved (or stayed at an end without Wrap).
        if (LOWORD(message.WParam) == SB_THUMBPOSITION && m_clickPending) {
            m_clickPending = false;
            if (OnClick)
                OnClick(this, m_pendingButton);
        }
        message.Result = 0;
        return;
    }
    TWinControl::Dispatch(message);
}

const TClassInfo& TUpDown::StaticClassInfo()
{
    static const TClassInfo info{
        "TUpDown",
        &TCustomUpDown::StaticClassInfo(),
        {
            published::Integer("Min", &TUpDown::Min, &TUpDown::SetMin),
            published::Integer("Max", &TUpDown::Max, &TUpDown::SetMax),
            published::Integer("Position", &TUpDown::Position, &TUpDown::SetPosition),
            published::Integer("Increment", &TUpDown::Increment, &TUpDown::SetIncrement),
            published::Object("Associate", &TUpDown::Associate, &TUpDown::SetAssociate),
            published::Enumeration("Orientation", {"udHorizontal", "udVertical"},
                                   &TUpDown::Orientation, &TUpDown::SetOrientation),
            published::Enumeration("AlignButton", {"udLeft", "udRight"}, &TUpDown::AlignButton,
                                   &TUpDown::SetAlignButton),
            published::Boolean("ArrowKeys", &TUpDown::ArrowKeys, &TUpDown::SetArrowKeys),
            published::Boolean("Thousands", &TUpDown::Thousands, &TUpDown::SetThousands),
            published::Boolean("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap),
        }};
    return info;
}

} // namespace tarnivo
