// TDateTimePicker: dates through the window, the range refusing values,
// the check box, date arithmetic at its edges.

#include "framework/collection.h"
#include "framework/controls/datetimepicker.h"

#include "testform.h"

#include <commctrl.h>

namespace tarnivo {
namespace {

TEST(DateTime, DaysCountFromTheEndOf1899)
{
    EXPECT_DOUBLE_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_DOUBLE_EQ(EncodeDate(2000, 2, 29), 36585);
    EXPECT_DOUBLE_EQ(EncodeDate(1601, 1, 1), -109205);
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);   // no leap day in 1900
    EXPECT_THROW(EncodeDate(2023, 4, 31), EConvertError);
    EXPECT_THROW(EncodeDate(1600, 12, 31), EConvertError);
    EXPECT_THROW(EncodeDate(10000, 1, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0), EConvertError);

    int y, m, d;
    DecodeDate(36585.75, y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20000229);
    SYSTEMTIME st = DateTimeToSystemTime(EncodeDate(2024, 12, 31) + EncodeTime(23, 59, 59, 999));
    EXPECT_EQ(st.wYear, 2024);
    EXPECT_EQ(st.wDay, 31);
    EXPECT_EQ(st.wMilliseconds, 999);
    EXPECT_EQ(st.wDayOfWeek, 2);   // a Tuesday
    // A tenth of a day is no exact binary fraction: rounded to the millisecond.
    st = DateTimeToSystemTime(EncodeDate(2020, 1, 1) + 0.1);
    EXPECT_EQ(st.wHour * 60 + st.wMinute, 144);
    EXPECT_EQ(st.wSecond, 0);
}

class DateTimePicker : public test::FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        picker = new TDateTimePicker(form.get());
        picker->SetParent(form.get());
    }
    TDateTimePicker* picker = nullptr;
};

TEST_F(DateTimePicker, ValuesOutsideTheRangeAreRefusedAndTheValueStays)
{
    TDateTime day = EncodeDate(2021, 6, 15) + EncodeTime(10, 30, 0);
    picker->SetDateTime(day);
    EXPECT_DOUBLE_EQ(picker->DateTime(), day);
    picker->SetMinDate(EncodeDate(2021, 6, 1));
    picker->SetMaxDate(EncodeDate(2021, 6, 30));
    picker->SetDate(EncodeDate(2021, 7, 1));
    EXPECT_DOUBLE_EQ(picker->DateTime(), day);
    picker->SetDate(EncodeDate(2021, 6, 30));   // the last day counts whole
    EXPECT_DOUBLE_EQ(picker->Date(), EncodeDate(2021, 6, 30));
    EXPECT_NEAR(picker->Time(), EncodeTime(10, 30, 0), 1e-9);
    EXPECT_THROW(picker->SetMaxDate(EncodeDate(2021, 5, 1)), EPropertyError);
}

TEST_F(DateTimePicker, StyleChangesKeepTheValueAndAnUncheckedFieldKeepsItsToo)
{
    TDateTime day = EncodeDate(1999, 12, 31) + EncodeTime(23, 0, 0);
    picker->SetDateTime(day);
    picker->SetKind(dtkTime);
    EXPECT_TRUE(GetWindowLongA(picker->Handle(), GWL_STYLE) & DTS_TIMEFORMAT);
    EXPECT_NEAR(picker->DateTime(), day, 1e-9);
    picker->SetShowCheckbox(true);
    picker->SetChecked(false);
    SYSTEMTIME st;
    EXPECT_EQ(SendMessageA(picker->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)),
              GDT_NONE);
    EXPECT_FALSE(picker->Checked());
    EXPECT_NEAR(picker->DateTime(), day, 1e-9);
    picker->SetDateMode(dmUpDown);   // a new window, still unchecked
    EXPECT_FALSE(picker->Checked());
    picker->SetChecked(true);
    EXPECT_NEAR(picker->DateTime(), day, 1e-9);
}

TEST_F(DateTimePicker, TheUsersChangeRaisesOnChange)
{
    int changes = 0;
    picker->OnChange = [&](TObject*) { ++changes; };
    NMDATETIMECHANGE change{};
    change.nmhdr = {picker->Handle(), 0, static_cast<UINT>(DTN_DATETIMECHANGE)};
    change.dwFlags = GDT_VALID;
    SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(changes, 1);
}

} // namespace
} // namespace tarnivo
