// Los registros que una carga no puede leer: cuáles se hallan en ficheros cortados o
// editados a mano (y en qué línea), lo que el gestor guarda de ellos, su descripción, y el
// guardado que sustituiría el fichero del que vienen. Las cabeceras con tabuladores.

#include "tests/comunes/elementos_prueba.h"
#include "tests/comunes/gestorbd_prueba.h"

#include "comunes/GestorBD.h"
#include "comunes/LeerBDL.h"
#include "comunes/bdMateriales.h"
#include "comunes/bdPuentesTermicos.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Motivo = RegistroIlegible::Motivo;

const std::vector<std::string_view> kSeisTipos = {"MATERIAL ",   "LAYERS ", "GLASS-TYPE ",
                                                  "NAME-FRAME ", "GAP ",    "BRIDGE "};

std::string Material(const std::string& nombre, const std::string& espesor = "0.1") {
    return "\"" + nombre + "\" = MATERIAL\n    TYPE = PROPERTIES\n    THICKNESS = " + espesor +
           "\n    CONDUCTIVITY = 0.5\n    ..\n";
}

// Lo esperado de un registro ilegible, en una línea comparable.
std::string Ver(Motivo motivo, const char* tipo, const char* nombre, int linea, int lineaFin = 0) {
    return std::to_string(static_cast<int>(motivo)) + "|" + tipo + "|" + nombre + "|" +
           std::to_string(linea) + "|" + std::to_string(lineaFin);
}

std::vector<std::string> Ver(const std::vector<RegistroIlegible>& registros) {
    std::vector<std::string> vistos;
    for (const RegistroIlegible& r : registros)
        vistos.push_back(Ver(r.motivo, r.tipo.c_str(), r.nombre.c_str(), r.linea, r.lineaFin));
    return vistos;
}

std::string ConFin(const std::string& texto, const std::string& fin) {
    std::string r;
    for (char c : texto)
        r += c == '\n' ? fin : std::string(1, c);
    return r;
}

struct CasoIlegible {
    const char* que;
    std::string texto;
    std::vector<std::string> esperados;
};

// Ficheros cortados o editados a mano: lo que se dice ilegible, con su línea, igual en las
// dos formas del texto y con cualquier fin de línea.
TEST(RegistrosIlegibles, FicherosCortadosOEditados) {
    const std::string cabeza = "$\nCAMBIO = NO\nTEMPLARY = USER\n$ ----\n"; // 4 líneas
    const CasoIlegible casos[] = {
        {"limpio, con cabeza y comentarios", cabeza + Material("A") + "$ --\n" + Material("B"), {}},
        {"cortado a mitad del último registro",
         cabeza + Material("A") + "\"B\" = MATERIAL\n    THICKNESS = 0.2\n",
         {Ver(Motivo::SinCierre, "MATERIAL", "B", 10)}},
        {"cortado en la cabecera del último",
         cabeza + Material("A") + "\"Ladrillo cara",
         {Ver(Motivo::SinCabecera, "", "Ladrillo cara", 10)}},
        {"\"..\" perdido entre dos registros",
         cabeza + "\"A\" = MATERIAL\n    THICKNESS = 0.1\n" + Material("B"),
         {Ver(Motivo::SinCierre, "MATERIAL", "A", 5)}},
        {"tipo mal escrito o en minúsculas",
         cabeza + "\"A\" = MATERAIL\n  THICKNESS = 1\n..\n" + Material("B") +
             "\"C\" = material\n..\n",
         {Ver(Motivo::TipoDesconocido, "MATERAIL", "A", 5),
          Ver(Motivo::TipoDesconocido, "material", "C", 13)}},
        {"cabecera sin blancos alrededor del \"=\"",
         cabeza + Material("A") + "\"B\"=MATERIAL\n    THICKNESS = 0.2\n..\n" + Material("C"),
         {Ver(Motivo::SinCabecera, "", "B", 10, 12)}},
        {"cabecera sin comillas: desde el texto suelto hasta su \"..\"",
         cabeza + Material("A") + "B = MATERIAL\n    THICKNESS = 0.2\n..\n",
         {Ver(Motivo::SinCabecera, "", "", 10, 12)}},
        {"lista de un registro sin cabecera partida en líneas que empiezan por comillas",
         cabeza + Material("A") + "\"M\"= LAYERS\n MATERIAL = (\"a\",\n \"b\")\n..\n",
         {Ver(Motivo::SinCabecera, "", "M", 10, 13)}},
        {"sin cabecera y sin \"..\", antes de otro registro",
         cabeza + "\"A\"=MATERIAL\n THICKNESS = 1\n" + Material("B"),
         {Ver(Motivo::SinCabecera, "", "A", 5)}},
        {"\"..\" repetido: no falta nada", cabeza + Material("A") + "..\n" + Material("B"), {}},
        {"bloque por defecto sin \"..\"",
         cabeza + "SET-DEFAULT FOR MATERIAL\n  DENSITY = 5\n" + Material("A") +
             "SET-DEFAULT FOR OTRO\n",
         {Ver(Motivo::DefectosSinCierre, "MATERIAL", "", 5)}},
        {"cabeceras con tabuladores: se leen",
         cabeza + "\"A\"\t= MATERIAL\n..\n\"B\" =\tGAP\t\n..\n",
         {}},
    };
    for (const CasoIlegible& caso : casos) {
        for (const char* fin : {"\n", "\r\n", "\r"}) {
            for (LeerBDL::Forma forma : {LeerBDL::Forma::Comprimida, LeerBDL::Forma::Literal}) {
                LeerBDL lector(LeerBDL::EnMemoria{}, ConFin(caso.texto, fin), forma);
                EXPECT_EQ(Ver(lector.RegistrosIlegibles(kSeisTipos)), caso.esperados)
                    << caso.que << " (fin "
                    << (fin[0] == '\n' ? "LF"
                        : fin[1]       ? "CRLF"
                                       : "CR")
                    << ", forma " << static_cast<int>(forma) << ")";
            }
        }
    }
}

