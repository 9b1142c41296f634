// The mask edit with its label and flat border: the tab on a filled mask and its veto,
// Return as Tab, Escape as undo, the first character selected at entry, the state colours,
// and a capture for a person to look at.

#include "tests/controles/edit/prueba_kav_comun.h"

#include "controles/edit/kav_mask_edit.h"
#include "plataforma/base/files.h"
#include "plataforma/gui/services/capture.h"

#include <QImage>
#include <QWidget>

namespace {

class MascaraKav : public PruebaKav {
protected:
    void SetUp() override {
        PruebaKav::SetUp();
        fecha_ = GetDateSeparator();
        SetDateSeparator('/');
        edit->SetVisible(false);
        mascara = new TKavMaskEdit(ventana.get());
        mascara->SetParent(ventana.get());
        mascara->SetBounds(120, 100, 120, 21);
        mascara->SetEditMask("!99/99/0000;1;_");
        // The tab order: the mask edit, then the plain edit.
        siguiente->SetTabOrder(mascara->GetTabOrder());
    }
    void TearDown() override {
        SetDateSeparator(fecha_);
        PruebaKav::TearDown();
    }
    void Entrar() {
        mascara->SetFocus();
        mascara->SetSelStart(0);
        mascara->SetSelLength(0);
    }
    TKavMaskEdit* mascara = nullptr;
    char fecha_ = '/';
};

TEST_F(MascaraKav, LaMascaraLlenaPasaAlSiguienteSalvoVeto) {
    std::vector<AnsiString> avisos;
    bool aceptar = false;
    mascara->OnMaskComplete = [&](TObject*, const AnsiString& v, bool& ok) {
        avisos.push_back(v);
        ok = aceptar;
    };
    Entrar();
    SimulateTyping("0102200");
    Application->ProcessMessages();
    EXPECT_TRUE(avisos.empty()); // a position still blank
    SimulateTyping("3");
    Application->ProcessMessages();
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0], "01/02/2003");
    EXPECT_TRUE(mascara->Focused()); // vetoed

    aceptar = true;
    mascara->SetSelStart(9);
    SimulateTyping("4");
    Application->ProcessMessages();
    EXPECT_EQ(mascara->GetText(), "01/02/2004");
    EXPECT_TRUE(siguiente->Focused());

    // Without AutoTab the event is asked and the focus stays.
    mascara->SetAutoTab(false);
    Entrar();
    mascara->SetSelStart(9);
    SimulateTyping("5");
    Application->ProcessMessages();
    EXPECT_EQ(avisos.size(), 3u);
    EXPECT_TRUE(mascara->Focused());
}

TEST_F(MascaraKav, ReturnComoTabYEscapeDeshaceYAvisaAlPadre) {
    Entrar();
    SimulateKeyStroke(VK_RETURN);
    Application->ProcessMessages();
    EXPECT_TRUE(siguiente->Focused());
    mascara->SetReturnIsTab(false);
    Entrar();
    SimulateKeyStroke(VK_RETURN);
    Application->ProcessMessages();
    EXPECT_TRUE(mascara->Focused());

    int escapes = 0;
    ventana->OnKeyDown = [&](TObject*, WORD& k, TShiftState) { escapes += k == VK_ESCAPE; };
    mascara->SetText("24/12/2020");
    mascara->SetCanUndo(true);
    siguiente->SetFocus();
    for (TAlignment a : {taLeftJustify, taRightJustify}) {
        mascara->SetAlignment(a);
        Entrar();
        SimulateTyping("11");
        EXPECT_EQ(mascara->GetText(), "11/12/2020");
        SimulateKeyStroke(VK_ESCAPE);
        Application->ProcessMessages();
        EXPECT_EQ(mascara->GetText(), "24/12/2020") << a;
    }
    EXPECT_EQ(escapes, 2);
}

