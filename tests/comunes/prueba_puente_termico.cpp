// PuenteTermico: el registro "BRIDGE" leído y vuelto a escribir byte a byte, los defectos,
// los límites distintos de lo tecleado y de PonerReal, el registro corto, el nodo XML, la
// copia y la fila de informe.

#include "comunes/DocumentoXML.h"
#include "comunes/PuenteTermico.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/string_list.h"
#include "plataforma/xml/xml_document.h"
#include "plataforma/xml/xml_node.h"
#include "tests/comun/pruebas.h"
#include "tests/comun/separador_regional.h"
#include "tests/comunes/registros_prueba.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

namespace {

std::string Escribir(PuenteTermico& puente) {
    return Escrito([&](FileWriter& fichero) { puente.Escribir(fichero); });
}

TEST(PuenteTermico, ElRegistroSeLeeYSeVuelveAEscribirIgual) {
    const std::string casos[] = {
        LineasCRLF({
            "\"Frente de forjado, con aislamiento\" = BRIDGE",
            "    FRSI         = " + Numero14g("0.72"),
            "    FI          = " + Numero14g("-0.35"),
            "    NAME          = \"Frente de forjado, con aislamiento\"",
            "    GROUP         = \"Forjados ñ\"",
            "    ZONE          = \"C\"",
            "    IMAGE          = \"C:\\Imágenes\\forjado.jpg\"",
            "    LIBRARY       = YES",
            "    ..",
        }),
        // Un grupo vacío se queda vacío.
        LineasCRLF({
            "\"Pilar en esquina\" = BRIDGE",
            "    FRSI         = " + Numero14g("0"),
            "    FI          = " + Numero14g("1.5"),
            "    NAME          = \"Pilar\"",
            "    GROUP         = \"\"",
            "    ZONE          = \"\"",
            "    IMAGE          = \"\"",
            "    LIBRARY       = NO",
            "    ..",
        }),
    };
    for (char separador : {'.', ','}) {
        SeparadorRegional regional(separador);
        for (const std::string& registro : casos) {
            RegistroLeido leido = PrimerRegistro(registro, "BRIDGE ");
            ASSERT_NE(leido.registro, nullptr);
            PuenteTermico puente(leido.nombre);
            puente.Leer(leido.registro.get());
            EXPECT_EQ(Escribir(puente), registro);
        }
    }
    EXPECT_TRUE(Guion().ShownBoxes().empty());
}

TEST(PuenteTermico, UnRegistroSinPalabrasClaveDejaLosDefectos) {
    RegistroLeido leido = PrimerRegistro("\"Nuevo\" = BRIDGE\n ..\n", "BRIDGE ");
    ASSERT_NE(leido.registro, nullptr);
    PuenteTermico puente(leido.nombre);
    puente.Leer(leido.registro.get());
    EXPECT_EQ(Escribir(puente), LineasCRLF({
                                    "\"Nuevo\" = BRIDGE",
                                    "    FRSI         = " + Numero14g("0.4"),
                                    "    FI          = " + Numero14g("0.4"),
                                    "    NAME          = \"Nuevo\"",
                                    "    GROUP         = \"_\"",
                                    "    ZONE          = \"\"",
                                    "    IMAGE          = \"\"",
                                    "    LIBRARY       = NO",
                                    "    ..",
                                }));
    for (const char* clave : {"Fi", "Efe", "Zona", "Grupo"}) {
        EstadoValor estado = ESTADO_USUARIO;
        puente.ObtenerEstado(clave, estado);
        EXPECT_EQ(estado, ESTADO_DEFECTO) << clave;
    }
    EstadoValor estado = ESTADO_USUARIO;
    puente.ObtenerEstado("Nombre", estado);
    EXPECT_EQ(estado, ESTADO_FICHERO);
}

TEST(PuenteTermico, LoTecleadoYPonerRealTienenSusPropiosLimites) {
    auto nuevo = [] { return std::make_unique<PuenteTermico>("P"); };
    // PonerReal pasa el número por texto con el separador regional.
    auto ponerReal = [](ObjetoBase& puente, const CasoTecleado& caso) {
        puente.PonerReal(caso.clave, std::stof(caso.texto));
    };
    for (char separador : {'.', ','}) {
        SeparadorRegional regional(separador);
        SCOPED_TRACE(std::string("separador ") + separador);
        ComprobarTecleados(nuevo, {
                                      {"Fi", "-1", -1.0f, ESTADO_USUARIO, false},
                                      {"Fi", "1.5", 0.4f, ESTADO_RECHAZADO, true},
                                      {"Efe", "0", 0.0f, ESTADO_USUARIO, false},
                                      {"Efe", "-0.1", 0.4f, ESTADO_RECHAZADO, true},
                                  });
        ComprobarTecleados(nuevo,
                           {
                               {"Fi", "1.5", 1.5f, ESTADO_USUARIO, false},
                               {"Fi", "-2.5", 0.45f, ESTADO_RECHAZADO, true},
                               {"Efe", "1.25", 0.25f, ESTADO_RECHAZADO, true},
                               {"Efe", "0.75", 0.75f, ESTADO_USUARIO, false},
                           },
                           ponerReal);
    }
}

TEST(PuenteTermico, TextosYClavesAjenas) {
    PuenteTermico puente("P");
    EstadoValor estado = ESTADO_USUARIO;
    puente.AsignarPropiedad("Zona", "C");
    puente.ObtenerEstado("Zona", estado);
    EXPECT_EQ(estado, ESTADO_USUARIO);
    puente.AsignarPropiedad("Zona", "");
    puente.ObtenerEstado("Zona", estado);
    EXPECT_EQ(estado, ESTADO_DEFECTO);

    // El nombre se toma sin las pruebas del material.
    puente.AsignarPropiedad("Nombre", "Pilar. Esquina ñ");
    EXPECT_EQ(puente.ObtenerNombre(), "Pilar. Esquina ñ");

    SeparadorRegional regional(',');
    puente.PonerReal("Fi", 0.125f);
    AnsiString texto;
    puente.ValorPropiedad("Fi", texto);
    EXPECT_EQ(texto, "0,13");
    puente.ValorPropiedad("Otra", texto);
    EXPECT_EQ(texto, "");
    // No tiene nombre para el programa hermano: "Dumvat" es una clave ajena más.
    puente.AsignarPropiedad("Dumvat", "PT-1");
    texto = "sin tocar";
    puente.ValorPropiedad("Dumvat", texto);
    EXPECT_EQ(texto, "");
    // Una clave ajena deja el real como estaba.
    float valor = 7.0f;
    puente.ObtenerReal("Otra", valor);
    EXPECT_EQ(valor, 7.0f);
}

TEST(PuenteTermico, RegistroCortoXMLCopiaYFila) {
    PuenteTermico puente("Jamba");
    puente.MarcarLibreria();
    puente.AsignarPropiedad("Nombre completo", "Jamba de ventana & \"capialzado\"");
    puente.AsignarPropiedad("Grupo", "Huecos");
    puente.AsignarPropiedad("Zona", "D");
    puente.AsignarPropiedad("Imagen", "jamba.jpg");
    puente.PonerReal("Fi", 0.5f);
    puente.PonerReal("Efe", 0.6f);

    EXPECT_EQ(Escrito([&](FileWriter& f) { puente.EscribirCabecera(f); }),
              LineasCRLF({"\"Jamba\" = PUENTETERMICO", "    LIBRARY       = YES", "    .."}));

    TXMLDocument componente;
    DocumentoXML documento(componente);
    documento.NuevoDocumento("DATABASE");
    puente.EscribirXML(documento, documento.NuevoNodoRaiz("gPuentesTermicos"));
    TXMLDocument leido;
    leido.LoadFromXML(componente.SaveToXML());
    IXMLNode* nodo =
        leido.GetDocumentElement()->GetChildNodes()->GetNodes(0)->GetChildNodes()->GetNodes(0);
    EXPECT_EQ(nodo->GetNodeName(), "BRIDGE");
    EXPECT_EQ(nodo->GetAttributes("name"), "Jamba");
    std::string hijos;
    for (int i = 0; i < nodo->GetChildNodes()->GetCount(); ++i) {
        IXMLNode* hijo = nodo->GetChildNodes()->GetNodes(i);
        hijos += std::string(hijo->GetNodeName().c_str()) + "=" + hijo->GetText().c_str() + " ";
    }
    EXPECT_EQ(hijos, "efe=0.600000023841858 fi=0.5 zone=D group=Huecos image=jamba.jpg "
                     "library=YES ");

    PuenteTermico copia("Copia");
    copia.CopiarDe(puente);
    EXPECT_TRUE(copia.EsLibreria());
    EXPECT_EQ(copia.ObtenerNombre(), "Copia");
    for (const char* clave : {"Fi", "Efe", "Grupo", "Zona", "Nombre completo", "Imagen"}) {
        AnsiString esperado, copiado;
        puente.ValorPropiedad(clave, esperado);
        copia.ValorPropiedad(clave, copiado);
        EXPECT_EQ(copiado, esperado) << clave;
    }
    EstadoValor estado = ESTADO_FICHERO;
    copia.ObtenerEstado("Fi", estado);
    EXPECT_EQ(estado, ESTADO_DEFECTO);

    TStringList fila;
    copia.FilaInforme(fila);
    EXPECT_EQ(fila.GetText(), "Jamba de ventana & \"capialzado\"\r\n0.60\r\n0.50\r\n--\r\n");
    TStringList filaPropia;
    PuenteTermico propio("Propio");
    propio.FilaInforme(filaPropia);
    EXPECT_EQ(filaPropia.GetText(), "Propio\r\n0.40\r\n0.40\r\nSI\r\n");
}

} // namespace
