#pragma once
// TMaskEngine: the edit mask of the class library's masked edit, without a window. It reads
// a mask "mask;save literals;blank char", holds the text position by position (literals in
// place, unfilled positions blank) and applies typing, Backspace, Delete and pasting to it
// with a selection given and given back, as the edit's window would. The edit only feeds it
// keys and shows EditText.
//
// Mask characters: L letter, l letter or blank, A letter or digit, a the same or blank,
// C any character, c any character or blank, 0 digit, 9 digit or blank, # digit, sign or
// blank; ":" and "/" the regional time and date separators, "_" a space, "\x" the literal x;
// ">" upper case, "<" lower case and "<>" no change for what follows; "!" places a short
// text at the end of the mask instead of its start.

#include "plataforma/base/ansi_string.h"

#include <string>
#include <vector>

class TMaskEngine {
public:
    TMaskEngine() = default;
    explicit TMaskEngine(const AnsiString& Mask) { SetMask(Mask); }

    // Reads the mask; the text becomes blank. An empty mask is no mask.
    void SetMask(const AnsiString& Mask);
    const AnsiString& GetMask() const { return mask_; }
    bool IsMasked() const { return !mask_.IsEmpty(); }
    // Positions of the text.
    int Length() const { return static_cast<int>(cells_.size()); }
    // The second field: Text keeps the literals (the default) or drops them.
    bool GetSaveLiterals() const { return saveLiterals_; }
    // The third field: what stands for an unfilled position in EditText ("_" by default).
    char GetBlankChar() const { return blank_; }

    // The text as shown: literals in place, unfilled positions as the blank character.
    AnsiString GetEditText() const;
    // Position by position; the blank character and what a position refuses leave it blank.
    void SetEditText(const AnsiString& Value);
    // Unfilled positions as spaces, with the literals or without them.
    AnsiString GetText() const;
    // As a text read back from GetText: with the literals position by position, without them
    // filling the input positions in order; a shorter text starts at the mask's end with "!".
    void SetText(const AnsiString& Value);

    bool IsLiteral(int Pos) const;
    // The first input position at or after Pos (Length() when none).
    int NextInput(int Pos) const;
    // The last input position before Pos (-1 when none).
    int PrevInput(int Pos) const;
    // The first required position left unfilled, -1 when the text completes the mask.
    int FirstMissing() const;
    // Every input position, optional ones too, holds a character.
    bool IsFilled() const;
    // Whether Ch goes into input position Pos, after the case mark turned it.
    bool Accepts(int Pos, char& Ch) const;

    // A typed character with the selection [SelStart, SelEnd): it overwrites the next input
    // position (a selection is blanked first), or steps over a literal it matches. False,
    // with nothing changed, when refused.
    bool KeyChar(char Ch, int& SelStart, int& SelEnd);
    // Backspace blanks the selection, or the input position before the caret.
    void KeyBackspace(int& SelStart, int& SelEnd);
    // Delete blanks the selection, or the input position at or after the caret.
    void KeyDelete(int& SelStart, int& SelEnd);
    // A pasted text: the selection blanked, then each character typed; characters that fit
    // nowhere are skipped and typing stops at the end of the mask. False when any was skipped.
    bool Paste(const AnsiString& Value, int& SelStart, int& SelEnd);
    // Blanks the input positions of [Start, End).
    void Blank(int Start, int End);

private:
    enum Kind : unsigned char { Literal, Letter, AlphaNum, AnyChar, Digit, DigitSign };
    enum Case : unsigned char { NoCase, Upper, Lower };
    struct Slot {
        Kind kind = Literal;
        bool required = false;
        Case charCase = NoCase;
        char literal = 0;
    };
    // Clamps a selection to the text and orders it.
    void Clamp(int& SelStart, int& SelEnd) const;

    AnsiString mask_;
    std::vector<Slot> slots_;
    std::string cells_; // ' ' at an unfilled input position
    bool saveLiterals_ = true;
    char blank_ = '_';
    bool leadingBlanks_ = false; // "!"
};
