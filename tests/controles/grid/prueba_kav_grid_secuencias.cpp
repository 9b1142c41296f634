// Seeded random runs of changes of structure and edits against a plain model of rows and
// columns with identities: after every step each cell, mark, modified flag, header, width and
// height the grid shows is the model's, and every so often a saved copy read back into a new
// grid holds the model's cells. A failure names the seed and the step.

#include "controles/grid/editing/undo_redo.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

// The grid as the model sees it: real rows and real columns, each with its identity and
// what hangs on it. Row 0 is the header row and never moves.
struct Modelo {
    struct Fila {
        int id;
        bool oculta = false, marca = false, modificada = false;
        int alto;
    };
    struct Columna {
        int id;
        bool oculta = false, marca = false;
        int ancho;
    };
    std::vector<Fila> filas;
    std::vector<Columna> columnas;
    std::map<std::pair<int, int>, std::string> textos; // (row id, column id)
    std::map<std::pair<int, int>, TColor> colores;
    std::vector<int> orden; // the recorded column order, by identity (empty: none recorded)
    struct Cambio {
        int fila, columna;
        std::string antes, despues;
    };
    std::vector<Cambio> cambios; // the undo list (a new change goes after all), its position
    size_t posicion = 0;
    int siguiente = 0;

    std::vector<int> Mostradas() const { // real indexes of the shown rows
        std::vector<int> v;
        for (int r = 0; r < static_cast<int>(filas.size()); ++r)
            if (!filas[r].oculta) v.push_back(r);
        return v;
    }
    std::vector<int> MostradasCol() const {
        std::vector<int> v;
        for (int c = 0; c < static_cast<int>(columnas.size()); ++c)
            if (!columnas[c].oculta) v.push_back(c);
        return v;
    }
    std::string Texto(int fila, int col) const {
        const auto it = textos.find({fila, col});
        return it == textos.end() ? std::string() : it->second;
    }
    void PonerTexto(int fila, int col, const std::string& t) {
        if (t.empty())
            textos.erase({fila, col});
        else
            textos[{fila, col}] = t;
    }
    bool HayFila(int id) const {
        return std::any_of(filas.begin(), filas.end(), [id](const Fila& f) { return f.id == id; });
    }
    bool HayColumna(int id) const {
        return std::any_of(columnas.begin(), columnas.end(),
                           [id](const Columna& c) { return c.id == id; });
    }
    // The shown rows take the places of the shown rows in the order Desde gives (display
    // indexes); each takes the hidden rows that follow it along, and the hidden rows before
    // the first shown row stay first.
    void PermutarMostradas(const std::vector<int>& Desde) {
        const std::vector<int> sitios = Mostradas();
        std::vector<Fila> nuevas(filas.begin(),
                                 sitios.empty() ? filas.end() : filas.begin() + sitios[0]);
        for (size_t i = 0; i < sitios.size(); ++i) {
            const size_t d = static_cast<size_t>(Desde[i]);
            const int fin = d + 1 < sitios.size() ? sitios[d + 1] : static_cast<int>(filas.size());
            nuevas.insert(nuevas.end(), filas.begin() + sitios[d], filas.begin() + fin);
        }
        filas.swap(nuevas);
    }

    // Merged blocks by identity: their rows top to bottom (hidden ones included) and their
    // columns left to right, the first of each the base.
    struct Bloque {
        std::vector<int> filas, cols;
    };
    std::vector<Bloque> bloques;
    // The controls placed on cells, each on (row id, column id) or on none; one whose row or
    // column left the grid is let go (and must not stay drawn). Controls and blocks are kept
    // on cells apart.
    struct Control {
        int fila = -1, col = -1;
        bool suelto = false;
    };
    std::vector<Control> controles;

    int IndiceFila(int id) const {
        for (int r = 0; r < static_cast<int>(filas.size()); ++r)
            if (filas[r].id == id) return r;
        return -1;
    }
    int IndiceCol(int id) const {
        for (int c = 0; c < static_cast<int>(columnas.size()); ++c)
            if (columnas[c].id == id) return c;
        return -1;
    }
    // The display row of a row id, -1 when hidden or gone.
    int FilaMostrada(int id) const {
        const std::vector<int> v = Mostradas();
        const auto it = std::find(v.begin(), v.end(), IndiceFila(id));
        return it == v.end() ? -1 : static_cast<int>(it - v.begin());
    }
    const Bloque* BloqueDe(int fila, int col) const {
        for (const Bloque& b : bloques)
            if (std::find(b.filas.begin(), b.filas.end(), fila) != b.filas.end() &&
                std::find(b.cols.begin(), b.cols.end(), col) != b.cols.end())
                return &b;
        return nullptr;
    }
    bool ConControl(int fila, int col) const {
        return std::any_of(controles.begin(), controles.end(),
                           [&](const Control& c) { return c.fila == fila && c.col == col; });
    }
    // The block's rows now shown, top to bottom.
    std::vector<int> FilasVistas(const Bloque& b) const {
        std::vector<int> v;
        for (int id : b.filas)
            if (FilaMostrada(id) >= 0) v.push_back(id);
        return v;
    }
    // The cell a shown cell shows (row id, column id): its block's first shown row and first
    // column when the block shows merged, else itself.
    std::pair<int, int> Base(int fila, int col) const {
        const Bloque* b = BloqueDe(fila, col);
        if (!b) return {fila, col};
        const std::vector<int> vistas = FilasVistas(*b);
        if (vistas.size() < 2 && b->cols.size() < 2) return {fila, col};
        return {vistas.front(), b->cols.front()};
    }

