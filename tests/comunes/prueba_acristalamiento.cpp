// Acristalamiento: su registro "GLASS-TYPE" byte a byte, la lectura (con el factor solar sin
// definir), las propiedades por clave, la forma del programa hermano, el nodo XML, la copia,
// la fila de informe, la conductancia calculada y la entrada abreviada de librería.

#include "comunes/Acristalamiento.h"
#include "comunes/Idioma.h"
#include "comunes/LeerBDL.h"
#include "comunes/RegistroElementos.h"
#include "comunes/bdAcristalamientos.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/string_list.h"
#include "plataforma/xml/xml_document.h"
#include "plataforma/xml/xml_node.h"
#include "plataforma/xml/xml_node_list.h"
#include "tests/comun/pruebas.h"
#include "tests/comun/separador_regional.h"
#include "tests/comunes/elementos_prueba.h"
#include "tests/comunes/instalacion_prueba.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string Escritura(Acristalamiento& vidrio) {
    return Escrito([&](FileWriter& f) { vidrio.Escribir(f); });
}

bool PuedeCambiar(const ObjetoBase& objeto) {
    return Logico(objeto, "puedeCambiar");
}

// Lee un registro de vidrio con ese cuerpo en un vidrio nuevo.
void LeerCuerpo(Acristalamiento& vidrio, const std::string& cuerpo) {
    RegistroLeido leido = PrimerRegistro(
        "\"" + vidrio.ObtenerNombre().str() + "\" = GLASS-TYPE\n" + cuerpo + "..\n", "GLASS-TYPE ");
    ASSERT_NE(leido.registro, nullptr);
    vidrio.Leer(leido.registro.get());
}

TEST(Acristalamiento, UnVidrioNuevo) {
    Acristalamiento vidrio("Simple");
    EXPECT_EQ(vidrio.ObtenerTipo(), TIPO_ACRISTALAMIENTO);
    EXPECT_EQ(Texto(vidrio, "Factor solar"), AnsiString("-1.000"));
    EXPECT_EQ(Texto(vidrio, "Conductancia"), AnsiString("5.60"));
    EXPECT_EQ(Texto(vidrio, "Glass tipo"), AnsiString("-1.00"));
    EXPECT_EQ(Texto(vidrio, "Grupo"), AnsiString(""));
    EXPECT_EQ(Texto(vidrio, "Nombre completo"), AnsiString("Simple"));
    EXPECT_EQ(Texto(vidrio, "Otra clave"), AnsiString("<sin tocar>"));
    for (const char* clave : {"Nombre", "Factor solar", "Conductancia", "Tipo", "Glass tipo"})
        EXPECT_EQ(Estado(vidrio, clave), ESTADO_DEFECTO) << clave;
    EXPECT_TRUE(PuedeCambiar(vidrio));
    EXPECT_FALSE(vidrio.EsUtilizado());
    EXPECT_FALSE(Acristalamiento::FactorDefinido(Real(vidrio, "Factor solar")));

    // El fichero guarda el coeficiente de sombra: -1 / 0.85.
    EXPECT_EQ(Escritura(vidrio), "\"Simple\" = GLASS-TYPE\r\n"
                                 "     GROUP             = \"\"\r\n"
                                 "     TYPE              = SHADING-COEF\r\n"
                                 "     SHADING-COEF      =      -1.176471\r\n"
                                 "     GLASS-CONDUCTANCE =            5.6\r\n"
                                 "     NAME_DUMVAT      = \"\"\r\n"
                                 "     LIBRARY       =  NO\r\n"
                                 "    UTIL          =  NO\r\n"
                                 "    ..\r\n");
}

