// The mouse, the keys and the sizing of the advanced grid with a hidden column and a hidden
// row. Each case of the table runs on grid G, which keeps real column 1 and real row 3
// hidden, and on grid P, the same shown cells built plainly: a click, double click, right
// click or key at a shown cell of G must do what it does at the same cell of P, and so must
// the HTML and ASCII exports, the printed pages (their texts and where they stand) and the
// query loader. The table runs three times: with the row hidden by HideRow, by a contracted
// node and by an active filter (P then has the same node or filter, hiding nothing). The cases are
// the smallest steps of faults where a path holding a real column asked a helper that wanted
// a shown one (or the reverse), so that the user clicked one cell and another one acted.
// After the table, the faults of the same kind that a plain grid cannot show: the sort
// column, the search over hidden columns, group headers, row headers, and what clearing and
// unmarking leave in hidden rows.

#include "controles/grid/kav_grid.h"
#include "controles/grid/print/print_layout.h"
#include "plataforma/gui/painting/recording_canvas.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/plataforma/office/libros_prueba.h"
#include "plataforma/base/streams.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/services/clipboard.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int Cols = 5, Rows = 6;            // the shown columns and display rows of both grids
constexpr int ColOculta = 1, FilaOculta = 3; // G's hidden real column and real row

// How G's row is hidden; P takes the same node or filter, which hides none of its rows.
enum class Ocultacion { PorHideRow, PorNodo, PorFiltro };

std::string Valor(int c, int r) {
    return "v" + std::to_string(c) + std::to_string(r);
}

