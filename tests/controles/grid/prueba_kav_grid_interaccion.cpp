// The advanced grid driven as a user drives it: keys (navigation settings against the
// grid's shape), Tab over editable cells, clicks and their cell events, validation of an
// edited value, scrolling while something is dragged near an edge, and its own messages.

#include "controles/grid/kav_grid.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/regional.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/edit.h"
#include "tests/comun/pruebas.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace {

class Interaccion : public RejillaEnVentana<> {
protected:
    void SetUp() override {
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 400, 250);
        g->SetFocus();
    }
    bool EditorVisible() const {
        return g->GetEditorMode() && g->GetInplaceEditor() && g->GetInplaceEditor()->GetVisible();
    }
    void Ir(int col, int row) {
        g->SetCol(col);
        g->SetRow(row);
    }
    // The middle of a cell, in client coordinates.
    TPoint Centro(int col, int row) {
        const TRect r = g->CellRect(col, row);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void Clic(int col, int row, TShiftState shift = {}) {
        const TPoint p = Centro(col, row);
        SimulateMouse(g, SimulatedMouse::Down, 0, p.x, p.y, shift);
        SimulateMouse(g, SimulatedMouse::Up, 0, p.x, p.y, shift);
    }
};

// --- keys ---

enum Forma { Simple, ConPie, ConFijaDerecha, FijaInterior, Combinada, FilaSelect };

TEST_F(Interaccion, TeclasSegunOpcionesYForma) {
    struct Caso {
        Forma forma;
        THomeEndAction homeEnd;
        bool saltarFijas;
        int col, row;
        WORD tecla;
        TShiftState shift;
        int colFin, filaFin;
    } casos[] = {
        {Simple, heFirstLastColumn, true, 1, 1, VK_RIGHT, {}, 2, 1},
        {Simple, heFirstLastColumn, true, 1, 1, VK_LEFT, {}, 1, 1}, // the fixed column
        {Simple, heFirstLastColumn, true, 1, 1, VK_UP, {}, 1, 1},   // the fixed row
        {Simple, heFirstLastColumn, true, 2, 9, VK_DOWN, {}, 2, 9}, // the last row
        {Simple, heFirstLastColumn, true, 3, 5, VK_HOME, {}, 1, 5},
        {Simple, heFirstLastColumn, true, 2, 5, VK_END, {}, 4, 5},
        {Simple, heFirstLastRow, true, 2, 5, VK_HOME, {}, 2, 1},
        {Simple, heFirstLastRow, true, 2, 5, VK_END, {}, 2, 9},
        {Simple, heFirstLastColumn, true, 2, 1, VK_NEXT, {}, 2, 9},
        {Simple, heFirstLastColumn, true, 2, 9, VK_PRIOR, {}, 2, 1},
        // Footer rows and right fixed columns are not entered.
        {ConPie, heFirstLastColumn, true, 2, 8, VK_DOWN, {}, 2, 8},
        {ConPie, heFirstLastRow, true, 2, 3, VK_END, {}, 2, 8},
        {ConFijaDerecha, heFirstLastColumn, true, 3, 4, VK_RIGHT, {}, 3, 4},
        // A fixed cell inside the grid is jumped over, or stops the move when nothing
        // normal lies beyond it.
        {FijaInterior, heFirstLastColumn, true, 1, 2, VK_RIGHT, {}, 3, 2},
        {FijaInterior, heFirstLastColumn, true, 3, 2, VK_LEFT, {}, 1, 2},
        {FijaInterior, heFirstLastColumn, true, 3, 4, VK_LEFT, {}, 3, 4}, // run to the fixed col
        {FijaInterior, heFirstLastColumn, true, 2, 1, VK_DOWN, {}, 2, 3},
        {FijaInterior, heFirstLastColumn, false, 1, 2, VK_RIGHT, {}, 1, 2}, // refused
        // Merged blocks are passed whole.
        {Combinada, heFirstLastColumn, true, 1, 3, VK_RIGHT, {}, 2, 3},
        {Combinada, heFirstLastColumn, true, 2, 3, VK_RIGHT, {}, 4, 3},
        // Row-select grids: Home and End go to the first and last column.
        {FilaSelect, heFirstLastColumn, true, 3, 4, VK_HOME, {}, 1, 4},
        {FilaSelect, heFirstLastColumn, true, 1, 4, VK_END, {}, 4, 4},
    };
    for (const Caso& c : casos) {
        SetUp();
        g->SetColCount(5);
        g->SetRowCount(10);
        g->GetNavigation()->SetHomeEndKey(c.homeEnd);
        g->GetNavigation()->SetSkipFixedCells(c.saltarFijas);
        switch (c.forma) {
        case ConPie:
            g->SetFixedFooters(1);
            break;
        case ConFijaDerecha:
            g->SetFixedRightCols(1);
            break;
        case FijaInterior:
            g->OnIsFixedCell = [](TObject*, int col, int row, bool& fixed) {
                fixed = (col == 2 && row == 2) || (col <= 2 && row == 4);
            };
            break;
        case Combinada:
            g->MergeCells(2, 3, 2, 1); // columns 2-3 of row 3
            break;
        case FilaSelect:
            g->SetOptions(g->GetOptions() << goRowSelect);
            break;
        default:
            break;
        }
        Ir(c.col, c.row);
        SimulateKeyStroke(c.tecla, c.shift);
        EXPECT_EQ(g->GetCol(), c.colFin)
            << "forma " << c.forma << " de " << c.col << "," << c.row << " tecla " << c.tecla;
        EXPECT_EQ(g->GetRow(), c.filaFin)
            << "forma " << c.forma << " de " << c.col << "," << c.row << " tecla " << c.tecla;
        TearDown();
    }
}

TEST_F(Interaccion, FilasOcultasSeSaltan) {
    for (int r = 1; r < 10; ++r)
        g->SetCells(1, r, IntToStr(r));
    g->HideRow(4);
    g->HideRow(5);
    g->GetNavigation()->SetHomeEndKey(heFirstLastRow);
    Ir(1, 3);
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(g->GetCells(1, g->GetRow()), "6");
    SimulateKeyStroke(VK_END);
    EXPECT_EQ(g->GetCells(1, g->GetRow()), "9");
    EXPECT_EQ(g->GetRow(), 7);
    SimulateKeyStroke(VK_UP);
    SimulateKeyStroke(VK_UP);
    EXPECT_EQ(g->GetCells(1, g->GetRow()), "7");
}

TEST_F(Interaccion, InicioConMayusculasSeleccionaHastaLaPrimeraFila) {
    g->GetNavigation()->SetHomeEndKey(heFirstLastRow);
    Ir(2, 6);
    SimulateKeyStroke(VK_HOME, {ssShift});
    const TGridRect s = g->GetSelection();
    EXPECT_EQ(g->GetRow(), 1);
    EXPECT_EQ(s.Top, 1);
    EXPECT_EQ(s.Bottom, 6);
    EXPECT_EQ(s.Left, 1);
    EXPECT_EQ(s.Right, g->GetColCount() - 1);
}

TEST_F(Interaccion, MayusculasFlechaExtiendeLaSeleccion) {
    Ir(1, 2);
    SimulateKeyStroke(VK_DOWN, {ssShift});
    SimulateKeyStroke(VK_RIGHT, {ssShift});
    const TGridRect s = g->GetSelection();
    EXPECT_EQ(s.Left, 1);
    EXPECT_EQ(s.Top, 2);
    EXPECT_EQ(s.Right, 2);
    EXPECT_EQ(s.Bottom, 3);
}

TEST_F(Interaccion, ControlASeleccionaLasCeldasNormales) {
    g->SetFixedFooters(1);
    Ir(2, 2);
    SimulateKeyStroke('A', {ssCtrl});
    TGridRect s = g->GetSelection();
    EXPECT_EQ(s.Left, 1);
    EXPECT_EQ(s.Top, 1);
    EXPECT_EQ(s.Right, 4);
    EXPECT_EQ(s.Bottom, 8);
    // Neither range nor row selection: nothing happens.
    g->SetOptions(g->GetOptions() >> goRangeSelect);
    Ir(3, 3);
    SimulateKeyStroke('A', {ssCtrl});
    s = g->GetSelection();
    EXPECT_EQ(s.Left, 3);
    EXPECT_EQ(s.Bottom, 3);
}

