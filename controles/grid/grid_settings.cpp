#include "controles/grid/grid_settings.h"

#include "controles/grid/kav_grid.h"

#include <algorithm>

// --- TSortSettings ---

TSortSettings::TSortSettings(TKavStringGrid* AOwner)
    : grid_(AOwner), up_(std::make_unique<TBitmap>()), down_(std::make_unique<TBitmap>()),
      indexUp_(std::make_unique<TBitmap>()), indexDown_(std::make_unique<TBitmap>()) {}

TSortSettings::~TSortSettings() = default;

void TSortSettings::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TSortSettings*>(Source);
    if (!s) return;
    TSORTSETTINGS_FIELDS(GRID_COPY)
    show_ = s->show_;
    row_ = s->row_;
    up_->Assign(s->up_.get());
    down_->Assign(s->down_.get());
    indexUp_->Assign(s->indexUp_.get());
    indexDown_->Assign(s->indexDown_.get());
}

void TSortSettings::SetShow(bool Value) {
    if (show_ == Value) return;
    show_ = Value;
    if (grid_) grid_->Invalidate();
}

void TSortSettings::SetRow(int Value) {
    if (grid_ && Value >= grid_->GetFixedRows())
        throw Exception("Sort row should be smaller than number of fixed rows");
    row_ = Value;
}

// --- TControlLook ---

TControlLook::TControlLook(TKavStringGrid* AOwner)
    : grid_(AOwner), checked_(std::make_unique<TBitmap>()), unChecked_(std::make_unique<TBitmap>()),
      radioOn_(std::make_unique<TBitmap>()), radioOff_(std::make_unique<TBitmap>()) {}

TControlLook::~TControlLook() = default;

void TControlLook::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TControlLook*>(Source);
    if (!s) return;
    checkSize_ = s->checkSize_;
    radioSize_ = s->radioSize_;
    controlStyle_ = s->controlStyle_;
    checked_->Assign(s->checked_.get());
    unChecked_->Assign(s->unChecked_.get());
    radioOn_->Assign(s->radioOn_.get());
    radioOff_->Assign(s->radioOff_.get());
    progressMarginX_ = s->progressMarginX_;
    progressMarginY_ = s->progressMarginY_;
    commentColor_ = s->commentColor_;
    color_ = s->color_;
    TCONTROLLOOK_FIELDS(GRID_COPY)
}

void TControlLook::Repaint() {
    if (grid_) grid_->Invalidate();
}

void TControlLook::Glyph(TBitmap& Own, TBitmap* Value) {
    Own.Assign(Value);
    Repaint();
}

void TControlLook::SetFixedGradientFrom(TColor Value) {
    fixedGradientFrom_ = Value;
    if (Value != clNone && grid_) grid_->SetKavGradFrom(Value);
}

void TControlLook::SetFixedGradientTo(TColor Value) {
    fixedGradientTo_ = Value;
    if (Value != clNone && grid_) grid_->SetKavGradTo(Value);
}

// --- TBackGround ---

TBackGround::TBackGround(TKavStringGrid* AOwner)
    : grid_(AOwner), bitmap_(std::make_unique<TBitmap>()) {}

TBackGround::~TBackGround() = default;

void TBackGround::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TBackGround*>(Source);
    if (!s) return;
    top_ = s->top_;
    left_ = s->left_;
    display_ = s->display_;
    bitmap_->Assign(s->bitmap_.get());
    cells_ = s->cells_;
    color_ = s->color_;
    colorTo_ = s->colorTo_;
}

void TBackGround::Repaint() {
    if (grid_) grid_->Invalidate();
}

void TBackGround::SetTop(int Value) {
    top_ = Value;
    Repaint();
}
void TBackGround::SetLeft(int Value) {
    left_ = Value;
    Repaint();
}
void TBackGround::SetDisplay(TBackGroundDisplay Value) {
    display_ = Value;
    Repaint();
}
void TBackGround::SetBitmap(TBitmap* Value) {
    bitmap_->Assign(Value);
    Repaint();
}
void TBackGround::SetCells(TBackGroundCells Value) {
    cells_ = Value;
    Repaint();
}
void TBackGround::SetColor(TColor Value) {
    color_ = Value;
    Repaint();
}
void TBackGround::SetColorTo(TColor Value) {
    colorTo_ = Value;
    Repaint();
}

// --- TBands ---

