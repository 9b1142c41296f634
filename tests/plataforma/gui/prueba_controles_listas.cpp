// Combo boxes and list boxes: sorted items, the item requests that a subclass sees, the
// program's changes that fire nothing and the user's that do, drop-down, edit part,
// geometry requests, tab stops and owner drawing.

#include "tests/plataforma/gui/prueba_controles_comun.h"

#include "plataforma/base/list.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/services/clipboard.h"
#include "plataforma/gui/testing/dropped_list.h"
#include "plataforma/gui/widgets/combo.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/list_box.h"

#include <QComboBox>
#include <QImage>
#include <QListWidget>
#include <QScrollBar>

namespace {

std::vector<std::string> Textos(TStrings* l) {
    std::vector<std::string> out;
    for (int i = 0; i < l->GetCount(); ++i)
        out.push_back(l->GetStrings(i).str());
    return out;
}

class Listas : public PruebaControles {
protected:
    void SetUp() override {
        PruebaControles::SetUp();
        Clipboard()->Clear();
    }
};

struct Eventos {
    std::vector<std::string> vistos;
    void Escuchar(TCustomComboBox* c) {
        auto* combo = static_cast<TComboBox*>(c);
        combo->OnChange = [this, c](TObject*) { vistos.push_back("change:" + c->GetText().str()); };
        combo->OnClick = [this, c](TObject*) {
            vistos.push_back("click:" + std::to_string(c->GetItemIndex()));
        };
        combo->OnDropDown = [this](TObject*) { vistos.push_back("dropdown"); };
        combo->OnCloseUp = [this](TObject*) { vistos.push_back("closeup"); };
    }
};

TEST_F(Listas, UnComboOrdenadoNoDistingueMayusculas) {
    auto* combo = new TComboBox(ventana.get());
    combo->SetParent(ventana.get());
    combo->SetSorted(true);
    TStrings* items = combo->GetItems();
    EXPECT_EQ(items->Add("beta"), 0);
    EXPECT_EQ(items->Add("Gamma"), 1);
    EXPECT_EQ(items->Add("alfa"), 0);
    EXPECT_EQ(items->Add("Beta"), 2); // after the equal one
    items->Add("Árbol");              // accented letters sort with their base letter
    EXPECT_EQ(Textos(items), (std::vector<std::string>{"alfa", "Árbol", "beta", "Beta", "Gamma"}));
    EXPECT_EQ(items->IndexOf("GAMMA"), 4);
    EXPECT_EQ(items->IndexOf("delta"), -1);
    // The widget shows the same order.
    auto* w = static_cast<QComboBox*>(combo->GetWidget());
    ASSERT_EQ(w->count(), 5);
    EXPECT_EQ(FromQString(w->itemText(1)), "Árbol");

    // Turning Sorted on sorts the items there, keeping the chosen one.
    auto* otro = new TComboBox(ventana.get());
    otro->SetParent(ventana.get());
    otro->GetItems()->SetCommaText("zeta,Eta,alfa");
    otro->SetItemIndex(1);
    otro->SetSorted(true);
    EXPECT_EQ(Textos(otro->GetItems()), (std::vector<std::string>{"alfa", "Eta", "zeta"}));
    EXPECT_EQ(otro->GetItemIndex(), 1);
    EXPECT_EQ(otro->GetText(), "Eta");
}

TEST_F(Listas, ElProgramaNoDisparaEventosYElUsuarioSi) {
    auto* combo = new TComboBox(ventana.get());
    combo->SetParent(ventana.get());
    combo->SetStyle(csDropDownList);
    combo->GetItems()->SetCommaText("uno,dos,tres");
    Eventos e;
    e.Escuchar(combo);
    combo->SetItemIndex(1);
    combo->SetText("tres"); // a drop-down list takes the item of that text
    EXPECT_EQ(combo->GetItemIndex(), 2);
    EXPECT_TRUE(e.vistos.empty());

    combo->SetFocus();
    SimulateKeyStroke(VK_UP);
    EXPECT_EQ(combo->GetItemIndex(), 1);
    EXPECT_EQ(e.vistos, (std::vector<std::string>{"click:1", "change:dos"}));

    // OnSelect takes OnChange's place for a choice.
    e.vistos.clear();
    std::vector<int> elegidos;
    combo->OnSelect = [&](TObject*) { elegidos.push_back(combo->GetItemIndex()); };
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(elegidos, std::vector<int>{2});
    EXPECT_EQ(e.vistos, std::vector<std::string>{"click:2"});

    // Typing in a drop-down combo is a change; a paste goes through WM_PASTE.
    auto* editable = new Espia<TComboBox>(ventana.get());
    editable->GetItems()->SetCommaText("uno,dos");
    Eventos e2;
    e2.Escuchar(editable);
    editable->SetText("x");
    EXPECT_TRUE(e2.vistos.empty());
    editable->SetFocus();
    editable->SetSelStart(1);
    SimulateTyping("yz");
    EXPECT_EQ(e2.vistos, (std::vector<std::string>{"change:xy", "change:xyz"}));
    Clipboard()->SetAsText("!");
    SimulateKeyStroke('V', {ssCtrl});
    EXPECT_EQ(editable->GetText(), "xyz!");
    EXPECT_EQ(editable->Mensajes({WM_PASTE}).size(), 1u);
    // Up and Down choose items in the edit part too.
    e2.vistos.clear();
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(editable->GetText(), "uno");
    EXPECT_EQ(e2.vistos, (std::vector<std::string>{"click:0", "change:uno"}));
}

TEST_F(Listas, LosCambiosDeLosElementosPasanPorLasPeticionesDelCombo) {
    auto* combo = new Espia<TComboBox>(ventana.get());
    combo->alMensaje = [](TMessage& m) {
        // The subclass writes every item in capitals and keeps its items from deletion.
        if (m.Msg == CB_ADDSTRING) {
            static std::string copia;
            copia = AnsiUpperCase(reinterpret_cast<const char*>(m.LParam)).str();
            m.LParam = reinterpret_cast<LPARAM>(copia.c_str());
        }
        if (m.Msg == CB_DELETESTRING) {
            m.Result = CB_ERR;
            return true;
        }
        return false;
    };
    combo->GetItems()->Add("uno");
    combo->GetItems()->AddObject("dos", reinterpret_cast<TObject*>(combo));
    EXPECT_EQ(Textos(combo->GetItems()), (std::vector<std::string>{"UNO", "DOS"}));
    EXPECT_EQ(combo->GetItems()->GetObjects(1), reinterpret_cast<TObject*>(combo));
    EXPECT_THROW(combo->GetItems()->Delete(0), EStringListError);
    EXPECT_EQ(combo->GetItems()->GetCount(), 2);
    EXPECT_EQ(combo->Mensajes({CB_ADDSTRING, CB_SETITEMDATA, CB_DELETESTRING}),
              (std::vector<UINT>{CB_ADDSTRING, CB_ADDSTRING, CB_SETITEMDATA, CB_DELETESTRING}));
    // Clearing the items keeps the edit part's text.
    combo->SetText("queda");
    combo->GetItems()->Clear();
    EXPECT_EQ(combo->GetItems()->GetCount(), 0);
    EXPECT_EQ(combo->GetText(), "queda");
    EXPECT_EQ(combo->Perform(CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(Listas, DesplegarAvisaAntesYAlCerrar) {
    auto* combo = new TComboBox(ventana.get());
    combo->SetParent(ventana.get());
    combo->SetStyle(csDropDownList);
    Eventos e;
    e.Escuchar(combo);
    // The list may be filled when it is about to drop.
    combo->OnDropDown = [&](TObject*) {
        e.vistos.push_back("dropdown");
        if (combo->GetItems()->GetCount() == 0) combo->GetItems()->SetCommaText("a,b");
    };
    combo->SetDroppedDown(true);
    EXPECT_TRUE(combo->GetDroppedDown());
    EXPECT_EQ(combo->Perform(CB_GETDROPPEDSTATE, 0, 0), 1);
    auto* w = static_cast<QComboBox*>(combo->GetWidget());
    EXPECT_EQ(w->view()->model()->rowCount(), 2);
    combo->SetDroppedDown(false);
    EXPECT_FALSE(combo->GetDroppedDown());
    EXPECT_EQ(e.vistos, (std::vector<std::string>{"dropdown", "closeup"}));

    // The dropped width is never below the combo's.
    combo->SetWidth(120);
    EXPECT_EQ(combo->Perform(CB_SETDROPPEDWIDTH, 300, 0), 300);
    EXPECT_EQ(combo->Perform(CB_GETDROPPEDWIDTH, 0, 0), 300);
    EXPECT_EQ(combo->Perform(CB_SETDROPPEDWIDTH, 50, 0), 120);
    combo->SetDropDownCount(3);
    EXPECT_EQ(w->maxVisibleItems(), 3);
}

// The list drops from the combo's bottom edge, whichever item is chosen (a style that lays
// the list over the combo, the chosen item on it, would leave a click aimed below the combo
// outside the list), and rises above the combo only when the screen has no room below.
TEST_F(Listas, LaListaCaeDebajoDelComboYSubeSoloSinSitioDebajo) {
    auto* combo = new TComboBox(ventana.get());
    combo->SetParent(ventana.get());
    combo->SetStyle(csDropDownList);
    combo->SetBounds(20, 20, 150, 21);
    combo->GetItems()->SetCommaText("a,b,c,d,e,f");
    combo->SetItemIndex(3);
    for (const bool alFondo : {false, true}) {
        SCOPED_TRACE(alFondo ? "at the bottom of the screen" : "with room below");
        if (alFondo) ventana->SetTop(Screen->GetHeight() - 50);
        combo->SetDroppedDown(true);
        ASSERT_TRUE(combo->GetDroppedDown());
        const TRect lista = DroppedListRect(combo);
        const TPoint esquina = combo->ClientToScreen(TPoint(0, 0));
        const int abajo = esquina.y + combo->GetHeight();
        EXPECT_EQ(lista.Left, esquina.x);
        EXPECT_GT(lista.Height(), 4 * combo->GetItemHeight());
        if (alFondo) {
            EXPECT_LE(lista.Bottom, esquina.y + 1);
        } else {
            // (Its frame may cover the combo's last line.)
            EXPECT_GE(lista.Top, abajo - 1);
            EXPECT_LE(lista.Top, abajo);
        }
        combo->SetDroppedDown(false);
    }
}

TEST_F(Listas, SeleccionDeLaParteDeEdicionYAlturasDelCombo) {
    auto* combo = new TComboBox(ventana.get());
    combo->SetParent(ventana.get());
    combo->SetText("abcdef");
    combo->Perform(CB_SETEDITSEL, 0, MAKELPARAM(1, 4));
    EXPECT_EQ(combo->GetSelStart(), 1);
    EXPECT_EQ(combo->GetSelLength(), 3);
    EXPECT_EQ(combo->GetSelText(), "bcd");
    DWORD s = 0, e = 0;
    combo->Perform(CB_GETEDITSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    EXPECT_EQ(std::make_pair(s, e), std::make_pair(DWORD(1), DWORD(4)));
    combo->SelectAll();
    EXPECT_EQ(combo->GetSelLength(), 6);

    // The combo's height follows its edit field, whatever is asked.
    const int campo =
        static_cast<int>(combo->Perform(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    combo->SetHeight(80);
    EXPECT_EQ(combo->GetHeight(), campo + 6);
    combo->Perform(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 30);
    EXPECT_EQ(combo->GetHeight(), 36);
    combo->SetStyle(csOwnerDrawFixed);
    combo->SetItemHeight(24);
    EXPECT_EQ(combo->Perform(CB_GETITEMHEIGHT, 0, 0), 24);

    // Typing stops at the limit.
    auto* limitado = new TComboBox(ventana.get());
    limitado->SetParent(ventana.get());
    limitado->SetMaxLength(3);
    limitado->SetFocus();
    SimulateTyping("abcdef");
    EXPECT_EQ(limitado->GetText(), "abc");
}

TEST_F(Listas, ElComboDibujadoPorElProgramaRecibeCadaElemento) {
    auto* combo = new TComboBox(ventana.get());
    combo->SetParent(ventana.get());
    combo->SetStyle(csOwnerDrawVariable);
    combo->SetItemHeight(18);
    std::vector<int> medidos;
    combo->OnMeasureItem = [&](TWinControl*, int i, int& h) {
        medidos.push_back(i);
        h = 18 + 4 * i;
    };
    combo->GetItems()->SetCommaText("a,b,c");
    EXPECT_EQ(medidos, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(combo->Perform(CB_GETITEMHEIGHT, 2, 0), 26);
    combo->SetItemIndex(1);
    struct Dibujo {
        int indice;
        TRect rect;
        TOwnerDrawState estado;
    };
    std::vector<Dibujo> dibujos;
    combo->OnDrawItem = [&](TWinControl*, int i, TRect r, TOwnerDrawState st) {
        dibujos.push_back({i, r, st});
        combo->GetCanvas()->GetBrush()->SetColor(clRed);
        combo->GetCanvas()->FillRect(r);
    };
    QImage imagen = combo->GetWidget()->grab().toImage();
    ASSERT_EQ(dibujos.size(), 1u);
    EXPECT_EQ(dibujos[0].indice, 1);
    EXPECT_TRUE(dibujos[0].estado.Contains(odComboBoxEdit));
    const TRect r = dibujos[0].rect;
    EXPECT_EQ(imagen.pixelColor(r.Left + 2, r.Top + 2), QColor(255, 0, 0));

    dibujos.clear();
    combo->SetDroppedDown(true);
    auto* w = static_cast<QComboBox*>(combo->GetWidget());
    w->view()->viewport()->grab();
    combo->SetDroppedDown(false);
    ASSERT_EQ(dibujos.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(dibujos[static_cast<size_t>(i)].indice, i);
        EXPECT_EQ(dibujos[static_cast<size_t>(i)].rect.Height(), 18 + 4 * i);
        EXPECT_FALSE(dibujos[static_cast<size_t>(i)].estado.Contains(odComboBoxEdit));
    }
}

// The classic look, beside an edit: the same sunken frame two pixels wide, a raised button
// with a black arrow inside it at the right, the field in the combo's colour; pushed while
// the list is open, a grey arrow while disabled, the choice highlighted while focused.
TEST_F(Listas, ElComboTieneElAspectoClasicoDeLasEdicionesDeAlLado) {
    auto color = [](TColor c) {
        const COLORREF rgb = ColorToRGB(c);
        return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    };
    ventana->SetColor(clBtnFace);
    auto* edit = new TEdit(ventana.get());
    edit->SetParent(ventana.get());
    edit->SetBounds(10, 10, 150, 21);
    auto* combo = new TComboBox(ventana.get());
    combo->SetParent(ventana.get());
    combo->SetStyle(csDropDownList);
    combo->SetBounds(10, 40, 150, 21);
    combo->SetColor(static_cast<TColor>(0xE0FFFF));
    combo->GetItems()->SetCommaText("Yeso,Madera");
    combo->SetItemIndex(0);
    SaveCapture(ventana.get(), "combo-clasico");
    const QImage e = edit->GetWidget()->grab().toImage();
    const QImage c = combo->GetWidget()->grab().toImage();
    const int w = combo->GetWidth(), h = combo->GetHeight();
    ASSERT_EQ(c.width(), w);
    ASSERT_EQ(c.height(), h);
    // The frame: the edit's, row by row and column by column.
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(c.pixelColor(w / 3, i), e.pixelColor(w / 3, i)) << "fila " << i;
        EXPECT_EQ(c.pixelColor(w / 3, h - 1 - i), e.pixelColor(w / 3, e.height() - 1 - i));
        EXPECT_EQ(c.pixelColor(i, h / 2), e.pixelColor(i, e.height() / 2)) << "columna " << i;
        EXPECT_EQ(c.pixelColor(w - 1 - i, h / 2), e.pixelColor(e.width() - 1 - i, e.height() / 2));
    }
    EXPECT_EQ(c.pixelColor(w / 3, 0), color(clBtnShadow));
    EXPECT_EQ(c.pixelColor(w / 3, 1), color(cl3DDkShadow));
    EXPECT_EQ(c.pixelColor(w / 3, h - 1), color(clBtnHighlight));
    // The field, in the combo's colour up to the button.
    const int boton = w - 2 - GetSystemMetrics(SM_CXVSCROLL);
    for (int y = 2; y < h - 2; ++y)
        EXPECT_EQ(c.pixelColor(boton - 1, y), color(combo->GetColor())) << "fila " << y;
    // The button: raised (light, then white, at its top and left; dark at its bottom and
    // right), face-coloured, with a black arrow.
    auto arrow = [&](const QImage& im, TColor tinta) {
        int n = 0;
        for (int y = 4; y < h - 4; ++y)
            for (int x = boton + 2; x < w - 4; ++x)
                if (im.pixelColor(x, y) == color(tinta)) ++n;
        return n;
    };
    EXPECT_EQ(c.pixelColor(boton, h / 2), color(cl3DLight));
    EXPECT_EQ(c.pixelColor(boton + 1, h / 2), color(clBtnHighlight));
    EXPECT_EQ(c.pixelColor(w - 3, h / 2), color(cl3DDkShadow));
    EXPECT_EQ(c.pixelColor(w - 4, h / 2), color(clBtnShadow));
    EXPECT_EQ(c.pixelColor(boton + 3, 5), color(clBtnFace));
    EXPECT_GT(arrow(c, clBlack), 3);

    // Disabled: the arrow greys, nothing black in the button.
    combo->SetEnabled(false);
    const QImage apagado = combo->GetWidget()->grab().toImage();
    EXPECT_EQ(arrow(apagado, clBlack), 0);
    EXPECT_GT(arrow(apagado, clBtnShadow), 3);
    combo->SetEnabled(true);

    // Focused: the choice on the highlight colour.
    combo->SetFocus();
    const QImage foco = combo->GetWidget()->grab().toImage();
    EXPECT_EQ(foco.pixelColor(boton - 3, h / 2), color(clHighlight));
    EXPECT_EQ(foco.pixelColor(boton - 1, h / 2), color(combo->GetColor()));
}

// --- list boxes ---

TEST_F(Listas, LaListaOrdenadaYLasPeticionesQueVeUnaSubclase) {
    auto* lista = new Espia<TListBox>(ventana.get());
    lista->SetSorted(true);
    TStrings* items = lista->GetItems();
    items->SetCommaText("pera,Manzana,kiwi,manzana");
    EXPECT_EQ(Textos(items), (std::vector<std::string>{"kiwi", "Manzana", "manzana", "pera"}));
    items->Insert(0, "zz"); // an insertion keeps its place
    EXPECT_EQ(items->GetStrings(0), "zz");

    // The subclass refuses deletions and empties nothing.
    lista->alMensaje = [](TMessage& m) {
        if (m.Msg == LB_DELETESTRING || m.Msg == LB_RESETCONTENT) {
            m.Result = LB_ERR;
            return true;
        }
        return false;
    };
    EXPECT_THROW(items->Delete(1), EStringListError);
    items->Clear();
    EXPECT_EQ(items->GetCount(), 5);
    EXPECT_EQ(lista->Mensajes({LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT}),
              (std::vector<UINT>{LB_RESETCONTENT, LB_ADDSTRING, LB_ADDSTRING, LB_ADDSTRING,
                                 LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT}));
    lista->alMensaje = nullptr;
    items->Clear();
    EXPECT_EQ(items->GetCount(), 0);
}

TEST_F(Listas, LaListaAvisaDeCadaClicYNoDeLoQueHaceElPrograma) {
    auto* lista = new TListBox(ventana.get());
    lista->SetParent(ventana.get());
    lista->SetBounds(10, 10, 120, 100);
    lista->GetItems()->SetCommaText("uno,dos,tres");
    std::vector<std::string> vistos;
    lista->OnClick = [&](TObject*) {
        vistos.push_back("click:" + std::to_string(lista->GetItemIndex()));
    };
    lista->OnDblClick = [&](TObject*) { vistos.push_back("dblclick"); };
    lista->SetItemIndex(2);
    EXPECT_TRUE(vistos.empty());
    const int alto = lista->GetItemHeight();
    EXPECT_EQ(lista->Perform(LB_GETITEMHEIGHT, 0, 0), alto);
    SimulateClick(lista, 5, alto + 2);
    SimulateClick(lista, 5, alto + 2); // the same item again
    SimulateMouse(lista, SimulatedMouse::DoubleClick, 0, 5, alto + 2);
    SimulateMouse(lista, SimulatedMouse::Up, 0, 5, alto + 2);
    EXPECT_EQ(vistos, (std::vector<std::string>{"click:1", "click:1", "dblclick"}));
    EXPECT_TRUE(lista->Focused());

    // A right click leaves the selection.
    vistos.clear();
    ClicDerecho(lista, 5, 2);
    EXPECT_EQ(lista->GetItemIndex(), 1);
    EXPECT_TRUE(vistos.empty());
    // The keyboard chooses too.
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(vistos, std::vector<std::string>{"click:2"});
}

TEST_F(Listas, GeometriaDeLosElementos) {
    auto* lista = new TListBox(ventana.get());
    lista->SetParent(ventana.get());
    lista->SetBounds(10, 10, 120, 100);
    for (int i = 0; i < 30; ++i)
        lista->GetItems()->Add("elemento " + AnsiString(i));
    const int alto = lista->GetItemHeight();
    EXPECT_EQ(lista->GetTopIndex(), 0);
    lista->SetTopIndex(5);
    EXPECT_EQ(lista->Perform(LB_GETTOPINDEX, 0, 0), 5);
    TRect r = lista->ItemRect(6);
    EXPECT_EQ(r.Top, alto);
    EXPECT_EQ(r.Height(), alto);
    LRESULT p = lista->Perform(LB_ITEMFROMPOINT, 0, PointToLParam(3, alto * 2 + 1));
    EXPECT_EQ(LOWORD(static_cast<DWORD>(p)), 7);
    EXPECT_EQ(HIWORD(static_cast<DWORD>(p)), 0);
    p = lista->Perform(LB_ITEMFROMPOINT, 0, PointToLParam(3, -5));
    EXPECT_EQ(HIWORD(static_cast<DWORD>(p)), 1); // outside the client area
    EXPECT_EQ(lista->ItemAtPos({3, alto + 1}, true), 6);
    EXPECT_EQ(lista->ItemAtPos({3, -1}, true), -1);
    EXPECT_EQ(lista->ItemAtPos({3, -1}, false), 30);

    // The horizontal extent brings the scroll bar when it exceeds the width.
    auto* w = static_cast<QListWidget*>(lista->GetWidget());
    lista->Perform(LB_SETHORIZONTALEXTENT, 500, 0);
    EXPECT_EQ(lista->Perform(LB_GETHORIZONTALEXTENT, 0, 0), 500);
    EXPECT_EQ(w->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_EQ(w->horizontalScrollBar()->maximum(), 500 - w->viewport()->width());
    lista->Perform(LB_SETHORIZONTALEXTENT, 0, 0);
    EXPECT_EQ(w->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

// The first column, from the left, where the row has a dark pixel after x.
int PrimeraTinta(const QImage& img, int y0, int y1, int desde) {
    for (int x = desde; x < img.width(); ++x)
        for (int y = y0; y < y1; ++y)
            if (qGray(img.pixel(x, y)) < 128) return x;
    return -1;
}

TEST_F(Listas, LasTabulacionesSeDanEnUnidadesDeDialogo) {
    auto* lista = new TListBox(ventana.get());
    lista->SetParent(ventana.get());
    lista->SetBounds(10, 10, 300, 60);
    lista->GetItems()->Add("a\tb");
    int stops[] = {80}; // dialog units: a quarter of the average character width each
    lista->Perform(LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(stops));
    const int media = QFontMetrics(lista->GetWidget()->font()).averageCharWidth();
    const int esperado = 2 + 80 * media / 4;
    const int alto = lista->GetItemHeight();
    auto* w = static_cast<QListWidget*>(lista->GetWidget());
    QImage img = w->viewport()->grab().toImage();
    const int b = PrimeraTinta(img, 0, alto, esperado - 3);
    EXPECT_GE(b, esperado - 1);
    EXPECT_LE(b, esperado + 3);
    // Nothing between the "a" and the stop.
    const int a = PrimeraTinta(img, 0, alto, 0);
    ASSERT_GE(a, 0);
    EXPECT_LT(a, 10);
    EXPECT_EQ(PrimeraTinta(img, 0, alto, a + media + 2), b);
}

TEST_F(Listas, SeleccionMultipleYListaDibujadaPorElPrograma) {
    auto* lista = new TListBox(ventana.get());
    lista->SetParent(ventana.get());
    lista->SetBounds(10, 10, 120, 120);
    lista->SetMultiSelect(true);
    lista->GetItems()->SetCommaText("a,b,c,d");
    lista->SetSelected(1, true);
    lista->SetSelected(3, true);
    EXPECT_EQ(lista->GetSelCount(), 2);
    EXPECT_TRUE(lista->GetSelected(3));
    EXPECT_THROW(lista->GetSelected(9), EListError);
    lista->Perform(LB_SETSEL, 1, -1);
    EXPECT_EQ(lista->GetSelCount(), 4);
    lista->ClearSelection();
    EXPECT_EQ(lista->GetSelCount(), 0);

    auto* propia = new TListBox(ventana.get());
    propia->SetParent(ventana.get());
    propia->SetBounds(140, 10, 120, 120);
    propia->SetStyle(lbOwnerDrawVariable);
    propia->OnMeasureItem = [](TWinControl*, int i, int& h) { h = 10 + 5 * i; };
    propia->GetItems()->SetCommaText("x,y,z");
    EXPECT_EQ(propia->ItemRect(2).Top, 10 + 15);
    EXPECT_EQ(propia->ItemRect(2).Height(), 20);
    propia->SetItemIndex(1);
    std::vector<std::pair<int, bool>> dibujos;
    propia->OnDrawItem = [&](TWinControl*, int i, TRect r, TOwnerDrawState st) {
        dibujos.push_back({i, st.Contains(odSelected)});
        TCanvas* c = propia->GetCanvas();
        c->FillRect(r); // the brush the list prepared: the highlight when selected
        c->TextOut(r.Left + 2, r.Top, propia->GetItems()->GetStrings(i));
    };
    auto* w = static_cast<QListWidget*>(propia->GetWidget());
    QImage img = w->viewport()->grab().toImage();
    EXPECT_EQ(dibujos, (std::vector<std::pair<int, bool>>{{0, false}, {1, true}, {2, false}}));
    EXPECT_EQ(img.pixelColor(60, 10 + 7), ToQColor(clHighlight));
    EXPECT_EQ(img.pixelColor(60, 5), QColor(255, 255, 255));
}

} // namespace
