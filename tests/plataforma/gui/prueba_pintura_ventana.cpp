// Painting a window: WM_NCPAINT before WM_ERASEBKGND and WM_PAINT, Update painting exactly
// what was marked, RedrawWindow, GetUpdateRect, and ScrollWindow giving the pixels of a
// full repaint.

#include "tests/plataforma/gui/canvas_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/widgets/edit.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Rows of 10 pixels from row Primera down, each in its own colour with a line and a mark
// whose place depends on the row, as a grid's cells.
class Filas : public TCustomControl {
public:
    Filas(TWinControl* parent, DWORD exStyle = 0) : TCustomControl(parent), exStyle_(exStyle) {
        SetBounds(0, 0, 120, 100);
        SetParent(parent);
    }
    int primera = 0;
    std::vector<UINT> orden;
    std::vector<TRect> recortes;
    std::function<bool(TMessage&)> alMensaje; // true: consumed

protected:
    void CreateParams(TCreateParams& p) override {
        TCustomControl::CreateParams(p);
        p.ExStyle |= exStyle_;
    }
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_NCPAINT || m.Msg == WM_ERASEBKGND || m.Msg == WM_PAINT)
            orden.push_back(m.Msg);
        if (alMensaje && alMensaje(m)) return;
        TCustomControl::WndProc(m);
    }
    void Paint() override {
        TCanvas* c = GetCanvas();
        recortes.push_back(c->GetClipRect());
        const TRect r = GetClientRect();
        for (int y = 0; y < r.Bottom; y += 10) {
            const int fila = primera + y / 10;
            c->GetBrush()->SetColor(fila % 2 ? clAqua : clYellow);
            c->FillRect(Rect(0, y, r.Right, y + 10));
            c->GetPen()->SetColor(clBlack);
            c->MoveTo(0, y + 9);
            c->LineTo(r.Right, y + 9);
            c->GetBrush()->SetColor(clRed);
            c->FillRect(Rect(fila * 7 % 100, y + 2, fila * 7 % 100 + 5, y + 7));
        }
    }

private:
    DWORD exStyle_;
};

