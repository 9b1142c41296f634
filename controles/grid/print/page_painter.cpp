// What a page shows besides the build's arithmetic: rows of cells, the header and footer
// texts (time, date, page number, title) and the borders around the band's columns.

#include "controles/comun/text_utils.h"
#include "controles/grid/print/print_pass.h"
#include "plataforma/base/date_time_text.h"
#include "plataforma/base/numbers.h"

#include <array>
#include <cmath>

namespace {

// The width of a cell from shown column Col on paper: its column's width and spacing, and
// those of the shown columns its block covers up to LastCol (a hidden column inside the block
// takes no place).
int CellWidth(TPrintPass& P, TShownCol Col, int ARow, int LastCol) {
    TPrintLayout& l = P.Layout;
    int width = l.GetPrintColWidth(Col.Value()) + P.Spacing;
    if (!P.Grid.IsShownBaseCell(Col, ARow)) return width;
    const int to = std::min(LastCol, P.Grid.ShownFullCell(Col, ARow).Right);
    for (int c = Col.Value() + 1; c <= to; ++c)
        if (P.ColPrinted(c)) width += l.GetPrintColWidth(c) + P.Spacing;
    return width;
}

} // namespace

int PrintRowHeight(TPrintPass& P, int ARow) {
    const TPrintSettings& s = P.Settings;
    if (s.GetNoAutoSizeRow())
        return static_cast<int>(std::lround((P.Grid.GetRowHeights(ARow) - 4) * P.ScreenToPaper));
    if (s.GetUseFixedHeight()) return s.GetFixedHeight();
    if (P.CachedRow == ARow) return P.CachedHeight;
    P.Layout.FontScale = P.FitScale;
    int height = 0, last = 0;
    const size_t at = static_cast<size_t>(ARow);
    if (at < P.MeasuredRows.size() && P.MeasuredRows[at].Tallest >= 0 &&
        !P.MeasuredRows[at].Again) {
        height = P.MeasuredRows[at].Tallest;
        last = P.MeasuredRows[at].Last;
    } else {
        // Each cell laid in the width it is drawn in: a merged cell across the columns of the
        // band that holds it.
        const TGridRect& r = P.Layout.PrintRange;
        const TPrintBand& band = P.Band();
        for (int c = r.Left; c <= r.Right; ++c) {
            if (!P.ColPrinted(c)) continue;
            const int lastCol = c >= band.First && c <= band.Last ? band.Last : r.Right;
            last = MeasurePrintCell(P, c, ARow, CellWidth(P, TShownCol(c), ARow, lastCol)).cy;
            if (!P.Grid.IsYMergedCell(P.Grid.ToReal(TShownCol(c)).Value(), ARow))
                height = std::max(height, last);
        }
    }
    if (height == 0) height = last;
    if (P.Grid.OnPrintSetRowHeight) P.Grid.OnPrintSetRowHeight(&P.Grid, ARow, height);
    P.CachedRow = ARow;
    P.CachedHeight = height;
    return height;
}

namespace {

void DrawCells(TPrintPass& P, int ARow, int From, int To, int Height) {
    for (TShownCol col(From); col.Value() <= To; ++col) {
        const int c = col.Value();
        if (!P.ColPrinted(c)) continue;
        // A block's first shown cell draws the block; its other cells draw nothing.
        if (!P.Grid.IsShownBaseCell(col, ARow)) continue;
        const int left = P.Layout.GetPrintColOffset(c);
        DrawPrintCell(P, c, ARow,
                      TRect(left, P.Y, left + CellWidth(P, col, ARow, To), P.Y - Height));
    }
}

} // namespace

int DrawPrintRow(TPrintPass& P, int ARow) {
    P.Layout.FontScale = P.FitScale;
    const int h = PrintRowHeight(P, ARow);
    const int height = h + h / 8 + 2 * P.LineGap + P.Settings.GetRowSpacing();
    if (!P.PageShown()) {
        P.Layout.FontScale = 1.0;
        return height;
    }
    const TPrintBand& band = P.Band();
    if (band.RepeatFixedCols) DrawCells(P, ARow, 0, P.Grid.GetFixedCols() - 1, height);
    DrawCells(P, ARow, band.First, band.Last, height);
    return height;
}

AnsiString PageNumberText(const TPrintPass& P) {
    const TPrintSettings& s = P.Settings;
    if (P.Bands.size() > 1)
        return IntToStr(P.PageInBand + 1) + "-" + IntToStr(static_cast<long long>(P.BandIndex) + 1);
    const AnsiString page = IntToStr(P.PagesFinished + 1 + s.GetPageNumberOffset());
    if (!s.GetPageNumSep().IsEmpty() && P.PageCount > 1)
        return page + s.GetPageNumSep() + IntToStr(P.PageCount + s.GetMaxPagesOffset());
    return page;
}

namespace {

bool AtLeft(TPrintPosition Pos) {
    return Pos == ppTopLeft || Pos == ppBottomLeft;
}

bool InHeader(TPrintPosition Pos) {
    return Pos >= ppTopLeft && Pos <= ppTopCenter;
}

} // namespace