TEST_F(Interaccion, F2YIntroEnCeldaNoEditable) {
    g->SetOptions(g->GetOptions() << goEditing);
    g->GetCellProperties(2, 2)->SetReadOnly(true);
    std::vector<WORD> teclas;
    g->OnKeyDown = [&](TObject*, WORD& k, TShiftState) { teclas.push_back(k); };
    Ir(2, 2);
    SimulateKeyStroke(VK_F2);
    EXPECT_FALSE(EditorVisible());
    SimulateKeyStroke(VK_RETURN);
    EXPECT_FALSE(EditorVisible());
    EXPECT_EQ(teclas, (std::vector<WORD>{VK_F2, VK_RETURN}));
    // A cell with a form control in its markup is not opened as text.
    g->SetCells(3, 2, "<p>x <control type=\"edit\" id=\"a\"></p>");
    Ir(3, 2);
    SimulateKeyStroke(VK_F2);
    EXPECT_FALSE(EditorVisible());
    // A plain editable cell opens.
    Ir(1, 2);
    SimulateKeyStroke(VK_F2);
    EXPECT_TRUE(EditorVisible());
}

TEST_F(Interaccion, RangeSelectAndEditAbreConF2OEscribiendo) {
    g->GetMouseActions()->SetRangeSelectAndEdit(true);
    Ir(2, 3);
    SimulateKeyStroke(VK_F2);
    EXPECT_TRUE(g->GetOptions().Contains(goEditing));
    EXPECT_TRUE(EditorVisible());
}

TEST_F(Interaccion, EscribirAbreElEditorConElCaracter) {
    g->SetOptions(g->GetOptions() << goEditing);
    Ir(2, 2);
    SimulateTyping("h");
    ASSERT_TRUE(EditorVisible());
    EXPECT_EQ(g->GetEditStartChar(), 'h');
    EXPECT_TRUE(g->GetTextEditorShown());
}

TEST_F(Interaccion, PuntoDelTecladoNumericoComoSeparadorRegional) {
    const char antes = GetDecimalSeparator();
    SetDecimalSeparator(',');
    g->SetOptions(g->GetOptions() << goEditing);
    g->SetExcelStyleDecimalSeparator(true);
    Ir(2, 2);
    SimulateKeyStroke(VK_DECIMAL);
    ASSERT_TRUE(EditorVisible());
    EXPECT_EQ(g->GetEditStartChar(), ',');
    SimulateKeyStroke(VK_ESCAPE);
    Ir(3, 2);
    SimulateKeyStroke(VK_OEM_PERIOD);
    EXPECT_EQ(g->GetEditStartChar(), '.');
    SetDecimalSeparator(antes);
}

// --- Tab ---

TEST_F(Interaccion, TabRecorreLasCeldasEditables) {
    g->SetOptions(g->GetOptions() << goEditing << goTabs);
    g->GetCellProperties(3, 1)->SetReadOnly(true);
    struct Caso {
        int col, row;
        bool atras;
        int colFin, filaFin;
    } casos[] = {
        {1, 1, false, 2, 1}, {2, 1, false, 4, 1}, // over the read-only cell
        {4, 1, false, 1, 2}, {4, 9, false, 1, 1}, // next row; wrap at the end
        {1, 2, true, 4, 1},  {4, 1, true, 2, 1},  // backwards
    };
    for (const Caso& c : casos) {
        Ir(c.col, c.row);
        SimulateKeyStroke(VK_TAB, c.atras ? TShiftState{ssShift} : TShiftState{});
        EXPECT_EQ(g->GetCol(), c.colFin) << c.col << "," << c.row << " " << c.atras;
        EXPECT_EQ(g->GetRow(), c.filaFin) << c.col << "," << c.row << " " << c.atras;
    }
}

TEST_F(Interaccion, TabDeArribaAAbajo) {
    g->SetOptions(g->GetOptions() << goEditing << goTabs);
    g->GetNavigation()->SetTabAdvanceDirection(adTopBottom);
    Ir(1, 1);
    SimulateKeyStroke(VK_TAB);
    EXPECT_EQ(g->GetRow(), 2);
    Ir(1, 9);
    SimulateKeyStroke(VK_TAB);
    EXPECT_EQ(g->GetCol(), 2);
    EXPECT_EQ(g->GetRow(), 1);
}

TEST_F(Interaccion, TabSinCeldasEditablesTermina) {
    g->SetOptions(g->GetOptions() << goTabs); // no goEditing: nothing is editable
    int pulsaciones = 0;
    g->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++pulsaciones; };
    Ir(2, 2);
    SimulateKeyStroke(VK_TAB);
    EXPECT_GT(pulsaciones, 1);
    EXPECT_LE(pulsaciones, g->GetColCount() * g->GetRowCount() + 2);
}

TEST_F(Interaccion, TabDetenidoPorOnKeyDown) {
    g->SetOptions(g->GetOptions() << goEditing << goTabs);
    g->OnKeyDown = [](TObject*, WORD& k, TShiftState) { k = 0; };
    Ir(2, 2);
    SimulateKeyStroke(VK_TAB);
    EXPECT_EQ(g->GetCol(), 2);
}

// --- editability ---

TEST_F(Interaccion, EditableYFija) {
    g->SetFixedFooters(1);
    g->SetFixedRightCols(1);
    EXPECT_FALSE(g->IsEditable(2, 2)); // no goEditing
    g->SetOptions(g->GetOptions() << goEditing);
    EXPECT_TRUE(g->IsEditable(2, 2));
    EXPECT_FALSE(g->IsEditable(0, 2));
    g->GetCellProperties(2, 3)->SetReadOnly(true);
    EXPECT_FALSE(g->IsEditable(2, 3));
    g->MergeCells(1, 5, 2, 2);
    g->GetCellProperties(1, 5)->SetReadOnly(true);
    EXPECT_FALSE(g->IsEditable(2, 6)); // answered by the base cell
    EXPECT_TRUE(g->IsFixed(2, 9));     // footer row
    EXPECT_TRUE(g->IsFixed(4, 2));     // right fixed column
    EXPECT_FALSE(g->IsFixed(3, 2));
    g->OnIsFixedCell = [](TObject*, int c, int r, bool& f) { f = c == 3 && r == 2; };
    EXPECT_TRUE(g->IsFixed(3, 2));
    EXPECT_FALSE(g->IsEditable(3, 2));
}

TEST_F(Interaccion, GoEditingSigueALaCelda) {
    g->SetOptions(g->GetOptions() << goEditing);
    g->GetCellProperties(2, 3)->SetReadOnly(true);
    Ir(2, 2);
    g->SetRow(3);
    EXPECT_FALSE(g->GetOptions().Contains(goEditing));
    EXPECT_FALSE(g->IsEditable(2, 3));
    EXPECT_TRUE(g->IsEditable(2, 4)); // a taken-away goEditing still counts
    g->SetRow(4);
    EXPECT_TRUE(g->GetOptions().Contains(goEditing));
}

TEST_F(Interaccion, EventosDeCambioPuedenNegarElMovimiento) {
    std::vector<std::string> orden;
    g->OnRowChanging = [&](TObject*, int, int nueva, bool& ok) {
        orden.push_back("fila");
        ok = nueva != 5;
    };
    g->OnColChanging = [&](TObject*, int, int, bool&) { orden.push_back("col"); };
    g->OnCellChanging = [&](TObject*, int, int, int, int, bool&) { orden.push_back("celda"); };
    Ir(1, 4);
    orden.clear();
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(g->GetRow(), 4);
    EXPECT_EQ(orden, (std::vector<std::string>{"fila", "celda"}));
    SimulateKeyStroke(VK_UP);
    EXPECT_EQ(g->GetRow(), 3);
}

