// The grid's support objects: the integer list and its change notices, the sort index, the
// register of cell controls, the picture by file name and the pop-up caption window.

#include "controles/grid/grid_support.h"
#include "controles/grid/paint/arrow_window.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/painting/recording_canvas.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/panels.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/controles/comun/texto_prueba.h"

#include <gtest/gtest.h>

#include <memory>

TEST(ListaEnteros, AvisosDeCambioYForma) {
    TIntList l(3, 7);
    std::vector<std::pair<int, int>> avisos;
    l.OnChange = [&](TObject* s, int c, int r) {
        EXPECT_EQ(s, &l);
        avisos.emplace_back(c, r);
    };
    l.Add(1);
    l.Add(2);
    l.Add(-3);
    EXPECT_EQ(l.GetStrValue(), "1,2,-3");
    EXPECT_EQ(avisos.size(), 3u);
    EXPECT_EQ(avisos[0], std::make_pair(3, 7));
    l.Insert(0, 9); // no notice
    l.Clear();      // no notice
    EXPECT_EQ(avisos.size(), 3u);
    EXPECT_EQ(l.GetStrValue(), "");
    l.SetStrValue("4,5");
    EXPECT_EQ(l.GetCount(), 2);
    EXPECT_EQ(l.GetItems(1), 5);
    EXPECT_EQ(avisos.size(), 5u); // one per element appended
    l.SetItems(0, 8);
    l.Delete(1);
    EXPECT_EQ(avisos.size(), 7u);
    EXPECT_EQ(l.GetStrValue(), "8");
    EXPECT_THROW(l.SetStrValue("1,x,3"), EConvertError);
    EXPECT_EQ(l.GetStrValue(), "1"); // the elements before it stay
    EXPECT_THROW(l.GetItems(5), EListError);
    l.SetStrValue("\"7\",2147483647,-2147483648");
    EXPECT_EQ(l.GetItems(1), 2147483647);
    EXPECT_EQ(l.GetItems(2), -2147483648);
}

TEST(IndiceDeOrden, ColumnasYSentidos) {
    TSortIndexList l;
    l.AddIndex(3, false);
    EXPECT_EQ(static_cast<unsigned>(l.GetItems(0)), 0x80000003u);
    EXPECT_EQ(l.FindIndex(3), 0);
    EXPECT_EQ(l.FindIndex(4), -1);
    EXPECT_FALSE(l.GetSortDirections(0));
    l.ToggleIndex(3);
    EXPECT_TRUE(l.GetSortDirections(0));
    l.ToggleIndex(99); // nothing
    l.AddIndex(5, true);
    l.SetSortColumns(1, 6);
    l.SetSortDirections(1, false);
    EXPECT_EQ(l.GetSortColumns(1), 6);
    EXPECT_FALSE(l.GetSortDirections(1));
    l.SetSortColumns(1, 7);
    EXPECT_FALSE(l.GetSortDirections(1)); // the direction stays
    EXPECT_EQ(l.FindIndex(7), 1);
}

TEST(ListaControles, RegistroSinPoseerLosControles) {
    TPanel panel(nullptr);
    auto* edit = new TEdit(&panel);
    edit->SetParent(&panel);
    {
        TControlList l;
        l.AddControl(1, 2, edit);
        l.AddControl(3, 4, &panel);
        EXPECT_EQ(l.ControlIndex(3, 4), 1);
        EXPECT_EQ(l.ControlIndex(4, 3), -1);
        EXPECT_EQ(l.GetControl(0)->GetControl(), edit);
        EXPECT_TRUE(l.HasHandle(edit->GetHandle()));
        EXPECT_FALSE(l.HasHandle(nullptr));
        l.RemoveControl(0);
        EXPECT_EQ(l.GetCount(), 1);
        EXPECT_FALSE(l.HasHandle(edit->GetHandle()));
    }
    EXPECT_EQ(panel.GetControlCount(), 1); // the edit lives on
}

TEST(ImagenDeFichero, TamanoYDibujo) {
    CarpetaTemporal carpeta;
    TBitmap b;
    b.SetSize(6, 4);
    b.GetCanvas()->GetBrush()->SetColor(clRed);
    b.GetCanvas()->FillRect(TRect(0, 0, 6, 4));
    const AnsiString ruta = carpeta.Ruta() + "/rojo.bmp";
    b.SaveToFile(ruta);
    TFilePicture p;
    p.SetFilename(ruta);
    EXPECT_EQ(p.GetWidth(), 6);
    EXPECT_EQ(p.GetHeight(), 4);
    TRecordingCanvas c(20, 20);
    c.GetBrush()->SetColor(clWhite);
    c.FillRect(TRect(0, 0, 20, 20));
    p.DrawPicture(&c, TRect(2, 2, 14, 10));
    EXPECT_EQ(c.GetPixels(13, 9), clRed);
    EXPECT_EQ(c.GetPixels(14, 10), clWhite);
    TFilePicture q;
    q.Assign(&p);
    EXPECT_EQ(q.GetFilename(), ruta);
    EXPECT_EQ(q.GetHeight(), 4);
    TFilePicture mala;
    EXPECT_ANY_THROW(mala.SetFilename(carpeta.Ruta() + "/no_existe.bmp"));
    EXPECT_EQ(mala.GetFilename(), carpeta.Ruta() + "/no_existe.bmp");
    TFilePicture vacia;
    vacia.DrawPicture(&c, TRect(0, 0, 5, 5)); // no name: nothing
}

