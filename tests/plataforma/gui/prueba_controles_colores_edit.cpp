// The colours an edit asks of its parent before it paints (WM_CTLCOLOREDIT reflected as
// CN_CTLCOLOREDIT, WM_CTLCOLORSTATIC for a read-only edit), and a parent's windowless
// children painted into another device context (PaintControls).

#include "tests/plataforma/gui/prueba_controles_comun.h"

#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/label.h"

#include <QImage>
#include <QWidget>

namespace {

class ColoresEdit : public PruebaControles {
protected:
    void SetUp() override {
        PruebaControles::SetUp();
        padre = new TControlPrueba(ventana.get(), ventana.get());
        padre->SetBounds(0, 0, 300, 200);
        padre->SetColor(static_cast<TColor>(0x0000FF)); // red
        edit = new Espia<TEdit>(padre);
        edit->SetBounds(10, 10, 120, 24);
        edit->HandleNeeded();
    }
    // A pixel of the window where the edit stands (client coordinates of the edit).
    QRgb PixelDelEdit(int x, int y) {
        const QImage img = padre->GetWidget()->grab().toImage();
        const int b = edit->GetBorderWidth();
        return img.pixel(edit->GetLeft() + b + x, edit->GetTop() + b + y) & 0xFFFFFF;
    }
    TControlPrueba* padre = nullptr;
    Espia<TEdit>* edit = nullptr;
};

TEST_F(ColoresEdit, ElPadreReflejaLaPeticionDeColoresAlControl) {
    HWND pidio = nullptr;
    padre->alMensaje = [&](TMessage& m) {
        if (m.Msg == WM_CTLCOLOREDIT) pidio = reinterpret_cast<HWND>(m.LParam);
    };
    Registro().clear();
    PixelDelEdit(100, 10);
    EXPECT_EQ(pidio, edit->GetHandle());
    EXPECT_FALSE(edit->Mensajes({CN_CTLCOLOREDIT}).empty());
    EXPECT_TRUE(edit->Mensajes({CN_CTLCOLORSTATIC}).empty());
    padre->alMensaje = nullptr;

    // A read-only edit asks as static text does.
    edit->SetReadOnly(true);
    Registro().clear();
    PixelDelEdit(100, 10);
    EXPECT_FALSE(edit->Mensajes({CN_CTLCOLORSTATIC}).empty());
}

TEST_F(ColoresEdit, LaRespuestaDaElFondoYElModoTransparenteDejaVerAlPadre) {
    // By default the edit's own colour.
    edit->SetColor(clWindow);
    EXPECT_EQ(PixelDelEdit(100, 10), 0xFFFFFFu);

    HBRUSH verde = CreateSolidBrush(RGB(0, 128, 0));
    edit->alMensaje = [&](TMessage& m) {
        if (m.Msg != CN_CTLCOLOREDIT) return false;
        m.Result = reinterpret_cast<LRESULT>(verde);
        return true;
    };
    edit->Invalidate();
    EXPECT_EQ(PixelDelEdit(100, 10), 0x008000u);

    edit->alMensaje = [&](TMessage& m) {
        if (m.Msg != CN_CTLCOLOREDIT) return false;
        SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
        m.Result = reinterpret_cast<LRESULT>(verde);
        return true;
    };
    edit->Invalidate();
    EXPECT_EQ(PixelDelEdit(100, 10), 0xFF0000u); // the window's red through the edit
    edit->alMensaje = nullptr;
    DeleteObject(verde);
}

TEST_F(ColoresEdit, PaintControlsPintaLosHijosSinVentanaDondeEstan) {
    auto* l = new TLabel(padre);
    l->SetParent(padre);
    l->SetTransparent(false);
    l->SetColor(static_cast<TColor>(0x00FF00)); // lime
    l->SetAutoSize(false);
    l->SetBounds(30, 20, 20, 10);
    TBitmap b;
    b.SetSize(100, 60);
    b.GetCanvas()->GetBrush()->SetColor(clWhite);
    b.GetCanvas()->FillRect(Rect(0, 0, 100, 60));
    padre->PaintControls(b.GetCanvas()->GetHandle(), nullptr);
    EXPECT_EQ(b.GetCanvas()->GetPixels(35, 25), static_cast<TColor>(0x00FF00));
    EXPECT_EQ(b.GetCanvas()->GetPixels(5, 5), clWhite);
    // From a later control on: the label is left out.
    b.GetCanvas()->FillRect(Rect(0, 0, 100, 60));
    auto* otra = new TLabel(padre);
    otra->SetParent(padre);
    otra->SetBounds(70, 40, 5, 5);
    padre->PaintControls(b.GetCanvas()->GetHandle(), otra);
    EXPECT_EQ(b.GetCanvas()->GetPixels(35, 25), clWhite);
}

} // namespace
