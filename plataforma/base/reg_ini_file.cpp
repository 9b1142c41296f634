#include "plataforma/base/reg_ini_file.h"

#include "plataforma/base/string_list.h"
#include "plataforma/base/user_folders.h"

#include <cstdlib>
#include <string_view>
#include <unordered_set>

namespace {

constexpr const char* kRaiz = "HKEY_CURRENT_USER";

// The path's components joined by single "\", without empty ones.
std::string Normalizada(std::string_view ruta) {
    std::string salida;
    while (!ruta.empty()) {
        size_t barra = ruta.find('\\');
        std::string_view parte = ruta.substr(0, barra);
        if (!parte.empty()) {
            if (!salida.empty()) salida += '\\';
            salida += parte;
        }
        ruta = barra == std::string_view::npos ? std::string_view() : ruta.substr(barra + 1);
    }
    return salida;
}

std::string Plegar(const std::string& texto) {
    return AnsiLowerCase(AnsiString(texto)).str();
}

} // namespace

AnsiString TRegIniFile::StoreFileName() {
    if (const char* variable = std::getenv("QUENBAR_REGISTRO_USUARIO"); variable && *variable)
        return AnsiString(variable);
    AnsiString carpeta = UserConfigDir();
    return carpeta.IsEmpty() ? AnsiString() : carpeta + "quenbar/registro-usuario.ini";
}

TRegIniFile::TRegIniFile(const AnsiString& FileName)
    : TCustomIniFile(FileName), store_(StoreFileName()) {
    key_ = kRaiz;
    std::string resto = Normalizada(FileName.str());
    if (!resto.empty()) key_ += "\\" + resto;
}

TIniFile& TRegIniFile::Store() const {
    store_.Refresh();
    return store_;
}

void TRegIniFile::UpdateFile() {
    store_.UpdateFile();
}

std::string TRegIniFile::SectionOf(const AnsiString& Section) const {
    std::string sub = Normalizada(Section.str());
    return sub.empty() ? key_ : key_ + "\\" + sub;
}

AnsiString TRegIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident,
                                   const AnsiString& Default) const {
    return Store().ReadString(AnsiString(SectionOf(Section)), Ident, Default);
}

void TRegIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident,
                              const AnsiString& Value) {
    Store().WriteString(AnsiString(SectionOf(Section)), Ident, Value);
}

void TRegIniFile::EraseSection(const AnsiString& Section) {
    TIniFile& almacen = Store();
    const std::string seccion = SectionOf(Section);
    const std::string plegada = Plegar(seccion);
    TStringList secciones;
    almacen.ReadSections(secciones);
    for (int i = 0; i < secciones.GetCount(); ++i) {
        std::string nombre = Normalizada(secciones.GetStrings(i).str());
        std::string p = Plegar(nombre);
        if (p == plegada || p.rfind(plegada + "\\", 0) == 0)
            almacen.EraseSection(secciones.GetStrings(i));
    }
}

void TRegIniFile::DeleteKey(const AnsiString& Section, const AnsiString& Ident) {
    Store().DeleteKey(AnsiString(SectionOf(Section)), Ident);
}

void TRegIniFile::ReadSection(const AnsiString& Section, TStrings& Strings) const {
    Store().ReadSection(AnsiString(SectionOf(Section)), Strings);
}

void TRegIniFile::ReadSections(TStrings& Strings) const {
    TStringList secciones;
    Store().ReadSections(secciones);
    Strings.Clear();
    const std::string prefijo = Plegar(key_) + "\\";
    std::unordered_set<std::string> vistas;
    for (int i = 0; i < secciones.GetCount(); ++i) {
        std::string nombre = Normalizada(secciones.GetStrings(i).str());
        if (Plegar(nombre).rfind(prefijo, 0) != 0) continue;
        std::string hija = nombre.substr(prefijo.size());
        hija = hija.substr(0, hija.find('\\'));
        if (!hija.empty() && vistas.insert(Plegar(hija)).second) Strings.Add(AnsiString(hija));
    }
}

void TRegIniFile::ReadSectionValues(const AnsiString& Section, TStrings& Strings) const {
    Store().ReadSectionValues(AnsiString(SectionOf(Section)), Strings);
}

bool TRegIniFile::SectionExists(const AnsiString& Section) const {
    return Store().SectionExists(AnsiString(SectionOf(Section)));
}

bool TRegIniFile::ValueExists(const AnsiString& Section, const AnsiString& Ident) const {
    return Store().ValueExists(AnsiString(SectionOf(Section)), Ident);
}
