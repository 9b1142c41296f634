// TKavStringGrid: the search bar's handlers and the options put on its panel.

#include "controles/grid/button/grid_button.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/widgets/check_radio.h"
#include "plataforma/gui/widgets/edit.h"

void TKavStringGrid::SearchEditChange(TObject*) {
    if (!searchFooter_->GetAutoSearch()) return;
    TSearchPanel* p = searchPanel_;
    TFindParameters params{fnAutoGoto};
    // The highlight marks the text with tags inside the cells: they must not stop a match.
    if (p->GetHighlightButton()->GetDown()) params << fnIgnoreHTMLTags;
    if (p->GetMatchCaseBox()->GetChecked()) params << fnMatchCase;
    if (searchFooter_->GetSearchActiveColumnOnly()) params << fnFindInCurrentCol;
    const int column = searchFooter_->GetSearchColumn();
    if (column >= 0 && column < GetColCount()) {
        presetSearchCol_ = column;
        params << fnFindInPresetCol;
    }
    const AnsiString text = p->GetSearchEdit()->GetText();
    if (text.IsEmpty()) {
        p->GetSearchEdit()->SetColor(clWindow);
        UnHilightInGrid(false);
        KeepRowAboveSearchBar();
        return;
    }
    lastFound_ = Find(TPoint(-1, -1), text, params);
    if (lastFound_ == TPoint(-1, -1)) {
        p->GetSearchEdit()->SetColor(clRed);
        UnHilightInGrid(false);
    } else {
        p->GetSearchEdit()->SetColor(clWindow);
        ScrollInView(lastFound_.x, lastFound_.y);
        UnHilightInGrid(false);
        if (p->GetHighlightButton()->GetDown()) HilightInGrid(false, false, text);
    }
    KeepRowAboveSearchBar();
}

void TKavStringGrid::SearchForward(TObject*) {
    SearchBarFind(lastFound_, {fnAutoGoto});
}

void TKavStringGrid::SearchBackward(TObject*) {
    SearchBarFind(lastFound_, {fnAutoGoto, fnBackward});
}

void TKavStringGrid::SearchBarFind(TPoint From, TFindParameters Params) {
    const AnsiString text = searchPanel_->GetSearchEdit()->GetText();
    if (!searchFooter_->GetAutoSearch()) {
        // A new text starts again from the top.
        if (text != searchFooter_->GetLastSearch()) From = TPoint(-1, -1);
        searchFooter_->SetLastSearch(text);
    }
    lastFound_ = Find(From, text, Params);
    KeepRowAboveSearchBar();
}

void TKavStringGrid::KeepRowAboveSearchBar() {
    // The bar covers the bottom of the grid: a current row under it is brought up.
    if (GetRow() > GetVisibleRowCount() + GetTopRow() - 2 &&
        GetVisibleRowCount() + GetFixedRows() < GetRowCount())
        SetTopRow(GetTopRow() + 2);
}

void TKavStringGrid::SearchExit(TObject*) {
    searchFooter_->SetVisible(false);
}

void TKavStringGrid::SearchHighLight(TObject*) {
    if (searchPanel_->GetHighlightButton()->GetDown())
        HilightInGrid(false, false, searchPanel_->GetSearchEdit()->GetText());
    else
        UnHilightInGrid(false);
}

void TKavStringGrid::SearchChanged(TObject*) {
    TSearchPanel* p = searchPanel_;
    const TSearchFooter* f = searchFooter_.get();
    p->SetColor(f->GetColor());
    p->SetColorTo(f->GetColorTo());
    p->SetVisible(f->GetVisible());

    p->FindNextCaption = f->GetFindNextCaption();
    p->FindPrevCaption = f->GetFindPrevCaption();
    p->MatchCaseCaption = f->GetMatchCaseCaption();
    p->HighlightCaption = f->GetHighLightCaption();
    p->HintClose = f->GetHintClose();
    p->HintFindNext = f->GetHintFindNext();
    p->HintFindPrev = f->GetHintFindPrev();
    p->HintHighlight = f->GetHintHighlight();
    TKavGridButton* next = p->GetFindNextButton();
    TKavGridButton* prev = p->GetFindPrevButton();
    TKavGridButton* highlight = p->GetHighlightButton();
    TKavGridButton* close = p->GetCloseButton();
    TCheckBox* matchCase = p->GetMatchCaseBox();
    next->SetCaption(p->FindNextCaption);
    prev->SetCaption(p->FindPrevCaption);
    matchCase->SetCaption(p->MatchCaseCaption);
    highlight->SetCaption(p->HighlightCaption);
    p->SetFont(f->GetFont());

    for (TKavGridButton* b : {next, prev, highlight}) {
        switch (controlLook_->GetControlStyle()) {
        case csFlat:
            b->SetFlat(true);
            break;
        case csWinXP:
            if (!autoThemeAdapt_) {
                b->SetAutoXPStyle(true);
                b->SetFlat(false);
            }
            break;
        case csClassic:
            b->SetAutoXPStyle(false);
            b->SetFlat(false);
            break;
        default:
            break;
        }
        if (autoThemeAdapt_) {
            b->SetAutoThemeAdapt(true);
            b->SetFlat(true);
        }
    }

    highlight->SetVisible(f->GetShowHighLight());
    close->SetVisible(f->GetShowClose());
    matchCase->SetVisible(f->GetShowMatchCase());
    prev->SetVisible(f->GetShowFindPrev());
    next->SetVisible(f->GetShowFindNext());

    p->ApplyHints();

    matchCase->SetLeft(highlight->GetVisible() ? 425 : 330);
    for (TKavGridButton* b : {next, prev, highlight})
        b->SetHeight(b->GetVisible() ? 23 : 0);
    matchCase->SetHeight(matchCase->GetVisible() ? 17 : 0);
    p->SetHeight(f->GetVisible() ? 32 : 0);
}
