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

namespace {

bool IsBlank(char C) {
    return C == ' ' || C == '\t' || C == '\r' || C == '\n';
}

// UTF-16 code units from From on (big-endian when Big) as UTF-8; an unpaired surrogate as
// U+FFFD. A trailing odd byte is dropped.
std::string FromUtf16(const std::string& Bytes, size_t From, bool Big) {
    std::string out;
    out.reserve(Bytes.size() / 2 + 16);
    const auto unit = [&](size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(Bytes[i]);
        const auto b = static_cast<unsigned char>(Bytes[i + 1]);
        return Big ? (a << 8 | b) : (b << 8 | a);
    };
    for (size_t i = From; i + 1 < Bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < Bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | c >> 18);
            out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// The value of the declaration's encoding made "UTF-8" (a text without one is UTF-8 already).
void DeclareUtf8(std::string& Text) {
    if (Text.compare(0, 5, "<?xml") != 0) return;
    const size_t end = Text.find("?>");
    size_t at = Text.find("encoding", 5);
    if (end == std::string::npos || at == std::string::npos || at > end) return;
    at += 8;
    while (at < end && (IsBlank(Text[at]) || Text[at] == '='))
        ++at;
    if (at >= end || (Text[at] != '"' && Text[at] != '\'')) return;
    const size_t close = Text.find(Text[at], at + 1);
    if (close == std::string::npos || close > end) return;
    Text.replace(at + 1, close - at - 1, "UTF-8");
}

// An upper bound of the nodes the tree of Text makes: every "<" opens an element (or a
// comment, instruction or section) and ends a text before it; every "=" may be an
// attribute with its text.
size_t NodeBound(const std::string& Text) {
    size_t lt = 0, ends = 0, eq = 0;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '<') {
            ++lt;
            if (i + 1 < Text.size() && Text[i + 1] == '/') ++ends;
        } else if (Text[i] == '=') {
            ++eq;
        }
    }
    return 2 * lt - ends + 2 * eq + 1;
}

// An attribute value as markup: the characters that end it or that the parser would turn
// into blanks as references.
void AppendAttributeValue(std::string& Out, std::string_view Value) {
    for (char c : Value) {
        switch (c) {
        case '\t':
            Out += "&#9;";
            break;
        case '\n':
            Out += "&#10;";
            break;
        case '\r':
            Out += "&#13;";
            break;
        default:
            AppendEscaped(Out, std::string_view(&c, 1));
        }
    }
}

std::string Prefixed(const xmlNs* Ns, const xmlChar* Name) {
    std::string out;
    if (Ns && Ns->prefix) out = std::string(reinterpret_cast<const char*>(Ns->prefix)) + ':';
    return out + reinterpret_cast<const char*>(Name);
}

struct BufferFree {
    void operator()(xmlBuffer* B) const { xmlBufferFree(B); }
};

// Node (on the way from the root to Slot, Path[Depth - 1]) with Text in Slot's place.
void AppendAround(std::string& Out, xmlDoc* Doc, xmlNode* Node, const std::vector<xmlNode*>& Path,
                  size_t Depth, xmlNode* Slot, std::string_view Text) {
    AppendStartTag(Out, Node);
    for (xmlNode* n = Node->children; n; n = n->next) {
        if (n == Slot)
            Out += Text;
        else if (Depth < Path.size() && n == Path[Depth])
            AppendAround(Out, Doc, n, Path, Depth + 1, Slot, Text);
        else
            AppendNode(Out, Doc, n);
    }
    AppendEndTag(Out, Node);
}

} // namespace

std::string Prepare(std::string Bytes, const std::string& Part, const AnsiString& File) {
    const auto at = [&](size_t i) {
        return i < Bytes.size() ? static_cast<unsigned char>(Bytes[i]) : 0x100u;
    };
    bool wide = true;
    if (at(0) == 0xFF && at(1) == 0xFE)
        Bytes = FromUtf16(Bytes, 2, false);
    else if (at(0) == 0xFE && at(1) == 0xFF)
        Bytes = FromUtf16(Bytes, 2, true);
    else if (at(0) == '<' && at(1) == 0)
        Bytes = FromUtf16(Bytes, 0, false);
    else if (at(0) == 0 && at(1) == '<')
        Bytes = FromUtf16(Bytes, 0, true);
    else
        wide = false;
    if (wide)
        DeclareUtf8(Bytes);
    else if (at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF)
        Bytes.erase(0, 3);
    // Every part of these formats is UTF-8 or UTF-16; text in any other ASCII-compatible
    // encoding starts with "<" too, and the checks below read it as it is.
    size_t first = 0;
    while (first < Bytes.size() && IsBlank(Bytes[first]))
        ++first;
    if (first >= Bytes.size() || Bytes[first] != '<') Bad(Part, File, "no es XML válido");
    // No part of these formats declares a document type: one that does is refused before the
    // parser sees it (no entity can then be defined, let alone expanded).
    if (Bytes.find("<!DOCTYPE") != std::string::npos)
        Bad(Part, File, "declara un tipo de documento");
    return Bytes;
}

