// NombresContados: las cuentas por nombre frente a un mapa llevado al lado, con la tabla
// creciendo varias veces y vaciándose casi entera (las casillas se mueven al borrar).

#include "comunes/NombresContados.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>

namespace {

TEST(NombresContadosTest, CuentaComoUnMapaEnAltasYBajasAlAzar) {
    NombresContados tabla;
    std::map<std::string, int> modelo;
    constexpr int kNombres = 3000;
    std::mt19937 azar(2026);
    auto al = [&](int n) { return static_cast<int>(azar() % static_cast<unsigned>(n)); };
    // Nombres numerados como los que dan las fábricas, y otros que solo difieren al final.
    auto nombre = [](int n) {
        return (n % 3 == 0 ? "Muro" : n % 3 == 1 ? "Espacio_" : "M") + std::to_string(n / 3);
    };
    auto comprobar = [&](int paso) {
        ASSERT_EQ(tabla.Tamano(), modelo.size()) << "paso " << paso;
        for (int n = 0; n < kNombres; ++n) {
            const std::string texto = nombre(n);
            const auto hallado = modelo.find(texto);
            const int esperada = hallado == modelo.end() ? 0 : hallado->second;
            ASSERT_EQ(tabla.Cuenta(texto), esperada) << "paso " << paso << ", " << texto;
            ASSERT_EQ(tabla.Contiene(texto), esperada > 0) << "paso " << paso << ", " << texto;
        }
    };
    size_t mayor = 0;
    for (int paso = 0; paso < 30000; ++paso) {
        // Crece hasta casi todos los nombres; después se vacía.
        const bool llenando = paso < 15000;
        const bool alta = llenando ? al(4) != 0 : al(8) == 0;
        const std::string texto = nombre(al(kNombres));
        const int cuenta = llenando ? 1 + al(al(10) == 0 ? 3 : 1) : 2 + al(6);
        tabla.Sumar(texto, alta ? cuenta : -cuenta);
        // Restar de un nombre ausente no hace nada; uno que llega a 0 o menos sale.
        int& enModelo = modelo[texto];
        if (alta || enModelo > 0) enModelo += alta ? cuenta : -cuenta;
        if (enModelo <= 0) modelo.erase(texto);
        mayor = std::max(mayor, modelo.size());
        if (paso % 1500 == 0 || paso == 29999) comprobar(paso);
    }
    // La tabla ha llegado a casi todos los nombres y ha soltado la mayoría.
    EXPECT_GT(mayor, size_t{kNombres} * 9 / 10);
    EXPECT_LT(modelo.size(), size_t{kNombres} / 4);
}

TEST(NombresContadosTest, UnNombreVaciadoVuelveAEntrarDesdeCero) {
    NombresContados tabla;
    EXPECT_EQ(tabla.Cuenta("Ventana1"), 0); // tabla sin casillas
    tabla.Sumar("Ventana1", -2);
    EXPECT_EQ(tabla.Tamano(), 0u);
    tabla.Sumar("Ventana1", 2);
    tabla.Sumar("", 1); // el nombre vacío es un nombre más
    tabla.Sumar("Ventana1", -5);
    EXPECT_FALSE(tabla.Contiene("Ventana1"));
    EXPECT_TRUE(tabla.Contiene(""));
    tabla.Sumar("Ventana1", 1);
    EXPECT_EQ(tabla.Cuenta("Ventana1"), 1);
    EXPECT_EQ(tabla.Tamano(), 2u);
}

} // namespace