    // After a step (rows and columns with ids from Nuevos on came in with it): a block keeps
    // its rows and columns still there, and stands while its base row and column stay, its
    // shown rows follow each other in its order and its columns stand side by side in its
    // order; rows or columns that came in between two of them join it. Else it is split.
    // A block left with one cell is no block.
    void AjustarBloques(int Nuevos) {
        std::vector<Bloque> quedan;
        const std::vector<int> mostradas = Mostradas();
        std::vector<int> displ(filas.size(), -1);
        for (size_t i = 0; i < mostradas.size(); ++i)
            displ[static_cast<size_t>(mostradas[i])] = static_cast<int>(i);
        for (Bloque b : bloques) {
            const int base = b.filas.front(), baseCol = b.cols.front();
            std::erase_if(b.filas, [&](int id) { return !HayFila(id); });
            std::erase_if(b.cols, [&](int id) { return !HayColumna(id); });
            if (b.filas.empty() || b.filas.front() != base || b.cols.empty() ||
                b.cols.front() != baseCol)
                continue;
            bool entero = true;
            std::vector<int> fs, cs;
            int antes = -1;
            for (int id : b.filas) {
                const int y = displ[static_cast<size_t>(IndiceFila(id))];
                if (y >= 0) {
                    if (antes >= 0) {
                        if (y <= antes) entero = false;
                        for (int e = antes + 1; entero && e < y; ++e) {
                            const int otra = filas[static_cast<size_t>(mostradas[e])].id;
                            if (otra >= Nuevos)
                                fs.push_back(otra);
                            else
                                entero = false;
                        }
                    }
                    antes = y;
                }
                fs.push_back(id);
            }
            int previa = -1;
            for (int id : b.cols) {
                const int c = IndiceCol(id);
                if (previa >= 0) {
                    if (c <= previa) entero = false;
                    for (int e = previa + 1; entero && e < c; ++e) {
                        if (columnas[e].id >= Nuevos)
                            cs.push_back(columnas[e].id);
                        else
                            entero = false;
                    }
                }
                previa = c;
                cs.push_back(id);
            }
            if (!entero || (fs.size() < 2 && cs.size() < 2)) continue;
            quedan.push_back({fs, cs});
        }
        bloques.swap(quedan);
        for (Control& c : controles)
            if (c.fila >= 0 && (!HayFila(c.fila) || !HayColumna(c.col))) c = {-1, -1, true};
    }
};

class Secuencias : public RejillaEnVentana<Rejilla, 700, 500> {
protected:
    static constexpr int kAlto = 20, kAncho = 60;

    void Preparar() {
        g->SetBounds(0, 0, 680, 480);
        g->SetFixedColsEx(0);
        g->SetDefaultColWidth(kAncho);
        g->SetDefaultRowHeight(kAlto);
        g->SetColCountEx(5);
        g->SetRowCountEx(8);
        g->SetOptions(g->GetOptions() << goEditing);
        g->GetMouseActions()->SetDisjunctRowSelect(true);
        g->GetMouseActions()->SetDisjunctColSelect(true);
        deshacer.Reset();
        deshacer.SetMaxLevel(100000);
        g->SetUndoRedo(&deshacer);
        for (int r = 0; r < 8; ++r)
            m.filas.push_back({m.siguiente++, false, false, false, kAlto});
        for (int c = 0; c < 5; ++c)
            m.columnas.push_back({m.siguiente++, false, false, kAncho});
        TStringList cabeceras;
        for (int c = 0; c < 5; ++c) {
            const std::string t = "H" + std::to_string(c);
            cabeceras.Add(t.c_str());
            m.PonerTexto(m.filas[0].id, m.columnas[c].id, t);
        }
        g->SetColumnHeaders(&cabeceras);
        for (int r = 1; r < 8; ++r)
            for (int c = 0; c < 5; ++c) {
                const std::string t = TextoAlAzar();
                g->SetCells(c, r, t.c_str());
                m.PonerTexto(m.filas[r].id, m.columnas[c].id, t);
            }
    }
    void TearDown() override {
        if (g) g->SetUndoRedo(nullptr);
        RejillaEnVentana::TearDown();
    }

