#include "controles/grid/storage/xml_records.h"

#include "controles/grid/storage/cell_utf8.h"
#include "plataforma/base/wide_string.h"
#include "plataforma/xml/xml_document.h"
#include "plataforma/xml/xml_node.h"
#include "plataforma/xml/xml_node_list.h"

namespace {

bool HasElements(IXMLNode* N) {
    IXMLNodeList* c = N->GetChildNodes();
    for (int i = 0; i < c->GetCount(); ++i)
        if (c->GetNodes(i)->GetNodeType() == ntElement) return true;
    return false;
}

void ReadFields(IXMLNode* Node, bool Nested, XmlRecord& Out) {
    IXMLNodeList* attrs = Node->GetAttributeNodes();
    for (int i = 0; i < attrs->GetCount(); ++i)
        Out.emplace_back(attrs->GetNodes(i)->GetNodeName(),
                         CellFromUtf8(attrs->GetNodes(i)->GetTextUtf8()));
    IXMLNodeList* children = Node->GetChildNodes();
    for (int i = 0; i < children->GetCount(); ++i) {
        IXMLNode* n = children->GetNodes(i);
        if (n->GetNodeType() != ntElement) continue;
        if (Nested && HasElements(n))
            ReadFields(n, Nested, Out);
        else
            Out.emplace_back(n->GetNodeName(), CellFromUtf8(n->GetTextUtf8()));
    }
}

} // namespace

std::vector<XmlRecord> ReadXmlRecords(std::string_view Bytes, bool Nested) {
    TXMLDocument doc;
    doc.LoadFromXML(Bytes);
    std::vector<XmlRecord> records;
    IXMLNode* root = doc.GetDocumentElement();
    if (!root) return records;
    IXMLNodeList* list = root->GetChildNodes();
    for (int i = 0; i < list->GetCount(); ++i) {
        IXMLNode* rec = list->GetNodes(i);
        if (rec->GetNodeType() != ntElement) continue;
        records.emplace_back();
        ReadFields(rec, Nested, records.back());
    }
    return records;
}
