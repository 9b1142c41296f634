// Objetivo de fuzzing del lector de palabras clave: cualquier secuencia de bytes, leída en
// sus dos formas, por todas las búsquedas, el recorrido de los registros de cada tipo, el
// recorte de cada registro, los registros que no se pueden leer y el recorrido de entradas
// de librería, y el tratamiento y el índice por piezas frente a los del texto entero. La primera
// línea de la entrada sirve también de palabra clave, para que el fuzzer llegue a la comparación de
// palabras clave con palabras suyas.

#include "comunes/IndiceBDL.h"
#include "comunes/LeerBDL.h"
#include "comunes/PrepararBDL.h"
#include "comunes/Util.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

void Consultar(const LeerBDL& lector, const AnsiString& clave) {
    float real = 0.0f;
    int entero = 0;
    AnsiString cadena;
    std::vector<float> reales;
    std::vector<AnsiString> cadenas;
    lector.LeerReal(clave, real);
    lector.LeerEntero(clave, entero);
    lector.LeerCadena(clave, cadena);
    lector.LeerListaReales(clave, reales);
    lector.LeerListaCadenas(clave, cadenas);
    lector.Buscar(clave);
    lector.Buscar(clave, lector.Texto().size() / 2 + 1);
}

// Los campos de una pasada leen lo mismo que cada búsqueda por clave suelta.
void CompararCampos(const LeerBDL& lector, const std::vector<AnsiString>& claves) {
    std::vector<std::string_view> vistas;
    for (const AnsiString& clave : claves)
        vistas.emplace_back(clave.str());
    const ClavesBDL juego(vistas);
    const CamposBDL campos(lector, juego);
    for (size_t k = 0; k < claves.size(); ++k) {
        float r1 = -1, r2 = -1;
        AnsiString c1 = "-", c2 = "-";
        std::vector<float> lr1{-1}, lr2{-1};
        std::vector<AnsiString> lc1{"-"}, lc2{"-"};
        const bool iguales =
            lector.LeerReal(claves[k], r1) == campos.LeerReal(k, r2) &&
            std::memcmp(&r1, &r2, sizeof r1) == 0 &&
            lector.LeerCadena(claves[k], c1) == campos.LeerCadena(k, c2) && c1 == c2 &&
            lector.LeerListaReales(claves[k], lr1) == campos.LeerListaReales(k, lr2) &&
            lr1.size() == lr2.size() &&
            (lr1.empty() || std::memcmp(lr1.data(), lr2.data(), lr1.size() * sizeof(float)) == 0) &&
            lector.LeerListaCadenas(claves[k], lc1) == campos.LeerListaCadenas(k, lc2) &&
            lc1 == lc2;
        AnsiString sinComillas = "-";
        const bool hay = lector.LeerCadena(claves[k], sinComillas) == 0;
        QuitarComillas(sinComillas);
        std::string_view texto = "-";
        if (!iguales || campos.Texto(k, texto) != hay || texto != sinComillas.str()) std::abort();
        std::vector<AnsiString> lista;
        std::vector<std::string_view> textos;
        const int cuantos = lector.LeerListaCadenas(claves[k], lista);
        if (campos.ListaTextos(k, textos) != cuantos) std::abort();
        for (size_t j = 0; cuantos > 0 && j < lista.size(); ++j) {
            QuitarComillas(lista[j]);
            if (textos[j] != lista[j].str()) std::abort();
        }
    }
}

