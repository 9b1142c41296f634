// Layers: el registro "LAYERS" escrito byte a byte y leído de vuelta con los dos separadores
// decimales, su copia invertida, los espesores que faltan o sobran, los materiales que se
// completan en la base compartida, las claves, la forma del programa hermano, el nodo XML,
// la copia y las filas de informe.

#include "comunes/FicheroLog.h"
#include "comunes/Idioma.h"
#include "comunes/Layers.h"
#include "comunes/LeerBDL.h"
#include "comunes/RegistroElementos.h"
#include "comunes/bdCerramientos.h"
#include "comunes/bdMateriales.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/string_list.h"
#include "plataforma/xml/xml_document.h"
#include "plataforma/xml/xml_node.h"
#include "plataforma/xml/xml_node_list.h"
#include "tests/comun/separador_regional.h"
#include "tests/comunes/elementos_prueba.h"
#include "tests/comunes/instalacion_prueba.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Cadenas(const TStrings& lista) {
    std::vector<std::string> cadenas;
    for (int i = 0; i < lista.GetCount(); ++i)
        cadenas.push_back(lista.GetStrings(i).str());
    return cadenas;
}

void Llenar(TStringList& lista, const std::vector<std::string>& cadenas) {
    lista.Clear();
    for (const std::string& cadena : cadenas)
        lista.Add(AnsiString(cadena));
}

// Cambia cada "#" por el separador decimal regional: los espesores se guardan con él.
std::vector<std::string> ConSeparador(std::vector<std::string> textos) {
    for (std::string& texto : textos)
        for (char& c : texto)
            if (c == '#') c = GetDecimalSeparator();
    return textos;
}

// Las bases compartidas de la lista del programa (materiales y cerramientos) en una
// carpeta de aplicación de prueba, para que el registro del modelo quede en ella.
class PruebaLayers : public InstalacionDePrueba {
protected:
    void SetUp() override {
        InstalacionDePrueba::SetUp();
        RegistrarElementos();
        materiales = bdMateriales::Instancia("programa", LISTA_PROGRAMA);
        cerramientos = bdCerramientos::Instancia("programa", materiales, LISTA_PROGRAMA);
    }
    void TearDown() override {
        cerramientos->Liberar();
        materiales->Liberar();
        if (catalogo != nullptr) catalogo->Liberar();
        InstalacionDePrueba::TearDown();
    }

    // Un material de propiedades de la base dada.
    ObjetoBase* Material(bdMateriales* base, const AnsiString& nombre, float espesor,
                         float conductividad, const AnsiString& dumvat = "") {
        ObjetoBase* material = base->BuscarPorNombre(base->CrearHijo(nombre, TIPO_MATERIAL));
        material->PonerReal("Espesor", espesor);
        material->PonerReal("Conductividad", conductividad);
        material->AsignarPropiedad("Dumvat", dumvat);
        return material;
    }
    ObjetoBase* MaterialResistencia(const AnsiString& nombre, float resistencia,
                                    const AnsiString& dumvat = "") {
        ObjetoBase* material = Material(materiales, nombre, 0.1f, 0.6f, dumvat);
        material->AsignarPropiedad("Tipologia", "RESISTENCIA");
        material->PonerReal("Resistencia", resistencia);
        return material;
    }

    // Un cerramiento nuevo de la base, con sus capas.
    Layers* Cerramiento(const AnsiString& nombre, const std::vector<std::string>& nombres,
                        const std::vector<std::string>& espesores) {
        auto* cerramiento = dynamic_cast<Layers*>(
            cerramientos->BuscarPorNombre(cerramientos->CrearHijo(nombre, TIPO_CERRAMIENTO)));
        EXPECT_NE(cerramiento, nullptr);
        cerramiento->PonerMateriales(materiales);
        TStringList lista;
        Llenar(lista, nombres);
        cerramiento->PonerLista("Materiales", lista);
        Llenar(lista, espesores);
        cerramiento->PonerLista("Espesores", lista);
        return cerramiento;
    }

    // Lee el registro de ese nombre, como un cargador, en un cerramiento nuevo de la base
    // (bajo un nombre libre) que resuelve sus materiales en "propios".
    Layers* Leido(const std::string& contenido, const AnsiString& nombre,
                  bdMateriales* propios = nullptr) {
        LeerBDL fuente(LeerBDL::EnMemoria{}, contenido);
        auto* cerramiento = dynamic_cast<Layers*>(cerramientos->BuscarPorNombre(
            cerramientos->CrearHijoNumerado(nombre, TIPO_CERRAMIENTO, false)));
        EXPECT_NE(cerramiento, nullptr);
        cerramiento->PonerMateriales(propios != nullptr ? propios : materiales);
        bool encontrado = false;
        auto registro = LeerBDL::ExtraerObjeto(fuente, "LAYERS ", "\"" + nombre + "\"", encontrado);
        EXPECT_TRUE(encontrado) << nombre.c_str();
        cerramiento->Leer(registro.get());
        cerramiento->PonerMateriales(materiales);
        return cerramiento;
    }

