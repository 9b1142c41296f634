#pragma once
// TEditLink: how a program plugs a control of its own in as the editor of the grid's custom
// cells (edCustom). A descendant makes the control (CreateEditor), gives and takes its value
// (SetEditorValue, GetEditorValue) and sends its key-downs to EditKeyDown; the link places
// it on the cell (esInplace) or on a borderless popup form named "gridform" (esPopup), and
// while it edits the grid sees its messages first (SubclassProc).

#include "plataforma/base/component.h"
#include "plataforma/gui/kernel/controls.h"

class TKavStringGrid;
class TForm;
class TFont;

enum TEditStyle { esInplace, esPopup };

class TEditLink : public TComponent {
public:
    explicit TEditLink(TComponent* AOwner);
    ~TEditLink() override;

    TEditStyle GetEditStyle() const { return editStyle_; }
    void SetEditStyle(TEditStyle Value) { editStyle_ = Value; }
    int GetPopupWidth() const { return popupWidth_; }
    void SetPopupWidth(int Value) { popupWidth_ = Value; }
    int GetPopupHeight() const { return popupHeight_; }
    void SetPopupHeight(int Value) { popupHeight_ = Value; }
    // The popup's place on the screen; -1, -1: at the cell.
    int GetPopupLeft() const { return popupLeft_; }
    void SetPopupLeft(int Value) { popupLeft_ = Value; }
    int GetPopupTop() const { return popupTop_; }
    void SetPopupTop(int Value) { popupTop_ = Value; }
    bool GetAutoPopupWidth() const { return autoPopupWidth_; }
    void SetAutoPopupWidth(bool Value) { autoPopupWidth_ = Value; }
    // Keys the editor keeps instead of leaving the cell.
    bool WantKeyLeftRight = false;
    bool WantKeyUpDown = false;
    bool WantKeyHomeEnd = false;
    bool WantKeyPriorNext = false;
    bool WantKeyReturn = false;
    bool WantKeyEscape = false;
    int Tag = 0;

    TKavStringGrid* GetGrid() const { return grid_; }
    void SetGrid(TKavStringGrid* Value) { grid_ = Value; }
    // The cell edited (real column, row).
    void SetEditCell(int ACol, int ARow) {
        editCol_ = ACol;
        editRow_ = ARow;
    }
    int GetEditCol() const { return editCol_; }
    int GetEditRow() const { return editRow_; }
    TForm* GetPopupForm() const { return popup_; }

    // A key-down of the edit control: the leaving keys (Tab, Return, Escape, Page Up, Page
    // Down, End and the arrows; never Home) end the edit unless a WantKey keeps them.
    virtual void EditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    virtual TWinControl* GetEditControl() { return nullptr; }
    virtual void CreateEditor(TWinControl* /*AParent*/) {}
    virtual void DestroyEditor() {}
    virtual void SetFocus(bool Value);
    virtual void SetRect(const TRect& R);
    virtual void SetVisible(bool Value);
    virtual void SetProperties() {}
    virtual void SetCellProps(TColor /*AColor*/, TFont* /*AFont*/) {}
    virtual AnsiString GetEditorValue() { return AnsiString(); }
    virtual void SetEditorValue(const AnsiString& /*Value*/) {}

    // The edit ends: the editor's value goes into the cell and the editor away.
    void EditExit();
    // The popup form lost the focus.
    void FormExit(TObject* Sender);
    AnsiString GetCellValue();
    void SetCellValue(const AnsiString& Value);
    TWinControl* GetParent();
    void HideEditor();
    // The edit control gets its own window procedure back and is hidden.
    void RestoreWinProc();
    // The popup form, made on the first popup edit ("gridform").
    TForm* PopupForm();
    // A popup edit has ended: its editor goes and the popup form is hidden.
    void ClosePopup();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TKavStringGrid* grid_ = nullptr;
    TForm* popup_ = nullptr;
    TWinControl* subclassed_ = nullptr;
    TEditStyle editStyle_ = esInplace;
    int popupWidth_ = 0, popupHeight_ = 0, popupLeft_ = -1, popupTop_ = -1;
    bool autoPopupWidth_ = false;
    int editCol_ = -1, editRow_ = -1;
    bool closing_ = false;
};
