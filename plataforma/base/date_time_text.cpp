#include "plataforma/base/date_time_text.h"

#include "plataforma/base/exceptions.h"
#include "plataforma/base/regional.h"

#include <cctype>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

AnsiString Cifras(int valor, int ancho) {
    std::string s = std::to_string(valor);
    if (static_cast<int>(s.size()) < ancho) s.insert(0, static_cast<size_t>(ancho) - s.size(), '0');
    return AnsiString(s);
}

// The length of the run of one letter (case ignored) from i.
size_t Racha(const std::string& patron, size_t i) {
    size_t n = 1;
    while (i + n < patron.size() && std::tolower(static_cast<unsigned char>(patron[i + n])) ==
                                        std::tolower(static_cast<unsigned char>(patron[i])))
        ++n;
    return n;
}

// A date or time pattern written out: each run of a letter becomes what Campo gives for the
// letter (lower case) and the run's length, or stays as it is when that is empty; the mark
// stands for the regional separator.
AnsiString Formatear(const AnsiString& patronRegional, char marca, char separador,
                     const std::function<AnsiString(char letra, size_t n)>& Campo) {
    const std::string patron = patronRegional.str();
    AnsiString s;
    for (size_t i = 0; i < patron.size();) {
        const size_t n = Racha(patron, i);
        const AnsiString campo =
            Campo(static_cast<char>(std::tolower(static_cast<unsigned char>(patron[i]))), n);
        for (size_t k = 0; k < n && campo.IsEmpty(); ++k)
            s += patron[i] == marca ? separador : patron[i];
        s += campo;
        i += n;
    }
    return s;
}

struct Campo {
    int valor = 0;
    int cifras = 0;
};

// Numbers between separators (blanks around them allowed); false on anything else.
bool LeerCampos(const AnsiString& texto, char separador, std::vector<Campo>& campos) {
    const std::string& s = texto.str();
    size_t i = 0;
    auto blancos = [&] {
        while (i < s.size() && s[i] == ' ')
            ++i;
    };
    blancos();
    while (true) {
        Campo c;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            if (c.cifras >= 6) return false;
            c.valor = c.valor * 10 + (s[i++] - '0');
            ++c.cifras;
        }
        if (c.cifras == 0) return false;
        campos.push_back(c);
        blancos();
        if (i == s.size()) return true;
        if (s[i] != separador) return false;
        ++i;
        blancos();
    }
}

// d, m and y in the order of the short date pattern.
std::string OrdenDeCampos() {
    std::string orden;
    const AnsiString patron = GetShortDateFormat();
    for (char c : patron.str()) {
        const char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if ((l == 'd' || l == 'm' || l == 'y') && orden.find(l) == std::string::npos) orden += l;
    }
    return orden.size() == 3 ? orden : std::string("dmy");
}

int EsteAno() {
    int y = 0, m = 0, d = 0;
    DecodeDate(Now(), y, m, d);
    return y;
}

} // namespace

AnsiString DateToStr(TDateTime Date) {
    int y = 0, m = 0, d = 0;
    DecodeDate(std::trunc(Date), y, m, d);
    return Formatear(GetShortDateFormat(), '/', GetDateSeparator(), [&](char l, size_t n) {
        if (l == 'd') return Cifras(d, n >= 2 ? 2 : 1);
        if (l == 'm') return Cifras(m, n >= 2 ? 2 : 1);
        if (l == 'y') return n <= 2 ? Cifras(y % 100, 2) : Cifras(y, 4);
        return AnsiString();
    });
}

bool TryStrToDate(const AnsiString& Text, TDateTime& Date) {
    std::vector<Campo> campos;
    if (!LeerCampos(Text, GetDateSeparator(), campos) || campos.size() < 2 || campos.size() > 3)
        return false;
    std::string orden = OrdenDeCampos();
    if (campos.size() == 2) orden.erase(orden.find('y'), 1);
    int y = 0, m = 0, d = 0;
    bool anoCorto = false;
    for (size_t k = 0; k < campos.size(); ++k) {
        if (orden[k] == 'd') d = campos[k].valor;
        if (orden[k] == 'm') m = campos[k].valor;
        if (orden[k] == 'y') {
            y = campos[k].valor;
            anoCorto = campos[k].cifras <= 2;
        }
    }
    if (campos.size() == 2) {
        y = EsteAno();
    } else if (anoCorto) {
        // The nearest year with those last two digits no more than 50 years ahead.
        const int actual = EsteAno();
        y += actual - actual % 100;
        if (y > actual + 50) y -= 100;
    }
    return TryEncodeDate(y, m, d, Date);
}

