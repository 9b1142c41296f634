// TControl: properties, messages and mouse handling of every control.

#include "plataforma/gui/kernel/controls.h"

#include "plataforma/gui/input/cursor_map.h"
#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/kernel/dispatch_frame.h"
#include "plataforma/gui/kernel/hooked_widget.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/kernel/window_frame.h"
#include "plataforma/gui/kernel/window_registry.h"
#include "plataforma/gui/painting/paint_context.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <cstring>

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
    WindowProc = [this](TMessage& m) { WndProc(m); };
    controlStyle_ = {csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
}

TControl::~TControl() {
    Destroying();
    if (GetCaptureControl() == this) SetCaptureControl(nullptr);
    if (parent_) parent_->RemoveControl(this);
    DeleteWidget();
    alive_.reset();
}

void TControl::Loaded() {
    TComponent::Loaded();
    // Properties taken from the parent while loading settle now.
    if (parent_) {
        if (parentColor_) Perform(CM_PARENTCOLORCHANGED, 0, 0);
        if (parentFont_) Perform(CM_PARENTFONTCHANGED, 0, 0);
        if (parentShowHint_) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    }
}

// --- parent and geometry ---

void TControl::SetParent(TWinControl* AParent) {
    if (parent_ == AParent) return;
    if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (auto* self = dynamic_cast<TWinControl*>(this);
        self && AParent && self->ContainsControl(AParent))
        throw EInvalidOperation("A control cannot have one of its children as its parent");
    if (parent_) parent_->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
    bool sized = AWidth != width_ || AHeight != height_;
    left_ = ALeft;
    top_ = ATop;
    width_ = AWidth;
    height_ = AHeight;
    if (widget_) PlaceWidget();
    BoundsChanged(sized);
    RequestAlign();
}

