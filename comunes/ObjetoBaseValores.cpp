// ObjetoBase: los valores con estado de color. Validación de lo tecleado, asignación y
// lectura desde un fichero de palabras clave.

#include "comunes/ObjetoBase.h"

#include "comunes/Configuracionregional.h"
#include "comunes/LeerBDL.h"
#include "comunes/Util.h"

#include "plataforma/base/modal_hooks.h"
#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace {

// El número tal como se guardará: fuera del alcance de un float queda en infinito, que
// sigue comparando por encima (o por debajo) de cualquier límite.
float AFloat(double valor) {
    constexpr double kMaximo = std::numeric_limits<float>::max();
    if (valor > kMaximo) return std::numeric_limits<float>::infinity();
    if (valor < -kMaximo) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(valor);
}

// El camino común de ValidarReal y ValidarEntero sobre el número ya leído (nada si el texto
// no lo era). "impreso" es el número leído en texto, e "imprimir" escribe un límite o el
// defecto ("%f" o "%d").
template <class T, class Imprimir>
T Validar(std::optional<T> valor, const AnsiString& texto, const AnsiString& impreso, T minimo,
          T maximo, T defecto, bool& rechazado, bool& marcaError, Imprimir&& imprimir) {
    AnsiString aviso;
    bool rechazo = true;
    if (!valor) {
        // Un campo vaciado toma su defecto sin más; lo que no se entiende se explica.
        if (!texto.Trim().IsEmpty())
            aviso.sprintf("%s No es un flotante, valor por defecto: %s", texto.c_str(),
                          imprimir(defecto).c_str());
    } else if (*valor > maximo) {
        aviso.sprintf("%s > %s (máximo), valor por defecto: %s", impreso.c_str(),
                      imprimir(maximo).c_str(), imprimir(defecto).c_str());
    } else if (*valor < minimo) {
        aviso.sprintf("%s < %s (mínimo), valor por defecto: %s", impreso.c_str(),
                      imprimir(minimo).c_str(), imprimir(defecto).c_str());
    } else {
        rechazo = false;
    }
    if (!aviso.IsEmpty()) GetModalHooks().MessageBox(aviso, "Error", MB_OK);
    if (rechazo) rechazado = true;
    if (rechazado) marcaError = true;
    return rechazo ? defecto : *valor;
}

AnsiString ConF(double valor) {
    return AnsiString().sprintf("%f", valor);
}
AnsiString ConD(int valor) {
    return AnsiString().sprintf("%d", valor);
}

} // namespace

float ObjetoBase::ValidarReal(const AnsiString& texto, float minimo, float maximo, float defecto) {
    AnsiString adaptado = texto;
    AdaptarSeparadorDecimal(adaptado);
    double leido = 0.0;
    std::optional<float> valor;
    if (TryStrToFloat(adaptado, leido) && std::isfinite(leido)) valor = AFloat(leido);
    // Se compara el float que se guardará; el aviso muestra el número tecleado.
    return Validar(valor, texto, ConF(leido), minimo, maximo, defecto, rechazadoAhora, marcaError,
                   ConF);
}

int ObjetoBase::ValidarEntero(const AnsiString& texto, int minimo, int maximo, int defecto) {
    AnsiString adaptado = texto;
    AdaptarSeparadorDecimal(adaptado);
    int leido = 0;
    std::optional<int> valor;
    if (TryStrToInt(adaptado, leido)) valor = leido;
    return Validar(valor, texto, ConD(leido), minimo, maximo, defecto, rechazadoAhora, marcaError,
                   ConD);
}

namespace {

// La asignación es la misma con float y con int: solo cambia la validación.
template <class T>
void Asignar(T& valor, EstadoValor& estado, bool& rechazado, const AnsiString& texto, T leido) {
    if (rechazado) estado = ESTADO_RECHAZADO;
    if (estado != ESTADO_RECHAZADO && leido == valor) {
        // Teclear el mismo número deja su color de fichero o de defecto.
        rechazado = false;
        return;
    }
    valor = leido;
    estado = texto.IsEmpty() ? ESTADO_DEFECTO : ESTADO_USUARIO;
    if (rechazado) estado = ESTADO_RECHAZADO;
    rechazado = false;
}

} // namespace

