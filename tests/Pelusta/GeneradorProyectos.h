#pragma once
// Ficheros de proyecto para las pruebas: el ".cte" de un proyecto, sus ficheros de
// resultados (Windows-1252 con CR LF, como los deja el programa de cálculo) y sus ".cl"
// calculados con una tabla dada.

#include "Pelusta/TablaCodigos.h"

#include <string>
#include <vector>

// Lo que se escribe de un fichero de resultados: textos tal cual van en el fichero.
struct DemandasPrueba {
    std::string calefaccion;
    std::string refrigeracion;
    std::string superficie;
};

// Una tabla de 112 caracteres propia de las pruebas, y sus bytes (los de un
// "TablaCodigos.dat" instalado).
TablaCodigos TablaDePrueba();
std::string BytesTablaDePrueba();

// El texto de un fichero de resultados con esos valores: encabezado, demandas anuales,
// mensuales, tabla de zonas con su fila "TOTAL," y mensuales por zonas; saltos CR LF.
std::string TextoResultados(const DemandasPrueba& demandas);
// El contenido de un ".cte" con su sección de datos.
std::string TextoProyecto(const std::string& nombre);

void EscribirBytes(const std::string& ruta, const std::string& bytes);
std::string LeerBytes(const std::string& ruta);

// El ".cl" de un fichero de resultados ya escrito: código de 32 caracteres y valor
// acompañante. Devuelve el contenido escrito.
std::string EscribirCodigos(const std::string& rutaResultados, const TablaCodigos& tabla,
                            const std::string& acompanante = "0123456789ABCDEF0123456789ABCDEF");

// Escribe un proyecto completo y válido: carpetaProyecto/nombre.cte y, en
// carpetaInicio/Resultados, nombreO.res, nombreR.res y sus ".cl". Devuelve la ruta del ".cte".
std::string EscribirProyecto(const std::string& carpetaInicio, const std::string& carpetaProyecto,
                             const std::string& nombre, const DemandasPrueba& objeto,
                             const DemandasPrueba& referencia, const TablaCodigos& tabla);

// Los fallos de la comprobación de un proyecto "casa" ya escrito con EscribirProyecto: el
// fichero que se quita o el ".cl" que se estropea, y el mensaje que da el cálculo.
struct CasoComprobacion {
    const char* nombre;
    std::string borrar;
    std::string estropearCl;
    std::string mensaje;
};
std::vector<CasoComprobacion> CasosComprobacion(const std::string& carpetaInicio,
                                                const std::string& carpetaProyecto);
// Quita o estropea lo que dice el caso.
void Estropear(const CasoComprobacion& caso);
