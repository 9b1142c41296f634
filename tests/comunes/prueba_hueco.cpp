// Hueco: su registro "GAP" byte a byte, la lectura y el completado de sus partes, las
// propiedades por clave, la comprobación en el registro del modelo, el uso que pasa a sus
// partes, la transmitancia y el factor solar del hueco, la forma del programa hermano, el
// nodo XML, la copia y las filas de informe.

#include "comunes/Acristalamiento.h"
#include "comunes/FicheroLog.h"
#include "comunes/Hueco.h"
#include "comunes/Idioma.h"
#include "comunes/Marco.h"
#include "comunes/RegistroElementos.h"
#include "comunes/bdAcristalamientos.h"
#include "comunes/bdHuecos.h"
#include "comunes/bdMarcos.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/numbers.h"
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

// El registro del modelo va a la carpeta temporal de una instalación de prueba; las bases
// compartidas se liberan al acabar.
class PruebaHueco : public InstalacionDePrueba {
protected:
    void SetUp() override {
        InstalacionDePrueba::SetUp();
        RegistrarElementos();
        FicheroLog::Instancia()->Inicializar();
    }
    void TearDown() override {
        for (TipoLista lista : {LISTA_ESTANDAR, LISTA_USUARIO, LISTA_PROGRAMA}) {
            bdHuecos::Instancia(lista)->Liberar();
            bdAcristalamientos::Instancia(lista)->Liberar();
            bdMarcos::Instancia(lista)->Liberar();
        }
        InstalacionDePrueba::TearDown();
    }

    // Un elemento nuevo de ese tipo en la base; lo devuelve.
    static ObjetoBase* Nuevo(bdLibreria* base, const AnsiString& nombre, TipoObjeto tipo) {
        ObjetoBase* elemento = base->BuscarPorNombre(base->CrearHijo(nombre, tipo));
        EXPECT_NE(elemento, nullptr);
        return elemento;
    }
    // Un hueco de la base compartida de ese tipo de lista, con esas partes.
    static ObjetoBase* HuecoEn(TipoLista lista, const AnsiString& nombre, const char* vidrio,
                               const char* marco) {
        ObjetoBase* hueco = Nuevo(bdHuecos::Instancia(lista), nombre, TIPO_HUECO);
        hueco->AsignarPropiedad("Acristalamiento", vidrio);
        hueco->AsignarPropiedad("Marco", marco);
        return hueco;
    }
    static ObjetoBase* VidrioEn(TipoLista lista, const AnsiString& nombre, float factor,
                                float conductancia) {
        ObjetoBase* vidrio =
            Nuevo(bdAcristalamientos::Instancia(lista), nombre, TIPO_ACRISTALAMIENTO);
        vidrio->PonerReal("Factor solar", factor);
        vidrio->PonerReal("Conductancia", conductancia);
        return vidrio;
    }
    static ObjetoBase* MarcoEn(TipoLista lista, const AnsiString& nombre, float conductancia,
                               float absortividad) {
        ObjetoBase* marco = Nuevo(bdMarcos::Instancia(lista), nombre, TIPO_MARCO);
        marco->PonerReal("frameConduct", conductancia);
        marco->PonerReal("frameAbs", absortividad);
        return marco;
    }

    static std::string Escritura(ObjetoBase& hueco) {
        return Escrito([&](FileWriter& f) { hueco.Escribir(f); });
    }
    static void LeerCuerpo(ObjetoBase& hueco, const std::string& cuerpo) {
        RegistroLeido leido = PrimerRegistro(
            "\"" + hueco.ObtenerNombre().str() + "\" = GAP\n" + cuerpo + "    ..\n", "GAP ");
        ASSERT_NE(leido.registro, nullptr);
        hueco.Leer(leido.registro.get());
    }
};

