// TKavEdit: the messages it handles, focus entry and exit, the caret keys around prefix
// and suffix, Escape as undo, Return as Tab, the modified, error and address states, and
// the clipboard events.

#include "controles/edit/kav_edit.h"

#include "plataforma/base/regional.h"
#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/services/shell.h"
#include <algorithm>

void TKavEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETFOCUS:
        return CallMessageHandler(this, &TKavEdit::WMSetFocus, Message);
    case WM_KILLFOCUS:
        return CallMessageHandler(this, &TKavEdit::WMKillFocus, Message);
    case WM_KEYDOWN:
        return CallMessageHandler(this, &TKavEdit::WMKeyDown, Message);
    case WM_CHAR:
        return CallMessageHandler(this, &TKavEdit::WMChar, Message);
    case WM_PASTE:
        return WMPaste(Message);
    case WM_COPY:
        return WMCopyCut(Message, false);
    case WM_CUT:
        return WMCopyCut(Message, true);
    case CM_WANTSPECIALKEY:
        return CallMessageHandler(this, &TKavEdit::CMWantSpecialKey, Message);
    case CN_COMMAND:
        return CallMessageHandler(this, &TKavEdit::CNCommand, Message);
    case WM_LBUTTONDOWN:
        return CallMessageHandler(this, &TKavEdit::WMLButtonDown, Message);
    case WM_LBUTTONUP:
        return CallMessageHandler(this, &TKavEdit::WMLButtonUp, Message);
    case WM_PAINT:
        return WMPaint(Message);
    case WM_NCPAINT:
        return WMNCPaint(Message);
    case WM_ERASEBKGND:
        return CallMessageHandler(this, &TKavEdit::WMEraseBkgnd, Message);
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
        return CNCtlColor(Message);
    case CM_MOUSEENTER:
        return CMMouseEnter(Message);
    case CM_MOUSELEAVE:
        return CMMouseLeave(Message);
    case CM_HINTSHOW:
        return CallMessageHandler(this, &TKavEdit::CMHintShow, Message);
    case CM_FONTCHANGED:
        return CMFontChanged(Message);
    case CM_PARENTFONTCHANGED:
        return CMParentFontChanged(Message);
    case CM_CANCELMODE:
        return CMCancelMode(Message);
    case WM_DESTROY:
        return WMDestroy(Message);
    case WM_MOUSEMOVE:
        // A press inside the selection never reached the window: its moves may start a
        // drag, and do not select.
        if (clickInSelection_)
            return MouseMove(KeysToShiftState(static_cast<WORD>(Message.WParam)),
                             GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        TCustomEdit::Dispatch(Message);
        break;
    default:
        TCustomEdit::Dispatch(Message);
    }
}

bool TKavEdit::HasFocus() const {
    return const_cast<TKavEdit*>(this)->HandleAllocated() &&
           const_cast<TKavEdit*>(this)->GetHandle() == GetFocus();
}

void TKavEdit::DoEnter() {
    // The selection on entry is this control's own (WM_SETFOCUS): the multi-line style it
    // asks for keeps the edit's select-all out.
    TWinControl::DoEnter();
}

// --- modified, error, validation ---

void TKavEdit::SetModified(bool Value) {
    if (Loading() || GetReadOnly()) return;
    if (showModified_) SetFontColor(Value ? modifiedColor_ : normalFontColor_);
    TCustomEdit::SetModified(Value);
    isModified_ = Value;
}

void TKavEdit::SetError(bool Value) {
    if (Designing() || Loading() || Value == isError_) return;
    isError_ = Value;
    if (!showError_) return;
    if (Value) {
        TCustomEdit::SetColor(errorColor_);
        SetFontColor(errorFontColor_);
    } else if (!HasFocus()) {
        SetColorEx(normalColor_);
        SetFontColor(normalFontColor_);
    } else {
        if (focusColor_ != clNone) TCustomEdit::SetColor(focusColor_);
        if (focusFontColor_ != clNone) SetFontColor(focusFontColor_);
    }
}

bool TKavEdit::DoValidate(const AnsiString& Value) {
    bool result = true;
    if (!validating_) {
        validating_ = true;
        try {
            ValidateEvent(Value, result);
        } catch (...) {
            validating_ = false;
            throw;
        }
        validating_ = false;
    }
    return result;
}

void TKavEdit::ValidateEvent(const AnsiString& Value, bool& IsValid) {
    if (OnValueValidate) OnValueValidate(this, Value, IsValid);
}

void TKavEdit::Change() {
    TCustomEdit::Change();
    if (!Loading() && showError_) SetError(!DoValidate(GetText()));
}

