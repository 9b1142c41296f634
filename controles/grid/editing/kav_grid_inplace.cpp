// TKavInplaceEdit: the advanced grid's text editor. The keys that end an edit validate the
// text first (a refused text is given back and the editor stays open); Return, the arrows
// and Tab move on through the grid; characters are filtered by the cell's editor kind.
#include "controles/grid/editing/kav_inplace_edit.h"

#include "controles/comun/text_utils.h"
#include "controles/grid/editing/grid_editors.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/regional.h"
#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/kernel/std_messages.h"
#include "plataforma/gui/services/clipboard.h"

#include <algorithm>

namespace {

TShiftState KeyShift() {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s << ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s << ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s << ssAlt;
    return s;
}

AnsiString Upper(const AnsiString& S) {
    return S.UpperCase();
}

} // namespace

TKavInplaceEdit::TKavInplaceEdit(TComponent* AOwner)
    : TInplaceEdit(AOwner), kavGrid_(dynamic_cast<TKavStringGrid*>(AOwner)) {}

void TKavInplaceEdit::SetVAlign(bool Value) {
    if (rightAligned_ == Value) return;
    rightAligned_ = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TKavInplaceEdit::SetWordWrap(bool Value) {
    if (wordWrap_ == Value) return;
    wordWrap_ = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TKavInplaceEdit::CreateParams(TCreateParams& Params) {
    TInplaceEdit::CreateParams(Params);
    if (!kavGrid_) kavGrid_ = dynamic_cast<TKavStringGrid*>(GetOwner());
    if (!kavGrid_) return;
    wordWrap_ = kavGrid_->GetWordWrapEx();
    if (rightAligned_) Params.Style |= ES_RIGHT;
    if (kavGrid_->GetEditorType() == edPassword) {
        Params.Style |= ES_PASSWORD;
        Params.Style &= ~static_cast<DWORD>(ES_MULTILINE);
    }
    if (wordWrap_) Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    Params.Style |= ES_WANTRETURN;
    if (!kavGrid_->GetNavigation()->GetAllowCtrlEnter())
        Params.Style &= ~static_cast<DWORD>(ES_MULTILINE);
    lookupArmed_ = true;
}

bool TKavInplaceEdit::EditsLines() const {
    return kavGrid_ && kavGrid_->GetMultilinecells();
}

void TKavInplaceEdit::CreateWnd() {
    linesMade_ = EditsLines();
    TInplaceEdit::CreateWnd();
    if (!kavGrid_) return;
    editLimit_ = kavGrid_->GetEditLimit();
    kavGrid_->SetCaretByClick(false);
}

void TKavInplaceEdit::UpdateContents() {
    if (HandleAllocated() && linesMade_ != EditsLines()) RecreateWnd();
    TInplaceEdit::UpdateContents();
    if (!kavGrid_) return;
    // The password character follows the cell's kind without making the window again.
    SetPasswordChar(kavGrid_->GetEditorType() == edPassword ? kavGrid_->GetPasswordChar() : 0);
    editLimit_ = kavGrid_->GetEditLimit();
    TBrush brush;
    TFont font;
    font.Assign(kavGrid_->GetFont());
    brush.SetColor(kavGrid_->GetColor());
    TColor colorTo = clNone;
    TGridDrawState state;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = false;
    kavGrid_->GetVisualProperties(kavGrid_->GetCol(), kavGrid_->GetRow(), state, false, false, true,
                                  &brush, colorTo, &font, ha, va, ww);
    SetColor(brush.GetColor());
    GetFont()->Assign(&font);
}

void TKavInplaceEdit::BoundsChanged() {
    if (kavGrid_) {
        const TRect r = kavGrid_->CellRect(kavGrid_->GetCol(), kavGrid_->GetRow());
        if (r.Right > r.Left && r.Bottom > r.Top)
            SetBounds(r.Left, r.Top, r.Right - r.Left - 1, r.Bottom - r.Top - 1);
    }
    if (!HandleAllocated()) return;
    TRect fr = Rect(2, 2, GetWidth() - 2, GetHeight());
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&fr));
    Perform(EM_SCROLLCARET, 0, 0);
}

