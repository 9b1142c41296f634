#pragma once
// The grid's own cursors, registered as cursor resources under their numbers: 8010 row
// select (an arrow pointing right), 8011 column select (an arrow pointing down), 8012 select
// all and the selection resizer's handle (a thin cross), 8014 a resize of the selection
// being dragged (a bold cross). Each is black with a white rim, so that it shows on any
// ground.

enum : int {
    GridCursorRowSelect = 8010,
    GridCursorColSelect = 8011,
    GridCursorSelectAll = 8012,
    GridCursorSelectionResize = 8014,
};

void RegisterGridCursors();
