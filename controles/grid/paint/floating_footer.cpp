#include "controles/grid/paint/floating_footer.h"

#include "controles/grid/kav_grid.h"
#include "controles/grid/markup/markup_renderer.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/kernel/bidi.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/widgets/hint_window.h"

// --- TFloatingFooter ---

void TFloatingFooter::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TFloatingFooter*>(Source);
    if (!s) return;
    calculateHiddenRows_ = s->calculateHiddenRows_;
    color_ = s->color_;
    column_ = s->column_;
    customTemplate_ = s->customTemplate_;
    footerStyle_ = s->footerStyle_;
    SetVisible(s->visible_);
    showHint_ = s->showHint_;
}

TColumnCalcType TFloatingFooter::GetColumnCalc(int ACol) const {
    const TCellProperties* p = grid_->FindCellProperties(ACol, grid_->GetRowCount() - 1);
    return p ? p->GetCalcType() : acNONE;
}

void TFloatingFooter::SetColumnCalc(int ACol, TColumnCalcType Value) {
    const int row = grid_->GetRowCount() - 1;
    grid_->GetCellProperties(ACol, row)->SetCalcType(Value);
    grid_->UpdateCell(ACol, row);
}

void TFloatingFooter::Invalidate() {
    if (TFooterPanel* p = grid_->GetFooterPanel()) p->Invalidate();
}

void TFloatingFooter::SetColor(TColor Value) {
    color_ = Value;
    Invalidate();
}

void TFloatingFooter::SetColumn(int Value) {
    column_ = Value;
    Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const AnsiString& Value) {
    customTemplate_ = Value;
    Invalidate();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value) {
    footerStyle_ = Value;
    grid_->SetFooterRowActive(footerStyle_ == fsFixedLastRow && visible_);
    grid_->Invalidate();
    Invalidate();
}

void TFloatingFooter::SetHeight(int Value) {
    height_ = Value;
    if (TFooterPanel* p = grid_->GetFooterPanel(); p && Value >= 1 && visible_)
        p->SetHeight(Value - 1);
}

void TFloatingFooter::SetRowHeight(int Value) {
    height_ = Value;
    if (TFooterPanel* p = grid_->GetFooterPanel(); p && visible_) p->SetHeight(Value);
}

void TFloatingFooter::SetShowHint(bool Value) {
    showHint_ = Value;
    if (TFooterPanel* p = grid_->GetFooterPanel()) p->SetShowHint(Value);
}

void TFloatingFooter::SetVisible(bool Value) {
    visible_ = Value;
    TFooterPanel* p = grid_->GetFooterPanel();
    if (p) {
        p->SetHeight(Value ? std::max(0, height_ - 1) : 0);
        p->SetVisible(Value);
    }
    const bool lastRow = footerStyle_ == fsFixedLastRow;
    grid_->SetFixedFooters(p && p->GetVisible() && lastRow ? 1 : 0);
    grid_->SetFooterRowActive(lastRow && visible_);
    grid_->Invalidate();
}

// --- TFooterPanel ---

TFooterPanel::TFooterPanel(TComponent* AOwner)
    : TCustomPanel(AOwner), grid_(dynamic_cast<TKavStringGrid*>(AOwner)) {
    SetAlign(alBottom);
    SetHeight(0);
    SetBorderWidth(0);
    SetBevelOuter(bvNone);
    SetVisible(false);
}

void TFooterPanel::CreateWnd() {
    TCustomPanel::CreateWnd();
    // The window may be made while the grid is still being built, before its footer exists.
    const TFloatingFooter* f = grid_->GetFloatingFooter();
    SetHeight(f && f->GetVisible() ? f->GetHeight() : 0);
}

TRect TFooterPanel::RTLCoord(bool RightToLeft, const TRect& R) const {
    if (!RightToLeft) return R;
    const int w = GetClientWidth();
    return Rect(w - R.Right, R.Top, w - R.Left, R.Bottom);
}

void TFooterPanel::Layout(TRect& Footer, TRect& Rest) const {
    int w = 0;
    for (int c = 0; c < grid_->GetFixedCols(); ++c)
        w += grid_->GetColWidths(c);
    for (int c = grid_->GetLeftCol(); c < grid_->GetColCount(); ++c)
        w += grid_->GetColWidths(c);
    const TRect client = GetClientRect();
    w = std::min(w, client.Width());
    // Laid out from the right, the footer lies against the panel's right edge.
    if (UseRightToLeftAlignment(grid_)) {
        Footer = Rect(client.Right - w, client.Top, client.Right, client.Bottom);
        Rest = Rect(client.Left, client.Top, Footer.Left, client.Bottom);
    } else {
        Footer = Rect(client.Left, client.Top, client.Left + w, client.Bottom);
        Rest = Rect(Footer.Right, client.Top, client.Right, client.Bottom);
    }
}

