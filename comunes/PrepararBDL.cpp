#include "comunes/PrepararBDL.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUENBAR_BLOQUES_X86 1
#endif

namespace {

bool EsFinDeLinea(char c) {
    return c == '\n' || c == '\r';
}

// Cuántas veces está el carácter, saltando de una aparición a otra.
size_t Contar(const char* p, const char* fin, char c) {
    size_t n = 0;
    for (; const void* hallado = std::memchr(p, c, static_cast<size_t>(fin - p)); ++n)
        p = static_cast<const char*>(hallado) + 1;
    return n;
}

#ifdef QUENBAR_BLOQUES_X86
// Para cada máscara de 8 bytes que se quedan, de dónde sale cada byte de la salida.
struct TablaCompactar {
    uint8_t origen[256][8];
};

constexpr TablaCompactar HacerTablaCompactar() {
    TablaCompactar t{};
    for (int m = 0; m < 256; ++m) {
        int n = 0;
        for (int j = 0; j < 8; ++j)
            if ((m >> j) & 1) t.origen[m][n++] = static_cast<uint8_t>(j);
    }
    return t;
}

// Para un grupo de 4 bytes, con dos bits por byte (el bajo en los 4 bits bajos del índice,
// el alto en los 4 altos): 0, el byte no se escribe; 1, se escribe; 2, con un blanco
// delante; 3, con dos. De dónde sale cada byte de la salida (0x80, un blanco) y cuántos son.
struct TablaExpandir {
    alignas(16) uint8_t origen[256][16];
    uint8_t largo[256];
};

constexpr TablaExpandir HacerTablaExpandir() {
    TablaExpandir t{};
    for (int e = 0; e < 256; ++e) {
        int n = 0;
        for (int j = 0; j < 16; ++j)
            t.origen[e][j] = 0x80;
        for (int j = 0; j < 4; ++j) {
            const int codigo = ((e >> j) & 1) | (((e >> (4 + j)) & 1) << 1);
            for (int b = 1; b < codigo; ++b)
                t.origen[e][n++] = 0x80;
            if (codigo != 0) t.origen[e][n++] = static_cast<uint8_t>(j);
        }
        t.largo[e] = static_cast<uint8_t>(n);
    }
    return t;
}

// La regla comprimida sobre máscaras de bytes (un bit por byte en un entero, o un byte de
// 0 o 0xFF por byte en un vector): de las clases de cada byte y las del anterior, qué bytes
// se escriben ("bajo": el byte, o el blanco que sustituye al CR de un CR LF) y cuáles llevan
// un blanco delante ("alto").
template <class M> struct MascarasSalida { M bajo, alto; };

template <class M>
constexpr MascarasSalida<M> SalidaComprimida(M blanco, M lf, M cr, M crlf, M blancoPrevio,
                                             M lfPrevio, M crPrevio) {
    // Fines de línea que dan "\n" o "\r", y si el anterior lo era.
    const M fin = static_cast<M>((lf | cr) & ~crlf);
    const M finPrevio = static_cast<M>(lfPrevio | (crPrevio & ~lf));
    const M delante1 = static_cast<M>(fin & ~(lf & crPrevio));
    const M delante2 = static_cast<M>(finPrevio & ~blanco);
    return {static_cast<M>(~(blanco & blancoPrevio) ^ delante1 ^ delante2),
            static_cast<M>(delante1 | delante2)};
}

constexpr TablaCompactar kCompactar = HacerTablaCompactar();
constexpr TablaExpandir kExpandir = HacerTablaExpandir();

bool ConBloques16() {
    static const bool hay = __builtin_cpu_supports("ssse3") && __builtin_cpu_supports("popcnt");
    return hay;
}

bool ConBloques64() {
    static const bool hay = ConBloques16() && __builtin_cpu_supports("avx512f") &&
                            __builtin_cpu_supports("avx512bw") &&
                            __builtin_cpu_supports("avx512vbmi2");
    return hay;
}
#endif

class Preparacion {
public:
    Preparacion(std::string& texto, bool comprimir, size_t inicio)
        : texto_(texto), comprimir_(comprimir), base_(texto.data()), o_(base_),
          t_(texto.data() + inicio), n_(texto.size() - inicio) {}

