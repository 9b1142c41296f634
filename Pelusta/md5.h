#pragma once
// Resumen MD5 (RFC 1321), alimentado a trozos de cualquier tamaño.

#include "plataforma/base/ansi_string.h"

#include <array>
#include <cstddef>
#include <cstdint>

class Md5 {
public:
    using Digesto = std::array<std::uint8_t, 16>;

    Md5();
    // Añade bytes al mensaje; se puede llamar cuantas veces haga falta antes de Terminar.
    void Anadir(const void* datos, std::size_t largo);
    // Rellena el mensaje y da su resumen; el objeto queda listo para otro mensaje.
    Digesto Terminar();

    // El resumen de un bloque de bytes entero.
    static Digesto De(const void* datos, std::size_t largo);
    // 32 cifras hexadecimales en mayúsculas, el primer byte primero.
    static AnsiString Hexadecimal(const Digesto& digesto);

private:
    void Reiniciar();
    void ProcesarBloques(const std::uint8_t* bloques, std::size_t cuantos);

    std::uint32_t estado_[4];
    std::uint64_t largoTotal_; // bytes añadidos hasta ahora
    std::uint8_t pendiente_[64];
    std::size_t enPendiente_;
};
