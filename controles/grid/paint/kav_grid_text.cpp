// TKavStringGrid: the text of one cell within its painting: the selected look, the display
// text by kind (plain, wrapped, markup, wide, rich text with its formats, password),
// the background picture, the selection outline and the sort indicator.
#include "controles/comun/drawing_utils.h"
#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/markup/markup_renderer.h"
#include "plataforma/base/rich_text.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/gdi.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr UINT HorzFlags[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
constexpr UINT VertFlags[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};

bool IsCheckBoxKind(TCellType Kind) {
    return Kind == ctCheckBox || Kind == ctDataCheckBox || Kind == ctVirtCheckBox ||
           Kind == ctRowCheckBox;
}

} // namespace

AnsiString RichTextPlain(const AnsiString& Rtf) {
    // A text that is no readable rich text is its own plain text.
    TRichDocument doc;
    return ReadRtf(Rtf, doc) ? doc.PlainText() : Rtf;
}

bool TKavStringGrid::SortIndicatorHere(int RealCol, int ARow) {
    const TSortSettings* s = sortSettings_.get();
    return s->GetShow() && ARow == s->GetRow() && GetRowCount() > 2 &&
           (RealCol == s->GetColumn() || sortIndexes_->FindIndex(RealCol) != -1) &&
           GetFixedRows() > 0 && (RealCol >= GetFixedCols() || s->GetFixedCols());
}

void TKavStringGrid::DrawSortIndicator(TCanvas* Canvas, int ACol, int X, int Y) {
    const TSortSettings* s = sortSettings_.get();
    if (s->GetIndexShow()) {
        // The column's place among the sort columns, numbered from 1, on its arrow.
        const int p = sortIndexes_->FindIndex(ACol);
        if (p < 0) return;
        const bool descending = sortIndexes_->GetItems(p) < 0;
        TBitmap* iu = s->GetIndexUpGlyph();
        TBitmap* id = s->GetIndexDownGlyph();
        const bool glyphs = iu && id && !iu->GetEmpty() && !id->GetEmpty();
        Canvas->GetBrush()->SetColor(s->GetIndexColor());
        const HDC dc = Canvas->GetHandle();
        const int mode = SetBkMode(dc, TRANSPARENT);
        Canvas->GetFont()->SetColor(clBlack);
        Canvas->GetFont()->SetSize(6);
        if (!descending) {
            if (glyphs) {
                id->SetTransparent(true);
                Canvas->Draw(X - 7, Y - 7, id);
            } else {
                Canvas->Polygon({TPoint(X - 6, Y + 8), TPoint(X + 6, Y + 8), TPoint(X, Y - 4)});
            }
            Canvas->TextOut(X - 2, Y - 2, AnsiString(p + 1));
        } else {
            if (glyphs) {
                iu->SetTransparent(true);
                Canvas->Draw(X - 7, Y - 7, iu);
            } else {
                Canvas->Polygon({TPoint(X - 7, Y - 5), TPoint(X + 7, Y - 5), TPoint(X, Y + 8)});
            }
            Canvas->TextOut(X - 2, Y - 4, AnsiString(p + 1));
        }
        SetBkMode(dc, mode);
        return;
    }
    TBitmap* up = s->GetUpGlyph();
    TBitmap* down = s->GetDownGlyph();
    const bool glyphs = up && down && !up->GetEmpty() && !down->GetEmpty();
    TPen* pen = Canvas->GetPen();
    pen->SetWidth(1);
    if (s->GetDirection() != sdDescending) {
        if (glyphs) {
            up->SetTransparent(true);
            Canvas->Draw(X - 4, Y - 4, up);
            Canvas->GetBrush()->SetColor(GetFixedColor());
        } else {
            pen->SetColor(clWhite);
            Canvas->MoveTo(X - 4, Y + 4);
            Canvas->LineTo(X + 4, Y + 4);
            Canvas->LineTo(X, Y - 4);
            pen->SetColor(clGray);
            Canvas->LineTo(X - 4, Y + 4);
        }
    } else {
        if (glyphs) {
            down->SetTransparent(true);
            Canvas->Draw(X - 4, Y - 4, down);
        } else {
            pen->SetColor(clWhite);
            Canvas->MoveTo(X + 4, Y - 4);
            Canvas->LineTo(X, Y + 4);
            pen->SetColor(clGray);
            Canvas->LineTo(X - 4, Y - 4);
            Canvas->LineTo(X + 4, Y - 4);
        }
    }
    pen->SetColor(clBlack);
}

