// The grid in drags between windows and programs: text pasted where it is dropped (rows
// inserted or not, whole rows), rich text into a cell, a CSV file or a workbook loaded, a
// column handed to its event, the arrows that show the drop place, refusals; and drags out
// of the grid, a move inside one grid taking away the rows it came from.

#include "controles/edit/kav_edit.h"
#include "controles/grid/dragdrop/grid_drag_drop.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/testing/drag_simulation.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/python_prueba.h"
#include "tests/controles/grid/celdas_anchas_prueba.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class Arrastre : public ::testing::Test {
protected:
    void SetUp() override {
        ResetInputState();
        ventana = std::make_unique<VentanaPrueba>();
        ventana->SetBounds(0, 0, 800, 400);
        g = Nueva(0);
        otra = Nueva(400);
    }
    void TearDown() override {
        ventana.reset();
        Ksgdd::SetRTFAware(false);
        ResetInputState();
    }
    Rejilla* Nueva(int x) {
        auto* r = new Rejilla(ventana.get(), ventana.get());
        r->SetBounds(x, 0, 380, 300);
        r->SetColCount(5);
        r->SetRowCount(7);
        r->SetOptions(r->GetOptions() << goEditing);
        r->GetDragDropSettings()->SetOleDropTarget(true);
        return r;
    }
    static DragStep Sobre(TKavStringGrid* r, int col, int fila, TShiftState s = {}) {
        const TRect c = r->CellRect(col, fila);
        return DragStep::Move(r, (c.Left + c.Right) / 2, (c.Top + c.Bottom) / 2, s);
    }
    static std::string Columna(TKavStringGrid* r, int col) {
        std::string s;
        for (int f = 1; f < r->GetRowCount(); ++f)
            s += (f > 1 ? "|" : "") + r->GetCells(col, f).str();
        return s;
    }
    HRESULT Soltar(const MimeParts& datos, std::vector<DragStep> pasos, DWORD* efecto = nullptr) {
        return SimulateForeignDrag(datos, pasos, DROPEFFECT_COPY | DROPEFFECT_MOVE, efecto);
    }
    // The grid as the source of a drag: its cells are not edited in place, so that a press
    // on the selection arms a drag.
    static void Fuente(TKavStringGrid* r) {
        r->SetOptions(r->GetOptions() >> goEditing);
        r->GetDragDropSettings()->SetOleDropSource(true);
    }
    // The selection of R dragged from its cell (col, fila) through Pasos; ofrecido holds what
    // the drag offered.
    void Arrastrar(TKavStringGrid* r, int col, int fila, std::vector<DragStep> pasos) {
        const TRect c = r->CellRect(col, fila);
        const int x = (c.Left + c.Right) / 2, y = (c.Top + c.Bottom) / 2;
        ScriptedDrags guion({std::move(pasos)});
        SimulateMouse(r, SimulatedMouse::Down, 0, x, y);
        SimulateMouse(r, SimulatedMouse::Move, 0, x + 5, y);
        SimulateMouse(r, SimulatedMouse::Up, 0, x + 5, y);
        EXPECT_EQ(guion.Started(), 1);
        ofrecido = guion.LastOffered();
    }
    std::string Ofrecido(const std::string& tipo) const {
        for (const auto& [t, bytes] : ofrecido)
            if (t == tipo) return bytes;
        return {};
    }
    // The cells of a row of R, from column 1 on.
    static std::string Fila(TKavStringGrid* r, int fila) {
        std::string s;
        for (int c = 1; c < r->GetColCount(); ++c)
            s += (c > 1 ? "|" : "") + r->GetCells(c, fila).str();
        return s;
    }
    MimeParts ofrecido;
    std::unique_ptr<VentanaPrueba> ventana;
    Rejilla* g = nullptr;
    Rejilla* otra = nullptr;
};

