// Row nodes of the advanced grid: nodes three deep contracted and expanded against the rows
// a user should see, the spans that follow rows inserted and removed (by code and by key)
// inside, before and after a node, with other rows hidden; the node count; runs that reach
// past the grid; clicks and keys on node rows through the input simulator.

#include "controles/grid/cell_properties.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

class Nodos : public RejillaEnVentana<Rejilla, 700, 500> {
protected:
    void SetUp() override {
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 500, 420);
        g->SetColCount(3);
        g->SetRowCount(15);
        for (int r = 1; r < 15; ++r)
            g->SetCells(1, r, "f" + IntToStr(r));
    }
    // A (rows 1..10) holds B (2..7), which holds C (3..5); D (11..13) stands alone.
    void TresNiveles() {
        g->AddNode(1, 10);
        g->AddNode(2, 6);
        g->AddNode(3, 3);
        g->AddNode(11, 3);
    }
    // The texts of column 1 of the shown normal rows, joined by spaces.
    std::string Vistas() { return TextosColumna(g, 1, 1, g->GetRowCount() - 1, " "); }
    // Span of the node whose column-1 text is Text, -1 when it is not shown.
    int Span(const char* Text) {
        for (int r = 0; r < g->GetRowCount(); ++r)
            if (g->GetCells(1, r) == Text) return g->GetNodeSpan(r);
        return -1;
    }
    int Fila(const char* Text) {
        for (int r = 0; r < g->GetRowCount(); ++r)
            if (g->GetCells(1, r) == Text) return r;
        return -1;
    }
    int Nivel(int Row) {
        const TCellProperties* p = g->FindCellProperties(0, Row);
        return p ? p->GetNodeLevel() : 0;
    }
};

TEST_F(Nodos, TresNivelesSeContraenYExpanden) {
    const std::string todas = "f1 f2 f3 f4 f5 f6 f7 f8 f9 f10 f11 f12 f13 f14";
    EXPECT_FALSE(g->HasNodes());
    EXPECT_EQ(g->NodeIndent(3), 0);
    TresNiveles();
    EXPECT_TRUE(g->HasNodes());
    EXPECT_EQ(g->GetNodeCount(), 4);
    // Levels count the nodes whose runs cover a row.
    EXPECT_EQ(g->GetNodeLevel(1), 1);
    EXPECT_EQ(g->GetNodeLevel(2), 2);
    EXPECT_EQ(g->GetNodeLevel(3), 3);
    EXPECT_EQ(g->GetNodeLevel(4), -1);
    EXPECT_EQ(Nivel(4), 3);
    EXPECT_EQ(Nivel(6), 2);
    EXPECT_EQ(Nivel(14), 0);
    EXPECT_EQ(g->NodeIndent(4), 36);
    EXPECT_EQ(g->NodeIndent(6), 24);
    EXPECT_EQ(g->GetNodeSpan(5), -1);
    EXPECT_FALSE(g->GetNodeState(5));
    // Parents: a plain row's innermost node; a node's enclosing node, a top node itself.
    EXPECT_EQ(g->GetParentRow(4), 3);
    EXPECT_EQ(g->GetParentRow(6), 2);
    EXPECT_EQ(g->GetParentRow(3), 2);
    EXPECT_EQ(g->GetParentRow(1), 1);
    EXPECT_EQ(g->GetParentRow(14), -1);
    // The tree line goes on below a row at a deeper or equal level and stops at the end.
    EXPECT_EQ(g->GetNodeSpanType(1), 0);
    EXPECT_EQ(g->GetNodeSpanType(4), 2);
    EXPECT_EQ(g->GetNodeSpanType(5), 1);

    g->ContractNode(3);
    EXPECT_EQ(Vistas(), "f1 f2 f3 f6 f7 f8 f9 f10 f11 f12 f13 f14");
    EXPECT_TRUE(g->GetNodeState(3));
    g->ContractNode(2);
    EXPECT_EQ(Vistas(), "f1 f2 f8 f9 f10 f11 f12 f13 f14");
    g->ContractNode(1);
    EXPECT_EQ(Vistas(), "f1 f11 f12 f13 f14");
    g->ContractNode(11);
    EXPECT_EQ(Vistas(), "f1 f11 f14");
    EXPECT_EQ(g->NumHiddenRows(), 11);
    // A node opens with what it held open: B was set expanded when A closed over it.
    g->ExpandNode(1);
    EXPECT_EQ(Vistas(), "f1 f2 f3 f4 f5 f6 f7 f8 f9 f10 f11 f14");
    EXPECT_FALSE(g->GetNodeState(Fila("f2")));
    g->SetNodeState(Fila("f11"), false);
    EXPECT_EQ(Vistas(), todas);
    // The state it has already changes nothing.
    g->SetNodeState(Fila("f11"), false);
    EXPECT_EQ(g->NumHiddenRows(), 0);

    g->ContractAll();
    EXPECT_EQ(Vistas(), "f1 f11 f14");
    EXPECT_TRUE(g->GetNodeState(1));
    g->ExpandAll();
    EXPECT_EQ(Vistas(), todas);
    EXPECT_FALSE(g->GetNodeState(Fila("f3")));
    g->RemoveNode(2);
    EXPECT_EQ(g->GetNodeCount(), 3);
    EXPECT_EQ(Nivel(4), 2);
    EXPECT_EQ(g->GetNodeLevel(3), 2);
    g->RemoveAllNodes();
    EXPECT_FALSE(g->HasNodes());
    EXPECT_EQ(Nivel(4), 0);
    EXPECT_EQ(g->NodeIndent(4), 0);
}

