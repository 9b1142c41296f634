// La escritura de las bases de datos: las cabeceras de cada sección byte a byte (con y sin
// "$"), en qué escrituras salen, los elementos de librería que se dejan fuera, la ida y
// vuelta byte a byte de cada base y los grupos del guardado XML.

#include "tests/comunes/prueba_bd_entorno.h"

#include "comunes/DocumentoXML.h"
#include "comunes/ObjetoBase.h"
#include "comunes/bdAcristalamientos.h"
#include "comunes/bdCatalogo.h"
#include "comunes/bdLibreria.h"
#include "comunes/bdMateriales.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/xml/xml_document.h"
#include "plataforma/xml/xml_node.h"
#include "plataforma/xml/xml_node_list.h"
#include "tests/comunes/elementos_prueba.h"
#include "tests/comunes/registros_prueba.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {

// Las reglas de las cabeceras: treinta "+", con "$" delante o sin él.
const std::string kReglaComentario = "$" + std::string(30, '+') + "\r\n";
const std::string kRegla = std::string(30, '+') + "\r\n";

// Una base con dos elementos de cada tipo, y un cerramiento, un hueco y un puente térmico
// de librería, que se escriben enteros.
std::string BaseCompleta() {
    return MaterialRegistro("Yeso", "0.3") + MaterialRegistro("Ladrillo", "0.85") +
           CerramientoRegistro("Muro", "\"Ladrillo\",\"Yeso\"", "0.115,0.015") +
           CerramientoRegistro("Tabique", "\"Yeso\"", "0.07", "YES") + MarcoRegistro("PVC", "1.8") +
           MarcoRegistro("Madera", "2.2") + VidrioRegistro("Simple", "5.7") +
           VidrioRegistro("Doble", "2.8") + HuecoRegistro("H1", "Doble", "PVC") +
           HuecoRegistro("H2", "Simple", "Madera", "YES") + PuenteRegistro("PT1", "0.4") +
           PuenteRegistro("PT2", "0.55");
}

class EscrituraBD : public EntornoBD {};

TEST_F(EscrituraBD, CabecerasDeCadaSeccionByteAByte) {
    struct Caso {
        const char* que;
        std::string cabecera;
        bool enVariante;
        bool enExportar;
    } casos[] = {
        {"materiales", kReglaComentario + "$           MATERIALES\r\n " + kReglaComentario, false,
         true},
        {"cerramientos", kReglaComentario + "$         CERRAMIENTOS\r\n " + kReglaComentario, true,
         true},
        {"marcos", kRegla + "            MARCOS\r\n " + kRegla, false, false},
        {"acristalamientos",
         kReglaComentario + "$  ACRISTALAMIENTOS - VIDRIOS\r\n" + kReglaComentario, false, true},
        {"huecos", kRegla + "            HUECOS\r\n " + kRegla, false, false},
        {"puentes térmicos", kRegla + "        PUENTES TERMICOS\r\n " + kRegla, false, false},
    };
    const auto bases = Bases(LISTA_PROGRAMA);
    for (size_t i = 0; i < bases.size(); ++i) {
        const Caso& caso = casos[i];
        SCOPED_TRACE(caso.que);
        bdLibreria* base = bases[i];
        EXPECT_EQ(Escrito([&](FileWriter& f) { base->Escribir(f); }), caso.cabecera);
        EXPECT_EQ(Escrito([&](FileWriter& f) { base->EscribirVariante(f); }),
                  caso.enVariante ? caso.cabecera : "");
        EXPECT_EQ(Escrito([&](FileWriter& f) { base->Exportar(f); }),
                  caso.enExportar ? caso.cabecera : "");
    }
    // Los acristalamientos escriben lo mismo sin sus elementos de librería que con Escribir.
    EXPECT_EQ(Escrito([&](FileWriter& f) { bases[3]->EscribirSinLibreria(f, 1); }),
              casos[3].cabecera);
}

// Los materiales, acristalamientos y marcos de librería que el catálogo tiene se dejan fuera.
TEST_F(EscrituraBD, LosElementosDeLibreriaSeEscribenSoloSiSonCerramientosOHuecos) {
    PonerCatalogo(MaterialRegistro("DeLibreria", "0.3", "YES") +
                  MarcoRegistro("MarcoLib", "1.8", "YES") +
                  VidrioRegistro("VidrioLib", "2.8", true, "YES"));
    bdCatalogo catalogo("");
    CargarTodo(LISTA_PROGRAMA,
               MaterialRegistro("Propio", "0.3") + MaterialRegistro("DeLibreria", "0.3", "YES") +
                   CerramientoRegistro("MuroLib", "\"Propio\"", "0.1", "YES") +
                   MarcoRegistro("MarcoLib", "1.8", "YES") +
                   VidrioRegistro("VidrioLib", "2.8", true, "YES") +
                   HuecoRegistro("HuecoLib", "VidrioLib", "MarcoLib", "YES"),
               catalogo);
    const auto bases = Bases(LISTA_PROGRAMA);
    std::array<std::string, 6> escrito;
    for (size_t i = 0; i < bases.size(); ++i)
        escrito[i] = Escrito([&](FileWriter& f) { bases[i]->Escribir(f); });

    EXPECT_NE(escrito[0].find("\"Propio\" = MATERIAL"), std::string::npos) << escrito[0];
    EXPECT_EQ(escrito[0].find("DeLibreria"), std::string::npos) << escrito[0];
    EXPECT_EQ(escrito[2].find("MarcoLib"), std::string::npos) << escrito[2];
    EXPECT_EQ(escrito[3].find("VidrioLib"), std::string::npos) << escrito[3];
    for (size_t i : {1, 4}) {
        EXPECT_NE(escrito[i].find(i == 1 ? "\"MuroLib\" = LAYERS" : "\"HuecoLib\" = GAP"),
                  std::string::npos)
            << escrito[i];
        EXPECT_EQ(Veces(escrito[i], "YES"), 1) << escrito[i]; // LIBRARY, no UTIL
    }
}

