#include "comunes/LeerBDL.h"

#include "comunes/PrepararBDL.h"
#include "comunes/Util.h"

#include "plataforma/base/files.h"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include <sys/mman.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr size_t npos = std::string_view::npos;
// Lo que se deja delante del fichero leído para tratarlo en su sitio: basta con creces para
// las primeras líneas vacías o sin sangría de un fichero.
constexpr size_t kMargen = 4096;
constexpr std::string_view kEntrada = "$LIBRARY-ENTRY";
// Columnas de las claves en la línea de una entrada, contando desde el "$" como 1.
constexpr size_t kColumnas[] = {16, 48, 64};

bool EsFinDeLinea(char c) {
    return c == '\n' || c == '\r';
}
bool EsBlanco(char c) {
    return c == ' ' || c == '\t';
}
bool EsEspacio(char c) {
    return EsBlanco(c) || EsFinDeLinea(c) || c == '\v' || c == '\f';
}
// Lo que puede preceder a una palabra clave.
bool EsSeparador(char c) {
    return EsBlanco(c) || EsFinDeLinea(c);
}
// Lo que puede seguir a una palabra clave.
bool EsFinDePalabra(char c) {
    return EsSeparador(c) || c == '=' || c == '(';
}

std::string_view SinBlancos(std::string_view s) {
    size_t a = 0, b = s.size();
    while (a < b && EsBlanco(s[a]))
        ++a;
    while (b > a && EsBlanco(s[b - 1]))
        --b;
    return s.substr(a, b - a);
}

std::string_view Vista(const AnsiString& s) {
    return std::string_view(s.str());
}

std::string Preparar(std::string_view bruto, LeerBDL::Forma forma) {
    std::string texto;
    texto.reserve(kMargen + bruto.size());
    texto.append(kMargen, '\0');
    texto.append(bruto);
    PrepararTextoBDL(texto, forma == LeerBDL::Forma::Comprimida, kMargen);
    return texto;
}

// Las páginas enteras entre las dos direcciones vuelven al sistema (se leerán como ceros),
// si pasan de 1 MB.
void DevolverPaginas(const char* desde, const char* hasta) {
    const long pagina = sysconf(_SC_PAGESIZE);
    if (pagina <= 0) return;
    const auto tam = static_cast<uintptr_t>(pagina);
    const auto primera = (reinterpret_cast<uintptr_t>(desde) + tam - 1) / tam * tam;
    const auto final = reinterpret_cast<uintptr_t>(hasta) / tam * tam;
    if (final > primera + (1u << 20))
        madvise(reinterpret_cast<void*>(primera), final - primera, MADV_DONTNEED);
}

// Lo que se va a escribir entre las dos direcciones, si pasa de unos megas, en páginas
// grandes del sistema donde las haya (2 MB): un fallo de página por cada una en lugar de
// uno por cada 4 KB.
void PedirPaginasGrandes(const char* desde, const char* hasta) {
#ifdef MADV_HUGEPAGE
    constexpr uintptr_t kGrande = uintptr_t{2} << 20;
    const uintptr_t primera = (reinterpret_cast<uintptr_t>(desde) + kGrande - 1) & ~(kGrande - 1);
    const uintptr_t final = reinterpret_cast<uintptr_t>(hasta) & ~(kGrande - 1);
    if (final >= primera + 2 * kGrande)
        madvise(reinterpret_cast<void*>(primera), final - primera, MADV_HUGEPAGE);
#else
    (void)desde;
    (void)hasta;
#endif
}

// El fichero entero, tratado por piezas a medida que se lee; vacío si no se puede leer. Con
// "indice", también el índice de sus registros, hecho pieza a pieza mientras cada una sigue
// en la caché.
bool LeerYPreparar(const AnsiString& ruta, LeerBDL::Forma forma, std::string& texto,
                   std::unique_ptr<IndiceBDL>* indice = nullptr) {
    texto.clear();
    FileReader fichero(ruta);
    if (!fichero.IsOpen()) return false;
    // Tratado, el texto no suele pasar del fichero: sin crecer, ni rellenarse de ceros antes.
    texto.reserve(fichero.SizeHint() + 64);
    PedirPaginasGrandes(texto.data(), texto.data() + texto.capacity());
    std::unique_ptr<IndiceBDL> hecho;
    if (indice != nullptr)
        hecho = std::make_unique<IndiceBDL>(IndiceBDL::PorPartes{}, fichero.SizeHint());
    const char* const sitio = texto.data();
    const bool leido = PrepararPorPiezasBDL(
        texto, forma == LeerBDL::Forma::Comprimida,
        [&fichero](char* destino, size_t n) { return fichero.Read(destino, n); },
        [&](const std::string& tratado) {
            // El índice guarda vistas del texto: si este cambia de sitio al crecer más de lo
            // previsto, se hará después, entero.
            if (hecho && tratado.data() != sitio) hecho.reset();
            if (hecho) hecho->Anadir(tratado);
        },
        // Un fichero pequeño, de una vez, sin un búfer de pieza más grande que él.
        fichero.SizeHint() > 0 ? std::min(kPiezaBDL, fichero.SizeHint() + 1) : kPiezaBDL);
    if (!leido) {
        texto.clear();
        return false;
    }
    if (hecho) {
        hecho->Acabar(texto);
        *indice = std::move(hecho);
    }
    return true;
}

