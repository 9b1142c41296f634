#pragma once
// Inside the platform layer only: the Qt widget behind an edit control, seen through the
// requests of the window system's edit. Positions count characters of the edit's text as
// the class library sees it: a memo's line break is two characters (CR LF).

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/wide_string.h"
#include "plataforma/gui/kernel/win_types.h"

#include <QWidget>

#include <functional>

class TControl;

class EditBackend {
public:
    virtual ~EditBackend() = default;

    virtual QWidget* Widget() const = 0;
    virtual AnsiString Text() const = 0;
    // In UTF-16 code units, as positions count.
    int Length() const { return WideText().Length(); }
    // Replaces the text: caret at the start, nothing selected, no undo, not modified.
    void SetText(const AnsiString& Text) { SetWideText(WideString(Text)); }
    // Start <= End.
    virtual void GetSel(int& Start, int& End) const = 0;
    // The anchor at Start, the caret at End (either may be the greater); both clamped, and
    // moved off the middle of a surrogate pair so that the selection holds whole characters.
    virtual void SetSel(int Start, int End) = 0;
    // Collapses the selection at the caret.
    virtual void Deselect() = 0;
    // Replaces the selection, or inserts at the caret; the caret ends after the text.
    void ReplaceSel(const AnsiString& Text) { ReplaceSelWide(WideString(Text)); }
    // The same on UTF-16 text, every character kept (a wide window's). Positions count
    // UTF-16 code units: a character above U+FFFF takes two, which no selection splits.
    virtual WideString WideText() const = 0;
    virtual void SetWideText(const WideString& Text) = 0;
    virtual void ReplaceSelWide(const WideString& Text) = 0;
    virtual bool CanUndo() const = 0;
    virtual void Undo() = 0;
    virtual void ClearUndo() = 0;
    virtual bool Modified() const = 0;
    virtual void SetModified(bool Value) = 0;
    virtual void SetReadOnly(bool Value) = 0;
    // Horizontal alignment of the text (ES_LEFT, ES_CENTER, ES_RIGHT).
    virtual void SetAlignment(DWORD EsAlign) = 0;
    // 0 shows the text; any other character masks it.
    virtual void SetPasswordChar(char Ch) = 0;
    virtual void SetHideSelection(bool Value) = 0;
    // The border drawn around the text area by the control (WM_NCPAINT).
    virtual void SetBorder(int Width) = 0;
    // The formatting rectangle in client coordinates; an empty rectangle restores the
    // default one.
    virtual void SetFormatRect(const TRect& R) = 0;
    virtual TRect FormatRect() const = 0;
    // The character nearest a client point and its line; false when the text is empty.
    virtual bool CharFromPos(const TPoint& P, int& Index, int& Line) const = 0;
    // Client position of the top left of a character; false past the last character.
    virtual bool PosFromChar(int Index, TPoint& P) const = 0;
    // The line that holds a character (-1: the caret's line).
    virtual int LineFromChar(int Index) const = 0;
    virtual int LineCount() const = 0;
    // First character of a line (-1: the caret's line); -1 past the last line.
    virtual int LineIndex(int Line) const = 0;
    // Length of the line that holds a character.
    virtual int LineLength(int Index) const = 0;
    virtual int FirstVisibleLine() const = 0;
    virtual void ScrollCaret() = 0;

    // Called after every change of the text, whoever made it.
    std::function<void()> OnTextChanged;
};

// A single-line edit, and a memo with word wrap and scroll bars.
EditBackend* CreateLineEditBackend(TControl* Control, QWidget* Parent);
// The line edit inside another widget (a combo box's), which keeps it.
class QLineEdit;
EditBackend* CreateLineEditBackend(QLineEdit* Inner);
EditBackend* CreateMemoBackend(TControl* Control, QWidget* Parent, bool WordWrap, bool HorzScroll,
                               bool VertScroll);
