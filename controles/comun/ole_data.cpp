#include "controles/comun/ole_data.h"

#include "plataforma/base/exceptions.h"
#include "plataforma/base/wide_string.h"
#include "plataforma/gui/kernel/messages.h"

#include <algorithm>
#include <cstring>

CLIPFORMAT RichTextFormat() {
    static const CLIPFORMAT f =
        static_cast<CLIPFORMAT>(RegisterClipboardFormat("Rich Text Format"));
    return f;
}

CLIPFORMAT GridColumnFormat() {
    static const CLIPFORMAT f = static_cast<CLIPFORMAT>(RegisterClipboardFormat("Grid Column"));
    return f;
}

// --- reading a dropped data object ---

TEnumFormats::TEnumFormats(IDataObject* DataObject, bool WithColumn)
    : files_(std::make_unique<TStringList>()), withColumn_(WithColumn) {
    RichTextFormat();
    if (WithColumn) GridColumnFormat();
    SetDataObject(DataObject);
}

TEnumFormats::~TEnumFormats() {
    ReleaseStgMedium(&medium_);
}

void TEnumFormats::SetDataObject(IDataObject* Value) {
    data_ = Value;
    enum_ = nullptr;
    if (data_) {
        IEnumFORMATETC* e = nullptr;
        if (data_->EnumFormatEtc(DATADIR_GET, &e) != S_OK || !e)
            throw EAssertionFailed("Cannot get the format enumerator");
        enum_ = _di_IEnumFORMATETC::Adopt(e);
    }
    Reset();
}

bool TEnumFormats::Reset() {
    valid_ = false;
    count_ = 0;
    return enum_ && enum_->Reset() == S_OK;
}

bool TEnumFormats::Next() {
    ++count_;
    ULONG fetched = 0;
    valid_ = enum_ && enum_->Next(1, &fe_, &fetched) == S_OK && fetched == 1;
    return valid_;
}

bool TEnumFormats::HasFormat(CLIPFORMAT Format) {
    if (!Reset()) return false;
    while (Next())
        if (fe_.cfFormat == Format) return true;
    return false;
}

HGLOBAL TEnumFormats::Handle(DWORD Tymed) {
    ReleaseStgMedium(&medium_);
    if (!valid_ || (fe_.tymed & Tymed) != Tymed) return nullptr;
    FORMATETC ask = fe_;
    ask.tymed = Tymed;
    if (data_->GetData(&ask, &medium_) != S_OK) {
        medium_ = STGMEDIUM{};
        return nullptr;
    }
    return medium_.tymed == TYMED_HGLOBAL ? medium_.hGlobal : nullptr;
}

bool TEnumFormats::Bytes(std::string& Out) {
    HGLOBAL h = GlobalHandle();
    const char* p = h ? static_cast<const char*>(GlobalLock(h)) : nullptr;
    if (!p) return false;
    Out.assign(p, GlobalSize(h));
    GlobalUnlock(h);
    return true;
}

int TEnumFormats::SomeInt(CLIPFORMAT Format) {
    std::string b;
    if (!HasFormat(Format) || !Bytes(b) || b.size() < sizeof(std::int32_t)) return -1;
    std::int32_t v;
    std::memcpy(&v, b.data(), sizeof v);
    return v;
}

AnsiString TEnumFormats::SomeText(CLIPFORMAT Format) {
    std::string b;
    if (!HasFormat(Format) || !Bytes(b)) return {};
    return AnsiString(b.substr(0, b.find('\0')));
}

bool TEnumFormats::WideText(WideString& Out) {
    std::string b;
    if (!HasFormat(CF_UNICODETEXT) || !Bytes(b)) return false;
    std::u16string w(b.size() / 2, u'\0');
    std::memcpy(w.data(), b.data(), w.size() * 2);
    w.resize(std::min(w.size(), w.find(u'\0')));
    Out = WideString(std::move(w));
    // The code page's text back to Unicode differs where a character had no byte.
    return !(WideString(Out.ToAnsiString()) == Out);
}

bool TEnumFormats::SomeFiles(TStrings* List) {
    List->Clear();
    std::string b;
    if (!Bytes(b)) return false;
    return ReadDropFiles(b, List);
}

bool ReadDropFiles(const std::string& Block, TStrings* List) {
    List->Clear();
    DROPFILES h;
    if (Block.size() < sizeof h) return false;
    std::memcpy(&h, Block.data(), sizeof h);
    size_t at = h.pFiles;
    const size_t unit = h.fWide ? 2 : 1;
    while (at < Block.size()) {
        // One name up to its zero character, which must lie inside the block.
        std::u16string wide;
        std::string narrow;
        bool ended = false;
        for (; at + unit <= Block.size(); at += unit) {
            char16_t c;
            if (unit == 2) {
                std::memcpy(&c, Block.data() + at, 2);
            } else {
                c = static_cast<unsigned char>(Block[at]);
                if (c) narrow += static_cast<char>(c);
            }
            if (c == 0) {
                at += unit;
                ended = true;
                break;
            }
            if (unit == 2) wide += c;
        }
        if (!ended) break;
        AnsiString name = unit == 2 ? AnsiString(WideString(wide)) : AnsiString(narrow);
        if (name.IsEmpty()) break;
        List->Add(name);
    }
    return List->GetCount() > 0;
}