// Como "%f" y "%d": salta los espacios y un "+" (from_chars solo acepta el "-"). npos si
// tras el "+" viene otro signo.
size_t InicioNumero(std::string_view t, size_t i) {
    while (i < t.size() && EsEspacio(t[i]))
        ++i;
    if (i < t.size() && t[i] == '+') {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) return npos;
    }
    return i;
}

// Un número como lo lee "%f" en el locale "C": blancos delante, signo, y el número más
// largo que se pueda leer. Se convierte directamente a float, sin pasar por otro texto,
// para no perder ningún valor. Infinito y NaN no valen; un valor demasiado pequeño da 0.
bool LeerFloatC(std::string_view t, size_t i, float& valor) {
    i = InicioNumero(t, i);
    if (i == npos) return false;
    const char* inicio = t.data() + i;
    const char* fin = t.data() + t.size();
    float f;
    auto [p, ec] = std::from_chars(inicio, fin, f, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Desbordamiento por arriba: no vale. Por abajo: el valor más cercano, o 0.
        double d;
        auto [p2, ec2] = std::from_chars(inicio, fin, d, std::chars_format::general);
        if (ec2 == std::errc() && std::isfinite(d) && std::fabs(d) <= FLT_MAX) {
            f = static_cast<float>(d);
        } else if (ec2 == std::errc::result_out_of_range) {
            std::string_view leido(inicio, static_cast<size_t>(p2 - inicio));
            size_t e = leido.find_first_of("eE");
            if (e == npos || e + 1 >= leido.size() || leido[e + 1] != '-') return false;
            f = *inicio == '-' ? -0.0f : 0.0f;
        } else {
            return false;
        }
    } else if (ec != std::errc()) {
        return false;
    }
    if (!std::isfinite(f)) return false;
    valor = f;
    return true;
}

// Un entero como lo lee "%d": blancos delante, signo y cifras; fuera de rango no vale.
bool LeerEnteroC(std::string_view t, size_t i, int& valor) {
    i = InicioNumero(t, i);
    if (i == npos) return false;
    int v;
    auto [p, ec] = std::from_chars(t.data() + i, t.data() + t.size(), v);
    if (ec != std::errc()) return false;
    valor = v;
    return true;
}

float FloatOCero(std::string_view t, size_t i) {
    float v = 0.0f;
    return LeerFloatC(t, i, v) ? v : 0.0f;
}

// Si la clave (no vacía) está en la posición y acaba donde acaba una palabra; una clave que
// acaba en separador ya marca ella misma ese límite. El blanco final de una clave vale
// también por un tabulador del texto: un fichero retocado a mano con un tabulador entre la
// palabra clave y su "=" se lee como si fuera un blanco.
bool ClaveEn(std::string_view t, size_t p, std::string_view clave) {
    const char ultimo = clave.back();
    const size_t exactos = ultimo == ' ' ? clave.size() - 1 : clave.size();
    if (clave.size() > t.size() - p || std::memcmp(t.data() + p, clave.data(), exactos) != 0)
        return false;
    if (ultimo == ' ' && !EsBlanco(t[p + exactos])) return false;
    if (EsBlanco(ultimo) || ultimo == '=' || ultimo == '(') return true;
    const size_t tras = p + clave.size();
    return tras >= t.size() || EsFinDePalabra(t[tras]);
}

// Si las comillas están abiertas en la posición hasta la que se ha avanzado, y si su línea
// es un comentario. Las comillas no pasan de una línea a otra.
class EstadoLinea {
public:
    void Avanzar(std::string_view t, size_t desde, size_t hasta) {
        for (size_t i = desde; i < hasta; ++i) {
            char c = t[i];
            if (EsFinDeLinea(c)) {
                inicio_ = true;
                comillas_ = false;
                comentario_ = false;
            } else if (inicio_) {
                if (EsBlanco(c)) continue;
                inicio_ = false;
                comentario_ = c == '$';
                if (c == '"') comillas_ = true;
            } else if (c == '"') {
                comillas_ = !comillas_;
            }
        }
    }
    // En un comentario una comilla suelta no esconde nada.
    bool DentroDeComillas() const { return comillas_ && !comentario_; }

private:
    bool inicio_ = true;
    bool comillas_ = false;
    bool comentario_ = false;
};

