// TWinControl: children, the window's life, painting and the dispatch of its messages.

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/widgets/edit_colors.h"

#include "plataforma/gui/input/cursor_map.h"
#include "plataforma/gui/input/focus_state.h"
#include "plataforma/gui/input/key_input.h"
#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/kernel/dispatch_frame.h"
#include "plataforma/gui/kernel/hooked_widget.h"
#include "plataforma/gui/kernel/message_queue.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/kernel/timers.h"
#include "plataforma/gui/kernel/window_frame.h"
#include "plataforma/gui/kernel/window_registry.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/painting/paint_context.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>

#include <algorithm>

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    Destroying();
    ForgetFocus(this);
    // Children go first, last first; each leaves our lists as it is destroyed.
    while (GetControlCount() > 0) {
        TControl* child = GetControls(GetControlCount() - 1);
        RemoveControl(child);
        delete child;
    }
    DestroyHandle();
    // Leave the parent while still a TWinControl (TControl's destructor would be too late).
    if (parent_) parent_->RemoveControl(this);
}

// --- children ---

int TWinControl::GetControlCount() const {
    return static_cast<int>(controls_.size() + winControls_.size());
}

TControl* TWinControl::GetControls(int Index) const {
    int n = static_cast<int>(controls_.size());
    if (Index < 0 || Index >= GetControlCount())
        throw EInvalidOperation("Control index out of bounds (" + AnsiString(Index) + ")");
    return Index < n ? controls_[static_cast<size_t>(Index)]
                     : winControls_[static_cast<size_t>(Index - n)];
}

void TWinControl::InsertControl(TControl* AControl) {
    if (!AControl || AControl->parent_ == this) return;
    AControl->parent_ = this;
    if (auto* w = dynamic_cast<TWinControl*>(AControl)) {
        winControls_.push_back(w);
        tabList_.push_back(w);
    } else {
        controls_.push_back(AControl);
    }
    if (HandleAllocated()) AControl->ParentWindowCreated();
    AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
    AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    ChildLayoutChanged(AControl);
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), TRUE);
}

void TWinControl::ChildLayoutChanged(TControl* Child) {
    if (Child->align_ != alNone || ScrollsChildren()) AlignControl(Child);
}

void TWinControl::PlaceChildWidgets() {
    for (int i = 0; i < GetControlCount(); ++i) {
        TControl* c = GetControls(i);
        if (c->widget_) c->PlaceWidget();
    }
}

void TWinControl::RemoveControl(TControl* AControl) {
    if (!AControl || AControl->parent_ != this) return;
    // Found by address: a control on its way out no longer answers dynamic_cast as itself.
    auto wit = std::find_if(winControls_.begin(), winControls_.end(),
                            [&](TWinControl* w) { return static_cast<TControl*>(w) == AControl; });
    if (wit != winControls_.end()) {
        TWinControl* w = *wit;
        ForgetFocus(w);
        AControl->ParentWindowDestroying();
        winControls_.erase(std::remove(winControls_.begin(), winControls_.end(), w),
                           winControls_.end());
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
    } else {
        AControl->ParentWindowDestroying();
        controls_.erase(std::remove(controls_.begin(), controls_.end(), AControl), controls_.end());
    }
    AControl->parent_ = nullptr;
    if (!GetComponentState().Contains(csDestroying)) {
        ChildLayoutChanged(AControl);
        Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), FALSE);
    }
}