namespace {

class Boton : public TPopupButton {
public:
    using TPopupButton::TPopupButton;
    void Pintar() { Paint(); }
    DWORD Estilo() {
        TCreateParams p;
        CreateParams(p);
        return p.Style;
    }
};

} // namespace

TEST(BotonEmergente, EstiloTextoYMarcado) {
    Boton b(nullptr);
    EXPECT_EQ(b.Estilo(), 0x88800000u);
    EXPECT_EQ(b.GetGradFrom(), clNone);
    EXPECT_EQ(b.GetColor(), clBtnFace);
    b.SetBounds(0, 0, 120, 20);
    b.SetCaption("Columna 3");
    {
        TCanvasRecorder rec(b.GetCanvas());
        b.Pintar();
        const auto t = rec.Calls("DrawText", true);
        ASSERT_EQ(t.size(), 1u);
        EXPECT_EQ(t[0].Text, "Columna 3");
        EXPECT_TRUE(t[0].Args[4] & DT_CENTER);
    }
    b.SetCaption("<B>Col</B> 3");
    b.SetFlat(true);
    b.SetGradFrom(clWhite);
    b.SetGradTo(clSilver);
    TCanvasRecorder rec(b.GetCanvas());
    b.Pintar();
    const auto t = rec.Calls("DrawText");
    ASSERT_GE(t.size(), 2u);
    EXPECT_TRUE(t[0].FontBold);
    EXPECT_EQ(t[0].Text, "Col");
}

// The gradient fills the inside of the 3-D frame and leaves the frame whole.
TEST(BotonEmergente, ElDegradadoQuedaDentroDelMarco) {
    Boton b(nullptr);
    b.SetBounds(0, 0, 120, 20);
    b.SetCaption("");
    b.SetGradFrom(clYellow);
    b.SetGradTo(clRed);
    b.Pintar();
    EXPECT_FALSE(SaveCapture(&b, "boton_emergente_degradado").IsEmpty());
    TCanvas* c = b.GetCanvas();
    const TRect r = b.GetClientRect();
    auto px = [&](int x, int y) { return ColorToRGB(c->GetPixels(x, y)); };
    // Between yellow and red: full red, no blue.
    auto degradado = [&](int x, int y) {
        const COLORREF v = px(x, y);
        return (v & 0xFF) == 0xFF && (v >> 16) == 0;
    };
    for (int x = 0; x < r.Right - 1; ++x)
        EXPECT_EQ(px(x, 0), ColorToRGB(clWhite)) << x;
    for (int y = 0; y < r.Bottom - 1; ++y)
        EXPECT_EQ(px(0, y), ColorToRGB(clWhite)) << y;
    for (int x = 0; x < r.Right; ++x)
        EXPECT_EQ(px(x, r.Bottom - 1), 0x808080u) << x;
    for (int y = 0; y < r.Bottom; ++y)
        EXPECT_EQ(px(r.Right - 1, y), 0x808080u) << y;
    EXPECT_TRUE(degradado(1, 1));
    EXPECT_TRUE(degradado(r.Right - 2, r.Bottom - 2));
    EXPECT_EQ(px(r.Right / 2, r.Bottom - 2), px(1, r.Bottom - 2));
    EXPECT_NE(px(1, r.Bottom - 2), px(1, 1)) << "towards GradTo";
    // A flat button has no frame: the gradient reaches the edge.
    b.SetFlat(true);
    b.Pintar();
    EXPECT_TRUE(degradado(0, 0));
    EXPECT_TRUE(degradado(r.Right - 1, r.Bottom - 1));
}

namespace {

class Flecha : public TArrowWindow {
public:
    using TArrowWindow::TArrowWindow;
    DWORD Estilo() {
        TCreateParams p;
        CreateParams(p);
        return p.Style;
    }
};

} // namespace

TEST(VentanaFlecha, RegionConFormaDeFlecha) {
    TForm f(nullptr);
    f.SetBounds(0, 0, 200, 100);
    struct Caso {
        TArrowDirection dir;
        TPoint dentro[2], fuera[2];
    } casos[] = {{arrUp, {{5, 1}, {5, 8}}, {{0, 0}, {1, 8}}},
                 {arrDown, {{5, 6}, {5, 1}}, {{0, 0}, {9, 1}}},
                 {arrLeft, {{6, 5}, {1, 5}}, {{1, 1}, {7, 1}}},
                 {arrRight, {{1, 5}, {7, 5}}, {{0, 0}, {7, 1}}}};
    for (const Caso& k : casos) {
        auto* w = new Flecha(&f, k.dir);
        EXPECT_EQ(w->Estilo(), static_cast<DWORD>(WS_POPUP));
        EXPECT_EQ(w->GetColor(), 0x00FF00);
        EXPECT_FALSE(w->GetVisible());
        EXPECT_EQ(w->GetParent(), &f);
        w->SetBounds(20, 20, 11, 11);
        HRGN r = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(w->GetHandle(), r), ERROR) << k.dir;
        for (const TPoint& p : k.dentro)
            EXPECT_TRUE(PtInRegion(r, p.x, p.y)) << k.dir << " " << p.x << "," << p.y;
        for (const TPoint& p : k.fuera)
            EXPECT_FALSE(PtInRegion(r, p.x, p.y)) << k.dir << " " << p.x << "," << p.y;
        DeleteObject(r);
    }
}
