#include "comunes/Util.h"

#include "comunes/Configuracionregional.h"

#include "plataforma/base/numbers.h"
#include "plataforma/base/string_list.h"

#include <cfloat>
#include <cmath>
#include <vector>

namespace {

// Mitad del paso entre FLT_MAX y el siguiente float: por debajo, un double redondea a
// FLT_MAX; desde ahí, a infinito.
constexpr double kLimiteFloat = 3.4028235677973366e38;

// Índice donde empieza la última parte de la ruta (tras el último separador).
size_t InicioUltimaParte(const std::string& ruta) {
    size_t p = ruta.find_last_of("\\/");
    return p == std::string::npos ? 0 : p + 1;
}

} // namespace

void AFlotante(float& valor, const AnsiString& texto) {
    AnsiString copia = texto;
    AdaptarSeparadorDecimal(copia);
    if (copia.IsEmpty()) {
        valor = 0.0f;
        return;
    }
    double leido;
    if (!TryStrToFloat(copia, leido) || !std::isfinite(leido)) return;
    if (std::fabs(leido) <= FLT_MAX)
        valor = static_cast<float>(leido);
    else if (std::fabs(leido) < kLimiteFloat)
        valor = leido < 0 ? -FLT_MAX : FLT_MAX;
}

std::string_view SinComillas(std::string_view texto) {
    if (texto.empty() || texto[0] != '"') return texto;
    size_t cierre = texto.find('"', 1);
    return texto.substr(1, cierre == std::string_view::npos ? std::string_view::npos : cierre - 1);
}

void QuitarComillas(std::string& texto) {
    if (texto.empty() || texto[0] != '"') return;
    texto = std::string(SinComillas(texto));
}

void QuitarComillas(AnsiString& texto) {
    QuitarComillas(texto.str());
}

void PonerComillas(std::string& texto) {
    texto.insert(texto.begin(), '"');
    texto.push_back('"');
}

void PonerComillas(AnsiString& texto) {
    PonerComillas(texto.str());
}

AnsiString NombreSinExtension(const AnsiString& ruta) {
    const std::string& r = ruta.str();
    std::string nombre = r.substr(InicioUltimaParte(r));
    size_t punto = nombre.rfind('.');
    if (punto != std::string::npos) nombre.resize(punto);
    return AnsiString(std::move(nombre));
}

AnsiString NombreFichero(const AnsiString& ruta) {
    const std::string& r = ruta.str();
    if (r.size() < 2) return ruta;
    // El separador se busca antes del último carácter: una ruta que acaba en separador
    // da la última carpeta con su separador.
    size_t p = r.find_last_of("\\/", r.size() - 2);
    return p == std::string::npos ? ruta : AnsiString(r.substr(p + 1));
}

AnsiString ExtensionFichero(const AnsiString& ruta) {
    const std::string& r = ruta.str();
    size_t inicio = InicioUltimaParte(r);
    size_t punto = r.rfind('.');
    if (punto == std::string::npos || punto < inicio) return AnsiString();
    return AnsiString(r.substr(punto + 1));
}

void AnadirCadena(TStrings& lista, const AnsiString& texto) {
    lista.Add(texto);
}

void CopiarCadenas(const TStrings& desde, TStrings& hacia) {
    // La cuenta se toma antes: copiar una lista sobre sí misma la duplica una vez.
    int cuenta = desde.GetCount();
    for (int i = 0; i < cuenta; ++i)
        hacia.Add(desde.GetStrings(i));
}

void AnadirCadenas(const TStrings& desde, TStrings& hacia) {
    CopiarCadenas(desde, hacia);
}

void QuitarCadena(TStrings& lista, const AnsiString& texto) {
    int i = lista.IndexOf(texto);
    if (i >= 0) lista.Delete(i);
}

void QuitarCadenas(const TStrings& estas, TStrings& lista) {
    // Copia previa: "estas" puede ser la misma lista de la que se borra.
    std::vector<AnsiString> textos;
    textos.reserve(static_cast<size_t>(estas.GetCount()));
    for (int i = 0; i < estas.GetCount(); ++i)
        textos.push_back(estas.GetStrings(i));
    for (const AnsiString& t : textos)
        QuitarCadena(lista, t);
}

void VaciarCadenas(TStrings& lista) {
    lista.Clear();
}
