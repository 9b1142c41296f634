#pragma once
// Upper-casing of wide text by the Unicode case tables (each code unit's simple mapping,
// so the length never changes).

#include "plataforma/base/wide_string.h"

WideString WideUpperCase(const WideString& S);
