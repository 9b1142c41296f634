#include "plataforma/base/user_folders.h"

#include "plataforma/base/files.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Relative values are ignored, as the desktop's conventions ask.
std::string VariableAbsoluta(const char* nombre) {
    const char* valor = std::getenv(nombre);
    if (valor == nullptr || valor[0] != '/') return std::string();
    return valor;
}

std::string ConBarra(std::string carpeta) {
    if (!carpeta.empty() && carpeta.back() != '/') carpeta += '/';
    return carpeta;
}

std::string Casa() {
    return ConBarra(VariableAbsoluta("HOME"));
}

std::string CarpetaDeVariable(const char* variable, const char* bajoCasa) {
    std::string carpeta = VariableAbsoluta(variable);
    if (!carpeta.empty()) return ConBarra(carpeta);
    std::string casa = Casa();
    return casa.empty() ? std::string() : casa + bajoCasa;
}

// The XDG_DOCUMENTS_DIR line of user-dirs.dirs: a quoted "$HOME/..." or absolute path.
std::string DocumentosDeLaLista(const std::string& configuracion, const std::string& casa) {
    std::string contenido;
    if (configuracion.empty() ||
        !ReadWholeFile(FromNativePath(configuracion + "user-dirs.dirs"), contenido))
        return std::string();
    std::string_view resto(contenido);
    while (!resto.empty()) {
        size_t fin = resto.find('\n');
        std::string_view linea = resto.substr(0, fin);
        resto = fin == std::string_view::npos ? std::string_view() : resto.substr(fin + 1);
        while (!linea.empty() && (linea.front() == ' ' || linea.front() == '\t'))
            linea.remove_prefix(1);
        constexpr std::string_view kClave = "XDG_DOCUMENTS_DIR=";
        if (linea.substr(0, kClave.size()) != kClave) continue;
        std::string_view valor = linea.substr(kClave.size());
        while (!valor.empty() && (valor.back() == '\r' || valor.back() == ' '))
            valor.remove_suffix(1);
        if (valor.size() >= 2 && valor.front() == '"' && valor.back() == '"')
            valor = valor.substr(1, valor.size() - 2);
        constexpr std::string_view kCasa = "$HOME/";
        if (valor.substr(0, kCasa.size()) == kCasa) {
            if (casa.empty()) return std::string();
            return ConBarra(casa + std::string(valor.substr(kCasa.size())));
        }
        if (!valor.empty() && valor.front() == '/') return ConBarra(std::string(valor));
        return std::string();
    }
    return std::string();
}

} // namespace

AnsiString UserConfigDir() {
    return FromNativePath(CarpetaDeVariable("XDG_CONFIG_HOME", ".config/"));
}

AnsiString UserCacheDir() {
    return FromNativePath(CarpetaDeVariable("XDG_CACHE_HOME", ".cache/"));
}

AnsiString UserDocumentsDir() {
    std::string carpeta = VariableAbsoluta("XDG_DOCUMENTS_DIR");
    if (!carpeta.empty()) return FromNativePath(ConBarra(carpeta));
    std::string casa = Casa();
    carpeta = DocumentosDeLaLista(CarpetaDeVariable("XDG_CONFIG_HOME", ".config/"), casa);
    if (!carpeta.empty()) return FromNativePath(carpeta);
    return casa.empty() ? AnsiString() : FromNativePath(casa + "Documents/");
}
