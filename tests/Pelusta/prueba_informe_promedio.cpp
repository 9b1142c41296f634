// El informe del promedio, escrito tras un cálculo de verdad sobre proyectos hechos aquí y
// leído con las herramientas de poppler: sus textos en orden, el salto de página con la
// cabecera y el número, el tamaño de página, el nombre largo recortado, el veredicto, la
// negativa sin cálculo completo y el fichero que no se puede crear.

#include "Pelusta/InformePromedio.h"
#include "Pelusta/Promedio.h"
#include "plataforma/base/files.h"
#include "tests/Pelusta/GeneradorProyectos.h"
#include "tests/comun/pdf_prueba.h"
#include "tests/comun/pruebas.h"
#include "tests/comun/separador_regional.h"
#include "tests/comunes/instalacion_prueba.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kSinResultados =
    "No hay resultados: pulse \"Calcular \" antes de generar el informe.";

// Dónde está cada una de las líneas esperadas, buscándolas en orden; falla si alguna falta.
void EnOrden(const std::vector<std::string>& lineas, const std::vector<std::string>& esperadas) {
    size_t desde = 0;
    for (const std::string& e : esperadas) {
        size_t i = desde;
        while (i < lineas.size() && lineas[i] != e)
            ++i;
        if (i == lineas.size()) {
            std::string todo;
            for (const std::string& l : lineas)
                todo += l + "\n";
            ADD_FAILURE() << "falta, o fuera de orden: \"" << e << "\"\n" << todo;
            return;
        }
        desde = i + 1;
    }
}

// Una instalación con su carpeta de librería y los logotipos que se distribuyen.
class InformePromedio : public InstalacionDePrueba {
protected:
    InformePromedio() : InstalacionDePrueba("LIB = \"Lib\\\"\r\n") {}
    void SetUp() override {
        InstalacionDePrueba::SetUp();
        const std::string lib = carpeta.Ruta().str() + "Lib/";
        std::filesystem::create_directories(lib);
        for (const char* logo : {"logo.jpg", "logoNorvia.jpg", "logoDumvat.jpg"})
            std::filesystem::copy_file(std::string(QUENBAR_DATOS) + "/Lib/" + logo, lib + logo);
        inicio = carpeta.Ruta().str() + "inicio/";
        obras = carpeta.Ruta().str() + "obras/";
    }

    FilaPromedio Proyecto(const std::string& nombre, const char* multiplicador, const char* ho,
                          const char* hr, const char* co, const char* cr, const char* area) {
        const std::string cte = EscribirProyecto(inicio, obras, nombre, {ho, co, area},
                                                 {hr, cr, area}, TablaDePrueba());
        return {AnsiString(cte), multiplicador};
    }
    // Calcula el promedio de las filas y escribe el informe; devuelve si se escribió.
    bool Informe(const std::vector<FilaPromedio>& filas, const char* nombre) {
        proyectos = std::make_unique<Proyectos>(TablaDePrueba());
        const ResultadoPromedio r = CalcularPromedio(*proyectos, filas, AnsiString(inicio));
        EXPECT_TRUE(r.completo) << r.mensaje.str();
        ruta = carpeta.Ruta() + nombre;
        return EscribirInformePromedio(proyectos.get(), r.completo, ruta);
    }

    SeparadorRegional separador{'.'};
    std::string inicio, obras;
    std::unique_ptr<Proyectos> proyectos;
    AnsiString ruta;
};

TEST_F(InformePromedio, UnProyecto) {
    // H = 50, R = 50, P = 75: cumple.
    ASSERT_TRUE(Informe({Proyecto("casa", "2", "30", "60", "-10", "-20", "100")}, "uno.pdf"));
    EnOrden(LineasPDF(ruta),
            {"El resultado promedio de los proyectos:", "Proyecto Multiplicador", "casa 2",
             "El edificio descrito en este informe CUMPLE con la demanda",
             "Calefacción Refrigeración", "% de la demanda de Referencia 50.0 50.0",
             "Proporción relativa calefacción refrigeración 75.0 25.0", "Fecha: Ref: Página: 1"});
    const std::string texto = TextoPDF(ruta);
    for (const char* cabecera : {"HE-1", "Opción", "General", "Localidad", "Comunidad"})
        EXPECT_NE(texto.find(cabecera), std::string::npos) << cabecera;
    const std::string info = InfoPDF(ruta);
    EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
    EXPECT_NE(info.find("Page size:       595 x 842 pts (A4)"), std::string::npos) << info;
    EXPECT_NE(info.find("Author:          Quenbar"), std::string::npos) << info;
    // El logotipo de la instalación, a 0.09 puntos por píxel.
    EXPECT_NE(ImagenesPDF(ruta).find("   800   360  rgb     3   8  jpeg   no"), std::string::npos)
        << ImagenesPDF(ruta);
    EXPECT_FALSE(PaginaPNG(ruta, 1, "informe_promedio").empty());
}

