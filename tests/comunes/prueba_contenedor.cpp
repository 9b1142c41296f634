// Contenedor: propiedad y orden de borrado de los hijos, nombres únicos y su numeración,
// el índice por nombre tras renombrar y quitar, las búsquedas en profundidad, las listas y
// la tabla de fábricas.

#include "comunes/Contenedor.h"
#include "comunes/Fabrica.h"

#include "plataforma/base/string_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// Quién murió y en qué orden.
std::vector<std::string>& Defunciones() {
    static std::vector<std::string> defunciones;
    return defunciones;
}

// Un objeto de prueba de la clase base dada, con su tipo, que anota su muerte.
template <class Base> class Anotado : public Base {
public:
    explicit Anotado(const AnsiString& nombre, TipoObjeto tipoObjeto) : Base(nombre) {
        this->tipo = tipoObjeto;
    }
    ~Anotado() override { Defunciones().push_back(this->ObtenerNombre().str()); }
};

class ElementoPrueba : public Anotado<ObjetoBase> {
public:
    explicit ElementoPrueba(const AnsiString& nombre, TipoObjeto tipoObjeto = 8)
        : Anotado(nombre, tipoObjeto) {}

    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override {
        if (clave == "Grupo") valor = grupo;
        if (clave == "Nombre completo") valor = nombreCompleto;
    }
    bool AlQuitar() override {
        ++vecesQuitado;
        return true;
    }

    int vecesQuitado = 0;
};

class ContenedorPrueba : public Anotado<Contenedor> {
public:
    explicit ContenedorPrueba(const AnsiString& nombre, TipoObjeto tipoObjeto = 8)
        : Anotado(nombre, tipoObjeto) {}
    using Contenedor::ReservarHijos;
};

CreadorObjeto CreaElementos(TipoObjeto tipo) {
    return
        [tipo](const AnsiString& nombre) { return std::make_unique<ElementoPrueba>(nombre, tipo); };
}

CreadorObjeto CreaContenedores(TipoObjeto tipo) {
    return [tipo](const AnsiString& nombre) {
        return std::make_unique<ContenedorPrueba>(nombre, tipo);
    };
}

// Los contadores de nombres vuelven a 0 cuando muere cualquier contenedor.
void ReiniciarContadores() {
    ContenedorPrueba desechable("desechable");
}

using Lista = std::vector<std::string>;

Lista Cadenas(const TStrings& lista) {
    Lista cadenas;
    for (int i = 0; i < lista.GetCount(); ++i)
        cadenas.push_back(lista.GetStrings(i).str());
    return cadenas;
}

Lista Nombres(const Contenedor& contenedor) {
    TStringList lista;
    contenedor.ListarNombres(lista);
    return Cadenas(lista);
}

class ContenedorTest : public testing::Test {
protected:
    void SetUp() override {
        ReiniciarContadores();
        Defunciones().clear();
    }

    // El tipo 8 tiene contador de nombres pero ninguna clase propia: aquí crea elementos.
    Fabrica::Sustitucion tipoDePrueba{8, CreaElementos(8)};
};

TEST_F(ContenedorTest, BorraLosHijosElUltimoPrimero) {
    {
        auto raiz = std::make_unique<ContenedorPrueba>("raiz");
        for (const char* nombre : {"a", "b", "c"})
            raiz->AnadirHijo(new ElementoPrueba(nombre));
        auto* sub = new ContenedorPrueba("sub");
        sub->AnadirHijo(new ElementoPrueba("s1"));
        sub->AnadirHijo(new ElementoPrueba("s2"));
        raiz->AnadirHijo(sub);
        ObjetoBase* b = raiz->BuscarPorNombre("b");
        raiz->QuitarHijo(b);
        delete b;
        delete raiz->BuscarPorNombre("a"); // borrar un hijo directamente lo suelta del dueño
        EXPECT_EQ(Nombres(*raiz), (Lista{"c", "sub"}));
        EXPECT_EQ(Defunciones(), (Lista{"b", "a"}));
        Defunciones().clear();
    }
    // Cada contenedor de prueba se anota antes de que su base borre a sus hijos.
    EXPECT_EQ(Defunciones(), (Lista{"raiz", "sub", "s2", "s1", "c"}));
}

