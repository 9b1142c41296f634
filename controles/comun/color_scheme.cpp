// The colour scheme from the visual style's name.

#include "controles/comun/color_scheme.h"

#include "plataforma/gui/painting/themes.h"

#include <string>

TXPColorSchemeNr DetectXPColorScheme() {
    if (!IsThemeActive()) return xpcsNone;
    wchar_t file[255] = {}, colour[255] = {}, size[255] = {};
    if (GetCurrentThemeName(file, 255, colour, 255, size, 255) != S_OK) return xpcsNone;
    const std::wstring name(colour);
    if (name == L"NormalColor") return xpcsBlue;
    if (name == L"HomeStead") return xpcsOlive;
    if (name == L"Metallic") return xpcsSilver;
    return xpcsNone;
}
