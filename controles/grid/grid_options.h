#pragma once
// The grid's option objects of nodes, sizing while typing, mouse actions, column sizes,
// keyboard navigation, HTML export and printing. The grid owns one of each; Assign copies
// from an object of the same class (owned fonts, bitmaps and lists by content) and ignores
// any other source.

#include "controles/grid/grid_property.h"
#include "controles/grid/grid_support.h"
#include "plataforma/base/component.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/font.h"
#include "plataforma/gui/services/printers.h"

#include <memory>

class TKavStringGrid;

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };
enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TWheelAction { waMoveSelection, waScroll };
enum TColumnSizeLocation { clRegistry, clIniFile };
enum TKavanceDirection { adLeftRight, adTopBottom };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow };
enum TPrintPosition {
    ppNone,
    ppTopLeft,
    ppTopRight,
    ppTopCenter,
    ppBottomLeft,
    ppBottomRight,
    ppBottomCenter
};
enum TPrintBorders {
    pbNoborder,
    pbSingle,
    pbDouble,
    pbVertical,
    pbHorizontal,
    pbAround,
    pbAroundVertical,
    pbAroundHorizontal,
    pbCustom
};
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

// Node glyphs of node rows.
class TCellNode : public TPersistent {
public:
    explicit TCellNode(TKavStringGrid* AOwner);
    ~TCellNode() override;
    void Assign(TPersistent* Source) override;

    TNodeType GetNodeType() const { return nodeType_; }
    // These repaint the grid when the value changes.
    void SetNodeType(TNodeType Value);
    bool GetShowTree() const { return showTree_; }
    void SetShowTree(bool Value);
    bool GetShowTreeFull() const { return showTreeFull_; }
    void SetShowTreeFull(bool Value);
    TColor GetTreeColor() const { return treeColor_; }
    void SetTreeColor(TColor Value);
    int GetNodeIndent() const { return nodeIndent_; }
    void SetNodeIndent(int Value);
    TBitmap* GetExpandGlyph() const { return expandGlyph_.get(); }
    void SetExpandGlyph(TBitmap* Value) { expandGlyph_->Assign(Value); }
    TBitmap* GetContractGlyph() const { return contractGlyph_.get(); }
    void SetContractGlyph(TBitmap* Value) { contractGlyph_->Assign(Value); }

#define TCELLNODE_FIELDS(X)                                                                        \
    X(TColor, Color, clSilver) X(TColor, NodeColor, clBlack) X(bool, ExpandOne, false)
    TCELLNODE_FIELDS(GRID_STORED)

private:
    template <class T> void Change(T& Field, T Value);

    TKavStringGrid* grid_;
    TNodeType nodeType_ = cnXP;
    bool showTree_ = true;
    bool showTreeFull_ = true;
    TColor treeColor_ = clGray;
    int nodeIndent_ = 12;
    std::unique_ptr<TBitmap> expandGlyph_;
    std::unique_ptr<TBitmap> contractGlyph_;
};

class TSizeWhileTyping : public TPersistent {
#define TSIZEWHILETYPING_FIELDS(X) X(bool, Height, false) X(bool, Width, false)
    TSIZEWHILETYPING_FIELDS(GRID_STORED)
};

class TMouseActions : public TPersistent {
public:
    explicit TMouseActions(TKavStringGrid* AOwner) : grid_(AOwner) {}
    // Every setting but HotmailRowSelect and SizeFixedRow, without their setters.
    void Assign(TPersistent* Source) override;

