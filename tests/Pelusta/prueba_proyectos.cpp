// La lista de proyectos: nombres y carpetas, los códigos de la comprobación de resultados,
// la lectura de los valores y el veredicto de cumplimiento.

#include "Pelusta/Proyectos.h"
#include "tests/Pelusta/GeneradorProyectos.h"
#include "tests/comun/carpeta_temporal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

TEST(Proyectos, AnadirGuardaElMultiplicadorComoEntero) {
    Proyectos proyectos(TablaDePrueba());
    proyectos.Anadir("a.cte", "3");
    proyectos.Anadir("b.cte", "abc");
    proyectos.Anadir("c.cte", " 7 ");
    proyectos.Anadir("d.cte", "2.5");
    ASSERT_EQ(proyectos.Numero(), 4);
    EXPECT_EQ(proyectos.Multiplicador(0), 3);
    EXPECT_EQ(proyectos.Multiplicador(1), 1);
    EXPECT_EQ(proyectos.Multiplicador(2), 7);
    EXPECT_EQ(proyectos.Multiplicador(3), 1);
}

TEST(Proyectos, NombreYCarpetaSalenDeLaUltimaParteDeLaRuta) {
    struct Caso {
        const char* ruta;
        const char* nombre;
        const char* carpeta;
        const char* objeto;
    } casos[] = {
        {"C:\\obras\\casa.nueva.cte", "casa.nueva", "C:\\obras\\",
         "C:\\inicio\\Resultados\\casa.nuevaO.res"},
        {"C:\\obras.2024\\casa", "casa", "C:\\obras.2024\\", "C:\\inicio\\Resultados\\casaO.res"},
        {"/home/u/mis.obras/casa.CTE", "casa", "/home/u/mis.obras/",
         "C:\\inicio\\Resultados\\casaO.res"},
        {"casa.txt", "casa", "", "C:\\inicio\\Resultados\\casaO.res"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.ruta);
        Proyectos proyectos(TablaDePrueba());
        proyectos.Anadir(caso.ruta, "1");
        EXPECT_EQ(proyectos.ComprobarResultados(0, caso.ruta, "C:\\inicio"),
                  Proyectos::kFaltaProyecto);
        EXPECT_EQ(proyectos.GetNombre(0).str(), caso.nombre);
        EXPECT_EQ(proyectos.GetCarpeta(0).str(), caso.carpeta);
        EXPECT_EQ(proyectos.GetFicheroObjeto(0).str(), caso.objeto);
    }
    // Con una carpeta de inicio con "/" final, los ficheros de resultados siguen su estilo.
    Proyectos proyectos(TablaDePrueba());
    proyectos.Anadir("/p/casa.cte", "1");
    proyectos.ComprobarResultados(0, "/p/casa.cte", "/home/u/");
    EXPECT_EQ(proyectos.GetFicheroObjeto(0).str(), "/home/u/Resultados/casaO.res");
    EXPECT_EQ(proyectos.GetFicheroReferencia(0).str(), "/home/u/Resultados/casaR.res");
}

// Un proyecto válido en carpetas temporales: inicio/ y obras/.
// Público: los casos de rotura lo tocan desde fuera.
class ProyectoEnDisco : public testing::Test {
public:
    void SetUp() override {
        inicio_ = carpeta_.Ruta().str() + "inicio/";
        obras_ = carpeta_.Ruta().str() + "obras/";
        cte_ = EscribirProyecto(inicio_, obras_, "casa", {"30.0", "-10.0", "100.0"},
                                {"60.0", "-20.0", "100.5"}, TablaDePrueba());
    }
    std::string Resultados(const char* fichero) const {
        return inicio_ + "Resultados/casa" + fichero;
    }
    int Comprobar(const TablaCodigos& tabla = TablaDePrueba()) {
        Proyectos proyectos(tabla);
        proyectos.Anadir(AnsiString(cte_), "1");
        return proyectos.ComprobarResultados(0, AnsiString(cte_), AnsiString(inicio_));
    }