    void Hacer(AnchoBDL ancho) {
#ifdef QUENBAR_BLOQUES_X86
        // El byte anterior a lo que queda: al principio, ninguno.
        char previo = '\0';
        if (ancho == AnchoBDL::Bloque64 && ConBloques64())
            previo = comprimir_ ? Bloques64<true>() : Bloques64<false>();
        if (ancho != AnchoBDL::Byte && ConBloques16()) {
            if (comprimir_)
                Bloques<true>(previo);
            else
                Bloques<false>(previo);
        }
#else
        (void)ancho;
#endif
        Bytes();
        const size_t largo = static_cast<size_t>(o_ - base_);
        if (!enSitio_) texto_.swap(aparte_);
        texto_.resize(largo);
    }

private:
    // Lo escrito alcanzaría a lo que queda por leer: lo hecho y el resto van a un texto
    // nuevo, con sitio para lo que añaden los fines de línea que quedan y para las
    // escrituras de 16 bytes de los bloques.
    void PasarAparte() {
        const char* resto = t_ + i_;
        const char* fin = t_ + n_;
        const size_t hecho = static_cast<size_t>(o_ - base_);
        aparte_.resize(hecho + static_cast<size_t>(fin - resto) +
                       2 * (Contar(resto, fin, '\n') + Contar(resto, fin, '\r')) + 64);
        std::memcpy(aparte_.data(), base_, hecho);
        base_ = aparte_.data();
        o_ = base_ + hecho;
        enSitio_ = false;
    }

#ifdef QUENBAR_BLOQUES_X86
    // Un grupo de 4 bytes del bloque, el g-ésimo, según los dos bits de cada byte.
    template <int g>
    __attribute__((target("ssse3"), always_inline)) static void Grupo(__m128i v, unsigned bajo,
                                                                      unsigned alto, char*& o) {
        const unsigned e = ((bajo >> (4 * g)) & 15) | (((alto >> (4 * g)) & 15) << 4);
        const __m128i origen =
            _mm_load_si128(reinterpret_cast<const __m128i*>(kExpandir.origen[e]));
        const __m128i r = _mm_shuffle_epi8(_mm_srli_si128(v, 4 * g), origen);
        const __m128i blancos = _mm_and_si128(
            _mm_cmpeq_epi8(origen, _mm_set1_epi8(static_cast<char>(0x80))), _mm_set1_epi8(' '));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_or_si128(r, blancos));
        o += kExpandir.largo[e];
    }

