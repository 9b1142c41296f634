#include "tests/comunes/prueba_bd_entorno.h"

#include "comunes/FicheroLog.h"
#include "comunes/Idioma.h"
#include "comunes/RegistroElementos.h"
#include "comunes/bdAcristalamientos.h"
#include "comunes/bdCerramientos.h"
#include "comunes/bdHuecos.h"
#include "comunes/bdMarcos.h"
#include "comunes/bdMateriales.h"
#include "comunes/bdPuentesTermicos.h"

#include "plataforma/base/files.h"

void LiberarBasesCompartidas() {
    for (TipoLista tipo : {LISTA_ESTANDAR, LISTA_USUARIO, LISTA_PROGRAMA}) {
        if (auto* bd = bdHuecos::Instancia(tipo)) bd->Liberar();
        if (auto* bd = bdCerramientos::Instancia(tipo)) bd->Liberar();
        if (auto* bd = bdMateriales::Instancia(tipo)) bd->Liberar();
        if (auto* bd = bdAcristalamientos::Instancia(tipo)) bd->Liberar();
        if (auto* bd = bdMarcos::Instancia(tipo)) bd->Liberar();
        if (auto* bd = bdPuentesTermicos::Instancia("", tipo)) bd->Liberar();
    }
}

EntornoBD::EntornoBD() : InstalacionDePrueba("LIB = \"Lib\\\"\nTMP = \"Tmp\\\"\n") {}

void EntornoBD::SetUp() {
    // La carpeta temporal ha de existir para que el registro del modelo se escriba en ella.
    carpeta.Fichero("Tmp/.carpeta", "");
    InstalacionDePrueba::SetUp();
    Idioma::Instancia()->FijarCodigoParaPruebas(0);
    RegistrarElementos();
}

void EntornoBD::TearDown() {
    LiberarBasesCompartidas();
    InstalacionDePrueba::TearDown();
}

void EntornoBD::PonerCatalogo(const std::string& contenido) const {
    carpeta.Fichero("Lib/BDCATALOGO.BDC", contenido);
}

std::unique_ptr<LeerBDL> EntornoBD::Lector(const std::string& contenido) {
    return std::make_unique<LeerBDL>(LeerBDL::EnMemoria{}, contenido);
}

std::array<bdLibreria*, 6> EntornoBD::Bases(TipoLista tipo) {
    bdMateriales* materiales = bdMateriales::Instancia("Materiales", tipo);
    bdAcristalamientos* vidrios = bdAcristalamientos::Instancia("Vidrios", tipo);
    bdMarcos* marcos = bdMarcos::Instancia("Marcos", tipo);
    return {materiales,
            bdCerramientos::Instancia("Cerramientos", materiales, tipo),
            marcos,
            vidrios,
            bdHuecos::Instancia("Huecos", vidrios, marcos, tipo),
            bdPuentesTermicos::Instancia("Puentes", tipo)};
}

void EntornoBD::CargarTodo(TipoLista tipo, const std::string& texto, bdCatalogo& catalogo) {
    auto lector = Lector(texto);
    for (bdLibreria* base : Bases(tipo))
        base->Leer(lector.get(), catalogo);
}

ObjetoBase* EntornoBD::Elemento(bdLibreria* base, const AnsiString& nombre) {
    ObjetoBase* elemento = base->BuscarPorNombre(nombre);
    return elemento == base ? nullptr : elemento;
}

std::string EntornoBD::Log() {
    return FicheroLog::Instancia()->Texto().str();
}

std::string EntornoBD::LogEnDisco() const {
    std::string texto;
    EXPECT_TRUE(ReadWholeFile(carpeta.Ruta() + "Tmp/EdifDumvat.log", texto));
    return texto;
}

int EntornoBD::Veces(const std::string& texto, const std::string& trozo) {
    int veces = 0;
    for (size_t i = texto.find(trozo); i != std::string::npos; i = texto.find(trozo, i + 1))
        ++veces;
    return veces;
}

// Registros de prueba.

std::string MaterialRegistro(const std::string& nombre, const std::string& conductividad,
                             const std::string& libreria) {
    return "\"" + nombre +
           "\" = MATERIAL\n"
           "    TYPE          = PROPERTIES\n"
           "    THICKNESS     = 0.1\n"
           "    CONDUCTIVITY  = " +
           conductividad +
           "\n"
           "    DENSITY       = 1000\n"
           "    SPECIFIC-HEAT = 1000\n"
           "    NAME          = \"" +
           nombre +
           "\"\n"
           "    LIBRARY       = " +
           libreria + "\n    ..\n";
}

std::string VidrioRegistro(const std::string& nombre, const std::string& conductancia, bool cerrado,
                           const std::string& libreria) {
    return "\"" + nombre +
           "\" = GLASS-TYPE\n"
           "     GROUP             = \"Dobles\"\n"
           "     TYPE              = SHADING-COEF\n"
           "     SHADING-COEF      = 0.8\n"
           "     GLASS-CONDUCTANCE = " +
           conductancia + "\n     LIBRARY       =  " + libreria + "\n" +
           (cerrado ? "    ..\n" : "");
}

std::string MarcoRegistro(const std::string& nombre, const std::string& conductancia,
                          const std::string& libreria) {
    return " \"" + nombre +
           "\" = NAME-FRAME\n"
           "      GROUP         = \"Metalicos\"\n"
           "      FRAME-WIDTH   = 0.05\n"
           "      FRAME-CONDUCT = " +
           conductancia + "\n      LIBRARY = " + libreria + "\n..\n";
}

std::string CerramientoRegistro(const std::string& nombre, const std::string& materiales,
                                const std::string& espesores, const std::string& libreria) {
    return "\"" + nombre +
           "\" = LAYERS\n"
           "    GROUP        = \"Fachadas\"\n"
           "    MATERIAL     = (" +
           materiales + ")\n    THICKNESS = (" + espesores + ")\n    LIBRARY = " + libreria +
           "\n    UTIL = NO\n    ..\n";
}

std::string HuecoRegistro(const std::string& nombre, const std::string& vidrio,
                          const std::string& marco, const std::string& libreria) {
    return "\"" + nombre +
           "\" = GAP\n"
           "     GROUP          = \"Ventanas\"\n"
           "     GLASS-TYPE          = \"" +
           vidrio + "\"\n     NAME-FRAME        = \"" + marco +
           "\"\n     PORCENTAGE        = 20\n     LIBRARY           =  " + libreria +
           "\n"
           "     UTIL              =  NO\n    ..\n";
}

std::string PuenteRegistro(const std::string& nombre, const std::string& fi,
                           const std::string& libreria) {
    return "\"" + nombre + "\" = BRIDGE\n    FRSI = 0.7\n    FI = " + fi + "\n    NAME = \"" +
           nombre +
           "\"\n    GROUP = \"Frentes\"\n    ZONE = \"Fachada\"\n"
           "    IMAGE = \"pt.jpg\"\n    LIBRARY = " +
           libreria + "\n    ..\n";
}
