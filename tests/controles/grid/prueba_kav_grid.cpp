// The advanced grid's model core: defaults after construction and after loading, the per-cell
// hooks, the dimension setters, the index maps with hidden rows and columns set up directly,
// the update lock, the current row's event, typed access, cell graphics, the column order,
// wide cells, the version and the unit's start-up.

#include "controles/grid/editing/grid_check.h"
#include "controles/grid/editing/undo_redo.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/regional.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/images/image_list.h"
#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/kernel/timers.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/services/clipboard.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <array>

namespace {

class KavGrid : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        g = new Rejilla(ventana.get(), ventana.get());
    }
    std::unique_ptr<VentanaPrueba> ventana;
    Rejilla* g = nullptr;
};

TEST_F(KavGrid, ValoresTrasLaConstruccion) {
    EXPECT_EQ(g->GetRowCountEx(), 10);
    EXPECT_EQ(g->GetColCountEx(), 5);
    EXPECT_EQ(g->GetFixedRowsEx(), 1);
    EXPECT_EQ(g->GetFixedColsEx(), 1);
    EXPECT_EQ(g->GetDefRowHeightEx(), 21);
    EXPECT_EQ(g->GetFixedColWidth(), 64);
    EXPECT_EQ(g->GetFixedRowHeight(), 21);
    EXPECT_EQ(g->GetWidth(), 400);
    EXPECT_EQ(g->GetHeight(), 250);
    EXPECT_EQ(g->GetFloatFormat(), "%.2f");
    EXPECT_EQ(g->GetCheckTrue(1, 1), "Y");
    EXPECT_EQ(g->GetCheckFalse(1, 1), "N");
    EXPECT_EQ(g->GetActiveCellColor(), clGray);
    EXPECT_EQ(g->GetActiveCellColorTo(), clNone);
    EXPECT_EQ(g->GetActiveCellFont()->GetName(), "Tahoma");
    EXPECT_EQ(g->GetFixedFont()->GetName(), "Tahoma");
    EXPECT_EQ(g->GetSelectionColor(), 0xEACAB6);
    EXPECT_TRUE(g->GetShowSelection());
    EXPECT_EQ(g->GetHintColor(), clInfoBk);
    EXPECT_TRUE(g->GetEnableHTML());
    EXPECT_TRUE(g->GetEnhRowColMove());
    EXPECT_EQ(g->GetLook(), glXP);
    EXPECT_EQ(g->GetScrollWidth(), GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_TRUE(g->GetWordWrap());
    EXPECT_TRUE(g->GetCellProperties(2, 2)->GetWordWrap());
    EXPECT_EQ(g->GetDefaultEditor(), edNormal);
    EXPECT_FALSE(g->GetDefaultDrawing());
    EXPECT_EQ(g->GetGridLineWidth(), 1);
    EXPECT_TRUE(g->GetOptions().Contains(goDrawFocusSelected));
    EXPECT_FALSE(g->GetIsWinXP()); // themed drawing is off in the layer
    EXPECT_FALSE(g->GetIsComCtl6());

    EXPECT_EQ(g->GetColumnSize()->GetStretchColumn(), -1);
    EXPECT_EQ(g->GetCellNode()->GetNodeIndent(), 12);
    EXPECT_EQ(g->GetCellNode()->GetNodeType(), cnXP);
    EXPECT_TRUE(g->GetNavigation()->GetSkipFixedCells());
    EXPECT_TRUE(g->GetMouseActions()->GetAutoSizeColOnDblClick());
    EXPECT_FALSE(g->GetMouseActions()->GetRowSelect());
    EXPECT_EQ(g->GetPrintSettings()->GetDateFormat(), "dd/mm/yyyy");
    EXPECT_EQ(g->GetPrintSettings()->GetOrientation(), poPortrait);
    EXPECT_EQ(g->GetHTMLSettings()->GetWidth(), 100);
    EXPECT_EQ(g->GetBands()->GetPrimaryColor(), clInfoBk);
    EXPECT_EQ(g->GetBands()->GetPeriod(), 2);
    EXPECT_TRUE(g->GetSortSettings()->GetFull());
    EXPECT_TRUE(g->GetSortSettings()->GetAutoFormat());
    EXPECT_TRUE(g->GetSortSettings()->GetAutoSortForGrouping());
    EXPECT_EQ(g->GetSortSettings()->GetIndexColor(), clYellow);
    EXPECT_EQ(g->GetControlLook()->GetCheckSize(), 15);
    EXPECT_EQ(g->GetControlLook()->GetControlStyle(), csWinXP);
    EXPECT_EQ(g->GetBackGround()->GetColor(), clWindow);
    EXPECT_EQ(g->GetDragScrollOptions()->GetDelays()->GetInitialDelay(), 1000);
    EXPECT_EQ(g->GetDragScrollOptions()->GetMargins()->GetLeftMargin(), 50);
    EXPECT_EQ(g->GetBalloon()->GetAutoHideDelay(), -1);
    EXPECT_EQ(g->GetGrouping()->GetHeaderLineWidth(), 2);
    EXPECT_FALSE(g->GetDragDropSettings()->GetOleDropTarget());
    EXPECT_FALSE(g->HasNodes());
    EXPECT_EQ(g->GetNodeCount(), 0);
    EXPECT_FALSE(g->GetReadOnly(2, 3));
    EXPECT_FALSE(g->HasCellProperties(2, 3));
    // The grid's timer runs from the window's creation.
    EXPECT_TRUE(KillTimer(g->GetHandle(), 111));
}

TEST_F(KavGrid, ValoresTrasLaCarga) {
    auto* h = new Rejilla(ventana.get());
    h->BeginLoading();
    h->SetFixedRowsEx(2);
    h->SetOptions(h->GetOptions() << goAlwaysShowEditor);
    h->GetControlLook()->SetControlStyle(csTheme);
    h->SetLook(glKav);
    h->SetFixedRowAlways(true);
    h->EndLoading();
    EXPECT_TRUE(h->GetLoaded());
    EXPECT_FALSE(h->GetOptions().Contains(goAlwaysShowEditor));
    EXPECT_TRUE(h->GetNavigation()->GetAlwaysEdit());
    EXPECT_EQ(h->GetControlLook()->GetControlStyle(), csClassic); // no themes here
    // The fixed rows recorded at loading come back when the grid grows again.
    h->SetRowCountEx(2);
    EXPECT_EQ(h->GetFixedRowsEx(), 1);
    h->SetRowCountEx(8);
    EXPECT_EQ(h->GetFixedRows(), 2);
    delete h;
}

TEST_F(KavGrid, GanchosPorCeldaSoloConSuEvento) {
    TBrush brush;
    TFont font;
    brush.SetColor(clWhite);
    font.SetColor(clBlack);
    // Without properties nor event the colours stay; a set property colour wins.
    g->GetCellColor(2, 2, {}, &brush, &font);
    EXPECT_EQ(brush.GetColor(), clWhite);
    TCellProperties* p = g->GetCellProperties(2, 2);
    p->SetBrushColor(clLime);
    p->SetFontName("Arial");
    g->GetCellColor(2, 2, {}, &brush, &font);
    EXPECT_EQ(brush.GetColor(), clLime);
    EXPECT_EQ(font.GetName(), "Arial");
    brush.SetColor(clWhite);
    g->GetCellProperties(3, 3); // BrushColor not set: the painter's colour stays
    g->GetCellColor(3, 3, {}, &brush, &font);
    EXPECT_EQ(brush.GetColor(), clWhite);
    int veces = 0;
    g->OnGetCellColor = [&](TObject* s, int c, int r, TGridDrawState, TBrush* b, TFont*) {
        EXPECT_EQ(s, g);
        EXPECT_EQ(c, 3);
        EXPECT_EQ(r, 3);
        ++veces;
        b->SetColor(clRed);
    };
    g->GetCellColor(3, 3, {}, &brush, &font);
    EXPECT_EQ(veces, 1);
    EXPECT_EQ(brush.GetColor(), clRed);

    // ActiveCellShow: the header cells of the current cell take the active colour.
    g->SetActiveCellShow(true);
    g->SetCol(3);
    g->SetRowEx(4);
    g->OnGetCellColor = nullptr;
    for (auto [c, r, activa] : {std::tuple{0, 4, true}, {3, 0, true}, {0, 3, false}}) {
        brush.SetColor(clWhite);
        g->GetCellColor(c, r, {}, &brush, &font);
        EXPECT_EQ(brush.GetColor() == clGray, activa) << c << "," << r;
    }

    // Fixed cells: the event only for cells not already fixed.
    std::vector<std::pair<int, int>> preguntadas;
    g->OnIsFixedCell = [&](TObject*, int c, int r, bool& f) {
        preguntadas.emplace_back(c, r);
        f = c == 4;
    };
    EXPECT_TRUE(g->IsFixed(0, 3));
    EXPECT_TRUE(g->IsFixed(2, 0));
    EXPECT_FALSE(g->IsFixed(2, 3));
    EXPECT_TRUE(g->IsFixed(4, 3));
    EXPECT_EQ(preguntadas.size(), 2u);

    // Read-only: the base cell's flag, and nothing is editable without goEditing.
    bool editable = true;
    g->GetCellReadOnly(2, 2, editable);
    EXPECT_FALSE(editable);
    g->SetOptions(g->GetOptions() << goEditing);
    g->MergeCells(1, 1, 2, 2);
    g->GetCellProperties(1, 1)->SetReadOnly(true);
    editable = true;
    g->GetCellReadOnly(2, 2, editable);
    EXPECT_FALSE(editable);
    editable = true;
    g->GetCellReadOnly(3, 1, editable);
    EXPECT_TRUE(editable);
    g->OnCanEditCell = [](TObject*, int, int, bool& e) { e = !e; };
    g->GetCellReadOnly(3, 1, editable);
    EXPECT_FALSE(editable);

    // The other hooks leave their answer without an event.
    TAlignment ha = taRightJustify;
    TVAlignment va = vtaBottom;
    g->GetCellAlign(0, 2, ha, va);
    EXPECT_EQ(ha, taRightJustify);
    g->GetMouseActions()->SetHotmailRowSelect(true);
    g->GetCellAlign(0, 2, ha, va);
    EXPECT_EQ(ha, taCenter);
    bool ww = true, pw = false;
    g->GetCellWordWrap(1, 1, ww);
    g->GetCellPassword(1, 1, pw);
    EXPECT_TRUE(ww);
    EXPECT_FALSE(pw);
    EXPECT_FALSE(g->HasCombo(1, 1));
    g->OnHasComboBox = [](TObject*, int c, int, bool& h) { h = c == 2; };
    EXPECT_TRUE(g->HasCombo(2, 1));
    g->OnGetCheckTrue = [](TObject*, int, int, AnsiString& s) { s = "Sí"; };
    EXPECT_EQ(g->GetCheckTrue(1, 1), "Sí");
    AnsiString hint = "h";
    g->GetCellHint(1, 1, hint);
    EXPECT_EQ(hint, "h");
    TEditorType ed = edNormal;
    g->OnGetEditorType = [](TObject*, int, int, TEditorType& e) { e = edComboList; };
    g->GetCellEditor(1, 1, ed);
    EXPECT_EQ(ed, edComboList);
}

TEST_F(KavGrid, DimensionesYFilaActual) {
    // The data row count follows RowCount: the display hook reaches new rows.
    g->OnGetDisplText = [](TObject*, int, int, AnsiString& s) { s = "[" + s + "]"; };
    g->SetRowCountEx(20);
    g->SetCells(1, 15, "x");
    EXPECT_EQ(g->GetCellEx(1, 15), "[x]");

    // FixedRowAlways reports one fixed row over none and puts the fixed rows back.
    g->SetFixedRowAlways(true);
    g->SetFixedRowsEx(0);
    EXPECT_EQ(g->GetFixedRows(), 0);
    EXPECT_EQ(g->GetFixedRowsEx(), 1);
    g->SetFixedRowsEx(2);
    g->SetRowCountEx(2); // only fixed rows left: the base lowers them
    EXPECT_EQ(g->GetFixedRows(), 1);
    g->SetRowCountEx(6);
    EXPECT_EQ(g->GetFixedRows(), 2);
    g->SetFixedColAlways(true);
    g->SetFixedColsEx(0);
    EXPECT_EQ(g->GetFixedColsEx(), 1);

    g->SetFixedFooters(1);
    g->SetFixedRightCols(2);
    EXPECT_EQ(g->GetFixedFooters(), 1);
    EXPECT_EQ(g->GetFixedRightCols(), 2);

    // OnRowUpdate: on a change, not for the same row, not while locked.
    std::vector<std::pair<int, int>> cambios;
    g->OnRowUpdate = [&](TObject*, int a, int b) { cambios.emplace_back(a, b); };
    g->SetRowEx(3);
    g->SetRowEx(3);
    g->SetRowEx(4);
    ASSERT_EQ(cambios.size(), 2u);
    EXPECT_EQ(cambios[0], std::make_pair(-1, 3));
    EXPECT_EQ(cambios[1], std::make_pair(3, 4));
    g->BeginUpdate();
    g->SetRowEx(2);
    g->EndUpdate();
    EXPECT_EQ(cambios.size(), 2u);
    EXPECT_EQ(g->GetRowEx(), 2);
    g->SetRowEx(5); // the footer row cannot become current
    EXPECT_EQ(g->GetRowEx(), 2);

    // Stretching the last of two 64-pixel columns in a 300-pixel client: switching Stretch on
    // stretches it at once.
    g->SetColCountEx(2);
    g->SetFixedColsEx(0);
    g->SetBounds(0, 0, 300, 100);
    g->GetColumnSize()->SetStretch(true);
    EXPECT_EQ(g->GetColWidths(1), 235);
    g->SetColWidths(1, 64);
    g->StretchColumn(-1);
    EXPECT_EQ(g->GetColWidths(1), 235);
    EXPECT_THROW(g->StretchColumn(2), EKavGridError);
    // A grid not yet placed only stores the setting.
    Rejilla suelta(nullptr);
    suelta.SetBounds(0, 0, 300, 100);
    suelta.SetColCountEx(2);
    suelta.GetColumnSize()->SetStretch(true);
    EXPECT_TRUE(suelta.GetColumnSize()->GetStretch());
    EXPECT_EQ(suelta.GetColWidths(1), 64);
}

// IntegralHeight: whatever height is asked, the client area holds a whole number of rows of
// the default height, above the horizontal bar when the columns do not fit.
TEST_F(KavGrid, AlturaEnteraDeFilas) {
    g->SetScrollBars(ssBoth);
    g->SetIntegralHeight(true);
    for (int columnas : {5, 12}) {
        g->SetColCountEx(columnas);
        for (int alto : {250, 100, 137, 64}) {
            g->SetBounds(0, 0, 400, alto);
            SCOPED_TRACE(::testing::Message() << columnas << " columns, " << alto);
            EXPECT_LE(g->GetHeight(), alto);
            EXPECT_EQ(g->GetClientHeight() % g->GetDefaultRowHeight(), 0) << g->GetClientHeight();
            EXPECT_GT(g->GetClientHeight() + g->GetDefaultRowHeight(),
                      alto - (g->GetHeight() - g->GetClientHeight()));
        }
    }
}

// Loading a grid of the glKav look gives the popup caption window the button gradient,
// silver to white; another look leaves it without one.
TEST_F(KavGrid, ElAspectoKavDaSuDegradadoAlBotonEmergente) {
    struct Caso {
        TGridLook aspecto;
        TColor desde, hasta;
    } casos[] = {{glKav, clSilver, clWhite}, {glXP, clNone, clNone}, {glSoft, clNone, clNone}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(static_cast<int>(c.aspecto));
        auto* r = new Rejilla(ventana.get(), ventana.get());
        r->SetLook(c.aspecto);
        r->Loaded();
        EXPECT_EQ(r->GetPopupButton()->GetGradFrom(), c.desde);
        EXPECT_EQ(r->GetPopupButton()->GetGradTo(), c.hasta);
        EXPECT_FALSE(r->GetPopupButton()->GetVisible());
    }
}

TEST_F(KavGrid, PropiedadesSinFugasAlReducirFilas) {
    // The layer grid of the database manager: alignments first, then a smaller RowCount.
    g->SetRowCountEx(6);
    for (int r = 0; r < 6; ++r) {
        g->SetAlignments(0, r, taCenter);
        g->SetAlignments(3, r, taRightJustify);
    }
    EXPECT_EQ(g->GetCellProperties(3, 4)->GetAlignment(), taRightJustify);
    g->SetRowCountEx(2);
    g->SetRowCountEx(6);
    EXPECT_FALSE(g->HasCellProperties(3, 4));
    EXPECT_TRUE(g->HasCellProperties(3, 1));
    // A hidden row's properties go with the grid (the sanitizer build sees a leak otherwise);
    // Clear empties the hidden rows too, freeing their properties.
    auto* oculta = static_cast<TGridItem*>(g->GetHiddenRowList()->Add());
    oculta->SetIdx(9);
    oculta->GetItems()->AddObject("a", new TCellProperties(g, 0, 9));
    g->Clear();
    EXPECT_FALSE(g->HasCellProperties(3, 1));
    EXPECT_EQ(oculta->GetItems()->GetObjects(0), nullptr);
    EXPECT_EQ(oculta->GetItems()->GetStrings(0), "");
    oculta->GetItems()->SetObjects(0, new TCellProperties(g, 0, 9));
}

TEST_F(KavGrid, MapasDeIndicesEnAmbosSentidos) {
    // Real columns 0-4 with column 1 hidden.
    g->SetColCountEx(4);
    g->SetVisibleCol(1, false);
    EXPECT_EQ(g->NumHiddenColumns(), 1);
    EXPECT_EQ(g->RemapCol(1), 2);
    EXPECT_EQ(g->RemapCol(0), 0);
    EXPECT_EQ(g->RemapColInv(2), 1);
    EXPECT_EQ(g->RemapColInv(1), 1);
    EXPECT_EQ(g->RemapColInv(0), 0);
    EXPECT_EQ(g->TotalColCount(), 5);
    EXPECT_EQ(g->GetAllColCount(), 5);
    EXPECT_TRUE(g->IsHiddenColumn(1));
    EXPECT_FALSE(g->IsHiddenColumn(600));
    EXPECT_EQ(g->RemapCol(600), 600);
    EXPECT_EQ(g->RemapCol(511), 0); // beyond the shown columns
    g->SetCol(1);
    EXPECT_EQ(g->GetRealCol(), 2);
    EXPECT_EQ(g->DisplColIndex(4), 3);

    // Real rows 0-9 with rows 3 and 4 hidden (items added out of order).
    g->SetRowCountEx(8);
    for (int idx : {4, 3}) {
        auto* item = static_cast<TGridItem*>(g->GetHiddenRowList()->Add());
        item->SetIdx(idx);
        item->GetItems()->Add("oculta " + AnsiString(idx));
    }
    EXPECT_EQ(g->NumHiddenRows(), 2);
    EXPECT_EQ(g->TotalRowCount(), 10);
    EXPECT_EQ(g->RemapRowInv(3), 5);
    EXPECT_EQ(g->RemapRowInv(2), 2);
    EXPECT_EQ(g->RemapRow(5), 3);
    EXPECT_EQ(g->RemapRow(2), 2);
    EXPECT_EQ(g->RealRowIndex(7), 9);
    EXPECT_EQ(g->DisplRowIndex(9), 7);
    EXPECT_TRUE(g->IsHiddenRow(4));
    EXPECT_FALSE(g->IsHiddenRow(5));
    ASSERT_NE(g->HiddenRow(3), nullptr);
    EXPECT_EQ(g->HiddenRow(3)->GetStrings(0), "oculta 3");
    g->SetRowEx(3);
    EXPECT_EQ(g->GetRealRow(), 5);

    // Typed access by real index: hidden row, then a shown row through both maps.
    g->GetHiddenRowList()->GetItem(0);
    g->HiddenRow(4)->SetStrings(0, "2,5");
    SetDecimalSeparator(',');
    EXPECT_DOUBLE_EQ(g->GetAllFloats(0, 4), 2.5);
    g->SetAllFloats(3, 6, 1.25); // real column 3 (shown as column 2), display row 4
    EXPECT_EQ(g->GetCells(3, 4), "1,25");
    EXPECT_EQ(g->GetCells(2, 4), "");
    EXPECT_DOUBLE_EQ(g->GetAllFloats(3, 6), 1.25);
    SetDecimalSeparator('.');
}

TEST_F(KavGrid, BloqueoDeActualizacion) {
    g->SetCells(1, 1, "a");
    int pintadas = 0;
    g->OnDrawCell = [&](TObject*, int, int, const TRect&, TGridDrawState) { ++pintadas; };
    g->Repaint();
    EXPECT_GT(pintadas, 0);
    g->BeginUpdate();
    g->BeginUpdate();
    g->BeginUpdate();
    EXPECT_TRUE(g->GetLockFlag());
    pintadas = 0;
    g->Repaint();
    EXPECT_EQ(pintadas, 0);
    g->EndUpdate();
    g->EndUpdate();
    EXPECT_EQ(g->GetUpdateCount(), 1);
    g->EndUpdate();
    EXPECT_FALSE(g->GetLockFlag());
    g->EndUpdate(); // never below 0
    EXPECT_EQ(g->GetUpdateCount(), 0);
    UpdateWindow(g->GetHandle());
    EXPECT_GT(pintadas, 0);

    g->StartUpdate();
    EXPECT_TRUE(g->GetLockFlag());
    g->ResetUpdate();
    EXPECT_FALSE(g->GetLockFlag());
    g->SetLockFlag(true);
    EXPECT_EQ(g->GetUpdateCount(), 1);
    g->SetLockFlag(false);

    // A hidden grid does not count.
    g->SetVisible(false);
    g->BeginUpdate();
    EXPECT_EQ(g->GetUpdateCount(), 0);
}

TEST_F(KavGrid, AccesoTipado) {
    struct Caso {
        const char* texto;
        bool entero;
        int valor;
    } casos[] = {{"", true, 0},      {"-", true, 0},    {"42", true, 42},
                 {" -7 ", true, -7}, {"12a", false, 0}, {"1.5", false, 0}};
    for (const Caso& c : casos) {
        g->SetCellEx(1, 1, c.texto);
        if (c.entero) {
            EXPECT_EQ(g->GetInts(1, 1), c.valor) << c.texto;
        } else {
            try {
                g->GetInts(1, 1);
                ADD_FAILURE() << c.texto;
            } catch (const EKavGridError& e) {
                EXPECT_EQ(e.Message, "Cell does not contain integer value");
            }
        }
        EXPECT_EQ(g->GetCellEx(1, 1), c.texto); // reading never changes the cell
    }
    g->SetInts(2, 2, -15);
    EXPECT_EQ(g->GetCellEx(2, 2), "-15");

    SetDecimalSeparator(',');
    SetThousandSeparator('.');
    g->SetFloats(1, 2, 1234.567);
    EXPECT_EQ(g->GetCellEx(1, 2), "1234,57");
    g->SetCellEx(1, 3, "1.234,5");
    EXPECT_DOUBLE_EQ(g->GetFloats(1, 3), 1234.5);
    g->SetFloatFormat("%.1f m");
    g->SetFloats(1, 4, 2.25);
    EXPECT_EQ(g->GetCellEx(1, 4), "2,2 m");
    g->SetFloatFormat("%s"); // not a number pattern: written as FloatToStr writes it
    g->SetFloats(1, 4, 2.5);
    EXPECT_EQ(g->GetCellEx(1, 4), "2,5");
    g->SetCellEx(1, 5, "1,2,3"); // two decimal separators
    EXPECT_EQ(ErrorDeRejilla([&] { g->GetFloats(1, 5); }), "Cell does not contain a float value");
    // Plain numbers and the forms only the general rules read give the same values; a text
    // is read up to the number it starts with, and one with no number in it reads as 0.
    const std::pair<const char*, double> numeros[] = {
        {"-3,25", -3.25}, {"007", 7},     {"-0,5", -0.5}, {"(4,5)", -4.5}, {" 12 ", 12},
        {"1.000", 1000},  {"2,5e1", 25},  {"-", 0},       {"", 0},         {"x", 0},
        {"12a", 12},      {"m 7,5", 7.5}, {"abc", 0},
    };
    for (const auto& [texto, valor] : numeros) {
        g->SetCellEx(1, 5, texto);
        EXPECT_DOUBLE_EQ(g->GetFloats(1, 5), valor) << texto;
        EXPECT_DOUBLE_EQ(g->GetAllFloats(1, 5), valor) << texto;
        EXPECT_EQ(g->GetCellEx(1, 5), texto); // reading never changes the cell
    }
    SetDecimalSeparator('.');
    SetThousandSeparator(',');

    // The checker is kept (its check runs are tested with the marking).
    auto* capital = new TCapitalCheck(ventana.get());
    g->SetCellChecker(capital);
    EXPECT_EQ(g->GetCellChecker(), capital);
    EXPECT_EQ(capital->Correct(0, 0, "hola. adios! que? si"), "Hola. Adios! Que? Si");
    EXPECT_EQ(capital->Correct(0, 0, "a.b"), "A.b");
    EXPECT_EQ(capital->MarkError(0, 0, "x"), "x");
    EXPECT_EQ(TKavStringGridCheck::ReplaceOnce("a-b-c", "-", "+"), "a+b-c");
    delete capital;
    EXPECT_EQ(g->GetCellChecker(), nullptr);
}

TEST_F(KavGrid, GraficosDeCelda) {
    EXPECT_EQ(g->GetCellType(-1, 1), ctEmpty);
    EXPECT_EQ(g->GetCellType(1, 1), ctEmpty);
    EXPECT_FALSE(g->HasCellProperties(1, 1));
    TCellGraphic* gr = g->CreateCellGraphic(1, 1);
    gr->SetImageIdx(4, haLeft, vaTop);
    EXPECT_EQ(g->GetCells(1, 1), "");
    EXPECT_EQ(g->GetCellGraphic(1, 1), gr);
    EXPECT_EQ(g->GetCellType(1, 1), ctImageList);
    EXPECT_EQ(g->GetCellImageIdx(1, 1), 4);
    // A new record replaces (and frees) the old one.
    TCellGraphic* otro = g->CreateCellGraphic(1, 1);
    otro->SetCheckBox(true, false, false, haCenter, vaCenter);
    EXPECT_EQ(g->GetCellType(1, 1), ctCheckBox);
    EXPECT_FALSE(g->RemoveCellGraphic(1, 1, ctButton));
    EXPECT_TRUE(g->RemoveCellGraphic(1, 1, ctCheckBox));
    EXPECT_FALSE(g->FreeCellGraphic(1, 1));
    // Owned pictures go with their record; one left in a cell goes with the grid.
    TCellGraphic* pic = g->CreateCellGraphic(2, 2);
    auto* bmp = new TBitmap();
    bmp->SetWidth(10);
    bmp->SetHeight(10);
    pic->SetBitmap(bmp, false, haLeft, vaTop);
    pic->CellCreated = 1;

    for (auto [entrada, salida] : {std::pair{-30, 330}, {725, 5}, {360, 360}, {0, 0}}) {
        TCellGraphic a;
        a.SetAngle(entrada);
        EXPECT_EQ(a.CellAngle, salida) << entrada;
        EXPECT_EQ(a.CellType, ctRotated);
    }
    // Assign copies everything but the object references.
    TCellGraphic copia;
    copia.Assign(pic);
    EXPECT_EQ(copia.CellType, ctBitmap);
    EXPECT_EQ(copia.CellBitmap, nullptr);
}

TEST_F(KavGrid, TamanoDelGraficoEnPantallaEImpreso) {
    auto medir = [&](int c, int r) {
        int w = -1, h = -1, pw = -1, ph = -1;
        g->GetCellGraphicSize(c, r, w, h);
        g->GetPrintGraphicSize(c, r, 300, 200, 2.0, pw, ph);
        return std::array<int, 4>{w, h, pw, ph};
    };
    EXPECT_EQ(medir(1, 1), (std::array<int, 4>{0, 0, 0, 0})); // no graphic
    TBitmap bmp;
    bmp.SetSize(16, 16);
    g->CreateCellGraphic(1, 1)->SetBitmap(&bmp, false, haLeft, vaTop);
    EXPECT_EQ(medir(1, 1), (std::array<int, 4>{16, 16, 16, 16})); // empty cell
    g->SetCellEx(1, 1, "texto");
    EXPECT_EQ(medir(1, 1), (std::array<int, 4>{0, 0, 16, 16}));
    g->GetCellGraphic(1, 1)->CellHAlign = haBeforeText;
    EXPECT_EQ(medir(1, 1), (std::array<int, 4>{16, 0, 16, 16}));
    g->GetCellGraphic(1, 1)->CellVAlign = vaFull;
    EXPECT_EQ(medir(1, 1)[1], g->GetRowHeights(1));

    g->SetCellEx(2, 1, "texto");
    g->CreateCellGraphic(2, 1)->SetButton(40, 18, "...", haLeft, vaTop);
    EXPECT_EQ(medir(2, 1), (std::array<int, 4>{0, 0, 40, 18}));
    g->GetCellGraphic(2, 1)->CellVAlign = vaUnderText;
    EXPECT_EQ(medir(2, 1), (std::array<int, 4>{0, 18, 40, 18}));

    g->CreateCellGraphic(3, 1)->CellType = ctProgress;
    EXPECT_EQ(medir(3, 1), (std::array<int, 4>{0, 0, 64, 21}));
    g->CreateCellGraphic(3, 2)->SetCheckBox(true, false, false, haCenter, vaCenter);
    EXPECT_EQ(medir(3, 2), (std::array<int, 4>{15, 15, 15, 15}));

    TPicture foto;
    foto.GetBitmap()->SetSize(200, 100);
    g->CreateCellGraphic(1, 2)->SetPicture(&foto, false, StretchWithAspectRatio, 0, haLeft, vaTop);
    int pw = 0, ph = 0;
    g->GetPrintGraphicSize(1, 2, 100, 100, 2.0, pw, ph); // fitted 100 x 50
    EXPECT_EQ(pw, 50);
    EXPECT_EQ(ph, 25);

    TStringList opciones;
    opciones.Add("A");
    opciones.Add("BB");
    TCellGraphic* radio = g->CreateCellGraphic(2, 2);
    radio->CellType = ctRadio;
    radio->CellBitmap = &opciones;
    TCanvas* canvas = g->GetCanvas();
    canvas->SetFont(g->GetFont());
    const int ancho = canvas->TextWidth("BB") + 12, alto = canvas->TextHeight("gh");
    EXPECT_EQ(medir(2, 2), (std::array<int, 4>{ancho, 2 * alto, ancho, 2 * alto}));
    radio->CellBoolean = 1; // side by side
    EXPECT_EQ(medir(2, 2)[0], canvas->TextWidth("A") + 12 + ancho);

    // Five images of a 16 x 12 list side by side, then one under the other; a column sized to
    // its cells makes room for all five.
    TImageList imagenes(nullptr);
    imagenes.SetWidth(16);
    imagenes.SetHeight(12);
    g->SetGridImages(&imagenes);
    g->AddMultiImage(4, 3, 1, haLeft, vaTop);
    for (int i = 0; i < 5; ++i)
        g->GetCellImages(4, 3)->Add(i);
    EXPECT_EQ(medir(4, 3), (std::array<int, 4>{5 * 16, 12, 5 * 16, 12}));
    g->GetCellGraphic(4, 3)->CellBoolean = 0;
    EXPECT_EQ(medir(4, 3), (std::array<int, 4>{16, 5 * 12, 16, 5 * 12}));
    g->GetCellGraphic(4, 3)->CellBoolean = 1;
    g->AutoSizeCol(4);
    const int cinco = g->GetColWidths(4);
    EXPECT_GE(cinco, 5 * 16);
    g->GetCellImages(4, 3)->Delete(4);
    g->AutoSizeCol(4);
    EXPECT_EQ(cinco - g->GetColWidths(4), 16); // one image less, one image narrower
    g->SetGridImages(nullptr);
    EXPECT_EQ(medir(4, 3), (std::array<int, 4>{0, 0, 0, 0})); // no list to measure by
}

TEST_F(KavGrid, TamanoDeImagenSegunAjuste) {
    TPicture foto;
    foto.GetBitmap()->SetSize(200, 100);
    ASSERT_EQ(foto.GetWidth(), 200);
    struct Caso {
        TStretchMode modo;
        int w, h, pw, ph;
    } casos[] = {
        {noStretch, 50, 50, 200, 100},
        {Stretch, 50, 40, 50, 40},
        {StretchWithAspectRatio, 100, 100, 100, 50},
        {StretchWithAspectRatio, 400, 100, 200, 100},
        {Shrink, 400, 400, 200, 100},
        {Shrink, 100, 400, 100, 400},
        {ShrinkWithAspectRatio, 100, 400, 100, 50},
        {ShrinkWithAspectRatio, 500, 500, 200, 100},
    };
    for (const Caso& c : casos) {
        TCellGraphic g;
        g.SetPicture(&foto, false, c.modo, 0, haLeft, vaTop);
        int pw = 0, ph = 0;
        g.GetPictureSize(c.w, c.h, pw, ph);
        EXPECT_EQ(pw, c.pw) << c.modo << " " << c.w << "x" << c.h;
        EXPECT_EQ(ph, c.ph) << c.modo << " " << c.w << "x" << c.h;
    }
    TCellGraphic inset;
    inset.SetPicture(&foto, false, Stretch, 10, haLeft, vaTop);
    int pw = 0, ph = 0;
    inset.GetPictureSize(60, 50, pw, ph);
    EXPECT_EQ(pw, 50);
    EXPECT_EQ(ph, 40);
}

TEST_F(KavGrid, OrdenDeColumnasTrasMoverlas) {
    for (int c = 0; c < 5; ++c)
        g->SetCells(c, 1, AnsiString(c));
    g->SetColumnOrder();
    g->MoveColumn(0, 3);
    g->MoveColumn(4, 1);
    EXPECT_EQ(g->GetCells(0, 1), "1");
    EXPECT_EQ(g->GetColumnOrder(), (std::vector<int>{1, 4, 2, 3, 0}));
    g->ResetColumnOrder();
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(g->GetCells(c, 1), AnsiString(c));
    EXPECT_EQ(g->GetColumnOrder(), (std::vector<int>{0, 1, 2, 3, 4}));

    // Without a recorded order the first move records it.
    auto* h = new Rejilla(ventana.get());
    h->MoveColumn(2, 0);
    EXPECT_EQ(h->GetColumnOrder(), (std::vector<int>{2, 0, 1, 3, 4}));
    delete h;
}

// A hidden column keeps its recorded place: whether it was hidden before the order was
// recorded or after, putting the columns back restores the order of every column, shown
// (read through their real columns) or hidden, and the hidden one stays hidden with its
// width.
TEST_F(KavGrid, OrdenDeColumnasConUnaOculta) {
    for (bool antes : {true, false}) {
        SCOPED_TRACE(antes ? "hidden before recording" : "hidden after recording");
        auto* h = new Rejilla(ventana.get(), ventana.get());
        for (int c = 0; c < 5; ++c) {
            h->SetCells(c, 1, AnsiString(c));
            h->SetColWidths(c, 40 + c);
        }
        if (antes) h->HideColumn(1);
        h->SetColumnOrder();
        if (!antes) h->HideColumn(1);
        h->MoveColumn(0, 3); // shown 0 2 3 4 become 2 3 4 0
        h->MoveColumn(3, 1); // and 2 0 3 4
        EXPECT_EQ(h->GetCells(h->RealColIndex(1), 1), "0");
        h->ResetColumnOrder();
        EXPECT_EQ(h->GetColCount(), 4);
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(h->GetCells(h->RealColIndex(c), 1), AnsiString(c == 0 ? 0 : c + 1)) << c;
        h->UnHideColumnsAll();
        for (int c = 0; c < 5; ++c) {
            EXPECT_EQ(h->GetCells(c, 1), AnsiString(c)) << c;
            EXPECT_EQ(h->GetColWidths(c), 40 + c) << c;
        }
        delete h;
    }
}

TEST_F(KavGrid, CeldasAnchasVersionYArranque) {
    const WideString texto(u"Año \u03A9 \u20AC \U0001F600");
    g->SetWideCells(1, 1, texto);
    EXPECT_EQ(g->GetWideCells(1, 1), texto);
    EXPECT_EQ(g->GetGridCell(1, 1).SubString(1, 2), "|\\");

    EXPECT_EQ(g->GetVersionNr(), 0x03030201u);
    EXPECT_EQ(g->GetVersion(), "3.3.2.1");
    EXPECT_EQ(g->GetVersionString(), "3.3.2.1 Mar, 2006");
    g->SetVersion("9.9");
    EXPECT_EQ(g->GetVersion(), "3.3.2.1");

    // Started once for the process, whatever the number of grids.
    const int cuenta = KavGridUnitCount();
    EXPECT_LT(cuenta, 0);
    auto* h = new Rejilla(ventana.get());
    EXPECT_EQ(KavGridUnitCount(), cuenta - 1);
    delete h;
    EXPECT_EQ(GetGridClipboardFormat(), RegisterClipboardFormat("TKavStringGrid Cells"));
    EXPECT_TRUE(GetFlatScrollBarsAvailable()); // common controls 5.82 >= 4.70

    // The editor's window procedure: tabs and arrows stay in the grid with goTabs.
    std::vector<UINT> pasados;
    g->SetSavedEditorProc([&](TMessage& m) { pasados.push_back(m.Msg); });
    TMessage m{};
    m.Msg = WM_GETDLGCODE;
    g->SubclassProc(m);
    EXPECT_EQ(pasados.size(), 1u);
    g->SetOptions(g->GetOptions() << goTabs);
    m.Result = 0;
    g->SubclassProc(m);
    EXPECT_EQ(m.Result, static_cast<LRESULT>(DLGC_WANTARROWS | DLGC_WANTTAB));
    EXPECT_EQ(pasados.size(), 1u);
}

TEST_F(KavGrid, AsignarCopiaAjustesYCeldas) {
    auto* h = new Rejilla(ventana.get());
    g->GetNavigation()->SetAdvanceOnEnter(true);
    g->GetNavigation()->SetEditSelectAll(false);
    g->GetMouseActions()->SetRowSelect(true);
    g->GetMouseActions()->SetHotmailRowSelect(true);
    g->GetMouseActions()->SetSizeFixedRow(true);
    g->GetBands()->SetActive(true);
    g->SetFloatFormat("%.3f");
    g->SetRowCountEx(7);
    g->SetCells(2, 5, "copiada");
    h->Assign(g);
    EXPECT_TRUE(h->GetNavigation()->GetAdvanceOnEnter());
    EXPECT_FALSE(h->GetNavigation()->GetEditSelectAll());
    EXPECT_TRUE(g->GetNavigation()->GetAdvanceOnEnter()); // the source stays
    EXPECT_TRUE(h->GetMouseActions()->GetRowSelect());
    EXPECT_FALSE(h->GetMouseActions()->GetHotmailRowSelect());
    EXPECT_FALSE(h->GetMouseActions()->GetSizeFixedRow());
    EXPECT_TRUE(h->GetBands()->GetActive());
    EXPECT_EQ(h->GetFloatFormat(), "%.3f");
    EXPECT_EQ(h->GetRowCountEx(), 7);
    EXPECT_EQ(h->GetCellEx(2, 5), "copiada");
    delete h;
}

// The whole contents travel: hidden columns and rows with their cells, the cell properties
// (copies of their own), widths and heights; what the copy held before is gone.
TEST_F(KavGrid, AsignarCopiaColumnasYFilasOcultasYPropiedades) {
    auto* h = new Rejilla(ventana.get(), ventana.get());
    h->SetRowCountEx(3);
    h->SetCells(1, 1, "vieja");
    h->SetColors(1, 1, clRed);
    h->HideRow(2);
    g->SetColCountEx(4);
    g->SetRowCountEx(6);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 4; ++c)
            g->SetCells(c, r, "c" + AnsiString(c) + "r" + AnsiString(r));
    g->SetColors(2, 3, clBlue);
    g->SetColors(1, 4, clGreen); // in the row to hide
    g->SetColWidths(2, 90);
    g->SetColWidths(1, 33);
    g->SetRowHeights(4, 40);
    g->HideColumn(1);
    g->HideRow(4);
    h->Assign(g);
    EXPECT_EQ(h->GetColCount(), 3);
    EXPECT_EQ(h->TotalColCount(), 4);
    EXPECT_EQ(h->TotalRowCount(), 6);
    EXPECT_TRUE(h->IsHiddenColumn(1));
    EXPECT_TRUE(h->IsHiddenRow(4));
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(h->GetCellsEx(c, r), "c" + AnsiString(c) + "r" + AnsiString(r)) << c << r;
    EXPECT_EQ(h->GetAllColWidths(1), 33);
    EXPECT_EQ(h->GetAllColWidths(2), 90);
    EXPECT_EQ(h->GetColors(2, 3), clBlue);
    EXPECT_NE(h->FindCellProperties(2, 3), g->FindCellProperties(2, 3));
    g->SetColors(2, 3, clYellow); // the copy keeps its own
    EXPECT_EQ(h->GetColors(2, 3), clBlue);
    h->UnHideRowsAll();
    h->UnHideColumnsAll();
    EXPECT_EQ(h->GetColors(1, 4), clGreen);
    EXPECT_EQ(h->GetRowHeights(4), 40);
    EXPECT_EQ(h->GetColWidths(1), 33);
    EXPECT_EQ(h->GetColors(1, 1), clNone);
    delete h;
    // The source is whole after its copy went away.
    EXPECT_EQ(g->GetColors(2, 3), clYellow);
    g->UnHideRowsAll();
    EXPECT_EQ(g->GetColors(1, 4), clGreen);
}