TEST_F(ContenedorTest, QuitarHijoNoLoBorra) {
    ContenedorPrueba raiz("raiz");
    auto* hijo = new ElementoPrueba("hijo");
    raiz.AnadirHijo(hijo);
    EXPECT_EQ(hijo->ObtenerDueno(), &raiz);

    ContenedorPrueba otro("otro");
    ElementoPrueba ajeno("ajeno");
    raiz.QuitarHijo(&ajeno); // no es suyo: nada
    raiz.QuitarHijo(nullptr);
    EXPECT_EQ(ajeno.vecesQuitado, 0);

    raiz.QuitarHijo(hijo);
    EXPECT_EQ(hijo->vecesQuitado, 1);
    EXPECT_EQ(hijo->ObtenerDueno(), nullptr);
    EXPECT_EQ(raiz.NumeroHijos(), 0);
    EXPECT_TRUE(Defunciones().empty());

    // Adoptado por otro contenedor: deja el primero sin pasar por AlQuitar.
    raiz.AnadirHijo(hijo);
    otro.AnadirHijo(hijo);
    EXPECT_EQ(raiz.NumeroHijos(), 0);
    EXPECT_EQ(raiz.BuscarPorNombre("hijo"), nullptr);
    EXPECT_EQ(otro.BuscarPorNombre("hijo"), hijo);
    EXPECT_EQ(hijo->vecesQuitado, 1);

    // Ni dentro de sí mismo ni de un descendiente.
    auto* sub = new ContenedorPrueba("sub");
    otro.AnadirHijo(sub);
    sub->AnadirHijo(&otro);
    otro.AnadirHijo(&otro);
    EXPECT_EQ(otro.ObtenerDueno(), nullptr);
    EXPECT_EQ(sub->NumeroHijos(), 0);
}

TEST_F(ContenedorTest, CrearHijoDaNombresUnicos) {
    ContenedorPrueba edificio("Edificio");
    auto* planta = new ContenedorPrueba("P1");
    planta->AnadirHijo(new ElementoPrueba("Ventana"));
    edificio.AnadirHijo(planta);

    struct Paso {
        const char* nombre;
        const char* esperado;
    } pasos[] = {
        {"Muro", "Muro"},
        {"Muro", "Muro_1"},
        {"Muro", "Muro_2"},
        {"Pared", "Pared"},
        {"Pared", "Pared_3"},       // el contador es compartido por todos los
                                    // nombres
        {"Ventana", "Ventana_4"},   // ocupado en un nieto
        {"Edificio", "Edificio_5"}, // el nombre propio cuenta como ocupado
        {"", "Edificio_6"},
        {"P1", "P1_7"},
    };
    for (const Paso& paso : pasos) {
        SCOPED_TRACE(paso.nombre);
        EXPECT_EQ(edificio.CrearHijo(paso.nombre, 8), AnsiString(paso.esperado));
        ObjetoBase* creado = edificio.BuscarPorNombre(paso.esperado);
        ASSERT_NE(creado, nullptr);
        EXPECT_EQ(creado->ObtenerDueno(), &edificio);
        EXPECT_EQ(creado->ObtenerTipo(), 8);
    }
    EXPECT_EQ(edificio.NumeroHijos(), 1 + 9);
}

TEST_F(ContenedorTest, CrearHijoMiraElAmbitoDeLasPlantasEspaciosYMuros) {
    Fabrica::Sustitucion plantas(TIPO_PLANTA, CreaContenedores(TIPO_PLANTA));
    Fabrica::Sustitucion espacios(TIPO_ESPACIO, CreaContenedores(TIPO_ESPACIO));
    Fabrica::Sustitucion muros(TIPO_MURO_EXTERIOR, CreaElementos(TIPO_MURO_EXTERIOR));
    Fabrica::Sustitucion sombras(TIPO_SOMBRA, CreaElementos(TIPO_SOMBRA));

    ContenedorPrueba edificio("Edificio");
    ASSERT_EQ(edificio.CrearHijo("P1", TIPO_PLANTA), AnsiString("P1"));
    ASSERT_EQ(edificio.CrearHijo("P2", TIPO_PLANTA), AnsiString("P2"));
    auto* p1 = static_cast<Contenedor*>(edificio.BuscarPorNombre("P1"));
    auto* p2 = static_cast<Contenedor*>(edificio.BuscarPorNombre("P2"));
    ASSERT_EQ(p1->CrearHijo("E", TIPO_ESPACIO), AnsiString("E"));
    // Un espacio se compara con todo el edificio (el dueño de su planta).
    EXPECT_EQ(p2->CrearHijo("E", TIPO_ESPACIO), AnsiString("E_1"));
    auto* e1 = static_cast<Contenedor*>(p1->BuscarPorNombre("E"));
    ASSERT_EQ(p1->CrearHijo("F", TIPO_ESPACIO), AnsiString("F"));
    auto* f = static_cast<Contenedor*>(p1->BuscarPorNombre("F"));

    // Un muro, con todo el edificio (el dueño de la planta de su espacio); y si el nombre numerado
    // también está ocupado allí, se sigue numerando.
    e1->AnadirHijo(new ElementoPrueba("Muro_2"));
    ASSERT_EQ(e1->CrearHijo("Muro", TIPO_MURO_EXTERIOR), AnsiString("Muro"));
    EXPECT_EQ(f->CrearHijo("Muro", TIPO_MURO_EXTERIOR), AnsiString("Muro_3"));
    // Otros tipos solo miran su propio contenedor.
    EXPECT_EQ(f->CrearHijo("Muro_2", TIPO_SOMBRA), AnsiString("Muro_2"));
    // Sin dueño no hay ámbito que mirar.
    ContenedorPrueba suelto("suelto");
    EXPECT_EQ(suelto.CrearHijo("E", TIPO_ESPACIO), AnsiString("E"));
}

