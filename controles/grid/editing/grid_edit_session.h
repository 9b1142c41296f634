#pragma once
// TGridEditSession: the edit of one cell of the advanced grid, owned by the grid. It keeps what
// an edit needs to remember (the editor kind, the text the cell had when the edit began, the
// snapshot validation compares with, the flags of the edit's steps) and is what every editor
// talks to, as a view's editors talk to their item delegate: an editor stores its text, has it
// validated, cancels, or leaves the cell by a key, and the session does it through the grid.

#include "controles/grid/cell_properties.h"
#include "plataforma/base/ansi_string.h"
#include "plataforma/base/wide_string.h"
#include "plataforma/gui/grid/grid_index.h"
#include "plataforma/gui/kernel/controls.h"

#include <functional>

class TKavStringGrid;

class TGridEditSession {
public:
    explicit TGridEditSession(TKavStringGrid& Grid) : grid_(Grid) {}
    TGridEditSession(const TGridEditSession&) = delete;
    TGridEditSession& operator=(const TGridEditSession&) = delete;

    // --- what editors ask of the session ---

    // The current cell's text as the grid holds it now (after a validation, the corrected
    // value), and its wide text.
    AnsiString CurrentText();
    WideString CurrentWideText();
    // The text the validation cell had when its edit began.
    const AnsiString& OpenedText() const { return savedText_; }
    const WideString& OpenedWideText() const { return savedWideText_; }
    // Writes the editor's text into the current cell without validating it.
    void Store(const AnsiString& Text);
    void StoreWide(const WideString& Text);
    // Validates the editor's text (the grid's ValidateCell, ValidateCellWide): true when
    // accepted or unchanged; a refused value is back in the cell.
    bool Validate(const AnsiString& Text);
    bool ValidateWide(const WideString& Text);
    // Store, then validate, as the keys that leave a control editor do.
    bool Commit(const AnsiString& Text);
    bool CommitWide(const WideString& Text);
    // The editor is left: the grid hides it (and writes a control editor's value back).
    void Exit();
    // A key that ended the edit: Tab and the arrows move the grid, Return advances.
    void Leave(WORD Key, TShiftState Shift);
    // Tab with goTabs: the edit ends and the next (previous) editable cell opens.
    void TabOut(bool Backward);
    // A key that leaves a control editor: Escape gives the edit up; every other one commits
    // Text (a refused value keeps the editor open: false); Tab with goTabs goes on to
    // the next cell, the other keys end through Leave. Show puts the cell's text back into
    // the editor (after Escape, a refusal or an accepted, possibly corrected, value).
    bool LeaveBy(WORD Key, TShiftState Shift, const AnsiString& Text,
                 const std::function<void(const AnsiString&)>& Show);
    bool LeaveBy(WORD Key, TShiftState Shift, const WideString& Text,
                 const std::function<void(const WideString&)>& Show);
    // The focus left a control editor (a click on another cell, another control took it):
    // Text is stored and validated as a leaving key does it, unless the edit was given up
    // or is ending already; Show puts the cell's text back into the editor. False when the
    // value was refused (the cell keeps its text).
    bool CommitOnExit(const AnsiString& Text, const std::function<void(const AnsiString&)>& Show);
    bool CommitOnExit(const WideString& Text, const std::function<void(const WideString&)>& Show);
    // Whether Tab leaves an editor (the grid's goTabs).
    bool TabLeaves() const;
    // The text editor's edit is closed after the focus went elsewhere: no validation is owed.
    void Close();
    // The cell text when the edit began goes back into the cell.
    void Cancel();
    // Escape in a control editor: the control's value is not written back when it hides.
    void GiveUp() { givenUp_ = true; }
    bool GivenUp() const { return givenUp_; }

    // --- the grid's own bookkeeping of the edit ---

    // Takes the snapshot that a later validation compares with (display column).
    void Snapshot(int ACol, int ARow);
    TPoint ValidationCell() const { return validationCell_; }
    // The row and the column of the validation cell itself, wherever they stand now.
    TGridRowId ValidationRow() const { return validationRow_; }
    TGridColId ValidationCol() const { return validationCol_; }
    const AnsiString& ValidatedText() const { return validatedText_; }
    void SetValidatedText(const AnsiString& Value) { validatedText_ = Value; }
    // Set while a value is being stored or validated: validation does nothing meanwhile.
    bool Storing() const { return storing_; }
    void SetStoring(bool Value) { storing_ = Value; }
    // Armed when a text editor opened on the cell: validation runs only then, once (the
    // text-editor-shown flag).
    bool Armed() const { return armed_; }
    void SetArmed(bool Value) { armed_ = Value; }

    // The editor kind of the present (or last) edit.
    TEditorType Kind() const { return kind_; }
    void SetKind(TEditorType Value) { kind_ = Value; }
    // The cell (real column, row index) a control editor was opened on and the row itself;
    // (-1, -1) when none is open.
    void OpenOn(int RealCol, int ARow, TGridRowId Row) {
        openedCell_ = TPoint(RealCol, ARow);
        openedRow_ = Row;
        givenUp_ = false;
    }
    TPoint OpenedCell() const { return openedCell_; }
    TGridRowId OpenedRow() const { return openedRow_; }
    // The current cell's text when the edit began (RestoreCache puts it back).
    const AnsiString& CachedText() const { return cachedText_; }
    void SetCachedText(const AnsiString& Value) { cachedText_ = Value; }
    // The row the cached text came from, wherever it stands now.
    TGridRowId CachedRow() const { return cachedRow_; }
    void SetCachedRow(TGridRowId Value) { cachedRow_ = Value; }
    // The character that opened (or fed) the editor, 0 when none.
    char StartChar() const { return startChar_; }
    void SetStartChar(char Value) { startChar_ = Value; }
    // An edit was started and is not yet written back or refused.
    bool Pending() const { return pending_; }
    void SetPending(bool Value) { pending_ = Value; }

    // The flags of an edit's steps (see the grid's CanEditShow, ShowEditControl and
    // HideEditControl): an editor of the cell's kind is active; the edit was asked for; a
    // control editor shows; OnEditingDone is owed; hiding is under way.
    bool ControlActive = false;
    bool Requested = false;
    bool ControlShown = false;
    bool DoneEditingPending = false;
    bool Hiding = false;

private:
    template <class Text>
    bool CommitOnExitText(const Text& Value, const std::function<void(const Text&)>& Show);
    template <class Text>
    bool LeaveByText(WORD Key, TShiftState Shift, const Text& Value,
                     const std::function<void(const Text&)>& Show);

    TKavStringGrid& grid_;
    TPoint validationCell_{-1, -1};
    TGridRowId validationRow_;
    TGridColId validationCol_;
    TPoint openedCell_{-1, -1};
    TGridRowId openedRow_;
    AnsiString savedText_;
    WideString savedWideText_;
    AnsiString validatedText_;
    AnsiString cachedText_;
    TGridRowId cachedRow_;
    TEditorType kind_ = edNormal;
    char startChar_ = 0;
    bool storing_ = false;
    bool armed_ = false;
    bool pending_ = false;
    bool givenUp_ = false;
};
