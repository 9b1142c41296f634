#pragma once
// Inside the platform layer only: the drag in progress, fed by the mouse events of the
// control that has the capture while it lasts.

class QMouseEvent;
class TControl;

// True while a drag is pending or under way.
bool DragActive();
// A mouse event during a drag; false when the event is the receiver's as usual.
bool DragMouse(TControl* Receiver, QMouseEvent* Event);
// Escape: the drag ends without a drop.
void CancelDrag();