TEST_F(ContenedorTest, CrearHijoNumeradoNumeraPorTipo) {
    Fabrica::Sustitucion materiales(TIPO_MATERIAL, CreaElementos(TIPO_MATERIAL));
    Fabrica::Sustitucion cerramientos(TIPO_CERRAMIENTO, CreaElementos(TIPO_CERRAMIENTO));
    {
        ContenedorPrueba bd("programa");
        EXPECT_EQ(bd.CrearHijoNumerado("Ladrillo", TIPO_MATERIAL, false), AnsiString("Ladrillo"));
        EXPECT_EQ(bd.CrearHijoNumerado("Ladrillo", TIPO_MATERIAL, false), AnsiString("Ladrillo1"));
        EXPECT_EQ(bd.CrearHijoNumerado("Ladrillo", TIPO_MATERIAL, true), AnsiString("Ladrillo2"));
        // Cada tipo su contador: el 12 da 1, que ya está, y luego 2, que también.
        EXPECT_EQ(bd.CrearHijoNumerado("Ladrillo", TIPO_CERRAMIENTO, true),
                  AnsiString("Ladrillo3"));
        EXPECT_EQ(bd.CrearHijoNumerado("", TIPO_MATERIAL, false), AnsiString("programa3"));
        EXPECT_EQ(bd.NumeroHijos(), 5);
    }
    // Cerrada una base de datos, la numeración vuelve a empezar.
    ContenedorPrueba otra("programa");
    EXPECT_EQ(otra.CrearHijoNumerado("Ladrillo", TIPO_MATERIAL, false), AnsiString("Ladrillo"));
    EXPECT_EQ(otra.CrearHijoNumerado("Ladrillo", TIPO_MATERIAL, false), AnsiString("Ladrillo1"));
}

TEST_F(ContenedorTest, LosElementosSoloChocanConLosHijosNoConElContenedor) {
    Fabrica::Sustitucion materiales(TIPO_MATERIAL, CreaElementos(TIPO_MATERIAL));
    ContenedorPrueba bd("nombre");
    EXPECT_EQ(bd.BuscarEnHijos("nombre"), nullptr);
    // La regla de los cargadores sigue contando el nombre propio como ocupado.
    EXPECT_EQ(bd.CrearHijoNumerado("nombre", TIPO_MATERIAL, false), AnsiString("nombre1"));
    EXPECT_EQ(bd.CrearElementoNumerado("nombre", TIPO_MATERIAL, false), AnsiString("nombre"));
    ObjetoBase* elemento = bd.BuscarEnHijos("nombre");
    ASSERT_NE(elemento, nullptr);
    EXPECT_EQ(elemento->ObtenerDueno(), &bd);
    EXPECT_EQ(bd.BuscarPorNombre("nombre"), &bd);
    EXPECT_EQ(bd.ContarUsos("nombre"), 1);
    // Un hijo de ese nombre sí lo ocupa: se numera como en la regla general.
    EXPECT_EQ(bd.CrearElementoNumerado("nombre", TIPO_MATERIAL, false), AnsiString("nombre2"));
    EXPECT_EQ(bd.CrearElementoNumerado("Ladrillo", TIPO_MATERIAL, true), AnsiString("Ladrillo3"));
    EXPECT_EQ(bd.CrearElemento("nombre", TIPO_MATERIAL), AnsiString("nombre_1"));
    EXPECT_EQ(bd.CrearElemento("Yeso", TIPO_MATERIAL), AnsiString("Yeso"));
    EXPECT_EQ(Nombres(bd),
              (Lista{"nombre1", "nombre", "nombre2", "Ladrillo3", "nombre_1", "Yeso"}));
}

TEST_F(ContenedorTest, UnTipoSinClaseNoCreaNada) {
    Fabrica::Sustitucion trombe(TIPO_MURO_TROMBE, CreaElementos(TIPO_MURO_TROMBE),
                                Fabrica::Alcance::SoloCrearHijo);
    ContenedorPrueba bd("bd");
    for (int tipo : {0, 14, 36, 50, 64, 200, 255}) {
        SCOPED_TRACE(tipo);
        EXPECT_EQ(bd.CrearHijo("X", static_cast<TipoObjeto>(tipo)), AnsiString("X"));
        EXPECT_EQ(bd.CrearHijoNumerado("X", static_cast<TipoObjeto>(tipo), false), AnsiString("X"));
    }
    EXPECT_EQ(bd.NumeroHijos(), 0);

    // El muro Trombe solo lo crea CrearHijo.
    EXPECT_EQ(bd.CrearHijoNumerado("T", TIPO_MURO_TROMBE, false), AnsiString("T"));
    EXPECT_EQ(bd.NumeroHijos(), 0);
    EXPECT_EQ(bd.CrearHijo("T", TIPO_MURO_TROMBE), AnsiString("T"));
    ASSERT_NE(bd.BuscarPorNombre("T"), nullptr);
    EXPECT_EQ(bd.BuscarPorNombre("T")->ObtenerTipo(), TIPO_MURO_TROMBE);

    EXPECT_THROW(Fabrica::Registrar(0, CreaElementos(0)), std::out_of_range);
    EXPECT_THROW(Fabrica::Registrar(64, CreaElementos(64)), std::out_of_range);
}