void ObjetoBase::AsignarReal(float& valor, EstadoValor& estado, const AnsiString& texto,
                             float minimo, float maximo, float defecto) {
    float leido = ValidarReal(texto, minimo, maximo, defecto);
    Asignar(valor, estado, rechazadoAhora, texto, leido);
}

float ObjetoBase::ValidarTexto(const AnsiString& texto, float minimo, float maximo, float defecto) {
    float valor = defecto;
    EstadoValor estado = ESTADO_DEFECTO;
    AsignarReal(valor, estado, texto, minimo, maximo, defecto);
    return valor;
}

void ObjetoBase::AsignarEntero(int& valor, EstadoValor& estado, const AnsiString& texto, int minimo,
                               int maximo, int defecto) {
    int leido = ValidarEntero(texto, minimo, maximo, defecto);
    Asignar(valor, estado, rechazadoAhora, texto, leido);
}

void ObjetoBase::AsignarCadena(AnsiString& campo, EstadoValor& estado, const AnsiString& texto,
                               const AnsiString& defecto) {
    if (!(texto == campo)) {
        campo = texto;
        estado = ESTADO_USUARIO;
    }
    if (texto == defecto) estado = ESTADO_DEFECTO;
}

namespace {

// Las lecturas de una propiedad, igual desde un lector por el texto de la clave que desde los
// campos de un registro por su puesto.
template <class Fuente, class Clave>
void LeerReal(const Fuente& fuente, const Clave& clave, float& valor, EstadoValor& estado) {
    if (fuente.LeerReal(clave, valor) == 0) estado = ESTADO_FICHERO;
}

} // namespace

void ObjetoBase::LeerRealBDL(const LeerBDL* lector, const AnsiString& clave, float& valor,
                             EstadoValor& estado) {
    if (lector != nullptr) LeerReal(*lector, clave, valor, estado);
}

void ObjetoBase::LeerRealBDL(const CamposBDL& campos, size_t clave, float& valor,
                             EstadoValor& estado) {
    LeerReal(campos, clave, valor, estado);
}

void ObjetoBase::LeerEnteroBDL(const LeerBDL* lector, const AnsiString& clave, int& valor,
                               EstadoValor& estado) {
    if (lector == nullptr) return;
    if (lector->LeerEntero(clave, valor) == 0) estado = ESTADO_FICHERO;
}

void ObjetoBase::LeerCadenaBDL(const LeerBDL* lector, const AnsiString& clave, AnsiString& valor,
                               EstadoValor& estado) {
    if (lector == nullptr) return;
    AnsiString leido;
    if (lector->LeerCadena(clave, leido) != 0) return;
    QuitarComillas(leido);
    valor = leido;
    estado = ESTADO_FICHERO;
}

void ObjetoBase::LeerCadenaBDL(const CamposBDL& campos, size_t clave, AnsiString& valor,
                               EstadoValor& estado) {
    std::string_view leido;
    if (!campos.Texto(clave, leido)) return;
    valor.str().assign(leido);
    estado = ESTADO_FICHERO;
}

void ObjetoBase::LeerListaBDL(const LeerBDL* lector, const AnsiString& clave, TStrings& lista,
                              EstadoValor& estado) {
    if (lector == nullptr) return;
    std::vector<AnsiString> nombres;
    if (lector->LeerListaCadenas(clave, nombres) <= 0) return;
    for (AnsiString& nombre : nombres) {
        QuitarComillas(nombre);
        lista.Add(nombre);
    }
    estado = ESTADO_FICHERO;
}

void ObjetoBase::LeerListaBDL(const CamposBDL& campos, size_t clave, TStrings& lista,
                              EstadoValor& estado) {
    std::vector<std::string_view> nombres;
    if (campos.ListaTextos(clave, nombres) <= 0) return;
    for (std::string_view nombre : nombres)
        lista.Add(AnsiString(nombre));
    estado = ESTADO_FICHERO;
}

void ObjetoBase::LeerListaRealesBDL(const LeerBDL* lector, const AnsiString& clave,
                                    TStrings& lista) {
    if (lector == nullptr) return;
    std::vector<float> valores;
    if (lector->LeerListaReales(clave, valores) <= 0) return;
    for (float valor : valores)
        lista.Add(FormatFloat("0.00", valor));
}
