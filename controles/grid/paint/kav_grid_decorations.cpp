// TKavStringGrid: the decorations a cell may carry (bitmaps, pictures, icons, images,
// progress bars and pies, range indicators, comments, rotated text, buttons, check boxes,
// radio groups, markers), each a graphic record of its kind, added, read, changed and
// removed.
#include "controles/grid/kav_grid.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/images/graphics.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsCheck(TCellType T) {
    return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox;
}

bool IsDataCheck(TCellType T) {
    return T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox;
}

} // namespace

// --- bitmaps, pictures, icons ---

void TKavStringGrid::AddBitmap(int ACol, int ARow, TBitmap* ABitmap, bool Transparent,
                               TCellHAlign HA, TCellVAlign VA) {
    CreateCellGraphic(ACol, ARow)->SetBitmap(ABitmap, Transparent, HA, VA);
}

TBitmap* TKavStringGrid::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign HA,
                                      TCellVAlign VA) {
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* b = new TBitmap();
    g->SetBitmap(b, Transparent, HA, VA);
    g->CellCreated = 1;
    return b;
}

TBitmap* TKavStringGrid::GetBitmap(int ACol, int ARow) {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctBitmap ? dynamic_cast<TBitmap*>(g->CellBitmap) : nullptr;
}

void TKavStringGrid::AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent,
                                TStretchMode Stretch, int Inset, TCellHAlign HA, TCellVAlign VA) {
    CreateCellGraphic(ACol, ARow)->SetPicture(APicture, Transparent, Stretch, Inset, HA, VA);
}

TPicture* TKavStringGrid::CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode Stretch,
                                        int Inset, TCellHAlign HA, TCellVAlign VA) {
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* p = new TPicture();
    g->SetPicture(p, Transparent, Stretch, Inset, HA, VA);
    g->CellCreated = 1;
    return p;
}

TPicture* TKavStringGrid::GetPicture(int ACol, int ARow) {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctPicture ? dynamic_cast<TPicture*>(g->CellBitmap) : nullptr;
}

void TKavStringGrid::AddFilePicture(int ACol, int ARow, TFilePicture* APicture, bool Transparent,
                                    TStretchMode Stretch, int Inset, TCellHAlign HA,
                                    TCellVAlign VA) {
    CreateCellGraphic(ACol, ARow)->SetFilePicture(APicture, Transparent, Stretch, Inset, HA, VA);
}

TFilePicture* TKavStringGrid::CreateFilePicture(int ACol, int ARow, bool Transparent,
                                                TStretchMode Stretch, int Inset, TCellHAlign HA,
                                                TCellVAlign VA) {
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* p = new TFilePicture();
    g->SetFilePicture(p, Transparent, Stretch, Inset, HA, VA);
    g->CellCreated = 1;
    return p;
}

TFilePicture* TKavStringGrid::GetFilePicture(int ACol, int ARow) {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctFilePicture ? dynamic_cast<TFilePicture*>(g->CellBitmap) : nullptr;
}

void TKavStringGrid::AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign HA, TCellVAlign VA) {
    CreateCellGraphic(ACol, ARow)->SetIcon(AIcon, HA, VA);
}

TIcon* TKavStringGrid::CreateIcon(int ACol, int ARow, TCellHAlign HA, TCellVAlign VA) {
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* i = new TIcon();
    g->SetIcon(i, HA, VA);
    g->CellCreated = 1;
    return i;
}

// --- images of the grid's image list ---

void TKavStringGrid::AddImageIdx(int ACol, int ARow, int Idx, TCellHAlign HA, TCellVAlign VA) {
    if (!gridImages_) return;
    CreateCellGraphic(ACol, ARow)->SetImageIdx(Idx, HA, VA);
}

bool TKavStringGrid::GetImageIdx(int ACol, int ARow, int& Idx) {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctImageList || !gridImages_) return false;
    Idx = g->CellIndex;
    return true;
}

void TKavStringGrid::AddDataImage(int ACol, int ARow, int Idx, TCellHAlign HA, TCellVAlign VA) {
    if (!gridImages_) return;
    CreateCellGraphic(ACol, ARow)->SetDataImage(Idx, HA, VA);
}

bool TKavStringGrid::HasDataImage(int ACol, int ARow) {
    return GetCellType(ACol, ARow) == ctDataImage;
}

