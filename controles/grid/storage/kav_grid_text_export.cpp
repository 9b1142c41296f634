// TKavStringGrid: plain text in columns. The ASCII export pads every column to its longest
// line and continues multi-line cells on extra lines; the fixed-width file gives each column
// a number of characters, and is read back by character positions.
//
// Both files are 8-bit text, unless a cell written is a wide cell: the file is then UTF-8
// after a byte order mark, and widths and positions count characters. A fixed-width file
// with the mark is read as UTF-8, each field a wide cell when the code page lacks one of its
// characters.
#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/storage/cell_utf8.h"
#include "controles/grid/storage/file_support.h"
#include "plataforma/base/file_errors.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/screen.h"

#include <algorithm>
#include <vector>

using namespace grid_files;

namespace {

// The characters of a text: bytes of 8-bit text, characters of UTF-8.
size_t Chars(std::string_view S, bool Utf8) {
    return Utf8 ? Utf8Length(S) : S.size();
}

// Blanks appended until the text is Width characters long.
void PadTo(std::string& S, size_t Width, bool Utf8) {
    const size_t n = Chars(S, Utf8);
    if (n < Width) S.append(Width - n, ' ');
}

// Blanks before a right-aligned text, or on both sides of a centred one (one each side at a
// time, so that it may end one longer), until it is Width characters long.
std::string Aligned(std::string S, int Width, TAlignment Alignment, bool Utf8) {
    const size_t w = static_cast<size_t>(std::max(0, Width));
    const size_t n = Chars(S, Utf8);
    if (Alignment == taRightJustify && n < w) {
        S.insert(0, w - n, ' ');
    } else if (Alignment == taCenter) {
        for (size_t k = n; k < w; k += 2)
            S = " " + S + " ";
    }
    return S;
}

// A cell's text as the file writes it: UTF-8 in a UTF-8 file, else its bytes.
std::string FileText(const AnsiString& Text, bool Utf8) {
    return Utf8 ? CellToUtf8(Text) : Text.str();
}

// The bytes a file starts with: an appended file's own, turned into UTF-8 (through the code
// page) when the new rows need it; the mark alone for a new UTF-8 file.
std::string StartOfFile(std::string Old, bool Utf8) {
    if (!Utf8 || StartsWithUtf8Mark(Old)) return Old;
    return std::string(kUtf8Mark) + CellToUtf8(AnsiString(std::move(Old)));
}

// The screen cursor is the hourglass while it lives.
class Hourglass {
public:
    Hourglass() : old_(Screen->GetCursor()) { Screen->SetCursor(crHourGlass); }
    ~Hourglass() { Screen->SetCursor(old_); }

private:
    TCursor old_;
};

} // namespace

int TKavStringGrid::MaxCharsInCol(int ACol) {
    int most = 0;
    const bool multi = GetMultilinecells();
    for (int r = 0; r < GetRowCount(); ++r) {
        // A wide cell's width is its characters, not its stored bytes.
        const AnsiString t = SaveCell(ACol, r);
        const bool wide = IsWideText(t);
        AnsiString s = wide ? AnsiString(CellToUtf8(t)) : t;
        do {
            const AnsiString line = GetNextLine(s, multi);
            most = std::max(most, static_cast<int>(Chars(line.str(), wide)));
        } while (!s.IsEmpty());
    }
    return most;
}

void TKavStringGrid::SaveToASCIIInt(const AnsiString& FileName, bool Append) {
    Hourglass hourglass;
    const int cols = GetColCount() + (storeHiddenCells_ ? NumHiddenColumns() : 0);
    std::string old = Append ? ReadForAppend(FileName) : std::string();
    bool utf8 = StartsWithUtf8Mark(old);
    for (int r = 0; r < GetRowCount() && !utf8; ++r)
        for (int i = 0; i < cols && !utf8; ++i)
            utf8 = IsWideText(SaveCell(grid_files::FileCol(*this, i).Value(), r));
    FileWriter w;
    OpenOutput(w, FileName, false, "Cannot create file ");
    // Each column's width and where its field starts on a line.
    std::vector<int> width(cols), offset(cols);
    for (int i = 0, at = 0; i < cols; ++i) {
        width[i] = MaxCharsInCol(grid_files::FileCol(*this, i).Value());
        offset[i] = at;
        at += width[i] + 1;
    }
    const bool multi = GetMultilinecells();
    std::string out = StartOfFile(std::move(old), utf8);
    std::vector<std::string> more;
    ExportNotification(0, -1);
    for (int r = 0; r < GetRowCount(); ++r) {
        ExportNotification(1, r);
        std::string line;
        more.clear();
        for (int i = 0; i < cols; ++i) {
            const int c = grid_files::FileCol(*this, i).Value();
            AnsiString t(FileText(SaveCell(c, r), utf8));
            const auto align = static_cast<TAlignment>(GetCellAlignment(c, r) & 0xFF);
            std::string main;
            if (multi && t.Pos("\r\n") > 0) {
                main = GetNextLine(t, true).str();
                for (size_t k = 0; !t.IsEmpty(); ++k) {
                    if (more.size() <= k) more.emplace_back();
                    std::string& cont = more[k];
                    PadTo(cont, static_cast<size_t>(offset[i]), utf8);
                    cont += Aligned(GetNextLine(t, true).str(), width[i], align, utf8);
                }
            } else {
                main = t.str().substr(0, t.str().find("\r\n"));
            }
            main = Aligned(std::move(main), width[i], align, utf8);
            line += main;
            const int pad = width[i] - static_cast<int>(Chars(main, utf8)) + 1;
            if (pad > 0) line.append(static_cast<size_t>(pad), ' ');
        }
        out += line + "\r\n";
        for (const std::string& m : more)
            out += m + "\r\n";
        WriteIfLarge(w, out);
    }
    ExportNotification(2, -1);
    CommitOutput(w, out);
}

