#include "comunes/IndiceBDL.h"

#include <bit>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr std::string_view kSetDefault = "SET-DEFAULT";
constexpr std::string_view kFor = "FOR";
// Lo que ocupa, como poco, un registro de una base: para reservar la lista de cabeceras.
constexpr size_t kBytesPorRegistro = 128;

bool EsFinDeLinea(char c) {
    return c == '\n' || c == '\r';
}

bool EsBlanco(char c) {
    return c == ' ' || c == '\t';
}

// Salta blancos y tabuladores desde i sin pasar de fin.
size_t Saltar(std::string_view t, size_t i, size_t fin) {
    while (i < fin && EsBlanco(t[i]))
        ++i;
    return i;
}

// El tipo: lo que hay hasta el siguiente blanco o el fin de línea.
std::string_view Palabra(std::string_view t, size_t i, size_t fin) {
    size_t j = i;
    while (j < fin && !EsBlanco(t[j]))
        ++j;
    return t.substr(i, j - i);
}

// La cabecera o el bloque por defecto que empieza en i, el primer carácter no blanco de la
// línea; falso si la línea no es ninguno de los dos.
bool LeerCabecera(std::string_view t, size_t i, size_t fin, BloqueBDL& bloque, bool& cabecera) {
    bloque.inicio = i;
    if (t[i] == '"') {
        // "nombre" = TIPO: blancos a ambos lados de un solo "=", y tras el tipo un blanco o
        // el fin de línea.
        size_t cierre = t.substr(i + 1, fin - i - 1).find('"');
        if (cierre == std::string_view::npos) return false;
        cierre += i + 1;
        size_t j = cierre + 1;
        if (j >= fin || !EsBlanco(t[j])) return false;
        j = Saltar(t, j, fin);
        if (j >= fin || t[j] != '=') return false;
        ++j;
        if (j >= fin || !EsBlanco(t[j])) return false;
        j = Saltar(t, j, fin);
        if (j >= fin || t[j] == '=' || t[j] == '"') return false;
        bloque.nombre = t.substr(i + 1, cierre - i - 1);
        bloque.posTipo = j;
        cabecera = true;
    } else if (t[i] == 'S' && t.compare(i, kSetDefault.size(), kSetDefault) == 0) {
        size_t j = i + kSetDefault.size();
        if (j >= fin || !EsBlanco(t[j])) return false;
        j = Saltar(t, j, fin);
        if (t.compare(j, kFor.size(), kFor) != 0) return false;
        j += kFor.size();
        if (j >= fin || !EsBlanco(t[j])) return false;
        j = Saltar(t, j, fin);
        if (j >= fin) return false;
        bloque.posTipo = j;
        cabecera = false;
    } else {
        return false;
    }
    bloque.tipo = Palabra(t, bloque.posTipo, fin);
    return true;
}

} // namespace

IndiceBDL::IndiceBDL(std::string_view texto) : IndiceBDL(PorPartes{}, texto.size()) {
    Acabar(texto);
}

IndiceBDL::IndiceBDL(PorPartes, size_t tamano) {
    // Un registro de una base ocupa unos cientos de bytes: así, la lista de un texto grande
    // no se copia al crecer (lo reservado y no usado no llega a pedirse al sistema).
    cabeceras_.reserve(tamano / kBytesPorRegistro);
}

void IndiceBDL::Anadir(std::string_view texto) {
#ifdef __SSE2__
    // Los fines de línea de 64 bytes de una vez, en una máscara; lo que no llega a 64 bytes
    // espera a la parte siguiente.
    const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
    for (; hecho_ + 64 <= texto.size(); hecho_ += 64) {
        uint64_t fines = 0;
        for (int k = 0; k < 4; ++k) {
            const __m128i v =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(texto.data() + hecho_ + 16 * k));
            const auto m = static_cast<uint32_t>(
                _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr))));
            fines |= static_cast<uint64_t>(m) << (16 * k);
        }
        for (; fines != 0; fines &= fines - 1)
            Linea(texto, hecho_ + static_cast<size_t>(std::countr_zero(fines)));
    }
#else
    (void)texto;
#endif
}

void IndiceBDL::Acabar(std::string_view texto) {
    Anadir(texto);
    while (inicio_ < texto.size())
        Linea(texto, FinDeLineaBDL(texto, inicio_));
    if (abierto_ != BloqueBDL::npos) ++sinCerrar_;
    CerrarSuelto(BloqueBDL::npos);
}

void IndiceBDL::Linea(std::string_view texto, size_t fin) {
    // Solo una línea que empieza (tras blancos) por ".", comillas o "S" puede ser un cierre
    // o una cabecera: las demás ni se miran.
    const size_t i = Saltar(texto, inicio_, fin);
    if (i < fin && (texto[i] == '.' || texto[i] == '"' || texto[i] == 'S'))
        AnalizarLinea(texto, i, fin);
    inicio_ = fin + 1;
}

