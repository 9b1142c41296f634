// IXMLNode and IXMLNodeList: children, text, attributes, names, and nodes that leave the
// tree.

#include "plataforma/xml/xml_document.h"
#include "plataforma/xml/xml_errors.h"
#include "plataforma/xml/xml_node.h"
#include "plataforma/xml/xml_node_list.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(IXMLNodeList, ChildrenInDocumentOrderWithoutTheIndentation) {
    TXMLDocument doc;
    doc.LoadFromXML("<r>\n  <a>1</a>\n  <!-- nota -->\n  <b x=\"1\" y=\"2\"> </b>\n"
                    "  <a>2</a><![CDATA[<c>]]>\n</r>\n");
    IXMLNode* r = doc.GetDocumentElement();
    IXMLNodeList* hijos = r->GetChildNodes();
    struct Esperado {
        const char* nombre;
        TNodeType tipo;
        const char* texto;
    };
    const Esperado esperados[] = {
        {"a", ntElement, "1"}, {"#comment", ntComment, " nota "},  {"b", ntElement, " "},
        {"a", ntElement, "2"}, {"#cdata-section", ntCData, "<c>"},
    };
    ASSERT_EQ(hijos->GetCount(), 5);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        IXMLNode* n = hijos->GetNodes(i);
        EXPECT_EQ(n->GetNodeName(), esperados[i].nombre);
        EXPECT_EQ(n->GetNodeType(), esperados[i].tipo);
        EXPECT_EQ(n->GetText(), esperados[i].texto);
        EXPECT_EQ(n->GetParentNode(), r);
        EXPECT_EQ(n->GetOwnerDocument(), &doc);
    }
    // The same node object each time it is reached.
    EXPECT_EQ(hijos->FindNode("a"), hijos->GetNodes(0));
    EXPECT_EQ(hijos->FindNode("z"), nullptr);
    EXPECT_THROW(hijos->GetNodes(5), EXMLDocError);
    EXPECT_THROW(hijos->GetNodes(-1), EXMLDocError);
    EXPECT_EQ(r->GetText(), "<c>"); // the element's own text: its CDATA, not its children's
    EXPECT_TRUE(hijos->GetNodes(2)->IsTextElement()); // a blank alone is a value
    EXPECT_FALSE(r->IsTextElement());

    // The list follows the tree.
    IXMLNode* c = r->AddChild("c");
    EXPECT_EQ(hijos->GetCount(), 6);
    EXPECT_EQ(hijos->GetNodes(5), c);
}

TEST(IXMLNodeList, SpacePreserveKeepsBlankText) {
    TXMLDocument doc;
    doc.LoadFromXML("<r>\n <p xml:space=\"preserve\">\n <a/>\n</p>\n <q>\n <a/>\n</q>\n</r>");
    IXMLNodeList* hijos = doc.GetDocumentElement()->GetChildNodes();
    EXPECT_EQ(hijos->FindNode("p")->GetChildNodes()->GetCount(), 3);
    EXPECT_EQ(hijos->FindNode("q")->GetChildNodes()->GetCount(), 1);
}

TEST(IXMLNode, AttributesByNameAndAsNodes) {
    TXMLDocument doc;
    doc.LoadFromXML("<b x=\"1\" y=\"dos\"/>");
    IXMLNode* b = doc.GetDocumentElement();
    EXPECT_TRUE(b->HasAttribute("x"));
    EXPECT_FALSE(b->HasAttribute("z"));
    EXPECT_EQ(b->GetAttributes("y"), "dos");
    EXPECT_EQ(b->GetAttributes("z"), "");

    IXMLNodeList* atributos = b->GetAttributeNodes();
    ASSERT_EQ(atributos->GetCount(), 2);
    IXMLNode* x = atributos->GetNodes(0);
    EXPECT_EQ(x->GetNodeType(), ntAttribute);
    EXPECT_EQ(x->GetNodeName(), "x");
    EXPECT_EQ(x->GetText(), "1");
    EXPECT_EQ(x->GetParentNode(), b);
    EXPECT_EQ(atributos->FindNode("y")->GetText(), "dos");

    // Setting an existing attribute replaces its value in place; a new one goes last.
    b->SetAttributes("x", "uno");
    x->SetText("otro");
    b->SetAttributes("z", "3");
    ASSERT_EQ(atributos->GetCount(), 3);
    EXPECT_EQ(atributos->GetNodes(0), x);
    EXPECT_EQ(b->GetAttributes("x"), "otro");
    EXPECT_EQ(atributos->GetNodes(2)->GetNodeName(), "z");
    EXPECT_EQ(b->GetChildNodes()->GetCount(), 0);
}

