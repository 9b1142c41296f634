// The Qt window of a form: a QMainWindow (menu bar and client area) for a top-level form, a
// QMdiSubWindow inside the frame's MDI area for an MDI child. The client area is the control's
// widget; the window is placed around it by the classic frame metrics, and what the window
// manager or the user does to the window comes back as the form's bounds and state.

#include "plataforma/gui/forms/forms.h"

#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/input/key_input.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/dispatch_frame.h"
#include "plataforma/gui/kernel/hooked_widget.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/kernel/window_registry.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLayout>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QProxyStyle>
#include <QScreen>
#include <QShortcutEvent>
#include <QStyleFactory>

#include <algorithm>

namespace {

// Qt's subwindow with the frame and caption of the form's border style, so that the
// subwindow's outer rectangle is the form's bounds.
class ClassicSubWindowStyle : public QProxyStyle {
public:
    explicit ClassicSubWindowStyle(TFrameMetrics m)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), metrics(m) {}
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_TitleBarHeight) return metrics.caption + metrics.frame;
        if (metric == PM_MdiSubWindowFrameWidth) return metrics.frame;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
    TFrameMetrics metrics;
};

void DisposeLater(QObject* o, bool later) {
    if (!o) return;
    if (later)
        o->deleteLater();
    else
        delete o;
}

// Brings a top-level window to the front. A headless screen has no window stacking (and
// says so for every window): nothing to do there.
void RaiseWindow(QWidget* w) {
    static const bool headless = QGuiApplication::platformName() == QLatin1String("offscreen");
    if (!headless) w->raise();
    w->activateWindow();
}

// While the layer moves or shows a window, what Qt reports back is the layer's own doing.
struct Placing {
    explicit Placing(int& n) : count(n) { ++count; }
    ~Placing() { --count; }
    Placing(const Placing&) = delete;
    Placing& operator=(const Placing&) = delete;
    int& count;
};

void ShowInState(QWidget* w, TWindowState state) {
    switch (state) {
    case wsMaximized:
        w->showMaximized();
        // On a screen without a window manager (a bare X server) nothing answers the request:
        // the window takes its screen's work area itself. A window manager's maximising
        // follows and wins; the size to restore stays the form's.
        if (w->isWindow())
            if (QScreen* pantalla = w->screen()) {
                const QRect area = pantalla->availableGeometry();
                if (w->frameGeometry() != area) w->setGeometry(area);
            }
        break;
    case wsMinimized:
        w->showMinimized();
        break;
    default:
        w->showNormal();
        break;
    }
    if (QLayout* l = w->layout()) l->activate();
}

// Menus drawn in the classic menu font, whatever the desktop's font is.
QFont MenuFont() {
    TFont f;
    return ToQFont(f);
}

// The form's menu bar. Qt gives a menu bar the Alt+letter keys of its menus before any
// widget sees them; here they take the layer's key road instead, so that the form's controls
// (a button's letter) come first and the form opens the menu when none takes the key.
class FormMenuBar : public QMenuBar {
public:
    explicit FormMenuBar(TCustomForm* f) : form(f) {}
    TCustomForm* form;

protected:
    bool event(QEvent* e) override {
        if (e->type() != QEvent::Shortcut || !form) return QMenuBar::event(e);
        auto* se = static_cast<QShortcutEvent*>(e);
        if (se->key().isEmpty()) return true;
        const QKeyCombination k = se->key()[0];
        TWinControl* target = FocusedControl();
        if (!target) target = form;
        QString text = QKeySequence(k.key()).toString().toLower();
        QKeyEvent press(QEvent::KeyPress, k.key(), k.keyboardModifiers(), text);
        GuardedEntry(target, [&] { TranslateKeyEvent(target, &press); });
        return true;
    }
};

} // namespace

