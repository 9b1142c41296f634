#include "tests/modelo/modelo_prueba.h"

#include "comunes/Error.h"
#include "comunes/Fabrica.h"
#include "comunes/Idioma.h"
#include "comunes/ObjetoBase.h"
#include "modelo/RegistroModelo.h"
#include "modelo/Sombras.h"
#include "modelo/bdPlanos.h"
#include "modelo/bdPoligonos.h"
#include "tests/comunes/registros_prueba.h"

#include "plataforma/base/file_writer.h"

namespace {

void Liberar() {
    bdPoligonos::Liberar();
    Sombras::Liberar();
    bdPlanos::Liberar();
    Idioma::Liberar();
    Error::Liberar();
}

} // namespace

void PruebaModelo::SetUp() {
    RegistrarModelo();
    Liberar();
}

void PruebaModelo::TearDown() {
    Liberar();
}

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