TEST_F(Arrastre, ElTextoSePegaEnLaCeldaBajoElPunteroConSusFilasInsertadasONo) {
    for (int f = 1; f < 7; ++f)
        g->SetCells(1, f, AnsiString("f") + AnsiString(f));
    std::vector<TGridRect> soltados;
    g->OnOleDropped = [&](TObject*, const TGridRect& r) { soltados.push_back(r); };
    DWORD efecto = 0;
    EXPECT_EQ(Soltar({{"text/plain", "a\tb\r\nc\td"}},
                     {Sobre(g, 3, 4), Sobre(g, 1, 2), DragStep::Drop()}, &efecto),
              DRAGDROP_S_DROP);
    EXPECT_EQ(efecto, DROPEFFECT_MOVE);
    EXPECT_EQ(Columna(g, 1), "f1|a|c|f4|f5|f6");
    EXPECT_EQ(Columna(g, 2), "|b|d|||");
    ASSERT_EQ(soltados.size(), 1u);
    EXPECT_EQ(soltados[0], (TGridRect{1, 2, 2, 3}));
    EXPECT_EQ(g->GetSelection(), (TGridRect{1, 2, 2, 3}));

    // Rows inserted at the drop row, the first visible row kept.
    g->GetDragDropSettings()->SetOleInsertRows(true);
    const int arriba = g->GetTopRow();
    EXPECT_EQ(Soltar({{"text/plain", "x\r\ny\r\nz"}}, {Sobre(g, 1, 2), DragStep::Drop({ssCtrl})},
                     &efecto),
              DRAGDROP_S_DROP);
    EXPECT_EQ(efecto, DROPEFFECT_COPY);
    EXPECT_EQ(g->GetRowCount(), 10);
    EXPECT_EQ(Columna(g, 1), "f1|x|y|z|a|c|f4|f5|f6");
    EXPECT_EQ(g->GetTopRow(), arriba);
}

TEST_F(Arrastre, SobreLaFilaFijaNoSeSueltaYLasFlechasMarcanElSitio) {
    g->GetDragDropSettings()->SetOleDropRTF(true);
    EXPECT_EQ(Soltar({{"text/rtf", "{\\rtf1 a}"}}, {Sobre(g, 2, 0), DragStep::Drop()}),
              DRAGDROP_S_CANCEL);
    EXPECT_EQ(g->GetCells(2, 0), AnsiString());
    EXPECT_FALSE(g->GetArrowWindow(arrLeft)->GetVisible());

    // Over a normal cell the row arrow stands left of it, on the screen; leaving hides it.
    Soltar({{"text/rtf", "{\\rtf1 a}"}}, {Sobre(g, 2, 3), DragStep::Move(otra, 5, 5)});
    // The last position seen over the grid put the arrow there.
    const TRect c = g->CellRect(2, 3);
    const TPoint p = g->ClientToScreen(TPoint(c.Left, c.Top));
    EXPECT_EQ(g->GetArrowWindow(arrLeft)->GetLeft(), p.x - 10);
    EXPECT_EQ(g->GetArrowWindow(arrLeft)->GetTop(), p.y);
    EXPECT_FALSE(g->GetArrowWindow(arrLeft)->GetVisible());

    // One row only, with FixedRowAlways: the text goes into row 1.
    g->SetRowCount(1);
    g->SetFixedRowAlways(true);
    EXPECT_EQ(Soltar({{"text/plain", "b"}}, {Sobre(g, 2, 0), DragStep::Drop()}), DRAGDROP_S_DROP);
    EXPECT_EQ(g->GetCells(2, 1), AnsiString("b"));
}

