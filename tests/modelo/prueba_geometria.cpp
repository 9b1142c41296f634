// Geometría plana: contornos, áreas con huecos, punto en el polígono, orientación, rayos y
// malla de muestreo.

#include "modelo/Coordenadas.h"
#include "modelo/PLinea.h"
#include "modelo/PoliArea.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const Vector3 kArriba(0, 0, 1);

PLinea Contorno(std::initializer_list<Point3> puntos) {
    PLinea linea(static_cast<int>(puntos.size()));
    int i = 0;
    for (const Point3& p : puntos)
        linea.PonerVertice(i++, p);
    return linea;
}

Coordenadas Lista(std::initializer_list<Point3> puntos) {
    Coordenadas lista;
    lista.Redimensionar(static_cast<int>(puntos.size()));
    int i = 0;
    for (const Point3& p : puntos)
        lista.PonerPunto(i++, p.x, p.y, p.z);
    return lista;
}

const std::initializer_list<Point3> kCuadrado = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
const std::initializer_list<Point3> kCuadradoHorario = {{0, 0, 0}, {0, 1, 0}, {1, 1, 0}, {1, 0, 0}};
// Una L: un cuadrado de 2 x 2 sin su cuarto de arriba a la derecha.
const std::initializer_list<Point3> kEle = {{0, 0, 0}, {2, 0, 0}, {2, 1, 0},
                                            {1, 1, 0}, {1, 2, 0}, {0, 2, 0}};

TEST(Geometria, PuntoEnPoligono) {
    struct Caso {
        const char* que;
        std::initializer_list<Point3> contorno;
        Point3 punto;
        int esperado;
    };
    const Caso casos[] = {
        {"dentro", kCuadrado, {0.5f, 0.5f, 0}, 1},
        {"vértice", kCuadrado, {1, 1, 0}, 2},
        {"lado", kCuadrado, {0.5f, 0, 0}, 3},
        {"fuera", kCuadrado, {2, 2, 0}, 0},
        {"horario, dentro", kCuadradoHorario, {0.5f, 0.5f, 0}, 1},
        {"horario, fuera", kCuadradoHorario, {-0.5f, 0.5f, 0}, 0},
        {"cóncavo, brazo", kEle, {0.5f, 1.5f, 0}, 1},
        {"cóncavo, entrante", kEle, {1.5f, 1.5f, 0}, 0},
        {"cóncavo, vértice interior", kEle, {1, 1, 0}, 2},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.que);
        EXPECT_EQ(Contorno(caso.contorno).PuntoInterior(caso.punto, kArriba), caso.esperado);
    }
    // Un vértice que falta no deja decidir.
    PLinea incompleto(4);
    incompleto.PonerVertice(0, {0, 0, 0});
    EXPECT_EQ(incompleto.PuntoInterior({0.5f, 0.5f, 0}, kArriba), 0);
}

TEST(Geometria, AreasConSignoYDelArea) {
    struct Caso {
        const char* que;
        std::initializer_list<Point3> contorno;
        double conSigno;
        double area; // del PoliArea tras su sistema de referencia; -1 si no lo tiene
        float normalZ;
    };
    const Caso casos[] = {
        {"antihorario", kCuadrado, 1.0, 1.0, 1},
        {"horario", kCuadradoHorario, -1.0, 1.0, -1},
        {"cóncavo", kEle, 3.0, 3.0, 1},
        // Desde el vértice entrante el primer producto apunta abajo: la normal se invierte.
        {"cóncavo desde el entrante",
         {{1, 1, 0}, {1, 2, 0}, {0, 2, 0}, {0, 0, 0}, {2, 0, 0}, {2, 1, 0}},
         3.0,
         3.0,
         1},
        {"alineados", {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, 0.0, -1, 0},
        {"dos puntos", {{0, 0, 0}, {1, 0, 0}}, 0.0, -1, 0},
        {"repetidos", {{1, 1, 0}, {1, 1, 0}, {1, 1, 0}}, 0.0, -1, 0},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.que);
        PLinea contorno = Contorno(caso.contorno);
        EXPECT_NEAR(contorno.AreaConSigno(kArriba), caso.conSigno, 1e-6);
        PoliArea area(1);
        area.PonerContorno(0, &contorno);
        EXPECT_EQ(area.Referencia(), caso.area < 0 ? 0 : 1);
        if (caso.area >= 0) {
            EXPECT_NEAR(area.Area(), caso.area, 1e-6);
            // La normal queda hacia donde el contorno se ve girar en sentido antihorario.
            EXPECT_FLOAT_EQ(area.Normal().z, caso.normalZ);
        }
    }
}

