#include "comunes/DocumentoPDFOstrel.h"

#include "comunes/Directorios.h"
#include "comunes/Idioma.h"
#include "comunes/Version.h"
#include "plataforma/base/modal_hooks.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"
#include "plataforma/pdf/pdf.h"

#include <cstdlib>
#include <functional>
#include <string>

namespace {

constexpr float u = DocumentoPDFOstrel::kUnidad;
constexpr float m = DocumentoPDFOstrel::kMargen;
constexpr float W = DocumentoPDFOstrel::kAnchoUtil;
constexpr float kAlto = DocumentoPDFOstrel::kAltoPagina;

const char* const kNoSePuedeCrear =
    "No se puede crear la documentación. Puede ser que el fichero ya este abierto\n";

// El ancho de una celda es una fracción escrita como número; se acepta con punto o con coma
// decimal, la escriba quien la escriba.
float Fraccion(const AnsiString& texto) {
    std::string s = texto.str();
    for (char& c : s)
        if (c == ',') c = '.';
    char* fin = nullptr;
    const float valor = std::strtof(s.c_str(), &fin);
    return fin == s.c_str() ? 0.0f : valor;
}

// El prefijo más largo del texto cuyo ancho cumple la condición (el ancho crece con el
// prefijo): lo mismo que quitar caracteres del final uno a uno hasta que se cumpla.
AnsiString Recortar(const AnsiString& texto, const std::function<bool(const AnsiString&)>& cabe) {
    int bajo = 0, alto = texto.Length();
    while (bajo < alto) {
        const int medio = (bajo + alto + 1) / 2;
        if (cabe(texto.SubString(1, medio)))
            bajo = medio;
        else
            alto = medio - 1;
    }
    return texto.SubString(1, bajo);
}

} // namespace

DocumentoPDFOstrel::DocumentoPDFOstrel(Disposicion disposicion)
    : disposicion(disposicion), directorios(Directorios::Instancia()), idioma(Idioma::Instancia()),
      version(Version::Instancia()), documento(std::make_unique<PDF>()) {}

DocumentoPDFOstrel::~DocumentoPDFOstrel() = default;

void DocumentoPDFOstrel::AvisarFallo() const {
    // El motivo del sistema (carpeta que falta, permiso, disco lleno) tras el texto de siempre.
    const AnsiString motivo = documento->ErrorText();
    GetModalHooks().MessageBox(motivo.IsEmpty() ? AnsiString(kNoSePuedeCrear)
                                                : kNoSePuedeCrear + motivo + ".",
                               "Información", MB_OK | MB_ICONINFORMATION);
}

bool DocumentoPDFOstrel::Abrir(const AnsiString& fichero) {
    if (documento->OpenFile(fichero) == -1) {
        AvisarFallo();
        return false;
    }
    documento->SetInfo("Author", "Quenbar");
    return true;
}

bool DocumentoPDFOstrel::Cerrar() {
    if (documento->Close()) return true;
    AvisarFallo();
    return false;
}

void DocumentoPDFOstrel::NuevaPagina() {
    documento->BeginPage(kAnchoPagina, kAltoPagina);
    Cabecera(contadorPaginas);
    ++contadorPaginas;
    y = kAlto - 4.8f * u;
    x = m;
}

void DocumentoPDFOstrel::TerminarPagina() {
    documento->EndPage();
    y = kAlto;
    posicionFila = kAlto;
}

void DocumentoPDFOstrel::ComprobarSaltoPagina() {
    if (limiteInferior > posicionFila) {
        TerminarPagina();
        NuevaPagina();
        posicionFila += 0.8f * u;
    }
}

void DocumentoPDFOstrel::Fuente(const char* nombre, float tamano) {
    fuente = documento->FindFont(nombre, "winansi", 0);
    documento->SetFont(fuente, tamano);
}

void DocumentoPDFOstrel::Texto(const AnsiString& texto, float xTexto, float yTexto) {
    documento->ShowXY(texto, xTexto, yTexto);
}