void TKavEdit::CNCommand(TWMCommand& Message) {
    if (Message.NotifyCode == EN_CHANGE) {
        if (separatorsChanged_) {
            separatorsChanged_ = false;
            return;
        }
        if (transparent_) Invalidate();
        if (showURL_) {
            const bool url = TestURL();
            if (url && !isURL_)
                ApplyURL(true);
            else if (isURL_ && !url)
                ApplyURL(false);
        }
    }
    TCustomEdit::Dispatch(Message.Message);
}

// --- addresses ---

bool TKavEdit::TestURL() const {
    const AnsiString v = GetText();
    return v.Pos("://") > 0 || v.Pos("@") > 1 || LowerCase(v).SubString(1, 4) == "www.";
}

void TKavEdit::ApplyURL(bool On) {
    FontStyle(fsUnderline, On);
    SetFontColor(On ? urlColor_ : normalFontColor_);
    isURL_ = On;
    SetCursor(On ? crHandPoint : crDefault);
    if (On) Invalidate();
}

// --- selection ---

void TKavEdit::SelectAll() {
    const AnsiString v = GetText();
    int start = 0;
    if (!prefix_.IsEmpty() && start < prefix_.Length()) start = prefix_.Length();
    if (!suffix_.IsEmpty()) start = prefix_.Length();
    if (showURL_) {
        if (int p = v.Pos("://"); p > 0) start = prefix_.Length() + p + 2;
        if (int p = v.Pos("mailto:"); p > 0) start = prefix_.Length() + p + 6;
    }
    SetSelStart(start);
    SetSelLength(v.Length());
}

void TKavEdit::SelectBeforeDecimal() {
    const int p = GetText().Pos(AnsiString(std::string(1, GetDecimalSeparator())));
    SetSelStart(p > 0 ? prefix_.Length() + p - 1 : prefix_.Length());
    SetSelLength(0);
}

void TKavEdit::SelectAfterDecimal() {
    const int p = GetText().Pos(AnsiString(std::string(1, GetDecimalSeparator())));
    SetSelStart(p > 0 ? prefix_.Length() + p : prefix_.Length());
    SetSelLength(0);
}

// --- focus ---

void TKavEdit::WMSetFocus(TWMSetFocus& Message) {
    if (Loading()) return;
    TCustomEdit::Dispatch(Message.Message);
    originalText_ = GetText();
    if (focusColor_ != clNone) {
        TCustomEdit::SetColor(focusColor_);
        Invalidate();
    }
    if (!((isError_ && showError_) || showModified_)) {
        if (GetFont()->GetColor() != normalFontColor_) normalFontColor_ = GetFont()->GetColor();
        if (!(TestURL() && showURL_) && focusFontColor_ != clNone) SetFontColor(focusFontColor_);
    }
    if (GetAutoSelect())
        SelectAll();
    else if (editType_ == etFloat || editType_ == etMoney)
        SelectBeforeDecimal();
    if (focusLabel_ && label_.Label) {
        TFontStyles s = label_.Label->GetFont()->GetStyle();
        label_.Label->GetFont()->SetStyle(s << fsBold);
    }
    if (focusWidthInc_ > 0 && !focusAlignChanging_) SetWidth(GetWidth() + focusWidthInc_);
    if (focusAlign_ != editAlign_ && focusAlign_ != eaDefault) {
        savedAlign_ = editAlign_;
        focusAlignChanging_ = true;
        SetEditAlign(focusAlign_);
        focusAlignChanging_ = false;
    }
    if ((!emptyText_.IsEmpty() && GetText().IsEmpty()) || focusBorder_ ||
        focusBorderColor_ != clNone) {
        if (GetBorderStyle() == bsNone) SetFlatRect(true);
        Invalidate();
    }
}

