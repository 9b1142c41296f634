#include "tests/comunes/registros_prueba.h"

#include "comunes/ObjetoBase.h"
#include "comunes/Util.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/pruebas.h"

#include <gtest/gtest.h>

std::string Numero14g(const std::string& texto) {
    return std::string(texto.size() < 14 ? 14 - texto.size() : 0, ' ') + texto;
}

std::string LineasCRLF(std::initializer_list<std::string> lineas) {
    std::string texto;
    for (const std::string& linea : lineas)
        texto += linea + "\r\n";
    return texto;
}

std::string Escrito(const std::function<void(FileWriter&)>& escribir) {
    CarpetaTemporal carpeta;
    const AnsiString ruta = carpeta.Ruta() + "registro.txt";
    FileWriter fichero;
    EXPECT_TRUE(fichero.Open(ruta)) << fichero.ErrorText().c_str();
    escribir(fichero);
    EXPECT_TRUE(fichero.Commit()) << fichero.ErrorText().c_str();
    std::string contenido;
    EXPECT_TRUE(ReadWholeFile(ruta, contenido));
    return contenido;
}

RegistroLeido PrimerRegistro(const std::string& contenido, const AnsiString& tipo) {
    RegistroLeido leido;
    leido.fuente = std::make_unique<LeerBDL>(LeerBDL::EnMemoria{}, contenido);
    leido.fuente->Reiniciar();
    leido.nombre = leido.fuente->SiguienteObjeto(tipo);
    AnsiString entreComillas = leido.nombre;
    PonerComillas(entreComillas);
    bool encontrado = false;
    auto registro = LeerBDL::ExtraerObjeto(*leido.fuente, tipo, entreComillas, encontrado);
    if (encontrado) leido.registro = std::move(registro);
    return leido;
}

void ComprobarTecleados(const std::function<std::unique_ptr<ObjetoBase>()>& nuevo,
                        std::initializer_list<CasoTecleado> casos,
                        const std::function<void(ObjetoBase&, const CasoTecleado&)>& asignar) {
    for (const CasoTecleado& caso : casos) {
        SCOPED_TRACE(std::string(caso.clave) + " <- \"" + caso.texto + "\"");
        const size_t avisosAntes = Guion().ShownBoxes().size();
        if (caso.aviso) Guion().AnswerMessageBox(IDOK);
        std::unique_ptr<ObjetoBase> elemento = nuevo();
        if (asignar)
            asignar(*elemento, caso);
        else
            elemento->AsignarPropiedad(caso.clave, caso.texto);
        float valor = 0;
        elemento->ObtenerReal(caso.clave, valor);
        EXPECT_FLOAT_EQ(valor, caso.esperado);
        EstadoValor estado = ESTADO_FICHERO;
        elemento->ObtenerEstado(caso.clave, estado);
        EXPECT_EQ(estado, caso.estado);
        EXPECT_EQ(Guion().ShownBoxes().size() - avisosAntes, caso.aviso ? 1u : 0u);
        EXPECT_EQ(elemento->ObtenerError(), caso.estado == ESTADO_RECHAZADO);
    }
}
