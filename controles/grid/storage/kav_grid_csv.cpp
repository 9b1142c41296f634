// TKavStringGrid: CSV files. Writing quotes every field that holds the delimiter, a double
// quote, a CR or an LF (a CR LF inside a field becomes the byte 11, read back as CR LF);
// reading follows RFC 4180 record by record, so a quoted field may hold delimiters, quotes
// and line breaks.
#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/paint/floating_footer.h"
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
// byte counted in one pass over the line.
struct ByteCounts {
    explicit ByteCounts(std::string_view Line) {
        for (size_t i = 0; i < Line.size();) {
            const auto c = static_cast<unsigned char>(Line[i]);
            size_t j = i;
            while (j < Line.size() && Line[j] == Line[i])
                ++j;
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
char DetectDelimiter(const std::string& Data) {
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
// quote up to the delimiter stays with the field.
class CsvReader {
public:
    CsvReader(std::string_view Text, char Delimiter)
        : text_(Text), d_(Delimiter), stops_{Delimiter, '\r', '\n'} {}
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
            const size_t end = text_.find_first_of(stops_, pos_);
            const size_t stop = end == std::string_view::npos ? text_.size() : end;
            if (Build) field.append(text_.substr(pos_, stop - pos_));
            pos_ = stop;
            Take(std::move(field));
            if (pos_ < text_.size() && text_[pos_] == d_) {
                ++pos_;
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
    char d_;
    const char stops_[4];
    size_t pos_ = 0;
};

} // namespace

void TKavStringGrid::OutputToCSV(const AnsiString& FileName, bool Append) {
    const char d = fieldDelimiter_ ? fieldDelimiter_ : ',';
    const int hidden = storeHiddenCells_ ? NumHiddenColumns() : 0;
    FileWriter w;
    OpenOutput(w, FileName, Append, "Cannot Create file ");
    std::string out;
    const int c0 = GetSaveStartCol(), c1 = GetSaveEndCol() + hidden;
    const int r0 = GetSaveStartRow(), r1 = GetSaveEndRow();
    ExportNotification(0, -1);
    Progress progress(this);
    for (int r = r0; r <= r1; ++r) {
        ExportNotification(1, r);
        for (int c = c0; c <= c1; ++c) {
            if (c > c0) out += d;
            AnsiString text = SaveCell(storeHiddenCells_ ? c : RemapCol(c), r);
            if (oemConvert_) StringToOem(text);
            if (text.IsEmpty()) {
                if (javaStyleCSV_)
                    out += '^';
                else if (quoteEmptyCSVCells_ || alwaysQuoteCSV_)
                    out += "\"\"";
                continue;
            }
            if (javaStyleCSV_) text = LineFeedsToJava(text);
            const std::string& s = text.str();
            const bool quote =
                alwaysQuoteCSV_ ||
                s.find_first_of(std::string{d, '"', '\r', '\n'}) != std::string::npos;
            if (!quote) {
                out += s;
                continue;
            }
            out += '"';
            for (size_t i = 0; i < s.size(); ++i) {
                if (s[i] == '"') {
                    out += "\"\"";
                } else if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
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
    std::string data;
    if (!ReadWholeFile(FileName, data)) throw EKavGridError("Cannot open file " + FileName);
    const int fc = storeFixedCells_ ? 0 : GetFixedCols();
    const int fr = storeFixedCells_ ? 0 : GetFixedRows();
    // The fields are shown columns, as the writer took them; with StoreHiddenCells real
    // columns, hidden ones counted.
    const int hidden = storeHiddenCells_ ? NumHiddenColumns() : 0;
    auto real = [&](int Col) { return storeHiddenCells_ ? TRealCol(Col) : RealColOf(Col); };
    if (!fieldDelimiter_) fieldDelimiter_ = DetectDelimiter(data);

    // The records are counted first: the grid is sized once, and a file beyond the limits
    // changes nothing.
    size_t count = 0, widest = 0;
    int64_t cells = 0;
    std::vector<std::string> fields;
    for (CsvReader reader(data, fieldDelimiter_); !reader.AtEnd(); ++count) {
        size_t n = 0;
        if (!reader.Count(n, static_cast<size_t>(kMaxCols)))
            throw EKavGridError("Too many cells in file " + FileName);
        widest = std::max(widest, n);
        cells += static_cast<int64_t>(n);
        if (cells > kMaxCells) throw EKavGridError("Too many cells in file " + FileName);
    }
    const bool footer = Insert && GetFloatingFooter()->GetVisible() && GetRowCount() > 0;
    std::vector<AnsiString> kept;
    int r = fr;
    if (Insert) {
        r = GetRowCount();
        if (footer) {
            for (int c = 0; c < TotalColCount(); ++c)
                kept.push_back(GetCells(c, GetRowCount() - 1));
            NilRow(GetRowCount() - 1);
            r = GetRowCount() - 1;
        }
    }
    const int64_t rows = int64_t(r) + int64_t(count) + GetFixedFooters() + (footer ? 1 : 0);
    const int64_t cols =
        std::max<int64_t>(GetColCount(), int64_t(fc) + int64_t(widest) - int64_t(hidden));
    if (!SizeAllowed(cols, rows)) throw EKavGridError("Too many cells in file " + FileName);
    if (cols > GetColCount()) SetColCount(static_cast<int>(cols));
    if (GetRowCount() - GetFixedFooters() < r + static_cast<int>(count))
        SetRowCount(r + static_cast<int>(count) + GetFixedFooters());
    Progress progress(this);
    CsvReader reader(data, fieldDelimiter_);
    for (size_t i = 0; i < count; ++i, ++r) {
        reader.Next(fields, widest);
        for (size_t f = 0; f < fields.size(); ++f) {
            AnsiString text(std::move(fields[f]));
            if (oemConvert_) OemToString(text);
            if (javaStyleCSV_)
                text = JavaToLineFeeds(text);
            else if (text.str().find('\x0B') != std::string::npos)
                text = CSVToLineFeeds(text);
            LoadCell(real(fc + static_cast<int>(f)).Value(), r, text);
        }
        progress.Step(static_cast<int64_t>(i) + 1, static_cast<int64_t>(count));
    }
    if (footer) {
        SetRowCount(r + 1 + GetFixedFooters());
        for (size_t c = 0; c < kept.size(); ++c)
            SetCells(static_cast<int>(c), r, kept[c]);
    } else {
        SetRowCount(r + GetFixedFooters());
    }
    FireCellsChanged(0, 0, GetColCount(), GetRowCount());
    CellsLoaded();
}