    int Azar(int desde, int hasta) { // inclusive
        return std::uniform_int_distribution<int>(desde, hasta)(azar);
    }
    // Few distinct texts of one shape: sorts meet equal keys, and no comparison style
    // orders them otherwise than by their characters (none reads as a number; an edit adds
    // a letter).
    std::string TextoAlAzar() {
        return std::string(1, static_cast<char>('a' + Azar(0, 3))) + std::to_string(Azar(0, 9));
    }
    int FilasMostradas() const { return g->GetRowCount(); }
    int FilaNormal() { return Azar(1, g->GetRowCount() - 1); }
    int FilaRealNormal() { return Azar(1, static_cast<int>(m.filas.size()) - 1); }
    int ColumnaReal() { return Azar(0, static_cast<int>(m.columnas.size()) - 1); }
    int ColumnaMostrada() { return Azar(0, g->GetColCount() - 1); }

    // Every shown cell (each real column, hidden ones included, of each shown row), every
    // mark, flag, width and height; empty when the grid is the model.
    std::string Diferencias() {
        std::string d;
        const std::vector<int> filas = m.Mostradas(), cols = m.MostradasCol();
        if (g->GetRowCount() != static_cast<int>(filas.size()))
            return "rows " + std::to_string(g->GetRowCount()) + " != " +
                   std::to_string(filas.size());
        if (g->TotalColCount() != static_cast<int>(m.columnas.size()) ||
            g->GetColCount() != static_cast<int>(cols.size()))
            return "columns " + std::to_string(g->GetColCount()) + "/" +
                   std::to_string(g->TotalColCount());
        for (int d0 = 0; d0 < static_cast<int>(filas.size()); ++d0) {
            const Modelo::Fila& f = m.filas[filas[d0]];
            for (int c = 0; c < static_cast<int>(m.columnas.size()); ++c) {
                const int col = m.columnas[c].id;
                const std::string es = g->GetCells(c, d0).str(), debe = m.Texto(f.id, col);
                if (es != debe)
                    d += " cell(" + std::to_string(c) + "," + std::to_string(d0) + ")='" + es +
                         "' not '" + debe + "'";
                const auto color = m.colores.find({f.id, col});
                const TColor colorDebe = color == m.colores.end() ? clNone : color->second;
                if (g->GetColors(c, d0) != colorDebe)
                    d += " colour(" + std::to_string(c) + "," + std::to_string(d0) + ")=" +
                         std::to_string(g->GetColors(c, d0)) + " not " + std::to_string(colorDebe);
            }
            if (d0 > 0 && g->GetRowSelect(d0) != f.marca)
                d += " rowmark(" + std::to_string(d0) + ")";
            if (d0 > 0 && g->GetRowModified(d0) != f.modificada)
                d += " modified(" + std::to_string(d0) + ")";
            if (g->GetRowHeights(d0) != f.alto)
                d += " height(" + std::to_string(d0) + ")=" + std::to_string(g->GetRowHeights(d0)) +
                     " not " + std::to_string(f.alto);
        }
        // The hidden rows, at their real places, with their cells.
        for (int r = 0; r < static_cast<int>(m.filas.size()); ++r) {
            if (g->IsHiddenRow(r) != m.filas[r].oculta) {
                d += " hidden(" + std::to_string(r) + ")";
                continue;
            }
            if (!m.filas[r].oculta) continue;
            const TStrings* celdas = g->HiddenRow(r);
            for (int c = 0; c < static_cast<int>(m.columnas.size()); ++c) {
                const std::string es = celdas && c < celdas->GetCount() ? celdas->GetStrings(c).str() : "";
                if (es != m.Texto(m.filas[r].id, m.columnas[c].id))
                    d += " hiddencell(" + std::to_string(c) + "," + std::to_string(r) + ")='" + es +
                         "'";
            }
        }
        for (int d0 = 0; d0 < static_cast<int>(cols.size()); ++d0) {
            const Modelo::Columna& c = m.columnas[cols[d0]];
            if (g->GetColSelect(d0) != c.marca) d += " colmark(" + std::to_string(d0) + ")";
            if (g->GetColWidths(d0) != c.ancho) d += " width(" + std::to_string(d0) + ")";
        }
        for (int c = 0; c < static_cast<int>(m.columnas.size()); ++c) {
            const TStrings* h = g->GetColumnHeaders();
            const std::string es = c < h->GetCount() ? h->GetStrings(c).str() : "";
            if (es != m.Texto(m.filas[0].id, m.columnas[c].id))
                d += " header(" + std::to_string(c) + ")='" + es + "'";
        }
        return d;
    }

    // A save read back into a new grid holds the shown cells (the header row is not saved).
    std::string DiferenciasGuardado() {
        const AnsiString fichero = carpeta.Ruta() + "secuencia.bin";
        g->SaveToBinFile(fichero);
        Rejilla* otra = new Rejilla(ventana.get());
        otra->LoadFromBinFile(fichero);
        std::string d;
        const std::vector<int> filas = m.Mostradas();
        if (otra->GetRowCount() != static_cast<int>(filas.size()) ||
            otra->GetColCount() < g->GetColCount())
            d = "saved size " + std::to_string(otra->GetColCount()) + "x" +
                std::to_string(otra->GetRowCount());
        else
            for (int r = 1; r < static_cast<int>(filas.size()); ++r)
                for (int c = 0; c < g->GetColCount(); ++c) {
                    const int col = m.columnas[m.MostradasCol()[c]].id;
                    if (otra->GetCells(c, r).str() != m.Texto(m.filas[filas[r]].id, col))
                        d += " saved(" + std::to_string(c) + "," + std::to_string(r) + ")='" +
                             otra->GetCells(c, r).str() + "'";
                }
        delete otra;
        return d;
    }

