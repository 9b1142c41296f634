// XlsxWorkbook: the cells of a worksheet, read as a stream (a sheet may hold millions of
// cells), with the shared strings and the date formats of the styles.
#include "plataforma/base/cp1252.h"
#include "plataforma/base/dates.h"
#include "plataforma/base/numbers.h"
#include "plataforma/office/cell_reference.h"
#include "plataforma/office/value_text.h"
#include "plataforma/office/xlsx_text.h"
#include "plataforma/office/xlsx_workbook.h"
#include "plataforma/office/zip_package.h"

#include <libxml/xmlreader.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>

using namespace office_xml;

namespace {

struct ReaderFree {
    void operator()(xmlTextReader* R) const { xmlFreeTextReader(R); }
};

// A part read node by node; Expand gives the subtree of the current element.
class PartReader {
public:
    PartReader(std::string Bytes, const std::string& Part, const AnsiString& File)
        : text_(Prepare(std::move(Bytes), Part, File)), part_(Part), file_(File) {
        reader_.reset(
            xmlReaderForMemory(text_.data(), static_cast<int>(text_.size()), nullptr, nullptr,
                               XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
        if (!reader_) Fail();
    }
    // The next node; false at the end.
    bool Read() {
        const int r = xmlTextReaderRead(reader_.get());
        if (r < 0) Fail();
        // Whatever the text's encoding hid from Prepare.
        if (r == 1 && xmlTextReaderNodeType(reader_.get()) == XML_READER_TYPE_DOCUMENT_TYPE)
            Bad("declara un tipo de documento");
        return r == 1;
    }
    // Skips the current element's subtree.
    bool Skip() {
        const int r = xmlTextReaderNext(reader_.get());
        if (r < 0) Fail();
        return r == 1;
    }
    bool IsStart(std::string_view Local) const {
        if (xmlTextReaderNodeType(reader_.get()) != XML_READER_TYPE_ELEMENT) return false;
        const xmlChar* n = xmlTextReaderConstLocalName(reader_.get());
        return n && Local == reinterpret_cast<const char*>(n);
    }
    // Whether the current element is written empty ("<si/>").
    bool IsEmpty() const { return xmlTextReaderIsEmptyElement(reader_.get()) == 1; }
    std::string Attribute(const char* Name) const {
        xmlChar* v =
            xmlTextReaderGetAttribute(reader_.get(), reinterpret_cast<const xmlChar*>(Name));
        std::string out = v ? reinterpret_cast<const char*>(v) : "";
        xmlFree(v);
        return out;
    }
    bool HasAttribute(const char* Name) const {
        xmlChar* v =
            xmlTextReaderGetAttribute(reader_.get(), reinterpret_cast<const xmlChar*>(Name));
        xmlFree(v);
        return v != nullptr;
    }
    const xmlNode* Expand() {
        const xmlNode* n = xmlTextReaderExpand(reader_.get());
        if (!n) Fail();
        return n;
    }
    [[noreturn]] void Fail() const {
        throw EOfficeError("El fichero " + file_ + " está dañado: la parte " + AnsiString(part_) +
                           " no es XML válido");
    }
    [[noreturn]] void Bad(const AnsiString& Why) const {
        throw EOfficeError("El fichero " + file_ + " está dañado: la parte " + AnsiString(part_) +
                           " " + Why);
    }

private:
    std::string text_; // the reader's input
    std::unique_ptr<xmlTextReader, ReaderFree> reader_;
    std::string part_;
    AnsiString file_;
};

// The text of the <t> elements under Node, phonetic runs left out.
void CollectText(const xmlNode* Node, std::string& Out) {
    for (const xmlNode* n = Node->children; n; n = n->next) {
        const std::string_view name = Name(n);
        if (name == "t") {
            xmlChar* t = xmlNodeGetContent(n);
            if (t) Out += reinterpret_cast<const char*>(t);
            xmlFree(t);
        } else if (name == "r") {
            CollectText(n, Out);
        }
    }
}

std::string Content(const xmlNode* Node) {
    xmlChar* t = Node ? xmlNodeGetContent(Node) : nullptr;
    std::string out = t ? reinterpret_cast<const char*>(t) : "";
    xmlFree(t);
    return out;
}

bool ParseCount(const std::string& Text, long long& Value) {
    const char* end = Text.data() + Text.size();
    const auto r = std::from_chars(Text.data(), end, Value);
    return r.ec == std::errc() && r.ptr == end;
}

// An ISO 8601 date and time ("2024-03-01", "2024-03-01T12:30:00") as a day count.
bool ParseIsoDate(const std::string& Text, double& Value) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0;
    double s = 0;
    char t = 0;
    const int n =
        std::sscanf(Text.c_str(), "%4d-%2d-%2d%c%2d:%2d:%lf", &y, &mo, &d, &t, &h, &mi, &s);
    if (n < 3 || (n > 3 && n < 6) || h > 23 || mi > 59 || s < 0 || s >= 60) return false;
    TDateTime date;
    if (!TryEncodeDate(y, mo, d, date)) return false;
    Value = date + (h * 3600 + mi * 60 + s) / 86400.0;
    return true;
}

[[noreturn]] void TooMuchText(const PartReader& Reader) {
    Reader.Bad("tiene más texto del que cabe en la rejilla (" +
               AnsiString(static_cast<int>(XlsxWorkbook::kMaxSheetText >> 20)) + " MB)");
}

} // namespace

void XlsxWorkbook::LoadSharedStrings() const {
    if (stringsLoaded_) return;
    stringsLoaded_ = true;
    if (stringsPart_.empty() || !package_->Has(stringsPart_)) return;
    PartReader reader(package_->Read(stringsPart_), stringsPart_, package_->Name());
    bool more = reader.Read();
    std::string text;
    while (more) {
        if (reader.IsStart("si") && reader.IsEmpty()) {
            stringEnds_.push_back(static_cast<uint32_t>(stringPool_.size()));
            more = reader.Read();
        } else if (reader.IsStart("si")) {
            text.clear();
            CollectText(reader.Expand(), text);
            // Decoded text is never longer than its markup, which a part limits to far less
            // than the ends can count.
            stringPool_ += xlsx_text::Decode(text);
            stringEnds_.push_back(static_cast<uint32_t>(stringPool_.size()));
            more = reader.Skip();
        } else {
            more = reader.Read();
        }
    }
}

void XlsxWorkbook::LoadStyles() const {
    if (stylesLoaded_) return;
    stylesLoaded_ = true;
    if (stylesPart_.empty() || !package_->Has(stylesPart_)) return;
    const DocPtr doc = Parse(package_->Read(stylesPart_), stylesPart_, package_->Name());
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    std::map<long long, std::string> codes;
    for (xmlNode* f = Child(Child(root, "numFmts"), "numFmt"); f; f = Next(f, "numFmt")) {
        long long id = 0;
        if (ParseCount(Attr(f, "numFmtId"), id)) codes[id] = Attr(f, "formatCode");
    }
    for (xmlNode* x = Child(Child(root, "cellXfs"), "xf"); x; x = Next(x, "xf")) {
        long long id = 0;
        ParseCount(Attr(x, "numFmtId"), id);
        const auto found = codes.find(id);
        const std::string code = found == codes.end() ? std::string() : found->second;
        NumberStyle style;
        style.Date = id >= 0 && id <= 1000 && value_text::IsDateFormat(static_cast<int>(id), code);
        if (style.Date && value_text::IsElapsedFormat(code)) style.Elapsed = code;
        numberStyles_.push_back(std::move(style));
    }
}

SheetContents XlsxWorkbook::ReadWorksheet(int Index, TextForm Form) const {
    // The file's texts are UTF-8: in the caller's form.
    const auto inForm = [Form](std::string Utf8) {
        return Form == TextForm::Utf8 ? AnsiString(std::move(Utf8))
                                      : AnsiString(cp1252::FromUtf8(Utf8));
    };
    const Sheet& sheet = SheetAt(Index);
    PartReader reader(package_->Read(sheet.Part), sheet.Part, package_->Name());
    SheetContents out;
    size_t budget = kMaxSheetText;
    int row = 0, col = 0;
    bool more = reader.Read();
    while (more) {
        if (reader.IsStart("row")) {
            // A row without its number follows the one before.
            if (reader.HasAttribute("r")) {
                long long r = 0;
                if (!ParseCount(reader.Attribute("r"), r) || r < 1 || r > cell_reference::kMaxRow)
                    reader.Bad("tiene una fila de número no válido");
                row = static_cast<int>(r);
            } else if (++row > cell_reference::kMaxRow) {
                reader.Bad("tiene más filas de las que caben en una hoja");
            }
            col = 0;
            more = reader.Read();
            continue;
        }
        if (!reader.IsStart("c")) {
            more = reader.Read();
            continue;
        }
        const xmlNode* c = reader.Expand();
        if (HasAttr(c, "r")) {
            int r = 0;
            if (!cell_reference::Parse(Attr(c, "r"), col, r))
                reader.Bad("tiene una referencia de celda no válida");
            row = r;
        } else if (++col > cell_reference::kMaxCol || row < 1) {
            reader.Bad("tiene una celda fuera de la hoja");
        }
        const std::string type = Attr(c, "t");
        const xmlNode* v = Child(c, "v");
        AnsiString text;
        bool value = true;
        if (type == "inlineStr") {
            std::string t;
            if (const xmlNode* is = Child(c, "is"))
                CollectText(is, t);
            else
                value = false;
            text = inForm(xlsx_text::Decode(t));
        } else if (!v || type == "e") {
            value = false; // no value, or an error value
        } else if (type == "s") {
            // The shared strings and the styles are read when a cell first needs them.
            LoadSharedStrings();
            long long i = -1;
            if (!ParseCount(Content(v), i) || i < 0 ||
                static_cast<unsigned long long>(i) >= stringEnds_.size())
                reader.Bad("remite a una cadena compartida que no existe");
            const size_t end = stringEnds_[static_cast<size_t>(i)];
            const size_t start = i > 0 ? stringEnds_[static_cast<size_t>(i) - 1] : 0;
            if (end - start > budget) TooMuchText(reader);
            text = inForm(stringPool_.substr(start, end - start));
        } else if (type == "str") {
            text = inForm(xlsx_text::Decode(Content(v)));
        } else if (type == "b") {
            text = Content(v) == "1" || Content(v) == "true" ? "True" : "False";
        } else if (type == "d") {
            double d = 0;
            const std::string iso = Content(v);
            text = ParseIsoDate(iso, d) ? value_text::DateTime(d) : inForm(iso);
        } else {
            const std::string n = Content(v);
            double d = 0;
            const auto r = std::from_chars(n.data(), n.data() + n.size(), d);
            if (r.ec != std::errc() || r.ptr != n.data() + n.size() || !std::isfinite(d)) {
                text = inForm(n); // not a number: kept as written
            } else {
                long long s = 0;
                if (HasAttr(c, "s")) LoadStyles();
                const NumberStyle* style =
                    ParseCount(Attr(c, "s"), s) && s >= 0 &&
                            static_cast<unsigned long long>(s) < numberStyles_.size()
                        ? &numberStyles_[static_cast<size_t>(s)]
                        : nullptr;
                if (style && !style->Elapsed.empty())
                    text = value_text::ElapsedTime(d, style->Elapsed);
                else if (style && style->Date)
                    text = value_text::SpreadsheetDate(d, date1904_, compatible1900_);
                else
                    text = FloatToStr(d);
            }
        }
        if (value) {
            const size_t cost = text.str().size() + kCellCost;
            if (cost > budget) TooMuchText(reader);
            budget -= cost;
            out.LastCol = std::max(out.LastCol, col);
            out.LastRow = std::max(out.LastRow, row);
            out.Cells.push_back({col, row, std::move(text)});
        }
        more = reader.Skip();
    }
    return out;
}
