// The advanced grid's cells: access by real row, per-cell properties, the disjunct
// selections and the repaint helpers, a cell's look and display text, and the layers one
// cell is painted with (recorded, checked by pixel and captured).

#include "controles/grid/kav_grid.h"
#include "plataforma/gui/painting/control_canvas.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/recording_canvas.h"
#include "plataforma/gui/painting/themes.h"
#include "plataforma/gui/services/capture.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The look GetVisualProperties gives a cell: its brush colour and draw state.
struct Aspecto {
    TColor pincel;
    TGridDrawState estado;
};
Aspecto AspectoDe(TKavStringGrid* g, int c, int r, bool seleccion,
                  TGridDrawState estado = TGridDrawState()) {
    TBrush brush;
    TFont font;
    TColor to;
    TAlignment ha;
    TVAlignment va;
    bool ww = true;
    g->GetVisualProperties(c, r, estado, false, seleccion, true, &brush, to, &font, ha, va, ww);
    return {brush.GetColor(), estado};
}

class Celdas : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        g = new Rejilla(ventana.get(), ventana.get());
        g->SetBounds(0, 0, 330, 150);
        g->Repaint(); // nothing pending
    }
    // The region waiting to be painted.
    TRect Pendiente() {
        TRect r;
        GetUpdateRect(g->GetHandle(), &r, FALSE);
        return r;
    }
    void Pintado() { g->Repaint(); }
    std::unique_ptr<VentanaPrueba> ventana;
    Rejilla* g = nullptr;
};

int Indice(const std::vector<AnsiString>& log, const AnsiString& prefijo, int desde = 0,
           const std::string& final = "") {
    for (int i = desde; i < static_cast<int>(log.size()); ++i)
        if (log[i].Pos(prefijo) == 1 && log[i].str().ends_with(final)) return i;
    return -1;
}

// --- cells by real row ---

TEST_F(Celdas, CeldasPorFilaRealConFilaOculta) {
    g->SetRowCountEx(5);
    for (int r = 0; r < 5; ++r)
        g->SetCellEx(1, r, "f" + AnsiString(r));
    // Real row 2 is hidden: display rows 0,1 | 3,4,5 are real 0,1,3,4,5.
    auto* oculta = static_cast<TGridItem*>(g->GetHiddenRowList()->Add());
    oculta->SetIdx(2);
    oculta->GetItems()->Add("o0");
    oculta->GetItems()->AddObject("o1", new TCellProperties(g, 1, 2));
    static_cast<TCellProperties*>(oculta->GetItems()->GetObjects(1))
        ->SetCellObject(reinterpret_cast<TObject*>(g));

    EXPECT_EQ(g->GetAllRowCount(), 6);
    EXPECT_EQ(g->GetCellsEx(1, 2), "o1"); // the hidden row's own text
    EXPECT_EQ(g->GetCellsEx(1, 3), "f2"); // real row 3 is display row 2
    EXPECT_EQ(g->GetCellsEx(1, 1), "f1");
    EXPECT_EQ(g->GetObjectsEx(1, 2), reinterpret_cast<TObject*>(g)); // inside the properties
    g->SetCellsEx(1, 2, "nuevo");
    EXPECT_EQ(oculta->GetItems()->GetStrings(1), "nuevo");
    g->SetCellsEx(1, 4, "cuatro");
    EXPECT_EQ(g->GetCellEx(1, 3), "cuatro");
    g->SetWideCellsEx(1, 4, WideString(u"\u03A9"));
    EXPECT_EQ(g->GetWideCellsEx(1, 4).str(), std::u16string(u"\u03A9"));
    EXPECT_EQ(g->GetCellsEx(9, 2), ""); // past the hidden row's cells
}

TEST_F(Celdas, AnchosPorColumnaRealYCeldaActual) {
    g->SetColCountEx(4);
    g->SetAllColWidths(2, 80);
    EXPECT_EQ(g->GetColWidths(2), 80);
    g->SetVisibleCol(1, false);
    g->SetAllColWidths(1, 33);
    EXPECT_EQ(g->GetAllColWidths(1), 33); // the stored width of the hidden column
    EXPECT_EQ(g->GetAllColWidths(2), g->GetColWidths(1));
    g->SetVisibleCol(1, true);

    g->MergeCells(1, 1, 2, 2);
    g->SetCellEx(1, 1, "<b>bloque</b>");
    g->SetCol(2);
    g->SetRow(2);
    EXPECT_EQ(g->GetCurrentCell(), "<b>bloque</b>");
    EXPECT_EQ(g->GetStrippedCell(1, 1), "bloque");
    g->SetCurrentCell("otro");
    EXPECT_EQ(g->GetCellEx(1, 1), "otro");
}

// --- per-cell properties ---

TEST_F(Celdas, PropiedadesPorCeldaLeidasSinCrearlas) {
    EXPECT_EQ(g->GetColors(2, 2), clNone);
    EXPECT_EQ(g->GetColorsTo(2, 2), clNone);
    EXPECT_EQ(g->GetFontColors(2, 2), clNone);
    EXPECT_EQ(g->GetFontSizes(2, 2), 0);
    EXPECT_EQ(g->GetFontNames(2, 2), "");
    EXPECT_TRUE(g->GetFontStyles(2, 2) == TFontStyles());
    EXPECT_EQ(g->GetAlignments(2, 2), taLeftJustify);
    EXPECT_FALSE(g->GetReadOnly(2, 2));
    EXPECT_TRUE(g->GetWordWraps(2, 2));
    EXPECT_FALSE(g->HasCellProperties(2, 2)); // no getter made them

    g->SetColors(2, 2, clRed);
    g->SetFontSizes(2, 2, 14);
    g->SetReadOnly(2, 3, true);
    g->SetWordWraps(2, 3, false);
    EXPECT_EQ(g->GetColors(2, 2), clRed);
    EXPECT_EQ(g->GetFontSizes(2, 2), 14);
    EXPECT_TRUE(g->GetReadOnly(2, 3));
    EXPECT_FALSE(g->GetWordWraps(2, 3));
    g->SetWordWrap(false);
    EXPECT_FALSE(g->GetWordWraps(3, 3)); // the word wrap new cells take
}