TEST(Geometria, AreaConHuecos) {
    PLinea exterior = Contorno({{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}});
    // Los huecos cuentan por su valor absoluto, giren como giren.
    PLinea hueco1 = Contorno({{1, 1, 0}, {2, 1, 0}, {2, 2, 0}, {1, 2, 0}});
    PLinea hueco2 = Contorno({{3, 3, 0}, {3, 3.5f, 0}, {3.5f, 3.5f, 0}, {3.5f, 3, 0}});
    PoliArea area(3);
    area.PonerContorno(0, &exterior);
    area.PonerContorno(1, &hueco1);
    area.PonerContorno(2, &hueco2);
    ASSERT_EQ(area.Referencia(), 1);
    EXPECT_NEAR(area.Area(), 16.0 - 1.0 - 0.25, 1e-6);
    EXPECT_TRUE(area.Contiene({0.5f, 0.5f, 0}));
    EXPECT_FALSE(area.Contiene({1.5f, 1.5f, 0}));
    EXPECT_TRUE(area.Contiene({1.5f, 1, 0})) << "el borde de un hueco es del área";
    EXPECT_FALSE(area.Contiene({5, 5, 0}));
    // Un área sin contorno exterior no tiene nada.
    PoliArea vacia(2);
    EXPECT_EQ(vacia.Referencia(), 0);
    EXPECT_EQ(vacia.Area(), 0.0);
    EXPECT_FALSE(vacia.Contiene({0, 0, 0}));
}

TEST(Geometria, ReferenciaComprobadaPruebaOtrosVertices) {
    // El último vértice está alineado con el primer lado: la normal sale nula.
    PLinea contorno =
        Contorno({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0.5f, 2, 0}, {0, 1, 0}, {-1, 0, 0}});
    PoliArea simple(1);
    simple.PonerContorno(0, &contorno);
    EXPECT_EQ(simple.Referencia(), 0);
    PoliArea comprobada(1);
    comprobada.PonerContorno(0, &contorno);
    ASSERT_EQ(comprobada.ReferenciaComprobada(), 1);
    EXPECT_FLOAT_EQ(comprobada.Normal().z, 1.0f);
    EXPECT_GT(comprobada.Area(), 0.0);
}

TEST(Geometria, SistemaDeReferenciaYCoordenadasLocales) {
    PLinea contorno = Contorno({{1, 1, 0}, {3, 1, 0}, {3, 2, 0}, {1, 2, 0}});
    PoliArea area(1);
    area.PonerContorno(0, &contorno);
    ASSERT_EQ(area.Referencia(), 1);
    EXPECT_FLOAT_EQ(area.Origen().x, 1.0f);
    EXPECT_FLOAT_EQ(area.EjeU().x, 1.0f);
    EXPECT_FLOAT_EQ(area.EjeV().y, 1.0f);
    EXPECT_FLOAT_EQ(area.UMax(), 2.0f);
    EXPECT_FLOAT_EQ(area.VMax(), 1.0f);
    EXPECT_FLOAT_EQ(area.UMin(), 0.0f);
    const Vector3 local = area.ALocal(Vector3(2, 3, 4));
    EXPECT_FLOAT_EQ(local.x, 2.0f);
    EXPECT_FLOAT_EQ(local.y, 3.0f);
    EXPECT_FLOAT_EQ(local.z, 4.0f);
}

