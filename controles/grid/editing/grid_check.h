#pragma once
// TKavStringGridCheck: a text checker a grid can be given (its CellChecker) to mark or
// correct the words of its cells; TCapitalCheck capitalises the start of each sentence.

#include "plataforma/base/component.h"

class TKavStringGridCheck : public TComponent {
public:
    using TComponent::TComponent;

    // The base checker leaves the text as it is.
    virtual AnsiString MarkError(int ACol, int ARow, const AnsiString& Value);
    virtual AnsiString Correct(int ACol, int ARow, const AnsiString& Value);
    // Called before and after a check run over several cells.
    virtual void StartCheck() {}
    virtual void StopCheck() {}
    // The first occurrence of Old replaced by New.
    static AnsiString ReplaceOnce(const AnsiString& S, const AnsiString& Old,
                                  const AnsiString& New);
    // Every hit of Search in the visible text wrapped in "<Tag>" ... "</Tag>".
    static AnsiString HiLight(const AnsiString& S, const AnsiString& Search, const AnsiString& Tag,
                              bool DoCase);

    bool GetGotoCell() const { return gotoCell_; }
    void SetGotoCell(bool Value) { gotoCell_ = Value; }
    bool GetAutoCorrect() const { return autoCorrect_; }
    void SetAutoCorrect(bool Value) { autoCorrect_ = Value; }
    bool GetAutoMarkError() const { return autoMarkError_; }
    void SetAutoMarkError(bool Value) { autoMarkError_ = Value; }
    bool GetUseCorrect() const { return useCorrect_; }
    void SetUseCorrect(bool Value) { useCorrect_ = Value; }
    bool GetUseMarkError() const { return useMarkError_; }
    void SetUseMarkError(bool Value) { useMarkError_ = Value; }

private:
    bool gotoCell_ = false;
    bool autoCorrect_ = false;
    bool autoMarkError_ = false;
    bool useCorrect_ = false;
    bool useMarkError_ = false;
};

class TCapitalCheck : public TKavStringGridCheck {
public:
    using TKavStringGridCheck::TKavStringGridCheck;
    // The first character and every one after ". ", "! " or "? " in upper case.
    AnsiString Correct(int ACol, int ARow, const AnsiString& Value) override;
};
