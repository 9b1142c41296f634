#include "modelo/CabeceraRegistro.h"

std::string_view Recortada(std::string_view linea) {
    const size_t a = linea.find_first_not_of(" \t\r");
    if (a == std::string_view::npos) return {};
    const size_t b = linea.find_last_not_of(" \t\r");
    return linea.substr(a, b - a + 1);
}

bool LeerCabecera(std::string_view linea, CabeceraRegistro& cabecera) {
    linea = Recortada(linea);
    if (linea.size() < 2 || linea.front() != '"') return false;
    const size_t cierre = linea.find('"', 1);
    if (cierre == std::string_view::npos) return false;
    std::string_view resto = Recortada(linea.substr(cierre + 1));
    if (resto.empty() || resto.front() != '=') return false;
    resto = Recortada(resto.substr(1));
    if (resto.empty() || resto.find(' ') != std::string_view::npos) return false;
    cabecera.nombre = linea.substr(1, cierre - 1);
    cabecera.tipo = resto;
    return true;
}
