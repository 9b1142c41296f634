// TKavStringGrid: the layers of one cell, laid in a fixed order on the fill the base grid
// made: the fixed look, the row indicator, the modified-row stripe, the combo button, the
// text (kav_grid_text.cpp), the borders, the fixed edges, the owner-draw events and the
// focus rectangle.
#include "controles/comun/drawing_utils.h"
#include "controles/comun/visual_styles.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/gdi.h"

#include <memory>

namespace {

bool FixedLookHere(TKavStringGrid& Grid, int ACol, int ARow) {
    return Grid.IsFixed(ACol, ARow) || ACol < Grid.GetFixedCols() || ARow < Grid.GetFixedRows();
}

void Line(TCanvas* Canvas, int X1, int Y1, int X2, int Y2) {
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

} // namespace

void TKavStringGrid::DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect,
                                  TGridDrawState AState) {
    const bool ctl3d = !flat_;
    const int realCol = RemapCol(ACol);

    // The cell's own look, without the selection (the fill already has it).
    bool ww = GetWordWrapEx();
    TColor colorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    const TColor fillBrush = Canvas->GetBrush()->GetColor();
    const TColor fillFont = Canvas->GetFont()->GetColor();
    GetVisualProperties(ACol, ARow, AState, false, false, true, Canvas->GetBrush(), colorTo,
                        Canvas->GetFont(), ha, va, ww);
    if (MouseSelecting() && AState.Contains(gdSelected)) {
        Canvas->GetBrush()->SetColor(fillBrush);
        Canvas->GetFont()->SetColor(fillFont);
    }

    int gw = 0, gh = 0;
    bool displText = true;
    TCellHAlign gha = haLeft;
    TCellVAlign gva = vaTop;
    TCellGraphic* graphic = GetGraphicDetails(realCol, ARow, gw, gh, displText, gha, gva);
    // A node's glyph takes the room of its level's indents.
    if (realCol == 0 && IsNode(ARow)) gw = GetNodeLevel(ARow) * cellNode_->GetNodeIndent() + 4;

    if (AState.Contains(gdSelected) && !AState.Contains(gdFocused) && selectionColor_ == clNone) {
        // The fill had no selection colour to take: the cell shows the highlight colour.
        Canvas->GetBrush()->SetColor(clHighlight);
        Canvas->GetPen()->SetColor(clHighlight);
        Canvas->Rectangle(ARect);
    }

    if (zoom_ != 0) Canvas->GetFont()->SetSize(Canvas->GetFont()->GetSize() + zoom_);
    const TColor savedBrush = Canvas->GetBrush()->GetColor();
    const TColor savedFont = Canvas->GetFont()->GetColor();

    const bool fixedCell = FixedLookHere(*this, ACol, ARow);
    const bool fixedLook = fixedCell && !flat_;

    // Fixed-cell gradient.
    if (fixedLook && (look_ == glKav || look_ == glXP)) {
        const bool activeHeader =
            activeCellShow_ &&
            ((GetFixedCols() > 0 && ARow == GetRow() && ACol == GetFixedCols() - 1) ||
             (GetFixedRows() > 0 && ACol == GetCol() && ARow == GetFixedRows() - 1));
        TColor from = kavGradFrom_ == clNone ? clWhite : kavGradFrom_;
        TColor to = kavGradTo_ == clNone ? clBtnFace : kavGradTo_;
        if (activeHeader) {
            from = activeCellColor_;
            to = activeCellColorTo_;
        }
        DrawGradient(Canvas, from, to, 10, ARect, false);
        Canvas->GetBrush()->SetColor(savedBrush);
    }

    // Row indicator.
    TBitmap* indicator = rowIndicator_.get();
    const bool indicatorHere =
        ACol == 0 && ARow == GetRow() && GetFixedCols() > 0 && indicator && !indicator->GetEmpty();
    if (indicatorHere) {
        indicator->SetTransparent(true);
        indicator->SetTransparentMode(tmAuto);
        const int h = indicator->GetHeight();
        const int y = vAlignment_ == vtaCenter   ? ARect.Top + (ARect.Bottom - ARect.Top - h) / 2
                      : vAlignment_ == vtaBottom ? ARect.Bottom - h
                                                 : ARect.Top;
        Canvas->Draw(ARect.Left + 2, y, indicator);
        ARect.Left += indicator->GetWidth() + 2;
    }

    // The list-view look of fixed cells.
    if (fixedLook && look_ == glListView) {
        if (isWinXP_ && IsThemeActive()) {
            TRect r = Rect(ARect.Left - 1, ARect.Top - 1, ARect.Right + 1, ARect.Bottom + 1);
            if (HTHEME theme = OpenThemeData(GetHandle(), L"header")) {
                // Hot under the pointer, pressed while the left button is held down there.
                const bool hot = hoverCell_.x == ACol && hoverCell_.y == ARow;
                const int state = !hot ? HIS_NORMAL : mouseDown_ ? HIS_PRESSED : HIS_HOT;
                DrawThemeBackground(theme, Canvas->GetHandle(), HP_HEADERITEM, state, &r, nullptr);
                CloseThemeData(theme);
            }
            Canvas->GetPen()->SetColor(clWhite);
            Line(Canvas, r.Left, r.Top, r.Right, r.Top);
        } else {
            Canvas->GetBrush()->SetColor(clBtnFace);
            Canvas->GetPen()->SetColor(clWhite);
            Canvas->Rectangle(ARect);
        }
    }

    // Modified-row stripe.
    if (ACol == 0 && showModified_->GetEnabled() && GetRowModified(ARow)) {
        Canvas->GetBrush()->SetColor(showModified_->GetColor());
        Canvas->GetPen()->SetColor(showModified_->GetColor());
        Canvas->Rectangle(ARect.Right - 4, ARect.Top, ARect.Right, ARect.Bottom);
        Canvas->GetBrush()->SetColor(savedBrush);
    }

    // Combo button always shown.
    const int savedRight = ARect.Right;
    if (!IsFixed(ACol, ARow) && controlLook_->GetDropDownAlwaysVisible() && HasCombo(ACol, ARow)) {
        DrawComboButton(Canvas, GetHandle(), ARect, isWinXP_ && IsThemeActive(), false);
        ARect.Right -= 16;
    }

    const TTextExtent text =
        DrawCellText(Canvas, ACol, realCol, ARow, ARect, AState, ha, va, ww, graphic != nullptr,
                     displText, gw, gh, gha, gva, savedBrush, savedFont);

    ARect.Right = savedRight;
    Canvas->GetBrush()->SetColor(savedBrush);
    Canvas->GetFont()->SetColor(savedFont);
    ARect = Rect(ARect.Left - 1, ARect.Top - 1, ARect.Right + 1, ARect.Bottom + 1);
    DrawCellBorders(Canvas, realCol, ARow, ARect);

    if (indicatorHere) ARect.Left -= indicator->GetWidth();

    const TGridOptions options = GetOptions();
    if (fixedLook && look_ == glClassic) {
        TRect r = ARect;
        DrawEdge(Canvas->GetHandle(), &r, BDR_RAISEDINNER, BF_LEFT);
        DrawEdge(Canvas->GetHandle(), &r, BDR_RAISEDINNER, BF_TOP);
        DrawEdge(Canvas->GetHandle(), &r, EDGE_RAISED, BF_RIGHT | BF_BOTTOM);
        Canvas->GetPen()->SetColor(clBlack);
        Canvas->MoveTo(ARect.Right - 1, ARect.Top);
        Canvas->LineTo(ARect.Right - 1, ARect.Bottom - 1);
        Canvas->LineTo(ARect.Left - 1, ARect.Bottom - 1);
    }
    auto horizontalEdges = [&](const TRect& r) {
        Canvas->GetPen()->SetColor(DarkenColor(GetFixedColor()));
        Line(Canvas, r.Left, r.Bottom - 1, r.Right - 1, r.Bottom - 1);
        Canvas->GetPen()->SetColor(clWhite);
        Canvas->MoveTo(r.Right, r.Top + 1);
        Canvas->LineTo(r.Left + 1, r.Top + 1);
        Canvas->LineTo(r.Left + 1, r.Bottom - 1);
    };
    auto flatFrame = [&](const TRect& r) {
        if (options.Contains(goFixedHorzLine)) {
            Line(Canvas, r.Left - 1, r.Top - 1, r.Right + 1, r.Top - 1);
            Line(Canvas, r.Left - 1, r.Bottom + 1, r.Right + 1, r.Bottom + 1);
        }
        if (options.Contains(goFixedVertLine)) {
            Line(Canvas, r.Left - 1, r.Top - 1, r.Left - 1, r.Bottom + 1);
            Line(Canvas, r.Right + 1, r.Top - 1, r.Right + 1, r.Bottom + 1);
        }
    };
    if (fixedLook && (look_ == glKav || look_ == glXP)) {
        const TRect r = Rect(ARect.Left - 1, ARect.Top - 1, ARect.Right + 1, ARect.Bottom);
        if (options.Contains(goFixedHorzLine)) horizontalEdges(r);
    }
    if (fixedLook && look_ == glSoft) {
        if (ctl3d) {
            const TRect r = Rect(ARect.Left - 1, ARect.Top - 1, ARect.Right + 1, ARect.Bottom);
            if (options.Contains(goFixedHorzLine)) horizontalEdges(r);
            if (options.Contains(goFixedVertLine)) {
                Canvas->GetPen()->SetColor(DarkenColor(GetFixedColor()));
                Line(Canvas, r.Right - 2, r.Top, r.Right - 2, r.Bottom - 1);
                Canvas->GetPen()->SetColor(clWhite);
                Line(Canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1);
            }
        } else {
            Canvas->GetPen()->SetColor(clBlack);
            Canvas->GetPen()->SetWidth(1);
            flatFrame(ARect);
        }
    }
    if (fixedRightCols_ > 0 && realCol >= TotalColCount() - fixedRightCols_ && look_ != glClassic &&
        !ctl3d) {
        Canvas->GetPen()->SetColor(flat_ ? clGray : clBlack);
        Canvas->GetPen()->SetWidth(1);
        flatFrame(ARect);
    }
    if (realCol == 0) DrawTreeLines(Canvas, ARow, ARect);

    if (graphic)
        DrawCellGraphic(Canvas, realCol, ARow, ARect, graphic, gw, gh, text.Width, ha, va, AState);

    const int glw = GetGridLineWidth();
    if (OnDrawCell) {
        const TRect r = Rect(ARect.Left + 1, ARect.Top + 1, ARect.Right - glw, ARect.Bottom - glw);
        OnDrawCell(this, realCol, ARow, r, AState);
    }
    if (OnCustomCellDraw) OnCustomCellDraw(this, Canvas, realCol, ARow, AState, ARect, false);

    if (!hideFocusRect_ && !options.Contains(goRowSelect) && Focused() && !GetSelectionBeyond()) {
        const TPoint b = ShownBaseCell(TShownCol(ACol), ARow);
        if (b.x == GetCol() && b.y == GetRow()) {
            TRect r = Rect(ARect.Left - (glw - 1), ARect.Top - (glw - 1),
                           ARect.Right + (glw - 1) - 1, ARect.Bottom + (glw - 1) - 1);
            Canvas->DrawFocusRect(r);
        }
    }
}