TEST_F(Celdas, AlineacionRepintaSoloSuCelda) {
    g->SetCellEx(3, 2, "texto");
    g->SetColors(3, 2, clYellow);
    Pintado();
    g->SetAlignments(3, 2, taRightJustify);
    EXPECT_EQ(Pendiente(), g->CellRect(3, 2));
    EXPECT_EQ(g->GetAlignments(3, 2), taRightJustify);
    EXPECT_EQ(g->GetColors(3, 2), clYellow); // the other properties and the text stay
    EXPECT_EQ(g->GetCellEx(3, 2), "texto");
    Pintado();
    g->SetReadOnly(3, 2, true); // no repaint
    EXPECT_EQ(Pendiente(), TRect());
}

TEST_F(Celdas, DecoracionConColumnaOcultaRepintaDondeSeMuestra) {
    // With column 1 hidden, real column 3 shows as column 2 and real column 4 as column 3.
    g->HideColumn(1);
    g->AddComment(3, 2, "nota");
    TStrings* opciones = g->CreateRadio(3, 3, 0, 0);
    opciones->Add("a");
    opciones->Add("b");
    Pintado();
    g->RemoveComment(3, 2);
    EXPECT_EQ(Pendiente(), g->CellRect(2, 2));
    Pintado();
    g->SetRadioIdx(3, 3, 1);
    EXPECT_EQ(Pendiente(), g->CellRect(2, 3));
    // The sweeps over the whole grid reach the last real column too.
    g->AddComment(4, 1, "otra");
    g->AddMarker(4, 2, 1, 2);
    g->RemoveAllComments();
    g->RemoveAllMarkers();
    AnsiString texto;
    EXPECT_FALSE(g->IsComment(4, 1, texto));
    int inicio = -1, largo = -1;
    g->GetMarker(4, 2, inicio, largo);
    EXPECT_EQ(inicio, 0);
    EXPECT_EQ(largo, 0);
}

TEST_F(Celdas, ColoresDeFila) {
    g->SetAlignments(2, 3, taCenter);
    g->SetRowColor(3, clAqua);
    for (int c = 1; c < g->GetColCount(); ++c)
        EXPECT_EQ(g->GetColors(c, 3), clAqua);
    EXPECT_FALSE(g->HasCellProperties(0, 3)); // fixed column untouched
    g->SetRowFontColor(3, clRed);
    EXPECT_EQ(g->GetFontColors(4, 3), clRed);
    g->SetRowColor(3, clNone); // frees every property of the row's normal cells
    for (int c = 1; c < g->GetColCount(); ++c)
        EXPECT_FALSE(g->HasCellProperties(c, 3));
    EXPECT_EQ(g->GetAlignments(2, 3), taLeftJustify);
}

TEST_F(Celdas, ControlSobreUnaCelda) {
    auto* control = new VentanaPrueba();
    g->SetCellControls(2, 2, control);
    EXPECT_EQ(g->GetCellControls(2, 2), control);
    EXPECT_EQ(g->GetControlCellCount(), 1);
    EXPECT_EQ(control->GetParent(), g);
    const TRect r = g->CellRect(2, 2);
    EXPECT_EQ(control->GetBoundsRect(), Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1));
    g->SetCellControls(2, 2, control); // again: still one cell
    EXPECT_EQ(g->GetControlCellCount(), 1);
    g->SetCellControls(2, 2, nullptr);
    EXPECT_EQ(g->GetCellControls(2, 2), nullptr);
    EXPECT_EQ(g->GetControlCellCount(), 0);
    delete control;
}

TEST_F(Celdas, AjustesDeLaRejilla) {
    g->SetVAlignment(vtaBottom);
    EXPECT_EQ(g->GetVAlignFlag(), static_cast<unsigned>(DT_BOTTOM));
    g->SetVAlignment(vtaCenter);
    EXPECT_EQ(g->GetVAlignFlag(), static_cast<unsigned>(DT_VCENTER));
    g->SetFixedRowHeight(30);
    EXPECT_EQ(g->GetFixedRowHeight(), 30);
    EXPECT_EQ(g->GetRowHeights(0), 30);
    g->SetFixedColWidth(50);
    EXPECT_EQ(g->GetColWidths(0), 50);
    g->SetFixedColWidth(g->GetDefaultColWidth()); // equal to the default: ignored
    EXPECT_EQ(g->GetColWidths(0), 50);
    // AutoSize sizes the columns to their contents.
    g->SetCellEx(1, 1, "un texto bastante más largo que la columna");
    const int antes = g->GetColWidths(1);
    g->SetAutoSize(true);
    EXPECT_GT(g->GetColWidths(1), antes);
    g->SetCursorEx(crHandPoint);
    EXPECT_EQ(g->GetCursorEx(), crHandPoint);
    EXPECT_EQ(g->GetRememberedCursor(), crHandPoint);
    g->invalidaciones = 0;
    g->BeginUpdate();
    g->SetWordWrapEx(false);
    EXPECT_EQ(g->invalidaciones, 0); // not while updating
    g->EndUpdate();
}

TEST_F(Celdas, GuardarYCargarCelda) {
    g->SetCellEx(1, 1, "<b>1.5</b>");
    EXPECT_EQ(g->SaveCell(1, 1), "<b>1.5</b>");
    g->SaveWithMarkup = false;
    EXPECT_EQ(g->SaveCell(1, 1), "1.5");
    g->OnSaveCell = [](TObject*, int, int, AnsiString& v) { v += "!"; };
    EXPECT_EQ(g->SaveCell(1, 1), "1.5!");
    g->CreateCellGraphic(2, 2)->SetCheckBox(true, false, false, haLeft, vaTop);
    EXPECT_EQ(g->SaveCell(2, 2), "Y!"); // an empty check-box cell saves its state
    g->OnLoadCell = [](TObject*, int, int, AnsiString& v) { v = v.UpperCase(); };
    g->LoadCell(3, 3, "abc");
    EXPECT_EQ(g->GetGridCell(3, 3), "ABC");
}

