// The editor controls of the advanced grid as a user meets them: F2, a typed character or a
// click opens the cell's control over it, keys and the mouse change its value, Return, Tab,
// Escape and the arrows leave it, and the cell holds the value afterwards.

#include "controles/grid/editing/edit_link.h"
#include "controles/grid/editing/grid_editors.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/date_time_text.h"
#include "plataforma/base/dates.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/regional.h"
#include "plataforma/base/rich_text.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/kernel/std_messages.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/wide_text.h"
#include "tests/controles/grid/editores_prueba.h"
#include "tests/controles/grid/rejilla_prueba.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTableView>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

// A click, as the mouse makes it, on an item of a list or table view (a dropped list, a
// calendar's page).
void ClicEnElElemento(QAbstractItemView* Vista, const QModelIndex& Indice) {
    const QPoint centro = Vista->visualRect(Indice).center();
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(t, centro, Vista->viewport()->mapToGlobal(centro), Qt::LeftButton,
                      t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(Vista->viewport(), &e);
    }
}

// A click on a day of the shown month of a calendar: a day from 10 to 20, which a month's page
// shows once (the greyed days of the months beside it are below 10 or above 20); false when
// the calendar or the day is not there.
bool ClicEnElDia(QCalendarWidget* Calendario, int Dia) {
    QTableView* vista = Calendario ? Calendario->findChild<QTableView*>() : nullptr;
    if (!vista) return false;
    QAbstractItemModel* modelo = vista->model();
    // Row 0 holds the names of the days, column 0 the week numbers.
    for (int f = 1; f < modelo->rowCount(); ++f)
        for (int c = 1; c < modelo->columnCount(); ++c)
            if (modelo->data(modelo->index(f, c)).toInt() == Dia) {
                ClicEnElElemento(vista, modelo->index(f, c));
                return true;
            }
    return false;
}

TEST_F(Editores, CadaTipoAbreSuControlYDevuelveElValor) {
    struct Caso {
        TEditorType tipo;
        const char* celda;
        const char* tecleo; // typed after the control opens
        const char* resultado;
    };
    const Caso casos[] = {
        {edComboEdit, "uno", "dos", "dos"},
        {edSpinEdit, "7", "9", "9"},
        // The edits open with their text selected: typing replaces it.
        {edEditBtn, "abc", "d", "d"},
        {edNumericEditBtn, "12", "x3", "3"},
        {edFloatEditBtn, "1,5", "2,5", "2,5"},
        {edUnitEditBtn, "12.5 cm", "30", "30 cm"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.tipo);
        tipo = c.tipo;
        g->SetCells(2, 2, c.celda);
        Ir(2, 2);
        SimulateKeyStroke(VK_F2);
        TWinControl* ed = Activo();
        ASSERT_TRUE(Abierto(ed));
        const TRect r = g->CellRect(2, 2);
        EXPECT_EQ(ed->GetLeft(), r.Left);
        EXPECT_EQ(ed->GetTop(), r.Top);
        EXPECT_EQ(ed->GetWidth(), r.Right - r.Left - 1);
        SimulateTyping(c.tecleo);
        SimulateKeyStroke(VK_RETURN);
        EXPECT_FALSE(ed->GetVisible());
        EXPECT_EQ(Activo(), nullptr);
        EXPECT_TRUE(g->Focused());
        EXPECT_EQ(g->GetCells(2, 2).str(), c.resultado);
    }
}

// Laid out from the right (a right-to-left desktop), a control starts one pixel right of the
// cell's left edge, and is one pixel narrower.
TEST_F(Editores, DeDerechaAIzquierdaUnPixelMasALaDerecha) {
    for (TEditorType t : {edComboEdit, edSpinEdit, edEditBtn, edUniEdit}) {
        SCOPED_TRACE(t);
        tipo = t;
        for (bool rtl : {false, true}) {
            g->GetWidget()->setLayoutDirection(rtl ? Qt::RightToLeft : Qt::LeftToRight);
            Ir(2, 2);
            SimulateKeyStroke(VK_F2);
            TWinControl* ed = Activo();
            ASSERT_TRUE(Abierto(ed));
            // The wide edit keeps the cell's margins inside those edges.
            const int margen = t == edUniEdit ? g->GetXYOffset().x : 0;
            const int izquierda = t == edUniEdit ? 2 + margen : 0;
            const TRect r = g->CellRect(2, 2);
            EXPECT_EQ(ed->GetLeft(), r.Left + izquierda + (rtl ? 1 : 0));
            EXPECT_EQ(ed->GetLeft() + ed->GetWidth(), r.Right - 1 - margen);
            SimulateKeyStroke(VK_ESCAPE);
        }
    }
    g->GetWidget()->setLayoutDirection(Qt::LeftToRight);
}

// A click on another cell leaves an editor: its value goes to the cell it was opened on and
// the clicked cell becomes the current one.
TEST_F(Editores, ClicEnOtraCeldaGuardaYSeMueve) {
    struct Caso {
        TEditorType tipo;
        const char* tecleo;
        const char* resultado;
    };
    for (const Caso& c :
         {Caso{edComboEdit, "dos", "dos"}, Caso{edSpinEdit, "9", "9"}, Caso{edEditBtn, "d", "d"},
          Caso{edUnitEditBtn, "30", "30 cm"}, Caso{edUniEdit, "ancho", "ancho"},
          Caso{edUniComboEdit, "tres", "tres"}, Caso{edRichEdit, "rico", "rico"}}) {
        SCOPED_TRACE(c.tipo);
        tipo = c.tipo;
        g->SetCells(2, 2, c.tipo == edUnitEditBtn ? "12 cm" : "uno");
        Ir(2, 2);
        SimulateKeyStroke(VK_F2);
        TWinControl* ed = Activo();
        ASSERT_TRUE(Abierto(ed));
        if (c.tipo == edUniEdit || c.tipo == edRichEdit || c.tipo == edUniComboEdit)
            SimulateKeyStroke('A', {ssCtrl}); // these open with the caret after the text
        SimulateTyping(c.tecleo);
        const TRect otra = g->CellRect(3, 4);
        SimulateClick(g, otra.Left + 5, otra.Top + 5);
        EXPECT_FALSE(ed->GetVisible());
        EXPECT_EQ(Activo(), nullptr);
        EXPECT_EQ(g->GetCol(), 3);
        EXPECT_EQ(g->GetRow(), 4);
        if (c.tipo == edRichEdit) {
            TRichDocument d;
            ASSERT_TRUE(ReadRtf(g->GetCells(2, 2), d));
            EXPECT_EQ(d.PlainText(), c.resultado);
        } else if (c.tipo == edUniEdit || c.tipo == edUniComboEdit) {
            EXPECT_EQ(g->GetWideCells(2, 2), WideString(AnsiString(c.resultado)));
        } else {
            EXPECT_EQ(g->GetCells(2, 2).str(), c.resultado);
        }
        EXPECT_EQ(g->GetCells(3, 4), "34");
    }
}

