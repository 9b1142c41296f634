// Error: el catálogo de mensajes en los dos idiomas, los nombres de tipo y las demás cajas.

#include "comunes/Error.h"
#include "comunes/Idioma.h"
#include "tests/comun/pruebas.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class PruebaError : public testing::Test {
protected:
    void TearDown() override {
        Error::Liberar();
        Idioma::Liberar();
    }
    static void Variante(unsigned char codigo) {
        Idioma::Instancia()->FijarCodigoParaPruebas(codigo);
    }
};

TEST_F(PruebaError, MensajesDelCatalogo) {
    struct Caso {
        unsigned char idioma;
        unsigned char codigo;
        const char* argumento;
        const char* texto;
        const char* titulo;
        unsigned flags;
    } casos[] = {
        {0, 0, "C:\\bd\\a.bdc", "No se puede abrir el fichero: C:\\bd\\a.bdc.\n", "Información",
         MB_ICONINFORMATION},
        {0, 0, "", "No se puede abrir el fichero: .\n", "Información", MB_ICONINFORMATION},
        {1, 0, "x.bdc", "It was impossible to open the file: x.bdc.\n", "Information",
         MB_ICONINFORMATION},
        {2, 0, "x", "No se puede abrir el fichero: x.\n", "Información", MB_ICONINFORMATION},
        {0, 6, "", "Antes de mostrar los resultados hay q calcular.\n", "Error de omisión",
         MB_ICONINFORMATION},
        {1, 6, "", "Before showing results it is necessary to accomplish calculations.\n",
         "Omission error", MB_ICONINFORMATION},
        {0, 8, "P1", "El Polígono \"P1\" que está utilizando aun no ha sido definido.\n",
         "Información", MB_ICONINFORMATION},
        {1, 11, "E", "The building \"E\" is not correctly defined.", "Information",
         MB_ICONINFORMATION},
        {0, 18, "", "El polígono es incorrecto.\nAlgún lado del polígono se cruza con otro.\n",
         "Información", MB_ICONWARNING},
        {1, 29, "", "There aren´t Roof. No CoolPanel has been defined. \n", "Information",
         MB_ICONWARNING},
        {0, 30, "", "La librería está corrupta. Póngase en contacto con su administrador.\n",
         "Error", MB_ICONERROR},
        {1, 45, "", "It has been impossible to read savings result file.\n", "Error", MB_ICONERROR},
        {0, 52, "",
         "Ha definido un elemento con 30 vértices. \nSi añade un nuevo vértice a este elemento "
         "el fichero generado no será compatible con Dumvat\n",
         "Información", MB_ICONINFORMATION},
        {0, 59, "Ladrillo",
         "El elemento Ladrillo no puede ser eliminado.\n Puede que este siendo utilizado por "
         "otro elemento.\n",
         "Información", MB_ICONINFORMATION},
        {0, 60, "", "No se puede cambiar el nombre. \nEstá siendo utilizado en el edificio.  \n",
         "Información", MB_ICONINFORMATION},
        {0, 64, "Usuario", "La librería Usuario es estándar.\n", "Información", MB_ICONINFORMATION},
        {0, 65, "nombre", "Rellene los datos siguientes:\n nombre.\n", "Información",
         MB_ICONINFORMATION},
        // Códigos sin texto en ese idioma: una caja vacía.
        {1, 60, "", "", "", MB_OK},
        {0, 45, "", "", "", MB_OK},
        {0, 20, "", "", "", MB_OK},
        {1, 44, "", "", "", MB_OK},
        {0, 66, "", "", "", MB_OK},
        {1, 50, "", "", "", MB_OK},
        {0, 200, "", "", "", MB_OK},
        {1, 200, "", "", "", MB_OK},
    };
    for (const Caso& caso : casos) {
        Variante(caso.idioma);
        Guion().Reset();
        Guion().AnswerMessageBox(IDOK);
        Error::Instancia()->Mensaje(caso.codigo, caso.argumento);
        ASSERT_EQ(Guion().ShownBoxes().size(), 1u) << int(caso.codigo);
        const ScriptedModalHooks::Shown& caja = Guion().ShownBoxes()[0];
        EXPECT_EQ(caja.text.str(), caso.texto) << int(caso.idioma) << "/" << int(caso.codigo);
        EXPECT_EQ(caja.caption.str(), caso.titulo) << int(caso.idioma) << "/" << int(caso.codigo);
        EXPECT_EQ(caja.flags, caso.flags) << int(caso.idioma) << "/" << int(caso.codigo);
    }
}

TEST_F(PruebaError, OtraVarianteNoMuestraNada) {
    Variante(3);
    Error::Instancia()->Mensaje(0, "x");
    Guion().AnswerMessageBox(IDOK);
    Error::Instancia()->MensajeEspanol(99, "x"); // las tablas sí muestran: caja vacía
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    EXPECT_EQ(Guion().ShownBoxes()[0].text.str(), "");
}

