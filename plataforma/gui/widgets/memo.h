#pragma once
// TCustomMemo / TMemo: the multi-line edit. Its text keeps CR LF line breaks, which count
// as two characters in every position; Lines reads and edits it line by line (a line is the
// text between two breaks: word-wrapped lines are not split).

#include "plataforma/base/string_list.h"
#include "plataforma/gui/widgets/edit.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    TStrings* GetLines() const { return lines_.get(); }
    void SetLines(TStrings* Value) { lines_->Assign(*Value); }
    bool GetWordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    TScrollStyle GetScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle Value);
    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    // Return types a line break (otherwise it goes to the form's default button).
    bool GetWantReturns() const { return wantReturns_; }
    void SetWantReturns(bool Value) { wantReturns_ = Value; }
    // Tab types a tab (otherwise it moves the focus).
    bool GetWantTabs() const { return wantTabs_; }
    void SetWantTabs(bool Value) { wantTabs_ = Value; }

    // Replaces the characters [Start, End) of the text, through the edit requests when the
    // window exists.
    void ReplaceRange(int Start, int End, const AnsiString& Text);

protected:
    void CreateParams(TCreateParams& Params) override;
    EditBackend* CreateBackend(QWidget* ParentWidget) override;
    bool IsMultiLine() const override { return true; }
    void DefaultHandler(TMessage& Message) override;
    void KeyPress(char& Key) override;

private:
    std::unique_ptr<TStrings> lines_;
    bool wordWrap_ = true;
    TScrollStyle scrollBars_ = ssNone;
    TAlignment alignment_ = taLeftJustify;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
};

// WS_HSCROLL and WS_VSCROLL of a memo's scroll bars.
DWORD MemoScrollStyle(TScrollStyle ScrollBars);
// A memo's answer to WM_GETDLGCODE, made from the edit's: Tab asked only with WantTabs,
// Return and the other dialog keys not asked without WantReturns.
void MemoDialogCode(TMessage& Message, bool WantTabs, bool WantReturns);

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
};
