#pragma once
// TCustomEdit / TEdit: the single-line edit, on a Qt line edit that every key, character
// and clipboard request reaches through the control's messages: a handler of WM_CHAR may
// change or drop a character before it is inserted, Ctrl+V arrives as WM_CHAR 22 and then
// WM_PASTE, the context menu sends WM_CUT, WM_COPY and WM_PASTE, and the middle button and
// drag and drop do not edit. Every change of the text, the program's included, reaches the
// control as the EN_CHANGE notification and fires OnChange.
// TCustomMaskEdit: the edit with an edit mask.

#include "plataforma/base/mask_engine.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/std_messages.h"

#include <memory>

class EditBackend;
struct EditRules;

// A control's border: bsNone or bsSingle.
using TBorderStyle = TFormBorderStyle;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    ~TCustomEdit() override;

    // 0: no limit. Typing and pasting stop at the limit; text set by the program does not.
    int GetMaxLength() const { return maxLength_; }
    void SetMaxLength(int Value);
    bool GetReadOnly() const { return readOnly_; }
    void SetReadOnly(bool Value);
    char GetPasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char Value);
    // Entering by keyboard selects the whole text.
    bool GetAutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool Value) { autoSelect_ = Value; }
    // The height follows the font (a single border only).
    bool GetAutoSize() const { return autoSize_; }
    void SetAutoSize(bool Value);
    TBorderStyle GetBorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle Value);
    bool GetCtl3D() const { return ctl3D_; }
    void SetCtl3D(bool Value);
    TEditCharCase GetCharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase Value);
    bool GetHideSelection() const { return hideSelection_; }
    void SetHideSelection(bool Value);
    bool GetOEMConvert() const { return oemConvert_; }
    void SetOEMConvert(bool Value) { oemConvert_ = Value; }

    bool GetModified() const;
    void SetModified(bool Value);
    bool GetCanUndo() const;
    int GetSelStart() const;
    void SetSelStart(int Value);
    int GetSelLength() const;
    void SetSelLength(int Value);
    AnsiString GetSelText() const;
    // Replaces the selection.
    void SetSelText(const AnsiString& Value);
    int GetSelTextBuf(char* Buffer, int BufSize) const;
    void SetSelTextBuf(const char* Buffer) { SetSelText(AnsiString(Buffer)); }

    void SelectAll();
    void ClearSelection() { Perform(WM_CLEAR, 0, 0); }
    void CopyToClipboard() { Perform(WM_COPY, 0, 0); }
    void CutToClipboard() { Perform(WM_CUT, 0, 0); }
    void PasteFromClipboard() { Perform(WM_PASTE, 0, 0); }
    void Undo() { Perform(WM_UNDO, 0, 0); }
    void ClearUndo() { Perform(EM_EMPTYUNDOBUFFER, 0, 0); }
    void Clear() { SetText(""); }

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWindowHandle(const TCreateParams& Params) override;
    void DestroyWnd() override;
    void ApplyWidgetState() override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void DoEnter() override;
    virtual void Change();
    // The Qt widget of this kind of edit.
    virtual EditBackend* CreateBackend(QWidget* ParentWidget);
    virtual bool IsMultiLine() const { return false; }

    void CNCommand(TWMCommand& Message);
    void CMColorChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);

    EditBackend* Backend() const { return backend_.get(); }
    // Makes the window when it can (the parents have windows or can make them).
    bool EnsureBackend() const;

private:
    void UpdateHeight();
    void ApplyPalette();
    void ApplyCharCase(AnsiString& Text) const;
    // The requests of the window system's edit; false for other messages.
    bool EditRequest(TMessage& Message);
    EditRules Rules() const;

    std::unique_ptr<EditBackend> backend_;
    int maxLength_ = 0;
    bool readOnly_ = false;
    char passwordChar_ = 0;
    bool autoSelect_ = true;
    bool autoSize_ = true;
    TBorderStyle borderStyle_ = bsSingle;
    bool ctl3D_ = true;
    TEditCharCase charCase_ = ecNormal;
    bool hideSelection_ = true;
    bool oemConvert_ = false;
    TRect formatRect_;      // set by EM_SETRECT; empty: the default
    bool creating_ = false; // no EN_CHANGE while the window is made
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};

// Raised by a masked edit whose text leaves a required position of its mask unfilled.
class EDBEditError : public Exception {
public:
    using Exception::Exception;
};

// The edit driven by an edit mask (TMaskEngine gives the mask language): typing overwrites
// the next input position, Backspace, Delete, cut, clear and paste go through the mask, and
// leaving a modified edit with a required position unfilled raises EDBEditError. Escape
// gives back the text of focus entry. Without a mask it is a plain edit.
class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* AOwner);
    ~TCustomMaskEdit() override;

    const AnsiString& GetEditMask() const { return engine_->GetMask(); }
    // The text is kept through the change of mask.
    void SetEditMask(const AnsiString& Value);
    bool IsMasked() const { return engine_->IsMasked(); }
    // With a mask: literals kept or dropped by the mask's second field, unfilled positions
    // as spaces. Without one: the window text.
    AnsiString GetText() const;
    void SetText(const AnsiString& Value);
    // The text as shown, literals and blanks of the mask included.
    AnsiString GetEditText() const;
    void SetEditText(const AnsiString& Value);
    // Raises EDBEditError, caret on the first unfilled required position, when the edit is
    // masked and modified and its text does not complete the mask.
    virtual void ValidateEdit();
    // Masked, and every input position of the mask holds a character.
    bool IsMaskFilled() const;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoEnter() override;
    void DoExit() override;
    void DefaultHandler(TMessage& Message) override;

private:
    // The engine holds the window's text again (a program or an undo may have set it).
    void Sync() const;
    // Shows the engine's text and the selection [SelStart, SelEnd), as typed by the user.
    void ShowMasked(int SelStart, int SelEnd);
    bool Designing() const { return GetComponentState().Contains(csDesigning); }

    std::unique_ptr<TMaskEngine> engine_;
    AnsiString entryText_; // EditText at focus entry, for Escape
};

class TMaskEdit : public TCustomMaskEdit {
public:
    using TCustomMaskEdit::TCustomMaskEdit;
};
