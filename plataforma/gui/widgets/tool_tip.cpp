#include "plataforma/gui/widgets/tool_tip.h"

#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/kernel/timers.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/gdi.h"

#include <algorithm>
#include <set>

namespace {

// The desktop's defaults, from a double-click time of 500 ms.
constexpr int kInitialDelay = 500;
constexpr int kStem = 12;  // height of the balloon's stem
constexpr int kStemX = 16; // where the stem's tip is, from the left edge
constexpr int kMaxTextWidth = 400;
constexpr int kIconSize = 16;

std::set<TToolTipWindow*>& MadeWindows() {
    static std::set<TToolTipWindow*> w;
    return w;
}

} // namespace

TToolTipWindow::TToolTipWindow(TComponent* AOwner)
    : THintWindow(AOwner), textColor_(ColorToRGB(clInfoText)), backColor_(ColorToRGB(clInfoBk)) {}

TToolTipWindow::~TToolTipWindow() {
    for (Tool& t : tools_)
        if (t.watched) {
            t.watched->WindowProc = t.savedProc;
            t.watched->RemoveFreeNotification(this);
        }
    if (HandleAllocated()) KillTimersOf(GetHandle());
}

void TToolTipWindow::CreateParams(TCreateParams& Params) {
    THintWindow::CreateParams(Params);
    Params.Style &= ~static_cast<DWORD>(WS_BORDER);
    Params.WinClassName = TOOLTIPS_CLASS;
}

void TToolTipWindow::Notification(TComponent* AComponent, TOperation Operation) {
    THintWindow::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    for (Tool& t : tools_)
        if (t.watched == AComponent) t.watched = nullptr;
}