// --- selection ---

TEST_F(Celdas, SeleccionDisjuntaDeFilas) {
    g->GetMouseActions()->SetDisjunctRowSelect(true);
    auto* oculta = static_cast<TGridItem*>(g->GetHiddenRowList()->Add());
    oculta->SetIdx(9);
    // Rows 0 .. RowCount + hidden rows - 1 answer; one more raises.
    EXPECT_FALSE(g->GetRowSelect(g->GetRowCount()));
    EXPECT_EQ(ErrorDeRejilla([&] { g->GetRowSelect(g->GetRowCount() + 1); }),
              "Invalid row accessed");
    EXPECT_THROW(g->SetRowSelect(-1, true), EKavGridError);
    EXPECT_THROW(g->GetColSelect(g->GetColCount()), EKavGridError);

    Pintado();
    g->SetRowSelect(3, true);
    EXPECT_NE(Pendiente(), TRect()); // repainted once
    Pintado();
    g->SetRowSelect(3, true);
    EXPECT_EQ(Pendiente(), TRect()); // unchanged: no repaint
    g->SelectRows(5, 2);
    EXPECT_EQ(g->GetRowSelectCount(), 3);
    EXPECT_TRUE(g->IsSelected(2, 6));
    EXPECT_FALSE(g->IsSelected(0, 6)); // fixed cells never are
    g->ClearRowSelect();
    EXPECT_EQ(g->GetRowSelectCount(), 0);
}

TEST_F(Celdas, SeleccionDeColumnasYRango) {
    g->GetMouseActions()->SetDisjunctColSelect(true);
    g->SelectCols(2, 2);
    EXPECT_TRUE(g->GetColSelect(3));
    EXPECT_EQ(g->GetColSelectCount(), 2);
    EXPECT_TRUE(g->IsSelected(2, 5));
    g->ClearColSelect();
    EXPECT_EQ(g->GetColSelectCount(), 0);
    g->GetMouseActions()->SetDisjunctColSelect(false);
    g->SelectRange(1, 3, 2, 4);
    EXPECT_EQ(g->GetSelection(), (TGridRect{1, 2, 3, 4}));
    EXPECT_EQ(g->GetRowSelectCount(), 3);
    g->SelectToRowSelect(true);
    g->GetMouseActions()->SetDisjunctRowSelect(true);
    EXPECT_EQ(g->GetRowSelectCount(), 3);
    EXPECT_TRUE(g->GetRowSelect(3));
}

TEST_F(Celdas, TextoDeLaSeleccion) {
    g->SetCellEx(1, 1, "a");
    g->SetCellEx(2, 1, "b");
    g->SetCellEx(1, 2, "c");
    g->SetCellEx(2, 2, "d");
    g->SetSelection({1, 1, 2, 2});
    EXPECT_EQ(g->SelectedText(), "a\tb\r\nc\td");
    // Rich text gives its plain text; a hidden selection gives none.
    g->SetCellEx(2, 2, "{\\rtf1\\ansi\\b d\\b0}");
    EXPECT_EQ(g->SelectedText(), "a\tb\r\nc\td");
    // A wide cell gives its characters, those the code page lacks as '?'.
    g->SetWideCells(1, 1, WideString(u"\u03A9mega \u00F1"));
    EXPECT_EQ(g->SelectedText(), "?mega \xF1\tb\r\nc\td");
    g->HideSelection();
    EXPECT_EQ(g->SelectedText(), "");
}

TEST_F(Celdas, CeldasSeleccionadas) {
    // A single-cell Selection without disjunct cells gives no cells.
    EXPECT_EQ(g->GetSelectedCellsCount(), 0);
    g->SetSelection({1, 1, 2, 2});
    EXPECT_EQ(g->GetSelectedCellsCount(), 4);
    EXPECT_EQ(g->GetSelectedCell(1), TPoint(1, 2)); // columns outer, rows inner
    EXPECT_THROW(g->GetSelectedCell(4), EKavGridError);

    g->GetMouseActions()->SetDisjunctCellSelect(true);
    g->ClearSelectedCells();
    Pintado();
    g->SetSelectedCells(3, 4, true);
    EXPECT_EQ(Pendiente(), g->CellRect(3, 4));
    EXPECT_TRUE(g->GetSelectedCells(3, 4));
    EXPECT_FALSE(g->GetSelectedCells(4, 3));
    g->SetSelectedCells(3, 4, false);
    EXPECT_FALSE(g->GetSelectedCells(3, 4));
    EXPECT_EQ(g->GetSelectedCellsCount(), 0);
}

TEST_F(Celdas, CeldasSeleccionadasMasAllaDe65535Filas) {
    // Rows 1 and 65537 share their low 16 bits: each is its own cell.
    g->SetRowCountEx(70000);
    g->GetMouseActions()->SetDisjunctCellSelect(true);
    g->SetSelectedCells(1, 65537, true);
    EXPECT_TRUE(g->GetSelectedCells(1, 65537));
    EXPECT_FALSE(g->GetSelectedCells(1, 1));
    EXPECT_EQ(g->GetSelectedCell(0), TPoint(1, 65537));
    // And painting finds it.
    EXPECT_TRUE(AspectoDe(g, 1, 65537, true).estado.Contains(gdSelected));
    EXPECT_FALSE(AspectoDe(g, 1, 1, true).estado.Contains(gdSelected));
}

