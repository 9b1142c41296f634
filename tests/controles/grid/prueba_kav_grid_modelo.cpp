// Row and column operations of the advanced grid on a grid with a hidden column and a hidden
// row, checked against a plain model of the same operations kept beside it (the cells of
// every real row and column, which rows and columns are hidden, the persistent row-select
// flags, the column widths). After each operation every way of reaching a cell is compared
// with the model: the store, the access by real index, the typed access, the widths, editing
// with the keys, the search, the footer's total and the row-select flags. Among the
// operations are those of the mouse and the clipboard: text dropped from another program,
// marked rows dragged within the grid, the selection's handle dragged to fill, cut and paste
// with the keys and the smart fill of a paste. Each operation runs alone on a fresh grid,
// then all of them one after the other on one grid.

#include "controles/comun/text_utils.h"
#include "controles/grid/editing/kav_inplace_edit.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/regional.h"
#include "plataforma/gui/services/clipboard.h"
#include "plataforma/gui/testing/drag_simulation.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// The grid's contents as a user would describe them: rows and columns by real index.
struct Modelo {
    std::vector<std::vector<std::string>> celdas; // [real row][real column]
    std::vector<bool> filaOculta, marcada;        // per real row
    std::vector<bool> colOculta;                  // per real column
    // Per real row: 0 outside every contracted node, 1 hidden by one only, 2 hidden by one
    // and for another reason too (by hand, by the filter).
    std::vector<uint8_t> porNodo;
    std::vector<int> ancho;                       // per real column
    int colNumerica = 4;                          // the column the footer sums (-1: gone)
    bool filtrando = false;                       // the grid's filter is on

    int Filas() const { return static_cast<int>(celdas.size()); }
    int Cols() const { return static_cast<int>(colOculta.size()); }
    int FilasVisibles() const {
        return static_cast<int>(std::count(filaOculta.begin(), filaOculta.end(), false));
    }
    int ColsVisibles() const {
        return static_cast<int>(std::count(colOculta.begin(), colOculta.end(), false));
    }
    // The real index of shown row (column) D; past the last shown one, the end.
    int FilaReal(int D) const { return Real(filaOculta, D); }
    int ColReal(int D) const { return Real(colOculta, D); }
    static int Real(const std::vector<bool>& Oculta, int D) {
        for (int r = 0, n = 0; r < static_cast<int>(Oculta.size()); ++r)
            if (!Oculta[r] && n++ == D) return r;
        return static_cast<int>(Oculta.size());
    }
    // The footer's sum of the numeric column: every data row, hidden ones too.
    std::string SumaPie() const {
        double suma = 0;
        for (int r = 1; r < Filas() - 1; ++r) {
            const std::string& t = celdas[r][colNumerica];
            char* fin = nullptr;
            const double v = t.empty() ? 0 : std::strtod(t.c_str(), &fin);
            if (t.empty() || (fin && *fin == '\0')) suma += v;
        }
        char texto[64];
        std::snprintf(texto, sizeof texto, "%.2f", suma);
        return texto;
    }
    // The shown data rows: between the fixed row and the footer.
    int DatosVisibles() const { return FilasVisibles() - 2; }
    // The cell of shown column C in shown row D.
    std::string& Celda(int C, int D) { return celdas[FilaReal(D)][ColReal(C)]; }
    // The shown data rows whose row-select flag is set, top to bottom.
    std::vector<int> MarcadasVisibles() const {
        std::vector<int> v;
        for (int d = 1; d <= DatosVisibles(); ++d)
            if (marcada[FilaReal(d)]) v.push_back(d);
        return v;
    }
    // Lines of fields written from shown cell (C, D) on, over the shown rows and columns, as
    // a paste writes them: in a text that does not end with a line break, a last line of one
    // empty field is no cell.
    void Pegar(int C, int D, const std::vector<std::vector<std::string>>& Lineas, bool FinDeLinea) {
        for (size_t i = 0; i < Lineas.size(); ++i) {
            if (!FinDeLinea && i + 1 == Lineas.size() && Lineas[i].size() == 1 &&
                Lineas[i][0].empty())
                break;
            for (size_t j = 0; j < Lineas[i].size(); ++j)
                Celda(C + static_cast<int>(j), D + static_cast<int>(i)) = Lineas[i][j];
        }
    }
    // The fields of shown columns C0..C1 in the shown rows Filas.
    std::vector<std::vector<std::string>> Bloque(int C0, int C1, const std::vector<int>& Filas) {
        std::vector<std::vector<std::string>> b;
        for (int d : Filas) {
            b.emplace_back();
            for (int c = C0; c <= C1; ++c)
                b.back().push_back(Celda(c, d));
        }
        return b;
    }
    std::vector<int> FilasReales() const {
        std::vector<int> v;
        for (int r = 0; r < Filas(); ++r)
            if (!filaOculta[r]) v.push_back(r);
        return v;
    }
    void InsertarFilas(int Real, int N) {
        for (int i = 0; i < N; ++i) {
            celdas.insert(celdas.begin() + Real, std::vector<std::string>(Cols()));
            filaOculta.insert(filaOculta.begin() + Real, false);
            marcada.insert(marcada.begin() + Real, false);
            porNodo.insert(porNodo.begin() + Real, 0);
        }
    }
    void QuitarFila(int Real) {
        celdas.erase(celdas.begin() + Real);
        filaOculta.erase(filaOculta.begin() + Real);
        marcada.erase(marcada.begin() + Real);
        porNodo.erase(porNodo.begin() + Real);
    }
    // Shown rows D .. D+N-1 go; the hidden rows between them stay.
    void QuitarVisibles(int D, int N) {
        std::vector<int> reales;
        for (int i = 0; i < N; ++i)
            reales.push_back(FilaReal(D + i));
        for (auto r = reales.rbegin(); r != reales.rend(); ++r)
            QuitarFila(*r);
    }
    // The shown rows take the places of the shown rows Order lists (by display index); each
    // hidden row goes along with the shown row above it. The flags go with their rows, or
    // stay with the places (a sort with MoveRowOnSort off).
    void PermutarVisibles(const std::vector<int>& Orden, bool MarcasConLaFila) {
        const std::vector<int> reales = FilasReales();
        std::vector<int> fuentes;
        for (int r = 0; r < reales.front(); ++r)
            fuentes.push_back(r);
        for (int d : Orden) {
            const int fin =
                d + 1 < static_cast<int>(reales.size()) ? reales[d + 1] : Filas();
            for (int r = reales[d]; r < fin; ++r)
                fuentes.push_back(r);
        }
        const auto antes = celdas;
        const auto ocultas = filaOculta;
        const auto marcas = marcada;
        const auto nodos = porNodo;
        for (size_t i = 0; i < fuentes.size(); ++i) {
            celdas[i] = antes[fuentes[i]];
            filaOculta[i] = ocultas[fuentes[i]];
            porNodo[i] = nodos[fuentes[i]];
            if (MarcasConLaFila) marcada[i] = marcas[fuentes[i]];
        }
    }
    void InsertarCol(int Real) {
        for (auto& f : celdas)
            f.insert(f.begin() + Real, std::string());
        colOculta.insert(colOculta.begin() + Real, false);
        ancho.insert(ancho.begin() + Real, 64);
        if (colNumerica >= Real) ++colNumerica;
    }
    void QuitarCol(int Real) {
        for (auto& f : celdas)
            f.erase(f.begin() + Real);
        colOculta.erase(colOculta.begin() + Real);
        ancho.erase(ancho.begin() + Real);
        if (colNumerica == Real)
            colNumerica = -1;
        else if (colNumerica > Real)
            --colNumerica;
    }
    void MoverCol(int De, int A) {
        for (auto& f : celdas) {
            std::string t = f[De];
            f.erase(f.begin() + De);
            f.insert(f.begin() + A, t);
        }
        const bool o = colOculta[De];
        colOculta.erase(colOculta.begin() + De);
        colOculta.insert(colOculta.begin() + A, o);
        const int w = ancho[De];
        ancho.erase(ancho.begin() + De);
        ancho.insert(ancho.begin() + A, w);
        if (colNumerica == De)
            colNumerica = A;
        else if (De < colNumerica && colNumerica <= A)
            --colNumerica;
        else if (A <= colNumerica && colNumerica < De)
            ++colNumerica;
    }
};