// Watches the form's window and client widget for what the window system changes.
class FormWindowWatcher : public QObject {
public:
    explicit FormWindowWatcher(TCustomForm* f) : form(f) {}
    TCustomForm* form;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        TCustomForm* f = form;
        if (!f) return false;
        bool eat = false;
        QEvent::Type type = e->type();
        if (type != QEvent::Move && type != QEvent::Resize && type != QEvent::WindowStateChange &&
            type != QEvent::Close && type != QEvent::WindowActivate &&
            type != QEvent::WindowDeactivate)
            return false;
        DispatchFrame frame(f);
        GuardedEntry(f, [&] {
            bool isWindow = o == f->window_;
            switch (type) {
            case QEvent::Move:
            case QEvent::Resize:
                f->SyncBoundsFromWindow();
                break;
            case QEvent::WindowStateChange:
                if (isWindow) f->SyncWindowState();
                break;
            case QEvent::Close:
                // The client widget's close (an MDI child's close button) is the control's
                // own business; the top-level window's is the form's.
                if (isWindow && f->mainWindow_) {
                    e->ignore();
                    eat = true;
                    f->Perform(WM_CLOSE, 0, 0);
                }
                break;
            case QEvent::WindowActivate:
            case QEvent::WindowDeactivate:
                if (isWindow && f->mainWindow_) f->WindowActivated(type == QEvent::WindowActivate);
                break;
            default:
                break;
            }
        });
        return eat;
    }
};

void TCustomForm::CreateWindowHandle(const TCreateParams&) {
    EnsureQtApplication();
    auto* client = new HookedWidget<QWidget>(this, nullptr);
    client->setFocusPolicy(Qt::NoFocus);
    client->setAttribute(Qt::WA_InputMethodEnabled);
    try {
        CreateFormWindow(client);
    } catch (...) {
        delete client;
        throw;
    }
    SetWidget(client, false);
}

void TCustomForm::CreateFormWindow(QWidget* client) {
    if (formStyle_ == fsMDIChild) {
        TCustomForm* frame = FindMDIFrame();
        if (!frame)
            throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
        frame->HandleNeeded();
        mdiFrame_ = frame;
        subWindowStyle_ = new ClassicSubWindowStyle(Metrics());
        subWindow_ = new QMdiSubWindow();
        subWindow_->setStyle(subWindowStyle_);
        subWindow_->setAttribute(Qt::WA_DeleteOnClose, false);
        subWindow_->setSystemMenu(nullptr);
        // No toolkit logo in the caption: a blank icon where the program's would go.
        QPixmap blank(16, 16);
        blank.fill(Qt::transparent);
        subWindow_->setWindowIcon(QIcon(blank));
        subWindow_->setWidget(client);
        subWindow_->hide();
        frame->mdiArea_->addSubWindow(subWindow_);
        subWindow_->hide();
        window_ = subWindow_;
    } else {
        mainWindow_ = new QMainWindow(nullptr);
        mainWindow_->setCentralWidget(client);
        window_ = mainWindow_;
        if (formStyle_ == fsMDIForm) {
            mdiArea_ = new QMdiArea(client);
            mdiArea_->setBackground(QBrush(ToQColor(clAppWorkSpace)));
            mdiArea_->setActivationOrder(QMdiArea::ActivationHistoryOrder);
            QObject::connect(mdiArea_, &QMdiArea::subWindowActivated, [this](QMdiSubWindow* sub) {
                if (!sub) return;
                for (TCustomForm* child : mdiCreated_)
                    if (child->subWindow_ == sub) {
                        GuardedEntry(child, [&] { MDIChildActivated(child); });
                        return;
                    }
            });
        }
    }
    auto* watcher = new FormWindowWatcher(this);
    watcher_ = watcher;
    RegisterWidget(window_, this);
    window_->installEventFilter(watcher);
    client->installEventFilter(watcher);
    window_->setWindowTitle(ToQString(GetCaption()));
    ApplyWindowFlags();
    UpdateMenuBar();
    if (mdiFrame_) mdiFrame_->AddMDIChild(this);
}

