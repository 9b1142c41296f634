#include "plataforma/gui/painting/recording_canvas.h"

#include "plataforma/gui/painting/canvas_device.h"
#include "plataforma/gui/kernel/qt_bridge.h"

AnsiString TCanvasCall::ToString() const {
    AnsiString s = Name + "(";
    bool first = true;
    for (int a : Args) {
        if (!first) s += ",";
        s += AnsiString(a);
        first = false;
    }
    if (!Text.IsEmpty() || Name == "TextOut" || Name == "DrawText" || Name == "TextRect") {
        if (!first) s += ",";
        s += "\"" + Text + "\"";
    }
    return s + ")";
}

TCanvasRecorder::TCanvasRecorder(TCanvas* Canvas) : canvas_(Canvas) {
    if (canvas_) canvas_->Device().recorder = this;
}

TCanvasRecorder::~TCanvasRecorder() {
    Detach();
}

void TCanvasRecorder::Detach() {
    if (canvas_ && canvas_->Device().recorder == this) canvas_->Device().recorder = nullptr;
    canvas_ = nullptr;
}

std::vector<TCanvasCall> TCanvasRecorder::Calls(const AnsiString& Name, bool TopLevelOnly) const {
    std::vector<TCanvasCall> out;
    for (const TCanvasCall& c : calls_)
        if (c.Name == Name && (!TopLevelOnly || c.Depth == 0)) out.push_back(c);
    return out;
}

int TCanvasRecorder::Count(const AnsiString& Name) const {
    int n = 0;
    for (const TCanvasCall& c : calls_)
        if (c.Name == Name) ++n;
    return n;
}

std::vector<AnsiString> TCanvasRecorder::Log() const {
    std::vector<AnsiString> out;
    for (const TCanvasCall& c : calls_)
        if (c.Depth == 0) out.push_back(c.ToString());
    return out;
}

void TCanvasRecorder::Add(const CanvasDevice& Device, const char* Name,
                          std::initializer_list<int> Args, const AnsiString& Text) {
    const DeviceState& s = Device.state;
    TCanvasCall c;
    c.Name = Name;
    c.Args.assign(Args.begin(), Args.end());
    c.Text = Text;
    c.Depth = Device.depth;
    c.PenColor = s.penColor;
    c.PenWidth = s.penWidth;
    c.PenStyle = s.penStyle;
    c.PenMode = s.penMode;
    c.BrushColor = s.brushColor;
    c.BrushStyle = s.brushStyle;
    c.TextColor = s.textColor;
    c.BkColor = s.bkColor;
    c.BkMode = s.bkMode;
    c.FontFamily = FromQString(s.font.family());
    c.FontPixelSize = s.font.pixelSize();
    c.FontBold = s.font.bold();
    c.FontEscapement = s.escapement;
    calls_.push_back(std::move(c));
}

struct TRecordingCanvas::Surface {
    QImage image;
};

TRecordingCanvas::TRecordingCanvas(int Width, int Height) : surface_(std::make_unique<Surface>()) {
    EnsureQtApplication();
    surface_->image = QImage(std::max(0, Width), std::max(0, Height), QImage::Format_RGB32);
    surface_->image.fill(Qt::white);
    recorder_ = std::make_unique<TCanvasRecorder>(this);
}

TRecordingCanvas::~TRecordingCanvas() {
    recorder_.reset();
    Device().ClearTarget();
}

int TRecordingCanvas::GetWidth() const {
    return surface_->image.width();
}

int TRecordingCanvas::GetHeight() const {
    return surface_->image.height();
}

void TRecordingCanvas::UpdateTarget() {
    if (!Device().HasTarget()) Device().SetTarget(&surface_->image);
}
