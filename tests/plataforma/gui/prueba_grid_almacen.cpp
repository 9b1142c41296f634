// The string grid's store and counts: texts and objects per cell, data kept beyond a lowered
// ColCount, rows dropped by a lower RowCount (after the hook has seen them), moves that
// carry texts, objects and sizes, the lists of a row or column, index safety, and the
// class library's rules for the counts and the fixed counts.

#include "tests/plataforma/gui/grid_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Objeto : TObject {};

TEST(GridAlmacen, LeerFueraDaVacioYUnIndiceNegativoOEscribirFueraLanza) {
    RejillaPrueba g(nullptr);
    g.SetCells(4, 4, "esquina");
    EXPECT_EQ(g.GetCells(4, 4), "esquina");
    EXPECT_EQ(g.GetCells(3, 3), "");
    EXPECT_EQ(g.GetCells(99, 2), "");      // beyond the columns
    EXPECT_EQ(g.GetCells(2, 1000000), ""); // beyond the rows
    EXPECT_EQ(g.GetObjects(1000, 1000), nullptr);
    for (auto [c, r] : {std::pair{-1, 0}, {0, -1}, {-5, -5}}) {
        EXPECT_THROW(g.GetCells(c, r), EInvalidGridOperation);
        EXPECT_THROW(g.SetCells(c, r, "x"), EInvalidGridOperation);
        EXPECT_THROW(g.GetObjects(c, r), EInvalidGridOperation);
    }
    try {
        g.SetCells(0, 5, "x"); // RowCount is 5
        FAIL();
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(e.Message, "Grid index out of range");
    }
    EXPECT_THROW(g.SetCells(5, 0, "x"), EInvalidGridOperation); // never had 6 columns
    Objeto o;
    EXPECT_THROW(g.SetObjects(0, 7, &o), EInvalidGridOperation);
    // Emptying an empty cell outside the store is an error too, not a silent no-op.
    EXPECT_THROW(g.SetCells(9, 9, ""), EInvalidGridOperation);
}

TEST(GridAlmacen, LasColumnasMasAllaDeColCountGuardanSusDatos) {
    RejillaPrueba g(nullptr);
    g.SetColCount(6);
    Objeto o;
    g.SetCells(5, 2, "oculta");
    g.SetObjects(5, 2, &o);
    g.SetColCount(3); // the derived grid hides columns this way
    EXPECT_EQ(g.GetColCount(), 3);
    EXPECT_EQ(g.GetStoreColCount(), 6);
    EXPECT_EQ(g.GetCells(5, 2), "oculta");
    EXPECT_EQ(g.GetObjects(5, 2), &o);
    g.SetCells(4, 1, "escrita fuera"); // still writable
    g.SetColCount(6);
    EXPECT_EQ(g.GetCells(4, 1), "escrita fuera");
    EXPECT_EQ(g.GetCells(5, 2), "oculta");
    // A column move over the store reaches the hidden columns (real indexes).
    g.SetColCount(3);
    g.MoveColumn(0, 2);
    EXPECT_EQ(g.GetCells(5, 2), "oculta");
}

TEST(GridAlmacen, BajarRowCountSueltaLasFilasTrasAvisar) {
    RejillaPrueba g(nullptr);
    g.SetRowCount(10);
    Objeto a, b;
    g.SetCells(1, 8, "ocho");
    g.SetObjects(0, 8, &a);
    g.SetObjects(2, 9, &b);
    g.SetCells(1, 3, "tres");
    g.SetRowCount(8);
    ASSERT_EQ(g.soltadas.size(), 1u);
    EXPECT_EQ(g.soltadas[0], std::make_pair(8, 9));
    EXPECT_EQ(g.objetosSoltados, (std::vector<TObject*>{&a, &b}));
    g.SetRowCount(10);
    EXPECT_EQ(g.GetCells(1, 8), ""); // dropped, not kept
    EXPECT_EQ(g.GetObjects(0, 8), nullptr);
    EXPECT_EQ(g.GetCells(1, 3), "tres");
    EXPECT_EQ(g.soltadas.size(), 1u); // growing calls no hook
}

