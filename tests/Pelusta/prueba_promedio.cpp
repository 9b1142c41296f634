// El cálculo del promedio sobre ejemplos hechos a mano, los multiplicadores y lo que se
// muestra cuando un proyecto falla.

#include "Pelusta/Promedio.h"
#include "tests/Pelusta/GeneradorProyectos.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/separador_regional.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

class Promedio : public testing::Test {
protected:
    void SetUp() override {
        inicio_ = carpeta_.Ruta().str() + "inicio/";
        obras_ = carpeta_.Ruta().str() + "obras/";
    }
    // Un proyecto con sus resultados: objeto y referencia de calefacción y refrigeración, y
    // superficie.
    FilaPromedio Proyecto(const std::string& nombre, const char* multiplicador, const char* ho,
                          const char* hr, const char* co, const char* cr, const char* area) {
        const std::string cte = EscribirProyecto(inicio_, obras_, nombre, {ho, co, area},
                                                 {hr, cr, area}, TablaDePrueba());
        return {AnsiString(cte), multiplicador};
    }

    ResultadoPromedio Calcular(const std::vector<FilaPromedio>& filas,
                               const TablaCodigos& tabla = TablaDePrueba()) {
        proyectos_ = std::make_unique<Proyectos>(tabla);
        return CalcularPromedio(*proyectos_, filas, AnsiString(inicio_));
    }

    CarpetaTemporal carpeta_;
    std::string inicio_, obras_;
    std::unique_ptr<Proyectos> proyectos_;
    SeparadorRegional separador_{'.'};
};

// Los cuatro textos que muestra la ventana: calefacción, refrigeración y las dos proporciones.
std::vector<std::string> Textos(const ResultadoPromedio& r) {
    return {r.calefaccion.str(), r.refrigeracion.str(), r.proporcionCalefaccion.str(),
            r.proporcionRefrigeracion.str()};
}
using Esperados = std::vector<std::string>;

TEST_F(Promedio, UnProyecto) {
    // H = 30/60·100 = 50; R = -10/-20·100 = 50; P = -30/(-10-30)·100 = 75; 100 - P = 25.
    const ResultadoPromedio r = Calcular({Proyecto("casa", "1", "30", "60", "-10", "-20", "100")});
    ASSERT_TRUE(r.completo) << r.mensaje.str();
    EXPECT_EQ(Textos(r), (Esperados{"50.0", "50.0", "75.0", "25.0"}));
    EXPECT_FLOAT_EQ(proyectos_->GetPorcentajeCalefaccion(), 50);
    EXPECT_FLOAT_EQ(proyectos_->GetPorcentajeRefrigeracion(), 50);
    EXPECT_FLOAT_EQ(proyectos_->GetProporcionCalefaccion(), 75);
    EXPECT_FLOAT_EQ(proyectos_->GetProporcionRefrigeracion(), 25);
    EXPECT_TRUE(proyectos_->Cumple());
}

TEST_F(Promedio, VariosProyectosConMultiplicadores) {
    // A: área 100, m = 2; B: área 50, m = 1.
    // S0 = 30·100·2 + 40·50 = 8000       S1 = 60·200 + 50·50 = 14500
    // S2 = -10·200 + -30·50 = -3500      S3 = -20·200 + -25·50 = -5250
    // H = 8000/14500·100 = 55.17  R = 3500/5250·100 = 66.67
    // P = 8000/(8000 + 3500)·100 = 69.57  100 - P = 30.43
    const FilaPromedio a = Proyecto("a", "2", "30", "60", "-10", "-20", "100");
    const FilaPromedio b = Proyecto("b", "1", "40", "50", "-30", "-25", "50");
    ResultadoPromedio r = Calcular({a, b});
    ASSERT_TRUE(r.completo) << r.mensaje.str();
    EXPECT_EQ(Textos(r), (Esperados{"55.2", "66.7", "69.6", "30.4"}));
    EXPECT_TRUE(proyectos_->Cumple());
    EXPECT_EQ(proyectos_->Multiplicador(0), 2);

    // Con los multiplicadores cambiados: A m = 1, B m = 3.
    // S0 = 3000 + 6000 = 9000  S1 = 6000 + 7500 = 13500  S2 = -1000 - 4500 = -5500
    // S3 = -2000 - 3750 = -5750
    // H = 66.67  R = 95.65  P = 9000/14500·100 = 62.07  100 - P = 37.93
    r = Calcular({{a.proyecto, "1"}, {b.proyecto, "3"}});
    ASSERT_TRUE(r.completo) << r.mensaje.str();
    EXPECT_EQ(Textos(r), (Esperados{"66.7", "95.7", "62.1", "37.9"}));
}

