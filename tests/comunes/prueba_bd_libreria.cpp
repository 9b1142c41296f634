// Las bases de datos de elementos: una instancia compartida por tipo de lista, Liberar y
// Vaciar (con el borrado de los elementos), la copia por nombres, las marcas de uso, el
// uso de materiales, acristalamientos y marcos, y los factores solares sin definir.

#include "comunes/Acristalamiento.h"
#include "comunes/Material.h"
#include "comunes/RegistroElementos.h"
#include "comunes/bdAcristalamientos.h"
#include "comunes/bdCerramientos.h"
#include "comunes/bdHuecos.h"
#include "comunes/bdMarcos.h"
#include "comunes/bdMateriales.h"
#include "comunes/bdPuentesTermicos.h"
#include "tests/comunes/prueba_bd_entorno.h"

#include "plataforma/base/string_list.h"

#include <gtest/gtest.h>

#include <memory>

#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

// Un elemento que cuenta cuántos de los suyos se han borrado y usa los nombres que se le
// dan.
class ElementoContado : public ObjetoBase {
public:
    ElementoContado(const AnsiString& nombre, int& borrados, std::vector<AnsiString> usa = {})
        : ObjetoBase(nombre), borrados_(borrados), usa_(std::move(usa)) {}
    ~ElementoContado() override { ++borrados_; }
    bool Utiliza(const AnsiString& nombre) const override {
        for (const AnsiString& usado : usa_)
            if (usado == nombre) return true;
        return false;
    }
    void PonerLogico(const AnsiString& clave, bool valor) override {
        if (clave == "Utilizado") utilizado = valor;
    }

private:
    int& borrados_;
    std::vector<AnsiString> usa_;
};

TStringList& Lista(TStringList& lista, std::initializer_list<const char*> nombres) {
    for (const char* nombre : nombres)
        lista.Add(nombre);
    return lista;
}

std::string Nombres(const Contenedor& base) {
    TStringList nombres;
    base.ListarNombres(nombres);
    std::string texto;
    for (int i = 0; i < nombres.GetCount(); ++i)
        texto += std::string(nombres.GetStrings(i).c_str()) + ";";
    return texto;
}

// Cada prueba deja las instancias compartidas como las encontró: ninguna.
class BasesDeDatos : public ::testing::Test {
protected:
    void SetUp() override { RegistrarElementos(); }
    void TearDown() override { LiberarBasesCompartidas(); }
};

