// TKavStringGrid: how a cell looks before it is painted, printed or measured (colours, font,
// alignments, word wrap), the text it shows, the room its graphic takes and the size of its
// content.
#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/markup/markup_renderer.h"
#include "plataforma/base/rich_text.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/rich_layout.h"

#include <cmath>
#include <cstdlib>

void TKavStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print,
                                         bool Select, bool Remap, TBrush* ABrush, TColor& AColorTo,
                                         TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW) {
    const bool scrolling = ACol >= GetFixedCols() && ARow >= GetFixedRows();
    const bool printFont = Print && !printSettings_->GetUseDisplayFont();
    if (scrolling)
        AFont->Assign(printFont ? printSettings_->GetFont() : GetFont());
    else
        AFont->Assign(printFont ? printSettings_->GetFixedFont() : fixedFont_.get());

    const int realCol = Remap ? RemapCol(ACol) : ACol;
    const int selRow = SelectionRow(ARow);

    TColor brush = clNone;
    AColorTo = clNone;
    if (const TCellProperties* p = FindCellProperties(realCol, ARow)) {
        brush = p->GetBrushColor();
        if (p->GetFontColor() != clNone) AFont->SetColor(p->GetFontColor());
        if (!(p->GetFontStyle() == TFontStyles())) AFont->SetStyle(p->GetFontStyle());
        if (p->GetFontSize() != 0) AFont->SetSize(p->GetFontSize());
        if (!p->GetFontName().IsEmpty()) AFont->SetName(p->GetFontName());
        WW = p->GetWordWrap();
        AColorTo = p->GetBrushColorTo();
    }
    if (brush == clNone) {
        brush = GetColor();
        if (bands_->GetActive() && (!Print || bands_->GetPrint()) && scrolling &&
            ACol < GetColCount() - fixedRightCols_ + numHiddenCols_ &&
            ARow < GetRowCount() - fixedFooters_) {
            const int period = bands_->GetPrimaryLength() + bands_->GetSecondaryLength();
            if (period > 0)
                brush = (ARow - GetFixedRows()) % period < bands_->GetPrimaryLength()
                            ? bands_->GetPrimaryColor()
                            : bands_->GetSecondaryColor();
        }
        if ((scrolling && (DisplColIndex(ACol) >= GetColCount() - fixedRightCols_ ||
                           ARow >= GetRowCount() - fixedFooters_)) ||
            !scrolling)
            brush = GetFixedColor();
    }

    const bool fixed = IsFixed(ACol, ARow) || !scrolling;
    if (fixed && !Print) {
        brush = GetFixedColor();
        AFont->Assign(fixedFont_.get());
        AState << gdFixed;
    }
    ABrush->SetColor(brush);

    if (Print)
        GetCellPrintColor(realCol, ARow, AState, ABrush, AFont);
    else
        GetCellColor(realCol, ARow, AState, ABrush, AFont);

    auto selectionLook = [&] {
        if (selectionColor_ != clNone) ABrush->SetColor(selectionColor_);
        AColorTo = selectionColorTo_;
        if (selectionTextColor_ != clNone) AFont->SetColor(selectionTextColor_);
    };
    const bool mouseSel = MouseSelecting();
    const bool rowMode = mouseActions_->GetDisjunctRowSelect();
    const bool colMode = mouseActions_->GetDisjunctColSelect();
    if (scrolling && !fixed && !Print && Select && showSelection_) {
        if (rowMode) {
            const bool on = selRow < TotalRowCount() && RowFlag(selRow);
            if (on && !(mouseSel && ARow == GetRow())) {
                selectionLook();
                AState = TGridDrawState{gdSelected};
            } else if (mouseSel && !on && AState.Contains(gdSelected)) {
                selectionLook();
            }
        } else if (colMode) {
            const bool on = ColFlag(ACol);
            if (on && !(mouseSel && ACol == GetCol())) {
                selectionLook();
                AState = TGridDrawState{gdSelected};
            } else if (mouseSel && !on && AState.Contains(gdSelected)) {
                selectionLook();
            }
        } else if (IsSelected(ACol, ARow) || (AState.Contains(gdSelected) && mouseSel)) {
            selectionLook();
            AState << gdSelected;
        }
    } else if ((!Select || Print || fixed) && AState.Contains(gdSelected) && mouseSel) {
        // A grid that does not show its selection does not show a range being dragged either.
        selectionLook();
    }

    if (mouseActions_->GetDisjunctCellSelect()) {
        if (selCellIndex_.count(CellKey(ACol, ARow))) {
            selectionLook();
            AState << gdSelected;
        } else if (ACol == GetCol() && ARow == GetRow()) {
            AState >> gdSelected;
            ABrush->SetColor(GetColor());
            AFont->SetColor(GetFont()->GetColor());
        }
    }

    GetCellWordWrap(realCol, ARow, WW);
    const int a = GetCellAlignment(realCol, ARow);
    HA = static_cast<TAlignment>(a & 0xFF);
    VA = static_cast<TVAlignment>((a >> 8) & 0xFF);
}

