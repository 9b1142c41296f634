#pragma once
// Ayudas de las pruebas del modelo del edificio: un entorno que parte de listas compartidas
// vacías, y la escritura y relectura de un objeto por su registro.

#include "comunes/Tipos.h"

#include "plataforma/base/ansi_string.h"

#include "tests/comunes/instalacion_prueba.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class ObjetoBase;

// Una instalación de prueba (el registro del modelo se escribe en su carpeta temporal) con
// las clases del modelo y de los elementos registradas; libera las listas compartidas
// (polígonos, sombras, planos, y las bases de datos del programa) antes y después de cada
// prueba.
class PruebaModelo : public InstalacionDePrueba {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Los polígonos "Planta" (10 x 8) y "Local" (5 x 4), desde el origen en sentido
// antihorario, como registros.
extern const std::string kPlantaYLocal;

// El registro que escribe el objeto, tal como queda en el fichero (CR LF).
std::string RegistroDe(ObjetoBase& objeto);
// Un objeto nuevo del tipo (por la fábrica) leído del primer registro de esa palabra clave
// del texto ("POLYGON "), con el nombre del registro. Nulo si no hay registro.
std::unique_ptr<ObjetoBase> LeidoDe(const std::string& texto, const AnsiString& registro,
                                    TipoObjeto tipo);
// Escribe el objeto, lo lee en uno nuevo y lo vuelve a escribir: las dos escrituras deben
// ser iguales. Devuelve la primera.
std::string ComprobarIdaYVuelta(ObjetoBase& objeto, const AnsiString& registro, TipoObjeto tipo);