void TKavInplaceEdit::Change() {
    TInplaceEdit::Change();
    if (kavGrid_ && kavGrid_->OnEditChange)
        kavGrid_->OnEditChange(this, kavGrid_->GetCol(), kavGrid_->GetRow(), GetText());
}

// --- caret and lines ---

int TKavInplaceEdit::CaretLine() {
    return static_cast<int>(Perform(EM_LINEFROMCHAR, GetSelStart(), 0));
}

int TKavInplaceEdit::LastLine() {
    return static_cast<int>(Perform(EM_LINEFROMCHAR, GetText().Length(), 0));
}

void TKavInplaceEdit::CaretToEnd() {
    SetSelStart(GetText().Length());
    SetSelLength(0);
}

void TKavInplaceEdit::TakeBack(const AnsiString& Text) {
    SetText(Text);
    if (kavGrid_ && kavGrid_->GetNavigation()->GetEditSelectAll())
        SelectAll();
    else
        CaretToEnd();
}

// --- keys ---

bool TKavInplaceEdit::WMKeyDown(TMessage& Message) {
    TKavStringGrid* g = kavGrid_;
    if (!g) return false;
    const WORD key = static_cast<WORD>(Message.WParam);
    const TShiftState shift = KeyShift();
    TNavigation* nav = g->GetNavigation();
    TGridEditSession& session = g->GetEditSession();
    dropReturn_ = false;
    if (key == VK_ESCAPE) {
        // The cell's text from before the edit comes back; the key goes on.
        SetText(session.OpenedText());
        session.Exit();
        return false;
    }
    if (key == VK_TAB && session.TabLeaves()) {
        if (!session.Validate(GetText())) {
            TakeBack(session.CurrentText());
            return true;
        }
        session.TabOut(shift.Contains(ssShift));
        return true;
    }
    const bool leaveUp = key == VK_UP && CaretLine() == 0;
    const bool leaveDown = key == VK_DOWN && CaretLine() == LastLine();
    if (leaveUp || leaveDown) {
        // A refused text: the cell holds what the validation put back.
        if (!session.Commit(GetText())) {
            TakeBack(session.CurrentText());
            Invalidate();
            return true;
        }
        SetText(session.CurrentText());
        return false;
    }
    if (key == VK_RETURN && !shift.Contains(ssCtrl) && !nav->GetLineFeedOnEnter()) {
        if (!session.Validate(GetText())) {
            TakeBack(session.CurrentText());
            Invalidate();
            // The Return character that follows the key belongs to the refused edit.
            dropReturn_ = true;
            return true;
        }
        SetText(session.CurrentText());
        return false;
    }
    if ((key == VK_HOME || key == VK_END) && !shift.Contains(ssCtrl) && !shift.Contains(ssShift)) {
        if (key == VK_HOME) {
            SetSelStart(0);
            SetSelLength(0);
        } else {
            CaretToEnd();
        }
        return true;
    }
    if (key == VK_RETURN && shift.Contains(ssCtrl) && nav->GetLineFeedOnEnter()) {
        char cr = '\r';
        TCustomMaskEdit::KeyPress(cr);
        if (cr) SetSelText("\r\n");
        return true;
    }
    return false;
}

void TKavInplaceEdit::WalkOut(bool Forward) {
    TKavStringGrid* g = kavGrid_;
    const int next = g->GetCol() + (Forward ? 1 : -1);
    const bool inside = Forward ? next < g->GetColCount() - g->GetFixedRightCols()
                                : g->GetCol() > g->GetFixedCols();
    // A check box or button beside the cell is entered without an editor.
    if (inside && g->HasStaticEdit(g->RemapCol(next), g->GetRow())) {
        if (g->GetEditSession().Validate(GetText())) {
            g->GetEditSession().Exit();
            g->SetCol(next);
        }
        return;
    }
    // Otherwise the edit moves on along the row, whatever AdvanceDirection says.
    TNavigation* nav = g->GetNavigation();
    const TKavanceDirection dir = nav->GetAdvanceDirection();
    nav->SetAdvanceDirection(adLeftRight);
    try {
        g->AdvanceEdit(g->GetCol(), g->GetRow(), true, true, Forward);
    } catch (...) {
        nav->SetAdvanceDirection(dir);
        throw;
    }
    nav->SetAdvanceDirection(dir);
}

void TKavInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
    TKavStringGrid* g = kavGrid_;
    if (!g) return TInplaceEdit::KeyDown(Key, Shift);
    TNavigation* nav = g->GetNavigation();
    const bool plain =
        !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    const int len = GetText().Length();
    const bool atEnd = GetSelLength() == 0 && GetSelStart() >= len;
    const bool atStart = GetSelLength() == 0 && GetSelStart() == 0;
    if (plain && nav->GetCursorWalkEditor() &&
        ((Key == VK_RIGHT && atEnd) || (Key == VK_LEFT && atStart))) {
        WalkOut(Key == VK_RIGHT);
        Key = 0;
        return;
    }
    // Up and Down stay in the text while there are lines on that side of the caret.
    if (Key == VK_UP && CaretLine() > 0) {
        TCustomMaskEdit::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_DOWN && CaretLine() < LastLine()) {
        TCustomMaskEdit::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_RETURN) {
        if (!nav->GetAllowCtrlEnter()) g->GetEditSession().SetPending(false);
        if ((Shift.Contains(ssShift) || Shift.Contains(ssCtrl)) &&
            g->GetSizeWhileTyping()->GetHeight() && g->GetMultilinecells()) {
            g->SizeRowWhileTyping(g->GetRow(), GetText() + "\r\n ");
            BoundsChanged();
        }
    }
    lookupArmed_ = Key != VK_BACK && Key != VK_DELETE;
    TInplaceEdit::KeyDown(Key, Shift);
}

void TKavInplaceEdit::KeyUp(WORD& Key, TShiftState Shift) {
    if (Key == VK_LEFT || Key == VK_RIGHT) return;
    TInplaceEdit::KeyUp(Key, Shift);
    if (!kavGrid_ || !GetVisible()) return;
    LookupComplete();
    TSizeWhileTyping* sw = kavGrid_->GetSizeWhileTyping();
    if (sw->GetWidth()) kavGrid_->SizeToWidth(kavGrid_->GetCol(), true);
    if (sw->GetHeight() && wordWrap_) kavGrid_->SizeRowWhileTyping(kavGrid_->GetRow(), {});
    // The editor keeps covering its cell as the cell grows.
    if (sw->GetWidth() || (sw->GetHeight() && wordWrap_)) BoundsChanged();
}

void TKavInplaceEdit::WMKeyUp(TMessage& Message) {
    TInplaceEdit::Dispatch(Message);
    if (!kavGrid_) return;
    const AnsiString text = GetText();
    if (GetSelStart() > 0) {
        const LRESULT pos = Perform(EM_POSFROMCHAR, GetSelStart() - 1, 0);
        kavGrid_->EditProgress(text, static_cast<int>(pos), GetSelStart());
    }
    kavGrid_->SetCellSelectMode(!text.IsEmpty() && text[1] == '=');
}

void TKavInplaceEdit::KeyPress(char& Key) {
    if (kavGrid_ && Key == '\r' && !kavGrid_->GetNavigation()->GetLineFeedOnEnter() &&
        !kavGrid_->GetEditSession().Validate(GetText())) {
        TakeBack(kavGrid_->GetEditSession().CurrentText());
        Key = 0;
        return;
    }
    TInplaceEdit::KeyPress(Key);
    if (kavGrid_ && Key != 0 && kavGrid_->GetNavigation()->GetAdvanceAuto() &&
        !GetEditMask().IsEmpty()) {
        const AnsiString text = GetText();
        if (text.Pos(" ") == 0 && GetSelStart() >= text.Length()) kavGrid_->PressReturn();
    }
}

// --- characters ---