TEST_F(Celdas, FilasModificadasYRepintados) {
    g->SetRowModified(4, true);
    EXPECT_TRUE(g->GetRowModified(4));
    EXPECT_FALSE(g->GetRowModified(3));
    EXPECT_FALSE(g->GetRowModified(400));
    g->ClearModifiedRows();
    EXPECT_FALSE(g->GetRowModified(4));

    Pintado();
    g->RepaintRect(Rect(-1, 1, 2, 2)); // a negative corner does nothing
    EXPECT_EQ(Pendiente(), TRect());
    g->RepaintRect(Rect(1, 1, 2, 2));
    const TRect a = g->CellRect(1, 1), b = g->CellRect(2, 2);
    EXPECT_EQ(Pendiente(), Rect(a.Left, a.Top, b.Right, b.Bottom));
    Pintado();
    g->RepaintCol(2);
    EXPECT_EQ(Pendiente().Left, g->CellRect(2, 1).Left);
    EXPECT_EQ(Pendiente().Right, g->CellRect(2, 1).Right);
    Pintado();
    g->invalidaciones = 0;
    g->SetSelectionColor(g->GetSelectionColor()); // same value: nothing
    EXPECT_EQ(g->invalidaciones, 0);
    g->SetSelectionColor(clLime);
    EXPECT_EQ(g->invalidaciones, 1);
}

// --- a cell's look and text ---

TEST_F(Celdas, PropiedadesVisualesBandasYFijas) {
    g->SetRowCountEx(8);
    g->SetFixedFooters(1);
    TBands* bandas = g->GetBands();
    bandas->SetPrimaryLength(2);
    bandas->SetSecondaryLength(1);
    bandas->SetPrimaryColor(clYellow);
    bandas->SetSecondaryColor(clAqua);
    bandas->SetActive(true);
    g->SetRow(1);
    g->SetCol(1);
    auto pincel = [&](int c, int r) { return AspectoDe(g, c, r, false).pincel; };
    EXPECT_EQ(pincel(2, 1), clYellow);
    EXPECT_EQ(pincel(2, 2), clYellow);
    EXPECT_EQ(pincel(2, 3), clAqua);
    EXPECT_EQ(pincel(2, 4), clYellow);
    EXPECT_EQ(pincel(2, 7), g->GetFixedColor()); // the footer row is not banded
    const Aspecto fija = AspectoDe(g, 0, 3, false);
    EXPECT_EQ(fija.pincel, g->GetFixedColor());
    EXPECT_TRUE(fija.estado.Contains(gdFixed));
    // A fixed cell never takes the selection colours.
    g->SetSelection({0, 0, 2, 2});
    EXPECT_EQ(AspectoDe(g, 2, 0, true, TGridDrawState{gdSelected}).pincel, g->GetFixedColor());
    const Aspecto sel = AspectoDe(g, 2, 2, true);
    EXPECT_EQ(sel.pincel, g->GetSelectionColor());
    EXPECT_TRUE(sel.estado.Contains(gdSelected));
}

TEST_F(Celdas, AlineacionAutomaticaYTextoMostrado) {
    g->SetAutoNumAlign(true);
    g->SetCellEx(1, 1, "  42  ");
    g->SetCellEx(2, 1, "cuarenta");
    EXPECT_EQ(g->GetCellAlignment(1, 1) & 0xFF, taRightJustify);
    EXPECT_EQ(g->GetCellAlignment(2, 1) & 0xFF, taLeftJustify);
    g->SetAlignments(1, 1, taCenter); // the cell's own alignment wins
    EXPECT_EQ(g->GetCellAlignment(1, 1) & 0xFF, taCenter);
    g->SetVAlignment(vtaBottom);
    EXPECT_EQ(g->GetCellAlignment(2, 1) >> 8, vtaBottom);

    // Without an OnGetFloatFormat handler the text shows as stored.
    g->SetCellEx(1, 2, "12.7");
    EXPECT_EQ(g->GetFormattedCell(1, 2), "12.7");
    AnsiString formato = "%d";
    g->OnGetFloatFormat = [&](TObject*, int, int, bool&, AnsiString& f) { f = formato; };
    EXPECT_EQ(g->GetFormattedCell(1, 2), "12"); // a float under %d is cut
    g->SetCellEx(1, 3, "7");
    EXPECT_EQ(g->GetFormattedCell(1, 3), "7");
    formato = "%.3f";
    g->SetCellEx(1, 3, "2");
    const AnsiString tres = g->GetFormattedCell(1, 3);
    EXPECT_TRUE(tres == "2.000" || tres == "2,000") << tres.c_str();
    g->SetCellEx(1, 4, "abc"); // not a number: shown as it is
    EXPECT_EQ(g->GetFormattedCell(1, 4), "abc");
    // Classified as stored: blanks around a number make it text, which the handler hears.
    bool comoNumero = true;
    g->OnGetFloatFormat = [&](TObject*, int, int, bool& f, AnsiString& fmt) {
        comoNumero = f;
        fmt = formato;
    };
    g->SetCellEx(1, 5, " 2 ");
    EXPECT_EQ(g->GetFormattedCell(1, 5), " 2 ");
    EXPECT_FALSE(comoNumero);
    // A handler that calls a text a float when it is not: painted as 0, never raised.
    g->OnGetFloatFormat = [](TObject*, int, int, bool& f, AnsiString& fmt) {
        f = true;
        fmt = "%d";
    };
    EXPECT_EQ(g->GetFormattedCell(1, 4), "0");
    g->Repaint();
}

