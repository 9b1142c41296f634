// TWideStrings and its 8-bit view.

#include "controles/edit/wide_strings.h"

#include "plataforma/base/exceptions.h"
#include "plataforma/base/filer.h"
#include "plataforma/base/numbers.h"

#include <string>

namespace {

bool IsBlank(char16_t c) {
    return c >= 1 && c <= 0x20;
}

bool EndsLine(char16_t c) {
    return c == 0x0A || c == 0x0B || c == 0x0C || c == 0x0D || c == 0x2028 || c == 0x2029;
}

// Closes the update bracket whatever happens inside it.
class Update {
public:
    explicit Update(TWideStrings& s) : s_(s) { s_.BeginUpdate(); }
    ~Update() { s_.EndUpdate(); }
    Update(const Update&) = delete;
    Update& operator=(const Update&) = delete;

private:
    TWideStrings& s_;
};

} // namespace

int WideCompareFunc(const WideString& S1, const WideString& S2, LCID Locale) {
    return CompareStringW(Locale, NORM_IGNORECASE, S1.c_bstr(), S1.Length(), S2.c_bstr(),
                          S2.Length()) -
           2;
}

// --- the 8-bit view ---

int TAnsiStringsForWideStrings::GetCount() const {
    return wideStrings_->GetCount();
}

AnsiString TAnsiStringsForWideStrings::GetStrings(int Index) const {
    return wideStrings_->Get(Index).ToAnsiString();
}

TObject* TAnsiStringsForWideStrings::GetObjects(int Index) const {
    return wideStrings_->GetObject(Index);
}

void TAnsiStringsForWideStrings::SetObjects(int Index, TObject* AObject) {
    wideStrings_->PutObject(Index, AObject);
}

void TAnsiStringsForWideStrings::Insert(int Index, const AnsiString& S) {
    wideStrings_->Insert(Index, WideString(S));
}

void TAnsiStringsForWideStrings::Delete(int Index) {
    wideStrings_->Delete(Index);
}

void TAnsiStringsForWideStrings::Clear() {
    wideStrings_->Clear();
}

// --- the wide list ---

TWideStrings::TWideStrings()
    : ansiStrings_(std::make_unique<TAnsiStringsForWideStrings>(this)),
      language_(GetUserDefaultLCID()) {}

TWideStrings::~TWideStrings() = default;

TObject* TWideStrings::GetObject(int) const {
    return nullptr;
}

void TWideStrings::PutObject(int, TObject*) {}

void TWideStrings::SetCapacity(int) {}

void TWideStrings::SetUpdateState(bool) {}

void TWideStrings::Put(int Index, const WideString& S) {
    TObject* kept = GetObject(Index);
    Delete(Index);
    InsertObject(Index, S, kept);
}

WideString TWideStrings::GetTextStr() const {
    std::u16string t;
    for (int i = 0; i < GetCount(); ++i) {
        t += Get(i).str();
        t += u"\r\n";
    }
    return WideString(std::move(t));
}

void TWideStrings::SetTextStr(const WideString& Value) {
    Update bracket(*this);
    Clear();
    const std::u16string& t = Value.str();
    size_t i = 0;
    // The text stops at a zero, as the system's text does.
    const size_t end = std::min(t.size(), t.find(u'\0'));
    while (i < end) {
        size_t j = i;
        while (j < end && !EndsLine(t[j]))
            ++j;
        Add(WideString(t.substr(i, j - i)));
        if (j < end) {
            if (t[j] == 0x0D && j + 1 < end && t[j + 1] == 0x0A) ++j;
            ++j;
        }
        i = j;
    }
}

int TWideStrings::Add(const WideString& S) {
    const int index = GetCount();
    Insert(index, S);
    return index;
}

int TWideStrings::AddObject(const WideString& S, TObject* AObject) {
    const int index = Add(S);
    PutObject(index, AObject);
    return index;
}

void TWideStrings::AddStrings(const TStrings& Strings) {
    Update bracket(*this);
    for (int i = 0; i < Strings.GetCount(); ++i)
        AddObject(WideString(Strings.GetStrings(i)), Strings.GetObjects(i));
}

void TWideStrings::AddStrings(const TWideStrings& Strings) {
    Update bracket(*this);
    // A list added to itself adds what it held at the start.
    const int n = Strings.GetCount();
    for (int i = 0; i < n; ++i)
        AddObject(Strings.Get(i), Strings.GetObject(i));
}

void TWideStrings::Exchange(int Index1, int Index2) {
    Update bracket(*this);
    const WideString s = Get(Index1);
    TObject* o = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s);
    PutObject(Index2, o);
}

void TWideStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    Update bracket(*this);
    const WideString s = Get(CurIndex);
    TObject* o = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
}

int TWideStrings::IndexOf(const WideString& S) const {
    for (int i = 0; i < GetCount(); ++i)
        if (WideCompareFunc(Get(i), S, language_) == 0) return i;
    return -1;
}

void TWideStrings::SetText(const char16_t* Text) {
    SetTextStr(WideString(Text));
}

void TWideStrings::InsertObject(int Index, const WideString& S, TObject* AObject) {
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TWideStrings::BeginUpdate() {
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TWideStrings::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) SetUpdateState(false);
}

void TWideStrings::DefineProperties(TFiler* Filer) {
    bool write = GetCount() > 0;
    if (TPersistent* ancestor = Filer->GetAncestor()) {
        const auto* wide = dynamic_cast<const TWideStrings*>(ancestor);
        write = !wide || !Equals(*wide);
    }
    Filer->DefineProperty(
        "WideStrings", [this](TReader& Reader) { ReadData(Reader); },
        [this](TWriter& Writer) { WriteData(Writer); }, write);
}

