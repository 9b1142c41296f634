#include "plataforma/base/modal_hooks.h"
#include "plataforma/base/scripted_modal_hooks.h"

#include "tests/comun/pruebas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(ModalHooks, LasRespuestasDelGuionSeUsanEnOrden) {
    Guion().AnswerMessageBox(IDNO);
    Guion().AnswerMessageBox(IDCANCEL);
    Guion().ExpectShowMessage();
    EXPECT_EQ(Guion().PendingAnswers(), 3);

    ModalHooks& hooks = GetModalHooks();
    EXPECT_EQ(hooks.MessageBox("¿Guardar los cambios?", "Vornak", MB_YESNOCANCEL | MB_ICONQUESTION),
              IDNO);
    ShowMessage("Base de datos guardada");
    EXPECT_EQ(hooks.MessageBox("¿Salir?", "Aviso", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(Guion().PendingAnswers(), 0);

    const auto& vistos = Guion().ShownBoxes();
    ASSERT_EQ(vistos.size(), 3u);
    EXPECT_EQ(vistos[0].kind, ScriptedModalHooks::Kind::MessageBox);
    EXPECT_EQ(vistos[0].text, "¿Guardar los cambios?");
    EXPECT_EQ(vistos[0].caption, "Vornak");
    EXPECT_EQ(vistos[0].flags, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(vistos[1].kind, ScriptedModalHooks::Kind::ShowMessage);
    EXPECT_EQ(vistos[1].text, "Base de datos guardada");
    EXPECT_EQ(vistos[2].flags & MB_DEFMASK, MB_DEFBUTTON2);
}

TEST(ModalHooks, BotonPorDefecto) {
    struct Caso {
        unsigned flags;
        int respuesta;
    } casos[] = {
        {MB_OK, IDOK},
        {MB_OK | MB_DEFBUTTON2 | MB_ICONERROR, IDOK},
        {MB_OKCANCEL, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_OKCANCEL | MB_DEFBUTTON3, IDOK},
        {MB_ABORTRETRYIGNORE, IDABORT},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, IDIGNORE},
        {MB_YESNOCANCEL | MB_ICONQUESTION, IDYES},
        {MB_YESNOCANCEL | MB_DEFBUTTON2, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3 | MB_ICONWARNING, IDCANCEL},
        {MB_YESNO, IDYES},
        {MB_YESNO | MB_DEFBUTTON2 | MB_TASKMODAL, IDNO},
        {MB_YESNO | MB_DEFBUTTON3, IDYES},
        {MB_RETRYCANCEL, IDRETRY},
        {MB_RETRYCANCEL | MB_DEFBUTTON2, IDCANCEL},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(DefaultButtonAnswer(c.flags), c.respuesta) << std::hex << c.flags;
}

TEST(ModalHooks, UnaVentanaNoEsperadaLlamaAlManejadorDeFallos) {
    ScriptedModalHooks local;
    std::vector<std::string> fallos;
    local.SetFailureHandler([&](const std::string& m) { fallos.push_back(m); });

    EXPECT_EQ(local.MessageBox("¿Borrar «Ñu»?", "Vornak", MB_YESNO | MB_DEFBUTTON2), IDNO);
    local.ShowMessage("Hecho");
    ASSERT_EQ(fallos.size(), 2u);
    // The failure text is UTF-8, for the test report.
    EXPECT_EQ(fallos[0], "MessageBox no esperado: \xC2\xBF"
                         "Borrar \xC2\xAB\xC3\x91u\xC2\xBB?");
    EXPECT_EQ(fallos[1], "ShowMessage no esperado: Hecho");
    EXPECT_EQ(local.ShownBoxes().size(), 2u); // recorded all the same

    // A scripted answer is used even where the default would differ; AllowAll lets anything by.
    local.AnswerMessageBox(IDYES);
    EXPECT_EQ(local.MessageBox("x", "y", MB_YESNO | MB_DEFBUTTON2), IDYES);
    local.AllowAll();
    EXPECT_EQ(local.MessageBox("z", "y", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    local.ShowMessage("w");
    EXPECT_EQ(fallos.size(), 2u);

    local.Reset();
    EXPECT_TRUE(local.ShownBoxes().empty());
    local.MessageBox("tras Reset", "", MB_OK);
    EXPECT_EQ(fallos.size(), 3u);
}

TEST(ModalHooks, SinGanchosInstaladosNadaSeMuestraYRespondeElBotonPorDefecto) {
    SetModalHooks(nullptr);
    int respuesta = GetModalHooks().MessageBox("¿Seguir?", "", MB_YESNO | MB_DEFBUTTON2);
    ShowMessage("nadie lo ve");
    GetModalHooks().ProcessMessages();
    SetModalHooks(&Guion());
    EXPECT_EQ(respuesta, IDNO);
    EXPECT_TRUE(Guion().ShownBoxes().empty());

    GetModalHooks().ProcessMessages();
    EXPECT_EQ(Guion().ProcessMessagesCalls(), 1);
}
