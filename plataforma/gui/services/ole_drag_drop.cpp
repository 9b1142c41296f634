// Drag and drop on the window system's drags: a registered window's drag events go to its
// drop target, a data object's formats become MIME data for QDrag, and MIME data is seen as a
// data object.

#include "plataforma/gui/services/drag_runner.h"
#include "plataforma/gui/services/mime_formats.h"
#include "plataforma/gui/services/ole.h"

#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/input/mouse_state.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/dispatch_frame.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstring>
#include <map>
#include <memory>
#include <vector>

// --- the library ---

namespace {
int oleStarts = 0;
} // namespace

HRESULT OleInitialize(void*) {
    return oleStarts++ == 0 ? S_OK : S_FALSE;
}

void OleUninitialize() {
    if (oleStarts > 0) --oleStarts;
}

void ReleaseStgMedium(STGMEDIUM* pmedium) {
    if (!pmedium) return;
    if (pmedium->pUnkForRelease)
        pmedium->pUnkForRelease->Release();
    else if (pmedium->tymed == TYMED_HGLOBAL && pmedium->hGlobal)
        GlobalFree(pmedium->hGlobal);
    *pmedium = STGMEDIUM{};
}

// --- effects, actions, keys ---

Qt::DropActions ActionsOfEffects(DWORD Effects) {
    Qt::DropActions a;
    if (Effects & DROPEFFECT_COPY) a |= Qt::CopyAction;
    if (Effects & DROPEFFECT_MOVE) a |= Qt::MoveAction;
    if (Effects & DROPEFFECT_LINK) a |= Qt::LinkAction;
    return a;
}

Qt::DropAction ActionOfEffect(DWORD Effect) {
    if (Effect & DROPEFFECT_MOVE) return Qt::MoveAction;
    if (Effect & DROPEFFECT_COPY) return Qt::CopyAction;
    if (Effect & DROPEFFECT_LINK) return Qt::LinkAction;
    return Qt::IgnoreAction;
}

DWORD EffectOfAction(Qt::DropAction Action) {
    switch (Action) {
    case Qt::MoveAction:
    case Qt::TargetMoveAction:
        return DROPEFFECT_MOVE;
    case Qt::CopyAction:
        return DROPEFFECT_COPY;
    case Qt::LinkAction:
        return DROPEFFECT_LINK;
    default:
        return DROPEFFECT_NONE;
    }
}

DWORD DragKeyState(Qt::MouseButtons Buttons, Qt::KeyboardModifiers Modifiers) {
    DWORD k = 0;
    if (Buttons & Qt::LeftButton) k |= MK_LBUTTON;
    if (Buttons & Qt::RightButton) k |= MK_RBUTTON;
    if (Buttons & Qt::MiddleButton) k |= MK_MBUTTON;
    if (Modifiers & Qt::ShiftModifier) k |= MK_SHIFT;
    if (Modifiers & Qt::ControlModifier) k |= MK_CONTROL;
    if (Modifiers & Qt::AltModifier) k |= MK_ALT;
    return k;
}

// --- MIME data seen as a data object ---

namespace {

// The formats of a list, one after another.
class FormatListEnum : public TInterfacedObject, public IEnumFORMATETC {
public:
    FormatListEnum(std::vector<FORMATETC> formats, ULONG position)
        : formats_(std::move(formats)), position_(position) {}

    HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override {
        ULONG n = 0;
        while (n < celt && position_ < formats_.size() && rgelt)
            rgelt[n++] = formats_[position_++];
        if (pceltFetched) *pceltFetched = n;
        return n == celt ? S_OK : S_FALSE;
    }
    HRESULT Skip(ULONG celt) override {
        position_ += celt;
        if (position_ <= formats_.size()) return S_OK;
        position_ = formats_.size();
        return S_FALSE;
    }
    HRESULT Reset() override {
        position_ = 0;
        return S_OK;
    }
    HRESULT Clone(IEnumFORMATETC** ppenum) override {
        if (!ppenum) return E_INVALIDARG;
        *ppenum = new FormatListEnum(formats_, position_);
        (*ppenum)->AddRef();
        return S_OK;
    }

private:
    std::vector<FORMATETC> formats_;
    ULONG position_;
};

class MimeDataObject : public TInterfacedObject, public IDataObject {
public:
    explicit MimeDataObject(const QMimeData* data) : data_(const_cast<QMimeData*>(data)) {}