void TKavStringGrid::DrawCellBorders(TCanvas* Canvas, int RealCol, int ARow, TRect R) {
    TPen* pen = Canvas->GetPen();
    const TColor penColor = pen->GetColor();
    const int penWidth = pen->GetWidth();
    const TPenStyle penStyle = pen->GetStyle();
    TCellBorders borders;
    GetCellBorder(RealCol, ARow, pen, borders);
    if (borders == TCellBorders() && !OnGetCellBorderProp) {
        pen->SetColor(penColor);
        pen->SetWidth(penWidth);
        pen->SetStyle(penStyle);
        return;
    }
    auto copy = [&] {
        auto p = std::make_unique<TPen>();
        p->Assign(pen);
        return p;
    };
    auto left = copy(), top = copy(), right = copy(), bottom = copy();
    if (OnGetCellBorderProp)
        OnGetCellBorderProp(this, ARow, RealCol, left.get(), top.get(), right.get(), bottom.get());
    const TGridOptions options = GetOptions();
    const int h = options.Contains(goVertLine) ? (pen->GetWidth() + 1) / 2 : 0;
    const int v = options.Contains(goHorzLine) ? (pen->GetWidth() + 1) / 2 : 0;
    R = Rect(R.Left + h, R.Top + v, R.Right - h, R.Bottom - v);
    const int glw = GetGridLineWidth();
    if (borders.Contains(cbLeft)) {
        pen->Assign(left.get());
        Line(Canvas, R.Left, R.Top, R.Left, R.Bottom);
    }
    if (borders.Contains(cbRight)) {
        pen->Assign(right.get());
        Line(Canvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
    }
    if (borders.Contains(cbTop)) {
        pen->Assign(top.get());
        const int y = glw == 0 ? R.Top + 1 : R.Top - glw;
        Line(Canvas, R.Left, y, R.Right, y);
    }
    if (borders.Contains(cbBottom)) {
        pen->Assign(bottom.get());
        Line(Canvas, R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
    }
    pen->SetColor(penColor);
    pen->SetWidth(penWidth);
    pen->SetStyle(penStyle);
}
