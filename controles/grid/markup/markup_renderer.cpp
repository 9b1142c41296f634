// The markup renderer. The text is prepared once (markers, line breaks) and then read by
// index: each line is laid out by a measuring pass and then drawn by a second pass over the
// same stretch of text, so a text of any length costs time in proportion to its length.

#include "controles/grid/markup/markup_renderer.h"

#include "controles/comun/visual_styles.h"
#include "controles/grid/markup/markup_helpers.h"
#include "plataforma/base/cp1252.h"
#include "plataforma/base/numbers.h"
#include "plataforma/gui/painting/draw_edge.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/gdi.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

namespace {

constexpr UINT kFormato =
    DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING | DT_NOPREFIX; // 0x0A68
constexpr int kSangriaLista = 12;
// What a tag's number may bring (a width, a height, an indent, a place): more than a cell
// can show, and small enough that the layout's sums never overflow.
constexpr int kMaximoAtributo = 32767;
// Font sizes in points, either sign.
constexpr int kMaximoFuente = 1000;
// Where the pen and a line's width stop growing: far past any rectangle.
constexpr int kTope = 1 << 29;

// A + B held within the layout's range (each within it, or a bounded attribute).
int Sumar(int a, int b) {
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(a) + b, -kTope, kTope));
}

char Mayus(char c) {
    return static_cast<char>(cp1252::ToUpper(static_cast<unsigned char>(c)));
}

std::string Mayusculas(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = Mayus(c);
    return r;
}

// The markup made ready: "<#...>" markers become their text, CR becomes "<BR>", LF goes.
std::string Preparar(const std::string& s) {
    std::string r;
    r.reserve(s.size() + 16);
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '<' && i + 1 < s.size() && s[i + 1] == '#') {
            const size_t fin = s.find('>', i + 2);
            if (fin == std::string::npos) {
                r.append(s, i + 1, std::string::npos);
                break;
            }
            r.append(s, i + 1, fin - i - 1);
            i = fin;
        } else if (c == '\r') {
            r += "<BR>";
        } else if (c != '\n') {
            r += c;
        }
    }
    return r;
}

// The entities of a text segment (any case), decoded once.
std::string Decodificar(std::string_view s) {
    static constexpr TMarkupEntity tabla[] = {
        {"&AMP;", "&"},     {"&QUOT;", "\""},   {"&SECT;", "\xA7"}, {"&PERMIL;", "\x89"},
        {"&REG;", "\xAE"},  {"&COPY;", "\xA9"}, {"&PARA;", "\xB6"}, {"&TRADE;", "\x99"},
        {"&EURO;", "\x80"}, {"&NBSP;", " "},    {"&LT;", "<"},      {"&GT;", ">"}};
    return DecodeEntities(s, tabla, true);
}

// The value between the first pair of double quotes after Nombre in the tag (searched in
// Mayus, the tag in upper case), cut from Origen (the tag as written or in upper case).
// A value without its closing quote runs to the end of the tag.
bool Atributo(const std::string& mayus, const std::string& origen, std::string_view nombre,
              std::string& valor) {
    const size_t p = mayus.find(nombre);
    if (p == std::string::npos) return false;
    const size_t a = mayus.find('"', p + nombre.size());
    if (a == std::string::npos) return false;
    size_t b = mayus.find('"', a + 1);
    if (b == std::string::npos) b = mayus.size();
    valor = origen.substr(a + 1, b - a - 1);
    return true;
}

// A tag's number, within what a cell can show; 0 when it is not one.
int Numero(const std::string& s, int minimo = -kMaximoAtributo, int maximo = kMaximoAtributo) {
    int v = 0;
    return TryStrToInt(AnsiString(Trim(AnsiString(s))), v) ? std::clamp(v, minimo, maximo) : 0;
}

TColor ColorDeValor(const std::string& v) {
    if (!v.empty() && v[0] == '#') return HexToColor(AnsiString(v));
    return ColorFromName(LowerCase(AnsiString(v)));
}

// What the tags change and the passes share; the drawing pass starts a line from the state
// the measuring pass started it with.
struct Flujo {
    bool enAncla = false, sombra = false, sub = false, sup = false, oculto = false, error = false;
    bool fondoParrafo = false;
    TColor fondo = clNone;       // the background of text segments
    TColor fondoFuente = clNone; // what /FONT restores
    TColor hiTexto = clNone, hiFondo = clNone, parrafoFondo = clNone;
    TColor anclaFondo = clNone, anclaTexto = clNone;
    std::string href;
    int nivelLista = 0;
    int imagenes = 0;
    int controles = 0; // CONTROL tags met
    int anclas = 0;
    int orientacion = 0;
    TPoint anclaInicio;
    bool anclaEnLinea = false; // the anchor began on this line
    TPoint focoInicio;
};

struct Linea {
    int ancho = 0, alto = 0, sub = 0, sup = 0, descenso = 0;
};

class Renderizador {
public:
    Renderizador(TCanvas* c, const TRect& r) : c_(c), rect_(r) {}

    // Parameters of the call.
    TCustomImageList* imagenes = nullptr;
    int mouseX = 0, mouseY = 0, focusIndex = -1, hoverIndex = -1, shadowOffset = 0;
    bool hitPass = false, printing = false, selected = false, blinkOn = true, hoverOnly = false;
    bool wordWrap = true, mouseDown = false;
    double printScale = 1;
    TColor anchorColor = clBlue, hoverBack = clNone, hoverText = clNone, shadowColor = clGray;
    THTMLPictureCache* cache = nullptr;
    TPictureContainer* contenedor = nullptr;
    HWND ventana = nullptr;

