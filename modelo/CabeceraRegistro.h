#pragma once
// La cabecera de un registro de palabras clave en una línea: "nombre" = TIPO, con blancos
// alrededor.

#include <string_view>

struct CabeceraRegistro {
    std::string_view nombre; // sin comillas
    std::string_view tipo;
};

// Falso si la línea no es una cabecera.
bool LeerCabecera(std::string_view linea, CabeceraRegistro& cabecera);
// La línea sin blancos (ni CR) a los lados.
std::string_view Recortada(std::string_view linea);
