// TKavStringGrid: the layer that draws a cell's graphic, placed by its alignments beside or
// over the text, in the look ControlLook chooses: bitmaps, icons, images, pictures, check
// boxes, radio groups, rotated text, progress bars and pies, range indicators, comment
// marks and buttons.
#include "controles/comun/drawing_utils.h"
#include "controles/comun/visual_styles.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/images/bitmap_resources.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/painting/themes.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsCheckKind(TCellType T) {
    return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox;
}

// The stock glyphs of a check box and a radio button by their numbers 1..8.
const char* const kCheckGlyphs[8] = {"KSGCHK01", "KSGCHK02", "KSGCHK03", "KSGCHK04",
                                     "KSGCHK05", "KSGCHK06", "KSGCHK07", "KSGCHK08"};
const char* const kRadioGlyphs[8] = {"KSGRAD01", "KSGRAD02", "KSGRAD03", "KSGRAD04",
                                     "KSGRAD05", "KSGRAD06", "KSGRAD07", "KSGRAD08"};

void Line(TCanvas* Canvas, int X1, int Y1, int X2, int Y2) {
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

} // namespace

TBitmap* TKavStringGrid::Glyph(const char* Name) {
    std::unique_ptr<TBitmap>& b = glyphs_[Name];
    if (!b) {
        b = std::make_unique<TBitmap>();
        b->LoadFromResourceName(HInstance, Name);
        b->SetTransparent(true);
        b->SetTransparentMode(tmAuto);
    }
    return b.get();
}

void TKavStringGrid::DrawMarkGlyph(TCanvas* Canvas, int X, int Y, TGridControlStyle Style,
                                   const char* const* Stock, bool On, bool Enabled,
                                   TBitmap* Custom) {
    if (Style == csGlyph) {
        if (Custom && !Custom->GetEmpty()) {
            Custom->SetTransparent(true);
            Canvas->Draw(X, Y, Custom);
        }
        return;
    }
    // csKav's glyphs are 1..4, csWinXP's 5..8: on, off, on disabled, off disabled.
    const int n = (Style == csWinXP ? 4 : 0) + (On ? 0 : 1) + (Enabled ? 0 : 2);
    Canvas->Draw(X, Y, Glyph(Stock[n]));
}

bool TKavStringGrid::GraphicEnabled(int ACol, int ARow) {
    bool enabled = true;
    GetCellReadOnly(ACol, ARow, enabled);
    return enabled;
}

void TKavStringGrid::DrawCheckBoxLook(TCanvas* Canvas, const TRect& R, bool Checked, bool Enabled) {
    const int size = controlLook_->GetCheckSize();
    const int L = R.Left, T = R.Top;
    switch (controlLook_->GetControlStyle()) {
    case csClassic:
    case csFlat: {
        TRect box = Bounds(L + (R.Width() - size) / 2, T + (R.Height() - size) / 2, size, size);
        UINT state = DFCS_BUTTONCHECK;
        if (Checked) state |= DFCS_CHECKED;
        if (controlLook_->GetControlStyle() == csFlat) state |= DFCS_FLAT;
        if (!Enabled) state |= DFCS_INACTIVE;
        DrawFrameControl(Canvas->GetHandle(), &box, DFC_BUTTON, state);
        break;
    }
    case csWinXP:
    case csKav:
    case csGlyph:
        DrawMarkGlyph(Canvas, L, T, controlLook_->GetControlStyle(), kCheckGlyphs, Checked, Enabled,
                      Checked ? controlLook_->GetCheckedGlyph()
                              : controlLook_->GetUnCheckedGlyph());
        break;
    case csTheme:
        if (isWinXP_ && IsThemeActive()) {
            if (HTHEME theme = OpenThemeData(GetHandle(), L"button")) {
                const TRect box = Bounds(L, T, size, size);
                const int state = Checked ? (Enabled ? 5 : 8) : (Enabled ? 1 : 4);
                DrawThemeBackground(theme, Canvas->GetHandle(), 3, state, &box, nullptr);
                CloseThemeData(theme);
            }
        }
        break;
    case csBorland: {
        int B = R.Bottom, Rt = R.Right;
        Canvas->GetBrush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
        Canvas->GetPen()->SetColor(clBtnFace);
        Canvas->Rectangle(L, T, Rt, B);
        Canvas->GetPen()->SetColor(clBtnHighlight);
        Canvas->MoveTo(L, B);
        Canvas->LineTo(L, T);
        Canvas->LineTo(Rt, T);
        Canvas->GetPen()->SetColor(clBtnShadow);
        Canvas->LineTo(Rt, B);
        Canvas->LineTo(L, B);
        if (Checked) {
            Canvas->GetPen()->SetColor(Enabled ? controlLook_->GetColor() : clGray);
            Canvas->GetPen()->SetWidth(1);
            const int t = T - 1;
            B -= 1;
            const int c = size / 2;
            Line(Canvas, L + 2, t + c + 1, L + 2, B - 1);
            Line(Canvas, L + 3, t + c, L + 3, B - 2);
            Line(Canvas, L + 2, B - 1, Rt - 2, t + 3);
            Line(Canvas, L + 3, B - 1, Rt - 1, t + 3);
        }
        break;
    }
    }
}