TEST_F(ContenedorTest, UnTipoSinContadorNoSeQuedaBuscandoNombre) {
    // Con el tipo 50 (sin contador) un nombre ocupado se numera con el contador compartido,
    // aunque el contenedor se llame como el nombre vacío.
    Fabrica::Sustitucion sinContador(50, CreaElementos(50));
    ContenedorPrueba bd("");
    bd.AnadirHijo(new ElementoPrueba("X"));
    EXPECT_EQ(bd.CrearHijoNumerado("X", 50, false), AnsiString("X_1"));
    EXPECT_EQ(bd.CrearHijoNumerado("X", 50, true), AnsiString("X_2"));
    EXPECT_EQ(Contenedor::NombrePorTipo("X", 50), AnsiString());
}

TEST_F(ContenedorTest, ElIndiceSigueLosRenombresYLasBajas) {
    ContenedorPrueba bd("bd");
    std::vector<ElementoPrueba*> hijos;
    for (const char* nombre : {"a", "b", "c", "d"}) {
        hijos.push_back(new ElementoPrueba(nombre));
        bd.AnadirHijo(hijos.back());
    }
    hijos[2]->PonerNombre("a"); // "a" dos veces: gana el primero en orden
    EXPECT_EQ(bd.BuscarPorNombre("a"), hijos[0]);
    EXPECT_EQ(bd.BuscarPorNombre("c"), nullptr);
    EXPECT_EQ(bd.ContarUsos("a"), 2);

    hijos[0]->PonerNombre("z");
    EXPECT_EQ(bd.BuscarPorNombre("a"), hijos[2]);
    EXPECT_EQ(bd.BuscarPorNombre("z"), hijos[0]);
    EXPECT_EQ(bd.ContarUsos("a"), 1);

    // Un hijo renombrado a un nombre que ya tenía uno posterior va delante de él.
    hijos[3]->PonerNombre("q");
    hijos[1]->PonerNombre("q");
    EXPECT_EQ(bd.BuscarPorNombre("q"), hijos[1]);

    bd.QuitarHijo(hijos[1]);
    EXPECT_EQ(bd.BuscarPorNombre("q"), hijos[3]);
    EXPECT_EQ(Nombres(bd), (Lista{"z", "a", "q"}));
    EXPECT_EQ(bd.Hijo(1), hijos[2]);
    EXPECT_EQ(bd.Hijo(3), nullptr);

    // Renombrar un objeto suelto no toca a su antiguo dueño.
    hijos[1]->PonerNombre("z");
    EXPECT_EQ(bd.BuscarPorNombre("z"), hijos[0]);
    EXPECT_EQ(bd.ContarUsos("z"), 1);
    delete hijos[1];
}

// Un contenedor que lleva el índice de los nombres de todo su árbol, como el edificio.
class RaizConIndice : public ContenedorPrueba {
public:
    explicit RaizConIndice(const AnsiString& nombre) : ContenedorPrueba(nombre) {
        LlevarIndiceDeNombres();
    }
};

// La búsqueda escrita sin índices: en profundidad por los hijos, en orden.
ObjetoBase* BuscarRecorriendo(const Contenedor& c, const AnsiString& nombre) {
    for (int i = 0; i < c.NumeroHijos(); ++i) {
        ObjetoBase* hijo = c.Hijo(i);
        if (hijo->EsNombre(nombre)) return hijo;
        if (auto* sub = dynamic_cast<Contenedor*>(hijo))
            if (ObjetoBase* hallado = BuscarRecorriendo(*sub, nombre)) return hallado;
    }
    return nullptr;
}

void Recoger(Contenedor* c, std::vector<Contenedor*>& contenedores,
             std::vector<ObjetoBase*>& objetos) {
    contenedores.push_back(c);
    for (int i = 0; i < c->NumeroHijos(); ++i) {
        objetos.push_back(c->Hijo(i));
        if (auto* sub = dynamic_cast<Contenedor*>(c->Hijo(i))) Recoger(sub, contenedores, objetos);
    }
}

