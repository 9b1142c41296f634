#pragma once
// Puts regional separators, a date pattern and the time pattern "hh:nn:ss" in place while it lives,
// and the previous ones back afterwards.

#include "plataforma/base/regional.h"

class AjustesRegionales {
public:
    AjustesRegionales(char decimal, char miles, char fecha = '/',
                      const AnsiString& patron = "dd/MM/yyyy", char hora = ':')
        : decimal_(GetDecimalSeparator()), miles_(GetThousandSeparator()),
          fecha_(GetDateSeparator()), hora_(GetTimeSeparator()), patron_(GetShortDateFormat()),
          patronHora_(GetLongTimeFormat()) {
        SetDecimalSeparator(decimal);
        SetThousandSeparator(miles);
        SetDateSeparator(fecha);
        SetShortDateFormat(patron);
        SetTimeSeparator(hora);
        SetLongTimeFormat("hh:nn:ss");
    }
    ~AjustesRegionales() {
        SetDecimalSeparator(decimal_);
        SetThousandSeparator(miles_);
        SetDateSeparator(fecha_);
        SetShortDateFormat(patron_);
        SetTimeSeparator(hora_);
        SetLongTimeFormat(patronHora_);
    }
    AjustesRegionales(const AjustesRegionales&) = delete;
    AjustesRegionales& operator=(const AjustesRegionales&) = delete;

private:
    char decimal_, miles_, fecha_, hora_;
    AnsiString patron_, patronHora_;
};
