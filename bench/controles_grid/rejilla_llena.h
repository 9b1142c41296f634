#pragma once
// A grid filled once for the benchmarks of the grid's files: every cell of Filas × Columnas
// holds Texto(row, col), and the fixed cells are stored with the rest.

#include "controles/grid/kav_grid.h"

template <class FuncionTexto>
TKavStringGrid* RejillaLlena(int Filas, int Columnas, FuncionTexto Texto) {
    auto* grid = new TKavStringGrid(nullptr);
    grid->SetStoreFixedCells(true);
    grid->SetColCount(Columnas);
    grid->SetRowCountEx(Filas);
    for (int r = 0; r < Filas; ++r)
        for (int c = 0; c < Columnas; ++c)
            grid->SetCellEx(c, r, Texto(r, c));
    return grid;
}
