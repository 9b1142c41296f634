// TEditListBox: in-place editing, insertion and deletion by keys, type-ahead search, focus
// colour, hovering, wide-item hints and persistence.

#include "controles/edit/edit_list_box.h"

#include "plataforma/gui/kernel/flat_scroll_bars.h"

#include "plataforma/base/ini_file.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/reg_ini_file.h"
#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/kernel/flat_scroll_bars.h"
#include "plataforma/gui/kernel/scroll_bars.h"
#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/kernel/timers.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/widgets/hint_window.h"

#include <algorithm>

namespace {
constexpr UINT_PTR kHoverTimer = 111;
// Posted to the list by its editor when the editor lost the focus to another control: the
// list takes the focus once that move is over.
constexpr UINT kTakeFocus = WM_USER + 0x130;
} // namespace

// --- persistence settings ---

// --- the editor ---

TSizeEdit::TSizeEdit(TEditListBox* List) : TEdit(List), list_(List) {
    SetVisible(false);
    SetCtl3D(false);
    SetAutoSize(false);
    SetParent(List);
}

void TSizeEdit::Change() {
    TEdit::Change();
    // As wide as its text, but no wider than the list.
    TCanvas* c = list_->MeasureCanvas();
    c->SetFont(GetFont());
    const int w = std::min(c->TextWidth(GetText()) + 15, list_->GetClientWidth() + 1);
    if (w != GetWidth()) SetWidth(w);
}

void TSizeEdit::WriteBack() {
    if (editItem_ < 0 || editItem_ >= list_->GetCount()) return;
    list_->updating_ = true;
    AnsiString text = GetText();
    list_->GetItems()->SetStrings(editItem_, text);
    bool allow = true;
    if (list_->OnEditDone) list_->OnEditDone(list_, text, allow);
    list_->GetItems()->SetStrings(editItem_, allow ? text : savedText_);
    if (list_->GetMultiSelect()) list_->SetSelected(editItem_, true);
    list_->updating_ = false;
}

void TSizeEdit::Finish() {
    if (HandleAllocated() && GetCapture() == GetHandle()) ReleaseCapture();
    if (!Editing()) return;
    WriteBack();
    editItem_ = -1;
    savedText_ = AnsiString();
}

void TSizeEdit::Leave(int Select) {
    // Written back here: hiding the editor takes the focus from it without a message.
    Finish();
    SetVisible(false);
    if (list_->CanFocus()) list_->SetFocus();
    if (Select >= 0 && Select < list_->GetCount()) list_->SetItemIndex(Select);
}

void TSizeEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_KILLFOCUS: {
        TEdit::Dispatch(Message);
        const int item = editItem_;
        if (!Editing()) return;
        Finish();
        if (item >= 0 && item < list_->GetCount()) list_->SetItemIndex(item);
        SetVisible(false);
        // Focusing the list from here would be undone by the move under way.
        if (Message.WParam != 0 && list_->HandleAllocated())
            PostMessage(list_->GetHandle(), kTakeFocus, 0, 0);
        else if (list_->CanFocus())
            list_->SetFocus();
        return;
    }
    case WM_CHAR:
        if (Message.WParam == VK_RETURN) return; // swallowed, without a beep
        return TEdit::Dispatch(Message);
    case WM_KEYDOWN: {
        const int item = editItem_;
        switch (Message.WParam) {
        case VK_RETURN:
            return Leave(item);
        case VK_ESCAPE:
            SetText(savedText_);
            return Leave(item);
        case VK_UP:
        case VK_DOWN: {
            const int to = Message.WParam == VK_UP ? std::max(0, item - 1)
                                                   : std::min(list_->GetCount() - 1, item + 1);
            Leave(to);
            WORD key = static_cast<WORD>(Message.WParam);
            if (list_->OnKeyDown) list_->OnKeyDown(list_, key, {});
            return;
        }
        default:
            return TEdit::Dispatch(Message);
        }
    }
    case WM_LBUTTONDOWN: {
        const TPoint p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        if (!PtInRect(GetClientRect(), p)) return Leave(editItem_);
        return TEdit::Dispatch(Message);
    }
    default:
        TEdit::Dispatch(Message);
    }
}

// --- the list ---

TEditListBox::TEditListBox(TComponent* AOwner)
    : TListBox(AOwner), persist_(std::make_unique<TELPersist>()),
      tabPositions_(std::make_unique<TTabPositionCollection>(this)),
      scrollWidth_(GetSystemMetrics(SM_CXVSCROLL)) {
    if (GetComponentState().Contains(csDesigning))
        allowEdit_ = false;
    else
        editor_ = new TSizeEdit(this);
}

TEditListBox::~TEditListBox() = default;

