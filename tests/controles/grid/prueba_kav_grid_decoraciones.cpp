// The advanced grid's cell decorations and radio groups, and the layer that draws them:
// their records, their rules, their pixels and a sampler capture.

#include "controles/grid/kav_grid.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/painting/recording_canvas.h"
#include "plataforma/gui/services/capture.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class Decoraciones : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        g = new Rejilla(ventana.get(), ventana.get());
        g->SetBounds(0, 0, 380, 230);
        g->SetOptions(g->GetOptions() << goEditing);
    }
    COLORREF Pixel(int x, int y) { return ColorToRGB(g->GetCanvas()->GetPixels(x, y)); }
    // Whether any pixel of the rectangle has the colour.
    bool Hay(const TRect& r, TColor c) { return HayColor(g->GetCanvas(), r, c); }
    std::unique_ptr<VentanaPrueba> ventana;
    Rejilla* g = nullptr;
};

// A transparent bitmap fills its placement: across the whole cell with haFull, its key
// colour (the top-left pixel's) showing the cell's brush.
TEST_F(Decoraciones, MapaTransparenteLlenaSuSitio) {
    TBitmap bmp;
    bmp.SetWidth(4);
    bmp.SetHeight(4);
    bmp.GetCanvas()->GetBrush()->SetColor(clRed);
    bmp.GetCanvas()->FillRect(Rect(0, 0, 4, 4));
    bmp.GetCanvas()->SetPixels(0, 0, clLime);
    g->SetColWidths(1, 80);
    g->SetColors(1, 1, clYellow);
    g->AddBitmap(1, 1, &bmp, true, haFull, vaTop);
    g->Repaint();
    EXPECT_FALSE(SaveCapture(g, "kavgrid_mapa_transparente").IsEmpty());
    const TRect r = g->CellRect(1, 1);
    int rojos = 0;
    for (int x = r.Left; x < r.Right; ++x)
        rojos += Pixel(x, r.Top + 3) == ColorToRGB(clRed);
    EXPECT_GE(rojos, r.Width() - 2) << "stretched over the cell's width";
    EXPECT_FALSE(Hay(r, clLime)) << "the key colour is the brush";
}

TEST_F(Decoraciones, GruposDeOpciones) {
    TStrings* items = g->CreateRadio(2, 2, 0, -1);
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->GetCount(), 0);
    items->Add("Sí");
    items->Add("No");
    EXPECT_EQ(g->GetRadioStrings(2, 2), items);
    int idx = 7;
    EXPECT_TRUE(g->GetRadioIdx(2, 2, idx));
    EXPECT_EQ(idx, -1);
    EXPECT_FALSE(g->SetRadioIdx(3, 3, 1)); // no graphic: nothing
    EXPECT_FALSE(g->GetRadioIdx(3, 3, idx));
    EXPECT_EQ(idx, -1);

    // Any cell of a merged block whose base holds a group is a radio cell.
    TStringList propia;
    propia.Add("A");
    propia.Add("B");
    propia.Add("C");
    g->AddRadio(1, 4, 1, 2, &propia);
    g->MergeCells(1, 4, 2, 2);
    EXPECT_TRUE(g->IsRadio(2, 5));
    // Toggling the last item goes back to the first.
    EXPECT_TRUE(g->ToggleRadio(1, 4, false));
    EXPECT_TRUE(g->GetRadioIdx(1, 4, idx));
    EXPECT_EQ(idx, 0);
    EXPECT_EQ(g->GetCellEx(1, 4), "A");
    g->RemoveRadio(1, 4);
    EXPECT_FALSE(g->IsRadio(2, 5));
    EXPECT_EQ(g->GetRadioStrings(1, 4), nullptr);
    EXPECT_EQ(propia.GetCount(), 3); // the caller's list stays the caller's
}

