#include "plataforma/base/mask_engine.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/base/regional.h"

#include <algorithm>

namespace {

bool IsLetter(unsigned char c) {
    if (c < 0x80) return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    // Letters without the other case: ß, ª, º and ƒ.
    return cp1252::ToUpper(c) != c || cp1252::ToLower(c) != c || c == 0xDF || c == 0xAA ||
           c == 0xBA || c == 0x83;
}

bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

} // namespace

// --- the mask ---

void TMaskEngine::SetMask(const AnsiString& Mask) {
    mask_ = Mask;
    slots_.clear();
    saveLiterals_ = true;
    blank_ = '_';
    leadingBlanks_ = false;
    const std::string& m = Mask.str();
    // The first ";" that no "\" escapes ends the mask; the two fields follow it.
    size_t end = 0;
    while (end < m.size() && m[end] != ';')
        end += (m[end] == '\\' && end + 1 < m.size()) ? 2 : 1;
    if (end < m.size()) {
        const size_t second = m.find(';', end + 1);
        const std::string save =
            m.substr(end + 1, second == std::string::npos ? std::string::npos : second - end - 1);
        saveLiterals_ = save != "0";
        if (second != std::string::npos && second + 1 < m.size()) blank_ = m[second + 1];
    }
    Case current = NoCase;
    for (size_t i = 0; i < end; ++i) {
        const char c = m[i];
        Slot s;
        s.charCase = current;
        switch (c) {
        case '\\':
            if (i + 1 >= end) continue;
            s.literal = m[++i];
            break;
        case '!':
            leadingBlanks_ = true;
            continue;
        case '>':
            current = Upper;
            continue;
        case '<':
            if (i + 1 < end && m[i + 1] == '>') {
                ++i;
                current = NoCase;
            } else {
                current = Lower;
            }
            continue;
        case 'L':
        case 'l':
            s.kind = Letter;
            s.required = c == 'L';
            break;
        case 'A':
        case 'a':
            s.kind = AlphaNum;
            s.required = c == 'A';
            break;
        case 'C':
        case 'c':
            s.kind = AnyChar;
            s.required = c == 'C';
            break;
        case '0':
        case '9':
            s.kind = Digit;
            s.required = c == '0';
            break;
        case '#':
            s.kind = DigitSign;
            break;
        case ':':
            s.literal = GetTimeSeparator();
            break;
        case '/':
            s.literal = GetDateSeparator();
            break;
        case '_':
            s.literal = ' ';
            break;
        default:
            s.literal = c;
        }
        slots_.push_back(s);
    }
    cells_.assign(slots_.size(), ' ');
    for (size_t i = 0; i < slots_.size(); ++i)
        if (slots_[i].kind == Literal) cells_[i] = slots_[i].literal;
}

bool TMaskEngine::IsLiteral(int Pos) const {
    return Pos >= 0 && Pos < Length() && slots_[static_cast<size_t>(Pos)].kind == Literal;
}

int TMaskEngine::NextInput(int Pos) const {
    Pos = std::max(Pos, 0);
    while (Pos < Length() && IsLiteral(Pos))
        ++Pos;
    return std::min(Pos, Length());
}

int TMaskEngine::PrevInput(int Pos) const {
    Pos = std::min(Pos, Length()) - 1;
    while (Pos >= 0 && IsLiteral(Pos))
        --Pos;
    return Pos;
}

int TMaskEngine::FirstMissing() const {
    for (int i = 0; i < Length(); ++i)
        if (slots_[static_cast<size_t>(i)].required && cells_[static_cast<size_t>(i)] == ' ')
            return i;
    return -1;
}

bool TMaskEngine::IsFilled() const {
    for (size_t i = 0; i < cells_.size(); ++i)
        if (slots_[i].kind != Literal && cells_[i] == ' ') return false;
    return true;
}

bool TMaskEngine::Accepts(int Pos, char& Ch) const {
    if (Pos < 0 || Pos >= Length()) return false;
    const Slot& s = slots_[static_cast<size_t>(Pos)];
    unsigned char c = static_cast<unsigned char>(Ch);
    if (s.charCase == Upper) c = cp1252::ToUpper(c);
    if (s.charCase == Lower) c = cp1252::ToLower(c);
    bool ok = false;
    switch (s.kind) {
    case Literal:
        return false;
    case Letter:
        ok = IsLetter(c);
        break;
    case AlphaNum:
        ok = IsLetter(c) || IsDigit(c);
        break;
    case AnyChar:
        ok = c >= 32;
        break;
    case Digit:
        ok = IsDigit(c);
        break;
    case DigitSign:
        ok = IsDigit(c) || c == '+' || c == '-';
        break;
    }
    if (ok) Ch = static_cast<char>(c);
    return ok;
}

// --- the text ---

