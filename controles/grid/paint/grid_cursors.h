#pragma once
// The grid's own cursors, registered as cursor resources under their numbers: 8000 to 8008
// panning (below), 8009 a link under the pointer (a pointing hand), 8010 row select (an arrow
// pointing right), 8011 column select (an arrow pointing down), 8012 select all and the
// selection resizer's handle (a thin cross), 8014 a resize of the selection being dragged (a
// bold cross). Each is black with a white rim, so that it shows on any ground.

enum : int {
    // Panning with the middle button: a ring while the view stands, an arrow the way it moves.
    GridCursorPanNeutral = 8000,
    GridCursorPanDown = 8001,
    GridCursorPanLeft = 8002,
    GridCursorPanRight = 8003,
    GridCursorPanUp = 8004,
    GridCursorPanUpRight = 8005,
    GridCursorPanUpLeft = 8006,
    GridCursorPanDownRight = 8007,
    GridCursorPanDownLeft = 8008,
    GridCursorLink = 8009,
    GridCursorRowSelect = 8010,
    GridCursorColSelect = 8011,
    GridCursorSelectAll = 8012,
    GridCursorSelectionResize = 8014,
};

// Puts the grid's cursor Id among the screen's cursors, so that a control's Cursor may name
// it, and gives Id back.
int UseGridCursor(int Id);

// The panning cursor for a move of (Dx, Dy), each -1, 0 or 1 (y grows downwards).
int PanCursorId(int Dx, int Dy);

// Registers the cursors above and the panning anchors "INTLI1" (both ways), "INTLI2"
// (sideways) and "INTLI3" (up and down): 32 x 32 bitmaps whose top-left pixel's colour is
// see-through.
void RegisterGridCursors();
