#pragma once
// IXMLNode: one node of a TXMLDocument (element, attribute, text, comment...). Nodes are
// owned by their document and live until it is closed or loads another tree; a node taken
// out of the tree (the text replaced by SetText) raises EXMLDocError when used again.
// Every name and text goes in and out as Windows-1252.

#include "plataforma/base/ansi_string.h"
#include "plataforma/xml/xml_node_list.h"

#include <memory>

class TXMLDocument;

enum TNodeType {
    ntReserved,
    ntElement,
    ntAttribute,
    ntText,
    ntCData,
    ntEntityRef,
    ntEntity,
    ntProcessingInstr,
    ntComment,
    ntDocument,
    ntDocType,
    ntDocFragment,
    ntNotation
};

class IXMLNode {
public:
    ~IXMLNode();
    IXMLNode(const IXMLNode&) = delete;
    IXMLNode& operator=(const IXMLNode&) = delete;

    // The tag or attribute name; "#text", "#cdata-section", "#comment", "#document" for
    // the nodes that have none.
    AnsiString GetNodeName() const;
    TNodeType GetNodeType() const;

    // An element's text is that of its own text and CDATA children (entity references are
    // never expanded); an attribute's is its value; other nodes give their content.
    AnsiString GetText() const;
    // The same text in UTF-8, every character kept.
    std::string GetTextUtf8() const;
    // On an element, replaces its own text and keeps its child elements; on an attribute,
    // text or CDATA node, replaces the value.
    void SetText(const AnsiString& text);

    // Attributes of an element by qualified name; "" when absent.
    AnsiString GetAttributes(const AnsiString& name) const;
    void SetAttributes(const AnsiString& name, const AnsiString& value);
    bool HasAttribute(const AnsiString& name) const;
    // The attributes as nodes (ntAttribute), in document order; empty but for elements.
    IXMLNodeList* GetAttributeNodes() const;

    // The children in document order: elements, text, CDATA, comments... Blank text
    // between elements is not kept when a file is loaded.
    IXMLNodeList* GetChildNodes() const;
    bool HasChildNodes() const;
    // An element whose one child is a text or CDATA node.
    bool IsTextElement() const;
    // Appends a new element to an element (or to a document without a document element).
    // The name must be a valid XML name.
    IXMLNode* AddChild(const AnsiString& tagName);

    // The element or document that holds this node (an attribute's element); null for the
    // document node.
    IXMLNode* GetParentNode() const;
    TXMLDocument* GetOwnerDocument() const { return owner_; }

private:
    friend class TXMLDocument;
    friend class IXMLNodeList;
    IXMLNode(TXMLDocument* owner, void* handle) : owner_(owner), handle_(handle) {}

    // The libxml2 node; raises EXMLDocError once the node has left the tree.
    void* Handle() const;

    TXMLDocument* owner_;
    void* handle_;
    mutable std::unique_ptr<IXMLNodeList> childNodes_;
    mutable std::unique_ptr<IXMLNodeList> attributeNodes_;
};
