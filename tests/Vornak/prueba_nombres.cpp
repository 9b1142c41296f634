// Los nombres de los elementos y de los grupos, cambiados en los editores y en el diálogo de
// grupo como los cambia un usuario: lo que un fichero no guarda, lo que ya tiene otro y lo
// que está en uso se rechaza diciendo por qué; un grupo renombrado arrastra a los huecos que
// lo eligen.

#include "tests/Vornak/editores_prueba.h"

#include "Vornak/Ventananuevogrupo.h"

#include "comunes/GestorBD.h"
#include "comunes/bdPuentesTermicos.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/forms/menus.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

class Nombres : public PruebaEditores {
protected:
    void SetUp() override {
        PruebaEditores::SetUp();
        base = carpeta.Fichero("Lib/cada_tipo.bdc", BaseDeCadaTipo());
    }
    // Teclea el nombre y acepta, con la caja de aviso contestada: su texto.
    AnsiString Renombrar(TCustomEdit* campo, TButton* aceptar, const AnsiString& nombre) {
        const size_t antes = Guion().ShownBoxes().size();
        Teclear(campo, nombre);
        Guion().AnswerMessageBox(IDOK);
        Pulsar(aceptar);
        EXPECT_EQ(Guion().ShownBoxes().size(), antes + 1) << nombre.c_str();
        return Guion().ShownBoxes().size() > antes ? Guion().ShownBoxes().back().text
                                                   : AnsiString();
    }
    // Teclea un nombre que se toma sin aviso y acepta.
    void RenombrarBien(TCustomEdit* campo, TButton* aceptar, const AnsiString& nombre) {
        const size_t antes = Guion().ShownBoxes().size();
        Teclear(campo, nombre);
        Pulsar(aceptar);
        EXPECT_EQ(Guion().ShownBoxes().size(), antes) << nombre.c_str();
    }
    // Cambia el nombre del grupo seleccionado con el diálogo; con un nombre rechazado, el
    // diálogo sigue abierto y se cancela.
    void CambiarGrupo(TMenuItem* orden, const AnsiString& nombre) {
        Guion().AnswerShowModal([nombre](TObject* f) {
            auto* d = static_cast<TforNombreGrupo*>(f);
            d->edGrupo->SetText(nombre);
            d->btnAceptar->Click();
            if (d->GetVisible()) d->btnCancelar->Click();
        });
        orden->Click();
    }

    AnsiString base;
};

// Cada tipo de elemento rechaza del mismo modo, y con un aviso que dice por qué, un nombre
// que el fichero no guardaría tal cual, el de otro elemento y uno vacío; el nombre y el nodo
// se quedan como estaban. Uno bueno se toma.
TEST_F(Nombres, CadaTipoRechazaLoQueNoPuedeGuardarYDiceElMotivo) {
    AbrirDelMenu(base);
    TforGestorBD* v = Ventana();
    struct Tipo {
        TipoObjeto tipo;
        std::vector<const char*> camino;
        TCustomEdit* campo;
        TButton* aceptar;
        const char* queEs;
        const char* otro; // el nombre de otro elemento de su base
    } tipos[] = {
        {TIPO_MATERIAL,
         {"Opacos", "Materiales y productos", "Fabricas", "Suelto"},
         v->edNombreMat,
         v->btnAceptarMat,
         "material",
         "Ladrillo"},
        {TIPO_CERRAMIENTO,
         {"Opacos", "Cerramientos y particiones interiores", "Muros", "Tabique"},
         v->edNombreCer,
         v->btnAceptarCer,
         "cerramiento",
         "Muro"},
        {TIPO_ACRISTALAMIENTO,
         {"Semitransparentes", "Vidrios", "Simples", "Simple"},
         v->edNombreAcr,
         v->btnAceptarAcr,
         "vidrio",
         "Doble"},
        {TIPO_MARCO,
         {"Semitransparentes", "Marcos", "Metalicos", "Aluminio"},
         v->edNombreMar,
         v->btnAceptarMar,
         "marco",
         "Madera"},
        {TIPO_HUECO,
         {"Semitransparentes", "Huecos y lucernarios", "Ventanas", "Puerta"},
         v->edNombreHue,
         v->btnAceptarHue,
         "hueco",
         "Ventana"},
        {TIPO_PUENTE_TERMICO,
         {"Puentes térmicos", "Frentes", "Frente"},
         v->edNombrePue,
         v->btnAceptarPue,
         "puente térmico",
         "Pilar"},
    };
    for (const Tipo& t : tipos) {
        const AnsiString nombre = t.camino.back();
        SCOPED_TRACE(nombre.c_str());
        ASSERT_NE(Elegir(t.camino), nullptr);
        ObjetoBase* e = Elemento(t.tipo, nombre.c_str());
        ASSERT_NE(e, nullptr);
        const AnsiString incorrecto = AnsiString("El nombre del ") + t.queEs + " es incorrecto.";
        const struct {
            AnsiString texto, aviso;
        } rechazos[] = {
            {"Puente \"tipo\" = X", incorrecto},
            {"Dos  blancos", incorrecto}, // la lectura los junta en uno
            {t.otro, AnsiString("El nombre ") + t.otro + " está siendo utilizado.\n"},
            {"", AnsiString("El nombre del ") + t.queEs + " no puede quedar vacío."},
        };
        for (const auto& r : rechazos) {
            EXPECT_EQ(Renombrar(t.campo, t.aceptar, r.texto), r.aviso) << r.texto.c_str();
            EXPECT_EQ(e->ObtenerNombre(), nombre);
            EXPECT_EQ(v->tvBaseDatos->GetSelected()->GetText(), nombre);
            EXPECT_EQ(Elemento(t.tipo, t.otro)->ObtenerNombre(), t.otro);
        }
        // Ningún aviso de cambiar el nombre habla del edificio salvo el de un elemento en uso.
        for (const auto& caja : Guion().ShownBoxes())
            EXPECT_EQ(caja.text.Pos("edificio"), 0) << caja.text.c_str();
        RenombrarBien(t.campo, t.aceptar, "Nombre nuevo");
        EXPECT_EQ(e->ObtenerNombre(), "Nombre nuevo");
        EXPECT_EQ(v->tvBaseDatos->GetSelected()->GetText(), "Nombre nuevo");
    }
    // El aviso, en el campo del nombre en rojo.
    Elegir({"Opacos", "Materiales y productos", "Fabricas", "Nombre nuevo"});
    Renombrar(v->edNombreMat, v->btnAceptarMat, "Con \"comillas\"");
    EXPECT_EQ(v->edNombreMat->GetFont()->GetColor(), static_cast<TColor>(ESTADO_RECHAZADO));
    Capturar("nombre_rechazado");
}