void TFooterPanel::Paint() {
    grid_->SetFooterPainting(true);
    try {
        switch (grid_->GetFloatingFooter()->GetFooterStyle()) {
        case fsFixedLastRow:
            PaintLastRow();
            break;
        case fsColumnPreview:
            PaintPreview(false);
            break;
        case fsCustomPreview:
            PaintPreview(true);
            break;
        }
    } catch (...) {
        grid_->SetFooterPainting(false);
        throw;
    }
    grid_->SetFooterPainting(false);
}

void TFooterPanel::PaintLastRow() {
    TCanvas* c = GetCanvas();
    TRect footer, rest;
    Layout(footer, rest);
    const TColor colour = grid_->GetFloatingFooter()->GetColor();
    c->GetBrush()->SetColor(colour);
    c->GetPen()->SetColor(colour);
    c->Rectangle(footer);
    c->GetBrush()->SetColor(grid_->GetColor());
    c->GetPen()->SetColor(grid_->GetColor());
    if (rest.Width() > 0) c->Rectangle(rest);

    // The shown columns on the strip: the fixed ones, then those from the left column on.
    std::vector<TShownCol> cols;
    for (int k = 0; k < grid_->GetFixedCols(); ++k)
        cols.emplace_back(k);
    for (int k = grid_->GetLeftCol(); k < grid_->GetColCount(); ++k)
        cols.emplace_back(k);

    // Column dividers. Laid out from the right, the strip is the mirror image of the one laid
    // out from the left.
    const bool rtl = UseRightToLeftAlignment(grid_);
    const int width = GetClientWidth();
    const auto X = [&](int p) { return rtl ? width - 1 - p : p; };
    const TGridOptions options = grid_->GetOptions();
    const bool soft = grid_->GetLook() == glSoft && !grid_->GetFlat();
    int x = 0;
    for (TShownCol k : cols) {
        c->GetPen()->SetColor(clWhite);
        if (options.Contains(goFixedVertLine) && soft) {
            c->MoveTo(X(x), footer.Bottom);
            c->LineTo(X(x), footer.Top);
        }
        const int from = x;
        x += grid_->GetColWidths(k.Value());
        if (options.Contains(goFixedHorzLine) && soft) {
            c->MoveTo(X(from), footer.Top);
            c->LineTo(X(x - 1), footer.Top);
        }
        c->GetPen()->SetColor(clGray);
        if (options.Contains(goFixedVertLine)) {
            c->MoveTo(X(x - 1), footer.Top);
            c->LineTo(X(x - 1), footer.Bottom);
        }
    }

    // Cells, drawn by the grid's painter as fixed cells.
    const int row = grid_->GetRowCount() - 1;
    int left = 0;
    for (TShownCol k : cols) {
        int right = left + grid_->GetColWidths(k.Value());
        if (grid_->IsShownMergedCell(k, row)) {
            const TRect m = grid_->CellRect(k.Value(), row);
            if (m.Width() > 0) right = left + m.Width();
        }
        TRect r = Rect(left, footer.Top, right - 1, footer.Bottom);
        const bool fixed = k.Value() < grid_->GetFixedCols();
        if (!fixed) r.Left += 1;
        r = RTLCoord(rtl, r);
        if (!fixed) {
            // The colours are kept by real column.
            if (const TColor own = grid_->GetColors(grid_->ToReal(k).Value(), row); own != clNone) {
                c->GetBrush()->SetColor(own);
                c->GetPen()->SetColor(own);
                c->Rectangle(r);
            }
        }
        if (grid_->IsShownBaseCell(k, row)) {
            // The event and the painter are given the shown column.
            if (!fixed && grid_->OnFooterPaint) {
                grid_->OnFooterPaint(this, k.Value(), c, r);
            } else {
                c->GetBrush()->SetColor(colour);
                c->SetFont(grid_->GetFixedFont());
                grid_->DrawGridCell(c, k.Value(), row, r, TGridDrawState{gdFixed});
            }
        }
        left = right;
    }
}

