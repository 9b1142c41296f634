#include "plataforma/gui/widgets/item_delegate.h"

#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/canvas_device.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QTextOption>

#include <cstdlib>

void PaintOwnerItem(QPainter* Painter, const QRect& Rect, ItemOwner& Owner, int Index,
                    TOwnerDrawState State, const QColor& Background) {
    if (Rect.isEmpty()) return;
    QImage image(Rect.size(), QImage::Format_RGB32);
    image.fill(Background);
    TCanvas* canvas = Owner.ItemCanvas();
    CanvasDevice& device = canvas->Device();
    // The item's client coordinates land on the image: its corner is the image's origin.
    const DeviceState saved = device.state;
    device.SetTarget(&image);
    device.state.viewportOrg = -Rect.topLeft();
    device.state.windowOrg = QPoint();
    auto restore = [&] {
        device.ClearTarget();
        device.state.viewportOrg = saved.viewportOrg;
        device.state.windowOrg = saved.windowOrg;
        device.state.clip = saved.clip;
    };
    try {
        Owner.DrawOwnerItem(Index, FromQRect(Rect), State);
    } catch (...) {
        restore();
        throw;
    }
    restore();
    Painter->drawImage(Rect.topLeft(), image);
}

void DrawControlItem(TCanvas& Canvas, const TWinControl& Control, int Index, const TRect& Rect,
                     TOwnerDrawState State, const std::function<void()>& DrawItem) {
    Canvas.GetFont()->Assign(Control.GetFont());
    Canvas.GetBrush()->SetColor(Control.GetColor());
    if (Index >= 0 && State.Contains(odSelected)) {
        Canvas.GetBrush()->SetColor(clHighlight);
        Canvas.GetFont()->SetColor(clHighlightText);
    }
    if (Index >= 0)
        DrawItem();
    else
        Canvas.FillRect(Rect);
}

void DrawItemText(TCanvas& Canvas, const ListItems& Items, int Index, const TRect& Rect) {
    Canvas.FillRect(Rect);
    if (Index >= 0 && Index < Items.Count())
        Canvas.TextOut(Rect.Left + 2, Rect.Top, Items[Index].text);
}

void ItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    const bool focused = (option.state & QStyle::State_HasFocus) && owner_->HasFocus();
    const QRect r = option.rect;
    if (owner_->OwnerDraws()) {
        TOwnerDrawState state;
        if (selected) state << odSelected;
        if (focused) state << odFocused;
        if (!(option.state & QStyle::State_Enabled)) state << odDisabled;
        PaintOwnerItem(painter, r, *owner_, index.row(), state,
                       option.palette.color(QPalette::Base));
    } else {
        const QPalette::ColorGroup g =
            option.state & QStyle::State_Enabled ? QPalette::Active : QPalette::Disabled;
        painter->fillRect(r,
                          option.palette.color(g, selected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(
            option.palette.color(g, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(option.font);
        QTextOption to(Qt::AlignLeft | Qt::AlignTop);
        to.setWrapMode(QTextOption::NoWrap);
        std::vector<int> stops = owner_->TabStopsPixels();
        if (!stops.empty()) {
            // A negative stop aligns the text before it to its right.
            QList<QTextOption::Tab> tabs;
            for (int s : stops)
                tabs.append(QTextOption::Tab(std::abs(s),
                                             s < 0 ? QTextOption::RightTab : QTextOption::LeftTab));
            to.setTabs(tabs);
        }
        QRectF text = r.adjusted(2, 0, 0, 0);
        painter->drawText(text, index.data(Qt::DisplayRole).toString(), to);
    }
    if (focused) {
        // The dotted frame of the focused item.
        QPen pen(option.palette.color(QPalette::Active,
                                      selected ? QPalette::HighlightedText : QPalette::Text));
        pen.setStyle(Qt::DotLine);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(r.adjusted(0, 0, -1, -1));
    }
}

QSize ItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    int width = owner_->RowWidth();
    if (width <= 0 && option.widget) {
        if (auto* view = qobject_cast<const QAbstractItemView*>(option.widget))
            width = view->viewport()->width();
        else
            width = option.widget->width();
    }
    return QSize(width, owner_->ItemHeightOf(index.row()));
}