// A picture fixed in the window stays where it is while the cells scroll under it: after
// each scroll what the grid paints of what changed is what a whole repaint paints. A
// gradient laid over the window does the same.
TEST_F(Interaccion, FondoFijoNoSeArrastraAlDesplazar) {
    ventana->Show();
    g->SetRowCount(40);
    g->SetColCount(12);
    TBitmap rayas;
    rayas.SetSize(90, 70);
    for (int y = 0; y < 70; y += 10) {
        rayas.GetCanvas()->GetBrush()->SetColor(y % 20 ? clRed : clBlue);
        rayas.GetCanvas()->FillRect(Rect(0, y, 90, y + 10));
    }
    auto pixeles = [&] {
        std::vector<TColor> v;
        for (int y = 0; y < g->GetClientHeight(); ++y)
            for (int x = 0; x < g->GetClientWidth(); ++x)
                v.push_back(g->GetCanvas()->GetPixels(x, y));
        return v;
    };
    for (TBackGroundDisplay forma : {bdFixed, bdGradientVert}) {
        SCOPED_TRACE(forma);
        TBackGround* fondo = g->GetBackGround();
        fondo->SetBitmap(forma == bdFixed ? &rayas : nullptr);
        fondo->SetDisplay(forma);
        fondo->SetLeft(120);
        fondo->SetTop(60);
        g->SetTopRow(g->GetFixedRows());
        g->SetLeftCol(g->GetFixedCols());
        g->Repaint();
        for (TPoint paso : {TPoint(0, 1), TPoint(0, 2), TPoint(1, 0), TPoint(0, -1)}) {
            SCOPED_TRACE(std::to_string(paso.x) + "," + std::to_string(paso.y));
            g->SetTopRow(g->GetTopRow() + paso.y);
            g->SetLeftCol(g->GetLeftCol() + paso.x);
            g->Update();
            const std::vector<TColor> tras = pixeles();
            g->Repaint();
            EXPECT_TRUE(tras == pixeles());
        }
        if (forma == bdFixed) {
            g->SetTopRow(g->GetTopRow() + 1);
            g->Update();
            EXPECT_FALSE(SaveCapture(ventana.get(), "rejilla_fondo_fijo_desplazado").IsEmpty());
        }
    }
}

// --- validation ---

class Validacion : public Interaccion {
protected:
    void SetUp() override {
        Interaccion::SetUp();
        // The editor shows also while the grid has not got the focus.
        g->SetOptions(g->GetOptions() << goEditing << goAlwaysShowEditor);
        g->SetCells(2, 2, "viejo");
        ventana->SetFocus(); // the editor opens without the focus
        Ir(2, 2);
        g->InitValidate(2, 2);
    }
    void Editar(const AnsiString& texto) {
        g->ShowInplaceEdit();
        ASSERT_TRUE(EditorVisible());
        g->GetInplaceEditor()->SetText(texto);
    }
};

TEST_F(Validacion, RechazoDevuelveElTextoYReabreElEditor) {
    int llamadas = 0;
    g->OnCellValidate = [&](TObject*, int col, int row, AnsiString& v, bool& ok) {
        ++llamadas;
        EXPECT_EQ(col, 2);
        EXPECT_EQ(row, 2);
        EXPECT_EQ(v, "malo");
        ok = false;
    };
    Editar("malo");
    g->SetRow(4); // the move validates the open edit
    EXPECT_EQ(llamadas, 1);
    EXPECT_EQ(g->GetRow(), 2);
    EXPECT_EQ(g->GetCells(2, 2), "viejo");
    EXPECT_TRUE(EditorVisible());
    EXPECT_EQ(g->GetInplaceEditor()->GetText(), "viejo");
    EXPECT_FALSE(g->GetStoring());
}

TEST_F(Validacion, RechazoConSustitutoLaGuardaYReabre) {
    g->OnCellValidate = [&](TObject*, int, int, AnsiString& v, bool& ok) {
        v = "corregido";
        ok = false;
    };
    Editar("malo");
    EXPECT_FALSE(g->ValidateCell("malo"));
    EXPECT_EQ(g->GetCells(2, 2), "corregido");
    EXPECT_TRUE(EditorVisible());
    EXPECT_TRUE(g->GetTextEditorShown());
}

TEST_F(Validacion, AceptadoConCorreccion) {
    g->OnCellValidate = [&](TObject*, int, int, AnsiString& v, bool&) { v = v.UpperCase(); };
    Editar("nuevo");
    EXPECT_TRUE(g->ValidateCell("nuevo"));
    EXPECT_EQ(g->GetCells(2, 2), "NUEVO");
    EXPECT_EQ(g->GetValidatedText(), "NUEVO");
}

TEST_F(Validacion, SinCambiosNoHayEvento) {
    int llamadas = 0;
    g->OnCellValidate = [&](TObject*, int, int, AnsiString&, bool&) { ++llamadas; };
    Editar("viejo");
    EXPECT_TRUE(g->ValidateCell("viejo"));
    EXPECT_EQ(llamadas, 0);
    // Without an open text editor nothing is validated.
    EXPECT_TRUE(g->ValidateCell("otro"));
    EXPECT_EQ(llamadas, 0);
    EXPECT_EQ(g->GetCells(2, 2), "viejo");
}

TEST_F(Validacion, ValidacionAnidadaYAvanceAlIntroSuspendido) {
    g->GetNavigation()->SetAdvanceOnEnter(true);
    bool anidada = false, avance = true;
    g->OnCellValidate = [&](TObject*, int, int, AnsiString&, bool&) {
        avance = g->GetNavigation()->GetAdvanceOnEnter();
        anidada = g->ValidateCell("otra cosa");
    };
    Editar("nuevo");
    EXPECT_TRUE(g->ValidateCell("nuevo"));
    EXPECT_TRUE(anidada);
    EXPECT_FALSE(avance);
    EXPECT_TRUE(g->GetNavigation()->GetAdvanceOnEnter());
    EXPECT_EQ(g->GetCells(2, 2), "nuevo");
}

TEST_F(Validacion, UnErrorDelManejadorLiberaLaMarca) {
    g->OnCellValidate = [&](TObject*, int, int, AnsiString&, bool&) {
        throw std::runtime_error("fallo");
    };
    Editar("nuevo");
    EXPECT_THROW(g->ValidateCell("nuevo"), std::runtime_error);
    EXPECT_FALSE(g->GetStoring());
    // A fresh snapshot of the current cell, as the editor left it.
    EXPECT_EQ(g->GetSavedCellText(), g->GetCells(2, 2));
    EXPECT_TRUE(g->ValidateCell("x")); // consumed: no open edit to validate
}

TEST_F(Validacion, CeldaCombinadaEscribeLaBase) {
    g->MergeCells(2, 2, 2, 1);
    Editar("nuevo");
    EXPECT_TRUE(g->ValidateCell("nuevo"));
    EXPECT_EQ(g->GetCells(2, 2), "nuevo");
}

TEST_F(Validacion, TextoAnchoRechazado) {
    g->SetWideCells(2, 2, WideString(u"ancho"));
    g->InitValidate(2, 2);
    g->OnCellValidateWide = [&](TObject*, int, int, WideString&, bool& ok) { ok = false; };
    Editar("x");
    EXPECT_FALSE(g->ValidateCellWide(WideString(u"otro")));
    EXPECT_EQ(g->GetWideCells(2, 2), WideString(u"ancho"));
}

// --- mouse ---

TEST_F(Interaccion, ClicEnCeldaDisparaSusEventos) {
    std::vector<std::pair<int, int>> celdas;
    int clics = 0;
    g->OnClickCell = [&](TObject*, int row, int col) { celdas.emplace_back(col, row); };
    g->OnClick = [&](TObject*) { ++clics; };
    Clic(3, 4);
    EXPECT_EQ(g->GetCol(), 3);
    EXPECT_EQ(g->GetRow(), 4);
    EXPECT_EQ(celdas, (std::vector<std::pair<int, int>>{{3, 4}}));
    EXPECT_EQ(clics, 1);
    // With goEditing too, one click is one OnClick.
    g->SetOptions(g->GetOptions() << goEditing);
    Clic(2, 5);
    EXPECT_EQ(clics, 2);
    EXPECT_EQ(g->GetRow(), 5);
}

TEST_F(Interaccion, ClicNegadoNoMueveNiAvisa) {
    int celdas = 0;
    g->OnCanClickCell = [](TObject*, int, int, bool& ok) { ok = false; };
    g->OnClickCell = [&](TObject*, int, int) { ++celdas; };
    Ir(1, 1);
    const TPoint p = Centro(3, 4);
    SimulateMouse(g, SimulatedMouse::Down, 0, p.x, p.y);
    EXPECT_TRUE(g->GetMouseDown());
    SimulateMouse(g, SimulatedMouse::Up, 0, p.x, p.y);
    EXPECT_EQ(celdas, 0);
    EXPECT_EQ(g->GetCol(), 1);
    EXPECT_EQ(g->GetRow(), 1);
}

TEST_F(Interaccion, ClicEnCeldaFijaInteriorSoloAvisa) {
    g->OnIsFixedCell = [](TObject*, int c, int r, bool& f) { f = c == 3 && r == 4; };
    std::vector<std::pair<int, int>> celdas;
    g->OnClickCell = [&](TObject*, int row, int col) { celdas.emplace_back(col, row); };
    Ir(1, 1);
    Clic(3, 4);
    EXPECT_EQ(celdas, (std::vector<std::pair<int, int>>{{3, 4}}));
    EXPECT_EQ(g->GetRow(), 1);
}