    static std::vector<std::string> Lista(const ObjetoBase& elemento, const char* clave) {
        TStringList lista;
        elemento.ObtenerLista(clave, lista);
        return Cadenas(lista);
    }

    bool Utilizado(const char* nombre) {
        return materiales->BuscarPorNombre(nombre)->EsUtilizado();
    }

    bdMateriales* materiales = nullptr;
    bdCerramientos* cerramientos = nullptr;
    bdMateriales* catalogo = nullptr;
};

// Un cerramiento de fachada: nombres con acentos, comas y blancos.
const std::string kFachada = LineasCRLF({
    "\"Fachada, cámara y yeso\" = LAYERS",
    "    GROUP        = \"Fábricas de ladrillo\"",
    "    NAME_DUMVAT = \"FACH-1 ñ\"",
    "    MATERIAL     = (\"Ladrillo ½ pie\",\"Cámara de aire\",\"Yeso, enlucido\")",
    "    THICKNESS = ( 0.115000, 0.050000, " + Numero14g("0.015") + ")",
    "    LIBRARY       =  NO",
    "    UTIL          =  YES",
    "..",
});

TEST_F(PruebaLayers, ElRegistroSeEscribeComoSeGuardaEnLaBase) {
    Material(materiales, "Ladrillo ½ pie", 0.24f, 0.5f);
    Material(materiales, "Yeso, enlucido", 0.02f, 0.3f);
    Layers* fachada = Cerramiento("Fachada, cámara y yeso",
                                  {"Ladrillo ½ pie", "Cámara de aire", "Yeso, enlucido"},
                                  {"0.115", "0.050", "0.015"});
    fachada->AsignarPropiedad("Grupo", "Fábricas de ladrillo");
    fachada->AsignarPropiedad("Dumvat", "FACH-1 ñ");
    fachada->PonerLogico("Utilizado", true);
    EXPECT_EQ(Escrito([&](FileWriter& f) { fachada->Escribir(f); }), kFachada);
    EXPECT_EQ(Escrito([&](FileWriter& f) { fachada->EscribirSinLibreria(f, 1); }), kFachada);
}

TEST_F(PruebaLayers, ElRegistroSeLeeYSeVuelveAEscribirIgual) {
    Material(materiales, "Ladrillo ½ pie", 0.24f, 0.5f);
    const std::string nombreLargo(150, 'M');
    const std::string casos[] = {
        kFachada,
        // Una capa, de librería y sin uso: el único espesor va directo con "%14.7g".
        LineasCRLF({
            "\"Tabique\" = LAYERS",
            "    GROUP        = \"Particiones\"",
            "    NAME_DUMVAT = \"\"",
            "    MATERIAL     = (\"Ladrillo ½ pie\")",
            "    THICKNESS = ( " + Numero14g("0.07") + ")",
            "    LIBRARY       =  YES",
            "    UTIL          =  NO",
            "..",
        }),
        // Un espesor de 0.005 en medio y uno de 0 al final; un nombre muy largo.
        LineasCRLF({
            "\"" + nombreLargo + "\" = LAYERS",
            "    GROUP        = \"Otro\"",
            "    NAME_DUMVAT = \"" + nombreLargo + "\"",
            "    MATERIAL     = (\"A\",\"B\",\"" + nombreLargo + "\")",
            "    THICKNESS = ( 1.250000, 0.005000, " + Numero14g("0") + ")",
            "    LIBRARY       =  NO",
            "    UTIL          =  YES",
            "..",
        }),
    };
    for (char separador : {'.', ','}) {
        SeparadorRegional regional(separador);
        for (const std::string& caso : casos) {
            SCOPED_TRACE(caso.substr(0, 30) + " con '" + separador + "'");
            // Por un fichero de verdad: el registro se escribe, se lee del fichero y se
            // vuelve a escribir.
            AnsiString nombre = caso.substr(1, caso.find('"', 1) - 1);
            Layers* primero = Leido(caso, nombre);
            Layers segundo(nombre);
            segundo.PonerMateriales(materiales);
            IdaYVuelta idaYVuelta = EscribirLeerEscribir(*primero, segundo, "LAYERS ");
            EXPECT_EQ(idaYVuelta.primera, caso);
            EXPECT_EQ(idaYVuelta.segunda, caso);
            cerramientos->Vaciar();
        }
    }
}

