#include "controles/grid/markup/markup_helpers.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/base/files.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/images/image_list.h"
#include "plataforma/gui/services/shell_icons.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

char Mayuscula(char c) {
    return static_cast<char>(cp1252::ToUpper(static_cast<unsigned char>(c)));
}

// A tag runs from "<" to the next ">", or to the end of the text when none follows (what
// comes after such a "<" is not shown). The place of the tag's last character.
size_t FinDeEtiqueta(const std::string& s, size_t i) {
    const size_t fin = s.find('>', i);
    return fin == std::string::npos ? s.size() - 1 : fin;
}

// Whether the tag from I to Fin is "<BR>" or "<HR>" (any case): a line break.
bool EsSalto(const std::string& s, size_t i, size_t fin) {
    return fin == i + 3 && (HasNoCase(s, i, "<BR>") || HasNoCase(s, i, "<HR>"));
}

// The visible text: tags out; with Saltos, "<BR>" and "<HR>" (any case) as line breaks.
std::string SinEtiquetas(const std::string& s, bool saltos) {
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '<') {
            r += s[i];
            continue;
        }
        const size_t fin = FinDeEtiqueta(s, i);
        if (saltos && EsSalto(s, i, fin)) r += "\r\n";
        i = fin;
    }
    return r;
}

// Every "<Tag>" (or "</Tag>" with Cierre) taken out, case ignored.
std::string SinEtiqueta(const std::string& s, const std::string& etiqueta) {
    const std::string abre = "<" + etiqueta + ">", cierra = "</" + etiqueta + ">";
    std::string r;
    for (size_t i = 0; i < s.size();) {
        if (HasNoCase(s, i, abre)) {
            i += abre.size();
        } else if (HasNoCase(s, i, cierra)) {
            i += cierra.size();
        } else {
            r += s[i++];
        }
    }
    return r;
}

// "&lt;", "&gt;", "&amp;" and "&quot;", as written, decoded once.
std::string DecodificarValor(const std::string& s) {
    static constexpr TMarkupEntity tabla[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}, {"&quot;", "\""}};
    return DecodeEntities(s, tabla, false);
}

struct Control {
    size_t inicio = 0, fin = 0; // the tag's "<" and the place after its ">"
    AnsiString tipo, id, valor, ancho, prop;
    bool tieneProp = false;
};

struct Atributo {
    std::string nombre, valor;
};

// NAME="value" pairs (or NAME=value up to a blank); a value without its closing quote runs
// to the end.
std::vector<Atributo> Atributos(const std::string& t) {
    std::vector<Atributo> r;
    size_t i = 0;
    while (i < t.size()) {
        while (i < t.size() && static_cast<unsigned char>(t[i]) <= ' ')
            ++i;
        const size_t ini = i;
        while (i < t.size() && t[i] != '=' && static_cast<unsigned char>(t[i]) > ' ')
            ++i;
        Atributo a;
        for (size_t k = ini; k < i; ++k)
            a.nombre += Mayuscula(t[k]);
        if (i < t.size() && t[i] == '=') {
            ++i;
            if (i < t.size() && t[i] == '"') {
                const size_t cierre = t.find('"', i + 1);
                const size_t fin = cierre == std::string::npos ? t.size() : cierre;
                a.valor = t.substr(i + 1, fin - i - 1);
                i = cierre == std::string::npos ? t.size() : cierre + 1;
            } else {
                const size_t ini2 = i;
                while (i < t.size() && static_cast<unsigned char>(t[i]) > ' ')
                    ++i;
                a.valor = t.substr(ini2, i - ini2);
            }
        }
        if (!a.nombre.empty()) r.push_back(std::move(a));
        if (i == ini) ++i;
    }
    return r;
}

void LeerControl(const std::string& texto, Control& c) {
    for (const Atributo& a : Atributos(texto)) {
        if (a.nombre == "TYPE")
            c.tipo = AnsiUpperCase(AnsiString(a.valor));
        else if (a.nombre == "ID")
            c.id = AnsiString(a.valor);
        else if (a.nombre == "VALUE")
            c.valor = AnsiString(DecodificarValor(a.valor));
        else if (a.nombre == "WIDTH")
            c.ancho = AnsiString(a.valor);
        else if (a.nombre == "PROP") {
            c.prop = AnsiString(a.valor);
            c.tieneProp = true;
        }
    }
}