TEST(IXMLNode, SetTextReplacesOnlyTheElementsOwnText) {
    TXMLDocument doc;
    doc.LoadFromXML("<p>uno<i>dos</i>tres</p>");
    IXMLNode* p = doc.GetDocumentElement();
    EXPECT_EQ(p->GetText(), "unotres");
    IXMLNode* viejo = p->GetChildNodes()->GetNodes(0);
    IXMLNode* i = p->GetChildNodes()->GetNodes(1);

    p->SetText("nuevo");
    EXPECT_EQ(p->GetText(), "nuevo");
    ASSERT_EQ(p->GetChildNodes()->GetCount(), 2);
    EXPECT_EQ(p->GetChildNodes()->GetNodes(0), i);
    EXPECT_EQ(i->GetText(), "dos");
    // The text node that was replaced is out of the tree: using it is an error, not a crash.
    EXPECT_THROW(viejo->GetText(), EXMLDocError);
    EXPECT_THROW(viejo->SetText("x"), EXMLDocError);

    // A text node's own value can be set.
    IXMLNode* texto = p->GetChildNodes()->GetNodes(1);
    EXPECT_EQ(texto->GetNodeType(), ntText);
    texto->SetText("cambiado");
    EXPECT_EQ(p->GetText(), "cambiado");

    // Empty text leaves an empty element.
    i->SetText("");
    EXPECT_FALSE(i->HasChildNodes());
    EXPECT_EQ(i->GetText(), "");
    EXPECT_NE(doc.SaveToXML().find("<i/>"), std::string::npos);
}

TEST(IXMLNode, NamesMustBeXmlNames) {
    TXMLDocument doc;
    doc.SetActive(true);
    IXMLNode* r = doc.AddChild("Descripción");
    const char* invalidos[] = {"", "a b", "1a", "a<b", "-a", "a\x01", "a\"b", "a=b"};
    for (const char* nombre : invalidos) {
        SCOPED_TRACE(nombre);
        EXPECT_THROW(r->AddChild(nombre), EXMLDocError);
        EXPECT_THROW(r->SetAttributes(nombre, "v"), EXMLDocError);
    }
    EXPECT_EQ(r->GetChildNodes()->GetCount(), 0);
    EXPECT_EQ(r->GetAttributeNodes()->GetCount(), 0);

    for (const char* nombre : {"frameAns", "vapour-diffusivity-factor", "g_1.x", "Año"}) {
        SCOPED_TRACE(nombre);
        EXPECT_EQ(r->AddChild(nombre)->GetNodeName(), nombre);
    }
}

TEST(IXMLNode, WhatOnlyElementsDo) {
    TXMLDocument doc;
    doc.LoadFromXML("<r>texto<!--c--></r>");
    IXMLNodeList* hijos = doc.GetDocumentElement()->GetChildNodes();
    for (int i = 0; i < hijos->GetCount(); ++i) {
        IXMLNode* n = hijos->GetNodes(i);
        SCOPED_TRACE(n->GetNodeName().c_str());
        EXPECT_THROW(n->AddChild("a"), EXMLDocError);
        EXPECT_THROW(n->SetAttributes("a", "v"), EXMLDocError);
        EXPECT_FALSE(n->HasAttribute("a"));
        EXPECT_EQ(n->GetAttributeNodes()->GetCount(), 0);
    }
    // A comment's text cannot be set: "--" in it would break the file.
    EXPECT_THROW(hijos->GetNodes(1)->SetText("a--b"), EXMLDocError);
}

