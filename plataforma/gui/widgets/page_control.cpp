// TPageControl and TTabSheet: the pages, their tabs on a Qt tab bar that the control drives,
// and the frame around the pages.

#include "plataforma/gui/widgets/page_control.h"

#include "plataforma/gui/kernel/hosted_widget.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QPainter>
#include <QSignalBlocker>
#include <QTabBar>

#include <algorithm>

namespace {

// The tabs: while the control has the focus, the chosen tab's caption is framed with the
// dotted focus rectangle.
class PageTabs : public QTabBar {
public:
    PageTabs(TPageControl* c, QWidget* parent) : QTabBar(parent), pc_(c) {}

protected:
    void paintEvent(QPaintEvent* e) override {
        QTabBar::paintEvent(e);
        const int i = currentIndex();
        if (i < 0 || !pc_->Focused()) return;
        const QRect r = tabRect(i).adjusted(3, 3, -4, -3);
        QPainter p(this);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(Qt::white);
        // Every other pixel of the outline.
        for (int x = r.left(); x <= r.right(); ++x)
            for (int y : {r.top(), r.bottom()})
                if (((x + y) & 1) == 0) p.drawPoint(x, y);
        for (int y = r.top() + 1; y < r.bottom(); ++y)
            for (int x : {r.left(), r.right()})
                if (((x + y) & 1) == 0) p.drawPoint(x, y);
    }

private:
    TPageControl* pc_;
};

// The control's window: its colour, the raised frame around the pages, and the tab bar,
// which takes no input of its own (the control handles clicks and keys).
class PagesWidget : public HookedWidget<QWidget> {
public:
    PagesWidget(TPageControl* c, QWidget* parent) : HookedWidget<QWidget>(c, parent), pc_(c) {
        bar = new PageTabs(c, this);
        bar->setAttribute(Qt::WA_TransparentForMouseEvents);
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setDrawBase(false);
        bar->setExpanding(false);
        bar->setUsesScrollButtons(false);
        bar->setElideMode(Qt::ElideNone);
    }
    QTabBar* bar;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), ToQColor(pc_->GetColor()));
        const TRect d = pc_->GetDisplayRect();
        // The raised edge two pixels around the pages.
        const QRect r(d.Left - 4, d.Top - 4, d.Width() + 8, d.Height() + 8);
        auto line = [&](TColor c, int x1, int y1, int x2, int y2) {
            p.setPen(ToQColor(c));
            p.drawLine(x1, y1, x2, y2);
        };
        line(clBtnHighlight, r.left(), r.top(), r.right() - 1, r.top());
        line(clBtnHighlight, r.left(), r.top(), r.left(), r.bottom() - 1);
        line(cl3DLight, r.left() + 1, r.top() + 1, r.right() - 2, r.top() + 1);
        line(cl3DLight, r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 2);
        line(cl3DDkShadow, r.left(), r.bottom(), r.right(), r.bottom());
        line(cl3DDkShadow, r.right(), r.top(), r.right(), r.bottom());
        line(clBtnShadow, r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
        line(clBtnShadow, r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
    }

private:
    TPageControl* pc_;
};

} // namespace

// --- TTabSheet ---

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle(
        {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetVisible(false);
}

TTabSheet::~TTabSheet() {
    if (pageControl_ && !pageControl_->GetComponentState().Contains(csDestroying))
        pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
    if (pageControl_ == Value) return;
    SetParent(Value);
}

int TTabSheet::GetPageIndex() const {
    if (!pageControl_) return -1;
    const auto& p = pageControl_->pages_;
    return static_cast<int>(std::find(p.begin(), p.end(), this) - p.begin());
}

void TTabSheet::SetPageIndex(int Value) {
    if (!pageControl_) return;
    auto& p = pageControl_->pages_;
    auto it = std::find(p.begin(), p.end(), this);
    if (it == p.end()) return;
    p.erase(it);
    const size_t at = static_cast<size_t>(std::clamp(Value, 0, static_cast<int>(p.size())));
    p.insert(p.begin() + static_cast<std::ptrdiff_t>(at), this);
    pageControl_->UpdateTabs();
}

int TTabSheet::GetTabIndex() const {
    if (!pageControl_ || !tabVisible_) return -1;
    auto v = pageControl_->VisibleTabs();
    return static_cast<int>(std::find(v.begin(), v.end(), this) - v.begin());
}

void TTabSheet::SetTabVisible(bool Value) {
    if (tabVisible_ == Value) return;
    tabVisible_ = Value;
    if (!pageControl_) return;
    if (!Value && pageControl_->activePage_ == this) {
        // The tab at the same place (or the last one) takes over, without events.
        auto v = pageControl_->VisibleTabs();
        const int at = GetPageIndex();
        TTabSheet* next = nullptr;
        for (TTabSheet* s : v)
            if (s->GetPageIndex() > at) {
                next = s;
                break;
            }
        if (!next && !v.empty()) next = v.back();
        pageControl_->ChangeActivePage(next);
    }
    pageControl_->UpdateTabs();
}

void TTabSheet::Dispatch(TMessage& Message) {
    TWinControl::Dispatch(Message);
    if (Message.Msg == CM_TEXTCHANGED && pageControl_) pageControl_->UpdateTabs();
}

// --- TPageControl ---

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csDoubleClicks, csOpaque});
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