void TControl::BoundsChanged(bool Sized) {
    if (Sized && !GetComponentState().Contains(csLoading)) Resize();
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

TRect TControl::GetClientRect() const {
    return Rect(0, 0, width_, height_);
}

void TControl::SetClientWidth(int Value) {
    SetWidth(Value + width_ - GetClientWidth());
}
void TControl::SetClientHeight(int Value) {
    SetHeight(Value + height_ - GetClientHeight());
}

TPoint TControl::GetClientOrigin() const {
    int b = GetBorderWidth();
    // A pop-up's bounds are screen coordinates, whatever its parent.
    if (parent_ && !(widget_ && widget_->isWindow())) {
        TPoint p = parent_->GetClientOrigin();
        const TPoint scroll = parent_->ChildScrollOffset();
        return {p.x + left_ - scroll.x + b, p.y + top_ - scroll.y + b};
    }
    if (widget_) return FromQPoint(widget_->mapToGlobal(QPoint(b, b)));
    return {left_ + b, top_ + b};
}

TPoint TControl::ClientToScreen(const TPoint& Point) const {
    TPoint o = GetClientOrigin();
    return {Point.x + o.x, Point.y + o.y};
}

TPoint TControl::ScreenToClient(const TPoint& Point) const {
    TPoint o = GetClientOrigin();
    return {Point.x - o.x, Point.y - o.y};
}

void TControl::SetAlign(TAlign Value) {
    if (align_ == Value) return;
    TAlign old = align_;
    align_ = Value;
    if (old != alNone || Value != alNone) RequestAlign();
}

void TControl::RequestAlign() {
    if (parent_) parent_->ChildLayoutChanged(this);
}

// --- state ---

void TControl::SetEnabled(bool Value) {
    if (enabled_ == Value) return;
    enabled_ = Value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetVisible(bool Value) {
    if (visible_ == Value) return;
    visible_ = Value;
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
    RequestAlign();
}

bool TControl::IsShowing() const {
    if (!visible_) return false;
    if (parent_) return parent_->IsShowing();
    return widget_ && widget_->isVisible();
}

void TControl::SetColor(TColor Value) {
    if (color_ == Value) return;
    color_ = Value;
    parentColor_ = false;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
    if (parentColor_ == Value) return;
    parentColor_ = Value;
    if (parent_ && Value) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
    if (parentFont_ == Value) return;
    parentFont_ = Value;
    if (parent_ && Value) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::FontChanged(TObject*) {
    parentFont_ = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
    if (showHint_ == Value) return;
    showHint_ = Value;
    parentShowHint_ = false;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
    if (parentShowHint_ == Value) return;
    parentShowHint_ = Value;
    if (parent_ && Value) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

AnsiString TControl::GetText() const {
    auto* self = const_cast<TControl*>(this);
    LRESULT len = self->Perform(WM_GETTEXTLENGTH, 0, 0);
    if (len <= 0) return AnsiString();
    std::string buf(static_cast<size_t>(len) + 1, '\0');
    LRESULT got = self->Perform(WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, len)));
    return AnsiString(std::move(buf));
}

void TControl::SetText(const AnsiString& Value) {
    if (GetText() == Value) return;
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor Value) {
    if (cursor_ == Value) return;
    cursor_ = Value;
    if (widget_) ApplyCursorToWidget(widget_, cursor_);
    Perform(CM_CURSORCHANGED, 0, 0);
}

bool TControl::GetMouseCapture() const {
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value) {
    if (GetMouseCapture() == Value) return;
    SetCaptureControl(Value ? this : nullptr);
}

// --- painting and order ---

void TControl::Invalidate() {
    invalidated_ = true;
    if (widget_) widget_->update();
}

void TControl::Update() {
    if (widget_ && invalidated_ && widget_->isVisible()) widget_->repaint();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (!parent_) {
        if (widget_) widget_->raise();
        return;
    }
    parent_->MoveChildInZOrder(this, true);
}

void TControl::SendToBack() {
    if (!parent_) {
        if (widget_) widget_->lower();
        return;
    }
    parent_->MoveChildInZOrder(this, false);
}

// --- widget ---

void TControl::SetWidget(QWidget* Widget, bool Native) {
    widget_ = Widget;
    nativeWidget_ = Native;
    RegisterWidget(Widget, this);
    ApplyWidgetState();
}

void TControl::DeleteWidget() {
    if (!widget_) return;
    QWidget* w = widget_;
    widget_ = nullptr;
    invalidated_ = false;
    UnregisterWidget(w);
    if (WidgetHook* hook = HookOf(w)) hook->control = nullptr;
    if (IsDispatching()) {
        // Qt may be inside this widget's own event: let it finish first.
        w->hide();
        w->deleteLater();
    } else {
        delete w;
    }
}

void TControl::PlaceWidget() {
    // A window of its own (a pop-up) takes screen coordinates.
    if (!parent_ || widget_->isWindow()) {
        widget_->setGeometry(left_, top_, width_, height_);
        return;
    }
    const int pb = parent_->GetBorderWidth();
    const TPoint scroll = parent_->ChildScrollOffset();
    const TRect g = Bounds(left_ + pb - scroll.x, top_ + pb - scroll.y, width_, height_);
    widget_->setGeometry(g.Left, g.Top, width_, height_);
    if (parent_->ScrollsChildren() || clipped_) ClipToParentClient(g);
}

void TControl::ClipToParentClient(const TRect& Geometry) {
    const int pb = parent_->GetBorderWidth();
    const QRect client(pb, pb, parent_->GetClientWidth(), parent_->GetClientHeight());
    const QRect g(Geometry.Left, Geometry.Top, Geometry.Width(), Geometry.Height());
    const auto* self = dynamic_cast<const TWinControl*>(this);
    const WindowFrame* frame = self ? self->GetWindowFrame() : nullptr;
    const bool shaped = frame && frame->shape;
    if (!parent_->ScrollsChildren() || client.contains(g)) {
        if (!clipped_) return;
        clipped_ = false;
        if (shaped)
            widget_->setMask(*frame->shape);
        else
            widget_->clearMask();
        return;
    }
    QRegion shown(client.intersected(g).translated(-g.topLeft()));
    if (shaped) shown &= *frame->shape;
    // An empty mask is no mask at all: a widget wholly outside keeps one pixel beyond its
    // corner, which shows nothing.
    if (shown.isEmpty()) shown = QRegion(-1, -1, 1, 1);
    widget_->setMask(shown);
    clipped_ = true;
}

void TControl::ApplyWidgetState() {
    if (!widget_) return;
    PlaceWidget();
    widget_->setEnabled(enabled_);
    widget_->setFont(ToQFont(*font_));
    ApplyCursorToWidget(widget_, cursor_);
    widget_->setVisible(visible_);
}

void TControl::ParentWindowCreated() {
    if (widget_ || !parent_ || !parent_->GetWidget()) return;
    auto* w = new HookedWidget<QWidget>(this, parent_->GetWidget());
    w->setFocusPolicy(Qt::NoFocus);
    SetWidget(w, false);
    // Windowless controls lie below their windowed siblings.
    for (TWinControl* sibling : parent_->winControls_)
        if (sibling->GetWidget()) {
            w->stackUnder(sibling->GetWidget());
            break;
        }
}

void TControl::ParentWindowDestroying() {
    DeleteWidget();
}

// --- messages ---

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage m{Msg, WParam, LParam, 0};
    DispatchFrame frame(this);
    if (WindowProc)
        WindowProc(m);
    else
        WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& Message) {
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
        // Without csDoubleClicks a second click is just another press.
        if (!controlStyle_.Contains(csDoubleClicks) &&
            (Message.Msg == WM_LBUTTONDBLCLK || Message.Msg == WM_RBUTTONDBLCLK ||
             Message.Msg == WM_MBUTTONDBLCLK))
            Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) &&
            dragMode_ == dmAutomatic) {
            // The press starts a drag once the pointer moves; the control sees no press.
            BeginDrag(false);
            return;
        }
        if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK)
            controlState_ << csLButtonDown;
        else if (Message.Msg == WM_LBUTTONUP)
            controlState_ >> csLButtonDown;
    }
    Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
        return CallMessageHandler(this, &TControl::WMLButtonDown, Message);
    case WM_LBUTTONUP:
        return CallMessageHandler(this, &TControl::WMLButtonUp, Message);
    case WM_LBUTTONDBLCLK:
        return CallMessageHandler(this, &TControl::WMLButtonDblClk, Message);
    case WM_RBUTTONDOWN:
        return CallMessageHandler(this, &TControl::WMRButtonDown, Message);
    case WM_RBUTTONUP:
        return CallMessageHandler(this, &TControl::WMRButtonUp, Message);
    case WM_RBUTTONDBLCLK:
        return CallMessageHandler(this, &TControl::WMRButtonDblClk, Message);
    case WM_MBUTTONDOWN:
        return CallMessageHandler(this, &TControl::WMMButtonDown, Message);
    case WM_MBUTTONUP:
        return CallMessageHandler(this, &TControl::WMMButtonUp, Message);
    case WM_MBUTTONDBLCLK:
        return CallMessageHandler(this, &TControl::WMMButtonDblClk, Message);
    case WM_MOUSEMOVE:
        return CallMessageHandler(this, &TControl::WMMouseMove, Message);
    case WM_MOUSEWHEEL:
        return CallMessageHandler(this, &TControl::WMMouseWheel, Message);
    case WM_CANCELMODE:
        return CallMessageHandler(this, &TControl::WMCancelMode, Message);
    case CM_ENABLEDCHANGED:
        return CallMessageHandler(this, &TControl::CMEnabledChanged, Message);
    case CM_VISIBLECHANGED:
        return CallMessageHandler(this, &TControl::CMVisibleChanged, Message);
    case CM_COLORCHANGED:
        return CallMessageHandler(this, &TControl::CMColorChanged, Message);
    case CM_FONTCHANGED:
        return CallMessageHandler(this, &TControl::CMFontChanged, Message);
    case CM_PARENTCOLORCHANGED:
        return CallMessageHandler(this, &TControl::CMParentColorChanged, Message);
    case CM_PARENTFONTCHANGED:
        return CallMessageHandler(this, &TControl::CMParentFontChanged, Message);
    case CM_PARENTSHOWHINTCHANGED:
        return CallMessageHandler(this, &TControl::CMParentShowHintChanged, Message);
    case CM_HINTSHOW:
        return CallMessageHandler(this, &TControl::CMHintShow, Message);
    case WM_CONTEXTMENU:
        return CallMessageHandler(this, &TControl::WMContextMenu, Message);
    default:
        DefaultHandler(Message);
    }
}