// The store keeps the memory of dropped and widened rows for new rows of the same width:
// a row made there starts empty, whatever the row before it held.
TEST(GridAlmacen, UnaFilaHechaDondeEstuvoOtraEmpiezaVacia) {
    RejillaPrueba g(nullptr);
    g.SetColCount(4);
    g.SetRowCount(40);
    Objeto o;
    for (int r = 0; r < 40; ++r) {
        g.SetCells(1, r, AnsiString("a" + std::to_string(r))); // a row of two cells
        for (int c : {0, 3, 2}) {                              // widened to four
            g.SetCells(c, r, AnsiString(std::to_string(c) + "," + std::to_string(r)));
            g.SetObjects(c, r, &o);
        }
    }
    g.SetRowCount(2);
    g.SetRowCount(40);
    for (int r = 2; r < 40; ++r) {
        g.SetCells(1, r, "n");
        g.SetCells(3, r, "m");
        for (int c : {0, 2}) {
            EXPECT_EQ(g.GetCells(c, r), "") << c << "," << r;
            EXPECT_EQ(g.GetObjects(c, r), nullptr) << c << "," << r;
        }
        EXPECT_EQ(g.GetObjects(1, r), nullptr);
        EXPECT_EQ(g.GetCells(1, r), "n");
        EXPECT_EQ(g.GetCells(3, r), "m");
    }
    EXPECT_EQ(g.GetCells(2, 1), "2,1");
    EXPECT_EQ(g.GetObjects(3, 0), &o);
}

// A row taken out of a grid keeps its cells after the grid is gone, and another grid takes it
// in whole.
TEST(GridAlmacen, UnaFilaSacadaViveMasQueSuRejilla) {
    auto a = std::make_unique<RejillaPrueba>(nullptr);
    Objeto o;
    a->SetCells(0, 2, "uno");
    a->SetCells(4, 2, "cinco");
    a->SetObjects(3, 2, &o);
    TGridStore::RowPtr fila = a->TakeStoreRow(2);
    EXPECT_EQ(a->GetCells(0, 2), "");
    EXPECT_EQ(a->TakeStoreRow(3), nullptr); // a row that holds nothing
    a.reset();
    RejillaPrueba b(nullptr);
    b.SetCells(1, 4, "antes");
    b.PutStoreRow(4, std::move(fila));
    EXPECT_EQ(b.GetCells(0, 4), "uno");
    EXPECT_EQ(b.GetCells(1, 4), "");
    EXPECT_EQ(b.GetCells(4, 4), "cinco");
    EXPECT_EQ(b.GetObjects(3, 4), &o);
    b.SetCells(2, 4, "dos");
    b.SetRowCount(3); // the row goes with b's own
    b.SetRowCount(5);
    EXPECT_EQ(b.GetCells(4, 4), "");
}

TEST(GridAlmacen, MoverYBorrarFilasYColumnasLlevanTextosObjetosYTamanos) {
    RejillaPrueba g(nullptr);
    g.SetRowCount(6);
    g.SetColCount(4);
    Objeto o;
    for (int r = 0; r < 6; ++r)
        g.SetCells(1, r, AnsiString(r));
    g.SetObjects(2, 4, &o);
    g.SetRowHeights(4, 40);
    g.MoveCurrent(1, 4, true, false);
    g.MoveRow(4, 1);
    EXPECT_EQ(g.GetCells(1, 1), "4");
    EXPECT_EQ(g.GetCells(1, 2), "1");
    EXPECT_EQ(g.GetCells(1, 4), "3");
    EXPECT_EQ(g.GetObjects(2, 1), &o);
    EXPECT_EQ(g.GetObjects(2, 4), nullptr); // the source slot is emptied
    EXPECT_EQ(g.GetRowHeights(1), 40);
    EXPECT_EQ(g.GetRowHeights(4), 24);
    EXPECT_EQ(g.GetRow(), 1); // the current cell follows its row

    g.DeleteRow(1);
    EXPECT_EQ(g.GetRowCount(), 5);
    EXPECT_EQ(g.GetCells(1, 1), "1");
    EXPECT_EQ(g.GetRowHeights(1), 24);
    ASSERT_EQ(g.soltadas.size(), 1u); // the deleted row went through the hook at the end
    EXPECT_EQ(g.soltadas[0], std::make_pair(5, 5));
    EXPECT_EQ(g.objetosSoltados, std::vector<TObject*>{&o});

    g.SetCells(0, 2, "a");
    g.SetCells(3, 2, "d");
    g.SetColWidths(3, 90);
    g.MoveColumn(3, 0);
    EXPECT_EQ(g.GetCells(0, 2), "d");
    EXPECT_EQ(g.GetCells(1, 2), "a");
    EXPECT_EQ(g.GetColWidths(0), 90);
    g.DeleteColumn(0);
    EXPECT_EQ(g.GetColCount(), 3);
    EXPECT_EQ(g.GetCells(0, 2), "a");
    EXPECT_THROW(g.MoveRow(0, 5), EInvalidGridOperation);
    EXPECT_THROW(g.MoveColumn(-1, 0), EInvalidGridOperation);
}

