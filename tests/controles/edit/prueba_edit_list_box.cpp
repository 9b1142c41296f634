// The edit list box driven as a user drives it: type-ahead, editing an item in place,
// insertion and deletion by keys, Return as Tab, tab stops fitted to the contents, the
// horizontal extent, the stored items; and a capture of a tabbed list.

#include "tests/controles/edit/prueba_kav_comun.h"

#include "controles/edit/edit_list_box.h"
#include "plataforma/base/files.h"
#include "plataforma/base/ini_file.h"
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

} // namespace
