// XlsxWorkbook: the package's structure (the workbook part, its sheets and relationships),
// new workbooks, added sheets and saving.
#include "plataforma/office/xlsx_workbook.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/office/zip_package.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <set>

using namespace office_xml;

namespace {

const char kMain[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char kRelNs[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const char kPkgRels[] = "http://schemas.openxmlformats.org/package/2006/relationships";
const char kTypesNs[] = "http://schemas.openxmlformats.org/package/2006/content-types";
const char kWorksheetType[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
const char kWorksheetContent[] =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
const char kDecl[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

bool EndsWith(const std::string& S, std::string_view End) {
    return S.size() >= End.size() && S.compare(S.size() - End.size(), End.size(), End) == 0;
}

const xmlChar* X(const char* S) {
    return reinterpret_cast<const xmlChar*>(S);
}
const xmlChar* X(const std::string& S) {
    return reinterpret_cast<const xmlChar*>(S.c_str());
}

// The parts of a new workbook without sheets.
void PutTemplate(ZipPackage& Package) {
    Package.Put("[Content_Types].xml",
                std::string(kDecl) + "<Types xmlns=\"" + kTypesNs +
                    "\"><Default Extension=\"rels\" "
                    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                    "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/"
                    "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
                    "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/"
                    "vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/></Types>");
    Package.Put("_rels/.rels",
                std::string(kDecl) + "<Relationships xmlns=\"" + kPkgRels +
                    "\"><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
                    "officeDocument/2006/relationships/officeDocument\" "
                    "Target=\"xl/workbook.xml\"/></Relationships>");
    Package.Put("xl/workbook.xml", std::string(kDecl) + "<workbook xmlns=\"" + kMain +
                                       "\" xmlns:r=\"" + kRelNs +
                                       "\"><bookViews><workbookView activeTab=\"0\"/>"
                                       "</bookViews><sheets/></workbook>");
    Package.Put("xl/_rels/workbook.xml.rels",
                std::string(kDecl) + "<Relationships xmlns=\"" + kPkgRels +
                    "\"><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
                    "officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
                    "</Relationships>");
    Package.Put("xl/styles.xml",
                std::string(kDecl) + "<styleSheet xmlns=\"" + kMain +
                    "\"><fonts count=\"1\"><font><sz val=\"10\"/><name val=\"DejaVu Sans\"/>"
                    "</font></fonts><fills count=\"2\"><fill><patternFill patternType=\"none\"/>"
                    "</fill><fill><patternFill patternType=\"gray125\"/></fill></fills>"
                    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/>"
                    "</border></borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" "
                    "fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
                    "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
                    "borderId=\"0\" xfId=\"0\"/></cellXfs><cellStyles count=\"1\">"
                    "<cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
                    "</styleSheet>");
}

} // namespace

XlsxWorkbook::XlsxWorkbook() : package_(std::make_unique<ZipPackage>()) {
    PutTemplate(*package_);
    Load();
}

XlsxWorkbook::XlsxWorkbook(const AnsiString& FileName)
    : package_(OpenOfficeFile(FileName, " es un libro binario antiguo (.xls), que no se lee")) {
    Load();
}

XlsxWorkbook::~XlsxWorkbook() = default;

void XlsxWorkbook::Load() {
    const AnsiString& file = package_->Name();
    workbookPart_ = MainPart(*package_, "un libro");
    const DocPtr book = Parse(package_->Read(workbookPart_), workbookPart_, file);
    const xmlNode* root = xmlDocGetRootElement(book.get());
    if (Name(root) != "workbook")
        throw EOfficeError("El fichero " + file + " no es un libro de hoja de cálculo");
    const xmlNode* pr = Child(root, "workbookPr");
    const std::string d1904 = Attr(pr, "date1904");
    date1904_ = d1904 == "1" || d1904 == "true";
    const std::string compatible = Attr(pr, "dateCompatibility");
    compatible1900_ = compatible != "0" && compatible != "false";
    const std::string tab = Attr(Child(Child(root, "bookViews"), "workbookView"), "activeTab");
    activeTab_ = 0;
    std::from_chars(tab.data(), tab.data() + tab.size(), activeTab_);

    // The targets of the workbook's relationships, by their identifier.
    std::vector<std::pair<std::string, std::pair<std::string, std::string>>> targets;
    const std::string relsPart = RelsOf(workbookPart_);
    if (package_->Has(relsPart)) {
        const DocPtr wrels = Parse(package_->Read(relsPart), relsPart, file);
        for (xmlNode* r = Child(xmlDocGetRootElement(wrels.get()), "Relationship"); r;
             r = Next(r, "Relationship")) {
            targets.push_back({Attr(r, "Id"), {Attr(r, "Type"), Attr(r, "Target")}});
            const std::string type = Attr(r, "Type");
            const std::string target = ResolveTarget(workbookPart_, Attr(r, "Target"));
            if (EndsWith(type, "/calcChain")) calcChainPart_ = target;
            if (EndsWith(type, "/sharedStrings")) stringsPart_ = target;
            if (EndsWith(type, "/styles")) stylesPart_ = target;
        }
    }
    sheets_.clear();
    for (xmlNode* s = Child(Child(root, "sheets"), "sheet"); s; s = Next(s, "sheet")) {
        const std::string id = Attr(s, "id");
        Sheet sheet{Attr(s, "name"), std::string(), false};
        for (const auto& t : targets) {
            if (t.first != id) continue;
            sheet.Part = ResolveTarget(workbookPart_, t.second.second);
            sheet.Worksheet = EndsWith(t.second.first, "/worksheet");
        }
        sheets_.push_back(std::move(sheet));
    }
}

std::vector<AnsiString> XlsxWorkbook::WorksheetNames() const {
    std::vector<AnsiString> names;
    for (const Sheet& s : sheets_)
        if (s.Worksheet) names.push_back(AnsiString(cp1252::FromUtf8(s.Name)));
    return names;
}

int XlsxWorkbook::FindWorksheet(const AnsiString& Name) const {
    // Compared as listed: a name with characters beyond Windows-1252 is found by the name
    // WorksheetNames gives for it.
    for (size_t i = 0; i < sheets_.size(); ++i)
        if (sheets_[i].Worksheet && cp1252::FromUtf8(sheets_[i].Name) == Name.str())
            return static_cast<int>(i);
    return -1;
}

const XlsxWorkbook::Sheet& XlsxWorkbook::SheetAt(int Index) const {
    if (Index < 0 || static_cast<size_t>(Index) >= sheets_.size())
        throw EOfficeError("El libro " + package_->Name() + " no tiene la hoja " +
                           AnsiString(Index + 1));
    return sheets_[static_cast<size_t>(Index)];
}

int XlsxWorkbook::ActiveWorksheet() const {
    const size_t tab = activeTab_ >= 0 && static_cast<size_t>(activeTab_) < sheets_.size()
                           ? static_cast<size_t>(activeTab_)
                           : 0;
    return tab < sheets_.size() && sheets_[tab].Worksheet ? static_cast<int>(tab) : -1;
}

xmlDoc* XlsxWorkbook::Tree(const std::string& Part) {
    for (auto& t : trees_)
        if (t.first == Part) return t.second.get();
    trees_.push_back({Part, Parse(package_->Read(Part), Part, package_->Name())});
    return trees_.back().second.get();
}

int XlsxWorkbook::AddWorksheet(const AnsiString& Name) {
    const std::string utf8 = cp1252::ToUtf8(Name.str());
    const bool bad = Name.IsEmpty() || Name.Length() > 31 ||
                     Name.str().find_first_of("[]:*?/\\") != std::string::npos || Name[1] == '\'' ||
                     Name[Name.Length()] == '\'';
    if (bad)
        throw EOfficeError("El nombre de hoja \"" + Name +
                           "\" no es válido: de 1 a 31 caracteres, sin []:*?/\\ ni comillas "
                           "simples al principio o al final");
    for (const Sheet& s : sheets_)
        if (AnsiString(cp1252::FromUtf8(s.Name)).AnsiCompareIC(Name) == 0)
            throw EOfficeError("El libro ya tiene una hoja llamada \"" + Name + "\"");

    // The new part's name, the relationship's identifier and the sheet's number: unused ones.
    std::string part;
    for (int n = 1; part.empty() || package_->Has(part); ++n)
        part = "xl/worksheets/sheet" + std::to_string(n) + ".xml";
    const std::string relsPart = RelsOf(workbookPart_);
    if (!package_->Has(relsPart))
        package_->Put(relsPart, std::string(kDecl) + "<Relationships xmlns=\"" + kPkgRels + "\"/>");
    xmlDoc* rels = Tree(relsPart);
    xmlNode* relsRoot = xmlDocGetRootElement(rels);
    std::string id;
    for (int n = 1; id.empty(); ++n) {
        id = "rId" + std::to_string(n);
        for (xmlNode* r = Child(relsRoot, "Relationship"); r; r = Next(r, "Relationship"))
            if (Attr(r, "Id") == id) id.clear();
    }
    xmlNode* rel = xmlNewChild(relsRoot, relsRoot->ns, X("Relationship"), nullptr);
    xmlNewProp(rel, X("Id"), X(id));
    xmlNewProp(rel, X("Type"), X(kWorksheetType));
    xmlNewProp(rel, X("Target"), X("/" + part));

    xmlDoc* book = Tree(workbookPart_);
    xmlNode* root = xmlDocGetRootElement(book);
    xmlNode* sheets = Child(root, "sheets");
    if (!sheets) sheets = xmlNewChild(root, root->ns, X("sheets"), nullptr);
    // The number after the largest (a number of 32 bits), or the first one free when the
    // largest is the last there is.
    std::set<uint32_t> used;
    for (xmlNode* s = Child(sheets, "sheet"); s; s = Next(s, "sheet")) {
        const std::string t = Attr(s, "sheetId");
        uint32_t n = 0;
        const auto r = std::from_chars(t.data(), t.data() + t.size(), n);
        if (r.ec == std::errc() && r.ptr == t.data() + t.size()) used.insert(n);
    }
    uint32_t sheetId = used.empty() ? 1 : *used.rbegin() + 1;
    if (!used.empty() && *used.rbegin() == UINT32_MAX)
        for (sheetId = 1; used.count(sheetId); ++sheetId) {
        }
    xmlNode* sheet = xmlNewChild(sheets, root->ns, X("sheet"), nullptr);
    xmlNewProp(sheet, X("name"), X(utf8));
    xmlNewProp(sheet, X("sheetId"), X(std::to_string(sheetId)));
    xmlNs* r = xmlSearchNsByHref(book, root, X(kRelNs));
    if (!r) r = xmlNewNs(root, X(kRelNs), X("r"));
    xmlNewNsProp(sheet, r, X("id"), X(id));

    xmlDoc* types = Tree("[Content_Types].xml");
    xmlNode* typesRoot = xmlDocGetRootElement(types);
    xmlNode* over = xmlNewChild(typesRoot, typesRoot->ns, X("Override"), nullptr);
    xmlNewProp(over, X("PartName"), X("/" + part));
    xmlNewProp(over, X("ContentType"), X(kWorksheetContent));

    const xmlChar* mainNs = root->ns ? root->ns->href : X(kMain);
    package_->Put(part, std::string(kDecl) + "<worksheet xmlns=\"" +
                            reinterpret_cast<const char*>(mainNs) + "\"><sheetData/></worksheet>");
    sheets_.push_back({utf8, part, true});
    return static_cast<int>(sheets_.size()) - 1;
}

void XlsxWorkbook::DropCalcChain() {
    if (calcChainPart_.empty()) return;
    const std::string relsPart = RelsOf(workbookPart_);
    xmlNode* relsRoot = xmlDocGetRootElement(Tree(relsPart));
    for (xmlNode* r = Child(relsRoot, "Relationship"); r;) {
        xmlNode* next = Next(r, "Relationship");
        if (EndsWith(Attr(r, "Type"), "/calcChain")) {
            const std::string part = ResolveTarget(workbookPart_, Attr(r, "Target"));
            package_->Remove(part);
            xmlUnlinkNode(r);
            xmlFreeNode(r);
            if (package_->Has("[Content_Types].xml")) {
                xmlNode* typesRoot = xmlDocGetRootElement(Tree("[Content_Types].xml"));
                for (xmlNode* o = Child(typesRoot, "Override"); o;) {
                    xmlNode* after = Next(o, "Override");
                    if (Attr(o, "PartName") == "/" + part) {
                        xmlUnlinkNode(o);
                        xmlFreeNode(o);
                    }
                    o = after;
                }
            }
        }
        r = next;
    }
    calcChainPart_.clear();
}

void XlsxWorkbook::SaveAs(const AnsiString& FileName) {
    for (const auto& t : trees_)
        package_->Put(t.first, Serialize(t.second.get()));
    trees_.clear();
    package_->SaveAs(FileName);
}