    bool GetHotmailRowSelect() const { return hotmailRowSelect_; }
    // Stores and repaints the grid.
    void SetHotmailRowSelect(bool Value);
    bool GetSizeFixedRow() const { return sizeFixedRow_; }
    void SetSizeFixedRow(bool Value) { sizeFixedRow_ = Value; }
    // Setting one of the three disjunct selections while the grid is designed clears the
    // other two; at run time they only store.
    bool GetDisjunctRowSelect() const { return disjunctRowSelect_; }
    void SetDisjunctRowSelect(bool Value);
    bool GetDisjunctColSelect() const { return disjunctColSelect_; }
    void SetDisjunctColSelect(bool Value);
    bool GetDisjunctCellSelect() const { return disjunctCellSelect_; }
    void SetDisjunctCellSelect(bool Value);

#define TMOUSEACTIONS_FIELDS(X)                                                                    \
    X(bool, ColSelect, false)                                                                      \
    X(bool, RowSelect, false)                                                                      \
    X(bool, AllSelect, false) X(bool, DirectEdit, false) X(bool, DirectComboDrop,                  \
                                                           false) X(bool, DirectDateDrop, false)   \
        X(bool, AllColumnSize, false) X(bool, AllRowSize, false) X(bool, CaretPositioning, false)  \
            X(bool, SizeFixedCol, false) X(TGridFixedCellEdit, FixedRowsEdit, fceNone)             \
                X(TGridFixedCellEdit, FixedColsEdit, fceNone) X(bool, RangeSelectAndEdit, false)   \
                    X(bool, NoAutoRangeScroll, false) X(bool, PreciseCheckBoxCheck, false)         \
                        X(bool, CheckAllCheck, false) X(bool, NodeAllExpandContract, false)        \
                            X(bool, MoveRowOnNodeClick, false) X(bool, RowSelectPersistent, false) \
                                X(bool, SelectOnRightClick, false)                                 \
                                    X(bool, NoScrollOnPartialRow, false) X(int, WheelIncrement, 0) \
                                        X(TWheelAction, WheelAction, waMoveSelection)              \
                                            X(bool, AutoSizeColOnDblClick, true)
    TMOUSEACTIONS_FIELDS(GRID_STORED)

private:
    bool Designing() const;

    TKavStringGrid* grid_;
    bool hotmailRowSelect_ = false;
    bool sizeFixedRow_ = false;
    bool disjunctRowSelect_ = false;
    bool disjunctColSelect_ = false;
    bool disjunctCellSelect_ = false;
};

class TColumnSize : public TPersistent {
public:
    explicit TColumnSize(TKavStringGrid* AOwner) : grid_(AOwner) {}

    bool GetStretch() const { return stretch_; }
    // Stores; the stretch of the column itself comes with the scroll-bar and sizing code.
    void SetStretch(bool Value);

#define TCOLUMNSIZE_FIELDS(X)                                                                      \
    X(bool, Save, false)                                                                           \
    X(AnsiString, Key, AnsiString())                                                               \
    X(AnsiString, Section, AnsiString()) X(int, StretchColumn, -1) X(bool, SynchWithGrid, false)   \
        X(TColumnSizeLocation, Location, clRegistry)
    TCOLUMNSIZE_FIELDS(GRID_STORED)

private:
    TKavStringGrid* grid_;
    bool stretch_ = false;
};

class TNavigation : public TPersistent {
public:
    void Assign(TPersistent* Source) override;

#define TNAVIGATION_FIELDS(X)                                                                      \
    X(bool, AllowInsertRow, false)                                                                 \
    X(bool, AllowDeleteRow, false)                                                                 \
    X(bool, AdvanceOnEnter, false) X(bool, AdvanceInsert, false)                                   \
        X(bool, AutoGotoWhenSorted, false) X(bool, AutoGotoIncremental, false) X(                  \
            bool, AutoComboDropSize, false) X(bool, AllowClipboardShortCuts, false)                \
            X(bool, AllowRTFClipboard, false) X(bool, AllowSmartClipboard, false) X(               \
                bool, AllowClipboardAlways, false) X(bool, AllowClipboardColGrow, true)            \
                X(bool, AllowClipboardRowGrow, true) X(bool, CopyHTMLTagsToClipboard, true) X(     \
                    TKavanceDirection, AdvanceDirection, adLeftRight) X(bool, AdvanceAuto, false)  \
                    X(bool, CursorWalkEditor, false) X(bool, MoveRowOnSort, false)                 \
                        X(bool, ImproveMaskSel, false) X(bool, AlwaysEdit, false)                  \
                            X(TInsertPosition, InsertPosition, pInsertBefore)                      \
                                X(bool, LineFeedOnEnter, false)                                    \
                                    X(THomeEndAction, HomeEndKey, heFirstLastColumn)               \
                                        X(bool, KeepHorizScroll, false) X(bool, AllowFmtClipboard, \
                                                                          false)                   \
                                            X(bool, TabToNextAtEnd, false)                         \
                                                X(bool, EditSelectAll, true)                       \
                                                    X(TKavanceDirection, TabAdvanceDirection,      \
                                                      adLeftRight) X(bool, SkipFixedCells, true)   \
                                                        X(bool, AllowCtrlEnter, true)              \
                                                            X(bool, AppendOnArrowDown, false)
    TNAVIGATION_FIELDS(GRID_STORED)
};

