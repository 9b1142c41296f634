// Polígonos, líneas auxiliares, la lista compartida de polígonos y sus registros.

#include "modelo/Linea.h"
#include "modelo/Poligono.h"
#include "modelo/bdPoligonos.h"
#include "tests/comun/pruebas.h"
#include "tests/comunes/registros_prueba.h"
#include "tests/modelo/modelo_prueba.h"

#include "plataforma/base/file_writer.h"

#include <stdexcept>

namespace {

using PruebaPoligono = PruebaModelo;

const std::string kCuatroPares = LineasCRLF({
    "\"Planta baja\" = POLYGON",
    "    V1   =( 0, 0 )",
    "    V2   =( 10.5, 0 )",
    "    V3   =( 10.5, 8.25 )",
    "    V4   =( -3, 8.25 )",
    "    ..",
});

TEST_F(PruebaPoligono, LeeCuatroParesYLosNumeraAlEscribir) {
    auto leido = LeidoDe(kCuatroPares, "POLYGON ", TIPO_POLIGONO);
    ASSERT_NE(leido, nullptr);
    auto* poligono = dynamic_cast<Poligono*>(leido.get());
    ASSERT_NE(poligono, nullptr);
    ASSERT_EQ(poligono->NumeroPuntos(), 4);
    EXPECT_FLOAT_EQ(poligono->X(1), 10.5f);
    EXPECT_FLOAT_EQ(poligono->Y(2), 8.25f);
    float x = 0, y = 0;
    poligono->Vertice(3, x, y);
    EXPECT_FLOAT_EQ(x, -3.0f);
    AnsiString texto;
    poligono->ValorPropiedad("Numero puntos", texto);
    EXPECT_EQ(texto, "4");
    int numero = 0;
    poligono->ObtenerEntero("Numero puntos", numero);
    EXPECT_EQ(numero, 4);
    EXPECT_THROW(poligono->X(4), std::out_of_range);
    // Escrito tal cual: el número del vértice a la izquierda en dos columnas.
    EXPECT_EQ(RegistroDe(*poligono), kCuatroPares);
    ComprobarIdaYVuelta(*poligono, "POLYGON ", TIPO_POLIGONO);
}

TEST_F(PruebaPoligono, DiezVerticesYDecimales) {
    std::string texto = "\"P\" = POLYGON\r\n";
    for (int i = 1; i <= 10; ++i)
        texto += "    V" + std::string(i < 10 ? std::to_string(i) + " " : std::to_string(i)) +
                 "  =( " + std::to_string(i) + ".125, 0.3333333 )\r\n";
    texto += "    ..\r\n";
    auto leido = LeidoDe(texto, "POLYGON ", TIPO_POLIGONO);
    ASSERT_NE(leido, nullptr);
    EXPECT_EQ(RegistroDe(*leido), texto);
}

TEST_F(PruebaPoligono, ConMenosDeTresVerticesAvisaYNoEscribe) {
    auto leido = LeidoDe(
        LineasCRLF({"\"Corto\" = POLYGON", "    V1   =( 0, 0 )", "    V2   =( 1, 0 )", "    .."}),
        "POLYGON ", TIPO_POLIGONO);
    ASSERT_NE(leido, nullptr);
    Guion().AnswerMessageBox(IDOK);
    EXPECT_EQ(RegistroDe(*leido), "");
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    EXPECT_EQ(Guion().ShownBoxes()[0].text,
              "El Polígono \"Corto\" no está bien definido.\n Debe modificarlo.\n");
}

TEST_F(PruebaPoligono, VacioYRelecturaQueCambiaLosVertices) {
    Poligono poligono("Vacio");
    AnsiString texto;
    poligono.ValorPropiedad("Numero puntos", texto);
    EXPECT_EQ(texto, "0");
    RegistroLeido registro = PrimerRegistro(kCuatroPares, "POLYGON ");
    poligono.Leer(registro.registro.get());
    EXPECT_EQ(poligono.NumeroPuntos(), 4);
    // Un registro sin vértices deja el polígono vacío, no con los de antes.
    RegistroLeido sinVertices =
        PrimerRegistro(LineasCRLF({"\"X\" = POLYGON", "    .."}), "POLYGON ");
    poligono.Leer(sinVertices.registro.get());
    EXPECT_EQ(poligono.NumeroPuntos(), 0);
}

TEST_F(PruebaPoligono, ListaDePoligonos) {
    bdPoligonos* lista = bdPoligonos::Instancia();
    EXPECT_EQ(lista, bdPoligonos::Instancia());
    AnsiString nombre;
    lista->ValorPropiedad("Nombre", nombre);
    EXPECT_EQ(nombre, "ListaPoligonos");
    EXPECT_EQ(lista->Buscar("No está"), nullptr);
    EXPECT_EQ(lista->BuscarPorNombre("No está"), nullptr);

    // Uno que se llama como la lista (las fábricas le cambiarían el nombre; se lo pone
    // quien lo añade) se encuentra como polígono.
    EXPECT_EQ(lista->CrearHijo("ListaPoligonos", TIPO_POLIGONO), "ListaPoligonos_1");
    lista->AnadirHijo(new Poligono("ListaPoligonos"));
    lista->CrearHijo("Otro", TIPO_POLIGONO);
    ASSERT_EQ(lista->NumeroHijos(), 3);
    Poligono* mismoNombre = lista->Buscar("ListaPoligonos");
    ASSERT_NE(mismoNombre, nullptr);
    EXPECT_EQ(mismoNombre->ObtenerTipo(), TIPO_POLIGONO);
    EXPECT_EQ(mismoNombre, lista->Hijo(1));
    EXPECT_EQ(lista->Buscar("Otro"), lista->Hijo(2));
    EXPECT_EQ(lista->Buscar("ListaPoligonos_1"), lista->Hijo(0));
}

TEST_F(PruebaPoligono, BloqueDePoligonos) {
    bdPoligonos* lista = bdPoligonos::Instancia();
    EXPECT_EQ(Escrito([&](FileWriter& f) { lista->Escribir(f); }),
              "\r\n$ -----------------------------------"
              "\r\n$             POLIGONOS"
              "\r\n$ -----------------------------------"
              "\r\n$\r\n");
    lista->CrearHijo("Planta baja", TIPO_POLIGONO);
    RegistroLeido registro = PrimerRegistro(kCuatroPares, "POLYGON ");
    lista->Hijo(0)->Leer(registro.registro.get());
    const std::string bloque = Escrito([&](FileWriter& f) { lista->Escribir(f); });
    EXPECT_EQ(bloque.substr(bloque.size() - kCuatroPares.size()), kCuatroPares);
}

using PruebaLinea = PruebaModelo;

TEST_F(PruebaLinea, RegistroIdaYVuelta) {
    Linea linea("Eje 1");
    EXPECT_TRUE(linea.EsNueva());
    linea.PonerEntero("Tipo", 2);
    linea.PonerReal("X0", 1.5f);
    linea.PonerReal("Y0", -2.0f);
    linea.PonerReal("Z1", 3.25f);
    float valor = 0;
    linea.ObtenerReal("Z1", valor);
    EXPECT_FLOAT_EQ(valor, 3.25f);
    AnsiString nombre;
    linea.ValorPropiedad("Nombre", nombre);
    EXPECT_EQ(nombre, "Eje 1");
    const std::string escrito = ComprobarIdaYVuelta(linea, "AUX-LINE ", TIPO_LINEA);
    EXPECT_EQ(escrito, LineasCRLF({
                           "\"Eje 1\" = AUX-LINE",
                           "           TYPE = 2",
                           "           X0   = 1.500000",
                           "           Y0   = -2.000000",
                           "           Z0   = 0.000000",
                           "           X1   = 0.000000",
                           "           Y1   = 0.000000",
                           "           Z1   = 3.250000",
                           "           OWNERF = \"\"",
                           "           OWNERS = \"\"",
                           "           ..",
                       }));
}

TEST_F(PruebaLinea, LeeDuenosYDejaDeSerNueva) {
    auto leido = LeidoDe(LineasCRLF({"\"L\" = AUX-LINE", "           TYPE = 1",
                                     "           X1   = 4", "           OWNERF = \"Muro 1\"",
                                     "           OWNERS = \"Espacio 2\"", "           .."}),
                         "AUX-LINE ", TIPO_LINEA);
    auto* linea = dynamic_cast<Linea*>(leido.get());
    ASSERT_NE(linea, nullptr);
    EXPECT_FALSE(linea->EsNueva());
    EXPECT_EQ(linea->ObtenerTipoLinea(), 1);
    EXPECT_EQ(linea->DuenoF(), "Muro 1");
    EXPECT_EQ(linea->DuenoS(), "Espacio 2");
    float x1 = 0;
    linea->ObtenerReal("X1", x1);
    EXPECT_FLOAT_EQ(x1, 4.0f);
    ComprobarIdaYVuelta(*linea, "AUX-LINE ", TIPO_LINEA);
}

} // namespace