void TKavStringGrid::DrawRadioLook(TCanvas* Canvas, const TRect& R, TCellGraphic* G, int RealCol,
                                   int ARow, TGridDrawState AState, bool Enabled) {
    const HDC dc = Canvas->GetHandle();
    const int mode = SetBkMode(dc, TRANSPARENT);
    const auto* items = dynamic_cast<const TStrings*>(G->CellBitmap);
    const int n = items ? items->GetCount() : 0;
    const TGridControlStyle style = controlLook_->GetControlStyle();
    const bool classic = style == csClassic || style == csFlat;
    const int s = classic ? controlLook_->GetRadioSize() : 16;
    const int gh = Canvas->TextHeight("gh");
    const int h = classic ? gh : std::max(16, gh);
    const AnsiString cell = GetCellEx(RealCol, ARow);
    if (AState.Contains(gdSelected) && showSelection_)
        Canvas->GetFont()->SetColor(selectionTextColor_);
    int widths = 0;
    for (int i = 1; i <= n; ++i) {
        const AnsiString text = items->GetStrings(i - 1);
        const bool on = i - 1 == G->CellIndex || (G->CellIndex == -1 && text == cell);
        int x, y;
        if (G->CellBoolean) {
            x = R.Left + 2 + (i - 1) * s + widths;
            y = R.Top + (R.Height() - s) / 2;
        } else {
            y = R.Top + 2 + (i - 1) * h;
            x = text.IsEmpty() ? R.Left + (R.Width() - s) / 2 : R.Left + 2;
        }
        int tx, ty;
        if (classic) {
            tx = G->CellBoolean ? x + s : x + s + 4;
            ty = y - 2;
        } else if (style == csWinXP || style == csKav || style == csGlyph) {
            tx = x + 16;
            ty = y + 1;
        } else {
            tx = G->CellBoolean ? x + 16 : x + 18;
            ty = y - 2;
        }
        if (!text.IsEmpty()) {
            Canvas->TextOut(tx, ty, text);
            if (G->CellBoolean) widths += Canvas->TextWidth(text);
        }
        switch (style) {
        case csClassic:
        case csFlat: {
            const int grow = style == csFlat ? 2 : 0;
            TRect box = Rect(x, y, x + s + grow, y + s + grow);
            UINT state = DFCS_BUTTONRADIO;
            if (on) state |= DFCS_CHECKED;
            if (!Enabled) state |= DFCS_INACTIVE;
            if (style == csFlat) state |= DFCS_FLAT;
            DrawFrameControl(dc, &box, DFC_BUTTON, state);
            break;
        }
        case csWinXP:
        case csKav:
        case csGlyph:
            DrawMarkGlyph(Canvas, x, y, style, kRadioGlyphs, on, Enabled,
                          on ? controlLook_->GetRadioOnGlyph() : controlLook_->GetRadioOffGlyph());
            break;
        case csTheme:
            if (isWinXP_ && IsThemeActive()) {
                if (HTHEME theme = OpenThemeData(GetHandle(), L"button")) {
                    const TRect box = Rect(x, y, x + 16, y + 16);
                    DrawThemeBackground(theme, dc, 2, on ? (Enabled ? 5 : 8) : (Enabled ? 1 : 4),
                                        &box, nullptr);
                    CloseThemeData(theme);
                }
            }
            break;
        case csBorland: {
            const TColor brush = Canvas->GetBrush()->GetColor();
            Canvas->GetBrush()->SetColor(clBtnFace);
            Canvas->Polygon({TPoint(x + 2, y + 8), TPoint(x + 8, y + 2), TPoint(x + 14, y + 8),
                             TPoint(x + 8, y + 14)});
            Canvas->GetPen()->SetColor(on ? clGray : clWhite);
            Canvas->MoveTo(x + 8, y + 14);
            Canvas->LineTo(x + 2, y + 8);
            Canvas->LineTo(x + 8, y + 2);
            Canvas->GetPen()->SetColor(on ? clWhite : clGray);
            Canvas->LineTo(x + 14, y + 8);
            Canvas->LineTo(x + 8, y + 14);
            if (on) {
                Canvas->GetBrush()->SetColor(controlLook_->GetColor());
                Canvas->GetPen()->SetColor(controlLook_->GetColor());
                Canvas->Polygon({TPoint(x + 6, y + 8), TPoint(x + 8, y + 6), TPoint(x + 10, y + 8),
                                 TPoint(x + 8, y + 10)});
            }
            Canvas->GetBrush()->SetColor(brush);
            break;
        }
        }
    }
    SetBkMode(dc, mode);
}