// Un tabulador junto al "=" o tras el tipo de una cabecera vale por un blanco: el registro se
// carga con sus valores, y se guarda como los demás.
TEST_F(PruebaGestor, UnaCabeceraConTabuladoresSeCargaYSeGuardaConBlancos) {
    const AnsiString ruta = Fichero("Lib/tab.bdc", "TEMPLARY = USER\n"
                                                   "\"Tosca\"\t= MATERIAL\n"
                                                   "    THICKNESS = 0.3\n    ..\n"
                                                   "\"Yeso\" =\tMATERIAL\t\n"
                                                   "    THICKNESS = 0.02\n    ..\n"
                                                   "\"Muro\"\t=\tLAYERS\n"
                                                   "    MATERIAL = (\"Tosca\",\"Yeso\")\n"
                                                   "    THICKNESS = ( 0.3, 0.02)\n    ..\n");
    GestorBD gestor("tab", LISTA_PROGRAMA);
    ASSERT_TRUE(gestor.Cargar(ruta));
    EXPECT_TRUE(gestor.RegistrosIlegibles().empty());
    ObjetoBase* tosca = gestor.Buscar(TIPO_MATERIAL, "Tosca");
    ObjetoBase* yeso = gestor.Buscar(TIPO_MATERIAL, "Yeso");
    ASSERT_NE(tosca, nullptr);
    ASSERT_NE(yeso, nullptr);
    ASSERT_NE(gestor.Buscar(TIPO_CERRAMIENTO, "Muro"), nullptr);
    EXPECT_FLOAT_EQ(Real(*tosca, "Espesor"), 0.3f);
    EXPECT_FLOAT_EQ(Real(*yeso, "Espesor"), 0.02f);
    EXPECT_EQ(gestor.Materiales()->NumeroHijos(), 2);

    const AnsiString guardado = carpeta.Ruta() + "Lib/guardado.bdc";
    ASSERT_TRUE(gestor.Guardar(guardado));
    const std::string bytes = Bytes(guardado);
    for (const char* cabecera :
         {"\"Tosca\" = MATERIAL\r\n", "\"Yeso\" = MATERIAL\r\n", "\"Muro\" = LAYERS\r\n"})
        EXPECT_NE(bytes.find(cabecera), std::string::npos) << cabecera;
    EXPECT_EQ(bytes.find('\t'), std::string::npos);
}

