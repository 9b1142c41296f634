// A seeded random run of hiding, node, filter and grouping operations on the advanced grid,
// against a plain model that keeps, for each real row, its name, the reasons it is hidden
// for by hand or by the filter, and its node (span, state). The model derives the rest: a
// row inside a contracted node's run is hidden for the node, a row's level is the number of
// runs that cover it. After each step the grid's real rows, their reasons, the shown rows,
// the node spans, states and levels equal the model's.

#include "controles/grid/cell_graphic.h"
#include "controles/grid/cell_properties.h"
#include "controles/grid/kav_grid.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

struct Fila {
    std::string nombre;
    std::string valor; // column 2, the one the filter tests
    std::string clave; // column 3, the one sorts and groups use
    uint8_t razones = 0; // by hand and by the filter
    bool nodo = false;
    int span = 0;
    bool contraido = false;
};

// Real row 0 is the fixed row; the others are normal rows (no footer).
struct Modelo {
    std::vector<Fila> filas;
    bool filtrando = false;
    int nuevas = 0;

    int Ultima() const { return static_cast<int>(filas.size()) - 1; }
    int Fin(int r) const { return std::min(r + filas[r].span - 1, Ultima()); }
    bool EnNodoContraido(int r) const {
        for (int n = 1; n < r; ++n)
            if (filas[n].nodo && filas[n].contraido && Fin(n) >= r) return true;
        return false;
    }
    uint8_t Razones(int r) const {
        return filas[r].razones | (EnNodoContraido(r) ? hrNode : 0);
    }
    int Nivel(int r) const {
        int n = 0;
        for (int i = 1; i <= r; ++i)
            if (filas[i].nodo && Fin(i) >= r) ++n;
        return n;
    }
    int Nodos() const {
        return static_cast<int>(
            std::count_if(filas.begin(), filas.end(), [](const Fila& f) { return f.nodo; }));
    }
    int Padre(int r) const {
        if (Nodos() == 0) return -1;
        const int ref = filas[r].nodo ? Nivel(r) : 65535;
        for (int i = r; i >= 1; --i)
            if (filas[i].nodo && Nivel(i) < ref && Fin(i) >= r) return i;
        return filas[r].nodo ? r : -1;
    }
    // Whether a run of R .. R+Span-1 nests with every other run (none crosses it).
    bool Anida(int R, int Span) const {
        const int fin = std::min(R + Span - 1, Ultima());
        for (int n = 1; n <= Ultima(); ++n) {
            if (!filas[n].nodo) continue;
            const bool dentro = n > R && n <= fin, pasa = Fin(n) > fin;
            const bool contiene = n < R && Fin(n) >= R, corta = Fin(n) < fin;
            if ((dentro && pasa) || (contiene && corta)) return false;
        }
        return true;
    }
    void Contraer(int n) {
        if ((Razones(n) & hrNode) || !filas[n].nodo || filas[n].contraido) return;
        filas[n].contraido = true;
        for (int i = n + 1; i <= Fin(n); ++i)
            if (filas[i].nodo) filas[i].contraido = false;
    }
    void Expandir(int n) {
        if (filas[n].nodo) filas[n].contraido = false;
    }
    void ExpandirTodo() {
        for (Fila& f : filas) {
            f.contraido = false;
            f.razones &= ~hrByHand;
        }
    }
    void ContraerTodo() {
        ExpandirTodo();
        for (int i = 1; i <= Ultima();) {
            if (!filas[i].nodo) {
                ++i;
                continue;
            }
            filas[i].contraido = true;
            i = std::max(Fin(i) + 1, i + 1);
        }
    }
    // The parents of P grow (or shrink) and open, as the child-row calls do.
    void Padres(int P, int Delta) {
        for (int q = P; q >= 0 && filas[q].nodo;) {
            if (Delta > 0 || filas[q].span > 1) filas[q].span += Delta;
            filas[q].contraido = false;
            const int nivel = Nivel(q);
            const int up = nivel > 1 && q > 1 ? Padre(q) : -1;
            q = up >= 0 && up != q && Nivel(up) < nivel ? up : -1;
        }
    }
    void InsertarHija(int R, int Offset) {
        int p = Padre(R);
        if (filas[R].nodo) p = Offset >= 1 ? R : (p == R ? -1 : p);
        if (p >= 0) Padres(p, 1);
        Fila f;
        f.nombre = "n" + std::to_string(++nuevas);
        filas.insert(filas.begin() + std::min(R + Offset, Ultima() + 1), f);
    }
    void QuitarHija(int R) {
        if (filas[R].nodo) {
            Expandir(R);
            filas[R].nodo = false;
        }
        Padres(Padre(R), -1);
        filas.erase(filas.begin() + R);
    }
    // The shown rows, each with the hidden rows that follow it.
    std::vector<std::vector<Fila>> Bloques() const {
        std::vector<std::vector<Fila>> b;
        for (int r = 0; r <= Ultima(); ++r) {
            if (Razones(r) == 0 || b.empty()) b.emplace_back();
            b.back().push_back(filas[r]);
        }
        return b;
    }
    void DeBloques(const std::vector<std::vector<Fila>>& B) {
        filas.clear();
        for (const auto& bloque : B)
            filas.insert(filas.end(), bloque.begin(), bloque.end());
    }
};