DocPtr Parse(std::string Bytes, const std::string& Part, const AnsiString& File) {
    const AnsiString mb = AnsiString(static_cast<int>(kMaxTreePart >> 20)) + " MB";
    if (Bytes.size() > kMaxTreePart) Bad(Part, File, "ocupa más de " + mb);
    Bytes = Prepare(std::move(Bytes), Part, File);
    if (Bytes.size() > kMaxTreePart) Bad(Part, File, "ocupa más de " + mb);
    if (NodeBound(Bytes) > kMaxTreeNodes)
        Bad(Part, File, "tiene más elementos de los que se pueden leer");
    DocPtr doc(xmlReadMemory(Bytes.data(), static_cast<int>(Bytes.size()), nullptr, nullptr,
                             XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!doc || !xmlDocGetRootElement(doc.get())) {
        const xmlError* e = xmlGetLastError();
        AnsiString why = "no es XML válido";
        if (e && e->line > 0) why += " (línea " + AnsiString(e->line) + ")";
        Bad(Part, File, why);
    }
    // Whatever the text's encoding hid from the check above.
    if (doc->intSubset || doc->extSubset) Bad(Part, File, "declara un tipo de documento");
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

std::string SerializeReplacing(xmlDoc* Doc, xmlNode* Slot, std::string_view Text) {
    std::vector<xmlNode*> path;
    for (xmlNode* n = Slot->parent; n && n->type == XML_ELEMENT_NODE; n = n->parent)
        path.insert(path.begin(), n);
    if (path.empty() || path.front()->parent != reinterpret_cast<xmlNode*>(Doc))
        throw EOfficeError("No se puede componer una parte XML");
    std::string out = "<?xml version=\"";
    out += Doc->version ? reinterpret_cast<const char*>(Doc->version) : "1.0";
    out += "\" encoding=\"UTF-8\"";
    if (Doc->standalone == 1) out += " standalone=\"yes\"";
    if (Doc->standalone == 0) out += " standalone=\"no\"";
    out += "?>\n";
    for (xmlNode* n = Doc->children; n; n = n->next) {
        if (n == path.front())
            AppendAround(out, Doc, n, path, 1, Slot, Text);
        else
            AppendNode(out, Doc, n);
        out += '\n';
    }
    return out;
}

void AppendNode(std::string& Out, xmlDoc* Doc, xmlNode* Node) {
    std::unique_ptr<xmlBuffer, BufferFree> buffer(xmlBufferCreate());
    if (!buffer || xmlNodeDump(buffer.get(), Doc, Node, 0, 0) < 0)
        throw EOfficeError("No se puede componer una parte XML");
    Out.append(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())),
               static_cast<size_t>(xmlBufferLength(buffer.get())));
}

void AppendStartTag(std::string& Out, const xmlNode* Node) {
    Out += '<' + Prefixed(Node->ns, Node->name);
    for (const xmlNs* ns = Node->nsDef; ns; ns = ns->next) {
        Out += ns->prefix ? " xmlns:" + std::string(reinterpret_cast<const char*>(ns->prefix))
                          : std::string(" xmlns");
        Out += "=\"";
        AppendAttributeValue(Out, ns->href ? reinterpret_cast<const char*>(ns->href) : "");
        Out += '"';
    }
    for (const xmlAttr* a = Node->properties; a; a = a->next) {
        Out += ' ' + Prefixed(a->ns, a->name) + "=\"";
        xmlChar* v = xmlNodeListGetString(Node->doc, a->children, 1);
        AppendAttributeValue(Out, v ? reinterpret_cast<const char*>(v) : "");
        xmlFree(v);
        Out += '"';
    }
    Out += '>';
}

void AppendEndTag(std::string& Out, const xmlNode* Node) {
    Out += "</" + Prefixed(Node->ns, Node->name) + '>';
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