TEST_F(Nodos, QuitarTodosLosNodosAbreSoloSusFilas) {
    TresNiveles();
    g->ContractNode(3);
    g->ContractNode(1);
    g->HideRow(13);
    g->HideRow(14);
    EXPECT_EQ(Vistas(), "f1 f11 f12");
    g->RemoveAllNodes();
    // The nodes' rows come back; the ones hidden by hand stay hidden.
    EXPECT_EQ(Vistas(), "f1 f2 f3 f4 f5 f6 f7 f8 f9 f10 f11 f12");
    EXPECT_FALSE(g->HasNodes());
    for (int r = 1; r < g->GetRowCount(); ++r) {
        EXPECT_FALSE(g->IsNode(r)) << r;
        EXPECT_EQ(Nivel(r), 0) << r;
    }
    g->UnHideRow(13);
    EXPECT_EQ(Nivel(g->RemapRow(13)), 0);
    // Removing one closed node opens its rows and leaves the others, ExpandOne or not.
    g->UnHideRow(14);
    TresNiveles();
    g->GetCellNode()->SetExpandOne(true);
    g->ContractNode(1);
    g->RemoveNode(1);
    EXPECT_EQ(Vistas(), "f1 f2 f3 f4 f5 f6 f7 f8 f9 f10 f11 f12 f13 f14");
    EXPECT_FALSE(g->GetNodeState(Fila("f11")));
    EXPECT_FALSE(g->GetNodeState(Fila("f2")));
}

TEST_F(Nodos, SpanCeroExpandirUnoYContraidoDentro) {
    g->AddNode(2, 0);
    g->AddNode(6, 0);
    // Span 0 runs to the next node row.
    g->ContractNode(2);
    EXPECT_EQ(Vistas(), "f1 f2 f6 f7 f8 f9 f10 f11 f12 f13 f14");
    g->ExpandNode(2);
    // With ExpandOne, opening one node closes the others, but not those that hold it.
    g->GetCellNode()->SetExpandOne(true);
    g->ContractNode(2);
    g->ExpandNode(2);
    EXPECT_EQ(Vistas(), "f1 f2 f3 f4 f5 f6");
    EXPECT_TRUE(g->GetNodeState(6));
    g->GetCellNode()->SetExpandOne(false);
    g->ExpandAll();
    g->RemoveAllNodes();
    g->AddNode(1, 10);
    g->AddNode(3, 4);
    g->GetCellNode()->SetExpandOne(true);
    g->ContractNode(3);
    g->ExpandNode(3);
    EXPECT_EQ(Vistas(), "f1 f2 f3 f4 f5 f6 f7 f8 f9 f10 f11 f12 f13 f14");
}

