// The filter matcher: comparison clauses first, then wildcards. The wildcard pass keeps
// only the position after the last "*" it met, so a mask costs at most (text length x
// mask length) steps, however many stars it holds.

#include "controles/comun/text_utils.h"

#include "plataforma/base/numbers.h"
#include "plataforma/base/regional.h"

namespace {

struct Clausula {
    bool presente = false;
    bool inclusiva = false;
    AnsiString operando;
};

// The operand after the first Op of the mask: up to a blank, the end, or an "&" or "|"
// outside double quotes; the quotes themselves are not copied.
Clausula LeerClausula(const std::string& m, char op) {
    Clausula c;
    const size_t p = m.find(op);
    if (p == std::string::npos) return c;
    c.presente = true;
    size_t i = p + 1;
    if (i < m.size() && m[i] == '=') {
        c.inclusiva = true;
        ++i;
    }
    while (i < m.size() && m[i] == ' ')
        ++i;
    bool comillas = false;
    std::string operando;
    for (; i < m.size(); ++i) {
        const char ch = m[i];
        if (ch == ' ') break;
        if (ch == '"') {
            comillas = !comillas;
            continue;
        }
        if (!comillas && (ch == '&' || ch == '|')) break;
        operando += ch;
    }
    c.operando = AnsiString(std::move(operando));
    return c;
}

// Thousand separators out, then a strict conversion with the decimal separator (the
// C library's conversion would follow the process locale).
bool ComoNumero(const AnsiString& s, double& v) {
    const char miles = GetThousandSeparator();
    std::string t;
    for (char ch : s.str())
        if (ch != miles) t += ch;
    if (t.find_first_of("0123456789") == std::string::npos) return false;
    return TryStrToFloat(AnsiString(std::move(t)), v);
}

// By the regional short date pattern: the order of day, month and year.
bool ComoFecha(const AnsiString& s, TDateTime& f) {
    const std::string formato = UpperCase(GetShortDateFormat()).str();
    const size_t pd = formato.find('D'), pm = formato.find('M'), py = formato.find('Y');
    if (pd == std::string::npos || pm == std::string::npos || py == std::string::npos) return false;
    const char sep = GetDateSeparator();
    const std::string& t = s.str();
    const size_t a = t.find(sep);
    if (a == std::string::npos) return false;
    const size_t b = t.find(sep, a + 1);
    if (b == std::string::npos) return false;
    int partes[3];
    if (!TryStrToInt(AnsiString(t.substr(0, a)), partes[0]) ||
        !TryStrToInt(AnsiString(t.substr(a + 1, b - a - 1)), partes[1]) ||
        !TryStrToInt(AnsiString(t.substr(b + 1)), partes[2]))
        return false;
    // The place of each letter among the three gives the part that holds it.
    auto lugar = [&](size_t p) { return (p > pd) + (p > pm) + (p > py); };
    const int dia = partes[lugar(pd)], mes = partes[lugar(pm)], anyo = partes[lugar(py)];
    if (dia >= 32 || mes >= 13) return false;
    return TryEncodeDate(anyo, mes, dia, f);
}

// <0, 0 or >0: text against operand.
int Comparar(const AnsiString& texto, const AnsiString& operando) {
    double a = 0, b = 0;
    if (ComoNumero(texto, a) && ComoNumero(operando, b)) return a < b ? -1 : a > b ? 1 : 0;
    TDateTime fa = 0, fb = 0;
    if (ComoFecha(texto, fa) && ComoFecha(operando, fb)) return fa < fb ? -1 : fa > fb ? 1 : 0;
    const std::string& x = texto.str();
    const std::string& y = operando.str();
    const size_t n = std::min<size_t>(255, std::max(x.size(), y.size()));
    for (size_t i = 0; i < n; ++i) {
        const int cx = i < x.size() ? static_cast<unsigned char>(x[i]) : 0;
        const int cy = i < y.size() ? static_cast<unsigned char>(y[i]) : 0;
        if (cx != cy) return cx - cy;
    }
    return 0;
}

// The wildcard pass reads the mask as it stands: "!" and double quotes consume nothing
// ("!" inverts the result wherever it stands), "\\" makes the next character literal (a
// trailing one is dropped), runs of "*" act as one.
enum class Paso { Fin, Literal, Cualquiera, Estrella };

// The step at i or after it; i is left on it and Siguiente moves past it.
Paso Mirar(const std::string& m, size_t& i) {
    while (i < m.size() && (m[i] == '!' || m[i] == '"'))
        ++i;
    if (i >= m.size()) return Paso::Fin;
    if (m[i] == '*') return Paso::Estrella;
    if (m[i] == '?') return Paso::Cualquiera;
    if (m[i] == '\\' && i + 1 >= m.size()) {
        i = m.size();
        return Paso::Fin;
    }
    return Paso::Literal;
}

char Literal(const std::string& m, size_t i) {
    return m[i] == '\\' ? m[i + 1] : m[i];
}

size_t Siguiente(const std::string& m, size_t i) {
    return i + (m[i] == '\\' ? 2 : 1);
}

// A "!" that is not made literal by a backslash.
bool Invierte(const std::string& m) {
    for (size_t i = 0; i < m.size(); ++i) {
        if (m[i] == '\\')
            ++i;
        else if (m[i] == '!')
            return true;
    }
    return false;
}

// Only the place after the last star met is kept: when a step fails, the star takes one
// character more and the mask goes on from after it.
bool Comodines(const std::string& m, const std::string& t) {
    size_t i = 0, j = 0;
    size_t estrella = std::string::npos, desde = 0;
    while (j < t.size()) {
        const Paso p = Mirar(m, i);
        if (p == Paso::Estrella) {
            estrella = i = Siguiente(m, i);
            desde = j;
        } else if (p == Paso::Cualquiera || (p == Paso::Literal && Literal(m, i) == t[j])) {
            i = Siguiente(m, i);
            ++j;
        } else if (estrella != std::string::npos) {
            i = estrella;
            j = ++desde;
        } else {
            return false;
        }
    }
    for (Paso p = Mirar(m, i); p == Paso::Estrella; p = Mirar(m, i))
        i = Siguiente(m, i);
    return Mirar(m, i) == Paso::Fin;
}

} // namespace

