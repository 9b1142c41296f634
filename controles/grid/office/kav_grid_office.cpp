// TKavStringGrid: exchange with spreadsheet workbooks, word-processor documents and database
// files, on the platform's office files and ODBC query. The grid sizes itself, loads through
// LoadCell and saves through SaveCell here; the files themselves are the platform's.
#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/storage/cell_utf8.h"
#include "controles/grid/storage/file_support.h"
#include "plataforma/base/files.h"
#include "plataforma/base/string_list.h"
#include "plataforma/office/docx_document.h"
#include "plataforma/office/odbc_query.h"
#include "plataforma/office/xlsx_workbook.h"

#include <algorithm>
#include <memory>

namespace {

const char kExcel[] = "Excel OLE server not found";
const char kWord[] = "Word OLE server not found";

// Runs an operation on an office file; its failures become the grid's error, a file of the
// earlier binary formats the error of a missing office program.
template <class F> auto Office(const char* Legacy, F&& Operation) {
    try {
        return Operation();
    } catch (const ELegacyOfficeFile&) {
        throw EKavGridError(Legacy);
    } catch (const EOfficeError& e) {
        throw EKavGridError(e.Message);
    }
}

// "Hoja1", "Hoja2"...: the first that the workbook's worksheets do not use.
AnsiString FreeSheetName(const XlsxWorkbook& Book) {
    const std::vector<AnsiString> names = Book.WorksheetNames();
    for (int n = 1;; ++n) {
        const AnsiString name = "Hoja" + AnsiString(n);
        bool used = false;
        for (const AnsiString& s : names)
            used = used || s.AnsiCompareIC(name) == 0;
        if (!used) return name;
    }
}

} // namespace

TStringList* TKavStringGrid::GetXLSSheets(const AnsiString& FileName) {
    const std::vector<AnsiString> names =
        Office(kExcel, [&] { return XlsxWorkbook(FileName).WorksheetNames(); });
    auto list = std::make_unique<TStringList>();
    for (const AnsiString& n : names)
        list->Add(n);
    return list.release();
}

void TKavStringGrid::LoadXLS(const AnsiString& FileName, const AnsiString& SheetName) {
    const SheetContents sheet = Office(kExcel, [&] {
        XlsxWorkbook book(FileName);
        int index = book.ActiveWorksheet();
        if (!SheetName.IsEmpty()) {
            index = book.FindWorksheet(SheetName);
            if (index < 0) throw EKavGridError("Excel worksheet " + SheetName + " not found");
        } else if (index < 0) {
            throw EKavGridError("El libro " + FileName + " no tiene una hoja de cálculo activa");
        }
        return book.ReadWorksheet(index, office_xml::TextForm::Utf8);
    });
    const int co = storeFixedCells_ ? 0 : GetFixedCols();
    const int ro = storeFixedCells_ ? 0 : GetFixedRows();
    const int64_t cols = int64_t(sheet.LastCol) + co, rows = int64_t(sheet.LastRow) + ro;
    if (!grid_files::SizeAllowed(cols, rows))
        throw EKavGridError(grid_files::TooManyCells(FileName));
    const int fixedCols = GetFixedCols(), fixedRows = GetFixedRows();
    // A save writes the footer rows and the fixed right columns as the sheet's last ones:
    // those of the grid stay its last ones, with their own cells, and take the sheet's.
    const int tailCols = grid_files::ColsAfterSaveRange(*this);
    const int tailRows = grid_files::RowsAfterSaveRange(*this);
    grid_files::SizeBeforeTail(*this, static_cast<int>(std::max<int64_t>(cols - tailCols, co)),
                               static_cast<int>(std::max<int64_t>(rows - tailRows, ro)));
    if (GetFixedCols() != fixedCols && fixedCols < GetColCount()) SetFixedCols(fixedCols);
    if (GetFixedRows() != fixedRows && fixedRows < GetRowCount()) SetFixedRows(fixedRows);
    // Only the sheet's cells with a value are loaded: a cell the sheet leaves empty, or one
    // holding an error value, keeps what the grid had there.
    // The sheet's columns are the grid's shown ones, as a save writes them; a text with
    // characters the code page lacks becomes a wide cell.
    for (const SheetCell& cell : sheet.Cells)
        LoadCell(RealColOf(cell.Col - 1 + co).Value(), cell.Row - 1 + ro,
                 CellFromUtf8(cell.Text.str()));
    FireCellsChanged(0, 0, GetColCount(), GetRowCount());
    CellsLoaded();
}