void TControl::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETTEXT: {
        const char* s = reinterpret_cast<const char*>(Message.LParam);
        text_ = AnsiString(s ? s : "");
        Message.Result = TRUE;
        break;
    }
    case WM_GETTEXTLENGTH:
        Message.Result = text_.Length();
        break;
    case WM_GETTEXT: {
        char* buf = reinterpret_cast<char*>(Message.LParam);
        if (!buf || Message.WParam == 0) {
            Message.Result = 0;
            break;
        }
        size_t n = std::min<size_t>(Message.WParam - 1, static_cast<size_t>(text_.Length()));
        std::memcpy(buf, text_.c_str(), n);
        buf[n] = '\0';
        Message.Result = static_cast<LRESULT>(n);
        break;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
        DefaultMouseMessage(Message);
        break;
    case WM_PAINT:
        if (nativeWidget_ && widget_)
            if (PaintContext* pc = CurrentPaint(widget_)) HookOf(widget_)->CallBaseEvent(pc->event);
        break;
    default:
        break;
    }
}

// The widget's own handling of a mouse message; a wheel that a plain widget does not use
// goes on to the parent, as the window system's default does.
void TControl::DefaultMouseMessage(TMessage& Message) {
    if (!widget_ || !nativeWidget_) {
        if (Message.Msg == WM_MOUSEWHEEL && parent_)
            Message.Result = parent_->Perform(WM_MOUSEWHEEL, Message.WParam, Message.LParam);
        return;
    }
    WidgetHook* hook = HookOf(widget_);
    if (!hook) return;
    WORD keys = LOWORD(Message.WParam);
    Qt::MouseButtons buttons;
    if (keys & MK_LBUTTON) buttons |= Qt::LeftButton;
    if (keys & MK_RBUTTON) buttons |= Qt::RightButton;
    if (keys & MK_MBUTTON) buttons |= Qt::MiddleButton;
    Qt::KeyboardModifiers mods;
    if (keys & MK_SHIFT) mods |= Qt::ShiftModifier;
    if (keys & MK_CONTROL) mods |= Qt::ControlModifier;
    if (GetKeyState(VK_MENU) < 0) mods |= Qt::AltModifier;
    if (Message.Msg == WM_MOUSEWHEEL) {
        QPointF global(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        QPointF local = widget_->mapFromGlobal(global);
        int delta = static_cast<SHORT>(HIWORD(Message.WParam));
        QWheelEvent ev(local, global, QPoint(), QPoint(0, delta), buttons, mods, Qt::NoScrollPhase,
                       false);
        hook->CallBaseEvent(&ev);
        return;
    }
    int b = GetBorderWidth();
    QPointF local(GET_X_LPARAM(Message.LParam) + b, GET_Y_LPARAM(Message.LParam) + b);
    QPointF global = widget_->mapToGlobal(local);
    QEvent::Type type = QEvent::MouseMove;
    Qt::MouseButton button = Qt::NoButton;
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
        type = QEvent::MouseButtonPress, button = Qt::LeftButton;
        break;
    case WM_RBUTTONDOWN:
        type = QEvent::MouseButtonPress, button = Qt::RightButton;
        break;
    case WM_MBUTTONDOWN:
        type = QEvent::MouseButtonPress, button = Qt::MiddleButton;
        break;
    case WM_LBUTTONUP:
        type = QEvent::MouseButtonRelease, button = Qt::LeftButton;
        break;
    case WM_RBUTTONUP:
        type = QEvent::MouseButtonRelease, button = Qt::RightButton;
        break;
    case WM_MBUTTONUP:
        type = QEvent::MouseButtonRelease, button = Qt::MiddleButton;
        break;
    case WM_LBUTTONDBLCLK:
        type = QEvent::MouseButtonDblClick, button = Qt::LeftButton;
        break;
    case WM_RBUTTONDBLCLK:
        type = QEvent::MouseButtonDblClick, button = Qt::RightButton;
        break;
    case WM_MBUTTONDBLCLK:
        type = QEvent::MouseButtonDblClick, button = Qt::MiddleButton;
        break;
    default:
        break;
    }
    QMouseEvent ev(type, local, local, global, button, buttons, mods);
    hook->CallBaseEvent(&ev);
}