TEST_F(Editores, TecleoAbreElControlConSuCaracter) {
    tipo = edSpinEdit;
    g->SetCells(2, 2, "");
    SimulateTyping("4");
    ASSERT_TRUE(Abierto(Activo()));
    EXPECT_EQ(Activo()->GetText(), "4");
    SimulateTyping("2");
    SimulateKeyStroke(VK_TAB);
    EXPECT_EQ(g->GetCells(2, 2), "42");
}

TEST_F(Editores, ListaDesplegableSinElTextoTomaElPrimeroYAvisa) {
    tipo = edComboList;
    g->AddComboString("rojo");
    g->AddComboString("verde");
    std::vector<std::pair<int, AnsiString>> avisos;
    int objetos = 0;
    g->OnComboChange = [&](TObject*, int, int, int i, const AnsiString& t) {
        avisos.push_back({i, t});
    };
    g->OnComboObjectChange = [&](TObject*, int, int, int, const AnsiString&, TObject*) {
        ++objetos;
    };
    g->SetCells(2, 2, "azul");
    SimulateKeyStroke(VK_F2);
    auto* combo = g->GetEditorControls().Combo();
    ASSERT_TRUE(Abierto(combo));
    EXPECT_EQ(combo->GetItemIndex(), 0);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].first, 0);
    EXPECT_EQ(avisos[0].second, "rojo");
    EXPECT_EQ(objetos, 1);
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_FALSE(combo->GetVisible());
    // With a preset the preset item is shown and nothing is reported.
    avisos.clear();
    g->SetComboSelection(1);
    SimulateKeyStroke(VK_F2);
    EXPECT_EQ(combo->GetItemIndex(), 1);
    EXPECT_TRUE(avisos.empty());
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(g->GetCells(2, 2), "verde");
}

// The list dropped and an item chosen with the mouse: the list closes, OnComboChange tells the
// choice, and Return writes it.
TEST_F(Editores, ListaElegidaConElRaton) {
    tipo = edComboList;
    for (const char* t : {"hormigón", "ladrillo", "madera"})
        g->AddComboString(t);
    std::vector<int> cambios;
    g->OnComboChange = [&](TObject*, int, int, int i, const AnsiString&) { cambios.push_back(i); };
    g->SetCells(2, 2, "hormigón");
    SimulateKeyStroke(VK_F2);
    auto* combo = g->GetEditorControls().Combo();
    ASSERT_TRUE(Abierto(combo));
    SimulateKeyStroke(VK_DOWN, {ssAlt});
    ASSERT_TRUE(combo->GetDroppedDown());
    auto* w = qobject_cast<QComboBox*>(combo->GetWidget());
    ASSERT_NE(w, nullptr);
    int salidas = 0;
    combo->OnExit = [&](TObject*) { ++salidas; };
    ClicEnElElemento(w->view(), w->model()->index(2, 0));
    EXPECT_FALSE(combo->GetDroppedDown());
    EXPECT_EQ(combo->GetText(), "madera");
    EXPECT_EQ(cambios, std::vector<int>{2});
    // The choice does not end the edit. Without a window manager (offscreen) nobody hands the
    // focus back to the window once the list closes: the test does, as the desktop does.
    EXPECT_EQ(salidas, 0);
    EXPECT_TRUE(combo->GetVisible());
    if (!combo->Focused()) combo->SetFocus();
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(g->GetCells(2, 2), "madera");
}

TEST_F(Editores, RuedaDeLaListaSeDetieneEnElUltimo) {
    tipo = edComboList;
    for (const char* t : {"a", "b", "c"})
        g->AddComboString(t);
    std::vector<int> indices;
    g->OnComboChange = [&](TObject*, int, int, int i, const AnsiString&) { indices.push_back(i); };
    g->SetCells(2, 2, "b");
    SimulateKeyStroke(VK_F2);
    auto* combo = g->GetEditorControls().Combo();
    for (int i = 0; i < 3; ++i)
        combo->Wheel(-120);
    EXPECT_EQ(combo->GetItemIndex(), 2);
    for (int i = 0; i < 4; ++i)
        combo->Wheel(120);
    EXPECT_EQ(combo->GetItemIndex(), 0);
    EXPECT_EQ(indices, (std::vector<int>{2, 2, 2, 1, 0, 0, 0}));
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(g->GetCells(2, 2), "a");
}

TEST_F(Editores, ComboRechazadoSigueAbiertoConElTextoDeLaCelda) {
    tipo = edComboEdit;
    g->AddComboString("uno");
    int validaciones = 0;
    g->OnCellValidate = [&](TObject*, int, int, AnsiString&, bool& ok) {
        ++validaciones;
        ok = false;
    };
    g->SetCells(2, 2, "viejo");
    SimulateKeyStroke(VK_F2);
    auto* combo = g->GetEditorControls().Combo();
    SimulateTyping("nuevo");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(validaciones, 1);
    EXPECT_TRUE(Abierto(combo));
    // The refusal reopens no text editor over the combo.
    EXPECT_FALSE(g->GetInplaceEditor() && g->GetInplaceEditor()->GetVisible());
    EXPECT_EQ(combo->GetText(), "viejo");
    EXPECT_EQ(g->GetCells(2, 2), "viejo");
    // Escape gives up: the cell keeps its text.
    SimulateTyping("otro");
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_FALSE(combo->GetVisible());
    EXPECT_EQ(g->GetCells(2, 2), "viejo");
}

TEST_F(Editores, ComboEditableTeclasQueSalen) {
    tipo = edComboEdit;
    g->AddComboString("uno");
    // With the list closed End leaves the editor and Home stays in it.
    SimulateKeyStroke(VK_F2);
    auto* combo = g->GetEditorControls().Combo();
    SimulateKeyStroke(VK_HOME);
    EXPECT_TRUE(Abierto(combo));
    SimulateKeyStroke(VK_END);
    EXPECT_FALSE(combo->GetVisible());
    // Down leaves and moves the grid's cell.
    SimulateKeyStroke(VK_F2);
    SimulateKeyStroke(VK_DOWN);
    EXPECT_FALSE(combo->GetVisible());
    EXPECT_EQ(g->GetRow(), 3);
    // Alt+Down opens the list and stays; with the list open Left leaves for the cell beside.
    SimulateKeyStroke(VK_F2);
    SimulateKeyStroke(VK_DOWN, TShiftState() << ssAlt);
    EXPECT_TRUE(combo->GetVisible());
    EXPECT_TRUE(combo->GetDroppedDown());
    SimulateKeyStroke(VK_LEFT, {}, combo);
    EXPECT_FALSE(combo->GetVisible());
    EXPECT_FALSE(combo->GetDroppedDown());
    EXPECT_EQ(g->GetCol(), 1);
    EXPECT_EQ(g->GetRow(), 3);
}

