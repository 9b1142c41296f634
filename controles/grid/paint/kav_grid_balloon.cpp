// TKavStringGrid: the application's hint window class, the balloon tool tip over the grid
// (created, set up, removed, closed when the pointer changes cell) with the answer to its
// text request, and the repaint when the marking of modified cells changes.

#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/markup/html_hint_window.h"
#include "controles/grid/markup/markup_helpers.h"
#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/kernel/layered_windows.h"
#include "plataforma/gui/widgets/date_time_picker.h"
#include "plataforma/gui/widgets/tool_tip.h"

#include <cstring>

namespace {

constexpr int kMaxBalloonText = 1024;
constexpr int kMaxBalloonTitle = 100;

} // namespace

void TKavStringGrid::SetUseHTMLHints(bool Value) {
    useHTMLHints_ = Value;
    if (Value)
        SetHintWindowClass<THTMLHintWindow>();
    else
        SetHintWindowClass<THintWindow>();
}

void TKavStringGrid::CreateToolTip() {
    toolTip_ =
        CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, TTS_ALWAYSTIP | TTS_BALLOON, CW_USEDEFAULT,
                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                       HandleAllocated() ? GetHandle() : nullptr, nullptr, HInstance, nullptr);
    if (toolTip_)
        SetWindowPos(toolTip_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TKavStringGrid::DestroyToolTip() {
    if (toolTip_) DestroyWindow(toolTip_);
    toolTip_ = nullptr;
}

void TKavStringGrid::AddToolTip(int IconType, const AnsiString&, const AnsiString& Title) {
    if (!HandleAllocated()) return;
    TOOLINFO ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = GetHandle();
    ti.uId = reinterpret_cast<UINT_PTR>(GetHandle());
    ti.rect = GetClientRect();
    ti.hinst = HInstance;
    ti.lpszText = LPSTR_TEXTCALLBACK;
    SendMessage(toolTip_, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    char title[256] = {};
    std::strncpy(title, Title.c_str(), sizeof title - 1);
    const int icon = IconType >= TTI_NONE && IconType <= TTI_ERROR ? IconType : TTI_NONE;
    SendMessage(toolTip_, TTM_SETTITLE, static_cast<WPARAM>(icon), reinterpret_cast<LPARAM>(title));
}

void TKavStringGrid::BalloonInit() {
    // A balloon made before goes first: enabling again makes a new one, never a second.
    DestroyToolTip();
    CreateToolTip();
    AddToolTip(TTI_ERROR, "KavGrid", "ToolTipText");
    const std::pair<WPARAM, int> delays[] = {{TTDT_INITIAL, balloon_->GetInitialDelay()},
                                             {TTDT_RESHOW, balloon_->GetReshowDelay()},
                                             {TTDT_AUTOPOP, balloon_->GetAutoHideDelay()}};
    for (const auto& [which, delay] : delays)
        if (delay != -1)
            SendMessage(toolTip_, TTM_SETDELAYTIME, which, MAKELPARAM(static_cast<WORD>(delay), 0));
    if (balloon_->GetTransparency() > 0)
        SetLayeredWindowAttributes(toolTip_, 0,
                                   static_cast<BYTE>(255 - balloon_->GetTransparency()), LWA_ALPHA);
}

void TKavStringGrid::BalloonDone() {
    DestroyToolTip();
}

void TKavStringGrid::BalloonChange(TObject*) {
    if (GetComponentState().Contains(csLoading)) return;
    if (balloon_->GetEnable())
        BalloonInit();
    else
        BalloonDone();
}

void TKavStringGrid::ModifiedChanged(TObject*) {
    RepaintCol(0);
}

void TKavStringGrid::TrackBalloonCell(TGridCoord Cell) {
    if (!balloon_->GetEnable() || Cell == balloonCell_) return;
    if (toolTip_) SendMessage(toolTip_, TTM_POP, 0, 0);
    balloonCell_ = Cell;
}

bool TKavStringGrid::WMNotify(TWMNotify& Message) {
    const NMHDR* hdr = Message.NMHdr;
    if (!hdr) return false;
    if (hdr->code == DTN_DATETIMECHANGE) {
        if (OnDateTimeChange)
            OnDateTimeChange(
                this, GetCol(), GetRow(),
                SystemTimeToDateTime(reinterpret_cast<const NMDATETIMECHANGE*>(Message.NMHdr)->st));
        return false;
    }
    if (hdr->code == TTN_SHOW || hdr->code == TTN_POP) return true;
    if (hdr->code != TTN_NEEDTEXT || !balloon_->GetEnable()) return false;
    auto* info = reinterpret_cast<NMTTDISPINFO*>(Message.NMHdr);
    POINT p{};
    GetCursorPos(&p);
    const TPoint client = ScreenToClient(TPoint(p.x, p.y));
    const TGridCoord cell = MouseCoord(client.x, client.y);
    AnsiString text;
    if (cell.X >= 0 && cell.Y >= 0) {
        const int col = RemapCol(cell.X);
        const AnsiString raw = GetCellEx(col, cell.Y);
        switch (TextType(raw, enableHTML_)) {
        case ttHTML:
            text = HTMLStrip(raw);
            break;
        case ttRTF:
            text = RichTextPlain(raw);
            break;
        case ttUnicode:
            text = DecodeWideStr(raw).ToAnsiString();
            break;
        default:
            text = raw;
        }
    }
    // Leading tabs and line breaks are left out; the other tabs become blanks.
    int first = 1;
    while (first <= text.Length() &&
           (text[first] == '\t' || text[first] == '\n' || text[first] == '\r'))
        ++first;
    std::string plain = text.SubString(first, text.Length()).str();
    for (char& ch : plain)
        if (ch == '\t') ch = ' ';
    text = AnsiString(plain);
    if (text.Length() > kMaxBalloonText) text = text.SubString(1, kMaxBalloonText) + "...";
    int icon = TTI_INFO;
    AnsiString title = " ";
    if (OnCellBalloon) OnCellBalloon(this, cell.X, cell.Y, title, text, icon);
    if (title.Length() > kMaxBalloonTitle) title = title.SubString(1, kMaxBalloonTitle - 3) + "...";
    balloonText_ = text;
    info->lpszText = const_cast<char*>(balloonText_.c_str());
    if (balloon_->GetTextColor() != clNone)
        SendMessage(hdr->hwndFrom, TTM_SETTIPTEXTCOLOR, ColorToRGB(balloon_->GetTextColor()), 0);
    if (balloon_->GetBackgroundColor() != clNone)
        SendMessage(hdr->hwndFrom, TTM_SETTIPBKCOLOR, ColorToRGB(balloon_->GetBackgroundColor()),
                    0);
    SendMessage(hdr->hwndFrom, TTM_SETTITLE, static_cast<WPARAM>(icon),
                reinterpret_cast<LPARAM>(title.c_str()));
    return true;
}
