// GestorBD: las bases propias de cada gestor y las actuales de cada tipo de lista, la carga de un
// fichero ".BDC", la marca de base estándar, la búsqueda y el borrado de elementos (con sus
// negativas) y los factores solares.

#include "comunes/GestorBD.h"
#include "comunes/LeerBDL.h"
#include "comunes/bdAcristalamientos.h"
#include "comunes/bdCerramientos.h"
#include "comunes/bdHuecos.h"
#include "comunes/bdMarcos.h"
#include "comunes/bdMateriales.h"
#include "comunes/bdPuentesTermicos.h"
#include "tests/comun/pruebas.h"
#include "tests/comunes/gestorbd_prueba.h"

#include "plataforma/base/file_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<void*> BasesDe(const GestorBD& g) {
    return {g.Materiales(), g.Cerramientos(), g.Acristalamientos(),
            g.Marcos(),     g.Huecos(),       g.PuentesTermicos()};
}

float Real(ObjetoBase* objeto, const char* clave) {
    float valor = -99.0f;
    if (objeto != nullptr) objeto->ObtenerReal(clave, valor);
    return valor;
}

// Un elemento de la base, por su tipo y su nombre.
struct Elemento {
    TipoObjeto tipo;
    const char* nombre;
};

using PruebaGestorBD = PruebaGestor;

// Cada gestor tiene sus propias bases; las actuales de su tipo de lista (las que busca el
// modelo del edificio) son las del más reciente que sigue vivo.
TEST_F(PruebaGestorBD, CadaGestorTieneSusBasesYElMasRecienteEsElActual) {
    auto primero = std::make_unique<GestorBD>("Primero", LISTA_PROGRAMA);
    primero->Cargar(Fichero("base.bdc", kBaseDeEjemplo));
    auto segundo = std::make_unique<GestorBD>("Segundo", LISTA_PROGRAMA);
    for (size_t i = 0; i < BasesDe(*primero).size(); ++i) {
        EXPECT_NE(BasesDe(*primero)[i], nullptr);
        EXPECT_NE(BasesDe(*primero)[i], BasesDe(*segundo)[i]);
    }
    EXPECT_EQ(segundo->Materiales()->ObtenerNombre(), AnsiString("Segundo"));
    EXPECT_EQ(segundo->Buscar(TIPO_HUECO, "Ventana"), nullptr);
    EXPECT_EQ(segundo->Materiales()->NumeroHijos(), 0);

    // Los dos con un mismo nombre: cada uno el suyo, sin renombrar ninguno.
    segundo->Cargar(Fichero("otra.bdc", "\"Ladrillo\" = MATERIAL\n CONDUCTIVITY = 0.9\n ..\n"));
    EXPECT_FLOAT_EQ(Real(primero->Buscar(TIPO_MATERIAL, "Ladrillo"), "Conductividad"), 0.567f);
    EXPECT_FLOAT_EQ(Real(segundo->Buscar(TIPO_MATERIAL, "Ladrillo"), "Conductividad"), 0.9f);
    EXPECT_EQ(segundo->Materiales()->NumeroHijos(), 1);

    EXPECT_EQ(bdMateriales::Instancia(LISTA_PROGRAMA), segundo->Materiales());
    EXPECT_EQ(bdHuecos::Instancia(LISTA_PROGRAMA), segundo->Huecos());
    // Otro tipo de lista no cambia las actuales del tipo 3.
    {
        GestorBD libreria("Librería", LISTA_USUARIO);
        EXPECT_EQ(bdMateriales::Instancia(LISTA_USUARIO), libreria.Materiales());
        EXPECT_EQ(bdMateriales::Instancia(LISTA_PROGRAMA), segundo->Materiales());
    }

    // Cerrar el más reciente deja actuales las del anterior, con sus elementos.
    segundo.reset();
    EXPECT_EQ(bdCerramientos::Instancia(LISTA_PROGRAMA), primero->Cerramientos());
    ObjetoBase* ventana = primero->Buscar(TIPO_HUECO, "Ventana");
    ASSERT_NE(ventana, nullptr);
    EXPECT_FLOAT_EQ(Real(ventana, "Porcentaje"), 25.0f);

    // El siguiente gestor empieza vacío, aunque el anterior siga abierto.
    GestorBD tercero("Tercero", LISTA_PROGRAMA);
    EXPECT_EQ(tercero.Buscar(TIPO_MATERIAL, "Ladrillo"), nullptr);
    EXPECT_EQ(tercero.Huecos()->NumeroHijos(), 0);
    primero.reset();
    EXPECT_EQ(bdMarcos::Instancia(LISTA_PROGRAMA), tercero.Marcos());
}

