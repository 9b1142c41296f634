// Una base abierta que se guarda y se vuelve a abrir varias veces, como la usa un usuario:
// los nombres vacíos y "Ninguno" de las partes no crean elementos, un elemento que se llama
// como su base conserva su nombre y sus usuarios lo encuentran, y dos guardados seguidos de
// una misma carga dan los mismos bytes.

#include "comunes/Cambios.h"
#include "comunes/FicheroLog.h"
#include "comunes/GestorBD.h"
#include "comunes/Hueco.h"
#include "comunes/Layers.h"
#include "comunes/bdAcristalamientos.h"
#include "comunes/bdCerramientos.h"
#include "comunes/bdHuecos.h"
#include "comunes/bdMarcos.h"
#include "comunes/bdMateriales.h"
#include "comunes/bdPuentesTermicos.h"
#include "tests/comun/separador_regional.h"
#include "tests/comunes/gestorbd_prueba.h"

#include "plataforma/base/string_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Todas las bases de un gestor se llaman como él ("nombre"), y en cada una hay un elemento
// con ese nombre. Las partes vacías (una capa sin material, un hueco sin acristalamiento ni
// marco) son lo que puede traer un fichero.
const std::string kBaseConNombres = "TEMPLARY = USER\n"
                                    "\"nombre\" = MATERIAL\n"
                                    "    TYPE              = PROPERTIES\n"
                                    "    THICKNESS         = 0.16\n"
                                    "    CONDUCTIVITY      = 0.032\n"
                                    "    ..\n"
                                    "\"Yeso\" = MATERIAL\n"
                                    "    TYPE              = PROPERTIES\n"
                                    "    CONDUCTIVITY      = 0.3\n"
                                    "    ..\n"
                                    "\"nombre\" = LAYERS\n"
                                    "    MATERIAL     = (\"Yeso\",\"nombre\")\n"
                                    "    THICKNESS = ( 0.015, 0.16)\n"
                                    "    UTIL          =  YES\n"
                                    "    ..\n"
                                    "\"SinMaterial\" = LAYERS\n"
                                    "    MATERIAL     = (\"\")\n"
                                    "    THICKNESS = ( 0.1)\n"
                                    "    ..\n"
                                    "\"nombre\" = GLASS-TYPE\n"
                                    "     TYPE              = SHADING-COEF\n"
                                    "     SHADING-COEF      = 0.7\n"
                                    "     GLASS-CONDUCTANCE = 2.8\n"
                                    "    ..\n"
                                    " \"nombre\" = NAME-FRAME\n"
                                    "      FRAME-CONDUCT = 2.2\n"
                                    "..\n"
                                    "\"nombre\" = GAP\n"
                                    "     GLASS-TYPE          = \"nombre\"\n"
                                    "     NAME-FRAME        = \"nombre\"\n"
                                    "     UTIL              =  YES\n"
                                    "    ..\n"
                                    "\"SinPartes\" = GAP\n"
                                    "     GLASS-TYPE          = \"\"\n"
                                    "     NAME-FRAME        = \"\"\n"
                                    "    ..\n"
                                    "\"nombre\" = BRIDGE\n"
                                    "    FI          = 0.4\n"
                                    "    ..\n";

std::vector<std::string> Nombres(const bdLibreria* base) {
    std::vector<std::string> nombres;
    for (int i = 0; i < base->NumeroHijos(); ++i)
        nombres.emplace_back(base->Hijo(i)->ObtenerNombre().c_str());
    return nombres;
}

using Lista = std::vector<std::string>;

class PruebaRecargas : public PruebaGestor {
protected:
    void SetUp() override {
        PruebaGestor::SetUp();
        FicheroLog::Instancia()->Inicializar();
    }

