// TKavStringGrid: construction with every default, the owner form's resize hook, window
// creation and destruction, loading, copying, invalidation and bounds.
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/painting/draw_text.h"

#include "controles/grid/editing/grid_check.h"
#include "controles/grid/editing/grid_editors.h"
#include "controles/grid/print/print_layout.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/kernel/file_version.h"
#include "plataforma/gui/kernel/system_metrics.h"
#include "plataforma/gui/kernel/timers.h"
#include "plataforma/gui/painting/themes.h"

namespace {

constexpr UINT_PTR GridTimerId = 111;
constexpr UINT GridTimerInterval = 500;

std::unique_ptr<TFont> TahomaFont() {
    auto f = std::make_unique<TFont>();
    f->SetName("Tahoma");
    return f;
}

} // namespace

TKavStringGrid::TKavStringGrid(TComponent* AOwner)
    : TBaseGrid(AOwner), visibleCols_(512, 1), hiddenWidths_(512, 0) {
    InitKavGridUnit();
    SetColCountEx(5);
    SetRowCountEx(10);
    TCustomGrid::SetFixedRows(1);
    TCustomGrid::SetFixedCols(1);
    SetDefaultRowHeight(21);
    SetColWidths(0, 64);
    SetRowHeights(0, 21);
    SetBounds(GetLeft(), GetTop(), 400, 250);
    rememberedFixedRows_ = rememberedFixedCols_ = 1;

    cellNode_ = std::make_unique<TCellNode>(this);
    sizeWhileTyping_ = std::make_unique<TSizeWhileTyping>();
    mouseActions_ = std::make_unique<TMouseActions>(this);
    columnSize_ = std::make_unique<TColumnSize>(this);
    navigation_ = std::make_unique<TNavigation>();
    htmlSettings_ = std::make_unique<THTMLSettings>();
    printSettings_ = std::make_unique<TPrintSettings>(this);
    printLayout_ = std::make_unique<TPrintLayout>();
    sortSettings_ = std::make_unique<TSortSettings>(this);
    controlLook_ = std::make_unique<TControlLook>(this);
    backGround_ = std::make_unique<TBackGround>(this);
    bands_ = std::make_unique<TBands>(this);
    grouping_ = std::make_unique<TGrouping>();
    dragDropSettings_ = std::make_unique<TDragDropSettings>(this);
    dragScrollOptions_ = std::make_unique<TDragScrollOptions>();
    balloon_ = std::make_unique<TBalloonSettings>();
    showModified_ = std::make_unique<TShowModified>();
    balloon_->OnEnableChange = [this](TObject* Sender) { BalloonChange(Sender); };
    showModified_->OnChange = [this](TObject* Sender) { ModifiedChanged(Sender); };
    filter_ = std::make_unique<TFilter>(this);
    columnHeaders_ = std::make_unique<TStringList>();
    columnHeaders_->OnChange = [this](TObject* Sender) { ColHeaderChanged(Sender); };
    rowHeaders_ = std::make_unique<TStringList>();
    rowHeaders_->OnChange = [this](TObject* Sender) { RowHeaderChanged(Sender); };
    lookupItems_ = std::make_unique<TStringList>();
    comboItems_ = std::make_unique<TStringList>();
    mergedColumns_ = std::make_unique<TIntList>(0, 0);
    mergedColumns_->OnChange = [this](TObject* Sender, int Index, int Operation) {
        MergedColumnsChanged(Sender, Index, Operation);
    };
    fixedFont_ = TahomaFont();
    fixedFont_->OnChange = [this](TObject* Sender) { FixedFontChanged(Sender); };
    activeCellFont_ = TahomaFont();
    rowIndicator_ = std::make_unique<TBitmap>();
    hiddenRows_ = std::make_unique<TCollection>([](TCollection* c) { return new TGridItem(c); });
    xyOffset_ = TPoint(2, 2);
    vAlignFlag_ = DT_TOP;
    pictureCache_ = std::make_unique<THTMLPictureCache>();
    controlList_ = std::make_unique<TControlList>();
    sortIndexes_ = std::make_unique<TSortIndexList>();
    floatingFooter_ = std::make_unique<TFloatingFooter>(this);
    footerPanel_ = new TFooterPanel(this);
    footerPanel_->SetParent(this);
    searchPanel_ = new TSearchPanel(this);
    searchPanel_->SetAlign(alBottom);
    searchPanel_->SetParent(this);
    searchFooter_ = std::make_unique<TSearchFooter>(this);
    searchPanel_->OnEditChange = [this](TObject* Sender) { SearchEditChange(Sender); };
    searchPanel_->OnForwardClick = [this](TObject* Sender) { SearchForward(Sender); };
    searchPanel_->OnBackwardClick = [this](TObject* Sender) { SearchBackward(Sender); };
    searchPanel_->OnExitClick = [this](TObject* Sender) { SearchExit(Sender); };
    searchPanel_->OnHighlightClick = [this](TObject* Sender) { SearchHighLight(Sender); };
    searchFooter_->OnChange = [this](TObject* Sender) { SearchChanged(Sender); };
    floatingFooter_->SetHeight(GetDefaultRowHeight());

    // Facts of the platform: the XP look needs themed drawing, which the layer leaves off
    // unless the program turns it on; the common controls are 5.82 (no version 6); the wheel
    // scrolls the lines a notch that the desktop sets, through WM_MOUSEWHEEL.
    isWinXP_ = IsThemeActive();
    isComCtl6_ = GetFileVersion("COMCTL32.DLL") >> 16 > 5;
    UINT lines = 3;
    if (SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0))
        wheelScrollLines_ = static_cast<int>(lines);
    wheelMessage_ = WM_MOUSEWHEEL;
    scrollWidth_ = GetSystemMetrics(SM_CXVSCROLL);

    // The owner form's resize handler gives way to the grid's, which calls it.
    if (auto* form = dynamic_cast<TForm*>(AOwner);
        form && !GetComponentState().Contains(csDesigning)) {
        ownerForm_ = form;
        savedFormResize_ = form->OnResize;
        form->OnResize = [this](TObject* Sender) { GridResize(Sender); };
        formWidth_ = form->GetWidth();
        formHeight_ = form->GetHeight();
        form->FreeNotification(this);
    }
}

