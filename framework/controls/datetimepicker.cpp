#include "framework/controls/datetimepicker.h"

#include "framework/collection.h"
#include "framework/controls/controlwindow.h"

#include <commctrl.h>

#include <cmath>

namespace tarnivo {

using controlwindow::Existing;
using controlwindow::Send;

// ---------------------------------------------------------------- TDateTime

namespace {

// Days from 1 January 1970 of a proleptic Gregorian date, and back.
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    long long era = (y >= 0 ? y : y - 399) / 400;
    auto yoe = static_cast<unsigned>(y - era * 400);
    unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day)
{
    z += 719468;
    long long era = (z >= 0 ? z : z - 146096) / 146097;
    auto doe = static_cast<unsigned>(z - era * 146097);
    unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long y = static_cast<long long>(yoe) + era * 400;
    unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

// 30 December 1899 counted from 1 January 1970.
const long long DayZero = DaysFromCivil(1899, 12, 30);

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

} // namespace

TDateTime EncodeDate(int year, int month, int day)
{
    if (year < 1601 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        throw EConvertError("Invalid date " + std::to_string(year) + "-" + std::to_string(month) +
                            "-" + std::to_string(day));
    return static_cast<TDateTime>(DaysFromCivil(year, static_cast<unsigned>(month),
                                                static_cast<unsigned>(day)) - DayZero);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999)
        throw EConvertError("Invalid time");
    return (((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / 86400000.0;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day)
{
    CivilFromDays(static_cast<long long>(std::floor(value)) + DayZero, year, month, day);
}

SYSTEMTIME DateTimeToSystemTime(TDateTime value)
{
    SYSTEMTIME st{};
    double days = std::floor(value);
    // Milliseconds of the day, rounded: 0.1 of a day is not exact in binary.
    auto ms = static_cast<long long>(std::llround((value - days) * 86400000.0));
    if (ms >= 86400000) {
        ms -= 86400000;
        days += 1;
    }
    int y, m, d;
    CivilFromDays(static_cast<long long>(days) + DayZero, y, m, d);
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    st.wDayOfWeek = static_cast<WORD>(((static_cast<long long>(days) + DayZero) % 7 + 11) % 7);
    st.wHour = static_cast<WORD>(ms / 3600000);
    st.wMinute = static_cast<WORD>(ms / 60000 % 60);
    st.wSecond = static_cast<WORD>(ms / 1000 % 60);
    st.wMilliseconds = static_cast<WORD>(ms % 1000);
    return st;
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& time)
{
    return EncodeDate(time.wYear, time.wMonth, time.wDay) +
           EncodeTime(time.wHour, time.wMinute, time.wSecond, time.wMilliseconds);
}

// ---------------------------------------------------------- TDateTimePicker

namespace {

// Unchecks the field. The record is not read for GDT_NONE, but Wine's
// control refuses the message without one.
void SetNone(HWND window)
{
    SYSTEMTIME unused{};
    Send(window, DTM_SETSYSTEMTIME, GDT_NONE, reinterpret_cast<LPARAM>(&unused));
}

} // namespace

const TClassInfo& TDateTimePicker::StaticClassInfo()
{
    static const TClassInfo info{
        "TDateTimePicker",
        &TWinControl::StaticClassInfo(),
        {
            published::Enumeration("Kind", {"dtkDate", "dtkTime"}, &TDateTimePicker::Kind,
                                   &TDateTimePicker::SetKind),
            published::Enumeration("DateMode", {"dmComboBox", "dmUpDown"},
                                   &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode),
            published::Enumeration("DateFormat", {"dfShort", "dfLong"},
                                   &TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat),
            published::Boolean("ShowCheckbox", &TDateTimePicker::ShowCheckbox,
                               &TDateTimePicker::SetShowCheckbox),
            published::Boolean("Checked", &TDateTimePicker::Checked, &TDateTimePicker::SetChecked),
        }};
    return info;
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 186, 21);
    SetTabStop(true);
    SYSTEMTIME now;
    GetLocalTime(&now);
    now.wMilliseconds = 0;
    m_value = SystemTimeToDateTime(now);
}

void TDateTimePicker::CreateParams(TCreateParams& params)
{
    // The picker is not among the classes the application registers for
    // every program; registering it again is harmless.
    static const bool registered = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_DATE_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)registered;
    TWinControl::CreateParams(params);
    params.SystemClass = DATETIMEPICK_CLASSA;
    if (m_kind == dtkTime)
        params.Style |= DTS_TIMEFORMAT;
    else if (m_dateFormat == dfLong)
        params.Style |= DTS_LONGDATEFORMAT;
    if (m_dateMode == dmUpDown && m_kind == dtkDate)
        params.Style |= DTS_UPDOWN;
    if (m_showCheckbox)
        params.Style |= DTS_SHOWNONE;
}

void TDateTimePicker::HandleCreated()
{
    SendRange();
    SYSTEMTIME st = DateTimeToSystemTime(m_value);
    Send(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    if (m_showCheckbox && !m_checked)
        SetNone(Handle());
}

void TDateTimePicker::HandleDestroying()
{
    m_checked = Checked();
    m_value = DateTime();
}

TDateTime TDateTimePicker::DateTime() const
{
    HWND window = Existing(*this);
    if (!window)
        return m_value;
    SYSTEMTIME st{};
    // An unchecked field reports no value; the one it shows greyed is the
    // last one set, kept here.
    if (Send(window, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID)
        return m_value;
    return SystemTimeToDateTime(st);
}

void TDateTimePicker::SetDateTime(TDateTime value)
{
    SYSTEMTIME st = DateTimeToSystemTime(value);
    if (HWND window = Existing(*this)) {
        bool wasChecked = Checked();
        if (!Send(window, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st)))
            return;   // outside MinDate .. MaxDate
        m_value = value;
        if (m_showCheckbox && !wasChecked)
            SetNone(window);
        return;
    }
    if ((m_minDate != 0 && value < std::floor(m_minDate)) ||
        (m_maxDate != 0 && value >= std::floor(m_maxDate) + 1))
        return;
    m_value = value;
}

TDateTime TDateTimePicker::Date() const
{
    return std::floor(DateTime());
}

void TDateTimePicker::SetDate(TDateTime date)
{
    TDateTime value = DateTime();
    SetDateTime(std::floor(date) + (value - std::floor(value)));
}

TDateTime TDateTimePicker::Time() const
{
    TDateTime value = DateTime();
    return value - std::floor(value);
}

void TDateTimePicker::SetTime(TDateTime time)
{
    SetDateTime(std::floor(DateTime()) + (time - std::floor(time)));
}

void TDateTimePicker::SendRange()
{
    HWND window = Existing(*this);
    if (!window)
        return;
    SYSTEMTIME range[2] = {DateTimeToSystemTime(m_minDate), DateTimeToSystemTime(m_maxDate)};
    // Whole days: the bounds take in the first and the last day entirely.
    range[0].wHour = range[0].wMinute = range[0].wSecond = range[0].wMilliseconds = 0;
    range[1].wHour = 23;
    range[1].wMinute = range[1].wSecond = 59;
    range[1].wMilliseconds = 999;
    WPARAM flags = (m_minDate != 0 ? GDTR_MIN : 0) | (m_maxDate != 0 ? GDTR_MAX : 0);
    Send(window, DTM_SETRANGE, flags, reinterpret_cast<LPARAM>(range));
}

void TDateTimePicker::SetMinDate(TDateTime value)
{
    if (value != 0 && m_maxDate != 0 && value > m_maxDate)
        throw EPropertyError("MinDate is after MaxDate");
    m_minDate = value;
    SendRange();
}

void TDateTimePicker::SetMaxDate(TDateTime value)
{
    if (value != 0 && m_minDate != 0 && value < m_minDate)
        throw EPropertyError("MaxDate is before MinDate");
    m_maxDate = value;
    SendRange();
}

void TDateTimePicker::Restyle()
{
    RecreateWnd();
}

void TDateTimePicker::SetKind(TDateTimeKind kind)
{
    if (m_kind == kind)
        return;
    m_kind = kind;
    Restyle();
}

void TDateTimePicker::SetDateMode(TDTDateMode mode)
{
    if (m_dateMode == mode)
        return;
    m_dateMode = mode;
    Restyle();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat format)
{
    if (m_dateFormat == format)
        return;
    m_dateFormat = format;
    Restyle();
}

void TDateTimePicker::SetShowCheckbox(bool show)
{
    if (m_showCheckbox == show)
        return;
    m_showCheckbox = show;
    Restyle();
}

bool TDateTimePicker::Checked() const
{
    HWND window = Existing(*this);
    if (!window || !m_showCheckbox)
        return m_showCheckbox ? m_checked : true;
    SYSTEMTIME st{};
    return Send(window, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) == GDT_VALID;
}

void TDateTimePicker::SetChecked(bool checked)
{
    HWND window = Existing(*this);
    if (window)
        m_value = DateTime();
    m_checked = checked;
    if (!window || !m_showCheckbox)
        return;
    if (checked) {
        SYSTEMTIME st = DateTimeToSystemTime(m_value);
        Send(window, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    } else {
        SetNone(window);
    }
}

void TDateTimePicker::Dispatch(TMessage& message)
{
    if (message.Msg == CN_NOTIFY) {
        const NMHDR* header = NotifyRecord(message.LParam);
        if (header && header->code == DTN_DATETIMECHANGE) {
            if (OnChange)
                OnChange(this);
            message.Result = 0;
            return;
        }
    }
    TWinControl::Dispatch(message);
}

} // namespace tarnivo