// Un gestor del catálogo (tipo 0) sigue con sus bases mientras otro carga un fichero cuyos
// cerramientos y huecos buscan sus partes en el catálogo.
TEST_F(PruebaGestorBD, CargarOtraBaseNoSueltaLasDelGestorDelCatalogo) {
    const std::string catalogo =
        "TEMPLARY = STANDARD\n"
        "\"Hormigon\" = MATERIAL\n TYPE = PROPERTIES\n"
        " CONDUCTIVITY = 1.65\n LIBRARY = YES\n ..\n"
        "\"Triple\" = GLASS-TYPE\n TYPE = SHADING-COEF\n"
        " SHADING-COEF = 0.6\n GLASS-CONDUCTANCE = 0.9\n LIBRARY = YES\n ..\n"
        " \"PVC\" = NAME-FRAME\n FRAME-CONDUCT = 1.3\n LIBRARY = YES\n..\n";
    PonerCatalogo(catalogo);
    GestorBD regional("Catálogo", LISTA_ESTANDAR);
    regional.Cargar(carpeta.Ruta() + "Lib/BDCATALOGO.BDC");
    EXPECT_TRUE(regional.EsEstandar());
    ObjetoBase* hormigon = regional.Buscar(TIPO_MATERIAL, "Hormigon");
    ASSERT_NE(hormigon, nullptr);
    ASSERT_NE(regional.Buscar(TIPO_ACRISTALAMIENTO, "Triple"), nullptr);

    for (int vez = 0; vez < 2; ++vez) {
        GestorBD abierta("Abierta", LISTA_PROGRAMA);
        abierta.Cargar(Fichero("partes.bdc", "\"Muro\" = LAYERS\n MATERIAL = (\"Hormigon\")\n"
                                             " THICKNESS = ( 0.2)\n ..\n"
                                             "\"Ventana\" = GAP\n GLASS-TYPE = \"Triple\"\n"
                                             " NAME-FRAME = \"PVC\"\n ..\n"));
        // Las partes del catálogo se copian a la base abierta: son otros objetos.
        ObjetoBase* copia = abierta.Buscar(TIPO_MATERIAL, "Hormigon");
        ASSERT_NE(copia, nullptr);
        EXPECT_NE(copia, hormigon);
        EXPECT_FLOAT_EQ(Real(copia, "Conductividad"), 1.65f);
        ASSERT_NE(abierta.Buscar(TIPO_ACRISTALAMIENTO, "Triple"), nullptr);
        EXPECT_NE(abierta.Buscar(TIPO_ACRISTALAMIENTO, "Triple"),
                  regional.Buscar(TIPO_ACRISTALAMIENTO, "Triple"));
    }
    // El gestor del catálogo no ha perdido nada.
    EXPECT_EQ(regional.Buscar(TIPO_MATERIAL, "Hormigon"), hormigon);
    EXPECT_FLOAT_EQ(Real(hormigon, "Conductividad"), 1.65f);
    EXPECT_EQ(regional.Materiales()->NumeroHijos(), 1);
    EXPECT_EQ(regional.Acristalamientos()->NumeroHijos(), 1);
    EXPECT_EQ(regional.Marcos()->NumeroHijos(), 1);
}