TEST_F(Promedio, ConComaRegionalLosFicherosSiguenConPunto) {
    // Los ficheros escriben "30.5"; la ventana muestra los resultados con la coma.
    // P = 30.5/(30.5 + 10)·100 = 75.31; 100 - P = 24.69.
    SeparadorRegional coma(',');
    const ResultadoPromedio r =
        Calcular({Proyecto("casa", "1", "30.5", "61", "-10", "-20", "100.5")});
    ASSERT_TRUE(r.completo) << r.mensaje.str();
    EXPECT_EQ(Textos(r), (Esperados{"50,0", "50,0", "75,3", "24,7"}));
}

TEST_F(Promedio, SumasNulasDanCero) {
    // S1 = 0 da H = 0; S2 - S0 = 200 - 200 = 0 da P = 0 y 100 - P = 100;
    // R = 200/400·100 = 50.
    const ResultadoPromedio r = Calcular({Proyecto("nula", "1", "20", "0", "20", "40", "10")});
    ASSERT_TRUE(r.completo) << r.mensaje.str();
    EXPECT_EQ(Textos(r), (Esperados{"0.0", "50.0", "0.0", "100.0"}));
}

TEST_F(Promedio, FilaVaciaSeSaltaYElSiguienteSeCompruebaConSusFicheros) {
    const FilaPromedio a = Proyecto("a", "1", "30", "60", "-10", "-20", "100");
    const FilaPromedio b = Proyecto("b", "1", "40", "50", "-30", "-25", "50");
    // El ".cl" de b es el de a: b debe fallar por sus propios ficheros.
    EscribirBytes(inicio_ + "Resultados/bO.cl", LeerBytes(inicio_ + "Resultados/aO.cl"));
    const ResultadoPromedio r = Calcular({a, {"", "1"}, b});
    EXPECT_FALSE(r.completo);
    EXPECT_EQ(r.mensaje.str(), "el fichero de resultados no es valido (Objeto b)");
    EXPECT_EQ(r.proyecto, 1);
    EXPECT_EQ(proyectos_->Numero(), 2);
    EXPECT_TRUE(r.calefaccion.IsEmpty());
}

TEST_F(Promedio, MensajesDeLaComprobacion) {
    const FilaPromedio casa = Proyecto("casa", "1", "30", "60", "-10", "-20", "100");
    for (const CasoComprobacion& caso : CasosComprobacion(inicio_, obras_)) {
        SCOPED_TRACE(caso.nombre);
        Proyecto("casa", "1", "30", "60", "-10", "-20", "100");
        Estropear(caso);
        const ResultadoPromedio r = Calcular({casa});
        EXPECT_FALSE(r.completo);
        EXPECT_EQ(r.mensaje.str(), caso.mensaje);
        EXPECT_EQ(r.proyecto, 0);
    }
}