// Si una posición está dentro de un texto entre comillas de su línea (EstadoLinea), para
// posiciones que solo avanzan: se sigue desde la anterior si está en su misma línea.
class ComillasEn {
public:
    bool Dentro(std::string_view t, size_t p) {
        size_t linea = p;
        while (linea > hasta_ && !EsFinDeLinea(t[linea - 1]))
            --linea;
        if (linea > hasta_) estado_ = EstadoLinea();
        estado_.Avanzar(t, linea, p);
        hasta_ = p;
        return estado_.DentroDeComillas();
    }

private:
    EstadoLinea estado_;
    size_t hasta_ = 0;
};

bool EsLineaEntrada(std::string_view t, size_t p) {
    return t.compare(p, kEntrada.size(), kEntrada) == 0 && (p == 0 || EsFinDeLinea(t[p - 1]));
}

// Una clave de la línea de entrada que empieza en p: la columna hasta la siguiente clave,
// cortada en dos blancos seguidos.
std::string_view ClaveEntrada(std::string_view t, size_t p, int n) {
    size_t finLinea = FinDeLineaBDL(t, p);
    size_t a = p + kColumnas[n] - 1;
    if (a >= finLinea) return {};
    size_t b = n + 1 < 3 ? std::min(finLinea, p + kColumnas[n + 1] - 1) : finLinea;
    std::string_view campo = t.substr(a, b - a);
    campo = campo.substr(0, campo.find("  "));
    return SinBlancos(campo);
}

// La siguiente línea "$LIBRARY-ENTRY" desde "desde" cuya segunda clave es esa; npos si no.
size_t SiguienteLineaEntrada(std::string_view t, size_t desde, std::string_view clave2) {
    for (size_t p = t.find(kEntrada, desde); p != npos; p = t.find(kEntrada, p + 1))
        if (EsLineaEntrada(t, p) && ClaveEntrada(t, p, 1) == clave2) return p;
    return npos;
}

} // namespace

LeerBDL::LeerBDL(const AnsiString& ruta, Forma forma) : forma_(forma) {
    LeerYPreparar(ruta, forma, texto_, &indice_);
}

LeerBDL::LeerBDL(EnMemoria, std::string_view contenido, Forma forma)
    : texto_(Preparar(contenido, forma)), forma_(forma) {}

LeerBDL::LeerBDL(const AnsiString& ruta, Forma forma, bool& leido) : forma_(forma) {
    leido = LeerYPreparar(ruta, forma, texto_, &indice_);
}

LeerBDL::LeerBDL(Preparado, std::string texto, Forma forma)
    : texto_(std::move(texto)), forma_(forma) {}

LeerBDL::LeerBDL(const AnsiString& ruta, const AnsiString& clave1, const AnsiString& clave2,
                 const AnsiString& clave3)
    : forma_(Forma::Literal) {
    std::string todo;
    if (!LeerYPreparar(ruta, Forma::Literal, todo)) return;
    const std::string_view t = todo;
    const std::string_view k1 = SinBlancos(Vista(clave1));
    const std::string_view k2 = SinBlancos(Vista(clave2));
    const std::string_view k3 = SinBlancos(Vista(clave3));
    for (size_t p = SiguienteLineaEntrada(t, 0, k2); p != npos;
         p = SiguienteLineaEntrada(t, p + 1, k2)) {
        if (ClaveEntrada(t, p, 0) != k1) continue;
        if (k3 != "*" && ClaveEntrada(t, p, 2) != k3) continue;
        // Hasta la línea ".." incluida, o hasta la entrada siguiente o el final.
        size_t fin = FinDeLineaBDL(t, p);
        while (fin < t.size()) {
            size_t linea = fin + 1;
            size_t finLinea = FinDeLineaBDL(t, linea);
            if (EsLineaEntrada(t, linea)) {
                fin = linea;
                break;
            }
            fin = finLinea;
            if (SinBlancos(t.substr(linea, finLinea - linea)) == "..") {
                fin = std::min(t.size(), finLinea + 1);
                break;
            }
        }
        texto_.assign(t.substr(p, fin - p));
        return;
    }
}

LeerBDL::~LeerBDL() = default;

std::unique_ptr<LeerBDL> LeerBDL::ExtraerObjeto(const LeerBDL& fuente, const AnsiString& tipo,
                                                const AnsiString& nombre, bool& encontrado) {
    std::unique_ptr<LeerBDL> registro(new LeerBDL(Preparado{}, std::string(), fuente.forma_));
    encontrado = ExtraerObjetoEn(fuente, tipo, nombre, *registro);
    return registro;
}

