// TCustomForm: properties, events, closing, showing and modal showing. The Qt window around
// the client area is in form_window.cpp, the MDI frame's children in mdi.cpp.

#include "plataforma/gui/forms/forms.h"

#include "plataforma/base/modal_hooks.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/input/focus_state.h"
#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/kernel/system_metrics.h"

TFrameMetrics FrameMetricsOf(TFormBorderStyle Style) {
    switch (Style) {
    case bsNone:
        return {0, 0};
    case bsSingle:
    case bsDialog:
        return {GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYCAPTION)};
    case bsToolWindow:
        return {GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYSMCAPTION)};
    case bsSizeToolWin:
        return {GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYSMCAPTION)};
    case bsSizeable:
    default:
        return {GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYCAPTION)};
    }
}

TCustomForm* GetParentForm(TControl* Control) {
    while (Control && Control->GetParent())
        Control = Control->GetParent();
    return dynamic_cast<TCustomForm*>(Control);
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
    SetVisible(false);
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    SetControlStyle(GetControlStyle() << csAcceptsControls);
}

TCustomForm::~TCustomForm() {
    Destroying();
    // An MDI frame's children cannot live without it.
    while (!mdiCreated_.empty())
        delete mdiCreated_.back();
    if (mdiFrame_) mdiFrame_->RemoveMDIChild(this);
    RegisterAsFrame(false);
    // The window goes now, while this is still a form: the base destructors would not
    // reach the form's own window code.
    DestroyHandle();
}

TForm::TForm(TComponent* AOwner) : TCustomForm(AOwner) {}

// --- properties ---

void TCustomForm::SetFormStyle(TFormStyle Value) {
    if (formStyle_ == Value) return;
    bool recreate = HandleAllocated();
    if (recreate) DestroyHandle();
    formStyle_ = Value;
    RegisterAsFrame(Value == fsMDIForm);
    // An MDI child is shown as soon as it is made.
    if (Value == fsMDIChild && !GetComponentState().Contains(csLoading))
        SetVisible(true);
    else if (recreate && GetVisible())
        HandleNeeded();
}

// The outer size stays, as the window's rectangle does; the client area follows the frame.
void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (borderStyle_ == Value) return;
    borderStyle_ = Value;
    ClientAreaChanged();
    ApplyWindowFlags();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
    if (borderIcons_ == Value) return;
    borderIcons_ = Value;
    ApplyWindowFlags();
}

void TCustomForm::SetWindowState(TWindowState Value) {
    if (windowState_ == Value) return;
    windowState_ = Value;
    if (window_ && GetVisible()) ApplyWindowState();
}

// The menu bar takes its height from the client area; the outer size stays.
void TCustomForm::SetMenu(TMainMenu* Value) {
    if (menu_ == Value) return;
    const int before = MenuHeight();
    if (menu_) menu_->GetItems()->SetItemsWidget(nullptr);
    menu_ = Value;
    if (Value) Value->FreeNotification(this);
    UpdateMenuBar();
    if (MenuHeight() != before) ClientAreaChanged();
}

// The client area changed size within the same outer bounds: the window and the aligned
// controls follow.
void TCustomForm::ClientAreaChanged() {
    PlaceFormWindow();
    if (HandleAllocated()) {
        TRect r = GetClientRect();
        Perform(WM_SIZE, SIZE_RESTORED,
                MAKELPARAM(static_cast<WORD>(r.Width()), static_cast<WORD>(r.Height())));
    }
}

int TCustomForm::MenuHeight() const {
    return menu_ && formStyle_ != fsMDIChild ? GetSystemMetrics(SM_CYMENU) : 0;
}

TRect TCustomForm::GetClientRect() const {
    TFrameMetrics m = Metrics();
    int w = GetWidth() - 2 * m.frame;
    int h = GetHeight() - m.caption - 2 * m.frame - MenuHeight();
    return Rect(0, 0, std::max(0, w), std::max(0, h));
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == menu_) {
        menu_ = nullptr;
        if (!GetComponentState().Contains(csDestroying)) {
            UpdateMenuBar();
            ClientAreaChanged();
        }
    }
    if (AComponent == windowMenu_) {
        windowMenu_ = nullptr;
        windowActions_.clear();
    }
    if (AComponent == activeControl_) activeControl_ = nullptr;
}

void TCustomForm::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.WinClassName = "TForm";
    Params.Style &= ~WS_CHILD;
    if (borderStyle_ != bsNone) Params.Style |= WS_CAPTION;
    if (borderStyle_ == bsSizeable || borderStyle_ == bsSizeToolWin) Params.Style |= WS_THICKFRAME;
    if (borderIcons_.Contains(biSystemMenu)) Params.Style |= WS_SYSMENU;
    if (borderStyle_ == bsDialog) Params.ExStyle |= WS_EX_DLGMODALFRAME;
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin)
        Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (formStyle_ == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
}