// Altas, bajas, borrados, renombres y traslados de ramas al azar en un árbol con dos índices
// (la raíz y una rama que también lo lleva): cada búsqueda desde cada contenedor da lo mismo
// que recorrer el árbol.
TEST_F(ContenedorTest, ElIndiceDelArbolSigueCadaCambio) {
    const char* nombres[] = {"Planta", "Espacio", "Muro", "Ventana", "E1", "M2", "raiz"};
    std::mt19937 azar(37);
    auto al = [&](size_t n) { return static_cast<size_t>(azar() % n); };
    auto raiz = std::make_unique<RaizConIndice>("raiz");
    raiz->AnadirHijo(new RaizConIndice("Planta"));
    size_t mayor = 0;
    for (int paso = 0; paso < 600; ++paso) {
        std::vector<Contenedor*> contenedores;
        std::vector<ObjetoBase*> objetos;
        Recoger(raiz.get(), contenedores, objetos);
        Contenedor* destino = contenedores[al(contenedores.size())];
        const char* nombre = nombres[al(std::size(nombres))];
        switch (objetos.empty() ? 0 : al(8)) {
        case 0:
        case 1:
        case 2:
        case 3:
            if (al(2) == 0)
                destino->AnadirHijo(new ContenedorPrueba(nombre));
            else
                destino->AnadirHijo(new ElementoPrueba(nombre));
            break;
        case 4:
            objetos[al(objetos.size())]->PonerNombre(nombre);
            break;
        case 5: { // una rama a otro sitio (a su propio interior no va)
            destino->AnadirHijo(objetos[al(objetos.size())]);
            break;
        }
        case 6: { // fuera y borrado
            ObjetoBase* o = objetos[al(objetos.size())];
            static_cast<Contenedor*>(o->ObtenerDueno())->QuitarHijo(o);
            delete o;
            break;
        }
        default: // borrado sin quitarlo antes
            delete objetos[al(objetos.size())];
            break;
        }
        contenedores.clear();
        objetos.clear();
        Recoger(raiz.get(), contenedores, objetos);
        mayor = std::max(mayor, objetos.size());
        for (Contenedor* c : contenedores)
            for (const char* buscado : nombres)
                ASSERT_EQ(c->BuscarEnHijos(buscado), BuscarRecorriendo(*c, buscado))
                    << "paso " << paso << ", " << buscado << " desde " << c->ObtenerNombre().str();
    }
    EXPECT_GT(mayor, 25u); // el árbol ha llegado a tener ramas de verdad
}

TEST_F(ContenedorTest, VaciarQuitandoDelantePrimeroConservaElOrden) {
    ContenedorPrueba bd("bd");
    constexpr int kHijos = 1000;
    for (int i = 0; i < kHijos; ++i)
        bd.AnadirHijo(new ElementoPrueba(AnsiString(i)));
    for (int i = 0; i < kHijos; ++i) {
        ObjetoBase* hijo = bd.BuscarPorNombre(AnsiString(i));
        ASSERT_NE(hijo, nullptr) << i;
        if (i % 3 != 0) {
            ASSERT_EQ(bd.Hijo(0), hijo) << i; // siempre el primero que queda
            bd.QuitarHijo(hijo);
            delete hijo;
        } else {
            // De vez en cuando se quita uno del medio y vuelve al final.
            bd.QuitarHijo(hijo);
            bd.AnadirHijo(hijo);
        }
    }
    ASSERT_EQ(bd.NumeroHijos(), (kHijos + 2) / 3);
    for (int i = 0; i < bd.NumeroHijos(); ++i)
        EXPECT_EQ(bd.Hijo(i)->ObtenerNombre(), AnsiString(3 * i)) << i;
}

// Vaciar quitando los hijos en orden, como las bases de datos: mientras se quita uno
// (AlQuitar), su dueño encuentra y cuenta los que quedan, él incluido, y ya no los quitados; el
// índice que queda vacío sirve después como uno nuevo.
TEST_F(ContenedorTest, AlVaciarSeVenLosQueQuedan) {
    class Curioso : public ElementoPrueba {
    public:
        Curioso(const AnsiString& nombre, std::string& visto)
            : ElementoPrueba(nombre), visto(visto) {}
        bool AlQuitar() override {
            auto* dueno = dynamic_cast<Contenedor*>(ObtenerDueno());
            for (const char* nombre : {"A", "B", "C", "D"}) {
                auto* hallado = dynamic_cast<Curioso*>(dueno->BuscarEnHijos(nombre));
                visto += std::string(nombre) + std::to_string(hallado ? hallado->puesto : -1) +
                         "x" + std::to_string(dueno->ContarUsos(nombre)) + " ";
            }
            visto += "| ";
            return true;
        }
        int puesto = 0;
        std::string& visto;
    };
    const std::vector<std::string> nombres = {"A", "B", "A", "C", "B", "A", "D", "D"};
    ContenedorPrueba bd("bd");
    std::vector<ObjetoBase*> hijos;
    std::string visto;
    for (const std::string& nombre : nombres) {
        auto* hijo = new Curioso(AnsiString(nombre), visto);
        hijo->puesto = static_cast<int>(hijos.size());
        bd.AnadirHijo(hijo);
        hijos.push_back(hijo);
    }
    std::string esperado;
    for (size_t quitados = 0; quitados < nombres.size(); ++quitados) {
        for (const char* nombre : {"A", "B", "C", "D"}) {
            int primero = -1, usos = 0;
            for (size_t i = quitados; i < nombres.size(); ++i)
                if (nombres[i] == nombre && usos++ == 0) primero = static_cast<int>(i);
            esperado +=
                std::string(nombre) + std::to_string(primero) + "x" + std::to_string(usos) + " ";
        }
        esperado += "| ";
    }
    for (ObjetoBase* hijo : hijos) {
        bd.QuitarHijo(hijo);
        delete hijo;
    }
    EXPECT_EQ(visto, esperado);

    ASSERT_EQ(bd.NumeroHijos(), 0);
    EXPECT_EQ(bd.BuscarEnHijos("A"), nullptr);
    auto* a1 = new ElementoPrueba("A");
    auto* a2 = new ElementoPrueba("A");
    bd.AnadirHijo(a1);
    bd.AnadirHijo(a2);
    EXPECT_EQ(bd.BuscarEnHijos("A"), a1);
    EXPECT_EQ(bd.ContarUsos("A"), 2);
    EXPECT_EQ(bd.ContarUsos("D"), 0);
    bd.QuitarHijo(a1);
    delete a1;
    EXPECT_EQ(bd.BuscarEnHijos("A"), a2);
}