    // Guarda como el programa al cerrar una sesión sin cambios pendientes; devuelve los
    // bytes guardados.
    std::string Guardar(GestorBD& gestor, const AnsiString& ruta) {
        Cambios::Instancia()->Reiniciar();
        EXPECT_TRUE(gestor.ComprobarFactorSolar()) << "el guardado quedaría bloqueado";
        EXPECT_TRUE(gestor.Guardar(ruta)) << gestor.UltimoError().c_str();
        return Bytes(ruta);
    }
};

// Lo que debe tener la base tras cada carga: ni un elemento más, cada uno con su nombre y
// las referencias resueltas.
void ComprobarCarga(GestorBD& gestor, const Lista& huecos) {
    EXPECT_EQ(Nombres(gestor.Materiales()), (Lista{"nombre", "Yeso"}));
    EXPECT_EQ(Nombres(gestor.Cerramientos()), (Lista{"nombre", "SinMaterial"}));
    EXPECT_EQ(Nombres(gestor.Acristalamientos()), (Lista{"nombre"}));
    EXPECT_EQ(Nombres(gestor.Marcos()), (Lista{"nombre"}));
    EXPECT_EQ(Nombres(gestor.Huecos()), huecos);
    EXPECT_EQ(Nombres(gestor.PuentesTermicos()), (Lista{"nombre"}));

    // Cada búsqueda da el elemento, no la base que se llama igual.
    const TipoObjeto tipos[] = {TIPO_MATERIAL, TIPO_CERRAMIENTO, TIPO_ACRISTALAMIENTO,
                                TIPO_MARCO,    TIPO_HUECO,       TIPO_PUENTE_TERMICO};
    for (TipoObjeto tipo : tipos) {
        ObjetoBase* elemento = gestor.Buscar(tipo, "nombre");
        ASSERT_NE(elemento, nullptr) << tipo;
        EXPECT_EQ(elemento->ObtenerTipo(), tipo);
    }

    // El cerramiento encuentra sus dos capas: U = 1 / (0.015/0.3 + 0.16/0.032 + 0.17).
    auto* cerramiento = dynamic_cast<Layers*>(gestor.Buscar(TIPO_CERRAMIENTO, "nombre"));
    ASSERT_NE(cerramiento, nullptr);
    TStringList fila, materiales, espesores;
    cerramiento->InformeCapas(fila, materiales, espesores);
    ASSERT_EQ(fila.GetCount(), 3);
    EXPECT_EQ(fila.GetStrings(1), "0.19");
    EXPECT_EQ(materiales.GetCount(), 2);

    // El hueco encuentra su acristalamiento y su marco: U = 0.9 * 2.8 + 0.1 * 2.2.
    auto* hueco = dynamic_cast<Hueco*>(gestor.Buscar(TIPO_HUECO, "nombre"));
    ASSERT_NE(hueco, nullptr);
    EXPECT_NEAR(hueco->Transmitancia(), 2.74f, 1e-5f);

    // Nada se ha creado con valores por defecto, ni se anota.
    const std::string log = FicheroLog::Instancia()->Texto().c_str();
    EXPECT_EQ(log.find(" no est"), std::string::npos) << log;
}

TEST_F(PruebaRecargas, TresRecargasNoCreanNiRenombranNiBloqueanElGuardado) {
    SeparadorRegional regional('.');
    AnsiString ruta = Fichero("inicial.bdc", kBaseConNombres);
    std::string anterior;
    {
        GestorBD gestor("nombre", LISTA_PROGRAMA);
        gestor.Cargar(ruta);
        ComprobarCarga(gestor, {"nombre", "SinPartes"});
        // Un hueco nuevo, como lo crea la vista: sus partes son "Ninguno".
        AnsiString nuevo = gestor.Huecos()->CrearHijo("Hueco", TIPO_HUECO);
        ASSERT_EQ(nuevo, "Hueco");
        ruta = carpeta.Ruta() + "guardado0.bdc";
        anterior = Guardar(gestor, ruta);
    }
    ASSERT_NE(anterior.find("GLASS-TYPE          = \"Ninguno\""), std::string::npos);

    for (int vuelta = 1; vuelta <= 3; ++vuelta) {
        SCOPED_TRACE("recarga " + std::to_string(vuelta));
        GestorBD gestor("nombre", LISTA_PROGRAMA);
        gestor.Cargar(ruta);
        ComprobarCarga(gestor, {"nombre", "SinPartes", "Hueco"});
        ruta = carpeta.Ruta() + ("guardado" + std::to_string(vuelta) + ".bdc").c_str();
        const std::string guardado = Guardar(gestor, ruta);
        // Lo que se guarda se vuelve a guardar igual. El primer guardado no cuenta: el
        // grupo vacío del hueco nuevo se lee como "Otro".
        if (vuelta > 1) {
            EXPECT_EQ(guardado, anterior);
        }
        anterior = guardado;
    }
    // Las partes vacías siguen vacías en el fichero.
    EXPECT_NE(anterior.find("MATERIAL     = (\"\")"), std::string::npos);
    EXPECT_NE(anterior.find("GLASS-TYPE          = \"\""), std::string::npos);
}