inline std::string Texto(const AnsiString& S) {
    return S.str();
}

class ModeloDeRejilla : public RejillaEnVentana<Rejilla, 700, 500> {
protected:
    static constexpr int kCols = 5, kFilas = 9; // fixed row 0, data 1-7, footer 8

    void SetUp() override {
        SetDecimalSeparator('.');
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 600, 400);
        g->SetOptions(g->GetOptions() << goEditing);
        g->GetMouseActions()->SetDisjunctRowSelect(true);
        g->GetMouseActions()->SetRowSelectPersistent(true);
        g->GetNavigation()->SetMoveRowOnSort(true);
        g->SetColCountEx(kCols);
        g->SetRowCountEx(kFilas);
        m.colOculta.assign(kCols, false);
        for (int c = 0; c < kCols; ++c) {
            m.ancho.push_back(40 + 7 * c);
            g->SetColWidths(c, m.ancho[c]);
        }
        // Columns: 0 fixed, 1 text, 2 text (to be hidden), 3 sort key, 4 numbers.
        const char* claves[] = {"", "k5", "k2", "k7", "k4", "k1", "k6", "k3", ""};
        for (int r = 0; r < kFilas; ++r) {
            std::vector<std::string> fila(kCols);
            if (r < kFilas - 1) {
                fila[0] = "f" + std::to_string(r);
                fila[1] = "a" + std::to_string(r);
                fila[2] = "h" + std::to_string(r);
                fila[3] = claves[r];
                fila[4] = r == 0 ? "num" : std::to_string(r * r);
            }
            for (int c = 0; c < kCols; ++c)
                g->SetCells(c, r, AnsiString(fila[c]));
            m.celdas.push_back(fila);
        }
        m.filaOculta.assign(kFilas, false);
        m.marcada.assign(kFilas, false);
        m.porNodo.assign(kFilas, 0);
        for (int r : {2, 3, 6}) {
            g->SetRowSelect(r, true);
            m.marcada[r] = true;
        }
        TFloatingFooter* pie = g->GetFloatingFooter();
        pie->SetVisible(true);
        pie->SetCalculateHiddenRows(true);
        // The hidden column and the hidden row every operation meets.
        g->HideColumn(2);
        m.colOculta[2] = true;
        g->HideRow(3);
        m.filaOculta[3] = true;
        g->SetFocus();
        Comprobar("inicio");
    }
    void TearDown() override {
        RejillaEnVentana::TearDown();
        SetDecimalSeparator('.');
    }

    // Every access path against the model.
    void Comprobar(const std::string& Paso) {
        SCOPED_TRACE(Paso);
        ASSERT_EQ(g->TotalRowCount(), m.Filas());
        ASSERT_EQ(g->GetRowCount(), m.FilasVisibles());
        ASSERT_EQ(g->TotalColCount(), m.Cols());
        ASSERT_EQ(g->GetColCount(), m.ColsVisibles());
        CompararCeldas();
        for (int c = 0; c < m.Cols(); ++c) {
            EXPECT_EQ(g->IsHiddenColumn(c), m.colOculta[c]) << "columna " << c;
            EXPECT_EQ(g->GetAllColWidths(c), m.ancho[c]) << "ancho " << c;
        }
        for (int r = 0; r < m.Filas(); ++r) {
            EXPECT_EQ(g->IsHiddenRow(r), m.filaOculta[r]) << "fila " << r;
            EXPECT_EQ(g->GetRowSelect(r), m.marcada[r]) << "marca " << r;
        }
        for (int d = 0; d < g->GetRowCount(); ++d)
            EXPECT_EQ(g->RemapRowInv(d), m.FilaReal(d)) << "fila mostrada " << d;
        for (int d = 0; d < g->GetColCount(); ++d)
            EXPECT_EQ(g->RemapCol(d), m.ColReal(d)) << "columna mostrada " << d;
        if (::testing::Test::HasFailure()) return;
        ComprobarNumeros();
        ComprobarEdicion();
        ComprobarPie();
        ComprobarBusqueda();
        CompararCeldas();
    }

    // Every hit of FindFirst and FindNext, row by row over the hidden columns too and column
    // by column over the shown ones, against the cells of the model's shown rows: a text in
    // the hidden column, a piece of text found in many cells and, as two double quotes, the
    // empty cells.
    void ComprobarBusqueda() {
        std::vector<std::string> textos{"\"\"", "1"};
        for (int r : m.FilasReales())
            for (int c = 0; c < m.Cols(); ++c)
                if (m.colOculta[c] && r > 0 && !m.celdas[r][c].empty() && textos.size() < 3)
                    textos.push_back(m.celdas[r][c]);
        for (const bool ocultas : {true, false})
            for (const std::string& t : textos) {
                SCOPED_TRACE("busqueda de " + t + (ocultas ? " con las columnas ocultas" : ""));
                TFindParameters p;
                if (ocultas) p << fnIncludeHiddenColumns << fnDirectionLeftRight;
                std::vector<std::pair<int, int>> esperado, hallado;
                const int y0 = g->GetFixedRows(), y1 = g->GetRowCount() - 1 - g->GetFixedFooters();
                const int x0 = g->GetFixedCols();
                const int x1 = (ocultas ? m.Cols() : m.ColsVisibles()) - 1;
                auto coincide = [&](int x, int y) {
                    const std::string& celda = m.celdas[m.FilaReal(y)][ocultas ? x : m.ColReal(x)];
                    return t == "\"\"" ? celda.empty() : celda.find(t) != std::string::npos;
                };
                if (ocultas) {
                    for (int y = y0; y <= y1; ++y)
                        for (int x = x0; x <= x1; ++x)
                            if (coincide(x, y)) esperado.emplace_back(x, y);
                } else {
                    for (int x = x0; x <= x1; ++x)
                        for (int y = y0; y <= y1; ++y)
                            if (coincide(x, y)) esperado.emplace_back(x, y);
                }
                for (TPoint p1 = g->FindFirst(AnsiString(t), p); p1 != TPoint(-1, -1);
                     p1 = g->FindNext()) {
                    hallado.emplace_back(p1.x, p1.y);
                    ASSERT_LE(hallado.size(), esperado.size() + 1) << "la busqueda no acaba";
                }
                EXPECT_EQ(hallado, esperado);
            }
    }

    // The store by shown row and real column, and every cell by real row and column.
    void CompararCeldas() {
        for (int d = 0; d < g->GetRowCount(); ++d)
            for (int c = 0; c < m.Cols(); ++c)
                ASSERT_EQ(Texto(g->GetCells(c, d)), m.celdas[m.FilaReal(d)][c])
                    << "celda mostrada " << c << "," << d;
        for (int r = 0; r < m.Filas(); ++r)
            for (int c = 0; c < m.Cols(); ++c)
                ASSERT_EQ(Texto(g->GetCellsEx(c, r)), m.celdas[r][c]) << "celda " << c << "," << r;
    }

    // Numbers written and read by real index, in a hidden row and in a shown one, in every
    // column; the cells are put back through the access by real index.
    void ComprobarNumeros() {
        std::vector<int> filas{m.FilaReal(1)};
        for (int r = 0; r < m.Filas(); ++r)
            if (m.filaOculta[r]) {
                filas.push_back(r);
                break;
            }
        for (int r : filas)
            for (int c = 0; c < m.Cols(); ++c) {
                const std::string antes = m.celdas[r][c];
                g->SetAllFloats(c, r, c + 0.5);
                m.celdas[r][c] = std::to_string(c) + ".50";
                EXPECT_DOUBLE_EQ(g->GetAllFloats(c, r), c + 0.5) << c << "," << r;
                CompararCeldas();
                g->SetCellsEx(c, r, AnsiString(antes));
                m.celdas[r][c] = antes;
            }
        CompararCeldas();
    }

    // The last shown column of the first data row edited with the keys, in the text editor
    // and in an editor control: Return keeps the typed text in that cell only, Escape leaves
    // every cell as it was.
    void ComprobarEdicion() {
        const int d = g->GetColCount() - 1;
        if (d < g->GetFixedCols() || g->GetRowCount() < 3) return;
        const int r = m.FilaReal(1), c = m.ColReal(d);
        g->SetCol(d);
        g->SetRow(1);
        SimulateKeyStroke(VK_F2);
        ASSERT_TRUE(g->GetKavInplaceEditor() && g->GetKavInplaceEditor()->GetVisible());
        EXPECT_EQ(Texto(g->GetKavInplaceEditor()->GetText()), m.celdas[r][c]);
        SimulateTyping("e");
        SimulateKeyStroke(VK_RETURN);
        m.celdas[r][c] += "e";
        CompararCeldas();
        SimulateTyping("zz");
        SimulateKeyStroke(VK_ESCAPE);
        CompararCeldas();
        // The same cell through an editor control: its text, opened selected, is replaced.
        g->SetDefaultEditor(edEditBtn);
        SimulateKeyStroke(VK_F2);
        ASSERT_NE(g->GetActiveEditor(), nullptr);
        EXPECT_EQ(Texto(g->GetActiveEditor()->GetText()), m.celdas[r][c]);
        SimulateTyping("k");
        SimulateKeyStroke(VK_RETURN);
        m.celdas[r][c] = "k";
        CompararCeldas();
        SimulateKeyStroke(VK_F2);
        SimulateTyping("zz");
        SimulateKeyStroke(VK_ESCAPE);
        g->SetDefaultEditor(edNormal);
        CompararCeldas();
    }

    // The footer's sum of the numeric column counts every data row, hidden ones too, and
    // never the footer itself.
    void ComprobarPie() {
        const int c = m.colNumerica;
        if (c < 0) return;
        const int pie = m.Filas() - 1;
        g->GetFloatingFooter()->SetColumnCalc(c, acSUM);
        EXPECT_EQ(Texto(g->GetCellsEx(c, pie)), m.SumaPie());
        // The calculation off again empties the footer cell.
        g->GetFloatingFooter()->SetColumnCalc(c, acNONE);
        m.celdas[pie][c].clear();
    }

    Modelo m;
};

