#include "plataforma/gui/input/cursor_map.h"

#include <QApplication>
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
    if (Cursor == crDefault)
        Widget->unsetCursor();
    else
        Widget->setCursor(QtCursorOf(Cursor));
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
            w->setCursor(*reinterpret_cast<QCursor*>(hCursor));
        else
            w->setCursor(Qt::BlankCursor);
    }
    return previous;
}

HCURSOR GetCursor() {
    return actual;
}
