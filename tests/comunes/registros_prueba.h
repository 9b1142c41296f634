#pragma once
// Ayudas de las pruebas de registros de elementos: los bytes que deja un escritor en un
// fichero y el lector de un registro recortado como lo hace un cargador.

#include "comunes/LeerBDL.h"
#include "comunes/Tipos.h"

#include "plataforma/base/ansi_string.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

class FileWriter;
class ObjetoBase;

// Un número como lo escribe "%14.7g": el texto dado, alineado a la derecha en 14 columnas.
std::string Numero14g(const std::string& texto);
// Las líneas, cada una acabada en CR LF, como las deja un fichero de texto.
std::string LineasCRLF(std::initializer_list<std::string> lineas);

// Los bytes que escribe la función en un fichero nuevo abierto como texto (cada "\n" como
// CR LF), leídos de vuelta.
std::string Escrito(const std::function<void(FileWriter&)>& escribir);

// Un fichero de palabras clave en memoria y su primer registro del tipo, recortado por su
// nombre como lo recorta un cargador.
struct RegistroLeido {
    std::unique_ptr<LeerBDL> fuente;
    AnsiString nombre; // sin comillas
    std::unique_ptr<LeerBDL> registro;
};
// El tipo lleva su blanco final ("MATERIAL "). Si no hay registro, "registro" es nulo.
RegistroLeido PrimerRegistro(const std::string& contenido, const AnsiString& tipo);

// Un valor tecleado en una clave numérica y lo que debe quedar: el valor, su estado y si
// sale un aviso (que se contesta con Aceptar).
struct CasoTecleado {
    const char* clave;
    const char* texto;
    float esperado;
    EstadoValor estado;
    bool aviso;
};
// Cada caso en un elemento nuevo: le da el texto (por AsignarPropiedad, o por "asignar") y
// comprueba el valor, el estado, el aviso y que la marca de error sigue al rechazo.
void ComprobarTecleados(const std::function<std::unique_ptr<ObjetoBase>()>& nuevo,
                        std::initializer_list<CasoTecleado> casos,
                        const std::function<void(ObjetoBase&, const CasoTecleado&)>& asignar = {});
