// The MDI frame: its children in activation order, cascading, tiling and arranging icons
// (written here: Qt's MDI area has no horizontal or vertical tiling and no icon row), and
// the list of child windows at the end of the frame's window menu.

#include "plataforma/gui/forms/forms.h"

#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/dispatch_frame.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/system_metrics.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>
#include <cmath>

namespace {

// Forms with the MDI frame style, the most recent last.
std::vector<TCustomForm*>& Frames() {
    static std::vector<TCustomForm*> frames;
    return frames;
}

// Inside the handler of a window-menu action: the actions go once it is over.
int enSenal = 0;

int CascadeStep() {
    return GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
}

// How many windows one cascade run holds before it starts again at the corner.
int CascadeRun(const TRect& area, int count) {
    int half = std::min(area.Width(), area.Height()) / 2;
    return std::clamp(half / CascadeStep() + 1, 1, std::max(1, count));
}

// n parts of a length, the remainder spread so that they meet exactly.
int Cut(int start, int length, int parts, int i) {
    return start + static_cast<int>(static_cast<long long>(length) * i / parts);
}

} // namespace

std::vector<TRect> CascadeLayout(const TRect& Area, int Count) {
    std::vector<TRect> out;
    if (Count <= 0) return out;
    const int d = CascadeStep();
    const int run = CascadeRun(Area, Count);
    const int w = std::max(1, Area.Width() - (run - 1) * d);
    const int h = std::max(1, Area.Height() - (run - 1) * d);
    for (int i = 0; i < Count; ++i) {
        int k = i % run;
        out.push_back(Bounds(Area.Left + k * d, Area.Top + k * d, w, h));
    }
    return out;
}

std::vector<TRect> TileLayout(const TRect& Area, int Count, TTileMode Mode) {
    std::vector<TRect> out;
    if (Count <= 0) return out;
    // Lines: columns for tbHorizontal (windows one above the other), rows for tbVertical.
    const int lines = Count <= 3 ? 1 : static_cast<int>(std::floor(std::sqrt(Count)));
    const int base = Count / lines, extra = Count % lines;
    for (int line = 0; line < lines; ++line) {
        // The last lines take the windows left over.
        const int inLine = base + (line >= lines - extra ? 1 : 0);
        for (int j = 0; j < inLine; ++j) {
            if (Mode == tbHorizontal) {
                int l = Cut(Area.Left, Area.Width(), lines, line);
                int r = Cut(Area.Left, Area.Width(), lines, line + 1);
                int t = Cut(Area.Top, Area.Height(), inLine, j);
                int b = Cut(Area.Top, Area.Height(), inLine, j + 1);
                out.push_back(Rect(l, t, r, b));
            } else {
                int t = Cut(Area.Top, Area.Height(), lines, line);
                int b = Cut(Area.Top, Area.Height(), lines, line + 1);
                int l = Cut(Area.Left, Area.Width(), inLine, j);
                int r = Cut(Area.Left, Area.Width(), inLine, j + 1);
                out.push_back(Rect(l, t, r, b));
            }
        }
    }
    return out;
}

std::vector<TPoint> IconLayout(const TRect& Area, int Count, const TSize& Slot) {
    std::vector<TPoint> out;
    const int perRow = std::max(1, Slot.cx > 0 ? Area.Width() / Slot.cx : 1);
    for (int i = 0; i < Count; ++i) {
        int row = i / perRow, col = i % perRow;
        out.push_back({Area.Left + col * Slot.cx, Area.Bottom - (row + 1) * Slot.cy});
    }
    return out;
}

// --- the frame's children ---

void TCustomForm::RegisterAsFrame(bool On) {
    auto& frames = Frames();
    frames.erase(std::remove(frames.begin(), frames.end(), this), frames.end());
    if (On) frames.push_back(this);
}

TCustomForm* TCustomForm::FindMDIFrame() {
    if (TCustomForm* main = Application->GetMainForm(); main && main->formStyle_ == fsMDIForm)
        return main;
    return Frames().empty() ? nullptr : Frames().back();
}

TCustomForm* TCustomForm::GetMDIChildren(int Index) const {
    if (Index < 0 || Index >= GetMDIChildCount())
        throw EInvalidOperation("MDI child index out of bounds (" + AnsiString(Index) + ")");
    return mdiChildren_[static_cast<size_t>(Index)];
}

