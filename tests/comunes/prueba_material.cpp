// Material: el registro "MATERIAL" leído y vuelto a escribir byte a byte, los defectos de
// un registro vacío, las propiedades por clave con sus límites y colores, la resistencia
// calculada, la forma abreviada, la forma del programa hermano, el nodo XML, la copia y la
// fila de informe.

#include "comunes/Directorios.h"
#include "comunes/DocumentoXML.h"
#include "comunes/LeerBDL.h"
#include "comunes/Material.h"
#include "comunes/bdMateriales.h"

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

// Un registro de propiedades con nombre acentuado, comas y blancos; la línea del cambio de
// espesor según quién escribe.
std::string RegistroPropiedades(const std::string& lineaCambio) {
    return LineasCRLF({
        "\"Ladrillo perforado, cara vista ½ pie\" = MATERIAL",
        "    TYPE              = PROPERTIES",
        "    THICKNESS         = " + Numero14g("0.115"),
        lineaCambio,
        "    THICKNESS_MAX         = " + Numero14g("0.5"),
        "    THICKNESS_MIN         = " + Numero14g("0.01"),
        "    CONDUCTIVITY      = " + Numero14g("0.567"),
        "    DENSITY           = " + Numero14g("1020"),
        "    SPECIFIC-HEAT     = " + Numero14g("1000"),
        "    VAPOUR-DIFFUSIVITY-FACTOR = " + Numero14g("10"),
        "    NAME          = \"Ladrillo perforado, cara vista ½ pie\"",
        "    GROUP         = \"Fábricas de ladrillo\"",
        "    IMAGE          = \"C:\\Imágenes\\ladrillo.bmp\"",
        "    NAME_DUMVAT   = \"LP métrico\"",
        "    LIBRARY       = NO",
        "    UTIL          =  YES",
        "    ..",
    });
}

const std::string kRegistroResistencia = LineasCRLF({
    "\"Cámara de aire, sin ventilar\" = MATERIAL",
    "    TYPE               = RESISTANCE",
    "    RESISTANCE         = " + Numero14g("0.18"),
    "    VAPOUR-RESISTIVITY = " + Numero14g("0.055"),
    "    VAPOUR-DIFFUSIVITY-FACTOR = " + Numero14g("1"),
    "    NAME          = \"Cámara de aire, sin ventilar\"",
    "    GROUP         = \"Cámaras de aire\"",
    "    IMAGE          = \"\"",
    "    NAME_DUMVAT   = \"\"",
    "    LIBRARY       = NO",
    "    UTIL          =  NO",
    "    ..",
});

struct ValorEsperado {
    const char* clave;
    float valor;
};

void ComprobarReales(const Material& material, std::initializer_list<ValorEsperado> esperados) {
    for (const ValorEsperado& esperado : esperados) {
        float valor = -1;
        material.ObtenerReal(esperado.clave, valor);
        EXPECT_FLOAT_EQ(valor, esperado.valor) << esperado.clave;
    }
}

enum class Forma { Registro, BaseDatos };

std::string Escribir(Material& material, Forma forma) {
    return Escrito([&](FileWriter& fichero) {
        if (forma == Forma::Registro)
            material.Escribir(fichero);
        else
            material.EscribirSinLibreria(fichero, 1);
    });
}

TEST(Material, ElRegistroSeLeeYSeVuelveAEscribirIgual) {
    struct Caso {
        const char* que;
        std::string registro;
        Forma forma;
    };
    const Caso casos[] = {
        {"propiedades, base de datos", RegistroPropiedades("    THICKNESS_CHANGE         = NO"),
         Forma::BaseDatos},
        {"propiedades, registro", RegistroPropiedades("    THICKNESS_CHANGE  =        YES"),
         Forma::Registro},
        {"resistencia", kRegistroResistencia, Forma::BaseDatos},
    };
    for (char separador : {'.', ','}) {
        SeparadorRegional regional(separador);
        for (const Caso& caso : casos) {
            SCOPED_TRACE(std::string(caso.que) + " con '" + separador + "'");
            RegistroLeido leido = PrimerRegistro(caso.registro, "MATERIAL ");
            ASSERT_NE(leido.registro, nullptr);
            Material material(leido.nombre);
            material.Leer(leido.registro.get());
            EXPECT_EQ(Escribir(material, caso.forma), caso.registro);
        }
    }
}

