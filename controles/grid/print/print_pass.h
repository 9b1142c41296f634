#pragma once
// One run of the page builder over the print range: what it has worked out so far (page,
// fonts, bands, the current page and y) and what the page drawing reads. Everything is in
// tenths of a millimetre on a canvas in MM_LOMETRIC: y is 0 at the top of a page and
// negative below, heights of rows and widths of columns are positive.

#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/print/print_layout.h"

#include <memory>
#include <vector>

struct TPrintBand {
    int First = 0, Last = 0; // display columns, inclusive
    int Width = 0;           // the columns' widths and spacings, repeated fixed columns counted
    bool RepeatFixedCols = false;
    int FixedWidth = 0; // the repeated fixed columns' share of Width
};

struct TPrintPass {
    TPrintPass(TKavStringGrid& AGrid, TCanvas* ACanvas, TPrintMethod AMethod, int APageCount,
               bool ASelectedOnly);
    ~TPrintPass();
    TPrintPass(const TPrintPass&) = delete;
    TPrintPass& operator=(const TPrintPass&) = delete;

    TKavStringGrid& Grid;
    TPrintSettings& Settings;
    TPrintLayout& Layout;
    TCanvas* Canvas;
    TPrintMethod Method;
    int PageCount;
    bool SelectedOnly;
    // Whether the grid's every row from the first normal row to the last before the footers
    // is printed (ExportNotification's esExportNewRow), else esExportSelRow.
    bool AllRows = false;

    int PagesFinished = 0;
    int PageWidth = 0, PageHeight = 0; // PageHeight is negative
    int TextHeight = 0, HeaderTextHeight = 0, FooterTextHeight = 0, LineGap = 0;
    int HeaderHeight = 0, FooterHeight = 0;
    int Y = 0;
    double ScreenToPaper = 1, DeviceRatio = 1, FitScale = 1;
    // What a screen pixel takes on paper at the scale rows are measured and drawn at: cell
    // graphics, indents and what the screen's painters draw are scaled as the fonts are.
    double PixelToPaper() const { return ScreenToPaper * Layout.FontScale; }
    int Spacing = 0;

    std::vector<TPrintBand> Bands;
    size_t BandIndex = 0;
    int PageInBand = 0;
    const TPrintBand& Band() const { return Bands[BandIndex]; }

    // The one-row cache of the row-height rule.
    int CachedRow = -1, CachedHeight = 0;
    // The rows' heights as the width pass measured them at scale 1.0 (by row; Tallest -1 for
    // a row it did not measure), empty when the rows must be measured again.
    struct RowMeasure {
        int Tallest = -1, Last = 0;
        // A cell of the row may wrap in the width it gets (merged across columns): measured
        // again once the widths are known.
        bool Again = false;
    };
    std::vector<RowMeasure> MeasuredRows;

    // The fonts of one build: the cell font and the header and footer fonts, their heights
    // set by MapFontHeight.
    std::unique_ptr<TFont> CellFont, HeaderFont, FooterFont;

    // Whether this build draws at all, and whether it draws the current page.
    bool Drawing() const { return Method == prPreview || Method == prPrint; }
    bool PageShown() const {
        return Drawing() && PagesFinished + 1 >= Layout.FromPage &&
               PagesFinished + 1 <= Layout.ToPage;
    }
    // Whether a row or a column is in the output (the selected-only filter).
    bool RowPrinted(int ARow) const;
    bool ColPrinted(int ACol) const;
    // The canvas font set to a font of the settings at its mapped height (font scale
    // applied).
    void UseFont(TFont* Font);
};

// --- cells on paper (print_cells.cpp) ---
// The text a cell prints: formatted, calculated for formulas, markup and rich text as
// their plain text, a password hidden.
AnsiString PrintCellText(TKavStringGrid& Grid, TRealCol RealCol, int ARow);
// The cell's text as it is drawn on paper when it is of that kind (markup or rich text;
// formatted, calculated for formulas); empty when it is of another kind or a password.
AnsiString PrintCellSource(TKavStringGrid& Grid, int RealCol, int ARow, TTextType Kind);
// Draws markup into R (logical, Top above Bottom) of the pass's canvas as the grid's screen
// draws it (fonts, colours, styles, anchors, images), starting in the canvas's font, at the
// scale rows are drawn at; with Measure only measures. Returns the extent it takes, in
// logical units.
TSize PrintMarkup(TPrintPass& P, const AnsiString& Text, const TRect& R, bool WordWrap,
                  bool Measure);
// The cell's text lines as they go on paper: split at line breaks under Multilinecells,
// word-wrapped into Width when Width > 0.
std::vector<AnsiString> PrintTextLines(TPrintPass& P, const AnsiString& Text, bool MultiLine,
                                       int Width);
// The size a cell (the display column Col) takes on paper in its font; with CellWidth (the
// cell's width on paper, its spacing and merged columns counted) its text is laid as it is
// drawn there, wrapped when the cell wraps.
TSize MeasurePrintCell(TPrintPass& P, TShownCol Col, int ARow, int CellWidth = 0);
// Draws the cell (display column Col) into R, whose Top is above its Bottom.
void DrawPrintCell(TPrintPass& P, TShownCol Col, int ARow, const TRect& R);

// --- pages (page_painter.cpp) ---
// The row's height by the row-height rule (cached for one row).
int PrintRowHeight(TPrintPass& P, int ARow);
// Draws the row at the current y when its page is shown; returns the height it takes.
int DrawPrintRow(TPrintPass& P, int ARow);
// The page's header and footer texts, when the page is shown.
void DrawPageHeaderFooter(TPrintPass& P);
// The page's borders around the band's columns down to Bottom, when the page is shown.
void DrawPageBorders(TPrintPass& P, int Bottom);
// What a page number reads on the current page.
AnsiString PageNumberText(const TPrintPass& P);
