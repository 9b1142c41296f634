// Planos y su lista compartida: registro "PLANE", primer plano y bloque.

#include "modelo/Plano.h"
#include "modelo/bdPlanos.h"
#include "tests/comunes/registros_prueba.h"
#include "tests/modelo/modelo_prueba.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/string_list.h"

namespace {

using PruebaPlano = PruebaModelo;

Plano* ComoPlano(const std::unique_ptr<ObjetoBase>& objeto) {
    return dynamic_cast<Plano*>(objeto.get());
}

TEST_F(PruebaPlano, SinTipoEsUnaImagen) {
    auto leido =
        LeidoDe(LineasCRLF({"\"Fachada\" = PLANE", "    FILE = \"C:\\planos\\fachada.bmp\"",
                            "    UNIT = 0.01", "    X = 2", "      .."}),
                "PLANE ", TIPO_PLANO);
    Plano* plano = ComoPlano(leido);
    ASSERT_NE(plano, nullptr);
    EXPECT_EQ(plano->ObtenerTipoPlano(), Plano::IMAGEN);
    EXPECT_EQ(plano->Capas(), nullptr);
    EXPECT_EQ(plano->Fichero(), "C:\\planos\\fachada.bmp");
    EXPECT_FALSE(plano->EsPrimero());
    const std::string escrito = ComprobarIdaYVuelta(*plano, "PLANE ", TIPO_PLANO);
    EXPECT_EQ(escrito, LineasCRLF({
                           "\"Fachada\" = PLANE ",
                           "    PLANE_TYPE = BMP",
                           "    FILE = \"C:\\planos\\fachada.bmp\"",
                           "    UNIT = 0.010000",
                           "    X    = 2.000000",
                           "    Y    = 0.000000",
                           "    Z    = 0.000000",
                           "      ..",
                       }));
}

TEST_F(PruebaPlano, CadConCapas) {
    auto leido = LeidoDe(
        LineasCRLF({"\"Planta\" = PLANE ", "    PLANE_TYPE = DXF", "    FILE = \"planta.dxf\"",
                    "    ACADLAYER = (\"A\",", "\"B\")", "    FIRST = TRUE", "      .."}),
        "PLANE ", TIPO_PLANO);
    Plano* plano = ComoPlano(leido);
    ASSERT_NE(plano, nullptr);
    EXPECT_EQ(plano->ObtenerTipoPlano(), Plano::CAD);
    ASSERT_NE(plano->Capas(), nullptr);
    ASSERT_EQ(plano->Capas()->GetCount(), 2);
    EXPECT_EQ(plano->Capas()->GetStrings(1), "B");
    EXPECT_EQ(bdPlanos::Instancia()->PrimerPlano(), plano);
    const std::string escrito = ComprobarIdaYVuelta(*plano, "PLANE ", TIPO_PLANO);
    EXPECT_NE(escrito.find("    ACADLAYER = (\"A\",\r\n\"B\")\r\n    FIRST = TRUE\r\n      ..\r\n"),
              std::string::npos)
        << escrito;
}

TEST_F(PruebaPlano, CadSinCapasNoDejaLaListaAbierta) {
    auto leido = LeidoDe(LineasCRLF({"\"P\" = PLANE", "    PLANE_TYPE = DXF", "      .."}),
                         "PLANE ", TIPO_PLANO);
    Plano* plano = ComoPlano(leido);
    ASSERT_NE(plano, nullptr);
    ASSERT_NE(plano->Capas(), nullptr);
    EXPECT_EQ(plano->Capas()->GetCount(), 0);
    const std::string escrito = ComprobarIdaYVuelta(*plano, "PLANE ", TIPO_PLANO);
    EXPECT_EQ(escrito.find("ACADLAYER"), std::string::npos);
    EXPECT_NE(escrito.find("PLANE_TYPE = DXF"), std::string::npos);
}

TEST_F(PruebaPlano, NuevoSinLeer) {
    Plano plano("Nuevo");
    EXPECT_EQ(RegistroDe(plano), LineasCRLF({
                                     "\"Nuevo\" = PLANE ",
                                     "    PLANE_TYPE = BMP",
                                     "    FILE = \"\"",
                                     "    UNIT = 1.000000",
                                     "    X    = 0.000000",
                                     "    Y    = 0.000000",
                                     "    Z    = 0.000000",
                                     "      ..",
                                 }));
}

TEST_F(PruebaPlano, DosPrimerosYLaLista) {
    bdPlanos* lista = bdPlanos::Instancia();
    EXPECT_EQ(lista->ObtenerNombre(), "Planos");
    AnsiString nombre = "sin tocar";
    lista->ValorPropiedad("Otra", nombre);
    EXPECT_EQ(nombre, "sin tocar");
    const std::string cabecera =
        LineasCRLF({"$ -----------------------------------", "$              Planos",
                    "$ -----------------------------------", "$"});
    EXPECT_EQ(Escrito([&](FileWriter& f) { lista->Escribir(f); }), cabecera);

    const std::string fichero =
        LineasCRLF({"\"Uno\" = PLANE", "    FIRST = TRUE", "      ..", "\"Dos\" = PLANE",
                    "    FIRST = TRUE", "      ..", "\"Tres\" = PLANE", "      .."});
    LeerBDL fuente(LeerBDL::EnMemoria{}, fichero);
    fuente.Reiniciar();
    for (AnsiString leido = fuente.SiguienteObjeto("PLANE "); !leido.IsEmpty();
         leido = fuente.SiguienteObjeto("PLANE ")) {
        lista->CrearHijo(leido, TIPO_PLANO);
        bool encontrado = false;
        auto registro = LeerBDL::ExtraerObjeto(fuente, "PLANE ", "\"" + leido + "\"", encontrado);
        ASSERT_TRUE(encontrado);
        lista->Hijo(lista->NumeroHijos() - 1)->Leer(registro.get());
    }
    ASSERT_EQ(lista->NumeroHijos(), 3);
    auto* uno = static_cast<Plano*>(lista->Hijo(0));
    auto* dos = static_cast<Plano*>(lista->Hijo(1));
    EXPECT_EQ(lista->PrimerPlano(), dos);
    EXPECT_TRUE(uno->EsPrimero());
    EXPECT_TRUE(dos->EsPrimero());
    const std::string bloque = Escrito([&](FileWriter& f) { lista->Escribir(f); });
    EXPECT_EQ(bloque.rfind(cabecera, 0), 0u);
    size_t primeros = 0;
    for (size_t p = bloque.find("FIRST = TRUE"); p != std::string::npos;
         p = bloque.find("FIRST = TRUE", p + 1))
        ++primeros;
    EXPECT_EQ(primeros, 2u);

    // Quitado de la lista, deja de ser el primero y no se borra.
    lista->QuitarHijo(dos);
    EXPECT_EQ(lista->PrimerPlano(), nullptr);
    EXPECT_EQ(lista->NumeroHijos(), 2);
    // Borrado, tampoco queda como primero.
    lista->PonerPrimerPlano(dos);
    delete dos;
    EXPECT_EQ(lista->PrimerPlano(), nullptr);
    lista->QuitarHijo(nullptr);
    EXPECT_EQ(lista->NumeroHijos(), 2);
}

} // namespace
