// Text search through the grid's cells: the cell test, the walk over a range in either
// direction and order, and the quick prefix lookup of a row.

#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/markup/markup_helpers.h"
#include "plataforma/gui/kernel/wide_case.h"

namespace {

bool EsComillasDobles(const AnsiString& S) {
    return S.Length() == 2 && S[1] == '"' && S[2] == '"';
}
bool EsComillasDobles(const WideString& S) {
    return S.Length() == 2 && S[1] == u'"' && S[2] == u'"';
}

// The start and full conditions on a search text already cased as the cell text.
template <class S> bool Coincide(const S& Cell, const S& Text, TFindParameters Params) {
    const int pos = Cell.Pos(Text);
    const bool start = Params.Contains(fnMatchStart) ? pos == 1 : pos > 0;
    const bool full = Params.Contains(fnMatchFull) ? Cell == Text : true;
    return start && full;
}

} // namespace

bool TKavStringGrid::MatchCell(TRealCol ACol, TShownRow ARow, bool Wide) {
    const TFindParameters p = findParams_;
    const int col = ACol.Value();
    const bool matchCase = p.Contains(fnMatchCase);
    if (Wide) {
        WideString cell = GetWideCells(col, ARow.Value());
        if (!matchCase) cell = WideUpperCase(cell);
        if (EsComillasDobles(findTextWide_)) return cell.IsEmpty();
        if (p.Contains(fnMatchRegular))
            return MatchStrEx(findTextWide_.ToAnsiString(), cell.ToAnsiString(), matchCase);
        return Coincide(cell, findTextWide_, p);
    }
    AnsiString cell = GetCellEx(col, ARow.Value());
    if (!matchCase) cell = AnsiUpperCase(cell);
    if (p.Contains(fnIgnoreHTMLTags)) cell = HTMLStrip(cell);
    if (EsComillasDobles(findText_)) return cell.IsEmpty();
    if (p.Contains(fnMatchRegular)) return MatchStrEx(findText_, cell, matchCase);
    return Coincide(cell, findText_, p);
}

TPoint TKavStringGrid::FindInternal(TPoint Start, const AnsiString& Text,
                                    const WideString& WideText, bool Wide, TFindParameters Params) {
    const TPoint none(-1, -1);
    findParams_ = Params;
    const bool matchCase = Params.Contains(fnMatchCase);
    findText_ = matchCase ? Text : AnsiUpperCase(Text);
    findTextWide_ = matchCase ? WideText : WideUpperCase(WideText);

    const int colCount = GetColCount(), rowCount = GetRowCount();
    if (colCount == GetFixedCols() || colCount == 0 || rowCount == GetFixedRows() || rowCount == 0)
        return none;

    // The range: x runs over columns, y over rows.
    int x0, x1, y0, y1;
    if (Params.Contains(fnIncludeFixed)) {
        x0 = 0, x1 = colCount - 1, y0 = 0, y1 = rowCount - 1;
    } else {
        x0 = GetFixedCols(), x1 = colCount - 1 - GetFixedRightCols();
        y0 = GetFixedRows(), y1 = rowCount - 1 - GetFixedFooters();
    }
    // With the hidden columns the walk runs over real columns, otherwise over shown ones.
    const bool real = Params.Contains(fnIncludeHiddenColumns);
    if (real) x1 += NumHiddenColumns();
    const bool back = Params.Contains(fnBackward);

    // Restrictions, in this order: each sets both bounds of its axis.
    if (Params.Contains(fnFindInCurrentRow)) y0 = y1 = GetRow();
    if (Params.Contains(fnFindInPresetRow)) y0 = y1 = presetSearchRow_;
    if (Params.Contains(fnFindInCurrentCol)) x0 = x1 = real ? GetRealCol() : GetCol();
    if (Params.Contains(fnFindInPresetCol)) x0 = x1 = presetSearchCol_;

    // The first cell: the range's own corner, or one step on from Start inside the
    // restricted range (so a restricted walk never comes back to the cell it left). A step
    // past the end of a row (of a column when walking column-wise) goes on in the next one;
    // past the range's last cell the search ends without a hit.
    const bool rowWise = Params.Contains(fnDirectionLeftRight);
    int x = back ? x1 : x0, y = back ? y1 : y0;
    int& inner = rowWise ? x : y;
    int& outer = rowWise ? y : x;
    const int innerFirst = rowWise ? x0 : y0, innerLast = rowWise ? x1 : y1;
    const int outerFirst = rowWise ? y0 : x0, outerLast = rowWise ? y1 : x1;
    if (Start != none) {
        x = x0 == x1 ? x0 : Start.x;
        y = y0 == y1 ? y0 : Start.y;
        inner += back ? -1 : 1;
        if (inner < innerFirst || inner > innerLast) {
            inner = back ? innerLast : innerFirst;
            outer += back ? -1 : 1;
        }
    }

    const int step = back ? -1 : 1;
    for (; outer >= outerFirst && outer <= outerLast; outer += step) {
        for (; inner >= innerFirst && inner <= innerLast; inner += step) {
            ExportNotification(esExportNewRow, y);
            if (MatchCell(real ? TRealCol(x) : ToReal(TShownCol(x)), TShownRow(y), Wide)) {
                lastFound_ = TPoint(x, y);
                // The cell found becomes current where it shows; a hit in a hidden column
                // moves to its row only.
                if (Params.Contains(fnAutoGoto)) {
                    SetRow(y);
                    if (!real)
                        SetCol(x);
                    else if (!IsHiddenColumn(x))
                        SetCol(ShownColOf(TRealCol(x)));
                }
                return lastFound_;
            }
        }
        inner = back ? innerLast : innerFirst;
    }
    return none;
}

TPoint TKavStringGrid::Find(TPoint Start, const AnsiString& Text, TFindParameters Params) {
    ExportNotification(esExportStart, -1);
    const TPoint found = FindInternal(Start, Text, WideString(Text), false, Params);
    ExportNotification(found == TPoint(-1, -1) ? esExportDone : esExportFail, -1);
    return found;
}

TPoint TKavStringGrid::FindWide(TPoint Start, const WideString& Text, TFindParameters Params) {
    return FindInternal(Start, Text.ToAnsiString(), Text, true, Params);
}

TPoint TKavStringGrid::FindFirst(const AnsiString& Text, TFindParameters Params) {
    lastFound_ = Find(TPoint(-1, -1), Text, Params);
    return lastFound_;
}

TPoint TKavStringGrid::FindNext() {
    // The stored text is already upper-cased without fnMatchCase; casing it again changes nothing.
    lastFound_ = Find(lastFound_, findText_, findParams_);
    return lastFound_;
}

int TKavStringGrid::Search(const AnsiString& Text) {
    if (GetRowCount() < 2) return -1;
    // The sort column is a real one; without it, shown column 1.
    const int col = GetSortSettings()->GetShow() ? GetSortSettings()->GetColumn() : RemapCol(1);
    if (col < 0 || col >= TotalColCount() || IsHiddenColumn(col)) return -1;
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
        if (AnsiUpperCase(GetStrippedCell(col, r).SubString(1, Text.Length())) == Text) return r;
    return -1;
}
