#include "controles/comun/text_utils.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/regional.h"
#include "plataforma/base/string_list.h"

#include <cmath>
#include <cstdio>

namespace {

bool EsDigito(char c) {
    return c >= '0' && c <= '9';
}

// Every occurrence of one byte replaced by a text.
AnsiString Reemplazar(const AnsiString& s, char de, const char* por) {
    std::string r;
    r.reserve(s.str().size());
    for (char c : s.str()) {
        if (c == de)
            r += por;
        else
            r += c;
    }
    return AnsiString(std::move(r));
}

// Windows-1252 and code page 850, both ways, for the upper half (the lower half is the same).
const char16_t kOem850[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557,
    0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB,
    0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, 0x00DE, 0x00DA, 0x00DB, 0x00D9,
    0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

// A character that the other code page lacks becomes '?'.
char AOem(unsigned char c) {
    if (c < 0x80) return static_cast<char>(c);
    const char32_t u = cp1252::ToUnicode(c);
    for (int i = 0; i < 128; ++i)
        if (kOem850[i] == u) return static_cast<char>(0x80 + i);
    return '?';
}

char DeOem(unsigned char c) {
    if (c < 0x80) return static_cast<char>(c);
    const int b = cp1252::FromUnicode(kOem850[c - 0x80]);
    return b < 0 ? '?' : static_cast<char>(b);
}

TDateTime FechaCorta(const AnsiString& s, bool us) {
    char sep = 0;
    for (char c : {'/', '.', '-'})
        if (s.str().find(c) != std::string::npos) {
            sep = c;
            break;
        }
    if (sep == 0) return 0;
    const std::string& t = s.str();
    const size_t p1 = t.find(sep);
    const size_t p2 = t.find(sep, p1 + 1);
    if (p2 == std::string::npos) return 0;
    int a = 0, b = 0, y = 0;
    if (!TryStrToInt(AnsiString(t.substr(0, p1)), a) ||
        !TryStrToInt(AnsiString(t.substr(p1 + 1, p2 - p1 - 1)), b) ||
        !TryStrToInt(AnsiString(t.substr(p2 + 1)), y))
        return 0;
    y += y < 26 ? 2000 : 1900;
    return us ? EncodeDate(y, a, b) : EncodeDate(y, b, a);
}

} // namespace

// --- strings ---

AnsiString CSVQuotes(const AnsiString& S) {
    return Reemplazar(S, '"', "\"\"");
}

int CheckLimits(int Value, int Min, int Max) {
    if (Min == Max) return Value;
    if (Value < Min && Min >= 1) Value = Min;
    if (Value > Max && Max >= 1) Value = Max;
    return Value;
}

int Max(int A, int B) {
    return A > B ? A : B;
}

int Min(int A, int B) {
    return A < B ? A : B;
}

int FIPos(const AnsiString& Sub, const AnsiString& S) {
    return AnsiUpperCase(S).Pos(Sub);
}

int VarPos(const AnsiString& Sub, const AnsiString& S, int& Pos) {
    Pos = S.Pos(Sub);
    return Pos;
}

int CharPos(char Ch, const AnsiString& S) {
    const size_t p = S.str().find(Ch);
    return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
}

bool VarCharPos(char Ch, const AnsiString& S, int& Pos) {
    const int p = CharPos(Ch, S);
    if (p > 0) Pos = p;
    return p > 0;
}

bool VarCharPosNC(char Ch, const AnsiString& S, int& Pos) {
    const std::string& s = S.str();
    for (size_t i = 0; i < s.size(); ++i)
        if (static_cast<char>(cp1252::ToUpper(static_cast<unsigned char>(s[i]))) == Ch) {
            Pos = static_cast<int>(i) + 1;
            return true;
        }
    return false;
}

int SinglePos(char Ch, const AnsiString& S, int& Pos) {
    const std::string& s = S.str();
    const size_t n = s.size();
    Pos = 0;
    for (size_t i = 0; i < n;) {
        if (s[i] != Ch) {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < n && s[j] == Ch)
            ++j;
        if ((j - i) % 2 == 1 || j == n) {
            Pos = static_cast<int>(j);
            break;
        }
        i = j;
    }
    return Pos;
}

int NumSingleChar(char Ch, const AnsiString& S) {
    // What SinglePos finds one after another, each search after the last: every run of Ch
    // of odd length, and the run that ends the text whatever its length.
    const std::string& s = S.str();
    int n = 0;
    for (size_t i = 0; i < s.size();) {
        if (s[i] != Ch) {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < s.size() && s[j] == Ch)
            ++j;
        if ((j - i) % 2 == 1 || j == s.size()) ++n;
        i = j;
    }
    return n;
}

int NumChar(char Ch, const AnsiString& S) {
    return NumCharInStr(Ch, S);
}

int NumCharInStr(char Ch, const AnsiString& S) {
    int n = 0;
    for (char c : S.str())
        if (c == Ch) ++n;
    return n;
}

char FirstChar(const AnsiString& Set, const AnsiString& S, int& Pos) {
    const std::string& s = S.str();
    int comillas = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '"') ++comillas;
        if (comillas % 2 == 0 && Set.str().find(s[i]) != std::string::npos) {
            Pos = static_cast<int>(i) + 1;
            return s[i];
        }
    }
    Pos = -1;
    return '\0';
}