void TKavStringGrid::DrawBackgroundPicture(TCanvas* Canvas, const TRect& R) {
    TBitmap* bmp = backGround_->GetBitmap();
    const int bw = bmp->GetWidth(), bh = bmp->GetHeight();
    if (bw <= 0 || bh <= 0) return;
    const HDC dc = Canvas->GetHandle();
    const int mode = SetBkMode(dc, TRANSPARENT);
    if (backGround_->GetDisplay() == bdTile) {
        // The tile offsets: the sizes between the tile origin and the cell, modulo the tile.
        const TRect origin = backGround_->GetCells() == bcNormal
                                 ? GetCellRect(GetFixedCols(), GetFixedRows())
                                 : GetCellRect(0, 0);
        int x0 = (R.Left - origin.Left) % bw, y0 = (R.Top - origin.Top) % bh;
        if (x0 < 0) x0 += bw;
        if (y0 < 0) y0 += bh;
        for (int y = R.Top, sy = y0; y < R.Bottom; y += bh - sy, sy = 0) {
            const int h = std::min(bh - sy, R.Bottom - y);
            for (int x = R.Left, sx = x0; x < R.Right; x += bw - sx, sx = 0) {
                const int w = std::min(bw - sx, R.Right - x);
                Canvas->CopyRect(Rect(x, y, x + w, y + h), bmp->GetCanvas(),
                                 Rect(sx, sy, sx + w, sy + h));
            }
        }
    } else {
        const TRect b = Bounds(backGround_->GetLeft(), backGround_->GetTop(), bw, bh);
        const TRect i = Rect(std::max(b.Left, R.Left), std::max(b.Top, R.Top),
                             std::min(b.Right, R.Right), std::min(b.Bottom, R.Bottom));
        if (i.Width() > 0 && i.Height() > 0)
            Canvas->CopyRect(
                i, bmp->GetCanvas(),
                Rect(i.Left - b.Left, i.Top - b.Top, i.Right - b.Left, i.Bottom - b.Top));
    }
    SetBkMode(dc, mode);
}

TRect TKavStringGrid::TextRoom(int RealCol, int ARow, TRect R, bool HasGraphic, int GW, int GH,
                               TCellHAlign GHA, TCellVAlign GVA) {
    if (HasGraphic) {
        if (GHA == haBeforeText) R.Left += GW;
        if (GHA == haAfterText) R.Right -= GW;
        if (GVA == vaAboveText) R.Top += GH;
        if (GVA == vaUnderText) R.Bottom -= GH;
    }
    // Column 0 of the rows under a node starts after their level's indent.
    if (RealCol == 0 && HasNodes() && !IsNode(ARow)) R.Left += NodeIndent(ARow);
    return R;
}

TRect TKavStringGrid::TextRoom(int RealCol, int ARow, const TRect& R) {
    int gw = 0, gh = 0;
    bool displText = true;
    TCellHAlign gha = haLeft;
    TCellVAlign gva = vaTop;
    const TCellGraphic* g = GetGraphicDetails(RealCol, ARow, gw, gh, displText, gha, gva);
    return TextRoom(RealCol, ARow, R, g != nullptr, gw, gh, gha, gva);
}

