#include "plataforma/base/registry.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/base/files.h"
#include "plataforma/base/string_list.h"
#include "plataforma/base/user_folders.h"

#include <cstdlib>
#include <string_view>
#include <unordered_set>

namespace {

struct Raiz {
    HKEY clave;
    const char* nombre;
    const char* abreviado;
};

constexpr Raiz kRaices[] = {
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", "HKCR"},
    {HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "HKCU"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "HKLM"},
    {HKEY_USERS, "HKEY_USERS", "HKU"},
    {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG", "HKCC"},
};

const char* NombreRaiz(HKEY clave) {
    for (const Raiz& raiz : kRaices)
        if (raiz.clave == clave) return raiz.nombre;
    return "";
}

constexpr const char* kCarpetasShell =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string Plegar(const std::string& texto) {
    return AnsiLowerCase(AnsiString(texto)).str();
}

// The components of a key path joined by single "\", without empty ones.
std::vector<std::string> Componentes(std::string_view ruta) {
    std::vector<std::string> partes;
    while (!ruta.empty()) {
        size_t barra = ruta.find('\\');
        std::string_view parte = ruta.substr(0, barra);
        if (!parte.empty()) partes.emplace_back(parte);
        ruta = barra == std::string_view::npos ? std::string_view() : ruta.substr(barra + 1);
    }
    return partes;
}

std::string Unir(const std::vector<std::string>& partes) {
    std::string ruta;
    for (const std::string& parte : partes) {
        if (!ruta.empty()) ruta += '\\';
        ruta += parte;
    }
    return ruta;
}

// A section name with its root spelled in full (abbreviations accepted) and single "\".
std::string SeccionNormalizada(const std::string& nombre) {
    std::vector<std::string> partes = Componentes(nombre);
    if (!partes.empty()) {
        for (const Raiz& raiz : kRaices)
            if (AnsiSameText(partes[0], raiz.abreviado) || AnsiSameText(partes[0], raiz.nombre))
                partes[0] = raiz.nombre;
    }
    return Unir(partes);
}

std::string TextoDelFichero(const AnsiString& fichero) {
    std::string contenido;
    if (fichero.IsEmpty() || !ReadWholeFile(fichero, contenido)) return std::string();
    // A UTF-8 byte order mark says the text is UTF-8; it is not part of the first line.
    if (contenido.rfind("\xEF\xBB\xBF", 0) == 0) contenido.erase(0, 3);
    std::string convertido = cp1252::FromUtf8(contenido);
    // Only text that is UTF-8 (and fits Windows-1252) comes back unchanged from the trip.
    if (cp1252::ToUtf8(convertido) == contenido) return convertido;
    return contenido;
}

} // namespace

AnsiString TRegistry::FileName() {
    const char* variable = std::getenv("QUENBAR_REGISTRO");
    if (variable != nullptr && variable[0] != '\0') return FromNativePath(variable);
    AnsiString configuracion = UserConfigDir();
    if (configuracion.IsEmpty()) return AnsiString();
    return configuracion + "quenbar/registro.ini";
}

TRegistry::TRegistry() {
    IniDocument leido;
    leido.Parse(TextoDelFichero(FileName()));
    for (const std::string& seccion : leido.SectionNames()) {
        std::string nombre = SeccionNormalizada(seccion);
        if (nombre.empty()) continue;
        // A key without values exists too.
        document_.AddSection(nombre);
        for (const auto& [clave, valor] : leido.Entries(seccion))
            if (document_.Find(nombre, clave) == nullptr) document_.Set(nombre, clave, valor);
    }

    if (document_.Find(kCarpetasShell, "Personal") == nullptr) {
        std::string documentos = UserDocumentsDir().str();
        // As Windows gives it: without a final separator.
        while (documentos.size() > 1 && documentos.back() == '/')
            documentos.pop_back();
        if (!documentos.empty()) document_.Set(kCarpetasShell, "Personal", documentos);
    }

    sections_ = document_.SectionNames();
    for (const std::string& seccion : sections_)
        foldedSections_.push_back(Plegar(seccion));
}

void TRegistry::SetRootKey(HKEY Value) {
    CloseKey();
    rootKey_ = Value;
}

std::string TRegistry::Resolve(const AnsiString& Key) const {
    bool relativa = Key.IsEmpty() || Key[1] != '\\';
    std::vector<std::string> partes;
    if (relativa && open_) partes = Componentes(currentPath_.str());
    for (std::string& parte : Componentes(Key.str()))
        partes.push_back(std::move(parte));
    return Unir(partes);
}

std::string TRegistry::Section(const std::string& path) const {
    std::string seccion = NombreRaiz(rootKey_);
    if (!path.empty()) seccion += "\\" + path;
    return seccion;
}

bool TRegistry::Exists(const std::string& path) const {
    if (path.empty()) return true; // the root key is always there
    std::string plegada = Plegar(Section(path));
    std::string prefijo = plegada + "\\";
    for (const std::string& seccion : foldedSections_)
        if (seccion == plegada || seccion.starts_with(prefijo)) return true;
    return false;
}

bool TRegistry::OpenKeyReadOnly(const AnsiString& Key) {
    std::string ruta = Resolve(Key);
    if (!Exists(ruta)) return false;
    currentPath_ = AnsiString(ruta);
    open_ = true;
    return true;
}

void TRegistry::CloseKey() {
    open_ = false;
    currentPath_ = AnsiString();
}

bool TRegistry::KeyExists(const AnsiString& Key) const {
    return Exists(Resolve(Key));
}

bool TRegistry::ValueExists(const AnsiString& Name) const {
    return open_ && document_.Find(Section(currentPath_.str()), Name.str()) != nullptr;
}

AnsiString TRegistry::ReadString(const AnsiString& Name) const {
    const std::string* valor =
        open_ ? document_.Find(Section(currentPath_.str()), Name.str()) : nullptr;
    return valor ? AnsiString(*valor) : AnsiString();
}

void TRegistry::GetKeyNames(TStrings& Strings) const {
    Strings.Clear();
    std::string prefijo = Plegar(Section(open_ ? currentPath_.str() : std::string())) + "\\";
    std::unordered_set<std::string> vistas;
    for (size_t i = 0; i < sections_.size(); ++i) {
        if (!foldedSections_[i].starts_with(prefijo)) continue;
        std::string resto = sections_[i].substr(prefijo.size());
        std::string nombre = resto.substr(0, resto.find('\\'));
        if (vistas.insert(Plegar(nombre)).second) Strings.Add(AnsiString(nombre));
    }
}

void TRegistry::GetValueNames(TStrings& Strings) const {
    Strings.Clear();
    if (!open_) return;
    for (const std::string& nombre : document_.KeyNames(Section(currentPath_.str())))
        Strings.Add(AnsiString(nombre));
}
