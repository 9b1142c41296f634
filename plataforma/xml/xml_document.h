#pragma once
// TXMLDocument: an XML document held in memory, loaded from a file or a text and saved
// as UTF-8 with an XML declaration. Loading never reaches the network, never loads a DTD
// or an external entity and never expands entities; a document that is not well-formed
// raises EDOMParseError with the parser's code and line.

#include "plataforma/base/ansi_string.h"

#include <memory>
#include <string>
#include <string_view>

class IXMLNode;
class IXMLNodeList;

class TXMLDocument {
public:
    TXMLDocument();
    ~TXMLDocument();
    TXMLDocument(const TXMLDocument&) = delete;
    TXMLDocument& operator=(const TXMLDocument&) = delete;

    // The file that activating the document loads.
    AnsiString GetFileName() const { return fileName_; }
    void SetFileName(const AnsiString& fileName) { fileName_ = fileName; }

    // Activating an inactive document loads FileName, or starts an empty document when
    // FileName is ""; deactivating drops the tree and every node of it.
    bool GetActive() const;
    void SetActive(bool active);

    // Sets FileName and loads the file in place of the current tree. On failure
    // (EFOpenError, EDOMParseError) the document is left inactive.
    void LoadFromFile(const AnsiString& fileName);
    // Loads the bytes of an XML text (encoded as its declaration says; UTF-8 by default).
    void LoadFromXML(std::string_view xml);

    // Writes the document (to FileName when the name is "") through a temporary file that
    // replaces the target only when every write succeeded; raises EFCreateError or
    // EWriteError otherwise, leaving the old file as it was.
    void SaveToFile(const AnsiString& fileName = AnsiString()) const;
    // The bytes SaveToFile writes.
    std::string SaveToXML() const;

    // The document node, its children, and its one top element (null when it has none
    // yet). They raise EXMLDocError on an inactive document.
    IXMLNode* GetNode() const;
    IXMLNodeList* GetChildNodes() const;
    IXMLNode* GetDocumentElement() const;
    // Creates the document element; raises EXMLDocError when there is one already.
    IXMLNode* AddChild(const AnsiString& tagName);

private:
    friend class IXMLNode;
    friend class IXMLNodeList;
    struct Impl;

    void Parse(std::string_view bytes);
    // The node object of a libxml2 node of this document, made on first use.
    IXMLNode* Wrap(void* handle) const;
    // A valid XML name as the document's dictionary keeps it: each name is converted and
    // checked once per document. Raises EXMLDocError, naming "what", when it is not one.
    const unsigned char* Name(const AnsiString& name, const char* what);
    // A new text node of the document holding the UTF-8 text, not yet in the tree.
    void* NewText(std::string_view utf8);
    // Counts changes of the tree, so that node lists know when to look again.
    unsigned Version() const;
    void Changed();
    // A libxml2 node (and everything under it) is about to be freed: its node objects
    // stop pointing at it.
    void Forget(void* handle);

    AnsiString fileName_;
    std::unique_ptr<Impl> impl_;
};
