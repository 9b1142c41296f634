#pragma once
// For tests that check what was drawn: a recorder attached to a canvas logs each drawing
// call (canvas methods and the Win32 functions called on its Handle) with its arguments
// and the device state it drew with. Calls made inside another call (the lines of a
// DrawText, the edges of a DrawFrameControl) are logged too, one level deeper. Drawing goes
// on as usual, so the pixels can be checked as well.
// TRecordingCanvas: a canvas on an image of its own, recorded from the start.

#include "plataforma/gui/painting/canvas.h"

#include <memory>
#include <vector>

class CanvasDevice;
class TBitmap;

struct TCanvasCall {
    AnsiString Name;       // "Rectangle", "DrawText", "TextOut"...
    std::vector<int> Args; // the numeric arguments in order; a rectangle as its four edges
    AnsiString Text;       // the text of text calls
    int Depth = 0;         // 0 for calls made by the caller, 1 and up for nested calls
    // The device context's state when the call was made.
    COLORREF PenColor = 0;
    int PenWidth = 1;
    TPenStyle PenStyle = psSolid;
    TPenMode PenMode = pmCopy;
    COLORREF BrushColor = 0;
    TBrushStyle BrushStyle = bsSolid;
    COLORREF TextColor = 0;
    COLORREF BkColor = 0;
    int BkMode = 0;
    AnsiString FontFamily;
    int FontPixelSize = 0;
    bool FontBold = false;
    int FontEscapement = 0;

    // "Rectangle(1,2,3,4)", "TextOut(2,3,\"Hola\")".
    AnsiString ToString() const;
};

class TCanvasRecorder {
public:
    // Starts logging the calls made on Canvas; the destructor stops.
    explicit TCanvasRecorder(TCanvas* Canvas);
    ~TCanvasRecorder();
    TCanvasRecorder(const TCanvasRecorder&) = delete;
    TCanvasRecorder& operator=(const TCanvasRecorder&) = delete;

    const std::vector<TCanvasCall>& Calls() const { return calls_; }
    // The calls of one name (only the caller's own with TopLevelOnly).
    std::vector<TCanvasCall> Calls(const AnsiString& Name, bool TopLevelOnly = false) const;
    int Count(const AnsiString& Name) const;
    // ToString of the caller's own calls, in order.
    std::vector<AnsiString> Log() const;
    void Clear() { calls_.clear(); }

    // --- inside the platform layer ---
    void Add(const CanvasDevice& Device, const char* Name, std::initializer_list<int> Args,
             const AnsiString& Text);
    void Detach();

private:
    TCanvas* canvas_;
    std::vector<TCanvasCall> calls_;
};

class TRecordingCanvas : public TCanvas {
public:
    // An image of that size, white, recorded from the start.
    TRecordingCanvas(int Width, int Height);
    ~TRecordingCanvas() override;
    TCanvasRecorder& Recorder() { return *recorder_; }
    int GetWidth() const;
    int GetHeight() const;

protected:
    void UpdateTarget() override;

private:
    struct Surface;
    std::unique_ptr<Surface> surface_;
    std::unique_ptr<TCanvasRecorder> recorder_;
};
