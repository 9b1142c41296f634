#pragma once
// Inside the platform layer only: the paint event being handled, for the default painting
// of WM_ERASEBKGND, WM_PAINT and WM_NCPAINT and for the canvas of the control being painted.

#include <QPaintEvent>
#include <QWidget>

struct PaintContext {
    PaintContext(QWidget* w, QPaintEvent* e);
    ~PaintContext();
    PaintContext(const PaintContext&) = delete;
    PaintContext& operator=(const PaintContext&) = delete;

    QWidget* widget;
    QPaintEvent* event;
    PaintContext* previous;
};

// The innermost paint event of a widget, or nullptr outside its paint event.
PaintContext* CurrentPaint(const QWidget* w);
