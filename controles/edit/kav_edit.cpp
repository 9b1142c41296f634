// TKavEdit: the value and its formatting by type, the typed accessors, the enabled and
// visible states, the window's style, and the life of the control.

#include "controles/edit/kav_edit.h"

#include "plataforma/base/c_format.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/regional.h"
#include "plataforma/gui/painting/control_canvas.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

char DS() {
    return GetDecimalSeparator();
}
char TS() {
    return GetThousandSeparator();
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

// --- plain functions ---

TAutoType TextKind(const AnsiString& S) {
    const bool empty = S.IsEmpty();
    bool numeric = !empty, isFloat = !empty, hex = !empty;
    int minus = 0, decimals = 0, lastTS = -1;
    const char ds = DS(), ts = TS();
    for (int i = 1; i <= S.Length(); ++i) {
        const char c = S[i];
        if (!(c == '-' || IsDigit(c))) numeric = false;
        if (!(c == ',' || c == '-' || c == '.' || IsDigit(c))) isFloat = false;
        if (!(c == '-' || IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')))
            hex = false;
        if (c == ts) {
            if (i - lastTS < 3) isFloat = false;
            lastTS = i;
        }
        if (c == ds) ++decimals;
        if (c == '-') ++minus;
    }
    TAutoType result = atString;
    if (hex && !numeric) result = atHex;
    if (numeric)
        result = atNumeric;
    else if (isFloat)
        result = atFloat;
    if (minus >= 2 || decimals >= 2) result = atString;
    return result;
}

AnsiString StripThousands(const AnsiString& S) {
    std::string r;
    const char ts = TS();
    for (char c : S.str())
        if (c != ts) r += c;
    return AnsiString(r);
}

AnsiString MixedCase(const AnsiString& S) {
    static const std::string separators = " \"$()*,-./:[\\]";
    std::string out;
    const int n = S.Length();
    bool next = true;
    for (int i = 1; i <= n; ++i) {
        char c = S[i];
        if (separators.find(c) != std::string::npos) {
            next = true;
        } else if (next) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            next = false;
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        out += c;
        if (out == "Mc" || out == "Mac") next = true;
        if (i >= 3) {
            size_t mc = out.find(" Mc");
            if (mc != std::string::npos && static_cast<int>(mc) + 1 == i - 2) next = true;
        }
        if (i > n - 3) {
            if (i >= 2 && out.compare(i - 2, 2, " I") == 0) next = true;
            if (i >= 3 && out.compare(i - 3, 3, " II") == 0) next = true;
        }
    }
    return AnsiString(out);
}

int HexToInt(const AnsiString& S) {
    uint32_t r = 0, place = 1;
    for (int i = S.Length(); i >= 1; --i) {
        const char c = S[i];
        uint32_t d = 0;
        if (IsDigit(c))
            d = static_cast<uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            d = static_cast<uint32_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            d = static_cast<uint32_t>(c - 'a' + 10);
        r += d * place;
        place *= 16;
    }
    return static_cast<int>(r);
}

namespace {

// Digits grouped by threes from the right with the thousand separator.
std::string GroupThousands(const std::string& Digits) {
    std::string g;
    const size_t n = Digits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) g += TS();
        g += Digits[i];
    }
    return g;
}

// The integer digits of a value's integer part as typed, without separators or leading
// zeros; "0" when there are none.
std::string IntegerDigits(const std::string& IntPart) {
    std::string d;
    for (char c : IntPart)
        if (IsDigit(c) && !(d.empty() && c == '0')) d += c;
    return d.empty() ? "0" : d;
}

} // namespace

AnsiString FormatEditNumber(long double Value, int Decimals, bool Grouped) {
    std::string s;
    if (Decimals < 0) {
        s = FormatoC("%.15Lg", Value);
    } else {
        s = FormatoC("%.*Lf", Decimals, Value);
    }
    // The C locale's point becomes the regional separator; groups of three before it.
    const size_t point = s.find('.');
    std::string intPart = s.substr(0, point);
    std::string rest = point == std::string::npos ? std::string() : s.substr(point + 1);
    if (Grouped && Decimals >= 0) {
        std::string sign;
        if (!intPart.empty() && intPart[0] == '-') {
            sign = "-";
            intPart.erase(0, 1);
        }
        intPart = sign + GroupThousands(intPart);
    }
    if (point == std::string::npos) return AnsiString(intPart);
    return AnsiString(intPart + DS() + rest);
}

bool FormatMoneyText(const AnsiString& Value, int Decimals, AnsiString& Result) {
    // Only a plain number: a sign, digits with thousand separators, one decimal separator.
    const std::string v = Value.str();
    size_t i = !v.empty() && v[0] == '-' ? 1 : 0;
    const bool negative = i == 1;
    std::string digits, fraction;
    bool point = false;
    for (; i < v.size(); ++i) {
        const char c = v[i];
        if (IsDigit(c))
            (point ? fraction : digits) += c;
        else if (c == DS() && !point)
            point = true;
        else if (c != TS() || point)
            return false;
    }
    if (digits.empty() && fraction.empty()) return false;
    digits = IntegerDigits(digits);
    // Places below zero keep the fraction as it is.
    if (Decimals < 0) Decimals = static_cast<int>(fraction.size());
    // The fraction padded or rounded half up to its places, the carry running into the
    // integer digits.
    const bool up = static_cast<int>(fraction.size()) > Decimals && fraction[Decimals] >= '5';
    fraction.resize(static_cast<size_t>(Decimals), '0');
    std::string all = digits + fraction;
    for (size_t k = all.size(); up && k-- > 0;) {
        if (all[k] < '9') {
            ++all[k];
            break;
        }
        all[k] = '0';
        if (k == 0) all.insert(all.begin(), '1');
    }
    digits = all.substr(0, all.size() - fraction.size());
    fraction = all.substr(digits.size());
    const bool zero = all.find_first_not_of('0') == std::string::npos;
    std::string out = (negative && !zero ? "-" : "") + GroupThousands(digits);
    if (Decimals > 0) out += DS() + fraction;
    Result = AnsiString(out);
    return true;
}

namespace {

// The run-time's Val: the number of the valid leading part of a "." text, or 0.
double ValExt(const AnsiString& S) {
    const std::string t = S.Trim().str();
    double v = 0;
    const char* b = t.data();
    if (!t.empty() && t[0] == '+') ++b;
    std::from_chars(b, t.data() + t.size(), v);
    return v;
}

int ValLong(const AnsiString& S) {
    const std::string t = S.Trim().str();
    int v = 0;
    const char* b = t.data();
    if (!t.empty() && t[0] == '+') ++b;
    std::from_chars(b, t.data() + t.size(), v);
    return v;
}

} // namespace

// --- lookup settings and persistence ---

TLookupSettings::TLookupSettings()
    : displayList_(std::make_unique<TStringList>()), valueList_(std::make_unique<TStringList>()) {}

TLookupSettings::~TLookupSettings() = default;

void TLookupSettings::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TLookupSettings*>(Source);
    if (!s) return TPersistent::Assign(Source);
    caseSensitive_ = s->caseSensitive_;
    color_ = s->color_;
    displayCount_ = s->displayCount_;
    displayList_->Assign(*s->displayList_);
    enabled_ = s->enabled_;
    history_ = s->history_;
    numChars_ = s->numChars_;
    valueList_->Assign(*s->valueList_);
    multi_ = s->multi_;
    separator_ = s->separator_;
}

