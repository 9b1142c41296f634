#pragma once
// TCellProperties: what one cell of the grid may carry besides its text (colours, font,
// alignment, editor kind, read-only state, a user object, a graphic, a control, a node level)
// and its place in a merged block. It lives in the cell's object slot, made on first use.
//
// Merge encoding of the two spans: (-1, -1) not merged; a block's base (top-left) cell holds
// (width - 1, height - 1) with IsBaseCell true; every other cell of the block holds its
// offset from the base cell with IsBaseCell false.

#include "plataforma/base/component.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/painting/font.h"

class TBaseGrid;

enum TVAlignment { vtaTop, vtaCenter, vtaBottom };

enum TEditorType {
    edNormal,
    edSpinEdit,
    edComboEdit,
    edComboList,
    edEditBtn,
    edCheckBox,
    edDateEdit,
    edDateEditUpDown,
    edTimeEdit,
    edButton,
    edDataCheckBox,
    edNumeric,
    edPositiveNumeric,
    edFloat,
    edCapital,
    edMixedCase,
    edPassword,
    edUnitEditBtn,
    edLowerCase,
    edUpperCase,
    edFloatSpinEdit,
    edTimeSpinEdit,
    edDateSpinEdit,
    edNumericEditBtn,
    edFloatEditBtn,
    edCustom,
    edRichEdit,
    edNone,
    edUniEdit,
    edUniComboEdit,
    edUniComboList,
    edUniEditBtn,
    edUniMemo
};

// Calculation kinds of a footer cell.
enum TColumnCalcType : uint8_t {
    acNONE = 0,
    acSUM = 1,
    acAVG = 2,
    acCOUNT = 3,
    acMIN = 4,
    acMAX = 5,
    acSPREAD = 6,
    acCUSTOM = 7
};

class TCellProperties : public TPersistent {
public:
    TCellProperties(TBaseGrid* AOwner, int ACol, int ARow);
    // Frees the cell's graphic when it owns one (see TBaseGrid::SetGraphicObjectEx).
    ~TCellProperties() override;
    TCellProperties(const TCellProperties&) = delete;
    TCellProperties& operator=(const TCellProperties&) = delete;
    // A grid gives properties to a great many cells at once (node levels on every row): they
    // come from slabs of their own, not one allocation each (cell_properties_pool.cpp).
    static void* operator new(size_t Size);
    static void operator delete(void* Block, size_t Size);

    // Copies the published look, the merge state, the owner position and the control; not
    // the user object, the graphic, BrushColorTo, the paint mark or the footer kind.
    void Assign(TPersistent* Source) override;
    // Everything Assign copies and what it leaves out, except the graphic (a second copy of
    // one cell for CopyRows: the copy never shares what the original owns).
    void CopyAll(const TCellProperties& Source);

    // The base cell of the block this cell belongs to; the cell itself when it is a base
    // cell or not merged.
    TPoint GetBaseCell(int ACol, int ARow) const;

    TBaseGrid* GetOwnerGrid() const { return grid_; }
    int GetOwnerCol() const { return ownerCol_; }
    void SetOwnerCol(int Value) { ownerCol_ = Value; }
    int GetOwnerRow() const { return ownerRow_; }
    void SetOwnerRow(int Value) { ownerRow_ = Value; }
    TObject* GetCellObject() const { return cellObject_; }
    void SetCellObject(TObject* Value) { cellObject_ = Value; }
    TObject* GetGraphic() const { return graphic_; }
    void SetGraphic(TObject* Value) { graphic_ = Value; }

    TBrushStyle GetBrushStyle() const { return brushStyle_; }
    void SetBrushStyle(TBrushStyle Value) { brushStyle_ = Value; }
    TColor GetBrushColor() const { return brushColor_; }
    // Store and repaint the owner cell.
    void SetBrushColor(TColor Value);
    TColor GetBrushColorTo() const { return brushColorTo_; }
    void SetBrushColorTo(TColor Value);
    int GetFontSize() const { return fontSize_; }
    void SetFontSize(int Value) { fontSize_ = Value; }
    TColor GetFontColor() const { return fontColor_; }
    void SetFontColor(TColor Value) { fontColor_ = Value; }
    TFontStyles GetFontStyle() const { return fontStyle_; }
    void SetFontStyle(TFontStyles Value) { fontStyle_ = Value; }
    int GetCellSpanY() const { return spanY_; }
    void SetCellSpanY(int Value) { spanY_ = Value; }
    int GetCellSpanX() const { return spanX_; }
    void SetCellSpanX(int Value) { spanX_ = Value; }
    int GetBorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int Value) { borderWidth_ = Value; }
    TColor GetBorderColor() const { return borderColor_; }
    void SetBorderColor(TColor Value) { borderColor_ = Value; }
    TAlignment GetAlignment() const { return alignment_; }
    // Stores only (no repaint).
    void SetAlignment(TAlignment Value) { alignment_ = Value; }
    TVAlignment GetVAlignment() const { return vAlignment_; }
    void SetVAlignment(TVAlignment Value);
    int GetPaintMark() const { return paintMark_; }
    void SetPaintMark(int Value) { paintMark_ = Value; }
    bool GetWordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    bool GetIsBaseCell() const { return isBaseCell_; }
    void SetIsBaseCell(bool Value) { isBaseCell_ = Value; }
    TColumnCalcType GetCalcType() const { return calcType_; }
    void SetCalcType(TColumnCalcType Value) { calcType_ = Value; }
    int GetNodeLevel() const { return nodeLevel_; }
    void SetNodeLevel(int Value) { nodeLevel_ = Value; }
    TEditorType GetEditor() const { return editor_; }
    void SetEditor(TEditorType Value) { editor_ = Value; }
    const AnsiString& GetFontName() const { return fontName_; }
    void SetFontName(const AnsiString& Value) { fontName_ = Value; }
    bool GetReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value) { readOnly_ = Value; }
    TControl* GetControl() const { return control_; }
    void SetControl(TControl* Value) { control_ = Value; }

private:
    void RepaintOwnerCell();

    TBaseGrid* grid_;
    int ownerCol_;
    int ownerRow_;
    TObject* cellObject_ = nullptr;
    TObject* graphic_ = nullptr;
    TBrushStyle brushStyle_ = bsSolid;
    TColor brushColor_ = clNone;
    TColor brushColorTo_ = clNone;
    int fontSize_ = 0;
    TColor fontColor_ = clNone;
    TFontStyles fontStyle_;
    int spanY_ = -1;
    int spanX_ = -1;
    int borderWidth_ = 0;
    TColor borderColor_ = clBlack;
    TAlignment alignment_ = taLeftJustify;
    TVAlignment vAlignment_ = vtaTop;
    int paintMark_ = 0;
    bool wordWrap_ = true;
    bool isBaseCell_ = true;
    TColumnCalcType calcType_ = acNONE;
    int nodeLevel_ = 0;
    TEditorType editor_ = edNormal;
    AnsiString fontName_;
    bool readOnly_ = false;
    TControl* control_ = nullptr;
};
