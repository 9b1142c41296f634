#include "controles/edit/edit_border.h"

#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/std_messages.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/draw_edge.h"

void DrawEditFrame(TCanvas* Canvas, int Offset, int Width, int Height, bool Sunken, TColor Frame) {
    TRect r(Offset, Offset, Offset + Width, Offset + Height);
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetBrush()->SetColor(Frame);
    if (Sunken) {
        DrawEdge(Canvas->GetHandle(), &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        Canvas->FrameRect(r);
    } else {
        Canvas->FrameRect(r);
        r = InflateRect(r, -1, -1);
        Canvas->FrameRect(r);
    }
}

void DrawFlatEditLine(TCanvas* Canvas, int Offset, const TRect& Format, int Width, int Height,
                      TColor Color, bool Soft) {
    const int o = Offset, w = Width, h = Height;
    Canvas->GetPen()->SetColor(Color);
    Canvas->GetPen()->SetWidth(1);
    Canvas->GetPen()->SetStyle(psSolid);
    if (Soft) {
        Canvas->MoveTo(o + Format.Left - 2, o + h - 1);
        Canvas->LineTo(o + w - 1, o + h - 1);
        Canvas->LineTo(o + w - 1, o + Format.Top - 4);
        Canvas->LineTo(o + Format.Left - 2, o + Format.Top - 4);
        Canvas->LineTo(o + Format.Left - 2, o + h - 1);
    } else {
        Canvas->MoveTo(o + Format.Left - 2, o + h - 1);
        Canvas->LineTo(o + w, o + h - 1);
    }
}

void SetFlatFormatRect(TWinControl* Edit, bool Flat) {
    if (!Edit->HandleAllocated()) return;
    TRect r = Edit->GetClientRect();
    if (Flat) {
        r.Left += 2;
        r.Right -= 2;
        r.Top += 4;
        r.Bottom -= 4;
    }
    Edit->Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}