TEST_F(Decoraciones, CasillasDeVerificacion) {
    g->SetVAlignment(vtaCenter);
    g->AddCheckBox(1, 1, false, false);
    const TCellGraphic* c = g->GetCellGraphic(1, 1);
    EXPECT_EQ(c->CellHAlign, haBeforeText);
    EXPECT_EQ(c->CellVAlign, vaCenter);
    bool estado = true;
    EXPECT_TRUE(g->GetCheckBoxState(1, 1, estado));
    EXPECT_FALSE(estado);
    EXPECT_TRUE(g->ToggleCheck(1, 1, true));
    EXPECT_TRUE(g->GetCheckBoxState(1, 1, estado));
    EXPECT_TRUE(estado);

    // A data check box whose text is neither value takes the checked text.
    g->AddCheckBox(2, 1, false, true);
    g->SetCellEx(2, 1, "quizá");
    EXPECT_TRUE(g->ToggleCheckBox(2, 1));
    EXPECT_EQ(g->GetCellEx(2, 1), "Y");
    EXPECT_TRUE(g->ToggleCheckBox(2, 1));
    EXPECT_EQ(g->GetCellEx(2, 1), "N");

    // A read-only cell refuses the user's toggle, not the program's.
    g->SetReadOnly(1, 1, true);
    EXPECT_FALSE(g->ToggleCheck(1, 1, true));
    EXPECT_TRUE(g->ToggleCheck(1, 1, false));

    // Cells without a check box are left alone.
    g->SetCellEx(3, 3, "texto");
    EXPECT_FALSE(g->SetCheckBoxState(3, 3, true));
    g->AddCheckBox(3, 2, false, false);
    g->CheckAll(3);
    EXPECT_EQ(g->GetCellEx(3, 3), "texto");
    EXPECT_TRUE(g->GetCheckBoxState(3, 2, estado));
    EXPECT_TRUE(estado);
    g->UnCheckAll(3);
    EXPECT_TRUE(g->GetCheckBoxState(3, 2, estado));
    EXPECT_FALSE(estado);
    EXPECT_TRUE(g->HasCheckBox(3, 2));
    EXPECT_FALSE(g->HasDataCheckBox(3, 2));
    EXPECT_TRUE(g->HasDataCheckBox(2, 1));
    EXPECT_TRUE(g->HasStaticEdit(3, 2));
}

TEST_F(Decoraciones, MarcasBotonesEImagenes) {
    g->AddButton(2, 2, 40, 16, "Ver", haRight, vaCenter);
    g->AddMarker(2, 2, 3, 4);
    int a, b;
    g->GetMarker(2, 2, a, b);
    EXPECT_EQ(a, 3);
    EXPECT_EQ(b, 4);
    g->RemoveMarker(2, 2); // the button stays, the marker goes
    EXPECT_TRUE(g->HasButton(2, 2));
    g->GetMarker(2, 2, a, b);
    EXPECT_EQ(a + b, 0);
    g->AddMarker(3, 3, 1, 2); // a marker alone makes an empty record, removed with it
    EXPECT_EQ(g->GetCellType(3, 3), ctEmpty);
    g->RemoveMarker(3, 3);
    EXPECT_EQ(g->GetCellGraphic(3, 3), nullptr);

    g->AddImageIdx(1, 1, 0, haLeft, vaTop); // no image list: nothing
    EXPECT_EQ(g->GetCellGraphic(1, 1), nullptr);

    AnsiString nota;
    g->AddComment(4, 4, "revisar");
    EXPECT_TRUE(g->IsComment(4, 4, nota));
    EXPECT_EQ(nota, "revisar");
    g->RemoveAllComments();
    EXPECT_FALSE(g->IsComment(4, 4, nota));

    int angulo = 0;
    g->AddRotated(1, 3, -30, "girado");
    EXPECT_TRUE(g->IsRotated(1, 3, angulo));
    EXPECT_EQ(angulo, 330);
    EXPECT_EQ(g->GetCellEx(1, 3), "girado");

    // The button's rectangle is where the painter put it.
    g->Repaint();
    const TRect celda = g->CellRect(2, 2);
    const TRect boton = g->ButtonRect(2, 2);
    EXPECT_EQ(boton.Width(), 40);
    EXPECT_EQ(boton.Height(), 16);
    EXPECT_EQ(boton.Right, celda.Right - 1); // haRight: one pixel inside the cell
    g->RemoveButton(2, 2);
    EXPECT_FALSE(g->HasButton(2, 2));
}