    // Every shown cell, each real column: whether it is merged, its block's base cell (by
    // identities) and the text it shows, which is the base cell's.
    std::string DiferenciasBloques() {
        std::string d;
        const std::vector<int> filas = m.Mostradas();
        for (int d0 = 0; d0 < static_cast<int>(filas.size()); ++d0)
            for (int c = 0; c < static_cast<int>(m.columnas.size()); ++c) {
                const int fila = m.filas[filas[d0]].id, col = m.columnas[c].id;
                const auto base = m.Base(fila, col);
                const bool unida = base != std::make_pair(fila, col) ||
                                   (m.BloqueDe(fila, col) &&
                                    (m.FilasVistas(*m.BloqueDe(fila, col)).size() > 1 ||
                                     m.BloqueDe(fila, col)->cols.size() > 1));
                const std::string celda = Args(c, d0);
                if (g->IsMergedCell(c, d0) != unida) d += " merged" + celda;
                const TPoint b = g->BaseCell(c, d0);
                const bool dentro = b.x >= 0 && b.x < static_cast<int>(m.columnas.size()) &&
                                    b.y >= 0 && b.y < static_cast<int>(filas.size());
                if (!dentro || m.filas[filas[b.y]].id != base.first ||
                    m.columnas[b.x].id != base.second)
                    d += " base" + celda + "=" + Args(b.x, b.y);
                const std::string es = g->GetCellEx(c, d0).str(),
                                  debe = m.Texto(base.first, base.second);
                if (es != debe) d += " shows" + celda + "='" + es + "' not '" + debe + "'";
            }
        return d;
    }

    // Each control placed on a cell is drawn over that cell wherever it went (or hidden
    // with its row or column); one let go by the grid is hidden.
    std::string DiferenciasControles() {
        std::string d;
        const TRect cliente = g->GetClientRect();
        for (size_t k = 0; k < m.controles.size(); ++k) {
            const Modelo::Control& c = m.controles[k];
            TControlPrueba* w = controles[k];
            const std::string n = " control" + std::to_string(k);
            if (c.suelto && w->GetVisible()) d += n + " let go but shown";
            if (c.fila < 0) continue;
            const int r = m.IndiceFila(c.fila), x = m.IndiceCol(c.col);
            if (m.filas[r].oculta || m.columnas[x].oculta) {
                if (w->GetVisible()) d += n + " shown on a hidden cell";
                continue;
            }
            const int dr = m.FilaMostrada(c.fila);
            const std::vector<int> cols = m.MostradasCol();
            const int dc = static_cast<int>(std::find(cols.begin(), cols.end(), x) - cols.begin());
            if (g->GetCellControls(x, dr) != w) d += n + " not the cell's" + Args(x, dr);
            const TRect celda = g->CellRect(dc, dr);
            // Placed, the control is sized to the cell or one pixel less.
            const auto ajusta = [](int es, int debe) { return es == debe || es == debe - 1; };
            if (w->GetVisible()) {
                if (w->GetLeft() != celda.Left || w->GetTop() != celda.Top ||
                    !ajusta(w->GetWidth(), celda.Width()) || !ajusta(w->GetHeight(), celda.Height()))
                    d += n + " at " + Args(w->GetLeft(), w->GetTop()) + " not over cell" +
                         Args(dc, dr) + " at " + Args(celda.Left, celda.Top);
            } else if (celda.Right > celda.Left && celda.Left >= cliente.Left &&
                       celda.Right <= cliente.Right && celda.Top >= cliente.Top &&
                       celda.Bottom <= cliente.Bottom) {
                d += n + " hidden over its shown cell" + Args(dc, dr);
            }
        }
        return d;
    }

    // The model's blocks, for a failure's message: each as its columns and rows now.
    std::string Bloques() const {
        std::string t;
        for (const Modelo::Bloque& b : m.bloques) {
            t += " [";
            for (int c : b.cols)
                t += std::to_string(m.IndiceCol(c)) + (m.columnas[m.IndiceCol(c)].oculta ? "h " : " ");
            t += "x";
            for (int f : b.filas)
                t += " " + (m.FilaMostrada(f) >= 0 ? std::to_string(m.FilaMostrada(f))
                                                   : "h" + std::to_string(m.IndiceFila(f)));
            t += "]";
        }
        return t;
    }

