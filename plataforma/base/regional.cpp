#include "plataforma/base/regional.h"

#include <langinfo.h>
#include <locale.h>

#include <cstring>

namespace {

// One item of the environment's locale, read without touching the process locale.
std::string LeerDelSistema(int mascara, nl_item item) {
    locale_t local = newlocale(mascara, "", nullptr);
    if (local == nullptr) return std::string();
    const char* valor = nl_langinfo_l(item, local);
    std::string copia = valor != nullptr ? valor : "";
    freelocale(local);
    return copia;
}

// A separator that is missing, or not one byte, gives the fallback.
char UnByte(const std::string& s, char defecto) {
    return s.size() == 1 ? s[0] : defecto;
}

char& Decimal() {
    static char separador = UnByte(LeerDelSistema(LC_NUMERIC_MASK, RADIXCHAR), '.');
    return separador;
}

char& Miles() {
    static char separador =
        UnByte(LeerDelSistema(LC_NUMERIC_MASK, THOUSEP), Decimal() == ',' ? '.' : ',');
    return separador;
}

struct FormatoFecha {
    AnsiString patron;
    char separador;
};

// The C library's "%d/%m/%y" turned into "dd/MM/yyyy" and its separator.
FormatoFecha LeerFormatoFecha() {
    const std::string c = LeerDelSistema(LC_TIME_MASK, D_FMT);
    FormatoFecha f{AnsiString(), 0};
    for (size_t i = 0; i < c.size(); ++i) {
        if (c[i] == '%' && i + 1 < c.size()) {
            switch (c[++i]) {
            case 'd':
            case 'e':
                f.patron += "dd";
                break;
            case 'm':
                f.patron += "MM";
                break;
            case 'y':
            case 'Y':
                f.patron += "yyyy";
                break;
            default:
                return {"dd/MM/yyyy", '/'};
            }
        } else {
            if (f.separador == 0) f.separador = c[i];
            f.patron += c[i];
        }
    }
    if (f.patron.Length() < 8 || f.separador == 0) return {"dd/MM/yyyy", '/'};
    return f;
}

FormatoFecha& Fecha() {
    static FormatoFecha formato = LeerFormatoFecha();
    return formato;
}

} // namespace

char GetDecimalSeparator() {
    return Decimal();
}

void SetDecimalSeparator(char separador) {
    Decimal() = separador;
}

char GetThousandSeparator() {
    return Miles();
}

void SetThousandSeparator(char separador) {
    Miles() = separador;
}

char GetDateSeparator() {
    return Fecha().separador;
}

void SetDateSeparator(char separador) {
    Fecha().separador = separador;
}

AnsiString GetShortDateFormat() {
    return Fecha().patron;
}

void SetShortDateFormat(const AnsiString& formato) {
    Fecha().patron = formato;
}