// Every CONTROL tag of the text, in order. A tag ends at the first ">" outside double
// quotes, or at the end of the text.
std::vector<Control> Controles(const std::string& s) {
    std::vector<Control> r;
    static const std::string_view marca = "<CONTROL";
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '<' || !HasNoCase(s, i, marca)) continue;
        const size_t tras = i + marca.size();
        if (tras < s.size() && static_cast<unsigned char>(s[tras]) > ' ' && s[tras] != '>')
            continue; // "<CONTROLX" is another tag
        Control c;
        c.inicio = i;
        size_t j = tras;
        bool comillas = false;
        for (; j < s.size(); ++j) {
            if (s[j] == '"') comillas = !comillas;
            if (s[j] == '>' && !comillas) break;
        }
        c.fin = j < s.size() ? j + 1 : s.size();
        LeerControl(s.substr(tras, j - tras), c);
        i = c.fin - 1;
        r.push_back(std::move(c));
    }
    return r;
}

// The Occurrence-th control (from 0) with that ID.
const Control* PorId(const std::vector<Control>& controles, const AnsiString& id,
                     int ocurrencia = 0) {
    for (const Control& c : controles)
        if (c.id == id && ocurrencia-- == 0) return &c;
    return nullptr;
}

bool DeEdicion(const Control& c) {
    return !(c.tipo == "BUTTON" || c.tipo == "CHECK" || c.tipo == "RADIO");
}

int ValorHex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

// Two hex digits; 0 for a text shorter than two.
int HexByte(const std::string& s, size_t i) {
    if (i + 2 > s.size()) return 0;
    return ValorHex(s[i]) * 16 + ValorHex(s[i + 1]);
}

} // namespace

bool HasNoCase(std::string_view S, size_t I, std::string_view Sub) {
    if (I + Sub.size() > S.size()) return false;
    for (size_t k = 0; k < Sub.size(); ++k)
        if (Mayuscula(S[I + k]) != Sub[k]) return false;
    return true;
}

std::string DecodeEntities(std::string_view S, std::span<const TMarkupEntity> Table, bool NoCase) {
    if (S.find('&') == std::string_view::npos) return std::string(S);
    std::string r;
    for (size_t i = 0; i < S.size();) {
        const TMarkupEntity* hallada = nullptr;
        if (S[i] == '&')
            for (const TMarkupEntity& e : Table)
                if (NoCase ? HasNoCase(S, i, e.Name) : S.substr(i, e.Name.size()) == e.Name) {
                    hallada = &e;
                    break;
                }
        if (hallada) {
            r += hallada->Value;
            i += hallada->Name.size();
        } else {
            r += S[i++];
        }
    }
    return r;
}

AnsiString HTMLStrip(const AnsiString& S) {
    return AnsiString(SinEtiquetas(S.str(), true));
}

AnsiString HiLight(const AnsiString& S, const AnsiString& H, const AnsiString& Tag, bool DoCase) {
    if (H.IsEmpty()) return S;
    const std::string& s = S.str();
    // A line break stands in the searched copy as "\r\n": no hit runs across it unseen.
    std::string visible = SinEtiquetas(s, true), buscado = H.str();
    if (!DoCase) {
        visible = AnsiUpperCase(AnsiString(visible)).str();
        buscado = AnsiUpperCase(H).str();
    }
    // The hits, in visible characters: they do not overlap, the next search starts right
    // after the last hit.
    std::vector<std::pair<size_t, size_t>> hits;
    for (size_t desde = 0;;) {
        const size_t p = visible.find(buscado, desde);
        if (p == std::string::npos) break;
        desde = p + buscado.size();
        hits.emplace_back(p, desde);
    }
    if (hits.empty()) return S;
    const std::string abre = "<" + Tag.str() + ">", cierra = "</" + Tag.str() + ">";
    // One walk over the markup: a hit opens right after the visible character before it and
    // closes right after its last one, before the tags that follow them; a hit that starts
    // where the one before ends opens after that one's closing tag. A line break counts as
    // its two characters: a hit that starts or ends between them opens or closes after it.
    std::string r;
    r.reserve(s.size() + hits.size() * (abre.size() + cierra.size()));
    size_t vistos = 0, k = 0;
    bool abierto = false;
    auto marcar = [&] {
        while (k < hits.size()) {
            if (abierto && hits[k].second <= vistos) {
                r += cierra;
                abierto = false;
                ++k;
            } else if (!abierto && hits[k].first <= vistos) {
                r += abre;
                abierto = true;
            } else {
                break;
            }
        }
    };
    for (size_t i = 0; i < s.size(); ++i) {
        marcar();
        if (s[i] == '<') {
            const size_t fin = FinDeEtiqueta(s, i);
            r.append(s, i, fin - i + 1);
            if (EsSalto(s, i, fin)) vistos += 2;
            i = fin;
        } else {
            r += s[i];
            ++vistos;
        }
    }
    marcar();
    return AnsiString(std::move(r));
}

