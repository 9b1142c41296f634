#pragma once
// How the grid and the edit list box draw their scroll bars: the window system's own, or
// the flat and "Encarta" looks of the flat scroll bar library.

enum TScrollType { ssNormal, ssFlat, ssEncarta };
