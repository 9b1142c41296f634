#include "plataforma/xml/xml_document.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/base/file_errors.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/xml/xml_errors.h"
#include "plataforma/xml/xml_node.h"
#include "plataforma/xml/xml_text.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/dict.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {

// No entity, DTD or schema is ever fetched, from the network or from the disk. The
// parser options already keep it from asking; this makes sure of it.
xmlParserInputPtr NingunaEntidadExterna(const char*, const char*, xmlParserCtxtPtr) {
    return nullptr;
}

void IniciarLibxml() {
    static std::once_flag hecho;
    std::call_once(hecho, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(NingunaEntidadExterna);
    });
}

// xml:space on the element, or the setting inherited from its parent.
bool ConservaEspacios(xmlNode* elemento, bool heredado) {
    xmlChar* valor =
        xmlGetNsProp(elemento, reinterpret_cast<const xmlChar*>("space"), XML_XML_NAMESPACE);
    if (valor == nullptr) return heredado;
    std::string v(reinterpret_cast<const char*>(valor));
    xmlFree(valor);
    return v == "preserve" ? true : v == "default" ? false : heredado;
}

// Blank text between elements is only the file's indentation: it goes, so that a file
// reads the same indented or not. Blank text alone in an element is its value and stays.
// The parser limits the depth of a tree, which bounds the recursion.
void QuitarSangrado(xmlNode* padre, bool conservar) {
    bool conElementos = false;
    for (xmlNode* c = padre->children; c != nullptr && !conElementos; c = c->next)
        conElementos = c->type == XML_ELEMENT_NODE;
    for (xmlNode* c = padre->children; c != nullptr;) {
        xmlNode* siguiente = c->next;
        if (c->type == XML_ELEMENT_NODE) {
            QuitarSangrado(c, ConservaEspacios(c, conservar));
        } else if (conElementos && !conservar && c->type == XML_TEXT_NODE && xmlIsBlankNode(c)) {
            xmlUnlinkNode(c);
            xmlFreeNode(c);
        }
        c = siguiente;
    }
}

} // namespace

struct TXMLDocument::Impl {
    xmlDoc* doc = nullptr;
    // Every node object handed out; each libxml2 node points at its own in _private. They
    // live in blocks freed whole: a large tree's nodes freed one by one cost as much as
    // building it.
    static constexpr size_t kNodosPorBloque = 1024;
    struct Bloque {
        alignas(IXMLNode) unsigned char nodos[kNodosPorBloque][sizeof(IXMLNode)];
    };
    std::vector<std::unique_ptr<Bloque>> bloques;
    size_t enElUltimo = kNodosPorBloque; // nodes built in the last block
    unsigned version = 0;
    // The dictionary's entries already checked as names.
    std::unordered_set<const xmlChar*> nombresValidos;
    // The names last asked for, by their Windows-1252 bytes, each in the place a cheap hash
    // of them gives: a tree of many nodes asks for a few names over and over.
    struct NombreVisto {
        std::string bytes;
        const xmlChar* nombre = nullptr;
    };
    static constexpr size_t kNombresVistos = 64;
    std::array<NombreVisto, kNombresVistos> vistos;
    static size_t Sitio(const std::string& bytes) {
        const size_t n = bytes.size();
        if (n == 0) return 0;
        const auto c = [&bytes](size_t i) { return static_cast<unsigned char>(bytes[i]); };
        return (n * 7 + c(0) * 31 + c(n / 2) * 17 + c(n - 1)) % kNombresVistos;
    }

    ~Impl() { Reset(); }
    // Room for one more node.
    void* Sitio() {
        if (enElUltimo == kNodosPorBloque) {
            bloques.push_back(std::unique_ptr<Bloque>(new Bloque)); // not zero-filled
            enElUltimo = 0;
        }
        return bloques.back()->nodos[enElUltimo];
    }
    void Reset() {
        for (size_t b = 0; b < bloques.size(); ++b) {
            const size_t n = b + 1 < bloques.size() ? kNodosPorBloque : enElUltimo;
            for (size_t i = 0; i < n; ++i)
                std::launder(reinterpret_cast<IXMLNode*>(bloques[b]->nodos[i]))->~IXMLNode();
        }
        bloques.clear();
        enElUltimo = kNodosPorBloque;
        nombresValidos.clear();
        for (NombreVisto& visto : vistos)
            visto.nombre = nullptr;
        if (doc != nullptr) xmlFreeDoc(doc);
        doc = nullptr;
        ++version;
    }
    xmlDoc* Active() const {
        if (doc == nullptr) throw EXMLDocError("No active document");
        return doc;
    }
};

TXMLDocument::TXMLDocument() : impl_(std::make_unique<Impl>()) {
    IniciarLibxml();
}

TXMLDocument::~TXMLDocument() = default;

bool TXMLDocument::GetActive() const {
    return impl_->doc != nullptr;
}