// Rows hold the run of columns written and are widened either way: texts and objects
// written in any order, with columns and rows moved, rows deleted and added and columns
// added, must read back as a plain table kept beside says.
TEST(GridAlmacen, EscriturasYMovimientosEnCualquierOrdenComoUnaTablaSimple) {
    RejillaPrueba g(nullptr);
    int cols = 3, rows = 20;
    g.SetColCount(cols);
    g.SetRowCount(rows);
    constexpr int MaxCols = 9;
    using Celda = std::pair<std::string, TObject*>;
    std::vector<std::vector<Celda>> modelo(rows, std::vector<Celda>(MaxCols));
    Objeto objetos[3];
    std::mt19937 rng(37);
    auto al = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int paso = 0; paso < 4000; ++paso) {
        SCOPED_TRACE(paso);
        switch (al(11)) {
        case 0:
        case 1:
        case 2:
        case 3: {
            const int c = al(cols), r = al(rows);
            const std::string t = al(4) == 0 ? std::string() : "t" + std::to_string(paso);
            g.SetCells(c, r, AnsiString(t));
            modelo[r][c].first = t;
            break;
        }
        case 4: {
            const int c = al(cols), r = al(rows);
            TObject* o = al(3) == 0 ? nullptr : &objetos[al(3)];
            g.SetObjects(c, r, o);
            modelo[r][c].second = o;
            break;
        }
        case 5: {
            const int from = al(cols), to = al(cols);
            g.MoveColumn(from, to);
            for (auto& fila : modelo)
                if (from < to)
                    std::rotate(fila.begin() + from, fila.begin() + from + 1,
                                fila.begin() + to + 1);
                else if (from > to)
                    std::rotate(fila.begin() + to, fila.begin() + from, fila.begin() + from + 1);
            break;
        }
        case 6: {
            const int from = al(rows), to = al(rows);
            g.MoveRow(from, to);
            const auto fila = modelo[from];
            modelo.erase(modelo.begin() + from);
            modelo.insert(modelo.begin() + to, fila);
            break;
        }
        case 7:
            if (rows > 12) {
                const int r = al(rows);
                g.DeleteRow(r);
                modelo.erase(modelo.begin() + r);
                --rows;
            }
            break;
        case 8:
            if (rows < 30) {
                g.SetRowCount(++rows);
                modelo.emplace_back(MaxCols);
            }
            break;
        case 9:
            if (cols < MaxCols && al(8) == 0) g.SetColCount(++cols);
            break;
        case 10: {
            // A column leaves: its objects are handed over, the columns behind move left,
            // and the store's last column (with what lies from a column on) is emptied.
            const int store = g.GetStoreColCount();
            const int c = al(store), desde = c + al(store - c);
            std::vector<TObject*> vistos, esperados;
            for (auto& fila : modelo)
                if (fila[c].second) esperados.push_back(fila[c].second);
            g.RemoveStoreCols(TRealCol(c), 1, TRealCol(desde), [&vistos](TGridCell& Celda) {
                if (Celda.Object) vistos.push_back(Celda.Object);
            });
            ASSERT_EQ(vistos, esperados);
            for (auto& fila : modelo) {
                std::rotate(fila.begin() + c, fila.begin() + c + 1, fila.begin() + store);
                for (int k = desde; k < MaxCols; ++k)
                    fila[k] = Celda();
            }
            break;
        }
        }
        if (paso % 50 == 49 || paso == 3999)
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < cols; ++c) {
                    ASSERT_EQ(g.GetCells(c, r).str(), modelo[r][c].first) << c << "," << r;
                    ASSERT_EQ(g.GetObjects(c, r), modelo[r][c].second) << c << "," << r;
                }
    }
}

