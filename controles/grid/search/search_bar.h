#pragma once
// The grid's search bar: TSearchFooter, the options the grid publishes as SearchFooter, and
// TSearchPanel, the panel docked at the bottom of the grid with the search edit, the
// find-next, find-previous, close and highlight buttons and the match-case box. The panel
// only reports what the user does; the grid searches (kav_grid_search_bar.cpp).

#include "plataforma/base/events.h"
#include "plataforma/gui/painting/font.h"
#include "plataforma/gui/widgets/panels.h"

#include <memory>

class TEdit;
class TCheckBox;
class TKavGridButton;

class TSearchFooter : public TPersistent {
public:
    explicit TSearchFooter(TComponent* AOwner);
    ~TSearchFooter() override;
    // From another TSearchFooter: colours, captions, hints, what shows, the column options,
    // Visible and the font; fires nothing. Any other source changes nothing.
    void Assign(TPersistent* Source) override;

    // Every setter stores and fires OnChange; the Show* setters and SetVisible only when the
    // value changes.
    bool GetAutoSearch() const { return autoSearch_; }
    void SetAutoSearch(bool Value) { autoSearch_ = Value; }
    bool GetAutoThemeAdapt() const { return autoThemeAdapt_; }
    void SetAutoThemeAdapt(bool Value);
    TColor GetColor() const { return color_; }
    void SetColor(TColor Value);
    TColor GetColorTo() const { return colorTo_; }
    void SetColorTo(TColor Value);
    TFont* GetFont() const { return font_.get(); }
    void SetFont(TFont* Value);
    const AnsiString& GetFindNextCaption() const { return findNextCaption_; }
    void SetFindNextCaption(const AnsiString& Value);
    const AnsiString& GetFindPrevCaption() const { return findPrevCaption_; }
    void SetFindPrevCaption(const AnsiString& Value);
    const AnsiString& GetHighLightCaption() const { return highLightCaption_; }
    void SetHighLightCaption(const AnsiString& Value);
    const AnsiString& GetMatchCaseCaption() const { return matchCaseCaption_; }
    void SetMatchCaseCaption(const AnsiString& Value);
    const AnsiString& GetHintClose() const { return hintClose_; }
    void SetHintClose(const AnsiString& Value);
    const AnsiString& GetHintFindNext() const { return hintFindNext_; }
    void SetHintFindNext(const AnsiString& Value);
    const AnsiString& GetHintFindPrev() const { return hintFindPrev_; }
    void SetHintFindPrev(const AnsiString& Value);
    const AnsiString& GetHintHighlight() const { return hintHighlight_; }
    void SetHintHighlight(const AnsiString& Value);
    bool GetSearchActiveColumnOnly() const { return searchActiveColumnOnly_; }
    void SetSearchActiveColumnOnly(bool Value) { searchActiveColumnOnly_ = Value; }
    int GetSearchColumn() const { return searchColumn_; }
    void SetSearchColumn(int Value) { searchColumn_ = Value; }
    bool GetShowClose() const { return showClose_; }
    void SetShowClose(bool Value);
    bool GetShowFindNext() const { return showFindNext_; }
    void SetShowFindNext(bool Value);
    bool GetShowFindPrev() const { return showFindPrev_; }
    void SetShowFindPrev(bool Value);
    bool GetShowHighLight() const { return showHighLight_; }
    void SetShowHighLight(bool Value);
    bool GetShowMatchCase() const { return showMatchCase_; }
    void SetShowMatchCase(bool Value);
    bool GetVisible() const { return visible_; }
    void SetVisible(bool Value);
    // The text of the last search made with the bar's buttons.
    const AnsiString& GetLastSearch() const { return lastSearch_; }
    void SetLastSearch(const AnsiString& Value) { lastSearch_ = Value; }

    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    template <class T> void Store(T& Field, const T& Value) {
        Field = Value;
        Changed();
    }
    template <class T> void StoreIfChanged(T& Field, const T& Value) {
        if (Field == Value) return;
        Store(Field, Value);
    }

    TComponent* owner_;
    bool autoSearch_ = true;
    bool autoThemeAdapt_ = false;
    TColor color_ = clWhite;
    TColor colorTo_ = clBtnFace;
    std::unique_ptr<TFont> font_;
    AnsiString findNextCaption_ = "Find next";
    AnsiString findPrevCaption_ = "Find previous";
    AnsiString highLightCaption_ = "Highlight";
    AnsiString matchCaseCaption_ = "Match case";
    AnsiString hintClose_ = "Close";
    AnsiString hintFindNext_ = "Find next occurence";
    AnsiString hintFindPrev_ = "Find previous occurence";
    AnsiString hintHighlight_ = "Highlight occurences";
    bool searchActiveColumnOnly_ = false;
    int searchColumn_ = -1;
    bool showClose_ = true;
    bool showFindNext_ = true;
    bool showFindPrev_ = true;
    bool showHighLight_ = true;
    bool showMatchCase_ = true;
    bool visible_ = false;
    AnsiString lastSearch_;
};

class TSearchPanel : public TCustomPanel {
public:
    explicit TSearchPanel(TComponent* AOwner);
    ~TSearchPanel() override;

    TEdit* GetSearchEdit() const { return edit_; }
    TKavGridButton* GetFindNextButton() const { return findNext_; }
    TKavGridButton* GetFindPrevButton() const { return findPrev_; }
    TKavGridButton* GetCloseButton() const { return close_; }
    TKavGridButton* GetHighlightButton() const { return highlight_; }
    TCheckBox* GetMatchCaseBox() const { return matchCase_; }

    // clNone: the panel is filled in its colour; otherwise a gradient down to this one.
    TColor GetColorTo() const { return colorTo_; }
    void SetColorTo(TColor Value);

    // What the grid copies in from its options; CreateWnd puts them on the controls.
    AnsiString FindNextCaption, FindPrevCaption, MatchCaseCaption, HighlightCaption;
    AnsiString HintFindPrev, HintClose, HintFindNext, HintHighlight;

    // Each button shows its hint copy, and hints only when it is not empty.
    void ApplyHints();

    TNotifyEvent OnEditChange;
    TNotifyEvent OnForwardClick;
    TNotifyEvent OnBackwardClick;
    TNotifyEvent OnExitClick;
    TNotifyEvent OnHighlightClick;

protected:
    void CreateWnd() override;
    void Paint() override;

private:
    void EditChange(TObject* Sender);
    void ForwardClick(TObject* Sender);
    void BackwardClick(TObject* Sender);
    void ExitClick(TObject* Sender);
    void HighlightClick(TObject* Sender);

    TEdit* edit_;
    TKavGridButton* findNext_;
    TKavGridButton* findPrev_;
    TKavGridButton* close_;
    TKavGridButton* highlight_;
    TCheckBox* matchCase_;
    TColor colorTo_ = clNone;
};