void TKavStringGrid::AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign HA, TCellVAlign VA) {
    if (!gridImages_) return;
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetKind(ctImages, HA, VA);
    auto* list = new TIntList(ACol, ARow);
    list->OnChange = [this](TObject* Sender, int c, int r) { MultiImageChanged(Sender, c, r); };
    g->CellBitmap = list;
    g->CellCreated = 1;
    g->CellBoolean = Dir != 0;
}

TIntList* TKavStringGrid::GetCellImages(int ACol, int ARow) {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctImages ? dynamic_cast<TIntList*>(g->CellBitmap) : nullptr;
}

// --- progress, pies, ranges, comments, rotated text ---

void TKavStringGrid::AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor,
                                          TColor BKColor, TColor BKTextColor,
                                          const AnsiString& AFormat, int AMin, int AMax) {
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetKind(ctProgress, haLeft, vaTop);
    g->CellColor = FGColor;
    g->CellTextColor = FGTextColor;
    g->CellColorTo = BKColor;
    g->CellTextColorTo = BKTextColor;
    g->CellFormat = AFormat;
    g->CellMin = AMin;
    g->CellMax = AMax;
    g->CellBoolean = 1;
}

void TKavStringGrid::AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor,
                                   TColor BKColor, TColor BKTextColor) {
    AddProgressFormatted(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor, AnsiString(), 0,
                         100);
}

void TKavStringGrid::AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor) {
    AddProgressFormatted(ACol, ARow, FGColor, clNone, BKColor, clNone, AnsiString(), 0, 100);
    GetCellGraphic(ACol, ARow)->CellBoolean = 0;
}

void TKavStringGrid::AddProgressPie(int ACol, int ARow, TColor Color, int Value) {
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetKind(ctProgressPie, haBeforeText, vaTop);
    g->CellColor = Color;
    g->CellIndex = Value;
}

void TKavStringGrid::SetProgressPie(int ACol, int ARow, int Value) {
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctProgressPie) return;
    g->CellIndex = Value;
    RepaintCell(RemapColInv(ACol), ARow);
}

void TKavStringGrid::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor,
                                       TColor PosColor, bool ShowValue) {
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetKind(ctRangeIndicator, haLeft, vaTop);
    g->CellIndex = Range;
    g->CellColor = NegColor;
    g->CellColorTo = PosColor;
    g->CellBoolean = ShowValue;
}

void TKavStringGrid::AddColorComment(int ACol, int ARow, const AnsiString& Comment, TColor Color) {
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctComment;
    g->CellCaption = Comment;
    g->CellColor = Color;
}

void TKavStringGrid::AddComment(int ACol, int ARow, const AnsiString& Comment) {
    AddColorComment(ACol, ARow, Comment, clNone);
}

bool TKavStringGrid::IsComment(int ACol, int ARow, AnsiString& Comment) {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctComment) return false;
    Comment = g->CellCaption;
    return true;
}

void TKavStringGrid::RemoveAllComments() {
    // Every real column, hidden ones included.
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < TotalColCount(); ++c)
            if (GetCellType(c, r) == ctComment) RemoveComment(c, r);
    // The hidden rows' too: they would come back with the rows.
    EachHiddenRowCell(0, TotalColCount() - 1, [](TStrings& Cells, int c) {
        if (const TCellGraphic* g = HiddenCellGraphic(Cells, c); g && g->CellType == ctComment)
            FreeHiddenCellGraphic(Cells, c);
    });
}

void TKavStringGrid::AddRotated(int ACol, int ARow, int AAngle, const AnsiString& S) {
    CreateCellGraphic(ACol, ARow)->SetAngle(AAngle);
    SetCellEx(ACol, ARow, S);
}

void TKavStringGrid::SetRotated(int ACol, int ARow, int AAngle) {
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) g = CreateCellGraphic(ACol, ARow);
    g->SetAngle(AAngle);
    RepaintCell(RemapColInv(ACol), ARow);
}

bool TKavStringGrid::IsRotated(int ACol, int ARow, int& AAngle) {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRotated) return false;
    AAngle = g->CellAngle;
    return true;
}

// --- buttons ---

void TKavStringGrid::AddButton(int ACol, int ARow, int BW, int BH, const AnsiString& Caption,
                               TCellHAlign HA, TCellVAlign VA) {
    CreateCellGraphic(ACol, ARow)->SetButton(BW, BH, Caption, HA, VA);
}

void TKavStringGrid::AddBitButton(int ACol, int ARow, int BW, int BH, const AnsiString& Caption,
                                  TBitmap* Glyph, TCellHAlign HA, TCellVAlign VA) {
    CreateCellGraphic(ACol, ARow)->SetBitButton(BW, BH, Caption, Glyph, HA, VA);
}

