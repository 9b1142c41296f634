// Resultados: la suma de los totales de planta.

#include "modelo/Resultados.h"

#include "plataforma/base/numbers.h"

namespace {

const char* const kLetra[] = {"O", "P", "M"};

} // namespace

void ResPlantaNorvia::FilasResultadoO() {
    Sumar(O);
}

void ResPlantaNorvia::FilasResultadoP() {
    Sumar(P);
}

void ResPlantaNorvia::FilasResultadoM() {
    Sumar(M);
}

void ResPlantaNorvia::Sumar(Juego juego) {
    const AnsiString claveCalefaccion = AnsiString("Calefacción ") + kLetra[juego];
    const AnsiString claveRefrigeracion = AnsiString("Refrigeración ") + kLetra[juego];
    double total = 0.0, sumaCalefaccion = 0.0, sumaRefrigeracion = 0.0;
    for (int i = 0; i < NumeroHijos(); ++i) {
        const ObjetoBase* hijo = Hijo(i);
        if (hijo == nullptr) continue;
        float areaHijo = 0.0f, cal = 0.0f, ref = 0.0f;
        hijo->ObtenerReal("Area", areaHijo);
        hijo->ObtenerReal(claveCalefaccion, cal);
        hijo->ObtenerReal(claveRefrigeracion, ref);
        total += areaHijo;
        sumaCalefaccion += static_cast<double>(cal) * areaHijo;
        sumaRefrigeracion += static_cast<double>(ref) * areaHijo;
    }
    area = static_cast<float>(total);
    calefaccion[juego] = total != 0.0 ? static_cast<float>(sumaCalefaccion / total) : 0.0f;
    refrigeracion[juego] = total != 0.0 ? static_cast<float>(sumaRefrigeracion / total) : 0.0f;
}

void ResPlantaNorvia::ValorPropiedad(const AnsiString& clave, AnsiString& valor) const {
    for (int juego = O; juego < JUEGOS; ++juego) {
        if (clave == AnsiString("Calefacción ") + kLetra[juego])
            valor = FormatFloat("0.00", calefaccion[juego]);
        else if (clave == AnsiString("Refrigeración ") + kLetra[juego])
            valor = FormatFloat("0.00", refrigeracion[juego]);
    }
}
