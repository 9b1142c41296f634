// TKavStringGrid: the native text file. A header "columns,rows", one "cw column,width" line
// per column of the save range and one "column,row,text" line per non-empty cell, with the
// grid's own indexes; line breaks inside a text are written as the bytes 9 (CR) and 8 (LF).
// A text that this form would not give back (a TAB beside a line break, the bytes 8 or 9,
// the bytes of a wide cell) goes on a "+column,row,text" line with its line breaks escaped.
#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/storage/file_support.h"
#include "plataforma/base/file_errors.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"

using namespace grid_files;

void TKavStringGrid::SaveToFile(const AnsiString& FileName) {
    FileWriter w;
    OpenOutput(w, FileName, false, "Cannot Create ");
    // The file's columns are the shown ones; with StoreHiddenCells the real ones, hidden
    // columns counted.
    const int hidden = storeHiddenCells_ ? NumHiddenColumns() : 0;
    const int c0 = GetSaveStartCol(), c1 = GetSaveEndCol() + hidden;
    const int r0 = GetSaveStartRow(), r1 = GetSaveEndRow();
    std::vector<TRealCol> cols;
    for (int c = c0; c <= c1; ++c)
        cols.push_back(grid_files::FileCol(*this, c));
    std::string out;
    AppendInt(out, GetSaveColCount() + hidden);
    out += ',';
    AppendInt(out, GetSaveRowCount());
    out += "\r\n";
    for (int c = c0; c <= c1; ++c) {
        out += "cw ";
        AppendInt(out, c);
        out += ',';
        AppendInt(out, GetAllColWidths(cols[c - c0].Value()));
        out += "\r\n";
    }
    ExportNotification(0, -1);
    Progress progress(this);
    for (int r = r0; r <= r1; ++r) {
        ExportNotification(1, r);
        for (int c = c0; c <= c1; ++c) {
            const AnsiString text = SaveCell(cols[c - c0].Value(), r);
            if (!text.IsEmpty()) AppendCellLine(out, c, r, text);
        }
        WriteIfLarge(w, out);
        progress.Step(r - r0, GetSaveRowCount() - 1);
    }
    ExportNotification(2, -1);
    CommitOutput(w, out);
}

void TKavStringGrid::LoadFromFile(const AnsiString& FileName) {
    std::string data;
    if (!ReadWholeFile(FileName, data)) throw EKavGridError("Cannot open file " + FileName);
    const AnsiString corrupt = "File contains no data or corrupt file " + FileName;
    const int fc = storeFixedCells_ ? 0 : GetFixedCols();
    const int fr = storeFixedCells_ ? 0 : GetFixedRows();
    // A file with StoreHiddenCells counts the hidden columns and places cells by real column;
    // otherwise by shown column.
    const int hidden = storeHiddenCells_ ? NumHiddenColumns() : 0;
    LineWalker lines(data);
    const std::string_view header = lines.Next();
    if (!header.empty()) {
        const size_t comma = header.find(',');
        int cols = 0, rows = 0;
        if (comma == std::string_view::npos || !ParseInt(header.substr(0, comma), cols) ||
            !ParseInt(header.substr(comma + 1), rows) ||
            !SizeAllowed(int64_t(cols) + fc, int64_t(rows) + fr) || cols + fc - hidden <= 0 ||
            rows + fr == 0)
            throw EKavGridError(corrupt);
        SizeBeforeTail(*this, cols + fc - hidden, rows + fr);
    }
    if (GetColCount() == 0 || GetRowCount() == 0) throw EKavGridError(corrupt);
    const int fileCols = GetColCount() + hidden;
    const bool multi = GetMultilinecells();
    Progress progress(this);
    while (!lines.AtEnd()) {
        const std::string_view line = lines.Next();
        if (line.substr(0, 2) == "cw") {
            const size_t comma = line.find(',');
            int col = 0, width = 0;
            if (comma != std::string_view::npos && comma >= 3 &&
                ParseInt(line.substr(3, comma - 3), col) &&
                ParseInt(line.substr(comma + 1, 255), width) && col >= 0 && col < fileCols &&
                width >= 0)
                SetAllColWidths(grid_files::FileCol(*this, col).Value(), width);
            continue;
        }
        const bool escaped = line.substr(0, 1) == "+";
        const size_t c1 = line.find(',');
        if (c1 == std::string_view::npos) continue;
        const size_t c2 = line.find(',', c1 + 1);
        if (c2 == std::string_view::npos) continue;
        int col = 0, row = 0;
        if (!ParseInt(line.substr(escaped, c1 - escaped), col) ||
            !ParseInt(line.substr(c1 + 1, c2 - c1 - 1), row) || col < 0 || col >= fileCols ||
            row < 0 || row >= GetRowCount())
            continue;
        LoadCell(grid_files::FileCol(*this, col).Value(), row,
                 CellLineText(line.substr(c2 + 1), escaped, multi));
        progress.Step(row, GetRowCount() - 1);
    }
    FireCellsChanged(0, 0, GetColCount(), GetRowCount());
    CellsLoaded();
}