void TKavStringGrid::DrawCellGraphic(TCanvas* Canvas, int RealCol, int ARow, TRect R,
                                     TCellGraphic* G, int GW, int GH, int TW, TAlignment HA,
                                     TVAlignment VA, TGridDrawState AState) {
    if (TW > 0) TW += 2;
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;

    int x1 = L + 1, x2 = x1 + GW;
    switch (G->CellHAlign) {
    case haLeft:
        break;
    case haRight:
        x1 = Rt - 1 - GW;
        x2 = Rt - 1;
        break;
    case haCenter:
        x1 = GW < Rt - L ? L + (Rt - L - GW) / 2 : L + 1;
        x2 = x1 + GW;
        break;
    case haBeforeText:
        if (HA == taLeftJustify) {
            x1 = L + 1;
            x2 = L + 1 + GW;
        } else {
            x2 = Rt - TW;
            x1 = Rt - TW - GW;
            if (x1 < L) x1 = L + 1;
        }
        break;
    case haAfterText:
        if (HA == taRightJustify) {
            x1 = Rt - 1 - GW;
            x2 = Rt - 1;
        } else {
            x1 = L + TW;
            x2 = x1 + GW;
        }
        break;
    case haFull:
        x1 = L;
        x2 = Rt;
        break;
    }
    TCellVAlign cva = G->CellVAlign;
    if (IsCheckKind(G->CellType) && VA != vAlignment_)
        cva = VA == vtaCenter ? vaCenter : VA == vtaBottom ? vaBottom : vaTop;
    int y1 = T + 1, y2 = y1 + GH;
    switch (cva) {
    case vaTop:
    case vaAboveText:
        break;
    case vaBottom:
        y1 = B - 1 - GH;
        y2 = B - 1;
        break;
    case vaCenter:
        y1 = GH < B - T ? T + (B - T - GH) / 2 : T + 1;
        y2 = y1 + GH;
        break;
    case vaUnderText:
        y1 = B - GH;
        y2 = B;
        break;
    case vaFull:
        y1 = T;
        y2 = B;
        break;
    }

    auto cellInt = [&] {
        // Painting never raises: a cell that does not read as a number counts as 0.
        try {
            return GetInts(RealCol, ARow);
        } catch (const Exception&) {
            return 0;
        }
    };

    switch (G->CellType) {
    case ctBitmap: {
        auto* bmp = dynamic_cast<TBitmap*>(G->CellBitmap);
        if (!bmp || bmp->GetEmpty()) break;
        if (!G->CellTransparent) {
            Canvas->Draw(x1, y1, bmp);
            break;
        }
        const bool selectedLook =
            !AState.Contains(gdFocused) &&
            (AState.Contains(gdSelected) ||
             (GetOptions().Contains(goRowSelect) && RealCol >= GetFixedCols() &&
              ARow < TotalRowCount() && GetRowSelect(SelectionRow(ARow))));
        const TColor back = selectedLook ? selectionColor_ : Canvas->GetBrush()->GetColor();
        TBitmap work;
        work.SetWidth(bmp->GetWidth());
        work.SetHeight(bmp->GetHeight());
        work.GetCanvas()->GetBrush()->SetColor(back);
        const TRect all = Rect(0, 0, bmp->GetWidth(), bmp->GetHeight());
        work.GetCanvas()->BrushCopy(all, bmp, all, bmp->GetCanvas()->GetPixels(0, 0));
        // Into the placement: a full-width or full-height graphic is stretched over it.
        Canvas->CopyRect(Rect(x1, y1, x2, y2), work.GetCanvas(), all);
        break;
    }
    case ctIcon:
        if (G->CellIcon) Canvas->Draw(x1, y1, G->CellIcon);
        break;
    case ctImageList:
        if (gridImages_) gridImages_->Draw(Canvas, x1, y1, G->CellIndex, true);
        break;
    case ctDataImage:
        if (gridImages_) {
            const int idx = cellInt() + G->CellIndex;
            if (idx >= 0 && idx < gridImages_->GetCount()) gridImages_->Draw(Canvas, x1, y1, idx);
        }
        break;
    case ctImages:
        if (gridImages_) {
            if (const auto* list = dynamic_cast<const TIntList*>(G->CellBitmap)) {
                int x = x1, y = y1;
                for (int i = 0; i < list->GetCount(); ++i) {
                    gridImages_->Draw(Canvas, x, y, list->GetItems(i));
                    if (G->CellBoolean)
                        x += gridImages_->GetWidth();
                    else
                        y += gridImages_->GetHeight();
                }
            }
        }
        break;
    case ctPicture:
        if (auto* pic = dynamic_cast<TPicture*>(G->CellBitmap); pic && pic->GetGraphic()) {
            if (G->CellStretch == noStretch)
                Canvas->Draw(x1, y1, pic->GetGraphic());
            else
                Canvas->StretchDraw(Rect(x1, y1, x2, y2), pic->GetGraphic());
        }
        break;
    case ctFilePicture:
        if (auto* fp = dynamic_cast<TFilePicture*>(G->CellBitmap)) {
            try {
                fp->DrawPicture(Canvas, Rect(x1, y1, x2, y2));
            } catch (const Exception&) {
                // A file that can no longer be read leaves its cell without the picture.
            }
        }
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox: {
        const bool data = G->CellType != ctCheckBox;
        if (HA == taLeftJustify) {
            x1 = L + 1;
        } else if (HA == taRightJustify) {
            x1 = data ? Rt - GW - 1 : Rt - TW - GW - 1;
        } else {
            x1 = data || TW <= 0 ? L + std::max(Rt - GW - L, 0) / 2
                                 : L - GW + std::max(Rt - TW - L, 0) / 2;
        }
        if (HA != taLeftJustify && x1 < L) x1 = L + 1;
        x2 = x1 + GW;
        bool checked = false;
        if (G->CellType == ctCheckBox)
            checked = G->CellBoolean;
        else if (G->CellType == ctRowCheckBox)
            checked = ARow < TotalRowCount() && GetRowSelect(ARow);
        else
            checked = GetGridCell(RealCol, ARow) == GetCheckTrue(RealCol, ARow);
        const bool enabled = GraphicEnabled(RealCol, ARow) ||
                             controlLook_->GetNoDisabledCheckRadioLook() ||
                             controlLook_->GetCheckAlwaysActive();
        DrawCheckBoxLook(Canvas, Rect(x1, y1, x2, y2), checked, enabled);
        break;
    }
    case ctRadio: {
        const bool enabled = GraphicEnabled(RealCol, ARow) ||
                             controlLook_->GetNoDisabledCheckRadioLook() ||
                             controlLook_->GetRadioAlwaysActive();
        DrawRadioLook(Canvas, R, G, RealCol, ARow, AState, enabled);
        break;
    }
    case ctRotated: {
        const AnsiString text = GetCellEx(RealCol, ARow);
        TRect r = Rect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
        const int escapement = G->CellAngle * 10;
        const int savedOrientation = Canvas->GetFont()->GetOrientation();
        Canvas->GetFont()->SetOrientation(escapement);
        CalcTextPos(r, G->CellAngle, text, HA, VA);
        const TBrushStyle style = Canvas->GetBrush()->GetStyle();
        Canvas->GetBrush()->SetStyle(bsClear);
        Canvas->TextOut(r.Left, r.Top, text);
        Canvas->GetBrush()->SetStyle(style);
        Canvas->GetFont()->SetOrientation(savedOrientation);
        break;
    }
    case ctProgress: {
        const TGridControlStyle style = controlLook_->GetControlStyle();
        const int mx = controlLook_->GetProgressMarginX(), my = controlLook_->GetProgressMarginY();
        if ((style == csWinXP || style == csTheme) && isWinXP_ && IsThemeActive() &&
            controlLook_->GetProgressXP()) {
            if (HTHEME theme = OpenThemeData(GetHandle(), L"Progress")) {
                TRect r = Rect(L + mx, T + my, Rt - mx, B - my);
                DrawThemeBackground(theme, Canvas->GetHandle(), 1, 1, &r, nullptr);
                r = Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
                r.Right = r.Left + static_cast<int>(std::lround(cellInt() * r.Width() / 100.0));
                DrawThemeBackground(theme, Canvas->GetHandle(), 3, 1, &r, nullptr);
                CloseThemeData(theme);
            }
            break;
        }
        // The plain form writes each part's text in its fill colour turned inside out.
        const TColor done = G->CellColor, rest = G->CellColorTo;
        const TColor doneText = G->CellBoolean ? G->CellTextColor : ColorToRGB(done) ^ 0xFFFFFF;
        const TColor restText = G->CellBoolean ? G->CellTextColorTo : ColorToRGB(rest) ^ 0xFFFFFF;
        DrawProgressLin(Canvas, Rect(L + 2, T + 2, Rt - 2, B - 2), done, doneText, rest, restText,
                        cellInt(), mx, my, G->CellMin, G->CellMax, G->CellFormat,
                        controlLook_->GetProgressBorderColor(), false);
        break;
    }
    case ctProgressPie:
        DrawProgressPie(Canvas, Bounds(x1, y1, 20, 20), G->CellColor, G->CellIndex, false);
        break;
    case ctRangeIndicator: {
        const int mx = controlLook_->GetProgressMarginX(), my = controlLook_->GetProgressMarginY();
        DrawRangeIndicator(Canvas, Rect(L + mx, T + my, Rt - mx, B - my), cellInt(), G->CellIndex,
                           G->CellBoolean, G->CellColor, G->CellColorTo);
        break;
    }
    case ctNode:
        DrawNodeGlyph(Canvas, RealCol, ARow, R, *G);
        break;
    case ctComment:
        if (controlLook_->GetCommentColor() != clNone) {
            const TColor c =
                G->CellColor != clNone ? G->CellColor : controlLook_->GetCommentColor();
            Canvas->GetPen()->SetColor(c);
            Canvas->GetBrush()->SetColor(c);
            Canvas->Polygon({TPoint(Rt - 7, T + 1), TPoint(Rt - 2, T + 1), TPoint(Rt - 2, T + 6)});
            Canvas->GetBrush()->SetColor(GetColor());
        }
        break;
    case ctButton:
    case ctBitButton: {
        G->CellButtonOffset = ((y1 - T) & 0xFFFF) << 16 | ((x1 - L) & 0xFFFF);
        const HDC dc = Canvas->GetHandle();
        const COLORREF savedBk = SetBkColor(dc, ColorToRGB(clBtnFace));
        const bool enabled =
            !(!controlLook_->GetNoDisabledButtonLook() && !GraphicEnabled(RealCol, ARow));
        const bool pushed = G->CellBoolean;
        TRect p = Rect(x1, y1, x2, y2);
        if (isWinXP_ && IsThemeActive()) {
            if (HTHEME theme = OpenThemeData(GetHandle(), L"button")) {
                DrawThemeBackground(theme, dc, 1, !enabled ? 4 : pushed ? 3 : 1, &p, nullptr);
                CloseThemeData(theme);
            }
        } else {
            UINT state = DFCS_BUTTONPUSH;
            if (controlLook_->GetFlatButton()) state |= DFCS_FLAT;
            if (pushed) state |= DFCS_PUSHED;
            TRect frame = p;
            DrawFrameControl(dc, &frame, DFC_BUTTON, state);
        }
        const int inset = pushed ? 3 : 2;
        p = Rect(p.Left + inset, p.Top + inset, p.Right - inset, p.Bottom - inset);
        if (G->CellType == ctBitButton) {
            auto* glyph = dynamic_cast<TBitmap*>(G->CellBitmap);
            if (glyph && !glyph->GetEmpty()) {
                DrawBitmapTransp(Canvas, glyph, clBtnFace, p);
                p.Left += glyph->GetWidth() + 2;
            }
        }
        const int mode = SetBkMode(dc, TRANSPARENT);
        DrawText(dc, G->CellCaption.c_str(), G->CellCaption.Length(), &p,
                 DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
        SetBkMode(dc, mode);
        SetBkColor(dc, savedBk);
        break;
    }
    default:
        break;
    }
}