TEST(Material, LoLeidoQuedaEnAzulYFueraDeLimitesSinAviso) {
    // Un espesor de 9 m está fuera de lo que se puede teclear, pero se guarda tal cual.
    RegistroLeido leido = PrimerRegistro(LineasCRLF({
                                             "\"Losa\" = MATERIAL",
                                             "    TYPE              = PROPERTIES",
                                             "    THICKNESS         = 9",
                                             "    CONDUCTIVITY      = 0.6",
                                             "    GROUP         = \"\"",
                                             "    UTIL          =  YES",
                                             "    ..",
                                         }),
                                         "MATERIAL ");
    ASSERT_NE(leido.registro, nullptr);
    Material material(leido.nombre);
    material.Leer(leido.registro.get());

    float espesor = 0;
    material.ObtenerReal("Espesor", espesor);
    EXPECT_FLOAT_EQ(espesor, 9.0f);
    struct Estado {
        const char* clave;
        EstadoValor esperado;
    };
    // Un valor igual al defecto (0.6) también pasa a azul; lo que falta sigue en verde.
    const Estado estados[] = {
        {"Nombre", ESTADO_FICHERO},        {"Espesor", ESTADO_FICHERO},
        {"Conductividad", ESTADO_FICHERO}, {"Tipologia", ESTADO_FICHERO},
        {"Grupo", ESTADO_FICHERO},         {"Densidad", ESTADO_DEFECTO},
        {"Resistencia", ESTADO_DEFECTO},   {"Nombre completo", ESTADO_DEFECTO},
    };
    for (const Estado& e : estados) {
        EstadoValor estado = ESTADO_USUARIO;
        material.ObtenerEstado(e.clave, estado);
        EXPECT_EQ(estado, e.esperado) << e.clave;
    }
    // Un grupo vacío pasa a "Otro".
    AnsiString grupo;
    material.ValorPropiedad("Grupo", grupo);
    EXPECT_EQ(grupo, "Otro");
    EXPECT_TRUE(material.EsUtilizado());
    EXPECT_TRUE(Guion().ShownBoxes().empty());
}

TEST(Material, UnRegistroSinPalabrasClaveDejaLosDefectos) {
    RegistroLeido leido =
        PrimerRegistro(LineasCRLF({"\"Vacío\" = MATERIAL", "    .."}), "MATERIAL ");
    ASSERT_NE(leido.registro, nullptr);
    Material material(leido.nombre);
    material.Leer(leido.registro.get());

    EXPECT_EQ(Escribir(material, Forma::BaseDatos),
              LineasCRLF({
                  "\"Vacío\" = MATERIAL",
                  "    TYPE              = PROPERTIES",
                  "    THICKNESS         = " + Numero14g("0.1"),
                  "    THICKNESS_CHANGE         = YES",
                  "    THICKNESS_MAX         = " + Numero14g("2"),
                  "    THICKNESS_MIN         = " + Numero14g("0.001"),
                  "    CONDUCTIVITY      = " + Numero14g("0.6"),
                  "    DENSITY           = " + Numero14g("1500"),
                  "    SPECIFIC-HEAT     = " + Numero14g("800"),
                  "    VAPOUR-DIFFUSIVITY-FACTOR = " + Numero14g("1"),
                  "    NAME          = \"Vacío\"",
                  "    GROUP         = \"Otro\"",
                  "    IMAGE          = \"\"",
                  "    NAME_DUMVAT   = \"\"",
                  "    LIBRARY       = NO",
                  "    UTIL          =  NO",
                  "    ..",
              }));
    for (const char* clave : {"Espesor", "Conductividad", "Densidad", "Calor especifico", "Vapor P",
                              "Vapor R", "Resistencia", "Tipologia"}) {
        EstadoValor estado = ESTADO_USUARIO;
        material.ObtenerEstado(clave, estado);
        EXPECT_EQ(estado, ESTADO_DEFECTO) << clave;
    }
    ComprobarReales(material, {{"Resistencia", 0.2f}, {"Vapor R", 1.0f}});
}

