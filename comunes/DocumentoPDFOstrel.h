#pragma once
// DocumentoPDFOstrel: la página de los informes en PDF (A4, 595 x 842 puntos, origen abajo a
// la izquierda, 1 unidad = 1 cm = 28.34 puntos, margen de una pulgada): cabecera con logotipo,
// títulos, datos del proyecto y pie con el número de página; párrafos; filas de tabla que
// saltan de página con la cabecera entera. Sirve al informe del promedio y al de huecos, que
// solo difieren en la cabecera y en sus filas de tabla: se elige al construirlo.

#include "plataforma/base/ansi_string.h"

#include <memory>

class Directorios;
class Idioma;
class Version;
class PDF;
class TStrings;

class DocumentoPDFOstrel {
public:
    // La cabecera del informe del promedio o la del informe de huecos.
    enum class Disposicion { Promedio, Huecos };

    static constexpr float kUnidad = 28.34f;
    static constexpr float kMargen = 71.9836f;
    static constexpr float kAnchoPagina = 595.0f;
    static constexpr float kAltoPagina = 842.0f;
    static constexpr float kAnchoUtil = kAnchoPagina - 2 * kMargen; // W

    explicit DocumentoPDFOstrel(Disposicion disposicion = Disposicion::Promedio);
    ~DocumentoPDFOstrel();
    DocumentoPDFOstrel(const DocumentoPDFOstrel&) = delete;
    DocumentoPDFOstrel& operator=(const DocumentoPDFOstrel&) = delete;

    // Abre el fichero del informe; si no se puede crear lo dice ("Información", con el motivo
    // del sistema) y devuelve false.
    bool Abrir(const AnsiString& fichero);
    // Completa la página abierta y escribe el fichero; si no se puede escribir lo dice como
    // Abrir y devuelve false (el fichero que hubiera queda como estaba).
    bool Cerrar();

    // Empieza una página con su cabecera y su número; la posición baja a la primera línea.
    void NuevaPagina();
    void TerminarPagina();
    void Cabecera(int pagina);
    // Si la última fila quedó por debajo del límite inferior, sigue en una página nueva.
    void ComprobarSaltoPagina();

    // Informe del promedio.
    void ParrafoPromedio();
    void ParrafoCumplimiento(bool cumple);
    // Una fila de tabla del promedio: listas paralelas de textos, anchos (fracción del ancho
    // útil, en texto) y estilos ("Black": cabecera de columna en negrita y centrada).
    void FilaTabla(const TStrings& textos, const TStrings& anchos, const TStrings& estilos);

    // Informe de huecos: una fila de tabla con letra de 8 puntos y los estilos "Black",
    // "Black-Izq", "Normal-dch", "Normal-cnt" (cualquier otro: normal a la izquierda); una
    // raya horizontal sobre la fila siguiente; bajar una línea.
    void Tabla(const TStrings& textos, const TStrings& anchos, const TStrings& estilos);
    void LineaHorizontal();
    void Avanzar();

    // Escribe el texto en la fuente actual entre izquierda y derecha con la alineación
    // ("Centrado", "Derecha", "Izquierda"; otra no escribe nada), recortado por el final si
    // no cabe.
    void Estilo(const AnsiString& texto, float izquierda, float derecha, float linea,
                const AnsiString& alineacion);

    // Los datos del proyecto que muestran la cabecera y el pie (vacíos si no se ponen).
    void PonerDatosCabecera(const AnsiString& proyecto, const AnsiString& fecha,
                            const AnsiString& localidad, const AnsiString& comunidad,
                            const AnsiString& referencia);

    // Dónde va el documento: la línea actual, la de la última fila y el número de la página
    // siguiente.
    float GetY() const { return y; }
    float GetPosicionFila() const { return posicionFila; }
    int GetContadorPaginas() const { return contadorPaginas; }

private:
    // "No se puede crear la documentación..." y el motivo que da el documento.
    void AvisarFallo() const;
    // La fuente por nombre ("Helvetica", "Helvetica-Bold") en WinAnsi, con su tamaño.
    void Fuente(const char* nombre, float tamano);
    void Texto(const AnsiString& texto, float x, float y);
    // Dibuja la fila; el tamaño y la fuente de las celdas según el estilo de la disposición.
    void Fila(const TStrings& textos, const TStrings& anchos, const TStrings& estilos,
              bool deHuecos);
    void Logotipo(float referenciaX);
    void Titulos(float referenciaX);

    Disposicion disposicion;
    Directorios* directorios;
    Idioma* idioma;
    Version* version;
    std::unique_ptr<PDF> documento;
    int contadorPaginas = 1;
    float limiteInferior = 0;
    float posicionFila = kAltoPagina;
    int fuente = -1;
    float pasoLinea = 0.8f * kUnidad;
    float xParrafo = kMargen + 0.5f * kUnidad;
    float y = kAltoPagina;
    float x = kMargen;
    AnsiString proyecto, fecha, localidad, comunidad, referencia;
};
