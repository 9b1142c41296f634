// Los datos que se instalan con los programas: la base de ejemplo, que se abre y se guarda
// sin cambiar un byte, y el catálogo estándar, que se carga entero, con valores que los
// editores aceptan y en la misma forma que escribe el programa.

#include "comunes/Cambios.h"
#include "comunes/Directorios.h"
#include "comunes/Error.h"
#include "comunes/FicheroLog.h"
#include "comunes/GestorBD.h"
#include "comunes/Idioma.h"
#include "comunes/LeerBDL.h"
#include "comunes/RegistroElementos.h"
#include "comunes/bdAcristalamientos.h"
#include "comunes/bdCerramientos.h"
#include "comunes/bdHuecos.h"
#include "comunes/bdMarcos.h"
#include "comunes/bdMateriales.h"
#include "comunes/bdPuentesTermicos.h"

#include "plataforma/base/files.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/separador_regional.h"
#include "tests/comunes/instalacion_prueba.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kDatos = QUENBAR_DATOS;

std::string LeerBytes(const std::string& ruta) {
    std::ifstream fichero(ruta, std::ios::binary);
    EXPECT_TRUE(fichero.good()) << ruta;
    std::ostringstream bytes;
    bytes << fichero.rdbuf();
    return bytes.str();
}

// Cada sección de un fichero de base de datos: su tipo de registro y de elemento.
struct Seccion {
    const char* registro;
    TipoObjeto tipo;
};
const Seccion kSecciones[] = {
    {"MATERIAL ", TIPO_MATERIAL},
    {"LAYERS ", TIPO_CERRAMIENTO},
    {"GLASS-TYPE ", TIPO_ACRISTALAMIENTO},
    {"NAME-FRAME ", TIPO_MARCO},
    {"GAP ", TIPO_HUECO},
    {"BRIDGE ", TIPO_PUENTE_TERMICO},
};

// Los nombres de los registros de un tipo, en el orden del fichero.
std::vector<AnsiString> NombresDeRegistros(LeerBDL& fichero, const char* tipo) {
    std::vector<AnsiString> nombres;
    const int n = fichero.ContarObjetos(tipo);
    fichero.Reiniciar();
    for (int i = 0; i < n; ++i)
        nombres.push_back(fichero.SiguienteObjeto(tipo));
    return nombres;
}

// La base de ese tipo de elemento del gestor.
bdLibreria* Base(const GestorBD& gestor, TipoObjeto tipo) {
    switch (tipo) {
    case TIPO_MATERIAL:
        return gestor.Materiales();
    case TIPO_CERRAMIENTO:
        return gestor.Cerramientos();
    case TIPO_ACRISTALAMIENTO:
        return gestor.Acristalamientos();
    case TIPO_MARCO:
        return gestor.Marcos();
    case TIPO_HUECO:
        return gestor.Huecos();
    default:
        return gestor.PuentesTermicos();
    }
}

// Cambia cada aparición de "de" por "a".
std::string Sustituir(std::string texto, const std::string& de, const std::string& a) {
    for (size_t i = texto.find(de); i != std::string::npos; i = texto.find(de, i + a.size()))
        texto.replace(i, de.size(), a);
    return texto;
}

// Una instalación de prueba con el "config.ini" y el catálogo que se instalan, para que la
// carga los busque donde los busca el programa y el registro del modelo quede en ella.
class PruebaDatosInstalados : public InstalacionDePrueba {
protected:
    PruebaDatosInstalados() : InstalacionDePrueba(LeerBytes(kDatos + "/config.ini")) {}

    void SetUp() override {
        RegistrarElementos();
        carpeta.Fichero("Lib/BDCATALOGO.BDC", LeerBytes(kDatos + "/Lib/BDCATALOGO.BDC"));
        carpeta.Fichero("Tmp/.keep", "");
        InstalacionDePrueba::SetUp();
        FicheroLog::Instancia()->Inicializar();
    }
    void TearDown() override {
        Cambios::Liberar();
        InstalacionDePrueba::TearDown();
    }

    // Lo que hace el programa al abrir un fichero y guardarlo sin tocar nada: lo carga en
    // una base abierta, pone a cero los cambios y lo guarda en otro fichero; devuelve lo
    // guardado.
    std::string AbrirYGuardar(const AnsiString& ruta) {
        GestorBD gestor("programa", LISTA_PROGRAMA);
        gestor.Cargar(ruta);
        Cambios::Instancia()->Reiniciar();
        const AnsiString guardado = carpeta.Ruta() + "guardado.bdc";
        EXPECT_TRUE(gestor.Guardar(guardado)) << gestor.UltimoError().c_str();
        return LeerBytes(guardado.str());
    }