bool LeerBDL::ExtraerObjetoEn(const LeerBDL& fuente, const AnsiString& tipo,
                              const AnsiString& nombre, LeerBDL& registro) {
    // Como recién hecho (con el cursor al principio, el recorrido no sigue del anterior), sin
    // soltar la memoria de su texto.
    registro.texto_.clear();
    registro.forma_ = fuente.forma_;
    registro.Reiniciar();
    registro.indice_.reset();

    const std::string_view t = fuente.texto_;
    const std::string_view clase = SinBlancos(Vista(tipo));
    const std::string_view buscado = SinComillas(Vista(nombre));
    const IndiceBDL& indice = fuente.Indice();
    size_t c = BloqueBDL::npos;
    if (fuente.actual_ != BloqueBDL::npos) {
        const BloqueBDL& h = indice.Cabecera(fuente.actual_);
        if (h.tipo == clase && h.nombre == buscado) c = fuente.actual_;
    }
    if (c == BloqueBDL::npos) c = indice.PrimeraConNombre(clase, buscado);
    if (c == BloqueBDL::npos || !indice.Cabecera(c).Cerrado()) return false;

    const BloqueBDL& h = indice.Cabecera(c);
    registro.texto_.assign(t.substr(h.inicio, h.fin - h.inicio));
    const BloqueBDL* defectos = indice.Defectos(clase);
    if (defectos != nullptr && defectos->Cerrado())
        registro.texto_.append(t.substr(defectos->inicio, defectos->fin - defectos->inicio));
    return true;
}

const IndiceBDL& LeerBDL::Indice() const {
    if (!indice_) indice_ = std::make_unique<IndiceBDL>(texto_);
    return *indice_;
}

size_t LeerBDL::BuscarClave(std::string_view clave) const {
    if (clave.empty()) return npos;
    const std::string_view t = texto_;
    // Una clave que empieza en separador ya marca ella misma ese límite.
    const bool empiezaSola = EsBlanco(clave.front());
    ComillasEn comillas;
    // Cada aparición del primer carácter; el límite de palabra, que descarta casi todas en
    // un texto de palabras clave en mayúsculas, se mira antes que el resto de la clave.
    const char primero = clave.front();
    for (size_t p = t.find(primero); p != npos; p = t.find(primero, p + 1)) {
        if (!empiezaSola && p > 0 && !EsSeparador(t[p - 1])) continue;
        if (ClaveEn(t, p, clave) && !comillas.Dentro(t, p)) return p;
    }
    return npos;
}

size_t LeerBDL::TrasIgual(size_t clave) const {
    if (clave == npos) return npos;
    size_t igual = texto_.find('=', clave);
    return igual == npos ? npos : igual + 1;
}

size_t LeerBDL::TrasParentesis(size_t clave) const {
    if (clave == npos) return npos;
    size_t abre = texto_.find('(', clave);
    return abre == npos ? npos : abre + 1;
}

int LeerBDL::LeerReal(const AnsiString& clave, float& valor) const {
    return LeerRealEn(BuscarClave(Vista(clave)), valor);
}

int LeerBDL::LeerRealEn(size_t clave, float& valor) const {
    size_t i = TrasIgual(clave);
    return i != npos && LeerFloatC(texto_, i, valor) ? 0 : -1;
}

int LeerBDL::LeerEntero(const AnsiString& clave, int& valor) const {
    size_t i = TrasIgual(BuscarClave(Vista(clave)));
    return i != npos && LeerEnteroC(texto_, i, valor) ? 0 : -1;
}

int LeerBDL::LeerCadena(const AnsiString& clave, AnsiString& valor) const {
    return LeerCadenaEn(BuscarClave(Vista(clave)), valor);
}

int LeerBDL::LeerCadenaEn(size_t clave, AnsiString& valor) const {
    std::string_view cadena;
    if (!CadenaEn(clave, cadena)) return -1;
    valor = AnsiString(cadena);
    return 0;
}

bool LeerBDL::CadenaEn(size_t clave, std::string_view& valor) const {
    size_t i = TrasIgual(clave);
    if (i == npos) return false;
    const std::string_view t = texto_;
    const size_t n = t.size();
    while (i < n && EsBlanco(t[i]))
        ++i;
    if (i < n && t[i] == '"') {
        // Las comillas se cierran en la misma línea; si no, el valor llega a su final.
        size_t j = i + 1;
        while (j < n && t[j] != '"' && !EsFinDeLinea(t[j]))
            ++j;
        if (j < n && t[j] == '"')
            valor = t.substr(i, j + 1 - i);
        else
            valor = SinBlancos(t.substr(i, j - i));
        return true;
    }
    size_t j = i;
    while (j < n && !EsBlanco(t[j]) && !EsFinDeLinea(t[j]))
        ++j;
    valor = t.substr(i, j - i);
    return true;
}