// Un fichero retocado a mano con tabuladores entre cada palabra clave y su "=" se lee como
// el escrito por el programa: el cerramiento conserva sus capas y se vuelve a escribir igual.
TEST_F(PruebaLayers, UnTabuladorAntesDelIgualSeLeeComoUnBlanco) {
    Material(materiales, "Ladrillo ½ pie", 0.24f, 0.5f);
    Material(materiales, "Yeso, enlucido", 0.02f, 0.3f);
    std::string conTabuladores = kFachada;
    for (size_t p = conTabuladores.find(" =", conTabuladores.find('\n')); p != std::string::npos;
         p = conTabuladores.find(" =", p + 2)) {
        size_t inicio = p;
        while (inicio > 0 && conTabuladores[inicio - 1] == ' ')
            --inicio;
        conTabuladores.replace(inicio, p + 1 - inicio, "\t");
        p = inicio;
    }
    ASSERT_NE(conTabuladores.find("MATERIAL\t= ("), std::string::npos);
    Layers* fachada = Leido(conTabuladores, "Fachada, cámara y yeso");
    EXPECT_EQ(Lista(*fachada, "Materiales"),
              (std::vector<std::string>{"Ladrillo ½ pie", "Cámara de aire", "Yeso, enlucido"}));
    EXPECT_EQ(Escrito([&](FileWriter& f) { fachada->Escribir(f); }), kFachada);
}

TEST_F(PruebaLayers, LosEspesoresLlevanElSeparadorRegional) {
    for (char separador : {'.', ','}) {
        SeparadorRegional regional(separador);
        Layers* fachada = Leido(kFachada, "Fachada, cámara y yeso");
        EXPECT_EQ(Lista(*fachada, "Espesores"), ConSeparador({"0#115", "0#050", "0#015"}));
        float total = 0.0f;
        fachada->ObtenerReal("Espesor", total);
        EXPECT_FLOAT_EQ(total, 0.18f);
        cerramientos->Vaciar();
    }
}

TEST_F(PruebaLayers, LaVarianteInvierteLasCapas) {
    Layers* muro = Cerramiento("Muro", {"A", "B", "C"}, {"0.100", "0.200", "0.300"});
    muro->AsignarPropiedad("Dumvat", "M");
    const std::string registro = LineasCRLF({
        "\"Muro\" = LAYERS",
        "    GROUP        = \"Otro\"",
        "    NAME_DUMVAT = \"M\"",
        "    MATERIAL     = (\"A\",\"B\",\"C\")",
        "    THICKNESS = ( 0.100000, 0.200000, " + Numero14g("0.3") + ")",
        "    LIBRARY       =  NO",
        "    UTIL          =  NO",
        "..",
    });
    const std::string invertido = LineasCRLF({
        "\"I_Muro\" = LAYERS",
        "    GROUP        = \"Otro\"",
        "    NAME_DUMVAT = \"I_M\"",
        "    MATERIAL     = (\"C\",\"B\",\"A\")",
        "    THICKNESS = ( 0.300000, 0.200000, " + Numero14g("0.1") + ")",
        "    LIBRARY       =  NO",
        "    UTIL          =  NO",
        "..",
    });
    EXPECT_EQ(Escrito([&](FileWriter& f) { muro->EscribirVariante(f); }), registro + invertido);
}

TEST_F(PruebaLayers, SoloLaUltimaCapaEscribeUnEspesorNoPositivo) {
    Layers* muro = Cerramiento("Muro", {"A", "B", "C"}, {"0.000", "-0.200", "-0.300"});
    const std::string escrito = Escrito([&](FileWriter& f) { muro->Escribir(f); });
    EXPECT_NE(escrito.find("    THICKNESS = ( 0.005000, 0.005000, " + Numero14g("-0.3") + ")\r\n"),
              std::string::npos)
        << escrito;
}

TEST_F(PruebaLayers, SinCapasNoSeEscribeNada) {
    Layers* vacio = Cerramiento("Vacío", {}, {});
    vacio->PonerLogico("Utilizado", true);
    EXPECT_EQ(Escrito([&](FileWriter& f) {
                  vacio->Escribir(f);
                  vacio->EscribirVariante(f);
                  vacio->EscribirSinLibreria(f, 1);
                  vacio->Exportar(f);
              }),
              "");
    TXMLDocument leido;
    IXMLNode* nodo = XMLLeido(*vacio, leido);
    ASSERT_NE(nodo, nullptr);
    EXPECT_EQ(nodo->GetChildNodes()->FindNode("Material"), nullptr);
    EXPECT_EQ(TextoHijo(nodo, "util"), "YES");
}