AnsiString GetToken(AnsiString& S, const AnsiString& Separator) {
    const int p = S.Pos(Separator);
    if (p == 0) return AnsiString();
    AnsiString token = S.SubString(1, p - 1);
    S.Delete(1, p);
    return token;
}

AnsiString StringListToText(TStrings* List) {
    AnsiString r;
    if (List == nullptr) return r;
    for (int i = 0; i < List->GetCount(); ++i)
        r += List->GetStrings(i);
    return r;
}

AnsiString DoubleToSingleChar(char Ch, const AnsiString& S) {
    const std::string& s = S.str();
    if (s.find(Ch) == std::string::npos) return S;
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != Ch) {
            r += s[i];
        } else if (i + 1 < s.size() && s[i + 1] == Ch) {
            r += Ch;
            ++i;
        }
    }
    return AnsiString(std::move(r));
}

void StringToPassword(AnsiString& S, char Ch) {
    for (char& c : S.str())
        c = Ch;
}

void StringToOem(AnsiString& S) {
    for (char& c : S.str())
        c = AOem(static_cast<unsigned char>(c));
}

void OemToString(AnsiString& S) {
    for (char& c : S.str())
        c = DeOem(static_cast<unsigned char>(c));
}

AnsiString ShiftCase(const AnsiString& Name) {
    const std::string& s = Name.str();
    const size_t n = s.size();
    std::string r;
    bool mayuscula = true;
    for (size_t i = 0; i < n; ++i) {
        char c = s[i];
        if (c == ' ' || c == '\'' || c == ',' || c == '-' || c == '.') {
            mayuscula = true;
        } else if (mayuscula) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
            mayuscula = false;
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        r += c;
        const size_t len = r.size();
        if (r == "Mc") mayuscula = true;
        if (len >= 3 && r.compare(len - 3, 3, " Mc") == 0 && r.find(" Mc") == len - 3)
            mayuscula = true;
        if (i + 3 >= n) {
            if (len >= 2 && r.compare(len - 2, 2, " I") == 0) mayuscula = true;
            if (len >= 3 && r.compare(len - 3, 3, " II") == 0) mayuscula = true;
        }
    }
    return AnsiString(std::move(r));
}

bool NameToCell(const AnsiString& Name, TPoint& Point) {
    const AnsiString s = UpperCase(Name);
    if (s.Length() < 4 || s[1] != 'R') return false;
    const int c = s.Pos("C");
    if (c == 0) return false;
    int fila = 0, columna = 0;
    if (!TryStrToInt(s.SubString(2, c - 2), fila) ||
        !TryStrToInt(s.SubString(c + 1, s.Length()), columna))
        return false;
    Point = TPoint(columna, fila);
    return true;
}

AnsiString RectString(const TRect& R) {
    return "[" + IntToStr(R.Left) + ":" + IntToStr(R.Top) + "][" + IntToStr(R.Right) + ":" +
           IntToStr(R.Bottom) + "]";
}

