// La tabla de códigos, la codificación y la comprobación de un fichero de resultados con su
// ".cl".

#include "Pelusta/TablaCodigos.h"
#include "Pelusta/inspector.h"
#include "Pelusta/inspectorResultados.h"
#include "comunes/Directorios.h"
#include "comunes/ModoPrograma.h"
#include "comunes/Registro.h"
#include "plataforma/base/files.h"
#include "tests/Pelusta/GeneradorProyectos.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/variable_entorno.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>

namespace {

const std::string kTabla = "QWERTYUIOPASDFGHJKLZXCVBNMqwertyuiopasdfghjklzxcvbnm0123456789!#$%&"
                           "()*+-./:;<=>?@[]^_{|}~QWERTYUIOPASDFGHJKLZXCV";

TEST(TablaCodigos, SoloValeUnaTablaDe112BytesSinCeros) {
    EXPECT_TRUE(TablaCodigos::DeBytes(kTabla).Disponible());
    EXPECT_EQ(TablaCodigos::DeBytes(kTabla.substr(0, 111)).GetEstado(),
              TablaCodigos::Estado::NoValida);
    EXPECT_EQ(TablaCodigos::DeBytes(kTabla + "X").GetEstado(), TablaCodigos::Estado::NoValida);
    std::string conCero = kTabla;
    conCero[50] = '\0';
    EXPECT_EQ(TablaCodigos::DeBytes(conCero).GetEstado(), TablaCodigos::Estado::NoValida);
    EXPECT_EQ(TablaCodigos().GetEstado(), TablaCodigos::Estado::NoInstalada);
}

TEST(TablaCodigos, FicheroConOSinSaltoFinal) {
    CarpetaTemporal carpeta;
    struct Caso {
        const char* nombre;
        std::string contenido;
        TablaCodigos::Estado estado;
    } casos[] = {
        {"tal_cual", kTabla, TablaCodigos::Estado::Cargada},
        {"con_lf", kTabla + "\n", TablaCodigos::Estado::Cargada},
        {"con_crlf", kTabla + "\r\n", TablaCodigos::Estado::Cargada},
        {"dos_saltos", kTabla + "\n\n", TablaCodigos::Estado::NoValida},
        {"corta", kTabla.substr(0, 100) + "\n", TablaCodigos::Estado::NoValida},
        {"vacia", "", TablaCodigos::Estado::NoValida},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        const std::string ruta = carpeta.Ruta().str() + caso.nombre;
        EscribirBytes(ruta, caso.contenido);
        const TablaCodigos tabla = TablaCodigos::LeerFichero(AnsiString(ruta));
        EXPECT_EQ(tabla.GetEstado(), caso.estado);
        EXPECT_EQ(tabla.GetRuta().str(), ruta);
    }
    // La tabla leída con su salto codifica igual que la tabla misma.
    const TablaCodigos conSalto =
        TablaCodigos::LeerFichero(AnsiString(carpeta.Ruta().str() + "con_crlf"));
    EXPECT_EQ(inspector(conSalto).Codificar("A").str(), "52A041E25B755CF09ACB8508CF7080BA");

    const TablaCodigos falta =
        TablaCodigos::LeerFichero(AnsiString(carpeta.Ruta().str() + "no_esta"));
    EXPECT_EQ(falta.GetEstado(), TablaCodigos::Estado::NoInstalada);
}

TEST(TablaCodigos, LaInstaladaEstaEnLaCarpetaLibDeConfigIni) {
    CarpetaTemporal carpeta;
    const AnsiString actual = GetCurrentDir();
    VariableEntorno registro("QUENBAR_REGISTRO", (carpeta.Ruta().str() + "registro.ini").c_str());
    VariableEntorno cache("XDG_CACHE_HOME", (carpeta.Ruta().str() + "cache").c_str());
    Registro::LiberarParaPruebas();
    FijarModoPrograma(Programa::Pelusta);
    Directorios::FijarCarpetaAplicacion(carpeta.Ruta() + "app/");
    Directorios::Liberar();
    carpeta.Fichero("app/config.ini", "LIB = \"Lib\\\"\r\n");

    const AnsiString ruta = TablaCodigos::RutaInstalada();
    EXPECT_EQ(ruta.str(), carpeta.Ruta().str() + "app/Lib\\TablaCodigos.dat");
    EXPECT_EQ(TablaCodigos::LeerInstalada().GetEstado(), TablaCodigos::Estado::NoInstalada);
    carpeta.Fichero("app/Lib/TablaCodigos.dat", kTabla + "\r\n");
    const TablaCodigos instalada = TablaCodigos::LeerInstalada();
    EXPECT_TRUE(instalada.Disponible());
    EXPECT_EQ(inspector(instalada).Codificar("A").str(), "52A041E25B755CF09ACB8508CF7080BA");

    Directorios::Liberar();
    Directorios::FijarCarpetaAplicacion("");
    Registro::LiberarParaPruebas();
    FijarModoPrograma(Programa::Vornak);
    SetCurrentDir(actual);
}

TEST(Codificar, EntradasConocidas) {
    // Cada byte b elige las posiciones b / 100 y b % 100 de la tabla: "A" (65) da "Q%";
    // 200 da "EQ" (con bytes con signo saldría "-056" y otra cosa); 0, 99, 100 y 255 dan
    // "QQ", "QA", "WQ" y "E3". Los MD5 de esos textos se calcularon aparte.
    const inspector codificador(TablaDePrueba());
    struct Caso {
        std::string entrada;
        const char* codigo;
    } casos[] = {
        {"A", "52A041E25B755CF09ACB8508CF7080BA"},
        {std::string(1, static_cast<char>(200)), "2DCBAD7477FD40561E8B8198F173BD47"},
        {std::string("\x00\x63\x64\xFF", 4), "F711A72EFBE8D528B18A3C1F099E93CD"},
        // Un resumen de fichero seguido de un valor acompañante, como en un ".cl".
        {"0CC175B9C0F1B6A831C399E2697726610123456789ABCDEF0123456789ABCDEF",
         "B7CD053835C6B4A4EA21F1BAF94BF2A2"},
    };
    for (const Caso& caso : casos)
        EXPECT_EQ(codificador.Codificar(AnsiString(caso.entrada)).str(), caso.codigo);

    EXPECT_TRUE(inspector(TablaCodigos()).Codificar("A").IsEmpty());
}

TEST(DigestoDatos, SeccionDeDatosDelProyectoLeidoComoTexto) {
    CarpetaTemporal carpeta;
    const std::string inicio = "$          Datos Generales";
    const std::string fin = "$      Fin del Fichero de Datos";
    struct Caso {
        const char* nombre;
        std::string fichero;
        std::string seccion; // lo que se resume
    } casos[] = {
        // CR LF se lee como un salto; el byte 255 se descarta; lo de fuera no cuenta.
        {"normal", "cabecera\r\n" + inicio + "\r\nA = 1\xFF\r\n" + fin + "\r\nresto\r\n",
         inicio + "\nA = 1\n"},
        {"sin_fin", inicio + "\nA = 1\n", ""},
        {"fin_antes", fin + "\n" + inicio + "\n", ""},
        // Sin inicio: hasta la posición de la marca de fin contada desde 1, su "$" incluido.
        {"sin_inicio", "A = 1\n" + fin + "\n", "A = 1\n$"},
        // Un Ctrl-Z termina el texto en modo texto.
        {"ctrl_z", inicio + "\nA\n" + fin + "\x1A" + "mas", inicio + "\nA\n"},
        {"ctrl_z_antes", inicio + "\n\x1A" + fin, ""},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        const std::string ruta = carpeta.Ruta().str() + caso.nombre + ".cte";
        EscribirBytes(ruta, caso.fichero);
        EXPECT_EQ(inspector::DigestoDatos(AnsiString(ruta)).str(),
                  inspector::DigestoTexto(AnsiString(caso.seccion)).str());
    }
    EXPECT_TRUE(
        inspector::DigestoDatos(AnsiString(carpeta.Ruta().str() + "no_esta.cte")).IsEmpty());
}

// Un fichero de resultados válido, con su ".cl", en una carpeta temporal.
class Comprobacion : public testing::Test {
protected:
    void SetUp() override {
        resultados_ = carpeta_.Ruta().str() + "casaO.res";
        EscribirBytes(resultados_, TextoResultados({"30.0", "-10.0", "100.0"}));
        cl_ = EscribirCodigos(resultados_, TablaDePrueba());
    }