TKavStringGrid::TTextExtent TKavStringGrid::DrawCellText(TCanvas* Canvas, int ACol, int RealCol,
                                                         int ARow, TRect R, TGridDrawState AState,
                                                         TAlignment HA, TVAlignment VA, bool WW,
                                                         bool HasGraphic, bool DisplText, int GW,
                                                         int GH, TCellHAlign GHA, TCellVAlign GVA,
                                                         TColor SavedBrush, TColor SavedFont) {
    TTextExtent extent;
    const TGridOptions options = GetOptions();
    const bool scrolling = ACol >= GetFixedCols() && ARow >= GetFixedRows();
    const int selRow = SelectionRow(ARow);
    const bool rowSelected = selRow >= 0 && selRow < TotalRowCount() && GetRowSelect(selRow);
    TColor anchor = urlColor_;

    // The selected look.
    const bool selectedLook =
        (AState.Contains(gdSelected) ||
         (rowSelected && options.Contains(goRowSelect) && RealCol >= GetFixedCols() &&
          RealCol <= GetColCount() - fixedRightCols_ - 1)) &&
        (!AState.Contains(gdFocused) || options.Contains(goDrawFocusSelected)) &&
        !IsFixed(ACol, ARow);
    if (selectedLook) {
        if (showSelection_) {
            if (selectionColor_ != clNone) Canvas->GetBrush()->SetColor(selectionColor_);
            if (selectionTextColor_ != clNone) Canvas->GetFont()->SetColor(selectionTextColor_);
            anchor = selectionTextColor_;
        } else if (!Focused() || IsCheckBoxKind(GetCellType(RealCol, ARow))) {
            Canvas->GetBrush()->SetColor(SavedBrush);
            Canvas->GetFont()->SetColor(SavedFont);
            anchor = urlColor_;
        }
    }

    AnsiString text = GetFormattedCell(RealCol, ARow);
    TTextType kind = TextType(text, enableHTML_);
    if (kind == ttFormula) {
        text = CalcCell(RealCol, ARow);
        kind = TextType(text, enableHTML_);
    }
    if (IsPassword(RealCol, ARow)) StringToPassword(text, passwordChar_);

    const bool filter = ARow == 0 && GetFilter(RealCol);
    if (filter)
        DrawBitmapResourceTransp(Canvas, GetFixedColor(),
                                 Rect(R.Right - 16, R.Top, R.Right, R.Bottom), "KSGFILT");

    // Disjunct selections: a cell outside them takes the plain look.
    const bool rowMode = mouseActions_->GetDisjunctRowSelect();
    const bool colMode = mouseActions_->GetDisjunctColSelect();
    if (scrolling && !MouseSelecting() &&
        ((rowMode && !rowSelected) ||
         (colMode && !ColFlag(ACol)))) {
        anchor = urlColor_;
        Canvas->GetBrush()->SetColor(GetColor());
        Canvas->GetFont()->SetColor(GetFont()->GetColor());
        GetCellColor(RealCol, ARow, AState, Canvas->GetBrush(), Canvas->GetFont());
    }

    // Background picture or gradient.
    TBitmap* wall = backGround_->GetBitmap();
    const bool fixedKind = AState.Contains(gdFixed);
    const TBackGroundCells cells = backGround_->GetCells();
    const bool kindMatches =
        fixedKind ? (cells == bcFixed || cells == bcAll) : (cells == bcNormal || cells == bcAll);
    const bool shownSelected =
        showSelection_ &&
        !((!AState.Contains(gdSelected) || AState.Contains(gdFocused)) &&
          (!AState.Contains(gdFocused) || !options.Contains(goDrawFocusSelected)));
    if (kindMatches && !shownSelected && GetColors(RealCol, ARow) == clNone) {
        if (wall && !wall->GetEmpty()) DrawBackgroundPicture(Canvas, R);
        const TBackGroundDisplay d = backGround_->GetDisplay();
        if (d == bdGradientHorz || d == bdGradientVert) {
            const bool horz = d == bdGradientHorz;
            const int extent = horz ? GetWidth() : GetHeight();
            const TColor a = GradientAt(backGround_->GetColor(), backGround_->GetColorTo(), 0,
                                        extent, horz ? R.Left : R.Top);
            const TColor b = GradientAt(backGround_->GetColor(), backGround_->GetColorTo(), 0,
                                        extent, horz ? R.Right : R.Bottom - 1);
            const TColor brush = Canvas->GetBrush()->GetColor();
            DrawGradient(Canvas, a, b, 128, R, horz);
            Canvas->GetBrush()->SetColor(brush);
        }
    }

    // Outline of the selection.
    const int glw = GetGridLineWidth();
    const TGridRect sel = GetSelection();
    if (selectionRectangle_ && sel.Contains(ACol, ARow)) {
        TPen* pen = Canvas->GetPen();
        const TColor pc = pen->GetColor();
        pen->SetColor(clBlack);
        pen->SetWidth(2);
        const int right = ACol == sel.Right ? R.Right - 1 : R.Right;
        if (ACol == sel.Left) {
            Canvas->MoveTo(R.Left + 1 - glw, R.Bottom);
            Canvas->LineTo(R.Left + 1 - glw, R.Top - glw);
        }
        if (ACol == sel.Right) {
            Canvas->MoveTo(R.Right - 1, R.Bottom);
            Canvas->LineTo(R.Right - 1, R.Top - glw);
        }
        if (ARow == sel.Top) {
            Canvas->MoveTo(R.Left - glw, R.Top + 1 - glw);
            Canvas->LineTo(right, R.Top + 1 - glw);
        }
        if (ARow == sel.Bottom) {
            Canvas->MoveTo(R.Left - glw, R.Bottom);
            Canvas->LineTo(right, R.Bottom);
        }
        if (selectionResizer_ && ACol == sel.Right && ARow == sel.Bottom) {
            const TColor bc = Canvas->GetBrush()->GetColor();
            Canvas->GetBrush()->SetColor(clBlack);
            pen->SetWidth(1);
            Canvas->Rectangle(R.Right - 4, R.Bottom - 4, R.Right, R.Bottom);
            Canvas->GetBrush()->SetColor(bc);
        }
        pen->SetWidth(1);
        pen->SetColor(pc);
    }

    if (!DisplText) return extent;

    const TRect cellR = R;
    // Rich text takes the room as it is; it keeps the text inset itself.
    const TRect room = TextRoom(RealCol, ARow, R, HasGraphic, GW, GH, GHA, GVA);
    R = Rect(room.Left + xyOffset_.x, room.Top + xyOffset_.y, room.Right - xyOffset_.x,
             room.Bottom);
    extent.Height = Canvas->TextHeight("hg");
    const bool sortHere = SortIndicatorHere(RealCol, ARow);
    // Of several sort columns only the first shows its arrow, unless their places show.
    const bool sortDraw =
        sortHere && (sortIndexes_->FindIndex(RealCol) < 1 || sortSettings_->GetIndexShow());
    auto sortY = [&](const TRect& r) {
        return VA == vtaCenter   ? r.Top + (r.Bottom - r.Top) / 2
               : VA == vtaBottom ? r.Bottom - 8
                                 : r.Top + 8;
    };
    const HDC dc = Canvas->GetHandle();
    const UINT wrapFlag = WW                ? UINT(DT_WORDBREAK | DT_EDITCONTROL)
                          : multiLineCells_ ? 0u
                                            : UINT(DT_SINGLELINE);

    switch (kind) {
    case ttHTML: {
        if (filter) R.Right -= 18;
        R.Left -= 1;
        if (sortHere) R.Right -= 10;
        AnsiString href, plain, focus, title, cid, cvalue, ctype;
        int ex = 0, ey = 0, count = 0, mouseAnchor = 0;
        TRect ar, cr;
        // Blinking text follows the phase the grid's timer toggles; while blinking is off it
        // stays shown. A button control held down by the mouse shows pressed.
        const bool held = formButtonDown_ && controlCell_ == TPoint(RealCol, ARow);
        const bool blinkOn = !enableBlink_ || blinkPhase_;
        HTMLDrawEx(Canvas, text, R, gridImages_, held ? pressPoint_.x : R.Left,
                   held ? pressPoint_.y : R.Top, -1, 0, 1, false, false, false, false, blinkOn,
                   false, !enhTextSize_, held, 0.0, anchor, clNone, clNone, clGray, href, plain,
                   focus, title, ex, ey, count, mouseAnchor, ar, cr, cid, cvalue, ctype,
                   pictureCache_.get(), pictureContainer_, GetHandle());
        extent.Width = ex + 2;
        if (sortDraw) DrawSortIndicator(Canvas, RealCol, R.Right + 2, sortY(R));
        break;
    }
    case ttUnicode: {
        const WideString w = DecodeWideStr(text);
        if (sortHere) {
            R.Right -= 10;
            if (sortDraw) DrawSortIndicator(Canvas, RealCol, R.Right + 3, sortY(R));
        }
        if (!IsFixed(ACol, ARow)) {
            Canvas->GetPen()->SetColor(Canvas->GetBrush()->GetColor());
            Canvas->Rectangle(R);
        }
        UINT flags = VertFlags[VA] | HorzFlags[HA];
        flags |= WW || multiLineCells_ ? DT_WORDBREAK | DT_NOPREFIX
                                       : DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
        Canvas->GetBrush()->SetStyle(bsClear);
        DrawTextW(dc, w.str().c_str(), w.Length(), &R, flags);
        Canvas->GetBrush()->SetStyle(bsSolid);
        break;
    }
    default: {
        // Rich text, laid out over the cell's background; plain text and a formula's result.
        if (kind == ttRTF) {
            Canvas->GetPen()->SetColor(Canvas->GetBrush()->GetColor());
            if (!(AState.Contains(gdSelected) && !AState.Contains(gdFocused) &&
                  selectionColor_ == clNone))
                Canvas->Rectangle(R);
            Canvas->GetBrush()->SetStyle(bsClear);
            RTFPaint(RealCol, ARow, Canvas, room);
            Canvas->GetBrush()->SetStyle(bsSolid);
            break;
        }
        const bool sortColumn =
            ARow == 0 && RealCol == sortSettings_->GetColumn() && sortSettings_->GetShow();
        if (sortColumn && HA == taCenter) R.Left += 10;
        const int gap = sortColumn ? 14 : 0;
        const bool url = urlShow_ && IsURL(GetCellEx(RealCol, ARow));
        TFontStyles savedStyle = Canvas->GetFont()->GetStyle();
        if (url) {
            if (!urlFull_) StripURLProtocol(text);
            TFontStyles underlined = savedStyle;
            underlined << fsUnderline;
            Canvas->GetFont()->SetStyle(underlined);
            Canvas->GetFont()->SetColor(anchor);
        }
        UINT flags = DT_EDITCONTROL;
        if (LinesInText(text, multiLineCells_) == 1 && !WW) {
            AnsiString rest = text;
            text = GetNextLine(rest, multiLineCells_);
            flags = DT_SINGLELINE;
            if (enhTextSize_) flags |= DT_END_ELLIPSIS;
        } else if (WW && enhTextSize_ && !multiLineCells_) {
            flags |= DT_END_ELLIPSIS;
        }
        flags |= DT_NOPREFIX | DT_EXPANDTABS | wrapFlag | HorzFlags[HA] | VertFlags[VA];
        if (flags & DT_SINGLELINE) flags &= ~DT_EDITCONTROL;
        const int mode = SetBkMode(dc, TRANSPARENT);
        if (HA == taLeftJustify)
            R.Right -= gap;
        else
            R.Left += gap;
        if (filter) R.Right -= 16;
        if (HasGraphic && !text.IsEmpty()) {
            TRect m = R;
            DrawTextEx(dc, text.c_str(), text.Length(), &m, flags | DT_CALCRECT, nullptr);
            extent.Width = m.Width() + 2;
        }
        if (!text.IsEmpty()) {
            TRect d = R;
            extent.Height = DrawTextEx(dc, text.c_str(), text.Length(), &d, flags, nullptr);
            int markStart = 0, markLength = 0;
            GetMarker(RealCol, ARow, markStart, markLength);
            if (markLength > 0) DrawErrorLines(this, Canvas, text, R, 0, markStart, markLength);
        }
        SetBkMode(dc, mode);
        if (sortDraw) {
            TRect t = cellR;
            if (filter) t.Right -= 16;
            const int w = std::max(0, std::min(Canvas->TextWidth(text), t.Width()));
            int x;
            if (HA == taLeftJustify) {
                x = t.Left + w + 10;
                if (HasGraphic && (GHA == haLeft || GHA == haBeforeText)) x += GW;
            } else if (HA == taRightJustify) {
                x = t.Right - w - 10;
            } else {
                x = t.Left + 8;
            }
            DrawSortIndicator(Canvas, RealCol, x, sortY(t));
        }
        if (url) Canvas->GetFont()->SetStyle(savedStyle);
        break;
    }
    }
    return extent;
}