// --- the data of a drag ---

HRESULT TSourceEnumFormatEtc::Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) {
    const CLIPFORMAT formats[] = {CF_TEXT, CF_UNICODETEXT, RichTextFormat(), GridColumnFormat()};
    ULONG n = 0;
    while (n < celt && position_ < Count() && rgelt) {
        FORMATETC& fe = rgelt[n++];
        fe = FORMATETC{};
        fe.cfFormat = formats[position_++];
    }
    if (pceltFetched) *pceltFetched = n;
    return n == celt ? S_OK : S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Skip(ULONG celt) {
    position_ += celt;
    if (position_ <= Count()) return S_OK;
    position_ = Count();
    return S_FALSE;
}

HRESULT TSourceEnumFormatEtc::Reset() {
    position_ = 0;
    return S_OK;
}

HRESULT TSourceEnumFormatEtc::Clone(IEnumFORMATETC** ppenum) {
    if (!ppenum) return E_INVALIDARG;
    *ppenum = new TSourceEnumFormatEtc(withColumn_, position_);
    (*ppenum)->AddRef();
    return S_OK;
}

HRESULT TSourceDataObject::QueryGetData(FORMATETC* pformatetc) {
    if (!pformatetc || pformatetc->dwAspect != DVASPECT_CONTENT ||
        pformatetc->tymed != TYMED_HGLOBAL)
        return DV_E_FORMATETC;
    const CLIPFORMAT f = pformatetc->cfFormat;
    // A column comes with empty text, so that a target that takes text but no columns
    // still lets it land (and a grid that takes it reads the column).
    if (column_ != -1)
        return f == GridColumnFormat() || f == CF_TEXT || f == CF_UNICODETEXT ? S_OK
                                                                              : DV_E_FORMATETC;
    if (text_.IsEmpty() && !offerEmpty_) return DV_E_FORMATETC;
    if (f == CF_TEXT || f == CF_UNICODETEXT) return S_OK;
    if (f == RichTextFormat() && rtfAware_) return S_OK;
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) {
    if (!pmedium) return E_INVALIDARG;
    *pmedium = STGMEDIUM{};
    if (QueryGetData(pformatetcIn) != S_OK) return DV_E_FORMATETC;
    const CLIPFORMAT f = pformatetcIn->cfFormat;
    std::string bytes;
    if (f == CF_TEXT) {
        bytes.assign(text_.c_str(), static_cast<size_t>(text_.Length()) + 1);
    } else if (f == CF_UNICODETEXT) {
        const WideString w = unicode_.IsEmpty() ? WideString(text_) : unicode_;
        bytes.assign(reinterpret_cast<const char*>(w.c_bstr()),
                     (static_cast<size_t>(w.Length()) + 1) * 2);
    } else if (f == GridColumnFormat()) {
        const std::int32_t c = column_;
        bytes.assign(reinterpret_cast<const char*>(&c), sizeof c);
    } else {
        bytes.assign(rtf_.c_str(), static_cast<size_t>(rtf_.Length()) + 1);
    }
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, bytes.size());
    if (!h) return DV_E_FORMATETC;
    std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
    GlobalUnlock(h);
    pmedium->tymed = TYMED_HGLOBAL;
    pmedium->hGlobal = h;
    return S_OK;
}

HRESULT TSourceDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) {
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pformatetcOut) {
    if (pformatetcOut) pformatetcOut->ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT TSourceDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) {
    return DV_E_FORMATETC;
}

HRESULT TSourceDataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) {
    if (!ppenumFormatEtc) return E_INVALIDARG;
    *ppenumFormatEtc = nullptr;
    if (dwDirection != DATADIR_GET) return E_NOTIMPL;
    *ppenumFormatEtc = new TSourceEnumFormatEtc(column_ != -1);
    (*ppenumFormatEtc)->AddRef();
    return S_OK;
}

HRESULT TSourceDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TSourceDataObject::DUnadvise(DWORD) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT TSourceDataObject::EnumDAdvise(IEnumSTATDATA** ppenumAdvise) {
    if (ppenumAdvise) *ppenumAdvise = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

// --- the source ---

HRESULT TOleDropSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) {
    HRESULT r = S_OK;
    if (fEscapePressed)
        r = DRAGDROP_S_CANCEL;
    else if (!(grfKeyState & MK_LBUTTON))
        r = DRAGDROP_S_DROP;
    QueryDrag();
    return r;
}

HRESULT TOleDropSource::GiveFeedback(DWORD dwEffect) {
    noDrop_ = dwEffect == DROPEFFECT_NONE;
    CurrentEffect(dwEffect);
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

HRESULT RunOleDrag(TOleDropSource* Source, IDataObject* Data, DWORD AllowedEffects, DWORD& Effect) {
    _di_IDataObject keep(Data);
    _di_IDropSource keepSource(Source);
    HRESULT r = DoDragDrop(Data, Source, AllowedEffects, &Effect);
    if (Source->GetNoDrop()) r = DRAGDROP_S_CANCEL;
    return r;
}