bool IsURL(const AnsiString& S) {
    return S.Pos("://") > 0 || S.Pos("mailto:") > 0;
}

void StripURLProtocol(AnsiString& S) {
    int p = S.Pos("://");
    if (p > 0) {
        S.Delete(1, p + 2);
        return;
    }
    p = S.Pos("mailto:");
    if (p > 0) S.Delete(1, p + 6);
}

// --- kinds of text and numbers ---

TTextType TextType(const AnsiString& S, bool HTML) {
    if (S.IsEmpty()) return ttText;
    const std::string t = S.str() + " ";
    if (t[0] == '=') return ttFormula;
    if (t.compare(0, 2, "|\\") == 0) return t.size() >= 4 && t[3] == '=' ? ttFormula : ttUnicode;
    if (t.compare(0, 2, "{\\") == 0) return ttRTF;
    if (HTML && (t.find("</") != std::string::npos || t.find("<B") != std::string::npos ||
                 t.find("<I") != std::string::npos))
        return ttHTML;
    return ttText;
}

TAutoType IsType(const AnsiString& S) {
    const std::string& s = S.str();
    if (s.empty()) return atString;
    const char miles = GetThousandSeparator(), decimal = GetDecimalSeparator();
    bool entero = true, real = true;
    int nMiles = 0, nMenos = 0, nDecimal = 0, ultimoMiles = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        const int pos = static_cast<int>(i) + 1;
        if (c == '-') {
            ++nMenos;
            if (pos != 1) entero = real = false;
        } else if (EsDigito(c)) {
        } else if (c == miles) {
            ++nMiles;
            entero = false;
            if (pos == 1 || (ultimoMiles > 0 && pos - ultimoMiles < 4)) real = false;
            ultimoMiles = pos;
        } else if (c == decimal) {
            ++nDecimal;
            entero = false;
        } else {
            entero = real = false;
        }
    }
    if (nMiles > 1 || nMenos > 1 || nDecimal > 1) return atString;
    if (entero) return atNumeric;
    if (real) return atFloat;
    return atString;
}

AnsiString RemoveSeps(const AnsiString& S) {
    std::string s = Trim(S).str();
    const char miles = GetThousandSeparator(), decimal = GetDecimalSeparator();
    bool negativo = false;
    if (s.size() >= 2 && s.front() == '(' && s.back() == ')') negativo = true;
    size_t i = 0;
    while (s.size() - i >= 2) {
        const char c = s[i];
        if (EsDigito(c) || c == 'E' || c == 'e' || c == miles || c == decimal) break;
        if (c == '-') negativo = true;
        ++i;
    }
    std::string r;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == miles) continue;
        if (c == decimal)
            r += '.';
        else if (EsDigito(c) || c == '+' || c == '-' || c == '.' || c == 'E' || c == 'e')
            r += c;
        else
            break;
    }
    if (negativo) r.insert(r.begin(), '-');
    return AnsiString(std::move(r));
}

AnsiString FixDecimalSeparator(const AnsiString& S) {
    AnsiString r = S;
    if (GetDecimalSeparator() != ',') return r;
    const size_t p = r.str().find(',');
    if (p != std::string::npos) r.str()[p] = '.';
    return r;
}

AnsiString HTMLColor(int Color) {
    char t[8];
    const unsigned c = static_cast<unsigned>(Color);
    std::snprintf(t, sizeof t, "%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    return AnsiString(t);
}

bool IsDateStr(const AnsiString& S) {
    const char sep = GetDateSeparator();
    const std::string& s = S.str();
    const size_t p = s.find(sep);
    if (p == std::string::npos || p < 1) return false;
    const size_t q = s.find(sep, p + 1);
    return q != std::string::npos && q - p >= 2;
}

// --- line breaks ---

AnsiString LineFeedsToCSV(const AnsiString& S) {
    std::string r = "\"";
    const std::string& s = S.str();
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
            r += '\x0B';
            ++i;
        } else {
            r += s[i];
        }
    }
    r += '"';
    return AnsiString(std::move(r));
}

