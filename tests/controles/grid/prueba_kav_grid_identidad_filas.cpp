// Rows keep their identity through everything the grid does to them: a seeded run of a few
// thousand steps edits cells with the text editor (committed or cancelled, sometimes with
// rows moving while it is open), hides, shows, inserts, removes, sorts and filters rows, and
// undoes and redoes edits, against a plain model of records by key. After every step each
// record's text must be in the row holding its key, and no record may appear or go but by
// an insert or a removal.

#include "controles/grid/editing/undo_redo.h"
#include "controles/grid/kav_grid.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

// A key cell's number; -1 for a cell that holds none.
int Clave(const AnsiString& S) {
    return S.IsEmpty() ? -1 : std::stoi(S.str());
}

// The records: key to text, and the undo list as the grid's undo store keeps it (changes by
// record key, the position the count of changes applied).
struct Modelo {
    std::map<int, std::string> textos;
    struct Cambio {
        int clave;
        std::string antes, despues;
    };
    std::vector<Cambio> cambios;
    size_t posicion = 0;

    void Registrar(int Clave, const std::string& Antes, const std::string& Despues) {
        cambios.push_back({Clave, Antes, Despues});
        posicion = cambios.size();
    }
    // A change whose record is gone is dropped and the next one taken.
    void Deshacer() {
        while (posicion > 0) {
            --posicion;
            auto it = textos.find(cambios[posicion].clave);
            if (it != textos.end()) {
                it->second = cambios[posicion].antes;
                return;
            }
            cambios.erase(cambios.begin() + static_cast<long>(posicion));
        }
    }
    void Rehacer() {
        while (posicion < cambios.size()) {
            auto it = textos.find(cambios[posicion].clave);
            if (it != textos.end()) {
                it->second = cambios[posicion].despues;
                ++posicion;
                return;
            }
            cambios.erase(cambios.begin() + static_cast<long>(posicion));
        }
    }
};

class IdentidadFilas : public RejillaEnVentana<> {
protected:
    // Every record the grid holds, shown or hidden: key to text; false when a key is twice.
    bool Registros(std::map<int, std::string>& Out) {
        Out.clear();
        auto tomar = [&](const AnsiString& ClaveTexto, const AnsiString& Texto) {
            return Out.emplace(Clave(ClaveTexto), Texto.str()).second;
        };
        for (int r = 1; r < g->GetRowCount(); ++r)
            if (!tomar(g->GetCells(2, r), g->GetCells(1, r))) return false;
        for (int i = 0; i < g->NumHiddenRows(); ++i) {
            const int real =
                static_cast<const TGridItem*>(g->GetHiddenRowList()->GetItem(i))->GetIdx();
            if (!tomar(g->GetCellsEx(2, real), g->GetCellsEx(1, real))) return false;
        }
        return true;
    }
};

