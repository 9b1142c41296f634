// TCustomEdit: the edit requests, the keys and characters that reach the Qt widget, the
// clipboard messages and the change notification.

#include "plataforma/gui/widgets/edit.h"

#include "plataforma/gui/kernel/hosted_widget.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/widgets/edit_backend.h"
#include "plataforma/gui/widgets/edit_colors.h"
#include "plataforma/gui/widgets/edit_commands.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstring>

namespace {

// No limit, as the window system keeps it.
constexpr LRESULT kSinLimite = 0x7FFFFFFE;

LRESULT PackPoint(int x, int y) {
    return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(x), static_cast<WORD>(y)));
}

} // namespace

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle({csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight});
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetParentColor(false);
}

TCustomEdit::~TCustomEdit() {
    // The window goes while this is still an edit, so that its text is read back in order.
    Destroying();
    DestroyHandle();
}

// --- properties ---

void TCustomEdit::SetMaxLength(int Value) {
    maxLength_ = std::max(Value, 0);
    if (backend_) Perform(EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool Value) {
    readOnly_ = Value;
    if (backend_) Perform(EM_SETREADONLY, Value ? 1 : 0, 0);
}

void TCustomEdit::SetPasswordChar(char Value) {
    if (passwordChar_ == Value) return;
    passwordChar_ = Value;
    if (backend_) Perform(EM_SETPASSWORDCHAR, static_cast<unsigned char>(Value), 0);
}

void TCustomEdit::SetAutoSize(bool Value) {
    if (autoSize_ == Value) return;
    autoSize_ = Value;
    UpdateHeight();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    RecreateWnd();
    UpdateHeight();
}

void TCustomEdit::SetCtl3D(bool Value) {
    if (ctl3D_ == Value) return;
    ctl3D_ = Value;
    RecreateWnd();
    UpdateHeight();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
    if (charCase_ == Value) return;
    charCase_ = Value;
    if (Value != ecNormal) {
        AnsiString t = GetText();
        ApplyCharCase(t);
        SetText(t);
    }
}

void TCustomEdit::SetHideSelection(bool Value) {
    hideSelection_ = Value;
    if (backend_) backend_->SetHideSelection(Value);
}

bool TCustomEdit::GetModified() const {
    return const_cast<TCustomEdit*>(this)->Perform(EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool Value) {
    Perform(EM_SETMODIFY, Value ? 1 : 0, 0);
}

bool TCustomEdit::GetCanUndo() const {
    return const_cast<TCustomEdit*>(this)->Perform(EM_CANUNDO, 0, 0) != 0;
}

int TCustomEdit::GetSelStart() const {
    int start = 0, end = 0;
    PerformGetSel(this, EM_GETSEL, start, end);
    return start;
}

void TCustomEdit::SetSelStart(int Value) {
    Perform(EM_SETSEL, static_cast<WPARAM>(Value), Value);
}

int TCustomEdit::GetSelLength() const {
    int start = 0, end = 0;
    PerformGetSel(this, EM_GETSEL, start, end);
    return end - start;
}

void TCustomEdit::SetSelLength(int Value) {
    const int start = GetSelStart();
    Perform(EM_SETSEL, static_cast<WPARAM>(start), start + Value);
}

AnsiString TCustomEdit::GetSelText() const {
    return GetText().SubString(GetSelStart() + 1, GetSelLength());
}

void TCustomEdit::SetSelText(const AnsiString& Value) {
    Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}

int TCustomEdit::GetSelTextBuf(char* Buffer, int BufSize) const {
    if (!Buffer || BufSize <= 0) return 0;
    AnsiString s = GetSelText();
    const int n = std::min(s.Length(), BufSize - 1);
    std::memcpy(Buffer, s.c_str(), static_cast<size_t>(n));
    Buffer[n] = '\0';
    return n;
}

void TCustomEdit::SelectAll() {
    Perform(EM_SETSEL, 0, -1);
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::ApplyCharCase(AnsiString& Text) const {
    if (charCase_ == ecUpperCase) Text = AnsiUpperCase(Text);
    if (charCase_ == ecLowerCase) Text = AnsiLowerCase(Text);
}

// --- the window ---

void TCustomEdit::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WinClassName = "EDIT";
    Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
    if (readOnly_) Params.Style |= ES_READONLY;
    if (!hideSelection_) Params.Style |= ES_NOHIDESEL;
    if (oemConvert_) Params.Style |= ES_OEMCONVERT;
    if (charCase_ == ecUpperCase) Params.Style |= ES_UPPERCASE;
    if (charCase_ == ecLowerCase) Params.Style |= ES_LOWERCASE;
    if (borderStyle_ == bsSingle) {
        if (ctl3D_)
            Params.ExStyle |= WS_EX_CLIENTEDGE;
        else
            Params.Style |= WS_BORDER;
    }
}

EditBackend* TCustomEdit::CreateBackend(QWidget* ParentWidget) {
    return CreateLineEditBackend(this, ParentWidget);
}

void TCustomEdit::CreateWindowHandle(const TCreateParams& Params) {
    creating_ = true;
    QWidget* parentWidget = GetParent() ? GetParent()->GetWidget() : nullptr;
    backend_.reset(CreateBackend(parentWidget));
    backend_->SetBorder(GetBorderWidth());
    backend_->SetText(Params.Caption);
    backend_->SetReadOnly(readOnly_ || (Params.Style & ES_READONLY));
    backend_->SetAlignment(Params.Style & (ES_CENTER | ES_RIGHT));
    backend_->SetPasswordChar(passwordChar_ ? passwordChar_
                                            : ((Params.Style & ES_PASSWORD) ? '*' : 0));
    backend_->SetHideSelection(hideSelection_);
    SetWidget(backend_->Widget(), true);
    backend_->SetFormatRect(formatRect_);
    backend_->OnTextChanged = [this] {
        if (!creating_) NotifyControl(this, EN_CHANGE);
    };
    creating_ = false;
    UpdateHeight();
}

void TCustomEdit::DestroyWnd() {
    if (backend_) {
        // The text outlives the window.
        AnsiString texto = backend_->Text();
        TMessage m{WM_SETTEXT, 0, reinterpret_cast<LPARAM>(texto.c_str()), 0};
        TWinControl::DefaultHandler(m);
        backend_->OnTextChanged = nullptr;
    }
    TWinControl::DestroyWnd();
    backend_.reset();
}

bool TCustomEdit::EnsureBackend() const {
    auto* self = const_cast<TCustomEdit*>(this);
    if (!backend_ && GetParent()) self->HandleNeeded();
    return backend_ != nullptr;
}

void TCustomEdit::ApplyWidgetState() {
    TWinControl::ApplyWidgetState();
    ApplyPalette();
}

void TCustomEdit::ApplyPalette() {
    ApplyBasePalette(this);
}

void TCustomEdit::UpdateHeight() {
    TControlStyle style = GetControlStyle();
    if (autoSize_ && borderStyle_ == bsSingle) {
        SetControlStyle(style << csFixedHeight);
        if (!GetWidget()) return;
        int alto = QFontMetrics(ToQFont(*GetFont())).height();
        SetHeight(alto + (ctl3D_ ? 8 : 6));
    } else {
        SetControlStyle(style >> csFixedHeight);
    }
}

void TCustomEdit::DoEnter() {
    // Entered by the keyboard, a single-line edit selects its text.
    if (autoSelect_ && !GetControlState().Contains(csLButtonDown) && !IsMultiLine()) SelectAll();
    TWinControl::DoEnter();
}

// --- messages ---

void TCustomEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CN_COMMAND:
        return CallMessageHandler(this, &TCustomEdit::CNCommand, Message);
    case CM_COLORCHANGED:
        return CallMessageHandler(this, &TCustomEdit::CMColorChanged, Message);
    case CM_FONTCHANGED:
        return CallMessageHandler(this, &TCustomEdit::CMFontChanged, Message);
    case CM_ENABLEDCHANGED:
        return CallMessageHandler(this, &TCustomEdit::CMEnabledChanged, Message);
    case WM_CONTEXTMENU:
        // Without a popup menu of its own an edit shows the standard edit menu.
        if (!GetPopupMenu()) return DefaultHandler(Message);
        return TWinControl::Dispatch(Message);
    default:
        TWinControl::Dispatch(Message);
    }
}

