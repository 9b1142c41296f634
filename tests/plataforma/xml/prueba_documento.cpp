// TXMLDocument: building, saving and loading back, the encodings, parse errors, the
// refusal to expand or fetch entities, and saves that either succeed whole or change nothing.

#include "plataforma/base/file_errors.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/xml/xml_document.h"
#include "plataforma/xml/xml_errors.h"
#include "plataforma/xml/xml_node.h"
#include "plataforma/xml/xml_node_list.h"
#include "tests/comun/carpeta_temporal.h"

#include <gtest/gtest.h>
#include <libxml/xmlerror.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string Leer(const AnsiString& ruta) {
    std::string contenido;
    EXPECT_TRUE(ReadWholeFile(ruta, contenido)) << ruta.c_str();
    return contenido;
}

int FicherosEn(const AnsiString& carpeta) {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(carpeta.str())) {
        (void)e;
        ++n;
    }
    return n;
}

// The frame of a database save: an element with attributes, children with text, an empty
// element with only an attribute.
void Construir(TXMLDocument& doc, const AnsiString& nombreMaterial) {
    doc.SetActive(true);
    IXMLNode* raiz = doc.AddChild("DATABASE");
    raiz->AddChild("BD")->SetAttributes("templary", "standard");
    IXMLNode* material = raiz->AddChild("gMaterials")->AddChild("Material");
    material->SetAttributes("name", nombreMaterial);
    material->AddChild("library")->SetText("NO");
    material->AddChild("image")->SetAttributes("name", "picture.jpg");
    raiz->AddChild("gLayers");
}

