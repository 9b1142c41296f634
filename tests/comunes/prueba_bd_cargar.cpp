// La carga de las bases de datos: registros repetidos, registros rotos entre registros
// buenos, el catálogo estándar (presente, ausente, de otro idioma, leído una vez por carga
// y de nuevo en la siguiente), las partes que no están en ningún sitio, las bases a las que
// apuntan cerramientos y huecos después de la carga y ficheros cortados en cualquier byte.

#include "tests/comunes/prueba_bd_entorno.h"

#include "comunes/FicheroLog.h"
#include "comunes/Idioma.h"
#include "comunes/LeerBDL.h"
#include "comunes/ObjetoBase.h"
#include "comunes/bdAcristalamientos.h"
#include "comunes/bdCatalogo.h"
#include "comunes/bdCerramientos.h"
#include "comunes/bdHuecos.h"
#include "comunes/bdMarcos.h"
#include "comunes/bdMateriales.h"

#include "plataforma/base/file_writer.h"
#include "tests/comunes/elementos_prueba.h"
#include "tests/comunes/registros_prueba.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Un catálogo con un material, un acristalamiento y un marco, todos de librería.
std::string Catalogo(const std::string& conductividadHormigon = "2.3") {
    return MaterialRegistro("Hormigon", conductividadHormigon, "YES") +
           VidrioRegistro("Doble", "2.8", true, "YES") + MarcoRegistro("Aluminio", "5.7", "YES");
}

class CargaBD : public EntornoBD {};

TEST_F(CargaBD, CadaRegistroRepetidoLeeSusPropiosValores) {
    bdMateriales* materiales = bdMateriales::Instancia(LISTA_PROGRAMA);
    auto lector = Lector(MaterialRegistro("Ladrillo", "0.85") + MaterialRegistro("Mortero", "1.3") +
                         MaterialRegistro("Ladrillo", "0.5"));
    materiales->Leer(lector.get());

    ASSERT_EQ(materiales->NumeroHijos(), 3);
    ObjetoBase* primero = materiales->Hijo(0);
    ObjetoBase* segundo = materiales->Hijo(2);
    EXPECT_EQ(primero->ObtenerNombre(), "Ladrillo");
    EXPECT_NE(segundo->ObtenerNombre(), "Ladrillo");
    EXPECT_EQ(segundo->ObtenerNombre().SubString(1, 8), "Ladrillo");
    EXPECT_FLOAT_EQ(Real(*primero, "Conductividad"), 0.85f);
    EXPECT_FLOAT_EQ(Real(*segundo, "Conductividad"), 0.5f);
    EXPECT_FLOAT_EQ(Real(*materiales->Hijo(1), "Conductividad"), 1.3f);
    // El repetido conserva como nombre completo el nombre de su registro.
    EXPECT_EQ(Texto(*segundo, "Nombre completo"), "Ladrillo");
    EXPECT_EQ(Log().find("no se ha cargado"), std::string::npos);
}

TEST_F(CargaBD, UnRegistroRotoSeAnotaYSeSaltaSinPararLaCarga) {
    // El registro sin ".." en cada puesto: al principio, entre dos buenos y al final.
    for (int roto = 0; roto < 3; ++roto) {
        SCOPED_TRACE("roto en el puesto " + std::to_string(roto));
        FicheroLog::Instancia()->Inicializar();
        bdAcristalamientos* vidrios = bdAcristalamientos::Instancia(LISTA_PROGRAMA);
        const char* nombres[] = {"V1", "V2", "V3"};
        const char* conductancias[] = {"1.1", "2.2", "3.3"};
        std::string texto = MaterialRegistro("Ladrillo", "0.85");
        for (int i = 0; i < 3; ++i)
            texto += VidrioRegistro(nombres[i], conductancias[i], i != roto);
        auto lector = Lector(texto);
        vidrios->Leer(lector.get());

        ASSERT_EQ(vidrios->NumeroHijos(), 2);
        EXPECT_EQ(Elemento(vidrios, nombres[roto]), nullptr);
        for (int i = 0; i < 3; ++i) {
            if (i == roto) continue;
            ObjetoBase* vidrio = Elemento(vidrios, nombres[i]);
            ASSERT_NE(vidrio, nullptr) << nombres[i];
            EXPECT_FLOAT_EQ(Real(*vidrio, "Conductancia"), std::stof(conductancias[i]));
        }
        const std::string linea =
            std::string("VIDRIO: ") + nombres[roto] + " no se ha cargado correctamente.";
        EXPECT_EQ(Veces(Log(), linea), 1);
        // La carga acaba escribiendo el registro del modelo en su fichero.
        EXPECT_EQ(Veces(LogEnDisco(), linea), 1);
        vidrios->Liberar();
    }
}

