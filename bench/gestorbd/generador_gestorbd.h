#pragma once
// Genera el texto de un fichero ".BDC" con los seis tipos de elemento: de cada diez, cuatro
// materiales (uno de cada diez de ellos de tipo resistencia), dos cerramientos de tres capas
// con materiales del fichero, un acristalamiento, un marco, un hueco con un acristalamiento
// y un marco del fichero y un puente térmico. Ningún nombre se repite y todas las partes
// están en el fichero, así que cargarlo no crea nada por defecto.

#include <filesystem>
#include <string>

// El fichero de "elementos" elementos (al menos 10).
std::string GenerarFicheroBDC(int elementos);

// Cuántos elementos de cada tipo lleva ese fichero.
struct ReparticionBDC {
    int materiales, cerramientos, acristalamientos, marcos, huecos, puentes;
    int Total() const {
        return materiales + cerramientos + acristalamientos + marcos + huecos + puentes;
    }
};
ReparticionBDC Reparticion(int elementos);

// Un catálogo estándar pequeño, de librería, con un elemento de cada tipo que busca el
// catálogo.
std::string GenerarCatalogo();

// Una instalación propia en una carpeta temporal nueva (prefijo: su nombre): las carpetas
// Lib, Imagenes y Tmp con su "config.ini", el catálogo pequeño en Lib, y la carpeta de la
// aplicación puesta en ella. Vacía si no se ha podido crear.
std::filesystem::path PrepararInstalacion(const char* prefijo);