TEST(Acristalamiento, ElCoeficienteDeSombraEsElFactorEntre085) {
    Acristalamiento vidrio("Doble");
    vidrio.PonerReal("Factor solar", 0.75f);
    vidrio.PonerReal("Conductancia", 2.8f);
    vidrio.AsignarPropiedad("Grupo", "Dobles");
    vidrio.AsignarPropiedad("Dumvat", "DOBLE");
    vidrio.PonerLogico("Utilizado", true);
    vidrio.PonerLogico("puedeCambiar", false);
    EXPECT_EQ(Escritura(vidrio), "\"Doble\" = GLASS-TYPE\r\n"
                                 "     GROUP             = \"Dobles\"\r\n"
                                 "     TYPE              = SHADING-COEF\r\n"
                                 "     SHADING-COEF      =      0.8823529\r\n"
                                 "     GLASS-CONDUCTANCE =            2.8\r\n"
                                 "     NAME_DUMVAT      = \"DOBLE\"\r\n"
                                 "     LIBRARY       =  NO\r\n"
                                 "    UTIL          =  YES\r\n"
                                 "    CHANGE          =  NO\r\n"
                                 "    ..\r\n");
}

struct CasoIdaYVuelta {
    const char* nombre;
    const char* grupo;
    float factor;
    float conductancia;
    bool usado;
    bool puedeCambiar;
};

// Nombres con acentos (ya en Windows-1252), comas, blancos y más largos que los 50
// caracteres de antes; factores sin definir y definidos.
const CasoIdaYVuelta kIdaYVuelta[] = {
    {"Doble bajo emisivo, 4-12-4", "Dobles", 0.6f, 2.7f, true, true},
    {"Vidrio ácido Ñandú", "Acústicos, nuevos", 0.75f, 5.7f, false, false},
    {"Un nombre de vidrio muy largo que pasa con creces de los cincuenta caracteres", "Largos",
     -1.0f, 7.14f, true, true},
    {"Triple", "Otro", 0.33f, 0.5f, false, true},
};

TEST(Acristalamiento, IdaYVueltaByteABytePorCadaSeparador) {
    for (char separador : {'.', ','}) {
        SeparadorRegional regional(separador);
        for (const CasoIdaYVuelta& caso : kIdaYVuelta) {
            SCOPED_TRACE(std::string(caso.nombre) + " con separador " + separador);
            Acristalamiento vidrio(caso.nombre);
            vidrio.AsignarPropiedad("Grupo", caso.grupo);
            vidrio.AsignarPropiedad("Dumvat", caso.nombre);
            vidrio.PonerReal("Factor solar", caso.factor);
            vidrio.PonerReal("Conductancia", caso.conductancia);
            vidrio.PonerLogico("Utilizado", caso.usado);
            vidrio.PonerLogico("puedeCambiar", caso.puedeCambiar);

            Acristalamiento leido(caso.nombre);
            IdaYVuelta vuelta = EscribirLeerEscribir(vidrio, leido, "GLASS-TYPE ");
            EXPECT_EQ(vuelta.segunda, vuelta.primera);
            EXPECT_NEAR(Real(leido, "Factor solar"), caso.factor, 1e-6);
            EXPECT_FLOAT_EQ(Real(leido, "Conductancia"), caso.conductancia);
            EXPECT_EQ(Texto(leido, "Dumvat"), AnsiString(caso.nombre));
            EXPECT_EQ(leido.EsUtilizado(), caso.usado);
            EXPECT_EQ(PuedeCambiar(leido), caso.puedeCambiar);
            EXPECT_EQ(Estado(leido, "Factor solar"), ESTADO_FICHERO);
            EXPECT_EQ(Estado(leido, "Nombre"), ESTADO_FICHERO);
        }
    }
}