// Texts made in memory around the lengths where the tree keeps them differently (in UTF-8,
// a "�" is two bytes), in elements and attributes, read back, replaced in every way the
// interface offers, saved and loaded again. A text freed the wrong way shows under the
// sanitizers.
TEST(IXMLNode, TextsOfEveryLengthSurviveEveryReplacement) {
    const std::string textos[] = {"",
                                  "a",
                                  std::string(14, 'x'),
                                  std::string(15, 'x'),
                                  std::string(16, 'x'),
                                  std::string(13, 'x') + "\xf1",
                                  std::string(14, 'x') + "\xf1",
                                  std::string(40, 'y'),
                                  "<&\"'>\t\x01"};
    for (const std::string& antes : textos)
        for (const std::string& despues : textos) {
            SCOPED_TRACE(antes + " -> " + despues);
            TXMLDocument doc;
            doc.SetActive(true);
            IXMLNode* r = doc.AddChild("r");
            IXMLNode* e = r->AddChild("e");
            e->SetText(antes.c_str());
            r->SetAttributes("a", antes.c_str());
            r->SetAttributes("b", antes.c_str());
            const std::string limpio = antes.substr(0, antes.find('\x01'));
            EXPECT_EQ(e->GetText(), limpio.c_str());
            EXPECT_EQ(r->GetAttributes("a"), limpio.c_str());

            // The element's text again, a text node's own value, an attribute set again and
            // an attribute node's value.
            e->SetText(despues.c_str());
            r->GetChildNodes()->GetNodes(0)->SetText(despues.c_str());
            r->SetText(antes.c_str());
            if (IXMLNodeList* hijos = r->GetChildNodes(); hijos->GetCount() == 2)
                hijos->GetNodes(1)->SetText(despues.c_str());
            else
                r->SetText(despues.c_str());
            r->SetAttributes("a", despues.c_str());
            r->GetAttributeNodes()->FindNode("b")->SetText(despues.c_str());

            const AnsiString esperado(despues.substr(0, despues.find('\x01')));
            EXPECT_EQ(e->GetText(), esperado);
            EXPECT_EQ(r->GetText(), esperado);
            EXPECT_EQ(r->GetAttributes("a"), esperado);
            EXPECT_EQ(r->GetAttributes("b"), esperado);
            TXMLDocument leido;
            leido.LoadFromXML(doc.SaveToXML());
            IXMLNode* vuelta = leido.GetDocumentElement();
            EXPECT_EQ(vuelta->GetChildNodes()->FindNode("e")->GetText(), esperado);
            EXPECT_EQ(vuelta->GetAttributes("a"), esperado);
            EXPECT_EQ(vuelta->GetAttributes("b"), esperado);
        }
}

// A name is checked once per document but refused every time; a prefixed attribute name
// keeps its prefix.
TEST(IXMLNode, NamesAreCheckedOnEveryUse) {
    TXMLDocument doc;
    doc.SetActive(true);
    IXMLNode* r = doc.AddChild("r");
    for (int vez = 0; vez < 2; ++vez) {
        EXPECT_THROW(r->AddChild("a b"), EXMLDocError);
        EXPECT_THROW(r->SetAttributes("a b", "v"), EXMLDocError);
        EXPECT_EQ(r->AddChild("a")->GetNodeName(), "a");
        r->SetAttributes("a", "v");
        r->SetAttributes("p:a", "w");
    }
    EXPECT_EQ(r->GetAttributeNodes()->GetCount(), 2);
    EXPECT_EQ(r->GetAttributes("p:a"), "w");
    EXPECT_EQ(doc.SaveToXML(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                               "<r a=\"v\" p:a=\"w\">\n  <a/>\n  <a/>\n</r>\n");
}

} // namespace