void TKavEdit::WMKillFocus(TWMKillFocus& Message) {
    if (Loading()) return;
    if (LookupVisible() &&
        !(lookupWindow_->HandleAllocated() &&
          (Message.FocusedWnd == lookupWindow_->GetHandle() ||
           (lookupList_->HandleAllocated() && Message.FocusedWnd == lookupList_->GetHandle()))))
        lookupWindow_->SetVisible(false);
    if (!isError_) SetColorEx(normalColor_);
    if (!((isError_ && showError_) || showModified_ || (TestURL() && showURL_)))
        SetFontColor(normalFontColor_);
    if (focusLabel_ && label_.Label) {
        TFontStyles s = label_.Label->GetFont()->GetStyle();
        label_.Label->GetFont()->SetStyle(s >> fsBold);
    }
    const bool money = editType_ == etFloat || editType_ == etMoney;
    if (money && GetText().IsEmpty()) SetFloat(0);
    if (precision_ > 0 && money) {
        const bool was = isModified_;
        if (editType_ == etMoney) {
            // Rewritten from its digits, which a double would not all keep.
            SetText(GetText());
            AutoSeparators();
        } else {
            SetFloat(GetFloat());
        }
        SetModified(was);
    }
    if (editType_ == etNumeric && GetText().IsEmpty()) SetText("0");
    if (!DoValidate(GetText())) Message.Result = 0;
    TCustomEdit::Dispatch(Message.Message);
    if (focusBorder_) Invalidate();
    if (focusAlignChanging_) return;
    if (focusWidthInc_ > 0) SetWidth(GetWidth() - focusWidthInc_);
    if (editAlign_ != savedAlign_ && focusAlign_ != eaDefault) SetEditAlign(savedAlign_);
    if (!emptyText_.IsEmpty() && GetText().IsEmpty()) Invalidate();
    if (lookup_->GetEnabled() && lookup_->GetHistory()) {
        const AnsiString t = GetText().Trim();
        if (!t.IsEmpty() && lookup_->GetDisplayList()->IndexOf(t) < 0)
            lookup_->GetDisplayList()->Add(t);
    }
    if (errorMarkerLen_ > 0) Invalidate();
}

// --- keys ---

void TKavEdit::WMKeyDown(TWMKey& Message) {
    const WORD key = static_cast<WORD>(Message.CharCode);
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool popup = LookupVisible();
    auto swallow = [&] {
        Message.CharCode = 0;
        Message.Result = 0;
    };
    auto done = [&] { Message.Result = 1; };

    if (key == VK_RETURN && popup) {
        DoneLookup();
        return done();
    }
    if ((key == VK_TAB || key == VK_RETURN) && ctrl) return TCustomEdit::Dispatch(Message.Message);
    if (popup) {
        const int count = lookupList_->GetCount();
        const int index = lookupList_->GetItemIndex();
        const int page = lookup_->GetDisplayCount();
        switch (key) {
        case VK_HOME:
            lookupList_->SetItemIndex(0);
            return done();
        case VK_END:
            lookupList_->SetItemIndex(count - 1);
            return done();
        case VK_NEXT:
            lookupList_->SetItemIndex(std::min(index + page, count - 1));
            return done();
        case VK_PRIOR:
            lookupList_->SetItemIndex(index <= page ? 0 : index - page);
            return done();
        default:
            break;
        }
    }
    if (key == VK_RETURN && returnIsTab_) {
        Message.CharCode = VK_TAB;
        if (GetVisible() && HandleAllocated()) PostMessage(GetHandle(), WM_KEYDOWN, VK_TAB, 0);
    }
    const int valueEnd = prefix_.Length() + GetText().Length();
    const int caret = GetSelStart() + GetSelLength();
    const WORD k = static_cast<WORD>(Message.CharCode);
    if (!suffix_.IsEmpty()) {
        if (k == VK_RIGHT && caret >= valueEnd) return swallow();
        if (k == VK_DELETE) {
            if (caret >= valueEnd && GetSelLength() == 0) return swallow();
            SetModified(true);
        }
    }
    if (!prefix_.IsEmpty() && k == VK_LEFT && caret <= prefix_.Length()) return swallow();
    if (k == VK_END && !suffix_.IsEmpty()) {
        if (!shift) {
            SetSelStart(valueEnd);
            SetSelLength(0);
        } else {
            const int from = GetSelStart();
            SetSelStart(from);
            SetSelLength(valueEnd - from);
        }
        return swallow();
    }
    if (k == VK_HOME && !prefix_.IsEmpty()) {
        if (!shift) {
            SetSelStart(prefix_.Length());
            SetSelLength(0);
        } else {
            // Anchor at the end of the value, caret after the prefix.
            Perform(EM_SETSEL, static_cast<WPARAM>(valueEnd), prefix_.Length());
        }
        return swallow();
    }
    if (k == VK_BACK && !prefix_.IsEmpty()) {
        if (GetSelStart() <= prefix_.Length() + 1 && GetSelLength() == 0) return swallow();
        SetModified(true);
    }
    if (k == VK_DELETE && GetSelStart() >= prefix_.Length()) {
        AnsiString v = GetText();
        const int at = GetSelStart() - prefix_.Length();
        const int len = GetSelLength() > 0 ? GetSelLength() : 1;
        v = v.SubString(1, at) + v.SubString(at + len + 1, v.Length());
        if (lengthLimit_ > 0 && FixedLength(v) - 1 > lengthLimit_) return swallow();
        SetModified(true);
    }
    if (popup && k == VK_UP) {
        if (lookupList_->GetItemIndex() > 0)
            lookupList_->SetItemIndex(lookupList_->GetItemIndex() - 1);
        Message.CharCode = 0;
    }
    if (popup && k == VK_DOWN) {
        if (lookupList_->GetItemIndex() < lookupList_->GetCount() - 1)
            lookupList_->SetItemIndex(lookupList_->GetItemIndex() + 1);
        Message.CharCode = 0;
    }
    auto alive = Watch();
    TCustomEdit::Dispatch(Message.Message);
    if (alive.expired()) return;
    if (k == VK_DELETE && editType_ == etMoney) AutoSeparators();
    if (!prefix_.IsEmpty() && GetSelStart() < prefix_.Length()) SetSelStart(prefix_.Length());
}

