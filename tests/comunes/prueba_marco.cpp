// Marco: su registro "NAME-FRAME" byte a byte, la lectura, las propiedades por clave, las
// dos líneas del programa hermano, el nodo XML, la copia y la fila de informe.

#include "comunes/Marco.h"
#include "comunes/RegistroElementos.h"
#include "comunes/bdMarcos.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/string_list.h"
#include "plataforma/xml/xml_document.h"
#include "plataforma/xml/xml_node.h"
#include "plataforma/xml/xml_node_list.h"
#include "tests/comun/pruebas.h"
#include "tests/comun/separador_regional.h"
#include "tests/comunes/elementos_prueba.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string Escritura(Marco& marco) {
    return Escrito([&](FileWriter& f) { marco.Escribir(f); });
}

void LeerCuerpo(Marco& marco, const std::string& cuerpo) {
    RegistroLeido leido = PrimerRegistro(
        " \"" + marco.ObtenerNombre().str() + "\" = NAME-FRAME\n" + cuerpo + "..\n", "NAME-FRAME ");
    ASSERT_NE(leido.registro, nullptr);
    marco.Leer(leido.registro.get());
}

TEST(Marco, UnMarcoNuevo) {
    Marco marco("Aluminio");
    EXPECT_EQ(marco.ObtenerTipo(), TIPO_MARCO);
    EXPECT_EQ(Texto(marco, "Grupo"), AnsiString("Otro"));
    EXPECT_EQ(Texto(marco, "Nombre completo"), AnsiString(""));
    EXPECT_EQ(Texto(marco, "Clave desconocida"), AnsiString("<sin tocar>"));
    for (const char* clave : {"Nombre", "frameWidth", "frameConduct", "frameAbs"})
        EXPECT_EQ(Estado(marco, clave), ESTADO_DEFECTO) << clave;
    // Con su blanco al principio y la línea LIBRARY tan sangrada, como siempre.
    EXPECT_EQ(Escritura(marco), " \"Aluminio\" = NAME-FRAME\r\n"
                                "      GROUP         = \"Otro\"\r\n"
                                "      FRAME-WIDTH   =            0.1\r\n"
                                "      FRAME-CONDUCT =            5.6\r\n"
                                "      FRAME-ABS     =            0.9\r\n"
                                "      NAME_DUMVAT  = \"\"\r\n"
                                "                LIBRARY       = NO\r\n"
                                "    UTIL          =  NO\r\n"
                                "..\r\n");
}

struct CasoIdaYVuelta {
    const char* nombre;
    const char* grupo;
    float ancho;
    float conductancia;
    float absortividad;
    bool usado;
};

const CasoIdaYVuelta kIdaYVuelta[] = {
    {"PVC, dos cámaras", "Plásticos", 0.12f, 2.2f, 0.6f, true},
    {"Madera de haya ñ", "Maderas nobles", 0.08f, 1.8f, 0.75f, false},
    {"Un marco metálico con rotura de puente térmico y un nombre larguísimo", "Otro", 0.2f, 3.2f,
     0.00001f, true},
};

TEST(Marco, IdaYVueltaByteABytePorCadaSeparador) {
    for (char separador : {'.', ','}) {
        SeparadorRegional regional(separador);
        for (const CasoIdaYVuelta& caso : kIdaYVuelta) {
            SCOPED_TRACE(std::string(caso.nombre) + " con separador " + separador);
            Marco marco(caso.nombre);
            marco.AsignarPropiedad("Grupo", caso.grupo);
            marco.AsignarPropiedad("Dumvat", caso.nombre);
            marco.PonerReal("frameWidth", caso.ancho);
            marco.PonerReal("frameConduct", caso.conductancia);
            marco.PonerReal("frameAbs", caso.absortividad);
            marco.PonerLogico("Utilizado", caso.usado);

            Marco leido(caso.nombre);
            IdaYVuelta vuelta = EscribirLeerEscribir(marco, leido, "NAME-FRAME ");
            EXPECT_EQ(vuelta.segunda, vuelta.primera);
            EXPECT_EQ(Real(leido, "frameWidth"), caso.ancho);
            EXPECT_EQ(Real(leido, "frameConduct"), caso.conductancia);
            EXPECT_EQ(Real(leido, "frameAbs"), caso.absortividad);
            EXPECT_EQ(Texto(leido, "Grupo"), AnsiString(caso.grupo));
            EXPECT_EQ(leido.EsUtilizado(), caso.usado);
            for (const char* clave : {"Nombre", "frameWidth", "frameConduct", "frameAbs"})
                EXPECT_EQ(Estado(leido, clave), ESTADO_FICHERO) << clave;
        }
    }
}

