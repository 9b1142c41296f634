// El tratamiento del texto de un fichero de palabras clave (por bloques y byte a byte, en
// su sitio y pasando a otro texto) frente a una versión llana, byte a byte, de su regla; y
// el índice de sus registros (cuenta, recorrido y recorte) frente a uno hecho línea a línea
// con expresiones regulares.

#include "comunes/IndiceBDL.h"
#include "comunes/LeerBDL.h"
#include "comunes/PrepararBDL.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include <random>
#include <regex>
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

std::string Preparado(std::string_view s, bool comprimir, size_t margen, AnchoBDL ancho) {
    std::string texto(margen, '\0');
    texto.append(s);
    PrepararTextoBDL(texto, comprimir, margen, ancho);
    return texto;
}

// Dos índices dicen lo mismo: sus bloques (sitios, tipos, nombres y cierres), lo suelto, lo
// que queda sin cerrar y las cabeceras de cada tipo.
void CompararIndices(const IndiceBDL& a, const IndiceBDL& b, const std::string& que) {
    auto iguales = [&](const std::vector<BloqueBDL>& x, const std::vector<BloqueBDL>& y) {
        ASSERT_EQ(x.size(), y.size()) << que;
        for (size_t i = 0; i < x.size(); ++i) {
            ASSERT_EQ(x[i].inicio, y[i].inicio) << que;
            ASSERT_EQ(x[i].posTipo, y[i].posTipo) << que;
            ASSERT_EQ(x[i].fin, y[i].fin) << que;
            ASSERT_EQ(x[i].tipo, y[i].tipo) << que;
            ASSERT_EQ(x[i].nombre, y[i].nombre) << que;
        }
    };
    iguales(a.Cabeceras(), b.Cabeceras());
    iguales(a.BloquesDefectos(), b.BloquesDefectos());
    iguales(a.SinCabecera(), b.SinCabecera());
    ASSERT_EQ(a.SinCerrar(), b.SinCerrar()) << que;
    std::vector<std::string_view> tipos = a.TiposDeCabecera(), otros = b.TiposDeCabecera();
    std::sort(tipos.begin(), tipos.end());
    std::sort(otros.begin(), otros.end());
    ASSERT_EQ(tipos, otros) << que;
    for (std::string_view tipo : tipos)
        ASSERT_EQ(*a.CabecerasDe(tipo), *b.CabecerasDe(tipo)) << que;
}

// Tratado por piezas de ese largo, leídas de una vez o, con "cortas", de pocos bytes cada vez
// (lo que devuelve un read() que no llena lo pedido); con el índice hecho a la vez, pieza a
// pieza, que ha de ser el del texto entero.
std::string PorPiezas(std::string_view s, bool comprimir, size_t pieza, bool cortas,
                      AnchoBDL ancho) {
    std::string texto = "previo";
    texto.reserve(3 * s.size() + 64); // sin cambiar de sitio: el índice guarda vistas
    const char* const sitio = texto.data();
    IndiceBDL indice(IndiceBDL::PorPartes{}, s.size());
    size_t leido = 0;
    size_t vez = 0;
    const bool bien = PrepararPorPiezasBDL(
        texto, comprimir,
        [&](char* destino, size_t n) {
            if (cortas) n = std::min(n, 1 + (vez++ * 7) % 5);
            n = std::min(n, s.size() - leido);
            if (n > 0) std::memcpy(destino, s.data() + leido, n);
            leido += n;
            return static_cast<long>(n);
        },
        [&](const std::string& tratado) {
            EXPECT_EQ(tratado.data(), sitio);
            indice.Anadir(tratado);
        },
        pieza, ancho);
    EXPECT_TRUE(bien);
    EXPECT_EQ(texto.substr(0, 6), "previo"); // se añade a lo que hubiera
    indice.Acabar(texto);
    CompararIndices(indice, IndiceBDL(texto), std::string(s));
    return texto.substr(6);
}