TEST_F(PruebaHueco, UnHuecoNuevo) {
    SeparadorRegional regional('.');
    Hueco hueco("Ventana");
    EXPECT_EQ(hueco.ObtenerTipo(), TIPO_HUECO);
    const struct {
        const char* clave;
        const char* texto;
    } textos[] = {{"Grupo", ""},
                  {"Grupo Acristalamiento", "Ninguno"},
                  {"Acristalamiento", "Ninguno"},
                  {"Grupo Marco", "Ninguno"},
                  {"Marco", "Ninguno"},
                  {"Factor solar", "0.85"},
                  {"ConductanciaA", "5.60"},
                  {"ConductanciaM", "0.60"},
                  {"Absortividad", "0.90"},
                  {"Porcentaje", "10.00"},
                  {"Permeabilidad", "50.00"},
                  {"Otra clave", "<sin tocar>"}};
    for (const auto& t : textos) {
        EXPECT_EQ(Texto(hueco, t.clave), AnsiString(t.texto)) << t.clave;
        if (std::string(t.clave) != "Grupo" && std::string(t.clave) != "Otra clave") {
            EXPECT_EQ(Estado(hueco, t.clave), ESTADO_DEFECTO) << t.clave;
        }
    }
    EXPECT_FALSE(Logico(hueco, "esPuerta"));

    // Factor solar, conductancias y absortividad no van al registro.
    EXPECT_EQ(Escritura(hueco), "\"Ventana\" = GAP\r\n"
                                "     GROUP          = \"\"\r\n"
                                "     GROUP-GLASS         = \"Ninguno\"\r\n"
                                "     GLASS-TYPE          = \"Ninguno\"\r\n"
                                "     GROUP-FRAME       = \"Ninguno\"\r\n"
                                "     NAME-FRAME        = \"Ninguno\"\r\n"
                                "     PORCENTAGE        = 10.000000\r\n"
                                "     INF-COEF          = 50.000000\r\n"
                                "     NAME_DUMVAT      = \"\"\r\n"
                                "     LIBRARY           =  NO\r\n"
                                "     UTIL              =  NO\r\n"
                                "     ISDOOR            = NO\r\n"
                                "    ..\r\n");
}

struct CasoIdaYVuelta {
    const char* nombre;
    const char* vidrio;
    const char* marco;
    float porcentaje;
    float permeabilidad;
    bool libreria;
    bool usado;
    bool puerta;
};

const CasoIdaYVuelta kIdaYVuelta[] = {
    {"Ventana norte, 120x150", "Doble bajo emisivo, 4-12-4", "PVC", 25.5f, 27.0f, false, true,
     false},
    {"Puerta acristalada ñ", "Vidrio ácido", "Madera de haya", 40.0f, 9.0f, true, false, true},
    {"Un hueco con un nombre larguísimo que pasa de los cien caracteres de antes sin ningún "
     "problema, ni uno",
     "Ninguno", "Ninguno", 0.0f, 500.0f, false, true, false},
};