TEST_F(BasesDeDatos, UnaInstanciaCompartidaPorTipoDeLista) {
    struct Clase {
        const char* que;
        std::function<bdLibreria*(const AnsiString&, TipoLista)> conNombre;
        std::function<bdLibreria*(TipoLista)> sinNombre; // vacía: no la hay
        const char* nombres[3];                          // de los tipos 0, 2 y 3
    };
    const Clase clases[] = {
        {"materiales",
         [](const AnsiString& n, TipoLista t) { return bdMateriales::Instancia(n, t); },
         [](TipoLista t) { return bdMateriales::Instancia(t); },
         {"estandar", "usuario", "programa"}},
        {"cerramientos",
         [](const AnsiString& n, TipoLista t) { return bdCerramientos::Instancia(n, nullptr, t); },
         [](TipoLista t) { return bdCerramientos::Instancia(t); },
         {"ListaCerEstandar", "ListaCerUsuario", "ListaPrograma"}},
        {"acristalamientos",
         [](const AnsiString& n, TipoLista t) { return bdAcristalamientos::Instancia(n, t); },
         [](TipoLista t) { return bdAcristalamientos::Instancia(t); },
         {"ListaAcrEstandar", "ListaAcrUsuario", "ListaPrograma"}},
        {"marcos",
         [](const AnsiString& n, TipoLista t) { return bdMarcos::Instancia(n, t); },
         [](TipoLista t) { return bdMarcos::Instancia(t); },
         {"ListaMarEstandar", "ListaMarUsuario", "ListaPrograma"}},
        {"huecos",
         [](const AnsiString& n, TipoLista t) {
             return bdHuecos::Instancia(n, nullptr, nullptr, t);
         },
         [](TipoLista t) { return bdHuecos::Instancia(t); },
         {"ListaAcrEstandar", "ListaAcrUsuario", "ListaPrograma"}},
        {"puentes térmicos",
         [](const AnsiString& n, TipoLista t) { return bdPuentesTermicos::Instancia(n, t); },
         nullptr,
         {nullptr, nullptr, nullptr}},
    };
    const TipoLista tipos[] = {LISTA_ESTANDAR, LISTA_USUARIO, LISTA_PROGRAMA};
    for (const Clase& clase : clases) {
        SCOPED_TRACE(clase.que);
        bdLibreria* primeras[3] = {};
        for (int i = 0; i < 3; ++i) {
            primeras[i] = clase.conNombre("Gestor " + AnsiString(i), tipos[i]);
            ASSERT_NE(primeras[i], nullptr);
            EXPECT_EQ(primeras[i]->ObtenerTipoLista(), tipos[i]);
            // La segunda petición, con otro nombre, da la misma base con el primer nombre.
            EXPECT_EQ(clase.conNombre("Otro", tipos[i]), primeras[i]);
            EXPECT_EQ(primeras[i]->ObtenerNombre(), "Gestor " + AnsiString(i));
            if (clase.sinNombre) {
                EXPECT_EQ(clase.sinNombre(tipos[i]), primeras[i]);
            }
        }
        EXPECT_NE(primeras[0], primeras[1]);
        EXPECT_NE(primeras[1], primeras[2]);
        for (TipoLista sinInstancia : {TipoLista(1), TipoLista(4), TipoLista(255)})
            EXPECT_EQ(clase.conNombre("X", sinInstancia), nullptr);

        // Liberada, la siguiente petición crea otra, con el nombre de esa petición; las
        // otras listas no cambian.
        primeras[1]->Liberar();
        bdLibreria* nueva = clase.conNombre("Nueva", LISTA_USUARIO);
        EXPECT_EQ(nueva->ObtenerNombre(), "Nueva");
        EXPECT_EQ(clase.conNombre("", LISTA_PROGRAMA), primeras[2]);
        if (clase.sinNombre) {
            for (int i = 0; i < 3; ++i)
                clase.conNombre("", tipos[i])->Liberar();
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(clase.sinNombre(tipos[i])->ObtenerNombre(), clase.nombres[i]);
        }
    }
}

TEST_F(BasesDeDatos, DosGestoresDelMismoTipoVenLosMismosElementos) {
    bdMateriales* deUno = bdMateriales::Instancia("Uno.bdc", LISTA_PROGRAMA);
    deUno->CrearHijo("Ladrillo", TIPO_MATERIAL);
    bdMateriales* deOtro = bdMateriales::Instancia("Otro.bdc", LISTA_PROGRAMA);
    ASSERT_NE(deOtro->BuscarPorNombre("Ladrillo"), nullptr);
    EXPECT_EQ(deOtro->BuscarPorNombre("Ladrillo")->ObtenerTipo(), TIPO_MATERIAL);
    EXPECT_EQ(bdMateriales::Instancia(LISTA_USUARIO)->BuscarPorNombre("Ladrillo"), nullptr);
}

TEST_F(BasesDeDatos, LasListasEstandarNacenSinBasesDePartes) {
    bdMateriales* materiales = bdMateriales::Instancia(LISTA_PROGRAMA);
    bdAcristalamientos* vidrios = bdAcristalamientos::Instancia(LISTA_PROGRAMA);
    bdMarcos* marcos = bdMarcos::Instancia(LISTA_PROGRAMA);

    EXPECT_EQ(bdCerramientos::Instancia("c", materiales, LISTA_PROGRAMA)->Materiales(), materiales);
    EXPECT_EQ(bdCerramientos::Instancia("c", materiales, LISTA_ESTANDAR)->Materiales(), nullptr);
    bdHuecos* huecos = bdHuecos::Instancia("h", vidrios, marcos, LISTA_PROGRAMA);
    EXPECT_EQ(huecos->BaseDatos(TIPO_ACRISTALAMIENTO), vidrios);
    EXPECT_EQ(huecos->BaseDatos(TIPO_MARCO), marcos);
    EXPECT_EQ(huecos->BaseDatos(TIPO_MATERIAL), nullptr);
    bdHuecos* estandar = bdHuecos::Instancia("h", vidrios, marcos, LISTA_ESTANDAR);
    EXPECT_EQ(estandar->BaseDatos(TIPO_ACRISTALAMIENTO), nullptr);
    EXPECT_EQ(estandar->BaseDatos(TIPO_MARCO), nullptr);

    // La base de huecos contesta su nombre, y nada más.
    AnsiString texto = "sin tocar";
    huecos->ValorPropiedad("Nombre", texto);
    EXPECT_EQ(texto, "h");
    texto = "sin tocar";
    huecos->ValorPropiedad("Grupo", texto);
    EXPECT_EQ(texto, "sin tocar");
}

