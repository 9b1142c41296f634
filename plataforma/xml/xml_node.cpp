#include "plataforma/xml/xml_node.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/xml/xml_document.h"
#include "plataforma/xml/xml_errors.h"
#include "plataforma/xml/xml_node_list.h"
#include "plataforma/xml/xml_text.h"

#include <libxml/tree.h>

#include <new>

namespace {

xmlNode* Nodo(void* handle) {
    return static_cast<xmlNode*>(handle);
}

const xmlChar* X(const std::string& s) {
    return reinterpret_cast<const xmlChar*>(s.c_str());
}

const char* C(const xmlChar* s) {
    return reinterpret_cast<const char*>(s);
}

// A name goes into the tree only when it is a valid XML name: the output must stay
// well-formed. Controls are not dropped here, so a name holding one is refused.
std::string NombreValido(const AnsiString& nombre, const char* que) {
    std::string utf8 = cp1252::ToUtf8(nombre.str());
    if (utf8.empty() || xmlValidateQName(X(utf8), 0) != 0)
        throw EXMLDocError(AnsiString("Invalid ") + que + " name \"" + nombre + "\"");
    return utf8;
}

std::string NombreCualificado(const xmlChar* nombre, const xmlNs* ns) {
    std::string r;
    if (ns != nullptr && ns->prefix != nullptr) r = std::string(C(ns->prefix)) + ":";
    if (nombre != nullptr) r += C(nombre);
    return r;
}

xmlAttr* BuscarAtributo(xmlNode* elemento, const std::string& nombre) {
    for (xmlAttr* a = elemento->properties; a != nullptr; a = a->next)
        if (NombreCualificado(a->name, a->ns) == nombre) return a;
    return nullptr;
}

bool EsTexto(const xmlNode* n) {
    return n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE;
}

// The text and CDATA among the nodes; entity references are left out, never expanded.
std::string TextoDe(const xmlNode* primero) {
    std::string r;
    for (const xmlNode* n = primero; n != nullptr; n = n->next)
        if (EsTexto(n) && n->content != nullptr) r += C(n->content);
    return r;
}

bool PuedeTenerHijos(const xmlNode* n) {
    return n->type == XML_ELEMENT_NODE || n->type == XML_DOCUMENT_NODE ||
           n->type == XML_DOCUMENT_FRAG_NODE;
}

template <typename T> T* Creado(T* p) {
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

} // namespace

IXMLNode::~IXMLNode() = default;

void* IXMLNode::Handle() const {
    if (handle_ == nullptr) throw EXMLDocError("The node is no longer part of its document");
    return handle_;
}

AnsiString IXMLNode::GetNodeName() const {
    xmlNode* n = Nodo(Handle());
    switch (n->type) {
    case XML_ELEMENT_NODE:
        return xml_text::FromXml(NombreCualificado(n->name, n->ns).c_str());
    case XML_ATTRIBUTE_NODE: {
        auto* a = reinterpret_cast<xmlAttr*>(n);
        return xml_text::FromXml(NombreCualificado(a->name, a->ns).c_str());
    }
    case XML_TEXT_NODE:
        return "#text";
    case XML_CDATA_SECTION_NODE:
        return "#cdata-section";
    case XML_COMMENT_NODE:
        return "#comment";
    case XML_DOCUMENT_NODE:
        return "#document";
    case XML_DOCUMENT_FRAG_NODE:
        return "#document-fragment";
    default:
        return xml_text::FromXml(C(n->name));
    }
}

TNodeType IXMLNode::GetNodeType() const {
    switch (Nodo(Handle())->type) {
    case XML_ELEMENT_NODE:
        return ntElement;
    case XML_ATTRIBUTE_NODE:
        return ntAttribute;
    case XML_TEXT_NODE:
        return ntText;
    case XML_CDATA_SECTION_NODE:
        return ntCData;
    case XML_ENTITY_REF_NODE:
        return ntEntityRef;
    case XML_ENTITY_NODE:
    case XML_ENTITY_DECL:
        return ntEntity;
    case XML_PI_NODE:
        return ntProcessingInstr;
    case XML_COMMENT_NODE:
        return ntComment;
    case XML_DOCUMENT_NODE:
        return ntDocument;
    case XML_DOCUMENT_TYPE_NODE:
    case XML_DTD_NODE:
        return ntDocType;
    case XML_DOCUMENT_FRAG_NODE:
        return ntDocFragment;
    case XML_NOTATION_NODE:
        return ntNotation;
    default:
        return ntReserved;
    }
}

AnsiString IXMLNode::GetText() const {
    return xml_text::FromXml(GetTextUtf8().c_str());
}

std::string IXMLNode::GetTextUtf8() const {
    xmlNode* n = Nodo(Handle());
    switch (n->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
        return TextoDe(n->children);
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
        return C(n->content) ? std::string(C(n->content)) : std::string();
    default:
        return std::string();
    }
}

void IXMLNode::SetText(const AnsiString& text) {
    xmlNode* n = Nodo(Handle());
    std::string valor = xml_text::ToXml(text);
    switch (n->type) {
    case XML_ELEMENT_NODE: {
        for (xmlNode* c = n->children; c != nullptr;) {
            xmlNode* siguiente = c->next;
            if (EsTexto(c) || c->type == XML_ENTITY_REF_NODE) {
                owner_->Forget(c);
                xmlUnlinkNode(c);
                xmlFreeNode(c);
            }
            c = siguiente;
        }
        if (!valor.empty()) xmlAddChild(n, Creado(xmlNewDocText(n->doc, X(valor))));
        break;
    }
    case XML_ATTRIBUTE_NODE: {
        auto* a = reinterpret_cast<xmlAttr*>(n);
        Creado(xmlSetNsProp(a->parent, a->ns, a->name, X(valor)));
        break;
    }
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
        xmlNodeSetContent(n, X(valor));
        break;
    default:
        throw EXMLDocError("The text of a " + GetNodeName() + " node cannot be set");
    }
    owner_->Changed();
}

AnsiString IXMLNode::GetAttributes(const AnsiString& name) const {
    xmlNode* n = Nodo(Handle());
    if (n->type != XML_ELEMENT_NODE) return AnsiString();
    xmlAttr* a = BuscarAtributo(n, cp1252::ToUtf8(name.str()));
    return a != nullptr ? xml_text::FromXml(TextoDe(a->children).c_str()) : AnsiString();
}

void IXMLNode::SetAttributes(const AnsiString& name, const AnsiString& value) {
    xmlNode* n = Nodo(Handle());
    if (n->type != XML_ELEMENT_NODE) throw EXMLDocError("Only elements have attributes");
    std::string nombre = NombreValido(name, "attribute");
    std::string valor = xml_text::ToXml(value);
    if (xmlAttr* a = BuscarAtributo(n, nombre))
        Creado(xmlSetNsProp(n, a->ns, a->name, X(valor)));
    else
        Creado(xmlSetProp(n, X(nombre), X(valor)));
    owner_->Changed();
}

bool IXMLNode::HasAttribute(const AnsiString& name) const {
    xmlNode* n = Nodo(Handle());
    return n->type == XML_ELEMENT_NODE && BuscarAtributo(n, cp1252::ToUtf8(name.str())) != nullptr;
}

IXMLNodeList* IXMLNode::GetAttributeNodes() const {
    Handle();
    if (!attributeNodes_) attributeNodes_.reset(new IXMLNodeList(this, true));
    return attributeNodes_.get();
}

IXMLNodeList* IXMLNode::GetChildNodes() const {
    Handle();
    if (!childNodes_) childNodes_.reset(new IXMLNodeList(this, false));
    return childNodes_.get();
}

bool IXMLNode::HasChildNodes() const {
    xmlNode* n = Nodo(Handle());
    return PuedeTenerHijos(n) && n->children != nullptr;
}

bool IXMLNode::IsTextElement() const {
    xmlNode* n = Nodo(Handle());
    return n->type == XML_ELEMENT_NODE && n->children != nullptr && n->children->next == nullptr &&
           EsTexto(n->children);
}

IXMLNode* IXMLNode::AddChild(const AnsiString& tagName) {
    xmlNode* n = Nodo(Handle());
    if (n->type != XML_ELEMENT_NODE && n->type != XML_DOCUMENT_NODE)
        throw EXMLDocError("A " + GetNodeName() + " node cannot hold elements");
    std::string nombre = NombreValido(tagName, "element");
    xmlDoc* doc = n->type == XML_DOCUMENT_NODE ? reinterpret_cast<xmlDoc*>(n) : n->doc;
    if (n->type == XML_DOCUMENT_NODE && xmlDocGetRootElement(doc) != nullptr)
        throw EXMLDocError("Only one top level element is allowed in an XML document");
    xmlNode* hijo = Creado(xmlNewDocNode(doc, nullptr, X(nombre), nullptr));
    if (n->type == XML_DOCUMENT_NODE)
        xmlDocSetRootElement(doc, hijo);
    else
        xmlAddChild(n, hijo);
    owner_->Changed();
    return owner_->Wrap(hijo);
}

IXMLNode* IXMLNode::GetParentNode() const {
    xmlNode* n = Nodo(Handle());
    if (n->type == XML_DOCUMENT_NODE) return nullptr;
    if (n->type == XML_ATTRIBUTE_NODE) return owner_->Wrap(reinterpret_cast<xmlAttr*>(n)->parent);
    return owner_->Wrap(n->parent);
}