// With AutoComboDropSize the dropped list is as wide as its widest item needs: a few short
// items keep the control's width, a long one widens it by 8, and by 25 when the list has
// more items than it shows (room for its scroll bar).
TEST_F(Editores, ListasDesplegadasTanAnchasComoSuElemento) {
    g->GetNavigation()->SetAutoComboDropSize(true);
    const char* largo = "bloque de hormigón aligerado con arcilla expandida";
    const WideString largoAncho(
        u"\u03bb bloque de hormig\u00f3n aligerado \u2192 arcilla expandida");
    struct Caso {
        TEditorType tipo;
        int elementos; // short items besides the long one (0: three short items, no long one)
        int margen;    // added to the long item's width; 0: the control's width stays
    };
    for (const Caso& c :
         {Caso{edComboList, 0, 0}, Caso{edComboList, 2, 8}, Caso{edComboList, 9, 25},
          Caso{edUniComboList, 0, 0}, Caso{edUniComboList, 2, 8}, Caso{edUniComboList, 9, 25}}) {
        SCOPED_TRACE(testing::Message() << c.tipo << " " << c.elementos);
        const bool ancho = c.tipo == edUniComboList;
        tipo = c.tipo;
        g->ClearComboString();
        for (int i = 0; i < std::max(c.elementos, 3); ++i)
            g->AddComboString(IntToStr(i));
        if (c.margen) g->AddComboString(largo);
        Ir(2, 2);
        SimulateKeyStroke(VK_F2);
        TCustomComboBox* combo =
            ancho ? static_cast<TCustomComboBox*>(g->GetEditorControls().UniCombo())
                  : g->GetEditorControls().Combo();
        ASSERT_TRUE(Abierto(combo));
        auto medida = [&](const WideString& texto) {
            TSize t{0, 0};
            if (ancho)
                GetTextExtentPoint32W(g->GetCanvas()->GetHandle(), texto.c_bstr(), texto.Length(),
                                      &t);
            else
                t.cx = g->GetCanvas()->TextWidth(texto.ToAnsiString());
            EXPECT_GT(t.cx, combo->GetWidth());
            return static_cast<int>(t.cx) + c.margen;
        };
        EXPECT_EQ(combo->Perform(CB_GETDROPPEDWIDTH, 0, 0),
                  c.margen ? medida(WideString(largo)) : combo->GetWidth());
        if (ancho && c.margen) {
            // The wide combo measures its wide items.
            auto* uni = g->GetEditorControls().UniCombo();
            uni->GetItems()->Delete(uni->GetItems()->GetCount() - 1);
            uni->GetItems()->Add(largoAncho);
            uni->SizeDropDownWidth();
            EXPECT_EQ(combo->Perform(CB_GETDROPPEDWIDTH, 0, 0), medida(largoAncho));
        }
        SimulateKeyStroke(VK_ESCAPE);
    }
}

// The editable combo's selection field fills the cell's height, whatever the row's height.
TEST_F(Editores, ComboEditableTanAltoComoLaCelda) {
    tipo = edComboEdit;
    for (int alto : {18, 24, 34}) {
        SCOPED_TRACE(alto);
        g->SetRowHeights(2, alto);
        Ir(2, 2);
        SimulateKeyStroke(VK_F2);
        auto* combo = g->GetEditorControls().Combo();
        ASSERT_TRUE(Abierto(combo));
        const TRect r = g->CellRect(2, 2);
        EXPECT_EQ(combo->GetHeight(), r.Bottom - r.Top - 1);
        SimulateKeyStroke(VK_ESCAPE);
    }
}

// With CaretPositioning, a click that opens an editable combo puts its caret under the mouse;
// without it the combo opens with its text selected.
TEST_F(Editores, ComboAbiertoPorClicConElCursorBajoElRaton) {
    g->GetMouseActions()->SetDirectEdit(true);
    for (TEditorType t : {edComboEdit, edUniComboEdit}) {
        SCOPED_TRACE(t);
        tipo = t;
        g->SetCells(2, 2, "abcdefghijkl");
        Ir(2, 3);
        const TRect r = g->CellRect(2, 2);
        auto abrir = [&](int x) {
            SimulateClick(g, x, r.Top + r.Height() / 2);
            TCustomComboBox* combo =
                t == edUniComboEdit
                    ? static_cast<TCustomComboBox*>(g->GetEditorControls().UniCombo())
                    : g->GetEditorControls().Combo();
            EXPECT_TRUE(Abierto(combo));
            const std::pair<int, int> sel{combo->GetSelStart(), combo->GetSelLength()};
            SimulateKeyStroke(VK_ESCAPE);
            Ir(2, 3);
            return sel;
        };
        g->GetMouseActions()->SetCaretPositioning(false);
        EXPECT_EQ(abrir(r.Left + 6), std::make_pair(0, 12));
        g->GetMouseActions()->SetCaretPositioning(true);
        const auto [cerca, nada] = abrir(r.Left + 6);
        EXPECT_LE(cerca, 2);
        EXPECT_EQ(nada, 0);
        EXPECT_GT(abrir(r.Left + 60).first, cerca + 3);
        EXPECT_FALSE(g->GetCaretByClick());
    }
}

TEST_F(Editores, SpinPaginasYExtremos) {
    tipo = edSpinEdit;
    std::vector<int> valores;
    g->OnSpinClick = [&](TObject*, int, int, int v, bool) { valores.push_back(v); };
    g->SetCells(2, 2, "100");
    SimulateKeyStroke(VK_F2);
    auto* spin = g->GetEditorControls().Spin();
    ASSERT_TRUE(Abierto(spin));
    SimulateKeyStroke(VK_PRIOR); // at MaxValue: unchanged
    EXPECT_EQ(spin->GetValue(), 100);
    SimulateKeyStroke(VK_NEXT);
    EXPECT_EQ(spin->GetValue(), 99);
    SimulateKeyStroke(VK_END);
    EXPECT_EQ(spin->GetValue(), 0);
    SimulateKeyStroke(VK_HOME);
    EXPECT_EQ(spin->GetValue(), 100);
    EXPECT_EQ(valores, (std::vector<int>{100, 99, 0, 100}));
    // The buttons report their direction.
    bool arriba = false;
    g->OnSpinClick = [&](TObject*, int, int, int v, bool up) {
        arriba = up;
        valores.push_back(v);
    };
    spin->DownClick(spin);
    EXPECT_FALSE(arriba);
    EXPECT_EQ(valores.back(), 99);
    SimulateKeyStroke(VK_UP);
    EXPECT_FALSE(spin->GetVisible());
    EXPECT_EQ(g->GetCells(2, 2), "99");
    EXPECT_EQ(g->GetRow(), 1);
}

TEST_F(Editores, SpinDecimalYFechaSeGuardanPorSuValor) {
    tipo = edFloatSpinEdit;
    g->SetCells(2, 2, "1.234,5");
    auto* spin = g->GetEditorControls().Spin();
    spin->SetMaxFloatValue(10000);
    SimulateKeyStroke(VK_F2);
    EXPECT_DOUBLE_EQ(spin->GetFloatValue(), 1234.5);
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_DOUBLE_EQ(g->GetFloats(2, 2), 1234.5);
    tipo = edDateSpinEdit;
    g->SetCells(2, 2, "");
    SimulateKeyStroke(VK_F2);
    // An empty cell starts from today.
    EXPECT_EQ(static_cast<int>(spin->GetDateValue()), static_cast<int>(Now()));
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(g->GetCells(2, 2), DateToStr(static_cast<int>(Now())));
}

