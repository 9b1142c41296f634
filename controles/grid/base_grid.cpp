// TBaseGrid: cell text and objects through merged blocks, rectangles, row copy and clear,
// keys and wheel, settings.
#include "controles/grid/base_grid.h"

#include "controles/comun/text_utils.h"
#include "controles/grid/cell_graphic.h"
#include "controles/grid/editing/undo_redo.h"
#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/painting/control_canvas.h"

#include <algorithm>
#include <memory>

TBaseGrid::TBaseGrid(TComponent* AOwner) : TStringGrid(AOwner) {
    // The lines are this class's: the string grid draws none and paints no default look.
    TCustomGrid::SetGridLineWidth(0);
    TCustomGrid::SetDefaultDrawing(false);
    SetOptions(GetOptions() << goDrawFocusSelected);
    dataRowCount_ = GetRowCount();
}

TBaseGrid::~TBaseGrid() {
    if (undoRedo_) undoRedo_->SetGrid(nullptr);
    TBaseGrid::ClearProps();
}

// --- cell objects ---

TCellProperties* TBaseGrid::AsProps(TObject* Object) {
    return dynamic_cast<TCellProperties*>(Object);
}

TCellProperties* TBaseGrid::FindCellProperties(int ACol, int ARow) const {
    if (ACol < 0 || ARow < 0) return nullptr;
    return AsProps(GetObjects(ACol, ARow));
}

bool TBaseGrid::HasCellProperties(int ACol, int ARow) const {
    return FindCellProperties(ACol, ARow) != nullptr;
}

TCellProperties* TBaseGrid::GetCellProperties(int ACol, int ARow) {
    if (TCellProperties* p = FindCellProperties(ACol, ARow)) return p;
    auto made = std::make_unique<TCellProperties>(this, ACol, ARow);
    SetObjects(ACol, ARow, made.get()); // raises for a cell outside the store
    return made.release();
}

void TBaseGrid::SetCellProperties(int ACol, int ARow, TCellProperties* Value) {
    std::unique_ptr<TCellProperties> taken(Value);
    TCellProperties* old = FindCellProperties(ACol, ARow);
    if (old == Value) {
        taken.release();
        return;
    }
    SetObjects(ACol, ARow, Value);
    taken.release();
    delete old;
}

void TBaseGrid::FreeSlot(int ACol, int ARow) {
    if (TCellProperties* p = FindCellProperties(ACol, ARow)) {
        SetObjects(ACol, ARow, nullptr);
        delete p;
    }
}

TObject* TBaseGrid::GetObjectEx(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->GetCellObject() : nullptr;
}

void TBaseGrid::SetObjectEx(int ACol, int ARow, TObject* Value) {
    GetCellProperties(ACol, ARow)->SetCellObject(Value);
}

TObject* TBaseGrid::GetGraphicObjectEx(int ACol, int ARow) const {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->GetGraphic() : nullptr;
}

void TBaseGrid::SetGraphicObjectEx(int ACol, int ARow, TObject* Value) {
    GetCellProperties(ACol, ARow)->SetGraphic(Value);
}

// --- cell text ---

AnsiString TBaseGrid::GetCellEx(int ACol, int ARow) {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    const TPoint b = p ? p->GetBaseCell(ACol, ARow) : TPoint(ACol, ARow);
    AnsiString s = GetCells(b.x, b.y);
    if (b.y < dataRowCount_) {
        GetDisplText(b.x, b.y, s);
        if (OnGetDisplWideText) {
            WideString w(DecodeWideStr(s));
            GetDisplWideText(b.x, b.y, w);
            s = EncodeWideStr(w.str());
        }
    }
    return s;
}

void TBaseGrid::SetCellEx(int ACol, int ARow, const AnsiString& Value) {
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    if (!p) {
        SetCells(ACol, ARow, Value);
    } else {
        const TPoint b = p->GetBaseCell(ACol, ARow);
        SetCells(b.x, b.y, Value);
        if (GetParent()) RepaintCell(ToShown(TRealCol(ACol)).Value(), ARow);
    }
    if (footerRowActive_ && ARow == GetRowCount() - 1) FloatFooterUpdate();
}

