#pragma once
// Lo que comparten las pruebas de carga y escritura de las bases de datos: una instalación
// de prueba (carpetas de librerías y temporal), el catálogo estándar en ella, lectores en
// memoria y las seis bases compartidas de un tipo de lista, que cada prueba deja como las
// encontró: ninguna.

#include "comunes/LeerBDL.h"
#include "comunes/Tipos.h"

#include "plataforma/base/ansi_string.h"
#include "tests/comunes/instalacion_prueba.h"

#include <array>
#include <memory>
#include <string>

class bdCatalogo;
class bdLibreria;
class ObjetoBase;

// Suelta las seis bases compartidas de cada tipo de lista que existan.
void LiberarBasesCompartidas();

class EntornoBD : public InstalacionDePrueba {
public:
    // Con las carpetas "Lib\" (sin catálogo salvo que se ponga) y "Tmp\".
    EntornoBD();

    // Escribe el catálogo estándar ("BDCATALOGO.BDC" de la carpeta de librerías).
    void PonerCatalogo(const std::string& contenido) const;
    // Un lector sobre el texto, como lee un fichero un gestor.
    static std::unique_ptr<LeerBDL> Lector(const std::string& contenido);

    // Las seis bases compartidas del tipo de lista, en el orden en que las carga un gestor:
    // materiales, cerramientos, marcos, acristalamientos, huecos y puentes térmicos. Los
    // cerramientos conocen los materiales y los huecos sus partes, como en un gestor.
    static std::array<bdLibreria*, 6> Bases(TipoLista tipo);

    // Carga las seis bases del tipo de lista del texto, como un gestor: en ese orden y con
    // un catálogo para toda la carga.
    static void CargarTodo(TipoLista tipo, const std::string& texto, bdCatalogo& catalogo);

    // El elemento de la base con ese nombre; nulo si no está.
    static ObjetoBase* Elemento(bdLibreria* base, const AnsiString& nombre);
    // El texto del registro del modelo y el fichero que lo guarda.
    static std::string Log();
    std::string LogEnDisco() const;
    // Cuántas veces aparece el texto.
    static int Veces(const std::string& texto, const std::string& trozo);

protected:
    void SetUp() override;
    void TearDown() override;
};

// Registros pequeños de cada tipo, como los escribiría a mano un usuario. "libreria" es el
// valor de "LIBRARY"; un acristalamiento no "cerrado" no tiene su "..".
std::string MaterialRegistro(const std::string& nombre, const std::string& conductividad,
                             const std::string& libreria = "NO");
std::string VidrioRegistro(const std::string& nombre, const std::string& conductancia,
                           bool cerrado = true, const std::string& libreria = "NO");
std::string MarcoRegistro(const std::string& nombre, const std::string& conductancia,
                          const std::string& libreria = "NO");
// "materiales" va tal cual entre los paréntesis: "\"Yeso\",\"Hormigon\"".
std::string CerramientoRegistro(const std::string& nombre, const std::string& materiales,
                                const std::string& espesores, const std::string& libreria = "NO");
std::string HuecoRegistro(const std::string& nombre, const std::string& vidrio,
                          const std::string& marco, const std::string& libreria = "NO");
std::string PuenteRegistro(const std::string& nombre, const std::string& fi,
                           const std::string& libreria = "NO");