class THTMLSettings : public TPersistent {
public:
    THTMLSettings();
    ~THTMLSettings() override;
    void Assign(TPersistent* Source) override;
    // The width attribute of each column of the table, by its place from the first column
    // written (columns past the list's end get none).
    TIntList* GetColWidths() const { return colWidths_.get(); }

#define THTMLSETTINGS_FIELDS(X)                                                                    \
    X(bool, AutoPreview, false)                                                                    \
    X(bool, ConvertSpecialChars, false)                                                            \
    X(bool, NonBreakingText, false) X(bool, SaveColor, true) X(bool, SaveFonts, true)              \
        X(AnsiString, FooterFile, AnsiString()) X(AnsiString, HeaderFile, AnsiString())            \
            X(int, BorderSize, 1) X(int, CellSpacing, 0) X(int, CellPadding, 0)                    \
                X(AnsiString, TableStyle, AnsiString()) X(AnsiString, PrefixTag, AnsiString())     \
                    X(AnsiString, SuffixTag, AnsiString()) X(int, Width, 100)                      \
                        X(bool, XHTML, false)
    THTMLSETTINGS_FIELDS(GRID_STORED)

private:
    std::unique_ptr<TIntList> colWidths_;
};

class TPrintSettings : public TPersistent {
public:
    explicit TPrintSettings(TKavStringGrid* AOwner);
    ~TPrintSettings() override;
    void Assign(TPersistent* Source) override;

    // The setters copy the given object's contents into the owned one.
    TFont* GetFont() const { return font_.get(); }
    void SetFont(TFont* Value) { font_->Assign(Value); }
    TFont* GetHeaderFont() const { return headerFont_.get(); }
    void SetHeaderFont(TFont* Value) { headerFont_->Assign(Value); }
    TFont* GetFooterFont() const { return footerFont_.get(); }
    void SetFooterFont(TFont* Value) { footerFont_->Assign(Value); }
    TFont* GetFixedFont() const { return fixedFont_.get(); }
    void SetFixedFont(TFont* Value) { fixedFont_->Assign(Value); }
    TStrings* GetTitleLines() const { return titleLines_.get(); }
    void SetTitleLines(TStrings* Value) { titleLines_->Assign(*Value); }

#define TPRINTSETTINGS_FIELDS(X)                                                                   \
    X(TPrintPosition, Time, ppNone)                                                                \
    X(TPrintPosition, Date, ppNone)                                                                \
    X(TPrintPosition, PageNr, ppNone) X(TPrintPosition, Title, ppNone) X(                          \
        AnsiString, PageNumSep, "/") X(AnsiString, DateFormat, "dd/mm/yyyy") X(TPrintBorders,      \
                                                                               Borders, pbSingle)  \
        X(TPenStyle, BorderStyle, psSolid) X(AnsiString, TitleText, AnsiString()) X(               \
            bool, Centered, true) X(bool, RepeatFixedRows, false) X(bool, RepeatFixedCols, false)  \
            X(int, FooterSize, 0) X(int, HeaderSize, 0) X(int, LeftSize, 0) X(int, RightSize, 0)   \
                X(int, ColumnSpacing, 0) X(int, RowSpacing, 0) X(int, TitleSpacing, 0)             \
                    X(TPrinterOrientation, Orientation,                                            \
                      poPortrait) X(AnsiString, PagePrefix, AnsiString())                          \
                        X(AnsiString, PageSuffix, AnsiString()) X(int, FixedHeight, 0)             \
                            X(int, FixedWidth, 0) X(bool, UseFixedHeight, false)                   \
                                X(bool, UseFixedWidth, false) X(TFitToPage, FitToPage, fpNever)    \
                                    X(bool, NoAutoSize, false) X(bool, NoAutoSizeRow, false)       \
                                        X(bool, PrintGraphics, false)                              \
                                            X(AnsiString, JobName, AnsiString())                   \
                                                X(int, PageNumberOffset, 0)                        \
                                                    X(int, MaxPagesOffset, 0)                      \
                                                        X(bool, UseDisplayFont, true)              \
                                                            X(bool, UseDefaultOrientation, false)
    TPRINTSETTINGS_FIELDS(GRID_STORED)

private:
    TKavStringGrid* grid_;
    std::unique_ptr<TFont> font_, headerFont_, footerFont_, fixedFont_;
    std::unique_ptr<TStringList> titleLines_;
};
