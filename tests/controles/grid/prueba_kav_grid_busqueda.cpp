// Searching the advanced grid's cells: each option's walk as the list of hits FindFirst and
// FindNext give, wide texts, hidden columns, moving to a hit, the row lookup and the lookup
// driven by typed keys; the search bar driven by keys and clicks.

#include "controles/grid/button/grid_button.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/check_radio.h"
#include "plataforma/gui/widgets/edit.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Hits = std::vector<std::pair<int, int>>;

// Fixed row 0 and column 0, a fixed right column 4 and a footer row 4; data in columns
// 1..3 and rows 1..3.
class Busqueda : public RejillaEnVentana<> {
protected:
    void SetUp() override {
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 500, 300);
        g->SetColCountEx(5);
        g->SetRowCountEx(5);
        g->SetFixedFooters(1);
        g->SetFixedRightCols(1);
        const char* datos[5][5] = {
            {"", "", "fija", "", "casa"},
            {"", "casa", "x", "CASA grande", "casa"},
            {"fija", "", "mi casa", "Casa", "casa"},
            {"", "<b>casa</b>", "cas", "casas", "casa"},
            {"casa", "casa", "casa", "casa", "casa"},
        };
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 5; ++c)
                g->SetCells(c, r, datos[r][c]);
    }
    // FindFirst, then FindNext until it gives (-1, -1).
    Hits Todos(const AnsiString& Text, TFindParameters Params) {
        Hits h;
        for (TPoint p = g->FindFirst(Text, Params); p != TPoint(-1, -1); p = g->FindNext()) {
            h.emplace_back(p.x, p.y);
            if (h.size() > 30) break; // a walk that never ends
        }
        return h;
    }
};

TEST_F(Busqueda, CadaOpcionDaSusCeldasEnSuOrden) {
    struct Caso {
        const char* nombre;
        const char* texto;
        TFindParameters params;
        Hits esperado;
    };
    const std::vector<Caso> casos = {
        {"por columnas", "casa", {}, {{1, 1}, {1, 3}, {2, 2}, {3, 1}, {3, 2}, {3, 3}}},
        {"por filas",
         "casa",
         {fnDirectionLeftRight},
         {{1, 1}, {3, 1}, {2, 2}, {3, 2}, {1, 3}, {3, 3}}},
        {"por columnas hacia atrás",
         "casa",
         {fnBackward},
         {{3, 3}, {3, 2}, {3, 1}, {2, 2}, {1, 3}, {1, 1}}},
        {"por filas hacia atrás",
         "casa",
         {fnBackward, fnDirectionLeftRight},
         {{3, 3}, {1, 3}, {3, 2}, {2, 2}, {3, 1}, {1, 1}}},
        {"mayúsculas", "casa", {fnMatchCase}, {{1, 1}, {1, 3}, {2, 2}, {3, 3}}},
        {"al principio", "casa", {fnMatchStart}, {{1, 1}, {3, 1}, {3, 2}, {3, 3}}},
        {"entera", "CaSa", {fnMatchFull}, {{1, 1}, {3, 2}}},
        {"entera sin marcas", "casa", {fnMatchFull, fnIgnoreHTMLTags}, {{1, 1}, {1, 3}, {3, 2}}},
        {"comodines", "cas?", {fnMatchRegular}, {{1, 1}, {3, 2}}},
        {"comodines con mayúsculas", "C*", {fnMatchRegular, fnMatchCase}, {{3, 1}, {3, 2}}},
        {"celdas vacías", "\"\"", {}, {{1, 2}}},
        {"con las fijas", "fija", {fnIncludeFixed}, {{0, 2}, {2, 0}}},
        {"con las fijas, al final",
         "casa",
         {fnIncludeFixed, fnBackward},
         {{4, 4},
          {4, 3},
          {4, 2},
          {4, 1},
          {4, 0},
          {3, 4},
          {3, 3},
          {3, 2},
          {3, 1},
          {2, 4},
          {2, 2},
          {1, 4},
          {1, 3},
          {1, 1},
          {0, 4}}},
        {"sin coincidencias", "nada", {}, {}},
        {"fila actual", "casa", {fnFindInCurrentRow}, {{2, 2}, {3, 2}}},
        {"columna actual",
         "casa",
         {fnFindInCurrentCol, fnDirectionLeftRight},
         {{3, 1}, {3, 2}, {3, 3}}},
        {"columna fijada", "a", {fnFindInPresetCol}, {{2, 2}, {2, 3}}},
        {"fila fijada", "a", {fnFindInPresetRow, fnDirectionLeftRight}, {{1, 3}, {2, 3}, {3, 3}}},
    };
    g->SetRow(2);
    g->SetCol(3);
    g->SetPresetSearchCol(2);
    g->SetPresetSearchRow(3);
    for (const Caso& c : casos) {
        EXPECT_EQ(Todos(c.texto, c.params), c.esperado) << c.nombre;
        // After the (-1, -1) that ends a walk, the next FindNext starts again at the top.
        if (!c.esperado.empty()) {
            const TPoint p = g->FindNext();
            EXPECT_EQ(std::make_pair(p.x, p.y), c.esperado.front()) << c.nombre;
        }
        EXPECT_EQ(g->GetRow(), 2) << c.nombre; // without fnAutoGoto the cell stays
        EXPECT_EQ(g->GetCol(), 3) << c.nombre;
    }
}

