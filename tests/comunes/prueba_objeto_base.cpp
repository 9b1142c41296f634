// ObjetoBase: validación de lo tecleado con sus avisos y estados de color, textos, nombres
// válidos, lectura desde un lector de palabras clave y lo que hace una hoja.

#include "comunes/LeerBDL.h"
#include "comunes/ObjetoBase.h"

#include "plataforma/base/string_list.h"
#include "tests/comun/pruebas.h"
#include "tests/comun/separador_regional.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Una hoja que deja a la vista los ayudantes protegidos de la base.
class ObjetoDePrueba : public ObjetoBase {
public:
    explicit ObjetoDePrueba(const AnsiString& nombre = "Objeto") : ObjetoBase(nombre) {}

    using ObjetoBase::AsignarCadena;
    using ObjetoBase::AsignarEntero;
    using ObjetoBase::AsignarReal;
    using ObjetoBase::LeerCadenaBDL;
    using ObjetoBase::LeerEnteroBDL;
    using ObjetoBase::LeerListaBDL;
    using ObjetoBase::LeerListaRealesBDL;
    using ObjetoBase::LeerRealBDL;
};

// Se esperan como mucho un aviso, con su texto exacto (o un trozo de él), título "Error" y
// solo el botón Aceptar.
void ComprobarAviso(const char* esperado, bool exacto) {
    const auto& cajas = Guion().ShownBoxes();
    if (esperado == nullptr) {
        EXPECT_TRUE(cajas.empty()) << "aviso inesperado: " << cajas.front().text.c_str();
        return;
    }
    ASSERT_EQ(cajas.size(), 1u);
    if (exacto)
        EXPECT_EQ(cajas[0].text, AnsiString(esperado));
    else
        EXPECT_NE(cajas[0].text.Pos(esperado), 0) << cajas[0].text.c_str();
    EXPECT_EQ(cajas[0].caption, AnsiString("Error"));
    EXPECT_EQ(cajas[0].flags, static_cast<unsigned>(MB_OK));
}

struct CasoReal {
    const char* que;
    const char* texto;
    float previo;
    EstadoValor estadoPrevio;
    float esperado;
    EstadoValor estadoEsperado;
    const char* aviso; // nullptr: ninguno
    bool avisoExacto;
};

// Límites 0.5 .. 7.14, defecto 1.
const CasoReal kCasosReales[] = {
    {"el máximo exacto, comparado en float", "7.14", 2, ESTADO_FICHERO, 7.14f, ESTADO_USUARIO,
     nullptr, true},
    {"el máximo con coma", "7,14", 2, ESTADO_FICHERO, 7.14f, ESTADO_USUARIO, nullptr, true},
    {"el mínimo exacto", "0.5", 2, ESTADO_FICHERO, 0.5f, ESTADO_USUARIO, nullptr, true},
    {"por encima del máximo", "7.15", 2, ESTADO_FICHERO, 1.0f, ESTADO_RECHAZADO,
     "7.150000 > 7.140000 (máximo), valor por defecto: 1.000000", true},
    {"por debajo del mínimo", "0.4", 2, ESTADO_FICHERO, 1.0f, ESTADO_RECHAZADO,
     "0.400000 < 0.500000 (mínimo), valor por defecto: 1.000000", true},
    {"negativo", "-3", 2, ESTADO_USUARIO, 1.0f, ESTADO_RECHAZADO,
     "-3.000000 < 0.500000 (mínimo), valor por defecto: 1.000000", true},
    {"más allá del alcance de un float", "1e39", 2, ESTADO_FICHERO, 1.0f, ESTADO_RECHAZADO,
     " > 7.140000 (máximo), valor por defecto: 1.000000", false},
    {"vacío: defecto en rojo sin aviso", "", 2, ESTADO_FICHERO, 1.0f, ESTADO_RECHAZADO, nullptr,
     true},
    {"no es un número", "abc", 2, ESTADO_FICHERO, 1.0f, ESTADO_RECHAZADO,
     "abc No es un flotante, valor por defecto: 1.000000", true},
    {"número con basura detrás", "3x", 2, ESTADO_FICHERO, 1.0f, ESTADO_RECHAZADO,
     "3x No es un flotante, valor por defecto: 1.000000", true},
    {"infinito", "inf", 2, ESTADO_FICHERO, 1.0f, ESTADO_RECHAZADO,
     "inf No es un flotante, valor por defecto: 1.000000", true},
    {"NaN", "nan", 2, ESTADO_FICHERO, 1.0f, ESTADO_RECHAZADO,
     "nan No es un flotante, valor por defecto: 1.000000", true},
    {"desborda un double", "1e999", 2, ESTADO_FICHERO, 1.0f, ESTADO_RECHAZADO,
     "1e999 No es un flotante, valor por defecto: 1.000000", true},
    {"el mismo número conserva el azul", "2", 2, ESTADO_FICHERO, 2.0f, ESTADO_FICHERO, nullptr,
     true},
    {"el mismo número conserva el verde", "1.0", 1, ESTADO_DEFECTO, 1.0f, ESTADO_DEFECTO, nullptr,
     true},
    {"tras un rechazo, el mismo número pasa a negro", "1", 1, ESTADO_RECHAZADO, 1.0f,
     ESTADO_USUARIO, nullptr, true},
    {"un valor nuevo aceptado", "3.25", 2, ESTADO_DEFECTO, 3.25f, ESTADO_USUARIO, nullptr, true},
};

