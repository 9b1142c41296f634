#include "comunes/Error.h"

#include "comunes/Idioma.h"
#include "plataforma/base/modal_hooks.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace {

std::unique_ptr<Error> instancia;

// Un texto con "%s" donde va el argumento, su título y su icono; todas con un solo botón.
struct Entrada {
    const char* texto = nullptr;
    const char* titulo = nullptr;
    unsigned icono = 0;
};

constexpr Entrada kEspanol[] = {
    /* 0 */ {"No se puede abrir el fichero: %s.\n", "Información", MB_ICONINFORMATION},
    /* 1 */ {"El fichero %s está corrupto.\n", "Error", MB_ICONERROR},
    /* 2 */
    {"La librería está corrupta.\nDebe ponerse en contacto con su administrador.\n", "Error",
     MB_ICONERROR},
    /* 3 */ {"No se puede llevar a cabo el postproceso.\n", "Información", MB_ICONINFORMATION},
    /* 4 */ {"No se pueden llevar a cabo los cálculos.\n", "Información", MB_ICONINFORMATION},
    /* 5 */
    {"No se puede calcular sin \n elegir antes una localidad\n", "Información", MB_ICONINFORMATION},
    /* 6 */
    {"Antes de mostrar los resultados hay q calcular.\n", "Error de omisión", MB_ICONINFORMATION},
    /* 7 */ {"Los resultados no se pueden visualizar.\n", "Información", MB_ICONINFORMATION},
    /* 8 */
    {"El Polígono \"%s\" que está utilizando aun no ha sido definido.\n", "Información",
     MB_ICONINFORMATION},
    /* 9 */
    {"El Polígono \"%s\" no está bien definido.\n Debe modificarlo.\n", "Información",
     MB_ICONINFORMATION},
    /* 10 */ {"El Edificio %s no está bien definido.\n ", "Información", MB_ICONINFORMATION},
    /* 11 */ {"El Edificio %s no está bien definido.\n", "Información", MB_ICONINFORMATION},
    /* 12 */ {"La altura o la anchura de la ventana es cero.\n", "Información", MB_ICONINFORMATION},
    /* 13 */
    {"El material %s no puede ser eliminado.\n Esta siendo utilizado por un cerramiento.\n",
     "Información", MB_ICONINFORMATION},
    /* 14 */ {"El origen %s no es válido.\n Cámbielo.\n", "Información", MB_ICONINFORMATION},
    /* 15 */ {"La ventana %s no tiene acristalamiento.\n", "Información", MB_ICONINFORMATION},
    /* 16 */ {"La ventana %s no tiene marco.\n", "Información", MB_ICONINFORMATION},
    /* 17 */
    {"El valor que introdujo no es válido para este campo.\n", "Error", MB_ICONINFORMATION},
    /* 18 */
    {"El polígono es incorrecto.\nAlgún lado del polígono se cruza con otro.\n", "Información",
     MB_ICONWARNING},
    /* 19 */
    {"El polígono es incorrecto.\nSolapa a otro polígono ya existente.", "Información",
     MB_ICONWARNING},
    /* 20 */ {},
    /* 21 */ {},
    /* 22 */ {},
    /* 23 */ {"El nombre %s está siendo utilizado.\n", "Información", MB_ICONWARNING},
    /* 24 */ {"No hay Pdec's que poder mostrar.\n", "Información", MB_ICONWARNING},
    /* 25 */ {},
    /* 26 */ {"No hay Air Radiator que poder mostrar.\n", "Información", MB_ICONWARNING},
    /* 27 */ {},
    /* 28 */ {"No hay Water Radiator que poder mostrar.\n", "Información", MB_ICONWARNING},
    /* 29 */ {"No hay Techo. No hay CoolPanel definido. \n", "Información", MB_ICONWARNING},
    /* 30 */
    {"La librería está corrupta. Póngase en contacto con su administrador.\n", "Error",
     MB_ICONERROR},
    /* 31 */ {},
    /* 32 */ {},
    /* 33 */ {},
    /* 34 */ {},
    /* 35 */ {},
    /* 36 */ {},
    /* 37 */ {},
    /* 38 */ {},
    /* 39 */ {},
    /* 40 */ {},
    /* 41 */ {},
    /* 42 */ {},
    /* 43 */ {},
    /* 44 */ {},
    /* 45 */ {},
    /* 46 */ {},
    /* 47 */ {},
    /* 48 */ {},
    /* 49 */ {},
    /* 50 */ {"El nombre %s está duplicado.\n", "Error", MB_ICONERROR},
    /* 51 */
    {"El vértice introducido es igual a otro ya existente.\n", "Error", MB_ICONINFORMATION},
    /* 52 */
    {"Ha definido un elemento con 30 vértices. \nSi añade un nuevo vértice a este elemento el "
     "fichero generado no será compatible con Dumvat\n",
     "Información", MB_ICONINFORMATION},
    /* 53 */
    {"Ha definido un elemento con más de 30 vértices.\n El fichero generado no es compatible con "
     "Dumvat\n",
     "Información", MB_ICONINFORMATION},
    /* 54 */ {"Ha ocurrido un error inesperado.\n", "Error", MB_ICONERROR},
    /* 55 */
    {"El espacio no puede ser NO HABITABLE. Para ello debe eliminar previamente los cerramientos "
     "interiores.\n",
     "Error", MB_ICONERROR},
    /* 56 */ {"No se pudo abrir el programa: %s.\n", "Información", MB_ICONINFORMATION},
    /* 57 */ {"El fichero meteorológico de %s esta corrupto.\n", "Error", MB_ICONERROR},
    /* 58 */
    {"Ha efectuado un cambio en el edificio. Debe volver a calcular.\n", "Información",
     MB_ICONINFORMATION},
    /* 59 */
    {"El elemento %s no puede ser eliminado.\n Puede que este siendo utilizado por otro "
     "elemento.\n",
     "Información", MB_ICONINFORMATION},
    /* 60 */
    {"No se puede cambiar el nombre. \nEstá siendo utilizado en el edificio.  \n", "Información",
     MB_ICONINFORMATION},
    /* 61 */
    {"Elija una zona para poder enseñar los puentes térmicos.\n", "Información",
     MB_ICONINFORMATION},
    /* 62 */
    {"El fichero de configuración no existe, el programa no se puede ejecutar.\n", "Error",
     MB_ICONERROR},
    /* 63 */
    {"El fichero de la librería estándar de puentes térmicos no se puede abrir.\n", "Error",
     MB_ICONERROR},
    /* 64 */ {"La librería %s es estándar.\n", "Información", MB_ICONINFORMATION},
    /* 65 */ {"Rellene los datos siguientes:\n %s.\n", "Información", MB_ICONINFORMATION},
};
constexpr Entrada kIngles[] = {
    /* 0 */ {"It was impossible to open the file: %s.\n", "Information", MB_ICONINFORMATION},
    /* 1 */ {"The file %s is corrupted.\n", "Error", MB_ICONERROR},
    /* 2 */
    {"The library is corrupted.\nYou must put in contact with your administrator.\n", "Error",
     MB_ICONERROR},
    /* 3 */ {"Postprocess could not be accomplished.\n", "Information", MB_ICONINFORMATION},
    /* 4 */ {"Calculations could not be accomplished.\n", "Information", MB_ICONINFORMATION},
    /* 5 */
    {"It could not be calculate before selecting a town.\n", "Information", MB_ICONINFORMATION},
    /* 6 */
    {"Before showing results it is necessary to accomplish calculations.\n", "Omission error",
     MB_ICONINFORMATION},
    /* 7 */ {"Results can not be showed.\n", "Information", MB_ICONINFORMATION},
    /* 8 */ {"Actual polygon \"%s\" has not be defined yet.\n", "Information", MB_ICONINFORMATION},
    /* 9 */
    {"Actual polygon \"%s\" is not correctly defined.\n", "Information", MB_ICONINFORMATION},
    /* 10 */
    {"The building \"%s\" is not correctly defined.\n ", "Information", MB_ICONINFORMATION},
    /* 11 */ {"The building \"%s\" is not correctly defined.", "Information", MB_ICONINFORMATION},
    /* 12 */ {"The window height or width is zero.\n", "Information", MB_ICONINFORMATION},
    /* 13 */
    {"The material %s can not be deleted.\n It is being used by another layer.\n", "Information",
     MB_ICONINFORMATION},
    /* 14 */ {"The origin %s is not valid.\n Change it.\n", "Information", MB_ICONINFORMATION},
    /* 15 */ {"The window %s has not glass.\n", "Information", MB_ICONINFORMATION},
    /* 16 */ {"The window %s has not frame.\n", "Information", MB_ICONINFORMATION},
    /* 17 */ {"The value is not valid.\n", "Error", MB_ICONINFORMATION},
    /* 18 */
    {"The polygon is incorrect.\nAny side of polygon intersect with another one.\n", "Information",
     MB_ICONWARNING},
    /* 19 */
    {"The polygon is incorrect.\nIt overlap another existing polygon.", "Information",
     MB_ICONWARNING},
    /* 20 */ {},
    /* 21 */ {},
    /* 22 */ {},
    /* 23 */ {"The name %s is being used.\n", "Information", MB_ICONWARNING},
    /* 24 */ {"There aren't Pdec's to show.\n", "Information", MB_ICONWARNING},
    /* 25 */ {},
    /* 26 */ {"There aren't Air Radiator to show.\n", "Information", MB_ICONWARNING},
    /* 27 */ {},
    /* 28 */ {"There aren't Water Radiator to show.\n", "Information", MB_ICONWARNING},
    /* 29 */
    {"There aren´t Roof. No CoolPanel has been defined. \n", "Information", MB_ICONWARNING},
    /* 30 */
    {"The library is corrupt. Do put in contact with your system administrator.\n", "Error",
     MB_ICONERROR},
    /* 31 */ {},
    /* 32 */ {},
    /* 33 */ {},
    /* 34 */ {},
    /* 35 */ {},
    /* 36 */ {},
    /* 37 */ {},
    /* 38 */ {},
    /* 39 */ {},
    /* 40 */ {},
    /* 41 */ {},
    /* 42 */ {},
    /* 43 */ {},
    /* 44 */ {},
    /* 45 */ {"It has been impossible to read savings result file.\n", "Error", MB_ICONERROR},
    /* 46 */ {"It has been impossible to generate intermediate file.\n", "Error", MB_ICONERROR},
    /* 47 */ {"It has been impossible to open library.\n", "Error", MB_ICONERROR},
    /* 48 */ {"It has been impossible to extend the correlation.\n", "Error", MB_ICONERROR},
    /* 49 */ {"It has been impossible to generate the correlation.\n", "Error", MB_ICONERROR},
};

