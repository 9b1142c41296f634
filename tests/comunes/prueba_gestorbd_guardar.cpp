// GestorBD guardado: el fichero ".BDC" de una base vacía byte a byte, guardar, leer y
// volver a guardar igual, lo que no se escribe, un guardado que falla (el fichero anterior
// queda), las formas variante y de exportación y el guardado XML leído de vuelta.

#include "comunes/Cambios.h"
#include "comunes/GestorBD.h"
#include "comunes/bdLibreria.h"
#include "comunes/bdMateriales.h"
#include "tests/comunes/elementos_prueba.h"
#include "tests/comunes/gestorbd_prueba.h"
#include "tests/comunes/prueba_bd_entorno.h"
#include "tests/comunes/registros_prueba.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/xml/xml_document.h"
#include "plataforma/xml/xml_node.h"
#include "plataforma/xml/xml_node_list.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kReglaDolar = "$" + std::string(30, '+');
const std::string kRegla = std::string(30, '+');
const std::string kReglaPie = "$ " + std::string(66, '-');

// Lo que sigue al registro de Cambios en el fichero de una base vacía de usuario.
const std::string kBaseVacia = LineasCRLF({
    "",
    "$",
    "$ " + std::string(35, '-'),
    "$      Datos de Base de Datos",
    "$ " + std::string(35, '-'),
    "$",
    "TEMPLARY = USER",
    kReglaDolar,
    "$           MATERIALES",
    " " + kReglaDolar,
    kReglaDolar,
    "$         CERRAMIENTOS",
    " " + kReglaDolar,
    kReglaDolar,
    "$  ACRISTALAMIENTOS - VIDRIOS",
    kReglaDolar,
    kRegla,
    "            MARCOS",
    " " + kRegla,
    kRegla,
    "            HUECOS",
    " " + kRegla,
    kRegla,
    "        PUENTES TERMICOS",
    " " + kRegla,
    kReglaPie,
    "$ Final de la base de datos ",
    kReglaPie,
});