// --- focus ---

TWinControl* TCustomForm::GetActiveControl() const {
    auto* self = const_cast<TCustomForm*>(this);
    TWinControl* within = FocusedWithinRoot(self);
    if (within && within != this) return within;
    return activeControl_;
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (Control && (Control == this || !ContainsControl(Control)))
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    activeControl_ = Control;
    if (Control) Control->FreeNotification(this);
    if (Control && GetVisible() && active_ && Control->CanFocus()) Control->SetFocus();
}

// The control remembered (or set as ActiveControl), else the first in the tab order; found
// before the window shows, since the window system focuses a control of its own choosing.
TWinControl* TCustomForm::InitialFocus() const {
    TWinControl* target = GetActiveControl();
    if (!target || !target->CanFocus()) target = FindNextControl(nullptr, true, true, false);
    return target;
}

void TCustomForm::SetInitialFocus(TWinControl* Target) {
    if (Target && ContainsControl(Target) && Target->CanFocus())
        Target->SetFocus();
    else if (CanFocus())
        TWinControl::SetFocus();
}

void TCustomForm::SetFocus() {
    if (!GetVisible()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    if (mdiFrame_) mdiFrame_->ActivateMDIChild(this);
    TWinControl::SetFocus();
}

// --- events ---

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TCustomForm::EnsureCreated() {
    if (created_) return;
    created_ = true;
    DoCreate();
}

void TCustomForm::EndLoading() {
    TComponent::EndLoading();
    EnsureCreated();
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
    // Shown while loading: shown now. An MDI child is shown as soon as it is made.
    if (formStyle_ == fsMDIChild && !GetVisible())
        SetVisible(true);
    else if (GetVisible())
        VisibleChanged();
}

void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose) OnClose(this, Action);
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

// --- showing ---

void TCustomForm::Show() {
    SetVisible(true);
    BringToFront();
}

void TCustomForm::Hide() {
    SetVisible(false);
}

void TCustomForm::SetVisible(bool Value) {
    if (!Value && formStyle_ == fsMDIChild && GetVisible() &&
        !GetComponentState().Contains(csDestroying))
        throw EInvalidOperation("Cannot hide an MDI Child Form");
    TWinControl::SetVisible(Value);
}

// The form's own handling of CM_VISIBLECHANGED: its window, not the client widget, comes
// and goes.
void TCustomForm::VisibleChanged() {
    if (GetComponentState().Contains(csLoading)) return;
    if (GetVisible()) {
        EnsureCreated();
        HandleNeeded();
        if (!shownOnce_) {
            shownOnce_ = true;
            ApplyPosition();
        }
        DoShow();
        TWinControl* focus = InitialFocus();
        auto focusAlive = focus ? focus->Watch() : std::weak_ptr<int>();
        ShowFormWindow();
        SetInitialFocus(focusAlive.expired() ? nullptr : focus);
    } else {
        ForgetFocus(this);
        DoHide();
        HideFormWindow();
    }
}

void TCustomForm::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_VISIBLECHANGED:
        VisibleChanged();
        return;
    case WM_CLOSE:
        Close();
        return;
    case CM_DIALOGCHAR:
        // The controls' letters first; with Alt, then the menu bar's.
        TWinControl::Dispatch(Message);
        if (Message.Result == 0 && (static_cast<DWORD>(Message.LParam) & KF_ALTDOWN))
            Message.Result = OpenMenuByHotkey(static_cast<WORD>(Message.WParam)) ? 1 : 0;
        return;
    case WM_SYSCOMMAND:
        if ((Message.WParam & 0xFFF0) == SC_KEYMENU && Message.LParam == 0) {
            Message.Result = OpenMenuBar() ? 1 : 0;
            return;
        }
        TWinControl::Dispatch(Message);
        return;
    default:
        TWinControl::Dispatch(Message);
    }
}

void TCustomForm::DefaultHandler(TMessage& Message) {
    TWinControl::DefaultHandler(Message);
    if (Message.Msg == WM_SETTEXT) CaptionChanged();
}

// --- closing ---

bool TCustomForm::CloseQuery() {
    if (formStyle_ == fsMDIForm) {
        std::vector<TCustomForm*> children = mdiChildren_;
        for (TCustomForm* child : children)
            if (!child->CloseQuery()) return false;
    }
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (closing_) return;
    auto alive = Watch();
    closing_ = true;
    struct Reset {
        TCustomForm* f;
        std::weak_ptr<int> alive;
        ~Reset() {
            if (!alive.expired()) f->closing_ = false;
        }
    } reset{this, alive};
    if (!CloseQuery() || alive.expired()) return;
    TCloseAction action = caHide;
    if (formStyle_ == fsMDIChild) action = borderIcons_.Contains(biMinimize) ? caMinimize : caNone;
    DoClose(action);
    if (alive.expired() || action == caNone) return;
    if (Application->GetMainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide:
        Hide();
        break;
    case caMinimize:
        SetWindowState(wsMinimized);
        break;
    case caFree:
        Release();
        break;
    default:
        break;
    }
}