// The node the node operations put on the first shown data row, spanning four real rows
// (fewer before the footer).
struct NodoDePrueba {
    int fila, span;
};
NodoDePrueba Nodo(const Modelo& m) {
    const int r = m.FilaReal(1);
    return {r, std::min(4, m.Filas() - 1 - r)};
}

// Contracting hides the rest of the node's run; the rows hidden before stay hidden.
void Contraer(TKavStringGrid& g, Modelo& m) {
    const NodoDePrueba n = Nodo(m);
    g.AddNode(n.fila, n.span);
    g.ContractNode(n.fila);
    for (int r = n.fila + 1; r < n.fila + n.span; ++r) {
        m.porNodo[r] = m.filaOculta[r] ? 2 : 1;
        m.filaOculta[r] = true;
    }
}

// The filter the operations switch on: small numbers, or the text of one row in the column
// hidden at the start, while a column beyond the grid's reads as an empty text.
struct CondicionDePrueba {
    int columna;
    const char* patron;
    TFilterOperation op;
};
const CondicionDePrueba kFiltro[] = {{4, "<30", foNONE}, {2, "h6", foOR}, {40, "*", foAND}};

// Hides the normal rows that fail the filter, on the grid and on the model.
void Filtrar(TKavStringGrid& g, Modelo& m) {
    if (m.filtrando) return;
    g.GetFilter()->Clear();
    for (const CondicionDePrueba& c : kFiltro) {
        TFilterData* f = g.GetFilter()->Add();
        f->SetColumn(c.columna);
        f->SetCondition(c.patron);
        f->SetOperation(c.op);
    }
    g.SetFilterActive(true);
    m.filtrando = true;
    // Rows hidden for another reason are tested too.
    for (int r = 1; r < m.Filas() - 1; ++r) {
        bool queda = true;
        for (const CondicionDePrueba& c : kFiltro) {
            const std::string t = c.columna < m.Cols() ? m.celdas[r][c.columna] : "";
            const bool encaja = MatchStrEx(c.patron, AnsiString(t), true);
            queda = c.op == foNONE ? encaja : c.op == foOR ? queda || encaja : queda && encaja;
        }
        if (!queda) {
            m.filaOculta[r] = true;
            if (m.porNodo[r]) m.porNodo[r] = 2;
        }
    }
}

