#pragma once
// Where an edit of this library aligns its text. eaDefault is the typed edit's "no
// alignment of its own" (its focus alignment); the spin edit takes it as eaLeft.

enum TEditAlign { eaLeft, eaRight, eaDefault, eaCenter };
