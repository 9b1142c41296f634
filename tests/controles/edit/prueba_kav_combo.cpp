// The combo box with label and flat look: choosing by keys and by mouse, the label enabled,
// disabled, shown and moved with the combo, the drop width, the focus colour, the flat
// disabled look; and a capture of each look.

#include "tests/controles/edit/prueba_kav_comun.h"

#include "controles/edit/kav_combo.h"
#include "plataforma/base/files.h"
#include "plataforma/gui/services/capture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>

namespace {

class PruebaCombo : public PruebaKav {
protected:
    void SetUp() override {
        PruebaKav::SetUp();
        combo = NuevoCombo(120, 120);
    }
    TKavComboBox* NuevoCombo(int x, int y) {
        auto* c = new TKavComboBox(ventana.get());
        c->SetParent(ventana.get());
        c->SetBounds(x, y, 150, 21);
        return c;
    }
    // The database window's combos: a sorted drop-down list 500 pixels wide when dropped.
    void ComoEnLaBaseDeDatos(TKavComboBox* c) {
        c->SetStyle(csDropDownList);
        c->SetSorted(true);
        c->SetDropWidth(500);
        for (const char* s : {"Yeso", "acero", "Madera", "Ladrillo"})
            c->GetItems()->Add(s);
    }
    TKavComboBox* combo = nullptr;
};

TEST_F(PruebaCombo, EligeConTeclasYConElRatonEnUnaListaOrdenada) {
    ComoEnLaBaseDeDatos(combo);
    ASSERT_EQ(combo->GetItems()->GetStrings(0), "acero");
    ASSERT_EQ(combo->GetItems()->GetStrings(3), "Yeso");
    int cambios = 0;
    combo->OnChange = [&](TObject*) { ++cambios; };
    combo->SetFocus();
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(combo->GetItemIndex(), 0);
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(combo->GetText(), "Ladrillo");
    SimulateTyping("y");
    EXPECT_EQ(combo->GetText(), "Yeso");
    EXPECT_GE(cambios, 3);

    // By the mouse: the list drops, 500 pixels wide, and a click chooses.
    bool cerrada = false;
    combo->OnDropUp = [&](TObject* s) { cerrada = s == combo; };
    combo->SetDroppedDown(true);
    auto* w = qobject_cast<QComboBox*>(combo->GetWidget());
    ASSERT_NE(w, nullptr);
    QAbstractItemView* vista = w->view();
    ASSERT_TRUE(vista->isVisible());
    EXPECT_GE(vista->window()->width(), 500);
    const QPoint p = vista->visualRect(vista->model()->index(2, 0)).center();
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(t, p, vista->viewport()->mapToGlobal(p), Qt::LeftButton,
                      t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(vista->viewport(), &e);
    }
    Application->ProcessMessages();
    EXPECT_EQ(combo->GetText(), "Madera");
    EXPECT_FALSE(combo->GetDroppedDown());
    EXPECT_TRUE(cerrada);
}

TEST_F(PruebaCombo, LaEtiquetaSeHabilitaSeMueveYSeOcultaConElCombo) {
    EXPECT_EQ(combo->GetEditLabel(), nullptr);
    EXPECT_EQ(combo->GetLabelCaption(), "");
    combo->SetLabelCaption("Material");
    TLabel* l = combo->GetEditLabel();
    ASSERT_NE(l, nullptr);
    const int tw = l->GetCanvas()->TextWidth("Material");
    EXPECT_EQ(l->GetLeft(), 120 - tw - 4);
    EXPECT_EQ(l->GetTop(), 120);
    combo->SetBounds(200, 150, 150, combo->GetHeight());
    EXPECT_EQ(l->GetLeft(), 200 - tw - 4);
    combo->SetLabelPosition(lpTopLeft);
    EXPECT_EQ(l->GetTop(), 150 - l->GetHeight() - 4);

    combo->SetEnabledEx(false);
    EXPECT_FALSE(combo->GetEnabledEx());
    EXPECT_FALSE(l->GetEnabled());
    combo->SetEnabledEx(true);
    EXPECT_TRUE(l->GetEnabled());
    combo->SetLabelAlwaysEnabled(true);
    combo->SetEnabledEx(false);
    EXPECT_TRUE(l->GetEnabled());

    combo->SetVisibleEx(false);
    EXPECT_FALSE(l->GetVisible());
    combo->SetVisibleEx(true);
    EXPECT_TRUE(l->GetVisible());

    // While loading the label is left alone.
    auto* otro = NuevoCombo(120, 200);
    otro->SetLabelCaption("Grupo");
    otro->BeginLoading();
    otro->SetEnabledEx(false);
    EXPECT_TRUE(otro->GetEditLabel()->GetEnabled());
    otro->EndLoading(); // Loaded gives the label the combo's state
    EXPECT_FALSE(otro->GetEditLabel()->GetEnabled());
}

TEST_F(PruebaCombo, AnchosDeBotonYDeListaFueraDeRangoNoSeToman) {
    const int inicial = combo->GetButtonWidth();
    for (int w : {13, 33}) {
        combo->SetButtonWidth(w);
        EXPECT_EQ(combo->GetButtonWidth(), inicial);
    }
    for (int w : {14, 32}) {
        combo->SetButtonWidth(w);
        EXPECT_EQ(combo->GetButtonWidth(), w);
    }
    int enviados = 0;
    TWndMethod anterior = combo->WindowProc;
    combo->WindowProc = [&](TMessage& m) {
        if (m.Msg == CB_SETDROPPEDWIDTH) ++enviados;
        anterior(m);
    };
    combo->SetDropWidth(0);
    combo->SetDropWidth(-5);
    EXPECT_EQ(enviados, 0);
    EXPECT_EQ(combo->GetDropWidth(), -5);
    combo->SetDropWidth(500);
    EXPECT_EQ(enviados, 1);
    EXPECT_EQ(combo->Perform(CB_GETDROPPEDWIDTH, 0, 0), 500);
    combo->WindowProc = anterior;
    EXPECT_EQ(combo->GetVersionEx(), "1.2.0.0");
    combo->SetVersion("9.9");
    EXPECT_EQ(combo->GetVersionEx(), "1.2.0.0");
}

TEST_F(PruebaCombo, ElColorDeFocoVaYVuelve) {
    combo->SetFocusColor(clYellow);
    combo->SetFocus();
    EXPECT_EQ(combo->GetColor(), clYellow);
    siguiente->SetFocus();
    EXPECT_EQ(combo->GetColor(), clWindow);
}

TEST_F(PruebaCombo, PlanoDeshabilitadoTomaElColorDelPadre) {
    ventana->SetColor(static_cast<TColor>(0xE0E0E0));
    combo->SetFlatParentColor(false);
    combo->SetFlat(true);
    combo->SetColor(static_cast<TColor>(0xE0FFFF));
    EXPECT_FALSE(combo->GetCtl3D());
    combo->SetEnabledEx(false);
    EXPECT_TRUE(combo->GetParentColor());
    EXPECT_EQ(combo->GetColor(), static_cast<TColor>(0xE0E0E0));
    combo->SetEnabledEx(true);
    EXPECT_FALSE(combo->GetParentColor());
    EXPECT_EQ(combo->GetColor(), static_cast<TColor>(0xE0FFFF));
}

TEST_F(PruebaCombo, CapturaDeCadaAspecto) {
    ventana->SetCaption("Combos");
    ventana->SetBounds(0, 0, 560, 330);
    ventana->SetColor(clBtnFace);
    edit->SetVisible(false);
    siguiente->SetVisible(false);
    combo->SetVisible(false);
    struct Aspecto {
        const char* etiqueta;
        int x, y;
        bool plano, grabado, habilitado;
    };
    const Aspecto aspectos[] = {
        {"Normal", 110, 20, false, false, true},
        {"Plano", 110, 60, true, false, true},
        {"Grabado", 110, 100, true, true, true},
        {"Plano apagado", 110, 140, true, false, false},
        {"Normal apagado", 110, 180, false, false, false},
    };
    TKavComboBox* ultimo = nullptr;
    for (const Aspecto& a : aspectos) {
        auto* c = NuevoCombo(a.x, a.y);
        ComoEnLaBaseDeDatos(c);
        c->SetLabelCaption(a.etiqueta);
        c->SetItemIndex(1);
        c->SetFlat(a.plano);
        c->SetEtched(a.grabado);
        c->SetEnabledEx(a.habilitado);
        if (a.grabado) c->SetFocusBorder(true);
        ultimo = c;
    }
    auto* foco = NuevoCombo(110, 220);
    ComoEnLaBaseDeDatos(foco);
    foco->SetLabelCaption("Con foco");
    foco->SetFocusBorderColor(static_cast<TColor>(0x0080FF));
    foco->SetFocusColor(static_cast<TColor>(0xE0FFFF));
    foco->SetItemIndex(2);
    foco->SetFocus();
    (void)ultimo;
    const AnsiString cerrado = SaveCapture(ventana.get(), "kav-combo-aspectos");
    ASSERT_FALSE(cerrado.IsEmpty());
    EXPECT_TRUE(FileExists(cerrado));

    auto* abierto = NuevoCombo(330, 20);
    ComoEnLaBaseDeDatos(abierto);
    abierto->SetFlat(true);
    abierto->SetLabelCaption("Abierto");
    abierto->SetLabelPosition(lpTopLeft);
    abierto->SetDropWidth(200);
    abierto->SetDroppedDown(true);
    auto* w = qobject_cast<QComboBox*>(abierto->GetWidget());
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->view()->isVisible());
    const AnsiString lista = SaveCapture(ventana.get(), "kav-combo-abierto");
    ASSERT_FALSE(lista.IsEmpty());
    // The dropped list is a window of its own: captured apart.
    w->view()->window()->grab().save(
        QString::fromStdString((CaptureFolder() + "/kav-combo-lista.png").str()));
    abierto->SetDroppedDown(false);
}

} // namespace