enum class Lengua { Espanol, Ingles, Ninguna };

// El idioma se lee de nuevo en cada mensaje.
Lengua LenguaActual() {
    switch (Idioma::Instancia()->Codigo()) {
    case 0:
    case 2:
        return Lengua::Espanol;
    case 1:
        return Lengua::Ingles;
    default:
        return Lengua::Ninguna;
    }
}

// Cada "%s" del formato, por orden, deja sitio a un argumento; sin límite de longitud.
std::string Componer(std::string_view formato,
                     std::initializer_list<const AnsiString*> argumentos) {
    std::string texto;
    auto argumento = argumentos.begin();
    size_t pos = 0;
    for (;;) {
        size_t marca = formato.find("%s", pos);
        if (marca == std::string_view::npos || argumento == argumentos.end()) break;
        texto.append(formato, pos, marca - pos);
        texto += (*argumento++)->str();
        pos = marca + 2;
    }
    texto.append(formato.substr(pos));
    return texto;
}

template <size_t N>
void MostrarEntrada(const Entrada (&tabla)[N], unsigned char codigo, const AnsiString& argumento) {
    const Entrada* entrada = codigo < N && tabla[codigo].texto ? &tabla[codigo] : nullptr;
    if (entrada == nullptr) {
        // Un código sin texto en este idioma: caja vacía, sin icono.
        GetModalHooks().MessageBox(AnsiString(), AnsiString(), MB_OK);
        return;
    }
    GetModalHooks().MessageBox(AnsiString(Componer(entrada->texto, {&argumento})),
                               AnsiString(entrada->titulo), entrada->icono | MB_OK);
}