// --- mouse handlers ---

namespace {

// The control that has the focus inside the window of c, told to close what it has open
// (drop-down lists, in-place editors) when the mouse goes down elsewhere.
void SendCancelMode(TControl* sender) {
    TWinControl* focused = FocusedControl();
    if (!focused || focused == sender) return;
    TControl* top = sender;
    while (top->GetParent())
        top = top->GetParent();
    auto* root = dynamic_cast<TWinControl*>(top);
    if (root && root->ContainsControl(focused))
        focused->Perform(CM_CANCELMODE, 0, reinterpret_cast<LPARAM>(sender));
}

} // namespace

void TControl::DoMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift) {
    if (controlStyle_.Contains(csNoStdEvents)) return;
    MouseDown(Button, KeysToShiftState(LOWORD(Message.Keys)) + Shift, Message.XPos, Message.YPos);
}

void TControl::DoMouseUp(TWMMouse& Message, TMouseButton Button) {
    if (controlStyle_.Contains(csNoStdEvents)) return;
    MouseUp(Button, KeysToShiftState(LOWORD(Message.Keys)), Message.XPos, Message.YPos);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::WMLButtonDown(TWMMouse& Message) {
    auto alive = Watch();
    SendCancelMode(this);
    if (alive.expired()) return;
    DefaultHandler(Message);
    if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (controlStyle_.Contains(csClickEvents)) controlState_ << csClicked;
    DoMouseDown(Message, mbLeft, {});
}

void TControl::WMLButtonUp(TWMMouse& Message) {
    auto alive = Watch();
    DefaultHandler(Message);
    if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
    if (controlState_.Contains(csClicked)) {
        controlState_ >> csClicked;
        if (PtInRect(GetClientRect(), Message.Pos())) Click();
        if (alive.expired()) return;
    }
    DoMouseUp(Message, mbLeft);
}

void TControl::WMLButtonDblClk(TWMMouse& Message) {
    auto alive = Watch();
    SendCancelMode(this);
    if (alive.expired()) return;
    DefaultHandler(Message);
    if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (controlStyle_.Contains(csClickEvents)) DblClick();
    if (alive.expired()) return;
    DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMRButtonDown(TWMMouse& Message) {
    DefaultHandler(Message);
    DoMouseDown(Message, mbRight, {});
}

void TControl::WMRButtonUp(TWMMouse& Message) {
    auto alive = Watch();
    DefaultHandler(Message);
    if (alive.expired()) return;
    // Part of the window system's default for a released right button: the context menu,
    // asked for with the pointer in screen coordinates, before the mouse-up event.
    TPoint p = ClientToScreen(Message.Pos());
    TWinControl* window = dynamic_cast<TWinControl*>(this);
    if (!window) window = parent_;
    HWND h = window && window->HandleAllocated() ? window->GetHandle() : nullptr;
    Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), PointToLParam(p.x, p.y));
    if (alive.expired()) return;
    DoMouseUp(Message, mbRight);
}