    bool Valido(const TablaCodigos& tabla = TablaDePrueba()) {
        inspectorResultados comprobacion(tabla);
        comprobacion.Calcular(AnsiString(resultados_),
                              AnsiString(carpeta_.Ruta().str() + "casa.cte"));
        return comprobacion.EsValido();
    }

    CarpetaTemporal carpeta_;
    std::string resultados_;
    std::string cl_;
};

TEST_F(Comprobacion, ElFicheroConSuClEsValido) {
    inspectorResultados comprobacion(TablaDePrueba());
    comprobacion.Calcular(AnsiString(resultados_), AnsiString(carpeta_.Ruta().str() + "casa.cte"));
    EXPECT_TRUE(comprobacion.EsValido());
    EXPECT_EQ(comprobacion.GetNombre().str(), "casaO");
    EXPECT_EQ(comprobacion.GetDigestoFichero().str(),
              inspector::DigestoFichero(AnsiString(resultados_)).str());
    EXPECT_EQ(comprobacion.GetCodigoGuardado().str(), cl_.substr(0, 32));
    EXPECT_EQ(comprobacion.GetValorAcompanante().str(), cl_.substr(32));
}

TEST_F(Comprobacion, CasosLimiteDelCl) {
    const std::string codigo = cl_.substr(0, 32), acompanante = cl_.substr(32);
    std::string minusculas = codigo;
    for (char& c : minusculas)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    ASSERT_NE(minusculas, codigo);
    struct Caso {
        const char* nombre;
        std::string cl;
        bool valido;
    } casos[] = {
        {"lo_que_sigue_al_64_no_cuenta", cl_ + "\r\nnotas", true},
        {"acompanante_corto", cl_.substr(0, 60), false},
        {"codigo_corto", codigo.substr(0, 20), false},
        {"solo_codigo", codigo, false},
        {"codigo_en_minusculas", minusculas + acompanante, false},
        {"otro_acompanante", codigo + std::string(32, '7'), false},
        {"vacio", "", false},
    };
    const std::string rutaCl = carpeta_.Ruta().str() + "casaO.cl";
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        EscribirBytes(rutaCl, caso.cl);
        EXPECT_EQ(Valido(), caso.valido);
    }
}

