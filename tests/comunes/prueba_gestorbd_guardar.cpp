// GestorBD guardado: el fichero ".BDC" de una base vacía byte a byte, guardar, leer y
// volver a guardar igual, lo que no se escribe, un guardado que falla (el fichero anterior
// queda), las formas variante y de exportación y el guardado XML leído de vuelta.

#include "comunes/Cambios.h"
#include "comunes/GestorBD.h"
#include "comunes/bdMateriales.h"
#include "tests/comunes/gestorbd_prueba.h"
#include "tests/comunes/registros_prueba.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/xml/xml_document.h"
#include "plataforma/xml/xml_node.h"
#include "plataforma/xml/xml_node_list.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
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
        gestor.Cargar(Fichero("base.bdc", kBaseDeEjemplo));
        ASSERT_TRUE(gestor.Guardar(primera)) << gestor.UltimoError().c_str();
    }
    std::string escrito = Bytes(primera);
    EXPECT_EQ(escrito.rfind(LineasCRLF({"$", "CAMBIO = NO", "CAMBIO-DUMVAT = SI"}), 0), 0u);
    // Un acristalamiento de librería no se guarda; un cerramiento de librería sí, con YES.
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

} // namespace
