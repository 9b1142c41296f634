#include "Vornak/IconosArbol.h"

#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/images/image_list.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/colors.h"

#include <tuple>

namespace {

constexpr TColor FONDO = clFuchsia; // transparente

void Caja(TCanvas* c, TColor relleno, TColor borde, int l, int t, int r, int b) {
    c->GetBrush()->SetColor(relleno);
    c->GetPen()->SetColor(borde);
    c->Rectangle(l, t, r, b);
}

void Carpeta(TCanvas* c, bool abierta) {
    const TColor amarillo = static_cast<TColor>(0x0040C8F0);
    const TColor oscuro = static_cast<TColor>(0x00207890);
    Caja(c, amarillo, oscuro, 1, 3, 7, 6);
    Caja(c, amarillo, oscuro, 1, 5, 15, 14);
    if (abierta) {
        c->GetBrush()->SetColor(static_cast<TColor>(0x0080E0FF));
        c->Polygon({TPoint{3, 8}, TPoint{16, 8}, TPoint{13, 13}, TPoint{1, 13}});
    }
}

void Dibujar(TCanvas* c, int indice) {
    switch (indice) {
    case 2: // hueco: un vidrio en su marco
        Caja(c, static_cast<TColor>(0x00306090), clBlack, 1, 1, 15, 15);
        Caja(c, static_cast<TColor>(0x00F0D8A0), static_cast<TColor>(0x00306090), 3, 3, 13, 13);
        c->GetPen()->SetColor(static_cast<TColor>(0x00306090));
        c->MoveTo(8, 3);
        c->LineTo(8, 13);
        break;
    case 7:
        Carpeta(c, true);
        break;
    case 8:
        Carpeta(c, false);
        break;
    case 9: // material: ladrillos
        Caja(c, static_cast<TColor>(0x003050C0), static_cast<TColor>(0x00102060), 1, 2, 15, 14);
        c->GetPen()->SetColor(static_cast<TColor>(0x00C0D0E0));
        for (int y : {6, 10}) {
            c->MoveTo(1, y);
            c->LineTo(15, y);
        }
        for (auto [x, y0, y1] : {std::tuple{8, 2, 6}, {4, 6, 10}, {11, 6, 10}, {8, 10, 14}}) {
            c->MoveTo(x, y0);
            c->LineTo(x, y1);
        }
        break;
    case 12: // vidrio
        Caja(c, static_cast<TColor>(0x00F8E8C0), static_cast<TColor>(0x00A07040), 2, 1, 14, 15);
        c->GetPen()->SetColor(clWhite);
        c->MoveTo(4, 11);
        c->LineTo(10, 4);
        break;
    case 13: // marco
        Caja(c, static_cast<TColor>(0x002060A0), clBlack, 1, 1, 15, 15);
        Caja(c, clWhite, static_cast<TColor>(0x00103050), 4, 4, 12, 12);
        break;
    case 15: // proyecto: una base de datos
        Caja(c, static_cast<TColor>(0x00C08040), static_cast<TColor>(0x00604020), 2, 3, 14, 14);
        c->GetBrush()->SetColor(static_cast<TColor>(0x00F0C080));
        c->Ellipse(2, 1, 14, 6);
        break;
    case 18: // eliminar
        c->GetPen()->SetColor(clRed);
        c->GetPen()->SetWidth(2);
        c->MoveTo(3, 3);
        c->LineTo(13, 13);
        c->MoveTo(13, 3);
        c->LineTo(3, 13);
        c->GetPen()->SetWidth(1);
        break;
    case 19: // cerramiento: capas
        Caja(c, static_cast<TColor>(0x00B0B0B0), clBlack, 1, 1, 5, 15);
        Caja(c, static_cast<TColor>(0x0060C0F0), clBlack, 4, 1, 10, 15);
        Caja(c, static_cast<TColor>(0x003050C0), clBlack, 9, 1, 15, 15);
        break;
    case 20: // puente térmico: una esquina con la pérdida marcada
        c->GetBrush()->SetColor(static_cast<TColor>(0x00A0A0A0));
        c->GetPen()->SetColor(clBlack);
        c->Polygon({TPoint{1, 1}, TPoint{6, 1}, TPoint{6, 10}, TPoint{15, 10}, TPoint{15, 15},
                    TPoint{1, 15}});
        c->GetBrush()->SetColor(clRed);
        c->GetPen()->SetColor(clRed);
        c->Ellipse(3, 9, 9, 15);
        break;
    default:
        break;
    }
}

} // namespace

void CargarIconosArbol(TCustomImageList* lista) {
    lista->SetWidth(16);
    lista->SetHeight(16);
    for (int i = 0; i <= 20; ++i) {
        TBitmap imagen;
        imagen.SetSize(16, 16);
        TCanvas* c = imagen.GetCanvas();
        c->GetBrush()->SetColor(FONDO);
        c->FillRect(TRect{0, 0, 16, 16});
        Dibujar(c, i);
        lista->AddMasked(&imagen, FONDO);
    }
}
