// TKavStringGrid: CSV files. Writing quotes every field that holds the delimiter, a double
// quote, a CR or an LF (a CR LF inside a field becomes the byte 11, read back as CR LF);
// reading follows RFC 4180 record by record, so a quoted field may hold delimiters, quotes
// and line breaks.
//
// A file is 8-bit text in the grid's code page, unless the grid holds what 8-bit text cannot
// give back: a wide cell, or the byte 11 in a cell (read back as a line break). Such a grid is
// written as UTF-8 after a byte order mark, every cell's characters as they are (line breaks
// inside the quotes too); a file with the mark reads as UTF-8, each field a wide cell when the
// code page lacks one of its characters. The OEM conversion applies to 8-bit files only.
#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/paint/floating_footer.h"
#include "controles/grid/storage/cell_utf8.h"
#include "controles/grid/storage/file_support.h"
#include "plataforma/base/file_errors.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"

#include <vector>

using namespace grid_files;

namespace {

// The candidates of delimiter detection, in order of preference.
const char kCandidates[] = {',', ';', '#', '\t', '|', '@', '*', '-', '+', '&'};

// How often each byte stands alone in a line, as NumSingleChar counts it (a run of it of odd
// length, or the run that ends the line), and how often it is found at all (NumChar): every
// byte counted in one pass over the line. The "|" of the "|\" that starts a wide cell's text
// in files of earlier writers is no delimiter and is not counted.
struct ByteCounts {
    explicit ByteCounts(std::string_view Line) {
        for (size_t i = 0; i < Line.size();) {
            const auto c = static_cast<unsigned char>(Line[i]);
            size_t j = i;
            while (j < Line.size() && Line[j] == Line[i])
                ++j;
            if (c == '|' && j < Line.size() && Line[j] == '\\') {
                // The run's last "|" opens a wide cell's text.
                if (--j == i) {
                    ++i;
                    continue;
                }
            }
            all[c] += static_cast<int>(j - i);
            if ((j - i) % 2 == 1 || j == Line.size()) ++single[c];
            i = j;
        }
    }
    int Single(char C) const { return single[static_cast<unsigned char>(C)]; }
    int All(char C) const { return all[static_cast<unsigned char>(C)]; }

private:
    int single[256] = {};
    int all[256] = {};
};

// The delimiter of the first two lines: the candidate that stands alone as often in both
// (and most often), else the one counted as often in both, else the one counted most.
char DetectDelimiter(std::string_view Data) {
    LineWalker lines(Data);
    const ByteCounts a(lines.Next());
    const ByteCounts b(lines.AtEnd() ? std::string_view() : lines.Next());
    char found = 0;
    int best = 0;
    for (char c : kCandidates) {
        const int n = a.Single(c);
        if (n == b.Single(c) && n > best) {
            best = n;
            found = c;
        }
    }
    if (found) return found;
    for (char c : kCandidates) {
        const int n = a.All(c);
        if (n == b.All(c) && n > best) {
            best = n;
            found = c;
        }
    }
    if (found) return found;
    for (char c : kCandidates) {
        const int n = std::max(a.All(c), b.All(c));
        if (n > best) {
            best = n;
            found = c;
        }
    }
    return found ? found : ',';
}

// The records of a CSV text: fields split at the delimiter outside double quotes, records
// at CR LF, CR or LF outside them; "" inside quotes is one quote. Text after a closing
// quote up to the delimiter stays with the field. The delimiter is one character, in UTF-8
// files the bytes of its UTF-8 form.
class CsvReader {
public:
    CsvReader(std::string_view Text, std::string Delimiter)
        : text_(Text), d_(std::move(Delimiter)), stops_{d_[0], '\r', '\n'} {}
    bool AtEnd() const { return pos_ >= text_.size(); }
    // The fields of the next record; false when it has more than MaxFields (the record is
    // then left unread after them).
    bool Next(std::vector<std::string>& Fields, size_t MaxFields) {
        Fields.clear();
        return Walk(MaxFields, true, [&](std::string&& F) { Fields.push_back(std::move(F)); });
    }
    // The same, only counting the fields: no text is copied.
    bool Count(size_t& Fields, size_t MaxFields) {
        Fields = 0;
        return Walk(MaxFields, false, [&](std::string&&) { ++Fields; });
    }

private:
    bool DelimiterAt(size_t Pos) const { return text_.compare(Pos, d_.size(), d_) == 0; }