TEST_F(PruebaGestorBD, LaCargaLeeCadaTipoDeRegistro) {
    GestorBD gestor("Base", LISTA_PROGRAMA);
    gestor.Cargar(Fichero("base.bdc", kBaseDeEjemplo));
    struct Caso {
        TipoObjeto tipo;
        const char* nombre;
        const char* clave;
        float valor;
    } casos[] = {
        {TIPO_MATERIAL, "Ladrillo", "Conductividad", 0.567f},
        {TIPO_MATERIAL, "Yeso", "Conductividad", 0.3f},
        {TIPO_ACRISTALAMIENTO, "Doble", "Conductancia", 2.8f},
        {TIPO_ACRISTALAMIENTO, "Simple", "Conductancia", 5.7f},
        {TIPO_MARCO, "Madera", "frameConduct", 2.2f},
        {TIPO_HUECO, "Ventana", "Porcentaje", 25.0f},
        {TIPO_PUENTE_TERMICO, "Pilar", "Fi", -0.35f},
    };
    for (const Caso& caso : casos) {
        ObjetoBase* elemento = gestor.Buscar(caso.tipo, caso.nombre);
        ASSERT_NE(elemento, nullptr) << caso.nombre;
        EXPECT_EQ(elemento->ObtenerTipo(), caso.tipo) << caso.nombre;
        EXPECT_FLOAT_EQ(Real(elemento, caso.clave), caso.valor) << caso.nombre;
    }
    ASSERT_NE(gestor.Buscar(TIPO_CERRAMIENTO, "Muro"), nullptr);
    EXPECT_TRUE(gestor.Buscar(TIPO_CERRAMIENTO, "Muro")->Utiliza("Yeso"));
    EXPECT_EQ(gestor.Materiales()->NumeroHijos(), 2);
    EXPECT_EQ(gestor.Cerramientos()->NumeroHijos(), 1);
    EXPECT_EQ(gestor.Acristalamientos()->NumeroHijos(), 2);
    EXPECT_EQ(gestor.Marcos()->NumeroHijos(), 1);
    EXPECT_EQ(gestor.Huecos()->NumeroHijos(), 1);
    EXPECT_EQ(gestor.PuentesTermicos()->NumeroHijos(), 1);

    // Buscar solo mira la base de su tipo, y nunca da la propia base.
    EXPECT_EQ(gestor.Buscar(TIPO_MATERIAL, "Muro"), nullptr);
    EXPECT_EQ(gestor.Buscar(TIPO_VENTANA, "Ventana"), nullptr);
    EXPECT_EQ(gestor.Buscar(TIPO_MATERIAL, "Nada"), nullptr);
    EXPECT_EQ(gestor.Buscar(TIPO_MATERIAL, "Base"), nullptr);
    EXPECT_EQ(gestor.Buscar(TIPO_HUECO, "Base"), nullptr);
}

// La carga devuelve el texto de los registros ya leídos mientras lee las bases siguientes:
// el bloque por defecto de una base por leer, antes o después de megas de registros leídos,
// y sus registros se leen como en una carga que guarda todo el texto.
TEST_F(PruebaGestorBD, SoltarElTextoYaLeidoNoCambiaLaCarga) {
    std::string primeros, materiales;
    for (int i = 0; i < 30000; ++i)
        (i < 500 ? primeros : materiales) +=
            "\"M" + std::to_string(i) + "\" = MATERIAL\n CONDUCTIVITY = 0.5\n ..\n";
    const std::string defecto = "SET-DEFAULT FOR GAP\n PORCENTAGE = 40\n ..\n";
    const std::string puerta =
        "\"Puerta\" = GAP\n GLASS-TYPE = \"Doble\"\n NAME-FRAME = \"Madera\"\n ..\n";
    const std::string textos[] = {primeros + defecto + materiales + kBaseDeEjemplo + puerta,
                                  primeros + materiales + defecto + kBaseDeEjemplo + puerta,
                                  primeros + materiales + kBaseDeEjemplo + puerta + defecto};
    for (const std::string& texto : textos) {
        const AnsiString ruta = Fichero("grande.bdc", texto);
        const AnsiString guardado = carpeta.Ruta() + "soltando.bdc";
        const AnsiString referencia = carpeta.Ruta() + "entero.bdc";
        {
            GestorBD gestor("Base", LISTA_PROGRAMA);
            gestor.Cargar(ruta);
            EXPECT_EQ(gestor.Materiales()->NumeroHijos(), 30002);
            ASSERT_TRUE(gestor.Guardar(guardado)) << gestor.UltimoError().c_str();
        }
        {
            GestorBD gestor("Base", LISTA_PROGRAMA);
            LeerBDL lector(ruta);
            gestor.CargarDeBDL(&lector);
            ASSERT_TRUE(gestor.Guardar(referencia)) << gestor.UltimoError().c_str();
        }
        // Sin comparar con EXPECT_EQ: su diferencia de dos textos de megas no acaba.
        const std::string bytes = Bytes(guardado);
        const std::string esperado = Bytes(referencia);
        const auto distinto =
            std::mismatch(bytes.begin(), bytes.end(), esperado.begin(), esperado.end());
        EXPECT_TRUE(bytes == esperado)
            << "distintos desde el byte " << (distinto.first - bytes.begin()) << ": "
            << std::string(distinto.first, std::min(distinto.first + 80, bytes.end()));
        const size_t registro = bytes.find("\"Puerta\" = GAP");
        ASSERT_NE(registro, std::string::npos);
        EXPECT_NE(bytes.find("PORCENTAGE        = 40.000000", registro), std::string::npos);
    }
}

