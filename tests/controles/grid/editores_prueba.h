#pragma once
// The grid the editor tests use: 5 columns by 6 rows of numbered cells, column 2 edited by the
// editor kind a test sets (tipo), the current cell (2, 2), and the regional separators of a
// Spanish desktop (',' for decimals, '.' for thousands) for the test's length.

#include "plataforma/base/numbers.h"
#include "plataforma/base/regional.h"
#include "tests/controles/grid/rejilla_prueba.h"

class Editores : public RejillaEnVentana<> {
protected:
    void SetUp() override {
        decimal = GetDecimalSeparator();
        miles = GetThousandSeparator();
        SetDecimalSeparator(',');
        SetThousandSeparator('.');
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 520, 260);
        g->SetColCount(5);
        g->SetRowCount(6);
        g->SetColWidths(2, 120);
        g->SetOptions(g->GetOptions() << goEditing);
        Rellenar();
        g->OnGetEditorType = [this](TObject*, int col, int, TEditorType& e) {
            if (col == 2) e = tipo;
        };
        g->SetFocus();
        Ir(2, 2);
    }
    void TearDown() override {
        RejillaEnVentana::TearDown();
        SetDecimalSeparator(decimal);
        SetThousandSeparator(miles);
    }
    // Every cell of the data area holds column × 10 + row.
    void Rellenar() {
        for (int r = 1; r < 6; ++r)
            for (int c = 1; c < 5; ++c)
                g->SetCells(c, r, IntToStr(c * 10 + r));
    }
    void Ir(int col, int row) {
        g->SetCol(col);
        g->SetRow(row);
    }
    TWinControl* Activo() const { return g->GetActiveEditor(); }
    bool Abierto(TWinControl* c) const { return c && c->GetVisible() && c->Focused(); }
    TEditorType tipo = edNormal;
    char decimal = '.', miles = ',';
};
