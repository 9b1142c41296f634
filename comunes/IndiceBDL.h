#pragma once
// Índice de un texto de palabras clave: las cabeceras de registro ("nombre" = TIPO) y los
// bloques de valores por defecto (SET-DEFAULT FOR TIPO) con sus posiciones y su "..". Se
// construye con una sola pasada, para que recorrer y recortar registros no vuelva a leer
// el texto.

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

    // Las cabeceras del tipo, en el orden del texto (índices de Cabecera); nullptr si no hay.
    const std::vector<size_t>* CabecerasDe(std::string_view tipo) const;
    const BloqueBDL& Cabecera(size_t i) const { return cabeceras_[i]; }
    // La primera cabecera del tipo con ese nombre, o npos.
    size_t PrimeraConNombre(std::string_view tipo, std::string_view nombre) const;
    // El primer bloque por defecto del tipo; nullptr si no hay.
    const BloqueBDL* Defectos(std::string_view tipo) const;

private:
    void AnalizarLinea(std::string_view texto, size_t inicio, size_t fin);

    std::vector<BloqueBDL> cabeceras_;
    std::vector<BloqueBDL> defectos_;
    std::unordered_map<std::string_view, std::vector<size_t>> porTipo_;
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
};
