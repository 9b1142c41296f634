// Generador de ficheros ".BDC" para las pruebas de rendimiento del gestor de bases de datos.

#include "bench/gestorbd/generador_gestorbd.h"

#include "comunes/Directorios.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string Formato(const char* formato, double a, double b = 0, double c = 0) {
    char linea[128];
    std::snprintf(linea, sizeof linea, formato, a, b, c);
    return linea;
}

std::string Nombre(const char* prefijo, int i) {
    return std::string(prefijo) + "_" + std::to_string(i);
}

} // namespace

ReparticionBDC Reparticion(int elementos) {
    ReparticionBDC r{};
    r.materiales = elementos * 4 / 10;
    r.cerramientos = elementos * 2 / 10;
    r.acristalamientos = elementos / 10;
    r.marcos = elementos / 10;
    r.huecos = elementos / 10;
    r.puentes =
        elementos - r.materiales - r.cerramientos - r.acristalamientos - r.marcos - r.huecos;
    return r;
}

std::string GenerarFicheroBDC(int elementos) {
    const ReparticionBDC r = Reparticion(elementos < 10 ? 10 : elementos);
    std::string texto = "$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\nTEMPLARY = USER\n";
    texto.reserve(static_cast<size_t>(r.Total()) * 300);
    for (int i = 0; i < r.materiales; ++i) {
        texto += "\"" + Nombre("Material", i) + "\" = MATERIAL\n";
        if (i % 10 == 9) {
            texto += "    TYPE              = RESISTANCE\n";
            texto += Formato("    RESISTANCE        = %14.7g\n", 0.1 + (i % 7) * 0.01);
        } else {
            texto += "    TYPE              = PROPERTIES\n";
            texto += Formato("    THICKNESS         = %14.7g\n", 0.01 + (i % 30) * 0.005);
            texto += Formato("    CONDUCTIVITY      = %14.7g\n", 0.03 + (i % 50) * 0.04);
            texto += Formato("    DENSITY           = %14.7g\n", 30.0 + (i % 90) * 25.0);
            texto += Formato("    SPECIFIC-HEAT     = %14.7g\n", 800.0 + (i % 5) * 100.0);
        }
        texto += "    GROUP         = \"Grupo " + std::to_string(i % 20) + "\"\n";
        texto += "    LIBRARY       = NO\n    ..\n";
    }
    for (int i = 0; i < r.cerramientos; ++i) {
        texto += "\"" + Nombre("Cerramiento", i) + "\" = LAYERS\n";
        texto += "    GROUP        = \"Fachadas\"\n";
        texto += "    MATERIAL     = (\"" + Nombre("Material", (3 * i) % r.materiales) + "\",\"" +
                 Nombre("Material", (3 * i + 1) % r.materiales) + "\",\"" +
                 Nombre("Material", (3 * i + 2) % r.materiales) + "\")\n";
        texto += Formato("    THICKNESS = ( %g, %g, %g)\n", 0.115, 0.04 + (i % 8) * 0.01, 0.015);
        texto += "    LIBRARY       =  NO\n    ..\n";
    }
    for (int i = 0; i < r.acristalamientos; ++i) {
        texto += "\"" + Nombre("Vidrio", i) + "\" = GLASS-TYPE\n";
        texto += "     TYPE              = SHADING-COEF\n";
        texto += Formato("     SHADING-COEF      = %14.7g\n", 0.5 + (i % 40) * 0.01);
        texto += Formato("     GLASS-CONDUCTANCE = %14.7g\n", 1.0 + (i % 45) * 0.1);
        texto += "    ..\n";
    }
    for (int i = 0; i < r.marcos; ++i) {
        texto += " \"" + Nombre("Marco", i) + "\" = NAME-FRAME\n";
        texto += Formato("      FRAME-CONDUCT = %14.7g\n", 1.0 + (i % 50) * 0.1);
        texto += "..\n";
    }
    for (int i = 0; i < r.huecos; ++i) {
        texto += "\"" + Nombre("Hueco", i) + "\" = GAP\n";
        texto +=
            "     GLASS-TYPE          = \"" + Nombre("Vidrio", i % r.acristalamientos) + "\"\n";
        texto += "     NAME-FRAME        = \"" + Nombre("Marco", i % r.marcos) + "\"\n";
        texto += Formato("     PORCENTAGE        = %g\n", 10.0 + i % 30);
        texto += "    ..\n";
    }
    for (int i = 0; i < r.puentes; ++i) {
        texto += "\"" + Nombre("Puente", i) + "\" = BRIDGE\n";
        texto += Formato("    FRSI         = %14.7g\n", 0.5 + (i % 40) * 0.01);
        texto += Formato("    FI          = %14.7g\n", -0.5 + (i % 100) * 0.01);
        texto += "    ..\n";
    }
    return texto;
}

std::string GenerarCatalogo() {
    return "TEMPLARY = STANDARD\n"
           "\"Hormigon\" = MATERIAL\n TYPE = PROPERTIES\n CONDUCTIVITY = 1.65\n LIBRARY = YES\n "
           "..\n"
           "\"Doble\" = GLASS-TYPE\n TYPE = SHADING-COEF\n SHADING-COEF = 0.88\n"
           " GLASS-CONDUCTANCE = 2.8\n LIBRARY = YES\n ..\n"
           " \"PVC\" = NAME-FRAME\n FRAME-CONDUCT = 1.3\n LIBRARY = YES\n..\n";
}

std::filesystem::path PrepararInstalacion(const char* prefijo) {
    std::string plantilla =
        (std::filesystem::temp_directory_path() / (std::string(prefijo) + "-XXXXXX")).string();
    if (mkdtemp(plantilla.data()) == nullptr) return {};
    const std::filesystem::path carpeta = plantilla;
    for (const char* sub : {"Lib", "Imagenes", "Tmp"})
        std::filesystem::create_directories(carpeta / sub);
    std::ofstream(carpeta / "config.ini")
        << "LIB = \"Lib\\\"\nIMG = \"Imagenes\\\"\nTMP = \"Tmp\\\"\n";
    std::ofstream(carpeta / "Lib" / "BDCATALOGO.BDC") << GenerarCatalogo();
    Directorios::FijarCarpetaAplicacion((carpeta.string() + "/").c_str());
    return carpeta;
}
