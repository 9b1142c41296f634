#pragma once
// Una instalación de pruebas para los objetivos de fuzzing: una carpeta propia (en memoria
// si se puede: el registro del modelo se escribe tras cada carga y cada guardado), con su
// "config.ini" y sus carpetas "Lib" y "Tmp", como carpeta de la aplicación; se borra al
// acabar el programa.

#include <string>

// Crea la instalación con ese "config.ini" y devuelve su carpeta, acabada en "/".
std::string PrepararInstalacion(const char* configuracion);

// Escribe los bytes en un fichero.
void EscribirFichero(const std::string& ruta, const std::string& texto);