void TCustomForm::DestroyWindowHandle() {
    // An MDI frame's children lose their windows first: they live inside its own.
    for (TCustomForm* child : std::vector<TCustomForm*>(mdiCreated_))
        child->DestroyHandle();
    if (auto* w = static_cast<FormWindowWatcher*>(watcher_)) w->form = nullptr;
    TWinControl::DestroyWindowHandle();
    DestroyFormWindow();
}

void TCustomForm::DestroyFormWindow() {
    if (!window_) return;
    // Qt may be inside an event of the window: then it goes once the event is over.
    bool later = IsDispatching();
    UnregisterWidget(window_);
    if (menu_) menu_->GetItems()->SetItemsWidget(nullptr);
    if (mdiFrame_) {
        TCustomForm* frame = mdiFrame_;
        mdiFrame_ = nullptr;
        frame->RemoveMDIChild(this);
        if (frame->mdiArea_) frame->mdiArea_->removeSubWindow(subWindow_);
    }
    if (mdiArea_) {
        if (windowMenu_) windowMenu_->SetTrailingActions({});
        for (QAction* a : windowActions_)
            DisposeLater(a, later);
        windowActions_.clear();
    }
    QWidget* window = window_;
    window_ = nullptr;
    mainWindow_ = nullptr;
    subWindow_ = nullptr;
    menuBar_ = nullptr;
    mdiArea_ = nullptr;
    window->hide();
    DisposeLater(window, later);
    DisposeLater(watcher_, later);
    watcher_ = nullptr;
    DisposeLater(subWindowStyle_, later);
    subWindowStyle_ = nullptr;
    active_ = false;
}

// An MDI frame's client area, once its aligned controls have their edges, is the MDI area.
void TCustomForm::AlignControls(TControl* AControl, TRect& Rect) {
    TWinControl::AlignControls(AControl, Rect);
    if (mdiArea_) mdiArea_->setGeometry(ToQRect(Rect));
}

void TCustomForm::ApplyWidgetState() {
    // Showing the client widget shows an MDI subwindow with it, in a state of Qt's choosing:
    // the window comes and goes with the form's visibility, in the form's state.
    Placing guard(placing_);
    TControl::ApplyWidgetState();
    if (QWidget* client = GetWidget()) client->setVisible(true);
    if (window_) {
        window_->setWindowTitle(ToQString(GetCaption()));
        window_->setEnabled(GetEnabled());
        if (!window_->isWindow() && !(GetVisible() && window_->isVisible())) window_->hide();
    }
}

void TCustomForm::PlaceWidget() {
    // Bounds that came from the window are where the window already is.
    if (!window_ || syncing_) return;
    PlaceFormWindow();
}

