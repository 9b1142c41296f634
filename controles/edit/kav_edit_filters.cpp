// TKavEdit: what each type lets through of what is typed (WM_CHAR) and pasted (WM_PASTE).
// A refused character or paste simply does not happen: no beep, no message.

#include "controles/edit/kav_edit.h"

#include "plataforma/base/regional.h"
#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/services/clipboard.h"

#include <cstdlib>
#include <string>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool Has(const AnsiString& s, char c) {
    return s.str().find(c) != std::string::npos;
}
// A sign is taken only in front of the number.
bool SignOnlyFirst(const AnsiString& s) {
    const size_t p = s.str().find('-', 1);
    return p == std::string::npos;
}

constexpr char kBack = 8, kTab = 9, kReturn = 13;

} // namespace

void TKavEdit::PassChar(TMessage& Message) {
    TCustomEdit::Dispatch(Message);
}

void TKavEdit::CommonTail() {
    if (tabOnFullLength_ && lengthLimit_ > 0 && FixedLength(GetText()) > lengthLimit_ &&
        GetSelLength() == 0 && GetSelStart() == lengthLimit_ && HandleAllocated())
        PostMessage(GetHandle(), WM_KEYDOWN, VK_TAB, 0);
    if (TCustomEdit::GetModified()) SetModified(true);
    UpdateLookup();
}

void TKavEdit::SignToggle(int Caret) {
    const bool decimal = editType_ == etFloat || editType_ == etMoney;
    AnsiString v = GetText();
    const short saved = precision_;
    if (decimal) precision_ = 0;
    if (!v.IsEmpty() && v[1] == '-') {
        v = v.SubString(2, v.Length());
        SetWindowText(prefix_ + v + suffix_);
        const int caret = Caret > 0 && Caret > prefix_.Length() ? Caret - 1 : prefix_.Length();
        SetSelStart(caret);
        SetSelLength(0);
        if (decimal) SetModified(true);
    } else {
        SetWindowText(prefix_ + "-" + v + suffix_);
        SetSelStart(Caret + 1);
        SetSelLength(0);
        SetModified(true);
    }
    precision_ = saved;
}