bool TKavStringGrid::RowFlag(int ARow) const {
    return ARow >= 0 && ARow < static_cast<int>(rowSelect_.size()) && rowSelect_[ARow];
}

int TKavStringGrid::GetCellAlignment(int ACol, int ARow) {
    TVAlignment va = vAlignment_;
    TAlignment ha = taLeftJustify;
    if (autoNumAlign_) {
        AnsiString s = GetCellEx(ACol, ARow);
        const std::string& t = s.str();
        if ((!t.empty() && t[0] == '=') ||
            (t.size() >= 4 && t.compare(0, 2, "|\\") == 0 && t[3] == '='))
            s = CalcCell(ACol, ARow);
        s = s.Trim();
        if (!s.IsEmpty() && IsType(s) < atString) ha = taRightJustify;
    }
    if (const TCellProperties* p = FindCellProperties(ACol, ARow)) ha = p->GetAlignment();
    GetCellAlign(ACol, ARow, ha, va);
    return static_cast<int>(ha) | static_cast<int>(va) << 8;
}

AnsiString TKavStringGrid::GetFormattedCell(int ACol, int ARow) {
    AnsiString s = GetCellEx(ACol, ARow);
    if (!OnGetFloatFormat) return s;
    // Classified as stored: blanks around a number make it text.
    bool isFloat = IsType(s) < atString;
    AnsiString format = floatFormat_;
    OnGetFloatFormat(this, ACol, ARow, isFloat, format);
    if (!isFloat) return s;
    const bool integer = format.Pos("d") > 0;
    // Painting never raises: a text that does not read as the number asked for shows 0 (a
    // float text under an integer format is cut toward zero).
    double value = 0;
    try {
        value = integer ? GetInts(ACol, ARow) : GetFloats(ACol, ARow);
    } catch (const Exception&) {
        try {
            value = GetFloats(ACol, ARow);
        } catch (const Exception&) {
            value = 0;
        }
    }
    return FormatCellNumber(format, value, integer);
}

TCellGraphic* TKavStringGrid::GetGraphicDetails(int ACol, int ARow, int& W, int& H, bool& DisplText,
                                                TCellHAlign& HA, TCellVAlign& VA) {
    W = H = 0;
    DisplText = true;
    HA = haLeft;
    VA = vaTop;
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return nullptr;
    HA = g->CellHAlign;
    VA = g->CellVAlign;
    auto objectSize = [&](const TObject* o) {
        if (const auto* b = dynamic_cast<const TGraphic*>(o)) {
            W = b->GetWidth();
            H = b->GetHeight();
        }
    };
    switch (g->CellType) {
    case ctBitmap:
        objectSize(g->CellBitmap);
        break;
    case ctIcon:
        objectSize(g->CellIcon);
        break;
    case ctImageList:
        if (gridImages_) {
            W = gridImages_->GetWidth();
            H = gridImages_->GetHeight();
        }
        break;
    case ctDataImage:
        if (gridImages_) {
            W = gridImages_->GetWidth();
            H = gridImages_->GetHeight();
            DisplText = false;
        }
        break;
    case ctCheckBox:
        W = H = controlLook_->GetCheckSize();
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        W = H = controlLook_->GetCheckSize();
        DisplText = false;
        break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
        DisplText = false;
        break;
    case ctImages:
        if (gridImages_) {
            const auto* list = dynamic_cast<const TIntList*>(g->CellBitmap);
            const int n = list ? list->GetCount() : 0;
            if (g->CellBoolean) {
                W = n * gridImages_->GetWidth();
                H = gridImages_->GetHeight();
            } else {
                W = gridImages_->GetWidth();
                H = n * gridImages_->GetHeight();
            }
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        const TPoint size = CellSize(ACol, ARow);
        g->GetPictureSize(size.x, size.y, W, H);
        break;
    }
    case ctButton:
    case ctBitButton:
        W = g->CellIndex & 0xFFFF;
        H = (g->CellIndex >> 16) & 0xFFFF;
        break;
    case ctProgressPie:
        W = H = 20;
        break;
    default:
        break;
    }
    return g;
}

bool TKavStringGrid::IsPassword(int ACol, int ARow) {
    bool password = false;
    GetCellPassword(ACol, ARow, password);
    return password;
}