void Recorrer(LeerBDL& lector, const std::vector<AnsiString>& claves) {
    for (const AnsiString& clave : claves)
        Consultar(lector, clave);
    CompararCampos(lector, claves);
    std::vector<std::pair<float, float>> pares;
    lector.LeerPares(lector.ContarPares(), pares);

    const std::vector<std::string_view> tipos = {"MATERIAL ",   "LAYERS ", "GLASS-TYPE ",
                                                 "NAME-FRAME ", "GAP ",    "BRIDGE ",
                                                 "SPACE",       "POLYGON "};
    // Lo que se dice ilegible: en líneas del texto, en orden, y sin su ".." exactamente los
    // registros que el recorrido no puede recortar.
    const std::vector<RegistroIlegible> ilegibles = lector.RegistrosIlegibles(tipos);
    const auto lineas =
        static_cast<int>(std::count_if(lector.Texto().begin(), lector.Texto().end(),
                                       [](char c) { return c == '\n' || c == '\r'; }) +
                         1);
    int sinCierre = 0;
    int anterior = 1;
    for (const RegistroIlegible& r : ilegibles) {
        if (r.linea < anterior || r.linea > lineas || (r.lineaFin != 0 && r.lineaFin < r.linea) ||
            r.lineaFin > lineas)
            std::abort();
        anterior = r.linea;
        if (r.motivo == RegistroIlegible::Motivo::SinCierre) ++sinCierre;
    }
    int sinRecortar = 0;
    // Un lector reutilizado de registro en registro recorta lo mismo que uno nuevo.
    LeerBDL reutilizado(LeerBDL::EnMemoria{}, lector.Texto().substr(0, 64));
    for (std::string_view tipoVista : tipos) {
        const AnsiString tipo(tipoVista);
        int cuantos = lector.ContarObjetos(tipo);
        lector.Reiniciar();
        for (int i = 0; i < cuantos; ++i) {
            AnsiString nombre = lector.SiguienteObjeto(tipo);
            bool encontrado = false;
            std::unique_ptr<LeerBDL> registro =
                LeerBDL::ExtraerObjeto(lector, tipo, "\"" + nombre + "\"", encontrado);
            if (!encontrado) ++sinRecortar;
            if (LeerBDL::ExtraerObjetoEn(lector, tipo, "\"" + nombre + "\"", reutilizado) !=
                    encontrado ||
                (registro && reutilizado.Texto() != registro->Texto()))
                std::abort();
            if (registro) {
                for (const AnsiString& clave : claves)
                    Consultar(*registro, clave);
                CompararCampos(*registro, claves);
            }
            // Sin comillas, como lo pide quien tiene ya el nombre.
            LeerBDL::ExtraerObjeto(lector, tipo, nombre, encontrado);
        }
    }
    if (sinRecortar != sinCierre) std::abort();

    lector.Reiniciar();
    AnsiString campo1, campo2, campo3;
    int entradas = lector.ContarEntradas("GLASS-TYPE-CODE");
    for (int i = 0; i <= entradas; ++i)
        lector.SiguienteEntrada("GLASS-TYPE-CODE", campo1, campo2, campo3);
}

// Tratado por piezas, como se lee un fichero (piezas de un largo que dan los primeros bytes,
// y lecturas cortas), el texto es el mismo que tratado entero, y el índice hecho pieza a
// pieza el mismo que el del texto entero.
void TratarPorPiezas(std::string_view texto, LeerBDL::Forma forma, const std::string& entero) {
    const size_t pieza = texto.empty() ? 1 : 1 + static_cast<unsigned char>(texto[0]) % 97;
    const size_t corta = texto.size() < 2 ? 0 : static_cast<unsigned char>(texto[1]) % 13;
    size_t leido = 0;
    std::string porPiezas;
    porPiezas.reserve(3 * texto.size() + 64);
    IndiceBDL indice(IndiceBDL::PorPartes{}, texto.size());
    PrepararPorPiezasBDL(
        porPiezas, forma == LeerBDL::Forma::Comprimida,
        [&](char* sitio, size_t n) {
            if (corta != 0) n = std::min(n, corta);
            n = std::min(n, texto.size() - leido);
            if (n > 0) std::memcpy(sitio, texto.data() + leido, n);
            leido += n;
            return static_cast<long>(n);
        },
        [&](const std::string& tratado) { indice.Anadir(tratado); }, pieza);
    if (porPiezas != entero) std::abort();
    indice.Acabar(porPiezas);
    const IndiceBDL todo(porPiezas);
    auto iguales = [](const std::vector<BloqueBDL>& a, const std::vector<BloqueBDL>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](const BloqueBDL& x, const BloqueBDL& y) {
                              return x.inicio == y.inicio && x.posTipo == y.posTipo &&
                                     x.fin == y.fin && x.tipo == y.tipo && x.nombre == y.nombre;
                          });
    };
    if (!iguales(indice.Cabeceras(), todo.Cabeceras()) ||
        !iguales(indice.BloquesDefectos(), todo.BloquesDefectos()) ||
        !iguales(indice.SinCabecera(), todo.SinCabecera()) ||
        indice.SinCerrar() != todo.SinCerrar())
        std::abort();
    for (std::string_view tipo : todo.TiposDeCabecera())
        if (indice.CabecerasDe(tipo) == nullptr ||
            *indice.CabecerasDe(tipo) != *todo.CabecerasDe(tipo))
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamano) {
    std::string_view texto(reinterpret_cast<const char*>(datos), tamano);
    std::vector<AnsiString> claves = {"TEMPLARY ",
                                      "CAMBIO ",
                                      "CAMBIO-DUMVAT",
                                      "TYPE",
                                      "CONDUCTIVITY",
                                      "MATERIAL",
                                      "THICKNESS",
                                      "GROUP ",
                                      "LIBRARY ",
                                      "NAME",
                                      "V1",
                                      "LIB",
                                      "=",
                                      "",
                                      " ",
                                      "\"",
                                      ".."};
    std::string_view primera = texto.substr(0, texto.find('\n'));
    if (primera.size() <= 64) claves.emplace_back(std::string(primera));
    for (LeerBDL::Forma forma : {LeerBDL::Forma::Comprimida, LeerBDL::Forma::Literal}) {
        LeerBDL lector(LeerBDL::EnMemoria{}, texto, forma);
        TratarPorPiezas(texto, forma, lector.Texto());
        Recorrer(lector, claves);
    }
    return 0;
}