TDateTime StrToDate(const AnsiString& Text) {
    TDateTime d = 0;
    if (!TryStrToDate(Text, d)) throw EConvertError("'" + Text + "' no es una fecha válida");
    return d;
}

AnsiString TimeToStr(TDateTime Time) {
    // Whole milliseconds of the time of day.
    long long ms = std::llround(std::fabs(Time - std::trunc(Time)) * 86400000.0);
    if (ms >= 86400000) ms = 0;
    const int h = static_cast<int>(ms / 3600000), n = static_cast<int>(ms / 60000 % 60),
              s = static_cast<int>(ms / 1000 % 60);
    return Formatear(GetLongTimeFormat(), ':', GetTimeSeparator(), [&](char l, size_t k) {
        const int ancho = k >= 2 ? 2 : 1;
        if (l == 'h') return Cifras(h, ancho);
        if (l == 'n' || l == 'm') return Cifras(n, ancho);
        if (l == 's') return Cifras(s, ancho);
        return AnsiString();
    });
}

bool TryStrToTime(const AnsiString& Text, TDateTime& Time) {
    std::vector<Campo> campos;
    if (!LeerCampos(Text, GetTimeSeparator(), campos) || campos.size() > 3) return false;
    const int h = campos[0].valor;
    const int n = campos.size() > 1 ? campos[1].valor : 0;
    const int s = campos.size() > 2 ? campos[2].valor : 0;
    if (h > 23 || n > 59 || s > 59) return false;
    Time = ((h * 60 + n) * 60 + s) / 86400.0;
    return true;
}

TDateTime StrToTime(const AnsiString& Text) {
    TDateTime t = 0;
    if (!TryStrToTime(Text, t)) throw EConvertError("'" + Text + "' no es una hora válida");
    return t;
}

bool TryStrToDateTime(const AnsiString& Text, TDateTime& Value) {
    if (TryStrToDate(Text, Value)) return true;
    // A date, a blank and a time: the date's own blanks may stand around its separators.
    const std::string& s = Text.str();
    for (size_t p = s.rfind(' '); p != std::string::npos && p > 0; p = s.rfind(' ', p - 1)) {
        TDateTime d = 0, t = 0;
        if (TryStrToDate(AnsiString(s.substr(0, p)), d) &&
            TryStrToTime(AnsiString(s.substr(p + 1)), t)) {
            Value = d < 0 ? d - t : d + t;
            return true;
        }
    }
    return TryStrToTime(Text, Value);
}

TDateTime StrToDateTime(const AnsiString& Text) {
    TDateTime v = 0;
    if (!TryStrToDateTime(Text, v))
        throw EConvertError("'" + Text + "' no es una fecha y hora válida");
    return v;
}

AnsiString FormatDateTime(const AnsiString& Format, TDateTime Value) {
    int y = 0, mo = 0, d = 0;
    DecodeDate(std::trunc(Value), y, mo, d);
    long long ms = std::llround(std::fabs(Value - std::trunc(Value)) * 86400000.0);
    if (ms >= 86400000) ms = 0;
    const int h = static_cast<int>(ms / 3600000), mi = static_cast<int>(ms / 60000 % 60),
              se = static_cast<int>(ms / 1000 % 60);
    const std::string f = Format.str();
    AnsiString out;
    bool afterHour = false;
    for (size_t i = 0; i < f.size();) {
        const char c = f[i];
        if (c == '"' || c == '\'') {
            const size_t end = f.find(c, i + 1);
            const size_t stop = end == std::string::npos ? f.size() : end;
            out += AnsiString(f.substr(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        const size_t n = Racha(f, i);
        const int ancho = n >= 2 ? 2 : 1;
        switch (std::tolower(static_cast<unsigned char>(c))) {
        case 'd':
            out += Cifras(d, ancho);
            break;
        case 'm':
            out += Cifras(afterHour ? mi : mo, ancho);
            break;
        case 'y':
            out += n <= 2 ? Cifras(y % 100, 2) : Cifras(y, 4);
            break;
        case 'h':
            out += Cifras(h, ancho);
            break;
        case 'n':
            out += Cifras(mi, ancho);
            break;
        case 's':
            out += Cifras(se, ancho);
            break;
        case '/':
            out += AnsiString(std::string(n, GetDateSeparator()));
            break;
        case ':':
            out += AnsiString(std::string(n, GetTimeSeparator()));
            break;
        default:
            out += AnsiString(f.substr(i, n));
            break;
        }
        const char l = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (std::isalpha(static_cast<unsigned char>(c))) afterHour = l == 'h';
        i += n;
    }
    return out;
}
