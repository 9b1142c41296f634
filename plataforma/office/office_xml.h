#pragma once
// What the workbook and the document share over libxml2: parts parsed into trees with no DTD,
// no entity expansion and no network; children and attributes found by their local name;
// the text of a part written back; text escaped for a part written by hand.

#include "plataforma/base/ansi_string.h"

#include <libxml/tree.h>

#include <memory>
#include <string>
#include <string_view>

class ZipPackage;

namespace office_xml {

struct DocFree {
    void operator()(xmlDoc* Doc) const { xmlFreeDoc(Doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocFree>;

// Parts read into a tree may be no larger than this (a tree takes many times its text).
constexpr size_t kMaxTreePart = 64u << 20;

// The part's tree; EOfficeError naming the part and the file when it is not well-formed XML,
// holds a document type declaration or is larger than kMaxTreePart.
DocPtr Parse(const std::string& Bytes, const std::string& Part, const AnsiString& File);
// The same checks before a part is read as a stream.
void CheckStreamable(const std::string& Bytes, const std::string& Part, const AnsiString& File);
// The part's text, UTF-8 with its declaration.
std::string Serialize(xmlDoc* Doc);

// The local name of an element ("" for other nodes).
std::string_view Name(const xmlNode* Node);
// The first element child with that local name (nullptr when none).
xmlNode* Child(const xmlNode* Parent, std::string_view LocalName);
// The next element sibling with that local name.
xmlNode* Next(const xmlNode* Node, std::string_view LocalName);
// An attribute by its local name, whatever its namespace ("" when absent).
std::string Attr(const xmlNode* Node, std::string_view LocalName);
bool HasAttr(const xmlNode* Node, std::string_view LocalName);

// Appends Text (UTF-8) with &, <, > and " as entities; a character that XML 1.0 cannot hold
// (a control other than tab, LF and CR) as "?".
void AppendEscaped(std::string& Out, std::string_view Text);

// The package's main part (the target of its office-document relationship); EOfficeError
// naming What ("un libro", "un documento") when the package names none.
std::string MainPart(const ZipPackage& Package, const char* What);

// The resolved target of a relationship: Target taken from the folder of Source ("" for the
// package root), or from the root when it starts with "/"; "." and ".." resolved.
std::string ResolveTarget(const std::string& Source, const std::string& Target);
// The relationships part of a part ("xl/workbook.xml" -> "xl/_rels/workbook.xml.rels").
std::string RelsOf(const std::string& Part);

} // namespace office_xml
