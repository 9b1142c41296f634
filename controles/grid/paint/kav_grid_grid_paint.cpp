// TKavStringGrid: what is painted for the grid as a whole: the paint entry, the area right
// of the last column and below the last row (gradient or wallpaper), the thin border, the
// sizing lines, and the colour schemes of the visual styles.
#include "controles/comun/color_scheme.h"
#include "controles/comun/drawing_utils.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/rich_text.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/painting/rich_layout.h"
#include "plataforma/gui/painting/themes.h"

#include <algorithm>
#include <string>

void TKavStringGrid::Paint() {
    TCanvas* c = GetCanvas();
    c->GetPen()->SetStyle(psSolid);
    TBaseGrid::Paint();
    if (GetEditorMode()) {
        // The cell being edited keeps an outline in the grid-line colour.
        const TGridOptions o = GetOptions();
        const bool lines =
            GetGridLineWidth() >= 1 && (o.Contains(goHorzLine) || o.Contains(goVertLine));
        const TRect r = CellRect(GetCol(), GetRow());
        c->GetPen()->SetColor(lines ? GetGridLineColor() : GetColor());
        c->GetBrush()->SetStyle(bsClear);
        c->Rectangle(r);
        c->GetBrush()->SetStyle(bsSolid);
    }
    c->GetPen()->SetColor(clBlack);
    PaintBackground();
    // A fixed cell held down as a button stays pressed in through repaints.
    if (fixedButtonDown_) DrawFixedButton(true);
    if (OnAfterPaint) OnAfterPaint(this);
}

void TKavStringGrid::PaintBackground() {
    const int lastCol = GetColCount() - 1, lastRow = GetRowCount() - 1;
    const bool colInView = GetLeftCol() + GetVisibleColCount() > lastCol;
    const bool rowInView = GetTopRow() + GetVisibleRowCount() > lastRow;
    const TBackGroundDisplay d = backGround_->GetDisplay();
    const bool gradient = d == bdGradientHorz || d == bdGradientVert;
    TBitmap* wall = backGround_->GetBitmap();
    const bool hasWall = wall && !wall->GetEmpty();
    // A gradient without its end colour paints nothing, a picture included.
    if (gradient && backGround_->GetColorTo() == clNone) return;
    if (!gradient && !hasWall) return;

    // The search bar and the floating footer cover the bottom of the client area.
    TRect client = GetClientRect();
    if (searchFooter_->GetVisible()) client.Bottom -= 32;
    if (floatingFooter_->GetVisible() && footerPanel_) client.Bottom -= footerPanel_->GetHeight();
    const TRect lastCell = TCustomGrid::CellRect(lastCol, lastRow);
    std::vector<TRect> strips;
    if (colInView) {
        const int right = TCustomGrid::CellRect(lastCol, GetTopRow()).Right + 1;
        if (right < client.Right)
            strips.push_back(Rect(right, client.Top, client.Right, client.Bottom));
    }
    if (rowInView && lastCell.Height() > 0) {
        const int bottom = lastCell.Bottom + 1;
        if (bottom < client.Bottom)
            strips.push_back(Rect(client.Left, bottom, client.Right, client.Bottom));
    }
    if (strips.empty()) return;

    TCanvas* c = GetCanvas();
    const HDC dc = c->GetHandle();
    for (const TRect& strip : strips) {
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, strip.Left, strip.Top, strip.Right, strip.Bottom);
        if (!hasWall) {
            DrawGradient(c, backGround_->GetColor(), backGround_->GetColorTo(), 128, client,
                         d == bdGradientHorz);
        } else if (d == bdTile) {
            if (backGround_->GetCells() == bcNormal) {
                const TRect first = GetCellRect(GetFixedCols(), GetFixedRows());
                DrawWallPaperTile(Rect(first.Left + xyOffset_.x, first.Top + xyOffset_.y,
                                       client.Right, client.Bottom));
            } else if (backGround_->GetCells() != bcFixed) {
                DrawWallPaperTile(client);
            }
        } else {
            DrawWallPaperFixed(client);
        }
        RestoreDC(dc, saved);
        c->Refresh();
    }
}