int LeerBDL::LeerListaReales(const AnsiString& clave, std::vector<float>& valores) const {
    return LeerListaRealesEn(BuscarClave(Vista(clave)), valores);
}

int LeerBDL::LeerListaRealesEn(size_t clave, std::vector<float>& valores) const {
    const std::string_view t = texto_;
    size_t abre = TrasParentesis(clave);
    if (abre == npos) return -1;
    size_t cierra = t.find(')', abre);
    if (cierra == npos) return -1;
    const std::string_view dentro = t.substr(abre, cierra - abre);
    std::vector<float> leidos;
    if (!std::all_of(dentro.begin(), dentro.end(), EsEspacio)) {
        size_t i = 0;
        while (true) {
            size_t coma = dentro.find(',', i);
            leidos.push_back(FloatOCero(dentro.substr(0, coma), i));
            if (coma == npos) break;
            i = coma + 1;
        }
    }
    valores = std::move(leidos);
    return static_cast<int>(valores.size());
}

int LeerBDL::LeerListaCadenas(const AnsiString& clave, std::vector<AnsiString>& valores) const {
    return LeerListaCadenasEn(BuscarClave(Vista(clave)), valores);
}

int LeerBDL::LeerListaCadenasEn(size_t clave, std::vector<AnsiString>& valores) const {
    std::vector<std::string_view> cadenas;
    if (ListaCadenasEn(clave, cadenas) < 0) return -1;
    valores.clear();
    for (std::string_view cadena : cadenas)
        valores.emplace_back(cadena);
    return static_cast<int>(valores.size());
}

int LeerBDL::ListaCadenasEn(size_t clave, std::vector<std::string_view>& valores) const {
    const std::string_view t = texto_;
    size_t i = TrasParentesis(clave);
    if (i == npos) return -1;
    // Solo textos entre comillas, comas y espacios: cualquier otra cosa acaba la lista,
    // para que una lista sin ")" no se lleve textos de las líneas siguientes.
    valores.clear();
    size_t finLinea = 0; // the end of the line of i: looked for again only on a new line
    while (true) {
        while (i < t.size() && (EsEspacio(t[i]) || t[i] == ','))
            ++i;
        if (i >= t.size() || t[i] != '"') break;
        if (i >= finLinea) finLinea = FinDeLineaBDL(t, i);
        const size_t cierre = t.find('"', i + 1);
        if (cierre == npos || cierre >= finLinea) break;
        valores.push_back(t.substr(i, cierre - i + 1));
        i = cierre + 1;
    }
    return static_cast<int>(valores.size());
}

int LeerBDL::ContarPares() const {
    size_t p = BuscarClave("V1");
    if (p == npos) return 0;
    return static_cast<int>(
        std::count(texto_.begin() + static_cast<std::ptrdiff_t>(p), texto_.end(), '('));
}

int LeerBDL::LeerPares(int cuenta, std::vector<std::pair<float, float>>& pares) const {
    const std::string_view t = texto_;
    size_t i = BuscarClave("V1");
    if (i == npos) return -1;
    std::vector<std::pair<float, float>> leidos;
    for (int k = 0; k < cuenta; ++k) {
        size_t abre = t.find('(', i);
        if (abre == npos) break;
        size_t coma = t.find(',', abre + 1);
        if (coma == npos) break;
        leidos.emplace_back(FloatOCero(t, abre + 1), FloatOCero(t, coma + 1));
        i = coma + 1;
    }
    pares = std::move(leidos);
    return static_cast<int>(pares.size());
}

size_t LeerBDL::Buscar(const AnsiString& texto, size_t inicio) const {
    if (texto.IsEmpty()) return 0;
    size_t p = texto_.find(texto.str(), inicio > 0 ? inicio - 1 : 0);
    return p == npos ? 0 : p + 1;
}

int LeerBDL::ContarObjetos(const AnsiString& tipo) const {
    const std::vector<size_t>* lista = Indice().CabecerasDe(SinBlancos(Vista(tipo)));
    return lista == nullptr ? 0 : static_cast<int>(lista->size());
}

void LeerBDL::Reiniciar() {
    cursor_ = 0;
    actual_ = BloqueBDL::npos;
}

