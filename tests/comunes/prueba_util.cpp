#include "comunes/Util.h"

#include "plataforma/base/string_list.h"
#include "tests/comun/separador_regional.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Cadenas(const TStrings& lista) {
    std::vector<std::string> r;
    for (int i = 0; i < lista.GetCount(); ++i)
        r.push_back(lista.GetStrings(i).str());
    return r;
}

void Llenar(TStrings& lista, const std::vector<std::string>& cadenas) {
    lista.Clear();
    for (const std::string& c : cadenas)
        lista.Add(AnsiString(c));
}

struct CasoFlotante {
    char regional;
    const char* texto;
    float esperado; // partiendo de 9
};

const CasoFlotante kFlotantes[] = {
    {'.', "0.5", 0.5f},     {'.', "0,5", 0.5f},
    {',', "0.5", 0.5f},     {',', "0,5", 0.5f},
    {'.', "-2.25", -2.25f}, {'.', "1e-7", 1e-7f},
    {'.', "", 0.0f},        {',', "", 0.0f},
    {'.', "abc", 9.0f},     {',', "abc", 9.0f},
    {'.', "1.000,5", 9.0f}, // dos separadores: no es un número
    {',', "1.000,5", 9.0f}, {'.', "inf", 9.0f},
    {'.', "nan", 9.0f},     {'.', "1e39", 9.0f}, // no cabe en un float
    {'.', "-1e39", 9.0f},   {'.', "3.4028235e38", FLT_MAX},
    {'.', "0.1", 0.1f},
};

TEST(AFlotante, ConvierteConCualquierSeparadorYNoTocaElValorSiNoEsNumero) {
    for (const CasoFlotante& caso : kFlotantes) {
        SeparadorRegional region(caso.regional);
        float valor = 9.0f;
        AFlotante(valor, caso.texto);
        EXPECT_EQ(valor, caso.esperado) << caso.regional << " \"" << caso.texto << "\"";
    }
}

struct CasoComillas {
    std::string entrada;
    std::string salida;
};

TEST(QuitarComillas, DejaLoQueHayEntreLasComillas) {
    const std::string largo(500, 'x');
    const CasoComillas casos[] = {
        {"\"Ladrillo\"", "Ladrillo"},
        {"Ladrillo", "Ladrillo"}, // sin comillas delante no cambia
        {"Lad\"rillo\"", "Lad\"rillo\""},
        {"\"Ladrillo hueco\" = MATERIAL", "Ladrillo hueco"},
        {"\"sin cierre", "sin cierre"},
        {"\"\"", ""},
        {"\"", ""},
        {"", ""},
        {"\"Fábrica\"", "Fábrica"},
        {"\"" + largo + "\"", largo}, // sin límite de longitud
    };
    for (const CasoComillas& caso : casos) {
        AnsiString texto(caso.entrada);
        QuitarComillas(texto);
        EXPECT_EQ(texto.str(), caso.salida) << caso.entrada;
        std::string cadena = caso.entrada;
        QuitarComillas(cadena);
        EXPECT_EQ(cadena, caso.salida);
    }
}

TEST(PonerComillas, PoneElTextoEntreComillas) {
    const std::string largo(1000, 'y');
    const CasoComillas casos[] = {
        {"", "\"\""},
        {"Ladrillo hueco", "\"Ladrillo hueco\""},
        {"Fábrica", "\"Fábrica\""},
        {largo, "\"" + largo + "\""},
    };
    for (const CasoComillas& caso : casos) {
        AnsiString texto(caso.entrada);
        PonerComillas(texto);
        EXPECT_EQ(texto.str(), caso.salida);
        QuitarComillas(texto);
        EXPECT_EQ(texto.str(), caso.entrada);
    }
}

struct CasoRuta {
    const char* ruta;
    const char* sinExtension;
    const char* fichero;
    const char* extension;
};