TEST_F(BasesDeDatos, VaciarYLiberarBorranCadaElemento) {
    struct Caso {
        const char* que;
        std::function<bdLibreria*()> base;
    };
    const Caso casos[] = {
        {"materiales", [] { return bdMateriales::Instancia("mat", LISTA_PROGRAMA); }},
        {"acristalamientos", [] { return bdAcristalamientos::Instancia("acr", LISTA_PROGRAMA); }},
        {"huecos", [] { return bdHuecos::Instancia("huecos", nullptr, nullptr, LISTA_USUARIO); }},
        {"puentes", [] { return bdPuentesTermicos::Instancia("pt", LISTA_ESTANDAR); }},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.que);
        int borrados = 0;
        bdLibreria* base = caso.base();
        // Uno se llama como la base: también se quita.
        for (const AnsiString& nombre : {AnsiString("A"), base->ObtenerNombre(), AnsiString("C")})
            base->AnadirHijo(new ElementoContado(nombre, borrados));
        base->Vaciar();
        EXPECT_EQ(base->NumeroHijos(), 0);
        EXPECT_EQ(borrados, 3);
        // Vaciada sigue siendo la compartida y se puede volver a llenar.
        EXPECT_EQ(caso.base(), base);
        base->AnadirHijo(new ElementoContado("D", borrados));
        base->Liberar();
        EXPECT_EQ(borrados, 4);
        EXPECT_EQ(caso.base()->NumeroHijos(), 0);
    }
}

TEST_F(BasesDeDatos, QuitarBorraSalvoEnAcristalamientos) {
    int borrados = 0;
    bdMarcos marcos("marcos", LISTA_PROGRAMA);
    auto* marco = new ElementoContado("M", borrados);
    marcos.AnadirHijo(marco);
    marcos.QuitarHijo(marco);
    EXPECT_EQ(borrados, 1);
    EXPECT_EQ(marcos.NumeroHijos(), 0);

    // En el montón, como toda base: Liberar podría borrarla si fuese la compartida.
    auto propia = std::make_unique<bdAcristalamientos>("vidrios", LISTA_PROGRAMA);
    bdAcristalamientos& vidrios = *propia;
    auto* vidrio = new ElementoContado("V", borrados);
    vidrios.AnadirHijo(vidrio);
    vidrios.QuitarHijo(vidrio);
    EXPECT_EQ(borrados, 1);
    EXPECT_EQ(vidrio->ObtenerDueno(), nullptr);
    EXPECT_EQ(vidrios.NumeroHijos(), 0);
    delete vidrio;

    // Una base que no es la compartida solo se vacía al liberarla; su dueño la borra.
    vidrios.AnadirHijo(new ElementoContado("W", borrados));
    vidrios.Liberar();
    EXPECT_EQ(borrados, 3);
    EXPECT_EQ(bdAcristalamientos::Instancia("x", LISTA_PROGRAMA)->ObtenerNombre(), "x");
}

