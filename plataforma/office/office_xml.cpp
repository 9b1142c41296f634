#include "plataforma/office/office_xml.h"

#include "plataforma/office/office_error.h"
#include "plataforma/office/zip_package.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <cstring>
#include <vector>

namespace office_xml {

namespace {

[[noreturn]] void Bad(const std::string& Part, const AnsiString& File, const AnsiString& Why) {
    throw EOfficeError("El fichero " + File + " está dañado: la parte " + AnsiString(Part) + " " +
                       Why);
}

} // namespace

void CheckStreamable(const std::string& Bytes, const std::string& Part, const AnsiString& File) {
    // No part of these formats declares a document type: one that does is refused before the
    // parser sees it (no entity can then be defined, let alone expanded).
    if (Bytes.find("<!DOCTYPE") != std::string::npos)
        Bad(Part, File, "declara un tipo de documento");
}

DocPtr Parse(const std::string& Bytes, const std::string& Part, const AnsiString& File) {
    if (Bytes.size() > kMaxTreePart)
        Bad(Part, File, "ocupa más de " + AnsiString(static_cast<int>(kMaxTreePart >> 20)) + " MB");
    CheckStreamable(Bytes, Part, File);
    DocPtr doc(xmlReadMemory(Bytes.data(), static_cast<int>(Bytes.size()), nullptr, nullptr,
                             XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!doc || !xmlDocGetRootElement(doc.get())) {
        const xmlError* e = xmlGetLastError();
        AnsiString why = "no es XML válido";
        if (e && e->line > 0) why += " (línea " + AnsiString(e->line) + ")";
        Bad(Part, File, why);
    }
    return doc;
}

std::string Serialize(xmlDoc* Doc) {
    xmlChar* mem = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(Doc, &mem, &size, "UTF-8");
    if (!mem) throw EOfficeError("No se puede componer una parte XML");
    std::string out(reinterpret_cast<const char*>(mem), static_cast<size_t>(size));
    xmlFree(mem);
    return out;
}

std::string_view Name(const xmlNode* Node) {
    if (!Node || Node->type != XML_ELEMENT_NODE) return {};
    return reinterpret_cast<const char*>(Node->name);
}

xmlNode* Next(const xmlNode* Node, std::string_view LocalName) {
    for (xmlNode* n = Node ? Node->next : nullptr; n; n = n->next)
        if (Name(n) == LocalName) return n;
    return nullptr;
}

xmlNode* Child(const xmlNode* Parent, std::string_view LocalName) {
    if (!Parent) return nullptr;
    for (xmlNode* n = Parent->children; n; n = n->next)
        if (Name(n) == LocalName) return n;
    return nullptr;
}

std::string Attr(const xmlNode* Node, std::string_view LocalName) {
    if (!Node || Node->type != XML_ELEMENT_NODE) return {};
    for (xmlAttr* a = Node->properties; a; a = a->next) {
        if (LocalName != reinterpret_cast<const char*>(a->name)) continue;
        xmlChar* v = xmlNodeListGetString(Node->doc, a->children, 1);
        std::string out = v ? reinterpret_cast<const char*>(v) : "";
        xmlFree(v);
        return out;
    }
    return {};
}

bool HasAttr(const xmlNode* Node, std::string_view LocalName) {
    if (!Node || Node->type != XML_ELEMENT_NODE) return false;
    for (xmlAttr* a = Node->properties; a; a = a->next)
        if (LocalName == reinterpret_cast<const char*>(a->name)) return true;
    return false;
}

void AppendEscaped(std::string& Out, std::string_view Text) {
    for (char c : Text) {
        switch (c) {
        case '&':
            Out += "&amp;";
            break;
        case '<':
            Out += "&lt;";
            break;
        case '>':
            Out += "&gt;";
            break;
        case '"':
            Out += "&quot;";
            break;
        case '\t':
        case '\n':
        case '\r':
            Out += c;
            break;
        default:
            Out += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
        }
    }
}

std::string MainPart(const ZipPackage& Package, const char* What) {
    const DocPtr rels = Parse(Package.Read("_rels/.rels"), "_rels/.rels", Package.Name());
    for (xmlNode* r = Child(xmlDocGetRootElement(rels.get()), "Relationship"); r;
         r = Next(r, "Relationship")) {
        const std::string type = Attr(r, "Type");
        if (type.size() >= 15 && type.compare(type.size() - 15, 15, "/officeDocument") == 0)
            return ResolveTarget("", Attr(r, "Target"));
    }
    throw EOfficeError("El fichero " + Package.Name() + " no es " + What +
                       ": no nombra su parte principal");
}

std::string ResolveTarget(const std::string& Source, const std::string& Target) {
    std::string path;
    if (!Target.empty() && Target[0] == '/') {
        path = Target.substr(1);
    } else {
        const size_t slash = Source.rfind('/');
        path = (slash == std::string::npos ? std::string() : Source.substr(0, slash + 1)) + Target;
    }
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string piece = path.substr(start, end - start);
        if (piece == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!piece.empty() && piece != ".") {
            parts.push_back(piece);
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string& p : parts)
        out += (out.empty() ? "" : "/") + p;
    return out;
}

std::string RelsOf(const std::string& Part) {
    const size_t slash = Part.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : Part.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? Part : Part.substr(slash + 1);
    return folder + "_rels/" + name + ".rels";
}

} // namespace office_xml
