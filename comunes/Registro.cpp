#include "comunes/Registro.h"

#include "comunes/ModoPrograma.h"
#include "plataforma/base/registry.h"
#include "plataforma/base/string_list.h"

#include <initializer_list>

namespace {

std::unique_ptr<Registro> instancia;

// Cada programa hermano: su subclave bajo la del fabricante y la clave con que se pregunta
// por él (Ostrel se pregunta como "Quenbar"). En el orden de Registro::hermanos_.
struct ClavesHermano {
    const char* subclave;
    const char* clave;
};

constexpr ClavesHermano kHermanos[] = {
    {"Ostrel", "Quenbar"}, {"Tirnel", "Tirnel"}, {"Dumvat", "Dumvat"}, {"Morvask", "Morvask"}};
constexpr int kNumHermanos = 4;
constexpr int kDumvat = 2;

int HermanoDeClave(const AnsiString& clave) {
    for (int i = 0; i < kNumHermanos; ++i)
        if (clave == kHermanos[i].clave) return i;
    return -1;
}

// Abre las claves una debajo de otra, como se recorren en el registro.
bool AbrirClaves(TRegistry& registro, std::initializer_list<const char*> claves) {
    for (const char* clave : claves)
        if (!registro.OpenKeyReadOnly(clave)) return false;
    return true;
}

// Un valor que no existe deja el campo como estaba.
void LeerValor(const TRegistry& registro, const char* nombre, AnsiString& campo) {
    if (registro.ValueExists(nombre)) campo = registro.ReadString(nombre);
}

} // namespace

Registro* Registro::Instancia() {
    if (!instancia) {
        instancia.reset(new Registro());
        instancia->LeerRegistro();
    }
    return instancia.get();
}

void Registro::LiberarParaPruebas() {
    instancia.reset();
}

void Registro::LeerRegistro() {
    bool hayNuevaVersion = false;
    if (ModoPrograma() == Programa::Vornak) {
        LeerCarpetaDocumentos();
        hayNuevaVersion = LeerNuevaVersionDumvat();
    }
    LeerProgramasDelFabricante(hayNuevaVersion);
}

void Registro::LeerCarpetaDocumentos() {
    TRegistry registro;
    registro.SetRootKey(HKEY_CURRENT_USER);
    if (AbrirClaves(registro, {"SOFTWARE", "Microsoft", "Windows", "CurrentVersion", "Explorer",
                               "Shell Folders"}))
        LeerValor(registro, "Personal", misDocumentos_);
}

bool Registro::LeerNuevaVersionDumvat() {
    TRegistry registro;
    registro.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!AbrirClaves(registro, {"SOFTWARE", "Dumvat-GT"})) return false;
    ProgramaHermano& dumvat = hermanos_[kDumvat];
    if (registro.ValueExists("Install_Dir"))
        dumvat.ruta = registro.ReadString("Install_Dir") + "\\";
    dumvat.instalado = 1;
    nuevaVersionDumvat_ = 1;
    return true;
}

void Registro::LeerProgramasDelFabricante(bool hayNuevaVersion) {
    TStringList subclaves;
    {
        TRegistry registro;
        registro.SetRootKey(HKEY_LOCAL_MACHINE);
        if (!AbrirClaves(registro, {"SOFTWARE", "Brastow"})) return;
        registro.GetKeyNames(subclaves);
    }
    for (int i = 0; i < subclaves.GetCount(); ++i) {
        AnsiString nombre = subclaves.GetStrings(i);
        // Los nombres se comparan tal cual, mayúsculas incluidas; los demás no cuentan.
        int h = 0;
        while (h < kNumHermanos && nombre != kHermanos[h].subclave)
            ++h;
        if (h == kNumHermanos) continue;
        // La edición nueva, si está, manda sobre la clave de siempre.
        if (h == kDumvat && hayNuevaVersion) continue;
        TRegistry registro;
        registro.SetRootKey(HKEY_LOCAL_MACHINE);
        if (!AbrirClaves(registro, {"SOFTWARE", "Brastow", nombre.c_str()})) continue;
        LeerValor(registro, "App", hermanos_[h].ruta);
        hermanos_[h].instalado = 1;
    }
}

void Registro::Ruta(const AnsiString& clave, AnsiString& ruta) const {
    int hermano = HermanoDeClave(clave);
    if (hermano >= 0)
        ruta = hermanos_[hermano].ruta;
    else if (clave == "MisDocumentos" && ModoPrograma() == Programa::Vornak)
        ruta = misDocumentos_;
}

void Registro::Instalado(const AnsiString& clave, unsigned char& instalado) const {
    int hermano = HermanoDeClave(clave);
    if (hermano >= 0)
        instalado = hermanos_[hermano].instalado;
    else if (clave == "NuevaVersionDumvat" && ModoPrograma() == Programa::Vornak)
        instalado = nuevaVersionDumvat_;
}