TBitmap* TKavStringGrid::CreateBitButton(int ACol, int ARow, int BW, int BH,
                                         const AnsiString& Caption, TCellHAlign HA,
                                         TCellVAlign VA) {
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* glyph = new TBitmap();
    g->SetBitButton(BW, BH, Caption, glyph, HA, VA);
    g->CellCreated = 1;
    return glyph;
}

void TKavStringGrid::SetButtonText(int ACol, int ARow, const AnsiString& Caption) {
    const int real = RemapCol(ACol);
    TCellGraphic* g = GetCellGraphic(real, ARow);
    if (!g || (g->CellType != ctButton && g->CellType != ctBitButton)) return;
    g->CellCaption = Caption;
    RepaintCell(ACol, ARow);
}

void TKavStringGrid::PushButton(int ACol, int ARow, bool Down) {
    const int real = RemapCol(ACol);
    TCellGraphic* g = GetCellGraphic(real, ARow);
    if (!g || (g->CellType != ctButton && g->CellType != ctBitButton)) return;
    g->CellBoolean = Down;
    RepaintCell(ACol, ARow);
}

bool TKavStringGrid::HasButton(int ACol, int ARow) {
    const TPoint b = BaseCell(ACol, ARow);
    const TCellType t = GetCellType(b.x, b.y);
    return t == ctButton || t == ctBitButton;
}

TRect TKavStringGrid::ButtonRect(TShownCol ACol, TShownRow ARow) {
    const TCellGraphic* g = GetCellGraphic(ToReal(ACol), ARow);
    const TRect cell = CellRect(ACol.Value(), ARow.Value());
    if (!g || (g->CellType != ctButton && g->CellType != ctBitButton)) return TRect();
    const int x = cell.Left + static_cast<int16_t>(g->CellButtonOffset & 0xFFFF);
    const int y = cell.Top + static_cast<int16_t>((g->CellButtonOffset >> 16) & 0xFFFF);
    TRect r = Bounds(x, y, g->CellIndex & 0xFFFF, (g->CellIndex >> 16) & 0xFFFF);
    if (g->CellHAlign == haFull) {
        r.Left = cell.Left;
        r.Right = cell.Right;
    }
    if (g->CellVAlign == vaFull) {
        r.Top = cell.Top;
        r.Bottom = cell.Bottom;
    }
    return r;
}

void TKavStringGrid::RemoveButton(int ACol, int ARow) {
    if (!RemoveCellGraphic(ACol, ARow, ctButton)) RemoveCellGraphic(ACol, ARow, ctBitButton);
}

// --- check boxes ---

void TKavStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool Data) {
    const TCellVAlign va = vAlignment_ == vtaCenter   ? vaCenter
                           : vAlignment_ == vtaBottom ? vaBottom
                                                      : vaTop;
    CreateCellGraphic(ACol, ARow)->SetCheckBox(State, Data, true, haBeforeText, va);
}

void TKavStringGrid::RemoveCheckBox(int ACol, int ARow) {
    if (!RemoveCellGraphic(ACol, ARow, ctCheckBox)) RemoveCellGraphic(ACol, ARow, ctDataCheckBox);
}

bool TKavStringGrid::HasCheckBox(int ACol, int ARow) {
    const TPoint b = BaseCell(ACol, ARow);
    return IsCheck(GetCellType(b.x, b.y));
}

bool TKavStringGrid::HasDataCheckBox(int ACol, int ARow) {
    const TPoint b = BaseCell(ACol, ARow);
    return IsDataCheck(GetCellType(b.x, b.y));
}

bool TKavStringGrid::HasDataCell(int ACol, int ARow) {
    const TPoint b = BaseCell(ACol, ARow);
    const TCellType t = GetCellType(b.x, b.y);
    return IsDataCheck(t) || t == ctDataImage;
}

bool TKavStringGrid::HasStaticEdit(int ACol, int ARow) {
    const TPoint b = BaseCell(ACol, ARow);
    const TCellType t = GetCellType(b.x, b.y);
    return IsCheck(t) || t == ctRadio || t == ctButton;
}