TEST_F(BasesDeDatos, CopiarPorNombresCreaCopiasConNombresLibres) {
    bdMateriales origen("origen", LISTA_USUARIO);
    for (const char* nombre : {"Ladrillo", "Yeso", "Teja"}) {
        origen.CrearHijo(nombre, TIPO_MATERIAL);
        origen.BuscarPorNombre(nombre)->AsignarPropiedad("Grupo", AnsiString("Grupo ") + nombre);
    }
    origen.BuscarPorNombre("Yeso")->PonerReal("Espesor", 0.015f);
    origen.BuscarPorNombre("Yeso")->MarcarLibreria();

    bdMateriales destino("destino", LISTA_PROGRAMA);
    destino.CrearHijo("Yeso", TIPO_MATERIAL);
    TStringList nombres;
    // "Falta" no está en el origen; "origen" es el nombre de la propia base.
    destino.CopiarDe(Lista(nombres, {"Yeso", "Falta", "origen", "Ladrillo"}), &origen);
    const std::string tras = Nombres(destino);
    ASSERT_EQ(tras.rfind("Yeso;Yeso_", 0), 0u) << tras;
    EXPECT_EQ(tras.substr(tras.size() - 10), ";Ladrillo;");
    EXPECT_EQ(destino.NumeroHijos(), 3);
    ObjetoBase* copia = destino.Hijo(1);
    float espesor = 0;
    copia->ObtenerReal("Espesor", espesor);
    EXPECT_FLOAT_EQ(espesor, 0.015f);
    EXPECT_TRUE(copia->EsLibreria());
    AnsiString grupo;
    destino.BuscarPorNombre("Ladrillo")->ValorPropiedad("Grupo", grupo);
    EXPECT_EQ(grupo, "Grupo Ladrillo");

    // Los nuevos solo: Yeso y Ladrillo ya están; Teja se copia con su nombre.
    destino.CopiarElementosNuevos(Lista(nombres, {"Teja"}), &origen);
    EXPECT_EQ(destino.NumeroHijos(), 4);
    EXPECT_NE(destino.BuscarPorNombre("Teja"), nullptr);

    destino.CopiarDe(nombres, nullptr);
    EXPECT_EQ(destino.NumeroHijos(), 4);
}

TEST_F(BasesDeDatos, MarcarUtilizadosLosDejaSinUso) {
    bdMateriales base("base", LISTA_PROGRAMA);
    for (const char* nombre : {"A", "B"}) {
        base.CrearHijo(nombre, TIPO_MATERIAL);
        base.BuscarPorNombre(nombre)->PonerLogico("Utilizado", true);
    }
    base.MarcarUtilizados();
    EXPECT_FALSE(base.BuscarPorNombre("A")->EsUtilizado());
    EXPECT_FALSE(base.BuscarPorNombre("B")->EsUtilizado());
}

TEST_F(BasesDeDatos, UsoDeMaterialesYDePartesDeHuecos) {
    int borrados = 0;
    bdCerramientos cerramientos("c", nullptr, LISTA_PROGRAMA);
    cerramientos.AnadirHijo(new ElementoContado("Muro", borrados, {"Ladrillo", "Yeso"}));
    cerramientos.AnadirHijo(new ElementoContado("Cubierta", borrados, {"Teja"}));
    bdHuecos huecos("h", nullptr, nullptr, LISTA_PROGRAMA);
    huecos.AnadirHijo(new ElementoContado("Ventana", borrados, {"Doble 4-12-4", "Aluminio"}));

    struct Caso {
        const char* nombre;
        bool material, parte;
    };
    const Caso casos[] = {
        {"Teja", true, false},     {"Yeso", true, false},
        {"Muro", false, false},    {"Doble 4-12-4", false, true},
        {"Aluminio", false, true}, {"Ventana", false, false},
        {"", false, false},
    };
    for (const Caso& caso : casos) {
        EXPECT_EQ(cerramientos.MaterialUtilizado(caso.nombre), caso.material) << caso.nombre;
        EXPECT_EQ(huecos.ElementoUtilizado(caso.nombre), caso.parte) << caso.nombre;
    }
}

TEST_F(BasesDeDatos, CualquierFactorSolarNegativoEstaSinDefinir) {
    struct Caso {
        std::vector<float> factores; // NaN: el de un vidrio nuevo
        bool todosDefinidos;
    };
    const float nuevo = std::numeric_limits<float>::quiet_NaN();
    const Caso casos[] = {
        {{}, true},        {{0.75f, 0.0f}, true},  {{0.75f, -1.0f}, false},
        {{-0.85f}, false}, {{0.6f, nuevo}, false},
    };
    for (const Caso& caso : casos) {
        // En el montón, como toda base: Liberar podría borrarla si fuese la compartida.
        auto propia = std::make_unique<bdAcristalamientos>("vidrios", LISTA_PROGRAMA);
        bdAcristalamientos& vidrios = *propia;
        int i = 0;
        for (float factor : caso.factores) {
            AnsiString nombre = vidrios.CrearHijo("V" + AnsiString(i++), TIPO_ACRISTALAMIENTO);
            if (factor == factor)
                vidrios.BuscarPorNombre(nombre)->PonerReal("Factor solar", factor);
        }
        EXPECT_EQ(vidrios.SinFactorSolar(), caso.todosDefinidos)
            << testing::PrintToString(caso.factores);
    }
}

} // namespace
