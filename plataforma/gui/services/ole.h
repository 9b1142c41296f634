#pragma once
// Drag and drop between windows and programs, as OLE offers it: drop targets registered for
// windows, a drag run to its end by DoDragDrop, and data objects whose formats are the
// clipboard's (numbers, global memory blocks). Underneath it is the desktop's own drag and
// drop, so text, rich text and file lists move between this program and others; a drag that
// comes from anywhere is seen by a drop target as a data object, and what a data object
// offers reaches other programs in the clipboard's MIME types.

#include "plataforma/gui/kernel/messages.h"
#include "plataforma/gui/kernel/win_types.h"
#include "plataforma/gui/services/clipboard.h"

#include <cstdint>
#include <utility>

using ULONG = unsigned long;
using LONG = std::int32_t;
using CLIPFORMAT = WORD;

// A list of files (read only from drags: a DROPFILES block).
constexpr UINT CF_HDROP = 15;

constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001L);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000EL);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFL);
constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064L);
constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = static_cast<HRESULT>(0x80040003L);
constexpr HRESULT DRAGDROP_S_DROP = 0x40100;
constexpr HRESULT DRAGDROP_S_CANCEL = 0x40101;
constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x40102;
constexpr HRESULT DRAGDROP_E_NOTREGISTERED = static_cast<HRESULT>(0x80040100L);
constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = static_cast<HRESULT>(0x80040101L);
constexpr HRESULT DRAGDROP_E_INVALIDHWND = static_cast<HRESULT>(0x80040102L);

enum : DWORD {
    DROPEFFECT_NONE = 0,
    DROPEFFECT_COPY = 1,
    DROPEFFECT_MOVE = 2,
    DROPEFFECT_LINK = 4,
    DROPEFFECT_SCROLL = 0x80000000,
};
// Key state of a drag: the mouse-message flags (MK_LBUTTON...), and Alt.
constexpr DWORD MK_ALT = 0x20;

enum : DWORD { DVASPECT_CONTENT = 1 };
enum : DWORD { TYMED_NULL = 0, TYMED_HGLOBAL = 1, TYMED_FILE = 2, TYMED_ISTREAM = 4 };
enum : DWORD { DATADIR_GET = 1, DATADIR_SET = 2 };

struct POINTL {
    LONG x = 0;
    LONG y = 0;
};

struct DVTARGETDEVICE;
struct FORMATETC {
    CLIPFORMAT cfFormat = 0;
    DVTARGETDEVICE* ptd = nullptr;
    DWORD dwAspect = DVASPECT_CONTENT;
    LONG lindex = -1;
    DWORD tymed = TYMED_HGLOBAL;
};

class IUnknown;
struct STGMEDIUM {
    DWORD tymed = TYMED_NULL;
    HGLOBAL hGlobal = nullptr;
    IUnknown* pUnkForRelease = nullptr;
};
// Frees the medium's memory (unless a release object owns it) and clears it.
void ReleaseStgMedium(STGMEDIUM* pmedium);

// The header of a CF_HDROP block; the names follow at pFiles, each ending with a zero
// character, the list with an empty name; wide characters when fWide is set.
struct DROPFILES {
    DWORD pFiles = 0;
    LONG ptX = 0, ptY = 0;
    BOOL fNC = FALSE;
    BOOL fWide = FALSE;
};
static_assert(sizeof(DROPFILES) == 20);

// --- interfaces ---

class IUnknown {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IUnknown() = default;
};

class IEnumFORMATETC : public virtual IUnknown {
public:
    virtual HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) = 0;
    virtual HRESULT Skip(ULONG celt) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumFORMATETC** ppenum) = 0;
};

class IAdviseSink;
class IEnumSTATDATA;

class IDataObject : public virtual IUnknown {
public:
    virtual HRESULT GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) = 0;
    virtual HRESULT GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) = 0;
    virtual HRESULT QueryGetData(FORMATETC* pformatetc) = 0;
    virtual HRESULT GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut) = 0;
    virtual HRESULT SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) = 0;
    virtual HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) = 0;
    virtual HRESULT DAdvise(FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink,
                            DWORD* pdwConnection) = 0;
    virtual HRESULT DUnadvise(DWORD dwConnection) = 0;
    virtual HRESULT EnumDAdvise(IEnumSTATDATA** ppenumAdvise) = 0;
};

class IDropTarget : public virtual IUnknown {
public:
    virtual HRESULT DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                              DWORD* pdwEffect) = 0;
    virtual HRESULT DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) = 0;
};

class IDropSource : public virtual IUnknown {
public:
    virtual HRESULT QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) = 0;
    virtual HRESULT GiveFeedback(DWORD dwEffect) = 0;
};

// A reference-counted object: made with a count of 0, freed by the Release that brings the
// count back to 0.
class TInterfacedObject : public virtual IUnknown {
public:
    ULONG AddRef() override { return ++refCount_; }
    ULONG Release() override {
        const ULONG n = --refCount_;
        if (n == 0) delete this;
        return n;
    }
    ULONG GetRefCount() const { return refCount_; }

private:
    ULONG refCount_ = 0;
};

// A counted reference to an interface.
template <class T> class DelphiInterface {
public:
    DelphiInterface() = default;
    DelphiInterface(T* p) : p_(p) {
        if (p_) p_->AddRef();
    }
    DelphiInterface(const DelphiInterface& o) : DelphiInterface(o.p_) {}
    DelphiInterface(DelphiInterface&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    DelphiInterface& operator=(DelphiInterface o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~DelphiInterface() {
        if (p_) p_->Release();
    }
    // Takes over a reference already counted (an interface handed out by a call).
    static DelphiInterface Adopt(T* p) {
        DelphiInterface r;
        r.p_ = p;
        return r;
    }
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};
using _di_IDataObject = DelphiInterface<IDataObject>;
using _di_IEnumFORMATETC = DelphiInterface<IEnumFORMATETC>;
using _di_IDropTarget = DelphiInterface<IDropTarget>;
using _di_IDropSource = DelphiInterface<IDropSource>;

// --- the library ---

// Nothing to start underneath: S_OK the first time, S_FALSE when already started.
HRESULT OleInitialize(void* pvReserved);
void OleUninitialize();

// The window takes drags from now on: the target gets them (and a reference) until
// RevokeDragDrop or the window's end. DRAGDROP_E_INVALIDHWND for no window,
// DRAGDROP_E_ALREADYREGISTERED for a window that has a target, E_INVALIDARG for no target.
HRESULT RegisterDragDrop(HWND hwnd, IDropTarget* pDropTarget);
// DRAGDROP_E_NOTREGISTERED when the window has no target.
HRESULT RevokeDragDrop(HWND hwnd);

// Runs a drag of the data object until it ends: DRAGDROP_S_DROP with the effect the target
// gave, or DRAGDROP_S_CANCEL (effect none) when it ends without one: Escape, released over no
// target, refused, or cancelled by the source. The source is asked whether to go on as the
// pointer moves and keys change (QueryContinueDrag), and told the effect the target under the
// pointer would give (GiveFeedback). Only the data object's formats that it lists (TYMED_HGLOBAL)
// travel. E_INVALIDARG without a data object or a source.
HRESULT DoDragDrop(IDataObject* pDataObj, IDropSource* pDropSource, DWORD dwOKEffects,
                   DWORD* pdwEffect);