// Un puente térmico admite letras con acento, pero no comillas ni el nombre de otro puente:
// la base guardada se vuelve a abrir con todos sus puentes y sus nombres.
TEST_F(Nombres, LosPuentesRenombradosVuelvenTodosAlAbrirLaBase) {
    AbrirDelMenu(base);
    TforGestorBD* v = Ventana();
    Elegir({"Puentes térmicos", "Frentes", "Frente"});
    EXPECT_EQ(Renombrar(v->edNombrePue, v->btnAceptarPue, "Puente \"tipo\" = X"),
              "El nombre del puente térmico es incorrecto.");
    EXPECT_EQ(Renombrar(v->edNombrePue, v->btnAceptarPue, "Pilar"),
              "El nombre Pilar está siendo utilizado.\n");
    RenombrarBien(v->edNombrePue, v->btnAceptarPue, "Unión de forjado, tipo 2");
    const AnsiString guardada = carpeta.Fichero("Lib/guardada.bdc", "");
    ASSERT_TRUE(Actual()->Guardar(guardada));

    GestorBD leida("leida", LISTA_USUARIO);
    leida.Cargar(guardada);
    TStringList nombres;
    leida.PuentesTermicos()->ListarNombres(nombres);
    nombres.Sort();
    EXPECT_EQ(nombres.GetCommaText(), "Pilar,\"Unión de forjado, tipo 2\"");
}

// Un material y un puente renombrados se guardan con el nombre nuevo también en su clave
// NAME: la base se vuelve a abrir y, guardada sin tocar nada, da los mismos bytes.
TEST_F(Nombres, LoRenombradoSeGuardaConSuNombreNuevoEnTodasPartes) {
    AbrirDelMenu(base);
    TforGestorBD* v = Ventana();
    Elegir({"Opacos", "Materiales y productos", "Fabricas", "Suelto"});
    RenombrarBien(v->edNombreMat, v->btnAceptarMat, "Poliestireno extruido");
    Elegir({"Puentes térmicos", "Frentes", "Frente"});
    RenombrarBien(v->edNombrePue, v->btnAceptarPue, "Frente de forjado");
    Marco()->mnuGuardar->Click();
    const std::string guardado = LeerBytes(base);
    for (const char* nombre : {"Suelto", "Frente"})
        EXPECT_EQ(guardado.find(std::string("\"") + nombre + "\""), std::string::npos) << nombre;
    EXPECT_NE(guardado.find("NAME          = \"Poliestireno extruido\""), std::string::npos);
    EXPECT_NE(guardado.find("NAME          = \"Frente de forjado\""), std::string::npos);

    CerrarMarco();
    marco.reset();
    AbrirDelMenu(base);
    Marco()->mnuGuardar->Click();
    EXPECT_EQ(LeerBytes(base), guardado);
}