TEST_F(PruebaHueco, IdaYVueltaByteABytePorCadaSeparador) {
    for (char separador : {'.', ','}) {
        SeparadorRegional regional(separador);
        for (const CasoIdaYVuelta& caso : kIdaYVuelta) {
            SCOPED_TRACE(std::string(caso.nombre) + " con separador " + separador);
            Hueco hueco(caso.nombre);
            hueco.AsignarPropiedad("Grupo", "Huecos, fachada sur");
            hueco.AsignarPropiedad("Grupo Acristalamiento", "Dobles");
            hueco.AsignarPropiedad("Acristalamiento", caso.vidrio);
            hueco.AsignarPropiedad("Grupo Marco", "Plásticos");
            hueco.AsignarPropiedad("Marco", caso.marco);
            hueco.AsignarPropiedad("Dumvat", caso.nombre);
            hueco.PonerLogico("esPuerta", caso.puerta);
            hueco.PonerLogico("Utilizado", caso.usado);
            hueco.MarcarLibreria(caso.libreria);
            const std::string porcentaje = FormatFloat("0.0", caso.porcentaje).str();
            hueco.AsignarPropiedad("Porcentaje", porcentaje);
            hueco.AsignarPropiedad("Permeabilidad", FormatFloat("0", caso.permeabilidad));
            EXPECT_EQ(Real(hueco, "Porcentaje"), caso.porcentaje);

            Hueco leido(caso.nombre);
            IdaYVuelta vuelta = EscribirLeerEscribir(hueco, leido, "GAP ");
            EXPECT_EQ(vuelta.segunda, vuelta.primera);
            EXPECT_EQ(Texto(leido, "Acristalamiento"), AnsiString(caso.vidrio));
            EXPECT_EQ(Texto(leido, "Marco"), AnsiString(caso.marco));
            EXPECT_EQ(Real(leido, "Porcentaje"), caso.porcentaje);
            EXPECT_EQ(Real(leido, "Permeabilidad"), caso.permeabilidad);
            EXPECT_EQ(leido.EsLibreria(), caso.libreria);
            EXPECT_EQ(leido.EsUtilizado(), caso.usado);
            EXPECT_EQ(Logico(leido, "esPuerta"), caso.puerta);
            for (const char* clave : {"Nombre", "Grupo", "Acristalamiento", "Marco", "Porcentaje"})
                EXPECT_EQ(Estado(leido, clave), ESTADO_FICHERO) << clave;
        }
    }
    EXPECT_TRUE(Guion().ShownBoxes().empty());
}

TEST_F(PruebaHueco, LecturaDeRegistros) {
    {
        SCOPED_TRACE("ninguna palabra clave");
        Hueco hueco("H");
        hueco.PonerLogico("Utilizado", true);
        LeerCuerpo(hueco, "");
        EXPECT_EQ(Texto(hueco, "Grupo"), AnsiString("Otro"));
        EXPECT_EQ(Texto(hueco, "Acristalamiento"), AnsiString("Ninguno"));
        EXPECT_EQ(Estado(hueco, "Acristalamiento"), ESTADO_DEFECTO);
        EXPECT_EQ(Real(hueco, "Porcentaje"), 10.0f);
        EXPECT_EQ(Estado(hueco, "Porcentaje"), ESTADO_DEFECTO);
        EXPECT_EQ(Estado(hueco, "Nombre"), ESTADO_FICHERO);
        EXPECT_FALSE(hueco.EsUtilizado()); // sin UTIL: no se usa
    }
    {
        SCOPED_TRACE("grupos vacíos, valores de las partes y fuera de límites");
        Hueco hueco("H");
        LeerCuerpo(hueco, "     GROUP-GLASS = \"\"\n GROUP-FRAME = \"\"\n SHADING-COEF = 0.7\n"
                          " GLASS-CONDUCTANCE = 3.3\n FRAME-CONDUCT = 2.2\n FRAME-ABS = 0.4\n"
                          " PORCENTAGE = 150\n LIBRARY = YES\n UTIL = YES\n ISDOOR = YES\n");
        EXPECT_EQ(Texto(hueco, "Grupo Acristalamiento"), AnsiString("Otro"));
        EXPECT_EQ(Texto(hueco, "Grupo Marco"), AnsiString("Otro"));
        EXPECT_EQ(Real(hueco, "Factor solar"), 0.7f);
        EXPECT_EQ(Real(hueco, "ConductanciaA"), 3.3f);
        EXPECT_EQ(Real(hueco, "ConductanciaM"), 2.2f);
        EXPECT_EQ(Real(hueco, "Absortividad"), 0.4f);
        EXPECT_EQ(Real(hueco, "Porcentaje"), 150.0f);
        EXPECT_EQ(Estado(hueco, "Porcentaje"), ESTADO_FICHERO);
        EXPECT_TRUE(hueco.EsLibreria());
        EXPECT_TRUE(hueco.EsUtilizado());
        EXPECT_TRUE(Logico(hueco, "esPuerta"));
    }
    EXPECT_TRUE(Guion().ShownBoxes().empty());
}