    // Las líneas de error del registro del modelo: lo que va entre su encabezado y la
    // línea de estrellas final.
    static std::string ErroresDelRegistro() {
        const std::string texto = FicheroLog::Instancia()->Texto().str();
        const std::string encabezado = "**** LISTA DE ERRORES **** \n";
        const size_t i = texto.find(encabezado);
        const size_t hasta = texto.rfind(std::string(26, '*'));
        if (i == std::string::npos || hasta == std::string::npos || hasta < i + encabezado.size())
            return "(registro del modelo ilegible) " + texto;
        return texto.substr(i + encabezado.size(), hasta - i - encabezado.size());
    }
};

TEST_F(PruebaDatosInstalados, LaBaseDeEjemploSeGuardaIgualQueSeAbre) {
    const std::string original = LeerBytes(kDatos + "/ejemplo.bdc");
    ASSERT_FALSE(original.empty());
    // Los espesores de las capas pasan por el separador regional: con los dos.
    for (char separador : {'.', ','}) {
        SCOPED_TRACE(std::string("separador ") + separador);
        SeparadorRegional regional(separador);
        const std::string primera = AbrirYGuardar(kDatos + "/ejemplo.bdc");
        EXPECT_EQ(primera, original);
        const AnsiString copia = carpeta.Fichero("copia.bdc", primera);
        EXPECT_EQ(AbrirYGuardar(copia), original);
    }
}

TEST_F(PruebaDatosInstalados, LaBaseDeEjemploUsaLosSeisTiposYCompletaConElCatalogo) {
    SeparadorRegional regional('.');
    GestorBD gestor("programa", LISTA_PROGRAMA);
    gestor.Cargar(kDatos + "/ejemplo.bdc");
    EXPECT_FALSE(gestor.EsEstandar());

    LeerBDL fichero(kDatos + "/ejemplo.bdc");
    for (const Seccion& seccion : kSecciones) {
        SCOPED_TRACE(seccion.registro);
        const std::vector<AnsiString> nombres = NombresDeRegistros(fichero, seccion.registro);
        EXPECT_FALSE(nombres.empty());
        for (const AnsiString& nombre : nombres) {
            ObjetoBase* elemento = gestor.Buscar(seccion.tipo, nombre);
            ASSERT_NE(elemento, nullptr) << nombre.c_str();
            EXPECT_FALSE(elemento->EsLibreria()) << nombre.c_str();
        }
    }

    // Las capas y los marcos que el fichero no trae salen del catálogo, como elementos de
    // librería con sus valores.
    const struct {
        TipoObjeto tipo;
        const char* nombre;
        const char* clave;
        float valor;
    } delCatalogo[] = {
        {TIPO_MATERIAL, "Mortero de cemento", "Conductividad", 1.0f},
        {TIPO_MATERIAL, "Bloque ceramico aligerado", "Densidad", 1080.0f},
        {TIPO_MATERIAL, "Lana mineral", "Conductividad", 0.04f},
        {TIPO_MARCO, "PVC de tres camaras", "frameConduct", 1.8f},
    };
    for (const auto& caso : delCatalogo) {
        ObjetoBase* elemento = gestor.Buscar(caso.tipo, caso.nombre);
        ASSERT_NE(elemento, nullptr) << caso.nombre;
        EXPECT_TRUE(elemento->EsLibreria()) << caso.nombre;
        float valor = -1.0f;
        elemento->ObtenerReal(caso.clave, valor);
        EXPECT_FLOAT_EQ(valor, caso.valor) << caso.nombre;
    }
    // Nada le falta: ninguna parte se ha creado con valores por defecto.
    EXPECT_EQ(ErroresDelRegistro(), "");
}