// Un elemento en uso no cambia de nombre, con el mensaje del elemento en uso: lo decide lo
// mismo que decide si se puede eliminar. La marca que deja el guardado en los materiales de
// las capas se escribe, pero no impide eliminarlos cuando ya nadie los usa.
TEST_F(Nombres, UnElementoEnUsoNoCambiaDeNombreNiSeElimina) {
    AbrirDelMenu(base);
    TforGestorBD* v = Ventana();
    const AnsiString enUso = "No se puede cambiar el nombre. \nEstá siendo utilizado en el "
                             "edificio.  \n";
    struct {
        TipoObjeto tipo;
        std::vector<const char*> camino;
        TCustomEdit* campo;
        TButton* aceptar;
    } usados[] = {
        {TIPO_MATERIAL,
         {"Opacos", "Materiales y productos", "Fabricas", "Ladrillo"},
         v->edNombreMat,
         v->btnAceptarMat},
        {TIPO_MATERIAL,
         {"Opacos", "Materiales y productos", "Fabricas", "Marcado"},
         v->edNombreMat,
         v->btnAceptarMat},
        {TIPO_ACRISTALAMIENTO,
         {"Semitransparentes", "Vidrios", "Dobles", "Doble"},
         v->edNombreAcr,
         v->btnAceptarAcr},
        {TIPO_MARCO,
         {"Semitransparentes", "Marcos", "Maderas", "Madera"},
         v->edNombreMar,
         v->btnAceptarMar},
    };
    for (const auto& u : usados) {
        const AnsiString nombre = u.camino.back();
        SCOPED_TRACE(nombre.c_str());
        Elegir(u.camino);
        EXPECT_EQ(Renombrar(u.campo, u.aceptar, "Otro nombre"), enUso);
        EXPECT_NE(Elemento(u.tipo, nombre.c_str()), nullptr);
        Guion().AnswerMessageBox(IDYES);
        Guion().AnswerMessageBox(IDOK);
        Actual()->Eliminar();
        EXPECT_GT(Guion().ShownBoxes().back().text.Pos("no puede ser eliminado"), 0);
        EXPECT_NE(Elemento(u.tipo, nombre.c_str()), nullptr);
    }

    // Guardar escribe el ladrillo como utilizado, y lo sigue escribiendo así.
    const AnsiString guardada = carpeta.Fichero("Lib/guardada.bdc", "");
    ASSERT_TRUE(Actual()->Guardar(guardada));
    const std::string texto = LeerBytes(guardada);
    const size_t ladrillo = texto.find("\"Ladrillo\" = MATERIAL");
    ASSERT_NE(ladrillo, std::string::npos);
    EXPECT_EQ(texto.substr(texto.find("UTIL", ladrillo), 20), "UTIL          =  YES");
    // Sin los cerramientos que lo usan, el ladrillo cambia de nombre y se elimina.
    for (const char* cerramiento : {"Muro", "Tabique"}) {
        Elegir({"Opacos", "Cerramientos y particiones interiores", "Muros", cerramiento});
        Guion().AnswerMessageBox(IDYES);
        Actual()->Eliminar();
        EXPECT_EQ(Elemento(TIPO_CERRAMIENTO, cerramiento), nullptr);
    }
    Elegir({"Opacos", "Materiales y productos", "Fabricas", "Ladrillo"});
    RenombrarBien(v->edNombreMat, v->btnAceptarMat, "Ladrillo viejo");
    Guion().AnswerMessageBox(IDYES);
    Actual()->Eliminar();
    EXPECT_EQ(Elemento(TIPO_MATERIAL, "Ladrillo viejo"), nullptr);
}