TEST(Marco, LecturaDeRegistros) {
    struct Caso {
        const char* que;
        const char* cuerpo;
        float ancho;
        EstadoValor estadoAncho;
        bool libreria;
        bool usado;
        const char* grupo;
    };
    const Caso casos[] = {
        {"ninguna palabra clave", "", 0.1f, ESTADO_DEFECTO, false, false, "Otro"},
        {"grupo vacío", " GROUP = \"\"\n FRAME-WIDTH = 0.1\n", 0.1f, ESTADO_FICHERO, false, false,
         "Otro"},
        // Fuera de límites se guarda tal cual, en azul y sin aviso.
        {"fuera de límites", " FRAME-WIDTH = 3\n GROUP = \"Sur\"\n", 3.0f, ESTADO_FICHERO, false,
         false, "Sur"},
        // UTIL se lee en el mismo texto que LIBRARY: sin UTIL, manda LIBRARY.
        {"LIBRARY YES sin UTIL", " LIBRARY = YES\n", 0.1f, ESTADO_DEFECTO, true, true, "Otro"},
        {"LIBRARY YES y UTIL NO", " LIBRARY = YES\n UTIL = NO\n", 0.1f, ESTADO_DEFECTO, true, false,
         "Otro"},
        {"UTIL YES", " LIBRARY = NO\n UTIL = YES\n", 0.1f, ESTADO_DEFECTO, false, true, "Otro"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.que);
        Marco marco("M");
        LeerCuerpo(marco, caso.cuerpo);
        EXPECT_FLOAT_EQ(Real(marco, "frameWidth"), caso.ancho);
        EXPECT_EQ(Estado(marco, "frameWidth"), caso.estadoAncho);
        EXPECT_EQ(Estado(marco, "Nombre"), ESTADO_FICHERO);
        EXPECT_EQ(marco.EsLibreria(), caso.libreria);
        EXPECT_EQ(marco.EsUtilizado(), caso.usado);
        EXPECT_EQ(Texto(marco, "Grupo"), AnsiString(caso.grupo));
    }
    EXPECT_TRUE(Guion().ShownBoxes().empty());
}

TEST(Marco, ValoresTecleados) {
    ComprobarTecleados([] { return std::make_unique<Marco>("M"); },
                       {
                           {"frameWidth", "0", 0.1f, ESTADO_RECHAZADO, true},
                           {"frameWidth", "1", 1.0f, ESTADO_USUARIO, false},
                           {"frameAbs", "1", 1.0f, ESTADO_USUARIO, false},
                           {"frameAbs", "1.01", 0.9f, ESTADO_RECHAZADO, true},
                           {"frameConduct", "7.14", 7.14f, ESTADO_USUARIO, false},
                           {"frameConduct", "7.2", 5.6f, ESTADO_RECHAZADO, true},
                           {"frameConduct", "", 5.6f, ESTADO_RECHAZADO, false},
                       });
}

TEST(Marco, CambioDeNombreYLibreria) {
    RegistrarElementos();
    bdMarcos base("Base", LISTA_USUARIO);
    base.CrearHijo("Uno", TIPO_MARCO);
    base.CrearHijo("Dos", TIPO_MARCO);
    ObjetoBase* uno = base.BuscarPorNombre("Uno");
    ASSERT_NE(uno, nullptr);

    uno->AsignarPropiedad("Nombre", "Dos");
    EXPECT_EQ(uno->ObtenerNombre(), AnsiString("Uno"));
    EXPECT_EQ(Estado(*uno, "Nombre"), ESTADO_USUARIO);

    // Un nombre no válido se marca en rojo, sin tocar la marca de error.
    uno->AsignarPropiedad("Nombre", "Marco ñ");
    EXPECT_EQ(uno->ObtenerNombre(), AnsiString("Uno"));
    EXPECT_EQ(Estado(*uno, "Nombre"), ESTADO_RECHAZADO);
    EXPECT_FALSE(uno->ObtenerError());

    uno->AsignarPropiedad("Nombre", "Tres");
    EXPECT_EQ(base.BuscarPorNombre("Tres"), uno);

    uno->AsignarPropiedad("Libreria", "YES");
    EXPECT_TRUE(uno->EsLibreria());
    uno->AsignarPropiedad("Libreria", "NO");
    EXPECT_FALSE(uno->EsLibreria());
}

TEST(Marco, LibreriaYFormaDelProgramaHermano) {
    Marco marco("M");
    marco.PonerReal("frameWidth", 0.15f);
    marco.PonerReal("frameConduct", 3.5f);
    auto exportado = [&] { return Escrito([&](FileWriter& f) { marco.Exportar(f); }); };
    EXPECT_EQ(exportado(), "");
    marco.PonerLogico("Utilizado", true);
    EXPECT_EQ(exportado(), "      FRAME-WIDTH   =           0.15\r\n"
                           "      FRAME-CONDUCT =            3.5\r\n");

    marco.MarcarLibreria();
    EXPECT_EQ(Escritura(marco), "");
    EXPECT_EQ(Escrito([&](FileWriter& f) { marco.EscribirSinLibreria(f, 1); }), "");
}

