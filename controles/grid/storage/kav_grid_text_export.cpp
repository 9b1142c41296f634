// TKavStringGrid: plain text in columns. The ASCII export pads every column to its longest
// line and continues multi-line cells on extra lines; the fixed-width file gives each column
// a number of characters, and is read back by character positions.
#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
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

// Blanks before a right-aligned text, or on both sides of a centred one (one each side at a
// time, so that it may end one longer), until it is Width long.
std::string Aligned(std::string S, int Width, TAlignment Alignment) {
    const size_t w = static_cast<size_t>(std::max(0, Width));
    if (Alignment == taRightJustify && S.size() < w) {
        S.insert(0, w - S.size(), ' ');
    } else if (Alignment == taCenter) {
        while (S.size() < w)
            S = " " + S + " ";
    }
    return S;
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
        AnsiString s = SaveCell(ACol, r);
        do {
            most = std::max(most, GetNextLine(s, multi).Length());
        } while (!s.IsEmpty());
    }
    return most;
}

void TKavStringGrid::SaveToASCIIInt(const AnsiString& FileName, bool Append) {
    Hourglass hourglass;
    FileWriter w;
    OpenOutput(w, FileName, Append, "Cannot create file ");
    const int cols = GetColCount() + (storeHiddenCells_ ? NumHiddenColumns() : 0);
    auto real = [&](int i) { return storeHiddenCells_ ? i : RemapCol(i); };
    // Each column's width and where its field starts on a line.
    std::vector<int> width(cols), offset(cols);
    for (int i = 0, at = 0; i < cols; ++i) {
        width[i] = MaxCharsInCol(real(i));
        offset[i] = at;
        at += width[i] + 1;
    }
    const bool multi = GetMultilinecells();
    std::string out;
    std::vector<std::string> more;
    ExportNotification(0, -1);
    for (int r = 0; r < GetRowCount(); ++r) {
        ExportNotification(1, r);
        std::string line;
        more.clear();
        for (int i = 0; i < cols; ++i) {
            const int c = real(i);
            AnsiString t = SaveCell(c, r);
            const auto align = static_cast<TAlignment>(GetCellAlignment(c, r) & 0xFF);
            std::string main;
            if (multi && t.Pos("\r\n") > 0) {
                main = GetNextLine(t, true).str();
                for (size_t k = 0; !t.IsEmpty(); ++k) {
                    if (more.size() <= k) more.emplace_back();
                    std::string& cont = more[k];
                    if (cont.size() < static_cast<size_t>(offset[i]))
                        cont.resize(static_cast<size_t>(offset[i]), ' ');
                    cont += Aligned(GetNextLine(t, true).str(), width[i], align);
                }
            } else {
                main = t.str().substr(0, t.str().find("\r\n"));
            }
            main = Aligned(std::move(main), width[i], align);
            line += main;
            const int pad = width[i] - static_cast<int>(main.size()) + 1;
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
    FileWriter w;
    OpenOutput(w, FileName, false, "Cannot Create file ");
    TIntList own(0, 0);
    TIntList& widths = ColWidths ? *ColWidths : own;
    const int c0 = GetSaveStartCol();
    const int c1 = GetSaveEndCol() + (storeHiddenCells_ ? NumHiddenColumns() : 0);
    auto real = [&](int c) { return storeHiddenCells_ ? c : RemapCol(c); };
    for (int c = c0 + widths.GetCount(); c <= c1; ++c)
        widths.Add(MaxCharsInCol(real(c)) + 1);
    std::string out;
    ExportNotification(0, -1);
    for (int r = GetSaveStartRow(); r <= GetSaveEndRow(); ++r) {
        ExportNotification(1, r);
        for (int c = c0; c <= c1; ++c) {
            const size_t width = static_cast<size_t>(std::max(0, widths.GetItems(c - c0)));
            std::string field = SaveCell(real(c), r).str();
            field.resize(width, ' ');
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

    int64_t lines = 0;
    for (LineWalker walk(data); !walk.AtEnd(); walk.Next())
        ++lines;
    const int r0 = GetSaveStartRow(), c0 = GetSaveStartCol();
    const int64_t cols = int64_t(GetFixedCols()) + n - 1;
    const int64_t rows = std::max<int64_t>(GetRowCount(), r0 + lines);
    if (!SizeAllowed(std::max<int64_t>(cols, c0 + n - 1), rows))
        throw EKavGridError(TooManyCells(FileName));
    SetColCount(static_cast<int>(cols));
    if (rows > GetRowCount()) SetRowCount(static_cast<int>(rows));
    int r = r0;
    for (LineWalker walk(data); !walk.AtEnd(); ++r) {
        const std::string_view line = walk.Next();
        for (int i = 1; i < n; ++i) {
            const size_t from = static_cast<size_t>(Positions->GetItems(i - 1) - 1);
            const size_t length =
                static_cast<size_t>(Positions->GetItems(i) - Positions->GetItems(i - 1));
            const std::string_view field =
                from < line.size() ? line.substr(from, length) : std::string_view();
            LoadCell(RealColOf(c0 + i - 1).Value(), r, AnsiString(std::string(field)).Trim());
        }
    }
    FireCellsChanged(0, 0, GetColCount(), GetRowCount());
    CellsLoaded();
}
