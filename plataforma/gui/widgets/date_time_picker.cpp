// TDateTimePicker on Qt's date-time edit, with its calendar popup for dates.
#include "plataforma/gui/widgets/date_time_picker.h"

#include "plataforma/base/date_time_text.h"
#include "plataforma/base/regional.h"
#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/kernel/dispatch_frame.h"
#include "plataforma/gui/kernel/hooked_widget.h"

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

QDateTimeEdit* EditOf(const TControl* c) {
    return qobject_cast<QDateTimeEdit*>(c->GetWidget());
}

// TDateTime counts days from 30 December 1899, the time of day as the fraction.
const QDate Origin(1899, 12, 30);

QDateTime ToQt(TDateTime Value) {
    const double days = std::floor(Value);
    const qint64 ms = std::llround((Value - days) * 86400000.0);
    return QDateTime(Origin.addDays(static_cast<qint64>(days)),
                     QTime(0, 0).addMSecs(static_cast<int>(ms)));
}

TDateTime FromQt(const QDateTime& Value) {
    return static_cast<double>(Origin.daysTo(Value.date())) +
           Value.time().msecsSinceStartOfDay() / 86400000.0;
}

// A display pattern of the class library ("dd/mm/yyyy", "hh:nn:ss") as Qt writes it.
QString QtPattern(const AnsiString& Pattern, bool Date) {
    QString r;
    for (const char c : Pattern.str()) {
        if (Date && (c == 'm' || c == 'M'))
            r += 'M';
        else if (c == 'n' || c == 'N')
            r += 'm';
        else if (c == '/')
            r += QChar(GetDateSeparator());
        else if (c == ':')
            r += QChar(GetTimeSeparator());
        else
            r += QChar(static_cast<unsigned char>(c));
    }
    return r;
}

} // namespace

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner) {
    SetBounds(0, 0, 186, 21);
    SetTabStop(true);
    value_ = Now();
}

void TDateTimePicker::CreateWindowHandle(const TCreateParams&) {
    QWidget* parentWidget = GetParent() ? GetParent()->GetWidget() : nullptr;
    auto* e = new HookedWidget<QDateTimeEdit>(this, parentWidget);
    e->setFocusPolicy(Qt::StrongFocus);
    e->setFrame(false);
    QObject::connect(e, &QDateTimeEdit::dateTimeChanged, e, [this] {
        if (syncing_) return;
        GuardedEntry(this, [this] {
            FromWidget();
            Change();
        });
    });
    SetWidget(e, true);
    ApplyToWidget();
}

void TDateTimePicker::ApplyToWidget() {
    QDateTimeEdit* e = EditOf(this);
    if (!e) return;
    syncing_ = true;
    const bool date = kind_ == dtkDate;
    const AnsiString pattern = !format_.IsEmpty() ? format_
                               : date             ? GetShortDateFormat()
                                                  : GetLongTimeFormat();
    // A drop-down date shows the drop button of a combo box; the up-down mode and a time
    // the spin arrows.
    e->setCalendarPopup(date && dateMode_ == dmComboBox);
    e->setDisplayFormat(QtPattern(pattern, date));
    // A pattern without a date pins the dates to the one shown: a picker that showed a time
    // takes any date again.
    e->clearMinimumDateTime();
    e->clearMaximumDateTime();
    e->setDateTime(ToQt(value_));
    syncing_ = false;
}

void TDateTimePicker::FromWidget() {
    if (QDateTimeEdit* e = EditOf(this)) value_ = FromQt(e->dateTime());
}

void TDateTimePicker::SetKind(TDateTimeKind Value) {
    kind_ = Value;
    ApplyToWidget();
}

void TDateTimePicker::SetDateMode(TDTDateMode Value) {
    dateMode_ = Value;
    ApplyToWidget();
}

void TDateTimePicker::SetDateTime(TDateTime Value) {
    value_ = Value;
    ApplyToWidget();
}

TDateTime TDateTimePicker::GetDate() const {
    return std::floor(value_);
}

void TDateTimePicker::SetDate(TDateTime Value) {
    SetDateTime(std::floor(Value) + GetTime());
}

TDateTime TDateTimePicker::GetTime() const {
    return value_ - std::floor(value_);
}

void TDateTimePicker::SetTime(TDateTime Value) {
    SetDateTime(GetDate() + (Value - std::floor(Value)));
}

void TDateTimePicker::SetFormat(const AnsiString& Value) {
    format_ = Value;
    ApplyToWidget();
}

AnsiString TDateTimePicker::GetText() const {
    if (!format_.IsEmpty()) return FormatDateTime(format_, value_);
    return kind_ == dtkDate ? DateToStr(value_) : TimeToStr(value_);
}

namespace {

const char* const CalendarName = "picker_calendar";

QCalendarWidget* CalendarOf(const TControl* c) {
    QDateTimeEdit* e = EditOf(c);
    return e ? e->findChild<QCalendarWidget*>(CalendarName) : nullptr;
}

} // namespace

bool TDateTimePicker::GetDroppedDown() const {
    QCalendarWidget* cal = CalendarOf(this);
    return cal && cal->isVisible();
}