// Renombrar un grupo de vidrios o de marcos lleva a los huecos que eligen sus miembros; un
// grupo no toma el nombre de otro, aunque esté vacío, ni uno que el fichero no guarda.
TEST_F(Nombres, LosGruposRenombrados) {
    AbrirDelMenu(base);
    TforGestorBD* v = Ventana();
    Elegir({"Semitransparentes", "Vidrios", "Dobles"});
    CambiarGrupo(v->pmnuCambiarGVidrio, "Dobles nuevos");
    Elegir({"Semitransparentes", "Marcos", "Maderas"});
    CambiarGrupo(v->pmnuCambiarGMarco, "Pino");
    for (const char* nombre : {"Ventana", "Puerta"}) {
        ObjetoBase* h = Elemento(TIPO_HUECO, nombre);
        EXPECT_EQ(Valor(h, "Grupo Acristalamiento"), "Dobles nuevos") << nombre;
        EXPECT_EQ(Valor(h, "Grupo Marco"), "Pino") << nombre;
    }
    Elegir({"Semitransparentes", "Huecos y lucernarios", "Ventanas", "Ventana"});
    EXPECT_EQ(v->cbGrupoVidrio->GetText(), "Dobles nuevos");
    EXPECT_EQ(v->cbAcristalamiento->GetText(), "Doble");
    EXPECT_EQ(v->cbMarco->GetText(), "Madera");

    // Un grupo vacío, recién creado, tiene ya su nombre.
    TTreeNode* vidrios = Elegir({"Semitransparentes", "Vidrios"});
    Guion().AnswerShowModal([](TObject* f) {
        auto* d = static_cast<TforNombreGrupo*>(f);
        d->edGrupo->SetText("Vacio");
        d->btnAceptar->Click();
    });
    v->pmnuCGVid->Click();
    ASSERT_NE(Nodo(v, {"Semitransparentes", "Vidrios", "Vacio"}), nullptr);
    Elegir({"Semitransparentes", "Vidrios", "Simples"});
    Guion().AnswerMessageBox(IDOK);
    CambiarGrupo(v->pmnuCambiarGVidrio, "Vacio");
    EXPECT_EQ(Guion().ShownBoxes().back().text, "El nombre del grupo ya está siendo utilizado");
    Guion().AnswerMessageBox(IDOK);
    CambiarGrupo(v->pmnuCambiarGVidrio, "Con \"comillas\"");
    EXPECT_EQ(Guion().ShownBoxes().back().text, "El nombre del grupo es incorrecto.");
    int vacios = 0;
    for (TTreeNode* n = vidrios->getFirstChild(); n; n = n->getNextSibling())
        vacios += n->GetText() == "Vacio";
    EXPECT_EQ(vacios, 1);
    EXPECT_EQ(Valor(Elemento(TIPO_ACRISTALAMIENTO, "Simple"), "Grupo"), "Simples");
}

// Un marco que se llama como el vidrio de un hueco no está en uso por eso, ni un vidrio que
// se llama como el marco de un hueco: se renombran y se eliminan como los que nadie usa.
TEST_F(Nombres, UnaParteNoEstaEnUsoPorLaDeOtroTipoQueSeLlamaIgual) {
    AbrirDelMenu(base);
    TforGestorBD* v = Ventana();
    const struct {
        std::vector<const char*> grupo;
        const char* nombre;
        TCustomEdit* campo;
        TButton* aceptar;
        const char* delOtro; // la parte del otro tipo que usan los huecos
        TipoObjeto tipo;
    } casos[] = {
        {{"Semitransparentes", "Marcos", "Metalicos"},
         "Aluminio",
         v->edNombreMar,
         v->btnAceptarMar,
         "Doble",
         TIPO_MARCO},
        {{"Semitransparentes", "Vidrios", "Simples"},
         "Simple",
         v->edNombreAcr,
         v->btnAceptarAcr,
         "Madera",
         TIPO_ACRISTALAMIENTO},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        std::vector<const char*> camino = c.grupo;
        camino.push_back(c.nombre);
        ASSERT_NE(Elegir(camino), nullptr);
        RenombrarBien(c.campo, c.aceptar, c.delOtro);
        ASSERT_NE(Elemento(c.tipo, c.delOtro), nullptr);
        // Con el nombre de la parte en uso del otro tipo, se vuelve a renombrar...
        RenombrarBien(c.campo, c.aceptar, "Sobrante");
        EXPECT_EQ(Elemento(c.tipo, c.delOtro), nullptr);
        RenombrarBien(c.campo, c.aceptar, c.delOtro);
        // ...y se elimina.
        camino.back() = c.delOtro;
        ASSERT_NE(Elegir(camino), nullptr);
        Guion().AnswerMessageBox(IDYES);
        Marco()->mnuEliminar->Click();
        EXPECT_EQ(Guion().ShownBoxes().back().text,
                  AnsiString("¿Realmente desea eliminar  ") + c.delOtro + "? ");
        EXPECT_EQ(Elemento(c.tipo, c.delOtro), nullptr);
    }
    // La parte que los huecos sí usan sigue en uso.
    Elegir({"Semitransparentes", "Marcos", "Maderas", "Madera"});
    EXPECT_EQ(Renombrar(v->edNombreMar, v->btnAceptarMar, "Roble").IsEmpty(), false);
    EXPECT_NE(Elemento(TIPO_MARCO, "Madera"), nullptr);
}

} // namespace
