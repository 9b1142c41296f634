#pragma once
// Una instalación de prueba: una carpeta temporal con su "config.ini" como carpeta de la
// aplicación. Al acabar, los singletons que la leen (carpetas, registro del modelo,
// mensajes e idioma) se liberan y la carpeta de trabajo vuelve a ser la de antes, para que
// la prueba siguiente empiece de cero.

#include "plataforma/base/ansi_string.h"
#include "tests/comun/carpeta_temporal.h"

#include <gtest/gtest.h>

#include <string>

class InstalacionDePrueba : public testing::Test {
protected:
    // Con la carpeta temporal "Tmp\" del registro del modelo.
    InstalacionDePrueba();
    explicit InstalacionDePrueba(std::string configuracion);

    void SetUp() override;
    void TearDown() override;

    CarpetaTemporal carpeta;

private:
    std::string configuracion;
    AnsiString actual;
};
