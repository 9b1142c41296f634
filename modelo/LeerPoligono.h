#pragma once
// El nombre de polígono de un registro del modelo ("POLYGON ="), que plantas, espacios y
// muros leen igual.

#include "comunes/Tipos.h"

#include "plataforma/base/ansi_string.h"

class LeerBDL;

// Con la palabra clave, su texto sin comillas, en azul; sin ella, "siFalta" en verde.
void LeerPoligono(const LeerBDL& lector, AnsiString& poligono, EstadoValor& estado,
                  const char* siFalta);