void TFooterPanel::PaintPreview(bool Custom) {
    TCanvas* c = GetCanvas();
    TRect footer, rest;
    Layout(footer, rest);
    c->GetPen()->SetWidth(1);
    c->GetBrush()->SetColor(grid_->GetFloatingFooter()->GetColor());
    c->GetPen()->SetColor(grid_->GetFloatingFooter()->GetColor());
    c->Rectangle(footer);
    c->GetPen()->SetColor(clGray);
    c->MoveTo(footer.Left, footer.Bottom - 1);
    c->LineTo(footer.Right - 1, footer.Bottom - 1);
    c->LineTo(footer.Right - 1, footer.Top);
    c->GetPen()->SetColor(clWhite);
    c->LineTo(footer.Left, footer.Top);
    c->LineTo(footer.Left, footer.Bottom - 1);
    const TColor savedText = grid_->SwapSelectionTextColor(clBlack);
    try {
        if (Custom && grid_->GetComponentState().Contains(csDesigning)) {
            // While the form is designed the template shows as it is written.
            const AnsiString& text = grid_->GetFloatingFooter()->GetCustomTemplate();
            TRect r = footer;
            DrawText(c->GetHandle(), text.c_str(), text.Length(), &r, 0);
        } else if (Custom) {
            TRect r = footer;
            r.Left += 2;
            const AnsiString text = HTMLColReplace(grid_->GetFloatingFooter()->GetCustomTemplate());
            AnsiString a, p, f, t, cid, cv, ct;
            int ex = 0, ey = 0, n = 0, ma = 0;
            TRect ar, cr;
            HTMLDrawEx(c, text, r, grid_->GetGridImages(), 0, 0, -1, -1, 1, false, false, false,
                       false, true, false, true, false, 1.0, grid_->GetURLColor(), clNone, clNone,
                       clGray, a, p, f, t, ex, ey, n, ma, ar, cr, cid, cv, ct, nullptr,
                       grid_->GetPictureContainer(), GetHandle());
        } else if (grid_->OnFooterPaint) {
            grid_->OnFooterPaint(this, grid_->GetFloatingFooter()->GetColumn(), c, footer);
        } else {
            c->SetFont(grid_->GetFont());
            grid_->DrawGridCell(c, grid_->GetFloatingFooter()->GetColumn(), grid_->GetRow(), footer,
                                TGridDrawState());
        }
    } catch (...) {
        grid_->SwapSelectionTextColor(savedText);
        throw;
    }
    grid_->SwapSelectionTextColor(savedText);
    c->GetBrush()->SetColor(grid_->GetColor());
    c->GetPen()->SetColor(grid_->GetColor());
    if (rest.Width() > 0) c->Rectangle(rest);
}

AnsiString TFooterPanel::HTMLColReplace(const AnsiString& Template) {
    std::string rest = Template.str(), out;
    for (size_t at; (at = rest.find("<#")) != std::string::npos;) {
        out += rest.substr(0, at);
        const size_t end = rest.find('>', at);
        const std::string number =
            rest.substr(at + 2, end == std::string::npos ? std::string::npos : end - at - 2);
        try {
            // A column before the first holds nothing (the grid would refuse it).
            const int col = StrToInt(AnsiString(number));
            if (col >= 0) out += grid_->GetCellEx(col, grid_->GetRow()).str();
        } catch (const EConvertError&) {
            // A tag whose number does not read is left out.
        }
        rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
    }
    return AnsiString(out + rest);
}

int TFooterPanel::ColumnAt(int X) const {
    int sum = 0;
    for (int c = 0; c < grid_->GetColCount(); ++c) {
        sum += grid_->GetColWidths(c);
        if (sum >= X) return c;
    }
    return -1;
}

void TFooterPanel::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomPanel::MouseMove(Shift, X, Y);
    const int col = ColumnAt(X);
    // Over another column the shown hint goes; that column's comes with the next rest.
    if (GetShowHint() && hintCol_ >= 0 && col != hintCol_) {
        CancelHint();
        hintCol_ = col;
    }
}

void TFooterPanel::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_HINTSHOW) {
        TCMHintShow m(Message);
        const int col = ColumnAt(m.HintInfo->CursorPos.x);
        if (grid_->OnGridHint && col >= 0)
            grid_->OnGridHint(grid_, grid_->GetRowCount() - 1, col, m.HintInfo->HintStr);
        hintCol_ = GetShowHint() ? col : -1;
        Message.Result = GetShowHint() ? 0 : 1;
        return;
    }
    if (Message.Msg == CM_MOUSELEAVE) hintCol_ = -1;
    TCustomPanel::Dispatch(Message);
}