TEST_F(Editores, EdicionConBotonFiltraYAbreSuAccion) {
    tipo = edNumericEditBtn;
    g->SetCells(2, 2, "");
    SimulateKeyStroke(VK_F2);
    auto* e = g->GetEditorControls().EditBtn();
    const int pitidos = MessageBeepCount();
    SimulateTyping("-1a-2");
    EXPECT_EQ(e->GetText(), "-12");
    EXPECT_EQ(MessageBeepCount(), pitidos + 2);
    SimulateKeyStroke(VK_ESCAPE);
    tipo = edFloatEditBtn;
    SimulateKeyStroke(VK_F2);
    const int antes = MessageBeepCount();
    SimulateTyping("1.000,5,");
    EXPECT_EQ(e->GetText(), "1000,5");
    EXPECT_EQ(MessageBeepCount(), antes);
    // F4 runs the button's action once per key press.
    int clics = 0;
    g->OnEllipsClick = [&](TObject*, int col, int row, AnsiString& t) {
        ++clics;
        EXPECT_EQ(col, 2);
        EXPECT_EQ(row, 2);
        t = "7,25";
    };
    SimulateKeyStroke(VK_F4);
    EXPECT_EQ(clics, 1);
    EXPECT_EQ(e->GetText(), "7,25");
    EXPECT_EQ(e->GetSelLength(), 4);
    SimulateKeyStroke(VK_TAB);
    EXPECT_EQ(g->GetCells(2, 2), "7,25");
}

TEST_F(Editores, UnidadSeSeparaDelValor) {
    struct Caso {
        const char *celda, *valor, *unidad;
    };
    for (const Caso& c : {Caso{"12.5 cm", "12.5", " cm"}, Caso{"-3kg2", "-32", "kg"},
                          Caso{"", "", ""}, Caso{"m2", "2", "m"}}) {
        AnsiString valor, unidad;
        SplitValueUnit(c.celda, valor, unidad);
        EXPECT_EQ(valor.str(), c.valor) << c.celda;
        EXPECT_EQ(unidad.str(), c.unidad) << c.celda;
    }
    tipo = edUnitEditBtn;
    g->SetCells(2, 2, "12.5 cm");
    SimulateKeyStroke(VK_F2);
    auto* e = g->GetEditorControls().UnitEditBtn();
    EXPECT_EQ(e->GetText(), "12.5");
    EXPECT_EQ(e->GetUnitID(), " cm");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(g->GetCells(2, 2), "12.5 cm");
}

TEST_F(Editores, CasillaEspacioYFlechas) {
    tipo = edCheckBox;
    SimulateKeyStroke(VK_F2);
    auto* b = g->GetEditorControls().CheckBox();
    ASSERT_TRUE(Abierto(b));
    EXPECT_EQ(b->GetCaption(), "22");
    EXPECT_FALSE(b->GetChecked());
    SimulateKeyStroke(VK_SPACE);
    EXPECT_TRUE(b->GetChecked());
    EXPECT_TRUE(Abierto(b));
    SimulateKeyStroke(VK_LEFT);
    EXPECT_FALSE(b->GetVisible());
    EXPECT_EQ(g->GetCol(), 2);
    EXPECT_TRUE(g->Focused());
    SimulateKeyStroke(VK_F2);
    SimulateKeyStroke(VK_DOWN);
    EXPECT_FALSE(b->GetVisible());
    EXPECT_EQ(g->GetRow(), 3);
    // The check box writes nothing into the cell.
    EXPECT_EQ(g->GetCells(2, 2), "22");
}

TEST_F(Editores, BotonUnPixelMayorYEspacioEjecuta) {
    tipo = edButton;
    int clics = 0;
    g->OnEllipsClick = [&](TObject*, int, int, AnsiString& t) {
        ++clics;
        t = "hecho";
    };
    SimulateKeyStroke(VK_F2);
    auto* b = g->GetEditorControls().Button();
    ASSERT_TRUE(Abierto(b));
    const TRect r = g->CellRect(2, 2);
    EXPECT_EQ(b->GetLeft(), r.Left - 1);
    EXPECT_EQ(b->GetTop(), r.Top - 1);
    EXPECT_EQ(b->GetWidth(), r.Right - r.Left + 1);
    EXPECT_EQ(b->GetHeight(), r.Bottom - r.Top + 1);
    SimulateKeyStroke(VK_SPACE);
    EXPECT_EQ(clics, 1);
    EXPECT_EQ(b->GetCaption(), "hecho");
    SimulateKeyStroke(VK_RIGHT);
    EXPECT_FALSE(b->GetVisible());
    EXPECT_TRUE(g->Focused());
    EXPECT_EQ(g->GetCol(), 3);
    EXPECT_EQ(g->GetCells(2, 2), "22");
}

// Each editor open over its cell, saved for a person to look at (capturas/rejilla_editor_*.png).
TEST_F(Editores, CapturasDeCadaEditorAbierto) {
    g->AddComboString("hormigón");
    g->AddComboString("ladrillo");
    struct Caso {
        TEditorType tipo;
        const char *celda, *nombre;
    };
    for (const Caso& c :
         {Caso{edComboEdit, "hormigón", "combo"}, Caso{edComboList, "ladrillo", "lista"},
          Caso{edSpinEdit, "42", "spin"}, Caso{edEditBtn, "texto", "boton_edicion"},
          Caso{edUnitEditBtn, "12.5 cm", "unidad"}, Caso{edCheckBox, "sí", "casilla"},
          Caso{edButton, "Pulsar", "boton"}}) {
        tipo = c.tipo;
        g->SetCells(2, 2, c.celda);
        Ir(2, 2);
        SimulateKeyStroke(VK_F2);
        ASSERT_NE(Activo() ? Activo() : g->GetEditorControls().CheckBox(), nullptr);
        EXPECT_FALSE(
            SaveCapture(ventana.get(), AnsiString("rejilla_editor_") + c.nombre).IsEmpty());
        // The check box is left by an arrow, the others by Escape.
        SimulateKeyStroke(c.tipo == edCheckBox ? VK_LEFT : VK_ESCAPE);
        EXPECT_TRUE(g->Focused());
    }
}

