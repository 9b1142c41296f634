// The grid's in-place editor: shown over the current cell by F2, Return, a typed character
// or a click on the current cell (with goEditing); every change is written into the cell;
// Return closes it, Escape gives the cell back the text it had when the editor opened.
#include "plataforma/gui/grid/grids.h"

#include "plataforma/gui/kernel/messages.h"
#include "plataforma/gui/kernel/std_messages.h"
#include "plataforma/gui/widgets/edit_backend.h"

// --- TInplaceEdit ---

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    SetParentColor(false);
    SetBorderStyle(bsNone);
    SetAutoSize(false);
    SetTabStop(false);
    SetVisible(false);
}

void TInplaceEdit::CreateParams(TCreateParams& Params) {
    TCustomMaskEdit::CreateParams(Params);
    // Multi-line, so that the formatting rectangle can keep the text off the cell's edges.
    Params.Style |= ES_MULTILINE;
    Params.Style |= WS_CLIPSIBLINGS;
}

bool TInplaceEdit::IsMultiLine() const {
    TCreateParams p;
    const_cast<TInplaceEdit*>(this)->CreateParams(p);
    return (p.Style & ES_MULTILINE) != 0;
}

EditBackend* TInplaceEdit::CreateBackend(QWidget* ParentWidget) {
    if (EditsLines() && IsMultiLine())
        return CreateMemoBackend(this, ParentWidget, true, false, false);
    return TCustomMaskEdit::CreateBackend(ParentWidget);
}

void TInplaceEdit::UpdateContents() {
    if (!grid_) return;
    ++grid_->editUpdate_;
    try {
        // The cell the editor is open on, wherever its row and column went; else the
        // current cell, which it opens on.
        const bool open = grid_->inplaceCol_ >= 0 && grid_->inplaceRow_ >= 0;
        const int c = open ? grid_->inplaceCol_ : grid_->GetCol();
        const int r = open ? grid_->inplaceRow_ : grid_->GetRow();
        SetMaxLength(grid_->GetEditLimit());
        SetEditMask(grid_->GetEditMask(c, r));
        SetText(grid_->GetEditText(c, r));
    } catch (...) {
        --grid_->editUpdate_;
        throw;
    }
    --grid_->editUpdate_;
    grid_->editStartText_ = GetText();
}

void TInplaceEdit::Move(const TRect& Loc) {
    SetBounds(Loc.Left, Loc.Top, Loc.Width(), Loc.Height());
    if (!GetVisible()) Show();
    BoundsChanged();
    if (grid_ && grid_->Focused() && CanFocus()) SetFocus();
}

void TInplaceEdit::BoundsChanged() {
    if (!HandleAllocated()) return;
    TRect r = Rect(2, 2, GetWidth() - 2, GetHeight());
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
    Perform(EM_SCROLLCARET, 0, 0);
}

void TInplaceEdit::Deselect() {
    SetSelStart(GetEditText().Length());
    SetSelLength(0);
}

void TInplaceEdit::SendToParent(WORD& Key, TShiftState Shift) {
    if (grid_) grid_->KeyDown(Key, Shift);
    Key = 0;
}

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
    const int start = GetSelStart(), length = GetSelLength(), textLen = GetEditText().Length();
    const int end = start + length;
    // At the text's edges the arrows move between cells instead.
    const bool rightSide = (start == 0 || end == start) && end == textLen;
    const bool leftSide = start == 0 && (end == 0 || end == textLen);
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        SendToParent(Key, Shift);
        break;
    case VK_ESCAPE:
        if (grid_) grid_->KeyDown(Key, Shift);
        if (Key != 0 && grid_) {
            // The cell gets back what it held when the editor opened.
            SetText(grid_->editStartText_);
            grid_->HideEditor();
            if (grid_->CanFocus()) grid_->SetFocus();
        }
        Key = 0;
        break;
    case VK_LEFT:
    case VK_HOME:
        if (Shift.Contains(ssCtrl) || leftSide) SendToParent(Key, Shift);
        break;
    case VK_RIGHT:
    case VK_END:
        if (Shift.Contains(ssCtrl) || rightSide) SendToParent(Key, Shift);
        break;
    case VK_TAB:
        if (grid_ && grid_->GetOptions().Contains(goTabs)) SendToParent(Key, Shift);
        break;
    case VK_F2:
        Deselect();
        Key = 0;
        break;
    default:
        break;
    }
    if (Key != 0) TCustomMaskEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(char& Key) {
    if (grid_) grid_->KeyPress(Key);
    if (Key == '\t' || Key == 27) Key = 0;
    if (Key == '\r') {
        // Return, when the grid kept the editor open (goAlwaysShowEditor), selects the text.
        if (GetSelStart() == 0 && GetSelLength() == GetEditText().Length())
            Deselect();
        else
            SelectAll();
        Key = 0;
    }
    if (Key != 0) TCustomMaskEdit::KeyPress(Key);
}

