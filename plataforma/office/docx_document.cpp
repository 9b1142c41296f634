#include "plataforma/office/docx_document.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/office/office_error.h"
#include "plataforma/office/office_xml.h"
#include "plataforma/office/zip_package.h"

using namespace office_xml;

namespace {

const char kW[] = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
const char kDecl[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
// The width of an A4 page's text between margins of 3 cm, in twentieths of a point.
constexpr int kTextWidth = 8504;

// The element whose attribute "name" equals Name among the bookmark starts under Node.
xmlNode* FindBookmark(xmlNode* Node, const std::string& Name) {
    for (xmlNode* n = Node ? Node->children : nullptr; n; n = n->next) {
        if (n->type != XML_ELEMENT_NODE) continue;
        if (office_xml::Name(n) == "bookmarkStart" && Attr(n, "name") == Name) return n;
        if (xmlNode* found = FindBookmark(n, Name)) return found;
    }
    return nullptr;
}

// The cell's text as runs: each line end (CR LF, a lone CR or a lone LF) a break, tabs as
// tabs, other controls left out.
void AppendRuns(std::string& Out, const std::string& P, const AnsiString& Text, TextForm Form) {
    const std::string utf8 = Form == TextForm::Utf8 ? Text.str() : cp1252::ToUtf8(Text.str());
    std::string run;
    const auto flush = [&] {
        if (run.empty()) return;
        Out += "<" + P + "t xml:space=\"preserve\">";
        AppendEscaped(Out, run);
        Out += "</" + P + "t>";
        run.clear();
    };
    Out += "<" + P + "r>";
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
        if (c == '\r' || c == '\n' || c == '\t') {
            flush();
            Out += "<" + P + (c == '\t' ? "tab/>" : "br/>");
        } else if (static_cast<unsigned char>(c) >= 0x20) {
            run += c;
        }
    }
    flush();
    Out += "</" + P + "r>";
}

} // namespace

DocxDocument::DocxDocument() : package_(std::make_unique<ZipPackage>()) {
    const std::string w = std::string("xmlns:w=\"") + kW + "\"";
    package_->Put(
        "[Content_Types].xml",
        std::string(kDecl) +
            "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/"
            "content-types\"><Default Extension=\"rels\" ContentType=\"application/"
            "vnd.openxmlformats-package.relationships+xml\"/><Default Extension=\"xml\" "
            "ContentType=\"application/xml\"/><Override PartName=\"/word/document.xml\" "
            "ContentType=\"application/vnd.openxmlformats-officedocument."
            "wordprocessingml.document.main+xml\"/><Override "
            "PartName=\"/word/settings.xml\" ContentType=\"application/"
            "vnd.openxmlformats-officedocument.wordprocessingml.settings+xml\"/></Types>");
    package_->Put("_rels/.rels",
                  std::string(kDecl) +
                      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                      "relationships\"><Relationship Id=\"rId1\" Type=\"http://"
                      "schemas.openxmlformats.org/officeDocument/2006/relationships/"
                      "officeDocument\" Target=\"word/document.xml\"/></Relationships>");
    package_->Put("word/_rels/document.xml.rels",
                  std::string(kDecl) +
                      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                      "relationships\"><Relationship Id=\"rId1\" Type=\"http://"
                      "schemas.openxmlformats.org/officeDocument/2006/relationships/settings\" "
                      "Target=\"settings.xml\"/></Relationships>");
    package_->Put("word/settings.xml", std::string(kDecl) + "<w:settings " + w +
                                           "><w:hideSpellingErrors/><w:hideGrammaticalErrors/>"
                                           "</w:settings>");
    package_->Put("word/document.xml",
                  std::string(kDecl) + "<w:document " + w +
                      "><w:body><w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar "
                      "w:top=\"1417\" w:right=\"1701\" w:bottom=\"1417\" w:left=\"1701\" "
                      "w:header=\"708\" w:footer=\"708\" w:gutter=\"0\"/></w:sectPr></w:body>"
                      "</w:document>");
    Load();
}

DocxDocument::DocxDocument(const AnsiString& FileName)
    : package_(OpenOfficeFile(FileName, " es un documento binario antiguo (.doc), que no se lee")) {
    Load();
}

