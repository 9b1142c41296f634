// TCustomListBox: items, the list requests, selection, notifications and owner drawing.

#include "plataforma/gui/widgets/list_box.h"

#include "plataforma/base/list.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/kernel/control_strings.h"
#include "plataforma/gui/kernel/hosted_widget.h"
#include "plataforma/gui/widgets/item_delegate.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <cstring>

namespace {

class ListWidget : public HostedScrollArea<QListWidget> {
public:
    using HostedScrollArea<QListWidget>::HostedScrollArea;
    // Qt lays the items out later; the geometry requests and painting need it now.
    void Layout() { executeDelayedItemsLayout(); }

protected:
    bool viewportEvent(QEvent* e) override {
        if (e->type() == QEvent::Paint) Layout();
        return HostedScrollArea<QListWidget>::viewportEvent(e);
    }
};

constexpr ControlStringMessages kListMessages{LB_GETCOUNT,        LB_GETTEXTLEN,   LB_GETTEXT,
                                              LB_GETITEMDATA,     LB_SETITEMDATA,  LB_ADDSTRING,
                                              LB_INSERTSTRING,    LB_DELETESTRING, LB_RESETCONTENT,
                                              LB_FINDSTRINGEXACT, LB_FINDSTRING};

// Tab stops every 32 dialog units unless the program sets them.
constexpr int kTabPorDefecto = 32;

QListWidget* WidgetOf(const TCustomListBox* c) {
    return static_cast<QListWidget*>(c->GetWidget());
}

// The widget with its items laid out, or nullptr.
QListWidget* LaidOut(const TCustomListBox* c) {
    auto* w = static_cast<ListWidget*>(c->GetWidget());
    if (w) w->Layout();
    return w;
}

} // namespace

class ListAccess {
public:
    static int ItemHeightOf(const TCustomListBox* c, int i) { return c->ItemHeightOf(i); }
    static void DrawOwnerItem(TCustomListBox* c, int index, const TRect& rect,
                              TOwnerDrawState state) {
        DrawControlItem(*c->canvas_, *c, index, rect, state,
                        [&] { c->DrawItem(index, rect, state); });
    }
    static std::vector<int> Stops(const TCustomListBox* c) { return c->TabStopsPixels(); }
    static int RowWidth(const TCustomListBox* c) {
        QListWidget* w = WidgetOf(c);
        return w && c->extent_ > w->viewport()->width() ? c->extent_ : 0;
    }
    static bool OwnerDraws(const TCustomListBox* c) { return c->OwnerDraws(); }
    static void UserSelected(TCustomListBox* c) {
        if (c->quiet_ == 0) NotifyControl(c, LBN_SELCHANGE);
    }
};

namespace {

class ListItemOwner : public ItemOwner {
public:
    explicit ListItemOwner(TCustomListBox* c) : c_(c) {}
    bool OwnerDraws() const override { return ListAccess::OwnerDraws(c_); }
    int ItemHeightOf(int index) const override { return ListAccess::ItemHeightOf(c_, index); }
    void DrawOwnerItem(int index, const TRect& rect, TOwnerDrawState state) override {
        ListAccess::DrawOwnerItem(c_, index, rect, state);
    }
    TCanvas* ItemCanvas() override { return c_->GetCanvas(); }
    std::vector<int> TabStopsPixels() const override { return ListAccess::Stops(c_); }
    int RowWidth() const override { return ListAccess::RowWidth(c_); }
    bool HasFocus() const override { return c_->Focused(); }

private:
    TCustomListBox* c_;
};

} // namespace

// --- life ---

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), items_(std::make_unique<ControlStrings>(this, kListMessages)),
      canvas_(std::make_unique<TCanvas>()), connections_(std::make_unique<Connections>()),
      owner_(std::make_unique<ListItemOwner>(this)) {
    SetControlStyle({csSetCaption, csDoubleClicks, csOpaque});
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
}

TCustomListBox::~TCustomListBox() {
    Destroying();
    DestroyHandle();
}

// --- properties ---

