// TKsgSpinEdit: the value in the text, its bounds, the steps of each kind, the window and
// its layout around the arrows.

#include "controles/edit/spin_edit.h"

#include "controles/edit/inner_button.h"

#include "plataforma/base/date_time_text.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/regional.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/kernel/system_metrics.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// The dates a step may reach: years 1 to 9999.
constexpr TDateTime kFirstDay = -693593.0, kLastDay = 2958465.0;

} // namespace

TKsgSpinEdit::TKsgSpinEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    button_ = CreateInnerButton<TKsgSpinButton>(this, 15, 17);
    button_->OnUpClick = [this](TObject* s) { UpClick(s); };
    button_->OnDownClick = [this](TObject* s) { DownClick(s); };
}

TKsgSpinEdit::~TKsgSpinEdit() {
    // The arrows go with the edit's children; they must not call back into it meanwhile.
    button_->SetFocusControl(nullptr);
    button_->OnUpClick = nullptr;
    button_->OnDownClick = nullptr;
    button_ = nullptr;
}

// --- the value ---

int TKsgSpinEdit::CheckValue(int Value) const {
    if (minValue_ == maxValue_) return Value;
    if (Value < minValue_) return minValue_;
    if (Value > maxValue_) return maxValue_;
    return Value;
}

double TKsgSpinEdit::CheckFloatValue(double Value) const {
    if (minFloatValue_ == maxFloatValue_) return Value;
    if (Value <= minFloatValue_) return minFloatValue_;
    if (Value >= maxFloatValue_) return maxFloatValue_;
    return Value;
}

TDateTime TKsgSpinEdit::CheckDateValue(TDateTime Value) const {
    if (minDateValue_ == maxDateValue_) return Value;
    if (Value < minDateValue_) return minDateValue_;
    if (Value > maxDateValue_) return maxDateValue_;
    return Value;
}

int TKsgSpinEdit::GetValue() const {
    int v = 0;
    return TryStrToInt(GetText(), v) ? v : minValue_;
}

void TKsgSpinEdit::SetValue(int Value) {
    SetText(IntToStr(CheckValue(Value)));
    if (!editorEnabled_) SelectAll();
}

double TKsgSpinEdit::GetFloatValue() const {
    double v = 0;
    return TryStrToFloat(GetText(), v) ? v : minValue_;
}

void TKsgSpinEdit::SetFloatValue(double Value) {
    const double w = CheckFloatValue(Value);
    SetText(precision_ == 0 ? FloatToStr(w) : FloatToStrF(w, ffFixed, 15, precision_));
}

TDateTime TKsgSpinEdit::GetDateValue() const {
    const AnsiString t = GetText();
    if (t.IsEmpty() || t == "0") return Now();
    TDateTime d = 0;
    return TryStrToDate(t, d) ? d : minDateValue_;
}

void TKsgSpinEdit::SetDateValue(TDateTime Value) {
    dateValue_ = Value;
    if (GetComponentState().Contains(csLoading)) return;
    dateValue_ = CheckDateValue(Value);
    SetTextKeepingCaret(DateToStr(dateValue_));
}

TDateTime TKsgSpinEdit::GetTimeValue() const {
    TDateTime t = 0;
    return TryStrToTime(GetText(), t) ? t : 0.0;
}

void TKsgSpinEdit::SetTimeValue(TDateTime Value) {
    timeValue_ = Value;
    if (GetComponentState().Contains(csLoading)) return;
    SetTextKeepingCaret(TimeToStr(Value));
}

void TKsgSpinEdit::SetTextKeepingCaret(const AnsiString& Text) {
    const int caret = GetSelStart();
    SetText(Text);
    SetSelStart(caret);
}

// --- settings ---

void TKsgSpinEdit::SetSpinType(TKsgSpinType Value) {
    spinType_ = Value;
    switch (Value) {
    case sptNormal:
        SetValue(GetValue());
        break;
    case sptFloat:
        SetFloatValue(GetFloatValue());
        break;
    case sptDate:
        SetDateValue(GetDateValue());
        break;
    case sptTime:
        SetTimeValue(GetTimeValue());
        break;
    }
}

void TKsgSpinEdit::SetPrecision(int Value) {
    precision_ = Value;
    if (spinType_ == sptFloat) SetFloatValue(GetFloatValue());
}

void TKsgSpinEdit::NudgeWidth() {
    // The arrows and the text area are laid out again.
    SetWidth(GetWidth() + 1);
    SetWidth(GetWidth() - 1);
}

void TKsgSpinEdit::SetDirection(TSpinDirection Value) {
    if (direction_ == Value) return;
    direction_ = Value;
    button_->SetDirection(Value);
    NudgeWidth();
}

void TKsgSpinEdit::SetSpinFlat(bool Value) {
    button_->GetUpButton()->SetFlat(Value);
    button_->GetDownButton()->SetFlat(Value);
    spinFlat_ = Value;
}