TEST_F(PruebaHueco, ValoresTecleados) {
    ComprobarTecleados([] { return std::make_unique<Hueco>("H"); },
                       {
                           {"Porcentaje", "150", 10.0f, ESTADO_RECHAZADO, true},
                           {"Porcentaje", "100", 100.0f, ESTADO_USUARIO, false},
                           {"ConductanciaA", "5.82", 5.6f, ESTADO_RECHAZADO, true},
                           {"ConductanciaA", "5,81", 5.81f, ESTADO_USUARIO, false},
                           {"ConductanciaM", "500", 500.0f, ESTADO_USUARIO, false},
                           {"ConductanciaM", "0", 0.6f, ESTADO_RECHAZADO, true},
                           {"Absortividad", "0", 0.9f, ESTADO_RECHAZADO, true},
                           {"Factor solar", "1", 1.0f, ESTADO_USUARIO, false},
                           {"Permeabilidad", "501", 50.0f, ESTADO_RECHAZADO, true},
                       });

    // Los textos: el suyo por defecto vuelve a verde.
    Hueco hueco("H");
    hueco.AsignarPropiedad("Marco", "PVC");
    EXPECT_EQ(Estado(hueco, "Marco"), ESTADO_USUARIO);
    hueco.AsignarPropiedad("Marco", "Otro");
    EXPECT_EQ(Estado(hueco, "Marco"), ESTADO_DEFECTO);
    hueco.AsignarPropiedad("Nombre completo", "Ventana grande");
    EXPECT_EQ(Texto(hueco, "Nombre completo"), AnsiString("Ventana grande"));
    EXPECT_EQ(Estado(hueco, "Nombre completo"), ESTADO_USUARIO);
    hueco.AsignarPropiedad("Nombre completo", "Nombre defecto");
    EXPECT_EQ(Estado(hueco, "Nombre completo"), ESTADO_DEFECTO);
}

TEST_F(PruebaHueco, CambioDeNombre) {
    ObjetoBase* uno = HuecoEn(LISTA_USUARIO, "Uno", "V", "M");
    HuecoEn(LISTA_USUARIO, "Dos", "V", "M");

    uno->AsignarPropiedad("Nombre", "Dos"); // ya está: se ignora
    EXPECT_EQ(uno->ObtenerNombre(), AnsiString("Uno"));
    EXPECT_EQ(Estado(*uno, "Nombre"), ESTADO_DEFECTO);

    uno->AsignarPropiedad("Nombre", "Ventana \"1\"");
    EXPECT_EQ(uno->ObtenerNombre(), AnsiString("Uno"));
    EXPECT_EQ(Estado(*uno, "Nombre"), ESTADO_RECHAZADO);

    uno->AsignarPropiedad("Nombre", "Tres");
    EXPECT_EQ(uno->ObtenerNombre(), AnsiString("Tres"));
    EXPECT_EQ(Estado(*uno, "Nombre"), ESTADO_USUARIO);
}

TEST_F(PruebaHueco, ComprobacionEnElRegistroDelModelo) {
    struct Caso {
        const char* que;
        bool usado;
        const char* vidrio;
        const char* marco;
        unsigned char idioma;
        const char* estado;
        std::vector<std::string> errores;
    };
    const Caso casos[] = {
        {"sin uso", false, "Ninguno", "", 0, "bien", {}},
        {"en uso sin partes",
         true,
         "Ninguno",
         "Ninguno",
         0,
         "mal",
         {"HUECO: H: no tiene definido el acristalamiento.",
          "HUECO: H: no tiene definido el marco."}},
        {"en uso sin marco, variante regional",
         true,
         "Doble",
         "",
         2,
         "mal",
         {"VANO: H: no tiene definido el marco."}},
        {"en uso con sus partes", true, "Doble", "PVC", 0, "bien", {}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.que);
        Idioma::Instancia()->FijarCodigoParaPruebas(caso.idioma);
        FicheroLog::Instancia()->Inicializar();
        Hueco hueco("H");
        hueco.AsignarPropiedad("Acristalamiento", caso.vidrio);
        hueco.AsignarPropiedad("Marco", caso.marco);
        hueco.PonerLogico("Utilizado", caso.usado);
        Escritura(hueco); // la comprobación va antes de escribir

        std::string esperado = std::string("HUECO     =") + caso.estado + "\n";
        const std::string texto = FicheroLog::Instancia()->Texto().str();
        EXPECT_NE(texto.find(esperado), std::string::npos) << texto;
        std::string lista = "**** LISTA DE ERRORES **** \n";
        for (const std::string& error : caso.errores)
            lista += error + "\n";
        EXPECT_NE(texto.find(lista + "****"), std::string::npos) << texto;
    }
}