TEST(Geometria, Orientacion) {
    struct Caso {
        const char* que;
        std::initializer_list<Point3> contorno;
        const char* texto;
    };
    const Caso casos[] = {
        {"norte (normal +Y)", {{1, 0, 0}, {0, 0, 0}, {0, 0, 1}, {1, 0, 1}}, "0"},
        {"este (normal +X)", {{0, 0, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}}, "90"},
        {"sur (normal -Y)", {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 1}}, "180"},
        {"oeste (normal -X)", {{0, 0, 0}, {0, 0, 1}, {0, 1, 1}, {0, 1, 0}}, "270"},
        {"noreste",
         {{0.70710678f, 0, 0}, {0, 0.70710678f, 0}, {0, 0.70710678f, 1}, {0.70710678f, 0, 1}},
         "45"},
        {"suelo", kCuadrado, "Horizontal"},
        {"techo visto al revés", kCuadradoHorario, "Horizontal"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.que);
        Coordenadas lista = Lista(caso.contorno);
        EXPECT_NEAR(lista.Area(), 1.0, 1e-6);
        EXPECT_EQ(lista.Orientacion(), caso.texto);
    }
    // Sin sistema de referencia el área es 0 y la normal no cambia.
    Coordenadas alineados = Lista({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}});
    EXPECT_EQ(alineados.Area(), 0.0);
    EXPECT_EQ(alineados.Normal().x, 0.0f);
    EXPECT_EQ(alineados.Normal().y, 0.0f);
    EXPECT_EQ(alineados.Normal().z, 0.0f);
}

// Un contorno que empieza a mitad de un lado recto: su último vértice está alineado con su
// primer lado, y el área y la orientación salen igual que empezando en una esquina.
TEST(Geometria, ContornoQueEmpiezaAMitadDeUnLado) {
    struct Caso {
        const char* que;
        std::initializer_list<Point3> contorno;
        double area;
        const char* texto;
    };
    const Caso casos[] = {
        {"planta de 10 x 8 desde la mitad del lado sur",
         {{5, 0, 0}, {10, 0, 0}, {10, 8, 0}, {0, 8, 0}, {0, 0, 0}},
         80.0,
         "Horizontal"},
        {"muro sur de 10 x 3 desde la mitad de su base",
         {{5, 0, 0}, {10, 0, 0}, {10, 0, 3}, {0, 0, 3}, {0, 0, 0}},
         30.0,
         "180"},
        {"muro este de 8 x 3 desde la mitad de su base",
         {{10, 4, 0}, {10, 8, 0}, {10, 8, 3}, {10, 0, 3}, {10, 0, 0}},
         24.0,
         "90"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.que);
        Coordenadas lista = Lista(caso.contorno);
        EXPECT_NEAR(lista.Area(), caso.area, 1e-4);
        EXPECT_EQ(lista.Orientacion(), caso.texto);
    }
}