TEST(Acristalamiento, UnRegistroSinNingunaPalabraClave) {
    Acristalamiento vidrio("Vacio");
    LeerCuerpo(vidrio, "");
    // Sin coeficiente el factor sigue sin definir (no -0.85, que pasaría por uno real).
    EXPECT_EQ(Real(vidrio, "Factor solar"), -1.0f);
    EXPECT_EQ(Estado(vidrio, "Factor solar"), ESTADO_DEFECTO);
    EXPECT_EQ(Real(vidrio, "Conductancia"), 5.6f);
    EXPECT_EQ(Estado(vidrio, "Conductancia"), ESTADO_DEFECTO);
    EXPECT_EQ(Texto(vidrio, "Grupo"), AnsiString("Otro"));
    EXPECT_EQ(Estado(vidrio, "Nombre"), ESTADO_FICHERO);
    EXPECT_FALSE(vidrio.EsUtilizado());
    EXPECT_FALSE(vidrio.EsLibreria());
    EXPECT_TRUE(PuedeCambiar(vidrio));
}

TEST(Acristalamiento, LecturaDeMarcasYValores) {
    struct Caso {
        const char* que;
        const char* cuerpo;
        float factor;
        bool libreria;
        bool usado;
        bool puedeCambiar;
        const char* grupo;
    };
    const Caso casos[] = {
        {"un factor leído se multiplica por 0.85", " SHADING-COEF = 0.8823529\n GROUP = \"\"\n",
         0.75f, false, false, true, "Otro"},
        {"fuera de límites se guarda tal cual, sin aviso", " SHADING-COEF = 2\n", 1.7f, false,
         false, true, "Otro"},
        {"un coeficiente negativo es un factor sin definir", " SHADING-COEF = -1.176471\n", -1.0f,
         false, false, true, "Otro"},
        {"LIBRARY YES sin UTIL: de librería y en uso", " LIBRARY = YES\n", -1.0f, true, true, true,
         "Otro"},
        {"UTIL NO manda sobre LIBRARY", " LIBRARY = YES\n UTIL = NO\n", -1.0f, true, false, true,
         "Otro"},
        {"CHANGE NO", " CHANGE = NO\n UTIL = YES\n GROUP = \"Sur\"\n", -1.0f, false, true, false,
         "Sur"},
        {"CHANGE con otro valor", " CHANGE = SI\n", -1.0f, false, false, true, "Otro"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.que);
        Acristalamiento vidrio("V");
        LeerCuerpo(vidrio, caso.cuerpo);
        EXPECT_FLOAT_EQ(Real(vidrio, "Factor solar"), caso.factor);
        EXPECT_EQ(vidrio.EsLibreria(), caso.libreria);
        EXPECT_EQ(vidrio.EsUtilizado(), caso.usado);
        EXPECT_EQ(PuedeCambiar(vidrio), caso.puedeCambiar);
        EXPECT_EQ(Texto(vidrio, "Grupo"), AnsiString(caso.grupo));
    }
    EXPECT_TRUE(Guion().ShownBoxes().empty());
}

TEST(Acristalamiento, ValoresTecleados) {
    ComprobarTecleados([] { return std::make_unique<Acristalamiento>("V"); },
                       {
                           {"Factor solar", "1.2", -1.0f, ESTADO_RECHAZADO, true},
                           {"Factor solar", "0,5", 0.5f, ESTADO_USUARIO, false},
                           {"Factor solar", "1", 1.0f, ESTADO_USUARIO, false},
                           {"Conductancia", "8", 5.6f, ESTADO_RECHAZADO, true},
                           {"Conductancia", "7.14", 7.14f, ESTADO_USUARIO, false},
                       });
}

TEST(Acristalamiento, CambioDeNombre) {
    RegistrarElementos();
    bdAcristalamientos base("Base", LISTA_USUARIO);
    base.CrearHijo("Uno", TIPO_ACRISTALAMIENTO);
    base.CrearHijo("Dos", TIPO_ACRISTALAMIENTO);
    ObjetoBase* uno = base.BuscarPorNombre("Uno");
    ASSERT_NE(uno, nullptr);

    uno->AsignarPropiedad("Nombre", "Dos"); // ya está en la base
    EXPECT_EQ(uno->ObtenerNombre(), AnsiString("Uno"));
    EXPECT_EQ(Estado(*uno, "Nombre"), ESTADO_USUARIO);
    EXPECT_FALSE(uno->ObtenerError());

    uno->AsignarPropiedad("Nombre", "Vidrio.1"); // el punto no vale
    EXPECT_EQ(uno->ObtenerNombre(), AnsiString("Uno"));
    EXPECT_EQ(Estado(*uno, "Nombre"), ESTADO_RECHAZADO);
    EXPECT_TRUE(uno->ObtenerError());

    uno->AsignarPropiedad("Nombre", "Tres, bajo emisivo");
    EXPECT_EQ(uno->ObtenerNombre(), AnsiString("Tres, bajo emisivo"));
    EXPECT_EQ(Estado(*uno, "Nombre"), ESTADO_USUARIO);
    EXPECT_EQ(base.BuscarPorNombre("Tres, bajo emisivo"), uno);
}

