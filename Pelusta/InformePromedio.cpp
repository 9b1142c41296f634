#include "Pelusta/InformePromedio.h"

#include "Pelusta/Proyectos.h"
#include "comunes/DocumentoPDFOstrel.h"
#include "plataforma/base/modal_hooks.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"

#include <initializer_list>

namespace {

// Una fila de celdas (texto, fracción del ancho, estilo).
struct Celda {
    AnsiString texto;
    double ancho;
    const char* estilo;
};

void Fila(DocumentoPDFOstrel& documento, std::initializer_list<Celda> celdas) {
    TStringList textos, anchos, estilos;
    for (const Celda& c : celdas) {
        textos.Add(c.texto);
        anchos.Add(FloatToStr(c.ancho));
        estilos.Add(c.estilo);
    }
    documento.FilaTabla(textos, anchos, estilos);
}

} // namespace

bool HayResultadosParaInforme(const Proyectos* proyectos, bool calculado) {
    if (proyectos != nullptr && calculado) return true;
    GetModalHooks().MessageBox(
        "No hay resultados: pulse \"Calcular \" antes de generar el informe.", "Información",
        MB_OK | MB_ICONINFORMATION);
    return false;
}

bool EscribirInformePromedio(const Proyectos* proyectos, bool calculado,
                             const AnsiString& fichero) {
    if (!HayResultadosParaInforme(proyectos, calculado)) return false;
    const Proyectos& lista = *proyectos;
    DocumentoPDFOstrel documento(DocumentoPDFOstrel::Disposicion::Promedio);
    if (!documento.Abrir(fichero)) return false;

    documento.NuevaPagina();
    documento.ParrafoPromedio();

    Fila(documento, {{"Proyecto", 0.75, "Black"}, {"Multiplicador", 0.25, "Black"}});
    for (int i = 0; i < lista.Numero(); ++i)
        Fila(documento, {{lista.GetNombre(i), 0.75, ""},
                         {FormatFloat("0", lista.Multiplicador(i)), 0.25, ""}});

    documento.ParrafoCumplimiento(lista.Cumple());

    Fila(documento,
         {{"", 0.6, ""}, {"Calefacción", 0.2, "Black"}, {"Refrigeración", 0.2, "Black"}});
    Fila(documento, {{"% de la demanda de Referencia", 0.6, "Black"},
                     {FormatFloat("0.0", lista.GetPorcentajeCalefaccion()), 0.2, ""},
                     {FormatFloat("0.0", lista.GetPorcentajeRefrigeracion()), 0.2, ""}});
    Fila(documento, {{"Proporción relativa calefacción refrigeración", 0.6, "Black"},
                     {FormatFloat("0.0", lista.GetProporcionCalefaccion()), 0.2, ""},
                     {FormatFloat("0.0", lista.GetProporcionRefrigeracion()), 0.2, ""}});

    // La última página sigue abierta: cerrar el documento la completa y escribe el fichero.
    return documento.Cerrar();
}