bool TWinControl::ContainsControl(const TControl* Control) const {
    for (; Control; Control = Control->parent_)
        if (Control == this) return true;
    return false;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled,
                                    bool AllowWinControls) const {
    // Children's bounds lie in the scrolled contents.
    const TPoint scroll = ChildScrollOffset();
    const TPoint at{Pos.x + scroll.x, Pos.y + scroll.y};
    auto hit = [&](TControl* c) {
        return c->visible_ && (c->enabled_ || AllowDisabled) && PtInRect(c->GetBoundsRect(), at);
    };
    if (AllowWinControls)
        for (auto it = winControls_.rbegin(); it != winControls_.rend(); ++it)
            if (hit(*it)) return *it;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if (hit(*it)) return *it;
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
    for (int i = 0; i < GetControlCount(); ++i) {
        GetControls(i)->WindowProc(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::NotifyChildren(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage m{Msg, WParam, LParam, 0};
    for (int i = 0; i < GetControlCount(); ++i)
        GetControls(i)->WindowProc(m);
}

void TWinControl::MoveChildInZOrder(TControl* Child, bool ToFront) {
    auto move = [&](auto& list, auto* item) {
        auto it = std::find(list.begin(), list.end(), item);
        if (it == list.end()) return;
        list.erase(it);
        if (ToFront)
            list.push_back(item);
        else
            list.insert(list.begin(), item);
    };
    QWidget* w = Child->GetWidget();
    if (auto* win = dynamic_cast<TWinControl*>(Child)) {
        move(winControls_, win);
        if (w) ToFront ? w->raise() : w->lower();
    } else {
        move(controls_, Child);
        if (w) {
            if (!ToFront) {
                w->lower();
            } else {
                // In front of the other windowless controls, still below the windowed ones.
                QWidget* firstWindowed = nullptr;
                for (TWinControl* s : winControls_)
                    if ((firstWindowed = s->GetWidget())) break;
                if (firstWindowed)
                    w->stackUnder(firstWindowed);
                else
                    w->raise();
            }
        }
    }
    if (Child->align_ != alNone) AlignControl(Child);
}

// --- the window ---

HWND TWinControl::GetHandle() {
    HandleNeeded();
    return handle_;
}

void TWinControl::HandleNeeded() {
    if (!handle_) CreateHandle();
}

void TWinControl::CreateHandle() {
    if (handle_) return;
    if (parent_) parent_->HandleNeeded();
    // The parent makes its children's windows with its own.
    if (handle_) return;
    EnsureQtApplication();
    controlState_ << csCreating;
    CreateWnd();
    controlState_ >> csCreating;
    for (size_t i = 0; i < controls_.size(); ++i)
        controls_[i]->ParentWindowCreated();
    for (size_t i = 0; i < winControls_.size(); ++i)
        winControls_[i]->ParentWindowCreated();
    // A new window is told its size, which lays its children out.
    TRect r = GetClientRect();
    Perform(WM_SIZE, SIZE_RESTORED,
            MAKELPARAM(static_cast<WORD>(r.Width()), static_cast<WORD>(r.Height())));
}

void TWinControl::CreateParams(TCreateParams& Params) {
    Params = TCreateParams();
    Params.Caption = text_;
    Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (parent_) Params.Style |= WS_CHILD;
    if (visible_) Params.Style |= WS_VISIBLE;
    if (!enabled_) Params.Style |= WS_DISABLED;
    if (tabStop_) Params.Style |= WS_TABSTOP;
    Params.X = left_;
    Params.Y = top_;
    Params.Width = width_;
    Params.Height = height_;
    Params.WndParent = parent_ ? parent_->handle_ : nullptr;
    Params.WinClassName = "TWinControl";
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    // A child's border is drawn by the layer, and so is a pop-up's (it has no frame); a
    // top-level window's frame belongs to the window manager.
    border_ = 0;
    if (params.Style & (WS_CHILD | WS_POPUP)) {
        if (params.ExStyle & WS_EX_CLIENTEDGE) border_ += 2;
        if ((params.Style & WS_BORDER) && !(params.Style & WS_DLGFRAME)) border_ += 1;
        if (params.ExStyle & WS_EX_STATICEDGE) border_ += 1;
    }
    CreateWindowHandle(params);
    frame_ = std::make_unique<WindowFrame>();
    // A hosted control's scroll area has bars of its own.
    if (!HasNativeWidget()) {
        frame_->bars[SB_HORZ].shown = params.Style & WS_HSCROLL;
        frame_->bars[SB_VERT].shown = params.Style & WS_VSCROLL;
    } else {
        ConnectHostedScrollBars(this);
    }
    handle_ = RegisterWindow(this);
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
    (void)Params;
    QWidget* parentWidget = parent_ ? parent_->widget_ : nullptr;
    auto* w = new HookedWidget<QWidget>(this, parentWidget);
    w->setFocusPolicy(Qt::NoFocus);
    w->setAttribute(Qt::WA_InputMethodEnabled);
    MakePopupWindow(w, Params);
    SetWidget(w, false);
}

// A pop-up (WS_POPUP) is a window of its own without a frame, over its parent's window,
// placed in screen coordinates.
void MakePopupWindow(QWidget* Widget, const TCreateParams& Params) {
    if (!(Params.Style & WS_POPUP)) return;
    // A top-most tool window (a marker shown while another window holds the mouse) is shown
    // without taking the activation from that window.
    const bool marker = (Params.ExStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST)) ==
                        (WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    Qt::WindowFlags f = (marker ? Qt::ToolTip : Qt::Tool) | Qt::FramelessWindowHint;
    if (Params.ExStyle & WS_EX_TOPMOST) f |= Qt::WindowStaysOnTopHint;
    Widget->setWindowFlags(f);
    Widget->setAttribute(Qt::WA_ShowWithoutActivating);
}

void TWinControl::ApplyWidgetState() {
    TControl::ApplyWidgetState();
    if (!widget_) return;
    if (!parent_) widget_->setWindowTitle(ToQString(text_));
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    controlState_ << csDestroyingHandle;
    for (size_t i = 0; i < winControls_.size(); ++i)
        winControls_[i]->DestroyHandle();
    for (size_t i = 0; i < controls_.size(); ++i)
        controls_[i]->ParentWindowDestroying();
    KillTimersOf(handle_);
    DestroyWnd();
    controlState_ >> csDestroyingHandle;
}

void TWinControl::DestroyWnd() {
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
    bool destroying = GetComponentState().Contains(csDestroying);
    // A handler of WM_DESTROY may still use the window; a control being deleted gets no
    // messages from its base destructors.
    if (!destroying) Perform(WM_DESTROY, 0, 0);
    // A window destroyed while it is being told that it loses the focus (one re-created by
    // its WM_KILLFOCUS) was told already, and the focus is on its way elsewhere.
    if (Focused() && !(LosingFocus(this) && !destroying)) {
        if (!destroying) Perform(WM_KILLFOCUS, 0, 0);
        DropFocusRecord(this);
    }
    if (GetCaptureControl() && ContainsControl(GetCaptureControl())) SetCaptureControl(nullptr);
    UnregisterWindow(handle_);
    handle_ = nullptr;
    DeleteWidget();
    frame_.reset();
}

void TWinControl::ParentWindowCreated() {
    CreateHandle();
}
void TWinControl::ParentWindowDestroying() {
    DestroyHandle();
}

void TWinControl::RecreateWnd() {
    if (HandleAllocated()) Perform(CM_RECREATEWND, 0, 0);
}

void TWinControl::CMRecreateWnd(TMessage&) {
    // A window re-created while it loses the focus does not take it back.
    const bool wasFocused = Focused() && !LosingFocus(this);
    controlState_ << csRecreating;
    DestroyHandle();
    CreateHandle();
    controlState_ >> csRecreating;
    if (wasFocused && CanFocus()) SetFocus();
}

TRect TWinControl::GetClientRect() const {
    int b = border_;
    int w = width_ - 2 * b, h = height_ - 2 * b;
    if (frame_) {
        if (frame_->bars[SB_VERT].shown) w -= BarThickness(*this, SB_VERT);
        if (frame_->bars[SB_HORZ].shown) h -= BarThickness(*this, SB_HORZ);
    }
    // A hosted scroll area's bars are outside the client area too, while they show.
    if (QAbstractScrollArea* a = HostedArea(const_cast<TWinControl*>(this)))
        for (int bar : {SB_VERT, SB_HORZ}) {
            QScrollBar* sb = HostedBar(a, bar);
            if (!sb->isVisibleTo(a)) continue;
            const int t = sb->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, sb);
            (bar == SB_VERT ? w : h) -= t;
        }
    return Rect(0, 0, std::max(0, w), std::max(0, h));
}

void TWinControl::Invalidate() {
    invalidated_ = true;
    if (!widget_) return;
    if (!frame_ || HasNativeWidget()) {
        widget_->update();
        return;
    }
    const TRect client = GetClientRect();
    frame_->updateRegion += QRect(0, 0, client.Width(), client.Height());
    widget_->update(QRect(border_, border_, client.Width(), client.Height()));
}

void TWinControl::Update() {
    if (!widget_ || !widget_->isVisible()) return;
    if (!frame_ || HasNativeWidget()) {
        TControl::Update();
        return;
    }
    QRegion r = frame_->updateRegion.translated(border_, border_);
    if (frame_->frameInvalid) r += NonClientRegion(*this);
    if (!r.isEmpty()) widget_->repaint(r);
}

void TWinControl::BoundsChanged(bool Sized) {
    if (frame_ && Sized) frame_->frameInvalid = true;
    if (!Sized || !HandleAllocated()) return;
    TRect r = GetClientRect();
    Perform(WM_SIZE, SIZE_RESTORED,
            MAKELPARAM(static_cast<WORD>(r.Width()), static_cast<WORD>(r.Height())));
}

void TWinControl::Release() {
    PostMessage(GetHandle(), CM_RELEASE, 0, 0);
}

void TWinControl::CMRelease(TMessage&) {
    RequestDeferredDelete(this);
}

// --- dispatch ---

void TWinControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETFOCUS:
        return CallMessageHandler(this, &TWinControl::WMSetFocus, Message);
    case WM_KILLFOCUS:
        return CallMessageHandler(this, &TWinControl::WMKillFocus, Message);
    case WM_KEYDOWN:
        return CallMessageHandler(this, &TWinControl::WMKeyDown, Message);
    case WM_KEYUP:
        return CallMessageHandler(this, &TWinControl::WMKeyUp, Message);
    case WM_SYSKEYDOWN:
        return CallMessageHandler(this, &TWinControl::WMSysKeyDown, Message);
    case WM_SYSKEYUP:
        return CallMessageHandler(this, &TWinControl::WMSysKeyUp, Message);
    case WM_CHAR:
        return CallMessageHandler(this, &TWinControl::WMChar, Message);
    case CN_KEYDOWN:
        return CallMessageHandler(this, &TWinControl::CNKeyDown, Message);
    case CN_CHAR:
        return CallMessageHandler(this, &TWinControl::CNChar, Message);
    case CN_SYSKEYDOWN:
        return CallMessageHandler(this, &TWinControl::CNSysKeyDown, Message);
    case CN_SYSCHAR:
        return CallMessageHandler(this, &TWinControl::CNSysChar, Message);
    case CM_ENTER:
        return CallMessageHandler(this, &TWinControl::CMEnter, Message);
    case CM_EXIT:
        return CallMessageHandler(this, &TWinControl::CMExit, Message);
    case CM_DIALOGKEY:
        return CallMessageHandler(this, &TWinControl::CMDialogKey, Message);
    case CM_DIALOGCHAR:
        return CallMessageHandler(this, &TWinControl::CMDialogChar, Message);
    case CM_CHILDKEY:
        return CallMessageHandler(this, &TWinControl::CMChildKey, Message);
    case CM_ENABLEDCHANGED:
        return CallMessageHandler(this, &TWinControl::CMEnabledChanged, Message);
    case CM_FONTCHANGED:
        return CallMessageHandler(this, &TWinControl::CMFontChanged, Message);
    case CM_COLORCHANGED:
        return CallMessageHandler(this, &TWinControl::CMColorChanged, Message);
    case CM_SHOWHINTCHANGED:
        return CallMessageHandler(this, &TWinControl::CMShowHintChanged, Message);
    case CM_RELEASE:
        return CallMessageHandler(this, &TWinControl::CMRelease, Message);
    case CM_RECREATEWND:
        return CallMessageHandler(this, &TWinControl::CMRecreateWnd, Message);
    case WM_SIZE:
        return CallMessageHandler(this, &TWinControl::WMSize, Message);
    case WM_PAINT:
        return CallMessageHandler(this, &TWinControl::WMPaint, Message);
    case WM_ERASEBKGND:
        return CallMessageHandler(this, &TWinControl::WMEraseBkgnd, Message);
    case WM_NCPAINT:
        return CallMessageHandler(this, &TWinControl::WMNCPaint, Message);
    case WM_SETCURSOR:
        return CallMessageHandler(this, &TWinControl::WMSetCursor, Message);
    case WM_CLOSE:
        return CallMessageHandler(this, &TWinControl::WMClose, Message);
    case CM_VISIBLECHANGED:
        if (!GetVisible()) ForgetFocus(this);
        if (GetVisible() && frame_) frame_->frameInvalid = true;
        TControl::Dispatch(Message);
        if (GetVisible() && !parent_ && !GetComponentState().Contains(csLoading)) {
            HandleNeeded();
            if (widget_) widget_->show();
        }
        return;
    default:
        TControl::Dispatch(Message);
    }
}

