// DocumentoXML: the document built in memory, attribute values as a variant converts them,
// and saves and loads that report failure.

#include "comunes/DocumentoXML.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/xml/xml_document.h"
#include "plataforma/xml/xml_errors.h"
#include "plataforma/xml/xml_node.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/separador_regional.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

namespace {

std::string Leer(const AnsiString& ruta) {
    std::string contenido;
    EXPECT_TRUE(ReadWholeFile(ruta, contenido));
    return contenido;
}

TEST(DocumentoXML, ConstruyeGuardaYSeLeeDeVuelta) {
    CarpetaTemporal carpeta;
    AnsiString ruta = carpeta.Ruta() + "base.xml";
    TXMLDocument componente;
    DocumentoXML documento(componente);
    // El componente de la ventana se reutiliza: cada documento nuevo empieza de cero.
    documento.NuevoDocumento("VIEJO");
    documento.NuevoNodoRaiz("restos");
    documento.NuevoDocumento("DATABASE");
    documento.PonerAtributo(documento.NuevoNodoRaiz("BD"), "templary", "standard");
    IXMLNode* grupo = documento.NuevoNodoRaiz("gMaterials");
    IXMLNode* material = documento.NuevoNodo(grupo, "Material");
    documento.PonerAtributo(material, "name", AnsiString("Hormigón armado"));
    documento.PonerTexto(documento.NuevoNodo(material, "library"), "NO");
    ASSERT_TRUE(documento.Guardar(ruta)) << documento.UltimoError().c_str();
    EXPECT_EQ(documento.UltimoError(), "");
    EXPECT_EQ(Leer(ruta).find("restos"), std::string::npos);

    TXMLDocument otro;
    DocumentoXML lector(otro);
    ASSERT_TRUE(lector.Abrir(ruta));
    IXMLNode* raiz = otro.GetDocumentElement();
    EXPECT_EQ(raiz->GetNodeName(), "DATABASE");
    ASSERT_EQ(raiz->GetChildNodes()->GetCount(), 2);
    EXPECT_EQ(raiz->GetChildNodes()->GetNodes(0)->GetAttributes("templary"), "standard");
    IXMLNode* leido = raiz->GetChildNodes()->GetNodes(1)->GetChildNodes()->GetNodes(0);
    EXPECT_EQ(leido->GetAttributes("name"), "Hormigón armado");
    EXPECT_EQ(leido->GetChildNodes()->FindNode("library")->GetText(), "NO");
}

TEST(DocumentoXML, LosNumerosSeEscribenComoLosConvierteUnaVariante) {
    TXMLDocument componente;
    DocumentoXML documento(componente);
    documento.NuevoDocumento("r");
    IXMLNode* nodo = documento.NuevoNodoRaiz("n");
    struct Caso {
        const char* nombre;
        char separador;
        std::function<void()> poner;
        const char* esperado;
    };
    const Caso casos[] = {
        {"float", '.', [&] { documento.PonerAtributo(nodo, "v", 0.6f); }, "0.600000023841858"},
        {"double", '.', [&] { documento.PonerAtributo(nodo, "v", 0.5); }, "0.5"},
        {"double regional", ',', [&] { documento.PonerAtributo(nodo, "v", 2.25); }, "2,25"},
        {"double grande", '.', [&] { documento.PonerAtributo(nodo, "v", 1e20); }, "1E20"},
        {"int", '.', [&] { documento.PonerAtributo(nodo, "v", -3); }, "-3"},
        {"long long", '.', [&] { documento.PonerAtributo(nodo, "v", 1000000000000LL); },
         "1000000000000"},
        {"unsigned", '.', [&] { documento.PonerAtributo(nodo, "v", 7u); }, "7"},
        {"unsigned long long", '.', [&] { documento.PonerAtributo(nodo, "v", ULLONG_MAX); },
         "18446744073709551615"},
        {"texto", ',', [&] { documento.PonerAtributo(nodo, "v", "1.5"); }, "1.5"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        SeparadorRegional separador(caso.separador);
        caso.poner();
        EXPECT_EQ(nodo->GetAttributes("v"), caso.esperado);
    }
}

TEST(DocumentoXML, UnGuardadoFallidoLoDiceYDejaElFicheroAnterior) {
    CarpetaTemporal carpeta;
    AnsiString ruta = carpeta.Fichero("base.xml", "<anterior/>");
    TXMLDocument componente;
    DocumentoXML documento(componente);

    EXPECT_FALSE(documento.Guardar(ruta)); // sin documento
    EXPECT_NE(documento.UltimoError(), "");

    documento.NuevoDocumento("DATABASE");
    FileWriter::InjectFailureForTests(FileWriter::Failure::Write);
    EXPECT_FALSE(documento.Guardar(ruta));
    EXPECT_NE(documento.UltimoError().Pos(ruta), 0);
    EXPECT_EQ(Leer(ruta), "<anterior/>");

    EXPECT_FALSE(documento.Guardar(carpeta.Ruta() + "no/existe.xml"));
    EXPECT_NE(documento.UltimoError(), "");

    EXPECT_TRUE(documento.Guardar(ruta));
    EXPECT_NE(Leer(ruta).find("<DATABASE/>"), std::string::npos);
}

TEST(DocumentoXML, AbrirUnFicheroMaloLoDiceConLaLinea) {
    CarpetaTemporal carpeta;
    TXMLDocument componente;
    DocumentoXML documento(componente);

    ASSERT_FALSE(documento.Abrir(carpeta.Fichero("mal.xml", "<a>\n<b></a>")));
    EXPECT_NE(documento.UltimoError().Pos("línea 2"), 0) << documento.UltimoError().c_str();
    EXPECT_FALSE(componente.GetActive());

    EXPECT_FALSE(documento.Abrir(carpeta.Ruta() + "no-existe.xml"));
    EXPECT_NE(documento.UltimoError().Pos("no-existe.xml"), 0);

    // Sin documento no hay dónde poner nodos.
    EXPECT_THROW(documento.NuevoNodoRaiz("BD"), EXMLDocError);
    componente.SetFileName("");
    componente.SetActive(true); // un documento vacío, aún sin elemento raíz
    EXPECT_THROW(documento.NuevoNodoRaiz("BD"), EXMLDocError);
    EXPECT_THROW(documento.NuevoNodo(nullptr, "BD"), EXMLDocError);
}

} // namespace