    // Los bytes de un bloque de 16 según sus dos bits (el bajo en "bajo", el alto en
    // "alto"): sin blancos añadidos, compactados de 8 en 8; con ellos, de 4 en 4. Escribe
    // como mucho 52 bytes desde o.
    __attribute__((target("ssse3,popcnt"), always_inline)) static void
    Escribir16(__m128i v, unsigned bajo, unsigned alto, char*& o) {
        if (alto == 0) {
            if (bajo == 0xFFFF) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(o), v);
                o += 16;
                return;
            }
            const unsigned b1 = bajo & 0xFF, b2 = bajo >> 8;
            const __m128i r1 = _mm_shuffle_epi8(
                v, _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kCompactar.origen[b1])));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(o), r1);
            o += __builtin_popcount(b1);
            const __m128i r2 = _mm_shuffle_epi8(
                _mm_srli_si128(v, 8),
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kCompactar.origen[b2])));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(o), r2);
            o += __builtin_popcount(b2);
            return;
        }
        Grupo<0>(v, bajo, alto, o);
        Grupo<1>(v, bajo, alto, o);
        Grupo<2>(v, bajo, alto, o);
        Grupo<3>(v, bajo, alto, o);
    }

    // Lo mismo que Bloques, 64 bytes de una vez mientras quedan al menos 65: las máscaras de
    // cada clase de byte en enteros de 64 bits (el anterior y el siguiente, por
    // desplazamiento), y sin blancos que añadir, los bytes que quedan compactados de una vez.
    // Un bloque con blancos que añadir se escribe de 16 en 16. Devuelve el último byte leído.
    template <bool comprimir>
    __attribute__((target("avx512f,avx512bw,avx512vbmi2,ssse3,popcnt"))) char Bloques64() {
        char* o = o_;
        size_t i = i_;
        const char* const t = t_;
        const size_t n = n_;
        const __m512i kBlanco = _mm512_set1_epi8(' ');
        uint64_t blancoAntes = 0, lfAntes = 0, crAntes = 0; // el bit del byte anterior
        while (i + 65 <= n) {
            // En su sitio, cada bloque escribe como mucho 196 bytes desde o.
            if (o + 256 > t + i && enSitio_) {
                o_ = o;
                i_ = i;
                PasarAparte();
                o = o_;
            }
            const char* p = t + i;
            _mm_prefetch(p + 2048, _MM_HINT_T0);
            const __m512i v = _mm512_loadu_si512(p);
            const uint64_t blanco = _mm512_cmpeq_epi8_mask(v, kBlanco);
            const uint64_t lf = _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('\n'));
            const uint64_t cr = _mm512_cmpeq_epi8_mask(v, _mm512_set1_epi8('\r'));
            const uint64_t lfDespues = (lf >> 1) | (static_cast<uint64_t>(p[64] == '\n') << 63);
            const uint64_t crlf = cr & lfDespues;
            uint64_t bajo, alto = 0;
            __m512i w = v;
            if constexpr (comprimir) {
                const auto salida =
                    SalidaComprimida<uint64_t>(blanco, lf, cr, crlf, (blanco << 1) | blancoAntes,
                                               (lf << 1) | lfAntes, (cr << 1) | crAntes);
                bajo = salida.bajo;
                alto = salida.alto;
                w = _mm512_mask_blend_epi8(crlf, v, kBlanco);
            } else {
                bajo = ~crlf;
            }
            blancoAntes = blanco >> 63;
            lfAntes = lf >> 63;
            crAntes = cr >> 63;
            i += 64;
            if (alto == 0) {
                _mm512_storeu_si512(o, _mm512_maskz_compress_epi8(bajo, w));
                o += __builtin_popcountll(bajo);
                continue;
            }
            Escribir16(_mm512_maskz_extracti32x4_epi32(0xF, w, 0), bajo & 0xFFFF, alto & 0xFFFF, o);
            Escribir16(_mm512_maskz_extracti32x4_epi32(0xF, w, 1), (bajo >> 16) & 0xFFFF,
                       (alto >> 16) & 0xFFFF, o);
            Escribir16(_mm512_maskz_extracti32x4_epi32(0xF, w, 2), (bajo >> 32) & 0xFFFF,
                       (alto >> 32) & 0xFFFF, o);
            Escribir16(_mm512_maskz_extracti32x4_epi32(0xF, w, 3), bajo >> 48, alto >> 48, o);
        }
        o_ = o;
        i_ = i;
        return i > 0 ? t[i - 1] : '\0';
    }

    // 16 bytes de una vez mientras quedan al menos 17 (el byte que sigue a un CR dice si va
    // ante un LF). Comprimido, lo que da cada byte depende solo de él, del anterior y del
    // siguiente, con los blancos de cada fin de línea repartidos así: el CR de un CR LF da
    // el blanco de delante; el LF, o el CR suelto, da "\n" (con su blanco delante si no
    // va tras un CR); el blanco de detrás lo da el byte siguiente: si es un blanco, él
    // mismo (que tras un fin de línea se escribe), y si no, uno que se pone delante de él.
    // Un blanco tras otro no se escribe. Así, un texto con CR LF y sangría solo compacta.
    // Las escrituras son de 8 o 16 bytes; lo que pasa de lo escrito se pisa después.
    template <bool comprimir> __attribute__((target("ssse3,popcnt"))) void Bloques(char ultimo) {
        // En variables propias: lo que se escribe por o no puede tocarlas.
        char* o = o_;
        size_t i = i_;
        const char* const t = t_;
        const size_t n = n_;
        const __m128i kBlanco = _mm_set1_epi8(' ');
        const __m128i kLF = _mm_set1_epi8('\n');
        const __m128i kCR = _mm_set1_epi8('\r');
        // El byte anterior al bloque, en el último puesto.
        __m128i anterior =
            _mm_insert_epi16(_mm_setzero_si128(), static_cast<unsigned char>(ultimo) << 8, 7);
        while (i + 17 <= n) {
            // En su sitio, cada bloque escribe como mucho 52 bytes desde o.
            if (o + 64 > t + i && enSitio_) {
                o_ = o;
                i_ = i;
                PasarAparte();
                o = o_;
            }
            const char* p = t + i;
            _mm_prefetch(p + 1024, _MM_HINT_T0);
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i siguiente = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
            const __m128i previo = _mm_alignr_epi8(v, anterior, 15);
            anterior = v;
            const __m128i cr = _mm_cmpeq_epi8(v, kCR);
            const __m128i crlf = _mm_and_si128(cr, _mm_cmpeq_epi8(siguiente, kLF));
            unsigned bajo, alto = 0;
            if constexpr (comprimir) {
                // Las mismas operaciones sobre los bytes de las comparaciones (0 o 0xFF).
                const auto salida = SalidaComprimida<__m128i>(
                    _mm_cmpeq_epi8(v, kBlanco), _mm_cmpeq_epi8(v, kLF), cr, crlf,
                    _mm_cmpeq_epi8(previo, kBlanco), _mm_cmpeq_epi8(previo, kLF),
                    _mm_cmpeq_epi8(previo, kCR));
                v = _mm_xor_si128(v, _mm_and_si128(crlf, _mm_set1_epi8('\r' ^ ' ')));
                bajo = static_cast<unsigned>(_mm_movemask_epi8(salida.bajo));
                alto = static_cast<unsigned>(_mm_movemask_epi8(salida.alto));
            } else {
                bajo = ~static_cast<unsigned>(_mm_movemask_epi8(crlf)) & 0xFFFF;
            }
            i += 16;
            Escribir16(v, bajo, alto, o);
        }
        o_ = o;
        i_ = i;
        if (comprimir) Cola(static_cast<char>(_mm_extract_epi16(anterior, 7) >> 8));
    }

    // Tras los bloques, lo que queda byte a byte con la misma regla; "previo" es el último
    // byte leído. Al final, el blanco de detrás de un último fin de línea.
    void Cola(char previo) {
        for (; i_ < n_; ++i_) {
            const char c = t_[i_];
            const char siguiente = i_ + 1 < n_ ? t_[i_ + 1] : '\0';
            const bool crlf = c == '\r' && siguiente == '\n';
            if (enSitio_ && o_ + 3 > t_ + i_) PasarAparte();
            if (c != ' ' && (previo == '\n' || (previo == '\r' && c != '\n'))) *o_++ = ' ';
            if (EsFinDeLinea(c) && !crlf && !(c == '\n' && previo == '\r')) *o_++ = ' ';
            if (c != ' ' || previo != ' ') *o_++ = crlf ? ' ' : c;
            previo = c;
        }
        if (previo == '\n' || previo == '\r') *o_++ = ' ';
    }
