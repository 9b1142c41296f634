#include "Pelusta/FicheroResultados.h"

#include "comunes/Util.h"

#include <cmath>
#include <limits>
#include <string>

namespace {

// El texto entre una marca y la primera marca de fin que la sigue; false si falta alguna.
bool Seccion(std::string_view texto, std::string_view inicio, std::string_view fin,
             std::string_view& seccion) {
    const size_t desde = texto.find(inicio);
    if (desde == std::string_view::npos) return false;
    const size_t hasta = texto.find(fin, desde + inicio.size());
    if (hasta == std::string_view::npos) return false;
    seccion = texto.substr(desde, hasta - desde);
    return true;
}

// La línea que empieza en "desde", sin su salto.
std::string_view Linea(std::string_view texto, size_t desde) {
    const std::string_view resto = texto.substr(desde);
    return resto.substr(0, resto.find('\n'));
}

AnsiString SinBlancos(std::string_view texto) {
    return AnsiString(texto).Trim();
}

} // namespace

bool EsNumeroDeResultados(const AnsiString& texto) {
    if (texto.Trim().IsEmpty()) return false;
    // AFlotante no toca el valor cuando el texto no es un número, y nunca da NaN.
    float valor = std::numeric_limits<float>::quiet_NaN();
    AFlotante(valor, texto);
    return !std::isnan(valor);
}

bool ExtraerResultados(std::string_view texto, ResultadosFichero& resultados) {
    resultados = ResultadosFichero();

    // Demandas anuales: la línea que sigue a la del encabezado, "calefacción, refrigeración".
    std::string_view anual;
    if (!Seccion(texto, kMarcaAnual, kFinAnual, anual)) return false;
    const size_t salto = anual.find('\n');
    if (salto == std::string_view::npos) return false;
    const std::string_view valores = Linea(anual, salto + 1);
    const size_t coma = valores.find(',');
    if (coma == std::string_view::npos) return false;
    const AnsiString calefaccion = SinBlancos(valores.substr(0, coma));
    const AnsiString refrigeracion = SinBlancos(valores.substr(coma + 1));

    // Superficie: el primer campo tras "TOTAL," en la primera fila de la tabla de zonas que
    // empieza así (una zona cuyo nombre acabe en "TOTAL" no cuenta).
    std::string_view zonas;
    if (!Seccion(texto, kMarcaZonas, kFinZonas, zonas)) return false;
    AnsiString superficie;
    bool hayTotal = false;
    for (size_t inicio = 0; inicio < zonas.size() && !hayTotal;) {
        const std::string_view linea = Linea(zonas, inicio);
        const size_t primero = linea.find_first_not_of(" \t");
        if (primero != std::string_view::npos && linea.substr(primero).starts_with(kFilaTotal)) {
            const std::string_view campos =
                linea.substr(primero + std::string_view(kFilaTotal).size());
            superficie = SinBlancos(campos.substr(0, campos.find(',')));
            hayTotal = true;
        }
        inicio += linea.size() + 1;
    }
    if (!hayTotal) return false;

    if (!EsNumeroDeResultados(calefaccion) || !EsNumeroDeResultados(refrigeracion) ||
        !EsNumeroDeResultados(superficie))
        return false;
    resultados.calefaccion = calefaccion;
    resultados.refrigeracion = refrigeracion;
    resultados.superficie = superficie;
    return true;
}
