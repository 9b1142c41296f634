#pragma once
// Idioma: la variante de idioma del programa (0 español, 1 inglés, 2 la variante regional
// de Norvia) y la traducción de unos pocos términos del dominio a esa variante.

#include "plataforma/base/ansi_string.h"

#include <memory>

class Idioma {
public:
    // Se crea en la primera llamada, con el código 0.
    static Idioma* Instancia();
    static void Liberar();

    unsigned char Codigo() const { return codigo_; }
    // El término en la variante actual; vacío si la variante no tiene ese término.
    AnsiString Traducir(const AnsiString& termino) const;

    // Ningún programa cambia la variante; las pruebas sí (de 0 a 3).
    void FijarCodigoParaPruebas(unsigned char codigo) { codigo_ = codigo; }

private:
    Idioma() = default;
    friend std::default_delete<Idioma>;

    unsigned char codigo_ = 0;
};