TSize TKavStringGrid::GetCellTextSize(int ACol, int ARow, bool WordWrap) {
    AnsiString s = GetFormattedCell(ACol, ARow);
    TTextType kind = TextType(s, enableHTML_);
    TCanvas* canvas = GetCanvas();
    TGridDrawState state;
    TColor colorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = WordWrap;
    GetVisualProperties(RemapColInv(ACol), ARow, state, false, true, true, canvas->GetBrush(),
                        colorTo, canvas->GetFont(), ha, va, ww);
    if (kind == ttFormula) {
        s = CalcCell(ACol, ARow);
        kind = TextType(s, enableHTML_);
    }
    const TRect cell = CellRect(RemapColInv(ACol), ARow);
    const TRect cellRect =
        cell.Width() > 0 ? cell : Rect(0, 0, GetColWidths(ACol), GetRowHeights(ARow));
    const int ox = xyOffset_.x, oy = xyOffset_.y;
    TSize size;
    const HDC dc = canvas->GetHandle();
    if (kind == ttHTML) {
        TRect r = Rect(cellRect.Left + ox, cellRect.Top + oy, cellRect.Right - ox, 65535);
        if (!WordWrap) r.Right = 65535;
        AnsiString anchor, plain, focus, title, cid, cvalue, ctype;
        int ex = 0, ey = 0, count = 0, mouseAnchor = 0;
        TRect ar, cr;
        HTMLDrawEx(canvas, s, r, gridImages_, 0, 0, -1, 0, 1, false, true, false, true, true, false,
                   !enhTextSize_, false, 0.0, urlColor_, clNone, clNone, clGray, anchor, plain,
                   focus, title, ex, ey, count, mouseAnchor, ar, cr, cid, cvalue, ctype,
                   pictureCache_.get(), pictureContainer_, GetHandle());
        size.cx = ex + 2 + 2 * ox;
        size.cy = ey + 2 + 2 * oy;
    } else if (kind == ttUnicode) {
        const WideString w = DecodeWideStr(s);
        TRect r = cellRect;
        const UINT flags = WordWrap || multiLineCells_ ? DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK
                                                       : DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE;
        // The measure narrows the rectangle to the widest line: that is the text's width.
        DrawTextW(dc, w.str().c_str(), w.Length(), &r, flags);
        size.cx = r.Width() + 2 * ox;
        size.cy = r.Height();
    } else if (kind == ttRTF) {
        // As it is painted: wrapped at the cell's width less the offsets, whatever the word
        // wrap. Without word wrap the width is that of the longest paragraph on one line.
        const TRichDocument doc = RichDocumentOf(s);
        auto lay = [&](int width) {
            TFormatRange range;
            range.Canvas = canvas;
            range.Rc = PixelsToTwips(canvas, Rect(0, 0, std::max(1, width), 0x3FFFFFF));
            range.RcPage = range.Rc;
            FormatRichRange(doc, range, false);
            return TwipsToPixels(canvas, Rect(0, 0, range.WidthUsed, range.Rc.Bottom));
        };
        // Wrapped where it is painted: beside the cell's graphic, after a node's indent.
        const TRect room = TextRoom(ACol, ARow, cellRect);
        size.cx = WordWrap ? cellRect.Width() : lay(0x3FFFFFF).Right + 2 * ox;
        size.cy = lay(room.Width() - 2 * ox).Bottom + 2 * oy;
    } else if (!WordWrap) {
        // Plain text.
        int width = 0, lines = 0;
        AnsiString rest = s;
        do {
            AnsiString line = GetNextLine(rest, multiLineCells_);
            if (urlShow_ && !urlFull_) StripURLProtocol(line);
            width = std::max(width, canvas->TextWidth(line));
            ++lines;
        } while (!rest.IsEmpty());
        size.cx = width + 2 * ox;
        size.cy = lines * canvas->TextHeight("hg") + 2 * oy;
    } else {
        TRect r = Rect(cellRect.Left + 2 + ox, cellRect.Top + 2 + oy, cellRect.Right - 2 - ox,
                       cellRect.Bottom - 2 - oy);
        AnsiString t = s;
        if (GetEditorMode() && GetCol() == RemapColInv(ACol) && GetRow() == ARow && !t.IsEmpty() &&
            t[t.Length()] == '\n')
            t += "w";
        DrawTextEx(dc, t.c_str(), t.Length(), &r,
                   DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL, nullptr);
        size.cx = r.Width() + 2 * ox;
        size.cy = r.Height() + 2 * oy;
    }
    if (const TCellGraphic* g = GetCellGraphic(ACol, ARow); g && g->CellType == ctRotated) {
        const double a = g->CellAngle * M_PI / 180.0;
        const int w = size.cx, h = size.cy;
        const int sh = std::abs(static_cast<int>(std::sin(a) * h));
        const int cw = std::abs(static_cast<int>(std::cos(a) * w));
        const int ch = std::abs(static_cast<int>(std::cos(a) * h));
        const int sw = std::abs(static_cast<int>(std::sin(a) * w));
        size.cx = std::abs(sh - cw) + 12;
        size.cy = std::abs(ch - sw) + 12;
    }
    return size;
}

void TKavStringGrid::SetEnhTextSize(bool Value) {
    enhTextSize_ = Value;
    Invalidate();
}

void TKavStringGrid::SetMultilinecells(bool Value) {
    multiLineCells_ = Value;
    Invalidate();
}

void TKavStringGrid::SetURLShow(bool Value) {
    urlShow_ = Value;
    Invalidate();
}

void TKavStringGrid::SetURLFull(bool Value) {
    urlFull_ = Value;
    if (urlShow_) Invalidate();
}

void TKavStringGrid::SetURLColor(TColor Value) {
    urlColor_ = Value;
    if (urlShow_) Invalidate();
}

void TKavStringGrid::SetHideFocusRect(bool Value) {
    hideFocusRect_ = Value;
    Invalidate();
}

void TKavStringGrid::SetPictureContainer(TPictureContainer* Value) {
    if (SetWatched(this, pictureContainer_, Value)) Invalidate();
}