TEST_F(PruebaDatosInstalados, ElCatalogoSeCargaEntero) {
    GestorBD catalogo("NORVIA", LISTA_ESTANDAR);
    const AnsiString ruta = Directorios::Instancia()->RutaLibreria("BDCATALOGO.BDC");
    catalogo.Cargar(ruta);
    EXPECT_TRUE(catalogo.EsEstandar());

    LeerBDL fichero(ruta);
    for (const Seccion& seccion : kSecciones) {
        SCOPED_TRACE(seccion.registro);
        const std::vector<AnsiString> nombres = NombresDeRegistros(fichero, seccion.registro);
        EXPECT_GE(nombres.size(), 5u);
        for (const AnsiString& nombre : nombres) {
            ObjetoBase* elemento = catalogo.Buscar(seccion.tipo, nombre);
            ASSERT_NE(elemento, nullptr) << nombre.c_str();
            EXPECT_TRUE(elemento->EsLibreria()) << nombre.c_str();
        }
    }
    // Ni un elemento más que los registros: cada capa y cada parte de hueco está en el
    // catálogo, y ningún nombre se repite.
    for (const Seccion& seccion : kSecciones)
        EXPECT_EQ(Base(catalogo, seccion.tipo)->NumeroHijos(),
                  fichero.ContarObjetos(seccion.registro))
            << seccion.registro;
    EXPECT_EQ(ErroresDelRegistro(), "");
}

TEST_F(PruebaDatosInstalados, ElCatalogoTieneLaFormaQueEscribeElPrograma) {
    // Los materiales, acristalamientos y marcos de librería no se escriben en una base:
    // sin la marca de librería, el programa tiene que escribir el catálogo tal cual está.
    std::string catalogo = LeerBytes(kDatos + "/Lib/BDCATALOGO.BDC");
    catalogo = Sustituir(catalogo, "LIBRARY       = YES", "LIBRARY       = NO");
    catalogo = Sustituir(catalogo, "LIBRARY       =  YES", "LIBRARY       =  NO");
    SeparadorRegional regional(',');
    EXPECT_EQ(AbrirYGuardar(carpeta.Fichero("sin_libreria.bdc", catalogo)), catalogo);

    // Con la marca: sin catálogo en su sitio nada daría sus elementos de librería al
    // cargarlo, así que se escriben tal como son y el catálogo se guarda igual que se abre.
    const std::string original = LeerBytes(kDatos + "/Lib/BDCATALOGO.BDC");
    const AnsiString copia = carpeta.Fichero("copia_catalogo.bdc", original);

    // Abierto y guardado sobre sí mismo, con él en su sitio: lo que se guarda ya no
    // estará en el catálogo para dar sus elementos, así que se escriben todos. Guardado en
    // otro fichero, el catálogo los sigue dando y quedan fuera.
    const AnsiString enSuSitio = carpeta.Ruta() + "Lib/BDCATALOGO.BDC";
    ASSERT_EQ(LeerBytes(enSuSitio.str()), original);
    {
        GestorBD gestor("programa", LISTA_PROGRAMA);
        ASSERT_TRUE(gestor.Cargar(enSuSitio));
        Cambios::Instancia()->Reiniciar();
        ASSERT_TRUE(gestor.Guardar(carpeta.Ruta() + "otro.bdc")) << gestor.UltimoError().c_str();
        EXPECT_EQ(LeerBytes((carpeta.Ruta() + "otro.bdc").str()).find("= MATERIAL"),
                  std::string::npos);
        ASSERT_TRUE(gestor.Guardar(enSuSitio)) << gestor.UltimoError().c_str();
    }
    EXPECT_EQ(LeerBytes(enSuSitio.str()), original);

    ASSERT_TRUE(DeleteFile(carpeta.Ruta() + "Lib/BDCATALOGO.BDC"));
    EXPECT_EQ(AbrirYGuardar(copia), original);
}