TEST_F(Editores, EditoresAnchosGuardanTextoAncho) {
    const WideString ancho(u"\u03bb = 0,04 \u2192 \u00bfbien?");
    struct Caso {
        TEditorType tipo;
        WORD salida;
    };
    for (const Caso& c : {Caso{edUniEdit, VK_RETURN}, Caso{edUniEditBtn, VK_TAB},
                          Caso{edUniMemo, VK_TAB}, Caso{edUniComboEdit, VK_RETURN}}) {
        SCOPED_TRACE(c.tipo);
        tipo = c.tipo;
        g->SetWideCells(2, 2, WideString(u"viejo"));
        Ir(2, 2);
        SimulateKeyStroke(VK_F2);
        ASSERT_TRUE(Abierto(Activo()));
        auto* uni = dynamic_cast<WideTextWindow*>(Activo());
        ASSERT_NE(uni, nullptr);
        EXPECT_EQ(uni->WideWindowText(), WideString(u"viejo"));
        uni->SetWideWindowText(ancho);
        SimulateKeyStroke(c.salida);
        EXPECT_FALSE(Activo());
        EXPECT_EQ(g->GetWideCells(2, 2), ancho);
    }
}

TEST_F(Editores, MemoAnchoIntroEsSaltoYSoloTabSale) {
    tipo = edUniMemo;
    // Without EditSelectAll the caret starts after the text.
    g->GetNavigation()->SetEditSelectAll(false);
    g->SetWideCells(2, 2, WideString(u"a"));
    SimulateKeyStroke(VK_F2);
    auto* memo = g->GetEditorControls().UniMemo();
    ASSERT_TRUE(Abierto(memo));
    SimulateKeyStroke(VK_RETURN);
    SimulateTyping("b");
    SimulateKeyStroke(VK_UP);
    EXPECT_TRUE(Abierto(memo));
    EXPECT_EQ(memo->GetText(), WideString(u"a\r\nb"));
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_FALSE(memo->GetVisible());
    EXPECT_EQ(g->GetWideCells(2, 2), WideString(u"a"));
}

TEST_F(Editores, AnchoRechazadoSigueAbierto) {
    tipo = edUniEdit;
    g->OnCellValidateWide = [](TObject*, int, int, WideString&, bool& ok) { ok = false; };
    g->SetWideCells(2, 2, WideString(u"viejo"));
    SimulateKeyStroke(VK_F2);
    auto* e = g->GetEditorControls().UniEdit();
    e->SetText(WideString(u"nuevo"));
    SimulateKeyStroke(VK_RETURN);
    EXPECT_TRUE(Abierto(e));
    EXPECT_EQ(e->GetText(), WideString(u"viejo"));
    EXPECT_EQ(g->GetWideCells(2, 2), WideString(u"viejo"));
}

TEST_F(Editores, ListaAnchaRuedaYSinValidar) {
    tipo = edUniComboList;
    for (const char* t : {"a", "b"})
        g->AddComboString(t);
    int validaciones = 0;
    g->OnCellValidateWide = [&](TObject*, int, int, WideString&, bool&) { ++validaciones; };
    g->SetWideCells(2, 2, WideString(u"b"));
    SimulateKeyStroke(VK_F2);
    auto* combo = g->GetEditorControls().UniCombo();
    EXPECT_EQ(combo->GetItemIndex(), 1);
    combo->Wheel(-120);
    EXPECT_EQ(combo->GetItemIndex(), 1);
    combo->Wheel(120);
    SimulateKeyStroke(VK_RETURN);
    EXPECT_FALSE(combo->GetVisible());
    EXPECT_EQ(validaciones, 0);
    EXPECT_EQ(g->GetWideCells(2, 2), WideString(u"a"));
}

// The cell an editor was opened on moves, goes or hides while it is open: its value goes to
// that cell or nowhere, never to the cell that took its place.
TEST_F(Editores, CeldaQueSeVaNoRecibeNiDaElValor) {
    struct Caso {
        const char* nombre;
        std::function<void()> cambio;
        TPoint sitio; // where the opened cell is now (real column), (-1, -1) when gone
    };
    const Caso casos[] = {
        {"columna oculta", [this] { g->HideColumn(2); }, TPoint(2, 2)},
        {"fila borrada", [this] { g->RemoveRows(2, 1); }, TPoint(-1, -1)},
        {"fila insertada", [this] { g->InsertRows(1, 1); }, TPoint(2, 3)},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        g->UnHideColumnsAll();
        g->SetRowCount(6);
        for (int r = 1; r < 6; ++r)
            for (int col = 1; col < 5; ++col)
                g->SetCells(col, r, IntToStr(col * 10 + r));
        tipo = edEditBtn;
        Ir(2, 2);
        SimulateKeyStroke(VK_F2);
        auto* e = g->GetEditorControls().EditBtn();
        ASSERT_TRUE(Abierto(e));
        e->SetText("intruso");
        c.cambio();
        g->HideCellEdit();
        for (int r = 0; r < g->GetRowCount(); ++r)
            for (int col = 0; col < g->GetColCount() + g->NumHiddenColumns(); ++col)
                if (col != c.sitio.x || r != c.sitio.y) {
                    EXPECT_NE(g->GetCellEx(col, r), "intruso") << col << "," << r;
                }
        if (g->CanFocus()) g->SetFocus();
    }
}

