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

bool EsFinDeLinea(char c) {
    return c == '\n' || c == '\r';
}

// Salta blancos (y tabuladores si se piden) desde i sin pasar de fin.
size_t Saltar(std::string_view t, size_t i, size_t fin, bool tabuladores) {
    while (i < fin && (t[i] == ' ' || (tabuladores && t[i] == '\t')))
        ++i;
    return i;
}

// El tipo: lo que hay hasta el siguiente blanco o el fin de línea.
std::string_view Palabra(std::string_view t, size_t i, size_t fin) {
    size_t j = i;
    while (j < fin && t[j] != ' ')
        ++j;
    return t.substr(i, j - i);
}

} // namespace

IndiceBDL::IndiceBDL(std::string_view texto) {
    const size_t n = texto.size();
    size_t inicio = 0; // de la línea en curso
    // Solo una línea que empieza (tras blancos) por ".", comillas o "S" puede ser un cierre
    // o una cabecera: las demás ni se miran.
    auto linea = [&](size_t fin) {
        size_t i = inicio;
        while (i < fin && (texto[i] == ' ' || texto[i] == '\t'))
            ++i;
        if (i < fin && (texto[i] == '.' || texto[i] == '"' || texto[i] == 'S'))
            AnalizarLinea(texto, inicio, fin);
        inicio = fin + 1;
    };
#ifdef __SSE2__
    // Los fines de línea de 64 bytes de una vez, en una máscara.
    const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r');
    size_t bloque = 0;
    for (; bloque + 64 <= n; bloque += 64) {
        uint64_t fines = 0;
        for (int k = 0; k < 4; ++k) {
            const __m128i v =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(texto.data() + bloque + 16 * k));
            const auto m = static_cast<uint32_t>(
                _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr))));
            fines |= static_cast<uint64_t>(m) << (16 * k);
        }
        for (; fines != 0; fines &= fines - 1)
            linea(bloque + static_cast<size_t>(std::countr_zero(fines)));
    }
#endif
    while (inicio < n)
        linea(FinDeLineaBDL(texto, inicio));
}

void IndiceBDL::AnalizarLinea(std::string_view t, size_t inicio, size_t fin) {
    size_t i = Saltar(t, inicio, fin, true);
    if (i == fin) return;

    // Cierre: ".." solo en su línea, con blancos alrededor.
    if (t[i] == '.' && i + 1 < fin && t[i + 1] == '.' && Saltar(t, i + 2, fin, true) == fin) {
        if (abierto_ != BloqueBDL::npos) {
            (abiertoEsCabecera_ ? cabeceras_ : defectos_)[abierto_].fin = i;
            abierto_ = BloqueBDL::npos;
        }
        return;
    }

    BloqueBDL bloque;
    bloque.inicio = i;
    bool cabecera;
    if (t[i] == '"') {
        // "nombre" = TIPO: blancos a ambos lados de un solo "=", y tras el tipo un blanco o
        // el fin de línea.
        size_t cierre = t.substr(i + 1, fin - i - 1).find('"');
        if (cierre == std::string_view::npos) return;
        cierre += i + 1;
        size_t j = cierre + 1;
        if (j >= fin || t[j] != ' ') return;
        j = Saltar(t, j, fin, false);
        if (j >= fin || t[j] != '=') return;
        ++j;
        if (j >= fin || t[j] != ' ') return;
        j = Saltar(t, j, fin, false);
        if (j >= fin || t[j] == '=' || t[j] == '"') return;
        bloque.nombre = t.substr(i + 1, cierre - i - 1);
        bloque.posTipo = j;
        cabecera = true;
    } else if (t[i] == 'S' && t.compare(i, kSetDefault.size(), kSetDefault) == 0) {
        size_t j = i + kSetDefault.size();
        if (j >= fin || t[j] != ' ') return;
        j = Saltar(t, j, fin, false);
        if (t.compare(j, kFor.size(), kFor) != 0) return;
        j += kFor.size();
        if (j >= fin || t[j] != ' ') return;
        j = Saltar(t, j, fin, false);
        if (j >= fin) return;
        bloque.posTipo = j;
        cabecera = false;
    } else {
        return;
    }
    bloque.tipo = Palabra(t, bloque.posTipo, fin);

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

const std::vector<size_t>* IndiceBDL::CabecerasDe(std::string_view tipo) const {
    auto it = porTipo_.find(tipo);
    return it == porTipo_.end() ? nullptr : &it->second;
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