TCanvas* TEditListBox::MeasureCanvas() {
    if (!measure_) {
        measure_ = std::make_unique<TControlCanvas>();
        measure_->SetControl(this);
    }
    measure_->SetFont(GetFont());
    return measure_.get();
}

AnsiString TEditListBox::GetVersion() const {
    const int v = GetVersionNr();
    return IntToStr((v >> 24) & 0xFF) + "." + IntToStr((v >> 16) & 0xFF) + "." +
           IntToStr((v >> 8) & 0xFF) + "." + IntToStr(v & 0xFF);
}

void TEditListBox::CreateParams(TCreateParams& Params) {
    TListBox::CreateParams(Params);
    Params.Style |= LBS_USETABSTOPS;
}

void TEditListBox::Loaded() {
    TListBox::Loaded();
    UpdateWidth();
    UpdateStyle();
    UpdateColor();
    UpdateHScrollBar();
    UpdateVScrollBar();
    SetHeight(GetHeight() + 1);
    SetHeight(GetHeight() - 1);
}

void TEditListBox::CreateWnd() {
    TListBox::CreateWnd();
    // A new window has regular bars: a flat style set before takes effect now.
    if (scrollStyle_ != ssNormal) {
        InitializeFlatSB(GetHandle());
        UpdateWidth();
        UpdateStyle();
        UpdateColor();
    }
}

void TEditListBox::DestroyWnd() {
    if (HandleAllocated()) KillTimer(GetHandle(), kHoverTimer);
    TListBox::DestroyWnd();
}

void TEditListBox::SetAllowEdit(bool Value) {
    if (editor_ && editor_->GetVisible()) {
        editor_->Finish();
        editor_->SetVisible(false);
        if (CanFocus()) SetFocus();
    }
    allowEdit_ = Value;
}

void TEditListBox::SetHovering(bool Value) {
    hovering_ = Value;
    if (GetComponentState().Contains(csDesigning) || !GetParent()) return;
    HWND h = GetHandle();
    if (Value)
        SetTimer(h, kHoverTimer, 1000, nullptr);
    else
        KillTimer(h, kHoverTimer);
}

int TEditListBox::VisibleItems() const {
    const int h = const_cast<TEditListBox*>(this)->GetItemHeight();
    return h > 0 ? GetClientHeight() / h : 0;
}

void TEditListBox::SetIndexAndScroll(int Index) {
    SetItemIndex(Index);
    UpdateVScrollBar();
}

int TEditListBox::GetStringExtent(const AnsiString& Text) {
    TCanvas* c = MeasureCanvas();
    c->SetFont(GetFont());
    TEXTMETRIC tm{};
    GetTextMetrics(c->GetHandle(), &tm);
    return c->TextWidth(Text) + tm.tmAveCharWidth;
}

void TEditListBox::BeginUpdate() {
    ++updateCount_;
}

void TEditListBox::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) UpdateHScrollBar();
}

// --- editing ---

void TEditListBox::ShowEdit() {
    if (!editor_ || GetItemIndex() < 0 || GetCount() == 0) return;
    const int index = GetItemIndex();
    bool allow = true;
    if (OnEditStart) OnEditStart(this, index, allow);
    if (!allow) return;
    Perform(WM_HSCROLL, SB_LEFT, 0);
    const int top = static_cast<int>(Perform(LB_GETTOPINDEX, 0, 0));
    const int ih = static_cast<int>(Perform(LB_GETITEMHEIGHT, 0, 0));
    updating_ = true;
    Repaint();
    const AnsiString text = GetItems()->GetStrings(index);
    editor_->SetBounds(0, (index - top) * ih, editor_->GetWidth(), ih);
    editor_->SetText(text);
    editor_->SetVisible(true);
    editor_->editItem_ = index;
    editor_->itemCount_ = GetCount();
    editor_->savedText_ = text;
    editor_->SetFocus();
    SetCapture(editor_->GetHandle());
    GetItems()->SetStrings(index, "");
    SetItemIndex(-1);
    editor_->Perform(EM_SETSEL, 0, -1);
    updating_ = false;
    editMode_ = true;
}

void TEditListBox::SetEditMode(bool Value) {
    if (Value) {
        if (!editor_ || !editor_->GetVisible()) ShowEdit();
        return;
    }
    editMode_ = false;
    if (!editor_ || !editor_->GetVisible()) return;
    const int item = editor_->editItem_;
    if (!editor_->GetText().IsEmpty()) editor_->WriteBack();
    editor_->editItem_ = -1;
    editor_->savedText_ = AnsiString();
    editor_->Finish();
    if (CanFocus()) SetFocus();
    editor_->SetVisible(false);
    if (item >= 0 && item < GetCount()) SetItemIndex(item);
}

