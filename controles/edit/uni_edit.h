#pragma once
// The edits whose text is UTF-16 (WideString): any script is shown and typed, while the
// 8-bit Text, WM_GETTEXT and WM_SETTEXT see it converted to Windows-1252 ("?" for what the
// code page lacks). TCustomUNIEdit / TKsgUniEdit, the single line; TKsgUniCustomMemo /
// TKsgUniMemo, the multi-line edit. Key events see a character above U+00FF as code 255,
// and the character still reaches the text unchanged.

#include "plataforma/base/wide_string.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/memo.h"
#include "plataforma/gui/widgets/wide_text.h"

class TCustomUNIEdit : public TCustomEdit, public WideTextWindow {
public:
    explicit TCustomUNIEdit(TComponent* AOwner);

    WideString GetText() const;
    // Sends CM_TEXTCHANGED only when the text shown changes.
    void SetText(const WideString& Value);
    WideString GetSelText() const;
    // Replaces the selection.
    void SetSelText(const WideString& Value);

    bool IsUnicodeWindow() const override { return true; }

    bool WideWindowExists() const override { return Backend() != nullptr; }
    WideString WideWindowText() const override;
    void SetWideWindowText(const WideString& Value) override;

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void DestroyWnd() override;
    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
};

class TKsgUniEdit : public TCustomUNIEdit {
public:
    using TCustomUNIEdit::TCustomUNIEdit;
};

class TKsgUniCustomMemo : public TCustomUNIEdit {
public:
    using TCustomUNIEdit::TCustomUNIEdit;

    TScrollStyle GetScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle Value);
    // True wraps the lines at the window's width (without a horizontal scroll bar).
    bool GetWordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    // Return and Tab asked of the memo (WM_GETDLGCODE) rather than left to the form.
    bool GetWantReturns() const { return wantReturns_; }
    void SetWantReturns(bool Value) { wantReturns_ = Value; }
    bool GetWantTabs() const { return wantTabs_; }
    void SetWantTabs(bool Value) { wantTabs_ = Value; }

protected:
    void CreateParams(TCreateParams& Params) override;
    EditBackend* CreateBackend(QWidget* ParentWidget) override;
    bool IsMultiLine() const override { return true; }
    void Dispatch(TMessage& Message) override;

private:
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = false;
    bool wantTabs_ = false;
};

class TKsgUniMemo : public TKsgUniCustomMemo {
public:
    explicit TKsgUniMemo(TComponent* AOwner);
};