void TPersistence::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TPersistence*>(Source);
    if (!s) return TPersistent::Assign(Source);
    enable_ = s->enable_;
    key_ = s->key_;
    section_ = s->section_;
    location_ = s->location_;
}

// --- life ---

TKavEdit::TKavEdit(TComponent* AOwner)
    : TCustomEdit(AOwner), lookup_(std::make_unique<TLookupSettings>()),
      persistence_(std::make_unique<TPersistence>()),
      canvases_(std::make_unique<WindowCanvases>(this)) {
    normalFontColor_ = GetFont()->GetColor();
    normalColor_ = TCustomEdit::GetColor();
    label_.Font->OnChange = [this](TObject* s) { LabelFontChanged(s); };
    if (!Designing()) {
        lookupWindow_ = new TListHintWindow(this);
        lookupWindow_->SetBounds(0, 0, 0, 0);
        lookupList_ = new TListBox(lookupWindow_);
        lookupList_->SetParent(lookupWindow_);
        lookupList_->SetAlign(alClient);
        lookupList_->SetStyle(lbOwnerDrawFixed);
        lookupList_->SetItemHeight(12);
        lookupList_->SetTabStop(true);
        lookupList_->SetBorderStyle(bsNone);
        lookupList_->SetTabOrder(0);
        lookupList_->OnKeyPress = [this](TObject* s, char& k) { ListKeyPress(s, k); };
        lookupList_->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
            ListMouseUp(s, b, sh, x, y);
        };
        lookupList_->OnDrawItem = [this](TWinControl*, int index, TRect rect,
                                         TOwnerDrawState state) {
            TCanvas* c = lookupList_->GetCanvas();
            const bool sel = state.Contains(odSelected);
            c->GetBrush()->SetColor(sel ? clHighlight : lookup_->GetColor());
            c->FillRect(rect);
            c->GetFont()->SetColor(sel ? clHighlightText : clWindowText);
            c->GetBrush()->SetStyle(bsClear);
            c->TextOut(rect.Left + 2, rect.Top, lookupList_->GetItems()->GetStrings(index));
        };
        lookupWindow_->SetListControl(lookupList_);
    }
}

