// TKavStringGrid: XML files. The writer gives its own exact text (declaration, one tag or
// field a line, CR LF); the reader goes through the XML document and places every field by
// its element name, so that the empty cells the writer leaves out do not shift a row.
//
// Texts are written with the standard entities, a CR as "&#13;" (a parser would otherwise
// turn a CR LF into an LF) and the text "$amp" as "&#36;amp": the earlier writer put "$amp"
// for "&", and a file holding "$amp" in its bytes is read as one of those. So a cell whose
// text is "$amp" comes back as "$amp" from the files written here.
#include "controles/grid/kav_grid.h"
#include "controles/grid/markup/markup_helpers.h"
#include "controles/grid/storage/file_support.h"
#include "controles/grid/storage/xml_records.h"
#include "plataforma/base/file_errors.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/base/string_list.h"
#include "plataforma/xml/xml_errors.h"

#include <map>

using namespace grid_files;

namespace {

std::string Replace(std::string S, const std::string& From, const std::string& To) {
    for (size_t p = 0; (p = S.find(From, p)) != std::string::npos; p += To.size())
        S.replace(p, From.size(), To);
    return S;
}

// The standard entities (the markup helpers' escaping), then a CR and "$amp" as references.
std::string XmlText(const AnsiString& S) {
    return Replace(Replace(FixMarkup(S).str(), "\r", "&#13;"), "$amp", "&#36;amp");
}

} // namespace

void TKavStringGrid::SaveToXML(const AnsiString& FileName, const AnsiString& ListDescr,
                               const AnsiString& RecordDescr, TStrings* FieldNames) {
    FileWriter w;
    OpenOutput(w, FileName, false, "Cannot Create file ");
    std::string out = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n";
    out += "<" + ListDescr.str() + ">\r\n";
    ExportNotification(0, -1);
    const int c0 = GetSaveStartCol();
    for (int r = GetSaveStartRow(); r <= GetSaveEndRow(); ++r) {
        ExportNotification(1, r);
        out += "<" + RecordDescr.str() + ">\r\n";
        for (int c = c0; c <= GetSaveEndCol(); ++c) {
            const int real = RemapCol(c);
            if (!IsBaseCell(real, r)) continue;
            const AnsiString text = SaveCell(real, r);
            if (text.IsEmpty()) continue;
            const int place = c - c0;
            std::string name = FieldNames && place < FieldNames->GetCount()
                                   ? FieldNames->GetStrings(place).str()
                                   : "FIELD" + std::to_string(place);
            out += "<" + name + ">" + XmlText(text) + "</" + name + ">\r\n";
        }
        out += "</" + RecordDescr.str() + ">\r\n";
        WriteIfLarge(w, out);
    }
    out += "</" + ListDescr.str() + ">\r\n";
    ExportNotification(2, -1);
    CommitOutput(w, out);
}

namespace {

// Places the fields of the records by their names.
class XmlRecordReader {
public:
    // The header names are taken before the grid is resized for the load.
    XmlRecordReader(TKavStringGrid& Grid, bool Legacy) : g_(Grid), legacy_(Legacy) {
        if (g_.GetFixedRows() > 0)
            for (int c = g_.GetColCount() - 1; c >= g_.GetSaveStartCol(); --c)
                if (!g_.GetCells(c, 0).IsEmpty()) headers_[g_.GetCells(c, 0).str()] = c;
    }

    void Read(const XmlRecord& Record, int Row) {
        for (const XmlField& f : Record)
            Place(f.first, f.second, Row);
    }

private:
    int ColumnOf(const AnsiString& Name) {
        const std::string& n = Name.str();
        int place = 0;
        if (n.size() > 5 && n.compare(0, 5, "FIELD") == 0 &&
            ParseInt(std::string_view(n).substr(5), place) && place >= 0 && n[5] != '-')
            return g_.GetSaveStartCol() + place;
        if (auto it = named_.find(n); it != named_.end()) return it->second;
        // A column whose header holds the name, else the next new one.
        const auto h = headers_.find(n);
        const int col = h != headers_.end() ? h->second : g_.GetSaveStartCol() + nextNew_;
        nextNew_ = std::max(nextNew_, col - g_.GetSaveStartCol() + 1);
        named_[n] = col;
        return col;
    }

    void Place(const AnsiString& Name, const AnsiString& Value, int Row) {
        const int col = ColumnOf(Name);
        if (int64_t(col) >= kMaxCols) throw EKavGridError("Too many columns in XML file");
        if (col >= g_.GetColCount()) g_.SetColCount(col + 1);
        if (g_.GetStoreFixedCells() && g_.GetCells(col, 0).IsEmpty() && Row != 0)
            g_.SetCells(col, 0, Name);
        std::string text = Value.str();
        if (legacy_) text = Replace(text, "$amp", "&");
        g_.SetCellEx(col, Row, AnsiString(text));
    }

    TKavStringGrid& g_;
    bool legacy_;
    std::map<std::string, int> named_;
    std::map<std::string, int> headers_;
    int nextNew_ = 0;
};

} // namespace

void TKavStringGrid::LoadFromXML(const AnsiString& FileName, bool Nested) {
    std::string bytes;
    if (!FileExists(FileName) || !ReadWholeFile(FileName, bytes))
        throw Exception("XML file not found");
    // The bytes of a file declared ISO-8859-1 are Windows-1252 (the euro sign at 0x80).
    const size_t declEnd = bytes.compare(0, 5, "<?xml") == 0 ? bytes.find("?>") : std::string::npos;
    if (declEnd != std::string::npos) {
        const size_t p = bytes.find("ISO-8859-1", 0);
        if (p != std::string::npos && p < declEnd) bytes.replace(p, 10, "windows-1252");
    }
    const bool legacy = bytes.find("$amp") != std::string::npos;
    std::vector<XmlRecord> records;
    try {
        records = ReadXmlRecords(bytes, Nested);
    } catch (const EDOMParseError& e) {
        throw Exception("XMLDOM Parsing error " + AnsiString(e.GetErrorCode()) + " on line " +
                        AnsiString(e.GetLine()));
    }
    if (int64_t(GetSaveStartRow()) + int64_t(records.size()) >= kMaxRows)
        throw EKavGridError("Too many rows in XML file");
    const int r0 = GetSaveStartRow();
    XmlRecordReader reader(*this, legacy);
    SetColCount(GetFixedCols() + 1);
    SetRowCount(std::max<int>(GetFixedRows() + 1, r0 + static_cast<int>(records.size())));
    for (size_t i = 0; i < records.size(); ++i)
        reader.Read(records[i], r0 + static_cast<int>(i));
    FireCellsChanged(0, 0, GetColCount(), GetRowCount());
    CellsLoaded();
}
