// The edit list box driven as a user drives it: type-ahead, editing an item in place,
// insertion and deletion by keys, Return as Tab, tab stops fitted to the contents, the
// horizontal extent, the stored items, the selection following the pointer, the flat and
// Encarta bars under the mouse and their thumb dragged; and a capture of a tabbed list.

#include "tests/controles/edit/prueba_kav_comun.h"

#include "controles/edit/edit_list_box.h"
#include "plataforma/base/files.h"
#include "plataforma/base/ini_file.h"
#include "plataforma/gui/input/mouse.h"
#include "plataforma/gui/kernel/flat_scroll_bars.h"
#include "plataforma/gui/services/capture.h"
#include "tests/comun/carpeta_temporal.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QDir>
#include <QHoverEvent>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QStyleOptionSlider>

namespace {

class PruebaLista : public PruebaKav {
protected:
    void SetUp() override {
        PruebaKav::SetUp();
        lista = new TEditListBox(ventana.get());
        lista->SetParent(ventana.get());
        lista->SetBounds(10, 110, 200, 120);
    }
    void Llenar(std::initializer_list<const char*> items) {
        for (const char* s : items)
            lista->GetItems()->Add(s);
    }
    // A click in the middle of an item's row.
    void ClicEn(int index) {
        const TRect r = lista->ItemRect(index);
        SimulateClick(lista, 20, (r.Top + r.Bottom) / 2);
    }
    TEditListBox* lista = nullptr;
};

TEST_F(PruebaLista, BusquedaAlEscribirPorElPrincipioYDentro) {
    Llenar({"cab", "abacus", "zeta"});
    lista->SetAllowEdit(false);
    lista->SetLookupIncr(true);
    lista->SetFocus();
    SimulateTyping("ab");
    EXPECT_EQ(lista->GetItemIndex(), 1);
    EXPECT_EQ(lista->GetLookupBuffer(), "AB");
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_EQ(lista->GetLookupBuffer(), "");

    lista->GetItems()->Delete(1);
    lista->SetLookupFull(true);
    lista->SetItemIndex(-1);
    SimulateTyping("ab");
    EXPECT_EQ(lista->GetItemIndex(), 0); // "cab" holds it
    SimulateTyping("q");
    EXPECT_EQ(lista->GetLookupBuffer(), ""); // nothing matches: the buffer starts again
}

TEST_F(PruebaLista, UnSegundoClicEditaElElementoEnSuSitio) {
    Llenar({"Yeso", "Arena", "Cal"});
    AnsiString propuesto;
    lista->OnEditDone = [&](TObject*, AnsiString& t, bool&) { propuesto = t; };
    lista->SetFocus();
    ClicEn(1);
    EXPECT_EQ(lista->GetItemIndex(), 1);
    EXPECT_FALSE(lista->GetEditor()->GetVisible());
    ClicEn(1);
    TSizeEdit* e = lista->GetEditor();
    ASSERT_TRUE(e->GetVisible());
    EXPECT_EQ(e->GetText(), "Arena");
    EXPECT_EQ(e->GetTop(), lista->ItemRect(1).Top);
    EXPECT_TRUE(e->Focused());
    SimulateTyping("Grava");
    EXPECT_EQ(e->GetText(), "Grava");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_FALSE(e->GetVisible());
    EXPECT_EQ(lista->GetItems()->GetStrings(1), "Grava");
    EXPECT_EQ(propuesto, "Grava");
    EXPECT_EQ(lista->GetItemIndex(), 1);
    EXPECT_TRUE(lista->Focused());

    // Escape gives the item back its text.
    SimulateKeyStroke(VK_SPACE);
    ASSERT_TRUE(e->GetVisible());
    SimulateTyping("nada");
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_EQ(lista->GetItems()->GetStrings(1), "Grava");

    // A refusal keeps the old text.
    lista->OnEditDone = [](TObject*, AnsiString&, bool& allow) { allow = false; };
    SimulateKeyStroke(VK_SPACE);
    SimulateTyping("otro");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(lista->GetItems()->GetStrings(1), "Grava");
}

// An edit that ends because the editor loses the focus writes the text back, selects the
// item and focuses the list, whether the focus went to another control or nowhere.
TEST_F(PruebaLista, ElEditorQuePierdeElFocoDevuelveElFocoALaLista) {
    Llenar({"Yeso", "Arena", "Cal"});
    struct Salida {
        const char* como;
        std::function<void()> salir;
    };
    const Salida salidas[] = {
        {"al otro control",
         [&] {
             SimulateKeyStroke(VK_TAB);
             Application->ProcessMessages();
         }},
        {"a ninguna parte", [&] { lista->GetEditor()->Perform(WM_KILLFOCUS, 0, 0); }},
    };
    for (const Salida& k : salidas) {
        SCOPED_TRACE(k.como);
        lista->GetItems()->SetStrings(1, "Arena");
        lista->SetFocus();
        ClicEn(1);
        ClicEn(1);
        TSizeEdit* e = lista->GetEditor();
        ASSERT_TRUE(e->Focused());
        SimulateTyping("Grava");
        k.salir();
        EXPECT_FALSE(e->GetVisible());
        EXPECT_EQ(lista->GetItems()->GetStrings(1), "Grava");
        EXPECT_EQ(lista->GetItemIndex(), 1);
        EXPECT_TRUE(lista->Focused());
    }
}

// An item wider than the list shows whole in the hint, though the list has no Hint; moving
// to another row takes the hint away.
TEST_F(PruebaLista, LaPistaDeUnElementoAnchoSinHintYSeQuitaAlCambiarDeFila) {
    const AnsiString ancho = "Panel de lana mineral con barrera de vapor, 40 mm, de fachada";
    Llenar({"Yeso", ancho.c_str(), "Cal"});
    lista->SetShowHint(true);
    ASSERT_TRUE(lista->GetHint().IsEmpty());
    ASSERT_GT(lista->GetStringExtent(ancho), lista->GetWidth());
    // The middle of item i, from the left.
    auto medio = [&](int i) {
        const TRect r = lista->ItemRect(i);
        return (r.Top + r.Bottom) / 2;
    };
    CancelHint();
    EXPECT_EQ(SimulateHintRest(lista, 20, medio(1)), ancho);
    SimulateMouse(lista, SimulatedMouse::Move, 0, 20, medio(2));
    EXPECT_FALSE(QToolTip::isVisible());
    EXPECT_EQ(SimulateHintRest(lista, 20, medio(2)), "");
    CancelHint();
}

TEST_F(PruebaLista, InsertarYSuprimirConTeclas) {
    Llenar({"uno", "dos"});
    lista->SetAutoInsert(true);
    lista->SetAutoDelete(true);
    lista->OnAutoInsert = [](TObject*, AnsiString& v) { v = "nuevo"; };
    lista->SetFocus();
    SimulateKeyStroke(VK_INSERT);
    ASSERT_EQ(lista->GetCount(), 3);
    ASSERT_TRUE(lista->GetEditor()->GetVisible());
    EXPECT_EQ(lista->GetEditor()->GetText(), "nuevo");
    SimulateTyping("tres");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(lista->GetItems()->GetStrings(2), "tres");

    bool permitir = false;
    lista->OnAutoDelete = [&](TObject*, AnsiString& v, bool& allow) {
        EXPECT_EQ(v, "tres");
        allow = permitir;
    };
    lista->SetItemIndex(2);
    SimulateKeyStroke(VK_DELETE);
    EXPECT_EQ(lista->GetCount(), 3);
    permitir = true;
    SimulateKeyStroke(VK_DELETE);
    EXPECT_EQ(lista->GetCount(), 2);
    EXPECT_EQ(lista->GetItemIndex(), 1); // the new last item
}

TEST_F(PruebaLista, IntroComoTabuladorYComoClic) {
    Llenar({"uno"});
    lista->SetAllowEdit(false);
    int clics = 0;
    lista->OnClick = [&](TObject*) { ++clics; };
    lista->SetReturnIsClick(true);
    lista->SetFocus();
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(clics, 1);
    lista->SetReturnIsTab(true);
    SimulateKeyStroke(VK_RETURN);
    Application->ProcessMessages();
    EXPECT_FALSE(lista->Focused());
}

TEST_F(PruebaLista, TopesDeTabuladorSegunElContenido) {
    Llenar({"a\tbb\tx", "aaa\tb\ty"});
    lista->OptimizeTabs(4);
    TTabPositionCollection* tabs = lista->GetTabPositions();
    ASSERT_EQ(tabs->GetCount(), 2);
    TCanvas* c = lista->MeasureCanvas();
    const int aaa = c->TextWidth("aaa"), bb = c->TextWidth("bb");
    EXPECT_EQ(tabs->GetItem(0)->GetTabPosition(), aaa + 4);
    EXPECT_EQ(tabs->GetItem(1)->GetTabPosition(), aaa + 4 + bb + 4);

    // Twenty tab items: the list keeps its default stops.
    int enviados = 0;
    TWndMethod anterior = lista->WindowProc;
    lista->WindowProc = [&](TMessage& m) {
        if (m.Msg == LB_SETTABSTOPS) ++enviados;
        anterior(m);
    };
    lista->SetTabStops();
    EXPECT_EQ(enviados, 1);
    while (tabs->GetCount() < 20)
        tabs->Add();
    lista->SetTabStops();
    EXPECT_EQ(enviados, 1);
    lista->WindowProc = anterior;
}

TEST_F(PruebaLista, LaBarraHorizontalMideElElementoMasAncho) {
    Llenar({"corto"});
    EXPECT_EQ(lista->Perform(LB_GETHORIZONTALEXTENT, 0, 0), 0);
    lista->GetItems()->Add("un elemento bastante más largo que el ancho de la lista");
    const int ancho = lista->GetMaxExtent();
    EXPECT_GT(ancho, lista->GetClientWidth());
    EXPECT_EQ(lista->Perform(LB_GETHORIZONTALEXTENT, 0, 0), ancho);
    EXPECT_EQ(lista->GetStringExtent("un elemento bastante más largo que el ancho de la lista"),
              ancho);
    lista->GetItems()->Delete(1);
    EXPECT_EQ(lista->Perform(LB_GETHORIZONTALEXTENT, 0, 0), 0);
}

TEST_F(PruebaLista, LosElementosSeGuardanYSeLeen) {
    CarpetaTemporal carpeta;
    const AnsiString ini = carpeta.Ruta() + "lista.ini";
    Llenar({"1", "2", "3", "4", "5"});
    TELPersist* p = lista->GetPersist();
    p->SetEnable(true);
    p->SetKey(ini);
    p->SetSection("Recientes");
    p->SetMaxCount(true);
    p->SetCount(3);
    lista->SavePersist();
    TIniFile f(ini);
    EXPECT_EQ(f.ReadString("Recientes", "Item1", ""), "3");
    EXPECT_EQ(f.ReadString("Recientes", "Item3", ""), "5");
    EXPECT_EQ(f.ReadString("Recientes", "Item4", "x"), "");
    lista->GetItems()->Clear();
    lista->LoadPersist();
    ASSERT_EQ(lista->GetCount(), 3);
    EXPECT_EQ(lista->GetItems()->GetStrings(0), "3");
    EXPECT_EQ(lista->GetVersion(), "2.1.0.1");
}

TEST_F(PruebaLista, CapturaDeUnaListaConColumnas) {
    ventana->SetCaption("Lista con columnas");
    ventana->SetBounds(0, 0, 420, 260);
    edit->SetVisible(false);
    siguiente->SetVisible(false);
    lista->SetBounds(10, 10, 390, 200);
    Llenar({"Material\tConductividad\tDensidad", "Ladrillo perforado\t0,35\t1020",
            "Mortero de cemento\t1,3\t1900", "Yeso\t0,57\t1150", "Lana mineral\t0,04\t40",
            "Hormigón armado con una descripción muy larga\t2,3\t2500"});
    lista->OptimizeTabs(8);
    lista->SetItemIndex(2);
    const AnsiString ruta = SaveCapture(ventana.get(), "edit-list-box-columnas");
    ASSERT_FALSE(ruta.IsEmpty());
    EXPECT_TRUE(FileExists(ruta));
}

// The list's pixels outside the area that shows its items; that area black.
QImage FueraDeLosElementos(TEditListBox* l) {
    auto* area = dynamic_cast<QAbstractScrollArea*>(l->GetWidget());
    QImage img = area->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(area->viewport()->geometry(), Qt::black);
    return img;
}

// A list with more items than it shows and one wider than it: both bars.
void LlenarConBarras(TEditListBox* l) {
    for (int i = 0; i < 30; ++i)
        l->GetItems()->Add("Elemento " + AnsiString(i));
    l->GetItems()->Add("un elemento bastante más largo que el ancho de la lista");
}

// Compared with a capture of the bars made before the flat bars existed.
void ComoAntes(TEditListBox* l) {
    Application->ProcessMessages();
    const QImage ahora = FueraDeLosElementos(l);
    const QString salida = QString(CaptureFolder().c_str()) + "/lista_barras_regulares.png";
    QDir().mkpath(QString(CaptureFolder().c_str()));
    ahora.save(salida);
    QImage antes(QString(QUENBAR_DATOS_PRUEBA) + "/barras/lista_regulares.png");
    ASSERT_FALSE(antes.isNull()) << salida.toStdString();
    EXPECT_EQ(ahora, antes.convertToFormat(QImage::Format_RGB32)) << salida.toStdString();
}

TEST_F(PruebaLista, LasBarrasRegularesSePintanComoAntes) {
    LlenarConBarras(lista);
    ComoAntes(lista);
}

// Colour and width set while the bars are regular take effect when they turn flat; the
// flat bars are drawn so and still scroll the list; regular again, they look as before.
TEST_F(PruebaLista, BarrasPlanasEnSuColorYAncho) {
    LlenarConBarras(lista);
    HWND h = lista->GetHandle();
    lista->SetScrollColor(clYellow);
    lista->SetScrollWidth(22);
    int v = 0;
    EXPECT_FALSE(FlatSB_GetScrollProp(h, WSB_PROP_VBKGCOLOR, &v));
    lista->SetScrollStyle(ssFlat);
    ASSERT_TRUE(FlatSB_GetScrollProp(h, WSB_PROP_VSTYLE, &v));
    EXPECT_EQ(v, FSB_FLAT_MODE);
    ASSERT_TRUE(FlatSB_GetScrollProp(h, WSB_PROP_HBKGCOLOR, &v));
    EXPECT_EQ(v, clYellow);
    ASSERT_TRUE(FlatSB_GetScrollProp(h, WSB_PROP_CYHSCROLL, &v));
    EXPECT_EQ(v, 22);
    Application->ProcessMessages();
    auto* area = dynamic_cast<QAbstractScrollArea*>(lista->GetWidget());
    QScrollBar* vertical = area->verticalScrollBar();
    EXPECT_EQ(vertical->width(), 22);
    EXPECT_EQ(area->horizontalScrollBar()->height(), 22);
    // Scrolling moves the list and the bar.
    lista->Perform(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(lista->GetTopIndex(), 1);
    EXPECT_EQ(FlatSB_GetScrollPos(h, SB_VERT), 1);
    vertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(FlatSB_GetScrollPos(h, SB_VERT), lista->GetTopIndex());
    EXPECT_GT(lista->GetTopIndex(), 1);
    Application->ProcessMessages();
    const AnsiString ruta = SaveCapture(ventana.get(), "edit-list-box-barras-planas");
    EXPECT_FALSE(ruta.IsEmpty());
    // The track below the thumb, in the list's bar coordinates.
    // The bar's own pixels: the up arrow framed flat.
    const QImage img = vertical->grab().toImage();
    auto pixel = [&](int x, int y) {
        const QRgb p = img.pixel(x, y);
        return static_cast<TColor>(RGB(qRed(p), qGreen(p), qBlue(p)));
    };
    EXPECT_EQ(pixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(pixel(21, 0), ColorToRGB(clBtnShadow));
    // Down the middle: the arrows' and the thumb's flat colours, and the rest yellow.
    int amarillos = 0, pista = 0;
    for (int y = 0; y < img.height(); ++y) {
        const TColor c = pixel(11, y);
        if (c == clYellow) ++amarillos;
        if (c != ColorToRGB(clBtnFace) && c != ColorToRGB(clBtnShadow) &&
            c != ColorToRGB(clBtnText))
            ++pista;
    }
    EXPECT_GT(amarillos, 10);
    EXPECT_EQ(amarillos, pista);
    // The down arrow under the pointer: inverted.
    const QPointF abajo(11, vertical->height() - 5);
    QHoverEvent encima(QEvent::HoverMove, abajo, vertical->mapToGlobal(abajo), QPointF(-1, -1));
    QCoreApplication::sendEvent(vertical, &encima);
    const QImage bajo = vertical->grab().toImage();
    const QRgb p = bajo.pixel(2, vertical->height() - 3);
    EXPECT_EQ(static_cast<TColor>(RGB(qRed(p), qGreen(p), qBlue(p))), ColorToRGB(clBtnShadow));
    QHoverEvent fuera(QEvent::HoverLeave, QPointF(-1, -1), QPointF(-1, -1), abajo);
    QCoreApplication::sendEvent(vertical, &fuera);
    const QRgb q = vertical->grab().toImage().pixel(2, vertical->height() - 3);
    EXPECT_EQ(static_cast<TColor>(RGB(qRed(q), qGreen(q), qBlue(q))), ColorToRGB(clBtnFace));
    lista->SetScrollStyle(ssNormal);
    EXPECT_FALSE(FlatSB_GetScrollProp(h, WSB_PROP_VSTYLE, &v));
    lista->Perform(WM_VSCROLL, SB_TOP, 0);
    ComoAntes(lista);
}

// --- the mouse over the list and its bars ---

TColor PixelDe(QWidget* w, int x, int y) {
    const QRgb p = w->grab().toImage().pixel(x, y);
    return static_cast<TColor>(RGB(qRed(p), qGreen(p), qBlue(p)));
}

// The thumb of a bar, in the bar's coordinates.
QRect Pulgar(QScrollBar* sb) {
    QStyleOptionSlider o;
    o.initFrom(sb);
    o.orientation = sb->orientation();
    o.minimum = sb->minimum();
    o.maximum = sb->maximum();
    o.sliderPosition = sb->sliderPosition();
    o.sliderValue = sb->value();
    o.singleStep = sb->singleStep();
    o.pageStep = sb->pageStep();
    o.subControls = QStyle::SC_All;
    return sb->style()->subControlRect(QStyle::CC_ScrollBar, &o, QStyle::SC_ScrollBarSlider, sb);
}

// A point of a bar in the client coordinates of the list that hosts it.
TPoint EnLaLista(TEditListBox* l, QScrollBar* sb, QPoint p) {
    const QPoint q = sb->mapTo(l->GetWidget(), p);
    return TPoint(q.x() - l->GetBorderWidth(), q.y() - l->GetBorderWidth());
}

// The pointer where the list's own mouse handling last saw it, in its client coordinates.
TPoint Puntero(TEditListBox* l) {
    POINT p;
    GetCursorPos(&p);
    return l->ScreenToClient(TPoint(p.x, p.y));
}

// Hovering: each tick of the list's timer (driven here) selects the item under the pointer,
// only while the list has the focus and the pointer is over its items; a selection made
// otherwise brings the pointer onto the selected item, so that the next tick keeps it.
TEST_F(PruebaLista, AlPasarElRatonLaSeleccionSigueAlPuntero) {
    LlenarConBarras(lista);
    lista->SetHovering(true);
    lista->SetFocus();
    std::vector<int> cambios;
    lista->OnSelChange = [&](TObject*, int i) { cambios.push_back(i); };
    auto tic = [&] { lista->Perform(WM_TIMER, 111, 0); };
    auto sobre = [&](int i) {
        const TRect r = lista->ItemRect(i);
        SimulateMouse(lista, SimulatedMouse::Move, 0, 20, (r.Top + r.Bottom) / 2 - 3);
    };
    sobre(3);
    EXPECT_EQ(lista->GetItemIndex(), -1); // nothing before the tick
    tic();
    EXPECT_EQ(lista->GetItemIndex(), 3);
    EXPECT_EQ(cambios, std::vector<int>{3});
    // The selection moved by the keys takes the pointer along, x unchanged.
    SimulateKeyStroke(VK_DOWN);
    ASSERT_EQ(lista->GetItemIndex(), 4);
    const TRect r4 = lista->ItemRect(4);
    EXPECT_EQ(Puntero(lista), TPoint(20, (r4.Top + r4.Bottom) / 2));
    tic();
    EXPECT_EQ(lista->GetItemIndex(), 4);
    EXPECT_EQ(cambios, (std::vector<int>{3, 4}));
    // A scrolled list: the item shown under the pointer.
    lista->SetTopIndex(10);
    sobre(12);
    tic();
    EXPECT_EQ(lista->GetItemIndex(), 12);
    // Over the scroll bar or outside the list, and without the focus, no tick selects.
    auto* area = dynamic_cast<QAbstractScrollArea*>(lista->GetWidget());
    QScrollBar* vertical = area->verticalScrollBar();
    const TRect r15 = lista->ItemRect(15);
    const TPoint barra = EnLaLista(lista, vertical, QPoint(vertical->width() / 2, 0));
    SimulateMouse(lista, SimulatedMouse::Move, 0, barra.x, (r15.Top + r15.Bottom) / 2);
    tic();
    EXPECT_EQ(lista->GetItemIndex(), 12);
    SimulateMouse(lista, SimulatedMouse::Move, 0, 20, lista->GetHeight() + 20);
    tic();
    EXPECT_EQ(lista->GetItemIndex(), 12);
    sobre(14);
    siguiente->SetFocus();
    tic();
    EXPECT_EQ(lista->GetItemIndex(), 12);
    lista->SetFocus();
    tic();
    EXPECT_EQ(lista->GetItemIndex(), 14);
    // Off, the selection stays where the keys leave it.
    lista->SetHovering(false);
    SimulateKeyStroke(VK_UP);
    sobre(16);
    EXPECT_EQ(lista->GetItemIndex(), 13);
    EXPECT_EQ(cambios.back(), 13);
}

// The Encarta look: the part of a bar under the pointer raised, the pressed one sunken, the
// rest flat. Dragging the thumb scrolls the list as it goes and leaves the flat bar at the
// list's position; with hovering on, the ticks of the drag leave the selection alone.
TEST_F(PruebaLista, BarraEncartaRealzadaBajoElPunteroYPulgarArrastrado) {
    LlenarConBarras(lista);
    lista->SetScrollStyle(ssEncarta);
    lista->SetHovering(true);
    lista->SetFocus();
    lista->SetItemIndex(2);
    Application->ProcessMessages();
    HWND h = lista->GetHandle();
    int estilo = -1;
    ASSERT_TRUE(FlatSB_GetScrollProp(h, WSB_PROP_VSTYLE, &estilo));
    EXPECT_EQ(estilo, FSB_ENCARTA_MODE);
    auto* area = dynamic_cast<QAbstractScrollArea*>(lista->GetWidget());
    QScrollBar* vertical = area->verticalScrollBar();
    const int ancho = vertical->width(), alto = vertical->height();
    const TColor luz = ColorToRGB(clBtnHighlight), sombra = ColorToRGB(clBtnShadow);

    // The down arrow: flat, raised under the pointer, flat again when it leaves.
    EXPECT_EQ(PixelDe(vertical, 0, alto - 3), sombra);
    const TPoint flecha = EnLaLista(lista, vertical, QPoint(ancho / 2, alto - 5));
    SimulateMouse(lista, SimulatedMouse::Move, 0, flecha.x, flecha.y);
    EXPECT_EQ(PixelDe(vertical, 0, alto - 3), luz);
    EXPECT_EQ(PixelDe(vertical, ancho - 1, alto - 3), sombra);
    SimulateMouse(lista, SimulatedMouse::Move, 0, 20, 20);
    EXPECT_EQ(PixelDe(vertical, 0, alto - 3), sombra);
    SimulateMouse(lista, SimulatedMouse::Move, 0, flecha.x, flecha.y);
    SimulateMouseLeave(lista); // straight out of the list
    EXPECT_EQ(PixelDe(vertical, 0, alto - 3), sombra);

    // The thumb pressed (sunken) and dragged to the end.
    const QRect p0 = Pulgar(vertical);
    ASSERT_FALSE(p0.isEmpty());
    const TPoint agarre = EnLaLista(lista, vertical, p0.center());
    SimulateMouse(lista, SimulatedMouse::Move, 0, agarre.x, agarre.y);
    EXPECT_EQ(PixelDe(vertical, p0.left(), p0.top() + 2), luz);
    SimulateMouse(lista, SimulatedMouse::Down, 0, agarre.x, agarre.y);
    EXPECT_EQ(PixelDe(vertical, p0.left(), p0.top() + 2), sombra);
    EXPECT_EQ(PixelDe(vertical, p0.right(), p0.top() + 2), luz);
    SimulateMouse(lista, SimulatedMouse::Move, 0, agarre.x, agarre.y + 25);
    const int aMitad = lista->GetTopIndex();
    EXPECT_GT(aMitad, 0);
    EXPECT_EQ(FlatSB_GetScrollPos(h, SB_VERT), aMitad);
    lista->Perform(WM_TIMER, 111, 0); // the pointer is over the bar
    EXPECT_EQ(lista->GetItemIndex(), 2);
    // Far past the bar's end, and off it to the side: the thumb stays with the pointer.
    SimulateMouse(lista, SimulatedMouse::Move, 0, agarre.x - 40, alto + 200);
    SimulateMouse(lista, SimulatedMouse::Up, 0, agarre.x - 40, alto + 200);
    Application->ProcessMessages();
    const int ultimo = lista->GetCount() - lista->VisibleItems();
    EXPECT_EQ(lista->GetTopIndex(), ultimo);
    EXPECT_EQ(FlatSB_GetScrollPos(h, SB_VERT), ultimo);
    EXPECT_EQ(lista->GetItemIndex(), 2);
    // Released away from the bar, the thumb is flat again.
    const QRect p1 = Pulgar(vertical);
    EXPECT_EQ(PixelDe(vertical, p1.left(), p1.top() + 2), sombra);
    EXPECT_EQ(PixelDe(vertical, p1.right(), p1.top() + 2), sombra);
}

} // namespace