// Los textos exactos de cada código con una ruta de Windows, que se muestra como la nombra
// el sistema: el código 2 nombra el fichero que se buscó; el 6 va sin blanco antes del nombre.
TEST(MensajeComprobacion, TextosDeCadaCodigo) {
    Proyectos proyectos(TablaDePrueba());
    proyectos.Anadir("C:\\obras\\casa.nueva.cte", "1");
    ASSERT_EQ(proyectos.ComprobarResultados(0, "C:\\obras\\casa.nueva.cte", "C:\\inicio"),
              Proyectos::kFaltaProyecto);
    const struct {
        int codigo;
        const char* mensaje;
    } casos[] = {
        {Proyectos::kFaltaProyecto, "no se encontro el fichero \n C:/obras/casa.nueva.cte"},
        {Proyectos::kFaltaObjeto,
         "no se encontraron resultados objeto:\n C:/inicio/Resultados/casa.nuevaO.res"},
        {Proyectos::kObjetoNoValido, "el fichero de resultados no es valido (Objeto casa.nueva)"},
        {Proyectos::kFaltaReferencia,
         "no se encontraron resultados referencia:\n C:/inicio/Resultados/casa.nuevaR.res"},
        {Proyectos::kReferenciaNoValida,
         "el fichero de resultados no es valido (Referenciacasa.nueva)"},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(MensajeComprobacion(proyectos, 0, caso.codigo).str(), caso.mensaje)
            << caso.codigo;
}

TEST_F(Promedio, SinTablaInstaladaElMensajeDicePorQue) {
    const FilaPromedio casa = Proyecto("casa", "1", "30", "60", "-10", "-20", "100");
    const std::string corta = carpeta_.Ruta().str() + "TablaCodigos.dat";
    EscribirBytes(corta, "demasiado corta");
    const std::string falta = carpeta_.Ruta().str() + "no_esta.dat";
    const std::string porque = ": sin ella no se puede comprobar ni dar por válido ningún "
                               "fichero de resultados.";
    const struct {
        TablaCodigos tabla;
        std::string mensaje;
    } casos[] = {
        {TablaCodigos(), "No está instalada la tabla de códigos" + porque},
        {TablaCodigos::LeerFichero(AnsiString(falta)),
         "No está instalada la tabla de códigos (" + falta + ")" + porque},
        {TablaCodigos::LeerFichero(AnsiString(corta)),
         "La tabla de códigos de la instalación (" + corta + ") no es válida" + porque},
    };
    for (const auto& caso : casos) {
        const ResultadoPromedio r = Calcular({casa}, caso.tabla);
        EXPECT_FALSE(r.completo);
        EXPECT_EQ(r.mensaje.str(), caso.mensaje);
    }
}

TEST_F(Promedio, ErrorDeLecturaParaElCalculo) {
    // Un fichero íntegro (su ".cl" se rehace) pero sin la fila del total.
    const FilaPromedio a = Proyecto("a", "1", "30", "60", "-10", "-20", "100");
    const FilaPromedio b = Proyecto("b", "1", "40", "50", "-30", "-25", "50");
    std::string sinTotal = TextoResultados({"50", "-25", "50"});
    sinTotal.replace(sinTotal.find("\r\nTOTAL,") + 2, 6, "SUMA, ");
    EscribirBytes(inicio_ + "Resultados/bR.res", sinTotal);
    EscribirCodigos(inicio_ + "Resultados/bR.res", TablaDePrueba());

    const ResultadoPromedio r = Calcular({a, b});
    EXPECT_FALSE(r.completo);
    EXPECT_EQ(r.mensaje.str(), "Error en la lectura de los resultados");
    EXPECT_EQ(r.proyecto, 1);
    EXPECT_FLOAT_EQ(proyectos_->GetPorcentajeCalefaccion(), 0);
}

// Cada texto que no es un entero de 1 en adelante pasa a 1 con su aviso; solo la celda vacía
// (el 1 de siempre) pasa sin aviso.
TEST(ValidarMultiplicadores, NoEnterosYMenoresQueUno) {
    const struct {
        const char* texto;
        const char* queda;
        const char* aviso; // nullptr: ninguno
    } casos[] = {
        {"abc", "1", "El multiplicador abc no es un valor valido"},
        {"0", "1", "El multiplicador 0 no es un valor valido"},
        {"3", "3", nullptr},
        {"-2", "1", "El multiplicador -2 no es un valor valido"},
        {"", "1", nullptr},
        {" 4 ", "4", nullptr},
        {"1.5", "1", "El multiplicador 1.5 no es un valor valido"},
        {"2,5", "1", "El multiplicador 2,5 no es un valor valido"},
    };
    std::vector<FilaPromedio> filas;
    std::vector<std::string> esperados;
    for (const auto& c : casos) {
        filas.push_back({"p", c.texto});
        if (c.aviso) esperados.push_back(c.aviso);
    }
    const std::vector<AnsiString> avisos = ValidarMultiplicadores(filas);
    for (size_t i = 0; i < filas.size(); ++i)
        EXPECT_EQ(filas[i].multiplicador.str(), casos[i].queda) << casos[i].texto;
    std::vector<std::string> dados;
    for (const AnsiString& a : avisos)
        dados.push_back(a.str());
    EXPECT_EQ(dados, esperados);
}

} // namespace