TEST_F(PruebaGestorBD, UnFicheroQueNoExisteNoCargaNadaNiAvisa) {
    GestorBD gestor("Base", LISTA_PROGRAMA);
    gestor.Cargar(carpeta.Ruta() + "no_existe.bdc");
    gestor.Cargar(carpeta.Ruta()); // una carpeta no es un fichero
    gestor.CargarDeBDL(nullptr);
    EXPECT_EQ(gestor.Materiales()->NumeroHijos(), 0);
    EXPECT_FALSE(gestor.EsEstandar());
    EXPECT_TRUE(Guion().ShownBoxes().empty());
}

TEST_F(PruebaGestorBD, LaMarcaEstandarSoloLaPoneStandard) {
    struct Caso {
        const char* texto;
        bool estandar;
    } casos[] = {
        {"TEMPLARY = STANDARD\n", true}, {"TEMPLARY = \"STANDARD\"\n", true},
        {"TEMPLARY = USER\n", false},    {"TEMPLARY = standard\n", false},
        {"$ sin plantilla\n", false},    {"\"TEMPLARY = STANDARD\" = MATERIAL\n ..\n", false},
    };
    for (const Caso& caso : casos) {
        GestorBD gestor("Base", LISTA_USUARIO);
        LeerBDL lector(LeerBDL::EnMemoria{}, caso.texto);
        gestor.CargarDeBDL(&lector);
        EXPECT_EQ(gestor.EsEstandar(), caso.estandar) << caso.texto;
    }
    // Una carga posterior de una base de usuario no la quita.
    GestorBD gestor("Base", LISTA_USUARIO);
    gestor.Cargar(Fichero("estandar.bdc", "TEMPLARY = STANDARD\n"));
    gestor.Cargar(Fichero("usuario.bdc", "TEMPLARY = USER\n"));
    EXPECT_TRUE(gestor.EsEstandar());
}

TEST_F(PruebaGestorBD, EliminarNiegaLoQueSeUsa) {
    GestorBD gestor("Base", LISTA_PROGRAMA);
    gestor.Cargar(Fichero("base.bdc", kBaseDeEjemplo));
    gestor.Acristalamientos()->CrearHijo("Suelto", TIPO_ACRISTALAMIENTO);
    gestor.Buscar(TIPO_ACRISTALAMIENTO, "Suelto")->PonerLogico("Utilizado", true);

    struct Negativa {
        TipoObjeto tipo;
        const char* nombre;
        const char* porque;
    } negativas[] = {
        {TIPO_MATERIAL, "Ladrillo", "lo usa un cerramiento"},
        {TIPO_MATERIAL, "Yeso", "lo usa un cerramiento"},
        {TIPO_ACRISTALAMIENTO, "Doble", "lo usa un hueco"},
        {TIPO_MARCO, "Madera", "lo usa un hueco"},
        {TIPO_ACRISTALAMIENTO, "Suelto", "marcado como utilizado"},
        {TIPO_ACRISTALAMIENTO, "Simple", "de librería, se lee como utilizado"},
        {TIPO_MATERIAL, "Nada", "no está"},
        {TIPO_VENTANA, "Ventana", "no es un tipo de la base"},
        {TIPO_MATERIAL, "Base", "es la propia base"},
    };
    for (const Negativa& n : negativas) {
        ObjetoBase* antes = gestor.Buscar(n.tipo, n.nombre);
        EXPECT_FALSE(gestor.Eliminar(n.tipo, n.nombre)) << n.nombre << ": " << n.porque;
        EXPECT_EQ(gestor.Buscar(n.tipo, n.nombre), antes) << n.nombre;
    }
    EXPECT_NE(gestor.Buscar(TIPO_CERRAMIENTO, "Muro"), nullptr);
    EXPECT_EQ(gestor.Materiales()->NumeroHijos(), 2);

    // Sin quien los use, se eliminan (los acristalamientos también se borran: la prueba
    // con el comprobador de memoria lo vigila).
    const Elemento pasos[] = {
        {TIPO_HUECO, "Ventana"},        {TIPO_ACRISTALAMIENTO, "Doble"}, {TIPO_MARCO, "Madera"},
        {TIPO_CERRAMIENTO, "Muro"},     {TIPO_MATERIAL, "Ladrillo"},     {TIPO_MATERIAL, "Yeso"},
        {TIPO_PUENTE_TERMICO, "Pilar"},
    };
    for (const Elemento& p : pasos) {
        EXPECT_TRUE(gestor.Eliminar(p.tipo, p.nombre)) << p.nombre;
        EXPECT_EQ(gestor.Buscar(p.tipo, p.nombre), nullptr) << p.nombre;
        EXPECT_FALSE(gestor.Eliminar(p.tipo, p.nombre)) << p.nombre;
    }
    // "Simple" viene de librería sin "UTIL": se lee como utilizado. Sin marcas de uso, se
    // eliminan.
    EXPECT_FALSE(gestor.Eliminar(TIPO_ACRISTALAMIENTO, "Simple"));
    gestor.MarcarUtilizados();
    EXPECT_TRUE(gestor.Eliminar(TIPO_ACRISTALAMIENTO, "Suelto"));
    EXPECT_TRUE(gestor.Eliminar(TIPO_ACRISTALAMIENTO, "Simple"));
    for (void* base : BasesDe(gestor))
        EXPECT_EQ(static_cast<bdLibreria*>(base)->NumeroHijos(), 0);
}

