#pragma once
// Puts regional separators and a date pattern in place while it lives, and the previous
// ones back afterwards.

#include "plataforma/base/regional.h"

class AjustesRegionales {
public:
    AjustesRegionales(char decimal, char miles, char fecha = '/',
                      const AnsiString& patron = "dd/MM/yyyy")
        : decimal_(GetDecimalSeparator()), miles_(GetThousandSeparator()),
          fecha_(GetDateSeparator()), patron_(GetShortDateFormat()) {
        SetDecimalSeparator(decimal);
        SetThousandSeparator(miles);
        SetDateSeparator(fecha);
        SetShortDateFormat(patron);
    }
    ~AjustesRegionales() {
        SetDecimalSeparator(decimal_);
        SetThousandSeparator(miles_);
        SetDateSeparator(fecha_);
        SetShortDateFormat(patron_);
    }
    AjustesRegionales(const AjustesRegionales&) = delete;
    AjustesRegionales& operator=(const AjustesRegionales&) = delete;

private:
    char decimal_, miles_, fecha_;
    AnsiString patron_;
};