    // A shown cell to edit, the cell the edit writes (a merged cell edits the cell its block
    // shows), by identities, what that cell holds and a letter to type.
    struct Edicion {
        int c, d, fila, col;
        std::string antes, t;
    };
    Edicion AEditar() {
        const int c = ColumnaMostrada(), d = FilaNormal();
        const auto [fila, col] =
            m.Base(m.filas[m.Mostradas()[d]].id, m.columnas[m.MostradasCol()[c]].id);
        return {c, d, fila, col, m.Texto(fila, col), std::string(1, static_cast<char>('a' + Azar(0, 3)))};
    }

    // Opens the text editor on a shown cell and types a text after what it holds.
    void Teclear(int col, int fila, const std::string& t) {
        g->SetCol(col);
        g->SetRow(fila);
        g->SelectBaseCell(); // where a click or the arrows land on a merged cell
        g->SetFocus();
        SimulateKeyStroke(VK_F2, {}, g);
        ASSERT_TRUE(g->GetEditorMode());
        SimulateKeyStroke(VK_END, {}, g->GetInplaceEditor());
        SimulateTyping(t.c_str(), g->GetInplaceEditor());
    }
    // The same, the edit ended with Return.
    void Editar(int col, int fila, const std::string& t) {
        Teclear(col, fila, t);
        SimulateKeyStroke(VK_RETURN, {}, g->GetInplaceEditor());
    }

    // The model's side of an undo or a redo: a change whose row or column left the grid is
    // dropped from the list and the next one taken.
    void DeshacerEnModelo(bool Rehacer) {
        while (Rehacer ? m.posicion < m.cambios.size() : m.posicion > 0) {
            if (!Rehacer) --m.posicion;
            const Modelo::Cambio c = m.cambios[m.posicion];
            if (!m.HayFila(c.fila) || !m.HayColumna(c.columna)) {
                m.cambios.erase(m.cambios.begin() + static_cast<long>(m.posicion));
                continue;
            }
            if (Rehacer) ++m.posicion;
            m.PonerTexto(c.fila, c.columna, Rehacer ? c.despues : c.antes);
            return;
        }
    }

    void Correr(unsigned Semilla, int Pasos);
    static std::string Args(int a, int b) {
        return "(" + std::to_string(a) + "," + std::to_string(b) + ")";
    }
    std::string arg; // the arguments of the step running

    Modelo m;
    std::vector<TControlPrueba*> controles; // owned by the window
    std::mt19937 azar;
    TKavGridUndoRedo deshacer{nullptr};
    CarpetaTemporal carpeta;
};