AnsiString UnHiLight(const AnsiString& S, const AnsiString& Tag) {
    return AnsiString(SinEtiqueta(S.str(), AnsiUpperCase(Tag).str()));
}

AnsiString FixMarkup(const AnsiString& S) {
    std::string r;
    for (char c : S.str()) {
        switch (c) {
        case '&':
            r += "&amp;";
            break;
        case '"':
            r += "&quot;";
            break;
        case '<':
            r += "&lt;";
            break;
        case '>':
            r += "&gt;";
            break;
        default:
            r += c;
        }
    }
    return AnsiString(std::move(r));
}

AnsiString FixNonBreaking(const AnsiString& S) {
    std::string r;
    for (char c : S.str()) {
        if (c == ' ')
            r += "&nbsp;";
        else
            r += c;
    }
    return AnsiString(std::move(r));
}

bool HasHTMLControl(const AnsiString& S) {
    return AnsiUpperCase(S).Pos("<CONTROL") > 0;
}

bool GetControlValue(const AnsiString& S, const AnsiString& ID, AnsiString& Value) {
    const std::vector<Control> controles = Controles(S.str());
    const Control* c = PorId(controles, ID);
    if (c == nullptr) return false;
    Value = c->valor;
    return true;
}

AnsiString GetControlProp(const AnsiString& S, const AnsiString& ID) {
    const std::vector<Control> controles = Controles(S.str());
    const Control* c = PorId(controles, ID);
    return c != nullptr ? c->prop : AnsiString();
}

AnsiString GetNextControlID(const AnsiString& S, const AnsiString& ID) {
    int ocurrencia = 0;
    return GetNextControlID(S, ID, ocurrencia);
}

AnsiString GetNextControlID(const AnsiString& S, const AnsiString& ID, int& Occurrence) {
    const std::vector<Control> controles = Controles(S.str());
    size_t desde = 0;
    if (!ID.IsEmpty()) {
        const Control* c = PorId(controles, ID, Occurrence);
        if (c == nullptr) return AnsiString();
        desde = static_cast<size_t>(c - controles.data()) + 1;
    }
    for (size_t i = desde; i < controles.size(); ++i) {
        if (!DeEdicion(controles[i])) continue;
        Occurrence = static_cast<int>(
            std::count_if(controles.begin(), controles.begin() + static_cast<std::ptrdiff_t>(i),
                          [&](const Control& c) { return c.id == controles[i].id; }));
        return controles[i].id;
    }
    return AnsiString();
}

bool SetControlValue(AnsiString& S, const AnsiString& ID, const AnsiString& Value, int Occurrence) {
    const std::vector<Control> controles = Controles(S.str());
    const Control* c = PorId(controles, ID, Occurrence);
    if (c == nullptr) return false;
    auto atributo = [](const char* nombre, const AnsiString& v) {
        return std::string(" ") + nombre + "=\"" + v.str() + "\"";
    };
    std::string etiqueta = "<CONTROL" + atributo("ID", c->id) +
                           atributo("VALUE", FixMarkup(Value)) + atributo("WIDTH", c->ancho) +
                           atributo("TYPE", c->tipo);
    if (c->tieneProp) etiqueta += atributo("PROP", c->prop);
    etiqueta += ">";
    std::string& s = S.str();
    s.replace(c->inicio, c->fin - c->inicio, etiqueta);
    return true;
}

void ParseControlTag(const AnsiString& Tag, AnsiString& Type, AnsiString& ID, AnsiString& Value,
                     AnsiString& Width, AnsiString& Prop) {
    Control c;
    LeerControl(Tag.str(), c);
    Type = c.tipo;
    ID = c.id;
    Value = c.valor;
    Width = c.ancho;
    Prop = c.prop;
}

