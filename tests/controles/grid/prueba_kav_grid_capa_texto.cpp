// The text of a cell as the grid paints it, checked by its pixels: a link cell, wide text on a
// header's gradient, rich text beside a cell graphic and under a node. Each case is saved as
// a capture.

#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/services/capture.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/canvas_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class CapaTexto : public RejillaEnVentana<Rejilla, 420, 150> {
protected:
    void SetUp() override {
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 420, 150);
        g->SetColWidths(1, 200);
        g->SetDefRowHeightEx(22);
    }
    TCanvas* Lienzo() { return g->GetCanvas(); }
    TRect Caja(const TRect& r, TColor c) { return Extent(Lienzo(), r, c); }
    int Ancho(const AnsiString& s, TFont* f) {
        TCanvas* c = Lienzo();
        c->GetFont()->Assign(f);
        return c->TextWidth(s);
    }
};

// A link shows without its protocol, in the link colour and underlined along its width.
TEST_F(CapaTexto, EnlaceSubrayadoEnSuColor) {
    g->SetURLShow(true);
    g->SetURLColor(clBlue);
    // Away from the current cell, whose selected look gives links its text colour.
    g->SetCellEx(1, 2, "http://www.ejemplo.es");
    g->SetCellEx(1, 3, "texto llano");
    g->Repaint();
    EXPECT_FALSE(SaveCapture(g, "kavgrid_enlace").IsEmpty());
    const TRect r = g->CellRect(1, 2);
    EXPECT_EQ(Caja(r, clBlack).Width(), 0) << "nothing of the link in the font's colour";
    const TRect enlace = Caja(r, clBlue);
    const int ancho = Ancho("www.ejemplo.es", g->GetFont());
    EXPECT_NEAR(enlace.Width(), ancho, 1) << "the protocol is not shown";
    int subrayado = 0;
    for (int y = enlace.Top; y < enlace.Bottom; ++y)
        if (Count(Lienzo(), Rect(enlace.Left, y, enlace.Right, y + 1), clBlue) >= ancho - 1)
            ++subrayado;
    EXPECT_GE(subrayado, 1) << "an unbroken underline";
    // Plain text beside it keeps the font's colour and no underline.
    const TRect llano = g->CellRect(1, 3);
    EXPECT_GT(Caja(llano, clBlack).Width(), 0);
    EXPECT_EQ(Caja(llano, clBlue).Width(), 0);
}

// Wide text in a header lets the header's gradient show around its letters.
TEST_F(CapaTexto, TextoAnchoSobreElDegradadoDeLaCabecera) {
    g->Repaint();
    const TRect r = g->CellRect(1, 0);
    const std::vector<TColor> vacia = Snapshot(Lienzo(), r);
    ASSERT_NE(vacia.front(), vacia.back()) << "the header shows a gradient";
    g->SetWideCells(1, 0, u"Арбуз Zeta");
    g->Repaint();
    EXPECT_FALSE(SaveCapture(g, "kavgrid_ancho_cabecera").IsEmpty());
    const std::vector<TColor> conTexto = Snapshot(Lienzo(), r);
    const TColor tinta = static_cast<TColor>(ColorToRGB(g->GetFixedFont()->GetColor()));
    int letras = 0, tapados = 0;
    for (size_t i = 0; i < vacia.size(); ++i) {
        if (conTexto[i] == vacia[i]) continue;
        if (conTexto[i] == tinta)
            ++letras;
        else
            ++tapados;
    }
    EXPECT_GT(letras, 20);
    EXPECT_EQ(tapados, 0) << "no box behind the text";
}

// The leftmost pixel of a colour in a rectangle; -1 when none.
int Izquierda(TCanvas* C, const TRect& R, TColor Color) {
    const TRect e = Extent(C, R, Color);
    return e.Width() > 0 ? e.Left : -1;
}

const char* const kRico = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs16 Hola\\par}";

// Rich text starts where plain text starts: after a check box placed before the text, and
// after the indent of a row under a node.
TEST_F(CapaTexto, TextoEnriquecidoTrasLaCasillaYElSangradoDelNodo) {
    g->GetFont()->SetName("Arial");
    g->GetFont()->SetSize(8);
    g->SetCellEx(1, 1, "Hola");
    g->SetCellEx(1, 2, kRico);
    g->SetCellEx(1, 3, kRico);
    g->AddCheckBox(1, 1, true, false);
    g->AddCheckBox(1, 2, true, false);
    g->SetColWidths(0, 90);
    g->SetRowCountEx(6);
    g->AddNode(1, 4);
    g->GetFixedFont()->SetName("Arial");
    g->GetFixedFont()->SetSize(8);
    g->SetCellEx(0, 2, "Hola");
    g->SetCellEx(0, 3, kRico);
    g->Repaint();
    EXPECT_FALSE(SaveCapture(g, "kavgrid_enriquecido_casilla_nodo").IsEmpty());
    TCanvas* c = Lienzo();
    const int llano = Izquierda(c, g->CellRect(1, 1), clBlack);
    const int rico = Izquierda(c, g->CellRect(1, 2), clBlack);
    const int sinCasilla = Izquierda(c, g->CellRect(1, 3), clBlack);
    ASSERT_GE(llano, 0);
    ASSERT_GE(rico, 0);
    ASSERT_GE(sinCasilla, 0);
    EXPECT_GE(llano - sinCasilla, 15) << "the check box keeps its room";
    EXPECT_NEAR(rico, llano, 2) << "rich text beside the check box, not under it";
    // Column 0 under the node.
    const int llanoNodo = Izquierda(c, g->CellRect(0, 2), clBlack);
    const int ricoNodo = Izquierda(c, g->CellRect(0, 3), clBlack);
    ASSERT_GE(llanoNodo, 0);
    EXPECT_GE(llanoNodo - g->CellRect(0, 2).Left, g->NodeIndent(2));
    EXPECT_NEAR(ricoNodo, llanoNodo, 2) << "rich text indented as plain text";
}

} // namespace