TEST_F(PruebaLayers, UnRegistroSinPalabrasClaveDejaLosDefectos) {
    Layers nuevo("Nuevo");
    EXPECT_EQ(nuevo.ObtenerTipo(), TIPO_CERRAMIENTO);
    // Sin palabras clave; y con un grupo vacío, que pasa a ser "Otro".
    struct Caso {
        const char* nombre;
        const char* lineas;
        EstadoValor estadoGrupo;
    };
    const Caso casos[] = {
        {"Nuevo", "", ESTADO_DEFECTO},
        {"Vacío", "    GROUP        = \"\"\n", ESTADO_FICHERO},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        Layers* leido = Leido(
            "\"" + std::string(caso.nombre) + "\" = LAYERS\n" + caso.lineas + "..\n", caso.nombre);
        struct Texto {
            const char* clave;
            const char* valor;
        };
        for (const Texto& t :
             {Texto{"Grupo", "Otro"}, Texto{"Nombre completo", ""}, Texto{"Dumvat", ""},
              Texto{"Numero materiales", "0"}, Texto{"Ifr", "0"}}) {
            AnsiString valor = "sin tocar";
            leido->ValorPropiedad(t.clave, valor);
            EXPECT_EQ(valor, t.valor) << t.clave;
        }
        EstadoValor estado = ESTADO_USUARIO;
        leido->ObtenerEstado("Nombre", estado);
        EXPECT_EQ(estado, ESTADO_FICHERO);
        leido->ObtenerEstado("Grupo", estado);
        EXPECT_EQ(estado, caso.estadoGrupo);
        leido->ObtenerEstado("Ifr", estado);
        EXPECT_EQ(estado, ESTADO_DEFECTO);
        EXPECT_FALSE(leido->EsLibreria());
        EXPECT_FALSE(leido->EsUtilizado());
        EXPECT_TRUE(Lista(*leido, "Materiales").empty());
        EXPECT_TRUE(Lista(*leido, "Espesores").empty());
    }
    // Sin capas y sin espesores no hay nada que anotar.
    EXPECT_EQ(FicheroLog::Instancia()->Texto().Pos("CERRAMIENTO"), 0);
}

TEST_F(PruebaLayers, LosEspesoresQueFaltanTomanElDeSuMaterialYLosQueSobranSeDescartan) {
    Material(materiales, "A", 0.24f, 0.5f);
    Material(materiales, "B", 0.05f, 0.5f);
    // "C" no está en ninguna base: la lectura lo crea con el espesor de un material nuevo.
    struct Caso {
        const char* espesores; // la línea THICKNESS, o nada
        std::vector<std::string> leidos;
        const char* anotado; // lo que dice el registro del modelo, o nada
    };
    const Caso casos[] = {
        {nullptr, {"0#240", "0#050", "0#100"}, "CERRAMIENTO: Muro sin espesores"},
        {"( 0.3)", {"0#300", "0#050", "0#100"}, "CERRAMIENTO: Muro con 1 espesores para 3 capas"},
        {"( 0.3, 0.2, 0.1, 0.9)",
         {"0#300", "0#200", "0#100"},
         "CERRAMIENTO: Muro con 4 espesores para 3 capas: se descartan"},
        {"( 0.3, 0.2, 0.1)", {"0#300", "0#200", "0#100"}, nullptr},
    };
    for (char separador : {'.', ','}) {
        SeparadorRegional regional(separador);
        for (const Caso& caso : casos) {
            SCOPED_TRACE(std::string(caso.espesores ? caso.espesores : "sin THICKNESS") + " con '" +
                         separador + "'");
            FicheroLog::Instancia()->Inicializar();
            std::string registro = "\"Muro\" = LAYERS\n    MATERIAL = (\"A\",\"B\",\"C\")\n";
            if (caso.espesores) registro += std::string("    THICKNESS = ") + caso.espesores + "\n";
            Layers* muro = Leido(registro + "..\n", "Muro");
            EXPECT_EQ(Lista(*muro, "Espesores"), ConSeparador(caso.leidos));
            const AnsiString log = FicheroLog::Instancia()->Texto();
            if (caso.anotado)
                EXPECT_GT(log.Pos(caso.anotado), 0) << log.c_str();
            else
                EXPECT_EQ(log.Pos("CERRAMIENTO"), 0) << log.c_str();
            // Lo escrito lleva un espesor por material, con el punto (el último es 0.1).
            std::string espesores = "( ";
            for (size_t i = 0; i + 1 < caso.leidos.size(); ++i)
                espesores += caso.leidos[i] + "000, ";
            for (char& c : espesores)
                if (c == '#') c = '.';
            const std::string escrito = Escrito([&](FileWriter& f) { muro->Escribir(f); });
            EXPECT_NE(escrito.find(espesores + Numero14g("0.1") + ")"), std::string::npos)
                << escrito;
            cerramientos->Vaciar();
        }
    }
}

