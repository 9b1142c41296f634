// TKsgSpinEdit: the keys that step, the key filter of each kind, Return as Tab, the keypad's
// decimal key, entering and leaving, and the clipboard while typing is off.

#include "controles/edit/spin_edit.h"

#include "plataforma/base/regional.h"
#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/kernel/screen.h"

#include <string>

namespace {

constexpr char kBack = 8, kReturn = 13, kEscape = 27;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 32;
}

// The character is in Text outside the selection [SelStart, SelStart + SelLength).
bool OutsideSelection(const std::string& Text, char c, int SelStart, int SelLength) {
    for (size_t i = 0; i < Text.size(); ++i)
        if (Text[i] == c &&
            (static_cast<int>(i) < SelStart || static_cast<int>(i) >= SelStart + SelLength))
            return true;
    return false;
}

} // namespace

bool TKsgSpinEdit::IsValidChar(char& Key) {
    if (Key == kBack) return editorEnabled_;
    const char ds = GetDecimalSeparator(), ts = GetThousandSeparator();
    const char tsep = GetTimeSeparator(), dsep = GetDateSeparator();
    bool valid = Key == ds || Key == ts || Key == tsep || Key == dsep || Key == '-' ||
                 IsDigit(Key) || (IsControl(Key) && Key != kReturn);
    // A separator that is also a sign or a number's separator is refused only by the kind
    // whose own separator the other one is.
    auto shared = [&](char sep) { return sep == ds || sep == ts || sep == '-' || sep == '+'; };
    if (Key == tsep && spinType_ != sptTime)
        if (!shared(tsep) || spinType_ == sptDate) valid = false;
    if (Key == dsep && spinType_ != sptDate)
        if (!shared(dsep) || spinType_ == sptTime) valid = false;

    const std::string text = GetText().str();
    const int selStart = GetSelStart(), selLength = GetSelLength();
    if (Key == '-') {
        if (OutsideSelection(text, '-', selStart, selLength) || selStart != 0) valid = false;
    }
    switch (spinType_) {
    case sptNormal:
        if (Key != '-' && !IsDigit(Key)) valid = false;
        break;
    case sptFloat: {
        if (Key == kReturn || Key == kEscape) break;
        if (Key == ts) valid = false;
        if (Key == ds && OutsideSelection(text, ds, selStart, selLength)) valid = false;
        const size_t p = text.find(ds);
        // No more decimals than the precision.
        if (precision_ >= 1 && p != std::string::npos && selLength == 0 &&
            selStart >= static_cast<int>(p) + 1 &&
            static_cast<int>(text.size()) >= static_cast<int>(p) + 1 + precision_)
            valid = false;
        break;
    }
    case sptTime:
        if (Key == tsep && std::count(text.begin(), text.end(), tsep) >= 2) valid = false;
        break;
    case sptDate:
        break;
    }
    if (!editorEnabled_ && !IsControl(Key)) valid = false;
    return valid;
}

void TKsgSpinEdit::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_RETURN && returnIsTab_) {
        Key = VK_TAB;
        if (HandleAllocated()) PostMessage(GetHandle(), WM_KEYDOWN, VK_TAB, 0);
    }
    if (Key == VK_DELETE && !editorEnabled_) Key = 0;
    TCustomMaskEdit::KeyDown(Key, Shift);
}

void TKsgSpinEdit::KeyPress(char& Key) {
    if (!IsValidChar(Key)) {
        Key = 0;
        MessageBeep(0);
    }
    if (Key != 0) TCustomMaskEdit::KeyPress(Key);
}

void TKsgSpinEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_KEYDOWN:
        switch (Message.WParam) {
        case VK_PRIOR:
        case VK_UP:
            UpClick(this);
            Message.Result = 0;
            return;
        case VK_NEXT:
        case VK_DOWN:
            DownClick(this);
            Message.Result = 0;
            return;
        default:
            return TCustomMaskEdit::Dispatch(Message);
        }
    case WM_CHAR:
        // The keypad's decimal key (its scan code has bit 0x40) types the regional separator.
        if (Message.WParam == '.' && excelStyleDecimalSeparator_ && (Message.LParam & 0x400000))
            Message.WParam = static_cast<unsigned char>(GetDecimalSeparator());
        return TCustomMaskEdit::Dispatch(Message);
    case CM_ENTER:
        if (GetAutoSelect() && !(GetKeyState(VK_LBUTTON) < 0 && editorEnabled_)) SelectAll();
        return TCustomMaskEdit::Dispatch(Message);
    case CM_EXIT:
        return CMExit(Message);
    case WM_PASTE:
    case WM_CUT:
        if (editorEnabled_ && !GetReadOnly()) TCustomMaskEdit::Dispatch(Message);
        return;
    case WM_SIZE:
        return WMSize(Message);
    default:
        TCustomMaskEdit::Dispatch(Message);
    }
}

void TKsgSpinEdit::CMExit(TMessage& Message) {
    auto alive = Watch();
    TCustomMaskEdit::Dispatch(Message);
    if (alive.expired()) return;
    switch (spinType_) {
    case sptNormal: {
        const int v = GetValue();
        if (CheckValue(v) != v) SetValue(v);
        break;
    }
    case sptFloat: {
        const double v = GetFloatValue();
        if (CheckFloatValue(v) != v) SetFloatValue(v);
        break;
    }
    case sptDate: {
        const TDateTime v = GetDateValue();
        if (CheckDateValue(v) != v) SetDateValue(v);
        break;
    }
    case sptTime: {
        const TDateTime v = GetTimeValue();
        if (v < minDateValue_ || v > maxDateValue_) SetTimeValue(v);
        break;
    }
    }
}