// Lines of fields as the clipboard's text: TAB between fields, CR LF between lines.
std::string ComoTexto(const std::vector<std::vector<std::string>>& Lineas, bool FinDeLinea) {
    std::string t;
    for (size_t i = 0; i < Lineas.size(); ++i) {
        for (size_t j = 0; j < Lineas[i].size(); ++j)
            t += (j ? "\t" : "") + Lineas[i][j];
        if (FinDeLinea || i + 1 < Lineas.size()) t += "\r\n";
    }
    return t;
}

TPoint CentroDe(TKavStringGrid& g, int C, int D) {
    const TRect r = g.CellRect(C, D);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

DragStep Sobre(TKavStringGrid& g, int C, int D) {
    const TPoint p = CentroDe(g, C, D);
    return DragStep::Move(&g, p.x, p.y);
}

// Text dragged from another program and dropped on shown cell (C, D).
void SoltarDeFuera(TKavStringGrid& g, int C, int D, const std::string& Texto) {
    g.GetDragDropSettings()->SetOleDropTarget(true);
    DWORD efecto = 0;
    EXPECT_EQ(SimulateForeignDrag({{"text/plain", Texto}}, {Sobre(g, C, D), DragStep::Drop()},
                                  DROPEFFECT_COPY | DROPEFFECT_MOVE, &efecto),
              DRAGDROP_S_DROP);
    EXPECT_EQ(efecto, DROPEFFECT_MOVE);
    // The drop arrows are windows of their own, which the headless window system activates
    // when they show: the keys of the next steps go to the grid again.
    g.SetFocus();
}

// The marked rows dragged with the mouse, from their first shown one, and dropped lower or
// higher in the same grid: a move. The grid takes drags only while it is not edited, and
// writes the drop then by AllowClipboardAlways. The cells dragged (the shown ones of the
// selection's columns) are left empty but those the drop wrote into; the dropped rows come
// out selected. Inserting, the drop goes into new rows at the top of the data, and the
// dragged rows move down with the rest.
void MoverArrastrando(TKavStringGrid& g, Modelo& m, bool Insertar) {
    std::vector<int> marcadas = m.MarcadasVisibles();
    const int datos = m.DatosVisibles(), ultima = m.ColsVisibles() - 1;
    if (marcadas.empty() || ultima < 1) return;
    const int k = static_cast<int>(marcadas.size()), desde = marcadas[0];
    int destino = -1;
    if (Insertar)
        destino = desde > 1 ? 1 : datos >= 2 ? 2 : -1;
    else
        for (int d = datos - k + 1; d >= 1 && destino < 0; --d)
            if (desde < d || desde > d + k - 1) destino = d;
    if (destino < 0) return;
    const auto bloque = m.Bloque(1, ultima, marcadas);
    TDragDropSettings* dd = g.GetDragDropSettings();
    dd->SetOleDropSource(true);
    dd->SetOleDropTarget(true);
    dd->SetOleInsertRows(Insertar);
    g.SetOptions(g.GetOptions() >> goEditing);
    g.GetNavigation()->SetAllowClipboardAlways(true);
    g.SetSelection({1, desde, ultima, desde});
    const TPoint p = CentroDe(g, 1, desde);
    {
        ScriptedDrags guion({{Sobre(g, 1, destino), DragStep::Drop()}});
        SimulateMouse(&g, SimulatedMouse::Down, 0, p.x, p.y);
        SimulateMouse(&g, SimulatedMouse::Move, 0, p.x + 5, p.y);
        SimulateMouse(&g, SimulatedMouse::Up, 0, p.x + 5, p.y);
        EXPECT_EQ(guion.Started(), 1);
        std::string ofrecido = guion.Offered("text/plain");
        // The text a copy gives: a block of several rows ends each with its line break.
        std::string esperado = ComoTexto(bloque, bloque.size() > 1);
        std::erase(esperado, '\r');
        EXPECT_EQ(ofrecido, esperado);
    }
    g.SetOptions(g.GetOptions() << goEditing);
    g.GetNavigation()->SetAllowClipboardAlways(false);
    dd->SetOleDropSource(false);
    dd->SetOleInsertRows(false);
    g.SetFocus(); // as after any drop (SoltarDeFuera)
    if (Insertar) {
        m.InsertarFilas(m.FilaReal(destino), k);
        for (int& d : marcadas)
            if (d >= destino) d += k;
    }
    m.Pegar(1, destino, bloque, false);
    for (int d : marcadas)
        if (d < destino || d > destino + k - 1)
            for (int c = 1; c <= ultima; ++c)
                m.Celda(c, d).clear();
    for (int d = destino; d < destino + k; ++d)
        m.marcada[m.FilaReal(d)] = true;
}

// The selection from shown cell (C, D0) to (C, D1) resized by its handle down to shown row
// D2: the copy of the press pasted on the release fills the resized selection.
void RellenarConElAsa(TKavStringGrid& g, int C, int D0, int D1, int D2) {
    g.SetSelectionRectangle(true);
    g.SetSelectionResizer(true);
    g.GetNavigation()->SetAllowSmartClipboard(true);
    g.SetCol(C);
    g.SetRow(D0);
    g.SetSelection({C, D0, C, D1});
    const TRect r = g.CellRect(C, D1);
    const TPoint asa{r.Right - 2, r.Bottom - 2}, fin = CentroDe(g, C, D2);
    SimulateMouse(&g, SimulatedMouse::Move, 0, asa.x, asa.y);
    EXPECT_EQ(g.GetMouseCursorState(), 5);
    SimulateMouse(&g, SimulatedMouse::Down, 0, asa.x, asa.y);
    SimulateMouse(&g, SimulatedMouse::Move, 0, fin.x, fin.y);
    SimulateMouse(&g, SimulatedMouse::Up, 0, fin.x, fin.y);
    EXPECT_EQ(g.GetSelection(), (TGridRect{C, D0, C, D2}));
    g.SetSelectionResizer(false);
    g.GetNavigation()->SetAllowSmartClipboard(false);
}

// The text of another program pasted with Ctrl+V into the selection of shown columns C0..C1,
// rows D0..D1, with the smart fill on.
void PegarDeFuera(TKavStringGrid& g, const std::string& Texto, TGridRect Seleccion) {
    Clipboard()->SetAsText(AnsiString(Texto));
    g.GetNavigation()->SetAllowSmartClipboard(true);
    g.GetNavigation()->SetAllowClipboardShortCuts(true);
    g.SetSelection(Seleccion);
    SimulateKeyStroke('V', {ssCtrl}, &g);
    g.GetNavigation()->SetAllowSmartClipboard(false);
    g.GetNavigation()->SetAllowClipboardShortCuts(false);
}

// The grid's order of the shown rows Filas (ascending display rows) taken into the model,
// once it is seen to be an order of the same rows, each with its cells and its mark, by the
// key column: the order of rows of equal keys is the grid's affair.
void TomarOrden(TKavStringGrid& g, Modelo& m, const std::vector<int>& Filas, int Clave) {
    std::vector<int> orden(static_cast<size_t>(m.FilasVisibles()));
    for (int d = 0; d < m.FilasVisibles(); ++d)
        orden[d] = d;
    std::vector<bool> usada(m.FilasVisibles(), false);
    for (size_t i = 0; i < Filas.size(); ++i) {
        const int d = Filas[i], r = g.RemapRowInv(d);
        std::vector<std::string> fila(m.Cols());
        for (int c = 0; c < m.Cols(); ++c)
            fila[c] = Texto(g.GetCellsEx(c, r));
        const auto de = std::find_if(Filas.begin(), Filas.end(), [&](int f) {
            return !usada[f] && m.celdas[m.FilaReal(f)] == fila &&
                   m.marcada[m.FilaReal(f)] == g.GetRowSelect(r);
        });
        ASSERT_NE(de, Filas.end()) << "fila " << d << " que no estaba: " << fila[0];
        usada[*de] = true;
        orden[d] = *de;
        if (i > 0) {
            EXPECT_LE(m.celdas[m.FilaReal(orden[Filas[i - 1]])][Clave],
                      m.celdas[m.FilaReal(*de)][Clave])
                << "orden " << d;
        }
    }
    m.PermutarVisibles(orden, true);
}

// One operation on the grid and the same on the model.
struct Operacion {
    const char* nombre;
    std::function<void(TKavStringGrid&, Modelo&)> hacer;
};

const std::vector<Operacion>& Operaciones() {
    static const std::vector<Operacion> ops = {
        {"insertar dos filas tras la oculta",
         [](TKavStringGrid& g, Modelo& m) {
             m.InsertarFilas(m.FilaReal(3), 2);
             g.InsertRows(3, 2);
         }},
        {"anadir una fila (queda delante del pie)",
         [](TKavStringGrid& g, Modelo& m) {
             m.InsertarFilas(m.Filas() - 1, 1);
             g.AddRow();
         }},
        {"anadir una fila sin pie: va tras la ultima real, aunque este oculta",
         [](TKavStringGrid& g, Modelo& m) {
             // With the footer off and its row hidden, the new row lands below every real
             // row, empty, and no hidden row changes its real index. Then all is put back.
             TFloatingFooter* pie = g.GetFloatingFooter();
             pie->SetVisible(false);
             const int pieReal = m.Filas() - 1;
             g.HideRow(pieReal);
             m.filaOculta[pieReal] = true;
             const auto ocultas = [&g] {
                 std::vector<int> v;
                 for (int i = 0; i < g.GetHiddenRowList()->GetCount(); ++i)
                     v.push_back(
                         static_cast<TGridItem*>(g.GetHiddenRowList()->GetItem(i))->GetIdx());
                 return v;
             };
             const std::vector<int> antes = ocultas();
             std::vector<std::string> avisos;
             g.OnCellsChanged = [&avisos](TObject*, const TRect& R) {
                 avisos.push_back(std::to_string(R.Top) + "," + std::to_string(R.Bottom));
             };
             const int nueva = g.GetRowCount();
             g.AddRow();
             g.OnCellsChanged = nullptr;
             m.InsertarFilas(m.Filas(), 1);
             const std::string fila = std::to_string(nueva);
             EXPECT_EQ(avisos, (std::vector<std::string>{fila + "," + std::to_string(nueva + 1),
                                                         fila + "," + fila}));
             EXPECT_EQ(ocultas(), antes);
             ASSERT_EQ(g.TotalRowCount(), m.Filas());
             EXPECT_EQ(g.RealRowIndex(nueva), m.Filas() - 1);
             for (int r = 0; r < m.Filas(); ++r)
                 for (int c = 0; c < m.Cols(); ++c)
                     ASSERT_EQ(Texto(g.GetCellsEx(c, r)), m.celdas[r][c]) << c << "," << r;
             g.RemoveRows(nueva, 1);
             m.QuitarFila(m.Filas() - 1);
             g.UnHideRow(pieReal);
             m.filaOculta[pieReal] = false;
             pie->SetVisible(true);
         }},
        {"anadir filas llenas, quitarlas y anadir otras: las nuevas salen vacias",
         [](TKavStringGrid& g, Modelo& m) {
             // The rows written in the second round are made where the removed ones were
             // kept, and start empty; each append clears its new row through the
             // descendant's ClearRect.
             auto& rejilla = static_cast<Rejilla&>(g);
             auto anadir = [&](bool Llenar) {
                 for (int i = 0; i < 3; ++i) {
                     rejilla.vaciados.clear();
                     g.AddRow();
                     m.InsertarFilas(m.Filas() - 1, 1);
                     const int d = g.GetRowCount() - 2, real = m.Filas() - 2;
                     ASSERT_EQ(rejilla.vaciados.size(), 1u);
                     EXPECT_EQ(rejilla.vaciados[0], TRect(0, d, m.Cols() - 1, d));
                     ASSERT_EQ(g.RemapRowInv(d), real);
                     // A full row the first time; the last cell alone the second, in a row
                     // as wide as a removed one.
                     for (int c = Llenar ? 0 : m.Cols() - 1; c < m.Cols(); ++c) {
                         m.celdas[real][c] = std::to_string(100 + 10 * i + c);
                         g.SetCellsEx(c, real, AnsiString(m.celdas[real][c]));
                     }
                 }
             };
             anadir(true);
             g.RemoveRows(g.GetRowCount() - 4, 3);
             for (int i = 0; i < 3; ++i)
                 m.QuitarFila(m.Filas() - 2);
             anadir(false);
         }},
        {"soltar un texto de otro programa sobre las filas de la oculta",
         [](TKavStringGrid& g, Modelo& m) {
             const int datos = m.DatosVisibles(), cols = m.ColsVisibles() - 1;
             if (datos < 1 || cols < 1) return;
             const int lineas = std::min(2, datos), campos = std::min(2, cols);
             const int d = std::min(2, datos - lineas + 1);
             std::vector<std::vector<std::string>> texto(lineas);
             for (int i = 0; i < lineas; ++i)
                 for (int j = 0; j < campos; ++j)
                     texto[i].push_back("s" + std::to_string(i) + std::to_string(j));
             SoltarDeFuera(g, 1, d, ComoTexto(texto, false));
             m.Pegar(1, d, texto, false);
         }},
        {"pegar con Ctrl+V mas lineas de las que quedan: crecen las filas delante del pie",
         [](TKavStringGrid& g, Modelo& m) {
             // The footer keeps its row and its sum, which takes in the new rows.
             const int datos = m.DatosVisibles(), c = m.colNumerica;
             if (datos < 1 || m.ColsVisibles() < 2 || c < 0) return;
             TFloatingFooter* pie = g.GetFloatingFooter();
             pie->SetColumnCalc(c, acSUM);
             const std::string suma = Texto(g.GetCellsEx(c, m.Filas() - 1));
             Clipboard()->SetAsText("g1\r\ng2\r\n3\r\n");
             g.GetNavigation()->SetAllowClipboardShortCuts(true);
             g.SetSelection({1, datos, 1, datos});
             SimulateKeyStroke('V', {ssCtrl}, &g);
             g.GetNavigation()->SetAllowClipboardShortCuts(false);
             m.InsertarFilas(m.FilaReal(datos + 1), 2);
             m.Pegar(1, datos, {{"g1"}, {"g2"}, {"3"}}, true);
             EXPECT_EQ(suma, m.SumaPie());
             EXPECT_EQ(Texto(g.GetCellsEx(c, m.Filas() - 1)), m.SumaPie());
             pie->SetColumnCalc(c, acNONE);
         }},
        {"soltar lineas que entran como filas nuevas tras la oculta (OleInsertRows)",
         [](TKavStringGrid& g, Modelo& m) {
             if (m.DatosVisibles() < 3 || m.ColsVisibles() < 2) return;
             g.GetDragDropSettings()->SetOleInsertRows(true);
             SoltarDeFuera(g, 1, 3, "n1\r\nn2");
             g.GetDragDropSettings()->SetOleInsertRows(false);
             m.InsertarFilas(m.FilaReal(3), 2);
             m.Pegar(1, 3, {{"n1"}, {"n2"}}, false);
         }},
        {"quitar las dos filas mostradas alrededor de la oculta",
         [](TKavStringGrid& g, Modelo& m) {
             m.QuitarVisibles(2, 2);
             g.RemoveRows(2, 2);
         }},
        {"quitar filas sin liberar sus propiedades",
         [](TKavStringGrid& g, Modelo& m) {
             m.QuitarVisibles(1, 2);
             g.RemoveRowsEx(1, 2);
         }},
        {"quitar una fila como el teclado",
         [](TKavStringGrid& g, Modelo& m) {
             m.QuitarFila(m.FilaReal(4));
             g.DoDeleteRow(4);
         }},
        {"mover una fila",
         [](TKavStringGrid& g, Modelo& m) {
             std::vector<int> orden(m.FilasVisibles());
             for (int i = 0; i < static_cast<int>(orden.size()); ++i)
                 orden[i] = i;
             orden.erase(orden.begin() + 1);
             orden.insert(orden.begin() + 4, 1);
             m.PermutarVisibles(orden, true);
             g.MoveRow(1, 4);
         }},
        {"intercambiar dos filas",
         [](TKavStringGrid& g, Modelo& m) {
             std::vector<int> orden(m.FilasVisibles());
             for (int i = 0; i < static_cast<int>(orden.size()); ++i)
                 orden[i] = i;
             const int ultima = m.FilasVisibles() - 2; // the last data row
             std::swap(orden[2], orden[ultima]);
             m.PermutarVisibles(orden, true);
             g.SwapRows(2, ultima);
         }},
        {"cortar las filas marcadas con Ctrl+X y pegarlas con Ctrl+V",
         [](TKavStringGrid& g, Modelo& m) {
             // With the rows selected one by one the clipboard takes the marked rows.
             const std::vector<int> marcadas = m.MarcadasVisibles();
             const int ultima = m.ColsVisibles() - 1;
             if (marcadas.empty() || ultima < 1) return;
             const auto bloque = m.Bloque(1, ultima, marcadas);
             g.GetNavigation()->SetAllowClipboardShortCuts(true);
             SimulateKeyStroke('X', {ssCtrl}, &g);
             EXPECT_EQ(Texto(Clipboard()->GetAsText()), ComoTexto(bloque, true));
             for (int d : marcadas)
                 for (int c = 1; c <= ultima; ++c)
                     m.Celda(c, d).clear();
             const int k = static_cast<int>(marcadas.size());
             const int d = std::max(1, std::min(2, m.DatosVisibles() - k + 1));
             g.SetSelection({1, d, 1, d});
             SimulateKeyStroke('V', {ssCtrl}, &g);
             g.GetNavigation()->SetAllowClipboardShortCuts(false);
             m.Pegar(1, d, bloque, true);
         }},
        {"cortar y pegar un bloque en el formato propio de la rejilla",
         [](TKavStringGrid& g, Modelo& m) {
             // A block of two shown columns (the hidden one between them) and two shown rows,
             // with the rows selected as a block for once.
             if (m.DatosVisibles() < 4 || m.ColsVisibles() < 3) return;
             TNavigation* nav = g.GetNavigation();
             g.GetMouseActions()->SetDisjunctRowSelect(false);
             nav->SetAllowFmtClipboard(true);
             nav->SetAllowClipboardShortCuts(true);
             const auto bloque = m.Bloque(1, 2, {1, 2});
             g.SetSelection({1, 1, 2, 2});
             SimulateKeyStroke('X', {ssCtrl}, &g);
             for (int d : {1, 2})
                 for (int c : {1, 2})
                     m.Celda(c, d).clear();
             g.SetSelection({1, 3, 1, 3});
             SimulateKeyStroke('V', {ssCtrl}, &g);
             m.Pegar(1, 3, bloque, true);
             g.GetMouseActions()->SetDisjunctRowSelect(true);
             nav->SetAllowFmtClipboard(false);
             nav->SetAllowClipboardShortCuts(false);
         }},
        {"copiar las filas marcadas en el formato propio de la rejilla y pegarlas",
         [](TKavStringGrid& g, Modelo& m) {
             const std::vector<int> marcadas = m.MarcadasVisibles();
             const int ultima = m.ColsVisibles() - 1;
             const int k = static_cast<int>(marcadas.size());
             if (marcadas.empty() || ultima < 1 || m.DatosVisibles() < k) return;
             TNavigation* nav = g.GetNavigation();
             nav->SetAllowFmtClipboard(true);
             nav->SetAllowClipboardShortCuts(true);
             const auto bloque = m.Bloque(1, ultima, marcadas);
             SimulateKeyStroke('C', {ssCtrl}, &g);
             const int d = m.DatosVisibles() - k + 1;
             g.SetSelection({1, d, 1, d});
             SimulateKeyStroke('V', {ssCtrl}, &g);
             m.Pegar(1, d, bloque, true);
             nav->SetAllowFmtClipboard(false);
             nav->SetAllowClipboardShortCuts(false);
         }},
        {"vaciar una fila mostrada tras la oculta",
         [](TKavStringGrid& g, Modelo& m) {
             for (auto& t : m.celdas[m.FilaReal(3)])
                 t.clear();
             g.ClearRows(3, 1);
         }},
        {"filtrar (una condicion en la columna oculta, otra mas alla de las columnas)",
         [](TKavStringGrid& g, Modelo& m) { Filtrar(g, m); }},
        {"rellenar con el asa una serie en la ultima columna mostrada",
         [](TKavStringGrid& g, Modelo& m) {
             const int datos = m.DatosVisibles(), c = m.ColsVisibles() - 1;
             if (datos < 3 || c < 1) return;
             for (int d = 1; d <= 2; ++d) {
                 m.Celda(c, d) = std::to_string(2 * d + 1);
                 g.SetCellsEx(m.ColReal(c), m.FilaReal(d), AnsiString(m.Celda(c, d)));
             }
             RellenarConElAsa(g, c, 1, 2, datos);
             for (int d = 1; d <= datos; ++d)
                 m.Celda(c, d) = std::to_string(2 * d + 1);
         }},
        {"ordenar por la columna de claves",
         [](TKavStringGrid& g, Modelo& m) {
             std::vector<int> datos; // the shown rows between the fixed row and the footer
             for (int d = 1; d <= m.DatosVisibles(); ++d)
                 datos.push_back(d);
             g.GetSortSettings()->SetColumn(3); // a real column
             g.QSort();
             TomarOrden(g, m, datos, 3);
         }},
        {"pegar de otro programa 1 y 2 en la primera columna: sigue la serie",
         [](TKavStringGrid& g, Modelo& m) {
             const int datos = m.DatosVisibles();
             if (datos < 2 || m.ColsVisibles() < 2) return;
             PegarDeFuera(g, "1\r\n2\r\n", {1, 1, 1, datos});
             for (int d = 1; d <= datos; ++d)
                 m.Celda(1, d) = std::to_string(d);
         }},
        {"pegar de otro programa un valor en todas las celdas de datos mostradas",
         [](TKavStringGrid& g, Modelo& m) {
             const int datos = m.DatosVisibles(), ultima = m.ColsVisibles() - 1;
             if (datos < 1 || ultima < 1) return;
             PegarDeFuera(g, "v", {1, 1, ultima, datos});
             for (int d = 1; d <= datos; ++d)
                 for (int c = 1; c <= ultima; ++c)
                     m.Celda(c, d) = "v";
         }},
        {"quitar el filtro: vuelven todas las filas",
         [](TKavStringGrid& g, Modelo& m) {
             Filtrar(g, m);
             g.SetFilterActive(false);
             m.filtrando = false;
             // The rows hidden by hand come back too; a contracted node's rows stay in it.
             for (int r = 0; r < m.Filas(); ++r) {
                 m.filaOculta[r] = m.porNodo[r] != 0;
                 if (m.porNodo[r]) m.porNodo[r] = 1;
             }
         }},
        {"vaciar la columna de claves",
         [](TKavStringGrid& g, Modelo& m) {
             for (int r : m.FilasReales())
                 m.celdas[r][3].clear();
             g.ClearCols(3, 1);
         }},
        {"ocultar las filas reales entre la primera y la segunda de datos mostradas",
         [](TKavStringGrid& g, Modelo& m) {
             const int a = m.FilaReal(1), b = m.FilaReal(2);
             for (int r = a; r <= b; ++r)
                 m.filaOculta[r] = true;
             g.HideRows(a, b);
         }},
        {"anadir un nodo y contraerlo (la fila oculta cae dentro)",
         [](TKavStringGrid& g, Modelo& m) {
             Contraer(g, m);
             EXPECT_TRUE(g.GetNodeState(1)); // by display row
             EXPECT_EQ(g.GetNodeLevel(1), 1);
         }},
        {"expandir el nodo (vuelven las filas que solo el nodo ocultaba) y quitarlo",
         [](TKavStringGrid& g, Modelo& m) {
             if (g.GetNodeCount() == 0) Contraer(g, m);
             const int fila = m.FilaReal(1);
             ASSERT_TRUE(g.IsNode(1));
             const int span = g.GetNodeSpan(1);
             g.ExpandNode(fila);
             EXPECT_FALSE(g.GetNodeState(1));
             // Rows hidden for another reason too stay hidden.
             for (int r = fila + 1; r < fila + span; ++r) {
                 if (m.porNodo[r] == 1) m.filaOculta[r] = false;
                 m.porNodo[r] = 0;
             }
             g.RemoveNode(fila);
             EXPECT_EQ(g.GetNodeCount(), 0);
         }},
        {"arrastrar las filas marcadas a otro sitio de la rejilla",
         [](TKavStringGrid& g, Modelo& m) { MoverArrastrando(g, m, false); }},
        {"arrastrar las filas marcadas a filas nuevas arriba (OleInsertRows)",
         [](TKavStringGrid& g, Modelo& m) { MoverArrastrando(g, m, true); }},
        {"agrupar por la columna de claves y desagrupar",
         [](TKavStringGrid& g, Modelo& m) {
             // Grouping shows every row, sorts the normal rows on the column, puts a header
             // before each run of one value (rows without a value, sorted first, stay in no
             // group) and takes the column out until UnGroup. With no filter on.
             ASSERT_FALSE(m.filtrando);
             m.filaOculta.assign(m.Filas(), false);
             m.porNodo.assign(m.Filas(), 0);
             const int primera = g.GetFixedRows();
             const int ultima = m.Filas() - 1 - g.GetFixedFooters();
             std::vector<std::string> valores;
             for (int r = primera; r <= ultima; ++r)
                 if (!m.celdas[r][3].empty()) valores.push_back(m.celdas[r][3]);
             std::sort(valores.begin(), valores.end());
             const int grupos =
                 static_cast<int>(std::unique(valores.begin(), valores.end()) - valores.begin());
             const int filas = m.Filas(), cols = m.Cols();
             g.Group(3);
             EXPECT_EQ(g.GetGroupColumn(), 3);
             EXPECT_EQ(g.TotalColCount(), cols - 1);
             EXPECT_EQ(g.TotalRowCount(), filas + grupos);
             EXPECT_EQ(g.GetNodeCount(), grupos);
             g.UnGroup();
             EXPECT_EQ(g.GetNodeCount(), 0);
             ASSERT_EQ(g.TotalRowCount(), filas);
             ASSERT_EQ(g.TotalColCount(), cols);
             std::vector<int> todas;
             for (int r = primera; r <= ultima; ++r)
                 todas.push_back(r);
             TomarOrden(g, m, todas, 3);
         }},
        {"ocultar la columna numerica",
         [](TKavStringGrid& g, Modelo& m) {
             m.colOculta[4] = true;
             g.HideColumn(4);
         }},
        {"rellenar con el asa el valor de la primera celda",
         [](TKavStringGrid& g, Modelo& m) {
             const int datos = m.DatosVisibles();
             if (datos < 2 || m.ColsVisibles() < 2) return;
             // An empty first cell fills the column with empty cells, as any value does.
             const std::string v = m.Celda(1, 1);
             RellenarConElAsa(g, 1, 1, 1, datos);
             for (int d = 1; d <= datos; ++d)
                 m.Celda(1, d) = v;
         }},
        {"insertar una columna delante de la oculta",
         [](TKavStringGrid& g, Modelo& m) {
             m.InsertarCol(2);
             g.InsertCols(2, 1);
         }},
        {"anadir una columna",
         [](TKavStringGrid& g, Modelo& m) {
             m.InsertarCol(m.Cols());
             g.AddColumn();
         }},
        {"quitar la columna tras la oculta",
         [](TKavStringGrid& g, Modelo& m) {
             m.QuitarCol(3);
             g.RemoveCols(3, 1);
         }},
        {"mover una columna por encima de la oculta",
         [](TKavStringGrid& g, Modelo& m) {
             m.MoverCol(m.ColReal(1), m.ColReal(2));
             g.MoveColumn(1, 2);
         }},
        {"intercambiar dos columnas mostradas",
         [](TKavStringGrid& g, Modelo& m) {
             const int a = m.ColReal(1), b = m.ColReal(3);
             for (auto& f : m.celdas)
                 std::swap(f[a], f[b]);
             std::swap(m.ancho[a], m.ancho[b]);
             if (m.colNumerica == a)
                 m.colNumerica = b;
             else if (m.colNumerica == b)
                 m.colNumerica = a;
             g.SwapColumns(a, b);
         }},
        {"soltar un texto mas ancho que la rejilla: crece una columna",
         [](TKavStringGrid& g, Modelo& m) {
             const int c = m.ColsVisibles() - 1;
             if (m.DatosVisibles() < 1 || c < 1) return;
             SoltarDeFuera(g, c, 1, "w0\tw1");
             m.InsertarCol(m.Cols());
             m.Pegar(c, 1, {{"w0", "w1"}}, false);
         }},
        {"quitar la columna oculta",
         [](TKavStringGrid& g, Modelo& m) {
             m.QuitarCol(2);
             g.RemoveCols(2, 1);
         }},
        {"juntar dos columnas (la segunda se va)",
         [](TKavStringGrid& g, Modelo& m) {
             const int a = m.ColReal(1), b = m.ColReal(2);
             for (int r = 1; r < m.Filas(); ++r) {
                 std::string t = m.celdas[r][a] + "+" + m.celdas[r][b];
                 const size_t i = t.find_first_not_of(' '), f = t.find_last_not_of(' ');
                 m.celdas[r][a] = i == std::string::npos ? "" : t.substr(i, f - i + 1);
             }
             m.QuitarCol(b);
             g.MergeCols(a, b, "+");
         }},
        // The hidden rows are emptied too: they come back empty.
        {"vaciar las celdas normales",
         [](TKavStringGrid& g, Modelo& m) {
             for (int r = 1; r < m.Filas() - 1; ++r)
                 for (int c = 1; c < m.Cols(); ++c)
                     m.celdas[r][c].clear();
             g.ClearNormalCells();
         }},
        {"quitar las filas marcadas",
         [](TKavStringGrid& g, Modelo& m) {
             for (int r = m.Filas() - 2; r >= 1; --r)
                 if (!m.filaOculta[r] && m.marcada[r]) m.QuitarFila(r);
             g.RemoveSelectedRows();
         }},
        {"ocultar las filas marcadas",
         [](TKavStringGrid& g, Modelo& m) {
             for (int r = 1; r < m.Filas() - 1; ++r)
                 if (m.marcada[r]) m.filaOculta[r] = true;
             g.HideSelectedRows();
         }},
        {"vaciar toda la rejilla",
         [](TKavStringGrid& g, Modelo& m) {
             for (auto& fila : m.celdas)
                 for (auto& t : fila)
                     t.clear();
             g.Clear();
         }},
        {"mostrar todas las filas",
         [](TKavStringGrid& g, Modelo& m) {
             m.filaOculta.assign(m.Filas(), false);
             g.UnHideRowsAll();
         }},
        {"mostrar todas las columnas",
         [](TKavStringGrid& g, Modelo& m) {
             m.colOculta.assign(m.Cols(), false);
             g.UnHideColumnsAll();
         }},
    };
    return ops;
}

// Each operation alone on a fresh grid.
class OperacionSola : public ModeloDeRejilla, public ::testing::WithParamInterface<size_t> {};

TEST_P(OperacionSola, ComoElModelo) {
    const Operacion& op = Operaciones()[GetParam()];
    op.hacer(*g, m);
    Comprobar(op.nombre);
}

INSTANTIATE_TEST_SUITE_P(Operaciones, OperacionSola,
                         ::testing::Range(size_t{0}, Operaciones().size()));

// All of them one after the other on one grid.
TEST_F(ModeloDeRejilla, TodasSeguidas) {
    for (const Operacion& op : Operaciones()) {
        op.hacer(*g, m);
        Comprobar(op.nombre);
        ASSERT_FALSE(HasFailure()) << op.nombre;
    }
}

} // namespace