TEST_F(PruebaError, ElArgumentoNoSeCorta) {
    std::string largo(600, 'a');
    Guion().AnswerMessageBox(IDOK);
    Error::Instancia()->Mensaje(0, AnsiString(largo));
    EXPECT_EQ(Guion().ShownBoxes().at(0).text.str(),
              "No se puede abrir el fichero: " + largo + ".\n");
}

TEST_F(PruebaError, NombresDeTipo) {
    struct Caso {
        TipoObjeto tipo;
        const char* espanol;
        const char* ingles;
        const char* regional;
    } casos[] = {
        {TIPO_EDIFICIO, "Edificio ", "Building ", "Edificio "},
        {TIPO_PLANTA, "Planta", "Floor ", "Piso"},
        {TIPO_MURO_TERRENO, "Cerramiento en Contacto con el Terreno ", "Underground wall ",
         "Cerramiento en Contacto con el Terreno "},
        {TIPO_SOMBRA, "", "", ""},
        {TIPO_POLIGONO, "Polígono ", "Polygon ", "Polígono "},
        {TIPO_ACRISTALAMIENTO, "Acristalamiento ", "Glass ", "Acristalamiento "},
        {TIPO_CONDICIONES, "Condiciones Operacionales ", "Operational conditions ",
         "Condiciones Operacionales "},
        {TIPO_HUECO, "Hueco", "", "Vano"},
        {TIPO_PUENTE_TERMICO, "", "", ""},
        {200, "", "", ""},
    };
    Error* error = Error::Instancia();
    for (const Caso& caso : casos) {
        Variante(0);
        EXPECT_EQ(error->NombreTipo(caso.tipo).str(), caso.espanol) << int(caso.tipo);
        Variante(1);
        EXPECT_EQ(error->NombreTipo(caso.tipo).str(), caso.ingles) << int(caso.tipo);
        Variante(2);
        EXPECT_EQ(error->NombreTipo(caso.tipo).str(), caso.regional) << int(caso.tipo);
        Variante(3);
        EXPECT_EQ(error->NombreTipo(caso.tipo).str(), "") << int(caso.tipo);
    }
}

TEST_F(PruebaError, ReferenciaInexistente) {
    struct Caso {
        unsigned char idioma;
        const char* texto;
        const char* titulo;
    } casos[] = {
        {0,
         "En el Ventana  - V1 se hace referencia a un Acristalamiento  - \n que NO EXISTE en la "
         "base de datos.\n ",
         "Información"},
        {1,
         "In the Window  - V1 it is referenced a Glass  - \n that DOES NOT EXIST in the "
         "database.\n ",
         "Information"},
        {3, "", ""},
    };
    for (const Caso& caso : casos) {
        Variante(caso.idioma);
        Guion().Reset();
        Guion().AnswerMessageBox(IDOK);
        Error::Instancia()->ReferenciaInexistente(TIPO_VENTANA, TIPO_ACRISTALAMIENTO, "V1", "");
        ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
        EXPECT_EQ(Guion().ShownBoxes()[0].text.str(), caso.texto);
        EXPECT_EQ(Guion().ShownBoxes()[0].caption.str(), caso.titulo);
        EXPECT_EQ(Guion().ShownBoxes()[0].flags, unsigned(MB_ICONINFORMATION | MB_OK));
    }
}

TEST_F(PruebaError, MensajeLibreYPregunta) {
    Guion().AnswerMessageBox(IDOK);
    Error::Instancia()->MostrarMensaje("El nombre del marco es incorrecto.", "Marco");

    Guion().AnswerMessageBox(IDCANCEL);
    EXPECT_EQ(Error::Instancia()->Preguntar("¿Desea guardar los cambios?", "Guardar",
                                            MB_YESNOCANCEL | MB_ICONQUESTION),
              IDCANCEL);
    // Los mensajes pendientes se atienden antes de la pregunta.
    EXPECT_EQ(Guion().ProcessMessagesCalls(), 1);

    ASSERT_EQ(Guion().ShownBoxes().size(), 2u);
    EXPECT_EQ(Guion().ShownBoxes()[0].text.str(), "El nombre del marco es incorrecto.");
    EXPECT_EQ(Guion().ShownBoxes()[0].caption.str(), "Marco");
    EXPECT_EQ(Guion().ShownBoxes()[0].flags, unsigned(MB_OK));
    EXPECT_EQ(Guion().ShownBoxes()[1].text.str(), "¿Desea guardar los cambios?");
    EXPECT_EQ(Guion().ShownBoxes()[1].flags, unsigned(MB_YESNOCANCEL | MB_ICONQUESTION));
}

TEST_F(PruebaError, ElIdiomaSeLeeEnCadaMensaje) {
    Error* error = Error::Instancia();
    Idioma::Liberar(); // Error no guarda un puntero que quede colgando
    Variante(1);
    EXPECT_EQ(error->NombreTipo(TIPO_MARCO).str(), "Frame ");
}

} // namespace