TEST_F(Interaccion, DobleClicYClicDerecho) {
    std::vector<std::string> eventos;
    g->OnDblClickCell = [&](TObject*, int row, int col) {
        eventos.push_back("doble " + std::to_string(col) + "," + std::to_string(row));
    };
    g->OnRightClickCell = [&](TObject*, int row, int col) {
        eventos.push_back("derecho " + std::to_string(col) + "," + std::to_string(row));
    };
    int clics = 0;
    g->OnClick = [&](TObject*) { ++clics; };
    const TPoint p = Centro(2, 3);
    SimulateMouse(g, SimulatedMouse::Down, 0, p.x, p.y);
    SimulateMouse(g, SimulatedMouse::Up, 0, p.x, p.y);
    SimulateMouse(g, SimulatedMouse::DoubleClick, 0, p.x, p.y);
    SimulateMouse(g, SimulatedMouse::Up, 0, p.x, p.y);
    EXPECT_EQ(clics, 1);
    const TPoint q = Centro(4, 6);
    g->GetMouseActions()->SetSelectOnRightClick(true);
    SimulateMouse(g, SimulatedMouse::Down, 1, q.x, q.y);
    SimulateMouse(g, SimulatedMouse::Up, 1, q.x, q.y);
    EXPECT_EQ(eventos, (std::vector<std::string>{"doble 2,3", "derecho 4,6"}));
    EXPECT_EQ(g->GetCol(), 4);
    EXPECT_EQ(g->GetRow(), 6);
}

TEST_F(Interaccion, SeleccionDeFilasYColumnasDesdeLasFijas) {
    g->GetMouseActions()->SetRowSelect(true);
    g->GetMouseActions()->SetColSelect(true);
    g->SetMouseCursorState(2); // the pointer is on a row header
    Clic(0, 4);
    TGridRect s = g->GetSelection();
    EXPECT_EQ(s.Left, 1);
    EXPECT_EQ(s.Right, 4);
    EXPECT_EQ(s.Top, 4);
    EXPECT_EQ(s.Bottom, 4);
    g->SetMouseCursorState(1); // on a column header
    Clic(3, 0);
    s = g->GetSelection();
    EXPECT_EQ(s.Left, 3);
    EXPECT_EQ(s.Right, 3);
    EXPECT_EQ(s.Top, 1);
    EXPECT_EQ(s.Bottom, 9);
    // Without the pointer on a header zone a fixed cell selects nothing.
    Ir(2, 2);
    Clic(0, 6);
    s = g->GetSelection();
    EXPECT_EQ(s.Top, 2);
    EXPECT_EQ(s.Bottom, 2);
}

// A descendant that keeps what the grid tells it of a walk over its cells.
class RejillaConAvisos : public Rejilla {
public:
    using Rejilla::Rejilla;
    std::vector<std::pair<int, int>> avisos;
    void ExportNotification(int AState, int ARow) override { avisos.emplace_back(AState, ARow); }
};

class SeleccionTotal : public RejillaEnVentana<RejillaConAvisos> {};