TEST_F(Editores, FechaYHora) {
    tipo = edDateEdit;
    g->SetCells(2, 2, "");
    SimulateKeyStroke(VK_F2);
    auto* p = g->GetEditorControls().DatePicker();
    ASSERT_TRUE(Abierto(p));
    // An empty cell shows today.
    EXPECT_EQ(static_cast<int>(p->GetDate()), static_cast<int>(Now()));
    p->SetDate(EncodeDate(2024, 2, 29));
    // Up and Down change the date and stay in the picker.
    SimulateKeyStroke(VK_UP);
    EXPECT_TRUE(Abierto(p));
    EXPECT_NE(p->GetDate(), EncodeDate(2024, 2, 29));
    p->SetDate(EncodeDate(2024, 2, 29));
    SimulateKeyStroke(VK_RETURN);
    EXPECT_FALSE(p->GetVisible());
    EXPECT_EQ(g->GetCells(2, 2), DateToStr(EncodeDate(2024, 2, 29)));
    // Unchecked, the cell is emptied.
    SimulateKeyStroke(VK_F2);
    p->SetChecked(false);
    SimulateKeyStroke(VK_TAB);
    EXPECT_EQ(g->GetCells(2, 2), "");
    // Escape on a cell with no date writes nothing.
    Ir(2, 2);
    g->SetCells(2, 2, "sin fecha");
    SimulateKeyStroke(VK_F2);
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_FALSE(p->GetVisible());
    EXPECT_EQ(g->GetCells(2, 2), "sin fecha");
    // F4 drops the calendar of a drop-down date; Return then closes it and stays.
    tipo = edDateEdit;
    SimulateKeyStroke(VK_F2);
    SimulateKeyStroke(VK_F4);
    EXPECT_TRUE(p->GetDroppedDown());
    p->SetDroppedDown(false);
    // So does a click on its drop button, at its right end; a click on the date does not.
    SimulateClick(p, 5, p->GetHeight() / 2);
    EXPECT_FALSE(p->GetDroppedDown());
    SimulateClick(p, p->GetWidth() - 4, p->GetHeight() / 2);
    EXPECT_TRUE(p->GetDroppedDown());
    // A click on a day of the calendar takes it and closes the calendar; Return writes it.
    p->SetDate(EncodeDate(2025, 3, 15));
    p->SetDroppedDown(false);
    SimulateKeyStroke(VK_F4);
    ASSERT_TRUE(p->GetDroppedDown());
    EXPECT_TRUE(ClicEnElDia(p->GetWidget()->findChild<QCalendarWidget*>(), 20));
    EXPECT_FALSE(p->GetDroppedDown());
    EXPECT_TRUE(Abierto(p));
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(g->GetCells(2, 2), DateToStr(EncodeDate(2025, 3, 20)));
    Ir(2, 2);
    tipo = edTimeEdit;
    g->SetCells(2, 2, TimeToStr((10 * 60 + 30) / 1440.0));
    SimulateKeyStroke(VK_F2);
    ASSERT_TRUE(Abierto(p));
    EXPECT_EQ(p->GetKind(), dtkTime);
    p->SetFormat("hh:nn");
    p->SetTime((11 * 60 + 45) / 1440.0);
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(g->GetCells(2, 2), "11:45");
    // The same picker, after a time, edits a date again: the date shown and written back is
    // the cell's.
    p->SetFormat("");
    tipo = edDateEdit;
    Ir(2, 2);
    g->SetCells(2, 2, DateToStr(EncodeDate(2025, 3, 15)));
    SimulateKeyStroke(VK_F2);
    EXPECT_EQ(p->GetText(), DateToStr(EncodeDate(2025, 3, 15)));
    SimulateKeyStroke(VK_UP); // the date part under the caret moves on by one
    SimulateKeyStroke(VK_RETURN);
    TDateTime leida = 0;
    ASSERT_TRUE(TryStrToDate(g->GetCells(2, 2), leida));
    EXPECT_NE(static_cast<double>(leida), static_cast<double>(EncodeDate(2025, 3, 15)));
    EXPECT_NEAR(static_cast<double>(leida), static_cast<double>(EncodeDate(2025, 3, 15)), 400);
    // Never taller than its cell; no taller than itself in a tall one.
    for (int alto : {14, 60}) {
        g->SetRowHeights(2, alto);
        SimulateKeyStroke(VK_F2);
        const TRect r = g->CellRect(2, 2);
        EXPECT_LE(p->GetHeight(), r.Bottom - r.Top - 1);
        EXPECT_LT(p->GetHeight(), 40);
        SimulateKeyStroke(VK_ESCAPE);
    }
}

// A program's own editor plugged in through the edit link: an edit, or a rich editor of the
// grid's class (owned by the grid).
TEdit* NuevoEditor(TEdit*, TWinControl* AParent, TKavStringGrid*) {
    return new TEdit(AParent);
}
TKavRichEdit* NuevoEditor(TKavRichEdit*, TWinControl*, TKavStringGrid* Grid) {
    return new TKavRichEdit(Grid);
}
AnsiString TextoDe(TEdit* e) {
    return e->GetText();
}
AnsiString TextoDe(TKavRichEdit* e) {
    return e->GetPlainText();
}
void PonTexto(TEdit* e, const AnsiString& V) {
    e->SetText(V);
}
void PonTexto(TKavRichEdit* e, const AnsiString& V) {
    e->SetRtf(V);
}

template <class Control = TEdit> class EnlacePrueba : public TEditLink {
public:
    using TEditLink::TEditLink;
    Control* edit = nullptr;
    int creados = 0;
    TWinControl* GetEditControl() override { return edit; }
    void CreateEditor(TWinControl* AParent) override {
        ++creados;
        if (!edit) {
            edit = NuevoEditor(edit, AParent, GetGrid());
            edit->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) {
                EditKeyDown(s, k, sh);
            };
        }
        edit->SetParent(AParent);
    }
    AnsiString GetEditorValue() override { return edit ? TextoDe(edit) : AnsiString(); }
    void SetEditorValue(const AnsiString& V) override {
        if (edit) PonTexto(edit, V);
    }
};

// The grid's link to a popup editor of 200 × 60 pixels.
template <class Control = TEdit>
EnlacePrueba<Control>* EnlaceEmergente(TComponent* Owner, TKavStringGrid* Grid) {
    auto* enlace = new EnlacePrueba<Control>(Owner);
    enlace->SetEditStyle(esPopup);
    enlace->SetPopupWidth(200);
    enlace->SetPopupHeight(60);
    Grid->SetEditLink(enlace);
    return enlace;
}

TEST_F(Editores, EnlaceDeEditorPropio) {
    tipo = edCustom;
    auto* enlace = new EnlacePrueba<>(ventana.get());
    g->SetEditLink(enlace);
    int props = 0;
    g->OnGetEditorProp = [&](TObject*, int col, int row, TEditLink* l) {
        ++props;
        EXPECT_EQ(col, 2);
        EXPECT_EQ(row, 2);
        EXPECT_EQ(l, enlace);
    };
    SimulateKeyStroke(VK_F2);
    ASSERT_NE(enlace->edit, nullptr);
    EXPECT_TRUE(Abierto(enlace->edit));
    EXPECT_EQ(enlace->edit->GetText(), "22");
    EXPECT_EQ(props, 1);
    EXPECT_EQ(Activo(), enlace->edit);
    // Home never leaves; Return kept by WantKeyReturn stays.
    enlace->WantKeyReturn = true;
    SimulateKeyStroke(VK_HOME);
    SimulateKeyStroke(VK_RETURN);
    EXPECT_TRUE(Abierto(enlace->edit));
    enlace->edit->SetText("propio");
    SimulateKeyStroke(VK_DOWN);
    EXPECT_FALSE(enlace->edit->GetVisible());
    EXPECT_EQ(g->GetCells(2, 2), "propio");
    EXPECT_EQ(g->GetRow(), 3);
    EXPECT_TRUE(g->Focused());
    // Escape puts the text back and writes nothing.
    Ir(2, 2);
    SimulateKeyStroke(VK_F2);
    enlace->edit->SetText("otro");
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_EQ(g->GetCells(2, 2), "propio");
    // The base link has no control: nothing opens and the cell keeps its text.
    g->OnGetEditorProp = nullptr;
    auto* vacio = new TEditLink(ventana.get());
    g->SetEditLink(vacio);
    Ir(2, 3);
    SimulateKeyStroke(VK_F2);
    EXPECT_EQ(Activo(), nullptr);
    g->HideInplaceEdit();
    EXPECT_EQ(g->GetCells(2, 3), "23");
    delete vacio;
    EXPECT_EQ(g->GetEditLink(), nullptr);
}