void TBaseGrid::GetDisplText(int ACol, int ARow, AnsiString& Value) {
    if (OnGetDisplText) OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::GetDisplWideText(int ACol, int ARow, WideString& Value) {
    if (OnGetDisplWideText) OnGetDisplWideText(this, ACol, ARow, Value);
}

// --- rectangles ---

int TBaseGrid::FixedColsWidth() const {
    return static_cast<int>(SumColWidths(0, GetFixedCols()));
}

int TBaseGrid::FixedRowsHeight() const {
    return static_cast<int>(SumRowHeights(0, GetFixedRows()));
}

TRect TBaseGrid::GetCellRect(int ACol, int ARow) const {
    int64_t left = SumColWidths(0, ACol), top = SumRowHeights(0, ARow);
    if (ACol >= GetFixedCols()) left += FixedColsWidth() - SumColWidths(0, GetLeftCol());
    if (ARow >= GetFixedRows()) top += FixedRowsHeight() - SumRowHeights(0, GetTopRow());
    const int l = static_cast<int>(std::clamp<int64_t>(left, INT32_MIN / 2, INT32_MAX / 2));
    const int t = static_cast<int>(std::clamp<int64_t>(top, INT32_MIN / 2, INT32_MAX / 2));
    return Rect(l, t, l + GetColWidths(ACol), t + GetRowHeights(ARow));
}

TRect TBaseGrid::CellRect(int ACol, int ARow) const {
    const TShownCol col(ACol);
    if (IsShownMergedCell(col, ARow)) {
        const TRect f = ShownFullCell(col, ARow);
        if (BoxRect(f.Left, f.Top, f.Right, f.Bottom).Width() <= 0) return TRect();
        const TRect a = GetCellRect(f.Left, f.Top), z = GetCellRect(f.Right, f.Bottom);
        return Rect(a.Left, a.Top, z.Right, z.Bottom);
    }
    const bool inGrid = ACol >= 0 && ACol < GetColCount() && ARow >= 0 && ARow < GetRowCount();
    const TCellProperties* p = inGrid ? FindCellProperties(ToReal(col).Value(), ARow) : nullptr;
    if (p && p->GetControl()) return GetCellRect(ACol, ARow);
    const TRect v = TCustomGrid::CellRect(ACol, ARow);
    if (v.Width() <= 0 || v.Height() <= 0) return TRect();
    return Rect(v.Left, v.Top, v.Left + GetColWidths(ACol), v.Top + GetRowHeights(ARow));
}

TPoint TBaseGrid::CellSize(int ACol, int ARow) const {
    const TRect r = GetCellRect(ACol, ARow);
    return {r.Width(), r.Height()};
}

void TBaseGrid::RepaintCell(int ACol, int ARow) {
    if (!HandleAllocated()) return;
    const TRect r = CellRect(ACol, ARow);
    if (r.Width() <= 0 || r.Height() <= 0) return;
    InvalidateRect(GetHandle(), &r, TRUE);
}

void TBaseGrid::RepaintRealCell(TRealCol ACol, int ARow) {
    const TShownCol shown = ToShown(ACol);
    if (shown.Value() < 0 || shown.Value() >= GetColCount() || ToReal(shown) != ACol) return;
    RepaintCell(shown.Value(), ARow);
}

bool TBaseGrid::IsSelected(int ACol, int ARow) const {
    if (GetSelection().Contains(ACol, ARow)) return true;
    // A selection beyond the grid leaves no current cell to stand in a block.
    if (GetSelectionBeyond() || !IsShownMergedCell(TShownCol(ACol), ARow)) return false;
    const TRect f = ShownFullCell(TShownCol(ACol), ARow);
    return GetCol() >= f.Left && GetCol() <= f.Right && GetRow() >= f.Top && GetRow() <= f.Bottom;
}

// --- rows and columns ---

TCellProperties* TBaseGrid::CopyProps(const TCellProperties& Source, int ACol, int ARow) {
    auto copy = std::make_unique<TCellProperties>(this, ACol, ARow);
    copy->CopyAll(Source);
    copy->SetOwnerCol(ACol);
    copy->SetOwnerRow(ARow);
    if (auto* g = dynamic_cast<TCellGraphic*>(Source.GetGraphic())) {
        if (IsSharedCellGraphic(g->CellType)) {
            copy->SetGraphic(g);
        } else {
            auto gc = std::make_unique<TCellGraphic>();
            gc->Assign(g);
            // What the original owns stays its own: the copy keeps references only to
            // objects that belong to the caller.
            if (!g->CellCreated && g->CellType != ctImages) {
                gc->CellBitmap = g->CellBitmap;
                gc->CellIcon = g->CellIcon;
            }
            gc->CellCreated = 0;
            copy->SetGraphic(gc.release());
        }
    } else {
        copy->SetGraphic(Source.GetGraphic());
    }
    return copy.release();
}

void TBaseGrid::CopyCols(int ToIndex, int FromIndex) {
    if (ToIndex == FromIndex) return;
    for (int r = 0, n = GetRowCount(); r < n; ++r) {
        SetCells(ToIndex, r, GetCells(FromIndex, r));
        const TCellProperties* src = FindCellProperties(FromIndex, r);
        FreeSlot(ToIndex, r);
        if (src) SetObjects(ToIndex, r, CopyProps(*src, ToIndex, r));
    }
}

void TBaseGrid::CopyRows(int ToIndex, int FromIndex) {
    if (ToIndex == FromIndex) return;
    for (int c = 0, n = GetStoreColCount(); c < n; ++c) {
        SetCellEx(c, ToIndex, GetCellEx(c, FromIndex));
        const TCellProperties* src = FindCellProperties(c, FromIndex);
        FreeSlot(c, ToIndex);
        if (src) SetObjects(c, ToIndex, CopyProps(*src, c, ToIndex));
    }
}

void TBaseGrid::NilCell(int ACol, int ARow) {
    SetObjects(ACol, ARow, nullptr);
    SetCellEx(ACol, ARow, AnsiString());
}

void TBaseGrid::NilRow(int ARow) {
    for (int c = 0, n = GetStoreColCount(); c < n; ++c)
        NilCell(c, ARow);
}

void TBaseGrid::NilCol(int ACol) {
    for (int r = 0, n = GetRowCount(); r < n; ++r)
        NilCell(ACol, r);
}

void TBaseGrid::ClearPropRect(int ACol1, int ARow1, int ACol2, int ARow2) {
    const int c1 = std::max(0, ACol1), r1 = std::max(0, ARow1);
    const int c2 = std::min(ACol2, GetStoreColCount() - 1);
    const int r2 = std::min(ARow2, GetRowCount() - 1);
    for (int r = r1; r <= r2; ++r) {
        // Only the cells a row holds can have properties: an empty row is skipped whole.
        const int last = std::min(c2, LastHeldCol(r));
        for (int c = c1; c <= last; ++c)
            FreeSlot(c, r);
    }
}

void TBaseGrid::ClearPropCell(int ACol, int ARow) {
    ClearPropRect(ACol, ARow, ACol, ARow);
}

void TBaseGrid::ClearPropRow(int ARow) {
    ClearPropRect(0, ARow, GetStoreColCount() - 1, ARow);
}

void TBaseGrid::ClearProps() {
    ClearPropRect(0, 0, GetStoreColCount() - 1, GetRowCount() - 1);
}

void TBaseGrid::RowsDropping(int FirstRow, int LastRow) {
    ClearPropRect(0, FirstRow, GetStoreColCount() - 1, LastRow);
    TStringGrid::RowsDropping(FirstRow, LastRow);
}

// --- settings ---

void TBaseGrid::SetActiveRowShow(bool Value) {
    activeRowShow_ = Value;
    Invalidate();
}

void TBaseGrid::SetActiveRowColor(TColor Value) {
    activeRowColor_ = Value;
    Invalidate();
}

void TBaseGrid::SetDefaultDrawing(bool Value) {
    defaultDrawing_ = Value;
    TCustomGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int Value) {
    gridLineWidth_ = Value;
    TCustomGrid::SetGridLineWidth(0);
    Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value) {
    gridLineColor_ = Value;
    Invalidate();
}

void TBaseGrid::SetUndoRedo(TKavGridUndoRedo* Value) {
    if (undoRedo_ == Value) return;
    if (undoRedo_) {
        undoRedo_->RemoveFreeNotification(this);
        if (undoRedo_->GetGrid() == this) undoRedo_->SetGrid(nullptr);
    }
    undoRedo_ = Value;
    if (Value) {
        Value->FreeNotification(this);
        Value->SetGrid(this);
    }
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TStringGrid::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == undoRedo_) undoRedo_ = nullptr;
}

