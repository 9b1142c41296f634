// TKavStringGrid: the text image of the cells in a stream. A header "columns,rows" of the
// save range, one "cw column,width" line per column and one "column,row,text" line per
// non-empty cell, with indexes relative to the save range (a text that would not read back
// exactly goes on a "+column,row,text" line, as in the native file); lines end with CR LF and
// nothing else frames the image, so the reader stops at the first line that is not one of these and
// leaves the stream there for what follows.
#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/storage/file_support.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/base/streams.h"

#include <vector>

using namespace grid_files;

namespace {

// The bytes up to the next CR (not kept) and the byte after it; false at the stream's end.
bool ReadLine(TStream* Stream, std::string& Line) {
    Line.clear();
    char b;
    if (Stream->Read(&b, 1) != 1) return false;
    for (;;) {
        if (b == '\r') {
            Stream->Read(&b, 1);
            return true;
        }
        Line += b;
        if (Stream->Read(&b, 1) != 1) return true;
    }
}

// A decimal integer, else the class library's conversion error.
int Number(std::string_view Text) {
    int v = 0;
    if (!ParseInt(Text, v))
        throw EConvertError("'" + AnsiString(std::string(Text)) + "' is not a valid integer value");
    return v;
}

} // namespace

void TKavStringGrid::SaveToStream(TStream* Stream) {
    const int c0 = GetSaveStartCol(), r0 = GetSaveStartRow();
    std::string out;
    auto flush = [&] {
        Stream->WriteBuffer(out.data(), static_cast<int64_t>(out.size()));
        out.clear();
    };
    ExportNotification(0, -1);
    AppendInt(out, GetSaveColCount());
    out += ',';
    AppendInt(out, GetSaveRowCount());
    out += "\r\n";
    for (int c = 0; c < GetColCount(); ++c) {
        out += "cw ";
        AppendInt(out, c);
        out += ',';
        AppendInt(out, GetColWidths(c));
        out += "\r\n";
    }
    for (int r = r0; r <= GetSaveEndRow(); ++r) {
        ExportNotification(1, r);
        for (int c = c0; c <= GetSaveEndCol(); ++c) {
            const AnsiString text = SaveCell(RealColOf(c).Value(), r);
            if (!text.IsEmpty()) AppendCellLine(out, c - c0, r - r0, text);
        }
        if (out.size() > 65536) flush();
    }
    flush();
}

void TKavStringGrid::LoadFromStream(TStream* Stream) {
    const int c0 = GetSaveStartCol(), r0 = GetSaveStartRow();
    std::string line;
    // The whole image is read and checked first: one that fails part-way raises with the grid
    // as it was. The fixed right columns and the footer rows stay after the columns and rows
    // read.
    const int tailCols = ColsAfterSaveRange(*this), tailRows = RowsAfterSaveRange(*this);
    int cols = GetColCount(), rows = GetRowCount();
    if (ReadLine(Stream, line)) {
        const size_t comma = line.find(',');
        const int c = Number(std::string_view(line).substr(0, comma));
        const int r = Number(comma == std::string::npos ? std::string_view()
                                                        : std::string_view(line).substr(comma + 1));
        if (!SizeAllowed(int64_t(c) + c0 + tailCols, int64_t(r) + r0 + tailRows) || c + c0 == 0 ||
            r + r0 == 0)
            throw EKavGridError("El tamaño de rejilla " + AnsiString(line) + " no es válido");
        cols = c + c0 + tailCols;
        rows = r + r0 + tailRows;
    }
    struct Width {
        int col, width;
    };
    struct Cell {
        int col, row;
        AnsiString text;
    };
    std::vector<Width> widths;
    std::vector<Cell> cells;
    const bool multi = GetMultilinecells();
    for (;;) {
        const int64_t start = Stream->GetPosition();
        if (!ReadLine(Stream, line)) break;
        const std::string_view l = line;
        if (l.substr(0, 2) == "cw") {
            const size_t comma = l.find(',');
            if (comma == std::string::npos || comma < 3) Number(l);
            const int col = Number(l.substr(3, comma - 3));
            const int width = Number(l.substr(comma + 1));
            if (col < 0 || col >= cols) throw EInvalidGridOperation("Grid index out of range");
            widths.push_back({col, width});
            continue;
        }
        const size_t a = l.find(',');
        const size_t b = a == std::string::npos ? a : l.find(',', a + 1);
        if (b == std::string::npos) {
            Stream->SetPosition(start);
            break;
        }
        const bool escaped = l.substr(0, 1) == "+";
        const int64_t col = int64_t(Number(l.substr(escaped, a - escaped))) + c0;
        const int64_t row = int64_t(Number(l.substr(a + 1, b - a - 1))) + r0;
        if (col < 0 || col >= cols || row < 0 || row >= rows)
            throw EInvalidGridOperation("Grid index out of range");
        cells.push_back({static_cast<int>(col), static_cast<int>(row),
                         CellLineText(l.substr(b + 1), escaped, multi)});
    }
    SizeBeforeTail(*this, cols - tailCols, rows - tailRows);
    for (const Width& w : widths)
        SetColWidths(w.col, w.width);
    for (const Cell& c : cells)
        LoadCell(RealColOf(c.col).Value(), c.row, c.text);
    FireCellsChanged(0, 0, GetColCount(), GetRowCount());
    CellsLoaded();
}