TKavStringGrid::~TKavStringGrid() {
    if (ownerForm_ && !ownerForm_->GetComponentState().Contains(csDestroying))
        ownerForm_->OnResize = savedFormResize_;
    if (cellChecker_) cellChecker_->RemoveFreeNotification(this);
    if (gridImages_) gridImages_->RemoveFreeNotification(this);
    if (pictureContainer_) pictureContainer_->RemoveFreeNotification(this);
    for (TGridChangeNotifier* n : notifiers_)
        n->RemoveFreeNotification(this);
    // The bar's controls go with the components, after the grid's own state.
    searchPanel_->OnEditChange = searchPanel_->OnForwardClick = searchPanel_->OnBackwardClick =
        searchPanel_->OnExitClick = searchPanel_->OnHighlightClick = nullptr;
    if (columnSize_->GetSave()) {
        // A store that cannot be written loses the widths, never the grid's own clean-up.
        try {
            SaveColSizes();
        } catch (const Exception&) {
        }
    }
    BalloonDone();
    // The texts go with the store; what the cells and the hidden rows own is freed here.
    TKavStringGrid::ClearProps();
}

void TKavStringGrid::Notification(TComponent* AComponent, TOperation Operation) {
    TBaseGrid::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == cellChecker_) cellChecker_ = nullptr;
    if (AComponent == gridImages_) gridImages_ = nullptr;
    if (AComponent == pictureContainer_) pictureContainer_ = nullptr;
    if (AComponent == ownerForm_) ownerForm_ = nullptr;
    if (AComponent == reinterpret_cast<TComponent*>(editLink_)) editLink_ = nullptr;
    std::erase(notifiers_, AComponent);
}

void TKavStringGrid::GridResize(TObject* Sender) {
    auto* form = dynamic_cast<TForm*>(Sender);
    if (form && sizeWithForm_ && !GetComponentState().Contains(csDesigning)) {
        const int w = GetWidth() + form->GetWidth() - formWidth_;
        const int h = GetHeight() + form->GetHeight() - formHeight_;
        if (w > 0 && h > 0) SetBounds(GetLeft(), GetTop(), w, h);
        formWidth_ = form->GetWidth();
        formHeight_ = form->GetHeight();
    }
    if (savedFormResize_) savedFormResize_(Sender);
    if (columnSize_->GetStretch()) StretchColumn(columnSize_->GetStretchColumn());
}