void TKavEdit::WMChar(TWMKey& Message) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    char ch = static_cast<char>(Message.CharCode);
    auto drop = [&] { Message.Result = 0; };
    auto alive = Watch();

    if (ch == kReturn) {
        if (ctrl) {
            Message.Result = 1;
            return;
        }
        if (OnKeyPress) {
            char k = kReturn;
            OnKeyPress(this, k);
        }
        return drop();
    }
    if (ch == 27 && !canUndo_) return PassChar(Message);
    if (ctrl && (ch == 3 || ch == 22 || ch == 24)) return PassChar(Message);
    const char ds = GetDecimalSeparator();
    const char ts = GetThousandSeparator();
    if (excelStyleDecimalSeparator_ && ch == '.' && (Message.KeyData & 0x400000)) {
        ch = ds;
        Message.CharCode = static_cast<unsigned char>(ds);
    }
    const AnsiString value = GetText();
    const int selStart = GetSelStart(), selLen = GetSelLength();
    if (ch == kBack && !prefix_.IsEmpty() && selStart <= prefix_.Length() && selLen == 0)
        return drop();
    if (lengthLimit_ > 0 && FixedLength(value) > lengthLimit_ && selLen == 0 &&
        selStart < DecimalPos() && ch != kBack && ch != ds)
        return drop();
    if (ch == kBack && lengthLimit_ > 0) {
        const int at = selStart - prefix_.Length();
        AnsiString after =
            selLen > 0 ? value.SubString(1, at) + value.SubString(at + selLen + 1, value.Length())
                       : value.SubString(1, at - 1) + value.SubString(at + 1, value.Length());
        if (FixedLength(after) - 1 > lengthLimit_) return drop();
    }
    if (ch == 10 && ctrl) return drop();
    const bool numeric = editType_ == etNumeric || editType_ == etFloat || editType_ == etMoney;
    if (ch == '-' && numeric && !signed_) return drop();

    auto passTail = [&] {
        PassChar(Message);
        if (!alive.expired()) CommonTail();
    };
    auto dropTail = [&] {
        drop();
        CommonTail();
    };

    switch (editType_) {
    case etString:
    case etPassword:
        return passTail();
    case etAlphaNumeric:
        if (ch == kBack || ch == kTab || ch == kReturn || IsDigit(ch) || IsAsciiLetter(ch))
            return passTail();
        return dropTail();
    case etValidChars:
        if (ch == kBack || Has(validChars_, ch)) return passTail();
        return dropTail();
    case etUppercase:
    case etLowerCase: {
        const AnsiString one(std::string(1, ch));
        const AnsiString conv = editType_ == etUppercase ? AnsiUpperCase(one) : AnsiLowerCase(one);
        if (conv.Length() == 1) Message.CharCode = static_cast<unsigned char>(conv[1]);
        return passTail();
    }
    case etMixedCase: {
        PassChar(Message);
        if (alive.expired()) return;
        // The caret where the character left it (Backspace included).
        const int caret = GetSelStart();
        SetWindowText(prefix_ + MixedCase(GetText()) + suffix_);
        SetSelStart(caret);
        return CommonTail();
    }
    case etHex:
        if (ch == kBack || ch == kTab || ch == kReturn || ch == '-' || IsDigit(ch) ||
            (ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f'))
            return passTail();
        return dropTail();
    case etRange: {
        const bool sep = ch == ',' || ch == '-' || ch == ';';
        if (sep) {
            const AnsiString w = WindowText();
            auto isSep = [](char c) { return c == ',' || c == '-' || c == ';'; };
            const bool before = selStart >= 1 && selStart <= w.Length() && isSep(w[selStart]);
            const bool after = selStart + 1 <= w.Length() && isSep(w[selStart + 1]);
            if (selStart <= prefix_.Length() || before || after) return drop();
            return passTail();
        }
        if (ch == kBack || ch == kTab || ch == kReturn || IsDigit(ch)) return passTail();
        return dropTail();
    }
    case etNumeric:
        if (ch == '-') {
            SignToggle(selStart);
            drop();
            return CommonTail();
        }
        if (ch == kBack || ch == kTab || ch == kReturn || IsDigit(ch)) return passTail();
        if (GetKeyState(VK_LCONTROL) < 0 || GetKeyState(VK_RCONTROL) < 0) return passTail();
        return dropTail();
    case etFloat:
    case etMoney:
        break;
    }

    // --- etFloat and etMoney ---
    const bool isFloat = editType_ == etFloat;
    const AnsiString selText = GetSelText();
    if (isFloat) {
        if (ch == ',' && ds != ',' && ts != ',') return drop();
        if (ch == '.' && ds != '.' && ts != '.') return drop();
        if (!(ch == kBack || ch == kTab || ch == kReturn || ch == ',' || ch == '-' || ch == '.' ||
              IsDigit(ch)))
            return dropTail();
    } else if (!(ch == kBack || ch == kTab || ch == kReturn || ch == '-' || IsDigit(ch) ||
                 ch == ds)) {
        return dropTail();
    }
    if (ch == ds) {
        if (isFloat) {
            if (!Has(selText, ds) && (Has(value, ds) || precision_ == 0)) {
                drop();
                if (precision_ > 0) SelectAfterDecimal();
                return;
            }
        } else {
            // Typing the separator over the whole value starts again from zero.
            if (precision_ > 0 && !value.IsEmpty() && selLen == value.Length()) {
                SetText(AnsiString("0") + ds + "0");
                SelectAfterDecimal();
                return drop();
            }
            if (Has(value, ds) || precision_ == 0) return drop();
        }
    }
    if (isFloat && ch == ',' && Has(value, ',') && !Has(selText, ',') && ts != ',') return drop();
    const int c0 = selStart - prefix_.Length();
    if ((ch == ts || ch == ds) && Has(value, ts)) {
        int c = c0;
        int smallest = value.Length();
        AnsiString rest = value;
        for (;;) {
            const int p = rest.Pos(AnsiString(std::string(1, ts)));
            if (p == 0) break;
            const int d = std::abs(p - c);
            if (d < smallest) smallest = d;
            if (d < 3) return drop();
            if (p < c) c -= p;
            rest = rest.SubString(p + 1, rest.Length());
        }
        if (smallest >= 4) return drop();
    }
    if (precision_ > 0) {
        const int dp = value.Pos(AnsiString(std::string(1, ds)));
        const bool full = value.Length() - c0 <= precision_ && dp > 0 && dp <= c0 &&
                          value.Length() - dp >= precision_;
        if (full && (IsDigit(ch) || ch == ds) && selLen == 0) {
            if (ch == ds) return drop();
            if (c0 == value.Length()) return drop();
            SetSelLength(1);
        }
    }
    if (ch == ds && value.IsEmpty() && selStart == 0) {
        SetWindowText(prefix_ + "0" + AnsiString(std::string(1, ds)) + suffix_);
        SetSelStart(prefix_.Length() + 2);
        SetModified(true);
        return drop();
    }
    if (ch == '-' && selLen == 0) {
        SignToggle(selStart);
        return drop();
    }
    // Over a selection "-" replaces it only as the sign: at the value's start, with no other
    // "-" left in the value.
    if (ch == '-') {
        const AnsiString kept =
            value.SubString(1, c0) + value.SubString(c0 + selLen + 1, value.Length());
        if (c0 != 0 || Has(kept, '-')) return drop();
    }
    PassChar(Message);
    if (alive.expired()) return;
    if (!isFloat) {
        const AnsiString now = GetText();
        if (!now.IsEmpty() && now != "-" && ch != ds) {
            if (TCustomEdit::GetModified()) SetModified(true);
            AutoSeparators();
        }
    }
    CommonTail();
}

void TKavEdit::WMPaste(TMessage&) {
    if (GetReadOnly()) return;
    if (!Clipboard()->HasFormat(CF_TEXT)) return UpdateLookup();
    InsertFiltered(Clipboard()->GetAsText(), true);
}

bool TKavEdit::InsertFiltered(AnsiString clip, bool Paste) {
    {
        // One line: the edit holds a single line.
        const size_t end = clip.str().find_first_of("\r\n");
        if (end != std::string::npos) clip = AnsiString(clip.str().substr(0, end));
    }
    const AnsiString value = GetText();
    const int selLen = GetSelLength();
    const int at = std::max(0, std::min(GetSelStart() - prefix_.Length(), value.Length()));
    const AnsiString newValue =
        value.SubString(1, at) + clip + value.SubString(at + selLen + 1, value.Length());
    if (Paste && OnClipboardPaste) {
        bool allow = true;
        OnClipboardPaste(this, newValue, allow);
        if (!allow) return false;
    }
    if (GetMaxLength() > 0 && clip.Length() + value.Length() - selLen > GetMaxLength())
        return false;
    const char ds = GetDecimalSeparator();
    switch (editType_) {
    case etString:
    case etPassword:
        SetText(newValue);
        break;
    case etUppercase:
        SetText(AnsiUpperCase(newValue));
        break;
    case etLowerCase:
        SetText(AnsiLowerCase(newValue));
        break;
    case etMixedCase:
        SetText(MixedCase(newValue));
        break;
    case etNumeric:
        if (TextKind(newValue) != atNumeric || !SignOnlyFirst(newValue) ||
            (!signed_ && Has(newValue, '-')))
            return false;
        SetText(newValue);
        SetModified(true);
        break;
    case etFloat:
    case etMoney: {
        const TAutoType k = TextKind(newValue);
        if ((k != atNumeric && k != atFloat) || (precision_ == 0 && Has(clip, ds)) ||
            !SignOnlyFirst(newValue) || (!signed_ && Has(newValue, '-')))
            return false;
        SetText(newValue);
        // A money value is regrouped from its digits, which a double would not all keep.
        if (editType_ == etMoney)
            AutoSeparators();
        else
            SetFloat(GetFloat());
        SetModified(true);
        break;
    }
    case etAlphaNumeric:
        for (char c : clip.str())
            if (!IsDigit(c) && !IsAsciiLetter(c)) return false;
        SetText(newValue);
        SetModified(true);
        break;
    case etValidChars:
        for (char c : clip.str())
            if (!Has(validChars_, c)) return false;
        SetText(newValue);
        SetModified(true);
        break;
    case etRange:
    case etHex:
        return false;
    }
    if (editType_ == etMoney && GetText().Length() > 3) {
        SelectAll();
    } else if (selLen == 0) {
        SetSelStart(prefix_.Length() + at + clip.Length());
        SetSelLength(0);
    } else {
        SetSelStart(prefix_.Length() + at);
        SetSelLength(clip.Length());
    }
    switch (editType_) {
    case etString:
    case etUppercase:
    case etMixedCase:
    case etLowerCase:
    case etPassword:
        SetModified(true);
        break;
    default:
        break;
    }
    UpdateLookup();
    return true;
}