AnsiString LeerBDL::SiguienteObjeto(const AnsiString& tipo) {
    const IndiceBDL& indice = Indice();
    const std::vector<size_t>* lista = indice.CabecerasDe(SinBlancos(Vista(tipo)));
    if (lista == nullptr) return AnsiString();
    auto pos = [&](size_t k) { return indice.Cabecera((*lista)[k]).posTipo; };
    // En un recorrido seguido, la siguiente es la que sigue en la lista a la última dada.
    size_t k = enLista_ + 1;
    if (lista != recorrida_ || k >= lista->size() || pos(enLista_) >= cursor_ || pos(k) < cursor_) {
        auto it = std::lower_bound(lista->begin(), lista->end(), cursor_, [&](size_t c, size_t p) {
            return indice.Cabecera(c).posTipo < p;
        });
        k = static_cast<size_t>(it - lista->begin());
    }
    if (k >= lista->size()) return AnsiString();
    const BloqueBDL& h = indice.Cabecera((*lista)[k]);
    recorrida_ = lista;
    enLista_ = k;
    actual_ = (*lista)[k];
    cursor_ = h.posTipo + 1;
    return AnsiString(h.nombre);
}

std::vector<RegistroIlegible>
LeerBDL::RegistrosIlegibles(const std::vector<std::string_view>& tipos) const {
    const IndiceBDL& indice = Indice();
    std::vector<std::string_view> leidos;
    for (std::string_view tipo : tipos)
        leidos.push_back(SinBlancos(tipo));
    auto seLee = [&](std::string_view tipo) {
        return std::find(leidos.begin(), leidos.end(), tipo) != leidos.end();
    };
    // Un fichero sano se reconoce sin recorrer sus cabeceras.
    const std::vector<std::string_view> presentes = indice.TiposDeCabecera();
    if (indice.SinCerrar() == 0 && indice.SinCabecera().empty() &&
        std::all_of(presentes.begin(), presentes.end(), seLee))
        return {};

    using Motivo = RegistroIlegible::Motivo;
    struct Hallado {
        BloqueBDL bloque;
        Motivo motivo;
    };
    std::vector<Hallado> hallados;
    // Las cabeceras seguidas suelen ser del mismo tipo: se mira una vez por racha.
    std::string_view ultimo;
    bool ultimoSeLee = false;
    for (const BloqueBDL& cabecera : indice.Cabeceras()) {
        if (cabecera.tipo != ultimo || ultimo.empty()) {
            ultimo = cabecera.tipo;
            ultimoSeLee = seLee(ultimo);
        }
        if (!ultimoSeLee)
            hallados.push_back({cabecera, Motivo::TipoDesconocido});
        else if (!cabecera.Cerrado())
            hallados.push_back({cabecera, Motivo::SinCierre});
    }
    for (const BloqueBDL& defectos : indice.BloquesDefectos())
        if (!defectos.Cerrado() && seLee(defectos.tipo))
            hallados.push_back({defectos, Motivo::DefectosSinCierre});
    const std::string_view t = texto_;
    for (BloqueBDL suelto : indice.SinCabecera()) {
        // Empieza en la primera línea que no es blanca ni un comentario; un ".." que solo
        // sigue a esas líneas no deja nada sin leer.
        const size_t hasta = std::min(suelto.fin, t.size());
        size_t p = suelto.inicio;
        while (p < hasta) {
            while (p < hasta && EsBlanco(t[p]))
                ++p;
            if (p < hasta && t[p] == '$') p = FinDeLineaBDL(t, p);
            if (p >= hasta || !EsFinDeLinea(t[p])) break;
            ++p;
        }
        if (p >= hasta) continue;
        suelto.inicio = p;
        hallados.push_back({suelto, Motivo::SinCabecera});
    }
    if (hallados.empty()) return {};

    std::sort(hallados.begin(), hallados.end(),
              [](const Hallado& a, const Hallado& b) { return a.bloque.inicio < b.bloque.inicio; });
    // Las líneas, contando los fines de línea de una sola pasada hasta cada sitio (el ".."
    // de un texto sin cabecera, desde su comienzo).
    auto lineasHasta = [&](size_t desde, size_t hasta, int linea) {
        for (size_t p = FinDeLineaBDL(t, desde); p < hasta; p = FinDeLineaBDL(t, p + 1))
            ++linea;
        return linea;
    };
    std::vector<RegistroIlegible> ilegibles;
    size_t contado = 0;
    int linea = 1;
    for (const Hallado& hallado : hallados) {
        const BloqueBDL& bloque = hallado.bloque;
        linea = lineasHasta(contado, bloque.inicio, linea);
        contado = bloque.inicio;
        RegistroIlegible registro;
        registro.motivo = hallado.motivo;
        registro.tipo = AnsiString(bloque.tipo);
        registro.nombre = AnsiString(bloque.nombre);
        registro.linea = linea;
        if (hallado.motivo == Motivo::SinCabecera && bloque.Cerrado())
            registro.lineaFin = lineasHasta(bloque.inicio, bloque.fin, linea);
        ilegibles.push_back(std::move(registro));
    }
    return ilegibles;
}