void TKsgSpinEdit::SetSpinTransparent(bool Value) {
    button_->GetUpButton()->SetTransparent(Value);
    button_->GetDownButton()->SetTransparent(Value);
    spinTransparent_ = Value;
    NudgeWidth();
}

void TKsgSpinEdit::SetIsWinXP(bool Value) {
    isWinXP_ = Value;
    button_->SetIsWinXP(Value);
}

void TKsgSpinEdit::SetEditAlign(TEditAlign Value) {
    editAlign_ = Value;
    RecreateWnd();
}

void TKsgSpinEdit::Loaded() {
    TCustomMaskEdit::Loaded();
    if (spinType_ == sptDate) SetText(DateToStr(dateValue_));
    if (spinType_ == sptTime) SetText(TimeToStr(timeValue_));
    SetSpinType(spinType_);
}

// --- steps ---

void TKsgSpinEdit::UpClick(TObject*) {
    Step(1);
}

void TKsgSpinEdit::DownClick(TObject*) {
    Step(-1);
}

void TKsgSpinEdit::Step(int Sign) {
    if (GetReadOnly()) {
        MessageBeep(0);
        return;
    }
    switch (spinType_) {
    case sptNormal: {
        // At the limits of the integers the step stops there instead of wrapping round.
        const long long v = static_cast<long long>(GetValue()) + Sign * 1LL * increment_;
        SetValue(static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)));
        break;
    }
    case sptFloat:
        SetFloatValue(GetFloatValue() + Sign * incrementFloat_);
        break;
    case sptTime:
        StepTime(Sign);
        break;
    case sptDate:
        StepDate(Sign);
        break;
    }
}

int TKsgSpinEdit::FieldAtCaret(char Separator) const {
    const std::string t = GetText().str();
    const int caret = GetSelStart();
    const size_t first = t.find(Separator);
    // Positions counted from 1, as the caret's place before them is counted from 0.
    if (first != std::string::npos && caret < static_cast<int>(first) + 1) return 0;
    const size_t second = first == std::string::npos ? first : t.find(Separator, first + 1);
    if (second != std::string::npos && static_cast<int>(second) + 1 > caret) return 1;
    return 2;
}

void TKsgSpinEdit::StepTime(int Sign) {
    static const double steps[] = {1.0 / 24, 1.0 / 1440, 1.0 / 86400};
    const double step = steps[FieldAtCaret(GetTimeSeparator())];
    if (Sign > 0) {
        SetTimeValue(GetTimeValue() + step);
        return;
    }
    double t = GetTimeValue() + 1.0 - step;
    if (t > 1.0) t -= 1.0;
    SetTimeValue(t);
}

void TKsgSpinEdit::StepDate(int Sign) {
    const AnsiString format = AnsiUpperCase(GetShortDateFormat());
    monthFirst_ = format.Pos("M") < format.Pos("D");
    const int field = FieldAtCaret(GetDateSeparator());
    const TDateTime date = GetDateValue();
    TDateTime next = date;
    const bool month = field == (monthFirst_ ? 0 : 1);
    if (field == 2) {
        int y = 0, m = 0, d = 0;
        DecodeDate(std::trunc(date), y, m, d);
        y += Sign;
        // 29 February into a year without one gives the 28th; past the years there are
        // dates for, the date stays.
        if (y >= 1 && y <= 9999) next = EncodeDate(y, m, std::min(d, DaysInMonth(y, m)));
    } else if (month) {
        try {
            next = IncMonth(date, Sign);
        } catch (const EConvertError&) {
            next = date;
        }
    } else {
        next = date + Sign;
    }
    if (next < kFirstDay || next >= kLastDay + 1) next = date;
    SetDateValue(next);
}

// --- the window ---

void TKsgSpinEdit::CreateParams(TCreateParams& Params) {
    TCustomMaskEdit::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
    if (editAlign_ == eaRight) Params.Style = (Params.Style & ~ES_CENTER) | ES_RIGHT;
    if (editAlign_ == eaCenter) Params.Style = (Params.Style & ~ES_RIGHT) | ES_CENTER;
}

void TKsgSpinEdit::CreateWnd() {
    TCustomMaskEdit::CreateWnd();
    SetEditRect();
}

void TKsgSpinEdit::SetEditRect() {
    if (!HandleAllocated() || !button_) return;
    const int margin = GetBorderStyle() == bsSingle ? 0 : 1;
    TRect r(margin, margin, GetClientWidth() - button_->GetWidth() - 2 - margin,
            GetClientHeight() + 1);
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

int TKsgSpinEdit::GetMinHeight() {
    int own = 0, smaller = 0;
    EditFontHeights(this, own, smaller);
    if (GetBorderStyle() != bsSingle) return own + smaller / 4 + 2;
    return own + smaller / 4 + 4 * GetSystemMetrics(SM_CYBORDER) + 2;
}

void TKsgSpinEdit::WMSize(TMessage& Message) {
    TCustomMaskEdit::Dispatch(Message);
    if (FitInnerButton(this, GetMinHeight(), button_)) SetEditRect();
}