void TCustomForm::PlaceFormWindow() {
    if (!window_) return;
    const TFrameMetrics m = Metrics();
    const TRect c = GetClientRect();
    Placing guard(placing_);
    if (subWindow_) {
        // The subwindow's frame and caption are the classic ones (ClassicSubWindowStyle).
        if (!subWindow_->isMinimized() && !subWindow_->isMaximized())
            subWindow_->setGeometry(GetLeft(), GetTop(), c.Width() + 2 * m.frame,
                                    c.Height() + m.caption + 2 * m.frame);
    } else if (mainWindow_) {
        bool fixed =
            borderStyle_ == bsSingle || borderStyle_ == bsDialog || borderStyle_ == bsToolWindow;
        QSize size(c.Width(), c.Height() + MenuHeight());
        if (fixed) {
            window_->setFixedSize(size);
        } else {
            window_->setMinimumSize(0, 0);
            window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
        if (!window_->isMinimized() && !window_->isMaximized())
            window_->setGeometry(GetLeft() + m.frame, GetTop() + m.caption + m.frame, size.width(),
                                 size.height());
        if (QLayout* l = window_->layout()) l->activate();
    }
}

void TCustomForm::SyncBoundsFromWindow() {
    if (placing_ || syncing_ || !window_ || GetComponentState().Contains(csDestroying)) return;
    const TFrameMetrics m = Metrics();
    TRect b;
    if (subWindow_) {
        QWidget* client = GetWidget();
        // A minimized child keeps its normal bounds; a hidden one has not been laid out.
        if (!client || subWindow_->isMinimized() || !subWindow_->isVisible()) return;
        QPoint at = subWindow_->pos() + client->pos();
        b = Bounds(at.x() - m.frame, at.y() - m.caption - m.frame, client->width() + 2 * m.frame,
                   client->height() + m.caption + 2 * m.frame);
    } else {
        if (window_->isMinimized()) return;
        QRect g = window_->geometry();
        b = Bounds(g.x() - m.frame, g.y() - m.caption - m.frame, g.width() + 2 * m.frame,
                   g.height() + m.caption + 2 * m.frame);
    }
    if (b == GetBoundsRect()) return;
    syncing_ = true;
    try {
        SetBounds(b.Left, b.Top, b.Width(), b.Height());
    } catch (...) {
        syncing_ = false;
        throw;
    }
    syncing_ = false;
}

void TCustomForm::SyncWindowState() {
    // A hidden window's state is the form's to give, not Qt's to report.
    if (!window_ || placing_ || !window_->isVisible()) return;
    TWindowState s = window_->isMinimized()   ? wsMinimized
                     : window_->isMaximized() ? wsMaximized
                                              : wsNormal;
    if (s == windowState_) return;
    windowState_ = s;
    SyncBoundsFromWindow();
}

void TCustomForm::ApplyWindowState() {
    if (!window_) return;
    {
        Placing guard(placing_);
        ShowInState(window_, windowState_);
    }
    SyncBoundsFromWindow();
}

void TCustomForm::ApplyWindowFlags() {
    if (!window_) return;
    const bool sys = borderIcons_.Contains(biSystemMenu);
    const bool tool = borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin;
    Qt::WindowFlags f;
    if (subWindow_)
        f = Qt::SubWindow;
    else if (borderStyle_ == bsDialog)
        f = Qt::Dialog;
    else if (tool)
        f = Qt::Tool;
    else
        f = Qt::Window;
    if (borderStyle_ == bsNone) {
        f |= Qt::FramelessWindowHint;
    } else {
        f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (sys) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        const bool minMax = sys && borderStyle_ != bsDialog && !tool;
        if (minMax && borderIcons_.Contains(biMinimize)) f |= Qt::WindowMinimizeButtonHint;
        if (minMax && borderIcons_.Contains(biMaximize)) f |= Qt::WindowMaximizeButtonHint;
        if (sys && borderIcons_.Contains(biHelp)) f |= Qt::WindowContextHelpButtonHint;
    }
    if (formStyle_ == fsStayOnTop) f |= Qt::WindowStaysOnTopHint;
    if (window_->windowFlags() == f) return;
    const bool shown = window_->isVisible();
    {
        Placing guard(placing_);
        window_->setWindowFlags(f);
        // New flags hide a window; it comes back where the bounds say.
        if (shown) ShowInState(window_, windowState_);
    }
    if (shown) PlaceFormWindow();
}

void TCustomForm::ShowFormWindow() {
    if (!window_) return;
    if (mainWindow_ && !window_->isVisible())
        window_->setWindowModality(modal_ ? Qt::ApplicationModal : Qt::NonModal);
    PlaceFormWindow();
    ApplyWindowState();
    if (mdiFrame_)
        mdiFrame_->ActivateMDIChild(this);
    else
        RaiseWindow(window_);
}

void TCustomForm::BringToFront() {
    if (!window_ || !GetVisible()) return;
    if (mdiFrame_)
        mdiFrame_->ActivateMDIChild(this);
    else
        RaiseWindow(window_);
}

void TCustomForm::HideFormWindow() {
    if (window_) window_->hide();
}

void TCustomForm::WindowActivated(bool Active) {
    if (active_ == Active) return;
    active_ = Active;
    if (Active)
        Activate();
    else
        Deactivate();
}

void TCustomForm::ApplyPosition() {
    const int w = GetWidth(), h = GetHeight();
    auto centreOn = [&](const TRect& r) {
        SetBounds(std::max(0, r.Left + (r.Width() - w) / 2),
                  std::max(0, r.Top + (r.Height() - h) / 2), w, h);
    };
    const TRect screen = Bounds(0, 0, Screen->GetWidth(), Screen->GetHeight());
    switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
        centreOn(screen);
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* ref = position_ == poMainFormCenter ? Application->GetMainForm()
                                                         : dynamic_cast<TCustomForm*>(GetOwner());
        centreOn(ref && ref != this && !mdiFrame_ ? ref->GetBoundsRect() : screen);
        break;
    }
    case poDefault:
    case poDefaultPosOnly:
    case poDefaultSizeOnly: {
        TPoint p{GetLeft(), GetTop()};
        TSize s{w, h};
        if (mdiFrame_) {
            QRect area = mdiFrame_->mdiArea_->viewport()->rect();
            if (position_ != poDefaultSizeOnly) p = mdiFrame_->NextDefaultChildPosition();
            if (position_ != poDefaultPosOnly) s = {area.width() * 3 / 4, area.height() * 3 / 4};
        } else if (position_ != poDefaultSizeOnly) {
            // Top-level windows keep their size and step down from the work area's corner.
            static int siguiente = 0;
            const int d = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
            TRect work = Screen->GetWorkAreaRect();
            int k = siguiente++ % 8;
            p = {work.Left + k * d, work.Top + k * d};
        }
        SetBounds(p.x, p.y, s.cx, s.cy);
        break;
    }
    default:
        break;
    }
}

