#pragma once
// TDateTimePicker: a date or a time of day, changed in its fields by the keys (Up and Down
// step the field under the caret) or, for a date in drop-down mode, chosen on a calendar
// that F4, Alt+Down or its drop button drops (DropDown and CloseUp report it, as
// DTN_DROPDOWN and DTN_CLOSEUP do). Checked says whether the value counts (a picker with a
// check box). No frame: it is laid inside cells and panels that draw their own.

#include "plataforma/base/dates.h"
#include "plataforma/gui/kernel/controls.h"

enum TDateTimeKind { dtkDate, dtkTime };

// A date and time in fields, as the pickers' notifications carry it (wDayOfWeek 0 is Sunday).
struct SYSTEMTIME {
    WORD wYear = 0, wMonth = 0, wDayOfWeek = 0, wDay = 0;
    WORD wHour = 0, wMinute = 0, wSecond = 0, wMilliseconds = 0;
};
void DateTimeToSystemTime(TDateTime DateTime, SYSTEMTIME& SystemTime);
TDateTime SystemTimeToDateTime(const SYSTEMTIME& SystemTime);

// WM_NOTIFY to the parent when the user changed the value, before OnChange; dwFlags is
// GDT_NONE when the picker's check box is cleared.
constexpr UINT DTN_DATETIMECHANGE = static_cast<UINT>(-759);
enum : DWORD { GDT_VALID = 0, GDT_NONE = 1 };
struct NMDATETIMECHANGE {
    NMHDR nmhdr;
    DWORD dwFlags = GDT_VALID;
    SYSTEMTIME st;
};
enum TDTDateMode { dmComboBox, dmUpDown };

class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* AOwner);

    TDateTimeKind GetKind() const { return kind_; }
    void SetKind(TDateTimeKind Value);
    TDTDateMode GetDateMode() const { return dateMode_; }
    void SetDateMode(TDTDateMode Value);
    // The value: date and time of day together. Setting it fires nothing.
    TDateTime GetDateTime() const { return value_; }
    void SetDateTime(TDateTime Value);
    TDateTime GetDate() const;
    void SetDate(TDateTime Value);
    TDateTime GetTime() const;
    void SetTime(TDateTime Value);
    bool GetChecked() const { return checked_; }
    void SetChecked(bool Value) { checked_ = Value; }
    // The display pattern of FormatDateTime; empty: the regional short date or long time.
    const AnsiString& GetFormat() const { return format_; }
    void SetFormat(const AnsiString& Value);
    // The value as the picker shows it.
    AnsiString GetText() const;
    bool GetDroppedDown() const;
    void SetDroppedDown(bool Value);

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    // F4 and Alt+Down drop the calendar of a drop-down date.
    void Dispatch(TMessage& Message) override;
    // The user changed the value.
    virtual void Change();
    virtual void DropDown();
    virtual void CloseUp();

private:
    void ApplyToWidget();
    void FromWidget();
    // Whether a client point lies on the drop button of a drop-down date.
    bool OnDropButton(int X, int Y) const;

    TDateTimeKind kind_ = dtkDate;
    TDTDateMode dateMode_ = dmComboBox;
    TDateTime value_ = 0;
    bool checked_ = true;
    AnsiString format_;
    bool syncing_ = false;
};