// The top-left fixed cell selects every cell, and tells a descendant as a walk that starts,
// reaches the last row and fails; a selection hidden before shows again as the new one.
TEST_F(SeleccionTotal, EsquinaSeleccionaTodoYAvisa) {
    g->SetBounds(0, 0, 400, 250);
    g->GetMouseActions()->SetAllSelect(true);
    g->SetCol(2);
    g->SetRow(3);
    g->HideSelection();
    g->SetMouseCursorState(3);
    const TRect r = g->CellRect(0, 0);
    SimulateClick(g, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(g->avisos, (std::vector<std::pair<int, int>>{{esExportStart, -1},
                                                           {esExportNewRow, g->GetRowCount() - 1},
                                                           {esExportFail, -1}}));
    const TGridRect s = g->GetSelection();
    EXPECT_EQ(s.Left, g->GetFixedCols());
    EXPECT_EQ(s.Top, g->GetFixedRows());
    EXPECT_EQ(s.Right, g->GetColCount() - 1);
    EXPECT_EQ(s.Bottom, g->GetRowCount() - 1);
    EXPECT_FALSE(g->GetSelectionHidden());
}

// A check box in column 0 of a grid that selects rows by it: a click that marks it selects
// the row across the columns; a click that clears it takes the row out of the selection and
// leaves no cell of it shown selected, the other marked rows staying selected.
TEST_F(Interaccion, CasillaDeLaColumnaCeroSeleccionaLaFila) {
    for (bool siempreEditar : {true, false}) {
        SCOPED_TRACE(siempreEditar ? "AlwaysEdit" : "sin AlwaysEdit");
        g->SetFixedCols(0);
        g->SetOptions(g->GetOptions() << goEditing);
        g->GetMouseActions()->SetDisjunctRowSelect(true);
        g->GetMouseActions()->SetHotmailRowSelect(true);
        g->GetNavigation()->SetAlwaysEdit(siempreEditar);
        for (int r = 1; r < g->GetRowCount(); ++r)
            g->AddCheckBox(0, r, false, false);
        g->ClearRowSelect();
        g->Repaint();
        Ir(2, 2);
        const auto clic = [&](int fila) {
            const TRect c = g->CellRect(0, fila);
            SimulateClick(g, (c.Left + c.Right) / 2, (c.Top + c.Bottom) / 2);
            bool marcada = false;
            g->GetCheckBoxState(0, fila, marcada);
            return marcada;
        };
        // Rows 4 and 6 marked, then cleared in the other order.
        const std::pair<int, bool> pasos[] = {{4, true}, {6, true}, {6, false}, {4, false}};
        for (const auto& [fila, marcada] : pasos) {
            SCOPED_TRACE(fila);
            EXPECT_EQ(clic(fila), marcada);
            EXPECT_EQ(g->GetRowSelect(fila), marcada);
            for (int c = 0; c < g->GetColCount(); ++c)
                EXPECT_EQ(g->IsSelected(c, fila), marcada) << c;
            EXPECT_EQ(g->GetRow(), fila);
            EXPECT_EQ(g->GetRowSelect(4), fila == 6 || marcada);
            if (!marcada) continue;
            // Without AlwaysEdit the click makes the box's cell current, the selection with it.
            const TGridRect s = g->GetSelection();
            EXPECT_EQ(s.Top, fila);
            EXPECT_EQ(s.Bottom, fila);
            EXPECT_EQ(s.Left, g->GetFixedCols());
            EXPECT_EQ(s.Right, siempreEditar ? g->GetColCount() - 1 : 0);
        }
        // The next move shows the current cell again.
        SimulateKeyStroke(VK_DOWN, {}, g);
        EXPECT_EQ(g->GetRow(), 5);
        EXPECT_TRUE(g->IsSelected(g->GetCol(), 5));
    }
}

// The fixed cell under the pointer is forgotten when the grid loses the focus.
TEST_F(Interaccion, PerderElFocoOlvidaLaCeldaBajoElPuntero) {
    ventana->Show();
    g->SetLook(glListView);
    const TPoint p = Centro(2, 0);
    SimulateMouse(g, SimulatedMouse::Move, 0, p.x, p.y);
    ASSERT_EQ(g->GetHoverCell(), TPoint(2, 0));
    TEdit* otro = new TEdit(ventana.get());
    otro->SetParent(ventana.get());
    otro->SetBounds(450, 10, 100, 20);
    otro->SetFocus();
    EXPECT_EQ(g->GetHoverCell(), TPoint(-1, -1));
}

TEST_F(Interaccion, ClicEnBloqueCombinadoSeleccionaSuBase) {
    g->MergeCells(2, 3, 2, 2);
    int avisos = 0;
    g->OnSelectCell = [&](TObject*, int col, int row, bool&) {
        if (col == 2 && row == 3) ++avisos;
    };
    Clic(3, 4);
    const TGridRect s = g->GetSelection();
    EXPECT_EQ(g->GetCol(), 2);
    EXPECT_EQ(g->GetRow(), 3);
    EXPECT_EQ(s.Right, 3);
    EXPECT_EQ(s.Bottom, 4);
    EXPECT_GE(avisos, 1);
}

TEST_F(Interaccion, MoverColumnaMantieneLaColumnaDeOrden) {
    g->GetSortSettings()->SetColumn(3);
    g->MoveColumn(3, 1);
    EXPECT_EQ(g->GetSortSettings()->GetColumn(), 1);
    g->MoveColumn(0, 2);
    EXPECT_EQ(g->GetSortSettings()->GetColumn(), 0);
    g->MoveColumn(4, 2);
    EXPECT_EQ(g->GetSortSettings()->GetColumn(), 0);
    Ir(2, 2);
    g->MoveColumn(1, 3);
    EXPECT_EQ(g->GetCol(), 1);
    // The columns of the sort index and the texts of hidden rows follow too.
    g->GetSortSettings()->SetIndexShow(true);
    g->GetSortIndexes()->AddIndex(3, true);
    g->GetSortIndexes()->AddIndex(1, false);
    g->SetCells(2, 5, "x");
    g->SetCells(3, 5, "y");
    g->HideRow(5);
    g->MoveColumn(2, 3);
    EXPECT_EQ(g->GetSortIndexes()->GetSortColumns(0), 2);
    EXPECT_EQ(g->GetSortIndexes()->GetSortColumns(1), 1);
    EXPECT_FALSE(g->GetSortIndexes()->GetSortDirections(1));
    g->UnHideRow(5);
    EXPECT_EQ(g->GetCells(3, 5), "x");
    EXPECT_EQ(g->GetCells(2, 5), "y");
}

// The sort column and the sort index name real columns: with a column hidden before them
// they stay on the moved column's data.
TEST_F(Interaccion, MoverColumnaConOcultasMantieneLaColumnaDeOrdenReal) {
    for (int c = 0; c < g->GetColCount(); ++c)
        g->SetCells(c, 1, "c" + IntToStr(c));
    g->GetSortSettings()->SetColumn(3);
    g->GetSortSettings()->SetIndexShow(true);
    g->GetSortIndexes()->AddIndex(3, true);
    g->HideColumn(1);
    g->MoveColumn(2, 3); // shown 2 is real 3; shown 3 is real 4
    g->UnHideColumn(1);
    ASSERT_EQ(g->GetCells(4, 1), "c3");
    EXPECT_EQ(g->GetSortSettings()->GetColumn(), 4);
    EXPECT_EQ(g->GetSortIndexes()->GetSortColumns(0), 4);
}

// --- drag scrolling ---

TEST_F(Interaccion, ArrastreCercaDelBordeDesplaza) {
    g->SetRowCount(60);
    g->SetColCount(30);
    g->SetTopRow(10);
    g->SetLeftCol(5);
    bool acepta = false;
    g->DragOver(nullptr, 200, 100, dsDragMove, acepta);
    EXPECT_FALSE(g->HasDragTimer()); // away from the margins
    g->GetDragScrollOptions()->SetActive(true);
    g->DragOver(nullptr, 200, 100, dsDragMove, acepta);
    EXPECT_FALSE(g->HasDragTimer());
    g->DragOver(nullptr, 20, 20, dsDragEnter, acepta); // top-left corner
    ASSERT_TRUE(g->HasDragTimer());
    EXPECT_EQ(g->GetDragTimerInterval(), 1000u);
    g->DragTimerProc(nullptr);
    EXPECT_EQ(g->GetTopRow(), 9);
    EXPECT_EQ(g->GetLeftCol(), 4);
    EXPECT_EQ(g->GetDragTimerInterval(), 250u);
    // Moving within the margin starts the initial delay again.
    g->DragOver(nullptr, 21, 20, dsDragMove, acepta);
    EXPECT_EQ(g->GetDragTimerInterval(), 1000u);
    // A handler may skip one tick.
    bool permitir = false;
    g->OnDragScroll = [&](TObject*, int, int, TDragScrollDirection&, bool& ok) { ok = permitir; };
    g->DragTimerProc(nullptr);
    EXPECT_EQ(g->GetTopRow(), 9);
    permitir = true;
    g->DragTimerProc(nullptr);
    EXPECT_EQ(g->GetTopRow(), 8);
    // Up stops at the fixed rows.
    g->SetTopRow(1);
    g->DragTimerProc(nullptr);
    EXPECT_EQ(g->GetTopRow(), 1);
    // Leaving frees the timer; so does the next tick once the option is off.
    g->DragOver(nullptr, 20, 20, dsDragLeave, acepta);
    EXPECT_FALSE(g->HasDragTimer());
    g->DragOver(nullptr, 200, g->GetHeight() - 10, dsDragMove, acepta);
    ASSERT_TRUE(g->HasDragTimer());
    g->DragTimerProc(nullptr);
    EXPECT_EQ(g->GetTopRow(), 2);
    g->GetDragScrollOptions()->SetActive(false);
    g->DragTimerProc(nullptr);
    EXPECT_FALSE(g->HasDragTimer());
}

// --- messages ---

TEST_F(Interaccion, MensajesDelTemporizadorYDelFondo) {
    EXPECT_EQ(g->Perform(WM_ERASEBKGND, 0, 0), 0);
    g->GetNavigation()->SetAutoGotoIncremental(true);
    g->SetSearchText("abc");
    for (int i = 0; i < 3; ++i)
        g->Perform(WM_TIMER, 111, 0);
    EXPECT_EQ(g->GetSearchText(), "abc");
    g->Perform(WM_TIMER, 111, 0);
    EXPECT_EQ(g->GetSearchText(), "");
    EXPECT_EQ(g->GetTickCounter(), 4);
    g->SetEnableBlink(true);
    g->Perform(WM_TIMER, 111, 0);
    EXPECT_TRUE(g->GetBlinkPhase());
    g->Perform(WM_TIMER, 7, 0); // another timer is not the grid's
    EXPECT_EQ(g->GetTickCounter(), 5);
}

TEST_F(Interaccion, ColumnasFijasVisibles) {
    EXPECT_EQ(g->FixedColsVis(), 1);
    g->SetFixedRightCols(2);
    EXPECT_EQ(g->NumFixedRightVis(), 2);
}

TEST_F(Interaccion, EntrarPreparaLaValidacion) {
    g->SetCells(3, 3, "antes");
    Ir(3, 3);
    ventana->SetFocus();
    g->SetFocus();
    EXPECT_EQ(g->GetValidationCell().x, 3);
    EXPECT_EQ(g->GetValidationCell().y, 3);
    EXPECT_EQ(g->GetSavedCellText(), "antes");
}

TEST_F(Interaccion, SiempreEditarAbreElEditorAlEntrar) {
    g->SetOptions(g->GetOptions() << goEditing);
    g->GetNavigation()->SetAlwaysEdit(true);
    Ir(2, 2);
    g->ShowInplaceEdit(); // creates the editor
    g->HideInplaceEdit();
    EXPECT_FALSE(EditorVisible());
    ventana->SetFocus();
    g->SetFocus();
    EXPECT_TRUE(EditorVisible());
}

} // namespace