AnsiString PasswordMask(const AnsiString& S) {
    return AnsiString::StringOfChar('*', S.Length());
}

TColor ColorFromName(const AnsiString& Name) {
    static const struct {
        const char* nombre;
        TColor color;
    } fijos[] = {{"clred", clRed},         {"clblack", clBlack},   {"clblue", clBlue},
                 {"clgreen", clGreen},     {"claqua", clAqua},     {"clyellow", clYellow},
                 {"clfuchsia", clFuchsia}, {"clwhite", clWhite},   {"cllime", clLime},
                 {"clsilver", clSilver},   {"clgray", clGray},     {"clolive", clOlive},
                 {"clnavy", clNavy},       {"clpurple", clPurple}, {"clteal", clTeal},
                 {"clmaroon", clMaroon}};
    static const char* const sistema[] = {"clbackground",
                                          "clactivecaption",
                                          "clinactivecaption",
                                          "clmenu",
                                          "clwindow",
                                          "clwindowframe",
                                          "clmenutext",
                                          "clwindowtext",
                                          "clcaptiontext",
                                          "clactiveborder",
                                          "clinactiveborder",
                                          "clappworkspace",
                                          "clhighlight",
                                          "clhighlighttext",
                                          "clbtnface",
                                          "clbtnshadow",
                                          "clgraytext",
                                          "clbtntext",
                                          "clinactivecaptiontext",
                                          "clbtnhighlight",
                                          "cl3ddkshadow",
                                          "cl3dlight",
                                          "clinfotext",
                                          "clinfobk"};
    for (const auto& f : fijos)
        if (Name == f.nombre && f.color != 0) return f.color;
    for (int i = 0; i < 24; ++i)
        if (Name == sistema[i]) return SystemColor(i + 1);
    return 0;
}

TColor HexToColor(const AnsiString& S) {
    std::string s = S.str();
    if (!s.empty() && s[0] == '#') s.erase(0, 1);
    return HexByte(s, 0) + HexByte(s, 2) * 256 + HexByte(s, 4) * 65536;
}

bool ThemesUsable() {
    static const bool usable = true;
    return usable;
}

void DrawSystemIcon(TCanvas* Canvas, int X, int Y, TSize& Size, double Scale, bool Printing,
                    bool Draw, bool Large, const AnsiString& Name) {
    int indice = 0;
    SHFILEINFO info;
    const bool numero = TryStrToInt(Name, indice);
    if (!numero) {
        const UINT usar =
            FileExists(Name) || DirectoryExists(Name) ? 0u : UINT(SHGFI_USEFILEATTRIBUTES);
        SHGetFileInfo(Name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                      SHGFI_SYSICONINDEX | usar | (Large ? 0u : UINT(SHGFI_SMALLICON)));
        indice = info.iIcon;
    }
    auto lista = reinterpret_cast<HIMAGELIST>(SHGetFileInfo(
        "", 0, &info, sizeof info, SHGFI_SYSICONINDEX | (Large ? 0u : UINT(SHGFI_SMALLICON))));
    ImageList_GetIconSize(lista, &Size.cx, &Size.cy);
    if (!Draw) return;
    if (!Printing) {
        ImageList_Draw(lista, indice, Canvas->GetHandle(), X, Y, ILD_TRANSPARENT);
        return;
    }
    TBitmap mapa;
    mapa.SetSize(Size.cx, Size.cy);
    ImageList_Draw(lista, indice, mapa.GetCanvas()->GetHandle(), 0, 0, ILD_TRANSPARENT);
    PrintBitmap(Canvas,
                TRect(X, Y, X + static_cast<int>(std::lround(Size.cx * Scale)),
                      Y + static_cast<int>(std::lround(Size.cy * Scale))),
                &mapa);
}

void PrintBitmap(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap) {
    if (Bitmap == nullptr || Bitmap->GetEmpty()) return;
    Canvas->StretchDraw(R, Bitmap);
}

TRotatedFont::TRotatedFont(TCanvas* Canvas, int Degrees)
    : canvas_(Canvas), orientation_(Canvas->GetFont()->GetOrientation()) {
    canvas_->GetFont()->SetOrientation(Degrees * 10);
}

TRotatedFont::~TRotatedFont() {
    canvas_->GetFont()->SetOrientation(orientation_);
}