// --- modal showing ---

class FormModalRun : public ModalRun {
public:
    explicit FormModalRun(TCustomForm* f) : form(f), alive(f->Watch()) {}
    TObject* Form() override { return alive.expired() ? nullptr : form; }
    AnsiString Caption() const override { return alive.expired() ? "" : form->GetCaption(); }
    AnsiString Name() const override { return alive.expired() ? "" : form->GetName(); }
    void SetModalResult(int result) override {
        if (!alive.expired()) form->SetModalResult(result);
    }
    bool Finished() override { return alive.expired() || form->ModalFinished(); }

private:
    TCustomForm* form;
    std::weak_ptr<int> alive;
};

// The class library's modal loop test: a result set asks the close rules; caNone (or a
// refusal) clears it and the form stays.
bool TCustomForm::ModalFinished() {
    if (Application->GetTerminated()) {
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        return true;
    }
    if (modalResult_ != mrNone) CloseModal();
    return modalResult_ != mrNone;
}

void TCustomForm::CloseModal() {
    auto alive = Watch();
    TCloseAction action = caNone;
    if (CloseQuery()) {
        if (alive.expired()) return;
        action = caHide;
        DoClose(action);
    }
    if (alive.expired()) return;
    if (action == caNone)
        modalResult_ = mrNone;
    else if (action == caFree)
        Release();
}

TModalResult TCustomForm::ShowModal() {
    if (GetVisible() || !GetEnabled() || modal_ || formStyle_ == fsMDIChild)
        throw EInvalidOperation("Cannot make a visible window modal");
    if (TControl* c = GetCaptureControl()) c->Perform(WM_CANCELMODE, 0, 0);
    auto alive = Watch();
    TWinControl* before = FocusedControl();
    std::weak_ptr<int> beforeAlive = before ? before->Watch() : std::weak_ptr<int>();
    TCursor cursor = Screen->GetCursor();
    Screen->SetCursor(crDefault);
    modal_ = true;
    modalResult_ = mrNone;
    auto restore = [&] {
        Screen->SetCursor(cursor);
        if (before && !beforeAlive.expired() && before->CanFocus()) {
            try {
                before->SetFocus();
            } catch (const EInvalidOperation&) {
            }
        }
    };
    try {
        Show();
        FormModalRun run(this);
        GetModalHooks().RunModal(run);
    } catch (...) {
        if (!alive.expired()) {
            modal_ = false;
            if (GetVisible()) Hide();
        }
        restore();
        throw;
    }
    if (alive.expired()) {
        restore();
        return mrCancel;
    }
    // A run that ended without a result (the program ends, or a test left the form open)
    // ends it as cancelled.
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    TModalResult result = modalResult_;
    modal_ = false;
    if (GetVisible()) Hide();
    restore();
    return result;
}

// --- keys ---

namespace {
// The window system's keys of an MDI child: Ctrl+F4 closes it (its close rules apply),
// Ctrl+F6 activates the next child and Ctrl+Shift+F6 the previous one. True when the key
// was one of them.
bool MDIChildKey(TCustomForm& Child, TCustomForm& Frame, const TWMKey& Message) {
    const TShiftState shift = KeyDataToShiftState(Message.KeyData);
    if (!shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return false;
    if (Message.CharCode == VK_F4 && !shift.Contains(ssShift)) {
        Child.Close();
        return true;
    }
    if (Message.CharCode == VK_F6) {
        if (shift.Contains(ssShift))
            Frame.Previous();
        else
            Frame.Next();
        return true;
    }
    return false;
}
} // namespace

bool TCustomForm::IsShortCut(TWMKey& Message) {
    auto alive = Watch();
    TWinControl* focused = FocusedControl();
    if (focused && ContainsControl(focused)) {
        for (TControl* c = focused; c; c = c->GetParent()) {
            TPopupMenu* popup = c->GetPopupMenu();
            if (popup && popup->IsShortCut(Message)) return true;
            if (alive.expired()) return true;
            if (c == this) break;
        }
    }
    if (OnShortCut) {
        bool handled = false;
        OnShortCut(Message, handled);
        if (handled || alive.expired()) return true;
    }
    if (menu_ && menu_->IsShortCut(Message)) return true;
    if (alive.expired()) return true;
    // An MDI child: its window keys, then the frame's menu.
    if (mdiFrame_) return MDIChildKey(*this, *mdiFrame_, Message) || mdiFrame_->IsShortCut(Message);
    return false;
}