AnsiString CSVToLineFeeds(const AnsiString& S) {
    return Reemplazar(S, '\x0B', "\r\n");
}

AnsiString LineFeedsToCSVNQ(const AnsiString& S) {
    std::string r;
    const std::string& s = S.str();
    for (size_t i = 0; i < s.size(); ++i)
        if (!(s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')) r += s[i];
    return AnsiString(std::move(r));
}

// The script form writes a line break (CR LF) as "~". A text that "~" alone cannot carry (one
// holding a "~", a lone CR or LF, or the escape mark "`", or the whole text "^", which reads
// back as an empty cell) escapes those characters with the mark: "`~" a "~", "`r" a CR, "`n"
// an LF, "``" the mark, "`^" a "^". Other texts are written as before.
namespace {
constexpr char kJavaEscape = '`';

bool JavaNeedsEscape(const std::string& S) {
    if (S == "^") return true;
    for (size_t i = 0; i < S.size(); ++i) {
        const char c = S[i];
        if (c == '~' || c == kJavaEscape) return true;
        if (c == '\r' && (i + 1 >= S.size() || S[i + 1] != '\n')) return true;
        if (c == '\n' && (i == 0 || S[i - 1] != '\r')) return true;
    }
    return false;
}
} // namespace

AnsiString LineFeedsToJava(const AnsiString& S) {
    const std::string& s = S.str();
    if (!JavaNeedsEscape(s)) return Reemplazar(Reemplazar(S, '\n', ""), '\r', "~");
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
            r += '~';
            ++i;
        } else if (c == '\r') {
            r += "`r";
        } else if (c == '\n') {
            r += "`n";
        } else if (c == '~' || c == '^' || c == kJavaEscape) {
            // "^" is escaped wherever it stands, so that a whole "^" is never written.
            r += kJavaEscape;
            r += c;
        } else {
            r += c;
        }
    }
    return AnsiString(std::move(r));
}

AnsiString JavaToLineFeeds(const AnsiString& S) {
    const std::string& s = S.str();
    if (s == "^") return AnsiString();
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '~') {
            r += "\r\n";
            continue;
        }
        if (c == kJavaEscape && i + 1 < s.size()) {
            // An unknown pair stays as it stands, as files without escapes hold it.
            switch (s[i + 1]) {
            case '~':
            case '^':
            case kJavaEscape:
                r += s[++i];
                continue;
            case 'r':
                r += '\r';
                ++i;
                continue;
            case 'n':
                r += '\n';
                ++i;
                continue;
            default:
                break;
            }
        }
        r += c;
    }
    return AnsiString(std::move(r));
}

AnsiString LFToCLF(const AnsiString& S) {
    return Reemplazar(Reemplazar(S, '\n', ""), '\r', "\\n");
}

AnsiString CLFToLF(const AnsiString& S) {
    std::string r;
    const std::string& s = S.str();
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 'n') {
            r += '\r';
            ++i;
        } else {
            r += s[i];
        }
    }
    return AnsiString(std::move(r));
}

AnsiString LfToFile(const AnsiString& S) {
    AnsiString r = S;
    for (char& c : r.str()) {
        if (c == '\r')
            c = '\x09';
        else if (c == '\n')
            c = '\x08';
    }
    return r;
}

AnsiString FileToLf(const AnsiString& S, bool MultiLine) {
    AnsiString r = S;
    if (r.str().find('\x08') != std::string::npos)
        for (char& c : r.str()) {
            if (c == '\x09')
                c = '\r';
            else if (c == '\x08')
                c = '\n';
        }
    if (MultiLine) return r;
    return GetNextLine(r, false);
}

AnsiString LineFeedsToXLS(const AnsiString& S) {
    // A lone CR is a line break of the cell too: it becomes the sheet's LF, not nothing.
    std::string out;
    const std::string& s = S.str();
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i] != '\r')
            out += s[i];
        else if (i + 1 >= s.size() || s[i + 1] != '\n')
            out += '\n';
    return AnsiString(std::move(out));
}

