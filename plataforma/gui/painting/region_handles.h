#pragma once
// Inside the platform layer only: the region behind an HRGN, and a new handle for a region.

#include "plataforma/gui/kernel/win_types.h"

#include <QRegion>

// nullptr for a handle that names no live region.
QRegion* RegionOfHandle(HRGN rgn);
HRGN NewRegionHandle(const QRegion& region);
