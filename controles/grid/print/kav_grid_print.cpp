// The grid's print helpers and its print entry points: printing on the program's printer,
// preview on a caller's canvas, one page drawn on a caller's canvas.

#include "controles/grid/kav_grid.h"
#include "controles/grid/print/print_layout.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/services/printers.h"

#include <algorithm>
#include <cmath>

int TKavStringGrid::MaxLinesInGrid() {
    if (!GetMultilinecells() || GetColCount() == 0) return 1;
    int most = 1;
    for (int r = 0; r < GetRowCount(); ++r)
        most = std::max(most, MaxLinesInRow(r));
    return most;
}

int TKavStringGrid::MapFontHeight(int Size) const {
    return printLayout_->MapFontHeight(Size);
}

int TKavStringGrid::MapFontSize(int Height) const {
    return TPrintLayout::MapFontSize(Height);
}

TPrintLayout& TKavStringGrid::PrintLayout() {
    printLayout_->Fit(GetColCount());
    return *printLayout_;
}

int TKavStringGrid::GetPrintColWidth(int ACol) {
    return PrintLayout().GetPrintColWidth(ACol);
}

int TKavStringGrid::GetPrintColOffset(int ACol) {
    return PrintLayout().GetPrintColOffset(ACol);
}

namespace {

TGridRect WholeGrid(const TKavStringGrid& G) {
    return {0, 0, G.GetColCount() - 1, G.GetRowCount() - 1};
}

// Restores a canvas's device context when it goes, whatever happens between.
class SavedContext {
public:
    explicit SavedContext(TCanvas* Canvas)
        : canvas_(Canvas), dc_(Canvas->GetHandle()), saved_(SaveDC(dc_)) {}
    ~SavedContext() {
        RestoreDC(dc_, saved_);
        // The canvas's pen, brush and font (changed by the drawing) go to the context again.
        canvas_->Refresh();
    }
    SavedContext(const SavedContext&) = delete;
    SavedContext& operator=(const SavedContext&) = delete;
    HDC Handle() const { return dc_; }

private:
    TCanvas* canvas_;
    HDC dc_;
    int saved_;
};

// The canvas's device origin moved to the rectangle's top-left corner and drawing kept
// inside it, then the metric mode: a page drawn there starts at the rectangle.
void PageInside(HDC DC, const TRect& R) {
    SetMapMode(DC, MM_TEXT);
    IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    OffsetViewportOrgEx(DC, R.Left, R.Top, nullptr);
    SetMapMode(DC, MM_LOMETRIC);
}

void PrivatePrintRect(TKavStringGrid& G, const TGridRect& GridRect, bool SelectedOnly) {
    G.ExportNotification(esExportStart, -1);
    TPrintLayout& l = G.PrintLayout();
    const TPrintSettings& s = *G.GetPrintSettings();
    l.PrintRange = GridRect;
    TPrinter* printer = Printer();
    if (!s.GetUseDefaultOrientation()) printer->SetOrientation(s.GetOrientation());
    printer->SetTitle(s.GetJobName());
    printer->BeginDoc();
    TCanvas* canvas = printer->GetCanvas();
    try {
        HDC dc = canvas->GetHandle();
        l.PageRect = TRect(0, 0,
                           static_cast<int>(std::lround(printer->GetPageWidth() * 254.0 /
                                                        GetDeviceCaps(dc, LOGPIXELSX))),
                           static_cast<int>(std::lround(printer->GetPageHeight() * 254.0 /
                                                        GetDeviceCaps(dc, LOGPIXELSY))));
        l.Printer = printer;
        const int oldMode = SetMapMode(dc, MM_LOMETRIC);
        const int count = G.BuildPages(canvas, prCalcPrint, -1, SelectedOnly);
        l.FromPage = 1;
        l.ToPage = count;
        l.PageCount = count;
        if (G.OnPrintStart) G.OnPrintStart(&G, count, l.FromPage, l.ToPage);
        if (l.FromPage <= 0 || l.ToPage <= 0 || l.ToPage < l.FromPage || l.FromPage > count) {
            // Nothing to print (no page, or none of the document's): the job is dropped and
            // leaves no document behind.
            SetMapMode(dc, oldMode);
            l.Printer = nullptr;
            printer->Abort();
            G.ExportNotification(esExportDone, -1);
            return;
        }
        G.BuildPages(canvas, prPrint, count, SelectedOnly);
        SetMapMode(dc, oldMode);
        l.Printer = nullptr;
        printer->EndDoc();
    } catch (...) {
        l.Printer = nullptr;
        if (printer->GetPrinting()) printer->Abort();
        throw;
    }
    G.ExportNotification(esExportDone, -1);
}

} // namespace