TEST_F(Nodos, SpansSiguenALasFilasInsertadasYQuitadas) {
    TresNiveles();
    // Rows hidden elsewhere: D closed, and row 14 hidden by hand.
    g->ContractNode(11);
    g->HideRow(14);
    struct Caso {
        int fila, desplazamiento; // InsertChildRow on a real row
        int a, b, c;              // spans of A, B and C after it
        int nivel;                // level of the new row
    };
    const Caso casos[] = {
        {4, 0, 11, 7, 4, 3}, // inside C
        {3, 0, 11, 7, 3, 2}, // before node C: joins B
        {3, 1, 11, 7, 4, 3}, // just after node C: joins C
        {7, 1, 11, 7, 3, 2}, // after B's last row
        {1, 0, 10, 6, 3, 0}, // before the top node: no node grows
    };
    for (const Caso& c : casos) {
        const int antes = g->GetRowCount();
        g->InsertChildRow(c.fila, c.desplazamiento);
        const int nueva = c.fila + c.desplazamiento;
        EXPECT_EQ(g->GetRowCount(), antes + 1);
        EXPECT_EQ(g->GetCells(1, nueva), "") << c.fila << "+" << c.desplazamiento;
        EXPECT_EQ(Span("f1"), c.a) << c.fila << "+" << c.desplazamiento;
        EXPECT_EQ(Span("f2"), c.b) << c.fila << "+" << c.desplazamiento;
        EXPECT_EQ(Span("f3"), c.c) << c.fila << "+" << c.desplazamiento;
        EXPECT_EQ(Nivel(nueva), c.nivel) << c.fila << "+" << c.desplazamiento;
        // The hidden rows moved once: D opens onto its own rows, row 14 stays hidden.
        EXPECT_EQ(Span("f11"), 3);
        g->RemoveChildRow(nueva);
        EXPECT_EQ(Span("f1"), 10);
        EXPECT_EQ(Span("f2"), 6);
        EXPECT_EQ(Span("f3"), 3);
        EXPECT_EQ(Vistas(), "f1 f2 f3 f4 f5 f6 f7 f8 f9 f10 f11");
    }
    g->ExpandNode(Fila("f11"));
    g->UnHideRow(g->TotalRowCount() - 1);
    EXPECT_EQ(Vistas(), "f1 f2 f3 f4 f5 f6 f7 f8 f9 f10 f11 f12 f13 f14");
    // Removing a plain row of C shrinks C, B and A; removing node C keeps its rows a level
    // up in B.
    g->RemoveChildRow(4);
    EXPECT_EQ(Span("f1"), 9);
    EXPECT_EQ(Span("f2"), 5);
    EXPECT_EQ(Span("f3"), 2);
    g->RemoveChildRow(3);
    EXPECT_EQ(Vistas(), "f1 f2 f5 f6 f7 f8 f9 f10 f11 f12 f13 f14");
    EXPECT_EQ(Span("f1"), 8);
    EXPECT_EQ(Span("f2"), 4);
    EXPECT_EQ(Nivel(Fila("f5")), 2);
    EXPECT_EQ(g->GetNodeCount(), 3);
}

TEST_F(Nodos, TeclasInsertarYBorrarDentroDeUnNodo) {
    TresNiveles();
    g->GetNavigation()->SetAllowInsertRow(true);
    g->GetNavigation()->SetAllowDeleteRow(true);
    g->GetNavigation()->SetInsertPosition(pInsertBefore);
    g->SetFocus();
    g->SetCol(1);
    g->SetRow(4);
    SimulateKeyStroke(VK_INSERT);
    EXPECT_EQ(g->GetCells(1, 4), "");
    EXPECT_EQ(Span("f1"), 11);
    EXPECT_EQ(Span("f2"), 7);
    EXPECT_EQ(Span("f3"), 4);
    EXPECT_EQ(Nivel(4), 3);
    g->SetRow(4);
    SimulateKeyStroke(VK_DELETE);
    EXPECT_EQ(Span("f3"), 3);
    EXPECT_EQ(Span("f1"), 10);
    // A row outside every node is a plain row.
    g->SetRow(14);
    SimulateKeyStroke(VK_INSERT);
    EXPECT_EQ(g->GetRowCount(), 16);
    EXPECT_EQ(Span("f11"), 3);
    g->SetRow(14);
    SimulateKeyStroke(VK_DELETE);
    EXPECT_EQ(Vistas(), "f1 f2 f3 f4 f5 f6 f7 f8 f9 f10 f11 f12 f13 f14");
}