// Todas las maneras de tratarlo dan lo mismo que la regla.
void Comprobar(const std::string& s, const std::string& que) {
    for (bool comprimir : {true, false}) {
        const std::string esperado = Referencia(s, comprimir);
        // Por piezas: cortadas en cualquier sitio, cada una de una vez o en lecturas cortas.
        for (AnchoBDL ancho : {AnchoBDL::Bloque64, AnchoBDL::Bloque16, AnchoBDL::Byte})
            for (auto [pieza, cortas] : {std::pair{size_t{1}, false}, std::pair{size_t{17}, false},
                                         std::pair{size_t{70}, true}})
                ASSERT_EQ(PorPiezas(s, comprimir, pieza, cortas, ancho), esperado)
                    << que << " comprimir=" << comprimir << " pieza=" << pieza
                    << " cortas=" << cortas << " ancho=" << static_cast<int>(ancho);
        // Margen 0 y pequeños: pasa enseguida a otro texto, o tras unos bloques; 4096: en su
        // sitio (el del lector).
        for (size_t margen : {size_t{0}, size_t{5}, size_t{64}, size_t{300}, size_t{4096}})
            for (AnchoBDL ancho : {AnchoBDL::Bloque64, AnchoBDL::Bloque16, AnchoBDL::Byte})
                ASSERT_EQ(Preparado(s, comprimir, margen, ancho), esperado)
                    << que << " comprimir=" << comprimir << " margen=" << margen
                    << " ancho=" << static_cast<int>(ancho);
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
    // Un CR, un CR LF, un LF, un blanco y una racha en cada puesto, en textos de largos
    // alrededor de los anchos de los bloques (16 y 64 bytes) y de sus múltiplos.
    const std::vector<std::string> piezas = {"\r", "\r\n", "\n", " ", "     ", "\t \t", "\n   "};
    for (size_t largo : {15u, 16u, 17u, 18u, 31u, 32u, 33u,  34u,  47u,  48u, 49u,
                         63u, 64u, 65u, 66u, 80u, 81u, 127u, 128u, 129u, 130u})
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
    // Solo fines de línea: cada byte da tres, lo más que escribe un bloque.
    for (const char* fin : {"\n", "\r", "\r\n", "\n\r"}) {
        std::string s;
        while (s.size() < 6000)
            s += fin;
        Comprobar(s, std::string("fines ") + fin);
    }
    // Una sangría grande al principio y después un texto que crece.
    std::string s = std::string(5000, ' ') + "\n";
    for (int i = 0; i < 6000; ++i)
        s += "b\n";
    Comprobar(s, "sangría y después crece");
}

// Cabeceras y bloques por defecto, línea a línea.
struct BloqueRef {
    bool cabecera;
    std::string tipo, nombre;
    size_t inicio, posTipo, fin = std::string::npos;
};

std::vector<BloqueRef> IndiceReferencia(const std::string& t) {
    static const std::regex cierre(R"re(^[ \t]*\.\.[ \t]*$)re");
    static const std::regex cabecera(R"re(^([ \t]*)"([^"]*)"[ \t]+=[ \t]+)re");
    static const std::regex tipoCabecera(R"re(^[^ \t="][^ \t]*)re");
    static const std::regex defectos(R"re(^([ \t]*)SET-DEFAULT[ \t]+FOR[ \t]+)re");
    static const std::regex tipoDefectos(R"re(^[^ \t]+)re");
    std::vector<BloqueRef> bloques;
    size_t abierto = std::string::npos;
    for (size_t inicio = 0; inicio <= t.size();) {
        const size_t fin = std::min(t.find_first_of("\r\n", inicio), t.size());
        const std::string linea = t.substr(inicio, fin - inicio);
        std::smatch m, tipo;
        if (std::regex_search(linea, m, cierre)) {
            if (abierto != std::string::npos) bloques[abierto].fin = inicio + linea.find('.');
            abierto = std::string::npos;
        } else {
            const bool esCabecera = std::regex_search(linea, m, cabecera);
            if (esCabecera || std::regex_search(linea, m, defectos)) {
                const std::string resto = m.suffix();
                if (std::regex_search(resto, tipo, esCabecera ? tipoCabecera : tipoDefectos)) {
                    const size_t posTipo = inicio + static_cast<size_t>(m.length(0));
                    bloques.push_back({esCabecera, tipo.str(0), esCabecera ? m.str(2) : "",
                                       inicio + static_cast<size_t>(m.length(1)), posTipo});
                    abierto = bloques.size() - 1;
                }
            }
        }
        inicio = fin + 1;
    }
    return bloques;
}

// Textos de registros al azar, con cabeceras bien y mal formadas, cierres, bloques por
// defecto, sangrías y fines de línea de todas las clases.
std::string RegistrosAlAzar(std::mt19937& azar) {
    const std::vector<std::string> lineas = {
        "\"a\" = MATERIAL",
        "\"b\" = MATERIAL",
        "  \"a\"   =   MATERIAL  x",
        "\"c d\" = LAYERS",
        "\"a\" = LAYERS",
        "\"a\"=MATERIAL",
        "\"a\" = =MATERIAL",
        "\"q = MATERIAL",
        "\"\" = GAP",
        "SET-DEFAULT FOR MATERIAL",
        "SET-DEFAULT  FOR  LAYERS",
        "SET-DEFAULT FORX GAP",
        "..",
        "  ..  ",
        "\t..\t",
        ".. x",
        ".",
        "THICKNESS = 1",
        "$ \"c\" = MATERIAL",
        "S",
        "\"",
        "NAME = \"a\" = GAP",
        "\"b\" = \tGAP",
        "\"c\"\t=\tMATERIAL\t",
        "SET-DEFAULT\tFOR\tGAP",
        "",
    };
    const char* fines[] = {"\n", "\r\n", "\r"};
    const char* sangrias[] = {"", "", " ", "    ", "\t", " \t "};
    std::string s;
    const int cuantas = static_cast<int>(azar() % 60);
    for (int i = 0; i < cuantas; ++i)
        s += std::string(sangrias[azar() % 6]) + lineas[azar() % lineas.size()] + fines[azar() % 3];
    return s;
}

// Cuenta, recorrido que salta de un tipo a otro y vuelve a empezar, y recorte de cada
// registro, frente a la referencia: cada paso da la primera cabecera del tipo tras la última
// dada, y su recorte es el registro y el bloque por defecto de su tipo.
void CompararIndice(const std::string& bruto, LeerBDL::Forma forma, std::mt19937& azar) {
    const std::vector<std::string> tipos = {"MATERIAL", "LAYERS", "GAP"};
    LeerBDL lector(LeerBDL::EnMemoria{}, bruto, forma);
    const std::string& t = lector.Texto();
    const std::vector<BloqueRef> ref = IndiceReferencia(t);
    for (const std::string& tipo : tipos) {
        int cuenta = 0;
        for (const BloqueRef& b : ref)
            cuenta += b.cabecera && b.tipo == tipo;
        ASSERT_EQ(lector.ContarObjetos(tipo.c_str()), cuenta) << t;
    }
    lector.Reiniciar();
    size_t cursor = 0;
    for (int paso = 0; paso < 12; ++paso) {
        if (azar() % 6 == 0) {
            lector.Reiniciar();
            cursor = 0;
        }
        const std::string& tipo = tipos[azar() % tipos.size()];
        const BloqueRef* esperado = nullptr;
        for (const BloqueRef& b : ref)
            if (b.cabecera && b.tipo == tipo && b.posTipo >= cursor) {
                esperado = &b;
                break;
            }
        const AnsiString nombre = lector.SiguienteObjeto(tipo.c_str());
        if (esperado == nullptr) {
            ASSERT_EQ(nombre, "") << t;
            continue;
        }
        ASSERT_EQ(nombre, esperado->nombre.c_str()) << t;
        cursor = esperado->posTipo + 1;
        bool encontrado = false;
        const auto registro =
            LeerBDL::ExtraerObjeto(lector, tipo.c_str(), "\"" + nombre + "\"", encontrado);
        ASSERT_EQ(encontrado, esperado->fin != std::string::npos) << t;
        if (!encontrado) continue;
        std::string recorte = t.substr(esperado->inicio, esperado->fin - esperado->inicio);
        for (const BloqueRef& b : ref)
            if (!b.cabecera && b.tipo == tipo) {
                if (b.fin != std::string::npos) recorte += t.substr(b.inicio, b.fin - b.inicio);
                break;
            }
        ASSERT_EQ(registro->Texto(), recorte) << t;
    }
}

TEST(PrepararBDL, ElIndiceCuentaRecorreYRecortaComoLaReferencia) {
    std::mt19937 azar(3737);
    for (int vuelta = 0; vuelta < 1500; ++vuelta) {
        const std::string bruto = RegistrosAlAzar(azar);
        for (LeerBDL::Forma forma : {LeerBDL::Forma::Comprimida, LeerBDL::Forma::Literal})
            ASSERT_NO_FATAL_FAILURE(CompararIndice(bruto, forma, azar));
    }
}

// Textos grandes, de muchos bloques; en el segundo, el texto tratado deja de caber en su
// sitio cuando ya lleva muchos registros.
TEST(PrepararBDL, ElIndiceDeTextosGrandesComoLaReferencia) {
    std::mt19937 azar(73);
    std::string mezcla, crece;
    while (mezcla.size() < 200000)
        mezcla += RegistrosAlAzar(azar);
    while (crece.size() < 40000)
        crece += "    \"a\"    =   MATERIAL    \r\n        THICKNESS   =   1\r\n      ..\r\n";
    while (crece.size() < 120000)
        crece += "\"b\" = MATERIAL\nX\n..\n\"a\" = GAP\n..\n";
    for (const std::string* bruto : {&mezcla, &crece})
        for (LeerBDL::Forma forma : {LeerBDL::Forma::Comprimida, LeerBDL::Forma::Literal})
            for (int vez = 0; vez < 5; ++vez)
                ASSERT_NO_FATAL_FAILURE(CompararIndice(*bruto, forma, azar));
}

} // namespace