TEST(Material, ElCambioDeEspesorSoloEsFalsoConNO) {
    struct Caso {
        const char* linea; // vacía: sin la palabra clave
        bool esperado;
    };
    const Caso casos[] = {
        {"", true},
        {"    THICKNESS_CHANGE         = NO", false},
        {"    THICKNESS_CHANGE  =        YES", true},
        {"    THICKNESS_CHANGE         = no", true},
    };
    for (const Caso& caso : casos) {
        std::string registro = "\"M\" = MATERIAL\n";
        if (*caso.linea) registro += std::string(caso.linea) + "\n";
        registro += "    ..\n";
        RegistroLeido leido = PrimerRegistro(registro, "MATERIAL ");
        ASSERT_NE(leido.registro, nullptr);
        Material material(leido.nombre);
        material.PonerLogico("Cambio Espesor", !caso.esperado);
        material.Leer(leido.registro.get());
        bool cambio = !caso.esperado;
        material.ObtenerLogico("Cambio Espesor", cambio);
        EXPECT_EQ(cambio, caso.esperado) << caso.linea;
    }
}

TEST(Material, UnMaterialDeLibreriaNoSeEscribeEnElFichero) {
    Material material("De librería");
    material.AsignarPropiedad("Libreria", "YES");
    EXPECT_EQ(Escribir(material, Forma::BaseDatos), "");
    EXPECT_EQ(Escribir(material, Forma::Registro), "");
}

TEST(Material, LaResistenciaCalculadaQuedaEnRojo) {
    struct Caso {
        float espesor, conductividad, resistencia;
    };
    const Caso casos[] = {{0.25f, 0.5f, 0.5f}, {0.25f, 0.0f, 10.0f}, {0.3f, 0.03f, 10.0f}};
    for (const Caso& caso : casos) {
        Material material("M");
        material.PonerReal("Espesor", caso.espesor);
        material.PonerReal("Conductividad", caso.conductividad);
        material.CalcularResistencia();
        float resistencia = 0;
        material.ObtenerReal("Resistencia", resistencia);
        EXPECT_FLOAT_EQ(resistencia, caso.resistencia);
        EstadoValor estado = ESTADO_DEFECTO;
        material.ObtenerEstado("Resistencia", estado);
        EXPECT_EQ(estado, ESTADO_RECHAZADO);
    }
}

TEST(Material, LoTecleadoSeValidaConLosLimitesDeCadaClave) {
    ComprobarTecleados([] { return std::make_unique<Material>("M"); },
                       {
                           {"Espesor", "5", 5.0f, ESTADO_USUARIO, false},
                           {"Espesor", "6", 0.1f, ESTADO_RECHAZADO, true},
                           {"Espesor", "", 0.1f, ESTADO_RECHAZADO, false},
                           {"Espesor", "0,25", 0.25f, ESTADO_USUARIO, false},
                           {"Conductividad", "0", 0.6f, ESTADO_RECHAZADO, true},
                           {"Densidad", "15001", 1500.0f, ESTADO_RECHAZADO, true},
                           {"Calor especifico", "8000", 8000.0f, ESTADO_USUARIO, false},
                           {"Vapor P", "0.5", 1.0f, ESTADO_RECHAZADO, true},
                           {"Vapor P", "1e29", 1e29f, ESTADO_USUARIO, false},
                           {"Resistencia", "1000.5", 0.2f, ESTADO_RECHAZADO, true},
                           {"Vapor R", "0.05", 0.055f, ESTADO_RECHAZADO, true},
                           {"Vapor R", "0.055", 0.055f, ESTADO_USUARIO, false},
                           // Los límites de capa aceptan sus defectos y cualquier número que
                           // traiga un fichero; no tienen estado que mostrar.
                           {"EspesorMinimo", "0.5", 0.5f, ESTADO_DEFECTO, false},
                           {"EspesorMinimo", "-3", -3.0f, ESTADO_DEFECTO, false},
                           {"EspesorMaximo", "100", 100.0f, ESTADO_DEFECTO, false},
                           {"EspesorMaximo", "1e38", 1e38f, ESTADO_DEFECTO, false},
                       });
}

TEST(Material, TeclearElValorGuardadoConservaSuColor) {
    RegistroLeido leido = PrimerRegistro("\"M\" = MATERIAL\n THICKNESS = 0.2\n ..\n", "MATERIAL ");
    ASSERT_NE(leido.registro, nullptr);
    Material material(leido.nombre);
    material.Leer(leido.registro.get());
    material.AsignarPropiedad("Espesor", "0.2");
    EstadoValor estado = ESTADO_USUARIO;
    material.ObtenerEstado("Espesor", estado);
    EXPECT_EQ(estado, ESTADO_FICHERO);
}