bool Matches(const AnsiString& Mask, const AnsiString& S) {
    const std::string& m = Mask.str();
    const Clausula mayor = LeerClausula(m, '>');
    const Clausula menor = LeerClausula(m, '<');
    bool evalMayor = false, evalMenor = false, mayorVale = true, menorVale = true;
    if (mayor.presente) {
        const int c = Comparar(S, mayor.operando);
        evalMayor = true;
        mayorVale = mayor.inclusiva ? c >= 0 : c > 0;
    }
    if (menor.presente) {
        const int c = Comparar(S, menor.operando);
        evalMenor = true;
        menorVale = menor.inclusiva ? c <= 0 : c < 0;
    }
    if (m.find('!') != std::string::npos) {
        if (!mayor.presente) evalMayor = true;
        if (!menor.presente) evalMenor = true;
    }
    if (m.find('^') != std::string::npos && (evalMayor || evalMenor)) return mayorVale || menorVale;
    if (m.find('&') != std::string::npos && evalMayor && evalMenor) return mayorVale && menorVale;
    if (mayor.presente && mayorVale) return true;
    if (menor.presente && menorVale) return true;
    return Comodines(m, S.str()) != (m.find('!') != std::string::npos && Invierte(m));
}

bool MatchStr(const AnsiString& Mask, const AnsiString& S, bool CaseSensitive) {
    if (CaseSensitive) return Matches(Mask, S);
    return Matches(AnsiUpperCase(Mask), AnsiUpperCase(S));
}

bool MatchStrEx(const AnsiString& Mask, const AnsiString& S, bool CaseSensitive) {
    std::string m;
    bool comillas = false;
    const AnsiString recortada = Trim(Mask);
    for (char ch : recortada.str()) {
        if (ch == '"') comillas = !comillas;
        if (ch == ' ' && !comillas) continue;
        m += ch;
    }
    if (!m.empty() && m[0] == '=') m.erase(0, 1);
    AnsiString resto(std::move(m));
    bool resultado = false, primero = true;
    char operador = 0;
    auto sumar = [&](const AnsiString& trozo) {
        const bool r = MatchStr(trozo, S, CaseSensitive);
        if (primero)
            resultado = r;
        else if (operador == '&')
            resultado = resultado && r;
        else
            resultado = resultado || r;
        primero = false;
    };
    int p = 0;
    for (char op = FirstChar("&;^|", resto, p); p > 0; op = FirstChar("&;^|", resto, p)) {
        sumar(resto.SubString(1, p - 1));
        operador = op;
        resto.Delete(1, p);
    }
    sumar(resto);
    return resultado;
}
