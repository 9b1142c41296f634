#include "Pelusta/md5.h"

#include <cstring>

namespace {

inline std::uint32_t Rotar(std::uint32_t x, int n) {
    return (x << n) | (x >> (32 - n));
}

// Palabra de 32 bits con el byte bajo primero, sea cual sea la máquina (el compilador
// lo deja en una sola carga).
inline std::uint32_t Palabra(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

inline void Guardar(std::uint8_t* p, std::uint32_t x) {
    p[0] = std::uint8_t(x);
    p[1] = std::uint8_t(x >> 8);
    p[2] = std::uint8_t(x >> 16);
    p[3] = std::uint8_t(x >> 24);
}

// Las cuatro funciones auxiliares de la RFC, escritas con menos operaciones.
#define MD5_F(x, y, z) ((z) ^ ((x) & ((y) ^ (z))))
#define MD5_G(x, y, z) ((y) ^ ((z) & ((x) ^ (y))))
#define MD5_H(x, y, z) ((x) ^ (y) ^ (z))
#define MD5_I(x, y, z) ((y) ^ ((x) | ~(z)))
#define MD5_PASO(f, a, b, c, d, x, t, s)                                                           \
    a += f(b, c, d) + (x) + (t);                                                                   \
    a = Rotar(a, s) + b;

} // namespace

Md5::Md5() {
    Reiniciar();
}

void Md5::Reiniciar() {
    estado_[0] = 0x67452301;
    estado_[1] = 0xefcdab89;
    estado_[2] = 0x98badcfe;
    estado_[3] = 0x10325476;
    largoTotal_ = 0;
    enPendiente_ = 0;
}

void Md5::ProcesarBloques(const std::uint8_t* p, std::size_t cuantos) {
    std::uint32_t a = estado_[0], b = estado_[1], c = estado_[2], d = estado_[3];
    for (; cuantos > 0; --cuantos, p += 64) {
        const std::uint32_t x0 = Palabra(p), x1 = Palabra(p + 4), x2 = Palabra(p + 8),
                            x3 = Palabra(p + 12), x4 = Palabra(p + 16), x5 = Palabra(p + 20),
                            x6 = Palabra(p + 24), x7 = Palabra(p + 28), x8 = Palabra(p + 32),
                            x9 = Palabra(p + 36), x10 = Palabra(p + 40), x11 = Palabra(p + 44),
                            x12 = Palabra(p + 48), x13 = Palabra(p + 52), x14 = Palabra(p + 56),
                            x15 = Palabra(p + 60);
        const std::uint32_t aa = a, bb = b, cc = c, dd = d;

        MD5_PASO(MD5_F, a, b, c, d, x0, 0xd76aa478, 7)
        MD5_PASO(MD5_F, d, a, b, c, x1, 0xe8c7b756, 12)
        MD5_PASO(MD5_F, c, d, a, b, x2, 0x242070db, 17)
        MD5_PASO(MD5_F, b, c, d, a, x3, 0xc1bdceee, 22)
        MD5_PASO(MD5_F, a, b, c, d, x4, 0xf57c0faf, 7)
        MD5_PASO(MD5_F, d, a, b, c, x5, 0x4787c62a, 12)
        MD5_PASO(MD5_F, c, d, a, b, x6, 0xa8304613, 17)
        MD5_PASO(MD5_F, b, c, d, a, x7, 0xfd469501, 22)
        MD5_PASO(MD5_F, a, b, c, d, x8, 0x698098d8, 7)
        MD5_PASO(MD5_F, d, a, b, c, x9, 0x8b44f7af, 12)
        MD5_PASO(MD5_F, c, d, a, b, x10, 0xffff5bb1, 17)
        MD5_PASO(MD5_F, b, c, d, a, x11, 0x895cd7be, 22)
        MD5_PASO(MD5_F, a, b, c, d, x12, 0x6b901122, 7)
        MD5_PASO(MD5_F, d, a, b, c, x13, 0xfd987193, 12)
        MD5_PASO(MD5_F, c, d, a, b, x14, 0xa679438e, 17)
        MD5_PASO(MD5_F, b, c, d, a, x15, 0x49b40821, 22)

        MD5_PASO(MD5_G, a, b, c, d, x1, 0xf61e2562, 5)
        MD5_PASO(MD5_G, d, a, b, c, x6, 0xc040b340, 9)
        MD5_PASO(MD5_G, c, d, a, b, x11, 0x265e5a51, 14)
        MD5_PASO(MD5_G, b, c, d, a, x0, 0xe9b6c7aa, 20)
        MD5_PASO(MD5_G, a, b, c, d, x5, 0xd62f105d, 5)
        MD5_PASO(MD5_G, d, a, b, c, x10, 0x02441453, 9)
        MD5_PASO(MD5_G, c, d, a, b, x15, 0xd8a1e681, 14)
        MD5_PASO(MD5_G, b, c, d, a, x4, 0xe7d3fbc8, 20)
        MD5_PASO(MD5_G, a, b, c, d, x9, 0x21e1cde6, 5)
        MD5_PASO(MD5_G, d, a, b, c, x14, 0xc33707d6, 9)
        MD5_PASO(MD5_G, c, d, a, b, x3, 0xf4d50d87, 14)
        MD5_PASO(MD5_G, b, c, d, a, x8, 0x455a14ed, 20)
        MD5_PASO(MD5_G, a, b, c, d, x13, 0xa9e3e905, 5)
        MD5_PASO(MD5_G, d, a, b, c, x2, 0xfcefa3f8, 9)
        MD5_PASO(MD5_G, c, d, a, b, x7, 0x676f02d9, 14)
        MD5_PASO(MD5_G, b, c, d, a, x12, 0x8d2a4c8a, 20)

        MD5_PASO(MD5_H, a, b, c, d, x5, 0xfffa3942, 4)
        MD5_PASO(MD5_H, d, a, b, c, x8, 0x8771f681, 11)
        MD5_PASO(MD5_H, c, d, a, b, x11, 0x6d9d6122, 16)
        MD5_PASO(MD5_H, b, c, d, a, x14, 0xfde5380c, 23)
        MD5_PASO(MD5_H, a, b, c, d, x1, 0xa4beea44, 4)
        MD5_PASO(MD5_H, d, a, b, c, x4, 0x4bdecfa9, 11)
        MD5_PASO(MD5_H, c, d, a, b, x7, 0xf6bb4b60, 16)
        MD5_PASO(MD5_H, b, c, d, a, x10, 0xbebfbc70, 23)
        MD5_PASO(MD5_H, a, b, c, d, x13, 0x289b7ec6, 4)
        MD5_PASO(MD5_H, d, a, b, c, x0, 0xeaa127fa, 11)
        MD5_PASO(MD5_H, c, d, a, b, x3, 0xd4ef3085, 16)
        MD5_PASO(MD5_H, b, c, d, a, x6, 0x04881d05, 23)
        MD5_PASO(MD5_H, a, b, c, d, x9, 0xd9d4d039, 4)
        MD5_PASO(MD5_H, d, a, b, c, x12, 0xe6db99e5, 11)
        MD5_PASO(MD5_H, c, d, a, b, x15, 0x1fa27cf8, 16)
        MD5_PASO(MD5_H, b, c, d, a, x2, 0xc4ac5665, 23)

        MD5_PASO(MD5_I, a, b, c, d, x0, 0xf4292244, 6)
        MD5_PASO(MD5_I, d, a, b, c, x7, 0x432aff97, 10)
        MD5_PASO(MD5_I, c, d, a, b, x14, 0xab9423a7, 15)
        MD5_PASO(MD5_I, b, c, d, a, x5, 0xfc93a039, 21)
        MD5_PASO(MD5_I, a, b, c, d, x12, 0x655b59c3, 6)
        MD5_PASO(MD5_I, d, a, b, c, x3, 0x8f0ccc92, 10)
        MD5_PASO(MD5_I, c, d, a, b, x10, 0xffeff47d, 15)
        MD5_PASO(MD5_I, b, c, d, a, x1, 0x85845dd1, 21)
        MD5_PASO(MD5_I, a, b, c, d, x8, 0x6fa87e4f, 6)
        MD5_PASO(MD5_I, d, a, b, c, x15, 0xfe2ce6e0, 10)
        MD5_PASO(MD5_I, c, d, a, b, x6, 0xa3014314, 15)
        MD5_PASO(MD5_I, b, c, d, a, x13, 0x4e0811a1, 21)
        MD5_PASO(MD5_I, a, b, c, d, x4, 0xf7537e82, 6)
        MD5_PASO(MD5_I, d, a, b, c, x11, 0xbd3af235, 10)
        MD5_PASO(MD5_I, c, d, a, b, x2, 0x2ad7d2bb, 15)
        MD5_PASO(MD5_I, b, c, d, a, x9, 0xeb86d391, 21)

        a += aa;
        b += bb;
        c += cc;
        d += dd;
    }
    estado_[0] = a;
    estado_[1] = b;
    estado_[2] = c;
    estado_[3] = d;
}

void Md5::Anadir(const void* datos, std::size_t largo) {
    const auto* p = static_cast<const std::uint8_t*>(datos);
    largoTotal_ += largo;
    if (enPendiente_ > 0) {
        const std::size_t falta = 64 - enPendiente_;
        const std::size_t toma = largo < falta ? largo : falta;
        std::memcpy(pendiente_ + enPendiente_, p, toma);
        enPendiente_ += toma;
        p += toma;
        largo -= toma;
        if (enPendiente_ < 64) return;
        ProcesarBloques(pendiente_, 1);
        enPendiente_ = 0;
    }
    // Los bloques enteros se procesan en el búfer de quien llama, sin copiarlos.
    const std::size_t enteros = largo / 64;
    if (enteros > 0) ProcesarBloques(p, enteros);
    p += enteros * 64;
    largo -= enteros * 64;
    if (largo > 0) std::memcpy(pendiente_, p, largo);
    enPendiente_ = largo;
}

Md5::Digesto Md5::Terminar() {
    const std::uint64_t bits = largoTotal_ * 8;
    std::uint8_t relleno[72] = {0x80};
    // Relleno hasta 56 bytes módulo 64 y después el largo del mensaje en bits, byte bajo primero.
    const std::size_t largoRelleno = enPendiente_ < 56 ? 56 - enPendiente_ : 120 - enPendiente_;
    std::uint8_t largo[8];
    for (int i = 0; i < 8; ++i)
        largo[i] = std::uint8_t(bits >> (8 * i));
    Anadir(relleno, largoRelleno);
    Anadir(largo, 8);

    Digesto digesto;
    for (int i = 0; i < 4; ++i)
        Guardar(digesto.data() + 4 * i, estado_[i]);
    Reiniciar();
    return digesto;
}

Md5::Digesto Md5::De(const void* datos, std::size_t largo) {
    Md5 md5;
    md5.Anadir(datos, largo);
    return md5.Terminar();
}

AnsiString Md5::Hexadecimal(const Digesto& digesto) {
    static const char kCifras[] = "0123456789ABCDEF";
    std::string texto;
    texto.reserve(32);
    for (std::uint8_t byte : digesto) {
        texto += kCifras[byte >> 4];
        texto += kCifras[byte & 0x0F];
    }
    return AnsiString(std::move(texto));
}
