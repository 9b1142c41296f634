#pragma once
// How a failed check shows an AnsiString: its bytes between quotes.

#include "plataforma/base/ansi_string.h"

#include <ostream>

inline void PrintTo(const AnsiString& s, std::ostream* os) {
    *os << '"' << s.str() << '"';
}
