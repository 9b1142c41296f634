// Form controls inside markup cells of the advanced grid, used as a user does: a click enters
// a control (F2 opens neither the controls nor the text editor), Tab goes on to the next, Return
// ends the edit and the typed value is written into the cell text; a click enters the control under
// the pointer, a check box control flips, and OnCanEditCell may keep the controls closed.

#include "controles/edit/ksg_combo.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/markup/markup_helpers.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/combo.h"
#include "plataforma/gui/widgets/edit.h"
#include "tests/comun/pruebas.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <gtest/gtest.h>

inline void PrintTo(const AnsiString& S, std::ostream* Os) {
    *Os << '"' << S.c_str() << '"';
}

namespace {

const char* const Ficha = "<B>Muro</B> Nombre: <CONTROL TYPE=\"EDIT\" ID=\"n\" VALUE=\"Ana\" "
                          "WIDTH=\"80\"> Tipo: <CONTROL TYPE=\"COMBO\" ID=\"t\" VALUE=\"ladrillo\" "
                          "WIDTH=\"90\">";

struct Hecho {
    int fila, col;
    AnsiString id, tipo, valor;
};

class Formularios : public RejillaEnVentana<Rejilla, 600, 300> {
protected:
    void SetUp() override {
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 560, 220);
        g->SetColCount(3);
        g->SetRowCount(4);
        g->SetColWidths(1, 420);
        for (int r = 1; r < 4; ++r)
            g->SetRowHeights(r, 30);
        g->SetOptions(g->GetOptions() << goEditing);
        g->SetCells(1, 1, Ficha);
        g->SetCells(2, 1, "otra");
        g->OnControlComboList = [&](TObject*, int, int, const AnsiString&, const AnsiString&,
                                    const AnsiString&, TStrings* valores, bool& editar, int&) {
            valores->Add("hormigón");
            valores->Add("ladrillo");
            editar = comboEditable;
        };
        g->OnControlEditDone = [&](TObject*, int fila, int col, const AnsiString& id,
                                   const AnsiString& tipo, const AnsiString& valor) {
            hechos.push_back({fila, col, id, tipo, valor});
        };
        g->SetFocus();
        g->SetCol(1);
        g->SetRow(1);
    }
    // The first point of the row's middle line, left to right, over a form control.
    TPoint SobreControl(int col, int row, int desde = 0) {
        const TRect r = g->CellRect(col, row);
        const int y = (r.Top + r.Bottom) / 2;
        for (int x = std::max(r.Left, desde); x < r.Right; ++x)
            if (g->AnchorAt(col, row, x, y) == "ctrl") return {x + 3, y};
        return {-1, -1};
    }
    // The same from the right: a point over the cell's last control.
    TPoint SobreUltimoControl(int col, int row) {
        const TRect r = g->CellRect(col, row);
        const int y = (r.Top + r.Bottom) / 2;
        for (int x = r.Right - 1; x >= r.Left; --x)
            if (g->AnchorAt(col, row, x, y) == "ctrl") return {x - 3, y};
        return {-1, -1};
    }
    // A click on the first control of the cell.
    void Entrar(int col, int row) {
        const TPoint p = SobreControl(col, row);
        ASSERT_GE(p.x, 0);
        SimulateClick(g, p.x, p.y);
    }
    AnsiString Valor(int col, int row, const char* id) {
        AnsiString v;
        GetControlValue(g->GetCells(col, row), id, v);
        return v;
    }
    bool comboEditable = true;
    std::vector<Hecho> hechos;
};

