#include "controles/edit/window_canvases.h"

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/painting/control_canvas.h"

WindowCanvases::WindowCanvases(TControl* Control) : control_(Control) {}

WindowCanvases::~WindowCanvases() = default;

TCanvas* WindowCanvases::Client() {
    if (!client_) {
        client_ = std::make_unique<TControlCanvas>();
        client_->SetControl(control_);
    }
    return client_.get();
}

void WindowCanvases::Draw(const std::function<void(TCanvas*, int)>& Draw) {
    if (!frame_) {
        frame_ = std::make_unique<TControlCanvas>();
        frame_->SetControl(control_);
        frame_->SetWholeWindow(true);
    }
    Draw(frame_.get(), 0);
    Draw(Client(), -control_->GetBorderWidth());
}