// Un fichero con registros rotos: los buenos se cargan, los rotos quedan dichos; guardar en
// otro fichero no los pierde (siguen en el suyo) y guardar en el suyo sí, y después ya no
// queda nada por decir.
TEST_F(PruebaGestor, LosRegistrosIlegiblesSeGuardanHastaQueSeSustituyeSuFichero) {
    const std::string texto = kBaseDeEjemplo + "\"Cortado\" = MATERIAL\n    THICKNESS = 0.2\n" +
                              "\"Puerta\" = GAPP\n    ..\n" + "\"Roto\"=BRIDGE\n    FI = 1\n..\n";
    const AnsiString ruta = Fichero("Lib/rota.bdc", texto);
    GestorBD gestor("rota", LISTA_PROGRAMA);
    ASSERT_TRUE(gestor.Cargar(ruta));
    EXPECT_EQ(gestor.Materiales()->NumeroHijos(), 2);
    EXPECT_EQ(gestor.PuentesTermicos()->NumeroHijos(), 1);
    EXPECT_EQ(Ver(gestor.RegistrosIlegibles()),
              (std::vector<std::string>{Ver(Motivo::SinCierre, "MATERIAL", "Cortado", 47),
                                        Ver(Motivo::TipoDesconocido, "GAPP", "Puerta", 49),
                                        Ver(Motivo::SinCabecera, "", "Roto", 51, 53)}));
    EXPECT_EQ(gestor.DescribirIlegibles(),
              "Línea 47: \"Cortado\" = MATERIAL, sin el \"..\" que cierra el registro.\n"
              "Línea 49: \"Puerta\" = GAPP, tipo de registro desconocido.\n"
              "Línea 51 a 53: \"Roto\", registro sin cabecera reconocible.");
    EXPECT_EQ(gestor.DescribirIlegibles(1),
              "Línea 47: \"Cortado\" = MATERIAL, sin el \"..\" que cierra el registro.\n"
              "... y 2 más.");

    // El mismo fichero, nombrado de otra manera, también cuenta.
    EXPECT_TRUE(gestor.GuardarPierdeIlegibles(ruta));
    EXPECT_TRUE(gestor.GuardarPierdeIlegibles(carpeta.Ruta() + "LIB\\ROTA.BDC"));
    const AnsiString otro = carpeta.Ruta() + "Lib/otro.bdc";
    EXPECT_FALSE(gestor.GuardarPierdeIlegibles(otro));
    ASSERT_TRUE(gestor.Guardar(otro));
    EXPECT_EQ(gestor.RegistrosIlegibles().size(), 3u);
    EXPECT_EQ(Bytes(ruta), texto);
    EXPECT_TRUE(gestor.GuardarPierdeIlegibles(ruta));
    EXPECT_FALSE(gestor.GuardarPierdeIlegibles(otro));

    ASSERT_TRUE(gestor.Guardar(ruta));
    EXPECT_TRUE(gestor.RegistrosIlegibles().empty());
    EXPECT_FALSE(gestor.GuardarPierdeIlegibles(ruta));
    EXPECT_EQ(gestor.DescribirIlegibles(), "");
    // Lo guardado se lee entero.
    GestorBD otraVez("rota", LISTA_PROGRAMA);
    ASSERT_TRUE(otraVez.Cargar(ruta));
    EXPECT_TRUE(otraVez.RegistrosIlegibles().empty());
}

// En un fichero grande la carga devuelve al sistema el texto ya leído mientras lee las bases
// siguientes: un registro roto de una de ellas se dice igual, con su nombre y su línea.
TEST_F(PruebaGestor, UnRegistroRotoTrasMuchosMegasSeDiceConSuNombreYSuLinea) {
    std::string texto = "TEMPLARY = USER\n\"Primero roto\" = MATERIAL\n THICKNESS = 1\n";
    int lineas = 3;
    for (int i = 0; i < 40000; ++i) {
        texto += Material("Material " + std::to_string(i));
        lineas += 5;
    }
    texto += "\"Ventana rota\" = GAP\n     PORCENTAGE = 25\n";
    ASSERT_GT(texto.size(), 3u << 20);
    const AnsiString ruta = Fichero("Lib/grande.bdc", texto);
    GestorBD gestor("grande", LISTA_PROGRAMA);
    ASSERT_TRUE(gestor.Cargar(ruta));
    EXPECT_EQ(gestor.Materiales()->NumeroHijos(), 40000);
    EXPECT_EQ(
        Ver(gestor.RegistrosIlegibles()),
        (std::vector<std::string>{Ver(Motivo::SinCierre, "MATERIAL", "Primero roto", 2),
                                  Ver(Motivo::SinCierre, "GAP", "Ventana rota", lineas + 1)}));
}

