// TKavStringGrid: XML files. The writer gives its own exact text (declaration, one tag or
// field a line, CR LF); the reader goes through the XML document and places every field by
// its element name, so that the empty cells the writer leaves out do not shift a row.
//
// Texts are written with the standard entities, a CR as "&#13;" (a parser would otherwise
// turn a CR LF into an LF) and the text "$amp" as "&#36;amp": the earlier writer put "$amp"
// for "&", and a file holding "$amp" in its bytes is read as one of those. So a cell whose
// text is "$amp" comes back as "$amp" from the files written here. The file is declared
// ISO-8859-1, so every character beyond its bytes goes as a character reference: the
// Windows-1252 bytes 0x80-0x9F (the euro sign and its neighbours) and a wide cell's
// characters; every XML reader then reads the cell's own characters.
#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/storage/file_support.h"
#include "controles/grid/storage/xml_records.h"
#include "plataforma/base/cp1252.h"
#include "plataforma/base/file_errors.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/base/string_list.h"
#include "plataforma/xml/xml_errors.h"

#include <climits>
#include <cstdint>
#include <map>
#include <queue>
#include <set>

using namespace grid_files;

namespace {

std::string Replace(std::string S, const std::string& From, const std::string& To) {
    for (size_t p = 0; (p = S.find(From, p)) != std::string::npos; p += To.size())
        S.replace(p, From.size(), To);
    return S;
}

// The standard entities, a CR and the characters beyond ISO-8859-1 as references, "$amp"
// as "&#36;amp". An unpaired surrogate of a wide cell, which no XML file can hold, goes as
// U+FFFD.
std::string XmlText(const AnsiString& S) {
    std::string r;
    const auto put = [&r](char32_t U) {
        switch (U) {
        case '&':
            r += "&amp;";
            return;
        case '"':
            r += "&quot;";
            return;
        case '<':
            r += "&lt;";
            return;
        case '>':
            r += "&gt;";
            return;
        case '\r':
            r += "&#13;";
            return;
        default:
            break;
        }
        if (U < 0x80 || (U >= 0xA0 && U <= 0xFF))
            r += static_cast<char>(U);
        else
            r += "&#" + std::to_string(static_cast<uint32_t>(U)) + ";";
    };
    if (S.str().compare(0, 2, "|\\") == 0) {
        const std::u16string w = DecodeWideStr(S).str();
        for (size_t i = 0; i < w.size(); ++i) {
            char32_t u = w[i];
            const bool high = u >= 0xD800 && u < 0xDC00;
            if (high && i + 1 < w.size() && w[i + 1] >= 0xDC00 && w[i + 1] < 0xE000)
                u = 0x10000 + ((u - 0xD800) << 10) + (w[++i] - 0xDC00);
            else if (u >= 0xD800 && u < 0xE000)
                u = 0xFFFD;
            put(u);
        }
    } else {
        for (char c : S.str())
            put(cp1252::ToUnicode(static_cast<unsigned char>(c)));
    }
    return Replace(r, "$amp", "&#36;amp");
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
            const int place = c - c0;
            const bool named = FieldNames && place < FieldNames->GetCount();
            // The first record names every named column, empty or not: a reader finds each
            // name's column from the order of the names, which the empty cells of the
            // records would otherwise leave open.
            const bool always = named && r == GetSaveStartRow();
            const bool base = IsBaseCell(real, r);
            const AnsiString text = base ? SaveCell(real, r) : AnsiString();
            if (text.IsEmpty() && !always) continue;
            std::string name =
                named ? FieldNames->GetStrings(place).str() : "FIELD" + std::to_string(place);
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
            for (int c = g_.GetColCount() - 1; c >= g_.GetSaveStartCol(); --c) {
                const AnsiString header = g_.GetCells(g_.RealColOf(c).Value(), 0);
                if (!header.IsEmpty()) headers_[header.str()] = c;
            }
    }