bool TKavInplaceEdit::WMChar(TMessage& Message) {
    TKavStringGrid* g = kavGrid_;
    if (!g) return true;
    unsigned char ch = static_cast<unsigned char>(Message.WParam);
    if (dropReturn_ && ch == 13) {
        dropReturn_ = false;
        return false;
    }
    dropReturn_ = false;
    // The keypad's decimal key (its scan code) types the regional separator.
    const bool keypad = ((static_cast<DWORD>(Message.LParam) >> 16) & 0xFF) == 0x53;
    if (ch == '.' && keypad && g->GetExcelStyleDecimalSeparator()) {
        ch = static_cast<unsigned char>(GetDecimalSeparator());
        Message.WParam = ch;
    }
    const AnsiString text = GetText();
    if (editLimit_ > 0 && text.Length() >= editLimit_ && GetSelLength() == 0 && ch != 8 &&
        ch != 27 && ch != 13)
        return false;
    const TEditorType kind = g->GetEditorType();
    auto control = [&] { return ch == 8 || ch == 9 || ch == 13 || ch == 27; };
    auto digit = [&] { return ch >= '0' && ch <= '9'; };
    switch (kind) {
    case edNumeric:
        if (control() || digit()) return true;
        if (ch == '-' && text.Pos("-") == 0 && GetSelStart() == 0) return true;
        MessageBeep(0);
        return false;
    case edPositiveNumeric:
        if (control() || digit()) return true;
        MessageBeep(0);
        return false;
    case edFloat: {
        if (control() || digit()) return true;
        const char dec = GetDecimalSeparator();
        const AnsiString sel = GetSelText();
        if (ch == static_cast<unsigned char>(dec))
            return text.Pos(AnsiString(dec)) == 0 || sel.Pos(AnsiString(dec)) > 0;
        if (ch == '-') {
            if ((GetSelStart() == 0 && text.Pos("-") == 0) || sel.Pos("-") > 0) return true;
            MessageBeep(0);
            return false;
        }
        return false;
    }
    case edCapital:
    case edUpperCase:
        if (ch >= 32)
            Message.WParam =
                static_cast<unsigned char>(AnsiString(static_cast<char>(ch)).UpperCase()[1]);
        return true;
    case edLowerCase:
        if (ch >= 32)
            Message.WParam =
                static_cast<unsigned char>(AnsiString(static_cast<char>(ch)).LowerCase()[1]);
        return true;
    default:
        return true;
    }
}

void TKavInplaceEdit::WMPaste() {
    TKavStringGrid* g = kavGrid_;
    if (!g || !Clipboard()->HasFormat(CF_TEXT)) return;
    bool allow = true;
    if (g->OnClipboardPaste) g->OnClipboardPaste(this, allow);
    if (!allow) return;
    AnsiString value = Clipboard()->GetAsText();
    if (g->OnClipboardBeforePasteCell)
        g->OnClipboardBeforePasteCell(this, g->GetCol(), g->GetRow(), value, allow);
    if (!allow) return;
    if (editLimit_ > 0 && value.Length() > editLimit_) return;
    const AnsiString text = GetText();
    const int start = GetSelStart(), length = GetSelLength();
    if (editLimit_ > 0 && text.Length() - length + value.Length() > editLimit_) return;
    const AnsiString result =
        text.SubString(1, start) + value + text.SubString(start + length + 1, text.Length());
    switch (g->GetEditorType()) {
    case edNumeric:
    case edPositiveNumeric:
        if (IsType(result) != atNumeric) return;
        break;
    case edFloat:
        if (IsType(result) != atNumeric && IsType(result) != atFloat) return;
        break;
    case edMixedCase:
        value = ShiftCase(value);
        break;
    case edLowerCase:
        value = value.LowerCase();
        break;
    case edUpperCase:
        value = value.UpperCase();
        break;
    default:
        break;
    }
    const AnsiString pasted =
        text.SubString(1, start) + value + text.SubString(start + length + 1, text.Length());
    SetText(pasted);
    g->SetEditCell(pasted);
    if (length > 0) {
        SetSelStart(start);
        SetSelLength(value.Length());
    } else {
        SetSelStart(start + value.Length());
        SetSelLength(0);
    }
}

// --- focus ---

void TKavInplaceEdit::WMSetFocus(TMessage& Message) {
    TCustomMaskEdit::Dispatch(Message);
    TKavStringGrid* g = kavGrid_;
    if (!g) return;
    TNavigation* nav = g->GetNavigation();
    if (!GetEditMask().IsEmpty() && nav->GetImproveMaskSel() && !g->GetCaretByClick()) {
        SetSelStart(0);
        SetSelLength(1);
        return;
    }
    if (!nav->GetEditSelectAll()) CaretToEnd();
    if (g->GetCaretByClick()) {
        const int at = CharUnderMouse(*this);
        if (at >= 0) {
            SetSelStart(at);
            SetSelLength(0);
            g->SetCaretByClick(false);
        }
    }
}