TEST(ObjetoBaseValidacion, AsignarRealConLosDosSeparadores) {
    for (char separador : {'.', ','}) {
        SeparadorRegional regional(separador);
        for (const CasoReal& caso : kCasosReales) {
            SCOPED_TRACE(std::string(caso.que) + ", separador " + separador);
            Guion().Reset();
            if (caso.aviso != nullptr) Guion().AnswerMessageBox(IDOK);
            ObjetoDePrueba objeto;
            float valor = caso.previo;
            EstadoValor estado = caso.estadoPrevio;
            objeto.AsignarReal(valor, estado, caso.texto, 0.5f, 7.14f, 1.0f);
            EXPECT_EQ(valor, caso.esperado);
            EXPECT_EQ(estado, caso.estadoEsperado);
            EXPECT_EQ(objeto.ObtenerError(), caso.estadoEsperado == ESTADO_RECHAZADO);
            ComprobarAviso(caso.aviso, caso.avisoExacto);
        }
    }
}

struct CasoEntero {
    const char* texto;
    int esperado;
    EstadoValor estadoEsperado;
    const char* aviso;
};

// Límites 1 .. 10, defecto 5, valor previo 7 leído de fichero.
const CasoEntero kCasosEnteros[] = {
    {"10", 10, ESTADO_USUARIO, nullptr},
    {"1", 1, ESTADO_USUARIO, nullptr},
    {"7", 7, ESTADO_FICHERO, nullptr},
    {"11", 5, ESTADO_RECHAZADO, "11 > 10 (máximo), valor por defecto: 5"},
    {"0", 5, ESTADO_RECHAZADO, "0 < 1 (mínimo), valor por defecto: 5"},
    {"", 5, ESTADO_RECHAZADO, nullptr},
    {"x", 5, ESTADO_RECHAZADO, "x No es un flotante, valor por defecto: 5"},
    {"3.5", 5, ESTADO_RECHAZADO, "3.5 No es un flotante, valor por defecto: 5"},
    {"99999999999", 5, ESTADO_RECHAZADO, "99999999999 No es un flotante, valor por defecto: 5"},
};

TEST(ObjetoBaseValidacion, AsignarEntero) {
    for (const CasoEntero& caso : kCasosEnteros) {
        SCOPED_TRACE(caso.texto);
        Guion().Reset();
        if (caso.aviso != nullptr) Guion().AnswerMessageBox(IDOK);
        ObjetoDePrueba objeto;
        int valor = 7;
        EstadoValor estado = ESTADO_FICHERO;
        objeto.AsignarEntero(valor, estado, caso.texto, 1, 10, 5);
        EXPECT_EQ(valor, caso.esperado);
        EXPECT_EQ(estado, caso.estadoEsperado);
        ComprobarAviso(caso.aviso, true);
    }
}

TEST(ObjetoBaseValidacion, LaMarcaDeErrorNoSeQuitaAlAceptarDespues) {
    ObjetoDePrueba objeto;
    float valor = 1.0f;
    EstadoValor estado = ESTADO_DEFECTO;
    objeto.AsignarReal(valor, estado, "", 0.0f, 10.0f, 1.0f);
    ASSERT_TRUE(objeto.ObtenerError());
    objeto.AsignarReal(valor, estado, "4", 0.0f, 10.0f, 1.0f);
    EXPECT_EQ(valor, 4.0f);
    EXPECT_EQ(estado, ESTADO_USUARIO);
    EXPECT_TRUE(objeto.ObtenerError());
    objeto.PonerError(false);
    objeto.AsignarReal(valor, estado, "5", 0.0f, 10.0f, 1.0f);
    EXPECT_FALSE(objeto.ObtenerError());
}