void TKavStringGrid::Print() {
    PrivatePrintRect(*this, WholeGrid(*this), false);
}

void TKavStringGrid::PrintRect(const TGridRect& GridRect) {
    PrivatePrintRect(*this, GridRect, false);
}

void TKavStringGrid::PrintSelection() {
    PrivatePrintRect(*this, GetSelection(), false);
}

void TKavStringGrid::PrintSelectedRows() {
    PrivatePrintRect(*this, WholeGrid(*this), true);
}

void TKavStringGrid::PrintSelectedCols() {
    PrivatePrintRect(*this, WholeGrid(*this), true);
}

namespace {

void PrivatePreviewRect(TKavStringGrid& G, TCanvas* Canvas, const TRect& DisplayRect,
                        const TGridRect& GridRect, bool SelectedOnly) {
    G.ExportNotification(esExportStart, -1);
    TPrintLayout& l = G.PrintLayout();
    l.PrintRange = GridRect;
    {
        SavedContext saved(Canvas);
        PageInside(saved.Handle(), DisplayRect);
        const TRect page(0, 0, DisplayRect.Right - DisplayRect.Left,
                         DisplayRect.Bottom - DisplayRect.Top);
        l.PageRect = page;
        l.PageCount = G.BuildPages(Canvas, prCalcPreview, -1, SelectedOnly);
        l.PageRect = page;
        G.BuildPages(Canvas, prPreview, l.PageCount, SelectedOnly);
    }
    G.ExportNotification(esExportDone, -1);
}

} // namespace

void TKavStringGrid::PrintPreview(TCanvas* Canvas, const TRect& DisplayRect) {
    PrivatePreviewRect(*this, Canvas, DisplayRect, WholeGrid(*this), false);
}

void TKavStringGrid::PrintPreviewRect(TCanvas* Canvas, const TRect& DisplayRect,
                                      const TGridRect& GridRect) {
    PrivatePreviewRect(*this, Canvas, DisplayRect, GridRect, false);
}

void TKavStringGrid::PrintPreviewSelection(TCanvas* Canvas, const TRect& DisplayRect) {
    PrivatePreviewRect(*this, Canvas, DisplayRect, GetSelection(), false);
}

void TKavStringGrid::PrintPreviewSelectedRows(TCanvas* Canvas, const TRect& DisplayRect) {
    PrivatePreviewRect(*this, Canvas, DisplayRect, WholeGrid(*this), true);
}

void TKavStringGrid::PrintPreviewSelectedCols(TCanvas* Canvas, const TRect& DisplayRect) {
    PrivatePreviewRect(*this, Canvas, DisplayRect, WholeGrid(*this), true);
}

void TKavStringGrid::SetPreviewPage(int Value) {
    TPrintLayout& l = PrintLayout();
    l.FromPage = Value;
    l.ToPage = Value;
}

void TKavStringGrid::PrintDraw(TCanvas* Canvas, const TRect& DrawRect) {
    PrintDrawRect(Canvas, DrawRect, WholeGrid(*this));
}

void TKavStringGrid::PrintDrawRect(TCanvas* Canvas, const TRect& DrawRect,
                                   const TGridRect& GridRect) {
    TPrintLayout& l = PrintLayout();
    l.PrintRange = GridRect;
    l.PageRect = DrawRect;
    l.FromPage = l.ToPage = l.PageCount = 1;
    SavedContext saved(Canvas);
    PageInside(saved.Handle(), DrawRect);
    BuildPages(Canvas, prPrint, 1, false);
}

void TKavStringGrid::PaintCellGraphic(TCanvas* Canvas, int RealCol, int ARow, const TRect& R,
                                      TAlignment HA, TVAlignment VA) {
    int w = 0, h = 0;
    bool displText = true;
    TCellHAlign gha;
    TCellVAlign gva;
    TCellGraphic* graphic = GetGraphicDetails(RealCol, ARow, w, h, displText, gha, gva);
    if (!graphic) return;
    // A button painted here keeps where the screen has it for the mouse.
    const int buttonOffset = graphic->CellButtonOffset;
    DrawCellGraphic(Canvas, RealCol, ARow, R, graphic, w, h, 0, HA, VA, TGridDrawState());
    graphic->CellButtonOffset = buttonOffset;
}