void DrawPageHeaderFooter(TPrintPass& P) {
    if (!P.PageShown()) return;
    // The header and footer keep their size on every page: the rows' scale is not theirs
    // (their heights were measured at 1.0), whatever row was measured last.
    P.Layout.FontScale = 1.0;
    const TPrintSettings& s = P.Settings;
    std::array<AnsiString, 7> texts; // by TPrintPosition
    auto add = [&](TPrintPosition pos, const AnsiString& item) {
        if (pos == ppNone) return;
        AnsiString& t = texts[pos];
        t = AtLeft(pos) ? item + " " + t : t + " " + item;
    };
    const TDateTime now = Now();
    add(s.GetTime(), FormatDateTime("hh:nn", now));
    add(s.GetDate(), FormatDateTime(s.GetDateFormat(), now));
    add(s.GetPageNr(), s.GetPagePrefix() + " " + PageNumberText(P) + " " + s.GetPageSuffix());
    // The title lines; markup among them is drawn as markup, with what shares their place.
    std::vector<AnsiString> titleLines;
    const AnsiString titleText = s.GetTitleLines()->GetText();
    const bool markup = TextType(titleText, true) == ttHTML;
    for (int k = 0; k < s.GetTitleLines()->GetCount(); ++k)
        titleLines.push_back(s.GetTitleLines()->GetStrings(k));
    // The title text and the first title line share the title's line (one at the other's
    // place would overprint it), the title text first.
    AnsiString title = s.GetTitleText();
    if (!titleLines.empty()) title = title.IsEmpty() ? titleLines[0] : title + " " + titleLines[0];
    add(s.GetTitle(), title);

    TCanvas* c = P.Canvas;
    auto markupAt = [&](TPrintPosition pos) { return markup && pos == s.GetTitle(); };
    auto widthOf = [&](TPrintPosition pos, const AnsiString& text) {
        return markupAt(pos) ? PrintMarkup(P, text, TRect(0, 0, 65535, -65535), false, true).cx
                             : c->TextWidth(text);
    };
    auto put = [&](TPrintPosition pos, int x, int y, const AnsiString& text) {
        if (markupAt(pos))
            PrintMarkup(P, text, TRect(x, y, 65535, y - c->TextHeight("gh")), false, false);
        else
            c->TextOut(x, y, text);
    };
    auto xOf = [&](TPrintPosition pos, const AnsiString& text) {
        const int w = widthOf(pos, text);
        if (AtLeft(pos)) return s.GetLeftSize();
        if (pos == ppTopRight || pos == ppBottomRight)
            return P.PageWidth - w - 20 - s.GetRightSize();
        return (P.PageWidth - w) / 2;
    };
    for (int i = ppTopLeft; i <= ppBottomCenter; ++i) {
        const auto pos = static_cast<TPrintPosition>(i);
        const bool header = InHeader(pos);
        P.UseFont(header ? s.GetHeaderFont() : s.GetFooterFont());
        c->GetBrush()->SetStyle(bsClear);
        const int step = header ? P.HeaderTextHeight : P.FooterTextHeight;
        // In the footer the title's lines stand above the footer's line, so that the last
        // one sits where a footer text sits and none falls off the sheet.
        const int further =
            s.GetTitle() == pos && titleLines.size() > 1 ? int(titleLines.size()) - 1 : 0;
        int y = header ? -s.GetHeaderSize()
                       : P.PageHeight + P.FooterTextHeight + P.LineGap + s.GetFooterSize() +
                             further * step;
        if (!texts[i].IsEmpty()) put(pos, xOf(pos, texts[i]), y, texts[i]);
        // The title's further lines, one under the other.
        if (s.GetTitle() != pos) continue;
        for (size_t k = 1; k < titleLines.size(); ++k) {
            y -= step;
            const AnsiString& line = titleLines[k];
            put(pos, xOf(pos, line), y, line);
        }
    }
}

void DrawPageBorders(TPrintPass& P, int Bottom) {
    if (!P.PageShown()) return;
    const TPrintSettings& s = P.Settings;
    const TPrintBand& band = P.Band();
    TPrintLayout& l = P.Layout;
    TCanvas* c = P.Canvas;
    const TPrintBorders kind = s.GetBorders();
    const int top = -P.HeaderHeight - s.GetTitleSpacing();
    const int bottom = Bottom + P.LineGap / 2;
    const int left =
        band.RepeatFixedCols ? l.GetPrintColOffset(0) : l.GetPrintColOffset(band.First);
    const int right = l.GetPrintColOffset(band.Last + 1);
    c->GetPen()->SetColor(clBlack);
    c->GetPen()->SetStyle(s.GetBorderStyle());
    c->GetPen()->SetWidth(kind == pbDouble ? 10 : 2);
    c->GetBrush()->SetStyle(bsClear);
    if (kind == pbAround || kind == pbAroundVertical || kind == pbAroundHorizontal)
        c->Rectangle(left, top, right, bottom);
    if (kind == pbDouble || kind == pbHorizontal || kind == pbAroundHorizontal) {
        c->MoveTo(left, bottom);
        c->LineTo(right, bottom);
    }
    if ((kind == pbDouble || kind == pbVertical || kind == pbAroundVertical) &&
        band.RepeatFixedCols)
        for (int k = 0; k < P.Grid.GetFixedCols(); ++k) {
            c->MoveTo(l.GetPrintColOffset(k), top);
            c->LineTo(l.GetPrintColOffset(k), bottom);
        }
}