void TKavStringGrid::SaveToFixed(const AnsiString& FileName, TIntList* ColWidths) {
    TIntList own(0, 0);
    TIntList& widths = ColWidths ? *ColWidths : own;
    const int c0 = GetSaveStartCol();
    const int c1 = GetSaveEndCol() + (storeHiddenCells_ ? NumHiddenColumns() : 0);
    bool utf8 = false;
    for (int r = GetSaveStartRow(); r <= GetSaveEndRow() && !utf8; ++r)
        for (int c = c0; c <= c1 && !utf8; ++c)
            utf8 = IsWideText(SaveCell(grid_files::FileCol(*this, c).Value(), r));
    FileWriter w;
    OpenOutput(w, FileName, false, "Cannot Create file ");
    for (int c = c0 + widths.GetCount(); c <= c1; ++c)
        widths.Add(MaxCharsInCol(grid_files::FileCol(*this, c).Value()) + 1);
    std::string out = StartOfFile(std::string(), utf8);
    ExportNotification(0, -1);
    for (int r = GetSaveStartRow(); r <= GetSaveEndRow(); ++r) {
        ExportNotification(1, r);
        for (int c = c0; c <= c1; ++c) {
            const size_t width = static_cast<size_t>(std::max(0, widths.GetItems(c - c0)));
            std::string field = FileText(SaveCell(grid_files::FileCol(*this, c).Value(), r), utf8);
            field.resize(utf8 ? Utf8Offset(field, width) : std::min(width, field.size()));
            PadTo(field, width, utf8);
            out += field;
        }
        out += "\r\n";
        WriteIfLarge(w, out);
    }
    ExportNotification(2, -1);
    CommitOutput(w, out);
}

void TKavStringGrid::LoadFromFixed(const AnsiString& FileName, TIntList* Positions) {
    std::string data;
    if (!ReadWholeFile(FileName, data)) throw EKavGridError("File " + FileName + " not found");
    // Positions from 1, each after the one before, at least two of them.
    const int n = Positions ? Positions->GetCount() : 0;
    bool valid = n >= 2 && Positions->GetItems(0) >= 1;
    for (int i = 1; valid && i < n; ++i)
        valid = Positions->GetItems(i) > Positions->GetItems(i - 1);
    if (!valid)
        throw EKavGridError("Las posiciones de columna del fichero " + FileName +
                            " no son válidas");

    const bool utf8 = StartsWithUtf8Mark(data);
    if (utf8) data.erase(0, kUtf8Mark.size());
    int64_t lines = 0;
    for (LineWalker walk(data); !walk.AtEnd(); walk.Next())
        ++lines;
    const int r0 = GetSaveStartRow(), c0 = GetSaveStartCol();
    // The fields fill the save range's columns and rows, in front of the fixed right columns
    // and the footer rows, and the grid keeps no rows of its own after them.
    const int64_t cols = int64_t(c0) + n - 1;
    const int64_t rows = std::max<int64_t>(r0 + lines, GetFixedRows() + 1);
    if (!SizeAllowed(cols + ColsAfterSaveRange(*this), rows + RowsAfterSaveRange(*this)))
        throw EKavGridError(TooManyCells(FileName));
    SizeBeforeTail(*this, static_cast<int>(cols), static_cast<int>(rows));
    int r = r0;
    for (LineWalker walk(data); !walk.AtEnd(); ++r) {
        const std::string_view line = walk.Next();
        for (int i = 1; i < n; ++i) {
            size_t from = static_cast<size_t>(Positions->GetItems(i - 1) - 1);
            size_t to = static_cast<size_t>(Positions->GetItems(i) - 1);
            if (utf8) {
                from = Utf8Offset(line, from);
                to = Utf8Offset(line, to);
            }
            const std::string_view field =
                from < line.size() ? line.substr(from, to - from) : std::string_view();
            const AnsiString text = AnsiString(std::string(field)).Trim();
            LoadCell(RealColOf(c0 + i - 1).Value(), r, utf8 ? CellFromUtf8(text.str()) : text);
        }
    }
    FireCellsChanged(0, 0, GetColCount(), GetRowCount());
    CellsLoaded();
}