TEST_F(PruebaHueco, TransmitanciaYFactorSolarDelHueco) {
    SeparadorRegional regional('.');
    // 20 % de marco, Ug 2.8, Uf 5.7, g 0.75, alfa 0.6:
    // U = 0.8 x 2.8 + 0.2 x 5.7 = 3.38; F = 0.8 x 0.75 + 0.2 x 0.04 x 5.7 x 0.6 = 0.62736.
    EXPECT_EQ(FormatFloat("0.00", Hueco::CalcularTransmitancia(20, 2.8f, 5.7f)),
              AnsiString("3.38"));
    EXPECT_EQ(FormatFloat("0.00", Hueco::CalcularFactorSolar(20, 0.75f, 5.7f, 0.6f)),
              AnsiString("0.63"));

    // Lo mismo con las partes en las bases de su tipo de lista.
    VidrioEn(LISTA_PROGRAMA, "Doble", 0.75f, 2.8f);
    MarcoEn(LISTA_PROGRAMA, "Aluminio", 5.7f, 0.6f);
    VidrioEn(LISTA_USUARIO, "Doble", 0.1f, 1.0f); // de otra lista: no cuenta
    ObjetoBase* objeto = HuecoEn(LISTA_PROGRAMA, "H", "Doble", "Aluminio");
    objeto->AsignarPropiedad("Porcentaje", "20");
    auto& hueco = dynamic_cast<Hueco&>(*objeto);
    EXPECT_EQ(FormatFloat("0.00", hueco.Transmitancia()), AnsiString("3.38"));
    EXPECT_EQ(FormatFloat("0.00", hueco.FactorSolarConjunto()), AnsiString("0.63"));

    // Una parte que no está cuenta como 0; un factor sin definir, también.
    objeto->AsignarPropiedad("Marco", "Inexistente");
    EXPECT_FLOAT_EQ(hueco.Transmitancia(), 0.8f * 2.8f);
    EXPECT_FLOAT_EQ(hueco.FactorSolarConjunto(), 0.8f * 0.75f);
    bdAcristalamientos::Instancia(LISTA_PROGRAMA)
        ->BuscarPorNombre("Doble")
        ->PonerReal("Factor solar", -1.0f);
    EXPECT_EQ(hueco.FactorSolarConjunto(), 0.0f);
}

TEST_F(PruebaHueco, ElUsoPasaASusPartesDeSuLista) {
    ObjetoBase* vidrio = VidrioEn(LISTA_PROGRAMA, "Doble", 0.7f, 2.8f);
    ObjetoBase* marco = MarcoEn(LISTA_PROGRAMA, "PVC", 2.2f, 0.6f);
    ObjetoBase* otroVidrio = VidrioEn(LISTA_USUARIO, "Doble", 0.7f, 2.8f);
    ObjetoBase* hueco = HuecoEn(LISTA_PROGRAMA, "H", "Doble", "PVC");

    hueco->PonerLogico("Utilizado", true);
    EXPECT_TRUE(hueco->EsUtilizado());
    EXPECT_TRUE(vidrio->EsUtilizado());
    EXPECT_TRUE(marco->EsUtilizado());
    EXPECT_FALSE(otroVidrio->EsUtilizado());

    bdHuecos::Instancia(LISTA_PROGRAMA)->MarcarUtilizados();
    EXPECT_FALSE(vidrio->EsUtilizado());
    EXPECT_FALSE(marco->EsUtilizado());

    EXPECT_TRUE(hueco->Utiliza("Doble"));
    EXPECT_TRUE(hueco->Utiliza("PVC"));
    EXPECT_FALSE(hueco->Utiliza("H"));
}

