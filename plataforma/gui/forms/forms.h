#pragma once
// TForm: a top-level window or an MDI child, with its menu bar, its close rules and modal
// showing; an MDI frame (fsMDIForm) holds the MDI children. Width and Height are the outer
// size, frame and caption included; the client size follows from fixed classic frame
// metrics (system_metrics.h), whatever frame the window manager draws, so that a form
// designed as 936 x 425 keeps the client area it was designed with.

#include "plataforma/gui/kernel/controls.h"

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMainWindow;
class QMdiArea;
class QMdiSubWindow;
class QMenuBar;
class QObject;
class QStyle;
class QWidget;
class TMainMenu;
class TMenuItem;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = SmallSet<TBorderIcon>;
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TTileMode { tbHorizontal, tbVertical };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TShortCutEvent = std::function<void(TWMKey& Msg, bool& Handled)>;

// The classic frame of a border style: frame thickness on each side and caption height.
struct TFrameMetrics {
    int frame = 0;
    int caption = 0;
};
TFrameMetrics FrameMetricsOf(TFormBorderStyle Style);

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    // An MDI frame takes its MDI children with it.
    ~TCustomForm() override;

    // --- appearance ---
    TFormStyle GetFormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle Value);
    TFormBorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons GetBorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons Value);
    // Applied when the form is first shown.
    TPosition GetPosition() const { return position_; }
    void SetPosition(TPosition Value) { position_ = Value; }
    TWindowState GetWindowState() const { return windowState_; }
    void SetWindowState(TWindowState Value);
    TMainMenu* GetMenu() const { return menu_; }
    void SetMenu(TMainMenu* Value);
    // The form sees the keys of its controls first (OnKeyDown, OnKeyPress, OnKeyUp).
    bool GetKeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool Value) { keyPreview_ = Value; }
    // Outer size less the classic frame, caption and menu bar.
    TRect GetClientRect() const override;

    // --- focus and activation ---
    // The control that has (or last had) the focus in this form; the one set here gets it
    // when the form is shown.
    TWinControl* GetActiveControl() const;
    void SetActiveControl(TWinControl* Control);
    // The form is the active window, or the active MDI child of the active frame.
    bool GetActive() const { return active_; }
    void SetFocus() override;

    // --- showing and closing ---
    void Show();
    void Hide();
    void SetVisible(bool Value) override;
    void BringToFront();
    // CloseQuery, then OnClose with the default action (caHide; for an MDI child caMinimize,
    // or caNone without biMinimize). caNone keeps the form, caHide hides it, caMinimize
    // minimizes it, caFree releases it. Closing the main form ends the program. On a modal
    // form: ModalResult = mrCancel.
    void Close();
    // An MDI frame asks its children first; then OnCloseQuery.
    virtual bool CloseQuery();
    // Shows the form and waits until ModalResult is set (by a button, Close, or code) and
    // the close rules accept it; returns it. The window is hidden afterwards, not freed.
    virtual TModalResult ShowModal();
    TModalResult GetModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult Value) { modalResult_ = Value; }
    bool IsModal() const { return modal_; }

    // --- MDI frame ---
    TMenuItem* GetWindowMenu() const { return windowMenu_; }
    void SetWindowMenu(TMenuItem* Value);
    TTileMode GetTileMode() const { return tileMode_; }
    void SetTileMode(TTileMode Value) { tileMode_ = Value; }
    int GetMDIChildCount() const { return static_cast<int>(mdiChildren_.size()); }
    // 0 is the most recently activated child.
    TCustomForm* GetMDIChildren(int Index) const;
    TCustomForm* GetActiveMDIChild() const;
    // Children that are not minimized, overlapped from the top-left corner with their
    // captions in view; the active one stays on top.
    void Cascade();
    // Children that are not minimized, side by side (tbVertical) or one above the other
    // (tbHorizontal); more than three make a grid. The active one takes the first place.
    void Tile();
    // Minimized children in a row along the bottom of the client area, left to right.
    void ArrangeIcons();
    // Activates the next (the previous) child.
    void Next();
    void Previous();

    // The end of the loading bracket: Loaded on every component, then OnCreate.
    void EndLoading();

    // --- inside the platform layer ---
    bool IsForm() const override { return true; }
    bool KeyPreviewEnabled() const override { return keyPreview_; }
    // The focused control's popup menus (from it up to the form), OnShortCut, the form's
    // menu, then for an MDI child the frame's.
    bool IsShortCut(TWMKey& Message) override;
    // The window that holds the client area: a QMainWindow, or the QMdiSubWindow of an MDI
    // child; nullptr before the window exists.
    QWidget* GetWindowWidget() const { return window_; }
    QMenuBar* GetMenuBarWidget() const { return menuBar_; }
    // The frame of an MDI child.
    TCustomForm* GetMDIFrame() const { return mdiFrame_; }
    // OnCreate, if it has not run yet (at the end of the loading bracket, or when created by
    // Application->CreateForm or first shown).
    void EnsureCreated();

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