// The link's editor on its popup form ("gridform"): placed at the cell (or where the program
// says, as wide as the cell with AutoPopupWidth), the value written back by Return, nothing
// by Escape, and the popup gone however the edit ends (also by a click on the grid).
TEST_F(Editores, EnlaceEnVentanaEmergente) {
    tipo = edCustom;
    auto* enlace = EnlaceEmergente<>(ventana.get(), g);
    SimulateKeyStroke(VK_F2);
    TForm* f = enlace->GetPopupForm();
    ASSERT_NE(f, nullptr);
    std::unique_ptr<TForm> borrar(f);
    EXPECT_EQ(f->GetName(), "gridform");
    EXPECT_TRUE(f->GetVisible());
    const TRect r = g->CellRect(2, 2);
    const TPoint esquina = g->ClientToScreen(TPoint(r.Left, r.Top));
    EXPECT_EQ(f->GetBoundsRect(), Bounds(esquina.x, esquina.y, 200, 60));
    ASSERT_NE(enlace->edit, nullptr);
    EXPECT_EQ(enlace->edit->GetParent(), f);
    EXPECT_EQ(enlace->GetParent(), f);
    EXPECT_TRUE(Abierto(enlace->edit));
    EXPECT_EQ(enlace->edit->GetText(), "22");
    enlace->edit->SetText("emergente");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(g->GetCells(2, 2), "emergente");
    EXPECT_FALSE(f->GetVisible());
    EXPECT_FALSE(enlace->edit->GetVisible());
    EXPECT_TRUE(g->Focused());
    // Escape: the same popup again, nothing written.
    Ir(2, 2);
    SimulateKeyStroke(VK_F2);
    EXPECT_EQ(enlace->GetPopupForm(), f);
    EXPECT_TRUE(f->GetVisible());
    enlace->edit->SetText("otro");
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_EQ(g->GetCells(2, 2), "emergente");
    EXPECT_FALSE(f->GetVisible());
    EXPECT_TRUE(g->Focused());
    // A click on the grid leaves the popup: the value goes to the cell it was opened on.
    SimulateKeyStroke(VK_F2);
    enlace->edit->SetText("con clic");
    const TRect otra = g->CellRect(3, 4);
    SimulateClick(g, otra.Left + 5, otra.Top + 5);
    EXPECT_FALSE(f->GetVisible());
    EXPECT_EQ(g->GetCells(2, 2), "con clic");
    EXPECT_EQ(g->GetCells(3, 4), "34");
    // Where the program places it, as wide as the cell.
    enlace->SetAutoPopupWidth(true);
    enlace->SetPopupLeft(30);
    enlace->SetPopupTop(40);
    Ir(2, 2);
    SimulateKeyStroke(VK_F2);
    EXPECT_EQ(f->GetBoundsRect(), Bounds(30, 40, r.Right - r.Left, 60));
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_FALSE(f->GetVisible());
    g->SetEditLink(nullptr);
}

// A rich editor left through its popup form: the value goes to the cell, the popup closes
// and the grid is marked, so that a rich editor's focus loss to the grid that follows ends
// nothing; the mark is spent by it, or cleared by the next edit. Unmarked, a rich editor
// losing the focus to the grid ends its edit, also from the popup form.
TEST_F(Editores, EditorEnriquecidoDejadoPorSuVentanaEmergente) {
    tipo = edCustom;
    auto* enlace = EnlaceEmergente<TKavRichEdit>(ventana.get(), g);
    SimulateKeyStroke(VK_F2);
    TForm* f = enlace->GetPopupForm();
    ASSERT_NE(f, nullptr);
    std::unique_ptr<TForm> borrar(f);
    ASSERT_NE(enlace->edit, nullptr);
    TKavRichEdit* e = enlace->edit;
    EXPECT_EQ(e->GetParent(), f);
    EXPECT_EQ(e->GetPlainText(), "22");
    e->SetRtf("nuevo");
    // The popup form loses the activation.
    ASSERT_TRUE(f->OnDeactivate);
    f->OnDeactivate(f);
    EXPECT_EQ(g->GetCells(2, 2), "nuevo");
    EXPECT_FALSE(f->GetVisible());
    EXPECT_TRUE(g->GetPopupExit());
    // The next edit (the grid's own rich editor) clears the mark: its focus loss to the grid
    // ends it, its text in the cell.
    tipo = edRichEdit;
    g->SetFocus();
    Ir(2, 3);
    SimulateKeyStroke(VK_F2);
    TKavRichEdit* propio = g->GetEditorControls().RichEdit();
    ASSERT_TRUE(Abierto(propio));
    EXPECT_FALSE(g->GetPopupExit());
    propio->SetRtf("propio");
    g->SetFocus();
    EXPECT_FALSE(propio->GetVisible());
    EXPECT_EQ(RichDocumentOf(g->GetCells(2, 3)).PlainText(), "propio");
    // Marked, the focus loss to the grid leaves the edit open and spends the mark.
    SimulateKeyStroke(VK_F2);
    ASSERT_TRUE(Abierto(propio));
    g->SetPopupExit(true);
    g->SetFocus();
    EXPECT_TRUE(propio->GetVisible());
    EXPECT_FALSE(g->GetPopupExit());
    propio->SetFocus();
    g->SetFocus();
    EXPECT_FALSE(propio->GetVisible());
    // Unmarked, the popup's editor losing the focus to the grid ends its edit.
    tipo = edCustom;
    Ir(2, 4);
    SimulateKeyStroke(VK_F2);
    ASSERT_TRUE(f->GetVisible());
    ASSERT_TRUE(Abierto(e));
    e->SetRtf("sin marca");
    e->Perform(WM_KILLFOCUS, reinterpret_cast<WPARAM>(g->GetHandle()), 0);
    EXPECT_EQ(g->GetCells(2, 4), "sin marca");
    EXPECT_FALSE(f->GetVisible());
    g->SetEditLink(nullptr);
}

// A window (the grid's) with a window of its own over it (a dropped calendar, a popup form)
// drawn where that one stands on the screen, as a person sees both.
bool CapturaEncima(QWidget* Ventana, QWidget* Encima, const char* Nombre) {
    const QPoint donde = Encima->mapToGlobal(QPoint(0, 0)) - Ventana->mapToGlobal(QPoint(0, 0));
    QPixmap pantalla(std::max(Ventana->width(), donde.x() + Encima->width()),
                     std::max(Ventana->height(), donde.y() + Encima->height()));
    pantalla.fill(Qt::darkCyan);
    QPainter pintor(&pantalla);
    pintor.drawPixmap(0, 0, Ventana->grab());
    pintor.drawPixmap(donde, Encima->grab());
    pintor.end();
    return pantalla.save(QString::fromStdString((CaptureFolder() + "/" + Nombre + ".png").str()));
}