TEST(Marco, NodoXML) {
    SeparadorRegional regional('.');
    Marco marco("Marco \"ñ\" & <cía>");
    marco.PonerReal("frameWidth", 0.25f);
    marco.PonerReal("frameConduct", 3.5f);
    marco.PonerReal("frameAbs", 0.5f);
    marco.AsignarPropiedad("Grupo", "Metálicos");
    marco.AsignarPropiedad("Dumvat", "MET");

    TXMLDocument leido;
    IXMLNode* nodo = XMLLeido(marco, leido);
    ASSERT_NE(nodo, nullptr);
    EXPECT_EQ(nodo->GetNodeName(), AnsiString("Name-Frame"));
    EXPECT_EQ(nodo->GetAttributes("name"), AnsiString("Marco \"ñ\" & <cía>"));
    // "frameAns" y el "group" repetido, como los esperan quienes leen estos ficheros.
    const char* const orden[] = {"group",   "frameWidth", "frameConduct", "frameAns",
                                 "library", "group",      "nameDumvat",   "image"};
    const char* const textos[] = {"Metálicos", "0.25", "3.5", "0.5", "NO", "Metálicos", "MET", ""};
    IXMLNodeList* hijos = nodo->GetChildNodes();
    ASSERT_EQ(hijos->GetCount(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(hijos->GetNodes(i)->GetNodeName(), AnsiString(orden[i]));
        EXPECT_EQ(hijos->GetNodes(i)->GetText(), AnsiString(textos[i]));
    }
    EXPECT_EQ(hijos->GetNodes(7)->GetAttributes("name"), AnsiString("picture.jpg"));
}

TEST(Marco, CopiarDe) {
    Marco origen("Origen");
    origen.PonerReal("frameWidth", 0.3f);
    origen.PonerReal("frameConduct", 1.5f);
    origen.PonerReal("frameAbs", 0.4f);
    origen.AsignarPropiedad("Grupo", "G");
    origen.AsignarPropiedad("Dumvat", "D");
    origen.AsignarPropiedad("Nombre completo", "Completo");
    origen.PonerLogico("Utilizado", true);
    origen.MarcarLibreria();

    Marco copia("Copia");
    copia.CopiarDe(origen);
    EXPECT_EQ(Real(copia, "frameWidth"), 0.3f);
    EXPECT_EQ(Real(copia, "frameConduct"), 1.5f);
    EXPECT_EQ(Real(copia, "frameAbs"), 0.4f);
    EXPECT_EQ(Texto(copia, "Grupo"), AnsiString("G"));
    EXPECT_EQ(Texto(copia, "Dumvat"), AnsiString("D"));
    EXPECT_TRUE(copia.EsLibreria());
    // Ni nombre, ni nombre completo, ni uso, ni estados.
    EXPECT_EQ(copia.ObtenerNombre(), AnsiString("Copia"));
    EXPECT_EQ(Texto(copia, "Nombre completo"), AnsiString(""));
    EXPECT_FALSE(copia.EsUtilizado());
    EXPECT_EQ(Estado(copia, "frameWidth"), ESTADO_DEFECTO);
}

TEST(Marco, ElNombreCompletoSeBuscaComoElDeLosDemasElementos) {
    RegistrarElementos();
    bdMarcos base("Base", LISTA_USUARIO);
    base.CrearHijo("M1", TIPO_MARCO);
    ObjetoBase* marco = base.BuscarPorNombre("M1");
    ASSERT_NE(marco, nullptr);
    marco->AsignarPropiedad("Nombre completo", "Marco de madera");
    EXPECT_EQ(base.BuscarPorNombreCompleto("Marco de madera"), marco);
}

TEST(Marco, FilaDeInforme) {
    SeparadorRegional regional('.');
    Marco marco("Aluminio");
    marco.PonerReal("frameConduct", 5.7f);
    TStringList fila;
    marco.FilaInforme(fila);
    EXPECT_EQ(fila.GetCount(), 0);
    marco.PonerLogico("Utilizado", true);
    marco.FilaInforme(fila);
    EXPECT_EQ(fila.GetCommaText(), AnsiString("Aluminio,5.70,SI"));
    marco.MarcarLibreria();
    fila.Clear();
    marco.FilaInforme(fila);
    EXPECT_EQ(fila.GetCommaText(), AnsiString("Aluminio,5.70,--"));
}

} // namespace
