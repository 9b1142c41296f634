#pragma once
// Genera el texto de una base de datos de palabras clave de N materiales, como la escriben
// los programas: una cabecera de comentarios, registros de varias líneas de valores (uno de
// cada diez de tipo resistencia, que toma la densidad del bloque por defecto) y el bloque
// SET-DEFAULT FOR MATERIAL.

#include <string>

std::string GenerarBaseDeDatos(int registros);
// El nombre del registro i (de 0 a registros - 1).
std::string NombreGenerado(int i);