TEST(TXMLDocument, BuildsSavesAndLoadsBackTheSameTree) {
    CarpetaTemporal carpeta;
    AnsiString ruta = carpeta.Ruta() + "bd.xml";
    {
        TXMLDocument doc;
        Construir(doc, "Ladrillo");
        doc.SaveToFile(ruta);
    }
    std::string guardado = Leer(ruta);
    EXPECT_EQ(guardado.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", 0), 0u) << guardado;

    TXMLDocument doc;
    doc.LoadFromFile(ruta);
    EXPECT_TRUE(doc.GetActive());
    EXPECT_EQ(doc.GetFileName(), ruta);
    IXMLNode* raiz = doc.GetDocumentElement();
    ASSERT_NE(raiz, nullptr);
    EXPECT_EQ(raiz->GetNodeName(), "DATABASE");
    IXMLNodeList* grupos = raiz->GetChildNodes();
    ASSERT_EQ(grupos->GetCount(), 3); // the indentation of the file is not kept as text
    EXPECT_EQ(grupos->GetNodes(0)->GetNodeName(), "BD");
    EXPECT_EQ(grupos->GetNodes(0)->GetAttributes("templary"), "standard");
    EXPECT_EQ(grupos->GetNodes(2)->GetNodeName(), "gLayers");
    EXPECT_FALSE(grupos->GetNodes(2)->HasChildNodes());
    IXMLNode* material = grupos->FindNode("gMaterials")->GetChildNodes()->GetNodes(0);
    EXPECT_EQ(material->GetAttributes("name"), "Ladrillo");
    EXPECT_EQ(material->GetChildNodes()->FindNode("library")->GetText(), "NO");
    IXMLNode* imagen = material->GetChildNodes()->FindNode("image");
    EXPECT_EQ(imagen->GetAttributes("name"), "picture.jpg");
    EXPECT_FALSE(imagen->HasChildNodes());

    // Loading and saving again gives the same bytes.
    EXPECT_EQ(doc.SaveToXML(), guardado);
    // SaveToFile with no name writes to FileName.
    material->SetAttributes("name", "Otro");
    doc.SaveToFile();
    EXPECT_NE(Leer(ruta).find("name=\"Otro\""), std::string::npos);
}

// The bytes of a save, whole: a change of the serializer's options or of the way the bytes
// reach the file would change what users' files hold. A large document goes out in many
// blocks; the file holds the same bytes as the text.
TEST(TXMLDocument, SavesTheSameBytesToAFileAndToAText) {
    CarpetaTemporal carpeta;
    const AnsiString ruta = carpeta.Ruta() + "bd.xml";
    TXMLDocument doc;
    Construir(doc, "Ladrillo & \"Ñ\" <1>");
    doc.SaveToFile(ruta);
    const std::string esperado =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<DATABASE>\n"
        "  <BD templary=\"standard\"/>\n"
        "  <gMaterials>\n"
        "    <Material name=\"Ladrillo &amp; &quot;\xC3\x91&quot; &lt;1&gt;\">\n"
        "      <library>NO</library>\n"
        "      <image name=\"picture.jpg\"/>\n"
        "    </Material>\n"
        "  </gMaterials>\n"
        "  <gLayers/>\n"
        "</DATABASE>\n";
    EXPECT_EQ(Leer(ruta), esperado);
    EXPECT_EQ(doc.SaveToXML(), esperado);

    IXMLNode* capas = doc.GetDocumentElement()->GetChildNodes()->FindNode("gLayers");
    for (int i = 0; i < 20000; ++i)
        capas->AddChild("Layer")->SetText(AnsiString("Capa nº " + std::to_string(i) + " < & >"));
    doc.SaveToFile(ruta);
    const std::string grande = Leer(ruta);
    EXPECT_GT(grande.size(), 20000u * 40);
    EXPECT_EQ(grande, doc.SaveToXML());
    EXPECT_NE(grande.find("    <Layer>Capa n\xC2\xBA 19999 &lt; &amp; &gt;</Layer>\n  </gLayers>\n"
                          "</DATABASE>\n"),
              std::string::npos);
}

TEST(TXMLDocument, ActivationAndTheDocumentElement) {
    TXMLDocument doc;
    EXPECT_FALSE(doc.GetActive());
    EXPECT_THROW(doc.GetDocumentElement(), EXMLDocError);
    EXPECT_THROW(doc.SaveToXML(), EXMLDocError);
    EXPECT_THROW(doc.AddChild("a"), EXMLDocError);

    doc.SetActive(true);
    EXPECT_TRUE(doc.GetActive());
    EXPECT_EQ(doc.GetDocumentElement(), nullptr);
    EXPECT_THROW(doc.SaveToXML(), EXMLDocError); // no document element: not XML
    IXMLNode* raiz = doc.AddChild("raiz");
    EXPECT_EQ(doc.GetDocumentElement(), raiz);
    EXPECT_EQ(doc.GetChildNodes()->GetCount(), 1);
    EXPECT_EQ(raiz->GetParentNode(), doc.GetNode());
    EXPECT_EQ(doc.GetNode()->GetNodeType(), ntDocument);
    EXPECT_EQ(doc.GetNode()->GetParentNode(), nullptr);
    EXPECT_THROW(doc.AddChild("otra"), EXMLDocError);

    doc.SetActive(false);
    EXPECT_FALSE(doc.GetActive());

    // Activating with a file name loads it.
    CarpetaTemporal carpeta;
    doc.SetFileName(carpeta.Fichero("a.xml", "<a><b/></a>"));
    doc.SetActive(true);
    EXPECT_EQ(doc.GetDocumentElement()->GetChildNodes()->GetNodes(0)->GetNodeName(), "b");
}

// Thousands of nodes, each with its child lists asked for (so each node owns something), the
// document emptied and built again: every node stays its own, found again from the tree, and
// the save holds them all.
TEST(TXMLDocument, ManyNodesStayTheirOwnAcrossAReset) {
    TXMLDocument doc;
    for (int vuelta = 0; vuelta < 2; ++vuelta) {
        doc.SetActive(true);
        IXMLNode* raiz = doc.AddChild("raiz");
        const int n = 2500 + 700 * vuelta;
        std::vector<IXMLNode*> hijos;
        for (int i = 0; i < n; ++i) {
            IXMLNode* hijo = raiz->AddChild("e");
            hijo->SetText(AnsiString(std::to_string(i + vuelta)));
            EXPECT_EQ(hijo->GetChildNodes()->GetCount(), 1);
            hijos.push_back(hijo);
        }
        IXMLNodeList* lista = raiz->GetChildNodes();
        ASSERT_EQ(lista->GetCount(), n);
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(lista->GetNodes(i), hijos[static_cast<size_t>(i)]);
            ASSERT_EQ(hijos[static_cast<size_t>(i)]->GetText(), std::to_string(i + vuelta).c_str());
        }
        const std::string xml = doc.SaveToXML();
        EXPECT_NE(xml.find("<e>" + std::to_string(n - 1 + vuelta) + "</e>"), std::string::npos);
        doc.SetActive(false);
    }
}