void DocumentoPDFOstrel::Cabecera(int pagina) {
    const bool huecos = disposicion == Disposicion::Huecos;
    const bool regional = idioma->Codigo() == 2;

    Fuente("Helvetica", 8);
    documento->SetLineWidth(1);
    const float base = kAlto - 3.2f * u;
    const float rectangulos[4][4] = {{m, base, W, 1.7f * u},
                                     {m, base, 3.3f * u, 1.7f * u},
                                     {m + 3.3f * u, base, 7 * u, 0.85f * u},
                                     {m + 10.3f * u, base, W - 10.3f * u, 0.85f * u}};
    for (const auto& r : rectangulos) {
        documento->Rect(r[0], r[1], r[2], r[3]);
        documento->Stroke();
    }

    const float referenciaX = m + 1.4f * u - 38;
    Logotipo(referenciaX);
    Titulos(referenciaX);

    // Proyecto, localidad y comunidad: la etiqueta y, 1.7 unidades a su derecha y 0.4 más
    // abajo, el dato.
    auto dato = [&](const AnsiString& etiqueta, const AnsiString& valor, float xDato, float yDato) {
        Texto(etiqueta, xDato, yDato);
        Texto(valor, xDato + 1.7f * u, yDato - 0.4f * u);
    };
    dato("Proyecto", proyecto, m + 3.5f * u, kAlto - 1.8f * u);
    const char* lugar = !regional ? "Localidad" : huecos ? "Comuna" : "Ciudad";
    dato(lugar, localidad, m + 3.5f * u, kAlto - 2.7f * u);
    dato(regional ? "Región" : "Comunidad", comunidad, m + 10.5f * u, kAlto - 2.7f * u);

    documento->Rect(m, 2.1f * u, W, 0.5f * u);
    documento->Stroke();
    limiteInferior = 5.5f * u;
    Texto("Fecha: " + fecha, m + 0.3f * u, 2.2f * u);
    Texto("Ref: " + referencia, m + W / 2 - 1 * u, 2.2f * u);
    Texto("Página: " + IntToStr(pagina), kAnchoPagina - m - 1.7f * u, 2.2f * u);

    documento->SetFont(fuente, 12);
}

void DocumentoPDFOstrel::Logotipo(float referenciaX) {
    const bool huecos = disposicion == Disposicion::Huecos;
    AnsiString nombre;
    float xLogo = referenciaX, escala = 0.09f;
    if (idioma->Codigo() == 2) {
        nombre = "logoNorvia.jpg";
        if (huecos) xLogo -= 10, escala = 0.1f;
    } else if (version->Modo() == 4) {
        nombre = "logoDumvat.jpg";
        if (huecos) xLogo -= 34, escala = 0.11f;
    } else {
        nombre = "logo.jpg";
        if (huecos) xLogo -= 30, escala = 0.11f;
    }
    // Un logotipo que falta o no se puede leer no se pone.
    const int imagen = documento->OpenJPEG(directorios->RutaLibreria(nombre));
    if (imagen < 0) return;
    documento->PlaceImage(imagen, xLogo, kAlto - 2 * u - 19, escala);
    documento->CloseImage(imagen);
}

void DocumentoPDFOstrel::Titulos(float referenciaX) {
    struct Linea {
        const char* texto;
        float desplazamiento; // solo en el informe de huecos
    };
    const Linea opcionGeneral[] = {{" HE-1", 16}, {"Opción", 14}, {"General", 13}};
    const Linea calificacion[] = {{"Calificación", 4}, {"Energética", 5}, {"", 4}};
    const Linea* lineas = nullptr;
    if (version->Modo() == 0) {
        // El informe de huecos de la variante regional no lleva títulos.
        if (disposicion == Disposicion::Promedio || idioma->Codigo() != 2) lineas = opcionGeneral;
    } else if (version->Modo() == 4) {
        lineas = calificacion;
    }
    if (lineas == nullptr) return;
    const bool huecos = disposicion == Disposicion::Huecos;
    for (int i = 0; i < 3; ++i) {
        const float xLinea = huecos ? referenciaX + lineas[i].desplazamiento : m + 1.4f * u;
        Texto(lineas[i].texto, xLinea, kAlto - 2 * u - 12.0f * i);
    }
}

void DocumentoPDFOstrel::ParrafoPromedio() {
    Fuente("Helvetica", 12);
    Texto("El resultado promedio de los proyectos:", xParrafo, y - 1 * u);
    y -= 3 * pasoLinea;
    posicionFila = y;
}