TEST_F(Decoraciones, MarcaDeErrorSubrayada) {
    // A marked stretch of plain text gets the red wave under it.
    g->SetCellEx(2, 2, "hola mundo");
    g->SetWordWraps(2, 2, false);
    g->AddMarker(2, 2, 5, 5);
    TRecordingCanvas c(200, 40);
    g->DrawGridCell(&c, 2, 2, Rect(0, 0, 150, 21), TGridDrawState());
    const auto lineas = c.Recorder().Calls("LineTo", true);
    const bool roja = std::any_of(lineas.begin(), lineas.end(), [](const TCanvasCall& k) {
        return k.PenColor == 0x0000FF && k.PenWidth == 2;
    });
    EXPECT_TRUE(roja);
}

TEST_F(Decoraciones, TextoGiradoSeColocaPorCuadrante) {
    TRect r = Rect(0, 0, 100, 60);
    g->CalcTextPos(r, 0, "abc", taLeftJustify, vtaTop);
    EXPECT_EQ(r.Left, 2);
    EXPECT_EQ(r.Top, 2);
    const TSize e = g->GetCanvas()->TextExtent("abc");
    r = Rect(0, 0, 100, 60);
    g->CalcTextPos(r, 90, "abc", taLeftJustify, vtaBottom); // up the left edge
    EXPECT_EQ(r.Left, 2);
    EXPECT_EQ(r.Top, 58);
    r = Rect(0, 0, 100, 60);
    g->CalcTextPos(r, 0, "abc", taRightJustify, vtaTop);
    EXPECT_EQ(r.Left, 98 - e.cx);
}

TEST_F(Decoraciones, TextoGiradoDentroDeSuCelda) {
    // Rotated text is placed in the rectangle the layer receives (the cell grown by one) less
    // 2 pixels on every side: at angle 0 and top-left, CalcTextPos's own 2 pixels further in.
    g->AddRotated(1, 1, 0, "abc");
    TRecordingCanvas c(200, 40);
    g->DrawGridCell(&c, 1, 1, Rect(10, 10, 110, 31), TGridDrawState());
    const auto textos = c.Recorder().Calls("TextOut", true);
    ASSERT_EQ(textos.size(), 1u);
    EXPECT_EQ(textos[0].Text, "abc");
    EXPECT_EQ(textos[0].Args[0], 10 - 1 + 2 + 2);
    EXPECT_EQ(textos[0].Args[1], 10 - 1 + 2 + 2);
}

TEST_F(Decoraciones, DibujoEnPixeles) {
    g->SetCellEx(1, 1, "");
    g->AddCheckBox(1, 1, true, false); // csWinXP: the XP glyph
    g->AddCheckBox(1, 2, false, false);
    g->AddProgress(2, 1, clBlue, clWhite);
    g->SetCellEx(2, 1, "60");
    g->AddButton(3, 1, 50, 18, "Ver", haCenter, vaCenter);
    g->AddRangeIndicator(4, 1, 10, clRed, clGreen, false);
    g->SetCellEx(4, 1, "-25");
    g->Repaint();
    const TRect caja = g->CellRect(1, 1);
    EXPECT_TRUE(Hay(caja, 0x21A121));               // the check mark
    EXPECT_TRUE(Hay(caja, 0x80511C));               // the box's border
    EXPECT_FALSE(Hay(g->CellRect(1, 2), 0x21A121)); // unchecked: no mark
    const TRect barra = g->CellRect(2, 1);
    EXPECT_TRUE(Hay(barra, clBlue));
    EXPECT_TRUE(Hay(barra, clYellow)); // the text over the blue part, inverted
    const TRect boton = g->ButtonRect(3, 1);
    EXPECT_EQ(Pixel(boton.Left + 4, boton.Top + 3), ColorToRGB(clBtnFace));
    // The range indicator of -25 in a range of 10 fills the whole left half in red.
    const TRect rango = g->CellRect(4, 1);
    const int medio = rango.Left + rango.Width() / 2;
    EXPECT_EQ(Pixel(rango.Left + 6, rango.Top + rango.Height() / 2), ColorToRGB(clRed));
    EXPECT_NE(Pixel(medio + 6, rango.Top + rango.Height() / 2), ColorToRGB(clGreen));

    // A read-only check box is drawn disabled (the XP disabled glyph has no green mark).
    g->SetReadOnly(1, 1, true);
    g->Repaint();
    EXPECT_FALSE(Hay(caja, 0x21A121));
    g->GetControlLook()->SetCheckAlwaysActive(true);
    g->Repaint();
    EXPECT_TRUE(Hay(caja, 0x21A121));
}