class OcultasEnSecuencia : public RejillaEnVentana<Rejilla, 700, 500> {
protected:
    void SetUp() override {
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 500, 420);
        g->SetColCount(4);
        g->SetRowCount(17);
        m.filas.resize(17);
        for (int r = 1; r < 17; ++r) {
            Fila& f = m.filas[r];
            f.nombre = "f" + std::to_string(r);
            f.valor = r % 2 ? "x" : "y";
            f.clave = std::string(1, static_cast<char>('a' + r % 3));
            g->SetCells(1, r, f.nombre.c_str());
            g->SetCells(2, r, f.valor.c_str());
            g->SetCells(3, r, f.clave.c_str());
        }
    }
    // The name of real row R and its column-0 properties, hidden or not.
    std::string Nombre(int R) { return Celda(1, R); }
    std::string Celda(int C, int R) {
        if (TStrings* oculta = g->HiddenRow(R)) return oculta->GetStrings(C).str();
        return g->GetCells(C, g->RemapRow(R)).str();
    }
    const TCellProperties* Propiedades(int R) {
        if (TStrings* oculta = g->HiddenRow(R))
            return dynamic_cast<const TCellProperties*>(oculta->GetObjects(0));
        return g->FindCellProperties(0, g->RemapRow(R));
    }
    void Comprobar(const std::string& Paso) {
        SCOPED_TRACE(Paso);
        ASSERT_EQ(g->TotalRowCount(), static_cast<int>(m.filas.size()));
        std::string vistas, esperadas;
        for (int r = 1; r <= m.Ultima(); ++r) {
            const Fila& f = m.filas[r];
            ASSERT_EQ(Nombre(r), f.nombre) << "fila real " << r;
            EXPECT_EQ(g->HiddenReasons(r), m.Razones(r)) << f.nombre;
            const TCellProperties* p = Propiedades(r);
            const auto* grafico = p ? dynamic_cast<const TCellGraphic*>(p->GetGraphic()) : nullptr;
            const bool nodo = grafico && grafico->CellType == ctNode;
            EXPECT_EQ(nodo, f.nodo) << f.nombre;
            if (nodo && f.nodo) {
                EXPECT_EQ(grafico->CellIndex, f.span) << f.nombre;
                EXPECT_EQ(grafico->CellBoolean != 0, f.contraido) << f.nombre;
            }
            EXPECT_EQ(p ? p->GetNodeLevel() : 0, m.Nivel(r)) << f.nombre;
            if (m.Razones(r) == 0) esperadas += f.nombre + " ";
        }
        for (int d = 1; d < g->GetRowCount(); ++d)
            vistas += g->GetCells(1, d).str() + " ";
        EXPECT_EQ(vistas, esperadas);
        EXPECT_EQ(g->GetNodeCount(), m.Nodos());
        EXPECT_EQ(g->GetFilterActive(), m.filtrando);
    }
    // The grid's real order of rows taken into the model by name.
    void TomarOrden() {
        std::map<std::string, Fila> porNombre;
        for (const Fila& f : m.filas)
            porNombre[f.nombre] = f;
        for (int r = 1; r <= m.Ultima(); ++r)
            m.filas[r] = porNombre.at(Nombre(r));
    }
    Modelo m;
};