    // Outputs.
    AnsiString* anchorHref = nullptr;
    std::string plano, focusHref, anchorTitle, controlId, controlValue, controlType;
    int extentX = 0, mouseAnchor = -1;
    TRect anchorRect, controlRect;
    // Which of the controls with ControlID the hit pass looks for; which one was found.
    int ocurrenciaBuscada = 0, ocurrencia = 0;
    int imagenHover = -1;

    Flujo flujo;
    TFont fuenteLlamador;
    TColor brochaEntrada = clNone;
    bool temas = false;
    int alineacion = 0, sangria = 0;

    void Preparar(const std::string& texto) {
        s_ = texto;
        proximoMenor_.assign(s_.size() + 1, s_.size());
        proximoEspacio_.assign(s_.size() + 1, s_.size());
        for (size_t i = s_.size(); i-- > 0;) {
            proximoMenor_[i] = s_[i] == '<' ? i : proximoMenor_[i + 1];
            proximoEspacio_[i] = s_[i] == ' ' ? i : proximoEspacio_[i + 1];
        }
    }
    size_t Largo() const { return s_.size(); }
    // The place after the character or tag at Pos.
    size_t Saltar(size_t pos) const {
        if (s_[pos] != '<') return pos + 1;
        const size_t fin = s_.find('>', pos);
        return fin == std::string::npos ? s_.size() : fin + 1;
    }

    int AltoGH() { return c_->TextHeight("gh"); }

    // One pass over a line from Pos (up to Limite); returns where it stopped.
    size_t Pasada(size_t pos, size_t limite, TRect r, bool medir, bool primera, Linea& l,
                  int izquierdaHit, bool& anclaHit, bool& objetoHit);

private:
    struct Objeto {
        int ancho = 0, alto = 0;
        bool hay = false;
    };

    bool Etiqueta(const std::string& t, TRect& r, bool medir, bool primera, Linea& l,
                  int izquierdaHit, int& x, bool& salto, bool& lineaConLI, bool& objetoHit);
    void Segmento(const std::string& seg, const TRect& r, const Linea& l, int x, int w);
    bool Imagen(const std::string& t, const TRect& r, bool medir, Linea& l, int izquierdaHit,
                int& x, bool& objetoHit);
    bool Control(const std::string& t, const TRect& r, bool medir, Linea& l, int izquierdaHit,
                 int& x, bool& objetoHit);
    THTMLPicture* Buscar(const std::string& nombre);
    void Fondo(const std::string& mayus);
    bool Colocar(Linea& l, const TRect& r, int& x, const Objeto& o);
    void Rellenar(const TRect& r, TColor color);
    void MarcoDeFoco(int izquierda, int derecha, int abajo);
    void Estilo(TFontStyle e, bool activo) {
        TFontStyles st = c_->GetFont()->GetStyle();
        if (activo)
            st << e;
        else
            st >> e;
        c_->GetFont()->SetStyle(st);
    }
    // The device context with the canvas's objects and a transparent text background (a
    // change of brush brings the background mode back).
    HDC Transparente() {
        HDC dc = c_->GetHandle();
        SetBkMode(dc, TRANSPARENT);
        return dc;
    }
    int Escala(int v, int indice) { return MulDiv(v, GetDeviceCaps(c_->GetHandle(), indice), 96); }

    TCanvas* c_;
    TRect rect_;
    bool marcaAncla_ = false;
    bool maquetar_ = true; // the pass that decides where the line ends
    std::string s_;
    std::vector<size_t> proximoMenor_, proximoEspacio_;
    std::vector<std::string> idsControles_; // the ID of each CONTROL tag met, in order
};

void Renderizador::Rellenar(const TRect& r, TColor color) {
    const TColor pluma = c_->GetPen()->GetColor();
    c_->GetBrush()->SetColor(color);
    c_->GetPen()->SetColor(color);
    c_->Rectangle(r);
    c_->GetPen()->SetColor(pluma);
}

// The dotted frame of the focused anchor from Izquierda to Derecha, one pixel wider on each
// side, cut to the rectangle of the call: an anchor that runs far past it (a wide control)
// is framed where it shows.
void Renderizador::MarcoDeFoco(int izquierda, int derecha, int abajo) {
    TRect f = InflateRect(TRect(izquierda, abajo - AltoGH(), derecha, abajo), 1, 0);
    f.Left = std::max(f.Left, rect_.Left);
    f.Right = std::min(f.Right, rect_.Right);
    if (f.Right > f.Left) c_->DrawFocusRect(f);
}

