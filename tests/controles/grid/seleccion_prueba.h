#pragma once
// Sets a grid's selection to columns L..R, rows T..B.

#include "plataforma/gui/grid/grids.h"

inline void Seleccionar(TCustomGrid* G, int L, int T, int R, int B) {
    TGridRect s;
    s.Left = L;
    s.Top = T;
    s.Right = R;
    s.Bottom = B;
    G->SetSelection(s);
}
