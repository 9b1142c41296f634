#pragma once
// Lleva el separador decimal de un texto numérico al de la configuración regional del
// usuario, antes de convertirlo: los ficheros escriben el punto y el usuario teclea
// cualquiera de los dos.

#include "plataforma/base/ansi_string.h"

#include <string>

// Con separador regional "." cambia cada "," por "."; con cualquier otro, cada "." por ",".
// Ningún otro carácter cambia. Devuelve siempre true.
bool AdaptarSeparadorDecimal(std::string& texto);
bool AdaptarSeparadorDecimal(AnsiString& texto);