TEST(TXMLDocument, Windows1252TextsRoundTripAsUtf8) {
    // Every byte a name can hold, the markup characters among them.
    AnsiString todos = "\t\n\r";
    for (int c = 0x20; c <= 0xFF; ++c)
        todos += static_cast<char>(c);
    const AnsiString nombreElemento = "Descripción";
    const AnsiString nombreAtributo = "número";

    CarpetaTemporal carpeta;
    AnsiString ruta = carpeta.Ruta() + "acentos.xml";
    {
        TXMLDocument doc;
        doc.SetActive(true);
        IXMLNode* raiz = doc.AddChild("raíz");
        IXMLNode* e = raiz->AddChild(nombreElemento);
        e->SetText(todos);
        e->SetAttributes(nombreAtributo, todos);
        raiz->AddChild("cdata")->SetText("]]>");
        doc.SaveToFile(ruta);
    }
    std::string bytes = Leer(ruta);
    EXPECT_NE(bytes.find("Descripci\xC3\xB3n"), std::string::npos);
    EXPECT_NE(bytes.find("n\xC3\xBAmero=\""), std::string::npos);
    EXPECT_NE(bytes.find("\xE2\x82\xAC"), std::string::npos); // the euro sign, 0x80

    TXMLDocument doc;
    doc.LoadFromFile(ruta);
    IXMLNode* raiz = doc.GetDocumentElement();
    EXPECT_EQ(raiz->GetNodeName(), "raíz");
    IXMLNode* e = raiz->GetChildNodes()->FindNode(nombreElemento);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->GetText(), todos);
    EXPECT_TRUE(e->HasAttribute(nombreAtributo));
    EXPECT_EQ(e->GetAttributes(nombreAtributo), todos);
    EXPECT_EQ(raiz->GetChildNodes()->FindNode("cdata")->GetText(), "]]>");
}

TEST(TXMLDocument, ControlsXmlCannotHoldAreDropped) {
    const AnsiString conControles(std::string("a\x01"
                                              "b\x00"
                                              "c\x1F\x0B\x0C",
                                              8));
    TXMLDocument doc;
    doc.SetActive(true);
    IXMLNode* raiz = doc.AddChild("r");
    raiz->SetText(conControles);
    raiz->SetAttributes("n", conControles);
    std::string xml = doc.SaveToXML();

    TXMLDocument leido;
    leido.LoadFromXML(xml); // well-formed
    EXPECT_EQ(leido.GetDocumentElement()->GetText(), "abc");
    EXPECT_EQ(leido.GetDocumentElement()->GetAttributes("n"), "abc");
}