// The arrow windows take the arrow colour, those made before and after it is set.
TEST_F(KavGrid, ColorDeLasFlechas) {
    EXPECT_EQ(g->GetArrowColor(), static_cast<TColor>(0x00FF00));
    TArrowWindow* arriba = g->GetArrowWindow(arrUp);
    EXPECT_EQ(arriba->GetDirection(), arrUp);
    EXPECT_FALSE(arriba->GetVisible());
    g->SetArrowColor(clRed);
    EXPECT_EQ(g->GetArrowColor(), clRed);
    EXPECT_EQ(arriba->GetColor(), clRed);
    EXPECT_EQ(g->GetArrowWindow(arrLeft)->GetColor(), clRed);
    EXPECT_EQ(g->GetArrowWindow(arrUp), arriba);
}

TEST_F(KavGrid, DeshacerSigueLasColumnasOcultas) {
    auto* ur = new TKavGridUndoRedo(ventana.get());
    g->SetUndoRedo(ur);
    g->SetVisibleCol(1, false); // real column 3 shows as column 2
    ur->RegisterChange(3, 2, "antes", "después");
    ur->Undo();
    EXPECT_EQ(g->GetCol(), 2);
    EXPECT_EQ(g->GetRow(), 2);
    g->SetCol(1);
    ur->Redo();
    EXPECT_EQ(g->GetCol(), 2); // mapped as Undo maps it
    EXPECT_EQ(g->GetCellEx(3, 2), "después");
}