TEST_F(PruebaLayers, LaLecturaCompletaLosMaterialesEnLaBaseCompartida) {
    // Como al cargar una base de programa: las capas se resuelven en el catálogo.
    catalogo = bdMateriales::Instancia(LISTA_ESTANDAR);
    Material(catalogo, "Ladrillo", 0.24f, 0.7f, "LAD");
    Material(catalogo, "Yeso", 0.5f, 0.9f);
    Material(materiales, "Yeso", 0.02f, 0.3f);
    Layers* muro =
        Leido(LineasCRLF({"\"Muro\" = LAYERS", "    MATERIAL = (\"Ladrillo\",\"Yeso\",\"Nuevo\")",
                          "    THICKNESS = ( 0.24, 0.02, 0.1)", ".."}),
              "Muro", catalogo);

    struct Esperado {
        const char* nombre;
        float conductividad;
        const char* dumvat;
    };
    for (const Esperado& e : {Esperado{"Ladrillo", 0.7f, "LAD"}, Esperado{"Yeso", 0.3f, ""},
                              Esperado{"Nuevo", 0.6f, ""}}) {
        ObjetoBase* material = materiales->BuscarPorNombre(e.nombre);
        ASSERT_NE(material, nullptr) << e.nombre;
        float conductividad = 0.0f;
        material->ObtenerReal("Conductividad", conductividad);
        EXPECT_FLOAT_EQ(conductividad, e.conductividad) << e.nombre;
        AnsiString dumvat;
        material->ValorPropiedad("Dumvat", dumvat);
        EXPECT_EQ(dumvat, e.dumvat) << e.nombre;
    }
    EXPECT_EQ(catalogo->BuscarPorNombre("Nuevo"), nullptr);
    EXPECT_EQ(materiales->NumeroHijos(), 3);

    // Un cerramiento que no está en ninguna base no crea nada.
    TStringList nombres;
    nombres.Add("Otro material");
    Layers suelto("Suelto");
    suelto.CompletarMateriales(nombres);
    EXPECT_EQ(materiales->BuscarPorNombre("Otro material"), nullptr);
    EXPECT_EQ(Lista(*muro, "Materiales"), (std::vector<std::string>{"Ladrillo", "Yeso", "Nuevo"}));
}

TEST_F(PruebaLayers, ElNombreSoloCambiaSiEsValidoYLibre) {
    Cerramiento("Muro B", {}, {});
    Layers* muro = Cerramiento("Muro A", {}, {});
    struct Caso {
        const char* nombre;
        const char* queda;
        EstadoValor estado;
    };
    const Caso casos[] = {
        {"Muro.B", "Muro A", ESTADO_RECHAZADO}, // el punto no vale
        {"Muro ñ", "Muro A", ESTADO_RECHAZADO}, // ni las letras acentuadas
        {"Muro B", "Muro A", ESTADO_USUARIO},   // ya lo lleva otro
        {"programa", "Muro A", ESTADO_USUARIO}, // es el de la base
        {"Muro C, 2", "Muro C, 2", ESTADO_USUARIO},
    };
    for (const Caso& caso : casos) {
        muro->AsignarPropiedad("Nombre", caso.nombre);
        EstadoValor estado = ESTADO_DEFECTO;
        muro->ObtenerEstado("Nombre", estado);
        EXPECT_EQ(muro->ObtenerNombre(), caso.queda) << caso.nombre;
        EXPECT_EQ(estado, caso.estado) << caso.nombre;
    }
    EXPECT_EQ(cerramientos->BuscarPorNombre("Muro C, 2"), muro);
}

