// El tratamiento del texto de un fichero de palabras clave (por bloques y byte a byte, en
// su sitio y pasando a otro texto) frente a una versión llana, byte a byte, de su regla.

#include "comunes/LeerBDL.h"
#include "comunes/PrepararBDL.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

// La regla tal cual: CR LF es LF; comprimido, cada fin de línea queda con un blanco a cada
// lado y un blanco tras otro blanco no se escribe.
std::string Referencia(std::string_view s, bool comprimir) {
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
        if (!comprimir) {
            r += c;
        } else if (c == '\n' || c == '\r') {
            r += ' ';
            r += c;
            r += ' ';
        } else if (c != ' ' || r.empty() || r.back() != ' ') {
            r += c;
        }
    }
    return r;
}

std::string Preparado(std::string_view s, bool comprimir, size_t margen, bool porBloques) {
    std::string texto(margen, '\0');
    texto.append(s);
    PrepararTextoBDL(texto, comprimir, margen, porBloques);
    return texto;
}

// Todas las maneras de tratarlo dan lo mismo que la regla.
void Comprobar(const std::string& s, const std::string& que) {
    for (bool comprimir : {true, false}) {
        const std::string esperado = Referencia(s, comprimir);
        // Margen 0 y pequeño: pasa enseguida a otro texto; 4096: en su sitio (el del lector).
        for (size_t margen : {size_t{0}, size_t{5}, size_t{64}, size_t{4096}})
            for (bool porBloques : {true, false})
                ASSERT_EQ(Preparado(s, comprimir, margen, porBloques), esperado)
                    << que << " comprimir=" << comprimir << " margen=" << margen
                    << " bloques=" << porBloques;
        const LeerBDL lector(LeerBDL::EnMemoria{}, s,
                             comprimir ? LeerBDL::Forma::Comprimida : LeerBDL::Forma::Literal);
        ASSERT_EQ(lector.Texto(), esperado) << que;
    }
}

TEST(PrepararBDL, BordesDeBloqueYCasosSueltos) {
    std::vector<std::string> casos = {"",
                                      " ",
                                      "\r",
                                      "\n",
                                      "\r\n",
                                      "\n\r",
                                      "\r\r\n",
                                      "  \t  ",
                                      " \r \n \r\n ",
                                      "\"a  b\"\r\n$ c  \"",
                                      "\xC1\xFF\x80 \x80\n"};
    // Un CR, un CR LF, un LF, un blanco y una racha en cada puesto alrededor de los 16 y 32
    // bytes de los bloques, en textos de largos alrededor de esos anchos.
    const std::vector<std::string> piezas = {"\r", "\r\n", "\n", " ", "     ", "\t \t", "\n   "};
    for (size_t largo : {15u, 16u, 17u, 18u, 31u, 32u, 33u, 34u, 47u, 48u, 49u, 64u, 65u})
        for (const std::string& pieza : piezas)
            for (size_t puesto = 0; puesto + pieza.size() <= largo; ++puesto) {
                std::string s(largo, 'x');
                s.replace(puesto, pieza.size(), pieza);
                casos.push_back(s);
                std::string blancos(largo, ' '); // la pieza entre blancos
                blancos.replace(puesto, pieza.size(), pieza);
                casos.push_back(blancos);
            }
    for (const std::string& s : casos)
        Comprobar(s, "caso");
}

TEST(PrepararBDL, TextosAlAzar) {
    std::mt19937 azar(37);
    // Sobre todo los bytes que cuentan, y de vez en cuando cualquiera.
    const std::string alfabeto = "  \r\n\t\"$.Sa=x";
    for (int vuelta = 0; vuelta < 3000; ++vuelta) {
        const size_t largo = azar() % (vuelta < 2500 ? 100 : 3000);
        std::string s;
        for (size_t i = 0; i < largo; ++i)
            s += azar() % 16 == 0 ? static_cast<char>(azar() % 256)
                                  : alfabeto[azar() % alfabeto.size()];
        Comprobar(s, "al azar " + std::to_string(vuelta));
    }
}

TEST(PrepararBDL, TextosQueCrecenPasanAOtroTextoEnCualquierPunto) {
    // Líneas cortas sin sangría: el texto crece y deja de caber en su sitio, unas veces en
    // un bloque y otras en los últimos bytes.
    for (const char* fin : {"\n", "\r\n", "\r"})
        for (int lineas : {1300, 1365, 1366, 1367, 2100, 4000}) {
            std::string s;
            for (int i = 0; i < lineas; ++i)
                s += std::string(1 + i % 3, 'a' + static_cast<char>(i % 26)) + fin;
            Comprobar(s, std::string("líneas ") + std::to_string(lineas));
        }
    // Una sangría grande al principio y después un texto que crece.
    std::string s = std::string(5000, ' ') + "\n";
    for (int i = 0; i < 6000; ++i)
        s += "b\n";
    Comprobar(s, "sangría y después crece");
}

} // namespace