void TKavStringGrid::CreateWnd() {
    TBaseGrid::CreateWnd();
    if (!GetParent()) return;
    if (GetComponentState().Contains(csDesigning)) {
        if (!loaded_) GetFont()->SetName("Tahoma");
        return;
    }
    searchPanel_->SetVisible(searchFooter_->GetVisible());
    searchPanel_->SetHeight(searchFooter_->GetVisible() ? 32 : 0);
    gridTimer_ = SetTimer(GetHandle(), GridTimerId, GridTimerInterval, nullptr);
    if (columnSize_->GetSave()) LoadColSizes();
    // A new window has classic bars: a flat type set before takes effect now.
    if (scrollType_ != ssNormal) SetScrollType(scrollType_);
}

void TKavStringGrid::DestroyWnd() {
    if (gridTimer_ && HandleAllocated()) KillTimer(GetHandle(), GridTimerId);
    gridTimer_ = 0;
    flatInit_ = false; // the flat bars go with the window
    TBaseGrid::DestroyWnd();
}

void TKavStringGrid::Loaded() {
    TBaseGrid::Loaded();
    loadedCursor_ = GetCursor();
    if (look_ == glKav) {
        buttonGradFrom_ = clSilver;
        buttonGradTo_ = clWhite;
        if (!GetComponentState().Contains(csDesigning)) {
            GetPopupButton()->SetGradFrom(buttonGradFrom_);
            GetPopupButton()->SetGradTo(buttonGradTo_);
        }
    }
    rememberedFixedRows_ = GetFixedRowsEx();
    rememberedFixedCols_ = GetFixedColsEx();
    loadedDefaultRowHeight_ = GetDefaultRowHeight();
    minColWidth_ = 10;
    minRowHeight_ = GetDefaultRowHeight();
    loaded_ = true;
    if (columnSize_->GetSave()) LoadColSizes();
    if (GetOptions().Contains(goAlwaysShowEditor)) {
        SetOptions(GetOptions() >> goAlwaysShowEditor);
        navigation_->SetAlwaysEdit(true);
    }
    if (!GetComponentState().Contains(csDesigning) && !isWinXP_ &&
        controlLook_->GetControlStyle() == csTheme)
        controlLook_->SetControlStyle(csClassic);
    if (balloon_->GetEnable()) BalloonInit();
    searchFooter_->SetAutoThemeAdapt(autoThemeAdapt_);
    SearchChanged(this);
    UpdateScrollBars(false);
    if (autoThemeAdapt_) ThemeAdapt();
    ShowColumnHeaders();
    ShowRowHeaders();
}