namespace {

// --- check boxes, radio groups and buttons in cells ---

TEST_F(Interaccion, CasillaConEspacioYConClic) {
    g->AddCheckBox(2, 3, false, false);
    std::vector<std::pair<int, bool>> avisos;
    g->OnCheckBoxClick = [&](TObject*, int col, int, bool st) { avisos.emplace_back(col, st); };
    // A read-only grid toggles it only with CheckAlwaysActive.
    Ir(2, 3);
    SimulateKeyStroke(VK_SPACE);
    bool estado = true;
    g->GetCheckBoxState(2, 3, estado);
    EXPECT_FALSE(estado);
    g->GetControlLook()->SetCheckAlwaysActive(true);
    SimulateKeyStroke(VK_SPACE);
    g->GetCheckBoxState(2, 3, estado);
    EXPECT_TRUE(estado);
    // Return never toggles; the space types nothing into the cell.
    SimulateKeyStroke(VK_RETURN);
    g->GetCheckBoxState(2, 3, estado);
    EXPECT_TRUE(estado);
    EXPECT_FALSE(EditorVisible());
    // A click toggles it, makes its cell current and clicks once.
    g->GetControlLook()->SetCheckAlwaysActive(false);
    g->SetOptions(g->GetOptions() << goEditing);
    g->GetShowModified()->SetEnabled(true);
    int clics = 0;
    Ir(1, 1);
    g->OnClick = [&](TObject*) { ++clics; };
    Clic(2, 3);
    g->GetCheckBoxState(2, 3, estado);
    EXPECT_FALSE(estado);
    EXPECT_EQ(clics, 1);
    EXPECT_EQ(g->GetCol(), 2);
    EXPECT_EQ(g->GetRow(), 3);
    EXPECT_TRUE(g->GetRowModified(3));
    EXPECT_EQ(avisos, (std::vector<std::pair<int, bool>>{{2, true}, {2, false}}));
}

TEST_F(Interaccion, BotonDeCeldaSoltadoDentroYFuera) {
    g->SetOptions(g->GetOptions() << goEditing);
    g->AddButton(2, 4, 40, 16, "...", haLeft, vaTop);
    g->Repaint(); // the button's place in the cell is known once painted
    const TRect b = g->ButtonRect(2, 4);
    ASSERT_FALSE(IsRectEmpty(b));
    std::vector<std::string> eventos;
    g->OnClickCell = [&](TObject*, int, int) { eventos.push_back("celda"); };
    g->OnButtonClick = [&](TObject*, int, int) { eventos.push_back("boton"); };
    g->OnClick = [&](TObject*) { eventos.push_back("clic"); };
    const int x = (b.Left + b.Right) / 2, y = (b.Top + b.Bottom) / 2;
    SimulateMouse(g, SimulatedMouse::Down, 0, x, y);
    EXPECT_EQ(g->GetPressedButton(), TPoint(2, 4));
    EXPECT_EQ(eventos, (std::vector<std::string>{"celda"}));
    SimulateMouse(g, SimulatedMouse::Up, 0, x, y);
    EXPECT_EQ(eventos, (std::vector<std::string>{"celda", "boton"}));
    EXPECT_EQ(g->GetPressedButton(), TPoint(-1, -1));
    // Released over no cell: no event, but the button comes up and the mouse is free.
    eventos.clear();
    SimulateMouse(g, SimulatedMouse::Down, 0, x, y);
    SimulateMouse(g, SimulatedMouse::Up, 0, g->GetWidth() + 50, y);
    EXPECT_EQ(g->GetPressedButton(), TPoint(-1, -1));
    EXPECT_FALSE(g->GetMouseCapture());
    EXPECT_EQ(std::count(eventos.begin(), eventos.end(), "boton"), 0);
    // Return presses it too.
    Ir(2, 4);
    eventos.clear();
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(eventos, (std::vector<std::string>{"boton"}));
    // A read-only grid presses it only with NoDisabledButtonLook.
    g->SetOptions(g->GetOptions() >> goEditing);
    eventos.clear();
    SimulateMouse(g, SimulatedMouse::Down, 0, x, y);
    SimulateMouse(g, SimulatedMouse::Up, 0, x, y);
    EXPECT_EQ(std::count(eventos.begin(), eventos.end(), "boton"), 0);
    g->GetControlLook()->SetNoDisabledButtonLook(true);
    SimulateMouse(g, SimulatedMouse::Down, 0, x, y);
    SimulateMouse(g, SimulatedMouse::Up, 0, x, y);
    EXPECT_EQ(std::count(eventos.begin(), eventos.end(), "boton"), 1);
}

TEST_F(Interaccion, GrupoDeOpcionesConClicYEspacio) {
    g->SetDefaultRowHeight(60);
    g->SetOptions(g->GetOptions() << goEditing);
    TStrings* items = g->CreateRadio(2, 2, 0, 0);
    items->Add("uno");
    items->Add("dos");
    items->Add("tres");
    std::vector<int> avisos;
    g->OnRadioClick = [&](TObject*, int, int, int i) { avisos.push_back(i); };
    const TRect r = g->CellRect(2, 2);
    const int paso = std::max(16, g->GetCanvas()->TextHeight("gh"));
    const TPoint p(r.Left + 10, r.Top + paso + paso / 2); // the second item
    SimulateMouse(g, SimulatedMouse::Down, 0, p.x, p.y);
    SimulateMouse(g, SimulatedMouse::Up, 0, p.x, p.y);
    int idx = -1;
    g->GetRadioIdx(2, 2, idx);
    EXPECT_EQ(idx, 1);
    Ir(2, 2);
    SimulateKeyStroke(VK_SPACE);
    g->GetRadioIdx(2, 2, idx);
    EXPECT_EQ(idx, 2);
    EXPECT_EQ(avisos, (std::vector<int>{1, 2}));
}

// --- disjunct selection ---

TEST_F(Interaccion, FilasDisjuntasConControlYTeclas) {
    g->GetMouseActions()->SetDisjunctRowSelect(true);
    Clic(2, 2);
    Clic(2, 4, {ssCtrl});
    Clic(2, 6, {ssCtrl});
    EXPECT_EQ(g->GetRowSelectCount(), 3);
    EXPECT_TRUE(g->GetRowSelect(2));
    EXPECT_TRUE(g->GetRowSelect(4));
    EXPECT_TRUE(g->GetRowSelect(6));
    Clic(2, 4, {ssCtrl}); // again: taken away on the release
    EXPECT_FALSE(g->GetRowSelect(4));
    EXPECT_EQ(g->GetRowSelectCount(), 2);
    Clic(2, 7); // without Ctrl the others go
    EXPECT_EQ(g->GetRowSelectCount(), 1);
    EXPECT_TRUE(g->GetRowSelect(7));
    // Keys: a plain move selects the new row alone, Shift adds the range, Space flips.
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(g->GetRowSelectCount(), 1);
    EXPECT_TRUE(g->GetRowSelect(8));
    SimulateKeyStroke(VK_UP, {ssShift});
    SimulateKeyStroke(VK_UP, {ssShift});
    EXPECT_TRUE(g->GetRowSelect(6));
    EXPECT_TRUE(g->GetRowSelect(7));
    EXPECT_TRUE(g->GetRowSelect(8));
    SimulateKeyStroke(VK_SPACE);
    EXPECT_FALSE(g->GetRowSelect(6));
    // Select all marks every normal row.
    SimulateKeyStroke('A', {ssCtrl});
    EXPECT_EQ(g->GetRowSelectCount(), g->GetRowCount() - g->GetFixedRows());
}

// Home and End by rows carry a disjunct row selection with them: alone, the row reached is
// the only one selected; with Shift the rows passed over join the ones already selected.
TEST_F(Interaccion, InicioYFinPorFilasLlevanLaSeleccionDisjunta) {
    g->GetMouseActions()->SetDisjunctRowSelect(true);
    g->GetNavigation()->SetHomeEndKey(heFirstLastRow);
    const int primera = g->GetFixedRows(), ultima = g->GetRowCount() - 1, desde = 5;
    struct Caso {
        WORD tecla;
        bool mayusculas;
    };
    for (const Caso& c :
         {Caso{VK_HOME, false}, Caso{VK_END, false}, Caso{VK_HOME, true}, Caso{VK_END, true}}) {
        SCOPED_TRACE(std::to_string(c.tecla) + (c.mayusculas ? " con mayúsculas" : ""));
        g->ClearRowSelect();
        Ir(2, desde);
        g->SetRowSelect(3, true);
        g->SetRowSelect(desde, true);
        SimulateKeyStroke(c.tecla, c.mayusculas ? TShiftState{ssShift} : TShiftState{});
        const int destino = c.tecla == VK_HOME ? primera : ultima;
        if (!c.mayusculas) EXPECT_EQ(g->GetRow(), destino);
        for (int r = primera; r <= ultima; ++r) {
            const bool recorrida = r >= std::min(desde, destino) && r <= std::max(desde, destino);
            const bool esperada = c.mayusculas ? recorrida || r == 3 : r == destino;
            EXPECT_EQ(g->GetRowSelect(r), esperada) << "fila " << r;
        }
    }
}

// A move of the current cell by key or click tells the row's change, once, and keeps the new
// cell's text as the one an edit would restore.
TEST_F(Interaccion, MoverLaCeldaAvisaDeLaFilaYGuardaSuTexto) {
    for (int r = 1; r < g->GetRowCount(); ++r)
        for (int c = 1; c < g->GetColCount(); ++c)
            g->SetCells(c, r, IntToStr(c) + "." + IntToStr(r));
    Ir(2, 2);
    std::vector<std::pair<int, int>> avisos;
    g->OnRowUpdate = [&](TObject*, int antes, int ahora) { avisos.emplace_back(antes, ahora); };
    struct Paso {
        WORD tecla; // 0: a click on the cell
        int col, fila;
    };
    for (const Paso& p : {Paso{VK_DOWN, 2, 3}, Paso{VK_RIGHT, 3, 3}, Paso{0, 2, 6},
                          Paso{VK_UP, 2, 5}, Paso{0, 4, 5}}) {
        SCOPED_TRACE(std::to_string(p.col) + "," + std::to_string(p.fila));
        const int antes = g->GetRow();
        const size_t vistos = avisos.size();
        if (p.tecla)
            SimulateKeyStroke(p.tecla);
        else
            Clic(p.col, p.fila);
        ASSERT_EQ(TPoint(g->GetCol(), g->GetRow()), TPoint(p.col, p.fila));
        if (antes == p.fila) {
            EXPECT_EQ(avisos.size(), vistos);
        } else {
            ASSERT_EQ(avisos.size(), vistos + 1);
            EXPECT_EQ(avisos.back(), std::make_pair(antes, p.fila));
        }
        EXPECT_EQ(g->GetCachedText(), g->GetCells(p.col, p.fila));
    }
}

// The header cells of the current cell keep their highlight as the keys move it: the ones
// left are painted plain again and the new ones highlighted, with no repaint of the whole.
TEST_F(Interaccion, CabecerasDeLaCeldaActivaSiguenAlTeclado) {
    ventana->Show();
    g->SetActiveCellShow(true);
    Ir(2, 3);
    g->Repaint();
    auto resaltada = [&](int c, int r) {
        TRect x = g->CellRect(c, r);
        x = TRect(x.Left + 3, x.Top + 3, x.Right - 3, x.Bottom - 3);
        return HayColor(g->GetCanvas(), x, clGray);
    };
    for (WORD tecla : {VK_RIGHT, VK_DOWN, VK_LEFT, VK_UP, VK_DOWN}) {
        SCOPED_TRACE(tecla);
        const int col = g->GetCol(), fila = g->GetRow();
        SimulateKeyStroke(tecla);
        g->Update();
        EXPECT_TRUE(resaltada(g->GetCol(), 0));
        EXPECT_TRUE(resaltada(0, g->GetRow()));
        if (col != g->GetCol()) EXPECT_FALSE(resaltada(col, 0));
        if (fila != g->GetRow()) EXPECT_FALSE(resaltada(0, fila));
    }
    EXPECT_FALSE(SaveCapture(ventana.get(), "rejilla_cabeceras_activas").IsEmpty());
}

// The search bar lies over the grid's bottom: a move onto a row that it covers brings the
// next row up.
TEST_F(Interaccion, LaBarraDeBusquedaNoTapaLaCeldaActual) {
    ventana->Show();
    g->SetRowCount(30);
    g->GetSearchFooter()->SetVisible(true);
    const int limite = g->GetHeight() - g->GetSearchPanel()->GetHeight();
    int fila = g->GetTopRow();
    while (g->CellRect(2, fila).Bottom <= limite)
        ++fila;
    ASSERT_LT(fila, g->GetTopRow() + g->GetVisibleRowCount());
    Ir(2, fila - 1);
    const int arriba = g->GetTopRow();
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(g->GetRow(), fila);
    EXPECT_EQ(g->GetTopRow(), arriba + 1);
}

TEST_F(Interaccion, ClicDerechoConservaLaSeleccionParaElMenu) {
    g->GetMouseActions()->SetDisjunctRowSelect(true);
    g->GetMouseActions()->SetSelectOnRightClick(true);
    Clic(2, 2);
    Clic(2, 5, {ssCtrl});
    const TPoint p = Centro(3, 5);
    SimulateMouse(g, SimulatedMouse::Down, 1, p.x, p.y);
    SimulateMouse(g, SimulatedMouse::Up, 1, p.x, p.y);
    EXPECT_EQ(g->GetRowSelectCount(), 1); // no popup menu: the row alone
    EXPECT_TRUE(g->GetRowSelect(5));
}

TEST_F(Interaccion, CambioDeSeleccionPorTeclas) {
    std::vector<int> filas;
    g->OnSelectionChanged = [&](TObject*, int, int top, int, int) { filas.push_back(top); };
    Ir(2, 2);
    SimulateKeyStroke(VK_DOWN);
    SimulateKeyStroke(VK_LEFT);
    SimulateKeyStroke(VK_LEFT); // the fixed column: no change
    EXPECT_EQ(filas, (std::vector<int>{3, 3}));
}

TEST_F(Interaccion, ValidacionMarcaLaFilaModificada) {
    g->SetOptions(g->GetOptions() << goEditing << goAlwaysShowEditor);
    g->GetShowModified()->SetEnabled(true);
    g->SetCells(2, 2, "a");
    Ir(2, 2);
    g->InitValidate(2, 2);
    g->ShowInplaceEdit();
    EXPECT_TRUE(g->ValidateCell("b"));
    EXPECT_TRUE(g->GetRowModified(2));
    EXPECT_FALSE(g->GetRowModified(3));
}

} // namespace