TEST_F(PruebaLayers, LasClavesDeTextoYSusEstados) {
    Layers muro("Muro");
    struct Caso {
        const char* clave;
        const char* texto;
        EstadoValor estado;
    };
    const Caso casos[] = {
        {"Grupo", "Fachadas", ESTADO_USUARIO},
        {"Grupo", "Grupo defecto", ESTADO_DEFECTO},
        {"Nombre completo", "Muro de fachada", ESTADO_USUARIO},
        {"Nombre completo", "Nombre defecto", ESTADO_DEFECTO},
    };
    for (const Caso& caso : casos) {
        muro.AsignarPropiedad(caso.clave, caso.texto);
        AnsiString valor;
        muro.ValorPropiedad(caso.clave, valor);
        EstadoValor estado = ESTADO_FICHERO;
        muro.ObtenerEstado(caso.clave, estado);
        EXPECT_EQ(valor, caso.texto) << caso.clave;
        EXPECT_EQ(estado, caso.estado) << caso.clave << " = " << caso.texto;
    }
    muro.AsignarPropiedad("Dumvat", "MURO-1");
    AnsiString valor = "sin tocar";
    muro.ValorPropiedad("Dumvat", valor);
    EXPECT_EQ(valor, "MURO-1");

    // Una clave que no conoce no cambia nada.
    valor = "sin tocar";
    muro.ValorPropiedad("Espesor", valor);
    EXPECT_EQ(valor, "sin tocar");
    float real = -1.0f;
    muro.ObtenerReal("Conductividad", real);
    EXPECT_EQ(real, -1.0f);
    bool logico = true;
    muro.ObtenerLogico("Libreria", logico);
    EXPECT_TRUE(logico);
    muro.PonerLogico("Vertical", true);
    logico = false;
    muro.ObtenerLogico("Vertical", logico);
    EXPECT_TRUE(logico);
}

TEST_F(PruebaLayers, LasListasDeCapas) {
    Layers* muro = Cerramiento("Muro", {"A", "B"}, {"0.100", "0.200"});
    TStringList lista;
    lista.Add("antes");
    muro->ObtenerLista("Materiales", lista);
    EXPECT_EQ(Cadenas(lista), (std::vector<std::string>{"antes", "A", "B"}));
    int numero = 0;
    muro->ObtenerEntero("Numero materiales", numero);
    EXPECT_EQ(numero, 2);
    EXPECT_EQ(muro->NombreMaterial(1), "B");
    EXPECT_EQ(muro->NombreMaterial(2), "");
    EXPECT_TRUE(muro->Utiliza("A"));
    EXPECT_FALSE(muro->Utiliza("a"));

    muro->CambiarNombreMaterial(0, "C");
    muro->CambiarNombreMaterial(5, "D");
    EXPECT_EQ(Lista(*muro, "Materiales"), (std::vector<std::string>{"C", "B"}));

    Llenar(lista, {"X", "Y", "Z"});
    muro->PonerNombresMateriales(lista);
    EXPECT_EQ(Lista(*muro, "Materiales"), (std::vector<std::string>{"X", "Y", "Z"}));
    EXPECT_EQ(Lista(*muro, "Espesores"), (std::vector<std::string>{"0.100", "0.200"}));

    muro->Vaciar();
    EXPECT_TRUE(Lista(*muro, "Materiales").empty());
    EXPECT_TRUE(Lista(*muro, "Espesores").empty());
}

TEST_F(PruebaLayers, ElUsoPasaALosMaterialesDeLasCapas) {
    Material(materiales, "Ladrillo", 0.24f, 0.5f);
    Material(materiales, "Yeso", 0.02f, 0.3f);
    Material(materiales, "Ajeno", 0.02f, 0.3f);
    Layers* muro = Cerramiento("Muro", {"Ladrillo", "Falta", "Yeso"}, {"0.1", "0.1", "0.1"});

    muro->PonerLogico("Utilizado", true);
    EXPECT_TRUE(Utilizado("Ladrillo"));
    EXPECT_TRUE(Utilizado("Yeso"));
    EXPECT_FALSE(Utilizado("Ajeno"));
    muro->PonerLogico("Utilizado", false);
    EXPECT_FALSE(Utilizado("Ladrillo"));
    EXPECT_FALSE(Utilizado("Yeso"));

    // Guardarlo en una base marca sus materiales, aunque el cerramiento no esté en uso: se
    // escriben como utilizados, pero la marca no los da por usados (eso lo dicen las capas).
    Escrito([&](FileWriter& f) { muro->Escribir(f); });
    auto escritoUtilizado = [&](const char* nombre) {
        const std::string texto =
            Escrito([&](FileWriter& f) { materiales->BuscarPorNombre(nombre)->Escribir(f); });
        return texto.find("UTIL          =  YES") != std::string::npos;
    };
    EXPECT_TRUE(escritoUtilizado("Ladrillo"));
    EXPECT_TRUE(escritoUtilizado("Yeso"));
    EXPECT_FALSE(escritoUtilizado("Ajeno"));
    EXPECT_FALSE(Utilizado("Ladrillo"));
    EXPECT_TRUE(cerramientos->MaterialUtilizado("Yeso"));
    EXPECT_FALSE(cerramientos->MaterialUtilizado("Ajeno"));
}