// 8-bit files declared ISO-8859-1 (as the grid writes them) carry Windows-1252 bytes.
TEST(TXMLDocument, ReadsTheEncodingTheDeclarationNames) {
    struct Caso {
        const char* nombre;
        std::string bytes;
    };
    const Caso casos[] = {
        {"ISO-8859-1", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n"
                       "<a n=\"\x80\">\xE9\x80\x8A</a>\r\n"},
        {"latin1", "<?xml version='1.0' encoding='latin1'?><a n=\"\x80\">\xE9\x80\x8A</a>"},
        {"windows-1252", "<?xml version=\"1.0\" encoding = \"Windows-1252\"?>"
                         "<a n=\"\x80\">\xE9\x80\x8A</a>"},
        {"UTF-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                  "<a n=\"\xE2\x82\xAC\">\xC3\xA9\xE2\x82\xAC\xC5\xA0</a>"},
        {"sin declaración", "<a n=\"\xE2\x82\xAC\">\xC3\xA9\xE2\x82\xAC\xC5\xA0</a>"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        TXMLDocument doc;
        doc.LoadFromXML(caso.bytes);
        EXPECT_EQ(doc.GetDocumentElement()->GetText(), "é€Š");
        EXPECT_EQ(doc.GetDocumentElement()->GetAttributes("n"), "€");
        // Saved again, it is UTF-8 whatever it was read from.
        EXPECT_NE(doc.SaveToXML().find("\xC3\xA9\xE2\x82\xAC\xC5\xA0"), std::string::npos);
    }
}

TEST(TXMLDocument, AnIllFormedFileReportsTheParserCodeAndLine) {
    struct Caso {
        const char* nombre;
        std::string bytes;
        int codigo;
        int linea;
    };
    const Caso casos[] = {
        {"etiqueta cruzada", "<a>\n<b>\n</c>\n</a>\n", XML_ERR_TAG_NAME_MISMATCH, 3},
        {"cortado", "<a>\n<b>x</b>\n</a", XML_ERR_GT_REQUIRED, 3},
        {"vacío", "", XML_ERR_DOCUMENT_EMPTY, 1},
        {"dos raíces", "<a/>\n\n<b/>", XML_ERR_DOCUMENT_END, 3},
        {"entidad sin declarar", "<a>\n&nada;</a>", XML_ERR_UNDECLARED_ENTITY, 2},
        {"no es UTF-8", "<?xml version=\"1.0\"?>\n<a>\xE9</a>", XML_ERR_INVALID_CHAR, 2},
    };
    CarpetaTemporal carpeta;
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        TXMLDocument doc;
        doc.SetActive(true);
        doc.AddChild("anterior");
        try {
            doc.LoadFromFile(carpeta.Fichero("mal.xml", caso.bytes));
            ADD_FAILURE() << "loaded";
        } catch (const EDOMParseError& e) {
            EXPECT_EQ(e.GetErrorCode(), caso.codigo);
            EXPECT_EQ(e.GetLine(), caso.linea);
            EXPECT_GE(e.GetLinePos(), 1);
            EXPECT_FALSE(e.GetReason().IsEmpty());
        }
        EXPECT_FALSE(doc.GetActive()); // neither the old tree nor half of the new one
    }
}

TEST(TXMLDocument, AMissingFileRaisesEFOpenError) {
    CarpetaTemporal carpeta;
    TXMLDocument doc;
    EXPECT_THROW(doc.LoadFromFile(carpeta.Ruta() + "no-existe.xml"), EFOpenError);
    EXPECT_FALSE(doc.GetActive());
}

TEST(TXMLDocument, EntitiesAreNeverExpanded) {
    // An internal entity stays a reference: its text is not part of the element's, and a
    // save writes the reference back.
    TXMLDocument doc;
    doc.LoadFromXML("<!DOCTYPE a [<!ENTITY e \"Tom\">]><a>x&e;y</a>");
    IXMLNode* a = doc.GetDocumentElement();
    EXPECT_EQ(a->GetText(), "xy");
    ASSERT_EQ(a->GetChildNodes()->GetCount(), 3);
    IXMLNode* referencia = a->GetChildNodes()->GetNodes(1);
    EXPECT_EQ(referencia->GetNodeType(), ntEntityRef);
    EXPECT_EQ(referencia->GetNodeName(), "e");
    EXPECT_FALSE(referencia->HasChildNodes());
    EXPECT_EQ(referencia->GetChildNodes()->GetCount(), 0);
    EXPECT_NE(doc.SaveToXML().find("x&e;y"), std::string::npos);

    // Replacing the text drops the reference with it.
    a->SetText("nuevo");
    EXPECT_EQ(a->GetChildNodes()->GetCount(), 1);
    EXPECT_EQ(doc.SaveToXML().find("&e;"), std::string::npos);
}

