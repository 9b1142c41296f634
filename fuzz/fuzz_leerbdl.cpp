// Objetivo de fuzzing del lector de palabras clave: cualquier secuencia de bytes, leída en
// sus dos formas, por todas las búsquedas, el recorrido de los registros de cada tipo, el
// recorte de cada registro y el recorrido de entradas de librería. La primera línea de la
// entrada sirve también de palabra clave, para que el fuzzer llegue a la comparación de
// palabras clave con palabras suyas.

#include "comunes/LeerBDL.h"

#include <cstddef>
#include <cstdint>
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

void Recorrer(LeerBDL& lector, const std::vector<AnsiString>& claves) {
    for (const AnsiString& clave : claves)
        Consultar(lector, clave);
    std::vector<std::pair<float, float>> pares;
    lector.LeerPares(lector.ContarPares(), pares);

    for (const char* tipo : {"MATERIAL ", "LAYERS ", "GLASS-TYPE ", "NAME-FRAME ", "GAP ",
                             "BRIDGE ", "SPACE", "POLYGON "}) {
        int cuantos = lector.ContarObjetos(tipo);
        lector.Reiniciar();
        for (int i = 0; i < cuantos; ++i) {
            AnsiString nombre = lector.SiguienteObjeto(tipo);
            bool encontrado = false;
            std::unique_ptr<LeerBDL> registro =
                LeerBDL::ExtraerObjeto(lector, tipo, "\"" + nombre + "\"", encontrado);
            if (registro)
                for (const AnsiString& clave : claves)
                    Consultar(*registro, clave);
            // Sin comillas, como lo pide quien tiene ya el nombre.
            LeerBDL::ExtraerObjeto(lector, tipo, nombre, encontrado);
        }
    }

    lector.Reiniciar();
    AnsiString campo1, campo2, campo3;
    int entradas = lector.ContarEntradas("GLASS-TYPE-CODE");
    for (int i = 0; i <= entradas; ++i)
        lector.SiguienteEntrada("GLASS-TYPE-CODE", campo1, campo2, campo3);
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
        Recorrer(lector, claves);
    }
    return 0;
}
