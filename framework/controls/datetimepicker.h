#pragma once
// The date and time picker ("SysDateTimePick32").

#include "framework/control.h"

namespace tarnivo {

// Days since 30 December 1899, the fraction the time of day: the framework
// family's date-time value.
using TDateTime = double;

// Whole calendar dates and times of day in and out of TDateTime. EncodeDate
// refuses a date that does not exist (and years outside 1601..9999, which the
// system's date records cannot hold) with EConvertError.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond = 0);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
SYSTEMTIME DateTimeToSystemTime(TDateTime value);
TDateTime SystemTimeToDateTime(const SYSTEMTIME& time);

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTDateFormat { dfShort, dfLong };

// A date or time field with a drop-down calendar (or arrows). The value is
// the window's. A value outside MinDate .. MaxDate is refused by the control
// and the value stays. With ShowCheckbox the field can be switched off
// (Checked false). OnChange follows every change by the user.
class TDateTimePicker : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TDateTimePicker(TComponent* owner);

    TDateTime DateTime() const;
    void SetDateTime(TDateTime value);
    // The date part alone, and the time part alone.
    TDateTime Date() const;
    void SetDate(TDateTime date);
    TDateTime Time() const;
    void SetTime(TDateTime time);

    // 0 for no bound.
    TDateTime MinDate() const { return m_minDate; }
    void SetMinDate(TDateTime value);
    TDateTime MaxDate() const { return m_maxDate; }
    void SetMaxDate(TDateTime value);

    // Changing one of these style choices makes a new window.
    TDateTimeKind Kind() const { return m_kind; }
    void SetKind(TDateTimeKind kind);
    TDTDateMode DateMode() const { return m_dateMode; }
    void SetDateMode(TDTDateMode mode);
    TDTDateFormat DateFormat() const { return m_dateFormat; }
    void SetDateFormat(TDTDateFormat format);
    bool ShowCheckbox() const { return m_showCheckbox; }
    void SetShowCheckbox(bool show);
    bool Checked() const;
    void SetChecked(bool checked);

    TNotifyEvent OnChange;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;

private:
    void SendRange();
    void Restyle();

    // Used until the window exists, and kept while it is recreated.
    TDateTime m_value = 0;
    bool m_checked = true;
    TDateTime m_minDate = 0;
    TDateTime m_maxDate = 0;
    TDateTimeKind m_kind = dtkDate;
    TDTDateMode m_dateMode = dmComboBox;
    TDTDateFormat m_dateFormat = dfShort;
    bool m_showCheckbox = false;
};

} // namespace tarnivo
