#include "controles/edit/flat_combo.h"

#include "plataforma/base/numbers.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/gdi.h"

void DrawComboFrame(TCanvas* Canvas, TRect R, bool Sunken, TColor Outer, TColor Inner) {
    TBrush* brush = Canvas->GetBrush();
    brush->SetStyle(bsSolid);
    if (Sunken) {
        DrawEdge(Canvas->GetHandle(), &R, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        brush->SetColor(Outer);
        Canvas->FrameRect(R);
    } else {
        brush->SetColor(Outer);
        Canvas->FrameRect(R);
        R = InflateRect(R, -1, -1);
        Canvas->FrameRect(R);
    }
    R = InflateRect(R, -1, -1);
    brush->SetColor(Inner);
    Canvas->FrameRect(R);
}

void FillFlatComboClient(TWinControl* Combo, HDC DC) {
    const TRect client = Combo->GetClientRect();
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Combo->GetColor()));
    FillRect(DC, &client, brush);
    DeleteObject(brush);
}

void FlatComboMouse(TWinControl* Combo, bool Entered, bool& MouseIn, bool AutoFocus) {
    if (MouseIn != Entered && Combo->GetEnabled()) {
        MouseIn = Entered;
        Combo->Invalidate();
    }
    if (Entered && AutoFocus && Combo->CanFocus()) Combo->SetFocus();
}

void FlatComboEnabledChanged(TWinControl* Combo, bool& SavedParentColor, TColor& SavedColor) {
    if (Combo->GetEnabled()) {
        Combo->SetParentColor(SavedParentColor);
        Combo->SetColor(SavedColor);
    } else {
        SavedParentColor = Combo->GetParentColor();
        SavedColor = Combo->GetColor();
        Combo->SetParentColor(true);
    }
}

void InvalidateDropButton(TWinControl* Combo, int ButtonWidth) {
    if (!Combo->HandleAllocated()) return;
    TRect r = Combo->GetClientRect();
    r.Left = r.Right - ButtonWidth;
    InvalidateRect(Combo->GetHandle(), &r, FALSE);
}

AnsiString VersionText(int VersionNr) {
    const int v = VersionNr;
    return IntToStr((v >> 24) & 0xFF) + "." + IntToStr((v >> 16) & 0xFF) + "." +
           IntToStr((v >> 8) & 0xFF) + "." + IntToStr(v & 0xFF);
}