TEST_F(Arrastre, LoQueLaRejillaNoAdmiteSeRechazaYNadaCambia) {
    g->GetDragDropSettings()->SetOleDropRTF(true);
    g->SetCells(2, 2, "antes");
    bool preguntado = false;
    struct Caso {
        const char* nombre;
        MimeParts datos;
        std::vector<DragStep> pasos;
        std::function<void()> preparar;
    } casos[] = {
        {"formato desconocido",
         {{"application/x-otro", "a"}},
         {Sobre(g, 2, 2), DragStep::Drop()},
         [] {}},
        {"escape", {{"text/plain", "a"}}, {Sobre(g, 2, 2), DragStep::Esc()}, [] {}},
        {"OnOleDrop lo rechaza",
         {{"text/plain", "a"}},
         {Sobre(g, 2, 2), DragStep::Drop()},
         [&] {
             g->OnOleDrop = [&](TObject*, int, int, const AnsiString&, bool& a) {
                 preguntado = true;
                 a = false;
             };
         }},
        {"OnOleDragOver lo rechaza",
         {{"text/rtf", "{\\rtf1 a}"}},
         {Sobre(g, 2, 2), DragStep::Drop()},
         [&] {
             g->OnOleDrop = nullptr;
             g->OnOleDragOver = [](TObject*, int, int, bool& a) { a = false; };
         }},
        {"celdas de solo lectura",
         {{"text/rtf", "{\\rtf1 a}"}},
         {Sobre(g, 2, 2), DragStep::Drop()},
         [&] {
             g->OnOleDragOver = nullptr;
             g->SetOptions(g->GetOptions() >> goEditing);
         }},
        {"texto en celdas de solo lectura",
         {{"text/plain", "a"}},
         {Sobre(g, 2, 2), DragStep::Drop()},
         [] {}},
    };
    for (Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        c.preparar();
        DWORD efecto = 99;
        EXPECT_EQ(Soltar(c.datos, c.pasos, &efecto), DRAGDROP_S_CANCEL);
        EXPECT_EQ(efecto, DROPEFFECT_NONE);
        EXPECT_EQ(g->GetCells(2, 2), AnsiString("antes"));
        EXPECT_FALSE(g->GetArrowWindow(arrLeft)->GetVisible());
    }
    EXPECT_TRUE(preguntado);
}

TEST_F(Arrastre, ElTextoEnriquecidoVaEnteroAUnaCeldaSoloConOleDropRTF) {
    const MimeParts datos = {{"text/plain", "plano"}, {"text/rtf", "{\\rtf1 rico\\par}"}};
    // Without it the plain text is what the grid takes.
    Soltar(datos, {Sobre(g, 2, 2), DragStep::Drop()});
    EXPECT_EQ(g->GetCells(2, 2), AnsiString("plano"));
    g->GetDragDropSettings()->SetOleDropRTF(true);
    Soltar(datos, {Sobre(g, 3, 3), DragStep::Drop()});
    EXPECT_EQ(g->GetCells(3, 3), AnsiString("{\\rtf1 rico\\par}"));
}

TEST_F(Arrastre, UnFicheroCsvSoltadoSeCargaYDosFicherosNoHacenNada) {
    CarpetaTemporal carpeta;
    const AnsiString csv = carpeta.Fichero("datos.csv", "x,y\r\n1,2\r\n");
    const AnsiString txt = carpeta.Fichero("notas.txt", "x,y\r\n");
    auto uri = [](const AnsiString& ruta) { return "file://" + ruta.str() + "\r\n"; };
    std::vector<std::string> pedidos;
    g->OnOleDropFile = [&](TObject*, int fila, int col, const AnsiString& f, bool&) {
        pedidos.push_back(f.str() + "@" + std::to_string(col) + "," + std::to_string(fila));
    };
    Soltar({{"text/uri-list", uri(csv) + uri(txt)}}, {Sobre(g, 1, 1), DragStep::Drop()});
    Soltar({{"text/uri-list", uri(txt)}}, {Sobre(g, 1, 1), DragStep::Drop()});
    EXPECT_EQ(g->GetCells(1, 1), AnsiString());
    EXPECT_EQ(pedidos, std::vector<std::string>{txt.str() + "@1,1"});

    DWORD efecto = 0;
    EXPECT_EQ(Soltar({{"text/uri-list", uri(csv)}}, {Sobre(g, 2, 2), DragStep::Drop()}, &efecto),
              DRAGDROP_S_DROP);
    EXPECT_EQ(g->GetCells(1, 1), AnsiString("x"));
    EXPECT_EQ(g->GetCells(2, 2), AnsiString("2"));

    // A file that cannot be read: its error goes to the application's display.
    std::vector<AnsiString> errores;
    Application->OnException = [&](TObject*, Exception* e) { errores.push_back(e->Message); };
    EXPECT_EQ(Soltar({{"text/uri-list", uri(carpeta.Ruta() + "falta.csv")}},
                     {Sobre(g, 2, 2), DragStep::Drop()}),
              DRAGDROP_S_CANCEL);
    Application->OnException = nullptr;
    EXPECT_EQ(errores.size(), 1u);
    EXPECT_EQ(g->GetCells(1, 1), AnsiString("x"));
}

