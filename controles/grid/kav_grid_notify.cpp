// TKavStringGrid: the notices of changed cells, the list of change notifiers, and the
// controls placed over cells.
#include "controles/grid/kav_grid.h"

#include <algorithm>

void TKavStringGrid::UpdateCell(int ACol, int) {
    CalcFooter(ACol);
}

void TKavStringGrid::CellsChanged(const TRect& R) {
    if (OnCellsChanged) OnCellsChanged(this, R);
    if (!notifiers_.empty()) TellNotifiers(R);
    CalcFooter(-1);
}

void TKavStringGrid::TellNotifiers(const TRect& R) {
    // A handler may register or unregister notifiers: walk a copy.
    const std::vector<TGridChangeNotifier*> list = notifiers_;
    for (TGridChangeNotifier* n : list)
        if (std::find(notifiers_.begin(), notifiers_.end(), n) != notifiers_.end())
            n->CellsChanged(R);
}

void TKavStringGrid::CellsLoaded() {
    CalcFooter(-1);
}

void TKavStringGrid::RegisterNotifier(TGridChangeNotifier* ANotifier) {
    if (!ANotifier ||
        std::find(notifiers_.begin(), notifiers_.end(), ANotifier) != notifiers_.end())
        return;
    notifiers_.push_back(ANotifier);
    ANotifier->FreeNotification(this);
}

void TKavStringGrid::UnRegisterNotifier(TGridChangeNotifier* ANotifier) {
    auto it = std::find(notifiers_.begin(), notifiers_.end(), ANotifier);
    if (it == notifiers_.end()) return;
    notifiers_.erase(it);
    ANotifier->RemoveFreeNotification(this);
}

void TKavStringGrid::PlaceCellControls() {
    const int left = GetLeftCol(), top = GetTopRow();
    const int right = left + GetVisibleColCount(), bottom = top + GetVisibleRowCount();
    std::vector<TControl*> shown;
    for (int i = 0; i < controlList_->GetCount(); ++i) {
        TControlItem* item = controlList_->GetControl(i);
        TControl* c = item->GetControl();
        if (!c) continue;
        if (IsHiddenRow(item->GetY()) || IsHiddenColumn(item->GetX())) {
            c->SetVisible(false);
            continue;
        }
        const int dc = RemapColInv(item->GetX()), dr = RemapRow(item->GetY());
        const bool inView = dc >= left && dc <= right && dr >= top && dr <= bottom;
        const TRect r = inView ? CellRect(dc, dr) : TRect();
        if (inView && r.Right > r.Left && r.Bottom > r.Top) {
            c->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
            c->SetVisible(true);
            shown.push_back(c);
        } else {
            c->SetVisible(false);
        }
    }
    // Nudging the width makes a control lay out its contents again.
    for (TControl* c : shown) {
        c->Invalidate();
        c->SetWidth(c->GetWidth() + 1);
        c->SetWidth(c->GetWidth() - 1);
    }
}
