// TKavStringGrid: the paste of a selection, and with AllowSmartClipboard the fill of the
// whole selection from what was pasted: one value repeated, a date, number or integer series
// continued, or the pasted block repeated.
#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/date_time_text.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/regional.h"

#include <climits>
#include <cmath>
#include <cstdint>

void TKavStringGrid::PasteSelectionFromClipboard() {
    ImportNotification(isImportStart, -1);
    wholeGridPaste_ = false;
    CorrectSelection();
    const TGridRect s = GetSelection();
    if (GetOptions().Contains(goRowSelect))
        PasteFunc(GetFixedColsEx(), s.Top);
    else
        PasteFunc(s.Left, s.Top);
    if (GetNavigation()->GetAllowSmartClipboard() && pastedBlock_.Right >= pastedBlock_.Left)
        SmartFill(s, pastedBlock_);
    ImportNotification(isImportDone, -1);
}

namespace {

bool IsDateOrTime(const AnsiString& S) {
    return IsDateStr(S) || S.Pos(AnsiString(GetTimeSeparator())) > 0;
}

// A date (with the date separator) or a time of day.
bool ToDateTime(const AnsiString& S, TDateTime& D) {
    return S.Pos(AnsiString(GetDateSeparator())) > 0 ? TryStrToDate(S, D) : TryStrToTime(S, D);
}

} // namespace

void TKavStringGrid::SmartFill(const TGridRect& S, const TRect& Block) {
    const int L = S.Left, T = S.Top, R = S.Right, B = S.Bottom;
    const int64_t size = int64_t(R - L + 1) * (B - T + 1);
    // The fill follows the block the paste wrote, whatever its source: its columns and rows
    // from the selection's first cell on. A block that reaches the selection's far side in
    // both directions filled it.
    const int blockCols = Block.Right - Block.Left + 1, blockRows = Block.Bottom - Block.Top + 1;
    if (Block.Right >= R && Block.Bottom >= B) return;
    auto text = [&](int c, int r) {
        return c < GetColCountEx() && r < GetRowCountEx() ? GetCellEx(RemapCol(c), r)
                                                          : AnsiString();
    };
    // Every cell but the selection's first may be refused by OnClipboardBeforePasteCell.
    auto put = [&](int c, int r, AnsiString v) {
        bool allow = true;
        if (!(c == L && r == T) && OnClipboardBeforePasteCell)
            OnClipboardBeforePasteCell(this, c, r, v, allow);
        if (allow) PasteInCell(c, r, v);
    };

    if (blockCols == 1 && blockRows == 1 && size > 1) {
        AnsiString value = text(L, T);
        bool checked = false;
        if (HasCheckBox(RemapCol(L), T) && GetCheckBoxState(RemapCol(L), T, checked))
            value = checked ? GetCheckTrue(RemapCol(L), T) : GetCheckFalse(RemapCol(L), T);
        for (int c = L; c <= R; ++c)
            for (int r = T; r <= B; ++r) {
                if (!ClipboardWritable(RemapCol(c), r)) continue;
                put(c, r, value);
                PasteNotify(clipOrigin_, TRect(c, r, c, r), coCopy);
            }
        return;
    }
    if (L != R && T != B) return;
    const bool column = L == R && T != B;
    // The cells the paste wrote along the selection's line.
    const int N = column ? blockRows : blockCols;
    if (N < 2) return;

    const AnsiString t1 = text(L, T), t2 = column ? text(L, T + 1) : text(L + 1, T);
    // The cells of the selection in order, each given the series' value for its place; a
    // value that cannot be made ends the fill.
    auto fill = [&](auto valueAt) {
        int64_t k = 0;
        for (int c = L; c <= R; ++c)
            for (int r = T; r <= B; ++r, ++k) {
                AnsiString v;
                if (!valueAt(k, v)) return;
                if (ClipboardWritable(RemapCol(c), r)) put(c, r, v);
            }
    };

    TDateTime d1 = 0, d2 = 0;
    if (IsDateOrTime(t1) && IsDateOrTime(t2) && ToDateTime(t1, d1) && ToDateTime(t2, d2)) {
        int y1, m1, dd1, y2, m2, dd2;
        DecodeDate(d1, y1, m1, dd1);
        DecodeDate(d2, y2, m2, dd2);
        const auto dy = static_cast<unsigned short>(y2 - y1);
        const auto dm = static_cast<unsigned short>(m2 - m1);
        const auto dd = static_cast<unsigned short>(dd2 - dd1);
        const bool asDate = t1.Pos(AnsiString(GetDateSeparator())) > 0;
        // Each value is stepped from the series' start, k steps at once, so that a day cut
        // to a short month's end does not shorten the months after it; a step count beyond
        // the 16-bit steps ends the series.
        const bool byMonths = dd == 0 && (dy == 0) != (dm == 0);
        fill([&](int64_t k, AnsiString& v) {
            try {
                TDateTime d = d1 + static_cast<double>(k) * (d2 - d1);
                if (byMonths) {
                    const int64_t y = k * static_cast<short>(dy), m = k * static_cast<short>(dm);
                    if (y < SHRT_MIN || y > SHRT_MAX || m < SHRT_MIN || m > SHRT_MAX) return false;
                    d = GetNextDate(d1, static_cast<unsigned short>(y),
                                    static_cast<unsigned short>(m), 0, 0);
                }
                v = asDate ? DateToStr(d) : TimeToStr(d);
                return true;
            } catch (const EConvertError&) {
                return false;
            }
        });
        return;
    }
    const char sep = GetDecimalSeparator();
    double f1 = 0, f2 = 0;
    if ((t1.Pos(AnsiString(sep)) > 0 || t2.Pos(AnsiString(sep)) > 0) && TryStrToFloat(t1, f1) &&
        TryStrToFloat(t2, f2)) {
        fill([&](int64_t k, AnsiString& v) {
            const double f = f1 + static_cast<double>(k) * (f2 - f1);
            if (!std::isfinite(f)) return false;
            v = FormatCellNumber(GetFloatFormat(), f, false);
            return true;
        });
        return;
    }
    int i1 = 0, i2 = 0;
    if (TryStrToInt(t1, i1) && TryStrToInt(t2, i2)) {
        fill([&](int64_t k, AnsiString& v) {
            const int64_t i = i1 + k * (int64_t(i2) - i1);
            if (i < INT_MIN || i > INT_MAX) return false;
            v = AnsiString(std::to_string(i));
            return true;
        });
        return;
    }
    // The pasted block repeated down the column or along the row.
    if (column) {
        for (int r = T + N; r <= B; ++r)
            if (ClipboardWritable(RemapCol(L), r)) put(L, r, text(L, r - N));
    } else {
        for (int c = L + N; c <= R; ++c)
            if (ClipboardWritable(RemapCol(c), T)) put(c, T, text(c - N, T));
    }
}