    HRESULT GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) override {
        if (!pmedium) return E_INVALIDARG;
        *pmedium = STGMEDIUM{};
        std::string bytes;
        if (!Readable(pformatetcIn) || !ReadMimeFormat(data_, pformatetcIn->cfFormat, bytes) ||
            bytes.size() > kMaxDragBytes)
            return DV_E_FORMATETC;
        // The text formats end with a zero character, as the clipboard gives them.
        if (pformatetcIn->cfFormat == CF_TEXT) bytes += '\0';
        if (pformatetcIn->cfFormat == CF_UNICODETEXT) bytes.append(2, '\0');
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, bytes.size());
        if (!h) return E_OUTOFMEMORY;
        if (!bytes.empty()) std::memcpy(GlobalLock(h), bytes.data(), bytes.size());
        GlobalUnlock(h);
        pmedium->tymed = TYMED_HGLOBAL;
        pmedium->hGlobal = h;
        return S_OK;
    }
    HRESULT GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
    HRESULT QueryGetData(FORMATETC* pformatetc) override {
        std::string bytes;
        return Readable(pformatetc) && ReadMimeFormat(data_, pformatetc->cfFormat, bytes) &&
                       bytes.size() <= kMaxDragBytes
                   ? S_OK
                   : DV_E_FORMATETC;
    }
    HRESULT GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pformatetcOut) override {
        if (pformatetcOut) pformatetcOut->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override {
        if (!ppenumFormatEtc) return E_INVALIDARG;
        *ppenumFormatEtc = nullptr;
        if (dwDirection != DATADIR_GET) return E_NOTIMPL;
        std::vector<FORMATETC> formats;
        if (data_)
            for (UINT f : MimeFormats(data_)) {
                FORMATETC fe;
                fe.cfFormat = static_cast<CLIPFORMAT>(f);
                formats.push_back(fe);
            }
        *ppenumFormatEtc = new FormatListEnum(std::move(formats), 0);
        (*ppenumFormatEtc)->AddRef();
        return S_OK;
    }
    HRESULT DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT EnumDAdvise(IEnumSTATDATA** ppenumAdvise) override {
        if (ppenumAdvise) *ppenumAdvise = nullptr;
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    bool Readable(const FORMATETC* f) const {
        return data_ && f && f->dwAspect == DVASPECT_CONTENT && (f->tymed & TYMED_HGLOBAL);
    }

    QPointer<QMimeData> data_;
};

} // namespace

IDataObject* NewMimeDataObject(const QMimeData* Data) {
    return new MimeDataObject(Data);
}

// --- registered windows ---

namespace {

// The drop target of one window, fed by the window's drag events.
class DropSite : public QObject {
public:
    DropSite(QWidget* widget, HWND hwnd, IDropTarget* target)
        : QObject(widget), widget_(widget), hwnd_(hwnd), target_(target) {
        widget->setAcceptDrops(true);
        widget->installEventFilter(this);
    }
    ~DropSite() override;

    HWND Handle() const { return hwnd_; }

    void Revoke() {
        widget_->removeEventFilter(this);
        widget_->setAcceptDrops(false);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != widget_) return false;
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            Deliver(static_cast<QDropEvent*>(event));
            return true;
        case QEvent::DragLeave:
            Guarded([&] { target_->DragLeave(); });
            return true;
        default:
            return false;
        }
    }