void TKavInplaceEdit::WMKillFocus(TMessage& Message) {
    TKavStringGrid* g = kavGrid_;
    if (!g) return TInplaceEdit::Dispatch(Message);
    if (g->GetLookupHistory() && g->GetLookupItems()->IndexOf(GetText()) < 0)
        g->GetLookupItems()->Add(GetText());
    g->SetCellSelectMode(false);
    TCustomMaskEdit::Dispatch(Message);
    const TWMKillFocus m(Message);
    const bool toGrid = g->HandleAllocated() && m.FocusedWnd == g->GetHandle();
    TGridEditSession& session = g->GetEditSession();
    if (!toGrid && !g->GetOptions().Contains(goAlwaysShowEditor)) {
        session.Validate(GetText());
        SetText(session.CurrentText());
        session.Close();
    }
    SetText(session.CurrentText());
    g->EditProgress(GetText(), -1, -1);
    g->DoneEditing();
}

// --- lookup ---

void TKavInplaceEdit::LookupComplete() {
    TKavStringGrid* g = kavGrid_;
    if (!lookupArmed_ || GetSelLength() != 0 || !g->GetLookup()) return;
    TStrings* items = g->GetLookupItems();
    if (items->GetCount() == 0) return;
    const bool cs = g->GetLookupCaseSensitive();
    const AnsiString typed = GetText().SubString(1, GetSelStart());
    if (typed.IsEmpty()) return;
    const AnsiString key = cs ? typed : Upper(typed);
    for (int i = 0; i < items->GetCount(); ++i) {
        const AnsiString item = items->GetStrings(i);
        const AnsiString probe = cs ? item : Upper(item);
        if (probe.SubString(1, key.Length()) != key) continue;
        const AnsiString rest = item.SubString(typed.Length() + 1, 255);
        const AnsiString text = typed + rest;
        if (text == GetText()) return;
        SetText(text);
        Perform(EM_SETSEL, typed.Length(), text.Length());
        return;
    }
}

// --- messages ---

void TKavInplaceEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_KEYDOWN:
        if (WMKeyDown(Message)) {
            Message.Result = 0;
            return;
        }
        return TInplaceEdit::Dispatch(Message);
    case WM_KEYUP:
        return WMKeyUp(Message);
    case WM_CHAR: {
        if (!WMChar(Message)) {
            Message.Result = 0;
            return;
        }
        const TEditorType kind = kavGrid_ ? kavGrid_->GetEditorType() : edNormal;
        const bool caseKind = kind == edNormal || kind == edCapital || kind == edMixedCase ||
                              kind == edLowerCase || kind == edUpperCase;
        if (kavGrid_ && Message.WParam == 13 && caseKind &&
            kavGrid_->GetNavigation()->GetLineFeedOnEnter()) {
            SetSelText("\r\n");
            return;
        }
        if (kind == edMixedCase && Message.WParam >= 32) {
            TInplaceEdit::Dispatch(Message);
            const int caret = GetSelStart();
            SetText(ShiftCase(GetText()));
            SetSelStart(std::min(caret, GetText().Length()));
            return;
        }
        return TInplaceEdit::Dispatch(Message);
    }
    case WM_COPY:
    case WM_CUT: {
        bool allow = true;
        if (kavGrid_) {
            auto& ev =
                Message.Msg == WM_COPY ? kavGrid_->OnClipboardCopy : kavGrid_->OnClipboardCut;
            if (ev) ev(this, allow);
        }
        if (allow) TInplaceEdit::Dispatch(Message);
        return;
    }
    case WM_PASTE:
        WMPaste();
        return;
    case WM_GETDLGCODE:
        TInplaceEdit::Dispatch(Message);
        if (kavGrid_ && kavGrid_->GetOptions().Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
        return;
    case WM_LBUTTONDBLCLK:
        TInplaceEdit::Dispatch(Message);
        if (kavGrid_ && kavGrid_->OnDblClickCell)
            kavGrid_->OnDblClickCell(kavGrid_, kavGrid_->GetRow(), kavGrid_->GetCol());
        return;
    case WM_SETFOCUS:
        return WMSetFocus(Message);
    case WM_KILLFOCUS:
        return WMKillFocus(Message);
    default:
        TInplaceEdit::Dispatch(Message);
    }
}
