#include "tests/Vornak/editores_prueba.h"

namespace {

std::string Hueco(const char* nombre, const char* porcentaje, const char* puerta) {
    return std::string("\"") + nombre +
           "\" = GAP\n"
           "     GROUP          = \"Ventanas\"\n"
           "     GROUP-GLASS         = \"Dobles\"\n"
           "     GLASS-TYPE          = \"Doble\"\n"
           "     GROUP-FRAME       = \"Maderas\"\n"
           "     NAME-FRAME        = \"Madera\"\n"
           "     PORCENTAGE        = " +
           porcentaje +
           "\n"
           "     INF-COEF          = 27.125\n"
           "     ISDOOR            = " +
           puerta + "\n    ..\n";
}

std::string Vidrio(const char* nombre, const char* grupo, const char* factor, const char* u) {
    return std::string("\"") + nombre + "\" = GLASS-TYPE\n     GROUP             = \"" + grupo +
           "\"\n     TYPE              = SHADING-COEF\n     SHADING-COEF      = " + factor +
           "\n     GLASS-CONDUCTANCE = " + u + "\n    ..\n";
}

std::string Marco(const char* nombre, const char* grupo, const char* u) {
    return std::string("\"") + nombre + "\" = NAME-FRAME\n      GROUP         = \"" + grupo +
           "\"\n      FRAME-WIDTH   = 0.065\n      FRAME-CONDUCT = " + u +
           "\n      FRAME-ABS     = 0.675\n    ..\n";
}

std::string Puente(const char* nombre, const char* grupo, const char* fi) {
    return std::string("\"") + nombre +
           "\" = BRIDGE\n    FRSI         = 0.675\n    FI          = " + fi +
           "\n    NAME          = \"" + nombre + "\"\n    GROUP         = \"" + grupo +
           "\"\n    ZONE          = \"C\"\n    ..\n";
}

std::string Material(const char* nombre, const char* grupo, const char* conductividad,
                     const char* util) {
    return MaterialDePropiedades(nombre, grupo, "0.065", conductividad, "1234.5",
                                 std::string("    VAPOUR-DIFFUSIVITY-FACTOR = 10.25\n"
                                             "    UTIL          =  ") +
                                     util + "\n");
}

} // namespace

std::string MaterialDePropiedades(const char* nombre, const char* grupo, const char* espesor,
                                  const char* conductividad, const char* densidad,
                                  const std::string& resto) {
    return std::string("\"") + nombre + "\" = MATERIAL\n    TYPE              = PROPERTIES\n" +
           "    THICKNESS         = " + espesor +
           "\n    THICKNESS_CHANGE         = YES\n    THICKNESS_MAX         = 2\n"
           "    THICKNESS_MIN         = 0.001\n    CONDUCTIVITY      = " +
           conductividad + "\n    DENSITY           = " + densidad +
           "\n    SPECIFIC-HEAT     = 1000\n    NAME          = \"" + nombre +
           "\"\n    GROUP         = \"" + grupo + "\"\n" + resto + "    ..\n";
}

std::string BaseDeCadaTipo() {
    return Crlf(
        "$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = USER\n" +
        Material("Ladrillo", "Fabricas", "0.0375", "NO") +
        Material("Suelto", "Fabricas", "0.5", "NO") +
        Material("Marcado", "Fabricas", "0.7", "YES") +
        "\"Camara\" = MATERIAL\n    TYPE               = RESISTANCE\n"
        "    RESISTANCE         = 0.1875\n    VAPOUR-RESISTIVITY = 0.0125\n"
        "    NAME          = \"Camara\"\n    GROUP         = \"Camaras\"\n    ..\n"
        "\"Muro\" = LAYERS\n    GROUP        = \"Muros\"\n"
        "    MATERIAL     = (\"Ladrillo\",\"Camara\")\n    THICKNESS = ( 0.0125, 0.05)\n..\n"
        "\"Tabique\" = LAYERS\n    GROUP        = \"Muros\"\n"
        "    MATERIAL     = (\"Ladrillo\")\n    THICKNESS = ( 0.07)\n..\n" +
        Vidrio("Doble", "Dobles", "0.6125", "2.875") + Vidrio("Simple", "Simples", "0.85", "5.7") +
        Marco("Madera", "Maderas", "2.125") + Marco("Aluminio", "Metalicos", "5.7") +
        Hueco("Ventana", "12.345", "NO") + Hueco("Puerta", "30", "YES") +
        Puente("Pilar", "Pilares", "0.125") + Puente("Frente", "Frentes", "0.25"));
}
