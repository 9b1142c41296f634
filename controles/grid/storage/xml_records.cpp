#include "controles/grid/storage/xml_records.h"

#include "controles/comun/text_utils.h"
#include "controles/grid/clipboard/clip_text.h"
#include "plataforma/base/wide_string.h"
#include "plataforma/xml/xml_document.h"
#include "plataforma/xml/xml_node.h"
#include "plataforma/xml/xml_node_list.h"

namespace {

// A text in Windows-1252 when every character has its byte there, else a wide cell.
AnsiString CellText(const std::string& Utf8) {
    const WideString w = WideString::FromUtf8(Utf8);
    return clip_text::FitsCodePage(w.str()) ? w.ToAnsiString() : EncodeWideStr(w);
}

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
                         CellText(attrs->GetNodes(i)->GetTextUtf8()));
    IXMLNodeList* children = Node->GetChildNodes();
    for (int i = 0; i < children->GetCount(); ++i) {
        IXMLNode* n = children->GetNodes(i);
        if (n->GetNodeType() != ntElement) continue;
        if (Nested && HasElements(n))
            ReadFields(n, Nested, Out);
        else
            Out.emplace_back(n->GetNodeName(), CellText(n->GetTextUtf8()));
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