void TInplaceEdit::Change() {
    TCustomMaskEdit::Change();
    if (grid_ && grid_->editUpdate_ == 0) grid_->UpdateText();
}

void TInplaceEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        TCustomMaskEdit::Dispatch(Message);
        Message.Result |= DLGC_WANTARROWS;
        if (grid_ && grid_->GetOptions().Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
        return;
    case WM_KILLFOCUS: {
        TCustomMaskEdit::Dispatch(Message);
        // Leaving the grid altogether closes the editor with its text kept.
        TWMKillFocus m(Message);
        if (grid_ && grid_->HandleAllocated() && m.FocusedWnd != grid_->GetHandle() &&
            !grid_->GetOptions().Contains(goAlwaysShowEditor))
            grid_->HideEdit();
        return;
    }
    default:
        TCustomMaskEdit::Dispatch(Message);
    }
}

// --- TCustomGrid's editing ---

AnsiString TCustomGrid::GetEditText(int, int) {
    return AnsiString();
}
void TCustomGrid::SetEditText(int, int, const AnsiString&) {}
AnsiString TCustomGrid::GetEditMask(int, int) {
    return AnsiString();
}
int TCustomGrid::GetEditLimit() {
    return 0;
}

TInplaceEdit* TCustomGrid::CreateEditor() {
    return new TInplaceEdit(this);
}

bool TCustomGrid::CanEditShow() {
    return options_.Contains(goEditing) && !options_.Contains(goRowSelect) && editorMode_ &&
           HandleAllocated() &&
           (options_.Contains(goAlwaysShowEditor) || Focused() ||
            (inplaceEdit_ && inplaceEdit_->Focused()));
}

