#include "controles/grid/storage/file_support.h"

#include "controles/comun/text_utils.h"
#include "plataforma/base/file_errors.h"
#include "plataforma/base/files.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace grid_files {

void Progress::Step(int64_t Done, int64_t Total) {
    if (!grid_->OnFileProgress) return;
    const int p = static_cast<int>(std::lround(static_cast<double>(Done) * 100.0 /
                                               static_cast<double>(std::max<int64_t>(1, Total))));
    if (p == last_) return;
    last_ = p;
    grid_->OnFileProgress(grid_, static_cast<short>(p));
}

bool ParseInt(std::string_view Text, int& Value) {
    if (Text.empty()) return false;
    const char* end = Text.data() + Text.size();
    const auto [ptr, ec] = std::from_chars(Text.data(), end, Value);
    return ec == std::errc() && ptr == end;
}

std::string_view LineWalker::Next() {
    const size_t start = pos_;
    size_t i = start;
    while (i < text_.size() && text_[i] != '\r' && text_[i] != '\n')
        ++i;
    const std::string_view line = text_.substr(start, i - start);
    if (i < text_.size()) {
        if (text_[i] == '\r' && i + 1 < text_.size() && text_[i + 1] == '\n') ++i;
        ++i;
    }
    pos_ = i;
    return line;
}

std::string ReadForAppend(const AnsiString& FileName) {
    std::string old;
    if (!ReadFileBeingReplaced(FileName, old)) throw EKavGridError("Cannot open file " + FileName);
    return old;
}

void OpenOutput(FileWriter& W, const AnsiString& FileName, bool Append, const char* Error) {
    const std::string old = Append ? ReadForAppend(FileName) : std::string();
    if (!W.Open(FileName, FileWriter::Mode::Binary)) throw EKavGridError(Error + FileName);
    W.Write(old.data(), old.size());
}

void WriteIfLarge(FileWriter& W, std::string& Out) {
    if (Out.size() <= 65536) return;
    W.Write(Out.data(), Out.size());
    Out.clear();
}

void CommitOutput(FileWriter& W, const std::string& Out) {
    W.Write(Out.data(), Out.size());
    if (!W.Commit()) throw EInOutError(W.ErrorText());
}

void AppendCellLine(std::string& Out, int64_t Col, int64_t Row, const AnsiString& Text) {
    const AnsiString file = LfToFile(Text);
    const bool plain = FileToLf(file, true) == Text;
    if (!plain) Out += '+';
    AppendInt(Out, Col);
    Out += ',';
    AppendInt(Out, Row);
    Out += ',';
    if (plain) {
        Out += file.str();
    } else {
        for (char c : Text.str()) {
            if (c == '\r')
                Out += "\\r";
            else if (c == '\n')
                Out += "\\n";
            else if (c == '\\')
                Out += "\\\\";
            else
                Out += c;
        }
    }
    Out += "\r\n";
}

AnsiString CellLineText(std::string_view Text, bool Escaped, bool MultiLine) {
    if (!Escaped) return FileToLf(AnsiString(std::string(Text)), MultiLine);
    std::string t;
    t.reserve(Text.size());
    for (size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c == '\\' && i + 1 < Text.size()) {
            const char e = Text[++i];
            t += e == 'r' ? '\r' : e == 'n' ? '\n' : e;
        } else {
            t += c;
        }
    }
    if (MultiLine) return AnsiString(std::move(t));
    // The first line: up to the first CR, of the characters of a wide cell.
    if (t.compare(0, 2, "|\\") == 0) {
        std::u16string w = DecodeWideStr(AnsiString(std::move(t))).str();
        w.resize(std::min(w.size(), w.find(u'\r')));
        return EncodeWideStr(WideString(std::move(w)));
    }
    AnsiString a(std::move(t));
    return GetNextLine(a, false);
}

TRealCol FileCol(const TKavStringGrid& G, int Place) {
    return G.GetStoreHiddenCells() ? TRealCol(Place) : G.RealColOf(Place);
}

int ColsAfterSaveRange(const TKavStringGrid& G) {
    return std::clamp(G.GetColCount() - 1 - G.GetSaveEndCol(), 0, G.GetColCount());
}

int RowsAfterSaveRange(const TKavStringGrid& G) {
    return std::clamp(G.GetRowCount() - 1 - G.GetSaveEndRow(), 0, G.GetRowCount());
}

void SizeBeforeTail(TKavStringGrid& G, int Cols, int Rows) {
    const int tailRows = RowsAfterSaveRange(G);
    if (tailRows == 0) {
        G.SetRowCount(Rows);
    } else {
        const int at = G.GetRowCount() - tailRows;
        if (Rows > at)
            G.InsertRows(at, Rows - at);
        else if (Rows < at)
            G.RemoveRowsInternal(Rows, at - Rows);
    }
    const int tailCols = ColsAfterSaveRange(G);
    if (tailCols == 0) {
        G.SetColCount(Cols);
    } else {
        const int at = G.GetColCount() - tailCols;
        if (Cols > at) G.InsertCols(G.RemapCol(at), Cols - at);
        for (int d = at - 1; d >= Cols; --d)
            G.RemoveCols(G.RemapCol(d), 1);
    }
}

void AppendInt(std::string& Out, int64_t Value) {
    char b[24];
    const auto [ptr, ec] = std::to_chars(b, b + sizeof b, Value);
    Out.append(b, ptr);
}

} // namespace grid_files