    // Each field of the next record to Take, its text built when Build is set.
    template <class Sink> bool Walk(size_t MaxFields, bool Build, Sink&& Take) {
        for (size_t n = 0;; ++n) {
            if (n >= MaxFields) return false;
            std::string field;
            if (pos_ < text_.size() && text_[pos_] == '"') {
                ++pos_;
                // The text up to each quote, whole; "" is one quote, another ends the field.
                for (;;) {
                    const size_t quote = text_.find('"', pos_);
                    const size_t end = quote == std::string_view::npos ? text_.size() : quote;
                    if (Build) field.append(text_.substr(pos_, end - pos_));
                    pos_ = end;
                    if (quote == std::string_view::npos) break;
                    ++pos_;
                    if (pos_ >= text_.size() || text_[pos_] != '"') break;
                    if (Build) field += '"';
                    ++pos_;
                }
            }
            // The field ends at a line end or at the delimiter's first byte starting it whole.
            size_t stop = pos_;
            for (;;) {
                stop = std::min(text_.find_first_of(stops_, stop), text_.size());
                if (stop >= text_.size() || DelimiterAt(stop) || text_[stop] == '\r' ||
                    text_[stop] == '\n')
                    break;
                ++stop;
            }
            if (Build) field.append(text_.substr(pos_, stop - pos_));
            pos_ = stop;
            Take(std::move(field));
            if (pos_ < text_.size() && DelimiterAt(pos_)) {
                pos_ += d_.size();
                continue;
            }
            // The record's end: CR LF, CR or LF.
            if (pos_ < text_.size() && text_[pos_] == '\r') {
                ++pos_;
                if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
            } else if (pos_ < text_.size()) {
                ++pos_;
            }
            return true;
        }
    }

    std::string_view text_;
    std::string d_;
    const char stops_[4];
    size_t pos_ = 0;
};

// The delimiter as the file holds it.
std::string DelimiterBytes(char D, bool Utf8) {
    return Utf8 ? CellToUtf8(AnsiString(std::string(1, D))) : std::string(1, D);
}

// Whether the cell texts need a UTF-8 file: a wide cell, or (unless the Java style writes
// line breaks its own way) the byte 11, which 8-bit files read back as a line break.
bool NeedsUtf8(const AnsiString& Text, bool JavaStyle) {
    return IsWideText(Text) || (!JavaStyle && Text.str().find('\x0B') != std::string::npos);
}

} // namespace

void TKavStringGrid::OutputToCSV(const AnsiString& FileName, bool Append) {
    const char d = fieldDelimiter_ ? fieldDelimiter_ : ',';
    const int hidden = storeHiddenCells_ ? NumHiddenColumns() : 0;
    const int c0 = GetSaveStartCol(), c1 = GetSaveEndCol() + hidden;
    const int r0 = GetSaveStartRow(), r1 = GetSaveEndRow();
    const auto cell = [&](int c, int r) {
        return SaveCell(grid_files::FileCol(*this, c).Value(), r);
    };

    // A file appended to keeps its form: one with the mark is UTF-8, another 8-bit text,
    // which becomes UTF-8 as a whole (its bytes through the code page) when the new rows
    // need it.
    std::string old = Append ? ReadForAppend(FileName) : std::string();
    bool utf8 = StartsWithUtf8Mark(old);
    for (int r = r0; r <= r1 && !utf8; ++r)
        for (int c = c0; c <= c1 && !utf8; ++c)
            utf8 = NeedsUtf8(cell(c, r), javaStyleCSV_);
    FileWriter w;
    OpenOutput(w, FileName, false, "Cannot Create file ");
    std::string out;
    if (!utf8) {
        out = std::move(old);
    } else if (StartsWithUtf8Mark(old)) {
        out = std::move(old);
    } else {
        AnsiString text(std::move(old));
        if (oemConvert_) OemToString(text);
        out = std::string(kUtf8Mark) + CellToUtf8(text);
    }
    const std::string delimiter = DelimiterBytes(d, utf8);
    const std::string specials = delimiter.substr(0, 1) + "\"\r\n";
    ExportNotification(0, -1);
    Progress progress(this);
    for (int r = r0; r <= r1; ++r) {
        ExportNotification(1, r);
        for (int c = c0; c <= c1; ++c) {
            if (c > c0) out += delimiter;
            AnsiString text = cell(c, r);
            if (utf8)
                text = AnsiString(CellToUtf8(text));
            else if (oemConvert_)
                StringToOem(text);
            if (text.IsEmpty()) {
                if (javaStyleCSV_)
                    out += '^';
                else if (quoteEmptyCSVCells_ || alwaysQuoteCSV_)
                    out += "\"\"";
                continue;
            }
            if (javaStyleCSV_) text = LineFeedsToJava(text);
            const std::string& s = text.str();
            const bool quote = alwaysQuoteCSV_ || s.find_first_of(specials) != std::string::npos;
            if (!quote) {
                out += s;
                continue;
            }
            out += '"';
            for (size_t i = 0; i < s.size(); ++i) {
                if (s[i] == '"') {
                    out += "\"\"";
                } else if (!utf8 && s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
                    out += '\x0B';
                    ++i;
                } else {
                    out += s[i];
                }
            }
            out += '"';
        }
        out += "\r\n";
        WriteIfLarge(w, out);
        progress.Step(r - r0, r1 - r0);
    }
    ExportNotification(2, -1);
    CommitOutput(w, out);
}