TEST_F(Formularios, ClicEntraTabulaEntreControlesEIntroLosGuarda) {
    // F2 leaves a cell with controls alone: no text editor, no control.
    SimulateKeyStroke(VK_F2);
    EXPECT_FALSE(g->GetEditorMode());
    EXPECT_FALSE(g->GetControlActive());
    Entrar(1, 1);
    TMaskEdit* ed = g->GetFormEdit();
    ASSERT_NE(ed, nullptr);
    EXPECT_TRUE(ed->GetVisible());
    EXPECT_TRUE(ed->Focused());
    EXPECT_EQ(ed->GetText(), "Ana");
    EXPECT_TRUE(g->GetControlActive());
    EXPECT_EQ(g->GetControlID(), "n");
    // The edit lies over the cell.
    const TRect celda = g->CellRect(1, 1);
    EXPECT_GE(ed->GetLeft(), celda.Left);
    EXPECT_LE(ed->GetLeft() + ed->GetWidth(), celda.Right);
    EXPECT_GE(ed->GetTop(), celda.Top);
    EXPECT_FALSE(SaveCapture(ventana.get(), "kavgrid_control_marcado").IsEmpty());

    ed->SelectAll();
    SimulateTyping("Eva & Luis");
    SimulateKeyStroke(VK_TAB);
    // Tab wrote the edit and entered the combo box with its items.
    EXPECT_FALSE(ed->GetVisible());
    EXPECT_EQ(Valor(1, 1, "n"), "Eva & Luis");
    ASSERT_EQ(hechos.size(), 1u);
    EXPECT_EQ(hechos[0].id, "n");
    EXPECT_EQ(hechos[0].tipo, "EDIT");
    EXPECT_EQ(hechos[0].valor, "Eva & Luis");
    EXPECT_EQ(hechos[0].fila, 1);
    EXPECT_EQ(hechos[0].col, 1);
    TCustomComboBox* cb = g->GetFormCombo();
    ASSERT_NE(cb, nullptr);
    // The form combo box has the flat look of the grid's combo editors.
    EXPECT_NE(dynamic_cast<TKSGComboBox*>(cb), nullptr);
    EXPECT_TRUE(cb->GetVisible());
    EXPECT_EQ(g->GetControlID(), "t");
    EXPECT_EQ(cb->GetItems()->GetCount(), 2);
    EXPECT_EQ(cb->GetItemIndex(), 1);
    EXPECT_EQ(cb->GetStyle(), csDropDown);
    cb->SetDroppedDown(false);
    cb->SetItemIndex(0);
    SimulateKeyStroke(VK_RETURN, {}, cb);
    EXPECT_FALSE(cb->GetVisible());
    EXPECT_FALSE(g->GetControlActive());
    EXPECT_TRUE(g->Focused());
    EXPECT_EQ(Valor(1, 1, "t"), "hormigón");
    EXPECT_EQ(Valor(1, 1, "n"), "Eva & Luis");
    ASSERT_EQ(hechos.size(), 2u);
    EXPECT_EQ(hechos[1].tipo, "COMBO");
    // The markup around the controls stays.
    EXPECT_EQ(g->GetCells(1, 1).Pos("<B>Muro</B> Nombre: "), 1);
    EXPECT_EQ(g->GetCells(2, 1), "otra");
}

TEST_F(Formularios, TabTrasElUltimoControlDevuelveElFocoALaRejilla) {
    g->SetCells(1, 2, "<B>a</B> <CONTROL TYPE=\"PASSWORD\" ID=\"p\" VALUE=\"x\" WIDTH=\"60\">");
    Entrar(1, 2);
    TMaskEdit* ed = g->GetFormEdit();
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(ed->GetPasswordChar(), '*');
    SimulateKeyStroke(VK_END);
    SimulateTyping("yz");
    SimulateKeyStroke(VK_TAB);
    EXPECT_FALSE(g->GetControlActive());
    EXPECT_TRUE(g->Focused());
    EXPECT_EQ(Valor(1, 2, "p"), "xyz");
    // The next edit is a plain one: no password character left behind.
    Entrar(1, 1);
    EXPECT_TRUE(g->GetControlActive());
    EXPECT_EQ(ed->GetPasswordChar(), '\0');
}

