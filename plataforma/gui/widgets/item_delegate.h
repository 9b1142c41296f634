#pragma once
// Inside the platform layer only: how the items of list boxes and combo boxes are drawn.
// Standard items look like the window system's (highlight, dotted focus frame, tab stops);
// owner-drawn ones are drawn by their control on its canvas, which is given an image of
// the item's rectangle for the time of the call.

#include "plataforma/gui/kernel/control_strings.h"
#include "plataforma/gui/widgets/owner_draw.h"

#include <QStyledItemDelegate>

#include <functional>
#include <vector>

class TCanvas;
class TWinControl;

// What the delegate asks of the control whose items it draws.
class ItemOwner {
public:
    virtual ~ItemOwner() = default;
    virtual bool OwnerDraws() const = 0;
    virtual int ItemHeightOf(int Index) const = 0;
    // The control's drawing of an owner-drawn item (its DrawItem), on the canvas.
    virtual void DrawOwnerItem(int Index, const TRect& Rect, TOwnerDrawState State) = 0;
    virtual TCanvas* ItemCanvas() = 0;
    // Tab stops in pixels for standard items; empty: tabs are not expanded.
    virtual std::vector<int> TabStopsPixels() const { return {}; }
    // Width of each row (the horizontal scroll extent); 0: the view's width.
    virtual int RowWidth() const { return 0; }
    virtual bool HasFocus() const = 0;
};

class ItemDelegate : public QStyledItemDelegate {
public:
    ItemDelegate(ItemOwner* owner, QObject* parent) : QStyledItemDelegate(parent), owner_(owner) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    ItemOwner* owner_;
};

// The owner's drawing of an item into a painter: the canvas draws on an image of the
// rectangle (client coordinates in, as the control's canvas expects), which is then copied.
void PaintOwnerItem(QPainter* Painter, const QRect& Rect, ItemOwner& Owner, int Index,
                    TOwnerDrawState State, const QColor& Background);

// An owner-drawn item of a list box or combo box: the canvas as the class library prepares
// it (the control's font and colour, the highlight for a selected item), then the control's
// DrawItem; with Index -1 (a combo's edit field without an item) the rectangle is only filled.
void DrawControlItem(TCanvas& Canvas, const TWinControl& Control, int Index, const TRect& Rect,
                     TOwnerDrawState State, const std::function<void()>& DrawItem);
// DrawItem without OnDrawItem: the item's text on the filled rectangle.
void DrawItemText(TCanvas& Canvas, const ListItems& Items, int Index, const TRect& Rect);