private:
    template <class F> void Guarded(F&& f) {
        // The target (and the window) must outlive the call, whatever the call does.
        _di_IDropTarget keep = target_;
        TWinControl* control = FindControl(hwnd_);
        GuardedEntry(control, std::forward<F>(f));
    }

    void Deliver(QDropEvent* e) {
        const QPoint global = widget_->mapToGlobal(e->position().toPoint());
        POINTL pt;
        pt.x = global.x();
        pt.y = global.y();
        const DWORD keys = DragKeyState(e->buttons(), e->modifiers());
        // The pointer is where the drag is: the window system sends no mouse moves meanwhile.
        NoteCursorPos(FromQPoint(global));
        DWORD effect = DROPEFFECT_NONE;
        bool done = false;
        Guarded([&] {
            effect = static_cast<DWORD>(EffectsOf(e));
            if (e->type() == QEvent::DragMove) {
                target_->DragOver(keys, pt, &effect);
            } else {
                _di_IDataObject data(NewMimeDataObject(e->mimeData()));
                if (e->type() == QEvent::DragEnter)
                    target_->DragEnter(data.get(), keys, pt, &effect);
                else
                    target_->Drop(data.get(), keys, pt, &effect);
            }
            done = true;
        });
        const Qt::DropAction action = done ? ActionOfEffect(effect) : Qt::IgnoreAction;
        if (action == Qt::IgnoreAction) {
            e->setDropAction(Qt::IgnoreAction);
            e->ignore();
        } else {
            e->setDropAction(action);
            e->accept();
        }
    }

    static DWORD EffectsOf(const QDropEvent* e) {
        DWORD d = DROPEFFECT_NONE;
        if (e->possibleActions() & Qt::CopyAction) d |= DROPEFFECT_COPY;
        if (e->possibleActions() & Qt::MoveAction) d |= DROPEFFECT_MOVE;
        if (e->possibleActions() & Qt::LinkAction) d |= DROPEFFECT_LINK;
        return d;
    }

    QWidget* widget_;
    HWND hwnd_;
    _di_IDropTarget target_;
};

std::map<HWND, DropSite*>& Sites() {
    static std::map<HWND, DropSite*> sites;
    return sites;
}

DropSite::~DropSite() {
    auto it = Sites().find(hwnd_);
    if (it != Sites().end() && it->second == this) Sites().erase(it);
}

} // namespace

HRESULT RegisterDragDrop(HWND hwnd, IDropTarget* pDropTarget) {
    TWinControl* control = hwnd ? FindControl(hwnd) : nullptr;
    QWidget* widget = control ? control->GetWidget() : nullptr;
    if (!widget) return DRAGDROP_E_INVALIDHWND;
    if (!pDropTarget) return E_INVALIDARG;
    if (Sites().count(hwnd)) return DRAGDROP_E_ALREADYREGISTERED;
    Sites()[hwnd] = new DropSite(widget, hwnd, pDropTarget);
    return S_OK;
}

HRESULT RevokeDragDrop(HWND hwnd) {
    auto it = Sites().find(hwnd);
    if (it == Sites().end()) return DRAGDROP_E_NOTREGISTERED;
    DropSite* site = it->second;
    Sites().erase(it);
    site->Revoke();
    delete site;
    return S_OK;
}

// --- a drag ---

namespace {

DragRunner& Runner() {
    static DragRunner runner;
    return runner;
}

// The data object's formats as MIME data.
std::unique_ptr<QMimeData> MimeOf(IDataObject* data) {
    auto mime = std::make_unique<QMimeData>();
    IEnumFORMATETC* raw = nullptr;
    if (data->EnumFormatEtc(DATADIR_GET, &raw) != S_OK || !raw) return mime;
    _di_IEnumFORMATETC formats = _di_IEnumFORMATETC::Adopt(raw);
    FORMATETC fe;
    ULONG fetched = 0;
    while (formats->Next(1, &fe, &fetched) == S_OK && fetched == 1) {
        if (fe.cfFormat == 0 || !(fe.tymed & TYMED_HGLOBAL)) continue;
        FORMATETC ask = fe;
        ask.tymed = TYMED_HGLOBAL;
        STGMEDIUM medium;
        if (data->GetData(&ask, &medium) != S_OK) continue;
        if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
            const char* p = static_cast<const char*>(GlobalLock(medium.hGlobal));
            if (p)
                WriteMimeFormat(mime.get(), fe.cfFormat,
                                std::string(p, GlobalSize(medium.hGlobal)));
            GlobalUnlock(medium.hGlobal);
        }
        ReleaseStgMedium(&medium);
    }
    // Other programs take text with LF line ends, as from the clipboard (the Unicode text,
    // written last, keeps the source's CR LF).
    if (mime->hasText()) {
        QString text = mime->text();
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        mime->setText(text);
    }
    return mime;
}