// Una superficie inclinada mira hacia donde mira su proyección en planta: un muro al sur
// inclinado a 80 grados o una cubierta al sur de 30 grados de pendiente dan "180". Cada
// caso es un rectángulo de 10 x 3 con la normal de esa dirección de brújula (grados desde
// el norte hacia el este) y esa inclinación (grados desde la horizontal).
TEST(Geometria, OrientacionDeUnaSuperficieInclinada) {
    struct Caso {
        double brujula, inclinacion;
        const char* texto;
    };
    const Caso casos[] = {
        {180, 80, "180"}, {180, 30, "180"}, {0, 60, "0"},         {90, 45, "90"},
        {270, 10, "270"}, {45, 30, "45"},   {135, 70, "135"},     {315, 20, "315"},
        {180, 90, "180"}, {225, 89, "225"}, {0, 0, "Horizontal"},
    };
    constexpr double kGrado = 3.14159265358979 / 180.0;
    for (const Caso& caso : casos) {
        SCOPED_TRACE(std::to_string(caso.brujula) + " / " + std::to_string(caso.inclinacion));
        const double c = caso.brujula * kGrado, t = caso.inclinacion * kGrado;
        const Vector3 n(std::sin(t) * std::sin(c), std::sin(t) * std::cos(c), std::cos(t));
        // Un lado horizontal (perpendicular a la normal) y el otro por la pendiente: U x D = n.
        const Vector3 u(std::cos(c), -std::sin(c), 0);
        const Vector3 d = Vectorial(n, u);
        auto punto = [&](double a, double b) {
            return Point3(static_cast<float>(u.x * a + d.x * b),
                          static_cast<float>(u.y * a + d.y * b),
                          static_cast<float>(u.z * a + d.z * b));
        };
        Coordenadas lista = Lista({punto(0, 0), punto(10, 0), punto(10, 3), punto(0, 3)});
        EXPECT_NEAR(lista.Area(), 30.0, 1e-3);
        EXPECT_NEAR(lista.Normal().z, n.z, 1e-5);
        EXPECT_EQ(lista.Orientacion(), caso.texto);
    }
}

TEST(Geometria, CoordenadasComprobadasYEnElOrigen) {
    Coordenadas lista;
    EXPECT_EQ(lista.NumeroPuntos(), 0);
    lista.Redimensionar(3);
    EXPECT_EQ(lista.NumeroPuntos(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lista.X(i), 0.0f);
        EXPECT_EQ(lista.Y(i), 0.0f);
        EXPECT_EQ(lista.Z(i), 0.0f);
    }
    lista.PonerPunto(2, 1, 2, 3);
    EXPECT_EQ(lista.Z(2), 3.0f);
    EXPECT_THROW(lista.PonerPunto(3, 0, 0, 0), std::out_of_range);
    EXPECT_THROW(lista.Punto(-1), std::out_of_range);
    lista.Redimensionar(-2);
    EXPECT_EQ(lista.NumeroPuntos(), 0);
    EXPECT_THROW(lista.X(0), std::out_of_range);

    PLinea linea(2);
    EXPECT_EQ(linea.Vertice(0), nullptr);
    EXPECT_EQ(linea.Vertice(5), nullptr);
    EXPECT_THROW(linea.PonerVertice(2, {}), std::out_of_range);
}

TEST(Geometria, Rayo) {
    PLinea contorno = Contorno(kCuadrado);
    PoliArea area(1);
    area.PonerContorno(0, &contorno);
    ASSERT_EQ(area.Referencia(), 1);
    struct Caso {
        const char* que;
        Point3 origen;
        Vector3 direccion;
        int esperado;
    };
    const Caso casos[] = {
        {"desde arriba al centro", {0.5f, 0.5f, 3}, {0, 0, -1}, 1},
        {"dirección de largo 2", {0.5f, 0.5f, 3}, {0, 0, -2}, 0},
        {"desde abajo", {0.5f, 0.5f, -3}, {0, 0, 1}, 0},
        {"alejándose", {0.5f, 0.5f, 3}, {0, 0, 1}, 0},
        {"paralelo", {0.5f, 0.5f, 3}, {1, 0, 0}, 0},
        {"fuera del cuadrado", {2.5f, 0.5f, 3}, {0, 0, -1}, 0},
        {"desde el plano", {0.5f, 0.5f, 0}, {0, 0, -1}, 0},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.que);
        Point3 corte(9, 9, 9);
        double distancia = -1;
        EXPECT_EQ(area.Impacto(caso.origen, caso.direccion, corte, distancia), caso.esperado);
        if (caso.esperado == 1) {
            EXPECT_FLOAT_EQ(corte.x, 0.5f);
            EXPECT_FLOAT_EQ(corte.y, 0.5f);
            EXPECT_NEAR(corte.z, 0.0f, 1e-6);
            EXPECT_DOUBLE_EQ(distancia, 3.0);
        } else {
            EXPECT_EQ(corte.x, 9.0f) << "sin corte no se toca el punto";
        }
    }
}