// A row's identity stays with it through every way the grid moves rows, and a row that left
// the grid is not found by it any more; a plain list of identities kept beside says where
// each row is.
TEST(GridAlmacen, CadaFilaConservaSuIdentidadAlMoverseLasFilas) {
    RejillaPrueba g(nullptr);
    g.SetRowCount(12);
    std::vector<TGridRowId> modelo;
    for (int r = 0; r < g.GetRowCount(); ++r)
        modelo.push_back(g.GetRowId(r));
    std::vector<TGridRowId> idas; // rows that left the grid
    std::mt19937 rng(58);
    auto al = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    for (int paso = 0; paso < 3000; ++paso) {
        SCOPED_TRACE(paso);
        const int n = g.GetRowCount();
        switch (al(7)) {
        case 0: {
            const int from = al(n), to = al(n);
            g.MoveRow(from, to);
            const TGridRowId id = modelo[from];
            modelo.erase(modelo.begin() + from);
            modelo.insert(modelo.begin() + to, id);
            break;
        }
        case 1: {
            const int a = al(n), b = al(n);
            g.ExchangeRows(a, b);
            std::swap(modelo[a], modelo[b]);
            break;
        }
        case 2: {
            const int first = al(n), count = al(n - first) + 1;
            std::vector<int> from(count);
            std::iota(from.begin(), from.end(), first);
            std::shuffle(from.begin(), from.end(), rng);
            g.PermuteRows(first, from);
            const std::vector<TGridRowId> antes = modelo;
            for (int i = 0; i < count; ++i)
                modelo[first + i] = antes[from[i]];
            break;
        }
        case 3: {
            const int first = al(n), last = first + al(n - first) + 1;
            const int middle = first + al(last - first);
            g.RotateRows(first, middle, last);
            std::rotate(modelo.begin() + first, modelo.begin() + middle, modelo.begin() + last);
            break;
        }
        case 4:
            if (n > 3) {
                const int r = al(n);
                g.DeleteRow(r);
                idas.push_back(modelo[r]);
                modelo.erase(modelo.begin() + r);
            }
            break;
        case 5:
            if (n < 30) {
                g.SetRowCount(n + 1);
                modelo.push_back(g.GetRowId(n));
            }
            break;
        case 6:
            if (n > 3) {
                g.SetRowCount(n - 1);
                idas.push_back(modelo.back());
                modelo.pop_back();
            }
            break;
        }
        ASSERT_EQ(static_cast<int>(modelo.size()), g.GetRowCount());
        if (paso % 25 == 24)
            for (int r = 0; r < g.GetRowCount(); ++r) {
                ASSERT_TRUE(modelo[r]) << r;
                ASSERT_EQ(g.GetRowId(r), modelo[r]) << r;
                ASSERT_EQ(g.FindRowId(modelo[r]), r) << r;
            }
    }
    // Identities are never reused: a row gone is not found, not even after rows were added.
    for (TGridRowId id : idas)
        EXPECT_EQ(g.FindRowId(id), -1);
    EXPECT_EQ(g.FindRowId(TGridRowId()), -1);
    EXPECT_FALSE(g.GetRowId(g.GetRowCount()));
}