int TCustomListBox::GetItemIndex() const {
    auto* self = const_cast<TCustomListBox*>(this);
    return static_cast<int>(self->Perform(multiSelect_ ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int Value) {
    if (GetItemIndex() == Value) return;
    Perform(multiSelect_ ? LB_SETCARETINDEX : LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

void TCustomListBox::SetMultiSelect(bool Value) {
    if (multiSelect_ == Value) return;
    multiSelect_ = Value;
    ApplySelectionMode();
}

void TCustomListBox::SetExtendedSelect(bool Value) {
    if (extendedSelect_ == Value) return;
    extendedSelect_ = Value;
    ApplySelectionMode();
}

bool TCustomListBox::GetSelected(int Index) const {
    LRESULT r =
        const_cast<TCustomListBox*>(this)->Perform(LB_GETSEL, static_cast<WPARAM>(Index), 0);
    if (r == LB_ERR) throw EListError("List index out of bounds (" + AnsiString(Index) + ")");
    return r != 0;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
    if (Index < 0 || Index >= list_.Count())
        throw EListError("List index out of bounds (" + AnsiString(Index) + ")");
    if (multiSelect_)
        Perform(LB_SETSEL, Value ? 1 : 0, Index);
    else if (Value)
        Perform(LB_SETCURSEL, static_cast<WPARAM>(Index), 0);
    else if (GetItemIndex() == Index)
        Perform(LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

int TCustomListBox::GetSelCount() const {
    return static_cast<int>(const_cast<TCustomListBox*>(this)->Perform(LB_GETSELCOUNT, 0, 0));
}

void TCustomListBox::SetSorted(bool Value) {
    if (sorted_ == Value) return;
    sorted_ = Value;
    if (!Value) return;
    // The items there take their places, keeping their selection.
    if (QListWidget* w = WidgetOf(this)) {
        for (int i = 0; i < w->count(); ++i)
            list_[i].selected = w->item(i)->isSelected();
        current_ = w->currentRow();
    }
    current_ = list_.Sort(current_);
    if (QListWidget* w = WidgetOf(this)) {
        QSignalBlocker block(w);
        for (int i = 0; i < w->count(); ++i) {
            w->item(i)->setText(ToQString(list_[i].text));
            w->item(i)->setSelected(list_[i].selected);
        }
        w->setCurrentRow(current_, QItemSelectionModel::NoUpdate);
    }
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
    if (style_ == Value) return;
    style_ = Value;
    RecreateWnd();
}

int TCustomListBox::GetItemHeight() const {
    return OwnerDraws() ? itemHeight_ : StandardItemHeight();
}

void TCustomListBox::SetItemHeight(int Value) {
    if (Value <= 0 || itemHeight_ == Value) return;
    itemHeight_ = Value;
    if (QListWidget* w = WidgetOf(this)) w->doItemsLayout();
}

int TCustomListBox::GetTopIndex() const {
    return static_cast<int>(const_cast<TCustomListBox*>(this)->Perform(LB_GETTOPINDEX, 0, 0));
}

void TCustomListBox::SetTopIndex(int Value) {
    Perform(LB_SETTOPINDEX, static_cast<WPARAM>(Value), 0);
}

void TCustomListBox::SetTabWidth(int Value) {
    if (tabWidth_ == Value) return;
    tabWidth_ = std::max(0, Value);
    if (tabWidth_ > 0) {
        int du = tabWidth_;
        Perform(LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&du));
    } else {
        tabStops_.clear();
        tabStopsSet_ = false;
        if (QListWidget* w = WidgetOf(this)) w->viewport()->update();
    }
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value) {
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    RecreateWnd();
}

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) const {
    if (PtInRect(GetClientRect(), Pos)) {
        const int n = list_.Count();
        for (int i = GetTopIndex(); i >= 0 && i < n; ++i) {
            TRect r = ItemRect(i);
            if (r.Top > Pos.y) break;
            if (PtInRect(r, Pos)) return i;
        }
    }
    return Existing ? -1 : list_.Count();
}

TRect TCustomListBox::ItemRect(int Index) const {
    TRect r;
    const_cast<TCustomListBox*>(this)->Perform(LB_GETITEMRECT, static_cast<WPARAM>(Index),
                                               reinterpret_cast<LPARAM>(&r));
    return r;
}

void TCustomListBox::ClearSelection() {
    if (multiSelect_)
        Perform(LB_SETSEL, 0, -1);
    else
        SetItemIndex(-1);
}

void TCustomListBox::SelectAll() {
    if (multiSelect_) Perform(LB_SETSEL, 1, -1);
}

void TCustomListBox::DeleteSelected() {
    if (multiSelect_) {
        for (int i = list_.Count() - 1; i >= 0; --i)
            if (GetSelected(i)) items_->Delete(i);
    } else if (GetItemIndex() >= 0) {
        items_->Delete(GetItemIndex());
    }
}

// --- drawing ---

int TCustomListBox::StandardItemHeight() const {
    EnsureQtApplication();
    return QFontMetrics(ToQFont(*GetFont())).height();
}

int TCustomListBox::ItemHeightOf(int Index) const {
    return style_ == lbOwnerDrawVariable ? list_.HeightOf(Index, GetItemHeight()) : GetItemHeight();
}

std::vector<int> TCustomListBox::TabStopsPixels() const {
    if (!tabStopsSet_) return {};
    EnsureQtApplication();
    // A dialog unit is a quarter of the font's average character width.
    const int media = QFontMetrics(ToQFont(*GetFont())).averageCharWidth();
    auto pixels = [&](int du) { return du * media / 4; };
    std::vector<int> stops;
    if (tabStops_.size() <= 1) {
        // One value repeats (none: every 32 units).
        const int paso =
            std::max(1, pixels(tabStops_.empty() ? kTabPorDefecto : std::abs(tabStops_[0])));
        for (int x = paso; x < 8192 && stops.size() < 256; x += paso)
            stops.push_back(x);
        return stops;
    }
    for (int du : tabStops_)
        stops.push_back(du < 0 ? -pixels(-du) : pixels(du));
    return stops;
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    DrawItemText(*canvas_, list_, Index, Rect);
}

void TCustomListBox::MeasureItem(int Index, int& Height) {
    if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

// --- the window ---

void TCustomListBox::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WinClassName = "LISTBOX";
    Params.Style |=
        static_cast<DWORD>(WS_VSCROLL) | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    if (sorted_) Params.Style |= LBS_SORT;
    if (multiSelect_) Params.Style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (tabWidth_ > 0) Params.Style |= LBS_USETABSTOPS;
    if (style_ == lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED;
    if (style_ == lbOwnerDrawVariable) Params.Style |= LBS_OWNERDRAWVARIABLE;
    if (borderStyle_ == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWindowHandle(const TCreateParams& Params) {
    QWidget* parentWidget = GetParent() ? GetParent()->GetWidget() : nullptr;
    auto* w = new ListWidget(this, parentWidget);
    w->setFocusPolicy(Qt::NoFocus);
    w->SetBorder(GetBorderWidth());
    w->setAcceptDrops(false);
    w->setDragEnabled(false);
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    w->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w->setUniformItemSizes(style_ != lbOwnerDrawVariable);
    w->setItemDelegate(new ItemDelegate(owner_.get(), w));
    // The style's tab stops apply from the start, at every 32 units until set.
    if ((Params.Style & LBS_USETABSTOPS) && !tabStopsSet_) tabStopsSet_ = true;
    {
        QSignalBlocker block(w);
        for (const ListItem& item : list_.items) {
            auto* qi = new QListWidgetItem(ToQString(item.text), w);
            (void)qi;
        }
    }
    SetWidget(w, true);
    ApplySelectionMode();
    {
        QSignalBlocker block(w);
        for (int i = 0; i < list_.Count(); ++i)
            w->item(i)->setSelected(list_[i].selected || (!multiSelect_ && current_ == i));
        if (current_ >= 0) w->setCurrentRow(current_, QItemSelectionModel::NoUpdate);
    }
    connections_->Add(QObject::connect(w, &QListWidget::itemSelectionChanged, w,
                                       [this] { ListAccess::UserSelected(this); }));
    UpdateExtent();
}

void TCustomListBox::DestroyWnd() {
    connections_->Clear();
    if (QListWidget* w = WidgetOf(this)) {
        for (int i = 0; i < w->count() && i < list_.Count(); ++i)
            list_[i].selected = w->item(i)->isSelected();
        current_ = multiSelect_ ? w->currentRow() : GetItemIndex();
    }
    TWinControl::DestroyWnd();
}

void TCustomListBox::ApplyWidgetState() {
    TWinControl::ApplyWidgetState();
    ApplyPalette();
}

void TCustomListBox::ApplyPalette() {
    ApplyBasePalette(this);
}

void TCustomListBox::ApplySelectionMode() {
    QListWidget* w = WidgetOf(this);
    if (!w) return;
    QSignalBlocker block(w);
    w->setSelectionMode(!multiSelect_     ? QAbstractItemView::SingleSelection
                        : extendedSelect_ ? QAbstractItemView::ExtendedSelection
                                          : QAbstractItemView::MultiSelection);
}

void TCustomListBox::UpdateExtent() {
    QListWidget* w = WidgetOf(this);
    if (!w) return;
    w->setHorizontalScrollBarPolicy(extent_ > w->viewport()->width() ? Qt::ScrollBarAsNeeded
                                                                     : Qt::ScrollBarAlwaysOff);
    w->doItemsLayout();
    LaidOut(this);
}

// --- messages ---

void TCustomListBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CN_COMMAND:
        return CallMessageHandler(this, &TCustomListBox::CNCommand, Message);
    case CM_COLORCHANGED:
        return CallMessageHandler(this, &TCustomListBox::CMColorChanged, Message);
    case CM_FONTCHANGED:
        return CallMessageHandler(this, &TCustomListBox::CMFontChanged, Message);
    case CM_ENABLEDCHANGED:
        return CallMessageHandler(this, &TCustomListBox::CMEnabledChanged, Message);
    default:
        TWinControl::Dispatch(Message);
    }
}

void TCustomListBox::CNCommand(TWMCommand& Message) {
    switch (Message.NotifyCode) {
    case LBN_SELCHANGE:
        Click();
        break;
    case LBN_DBLCLK:
        DblClick();
        break;
    default:
        break;
    }
}

void TCustomListBox::CMColorChanged(TMessage& Message) {
    TWinControl::CMColorChanged(Message);
    ApplyPalette();
}

void TCustomListBox::CMFontChanged(TMessage& Message) {
    TWinControl::CMFontChanged(Message);
    ApplyPalette();
    if (QListWidget* w = WidgetOf(this)) w->doItemsLayout();
}

void TCustomListBox::CMEnabledChanged(TMessage& Message) {
    TWinControl::CMEnabledChanged(Message);
    ApplyPalette();
}

void TCustomListBox::DefaultHandler(TMessage& Message) {
    if (!ListRequest(Message)) TWinControl::DefaultHandler(Message);
}

int TCustomListBox::InsertItem(int Index, const AnsiString& Text) {
    list_.Insert(Index, Text, current_);
    if (QListWidget* w = WidgetOf(this)) {
        QSignalBlocker block(w);
        w->insertItem(Index, ToQString(Text));
    }
    if (style_ == lbOwnerDrawVariable) {
        int alto = itemHeight_;
        MeasureItem(Index, alto);
        list_[Index].height = alto;
        if (QListWidget* w = WidgetOf(this)) w->doItemsLayout();
    }
    return Index;
}

void TCustomListBox::DeleteItem(int Index) {
    list_.Erase(Index, current_);
    if (QListWidget* w = WidgetOf(this)) {
        QSignalBlocker block(w);
        const bool eraElegido = !multiSelect_ && w->item(Index)->isSelected();
        delete w->takeItem(Index);
        // A single-choice list loses its choice with the item.
        if (eraElegido) w->clearSelection();
    }
}

void TCustomListBox::ResetItems() {
    list_.items.clear();
    current_ = -1;
    if (QListWidget* w = WidgetOf(this)) {
        QSignalBlocker block(w);
        w->clear();
    }
}

void TCustomListBox::SetCurrent(int Index) {
    current_ = Index;
    QListWidget* w = WidgetOf(this);
    if (!w) {
        if (!multiSelect_)
            for (int i = 0; i < list_.Count(); ++i)
                list_[i].selected = i == Index;
        return;
    }
    QSignalBlocker block(w);
    if (multiSelect_) {
        w->setCurrentRow(Index, QItemSelectionModel::NoUpdate);
    } else if (Index < 0) {
        w->clearSelection();
    } else {
        w->setCurrentRow(Index, QItemSelectionModel::ClearAndSelect);
    }
    if (Index >= 0) w->scrollToItem(w->item(Index));
    w->viewport()->update();
}

void TCustomListBox::SetItemSelected(int Index, bool Value) {
    if (QListWidget* w = WidgetOf(this)) {
        QSignalBlocker block(w);
        w->item(Index)->setSelected(Value);
    } else {
        list_[Index].selected = Value;
    }
}

bool TCustomListBox::ListRequest(TMessage& Message) {
    if (list_.Request(
            kListMessages, Message, sorted_,
            [this](int i, const AnsiString& t) { return InsertItem(i, t); },
            [this](int i) { DeleteItem(i); }, [this] { ResetItems(); }))
        return true;
    QListWidget* w = WidgetOf(this);
    const int n = list_.Count();
    const int index = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
    const bool valid = index >= 0 && index < n;
    LRESULT& r = Message.Result;
    auto selectedAt = [&](int i) { return w ? w->item(i)->isSelected() : list_[i].selected; };
    switch (Message.Msg) {
    case LB_SELECTSTRING: {
        if (multiSelect_) {
            r = LB_ERR;
            return true;
        }
        const int found =
            list_.Find(index, AnsiString(reinterpret_cast<const char*>(Message.LParam)), false);
        if (found >= 0) SetCurrent(found);
        r = found;
        return true;
    }
    case LB_GETCURSEL:
        if (multiSelect_) {
            r = w ? w->currentRow() : current_;
        } else if (w) {
            const auto sel = w->selectedItems();
            r = sel.isEmpty() ? LB_ERR : w->row(sel.front());
        } else {
            r = current_;
        }
        return true;
    case LB_SETCURSEL:
        if (multiSelect_) {
            r = LB_ERR;
            return true;
        }
        SetCurrent(valid ? index : -1);
        r = valid ? index : LB_ERR;
        return true;
    case LB_GETCARETINDEX:
        r = w ? w->currentRow() : current_;
        return true;
    case LB_SETCARETINDEX:
        if (!valid) {
            r = LB_ERR;
            return true;
        }
        if (multiSelect_)
            SetCurrent(index);
        else if (w) {
            QSignalBlocker block(w);
            w->setCurrentRow(index, QItemSelectionModel::NoUpdate);
        }
        r = LB_OKAY;
        return true;
    case LB_GETSEL:
        r = valid ? (selectedAt(index) ? 1 : 0) : LB_ERR;
        return true;
    case LB_SETSEL: {
        const int i = static_cast<int>(Message.LParam);
        if (!multiSelect_ || i < -1 || i >= n) {
            r = LB_ERR;
            return true;
        }
        for (int k = 0; k < n; ++k)
            if (i == -1 || k == i) SetItemSelected(k, Message.WParam != 0);
        if (w) w->viewport()->update();
        r = LB_OKAY;
        return true;
    }
    case LB_GETSELCOUNT: {
        if (!multiSelect_) {
            r = LB_ERR;
            return true;
        }
        int c = 0;
        for (int k = 0; k < n; ++k)
            c += selectedAt(k) ? 1 : 0;
        r = c;
        return true;
    }
    case LB_GETSELITEMS: {
        if (!multiSelect_) {
            r = LB_ERR;
            return true;
        }
        int* out = reinterpret_cast<int*>(Message.LParam);
        int c = 0;
        for (int k = 0; k < n && c < index; ++k)
            if (selectedAt(k)) out[c++] = k;
        r = c;
        return true;
    }
    case LB_GETTOPINDEX:
        r = LaidOut(this) ? w->verticalScrollBar()->value() : 0;
        return true;
    case LB_SETTOPINDEX:
        if (!valid) {
            r = LB_ERR;
            return true;
        }
        if (LaidOut(this)) w->verticalScrollBar()->setValue(index);
        r = LB_OKAY;
        return true;
    case LB_GETITEMHEIGHT:
        r = ItemHeightOf(index);
        return true;
    case LB_SETITEMHEIGHT: {
        const int alto = static_cast<int>(Message.LParam);
        if (alto <= 0 || alto > 255) {
            r = LB_ERR;
            return true;
        }
        if (style_ == lbOwnerDrawVariable && valid)
            list_[index].height = alto;
        else
            itemHeight_ = alto;
        if (w) w->doItemsLayout();
        r = LB_OKAY;
        return true;
    }
    case LB_GETITEMRECT: {
        if (!valid || !Message.LParam) {
            r = LB_ERR;
            return true;
        }
        TRect rect;
        if (LaidOut(this)) {
            rect = FromQRect(w->visualItemRect(w->item(index)));
        } else {
            int y = 0;
            for (int k = 0; k < index; ++k)
                y += ItemHeightOf(k);
            rect = Bounds(0, y, GetClientWidth(), ItemHeightOf(index));
        }
        *reinterpret_cast<TRect*>(Message.LParam) = rect;
        r = LB_OKAY;
        return true;
    }
    case LB_ITEMFROMPOINT: {
        // The nearest item; the high word says whether the point is outside the client area.
        const TPoint p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        const WORD fuera = PtInRect(GetClientRect(), p) ? 0 : 1;
        int i = -1;
        if (n > 0) {
            if (LaidOut(this)) {
                const int top = w->verticalScrollBar()->value();
                QListWidgetItem* it = w->itemAt(QPoint(std::max(0, p.x), p.y));
                i = it ? w->row(it) : (p.y < 0 ? top : n - 1);
            } else {
                int y = 0;
                for (i = 0; i < n - 1 && y + ItemHeightOf(i) <= p.y; ++i)
                    y += ItemHeightOf(i);
            }
        }
        r = static_cast<LRESULT>(MAKELONG(static_cast<WORD>(i), fuera));
        return true;
    }
    case LB_SETTABSTOPS: {
        const int count = index;
        const int* stops = reinterpret_cast<const int*>(Message.LParam);
        if (stops && count > 0)
            tabStops_.assign(stops, stops + count);
        else
            tabStops_.clear();
        tabStopsSet_ = true;
        if (w) w->viewport()->update();
        r = TRUE;
        return true;
    }
    case LB_GETHORIZONTALEXTENT:
        r = extent_;
        return true;
    case LB_SETHORIZONTALEXTENT:
        extent_ = std::max(0, index);
        UpdateExtent();
        return true;
    case WM_GETDLGCODE:
        r = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return true;
    case WM_SIZE:
        UpdateExtent();
        return false;
    default:
        break;
    }
    if (!w) return false;
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: {
        // Each click on an item is a choice, even of the item already chosen.
        FocusOnPress(this);
        ++quiet_;
        TWinControl::DefaultHandler(Message);
        --quiet_;
        const QPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        if (WidgetOf(this) && WidgetOf(this)->itemAt(p)) NotifyControl(this, LBN_SELCHANGE);
        return true;
    }
    case WM_LBUTTONDBLCLK: {
        FocusOnPress(this);
        TWinControl::DefaultHandler(Message);
        const QPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        if (WidgetOf(this) && WidgetOf(this)->itemAt(p)) NotifyControl(this, LBN_DBLCLK);
        return true;
    }
    case WM_RBUTTONDOWN:
        FocusOnPress(this);
        return true;
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        // Neither button chooses an item.
        return true;
    default:
        return false;
    }
}