TEST_F(CargaBD, ElCatalogoDaLasPartesQueElFicheroNoTrae) {
    PonerCatalogo(Catalogo());
    bdCatalogo catalogo;
    CargarTodo(LISTA_PROGRAMA,
               MaterialRegistro("Yeso", "0.3") +
                   CerramientoRegistro("Muro", "\"Hormigon\",\"Yeso\",\"Falta\"", "0.2,0.01,0.05") +
                   HuecoRegistro("H1", "Doble", "Aluminio") +
                   HuecoRegistro("H2", "Ninguno", "Desconocido"),
               catalogo);
    // Cerramientos y huecos comparten una sola lectura del catálogo.
    EXPECT_EQ(catalogo.Lecturas(), 1);

    auto bases = Bases(LISTA_PROGRAMA);
    ObjetoBase* hormigon = Elemento(bases[0], "Hormigon");
    ASSERT_NE(hormigon, nullptr);
    EXPECT_FLOAT_EQ(Real(*hormigon, "Conductividad"), 2.3f);
    EXPECT_TRUE(hormigon->EsLibreria());
    ObjetoBase* falta = Elemento(bases[0], "Falta");
    ASSERT_NE(falta, nullptr); // se sigue creando, con los valores por defecto
    EXPECT_EQ(Estado(*falta, "Conductividad"), ESTADO_DEFECTO);
    ObjetoBase* doble = Elemento(bases[3], "Doble");
    ASSERT_NE(doble, nullptr);
    EXPECT_FLOAT_EQ(Real(*doble, "Conductancia"), 2.8f);
    ASSERT_NE(Elemento(bases[2], "Aluminio"), nullptr);
    EXPECT_FLOAT_EQ(Real(*Elemento(bases[2], "Aluminio"), "frameConduct"), 5.7f);
    ASSERT_NE(Elemento(bases[2], "Desconocido"), nullptr);

    // Solo lo que no está en ningún sitio se anota; "Ninguno" dice que no hay parte.
    const std::string log = Log();
    EXPECT_EQ(Veces(log, "MATERIAL: Falta no est"), 1) << log;
    EXPECT_EQ(Veces(log, "MARCO: Desconocido no est"), 1) << log;
    for (const char* encontrado : {"Hormigon", "Yeso", "Doble", "Aluminio", "Ninguno"})
        EXPECT_EQ(log.find(std::string(encontrado) + " no est"), std::string::npos) << encontrado;
}

TEST_F(CargaBD, TrasLaCargaCadaElementoApuntaALasBasesDeSuTipoDeLista) {
    PonerCatalogo(Catalogo());
    // Sin catálogo compartido: cada base lee el suyo y lo suelta al acabar su carga.
    auto lector = Lector(CerramientoRegistro("Muro", "\"Hormigon\"", "0.2") +
                         HuecoRegistro("H1", "Doble", "Aluminio"));
    for (TipoLista tipo : {LISTA_USUARIO, LISTA_PROGRAMA}) {
        SCOPED_TRACE("tipo de lista " + std::to_string(tipo));
        auto bases = Bases(tipo);
        for (bdLibreria* base : bases)
            base->Leer(lector.get());

        // El cerramiento marca los materiales de la base a la que apunta: la propia.
        ObjetoBase* hormigon = Elemento(bases[0], "Hormigon");
        ASSERT_NE(hormigon, nullptr);
        EXPECT_FALSE(hormigon->EsUtilizado());
        Elemento(bases[1], "Muro")->PonerLogico("Utilizado", true);
        EXPECT_TRUE(hormigon->EsUtilizado());

        // El hueco exporta el acristalamiento de la base a la que apunta: la propia, con el
        // factor que se le ha cambiado después de la carga.
        ObjetoBase* hueco = Elemento(bases[4], "H1");
        ASSERT_NE(hueco, nullptr);
        Elemento(bases[3], "Doble")->PonerReal("Factor solar", 0.25f);
        hueco->PonerLogico("Utilizado", true);
        const std::string exportado = Escrito([&](FileWriter& f) { hueco->Exportar(f); });
        EXPECT_NE(exportado.find("\"Doble\" = GLASS-TYPE"), std::string::npos) << exportado;
        EXPECT_NE(exportado.find(Numero14g("0.25")), std::string::npos) << exportado;
    }
}