TEST_F(PruebaGestorBD, MarcarUtilizadosLosBorraEnCincoBases) {
    GestorBD gestor("Base", LISTA_PROGRAMA);
    gestor.Cargar(Fichero("base.bdc", kBaseDeEjemplo));
    const Elemento elementos[] = {
        {TIPO_MATERIAL, "Ladrillo"}, {TIPO_CERRAMIENTO, "Muro"}, {TIPO_ACRISTALAMIENTO, "Simple"},
        {TIPO_MARCO, "Madera"},      {TIPO_HUECO, "Ventana"},
    };
    for (const Elemento& e : elementos)
        gestor.Buscar(e.tipo, e.nombre)->PonerLogico("Utilizado", true);
    for (const Elemento& e : elementos)
        ASSERT_TRUE(gestor.Buscar(e.tipo, e.nombre)->EsUtilizado()) << e.nombre;
    gestor.MarcarUtilizados();
    for (const Elemento& e : elementos)
        EXPECT_FALSE(gestor.Buscar(e.tipo, e.nombre)->EsUtilizado()) << e.nombre;
}

TEST_F(PruebaGestorBD, ComprobarFactorSolar) {
    GestorBD gestor("Base", LISTA_PROGRAMA);
    EXPECT_TRUE(gestor.ComprobarFactorSolar()); // sin acristalamientos
    gestor.Cargar(Fichero("base.bdc", kBaseDeEjemplo));
    EXPECT_TRUE(gestor.ComprobarFactorSolar());
    // Uno nuevo no tiene factor solar.
    gestor.Acristalamientos()->CrearHijo("Nuevo", TIPO_ACRISTALAMIENTO);
    EXPECT_FALSE(gestor.ComprobarFactorSolar());
    gestor.Buscar(TIPO_ACRISTALAMIENTO, "Nuevo")->PonerReal("Factor solar", 0.6f);
    EXPECT_TRUE(gestor.ComprobarFactorSolar());
}

// Un tipo de lista sin instancias da un gestor vacío que no falla en nada.
TEST_F(PruebaGestorBD, UnTipoDeListaSinBases) {
    GestorBD gestor("Raro", 1);
    for (void* base : BasesDe(gestor))
        EXPECT_EQ(base, nullptr);
    gestor.Cargar(Fichero("base.bdc", kBaseDeEjemplo));
    EXPECT_EQ(gestor.Buscar(TIPO_MATERIAL, "Ladrillo"), nullptr);
    EXPECT_FALSE(gestor.Eliminar(TIPO_MATERIAL, "Ladrillo"));
    EXPECT_TRUE(gestor.ComprobarFactorSolar());
    gestor.MarcarUtilizados();
    ASSERT_TRUE(gestor.Guardar(carpeta.Ruta() + "raro.bdc")) << gestor.UltimoError().c_str();
    std::string escrito = Bytes(carpeta.Ruta() + "raro.bdc");
    EXPECT_NE(escrito.find("TEMPLARY = USER\r\n"), std::string::npos);
    EXPECT_NE(escrito.find("$ Final de la base de datos \r\n"), std::string::npos);
    EXPECT_EQ(escrito.find("MATERIALES"), std::string::npos);
    EXPECT_TRUE(gestor.GuardarXML(carpeta.Ruta() + "raro.xml")) << gestor.UltimoError().c_str();
}

} // namespace