TEST(Material, TextosConSusDefectos) {
    Material material("M");
    EstadoValor estado = ESTADO_USUARIO;
    material.AsignarPropiedad("Tipologia", "RESISTENCIA");
    material.ObtenerEstado("Tipologia", estado);
    EXPECT_EQ(estado, ESTADO_USUARIO);
    material.AsignarPropiedad("Tipologia", "PROPIEDADES");
    material.ObtenerEstado("Tipologia", estado);
    EXPECT_EQ(estado, ESTADO_DEFECTO);

    material.AsignarPropiedad("Imagen", "");
    AnsiString imagen = "x";
    material.ValorPropiedad("Imagen", imagen);
    EXPECT_EQ(imagen, "");

    // Claves que no son del material: texto vacío, 0.0 y verde; los setters no hacen nada.
    material.AsignarPropiedad("Desconocida", "3");
    AnsiString texto = "x";
    material.ValorPropiedad("Desconocida", texto);
    EXPECT_EQ(texto, "");
    float valor = 5;
    material.ObtenerReal("Desconocida", valor);
    EXPECT_EQ(valor, 0.0f);
    estado = ESTADO_USUARIO;
    material.ObtenerEstado("Imagen", estado);
    EXPECT_EQ(estado, ESTADO_DEFECTO);
}

TEST(Material, LosValoresSeMuestranConSuFormato) {
    Material material("M");
    material.PonerReal("Espesor", 0.1234f);
    material.PonerReal("Densidad", 1499.6f);
    material.PonerReal("Vapor P", 1000000.0f);
    // PonerReal no toca los límites de capa.
    material.PonerReal("EspesorMaximo", 7.0f);
    struct Caso {
        const char* clave;
        char separador;
        const char* esperado;
    };
    const Caso casos[] = {
        {"Espesor", '.', "0.123"},       {"Espesor", ',', "0,123"},
        {"Densidad", '.', "1500"},       {"Vapor P", ',', "1e+06"},
        {"EspesorMaximo", '.', "2.000"}, {"EspesorMinimo", ',', "0,001"},
        {"Conductividad", '.', "0.600"}, {"Vapor R", '.', "1.000"},
    };
    for (const Caso& caso : casos) {
        SeparadorRegional regional(caso.separador);
        AnsiString texto;
        material.ValorPropiedad(caso.clave, texto);
        EXPECT_EQ(texto, caso.esperado) << caso.clave;
    }
}

TEST(Material, ElNombreSoloCambiaSiEsValidoYLibre) {
    bdMateriales base("Materiales", LISTA_PROGRAMA);
    base.AnadirHijo(new Material("Ladrillo"));
    auto* material = new Material("Yeso");
    base.AnadirHijo(material);

    struct Caso {
        const char* texto;
        const char* nombre;
        EstadoValor estado;
    };
    const Caso casos[] = {
        {"Yeso.2", "Yeso", ESTADO_RECHAZADO},
        {"Yesón", "Yeso", ESTADO_RECHAZADO},
        {"Ladrillo", "Yeso", ESTADO_USUARIO},
        {"Materiales", "Yeso", ESTADO_USUARIO},
        {"Yeso, placa 15-mm_A", "Yeso, placa 15-mm_A", ESTADO_USUARIO},
    };
    for (const Caso& caso : casos) {
        material->AsignarPropiedad("Nombre", caso.texto);
        EXPECT_EQ(material->ObtenerNombre(), caso.nombre) << caso.texto;
        EstadoValor estado = ESTADO_DEFECTO;
        material->ObtenerEstado("Nombre", estado);
        EXPECT_EQ(estado, caso.estado) << caso.texto;
    }
    // El índice de nombres de la base sigue al nombre nuevo.
    EXPECT_EQ(base.BuscarPorNombre("Yeso, placa 15-mm_A"), material);
    EXPECT_EQ(base.BuscarPorNombre("Yeso"), nullptr);
}