void TWinControl::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETTEXT:
        TControl::DefaultHandler(Message);
        if (widget_ && !parent_) widget_->setWindowTitle(ToQString(text_));
        return;
    case WM_SETREDRAW:
        if (widget_) widget_->setUpdatesEnabled(Message.WParam != 0);
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
        // A hosted scroll area moves as asked; a window's own bars move only when told.
        if (HasNativeWidget())
            HostedScrollRequest(this, Message.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ,
                                static_cast<SHORT>(LOWORD(Message.WParam)),
                                static_cast<SHORT>(HIWORD(Message.WParam)));
        return;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        if (HasNativeWidget() && Message.WParam != 0) NativeKeyDefault(this, Message);
        return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        // Reflected to the control that asks for its colours.
        if (TWinControl* c = FindControl(reinterpret_cast<HWND>(Message.LParam)))
            Message.Result = c->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC:
        Message.Result = static_cast<LRESULT>(
            DefaultControlColor(this, reinterpret_cast<void*>(Message.WParam)));
        return;
    default:
        TControl::DefaultHandler(Message);
    }
}

// --- handlers ---

void TWinControl::WMSetFocus(TWMSetFocus& Message) {
    TControl::Dispatch(Message);
}
void TWinControl::WMKillFocus(TWMKillFocus& Message) {
    TControl::Dispatch(Message);
}

