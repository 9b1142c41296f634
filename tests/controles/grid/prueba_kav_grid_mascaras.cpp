// Edit masks in the grid: the in-place editor takes the cell's mask from OnGetEditMask, and
// a MASK form control of a markup cell takes the one of its PROP attribute.

#include "controles/grid/kav_grid.h"
#include "controles/grid/markup/markup_helpers.h"
#include "plataforma/base/regional.h"
#include "plataforma/base/resource_strings.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/edit.h"
#include "tests/comun/pruebas.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <gtest/gtest.h>

namespace {

class MascarasRejilla : public RejillaEnVentana<Rejilla, 600, 300> {
protected:
    void SetUp() override {
        fecha_ = GetDateSeparator();
        SetDateSeparator('/');
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 560, 220);
        g->SetColCount(3);
        g->SetRowCount(4);
        g->SetColWidths(1, 300);
        for (int r = 1; r < 4; ++r)
            g->SetRowHeights(r, 30);
        g->SetOptions(g->GetOptions() << goEditing);
        g->SetFocus();
    }
    void TearDown() override {
        RejillaEnVentana::TearDown();
        SetDateSeparator(fecha_);
    }
    char fecha_ = '/';
};

TEST_F(MascarasRejilla, ElEditorDeLaCeldaTeclaLaFechaPorSuMascara) {
    g->OnGetEditMask = [](TObject*, int col, int, AnsiString& mask) {
        if (col == 2) mask = "!99/99/0000;1;_";
    };
    g->SetCells(2, 1, "01/02/2003");
    g->SetCol(2);
    g->SetRow(1);
    SimulateKeyStroke(VK_F2);
    TInplaceEdit* ed = g->GetInplaceEditor();
    ASSERT_NE(ed, nullptr);
    ASSERT_TRUE(ed->Focused());
    EXPECT_EQ(ed->GetEditMask(), "!99/99/0000;1;_");
    ed->SetSelStart(0);
    ed->SetSelLength(0);
    SimulateTyping("1x5");
    EXPECT_EQ(ed->GetEditText(), "15/02/2003");
    // Each change reaches the cell, in the mask's shape.
    EXPECT_EQ(g->GetCells(2, 1), "15/02/2003");
    SimulateKeyStroke(VK_BACK);
    EXPECT_EQ(g->GetCells(2, 1), "1 /02/2003");
    SimulateTyping("6");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(g->GetCells(2, 1), "16/02/2003");

    // A column without a mask edits freely.
    g->SetCol(1);
    SimulateKeyStroke(VK_F2);
    EXPECT_FALSE(g->GetInplaceEditor()->IsMasked());
    SimulateTyping("x1");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(g->GetCells(1, 1), "x1");
}

TEST_F(MascarasRejilla, SinLiteralesGuardadosLaFlechaEnElBordePasaALaCeldaSiguiente) {
    g->OnGetEditMask = [](TObject*, int col, int, AnsiString& mask) {
        if (col == 1) mask = "00-00;0;_";
    };
    g->SetCells(1, 1, "1234");
    g->SetCol(1);
    g->SetRow(1);
    SimulateKeyStroke(VK_F2);
    TInplaceEdit* ed = g->GetInplaceEditor();
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(ed->GetEditText(), "12-34");
    EXPECT_EQ(ed->GetSelStart() + ed->GetSelLength(), 5);
    // The caret at the end of the text as shown is at the editor's edge.
    SimulateKeyStroke(VK_RIGHT);
    EXPECT_EQ(g->GetCol(), 2);
    EXPECT_EQ(g->GetCells(1, 1), "1234");
}

TEST_F(MascarasRejilla, ElControlMaskDeUnaCeldaDeMarcadoAplicaSuMascara) {
    g->SetCells(1, 1,
                "<B>Alta</B>: <CONTROL TYPE=\"MASK\" ID=\"f\" VALUE=\"\" WIDTH=\"90\" "
                "PROP=\"!99/99/0000;1;_\">");
    std::vector<AnsiString> hechos;
    g->OnControlEditDone = [&](TObject*, int, int, const AnsiString&, const AnsiString&,
                               const AnsiString& valor) { hechos.push_back(valor); };
    // A click on the control enters it.
    const TRect r = g->CellRect(1, 1);
    const int y = (r.Top + r.Bottom) / 2;
    int x = r.Left;
    while (x < r.Right && g->AnchorAt(1, 1, x, y) != "ctrl")
        ++x;
    ASSERT_LT(x, r.Right);
    SimulateClick(g, x + 3, y);
    TMaskEdit* ed = g->GetFormEdit();
    ASSERT_NE(ed, nullptr);
    ASSERT_TRUE(ed->Focused());
    EXPECT_EQ(ed->GetEditText(), "__/__/____");
    ed->SetSelStart(0);
    ed->SetSelLength(0);
    SimulateTyping("3112a1999");
    EXPECT_EQ(ed->GetEditText(), "31/12/1999");
    SimulateKeyStroke(VK_RETURN);
    AnsiString valor;
    GetControlValue(g->GetCells(1, 1), "f", valor);
    EXPECT_EQ(valor, "31/12/1999");
    ASSERT_EQ(hechos.size(), 1u);
    EXPECT_EQ(hechos[0], "31/12/1999");
}

} // namespace
