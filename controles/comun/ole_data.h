#pragma once
// What the grid's and the edit's drag and drop share: reading what a dropped data object
// holds (text, rich text, a file list, a grid column), the data object that a drag of text
// or of a grid column offers with its list of formats, and the drop source's answers.

#include "plataforma/base/small_set.h"
#include "plataforma/base/string_list.h"
#include "plataforma/base/wide_string.h"
#include "plataforma/gui/services/ole.h"

#include <memory>

enum TDropFormat { dfText, dfFile, dfCol, dfRTF };
using TDropFormats = SmallSet<TDropFormat>;

// The registered formats "Rich Text Format" and "Grid Column" (registered on first use).
CLIPFORMAT RichTextFormat();
CLIPFORMAT GridColumnFormat();

// Reads an incoming data object for one callback. Every read is bounded by the size of the
// memory the object gives: a missing format, data that cannot be fetched or a malformed block
// reads as empty text, -1 or an empty file list.
class TEnumFormats {
public:
    // WithColumn: the grid's reading, which knows the column format.
    TEnumFormats(IDataObject* DataObject, bool WithColumn);
    ~TEnumFormats();
    TEnumFormats(const TEnumFormats&) = delete;
    TEnumFormats& operator=(const TEnumFormats&) = delete;

    // Takes the object and resets; an object that cannot list its formats raises
    // EAssertionFailed "Cannot get the format enumerator".
    void SetDataObject(IDataObject* Value);
    bool Reset();
    bool Next();
    bool HasFormat(CLIPFORMAT Format);
    // The memory of the current format in those medium kinds; nullptr when not valid, not
    // offered in them, or refused. Valid until the next call or the end of this object.
    HGLOBAL Handle(DWORD Tymed);
    HGLOBAL GlobalHandle() { return Handle(TYMED_HGLOBAL); }
    int SomeInt(CLIPFORMAT Format);
    AnsiString SomeText(CLIPFORMAT Format);
    // The Unicode text, when the data offers one with characters that the code page lacks
    // (its 8-bit text has them as '?'); false otherwise.
    bool WideText(WideString& Out);
    // The names of the current DROPFILES block (the caller found CF_HDROP just before).
    bool SomeFiles(TStrings* List);

    bool HasText() { return HasFormat(CF_TEXT); }
    bool HasFile() { return HasFormat(CF_HDROP); }
    bool HasRTF() { return HasFormat(RichTextFormat()); }
    bool HasCol() { return withColumn_ && HasFormat(GridColumnFormat()); }
    AnsiString Text() { return SomeText(CF_TEXT); }
    AnsiString RTF() { return SomeText(RichTextFormat()); }
    int Col() { return withColumn_ ? SomeInt(GridColumnFormat()) : -1; }
    TStringList* Files() const { return files_.get(); }

    DWORD GetAspect() const { return fe_.dwAspect; }
    void SetAspect(DWORD Value) { fe_.dwAspect = Value; }
    CLIPFORMAT GetcfFormat() const { return fe_.cfFormat; }
    void SetcfFormat(CLIPFORMAT Value) { fe_.cfFormat = Value; }
    LONG GetlIndex() const { return fe_.lindex; }
    void SetlIndex(LONG Value) { fe_.lindex = Value; }
    DWORD GetTymed() const { return fe_.tymed; }
    void SetTymed(DWORD Value) { fe_.tymed = Value; }

private:
    // The bytes of the current format's memory; false when there are none.
    bool Bytes(std::string& Out);

    _di_IDataObject data_;
    _di_IEnumFORMATETC enum_;
    FORMATETC fe_;
    bool valid_ = false;
    int count_ = 0;
    std::unique_ptr<TStringList> files_;
    STGMEDIUM medium_;
    bool withColumn_;
};

// The names of a DROPFILES block, in order, up to its empty name; a name that runs past the
// block's end ends the list. False for a block too short for its header.
bool ReadDropFiles(const std::string& Block, TStrings* List);

// The formats a drag of this program offers: CF_TEXT, CF_UNICODETEXT, the rich-text format and,
// with a column, the column format; every entry TYMED_HGLOBAL of the content.
class TSourceEnumFormatEtc : public TInterfacedObject, public IEnumFORMATETC {
public:
    explicit TSourceEnumFormatEtc(bool WithColumn, ULONG Position = 0)
        : withColumn_(WithColumn), position_(Position) {}
    HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override;
    HRESULT Skip(ULONG celt) override;
    HRESULT Reset() override;
    HRESULT Clone(IEnumFORMATETC** ppenum) override;
    ULONG GetPosition() const { return position_; }

private:
    ULONG Count() const { return withColumn_ ? 4 : 3; }
    bool withColumn_;
    ULONG position_;
};

// The data of a drag of this program: a text (with its rich text) or a grid column (-1: none)
// with an empty text. RTFAware: rich text is offered; OfferEmpty: an empty text is offered
// too (the edit's). Unicode: the text with the characters that the 8-bit text lacks, offered
// as the Unicode text (empty: the 8-bit text widened).
class TSourceDataObject : public TInterfacedObject, public IDataObject {
public:
    TSourceDataObject(const AnsiString& Text, const AnsiString& RTF, int Column, bool RTFAware,
                      bool OfferEmpty, const WideString& Unicode = WideString())
        : text_(Text), rtf_(RTF), unicode_(Unicode), column_(Column), rtfAware_(RTFAware),
          offerEmpty_(OfferEmpty) {}

    HRESULT GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) override;
    HRESULT GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) override;
    HRESULT QueryGetData(FORMATETC* pformatetc) override;
    HRESULT GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut) override;
    HRESULT SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) override;
    HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override;
    HRESULT DAdvise(FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink,
                    DWORD* pdwConnection) override;
    HRESULT DUnadvise(DWORD dwConnection) override;
    HRESULT EnumDAdvise(IEnumSTATDATA** ppenumAdvise) override;

private:
    AnsiString text_, rtf_;
    WideString unicode_;
    int column_;
    bool rtfAware_, offerEmpty_;
};

// The drop source's answers: cancel on Escape, drop when the left button is up; the last
// feedback without effect marks the drag as going nowhere (no-drop). The hooks do nothing.
class TOleDropSource : public TInterfacedObject, public IDropSource {
public:
    HRESULT QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override;
    HRESULT GiveFeedback(DWORD dwEffect) override;
    bool GetNoDrop() const { return noDrop_; }

protected:
    virtual void CurrentEffect(DWORD Effect) { (void)Effect; }
    virtual void QueryDrag() {}

private:
    bool noDrop_ = false;
};

// Runs a drag of the data object from the source; DRAGDROP_S_CANCEL instead of the result
// when the source's last feedback had no effect.
HRESULT RunOleDrag(TOleDropSource* Source, IDataObject* Data, DWORD AllowedEffects, DWORD& Effect);