TEST_F(OcultasEnSecuencia, ComoElModelo) {
    std::mt19937 azar(6913);
    const auto entre = [&azar](int a, int b) {
        return std::uniform_int_distribution<int>(a, b)(azar);
    };
    Comprobar("inicio");
    for (int paso = 0; paso < 3000 && !HasFatalFailure() && !HasFailure(); ++paso) {
        const int u = m.Ultima();
        const int r = entre(1, u);
        std::string que;
        switch (entre(0, 15)) {
        case 0:
        case 1:
            que = "HideRow " + m.filas[r].nombre;
            g->HideRow(r);
            m.filas[r].razones |= hrByHand;
            break;
        case 2:
            que = "UnHideRow " + m.filas[r].nombre;
            g->UnHideRow(r);
            m.filas[r].razones &= ~hrByHand;
            break;
        case 3:
        case 4: {
            // Runs end at the last row at the latest (a run past it would take other rows
            // in once moved up).
            const int span = std::min(entre(1, 6), u - r + 1);
            if (m.filas[r].nodo || !m.Anida(r, span)) continue;
            que = "AddNode " + m.filas[r].nombre + " " + std::to_string(span);
            g->AddNode(r, span);
            m.filas[r].nodo = true;
            m.filas[r].span = span;
            m.filas[r].contraido = false;
            break;
        }
        case 5:
        case 6:
            que = "ContractNode " + m.filas[r].nombre;
            g->ContractNode(r);
            m.Contraer(r);
            break;
        case 7:
            que = "ExpandNode " + m.filas[r].nombre;
            g->ExpandNode(r);
            m.Expandir(r);
            break;
        case 8:
            if (entre(0, 1)) {
                que = "ExpandAll";
                g->ExpandAll();
                m.ExpandirTodo();
            } else {
                que = "ContractAll";
                g->ContractAll();
                m.ContraerTodo();
            }
            break;
        case 9: {
            if (u > 30) continue;
            const int offset = entre(0, 1);
            que = "InsertChildRow " + m.filas[r].nombre + " " + std::to_string(offset);
            g->InsertChildRow(r, offset);
            m.InsertarHija(r, offset);
            // The new row, shown at its real place, takes a name.
            const int nueva = std::min(r + offset, u + 1);
            g->SetCells(1, g->RemapRow(nueva), m.filas[nueva].nombre.c_str());
            break;
        }
        case 10:
            if (u < 6 || m.Razones(r) != 0) continue;
            que = "RemoveChildRow " + m.filas[r].nombre;
            g->RemoveChildRow(r);
            m.QuitarHija(r);
            break;
        case 11:
            if (!m.filas[r].nodo) continue;
            que = "RemoveNode " + m.filas[r].nombre;
            g->RemoveNode(r);
            m.Expandir(r);
            m.filas[r].nodo = false;
            break;
        case 12:
            if (m.filtrando) {
                que = "filtro fuera";
                g->SetFilterActive(false);
                for (Fila& f : m.filas)
                    f.razones &= ~(hrFilter | hrByHand);
            } else {
                const std::string valor = entre(0, 1) ? "x" : "y";
                que = "filtro " + valor;
                g->GetFilter()->Clear();
                TFilterData* f = g->GetFilter()->Add();
                f->SetColumn(2);
                f->SetCondition(valor.c_str());
                g->SetFilterActive(true);
                for (int i = 1; i <= u; ++i)
                    if (m.filas[i].valor != valor) m.filas[i].razones |= hrFilter;
            }
            m.filtrando = !m.filtrando;
            break;
        case 13: {
            // The nodes gone (their rows shown unless hidden for another reason), then
            // grouped and ungrouped again: every row back in the order of its key, the
            // rows hidden by hand shown, the filtered ones still hidden.
            que = "RemoveAllNodes, Group y UnGroup";
            g->RemoveAllNodes();
            for (Fila& f : m.filas)
                f.nodo = f.contraido = false;
            Comprobar(std::to_string(paso) + ": RemoveAllNodes");
            g->Group(3);
            g->UnGroup();
            for (Fila& f : m.filas)
                f.razones &= ~hrByHand;
            TomarOrden();
            for (int i = 2; i <= u; ++i)
                EXPECT_LE(m.filas[i - 1].clave, m.filas[i].clave) << que;
            for (int i = 1; i <= u; ++i)
                EXPECT_EQ(Celda(3, i), m.filas[i].clave) << que;
            break;
        }
        case 14:
        case 15: {
            // Moves and sorts of shown rows where every top node is closed: each node moves
            // with its run, and each hidden row with the shown row above it.
            bool cerrados = true;
            for (int i = 1; i <= u; ++i)
                if (m.filas[i].nodo && m.Nivel(i) == 1 && !m.filas[i].contraido) cerrados = false;
            if (!cerrados || g->GetRowCount() < 3) continue;
            auto bloques = m.Bloques();
            if (entre(0, 1)) {
                const int de = entre(1, g->GetRowCount() - 1), a = entre(1, g->GetRowCount() - 1);
                que = "MoveRow " + std::to_string(de) + " " + std::to_string(a);
                g->MoveRow(de, a);
                auto b = bloques[de];
                bloques.erase(bloques.begin() + de);
                bloques.insert(bloques.begin() + a, b);
                m.DeBloques(bloques);
            } else {
                que = "QSort";
                g->GetSortSettings()->SetColumn(3);
                g->QSort();
                std::map<std::string, std::vector<Fila>> porNombre;
                for (const auto& b : bloques)
                    porNombre[b.front().nombre] = b;
                std::vector<std::vector<Fila>> nuevos{bloques.front()};
                for (int d = 1; d < g->GetRowCount(); ++d) {
                    nuevos.push_back(porNombre.at(g->GetCells(1, d).str()));
                    EXPECT_LE(nuevos[nuevos.size() - 2].front().clave, nuevos.back().front().clave)
                        << que;
                }
                m.DeBloques(nuevos);
            }
            break;
        }
        }
        Comprobar(std::to_string(paso) + ": " + que);
    }
}

} // namespace
