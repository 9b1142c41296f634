// Check boxes, radio buttons and labels: clicks as the class library fires them, the state
// decided by the control, the "&" letters, and the label's size and colours.

#include "tests/plataforma/gui/prueba_controles_comun.h"

#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/widgets/check_radio.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/label.h"

#include <QCheckBox>
#include <QImage>
#include <QRadioButton>

#include <initializer_list>

namespace {

class Botones : public PruebaControles {
protected:
    template <class T> T* Nuevo(int top, const char* caption) {
        auto* c = new T(ventana.get());
        c->SetParent(ventana.get());
        c->SetBounds(10, top, 120, 17);
        c->SetCaption(caption);
        return c;
    }
};

TEST_F(Botones, LaCasillaDisparaOnClickConCadaCambioDeEstadoTambienDelPrograma) {
    auto* casilla = Nuevo<TCheckBox>(10, "&Activo");
    std::vector<TCheckBoxState> clics;
    casilla->OnClick = [&](TObject*) { clics.push_back(casilla->GetState()); };
    casilla->SetChecked(true);
    casilla->SetChecked(true); // no change: no click
    casilla->SetChecked(false);
    EXPECT_EQ(clics, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked}));
    // The window's own state changes silently.
    casilla->Perform(BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(casilla->GetChecked());
    EXPECT_EQ(casilla->Perform(BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
    EXPECT_EQ(clics.size(), 2u);
    auto* w = static_cast<QCheckBox*>(casilla->GetWidget());
    EXPECT_EQ(w->checkState(), Qt::Checked);
    EXPECT_EQ(FromQString(w->text()), "&Activo");

    // The user's clicks go round the states (grayed when allowed) and take the focus.
    clics.clear();
    casilla->SetAllowGrayed(true);
    casilla->SetChecked(false);
    clics.clear();
    for (int i = 0; i < 3; ++i)
        SimulateClick(casilla, 5, 8);
    EXPECT_EQ(clics, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
    EXPECT_TRUE(casilla->Focused());
    EXPECT_EQ(w->checkState(), Qt::Unchecked);
    // Space presses it too.
    SimulateKeyStroke(VK_SPACE);
    EXPECT_EQ(casilla->GetState(), cbGrayed);
}

TEST_F(Botones, ElBotonDeRadioDesmarcaASusHermanosYSoloAvisaAlMarcarse) {
    auto* a = Nuevo<TRadioButton>(10, "A");
    auto* b = Nuevo<TRadioButton>(30, "B");
    auto* otraEdicion = new TEdit(ventana.get());
    otraEdicion->SetParent(ventana.get());
    otraEdicion->SetTop(60);
    std::vector<std::string> clics;
    a->OnClick = [&](TObject*) { clics.push_back("a"); };
    b->OnClick = [&](TObject*) { clics.push_back("b"); };
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->GetChecked());
    EXPECT_TRUE(b->GetChecked());
    b->SetChecked(false); // unchecking is silent
    EXPECT_EQ(clics, (std::vector<std::string>{"a", "b"}));
    // Only the checked button is a tab stop.
    a->SetChecked(true);
    EXPECT_TRUE(a->GetTabStop());
    EXPECT_FALSE(b->GetTabStop());

    // A click checks it; focusing it by the keyboard checks it too.
    clics.clear();
    SimulateClick(b, 5, 8);
    EXPECT_TRUE(b->GetChecked());
    EXPECT_FALSE(a->GetChecked());
    otraEdicion->SetFocus();
    a->SetFocus();
    EXPECT_TRUE(a->GetChecked());
    EXPECT_EQ(clics, (std::vector<std::string>{"b", "a"}));
    EXPECT_FALSE(static_cast<QRadioButton*>(b->GetWidget())->isChecked());
}

// Reached with Tab, a radio button or a check box without a caption (as the editors place
// them beside their own labels) shows that it has the focus.
TEST_F(Botones, ElFocoQueLlegaConElTabuladorSeVe) {
    auto* edit = new TEdit(ventana.get());
    edit->SetParent(ventana.get());
    edit->SetBounds(10, 10, 100, 21);
    auto* radio = new TRadioButton(ventana.get());
    radio->SetParent(ventana.get());
    radio->SetBounds(10, 40, 17, 17);
    radio->SetChecked(true);
    auto* casilla = new TCheckBox(ventana.get());
    casilla->SetParent(ventana.get());
    casilla->SetBounds(10, 70, 17, 17);
    ventana->Show();
    edit->SetFocus();
    for (TButtonCheck* boton : std::initializer_list<TButtonCheck*>{radio, casilla}) {
        SCOPED_TRACE(boton == radio ? "radio" : "casilla");
        const QImage sinFoco = boton->GetWidget()->grab().toImage();
        SimulateKeyStroke(VK_TAB);
        ASSERT_TRUE(boton->Focused());
        EXPECT_NE(boton->GetWidget()->grab().toImage(), sinFoco);
        EXPECT_FALSE(
            SaveCapture(ventana.get(), boton == radio ? "radio_con_foco" : "casilla_con_foco")
                .IsEmpty());
    }
}

TEST_F(Botones, LaLetraConAmpersandActuaSobreElControl) {
    auto* casilla = Nuevo<TCheckBox>(10, "&Puerta");
    auto* radio = Nuevo<TRadioButton>(30, "&Vertical");
    auto* edit = new TEdit(ventana.get());
    edit->SetParent(ventana.get());
    edit->SetTop(80);
    auto* etiqueta = Nuevo<TLabel>(60, "&Nombre");
    etiqueta->SetFocusControl(edit);
    casilla->SetFocus();

    SimulateKeyStroke('P', {ssAlt});
    EXPECT_TRUE(casilla->GetChecked());
    SimulateKeyStroke('V', {ssAlt});
    EXPECT_TRUE(radio->GetChecked());
    EXPECT_TRUE(radio->Focused());
    SimulateKeyStroke('N', {ssAlt});
    EXPECT_TRUE(edit->Focused());

    // A disabled label gives no focus; a label whose control is gone forgets it.
    radio->SetFocus();
    etiqueta->SetEnabled(false);
    SimulateKeyStroke('N', {ssAlt});
    EXPECT_TRUE(radio->Focused());
    delete edit;
    EXPECT_EQ(etiqueta->GetFocusControl(), nullptr);
}

TEST_F(Botones, LaEtiquetaTomaElTamanoDeSuTextoYPintaSuFondo) {
    auto* etiqueta = Nuevo<TLabel>(10, "Corto");
    const int corto = etiqueta->GetWidth();
    etiqueta->SetCaption("Un texto bastante más largo");
    EXPECT_GT(etiqueta->GetWidth(), corto);
    const int alto = etiqueta->GetHeight();
    EXPECT_GT(alto, 8);
    // Right-aligned, it keeps its right edge.
    etiqueta->SetAlignment(taRightJustify);
    const int derecha = etiqueta->GetLeft() + etiqueta->GetWidth();
    etiqueta->SetCaption("Corto");
    EXPECT_EQ(etiqueta->GetLeft() + etiqueta->GetWidth(), derecha);
    // Word wrap keeps the width and grows the height.
    etiqueta->SetAutoSize(false);
    etiqueta->SetWidth(40);
    etiqueta->SetWordWrap(true);
    etiqueta->SetAutoSize(true);
    etiqueta->SetCaption("uno dos tres cuatro");
    EXPECT_LE(etiqueta->GetWidth(), 40);
    EXPECT_GT(etiqueta->GetHeight(), alto);

    // Opaque, its colour fills it; transparent, the parent shows through.
    ventana->SetColor(clWhite);
    etiqueta->SetColor(clYellow);
    QImage opaca = ventana->GetWidget()->grab().toImage();
    const QPoint p(etiqueta->GetLeft() + etiqueta->GetWidth() - 1, etiqueta->GetTop() + 1);
    EXPECT_EQ(opaca.pixelColor(p), QColor(255, 255, 0));
    etiqueta->SetTransparent(true);
    QImage transparente = ventana->GetWidget()->grab().toImage();
    EXPECT_EQ(transparente.pixelColor(p), QColor(255, 255, 255));
}

} // namespace