TEST_F(Formularios, ClicEntraEnElControlYLaComprobacionCambia) {
    g->SetCells(1, 2, "<B>a</B> <CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"FALSE\" WIDTH=\"16\">");
    std::vector<AnsiString> clics;
    g->OnControlClick = [&](TObject*, int, int, const AnsiString& id, const AnsiString&,
                            const AnsiString& valor) { clics.push_back(id + "=" + valor); };
    bool anclas = false;
    g->OnAnchorClick = [&](TObject*, int, int, const AnsiString&, bool&) { anclas = true; };

    const TPoint p = SobreControl(1, 1);
    ASSERT_GE(p.x, 0);
    SimulateClick(g, p.x, p.y);
    ASSERT_NE(g->GetFormEdit(), nullptr);
    EXPECT_TRUE(g->GetFormEdit()->Focused());
    EXPECT_EQ(g->GetControlID(), "n");
    // A click on another cell's control ends the open one first.
    const TPoint c = SobreControl(1, 2);
    ASSERT_GE(c.x, 0);
    SimulateClick(g, c.x, c.y);
    EXPECT_FALSE(g->GetFormEdit()->GetVisible());
    EXPECT_EQ(Valor(1, 2, "c"), "TRUE");
    SimulateClick(g, c.x, c.y);
    EXPECT_EQ(Valor(1, 2, "c"), "FALSE");
    ASSERT_EQ(clics.size(), 3u);
    EXPECT_EQ(clics[0], "n=Ana");
    EXPECT_EQ(clics[1], "c=FALSE");
    EXPECT_EQ(clics[2], "c=TRUE");
    EXPECT_FALSE(anclas);
    ASSERT_EQ(hechos.size(), 1u);
    EXPECT_EQ(hechos[0].valor, "Ana");
}

TEST_F(Formularios, OnCanEditCellMantieneCerradosLosControles) {
    g->OnCanEditCell = [](TObject*, int, int, bool& puede) { puede = false; };
    g->SetCells(1, 2, "<B>a</B> <CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"FALSE\" WIDTH=\"16\">");
    const TPoint p = SobreControl(1, 1), c = SobreControl(1, 2);
    SimulateClick(g, p.x, p.y);
    SimulateClick(g, c.x, c.y);
    EXPECT_FALSE(g->GetControlActive());
    EXPECT_TRUE(g->GetFormEdit() == nullptr || !g->GetFormEdit()->GetVisible());
    EXPECT_EQ(Valor(1, 2, "c"), "FALSE");
    // F2 on a cell with controls opens neither the controls nor the text editor.
    g->SetRow(1);
    SimulateKeyStroke(VK_F2);
    EXPECT_FALSE(g->GetEditorMode());
}

// OnCanEditCell is asked with the column and the row of the cell, as GetCellReadOnly asks it.
TEST_F(Formularios, OnCanEditCellRecibeColumnaYFila) {
    g->OnCanEditCell = [](TObject*, int col, int row, bool& puede) {
        puede = !(col == 1 && row == 2);
    };
    g->SetCells(1, 2, "<B>a</B> <CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"FALSE\" WIDTH=\"16\">");
    const TPoint c = SobreControl(1, 2);
    SimulateClick(g, c.x, c.y);
    EXPECT_EQ(Valor(1, 2, "c"), "FALSE");
    const TPoint p = SobreControl(1, 1);
    SimulateClick(g, p.x, p.y);
    EXPECT_TRUE(g->GetControlActive());
}

TEST_F(Formularios, ListaFijaYFilaBorradaMientrasSeEdita) {
    comboEditable = false;
    g->SetCells(1, 3, "<B>b</B> <CONTROL TYPE=\"COMBO\" ID=\"t\" VALUE=\"otro\" WIDTH=\"90\">");
    Entrar(1, 3);
    TCustomComboBox* cb = g->GetFormCombo();
    ASSERT_NE(cb, nullptr);
    EXPECT_EQ(cb->GetStyle(), csDropDownList);
    EXPECT_EQ(cb->GetItemIndex(), -1); // the value is not among the items
    cb->SetDroppedDown(false);
    // The row goes while the combo box is open: leaving it writes nowhere.
    g->SetRowCount(3);
    g->SetFocus();
    g->ControlExit(g);
    EXPECT_FALSE(g->GetControlActive());
    EXPECT_FALSE(cb->GetVisible());
    EXPECT_EQ(g->GetRowCount(), 3);
}

} // namespace

