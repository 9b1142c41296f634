// El bloque de un hueco en el informe de huecos.

#include "comunes/Hueco.h"

#include "comunes/DocumentoPDFOstrel.h"
#include "comunes/Idioma.h"
#include "comunes/Version.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"

void Hueco::Informe(DocumentoPDFOstrel& informe) {
    if (!EsUtilizado()) return;
    TStringList textos, anchos, estilos;
    anchos.Add(FloatToStr(0.4));
    anchos.Add(FloatToStr(0.6));
    estilos.Add("Black-Izq");
    estilos.Add("Normal");
    auto fila = [&](const AnsiString& titulo, const AnsiString& valor) {
        textos.Add(titulo);
        textos.Add(valor);
        informe.Tabla(textos, anchos, estilos);
        textos.Clear();
    };
    auto raya = [&] { informe.LineaHorizontal(); };
    const bool regional = Idioma::Instancia()->Codigo() == 2;

    raya();
    fila("Nombre", ObtenerNombre());
    raya();
    fila("Acristalamiento", vidrio);
    raya();
    fila("Marco", marco);
    raya();
    fila(regional ? "% de Marco con respecto a Vano Total" : "% Hueco",
         FormatFloat("0.00", porcentajeMarco));
    if (regional) {
        raya();
        fila("U (W/m²K)", FormatFloat("0.00", Transmitancia()));
    } else {
        raya();
        fila("Permeabilidad m³/hm² a 100Pa", FormatFloat("0.00", permeabilidad));
        raya();
        fila("U (W/m²K)", FormatFloat("0.00", Transmitancia()));
        raya();
        fila("Factor solar", FormatFloat("0.00", FactorSolarConjunto()));
        if (Version::Instancia()->Modo() != 4) {
            raya();
            fila("Justificación", EsLibreria() ? "--" : "SI");
        }
    }
    informe.Avanzar();
}