void TXMLDocument::SetActive(bool active) {
    if (active == GetActive()) return;
    if (!active) {
        impl_->Reset();
    } else if (!fileName_.IsEmpty()) {
        LoadFromFile(fileName_);
    } else {
        impl_->doc = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
        if (impl_->doc == nullptr) throw std::bad_alloc();
        // Element and attribute names are kept once each in the document's dictionary, as
        // a parsed document keeps them, instead of once per node.
        impl_->doc->dict = xmlDictCreate();
        if (impl_->doc->dict == nullptr) throw std::bad_alloc();
    }
}

void TXMLDocument::LoadFromFile(const AnsiString& fileName) {
    fileName_ = fileName;
    impl_->Reset();
    std::string bytes;
    if (!ReadWholeFile(fileName, bytes)) throw EFOpenError("Cannot open file \"" + fileName + "\"");
    Parse(bytes);
}

void TXMLDocument::LoadFromXML(std::string_view xml) {
    impl_->Reset();
    Parse(xml);
}

void TXMLDocument::Parse(std::string_view bytes) {
    std::string convertido;
    const char* codificacion = nullptr;
    if (xml_text::DeclaresWindows1252(bytes)) {
        convertido = cp1252::ToUtf8(bytes);
        bytes = convertido;
        codificacion = "UTF-8";
    }
    if (bytes.size() > static_cast<size_t>(INT_MAX))
        throw EDOMParseError(XML_ERR_NO_MEMORY, "The document is too large", 1, 1);

    std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> contexto(xmlNewParserCtxt(),
                                                                          xmlFreeParserCtxt);
    if (!contexto) throw std::bad_alloc();
    // No network, no DTD loading, no entity substitution (XML_PARSE_NOENT and
    // XML_PARSE_DTDLOAD are left out); the parser's own limits on entity amplification,
    // depth and text size stay on (no XML_PARSE_HUGE).
    const int opciones = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    xmlDoc* doc = xmlCtxtReadMemory(contexto.get(), bytes.data(), static_cast<int>(bytes.size()),
                                    nullptr, codificacion, opciones);
    if (doc == nullptr || !contexto->wellFormed) {
        if (doc != nullptr) xmlFreeDoc(doc);
        const xmlError* e = xmlCtxtGetLastError(contexto.get());
        int codigo = e != nullptr && e->code != 0 ? e->code : XML_ERR_INTERNAL_ERROR;
        AnsiString motivo = e != nullptr && e->message != nullptr
                                ? Trim(xml_text::FromXml(e->message))
                                : AnsiString("The document is not well-formed");
        int linea = e != nullptr && e->line > 0 ? e->line : 1;
        int posicion = e != nullptr && e->int2 > 0 ? e->int2 : 1;
        throw EDOMParseError(codigo, motivo, linea, posicion);
    }
    QuitarSangrado(reinterpret_cast<xmlNode*>(doc), false);
    impl_->doc = doc;
    if (doc->dict == nullptr) doc->dict = xmlDictCreate();
}

namespace {

// Writes the document, indented, as UTF-8 with its declaration, handing the bytes to Write
// (a callable taking a pointer and a size and returning false to stop) as the serializer
// makes them, a few kilobytes at a time: a large document is never held whole in memory.
// False when Write stopped it or the serializer failed.
template <class Writer> bool Serialize(xmlDoc* doc, Writer& write) {
    auto escribir = [](void* contexto, const char* datos, int largo) -> int {
        return (*static_cast<Writer*>(contexto))(datos, static_cast<size_t>(largo)) ? largo : -1;
    };
    // Nothing is converted: the tree already holds UTF-8.
    xmlOutputBuffer* salida = xmlOutputBufferCreateIO(escribir, nullptr, &write, nullptr);
    if (salida == nullptr) throw std::bad_alloc();
    // Takes the buffer and closes it, flushing what is left.
    return xmlSaveFormatFileTo(salida, doc, "UTF-8", 1) >= 0;
}

// The document, when it can be saved: a document without its element would not be XML.
xmlDoc* Savable(xmlDoc* doc) {
    if (xmlDocGetRootElement(doc) == nullptr)
        throw EXMLDocError("The document has no document element");
    return doc;
}

} // namespace

std::string TXMLDocument::SaveToXML() const {
    std::string resultado;
    auto anadir = [&resultado](const char* datos, size_t largo) {
        resultado.append(datos, largo);
        return true;
    };
    if (!Serialize(Savable(impl_->Active()), anadir)) throw std::bad_alloc();
    return resultado;
}

