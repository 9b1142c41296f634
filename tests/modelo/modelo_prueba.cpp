#include "tests/modelo/modelo_prueba.h"

#include "comunes/Fabrica.h"
#include "comunes/ObjetoBase.h"
#include "comunes/RegistroElementos.h"
#include "modelo/RegistroModelo.h"
#include "tests/comunes/registros_prueba.h"
#include "tests/modelo/bases_prueba.h"

#include "plataforma/base/file_writer.h"

void PruebaModelo::SetUp() {
    InstalacionDePrueba::SetUp();
    RegistrarElementos();
    RegistrarModelo();
    LiberarListasCompartidas();
}

void PruebaModelo::TearDown() {
    LiberarListasCompartidas();
    InstalacionDePrueba::TearDown();
}

const std::string kPlantaYLocal = LineasCRLF({
    "\"Planta\" = POLYGON",
    "    V1 =( 0, 0 )",
    "    V2 =( 10, 0 )",
    "    V3 =( 10, 8 )",
    "    V4 =( 0, 8 )",
    "    ..",
    "\"Local\" = POLYGON",
    "    V1 =( 0, 0 )",
    "    V2 =( 5, 0 )",
    "    V3 =( 5, 4 )",
    "    V4 =( 0, 4 )",
    "    ..",
});

std::string RegistroDe(ObjetoBase& objeto) {
    return Escrito([&](FileWriter& fichero) { objeto.Escribir(fichero); });
}

std::unique_ptr<ObjetoBase> LeidoDe(const std::string& texto, const AnsiString& registro,
                                    TipoObjeto tipo) {
    RegistroLeido leido = PrimerRegistro(texto, registro);
    if (!leido.registro) return nullptr;
    std::unique_ptr<ObjetoBase> objeto = Fabrica::Crear(tipo, leido.nombre, false);
    if (objeto) objeto->Leer(leido.registro.get());
    return objeto;
}

std::string ComprobarIdaYVuelta(ObjetoBase& objeto, const AnsiString& registro, TipoObjeto tipo) {
    const std::string primera = RegistroDe(objeto);
    std::unique_ptr<ObjetoBase> leido = LeidoDe(primera, registro, tipo);
    EXPECT_NE(leido, nullptr) << primera;
    if (leido) {
        EXPECT_EQ(RegistroDe(*leido), primera);
    }
    return primera;
}
