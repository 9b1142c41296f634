#include "comunes/Idioma.h"

namespace {

std::unique_ptr<Idioma> instancia;

// nullptr: la variante no tiene ese término.
struct Termino {
    const char* espanol;
    const char* ingles;
    const char* regional;
    const char* otros; // código 0 y cualquier otro código
};

constexpr Termino kTerminos[] = {
    {"Ninguno", "None", nullptr, "Ninguno"},
    {"Acondicionado", "Conditioned", nullptr, "Acondicionado"},
    {"No acondicionado", "Unconditioned", nullptr, "No acondicionado"},
    {"Adiabatico", "ADIABATIC", nullptr, "ADIABATICO"},
    {"Estandar", "STANDARD", nullptr, "ESTANDAR"},
    {"Techo", "TOP", nullptr, "TECHO"},
    {"Suelo", "BOTTOM", nullptr, "SUELO"},
    {"Planta", "Floor", "Piso", "Planta"},
    {"Espacio", "Space", nullptr, "Espacio"},
    {"Residencial", "Residential", nullptr, "Residencial"},
    {"Huecos", nullptr, "Vanos", "Huecos"},
    {"Hueco", nullptr, "Vano", "Hueco"},
    {"Plantas", nullptr, "Pisos", nullptr},
};

} // namespace

Idioma* Idioma::Instancia() {
    if (!instancia) instancia.reset(new Idioma());
    return instancia.get();
}

void Idioma::Liberar() {
    instancia.reset();
}

AnsiString Idioma::Traducir(const AnsiString& termino) const {
    for (const Termino& t : kTerminos) {
        if (termino != t.espanol) continue;
        const char* traduccion = codigo_ == 1 ? t.ingles : codigo_ == 2 ? t.regional : t.otros;
        return AnsiString(traduccion ? traduccion : "");
    }
    return AnsiString();
}