TEST_F(PruebaRecargas, UnAcristalamientoLlamadoNingunoDelFicheroSeCarga) {
    const std::string texto = "\"Ninguno\" = GLASS-TYPE\n"
                              "     TYPE              = SHADING-COEF\n"
                              "     SHADING-COEF      = 0.6\n"
                              "    ..\n"
                              "\"H\" = GAP\n"
                              "     GLASS-TYPE          = \"Ninguno\"\n"
                              "     NAME-FRAME        = \"Ninguno\"\n"
                              "    ..\n";
    AnsiString ruta = Fichero("ninguno.bdc", texto);
    for (int vuelta = 0; vuelta < 2; ++vuelta) {
        GestorBD gestor("nombre", LISTA_PROGRAMA);
        gestor.Cargar(ruta);
        EXPECT_EQ(Nombres(gestor.Acristalamientos()), (Lista{"Ninguno"}));
        EXPECT_TRUE(Nombres(gestor.Marcos()).empty());
        float factor = -1.0f;
        gestor.Acristalamientos()->Hijo(0)->ObtenerReal("Factor solar", factor);
        EXPECT_NEAR(factor, 0.6f * 0.85f, 1e-6f); // del coeficiente de sombra
        ruta = carpeta.Ruta() + "ninguno_guardado.bdc";
        Guardar(gestor, ruta);
    }
}

TEST_F(PruebaRecargas, CopiarEntreBasesConservaElNombreDeLaBase) {
    // La librería y la base abierta se llaman como el material que pasa de una a otra.
    GestorBD libreria("nombre", LISTA_USUARIO);
    libreria.Cargar(Fichero("libreria.bdc", kBaseConNombres));
    GestorBD abierta("nombre", LISTA_PROGRAMA);

    TStringList nombres;
    nombres.Add("nombre");
    abierta.Materiales()->CopiarDe(nombres, libreria.Materiales());
    ASSERT_EQ(Nombres(abierta.Materiales()), (Lista{"nombre"}));
    float conductividad = 0.0f;
    abierta.Buscar(TIPO_MATERIAL, "nombre")->ObtenerReal("Conductividad", conductividad);
    EXPECT_FLOAT_EQ(conductividad, 0.032f);

    // Los nuevos se saltan si ya están; copiar de nuevo numera la copia.
    abierta.Materiales()->CopiarElementosNuevos(nombres, libreria.Materiales());
    EXPECT_EQ(abierta.Materiales()->NumeroHijos(), 1);
    abierta.Materiales()->CopiarDe(nombres, libreria.Materiales());
    ASSERT_EQ(abierta.Materiales()->NumeroHijos(), 2);
    EXPECT_EQ(abierta.Materiales()->Hijo(1)->ObtenerNombre().SubString(1, 7), "nombre_");
}