// Muchos nombres, con homónimos: altas, renombres, bajas y borrados al azar en un contenedor
// plano, y cada nombre buscado y contado como en una lista recorrida en orden. Así la tabla
// del índice crece varias veces (también de golpe, al preparar sitio) y sus casillas se
// mueven al borrar.
TEST_F(ContenedorTest, ElIndiceDeHijosConMuchosNombres) {
    // Dos bases que se pasan hijos: el que cambia de dueño toma el último puesto del nuevo.
    ContenedorPrueba bd("bd");
    ContenedorPrueba otra("otra");
    ContenedorPrueba* bases[] = {&bd, &otra};
    constexpr int kNombres = 700;
    std::mt19937 azar(3737);
    auto al = [&](int n) { return static_cast<int>(azar() % static_cast<unsigned>(n)); };
    auto nombre = [&] { return AnsiString("N" + std::to_string(al(kNombres))); };
    auto comprobar = [&](int paso) {
        for (ContenedorPrueba* base : bases) {
            std::vector<ObjetoBase*> primero(kNombres, nullptr);
            std::vector<int> usos(kNombres, 0);
            for (int i = 0; i < base->NumeroHijos(); ++i) {
                const int n = std::stoi(base->Hijo(i)->ObtenerNombre().str().substr(1));
                if (usos[n]++ == 0) primero[n] = base->Hijo(i);
            }
            for (int n = 0; n < kNombres; ++n) {
                const AnsiString buscado("N" + std::to_string(n));
                ASSERT_EQ(base->BuscarEnHijos(buscado), primero[n])
                    << base->ObtenerNombre().str() << ", paso " << paso << ", N" << n;
                ASSERT_EQ(base->ContarUsos(buscado), usos[n])
                    << base->ObtenerNombre().str() << ", paso " << paso << ", N" << n;
            }
        }
    };
    for (int paso = 0; paso < 6000; ++paso) {
        ContenedorPrueba& base = *bases[al(4) == 0 ? 1 : 0];
        ContenedorPrueba& destino = &base == &bd ? otra : bd;
        const int hijos = base.NumeroHijos();
        // Crece hasta unos 1.500 hijos; después se vacía casi entero.
        const int alta = paso < 4000 ? 5 : 1;
        const int accion = hijos == 0 ? 0 : al(alta + 5);
        if (accion < alta) {
            base.AnadirHijo(new ElementoPrueba(nombre()));
        } else if (accion == alta) {
            base.Hijo(al(hijos))->PonerNombre(nombre());
        } else if (accion == alta + 1) { // fuera y de vuelta al final
            ObjetoBase* hijo = base.Hijo(al(hijos));
            base.QuitarHijo(hijo);
            base.AnadirHijo(hijo);
        } else if (accion == alta + 2) {
            ObjetoBase* hijo = base.Hijo(al(hijos));
            base.QuitarHijo(hijo);
            delete hijo;
        } else if (accion == alta + 3) { // a la otra base, sin quitarlo antes
            destino.AnadirHijo(base.Hijo(al(hijos)));
        } else if (al(60) == 0) { // todos fuera, en orden, quitados o borrados sin más
            const bool quitar = al(2) == 0;
            while (base.NumeroHijos() > 0) {
                ObjetoBase* hijo = base.Hijo(0);
                if (quitar) base.QuitarHijo(hijo);
                delete hijo;
            }
        } else {
            delete base.Hijo(al(hijos)); // sin quitarlo antes
        }
        // De vez en cuando se prepara sitio para muchos más: la tabla se rehace con lo que
        // tiene, homónimos incluidos.
        if (paso % 700 == 0) base.ReservarHijos(al(3000));
        if (paso % 250 == 0) comprobar(paso);
    }
    comprobar(6000);
}