struct NombreDeTipo {
    TipoObjeto tipo;
    const char* espanol; // nullptr: el término pasa por Idioma::Traducir
    const char* termino;
    const char* ingles;
};

constexpr NombreDeTipo kNombresTipo[] = {
    {TIPO_EDIFICIO, "Edificio ", nullptr, "Building "},
    {TIPO_PLANTA, nullptr, "Planta", "Floor "},
    {TIPO_ESPACIO, "Espacio ", nullptr, "Zone "},
    {TIPO_MURO_EXTERIOR, "Cerramiento Exterior ", nullptr, "Exterior wall "},
    {TIPO_VENTANA, "Ventana ", nullptr, "Window "},
    {TIPO_MURO_INTERIOR, "Cerramiento Interior ", nullptr, "Interior wall "},
    {TIPO_MURO_TERRENO, "Cerramiento en Contacto con el Terreno ", nullptr, "Underground wall "},
    {TIPO_POLIGONO, "Polígono ", nullptr, "Polygon "},
    {TIPO_ACRISTALAMIENTO, "Acristalamiento ", nullptr, "Glass "},
    {TIPO_MARCO, "Marco ", nullptr, "Frame "},
    {TIPO_CERRAMIENTO, "Cerramiento ", nullptr, "Wall "},
    {TIPO_MATERIAL, "Material ", nullptr, "Material "},
    {TIPO_CONDICIONES, "Condiciones Operacionales ", nullptr, "Operational conditions "},
    {TIPO_HUECO, nullptr, "Hueco", ""},
};