TEST_F(KavGrid, CapturaConBloquesYDegradado) {
    g->SetBounds(0, 0, 330, 150);
    g->SetColCountEx(5);
    g->SetRowCountEx(6);
    const char* cabecera[] = {"", "Material", "Espesor", "U", "R"};
    for (int c = 0; c < 5; ++c)
        g->SetCellEx(c, 0, cabecera[c]);
    for (int r = 1; r < 6; ++r) {
        g->SetCellEx(0, r, AnsiString(r));
        g->SetCellEx(1, r, "Ladrillo " + AnsiString(r));
        g->SetCellEx(2, r, "0,115");
    }
    g->MergeCells(3, 2, 2, 2);
    g->SetCellEx(3, 2, "Bloque");
    g->SetActiveRowShow(true);
    g->SetRowEx(4);
    g->SetGridLineColor(clGray);
    g->Repaint();
    EXPECT_FALSE(SaveCapture(g, "kavgrid_bloques").IsEmpty());
    // The block is one rectangle: no grid line crosses it.
    const TRect b = g->CellRect(3, 2);
    EXPECT_EQ(b, Rect(192, 42, 320, 84));
    TCanvas* canvas = g->GetCanvas();
    EXPECT_NE(canvas->GetPixels(b.Left + 63, b.Top + 30), clGray);   // where a line would be
    EXPECT_EQ(canvas->GetPixels(b.Left + 20, b.Bottom - 1), clGray); // its own bottom line
}