TEST(GridAlmacen, ListasDeFilaYColumna) {
    RejillaPrueba g(nullptr);
    g.SetColCount(3);
    TStringList l;
    Objeto o;
    l.Add("a");
    l.AddObject("b", &o);
    g.GetRows(2)->Assign(l);
    EXPECT_EQ(g.GetCells(0, 2), "a");
    EXPECT_EQ(g.GetCells(1, 2), "b");
    EXPECT_EQ(g.GetObjects(1, 2), &o);
    EXPECT_EQ(g.GetRows(2)->GetCount(), 3);
    g.GetRows(2)->Exchange(0, 1);
    EXPECT_EQ(g.GetCells(0, 2), "b");
    EXPECT_EQ(g.GetObjects(0, 2), &o);
    EXPECT_EQ(g.GetObjects(1, 2), nullptr);
    // A row assigned to a column: each list keeps its length.
    g.GetCols(1)->Assign(*g.GetRows(2));
    EXPECT_EQ(g.GetCells(1, 0), "b");
    EXPECT_EQ(g.GetCells(1, 1), "a");
    EXPECT_EQ(g.GetCells(1, 2), "");
    EXPECT_EQ(g.GetCells(1, 4), "");
    TStringList copia;
    copia.Assign(*g.GetCols(1));
    EXPECT_EQ(copia.GetCount(), 5);
    EXPECT_EQ(copia.GetText(), "b\r\na\r\n\r\n\r\n\r\n");
    EXPECT_THROW(g.GetRows(2)->Insert(0, "x"), EInvalidGridOperation);
    EXPECT_THROW(g.GetRows(2)->GetStrings(3), EStringListError);
    EXPECT_THROW(g.GetRows(5), EInvalidGridOperation);
}

TEST(GridCuentas, ReglasDeLasFilasYColumnasFijas) {
    RejillaPrueba g(nullptr);
    EXPECT_EQ(g.GetColCount(), 5);
    EXPECT_EQ(g.GetRowCount(), 5);
    EXPECT_EQ(g.GetFixedCols(), 1);
    EXPECT_EQ(g.GetFixedRows(), 1);
    // The fixed count falls with the count.
    g.SetFixedRows(3);
    g.SetRowCount(3);
    EXPECT_EQ(g.GetFixedRows(), 2);
    g.SetRowCount(0); // at least one row
    EXPECT_EQ(g.GetRowCount(), 1);
    EXPECT_EQ(g.GetFixedRows(), 0);
    g.SetColCount(1);
    EXPECT_EQ(g.GetFixedCols(), 0);
    try {
        g.SetFixedCols(1);
        FAIL();
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(e.Message, "Fixed column count must be less than column count");
    }
    try {
        g.SetFixedRows(1);
        FAIL();
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(e.Message, "Fixed row count must be less than row count");
    }
    EXPECT_THROW(g.SetFixedCols(-1), EInvalidGridOperation);
    // Setting the fixed counts brings the view and the current cell to the first
    // scrollable cell.
    g.SetColCount(6);
    g.SetRowCount(6);
    g.MoveCurrent(4, 4, true, false);
    g.SetFixedCols(2);
    g.SetFixedRows(3);
    EXPECT_EQ(g.GetCol(), 2);
    EXPECT_EQ(g.GetRow(), 3);
    EXPECT_EQ(g.GetLeftCol(), 2);
    EXPECT_EQ(g.GetTopRow(), 3);
    // The current cell stays inside after a shrink.
    g.MoveCurrent(5, 5, true, false);
    g.SetRowCount(4);
    EXPECT_EQ(g.GetRow(), 3);
    EXPECT_GE(g.cambiosTamano, 1);
}

TEST(GridCuentas, TamanosPorDefectoYPropios) {
    RejillaPrueba g(nullptr);
    g.SetColWidths(2, 10);
    g.SetColWidths(99, 10); // ignored
    g.SetColWidths(3, -4);  // counts as 0
    EXPECT_EQ(g.GetColWidths(2), 10);
    EXPECT_EQ(g.GetColWidths(3), 0);
    EXPECT_EQ(g.GetColWidths(99), 64);
    EXPECT_EQ(g.GetColOffset(4), 64 + 1 + 64 + 1 + 10 + 1 + 0 + 1);
    EXPECT_EQ(g.SumColWidths(1, 3), 64 + 10 + 0);
    // A new default applies to every column, as the class library's does.
    g.SetDefaultColWidth(30);
    EXPECT_EQ(g.GetColWidths(2), 30);
    g.SetColCount(7);
    EXPECT_EQ(g.GetColWidths(6), 30);
}

} // namespace