TKavEdit::~TKavEdit() {
    // The settings go to their store before the window is gone (its WM_DESTROY cannot
    // reach this class from the base destructor).
    if (!Designing()) SavePersist();
    label_.Release();
}

void TKavEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomEdit::Notification(AComponent, Operation);
    if (Operation == opRemove) label_.Forget(AComponent);
}

void TKavEdit::Loaded() {
    TCustomEdit::Loaded();
    if (!Designing()) Init();
    if (storedHeight_ > 0) SetBounds(GetLeft(), GetTop(), GetWidth(), storedHeight_);
    if (!Designing()) LoadPersist();
    label_.FollowEnabled(GetEnabled());
    if (label_.Label && GetParentFont()) label_.Label->SetFont(GetFont());
}

void TKavEdit::Init() {
    normalColor_ = TCustomEdit::GetColor();
    normalFontColor_ = GetFont()->GetColor();
    savedBorderStyle_ = GetBorderStyle();
    if (flat_) {
        flat_ = false;
        SetFlat(true);
    }
    if (label_.Label) UpdateLabel();
    if (!GetEnabled()) {
        TCustomEdit::SetColor(disabledColor_);
    }
}

AnsiString TKavEdit::GetVersion() const {
    const int v = GetVersionNr();
    return IntToStr((v >> 24) & 0xFF) + "." + IntToStr((v >> 16) & 0xFF) + "." +
           IntToStr((v >> 8) & 0xFF) + "." + IntToStr(v & 0xFF);
}

// --- text model ---

AnsiString TKavEdit::GetText() const {
    AnsiString t = WindowText();
    if (!prefix_.IsEmpty() && t.SubString(1, prefix_.Length()) == prefix_)
        t = t.SubString(prefix_.Length() + 1, t.Length());
    // Only a suffix that is there is taken off.
    if (!suffix_.IsEmpty() && t.Length() >= suffix_.Length() &&
        t.SubString(t.Length() - suffix_.Length() + 1, suffix_.Length()) == suffix_)
        t = t.SubString(1, t.Length() - suffix_.Length());
    return t;
}

void TKavEdit::SetText(const AnsiString& Value) {
    AnsiString v = Value;
    const bool numeric = editType_ == etNumeric || editType_ == etFloat || editType_ == etMoney ||
                         editType_ == etHex;
    if (v.IsEmpty() && numeric) v = "0";
    if (precision_ > 0 && !v.IsEmpty()) {
        // A money value keeps every digit it is given, however long.
        if (editType_ == etMoney && !FormatMoneyText(v, precision_, v))
            v = FormatEditNumber(EStrToFloat(v), precision_, true);
        if (editType_ == etFloat) v = FormatEditNumber(EStrToFloat(v), precision_, false);
    }
    if (editType_ == etHex) v = UpperCase(v);
    SetWindowText(prefix_ + v + suffix_);
    SetModified(false);
    if (showURL_) ApplyURL(TestURL());
}

long double TKavEdit::EStrToFloat(const AnsiString& S) const {
    double v = 0;
    if (!TryStrToFloat(StripThousands(S), v)) return 0;
    return v;
}