void TKavStringGrid::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TKavStringGrid*>(Source);
    if (!s) {
        TBaseGrid::Assign(Source);
        return;
    }
    GetFont()->Assign(s->GetFont());
    activeCellColor_ = s->activeCellColor_;
    activeCellColorTo_ = s->activeCellColorTo_;
    activeCellFont_->Assign(s->activeCellFont_.get());
    activeCellShow_ = s->activeCellShow_;
    SetActiveRowShow(s->GetActiveRowShow());
    SetAlign(s->GetAlign());
    anchorHint_ = s->anchorHint_;
    autoNumAlign_ = s->autoNumAlign_;
    autoSize_ = s->autoSize_;
    autoThemeAdapt_ = s->autoThemeAdapt_;
    mouseActions_->Assign(s->mouseActions_.get());
    navigation_->Assign(s->navigation_.get());
    grouping_->Assign(s->grouping_.get());
    searchFooter_->Assign(s->searchFooter_.get());
    printSettings_->Assign(s->printSettings_.get());
    filter_->Assign(s->filter_.get());
    htmlSettings_->Assign(s->htmlSettings_.get());
    bands_->Assign(s->bands_.get());
    cellNode_->Assign(s->cellNode_.get());
    sortSettings_->Assign(s->sortSettings_.get());
    dragScrollOptions_->Assign(s->dragScrollOptions_.get());
    SetColCountEx(s->GetColCount());
    SetRowCountEx(s->GetRowCount());
    SetFixedRowsEx(s->GetFixedRows());
    SetFixedColsEx(s->GetFixedCols());
    SetDefaultColWidth(s->GetDefaultColWidth());
    SetDefaultRowHeight(s->GetDefaultRowHeight());
    // The remaining settings of the look and behaviour.
    floatFormat_ = s->floatFormat_;
    checkTrue_ = s->checkTrue_;
    checkFalse_ = s->checkFalse_;
    selectionColor_ = s->selectionColor_;
    selectionColorTo_ = s->selectionColorTo_;
    selectionTextColor_ = s->selectionTextColor_;
    showSelection_ = s->showSelection_;
    hintColor_ = s->hintColor_;
    enableHTML_ = s->enableHTML_;
    enableWheel_ = s->enableWheel_;
    enhRowColMove_ = s->enhRowColMove_;
    intelliZoom_ = s->intelliZoom_;
    urlColor_ = s->urlColor_;
    look_ = s->look_;
    scrollColor_ = s->scrollColor_;
    scrollWidth_ = s->scrollWidth_;
    SetScrollType(s->scrollType_); // the bars take the copied look
    newCellWordWrap_ = s->newCellWordWrap_;
    vAlignment_ = s->vAlignment_;
    defaultEditor_ = s->defaultEditor_;
    fixedRowAlways_ = s->fixedRowAlways_;
    fixedColAlways_ = s->fixedColAlways_;
    fixedFooters_ = s->fixedFooters_;
    fixedRightCols_ = s->fixedRightCols_;
    sizeWithForm_ = s->sizeWithForm_;
    integralHeight_ = s->integralHeight_;
    hovering_ = s->hovering_;
    xyOffset_ = s->xyOffset_;
    SetGridLineWidth(s->GetGridLineWidth());
    SetGridLineColor(s->GetGridLineColor());
    SetActiveRowColor(s->GetActiveRowColor());
    SetOptions(s->GetOptions());
    AssignCells(*s);
    // The copy's rows hidden by the filter are the filter's: switching it off shows them.
    filterActive_ = s->filterActive_;
    filterFixedRows_ = s->filterFixedRows_;
    // The copied options reach the bar at once, not only at the next change.
    SearchChanged(this);
    Invalidate();
}

void TKavStringGrid::AssignCells(const TKavStringGrid& Source) {
    HideInplaceEdit();
    // What this grid held goes: its cell properties, shown and hidden, and its hidden rows.
    ClearProps();
    hiddenRows_->Clear();
    visibleCols_ = Source.visibleCols_;
    hiddenWidths_ = Source.hiddenWidths_;
    numHiddenCols_ = Source.numHiddenCols_;
    // The cells come in the source's order of columns: the order it recorded comes too.
    columnOrder_ = Source.columnOrder_;
    const int total = Source.TotalColCount(), shown = GetColCount();
    if (GetStoreColCount() < total) {
        TCustomGrid::SetColCount(total);
        TCustomGrid::SetColCount(shown);
    }
    // Texts and independent copies of the cell properties, hidden columns included; the
    // application's own objects stay with the source.
    for (int r = 0, rows = GetRowCount(); r < rows; ++r)
        for (int c = 0, n = GetStoreColCount(); c < n; ++c) {
            SetCells(c, r, Source.GetCells(c, r));
            const TCellProperties* p = Source.FindCellProperties(c, r);
            SetObjects(c, r, p ? CopyProps(*p, c, r) : nullptr);
        }
    for (int c = 0; c < shown; ++c)
        SetColWidths(c, Source.GetColWidths(c));
    for (int r = 0, rows = GetRowCount(); r < rows; ++r)
        SetRowHeights(r, Source.GetRowHeights(r));
    for (int i = 0; i < Source.hiddenRows_->GetCount(); ++i) {
        const auto* from = static_cast<const TGridItem*>(Source.hiddenRows_->GetItem(i));
        auto* to = static_cast<TGridItem*>(hiddenRows_->Add());
        to->SetIdx(from->GetIdx());
        to->SetHeight(from->GetHeight());
        to->SetReasons(from->GetReasons());
        const TStrings* cells = from->GetItems();
        for (int c = 0; c < cells->GetCount(); ++c) {
            const TCellProperties* p = AsProps(cells->GetObjects(c));
            to->GetItems()->AddObject(cells->GetStrings(c),
                                      p ? CopyProps(*p, c, from->GetIdx()) : nullptr);
        }
    }
    HiddenRowsChanged();
    // The node rows came with the cells; the grouping that made them comes too.
    nodeCount_ = Source.nodeCount_;
    groupColumn_ = Source.groupColumn_;
    groupWidth_ = Source.groupWidth_;
    groupHeader_ = Source.groupHeader_;
    groupFooter_ = Source.groupFooter_;
    subGroupColumn_ = Source.subGroupColumn_;
}