void TWinControl::CMEnter(TMessage&) {
    DoEnter();
}
void TWinControl::CMExit(TMessage&) {
    DoExit();
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::CMEnabledChanged(TMessage& Message) {
    if (!GetEnabled() && parent_) ForgetFocus(this);
    TControl::CMEnabledChanged(Message);
}

void TWinControl::CMFontChanged(TMessage& Message) {
    TControl::CMFontChanged(Message);
    NotifyChildren(CM_PARENTFONTCHANGED, 0, 0);
}

void TWinControl::CMColorChanged(TMessage& Message) {
    TControl::CMColorChanged(Message);
    NotifyChildren(CM_PARENTCOLORCHANGED, 0, 0);
}

void TWinControl::CMShowHintChanged(TMessage&) {
    NotifyChildren(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TWinControl::WMSize(TWMSize& Message) {
    Realign();
    if (!GetComponentState().Contains(csLoading)) Resize();
    TControl::Dispatch(Message);
}

void TWinControl::WMPaint(TWMPaint& Message) {
    if (HasNativeWidget())
        TControl::Dispatch(Message);
    else
        PaintWindow(Message.DC);
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::WMEraseBkgnd(TWMEraseBkgnd& Message) {
    Message.Result = 1;
    if (HasNativeWidget() || !widget_) return;
    if (Message.DC) {
        // A backing store: the background goes into it, through its device context.
        if (GetColor() == clNone) return;
        HBRUSH brush = CreateSolidBrush(ColorToRGB(GetColor()));
        TRect client = GetClientRect();
        FillRect(Message.DC, &client, brush);
        DeleteObject(brush);
        return;
    }
    QColor c = ToQColor(GetColor());
    if (!c.isValid()) return;
    if (!CurrentPaint(widget_)) return;
    QPainter p(widget_);
    int b = border_;
    p.fillRect(QRect(b, b, std::max(0, width_ - 2 * b), std::max(0, height_ - 2 * b)), c);
}

void TWinControl::WMNCPaint(TMessage&) {
    PaintDefaultFrame(*this);
}

void TWinControl::WMSetCursor(TWMSetCursor& Message) {
    Message.Result = 1;
    if (widget_ && Screen && Screen->GetCursor() == crDefault)
        ApplyCursorToWidget(widget_, GetCursor());
}

void TWinControl::WMClose(TMessage&) {
    if (!parent_) SetVisible(false);
}

// --- custom and graphic controls ---

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TCustomControl::PaintWindow(HDC) {
    TControlState state = GetControlState();
    SetControlState(state << csCustomPaint);
    auto alive = Watch();
    Paint();
    if (!alive.expired()) SetControlState(GetControlState() >> csCustomPaint);
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

void TGraphicControl::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_PAINT) {
        Paint();
        return;
    }
    TControl::Dispatch(Message);
}