TEST(Geometria, MallaYPuntosDeCelda) {
    PLinea contorno = Contorno({{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0}});
    PoliArea area(1);
    area.PonerContorno(0, &contorno);
    ASSERT_EQ(area.Referencia(), 1);
    struct Caso {
        double densidad;
        int nu;
        int nv;
    };
    // 2 x 1 con densidad 2: total 4, nv = 1.41 (1) y nu = 2.83 (2).
    for (const Caso& caso : {Caso{2, 2, 1}, Caso{8, 5, 2}, Caso{1.5, 2, 1}, Caso{0.5, 1, 1},
                             Caso{0.4, 0, 0}, Caso{-1, 0, 0}}) {
        SCOPED_TRACE(caso.densidad);
        int nu = -1, nv = -1;
        area.DivisionMalla(caso.densidad, nu, nv);
        EXPECT_EQ(nu, caso.nu);
        EXPECT_EQ(nv, caso.nv);
    }
    // Las celdas de una malla de 4 x 2 tienen su centro dentro.
    std::vector<Point3> centros;
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 4; ++j)
            if (auto p = area.PuntoCelda(i, 2, j, 4)) centros.push_back(*p);
    ASSERT_EQ(centros.size(), 8u);
    EXPECT_FLOAT_EQ(centros[0].x, 0.25f);
    EXPECT_FLOAT_EQ(centros[0].y, 0.25f);
    EXPECT_FLOAT_EQ(centros[7].x, 1.75f);
    EXPECT_FLOAT_EQ(centros[7].y, 0.75f);
    // Sin divisiones se toma una: el centro del rectángulo, sin dividir por cero.
    auto unico = area.PuntoCelda(0, 0, 0, 0);
    ASSERT_TRUE(unico.has_value());
    EXPECT_FLOAT_EQ(unico->x, 1.0f);
    EXPECT_FLOAT_EQ(unico->y, 0.5f);
}

TEST(Geometria, CeldasDeUnContornoQueEmpiezaEnMedio) {
    // El primer vértice no es la esquina de la caja: la caja empieza antes del origen, y la
    // celda única tiene su centro en el de la caja.
    PLinea trapecio = Contorno({{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {-2, 2, 0}});
    PoliArea area(1);
    area.PonerContorno(0, &trapecio);
    ASSERT_EQ(area.Referencia(), 1);
    EXPECT_FLOAT_EQ(area.UMin(), -2.0f);
    auto centro = area.PuntoCelda(0, 1, 0, 1);
    ASSERT_TRUE(centro.has_value());
    EXPECT_NEAR(centro->x, 0.0f, 1e-6);
    EXPECT_NEAR(centro->y, 1.0f, 1e-6);
}

TEST(Geometria, Centro) {
    PLinea triangulo = Contorno({{0, 0, 0}, {3, 0, 0}, {0, 3, 0}});
    PoliArea area(1);
    area.PonerContorno(0, &triangulo);
    const Point3 c = area.Centro();
    EXPECT_FLOAT_EQ(c.x, 1.0f);
    EXPECT_FLOAT_EQ(c.y, 1.0f);
    PLinea cuadrado = Contorno({{0, 0, 2}, {2, 0, 2}, {2, 2, 2}, {0, 2, 2}, {-9, -9, 2}});
    PoliArea otra(1);
    otra.PonerContorno(0, &cuadrado);
    const Point3 d = otra.Centro();
    EXPECT_FLOAT_EQ(d.x, 1.0f) << "solo los cuatro primeros vértices";
    EXPECT_FLOAT_EQ(d.z, 2.0f);
    PoliArea vacia(1);
    EXPECT_EQ(vacia.Centro().x, 0.0f);
}

} // namespace
