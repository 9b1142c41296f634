#pragma once
// The controls of the class library on Qt Widgets.
// TControl: a rectangle with a parent, an owner, colours, font, text and mouse messages.
// TWinControl: a control with its own window, children, focus and keyboard messages.
// TCustomControl / TGraphicControl: a windowed / windowless control that paints itself.
// Each control owns its QWidget; Qt never deletes one. Qt events arrive as window messages
// through WindowProc -> WndProc -> Dispatch -> the per-class handlers; what no handler
// consumes reaches DefaultHandler, which applies the widget's own behaviour.

#include "plataforma/base/component.h"
#include "plataforma/base/events.h"
#include "plataforma/gui/input/cursors.h"
#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/kernel/messages.h"
#include "plataforma/gui/painting/colors.h"
#include "plataforma/gui/painting/font.h"

#include <memory>
#include <vector>

class QWidget;
class QEvent;
class QPaintEvent;
class TWinControl;
class TCanvas;
class TControlCanvas;
class TPopupMenu;
struct WindowFrame;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

// The alignment of text in the standard controls (memos, labels, panels).
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TControlStyleItem {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csNeedsBorderPaint,
    csParentBackground
};
using TControlStyle = SmallSet<TControlStyleItem>;

enum TControlStateItem {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking,
    csRecreating
};
using TControlState = SmallSet<TControlStateItem>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Dragging inside the application: dmAutomatic starts a drag on a left press.
enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
// What a drag carries when OnStartDrag makes one; otherwise the source control is the
// Source that targets see. The one who makes it frees it.
class TDragObject : public TObject {};
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y,
                                          TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;

// Window styles: the ones that the layer acts on, and those the controls set.
enum : DWORD {
    WS_OVERLAPPED = 0x00000000,
    WS_TABSTOP = 0x00010000,
    WS_GROUP = 0x00020000,
    WS_THICKFRAME = 0x00040000,
    WS_SYSMENU = 0x00080000,
    WS_HSCROLL = 0x00100000,
    WS_VSCROLL = 0x00200000,
    WS_DLGFRAME = 0x00400000,
    WS_BORDER = 0x00800000,
    WS_CAPTION = 0x00C00000,
    WS_MAXIMIZE = 0x01000000,
    WS_CLIPCHILDREN = 0x02000000,
    WS_CLIPSIBLINGS = 0x04000000,
    WS_DISABLED = 0x08000000,
    WS_VISIBLE = 0x10000000,
    WS_MINIMIZE = 0x20000000,
    WS_CHILD = 0x40000000,
    WS_POPUP = 0x80000000,
};
enum : DWORD {
    WS_EX_DLGMODALFRAME = 0x00000001,
    WS_EX_TOPMOST = 0x00000008,
    WS_EX_TRANSPARENT = 0x00000020,
    WS_EX_TOOLWINDOW = 0x00000080,
    WS_EX_WINDOWEDGE = 0x00000100,
    WS_EX_CLIENTEDGE = 0x00000200,
    WS_EX_STATICEDGE = 0x00020000,
};

// What CreateParams decides about the window about to be made.
struct TCreateParams {
    AnsiString Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    AnsiString WinClassName;
};