TEST_F(PruebaLayers, LaExportacionLlevaSoloLasCapasConMaterialYSuCopiaInvertida) {
    Material(materiales, "Ladrillo", 0.24f, 0.5f, "LAD");
    MaterialResistencia("Cámara", 0.18f, "CAM");
    Layers* muro = Cerramiento("Muro", {"Ladrillo", "Falta", "Cámara"}, {"0.25", "0.1", "0.05"});
    EXPECT_EQ(Escrito([&](FileWriter& f) { muro->Exportar(f); }), "") << "sin uso";

    muro->PonerLogico("Utilizado", true);
    const std::string esperado = LineasCRLF({
        "\"Muro\" = LAYERS",
        "    MATERIAL = (\"LAD\",",
        " \"CAM\")",
        "    THICKNESS = (0.250, 0.050)",
        "..",
        "\"I_Muro\" = LAYERS",
        "    MATERIAL = (\"CAM\",",
        " \"LAD\")",
        "    THICKNESS = (0.050, 0.250)",
        "..",
        "    \"Muro-C\" =  CONSTRUCTION",
        "    TYPE   = LAYERS  ",
        "    LAYERS = \"Muro\" ",
        "    ..",
        "    \"I_Muro-C\" =  CONSTRUCTION",
        "    TYPE   = LAYERS  ",
        "    LAYERS = \"I_Muro\" ",
        "    ..",
    });
    for (char separador : {'.', ','}) {
        SeparadorRegional regional(separador);
        TStringList espesores;
        Llenar(espesores, ConSeparador({"0#250", "0#100", "0#050"}));
        muro->PonerLista("Espesores", espesores);
        EXPECT_EQ(Escrito([&](FileWriter& f) { muro->Exportar(f); }), esperado);
    }
    TStringList nombres;
    muro->ListarNombresDumvat(nombres);
    EXPECT_EQ(Cadenas(nombres), (std::vector<std::string>{"LAD", "CAM"}));

    // Sin ningún material en la base no hay registro que escribir.
    Layers* perdido = Cerramiento("Perdido", {"Falta"}, {"0.1"});
    perdido->PonerLogico("Utilizado", true);
    EXPECT_EQ(Escrito([&](FileWriter& f) { perdido->Exportar(f); }), "");
}

TEST_F(PruebaLayers, ElNodoXMLEsBienFormadoYSeLeeDeVuelta) {
    SeparadorRegional regional(',');
    Layers* fachada = Leido(kFachada, "Fachada, cámara y yeso");
    fachada->MarcarLibreria();
    std::string bytes;
    TXMLDocument leido;
    IXMLNode* nodo = XMLLeido(*fachada, leido, &bytes);
    ASSERT_NE(nodo, nullptr);
    EXPECT_NE(bytes.find("Fachada, c\xC3\xA1mara y yeso"), std::string::npos) << "en UTF-8";
    EXPECT_EQ(nodo->GetNodeName(), "Layer");
    EXPECT_EQ(nodo->GetAttributes("name"), "Fachada, cámara y yeso");

    std::vector<std::string> capas;
    IXMLNodeList* hijos = nodo->GetChildNodes();
    for (int i = 0; i < hijos->GetCount(); ++i) {
        IXMLNode* hijo = hijos->GetNodes(i);
        if (hijo->GetNodeName() == "Material")
            capas.push_back((TextoHijo(hijo, "name") + " " + TextoHijo(hijo, "thickness")).str());
    }
    EXPECT_EQ(capas, (std::vector<std::string>{"Ladrillo ½ pie 0,115", "Cámara de aire 0,050",
                                               "Yeso, enlucido 0,015"}));
    EXPECT_EQ(TextoHijo(nodo, "library"), "YES");
    EXPECT_EQ(TextoHijo(nodo, "util"), "YES");
    EXPECT_EQ(TextoHijo(nodo, "group"), "Fábricas de ladrillo");
    EXPECT_EQ(TextoHijo(nodo, "nameDumvat"), "FACH-1 ñ");
}