void Renderizador::Segmento(const std::string& seg, const TRect& r, const Linea& l, int x, int w) {
    TRect t(x, r.Top, r.Right, r.Bottom);
    if (flujo.sup) t.Bottom -= l.sup;
    if (flujo.sub) t.Bottom += l.sub;
    t.Bottom -= l.descenso;
    const UINT formato = kFormato | (wordWrap ? 0u : UINT(DT_END_ELLIPSIS));
    if (flujo.fondo != clNone) {
        const int alto = c_->TextHeight(AnsiString(seg));
        c_->GetBrush()->SetColor(flujo.fondo);
        c_->FillRect(TRect(x, t.Bottom - alto, std::min(x + w, r.Right), t.Bottom));
    }
    if (flujo.sombra) {
        const TColor color = c_->GetFont()->GetColor();
        c_->GetFont()->SetColor(shadowColor);
        TRect s = OffsetRect(t, shadowOffset, shadowOffset);
        DrawTextEx(Transparente(), seg.data(), static_cast<int>(seg.size()), &s, formato, nullptr);
        c_->GetFont()->SetColor(color);
    }
    if (c_->GetFont()->GetOrientation() != 0) {
        // The window layer turns the text of TextOut, not the layout of DrawText: turned
        // text starts at the segment's place on the line.
        Transparente();
        c_->TextOut(x, t.Bottom - c_->TextHeight(AnsiString(seg)), AnsiString(seg));
    } else {
        DrawTextEx(Transparente(), seg.data(), static_cast<int>(seg.size()), &t, formato, nullptr);
    }
    if (flujo.enAncla && flujo.anclas - 1 == focusIndex) focusHref = flujo.href;
    if (flujo.error) {
        // A zigzag in steps of 2 pixels that goes on from one segment to the next.
        const TColor pluma = c_->GetPen()->GetColor();
        c_->GetPen()->SetColor(0x0000FF);
        c_->GetPen()->SetWidth(1);
        const int base = r.Bottom;
        int xi = x & ~1;
        const int fin = std::min(x + w, r.Right);
        c_->MoveTo(xi, xi % 4 == 0 ? base + 1 : base - 1);
        while (xi < fin) {
            xi += 2;
            c_->LineTo(xi, xi % 4 == 0 ? base + 1 : base - 1);
        }
        c_->GetPen()->SetColor(pluma);
    }
}

size_t Renderizador::Pasada(size_t pos, size_t limite, TRect r, bool medir, bool primera, Linea& l,
                            int izquierdaHit, bool& anclaHit, bool& objetoHit) {
    anclaHit = objetoHit = false;
    maquetar_ = primera;
    r.Bottom -= l.sub;
    if (!medir && flujo.fondoParrafo)
        Rellenar(TRect(rect_.Left, r.Top, rect_.Right, r.Top + l.alto), c_->GetBrush()->GetColor());
    const int disponible = r.Right - r.Left;
    int x = r.Left;
    int espacioFinal = 0;
    bool salto = false, lineaConLI = false, hayTexto = false, terminaEnEspacio = false;
    bool recortado = false;
    while (pos < limite && !salto) {
        if (s_[pos] != '<') {
            size_t fin = std::min(proximoMenor_[pos], limite);
            if (wordWrap) fin = std::min(fin, proximoEspacio_[pos] + 1);
            fin = std::min(fin, limite);
            const std::string seg = Decodificar(std::string_view(s_).substr(pos, fin - pos));
            if (seg.empty()) {
                pos = fin;
                continue;
            }
            const TSize tam = c_->TextExtent(AnsiString(seg));
            if (flujo.sub) l.sub = std::max(l.sub, tam.cy / 4);
            if (flujo.sup) l.sup = std::max(l.sup, tam.cy / 4);
            l.alto = std::max(l.alto, tam.cy);
            if (primera) plano += seg;
            if (flujo.oculto) {
                pos = fin;
                continue;
            }
            const int w = tam.cx;
            if (recortado) {
                pos = fin; // after the text that overflowed: taken, not shown
                continue;
            }
            // A word wider than the line goes alone on a line; a word that follows text
            // without a space between is never moved apart from it.
            bool cabe = l.ancho + w < disponible || (w >= disponible && !hayTexto);
            if (!cabe && (!hayTexto || !terminaEnEspacio)) cabe = true;
            if (!maquetar_) cabe = true; // the second pass takes what the first one laid out
            if (!cabe && wordWrap) {
                salto = true;
                break;
            }
            const bool desborda =
                !wordWrap && (maquetar_ ? l.ancho + w >= disponible : x + w > r.Right);
            if (medir) {
                const int m = mouseX - izquierdaHit;
                if (flujo.enAncla && m >= l.ancho && m <= l.ancho + w) {
                    anclaHit = true;
                    if (mouseY > r.Top) {
                        *anchorHref = AnsiString(flujo.href);
                        marcaAncla_ = true;
                    }
                }
            } else {
                Segmento(seg, r, l, x, w);
            }
            x = Sumar(x, w);
            l.ancho = Sumar(l.ancho, w);
            pos = fin;
            const bool habiaTexto = hayTexto;
            hayTexto = true;
            terminaEnEspacio = seg.back() == ' ';
            espacioFinal = terminaEnEspacio ? c_->TextWidth(" ") : 0;
            // Without word wrap the text that overflows ends what is shown of the line; when
            // other text came before it, the rest of the text goes.
            if (desborda) {
                if (medir && habiaTexto) {
                    pos = limite;
                    break;
                }
                recortado = true;
            }
            continue;
        }
        if (Largo() - pos <= 2) {
            pos = limite;
            break;
        }
        const size_t cierre = s_.find('>', pos);
        if (cierre == std::string::npos || cierre >= limite) {
            pos = limite;
            break;
        }
        const std::string t = s_.substr(pos + 1, cierre - pos - 1);
        const bool consumida =
            Etiqueta(t, r, medir, primera, l, izquierdaHit, x, salto, lineaConLI, objetoHit);
        if (!consumida) break;
        pos = cierre + 1;
        if (!t.empty() && t[0] != '/') espacioFinal = 0;
    }
    l.ancho -= espacioFinal;
    if (medir) extentX = std::max(extentX, l.ancho);
    // A focused anchor that goes on to the next line is framed here and reopened there.
    if (!medir && flujo.enAncla && flujo.anclas - 1 == focusIndex) {
        MarcoDeFoco(flujo.focoInicio.x, x, r.Bottom - l.descenso);
        flujo.focoInicio = TPoint(rect_.Left + 1, 0);
    }
    if (flujo.enAncla) flujo.anclaEnLinea = false;
    return pos;
}