TEST_F(Comprobacion, SinClOSinTablaNoEsValido) {
    EXPECT_FALSE(Valido(TablaCodigos()));
    EXPECT_FALSE(Valido(TablaCodigos::DeBytes(std::string(112, 'x'))));
    std::filesystem::remove(carpeta_.Ruta().str() + "casaO.cl");
    inspectorResultados comprobacion(TablaDePrueba());
    EXPECT_FALSE(comprobacion.LeerCodigos(AnsiString(carpeta_.Ruta().str() + "casaO.cl")));
    EXPECT_FALSE(Valido());
}

TEST_F(Comprobacion, CambiarUnSoloByteDelResultadoLoInvalida) {
    const std::string original = LeerBytes(resultados_);
    for (size_t posicion : {size_t(0), original.size() / 2, original.size() - 1}) {
        std::string cambiado = original;
        cambiado[posicion] ^= 0x01;
        EscribirBytes(resultados_, cambiado);
        EXPECT_FALSE(Valido()) << "byte " << posicion;
    }
    EscribirBytes(resultados_, original);
    EXPECT_TRUE(Valido());
}

TEST_F(Comprobacion, ResultadoQueNoSePuedeLeerNoEsValidoNiLanza) {
    std::filesystem::remove(resultados_);
    EXPECT_FALSE(Valido());
}

TEST_F(Comprobacion, ConDatosElResumenDelProyectoOcupaElLugarDelAcompanante) {
    const std::string cte = carpeta_.Ruta().str() + "casa.cte";
    EscribirBytes(cte, TextoProyecto("casa"));
    inspectorResultados comprobacion(TablaDePrueba());
    comprobacion.Calcular(AnsiString(resultados_), AnsiString(cte), true);
    const AnsiString datos = inspector::DigestoDatos(AnsiString(cte));
    ASSERT_EQ(datos.Length(), 32);
    EXPECT_EQ(comprobacion.GetDigestoDatos().str(), datos.str());
    EXPECT_EQ(comprobacion.GetCodigoCalculado().str(),
              inspector(TablaDePrueba()).Codificar(comprobacion.GetDigestoFichero() + datos).str());
    // El ".cl" no se lee: no hay código guardado con el que comparar.
    EXPECT_TRUE(comprobacion.GetCodigoGuardado().IsEmpty());
    EXPECT_FALSE(comprobacion.EsValido());
}

TEST(RutaCodigos, MismaRutaConExtensionCl) {
    EXPECT_EQ(inspectorResultados::RutaCodigos("C:\\obras.v2\\Resultados\\casaO.res").str(),
              "C:\\obras.v2\\Resultados\\casaO.cl");
    EXPECT_EQ(inspectorResultados::RutaCodigos("/r.d/casaO").str(), "/r.d/casaO.cl");
    EXPECT_EQ(inspectorResultados::RutaCodigos("casa.b.res").str(), "casa.b.cl");
}

} // namespace