protected:
    virtual void DoCreate();
    virtual void DoClose(TCloseAction& Action);
    virtual void DoShow();
    virtual void DoHide();
    virtual void Activate();
    virtual void Deactivate();
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWindowHandle(const TCreateParams& Params) override;
    void DestroyWindowHandle() override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void ApplyWidgetState() override;
    void PlaceWidget() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;

private:
    friend class FormWindowWatcher;
    friend class FormModalRun;

    int MenuHeight() const;
    void ClientAreaChanged();
    TFrameMetrics Metrics() const { return FrameMetricsOf(borderStyle_); }
    // form_window.cpp: the Qt window around the client widget.
    void CreateFormWindow(QWidget* client);
    void DestroyFormWindow();
    void ApplyWindowFlags();
    void ShowFormWindow();
    void HideFormWindow();
    void ApplyWindowState();
    void PlaceFormWindow();
    void SyncBoundsFromWindow();
    void SyncWindowState();
    void WindowActivated(bool Active);
    void ApplyPosition();
    void UpdateMenuBar();
    // Opens the menu bar's menu with that letter (the frame's, for an MDI child).
    bool OpenMenuByHotkey(WORD Char);
    // Opens the menu bar's first menu (F10), from which the arrows reach the others.
    bool OpenMenuBar();
    bool OpenMenuBarItem(const std::function<bool(TMenuItem*)>& Wanted);
    void CaptionChanged();
    TWinControl* InitialFocus() const;
    void SetInitialFocus(TWinControl* Target);
    // forms.cpp
    void CloseModal();
    bool ModalFinished();
    void VisibleChanged();
    // mdi.cpp
    static TCustomForm* FindMDIFrame();
    void RegisterAsFrame(bool On);
    void AddMDIChild(TCustomForm* Child);
    void RemoveMDIChild(TCustomForm* Child);
    void MDIChildActivated(TCustomForm* Child);
    void ActivateMDIChild(TCustomForm* Child);
    void UpdateWindowMenu();
    TPoint NextDefaultChildPosition();
    std::vector<TCustomForm*> NormalChildren(bool Minimized) const;

    TFormStyle formStyle_ = fsNormal;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    bool keyPreview_ = false;
    TMainMenu* menu_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool active_ = false;
    bool created_ = false;
    bool shownOnce_ = false;
    bool syncing_ = false;
    int placing_ = 0; // the layer is moving or showing the window
    bool closing_ = false;

    // Qt objects (form_window.cpp).
    QWidget* window_ = nullptr;
    QMainWindow* mainWindow_ = nullptr;
    QMdiSubWindow* subWindow_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QObject* watcher_ = nullptr;
    QStyle* subWindowStyle_ = nullptr; // owned; made and freed with the subwindow

    // MDI (mdi.cpp).
    QMdiArea* mdiArea_ = nullptr;           // of a frame
    TCustomForm* mdiFrame_ = nullptr;       // of a child
    std::vector<TCustomForm*> mdiChildren_; // most recently activated first
    std::vector<TCustomForm*> mdiCreated_;  // in the order they came
    TMenuItem* windowMenu_ = nullptr;
    std::vector<QAction*> windowActions_;
    TTileMode tileMode_ = tbHorizontal;
    int defaultChildPositions_ = 0;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner);
};

// The form a control sits on; nullptr when none.
TCustomForm* GetParentForm(TControl* Control);

// Inside the platform layer: where cascading, tiling and arranging icons put the windows.
// Cascade: count windows from the bottom of the pile to the top, each offset by caption
// plus frame, as large as the run allows (a run restarts at the corner when windows would
// get smaller than half the area).
std::vector<TRect> CascadeLayout(const TRect& Area, int Count);
// Tile: windows in reading order (tbVertical) or column by column (tbHorizontal).
std::vector<TRect> TileLayout(const TRect& Area, int Count, TTileMode Mode);
// Icons: slots of the given size from the bottom-left corner, left to right, rows upwards.
std::vector<TPoint> IconLayout(const TRect& Area, int Count, const TSize& Slot);