TEST_F(Nodos, RunsQueNoPasanDelFinalYCuentaDeNodos) {
    g->SetFixedFooters(1);
    g->SetCells(1, 14, "pie");
    // A run that reaches past the normal rows stops before the footer.
    g->AddNode(11, 10);
    EXPECT_EQ(Nivel(14), 0);
    g->ContractNode(11);
    EXPECT_EQ(Vistas(), "f1 f2 f3 f4 f5 f6 f7 f8 f9 f10 f11 pie");
    g->ExpandNode(11);
    // Rows removed by code under a node leave its span longer still: nothing is read or
    // hidden beyond the rows there are.
    g->RemoveRows(12, 2);
    g->ContractNode(11);
    EXPECT_EQ(g->NumHiddenRows(), 0);
    g->ContractAll();
    EXPECT_EQ(Vistas(), "f1 f2 f3 f4 f5 f6 f7 f8 f9 f10 f11 pie");
    g->ExpandAll();
    // A node row removed with RemoveRows takes its count along.
    g->AddNode(2, 3);
    EXPECT_EQ(g->GetNodeCount(), 2);
    g->RemoveRows(2, 1);
    EXPECT_EQ(g->GetNodeCount(), 1);
    g->RemoveRows(Fila("f11"), 1);
    EXPECT_FALSE(g->HasNodes());
    EXPECT_EQ(g->NodeIndent(1), 0);
    g->AddNode(1, 2);
    g->Clear();
    EXPECT_FALSE(g->HasNodes());
}

TEST_F(Nodos, ClicYTeclasSobreElNodo) {
    TresNiveles();
    g->SetFocus();
    std::vector<std::string> eventos;
    bool permitir = false;
    g->OnBeforeContractNode = [&](TObject*, int row, int real, bool& allow) {
        eventos.push_back("antes-contraer " + std::to_string(row) + "/" + std::to_string(real));
        allow = permitir;
    };
    g->OnContractNode = [&](TObject*, int row, int real) {
        eventos.push_back("contraer " + std::to_string(row) + "/" + std::to_string(real));
    };
    g->OnBeforeExpandNode = [&](TObject*, int row, int real, bool& allow) {
        eventos.push_back("antes-expandir " + std::to_string(row) + "/" + std::to_string(real));
        allow = true;
    };
    g->OnExpandNode = [&](TObject*, int row, int real) {
        eventos.push_back("expandir " + std::to_string(row) + "/" + std::to_string(real));
    };
    g->SetColWidths(0, 60);
    // D's glyph sits in the first indent of column 0.
    auto clic = [&](int row, int x) {
        const TRect r = g->CellRect(0, row);
        SimulateClick(g, r.Left + x, (r.Top + r.Bottom) / 2);
    };
    g->ContractNode(1);
    // Row 2 shows D now (display 2, real 11); the veto leaves it open.
    clic(2, 6);
    EXPECT_FALSE(g->GetNodeState(2));
    permitir = true;
    clic(2, 6);
    EXPECT_TRUE(g->GetNodeState(2));
    // Outside the glyph nothing changes.
    clic(2, 30);
    EXPECT_TRUE(g->GetNodeState(2));
    clic(2, 6);
    EXPECT_FALSE(g->GetNodeState(2));
    const std::vector<std::string> esperados = {"antes-contraer 2/11", "antes-contraer 2/11",
                                                "contraer 2/11", "antes-expandir 2/11",
                                                "expandir 2/11"};
    EXPECT_EQ(eventos, esperados);
    // MoveRowOnNodeClick makes the clicked row current.
    g->GetMouseActions()->SetMoveRowOnNodeClick(true);
    g->SetRow(4);
    clic(1, 6);
    EXPECT_EQ(g->GetRow(), 1);
    EXPECT_FALSE(g->GetNodeState(1));
    // A second level's glyph lies in the second indent.
    clic(2, 18);
    EXPECT_TRUE(g->GetNodeState(2));
    clic(2, 18);

    // Right and Left on a node row whose current cell is merged open and close it.
    g->MergeCells(1, 1, 2, 1);
    g->SetCol(1);
    g->SetRow(1);
    SimulateKeyStroke(VK_LEFT);
    EXPECT_TRUE(g->GetNodeState(1));
    EXPECT_EQ(Vistas(), "f1 f11 f12 f13 f14");
    SimulateKeyStroke(VK_RIGHT);
    EXPECT_FALSE(g->GetNodeState(1));
    // Not merged: the keys only move.
    g->SetRow(2);
    SimulateKeyStroke(VK_LEFT);
    EXPECT_FALSE(g->GetNodeState(2));
}