TEST(OpcionesGrid, AsignarYEscrituras) {
    VentanaPrueba ventana;
    auto* g = new Rejilla(&ventana, &ventana);
    // Setting NodeType to its value does not repaint; a change does.
    g->invalidaciones = 0;
    g->GetCellNode()->SetNodeType(cnXP);
    EXPECT_EQ(g->invalidaciones, 0);
    g->GetCellNode()->SetNodeType(cnFlat);
    EXPECT_EQ(g->invalidaciones, 1);

    // Bands: the period and repainting only while active.
    TBands bandas(g);
    bandas.SetPrimaryLength(3);
    bandas.SetSecondaryLength(2);
    EXPECT_EQ(bandas.GetPeriod(), 5);
    g->invalidaciones = 0;
    bandas.SetPrimaryColor(clRed);
    EXPECT_EQ(g->invalidaciones, 0);
    bandas.SetActive(true);
    bandas.SetPrimaryColor(clBlue);
    EXPECT_EQ(g->invalidaciones, 2);

    // Control look: FlatButton stays out of Assign.
    TControlLook a(g), b(g);
    a.SetFlatButton(true);
    a.SetCheckSize(20);
    b.Assign(&a);
    EXPECT_FALSE(b.GetFlatButton());
    EXPECT_EQ(b.GetCheckSize(), 20);
    b.Assign(&bandas); // another class: nothing, no error
    EXPECT_EQ(b.GetCheckSize(), 20);

    // Sort row below the fixed rows.
    g->GetSortSettings()->SetRow(0);
    try {
        g->GetSortSettings()->SetRow(1);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Sort row should be smaller than number of fixed rows");
    }
    EXPECT_EQ(g->GetSortSettings()->GetRow(), 0);

    // Balloons: the enable event once, with the settings as sender.
    TBalloonSettings globos;
    std::vector<TObject*> avisos;
    globos.OnEnableChange = [&](TObject* s) { avisos.push_back(s); };
    globos.SetEnable(true);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0], &globos);
    TBalloonSettings otros;
    otros.Assign(&globos);
    EXPECT_TRUE(otros.GetEnable());
    EXPECT_EQ(avisos.size(), 1u);

    // A column's filter is found or appended.
    TFilterData* f = g->GetFilter()->GetColFilter(4);
    EXPECT_EQ(f->GetColumn(), 4);
    EXPECT_TRUE(f->GetCaseSensitive());
    EXPECT_EQ(g->GetFilter()->GetColFilter(4), f);
    EXPECT_EQ(g->GetFilter()->GetCount(), 1);
    EXPECT_EQ(g->GetFilter()->GetOwner(), g);

    // Grouping copies the colours but not the line widths.
    TGrouping ga, gb;
    ga.SetHeaderColor(clRed);
    ga.SetHeaderLineWidth(5);
    gb.Assign(&ga);
    EXPECT_EQ(gb.GetHeaderColor(), clRed);
    EXPECT_EQ(gb.GetHeaderLineWidth(), 2);

    // Print settings copy their fonts and title lines by content.
    TPrintSettings pa(g), pb(g);
    pa.GetFont()->SetName("Courier New");
    pa.GetTitleLines()->Add("Título");
    pa.SetOrientation(poLandscape);
    pb.Assign(&pa);
    EXPECT_EQ(pb.GetFont()->GetName(), "Courier New");
    EXPECT_EQ(pb.GetTitleLines()->GetStrings(0), "Título");
    EXPECT_EQ(pb.GetOrientation(), poLandscape);
    EXPECT_NE(pb.GetFont(), pa.GetFont());
    delete g;
}

TEST(FormularioGrid, RedimensionaConElFormulario) {
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 500, 400);
    int llamadas = 0;
    form->OnResize = [&](TObject*) { ++llamadas; };
    auto* g = new TKavStringGrid(form);
    g->SetParent(form);
    g->SetSizeWithForm(true);
    g->SetBounds(10, 10, 300, 200);
    form->SetBounds(0, 0, 560, 430);
    form->OnResize(form);
    EXPECT_GE(llamadas, 1); // the form's own handler still runs
    EXPECT_EQ(g->GetWidth(), 360);
    EXPECT_EQ(g->GetHeight(), 230);
    delete g; // the form's handler comes back
    const int antes = llamadas;
    form->OnResize(form);
    EXPECT_EQ(llamadas, antes + 1);
    delete form;
}

} // namespace