TEST(Acristalamiento, LibreriaYFormaDelProgramaHermano) {
    Acristalamiento vidrio("Doble");
    vidrio.PonerReal("Factor solar", 0.75f);
    vidrio.PonerReal("Conductancia", 2.8f);
    auto exportado = [&] { return Escrito([&](FileWriter& f) { vidrio.Exportar(f); }); };
    EXPECT_EQ(exportado(), ""); // no se usa

    vidrio.PonerLogico("Utilizado", true);
    // El factor va tal cual, sin dividir.
    EXPECT_EQ(exportado(), "\"Doble\" = GLASS-TYPE\r\n"
                           "     TYPE          = SHADING-COEF\r\n"
                           "     SHADING-COEF  =           0.75\r\n"
                           "     GLASS-CONDUCT =            2.8\r\n"
                           "     ..\r\n");

    vidrio.MarcarLibreria();
    EXPECT_EQ(Escritura(vidrio), "");
    EXPECT_EQ(Escrito([&](FileWriter& f) { vidrio.EscribirSinLibreria(f, 1); }), "");
}

TEST(Acristalamiento, NodoXML) {
    SeparadorRegional regional('.');
    Acristalamiento vidrio("Vidrio ácido & <raro>");
    vidrio.PonerReal("Factor solar", 0.75f);
    vidrio.PonerReal("Conductancia", 2.5f);
    vidrio.AsignarPropiedad("Grupo", "Acústicos");
    vidrio.AsignarPropiedad("Dumvat", "ÁCIDO");
    vidrio.MarcarLibreria();

    TXMLDocument leido;
    IXMLNode* nodo = XMLLeido(vidrio, leido);
    ASSERT_NE(nodo, nullptr);
    EXPECT_EQ(nodo->GetNodeName(), AnsiString("GLASS-TYPE"));
    EXPECT_EQ(nodo->GetAttributes("name"), AnsiString("Vidrio ácido & <raro>"));
    const char* const orden[] = {
        "type", "shadingCoef", "glassConductance", "library", "group", "nameDumvat", "image"};
    IXMLNodeList* hijos = nodo->GetChildNodes();
    ASSERT_EQ(hijos->GetCount(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(hijos->GetNodes(i)->GetNodeName(), AnsiString(orden[i]));
    EXPECT_EQ(TextoHijo(nodo, "type"), AnsiString("SHADING-COEF"));
    EXPECT_EQ(TextoHijo(nodo, "shadingCoef"), AnsiString("0.75"));
    EXPECT_EQ(TextoHijo(nodo, "glassConductance"), AnsiString("2.5"));
    EXPECT_EQ(TextoHijo(nodo, "library"), AnsiString("YES"));
    EXPECT_EQ(TextoHijo(nodo, "group"), AnsiString("Acústicos"));
    EXPECT_EQ(TextoHijo(nodo, "nameDumvat"), AnsiString("ÁCIDO"));
    EXPECT_EQ(hijos->GetNodes(6)->GetAttributes("name"), AnsiString("picture.jpg"));
    EXPECT_FALSE(hijos->GetNodes(6)->HasChildNodes());
}

TEST(Acristalamiento, CopiarDe) {
    Acristalamiento origen("Origen");
    origen.PonerReal("Factor solar", 0.5f);
    origen.PonerReal("Conductancia", 3.1f);
    origen.PonerLogico("puedeCambiar", false);
    origen.PonerLogico("Utilizado", true);
    origen.AsignarPropiedad("Grupo", "G");
    origen.AsignarPropiedad("Dumvat", "D");
    origen.AsignarPropiedad("Nombre completo", "Origen completo");
    origen.MarcarLibreria();

    Acristalamiento copia("Copia");
    copia.CopiarDe(origen);
    EXPECT_EQ(Real(copia, "Factor solar"), 0.5f);
    EXPECT_EQ(Real(copia, "Conductancia"), 3.1f);
    EXPECT_FALSE(PuedeCambiar(copia));
    EXPECT_EQ(Texto(copia, "Grupo"), AnsiString("G"));
    EXPECT_EQ(Texto(copia, "Dumvat"), AnsiString("D"));
    EXPECT_EQ(Texto(copia, "Nombre completo"), AnsiString("Origen completo"));
    EXPECT_TRUE(copia.EsLibreria());
    // Ni el nombre, ni el uso, ni los estados.
    EXPECT_EQ(copia.ObtenerNombre(), AnsiString("Copia"));
    EXPECT_FALSE(copia.EsUtilizado());
    EXPECT_EQ(Estado(copia, "Factor solar"), ESTADO_DEFECTO);
}

TEST(Acristalamiento, FilaDeInforme) {
    SeparadorRegional regional('.');
    Acristalamiento vidrio("V");
    vidrio.AsignarPropiedad("Nombre completo", "Vidrio doble");
    vidrio.PonerReal("Factor solar", 0.75f);
    vidrio.PonerReal("Conductancia", 2.8f);
    vidrio.MarcarLibreria();
    TStringList fila;
    vidrio.FilaInforme(fila);
    EXPECT_EQ(fila.GetCount(), 0); // no se usa

    vidrio.PonerLogico("Utilizado", true);
    vidrio.FilaInforme(fila);
    EXPECT_EQ(fila.GetCommaText(), AnsiString("\"Vidrio doble\",2.80,0.75,SI"));

    Idioma::Instancia()->FijarCodigoParaPruebas(2);
    fila.Clear();
    vidrio.FilaInforme(fila);
    EXPECT_EQ(fila.GetStrings(3), AnsiString("--"));
    Idioma::Liberar();
}

TEST(Acristalamiento, ConductanciaCalculadaConLasPeliculas) {
    struct Caso {
        const char* que;
        const char* peliculas; // separadas por comas
        float uCentro;
        float esperada;
    };
    // R = 1/u - 1/(p + q) - 1/r.
    const Caso casos[] = {
        {"R = 1 - 1/4 - 1/4 = 0.5", "2.00,2.00,4.00", 1.0f, 2.0f},
        {"R = 1/2 - 1/8 - 1/8 = 0.25", "4.00,4.00,8.00", 2.0f, 4.0f},
        {"una U del centro nula da 0", "2.00,2.00,4.00", 0.0f, 0.0f},
        {"dos películas: nada cambia", "2.00,2.00", 1.0f, 5.6f},
        {"cuatro películas: nada cambia", "2.00,2.00,4.00,1.00", 1.0f, 5.6f},
        {"sin resistencia positiva: nada cambia", "0.50,0.50,1.00", 1.0f, 5.6f},
        {"una película nula: nada cambia", "0.00,0.00,4.00", 1.0f, 5.6f},
        {"una película que no es un número: nada cambia", "2.00,x,4.00", 1.0f, 5.6f},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.que);
        TStringList peliculas;
        peliculas.SetCommaText(caso.peliculas);
        Acristalamiento vidrio("V");
        vidrio.CalcularConductancia(peliculas, caso.uCentro);
        EXPECT_FLOAT_EQ(Real(vidrio, "Conductancia"), caso.esperada);
    }
}

// La columna de una clave en una línea "$LIBRARY-ENTRY" (16, 48 y 64, contando desde 1).
std::string LineaEntrada(const std::string& clave1, const std::string& clave2,
                         const std::string& clave3) {
    std::string linea = "$LIBRARY-ENTRY";
    linea.resize(15, ' ');
    linea += clave1;
    linea.resize(47, ' ');
    linea += clave2;
    linea.resize(63, ' ');
    return linea + clave3 + "\n";
}

class EntradaAbreviada : public InstalacionDePrueba {
protected:
    EntradaAbreviada() : InstalacionDePrueba("LIB = \"Lib\\\"\n") {}
    void SetUp() override {
        InstalacionDePrueba::SetUp();
        carpeta.Fichero("Lib/QuenbarLib.dat",
                        LineaEntrada("1000", "GLASS-TYPE-CODE", "SIMPLE-4") +
                            LineaEntrada("2000", "GLASS-TYPE-CODE", "DOBLE-4-6-4") +
                            LineaEntrada("2000", "OTRA-CLAVE", "OTRO"));
        carpeta.Fichero("Lib/Dumvat.Dat",
                        LineaEntrada("1000", "GLASS-TYPE-CODE", "SIMPLE-4") +
                            "   SHDCOF = 1.0\n   FILMS-COND = ( 1.0, 1.0, 1.0 )\n"
                            "   U-CENTER = 5.0\n..\n" +
                            LineaEntrada("2000", "GLASS-TYPE-CODE", "DOBLE-4-6-4") +
                            "   SHDCOF = 0.8\n   FILMS-COND = ( 2.0, 2.0, 4.0 )\n"
                            "   U-CENTER = 1.0\n..\n");
    }
    void LeerEntrada(Acristalamiento& vidrio, const char* codigo) {
        // Una entrada abreviada no es un registro: se lee entera.
        LeerBDL entrada(LeerBDL::EnMemoria{},
                        std::string(" TYPE = GLASS-TYPE-CODE\n GLASS-TYPE-CODE = ") + codigo +
                            "\n");
        vidrio.LeerAbreviado(&entrada);
    }
};

TEST_F(EntradaAbreviada, TomaLosValoresDeLaEntradaDeSuCodigo) {
    for (char separador : {'.', ','}) {
        SeparadorRegional regional(separador);
        Acristalamiento vidrio("V");
        LeerEntrada(vidrio, "2000");
        EXPECT_EQ(Texto(vidrio, "Tipo"), AnsiString("GLASS-TYPE-CODE"));
        EXPECT_EQ(Real(vidrio, "Glass tipo"), 2000.0f);
        EXPECT_EQ(Estado(vidrio, "Glass tipo"), ESTADO_FICHERO);
        EXPECT_FLOAT_EQ(Real(vidrio, "Factor solar"), 0.68f); // 0.8 x 0.85
        EXPECT_EQ(Estado(vidrio, "Factor solar"), ESTADO_FICHERO);
        EXPECT_FLOAT_EQ(Real(vidrio, "Conductancia"), 2.0f); // 1 / (1 - 1/4 - 1/4)

        // El tipo y el código pasan a una copia.
        Acristalamiento copia("Copia");
        copia.CopiarDe(vidrio);
        EXPECT_EQ(Texto(copia, "Tipo"), AnsiString("GLASS-TYPE-CODE"));
        EXPECT_EQ(Real(copia, "Glass tipo"), 2000.0f);
    }
}

TEST_F(EntradaAbreviada, SinEntradaDeSuCodigoNadaCambia) {
    Acristalamiento vidrio("V");
    LeerEntrada(vidrio, "3000");
    EXPECT_EQ(Real(vidrio, "Glass tipo"), 3000.0f);
    EXPECT_EQ(Real(vidrio, "Factor solar"), -1.0f);
    EXPECT_EQ(Real(vidrio, "Conductancia"), 5.6f);
}

} // namespace
