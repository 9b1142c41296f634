// Los diálogos del gestor: el del nombre de grupo y "Acerca de ...", con sus capturas.

#include "tests/Vornak/vornak_prueba.h"

#include "Vornak/VentanaAcercaDe.h"
#include "Vornak/Ventananuevogrupo.h"

#include "comunes/Idioma.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/memo.h"
#include "plataforma/gui/widgets/panels.h"

#include <gtest/gtest.h>

namespace {

using Dialogos = PruebaVornak;

TEST_F(Dialogos, NombreDeGrupo) {
    TforNombreGrupo d(nullptr);
    EXPECT_EQ(d.GetCaption(), "Nuevo grupo");
    EXPECT_EQ(d.GetBorderStyle(), bsDialog);
    EXPECT_EQ(d.GetPosition(), poScreenCenter);
    EXPECT_EQ(d.Label1->GetCaption(), "Nombre del grupo");
    EXPECT_EQ(d.edGrupo->GetMaxLength(), 32);
    EXPECT_EQ(d.edGrupo->GetText(), "Grupo nuevo");
    // Sin controlador, Aceptar cierra; Cancelar también.
    Guion().AnswerShowModal([&](TObject*) { d.btnAceptar->Click(); });
    EXPECT_EQ(d.ShowModal(), mrOk);
    Guion().AnswerShowModal([&](TObject*) { d.btnCancelar->Click(); });
    EXPECT_EQ(d.ShowModal(), mrCancel);
    d.Show();
    EXPECT_FALSE(SaveCapture(&d, "vornak_nombre_grupo").IsEmpty());
}

TEST_F(Dialogos, AcercaDeSegunLaVariante) {
    for (const char* logo : {"logo.jpg", "logoNorvia.jpg"})
        carpeta.Fichero(AnsiString("Lib/") + logo,
                        LeerBytes(AnsiString(QUENBAR_DATOS "/Lib/") + logo));
    for (unsigned char codigo : {0, 2}) {
        Idioma::Instancia()->FijarCodigoParaPruebas(codigo);
        TforAcercade d(nullptr);
        SCOPED_TRACE(int(codigo));
        EXPECT_EQ(d.GetCaption(), "Acerca de ...");
        EXPECT_EQ(d.btnOK->GetCaption(), "OK");
        EXPECT_EQ(d.btnOK->GetModalResult(), mrOk);
        bool regional = codigo == 2;
        EXPECT_EQ(d.pnPanel->GetVisible(), !regional);
        EXPECT_EQ(d.lbTitulo->GetVisible(), regional);
        EXPECT_EQ(d.Version->GetVisible(), regional);
        EXPECT_EQ(d.mmCreditos3->GetVisible(), regional);
        EXPECT_EQ(d.lbEtiqueta->GetCaption(), "Gestor de Base de Datos ");
        d.Show();
        EXPECT_FALSE(
            SaveCapture(&d, regional ? "vornak_acerca_de_regional" : "vornak_acerca_de").IsEmpty());
    }
}

TEST_F(Dialogos, ElMarcoMuestraAcercaDe) {
    Guion().AnswerShowModal([](TObject* f) {
        auto* d = dynamic_cast<TforAcercade*>(f);
        ASSERT_NE(d, nullptr);
        d->btnOK->Click();
    });
    Marco()->Acercade1->Click();
    Application->ProcessMessages();
}

} // namespace
