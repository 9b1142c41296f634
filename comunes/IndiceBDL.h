#pragma once
// Índice de un texto de palabras clave: las cabeceras de registro ("nombre" = TIPO) y los
// bloques de valores por defecto (SET-DEFAULT FOR TIPO) con sus posiciones y su "..", y los
// registros sin cabecera reconocible. Se construye con una sola pasada, para que recorrer y
// recortar registros no vuelva a leer el texto. Un tabulador vale por un blanco en las
// cabeceras.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct BloqueBDL {
    static constexpr size_t npos = std::string_view::npos;

    size_t inicio = 0;  // comillas de apertura del nombre, o la "S" de SET-DEFAULT
    size_t posTipo = 0; // primera letra del tipo
    size_t fin = npos;  // el ".." que lo cierra; npos si llega otra cabecera o el final antes
    std::string_view tipo;
    std::string_view nombre; // sin comillas; vacío en los bloques por defecto

    bool Cerrado() const { return fin != npos; }
};

// El primer fin de línea (LF o CR) desde i, o el final del texto.
size_t FinDeLineaBDL(std::string_view texto, size_t i);

class IndiceBDL {
public:
    // El texto debe seguir vivo y sin cambios mientras viva el índice.
    explicit IndiceBDL(std::string_view texto);
    // Para un texto que se va haciendo (de unos "tamano" bytes): se le da con Anadir cada vez
    // que crece, entero y en el mismo sitio (solo crece por el final), y con Acabar cuando
    // está completo. Hasta entonces el índice no dice nada. El resultado es el del texto
    // entero.
    struct PorPartes {};
    IndiceBDL(PorPartes, size_t tamano);
    void Anadir(std::string_view texto);
    void Acabar(std::string_view texto);

    // Las cabeceras del tipo, en el orden del texto (índices de Cabecera); nullptr si no hay.
    const std::vector<size_t>* CabecerasDe(std::string_view tipo) const;
    const BloqueBDL& Cabecera(size_t i) const { return cabeceras_[i]; }
    // La primera cabecera del tipo con ese nombre, o npos.
    size_t PrimeraConNombre(std::string_view tipo, std::string_view nombre) const;
    // El primer bloque por defecto del tipo; nullptr si no hay.
    const BloqueBDL* Defectos(std::string_view tipo) const;

    // Todas las cabeceras y todos los bloques por defecto, en el orden del texto.
    const std::vector<BloqueBDL>& Cabeceras() const { return cabeceras_; }
    const std::vector<BloqueBDL>& BloquesDefectos() const { return defectos_; }
    // Lo que puede ser un registro sin cabecera reconocible, fuera de todo bloque: desde una
    // línea que empieza por comillas y no es una cabecera ("inicio"; su nombre, el primer
    // texto entre comillas) hasta el ".." que no cierra nada ("fin"), la cabecera siguiente
    // o el final (npos); o, sin esa línea, un ".." que no cierra nada ("fin") y el texto
    // que lo precede desde el último ".." ("inicio": justo tras él, o 0), que puede no
    // tener nada más que blancos y comentarios. Sin tipo.
    const std::vector<BloqueBDL>& SinCabecera() const { return sinCabecera_; }
    // Cuántas cabeceras y bloques por defecto no tienen su "..".
    size_t SinCerrar() const { return sinCerrar_; }
    // Los tipos de las cabeceras, sin repetir.
    std::vector<std::string_view> TiposDeCabecera() const;

private:
    // La línea en curso, que acaba en "fin".
    void Linea(std::string_view texto, size_t fin);
    void AnalizarLinea(std::string_view texto, size_t inicio, size_t fin);
    // Una línea fuera de todo bloque que empieza por comillas (en i) y no es una cabecera.
    void LineaSuelta(std::string_view texto, size_t i, size_t fin);
    // Lo suelto pasa a SinCabecera: la línea de comillas pendiente, si la hay, o el ".." que
    // no cierra nada de "cierre" (npos: no hay).
    void CerrarSuelto(size_t cierre);

    std::vector<BloqueBDL> cabeceras_;
    std::vector<BloqueBDL> defectos_;
    std::unordered_map<std::string_view, std::vector<size_t>> porTipo_;
    // El último tipo que se ha pedido con CabecerasDe, hallado.
    mutable const std::pair<const std::string_view, std::vector<size_t>>* pedido_ = nullptr;
    // La lista de la última cabecera añadida y su tipo.
    std::vector<size_t>* ultimaLista_ = nullptr;
    std::string_view ultimoTipo_;
    std::unordered_map<std::string_view, size_t> defectoPorTipo_;
    // Por tipo, el primer registro de cada nombre; se llena la primera vez que se pide.
    mutable std::unordered_map<std::string_view, std::unordered_map<std::string_view, size_t>>
        porNombre_;
    // El bloque que espera su "..": cabecera (true) o defectos (false) y su índice.
    bool abiertoEsCabecera_ = false;
    size_t abierto_ = BloqueBDL::npos;
    std::vector<BloqueBDL> sinCabecera_;
    size_t sinCerrar_ = 0;
    // La primera línea de comillas que no es una cabecera desde el último bloque (npos si no
    // hay), con su nombre, y lo que sigue al último "..".
    size_t suelto_ = BloqueBDL::npos;
    std::string_view sueltoNombre_;
    size_t trasCierre_ = 0;
    // Dónde empieza la línea en curso y hasta dónde se han buscado fines de línea.
    size_t inicio_ = 0;
    size_t hecho_ = 0;
};