TEST_F(Busqueda, UnInicioDentroDelRangoNoSeDevuelveASiMismo) {
    EXPECT_EQ(g->Find(TPoint(1, 1), "casa", {}), TPoint(1, 3));
    EXPECT_EQ(g->Find(TPoint(3, 3), "casa", {}), TPoint(-1, -1)); // past the last cell
    EXPECT_EQ(g->Find(TPoint(1, 1), "casa", {fnBackward}), TPoint(-1, -1));
    // The end of a row goes on at the start of the next one.
    EXPECT_EQ(g->Find(TPoint(3, 1), "casa", {fnDirectionLeftRight}), TPoint(2, 2));
    EXPECT_EQ(g->Find(TPoint(2, 2), "casa", {fnDirectionLeftRight, fnBackward}), TPoint(3, 1));
}

TEST_F(Busqueda, IrAlEncontrado) {
    EXPECT_EQ(g->FindFirst("mi", {fnAutoGoto}), TPoint(2, 2));
    EXPECT_EQ(g->GetCol(), 2);
    EXPECT_EQ(g->GetRow(), 2);
    // A miss leaves the current cell.
    EXPECT_EQ(g->FindFirst("nada", {fnAutoGoto}), TPoint(-1, -1));
    EXPECT_EQ(g->GetCol(), 2);
    EXPECT_EQ(g->GetRow(), 2);
}

TEST_F(Busqueda, TextoAncho) {
    g->SetWideCells(1, 2, u"\u03bb\u03cc\u03b3\u03bf\u03c2");
    g->SetWideCells(2, 3, u"\u039b\u038c\u0393\u039f\u0399");
    EXPECT_EQ(g->FindWide(TPoint(-1, -1), u"\u03bb\u03cc\u03b3", {}), TPoint(1, 2));
    EXPECT_EQ(g->FindWide(TPoint(1, 2), u"\u03bb\u03cc\u03b3", {}), TPoint(2, 3));
    EXPECT_EQ(g->FindWide(TPoint(-1, -1), u"\u03bb\u03cc\u03b3", {fnMatchCase}), TPoint(1, 2));
    EXPECT_EQ(g->FindWide(TPoint(1, 2), u"\u03bb\u03cc\u03b3", {fnMatchCase}), TPoint(-1, -1));
    EXPECT_EQ(g->FindWide(TPoint(-1, -1), u"\u03bb\u03cc\u03b3\u03bf\u03c2", {fnMatchFull}),
              TPoint(1, 2));
    // Two double quotes find an empty cell in the wide walk too.
    g->SetCells(1, 1, "");
    EXPECT_EQ(g->FindWide(TPoint(-1, -1), u"\"\"", {}), TPoint(1, 1));
}