AnsiString CRToLF(const AnsiString& S) {
    return Reemplazar(S, '\r', "");
}

AnsiString HTMLLineBreaks(const AnsiString& S) {
    return Reemplazar(S, '\r', "<br>");
}

int LinesInText(const AnsiString& S, bool MultiLine) {
    return MultiLine ? 1 + NumCharInStr('\r', S) : 1;
}

AnsiString GetNextLine(AnsiString& S, bool MultiLine) {
    const int p = CharPos('\r', S);
    if (p == 0) {
        AnsiString r = S;
        S = AnsiString();
        return r;
    }
    AnsiString r = S.SubString(1, p - 1);
    S.Delete(1, p);
    if (S.Length() > 0 && S[1] == '\n') S.Delete(1, 1);
    if (!MultiLine) S = AnsiString();
    return r;
}

// --- wide text ---

int StrPosWide(const WideString& Sub, const WideString& S) {
    if (Sub.IsEmpty() || Sub.Length() > S.Length()) return 0;
    const size_t p = S.str().find(Sub.str());
    return p == std::u16string::npos ? 0 : static_cast<int>(p) + 1;
}

AnsiString EncodeWideStr(const WideString& S) {
    std::string r = "|\\";
    r.reserve(2 + 2 * S.str().size());
    for (char16_t c : S.str()) {
        r += static_cast<char>(c >> 8);
        r += static_cast<char>(c & 0xFF);
    }
    return AnsiString(std::move(r));
}

WideString DecodeWideStr(const AnsiString& S) {
    const std::string& s = S.str();
    if (!IsWideStr(S)) return WideString(S);
    std::u16string r;
    for (size_t i = 2; i + 1 < s.size(); i += 2)
        r += static_cast<char16_t>((static_cast<unsigned char>(s[i]) << 8) |
                                   static_cast<unsigned char>(s[i + 1]));
    return WideString(std::move(r));
}

// --- HTML clipboard ---

void MakeFragment(AnsiString& HTML) {
    static const char* const kInicio =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">"
        "<html><head><META http-equiv=Content-Type content=\"text/html; charset=utf-8\"></head>"
        "<body><!--StartFragment-->";
    static const char* const kFin = "<!--EndFragment--></body></html>";
    const int cabecera = 97;
    const int inicioFragmento =
        cabecera + static_cast<int>(std::char_traits<char>::length(kInicio));
    const int finFragmento = inicioFragmento + HTML.Length();
    const int finHTML = finFragmento + static_cast<int>(std::char_traits<char>::length(kFin));
    AnsiString r = "Version:1.0\r\n";
    r.cat_sprintf("%s%.8d\r\n", "StartHTML:", cabecera);
    r.cat_sprintf("%s%.8d\r\n", "EndHTML:", finHTML);
    r.cat_sprintf("%s%.8d\r\n", "StartFragment:", inicioFragmento);
    r.cat_sprintf("%s%.8d\r\n", "EndFragment:", finFragmento);
    HTML = r + kInicio + HTML + kFin;
}

// --- dates ---

TDateTime StrToShortdateUS(const AnsiString& S) {
    return FechaCorta(S, true);
}

TDateTime StrToShortDateEU(const AnsiString& S) {
    return FechaCorta(S, false);
}

TDateTime GetNextDate(TDateTime D, unsigned short Years, unsigned short Months, unsigned short Days,
                      TDateTime Increment) {
    const int pasos = (Years != 0) + (Months != 0) + (Days != 0);
    if (pasos != 1) return D + Increment;
    // The steps are 16-bit values: 65535 days or months is one back, as the 16-bit sum
    // wraps. A day that the new month lacks becomes its last day.
    if (Days != 0) return D + static_cast<short>(Days);
    int y = 0, m = 0, d = 0;
    DecodeDate(D, y, m, d);
    int meses = y * 12 + (m - 1) + static_cast<short>(Months) + 12 * static_cast<short>(Years);
    y = meses / 12;
    m = meses % 12 + 1;
    if (d > DaysInMonth(y, m)) d = DaysInMonth(y, m);
    return EncodeDate(y, m, d) + (D - std::floor(D));
}
