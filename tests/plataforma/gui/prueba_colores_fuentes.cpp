// Colours from the fixed classic table, their names, and the font's size and height.

#include "plataforma/gui/painting/colors.h"
#include "plataforma/gui/painting/font.h"

#include <gtest/gtest.h>

namespace {

TEST(Colores, LosColoresDeSistemaSalenDeLaTablaClasica) {
    struct Caso {
        TColor color;
        COLORREF rgb;
    };
    const Caso casos[] = {
        {clBtnFace, RGB(212, 208, 200)},
        {clWindow, RGB(255, 255, 255)},
        {clWindowText, RGB(0, 0, 0)},
        {clHighlight, RGB(10, 36, 106)},
        {clInfoBk, RGB(255, 255, 225)},
        {clBtnShadow, RGB(128, 128, 128)},
        {clRed, 0x0000FF},
        {clNone, 0x1FFFFFFF},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(ColorToString(c.color).c_str());
        EXPECT_EQ(ColorToRGB(c.color), c.rgb);
    }
    EXPECT_EQ(static_cast<unsigned>(clBtnFace), 0x8000000Fu);
    EXPECT_EQ(GetSysColor(99), 0u);
}

TEST(Colores, NombresYNumerosIdaYVuelta) {
    for (TColor c : {clBlack, clRed, clBtnFace, clNone, static_cast<TColor>(0x00123456)})
        EXPECT_EQ(StringToColor(ColorToString(c)), c);
    EXPECT_EQ(ColorToString(0x00123456), AnsiString("$00123456"));
    EXPECT_EQ(StringToColor("clbtnface"), clBtnFace);
    EXPECT_EQ(StringToColor("16711680"), clBlue);
    EXPECT_THROW(StringToColor("rojo"), EConvertError);
    EXPECT_THROW(StringToColor("$"), EConvertError);
}

TEST(Fuentes, TamanoYAlturaA96PuntosPorPulgada) {
    struct Caso {
        int size;
        int height;
    };
    for (Caso c : {Caso{8, -11}, Caso{10, -13}, Caso{12, -16}, Caso{9, -12}}) {
        TFont f;
        f.SetSize(c.size);
        EXPECT_EQ(f.GetHeight(), c.height);
        EXPECT_EQ(f.GetSize(), c.size);
    }
    TFont f;
    EXPECT_EQ(f.GetName(), AnsiString("MS Sans Serif"));
    EXPECT_EQ(f.GetSize(), 8);
    EXPECT_EQ(f.GetColor(), clWindowText);
}

TEST(Fuentes, AssignCopiaYAvisaUnaVez) {
    TFont origen, destino;
    origen.SetName("Tahoma");
    origen.SetHeight(-20);
    origen.SetStyle({fsBold, fsUnderline});
    origen.SetColor(clRed);
    int avisos = 0;
    destino.OnChange = [&](TObject* s) {
        EXPECT_EQ(s, &destino);
        ++avisos;
    };
    destino.Assign(&origen);
    EXPECT_EQ(avisos, 1);
    EXPECT_TRUE(destino == origen);
    destino.Assign(&origen);
    EXPECT_EQ(avisos, 1);
    EXPECT_THROW(destino.Assign(nullptr), EConvertError);
}

TEST(Fuentes, LasFuentesDeWindowsSeDibujanConFuentesDeLaMaquina) {
    EXPECT_NE(ResolveFontFamily("MS Sans Serif"), AnsiString("MS Sans Serif"));
    EXPECT_EQ(ResolveFontFamily("Tahoma"), ResolveFontFamily("Arial"));
    EXPECT_NE(ResolveFontFamily("Courier New"), ResolveFontFamily("Arial"));
    EXPECT_EQ(ResolveFontFamily("Una Fuente Propia"), AnsiString("Una Fuente Propia"));
    EXPECT_EQ(MulDiv(-11, 72, 96), -8);
    EXPECT_EQ(MulDiv(8, 96, 72), 11);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

} // namespace