TEST_F(Busqueda, ColumnasOcultas) {
    g->HideColumn(2);
    // Shown columns: 1, then real 3 as shown column 2; "mi casa" is not seen.
    EXPECT_EQ(Todos("casa", {}), (Hits{{1, 1}, {1, 3}, {2, 1}, {2, 2}, {2, 3}}));
    // By real index, the hidden column takes part.
    EXPECT_EQ(Todos("casa", {fnIncludeHiddenColumns}),
              (Hits{{1, 1}, {1, 3}, {2, 2}, {3, 1}, {3, 2}, {3, 3}}));
}

TEST_F(Busqueda, SinCeldasNormales) {
    // A fixed column on each side and none between: nothing to search.
    g->SetColCountEx(2);
    g->SetCells(1, 1, "casa");
    EXPECT_EQ(g->FindFirst("casa", {}), TPoint(-1, -1));
    EXPECT_EQ(g->FindNext(), TPoint(-1, -1));
    g->SetFixedFooters(0);
    g->SetRowCountEx(1);
    EXPECT_EQ(g->Search("C"), -1);
}

TEST_F(Busqueda, BuscarFilaPorSuPrincipio) {
    g->SetCells(1, 2, "<i>Cosa</i>");
    EXPECT_EQ(g->Search("CAS"), 1);
    EXPECT_EQ(g->Search("COS"), 2); // markup stripped
    EXPECT_EQ(g->Search("Z"), -1);
    // With the sort indicator, the sort column is looked up.
    g->GetSortSettings()->SetShow(true);
    g->GetSortSettings()->SetColumn(3);
    EXPECT_EQ(g->Search("CASA"), 1);
    EXPECT_EQ(g->Search("CASAS"), 3);
    EXPECT_EQ(g->Search("MI"), -1);
}

TEST_F(Busqueda, LasTeclasBuscanLaFila) {
    for (int r = 1; r < 5; ++r)
        g->SetCells(1, r, std::vector<const char*>{"", "alba", "alma", "beta", "total"}[r]);
    g->SetFixedFooters(0);
    g->GetNavigation()->SetAutoGotoWhenSorted(true);
    g->SetFocus();
    // Each character alone: "m" is nowhere at the start, the row stays.
    SimulateTyping("b");
    EXPECT_EQ(g->GetRow(), 3);
    SimulateTyping("m");
    EXPECT_EQ(g->GetRow(), 3);
    EXPECT_EQ(g->GetSearchText(), "");
    SimulateTyping("a");
    EXPECT_EQ(g->GetRow(), 1);

    // Appended: "alm" reaches the second row starting "al"; Backspace goes back to "al".
    g->GetNavigation()->SetAutoGotoIncremental(true);
    g->SetSearchText(""); // as the timer leaves it after two idle seconds
    g->SetRow(4);
    SimulateTyping("alm");
    EXPECT_EQ(g->GetRow(), 2);
    EXPECT_EQ(g->GetSearchText(), "alm");
    SimulateKeyStroke(VK_BACK);
    EXPECT_EQ(g->GetSearchText(), "al");
    EXPECT_EQ(g->GetRow(), 1);

    // Clearing the grid forgets what was typed: the next key starts a search of its own.
    g->Clear();
    EXPECT_EQ(g->GetSearchText(), "");
    for (int r = 1; r < 5; ++r)
        g->SetCells(1, r, std::vector<const char*>{"", "alba", "alma", "beta", "total"}[r]);
    SimulateTyping("t");
    EXPECT_EQ(g->GetRow(), 4);

    // While editing is on, the keys edit and look nothing up.
    g->SetSearchText("");
    g->SetOptions(g->GetOptions() << goEditing);
    g->SetRow(4);
    SimulateTyping("b");
    EXPECT_EQ(g->GetRow(), 4);
}

// The bar shown under the grid: typing into its edit searches from the top (each key), the
// buttons go on from the last found cell.
class BarraBusqueda : public Busqueda {
protected:
    void SetUp() override {
        Busqueda::SetUp();
        ventana->Show();
        g->GetSearchFooter()->SetVisible(true);
        p = g->GetSearchPanel();
        edit = p->GetSearchEdit();
    }
    TPoint Actual() const { return TPoint(g->GetCol(), g->GetRow()); }
    void Teclea(const AnsiString& Text) {
        edit->SetFocus();
        SimulateTyping(Text, edit);
    }
    void Pulsa(TControl* Boton) {
        SimulateClick(Boton, Boton->GetWidth() / 2, Boton->GetHeight() / 2);
    }
    TSearchPanel* p = nullptr;
    TEdit* edit = nullptr;
};

