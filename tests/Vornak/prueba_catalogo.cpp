// Una base abierta sin el catálogo (falta el fichero, o su carpeta): se dice al abrirla, con
// la ruta del catálogo y los elementos que no se han encontrado, y guardarla no escribe
// como suyos esos elementos con sus valores por defecto: vuelta a abrir con el catálogo, da
// los mismos valores que antes.

#include "tests/Vornak/editores_prueba.h"

#include "comunes/Directorios.h"
#include "plataforma/base/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

class SinCatalogo : public PruebaEditores {
protected:
    // La U que muestra el editor de la fachada de la muestra.
    AnsiString UDeLaFachada() {
        Elegir({"Opacos", "Cerramientos y particiones interiores", "Fachadas",
                "Fachada de caravista con camara"});
        return U();
    }
    // La última caja mostrada con ese principio; vacía si no hay ninguna.
    static AnsiString Caja(const AnsiString& principio) {
        const auto& cajas = Guion().ShownBoxes();
        for (auto it = cajas.rbegin(); it != cajas.rend(); ++it)
            if (it->text.Pos(principio) == 1) return it->text;
        return AnsiString();
    }
};

TEST_F(SinCatalogo, AbrirLoDiceYGuardarNoEscribeLoSupuesto) {
    AbrirDelMenu(ejemplo);
    const AnsiString conCatalogo = UDeLaFachada();
    ASSERT_FALSE(conCatalogo.IsEmpty());
    CerrarMarco();
    marco.reset();

    const AnsiString catalogo = Directorios::Instancia()->RutaLibreria("BDCATALOGO.BDC");
    const std::string bytesCatalogo = LeerBytes(catalogo);
    ASSERT_TRUE(std::filesystem::remove(NativePath(catalogo)));

    Guion().AnswerMessageBox(IDOK);
    AbrirDelMenu(ejemplo);
    const AnsiString aviso = Caja("Al abrir el fichero " + ejemplo);
    ASSERT_FALSE(aviso.IsEmpty());
    EXPECT_NE(aviso.Pos("No se ha podido leer el catálogo " + catalogo + "."), 0) << aviso.c_str();
    for (const char* falta : {"Material: Mortero de cemento", "Material: Ladrillo hueco doble",
                              "Material: Enlucido de yeso", "Material: Lana mineral"})
        EXPECT_NE(aviso.Pos(falta), 0) << falta;
    // Los materiales que el fichero trae no se nombran.
    EXPECT_EQ(aviso.Pos("Ladrillo caravista"), 0);
    // Sin el catálogo, la fachada se calcula con valores por defecto.
    EXPECT_NE(UDeLaFachada(), conCatalogo);

    // Guardar sin tocar nada: los materiales supuestos no se escriben; la fachada los sigue
    // nombrando como en el fichero.
    const AnsiString guardada = carpeta.Ruta() + "Tmp/sin_catalogo.bdc";
    ASSERT_TRUE(Actual()->Guardar(guardada));
    const std::string texto = LeerBytes(guardada);
    EXPECT_EQ(texto.find("\"Mortero de cemento\" = MATERIAL"), std::string::npos);
    EXPECT_EQ(texto.find("\"Lana mineral\" = MATERIAL"), std::string::npos);
    EXPECT_NE(texto.find("\"Ladrillo caravista\" = MATERIAL"), std::string::npos);
    EXPECT_NE(texto.find("\"Ladrillo caravista\",\"Mortero de cemento\""), std::string::npos);
    CerrarMarco();
    marco.reset();

    // De vuelta en una instalación con su catálogo, la fachada es la de antes.
    carpeta.Fichero("Lib/BDCATALOGO.BDC", bytesCatalogo);
    const size_t antes = Guion().ShownBoxes().size();
    AbrirDelMenu(guardada);
    for (size_t i = antes; i < Guion().ShownBoxes().size(); ++i)
        EXPECT_NE(Guion().ShownBoxes()[i].kind, ScriptedModalHooks::Kind::MessageBox)
            << "con el catálogo no falta nada: " << Guion().ShownBoxes()[i].text.c_str();
    EXPECT_EQ(UDeLaFachada(), conCatalogo);
}

// Lo que el usuario cambia en un material supuesto y acepta es suyo: se guarda.
TEST_F(SinCatalogo, UnSupuestoQueElUsuarioCambiaSeGuarda) {
    std::filesystem::remove(NativePath(Directorios::Instancia()->RutaLibreria("BDCATALOGO.BDC")));
    Guion().AnswerMessageBox(IDOK);
    AbrirDelMenu(ejemplo);
    TforGestorBD* v = Ventana();
    ASSERT_NE(Elegir({"Opacos", "Materiales y productos", "Otro", "Lana mineral"}), nullptr);
    Teclear(v->edConductividad, "0.04");
    Pulsar(v->btnAceptarMat);
    const AnsiString guardada = carpeta.Ruta() + "Tmp/cambiado.bdc";
    ASSERT_TRUE(Actual()->Guardar(guardada));
    const std::string texto = LeerBytes(guardada);
    EXPECT_NE(texto.find("\"Lana mineral\" = MATERIAL"), std::string::npos);
    EXPECT_EQ(texto.find("\"Mortero de cemento\" = MATERIAL"), std::string::npos);
}

} // namespace