bool Renderizador::Colocar(Linea& l, const TRect& r, int& x, const Objeto& o) {
    const int disponible = r.Right - r.Left;
    if (maquetar_ && l.ancho + o.ancho > disponible && o.ancho < disponible && l.ancho > 0)
        return false;
    l.ancho = Sumar(l.ancho, o.ancho);
    x = Sumar(x, o.ancho);
    l.alto = std::max(l.alto, o.alto);
    return true;
}

THTMLPicture* Renderizador::Buscar(const std::string& nombre) {
    if (nombre.find(':') == std::string::npos)
        return contenedor ? contenedor->FindPicture(AnsiString(nombre)) : nullptr;
    if (nombre.find("://") == std::string::npos || cache == nullptr) return nullptr;
    THTMLPicture* p = cache->FindPicture(AnsiString(nombre));
    if (p == nullptr) {
        p = cache->AddPicture();
        p->SetAsynch(false);
        try {
            p->LoadFromURL(AnsiString(nombre));
        } catch (const Exception&) {
            // A picture that cannot be read stays empty and draws nothing.
        }
        p = cache->FindPicture(AnsiString(nombre));
    }
    return p;
}

bool Renderizador::Imagen(const std::string& t, const TRect& r, bool medir, Linea& l,
                          int izquierdaHit, int& x, bool& objetoHit) {
    const std::string mayus = Mayusculas(t);
    ++flujo.imagenes;
    std::string src, alt, valor;
    Atributo(mayus, t, "SRC", src);
    if (flujo.imagenes == imagenHover && Atributo(mayus, t, "ALT", alt)) src = alt;
    const std::string srcMayus = Mayusculas(src);
    const int ancho = Atributo(mayus, mayus, "WIDTH", valor) ? Numero(valor) : 0;
    const int alto = Atributo(mayus, mayus, "HEIGHT", valor) ? Numero(valor) : 0;
    Objeto o;
    const int y = r.Top;
    if (srcMayus.compare(0, 4, "IDX:") == 0) {
        const int n = Numero(srcMayus.substr(4));
        if (imagenes != nullptr && n >= 0 && n < imagenes->GetCount()) {
            o = {Escala(imagenes->GetWidth(), LOGPIXELSX),
                 Escala(imagenes->GetHeight(), LOGPIXELSY), true};
            if (!medir) {
                if (printing) {
                    TBitmap b;
                    imagenes->GetBitmap(n, &b);
                    PrintBitmap(
                        c_,
                        TRect(
                            x, y,
                            x + static_cast<int>(std::lround(imagenes->GetWidth() * printScale)),
                            y + static_cast<int>(std::lround(imagenes->GetHeight() * printScale))),
                        &b);
                } else {
                    imagenes->Draw(c_, x, y, n, true);
                }
            }
        }
    } else if (srcMayus.compare(0, 5, "SSYS:") == 0 || srcMayus.compare(0, 5, "LSYS:") == 0) {
        TSize tam;
        DrawSystemIcon(c_, x, y, tam, printScale, printing, !medir, srcMayus[0] == 'L',
                       AnsiString(src.substr(5)));
        o = {Escala(tam.cx, LOGPIXELSX), Escala(tam.cy, LOGPIXELSY), true};
    } else {
        THTMLPicture* p = Buscar(src);
        if (p != nullptr && !p->GetEmpty() && p->GetWidth() > 0) {
            if (ancho > 0 && alto > 0) {
                p->SetStretch(true);
                if (!medir) c_->StretchDraw(TRect(x, y, x + ancho, y + alto), p);
                o = {Escala(ancho, LOGPIXELSX), Escala(alto, LOGPIXELSY), true};
            } else {
                const int mw = p->GetMaxWidth(), mh = p->GetMaxHeight();
                if (!medir) {
                    if (p->GetFrameCount() > 1)
                        Rellenar(TRect(x, y, x + mw, y + mh), brochaEntrada);
                    c_->Draw(x + p->GetFrameXPos(), y + p->GetFrameYPos(), p);
                }
                o = {Escala(mw, LOGPIXELSX), Escala(mh, LOGPIXELSY), true};
            }
        }
    }
    if (!o.hay) return true; // nothing to show takes no space
    const int m = mouseX - izquierdaHit;
    if (flujo.enAncla && m > l.ancho && m < l.ancho + o.ancho && mouseY > r.Top &&
        mouseY < r.Top + o.alto) {
        objetoHit = true;
        *anchorHref = AnsiString(flujo.href);
        imagenHover = flujo.imagenes;
    }
    if (!Colocar(l, r, x, o)) {
        --flujo.imagenes;
        return false;
    }
    const size_t comilla = mayus.find('"');
    if (comilla != std::string::npos) {
        if (mayus.find("\"TOP", comilla) != std::string::npos)
            l.descenso = l.alto - AltoGH();
        else if (mayus.find("\"MIDDLE", comilla) != std::string::npos)
            l.descenso = (l.alto - AltoGH()) / 2;
    }
    return true;
}