TEST_F(MascaraKav, AlEntrarSeleccionaElPrimerCaracterYColoreaElFoco) {
    mascara->SetText("01/02/2003");
    mascara->SetSelectFirstChar(true);
    mascara->SetFocusColor(static_cast<TColor>(0xE0FFFF));
    mascara->SetColorEx(static_cast<TColor>(0xF0F0F0));
    mascara->SetShowModified(true);
    // Entered by the mouse passing over it.
    mascara->SetAutoFocus(true);
    SimulateMouseEnter(mascara);
    ASSERT_TRUE(mascara->Focused());
    EXPECT_EQ(mascara->GetSelStart(), 0);
    EXPECT_EQ(mascara->GetSelLength(), 1);
    EXPECT_EQ(mascara->GetColor(), static_cast<TColor>(0xE0FFFF));
    SimulateTyping("9");
    EXPECT_EQ(mascara->GetFont()->GetColor(), mascara->GetModifiedColor());
    siguiente->SetFocus();
    EXPECT_EQ(mascara->GetColor(), static_cast<TColor>(0xF0F0F0));
    mascara->SetModified(false);
    EXPECT_NE(mascara->GetFont()->GetColor(), mascara->GetModifiedColor());
}

TEST_F(MascaraKav, DeshabilitadoMuestraSuColorYLaEtiquetaLoSigue) {
    mascara->SetLabelCaption("Fecha de alta");
    mascara->SetColorEx(static_cast<TColor>(0xF0F0F0));
    mascara->SetEnabledEx(false);
    EXPECT_EQ(mascara->GetColor(), mascara->GetDisabledColor());
    EXPECT_FALSE(mascara->GetEditLabel()->GetEnabled());
    mascara->SetEnabledEx(true);
    EXPECT_EQ(mascara->GetColor(), static_cast<TColor>(0xF0F0F0));
    EXPECT_TRUE(mascara->GetEditLabel()->GetEnabled());
    mascara->SetLabelAlwaysEnabled(true);
    mascara->SetEnabledEx(false);
    EXPECT_TRUE(mascara->GetEditLabel()->GetEnabled());
    // The label stands left of the edit and follows it.
    EXPECT_LT(mascara->GetEditLabel()->GetLeft() + mascara->GetEditLabel()->GetWidth(),
              mascara->GetLeft());
    mascara->SetLeft(200);
    EXPECT_LT(mascara->GetEditLabel()->GetLeft() + mascara->GetEditLabel()->GetWidth(), 200);
    EXPECT_GT(mascara->GetEditLabel()->GetLeft(), 100);
    // And shows and hides with it.
    mascara->SetVisible(false);
    EXPECT_FALSE(mascara->GetEditLabel()->GetVisible());
    mascara->SetVisible(true);
    EXPECT_TRUE(mascara->GetEditLabel()->GetVisible());
}

TEST_F(MascaraKav, CapturaConEtiqueta) {
    ventana->SetCaption("Edición con máscara");
    ventana->SetColor(clBtnFace);
    siguiente->SetVisible(false);
    mascara->SetLabelCaption("Fecha de alta");
    mascara->SetText("15/03/2024");

    auto* plano = new TKavMaskEdit(ventana.get());
    plano->SetParent(ventana.get());
    plano->SetBounds(120, 160, 120, 21);
    plano->SetEditMask(">LL-0000;1;_");
    plano->SetLabelCaption("Código");
    plano->SetLabelPosition(lpTopLeft);
    plano->SetFlat(true);
    plano->SetFlatLineColor(static_cast<TColor>(0x800000));
    plano->SetText("BC-12");

    auto* hora = new TKavMaskEdit(ventana.get());
    hora->SetParent(ventana.get());
    hora->SetBounds(120, 220, 60, 21);
    hora->SetEditMask("00:00;1;_");
    hora->SetLabelCaption("Hora");
    hora->SetAlignment(taRightJustify);
    hora->SetEnabledEx(false);
    hora->SetText("09:30");
    mascara->SetFocus();

    // The flat edit draws its line in the colour asked, along its bottom row.
    const QImage img = ventana->GetWidget()->grab().toImage();
    const TPoint abajo = ventana->ScreenToClient(plano->ClientToScreen(TPoint(40, 20)));
    const QPoint p = ventana->GetWidget()->mapFromGlobal(
        ventana->GetWidget()->mapToGlobal(QPoint(abajo.x, abajo.y)));
    EXPECT_EQ(img.pixel(p) & 0xFFFFFF, 0x000080u);

    const AnsiString ruta = SaveCapture(ventana.get(), "kav-mask-edit");
    ASSERT_FALSE(ruta.IsEmpty());
    EXPECT_TRUE(FileExists(ruta));
}

} // namespace