void LeerBDL::SoltarAnterioresA(const std::vector<std::string_view>& tipos) {
    const IndiceBDL& indice = Indice();
    size_t limite = texto_.size();
    for (std::string_view tipo : tipos) {
        tipo = SinBlancos(tipo);
        if (const std::vector<size_t>* lista = indice.CabecerasDe(tipo))
            limite = std::min(limite, indice.Cabecera(lista->front()).inicio);
        if (const BloqueBDL* defectos = indice.Defectos(tipo))
            limite = std::min(limite, defectos->inicio);
    }
    DevolverPaginas(texto_.data(), texto_.data() + limite);
}

int LeerBDL::ContarEntradas(const AnsiString& clave2) const {
    const std::string_view t = texto_;
    const std::string_view k2 = SinBlancos(Vista(clave2));
    int n = 0;
    for (size_t p = SiguienteLineaEntrada(t, 0, k2); p != npos;
         p = SiguienteLineaEntrada(t, p + 1, k2))
        ++n;
    return n;
}

int LeerBDL::SiguienteEntrada(const AnsiString& clave2, AnsiString& campo1, AnsiString& campo2,
                              AnsiString& campo3) {
    const std::string_view t = texto_;
    size_t p = SiguienteLineaEntrada(t, cursor_, SinBlancos(Vista(clave2)));
    if (p == npos) return -1;
    campo1 = AnsiString(ClaveEntrada(t, p, 0));
    campo2 = AnsiString(ClaveEntrada(t, p, 1));
    campo3 = AnsiString(ClaveEntrada(t, p, 2));
    cursor_ = p + 1;
    actual_ = BloqueBDL::npos;
    return 0;
}

ClavesBDL::ClavesBDL(std::initializer_list<std::string_view> claves)
    : ClavesBDL(std::vector<std::string_view>(claves)) {}

ClavesBDL::ClavesBDL(std::vector<std::string_view> claves) {
    if (claves.size() > kMaximo) throw std::length_error("ClavesBDL: demasiadas claves");
    for (size_t i = 0; i < claves.size(); ++i) {
        Clave clave{claves[i]};
        const size_t largo = std::min<size_t>(clave.texto.size(), 16);
        unsigned char bytes[16] = {};
        unsigned char mascara[16] = {};
        std::memcpy(bytes, clave.texto.data(), largo);
        std::memset(mascara, 0xFF, largo);
        clave.blancoFinal = !clave.texto.empty() && clave.texto.back() == ' ';
        if (clave.blancoFinal && clave.texto.size() <= 16) {
            bytes[largo - 1] = 0;
            mascara[largo - 1] = 0;
        }
        std::memcpy(clave.prefijo, bytes, 16);
        std::memcpy(clave.mascara, mascara, 16);
        if (!clave.texto.empty()) {
            const char ultimo = clave.texto.back();
            clave.acabaSola = EsBlanco(ultimo) || ultimo == '=' || ultimo == '(';
        }
        claves_.push_back(clave);
        if (clave.texto.empty()) continue; // nunca se encuentra
        const uint64_t bit = uint64_t{1} << i;
        if (EsSeparador(clave.texto.front()))
            enSeparador_ |= bit;
        else
            porPrimera_[static_cast<unsigned char>(clave.texto.front())] |= bit;
        todas_ |= bit;
    }
}

namespace {

// Los separadores de 16 bytes, un bit por byte.
uint32_t SeparadoresDe16(const char* bloque) {
#if defined(__SSE2__)
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bloque));
    const __m128i blancos =
        _mm_or_si128(_mm_cmpeq_epi8(b, _mm_set1_epi8(' ')), _mm_cmpeq_epi8(b, _mm_set1_epi8('\t')));
    const __m128i fines = _mm_or_si128(_mm_cmpeq_epi8(b, _mm_set1_epi8('\n')),
                                       _mm_cmpeq_epi8(b, _mm_set1_epi8('\r')));
    return static_cast<uint32_t>(_mm_movemask_epi8(_mm_or_si128(blancos, fines)));
#else
    uint32_t bits = 0;
    for (int i = 0; i < 16; ++i)
        if (EsSeparador(bloque[i])) bits |= 1u << i;
    return bits;
#endif
}

} // namespace