void TToolTipWindow::AddTool(const TOOLINFO& Info) {
    Tool t;
    t.info = Info;
    if (Info.lpszText && Info.lpszText != LPSTR_TEXTCALLBACK) t.text = Info.lpszText;
    if (Info.uFlags & TTF_SUBCLASS) {
        const HWND watched =
            (Info.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(Info.uId) : Info.hwnd;
        t.watched = FindControl(watched);
    }
    tools_.push_back(t);
    Tool& added = tools_.back();
    if (!added.watched) return;
    // The watched window's messages pass here first, then to its own procedure.
    added.savedProc = added.watched->WindowProc;
    added.watched->FreeNotification(this);
    const size_t index = tools_.size() - 1;
    added.watched->WindowProc = [this, index](TMessage& Message) {
        const TWndMethod own = tools_[index].savedProc;
        Relay(tools_[index], Message);
        own(Message);
    };
}

void TToolTipWindow::Relay(Tool& T, TMessage& Message) {
    switch (Message.Msg) {
    case WM_MOUSEMOVE: {
        const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        const TRect& r = T.info.rect;
        const bool inside = p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom;
        if (!inside) {
            Pop();
            return;
        }
        if (shown_ || waiting_) return;
        active_ = static_cast<int>(&T - tools_.data());
        waiting_ = true;
        // Soon after a tip went away the next one comes sooner.
        const bool reshow = lastPop_ != 0 && GetTickCount() - lastPop_ < 2u * kInitialDelay;
        SetTimer(GetHandle(), ShowTimer,
                 static_cast<UINT>(std::max(10, Delay(reshow ? TTDT_RESHOW : TTDT_INITIAL))),
                 nullptr);
        return;
    }
    case CM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
        Pop();
        return;
    default:
        return;
    }
}

int TToolTipWindow::Delay(WPARAM Which) const {
    const int set = delays_[Which];
    if (set >= 0) return set;
    switch (Which) {
    case TTDT_AUTOPOP:
        return 10 * kInitialDelay;
    case TTDT_RESHOW:
        return kInitialDelay / 5;
    default:
        return kInitialDelay;
    }
}

void TToolTipWindow::Timeout(UINT_PTR Id) {
    KillTimer(GetHandle(), Id);
    if (Id == ShowTimer) {
        waiting_ = false;
        ShowTip();
    } else if (Id == HideTimer) {
        Pop();
    }
}

void TToolTipWindow::ShowTip() {
    if (active_ < 0 || active_ >= static_cast<int>(tools_.size())) return;
    const Tool& t = tools_[static_cast<size_t>(active_)];
    AnsiString text = t.text;
    if (t.info.lpszText == LPSTR_TEXTCALLBACK) {
        NMTTDISPINFO request;
        request.hdr.hwndFrom = GetHandle();
        request.hdr.idFrom = t.info.uId;
        request.hdr.code = TTN_NEEDTEXT;
        request.lpszText = request.szText;
        request.lParam = t.info.lParam;
        SendMessage(t.info.hwnd, WM_NOTIFY, t.info.uId, reinterpret_cast<LPARAM>(&request));
        text = request.lpszText && request.lpszText != LPSTR_TEXTCALLBACK
                   ? AnsiString(request.lpszText)
                   : AnsiString();
    }
    if (text.IsEmpty()) return;
    text_ = text;
    Layout();
    POINT cursor{};
    GetCursorPos(&cursor);
    const int w = GetWidth(), h = GetHeight();
    int left = cursor.x - ((style_ & TTS_BALLOON) ? kStemX : 0);
    const int top = cursor.y + ((style_ & TTS_BALLOON) ? 2 : 20);
    left = std::clamp(left, 0, std::max(0, Screen->GetWidth() - w));
    HandleNeeded();
    const std::vector<TPoint> outline = Outline();
    SetWindowRgn(GetHandle(), CreatePolygonRgn(outline.data(), static_cast<int>(outline.size()), 1),
                 FALSE);
    ShowAt(Bounds(left, top, w, h));
    shown_ = true;
    NMHDR shown{GetHandle(), t.info.uId, TTN_SHOW};
    SendMessage(t.info.hwnd, WM_NOTIFY, t.info.uId, reinterpret_cast<LPARAM>(&shown));
    SetTimer(GetHandle(), HideTimer, static_cast<UINT>(std::max(10, Delay(TTDT_AUTOPOP))), nullptr);
}

void TToolTipWindow::Pop() {
    if (HandleAllocated()) {
        KillTimer(GetHandle(), ShowTimer);
        KillTimer(GetHandle(), HideTimer);
    }
    waiting_ = false;
    if (!shown_) return;
    shown_ = false;
    SetVisible(false);
    lastPop_ = std::max<DWORD>(1, GetTickCount());
    if (active_ >= 0 && active_ < static_cast<int>(tools_.size())) {
        const TOOLINFO& info = tools_[static_cast<size_t>(active_)].info;
        NMHDR popped{GetHandle(), info.uId, TTN_POP};
        SendMessage(info.hwnd, WM_NOTIFY, info.uId, reinterpret_cast<LPARAM>(&popped));
    }
}

void TToolTipWindow::Layout() {
    TCanvas* c = GetCanvas();
    const bool balloon = style_ & TTS_BALLOON;
    const int margin = balloon ? 8 : 3, top = (balloon ? kStem : 0) + margin;
    const UINT flags =
        DT_CALCRECT | DT_LEFT | DT_WORDBREAK | ((style_ & TTS_NOPREFIX) ? DT_NOPREFIX : 0);
    const int iconWidth = icon_ != TTI_NONE ? kIconSize + 6 : 0;
    int headerWidth = iconWidth, headerHeight = icon_ != TTI_NONE ? kIconSize : 0;
    titleRect_ = TRect();
    if (!title_.IsEmpty()) {
        c->SetFont(GetFont());
        c->GetFont()->SetStyle({fsBold});
        TRect r(0, 0, kMaxTextWidth, 0);
        DrawText(c->GetHandle(), title_.c_str(), -1, &r, flags);
        titleRect_ = Bounds(margin + iconWidth, top, r.Width(), r.Height());
        headerWidth += r.Width();
        headerHeight = std::max(headerHeight, r.Height());
    }
    iconRect_ = icon_ != TTI_NONE ? Bounds(margin, top, kIconSize, kIconSize) : TRect();
    c->SetFont(GetFont());
    TRect r(0, 0, kMaxTextWidth, 0);
    DrawText(c->GetHandle(), text_.c_str(), -1, &r, flags);
    const int textTop = top + headerHeight + (headerHeight ? 6 : 0);
    textRect_ = Bounds(margin, textTop, r.Width(), r.Height());
    SetBounds(GetLeft(), GetTop(), std::max(headerWidth, r.Width()) + 2 * margin + 1,
              textTop + r.Height() + margin);
}

std::vector<TPoint> TToolTipWindow::Outline() const {
    const int w = GetWidth() - 1, h = GetHeight() - 1;
    if (!(style_ & TTS_BALLOON)) return {{0, 0}, {w, 0}, {w, h}, {0, h}};
    const int s = kStem, k = 4;
    return {{k, s},     {kStemX - 4, s}, {kStemX, 0}, {kStemX + 8, s}, {w - k, s}, {w, s + k},
            {w, h - k}, {w - k, h},      {k, h},      {0, h - k},      {0, s + k}};
}

void TToolTipWindow::Paint() {
    TCanvas* c = GetCanvas();
    c->GetBrush()->SetStyle(bsSolid);
    c->GetBrush()->SetColor(static_cast<TColor>(backColor_));
    c->GetPen()->SetColor(static_cast<TColor>(textColor_));
    const std::vector<TPoint> outline = Outline();
    c->Polygon(outline.data(), static_cast<int>(outline.size()));
    if (icon_ != TTI_NONE) {
        const TRect& r = iconRect_;
        static const TColor fill[] = {clNone, clBlue, clYellow, clRed};
        c->GetBrush()->SetColor(fill[icon_]);
        c->GetPen()->SetColor(icon_ == TTI_WARNING ? clOlive : fill[icon_]);
        if (icon_ == TTI_WARNING)
            c->Polygon({TPoint((r.Left + r.Right) / 2, r.Top), TPoint(r.Right - 1, r.Bottom - 1),
                        TPoint(r.Left, r.Bottom - 1)});
        else
            c->Ellipse(r);
        const char* mark = icon_ == TTI_INFO ? "i" : icon_ == TTI_WARNING ? "!" : "x";
        c->SetFont(GetFont());
        c->GetFont()->SetStyle({fsBold});
        c->GetFont()->SetColor(icon_ == TTI_WARNING ? clBlack : clWhite);
        c->GetBrush()->SetStyle(bsClear);
        TRect m = r;
        DrawText(c->GetHandle(), mark, 1, &m, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    c->GetBrush()->SetStyle(bsClear);
    const UINT flags = DT_LEFT | DT_WORDBREAK | ((style_ & TTS_NOPREFIX) ? DT_NOPREFIX : 0);
    if (!title_.IsEmpty()) {
        c->SetFont(GetFont());
        c->GetFont()->SetStyle({fsBold});
        c->GetFont()->SetColor(static_cast<TColor>(textColor_));
        TRect r = titleRect_;
        DrawText(c->GetHandle(), title_.c_str(), -1, &r, flags);
    }
    c->SetFont(GetFont());
    c->GetFont()->SetColor(static_cast<TColor>(textColor_));
    TRect r = textRect_;
    DrawText(c->GetHandle(), text_.c_str(), -1, &r, flags);
}

void TToolTipWindow::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case TTM_ADDTOOL:
        if (Message.LParam) AddTool(*reinterpret_cast<const TOOLINFO*>(Message.LParam));
        Message.Result = Message.LParam != 0;
        return;
    case TTM_GETTOOLCOUNT:
        Message.Result = static_cast<LRESULT>(tools_.size());
        return;
    case TTM_SETTITLE: {
        icon_ = Message.WParam <= TTI_ERROR ? static_cast<int>(Message.WParam) : TTI_NONE;
        const char* title = reinterpret_cast<const char*>(Message.LParam);
        title_ = title ? AnsiString(title) : AnsiString();
        Message.Result = TRUE;
        return;
    }
    case TTM_SETDELAYTIME: {
        const int value = static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(Message.LParam)));
        const int v = value < 0 ? -1 : value;
        if (Message.WParam == TTDT_AUTOMATIC) {
            delays_[TTDT_INITIAL] = v;
            delays_[TTDT_AUTOPOP] = v < 0 ? -1 : 10 * v;
            delays_[TTDT_RESHOW] = v < 0 ? -1 : v / 5;
        } else if (Message.WParam <= TTDT_INITIAL) {
            delays_[Message.WParam] = v;
        }
        return;
    }
    case TTM_GETDELAYTIME:
        Message.Result = Message.WParam <= TTDT_INITIAL ? Delay(Message.WParam) : 0;
        return;
    case TTM_SETTIPBKCOLOR:
        backColor_ = static_cast<COLORREF>(Message.WParam);
        Invalidate();
        return;
    case TTM_SETTIPTEXTCOLOR:
        textColor_ = static_cast<COLORREF>(Message.WParam);
        Invalidate();
        return;
    case TTM_GETTIPBKCOLOR:
        Message.Result = backColor_;
        return;
    case TTM_GETTIPTEXTCOLOR:
        Message.Result = textColor_;
        return;
    case TTM_POP:
        // Closes a shown tip; one about to show still comes.
        if (shown_) Pop();
        return;
    case WM_TIMER:
        Timeout(Message.WParam);
        return;
    default:
        THintWindow::Dispatch(Message);
    }
}

HWND CreateWindowEx(DWORD, const char* lpClassName, const char*, DWORD dwStyle, int, int, int, int,
                    HWND, void*, HINSTANCE, void*) {
    if (!lpClassName ||
        AnsiString(lpClassName).UpperCase() != AnsiString(TOOLTIPS_CLASS).UpperCase())
        return nullptr;
    auto* tip = new TToolTipWindow(nullptr);
    tip->SetStyle(dwStyle);
    tip->HandleNeeded();
    MadeWindows().insert(tip);
    return tip->GetHandle();
}

BOOL DestroyWindow(HWND hWnd) {
    auto* tip = dynamic_cast<TToolTipWindow*>(FindControl(hWnd));
    if (!tip || !MadeWindows().erase(tip)) return FALSE;
    delete tip;
    return TRUE;
}
