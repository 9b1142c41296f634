// FicheroLog: el contenido exacto de "EdifDumvat.log", cuándo se escribe y qué pasa si no
// se puede.

#include "comunes/FicheroLog.h"
#include "comunes/Idioma.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "tests/comun/pruebas.h"
#include "tests/comunes/instalacion_prueba.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// El fichero recién inicializado, con los fines de línea de un fichero de texto de Windows.
const std::string kInicial = "EDIFICIO  =bien\r\n"
                             "PLANTA    =bien\r\n"
                             "ESPACIO   =bien\r\n"
                             "MUROEXT   =bien\r\n"
                             "MUROINT   =bien\r\n"
                             "MUROCT    =bien\r\n"
                             "MUROTR    =bien\r\n"
                             "VENTANA   =bien\r\n"
                             "HUECO     =bien\r\n"
                             "CONDICION =bien\r\n"
                             "\r\n"
                             "**** LISTA DE ERRORES **** \r\n"
                             "**************************";

class PruebaFicheroLog : public InstalacionDePrueba {
protected:
    void TearDown() override {
        FileWriter::InjectFailureForTests(FileWriter::Failure::None);
        InstalacionDePrueba::TearDown();
    }
    std::string Fichero() {
        std::string texto;
        EXPECT_TRUE(ReadWholeFile(carpeta.Ruta() + "Tmp/EdifDumvat.log", texto));
        return texto;
    }
};

TEST_F(PruebaFicheroLog, UnLogNuevo) {
    FicheroLog* log = FicheroLog::Instancia();
    EXPECT_EQ(log->Ruta(), carpeta.Ruta() + "Tmp\\EdifDumvat.log");
    EXPECT_EQ(Fichero(), kInicial);
}

TEST_F(PruebaFicheroLog, EstadosYErroresSeEscribenUnaVez) {
    FicheroLog* log = FicheroLog::Instancia();
    log->PonerEstado(TIPO_PLANTA, "mal");
    log->PonerEstado(TIPO_PLANTA, "bien"); // no vuelve a "bien"
    log->PonerEstado(TIPO_MURO_EXTERIOR, "mal");
    log->PonerEstado(TIPO_HUECO, "Mal");       // solo "mal" cuenta
    log->PonerEstado(TIPO_SOMBRA, "mal");      // sin línea de estado
    log->PonerEstado(TIPO_MURO_TROMBE, "mal"); // el muro Trombe tiene la suya
    log->AnadirError(TIPO_ACRISTALAMIENTO, "V2: sin factor solar");
    log->AnadirError(TIPO_MATERIAL, "Ladrillo: espesor");
    log->AnadirError(TIPO_ACRISTALAMIENTO, "V1: sin factor solar");
    log->AnadirError(TIPO_HUECO, "H1: no tiene definido el marco.");
    log->AnadirError(TIPO_CONDICION, "C1");
    log->AnadirError(TIPO_MURO_TERRENO, "M1");
    log->AnadirError(TIPO_PUENTE_TERMICO, "sin prefijo");
    log->AnadirError(TIPO_MATERIAL, "Ladrillo: espesor"); // repetida: una vez

    // Nada llega al fichero hasta el final de la carga.
    EXPECT_EQ(Fichero(), kInicial);
    EXPECT_TRUE(log->Escribir());
    EXPECT_EQ(Fichero(), "EDIFICIO  =bien\r\n"
                         "PLANTA    =mal\r\n"
                         "ESPACIO   =bien\r\n"
                         "MUROEXT   =mal\r\n"
                         "MUROINT   =bien\r\n"
                         "MUROCT    =bien\r\n"
                         "MUROTR    =mal\r\n"
                         "VENTANA   =bien\r\n"
                         "HUECO     =bien\r\n"
                         "CONDICION =bien\r\n"
                         "\r\n"
                         "**** LISTA DE ERRORES **** \r\n"
                         "CONDICIÓN OPERACIÓN: C1\r\n"
                         "HUECO: H1: no tiene definido el marco.\r\n"
                         "MATERIAL: Ladrillo: espesor\r\n"
                         "MURO CONT TER: M1\r\n"
                         "sin prefijo\r\n"
                         "VIDRIO: V1: sin factor solar\r\n"
                         "VIDRIO: V2: sin factor solar\r\n"
                         "**************************");

    // Inicializar lo deja todo como al principio, y lo escribe.
    log->Inicializar();
    EXPECT_EQ(Fichero(), kInicial);
}

TEST_F(PruebaFicheroLog, EnLaVarianteRegionalUnHuecoEsUnVano) {
    Idioma::Instancia()->FijarCodigoParaPruebas(2);
    FicheroLog* log = FicheroLog::Instancia();
    log->AnadirError(TIPO_HUECO, "H1");
    EXPECT_NE(log->Texto().Pos("VANO: H1\n"), 0);
}

TEST_F(PruebaFicheroLog, UnFalloDeEscrituraSeAvisaUnaVez) {
    FicheroLog* log = FicheroLog::Instancia();
    log->AnadirError(TIPO_MARCO, "M1");

    // Dos cargas seguidas que no pueden escribir: un solo aviso, y el fichero anterior queda.
    Guion().AnswerMessageBox(IDOK);
    FileWriter::InjectFailureForTests(FileWriter::Failure::Write);
    EXPECT_FALSE(log->Escribir());
    FileWriter::InjectFailureForTests(FileWriter::Failure::Close);
    EXPECT_FALSE(log->Escribir());
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    // La ruta como la nombra el sistema, sin las "\" de config.ini.
    EXPECT_EQ(Guion().ShownBoxes()[0].text,
              "No se puede abrir el fichero: " + carpeta.Ruta() + "Tmp/EdifDumvat.log.\n");
    EXPECT_EQ(Fichero(), kInicial);

    // Lo que había en memoria sigue ahí y sale en la siguiente escritura.
    EXPECT_TRUE(log->Escribir());
    EXPECT_NE(Fichero().find("MARCO: M1\r\n"), std::string::npos);

    // Tras una escritura buena, un fallo nuevo vuelve a avisarse.
    Guion().AnswerMessageBox(IDOK);
    FileWriter::InjectFailureForTests(FileWriter::Failure::Write);
    EXPECT_FALSE(log->Escribir());
    EXPECT_EQ(Guion().ShownBoxes().size(), 2u);
}

} // namespace
