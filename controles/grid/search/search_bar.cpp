// The search bar's options object and its panel with the six controls.

#include "controles/grid/search/search_bar.h"

#include "controles/comun/drawing_utils.h"
#include "controles/grid/button/grid_button.h"
#include "plataforma/gui/images/bitmap_resources.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/widgets/check_radio.h"
#include "plataforma/gui/widgets/edit.h"

namespace {

// The bar's glyphs, ten rows each, drawn on a transparent colour (the bottom-left pixel's):
// the arrow of the next and previous buttons, the close cross and the highlighter.
using GlyphRows = const char* const[10];
GlyphRows kArrowDown = {"           ", "    ###    ", "    ###    ", "    ###    ", " ######### ",
                        "  #######  ", "   #####   ", "    ###    ", "     #     ", "           "};
GlyphRows kCross = {"          ", " ##    ## ", "  ##  ##  ", "   ####   ", "    ##    ",
                    "   ####   ", "  ##  ##  ", " ##    ## ", "          ", "          "};
GlyphRows kMarker = {"       ###  ", "      ##### ", "     ###### ", "    ######  ",
                     "   ######   ", "  ######    ", "  #####     ", " ##  #      ",
                     " ####       ", "            "};

void PaintGlyph(TBitmap* Bitmap, GlyphRows& Rows, TColor Ink, bool Flip = false) {
    const char* r[10];
    for (int i = 0; i < 10; ++i)
        r[i] = Rows[Flip ? 9 - i : i];
    PaintBitmapRows(Bitmap, {r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], r[8], r[9]},
                    {{' ', clOlive}, {'#', Ink}});
}

void RegisterSearchGlyphs() {
    static const bool registered = [] {
        RegisterBitmapResource("KSGARDOWN", [](TBitmap* b) { PaintGlyph(b, kArrowDown, clNavy); });
        RegisterBitmapResource("KSGARDOWND", [](TBitmap* b) { PaintGlyph(b, kArrowDown, clGray); });
        RegisterBitmapResource("KSGARUP",
                               [](TBitmap* b) { PaintGlyph(b, kArrowDown, clNavy, true); });
        RegisterBitmapResource("KSGARUPD",
                               [](TBitmap* b) { PaintGlyph(b, kArrowDown, clGray, true); });
        RegisterBitmapResource("KSGCLOSE", [](TBitmap* b) { PaintGlyph(b, kCross, clGray); });
        RegisterBitmapResource("KSGCLOSEH", [](TBitmap* b) { PaintGlyph(b, kCross, clRed); });
        RegisterBitmapResource("KSGCLOSED", [](TBitmap* b) { PaintGlyph(b, kCross, clMaroon); });
        RegisterBitmapResource("KSGHI", [](TBitmap* b) { PaintGlyph(b, kMarker, clPurple); });
        RegisterBitmapResource("KSGHID", [](TBitmap* b) { PaintGlyph(b, kMarker, clGray); });
        return true;
    }();
    (void)registered;
}

// The button's glyph (through SetGlyph, which derives its shade) and its disabled glyph.
void LoadGlyphs(TKavGridButton* Button, const char* Name, const char* Disabled) {
    TBitmap b;
    b.LoadFromResourceName(HInstance, Name);
    Button->SetGlyph(&b);
    if (!Disabled) return;
    b.LoadFromResourceName(HInstance, Disabled);
    Button->SetGlyphDisabled(&b);
}

} // namespace

// --- TSearchFooter ---

TSearchFooter::TSearchFooter(TComponent* AOwner)
    : owner_(AOwner), font_(std::make_unique<TFont>()) {}

TSearchFooter::~TSearchFooter() = default;