// The wide editors, the date and time pickers and the program's own editor open over their
// cell, and the date picker's calendar dropped, saved for a person to look at.
TEST_F(Editores, CapturasDeEditoresAnchosFechasYEnlace) {
    // Dates as a Spanish desktop shows them, the calendar's names too.
    const AnsiString formato = GetShortDateFormat();
    const char separador = GetDateSeparator();
    SetShortDateFormat("dd/mm/yyyy");
    SetDateSeparator('/');
    const QLocale local;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    struct Restaura {
        std::function<void()> f;
        ~Restaura() { f(); }
    } restaura{[&] {
        SetShortDateFormat(formato);
        SetDateSeparator(separador);
        QLocale::setDefault(local);
    }};
    g->SetColWidths(2, 160);
    g->SetRowHeights(2, 40);
    for (const char* t : {"hormig\u00f3n", "ladrillo"})
        g->AddComboString(t);
    const WideString ancho(u"\u03bb = 0,04 W/mK \u2192 \u00bfbien?");
    struct Caso {
        TEditorType tipo;
        const char* nombre;
    };
    for (const Caso& c : {Caso{edUniEdit, "ancho"}, Caso{edUniMemo, "memo_ancho"},
                          Caso{edUniEditBtn, "boton_ancho"}, Caso{edUniComboEdit, "combo_ancho"},
                          Caso{edDateEdit, "fecha"}, Caso{edDateEditUpDown, "fecha_arriba_abajo"},
                          Caso{edTimeEdit, "hora"}}) {
        SCOPED_TRACE(c.nombre);
        tipo = c.tipo;
        if (c.tipo == edDateEdit || c.tipo == edDateEditUpDown)
            g->SetCells(2, 2, DateToStr(EncodeDate(2025, 3, 15)));
        else if (c.tipo == edTimeEdit)
            g->SetCells(2, 2, TimeToStr((9 * 60 + 45) / 1440.0));
        else
            g->SetWideCells(2, 2, c.tipo == edUniMemo ? ancho + WideString(u"\r\nsegunda") : ancho);
        Ir(2, 2);
        SimulateKeyStroke(VK_F2);
        ASSERT_TRUE(Abierto(Activo()));
        EXPECT_FALSE(
            SaveCapture(ventana.get(), AnsiString("rejilla_editor_") + c.nombre).IsEmpty());
        SimulateKeyStroke(VK_ESCAPE);
        EXPECT_TRUE(g->Focused());
    }
    // The calendar is a window of its own: drawn where it drops, over the grid.
    tipo = edDateEdit;
    g->SetCells(2, 2, DateToStr(EncodeDate(2025, 3, 15)));
    SimulateKeyStroke(VK_F2);
    auto* p = g->GetEditorControls().DatePicker();
    SimulateKeyStroke(VK_F4);
    ASSERT_TRUE(p->GetDroppedDown());
    auto* cal = p->GetWidget()->findChild<QCalendarWidget*>();
    ASSERT_NE(cal, nullptr);
    EXPECT_TRUE(CapturaEncima(ventana->GetWidget(), cal, "rejilla_editor_fecha_calendario"));
    p->SetDroppedDown(false);
    SimulateKeyStroke(VK_ESCAPE);
    // The program's own editor, on the cell and on its popup.
    tipo = edCustom;
    auto* enlace = new EnlacePrueba<>(ventana.get());
    g->SetEditLink(enlace);
    g->SetCells(2, 2, "propio");
    SimulateKeyStroke(VK_F2);
    ASSERT_TRUE(Abierto(enlace->edit));
    EXPECT_FALSE(SaveCapture(ventana.get(), "rejilla_editor_enlace").IsEmpty());
    SimulateKeyStroke(VK_ESCAPE);
    enlace->SetEditStyle(esPopup);
    enlace->SetAutoPopupWidth(true);
    enlace->SetPopupHeight(60);
    SimulateKeyStroke(VK_F2);
    TForm* f = enlace->GetPopupForm();
    ASSERT_NE(f, nullptr);
    std::unique_ptr<TForm> borrar(f);
    ASSERT_TRUE(Abierto(enlace->edit));
    EXPECT_TRUE(
        CapturaEncima(ventana->GetWidget(), f->GetWidget(), "rejilla_editor_enlace_emergente"));
    SimulateKeyStroke(VK_ESCAPE);
    g->SetEditLink(nullptr);
}

TEST_F(Editores, TextoEnriquecidoConSuperindice) {
    tipo = edRichEdit;
    // Without word wrap or cells of several lines, Up and Down leave the editor.
    g->SetWordWrap(false);
    g->SetCells(2, 2, "");
    SimulateKeyStroke(VK_F2);
    auto* e = g->GetEditorControls().RichEdit();
    ASSERT_TRUE(Abierto(e));
    SimulateTyping("m2");
    // A selection made in the editor is reported by the grid.
    int avisos = 0;
    g->OnRichEditSelectionChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, g);
        ++avisos;
    };
    SimulateKeyStroke(VK_LEFT, {ssShift});
    EXPECT_GE(avisos, 1);
    g->OnRichEditSelectionChange = nullptr;
    e->SetSelStart(1);
    e->SetSelLength(1);
    e->SelSuperscript();
    EXPECT_TRUE(e->IsSelSuperscript());
    SimulateKeyStroke(VK_DOWN);
    EXPECT_FALSE(e->GetVisible());
    EXPECT_EQ(g->GetRow(), 3);
    TRichDocument d;
    ASSERT_TRUE(ReadRtf(g->GetCells(2, 2), d));
    EXPECT_EQ(d.PlainText(), "m2");
    ASSERT_EQ(d.Paragraphs[0].Runs.size(), 2u);
    EXPECT_GT(d.Paragraphs[0].Runs[1].Format.Offset, 0);
    // Opened again, the formatting is there.
    Ir(2, 2);
    SimulateKeyStroke(VK_F2);
    ASSERT_TRUE(Abierto(e));
    e->SetSelStart(1);
    e->SetSelLength(1);
    EXPECT_TRUE(e->IsSelSuperscript());
    e->SetSelStart(0);
    e->SetSelLength(1);
    EXPECT_TRUE(e->IsSelNormal());
    EXPECT_FALSE(SaveCapture(ventana.get(), "rejilla_editor_enriquecido").IsEmpty());
    const AnsiString guardado = g->GetCells(2, 2);
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_EQ(g->GetCells(2, 2), guardado);
    // A cell whose rich text cannot be read is edited as its text and keeps it when nothing
    // changes.
    g->SetCells(2, 2, "{\\rtf1 roto {");
    SimulateKeyStroke(VK_F2);
    EXPECT_EQ(e->GetPlainText(), "{\\rtf1 roto {");
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(g->GetCells(2, 2), "{\\rtf1 roto {");
}

TEST_F(Editores, TextoEnriquecidoHaceCrecerLaFila) {
    tipo = edRichEdit;
    g->SetMultilinecells(true);
    g->GetSizeWhileTyping()->SetHeight(true);
    std::vector<int> filas;
    g->OnEndRowSize = [&](TObject*, int r) { filas.push_back(r); };
    const int alto = g->GetRowHeights(2);
    SimulateKeyStroke(VK_F2);
    auto* e = g->GetEditorControls().RichEdit();
    for (int i = 0; i < 3; ++i) {
        SimulateTyping("linea");
        SimulateKeyStroke(VK_RETURN);
    }
    EXPECT_GT(g->GetRowHeights(2), alto);
    EXPECT_EQ(g->GetRowHeights(2), e->GetHeight() + 1);
    ASSERT_FALSE(filas.empty());
    EXPECT_EQ(filas.back(), 2);
}

} // namespace
