#pragma once
// The caption label that a control of this library carries beside it (the typed edit, the
// combo box): its ten positions and how it is laid out around the control.

#include "plataforma/base/ansi_string.h"
#include "plataforma/gui/kernel/win_types.h"
#include "plataforma/gui/painting/font.h"

#include <memory>

class TComponent;
class TLabel;
class TWinControl;

enum TLabelPosition {
    lpLeftTop,
    lpLeftCenter,
    lpLeftBottom,
    lpTopLeft,
    lpBottomLeft,
    lpLeftTopLeft,
    lpLeftCenterLeft,
    lpLeftBottomLeft,
    lpTopCenter,
    lpBottomCenter
};

// Places Label around a control with these bounds, Margin pixels away. The "…Left"
// positions put the label's left edge Margin pixels left of the control's.
void PlaceAttachedLabel(TLabel* Label, const TRect& Control, TLabelPosition Position, int Margin);

// What a control keeps of its attached label: the label itself (made with the first caption,
// nullptr until then) and the settings that place and dress it.
struct TAttachedLabel {
    TLabel* Label = nullptr;
    std::unique_ptr<TFont> Font = std::make_unique<TFont>();
    TLabelPosition Position = lpLeftTop;
    int Margin = 4;
    bool Transparent = false;
    bool AlwaysEnabled = false;

    // Makes the label for Control, beside it on its parent, focusing it, in the label font.
    TLabel* Create(TWinControl* Control);
    // Deletes the label; the control's notification of it then finds Label already cleared.
    void Release();
    // The label was freed elsewhere.
    void Forget(TComponent* AComponent);

    // The caption; empty without a label.
    AnsiString Caption() const;
    // The label is enabled with the control, or always with AlwaysEnabled.
    void FollowEnabled(bool Enabled);
    // The label shows and hides with the control.
    void FollowVisible(bool Visible);
    // AlwaysEnabled set, and the label enabled by it or by the control.
    void SetAlwaysEnabled(bool Value, bool ControlEnabled);
};
