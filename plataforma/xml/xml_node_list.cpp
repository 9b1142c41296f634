#include "plataforma/xml/xml_node_list.h"

#include "plataforma/base/numbers.h"
#include "plataforma/xml/xml_document.h"
#include "plataforma/xml/xml_errors.h"
#include "plataforma/xml/xml_node.h"

#include <libxml/tree.h>

void IXMLNodeList::Refresh() const {
    const TXMLDocument* documento = owner_->owner_;
    auto* n = static_cast<xmlNode*>(owner_->Handle());
    if (filled_ && version_ == documento->Version()) return;
    items_.clear();
    if (attributes_) {
        if (n->type == XML_ELEMENT_NODE)
            for (xmlAttr* a = n->properties; a != nullptr; a = a->next)
                items_.push_back(documento->Wrap(a));
    } else if (n->type == XML_ELEMENT_NODE || n->type == XML_DOCUMENT_NODE ||
               n->type == XML_DOCUMENT_FRAG_NODE) {
        // An entity reference's children belong to the entity's declaration: not listed.
        for (xmlNode* c = n->children; c != nullptr; c = c->next)
            items_.push_back(documento->Wrap(c));
    }
    version_ = documento->Version();
    filled_ = true;
}

int IXMLNodeList::GetCount() const {
    Refresh();
    return static_cast<int>(items_.size());
}

IXMLNode* IXMLNodeList::GetNodes(int index) const {
    Refresh();
    if (index < 0 || index >= static_cast<int>(items_.size()))
        throw EXMLDocError("List index out of bounds (" + IntToStr(index) + ")");
    return items_[static_cast<size_t>(index)];
}

IXMLNode* IXMLNodeList::FindNode(const AnsiString& name) const {
    Refresh();
    for (IXMLNode* nodo : items_)
        if (nodo->GetNodeName() == name) return nodo;
    return nullptr;
}