TPageControl::~TPageControl() {
    Destroying();
    DestroyHandle();
}

TTabSheet* TPageControl::GetPages(int Index) const {
    if (Index < 0 || Index >= GetPageCount())
        throw EInvalidOperation("Page index out of bounds (" + AnsiString(Index) + ")");
    return pages_[static_cast<size_t>(Index)];
}

void TPageControl::SetActivePage(TTabSheet* Value) {
    if (Value && Value->pageControl_ != this) return;
    ChangeActivePage(Value);
}

int TPageControl::GetActivePageIndex() const {
    return activePage_ ? activePage_->GetPageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int Value) {
    SetActivePage(Value >= 0 && Value < GetPageCount() ? pages_[static_cast<size_t>(Value)]
                                                       : nullptr);
}

int TPageControl::GetTabIndex() const {
    return activePage_ ? activePage_->GetTabIndex() : -1;
}

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
    std::vector<TTabSheet*> v;
    for (TTabSheet* s : pages_)
        if (s->tabVisible_) v.push_back(s);
    return v;
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward,
                                      bool CheckTabVisible) const {
    const int n = GetPageCount();
    if (n == 0) return nullptr;
    auto it = std::find(pages_.begin(), pages_.end(), CurPage);
    int start =
        it == pages_.end() ? (GoForward ? n - 1 : 0) : static_cast<int>(it - pages_.begin());
    int i = start;
    do {
        i = GoForward ? (i + 1) % n : (i + n - 1) % n;
        TTabSheet* s = pages_[static_cast<size_t>(i)];
        if (!CheckTabVisible || s->tabVisible_) return s;
    } while (i != start);
    return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward) {
    TTabSheet* next = FindNextPage(activePage_, GoForward, true);
    if (next && next != activePage_) UserSelects(next);
}

bool TPageControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TPageControl::Change() {
    if (OnChange) OnChange(this);
}

void TPageControl::UserSelects(TTabSheet* Page) {
    auto alive = Watch();
    if (!CanChange() || alive.expired()) {
        UpdateTabs();
        return;
    }
    ChangeActivePage(Page);
    Change();
}

void TPageControl::ChangeActivePage(TTabSheet* Page) {
    if (activePage_ == Page) return;
    TTabSheet* old = activePage_;
    // The focus inside the old page goes to the new page's first control.
    TWinControl* focused = FocusedControl();
    const bool moverFoco = old && focused && old->ContainsControl(focused);
    activePage_ = Page;
    if (Page) {
        Page->BringToFront();
        Page->SetVisible(true);
        if (moverFoco) {
            TWinControl* destino = Page->FindNextControl(nullptr, true, true, false);
            if (!destino) destino = Page->CanFocus() ? static_cast<TWinControl*>(Page) : this;
            try {
                if (destino->CanFocus()) destino->SetFocus();
            } catch (const EInvalidOperation&) {
            }
        }
    }
    if (old && old != Page) old->SetVisible(false);
    UpdateTabs();
}

void TPageControl::InsertPage(TTabSheet* Page) {
    if (std::find(pages_.begin(), pages_.end(), Page) != pages_.end()) return;
    pages_.push_back(Page);
    Page->pageControl_ = this;
    // The first page is shown until the program chooses another.
    if (!activePage_ && Page->tabVisible_)
        ChangeActivePage(Page);
    else
        Page->SetVisible(false);
    PlacePages();
    UpdateTabs();
}

void TPageControl::RemovePage(TControl* Page) {
    auto it = std::find_if(pages_.begin(), pages_.end(),
                           [&](TTabSheet* s) { return static_cast<TControl*>(s) == Page; });
    if (it == pages_.end()) return;
    TTabSheet* sheet = *it;
    const size_t at = static_cast<size_t>(it - pages_.begin());
    pages_.erase(it);
    sheet->pageControl_ = nullptr;
    if (activePage_ == sheet) {
        activePage_ = nullptr;
        TTabSheet* next = nullptr;
        for (size_t i = at; i < pages_.size() && !next; ++i)
            if (pages_[i]->tabVisible_) next = pages_[i];
        if (!next)
            for (size_t i = at; i-- > 0 && !next;)
                if (pages_[i]->tabVisible_) next = pages_[i];
        ChangeActivePage(next);
    }
    UpdateTabs();
}