void TSearchFooter::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TSearchFooter*>(Source);
    if (!s) return;
    color_ = s->color_;
    colorTo_ = s->colorTo_;
    findNextCaption_ = s->findNextCaption_;
    findPrevCaption_ = s->findPrevCaption_;
    highLightCaption_ = s->highLightCaption_;
    matchCaseCaption_ = s->matchCaseCaption_;
    hintClose_ = s->hintClose_;
    hintFindNext_ = s->hintFindNext_;
    hintFindPrev_ = s->hintFindPrev_;
    hintHighlight_ = s->hintHighlight_;
    showClose_ = s->showClose_;
    showFindNext_ = s->showFindNext_;
    showFindPrev_ = s->showFindPrev_;
    showHighLight_ = s->showHighLight_;
    showMatchCase_ = s->showMatchCase_;
    searchActiveColumnOnly_ = s->searchActiveColumnOnly_;
    searchColumn_ = s->searchColumn_;
    visible_ = s->visible_;
    font_->Assign(s->font_.get());
}

void TSearchFooter::Changed() {
    if (OnChange) OnChange(this);
}

void TSearchFooter::SetAutoThemeAdapt(bool Value) {
    Store(autoThemeAdapt_, Value);
}
void TSearchFooter::SetColor(TColor Value) {
    Store(color_, Value);
}
void TSearchFooter::SetColorTo(TColor Value) {
    Store(colorTo_, Value);
}

void TSearchFooter::SetFont(TFont* Value) {
    font_->Assign(Value);
    Changed();
}

void TSearchFooter::SetFindNextCaption(const AnsiString& Value) {
    Store(findNextCaption_, Value);
}
void TSearchFooter::SetFindPrevCaption(const AnsiString& Value) {
    Store(findPrevCaption_, Value);
}
void TSearchFooter::SetHighLightCaption(const AnsiString& Value) {
    Store(highLightCaption_, Value);
}
void TSearchFooter::SetMatchCaseCaption(const AnsiString& Value) {
    Store(matchCaseCaption_, Value);
}
void TSearchFooter::SetHintClose(const AnsiString& Value) {
    Store(hintClose_, Value);
}
void TSearchFooter::SetHintFindNext(const AnsiString& Value) {
    Store(hintFindNext_, Value);
}
void TSearchFooter::SetHintFindPrev(const AnsiString& Value) {
    Store(hintFindPrev_, Value);
}
void TSearchFooter::SetHintHighlight(const AnsiString& Value) {
    Store(hintHighlight_, Value);
}
void TSearchFooter::SetShowClose(bool Value) {
    Store(showClose_, Value);
}
void TSearchFooter::SetShowFindNext(bool Value) {
    StoreIfChanged(showFindNext_, Value);
}
void TSearchFooter::SetShowFindPrev(bool Value) {
    StoreIfChanged(showFindPrev_, Value);
}
void TSearchFooter::SetShowHighLight(bool Value) {
    StoreIfChanged(showHighLight_, Value);
}
void TSearchFooter::SetShowMatchCase(bool Value) {
    StoreIfChanged(showMatchCase_, Value);
}
void TSearchFooter::SetVisible(bool Value) {
    StoreIfChanged(visible_, Value);
}

// --- TSearchPanel ---

TSearchPanel::TSearchPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
    RegisterSearchGlyphs();
    edit_ = new TEdit(this);
    edit_->SetParent(this);
    findNext_ = new TKavGridButton(this);
    findNext_->SetParent(this);
    findPrev_ = new TKavGridButton(this);
    findPrev_->SetParent(this);
    close_ = new TKavGridButton(this);
    close_->SetParent(this);
    highlight_ = new TKavGridButton(this);
    highlight_->SetParent(this);
    matchCase_ = new TCheckBox(this);
    matchCase_->SetParent(this);
    SetBevelOuter(bvNone);
    SetCaption("");
    edit_->OnChange = [this](TObject* Sender) { EditChange(Sender); };
    findNext_->OnClick = [this](TObject* Sender) { ForwardClick(Sender); };
    findPrev_->OnClick = [this](TObject* Sender) { BackwardClick(Sender); };
    close_->OnClick = [this](TObject* Sender) { ExitClick(Sender); };
    highlight_->OnClick = [this](TObject* Sender) { HighlightClick(Sender); };
}

