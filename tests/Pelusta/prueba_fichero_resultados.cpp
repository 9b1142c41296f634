// Lo que se extrae de un fichero de resultados, y los ficheros rotos, que son un error.

#include "Pelusta/FicheroResultados.h"
#include "Pelusta/TextoWindows.h"
#include "tests/Pelusta/GeneradorProyectos.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// El texto de un fichero tal como lo lee el modo texto.
std::string Leido(const DemandasPrueba& demandas) {
    return LeerComoTextoWindows(TextoResultados(demandas));
}

std::string Reemplazar(std::string texto, const std::string& que, const std::string& por) {
    const size_t donde = texto.find(que);
    EXPECT_NE(donde, std::string::npos) << que;
    if (donde != std::string::npos) texto.replace(donde, que.size(), por);
    return texto;
}

TEST(FicheroResultados, ExtraeDemandasYSuperficie) {
    ResultadosFichero leidos;
    ASSERT_TRUE(ExtraerResultados(Leido({"30.5", "-10.25", "123.4"}), leidos));
    EXPECT_EQ(leidos.calefaccion.str(), "30.5");
    EXPECT_EQ(leidos.refrigeracion.str(), "-10.25");
    // La fila "P01_SUBTOTAL," de la tabla de zonas no es la fila del total.
    EXPECT_EQ(leidos.superficie.str(), "123.4");
}

// Las marcas son bytes de Windows-1252 ("ó" es 0xF3): un fichero escrito en UTF-8 no las
// tiene.
TEST(FicheroResultados, MarcasEnWindows1252) {
    EXPECT_STREQ(kMarcaAnual, "Calefacci\xF3n, Refrigeraci\xF3n anual");
    EXPECT_STREQ(kFinAnual, "Calefacci\xF3n mensual");
    EXPECT_STREQ(kMarcaZonas, "Nombre, m2, multiplicador, Calefacci\xF3n, Refrigeraci\xF3n");
    EXPECT_STREQ(kFinZonas, "Calefacci\xF3n mensual por zonas");
    EXPECT_STREQ(kFilaTotal, "TOTAL,");

    std::string utf8 = Leido({"30.0", "-10.0", "100.0"});
    for (size_t i = 0; (i = utf8.find('\xF3', i)) != std::string::npos; i += 2)
        utf8.replace(i, 1, "\xC3\xB3");
    ResultadosFichero leidos;
    EXPECT_FALSE(ExtraerResultados(utf8, leidos));
}

TEST(FicheroResultados, LosCrDeWindowsNoLleganALosValores) {
    // Leído sin quitar los CR, el de la refrigeración acabaría en "\r".
    ResultadosFichero leidos;
    ASSERT_TRUE(ExtraerResultados(Leido({"1", "2", "3"}), leidos));
    EXPECT_EQ(leidos.refrigeracion.str(), "2");
}

TEST(FicheroResultados, VariantesDeEspaciado) {
    const std::string base = Leido({"30.0", "-10.0", "100.0"});
    struct Caso {
        const char* nombre;
        std::string texto;
        const char* calefaccion;
        const char* refrigeracion;
        const char* superficie;
    } casos[] = {
        {"sin_blanco_tras_la_coma", Reemplazar(base, "30.0, -10.0", "30.0,-10.0"), "30.0", "-10.0",
         "100.0"},
        {"blancos_de_mas", Reemplazar(base, "30.0, -10.0", "  30.0 ,   -10.0  "), "30.0", "-10.0",
         "100.0"},
        {"total_sangrado", Reemplazar(base, "TOTAL, 100.0", "  TOTAL,100.0"), "30.0", "-10.0",
         "100.0"},
        // El fin de la sección anual se busca después de su inicio.
        {"fin_anual_antes", "Calefacción mensual\n" + base, "30.0", "-10.0", "100.0"},
        {"fin_zonas_antes", "Calefacción mensual por zonas\n" + base, "30.0", "-10.0", "100.0"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        ResultadosFichero leidos;
        ASSERT_TRUE(ExtraerResultados(caso.texto, leidos));
        EXPECT_EQ(leidos.calefaccion.str(), caso.calefaccion);
        EXPECT_EQ(leidos.refrigeracion.str(), caso.refrigeracion);
        EXPECT_EQ(leidos.superficie.str(), caso.superficie);
    }
}

TEST(FicheroResultados, FicherosRotosSonUnError) {
    const std::string base = Leido({"30.0", "-10.0", "100.0"});
    struct Caso {
        const char* nombre;
        std::string texto;
    } casos[] = {
        {"vacio", ""},
        {"sin_inicio_anual", Reemplazar(base, "Calefacción, Refrigeración anual", "Anual")},
        {"sin_fin_anual", base.substr(0, base.find("Calefacción mensual"))},
        {"marca_en_minusculas",
         Reemplazar(base, "Calefacción, Refrigeración anual", "calefacción, refrigeración anual")},
        {"sin_inicio_zonas",
         Reemplazar(base, "Nombre, m2, multiplicador, Calefacción, Refrigeración", "Zonas")},
        {"sin_fin_zonas", Reemplazar(base, "Calefacción mensual por zonas", "Por zonas")},
        {"sin_total", Reemplazar(base, "TOTAL, 100.0", "SUMA, 100.0")},
        {"sin_coma", Reemplazar(base, "30.0, -10.0", "30.0 -10.0")},
        {"calefaccion_vacia", Reemplazar(base, "30.0, -10.0", ", -10.0")},
        {"refrigeracion_vacia", Reemplazar(base, "30.0, -10.0", "30.0,")},
        {"calefaccion_no_numerica", Reemplazar(base, "30.0, -10.0", "n/d, -10.0")},
        {"refrigeracion_con_mas_campos", Reemplazar(base, "30.0, -10.0", "30.0, -10.0, 5")},
        {"superficie_no_numerica", Reemplazar(base, "TOTAL, 100.0", "TOTAL, cien")},
        {"superficie_vacia", Reemplazar(base, "TOTAL, 100.0", "TOTAL,")},
        {"numero_infinito", Reemplazar(base, "30.0, -10.0", "1e999, -10.0")},
        {"encabezado_sin_valores", base.substr(0, base.find("30.0")) + "Calefacción mensual\n"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        ResultadosFichero leidos{"x", "y", "z"};
        EXPECT_FALSE(ExtraerResultados(caso.texto, leidos));
        // Nada de una lectura anterior queda en lo devuelto.
        EXPECT_TRUE(leidos.calefaccion.IsEmpty());
        EXPECT_TRUE(leidos.refrigeracion.IsEmpty());
        EXPECT_TRUE(leidos.superficie.IsEmpty());
    }
}

TEST(TextoWindows, CrLfACambioDeLineaYCtrlZFinal) {
    EXPECT_EQ(LeerComoTextoWindows("a\r\nb\rc\n\r\n"), "a\nb\rc\n\n");
    EXPECT_EQ(LeerComoTextoWindows(std::string("uno\r\n\x1A"
                                               "dos",
                                               9)),
              "uno\n");
    EXPECT_EQ(LeerComoTextoWindows("x\r"), "x\r");
}

} // namespace
