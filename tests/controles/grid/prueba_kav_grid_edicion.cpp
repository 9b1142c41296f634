// Editing cells of the advanced grid as a user does: F2 or typing opens the text editor,
// Return, Escape, Tab and the arrows end or move the edit, validation may refuse a value,
// the editor kind filters what is typed, and kinds whose control is missing open nothing.

#include "controles/comun/text_utils.h"
#include "controles/grid/editing/kav_inplace_edit.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/regional.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/services/clipboard.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "tests/comun/pruebas.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

inline void PrintTo(const AnsiString& S, std::ostream* Os) {
    *Os << '"' << S.c_str() << '"';
}

namespace {

class Edicion : public RejillaEnVentana<> {
protected:
    void SetUp() override {
        RejillaEnVentana::SetUp();
        g->SetBounds(0, 0, 420, 260);
        g->SetColCount(4);
        g->SetRowCount(6);
        g->SetOptions(g->GetOptions() << goEditing);
        for (int r = 1; r < 6; ++r)
            for (int c = 1; c < 4; ++c)
                g->SetCells(c, r, IntToStr(c * 10 + r));
        g->SetFocus();
        Ir(1, 1);
    }
    void Ir(int col, int row) {
        g->SetCol(col);
        g->SetRow(row);
    }
    bool Abierto() const {
        return g->GetEditorMode() && g->GetInplaceEditor() && g->GetInplaceEditor()->GetVisible();
    }
    TKavInplaceEdit* Editor() const { return g->GetKavInplaceEditor(); }
};

// Typing into a cell whose row grows with its text, in a grid that showed every row: while
// the rows fit the caret stays where the user types; once the row pushes rows out of view the
// editor shows again with its caret after its text.
TEST_F(Edicion, AltoAlEscribirLlevaElCursorAlFinal) {
    g->SetBounds(0, 0, 420, 200); // six rows of 21 show, with room for little more
    g->SetFixedRows(0);
    g->GetSizeWhileTyping()->SetHeight(true);
    g->SetCells(1, 5, "fin");
    Ir(1, 5);
    ASSERT_EQ(g->GetVisibleRowCount(), g->GetRowCount());
    SimulateKeyStroke(VK_F2);
    ASSERT_TRUE(Abierto());
    SimulateKeyStroke(VK_HOME);
    SimulateTyping("a");
    EXPECT_EQ(Editor()->GetSelStart(), 1);
    SimulateTyping(" uno dos tres cuatro cinco seis siete ocho nueve diez once doce");
    EXPECT_LT(g->GetVisibleRowCount(), g->GetRowCount());
    EXPECT_TRUE(Abierto());
    EXPECT_EQ(Editor()->GetSelStart(), Editor()->GetText().Length());
}

TEST_F(Edicion, F2EscribirEIntroGuardan) {
    SimulateKeyStroke(VK_F2);
    ASSERT_TRUE(Abierto());
    ASSERT_NE(Editor(), nullptr);
    EXPECT_TRUE(Editor()->Focused());
    // F2 leaves the caret after the text: typing adds to it.
    SimulateTyping("5");
    EXPECT_EQ(Editor()->GetText(), "115");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_FALSE(Abierto());
    EXPECT_EQ(g->GetCells(1, 1), "115");
    EXPECT_TRUE(g->Focused());
    // Without AdvanceOnEnter the cell stays.
    EXPECT_EQ(g->GetCol(), 1);
    EXPECT_EQ(g->GetRow(), 1);
}

TEST_F(Edicion, EscribirReemplazaYEscapeDevuelve) {
    Ir(2, 3);
    SimulateTyping("7,5");
    ASSERT_TRUE(Abierto());
    EXPECT_EQ(Editor()->GetText(), "7,5");
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_FALSE(Abierto());
    EXPECT_EQ(g->GetCells(2, 3), "23");
    EXPECT_TRUE(g->Focused());
    // Return opens the editor on the cell as it is.
    SimulateKeyStroke(VK_RETURN);
    ASSERT_TRUE(Abierto());
    EXPECT_EQ(Editor()->GetText(), "23");
}

TEST_F(Edicion, IntroAvanzaALaSiguienteCeldaEditable) {
    g->GetNavigation()->SetAdvanceOnEnter(true);
    g->OnCanEditCell = [](TObject*, int col, int, bool& can) {
        if (col == 2) can = false;
    };
    std::vector<std::pair<int, int>> avances;
    g->OnAutoAdvance = [&](TObject*, int, int, int& row, int& col, bool&) {
        avances.push_back({col, row});
    };
    Ir(1, 2);
    SimulateKeyStroke(VK_F2);
    SimulateTyping("9");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(g->GetCells(1, 2), "129");
    // Column 2 is read-only: the advance lands on column 3, and the edit goes on there.
    EXPECT_EQ(g->GetCol(), 3);
    EXPECT_EQ(g->GetRow(), 2);
    ASSERT_TRUE(Abierto());
    EXPECT_EQ(Editor()->GetText(), g->GetCells(3, 2));
    ASSERT_EQ(avances.size(), 1u);
    EXPECT_EQ(avances[0], std::make_pair(3, 2));
    EXPECT_EQ(g->GetLastEditCell().x, 1);
    // From the last column the advance goes to the next row's first column.
    SimulateKeyStroke(VK_F2);
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(g->GetCol(), 1);
    EXPECT_EQ(g->GetRow(), 3);
    // From the last cell it wraps to the first.
    Ir(3, 5);
    g->AdvanceEdit(3, 5, false, false, true);
    EXPECT_EQ(g->GetCol(), 1);
    EXPECT_EQ(g->GetRow(), 1);
}

// Return advances onto a check box or a cell button as onto any cell, one more cell change
// told from the cell left; the check box keeps its state and the button is not pressed, and
// nothing opens over them.
TEST_F(Edicion, IntroAvanzaSobreCasillaYBotonSinAccionarlos) {
    g->GetNavigation()->SetAdvanceOnEnter(true);
    g->AddCheckBox(2, 2, false, false);
    g->AddButton(2, 3, 30, 16, "...", haLeft, vaTop);
    int botones = 0, casillas = 0;
    g->OnButtonClick = [&](TObject*, int, int) { ++botones; };
    g->OnCheckBoxClick = [&](TObject*, int, int, bool) { ++casillas; };
    std::vector<std::array<int, 4>> cambios;
    g->OnCellChanging = [&](TObject*, int fa, int ca, int fn, int cn, bool&) {
        cambios.push_back({fa, ca, fn, cn});
    };
    // Onto a text cell first: how many changes one advance tells.
    Ir(1, 4);
    cambios.clear();
    SimulateKeyStroke(VK_F2);
    SimulateKeyStroke(VK_RETURN);
    ASSERT_EQ(TPoint(g->GetCol(), g->GetRow()), TPoint(2, 4));
    const size_t porAvance = cambios.size();
    ASSERT_GT(porAvance, 0u);
    for (int fila : {2, 3}) {
        SCOPED_TRACE(fila);
        Ir(1, fila);
        cambios.clear();
        SimulateKeyStroke(VK_F2);
        SimulateKeyStroke(VK_RETURN);
        ASSERT_EQ(TPoint(g->GetCol(), g->GetRow()), TPoint(2, fila));
        ASSERT_EQ(cambios.size(), porAvance + 1);
        EXPECT_EQ(cambios.back(), (std::array<int, 4>{fila, 1, fila, 2}));
        EXPECT_FALSE(Abierto());
    }
    bool estado = true;
    g->GetCheckBoxState(2, 2, estado);
    EXPECT_FALSE(estado);
    EXPECT_EQ(casillas, 0);
    EXPECT_EQ(botones, 0);
}

TEST_F(Edicion, AvanceDeArribaAAbajoYHaciaAtras) {
    g->GetNavigation()->SetAdvanceOnEnter(true);
    g->GetNavigation()->SetAdvanceDirection(adTopBottom);
    Ir(2, 5);
    g->AdvanceEdit(2, 5, false, false, true);
    EXPECT_EQ(g->GetCol(), 3);
    EXPECT_EQ(g->GetRow(), 1);
    g->AdvanceEdit(3, 1, false, false, false);
    EXPECT_EQ(g->GetCol(), 2);
    EXPECT_EQ(g->GetRow(), 5);
    g->GetNavigation()->SetAdvanceDirection(adLeftRight);
    g->AdvanceEdit(1, 1, false, false, false);
    EXPECT_EQ(g->GetCol(), 3);
    EXPECT_EQ(g->GetRow(), 5);
}

TEST_F(Edicion, AvanceSinCeldasEditablesTermina) {
    g->GetNavigation()->SetAdvanceOnEnter(true);
    int avisos = 0;
    g->OnAutoAdvance = [&](TObject*, int, int, int&, int&, bool&) { ++avisos; };
    g->OnCanEditCell = [](TObject*, int, int, bool& can) { can = false; };
    Ir(2, 2);
    g->AdvanceEdit(2, 2, true, true, true);
    EXPECT_EQ(g->GetCol(), 2);
    EXPECT_EQ(g->GetRow(), 2);
    EXPECT_EQ(avisos, 0);
    g->AdvanceEdit(2, 2, true, true, false);
    EXPECT_EQ(avisos, 0);
}

TEST_F(Edicion, AvanceAnadeFilaAlFinal) {
    g->GetNavigation()->SetAdvanceOnEnter(true);
    g->GetNavigation()->SetAdvanceInsert(true);
    int nueva = -1;
    g->OnAutoAddRow = [&](TObject*, int row) { nueva = row; };
    g->AdvanceEdit(3, 5, false, false, true);
    EXPECT_EQ(g->GetRowCount(), 7);
    EXPECT_EQ(nueva, 6);
    EXPECT_EQ(g->GetRow(), 6);
    EXPECT_EQ(g->GetCol(), 1);
    // Refused by OnCanAddRow: the cell goes to the first column of the same row.
    g->OnCanAddRow = [](TObject*, bool& allow) { allow = false; };
    g->AdvanceEdit(3, 6, false, false, true);
    EXPECT_EQ(g->GetRowCount(), 7);
    EXPECT_EQ(g->GetRow(), 6);
    EXPECT_EQ(g->GetCol(), 1);
}

TEST_F(Edicion, ValidacionRechazadaMantieneElEditor) {
    int llamadas = 0;
    g->OnCellValidate = [&](TObject*, int, int, AnsiString& v, bool& ok) {
        ++llamadas;
        ok = IsType(v) != atString;
    };
    Ir(2, 2);
    SimulateTyping("abc");
    ASSERT_TRUE(Abierto());
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(llamadas, 1);
    EXPECT_TRUE(Abierto());
    EXPECT_EQ(g->GetCells(2, 2), "22");
    EXPECT_EQ(Editor()->GetText(), "22");
    EXPECT_EQ(g->GetCol(), 2);
    EXPECT_EQ(g->GetRow(), 2);
    // A number is taken.
    Editor()->SelectAll();
    SimulateTyping("3");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_FALSE(Abierto());
    EXPECT_EQ(g->GetCells(2, 2), "3");
    // Down out of the editor validates too, and refused keeps the cell.
    Ir(2, 3);
    SimulateTyping("x");
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(g->GetRow(), 3);
    EXPECT_TRUE(Abierto());
    EXPECT_EQ(g->GetCells(2, 3), "23");
}

TEST_F(Edicion, FlechasYTabSalenDelEditor) {
    g->SetOptions(g->GetOptions() << goTabs);
    Ir(1, 2);
    SimulateTyping("8");
    SimulateKeyStroke(VK_DOWN);
    EXPECT_FALSE(Abierto());
    EXPECT_EQ(g->GetCells(1, 2), "8");
    EXPECT_EQ(g->GetRow(), 3);
    SimulateTyping("4");
    SimulateKeyStroke(VK_UP);
    EXPECT_EQ(g->GetCells(1, 3), "4");
    EXPECT_EQ(g->GetRow(), 2);
    SimulateTyping("6");
    SimulateKeyStroke(VK_TAB);
    EXPECT_FALSE(Abierto());
    EXPECT_EQ(g->GetCells(1, 2), "6");
    EXPECT_EQ(g->GetCol(), 2);
    SimulateKeyStroke(VK_TAB, {ssShift});
    EXPECT_EQ(g->GetCol(), 1);
    // Left and Right move the caret inside the text.
    SimulateKeyStroke(VK_F2);
    SimulateKeyStroke(VK_LEFT);
    EXPECT_TRUE(Abierto());
    EXPECT_EQ(Editor()->GetSelStart(), 0);
    // With CursorWalkEditor the arrow at the text's edge moves on and keeps editing.
    g->GetNavigation()->SetCursorWalkEditor(true);
    SimulateKeyStroke(VK_END);
    SimulateKeyStroke(VK_RIGHT);
    EXPECT_EQ(g->GetCol(), 2);
    EXPECT_TRUE(Abierto());
    SimulateKeyStroke(VK_HOME);
    SimulateKeyStroke(VK_LEFT);
    EXPECT_EQ(g->GetCol(), 1);
}

TEST_F(Edicion, ArribaYAbajoEnUnTextoDeVariasLineas) {
    g->SetMultilinecells(true);
    g->SetCells(2, 3, "uno\r\ndos\r\ntres");
    g->SetRowHeights(3, 52);
    Ir(2, 3);
    SimulateKeyStroke(VK_F2);
    ASSERT_TRUE(Abierto());
    Editor()->SetSelStart(6); // on line two
    SimulateKeyStroke(VK_UP);
    EXPECT_TRUE(Abierto());
    g->Repaint();
    EXPECT_FALSE(SaveCapture(ventana.get(), "kavgrid_edicion_lineas").IsEmpty());
    EXPECT_EQ(g->GetRow(), 3);
    Editor()->SetSelStart(1); // on line one: Up leaves
    SimulateKeyStroke(VK_UP);
    EXPECT_FALSE(Abierto());
    EXPECT_EQ(g->GetRow(), 2);
    EXPECT_EQ(g->GetCells(2, 3), "uno\r\ndos\r\ntres");
}

TEST_F(Edicion, LaColumnaCreceAlEscribir) {
    g->GetSizeWhileTyping()->SetWidth(true);
    g->SetColWidths(2, 30);
    Ir(2, 2);
    SimulateTyping("un valor bastante largo");
    ASSERT_TRUE(Abierto());
    EXPECT_GT(g->GetColWidths(2), 100);
    const TRect r = g->CellRect(2, 2);
    EXPECT_EQ(Editor()->GetWidth(), r.Right - r.Left - 1);
}

TEST_F(Edicion, FinDeOtroEditorAvanzaYAbre) {
    g->GetNavigation()->SetAdvanceOnEnter(true);
    Ir(2, 4);
    SimulateKeyStroke(VK_F2);
    // Another editor ends its edit with Return: the next cell opens its editor.
    g->DoneInplaceEdit(VK_RETURN, {});
    EXPECT_EQ(g->GetCol(), 3);
    EXPECT_EQ(g->GetRow(), 4);
    EXPECT_TRUE(Abierto());
    EXPECT_FALSE(g->GetNavigation()->GetAlwaysEdit());
    // An arrow moves the grid.
    g->DoneInplaceEdit(VK_DOWN, {});
    EXPECT_EQ(g->GetRow(), 5);
    EXPECT_FALSE(Abierto());
}

TEST_F(Edicion, HistorialDeValoresAlSalir) {
    g->SetLookupHistory(true);
    SimulateTyping("Sevilla");
    TEdit* otro = new TEdit(ventana.get());
    otro->SetParent(ventana.get());
    otro->SetBounds(450, 10, 100, 20);
    otro->SetFocus();
    EXPECT_EQ(g->GetLookupItems()->IndexOf("Sevilla"), 0);
    EXPECT_EQ(g->GetCells(1, 1), "Sevilla");
}

TEST_F(Edicion, CeldaDeSoloLecturaNoAbre) {
    g->OnCanEditCell = [](TObject*, int col, int row, bool& can) { can = !(col == 2 && row == 2); };
    Ir(2, 2);
    SimulateKeyStroke(VK_F2);
    EXPECT_FALSE(Abierto());
    SimulateTyping("1");
    EXPECT_FALSE(Abierto());
    EXPECT_EQ(g->GetCells(2, 2), "22");
    SimulateKeyStroke(VK_RIGHT);
    SimulateTyping("1");
    EXPECT_TRUE(Abierto());
}

TEST_F(Edicion, TiposDeEditorFiltranLoEscrito) {
    struct Caso {
        TEditorType tipo;
        const char* tecleado;
        const char* queda;
    } casos[] = {
        {edNumeric, "-1a-2", "-12"},
        {edPositiveNumeric, "-1a2", "12"},
        {edFloat, "-1,2,5x", "-1,25"},
        {edUpperCase, "abc", "ABC"},
        {edLowerCase, "AbC", "abc"},
        {edNormal, "a-1,", "a-1,"},
        {edMixedCase, "juan perez", "Juan Perez"},
    };
    const char antes = GetDecimalSeparator();
    SetDecimalSeparator(',');
    for (const Caso& c : casos) {
        g->SetDefaultEditor(c.tipo);
        Ir(3, 4);
        SimulateKeyStroke(VK_F2);
        ASSERT_TRUE(Abierto()) << c.tipo;
        EXPECT_EQ(g->GetEditorType(), c.tipo);
        Editor()->SetText("");
        SimulateTyping(c.tecleado);
        EXPECT_EQ(Editor()->GetText(), c.queda) << c.tipo;
        SimulateKeyStroke(VK_ESCAPE);
    }
    SetDecimalSeparator(antes);
}

TEST_F(Edicion, TiposSinControlNoAbrenEditor) {
    // Each kind whose control the grid lacks is left uneditable rather than edited as text.
    for (TEditorType t : {edDataCheckBox, edCustom, edNone}) {
        g->OnGetEditorType = [t](TObject*, int col, int, TEditorType& e) {
            if (col == 2) e = t;
        };
        Ir(2, 2);
        SimulateKeyStroke(VK_F2);
        EXPECT_FALSE(Abierto()) << t;
        SimulateTyping("z");
        EXPECT_FALSE(Abierto()) << t;
        EXPECT_EQ(g->GetCells(2, 2), "22") << t;
        // A plain cell beside it still edits.
        Ir(1, 2);
        SimulateKeyStroke(VK_F2);
        EXPECT_TRUE(Abierto()) << t;
        SimulateKeyStroke(VK_ESCAPE);
    }
}

TEST_F(Edicion, ContrasenaYLimiteDeLongitud) {
    g->OnIsPasswordCell = [](TObject*, int, int, bool& p) { p = true; };
    g->SetDefaultEditor(edPassword);
    g->SetMaxEditLength(4);
    SimulateKeyStroke(VK_F2);
    ASSERT_TRUE(Abierto());
    Editor()->SetText("");
    SimulateTyping("123456");
    EXPECT_EQ(Editor()->GetText(), "1234");
    EXPECT_EQ(Editor()->GetPasswordChar(), g->GetPasswordChar());
}

TEST_F(Edicion, EventosDeCambioYFinDeEdicion) {
    std::vector<AnsiString> cambios;
    int finales = 0;
    g->OnEditChange = [&](TObject* s, int, int, const AnsiString& v) {
        EXPECT_EQ(s, g->GetInplaceEditor());
        cambios.push_back(v);
    };
    g->OnEditingDone = [&](TObject*) { ++finales; };
    SimulateTyping("ab");
    EXPECT_EQ(cambios.back(), "ab");
    // Focus to another window ends the edit with the text kept.
    TEdit* otro = new TEdit(ventana.get());
    otro->SetParent(ventana.get());
    otro->SetBounds(450, 10, 100, 20);
    otro->SetFocus();
    EXPECT_FALSE(Abierto());
    EXPECT_EQ(g->GetCells(1, 1), "ab");
    EXPECT_GE(finales, 1);
}

TEST_F(Edicion, BusquedaEnLaListaDeValores) {
    g->SetLookup(true);
    g->GetLookupItems()->Add("Madrid");
    g->GetLookupItems()->Add("Malaga");
    Ir(2, 2);
    SimulateTyping("ma");
    EXPECT_EQ(Editor()->GetText(), "madrid");
    EXPECT_EQ(Editor()->GetSelStart(), 2);
    EXPECT_EQ(Editor()->GetSelLength(), 4);
    SimulateTyping("l");
    EXPECT_EQ(Editor()->GetText(), "malaga");
}

TEST_F(Edicion, PegarSegunElTipo) {
    g->SetDefaultEditor(edNumeric);
    SimulateKeyStroke(VK_F2);
    Editor()->SetText("");
    Clipboard()->SetAsText("12a");
    Editor()->PasteFromClipboard();
    EXPECT_EQ(Editor()->GetText(), "");
    Clipboard()->SetAsText("42");
    Editor()->PasteFromClipboard();
    EXPECT_EQ(Editor()->GetText(), "42");
    EXPECT_EQ(g->GetCells(1, 1), "42");
    bool permitir = false;
    g->OnClipboardPaste = [&](TObject*, bool& a) { a = permitir; };
    Clipboard()->SetAsText("7");
    Editor()->PasteFromClipboard();
    EXPECT_EQ(Editor()->GetText(), "42");
}

// A right-aligned cell is edited with its text against the right edge, as it shows; a plain
// cell is edited from the left again.
TEST_F(Edicion, ElEditorAlineaComoLaCelda) {
    g->SetColWidths(2, 140);
    g->SetAlignments(2, 3, taRightJustify);
    // The first and last columns of the editor's face that hold ink.
    auto tinta = [&] {
        const QImage img = Editor()->GetWidget()->grab().toImage();
        int primera = img.width(), ultima = -1;
        for (int x = 3; x < img.width() - 3; ++x)
            for (int y = 2; y < img.height() - 2; ++y)
                if (qGray(img.pixel(x, y)) < 96) {
                    primera = std::min(primera, x);
                    ultima = x;
                    break;
                }
        return std::array<int, 3>{primera, ultima, img.width()};
    };
    Ir(2, 3);
    SimulateKeyStroke(VK_F2);
    ASSERT_TRUE(Abierto());
    EXPECT_TRUE(Editor()->GetVAlign());
    const auto derecha = tinta();
    EXPECT_GT(derecha[0], derecha[2] / 2);
    EXPECT_FALSE(SaveCapture(ventana.get(), "kavgrid_edicion_derecha").IsEmpty());
    SimulateKeyStroke(VK_ESCAPE);
    Ir(2, 2);
    SimulateKeyStroke(VK_F2);
    ASSERT_TRUE(Abierto());
    EXPECT_FALSE(Editor()->GetVAlign());
    const auto izquierda = tinta();
    EXPECT_GE(izquierda[1], 0);
    EXPECT_LT(izquierda[1], izquierda[2] / 2);
    // What is typed still goes into the cell.
    SimulateTyping("7");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(g->GetCells(2, 2), "227");
}

// The grid's word wrap reaches an editor made before it changed.
TEST_F(Edicion, ElAjusteDeLineasLlegaAlEditor) {
    SimulateKeyStroke(VK_F2);
    ASSERT_TRUE(Abierto());
    SimulateKeyStroke(VK_ESCAPE);
    for (bool ajuste : {false, true}) {
        g->SetWordWrapEx(ajuste);
        EXPECT_EQ(Editor()->GetWordWrap(), ajuste);
        SimulateKeyStroke(VK_F2);
        ASSERT_TRUE(Abierto());
        EXPECT_EQ(Editor()->GetWordWrap(), ajuste);
        SimulateKeyStroke(VK_ESCAPE);
    }
}

TEST_F(Edicion, MostrarEdicionPorMensaje) {
    g->ShowCellEdit();
    EXPECT_FALSE(Abierto()); // only posted
    Application->ProcessMessages();
    EXPECT_TRUE(Abierto());
}

TEST_F(Edicion, CapturaDeCeldaEditada) {
    g->SetColWidths(1, 120);
    g->SetCells(1, 0, "Multiplicador");
    Ir(1, 2);
    SimulateTyping("1,25");
    ASSERT_TRUE(Abierto());
    g->Repaint();
    EXPECT_FALSE(SaveCapture(ventana.get(), "kavgrid_edicion").IsEmpty());
}

} // namespace
