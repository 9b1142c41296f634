// Cambios: las cuatro marcas de cambio y cálculo y su registro en el fichero ".BDC".

#include "comunes/Cambios.h"

#include "comunes/LeerBDL.h"
#include "comunes/Util.h"

#include "plataforma/base/file_writer.h"

namespace {

std::unique_ptr<Cambios>& Unico() {
    static std::unique_ptr<Cambios> unico;
    return unico;
}

// Lo que dice un valor leído del par: SI es cambiado; lo demás, sin cambios y calculado.
void LeerPar(const AnsiString& valor, bool& cambiado, bool& calculado) {
    if (valor == "SI") {
        cambiado = true;
    } else {
        cambiado = false;
        calculado = true;
    }
}

const char* SiNoCambio(bool cambiado, bool calculado) {
    return !cambiado && calculado ? "NO" : "SI";
}

} // namespace

Cambios* Cambios::Instancia() {
    std::unique_ptr<Cambios>& unico = Unico();
    if (!unico) unico.reset(new Cambios());
    return unico.get();
}

void Cambios::Liberar() {
    Unico().reset();
}

Cambios::Cambios() : ObjetoBase("Cambios") {}

void Cambios::Reiniciar() {
    cambios = calculado = cambiosDumvat = calculadoDumvat = false;
}

template <class Yo> auto Cambios::Marca(Yo& yo, const AnsiString& clave) -> decltype(&yo.cambios) {
    if (clave == "Cambios") return &yo.cambios;
    if (clave == "Calculado") return &yo.calculado;
    if (clave == "Cambios Dumvat") return &yo.cambiosDumvat;
    if (clave == "Calculado Dumvat") return &yo.calculadoDumvat;
    return nullptr;
}

void Cambios::PonerLogico(const AnsiString& clave, bool valor) {
    bool* marca = Marca(*this, clave);
    if (marca == nullptr) return;
    *marca = valor;
    if (marca == &cambios && valor) calculado = false;
}

bool Cambios::ValorIndicador(const AnsiString& clave) const {
    const bool* marca = Marca(*this, clave);
    return marca != nullptr && *marca;
}

void Cambios::ObtenerLogico(const AnsiString& clave, bool& valor) const {
    if (const bool* marca = Marca(*this, clave)) valor = *marca;
}

void Cambios::Leer(LeerBDL* lector) {
    if (lector == nullptr) return;
    AnsiString valor;
    lector->LeerCadena("CAMBIO ", valor);
    QuitarComillas(valor);
    LeerPar(valor, cambios, calculado);
    // Sin su propia línea, el par del programa hermano sigue a la de la base.
    lector->LeerCadena("CAMBIO-DUMVAT", valor);
    QuitarComillas(valor);
    LeerPar(valor, cambiosDumvat, calculadoDumvat);
}

void Cambios::Escribir(FileWriter& fichero) {
    fichero.Printf("$\n");
    fichero.Printf("CAMBIO = %s\n", SiNoCambio(cambios, calculado));
    fichero.Printf("CAMBIO-DUMVAT = %s\n", SiNoCambio(cambiosDumvat, calculadoDumvat));
}
