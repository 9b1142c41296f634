// The page builder: the width of every column and the height of every row on paper, the
// columns cut into bands that fit the page width, the rows of each band into pages between
// header and footer, the print events, and the page drawing at the right moments. A
// calculation pass counts the pages; a drawing pass runs the same layout and draws.

#include "controles/grid/print/print_pass.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/services/printers.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kScreenPixelsPerInch = 96;

} // namespace

TPrintPass::TPrintPass(TKavStringGrid& AGrid, TCanvas* ACanvas, TPrintMethod AMethod,
                       int APageCount, bool ASelectedOnly)
    : Grid(AGrid), Settings(*AGrid.GetPrintSettings()), Layout(AGrid.PrintLayout()),
      Canvas(ACanvas), Method(AMethod), PageCount(APageCount), SelectedOnly(ASelectedOnly) {}

TPrintPass::~TPrintPass() {
    Layout.FontScale = 1.0;
}

bool TPrintPass::RowPrinted(int ARow) const {
    if (!SelectedOnly) return true;
    TMouseActions* m = Grid.GetMouseActions();
    if (m->GetDisjunctRowSelect()) {
        const int row = Grid.RowSelectIndex(TShownRow(ARow));
        return Grid.GetRowSelect(row);
    }
    const TGridRect s = Grid.GetSelection();
    return ARow >= s.Top && ARow <= s.Bottom;
}

bool TPrintPass::ColPrinted(int ACol) const {
    if (!SelectedOnly) return true;
    if (Grid.GetMouseActions()->GetDisjunctColSelect()) return Grid.GetColSelect(ACol);
    const TGridRect s = Grid.GetSelection();
    return ACol >= s.Left && ACol <= s.Right;
}

void TPrintPass::UseFont(TFont* Font) {
    Canvas->SetFont(Font);
    Canvas->GetFont()->SetHeight(Grid.MapFontHeight(Font->GetSize()));
}