TEST(TXMLDocument, AnEntityExpansionBombIsRefused) {
    std::string bomba = "<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [\n <!ENTITY lol \"lol\">\n";
    for (int i = 1; i <= 9; ++i) {
        std::string anterior = i == 1 ? "lol" : "lol" + std::to_string(i - 1);
        bomba += " <!ENTITY lol" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k)
            bomba += "&" + anterior + ";";
        bomba += "\">\n";
    }
    bomba += "]>\n<lolz a=\"&lol9;\">&lol9;</lolz>\n";
    TXMLDocument doc;
    EXPECT_THROW(doc.LoadFromXML(bomba), EDOMParseError);
    EXPECT_FALSE(doc.GetActive());
}

TEST(TXMLDocument, ExternalEntitiesAndDtdsAreNotFetched) {
    CarpetaTemporal carpeta;
    AnsiString secreto = carpeta.Fichero("secreto.txt", "SECRETO");
    AnsiString dtd = carpeta.Fichero("fuga.dtd", "<!ATTLIST a fuga CDATA \"SECRETO\">\n"
                                                 "<!ENTITY interna \"SECRETO\">\n");
    AnsiString parametro = carpeta.Fichero("param.dtd", "<!ATTLIST a fuga CDATA \"SECRETO\">\n");
    const std::string casos[] = {
        "<!DOCTYPE a [<!ENTITY x SYSTEM \"file://" + secreto.str() + "\">]><a>&x;</a>",
        "<!DOCTYPE a [<!ENTITY x SYSTEM \"" + secreto.str() + "\">]><a>&x;</a>",
        "<!DOCTYPE a SYSTEM \"" + dtd.str() + "\"><a/>",
        "<!DOCTYPE a [<!ENTITY % p SYSTEM \"" + parametro.str() + "\"> %p;]><a/>",
        "<!DOCTYPE a [<!ENTITY x SYSTEM \"http://127.0.0.1:9/x\">]><a>&x;</a>",
    };
    for (const std::string& xml : casos) {
        SCOPED_TRACE(xml);
        TXMLDocument doc;
        doc.LoadFromXML(xml);
        IXMLNode* a = doc.GetDocumentElement();
        EXPECT_EQ(a->GetText(), "");
        EXPECT_FALSE(a->HasAttribute("fuga"));
        EXPECT_EQ(doc.SaveToXML().find("SECRETO"), std::string::npos);
    }
}

TEST(TXMLDocument, AFailedSaveKeepsTheOldFile) {
    CarpetaTemporal carpeta;
    AnsiString ruta = carpeta.Ruta() + "bd.xml";
    TXMLDocument viejo;
    Construir(viejo, "Viejo");
    viejo.SaveToFile(ruta);
    const std::string antes = Leer(ruta);

    TXMLDocument nuevo;
    Construir(nuevo, "Nuevo");
    for (auto falla : {FileWriter::Failure::Write, FileWriter::Failure::Close}) {
        SCOPED_TRACE(static_cast<int>(falla));
        FileWriter::InjectFailureForTests(falla);
        EXPECT_THROW(nuevo.SaveToFile(ruta), EWriteError);
        EXPECT_EQ(Leer(ruta), antes);
        EXPECT_EQ(FicherosEn(carpeta.Ruta()), 1); // no temporary file left behind
    }
    EXPECT_THROW(nuevo.SaveToFile(carpeta.Ruta() + "no/existe/bd.xml"), EFCreateError);
    nuevo.SaveToFile(ruta);
    EXPECT_NE(Leer(ruta).find("Nuevo"), std::string::npos);
}

} // namespace