void TControl::WMRButtonDblClk(TWMMouse& Message) {
    DefaultHandler(Message);
    DoMouseDown(Message, mbRight, {ssDouble});
}

void TControl::WMMButtonDown(TWMMouse& Message) {
    DefaultHandler(Message);
    DoMouseDown(Message, mbMiddle, {});
}

void TControl::WMMButtonUp(TWMMouse& Message) {
    DefaultHandler(Message);
    DoMouseUp(Message, mbMiddle);
}

void TControl::WMMButtonDblClk(TWMMouse& Message) {
    DefaultHandler(Message);
    DoMouseDown(Message, mbMiddle, {ssDouble});
}

void TControl::WMMouseMove(TWMMouse& Message) {
    DefaultHandler(Message);
    if (!controlStyle_.Contains(csNoStdEvents))
        MouseMove(KeysToShiftState(LOWORD(Message.Keys)), Message.XPos, Message.YPos);
}

void TControl::WMMouseWheel(TWMMouseWheel& Message) {
    Message.Result = 0;
    TShiftState shift = KeysToShiftState(Message.Keys);
    if (DoMouseWheel(shift, Message.WheelDelta, Message.Pos()))
        Message.Result = 1;
    else
        DefaultHandler(Message);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (handled) return true;
    return WheelDelta < 0 ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    bool handled = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
    return handled;
}

void TControl::WMCancelMode(TMessage& Message) {
    if (GetMouseCapture()) SetMouseCapture(false);
    DefaultHandler(Message);
}

// --- notifications ---

void TControl::CMEnabledChanged(TMessage&) {
    if (widget_) widget_->setEnabled(enabled_);
    Invalidate();
}

void TControl::CMVisibleChanged(TMessage&) {
    if (widget_) widget_->setVisible(visible_);
}

void TControl::CMColorChanged(TMessage&) {
    Invalidate();
}

void TControl::CMFontChanged(TMessage&) {
    if (widget_) widget_->setFont(ToQFont(*font_));
    Invalidate();
}

void TControl::CMParentColorChanged(TMessage& Message) {
    if (!parentColor_ || !parent_) return;
    SetColor(Message.WParam ? static_cast<TColor>(Message.LParam) : parent_->color_);
    parentColor_ = true;
}

void TControl::CMParentFontChanged(TMessage& Message) {
    if (!parentFont_ || !parent_) return;
    SetFont(Message.WParam ? reinterpret_cast<TFont*>(Message.LParam) : parent_->font_.get());
    parentFont_ = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
    if (!parentShowHint_ || !parent_) return;
    SetShowHint(parent_->showHint_);
    parentShowHint_ = true;
}

void TControl::CMHintShow(TCMHintShow& Message) {
    Message.Result = 0;
}