void TKavEdit::CMWantSpecialKey(TCMWantSpecialKey& Message) {
    TWinControl* root = KeyDialogRoot();
    if (root && root->KeyPreviewEnabled()) return TCustomEdit::Dispatch(Message.Message);
    if (Message.CharCode == VK_ESCAPE && canUndo_) {
        SetText(originalText_);
        if (focusFontColor_ != clNone) SetFontColor(focusFontColor_);
        SelectAll();
        SetModified(false);
        Message.CharCode = 0;
        Message.Result = 0;
        if (GetParent() && GetParent()->HandleAllocated()) {
            PostMessage(GetParent()->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessage(GetParent()->GetHandle(), WM_KEYUP, VK_ESCAPE, 0);
        }
        return;
    }
    if (Message.CharCode == VK_RETURN && GetParent() && GetParent()->HandleAllocated() &&
        GetParent()->GetHandle() == GetFocus()) {
        PostMessage(GetParent()->GetHandle(), WM_KEYDOWN, VK_RETURN, 0);
        PostMessage(GetParent()->GetHandle(), WM_KEYUP, VK_RETURN, 0);
    }
    TCustomEdit::Dispatch(Message.Message);
}

// --- mouse ---

void TKavEdit::WMLButtonDown(TWMMouse& Message) {
    const int s = GetSelStart(), n = GetSelLength();
    if (n > 0 && HasFocus()) {
        const LRESULT r = Perform(EM_CHARFROMPOS, 0, Message.Message.LParam);
        const int at = r == -1 ? -1 : LOWORD(r);
        if (at >= s && at < s + n) {
            clickInSelection_ = true;
            return;
        }
    }
    auto alive = Watch();
    TCustomEdit::Dispatch(Message.Message);
    if (alive.expired()) return;
    if (isURL_ && showURL_ && HasFocus()) {
        bool show = true;
        const AnsiString url = GetText();
        if (OnURLClick) OnURLClick(this, url, show);
        if (!show) return;
        // Only web and mail addresses are handed to the shell.
        const AnsiString low = LowerCase(url);
        AnsiString target;
        if (low.SubString(1, 7) == "http://" || low.SubString(1, 8) == "https://" ||
            low.SubString(1, 7) == "mailto:")
            target = url;
        else if (low.SubString(1, 4) == "www.")
            target = "http://" + url;
        if (!target.IsEmpty())
            ShellExecuteA(GetHandle(), "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}

void TKavEdit::WMLButtonUp(TWMMouse& Message) {
    if (clickInSelection_) {
        const LRESULT r = Perform(EM_CHARFROMPOS, 0, Message.Message.LParam);
        if (r != -1) {
            SetSelStart(LOWORD(r));
            SetSelLength(0);
        }
    }
    clickInSelection_ = false;
    auto alive = Watch();
    TCustomEdit::Dispatch(Message.Message);
    if (alive.expired()) return;
    const int valueEnd = prefix_.Length() + GetText().Length();
    if (!prefix_.IsEmpty() && GetSelStart() < prefix_.Length()) {
        SetSelStart(prefix_.Length());
        SetSelLength(GetText().Length());
    }
    if (!suffix_.IsEmpty()) {
        if (GetSelStart() > valueEnd) {
            SetSelStart(valueEnd);
            SetSelLength(0);
        } else if (GetSelStart() + GetSelLength() > valueEnd) {
            SetSelLength(valueEnd - GetSelStart());
        }
    }
}

// --- clipboard ---

void TKavEdit::WMCopyCut(TMessage& Message, bool Cut) {
    const TClipboardEvent& event = Cut ? OnClipboardCut : OnClipboardCopy;
    if (event) {
        bool allow = true;
        event(this, GetSelText(), allow);
        if (!allow) return;
    }
    TCustomEdit::Dispatch(Message);
}