    // The columns of the names that neither FIELDn nor a header places. Each record lists its
    // fields in column order, so the order of the names over all records gives their
    // columns, from the first one not taken: a record whose first columns are empty does
    // not move its fields before them.
    void Plan(const std::vector<XmlRecord>& Records) {
        std::vector<std::string> names; // by first appearance
        std::map<std::string, size_t> index;
        std::vector<std::vector<size_t>> after;
        std::vector<size_t> before; // how many names must come first
        std::set<int64_t> taken;
        std::set<std::pair<size_t, size_t>> edges;
        for (const XmlRecord& record : Records) {
            size_t prev = SIZE_MAX;
            for (const XmlField& f : record) {
                const std::string& n = f.first.str();
                int place = 0;
                if (FieldPlace(n, place)) {
                    taken.insert(place);
                    continue;
                }
                if (const auto h = headers_.find(n); h != headers_.end()) {
                    taken.insert(h->second - g_.GetSaveStartCol());
                    continue;
                }
                auto [it, fresh] = index.emplace(n, names.size());
                if (fresh) {
                    names.push_back(n);
                    after.emplace_back();
                    before.push_back(0);
                }
                const size_t i = it->second;
                if (prev != SIZE_MAX && prev != i && edges.emplace(prev, i).second) {
                    after[prev].push_back(i);
                    ++before[i];
                }
                prev = i;
            }
        }
        // The names in that order, the earliest seen first among those free to go; names
        // that contradict each other (a file not written here) go as first seen.
        std::priority_queue<size_t, std::vector<size_t>, std::greater<>> ready;
        for (size_t i = 0; i < names.size(); ++i)
            if (before[i] == 0) ready.push(i);
        std::vector<bool> done(names.size());
        size_t next = 0;
        int64_t place = 0;
        for (size_t k = 0; k < names.size(); ++k) {
            size_t i;
            if (!ready.empty()) {
                i = ready.top();
                ready.pop();
            } else {
                while (done[next])
                    ++next;
                i = next;
            }
            if (done[i]) {
                --k;
                continue;
            }
            done[i] = true;
            for (size_t j : after[i])
                if (--before[j] == 0 && !done[j]) ready.push(j);
            while (taken.count(place))
                ++place;
            named_[names[i]] =
                static_cast<int>(std::min<int64_t>(g_.GetSaveStartCol() + place++, kMaxCols));
        }
    }

    // The columns the records need: one past the last column a field names.
    int64_t Columns(const std::vector<XmlRecord>& Records) {
        int64_t n = 0;
        for (const XmlRecord& record : Records)
            for (const XmlField& f : record)
                n = std::max(n, ColumnOf(f.first) + 1);
        return n;
    }

    void Read(const XmlRecord& Record, int Row) {
        for (const XmlField& f : Record)
            Place(f.first, f.second, Row);
    }

private:
    // The position of a field named FIELDn.
    static bool FieldPlace(const std::string& N, int& Place) {
        return N.size() > 5 && N.compare(0, 5, "FIELD") == 0 && N[5] != '-' &&
               ParseInt(std::string_view(N).substr(5), Place) && Place >= 0;
    }

    int64_t ColumnOf(const AnsiString& Name) {
        const std::string& n = Name.str();
        int place = 0;
        if (FieldPlace(n, place)) return int64_t(g_.GetSaveStartCol()) + place;
        if (const auto h = headers_.find(n); h != headers_.end()) return h->second;
        const auto it = named_.find(n);
        return it != named_.end() ? it->second : g_.GetSaveStartCol();
    }

    // Places are shown columns, as the writer counted them.
    void Place(const AnsiString& Name, const AnsiString& Value, int Row) {
        // The grid holds every column the records name (Columns).
        const int col = static_cast<int>(ColumnOf(Name));
        if (col >= g_.GetColCount()) g_.SetColCount(col + 1);
        const int real = g_.RealColOf(col).Value();
        if (g_.GetStoreFixedCells() && g_.GetCells(real, 0).IsEmpty() && Row != 0)
            g_.SetCells(real, 0, Name);
        std::string text = Value.str();
        if (legacy_ && text.compare(0, 2, "|\\") != 0) text = Replace(text, "$amp", "&");
        g_.SetCellEx(real, Row, AnsiString(text));
    }

    TKavStringGrid& g_;
    bool legacy_;
    std::map<std::string, int> named_;
    std::map<std::string, int> headers_;
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
    // Every place is known before the grid changes: a file beyond the grid's limits changes
    // nothing.
    const int r0 = GetSaveStartRow();
    XmlRecordReader reader(*this, legacy);
    reader.Plan(records);
    const int64_t rows = std::max<int64_t>(GetFixedRows() + 1, int64_t(r0) + records.size());
    const int64_t cols = std::max<int64_t>(GetFixedCols() + 1, reader.Columns(records));
    if (!SizeAllowed(cols + ColsAfterSaveRange(*this), rows + RowsAfterSaveRange(*this)))
        throw EKavGridError(TooManyCells(FileName));
    // The grid takes the records' size in front of its fixed right columns and footer rows,
    // and nothing it held in the save range stays: a field a record lacks is an empty cell.
    SizeBeforeTail(*this, static_cast<int>(cols), static_cast<int>(rows));
    for (int c = GetSaveStartCol(); c <= GetSaveEndCol(); ++c) {
        const int real = RealColOf(c).Value();
        ClearRect(real, r0, real, GetSaveEndRow());
    }
    for (size_t i = 0; i < records.size(); ++i)
        reader.Read(records[i], r0 + static_cast<int>(i));
    FireCellsChanged(0, 0, GetColCount(), GetRowCount());
    CellsLoaded();
}
