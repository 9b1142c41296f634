#include "plataforma/base/regional.h"

#include <langinfo.h>
#include <locale.h>

#include <cstring>
#include <initializer_list>
#include <utility>

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

// A C library pattern ("%d/%m/%y", "%H:%M:%S") in the class library's letters, by the
// conversions given (each a C letter and what it becomes), and its separator; a pattern
// with any other conversion gives the fallback.
FormatoFecha LeerFormato(nl_item item, std::initializer_list<std::pair<char, const char*>> letras,
                         const FormatoFecha& defecto) {
    const std::string c = LeerDelSistema(LC_TIME_MASK, item);
    FormatoFecha f{AnsiString(), 0};
    for (size_t i = 0; i < c.size(); ++i) {
        if (c[i] == '%' && i + 1 < c.size()) {
            const char letra = c[++i];
            const char* nuevo = nullptr;
            for (const auto& [de, a] : letras)
                if (de == letra) nuevo = a;
            if (!nuevo) return defecto;
            f.patron += nuevo;
        } else {
            if (f.separador == 0) f.separador = c[i];
            f.patron += c[i];
        }
    }
    if (f.patron.Length() < defecto.patron.Length() - 3 || f.separador == 0) return defecto;
    return f;
}

FormatoFecha& Fecha() {
    static FormatoFecha formato =
        LeerFormato(D_FMT, {{'d', "dd"}, {'e', "dd"}, {'m', "MM"}, {'y', "yyyy"}, {'Y', "yyyy"}},
                    {"dd/MM/yyyy", '/'});
    return formato;
}

// A 12-hour clock gives the 24-hour one.
FormatoFecha& Hora() {
    static FormatoFecha formato =
        LeerFormato(T_FMT, {{'H', "hh"}, {'M', "nn"}, {'S', "ss"}}, {"hh:nn:ss", ':'});
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

char GetTimeSeparator() {
    return Hora().separador;
}

void SetTimeSeparator(char separador) {
    Hora().separador = separador;
}

AnsiString GetLongTimeFormat() {
    return Hora().patron;
}

void SetLongTimeFormat(const AnsiString& formato) {
    Hora().patron = formato;
}
