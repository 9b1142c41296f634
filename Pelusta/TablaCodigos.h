#pragma once
// La tabla de sustitución de los códigos de integridad (".cl"): un ajuste de la instalación
// que comparten los programas que escriben esos códigos. Es secreta: nada la muestra, la
// registra ni la escribe.

#include "plataforma/base/ansi_string.h"

#include <string>
#include <string_view>

class TablaCodigos {
public:
    // 112 caracteres de un byte; la codificación solo llega a las posiciones 0 a 99.
    static constexpr int kLargo = 112;
    // El fichero de la instalación, en la carpeta LIB de "config.ini".
    static constexpr const char* kNombreFichero = "TablaCodigos.dat";

    enum class Estado { Cargada, NoInstalada, NoValida };

    // Sin tabla: ningún fichero de resultados puede darse por válido.
    TablaCodigos() = default;

    // Los bytes de la tabla, tal cual; otro largo o un byte cero dan una tabla no válida.
    static TablaCodigos DeBytes(std::string_view bytes);
    // Un fichero con los 112 caracteres, seguidos o no de un salto de línea (LF o CR LF).
    static TablaCodigos LeerFichero(const AnsiString& ruta);
    // La tabla instalada: LeerFichero de RutaInstalada().
    static TablaCodigos LeerInstalada();
    static AnsiString RutaInstalada();

    bool Disponible() const { return estado_ == Estado::Cargada; }
    Estado GetEstado() const { return estado_; }
    // El fichero del que se leyó (vacío si no vino de un fichero).
    const AnsiString& GetRuta() const { return ruta_; }

    // El carácter que sustituye a un par de cifras (0 a 99). Solo con la tabla cargada.
    char Sustituto(int par) const { return tabla_[static_cast<size_t>(par)]; }

private:
    Estado estado_ = Estado::NoInstalada;
    AnsiString ruta_;
    std::string tabla_;
};