TEST(Material, LaFormaAbreviadaLeeSusPalabrasClave) {
    RegistroLeido leido = PrimerRegistro(LineasCRLF({
                                             "\"Aislante\" = MATERIAL",
                                             " TYPE = PROPERTIES",
                                             " NAME = \"Lana mineral\"",
                                             " GROUP = \"\"",
                                             " TH = 0.04 COND = 0.035 DENS = 40",
                                             " S-H = 1000 V-DIF = 1.5",
                                             " LIBRARY = YES",
                                             " ..",
                                         }),
                                         "MATERIAL ");
    ASSERT_NE(leido.registro, nullptr);
    Material material(leido.nombre);
    material.LeerAbreviado(leido.registro.get());
    ComprobarReales(material, {{"Espesor", 0.04f},
                               {"Conductividad", 0.035f},
                               {"Densidad", 40.0f},
                               {"Calor especifico", 1000.0f},
                               {"Vapor P", 1.5f},
                               {"Resistencia", 0.2f}});
    AnsiString texto;
    material.ValorPropiedad("Nombre completo", texto);
    EXPECT_EQ(texto, "Lana mineral");
    // Aquí un grupo vacío se queda vacío.
    material.ValorPropiedad("Grupo", texto);
    EXPECT_EQ(texto, "");
    EXPECT_TRUE(material.EsLibreria());
    EXPECT_FALSE(material.EsUtilizado());
}

TEST(Material, LaExportacionSoloLlevaLosMaterialesUsados) {
    const AnsiString largo = "Mortero de cemento para albañilería, M-5";
    ASSERT_GT(largo.Length(), 32);
    Material material(largo);
    EXPECT_EQ(Escrito([&](FileWriter& f) { material.Exportar(f); }), "");

    material.PonerLogico("Utilizado", true);
    material.PonerReal("Espesor", 0.02f);
    EXPECT_EQ(Escrito([&](FileWriter& f) { material.Exportar(f); }),
              LineasCRLF({
                  "\"Mortero de cemento para albañile\" = MATERIAL",
                  "    TYPE              = PROPERTIES",
                  "    THICKNESS         = " + Numero14g("0.02"),
                  "    CONDUCTIVITY      = " + Numero14g("0.6"),
                  "    DENSITY           = " + Numero14g("1500"),
                  "    SPECIFIC-HEAT     = " + Numero14g("800"),
                  "    ..",
              }));
    // El nombre recortado se queda como nombre para el programa hermano.
    AnsiString dumvat;
    material.ValorPropiedad("Dumvat", dumvat);
    EXPECT_EQ(dumvat, "Mortero de cemento para albañile");

    Material camara("Cámara");
    camara.PonerLogico("Utilizado", true);
    camara.AsignarPropiedad("Tipologia", "RESISTENCIA");
    camara.AsignarPropiedad("Dumvat", "CAMARA");
    camara.PonerReal("Resistencia", 0.17f);
    EXPECT_EQ(Escrito([&](FileWriter& f) { camara.Exportar(f); }),
              LineasCRLF({
                  "\"CAMARA\" = MATERIAL",
                  "    TYPE               = RESISTANCE",
                  "    RESISTANCE         = " + Numero14g("0.17"),
                  "    ..",
              }));
}

TEST(Material, ElNodoXMLEsBienFormadoYSeLeeDeVuelta) {
    SeparadorRegional regional(',');
    Material propiedades("Hormigón <armado> & \"árido\"");
    propiedades.MarcarLibreria();
    propiedades.AsignarPropiedad("Grupo", "Hormigones ñ");
    propiedades.PonerReal("Conductividad", 2.5f);
    Material resistencia("Cámara");
    resistencia.AsignarPropiedad("Tipologia", "RESISTENCIA");
    resistencia.PonerReal("Resistencia", 0.5f);

    TXMLDocument componente;
    DocumentoXML documento(componente);
    documento.NuevoDocumento("DATABASE");
    IXMLNode* grupo = documento.NuevoNodoRaiz("gMaterials");
    propiedades.EscribirXML(documento, grupo);
    resistencia.EscribirXML(documento, grupo);

    TXMLDocument leido;
    leido.LoadFromXML(componente.SaveToXML());
    IXMLNodeList* materiales =
        leido.GetDocumentElement()->GetChildNodes()->GetNodes(0)->GetChildNodes();
    ASSERT_EQ(materiales->GetCount(), 2);

    IXMLNode* primero = materiales->GetNodes(0);
    EXPECT_EQ(primero->GetNodeName(), "Material");
    EXPECT_EQ(primero->GetAttributes("name"), "Hormigón <armado> & \"árido\"");
    std::string hijos;
    for (int i = 0; i < primero->GetChildNodes()->GetCount(); ++i)
        hijos += std::string(primero->GetChildNodes()->GetNodes(i)->GetNodeName().c_str()) + " ";
    EXPECT_EQ(hijos, "typeProperties library group image nameDumvat ");
    IXMLNode* tipologia = primero->GetChildNodes()->GetNodes(0);
    std::string valores;
    for (int i = 0; i < tipologia->GetChildNodes()->GetCount(); ++i) {
        IXMLNode* hijo = tipologia->GetChildNodes()->GetNodes(i);
        valores += std::string(hijo->GetNodeName().c_str()) + "=" + hijo->GetText().c_str() + " ";
    }
    EXPECT_EQ(valores, "conductivity=2,5 thickness=0,100000001490116 density=1500 "
                       "specific-heat=800 vapour-diffusivity-factor=1 ");
    EXPECT_EQ(primero->GetChildNodes()->FindNode("library")->GetText(), "YES");
    EXPECT_EQ(primero->GetChildNodes()->FindNode("group")->GetText(), "Hormigones ñ");

    IXMLNode* segundo = materiales->GetNodes(1)->GetChildNodes()->GetNodes(0);
    EXPECT_EQ(segundo->GetNodeName(), "typeResistance");
    EXPECT_EQ(segundo->GetChildNodes()->FindNode("resistance")->GetText(), "0,5");
    EXPECT_NE(segundo->GetChildNodes()->FindNode("vapour-resistivity"), nullptr);
}