TEST_F(Formularios, TabSigueEnLaCeldaDelControlPulsadoYElBotonSeSuelta) {
    g->SetCells(1, 2,
                "<B>a</B> <CONTROL TYPE=\"EDIT\" ID=\"x\" VALUE=\"1\" WIDTH=\"60\"> "
                "<CONTROL TYPE=\"EDIT\" ID=\"y\" VALUE=\"2\" WIDTH=\"60\"> "
                "<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Calcular\" WIDTH=\"70\">");
    std::vector<AnsiString> tipos;
    g->OnControlClick = [&](TObject*, int, int, const AnsiString&, const AnsiString& tipo,
                            const AnsiString&) { tipos.push_back(tipo); };
    // The current cell is (1, 1); the click enters the first control of row 2.
    const TPoint x = SobreControl(1, 2);
    ASSERT_GE(x.x, 0);
    SimulateClick(g, x.x, x.y);
    EXPECT_EQ(g->GetControlID(), "x");
    SimulateKeyStroke(VK_TAB);
    EXPECT_EQ(g->GetControlID(), "y");
    EXPECT_EQ(g->GetControlCell(), TPoint(1, 2));
    EXPECT_EQ(g->GetFormEdit()->GetText(), "2");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_FALSE(g->GetControlActive());
    // The button control is held from the press to the release, and opens no editor.
    const TPoint b = SobreUltimoControl(1, 2);
    ASSERT_GE(b.x, 0);
    SimulateMouse(g, SimulatedMouse::Down, 0, b.x, b.y);
    EXPECT_TRUE(g->GetFormButtonDown());
    EXPECT_FALSE(SaveCapture(ventana.get(), "kavgrid_control_boton").IsEmpty());
    EXPECT_FALSE(g->GetControlActive());
    SimulateMouse(g, SimulatedMouse::Up, 0, b.x, b.y);
    EXPECT_FALSE(g->GetFormButtonDown());
    EXPECT_FALSE(SaveCapture(ventana.get(), "kavgrid_control_boton_suelto").IsEmpty());
    ASSERT_EQ(tipos.size(), 2u);
    EXPECT_EQ(tipos[1], "BUTTON");
}

TEST_F(Formularios, TabRecorreUnaVezCadaControlAunqueSeRepitaSuId) {
    g->SetCells(1, 2,
                "<B>d</B> <CONTROL TYPE=\"EDIT\" ID=\"d\" VALUE=\"uno\" WIDTH=\"70\"> "
                "<CONTROL TYPE=\"EDIT\" ID=\"d\" VALUE=\"dos\" WIDTH=\"90\"> "
                "<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"tres\" WIDTH=\"60\">");
    Entrar(1, 2);
    TMaskEdit* ed = g->GetFormEdit();
    ASSERT_NE(ed, nullptr);
    std::vector<AnsiString> vistos;
    std::vector<int> izquierdas;
    for (int paso = 0; paso < 6 && g->GetControlActive(); ++paso) {
        vistos.push_back(ed->GetText());
        izquierdas.push_back(ed->GetLeft());
        SimulateKeyStroke(VK_END);
        SimulateTyping("+");
        SimulateKeyStroke(VK_TAB);
    }
    EXPECT_EQ(vistos, (std::vector<AnsiString>{"uno", "dos", "tres"}));
    ASSERT_EQ(izquierdas.size(), 3u);
    EXPECT_LT(izquierdas[0], izquierdas[1]); // each edit lies over its own control
    EXPECT_LT(izquierdas[1], izquierdas[2]);
    EXPECT_TRUE(g->Focused());
    // Each typed value went into its own control.
    AnsiString texto = g->GetCells(1, 2), v;
    int ocurrencia = 0;
    EXPECT_EQ(GetNextControlID(texto, "", ocurrencia), "d");
    GetControlValue(texto, "d", v);
    EXPECT_EQ(v, "uno+");
    EXPECT_EQ(GetNextControlID(texto, "d", ocurrencia), "d");
    EXPECT_EQ(ocurrencia, 1);
    EXPECT_GT(texto.Pos("VALUE=\"dos+\""), 0);
    EXPECT_EQ(Valor(1, 2, "e"), "tres+");
    ASSERT_EQ(hechos.size(), 3u);
    EXPECT_EQ(hechos[1].valor, "dos+");
}