TEST_F(Nodos, NodoDeCabeceraActuaSobreTodos) {
    TresNiveles();
    g->GetMouseActions()->SetNodeAllExpandContract(true);
    g->SetColWidths(0, 40);
    // A node in the fixed row: AddNode gives it no run over the normal rows.
    g->AddNode(0, 1);
    const TRect r = g->CellRect(0, 0);
    SimulateClick(g, r.Left + 6, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(Vistas(), "f1 f11 f14");
    EXPECT_TRUE(g->GetNodeState(0));
    SimulateClick(g, r.Left + 6, (r.Top + r.Bottom) / 2);
    EXPECT_EQ(Vistas(), "f1 f2 f3 f4 f5 f6 f7 f8 f9 f10 f11 f12 f13 f14");
}

// A long run of node operations, keys among them, each followed by what must always hold:
// the rows keep their order, every run lies inside the runs around it, each row's level counts
// the runs over it, and exactly the rows under a contracted node are hidden.
TEST_F(Nodos, OperacionesEncadenadasGuardanLaEstructura) {
    g->SetRowCount(41);
    for (int r = 1; r < 41; ++r)
        g->SetCells(1, r, "f" + IntToStr(r));
    const int nodos[][2] = {{1, 14}, {2, 6}, {3, 3}, {9, 5}, {16, 20}, {18, 4}, {23, 10}, {25, 3}};
    for (const auto& n : nodos)
        g->AddNode(n[0], n[1]);
    g->GetNavigation()->SetAllowInsertRow(true);
    g->GetNavigation()->SetAllowDeleteRow(true);
    g->SetFocus();
    g->SetCol(1);
    struct Fila {
        std::string texto;
        bool oculta, nodo, contraido;
        int span, nivel;
    };
    // Every real row, hidden ones from their items.
    auto leer = [&] {
        std::vector<Fila> v;
        for (int r = 0; r < g->TotalRowCount(); ++r) {
            Fila f{};
            const TCellProperties* p = nullptr;
            if (TStrings* h = g->HiddenRow(r)) {
                f.oculta = true;
                f.texto = h->GetStrings(1).str();
                p = dynamic_cast<TCellProperties*>(h->GetObjects(0));
            } else {
                const int d = g->RemapRow(r);
                f.texto = g->GetCells(1, d).str();
                p = g->FindCellProperties(0, d);
            }
            const auto* gr = p ? dynamic_cast<TCellGraphic*>(p->GetGraphic()) : nullptr;
            f.nodo = gr && gr->CellType == ctNode;
            f.contraido = f.nodo && gr->CellBoolean;
            f.span = f.nodo ? gr->CellIndex : 0;
            f.nivel = p ? p->GetNodeLevel() : 0;
            v.push_back(f);
        }
        return v;
    };
    std::vector<std::string> orden;
    for (int r = 1; r < 41; ++r)
        orden.push_back("f" + std::to_string(r));
    std::mt19937 rng(20261210);
    int nuevas = 0;
    auto comprobar = [&](const std::string& paso) {
        SCOPED_TRACE(paso);
        const std::vector<Fila> v = leer();
        const int n = static_cast<int>(v.size());
        // Names a new row, then checks that the others kept their order.
        std::vector<std::string> vistos;
        for (int r = 1; r < n; ++r) {
            if (v[r].texto.empty()) {
                const std::string nombre = "n" + std::to_string(++nuevas);
                g->SetCellsEx(1, r, nombre.c_str());
                continue;
            }
            vistos.push_back(v[r].texto);
        }
        size_t k = 0;
        for (const std::string& t : orden)
            if (k < vistos.size() && vistos[k] == t) ++k;
        EXPECT_EQ(k, vistos.size()) << "rows out of order";
        orden.clear();
        const std::vector<Fila> nombradas = leer();
        for (int r = 1; r < n; ++r)
            orden.push_back(nombradas[r].texto);
        int nodosVistos = 0;
        std::vector<int> nivel(static_cast<size_t>(n), 0);
        std::vector<bool> bajoContraido(static_cast<size_t>(n), false);
        for (int r = 1; r < n; ++r) {
            if (!v[r].nodo) continue;
            ++nodosVistos;
            const int fin = std::min(r + v[r].span - 1, n - 1);
            ASSERT_GE(v[r].span, 1) << r;
            for (int q = r; q <= fin; ++q) {
                ++nivel[q];
                if (q > r && v[r].contraido) bajoContraido[q] = true;
                // A node inside ends inside.
                if (q > r && v[q].nodo) {
                    EXPECT_LE(q + v[q].span - 1, fin) << r << " " << q;
                }
            }
        }
        EXPECT_EQ(nodosVistos, g->GetNodeCount());
        for (int r = 1; r < n; ++r) {
            EXPECT_EQ(v[r].nivel, nivel[r]) << r;
            EXPECT_EQ(v[r].oculta, bajoContraido[r]) << r;
        }
    };
    comprobar("inicio");
    for (int paso = 0; paso < 400; ++paso) {
        const int op = static_cast<int>(rng() % 8);
        const int d = 1 + static_cast<int>(rng() % static_cast<unsigned>(g->GetRowCount() - 1));
        const int real = g->RealRowIndex(d);
        std::string nombre = std::to_string(paso) + ": ";
        switch (op) {
        case 0:
        case 1:
            nombre += "contraer " + std::to_string(real);
            g->ContractNode(real);
            break;
        case 2:
            nombre += "expandir " + std::to_string(real);
            g->ExpandNode(real);
            break;
        case 3: {
            const int desplazamiento = static_cast<int>(rng() % 2);
            nombre += "insertar en " + std::to_string(real) + "+" + std::to_string(desplazamiento);
            g->InsertChildRow(real, desplazamiento);
            break;
        }
        case 4:
            if (g->GetRowCount() < 12) continue;
            nombre += "quitar " + std::to_string(real);
            g->RemoveChildRow(real);
            break;
        case 5:
            nombre += "tecla Insert en " + std::to_string(d);
            g->SetRow(d);
            SimulateKeyStroke(VK_INSERT);
            break;
        case 6:
            if (g->GetRowCount() < 12) continue;
            nombre += "tecla Supr en " + std::to_string(d);
            g->SetRow(d);
            SimulateKeyStroke(VK_DELETE);
            break;
        default:
            if (rng() % 2) {
                nombre += "contraer todo";
                g->ContractAll();
            } else {
                nombre += "expandir todo";
                g->ExpandAll();
            }
            break;
        }
        comprobar(nombre);
        if (HasFailure()) break;
    }
}

// The glyph of each node type, its two states told apart on screen, and the tree lines in
// TreeColor only while ShowTree is on.
TEST_F(Nodos, GlifosPorTipoYLineasDeArbol) {
    g->SetColWidths(0, 48);
    TresNiveles();
    g->ContractNode(11);
    const auto pixeles = [&](int Row) {
        g->Repaint();
        const TRect r = g->CellRect(0, Row);
        std::vector<COLORREF> v;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                v.push_back(ColorToRGB(g->GetCanvas()->GetPixels(x, y)));
        return v;
    };
    const auto hay = [](const std::vector<COLORREF>& v, TColor c) {
        return std::find(v.begin(), v.end(), ColorToRGB(c)) != v.end();
    };
    TCellNode* n = g->GetCellNode();
    n->SetTreeColor(clRed);
    // Each look draws its own glyph, and each glyph two states.
    std::vector<std::vector<COLORREF>> vistas;
    for (TNodeType tipo : {cnXP, cnLeaf, cnFlat, cn3D}) {
        n->SetNodeType(tipo);
        // Row 2 holds node B, expanded.
        const auto abierto = pixeles(2);
        for (const auto& otra : vistas)
            EXPECT_NE(abierto, otra) << tipo;
        vistas.push_back(abierto);
        g->ContractNode(2);
        EXPECT_NE(pixeles(2), abierto) << tipo;
        g->ExpandNode(2);
        EXPECT_EQ(pixeles(2), abierto) << tipo;
    }
    // Glyphs of the user's: one for each state.
    TBitmap abre, cierra;
    for (auto [b, color] : {std::pair{&abre, clLime}, std::pair{&cierra, clBlue}}) {
        b->SetSize(9, 9);
        // The top-left pixel's colour is the transparent one.
        b->GetCanvas()->GetBrush()->SetColor(clWhite);
        b->GetCanvas()->FillRect(Rect(0, 0, 9, 9));
        b->GetCanvas()->GetBrush()->SetColor(color);
        b->GetCanvas()->FillRect(Rect(1, 1, 8, 8));
    }
    n->SetExpandGlyph(&abre);
    n->SetContractGlyph(&cierra);
    n->SetNodeType(cnGlyph);
    EXPECT_TRUE(hay(pixeles(2), clLime));
    EXPECT_FALSE(hay(pixeles(2), clBlue));
    EXPECT_TRUE(hay(pixeles(11), clBlue));
    // Tree lines beside a plain row of C, none without ShowTree.
    EXPECT_TRUE(hay(pixeles(4), clRed));
    n->SetShowTree(false);
    EXPECT_FALSE(hay(pixeles(4), clRed));
    EXPECT_FALSE(hay(pixeles(2), clRed));
}

// A node row's text starts after its glyph, whatever the indent of a level: the glyph sits
// one indent left of the row's indent and the text a whole level's indent further on.
TEST_F(Nodos, TextoDelNodoTrasSuGlifo) {
    g->SetColWidths(0, 160);
    TresNiveles();
    TBitmap abre, cierra;
    for (TBitmap* b : {&abre, &cierra}) {
        b->SetSize(9, 9);
        b->GetCanvas()->GetBrush()->SetColor(clWhite); // the transparent colour
        b->GetCanvas()->FillRect(Rect(0, 0, 9, 9));
        b->GetCanvas()->GetBrush()->SetColor(clLime);
        b->GetCanvas()->FillRect(Rect(1, 1, 8, 8));
    }
    TCellNode* n = g->GetCellNode();
    n->SetExpandGlyph(&abre);
    n->SetContractGlyph(&cierra);
    n->SetNodeType(cnGlyph);
    g->SetCells(0, 3, "WWW"); // node C, three levels deep
    g->SetFontColors(0, 3, clRed);
    for (const int sangria : {12, 20, 28}) {
        SCOPED_TRACE(sangria);
        n->SetNodeIndent(sangria);
        g->Repaint();
        const TRect r = g->CellRect(0, 3);
        int glifo = -1, texto = r.Right;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) {
                const COLORREF c = ColorToRGB(g->GetCanvas()->GetPixels(x, y));
                if (c == ColorToRGB(clLime)) glifo = std::max(glifo, x);
                if (c == ColorToRGB(clRed)) texto = std::min(texto, x);
            }
        ASSERT_GE(glifo, 0);
        ASSERT_LT(texto, r.Right);
        EXPECT_LT(glifo, texto);
    }
}

} // namespace