TEST_F(PruebaRecargas, DosGuardadosDeUnaCargaDanLosMismosBytes) {
    // "Yeso" lo usa un cerramiento aunque su registro diga que no; "Suelto" no lo usa
    // nadie, y "Marcado" tampoco, pero su marca no se quita.
    const std::string texto = "\"Yeso\" = MATERIAL\n"
                              "    CONDUCTIVITY      = 0.3\n"
                              "    UTIL          =  NO\n"
                              "    ..\n"
                              "\"Suelto\" = MATERIAL\n"
                              "    CONDUCTIVITY      = 1.0\n"
                              "    ..\n"
                              "\"Marcado\" = MATERIAL\n"
                              "    CONDUCTIVITY      = 2.0\n"
                              "    UTIL          =  YES\n"
                              "    ..\n"
                              "\"Tabique\" = LAYERS\n"
                              "    MATERIAL     = (\"Yeso\")\n"
                              "    THICKNESS = ( 0.015)\n"
                              "    ..\n";
    GestorBD gestor("nombre", LISTA_PROGRAMA);
    gestor.Cargar(Fichero("base.bdc", texto));
    const std::string primero = Guardar(gestor, carpeta.Ruta() + "primero.bdc");
    const std::string segundo = Guardar(gestor, carpeta.Ruta() + "segundo.bdc");
    EXPECT_EQ(primero, segundo);

    auto util = [&](const std::string& nombre) {
        const size_t registro = primero.find("\"" + nombre + "\" = MATERIAL");
        EXPECT_NE(registro, std::string::npos) << nombre;
        const size_t linea = primero.find("UTIL", registro);
        return primero.substr(linea, primero.find('\r', linea) - linea);
    };
    EXPECT_EQ(util("Yeso"), "UTIL          =  YES");
    EXPECT_EQ(util("Suelto"), "UTIL          =  NO");
    EXPECT_EQ(util("Marcado"), "UTIL          =  YES");
}

// Un registro sin nombre ("" = MATERIAL, y su NAME vacío) se carga sin nombre, no con el de
// la base: cargar, guardar, cargar y guardar dan dos veces los mismos bytes.
TEST_F(PruebaRecargas, UnRegistroSinNombreSeGuardaSinNombre) {
    const std::string texto = "TEMPLARY = USER\n"
                              "\"\" = MATERIAL\n"
                              "    TYPE              = PROPERTIES\n"
                              "    CONDUCTIVITY      = 0.3\n"
                              "    NAME          = \"\"\n"
                              "    ..\n"
                              "\"\" = GLASS-TYPE\n"
                              "     TYPE              = SHADING-COEF\n"
                              "     SHADING-COEF      = 0.7\n"
                              "     GLASS-CONDUCTANCE = 2.8\n"
                              "    ..\n"
                              "\"\" = BRIDGE\n"
                              "    FI          = 0.4\n"
                              "    NAME          = \"\"\n"
                              "    ..\n";
    AnsiString ruta = Fichero("Base.bdc", texto);
    std::string anterior;
    for (int vuelta = 1; vuelta <= 3; ++vuelta) {
        SCOPED_TRACE(vuelta);
        GestorBD gestor("Base", LISTA_PROGRAMA);
        ASSERT_TRUE(gestor.Cargar(ruta));
        for (const bdLibreria* base :
             {static_cast<const bdLibreria*>(gestor.Materiales()),
              static_cast<const bdLibreria*>(gestor.Acristalamientos()),
              static_cast<const bdLibreria*>(gestor.PuentesTermicos())}) {
            EXPECT_EQ(Nombres(base), (Lista{""})) << base->Seccion().tipoRegistro;
            if (base->NumeroHijos() == 1)
                EXPECT_EQ(base->Hijo(0)->ObtenerNombreCompleto(), "");
        }
        ruta = carpeta.Ruta() + "Base" + AnsiString(vuelta) + ".bdc";
        const std::string guardado = Guardar(gestor, ruta);
        EXPECT_EQ(guardado.find("\"Base\""), std::string::npos) << guardado;
        if (vuelta > 1) EXPECT_EQ(guardado, anterior);
        anterior = guardado;
    }
}

} // namespace