double TKavEdit::GetFloat() const {
    const AnsiString v = GetText();
    switch (editType_) {
    case etString:
        return ValExt(v);
    case etNumeric:
    case etFloat:
        if (v.IsEmpty() || v == "-") return 0;
        return static_cast<double>(EStrToFloat(v));
    case etMoney: {
        if (v.IsEmpty()) return 0;
        AnsiString s = StripThousands(v);
        if (!s.IsEmpty() && s[s.Length()] == DS()) s = s.SubString(1, s.Length() - 1);
        if (s.IsEmpty() || s == "-") return 0;
        return static_cast<double>(EStrToFloat(s));
    }
    case etHex:
        return v.IsEmpty() ? 0 : HexToInt(v);
    default:
        return 0;
    }
}

void TKavEdit::SetFloat(double Value) {
    switch (editType_) {
    case etString:
    case etFloat:
        SetText(FormatEditNumber(Value, precision_, false));
        break;
    case etNumeric:
        SetText(FormatEditNumber(Value, precision_, precision_ >= 0));
        break;
    case etMoney:
        SetText(FormatEditNumber(Value, precision_, false));
        AutoSeparators();
        break;
    case etHex:
        SetText(IntToHex(static_cast<long long>(std::trunc(Value)), 0));
        break;
    default:
        break;
    }
    SetModified(true);
}

int TKavEdit::GetInt() const {
    const AnsiString v = GetText();
    switch (editType_) {
    case etNumeric:
    case etFloat:
        return ValLong(v);
    case etMoney:
        return ValLong(StripThousands(v));
    case etHex:
        return v.IsEmpty() ? 0 : HexToInt(v);
    default:
        return 0;
    }
}

void TKavEdit::SetInt(int Value) {
    switch (editType_) {
    case etNumeric:
    case etFloat:
        SetText(IntToStr(Value));
        break;
    case etMoney:
        SetText(IntToStr(Value));
        AutoSeparators();
        break;
    case etHex:
        SetText(IntToHex(Value, 0));
        break;
    default:
        break;
    }
    SetModified(true);
}

void TKavEdit::ListToRangeStr(TRangeList* List) {
    SetWindowText(List ? List->ToRangeStr() : AnsiString());
}

bool TKavEdit::RangeStrToList(TRangeList* List) const {
    return List && List->StrToList(GetText());
}

void TKavEdit::SetPrecision(short Value) {
    if (Value == precision_) return;
    if (editType_ != etString && editType_ != etFloat && editType_ != etMoney) return;
    precision_ = Value;
    const TAutoType k = TextKind(GetText());
    if (k == atNumeric || k == atFloat)
        SetFloat(GetFloat());
    else
        SetFloat(0);
}

void TKavEdit::SetEditType(TKavEditType Value) {
    if (Value == editType_) return;
    editType_ = Value;
    if (Value == etPassword) {
        SetPasswordChar('*');
        canUndo_ = false;
        if (HandleAllocated()) RecreateWnd();
    } else {
        SetPasswordChar(0);
    }
    const TAutoType k = TextKind(GetText());
    if (Value == etNumeric && k != atNumeric) SetInt(0);
    if ((Value == etFloat || Value == etMoney) && k >= atString) SetFloat(0);
    if (Value == etHex && k != atNumeric && k != atHex) SetInt(0);
    if (Designing() && Value == etFloat && precision_ == 0) SetPrecision(2);
}

void TKavEdit::SetPrefix(const AnsiString& Value) {
    const AnsiString v = GetText();
    prefix_ = Value;
    SetWindowText(prefix_ + v + suffix_);
}

void TKavEdit::SetSuffix(const AnsiString& Value) {
    const AnsiString v = GetText();
    suffix_ = Value;
    SetWindowText(prefix_ + v + suffix_);
}

int TKavEdit::DecimalPos() const {
    const AnsiString v = GetText();
    const int p = v.Pos(AnsiString(std::string(1, DS())));
    if (p > 0) return prefix_.Length() + p;
    return v.Length() + prefix_.Length() + suffix_.Length() + 1;
}

int TKavEdit::FixedLength(const AnsiString& S) const {
    const AnsiString s = StripThousands(S);
    const int p = s.Pos(AnsiString(std::string(1, DS())));
    return p > 0 ? p : s.Length() + 1;
}