QTabBar* TPageControl::TabBar() const {
    auto* w = dynamic_cast<PagesWidget*>(GetWidget());
    return w ? w->bar : nullptr;
}

int TPageControl::TabsHeight() const {
    QTabBar* bar = TabBar();
    if (!bar || VisibleTabs().empty()) return 0;
    return bar->sizeHint().height();
}

TRect TPageControl::GetDisplayRect() const {
    TRect r = GetClientRect();
    r.Top += TabsHeight();
    return InflateRect(TRect(r.Left, r.Top, r.Right, r.Bottom), -4, -4);
}

int TPageControl::IndexOfTabAt(int X, int Y) const {
    QTabBar* bar = TabBar();
    if (!bar) return -1;
    const QPoint p = QPoint(X, Y) - bar->pos();
    return bar->tabAt(p);
}

void TPageControl::UpdateTabs() {
    QTabBar* bar = TabBar();
    if (!bar) return;
    QSignalBlocker block(bar);
    auto v = VisibleTabs();
    while (bar->count() > static_cast<int>(v.size()))
        bar->removeTab(bar->count() - 1);
    while (bar->count() < static_cast<int>(v.size()))
        bar->addTab(QString());
    int current = -1;
    for (size_t i = 0; i < v.size(); ++i) {
        bar->setTabText(static_cast<int>(i), ToQString(v[i]->GetCaption(), *GetFont()));
        if (v[i] == activePage_) current = static_cast<int>(i);
    }
    bar->setCurrentIndex(current);
    bar->adjustSize();
    bar->move(2, 0);
    bar->setVisible(!v.empty());
    PlacePages();
    GetWidget()->update();
}

void TPageControl::PlacePages() {
    if (!GetWidget()) return;
    const TRect d = GetDisplayRect();
    for (TTabSheet* s : pages_)
        s->SetBoundsRect(d);
}

void TPageControl::CreateWindowHandle(const TCreateParams&) {
    QWidget* parentWidget = GetParent() ? GetParent()->GetWidget() : nullptr;
    auto* w = new PagesWidget(this, parentWidget);
    w->setFocusPolicy(Qt::NoFocus);
    SetWidget(w, true);
    UpdateTabs();
}

void TPageControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_CONTROLCHANGE: {
        auto* c = reinterpret_cast<TControl*>(Message.WParam);
        if (Message.LParam) {
            if (auto* sheet = dynamic_cast<TTabSheet*>(c)) InsertPage(sheet);
        } else {
            RemovePage(c);
        }
        return;
    }
    case WM_SIZE:
        TWinControl::Dispatch(Message);
        PlacePages();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TWinControl::Dispatch(Message);
        if (QTabBar* bar = TabBar()) bar->update();
        return;
    case CM_FONTCHANGED:
        TWinControl::Dispatch(Message);
        UpdateTabs();
        return;
    case CM_DIALOGKEY:
        // Ctrl+Tab moves to the next page, Ctrl+Shift+Tab to the previous one, while the
        // focus is inside.
        if (Message.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
            TWinControl* f = FocusedControl();
            if (f && ContainsControl(f)) {
                SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
                Message.Result = 1;
                return;
            }
        }
        break;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    default:
        break;
    }
    TWinControl::Dispatch(Message);
}

void TPageControl::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDOWN: {
        const int tab = IndexOfTabAt(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        if (tab < 0) return;
        // The tabs take the focus with a click.
        if (!Focused() && CanFocus()) {
            try {
                SetFocus();
            } catch (const EInvalidOperation&) {
            }
        }
        auto v = VisibleTabs();
        if (tab < static_cast<int>(v.size()) && v[static_cast<size_t>(tab)] != activePage_)
            UserSelects(v[static_cast<size_t>(tab)]);
        return;
    }
    case WM_KEYDOWN:
        if (Message.WParam == VK_LEFT || Message.WParam == VK_RIGHT) {
            auto v = VisibleTabs();
            const int i = GetTabIndex() + (Message.WParam == VK_RIGHT ? 1 : -1);
            if (i >= 0 && i < static_cast<int>(v.size())) UserSelects(v[static_cast<size_t>(i)]);
            return;
        }
        break;
    default:
        break;
    }
    TWinControl::DefaultHandler(Message);
}