bool TKavStringGrid::IsInCheckBox(TRealCol ACol, TShownRow ARow, int X, int Y) {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || !IsCheck(g->CellType)) return false;
    if (!mouseActions_->GetPreciseCheckBoxCheck()) return true;
    const TRect r = CellRect(ToShown(ACol).Value(), ARow.Value());
    const int s = controlLook_->GetCheckSize();
    const TAlignment ha =
        static_cast<TAlignment>(GetCellAlignment(ACol.Value(), ARow.Value()) & 0xFF);
    const int x = ha == taLeftJustify    ? r.Left + 2
                  : ha == taRightJustify ? r.Right - 2 - s
                                         : r.Left + (r.Width() - s) / 2;
    // Under, above and over the whole text the square is taken as centred.
    const int y = g->CellVAlign == vaTop      ? r.Top + 2
                  : g->CellVAlign == vaBottom ? r.Bottom - 2 - s
                                              : r.Top + (r.Height() - s) / 2;
    return PtInRect(Bounds(x, y, s, s), TPoint(X, Y));
}

bool TKavStringGrid::GetCheckBoxState(int ACol, int ARow, bool& State) {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    switch (g->CellType) {
    case ctCheckBox:
        State = g->CellBoolean;
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        State = GetCellEx(ACol, ARow) == GetCheckTrue(ACol, ARow);
        return true;
    case ctRowCheckBox:
        if (ACol != 0) return false;
        State = GetRowSelect(ARow);
        return true;
    default:
        return false;
    }
}

bool TKavStringGrid::SetCheckBoxState(int ACol, int ARow, bool State) {
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    switch (g->CellType) {
    case ctCheckBox:
        g->CellBoolean = State;
        RepaintCell(RemapColInv(ACol), ARow);
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        SetCellEx(ACol, ARow, State ? GetCheckTrue(ACol, ARow) : GetCheckFalse(ACol, ARow));
        return true;
    case ctRowCheckBox:
        if (ACol == 0) SetRowSelect(ARow, State);
        return true;
    default:
        return false;
    }
}

bool TKavStringGrid::ToggleCheck(int ACol, int ARow, bool FromEdit) {
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || !IsCheck(g->CellType)) return false;
    if (FromEdit && !controlLook_->GetCheckAlwaysActive()) {
        bool canEdit = true;
        GetCellReadOnly(ACol, ARow, canEdit);
        if (!canEdit) return false;
    }
    if (g->CellType == ctCheckBox) {
        g->CellBoolean = !g->CellBoolean;
    } else if (g->CellType == ctRowCheckBox) {
        SetRowSelect(ARow, !GetRowSelect(ARow));
    } else {
        SetCellEx(ACol, ARow,
                  GetCellEx(ACol, ARow) == GetCheckTrue(ACol, ARow) ? GetCheckFalse(ACol, ARow)
                                                                    : GetCheckTrue(ACol, ARow));
    }
    RepaintCell(RemapColInv(ACol), ARow);
    return true;
}

void TKavStringGrid::CheckAll(int ACol) {
    for (int r = GetFixedRowsEx(); r < GetRowCountEx(); ++r)
        SetCheckBoxState(ACol, r, true);
}

void TKavStringGrid::UnCheckAll(int ACol) {
    for (int r = GetFixedRowsEx(); r < GetRowCountEx(); ++r)
        SetCheckBoxState(ACol, r, false);
}

// --- markers ---

void TKavStringGrid::AddMarker(int ACol, int ARow, int ErrPos, int ErrLen) {
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) {
        g = CreateCellGraphic(ACol, ARow);
        g->CellType = ctEmpty;
    }
    g->CellMarkerStart = ErrPos;
    g->CellMarkerLength = ErrLen;
    RepaintCell(RemapColInv(ACol), ARow);
}

void TKavStringGrid::RemoveMarker(int ACol, int ARow) {
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    if (g->CellType == ctEmpty) {
        RemoveCellGraphic(ACol, ARow, ctEmpty);
        return;
    }
    g->CellMarkerStart = g->CellMarkerLength = 0;
    RepaintCell(RemapColInv(ACol), ARow);
}

void TKavStringGrid::RemoveAllMarkers() {
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < TotalColCount(); ++c)
            RemoveMarker(c, r);
    EachHiddenRowCell(0, TotalColCount() - 1, [](TStrings& Cells, int c) {
        TCellGraphic* g = HiddenCellGraphic(Cells, c);
        if (!g) return;
        if (g->CellType == ctEmpty)
            FreeHiddenCellGraphic(Cells, c);
        else
            g->CellMarkerStart = g->CellMarkerLength = 0;
    });
}

void TKavStringGrid::GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen) {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    ErrPos = g ? g->CellMarkerStart : 0;
    ErrLen = g ? g->CellMarkerLength : 0;
}

// --- radio groups ---

