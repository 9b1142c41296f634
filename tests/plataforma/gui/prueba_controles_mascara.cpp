// The masked edit driven as a user drives it: typed keys, Backspace and Delete, the
// clipboard, Escape, and the check of a required position when the focus leaves.

#include "tests/plataforma/gui/prueba_controles_comun.h"

#include "plataforma/base/regional.h"
#include "plataforma/base/resource_strings.h"
#include "plataforma/gui/services/clipboard.h"
#include "plataforma/gui/widgets/edit.h"
#include "tests/comun/pruebas.h"

namespace {

class Mascara : public PruebaControles {
protected:
    void SetUp() override {
        PruebaControles::SetUp();
        separador_ = GetDateSeparator();
        SetDateSeparator('/');
        edit = new TMaskEdit(ventana.get());
        edit->SetParent(ventana.get());
        edit->SetBounds(10, 10, 200, 21);
        otro = new TEdit(ventana.get());
        otro->SetParent(ventana.get());
        otro->SetBounds(10, 40, 200, 21);
        edit->SetEditMask("!99/99/0000;1;_");
        edit->SetFocus();
        Clipboard()->Clear();
    }
    void TearDown() override {
        SetDateSeparator(separador_);
        PruebaControles::TearDown();
    }
    void Caret(int pos) {
        edit->SetSelStart(pos);
        edit->SetSelLength(0);
    }
    TMaskEdit* edit = nullptr;
    TEdit* otro = nullptr;
    char separador_ = '/';
};

TEST_F(Mascara, LoTecleadoRellenaLasPosicionesYSaltaLosLiterales) {
    EXPECT_EQ(edit->GetEditText(), "__/__/____");
    EXPECT_EQ(edit->GetText(), "  /  /    ");
    int cambios = 0;
    edit->OnChange = [&](TObject*) { ++cambios; };
    Caret(0);
    SimulateTyping("12x05");
    EXPECT_EQ(edit->GetEditText(), "12/05/____");
    EXPECT_EQ(edit->GetSelStart(), 6);
    EXPECT_EQ(cambios, 4); // the refused letter changes nothing
    EXPECT_TRUE(edit->GetModified());
    SimulateTyping("2024");
    EXPECT_EQ(edit->GetText(), "12/05/2024");

    // Backspace blanks the position before the caret, stepping over the literal; Delete
    // blanks the one at the caret; neither moves what follows.
    Caret(3);
    SimulateKeyStroke(VK_BACK);
    EXPECT_EQ(edit->GetEditText(), "1_/05/2024");
    EXPECT_EQ(edit->GetSelStart(), 1);
    Caret(6);
    SimulateKeyStroke(VK_DELETE);
    EXPECT_EQ(edit->GetEditText(), "1_/05/_024");
    // A selection is blanked and the character typed goes to its start.
    edit->SetSelStart(3);
    edit->SetSelLength(7);
    SimulateTyping("7");
    EXPECT_EQ(edit->GetEditText(), "1_/7_/____");
}

TEST_F(Mascara, ElTextoSinLiteralesYElQuePoneElPrograma) {
    edit->SetEditMask("!99/99/0000;0;_");
    edit->SetText("01022003");
    EXPECT_EQ(edit->GetEditText(), "01/02/2003");
    EXPECT_EQ(edit->GetText(), "01022003");
    // Text set through the control's base keeps the mask's shape.
    static_cast<TControl*>(edit)->SetText("3x");
    EXPECT_EQ(edit->GetEditText(), "3_/__/____");
    // A new mask keeps the text; no mask leaves the window text as it is.
    edit->SetText("12345678");
    edit->SetEditMask("00-00;0;*");
    EXPECT_EQ(edit->GetEditText(), "12-34");
    edit->SetEditMask("");
    EXPECT_FALSE(edit->IsMasked());
    EXPECT_EQ(edit->GetText(), "12-34");
}

TEST_F(Mascara, PegarCortarYBorrarPasanPorLaMascara) {
    Caret(0);
    Clipboard()->SetAsText("12/05/20249\r\notra");
    SimulateKeyStroke('V', {ssCtrl});
    EXPECT_EQ(edit->GetEditText(), "12/05/2024");
    Clipboard()->SetAsText("31");
    Caret(3);
    SimulateKeyStroke('V', {ssCtrl});
    EXPECT_EQ(edit->GetEditText(), "12/31/2024");
    EXPECT_EQ(edit->GetSelStart(), 6);

    edit->SetSelStart(0);
    edit->SetSelLength(5);
    SimulateKeyStroke('X', {ssCtrl});
    EXPECT_EQ(Clipboard()->GetAsText(), "12/31");
    EXPECT_EQ(edit->GetEditText(), "__/__/2024");
    edit->SetSelStart(6);
    edit->SetSelLength(2);
    edit->ClearSelection();
    EXPECT_EQ(edit->GetEditText(), "__/__/__24");

    // Keys that the window's own edit takes as deleting words keep the mask's shape.
    edit->SetText("01/02/2003");
    Caret(0);
    SimulateKeyStroke(VK_DELETE, {ssCtrl});
    Caret(10);
    SimulateKeyStroke(VK_BACK, {ssCtrl});
    EXPECT_EQ(edit->GetEditText(), "_1/02/2003");

    edit->SetReadOnly(true);
    Caret(0);
    SimulateTyping("1");
    SimulateKeyStroke('V', {ssCtrl});
    EXPECT_EQ(edit->GetEditText(), "_1/02/2003");
}

TEST_F(Mascara, AlSalirUnaPosicionObligatoriaVaciaDaElMensajeYDevuelveElFoco) {
    // Unchanged, the edit is left without a check.
    otro->SetFocus();
    EXPECT_TRUE(Guion().ShownBoxes().empty());

    edit->SetFocus();
    Caret(0);
    SimulateTyping("1205");
    Guion().AnswerMessageBox(IDOK);
    SimulateClick(otro, 5, 5);
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    EXPECT_EQ(Guion().ShownBoxes()[0].text, SMaskEditErr);
    EXPECT_TRUE(edit->Focused());
    EXPECT_EQ(edit->GetSelStart(), 6);
    EXPECT_THROW(edit->ValidateEdit(), EDBEditError);

    // Complete, it lets the focus go.
    SimulateTyping("2024");
    SimulateClick(otro, 5, 5);
    EXPECT_TRUE(otro->Focused());
    EXPECT_NO_THROW(edit->ValidateEdit());
    EXPECT_EQ(Guion().ShownBoxes().size(), 1u);
}

TEST_F(Mascara, EscapeDevuelveElTextoDeLaEntrada) {
    edit->SetText("01/02/2003");
    otro->SetFocus();
    edit->SetFocus();
    Caret(0);
    SimulateTyping("99");
    EXPECT_EQ(edit->GetEditText(), "99/02/2003");
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_EQ(edit->GetEditText(), "01/02/2003");
    EXPECT_FALSE(edit->GetModified());
}

} // namespace