TCustomForm* TCustomForm::GetActiveMDIChild() const {
    return mdiChildren_.empty() ? nullptr : mdiChildren_.front();
}

void TCustomForm::AddMDIChild(TCustomForm* Child) {
    if (std::find(mdiCreated_.begin(), mdiCreated_.end(), Child) != mdiCreated_.end()) return;
    mdiCreated_.push_back(Child);
    // A new child goes behind the others until it is activated.
    mdiChildren_.push_back(Child);
    UpdateWindowMenu();
}

void TCustomForm::RemoveMDIChild(TCustomForm* Child) {
    bool wasActive = GetActiveMDIChild() == Child;
    mdiCreated_.erase(std::remove(mdiCreated_.begin(), mdiCreated_.end(), Child),
                      mdiCreated_.end());
    mdiChildren_.erase(std::remove(mdiChildren_.begin(), mdiChildren_.end(), Child),
                       mdiChildren_.end());
    if (GetComponentState().Contains(csDestroying)) return;
    // The next child in the pile becomes the active one.
    if (wasActive && !mdiChildren_.empty() && mdiChildren_.front()->GetVisible())
        ActivateMDIChild(mdiChildren_.front());
    UpdateWindowMenu();
}

void TCustomForm::MDIChildActivated(TCustomForm* Child) {
    auto it = std::find(mdiChildren_.begin(), mdiChildren_.end(), Child);
    if (it == mdiChildren_.end()) return;
    TCustomForm* previous = GetActiveMDIChild();
    bool wasActive = Child->active_;
    mdiChildren_.erase(it);
    mdiChildren_.insert(mdiChildren_.begin(), Child);
    if (previous && previous != Child && previous->active_) {
        previous->active_ = false;
        previous->Deactivate();
    }
    if (!wasActive) {
        Child->active_ = true;
        Child->Activate();
    }
    UpdateWindowMenu();
}

void TCustomForm::ActivateMDIChild(TCustomForm* Child) {
    if (!mdiArea_ || !Child || !Child->subWindow_) return;
    if (Child->subWindow_->isVisible() && mdiArea_->activeSubWindow() != Child->subWindow_)
        mdiArea_->setActiveSubWindow(Child->subWindow_);
    Child->subWindow_->raise();
    MDIChildActivated(Child);
}

void TCustomForm::Next() {
    if (mdiChildren_.size() < 2) return;
    // The active one goes to the bottom of the pile.
    TCustomForm* current = mdiChildren_.front();
    ActivateMDIChild(mdiChildren_[1]);
    mdiChildren_.erase(std::find(mdiChildren_.begin(), mdiChildren_.end(), current));
    mdiChildren_.push_back(current);
    UpdateWindowMenu();
}

void TCustomForm::Previous() {
    if (mdiChildren_.size() < 2) return;
    ActivateMDIChild(mdiChildren_.back());
}

TPoint TCustomForm::NextDefaultChildPosition() {
    const int d = CascadeStep();
    TRect area = mdiArea_ ? FromQRect(mdiArea_->viewport()->rect()) : TRect();
    int k = defaultChildPositions_++ % CascadeRun(area, 1 << 20);
    return {k * d, k * d};
}

std::vector<TCustomForm*> TCustomForm::NormalChildren(bool Minimized) const {
    std::vector<TCustomForm*> out;
    for (TCustomForm* c : mdiChildren_)
        if (c->GetVisible() && (c->windowState_ == wsMinimized) == Minimized) out.push_back(c);
    return out;
}

namespace {

TSize IconSlot(const std::vector<TCustomForm*>& icons) {
    TSize slot{GetSystemMetrics(SM_CXMINSPACING), GetSystemMetrics(SM_CYMINSPACING)};
    for (TCustomForm* c : icons)
        if (QWidget* w = c->GetWindowWidget()) {
            slot.cx = std::max(slot.cx, w->width());
            slot.cy = std::max(slot.cy, w->height());
        }
    return slot;
}

// The area left for open windows above the rows of icons.
TRect AreaAboveIcons(TRect area, const std::vector<TCustomForm*>& icons) {
    if (icons.empty()) return area;
    TSize slot = IconSlot(icons);
    int perRow = std::max(1, area.Width() / std::max(1, slot.cx));
    int rows = (static_cast<int>(icons.size()) + perRow - 1) / perRow;
    area.Bottom = std::max(area.Top + 1, area.Bottom - rows * slot.cy);
    return area;
}

} // namespace