TEST_F(ContenedorTest, BuscarPorNombreVaEnProfundidad) {
    ContenedorPrueba raiz("X");
    auto* sub = new ContenedorPrueba("sub");
    auto* nieto = new ElementoPrueba("X");
    sub->AnadirHijo(nieto);
    auto* directoAntes = new ElementoPrueba("Y");
    raiz.AnadirHijo(directoAntes);
    raiz.AnadirHijo(sub);
    auto* directoDespues = new ElementoPrueba("Z");
    raiz.AnadirHijo(directoDespues);
    auto* nietoZ = new ElementoPrueba("Z");
    auto* nietoY = new ElementoPrueba("Y");
    sub->AnadirHijo(nietoZ);
    sub->AnadirHijo(nietoY);

    EXPECT_EQ(raiz.BuscarPorNombre("X"), &raiz);        // el nombre propio primero
    EXPECT_EQ(raiz.BuscarPorNombre("Y"), directoAntes); // va antes que el subcontenedor
    EXPECT_EQ(raiz.BuscarPorNombre("Z"), nietoZ);       // el subcontenedor va antes
    EXPECT_EQ(sub->BuscarPorNombre("X"), nieto);
    EXPECT_EQ(raiz.BuscarPorNombre("nada"), nullptr);
    EXPECT_EQ(raiz.ContarUsos("X"), 1); // se llama así: no mira los hijos
    EXPECT_EQ(raiz.ContarUsos("Z"), 1);

    // El ámbito no cuenta su propio nombre, y sí el de sus nietos.
    EXPECT_TRUE(Contenedor::NombreLibre("X", nullptr));
    EXPECT_TRUE(Contenedor::NombreLibre("sub", sub));
    EXPECT_FALSE(Contenedor::NombreLibre("X", &raiz));
    EXPECT_FALSE(Contenedor::NombreLibre("sub", &raiz));
    EXPECT_TRUE(Contenedor::NombreLibre("W", &raiz));
    EXPECT_TRUE(Contenedor::NombreLibre("X", nieto));

    nietoZ->PonerNombreCompleto("completo");
    directoDespues->PonerNombreCompleto("completo");
    raiz.PonerNombreCompleto("raiz completa");
    EXPECT_EQ(raiz.BuscarPorNombreCompleto("completo"), nietoZ);
    EXPECT_EQ(raiz.BuscarPorNombreCompleto("raiz completa"), &raiz);
    EXPECT_EQ(raiz.BuscarPorNombreCompleto("otro"), nullptr);
}

TEST_F(ContenedorTest, ListasDeNombresYGrupos) {
    ContenedorPrueba bd("bd");
    struct Hijo {
        const char* nombre;
        const char* grupo;
        const char* completo;
    } hijos[] = {
        {"a", "Otro", "A completo"},
        {"b", "Fachadas", "Hueco sin vidrio"},
        {"c", "Otro", "C completo"},
        {"d", "otro", ""},
    };
    for (const Hijo& hijo : hijos) {
        auto* elemento = new ElementoPrueba(hijo.nombre);
        elemento->PonerGrupo(hijo.grupo);
        elemento->PonerNombreCompleto(hijo.completo);
        bd.AnadirHijo(elemento);
    }
    auto lista = [&](auto&& rellenar) {
        TStringList resultado;
        resultado.Add("previo");
        rellenar(resultado);
        return Cadenas(resultado);
    };
    EXPECT_EQ(lista([&](TStrings& l) { bd.ListarNombres(l); }),
              (Lista{"previo", "a", "b", "c", "d"}));
    // Los del grupo sin distinguir mayúsculas, como la lista de grupos lo cuenta una vez.
    EXPECT_EQ(lista([&](TStrings& l) { bd.ListarNombresDeGrupo(l, "Otro"); }),
              (Lista{"previo", "a", "c", "d"}));
    EXPECT_EQ(lista([&](TStrings& l) { bd.ListarNombresDeGrupo(l, "OTRO"); }),
              (Lista{"previo", "a", "c", "d"}));
    EXPECT_EQ(lista([&](TStrings& l) { bd.ListarNombresDeGrupo(l, "Otros"); }), (Lista{"previo"}));
    // Cada grupo una vez según la comparación de la lista, que no distingue mayúsculas.
    EXPECT_EQ(lista([&](TStrings& l) { bd.ListarGrupos(l); }),
              (Lista{"previo", "Otro", "Fachadas"}));
    EXPECT_EQ(lista([&](TStrings& l) { bd.ListarPorGrupo(l, 0, false); }),
              (Lista{"previo", "Otro", "Fachadas", "Otro", "otro"}));
    EXPECT_EQ(lista([&](TStrings& l) { bd.ListarPorGrupo(l, 1, true); }),
              (Lista{"previo", "a", "b", "c", "d"}));
    EXPECT_EQ(lista([&](TStrings& l) { bd.ListarPorGrupo(l, 1, false); }),
              (Lista{"previo", "A completo", "C completo", ""}));
    EXPECT_EQ(lista([&](TStrings& l) { bd.ListarPorGrupo(l, 2, true); }), (Lista{"previo"}));
}