TEST(PinturaVentana, MarcoPrimeroLuegoFondoYCliente) {
    VentanaPrueba v;
    auto* f = new Filas(&v, WS_EX_CLIENTEDGE);
    f->GetWidget()->repaint();
    EXPECT_EQ(f->orden, (std::vector<UINT>{WM_NCPAINT, WM_ERASEBKGND, WM_PAINT}));
    // InvalidateRect without RDW_FRAME: no WM_NCPAINT.
    f->orden.clear();
    TRect r = Rect(10, 10, 30, 20);
    InvalidateRect(f->GetHandle(), &r, TRUE);
    UpdateWindow(f->GetHandle());
    EXPECT_EQ(f->orden, (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));
    f->orden.clear();
    RedrawWindow(f->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(f->orden, (std::vector<UINT>{WM_NCPAINT, WM_ERASEBKGND, WM_PAINT}));
    // A resize paints the frame again first.
    f->orden.clear();
    f->SetBounds(0, 0, 130, 90);
    f->GetWidget()->repaint();
    ASSERT_FALSE(f->orden.empty());
    EXPECT_EQ(f->orden.front(), static_cast<UINT>(WM_NCPAINT));
}

TEST(PinturaVentana, UnEditSinBordeRecibeWmNcPaint) {
    VentanaPrueba v;
    auto* e = new TEdit(&v);
    e->SetParent(&v);
    e->SetBorderStyle(bsNone);
    std::vector<UINT> orden;
    e->WindowProc = [&, previo = e->WindowProc](TMessage& m) {
        if (m.Msg == WM_NCPAINT || m.Msg == WM_ERASEBKGND || m.Msg == WM_PAINT)
            orden.push_back(m.Msg);
        previo(m);
    };
    ASSERT_EQ(e->GetBorderWidth(), 0);
    e->GetWidget()->repaint();
    EXPECT_EQ(orden, (std::vector<UINT>{WM_NCPAINT, WM_ERASEBKGND, WM_PAINT}));
}

TColor EnPantalla(const QImage& img, int x, int y) {
    const QRgb p = img.pixel(x, y);
    return static_cast<TColor>(RGB(qRed(p), qGreen(p), qBlue(p)));
}

TEST(PinturaVentana, QuienAtiendeWmNcPaintSeHaceCargoDelBorde) {
    VentanaPrueba v;
    v.SetColor(clWhite);
    auto* normal = new Filas(&v, WS_EX_CLIENTEDGE);
    auto* propio = new Filas(&v, WS_EX_CLIENTEDGE);
    propio->SetLeft(150);
    propio->alMensaje = [&](TMessage& m) {
        if (m.Msg != WM_NCPAINT) return false;
        HDC dc = GetWindowDC(propio->GetHandle());
        HBRUSH verde = CreateSolidBrush(RGB(0, 128, 0));
        TRect todo = Rect(0, 0, propio->GetWidth(), propio->GetHeight());
        FillRect(dc, &todo, verde); // only the border takes it
        DeleteObject(verde);
        ReleaseDC(propio->GetHandle(), dc);
        return true;
    };
    const QImage a = normal->GetWidget()->grab().toImage();
    const QImage b = propio->GetWidget()->grab().toImage();
    EXPECT_EQ(EnPantalla(a, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(EnPantalla(a, 1, 1), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(EnPantalla(b, 0, 0), clGreen);
    EXPECT_EQ(EnPantalla(b, 1, 50), clGreen);
    EXPECT_EQ(EnPantalla(b, 2 + 50, 2 + 5), clYellow); // the client is the control's own
    // Painting the client again leaves the border as the handler drew it.
    propio->Invalidate();
    propio->Update();
    EXPECT_EQ(EnPantalla(propio->GetWidget()->grab().toImage(), 0, 0), clGreen);
}

TEST(PinturaVentana, UpdatePintaExactamenteLoMarcado) {
    VentanaPrueba v;
    auto* f = new Filas(&v);
    f->Repaint();
    TRect caja;
    EXPECT_FALSE(GetUpdateRect(f->GetHandle(), &caja, FALSE));
    f->recortes.clear();
    TRect a = Rect(10, 10, 20, 20), b = Rect(40, 30, 50, 35);
    InvalidateRect(f->GetHandle(), &a, FALSE);
    InvalidateRect(f->GetHandle(), &b, FALSE);
    EXPECT_TRUE(GetUpdateRect(f->GetHandle(), &caja, FALSE));
    EXPECT_EQ(caja, Rect(10, 10, 50, 35));
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetUpdateRgn(f->GetHandle(), rgn, FALSE), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(rgn, 15, 15));
    EXPECT_FALSE(PtInRegion(rgn, 30, 25));
    DeleteObject(rgn);
    // A pixel outside both, drawn meanwhile, stays: nothing else is painted.
    f->GetCanvas()->SetPixels(30, 25, clBlue);
    f->Update();
    ASSERT_EQ(f->recortes.size(), 1u);
    EXPECT_EQ(f->recortes[0], Rect(10, 10, 50, 35));
    EXPECT_EQ(f->GetCanvas()->GetPixels(30, 25), clBlue);
    EXPECT_FALSE(GetUpdateRect(f->GetHandle(), &caja, FALSE));
    // Nothing marked: nothing painted. RDW_VALIDATE takes a mark back.
    f->Update();
    InvalidateRect(f->GetHandle(), &a, FALSE);
    RedrawWindow(f->GetHandle(), &a, nullptr, RDW_VALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(f->recortes.size(), 1u);
    // RDW_INVALIDATE with a region, painted at once.
    HRGN marca = CreateRectRgn(5, 60, 25, 70);
    RedrawWindow(f->GetHandle(), nullptr, marca, RDW_INVALIDATE | RDW_UPDATENOW);
    DeleteObject(marca);
    ASSERT_EQ(f->recortes.size(), 2u);
    EXPECT_EQ(f->recortes[1], Rect(5, 60, 25, 70));
}

TEST(PinturaVentana, ScrollWindowDaLosMismosPixelesQueRepintarTodo) {
    VentanaPrueba v;
    struct Caso {
        int filas;     // rows scrolled (negative: towards the top)
        bool cabecera; // the first row stays, as a fixed row
    } casos[] = {{1, false}, {-1, false}, {3, true}, {-2, true}};
    for (const Caso& caso : casos) {
        auto* desplazada = new Filas(&v);
        auto* completa = new Filas(&v);
        completa->SetLeft(150);
        desplazada->primera = 5;
        desplazada->Repaint();
        desplazada->recortes.clear();
        // Scrolling down the contents shows earlier rows: row index goes down.
        desplazada->primera -= caso.filas;
        TRect zona = Rect(0, 10, 120, 100);
        ScrollWindow(desplazada->GetHandle(), 0, caso.filas * 10, caso.cabecera ? &zona : nullptr,
                     caso.cabecera ? &zona : nullptr);
        if (caso.cabecera) {
            // The fixed row is painted apart, as a grid does.
            TRect fija = Rect(0, 0, 120, 10);
            InvalidateRect(desplazada->GetHandle(), &fija, FALSE);
        }
        desplazada->Update();
        // Only the uncovered rows (and the fixed one) were painted.
        ASSERT_FALSE(desplazada->recortes.empty());
        const int alto = std::abs(caso.filas) * 10 + (caso.cabecera ? 10 : 0);
        EXPECT_LE(desplazada->recortes[0].Height(), caso.cabecera ? 100 : alto);
        completa->primera = desplazada->primera;
        completa->Repaint();
        EXPECT_EQ(Snapshot(desplazada->GetCanvas(), Rect(0, 10, 120, 100)),
                  Snapshot(completa->GetCanvas(), Rect(0, 10, 120, 100)))
            << caso.filas;
        // What the screen shows agrees too.
        EXPECT_EQ(desplazada->GetWidget()->grab().toImage(),
                  completa->GetWidget()->grab().toImage())
            << caso.filas;
        delete desplazada;
        delete completa;
    }
}

TEST(PinturaVentana, ScrollWindowMueveLosHijosSoloSinRectangulo) {
    VentanaPrueba v;
    auto* f = new Filas(&v);
    auto* hijo = new TControlPrueba(&v, f);
    hijo->SetBounds(10, 40, 30, 10);
    f->Repaint();
    ScrollWindow(f->GetHandle(), 0, -10, nullptr, nullptr);
    EXPECT_EQ(hijo->GetTop(), 30);
    TRect zona = Rect(0, 0, 120, 100);
    ScrollWindow(f->GetHandle(), 0, -10, &zona, nullptr);
    EXPECT_EQ(hijo->GetTop(), 30);
    TRect descubierto;
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(ScrollWindowEx(f->GetHandle(), 5, 0, nullptr, nullptr, rgn, &descubierto, 0),
              SIMPLEREGION);
    EXPECT_EQ(descubierto, Rect(0, 0, 5, 100));
    EXPECT_TRUE(PtInRegion(rgn, 2, 50));
    DeleteObject(rgn);
    EXPECT_EQ(hijo->GetLeft(), 10); // without SW_SCROLLCHILDREN
}

} // namespace
