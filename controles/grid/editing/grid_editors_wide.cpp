// The grid's wide (UTF-16) editors: the edit, the memo, the edit with a button and the combo.
#include "controles/grid/editing/grid_editors.h"

#include "controles/grid/kav_grid.h"
#include "plataforma/gui/kernel/std_messages.h"
#include "plataforma/gui/painting/gdi.h"

namespace {

bool IsOneOf(WORD Key, std::initializer_list<WORD> Keys) {
    for (WORD k : Keys)
        if (k == Key) return true;
    return false;
}

} // namespace

// --- the wide edits ---

template <class TBase>
TGridWideEditOf<TBase>::TGridWideEditOf(TKavStringGrid* AGrid) : TGridEditorOf<TBase>(AGrid) {
    this->SetBorderStyle(bsNone);
}

template <class TBase> bool TGridWideEditOf<TBase>::Leaves(WORD Key) const {
    if (IsMemo()) return Key == VK_TAB || Key == VK_ESCAPE;
    return IsOneOf(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_UP, VK_DOWN});
}

template <class TBase> void TGridWideEditOf<TBase>::KeyDown(WORD& Key, TShiftState Shift) {
    TKavStringGrid* g = this->grid_;
    if (!g || !Leaves(Key)) return TGridEditorOf<TBase>::KeyDown(Key, Shift);
    g->GetEditSession().LeaveBy(Key, Shift, this->GetText(),
                                [this](const WideString& Text) { ShowText(Text); });
    Key = 0;
}

template <class TBase> void TGridWideEditOf<TBase>::ShowText(const WideString& Text) {
    this->SetText(Text);
    this->SetSelStart(Text.Length());
    this->Invalidate();
}

template <class TBase> bool TGridWideEditOf<TBase>::CommitOnExit() {
    return this->grid_->GetEditSession().CommitOnExit(
        this->GetText(), [this](const WideString& Text) { ShowText(Text); });
}

template <class TBase> void TGridWideEditOf<TBase>::KeyPress(char& Key) {
    // The memo takes Return as a new line; the edits drop it. Tab ends the edit in all.
    if (Key == '\t' || (Key == '\r' && !IsMemo())) {
        Key = 0;
        return;
    }
    TGridEditorOf<TBase>::KeyPress(Key);
}

template class TGridWideEditOf<TKsgUniEdit>;
template class TGridWideEditOf<TKsgUniMemo>;
template class TGridWideEditOf<TKsgUniEditBtn>;

TGridUniEditBtn::TGridUniEditBtn(TKavStringGrid* AGrid) : TGridWideEditOf<TKsgUniEditBtn>(AGrid) {
    SetButtonCaption("...");
    OnClickBtn = [this](TObject*) {
        if (!grid_) return;
        // The grid's ellipsis event speaks 8-bit text: the wide text goes through it only
        // when a handler listens, and comes back only when the handler changed it, so that
        // characters 8-bit text cannot hold are never lost on the way.
        if (grid_->OnEllipsClick) {
            const AnsiString before = GetText().ToAnsiString();
            const AnsiString after = grid_->EllipsClick(before);
            if (after != before) SetText(WideString(after));
        }
        SelectAll();
        Invalidate();
    };
}

// --- the wide combo ---

TGridUniCombo::TGridUniCombo(TKavStringGrid* AGrid) : TGridEditorOf<TKSGUniComboBox>(AGrid) {
    SetButtonWidth(16);
}

void TGridUniCombo::DoExit() {
    const WideString text = GetText();
    if (grid_ && grid_->GetLookupHistory() && text.Length() > 0 && GetItems()->IndexOf(text) < 0)
        GetItems()->Add(text);
    TGridEditorOf<TKSGUniComboBox>::DoExit();
}

void TGridUniCombo::Change() {
    TGridEditorOf<TKSGUniComboBox>::Change();
    const int index = GetItemIndex();
    if (grid_ && grid_->OnComboChange && index >= 0)
        grid_->OnComboChange(grid_, grid_->GetCol(), grid_->GetRow(), index,
                             GetItems()->Get(index).ToAnsiString());
}

void TGridUniCombo::SizeDropDownWidth() {
    if (!grid_) return;
    const HDC dc = grid_->GetCanvas()->GetHandle();
    const int width =
        DropDownWidthFor(GetWidth(), GetItems()->GetCount(), GetDropDownCount(), [&](int i) {
            const WideString text = GetItems()->Get(i);
            TSize size{0, 0};
            GetTextExtentPoint32W(dc, text.c_bstr(), text.Length(), &size);
            return static_cast<int>(size.cx);
        });
    Perform(CB_SETDROPPEDWIDTH, width, 0);
}

void TGridUniCombo::Wheel(int Delta) {
    const int index = WheelIndex(GetItemIndex(), GetItems()->GetCount(), Delta);
    SetItemIndex(index);
    if (grid_)
        grid_->ComboChanged(
            index, index >= 0 ? GetItems()->Get(index).ToAnsiString() : AnsiString(), nullptr);
}

void TGridUniCombo::KeyDown(WORD& Key, TShiftState Shift) {
    if (!grid_) return TGridEditorOf<TKSGUniComboBox>::KeyDown(Key, Shift);
    if (!ComboKeyLeaves(Key, Shift, GetStyle() == csDropDownList || GetDroppedDown()))
        return TGridEditorOf<TKSGUniComboBox>::KeyDown(Key, Shift);
    TGridEditSession& session = grid_->GetEditSession();
    if (GetDroppedDown()) SetDroppedDown(false);
    if (Key == VK_ESCAPE) {
        // The cell's wide text comes back; nothing is written when the combo hides.
        session.GiveUp();
        const WideString text = session.CurrentWideText();
        const int index = GetItems()->IndexOf(text);
        if (index >= 0) SetItemIndex(index);
        SetText(text);
    }
    // The value is written when the grid hides the combo: it is not validated here.
    session.Leave(Key, Shift);
    Key = 0;
}

void TGridUniCombo::KeyPress(char& Key) {
    if (Key == '\r' && OnReturnKey) OnReturnKey(this);
    if (Key == '\r' || Key == '\t') Key = 0;
    TGridEditorOf<TKSGUniComboBox>::KeyPress(Key);
}

void TGridUniCombo::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_MOUSEWHEEL) {
        Wheel(static_cast<SHORT>(HIWORD(Message.WParam)));
        Message.Result = 0;
        return;
    }
    TGridEditorOf<TKSGUniComboBox>::Dispatch(Message);
    if (Message.Msg == WM_SETFOCUS) CaretAtClick(*this, grid_);
}