void TKavStringGrid::AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings* Strings) {
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctRadio;
    g->CellBitmap = Strings;
    g->CellBoolean = DirRadio != 0;
    g->CellIndex = IdxRadio;
    g->CellMax = Strings ? Strings->GetCount() : 0;
}

TStrings* TKavStringGrid::CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio) {
    auto* list = new TStringList();
    AddRadio(ACol, ARow, DirRadio, IdxRadio, list);
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    g->CellMax = 0;
    g->CellCreated = 1;
    return list;
}

bool TKavStringGrid::GetRadioIdx(int ACol, int ARow, int& IdxRadio) {
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    IdxRadio = g->CellIndex;
    return g->CellType == ctRadio;
}

bool TKavStringGrid::SetRadioIdx(int ACol, int ARow, int IdxRadio) {
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    g->CellIndex = IdxRadio;
    RepaintCell(RemapColInv(ACol), ARow);
    return g->CellType == ctRadio;
}

TStrings* TKavStringGrid::GetRadioStrings(int ACol, int ARow) {
    const TPoint b = BaseCell(ACol, ARow);
    const TCellGraphic* g = GetCellGraphic(b.x, b.y);
    return g && g->CellType == ctRadio ? dynamic_cast<TStrings*>(g->CellBitmap) : nullptr;
}

bool TKavStringGrid::IsRadio(int ACol, int ARow) {
    return GetRadioStrings(ACol, ARow) != nullptr;
}

bool TKavStringGrid::ToggleRadio(int ACol, int ARow, bool FromEdit) {
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRadio) return false;
    if (FromEdit && !controlLook_->GetRadioAlwaysActive()) {
        bool canEdit = true;
        GetCellReadOnly(ACol, ARow, canEdit);
        if (!canEdit) return false;
    }
    const auto* items = dynamic_cast<const TStrings*>(g->CellBitmap);
    const int n = items ? items->GetCount() : 0;
    if (n == 0) return false;
    const bool indexed = g->CellIndex >= 0;
    const int current = indexed ? g->CellIndex : items->IndexOf(GetCellEx(ACol, ARow));
    const int next = current + 1 >= n ? 0 : current + 1;
    if (indexed) g->CellIndex = next;
    SetCellEx(ACol, ARow, items->GetStrings(next));
    RepaintCell(RemapColInv(ACol), ARow);
    return true;
}

// --- rotated text ---

void TKavStringGrid::CalcTextPos(TRect& R, int Angle, const AnsiString& S, TAlignment HA,
                                 TVAlignment VA) {
    const TSize ext = GetCanvas()->TextExtent(S);
    R = Rect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
    const double a = Angle * M_PI / 180.0;
    const int wc = std::abs(static_cast<int>(std::cos(a) * ext.cx));
    const int hs = std::abs(static_cast<int>(std::sin(a) * ext.cy));
    const int ws = std::abs(static_cast<int>(std::sin(a) * ext.cx));
    const int hc = std::abs(static_cast<int>(std::cos(a) * ext.cy));
    const int q = Angle <= 90 ? 1 : Angle <= 180 ? 2 : Angle < 271 ? 3 : 4;
    const int L = R.Left, Rt = R.Right, T = R.Top, B = R.Bottom;
    const int centreTop = T - (T - B + hc + ws) / 2;
    switch (HA) {
    case taLeftJustify:
        R.Left = q == 1 ? L : q == 2 ? L + wc : q == 3 ? L + hs + wc : L + hs;
        break;
    case taRightJustify:
        R.Left = q == 1 ? Rt - wc - hs : q == 2 ? Rt - hs : q == 3 ? Rt : Rt - wc;
        break;
    case taCenter:
        R.Left = q == 1   ? L + (Rt - L - hs - wc) / 2
                 : q == 2 ? Rt - (Rt - L + hs - wc) / 2
                 : q == 3 ? Rt - (Rt - L - hs - wc) / 2
                          : L + (Rt - L + hs - wc) / 2;
        break;
    }
    switch (VA) {
    case vtaTop:
        R.Top = q == 1 ? T + ws : q == 2 ? T + ws + hc : q == 3 ? T + hc : T;
        break;
    case vtaCenter:
        R.Top = q == 1   ? centreTop + ws
                : q == 2 ? centreTop + ws + hc
                : q == 3 ? centreTop + hc
                         : centreTop;
        break;
    case vtaBottom:
        R.Top = q == 1 ? B - hc : q == 2 ? B : q == 3 ? B - ws : B - hc - ws;
        break;
    }
}
