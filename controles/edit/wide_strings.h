#pragma once
// TWideStrings: a list of UTF-16 strings with an object each, with the contract of the
// 8-bit TStrings: a subclass keeps the strings (Get, GetCount, Insert, Delete, Clear and,
// when it keeps objects, GetObject and PutObject) and inherits the rest: adding, moving,
// text with line breaks, comma text, name=value pairs, searches without regard to case in
// the list's language, and its storage in a component image (property "WideStrings").
// TAnsiStringsForWideStrings: an 8-bit TStrings view of such a list, so that code written
// for 8-bit lists reads and fills it.

#include "plataforma/base/component.h"
#include "plataforma/base/locale_compare.h"
#include "plataforma/base/string_list.h"
#include "plataforma/base/wide_string.h"

#include <memory>

class TWideStrings;

class TAnsiStringsForWideStrings : public TStrings {
public:
    explicit TAnsiStringsForWideStrings(TWideStrings* Owner) : wideStrings_(Owner) {}
    TWideStrings* GetWideStrings() const { return wideStrings_; }

    int GetCount() const override;
    AnsiString GetStrings(int Index) const override;
    TObject* GetObjects(int Index) const override;
    void SetObjects(int Index, TObject* AObject) override;
    void Insert(int Index, const AnsiString& S) override;
    void Delete(int Index) override;
    void Clear() override;

private:
    TWideStrings* wideStrings_;
};

class TWideStrings : public TPersistent {
public:
    TWideStrings();
    ~TWideStrings() override;

    // --- storage, kept by the subclass ---
    virtual WideString Get(int Index) const = 0;
    virtual int GetCount() const = 0;
    virtual void Insert(int Index, const WideString& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    // nullptr unless the subclass keeps objects.
    virtual TObject* GetObject(int Index) const;
    virtual void PutObject(int Index, TObject* AObject);
    virtual int GetCapacity() const { return GetCount(); }
    virtual void SetCapacity(int NewCapacity);
    // Called with true when the outermost BeginUpdate opens, false when it closes.
    virtual void SetUpdateState(bool Updating);

    // --- built on the storage ---
    // Keeps the object: Delete, then InsertObject at the same index.
    virtual void Put(int Index, const WideString& S);
    // Every string followed by CR LF, the last one too.
    virtual WideString GetTextStr() const;
    // One string per line; lines end at CR, LF, CR LF, VT, FF, U+2028 and U+2029.
    virtual void SetTextStr(const WideString& Value);
    virtual int Add(const WideString& S);
    virtual int AddObject(const WideString& S, TObject* AObject);
    virtual void AddStrings(const TStrings& Strings);
    virtual void AddStrings(const TWideStrings& Strings);
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);
    // The first index whose string equals S without regard to case in the list's language;
    // -1 if none.
    virtual int IndexOf(const WideString& S) const;
    // A copy of the text that the caller keeps.
    virtual WideString GetText() const { return GetTextStr(); }
    virtual void SetText(const char16_t* Text);
    // The locale of the comparisons; the user's default at first.
    LCID GetLanguage() const { return language_; }
    virtual void SetLanguage(LCID Value) { language_ = Value; }

    void Append(const WideString& S) { Add(S); }
    void InsertObject(int Index, const WideString& S, TObject* AObject);
    void BeginUpdate();
    void EndUpdate();
    // Same count and the same strings, code unit for code unit.
    bool Equals(const TWideStrings& Strings) const;
    // Raises EStringListError with Msg, its "%d" replaced by Data.
    [[noreturn]] void Error(const AnsiString& Msg, int Data) const;
    WideString GetCommaText() const;
    void SetCommaText(const WideString& Value);
    // The part before the first "="; empty without one.
    WideString GetName(int Index) const;
    WideString GetValue(const WideString& Name) const;
    // An empty value deletes the entry; a new name is added at the end.
    void SetValue(const WideString& Name, const WideString& Value);
    int IndexOfName(const WideString& Name) const;
    int IndexOfObject(TObject* AObject) const;
    TStrings* GetAnsiStrings() const { return ansiStrings_.get(); }
    // This list becomes the 8-bit list's strings, converted.
    void SetAnsiStrings(const TStrings& Value);

    // From another wide list; anything else as the base class takes it.
    void Assign(TPersistent* Source) override;
    // From an 8-bit list: its strings converted, with their objects.
    void Assign(const TStrings& Source);
    // Into an 8-bit list: the strings converted, with their objects.
    void AssignTo(TStrings& Dest) const;

    // The value of the stored property: a list of wide texts. Reading replaces the strings;
    // items stored as 8-bit texts are taken as Windows-1252.
    void ReadData(TReader& Reader);
    void WriteData(TWriter& Writer) const;

protected:
    void AssignTo(TPersistent* Dest) override;
    // "WideStrings": written when the list differs from the ancestor's (an ancestor that is
    // no wide list always differs) and, without an ancestor, when it is not empty.
    void DefineProperties(TFiler* Filer) override;

private:
    std::unique_ptr<TAnsiStringsForWideStrings> ansiStrings_;
    int updateCount_ = 0;
    LCID language_;
};

// The comparison of the wide lists' searches, in the system's order for Locale without
// regard to case: 0 when S1 and S2 are equal, otherwise negative or positive as S1 sorts
// before or after S2.
int WideCompareFunc(const WideString& S1, const WideString& S2, LCID Locale);
