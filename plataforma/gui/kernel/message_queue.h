#pragma once
// Inside the platform layer only: the queue of posted messages, and controls whose
// deletion waits until nothing of theirs is being handled (Release).

class TWinControl;

// Delivers every posted message, those posted meanwhile included, then the deferred
// deletions that are due.
void DrainPostedMessages();
void RequestDeferredDelete(TWinControl* Control);
