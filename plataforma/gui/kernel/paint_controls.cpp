// TWinControl::PaintControls: the windowless children drawn into another device context.

#include "plataforma/gui/kernel/controls.h"

#include "plataforma/gui/painting/canvas_device.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

void TWinControl::PaintControls(HDC DC, TControl* First) {
    CanvasDevice* dev = CanvasDevice::FromHandle(DC);
    if (!dev) return;
    bool started = First == nullptr;
    for (TControl* c : controls_) {
        if (c == First) started = true;
        if (!started || !c->GetVisible()) continue;
        QWidget* w = c->GetWidget();
        if (!w || c->GetWidth() <= 0 || c->GetHeight() <= 0) continue;
        // The child paints itself (through its own messages) into an image, which is then
        // laid over the context where the child stands.
        QImage image(c->GetWidth(), c->GetHeight(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        w->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        QPainter p;
        if (!dev->Begin(p)) continue;
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        const TPoint scroll = ChildScrollOffset();
        p.drawImage(QPoint(c->GetLeft() - scroll.x, c->GetTop() - scroll.y), image);
    }
}