// La pasada única por grupos da lo mismo que las dos listas: grupos que solo difieren en
// mayúsculas (juntos bajo la primera grafía), con acento (otro grupo), vacío, y un hijo
// quitado. Cada hijo que queda está en un grupo y solo en uno.
TEST_F(ContenedorTest, HijosPorGrupoComoLasListas) {
    ContenedorPrueba bd("bd");
    const char* grupos[] = {"Otro",    "Fachadas", "otro",     "",     "Piedras", "Otro",   "OTRO",
                            "Piédras", "",         "Fachadas", "Otro", "Vidrios", "piedras"};
    std::vector<ObjetoBase*> creados;
    for (const char* grupo : grupos) {
        auto* elemento = new ElementoPrueba("e" + std::to_string(creados.size()));
        elemento->PonerGrupo(grupo);
        bd.AnadirHijo(elemento);
        creados.push_back(elemento);
    }
    // El único de "Vidrios" se quita: su grupo ya no sale.
    bd.QuitarHijo(creados[11]);
    delete creados[11];

    TStringList esperados;
    bd.ListarGrupos(esperados);
    const std::vector<Contenedor::Grupo> hallados = bd.HijosPorGrupo();
    ASSERT_EQ(hallados.size(), static_cast<size_t>(esperados.GetCount()));
    for (size_t g = 0; g < hallados.size(); ++g) {
        const AnsiString nombre = esperados.GetStrings(static_cast<int>(g));
        EXPECT_EQ(hallados[g].nombre, nombre);
        TStringList nombres;
        bd.ListarNombresDeGrupo(nombres, nombre);
        Lista deLaPasada;
        for (const ObjetoBase* hijo : hallados[g].hijos)
            deLaPasada.push_back(hijo->ObtenerNombre().str());
        EXPECT_EQ(deLaPasada, Cadenas(nombres)) << nombre.str();
    }
    const std::vector<std::pair<std::string, Lista>> porGrupo = {
        {"Otro", {"e0", "e2", "e5", "e6", "e10"}},
        {"Fachadas", {"e1", "e9"}},
        {"", {"e3", "e8"}},
        {"Piedras", {"e4", "e12"}},
        {"Piédras", {"e7"}},
    };
    ASSERT_EQ(hallados.size(), porGrupo.size());
    for (size_t g = 0; g < hallados.size(); ++g) {
        EXPECT_EQ(hallados[g].nombre.str(), porGrupo[g].first);
        Lista nombres;
        for (const ObjetoBase* hijo : hallados[g].hijos)
            nombres.push_back(hijo->ObtenerNombre().str());
        EXPECT_EQ(nombres, porGrupo[g].second) << porGrupo[g].first;
    }
}

TEST_F(ContenedorTest, ContadoresDelPrograma) {
    EXPECT_EQ(Contenedor::NombreUnico("Muro"), AnsiString("Muro_1"));
    EXPECT_EQ(Contenedor::NombreUnico("Otro"), AnsiString("Otro_2"));
    EXPECT_EQ(Contenedor::NombrePorTipo("Ladrillo", TIPO_MATERIAL), AnsiString("Ladrillo1"));
    EXPECT_EQ(Contenedor::NombrePorTipo("Ladrillo", TIPO_MATERIAL), AnsiString("Ladrillo2"));
    EXPECT_EQ(Contenedor::NombrePorTipo("Vidrio", TIPO_ACRISTALAMIENTO), AnsiString("Vidrio1"));
    for (int tipo : {0, 14, 36, 41})
        EXPECT_EQ(Contenedor::NombrePorTipo("N", tipo), AnsiString());

    // El identificador de objeto no vuelve a empezar al morir un contenedor.
    int primero = Contenedor::SiguienteCodigo();
    ReiniciarContadores();
    EXPECT_EQ(Contenedor::SiguienteCodigo(), primero + 1);
    EXPECT_EQ(Contenedor::NombreUnico("Muro"), AnsiString("Muro_1"));
    EXPECT_EQ(Contenedor::NombrePorTipo("Ladrillo", TIPO_MATERIAL), AnsiString("Ladrillo1"));
}

TEST_F(ContenedorTest, CrearResultadoUsaLaClaseRegistrada) {
    ContenedorPrueba planta("P1");
    planta.CrearResultado(TIPO_PLANTA); // sin clase registrada: nada
    EXPECT_EQ(planta.NumeroHijos(), 0);

    Fabrica::RegistrarResultado(TIPO_PLANTA, CreaContenedores(TIPO_PLANTA));
    planta.CrearResultado(TIPO_PLANTA);
    Fabrica::RegistrarResultado(TIPO_PLANTA, nullptr);
    ASSERT_EQ(planta.NumeroHijos(), 1);
    EXPECT_EQ(planta.Hijo(0)->ObtenerTipo(), TIPO_PLANTA);
    EXPECT_EQ(planta.Hijo(0)->ObtenerDueno(), &planta);
}

} // namespace