namespace {

// --- links in cells ---

TEST_F(Interaccion, EnlacesEnCeldas) {
    g->SetColWidths(2, 150);
    g->SetCells(2, 3, "<a href=\"cell://R7C3\">ir</a>");
    g->SetCells(2, 4, "<a href=\"http://ejemplo.es\">web</a> y texto");
    g->SetCells(2, 5, "<a href=\"cell://R99C3\">fuera</a>");
    auto enlace = [&](int row) {
        const TRect r = g->CellRect(2, row);
        const TPoint p(r.Left + 6, r.Top + 8);
        SimulateMouse(g, SimulatedMouse::Down, 0, p.x, p.y);
        SimulateMouse(g, SimulatedMouse::Up, 0, p.x, p.y);
    };
    std::vector<AnsiString> anclas;
    g->OnAnchorClick = [&](TObject*, int, int, const AnsiString& a, bool&) { anclas.push_back(a); };
    enlace(3); // a cell name: the grid goes there
    EXPECT_EQ(g->GetCol(), 3);
    EXPECT_EQ(g->GetRow(), 7);
    enlace(5); // a name outside the grid changes nothing
    EXPECT_EQ(g->GetRow(), 7);
    Guion().AnswerShellExecute(42);
    enlace(4); // anything else is opened by the shell
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    EXPECT_EQ(Guion().ShownBoxes()[0].text, "http://ejemplo.es");
    EXPECT_EQ(anclas.size(), 3u);
    // A handler that takes the anchor itself keeps the shell out.
    g->OnAnchorClick = [&](TObject*, int, int, const AnsiString&, bool& autoHandle) {
        autoHandle = false;
    };
    enlace(4);
    EXPECT_EQ(Guion().ShownBoxes().size(), 1u);
    // Beside the anchor the click is a plain one.
    const TRect r = g->CellRect(2, 4);
    const TPoint p(r.Right - 4, r.Bottom - 3);
    SimulateMouse(g, SimulatedMouse::Down, 0, p.x, p.y);
    SimulateMouse(g, SimulatedMouse::Up, 0, p.x, p.y);
    EXPECT_EQ(g->GetRow(), 4);
}

TEST_F(Interaccion, EscribirConRangeSelectAndEditAbreElEditor) {
    g->GetMouseActions()->SetRangeSelectAndEdit(true);
    Ir(3, 3);
    SimulateTyping("x");
    EXPECT_TRUE(g->GetOptions().Contains(goEditing));
    EXPECT_TRUE(EditorVisible());
    EXPECT_EQ(g->GetEditStartChar(), 'x');
}

} // namespace