void IndiceBDL::AnalizarLinea(std::string_view t, size_t i, size_t fin) {
    // Cierre: ".." solo en su línea, con blancos alrededor.
    if (t[i] == '.' && i + 1 < fin && t[i + 1] == '.' && Saltar(t, i + 2, fin) == fin) {
        if (abierto_ != BloqueBDL::npos) {
            (abiertoEsCabecera_ ? cabeceras_ : defectos_)[abierto_].fin = i;
            abierto_ = BloqueBDL::npos;
        } else {
            CerrarSuelto(i);
        }
        trasCierre_ = i + 2;
        return;
    }

    BloqueBDL bloque;
    bool cabecera = false;
    if (!LeerCabecera(t, i, fin, bloque, cabecera)) {
        if (abierto_ == BloqueBDL::npos && t[i] == '"') LineaSuelta(t, i, fin);
        return;
    }
    CerrarSuelto(BloqueBDL::npos);
    if (abierto_ != BloqueBDL::npos) ++sinCerrar_;

    // Una cabecera nueva deja sin cerrar al bloque que esperaba su "..".
    std::vector<BloqueBDL>& lista = cabecera ? cabeceras_ : defectos_;
    abierto_ = lista.size();
    abiertoEsCabecera_ = cabecera;
    lista.push_back(bloque);
    if (!cabecera) {
        defectoPorTipo_.emplace(bloque.tipo, abierto_);
        return;
    }
    // Las cabeceras seguidas suelen ser del mismo tipo: su lista se busca una vez.
    if (ultimaLista_ == nullptr || bloque.tipo != ultimoTipo_) {
        ultimaLista_ = &porTipo_[bloque.tipo];
        ultimoTipo_ = bloque.tipo;
    }
    ultimaLista_->push_back(abierto_);
}

void IndiceBDL::LineaSuelta(std::string_view t, size_t i, size_t fin) {
    if (suelto_ != BloqueBDL::npos) return;
    // Un registro sin cabecera reconocible empieza casi siempre por la línea de su nombre.
    suelto_ = i;
    const std::string_view resto = t.substr(i + 1, fin - i - 1);
    sueltoNombre_ = resto.substr(0, resto.find('"'));
    while (!sueltoNombre_.empty() && EsBlanco(sueltoNombre_.back()))
        sueltoNombre_.remove_suffix(1);
}

void IndiceBDL::CerrarSuelto(size_t cierre) {
    if (suelto_ == BloqueBDL::npos && cierre == BloqueBDL::npos) return;
    BloqueBDL registro;
    // Sin línea de nombre, el texto suelto empieza en algún sitio tras el último "..".
    registro.inicio = suelto_ != BloqueBDL::npos ? suelto_ : trasCierre_;
    registro.fin = cierre;
    registro.nombre = sueltoNombre_;
    sinCabecera_.push_back(registro);
    suelto_ = BloqueBDL::npos;
    sueltoNombre_ = {};
}

std::vector<std::string_view> IndiceBDL::TiposDeCabecera() const {
    std::vector<std::string_view> tipos;
    for (const auto& [tipo, lista] : porTipo_)
        tipos.push_back(tipo);
    return tipos;
}

const std::vector<size_t>* IndiceBDL::CabecerasDe(std::string_view tipo) const {
    // Un recorrido pide el mismo tipo en cada paso: se compara con el último antes de buscar.
    if (pedido_ != nullptr && pedido_->first == tipo) return &pedido_->second;
    auto it = porTipo_.find(tipo);
    if (it == porTipo_.end()) return nullptr;
    pedido_ = &*it;
    return &it->second;
}

size_t IndiceBDL::PrimeraConNombre(std::string_view tipo, std::string_view nombre) const {
    auto tipoIt = porTipo_.find(tipo);
    if (tipoIt == porTipo_.end()) return BloqueBDL::npos;
    // La clave ha de apuntar al texto, no al argumento, que puede morir antes que el índice.
    auto [it, nuevo] = porNombre_.try_emplace(tipoIt->first);
    if (nuevo) {
        it->second.reserve(tipoIt->second.size());
        for (size_t c : tipoIt->second)
            it->second.emplace(cabeceras_[c].nombre, c);
    }
    auto encontrado = it->second.find(nombre);
    return encontrado == it->second.end() ? BloqueBDL::npos : encontrado->second;
}

const BloqueBDL* IndiceBDL::Defectos(std::string_view tipo) const {
    if (defectoPorTipo_.empty()) return nullptr; // lo más común: sin bloques por defecto
    auto it = defectoPorTipo_.find(tipo);
    return it == defectoPorTipo_.end() ? nullptr : &defectos_[it->second];
}

// De ocho en ocho bytes: en cada bloque, el byte más bajo igual a LF o a CR.
size_t FinDeLineaBDL(std::string_view t, size_t i) {
    const size_t n = t.size();
    if constexpr (std::endian::native == std::endian::little) {
        constexpr uint64_t kUnos = 0x0101010101010101ull;
        constexpr uint64_t kAltos = kUnos * 0x80;
        for (; i + 8 <= n; i += 8) {
            uint64_t bloque;
            std::memcpy(&bloque, t.data() + i, 8);
            const uint64_t lf = bloque ^ (kUnos * '\n');
            const uint64_t cr = bloque ^ (kUnos * '\r');
            // Un byte a 0 enciende su bit alto; los de encima pueden encenderse de más,
            // los de debajo no: el más bajo es exacto.
            const uint64_t ceros = ((lf - kUnos) & ~lf & kAltos) | ((cr - kUnos) & ~cr & kAltos);
            if (ceros != 0) return i + static_cast<size_t>(std::countr_zero(ceros) / 8);
        }
    }
    while (i < n && !EsFinDeLinea(t[i]))
        ++i;
    return i;
}