void TEditListBox::WMLButtonDown(TWMMouse& Message) {
    lookupBuffer_ = AnsiString();
    if (!allowEdit_ || !editor_) return TListBox::Dispatch(Message.Message);
    const int ih = std::max(1, static_cast<int>(Perform(LB_GETITEMHEIGHT, 0, 0)));
    const int row = Message.YPos / ih + static_cast<int>(Perform(LB_GETTOPINDEX, 0, 0));
    const bool editing = editor_->GetVisible();
    if (editing && row == editor_->editItem_) return;
    const int before = GetItemIndex();
    auto alive = Watch();
    TListBox::Dispatch(Message.Message);
    if (alive.expired() || GetComponentState().Contains(csDesigning)) return;
    if (row == before && GetItemIndex() == row && !editing) {
        ShowEdit();
        return;
    }
    if (editing) {
        // Written back without events: the editor's text, or the item's own when empty.
        const int item = editor_->editItem_;
        const AnsiString text =
            editor_->GetText().IsEmpty() ? editor_->savedText_ : editor_->GetText();
        editor_->editItem_ = -1;
        editor_->savedText_ = AnsiString();
        editor_->SetVisible(false);
        if (item >= 0 && item < GetCount()) {
            updating_ = true;
            GetItems()->SetStrings(item, text);
            updating_ = false;
        }
    } else {
        editor_->SetVisible(false);
    }
}

// --- keys ---

void TEditListBox::KeyDown(WORD& Key, TShiftState Shift) {
    switch (Key) {
    case VK_INSERT:
        if (autoInsert_) {
            AnsiString text;
            if (OnAutoInsert) OnAutoInsert(this, text);
            const int i = GetItems()->Add(text);
            SetItemIndex(i);
            if (GetMultiSelect()) SetSelected(i, true);
            ShowEdit();
        }
        break;
    case VK_DELETE:
        if (autoDelete_ && GetCount() > 0 && GetItemIndex() >= 0) {
            const int i = GetItemIndex();
            AnsiString text = GetItems()->GetStrings(i);
            bool allow = true;
            if (OnAutoDelete) OnAutoDelete(this, text, allow);
            if (allow) {
                GetItems()->Delete(i);
                if (GetCount() > 0) SetItemIndex(std::min(i, GetCount() - 1));
            }
        }
        break;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_UP:
    case VK_DOWN:
    case VK_ESCAPE:
        lookupBuffer_ = AnsiString();
        break;
    case VK_RETURN:
        if (returnIsTab_) {
            Key = VK_TAB;
            if (HandleAllocated()) PostMessage(GetHandle(), WM_KEYDOWN, VK_TAB, 0);
        }
        if (returnIsClick_) Click();
        if (returnIsDblClick_) DblClick();
        break;
    default:
        break;
    }
    TListBox::KeyDown(Key, Shift);
}

void TEditListBox::KeyPress(char& Key) {
    if (Key == ' ' && allowEdit_) {
        ShowEdit();
        Key = 0;
        return;
    }
    if ((Key >= '0' && Key <= ':') || (Key >= 'A' && Key <= 'z'))
        lookupBuffer_ += AnsiUpperCase(AnsiString(std::string(1, Key)));
    TListBox::KeyPress(Key);
}

void TEditListBox::KeyUp(WORD& Key, TShiftState Shift) {
    TListBox::KeyUp(Key, Shift);
    if (!lookupBuffer_.IsEmpty()) Lookup();
}

void TEditListBox::Lookup() {
    if (GetCount() == 0 || !lookupIncr_) return;
    TStrings* items = GetItems();
    for (int i = 0; i < items->GetCount(); ++i)
        if (AnsiUpperCase(items->GetStrings(i)).SubString(1, lookupBuffer_.Length()) ==
            lookupBuffer_) {
            SetItemIndex(i);
            return;
        }
    if (lookupFull_)
        for (int i = 0; i < items->GetCount(); ++i)
            if (AnsiUpperCase(items->GetStrings(i)).Pos(lookupBuffer_) > 0) {
                SetItemIndex(i);
                return;
            }
    lookupBuffer_ = AnsiString();
}

// --- messages ---

void TEditListBox::SelectionChanged() {
    if (OnSelChange) OnSelChange(this, GetItemIndex());
    if (!hovering_ || GetItemIndex() < 0) return;
    POINT p;
    GetCursorPos(&p);
    const TPoint c = ScreenToClient(TPoint(p.x, p.y));
    if (!PtInRect(GetClientRect(), c)) return;
    const TRect r = ItemRect(GetItemIndex());
    const TPoint to = ClientToScreen(TPoint(c.x, (r.Top + r.Bottom) / 2));
    SetCursorPos(to.x, to.y);
}