// Los nombres de los ficheros de la carpeta, para ver que no queda ningún temporal.
std::vector<std::string> FicherosDe(const AnsiString& carpeta) {
    std::vector<std::string> nombres;
    if (DIR* dir = opendir(carpeta.c_str())) {
        while (dirent* entrada = readdir(dir))
            if (entrada->d_name[0] != '.') nombres.emplace_back(entrada->d_name);
        closedir(dir);
    }
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

size_t Cuenta(const std::string& texto, const std::string& parte) {
    size_t n = 0;
    for (size_t p = texto.find(parte); p != std::string::npos; p = texto.find(parte, p + 1))
        ++n;
    return n;
}

using PruebaGuardar = PruebaGestor;

TEST_F(PruebaGuardar, UnaBaseVaciaTieneRegistroCabeceraSeisRotulosYPie) {
    GestorBD gestor("Vacía", LISTA_PROGRAMA);
    AnsiString ruta = carpeta.Ruta() + "vacia.bdc";
    ASSERT_TRUE(gestor.Guardar(ruta)) << gestor.UltimoError().c_str();
    EXPECT_TRUE(gestor.UltimoError().IsEmpty());
    // Una base nueva ni está calculada ni sin cambios: SI en las dos líneas.
    EXPECT_EQ(Bytes(ruta), LineasCRLF({"$", "CAMBIO = SI", "CAMBIO-DUMVAT = SI"}) + kBaseVacia);
    // Escribir solo, sin el registro de Cambios.
    EXPECT_EQ(Escrito([&](FileWriter& f) { gestor.Escribir(f); }), kBaseVacia);

    // Leída otra vez (sin plantilla estándar) se escribe igual.
    GestorBD otro("Otra", LISTA_USUARIO);
    otro.Cargar(ruta);
    EXPECT_FALSE(otro.EsEstandar());
    EXPECT_EQ(Escrito([&](FileWriter& f) { otro.Escribir(f); }), kBaseVacia);
}

TEST_F(PruebaGuardar, GuardarLeerYGuardarDaLosMismosBytes) {
    AnsiString primera = carpeta.Ruta() + "primera.bdc";
    AnsiString segunda = carpeta.Ruta() + "segunda.bdc";
    {
        GestorBD gestor("Base", LISTA_PROGRAMA);
        // El registro de cambios que se escribe es el del gestor.
        Cambios* cambios = gestor.ObtenerCambios();
        cambios->PonerLogico("Calculado", true);
        cambios->PonerLogico("Calculado Dumvat", true);
        cambios->PonerLogico("Cambios Dumvat", true);
        Cambios::Instancia()->PonerLogico("Cambios", true);
        // El acristalamiento de librería está en el catálogo.
        PonerCatalogo(VidrioRegistro("Simple", "5.7", true, "YES"));
        gestor.Cargar(Fichero("base.bdc", kBaseDeEjemplo));
        ASSERT_TRUE(gestor.Guardar(primera)) << gestor.UltimoError().c_str();
    }
    std::string escrito = Bytes(primera);
    EXPECT_EQ(escrito.rfind(LineasCRLF({"$", "CAMBIO = NO", "CAMBIO-DUMVAT = SI"}), 0), 0u);
    // Un acristalamiento de librería que el catálogo tiene no se guarda; un cerramiento de
    // librería sí, con YES.
    EXPECT_EQ(escrito.find("\"Simple\""), std::string::npos);
    EXPECT_NE(escrito.find("\"Doble\" = GLASS-TYPE"), std::string::npos);
    size_t muro = escrito.find("\"Muro\" = LAYERS");
    ASSERT_NE(muro, std::string::npos);
    EXPECT_NE(escrito.find("LIBRARY       =  YES", muro), std::string::npos);
    for (const char* registro : {"= MATERIAL\r\n", "= LAYERS\r\n", "= GLASS-TYPE\r\n",
                                 "= NAME-FRAME\r\n", "= GAP\r\n", "= BRIDGE\r\n"})
        EXPECT_EQ(Cuenta(escrito, registro), std::string(registro) == "= MATERIAL\r\n" ? 2u : 1u)
            << registro;
    // Las secciones, en su orden.
    size_t antes = 0;
    for (const char* titulo : {"MATERIALES", "CERRAMIENTOS", "ACRISTALAMIENTOS", "MARCOS", "HUECOS",
                               "PUENTES TERMICOS", "Final de la base"}) {
        size_t donde = escrito.find(titulo);
        ASSERT_NE(donde, std::string::npos) << titulo;
        EXPECT_GT(donde, antes) << titulo;
        antes = donde;
    }

    // Otra sesión: Cambios leído del fichero, la base cargada y guardada de nuevo.
    {
        LeerBDL lector(LeerBDL::EnMemoria{}, escrito);
        GestorBD gestor("Base", LISTA_PROGRAMA);
        gestor.ObtenerCambios()->Leer(&lector);
        gestor.Cargar(primera);
        ASSERT_TRUE(gestor.Guardar(segunda)) << gestor.UltimoError().c_str();
    }
    EXPECT_EQ(Bytes(segunda), escrito);
}

// El guardado de la base entera marca una vez, antes de escribir, los materiales de sus
// cerramientos; después, un cerramiento escrito por su cuenta vuelve a marcar los suyos.
TEST_F(PruebaGuardar, TrasGuardarLaBaseUnCerramientoEscritoSoloMarcaSusMateriales) {
    GestorBD gestor("Base", LISTA_PROGRAMA);
    gestor.Cargar(Fichero("base.bdc", kBaseDeEjemplo));
    ASSERT_TRUE(gestor.Guardar(carpeta.Ruta() + "base_guardada.bdc"));
    ObjetoBase* ladrillo = gestor.Buscar(TIPO_MATERIAL, "Ladrillo");
    ASSERT_NE(ladrillo, nullptr);
    ladrillo->PonerLogico("Utilizado", false);
    ladrillo->PonerLogico("Utilizado al guardar", false);
    const AnsiString ruta = carpeta.Ruta() + "muro.bdc";
    FileWriter fichero;
    ASSERT_TRUE(fichero.Open(ruta));
    gestor.Buscar(TIPO_CERRAMIENTO, "Muro")->Escribir(fichero);
    ladrillo->Escribir(fichero);
    ASSERT_TRUE(fichero.Commit());
    EXPECT_NE(Bytes(ruta).find("UTIL          =  YES\r\n    ..\r\n"), std::string::npos);
}

TEST_F(PruebaGuardar, UnGuardadoQueFallaDejaElFicheroAnterior) {
    const std::string viejo = "el fichero de antes\r\n";
    AnsiString ruta = Fichero("base.bdc", viejo);
    GestorBD gestor("Base", LISTA_PROGRAMA);
    gestor.Cargar(Fichero("ejemplo.bdc", kBaseDeEjemplo));
    const std::vector<std::string> antes = FicherosDe(carpeta.Ruta());

    for (FileWriter::Failure fallo : {FileWriter::Failure::Write, FileWriter::Failure::Close}) {
        FileWriter::InjectFailureForTests(fallo);
        EXPECT_FALSE(gestor.Guardar(ruta));
        EXPECT_FALSE(gestor.UltimoError().IsEmpty());
        EXPECT_EQ(Bytes(ruta), viejo);
        EXPECT_EQ(FicherosDe(carpeta.Ruta()), antes); // ningún temporal olvidado
    }
    // Una carpeta que no existe tampoco se puede guardar.
    EXPECT_FALSE(gestor.Guardar(carpeta.Ruta() + "no/existe/base.bdc"));
    EXPECT_FALSE(gestor.UltimoError().IsEmpty());

    // Sin fallo, se guarda y el error se olvida.
    ASSERT_TRUE(gestor.Guardar(ruta)) << gestor.UltimoError().c_str();
    EXPECT_TRUE(gestor.UltimoError().IsEmpty());
    EXPECT_NE(Bytes(ruta).find("\"Ventana\" = GAP"), std::string::npos);
}

TEST_F(PruebaGuardar, LaVarianteYLaExportacion) {
    GestorBD gestor("Base", LISTA_PROGRAMA);
    gestor.Cargar(Fichero("base.bdc", kBaseDeEjemplo));

    std::string variante = Escrito([&](FileWriter& f) { gestor.EscribirVariante(f); });
    EXPECT_EQ(variante.rfind(LineasCRLF({"", "$"}), 0), 0u);
    EXPECT_NE(variante.find("TEMPLARY = USER\r\n"), std::string::npos);
    EXPECT_NE(variante.find("$ Final de la base de datos \r\n"), std::string::npos);
    // Los cerramientos van con su copia invertida.
    EXPECT_NE(variante.find("\"Muro\" = LAYERS"), std::string::npos);
    EXPECT_NE(variante.find("\"I_Muro\" = LAYERS"), std::string::npos);

    // Solo materiales, cerramientos y acristalamientos, sin cabecera ni pie.
    std::string exportado = Escrito([&](FileWriter& f) { gestor.Exportar(f); });
    EXPECT_NE(exportado.find("MATERIALES"), std::string::npos);
    EXPECT_NE(exportado.find("CERRAMIENTOS"), std::string::npos);
    EXPECT_NE(exportado.find("ACRISTALAMIENTOS"), std::string::npos);
    for (const char* ausente :
         {"TEMPLARY", "Final de la base", "MARCOS", "HUECOS", "PUENTES", "= GAP", "= BRIDGE"})
        EXPECT_EQ(exportado.find(ausente), std::string::npos) << ausente;
}

// Una base de todos los tipos con valores raros: ceros con signo, reales enormes, diminutos y
// que caen justo a mitad al redondearse, nombres largos, con comillas, acentos (Windows-1252)
// y saltos de línea, textos vacíos, capas sin espesor, de espesor nulo o negativo.
const std::string kBaseVariada = "$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\nTEMPLARY = USER\n"
                                 "\"Ladrillo \xf1"
                                 "and\xfa \xe1\xe9\xed\" = MATERIAL\n"
                                 "    TYPE              = PROPERTIES\n"
                                 "    THICKNESS         = -0\n"
                                 "    THICKNESS_CHANGE  = NO\n"
                                 "    THICKNESS_MAX     = 0.12345675\n"
                                 "    THICKNESS_MIN     = 9999999.5\n"
                                 "    CONDUCTIVITY      = 3.4028235e38\n"
                                 "    DENSITY           = 1.1754944e-38\n"
                                 "    SPECIFIC-HEAT     = 1.4e-45\n"
                                 "    VAPOUR-DIFFUSIVITY-FACTOR = 1234567.5\n"
                                 "    NAME          = \"Ladrillo de \xab\xf1"
                                 "and\xfa\xbb\"\n"
                                 "    GROUP         = \"F\xe1\x62ricas\"\n"
                                 "    IMAGE          = \"lad.jpg\"\n"
                                 "    NAME_DUMVAT   = \"LAD\"\n"
                                 "    ..\n"
                                 "\"" +
                                 std::string(240, 'M') +
                                 "\" = MATERIAL\n"
                                 "    TYPE               = RESISTANCE\n"
                                 "    RESISTANCE         = 1e-7\n"
                                 "    VAPOUR-RESISTIVITY = 16777217\n"
                                 "    NAME          = \"\"\n"
                                 "    IMAGE          = \"\"\n"
                                 "    ..\n"
                                 "\"Yeso\" = MATERIAL\n"
                                 "    TYPE              = PROPERTIES\n"
                                 "    THICKNESS         = 9.9999995e-7\n"
                                 "    CONDUCTIVITY      = 1e7\n"
                                 "    DENSITY           = 123456789012\n"
                                 "    SPECIFIC-HEAT     = 0.5\n"
                                 "    ..\n"
                                 "\"Cat\" = MATERIAL\n"
                                 "    TYPE              = PROPERTIES\n"
                                 "    LIBRARY       = YES\n"
                                 "    ..\n"
                                 "\"Muro \xe1rido\" = LAYERS\n"
                                 "    GROUP        = \"Fachadas\"\n"
                                 "    NAME_DUMVAT = \"MURO\"\n"
                                 "    MATERIAL     = (\"Ladrillo \xf1"
                                 "and\xfa \xe1\xe9\xed\",\"Yeso\",\"" +
                                 std::string(240, 'M') +
                                 "\",\"Yeso\",\"Ladrillo \xf1"
                                 "and\xfa \xe1\xe9\xed\")\n"
                                 "    THICKNESS = ( -0.25, 0, 1e10, 0.0000005, 2.5e-8)\n"
                                 "    ..\n"
                                 "\"Solo\" = LAYERS\n"
                                 "    MATERIAL     = (\"Yeso\",\"Ladrillo \xf1"
                                 "and\xfa \xe1\xe9\xed\")\n"
                                 "    THICKNESS = ( 0.0123456785)\n"
                                 "    LIBRARY       =  YES\n"
                                 "    UTIL          =  YES\n"
                                 "    ..\n"
                                 "\"Vacio\" = LAYERS\n"
                                 "    GROUP        = \"Sin capas\"\n"
                                 "    ..\n"
                                 "\"Doble \xe7\" = GLASS-TYPE\n"
                                 "     GROUP             = \"\"\n"
                                 "     TYPE              = SHADING-COEF\n"
                                 "     SHADING-COEF      = 0.123456785\n"
                                 "     GLASS-CONDUCTANCE = -0\n"
                                 "     UTIL          =  YES\n"
                                 "    ..\n"
                                 "\"Triple\" = GLASS-TYPE\n"
                                 "     TYPE              = SHADING-COEF\n"
                                 "     SHADING-COEF      = 1e-30\n"
                                 "     GLASS-CONDUCTANCE = 7.0000005\n"
                                 "    ..\n"
                                 " \"Madera\" = NAME-FRAME\n"
                                 "      FRAME-WIDTH   = 0.1\n"
                                 "      FRAME-CONDUCT = 2.2\n"
                                 "      FRAME-ABS     = 1e-5\n"
                                 "..\n"
                                 " \"PVC \xfc\" = NAME-FRAME\n"
                                 "      GROUP         = \"\"\n"
                                 "      FRAME-CONDUCT = 1e38\n"
                                 "      UTIL          =  YES\n"
                                 "..\n"
                                 "\"Ventana\" = GAP\n"
                                 "     GLASS-TYPE          = \"Doble \xe7\"\n"
                                 "     NAME-FRAME        = \"Madera\"\n"
                                 "     PORCENTAGE        = 12.3456785\n"
                                 "     INF-COEF          = 1e20\n"
                                 "     ISDOOR            = YES\n"
                                 "    ..\n"
                                 "\"Puerta\" = GAP\n"
                                 "     GLASS-TYPE          = \"Triple\"\n"
                                 "     NAME-FRAME        = \"PVC \xfc\"\n"
                                 "     PORCENTAGE        = -0\n"
                                 "     INF-COEF          = 0.0000005\n"
                                 "    ..\n"
                                 "\"Frente\" = BRIDGE\n"
                                 "    FRSI         = -0\n"
                                 "    FI          = 1.4e-45\n"
                                 "    NAME          = \"\"\n"
                                 "    ZONE          = \"Z\xf3na\"\n"
                                 "    ..\n"
                                 "\"Esquina\" = BRIDGE\n"
                                 "    FRSI         = 0.99999995\n"
                                 "    FI          = -0.99999995\n"
                                 "    ..\n";

// Cambia la base variada por sus claves donde el fichero no llega: comillas y saltos de
// línea en los textos, reales no finitos y nombres con un cero dentro.
void RetocarVariada(GestorBD& gestor) {
    ObjetoBase* yeso = gestor.Base(TIPO_MATERIAL)->BuscarEnHijos("Yeso");
    ASSERT_NE(yeso, nullptr);
    yeso->AsignarPropiedad("Grupo", "Con \"comillas\"\ny salto");
    yeso->AsignarPropiedad("Nombre completo", "Yeso \"fino\"");
    yeso->PonerReal("Vapor P", std::numeric_limits<float>::infinity());
    ObjetoBase* puente = gestor.Base(TIPO_PUENTE_TERMICO)->BuscarEnHijos("Esquina");
    ASSERT_NE(puente, nullptr);
    puente->AsignarPropiedad("Grupo", "a\r\nb\n");
    // Un cero en un nombre corta el texto como lo corta "%s".
    for (auto [tipo, nombre] :
         {std::pair{TIPO_CERRAMIENTO, "Solo"}, std::pair{TIPO_ACRISTALAMIENTO, "Triple"},
          std::pair{TIPO_HUECO, "Puerta"}})
        if (ObjetoBase* elemento = gestor.Base(tipo)->BuscarEnHijos(nombre))
            elemento->PonerNombre(AnsiString(std::string(nombre) + std::string(1, '\0') + "fin"));
}

// La base variada, cambiada después por sus claves, escrita de todas las formas: el
// guardado, la variante y cada elemento por sí solo con sus dos maquetaciones. Los bytes
// son los que escribían las líneas formateadas una a una, guardados en un fichero.
TEST_F(PruebaGuardar, UnaBaseVariadaSeEscribeConLosBytesDeSiempre) {
    // Su material de librería es del catálogo.
    PonerCatalogo(MaterialRegistro("Cat", "1", "YES"));
    GestorBD gestor("Variada", LISTA_PROGRAMA);
    gestor.Cargar(Fichero("variada.bdc", kBaseVariada));
    for (bdLibreria* base : gestor.Bases(GestorBD::Orden::Fichero))
        ASSERT_GT(base->NumeroHijos(), 0) << base->ObtenerNombre().c_str();
    RetocarVariada(gestor);

    const AnsiString ruta = carpeta.Ruta() + "variada_guardada.bdc";
    ASSERT_TRUE(gestor.Guardar(ruta)) << gestor.UltimoError().c_str();
    std::string escrito = Bytes(ruta);
    escrito += Escrito([&](FileWriter& f) { gestor.EscribirVariante(f); });
    for (bdLibreria* base : gestor.Bases(GestorBD::Orden::Fichero))
        for (int i = 0; i < base->NumeroHijos(); ++i) {
            ObjetoBase* elemento = base->Hijo(i);
            escrito += Escrito([&](FileWriter& f) {
                elemento->Escribir(f);
                elemento->EscribirSinLibreria(f, 1);
                elemento->EscribirVariante(f);
            });
        }
    const std::string esperado = Bytes(QUENBAR_DATOS_PRUEBA "/bdc/variada_guardada.bdc");
    const size_t distinto = static_cast<size_t>(
        std::mismatch(escrito.begin(), escrito.end(), esperado.begin(), esperado.end()).first -
        escrito.begin());
    EXPECT_EQ(distinto, esperado.size()) << "escrito: " << escrito.substr(distinto, 80)
                                         << "\nesperado: " << esperado.substr(distinto, 80);
    EXPECT_EQ(escrito.size(), esperado.size());
}

// Los materiales, acristalamientos y marcos de librería de una base de datos o de una
// librería: el guardado deja fuera los que el catálogo tiene (al cargar, él los da) y
// escribe tal como son los demás, que se leen de vuelta iguales; otro guardado da los mismos
// bytes. Un nombre que el catálogo tiene en otro tipo no cuenta.
TEST_F(PruebaGuardar, DeLaLibreriaSoloSeDejaFueraLoQueElCatalogoTiene) {
    PonerCatalogo("TEMPLARY = STANDARD\n" + MaterialRegistro("Lana", "0.04", "YES") +
                  VidrioRegistro("Doble cat", "2.8", true, "YES") +
                  MarcoRegistro("PVC cat", "1.8", "YES") +
                  MaterialRegistro("Marco suelto", "0.5", "YES"));
    const std::string base =
        "TEMPLARY = USER\n" + MaterialRegistro("Propio", "0.3", "NO") +
        MaterialRegistro("Lana", "0.04", "YES") + MaterialRegistro("Corcho", "0.045", "YES") +
        VidrioRegistro("Doble cat", "2.8", true, "YES") +
        VidrioRegistro("Triple", "1.1", true, "YES") + MarcoRegistro("PVC cat", "1.8", "YES") +
        MarcoRegistro("Marco suelto", "2.3", "YES");
    struct Elemento {
        TipoObjeto tipo;
        const char* nombre;
        const char* cabecera;
        const char* clave;
        float valor;
        bool enCatalogo;
    } const elementos[] = {
        {TIPO_MATERIAL, "Propio", "\"Propio\" = MATERIAL", "Conductividad", 0.3f, false},
        {TIPO_MATERIAL, "Lana", "\"Lana\" = MATERIAL", "Conductividad", 0.04f, true},
        {TIPO_MATERIAL, "Corcho", "\"Corcho\" = MATERIAL", "Conductividad", 0.045f, false},
        {TIPO_ACRISTALAMIENTO, "Doble cat", "\"Doble cat\" = GLASS-TYPE", "Conductancia", 2.8f,
         true},
        {TIPO_ACRISTALAMIENTO, "Triple", "\"Triple\" = GLASS-TYPE", "Conductancia", 1.1f, false},
        {TIPO_MARCO, "PVC cat", "\"PVC cat\" = NAME-FRAME", "frameConduct", 1.8f, true},
        {TIPO_MARCO, "Marco suelto", "\"Marco suelto\" = NAME-FRAME", "frameConduct", 2.3f, false},
    };
    // Una base de datos se guarda con Guardar; una librería, como la escribe "Guardar
    // libreria".
    for (TipoLista tipo : {LISTA_PROGRAMA, LISTA_USUARIO}) {
        SCOPED_TRACE(tipo == LISTA_PROGRAMA ? "base de datos" : "librería");
        const AnsiString origen = Fichero("origen.bdc", base);
        const AnsiString primera = carpeta.Ruta() + "primera.bdc";
        const AnsiString segunda = carpeta.Ruta() + "segunda.bdc";
        auto guardar = [&](GestorBD& gestor, const AnsiString& ruta) {
            if (tipo == LISTA_PROGRAMA) {
                ASSERT_TRUE(gestor.Guardar(ruta)) << gestor.UltimoError().c_str();
                return;
            }
            FileWriter fichero;
            ASSERT_TRUE(fichero.Open(ruta));
            gestor.Escribir(fichero);
            ASSERT_TRUE(fichero.Commit());
        };
        {
            GestorBD gestor("Origen", tipo);
            ASSERT_TRUE(gestor.Cargar(origen));
            std::vector<std::string> fuera;
            for (ObjetoBase* elemento : gestor.QuedanFuera())
                fuera.emplace_back(elemento->ObtenerNombre().c_str());
            EXPECT_EQ(fuera, (std::vector<std::string>{"Lana", "Doble cat", "PVC cat"}));
            guardar(gestor, primera);
        }
        const std::string escrito = Bytes(primera);
        GestorBD leido("Leido", tipo);
        ASSERT_TRUE(leido.Cargar(primera));
        for (const Elemento& e : elementos) {
            SCOPED_TRACE(e.nombre);
            const size_t donde = escrito.find(e.cabecera);
            ObjetoBase* vuelta = leido.Buscar(e.tipo, e.nombre);
            if (e.enCatalogo) {
                EXPECT_EQ(donde, std::string::npos);
                EXPECT_EQ(vuelta, nullptr);
                continue;
            }
            ASSERT_NE(donde, std::string::npos) << escrito;
            const bool deLibreria = std::string(e.nombre) != "Propio";
            const size_t libreria = escrito.find("LIBRARY", donde);
            ASSERT_NE(libreria, std::string::npos);
            const std::string linea =
                escrito.substr(libreria, escrito.find("\r\n", libreria) - libreria);
            EXPECT_TRUE(linea.ends_with(deLibreria ? "= YES" : "= NO") ||
                        linea.ends_with(deLibreria ? "=  YES" : "=  NO"))
                << linea;
            ASSERT_NE(vuelta, nullptr);
            EXPECT_EQ(vuelta->EsLibreria(), deLibreria);
            EXPECT_FLOAT_EQ(Real(*vuelta, e.clave), e.valor);
        }
        guardar(leido, segunda);
        EXPECT_EQ(Bytes(segunda), escrito);
    }
}

// Los hijos elemento de un nodo, por nombre, en orden.
std::vector<std::string> Hijos(IXMLNode* nodo) {
    std::vector<std::string> nombres;
    IXMLNodeList* hijos = nodo->GetChildNodes();
    for (int i = 0; i < hijos->GetCount(); ++i)
        if (hijos->GetNodes(i)->GetNodeType() == ntElement)
            nombres.push_back(hijos->GetNodes(i)->GetNodeName().c_str());
    return nombres;
}

const std::vector<std::string> kGrupos = {
    "BD", "gMaterials", "gLayers", "gNameFrames", "gGlassTypes", "gGaps", "gPuentesTermicos"};

TEST_F(PruebaGuardar, ElXMLDeUnaBaseVaciaYDeUnaEstandar) {
    struct Caso {
        const char* plantilla;
        const char* templary;
    } casos[] = {{"TEMPLARY = USER\n", "user"}, {"TEMPLARY = STANDARD\n", "standard"}};
    for (const Caso& caso : casos) {
        GestorBD gestor("Vacía", LISTA_PROGRAMA);
        gestor.Cargar(Fichero("base.bdc", caso.plantilla));
        AnsiString ruta = carpeta.Ruta() + "vacia.xml";
        ASSERT_TRUE(gestor.GuardarXML(ruta)) << gestor.UltimoError().c_str();

        TXMLDocument leido;
        leido.LoadFromFile(ruta); // lanza si no está bien formado
        IXMLNode* raiz = leido.GetDocumentElement();
        ASSERT_NE(raiz, nullptr);
        EXPECT_EQ(raiz->GetNodeName(), AnsiString("DATABASE"));
        EXPECT_EQ(Hijos(raiz), kGrupos);
        IXMLNodeList* grupos = raiz->GetChildNodes();
        EXPECT_EQ(grupos->FindNode("BD")->GetAttributes("templary"), AnsiString(caso.templary));
        for (size_t i = 1; i < kGrupos.size(); ++i)
            EXPECT_TRUE(Hijos(grupos->FindNode(kGrupos[i].c_str())).empty()) << kGrupos[i];
    }
}

TEST_F(PruebaGuardar, ElXMLLlevaCadaElementoEnSuGrupoYEnUTF8) {
    GestorBD gestor("Base", LISTA_PROGRAMA);
    gestor.Cargar(Fichero("base.bdc", kBaseDeEjemplo));
    AnsiString ruta = carpeta.Ruta() + "base.xml";
    TXMLDocument documento;
    ASSERT_TRUE(gestor.GuardarXML(ruta, documento)) << gestor.UltimoError().c_str();
    // El documento dado es el que se armó.
    ASSERT_NE(documento.GetDocumentElement(), nullptr);
    EXPECT_EQ(documento.GetDocumentElement()->GetNodeName(), AnsiString("DATABASE"));

    std::string bytes = Bytes(ruta);
    EXPECT_EQ(bytes.rfind("<?xml", 0), 0u);
    // "Fábricas de ladrillo": la "á" en UTF-8, no en Windows-1252.
    EXPECT_NE(bytes.find("F\xC3\xA1"
                         "bricas de ladrillo"),
              std::string::npos);
    EXPECT_EQ(bytes.find("F\xE1"
                         "bricas"),
              std::string::npos);

    TXMLDocument leido;
    leido.LoadFromFile(ruta);
    IXMLNode* raiz = leido.GetDocumentElement();
    ASSERT_NE(raiz, nullptr);
    EXPECT_EQ(Hijos(raiz), kGrupos);
    // Los de librería también van en el XML: dos acristalamientos.
    struct Grupo {
        const char* nombre;
        size_t elementos;
    } grupos[] = {{"gMaterials", 2},  {"gLayers", 1}, {"gNameFrames", 1},
                  {"gGlassTypes", 2}, {"gGaps", 1},   {"gPuentesTermicos", 1}};
    for (const Grupo& g : grupos) {
        IXMLNode* nodo = raiz->GetChildNodes()->FindNode(g.nombre);
        ASSERT_NE(nodo, nullptr) << g.nombre;
        EXPECT_EQ(Hijos(nodo).size(), g.elementos) << g.nombre;
    }
}

TEST_F(PruebaGuardar, UnXMLQueNoSePuedeGuardarDejaElAnterior) {
    GestorBD gestor("Base", LISTA_PROGRAMA);
    gestor.Cargar(Fichero("base.bdc", kBaseDeEjemplo));
    const std::string viejo = "<viejo/>\n";
    AnsiString ruta = Fichero("base.xml", viejo);
    const std::vector<std::string> antes = FicherosDe(carpeta.Ruta());
    for (FileWriter::Failure fallo : {FileWriter::Failure::Write, FileWriter::Failure::Close}) {
        FileWriter::InjectFailureForTests(fallo);
        EXPECT_FALSE(gestor.GuardarXML(ruta));
        EXPECT_FALSE(gestor.UltimoError().IsEmpty());
        EXPECT_EQ(Bytes(ruta), viejo);
        EXPECT_EQ(FicherosDe(carpeta.Ruta()), antes);
    }
    EXPECT_FALSE(gestor.GuardarXML(carpeta.Ruta() + "no/existe/base.xml"));
    EXPECT_FALSE(gestor.UltimoError().IsEmpty());
    ASSERT_TRUE(gestor.GuardarXML(ruta)) << gestor.UltimoError().c_str();
    EXPECT_NE(Bytes(ruta).find("<DATABASE>"), std::string::npos);
}

// La base variada copiada una y otra vez: en cada copia tras la primera, los textos entre
// comillas que no est�n vac�os llevan " #k", as� que ning�n nombre se repite y los
// cerramientos y los huecos usan las partes de su propia copia.
std::string VariadaRepetida(int copias) {
    const std::string cabecera = "TEMPLARY = USER\n";
    const size_t inicio = kBaseVariada.find(cabecera) + cabecera.size();
    const std::string registros = kBaseVariada.substr(inicio);
    std::string texto = kBaseVariada;
    texto.reserve(kBaseVariada.size() * static_cast<size_t>(copias) * 11 / 10);
    for (int k = 1; k < copias; ++k) {
        const std::string marca = " #" + std::to_string(k);
        bool dentro = false;
        for (char c : registros) {
            if (c == '"') {
                if (dentro && texto.back() != '"') texto += marca;
                dentro = !dentro;
            }
            texto += c;
        }
    }
    return texto;
}

// FNV-1a de 64 bits.
uint64_t Huella(const std::string& bytes) {
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

// El XML de la base variada, retocada adem�s con textos que el XML escapa o no admite, byte
// a byte; y el de la misma base repetida hasta unos 10.000 y 100.000 elementos, por su largo
// y la huella de sus bytes. Son los bytes que escrib�a el guardado cuando se fijaron: c�mo se
// arma el �rbol no cambia nada de lo que los usuarios guardan.
TEST_F(PruebaGuardar, ElXMLDeUnaBaseVariadaTieneLosBytesDeSiempre) {
    PonerCatalogo(MaterialRegistro("Cat", "1", "YES"));
    struct Caso {
        int copias;
        int elementos;
        size_t largo;
        uint64_t huella;
    } const casos[] = {{1, 15, 6240, 11481324328218327446ull},
                       {667, 10005, 4159848, 10594756497325497723ull},
                       {6667, 100005, 41798859, 10350849831202374313ull}};
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.copias);
        GestorBD gestor("Variada", LISTA_PROGRAMA);
        gestor.Cargar(Fichero("variada.bdc", VariadaRepetida(caso.copias)));
        int elementos = 0;
        for (bdLibreria* base : gestor.Bases(GestorBD::Orden::Fichero))
            elementos += base->NumeroHijos();
        EXPECT_EQ(elementos, caso.elementos);
        RetocarVariada(gestor);
        ObjetoBase* yeso = gestor.Base(TIPO_MATERIAL)->BuscarEnHijos("Yeso");
        yeso->AsignarPropiedad("Dumvat", "<&'\t\x01\x1f\x7f\x80\x9f\xff>\"\r\n");
        gestor.Base(TIPO_MATERIAL)
            ->BuscarEnHijos(std::string(240, 'M').c_str())
            ->PonerNombre("M \"q\" & <a>\t\n\r'x' \x80\x01");

        const AnsiString ruta = carpeta.Ruta() + "variada.xml";
        ASSERT_TRUE(gestor.GuardarXML(ruta)) << gestor.UltimoError().c_str();
        const std::string escrito = Bytes(ruta);
        EXPECT_EQ(escrito.size(), caso.largo);
        EXPECT_EQ(Huella(escrito), caso.huella);
        // La base sin repetir, guardada entera, dice d�nde est� el primer byte distinto.
        if (caso.copias == 1) {
            const std::string esperado = Bytes(QUENBAR_DATOS_PRUEBA "/bdc/variada_guardada.xml");
            const size_t distinto = static_cast<size_t>(
                std::mismatch(escrito.begin(), escrito.end(), esperado.begin(), esperado.end())
                    .first -
                escrito.begin());
            EXPECT_EQ(distinto, esperado.size()) << "escrito: " << escrito.substr(distinto, 80)
                                                 << "\nesperado: " << esperado.substr(distinto, 80);
        }
    }
}

} // namespace