TEST_F(BarraBusqueda, LaBarraSeMuestraYSeCierra) {
    EXPECT_TRUE(p->GetVisible());
    EXPECT_EQ(p->GetHeight(), 32);
    EXPECT_EQ(p->GetFindNextButton()->GetCaption(), "Find next");
    EXPECT_EQ(p->GetFindNextButton()->GetHint(), "Find next occurence");
    // Without text the buttons that search are off.
    EXPECT_FALSE(p->GetFindNextButton()->GetEnabled());
    EXPECT_FALSE(p->GetHighlightButton()->GetEnabled());
    EXPECT_EQ(p->GetMatchCaseBox()->GetLeft(), 425);

    // What the options leave out gives its place: no highlight button, the box moves left; an
    // empty hint shows none.
    TSearchFooter* f = g->GetSearchFooter();
    f->SetShowHighLight(false);
    f->SetHintFindPrev("");
    f->SetMatchCaseCaption("Mayúsculas");
    EXPECT_FALSE(p->GetHighlightButton()->GetVisible());
    EXPECT_EQ(p->GetHighlightButton()->GetHeight(), 0);
    EXPECT_EQ(p->GetMatchCaseBox()->GetLeft(), 330);
    EXPECT_FALSE(p->GetFindPrevButton()->GetShowHint());
    EXPECT_EQ(p->GetMatchCaseBox()->GetCaption(), "Mayúsculas");

    Pulsa(p->GetCloseButton());
    EXPECT_FALSE(f->GetVisible());
    EXPECT_EQ(p->GetHeight(), 0);
}

TEST_F(BarraBusqueda, TeclearBuscaDesdeArribaYMarcaElFallo) {
    Teclea("cas");
    EXPECT_EQ(Actual(), TPoint(1, 1));
    EXPECT_TRUE(p->GetFindNextButton()->GetEnabled());
    EXPECT_EQ(edit->GetColor(), clWindow);
    // One key more that nothing matches: red, and the current cell stays.
    Teclea("z");
    EXPECT_EQ(edit->GetColor(), clRed);
    EXPECT_EQ(g->GetLastFound(), TPoint(-1, -1));
    EXPECT_EQ(Actual(), TPoint(1, 1));
    SimulateKeyStroke(VK_BACK, {}, edit);
    EXPECT_EQ(edit->GetColor(), clWindow);
    EXPECT_EQ(Actual(), TPoint(1, 1));
    // Emptied: the buttons go off and the colour is the window's.
    for (int i = 0; i < 3; ++i)
        SimulateKeyStroke(VK_BACK, {}, edit);
    EXPECT_EQ(edit->GetText(), "");
    EXPECT_EQ(edit->GetColor(), clWindow);
    EXPECT_FALSE(p->GetFindPrevButton()->GetEnabled());
}

TEST_F(BarraBusqueda, LosBotonesNoAtiendenAMayusculasNiColumna) {
    // The match-case box takes part in typing: "CASA" is first in column 3.
    Pulsa(p->GetMatchCaseBox());
    ASSERT_TRUE(p->GetMatchCaseBox()->GetChecked());
    Teclea("CASA");
    EXPECT_EQ(Actual(), TPoint(3, 1));
    // Next and previous go on from there without regard to case.
    Pulsa(p->GetFindNextButton());
    EXPECT_EQ(Actual(), TPoint(3, 2));
    Pulsa(p->GetFindNextButton());
    EXPECT_EQ(Actual(), TPoint(3, 3));
    Pulsa(p->GetFindPrevButton());
    EXPECT_EQ(Actual(), TPoint(3, 2));

    // A search column restricts typing only; the buttons walk every column.
    Pulsa(p->GetMatchCaseBox());
    g->GetSearchFooter()->SetSearchColumn(2);
    edit->SetText("");
    Teclea("casa");
    EXPECT_EQ(Actual(), TPoint(2, 2));
    Pulsa(p->GetFindNextButton());
    EXPECT_EQ(Actual(), TPoint(3, 1));
}

