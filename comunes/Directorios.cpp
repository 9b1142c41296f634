#include "comunes/Directorios.h"

#include "comunes/LeerBDL.h"
#include "comunes/ModoPrograma.h"
#include "comunes/Registro.h"
#include "comunes/Util.h"
#include "plataforma/base/files.h"
#include "plataforma/base/user_folders.h"

#include <string>
#include <string_view>

#include <unistd.h>

namespace {

std::unique_ptr<Directorios> instancia;
AnsiString carpetaFijada;

struct ClaveConfig {
    const char* texto; // como se busca, con su blanco final si lo lleva
    int carpeta;       // Directorios::CarpetaConfig
};

bool TerminaEnSeparador(const AnsiString& ruta) {
    return !ruta.IsEmpty() && (ruta[ruta.Length()] == '/' || ruta[ruta.Length()] == '\\');
}

// Se puede crear ficheros en ella; si no existe, se intenta crear.
bool CarpetaEscribible(const AnsiString& carpeta) {
    if (!DirectoryExists(carpeta) && !ForceDirectories(carpeta)) return false;
    std::string nativa = NativePath(carpeta);
    return !nativa.empty() && ::access(nativa.c_str(), W_OK | X_OK) == 0;
}

} // namespace

Directorios* Directorios::Instancia() {
    if (!instancia) instancia.reset(new Directorios());
    return instancia.get();
}

void Directorios::Liberar() {
    instancia.reset();
}

void Directorios::FijarCarpetaAplicacion(const AnsiString& carpeta) {
    carpetaFijada = carpeta;
}

Directorios::Directorios() {
    aplicacion_ = carpetaFijada.IsEmpty() ? GetExecutableDir() : carpetaFijada;
    if (!TerminaEnSeparador(aplicacion_)) aplicacion_ += "/";
    // El programa de promedios busca los ficheros de resultados desde aquí.
    SetCurrentDir(aplicacion_);

    AnsiString configuracion = aplicacion_ + "config.ini";
    if (FileExists(configuracion)) {
        LeerConfiguracion(configuracion);
        LeerRegistro();
    } else {
        encontrado_ = false;
    }
    ElegirCarpetaTemporal();
}

void Directorios::LeerConfiguracion(const AnsiString& ruta) {
    // En el orden en que se buscan.
    static constexpr ClaveConfig kClaves[] = {
        {"PER ", PER}, {"MET ", MET}, {"TMP ", TMP}, {"RES ", RES}, {"LIB ", LIB},
        {"EXE ", EXE}, {"DAT", DAT},  {"IMG", IMG},  {"FOT", FOT},  {"DOC", DOC},
        {"BIN", BIN},  {"IMT", IMT},  {"PLA", PLA},
    };
    std::string contenido;
    ReadWholeFile(ruta, contenido);
    // La marca de orden de bytes de UTF-8 que algunos editores ponen no es de la primera
    // clave.
    const std::string_view texto = contenido;
    LeerBDL lector(LeerBDL::EnMemoria{}, texto.substr(texto.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0));
    for (const ClaveConfig& clave : kClaves) {
        AnsiString valor;
        // "LIB=..." sin blanco también vale: la clave solo se encuentra como palabra entera.
        if (lector.LeerCadena(clave.texto, valor) != 0 &&
            lector.LeerCadena(AnsiString(clave.texto).Trim(), valor) != 0)
            continue;
        QuitarComillas(valor);
        carpetas_[clave.carpeta] = valor;
    }
}

void Directorios::LeerRegistro() {
    const Registro* registro = Registro::Instancia();
    registro->Ruta("Tirnel", rutaTirnel_);
    registro->Ruta("Quenbar", rutaQuenbar_);
    registro->Ruta("Dumvat", rutaDumvat_);
    registro->Ruta("Morvask", rutaMorvask_);
    if (ModoPrograma() == Programa::Vornak) {
        registro->Ruta("MisDocumentos", misDocumentos_);
        registro->Instalado("NuevaVersionDumvat", nuevaVersionDumvat_);
    }
}

void Directorios::ElegirCarpetaTemporal() {
    temporal_ = aplicacion_ + carpetas_[TMP];
    if (CarpetaEscribible(temporal_)) return;
    AnsiString cache = UserCacheDir();
    if (cache.IsEmpty()) return;
    cache += "quenbar/";
    if (CarpetaEscribible(cache)) temporal_ = cache;
}

AnsiString Directorios::Unir(CarpetaConfig carpeta, const AnsiString& fichero) const {
    return aplicacion_ + carpetas_[carpeta] + fichero;
}

AnsiString Directorios::RutaLibreria(const AnsiString& fichero) const {
    return Unir(LIB, fichero);
}
AnsiString Directorios::RutaImagen(const AnsiString& fichero) const {
    return Unir(IMG, fichero);
}
AnsiString Directorios::RutaResultados(const AnsiString& fichero) const {
    return Unir(RES, fichero);
}
AnsiString Directorios::RutaDatos(const AnsiString& fichero) const {
    return Unir(DAT, fichero);
}
AnsiString Directorios::RutaDocumentos(const AnsiString& fichero) const {
    return Unir(DOC, fichero);
}
AnsiString Directorios::RutaTemporal(const AnsiString& fichero) const {
    return temporal_ + fichero;
}

AnsiString Directorios::Carpeta(const AnsiString& clave) const {
    static constexpr const char* kNombres[NUM_CARPETAS] = {
        "PER", "IMG", "DAT", "LIB", "RES", "MET", "TMP", "EXE", "FOT", "DOC", "BIN", "PLA", "IMT"};
    AnsiString buscada = clave.Trim();
    for (int i = 0; i < NUM_CARPETAS; ++i)
        if (buscada == kNombres[i]) return carpetas_[i];
    return AnsiString();
}

AnsiString Directorios::RutaPrograma(const AnsiString& clave) const {
    if (clave == "Tirnel") return rutaTirnel_;
    if (clave == "Quenbar") return rutaQuenbar_;
    if (clave == "Dumvat") return rutaDumvat_;
    if (clave == "Morvask") return rutaMorvask_;
    return AnsiString();
}
