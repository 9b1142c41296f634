#pragma once
// Ficheros de texto de Windows leídos como los lee el modo texto de su biblioteca de C.

#include <string>
#include <string_view>

// Cada CR LF pasa a ser un solo salto de línea, y un Ctrl-Z marca el final del texto.
std::string LeerComoTextoWindows(std::string_view bytes);
