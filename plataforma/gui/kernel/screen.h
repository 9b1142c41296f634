#pragma once
// TScreen: the screen's size and work area, the fonts installed, the cursor shown over the
// whole program, the focused control and the cursor handles by number.

#include "plataforma/base/component.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/input/cursors.h"
#include "plataforma/gui/kernel/win_types.h"

#include <memory>

class TWinControl;

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    // crDefault lets each control show its own cursor; anything else overrides them all.
    TCursor GetCursor() const { return cursor_; }
    void SetCursor(TCursor Value);
    HCURSOR GetCursors(TCursor Index) const;
    // Registers a cursor under a number (the controls' own cursors, 8000 and up).
    void SetCursors(TCursor Index, HCURSOR Value);
    TWinControl* GetActiveControl() const;
    // Font families installed, sorted, without duplicates.
    TStrings* GetFonts();
    int GetWidth() const;
    int GetHeight() const;
    TRect GetWorkAreaRect() const;
    int GetWorkAreaLeft() const { return GetWorkAreaRect().Left; }
    int GetWorkAreaTop() const { return GetWorkAreaRect().Top; }
    int GetWorkAreaWidth() const { return GetWorkAreaRect().Width(); }
    int GetWorkAreaHeight() const { return GetWorkAreaRect().Height(); }
    int GetPixelsPerInch() const { return 96; }

private:
    TCursor cursor_ = crDefault;
    std::unique_ptr<TStringList> fonts_;
};

extern TScreen* Screen;

// Sounds the system beep (the type, MB_OK or an MB_ICON flag, chooses nothing here).
BOOL MessageBeep(UINT uType);
// How many beeps MessageBeep has sounded since the program started (tests count them).
int MessageBeepCount();
