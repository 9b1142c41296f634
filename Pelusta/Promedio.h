#pragma once
// El cálculo del promedio que pide la ventana: comprueba y lee los resultados de cada
// proyecto de la lista, los pondera por superficie y multiplicador, y da los cuatro
// porcentajes. La ventana solo muestra lo que aquí se decide.

#include "Pelusta/Proyectos.h"
#include "plataforma/base/ansi_string.h"

#include <vector>

// Una fila de proyectos de la ventana: la ruta del proyecto y el texto del multiplicador.
struct FilaPromedio {
    AnsiString proyecto;
    AnsiString multiplicador;
};

// Deja en cada fila un multiplicador válido: un texto que no es entero ("2,5", "abc") o un
// entero menor que 1 pasa a "1" con el aviso que devuelve, en el orden de las filas; una
// celda vacía es el 1 de siempre, sin aviso.
std::vector<AnsiString> ValidarMultiplicadores(std::vector<FilaPromedio>& filas);

struct ResultadoPromedio {
    bool completo = false;
    // Por qué se paró el cálculo: el mensaje que se muestra; y el proyecto (índice en la
    // lista) al que se refiere, -1 si ninguno.
    AnsiString mensaje;
    int proyecto = -1;
    // Los cuatro resultados con el formato "0.0".
    AnsiString calefaccion;
    AnsiString refrigeracion;
    AnsiString proporcionCalefaccion;
    AnsiString proporcionRefrigeracion;
};

// Llena la lista (recién creada y vacía) con las filas que tienen proyecto, en orden,
// comprueba y lee sus resultados (en "Resultados" bajo la carpeta de inicio) y guarda en ella
// los cuatro resultados. Se para en el primer proyecto que falla.
ResultadoPromedio CalcularPromedio(Proyectos& proyectos, const std::vector<FilaPromedio>& filas,
                                   const AnsiString& carpetaInicio);

// El mensaje de un código de Proyectos::ComprobarResultados distinto de 0 para el proyecto i.
AnsiString MensajeComprobacion(const Proyectos& proyectos, int i, int codigo);