TEST_F(EscrituraBD, CadaBaseEscritaSeLeeYSeVuelveAEscribirIgual) {
    const auto escribirTodas = [&](std::array<std::string, 6>& escrito) {
        const auto bases = Bases(LISTA_PROGRAMA);
        std::string todo;
        for (size_t i = 0; i < bases.size(); ++i) {
            escrito[i] = Escrito([&](FileWriter& f) { bases[i]->Escribir(f); });
            todo += escrito[i];
        }
        return todo;
    };

    bdCatalogo sinCatalogo("");
    CargarTodo(LISTA_PROGRAMA, BaseCompleta(), sinCatalogo);
    std::array<std::string, 6> primera;
    const std::string todo = escribirTodas(primera);
    for (bdLibreria* base : Bases(LISTA_PROGRAMA))
        base->Liberar();

    bdCatalogo otroSinCatalogo("");
    CargarTodo(LISTA_PROGRAMA, todo, otroSinCatalogo);
    std::array<std::string, 6> segunda;
    escribirTodas(segunda);

    const char* secciones[] = {"materiales",       "cerramientos", "marcos",
                               "acristalamientos", "huecos",       "puentes térmicos"};
    const int registros[] = {2, 2, 2, 2, 2, 2};
    const char* tipos[] = {"= MATERIAL",   "= LAYERS", "= NAME-FRAME",
                           "= GLASS-TYPE", "= GAP",    "= BRIDGE"};
    for (size_t i = 0; i < primera.size(); ++i) {
        SCOPED_TRACE(secciones[i]);
        EXPECT_EQ(Veces(primera[i], tipos[i]), registros[i]) << primera[i];
        EXPECT_EQ(primera[i], segunda[i]);
    }
}

TEST_F(EscrituraBD, LosRegistrosRepetidosConservanSusValoresAlGuardarYVolverACargar) {
    bdMateriales* materiales = bdMateriales::Instancia(LISTA_PROGRAMA);
    auto lector =
        Lector(MaterialRegistro("Ladrillo", "0.85") + MaterialRegistro("Ladrillo", "0.5"));
    materiales->Leer(lector.get());
    const std::string guardado = Escrito([&](FileWriter& f) { materiales->Escribir(f); });
    const AnsiString repetido = materiales->Hijo(1)->ObtenerNombre();
    materiales->Liberar();

    materiales = bdMateriales::Instancia(LISTA_PROGRAMA);
    auto otroLector = Lector(guardado);
    materiales->Leer(otroLector.get());
    ASSERT_EQ(materiales->NumeroHijos(), 2);
    EXPECT_FLOAT_EQ(Real(*Elemento(materiales, "Ladrillo"), "Conductividad"), 0.85f);
    ObjetoBase* segundo = Elemento(materiales, repetido);
    ASSERT_NE(segundo, nullptr) << repetido.c_str();
    EXPECT_FLOAT_EQ(Real(*segundo, "Conductividad"), 0.5f);
    // Su nombre completo pasa a ser el nombre con el que quedó guardado.
    EXPECT_EQ(Texto(*segundo, "Nombre completo"), repetido);
}

TEST_F(EscrituraBD, CadaBaseEscribeSuGrupoXMLConTodosSusElementos) {
    bdCatalogo sinCatalogo("");
    CargarTodo(LISTA_PROGRAMA, BaseCompleta(), sinCatalogo);

    TXMLDocument documento;
    DocumentoXML xml(documento);
    xml.NuevoDocumento("DATABASE");
    for (bdLibreria* base : Bases(LISTA_PROGRAMA))
        base->EscribirXML(xml, nullptr);
    TXMLDocument leido;
    leido.LoadFromXML(documento.SaveToXML()); // lanza si no está bien formado

    struct Grupo {
        const char* nombre;
        int elementos;
    } grupos[] = {{"gMaterials", 2},  {"gLayers", 2}, {"gNameFrames", 2},
                  {"gGlassTypes", 2}, {"gGaps", 2},   {"gPuentesTermicos", 2}};
    IXMLNodeList* hijos = leido.GetDocumentElement()->GetChildNodes();
    ASSERT_EQ(hijos->GetCount(), 6);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(grupos[i].nombre);
        IXMLNode* grupo = hijos->GetNodes(i);
        EXPECT_EQ(grupo->GetNodeName(), grupos[i].nombre);
        EXPECT_EQ(grupo->GetChildNodes()->GetCount(), grupos[i].elementos);
    }
}

} // namespace
