#pragma once
// Lo que el promedio toma de un fichero de resultados ("O.res" o "R.res"): las demandas
// anuales de calefacción y refrigeración y la superficie de la fila "TOTAL," de la tabla de
// zonas.

#include "plataforma/base/ansi_string.h"

#include <string_view>

struct ResultadosFichero {
    AnsiString calefaccion;
    AnsiString refrigeracion;
    AnsiString superficie;
};

// Marcas de las secciones, en Windows-1252, tal como las escribe el programa de cálculo.
inline constexpr const char* kMarcaAnual = "Calefacción, Refrigeración anual";
inline constexpr const char* kFinAnual = "Calefacción mensual";
inline constexpr const char* kMarcaZonas = "Nombre, m2, multiplicador, Calefacción, Refrigeración";
inline constexpr const char* kFinZonas = "Calefacción mensual por zonas";
inline constexpr const char* kFilaTotal = "TOTAL,";

// Extrae los tres valores de un texto ya leído en modo texto (saltos de línea "\n"). False
// si falta una marca, un valor o su separador, o si un valor no es un número; los textos
// devueltos son los números sin blancos alrededor.
bool ExtraerResultados(std::string_view texto, ResultadosFichero& resultados);

// Un valor de un fichero de resultados es un número que AFlotante convierte; el texto vacío
// no lo es.
bool EsNumeroDeResultados(const AnsiString& texto);
