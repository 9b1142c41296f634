// La instalación de prueba del gestor de bases de datos y su fichero de ejemplo.

#include "tests/comunes/gestorbd_prueba.h"
#include "tests/comunes/prueba_bd_entorno.h"

#include "comunes/Cambios.h"
#include "comunes/RegistroElementos.h"
#include "comunes/bdAcristalamientos.h"
#include "comunes/bdCerramientos.h"
#include "comunes/bdHuecos.h"
#include "comunes/bdMarcos.h"
#include "comunes/bdMateriales.h"
#include "comunes/bdPuentesTermicos.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"

const std::string kBaseDeEjemplo = "$\n"
                                   "CAMBIO = NO\n"
                                   "CAMBIO-DUMVAT = SI\n"
                                   "TEMPLARY = USER\n"
                                   "\"Ladrillo\" = MATERIAL\n"
                                   "    TYPE              = PROPERTIES\n"
                                   "    THICKNESS         = 0.115\n"
                                   "    CONDUCTIVITY      = 0.567\n"
                                   "    DENSITY           = 1020\n"
                                   "    SPECIFIC-HEAT     = 1000\n"
                                   "    GROUP         = \"Fábricas de ladrillo\"\n"
                                   "    LIBRARY       = NO\n"
                                   "    ..\n"
                                   "\"Yeso\" = MATERIAL\n"
                                   "    TYPE              = PROPERTIES\n"
                                   "    CONDUCTIVITY      = 0.3\n"
                                   "    ..\n"
                                   "\"Muro\" = LAYERS\n"
                                   "    GROUP        = \"Fachadas\"\n"
                                   "    MATERIAL     = (\"Ladrillo\",\"Yeso\")\n"
                                   "    THICKNESS = ( 0.115, 0.015)\n"
                                   "    LIBRARY       =  YES\n"
                                   "    ..\n"
                                   "\"Doble\" = GLASS-TYPE\n"
                                   "     TYPE              = SHADING-COEF\n"
                                   "     SHADING-COEF      = 0.88\n"
                                   "     GLASS-CONDUCTANCE = 2.8\n"
                                   "    ..\n"
                                   "\"Simple\" = GLASS-TYPE\n"
                                   "     TYPE              = SHADING-COEF\n"
                                   "     SHADING-COEF      = 0.95\n"
                                   "     GLASS-CONDUCTANCE = 5.7\n"
                                   "     LIBRARY       =  YES\n"
                                   "    ..\n"
                                   " \"Madera\" = NAME-FRAME\n"
                                   "      FRAME-CONDUCT = 2.2\n"
                                   "..\n"
                                   "\"Ventana\" = GAP\n"
                                   "     GLASS-TYPE          = \"Doble\"\n"
                                   "     NAME-FRAME        = \"Madera\"\n"
                                   "     PORCENTAGE        = 25\n"
                                   "    ..\n"
                                   "\"Pilar\" = BRIDGE\n"
                                   "    FRSI         = 0.72\n"
                                   "    FI          = -0.35\n"
                                   "    ..\n";

PruebaGestor::PruebaGestor() : InstalacionDePrueba("LIB = \"Lib\\\"\nTMP = \"Tmp\\\"\n") {}

void PruebaGestor::SetUp() {
    InstalacionDePrueba::SetUp();
    ForceDirectories(carpeta.Ruta() + "Lib");
    ForceDirectories(carpeta.Ruta() + "Tmp");
    RegistrarElementos();
}

void PruebaGestor::TearDown() {
    // Un gestor que la prueba no destruyó dejaría aquí sus bases: se sueltan para que la
    // siguiente prueba no las herede.
    LiberarBasesCompartidas();
    Cambios::Liberar();
    FileWriter::InjectFailureForTests(FileWriter::Failure::None);
    InstalacionDePrueba::TearDown();
}

void PruebaGestor::PonerCatalogo(const std::string& contenido) const {
    carpeta.Fichero("Lib/BDCATALOGO.BDC", contenido);
}

std::string PruebaGestor::Bytes(const AnsiString& ruta) {
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(ruta, bytes)) << ruta.c_str();
    return bytes;
}