TEST(Material, LaCopiaTomaLasPropiedadesSinNombreUsoNiEstados) {
    Material origen("Origen");
    origen.AsignarPropiedad("Tipologia", "RESISTENCIA");
    origen.PonerReal("Espesor", 0.3f);
    origen.PonerReal("Conductividad", 0.04f);
    origen.PonerReal("Densidad", 30.0f);
    origen.PonerReal("Calor especifico", 1400.0f);
    origen.PonerReal("Vapor P", 60.0f);
    origen.PonerReal("Resistencia", 1.25f);
    origen.PonerReal("Vapor R", 2.0f);
    origen.PonerLogico("Cambio Espesor", false);
    origen.PonerLogico("Utilizado", true);
    origen.AsignarPropiedad("Grupo", "Aislantes");
    origen.AsignarPropiedad("Nombre completo", "Poliestireno extruido");
    origen.AsignarPropiedad("Imagen", "xps.bmp");
    origen.AsignarPropiedad("Dumvat", "XPS");
    origen.MarcarLibreria();

    Material copia("Copia");
    copia.CopiarDe(origen);
    EXPECT_EQ(copia.ObtenerNombre(), "Copia");
    EXPECT_FALSE(copia.EsUtilizado());
    EXPECT_TRUE(copia.EsLibreria());
    for (const char* clave :
         {"Tipologia", "Espesor", "Conductividad", "Densidad", "Calor especifico", "Vapor P",
          "Resistencia", "Vapor R", "Grupo", "Nombre completo", "Imagen", "Dumvat"}) {
        AnsiString esperado, copiado;
        origen.ValorPropiedad(clave, esperado);
        copia.ValorPropiedad(clave, copiado);
        EXPECT_EQ(copiado, esperado) << clave;
    }
    bool cambio = true;
    copia.ObtenerLogico("Cambio Espesor", cambio);
    EXPECT_FALSE(cambio);
    // Los estados no se copian: el tipo tecleado en el origen sigue en verde en la copia.
    EstadoValor estado = ESTADO_FICHERO;
    copia.ObtenerEstado("Tipologia", estado);
    EXPECT_EQ(estado, ESTADO_DEFECTO);
}

TEST(Material, LaFilaDeInformeSoloParaMaterialesUsados) {
    struct Caso {
        bool usado, libreria;
        const char* grupo;
        const char* ultima; // nullptr: sin fila
    };
    const Caso casos[] = {
        {false, false, "Otro", nullptr},
        {true, false, "Otro", "SI"},
        {true, true, "Otro", "--"},
        {true, true, "Aislantes", "SI"},
    };
    for (const Caso& caso : casos) {
        Material material("M");
        material.PonerLogico("Utilizado", caso.usado);
        material.PonerLogico("Libreria", caso.libreria);
        material.AsignarPropiedad("Grupo", caso.grupo);
        material.PonerReal("Vapor P", 15.0f);
        TStringList fila;
        material.FilaInforme(fila);
        if (caso.ultima == nullptr) {
            EXPECT_EQ(fila.GetCount(), 0);
            continue;
        }
        EXPECT_EQ(fila.GetText(), AnsiString("M\r\nPROPIEDADES\r\n0.600\r\n1500.00\r\n800.00\r\n"
                                             "15\r\n0.20\r\n") +
                                      caso.ultima + "\r\n");
    }
}

} // namespace
