#pragma once
// El texto más corto de un float del modelo: el menor número de cifras que vuelve a dar el
// mismo float, con el separador decimal regional ("3.2", "-10000000000").

#include "plataforma/base/ansi_string.h"

AnsiString TextoCorto(float valor);