TEST_F(PruebaHueco, AlLeerseCompletaSusPartesDesdeLasBasesQueSeLeDan) {
    // Las partes del catálogo (lista estándar) y un hueco de una librería de usuario.
    ObjetoBase* doble = VidrioEn(LISTA_ESTANDAR, "Doble", 0.66f, 3.1f);
    doble->AsignarPropiedad("Grupo", "Dobles");
    ObjetoBase* hueco = Nuevo(bdHuecos::Instancia(LISTA_USUARIO), "H", TIPO_HUECO);
    hueco->PonerBasesDatos(bdMarcos::Instancia(LISTA_ESTANDAR),
                           bdAcristalamientos::Instancia(LISTA_ESTANDAR));
    const std::string cuerpo = " GLASS-TYPE = \"Doble\"\n NAME-FRAME = \"Madera\"\n";
    LeerCuerpo(*hueco, cuerpo);

    bdAcristalamientos* vidrios = bdAcristalamientos::Instancia(LISTA_USUARIO);
    bdMarcos* marcos = bdMarcos::Instancia(LISTA_USUARIO);
    ASSERT_EQ(vidrios->NumeroHijos(), 1);
    ObjetoBase* copia = vidrios->BuscarPorNombre("Doble");
    ASSERT_NE(copia, nullptr);
    EXPECT_NE(copia, doble);
    EXPECT_EQ(Real(*copia, "Factor solar"), 0.66f);
    EXPECT_EQ(Real(*copia, "Conductancia"), 3.1f);
    EXPECT_EQ(Texto(*copia, "Grupo"), AnsiString("Dobles"));
    // Un marco que no está en ninguna parte se crea con sus valores por defecto.
    ASSERT_EQ(marcos->NumeroHijos(), 1);
    ObjetoBase* madera = marcos->BuscarPorNombre("Madera");
    ASSERT_NE(madera, nullptr);
    EXPECT_EQ(Real(*madera, "frameConduct"), Marco::kConductanciaDefecto);

    // Leer otra vez no duplica nada.
    LeerCuerpo(*hueco, cuerpo);
    EXPECT_EQ(vidrios->NumeroHijos(), 1);
    EXPECT_EQ(marcos->NumeroHijos(), 1);
    EXPECT_EQ(bdAcristalamientos::Instancia(LISTA_ESTANDAR)->NumeroHijos(), 1);

    // Un hueco sin base no completa nada.
    Hueco suelto("Suelto");
    LeerCuerpo(suelto, " GLASS-TYPE = \"Otro vidrio\"\n");
    EXPECT_EQ(vidrios->NumeroHijos(), 1);
    EXPECT_EQ(bdAcristalamientos::Instancia(LISTA_PROGRAMA)->NumeroHijos(), 0);
}

TEST_F(PruebaHueco, VidrioBloqueado) {
    ObjetoBase* fijo = VidrioEn(LISTA_PROGRAMA, "Fijo", 0.5f, 2.0f);
    fijo->PonerLogico("puedeCambiar", false);
    VidrioEn(LISTA_PROGRAMA, "Libre", 0.5f, 2.0f);
    VidrioEn(LISTA_USUARIO, "Otro fijo", 0.5f, 2.0f)->PonerLogico("puedeCambiar", false);

    const struct {
        const char* vidrio;
        bool bloqueado;
    } casos[] = {{"Fijo", true}, {"Libre", false}, {"Otro fijo", false}, {"", false}};
    for (const auto& caso : casos) {
        Hueco hueco("H");
        hueco.AsignarPropiedad("Acristalamiento", caso.vidrio);
        EXPECT_EQ(hueco.VidrioBloqueado(), caso.bloqueado) << caso.vidrio;
    }
}