    CarpetaTemporal carpeta_;
    std::string inicio_, obras_, cte_;
};

TEST_F(ProyectoEnDisco, CodigosDeLaComprobacion) {
    EXPECT_EQ(Comprobar(), Proyectos::kValido);

    // Cada caso rompe una cosa en una copia del proyecto válido.
    struct Caso {
        const char* nombre;
        void (*romper)(const ProyectoEnDisco&);
        int codigo;
    };
    const Caso casos[] = {
        {"sin_cte", [](const ProyectoEnDisco& p) { std::filesystem::remove(p.cte_); },
         Proyectos::kFaltaProyecto},
        {"sin_objeto",
         [](const ProyectoEnDisco& p) { std::filesystem::remove(p.Resultados("O.res")); },
         Proyectos::kFaltaObjeto},
        {"objeto_alterado",
         [](const ProyectoEnDisco& p) {
             EscribirBytes(p.Resultados("O.res"), TextoResultados({"3.0", "-10.0", "100.0"}));
         },
         Proyectos::kObjetoNoValido},
        {"sin_cl_objeto",
         [](const ProyectoEnDisco& p) { std::filesystem::remove(p.Resultados("O.cl")); },
         Proyectos::kObjetoNoValido},
        {"sin_referencia",
         [](const ProyectoEnDisco& p) { std::filesystem::remove(p.Resultados("R.res")); },
         Proyectos::kFaltaReferencia},
        {"cl_referencia_de_otro",
         [](const ProyectoEnDisco& p) {
             EscribirBytes(p.Resultados("R.cl"), LeerBytes(p.Resultados("O.cl")));
         },
         Proyectos::kReferenciaNoValida},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        SetUp();
        caso.romper(*this);
        EXPECT_EQ(Comprobar(), caso.codigo);
    }
}

TEST_F(ProyectoEnDisco, SinTablaNingunResultadoEsValido) {
    EXPECT_EQ(Comprobar(TablaCodigos()), Proyectos::kSinTablaCodigos);
    EXPECT_EQ(Comprobar(TablaCodigos::DeBytes("corta")), Proyectos::kSinTablaCodigos);
    // Lo que falta se sigue diciendo antes.
    std::filesystem::remove(Resultados("O.res"));
    EXPECT_EQ(Comprobar(TablaCodigos()), Proyectos::kFaltaObjeto);
}

TEST_F(ProyectoEnDisco, OtraExtensionSeBuscaComoCte) {
    const std::string otra = obras_ + "casa.xyz";
    Proyectos proyectos(TablaDePrueba());
    proyectos.Anadir(AnsiString(otra), "1");
    EXPECT_EQ(proyectos.ComprobarResultados(0, AnsiString(otra), AnsiString(inicio_)),
              Proyectos::kValido);
}

TEST_F(ProyectoEnDisco, LeerResultadosDeObjetoYReferencia) {
    Proyectos proyectos(TablaDePrueba());
    proyectos.Anadir(AnsiString(cte_), "1");
    ASSERT_EQ(proyectos.ComprobarResultados(0, AnsiString(cte_), AnsiString(inicio_)),
              Proyectos::kValido);
    ASSERT_TRUE(proyectos.LeerResultados(0, Proyectos::kObjeto));
    EXPECT_EQ(proyectos.GetSuperficie(0).str(), "100.0");
    ASSERT_TRUE(proyectos.LeerResultados(0, Proyectos::kReferencia));
    EXPECT_EQ(proyectos.GetCalefaccionObjeto(0).str(), "30.0");
    EXPECT_EQ(proyectos.GetRefrigeracionObjeto(0).str(), "-10.0");
    EXPECT_EQ(proyectos.GetCalefaccionReferencia(0).str(), "60.0");
    EXPECT_EQ(proyectos.GetRefrigeracionReferencia(0).str(), "-20.0");
    // La superficie del fichero de referencia, leído después, es la que queda.
    EXPECT_EQ(proyectos.GetSuperficie(0).str(), "100.5");
}