TEST_F(Celdas, DetallesDelGraficoYTamanoDelTexto) {
    int w, h;
    bool texto;
    TCellHAlign ha;
    TCellVAlign va;
    EXPECT_EQ(g->GetGraphicDetails(1, 1, w, h, texto, ha, va), nullptr);
    EXPECT_TRUE(texto);
    g->CreateCellGraphic(1, 1)->SetCheckBox(false, true, false, haCenter, vaCenter);
    EXPECT_NE(g->GetGraphicDetails(1, 1, w, h, texto, ha, va), nullptr);
    EXPECT_EQ(w, g->GetControlLook()->GetCheckSize());
    EXPECT_FALSE(texto); // a data check box shows no text
    EXPECT_EQ(ha, haCenter);
    g->CreateCellGraphic(2, 1)->SetButton(40, 18, "Ver", haRight, vaTop);
    g->GetGraphicDetails(2, 1, w, h, texto, ha, va);
    EXPECT_EQ(w, 40);
    EXPECT_EQ(h, 18);
    EXPECT_TRUE(texto);

    g->SetMultilinecells(true);
    g->SetCellEx(3, 3, "uno\r\ndos\r\ntres");
    const int alto = g->GetCanvas()->TextHeight("hg");
    const TSize s = g->GetCellTextSize(3, 3, false);
    EXPECT_EQ(s.cy, 3 * alto + 2 * g->GetXYOffset().y);

    // A wide text measures as wide as its text, whatever its column's width: the column
    // sized to its cells fits the text, a longer text is wider.
    g->SetColWidths(4, 300);
    g->SetWideCells(4, 3, u"\u03bb\u03cc\u03b3\u03bf\u03c2");
    const int corto = g->GetCellTextSize(4, 3, false).cx;
    g->SetWideCells(4, 3, u"\u03bb\u03cc\u03b3\u03bf\u03c2 \u03bb\u03cc\u03b3\u03bf\u03c2");
    const int largo = g->GetCellTextSize(4, 3, false).cx;
    EXPECT_GT(corto, 2 * g->GetXYOffset().x);
    EXPECT_GT(largo, corto);
    EXPECT_LT(largo, 300);
    g->AutoSizeCol(4);
    EXPECT_LT(g->GetColWidths(4), 300);
    EXPECT_GE(g->GetColWidths(4), largo);
}

// --- painting one cell ---

// A call of the canvas's log: how it starts and how it ends.
struct Llamada {
    Llamada(const char* Empieza) : empieza(Empieza) {}
    Llamada(const AnsiString& Empieza, const std::string& Acaba) : empieza(Empieza), acaba(Acaba) {}
    AnsiString empieza;
    std::string acaba;
};

struct CasoCapa {
    const char* nombre;
    std::function<void(Rejilla*)> preparar;
    TGridDrawState estado;
    int col, fila;
    std::vector<Llamada> orden; // these calls, in this order
};

TEST_F(Celdas, CapasDeUnaCeldaEnOrden) {
    // Where the words of a markup text fall in the cell's font, whichever font draws it.
    TRecordingCanvas medida(10, 10);
    medida.GetFont()->Assign(g->GetFont());
    medida.GetFont()->SetStyle(TFontStyles() << fsBold);
    const int hola = medida.TextWidth("Hola");
    medida.GetFont()->SetStyle(TFontStyles());
    const AnsiString mundo =
        "DrawText(" + AnsiString(12 + hola + medida.TextWidth(" ")) + ",12,148,";
    const std::vector<CasoCapa> casos = {
        {"fija", [](Rejilla*) {}, {gdFixed}, 0, 1, {"Rectangle", "DrawText", "LineTo"}},
        {"con bordes",
         [](Rejilla* r) {
             r->OnGetCellBorder = [](TObject*, int, int, TPen* p, TCellBorders& b) {
                 b << cbLeft << cbBottom;
                 p->SetColor(clRed);
             };
         },
         {},
         2,
         2,
         {"DrawText", "MoveTo", "LineTo", "MoveTo", "LineTo"}},
        {"dibujada por el programa",
         [](Rejilla* r) {
             r->OnCustomCellDraw = [](TObject*, TCanvas* c, int, int, TGridDrawState,
                                      const TRect& rc, bool) { c->Ellipse(rc); };
         },
         {},
         2,
         2,
         {"DrawText", "Ellipse"}},
        {"en marcado",
         [](Rejilla* r) { r->SetCellEx(2, 2, "<b>Hola</b> <i>mundo</i>"); },
         {},
         2,
         2,
         {{"DrawText(12,12,148,", ",2664,\"Hola\")"}, {mundo, ",2664,\"mundo\")"}}},
    };
    for (const CasoCapa& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        Rejilla* r = new Rejilla(ventana.get(), ventana.get());
        r->SetCellEx(caso.col, caso.fila, "Texto");
        caso.preparar(r);
        TRecordingCanvas c(200, 60);
        r->DrawGridCell(&c, caso.col, caso.fila, Rect(10, 10, 150, 31), caso.estado);
        const std::vector<AnsiString> log = c.Recorder().Log();
        int at = 0;
        for (const Llamada& paso : caso.orden) {
            const int i = Indice(log, paso.empieza, at, paso.acaba);
            ASSERT_GE(i, 0) << paso.empieza.str() << "..." << paso.acaba << " " << [&] {
                std::string t;
                for (auto& l : log)
                    t += l.str() + " ";
                return t;
            }();
            at = i + 1;
        }
        delete r;
    }
}

TEST_F(Celdas, BordeDePlumaAnchaEntraEnLaCelda) {
    // A pen 3 wide with grid lines both ways moves the left border 2 pixels in (and down).
    g->OnGetCellBorder = [](TObject*, int, int, TPen* p, TCellBorders& b) {
        b << cbLeft;
        p->SetWidth(3);
    };
    TRecordingCanvas c(200, 60);
    g->DrawGridCell(&c, 2, 2, Rect(10, 10, 74, 31), TGridDrawState());
    const auto mover = c.Recorder().Calls("MoveTo", true);
    ASSERT_FALSE(mover.empty());
    EXPECT_EQ(mover.back().Args, (std::vector<int>{9 + 2, 9 + 2}));
    EXPECT_EQ(c.Recorder().Calls("LineTo", true).back().PenWidth, 3);
    EXPECT_EQ(c.GetPen()->GetWidth(), 1); // the pen is given back
}