void TWideStrings::ReadData(TReader& Reader) {
    Reader.ReadListBegin();
    {
        Update bracket(*this);
        Clear();
        while (!Reader.EndOfList()) {
            const TValueType t = Reader.NextValue();
            if (t == TValueType::vaString || t == TValueType::vaLString)
                Add(WideString(Reader.ReadString()));
            else
                Add(Reader.ReadWideString());
        }
    }
    Reader.ReadListEnd();
}

void TWideStrings::WriteData(TWriter& Writer) const {
    Writer.WriteListBegin();
    for (int i = 0; i < GetCount(); ++i)
        Writer.WriteWideString(Get(i));
    Writer.WriteListEnd();
}

bool TWideStrings::Equals(const TWideStrings& Strings) const {
    if (GetCount() != Strings.GetCount()) return false;
    for (int i = 0; i < GetCount(); ++i)
        if (!(Get(i) == Strings.Get(i))) return false;
    return true;
}

void TWideStrings::Error(const AnsiString& Msg, int Data) const {
    std::string m = Msg.str();
    const size_t p = m.find("%d");
    if (p != std::string::npos) m.replace(p, 2, IntToStr(Data).str());
    throw EStringListError(AnsiString(m));
}

WideString TWideStrings::GetCommaText() const {
    const int n = GetCount();
    if (n == 1 && Get(0).Length() == 0) return WideString(u"\"\"");
    std::u16string out;
    for (int i = 0; i < n; ++i) {
        const WideString w = Get(i);
        const std::u16string& s = w.str();
        bool quote = false;
        for (char16_t c : s)
            if (c <= 0x20 || c == u'"' || c == u',') quote = true;
        if (i > 0) out += u',';
        if (!quote) {
            out += s;
            continue;
        }
        out += u'"';
        for (char16_t c : s) {
            if (c == u'"') out += u'"';
            out += c;
        }
        out += u'"';
    }
    return WideString(std::move(out));
}

void TWideStrings::SetCommaText(const WideString& Value) {
    Update bracket(*this);
    Clear();
    const std::u16string& t = Value.str();
    const size_t end = std::min(t.size(), t.find(u'\0'));
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < end && IsBlank(t[i]))
            ++i;
    };
    skipBlanks();
    while (i < end) {
        std::u16string s;
        if (t[i] == u'"') {
            ++i;
            while (i < end) {
                if (t[i] == u'"') {
                    if (i + 1 < end && t[i + 1] == u'"') {
                        s += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                s += t[i++];
            }
        } else {
            while (i < end && t[i] > 0x20 && t[i] != u',')
                s += t[i++];
        }
        Add(WideString(std::move(s)));
        skipBlanks();
        if (i < end && t[i] == u',') {
            ++i;
            skipBlanks();
        }
    }
}

WideString TWideStrings::GetName(int Index) const {
    const WideString s = Get(Index);
    const size_t p = s.str().find(u'=');
    return p == std::u16string::npos ? WideString() : WideString(s.str().substr(0, p));
}

int TWideStrings::IndexOfName(const WideString& Name) const {
    for (int i = 0; i < GetCount(); ++i) {
        const WideString w = Get(i);
        const std::u16string& s = w.str();
        const size_t p = s.find(u'=');
        if (p != std::u16string::npos &&
            WideCompareFunc(WideString(s.substr(0, p)), Name, language_) == 0)
            return i;
    }
    return -1;
}

WideString TWideStrings::GetValue(const WideString& Name) const {
    const int i = IndexOfName(Name);
    if (i < 0) return WideString();
    const std::u16string s = Get(i).str();
    const size_t from = static_cast<size_t>(Name.Length()) + 1;
    return from < s.size() ? WideString(s.substr(from)) : WideString();
}

void TWideStrings::SetValue(const WideString& Name, const WideString& Value) {
    int i = IndexOfName(Name);
    if (Value.Length() > 0) {
        if (i < 0) i = Add(WideString());
        Put(i, Name + WideString(u"=") + Value);
    } else if (i >= 0) {
        Delete(i);
    }
}

int TWideStrings::IndexOfObject(TObject* AObject) const {
    for (int i = 0; i < GetCount(); ++i)
        if (GetObject(i) == AObject) return i;
    return -1;
}

void TWideStrings::SetAnsiStrings(const TStrings& Value) {
    ansiStrings_->Assign(Value);
}

void TWideStrings::Assign(TPersistent* Source) {
    if (auto* w = dynamic_cast<TWideStrings*>(Source)) {
        if (w == this) return;
        Update bracket(*this);
        Clear();
        AddStrings(*w);
        return;
    }
    TPersistent::Assign(Source);
}

void TWideStrings::Assign(const TStrings& Source) {
    if (&Source == ansiStrings_.get()) return;
    Update bracket(*this);
    Clear();
    AddStrings(Source);
}

void TWideStrings::AssignTo(TStrings& Dest) const {
    if (&Dest == ansiStrings_.get()) return;
    Dest.BeginUpdate();
    try {
        Dest.Clear();
        for (int i = 0; i < GetCount(); ++i)
            Dest.AddObject(Get(i).ToAnsiString(), GetObject(i));
    } catch (...) {
        Dest.EndUpdate();
        throw;
    }
    Dest.EndUpdate();
}

void TWideStrings::AssignTo(TPersistent* Dest) {
    if (auto* w = dynamic_cast<TWideStrings*>(Dest)) {
        if (w == this) return;
        Update bracket(*w);
        w->Clear();
        w->AddStrings(*this);
        return;
    }
    TPersistent::AssignTo(Dest);
}
