#pragma once
// Lo que comparten las pruebas del gestor de bases de datos: una instalación de prueba con
// el catálogo y dos bases (la de ejemplo y una pequeña hecha aquí), el marco creado como lo
// crea el programa y los ayudantes que recorren su árbol.

#include "tests/comun/pruebas.h"
#include "tests/comunes/instalacion_prueba.h"

#include "Vornak/VentanaGestorBD.h"
#include "Vornak/VentanaPrincipal.h"
#include "Vornak/VistaGestorBD.h"

#include <memory>
#include <string>
#include <vector>

class TCustomComboBox;
class TStrings;
class TTreeNode;

class PruebaVornak : public InstalacionDePrueba {
protected:
    PruebaVornak();
    void SetUp() override;
    void TearDown() override;

    // El marco, visible, como lo deja el programa al arrancar.
    TforPrincipal* Marco();
    // Abre una base con Abrir del menú, con el diálogo contestado.
    VistaGestorBD* AbrirDelMenu(const AnsiString& ruta);
    // El controlador actual y su ventana.
    VistaGestorBD* Actual() { return Marco()->ControladorActual(); }
    TforGestorBD* Ventana() { return Actual()->Ventana(); }
    // El nodo al que se llega desde la raíz por esos rótulos ("Opacos", "Materiales y
    // productos", "Aislantes"...); nulo si no está.
    static TTreeNode* Nodo(TforGestorBD* ventana, std::initializer_list<const char*> camino);
    // Cierra el marco y lo borra (lo que quede abierto se borra con él).
    void CerrarMarco();

    AnsiString ejemplo;  // la base de ejemplo, copiada en la instalación
    AnsiString segunda;  // una base pequeña con un material que se llama "Marcos"
    AnsiString estandar; // una base estándar
    std::unique_ptr<TforPrincipal> marco;
};

// Si alguna caja mostrada en la prueba tenía ese texto.
bool Mostrado(const AnsiString& texto);
// El registro de un material de propiedades de ese grupo, con líneas LF.
std::string Material(const char* nombre, const char* grupo, const char* conductividad);
// Líneas con CR LF, como los ficheros de la instalación.
std::string Crlf(const std::string& texto);
// Las líneas de una lista, en orden.
std::vector<std::string> Lineas(TStrings* lista);
// El texto de un fichero en bytes.
std::string LeerBytes(const AnsiString& ruta);
// Contesta el diálogo de la librería (un TforLibreria): pasa todo lo que muestra y acepta.
void ElegirTodoYAceptar(TObject* dialogo);
// Un clic en el centro de la lista desplegable la despliega; comprueba que cae justo debajo
// del combo, desde su borde izquierdo, y al menos tan ancha como se pide.
void Desplegar(TCustomComboBox* lista, int anchoMinimo);
// Despliega la lista y elige con un clic el elemento de ese índice, en el sitio donde lo
// muestra una lista desplegada debajo del combo.
void ElegirConElRaton(TCustomComboBox* lista, int indice, int anchoMinimo);
// Un elemento a la vista al desplegar que no es el elegido (el último que cabe), si la lista
// tiene más de uno.
int OtroElemento(TCustomComboBox* lista);