// THintInfo and CM_HINTSHOW are in messages.h.

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // --- parent and geometry ---
    TWinControl* GetParent() const { return parent_; }
    virtual void SetParent(TWinControl* AParent);
    int GetLeft() const { return left_; }
    int GetTop() const { return top_; }
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    void SetLeft(int Value) { SetBounds(Value, top_, width_, height_); }
    void SetTop(int Value) { SetBounds(left_, Value, width_, height_); }
    void SetWidth(int Value) { SetBounds(left_, top_, Value, height_); }
    void SetHeight(int Value) { SetBounds(left_, top_, width_, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect GetBoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    // The client area in client coordinates: the bounds less the border of a windowed control.
    virtual TRect GetClientRect() const;
    int GetClientWidth() const { return GetClientRect().Width(); }
    int GetClientHeight() const { return GetClientRect().Height(); }
    void SetClientWidth(int Value);
    void SetClientHeight(int Value);
    // Screen position of the client area's origin.
    TPoint GetClientOrigin() const;
    TPoint ClientToScreen(const TPoint& Point) const;
    TPoint ScreenToClient(const TPoint& Point) const;
    TAlign GetAlign() const { return align_; }
    void SetAlign(TAlign Value);

    // --- state ---
    bool GetEnabled() const { return enabled_; }
    virtual void SetEnabled(bool Value);
    bool GetVisible() const { return visible_; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent up to a shown top-level window visible too.
    virtual bool IsShowing() const;
    TColor GetColor() const { return color_; }
    void SetColor(TColor Value);
    bool GetParentColor() const { return parentColor_; }
    void SetParentColor(bool Value);
    TFont* GetFont() const { return font_.get(); }
    void SetFont(TFont* Value) { font_->Assign(Value); }
    bool GetParentFont() const { return parentFont_; }
    void SetParentFont(bool Value);
    AnsiString GetText() const;
    void SetText(const AnsiString& Value);
    AnsiString GetCaption() const { return GetText(); }
    void SetCaption(const AnsiString& Value) { SetText(Value); }
    const AnsiString& GetHint() const { return hint_; }
    void SetHint(const AnsiString& Value) { hint_ = Value; }
    bool GetShowHint() const { return showHint_; }
    void SetShowHint(bool Value);
    bool GetParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool Value);
    TCursor GetCursor() const { return cursor_; }
    void SetCursor(TCursor Value);
    TControlStyle GetControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle Value) { controlStyle_ = Value; }
    TControlState GetControlState() const { return controlState_; }
    void SetControlState(TControlState Value) { controlState_ = Value; }
    // The menu shown on a right click (WM_CONTEXTMENU); its shortcuts are matched first
    // while this control or one inside it has the focus.
    TPopupMenu* GetPopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* Value);
    bool GetMouseCapture() const;
    void SetMouseCapture(bool Value);

    // --- painting ---
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // --- messages ---
    // Sends a message to this control's WindowProc and returns its result.
    LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
    // Replaceable: the controls hook a control's messages by assigning their own procedure and
    // calling the saved one.
    TWndMethod WindowProc;
    virtual void WndProc(TMessage& Message);
    // Finds this class's handler for the message; without one, the base class's; at the
    // root, DefaultHandler. A handler's "inherited" is Base::Dispatch(Message).
    virtual void Dispatch(TMessage& Message);
    // The window's own behaviour for a message that no handler consumed.
    virtual void DefaultHandler(TMessage& Message);

    virtual void Click();
    virtual void DblClick();

    // --- dragging inside the application ---
    TDragMode GetDragMode() const { return dragMode_; }
    void SetDragMode(TDragMode Value) { dragMode_ = Value; }
    // Starts a drag from this control: at once, or once the pointer has moved Threshold
    // pixels (-1: the system's 5) with the button held.
    void BeginDrag(bool Immediate, int Threshold = -1);
    // Ends the drag of this control: dropped where the pointer is, or cancelled.
    void EndDrag(bool Drop);
    bool Dragging() const;
    // A drag passes over this control (Accept says whether it may drop here); the base
    // answers through OnDragOver, refusing when it is not assigned.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, int X, int Y);
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;
    TStartDragEvent OnStartDrag;

    // The widget that shows this control; nullptr until the parent's window exists.
    QWidget* GetWidget() const { return widget_; }
    // Offset of the client area inside the widget (the border drawn by WM_NCPAINT).
    virtual int GetBorderWidth() const { return 0; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;

    // --- inside the platform layer ---
    // A Qt event of this control's widget, turned into messages; returns whether Qt should
    // consider it handled.
    bool HandleWidgetEvent(QEvent* Event);
    // Watches this control's life: expired once it is destroyed.
    std::weak_ptr<int> Watch() const { return alive_; }
    // True while a message or a Qt event of this control is being handled.
    bool IsDispatching() const { return dispatchDepth_ > 0; }
    // The widget is the window system's own control (an edit, a list), not a plain surface.
    bool HasNativeWidget() const { return nativeWidget_; }

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void Resize();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    // The drag of this control ended over Target (nullptr: cancelled or refused).
    virtual void DoEndDrag(TObject* Target, int X, int Y);
    virtual void DoStartDrag(TDragObject*& DragObject);
    // Asks the parent to lay out its aligned children again.
    void RequestAlign();
    // Sends a message to every child (TWinControl) or to nobody (TControl).
    virtual void NotifyChildren(UINT Msg, WPARAM WParam, LPARAM LParam) {
        (void)Msg, (void)WParam, (void)LParam;
    }

    // Handlers of TControl.
    void WMLButtonDown(TWMMouse& Message);
    void WMLButtonUp(TWMMouse& Message);
    void WMLButtonDblClk(TWMMouse& Message);
    void WMRButtonDown(TWMMouse& Message);
    void WMRButtonUp(TWMMouse& Message);
    void WMRButtonDblClk(TWMMouse& Message);
    void WMMButtonDown(TWMMouse& Message);
    void WMMButtonUp(TWMMouse& Message);
    void WMMButtonDblClk(TWMMouse& Message);
    void WMMouseMove(TWMMouse& Message);
    void WMMouseWheel(TWMMouseWheel& Message);
    void WMCancelMode(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMParentColorChanged(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMParentShowHintChanged(TMessage& Message);
    void CMHintShow(TCMHintShow& Message);
    void WMContextMenu(TMessage& Message);

    // A control that paints through a canvas's backing store opens it for a paint event
    // (returning the device context that WM_ERASEBKGND and WM_PAINT then carry, and whether
    // they must run at all: not when the store already holds the area) and closes it
    // afterwards, copying the store to the screen.
    virtual HDC BeginPaintStore(QPaintEvent* Event, bool& RunMessages) {
        (void)Event;
        RunMessages = true;
        return nullptr;
    }
    virtual void EndPaintStore(QPaintEvent* Event) { (void)Event; }

    // The control's bounds changed: TWinControl sends WM_SIZE; others call Resize.
    virtual void BoundsChanged(bool Sized);
    // Applies the bounds, visibility, enabled state, font and cursor to the widget.
    virtual void ApplyWidgetState();
    // Puts the widget where the bounds say (a form places its window around it instead).
    virtual void PlaceWidget();
    // Creates or deletes the widget of a windowless control with its parent's window.
    virtual void ParentWindowCreated();
    virtual void ParentWindowDestroying();
    void SetWidget(QWidget* Widget, bool Native);
    void DeleteWidget();
    // Shows only the part of the widget (at Geometry, in the parent's widget) that lies in
    // the parent's client area, as the window system clips a child window.
    void ClipToParentClient(const TRect& Geometry);

    int dispatchDepth_ = 0;

private:
    friend class TWinControl;
    friend struct DispatchFrame;
    friend struct DragAccess;
    void DoMouseDown(TWMMouse& Message, TMouseButton Button, TShiftState Shift);
    void DoMouseUp(TWMMouse& Message, TMouseButton Button);
    void FontChanged(TObject* Sender);
    void DefaultMouseMessage(TMessage& Message);
    void HandlePaintEvent(QEvent* Event);
    bool HandleMouseEvent(QEvent* Event);
    bool HandleHintEvent(QEvent* Event);

    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = alNone;
    bool enabled_ = true;
    bool visible_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = true;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    AnsiString text_;
    AnsiString hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TCursor cursor_ = crDefault;
    TDragMode dragMode_ = dmManual;
    TPopupMenu* popupMenu_ = nullptr;
    TControlStyle controlStyle_;
    TControlState controlState_;
    QWidget* widget_ = nullptr;
    bool nativeWidget_ = false;
    bool invalidated_ = false;
    bool clipped_ = false; // ClipToParentClient gave the widget a mask
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    // Destroys its children (the controls whose parent it is) and its window.
    ~TWinControl() override;

    // --- window ---
    // The window handle, made (with the parents' windows) when first asked for.
    HWND GetHandle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    // Destroys and remakes the window (and its children's), keeping the focus.
    void RecreateWnd();
    int GetBorderWidth() const override { return border_; }
    // The bounds less the border and the scroll bars shown.
    TRect GetClientRect() const override;
    // Marks the client area to be painted again (InvalidateRect of all of it).
    void Invalidate() override;
    // Paints now what is marked, and only that.
    void Update() override;

    // --- children ---
    int GetControlCount() const;
    // Windowless children first, then windowed ones, each in insertion order.
    TControl* GetControls(int Index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    // True for this control and its descendants.
    bool ContainsControl(const TControl* Control) const;
    // The topmost visible child at a client point.
    TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled,
                           bool AllowWinControls = false) const;
    // Sends the message to each child until one returns a result other than 0.
    void Broadcast(TMessage& Message);
    // Paints the visible windowless children (from First on in their order; all for
    // nullptr) into a device context whose origin is this control's client area, as a
    // transparent child that shows its parent through itself asks.
    void PaintControls(HDC DC, TControl* First);

    // --- layout ---
    void DisableAlign();
    void EnableAlign();
    void Realign();
    void AlignControl(TControl* AControl);

    // --- focus ---
    bool GetTabStop() const { return tabStop_; }
    void SetTabStop(bool Value);
    int GetTabOrder() const;
    void SetTabOrder(int Value);
    // Visible and enabled, with every parent up to the top-level window.
    virtual bool CanFocus() const;
    bool Focused() const;
    // Raises EInvalidOperation for a control that cannot take the focus.
    virtual void SetFocus();
    // Gives the focus to the control after (before) CurControl in the tab order.
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                 bool CheckParent) const;
    // This control's windowed descendants in tab order.
    void GetTabOrderList(std::vector<TWinControl*>& List) const;

    // Deletes this control once the messages waiting before it have been handled (the class
    // library's Release of a form).
    void Release();

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // --- inside the platform layer ---
    // The key-dialog root: the first ancestor that is a form, or the top-level control.
    TWinControl* KeyDialogRoot();
    // The control last focused inside this top-level window.
    TWinControl* GetFocusedWithin() const { return focusedWithin_; }
    void SetFocusedWithin(TWinControl* Control) { focusedWithin_ = Control; }
    // A form answers true (the key-dialog root); its KeyPreview turns on key preview.
    virtual bool IsForm() const { return false; }
    // A wide window: its character messages carry code points (above 0xFF: outside the
    // code page), its text keeps every character.
    virtual bool IsUnicodeWindow() const { return false; }
    virtual bool KeyPreviewEnabled() const { return false; }
    // A menu shortcut handled by the root before the key reaches the control.
    virtual bool IsShortCut(TWMKey& Message) {
        (void)Message;
        return false;
    }
    // The non-client area and the update region; nullptr while the window does not exist.
    WindowFrame* GetWindowFrame() const { return frame_.get(); }
    // A control that scrolls its children (a scroll box) answers true: each child keeps its
    // bounds, is shown moved back by ChildScrollOffset and clipped to the client area, and
    // every move, resize, show or hide of a child re-runs this control's align pass.
    virtual bool ScrollsChildren() const { return false; }
    virtual TPoint ChildScrollOffset() const { return TPoint{0, 0}; }

protected:
    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    // Makes the widget (a subclass makes its own Qt widget and hands it to SetWidget).
    virtual void CreateWindowHandle(const TCreateParams& Params);
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    void CreateHandle();
    void DestroyHandle();
    virtual void AlignControls(TControl* AControl, TRect& Rect);
    virtual void AdjustClientRect(TRect& Rect);
    // Puts every child's widget where its bounds (and this control's scroll) say.
    void PlaceChildWidgets();
    virtual void DoEnter();
    virtual void DoExit();
    virtual bool DoKeyDown(TWMKey& Message);
    virtual bool DoKeyUp(TWMKey& Message);
    virtual bool DoKeyPress(TWMKey& Message);
    virtual void KeyDown(WORD& Key, TShiftState Shift);
    virtual void KeyUp(WORD& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    // Paints the client area after the background (TCustomControl paints itself here).
    virtual void PaintWindow(HDC DC);

    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void NotifyChildren(UINT Msg, WPARAM WParam, LPARAM LParam) override;
    void BoundsChanged(bool Sized) override;
    void ApplyWidgetState() override;
    void ParentWindowCreated() override;
    void ParentWindowDestroying() override;

    // Handlers of TWinControl.
    void WMSetFocus(TWMSetFocus& Message);
    void WMKillFocus(TWMKillFocus& Message);
    void WMKeyDown(TWMKey& Message);
    void WMKeyUp(TWMKey& Message);
    void WMSysKeyDown(TWMKey& Message);
    void WMSysKeyUp(TWMKey& Message);
    void WMChar(TWMKey& Message);
    void CNKeyDown(TWMKey& Message);
    void CNChar(TWMKey& Message);
    void CNSysKeyDown(TWMKey& Message);
    void CNSysChar(TWMKey& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);
    void CMDialogKey(TWMKey& Message);
    void CMDialogChar(TWMKey& Message);
    void CMChildKey(TWMKey& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMShowHintChanged(TMessage& Message);
    void CMRelease(TMessage& Message);
    void CMRecreateWnd(TMessage& Message);
    void WMSize(TWMSize& Message);
    void WMPaint(TWMPaint& Message);
    void WMEraseBkgnd(TWMEraseBkgnd& Message);
    void WMNCPaint(TMessage& Message);
    void WMSetCursor(TWMSetCursor& Message);
    void WMClose(TMessage& Message);

private:
    friend class TControl;
    void MoveChildInZOrder(TControl* Child, bool ToFront);
    // The align pass that a change of the child calls for: aligned children, and every
    // child of a control that scrolls them.
    void ChildLayoutChanged(TControl* Child);
    bool DoKeyUpDown(TWMKey& Message, bool Up);
    std::vector<TControl*> controls_;       // windowless children
    std::vector<TWinControl*> winControls_; // windowed children
    std::vector<TWinControl*> tabList_;
    HWND handle_ = nullptr;
    std::unique_ptr<WindowFrame> frame_;
    int border_ = 0;
    bool tabStop_ = false;
    int alignLevel_ = 0;
    TWinControl* focusedWithin_ = nullptr;
};

// A windowed control that paints itself (grids, custom-drawn controls). Its canvas draws
// into a backing store kept between paints, so that drawing made outside WM_PAINT (from a
// mouse handler, with an XOR pen) stays on screen until the area is invalidated.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;

    TCanvas* GetCanvas() const;
    void Invalidate() override;

protected:
    // Draws the client area; called for WM_PAINT.
    virtual void Paint() {}
    void PaintWindow(HDC DC) override;
    HDC BeginPaintStore(QPaintEvent* Event, bool& RunMessages) override;
    void EndPaintStore(QPaintEvent* Event) override;

private:
    mutable std::unique_ptr<TControlCanvas> canvas_;
};

// A windowless control that paints itself on its area of the parent, through a backing
// store as TCustomControl does (transparent where it draws nothing).
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    TCanvas* GetCanvas() const;
    void Invalidate() override;

protected:
    virtual void Paint() {}
    void Dispatch(TMessage& Message) override;
    HDC BeginPaintStore(QPaintEvent* Event, bool& RunMessages) override;
    void EndPaintStore(QPaintEvent* Event) override;

private:
    mutable std::unique_ptr<TControlCanvas> canvas_;
};

// Moves, sizes, shows or hides a window and places it in the stacking order: after a
// window, HWND_TOP, HWND_BOTTOM, or above every window that is not topmost (HWND_TOPMOST,
// for a top-level window) until HWND_NOTOPMOST.
inline HWND const HWND_TOP = reinterpret_cast<HWND>(0);
inline HWND const HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline HWND const HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline HWND const HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);
enum : UINT {
    SWP_NOSIZE = 0x0001,
    SWP_NOMOVE = 0x0002,
    SWP_NOZORDER = 0x0004,
    SWP_NOREDRAW = 0x0008,
    SWP_NOACTIVATE = 0x0010,
    SWP_FRAMECHANGED = 0x0020,
    SWP_SHOWWINDOW = 0x0040,
    SWP_HIDEWINDOW = 0x0080,
};
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags);
// The window's shape, in window coordinates (nullptr: the whole rectangle). The window
// owns the region from then on.
int SetWindowRgn(HWND hWnd, HRGN hRgn, BOOL bRedraw);
// Copies the shape into hRgn; ERROR for a window without one.
int GetWindowRgn(HWND hWnd, HRGN hRgn);

// Makes a widget the frameless window of a pop-up when the parameters say WS_POPUP.
void MakePopupWindow(QWidget* Widget, const TCreateParams& Params);

// The control of a window handle; nullptr for none.
TWinControl* FindControl(HWND Handle);
// The control whose widget shows the given one, or contains it (focus proxies, the inner
// parts of composite widgets). With WindowedOnly, the nearest windowed control.
TControl* ControlOfWidget(const QWidget* Widget, bool WindowedOnly = false);
// The window with the keyboard focus, and its control.
HWND GetFocus();
TWinControl* FocusedControl();
HWND SetFocus(HWND hWnd);