void TKavStringGrid::DrawWallPaperFixed(const TRect& R) {
    TBitmap* bmp = backGround_->GetBitmap();
    const TRect b =
        Bounds(backGround_->GetLeft(), backGround_->GetTop(), bmp->GetWidth(), bmp->GetHeight());
    const TRect i = Rect(std::max(b.Left, R.Left), std::max(b.Top, R.Top),
                         std::min(b.Right, R.Right), std::min(b.Bottom, R.Bottom));
    if (i.Width() <= 0 || i.Height() <= 0) return;
    GetCanvas()->CopyRect(i, bmp->GetCanvas(),
                          Rect(i.Left - b.Left, i.Top - b.Top, i.Right - b.Left, i.Bottom - b.Top));
}

void TKavStringGrid::DrawWallPaperTile(const TRect& R) {
    TBitmap* bmp = backGround_->GetBitmap();
    const int w = bmp->GetWidth(), h = bmp->GetHeight();
    if (w <= 0 || h <= 0) return;
    for (int y = R.Top - 1; y < R.Bottom; y += h)
        for (int x = R.Left - 1; x < R.Right; x += w) {
            const int cw = std::min(w, R.Right - x), ch = std::min(h, R.Bottom - y);
            GetCanvas()->CopyRect(Bounds(x, y, cw, ch), bmp->GetCanvas(), Rect(0, 0, cw, ch));
        }
}

void TKavStringGrid::NCPaintProc() {
    if (!HandleAllocated()) return;
    if (look_ != glSoft && look_ != glKav && look_ != glXP && look_ != glListView) return;
    if (GetBorderStyle() != bsSingle || flat_) return;
    const int w = GetWidth(), h = GetHeight();
    TControlCanvas canvas;
    canvas.SetControl(this);
    canvas.SetWholeWindow(true);
    TCanvas& c = canvas;
    c.GetPen()->SetColor(isWinXP_ ? TColor(0xB99D7F) : clGray);
    c.MoveTo(1, h);
    c.LineTo(1, 1);
    c.LineTo(w - 2, 1);
    c.LineTo(w - 2, h - 2);
    c.LineTo(1, h - 2);
    if (TWinControl* parent = GetParent()) {
        c.GetPen()->SetColor(parent->GetColor());
        c.MoveTo(0, h);
        c.LineTo(0, 0);
        c.LineTo(w - 1, 0);
        c.LineTo(w - 1, h - 1);
        c.LineTo(0, h - 1);
    }
}

namespace {

void XorLine(TCanvas* C, int X1, int Y1, int X2, int Y2) {
    TPen* pen = C->GetPen();
    const TColor colour = pen->GetColor();
    const TPenStyle style = pen->GetStyle();
    const TPenMode mode = pen->GetMode();
    const int width = pen->GetWidth();
    pen->SetColor(clBlack);
    pen->SetStyle(psDot);
    pen->SetMode(pmXor);
    pen->SetWidth(1);
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
    pen->SetColor(colour);
    pen->SetStyle(style);
    pen->SetMode(mode);
    pen->SetWidth(width);
}

} // namespace

void TKavStringGrid::DrawSizingLine(int X) {
    const TRect last = TCustomGrid::CellRect(0, GetRowCount() - 1);
    XorLine(GetCanvas(), X, 0, X, std::max(GetHeight(), last.Bottom));
}

void TKavStringGrid::DrawSizingLineR(int Y) {
    const TRect last = TCustomGrid::CellRect(GetColCount() - 1, 0);
    XorLine(GetCanvas(), 0, Y, std::max(GetWidth(), last.Right), Y);
}

