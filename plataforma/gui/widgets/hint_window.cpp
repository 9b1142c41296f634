#include "plataforma/gui/widgets/hint_window.h"

#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/draw_text.h"

#include <QApplication>
#include <QToolTip>
#include <QWidget>

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    SetColor(clInfoBk);
    SetVisible(false);
    GetCanvas()->GetBrush()->SetStyle(bsClear);
}

void THintWindow::CreateParams(TCreateParams& Params) {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
}

void THintWindow::CreateWindowHandle(const TCreateParams& Params) {
    TCustomControl::CreateWindowHandle(Params);
    // A hint never takes the activation or the focus.
    if (QWidget* w = GetWidget()) {
        w->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        w->setAttribute(Qt::WA_ShowWithoutActivating);
    }
}

void THintWindow::Paint() {
    TCanvas* c = GetCanvas();
    TRect r = GetClientRect();
    r.Left += 2;
    r.Top += 2;
    c->GetBrush()->SetStyle(bsClear);
    c->SetFont(GetFont());
    c->GetFont()->SetColor(clInfoText);
    AnsiString text = GetCaption();
    DrawText(c->GetHandle(), text.c_str(), -1, &r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

TRect THintWindow::CalcHintRect(int MaxWidth, const AnsiString& AHint, void*) {
    TCanvas* c = GetCanvas();
    c->SetFont(GetFont());
    TRect r(0, 0, MaxWidth, 0);
    DrawText(c->GetHandle(), AHint.c_str(), -1, &r,
             DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

void THintWindow::ActivateHint(TRect Rect, const AnsiString& AHint) {
    SetCaption(AHint);
    Rect.Bottom += 4;
    int w = Rect.Width(), h = Rect.Height();
    const int sw = Screen->GetWidth(), sh = Screen->GetHeight();
    if (Rect.Top + h > sh) Rect.Top = sh - h;
    if (Rect.Left + w > sw) Rect.Left = sw - w;
    if (Rect.Left < 0) Rect.Left = 0;
    if (Rect.Top < 0) Rect.Top = 0;
    ShowAt(Bounds(Rect.Left, Rect.Top, w, h));
}

void THintWindow::ShowAt(const TRect& R) {
    SetBounds(R.Left, R.Top, R.Width(), R.Height());
    HandleNeeded();
    SetVisible(true);
    if (QWidget* widget = GetWidget()) {
        widget->show();
        widget->raise();
    }
    Invalidate();
}

void THintWindow::ActivateHintData(TRect Rect, const AnsiString& AHint, void*) {
    ActivateHint(Rect, AHint);
}

bool THintWindow::IsHintMsg(const TMessage& Msg) const {
    return (Msg.Msg >= WM_KEYFIRST && Msg.Msg <= WM_KEYLAST) ||
           (Msg.Msg >= WM_MOUSEFIRST && Msg.Msg <= WM_MOUSELAST && Msg.Msg != WM_MOUSEMOVE) ||
           Msg.Msg == CM_ACTIVATE || Msg.Msg == CM_DEACTIVATE || Msg.Msg == WM_CANCELMODE;
}

void THintWindow::ReleaseHandle() {
    SetVisible(false);
    DestroyHandle();
}

void THintWindow::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_TEXTCHANGED) {
        Invalidate();
        return;
    }
    TCustomControl::Dispatch(Message);
}

namespace {

struct ApplicationHint {
    THintWindowClass windowClass;
    THintWindow* window = nullptr; // owned by the application
};

ApplicationHint& AppHint() {
    static ApplicationHint h;
    return h;
}

} // namespace

void SetHintWindowClass(THintWindowClass Class) {
    ApplicationHint& h = AppHint();
    delete h.window;
    h.window = nullptr;
    h.windowClass = std::move(Class);
}

bool ShowHintInWindow(const THintInfo& Info) {
    ApplicationHint& h = AppHint();
    if (!h.windowClass) return false;
    if (!h.window) h.window = h.windowClass(Application);
    h.window->SetColor(Info.HintColor);
    const int maxWidth = Info.HintMaxWidth > 0 ? Info.HintMaxWidth : Screen->GetWidth();
    TRect r = h.window->CalcHintRect(maxWidth, Info.HintStr, Info.HintData);
    r = Bounds(Info.HintPos.x, Info.HintPos.y, r.Width(), r.Height());
    h.window->ActivateHintData(r, Info.HintStr, Info.HintData);
    return true;
}

void CancelHintWindow() {
    if (THintWindow* w = AppHint().window; w && w->GetVisible()) w->ReleaseHandle();
}

void CancelHint() {
    CancelHintWindow();
    if (!QToolTip::isVisible()) return;
    // The tool tip's own hiding lets it linger a moment with the old text: it is closed and
    // let go as its own time-out does.
    QToolTip::hideText();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel") && w->isVisible()) {
            w->close();
            w->deleteLater();
        }
}

THintWindow* GetApplicationHintWindow() {
    return AppHint().window;
}
