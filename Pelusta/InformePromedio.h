#pragma once
// El informe del promedio en PDF: la lista de proyectos con sus multiplicadores, el
// veredicto y los cuatro resultados de un cálculo completo. La ventana elige el fichero y
// abre el informe escrito; aquí se decide si hay qué informar y se escribe.

#include "plataforma/base/ansi_string.h"

class Proyectos;

// Hay resultados solo tras un cálculo completo (la lista existe y el cálculo acabó). Si no,
// lo dice ("No hay resultados: ...", "Información") y devuelve false.
bool HayResultadosParaInforme(const Proyectos* proyectos, bool calculado);

// Escribe el informe en el fichero. False si no hay resultados o si el fichero no se pudo
// crear o escribir; cada caso ya se ha dicho al usuario.
bool EscribirInformePromedio(const Proyectos* proyectos, bool calculado, const AnsiString& fichero);