bool Renderizador::Control(const std::string& t, const TRect& r, bool medir, Linea& l,
                           int izquierdaHit, int& x, bool& objetoHit) {
    AnsiString tipo, id, valor, ancho, prop;
    ParseControlTag(AnsiString(t.substr(7)), tipo, id, valor, ancho, prop);
    // Each tag is met once per pass over its line: counted the first time.
    const int indice = flujo.controles++;
    if (indice == static_cast<int>(idsControles_.size())) idsControles_.push_back(id.str());
    // Which of the controls with this ID it is.
    auto ocurrenciaDe = [&] {
        return static_cast<int>(
            std::count(idsControles_.begin(), idsControles_.begin() + indice, id.str()));
    };
    if (ancho.IsEmpty()) return true;
    Objeto o{Numero(ancho.str(), 0), AltoGH() + 6, true};
    const int b = r.Bottom, H = l.alto;
    const std::string& ti = tipo.str();
    if (ti == "COMBO") o.alto = 25;
    if (ti == "CHECK" || ti == "RADIO") o = {16, 16, true};
    if (ti == "BUTTON") o.alto = 24;
    const bool caliente =
        mouseX > x - 2 && mouseX < x + o.ancho - 2 && mouseY > b - o.alto - 2 && mouseY < b - 2;
    const bool marcado = UpperCase(valor) == "TRUE";
    if (!medir) {
        const TColor pluma = c_->GetPen()->GetColor();
        c_->GetPen()->SetColor(clGray);
        c_->GetBrush()->SetStyle(bsClear);
        HTHEME tema = nullptr;
        auto abrir = [&](const wchar_t* clase) {
            tema = temas ? Kavxpvs::OpenThemeData(ventana, clase) : nullptr;
            return tema != nullptr;
        };
        auto fondo = [&](int parte, int estado, const TRect& rr) {
            Kavxpvs::DrawThemeBackground(tema, c_->GetHandle(), parte, estado, &rr, nullptr);
            Kavxpvs::CloseThemeData(tema);
        };
        if (ti == "EDIT" || ti == "PASSWORD" || ti == "MASK") {
            c_->Rectangle(x, b - H + 3, x + o.ancho, b + 1);
            const AnsiString v = ti == "PASSWORD" ? PasswordMask(valor) : valor;
            TRect tr(x + 2, b - H + 4, x + o.ancho, b);
            DrawText(Transparente(), v.c_str(), v.Length(), &tr, kFormato);
        } else if (ti == "COMBO") {
            c_->Rectangle(x, b - H + 3, x + o.ancho, b + 1);
            TRect tr(x + 2, b - H + 6, x + o.ancho - 17, b);
            DrawText(Transparente(), valor.c_str(), valor.Length(), &tr, kFormato);
            TRect boton(x + o.ancho - 19, b - H + 6, x + o.ancho - 3, b - 2);
            if (abrir(L"combobox"))
                fondo(CP_DROPDOWNBUTTON, caliente ? CBXS_HOT : CBXS_NORMAL, boton);
            else
                DrawFrameControl(c_->GetHandle(), &boton, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
        } else if (ti == "CHECK") {
            TRect caja(x + 2, b - 15, x + 15, b);
            if (abrir(L"button"))
                fondo(BP_CHECKBOX, marcado ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL, caja);
            else
                DrawFrameControl(c_->GetHandle(), &caja, DFC_BUTTON,
                                 DFCS_BUTTONCHECK | DFCS_FLAT | (marcado ? DFCS_CHECKED : 0u));
        } else if (ti == "RADIO") {
            TRect caja(x + 2, b - 14, x + 14, b);
            const int estado = marcado ? (mouseDown && caliente ? 7
                                          : caliente            ? 6
                                                                : 5)
                                       : (mouseDown && caliente ? 3
                                          : caliente            ? 2
                                                                : 1);
            if (abrir(L"button"))
                fondo(BP_RADIOBUTTON, estado, caja);
            else
                DrawFrameControl(c_->GetHandle(), &caja, DFC_BUTTON,
                                 DFCS_BUTTONRADIO | DFCS_FLAT | (marcado ? DFCS_CHECKED : 0u));
        } else if (ti == "BUTTON") {
            TRect boton(x + 2, b - 20, x + o.ancho - 2, b);
            if (abrir(L"button"))
                fondo(BP_PUSHBUTTON,
                      mouseDown && caliente ? PBS_PRESSED
                      : caliente            ? PBS_HOT
                                            : PBS_NORMAL,
                      boton);
            else
                DrawFrameControl(c_->GetHandle(), &boton, DFC_BUTTON,
                                 DFCS_BUTTONPUSH | (caliente && mouseDown ? DFCS_PUSHED : 0u));
            TRect tr = InflateRect(boton, -2, -2);
            DrawText(Transparente(), valor.c_str(), valor.Length(), &tr,
                     DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        c_->GetBrush()->SetStyle(bsSolid);
        c_->GetPen()->SetColor(pluma);
    }
    if (ti == "BUTTON") o.alto = 18;
    const int m = mouseX - izquierdaHit;
    const bool encima =
        m > l.ancho && m < l.ancho + o.ancho && mouseY > r.Top && mouseY < r.Top + o.alto;
    if (encima || (hitPass && !controlId.empty() && controlId == id.str() &&
                   ocurrenciaDe() == ocurrenciaBuscada)) {
        objetoHit = true;
        ocurrencia = ocurrenciaDe();
        *anchorHref = "ctrl";
        imagenHover = flujo.imagenes;
        const int izq = Sumar(r.Left, l.ancho);
        controlRect = TRect(izq, r.Top, izq + o.ancho, r.Top + o.alto);
        controlValue = valor.str();
        controlId = id.str();
        controlType = tipo.str();
    }
    if (Colocar(l, r, x, o)) return true;
    --flujo.controles; // met again on the next line
    return false;
}

void Renderizador::Fondo(const std::string& mayus) {
    std::string valor;
    if (Atributo(mayus, mayus, "BACKGROUND", valor)) {
        THTMLPicture* p = Buscar(valor);
        if (p != nullptr && !p->GetEmpty() && p->GetWidth() > 0 && p->GetHeight() > 0) {
            HDC dc = c_->GetHandle();
            HRGN region = CreateRectRgnIndirect(&rect_);
            SelectClipRgn(dc, region);
            for (int y = rect_.Top; y < rect_.Bottom; y += p->GetHeight())
                for (int x = rect_.Left; x < rect_.Right; x += p->GetWidth())
                    c_->Draw(x, y, p);
            SelectClipRgn(c_->GetHandle(), nullptr);
            DeleteObject(region);
        }
    }
    if (Atributo(mayus, mayus, "BGCOLOR", valor)) {
        TColor color = clBlack;
        if (valor.find('#') != std::string::npos)
            color = HexToColor(AnsiString(valor));
        else if (valor.find("CL") != std::string::npos)
            color = ColorFromName(LowerCase(AnsiString(valor)));
        flujo.fondoFuente = color;
        Rellenar(rect_, color);
    }
}

bool Renderizador::Etiqueta(const std::string& t, TRect& r, bool medir, bool primera, Linea& l,
                            int izquierdaHit, int& x, bool& salto, bool& lineaConLI,
                            bool& objetoHit) {
    if (t.empty()) return true;
    TFont* f = c_->GetFont();
    const char c0 = Mayus(t[0]);
    const char c1 = t.size() > 1 ? Mayus(t[1]) : '\0';
    if (c0 == '/') {
        if (t.size() < 2) return true; // "</>": no effect
        const char n0 = c1;
        const char n1 = t.size() > 2 ? Mayus(t[2]) : '\0';
        switch (n0) {
        case 'A':
            if (!flujo.enAncla) break;
            if (!medir && (!hoverOnly || hoverIndex == flujo.anclas)) {
                Estilo(fsUnderline, false);
                if (hoverBack != clNone) flujo.fondo = flujo.anclaFondo;
                if (hoverText != clNone) f->SetColor(flujo.anclaTexto);
            }
            if (!selected) f->SetColor(fuenteLlamador.GetColor());
            if (marcaAncla_) {
                const TPoint ini = flujo.anclaEnLinea ? flujo.anclaInicio : TPoint(r.Left, r.Top);
                anchorRect = TRect(ini.x, ini.y, r.Left + l.ancho, r.Bottom);
                mouseAnchor = flujo.anclas;
                marcaAncla_ = false;
            }
            if (!medir && focusIndex == flujo.anclas - 1)
                MarcoDeFoco(flujo.focoInicio.x, x, r.Bottom - l.descenso);
            flujo.enAncla = false;
            flujo.href.clear();
            break;
        case 'B':
            if (t.size() == 2)
                Estilo(fsBold, false);
            else
                f->SetColor(fuenteLlamador.GetColor());
            break;
        case 'E':
            flujo.error = false;
            break;
        case 'F':
            f->SetName(fuenteLlamador.GetName());
            f->SetSize(fuenteLlamador.GetSize());
            if (!selected) f->SetColor(fuenteLlamador.GetColor());
            if (!medir) flujo.fondo = flujo.fondoFuente;
            break;
        case 'H':
            if (!medir) {
                f->SetColor(flujo.hiTexto != clNone ? flujo.hiTexto : fuenteLlamador.GetColor());
                flujo.fondo = flujo.hiFondo;
            }
            break;
        case 'I':
            Estilo(fsItalic, false);
            break;
        case 'L':
            salto = true;
            break;
        case 'P':
            salto = true;
            if (flujo.fondoParrafo) {
                flujo.fondoParrafo = false;
                c_->GetBrush()->SetColor(flujo.parrafoFondo == clNone ? brochaEntrada
                                                                      : flujo.parrafoFondo);
            }
            break;
        case 'R':
            f->SetOrientation(flujo.orientacion);
            break;
        case 'S':
            if (n1 == 'U')
                flujo.sub = flujo.sup = false;
            else if (n1 == 'H')
                flujo.sombra = false;
            else
                Estilo(fsStrikeOut, false);
            break;
        case 'U':
            if (t.size() == 2 || flujo.nivelLista == 0)
                Estilo(fsUnderline, false);
            else
                --flujo.nivelLista;
            break;
        case 'Z':
            flujo.oculto = false;
            break;
        default:
            break;
        }
        return true;
    }
    const std::string mayus = Mayusculas(t);
    std::string valor;
    switch (c0) {
    case 'A': {
        if (!medir && focusIndex == flujo.anclas) flujo.focoInicio = TPoint(x, r.Top);
        ++flujo.anclas;
        const bool estilo = !hoverOnly || hoverIndex == flujo.anclas;
        if (!medir && estilo) {
            Estilo(fsUnderline, true);
            if (hoverBack != clNone) {
                flujo.anclaFondo = flujo.fondo;
                flujo.fondo = hoverBack;
            }
            if (hoverText != clNone) {
                flujo.anclaTexto = f->GetColor();
                f->SetColor(hoverText);
            }
        }
        if (!selected && !(hoverOnly && hoverIndex == flujo.anclas && hoverText != clNone))
            f->SetColor(anchorColor);
        flujo.enAncla = true;
        flujo.href.clear();
        if (Atributo(mayus, t, "HREF", valor)) flujo.href = Decodificar(valor);
        if (Atributo(mayus, t, "TITLE", valor)) anchorTitle = Decodificar(valor);
        flujo.anclaInicio = TPoint(r.Left + l.ancho, r.Top);
        flujo.anclaEnLinea = true;
        break;
    }
    case 'B':
        if (c1 == 'R') {
            salto = true;
            if (primera) plano += '\r';
        } else if (c1 == 'L') {
            if (!blinkOn) f->SetColor(brochaEntrada);
        } else if (c1 == 'O') {
            if (!medir) Fondo(mayus);
        } else {
            Estilo(fsBold, true);
        }
        break;
    case 'C':
        if (HasNoCase(mayus, 0, "CONTROL"))
            return Control(t, r, medir, l, izquierdaHit, x, objetoHit);
        break;
    case 'E':
        flujo.error = true;
        break;
    case 'F':
        if (Atributo(mayus, mayus, "FACE", valor)) f->SetName(AnsiString(valor));
        if (Atributo(mayus, mayus, "SIZE", valor)) {
            static const int puntos[] = {8, 10, 12, 14, 16};
            const int n = Numero(valor, -kMaximoFuente, kMaximoFuente);
            f->SetSize(n >= 1 && n <= 5 ? puntos[n - 1] : n);
        }
        if (!selected) {
            if (Atributo(mayus, mayus, " COLOR", valor)) f->SetColor(ColorDeValor(valor));
            if (!medir && Atributo(mayus, mayus, "BGCOLOR", valor)) {
                flujo.fondoFuente = flujo.fondo;
                flujo.fondo = ColorDeValor(valor);
            }
        }
        break;
    case 'H':
        if (c1 == 'I') {
            if (!medir) {
                flujo.hiTexto = f->GetColor();
                flujo.hiFondo = flujo.fondo;
                flujo.fondo = clHighlight;
                f->SetColor(clHighlightText);
            }
        } else if (c1 == 'R') {
            salto = true;
            if (!medir) {
                const TColor pluma = c_->GetPen()->GetColor();
                c_->GetPen()->SetColor(clBlack);
                c_->MoveTo(r.Left, r.Bottom + 1);
                c_->LineTo(r.Right, r.Bottom + 1);
                c_->GetPen()->SetColor(pluma);
            }
        }
        break;
    case 'I':
        if (c1 == 'N') {
            if (Atributo(mayus, mayus, "X", valor)) {
                const int destino = Sumar(rect_.Left, Numero(valor));
                const int actual = Sumar(r.Left, l.ancho);
                if (destino > actual) {
                    x = Sumar(x, destino - actual);
                    l.ancho = Sumar(destino, -r.Left);
                }
            }
        } else if (c1 == 'M') {
            return Imagen(t, r, medir, l, izquierdaHit, x, objetoHit);
        } else {
            Estilo(fsItalic, true);
        }
        break;
    case 'L': {
        if (lineaConLI) {
            salto = true;
            return false; // the item starts the next line
        }
        lineaConLI = true;
        const int niveles = std::min(flujo.nivelLista, kTope / kSangriaLista);
        l.ancho = Sumar(l.ancho, niveles * kSangriaLista);
        x = Sumar(x, std::max(0, niveles - 1) * kSangriaLista);
        if (!medir) {
            const char* vineta = flujo.nivelLista % 2 == 1 ? "\x95" : "o";
            TRect vr(x, r.Top, x + kSangriaLista, r.Bottom - l.descenso);
            DrawText(Transparente(), vineta, 1, &vr, kFormato);
        }
        x = Sumar(x, kSangriaLista);
        break;
    }
    case 'P':
        if (Atributo(mayus, mayus, "ALIGN", valor)) {
            if (valor == "LEFT")
                alineacion = 0;
            else if (valor == "RIGHT")
                alineacion = 1;
            else if (valor == "CENTER")
                alineacion = 2;
        }
        if (Atributo(mayus, mayus, "INDENT", valor)) sangria = Numero(valor);
        if (!medir && Atributo(mayus, mayus, "BGCOLOR", valor)) {
            flujo.fondoParrafo = true;
            flujo.parrafoFondo = c_->GetBrush()->GetColor();
            Rellenar(TRect(rect_.Left, r.Top, rect_.Right, r.Bottom), ColorDeValor(valor));
        }
        break;
    case 'R': {
        const size_t a = t.find('"');
        if (a != std::string::npos) {
            const size_t b = t.find('"', a + 1);
            flujo.orientacion = f->GetOrientation();
            f->SetOrientation(
                Numero(t.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1)) *
                10);
        }
        break;
    }
    case 'S':
        if (mayus == "SUB")
            flujo.sub = true;
        else if (mayus == "SUP")
            flujo.sup = true;
        else if (c1 == 'H')
            flujo.sombra = true;
        else
            Estilo(fsStrikeOut, true);
        break;
    case 'U':
        if (t.size() == 1) {
            Estilo(fsUnderline, true);
        } else {
            ++flujo.nivelLista;
            salto = true;
        }
        break;
    case 'Z':
        flujo.oculto = true;
        break;
    default:
        break;
    }
    return true;
}

} // namespace

bool HTMLDrawEx(TCanvas* Canvas, AnsiString Text, const TRect& Rect, TCustomImageList* Images,
                int MouseX, int MouseY, int FocusIndex, int HoverIndex, int ShadowOffset,
                bool HitPass, bool MeasureOnly, bool Printing, bool Selected, bool BlinkOn,
                bool HoverOnly, bool WordWrap, bool MouseDown, double PrintScale,
                TColor AnchorColor, TColor HoverBackColor, TColor HoverTextColor,
                TColor ShadowColor, AnsiString& AnchorHref, AnsiString& PlainText,
                AnsiString& FocusHref, AnsiString& AnchorTitle, int& ExtentX, int& ExtentY,
                int& AnchorCount, int& MouseAnchor, TRect& AnchorRect, TRect& ControlRect,
                AnsiString& ControlID, AnsiString& ControlValue, AnsiString& ControlType,
                THTMLPictureCache* PictureCache, TPictureContainer* Container, HWND WindowHandle,
                int* ControlOccurrence) {
    // Every piece drawn shares one painter.
    const TCanvasBatch lote(Canvas);
    Renderizador d(Canvas, Rect);
    d.imagenes = Images;
    d.mouseX = MouseX;
    d.mouseY = MouseY;
    d.focusIndex = FocusIndex;
    d.hoverIndex = HoverIndex;
    d.shadowOffset = ShadowOffset;
    d.hitPass = HitPass;
    d.printing = Printing;
    d.selected = Selected;
    d.blinkOn = BlinkOn;
    d.hoverOnly = HoverOnly;
    d.wordWrap = WordWrap;
    d.mouseDown = MouseDown;
    d.printScale = PrintScale;
    d.anchorColor = AnchorColor;
    d.hoverBack = HoverBackColor;
    d.hoverText = HoverTextColor;
    d.shadowColor = ShadowColor;
    d.cache = PictureCache;
    d.contenedor = Container;
    d.ventana = WindowHandle;
    d.anchorHref = &AnchorHref;
    if (HitPass) d.controlId = ControlID.str();
    if (HitPass && ControlOccurrence != nullptr) d.ocurrenciaBuscada = *ControlOccurrence;

    TFont* fuente = Canvas->GetFont();
    d.fuenteLlamador.Assign(fuente);
    TFont fuenteMedir, fuenteDibujar;
    fuenteMedir.Assign(fuente);
    fuenteDibujar.Assign(fuente);
    const TColor brocha = Canvas->GetBrush()->GetColor();
    const TBrushStyle estiloBrocha = Canvas->GetBrush()->GetStyle();
    const TColor pluma = Canvas->GetPen()->GetColor();
    d.brochaEntrada = brocha;
    d.temas = ThemesUsable() && Kavxpvs::ThemedDrawing();
    const int modo = SetBkMode(Canvas->GetHandle(), TRANSPARENT);

    d.Preparar(Preparar(Text.str()));
    TRect trabajo = Rect;
    trabajo.Left += 1;
    bool resultado = false;
    int alturas = 0;
    size_t pos = 0;
    while (pos < d.Largo()) {
        const int base = Canvas->TextHeight("gh");
        Linea medida;
        medida.alto = base;
        // The drawing pass starts the line from the state the measuring pass started it
        // with; the hovered image found while measuring carries over.
        const Flujo antes = d.flujo;
        fuente->Assign(&fuenteMedir);
        bool anclaHit = false, objetoHit = false;
        size_t fin = d.Pasada(pos, d.Largo(), trabajo, true, true, medida, trabajo.Left, anclaHit,
                              objetoHit);
        // A line that took nothing (an object wider than any line) takes its first character
        // or tag all the same, so that the text always ends.
        if (fin == pos) fin = d.Saltar(pos);
        fuenteMedir.Assign(fuente);
        TRect linea = trabajo;
        if (d.alineacion == 1 && linea.Right - medida.ancho > linea.Left)
            linea.Left = linea.Right - medida.ancho;
        if (d.alineacion == 2 && linea.Right - linea.Left - medida.ancho > 0)
            linea.Left += (linea.Right - linea.Left - medida.ancho) / 2;
        linea.Left += d.sangria;
        const int alto = medida.alto + medida.sub + medida.sup;
        linea.Bottom = linea.Top + alto;
        if (!MeasureOnly) {
            const Flujo tras = d.flujo;
            d.flujo = antes;
            fuente->Assign(&fuenteDibujar);
            Linea dibujo = medida;
            dibujo.ancho = 0;
            d.Pasada(pos, fin, linea, HitPass, false, dibujo, linea.Left, anclaHit, objetoHit);
            fuenteDibujar.Assign(fuente);
            const int gh = Canvas->TextHeight("gh");
            const int abajo = linea.Bottom - medida.descenso;
            if ((anclaHit && MouseY > abajo - gh && MouseY < abajo) || objetoHit) resultado = true;
            (void)tras;
        }
        pos = fin;
        trabajo.Top = Sumar(trabajo.Top, alto);
        alturas = Sumar(alturas, alto);
        if (trabajo.Top + base > Rect.Bottom && !MeasureOnly) break;
    }
    fuente->Assign(&d.fuenteLlamador);
    if (alturas == 0) alturas = Canvas->TextHeight("gh");
    Canvas->GetBrush()->SetColor(brocha);
    Canvas->GetBrush()->SetStyle(estiloBrocha);
    Canvas->GetPen()->SetColor(pluma);
    SetBkMode(Canvas->GetHandle(), modo);

    PlainText = AnsiString(std::move(d.plano));
    FocusHref = AnsiString(d.focusHref);
    AnchorTitle = AnsiString(d.anchorTitle);
    ExtentX = d.extentX;
    ExtentY = alturas;
    AnchorCount = d.flujo.anclas;
    MouseAnchor = d.mouseAnchor;
    AnchorRect = d.anchorRect;
    ControlRect = d.controlRect;
    ControlID = AnsiString(d.controlId);
    ControlValue = AnsiString(d.controlValue);
    ControlType = AnsiString(d.controlType);
    if (ControlOccurrence != nullptr) *ControlOccurrence = d.ocurrencia;
    return MeasureOnly ? false : resultado;
}