TSearchPanel::~TSearchPanel() = default;

void TSearchPanel::CreateWnd() {
    TCustomPanel::CreateWnd();
    edit_->SetBounds(25, 6, 110, edit_->GetHeight());
    edit_->SetEnabled(true);

    findNext_->SetBounds(140, 5, 90, 23);
    findNext_->SetCaption(FindNextCaption);
    LoadGlyphs(findNext_, "KSGARDOWN", "KSGARDOWND");
    findNext_->SetEnabled(!edit_->GetText().IsEmpty());
    findNext_->SetParentFont(true);

    findPrev_->SetBounds(235, 5, 90, 23);
    findPrev_->SetCaption(FindPrevCaption);
    LoadGlyphs(findPrev_, "KSGARUP", "KSGARUPD");
    findPrev_->SetEnabled(!edit_->GetText().IsEmpty());
    findPrev_->SetParentFont(true);

    close_->SetBounds(5, 7, 14, 14);
    close_->SetCaption("");
    LoadGlyphs(close_, "KSGCLOSE", nullptr);
    TBitmap b;
    b.LoadFromResourceName(HInstance, "KSGCLOSEH");
    close_->SetGlyphHot(&b);
    b.LoadFromResourceName(HInstance, "KSGCLOSED");
    close_->SetGlyphDown(&b);
    close_->SetParentFont(true);

    highlight_->SetBounds(330, 5, 90, 23);
    highlight_->SetCaption(HighlightCaption);
    LoadGlyphs(highlight_, "KSGHI", "KSGHID");
    highlight_->SetEnabled(!edit_->GetText().IsEmpty());
    highlight_->SetStyle(tasCheck);
    highlight_->SetParentFont(true);
    highlight_->GetFont()->SetStyle(TFontStyles());

    ApplyHints();
    matchCase_->SetLeft(highlight_->GetVisible() ? 425 : 330);
    matchCase_->SetTop(8);
    matchCase_->SetCaption(MatchCaseCaption);
}

void TSearchPanel::ApplyHints() {
    const std::pair<TKavGridButton*, AnsiString> hints[] = {{close_, HintClose},
                                                            {findNext_, HintFindNext},
                                                            {findPrev_, HintFindPrev},
                                                            {highlight_, HintHighlight}};
    for (const auto& [button, hint] : hints) {
        button->SetHint(hint);
        button->SetShowHint(!hint.IsEmpty());
    }
}

void TSearchPanel::Paint() {
    TCustomPanel::Paint();
    TCanvas* c = GetCanvas();
    c->GetBrush()->SetColor(GetColor());
    c->GetPen()->SetColor(GetColor());
    const TRect r = GetClientRect();
    if (colorTo_ == clNone)
        c->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
    else
        DrawGradient(c, GetColor(), colorTo_, 32, r, false);
}

void TSearchPanel::SetColorTo(TColor Value) {
    colorTo_ = Value;
    Invalidate();
}

void TSearchPanel::EditChange(TObject*) {
    const bool any = !edit_->GetText().IsEmpty();
    findNext_->SetEnabled(any);
    findPrev_->SetEnabled(any);
    highlight_->SetEnabled(any);
    if (OnEditChange) OnEditChange(this);
}

void TSearchPanel::ForwardClick(TObject*) {
    if (OnForwardClick) OnForwardClick(this);
}

void TSearchPanel::BackwardClick(TObject*) {
    if (OnBackwardClick) OnBackwardClick(this);
}

void TSearchPanel::ExitClick(TObject*) {
    if (OnExitClick) OnExitClick(this);
}

void TSearchPanel::HighlightClick(TObject*) {
    if (OnHighlightClick) OnHighlightClick(this);
}
