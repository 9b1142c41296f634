#include "plataforma/gui/input/cursor_map.h"

#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/images/graphics_internal.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/messages.h"

#include <QApplication>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>

namespace {

std::map<TCursor, std::unique_ptr<QCursor>>& Registered() {
    static std::map<TCursor, std::unique_ptr<QCursor>> m;
    return m;
}

QPointer<QWidget> objetivo;
HCURSOR actual = nullptr;

// The handle a widget shows, kept beside its Qt cursor so that it can be read back.
constexpr const char* ShownProperty = "quenbarCursor";

void Show(QWidget* Widget, HCURSOR Handle) {
    if (Handle)
        Widget->setCursor(*reinterpret_cast<QCursor*>(Handle));
    else
        Widget->unsetCursor();
    Widget->setProperty(ShownProperty, QVariant::fromValue(reinterpret_cast<quintptr>(Handle)));
}

struct CursorResource {
    TCursorResourcePainter painter;
    std::unique_ptr<QCursor> drawn;
};

std::map<int, CursorResource>& Resources() {
    static std::map<int, CursorResource> m;
    return m;
}

QCursor Draw(const TCursorResourcePainter& Painter) {
    TBitmap bitmap;
    const TPoint hot = Painter(&bitmap);
    if (bitmap.GetEmpty()) return QCursor(Qt::ArrowCursor);
    QImage image = GraphicAccess::Pixels(&bitmap).convertToFormat(QImage::Format_ARGB32);
    // The fuchsia ground is see-through.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == 0xFF00FF) image.setPixel(x, y, 0);
    return QCursor(QPixmap::fromImage(image), hot.x, hot.y);
}

Qt::CursorShape StockShape(TCursor c) {
    switch (c) {
    case crNone:
        return Qt::BlankCursor;
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crSizeNESW:
        return Qt::SizeBDiagCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeNWSE:
        return Qt::SizeFDiagCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crUpArrow:
        return Qt::UpArrowCursor;
    case crHourGlass:
        return Qt::WaitCursor;
    case crDrag:
        return Qt::DragCopyCursor;
    case crNoDrop:
        return Qt::ForbiddenCursor;
    case crHSplit:
        return Qt::SplitHCursor;
    case crVSplit:
        return Qt::SplitVCursor;
    case crMultiDrag:
        return Qt::DragCopyCursor;
    case crSQLWait:
        return Qt::WaitCursor;
    case crNo:
        return Qt::ForbiddenCursor;
    case crAppStart:
        return Qt::BusyCursor;
    case crHelp:
        return Qt::WhatsThisCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    case crSizeAll:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

QCursor QtCursorOf(TCursor Cursor) {
    auto it = Registered().find(Cursor);
    if (it != Registered().end()) return *it->second;
    return QCursor(StockShape(Cursor));
}

void ApplyCursorToWidget(QWidget* Widget, TCursor Cursor) {
    if (!Widget) return;
    Show(Widget, Cursor == crDefault ? nullptr : CursorHandle(Cursor));
}

HCURSOR ShownCursorOf(QWidget* Widget) {
    if (!Widget) return nullptr;
    return reinterpret_cast<HCURSOR>(Widget->property(ShownProperty).value<quintptr>());
}

HCURSOR CursorHandle(TCursor Cursor) {
    auto& m = Registered();
    auto it = m.find(Cursor);
    if (it == m.end()) it = m.emplace(Cursor, std::make_unique<QCursor>(StockShape(Cursor))).first;
    return reinterpret_cast<HCURSOR>(it->second.get());
}

void RegisterCursorHandle(TCursor Cursor, const QCursor& Shape) {
    auto& slot = Registered()[Cursor];
    if (slot)
        *slot = Shape;
    else
        slot = std::make_unique<QCursor>(Shape);
}

void SetCursorTarget(QWidget* Widget) {
    objetivo = Widget;
}

HCURSOR SetCursor(HCURSOR hCursor) {
    HCURSOR previous = actual;
    actual = hCursor;
    QWidget* w = objetivo;
    if (!w && QCoreApplication::instance()) w = QApplication::widgetAt(QCursor::pos());
    if (w) {
        if (hCursor)
            Show(w, hCursor);
        else
            w->setCursor(Qt::BlankCursor);
    }
    return previous;
}

HCURSOR GetCursor() {
    return actual;
}

void RefreshCursor(TWinControl* Control) {
    if (!Control || !Control->HandleAllocated() || !Control->GetWidget()) return;
    QPointer<QWidget> before = objetivo;
    objetivo = Control->GetWidget();
    Control->Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(Control->GetHandle()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    objetivo = before;
}

void RegisterCursorResource(int Id, TCursorResourcePainter Painter) {
    CursorResource& r = Resources()[Id];
    r.painter = std::move(Painter);
    // A cursor already handed out keeps its handle and takes the new picture.
    if (r.drawn) *r.drawn = Draw(r.painter);
}

HCURSOR LoadCursor(HINSTANCE, int Id) {
    auto it = Resources().find(Id);
    if (it == Resources().end() || !it->second.painter) return nullptr;
    CursorResource& r = it->second;
    if (!r.drawn) r.drawn = std::make_unique<QCursor>(Draw(r.painter));
    return reinterpret_cast<HCURSOR>(r.drawn.get());
}