void TXMLDocument::SaveToFile(const AnsiString& fileName) const {
    AnsiString ruta = fileName.IsEmpty() ? fileName_ : fileName;
    xmlDoc* doc = Savable(impl_->Active());
    FileWriter escritor;
    if (!escritor.Open(ruta, FileWriter::Mode::Binary)) throw EFCreateError(escritor.ErrorText());
    // The serializer's blocks go straight to the file; the first failed write stops it.
    auto escribir = [&escritor](const char* datos, size_t largo) {
        escritor.Write(datos, largo);
        return escritor.Ok();
    };
    if (!Serialize(doc, escribir) && escritor.Ok()) {
        escritor.Abandon(); // the serializer failed on its own: the old file stays
        throw std::bad_alloc();
    }
    if (!escritor.Commit()) throw EWriteError(escritor.ErrorText());
}

IXMLNode* TXMLDocument::GetNode() const {
    return Wrap(impl_->Active());
}

IXMLNodeList* TXMLDocument::GetChildNodes() const {
    return GetNode()->GetChildNodes();
}

IXMLNode* TXMLDocument::GetDocumentElement() const {
    return Wrap(xmlDocGetRootElement(impl_->Active()));
}

IXMLNode* TXMLDocument::AddChild(const AnsiString& tagName) {
    return GetNode()->AddChild(tagName);
}

IXMLNode* TXMLDocument::Wrap(void* handle) const {
    if (handle == nullptr) return nullptr;
    auto* n = static_cast<xmlNode*>(handle);
    if (n->_private != nullptr) return static_cast<IXMLNode*>(n->_private);
    auto* nodo = new (impl_->Sitio()) IXMLNode(const_cast<TXMLDocument*>(this), handle);
    ++impl_->enElUltimo;
    n->_private = nodo;
    return nodo;
}

namespace {

const xmlChar* X(std::string_view s) {
    return reinterpret_cast<const xmlChar*>(s.data());
}

int Largo(std::string_view s) {
    if (s.size() > static_cast<size_t>(INT_MAX)) throw std::bad_alloc();
    return static_cast<int>(s.size());
}

} // namespace

const unsigned char* TXMLDocument::Name(const AnsiString& name, const char* what) {
    xmlDoc* doc = impl_->Active();
    const std::string& bytes = name.str();
    Impl::NombreVisto& visto = impl_->vistos[Impl::Sitio(bytes)];
    if (visto.nombre != nullptr && visto.bytes == bytes) return visto.nombre;
    if (doc->dict == nullptr) doc->dict = xmlDictCreate();
    if (doc->dict == nullptr) throw std::bad_alloc();
    std::string_view utf8 = bytes;
    std::string conversion;
    if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; }))
        utf8 = conversion = cp1252::ToUtf8(bytes);
    const xmlChar* nombre = xmlDictLookup(doc->dict, X(utf8), Largo(utf8));
    if (nombre == nullptr) throw std::bad_alloc();
    if (impl_->nombresValidos.count(nombre) == 0) {
        // A name holding a control is refused, not cleaned: the output must stay well-formed.
        if (*nombre == 0 || xmlValidateQName(nombre, 0) != 0)
            throw EXMLDocError(AnsiString("Invalid ") + what + " name \"" + name + "\"");
        impl_->nombresValidos.insert(nombre);
    }
    visto.bytes = bytes;
    visto.nombre = nombre;
    return nombre;
}

// A text node has no attributes and declares no namespaces: a short text is kept in those
// two fields, as the library's own parser keeps short texts when asked to save memory, and
// the library then neither frees nor reads them as pointers. A large tree of short values
// is then one allocation per text instead of two, and freeing it leaves half the pieces.
static_assert(offsetof(xmlNode, nsDef) == offsetof(xmlNode, properties) + sizeof(void*));
constexpr size_t kTextoDentro = 2 * sizeof(void*); // bytes, the closing null included

void* TXMLDocument::NewText(std::string_view utf8) {
    xmlDoc* doc = impl_->Active();
    if (utf8.size() >= kTextoDentro) {
        xmlNode* texto = xmlNewDocTextLen(doc, X(utf8), Largo(utf8));
        if (texto == nullptr) throw std::bad_alloc();
        return texto;
    }
    xmlNode* texto = xmlNewDocText(doc, nullptr);
    if (texto == nullptr) throw std::bad_alloc();
    auto* dentro = reinterpret_cast<xmlChar*>(&texto->properties);
    std::memcpy(dentro, utf8.data(), utf8.size());
    dentro[utf8.size()] = 0;
    texto->content = dentro;
    return texto;
}

unsigned TXMLDocument::Version() const {
    return impl_->version;
}

void TXMLDocument::Changed() {
    ++impl_->version;
}

void TXMLDocument::Forget(void* handle) {
    auto* n = static_cast<xmlNode*>(handle);
    if (n->_private != nullptr) static_cast<IXMLNode*>(n->_private)->handle_ = nullptr;
    n->_private = nullptr;
    if (n->type != XML_ELEMENT_NODE) return;
    for (xmlAttr* a = n->properties; a != nullptr; a = a->next)
        Forget(a);
    for (xmlNode* c = n->children; c != nullptr; c = c->next)
        Forget(c);
}