void TKavStringGrid::Invalidate() {
    if (suppressInvalidate_) {
        suppressInvalidate_ = false;
        return;
    }
    TBaseGrid::Invalidate();
}

void TKavStringGrid::Resize() {
    TBaseGrid::Resize();
    const TBackGroundDisplay d = backGround_ ? backGround_->GetDisplay() : bdTile;
    if ((d == bdGradientHorz || d == bdGradientVert) && backGround_->GetColorTo() != clNone)
        Invalidate();
    UpdateScrollBars(false);
}

void TKavStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (integralHeight_ && AHeight > 0) {
        // A whole number of rows of the default height, past the border and the horizontal
        // scroll bar when not every column fits. The grid's lines lie inside its cells: a row
        // takes its height and no more.
        const int border = GetBorderStyle() == bsSingle ? 4 : 0;
        int bar = 0;
        if ((GetScrollBars() == ssHorizontal || GetScrollBars() == ssBoth) &&
            SumColWidths(0, GetColCount()) > AWidth - border)
            bar = GetSystemMetrics(SM_CYHSCROLL);
        const int rowHeight = std::max(1, GetDefaultRowHeight());
        const int rows = std::max(0, (AHeight - border - bar) / rowHeight);
        AHeight = rows * rowHeight + border + bar;
    }
    TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (GetParent() && HandleAllocated()) SendMessage(GetHandle(), WM_NCPAINT, 1, 0);
}

// --- settings with side effects ---

void TKavStringGrid::SetBackGround(TBackGround* Value) {
    backGround_->Assign(Value);
    Invalidate();
}

void TKavStringGrid::SetActiveCellFont(TFont* Value) {
    activeCellFont_->Assign(Value);
    Invalidate();
}

void TKavStringGrid::SetRowIndicator(TBitmap* Value) {
    rowIndicator_->Assign(Value);
    RepaintCell(0, GetRow());
}

void TKavStringGrid::SetActiveCellShow(bool Value) {
    activeCellShow_ = Value;
    Invalidate();
}

void TKavStringGrid::SetActiveCellColor(TColor Value) {
    activeCellColor_ = Value;
    Invalidate();
}

void TKavStringGrid::SetActiveCellColorTo(TColor Value) {
    activeCellColorTo_ = Value;
    Invalidate();
}

void TKavStringGrid::SetXYOffset(TPoint Value) {
    xyOffset_ = Value;
    Invalidate();
}

void TKavStringGrid::SetAutoThemeAdapt(bool Value) {
    autoThemeAdapt_ = Value;
    searchFooter_->SetAutoThemeAdapt(Value);
    if (Value) {
        ThemeAdapt();
        Invalidate();
    }
}

void TKavStringGrid::SetKavGradFrom(TColor Value) {
    kavGradFrom_ = ColorToRGB(Value);
    Invalidate();
}

void TKavStringGrid::SetKavGradTo(TColor Value) {
    kavGradTo_ = ColorToRGB(Value);
    Invalidate();
}

void TKavStringGrid::SetCellChecker(TKavStringGridCheck* Value) {
    SetWatched(this, cellChecker_, Value);
}

void TKavStringGrid::SetGridImages(TCustomImageList* Value) {
    if (SetWatched(this, gridImages_, Value)) Invalidate();
}