TEST_F(Celdas, TextoAjustadoYEnUnaLinea) {
    TRecordingCanvas c(200, 60);
    g->SetCellEx(2, 2, "uno\r\ndos");
    g->SetWordWraps(2, 2, false);
    g->DrawGridCell(&c, 2, 2, Rect(0, 0, 64, 40), TGridDrawState());
    auto llamadas = c.Recorder().Calls("DrawText", true);
    ASSERT_EQ(llamadas.size(), 1u);
    EXPECT_EQ(llamadas[0].Text, "uno"); // one line without word wrap
    EXPECT_TRUE(llamadas[0].Args[4] & DT_SINGLELINE);
    // With Multilinecells both lines are drawn.
    c.Recorder().Clear();
    g->SetMultilinecells(true);
    g->DrawGridCell(&c, 2, 2, Rect(0, 0, 64, 40), TGridDrawState());
    llamadas = c.Recorder().Calls("DrawText", true);
    ASSERT_EQ(llamadas.size(), 1u);
    EXPECT_EQ(llamadas[0].Text, "uno\r\ndos");
    EXPECT_FALSE(llamadas[0].Args[4] & DT_SINGLELINE);
    // Word wrap: DT_WORDBREAK, the text rectangle inset by XYOffset.
    c.Recorder().Clear();
    g->SetCellEx(2, 3, "una frase larga que no cabe");
    g->DrawGridCell(&c, 2, 3, Rect(0, 0, 64, 40), TGridDrawState());
    llamadas = c.Recorder().Calls("DrawText", true);
    ASSERT_EQ(llamadas.size(), 1u);
    EXPECT_TRUE(llamadas[0].Args[4] & DT_WORDBREAK);
    EXPECT_EQ(llamadas[0].Args[0], 2);
    EXPECT_EQ(llamadas[0].Args[1], 2);
    EXPECT_EQ(llamadas[0].Args[2], 62);
}

TEST_F(Celdas, TextoEnriquecidoComoTextoPlanoYContrasena) {
    TRecordingCanvas c(200, 60);
    g->SetCellEx(2, 2, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hola \\b mundo\\b0\\par}");
    g->DrawGridCell(&c, 2, 2, Rect(0, 0, 120, 40), TGridDrawState());
    // Rich text is drawn run by run with its formats, inside the cell.
    auto llamadas = c.Recorder().Calls("TextRect", true);
    ASSERT_EQ(llamadas.size(), 2u);
    EXPECT_EQ(llamadas[0].Text, "Hola ");
    EXPECT_FALSE(llamadas[0].FontBold);
    EXPECT_EQ(llamadas[1].Text, "mundo");
    EXPECT_TRUE(llamadas[1].FontBold);
    EXPECT_GT(llamadas[1].Args[4], llamadas[0].Args[4]);
    EXPECT_EQ(llamadas[0].Args[0], 2);
    EXPECT_EQ(llamadas[0].Args[2], 118);
    // A text that is no readable rich text is drawn as it is stored.
    c.Recorder().Clear();
    g->SetCellEx(2, 4, "{\\rtf1 roto {");
    g->DrawGridCell(&c, 2, 4, Rect(0, 0, 120, 40), TGridDrawState());
    llamadas = c.Recorder().Calls("TextRect", true);
    ASSERT_EQ(llamadas.size(), 1u);
    EXPECT_EQ(llamadas[0].Text, "{\\rtf1 roto {");
    c.Recorder().Clear();
    g->SetCellEx(2, 3, "secreto");
    g->OnIsPasswordCell = [](TObject*, int, int r, bool& p) { p = r == 3; };
    g->DrawGridCell(&c, 2, 3, Rect(0, 0, 120, 40), TGridDrawState());
    llamadas = c.Recorder().Calls("DrawText", true);
    ASSERT_EQ(llamadas.size(), 1u);
    EXPECT_EQ(llamadas[0].Text, "*******");
    // With EnableHTML off markup is plain text.
    c.Recorder().Clear();
    g->SetEnableHTML(false);
    g->SetCellEx(2, 4, "<b>x</b>");
    g->DrawGridCell(&c, 2, 4, Rect(0, 0, 120, 40), TGridDrawState());
    llamadas = c.Recorder().Calls("DrawText", true);
    ASSERT_EQ(llamadas.size(), 1u);
    EXPECT_EQ(llamadas[0].Text, "<b>x</b>");
}

TEST_F(Celdas, IndicadorDeOrden) {
    g->GetSortSettings()->SetShow(true);
    g->GetSortSettings()->SetColumn(2);
    g->SetCellEx(2, 0, "Nombre");
    TRecordingCanvas c(200, 60);
    g->DrawGridCell(&c, 2, 0, Rect(0, 0, 100, 21), TGridDrawState{gdFixed});
    auto texto = c.Recorder().Calls("DrawText", true);
    ASSERT_EQ(texto.size(), 1u);
    EXPECT_EQ(texto[0].Args[2], 100 - 2 - 14); // 14 pixels kept for the arrow
    // The arrow stands 10 pixels after the text.
    const int ancho = c.TextWidth("Nombre");
    const auto lineas = c.Recorder().Calls("MoveTo", true);
    const bool flecha = std::any_of(lineas.begin(), lineas.end(), [&](const TCanvasCall& k) {
        return k.Args[0] == ancho + 10 - 4;
    });
    EXPECT_TRUE(flecha) << [&] {
        std::string t;
        for (auto& l : c.Recorder().Log())
            t += l.str() + " ";
        return t;
    }();
}

TEST_F(Celdas, ColoresEnPixeles) {
    g->SetCellEx(2, 2, "x");
    g->SetColors(2, 2, clYellow);
    g->SetSelectionColor(clNone);
    g->SetSelection({3, 3, 3, 4});
    g->SetRow(3);
    g->SetCol(3);
    g->SetSelection({3, 3, 3, 4});
    g->Repaint();
    TCanvas* canvas = g->GetCanvas();
    const TRect a = g->CellRect(2, 2);
    EXPECT_EQ(canvas->GetPixels(a.Left + 40, a.Top + 10), clYellow);
    // Unfocused selected cell without a selection colour: the highlight colour.
    const TRect b = g->CellRect(3, 4);
    EXPECT_EQ(ColorToRGB(canvas->GetPixels(b.Left + 40, b.Top + 10)), ColorToRGB(clHighlight));
    // The fixed cells' gradient: white at the top, the button face at the bottom.
    const TRect f = g->CellRect(0, 2);
    EXPECT_EQ(ColorToRGB(canvas->GetPixels(f.Left + 30, f.Top + 1)), ColorToRGB(clWhite));
    EXPECT_NE(ColorToRGB(canvas->GetPixels(f.Left + 30, f.Bottom - 4)), ColorToRGB(clWhite));
    // A flat grid's fixed cells get no gradient.
    g->SetFlat(true);
    g->Repaint();
    EXPECT_EQ(ColorToRGB(canvas->GetPixels(f.Left + 30, f.Top + 3)),
              ColorToRGB(g->GetFixedColor()));
}