namespace {

int Rounded(double V) {
    return static_cast<int>(std::lround(V));
}

// Set-up: units, fonts, text heights, the page's size by the method, the factors.
void SetUp(TPrintPass& P) {
    TCanvas* c = P.Canvas;
    HDC dc = c->GetHandle();
    SetMapMode(dc, MM_TEXT);
    P.DeviceRatio = GetDeviceCaps(dc, LOGPIXELSX) / static_cast<double>(kScreenPixelsPerInch);
    SetMapMode(dc, MM_LOMETRIC);
    P.Layout.FontScale = 1.0;

    const TPrintSettings& s = P.Settings;
    c->GetPen()->SetColor(clBlack);
    c->GetPen()->SetStyle(s.GetBorderStyle());
    c->GetPen()->SetWidth(s.GetBorders() == pbDouble ? 10 : 2);
    P.UseFont(s.GetHeaderFont());
    P.HeaderTextHeight = c->TextHeight("gh");
    P.UseFont(s.GetFooterFont());
    P.FooterTextHeight = c->TextHeight("gh");
    P.UseFont(s.GetFont());
    P.TextHeight = c->TextHeight("gh");
    P.LineGap = P.TextHeight / 8;

    TRect& page = P.Layout.PageRect;
    switch (P.Method) {
    case prPrint: {
        const TRect clip = c->GetClipRect();
        P.PageWidth = clip.Right - clip.Left;
        P.PageHeight = clip.Bottom;
        break;
    }
    case prCalcPrint:
        P.PageWidth = page.Right - page.Left;
        P.PageHeight = -page.Bottom - page.Top;
        break;
    case prPreview:
    case prCalcPreview: {
        TPoint corners[2] = {{page.Left, page.Top}, {page.Right, page.Bottom}};
        DPtoLP(c->GetHandle(), corners, 2);
        page = TRect(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
        P.PageWidth = page.Right - page.Left;
        P.PageHeight = page.Bottom - page.Top;
        break;
    }
    }
    P.ScreenToPaper = 254.0 / kScreenPixelsPerInch;
    P.Spacing = s.GetUseFixedWidth() ? 0 : s.GetColumnSpacing() + 20;
    P.FitScale = 1.0;
}

// The columns whose widths a build fills: the print range's and the repeated fixed ones.
bool Measured(const TPrintPass& P, int ACol) {
    const TGridRect& r = P.Layout.PrintRange;
    if (ACol >= r.Left && ACol <= r.Right) return P.ColPrinted(ACol);
    return P.Settings.GetRepeatFixedCols() && ACol < P.Grid.GetFixedCols();
}

int SumOfPrinted(TPrintPass& P) {
    const TGridRect& r = P.Layout.PrintRange;
    int total = 0;
    for (int c = r.Left; c <= r.Right; ++c)
        if (P.ColPrinted(c)) total += P.Layout.GetPrintColWidth(c) + P.Spacing;
    return total;
}

// A cell measured for its column's width. The cells of the range's columns are measured
// even when merged across columns (they never widen their column), so that the row's height
// is known from this pass too: the tallest cell not merged across rows, and the last one.
void MeasureColumn(TPrintPass& P, int ACol, int ARow) {
    TKavStringGrid& g = P.Grid;
    const int real = g.RemapCol(ACol);
    const TGridRect& r = P.Layout.PrintRange;
    const bool inRange = ACol >= r.Left && ACol <= r.Right;
    int w = 0;
    if (P.Settings.GetUseFixedWidth()) {
        w = P.Settings.GetFixedWidth();
    } else if (inRange || !g.IsXMergedCell(real, ARow)) {
        const TSize size = MeasurePrintCell(P, TShownCol(ACol), ARow);
        if (!g.IsXMergedCell(real, ARow)) w = size.cx;
        if (inRange) {
            TPrintPass::RowMeasure& m = P.MeasuredRows[static_cast<size_t>(ARow)];
            m.Last = size.cy;
            if (!g.IsYMergedCell(real, ARow)) m.Tallest = std::max(m.Tallest, size.cy);
            if (g.IsXMergedCell(real, ARow)) m.Again = true;
        }
    }
    if (w > P.Layout.GetPrintColWidth(ACol)) P.Layout.SetPrintColWidth(ACol, w);
}

void ColumnWidths(TPrintPass& P) {
    TKavStringGrid& g = P.Grid;
    const TPrintSettings& s = P.Settings;
    TPrintLayout& l = P.Layout;
    const TGridRect& r = l.PrintRange;
    const int lastFixed = s.GetRepeatFixedCols() ? std::min(g.GetFixedCols(), r.Left) - 1 : -1;
    std::vector<int> cols;
    for (int c = 0; c <= lastFixed; ++c)
        cols.push_back(c);
    for (int c = r.Left; c <= r.Right; ++c)
        if (Measured(P, c)) cols.push_back(c);
    for (int c = 0; c <= lastFixed; ++c)
        l.SetPrintColWidth(c, 0);
    for (int c = r.Left; c <= r.Right; ++c)
        l.SetPrintColWidth(c, 0);

    if (!s.GetNoAutoSize()) {
        if (!s.GetUseFixedWidth())
            P.MeasuredRows.assign(static_cast<size_t>(g.GetRowCount()), TPrintPass::RowMeasure());
        if (s.GetRepeatFixedRows() && r.Top >= g.GetFixedRows())
            for (int row = 0; row < g.GetFixedRows(); ++row)
                for (int c : cols)
                    MeasureColumn(P, c, row);
        for (int row = r.Top; row <= r.Bottom; ++row)
            if (P.RowPrinted(row))
                for (int c : cols)
                    MeasureColumn(P, c, row);
    } else {
        for (int c : cols)
            l.SetPrintColWidth(c, Rounded((g.GetColWidths(c) - 4) * P.ScreenToPaper));
    }

    int total = SumOfPrinted(P);
    const TFitToPage fit = s.GetFitToPage();
    if (fit != fpNever) {
        // The spacing of the printed columns only, as the total counts them.
        int spacings = 0;
        for (int c = r.Left; c <= r.Right; ++c)
            if (P.ColPrinted(c)) spacings += P.Spacing;
        const int room = P.PageWidth - s.GetRightSize() - s.GetLeftSize();
        double scale = 1.0;
        if (total != spacings) scale = (room - spacings) / static_cast<double>(total - spacings);
        // When the spacing alone takes the whole width, the spacing shrinks with the columns:
        // the scale is then the room over the whole total.
        const bool spacingToo = scale <= 0 && room > 0 && total > 0;
        if (spacingToo) scale = room / static_cast<double>(total);
        if (fit == fpShrink && scale > 1.0) scale = 1.0;
        if (fit == fpGrow && scale < 1.0) scale = 1.0;
        if (fit == fpCustom && scale != 1.0) {
            bool allow = true;
            if (g.OnFitToPage) g.OnFitToPage(&g, scale, allow);
            if (!allow) scale = 1.0;
        }
        if (scale != 1.0 && scale > 0) {
            for (int c : cols)
                l.SetPrintColWidth(c, static_cast<int>(l.GetPrintColWidth(c) * scale));
            if (spacingToo) P.Spacing = static_cast<int>(P.Spacing * scale);
            P.FitScale = scale;
        }
    }
    // At another scale the fonts change, and widths the user sets may make texts wrap: rows
    // are measured again.
    if (P.FitScale != 1.0 || g.OnPrintSetColumnWidth) P.MeasuredRows.clear();
    if (g.OnPrintSetColumnWidth)
        for (int c = r.Left; c <= r.Right; ++c) {
            int w = l.GetPrintColWidth(c);
            g.OnPrintSetColumnWidth(&g, c, w);
            l.SetPrintColWidth(c, w);
        }
}

// The bands: from the range's first column, as many columns as fit in the page width less
// the right margin, after the repeated fixed columns. A column that does not fit even alone
// makes a band by itself.
void CutBands(TPrintPass& P) {
    TKavStringGrid& g = P.Grid;
    const TPrintSettings& s = P.Settings;
    TPrintLayout& l = P.Layout;
    const TGridRect& r = l.PrintRange;
    const int limit = P.PageWidth - s.GetRightSize();
    P.Bands.clear();
    for (int first = r.Left; first <= r.Right;) {
        TPrintBand b;
        b.First = first;
        b.RepeatFixedCols = first > r.Left && g.GetFixedCols() > 0 && s.GetRepeatFixedCols() &&
                            first >= g.GetFixedCols();
        if (b.RepeatFixedCols)
            for (int c = 0; c < g.GetFixedCols(); ++c)
                b.FixedWidth += l.GetPrintColWidth(c) + P.Spacing;
        int x = b.FixedWidth, c = first;
        for (; c <= r.Right; ++c) {
            const int add = P.ColPrinted(c) ? l.GetPrintColWidth(c) + P.Spacing : 0;
            if (x + add > limit && c > first) break;
            x += add;
        }
        b.Last = std::min(c - 1, r.Right);
        b.Width = x;
        P.Bands.push_back(b);
        first = b.Last + 1;
    }
}

// The band's column offsets: from the left margin (or 0 when centred), the band centred
// on the page, the band's own columns after the repeated fixed ones.
void BandOffsets(TPrintPass& P) {
    const TPrintSettings& s = P.Settings;
    TPrintLayout& l = P.Layout;
    const TPrintBand& b = P.Band();
    const int fixedCols = P.Grid.GetFixedCols();
    const int start = s.GetCentered() ? 0 : s.GetLeftSize();
    l.SetPrintColOffset(b.First, start);
    if (b.RepeatFixedCols) {
        l.SetPrintColOffset(0, start);
        for (int c = 1; c <= fixedCols; ++c)
            l.SetPrintColOffset(c,
                                l.GetPrintColOffset(c - 1) + l.GetPrintColWidth(c - 1) + P.Spacing);
    }
    for (int c = b.First + 1; c <= b.Last + 1; ++c) {
        const int add = P.ColPrinted(c - 1) ? l.GetPrintColWidth(c - 1) + P.Spacing : 0;
        l.SetPrintColOffset(c, l.GetPrintColOffset(c - 1) + add);
    }
    auto shift = [&](int from, int to, int by) {
        for (int c = from; c <= to; ++c)
            l.SetPrintColOffset(c, l.GetPrintColOffset(c) + by);
    };
    if (s.GetCentered() && b.Width < P.PageWidth) {
        const int by = (P.PageWidth - b.Width) / 2;
        shift(b.First, b.Last + 1, by);
        if (b.RepeatFixedCols) shift(0, fixedCols, by);
    }
    shift(b.First, b.Last + 1, b.FixedWidth);
}

void HeaderFooterHeights(TPrintPass& P) {
    const TPrintSettings& s = P.Settings;
    auto inHeader = [](TPrintPosition p) { return p >= ppTopLeft && p <= ppTopCenter; };
    auto inFooter = [](TPrintPosition p) { return p >= ppBottomLeft && p <= ppBottomCenter; };
    const TPrintPosition items[] = {s.GetTime(), s.GetDate(), s.GetPageNr(), s.GetTitle()};
    const int extraTitleLines = std::max(s.GetTitleLines()->GetCount() - 1, 0);
    if (std::any_of(std::begin(items), std::end(items), inHeader)) {
        P.HeaderHeight = P.LineGap + P.HeaderTextHeight + s.GetHeaderSize();
        if (inHeader(s.GetTitle())) P.HeaderHeight += extraTitleLines * P.HeaderTextHeight;
    } else {
        P.HeaderHeight = s.GetHeaderSize();
    }
    if (std::any_of(std::begin(items), std::end(items), inFooter)) {
        P.FooterHeight = (P.LineGap + P.FooterTextHeight) * 2 + s.GetFooterSize();
        if (inFooter(s.GetTitle())) P.FooterHeight += extraTitleLines * P.FooterTextHeight;
    } else {
        P.FooterHeight = P.LineGap + P.FooterTextHeight + s.GetFooterSize();
    }
}

void FirePrintPage(TPrintPass& P, int PageNr) {
    TKavStringGrid& g = P.Grid;
    if (P.Drawing() && g.OnPrintPage)
        g.OnPrintPage(&g, P.Canvas, PageNr, P.PageWidth, P.PageHeight);
}

// The next page: ejected on the printer and announced when it is among the pages drawn.
void StartNewPage(TPrintPass& P) {
    const int next = P.PagesFinished + 2;
    const TPrintLayout& l = P.Layout;
    if (next < l.FromPage || next > l.ToPage) return;
    if (P.Method == prPrint && l.Printer && P.PagesFinished + 1 >= l.FromPage) {
        l.Printer->NewPage();
        SetMapMode(P.Canvas->GetHandle(), MM_LOMETRIC);
    }
    FirePrintPage(P, next);
}

// The fixed rows at the top of a page, with the band's columns.
void RepeatFixedRows(TPrintPass& P) {
    for (int row = 0; row < P.Grid.GetFixedRows(); ++row)
        P.Y -= DrawPrintRow(P, row);
}

// The rows of the current band; false when a cancel stopped the build.
bool BandRows(TPrintPass& P) {
    TKavStringGrid& g = P.Grid;
    const TPrintSettings& s = P.Settings;
    const TGridRect& r = P.Layout.PrintRange;
    const int notification = P.AllRows ? esExportNewRow : esExportSelRow;
    int row = r.Top, rowsOnPage = 0, lastBreak = -1;
    bool cancel = false;
    P.Y = 0;
    while (row <= r.Bottom && !cancel) {
        g.ExportNotification(notification, row);
        if (rowsOnPage == 0) {
            P.Y = -P.HeaderHeight;
            DrawPageHeaderFooter(P);
            P.Y -= s.GetTitleSpacing();
            if (row > 0 && s.GetRepeatFixedRows() && g.GetFixedRows() > 0 &&
                (P.PagesFinished > 0 || r.Top >= g.GetFixedRows())) {
                RepeatFixedRows(P);
                ++rowsOnPage;
            }
        }
        if (P.RowPrinted(row)) P.Y -= DrawPrintRow(P, row);
        ++row;
        ++rowsOnPage;
        bool newPage = false;
        if (g.OnPrintNewPage) g.OnPrintNewPage(&g, row, newPage);
        // Only a row still to be printed can need a page: rows left out by the selected-only
        // filter after the last printed one never start a blank page.
        int next = row;
        while (next <= r.Bottom && !P.RowPrinted(next))
            ++next;
        const bool rowsLeft = next <= r.Bottom;
        const int h = rowsLeft ? PrintRowHeight(P, next) : 0;
        const bool full = P.Y - h < P.PageHeight + P.FooterHeight;
        const bool pageBreak = rowsLeft && (full || newPage);
        if ((pageBreak || row > r.Bottom) && P.Drawing()) {
            if (g.OnPrintPageDone)
                g.OnPrintPageDone(&g, P.Canvas, row, P.Y, P.PagesFinished + 1, P.PageWidth,
                                  P.PageHeight);
            if (g.OnPrintCancel) g.OnPrintCancel(&g, P.PagesFinished + 1, cancel);
        }
        if (pageBreak && !cancel) {
            DrawPageBorders(P, P.Y);
            rowsOnPage = 0;
            lastBreak = row;
            StartNewPage(P);
            ++P.PagesFinished;
            ++P.PageInBand;
            HeaderFooterHeights(P);
        }
    }
    if (lastBreak != row) DrawPageBorders(P, P.Y);
    return !cancel;
}

} // namespace

int TKavStringGrid::BuildPages(TCanvas* Canvas, TPrintMethod PrintMethod, int PageCount,
                               bool SelectedOnly) {
    TPrintPass p(*this, Canvas, PrintMethod, PageCount, SelectedOnly);
    // A range outside the grid prints what of it is in the grid.
    TGridRect& r = p.Layout.PrintRange;
    r.Left = std::max(r.Left, 0);
    r.Top = std::max(r.Top, 0);
    r.Right = std::min(r.Right, GetColCount() - 1);
    r.Bottom = std::min(r.Bottom, GetRowCount() - 1);
    if (r.Left > r.Right || r.Top > r.Bottom) return 0;
    p.AllRows = r.Top <= GetFixedRows() && r.Bottom >= GetRowCount() - GetFixedFooters() - 1;

    SetUp(p);
    ColumnWidths(p);
    CutBands(p);
    for (p.BandIndex = 0; p.BandIndex < p.Bands.size(); ++p.BandIndex) {
        p.PageInBand = 0;
        BandOffsets(p);
        HeaderFooterHeights(p);
        FirePrintPage(p, p.PagesFinished + 1);
        const bool go = BandRows(p);
        if (go && p.BandIndex + 1 < p.Bands.size()) StartNewPage(p);
        ++p.PagesFinished;
        if (!go) break;
    }
    return p.PagesFinished;
}
