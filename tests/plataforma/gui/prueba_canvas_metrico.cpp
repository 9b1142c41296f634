// The canvas in the metric mapping mode: tenths of a millimetre, y up. Points, figures,
// fonts, pens and clip rectangles are all in those units; text still reads downwards.

#include "tests/plataforma/gui/canvas_prueba.h"

#include "plataforma/gui/painting/gdi.h"

#include <gtest/gtest.h>

namespace {

// 96 device units per inch: 254 tenths of a millimetre are 96 pixels.
class LienzoMetrico : public testing::Test {
protected:
    TRecordingCanvas c{200, 200};
    HDC dc = nullptr;
    void SetUp() override {
        Reset(&c, 200, 200);
        dc = c.GetHandle();
    }
};

TEST_F(LienzoMetrico, ElModoCambiaLasUnidadesYSeGuardaConElContexto) {
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_EQ(SetMapMode(dc, 7), 0); // unknown: refused, the mode stays
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    const int guardado = SaveDC(dc);
    EXPECT_EQ(SetMapMode(dc, MM_LOMETRIC), MM_TEXT);
    EXPECT_EQ(GetMapMode(dc), MM_LOMETRIC);

    TPoint p[2] = {{96, 96}, {0, 192}};
    ASSERT_TRUE(DPtoLP(dc, p, 2));
    EXPECT_EQ(p[0], TPoint(254, -254));
    EXPECT_EQ(p[1], TPoint(0, -508));
    ASSERT_TRUE(LPtoDP(dc, p, 2));
    EXPECT_EQ(p[0], TPoint(96, 96));
    // The whole bitmap, its top at 0 and its bottom below it (negative).
    EXPECT_EQ(c.GetClipRect(), TRect(0, 0, 529, -529));
    TRect caja;
    GetClipBox(dc, &caja);
    EXPECT_EQ(caja, TRect(0, 0, 529, -529));
    // The viewport origin stays in device units.
    SetViewportOrgEx(dc, 96, 0, nullptr);
    TPoint q{0, 0};
    DPtoLP(dc, &q, 1);
    EXPECT_EQ(q, TPoint(-254, 0));
    SetViewportOrgEx(dc, 0, 0, nullptr);

    RestoreDC(dc, guardado);
    EXPECT_EQ(GetMapMode(dc), MM_TEXT);
    EXPECT_EQ(c.GetClipRect(), TRect(0, 0, 200, 200));
    EXPECT_FALSE(DPtoLP(nullptr, p, 1));
    EXPECT_EQ(SetMapMode(nullptr, MM_TEXT), 0);
}

TEST_F(LienzoMetrico, FigurasPlumasYRecortesEnDecimasDeMilimetro) {
    SetMapMode(dc, MM_LOMETRIC);
    c.GetPen()->SetStyle(psClear);
    c.GetBrush()->SetColor(clRed);
    c.Rectangle(254, -254, 508, -508); // top above bottom, as y points up
    SetMapMode(dc, MM_TEXT);           // the pixels are read in device units
    const TRect rojo = Extent(&c, Rect(0, 0, 200, 200), clRed);
    EXPECT_NEAR(rojo.Left, 96, 1);
    EXPECT_NEAR(rojo.Top, 96, 1);
    EXPECT_NEAR(rojo.Right, 192, 1);
    EXPECT_NEAR(rojo.Bottom, 192, 1);

    // A pen 1 mm wide: about 3.8 pixels.
    SetMapMode(dc, MM_LOMETRIC);
    c.GetPen()->SetStyle(psSolid);
    c.GetPen()->SetColor(clBlue);
    c.GetPen()->SetWidth(10);
    c.MoveTo(30, -100);
    c.LineTo(200, -100);
    SetMapMode(dc, MM_TEXT);
    const TRect azul = Extent(&c, Rect(0, 0, 200, 200), clBlue);
    EXPECT_GE(azul.Height(), 3);
    EXPECT_LE(azul.Height(), 5);
    EXPECT_NEAR((azul.Top + azul.Bottom) / 2.0, 100 * 96 / 254.0, 1.5);

    // A clip rectangle in logical units keeps the brush inside it.
    Reset(&c, 200, 200);
    SetMapMode(dc, MM_LOMETRIC);
    IntersectClipRect(dc, 0, 0, 127, -127);
    c.GetPen()->SetStyle(psClear);
    c.GetBrush()->SetColor(clGreen);
    c.Rectangle(0, 0, 529, -529);
    EXPECT_EQ(c.GetClipRect(), TRect(0, 0, 127, -127));
    SetMapMode(dc, MM_TEXT);
    const TRect verde = Extent(&c, Rect(0, 0, 200, 200), clGreen);
    EXPECT_EQ(verde, Rect(0, 0, 48, 48));
}

TEST_F(LienzoMetrico, ElTextoMideEnUnidadesLogicasYSeLeeHaciaAbajo) {
    c.GetFont()->SetName("DejaVu Sans");
    c.GetFont()->SetHeight(-254); // an inch
    const TSize enTexto = c.TextExtent("T");
    SetMapMode(dc, MM_LOMETRIC);
    c.Refresh();
    // The same font measures the same in its own units.
    EXPECT_EQ(c.TextExtent("T"), enTexto);
    EXPECT_GT(c.TextHeight("gh"), 254);

    c.GetBrush()->SetStyle(bsClear);
    c.TextOut(0, -50, "T");
    SetMapMode(dc, MM_TEXT);
    const TRect t = Extent(&c, Rect(0, 0, 200, 200), clBlack);
    ASSERT_GT(t.Width(), 0);
    // Below its reference point on the device, and upright: the bar of the T at the top.
    EXPECT_GE(t.Top, 50 * 96 / 254);
    EXPECT_LT(t.Bottom, 200);
    const int quarto = t.Height() / 4;
    const int arriba = Count(&c, Rect(t.Left, t.Top, t.Right, t.Top + quarto), clBlack);
    const int abajo = Count(&c, Rect(t.Left, t.Bottom - quarto, t.Right, t.Bottom), clBlack);
    EXPECT_GT(arriba, 2 * abajo);
}

TEST_F(LienzoMetrico, ElModoAnisotropoEscalaPorSusExtensiones) {
    // Entering it keeps the mapping it finds.
    SetMapMode(dc, MM_LOMETRIC);
    EXPECT_EQ(SetMapMode(dc, MM_ANISOTROPIC), MM_LOMETRIC);
    TPoint p{96, 96};
    DPtoLP(dc, &p, 1);
    EXPECT_EQ(p, TPoint(254, -254));
    // Half a device unit per logical unit, y down.
    const int guardado = SaveDC(dc);
    TSize antes;
    ASSERT_TRUE(SetWindowExtEx(dc, 10, 10, &antes));
    ASSERT_TRUE(SetViewportExtEx(dc, 5, 5, nullptr));
    EXPECT_FALSE(SetViewportExtEx(dc, 0, 5, nullptr));
    p = {40, 60};
    LPtoDP(dc, &p, 1);
    EXPECT_EQ(p, TPoint(20, 30));
    c.GetPen()->SetStyle(psClear);
    c.GetBrush()->SetColor(clRed);
    c.Rectangle(20, 20, 60, 100);
    // Fonts and pens in logical units too: a 1-unit line still shows.
    c.GetFont()->SetName("DejaVu Sans");
    c.GetFont()->SetHeight(-100);
    const int alto = c.TextHeight("gh");
    c.GetBrush()->SetStyle(bsClear);
    c.TextOut(200, 20, "T");
    c.GetPen()->SetStyle(psSolid);
    c.GetPen()->SetColor(clBlue);
    c.GetPen()->SetWidth(1);
    for (int y : {300, 311, 321, 330}) {
        c.MoveTo(20, y);
        c.LineTo(200, y);
    }
    RestoreDC(dc, guardado);
    EXPECT_EQ(GetMapMode(dc), MM_ANISOTROPIC);
    SetMapMode(dc, MM_TEXT);
    EXPECT_EQ(Extent(&c, Rect(0, 0, 200, 200), clRed), Rect(10, 10, 30, 50));
    c.GetFont()->SetHeight(-50);
    EXPECT_NEAR(alto, 2 * c.TextHeight("gh"), 2);
    const TRect t = Extent(&c, Rect(90, 0, 200, 60), clBlack);
    EXPECT_GT(t.Height(), 25);
    EXPECT_LT(t.Height(), 50);
    for (int y : {150, 155, 160, 165})
        EXPECT_GT(Count(&c, Rect(10, y - 1, 100, y + 2), clBlue), 80) << y;
    // Outside MM_ANISOTROPIC the extents change nothing.
    ASSERT_TRUE(SetWindowExtEx(dc, 1, 1, nullptr));
    p = {7, 9};
    LPtoDP(dc, &p, 1);
    EXPECT_EQ(p, TPoint(7, 9));
    EXPECT_FALSE(SetWindowExtEx(nullptr, 1, 1, nullptr));
}

TEST(CapacidadesDelDispositivo, CadaLienzoResponde) {
    TRecordingCanvas c{300, 150};
    HDC dc = c.GetHandle();
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 300);
    EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 150);
    EXPECT_EQ(GetDeviceCaps(dc, HORZSIZE), 79); // 300 / 96 inch
    EXPECT_EQ(GetDeviceCaps(dc, VERTSIZE), 40);
    // A bitmap is no printer.
    EXPECT_EQ(DeviceCapabilities(dc, DC_ORIENTATION), 0);
    EXPECT_EQ(DeviceCapabilities(dc, 999), -1);
    EXPECT_EQ(DeviceCapabilities(nullptr, DC_ORIENTATION), -1);
}

} // namespace