TEST_F(Celdas, RectanguloDeFoco) {
    ventana->Show();
    g->SetFocus();
    Application->ProcessMessages();
    if (!g->Focused()) GTEST_SKIP() << "el foco no llega en esta plataforma";
    g->SetCol(2);
    g->SetRow(2);
    TRecordingCanvas c(200, 60);
    g->DrawGridCell(&c, 2, 2, Rect(0, 0, 64, 21), TGridDrawState{gdFocused, gdSelected});
    const auto log = c.Recorder().Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().Pos("DrawFocusRect"), 1) << log.back().c_str();
    c.Recorder().Clear();
    g->SetOptions(g->GetOptions() << goRowSelect);
    g->DrawGridCell(&c, 2, 2, Rect(0, 0, 64, 21), TGridDrawState{gdFocused, gdSelected});
    EXPECT_EQ(c.Recorder().Count("DrawFocusRect"), 0);
}

TEST_F(Celdas, Captura) {
    g->SetBounds(0, 0, 460, 200);
    g->SetColCountEx(5);
    g->SetRowCountEx(7);
    g->SetDefRowHeightEx(24);
    g->SetColWidths(1, 110);
    g->SetColWidths(2, 90);
    g->SetColWidths(3, 80);
    g->SetColWidths(4, 110);
    const char* cabecera[] = {"", "Material", "Espesor (m)", "Conductiv.", "Notas"};
    for (int c = 0; c < 5; ++c)
        g->SetCellEx(c, 0, cabecera[c]);
    const char* materiales[] = {"Ladrillo perforado", "Mortero de cemento", "Lana mineral",
                                "Enlucido de yeso",   "Hormigón armado",    "Placa de yeso"};
    for (int r = 1; r < 7; ++r) {
        g->SetCellEx(0, r, AnsiString(r));
        g->SetCellEx(1, r, materiales[r - 1]);
        g->SetCellEx(2, r, "0,0" + AnsiString(r * 3));
        g->SetAlignments(2, r, taRightJustify);
        g->SetCellEx(3, r, "0," + AnsiString(30 + r * 7));
        g->SetAlignments(3, r, taCenter);
    }
    g->SetRowHeights(3, 40);
    g->SetCellEx(4, 1, "<b>Hoja</b> principal <font color=\"clRed\">exterior</font>");
    g->SetCellEx(4, 3, "Aislante entre montantes, sin cámara");
    g->SetCellEx(4, 5, "<i>Ver</i> <u>norma</u>");
    g->SetColors(1, 2, clInfoBk);
    g->SetFontColors(1, 4, clMaroon);
    TFontStyles negrita;
    negrita << fsBold;
    g->SetFontStyles(1, 4, negrita);
    g->SetFontSizes(1, 6, 11);
    g->SetFontNames(1, 6, "Courier New");
    g->OnGetCellBorder = [](TObject*, int c, int r, TPen* p, TCellBorders& b) {
        if (c == 3 && r == 6) {
            b << cbLeft << cbRight << cbTop << cbBottom;
            p->SetColor(clBlue);
            p->SetWidth(2);
        }
    };
    g->GetShowModified()->SetEnabled(true);
    g->SetRowModified(2, true);
    g->GetSortSettings()->SetShow(true);
    g->GetSortSettings()->SetColumn(1);
    g->SetRow(5);
    g->SetCol(1);
    g->SetSelection({1, 4, 2, 5});
    g->Repaint();
    EXPECT_FALSE(SaveCapture(g, "kavgrid_celdas").IsEmpty());
    // The per-cell colour shows where no text is.
    const TRect r = g->CellRect(1, 2);
    EXPECT_EQ(ColorToRGB(g->GetCanvas()->GetPixels(r.Right - 4, r.Bottom - 4)),
              ColorToRGB(clInfoBk));
}

} // namespace

// Blinking markup follows the phase the grid's timer toggles: the text shows in one phase and
// takes the cell's colour in the other; markup that does not blink always shows, and while
// blinking is off blinking text stays shown. Both phases are saved as captures.
TEST_F(Celdas, TextoQueParpadea) {
    g->SetCellEx(1, 1, "<blink>parpadea</blink>");
    g->SetCellEx(1, 2, "<b>fijo</b>");
    g->SetColWidths(1, 90);
    g->SetRow(4);
    auto tinta = [&](int r) {
        Pintado();
        const TRect c = g->CellRect(1, r);
        return HayColor(g->GetCanvas(), Rect(c.Left + 2, c.Top + 2, c.Right - 2, c.Bottom - 2),
                        clBlack);
    };
    EXPECT_TRUE(tinta(1)); // blinking off: shown
    g->SetEnableBlink(true);
    for (int tic = 0; tic < 4; ++tic) {
        SCOPED_TRACE(tic);
        g->Perform(WM_TIMER, 111, 0);
        const bool fase = g->GetBlinkPhase();
        EXPECT_EQ(tinta(1), fase);
        EXPECT_TRUE(tinta(2));
        EXPECT_FALSE(SaveCapture(g, fase ? "rejilla_parpadeo_visible" : "rejilla_parpadeo_oculto")
                         .IsEmpty());
    }
    g->SetEnableBlink(false);
    EXPECT_TRUE(tinta(1));
}

