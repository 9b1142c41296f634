#pragma once
// What the grid's file readers and writers share: the progress that fires only when its
// percentage changes, strict decimal numbers, the line walk of an 8-bit text file and the
// limits a file may ask of the grid.

#include "controles/grid/kav_grid.h"
#include "plataforma/base/file_writer.h"

#include <cstdint>
#include <string_view>

namespace grid_files {

// A file may size the grid up to these counts (and no more cells than kMaxCells in all),
// so that a damaged header cannot ask for more memory than the machine has.
constexpr int64_t kMaxCols = 100000;
constexpr int64_t kMaxRows = 20000000;
constexpr int64_t kMaxCells = 40000000;

inline bool SizeAllowed(int64_t Cols, int64_t Rows) {
    return Cols >= 0 && Rows >= 0 && Cols <= kMaxCols && Rows <= kMaxRows &&
           Cols * Rows <= kMaxCells;
}

// The refusal of a file that would size the grid beyond those limits.
inline AnsiString TooManyCells(const AnsiString& FileName) {
    return "El fichero " + FileName + " tiene más celdas de las que caben en la rejilla";
}

// p = round(Done × 100 / max(1, Total)), fired when it differs from the last one fired
// (none before the first).
class Progress {
public:
    Progress(TKavStringGrid* Grid) : grid_(Grid) {}
    void Step(int64_t Done, int64_t Total);

private:
    TKavStringGrid* grid_;
    int last_ = -1;
};

// A decimal integer (an optional "-", then digits, nothing else) within int's range.
bool ParseInt(std::string_view Text, int& Value);

// The lines of a text held in memory: each ends at CR LF, CR or LF.
class LineWalker {
public:
    explicit LineWalker(std::string_view Text) : text_(Text) {}
    bool AtEnd() const { return pos_ >= text_.size(); }
    std::string_view Next();
    size_t Position() const { return pos_; }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

// The old bytes of a file that a save adds to: none when it does not exist; EKavGridError
// ("Cannot open file " and the name) when it exists and cannot be read, which is then left
// as it is.
std::string ReadForAppend(const AnsiString& FileName);
// Opens the writer of a save (binary, through a temporary file); with Append the file's old
// bytes are written first (ReadForAppend). EKavGridError with Error followed by the file name
// when the file cannot be created.
void OpenOutput(FileWriter& W, const AnsiString& FileName, bool Append, const char* Error);

// Hands Out to the writer once it holds more than 64 KB, and empties it.
void WriteIfLarge(FileWriter& W, std::string& Out);
// Writes what Out still holds and commits: EInOutError with the writer's reason when a write,
// the flush or the close failed (the old file then stays).
void CommitOutput(FileWriter& W, const std::string& Out);

// The columns after the save range (the fixed right columns) and the rows after it (the
// footer rows): none when the fixed cells are stored.
int ColsAfterSaveRange(const TKavStringGrid& G);
int RowsAfterSaveRange(const TKavStringGrid& G);
// The real column at place Place of a file: with StoreHiddenCells every real column in
// order, else the shown columns.
TRealCol FileCol(const TKavStringGrid& G, int Place);
// Sizes the grid for a load to Cols shown columns and Rows rows in front of those that follow
// the save range (Cols and Rows count the fixed ones in front): the fixed right columns and the
// footer rows stay the grid's last ones, with their cells, and columns and rows are added or
// removed in front of them.
void SizeBeforeTail(TKavStringGrid& G, int Cols, int Rows);

// A number in decimal, appended.
void AppendInt(std::string& Out, int64_t Value);

// A cell line of the native file and the stream image, ended by CR LF: "column,row,text" with
// the text's line breaks as the bytes 9 and 8 (LfToFile) when FileToLf gives the text back
// exactly, as it does for every text without those bytes; else "+column,row,text" with the
// text's CR, LF and backslash bytes written as "\r", "\n" and "\\" and every other byte as
// it is. So every text reads back exactly, wide cells' bytes included, and a file written
// before reads as it did.
void AppendCellLine(std::string& Out, int64_t Col, int64_t Row, const AnsiString& Text);
// The text of a cell line after the comma of its row: Escaped for a line of the second form;
// with MultiLine false only its first line.
AnsiString CellLineText(std::string_view Text, bool Escaped, bool MultiLine);

} // namespace grid_files