void TDateTimePicker::SetDroppedDown(bool Value) {
    QDateTimeEdit* e = EditOf(this);
    if (!e || kind_ != dtkDate || dateMode_ != dmComboBox || Value == GetDroppedDown()) return;
    QCalendarWidget* cal = CalendarOf(this);
    if (!Value) {
        cal->hide();
        // The focus comes back from the calendar.
        if (CanFocus()) SetFocus();
        CloseUp();
        return;
    }
    if (!cal) {
        // The calendar drops under the picker; a click on a day takes it and closes it.
        cal = new QCalendarWidget(e);
        cal->setObjectName(CalendarName);
        cal->setWindowFlags(Qt::Popup);
        QObject::connect(cal, &QCalendarWidget::clicked, cal, [this, cal](QDate Day) {
            GuardedEntry(this, [&] {
                value_ = FromQt(QDateTime(Day, ToQt(value_).time()));
                ApplyToWidget();
                cal->hide();
                if (CanFocus()) SetFocus();
                Change();
                CloseUp();
            });
        });
    }
    cal->setSelectedDate(ToQt(value_).date());
    cal->move(e->mapToGlobal(QPoint(0, e->height())));
    cal->show();
    DropDown();
}

void TDateTimePicker::Dispatch(TMessage& Message) {
    // The arrows move the date or time part under the caret, never the focus.
    if (Message.Msg == WM_GETDLGCODE) {
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    }
    // A press on the drop button drops the calendar (or closes it).
    if (Message.Msg == WM_LBUTTONDOWN &&
        OnDropButton(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam))) {
        if (CanFocus() && !Focused()) SetFocus();
        SetDroppedDown(!GetDroppedDown());
        Message.Result = 0;
        return;
    }
    if (Message.Msg == WM_KEYDOWN && kind_ == dtkDate && dateMode_ == dmComboBox &&
        (Message.WParam == VK_F4 || (Message.WParam == VK_DOWN && GetKeyState(VK_MENU) < 0))) {
        SetDroppedDown(!GetDroppedDown());
        Message.Result = 0;
        return;
    }
    TWinControl::Dispatch(Message);
}

bool TDateTimePicker::OnDropButton(int X, int Y) const {
    QDateTimeEdit* e = EditOf(this);
    if (!e || kind_ != dtkDate || dateMode_ != dmComboBox) return false;
    QStyleOptionComboBox opt;
    opt.initFrom(e);
    opt.editable = true;
    opt.frame = e->hasFrame();
    opt.subControls = QStyle::SC_All;
    return e->style()
        ->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxArrow, e)
        .contains(X, Y);
}

void TDateTimePicker::Change() {
    if (TWinControl* parent = GetParent(); parent && HandleAllocated()) {
        NMDATETIMECHANGE n;
        n.nmhdr.hwndFrom = GetHandle();
        n.nmhdr.code = DTN_DATETIMECHANGE;
        n.dwFlags = checked_ ? GDT_VALID : GDT_NONE;
        DateTimeToSystemTime(value_, n.st);
        auto alive = Watch();
        parent->Perform(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
        if (alive.expired()) return;
    }
    if (OnChange) OnChange(this);
}

void DateTimeToSystemTime(TDateTime DateTime, SYSTEMTIME& SystemTime) {
    // The day counts whole days towards zero; the time of day is the fraction's size.
    const double day = std::trunc(DateTime);
    int y = 0, m = 0, d = 0;
    DecodeDate(day, y, m, d);
    const int64_t ms = std::min<int64_t>(
        86399999, static_cast<int64_t>(std::llround(std::fabs(DateTime - day) * 86400000.0)));
    const int64_t n = static_cast<int64_t>(day);
    SystemTime.wYear = static_cast<WORD>(y);
    SystemTime.wMonth = static_cast<WORD>(m);
    SystemTime.wDay = static_cast<WORD>(d);
    // 30 December 1899, day 0, was a Saturday.
    SystemTime.wDayOfWeek = static_cast<WORD>(((n % 7) + 7 + 6) % 7);
    SystemTime.wHour = static_cast<WORD>(ms / 3600000);
    SystemTime.wMinute = static_cast<WORD>(ms / 60000 % 60);
    SystemTime.wSecond = static_cast<WORD>(ms / 1000 % 60);
    SystemTime.wMilliseconds = static_cast<WORD>(ms % 1000);
}

TDateTime SystemTimeToDateTime(const SYSTEMTIME& SystemTime) {
    const TDateTime day = EncodeDate(SystemTime.wYear, SystemTime.wMonth, SystemTime.wDay);
    const double time = (SystemTime.wHour * 3600000.0 + SystemTime.wMinute * 60000.0 +
                         SystemTime.wSecond * 1000.0 + SystemTime.wMilliseconds) /
                        86400000.0;
    return day < 0 ? day - time : day + time;
}

void TDateTimePicker::DropDown() {
    if (OnDropDown) OnDropDown(this);
}

void TDateTimePicker::CloseUp() {
    if (OnCloseUp) OnCloseUp(this);
}