// While a range is dragged with the mouse, the cells it covers are painted selected only
// when the grid shows its selection.
TEST_F(Celdas, RangoArrastradoSoloSiSeMuestraLaSeleccion) {
    g->SetOptions(g->GetOptions() << goRangeSelect);
    const TRect desde = g->CellRect(1, 1), hasta = g->CellRect(3, 2), dentro = g->CellRect(2, 2);
    for (const bool mostrar : {true, false}) {
        SCOPED_TRACE(mostrar);
        g->SetShowSelection(mostrar);
        SimulateMouse(g, SimulatedMouse::Down, 0, desde.Left + 5, desde.Top + 5);
        SimulateMouse(g, SimulatedMouse::Move, 0, hasta.Left + 5, hasta.Top + 5);
        Pintado();
        EXPECT_EQ(HayColor(g->GetCanvas(),
                           Rect(dentro.Left + 2, dentro.Top + 2, dentro.Right - 2, dentro.Bottom - 2),
                           g->GetSelectionColor()),
                  mostrar);
        SimulateMouse(g, SimulatedMouse::Up, 0, hasta.Left + 5, hasta.Top + 5);
    }
}

// With visual styles on, the list-view look draws the header under the pointer hot, and
// pressed while the left button is held on it; a fixed cell the pointer leaves, or the
// pointer leaving the grid, takes the hot look away. Only what the moves mark is painted.
TEST(CeldasConEstilos, CabeceraDeListaBajoElPuntero) {
    struct Estilos {
        Estilos() {
            SetThemeActive(true);
            ResetInputState();
        }
        ~Estilos() {
            ResetInputState();
            SetThemeActive(false);
        }
    } estilos;
    auto ventana = std::make_unique<VentanaPrueba>();
    auto* g = new Rejilla(ventana.get(), ventana.get());
    g->SetBounds(0, 0, 330, 150);
    g->SetLook(glListView);
    g->Repaint();
    const TRect cab = g->CellRect(2, 0), otra = g->CellRect(3, 0), fila = g->CellRect(0, 2);
    const TColor caliente = static_cast<TColor>(RGB(248, 169, 0));
    const TColor pulsada = static_cast<TColor>(RGB(222, 223, 216));
    auto hay = [&](const TRect& r, TColor c) {
        g->Update();
        return HayColor(g->GetCanvas(), r, c);
    };
    auto mover = [&](SimulatedMouse que, const TRect& r) {
        SimulateMouse(g, que, 0, r.Left + 5, r.Top + 5);
    };
    EXPECT_FALSE(hay(cab, caliente));
    mover(SimulatedMouse::Move, cab);
    EXPECT_TRUE(hay(cab, caliente));
    EXPECT_FALSE(hay(otra, caliente));
    mover(SimulatedMouse::Move, fila); // the fixed column
    EXPECT_FALSE(hay(cab, caliente));
    EXPECT_TRUE(hay(fila, caliente));
    mover(SimulatedMouse::Down, fila);
    EXPECT_TRUE(hay(fila, pulsada));
    EXPECT_FALSE(hay(fila, caliente));
    EXPECT_FALSE(SaveCapture(g, "rejilla_cabecera_lista_pulsada").IsEmpty());
    mover(SimulatedMouse::Up, fila);
    g->Repaint();
    EXPECT_TRUE(hay(fila, caliente));
    EXPECT_FALSE(SaveCapture(g, "rejilla_cabecera_lista_caliente").IsEmpty());
    SimulateMouseLeave(g);
    EXPECT_FALSE(hay(fila, caliente));
}

// Hiding the selection puts it just beyond the last column and row: no cell is selected or
// painted so, a merged block holding the current cell included; showing it again brings the
// saved block back, or the first scrollable cell when the grid no longer reaches the block.
TEST_F(Celdas, OcultarYMostrarLaSeleccion) {
    g->SetOptions(g->GetOptions() << goRangeSelect);
    g->MergeCells(1, 2, 2, 1);
    g->SetSelection({2, 2, 3, 4});
    const TColor seleccion = g->GetSelectionColor();
    auto seleccionadas = [&] {
        int n = 0;
        for (int r = 0; r < g->GetRowCount(); ++r)
            for (int c = 0; c < g->GetColCount(); ++c)
                n += g->IsSelected(c, r);
        return n;
    };
    auto pintada = [&] {
        Pintado();
        return HayColor(g->GetCanvas(), g->GetClientRect(), seleccion);
    };
    EXPECT_EQ(seleccionadas(), 7); // the block and the merged cell beside it
    EXPECT_TRUE(pintada());

    g->HideSelection();
    EXPECT_TRUE(g->GetSelectionHidden());
    EXPECT_EQ(g->GetSelection(), (TGridRect{5, 10, 5, 10}));
    EXPECT_EQ(seleccionadas(), 0);
    EXPECT_FALSE(pintada());
    EXPECT_FALSE(SaveCapture(g, "rejilla_seleccion_oculta").IsEmpty());
    EXPECT_EQ(g->GetCol(), 2); // the current cell stays a cell of the grid
    EXPECT_EQ(g->GetRow(), 2);

    g->UnHideSelection();
    EXPECT_FALSE(g->GetSelectionHidden());
    EXPECT_EQ(g->GetSelection(), (TGridRect{2, 2, 3, 4}));
    EXPECT_EQ(seleccionadas(), 7);
    EXPECT_TRUE(pintada());
    EXPECT_FALSE(SaveCapture(g, "rejilla_seleccion_mostrada").IsEmpty());

    // The grid shrank under the hidden block: the first scrollable cell is selected.
    g->HideSelection();
    g->SetRowCountEx(2);
    g->UnHideSelection();
    EXPECT_EQ(g->GetSelection(), (TGridRect{1, 1, 1, 1}));

    // A selection set while hidden ends the state beyond the grid.
    g->HideSelection();
    g->SetSelection({3, 1, 3, 1});
    EXPECT_TRUE(g->IsSelected(3, 1));
}