// A workbook made by another program: OnOleDrop, asked with the file's name and no cell,
// may stop its load; a damaged one raises to the application's display, and the cells stay.
TEST_F(Arrastre, UnLibroSoltadoSeCargaYUnoDanadoNoCambiaNada) {
    CarpetaTemporal carpeta;
    PythonDePrueba(carpeta.Ruta().str(), R"(
import openpyxl
wb = openpyxl.Workbook()
wb.active["A1"] = "Muro"
wb.active["B2"] = "Forjado"
wb.save("libro.xlsx")
open("roto.xlsx", "wb").write(b"PK\x03\x04" + bytes(60))
)");
    const std::string libro = "file://" + carpeta.Ruta().str() + "libro.xlsx\r\n";
    std::vector<std::string> preguntas;
    bool permitir = false;
    g->OnOleDrop = [&](TObject*, int fila, int col, const AnsiString& dato, bool& a) {
        preguntas.push_back(std::to_string(col) + "," + std::to_string(fila) + " " + dato.str());
        a = permitir;
    };
    EXPECT_EQ(Soltar({{"text/uri-list", libro}}, {Sobre(g, 2, 2), DragStep::Drop()}),
              DRAGDROP_S_CANCEL);
    EXPECT_EQ(g->GetCells(1, 1), AnsiString());
    EXPECT_EQ(preguntas, std::vector<std::string>{"-1,-1 " + carpeta.Ruta().str() + "libro.xlsx"});

    permitir = true;
    DWORD efecto = 0;
    EXPECT_EQ(Soltar({{"text/uri-list", libro}}, {Sobre(g, 2, 2), DragStep::Drop()}, &efecto),
              DRAGDROP_S_DROP);
    EXPECT_EQ(efecto, DROPEFFECT_MOVE);
    EXPECT_EQ(g->GetCells(1, 1), AnsiString("Muro"));
    EXPECT_EQ(g->GetCells(2, 2), AnsiString("Forjado"));

    std::vector<AnsiString> errores;
    Application->OnException = [&](TObject*, Exception* e) { errores.push_back(e->Message); };
    EXPECT_EQ(Soltar({{"text/uri-list", "file://" + carpeta.Ruta().str() + "roto.xlsx\r\n"}},
                     {Sobre(g, 2, 2), DragStep::Drop()}),
              DRAGDROP_S_CANCEL);
    Application->OnException = nullptr;
    EXPECT_EQ(errores.size(), 1u);
    EXPECT_EQ(g->GetCells(1, 1), AnsiString("Muro"));
    EXPECT_EQ(g->GetCells(2, 2), AnsiString("Forjado"));
}