TEST_F(ProyectoEnDisco, UnFicheroRotoNoHeredaLosValoresDeOtroProyecto) {
    // Un segundo proyecto cuyo fichero objeto no tiene la sección anual.
    EscribirProyecto(inicio_, obras_, "roto", {"45.0", "-5.0", "80.0"}, {"50.0", "-6.0", "80.0"},
                     TablaDePrueba());
    std::string roto = TextoResultados({"45.0", "-5.0", "80.0"});
    roto.replace(roto.find("Calefacción, Refrigeración anual"), 5, "Otra ");
    EscribirBytes(inicio_ + "Resultados/rotoO.res", roto);

    Proyectos proyectos(TablaDePrueba());
    proyectos.Anadir(AnsiString(cte_), "1");
    proyectos.Anadir(AnsiString(obras_ + "roto.cte"), "1");
    proyectos.ComprobarResultados(0, AnsiString(cte_), AnsiString(inicio_));
    proyectos.ComprobarResultados(1, AnsiString(obras_ + "roto.cte"), AnsiString(inicio_));
    ASSERT_TRUE(proyectos.LeerResultados(0, Proyectos::kObjeto));
    EXPECT_FALSE(proyectos.LeerResultados(1, Proyectos::kObjeto));
    EXPECT_TRUE(proyectos.GetCalefaccionObjeto(1).IsEmpty());
    EXPECT_TRUE(proyectos.GetRefrigeracionObjeto(1).IsEmpty());
    EXPECT_TRUE(proyectos.GetSuperficie(1).IsEmpty());

    // Y una segunda lectura fallida del mismo proyecto tampoco deja la primera.
    ASSERT_TRUE(proyectos.LeerResultados(0, Proyectos::kReferencia));
    std::filesystem::remove(Resultados("R.res"));
    EXPECT_FALSE(proyectos.LeerResultados(0, Proyectos::kReferencia));
    EXPECT_TRUE(proyectos.GetCalefaccionReferencia(0).IsEmpty());
    EXPECT_TRUE(proyectos.GetSuperficie(0).IsEmpty());
}

TEST(Proyectos, Cumple) {
    struct Caso {
        float h, r;
        bool cumple;
    } casos[] = {
        {25, 2, true},                                       // R/H·100 = 8 <= 10 y H < 100
        {120, 0.5f, false},                                  // R/H·100 = 0.42 pero H >= 100
        {2, 25, true},                                       // H/R·100 = 8 <= 10 y R < 100
        {0.5f, 120, false},                                  // H/R·100 <= 10 pero R >= 100
        {50, 50, true},                                      // los dos < 100 y R/H·100 = 100 > 10
        {99, 101, false},   {101, 99, false}, {0, 0, false}, // sin demanda no hay veredicto
        {0, 50, true},                                       // H/R = 0 <= 10 y R < 100
        {0, 150, false},                    // R/0 es infinito: mayor que 10, pero R >= 100
        {50, 0, true},                      // R/H = 0 <= 10 y H < 100
        {150, 0, false},    {-5, 5, false}, // H + R = 0
    };
    for (const Caso& caso : casos)
        EXPECT_EQ(Proyectos::Cumple(caso.h, caso.r), caso.cumple) << caso.h << " / " << caso.r;

    Proyectos proyectos(TablaDePrueba());
    proyectos.SetPorcentajeCalefaccion(25);
    proyectos.SetPorcentajeRefrigeracion(2);
    EXPECT_TRUE(proyectos.Cumple());
    proyectos.SetPorcentajeCalefaccion(120);
    EXPECT_FALSE(proyectos.Cumple());
}

} // namespace