void TCustomEdit::CNCommand(TWMCommand& Message) {
    if (Message.NotifyCode == EN_CHANGE && !creating_) Change();
}

void TCustomEdit::CMColorChanged(TMessage& Message) {
    TWinControl::CMColorChanged(Message);
    ApplyPalette();
}

void TCustomEdit::CMFontChanged(TMessage& Message) {
    TWinControl::CMFontChanged(Message);
    ApplyPalette();
    UpdateHeight();
}

void TCustomEdit::CMEnabledChanged(TMessage& Message) {
    TWinControl::CMEnabledChanged(Message);
    ApplyPalette();
}

void TCustomEdit::DefaultHandler(TMessage& Message) {
    if (!EditRequest(Message)) TWinControl::DefaultHandler(Message);
}

bool TCustomEdit::EditRequest(TMessage& Message) {
    const UINT msg = Message.Msg;
    // Text without a window is the control's own.
    if (msg == WM_SETTEXT && !backend_) {
        TWinControl::DefaultHandler(Message);
        if (!GetComponentState().Contains(csLoading) && !creating_) Change();
        return true;
    }
    const bool request = (msg >= EM_GETSEL && msg <= EM_CHARFROMPOS) || msg == WM_PASTE ||
                         msg == WM_COPY || msg == WM_CUT || msg == WM_CLEAR || msg == WM_UNDO;
    if (request) EnsureBackend();
    // The limit is the control's own, with a window or without.
    if (msg == EM_LIMITTEXT) {
        maxLength_ = static_cast<int>(Message.WParam);
        return true;
    }
    if (msg == EM_GETLIMITTEXT) {
        Message.Result = maxLength_ > 0 ? maxLength_ : kSinLimite;
        return true;
    }
    if (!backend_ && msg != WM_GETDLGCODE) return false;
    if (msg == WM_PAINT) {
        // The colours come from the parent before each paint; the widget then paints.
        AskEditColors(this, backend_->Widget(), readOnly_ || !GetEnabled());
        return false;
    }

    if (backend_ && EditInputRequest(this, *backend_, Rules(), Message,
                                     [this](TMessage& m) { TWinControl::DefaultHandler(m); }))
        return true;
    switch (msg) {
    case WM_SETTEXT:
        backend_->SetText(AnsiString(reinterpret_cast<const char*>(Message.LParam)));
        Message.Result = TRUE;
        return true;
    case WM_GETTEXTLENGTH:
    case WM_GETTEXT:
        AnswerTextRequest(backend_->Text(), Message);
        return true;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        if (IsMultiLine()) Message.Result |= DLGC_WANTALLKEYS;
        return true;
    case EM_UNDO:
        Message.Result = EditUndo(*backend_, Rules());
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
        FocusOnPress(this);
        if (msg == WM_LBUTTONDOWN && IsMultiLine() && !(Message.WParam & MK_SHIFT)) {
            // A press inside the selection places the caret: the text is never dragged.
            int s = 0, e = 0, i = 0, line = 0;
            backend_->GetSel(s, e);
            TPoint p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
            if (s != e && backend_->CharFromPos(p, i, line) && i >= s && i <= e)
                backend_->Deselect();
        }
        return false;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        // No pasting of the selection with the middle button.
        return true;
    case EM_GETSEL: {
        int s = 0, e = 0;
        backend_->GetSel(s, e);
        if (Message.WParam) *reinterpret_cast<DWORD*>(Message.WParam) = static_cast<DWORD>(s);
        if (Message.LParam) *reinterpret_cast<DWORD*>(Message.LParam) = static_cast<DWORD>(e);
        Message.Result = (s > 0xFFFF || e > 0xFFFF) ? -1 : PackPoint(s, e);
        return true;
    }
    case EM_SETSEL: {
        const int start = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
        const int end = static_cast<int>(Message.LParam);
        const int n = backend_->Length();
        if (start == -1)
            backend_->Deselect();
        else
            backend_->SetSel(start, end < 0 ? n : end);
        return true;
    }
    case EM_REPLACESEL:
        backend_->ReplaceSel(AnsiString(reinterpret_cast<const char*>(Message.LParam)));
        return true;
    case EM_GETMODIFY:
        Message.Result = backend_->Modified();
        return true;
    case EM_SETMODIFY:
        backend_->SetModified(Message.WParam != 0);
        return true;
    case EM_CANUNDO:
        Message.Result = backend_->CanUndo();
        return true;
    case EM_EMPTYUNDOBUFFER:
        backend_->ClearUndo();
        return true;
    case EM_SETREADONLY:
        readOnly_ = Message.WParam != 0;
        backend_->SetReadOnly(readOnly_);
        Message.Result = TRUE;
        return true;
    case EM_SETPASSWORDCHAR:
        passwordChar_ = static_cast<char>(Message.WParam);
        backend_->SetPasswordChar(passwordChar_);
        return true;
    case EM_GETPASSWORDCHAR:
        Message.Result = static_cast<unsigned char>(passwordChar_);
        return true;
    case EM_GETRECT:
        if (Message.LParam) *reinterpret_cast<TRect*>(Message.LParam) = backend_->FormatRect();
        return true;
    case EM_SETRECT:
    case EM_SETRECTNP:
        formatRect_ = Message.LParam ? *reinterpret_cast<const TRect*>(Message.LParam) : TRect();
        backend_->SetFormatRect(formatRect_);
        return true;
    case EM_CHARFROMPOS: {
        TPoint p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        int index = 0, line = 0;
        if (!PtInRect(GetClientRect(), p) || !backend_->CharFromPos(p, index, line))
            Message.Result = -1;
        else
            Message.Result = PackPoint(index, line);
        return true;
    }
    case EM_POSFROMCHAR: {
        TPoint p;
        Message.Result =
            backend_->PosFromChar(static_cast<int>(Message.WParam), p) ? PackPoint(p.x, p.y) : -1;
        return true;
    }
    case EM_LINEFROMCHAR:
        Message.Result = backend_->LineFromChar(static_cast<int>(Message.WParam));
        return true;
    case EM_GETLINECOUNT:
        Message.Result = backend_->LineCount();
        return true;
    case EM_LINEINDEX:
        Message.Result = backend_->LineIndex(static_cast<int>(Message.WParam));
        return true;
    case EM_LINELENGTH:
        Message.Result = backend_->LineLength(static_cast<int>(Message.WParam));
        return true;
    case EM_GETLINE: {
        // The buffer's first word is its size; the line is copied without a final zero.
        char* buf = reinterpret_cast<char*>(Message.LParam);
        const int line = static_cast<int>(Message.WParam);
        const int start = backend_->LineIndex(line);
        if (!buf || start < 0) {
            Message.Result = 0;
            return true;
        }
        WORD size = 0;
        std::memcpy(&size, buf, sizeof size);
        AnsiString t = backend_->Text().SubString(start + 1, backend_->LineLength(start));
        const int n = std::min<int>(size, t.Length());
        std::memcpy(buf, t.c_str(), static_cast<size_t>(n));
        Message.Result = n;
        return true;
    }
    case EM_GETFIRSTVISIBLELINE:
        Message.Result = backend_->FirstVisibleLine();
        return true;
    case EM_SCROLLCARET:
        backend_->ScrollCaret();
        Message.Result = TRUE;
        return true;
    default:
        return false;
    }
}

EditRules TCustomEdit::Rules() const {
    EditRules r;
    r.maxLength = maxLength_;
    r.readOnly = readOnly_;
    r.multiLine = IsMultiLine();
    r.charCase = charCase_;
    r.passwordChar = passwordChar_;
    r.wide = IsUnicodeWindow();
    return r;
}