// The grid's rows 1..6 hold r1..r6 in column 1; rows 2 and 3 (or the disjunctly selected
// rows 2 and 4) are dragged, whole rows, and dropped onto a row of the same grid.
TEST_F(Arrastre, MoverFilasDentroDeLaMismaRejillaQuitaLasQueSeArrastraron) {
    struct Caso {
        const char* nombre;
        bool quitarFilas, insertarFilas, copiarSiempre, sueltas;
        int destino;
        TShiftState teclas;
        const char* queda;
    } casos[] = {
        {"abajo, sin insertar", true, false, false, false, 5, {}, "r1|r4|r2|r3"},
        {"abajo, insertando", true, true, false, false, 5, {}, "r1|r4|r2|r3|r5|r6"},
        {"arriba, insertando", true, true, false, false, 1, {}, "r2|r3|r1|r4|r5|r6"},
        {"filas sueltas, abajo", true, true, false, true, 5, {}, "r1|r3|r2|r4|r5|r6"},
        {"filas sueltas, arriba", true, true, false, true, 1, {}, "r2|r4|r1|r3|r5|r6"},
        {"vaciando celdas", false, false, false, false, 5, {}, "r1|||r4|r2|r3"},
        {"vaciando, solapado", false, false, false, false, 1, {}, "r2|r3||r4|r5|r6"},
        {"copiando con Ctrl", true, false, false, false, 5, {ssCtrl}, "r1|r2|r3|r4|r2|r3"},
        {"copiando siempre", false, false, true, false, 5, {}, "r1|r2|r3|r4|r2|r3"},
        {"sobre sus propias filas", true, true, false, false, 3, {}, "r1|r2|r3|r4|r5|r6"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        g->SetColCount(2);
        g->SetRowCount(7);
        for (int f = 1; f < 7; ++f)
            g->SetCells(1, f, AnsiString("r") + AnsiString(f));
        g->SetOptions((g->GetOptions() >> goEditing) << goRowSelect);
        g->GetNavigation()->SetAllowClipboardAlways(true);
        TDragDropSettings* dd = g->GetDragDropSettings();
        dd->SetOleDropSource(true);
        dd->SetOleRemoveRows(c.quitarFilas);
        dd->SetOleInsertRows(c.insertarFilas);
        dd->SetOleCopyAlways(c.copiarSiempre);
        // Rows 2 and 3 selected, or rows 2 and 4 chosen one by one.
        const TGridRect seleccion{1, 2, 1, c.sueltas ? 2 : 3};
        g->GetMouseActions()->SetDisjunctRowSelect(c.sueltas);
        g->ClearRowSelect();
        g->SetSelection(seleccion);
        if (c.sueltas) {
            g->SetRowSelect(2, true);
            g->SetRowSelect(4, true);
        }
        const TRect r = g->CellRect(1, 2);
        const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
        ScriptedDrags guion({{Sobre(g, 1, c.destino, c.teclas), DragStep::Drop(c.teclas)}});
        SimulateMouse(g, SimulatedMouse::Down, 0, x, y);
        EXPECT_EQ(g->GetSelection(), seleccion);             // armed: the selection stays
        SimulateMouse(g, SimulatedMouse::Move, 0, x + 2, y); // not far enough yet
        EXPECT_EQ(guion.Started(), 0);
        SimulateMouse(g, SimulatedMouse::Move, 0, x + 5, y);
        SimulateMouse(g, SimulatedMouse::Up, 0, x + 5, y);
        EXPECT_EQ(guion.Started(), 1);
        EXPECT_EQ(guion.Offered("text/plain"), c.sueltas ? "r2\nr4\n" : "r2\nr3\n");
        EXPECT_EQ(Columna(g, 1), c.queda);
    }
}

// Cells (1,2)-(1,4) moved within the grid onto column 2 with rows inserted for them: above,
// among and below the rows they come from, each text ends where it was dropped and nowhere
// else; no other text is lost.
TEST_F(Arrastre, CeldasMovidasConFilasInsertadasDejanSuSitioDondeSeaQueCaigan) {
    for (int destino : {1, 2, 3, 4, 6}) {
        SCOPED_TRACE(destino);
        g->SetRowCount(7);
        std::vector<std::string> todos;
        for (int f = 0; f < 7; ++f)
            for (int c = 0; c < 5; ++c) {
                const std::string t = "c" + std::to_string(c) + "r" + std::to_string(f);
                g->SetCells(c, f, t.c_str());
                todos.push_back(t);
            }
        Fuente(g);
        g->GetNavigation()->SetAllowClipboardAlways(true);
        g->GetDragDropSettings()->SetOleInsertRows(true);
        g->SetSelection({1, 2, 1, 4});
        Arrastrar(g, 1, 2, {Sobre(g, 2, destino), DragStep::Drop()});
        ASSERT_EQ(g->GetRowCount(), 10);
        EXPECT_EQ(TextosColumna(g, 2, destino, destino + 2, "|"), "c1r2|c1r3|c1r4");
        std::vector<std::string> quedan;
        for (int f = 0; f < g->GetRowCount(); ++f)
            for (int c = 0; c < 5; ++c)
                if (!g->GetCells(c, f).IsEmpty()) quedan.push_back(g->GetCells(c, f).str());
        std::sort(todos.begin(), todos.end());
        std::sort(quedan.begin(), quedan.end());
        EXPECT_EQ(quedan, todos);
    }
}

TEST_F(Arrastre, UnaColumnaArrastradaDesdeLaCabeceraLlegaAOnOleDropCol) {
    g->GetDragDropSettings()->SetOleDropSource(true);
    g->GetDragDropSettings()->SetOleColumnDragDrop(true);
    g->SetEnhRowColMove(false);
    g->SetOptions(g->GetOptions() >> goEditing);
    for (int f = 1; f < 7; ++f)
        g->SetCells(3, f, "dato");
    std::vector<std::string> columnas;
    otra->OnOleDropCol = [&](TObject*, int fila, int col, int arrastrada) {
        columnas.push_back(std::to_string(arrastrada) + ">" + std::to_string(col) + "," +
                           std::to_string(fila));
    };
    bool flechasVistas = false;
    const TRect r = g->CellRect(3, 0);
    const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
    {
        // Over a normal row of the other grid it is refused; over its header it lands.
        ScriptedDrags guion({{Sobre(otra, 2, 3), Sobre(otra, 2, 0), DragStep::Drop()},
                             {Sobre(otra, 2, 3), DragStep::Drop()}});
        otra->OnOleDragOver = [&](TObject*, int fila, int, bool& a) {
            if (fila == 0 && a) flechasVistas = true;
        };
        SimulateMouse(g, SimulatedMouse::Down, 0, x, y);
        SimulateMouse(g, SimulatedMouse::Move, 0, x + 8, y);
        SimulateMouse(g, SimulatedMouse::Up, 0, x + 8, y);
        SimulateMouse(g, SimulatedMouse::Down, 0, x, y);
        SimulateMouse(g, SimulatedMouse::Move, 0, x + 8, y);
        SimulateMouse(g, SimulatedMouse::Up, 0, x + 8, y);
        EXPECT_EQ(guion.Started(), 2);
        EXPECT_EQ(guion.Offered("application/x-quenbar-format-grid-column"),
                  std::string("\x03\0\0\0", 4));
    }
    EXPECT_TRUE(flechasVistas);
    EXPECT_EQ(columnas, std::vector<std::string>{"3>2,0"});
    // Moving the column is the event's business: nothing left the source.
    EXPECT_EQ(Columna(g, 3), "dato|dato|dato|dato|dato|dato");
    EXPECT_FALSE(otra->GetArrowWindow(arrDown)->GetVisible());
    EXPECT_FALSE(otra->GetArrowWindow(arrUp)->GetVisible());
}

// A wide cell goes with its characters: the Unicode text has them, the 8-bit text has '?' for
// those the code page lacks; a grid that takes the drop makes a wide cell of it, and the move
// empties the source only once every cell has landed.
TEST_F(Arrastre, LasCeldasAnchasViajanConSusCaracteres) {
    Fuente(g);
    g->SetWideCells(1, 2, WideString(u"\u03A9mega"));
    g->SetCells(2, 2, "fin");
    g->SetSelection({1, 2, 2, 2});
    Arrastrar(g, 1, 2, {Sobre(otra, 1, 3), DragStep::Drop()});
    EXPECT_EQ(Ofrecido("text/plain"), "\xCE\xA9mega\tfin");
    EXPECT_EQ(Ofrecido("application/x-quenbar-cf-text"), "?mega\tfin");
    EXPECT_EQ(otra->GetWideCells(1, 3).str(), u"\u03A9mega");
    EXPECT_EQ(otra->GetCells(2, 3), AnsiString("fin"));
    EXPECT_EQ(Fila(g, 2), "|||");

    // Blocks with wide cells beside line ends, TABs and quotes arrive exact.
    for (const BloqueAncho& celdas : BloquesAnchos()) {
        g->Clear();
        otra->Clear();
        PonerBloque(g, 1, 1, celdas);
        Arrastrar(g, 1, 1, {Sobre(otra, 2, 2), DragStep::Drop()});
        for (size_t y = 0; y < celdas.size(); ++y)
            for (size_t x = 0; x < celdas[y].size(); ++x) {
                SCOPED_TRACE(testing::Message() << x << "," << y << " de " << celdas.size() << "x"
                                                << celdas[0].size());
                const int c = 1 + static_cast<int>(x), f = 1 + static_cast<int>(y);
                EXPECT_EQ(otra->GetWideCells(c + 1, f + 1).str(), celdas[y][x]);
                EXPECT_EQ(g->GetCells(c, f), AnsiString());
            }
    }
}

// A move takes the dragged cells out of the source only when the target wrote every one of
// them; a target that took fewer answers copy and the source keeps them all.
TEST_F(Arrastre, UnMovimientoQueElDestinoNoTomaEnteroDejaLaFuenteIntacta) {
    auto* edit = new TKavEdit(ventana.get());
    edit->SetParent(ventana.get());
    edit->SetBounds(0, 320, 300, 24);
    edit->SetOleDropTarget(true);
    struct Caso {
        const char* nombre;
        TGridRect bloque; // in g, holding a, b
        std::function<void()> preparar;
        std::function<DragStep()> destino; // built once the case's target grid exists
        bool mueve;
        std::function<std::string()> destinoQueda;
        const char* esperado;
    } casos[] = {
        {"todo cabe", {1, 1, 2, 1}, [] {}, [&] { return Sobre(otra, 1, 1); }, true,
         [&] { return Fila(otra, 1); }, "a|b||"},
        {"sobre la última columna, sin crecer", {1, 1, 2, 1},
         [&] { otra->GetNavigation()->SetAllowClipboardColGrow(false); }, [&] { return Sobre(otra, 4, 1); },
         false, [&] { return Fila(otra, 1) + "/" + std::to_string(otra->GetColCount()); },
         "|||a/5"},
        {"sobre la última fila, sin crecer", {1, 1, 1, 2},
         [&] { otra->GetNavigation()->SetAllowClipboardRowGrow(false); }, [&] { return Sobre(otra, 1, 6); },
         false, [&] { return Columna(otra, 1) + "/" + std::to_string(otra->GetRowCount()); },
         "|||||a/7"},
        {"sobre una celda de solo lectura", {1, 1, 2, 1},
         [&] {
             otra->SetCells(2, 1, "fijo");
             otra->GetCellProperties(2, 1)->SetReadOnly(true);
         },
         [&] { return Sobre(otra, 1, 1); }, false, [&] { return Fila(otra, 1); }, "a|fijo||"},
        {"una celda guardada por el evento", {1, 1, 2, 1},
         [&] {
             otra->OnClipboardBeforePasteCell = [](TObject*, int c, int, AnsiString&, bool& a) {
                 a = c != 2;
             };
         },
         [&] { return Sobre(otra, 1, 1); }, false, [&] { return Fila(otra, 1); }, "a|||"},
        {"dos filas en un edit", {1, 1, 1, 2}, [&] { edit->SetText("x"); },
         [&] { return DragStep::Move(edit, 20, 12); }, false, [&] { return edit->GetText().str(); }, "xa"},
    };
    for (Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        delete otra;
        otra = Nueva(400);
        g->Clear();
        Fuente(g);
        g->SetCells(1, 1, "a");
        g->SetCells(c.bloque.Right, c.bloque.Bottom, "b");
        g->SetSelection(c.bloque);
        c.preparar();
        Arrastrar(g, 1, 1, {c.destino(), DragStep::Drop()});
        EXPECT_EQ(c.destinoQueda(), c.esperado);
        EXPECT_EQ(g->GetCells(1, 1), AnsiString(c.mueve ? "" : "a"));
        EXPECT_EQ(g->GetCells(c.bloque.Right, c.bloque.Bottom), AnsiString(c.mueve ? "" : "b"));
    }
}

// A cell holding a TAB, a line break or quotes travels whole, as a copy's text has it: the
// target's neighbours keep their texts, and another program reads the same cells.
TEST_F(Arrastre, LasCeldasConTabuladoresSaltosYComillasLleganEnteras) {
    Fuente(g);
    for (int f = 1; f < 5; ++f)
        for (int c = 1; c < 5; ++c)
            otra->SetCells(c, f, "x");
    g->SetCells(1, 1, "ancho\t12");
    g->SetCells(2, 1, "uno\r\ndos");
    g->SetCells(3, 1, "\"PVC\"");
    g->SetWideCells(1, 2, WideString(u"\u03A9 \"x\""));
    g->SetCells(3, 2, "fin");
    g->SetSelection({1, 1, 3, 2});
    Arrastrar(g, 1, 1, {Sobre(otra, 1, 2), DragStep::Drop()});
    EXPECT_EQ(Fila(otra, 1), "x|x|x|x");
    EXPECT_EQ(Fila(otra, 2), "ancho\t12|uno\r\ndos|\"PVC\"|x");
    EXPECT_EQ(otra->GetWideCells(1, 3).str(), u"\u03A9 \"x\"");
    EXPECT_EQ(otra->GetCells(2, 3) + "|" + otra->GetCells(3, 3) + "|" + otra->GetCells(4, 3),
              AnsiString("|fin|x"));
    EXPECT_EQ(Fila(otra, 4), "x|x|x|x");
    EXPECT_EQ(Fila(g, 1) + "/" + Fila(g, 2), "|||/|||");

    // Other programs read the offered text as TAB-separated values with quoted fields.
    CarpetaTemporal carpeta;
    std::ofstream(carpeta.Ruta().str() + "ofrecido.txt", std::ios::binary)
        << Ofrecido("text/plain");
    EXPECT_EQ(PythonDePrueba(carpeta.Ruta().str(), R"(
import csv
filas = list(csv.reader(open("ofrecido.txt", encoding="utf-8", newline=""), delimiter="\t"))
esperado = [["ancho\t12", "uno\ndos", '"PVC"'], ['\u03a9 "x"', "", "fin"]]
print("bien" if filas == esperado else repr(filas))
)"),
              "bien\n");
}

// File managers offer the names of dragged files as text beside the list of files: the drop
// is of the files, and no cell takes a name.
TEST_F(Arrastre, UnFicheroSoltadoNoPegaSuNombreEnLaCelda) {
    CarpetaTemporal carpeta;
    const AnsiString txt = carpeta.Fichero("notas.txt", "x\r\n");
    const AnsiString csv = carpeta.Fichero("datos.csv", "p,q\r\n");
    g->SetCells(2, 2, "dato");
    std::vector<std::string> pedidos;
    g->OnOleDropFile = [&](TObject*, int, int, const AnsiString& f, bool&) {
        pedidos.push_back(f.str());
    };
    auto soltar = [&](const AnsiString& f) {
        return Soltar({{"text/uri-list", "file://" + f.str() + "\r\n"},
                       {"text/plain", "file://" + f.str()}},
                      {Sobre(g, 2, 2), DragStep::Drop()});
    };
    // A text file, which the grid does not load: nothing changes.
    EXPECT_EQ(soltar(txt), DRAGDROP_S_CANCEL);
    EXPECT_EQ(g->GetCells(2, 2), AnsiString("dato"));
    // A CSV file is loaded over the grid.
    EXPECT_EQ(soltar(csv), DRAGDROP_S_DROP);
    EXPECT_EQ(Fila(g, 1), "p|q||");
    EXPECT_EQ(pedidos, (std::vector<std::string>{txt.str(), csv.str()}));
}

} // namespace
