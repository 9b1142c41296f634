#include "plataforma/xml/xml_node.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/xml/xml_document.h"
#include "plataforma/xml/xml_errors.h"
#include "plataforma/xml/xml_node_list.h"
#include "plataforma/xml/xml_text.h"

#include <libxml/tree.h>

#include <new>
#include <string>
#include <string_view>

namespace {

xmlNode* Nodo(void* handle) {
    return static_cast<xmlNode*>(handle);
}

// The views handed here end where a null character follows them.
const xmlChar* X(std::string_view s) {
    return reinterpret_cast<const xmlChar*>(s.data());
}

const char* C(const xmlChar* s) {
    return reinterpret_cast<const char*>(s);
}

std::string NombreCualificado(const xmlChar* nombre, const xmlNs* ns) {
    std::string r;
    if (ns != nullptr && ns->prefix != nullptr) r = std::string(C(ns->prefix)) + ":";
    if (nombre != nullptr) r += C(nombre);
    return r;
}

// Whether the name, with the prefix of its namespace, reads as the qualified name.
bool EsElNombre(const xmlChar* nombre, const xmlNs* ns, std::string_view cualificado) {
    const std::string_view local = nombre != nullptr ? C(nombre) : "";
    if (ns == nullptr || ns->prefix == nullptr) return cualificado == local;
    const std::string_view prefijo = C(ns->prefix);
    return cualificado.size() == prefijo.size() + 1 + local.size() &&
           cualificado.starts_with(prefijo) && cualificado[prefijo.size()] == ':' &&
           cualificado.ends_with(local);
}

xmlAttr* BuscarAtributo(xmlNode* elemento, std::string_view nombre) {
    for (xmlAttr* a = elemento->properties; a != nullptr; a = a->next)
        if (EsElNombre(a->name, a->ns, nombre)) return a;
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
    std::string conversion;
    const std::string_view valor = xml_text::ToXml(text, conversion);
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
        if (!valor.empty()) {
            auto* texto = static_cast<xmlNode*>(owner_->NewText(valor));
            // Nothing is merged: the element has no text left to join.
            if (xmlAddChild(n, texto) == nullptr) {
                xmlFreeNode(texto);
                throw std::bad_alloc();
            }
        }
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
    const xmlChar* nombre = owner_->Name(name, "attribute");
    std::string conversion;
    const std::string_view valor = xml_text::ToXml(value, conversion);
    if (xmlAttr* a = BuscarAtributo(n, C(nombre))) {
        Creado(xmlSetNsProp(n, a->ns, a->name, X(valor)));
    } else if (xmlStrchr(nombre, ':') != nullptr || n->doc->intSubset != nullptr ||
               n->doc->extSubset != nullptr) {
        // A prefix may name a namespace, and a declared attribute may be an ID: the library
        // sees to both.
        Creado(xmlSetProp(n, nombre, X(valor)));
    } else {
        // A new attribute without a namespace, named from the dictionary, its value a text
        // child as the library makes it.
        auto* texto = static_cast<xmlNode*>(owner_->NewText(valor));
        xmlAttr* a = xmlNewNsPropEatName(n, nullptr, const_cast<xmlChar*>(nombre), nullptr);
        if (a == nullptr) {
            xmlFreeNode(texto);
            throw std::bad_alloc();
        }
        texto->parent = reinterpret_cast<xmlNode*>(a);
        a->children = a->last = texto;
    }
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
    const xmlChar* nombre = owner_->Name(tagName, "element");
    xmlDoc* doc = n->type == XML_DOCUMENT_NODE ? reinterpret_cast<xmlDoc*>(n) : n->doc;
    if (n->type == XML_DOCUMENT_NODE && xmlDocGetRootElement(doc) != nullptr)
        throw EXMLDocError("Only one top level element is allowed in an XML document");
    // The name is the dictionary's: the node keeps it without a copy.
    xmlNode* hijo =
        Creado(xmlNewDocNodeEatName(doc, nullptr, const_cast<xmlChar*>(nombre), nullptr));
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
