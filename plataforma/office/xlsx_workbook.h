#pragma once
// XlsxWorkbook: a spreadsheet workbook in the Office Open XML format (.xlsx), read from a file
// or made new. It lists the worksheets, reads a worksheet's cells as the grid's texts and
// writes a block of texts from A1 into a worksheet, keeping every other part of the file as
// it was. Every part is checked as untrusted input: a damaged archive, a missing or oversized
// part, bad XML or a reference out of bounds raises EOfficeError and changes nothing.

#include "plataforma/base/ansi_string.h"
#include "plataforma/office/office_error.h"
#include "plataforma/office/office_xml.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class ZipPackage;

// A cell that holds a value: column and row from 1, and its text.
struct SheetCell {
    int Col;
    int Row;
    AnsiString Text;
};

// The cells of a worksheet, in the order of the file, and the corner of the range they
// span from A1 (1 × 1 for a sheet without values).
struct SheetContents {
    int LastCol = 1;
    int LastRow = 1;
    std::vector<SheetCell> Cells;
};

class XlsxWorkbook {
public:
    // The cells read from a worksheet may hold no more text than this in all, a shared
    // string counted at each of its uses, and every cell counted as kCellCost bytes more:
    // a small file cannot ask for more memory than the grid can hold.
    static constexpr size_t kMaxSheetText = 256u << 20;
    static constexpr size_t kCellCost = 48;

    // Fills Texts (already sized to the column count) with the texts of row Row (from 0).
    using RowSource = std::function<void(int Row, std::vector<AnsiString>& Texts)>;

    // A new workbook without sheets.
    XlsxWorkbook();
    // The workbook of a file; ELegacyOfficeFile for a binary workbook of the earlier format,
    // EOfficeError for anything else that is not a sound workbook.
    explicit XlsxWorkbook(const AnsiString& FileName);
    ~XlsxWorkbook();
    XlsxWorkbook(const XlsxWorkbook&) = delete;
    XlsxWorkbook& operator=(const XlsxWorkbook&) = delete;

    // The worksheets' names in the workbook's order (chart sheets left out).
    std::vector<AnsiString> WorksheetNames() const;
    // The worksheet with that name (exactly as WorksheetNames gives it), -1 when none.
    int FindWorksheet(const AnsiString& Name) const;
    // The worksheet of the workbook view's active tab (the first sheet without one); -1 when
    // the workbook has no worksheet, or the active tab is a chart.
    int ActiveWorksheet() const;

    // The cells of worksheet Index that hold a value: shared and inline strings, numbers
    // (dates and times by their format, in the regional patterns), booleans ("True",
    // "False") and formulas by their cached value; error values are left out. The texts in
    // the given form. EOfficeError when their texts pass kMaxSheetText.
    SheetContents ReadWorksheet(int Index,
                                office_xml::TextForm Form = office_xml::TextForm::Ansi) const;

    // Adds an empty worksheet at the end; its index. EOfficeError for a name the format
    // does not allow (empty, over 31 characters, one of []:*?/\, or taken).
    int AddWorksheet(const AnsiString& Name);
    // Writes Rows × Cols texts from A1 into worksheet Index; the sheet's cells outside that
    // block and everything else in the sheet stay. A text that is a number in the regional
    // format and reads back as the same text is written as a number; every other text as a
    // string, and an empty text as no cell. The texts are in the given form. The workbook's
    // calculation chain is dropped.
    void WriteWorksheet(int Index, int Rows, int Cols, const RowSource& Source,
                        office_xml::TextForm Form = office_xml::TextForm::Ansi);

    // The workbook written to the file through a temporary that replaces it only at the end.
    void SaveAs(const AnsiString& FileName);

private:
    struct Sheet {
        std::string Name; // UTF-8
        std::string Part; // path in the package
        bool Worksheet;
    };
    void Load();
    // The sheet of an index; EOfficeError outside the workbook's sheets.
    const Sheet& SheetAt(int Index) const;
    void LoadSharedStrings() const;
    void LoadStyles() const;
    xmlDoc* Tree(const std::string& Part); // parsed once, written back on saving
    void DropCalcChain();

    std::unique_ptr<ZipPackage> package_;
    std::string workbookPart_;
    std::string calcChainPart_; // "" when the workbook has none
    std::string stringsPart_;   // the shared strings ("" when none)
    std::string stylesPart_;
    std::vector<Sheet> sheets_;
    int activeTab_ = 0;
    bool date1904_ = false;
    // The 1900 system's day numbers count the false 29/02/1900 unless the workbook says not.
    bool compatible1900_ = true;
    // Parts changed as trees, by their path.
    std::vector<std::pair<std::string, office_xml::DocPtr>> trees_;
    mutable bool stringsLoaded_ = false;
    // The shared strings (UTF-8, escapes undone), one after another in a pool, and where
    // each ends.
    mutable std::string stringPool_;
    mutable std::vector<uint32_t> stringEnds_;
    mutable bool stylesLoaded_ = false;
    // How each cell style shows a number: as a date or time, or as elapsed time by its
    // format code (Elapsed empty otherwise).
    struct NumberStyle {
        bool Date = false;
        std::string Elapsed;
    };
    mutable std::vector<NumberStyle> numberStyles_;
};
