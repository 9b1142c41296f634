#pragma once
// Drags as a user makes them, for tests: the window system's drag events (enter, move, leave,
// drop) with real MIME data, sent to the controls under a pointer that moves from one to the
// next; registered drop targets get them as from any drag.

#include "plataforma/gui/input/keys.h"
#include "plataforma/gui/services/ole.h"

#include <string>
#include <utility>
#include <vector>

class TControl;

struct DragStep {
    enum Kind { Over, Release, Escape };
    Kind kind = Over;
    TControl* control = nullptr; // Over: the control under the pointer
    int x = 0, y = 0;            // Over: a client point of it
    TShiftState shift;           // keys held (Ctrl: copy)

    static DragStep Move(TControl* Control, int X, int Y, TShiftState Shift = {}) {
        return {Over, Control, X, Y, Shift};
    }
    // The button released where the pointer is.
    static DragStep Drop(TShiftState Shift = {}) { return {Release, nullptr, 0, 0, Shift}; }
    static DragStep Esc() { return {Escape, nullptr, 0, 0, {}}; }
};

// MIME data as another program offers it: (type, bytes).
using MimeParts = std::vector<std::pair<std::string, std::string>>;

// A drag from another program offering Allowed: DRAGDROP_S_DROP with the effect the target
// gave, or DRAGDROP_S_CANCEL (steps that end without a drop cancel it).
HRESULT SimulateForeignDrag(const MimeParts& Data, const std::vector<DragStep>& Steps,
                            DWORD Allowed, DWORD* Effect);

// While it lives, the drags this program starts (DoDragDrop) run these steps instead of the
// window system's, one list per drag in order; a drag with no list left is cancelled at once.
class ScriptedDrags {
public:
    explicit ScriptedDrags(std::vector<std::vector<DragStep>> Drags);
    ~ScriptedDrags();
    ScriptedDrags(const ScriptedDrags&) = delete;
    ScriptedDrags& operator=(const ScriptedDrags&) = delete;

    // Drags started so far.
    int Started() const { return started_; }
    // The MIME types and bytes the last drag offered.
    const MimeParts& LastOffered() const { return offered_; }
    // The bytes of one type in the last drag ("" when absent).
    std::string Offered(const std::string& MimeType) const;

private:
    std::vector<std::vector<DragStep>> drags_;
    int started_ = 0;
    MimeParts offered_;
};