// Los valores de los elementos están dentro de los límites con los que los editores
// aceptan lo que se teclea, y cada capa cabe entre los espesores mínimo y máximo de su
// material.
void ComprobarLimites(GestorBD& gestor) {
    struct Limite {
        TipoObjeto tipo;
        const char* clave;
        float minimo;
        float maximo;
    };
    const Limite kLimites[] = {
        {TIPO_MATERIAL, "Vapor P", 1.0f, 1e30f},
        {TIPO_ACRISTALAMIENTO, "Factor solar", 0.0f, 1.0f},
        {TIPO_ACRISTALAMIENTO, "Conductancia", 0.0f, 7.14f},
        {TIPO_MARCO, "frameWidth", 0.00001f, 1.0f},
        {TIPO_MARCO, "frameConduct", 0.0f, 7.14f},
        {TIPO_MARCO, "frameAbs", 0.00001f, 1.0f},
        {TIPO_HUECO, "Porcentaje", 0.0f, 100.0f},
        {TIPO_HUECO, "Permeabilidad", 0.0f, 500.0f},
        {TIPO_PUENTE_TERMICO, "Fi", -1.0f, 1.0f},
        {TIPO_PUENTE_TERMICO, "Efe", 0.0f, 1.0f},
    };
    const Limite kPropiedades[] = {
        {TIPO_MATERIAL, "Espesor", 0.00001f, 5.0f},
        {TIPO_MATERIAL, "Conductividad", 0.00001f, 500.0f},
        {TIPO_MATERIAL, "Densidad", 0.00001f, 15000.0f},
        {TIPO_MATERIAL, "Calor especifico", 0.00001f, 8000.0f},
    };
    const Limite kResistencia[] = {
        {TIPO_MATERIAL, "Resistencia", 0.00001f, 1000.0f},
        {TIPO_MATERIAL, "Vapor R", 0.055f, 1e20f},
    };
    auto comprobar = [](const ObjetoBase& elemento, const Limite& limite) {
        float valor = -1e9f;
        elemento.ObtenerReal(limite.clave, valor);
        EXPECT_GE(valor, limite.minimo) << elemento.ObtenerNombre().c_str() << " " << limite.clave;
        EXPECT_LE(valor, limite.maximo) << elemento.ObtenerNombre().c_str() << " " << limite.clave;
    };
    auto valor = [](const ObjetoBase& elemento, const char* clave) {
        float v = -1.0f;
        elemento.ObtenerReal(clave, v);
        return v;
    };

    for (const Seccion& seccion : kSecciones) {
        bdLibreria* base = Base(gestor, seccion.tipo);
        for (int i = 0; i < base->NumeroHijos(); ++i) {
            const ObjetoBase& elemento = *base->Hijo(i);
            for (const Limite& limite : kLimites)
                if (limite.tipo == seccion.tipo) comprobar(elemento, limite);
            if (seccion.tipo != TIPO_MATERIAL) continue;
            AnsiString tipologia;
            elemento.ValorPropiedad("Tipologia", tipologia);
            if (tipologia == "PROPIEDADES") {
                for (const Limite& limite : kPropiedades)
                    comprobar(elemento, limite);
                EXPECT_LE(valor(elemento, "EspesorMinimo"), valor(elemento, "Espesor"));
                EXPECT_LE(valor(elemento, "Espesor"), valor(elemento, "EspesorMaximo"));
            } else {
                EXPECT_EQ(tipologia, "RESISTENCIA");
                for (const Limite& limite : kResistencia)
                    comprobar(elemento, limite);
            }
        }
    }

    bdCerramientos* cerramientos = gestor.Cerramientos();
    for (int i = 0; i < cerramientos->NumeroHijos(); ++i) {
        const ObjetoBase& cerramiento = *cerramientos->Hijo(i);
        SCOPED_TRACE(cerramiento.ObtenerNombre().c_str());
        TStringList materiales, espesores;
        cerramiento.ObtenerLista("Materiales", materiales);
        cerramiento.ObtenerLista("Espesores", espesores);
        ASSERT_GT(materiales.GetCount(), 0);
        ASSERT_EQ(espesores.GetCount(), materiales.GetCount());
        for (int capa = 0; capa < materiales.GetCount(); ++capa) {
            ObjetoBase* material = gestor.Buscar(TIPO_MATERIAL, materiales.GetStrings(capa));
            ASSERT_NE(material, nullptr) << materiales.GetStrings(capa).c_str();
            const float espesor = static_cast<float>(StrToFloat(espesores.GetStrings(capa)));
            EXPECT_GE(espesor, valor(*material, "EspesorMinimo")) << capa;
            EXPECT_LE(espesor, valor(*material, "EspesorMaximo")) << capa;
        }
    }
}

TEST_F(PruebaDatosInstalados, LosValoresSonLosQueAceptanLosEditores) {
    SeparadorRegional regional(',');
    {
        GestorBD catalogo("NORVIA", LISTA_ESTANDAR);
        catalogo.Cargar(Directorios::Instancia()->RutaLibreria("BDCATALOGO.BDC"));
        SCOPED_TRACE("catálogo");
        ComprobarLimites(catalogo);
    }
    GestorBD ejemplo("programa", LISTA_PROGRAMA);
    ejemplo.Cargar(kDatos + "/ejemplo.bdc");
    SCOPED_TRACE("ejemplo");
    ComprobarLimites(ejemplo);
}

} // namespace