void TCustomForm::UpdateMenuBar() {
    if (!mainWindow_) return;
    if (menu_ && formStyle_ != fsMDIChild) {
        if (!menuBar_) {
            menuBar_ = new FormMenuBar(this);
            menuBar_->setNativeMenuBar(false);
            menuBar_->setFont(MenuFont());
            menuBar_->setFixedHeight(GetSystemMetrics(SM_CYMENU));
            mainWindow_->setMenuBar(menuBar_);
        }
        menuBar_->show();
        menu_->GetItems()->SetItemsWidget(menuBar_);
    } else if (menuBar_) {
        menuBar_->hide();
    }
    if (QLayout* l = window_->layout()) l->activate();
    if (mdiArea_) UpdateWindowMenu();
}

bool TCustomForm::OpenMenuBarItem(const std::function<bool(TMenuItem*)>& Wanted) {
    TCustomForm* owner = menu_ ? this : mdiFrame_;
    if (!owner || !owner->menu_ || !owner->menuBar_ || !owner->menuBar_->isVisible()) return false;
    TMenuItem* root = owner->menu_->GetItems();
    for (int i = 0; i < root->GetCount(); ++i) {
        TMenuItem* item = root->GetItems(i);
        if (!item->GetVisible() || !item->GetEnabled() || !Wanted(item)) continue;
        if (item->GetCount() > 0)
            owner->menuBar_->setActiveAction(item->Action());
        else
            item->Click();
        return true;
    }
    return false;
}

bool TCustomForm::OpenMenuByHotkey(WORD Char) {
    return OpenMenuBarItem([Char](TMenuItem* item) { return IsAccel(Char, item->GetCaption()); });
}

bool TCustomForm::OpenMenuBar() {
    // The first menu that holds items; a bare command is not run by F10.
    return OpenMenuBarItem([](TMenuItem* item) { return item->GetCount() > 0; });
}

void TCustomForm::CaptionChanged() {
    if (!window_) return;
    window_->setWindowTitle(ToQString(GetCaption()));
    if (mdiFrame_) mdiFrame_->UpdateWindowMenu();
}
