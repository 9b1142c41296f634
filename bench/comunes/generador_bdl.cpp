#include "bench/comunes/generador_bdl.h"

#include "plataforma/base/c_format.h"

std::string NombreGenerado(int i) {
    return FormatoC("Material %06d", i);
}

std::string GenerarBaseDeDatos(int registros) {
    std::string t;
    t.reserve(static_cast<size_t>(registros) * 560 + 512);
    t += "$++++++++++++++++++++++++++++++\n"
         "$           MATERIALES\n"
         "$++++++++++++++++++++++++++++++\n";
    for (int i = 0; i < registros; ++i) {
        const std::string nombre = NombreGenerado(i);
        const double x = 1.0 + (i % 97) / 97.0;
        t += "\"" + nombre + "\" = MATERIAL\n";
        if (i % 10 == 9) {
            t += "    TYPE               = RESISTANCE\n";
            t += FormatoC("    RESISTANCE         = %14.7g\n", 0.1 * x);
            t += FormatoC("    VAPOUR-RESISTIVITY = %14.7g\n", 0.055 * x);
        } else {
            t += "    TYPE              = PROPERTIES\n";
            t += FormatoC("    THICKNESS         = %14.7g\n", 0.01 * x);
            t += "    THICKNESS_CHANGE         = YES\n";
            t += FormatoC("    THICKNESS_MAX         = %14.7g\n", 2.0);
            t += FormatoC("    THICKNESS_MIN         = %14.7g\n", 0.001);
            t += FormatoC("    CONDUCTIVITY      = %14.7g\n", 0.3 * x);
            t += FormatoC("    DENSITY           = %14.7g\n", 900.0 * x);
            t += FormatoC("    SPECIFIC-HEAT     = %14.7g\n", 1000.0 * x);
        }
        t += FormatoC("    VAPOUR-DIFFUSIVITY-FACTOR = %14.7g\n", 10.0 * x);
        t += "    NAME          = \"" + nombre + "\"\n";
        t += FormatoC("    GROUP         = \"Grupo %d\"\n", i % 50);
        t += FormatoC("    IMAGE          = \"..\\Imagenes\\m%d.jpg\"\n", i);
        t += FormatoC("    NAME_DUMVAT   = \"M%d\"\n", i);
        t += "    ..\n";
    }
    t += "SET-DEFAULT FOR MATERIAL\n"
         "    DENSITY = 1500\n"
         "    SPECIFIC-HEAT = 800\n"
         "    ..\n";
    return t;
}
