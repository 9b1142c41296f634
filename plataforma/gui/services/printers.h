#pragma once
// The class library's printer orientation; the printer itself comes with printing.

enum TPrinterOrientation { poPortrait, poLandscape };