DocxDocument::~DocxDocument() = default;

void DocxDocument::Load() {
    const AnsiString& file = package_->Name();
    mainPart_ = MainPart(*package_, "un documento");
    main_ = package_->Read(mainPart_, kMaxTreePart);
    const xmlNode* root = xmlDocGetRootElement(Tree());
    if (Name(root) != "document" || !Child(root, "body"))
        throw EOfficeError("El fichero " + file + " no es un documento de texto");
}

xmlDoc* DocxDocument::Tree() const {
    if (!tree_) tree_ = Parse(main_, mainPart_, package_->Name());
    return tree_.get();
}

bool DocxDocument::HasBookmark(const AnsiString& Name) const {
    return FindBookmark(xmlDocGetRootElement(Tree()), cp1252::ToUtf8(Name.str())) != nullptr;
}

void DocxDocument::AddTable(const AnsiString& Bookmark, int Rows, int Cols,
                            const CellSource& Source, TextForm Form) {
    xmlDoc* doc = Tree();
    xmlNode* root = xmlDocGetRootElement(doc);
    xmlNode* body = Child(root, "body");
    xmlNs* ns = xmlSearchNsByHref(doc, body, reinterpret_cast<const xmlChar*>(kW));
    std::string p;
    if (!ns) {
        // A document in another namespace: its elements' own prefix serves.
        ns = body->ns;
    }
    if (ns && ns->prefix) p = std::string(reinterpret_cast<const char*>(ns->prefix)) + ":";

    const int width = Cols > 0 ? std::max(kTextWidth / Cols, 1) : kTextWidth;
    const std::string w = std::to_string(width);
    std::string table = "<" + p + "tbl><" + p + "tblPr><" + p + "tblW " + p + "w=\"0\" " + p +
                        "type=\"auto\"/><" + p + "tblBorders>";
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"})
        table += "<" + p + side + " " + p + "val=\"single\" " + p + "sz=\"4\" " + p +
                 "space=\"0\" " + p + "color=\"auto\"/>";
    table += "</" + p + "tblBorders></" + p + "tblPr><" + p + "tblGrid>";
    for (int c = 0; c < Cols; ++c)
        table += "<" + p + "gridCol " + p + "w=\"" + w + "\"/>";
    table += "</" + p + "tblGrid>";
    for (int r = 0; r < Rows; ++r) {
        table += "<" + p + "tr>";
        for (int c = 0; c < Cols; ++c) {
            AnsiString text;
            DocxAlignment align = DocxAlignment::Left;
            Source(r, c, text, align);
            table += "<" + p + "tc><" + p + "tcPr><" + p + "tcW " + p + "w=\"" + w + "\" " + p +
                     "type=\"dxa\"/></" + p + "tcPr><" + p + "p>";
            if (align != DocxAlignment::Left)
                table += "<" + p + "pPr><" + p + "jc " + p + "val=\"" +
                         (align == DocxAlignment::Right ? "right" : "center") + "\"/></" + p +
                         "pPr>";
            if (!text.IsEmpty()) AppendRuns(table, p, text, Form);
            table += "</" + p + "p></" + p + "tc>";
        }
        table += "</" + p + "tr>";
    }
    table += "</" + p + "tbl><" + p + "p/>";

    // Where the table goes (once it is made): an empty node, written as the table.
    xmlNode* slot = xmlNewComment(reinterpret_cast<const xmlChar*>(""));
    xmlNode* at = Bookmark.IsEmpty() ? nullptr : FindBookmark(body, cp1252::ToUtf8(Bookmark.str()));
    while (at && at->parent != body)
        at = at->parent;
    if (at) {
        xmlAddNextSibling(at, slot);
    } else {
        xmlNode* last = body->last;
        while (last && last->type != XML_ELEMENT_NODE)
            last = last->prev;
        if (last && Name(last) == "sectPr")
            xmlAddPrevSibling(last, slot);
        else
            xmlAddChild(body, slot);
    }

    // The table is text in the document's text: the tree is made again from it when asked.
    main_ = SerializeReplacing(doc, slot, table);
    tree_.reset();
}

void DocxDocument::SaveAs(const AnsiString& FileName) {
    package_->Put(mainPart_, main_);
    package_->SaveAs(FileName);
}
