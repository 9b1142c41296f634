#pragma once
// The grid's floating footer: TFloatingFooter, its settings (published as the grid's
// FloatingFooter), and TFooterPanel, the strip aligned to the grid's bottom that paints the
// last row as a fixed row with its column calculations, a preview of one column of the
// current row, or a markup template filled with cells of the current row.

#include "controles/grid/cell_properties.h"
#include "plataforma/gui/widgets/panels.h"

class TKavStringGrid;

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview };

using TCalcFooterEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value)>;
using TFooterPaintEvent =
    std::function<void(TObject* Sender, int AColumn, TCanvas* Canvas, const TRect& ARect)>;

class TFloatingFooter : public TPersistent {
public:
    explicit TFloatingFooter(TKavStringGrid* AOwner) : grid_(AOwner) {}
    // From another footer: the settings, then Visible with its effects; not the event or
    // the height.
    void Assign(TPersistent* Source) override;

    // The calculation kind of a column (kept in its last-row cell's properties; reading
    // makes none).
    TColumnCalcType GetColumnCalc(int ACol) const;
    void SetColumnCalc(int ACol, TColumnCalcType Value);
    void Invalidate();

    bool GetVisible() const { return visible_; }
    void SetVisible(bool Value);
    TColor GetColor() const { return color_; }
    void SetColor(TColor Value);
    TFooterStyle GetFooterStyle() const { return footerStyle_; }
    void SetFooterStyle(TFooterStyle Value);
    int GetColumn() const { return column_; }
    void SetColumn(int Value);
    const AnsiString& GetCustomTemplate() const { return customTemplate_; }
    void SetCustomTemplate(const AnsiString& Value);
    bool GetCalculateHiddenRows() const { return calculateHiddenRows_; }
    void SetCalculateHiddenRows(bool Value) { calculateHiddenRows_ = Value; }
    bool GetEnableCalculation() const { return enableCalculation_; }
    void SetEnableCalculation(bool Value) { enableCalculation_ = Value; }
    bool GetShowHint() const { return showHint_; }
    void SetShowHint(bool Value);
    int GetHeight() const { return height_; }
    // Stored; a visible footer's panel becomes one pixel lower.
    void SetHeight(int Value);
    // The grid's default row height: stored, and a visible footer's panel takes that same
    // height.
    void SetRowHeight(int Value);

    TCalcFooterEvent OnCalcFooter;

private:
    TKavStringGrid* grid_;
    int height_ = 0;
    bool visible_ = false;
    TColor color_ = clBtnFace;
    TFooterStyle footerStyle_ = fsFixedLastRow;
    int column_ = 0;
    AnsiString customTemplate_;
    bool calculateHiddenRows_ = false;
    bool enableCalculation_ = true;
    bool showHint_ = false;
};

class TFooterPanel : public TCustomPanel {
public:
    // The owner must be the grid.
    explicit TFooterPanel(TComponent* AOwner);
    // The template with each "<#n>" replaced by the text of column n in the current row; a
    // tag whose number does not read is dropped.
    AnsiString HTMLColReplace(const AnsiString& Template);
    TRect RTLCoord(bool RightToLeft, const TRect& R) const;
    int GetHintColumn() const { return hintCol_; }

protected:
    void CreateWnd() override;
    void Paint() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void Dispatch(TMessage& Message) override;

private:
    int ColumnAt(int X) const;
    // The footer rectangle (the used width) and the rest of the panel.
    void Layout(TRect& Footer, TRect& Rest) const;
    void PaintLastRow();
    void PaintPreview(bool Custom);

    TKavStringGrid* grid_;
    int hintCol_ = -1;
};