namespace {

// The combo's own pixels, as the screen shows them.
QImage Pixeles(TControl* c, const char* nombre) {
    return QImage(QString::fromStdString(SaveCapture(c, nombre).str()));
}

QColor Qc(TColor c) {
    const COLORREF rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TEST_F(PruebaCombo, PlanoPintaElCampoEnSuColorYSusAnillosTapanElMarcoDeLaPlataforma) {
    const TColor padre = static_cast<TColor>(0xE0E0E0);
    ventana->SetColor(padre);
    ComoEnLaBaseDeDatos(combo);
    combo->SetItemIndex(0);
    combo->SetFlat(true);
    combo->SetFlatLineColor(clNone);
    ASSERT_EQ(combo->GetColor(), padre);
    const QImage plano = Pixeles(combo, "kav-combo-plano");
    ASSERT_FALSE(plano.isNull());
    const int w = combo->GetWidth(), h = combo->GetHeight();
    const int boton = combo->GetClientWidth() - combo->GetButtonWidth() - 4;
    // The text area, top to bottom at a column without text, and the frame's rings all
    // round, are the combo's (here its parent's) colour: no shaded face, no platform frame.
    for (int y = 0; y < h; ++y)
        EXPECT_EQ(plano.pixelColor(boton - 2, y), Qc(padre)) << "fila " << y;
    for (int anillo = 0; anillo < 3; ++anillo)
        for (int x = anillo; x < w - anillo; ++x) {
            EXPECT_EQ(plano.pixelColor(x, anillo), Qc(padre)) << x << "," << anillo;
            EXPECT_EQ(plano.pixelColor(x, h - 1 - anillo), Qc(padre)) << x << "," << anillo;
        }
    for (int y = 0; y < h; ++y) {
        EXPECT_EQ(plano.pixelColor(0, y), Qc(padre)) << "fila " << y;
        EXPECT_EQ(plano.pixelColor(w - 1, y), Qc(padre)) << "fila " << y;
    }
    // The flat button: face-coloured, with the black arrow in it.
    int negros = 0;
    for (int y = 3; y < h - 3; ++y)
        for (int x = boton + 4; x < w - 3; ++x) {
            const QColor c = plano.pixelColor(x, y);
            if (c == Qc(clBlack))
                ++negros;
            else
                EXPECT_EQ(c, Qc(clBtnFace)) << x << "," << y;
        }
    EXPECT_GT(negros, 3);

    // Another colour of its own, with the flat line: the field takes it, the outer rings
    // stay the parent's, the inner ring is the combo's, the line runs along the bottom.
    const TColor propio = static_cast<TColor>(0xE0FFFF);
    combo->SetFlatParentColor(false);
    combo->SetColor(propio);
    combo->SetFlatLineColor(clBlue);
    const QImage propia = Pixeles(combo, "kav-combo-plano-color");
    ASSERT_FALSE(propia.isNull());
    for (int y = 2; y < h - 2; ++y)
        EXPECT_EQ(propia.pixelColor(boton - 2, y), Qc(propio)) << "fila " << y;
    EXPECT_EQ(propia.pixelColor(boton - 2, 0), Qc(padre));
    EXPECT_EQ(propia.pixelColor(boton - 2, 1), Qc(padre));
    EXPECT_EQ(propia.pixelColor(1, h / 2), Qc(padre));
    EXPECT_EQ(propia.pixelColor(2, h / 2), Qc(propio));
    for (int x = 0; x < w - 20; ++x)
        EXPECT_EQ(propia.pixelColor(x, h - 1), Qc(clBlue)) << "columna " << x;
    EXPECT_NE(propia.pixelColor(w - 19, h - 1), Qc(clBlue));
}

} // namespace