void TCustomGrid::SetEditorMode(bool Value) {
    if (Value == editorMode_) return;
    if (Value)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::ShowEditor() {
    editorMode_ = true;
    UpdateEdit();
}

void TCustomGrid::ShowEditorChar(char Ch) {
    ShowEditor();
    // Sent at once: the keys typed after it reach the editor straight from the window
    // system, and a character left in the posted queue would land after them.
    if (inplaceEdit_ && inplaceEdit_->GetVisible())
        inplaceEdit_->Perform(WM_CHAR, static_cast<unsigned char>(Ch), 0);
}

void TCustomGrid::HideEditor() {
    editorMode_ = false;
    HideEdit();
}

void TCustomGrid::HideEdit() {
    if (!inplaceEdit_ || inplaceCol_ < 0) return;
    try {
        UpdateText();
    } catch (...) {
        inplaceCol_ = inplaceRow_ = -1;
        inplaceRowId_ = TGridRowId();
        inplaceColId_ = TGridColId();
        inplaceEdit_->Hide();
        throw;
    }
    const int c = inplaceCol_, r = inplaceRow_;
    inplaceCol_ = inplaceRow_ = -1;
    inplaceRowId_ = TGridRowId();
    inplaceColId_ = TGridColId();
    const bool hadFocus = inplaceEdit_->Focused();
    inplaceEdit_->Hide();
    if (hadFocus && CanFocus()) SetFocus();
    InvalidateCell(c, r);
}

bool TCustomGrid::FollowEditedRow() {
    if (!inplaceRowId_) return inplaceRow_ >= 0;
    if (GetRowId(inplaceRow_) == inplaceRowId_) return true; // the rows did not move
    const int row = FindRowId(inplaceRowId_);
    if (row >= 0) inplaceRow_ = row;
    return row >= 0;
}

bool TCustomGrid::FollowEditedCol() {
    if (!inplaceColId_) return inplaceCol_ >= 0;
    if (GetShownColId(inplaceCol_) == inplaceColId_) return true; // the columns did not move
    const int col = FindShownColId(inplaceColId_);
    if (col < 0) return false;
    if (current_.X == inplaceCol_) {
        current_.X = col;
        if (!options_.Contains(goRowSelect)) anchor_.X = col;
    }
    inplaceCol_ = col;
    return true;
}

void TCustomGrid::EditedColumnMoved() {
    if (!inplaceEdit_ || inplaceCol_ < 0) return;
    if (!FollowEditedCol()) {
        inplaceCol_ = inplaceRow_ = -1;
        inplaceRowId_ = TGridRowId();
        inplaceColId_ = TGridColId();
        editorMode_ = false;
        const bool hadFocus = inplaceEdit_->Focused();
        inplaceEdit_->Hide();
        if (hadFocus && CanFocus()) SetFocus();
        return;
    }
    if (inplaceEdit_->GetVisible()) inplaceEdit_->Move(CellRect(inplaceCol_, inplaceRow_));
}

void TCustomGrid::UpdateText() {
    if (!inplaceEdit_ || inplaceCol_ < 0 || inplaceRow_ < 0) return;
    // A column that no longer shows takes nothing: the cell now at its place is another's.
    if (!FollowEditedCol()) return;
    if (FollowEditedRow())
        SetEditText(inplaceCol_, inplaceRow_, inplaceEdit_->GetText());
    else
        SetEditTextOfMissingRow(inplaceRowId_, inplaceCol_, inplaceEdit_->GetText());
}

void TCustomGrid::InvalidateEditor() {
    if (!inplaceEdit_ || inplaceCol_ < 0) return;
    if (!FollowEditedRow() || !FollowEditedCol()) return;
    inplaceEdit_->UpdateContents();
}

void TCustomGrid::UpdateEdit() {
    if (!CanEditShow()) return;
    if (!inplaceEdit_) {
        inplaceEdit_ = CreateEditor();
        inplaceEdit_->SetGrid(this);
        inplaceEdit_->SetParent(this);
    } else if (FollowEditedRow() && FollowEditedCol() && current_.X == inplaceCol_ &&
               current_.Y == inplaceRow_) {
        inplaceEdit_->Move(CellRect(current_.X, current_.Y));
        return;
    } else {
        HideEdit();
    }
    inplaceCol_ = current_.X;
    inplaceRow_ = current_.Y;
    inplaceRowId_ = GetRowId(current_.Y);
    inplaceColId_ = GetShownColId(current_.X);
    inplaceEdit_->UpdateContents();
    inplaceEdit_->SelectAll();
    if (CanEditShow()) inplaceEdit_->Move(CellRect(current_.X, current_.Y));
}

void TCustomGrid::WMSetFocus(TWMSetFocus& Message) {
    TCustomControl::Dispatch(Message);
    if (!inplaceEdit_ || !inplaceEdit_->HandleAllocated() ||
        Message.FocusedWnd != inplaceEdit_->GetHandle()) {
        InvalidateBlock(GetSelection());
        UpdateEdit();
    }
}

void TCustomGrid::WMKillFocus(TWMKillFocus& Message) {
    TCustomControl::Dispatch(Message);
    InvalidateBlock(GetSelection());
    if (inplaceEdit_ && inplaceEdit_->HandleAllocated() &&
        Message.FocusedWnd != inplaceEdit_->GetHandle())
        HideEdit();
}

// --- the draw grid's and the string grid's texts ---

AnsiString TDrawGrid::GetEditText(int ACol, int ARow) {
    AnsiString s;
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, s);
    return s;
}

AnsiString TDrawGrid::GetEditMask(int ACol, int ARow) {
    AnsiString s;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, s);
    return s;
}

void TDrawGrid::SetEditText(int ACol, int ARow, const AnsiString& Value) {
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

AnsiString TStringGrid::GetEditText(int ACol, int ARow) {
    AnsiString s = GetCells(ACol, ARow);
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, s);
    return s;
}

void TStringGrid::SetEditText(int ACol, int ARow, const AnsiString& Value) {
    ++editUpdate_;
    try {
        if (Value != GetCells(ACol, ARow)) SetCells(ACol, ARow, Value);
    } catch (...) {
        --editUpdate_;
        throw;
    }
    --editUpdate_;
    TDrawGrid::SetEditText(ACol, ARow, Value);
}
