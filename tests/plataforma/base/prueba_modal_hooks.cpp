#include "plataforma/base/modal_hooks.h"
#include "plataforma/base/object.h"
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

namespace {

// A modal form as the hooks see it: closes when its result is set, unless it refuses once.
class FormaFalsa : public ModalRun {
public:
    TObject* Form() override { return &objeto; }
    AnsiString Caption() const override { return "Nuevo grupo"; }
    AnsiString Name() const override { return "forNombreGrupo"; }
    void SetModalResult(int r) override { resultado = r; }
    bool Finished() override {
        if (resultado != 0 && rechazos > 0) {
            --rechazos;
            resultado = 0;
        }
        return resultado != 0;
    }
    TObject objeto;
    int resultado = 0;
    int rechazos = 0;
};

} // namespace

TEST(ModalHooks, DialogosFormulariosModalesYShellSeRespondenYSeRegistran) {
    FileDialogRequest r;
    r.kind = FileDialogRequest::Kind::Save;
    r.title = "Guardar a librería";
    r.filter = "Ficheros Vornak ( *.bdc)|*.BDC";
    r.initialDir = "LIB\\";
    r.defaultExt = "INP";
    Guion().AnswerFileDialog("LIB\\nueva.inp", 1);
    Guion().CancelFileDialog();
    EXPECT_TRUE(GetModalHooks().FileDialog(r));
    EXPECT_EQ(r.files, (std::vector<AnsiString>{"LIB\\nueva.inp"}));
    FileDialogRequest otra;
    EXPECT_FALSE(GetModalHooks().FileDialog(otra));
    EXPECT_TRUE(otra.files.empty());

    // Steps run while the form stays open; a refusal gets another try.
    FormaFalsa forma;
    forma.rechazos = 1;
    int pasos = 0;
    Guion().AnswerShowModal(std::vector<std::function<void(TObject*)>>{
        [&](TObject* o) {
            EXPECT_EQ(o, &forma.objeto);
            ++pasos;
            forma.SetModalResult(IDOK);
        },
        [&](TObject*) {
            ++pasos;
            forma.SetModalResult(IDCANCEL);
        },
        [&](TObject*) { ++pasos; }}); // not reached: the form closed
    GetModalHooks().RunModal(forma);
    EXPECT_EQ(pasos, 2);
    EXPECT_EQ(forma.resultado, IDCANCEL);

    Guion().AnswerShellExecute(SE_ERR_FNF);
    EXPECT_EQ(GetModalHooks().ShellExecute("open", "informe.pdf", "", "", 3), SE_ERR_FNF);
    EXPECT_EQ(Guion().PendingAnswers(), 0);

    const auto& vistos = Guion().ShownBoxes();
    ASSERT_EQ(vistos.size(), 4u);
    EXPECT_EQ(vistos[0].kind, ScriptedModalHooks::Kind::FileDialog);
    EXPECT_EQ(vistos[0].dialogKind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(vistos[0].caption, "Guardar a librería");
    EXPECT_EQ(vistos[0].filter, "Ficheros Vornak ( *.bdc)|*.BDC");
    EXPECT_EQ(vistos[0].initialDir, "LIB\\");
    EXPECT_EQ(vistos[0].defaultExt, "INP");
    EXPECT_EQ(vistos[2].kind, ScriptedModalHooks::Kind::ShowModal);
    EXPECT_EQ(vistos[2].caption, "Nuevo grupo");
    EXPECT_EQ(vistos[2].text, "forNombreGrupo");
    EXPECT_EQ(vistos[3].kind, ScriptedModalHooks::Kind::ShellExecute);
    EXPECT_EQ(vistos[3].text, "informe.pdf");
    EXPECT_EQ(vistos[3].caption, "open");
    EXPECT_EQ(vistos[3].flags, 3u);
}

TEST(ModalHooks, LoQueElGuionNoEsperaFallaYNoBloquea) {
    ScriptedModalHooks local;
    std::vector<std::string> fallos;
    local.SetFailureHandler([&](const std::string& m) { fallos.push_back(m); });
    FileDialogRequest r;
    r.title = "Abrir";
    EXPECT_FALSE(local.FileDialog(r));
    FormaFalsa forma;
    local.RunModal(forma);
    EXPECT_EQ(forma.resultado, 0); // the form ends as the layer decides (cancelled)
    local.AnswerShowModal([](TObject*) {});
    local.RunModal(forma);
    EXPECT_EQ(local.ShellExecute("open", "a.pdf", "", "", 1), 42);
    ASSERT_EQ(fallos.size(), 4u);
    EXPECT_EQ(fallos[0], "FileDialog no esperado: Abrir");
    EXPECT_EQ(fallos[1], "ShowModal no esperado: Nuevo grupo");
    EXPECT_EQ(fallos[2], "ShowModal: el guion dejo abierto el formulario Nuevo grupo");
    EXPECT_EQ(fallos[3], "ShellExecute no esperado: a.pdf");
    // Without the silent default's windows nothing opens either.
    SetModalHooks(nullptr);
    FileDialogRequest s;
    bool elegido = GetModalHooks().FileDialog(s);
    int shell = GetModalHooks().ShellExecute("open", "a.pdf", "", "", 1);
    SetModalHooks(&Guion());
    EXPECT_FALSE(elegido);
    EXPECT_EQ(shell, SE_ERR_NOASSOC);
}