const NombreDeTipo* BuscarTipo(TipoObjeto tipo) {
    for (const NombreDeTipo& nombre : kNombresTipo)
        if (nombre.tipo == tipo) return &nombre;
    return nullptr;
}

} // namespace

Error* Error::Instancia() {
    if (!instancia) instancia.reset(new Error());
    return instancia.get();
}

void Error::Liberar() {
    instancia.reset();
}

void Error::Mensaje(unsigned char codigo, const AnsiString& argumento) const {
    switch (LenguaActual()) {
    case Lengua::Espanol:
        MensajeEspanol(codigo, argumento);
        break;
    case Lengua::Ingles:
        MensajeIngles(codigo, argumento);
        break;
    case Lengua::Ninguna:
        break;
    }
}

void Error::MensajeEspanol(unsigned char codigo, const AnsiString& argumento) const {
    MostrarEntrada(kEspanol, codigo, argumento);
}

void Error::MensajeIngles(unsigned char codigo, const AnsiString& argumento) const {
    MostrarEntrada(kIngles, codigo, argumento);
}

void Error::MostrarMensaje(const AnsiString& texto, const AnsiString& titulo) const {
    GetModalHooks().MessageBox(texto, titulo, MB_OK);
}

int Error::Preguntar(const AnsiString& texto, const AnsiString& titulo, int flags) const {
    GetModalHooks().ProcessMessages();
    return GetModalHooks().MessageBox(texto, titulo, static_cast<unsigned>(flags));
}

void Error::ReferenciaInexistente(TipoObjeto tipoA, TipoObjeto tipoB, const AnsiString& nombreA,
                                  const AnsiString& nombreB) const {
    const char* formato = "";
    const char* titulo = "";
    switch (LenguaActual()) {
    case Lengua::Espanol:
        formato = "En el %s - %s se hace referencia a un %s - %s\n que NO EXISTE en la base de "
                  "datos.\n ";
        titulo = "Información";
        break;
    case Lengua::Ingles:
        formato = "In the %s - %s it is referenced a %s - %s\n that DOES NOT EXIST in the "
                  "database.\n ";
        titulo = "Information";
        break;
    case Lengua::Ninguna:
        break;
    }
    AnsiString nombreTipoA = NombreTipo(tipoA);
    AnsiString nombreTipoB = NombreTipo(tipoB);
    GetModalHooks().MessageBox(
        AnsiString(Componer(formato, {&nombreTipoA, &nombreA, &nombreTipoB, &nombreB})),
        AnsiString(titulo), MB_ICONINFORMATION | MB_OK);
}

AnsiString Error::NombreTipo(TipoObjeto tipo) const {
    switch (LenguaActual()) {
    case Lengua::Espanol:
        return NombreTipoEspanol(tipo);
    case Lengua::Ingles:
        return NombreTipoIngles(tipo);
    case Lengua::Ninguna:
        break;
    }
    return AnsiString();
}

AnsiString Error::NombreTipoEspanol(TipoObjeto tipo) const {
    const NombreDeTipo* nombre = BuscarTipo(tipo);
    if (nombre == nullptr) return AnsiString();
    if (nombre->espanol == nullptr) return Idioma::Instancia()->Traducir(nombre->termino);
    return AnsiString(nombre->espanol);
}

AnsiString Error::NombreTipoIngles(TipoObjeto tipo) const {
    const NombreDeTipo* nombre = BuscarTipo(tipo);
    return AnsiString(nombre ? nombre->ingles : "");
}