void TKavStringGrid::RTFPaint(int ACol, int ARow, TCanvas* Canvas, const TRect& R) {
    // The cell's rich text laid into the rectangle less the offsets (scaled to the canvas's
    // resolution), its lines wrapped at that width; a text that is no readable rich text is
    // shown as it is stored.
    const HDC dc = Canvas->GetHandle();
    TRichDocument doc = RichDocumentOf(GetGridCell(ACol, ARow));
    // A selected cell on the screen shows its text in the selection's text colour.
    const int dispCol = RemapColInv(ACol);
    TMouseActions* ma = GetMouseActions();
    const bool focusedCurrent = dispCol == GetCol() && ARow == GetRow() && Focused() &&
                                !GetOptions().Contains(goDrawFocusSelected);
    const bool selected =
        (GetSelection().Contains(dispCol, ARow) && !focusedCurrent &&
         !ma->GetDisjunctRowSelect()) ||
        (ma->GetDisjunctRowSelect() && GetRowSelect(RowSelectIndex(TShownRow(ARow)))) ||
        (ma->GetDisjunctColSelect() && GetColSelect(dispCol));
    if (selected && !selectionRTFKeep_ && GetMapMode(dc) == MM_TEXT) {
        const int32_t color = static_cast<int32_t>(ColorToRGB(selectionTextColor_));
        for (TRichParagraph& p : doc.Paragraphs)
            for (TRichRun& run : p.Runs)
                run.Format.Color = color;
    }
    const int ix = xyOffset_.x * GetDeviceCaps(dc, LOGPIXELSX) / 96;
    const int iy = xyOffset_.y * GetDeviceCaps(dc, LOGPIXELSY) / 96;
    TFormatRange range;
    range.Canvas = Canvas;
    range.Rc = PixelsToTwips(Canvas, Rect(R.Left + ix, R.Top + iy, R.Right - ix, R.Bottom - iy));
    range.RcPage = range.Rc;
    FormatRichRange(doc, range, true);
}

void TKavStringGrid::SetTheme(TXPColorScheme Value) {
    struct Scheme {
        TColor from, to;
    };
    Scheme pair{clWhite, clBtnFace};
    TColor active = clWhite, activeTo = 0xFFD9B3;
    switch (Value) {
    case xpBlue:
        pair = {0xFCE1CB, 0xE0A57D};
        break;
    case xpGreen:
        pair = {0xCFF0EA, 0x8CC0B1};
        break;
    case xpGray:
        pair = {0xECE2E1, 0xB39698};
        break;
    case xpNone:
        break;
    }
    if (Value != xpNone) {
        active = 0x94E6FB;
        activeTo = 0x1595EE;
        controlLook_->SetFixedGradientTo(pair.from);
        controlLook_->SetFixedGradientFrom(pair.to);
    } else {
        controlLook_->SetFixedGradientTo(clNone);
        controlLook_->SetFixedGradientFrom(clNone);
    }
    kavGradFrom_ = pair.from;
    kavGradTo_ = pair.to;
    activeCellColor_ = active;
    activeCellColorTo_ = activeTo;
    // The search bar takes the fixed cells' pair, or without a scheme the active cell's.
    searchFooter_->SetColor(Value != xpNone ? pair.from : active);
    searchFooter_->SetColorTo(Value != xpNone ? pair.to : activeTo);
    Invalidate();
}

void TKavStringGrid::SetLook(TGridLook Value) {
    look_ = Value;
    if (Value == glKav) {
        kavGradFrom_ = 0xC0C0C0;
        kavGradTo_ = 0xFFFFFF;
    }
    Invalidate();
    if (!GetComponentState().Contains(csLoading)) UpdateFooter();
}

void TKavStringGrid::ThemeAdapt() {
    switch (DetectXPColorScheme()) {
    case xpcsBlue:
        return SetTheme(xpBlue);
    case xpcsOlive:
        return SetTheme(xpGreen);
    case xpcsSilver:
        return SetTheme(xpGray);
    default:
        return SetTheme(xpNone);
    }
}