void DocumentoPDFOstrel::ParrafoCumplimiento(bool cumple) {
    Fuente("Helvetica", 12);
    Texto(AnsiString("  El edificio descrito en este informe ") +
              (cumple ? "CUMPLE" : "NO CUMPLE") + " con la demanda",
          xParrafo, posicionFila - 1 * u);
    y -= 3 * pasoLinea;
    posicionFila = y;
}

void DocumentoPDFOstrel::FilaTabla(const TStrings& textos, const TStrings& anchos,
                                   const TStrings& estilos) {
    Fila(textos, anchos, estilos, false);
}

void DocumentoPDFOstrel::Tabla(const TStrings& textos, const TStrings& anchos,
                               const TStrings& estilos) {
    Fila(textos, anchos, estilos, true);
}

void DocumentoPDFOstrel::Fila(const TStrings& textos, const TStrings& anchos,
                              const TStrings& estilos, bool deHuecos) {
    Fuente("Helvetica", 10);
    ComprobarSaltoPagina();
    x = m;
    documento->Rect(m, y - 0.2f * u, W, pasoLinea);
    documento->Stroke();
    // Las tres listas van en paralelo; una celda sin ancho o sin estilo los tiene vacíos.
    auto celda = [](const TStrings& lista, int i) {
        return i < lista.GetCount() ? lista.GetStrings(i) : AnsiString();
    };
    for (int i = 0; i < textos.GetCount(); ++i) {
        const float w = Fraccion(celda(anchos, i)) * W;
        documento->MoveTo(x + w, y - 0.2f * u);
        documento->LineTo(x + w, y + pasoLinea - 0.2f * u);
        documento->Stroke();
        const AnsiString estilo = celda(estilos, i);
        const char* letra = "Helvetica";
        const char* alineacion = "Izquierda";
        if (estilo == "Black") {
            letra = "Helvetica-Bold";
            alineacion = "Centrado";
        } else if (deHuecos && estilo == "Black-Izq") {
            letra = "Helvetica-Bold";
        } else if (deHuecos && estilo == "Normal-dch") {
            alineacion = "Derecha";
        } else if (deHuecos && estilo == "Normal-cnt") {
            alineacion = "Centrado";
        }
        Fuente(letra, deHuecos ? 8 : 12);
        Estilo(textos.GetStrings(i), x, x + w, y, alineacion);
        x += w;
    }
    y -= pasoLinea;
    posicionFila = y;
    if (deHuecos)
        Fuente("Helvetica", 12);
    else
        Fuente("Helvetica", 10);
}

void DocumentoPDFOstrel::LineaHorizontal() {
    ComprobarSaltoPagina();
    x = m;
    const float altura = y + pasoLinea - 0.2f * u;
    documento->MoveTo(x + 0.5f * u, altura);
    documento->LineTo(kAnchoPagina - m - 0.5f * u, altura);
    documento->Stroke();
}

void DocumentoPDFOstrel::Avanzar() {
    y -= pasoLinea;
}

void DocumentoPDFOstrel::Estilo(const AnsiString& texto, float izquierda, float derecha,
                                float linea, const AnsiString& alineacion) {
    const float tamano = documento->GetFontSize();
    auto ancho = [&](const AnsiString& t) { return documento->StringWidth(t, fuente, tamano); };
    const float hueco = derecha - izquierda;
    auto cabe = [&](const AnsiString& t) { return hueco > ancho(t); };
    if (alineacion == "Centrado") {
        const AnsiString t = cabe(texto) ? texto : Recortar(texto, cabe);
        Texto(t, (izquierda + derecha) / 2 - ancho(t) / 2, linea);
    } else if (alineacion == "Derecha") {
        const AnsiString t = cabe(texto) ? texto : Recortar(texto, cabe);
        Texto(t, derecha - ancho(t) - 0.2f * u, linea);
    } else if (alineacion == "Izquierda") {
        const AnsiString t = cabe(texto) ? texto : Recortar(texto, [&](const AnsiString& r) {
            return hueco - 2 > ancho(r);
        });
        Texto(t, izquierda + 0.1f * u, linea);
    }
}

void DocumentoPDFOstrel::PonerDatosCabecera(const AnsiString& proyecto, const AnsiString& fecha,
                                            const AnsiString& localidad,
                                            const AnsiString& comunidad,
                                            const AnsiString& referencia) {
    this->proyecto = proyecto;
    this->fecha = fecha;
    this->localidad = localidad;
    this->comunidad = comunidad;
    this->referencia = referencia;
}
