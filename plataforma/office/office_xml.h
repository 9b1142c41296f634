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

// The form of the cell texts that a caller gives a workbook or document and takes from it:
// Windows-1252 bytes, or UTF-8 (every character, also those the code page lacks).
enum class TextForm { Ansi, Utf8 };

struct DocFree {
    void operator()(xmlDoc* Doc) const { xmlFreeDoc(Doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocFree>;

// Parts read into a tree may be no larger than this (a tree takes many times its text),
constexpr size_t kMaxTreePart = 64u << 20;
// nor make more nodes than this (about 120 bytes each): elements, attributes and texts,
// counted from the markup before the tree is made.
constexpr size_t kMaxTreeNodes = 8000000;

// The part's tree; EOfficeError naming the part and the file when it is not well-formed XML,
// holds a document type declaration, is larger than kMaxTreePart or would make more than
// kMaxTreeNodes nodes.
DocPtr Parse(std::string Bytes, const std::string& Part, const AnsiString& File);
// A part's text ready for the parser, with the checks that come before it: UTF-16 (with or
// without a byte order mark) becomes UTF-8 and the declaration says so, a UTF-8 byte order
// mark goes; EOfficeError for a part in an encoding that is not ASCII-compatible and for a
// document type declaration.
std::string Prepare(std::string Bytes, const std::string& Part, const AnsiString& File);
// The part's text, UTF-8 with its declaration.
std::string Serialize(xmlDoc* Doc);
// The same text with Text written in the place of Slot (a node of the document, other than
// its root): markup put there whole, by the tree's structure, whatever the document's
// comments, sections and texts hold.
std::string SerializeReplacing(xmlDoc* Doc, xmlNode* Slot, std::string_view Text);

// A node's markup as libxml2 writes it, appended.
void AppendNode(std::string& Out, xmlDoc* Doc, xmlNode* Node);
// The start tag of an element: its prefix, its namespace declarations and its attributes.
void AppendStartTag(std::string& Out, const xmlNode* Node);
// The end tag of an element.
void AppendEndTag(std::string& Out, const xmlNode* Node);

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