// Una pasada por los comienzos de palabra del texto (tras un separador, o al principio), de
// 16 en 16 bytes: en cada uno se prueban las claves pendientes que empiezan por su carácter,
// y las comillas solo se miran si alguna está ahí. La primera aparición de cada una es la
// suya.
CamposBDL::CamposBDL(const LeerBDL& lector, const ClavesBDL& claves) : lector_(lector) {
    // Solo se piden las del juego.
    std::fill_n(posiciones_.begin(), claves.Cuantas(), npos);
    const std::string_view t = lector.texto_;
    const char* d = t.data();
    const size_t n = t.size();
    for (uint64_t sueltas = claves.enSeparador_; sueltas != 0; sueltas &= sueltas - 1) {
        const auto i = static_cast<size_t>(std::countr_zero(sueltas));
        posiciones_[i] = lector.BuscarClave(claves.claves_[i].texto);
    }
    uint64_t pendientes = claves.todas_ & ~claves.enSeparador_;

    ComillasEn comillas;
    uint32_t tras = 1; // lo anterior al texto cuenta como separador
    for (size_t base = 0; base < n && pendientes != 0; base += 16) {
        uint32_t separadores;
        uint32_t validos = 0xFFFF;
        if (base + 16 <= n) {
            separadores = SeparadoresDe16(d + base);
        } else {
            char resto[16] = {};
            std::memcpy(resto, d + base, n - base);
            separadores = SeparadoresDe16(resto);
            validos = (1u << (n - base)) - 1;
        }
        // Un comienzo de palabra sigue a un separador y no lo es.
        for (uint32_t inicios = ((separadores << 1) | tras) & ~separadores & validos; inicios != 0;
             inicios &= inicios - 1) {
            const size_t p = base + static_cast<size_t>(std::countr_zero(inicios));
            uint64_t m = claves.porPrimera_[static_cast<unsigned char>(d[p])] & pendientes;
            if (m == 0) continue;
            uint64_t dieciseis[2] = {};
            const bool caben = p + 16 <= n;
            if (caben) std::memcpy(dieciseis, d + p, 16);
            int fuera = -1; // las comillas en p, si ya se han mirado
            for (; m != 0; m &= m - 1) {
                const auto i = static_cast<size_t>(std::countr_zero(m));
                const ClavesBDL::Clave& clave = claves.claves_[i];
                if (!caben) {
                    if (!ClaveEn(t, p, clave.texto)) continue;
                } else {
                    // Los 16 primeros bytes ya dicen si es ella; de los demás, si los hay, y
                    // del fin de palabra, solo si lo son.
                    if ((dieciseis[0] & clave.mascara[0]) != clave.prefijo[0] ||
                        (dieciseis[1] & clave.mascara[1]) != clave.prefijo[1])
                        continue;
                    const size_t largo = clave.texto.size();
                    const size_t exactos = clave.blancoFinal ? largo - 1 : largo;
                    if (largo > 16 &&
                        (largo > n - p ||
                         std::memcmp(d + p + 16, clave.texto.data() + 16, exactos - 16) != 0))
                        continue;
                    if (clave.blancoFinal && !EsBlanco(d[p + largo - 1])) continue;
                    if (!clave.acabaSola && p + largo < n && !EsFinDePalabra(d[p + largo]))
                        continue;
                }
                if (fuera < 0) fuera = comillas.Dentro(t, p) ? 0 : 1;
                if (fuera == 0) break;
                posiciones_[i] = p;
                pendientes &= ~(uint64_t{1} << i);
            }
        }
        tras = separadores >> 15;
    }
}

int CamposBDL::LeerReal(size_t clave, float& valor) const {
    return lector_.LeerRealEn(posiciones_[clave], valor);
}

int CamposBDL::LeerCadena(size_t clave, AnsiString& valor) const {
    return lector_.LeerCadenaEn(posiciones_[clave], valor);
}

bool CamposBDL::Texto(size_t clave, std::string_view& texto) const {
    std::string_view cadena;
    if (!lector_.CadenaEn(posiciones_[clave], cadena)) return false;
    texto = SinComillas(cadena);
    return true;
}

int CamposBDL::LeerListaReales(size_t clave, std::vector<float>& valores) const {
    return lector_.LeerListaRealesEn(posiciones_[clave], valores);
}

int CamposBDL::LeerListaCadenas(size_t clave, std::vector<AnsiString>& valores) const {
    return lector_.LeerListaCadenasEn(posiciones_[clave], valores);
}

int CamposBDL::ListaTextos(size_t clave, std::vector<std::string_view>& textos) const {
    const int cuantos = lector_.ListaCadenasEn(posiciones_[clave], textos);
    for (std::string_view& texto : textos)
        texto = SinComillas(texto);
    return cuantos;
}