AnsiString TMaskEngine::GetEditText() const {
    std::string t = cells_;
    for (size_t i = 0; i < t.size(); ++i)
        if (slots_[i].kind != Literal && t[i] == ' ') t[i] = blank_;
    return AnsiString(t);
}

void TMaskEngine::SetEditText(const AnsiString& Value) {
    const std::string& v = Value.str();
    for (int i = 0; i < Length(); ++i) {
        if (IsLiteral(i)) continue;
        char c = static_cast<size_t>(i) < v.size() ? v[static_cast<size_t>(i)] : ' ';
        cells_[static_cast<size_t>(i)] = (c != blank_ && Accepts(i, c)) ? c : ' ';
    }
}

AnsiString TMaskEngine::GetText() const {
    if (saveLiterals_) return AnsiString(cells_);
    std::string t;
    t.reserve(cells_.size());
    for (size_t i = 0; i < cells_.size(); ++i)
        if (slots_[i].kind != Literal) t += cells_[i];
    return AnsiString(t);
}

void TMaskEngine::SetText(const AnsiString& Value) {
    const std::string& v = Value.str();
    std::vector<int> targets; // the positions the value's characters go to
    for (int i = 0; i < Length(); ++i)
        if (saveLiterals_ || !IsLiteral(i)) targets.push_back(i);
    // "!": a short value fills the last positions.
    const size_t skip = leadingBlanks_ && v.size() < targets.size() ? targets.size() - v.size() : 0;
    Blank(0, Length());
    for (size_t k = 0; k + skip < targets.size() && k < v.size(); ++k) {
        const int pos = targets[k + skip];
        char c = v[k];
        if (!IsLiteral(pos) && Accepts(pos, c)) cells_[static_cast<size_t>(pos)] = c;
    }
}

// --- editing ---

void TMaskEngine::Blank(int Start, int End) {
    Start = std::max(Start, 0);
    End = std::min(End, Length());
    for (int i = Start; i < End; ++i)
        if (!IsLiteral(i)) cells_[static_cast<size_t>(i)] = ' ';
}

void TMaskEngine::Clamp(int& SelStart, int& SelEnd) const {
    if (SelStart > SelEnd) std::swap(SelStart, SelEnd);
    SelStart = std::clamp(SelStart, 0, Length());
    SelEnd = std::clamp(SelEnd, 0, Length());
}

bool TMaskEngine::KeyChar(char Ch, int& SelStart, int& SelEnd) {
    Clamp(SelStart, SelEnd);
    const int caret = SelStart;
    const size_t uc = static_cast<size_t>(caret);
    // A literal typed where it stands steps over it.
    if (IsLiteral(caret) && cells_[uc] == Ch) {
        Blank(SelStart, SelEnd);
        SelStart = SelEnd = NextInput(caret + 1);
        return true;
    }
    const int pos = NextInput(caret);
    char c = Ch;
    if (pos < Length() && Accepts(pos, c)) {
        Blank(SelStart, SelEnd);
        cells_[static_cast<size_t>(pos)] = c;
        SelStart = SelEnd = NextInput(pos + 1);
        return true;
    }
    // The literal the caret has just been moved over, typed as well.
    if (SelStart == SelEnd && IsLiteral(caret - 1) && cells_[uc - 1] == Ch) return true;
    // A literal further on: the caret goes past it (a short part of a date, "1/").
    for (int i = caret; i < Length(); ++i) {
        if (IsLiteral(i) && cells_[static_cast<size_t>(i)] == Ch) {
            Blank(SelStart, SelEnd);
            SelStart = SelEnd = NextInput(i + 1);
            return true;
        }
    }
    return false;
}

void TMaskEngine::KeyBackspace(int& SelStart, int& SelEnd) {
    Clamp(SelStart, SelEnd);
    if (SelStart != SelEnd) {
        Blank(SelStart, SelEnd);
        SelEnd = SelStart;
        return;
    }
    const int pos = PrevInput(SelStart);
    if (pos < 0) return;
    Blank(pos, pos + 1);
    SelStart = SelEnd = pos;
}

void TMaskEngine::KeyDelete(int& SelStart, int& SelEnd) {
    Clamp(SelStart, SelEnd);
    if (SelStart != SelEnd) {
        Blank(SelStart, SelEnd);
        SelEnd = SelStart;
        return;
    }
    const int pos = NextInput(SelStart);
    Blank(pos, pos + 1);
}

bool TMaskEngine::Paste(const AnsiString& Value, int& SelStart, int& SelEnd) {
    Clamp(SelStart, SelEnd);
    Blank(SelStart, SelEnd);
    SelEnd = SelStart;
    bool all = true;
    for (const char c : Value.str()) {
        if (SelStart >= Length()) return false;
        if (!KeyChar(c, SelStart, SelEnd)) all = false;
    }
    return all;
}