TEST_F(PruebaHueco, FormaDelProgramaHermano) {
    ObjetoBase* vidrio = VidrioEn(LISTA_USUARIO, "Doble", 0.75f, 2.8f);
    vidrio->PonerLogico("Utilizado", true);
    Hueco hueco("H");
    hueco.PonerBasesDatos(bdMarcos::Instancia(LISTA_USUARIO),
                          bdAcristalamientos::Instancia(LISTA_USUARIO));
    hueco.AsignarPropiedad("Acristalamiento", "Doble");
    auto exportado = [&] { return Escrito([&](FileWriter& f) { hueco.Exportar(f); }); };
    EXPECT_EQ(exportado(), ""); // no se usa

    hueco.PonerLogico("Utilizado", true);
    EXPECT_EQ(exportado(), "\"Doble\" = GLASS-TYPE\r\n"
                           "     TYPE          = SHADING-COEF\r\n"
                           "     SHADING-COEF  =           0.75\r\n"
                           "     GLASS-CONDUCT =            2.8\r\n"
                           "     ..\r\n");

    // Sin su acristalamiento, uno provisional con los valores del propio hueco.
    hueco.AsignarPropiedad("Acristalamiento", "Inexistente");
    EXPECT_EQ(exportado(), "\"Otro_H\" = GLASS-TYPE\r\n"
                           "     TYPE          = SHADING-COEF\r\n"
                           "     SHADING-COEF  =           0.85\r\n"
                           "     GLASS-CONDUCT =            5.6\r\n"
                           "     ..\r\n");
    EXPECT_EQ(bdAcristalamientos::Instancia(LISTA_USUARIO)->NumeroHijos(), 1);
}

TEST_F(PruebaHueco, NodoXML) {
    SeparadorRegional regional('.');
    Hueco hueco("Ventana ñ & <1>");
    hueco.AsignarPropiedad("Grupo", "Fachada");
    hueco.AsignarPropiedad("Grupo Acristalamiento", "Dobles");
    hueco.AsignarPropiedad("Acristalamiento", "Doble ácido");
    hueco.AsignarPropiedad("Grupo Marco", "Metálicos");
    hueco.AsignarPropiedad("Marco", "Aluminio");
    hueco.AsignarPropiedad("Porcentaje", "20");
    hueco.AsignarPropiedad("Dumvat", "V1");
    hueco.PonerLogico("esPuerta", true);

    TXMLDocument leido;
    IXMLNode* nodo = XMLLeido(hueco, leido);
    ASSERT_NE(nodo, nullptr);
    EXPECT_EQ(nodo->GetNodeName(), AnsiString("Gap"));
    EXPECT_EQ(nodo->GetAttributes("name"), AnsiString("Ventana ñ & <1>"));
    const struct {
        const char* nombre;
        const char* texto;
    } hijos[] = {{"groupGlass", "Dobles"},
                 {"glassType", "Doble ácido"},
                 {"shadingCoef", "0.85"},
                 {"glassConductance", "5.60"},
                 {"groupFrame", "Metálicos"},
                 {"nameFrame", "Aluminio"},
                 {"frameConduct", "0.60"},
                 {"frameAbs", "0.90"},
                 {"porcentage", "20.00"},
                 {"infCoef", "50.00"},
                 {"library", "NO"},
                 {"door", "YES"},
                 {"util", "NO"},
                 {"group", "Fachada"},
                 {"nameDumvat", "V1"},
                 {"image", ""}};
    IXMLNodeList* lista = nodo->GetChildNodes();
    ASSERT_EQ(lista->GetCount(), 16);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(lista->GetNodes(i)->GetNodeName(), AnsiString(hijos[i].nombre));
        EXPECT_EQ(lista->GetNodes(i)->GetText(), AnsiString(hijos[i].texto));
    }
    EXPECT_EQ(lista->GetNodes(15)->GetAttributes("name"), AnsiString("picture.jpg"));
}