TEST_F(PruebaLayers, LaCopiaTomaLasCapasYLosTextosSinNombreNiEstados) {
    Layers fuente("Fuente");
    LeerBDL abreviado(LeerBDL::EnMemoria{}, "$LIBRARY-ENTRY\n    MAT = ( \"A\", \"B\" )\n"
                                            "    TH = ( 0.12345, 0.2 )\n    I-F-R = 0.35\n..\n");
    fuente.LeerAbreviadoCapas(&abreviado);
    EXPECT_EQ(Lista(fuente, "Materiales"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(Lista(fuente, "Espesores"), (std::vector<std::string>{"0.1235", "0.2000"}));
    AnsiString ifr;
    fuente.ValorPropiedad("Ifr", ifr);
    EXPECT_EQ(ifr, "0.349999994039536");
    EstadoValor estado = ESTADO_DEFECTO;
    fuente.ObtenerEstado("Ifr", estado);
    EXPECT_EQ(estado, ESTADO_FICHERO);

    fuente.AsignarPropiedad("Grupo", "Cubiertas");
    fuente.AsignarPropiedad("Nombre completo", "Cubierta plana");
    fuente.AsignarPropiedad("Dumvat", "CUB");
    fuente.PonerLogico("Utilizado", true);
    fuente.PonerLogico("Vertical", true);
    fuente.MarcarLibreria();

    Layers copia("Copia");
    TStringList previas;
    previas.Add("Previa");
    copia.PonerNombresMateriales(previas);
    copia.CopiarDe(fuente);
    EXPECT_EQ(copia.ObtenerNombre(), "Copia");
    EXPECT_EQ(Lista(copia, "Materiales"), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(Lista(copia, "Espesores"), (std::vector<std::string>{"0.1235", "0.2000"}));
    for (const char* clave : {"Ifr", "Grupo", "Nombre completo", "Dumvat"}) {
        AnsiString original, copiado;
        fuente.ValorPropiedad(clave, original);
        copia.ValorPropiedad(clave, copiado);
        EXPECT_EQ(copiado, original) << clave;
    }
    copia.ObtenerEstado("Ifr", estado);
    EXPECT_EQ(estado, ESTADO_DEFECTO);
    copia.ObtenerEstado("Grupo", estado);
    EXPECT_EQ(estado, ESTADO_DEFECTO);
    EXPECT_TRUE(copia.EsUtilizado());
    EXPECT_TRUE(copia.EsLibreria());
    bool vertical = true;
    copia.ObtenerLogico("Vertical", vertical);
    EXPECT_FALSE(vertical);
}

TEST_F(PruebaLayers, LasFilasDeInformeSaltanLasCapasSinMaterial) {
    Material(materiales, "Ladrillo", 0.24f, 0.5f);
    MaterialResistencia("Cámara", 0.18f);
    Material(materiales, "Sin conductividad", 0.04f, 0.0f);
    struct Caso {
        std::vector<std::string> capas;
        std::vector<std::string> espesores;
        std::vector<std::string> fila;
        std::vector<std::string> columnaEspesores;
    };
    // R = 0.25 / 0.5 + 0.18 + 0.17 = 0.85, U = 1.18; con conductividad 0 la capa cuenta
    // con la resistencia que el material se calcula, 10: U = 1 / 10.17. Los valores fijos
    // "0.000" y "0.00" se escriben tal cual.
    const Caso casos[] = {
        {{"Ladrillo", "Falta", "Cámara"},
         {"0#250", "0#100", "0#050"},
         {"Muro", "1#18", "0.00"},
         {"0#250", "0.000"}},
        {{"Sin conductividad"}, {"0#040"}, {"Muro", "0#10", "0.00"}, {"0#040"}},
        {{}, {}, {"Muro", "5#88", "0.00"}, {}},
    };
    for (char separador : {'.', ','}) {
        SeparadorRegional regional(separador);
        for (const Caso& caso : casos) {
            Layers* muro = Cerramiento("Muro", caso.capas, ConSeparador(caso.espesores));
            TStringList fila, columnaMateriales, columnaEspesores;
            muro->InformeCapas(fila, columnaMateriales, columnaEspesores);
            EXPECT_EQ(fila.GetCount(), 0) << "sin uso";

            muro->PonerLogico("Utilizado", true);
            muro->InformeCapas(fila, columnaMateriales, columnaEspesores);
            EXPECT_EQ(Cadenas(fila), ConSeparador(caso.fila));
            EXPECT_EQ(Cadenas(columnaEspesores), ConSeparador(caso.columnaEspesores));
            std::vector<std::string> encontrados;
            for (const std::string& capa : caso.capas)
                if (capa != "Falta") encontrados.push_back(capa);
            EXPECT_EQ(Cadenas(columnaMateriales), encontrados);
            cerramientos->Vaciar();
        }
    }

    // La variante regional añade si es de librería.
    Idioma::Instancia()->FijarCodigoParaPruebas(2);
    for (bool libreria : {false, true}) {
        Layers* muro = Cerramiento("Muro", {"Ladrillo"}, {"0.250"});
        muro->PonerLogico("Utilizado", true);
        muro->MarcarLibreria(libreria);
        TStringList fila, columnaMateriales, columnaEspesores;
        muro->InformeCapas(fila, columnaMateriales, columnaEspesores);
        EXPECT_EQ(Cadenas(fila),
                  (std::vector<std::string>{"Muro", "1.49", "0.00", libreria ? "--" : "SI"}));
        cerramientos->Vaciar();
    }
}

} // namespace