#endif

    // Byte a byte, con ocho de una vez mientras ninguno es un blanco, un fin de línea u
    // otro carácter de control.
    void Bytes() {
        while (i_ < n_) {
            while (i_ + 8 <= n_) {
                uint64_t bloque;
                std::memcpy(&bloque, t_ + i_, 8);
                constexpr uint64_t kUnos = 0x0101010101010101ull;
                if (((bloque - kUnos * 0x21) & ~bloque & (kUnos * 0x80)) != 0) break;
                std::memcpy(o_, &bloque, 8);
                o_ += 8;
                i_ += 8;
            }
            if (i_ == n_) break;
            const char c = t_[i_++];
            if (c != ' ' && !EsFinDeLinea(c)) {
                *o_++ = c;
                continue;
            }
            if (c == '\r' && i_ < n_ && t_[i_] == '\n') continue;
            if (!comprimir_) {
                *o_++ = c;
            } else if (c == ' ') {
                if (o_ == base_ || o_[-1] != ' ') *o_++ = ' ';
                while (i_ < n_ && t_[i_] == ' ')
                    ++i_;
            } else {
                // Cada fin de línea que queda añade como mucho dos caracteres.
                if (enSitio_ && o_ + 3 > t_ + i_) PasarAparte();
                *o_++ = ' ';
                *o_++ = c;
                *o_++ = ' ';
            }
        }
    }

    std::string& texto_;
    std::string aparte_;
    const bool comprimir_;
    char* base_;
    char* o_;
    const char* t_;
    const size_t n_;
    size_t i_ = 0;
    bool enSitio_ = true;
};

} // namespace

void PrepararTextoBDL(std::string& texto, bool comprimir, size_t inicio, AnchoBDL ancho) {
    Preparacion(texto, comprimir, inicio).Hacer(ancho);
}

bool PrepararPorPiezasBDL(std::string& destino, bool comprimir, const LeerPiezaBDL& leer,
                          const TratadaBDL& tratada, size_t pieza, AnchoBDL ancho) {
    pieza = std::max<size_t>(pieza, 1);
    // Delante de cada pieza, sitio para lo que añaden sus primeros fines de línea (si no
    // basta, se trata aparte).
    const size_t kMargen = std::min<size_t>(4096, pieza);
    // El margen, lo que queda de la pieza anterior sin tratar y lo leído.
    std::string trozo(kMargen, '\0');
    for (bool final = false; !final;) {
        size_t lleno = trozo.size();
        trozo.resize(lleno + pieza);
        while (lleno < trozo.size()) {
            const long leidos = leer(trozo.data() + lleno, trozo.size() - lleno);
            if (leidos < 0) return false;
            if (leidos == 0) {
                final = true;
                break;
            }
            lleno += static_cast<size_t>(leidos);
        }
        size_t corte = lleno;
        if (!final)
            while (corte > kMargen && (trozo[corte - 1] == ' ' || EsFinDeLinea(trozo[corte - 1])))
                --corte;
        if (corte == kMargen) {
            // Nada que tratar aún (solo blancos y fines de línea): se lee a continuación.
            trozo.resize(lleno);
            continue;
        }
        const std::string resto(trozo, corte, lleno - corte);
        trozo.resize(corte);
        PrepararTextoBDL(trozo, comprimir, kMargen, ancho);
        destino.append(trozo);
        if (tratada) tratada(destino);
        trozo.resize(kMargen); // lo que haya en el margen no cuenta
        trozo.append(resto);
    }
    return true;
}