void TKavStringGrid::SaveXLS(const AnsiString& FileName, const AnsiString& SheetName,
                             bool Existing) {
    // From the first stored cell to the grid's last: footer rows and right fixed columns go
    // into the sheet too.
    const int c0 = GetSaveStartCol(), c1 = GetColCount() - 1;
    const int r0 = GetSaveStartRow(), r1 = GetRowCount() - 1;
    Office(kExcel, [&] {
        auto book = FileExists(FileName) || Existing ? std::make_unique<XlsxWorkbook>(FileName)
                                                     : std::make_unique<XlsxWorkbook>();
        int index = SheetName.IsEmpty() ? book->ActiveWorksheet() : book->FindWorksheet(SheetName);
        if (index < 0)
            index = book->AddWorksheet(SheetName.IsEmpty() ? FreeSheetName(*book) : SheetName);
        ExportNotification(0, -1);
        book->WriteWorksheet(index, std::max(r1 - r0 + 1, 0), std::max(c1 - c0 + 1, 0),
                             [&](int Row, std::vector<AnsiString>& Texts) {
                                 ExportNotification(1, r0 + Row);
                                 for (size_t i = 0; i < Texts.size(); ++i)
                                     Texts[i] = LineFeedsToXLS(AnsiString(CellToUtf8(SaveCell(
                                         RemapCol(c0 + static_cast<int>(i)), r0 + Row))));
                             },
                             office_xml::TextForm::Utf8);
        ExportNotification(2, -1);
        book->SaveAs(FileName);
    });
}

void TKavStringGrid::LoadFromMDBSQL(const AnsiString& FileName, const AnsiString& SQL) {
    const int fc = GetFixedCols(), fr = GetFixedRows();
    bool changed = false;
    const auto notify = [&] {
        if (!changed) return;
        FireCellsChanged(0, 0, GetColCount(), GetRowCount());
        CellsLoaded();
    };
    try {
        Office(kExcel, [&] {
            OdbcQuery query(FileName, SQL);
            const int n = query.FieldCount();
            const long long count = query.RecordCount();
            const int64_t rows = count > 0 ? int64_t(fr) + count : GetRowCount();
            if (!grid_files::SizeAllowed(int64_t(n) + fc, rows))
                throw EKavGridError(grid_files::TooManyCells(FileName));
            changed = true;
            SetColCount(n + fc);
            // The fields go to the shown columns, in their shown order, as a workbook's do.
            const auto field = [this, fc](int I) { return ToReal(TShownCol(fc + I)); };
            if (fr >= 1)
                for (int i = 0; i < n; ++i)
                    SetCells(field(i).Value(), fr - 1, query.FieldName(i));
            if (count > 0) SetRowCount(static_cast<int>(rows));
            int row = fr;
            std::vector<AnsiString> fields;
            while (query.Next(fields)) {
                // A driver that gives no count: the grid grows per record.
                if (row >= GetRowCount()) {
                    if (!grid_files::SizeAllowed(int64_t(n) + fc, int64_t(row) + 1))
                        throw EKavGridError(grid_files::TooManyCells(FileName));
                    SetRowCount(row + 1);
                }
                for (int i = 0; i < n; ++i)
                    LoadCell(field(i).Value(), row, fields[static_cast<size_t>(i)]);
                ++row;
            }
            // Rows the grid had beyond the records do not stay as if they were some.
            if (count <= 0) {
                SetRowCount(std::max(row, fr + 1));
                for (int i = 0; row == fr && i < n; ++i)
                    SetCells(field(i).Value(), fr, AnsiString());
            }
        });
    } catch (...) {
        // The records loaded before the failure stay, and the grid is told of them.
        notify();
        throw;
    }
    notify();
}

void TKavStringGrid::SaveToDOCInt(const AnsiString& FileName, const AnsiString& Bookmark,
                                  bool Append, bool /*Flag*/) {
    Office(kWord, [&] {
        auto doc =
            Append ? std::make_unique<DocxDocument>(FileName) : std::make_unique<DocxDocument>();
        doc->AddTable(Append ? Bookmark : AnsiString(), GetRowCount(), GetColCount(),
                      [&](int Row, int Col, AnsiString& Text, DocxAlignment& Align) {
                          const int c = RemapCol(Col);
                          Text = AnsiString(CellToUtf8(SaveCell(c, Row)));
                          const int ha = GetCellAlignment(c, Row) & 0xFF;
                          Align = ha == taRightJustify ? DocxAlignment::Right
                                  : ha == taCenter     ? DocxAlignment::Center
                                                       : DocxAlignment::Left;
                      },
                      office_xml::TextForm::Utf8);
        doc->SaveAs(FileName);
    });
}