const CasoRuta kRutas[] = {
    {"C:\\dir\\file.bdc", "file", "file.bdc", "bdc"},
    {"file.bdc", "file", "file.bdc", "bdc"},
    {"C:\\dir\\file", "file", "file", ""},
    {"C:\\my.dir\\file", "file", "file", ""}, // el punto de la carpeta no cuenta
    {"C:\\my.dir\\a.bdc", "a", "a.bdc", "bdc"},
    {"ab.c", "ab", "ab.c", "c"},
    {"a.b.c", "a.b", "a.b.c", "c"},
    {"/home/u/datos/base.BDC", "base", "base.BDC", "BDC"},
    {"C:\\dir/mixto.xml", "mixto", "mixto.xml", "xml"},
    {"datos/sub\\otro.Xml", "otro", "otro.Xml", "Xml"},
    {"C:\\dir\\", "", "dir\\", ""},
    {"C:\\dir/", "", "dir/", ""},
    {"", "", "", ""},
    {"x", "x", "x", ""},
    {"\\", "", "\\", ""},
    {".bdc", "", ".bdc", "bdc"},
    {"C:\\dir\\.bdc", "", ".bdc", "bdc"},
    {"file.", "file", "file.", ""},
    {"C:\\dir\\datos.extensionlarga", "datos", "datos.extensionlarga", "extensionlarga"},
    {"C:\\Mis Documentos\\Base Cerámica.bdc", "Base Cerámica", "Base Cerámica.bdc", "bdc"},
};

TEST(Rutas, NombreYExtensionDeLaUltimaParte) {
    for (const CasoRuta& caso : kRutas) {
        EXPECT_EQ(NombreSinExtension(caso.ruta).str(), caso.sinExtension) << caso.ruta;
        EXPECT_EQ(NombreFichero(caso.ruta).str(), caso.fichero) << caso.ruta;
        EXPECT_EQ(ExtensionFichero(caso.ruta).str(), caso.extension) << caso.ruta;
    }
}

TEST(Rutas, SinLimiteDeLongitud) {
    const std::string nombre(2000, 'n');
    const AnsiString ruta(std::string("C:\\") + std::string(700, 'c') + "\\" + nombre + ".bdc");
    EXPECT_EQ(NombreSinExtension(ruta).str(), nombre);
    EXPECT_EQ(NombreFichero(ruta).str(), nombre + ".bdc");
}

TEST(ListasDeCadenas, AnadirYCopiarConservanElOrden) {
    TStringList desde, hacia;
    Llenar(desde, {"a", "b", "c"});
    Llenar(hacia, {"x"});
    AnadirCadena(hacia, "y");
    CopiarCadenas(desde, hacia);
    EXPECT_EQ(Cadenas(hacia), (std::vector<std::string>{"x", "y", "a", "b", "c"}));
    AnadirCadenas(desde, hacia);
    EXPECT_EQ(Cadenas(hacia), (std::vector<std::string>{"x", "y", "a", "b", "c", "a", "b", "c"}));
    EXPECT_EQ(Cadenas(desde), (std::vector<std::string>{"a", "b", "c"}));

    // Sobre sí misma se duplica una sola vez.
    CopiarCadenas(desde, desde);
    EXPECT_EQ(Cadenas(desde), (std::vector<std::string>{"a", "b", "c", "a", "b", "c"}));
}

TEST(ListasDeCadenas, QuitarBorraSoloLaPrimeraAparicion) {
    TStringList lista;
    Llenar(lista, {"a", "b", "a", "c"});
    QuitarCadena(lista, "a");
    EXPECT_EQ(Cadenas(lista), (std::vector<std::string>{"b", "a", "c"}));
    QuitarCadena(lista, "z"); // ausente: nada
    EXPECT_EQ(Cadenas(lista), (std::vector<std::string>{"b", "a", "c"}));

    TStringList estas;
    Llenar(lista, {"a", "b", "a", "c", "a"});
    Llenar(estas, {"a", "c", "z"});
    QuitarCadenas(estas, lista);
    EXPECT_EQ(Cadenas(lista), (std::vector<std::string>{"b", "a", "a"}));
    Llenar(estas, {"a", "a"});
    QuitarCadenas(estas, lista);
    EXPECT_EQ(Cadenas(lista), (std::vector<std::string>{"b"}));

    // Una lista quitada de sí misma queda vacía.
    Llenar(lista, {"a", "b", "c"});
    QuitarCadenas(lista, lista);
    EXPECT_EQ(lista.GetCount(), 0);

    Llenar(lista, {"a", "b"});
    VaciarCadenas(lista);
    EXPECT_EQ(lista.GetCount(), 0);
}

} // namespace
