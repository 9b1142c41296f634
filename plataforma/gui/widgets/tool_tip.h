#pragma once
// The common controls' tool-tip window ("Tooltips_Class32"), as far as the programs use it:
// tools that cover a rectangle of a window they watch (TTF_SUBCLASS), text asked of that
// window when the tip is about to show (LPSTR_TEXTCALLBACK, answered to WM_NOTIFY with
// TTN_NEEDTEXT), a title with an icon, the three delays, the colours, and the balloon look
// (TTS_BALLOON: a rounded box with a stem pointing at the mouse pointer). The delays run on
// window timers: tests send the WM_TIMER messages themselves.

#include "plataforma/gui/images/bitmap_resources.h"
#include "plataforma/gui/kernel/messages.h"
#include "plataforma/gui/widgets/hint_window.h"

#include <vector>

inline constexpr const char* TOOLTIPS_CLASS = "Tooltips_Class32";

enum : DWORD { TTS_ALWAYSTIP = 0x01, TTS_NOPREFIX = 0x02, TTS_BALLOON = 0x40 };
enum : UINT { TTF_IDISHWND = 0x0001, TTF_CENTERTIP = 0x0002, TTF_SUBCLASS = 0x0010 };
enum : UINT {
    TTM_SETDELAYTIME = WM_USER + 3,
    TTM_ADDTOOL = WM_USER + 4,
    TTM_GETTOOLCOUNT = WM_USER + 13,
    TTM_SETTIPBKCOLOR = WM_USER + 19,
    TTM_SETTIPTEXTCOLOR = WM_USER + 20,
    TTM_GETDELAYTIME = WM_USER + 21,
    TTM_GETTIPBKCOLOR = WM_USER + 22,
    TTM_GETTIPTEXTCOLOR = WM_USER + 23,
    TTM_POP = WM_USER + 28,
    TTM_SETTITLE = WM_USER + 32,
};
enum : WPARAM { TTDT_AUTOMATIC = 0, TTDT_RESHOW = 1, TTDT_AUTOPOP = 2, TTDT_INITIAL = 3 };
enum : WPARAM { TTI_NONE = 0, TTI_INFO = 1, TTI_WARNING = 2, TTI_ERROR = 3 };
inline constexpr UINT TTN_NEEDTEXT = static_cast<UINT>(-520);
inline constexpr UINT TTN_SHOW = static_cast<UINT>(-521);
inline constexpr UINT TTN_POP = static_cast<UINT>(-522);
// A tool's text that is asked for each time the tip shows.
inline char* const LPSTR_TEXTCALLBACK = reinterpret_cast<char*>(-1);

struct TOOLINFO {
    UINT cbSize = sizeof(TOOLINFO);
    UINT uFlags = 0;
    HWND hwnd = nullptr; // the window the tool's rectangle is in, asked for the text
    UINT_PTR uId = 0;    // with TTF_IDISHWND, the handle of the window the tool covers
    TRect rect;          // in hwnd's client coordinates
    HINSTANCE hinst = nullptr;
    char* lpszText = nullptr; // the text, or LPSTR_TEXTCALLBACK
    LPARAM lParam = 0;
};

// TTN_NEEDTEXT: the answer goes in lpszText (pointing at szText, or at text the answering
// window keeps until the next request).
struct NMTTDISPINFO {
    NMHDR hdr;
    char* lpszText = nullptr;
    char szText[80] = {};
    HINSTANCE hinst = nullptr;
    UINT uFlags = 0;
    LPARAM lParam = 0;
};

class TToolTipWindow : public THintWindow {
public:
    explicit TToolTipWindow(TComponent* AOwner);
    ~TToolTipWindow() override;

    // What shows now (tests look at it).
    const AnsiString& GetTipText() const { return text_; }
    const AnsiString& GetTitle() const { return title_; }
    int GetIcon() const { return icon_; }
    DWORD GetStyle() const { return style_; }
    void SetStyle(DWORD Value) { style_ = Value; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    struct Tool {
        TOOLINFO info;
        AnsiString text;
        TControl* watched = nullptr; // the subclassed window's control
        TWndMethod savedProc;
    };
    // Timers: the wait before showing, and the time shown.
    enum : UINT_PTR { ShowTimer = 1, HideTimer = 2 };

    void AddTool(const TOOLINFO& Info);
    void Relay(Tool& T, TMessage& Message);
    void Timeout(UINT_PTR Id);
    void ShowTip();
    void Pop();
    int Delay(WPARAM Which) const;
    // The balloon's outline in client coordinates (the stem at the top left).
    std::vector<TPoint> Outline() const;
    void Layout();

    DWORD style_ = 0;
    std::vector<Tool> tools_;
    AnsiString title_;
    int icon_ = TTI_NONE;
    int delays_[4] = {-1, -1, -1, -1};
    COLORREF textColor_;
    COLORREF backColor_;
    int active_ = -1; // the tool under the mouse pointer
    bool waiting_ = false;
    bool shown_ = false;
    DWORD lastPop_ = 0;
    AnsiString text_;
    TRect titleRect_, textRect_, iconRect_;
};

// CreateWindowEx for the window classes the layer knows: TOOLTIPS_CLASS (a TToolTipWindow,
// owned by the layer until DestroyWindow). nullptr for any other class.
HWND CreateWindowEx(DWORD dwExStyle, const char* lpClassName, const char* lpWindowName,
                    DWORD dwStyle, int X, int Y, int nWidth, int nHeight, HWND hWndParent,
                    void* hMenu, HINSTANCE hInstance, void* lpParam);
// Destroys a window made by CreateWindowEx; FALSE for any other handle.
BOOL DestroyWindow(HWND hWnd);
inline constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);