TEST(ObjetoBaseValidacion, AsignarCadena) {
    struct Caso {
        const char* campo;
        EstadoValor estado;
        const char* texto;
        const char* campoEsperado;
        EstadoValor estadoEsperado;
    } casos[] = {
        {"PROPIEDADES", ESTADO_DEFECTO, "RESISTENCIA", "RESISTENCIA", ESTADO_USUARIO},
        {"RESISTENCIA", ESTADO_FICHERO, "PROPIEDADES", "PROPIEDADES", ESTADO_DEFECTO},
        {"PROPIEDADES", ESTADO_FICHERO, "PROPIEDADES", "PROPIEDADES", ESTADO_DEFECTO},
        {"RESISTENCIA", ESTADO_FICHERO, "RESISTENCIA", "RESISTENCIA", ESTADO_FICHERO},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(std::string(caso.campo) + " <- " + caso.texto);
        AnsiString campo = caso.campo;
        EstadoValor estado = caso.estado;
        ObjetoDePrueba::AsignarCadena(campo, estado, caso.texto, "PROPIEDADES");
        EXPECT_EQ(campo, AnsiString(caso.campoEsperado));
        EXPECT_EQ(estado, caso.estadoEsperado);
    }
}

TEST(ObjetoBaseNombre, NombreValido) {
    const ObjetoDePrueba objeto;
    const char* validos[] = {"", "Ladrillo macizo, 1_2-3", "ABCxyz0987"};
    const char* invalidos[] = {"a.b", "Año", "Fábrica", "\"x\"", "a=b", "tab\tulado", "a/b"};
    for (const char* nombre : validos)
        EXPECT_TRUE(objeto.NombreValido(nombre)) << nombre;
    for (const char* nombre : invalidos)
        EXPECT_FALSE(objeto.NombreValido(nombre)) << nombre;
}

// Un nombre que se puede grabar vuelve tal cual de la cabecera de su registro; los demás no.
TEST(ObjetoBaseNombre, NombreGrabableEsElQueLaLecturaDevuelve) {
    const char* grabables[] = {"Unión de forjado, tipo 2", " a", "a ", "50% (esquina)", "$a..b"};
    for (const char* nombre : grabables) {
        EXPECT_TRUE(ObjetoBase::NombreGrabable(nombre)) << nombre;
        LeerBDL lector(LeerBDL::EnMemoria{},
                       std::string("\"") + nombre + "\" = BRIDGE\n    FI = 0.1\n    ..\n");
        ASSERT_EQ(lector.ContarObjetos("BRIDGE "), 1) << nombre;
        lector.Reiniciar();
        EXPECT_EQ(lector.SiguienteObjeto("BRIDGE "), AnsiString(nombre));
    }
    const char* no[] = {"Puente \"tipo\" = X", "dos  blancos", "fin\nde linea", "tab\tulado",
                        "\x7F"};
    for (const char* nombre : no)
        EXPECT_FALSE(ObjetoBase::NombreGrabable(nombre)) << nombre;
}