// --- hooks ---

bool TBaseGrid::IsFixed(int, int) {
    return false;
}
int TBaseGrid::NodeIndent(int) {
    return 0;
}
bool TBaseGrid::HasNodes() {
    return false;
}
void TBaseGrid::FloatFooterUpdate() {}
void TBaseGrid::GetVisualProperties(int, int, TGridDrawState&, bool, bool, bool, TBrush*, TColor&,
                                    TFont*, TAlignment&, TVAlignment&, bool&) {}
int TBaseGrid::DisplColIndex(int ACol) {
    return ACol;
}

// --- current cell, keys and wheel ---

bool TBaseGrid::SelectCell(int ACol, int ARow) {
    RepaintCell(GetCol(), GetRow());
    const bool ok = TStringGrid::SelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return ok;
}

void TBaseGrid::SelectBaseCell() {
    const TPoint b = ShownBaseCell(TShownCol(GetCol()), GetRow());
    if (b.x != GetCol()) SetCol(b.x);
    if (b.y != GetRow()) SetRow(b.y);
}

void TBaseGrid::KeyDown(WORD& Key, TShiftState Shift) {
    const TRect f = ShownFullCell(TShownCol(GetCol()), GetRow());
    const bool merged = f.Right > f.Left || f.Bottom > f.Top;
    const TPoint b(f.Left, f.Top);
    const int spanX = f.Right - f.Left, spanY = f.Bottom - f.Top;
    switch (Key) {
    case VK_NEXT:
        // On the last page paging stops above the footer row: the key is used up here.
        if (GetVisibleRowCount() + GetTopRow() - GetFixedRows() == GetRowCount() - 1 &&
            footerRowActive_ && GetRowCount() > 1) {
            SetRow(GetRowCount() - 2);
            Key = 0;
        }
        break;
    case VK_RIGHT:
        if (merged && b.x + spanX >= GetCol() && GetCol() < GetColCount() - 1 &&
            b.x < GetColCount() - 1 && b.x + spanX != GetCol())
            SetCol(std::min(b.x + spanX, GetColCount() - 1));
        break;
    case VK_DOWN:
        if (merged && b.y + spanY >= GetRow() && GetRow() < GetRowCount() - 1 &&
            b.y < GetRowCount() - 1 && b.y + spanY != GetRow())
            SetRow(std::min(b.y + spanY, GetRowCount() - 1));
        break;
    // Left and up start from the block's first column (row), so that the move lands on the
    // cell just beside the block whatever its size.
    case VK_LEFT:
        if (merged && GetCol() > b.x && GetCol() > GetFixedCols() && b.x > 0) SetCol(b.x);
        break;
    case VK_UP:
        if (merged && GetRow() > b.y && GetRow() > GetFixedRows() && b.y > 0) SetRow(b.y);
        break;
    default:
        break;
    }
    TStringGrid::KeyDown(Key, Shift);
    SelectBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    const bool result = TStringGrid::DoMouseWheelDown(Shift, MousePos);
    if (GetVisibleRowCount() < GetRow() - GetTopRow() && GetRow() < GetRowCount() - 1 &&
        footerRowActive_)
        SetTopRow(GetTopRow() + 1);
    SelectBaseCell();
    return result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    const bool result = TStringGrid::DoMouseWheelUp(Shift, MousePos);
    SelectBaseCell();
    return result;
}

void TBaseGrid::TopLeftChanged() {
    TStringGrid::TopLeftChanged();
    RepaintFixedMergedRows();
    RepaintFixedMergedCols();
}

void TBaseGrid::RepaintFixedMergedRows() {
    const int last = std::min(GetColCount() - 1, GetLeftCol() + GetVisibleColCount());
    for (int r = 0; r < GetFixedRows(); ++r)
        for (int c = GetLeftCol(); c <= last; ++c)
            if (IsShownMergedCell(TShownCol(c), r)) RepaintCell(c, r);
}

void TBaseGrid::RepaintFixedMergedCols() {
    const int last = std::min(GetRowCount() - 1, GetTopRow() + GetVisibleRowCount());
    for (int c = 0; c < GetFixedCols(); ++c)
        for (int r = GetTopRow(); r <= last; ++r)
            if (IsShownMergedCell(TShownCol(c), r)) RepaintCell(c, r);
}