TEST_F(Decoraciones, EstilosDeCasillaYOpcion) {
    // Each style draws its own way; the classic one through DrawFrameControl.
    g->AddCheckBox(1, 1, true, false);
    TStrings* items = g->CreateRadio(2, 1, 0, 0);
    items->Add("uno");
    items->Add("dos");
    for (TGridControlStyle estilo : {csClassic, csFlat, csWinXP, csKav, csBorland}) {
        SCOPED_TRACE(static_cast<int>(estilo));
        g->GetControlLook()->SetControlStyle(estilo);
        TRecordingCanvas c(200, 60);
        g->DrawGridCell(&c, 1, 1, Rect(0, 0, 64, 21), TGridDrawState());
        g->DrawGridCell(&c, 2, 1, Rect(0, 0, 64, 40), TGridDrawState());
        const bool marco = c.Recorder().Count("DrawFrameControl") > 0;
        EXPECT_EQ(marco, estilo == csClassic || estilo == csFlat);
        const auto textos = c.Recorder().Calls("TextOut", true);
        ASSERT_EQ(textos.size(), 2u);
        EXPECT_EQ(textos[0].Text, "uno");
        EXPECT_EQ(textos[1].Text, "dos");
        EXPECT_GT(textos[1].Args[1], textos[0].Args[1]); // stacked
    }
}

TEST_F(Decoraciones, Muestrario) {
    g->SetBounds(0, 0, 460, 240);
    g->SetColCountEx(5);
    g->SetRowCountEx(8);
    g->SetDefRowHeightEx(26);
    g->SetColWidths(0, 24);
    for (int c = 1; c < 5; ++c)
        g->SetColWidths(c, 108);
    const char* cab[] = {"", "Casillas", "Opciones", "Progreso", "Botones"};
    for (int c = 0; c < 5; ++c)
        g->SetCellEx(c, 0, cab[c]);
    g->AddCheckBox(1, 1, true, false);
    g->SetCellEx(1, 1, "Marcada");
    g->AddCheckBox(1, 2, false, false);
    g->SetCellEx(1, 2, "Sin marcar");
    g->AddCheckBox(1, 3, true, true);
    g->SetCellEx(1, 3, "Y");
    g->AddCheckBox(1, 4, false, false);
    g->SetCellEx(1, 4, "Sólo lectura");
    g->SetReadOnly(1, 4, true);
    g->SetRowHeights(2, 44);
    TStrings* r = g->CreateRadio(2, 2, 0, 1);
    r->Add("Invierno");
    r->Add("Verano");
    TStrings* h = g->CreateRadio(2, 1, 1, 0);
    h->Add("Sí");
    h->Add("No");
    g->AddProgress(3, 1, clNavy, clWhite);
    g->SetCellEx(3, 1, "35");
    g->AddProgressEx(3, 2, clGreen, clWhite, clSilver, clBlack);
    g->SetCellEx(3, 2, "80");
    g->AddProgressPie(3, 3, clTeal, 65);
    g->SetCellEx(3, 3, "65 %");
    g->AddRangeIndicator(3, 4, 10, clRed, clGreen, true);
    g->SetCellEx(3, 4, "-4");
    g->AddButton(4, 1, 60, 20, "Quitar", haCenter, vaCenter);
    g->AddButton(4, 2, 60, 20, "Pulsado", haLeft, vaCenter);
    g->PushButton(4, 2, true);
    g->AddComment(4, 3, "nota");
    g->SetCellEx(4, 3, "Con nota");
    g->AddRotated(4, 4, 90, "90°");
    g->SetRowHeights(4, 40);
    g->AddCheckBox(2, 5, true, false);
    g->GetControlLook()->SetControlStyle(csWinXP);
    g->Repaint();
    EXPECT_FALSE(SaveCapture(g, "kavgrid_decoraciones").IsEmpty());
}

} // namespace