void TKavStringGrid::InputFromCSV(const AnsiString& FileName, bool Insert) {
    std::string bytes;
    if (!ReadWholeFile(FileName, bytes)) throw EKavGridError("Cannot open file " + FileName);
    const bool utf8 = StartsWithUtf8Mark(bytes);
    const std::string_view data = std::string_view(bytes).substr(utf8 ? kUtf8Mark.size() : 0);
    const int fc = storeFixedCells_ ? 0 : GetFixedCols();
    const int fr = storeFixedCells_ ? 0 : GetFixedRows();
    // The fields are shown columns, as the writer took them; with StoreHiddenCells real
    // columns, hidden ones counted.
    const int hidden = storeHiddenCells_ ? NumHiddenColumns() : 0;
    const char d = fieldDelimiter_ ? fieldDelimiter_ : DetectDelimiter(data);
    const std::string delimiter = DelimiterBytes(d, utf8);

    // The records are counted first: the grid is sized once, and a file beyond the limits
    // changes nothing.
    const AnsiString tooMany = TooManyCells(FileName);
    size_t count = 0, widest = 0;
    int64_t cells = 0;
    std::vector<std::string> fields;
    for (CsvReader reader(data, delimiter); !reader.AtEnd(); ++count) {
        size_t n = 0;
        if (!reader.Count(n, static_cast<size_t>(kMaxCols))) throw EKavGridError(tooMany);
        widest = std::max(widest, n);
        cells += static_cast<int64_t>(n);
        if (cells > kMaxCells) throw EKavGridError(tooMany);
    }
    // Inserted records go in before the footer rows (the floating footer's row, the fixed
    // footer rows), which move down with their cells; loaded ones fill the save range in
    // front of the fixed right columns and the rows after it.
    const bool floating = Insert && GetFloatingFooter()->GetVisible();
    const int footers = Insert
                            ? std::min(GetRowCount(), std::max(floating ? 1 : 0, GetFixedFooters()))
                            : RowsAfterSaveRange(*this);
    const int tailCols = ColsAfterSaveRange(*this);
    const int r0 = Insert ? GetRowCount() - footers : fr;
    const int64_t rows = int64_t(r0) + int64_t(count) + footers;
    const int64_t cols = std::max<int64_t>(GetColCount() - tailCols,
                                           int64_t(fc) + int64_t(widest) - int64_t(hidden));
    if (!SizeAllowed(cols + tailCols, rows)) throw EKavGridError(tooMany);
    fieldDelimiter_ = d;
    if (Insert && count > 0) {
        if (footers == 0)
            SetRowCount(r0 + static_cast<int>(count));
        else
            InsertRows(r0, static_cast<int>(count));
    }
    SizeBeforeTail(*this, static_cast<int>(cols),
                   Insert ? GetRowCount() - RowsAfterSaveRange(*this)
                          : r0 + static_cast<int>(count));
    int r = r0;
    Progress progress(this);
    CsvReader reader(data, delimiter);
    for (size_t i = 0; i < count; ++i, ++r) {
        reader.Next(fields, widest);
        for (size_t f = 0; f < fields.size(); ++f) {
            AnsiString text(std::move(fields[f]));
            if (utf8) {
                if (javaStyleCSV_) text = JavaToLineFeeds(text);
                text = CellFromUtf8(text.str());
            } else {
                if (oemConvert_) OemToString(text);
                if (javaStyleCSV_)
                    text = JavaToLineFeeds(text);
                else if (text.str().find('\x0B') != std::string::npos)
                    text = CSVToLineFeeds(text);
            }
            LoadCell(grid_files::FileCol(*this, fc + static_cast<int>(f)).Value(), r, text);
        }
        progress.Step(static_cast<int64_t>(i) + 1, static_cast<int64_t>(count));
    }
    FireCellsChanged(0, 0, GetColCount(), GetRowCount());
    CellsLoaded();
}