void TEditListBox::WndProc(TMessage& Message) {
    auto alive = Watch();
    TListBox::WndProc(Message);
    if (alive.expired()) return;
    switch (Message.Msg) {
    case LB_SETCURSEL:
        if (!selChanging_) {
            selChanging_ = true;
            SelectionChanged();
            selChanging_ = false;
        }
        break;
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case WM_SIZE:
        ListChanged(Message.Msg);
        break;
    default:
        break;
    }
}

void TEditListBox::ListChanged(UINT Msg) {
    if (updating_ || updateCount_ > 0) return;
    if (GetCount() > VisibleItems()) FlatShowScrollBar(SB_VERT, true);
    UpdateHScrollBar();
    UpdateVScrollBar();
    UpdateWidth();
    UpdateStyle();
    UpdateColor();
    if (Msg == LB_RESETCONTENT) FlatShowScrollBar(SB_VERT, false);
}

void TEditListBox::Dispatch(TMessage& Message) {
    auto alive = Watch();
    switch (Message.Msg) {
    case kTakeFocus:
        if (CanFocus()) SetFocus();
        return;
    case WM_LBUTTONDOWN:
        return CallMessageHandler(this, &TEditListBox::WMLButtonDown, Message);
    case WM_SETFOCUS:
        savedColor_ = GetColor();
        SetColor(focusColor_);
        lookupBuffer_ = AnsiString();
        return TListBox::Dispatch(Message);
    case WM_KILLFOCUS: {
        SetColor(savedColor_);
        const HWND to = reinterpret_cast<HWND>(Message.WParam);
        // Losing the focus to its own editor is the edit starting.
        if (editor_ && editor_->GetVisible() &&
            !(editor_->HandleAllocated() && to == editor_->GetHandle())) {
            editor_->Finish();
            editor_->SetVisible(false);
        }
        return TListBox::Dispatch(Message);
    }
    case WM_TIMER:
        if (Message.WParam == kHoverTimer) {
            if (selChanging_ || !Focused()) return;
            POINT p;
            GetCursorPos(&p);
            const TPoint c = ScreenToClient(TPoint(p.x, p.y));
            if (!PtInRect(GetClientRect(), c)) return;
            const LRESULT r = Perform(LB_ITEMFROMPOINT, 0, MAKELPARAM(c.x, c.y));
            if (HIWORD(r) == 0 && LOWORD(r) < GetCount()) SetItemIndex(LOWORD(r));
            return;
        }
        return TListBox::Dispatch(Message);
    case WM_HSCROLL:
    case WM_VSCROLL: {
        TListBox::Dispatch(Message);
        if (alive.expired() || !HandleAllocated()) return;
        const int bar = Message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT;
        const int pos = GetScrollPos(GetHandle(), bar);
        Message.WParam = MAKEWPARAM(LOWORD(Message.WParam), static_cast<WORD>(pos));
        FlatSetScrollPos(bar, pos, true);
        return;
    }
    case CN_COMMAND:
        TListBox::Dispatch(Message);
        if (!alive.expired() && HIWORD(Message.WParam) == LBN_SELCHANGE && !selChanging_) {
            selChanging_ = true;
            SelectionChanged();
            selChanging_ = false;
        }
        return;
    case CM_HINTSHOW:
        return CallMessageHandler(this, &TEditListBox::CMHintShow, Message);
    default:
        TListBox::Dispatch(Message);
    }
}

void TEditListBox::MouseMove(TShiftState Shift, int X, int Y) {
    TListBox::MouseMove(Shift, X, Y);
    const int ih = std::max(1, GetItemHeight());
    const int row = Y / ih;
    // Another row: the hint shown is for an item no longer under the pointer.
    if (hintItem_ != -1 && row != hintItem_) {
        hintItem_ = -1;
        CancelHint();
    }
}

void TEditListBox::CMHintShow(TCMHintShow& Message) {
    THintInfo* info = Message.HintInfo;
    if (!info) return;
    info->HintColor = hintColor_;
    const TPoint p = info->CursorPos;
    const LRESULT r = Perform(LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
    const int index = LOWORD(r);
    if (HIWORD(r) != 0 || index >= GetCount()) return TListBox::Dispatch(Message.Message);
    const int top = static_cast<int>(Perform(LB_GETTOPINDEX, 0, 0));
    const int ih = std::max(1, GetItemHeight());
    hintItem_ = index - top;
    const AnsiString text = GetItems()->GetStrings(index);
    if (GetStringExtent(text) > GetWidth() - GetSystemMetrics(SM_CXVSCROLL)) {
        info->HintStr = text;
        info->HintPos = ClientToScreen(TPoint(0, hintItem_ * ih - 2));
        Message.Result = 0;
        return;
    }
    TListBox::Dispatch(Message.Message);
}

// --- persistence ---

void TEditListBox::LoadPersist() {
    BeginUpdate();
    persist_->Load(*GetItems());
    EndUpdate();
}

void TEditListBox::SavePersist() {
    persist_->Save(*GetItems());
}