TEST_F(InformePromedio, NoCumpleYNombreLargoRecortado) {
    // H = 150, R = 150: no cumple. El nombre no cabe en tres cuartos del ancho útil.
    const std::string largo =
        "proyecto_de_rehabilitacion_energetica_de_un_bloque_de_viviendas_en_la_calle_mayor";
    ASSERT_TRUE(Informe({Proyecto(largo, "1", "90", "60", "-30", "-20", "80")}, "largo.pdf"));
    const std::vector<std::string> lineas = LineasPDF(ruta);
    EnOrden(lineas, {"El edificio descrito en este informe NO CUMPLE con la demanda",
                     "% de la demanda de Referencia 150.0 150.0"});
    bool recortado = false;
    for (const std::string& l : lineas)
        if (l.size() > 2 && l.substr(l.size() - 2) == " 1" &&
            largo.rfind(l.substr(0, l.size() - 2), 0) == 0)
            recortado = l.size() - 2 < largo.size() && l.size() - 2 > 40;
    EXPECT_TRUE(recortado);
}

TEST_F(InformePromedio, LaTablaSigueEnOtraPaginaConCabeceraYNumero) {
    std::vector<FilaPromedio> filas;
    std::vector<std::string> esperadas = {"El resultado promedio de los proyectos:",
                                          "Proyecto Multiplicador"};
    for (int i = 0; i < 30; ++i) {
        char nombre[8];
        std::snprintf(nombre, sizeof nombre, "p%02d", i);
        const std::string m = std::to_string(i % 3 + 1);
        filas.push_back(Proyecto(nombre, m.c_str(), "30", "60", "-10", "-20", "100"));
        esperadas.push_back(std::string(nombre) + " " + m);
        // Tras el párrafo caben la cabecera de la tabla y 21 proyectos.
        if (i == 20) {
            esperadas.push_back("Fecha: Ref: Página: 1");
            esperadas.push_back("<página>");
            esperadas.push_back("Proyecto");
        }
    }
    for (const char* final :
         {"El edificio descrito en este informe CUMPLE con la demanda", "Calefacción Refrigeración",
          "% de la demanda de Referencia 50.0 50.0",
          "Proporción relativa calefacción refrigeración 75.0 25.0", "Fecha: Ref: Página: 2"})
        esperadas.push_back(final);
    ASSERT_TRUE(Informe(filas, "varios.pdf"));
    EnOrden(LineasPDF(ruta), esperadas);
    const std::string info = InfoPDF(ruta);
    EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
    EXPECT_NE(info.find("Page size:       595 x 842 pts (A4)"), std::string::npos) << info;
    // La cabecera entera, logotipo incluido, en las dos páginas.
    const std::vector<PalabraPDF> palabras = PalabrasPDF(ruta);
    for (const char* p : {"HE-1", "Opción", "General", "Proyecto", "Localidad", "Comunidad"})
        EXPECT_NE(BuscarPalabra(palabras, p, 2), nullptr) << p;
    EXPECT_FALSE(PaginaPNG(ruta, 2, "informe_promedio_pagina2").empty());
}

TEST_F(InformePromedio, SinCalculoCompletoNoHayInforme) {
    Guion().AnswerMessageBox(IDOK);
    Guion().AnswerMessageBox(IDOK);
    Guion().AnswerMessageBox(IDOK);
    Proyectos incompleta(TablaDePrueba());
    EXPECT_FALSE(HayResultadosParaInforme(nullptr, false));
    EXPECT_FALSE(HayResultadosParaInforme(&incompleta, false));
    EXPECT_FALSE(EscribirInformePromedio(&incompleta, false, carpeta.Ruta() + "no.pdf"));
    EXPECT_FALSE(FileExists(carpeta.Ruta() + "no.pdf"));
    ASSERT_EQ(Guion().ShownBoxes().size(), 3u);
    for (const auto& caja : Guion().ShownBoxes()) {
        EXPECT_EQ(caja.text, AnsiString(kSinResultados));
        EXPECT_EQ(caja.caption, AnsiString("Información"));
        EXPECT_EQ(caja.flags & MB_ICONMASK, unsigned(MB_ICONINFORMATION));
    }
    EXPECT_TRUE(HayResultadosParaInforme(&incompleta, true));
}

TEST_F(InformePromedio, FicheroQueNoSePuedeCrear) {
    carpeta.Fichero("fichero", "no es una carpeta");
    Guion().AnswerMessageBox(IDOK);
    EXPECT_FALSE(
        Informe({Proyecto("casa", "1", "30", "60", "-10", "-20", "100")}, "fichero/informe.pdf"));
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    EXPECT_EQ(Guion().ShownBoxes()[0].text,
              "No se puede crear la documentación. Puede ser que el fichero ya este abierto\n"
              "No se puede crear el fichero \"" +
                  carpeta.Ruta() +
                  "fichero/informe.pdf\": una parte de la ruta no es una carpeta"
                  " (código 20).");
    EXPECT_EQ(Guion().ShownBoxes()[0].caption, AnsiString("Información"));
}

} // namespace
