#pragma once
// IXMLNodeList: the children or the attributes of a node, as a live list: it follows
// the changes made to the tree.

#include "plataforma/base/ansi_string.h"

#include <vector>

class IXMLNode;

class IXMLNodeList {
public:
    int GetCount() const;
    // Raises EXMLDocError when the index is outside 0..Count-1.
    IXMLNode* GetNodes(int index) const;
    // The first node of that name, or null.
    IXMLNode* FindNode(const AnsiString& name) const;

private:
    friend class IXMLNode;
    IXMLNodeList(const IXMLNode* owner, bool attributes) : owner_(owner), attributes_(attributes) {}

    void Refresh() const;

    const IXMLNode* owner_;
    bool attributes_;
    mutable std::vector<IXMLNode*> items_;
    mutable unsigned version_ = 0;
    mutable bool filled_ = false;
};