void TKavEdit::AutoSeparators() {
    AnsiString v = GetText();
    const int oldLen = v.Length();
    const int caret = GetSelStart();
    if (v.IsEmpty()) return;
    AnsiString sign;
    if (v[1] == '-') {
        sign = "-";
        v = v.SubString(2, v.Length());
    }
    AnsiString fraction;
    const int dp = v.Pos(AnsiString(std::string(1, DS())));
    if (dp > 0) fraction = v.SubString(dp, v.Length());
    // The integer digits as typed, regrouped as text: a long value keeps its digits.
    const std::string digits = IntegerDigits((dp > 0 ? v.SubString(1, dp - 1) : v).str());
    const AnsiString intPart(autoThousandSeparator_ ? GroupThousands(digits) : digits);
    const short saved = precision_;
    precision_ = 0;
    const AnsiString text = prefix_ + sign + intPart + fraction + suffix_;
    // Only the change notification this rewrite sends is swallowed; a rewrite made before
    // the window exists sends none, and the user's next change is reported.
    separatorsChanged_ = text != WindowText();
    SetWindowText(text);
    separatorsChanged_ = false;
    precision_ = saved;
    const int newLen = (sign + intPart + fraction).Length();
    SetSelStart(caret + (newLen - oldLen));
    SetSelLength(0);
}

void TKavEdit::SetAutoThousandSeparator(bool Value) {
    autoThousandSeparator_ = Value;
    if (editType_ == etMoney) AutoSeparators();
}

// --- states ---

void TKavEdit::SetVisible(bool Value) {
    TCustomEdit::SetVisible(Value);
    label_.FollowVisible(Value);
}

void TKavEdit::SetEnabledEx(bool Value) {
    const bool was = TCustomEdit::GetEnabled();
    TCustomEdit::SetEnabled(Value);
    if (Loading() || Designing() || was == Value) return;
    if (Value) {
        SetColorEx(normalColor_);
    } else {
        const TColor remembered = TCustomEdit::GetColor();
        SetColorEx(disabledColor_);
        normalColor_ = remembered;
    }
    label_.FollowEnabled(Value);
}

void TKavEdit::SetColorEx(TColor Value) {
    TCustomEdit::SetColor(Value);
    normalColor_ = Value;
}

void TKavEdit::SetHeightEx(int Value) {
    if (Loading()) storedHeight_ = Value;
    SetHeight(Value);
}

void TKavEdit::SetDisabledColor(TColor Value) {
    disabledColor_ = Value;
    Invalidate();
}

void TKavEdit::SetFontColor(TColor Value) {
    GetFont()->SetColor(Value);
}

void TKavEdit::FontStyle(TFontStyle Style, bool On) {
    TFontStyles s = GetFont()->GetStyle();
    GetFont()->SetStyle(On ? (s << Style) : (s >> Style));
}

// --- the window ---

void TKavEdit::CreateParams(TCreateParams& Params) {
    TCustomEdit::CreateParams(Params);
    if (editType_ != etPassword) Params.Style |= ES_MULTILINE;
    if (editAlign_ == eaRight) Params.Style = (Params.Style & ~DWORD(ES_CENTER)) | ES_RIGHT;
    if (editAlign_ == eaCenter) Params.Style = (Params.Style & ~DWORD(ES_RIGHT)) | ES_CENTER;
}

void TKavEdit::CreateWnd() {
    TCustomEdit::CreateWnd();
    SetFlatRect(flat_);
    // A new window takes drops again.
    if (dropTargetRegistered_) {
        dropTargetRegistered_ = false;
        SetOleDropTarget(true);
    }
}

void TKavEdit::SetEditAlign(TEditAlign Value) {
    editAlign_ = Value;
    if (!HandleAllocated()) return;
    RecreateWnd();
    SetWidth(GetWidth() + 1);
    SetWidth(GetWidth() - 1);
}

void TKavEdit::SetCanUndo(bool Value) {
    canUndo_ = Value && editType_ != etPassword;
    if (!HandleAllocated()) return;
    RecreateWnd();
    SetWidth(GetWidth() + 1);
    SetWidth(GetWidth() - 1);
}
