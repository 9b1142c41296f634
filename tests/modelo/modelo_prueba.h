#pragma once
// Ayudas de las pruebas del modelo del edificio: un entorno que parte de listas compartidas
// vacías, y la escritura y relectura de un objeto por su registro.

#include "comunes/Tipos.h"

#include "plataforma/base/ansi_string.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class ObjetoBase;

// Registra las clases del modelo y libera las listas compartida (polígonos, sombras,
// planos), el idioma y el catálogo de mensajes antes y después de cada prueba.
class PruebaModelo : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

// El registro que escribe el objeto, tal como queda en el fichero (CR LF).
std::string RegistroDe(ObjetoBase& objeto);
// Un objeto nuevo del tipo (por la fábrica) leído del primer registro de esa palabra clave
// del texto ("POLYGON "), con el nombre del registro. Nulo si no hay registro.
std::unique_ptr<ObjetoBase> LeidoDe(const std::string& texto, const AnsiString& registro,
                                    TipoObjeto tipo);
// Escribe el objeto, lo lee en uno nuevo y lo vuelve a escribir: las dos escrituras deben
// ser iguales. Devuelve la primera.
std::string ComprobarIdaYVuelta(ObjetoBase& objeto, const AnsiString& registro, TipoObjeto tipo);