class IndicesEntrada : public ::testing::Test {
protected:
    void SetUp() override {
        ResetInputState();
        ventana = std::make_unique<VentanaPrueba>();
        ventana->SetBounds(0, 0, 700, 640);
        g = Nueva(true, 0);
        p = Nueva(false, 320);
    }
    void TearDown() override {
        ventana.reset();
        ResetInputState();
    }
    // Shown cell (c, r) holds Valor(c, r) in both grids; G's hidden column and row hold
    // texts of their own.
    Rejilla* Nueva(bool Oculta, int Top) {
        auto* x = new Rejilla(ventana.get(), ventana.get());
        x->SetBounds(0, Top, 600, 300);
        x->SetColCount(Cols + (Oculta ? 1 : 0));
        x->SetRowCount(Rows + (Oculta ? 1 : 0));
        for (int r = 0; r < x->GetRowCount(); ++r)
            for (int c = 0; c < x->GetColCount(); ++c) {
                const int sc = Oculta && c > ColOculta ? c - 1 : c;
                const int sr = Oculta && r > FilaOculta ? r - 1 : r;
                const bool oculta = Oculta && (c == ColOculta || r == FilaOculta);
                x->SetCells(c, r, oculta ? "oculta" : Valor(sc, sr).c_str());
            }
        if (Oculta) x->HideColumn(ColOculta);
        switch (ocultacion) {
        case Ocultacion::PorHideRow:
            if (Oculta) x->HideRow(FilaOculta);
            break;
        case Ocultacion::PorNodo:
            // The node of real row 2 holds the hidden row in G, only itself in P.
            x->AddNode(FilaOculta - 1, Oculta ? 2 : 1);
            x->ContractNode(FilaOculta - 1);
            break;
        case Ocultacion::PorFiltro: {
            TFilterData* f = x->GetFilter()->Add();
            f->SetColumn(x->RemapCol(2));
            f->SetCondition("<>oculta");
            x->SetFilterActive(true);
            break;
        }
        }
        return x;
    }
    // Shows G's hidden row again, the way it was hidden.
    void MostrarFila() {
        switch (ocultacion) {
        case Ocultacion::PorHideRow: { // a sort takes the hidden row along with the row above it
            int oculta = 0;
            while (oculta < g->TotalRowCount() && !g->IsHiddenRow(oculta))
                ++oculta;
            g->UnHideRow(oculta);
            break;
        }
        case Ocultacion::PorNodo: g->ExpandAll(); break; // a sort may have moved the node
        case Ocultacion::PorFiltro: g->SetFilterActive(false); break;
        }
    }
    static TPoint Centro(Rejilla* x, int c, int r) {
        const TRect R = x->CellRect(c, r);
        return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    static void Clic(Rejilla* x, TPoint P, int Boton = 0, TShiftState Shift = {}) {
        SimulateMouse(x, SimulatedMouse::Down, Boton, P.x, P.y, Shift);
        SimulateMouse(x, SimulatedMouse::Up, Boton, P.x, P.y, Shift);
    }
    // Merges shown columns 2 .. 3 of display rows 2 .. 3: in G the block's real columns are
    // 3 .. 4, behind the hidden real column 1, and its rows stand around the hidden real row.
    static void Combinar(Rejilla* x) { x->MergeCells(x->RemapCol(2), 2, 2, 2); }
    static std::string Texto(const TRect& R) {
        return std::to_string(R.Left) + "," + std::to_string(R.Top) + "," +
               std::to_string(R.Right) + "," + std::to_string(R.Bottom);
    }
    static std::string Actual(Rejilla* x) {
        const TGridRect s = x->GetSelection();
        return "(" + std::to_string(x->GetCol()) + "," + std::to_string(x->GetRow()) + " sel " +
               Texto(TRect(s.Left, s.Top, s.Right, s.Bottom)) + ")";
    }
    // What the grid paints, pixel by pixel, folded into one number per line of pixels.
    template <class Control> static std::string Pintura(Control* x) {
        x->Repaint();
        TCanvas* c = x->GetCanvas();
        std::string s;
        for (int y = 0; y < x->GetClientHeight(); ++y) {
            uint64_t h = 1469598103934665603ull;
            for (int px = 0; px < x->GetClientWidth(); ++px)
                h = (h ^ static_cast<uint64_t>(ColorToRGB(c->GetPixels(px, y)))) * 1099511628211ull;
            s += std::to_string(h % 1000003) + " ";
        }
        return s;
    }
    // Every shown cell, row by row.
    static std::string Celdas(Rejilla* x) {
        std::string s;
        for (int r = 0; r < x->GetRowCount(); ++r) {
            s += "\n";
            for (int c = 0; c < x->GetColCount(); ++c)
                s += x->GetCells(x->RemapCol(c), r).str() + "|";
        }
        return s;
    }
    // The texts and rectangles of every cell printed, page by page, as a preview of 300 x 300
    // draws them, and the header and footer texts.
    static std::string Paginas(Rejilla* x) {
        TRecordingCanvas c(300, 300);
        TPrintLayout& l = x->PrintLayout();
        l.PrintRange = {0, 0, x->GetColCount() - 1, x->GetRowCount() - 1};
        l.PageRect = TRect(0, 0, 300, 300);
        l.FromPage = 1;
        l.ToPage = 99;
        const int paginas = x->BuildPages(&c, prPreview, 0, false);
        std::string s = std::to_string(paginas) + " paginas\n";
        for (const char* nombre : {"TextRect", "TextOut"})
            for (const TCanvasCall& k : c.Recorder().Calls(nombre, true)) {
                s += std::string(nombre) + " " + k.Text.str();
                for (int a : k.Args)
                    s += " " + std::to_string(a);
                s += "\n";
            }
        return s;
    }
    static std::string Leer(const AnsiString& Ruta) {
        std::ifstream f(Ruta.c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }
    static inline Ocultacion ocultacion = Ocultacion::PorHideRow;
    static inline const CarpetaTemporal* carpeta = nullptr;
    std::unique_ptr<VentanaPrueba> ventana;
    Rejilla* g = nullptr;
    Rejilla* p = nullptr;
    std::map<Rejilla*, std::string> eventos;
};

struct Caso {
    const char* nombre;
    // Sets the grid up; real-column methods are given RemapCol of the shown column.
    std::function<void(Rejilla*, std::string& Eventos)> preparar;
    // Acts at shown cells and answers what the user sees.
    std::function<std::string(Rejilla*)> hacer;
    // Whether the pass with a contracted node can compare: Right and Left on a node row open
    // and close its node, and only G's node holds a row.
    bool conNodo = true;
};

TEST_F(IndicesEntrada, LaEntradaEnUnaCeldaMostradaActuaSobreEsaCelda) {
    CarpetaTemporal temporal;
    carpeta = &temporal;
    PrepararOdbc();
    // A query of three fields over five records, the last field a number.
    SqliteDePrueba(temporal.Ruta().str() + "q.db",
                   "CREATE TABLE t (a TEXT, b TEXT, n REAL);"
                   "INSERT INTO t VALUES ('a1', 'b1', 1.5);"
                   "INSERT INTO t VALUES ('a2', NULL, 2);"
                   "INSERT INTO t VALUES ('a3', 'b3', 3);"
                   "INSERT INTO t VALUES ('a4', 'b4', 4);"
                   "INSERT INTO t VALUES ('a5', 'b5', -5);");
    const Caso casos[] = {
        {"el HTML escribe las celdas mostradas y el bloque sobre sus columnas",
         [](Rejilla* x, std::string&) {
             Combinar(x);
             x->SetColors(x->RemapCol(3), 4, clYellow);
         },
         [](Rejilla* x) { return x->SaveToHTMLString().str(); }},
        {"el ASCII escribe las celdas mostradas",
         [](Rejilla* x, std::string&) {
             Combinar(x);
             x->SetColWidths(2, 90);
         },
         [](Rejilla* x) {
             const AnsiString ruta = carpeta->Ruta() + "ascii.txt";
             x->SaveToASCII(ruta);
             return Leer(ruta);
         }},
        {"las páginas impresas llevan los textos y los bloques en su sitio",
         [](Rejilla* x, std::string&) {
             Combinar(x);
             x->MergeCells(x->RemapCol(1), 4, 1, 2);
             x->SetColWidths(3, 120);
         },
         [](Rejilla* x) { return Paginas(x); }},
        {"la consulta llena las columnas mostradas",
         [](Rejilla* x, std::string&) {},
         [](Rejilla* x) {
             x->LoadFromMDBSQL(carpeta->Ruta() + "q.db", "SELECT a, b, n FROM t");
             return Celdas(x);
         }},
        {"un clic en la cabecera ordena por esa columna",
         [](Rejilla* x, std::string&) {
             x->GetSortSettings()->SetShow(true);
             const char* orden[] = {"", "5", "3", "9", "1", "7"};
             for (int r = 1; r < Rows; ++r)
                 x->SetCells(x->RemapCol(2), r, orden[r]);
         },
         [](Rejilla* x) {
             Clic(x, Centro(x, 2, 0));
             std::string s = Celdas(x);
             Clic(x, Centro(x, 2, 0));
             return s + Celdas(x);
         }},
        {"el botón de una celda se pulsa",
         [](Rejilla* x, std::string& ev) {
             x->SetOptions(x->GetOptions() << goEditing);
             x->AddButton(x->RemapCol(2), 2, 30, 14, "...", haLeft, vaTop);
             x->OnButtonClick = [&ev](TObject*, int c, int r) {
                 ev += "boton " + std::to_string(c) + "," + std::to_string(r) + ";";
             };
             x->OnClickCell = [&ev](TObject*, int r, int c) {
                 ev += "celda " + std::to_string(c) + "," + std::to_string(r) + ";";
             };
             x->Repaint();
         },
         [](Rejilla* x) {
             const TRect b = x->ButtonRect(2, 2);
             if (IsRectEmpty(b)) return std::string("sin boton");
             Clic(x, TPoint((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2));
             return std::string();
         }},
        {"la casilla exacta cambia con un clic en su cuadro",
         [](Rejilla* x, std::string&) {
             x->SetOptions(x->GetOptions() << goEditing);
             x->GetMouseActions()->SetPreciseCheckBoxCheck(true);
             x->AddCheckBox(x->RemapCol(2), 2, false, false);
         },
         [](Rejilla* x) {
             // Left-aligned text and a top-aligned record: the square 2 pixels inside.
             const TRect R = x->CellRect(2, 2);
             const int s = x->GetControlLook()->GetCheckSize();
             Clic(x, TPoint(R.Left + 2 + s / 2, R.Top + 2 + s / 2));
             bool estado = false;
             x->GetCheckBoxState(x->RemapCol(2), 2, estado);
             return std::string(estado ? "marcada" : "sin marcar");
         }},
        {"un grupo de radio de solo lectura no cambia",
         [](Rejilla* x, std::string&) {
             x->SetOptions(x->GetOptions() << goEditing);
             x->SetColWidths(2, 160);
             // The grid keeps the item list, not a copy.
             static TStringList items;
             if (items.GetCount() == 0)
                 for (const char* i : {"a", "b", "c"})
                     items.Add(i);
             x->AddRadio(x->RemapCol(2), 2, 1, 0, &items); // side by side
             x->SetReadOnly(x->RemapCol(2), 2, true);
         },
         [](Rejilla* x) {
             const TRect R = x->CellRect(2, 2);
             std::string s;
             for (int px = R.Left + 4; px < R.Right; px += 12) {
                 Clic(x, TPoint(px, (R.Top + R.Bottom) / 2));
                 int idx = -1;
                 x->GetRadioIdx(x->RemapCol(2), 2, idx);
                 s += std::to_string(idx);
             }
             return s;
         }},
        {"un doble clic en una celda de solo lectura no pone goEditing",
         [](Rejilla* x, std::string&) {
             x->GetMouseActions()->SetRangeSelectAndEdit(true);
             x->SetReadOnly(x->RemapCol(2), 2, true);
         },
         [](Rejilla* x) {
             const TPoint c = Centro(x, 2, 2);
             SimulateMouse(x, SimulatedMouse::DoubleClick, 0, c.x, c.y);
             SimulateMouse(x, SimulatedMouse::Up, 0, c.x, c.y);
             return std::string(x->GetOptions().Contains(goEditing) ? "goEditing" : "no");
         }},
        {"las teclas editan la celda editable que sigue a una de solo lectura",
         [](Rejilla* x, std::string&) {
             x->SetOptions(x->GetOptions() << goEditing);
             x->SetReadOnly(x->RemapCol(1), 2, true);
             x->SetReadOnly(x->RemapCol(3), 2, true);
             x->SetCol(2);
             x->SetRow(2);
         },
         [](Rejilla* x) {
             x->SetFocus();
             SimulateKeyStroke(VK_F2, {}, x);
             std::string s = x->GetEditorMode() ? "F2 abre;" : "F2 no;";
             SimulateKeyStroke(VK_ESCAPE, {}, x->GetInplaceEditor() ? nullptr : x);
             x->HideInplaceEdit();
             x->SetFocus();
             SimulateTyping("z", x);
             SimulateKeyStroke(VK_RETURN, {}, nullptr);
             return s + Celdas(x);
         }},
        {"el autoajuste mide el botón de la columna",
         [](Rejilla* x, std::string&) {
             x->AddButton(x->RemapCol(2), 2, 140, 14, "ancho", haBeforeText, vaTop);
         },
         [](Rejilla* x) {
             x->AutoSizeCol(2);
             return std::to_string(x->GetColWidths(2));
         }},
        {"un bloque combinado ocupa sus columnas mostradas",
         [](Rejilla* x, std::string&) { Combinar(x); },
         [](Rejilla* x) {
             std::string s;
             for (int r = 1; r <= 4; ++r)
                 for (int c = 1; c < Cols; ++c)
                     s += Texto(x->CellRect(c, r)) + ";";
             return s;
         }},
        {"un bloque combinado se pinta una vez sobre sus columnas",
         [](Rejilla* x, std::string&) {
             Combinar(x);
             x->SetColors(x->RemapCol(2), 2, clYellow);
             x->SetCells(x->RemapCol(3), 2, "tapada");
         },
         [](Rejilla* x) { return Pintura(x); }},
        {"el pie flotante pinta el bloque y los colores de su fila",
         [](Rejilla* x, std::string&) {
             x->GetFloatingFooter()->SetVisible(true); // takes the last row
             x->MergeCells(x->RemapCol(2), Rows - 1, 2, 1);
             x->SetColors(x->RemapCol(4), Rows - 1, clYellow);
         },
         [](Rejilla* x) { return Pintura(x->GetFooterPanel()); }},
        {"un clic dentro del bloque hace actual el bloque",
         [](Rejilla* x, std::string&) { Combinar(x); },
         [](Rejilla* x) {
             std::string s;
             const TRect b = x->CellRect(2, 2);
             for (TPoint pt : {TPoint(b.Right - 5, b.Bottom - 5), TPoint(b.Left + 5, b.Top + 5),
                               TPoint(b.Right + 5, b.Top + 5)}) {
                 Clic(x, pt);
                 s += Actual(x);
             }
             Clic(x, TPoint(b.Right - 5, b.Top + 5), 1);
             s += Actual(x);
             return s;
         }},
        {"las flechas saltan el bloque entero",
         [](Rejilla* x, std::string&) {
             Combinar(x);
             x->SetCol(1);
             x->SetRow(2);
         },
         [](Rejilla* x) {
             x->SetFocus();
             std::string s;
             for (WORD k : {VK_RIGHT, VK_RIGHT, VK_LEFT, VK_LEFT, VK_RIGHT, VK_DOWN, VK_UP, VK_UP}) {
                 SimulateKeyStroke(k, {}, x);
                 s += Actual(x);
             }
             return s;
         },
         false},
        {"F2 abre el editor sobre el bloque entero",
         [](Rejilla* x, std::string&) {
             Combinar(x);
             x->SetOptions(x->GetOptions() << goEditing);
             x->SetCol(2);
             x->SetRow(2);
         },
         [](Rejilla* x) {
             x->SetFocus();
             SimulateKeyStroke(VK_F2, {}, x);
             std::string s = x->GetEditorMode() ? "abierto " : "cerrado ";
             if (TInplaceEdit* e = x->GetInplaceEditor()) s += Texto(e->GetBoundsRect());
             SimulateTyping("z", nullptr);
             SimulateKeyStroke(VK_RETURN, {}, nullptr);
             return s + Celdas(x);
         }},
        {"la selección se ensancha al bloque",
         [](Rejilla* x, std::string&) { Combinar(x); },
         [](Rejilla* x) {
             std::string s;
             for (TGridRect r : {TGridRect{1, 1, 2, 2}, TGridRect{3, 3, 4, 4}, TGridRect{3, 2, 3, 2}}) {
                 x->SetSelection(r);
                 x->CorrectSelection();
                 s += Actual(x);
             }
             return s;
         }},
        {"Ctrl y el botón derecho marcan la fila pulsada con RowSelectPersistent",
         [](Rejilla* x, std::string&) {
             TMouseActions* ma = x->GetMouseActions();
             ma->SetDisjunctRowSelect(true);
             ma->SetRowSelectPersistent(true);
             ma->SetSelectOnRightClick(true);
         },
         [](Rejilla* x) {
             Clic(x, Centro(x, 2, 4), 1, TShiftState() << ssCtrl);
             std::string s;
             for (int r = 1; r < x->GetRowCount(); ++r)
                 s += x->GetRowSelect(x->RowSelectIndex(TShownRow(r))) ? "1" : "0";
             return s;
         }},
    };
    for (Ocultacion o : {Ocultacion::PorHideRow, Ocultacion::PorNodo, Ocultacion::PorFiltro})
        for (const Caso& c : casos) {
            if (o == Ocultacion::PorNodo && !c.conNodo) continue;
            SCOPED_TRACE(std::string(c.nombre) +
                         (o == Ocultacion::PorNodo     ? " (nodo contraído)"
                          : o == Ocultacion::PorFiltro ? " (filtro)"
                                                       : ""));
            TearDown();
            ocultacion = o;
            SetUp();
            ASSERT_EQ(g->NumHiddenRows(), 1);
            ASSERT_EQ(p->NumHiddenRows(), 0);
            eventos.clear();
            std::map<Rejilla*, std::string> resultado;
            for (Rejilla* x : {g, p}) {
                c.preparar(x, eventos[x]);
                resultado[x] = c.hacer(x) + eventos[x];
            }
            EXPECT_EQ(resultado[g], resultado[p]);
            // G's hidden column and row keep their cells.
            for (int r = 0; r < g->GetRowCount(); ++r)
                EXPECT_EQ(g->GetCells(ColOculta, r), "oculta") << r;
            // Shown again (where a sort took it with its node), it is whole.
            MostrarFila();
            int fila = -1;
            for (int r = 0; r < g->GetRowCount(); ++r)
                if (g->GetCells(0, r) == "oculta") fila = r;
            ASSERT_NE(fila, -1);
            for (int cc = 0; cc < g->TotalColCount(); ++cc)
                EXPECT_EQ(g->GetCells(cc, fila), "oculta") << cc;
        }
    ocultacion = Ocultacion::PorHideRow;
    carpeta = nullptr;
}

// --- what a plain grid cannot show ---

// The sort column is a real column everywhere: the header click stores it, the sort reads it
// as it stands, the glyph and a moved or swapped column follow it, and grouping stores it.
TEST_F(IndicesEntrada, LaColumnaDeOrdenEsUnaColumnaReal) {
    g->GetSortSettings()->SetShow(true);
    const char* orden[] = {"", "5", "3", "9", "1", "7"};
    for (int r = 1; r < Rows; ++r)
        g->SetCells(g->RemapCol(2), r, orden[r]);
    Clic(g, Centro(g, 2, 0));
    EXPECT_EQ(g->GetSortSettings()->GetColumn(), 3);
    EXPECT_EQ(TextosColumna(g, 3, 1, Rows - 1, " "), "1 3 5 7 9");
    g->SwapColumns(3, 4);
    EXPECT_EQ(g->GetSortSettings()->GetColumn(), 4);
    g->SwapColumns(3, 4);
    EXPECT_EQ(g->GetSortSettings()->GetColumn(), 3);
    // Sorting again by the stored column sorts the same column the other way.
    Clic(g, Centro(g, 2, 0));
    EXPECT_EQ(TextosColumna(g, 3, 1, Rows - 1, " "), "9 7 5 3 1");
    EXPECT_EQ(g->GetCells(ColOculta, 1), "oculta");
}

// A block is kept by real column and shown over its shown columns: behind a hidden column,
// with a hidden column inside it, and with a hidden base column (the block's first shown
// column stands for it). Its rectangle, a click inside it and the arrows agree.
TEST_F(IndicesEntrada, UnBloqueSeMuestraSobreSusColumnasMostradas) {
    struct Caso {
        const char* nombre;
        int ocultar;          // the real column hidden (after real column 1 shows again)
        int base, ancho;      // the block's real columns
        int primera, ultima;  // its shown columns
    };
    const Caso casos[] = {
        {"tras la columna oculta", ColOculta, 3, 2, 2, 3},
        {"con la columna oculta dentro", 3, 2, 3, 2, 3},
        {"con la columna base oculta", 2, 2, 3, 2, 3},
        {"con solo la base mostrada", 3, 2, 2, 2, 2},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        TearDown();
        SetUp();
        g->UnHideColumn(ColOculta);
        g->HideColumn(c.ocultar);
        for (int k = 0; k < g->GetColCount(); ++k)
            g->SetColWidths(k, 50 + 10 * k);
        g->MergeCells(c.base, 2, c.ancho, 1);
        int ancho = 0;
        for (int k = c.primera; k <= c.ultima; ++k)
            ancho += g->GetColWidths(k);
        const TRect b = g->CellRect(c.primera, 2);
        EXPECT_EQ(b.Width(), ancho);
        EXPECT_EQ(b.Left, g->GetCellRect(c.primera, 2).Left);
        EXPECT_EQ(g->CellRect(c.ultima, 2), b);
        EXPECT_EQ(g->CellRect(c.ultima + 1, 2).Width(), g->GetColWidths(c.ultima + 1));
        Clic(g, TPoint(b.Right - 3, b.Top + 3));
        EXPECT_EQ(g->GetCol(), c.primera);
        g->SetCol(c.primera - 1);
        g->SetFocus();
        SimulateKeyStroke(VK_RIGHT, {}, g);
        EXPECT_EQ(g->GetCol(), c.primera);
        SimulateKeyStroke(VK_RIGHT, {}, g);
        EXPECT_EQ(g->GetCol(), c.ultima + 1);
        SimulateKeyStroke(VK_LEFT, {}, g);
        EXPECT_EQ(g->GetCol(), c.primera);
    }
}

// A block whose base column is hidden is printed at its first shown cell with its base's
// text, across the shown columns it covers, as a plain grid prints the same block; it is not
// left out of the page.
TEST_F(IndicesEntrada, UnBloqueDeBaseOcultaSeImprime) {
    g->UnHideColumn(ColOculta);
    g->HideColumn(2);
    g->MergeCells(2, 2, 3, 1); // real 2 .. 4: shown 2 .. 3
    for (int r = 0; r < Rows; ++r)
        p->SetCells(ColOculta, r, "oculta");
    p->SetCells(2, 2, g->GetCells(2, 2));
    p->MergeCells(2, 2, 2, 1);
    EXPECT_EQ(Paginas(g), Paginas(p));
}

// Ctrl+right click and a drag-armed Ctrl release flag the row clicked; a copy of the
// selected rows then takes that row.
TEST_F(IndicesEntrada, LaSeleccionPersistenteMarcaLaFilaPulsada) {
    TMouseActions* ma = g->GetMouseActions();
    ma->SetDisjunctRowSelect(true);
    ma->SetRowSelectPersistent(true);
    ma->SetSelectOnRightClick(true);
    Clic(g, Centro(g, 2, 4), 1, TShiftState() << ssCtrl);
    // Display row 4 is real row 5 behind the hidden real row 3.
    EXPECT_TRUE(g->GetRowSelect(5));
    EXPECT_FALSE(g->GetRowSelect(4));
}

// The rich text copied is the one of the first shown cell, not of the hidden column.
TEST_F(IndicesEntrada, LaCopiaEnriquecidaEsLaDeLaCeldaMostrada) {
    g->GetNavigation()->SetAllowRTFClipboard(true);
    g->SetCells(ColOculta, 1, "{\\rtf1 oculta}");
    g->SetCells(g->RemapCol(1), 1, "{\\rtf1 visible}");
    g->SetSelection({1, 1, 1, 1});
    g->CopySelectionToClipboard();
    const WORD rtf = static_cast<WORD>(RegisterClipboardFormat("Rich Text Format"));
    ASSERT_TRUE(Clipboard()->HasFormat(rtf));
    const std::string datos = Clipboard()->GetBuffer(rtf);
    EXPECT_EQ(std::string(datos.c_str()), "{\\rtf1 visible}");
}

// With the hidden columns in the search, the current column is its real column and a hit
// becomes current at its shown place.
TEST_F(IndicesEntrada, LaBusquedaConColumnasOcultas) {
    g->SetCol(2);
    g->SetRow(1);
    const TPoint enActual = g->FindFirst(
        Valor(2, 4).c_str(), TFindParameters() << fnIncludeHiddenColumns << fnFindInCurrentCol);
    EXPECT_EQ(enActual, TPoint(3, 4));
    g->SetCol(1);
    const TPoint ir = g->FindFirst(Valor(3, 5).c_str(),
                                   TFindParameters() << fnIncludeHiddenColumns << fnAutoGoto);
    EXPECT_EQ(ir, TPoint(4, 5));
    EXPECT_EQ(g->GetCol(), 3);
    EXPECT_EQ(g->GetRow(), 5);
    // A hit in the hidden column moves to its row only.
    g->SetCol(1);
    g->FindFirst("OCULTA", TFindParameters() << fnIncludeHiddenColumns << fnAutoGoto);
    EXPECT_EQ(g->GetCol(), 1);
}

// The group header's text goes to shown column 1, not to the hidden real column 1; a
// subgroup's to the first shown column after its own.
TEST_F(IndicesEntrada, LaCabeceraDeGrupoVaALaColumnaMostrada) {
    g->UnHideRow(FilaOculta);
    const char* grupo[] = {"", "A", "A", "B", "B", "B", "C"};
    for (int r = 1; r < g->GetRowCount(); ++r)
        g->SetCells(4, r, grupo[r]);
    g->Group(4);
    for (int r = g->GetFixedRows(); r < g->GetRowCount(); ++r) {
        if (!g->IsNode(r)) continue;
        EXPECT_EQ(g->GetCells(ColOculta, r), "") << r;
        EXPECT_FALSE(g->GetCells(2, r).IsEmpty()) << r;
    }
    EXPECT_EQ(g->GetCells(2, 1), "A");
}

// Row header i belongs to real row i: after the hidden row shows again every header sits on
// its row and none is lost.
TEST_F(IndicesEntrada, LasCabecerasDeFilaSiguenALaFilaReal) {
    TStringList cabeceras;
    for (int r = 0; r < Rows + 1; ++r)
        cabeceras.Add(("h" + std::to_string(r)).c_str());
    g->SetRowHeaders(&cabeceras);
    g->UnHideRow(FilaOculta);
    for (int r = 0; r < Rows + 1; ++r)
        EXPECT_EQ(g->GetCells(0, r).str(), "h" + std::to_string(r)) << r;
}

// Comments, markers and highlight tags are taken out of the hidden rows too: they do not
// come back with the rows, nor stay in the stored text.
TEST_F(IndicesEntrada, QuitarDecoracionesAlcanzaLasFilasOcultas) {
    g->UnHideRow(FilaOculta);
    g->AddComment(2, FilaOculta, "nota");
    g->AddMarker(4, FilaOculta, 0, 2);
    g->SetCells(4, FilaOculta, "palabra");
    g->HilightInGrid(false, false, "pal");
    g->MarkInGrid(false, false, "bra");
    ASSERT_NE(g->GetCells(4, FilaOculta), "palabra");
    g->HideRow(FilaOculta);
    g->RemoveAllComments();
    g->RemoveAllMarkers();
    g->UnHilightInGrid(false);
    g->UnMarkInGrid(false);
    g->UnHideRow(FilaOculta);
    EXPECT_NE(g->GetCellType(2, FilaOculta), ctComment);
    int pos = -1, len = -1;
    g->GetMarker(4, FilaOculta, pos, len);
    EXPECT_EQ(len, 0);
    EXPECT_EQ(g->GetCells(4, FilaOculta), "palabra");
}

// Clear and ClearNormalCells empty the rows a filter keeps aside: switching the filter off
// brings them back empty.
TEST_F(IndicesEntrada, VaciarAlcanzaLasFilasQueOcultaUnFiltro) {
    for (bool todo : {true, false}) {
        SCOPED_TRACE(todo ? "Clear" : "ClearNormalCells");
        TearDown();
        SetUp();
        g->UnHideRow(FilaOculta);
        g->UnHideColumn(ColOculta);
        g->SetCells(2, 2, "fuera");
        TFilterData* f = g->GetFilter()->Add();
        f->SetColumn(2);
        f->SetCondition("<>fuera");
        g->SetFilterActive(true);
        ASSERT_EQ(g->NumHiddenRows(), 1);
        if (todo)
            g->Clear();
        else
            g->ClearNormalCells();
        g->SetFilterActive(false);
        for (int c = todo ? 0 : 1; c < g->TotalColCount(); ++c)
            EXPECT_EQ(g->GetCells(c, 2), "") << c;
    }
}

// A column sum over every real row (a contracted group's hidden rows too) leaves out the
// groups' header and summary rows, whose sums would count the data twice.
TEST_F(IndicesEntrada, LaSumaConFilasOcultasNoCuentaLasSumasDeGrupo) {
    g->UnHideRow(FilaOculta);
    g->UnHideColumn(ColOculta);
    const char* grupo[] = {"", "A", "A", "B", "B", "B", "C"};
    for (int r = 1; r < g->GetRowCount(); ++r) {
        g->SetCells(4, r, grupo[r]);
        g->SetCells(3, r, AnsiString(r));
    }
    g->GetGrouping()->SetSummary(true);
    g->Group(4);
    g->GroupSum(3);
    g->ContractAll();
    ASSERT_GT(g->NumHiddenRows(), 0);
    EXPECT_EQ(g->ColumnSum(3, g->GetFixedRows(), g->TotalRowCount() - 1), 21.0);
}

// The places each HTML row takes: its cells, a cell of a block as many as its colspan.
std::vector<int> PlazasPorFila(const std::string& Html) {
    std::vector<int> filas;
    for (size_t at = Html.find("<tr>"); at != std::string::npos; at = Html.find("<tr>", at + 1)) {
        const size_t end = Html.find("</tr>", at);
        const std::string fila = Html.substr(at, end - at);
        int plazas = 0;
        for (size_t c = fila.find("<t"); c != std::string::npos; c = fila.find("<t", c + 1)) {
            if (fila.compare(c, 3, "<td") != 0 && fila.compare(c, 3, "<th") != 0) continue;
            const size_t cierre = fila.find('>', c);
            const std::string etiqueta = fila.substr(c, cierre - c);
            const size_t span = etiqueta.find("colspan=\"");
            plazas += span == std::string::npos ? 1 : std::stoi(etiqueta.substr(span + 9));
        }
        filas.push_back(plazas);
        at = end;
    }
    return filas;
}

// HTML of a block merged across a hidden column spans the shown columns it covers, so that
// every row has as many places as shown columns; a block whose base is a fixed cell left out
// of the save is written at its first saved cell, and its row stays whole.
TEST_F(IndicesEntrada, HtmlDeBloquesSobreColumnasOcultasYCeldasFijas) {
    g->MergeCells(2, 2, 3, 1); // real 2 .. 4: shown 1 .. 3, real 1 hidden is not in it
    g->MergeCells(0, 4, 2, 1); // real 0 .. 1: the fixed column and the hidden one
    g->MergeCells(0, 5, 3, 1); // real 0 .. 2: the fixed column, the hidden one and shown 1
    g->SetStoreFixedCells(false);
    const std::string html = g->SaveToHTMLString().str();
    const std::vector<int> plazas = PlazasPorFila(html);
    ASSERT_EQ(plazas.size(), static_cast<size_t>(Rows - 1)) << html;
    for (size_t i = 0; i < plazas.size(); ++i)
        EXPECT_EQ(plazas[i], Cols - 1) << "fila " << i + 1 << "\n" << html;
    g->SetStoreFixedCells(true);
    for (int plaza : PlazasPorFila(g->SaveToHTMLString().str()))
        EXPECT_EQ(plaza, Cols);
    // Hiding a column inside a block narrows it by one.
    g->UnHideColumn(ColOculta);
    g->HideColumn(3);
    for (int plaza : PlazasPorFila(g->SaveToHTMLString().str()))
        EXPECT_EQ(plaza, Cols);
}

// A block with a hidden column inside it, saved by its shown columns and read back, spans
// the shown columns it covered and swallows no other; a block of shown columns pasted over a
// hidden column takes the hidden column in and still covers the shown columns it covered.
TEST_F(IndicesEntrada, BloqueConUnaColumnaOcultaGuardadoYPegado) {
    g->UnHideColumn(ColOculta);
    g->HideColumn(3);
    g->MergeCells(2, 2, 3, 1); // real 2 .. 4: shown 2 .. 3
    ASSERT_EQ(g->CellSpan(2, 2), TPoint(2, 0));
    ASSERT_EQ(g->BaseCell(4, 2), TPoint(2, 2));
    TMemoryStream m;
    g->SaveRectToBinStream(TRect(1, 1, 4, 5), &m);
    m.SetPosition(0);
    Rejilla* lector = Nueva(false, 0);
    // The normal cells whole: they land at their own places.
    lector->LoadAtPointFromBinStream(TPoint(0, 0), &m);
    EXPECT_EQ(lector->GetCells(2, 2), g->GetCells(2, 2));
    EXPECT_EQ(lector->CellSpan(2, 2), TPoint(1, 0));
    EXPECT_EQ(lector->BaseCell(3, 2), TPoint(2, 2));
    EXPECT_FALSE(lector->IsMergedCell(4, 2));

    p->MergeCells(2, 2, 2, 1);
    TMemoryStream n;
    p->SaveRectToBinStream(TRect(1, 1, 4, 5), &n);
    n.SetPosition(0);
    g->SplitCells(2, 2);
    g->LoadAtPointFromBinStream(TPoint(0, 0), &n);
    EXPECT_EQ(g->BaseCell(4, 2), TPoint(2, 2)); // shown column 3
    EXPECT_EQ(g->BaseCell(3, 2), TPoint(2, 2)); // the hidden one
    EXPECT_FALSE(g->IsMergedCell(5, 2));
}

// A row dragged onto a fixed footer row, or a column onto a fixed right column, does not
// land there: the footer keeps its total.
TEST_F(IndicesEntrada, NadaSeArrastraSobreElPieNiLaColumnaFijaDerecha) {
    p->SetOptions(p->GetOptions() << goRowMoving << goColMoving);
    p->SetFixedFooters(1);
    p->SetFixedRightCols(1);
    const auto arrastrar = [this](TPoint De, TPoint A) {
        SimulateMouse(p, SimulatedMouse::Down, 0, De.x, De.y);
        SimulateMouse(p, SimulatedMouse::Move, 0, (De.x + A.x) / 2, (De.y + A.y) / 2);
        SimulateMouse(p, SimulatedMouse::Move, 0, A.x, A.y);
        SimulateMouse(p, SimulatedMouse::Up, 0, A.x, A.y);
    };
    arrastrar(Centro(p, 0, 2), Centro(p, 0, Rows - 1));
    arrastrar(Centro(p, 2, 0), Centro(p, Cols - 1, 0));
    EXPECT_EQ(p->GetCells(0, Rows - 1).str(), Valor(0, Rows - 1));
    EXPECT_EQ(p->GetCells(Cols - 1, 0).str(), Valor(Cols - 1, 0));
    EXPECT_EQ(p->GetCells(1, Rows - 1).str(), Valor(1, Rows - 1));
    EXPECT_EQ(p->GetCells(Cols - 1, 1).str(), Valor(Cols - 1, 1));
    // Onto a normal row it lands.
    arrastrar(Centro(p, 0, 2), Centro(p, 0, 3));
    EXPECT_EQ(p->GetCells(1, 3).str(), Valor(1, 2));
}

} // namespace