// Asks the source whether to go on at each pointer move and key of a window-system drag; a
// source that says cancel ends the drag.
class SourceWatch : public QObject {
public:
    SourceWatch(IDropSource* source, bool& cancelled) : source_(source), cancelled_(cancelled) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        DWORD keys = 0;
        BOOL escape = FALSE;
        switch (event->type()) {
        case QEvent::MouseMove: {
            auto* me = static_cast<QMouseEvent*>(event);
            keys = DragKeyState(me->buttons() | Qt::LeftButton, me->modifiers());
            break;
        }
        case QEvent::KeyPress: {
            auto* ke = static_cast<QKeyEvent*>(event);
            escape = ke->key() == Qt::Key_Escape;
            keys = DragKeyState(Qt::LeftButton, ke->modifiers());
            break;
        }
        default:
            return false;
        }
        HRESULT r = S_OK;
        GuardedEntry(nullptr, [&] { r = source_->QueryContinueDrag(escape, keys); });
        if (r == DRAGDROP_S_CANCEL && !escape) {
            cancelled_ = true;
            QDrag::cancel();
        }
        return false;
    }

private:
    IDropSource* source_;
    bool& cancelled_;
};

HRESULT SystemDrag(std::unique_ptr<QMimeData> mime, Qt::DropActions allowed, IDropSource* source,
                   DWORD* effect) {
    QObject* origin = QWidget::mouseGrabber();
    if (!origin) origin = QApplication::instance();
    QPointer<QDrag> drag = new QDrag(origin);
    drag->setMimeData(mime.release());
    QObject::connect(drag.data(), &QDrag::actionChanged, drag.data(), [source](Qt::DropAction a) {
        GuardedEntry(nullptr, [&] { source->GiveFeedback(EffectOfAction(a)); });
    });
    bool cancelled = false;
    SourceWatch watch(source, cancelled);
    // Installed once the drag's own loop runs, so that it sees the events before the drag.
    QTimer::singleShot(0, &watch,
                       [&watch] { QApplication::instance()->installEventFilter(&watch); });
    const Qt::DropAction action =
        drag->exec(allowed, allowed & Qt::MoveAction ? Qt::MoveAction : Qt::CopyAction);
    QApplication::instance()->removeEventFilter(&watch);
    // The drag took the button's release: nobody holds the mouse any more.
    ReleaseCapture();
    if (cancelled || action == Qt::IgnoreAction) {
        *effect = DROPEFFECT_NONE;
        return DRAGDROP_S_CANCEL;
    }
    *effect = EffectOfAction(action);
    return DRAGDROP_S_DROP;
}

} // namespace

void SetDragRunner(DragRunner Runner_) {
    Runner() = std::move(Runner_);
}

HRESULT DoDragDrop(IDataObject* pDataObj, IDropSource* pDropSource, DWORD dwOKEffects,
                   DWORD* pdwEffect) {
    DWORD ignored = DROPEFFECT_NONE;
    DWORD* effect = pdwEffect ? pdwEffect : &ignored;
    *effect = DROPEFFECT_NONE;
    if (!pDataObj || !pDropSource) return E_INVALIDARG;
    EnsureQtApplication();
    _di_IDataObject keepData = pDataObj;
    _di_IDropSource keepSource = pDropSource;
    std::unique_ptr<QMimeData> mime = MimeOf(pDataObj);
    const Qt::DropActions allowed = ActionsOfEffects(dwOKEffects);
    if (Runner()) {
        DragRunner run = Runner();
        return run(mime.get(), allowed, pDropSource, effect);
    }
    return SystemDrag(std::move(mime), allowed, pDropSource, effect);
}
