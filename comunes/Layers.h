#pragma once
// Layers: el cerramiento opaco por capas (tipo 12), un muro, cubierta o suelo descrito como
// una lista ordenada de capas, cada una un material de la base de materiales y un espesor.
// Las capas van de la cara exterior a la interior (vertical) o de arriba abajo
// (horizontal). Lee y escribe su registro "LAYERS", su copia invertida ("I_"), su nodo XML
// y la forma del programa hermano, y responde a sus propiedades por clave.
//
// Los espesores se guardan como texto en metros con el formato "0.000" y el separador
// decimal regional; cada conversión a número acepta ese separador.

#include "comunes/ObjetoBase.h"

#include "plataforma/base/string_list.h"

#include <vector>

class Layers : public ObjetoBase {
public:
    explicit Layers(const AnsiString& nombre);

    void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const override;
    void ObtenerReal(const AnsiString& clave, float& valor) const override;
    void ObtenerEntero(const AnsiString& clave, int& valor) const override;
    void ObtenerLogico(const AnsiString& clave, bool& valor) const override;
    void ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const override;
    // "Materiales" y "Espesores" se añaden tras lo que ya tenga la lista.
    void ObtenerLista(const AnsiString& clave, TStrings& lista) const override;
    void AsignarPropiedad(const AnsiString& clave, const AnsiString& texto) override;
    // "Utilizado" pasa también a cada material de las capas que esté en la base.
    void PonerLogico(const AnsiString& clave, bool valor) override;
    // "Materiales" y "Espesores" sustituyen la lista entera.
    void PonerLista(const AnsiString& clave, const TStrings& lista) override;

    // El registro "LAYERS". Deja un espesor por material: los que faltan toman el espesor
    // de su material y los que sobran se descartan, y el cerramiento lo anota en el
    // registro del modelo. Al final asegura que cada material nombrado existe en la base
    // de materiales de su base de datos (CompletarMateriales).
    void Leer(LeerBDL* lector) override;
    // La forma abreviada de una entrada de librería ("MAT", "TH", "I-F-R").
    void LeerAbreviadoCapas(LeerBDL* lector) override;
    // Nada para un cerramiento sin capas. Marca como utilizado cada material de las capas.
    void Escribir(FileWriter& fichero) override;
    // El registro de Escribir y detrás su copia invertida, vista desde la otra cara.
    void EscribirVariante(FileWriter& fichero) override;
    // Lo mismo que Escribir: los cerramientos de librería también se escriben enteros.
    void EscribirSinLibreria(FileWriter& fichero, int marca) override;
    // La forma del programa hermano ("LAYERS" y "CONSTRUCTION", directa e invertida), solo
    // para un cerramiento en uso con alguna capa cuyo material esté en la base.
    void Exportar(FileWriter& fichero) override;
    void EscribirXML(DocumentoXML& documento, IXMLNode* padre) override;
    // Capas, Ifr, grupo, nombre completo, uso y nombre del programa hermano, por las claves
    // del otro. Ni el nombre, ni los estados, ni "Vertical", ni la base de materiales.
    void CopiarDe(const ObjetoBase& otro) override;
    void PonerMateriales(bdMateriales* materiales) override;
    // Cierto si alguna capa es de ese material (comparación exacta).
    bool Utiliza(const AnsiString& nombre) const override;

    // Las filas del informe: el nombre, U y los valores fijos en "fila"; por capa, el
    // material y su espesor. Nada si no está en uso; una capa cuyo material no está en la
    // base se salta.
    virtual void InformeCapas(TStrings& fila, TStrings& columnaMateriales,
                              TStrings& columnaEspesores);

    // Quita todas las capas.
    void Vaciar();
    // Sustituye los nombres de los materiales; los espesores no cambian.
    void PonerNombresMateriales(const TStrings& nombres);
    // El material de la capa (desde 0); vacío fuera de límites.
    AnsiString NombreMaterial(int capa) const;
    // Cambia el material de la capa (desde 0); fuera de límites no hace nada.
    void CambiarNombreMaterial(int capa, const AnsiString& nombre);
    // Para cada nombre que falte en la base de materiales de la base de datos que tiene
    // este cerramiento (MaterialesCompartidos), lo crea allí con ese nombre exacto y, si la base
    // de materiales propia lo tiene, copia sus valores. Sin base dueña no hace nada; un
    // nombre vacío no es un material y se salta.
    void CompletarMateriales(const TStrings& nombres);
    // Marca cada material de las capas que esté en la base de materiales para que se escriba
    // como utilizado ("Utilizado al guardar"); nunca quita una marca. Escribir lo hace con
    // cada cerramiento que guarda.
    void MarcarMaterialesUtilizados();
    // Añade el nombre para el programa hermano ("Dumvat") del material de cada capa que esté
    // en la base, en orden.
    void ListarNombresDumvat(TStrings& lista) const;

private:
    // El material de ese nombre en la base de materiales; nulo si no está o no hay base.
    ObjetoBase* BuscarMaterial(const AnsiString& nombre) const;
    // El espesor de la capa como número. Una capa sin espesor toma el de su material.
    float Espesor(int capa) const;
    // El espesor de un material para una capa que no lo trae: el de la base dada o, si no
    // está en ella, el de la propia; sin material, el de un material nuevo.
    float EspesorDeMaterial(const AnsiString& nombre, bdMateriales* primera) const;
    // Deja un texto de espesor por capa (con el formato dado) a partir de los números
    // leídos, y anota en el registro del modelo si no había uno por capa.
    void AjustarEspesores(const std::vector<float>& leidos, bool hayLista, const char* formato,
                          bdMateriales* primera);
    // Las capas cuyo material está en la base: el nombre del material para el programa
    // hermano y el espesor de la capa, en orden.
    void CapasEnBase(std::vector<AnsiString>& nombresDumvat,
                     std::vector<float>& espesoresCapas) const;
    // La base de materiales de la base de datos que tiene este cerramiento (la de su base
    // de cerramientos o, si no tiene, la actual de su tipo de lista); nula si no está en
    // una base de datos.
    bdMateriales* MaterialesCompartidos() const;
    // Las líneas de un registro "LAYERS" con el orden de capas dado.
    void EscribirRegistro(FileWriter& fichero, const AnsiString& prefijo, bool invertido);
    // Un registro "LAYERS" de la forma del programa hermano.
    static void EscribirCapasExportadas(FileWriter& fichero, const AnsiString& nombre,
                                        const std::vector<AnsiString>& nombres,
                                        const std::vector<float>& espesores);

    bool vertical = false;
    TStringList nombresMateriales;
    TStringList espesores;
    float ifr = 0.0f;
    EstadoValor estadoIfr = ESTADO_DEFECTO;
    bdMateriales* materiales = nullptr; // no es suya
};

// Registra el cerramiento en la tabla de fábricas (tipo 12).
void RegistrarLayers();