TEST(ObjetoBaseLectura, PropiedadesDesdeUnRegistro) {
    SeparadorRegional regional('.');
    const LeerBDL lector(LeerBDL::EnMemoria{}, "\"Ladrillo\" = MATERIAL\n"
                                               "    THICKNESS     =            0.1\n"
                                               "    LAYERS        = 3\n"
                                               "    NAME          = \"Ladrillo hueco\"\n"
                                               "    MATERIAL      = (\"Yeso\",\"Ladrillo, 1\")\n"
                                               "    VACIA         = ()\n"
                                               "    SIZES         = (1.5, 2.25, 3)\n"
                                               "..\n");
    ObjetoDePrueba objeto;

    // Presente con el mismo valor que el defecto: pasa a azul igualmente.
    float espesor = 0.1f;
    EstadoValor estadoEspesor = ESTADO_DEFECTO;
    objeto.LeerRealBDL(&lector, "THICKNESS ", espesor, estadoEspesor);
    EXPECT_EQ(espesor, 0.1f);
    EXPECT_EQ(estadoEspesor, ESTADO_FICHERO);

    // Ausente: valor y estado quedan.
    float densidad = 1500.0f;
    EstadoValor estadoDensidad = ESTADO_DEFECTO;
    objeto.LeerRealBDL(&lector, "DENSITY ", densidad, estadoDensidad);
    EXPECT_EQ(densidad, 1500.0f);
    EXPECT_EQ(estadoDensidad, ESTADO_DEFECTO);

    int capas = 0;
    EstadoValor estadoCapas = ESTADO_DEFECTO;
    objeto.LeerEnteroBDL(&lector, "LAYERS ", capas, estadoCapas);
    EXPECT_EQ(capas, 3);
    EXPECT_EQ(estadoCapas, ESTADO_FICHERO);

    AnsiString nombre = "x";
    EstadoValor estadoNombre = ESTADO_DEFECTO;
    objeto.LeerCadenaBDL(&lector, "NAME ", nombre, estadoNombre);
    EXPECT_EQ(nombre, AnsiString("Ladrillo hueco"));
    EXPECT_EQ(estadoNombre, ESTADO_FICHERO);

    TStringList materiales;
    materiales.Add("previo");
    EstadoValor estadoMateriales = ESTADO_DEFECTO;
    objeto.LeerListaBDL(&lector, "MATERIAL ", materiales, estadoMateriales);
    ASSERT_EQ(materiales.GetCount(), 3);
    EXPECT_EQ(materiales.GetStrings(1), AnsiString("Yeso"));
    EXPECT_EQ(materiales.GetStrings(2), AnsiString("Ladrillo, 1"));
    EXPECT_EQ(estadoMateriales, ESTADO_FICHERO);

    TStringList vacia;
    EstadoValor estadoVacia = ESTADO_DEFECTO;
    objeto.LeerListaBDL(&lector, "VACIA ", vacia, estadoVacia);
    EXPECT_EQ(vacia.GetCount(), 0);
    EXPECT_EQ(estadoVacia, ESTADO_DEFECTO);

    TStringList medidas;
    objeto.LeerListaRealesBDL(&lector, "SIZES ", medidas);
    ASSERT_EQ(medidas.GetCount(), 3);
    EXPECT_EQ(medidas.GetText(), AnsiString("1.50\r\n2.25\r\n3.00\r\n"));
}

TEST(ObjetoBaseLectura, SinLectorNoCambiaNada) {
    ObjetoDePrueba objeto;
    float real = 2.0f;
    int entero = 3;
    AnsiString texto = "t";
    EstadoValor estado = ESTADO_DEFECTO;
    TStringList lista;
    objeto.LeerRealBDL(nullptr, "A ", real, estado);
    objeto.LeerEnteroBDL(nullptr, "A ", entero, estado);
    objeto.LeerCadenaBDL(nullptr, "A ", texto, estado);
    objeto.LeerListaBDL(nullptr, "A ", lista, estado);
    objeto.LeerListaRealesBDL(nullptr, "A ", lista);
    EXPECT_EQ(real, 2.0f);
    EXPECT_EQ(entero, 3);
    EXPECT_EQ(texto, AnsiString("t"));
    EXPECT_EQ(lista.GetCount(), 0);
    EXPECT_EQ(estado, ESTADO_DEFECTO);
}

TEST(ObjetoBaseHoja, BuscaSoloPorSuNombre) {
    ObjetoDePrueba hoja("Ladrillo");
    hoja.PonerNombreCompleto("Ladrillo perforado");
    EXPECT_EQ(hoja.BuscarPorNombre("Ladrillo"), &hoja);
    EXPECT_EQ(hoja.BuscarPorNombre("ladrillo"), nullptr);
    EXPECT_EQ(hoja.BuscarPorNombreCompleto("Ladrillo perforado"), &hoja);
    EXPECT_EQ(hoja.BuscarPorNombreCompleto("Ladrillo"), nullptr);
    EXPECT_EQ(hoja.NumeroHijos(), 0);
    EXPECT_EQ(hoja.ObtenerDueno(), nullptr);
}

TEST(ObjetoBaseHojaDeathTest, AnadirOQuitarHijosParaElPrograma) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ObjetoDePrueba hoja, otra;
    EXPECT_DEATH(hoja.AnadirHijo(&otra), "ObjetoBase\\.h, line 170");
    EXPECT_DEATH(hoja.QuitarHijo(&otra), "ObjetoBase\\.h, line 171");
}

} // namespace