TEST_F(CargaBD, CadaCargaLeeElCatalogoComoEstaEntonces) {
    auto* cerramientos = static_cast<bdCerramientos*>(Bases(LISTA_USUARIO)[1]);
    bdMateriales* materiales = cerramientos->Materiales();
    auto lector = Lector(CerramientoRegistro("Muro", "\"Hormigon\"", "0.2"));

    PonerCatalogo(Catalogo("2.3"));
    cerramientos->Leer(lector.get());
    EXPECT_FLOAT_EQ(Real(*Elemento(materiales, "Hormigon"), "Conductividad"), 2.3f);

    cerramientos->Vaciar();
    materiales->Vaciar();
    PonerCatalogo(Catalogo("1.9"));
    cerramientos->Leer(lector.get());
    EXPECT_FLOAT_EQ(Real(*Elemento(materiales, "Hormigon"), "Conductividad"), 1.9f);
}

TEST_F(CargaBD, SinCatalogoLasPartesTomanSusValoresPorDefectoYSeAnotan) {
    struct Caso {
        const char* que;
        bool hayCatalogo;
        unsigned char idioma;
    } casos[] = {
        {"no hay catálogo", false, 0},
        {"el idioma no tiene catálogo", true, 1},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.que);
        if (caso.hayCatalogo) PonerCatalogo(Catalogo());
        Idioma::Instancia()->FijarCodigoParaPruebas(caso.idioma);
        FicheroLog::Instancia()->Inicializar();
        bdCatalogo catalogo;
        CargarTodo(LISTA_PROGRAMA,
                   CerramientoRegistro("Muro", "\"Hormigon\"", "0.2") +
                       HuecoRegistro("H1", "Doble", "Aluminio"),
                   catalogo);
        EXPECT_EQ(catalogo.Lecturas(), 0);

        auto bases = Bases(LISTA_PROGRAMA);
        ObjetoBase* hormigon = Elemento(bases[0], "Hormigon");
        ASSERT_NE(hormigon, nullptr);
        EXPECT_EQ(Estado(*hormigon, "Conductividad"), ESTADO_DEFECTO);
        EXPECT_NE(Elemento(bases[3], "Doble"), nullptr);
        EXPECT_NE(Elemento(bases[2], "Aluminio"), nullptr);
        const std::string log = Log();
        for (const char* linea :
             {"MATERIAL: Hormigon no est", "VIDRIO: Doble no est", "MARCO: Aluminio no est"})
            EXPECT_EQ(Veces(log, linea), 1) << linea << "\n" << log;
        for (bdLibreria* base : bases)
            base->Vaciar();
    }
}

TEST_F(CargaBD, ElCatalogoMismoNoBuscaEnElCatalogo) {
    // Un catálogo en disco con otros valores: el tipo de lista 0 no lo lee.
    PonerCatalogo(Catalogo("9.9"));
    bdCatalogo catalogo;
    CargarTodo(LISTA_ESTANDAR,
               MaterialRegistro("Hormigon", "2.3") +
                   CerramientoRegistro("Muro", "\"Hormigon\"", "0.2"),
               catalogo);
    EXPECT_EQ(catalogo.Lecturas(), 0);
    auto bases = Bases(LISTA_ESTANDAR);
    EXPECT_EQ(bases[0]->NumeroHijos(), 1);
    EXPECT_FLOAT_EQ(Real(*Elemento(bases[0], "Hormigon"), "Conductividad"), 2.3f);
    EXPECT_EQ(Log().find(" no est"), std::string::npos);
}

TEST_F(CargaBD, UnFicheroCortadoEnCualquierPuntoSeCargaSinRomperNada) {
    PonerCatalogo(Catalogo());
    const std::string completo = MaterialRegistro("Yeso", "0.3") +
                                 CerramientoRegistro("Muro", "\"Hormigon\",\"Yeso\"", "0.2,0.01") +
                                 MarcoRegistro("PVC", "1.8") + VidrioRegistro("Simple", "5.7") +
                                 HuecoRegistro("H1", "Simple", "PVC") +
                                 PuenteRegistro("PT1", "0.4");
    for (size_t largo = 0; largo <= completo.size(); ++largo) {
        SCOPED_TRACE("largo " + std::to_string(largo));
        bdCatalogo catalogo;
        CargarTodo(LISTA_PROGRAMA, completo.substr(0, largo), catalogo);
        for (bdLibreria* base : Bases(LISTA_PROGRAMA))
            base->Liberar();
    }
    bdCatalogo catalogo;
    CargarTodo(LISTA_PROGRAMA, completo, catalogo);
    int elementos = 0;
    for (bdLibreria* base : Bases(LISTA_PROGRAMA))
        elementos += base->NumeroHijos();
    // Yeso, Muro, Hormigon, PVC, Simple, H1 y PT1.
    EXPECT_EQ(elementos, 7);
}

} // namespace