void TBands::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TBands*>(Source);
    if (!s) return;
    active_ = s->active_;
    primaryColor_ = s->primaryColor_;
    primaryLength_ = s->primaryLength_;
    secondaryColor_ = s->secondaryColor_;
    secondaryLength_ = s->secondaryLength_;
    print_ = s->print_;
}

void TBands::RepaintIfActive() {
    if (active_ && grid_) grid_->Invalidate();
}

void TBands::SetActive(bool Value) {
    active_ = Value;
    if (grid_) grid_->Invalidate();
}

void TBands::SetPrimaryColor(TColor Value) {
    primaryColor_ = Value;
    RepaintIfActive();
}

void TBands::SetSecondaryColor(TColor Value) {
    secondaryColor_ = Value;
    RepaintIfActive();
}

void TBands::SetPrimaryLength(int Value) {
    primaryLength_ = Value;
    period_ = primaryLength_ + secondaryLength_;
    RepaintIfActive();
}

void TBands::SetSecondaryLength(int Value) {
    secondaryLength_ = Value;
    period_ = primaryLength_ + secondaryLength_;
    RepaintIfActive();
}

// --- TGrouping, TBalloonSettings, TShowModified, drag scrolling ---

void TGrouping::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TGrouping*>(Source);
    if (!s) return;
    TGROUPING_FIELDS(GRID_COPY)
}

void TBalloonSettings::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TBalloonSettings*>(Source);
    if (!s) return;
    TBALLOONSETTINGS_FIELDS(GRID_COPY)
    enable_ = s->enable_;
}

void TBalloonSettings::SetEnable(bool Value) {
    enable_ = Value;
    if (OnEnableChange) OnEnableChange(this);
}

void TShowModified::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TShowModified*>(Source);
    if (!s) return;
    color_ = s->color_;
    fEnabled = s->fEnabled;
}

void TShowModified::SetColor(TColor Value) {
    color_ = Value;
    if (OnChange) OnChange(this);
}

void TDragScrollDelays::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TDragScrollDelays*>(Source);
    if (!s) return;
    TDRAGSCROLLDELAYS_FIELDS(GRID_COPY)
}

void TDragScrollMargins::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TDragScrollMargins*>(Source);
    if (!s) return;
    TDRAGSCROLLMARGINS_FIELDS(GRID_COPY)
}

void TDragScrollOptions::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TDragScrollOptions*>(Source);
    if (!s) return;
    margins_.Assign(&s->margins_);
    delays_.Assign(&s->delays_);
    fActive = s->fActive;
}

// --- filter ---

void TFilterData::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TFilterData*>(Source);
    if (!s) return;
    TFILTERDATA_FIELDS(GRID_COPY)
}

TFilter::TFilter(TKavStringGrid* AOwner)
    : TCollection([](TCollection* c) { return new TFilterData(c); }), grid_(AOwner) {}

TPersistent* TFilter::GetOwner() const {
    return grid_;
}

TFilterData* TFilter::GetColFilter(int Col) {
    for (int i = 0; i < GetCount(); ++i)
        if (GetItems(i)->GetColumn() == Col) return GetItems(i);
    TFilterData* f = Add();
    f->SetColumn(static_cast<int16_t>(Col));
    return f;
}

// --- hidden-row item ---

TGridItem::TGridItem(TCollection* Collection) : TCollectionItem(Collection) {}

TGridItem::~TGridItem() = default;

TStrings* TGridItem::GetItems() const {
    if (!items_) items_ = std::make_unique<TStringList>();
    if (parkedCols_ >= 0) {
        const size_t cols = static_cast<size_t>(parkedCols_);
        parkedCols_ = -1;
        const TGridStore::RowPtr cells = std::move(parked_);
        for (size_t c = 0; c < cols; ++c) {
            if (cells && cells->Holds(c))
                items_->AddObject((*cells)[c].Text, (*cells)[c].Object);
            else
                items_->AddObject(AnsiString(), nullptr);
        }
    }
    return items_.get();
}

void TGridItem::SetItems(TStrings* Value) {
    parkedCols_ = -1;
    parked_.reset();
    GetItems()->Assign(*Value);
}

void TGridItem::ParkRow(TGridStore::RowPtr Cells, int Cols) {
    if (items_) items_->Clear();
    parked_ = std::move(Cells);
    parkedCols_ = std::max(0, Cols);
}

bool TGridItem::TakeParkedRow(TGridStore::RowPtr& Cells) {
    if (parkedCols_ < 0) return false;
    parkedCols_ = -1;
    Cells = std::move(parked_);
    return true;
}