TEST_F(IdentidadFilas, EditarMoverYDeshacerComoUnModeloDeRegistros) {
    TKavGridUndoRedo deshacer(nullptr);
    g->SetUndoRedo(&deshacer);
    g->SetOptions(g->GetOptions() << goEditing);
    g->SetColCountEx(3);
    g->SetRowCountEx(9);
    Modelo m;
    int siguiente = 0;
    for (int r = 1; r < 9; ++r) {
        const int clave = siguiente++;
        m.textos[clave] = "t" + std::to_string(clave);
        g->SetCells(1, r, m.textos[clave].c_str());
        g->SetCells(2, r, std::to_string(clave).c_str());
    }
    g->SetFocus();
    std::mt19937 rng(2058);
    auto al = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    bool filtrado = false;
    int ediciones = 0; // edits that reached the editor

    // The ways rows move; each keeps the model's records (a removal drops one, an insert adds
    // one).
    auto mover = [&](int Como) {
        const int filas = g->GetRowCount();
        switch (Como) {
        case 0:
            if (filas > 3) g->HideRow(g->RemapRowInv(1 + al(filas - 1)));
            break;
        case 1:
            g->UnHideRowsAll();
            break;
        case 2: {
            const int at = filas > 1 ? 1 + al(filas - 1) : 1;
            g->InsertRows(at, 1);
            const int clave = siguiente++;
            g->SetCells(2, at, std::to_string(clave).c_str());
            m.textos[clave] = "";
            break;
        }
        case 3:
            if (filas > 3) {
                const int r = 1 + al(filas - 1);
                m.textos.erase(Clave(g->GetCells(2, r)));
                g->RemoveRows(r, 1);
            }
            break;
        case 4:
            g->GetSortSettings()->SetColumn(al(2) + 1);
            g->GetSortSettings()->SetDirection(al(2) ? sdAscending : sdDescending);
            g->QSort();
            break;
        case 5:
            if (filtrado) {
                g->SetFilterActive(false);
                filtrado = false;
            } else if (filas > 4) {
                g->GetFilter()->Clear();
                TFilterData* f = g->GetFilter()->Add();
                f->SetColumn(2);
                f->SetCondition((al(2) ? ">" : "<") + std::to_string(al(siguiente)));
                g->SetFilterActive(true);
                filtrado = true;
            }
            break;
        }
    };

    for (int paso = 0; paso < 2000; ++paso) {
        SCOPED_TRACE(paso);
        const int que = al(10);
        if (que < 4 && g->GetRowCount() > 1) {
            // An edit of a record's text through the text editor.
            const int r = 1 + al(g->GetRowCount() - 1);
            const int clave = Clave(g->GetCells(2, r));
            const std::string abierto = m.textos[clave];
            g->SetCol(1);
            g->SetRow(r);
            g->SetFocus();
            SimulateKeyStroke(VK_F2, {}, g);
            // The grid may refuse the cell (its selection hidden after every normal row
            // went): no edit then.
            if (!g->GetEditorMode()) continue;
            ++ediciones;
            TWinControl* editor = g->GetInplaceEditor();
            SimulateKeyStroke(VK_END, {}, editor);
            const std::string tecleado = "x" + std::to_string(paso % 7);
            SimulateTyping(tecleado.c_str(), editor);
            bool quitando = false; // rows removed while the editor is open
            if (al(3) == 0) {
                // Rows move while the editor is open: the edit stays with its record.
                const bool quitada = g->GetRowCount() > 3 && al(4) == 0;
                if (quitada) {
                    quitando = true;
                    m.textos.erase(clave);
                    g->RemoveRows(r, 1);
                } else {
                    const int como = al(6);
                    quitando = como == 3;
                    mover(como);
                }
            }
            if (quitando && !g->GetEditorMode()) {
                // A removal of rows settles the pending edit first, its record shown: the
                // text is kept and registered, even when the record itself then went.
                auto it = m.textos.find(clave);
                if (it != m.textos.end()) it->second = abierto + tecleado;
                m.Registrar(clave, abierto, abierto + tecleado);
            } else {
                const bool confirmar = al(3) != 0;
                SimulateKeyStroke(confirmar ? VK_RETURN : VK_ESCAPE, {}, editor);
                if (g->GetEditorMode()) SimulateKeyStroke(VK_ESCAPE, {}, editor);
                auto it = m.textos.find(clave);
                if (confirmar && it != m.textos.end()) {
                    const std::string antes = it->second;
                    it->second += tecleado;
                    // A record shown when its edit ended registers the change; one hidden
                    // meanwhile took the text without it.
                    bool mostrado = false;
                    for (int f = 1; f < g->GetRowCount(); ++f)
                        if (g->GetCells(2, f) == AnsiString(std::to_string(clave).c_str()))
                            mostrado = true;
                    if (mostrado) m.Registrar(clave, antes, it->second);
                }
            }
        } else if (que < 8) {
            mover(al(6));
        } else if (que == 8) {
            deshacer.Undo();
            m.Deshacer();
        } else {
            deshacer.Redo();
            m.Rehacer();
        }
        // A grid left with its fixed row alone lowers FixedRows; the header row stays one.
        if (g->GetFixedRows() == 0 && g->GetRowCount() > 1) g->SetFixedRowsEx(1);
        std::map<int, std::string> enRejilla;
        ASSERT_TRUE(Registros(enRejilla)) << "a key twice";
        ASSERT_EQ(enRejilla, m.textos);
    }
    // The run did edit: most edit steps found a row to edit.
    EXPECT_GT(ediciones, 400);
    EXPECT_GT(m.cambios.size(), 100u);
    g->SetUndoRedo(nullptr);
}

} // namespace