void Secuencias::Correr(unsigned Semilla, int Pasos) {
    azar.seed(Semilla);
    Preparar();
    controles.clear();
    for (int k = 0; k < 3; ++k) {
        controles.push_back(new TControlPrueba(ventana.get()));
        controles.back()->SetVisible(false);
        m.controles.emplace_back();
    }
    TSortSettings* orden = g->GetSortSettings();
    struct Paso {
        const char* nombre;
        std::function<bool()> puede;
        std::function<void()> hacer;
    };
    const auto siempre = [] { return true; };
    const std::vector<Paso> pasos = {
        {"InsertRows", [&] { return FilasMostradas() < 14; },
         [&] {
             const int d = FilaNormal(), n = Azar(1, 2);
             const int real = m.Mostradas()[d];
             g->InsertRows(d, n);
             arg = Args(d, n);
             for (int i = 0; i < n; ++i)
                 m.filas.insert(m.filas.begin() + real,
                                {m.siguiente++, false, false, false, g->GetDefaultRowHeight()});
         }},
        {"RemoveRows", [&] { return FilasMostradas() > 4; },
         [&] {
             const int d = FilaNormal(), n = std::min(Azar(1, 2), FilasMostradas() - d);
             const std::vector<int> sitios = m.Mostradas();
             g->RemoveRows(d, n);
             arg = Args(d, n);
             for (int i = n - 1; i >= 0; --i) // the hidden rows among them stay
                 m.filas.erase(m.filas.begin() + sitios[d + i]);
         }},
        {"MoveRow", siempre,
         [&] {
             const int a = FilaNormal(), b = FilaNormal();
             g->MoveRow(a, b);
             arg = Args(a, b);
             std::vector<int> desde(FilasMostradas());
             for (int i = 0; i < FilasMostradas(); ++i)
                 desde[i] = i;
             desde.erase(desde.begin() + a);
             desde.insert(desde.begin() + b, a);
             m.PermutarMostradas(desde);
         }},
        {"SwapRows", siempre,
         [&] {
             const int a = FilaNormal(), b = FilaNormal();
             g->SwapRows(a, b);
             arg = Args(a, b);
             std::vector<int> desde(FilasMostradas());
             for (int i = 0; i < FilasMostradas(); ++i)
                 desde[i] = i;
             std::swap(desde[a], desde[b]);
             m.PermutarMostradas(desde);
         }},
        {"QSort", siempre,
         [&] {
             const int c = ColumnaReal();
             const bool mover = Azar(0, 1) == 1;
             g->GetNavigation()->SetMoveRowOnSort(mover);
             orden->SetColumn(c);
             orden->SetDirection(Azar(0, 1) ? sdAscending : sdDescending);
             const bool sube = orden->GetDirection() == sdAscending;
             g->QSort();
             arg = Args(c, mover);
             const std::vector<int> sitios = m.Mostradas();
             std::vector<int> desde(sitios.size());
             for (size_t i = 0; i < desde.size(); ++i)
                 desde[i] = static_cast<int>(i);
             // Equal keys are told apart by the following columns, hidden ones included.
             const auto clave = [&](int x) {
                 std::vector<std::string> k;
                 for (size_t i = c; i < m.columnas.size(); ++i)
                     k.push_back(m.Texto(m.filas[sitios[x]].id, m.columnas[i].id));
                 return k;
             };
             std::stable_sort(desde.begin() + 1, desde.end(), [&](int x, int y) {
                 return sube ? clave(x) < clave(y) : clave(y) < clave(x);
             });
             std::vector<bool> marcas;
             for (int s : sitios)
                 marcas.push_back(m.filas[s].marca);
             m.PermutarMostradas(desde);
             if (!mover) { // the marks stay at their places (display rows)
                 const std::vector<int> ahora = m.Mostradas();
                 for (size_t i = 0; i < ahora.size(); ++i)
                     m.filas[ahora[i]].marca = marcas[i];
             }
         }},
        {"HideRow", [&] { return FilasMostradas() > 4; },
         [&] {
             const int d = FilaNormal();
             const int real = m.Mostradas()[d];
             g->HideRow(real);
             arg = Args(real, d);
             m.filas[real].oculta = true;
             m.filas[real].marca = false; // the marks are kept by display row
         }},
        {"UnHideRow", [&] { return FilasMostradas() < static_cast<int>(m.filas.size()); },
         [&] {
             const int real = FilaRealNormal();
             g->UnHideRow(real);
             arg = Args(real, 0);
             m.filas[real].oculta = false;
         }},
        {"InsertCols", [&] { return m.columnas.size() < 8; },
         [&] {
             const int c = Azar(0, static_cast<int>(m.columnas.size()));
             const int n = Azar(1, 2);
             g->InsertCols(c, n);
             arg = Args(c, n);
             for (int i = 0; i < n; ++i) {
                 const int id = m.siguiente++;
                 if (!m.orden.empty()) {
                     const auto izq = c + i == 0 ? m.orden.begin()
                                                 : std::find(m.orden.begin(), m.orden.end(),
                                                             m.columnas[c + i - 1].id) +
                                                       1;
                     m.orden.insert(izq, id);
                 }
                 m.columnas.insert(m.columnas.begin() + c + i,
                                   {id, false, false, g->GetDefaultColWidth()});
             }
         }},
        {"RemoveCols", [&] { return m.MostradasCol().size() > 2 && m.columnas.size() > 3; },
         [&] {
             const int c = ColumnaReal();
             if (m.columnas[c].oculta) return;
             g->RemoveCols(c, 1);
             arg = Args(c, 1);
             const int id = m.columnas[c].id;
             m.orden.erase(std::remove(m.orden.begin(), m.orden.end(), id), m.orden.end());
             m.columnas.erase(m.columnas.begin() + c);
         }},
        {"MoveColumn", siempre,
         [&] {
             const int a = ColumnaMostrada(), b = ColumnaMostrada();
             if (m.orden.empty())
                 for (const Modelo::Columna& c : m.columnas)
                     m.orden.push_back(c.id);
             g->MoveColumn(a, b);
             arg = Args(a, b);
             const std::vector<int> mostradas = m.MostradasCol();
             const int desde = mostradas[a], hasta = mostradas[b];
             const Modelo::Columna c = m.columnas[desde];
             m.columnas.erase(m.columnas.begin() + desde);
             m.columnas.insert(m.columnas.begin() + hasta, c);
         }},
        {"SwapColumns", siempre,
         [&] {
             const int a = ColumnaReal(), b = ColumnaReal();
             g->SwapColumns(a, b);
             arg = Args(a, b);
             std::swap(m.columnas[a], m.columnas[b]);
         }},
        {"HideColumn", [&] { return m.MostradasCol().size() > 2; },
         [&] {
             const int c = ColumnaReal();
             g->HideColumn(c);
             arg = Args(c, 0);
             m.columnas[c].oculta = true;
         }},
        {"UnHideColumn", siempre,
         [&] {
             const int c = ColumnaReal();
             g->UnHideColumn(c);
             arg = Args(c, 0);
             m.columnas[c].oculta = false;
         }},
        {"SetCells", siempre,
         [&] {
             const int c = ColumnaReal(), d = FilaNormal();
             const std::string t = TextoAlAzar();
             g->SetCells(c, d, t.c_str());
             arg = Args(c, d);
             m.PonerTexto(m.filas[m.Mostradas()[d]].id, m.columnas[c].id, t);
         }},
        {"editor", siempre,
         [&] {
             const auto [c, d, fila, col, antes, t] = AEditar();
             Editar(c, d, t);
             arg = Args(c, d);
             m.PonerTexto(fila, col, antes + t);
             // (with no fixed column to show it, an edit leaves the modified mark alone)
             m.cambios.push_back({fila, col, antes, antes + t});
             m.posicion = m.cambios.size();
         }},
        {"open editor", siempre,
         [&] {
             // The program changes rows or columns while the editor is open: what was typed
             // is in the editor's own cell wherever it went, never in another; with the
             // cell's row or column removed it is gone with them.
             const auto [c, d, fila, col, antes, t] = AEditar();
             Teclear(c, d, t);
             m.PonerTexto(fila, col, antes + t); // the editor writes into its cell as it types
             static const char* const durante[] = {
                 "InsertRows", "RemoveRows",   "MoveRow",     "SwapRows",   "QSort",
                 "HideRow",    "UnHideRow",    "InsertCols",  "RemoveCols", "MoveColumn",
                 "SwapColumns", "HideColumn",  "UnHideColumn", "ResetColumnOrder"};
             const std::string cambio = durante[Azar(0, static_cast<int>(std::size(durante)) - 1)];
             for (const Paso& q : pasos)
                 if (q.nombre == cambio && q.puede()) q.hacer();
             arg = Args(c, d) + " " + cambio + arg;
             if (g->GetEditorMode()) SimulateKeyStroke(VK_RETURN, {}, g->GetInplaceEditor());
             // An edit whose row went into hiding has no shown cell to validate: the text
             // stays in the hidden cell, and no change is recorded.
             const bool oculta = std::any_of(m.filas.begin(), m.filas.end(),
                                             [&](const Modelo::Fila& f) { return f.id == fila && f.oculta; });
             if (oculta) return;
             m.cambios.push_back({fila, col, antes, antes + t});
             m.posicion = m.cambios.size();
         }},
        {"Undo", siempre,
         [&] {
             deshacer.Undo();
             DeshacerEnModelo(false);
         }},
        {"Redo", siempre,
         [&] {
             deshacer.Redo();
             DeshacerEnModelo(true);
         }},
        {"SetRowSelect", siempre,
         [&] {
             const int d = FilaNormal();
             const bool v = Azar(0, 1) == 1;
             g->SetRowSelect(d, v);
             m.filas[m.Mostradas()[d]].marca = v;
         }},
        {"SetColSelect", siempre,
         [&] {
             const int c = ColumnaMostrada();
             const bool v = Azar(0, 1) == 1;
             g->SetColSelect(c, v);
             m.columnas[m.MostradasCol()[c]].marca = v;
         }},
        {"SetRowModified", siempre,
         [&] {
             const int d = FilaNormal();
             const bool v = Azar(0, 1) == 1;
             g->SetRowModified(d, v);
             m.filas[m.Mostradas()[d]].modificada = v;
         }},
        {"SetRowHeights", siempre,
         [&] {
             const int d = FilaNormal(), h = Azar(15, 40);
             g->SetRowHeights(d, h);
             arg = Args(d, h);
             m.filas[m.Mostradas()[d]].alto = h;
         }},
        {"SetColWidths", siempre,
         [&] {
             const int c = ColumnaMostrada(), w = Azar(30, 90);
             g->SetColWidths(c, w);
             m.columnas[m.MostradasCol()[c]].ancho = w;
         }},
        {"header", siempre,
         [&] {
             const int c = ColumnaReal();
             const std::string t = "H" + TextoAlAzar();
             g->GetColumnHeaders()->SetStrings(c, t.c_str());
             m.PonerTexto(m.filas[0].id, m.columnas[c].id, t);
         }},
        {"SetColors", siempre,
         [&] {
             const int c = ColumnaReal(), d = FilaNormal();
             const TColor color = Azar(0, 1) ? clRed : clYellow;
             g->SetColors(c, d, color);
             arg = Args(c, d);
             m.colores[{m.filas[m.Mostradas()[d]].id, m.columnas[c].id}] = color;
         }},
        {"SetColumnOrder", siempre,
         [&] {
             g->SetColumnOrder();
             m.orden.clear();
             for (const Modelo::Columna& c : m.columnas)
                 m.orden.push_back(c.id);
         }},
        {"ResetColumnOrder", siempre,
         [&] {
             g->ResetColumnOrder();
             if (m.orden.empty()) return;
             std::vector<Modelo::Columna> nuevas;
             for (int id : m.orden)
                 nuevas.push_back(*std::find_if(m.columnas.begin(), m.columnas.end(),
                                                [id](const Modelo::Columna& c) { return c.id == id; }));
             m.columnas.swap(nuevas);
         }},
        {"MergeCells", siempre,
         [&] {
             const int c = ColumnaReal(), d = FilaNormal();
             const int sx = Azar(1, std::min(3, static_cast<int>(m.columnas.size()) - c));
             const int sy = Azar(1, std::min(3, FilasMostradas() - d));
             if (sx * sy < 2) return;
             const std::vector<int> filas = m.Mostradas();
             Modelo::Bloque b;
             for (int y = d; y < d + sy; ++y)
                 b.filas.push_back(m.filas[filas[y]].id);
             for (int x = c; x < c + sx; ++x)
                 b.cols.push_back(m.columnas[x].id);
             for (int f : b.filas) // over no cell of another block nor a control's
                 for (int x : b.cols)
                     if (m.BloqueDe(f, x) || m.ConControl(f, x)) return;
             g->MergeCells(c, d, sx, sy);
             arg = Args(c, d) + Args(sx, sy);
             m.bloques.push_back(b);
         }},
        {"SplitCells", siempre,
         [&] {
             const int c = ColumnaReal(), d = FilaNormal();
             const int fila = m.filas[m.Mostradas()[d]].id, col = m.columnas[c].id;
             const Modelo::Bloque* b = m.BloqueDe(fila, col);
             if (!b || (m.FilasVistas(*b).size() < 2 && b->cols.size() < 2)) return;
             g->SplitCells(c, d);
             arg = Args(c, d);
             m.bloques.erase(m.bloques.begin() + (b - m.bloques.data()));
         }},
        {"MergeColumnCells", siempre,
         [&] {
             // A run of equal texts first; the column holds no block.
             const int c = ColumnaReal(), col = m.columnas[c].id;
             for (const Modelo::Bloque& b : m.bloques)
                 if (std::find(b.cols.begin(), b.cols.end(), col) != b.cols.end()) return;
             for (const Modelo::Control& o : m.controles)
                 if (o.col == col) return;
             const std::vector<int> filas = m.Mostradas();
             const int d = FilaNormal(), n = std::min(Azar(2, 3), FilasMostradas() - d);
             const std::string t = m.Texto(m.filas[filas[d]].id, col);
             for (int y = d + 1; y < d + n; ++y) {
                 g->SetCells(c, y, t.c_str());
                 m.PonerTexto(m.filas[filas[y]].id, col, t);
             }
             g->MergeColumnCells(c, true);
             arg = Args(c, d);
             for (size_t y = 1; y < filas.size();) {
                 size_t fin = y + 1;
                 const std::string ty = m.Texto(m.filas[filas[y]].id, col);
                 while (fin < filas.size() && m.Texto(m.filas[filas[fin]].id, col) == ty)
                     ++fin;
                 if (fin - y >= 2) {
                     Modelo::Bloque b{{}, {col}};
                     for (size_t e = y; e < fin; ++e)
                         b.filas.push_back(m.filas[filas[e]].id);
                     m.bloques.push_back(b);
                 }
                 y = fin;
             }
         }},
        {"SetCellControls", siempre,
         [&] {
             const int k = Azar(0, static_cast<int>(controles.size()) - 1);
             if (m.controles[k].fila >= 0) return;
             const int c = ColumnaReal(), d = FilaNormal();
             const int fila = m.filas[m.Mostradas()[d]].id, col = m.columnas[c].id;
             if (m.ConControl(fila, col) || m.BloqueDe(fila, col)) return;
             controles[k]->SetVisible(true);
             g->SetCellControls(c, d, controles[k]);
             arg = Args(c, d);
             m.controles[k] = {fila, col, false};
         }},
        {"SetCellControls nil", siempre,
         [&] {
             const int k = Azar(0, static_cast<int>(controles.size()) - 1);
             const Modelo::Control c = m.controles[k];
             if (c.fila < 0 || m.FilaMostrada(c.fila) < 0) return;
             const int x = m.IndiceCol(c.col), d = m.FilaMostrada(c.fila);
             g->SetCellControls(x, d, nullptr);
             controles[k]->SetVisible(false);
             arg = Args(x, d);
             m.controles[k] = {};
         }},
    };

    std::string ultimos;
    for (int paso = 0; paso < Pasos; ++paso) {
        const Paso* p = nullptr;
        while (!p) {
            const Paso& q = pasos[Azar(0, static_cast<int>(pasos.size()) - 1)];
            if (q.puede()) p = &q;
        }
        arg.clear();
        std::string d;
        const int nuevos = m.siguiente;
        try {
            p->hacer();
        } catch (const std::exception& e) {
            d = std::string(" raised: ") + e.what();
        }
        m.AjustarBloques(nuevos);
        ultimos = (ultimos + " " + p->nombre + arg).substr(ultimos.size() > 400 ? 100 : 0);
        if (d.empty()) d = Diferencias();
        if (d.empty()) d = DiferenciasBloques();
        if (d.empty()) d = DiferenciasControles();
        if (d.empty() && paso % 25 == 0) d = DiferenciasGuardado();
        ASSERT_TRUE(d.empty()) << "seed " << Semilla << " step " << paso << " (" << p->nombre
                               << "):" << d << "\n  last steps:" << ultimos
                               << "\n  blocks (real column, display row):" << Bloques();
    }
}

TEST_F(Secuencias, FilasYColumnasConElModelo) {
    for (unsigned semilla : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(semilla);
        Correr(semilla, 1500);
        if (HasFatalFailure()) return;
        TearDown();
        m = Modelo();
        SetUp();
    }
}

} // namespace