TEST_F(PruebaHueco, CopiarDe) {
    Hueco origen("Origen");
    const struct {
        const char* clave;
        const char* texto;
    } valores[] = {{"Grupo", "G"},
                   {"Grupo Acristalamiento", "GV"},
                   {"Acristalamiento", "V"},
                   {"Factor solar", "0.5"},
                   {"ConductanciaA", "3.3"},
                   {"Grupo Marco", "GM"},
                   {"Marco", "M"},
                   {"Absortividad", "0.4"},
                   {"ConductanciaM", "2.2"},
                   {"Porcentaje", "30"},
                   {"Permeabilidad", "12"},
                   {"Dumvat", "D"},
                   {"Nombre completo", "Completo"}};
    for (const auto& v : valores)
        origen.AsignarPropiedad(v.clave, v.texto);
    origen.PonerLogico("esPuerta", true);
    origen.PonerLogico("Utilizado", true);
    origen.MarcarLibreria();

    Hueco copia("Copia");
    copia.CopiarDe(origen);
    for (const auto& v : valores) {
        if (std::string(v.clave) == "Nombre completo") continue;
        EXPECT_EQ(Texto(copia, v.clave), Texto(origen, v.clave)) << v.clave;
    }
    EXPECT_TRUE(Logico(copia, "esPuerta"));
    EXPECT_TRUE(copia.EsLibreria());
    // Ni nombre, ni nombre completo, ni uso, ni estados.
    EXPECT_EQ(copia.ObtenerNombre(), AnsiString("Copia"));
    EXPECT_EQ(Texto(copia, "Nombre completo"), AnsiString(""));
    EXPECT_FALSE(copia.EsUtilizado());
    EXPECT_EQ(Estado(copia, "Porcentaje"), ESTADO_DEFECTO);
    EXPECT_EQ(Estado(copia, "Marco"), ESTADO_DEFECTO);
}

TEST_F(PruebaHueco, FilasDeInforme) {
    SeparadorRegional regional('.');
    ObjetoBase* vidrio = VidrioEn(LISTA_PROGRAMA, "Doble", 0.75f, 2.8f);
    ObjetoBase* marco = MarcoEn(LISTA_PROGRAMA, "PVC", 2.2f, 0.6f);
    ObjetoBase* hueco = HuecoEn(LISTA_USUARIO, "H", "Doble", "PVC");
    hueco->AsignarPropiedad("Porcentaje", "20");

    TStringList fila;
    hueco->FilaInforme(fila);
    hueco->FilaInformeVidrio(fila);
    hueco->FilaInformeMarco(fila);
    EXPECT_EQ(fila.GetCount(), 0); // no se usa

    hueco->PonerLogico("Utilizado", true); // sus partes son de otra lista: no se marcan
    hueco->FilaInforme(fila);
    EXPECT_EQ(fila.GetCommaText(), AnsiString("H,Doble,PVC,20.00,50.00,SI"));

    // Sin uso, la parte no añade fila, y el nombre del hueco tampoco entra.
    fila.Clear();
    hueco->FilaInformeVidrio(fila);
    hueco->FilaInformeMarco(fila);
    EXPECT_EQ(fila.GetCount(), 0);

    vidrio->PonerLogico("Utilizado", true);
    marco->PonerLogico("Utilizado", true);
    hueco->FilaInformeVidrio(fila);
    EXPECT_EQ(fila.GetCommaText(), AnsiString("Doble,H,2.80,0.75,SI"));
    fila.Clear();
    hueco->FilaInformeMarco(fila);
    EXPECT_EQ(fila.GetCommaText(), AnsiString("PVC,H,2.20,SI"));

    hueco->MarcarLibreria();
    fila.Clear();
    hueco->FilaInforme(fila);
    EXPECT_EQ(fila.GetStrings(5), AnsiString("--"));
}

} // namespace
