#pragma once
// The desktop's colour scheme, read from the visual style in use: the controls that follow
// it (AutoThemeAdapt) pick their colours from it.

enum TXPColorSchemeNr {
    xpcsNone = 0,   // no visual style in use, or another scheme: the classic colours
    xpcsBlue = 1,   // "NormalColor"
    xpcsOlive = 2,  // "HomeStead"
    xpcsSilver = 3, // "Metallic"
};

TXPColorSchemeNr DetectXPColorScheme();