void TCustomForm::Cascade() {
    if (!mdiArea_) return;
    std::vector<TCustomForm*> list = NormalChildren(false);
    TRect area = AreaAboveIcons(FromQRect(mdiArea_->viewport()->rect()), NormalChildren(true));
    std::vector<TRect> rects = CascadeLayout(area, static_cast<int>(list.size()));
    const size_t n = list.size();
    // The bottom of the pile first, so that the active child ends on top.
    for (size_t i = 0; i < n; ++i) {
        TCustomForm* c = list[n - 1 - i];
        if (c->windowState_ != wsNormal) c->SetWindowState(wsNormal);
        c->SetBoundsRect(rects[i]);
        if (c->subWindow_) c->subWindow_->raise();
    }
}

void TCustomForm::Tile() {
    if (!mdiArea_) return;
    std::vector<TCustomForm*> list = NormalChildren(false);
    TRect area = AreaAboveIcons(FromQRect(mdiArea_->viewport()->rect()), NormalChildren(true));
    std::vector<TRect> rects = TileLayout(area, static_cast<int>(list.size()), tileMode_);
    for (size_t i = 0; i < list.size(); ++i) {
        TCustomForm* c = list[i];
        if (c->windowState_ != wsNormal) c->SetWindowState(wsNormal);
        c->SetBoundsRect(rects[i]);
    }
}

void TCustomForm::ArrangeIcons() {
    if (!mdiArea_) return;
    std::vector<TCustomForm*> icons;
    for (TCustomForm* c : mdiCreated_)
        if (c->GetVisible() && c->windowState_ == wsMinimized && c->subWindow_) icons.push_back(c);
    TRect area = FromQRect(mdiArea_->viewport()->rect());
    std::vector<TPoint> at = IconLayout(area, static_cast<int>(icons.size()), IconSlot(icons));
    for (size_t i = 0; i < icons.size(); ++i)
        icons[i]->subWindow_->move(at[i].x, at[i].y);
}

// --- the window menu ---

void TCustomForm::SetWindowMenu(TMenuItem* Value) {
    if (windowMenu_ == Value) return;
    if (windowMenu_) windowMenu_->SetTrailingActions({});
    windowMenu_ = Value;
    if (Value) Value->FreeNotification(this);
    UpdateWindowMenu();
}

// A separator and "&1 caption" ... "&9 caption" in the order the children came, the active
// one checked; choosing one activates it.
void TCustomForm::UpdateWindowMenu() {
    if (!mdiArea_ || GetComponentState().Contains(csDestroying)) return;
    std::vector<QAction*> old = std::move(windowActions_);
    windowActions_.clear();
    if (windowMenu_) {
        std::vector<TCustomForm*> shown;
        for (TCustomForm* c : mdiCreated_)
            if (c->GetVisible() && c->window_) shown.push_back(c);
        if (!shown.empty()) {
            auto* separator = new QAction(nullptr);
            separator->setSeparator(true);
            windowActions_.push_back(separator);
        }
        TCustomForm* active = GetActiveMDIChild();
        for (size_t i = 0; i < shown.size() && i < 9; ++i) {
            TCustomForm* child = shown[i];
            AnsiString text = "&" + AnsiString(static_cast<int>(i + 1)) + " " + child->GetCaption();
            auto* a = new QAction(ToQString(text), nullptr);
            a->setCheckable(true);
            a->setChecked(child == active);
            std::weak_ptr<int> alive = child->Watch();
            QObject::connect(a, &QAction::triggered, [this, child, alive] {
                if (alive.expired()) return;
                ++enSenal;
                GuardedEntry(child, [&] {
                    if (child->windowState_ == wsMinimized) child->SetWindowState(wsNormal);
                    ActivateMDIChild(child);
                    child->SetInitialFocus(child->InitialFocus());
                });
                --enSenal;
            });
            windowActions_.push_back(a);
        }
        windowMenu_->SetTrailingActions(windowActions_);
    }
    // The old actions may be the ones whose signal is running.
    for (QAction* a : old)
        if (enSenal > 0)
            a->deleteLater();
        else
            delete a;
}
