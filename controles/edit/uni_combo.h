#pragma once
// TCustomUNIComboBox: the combo box whose items and text are UTF-16 (WideString), with
// TComboBoxStrings, its wide Items kept in the control. The 8-bit Text and item requests
// see them converted to Windows-1252. A chosen item becomes the text before Click and
// Change; Backspace fires only OnKeyPress; Return or Escape typed while the list is open
// close it and do not reach the edit part. DoEditCharMsg sees every character typed.

#include "controles/edit/wide_strings.h"
#include "plataforma/gui/widgets/combo.h"
#include "plataforma/gui/widgets/wide_text.h"

#include <memory>

class TCustomUNIComboBox;

class TComboBoxStrings : public TWideStrings {
public:
    // The owning combo (not owned).
    TCustomUNIComboBox* ComboBox = nullptr;

    // Empty for an index the combo does not know.
    WideString Get(int Index) const override;
    int GetCount() const override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void SetUpdateState(bool Updating) override;
    // Raise EOutOfResources when the combo does not take the item.
    int Add(const WideString& S) override;
    void Insert(int Index, const WideString& S) override;
    // Keeps the combo's text.
    void Clear() override;
    void Delete(int Index) override;
    int IndexOf(const WideString& S) const override;
};

class TCustomUNIComboBox : public TCustomComboBox, public WideTextWindow {
public:
    explicit TCustomUNIComboBox(TComponent* AOwner);
    ~TCustomUNIComboBox() override;

    TWideStrings* GetItems() const { return items_.get(); }
    void SetItems(TWideStrings* Value) { items_->Assign(Value); }
    WideString GetText() const;
    // Sends CM_TEXTCHANGED only when the text shown changes.
    void SetText(const WideString& Value);
    // Empty for a drop-down list.
    WideString GetSelText() const;
    // Replaces the edit part's selection (csDropDown and csSimple only).
    void SetSelText(const WideString& Value);

    bool IsUnicodeWindow() const override { return true; }
    bool WideWindowExists() const override { return HandleAllocated(); }
    WideString WideWindowText() const override { return GetWideShownText(); }
    void SetWideWindowText(const WideString& Value) override { SetWideShownText(Value); }

protected:
    friend class TComboBoxStrings;

    // Every character typed into the edit part, before the key events see it.
    virtual void DoEditCharMsg(TMessage& Message) { (void)Message; }

    void CreateWindowHandle(const TCreateParams& Params) override;
    void DestroyWnd() override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    void KeyPress(char& Key) override;

private:
    std::unique_ptr<TComboBoxStrings> items_;
};