namespace {

TEST_F(Interaccion, CapturaDeFilasDisjuntasYBotonPulsado) {
    g->GetMouseActions()->SetDisjunctRowSelect(true);
    g->SetOptions(g->GetOptions() << goEditing);
    for (int r = 1; r < g->GetRowCount(); ++r)
        g->SetCells(1, r, "Fila " + IntToStr(r));
    g->AddButton(3, 6, 40, 16, "Ver", haLeft, vaTop);
    g->AddCheckBox(2, 6, true, false);
    g->Repaint();
    Clic(1, 2);
    Clic(1, 4, {ssCtrl});
    const TRect b = g->ButtonRect(3, 6);
    SimulateMouse(g, SimulatedMouse::Down, 0, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
    EXPECT_FALSE(SaveCapture(g, "kavgrid_interaccion").IsEmpty());
    SimulateMouse(g, SimulatedMouse::Up, 0, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
}

} // namespace

namespace {

// --- rows by key, header sorting, column sizing by double click ---

TEST_F(Interaccion, FilasInsertadasYBorradasPorTecla) {
    for (int r = 1; r < 10; ++r)
        g->SetCells(1, r, IntToStr(r));
    g->GetNavigation()->SetAllowInsertRow(true);
    g->GetNavigation()->SetAllowDeleteRow(true);
    Ir(1, 3);
    SimulateKeyStroke(VK_INSERT); // before the current row
    EXPECT_EQ(g->GetRowCount(), 11);
    EXPECT_EQ(g->GetCells(1, 3), "");
    EXPECT_EQ(g->GetCells(1, 4), "3");
    g->GetNavigation()->SetInsertPosition(pInsertAfter);
    SimulateKeyStroke(VK_INSERT); // after it, and the new row becomes current
    EXPECT_EQ(g->GetRowCount(), 12);
    EXPECT_EQ(g->GetRow(), 4);
    EXPECT_EQ(g->GetCells(1, 5), "3");
    bool negar = true;
    g->OnCanInsertRow = [&](TObject*, int, bool& ok) { ok = !negar; };
    SimulateKeyStroke(VK_INSERT);
    EXPECT_EQ(g->GetRowCount(), 12);
    SimulateKeyStroke(VK_INSERT, {ssCtrl}); // only the plain key
    EXPECT_EQ(g->GetRowCount(), 12);
    // Delete asks first.
    g->OnCanDeleteRow = [&](TObject*, int, bool& ok) { ok = !negar; };
    Ir(1, 5);
    SimulateKeyStroke(VK_DELETE);
    EXPECT_EQ(g->GetRowCount(), 12);
    negar = false;
    SimulateKeyStroke(VK_DELETE);
    EXPECT_EQ(g->GetRowCount(), 11);
    EXPECT_EQ(g->GetCells(1, 5), "4");
    // The last normal row is kept unless FixedRowAlways.
    g->SetRowCount(2);
    Ir(1, 1);
    SimulateKeyStroke(VK_DELETE);
    EXPECT_EQ(g->GetRowCount(), 2);
}

TEST_F(Interaccion, FlechaAbajoAnadeFila) {
    g->GetNavigation()->SetAppendOnArrowDown(true);
    std::vector<int> avisos;
    g->OnAutoAddRow = [&](TObject*, int r) { avisos.push_back(r); };
    bool permitir = false;
    g->OnCanAddRow = [&](TObject*, bool& ok) { ok = permitir; };
    Ir(2, 9);
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(g->GetRowCount(), 10);
    permitir = true;
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(g->GetRowCount(), 11);
    EXPECT_EQ(g->GetRow(), 10);
    // With a footer row the new row goes above it and the footer keeps its text.
    g->SetFixedFooters(1);
    g->SetCells(1, 10, "total");
    Ir(2, 9);
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(g->GetRowCount(), 12);
    EXPECT_EQ(g->GetRow(), 10);
    EXPECT_EQ(g->GetCells(1, 11), "total");
    EXPECT_EQ(g->GetCells(1, 10), "");
    EXPECT_EQ(avisos, (std::vector<int>{9, 10})); // the row current when it was added
}

TEST_F(Interaccion, ClicEnCabeceraOrdena) {
    const char* valores[] = {"pera", "uva",   "higo",  "kiwi", "lima",
                             "coco", "mango", "fresa", "caqui"};
    for (int r = 1; r < 10; ++r)
        g->SetCells(2, r, valores[r - 1]);
    g->GetSortSettings()->SetShow(true);
    g->GetSortSettings()->SetUndoSort(true);
    std::vector<int> avisos;
    g->OnClickSort = [&](TObject*, int c) { avisos.push_back(c); };
    auto columna = [&] {
        std::vector<std::string> v;
        for (int r = 1; r < 10; ++r)
            v.push_back(g->GetCells(2, r).c_str());
        return v;
    };
    Clic(2, 0);
    EXPECT_EQ(columna(), (std::vector<std::string>{"caqui", "coco", "fresa", "higo", "kiwi", "lima",
                                                   "mango", "pera", "uva"}));
    Clic(2, 0);
    EXPECT_EQ(columna().front(), "uva");
    EXPECT_EQ(g->GetSortSettings()->GetDirection(), sdDescending);
    Clic(2, 0); // both directions shown: the order comes back
    EXPECT_EQ(columna().front(), "pera");
    EXPECT_EQ(g->GetSortSettings()->GetColumn(), -1);
    EXPECT_EQ(avisos, (std::vector<int>{2, 2, -1}));
    // OnCanSort may refuse.
    g->OnCanSort = [](TObject*, int, bool& ok) { ok = false; };
    Clic(2, 0);
    EXPECT_EQ(columna().front(), "pera");
    EXPECT_EQ(avisos.size(), 3u);
}

TEST_F(Interaccion, DobleClicEnElBordeAjustaLaColumnaSinOrdenar) {
    g->SetOptions(g->GetOptions() << goColSizing);
    g->GetSortSettings()->SetShow(true);
    g->SetCells(2, 3, "un texto bastante largo para la columna");
    for (int r = 1; r < 10; ++r)
        if (r != 3) g->SetCells(2, r, "b" + IntToStr(r));
    std::vector<int> fin;
    g->OnEndColumnSize = [&](TObject*, int c) { fin.push_back(c); };
    int ordenes = 0;
    g->OnClickSort = [&](TObject*, int) { ++ordenes; };
    const TRect r = g->CellRect(2, 0);
    const int x = r.Right - 1, y = (r.Top + r.Bottom) / 2;
    const int antes = g->GetColWidths(2);
    SimulateMouse(g, SimulatedMouse::Down, 0, x, y);
    SimulateMouse(g, SimulatedMouse::Up, 0, x, y);
    SimulateMouse(g, SimulatedMouse::DoubleClick, 0, x, y);
    SimulateMouse(g, SimulatedMouse::Up, 0, x, y);
    EXPECT_GT(g->GetColWidths(2), antes);
    EXPECT_EQ(fin, (std::vector<int>{2}));
    EXPECT_EQ(ordenes, 0);
    // OnColumnSize may refuse.
    g->SetColWidths(2, 40);
    g->OnColumnSize = [](TObject*, int, bool& ok) { ok = false; };
    const TRect r2 = g->CellRect(2, 0);
    SimulateMouse(g, SimulatedMouse::DoubleClick, 0, r2.Right - 1, y);
    SimulateMouse(g, SimulatedMouse::Up, 0, r2.Right - 1, y);
    EXPECT_EQ(g->GetColWidths(2), 40);
}

TEST_F(Interaccion, ValidacionAvisaDelCambio) {
    g->SetOptions(g->GetOptions() << goEditing << goAlwaysShowEditor);
    std::vector<TRect> cambios;
    g->OnCellsChanged = [&](TObject*, const TRect& r) { cambios.push_back(r); };
    g->SetCells(2, 2, "a");
    Ir(2, 2);
    g->InitValidate(2, 2);
    g->ShowInplaceEdit();
    EXPECT_TRUE(g->ValidateCell("b"));
    ASSERT_EQ(cambios.size(), 1u);
    EXPECT_EQ(cambios[0], TRect(2, 2, 2, 2));
    // A refused value changes nothing.
    g->OnCellValidate = [](TObject*, int, int, AnsiString&, bool& ok) { ok = false; };
    g->ShowInplaceEdit();
    EXPECT_FALSE(g->ValidateCell("c"));
    EXPECT_EQ(cambios.size(), 1u);
}

} // namespace

namespace {

TEST_F(Interaccion, PieFlotanteEnLaUltimaFila) {
    g->GetFloatingFooter()->SetVisible(true); // takes the last row (row 9)
    g->SetCells(1, 9, "total");
    g->GetNavigation()->SetHomeEndKey(heFirstLastRow);
    Ir(2, 3);
    SimulateKeyStroke(VK_END);
    EXPECT_EQ(g->GetRow(), 8);
    SimulateKeyStroke(VK_DOWN); // the footer's row is not entered
    EXPECT_EQ(g->GetRow(), 8);
    g->SetRow(9);
    EXPECT_EQ(g->GetRow(), 8);
    // Down on the last normal row adds a row above the footer, which keeps its texts.
    g->GetNavigation()->SetAppendOnArrowDown(true);
    g->SetCells(1, 8, "ocho");
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(g->GetRowCount(), 11);
    EXPECT_EQ(g->GetRow(), 9);
    EXPECT_EQ(g->GetCells(1, 8), "ocho");
    EXPECT_EQ(g->GetCells(1, 9), "");
    EXPECT_EQ(g->GetCells(1, 10), "total");
    // A row moved onto the footer's row moves nothing.
    g->MoveRow(3, 10);
    EXPECT_EQ(g->GetCells(1, 10), "total");
}

} // namespace
