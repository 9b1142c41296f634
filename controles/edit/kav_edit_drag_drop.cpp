// TKavEdit: text dragged out of its selection and dropped into it from any window or
// program, with the drop caret that shows where the text would land.

#include "controles/edit/kav_edit.h"

#include "controles/edit/edit_drag_drop.h"

#include "plataforma/base/c_format.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/kernel/messages.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/control_canvas.h"

namespace {
constexpr TPoint kNoCaret{-1, -1};

// The unit's start and end: the drag-and-drop library needs nothing more underneath, and its
// start cannot fail here.
struct OleLibrary {
    OleLibrary() {
        const HRESULT r = OleInitialize(nullptr);
        if (r != S_OK && r != S_FALSE)
            throw EAssertionFailed(
                AnsiString(FormatoC("OleInitialize failed ($%x)", static_cast<unsigned>(r))));
    }
    ~OleLibrary() { OleUninitialize(); }
} oleLibrary;
} // namespace

// The edit's drop target: the drop caret follows the pointer, and a text drop goes in at
// the character under it.
class TEditDropTarget : public TAEDropTarget {
public:
    explicit TEditDropTarget(TKavEdit* Edit) : edit_(Edit) {}

    HRESULT DragLeave() override {
        // The caret goes with the pointer.
        edit_->EraseCaret();
        return TAEDropTarget::DragLeave();
    }

protected:
    void DragMouseMove(TPoint Pt, bool& Accept) override {
        TAEDropTarget::DragMouseMove(Pt, Accept);
        // A read-only or disabled edit takes nothing.
        if (edit_->GetReadOnly() || !edit_->GetEnabled()) Accept = false;
        edit_->DrawCaretByCursor();
    }

    void DropText(TPoint Pt, const AnsiString& Text) override {
        TAEDropTarget::DropText(Pt, Text);
        edit_->EraseCaret();
        if (edit_->GetReadOnly() || !edit_->GetEnabled()) return Refuse();
        AnsiString s = Text;
        for (char stop : {'\r', '\n'})
            if (int p = s.Pos(AnsiString(stop)); p > 0) s = s.SubString(1, p - 1);
        const bool copy = (GetKeyState() & MK_CONTROL) != 0;
        const AnsiString before = edit_->WindowText();
        const int start = edit_->GetSelStart(), length = edit_->GetSelLength();
        // Where the caret showed, counted before a move takes the selection out.
        int at = edit_->CharFromPos(edit_->ScreenToClient(Pt));
        if (at < 0) at = before.Length();
        if (edit_->draggingFromThis_) {
            // Onto its own selection: nothing moves.
            if (at >= start && at < start + length) return Refuse();
            if (!copy) {
                edit_->ClearSelection();
                if (at >= start + length) at -= length;
            }
        }
        edit_->SetSelStart(at);
        edit_->SetSelLength(0);
        if (!edit_->InsertFiltered(s, false)) {
            // The edit's type refuses the value: everything stays as it was.
            if (edit_->WindowText() != before) {
                edit_->SetWindowText(before);
                edit_->SetSelStart(start);
                edit_->SetSelLength(length);
            }
            Refuse();
        } else if (s.Length() < Text.Length()) {
            // Only the first line went in: the source keeps the rest.
            TookPart();
        }
        edit_->Invalidate();
    }

private:
    TKavEdit* edit_;
};

void TKavEdit::SetOleDropTarget(bool Value) {
    oleDropTarget_ = Value;
    if (Designing()) return;
    if (Value) {
        if (!dropTargetRegistered_)
            dropTargetRegistered_ =
                RegisterDragDrop(GetHandle(), new TEditDropTarget(this)) == S_OK;
    } else if (dropTargetRegistered_) {
        if (HandleAllocated()) RevokeDragDrop(GetHandle());
        dropTargetRegistered_ = false;
    }
}

// --- the drop caret ---

short TKavEdit::CharFromPos(TPoint Pt) {
    const LRESULT r = Perform(EM_CHARFROMPOS, 0, PointToLParam(Pt.x, Pt.y));
    return static_cast<short>(LOWORD(static_cast<std::uintptr_t>(r)));
}

TPoint TKavEdit::PosFromChar(int Index) {
    const AnsiString text = WindowText();
    if (text.IsEmpty()) return {0, 0};
    const LRESULT r = Perform(EM_POSFROMCHAR, static_cast<WPARAM>(Index), 0);
    const int x = LOWORD(static_cast<std::uintptr_t>(r)),
              y = HIWORD(static_cast<std::uintptr_t>(r));
    if (r != -1 && x < 65535 && y < 65535) return {x, y};
    // Past the end: right after the last character.
    const int last = text.Length() - 1;
    const LRESULT l = Perform(EM_POSFROMCHAR, static_cast<WPARAM>(last), 0);
    TPoint p{LOWORD(static_cast<std::uintptr_t>(l)), HIWORD(static_cast<std::uintptr_t>(l))};
    TCanvas* c = ClientCanvas();
    c->SetFont(GetFont());
    const int width = c->TextWidth(text.SubString(last + 1, 1));
    p.x += width;
    return p;
}

void TKavEdit::InvalidateCaret(TPoint Pt) {
    if (!HandleAllocated()) return;
    const TRect r(Pt.x, Pt.y, Pt.x + 1, Pt.y + std::abs(GetFont()->GetHeight()));
    InvalidateRect(GetHandle(), &r, TRUE);
}

void TKavEdit::EraseCaret() {
    const TPoint old = dropCaret_;
    dropCaret_ = kNoCaret;
    if (old.x != kNoCaret.x || old.y != kNoCaret.y) InvalidateCaret(old);
}

void TKavEdit::DrawCaretByCursor() {
    TPoint cursor;
    GetCursorPos(&cursor);
    const TPoint p = PosFromChar(CharFromPos(ScreenToClient(cursor)));
    if (p.x == dropCaret_.x && p.y == dropCaret_.y) return;
    InvalidateCaret(dropCaret_);
    InvalidateCaret(p);
    dropCaret_ = p;
}

void TKavEdit::SetCaretByCursor() {
    TPoint cursor;
    GetCursorPos(&cursor);
    const int at = CharFromPos(ScreenToClient(cursor));
    SetSelStart(at);
    SetSelLength(0);
}

// --- dragging the selection out ---

void TKavEdit::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomEdit::MouseMove(Shift, X, Y);
    if (GetSelLength() > 0 && clickInSelection_ && oleDropSource_) {
        const AnsiString text = GetSelText();
        draggingFromThis_ = true;
        DWORD effect = DROPEFFECT_NONE;
        auto alive = Watch();
        const HRESULT r = Kaveddd::StartTextDoDragDrop(text, AnsiString(),
                                                       DROPEFFECT_COPY | DROPEFFECT_MOVE, effect);
        if (alive.expired()) return;
        draggingFromThis_ = false;
        // Moved out: the text leaves the edit (a copy, a refused drop or one onto its own
        // selection keeps it).
        if (r == DRAGDROP_S_DROP && effect == DROPEFFECT_MOVE) {
            ClearSelection();
            EraseCaret();
            Invalidate();
        }
    }
    clickInSelection_ = false;
}
