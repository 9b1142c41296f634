#pragma once
// Drawing over a whole control window (what the window's device context reaches): the
// frame has a canvas of its own, and the client area another one, moved by the border.

#include <functional>
#include <memory>

class TCanvas;
class TControl;
class TControlCanvas;

class WindowCanvases {
public:
    explicit WindowCanvases(TControl* Control);
    ~WindowCanvases();
    WindowCanvases(const WindowCanvases&) = delete;
    WindowCanvases& operator=(const WindowCanvases&) = delete;

    // The client area's canvas.
    TCanvas* Client();
    // Runs Draw on each canvas with the window's (0, 0) on it (0 for the frame, minus the
    // border for the client area).
    void Draw(const std::function<void(TCanvas* Canvas, int Origin)>& Draw);

private:
    TControl* control_;
    std::unique_ptr<TControlCanvas> frame_, client_;
};
