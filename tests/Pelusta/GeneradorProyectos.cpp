#include "tests/Pelusta/GeneradorProyectos.h"

#include "Pelusta/inspector.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

std::string BytesTablaDePrueba() {
    return "QWERTYUIOPASDFGHJKLZXCVBNMqwertyuiopasdfghjklzxcvbnm0123456789!#$%&"
           "()*+-./:;<=>?@[]^_{|}~QWERTYUIOPASDFGHJKLZXCV";
}

TablaCodigos TablaDePrueba() {
    return TablaCodigos::DeBytes(BytesTablaDePrueba());
}

namespace {

std::string ConCrLf(const std::string& texto) {
    std::string salida;
    for (char c : texto) {
        if (c == '\n') salida += '\r';
        salida += c;
    }
    return salida;
}

} // namespace

std::string TextoResultados(const DemandasPrueba& d) {
    // Las zonas suman la superficie total; sus valores no cuentan para el promedio.
    return ConCrLf("Resultados del cálculo de demanda\n"
                   "Versión 1.0\n"
                   "\n"
                   "Calefacción, Refrigeración anual\n" +
                   d.calefaccion + ", " + d.refrigeracion +
                   "\n"
                   "\n"
                   "Calefacción mensual\n"
                   "Enero, 4.1\n"
                   "Febrero, 3.2\n"
                   "\n"
                   "Refrigeración mensual\n"
                   "Julio, -2.5\n"
                   "\n"
                   "Nombre, m2, multiplicador, Calefacción, Refrigeración\n"
                   "P01_E01, 12.5, 1, 7.3, -1.2\n"
                   "P01_SUBTOTAL, 99.9, 1, 1.0, -1.0\n"
                   "TOTAL, " +
                   d.superficie +
                   ", 1, 7.3, -1.2\n"
                   "\n"
                   "Calefacción mensual por zonas\n"
                   "P01_E01, 4.1, 3.2\n");
}

std::string TextoProyecto(const std::string& nombre) {
    return ConCrLf("$ Proyecto " + nombre +
                   "\n"
                   "$          Datos Generales\n"
                   "\"DATOS GENERALES\" = GENERAL-DATA\n"
                   "   ZONA = \"D3\"\n"
                   "   ..\n"
                   "$      Fin del Fichero de Datos\n"
                   "$ Otros ajustes\n");
}

void EscribirBytes(const std::string& ruta, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(ruta).parent_path());
    std::ofstream fichero(ruta, std::ios::binary | std::ios::trunc);
    fichero.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!fichero.good()) throw std::runtime_error("no se pudo escribir " + ruta);
}

std::string LeerBytes(const std::string& ruta) {
    std::ifstream fichero(ruta, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(fichero), {});
}

std::string EscribirCodigos(const std::string& rutaResultados, const TablaCodigos& tabla,
                            const std::string& acompanante) {
    const AnsiString digesto = inspector::DigestoFichero(AnsiString(rutaResultados));
    const AnsiString codigo = inspector(tabla).Codificar(digesto + AnsiString(acompanante));
    const std::string contenido = codigo.str() + acompanante;
    const std::string base = rutaResultados.substr(0, rutaResultados.rfind('.'));
    EscribirBytes(base + ".cl", contenido);
    return contenido;
}

std::string EscribirProyecto(const std::string& carpetaInicio, const std::string& carpetaProyecto,
                             const std::string& nombre, const DemandasPrueba& objeto,
                             const DemandasPrueba& referencia, const TablaCodigos& tabla) {
    const std::string cte = carpetaProyecto + nombre + ".cte";
    EscribirBytes(cte, TextoProyecto(nombre));
    const std::string resultados = carpetaInicio + "Resultados/" + nombre;
    EscribirBytes(resultados + "O.res", TextoResultados(objeto));
    EscribirBytes(resultados + "R.res", TextoResultados(referencia));
    EscribirCodigos(resultados + "O.res", tabla);
    EscribirCodigos(resultados + "R.res", tabla);
    return cte;
}

std::vector<CasoComprobacion> CasosComprobacion(const std::string& carpetaInicio,
                                                const std::string& carpetaProyecto) {
    const std::string res = carpetaInicio + "Resultados/";
    return {
        {"cte", carpetaProyecto + "casa.cte", "",
         "no se encontro el fichero \n " + carpetaProyecto + "casa.cte"},
        {"objeto", res + "casaO.res", "",
         "no se encontraron resultados objeto:\n " + res + "casaO.res"},
        {"objeto_no_valido", "", res + "casaO.cl",
         "el fichero de resultados no es valido (Objeto casa)"},
        {"referencia", res + "casaR.res", "",
         "no se encontraron resultados referencia:\n " + res + "casaR.res"},
        {"referencia_no_valida", "", res + "casaR.cl",
         "el fichero de resultados no es valido (Referenciacasa)"},
    };
}

void Estropear(const CasoComprobacion& caso) {
    if (!caso.borrar.empty()) std::filesystem::remove(caso.borrar);
    if (!caso.estropearCl.empty()) EscribirBytes(caso.estropearCl, std::string(64, 'A'));
}