TEST_F(BarraBusqueda, SinBusquedaAlTeclearLosBotonesEmpiezanConCadaTexto) {
    g->GetSearchFooter()->SetAutoSearch(false);
    Teclea("casa");
    EXPECT_EQ(Actual(), TPoint(1, 1)); // not moved: the grid starts at (1, 1)
    EXPECT_EQ(g->GetLastFound(), TPoint(-1, -1));
    Pulsa(p->GetFindNextButton());
    EXPECT_EQ(Actual(), TPoint(1, 1));
    Pulsa(p->GetFindNextButton());
    EXPECT_EQ(Actual(), TPoint(1, 3));
    // A new text starts from the top again.
    edit->SetText("mi");
    Pulsa(p->GetFindNextButton());
    EXPECT_EQ(Actual(), TPoint(2, 2));
}

TEST_F(BarraBusqueda, ElResaltadoMarcaYLaBusquedaSaltaLasMarcas) {
    Teclea("asa");
    Pulsa(p->GetHighlightButton());
    ASSERT_TRUE(p->GetHighlightButton()->GetDown());
    EXPECT_NE(g->GetCells(2, 2), "mi casa"); // marked
    // With the marks in the cells, typing still finds the text.
    Teclea("s");
    EXPECT_EQ(Actual(), TPoint(3, 3));
    EXPECT_EQ(edit->GetColor(), clWindow);
    EXPECT_FALSE(SaveCapture(ventana.get(), "barra_busqueda").IsEmpty());
    Pulsa(p->GetHighlightButton());
    EXPECT_EQ(g->GetCells(2, 2), "mi casa");
    EXPECT_EQ(g->GetCells(3, 3), "casas");
}

TEST_F(BarraBusqueda, LaFilaEncontradaNoQuedaBajoLaBarra) {
    g->SetFixedFooters(0);
    g->SetRowCountEx(60);
    g->SetCells(1, 50, "aguja");
    Teclea("aguja");
    ASSERT_EQ(Actual(), TPoint(1, 50));
    EXPECT_LE(g->GetRow(), g->GetTopRow() + g->GetVisibleRowCount() - 2);
}

// The bar and the floating footer stay at the grid's bottom when it is resized, with a
// stretched column as well (that sizing takes its own path).
TEST_F(BarraBusqueda, LaBarraYElPieSiguenAlFondoAlCambiarDeTamano) {
    g->GetFloatingFooter()->SetVisible(true);
    TFooterPanel* pie = g->GetFooterPanel();
    ASSERT_NE(pie, nullptr);
    for (const bool estirar : {false, true}) {
        SCOPED_TRACE(estirar ? "estirada" : "sin estirar");
        g->GetColumnSize()->SetStretch(estirar);
        for (const int alto : {260, 340}) {
            g->SetBounds(0, 0, estirar ? 480 : 500, alto);
            EXPECT_EQ(p->GetTop() + p->GetHeight(), g->GetClientHeight());
            EXPECT_EQ(pie->GetTop() + pie->GetHeight(), p->GetTop());
        }
    }
}

TEST_F(BarraBusqueda, AssignCopiaLasOpciones) {
    TSearchFooter* f = g->GetSearchFooter();
    f->SetFindNextCaption("Siguiente");
    f->SetSearchColumn(2);
    f->SetColor(clYellow);
    f->GetFont()->SetSize(11);
    auto* otra = new Rejilla(ventana.get(), ventana.get());
    otra->Assign(g);
    EXPECT_EQ(otra->GetSearchFooter()->GetFindNextCaption(), "Siguiente");
    EXPECT_EQ(otra->GetSearchFooter()->GetSearchColumn(), 2);
    EXPECT_TRUE(otra->GetSearchFooter()->GetVisible());
    EXPECT_EQ(otra->GetSearchFooter()->GetFont()->GetSize(), 11);
    EXPECT_EQ(otra->GetSearchPanel()->GetColor(), clYellow);
    EXPECT_EQ(otra->GetSearchPanel()->GetFindNextButton()->GetCaption(), "Siguiente");
}

} // namespace