// Un fichero que se carga entero (el de ejemplo y uno que escribe el programa) no dice nada.
TEST_F(PruebaGestor, UnaBaseLimpiaNoTieneNadaIlegible) {
    GestorBD gestor("ejemplo", LISTA_PROGRAMA);
    const AnsiString ruta = Fichero("Lib/ejemplo.bdc", kBaseDeEjemplo);
    ASSERT_TRUE(gestor.Cargar(ruta));
    EXPECT_TRUE(gestor.RegistrosIlegibles().empty());
    EXPECT_FALSE(gestor.GuardarPierdeIlegibles(ruta));
    const AnsiString guardado = carpeta.Ruta() + "Lib/guardado.bdc";
    ASSERT_TRUE(gestor.Guardar(guardado));
    GestorBD releido("guardado", LISTA_PROGRAMA);
    ASSERT_TRUE(releido.Cargar(guardado));
    EXPECT_TRUE(releido.RegistrosIlegibles().empty());
}

// Un fichero que no da ningún registro: si tiene algo más que una base guardada vacía (los
// registros con sus fines de línea perdidos, un bloque por defecto suelto, otro texto), eso
// no se ha podido leer, y guardar encima lo perdería; una base guardada vacía, aunque se
// junte en una línea, no tiene nada que decir.
TEST_F(PruebaGestor, UnFicheroSinRegistrosConAlgoMasQueUnaBaseVaciaNoSeHaPodidoLeer) {
    const AnsiString rutaVacia = carpeta.Ruta() + "Lib/vacia.bdc";
    {
        GestorBD vacia("vacia", LISTA_PROGRAMA);
        ASSERT_TRUE(vacia.Guardar(rutaVacia));
    }
    const std::string vacia = Bytes(rutaVacia);
    auto enUnaLinea = [](std::string texto) {
        for (char& c : texto)
            if (c == '\r' || c == '\n') c = ' ';
        return texto;
    };
    const std::string kTexto =
        "texto en el que no se reconoce ningún registro (cada registro ha de empezar en una "
        "línea propia).";
    const struct {
        const char* que;
        std::string texto;
        std::string dicho; // vacío: nada ilegible
    } casos[] = {
        {"base guardada vacía", vacia, ""},
        {"base guardada vacía en una línea", enUnaLinea(vacia), ""},
        {"fichero vacío", "", ""},
        {"solo la línea TEMPLARY", "TEMPLARY = STANDARD\n", ""},
        {"base de ejemplo en una línea", enUnaLinea(kBaseDeEjemplo), "Línea 1: " + kTexto},
        // La línea empieza por una cabecera: el primer registro se queda sin su "..".
        {"registros en una línea tras una base vacía",
         vacia + enUnaLinea(Material("A") + Material("B")),
         "Línea 32: \"A\" = MATERIAL, sin el \"..\" que cierra el registro."},
        {"solo un bloque por defecto", "TEMPLARY = USER\nSET-DEFAULT FOR MATERIAL\n"
                                       "    DENSITY = 5\n..\n$\n",
         "Línea 2 a 4: " + kTexto},
        {"un comentario propio en una base vacía", "$ Obra de la calle Mayor\n" + vacia,
         "Línea 1: " + kTexto},
    };
    int n = 0;
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.que);
        const AnsiString ruta = Fichero("Lib/caso" + AnsiString(++n) + ".bdc", caso.texto);
        GestorBD gestor("caso", LISTA_PROGRAMA);
        ASSERT_TRUE(gestor.Cargar(ruta));
        EXPECT_EQ(gestor.Materiales()->NumeroHijos(), 0);
        EXPECT_EQ(gestor.DescribirIlegibles().str(), caso.dicho);
        EXPECT_EQ(gestor.GuardarPierdeIlegibles(ruta), !caso.dicho.empty());
        EXPECT_FALSE(gestor.GuardarPierdeIlegibles(carpeta.Ruta() + "Lib/otro.bdc"));
    }
}

} // namespace
