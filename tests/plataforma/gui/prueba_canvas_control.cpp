// The backing store of custom-painted controls: drawing outside WM_PAINT stays on screen
// until the area is invalidated, WM_PAINT runs only for what is invalid, and windowless
// controls show their parent where they draw nothing.

#include "tests/plataforma/gui/canvas_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/testing/input_simulation.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class Pizarra : public TCustomControl {
public:
    explicit Pizarra(TWinControl* parent) : TCustomControl(parent) {
        SetBounds(5, 5, 60, 40);
        SetParent(parent);
    }
    int pintadas = 0;
    TRect recorte;
    HDC dcBorrado = nullptr;

protected:
    void Dispatch(TMessage& m) override {
        if (m.Msg == WM_ERASEBKGND) dcBorrado = reinterpret_cast<HDC>(m.WParam);
        TCustomControl::Dispatch(m);
    }
    void Paint() override {
        ++pintadas;
        TCanvas* c = GetCanvas();
        recorte = c->GetClipRect();
        c->GetBrush()->SetColor(clYellow);
        c->FillRect(Rect(0, 0, 30, 40));
    }
};

// What the screen shows of a control.
TColor EnPantalla(TControl* c, int x, int y) {
    const QImage img = c->GetWidget()->grab().toImage();
    const QRgb p = img.pixel(x, y);
    return static_cast<TColor>(RGB(qRed(p), qGreen(p), qBlue(p)));
}

TEST(Almacen, LoQueSeDibujaFueraDePaintQuedaHastaQueSeInvalida) {
    VentanaPrueba v;
    auto* p = new Pizarra(&v);
    p->SetColor(clWhite);
    p->Repaint();
    ASSERT_EQ(p->pintadas, 1);
    TCanvas* c = p->GetCanvas();
    EXPECT_EQ(c->GetPixels(5, 5), clYellow);
    EXPECT_EQ(c->GetPixels(40, 5), clWhite); // WM_ERASEBKGND filled the store with Color
    EXPECT_NE(p->dcBorrado, nullptr);
    EXPECT_EQ(p->recorte, Rect(0, 0, 60, 40));

    // A mouse handler inverts a line, as a column being resized is shown.
    p->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int y) {
        c->GetPen()->SetMode(pmXor);
        c->GetPen()->SetColor(clWhite);
        c->MoveTo(0, y);
        c->LineTo(60, y);
    };
    SimulateMouse(p, SimulatedMouse::Down, 0, 3, 10);
    SimulateMouse(p, SimulatedMouse::Up, 0, 3, 10);
    EXPECT_EQ(c->GetPixels(5, 10), clBlue);   // yellow inverted
    EXPECT_EQ(c->GetPixels(40, 10), clBlack); // white inverted
    Application->ProcessMessages();
    EXPECT_EQ(EnPantalla(p, 5, 10), clBlue);
    EXPECT_EQ(p->pintadas, 1); // shown without painting again

    // The same line again takes it away.
    SimulateMouse(p, SimulatedMouse::Down, 0, 3, 10);
    Application->ProcessMessages();
    EXPECT_EQ(EnPantalla(p, 5, 10), clYellow);
    EXPECT_EQ(p->pintadas, 1);

    // Invalidating paints again, and the line drawn meanwhile goes.
    SimulateMouse(p, SimulatedMouse::Down, 0, 3, 20);
    p->Invalidate();
    p->Update();
    EXPECT_EQ(p->pintadas, 2);
    EXPECT_EQ(c->GetPixels(5, 20), clYellow);
}

TEST(Almacen, InvalidateRectPintaSoloLoMarcado) {
    VentanaPrueba v;
    auto* p = new Pizarra(&v);
    p->Repaint();
    ASSERT_EQ(p->pintadas, 1);
    TRect r = Rect(10, 10, 20, 15);
    InvalidateRect(p->GetHandle(), &r, FALSE);
    UpdateWindow(p->GetHandle());
    EXPECT_EQ(p->pintadas, 2);
    EXPECT_EQ(p->recorte, r);
    // Nothing marked: UpdateWindow paints nothing.
    UpdateWindow(p->GetHandle());
    EXPECT_EQ(p->pintadas, 2);
    // A device context of the window draws into the same store.
    HDC dc = GetDC(p->GetHandle());
    ASSERT_NE(dc, nullptr);
    HBRUSH rojo = CreateSolidBrush(RGB(255, 0, 0));
    TRect celda = Rect(50, 30, 55, 35);
    FillRect(dc, &celda, rojo);
    DeleteObject(rojo);
    EXPECT_EQ(ReleaseDC(p->GetHandle(), dc), 1);
    EXPECT_EQ(p->GetCanvas()->GetPixels(52, 32), clRed);
    Application->ProcessMessages();
    EXPECT_EQ(EnPantalla(p, 52, 32), clRed);
    EXPECT_EQ(GetDC(nullptr), nullptr);
}

class Marca : public TGraphicControl {
public:
    explicit Marca(TWinControl* parent) : TGraphicControl(parent) {
        SetBounds(10, 10, 20, 20);
        SetParent(parent);
    }

protected:
    void Paint() override {
        GetCanvas()->GetBrush()->SetColor(clRed);
        GetCanvas()->FillRect(Rect(0, 0, 5, 5));
    }
};

TEST(Almacen, UnControlSinVentanaDejaVerASuPadreDondeNoDibuja) {
    VentanaPrueba v;
    v.SetColor(clGreen);
    auto* m = new Marca(&v);
    v.Repaint();
    m->Repaint();
    const QImage ventana = v.GetWidget()->grab().toImage();
    EXPECT_EQ(ventana.pixel(12, 12) & 0xFFFFFF, 0xFF0000u); // the mark, red
    EXPECT_EQ(ventana.pixel(25, 25) & 0xFFFFFF, 0x008000u); // the window's green through it
}

} // namespace
