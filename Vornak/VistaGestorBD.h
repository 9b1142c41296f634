#pragma once
// VistaGestorBD: el controlador de una base de datos abierta. Tiene su ventana
// (TforGestorBD) y las seis vistas de lista, llena el árbol de la base por tipos y grupos,
// convierte la selección del árbol en la página del elemento, reparte los botones y el menú
// contextual entre las vistas de cada tipo y lleva las órdenes de fichero, de librería, de
// elementos y de grupos (VistaGestorBDComandos.cpp) y la copia de elementos entre bases
// (VistaGestorBDCopia.cpp).

#include "Vornak/Vista.h"

#include "comunes/Tipos.h"
#include "plataforma/base/ansi_string.h"

#include <functional>
#include <memory>
#include <vector>

class Error;
class GestorBD;
class Idioma;
class ObjetoBase;
class TStringList;
class TStrings;
class TTreeNode;
class TforGestorBD;
class TforLibreria;
class TforNombreGrupo;
class VistabdAcristalamientos;
class VistabdCerramientos;
class VistabdElementos;
class VistabdHuecos;
class VistabdMarcos;
class VistabdMateriales;
class VistabdPuentesTermicos;
class bdLibreria;

class VistaGestorBD : public Vista {
public:
    // Crea su ventana (de la aplicación) y sus vistas sobre las bases del gestor, que no es
    // suyo. Las marcas de cambios son las del gestor: cada ventana lleva las suyas.
    explicit VistaGestorBD(GestorBD* gestor);
    // Borra su ventana si aún la tiene.
    ~VistaGestorBD() override;

    // El árbol (raíz, categorías y las ramas de las seis vistas) y la ventana a la vista.
    // No vacía antes el árbol: eso es VaciarArbol.
    void Mostrar() override;
    // En una base estándar oculta las órdenes que la cambian y lo dice (mensaje 64); pone
    // los rótulos de la variante regional.
    void Actualizar() override;
    // Supr, "Eliminar" del menú contextual o del marco: el grupo vacío o el elemento del
    // nodo seleccionado.
    void Eliminar() override;

    // El botón "Aceptar" de la página del tipo.
    void AceptarElemento(TipoObjeto tipo);
    // El cambio de selección del árbol: un nodo de elemento muestra su elemento; cualquier
    // otro oculta las páginas.
    void SeleccionarNodo(TTreeNode* nodo);
    // Antes de dejar el elemento que se muestra, si tiene cambios sin aceptar, pregunta
    // "¿Desea aceptar los cambios?": Sí los acepta, No los deshace. Falso si hay que quedarse
    // en él (Cancelar, o unos cambios que no se pudieron aceptar).
    bool DejarElemento();
    void MostrarElemento(TipoObjeto tipo);
    void RefrescarEditor(TipoObjeto tipo);
    // El tipo de elemento del nodo, el que guarda el propio nodo; TIPO_NINGUNO (62) para la
    // raíz, las categorías "Opacos" y "Semitransparentes" y un nodo nulo.
    TipoObjeto TipoDeNodo(TTreeNode* nodo) const;
    // El cambio de página: selecciona en el árbol el primer elemento del tipo de la página.
    void CambiarPestana();
    // El nodo del elemento bajo el de su grupo (que se crea si falta), bajo el nodo del tipo.
    void AnadirNodo(TipoObjeto tipo, const AnsiString& grupo, const AnsiString& nombre,
                    TTreeNode* nodoTipo);
    void VaciarArbol();
    // El modo de un solo fichero: sin puentes térmicos, sin menú de sistema ni botones de
    // minimizar y maximizar.
    void OcultarPuentes();
    bool EstaCerrada() const { return cerrada; }
    // La base de esta ventana ha cambiado desde que se abrió o se guardó.
    bool HayCambios() const;
    bool EsEstandar() const;
    bool FactoresSolaresCompletos() const;
    // "Fichero": la ruta de la base; otra clave deja el texto como estaba.
    void ObtenerPropiedad(const AnsiString& clave, AnsiString& texto) const;
    // "Tipo": el tipo que lista el diálogo de la librería.
    void EstablecerPropiedad(const AnsiString& clave, TipoObjeto valor);
    // El cierre de la ventana: antes, si el elemento que se muestra tiene cambios sin
    // aceptar, pregunta si se aceptan (DejarElemento); después, si se guardan los cambios.
    // Falso deja la ventana abierta con sus cambios.
    bool Cerrar();
    // Las órdenes del menú contextual que valen para el nodo.
    void PrepararMenuContextual(TTreeNode* nodo);

    // --- capas del cerramiento actual (VistaGestorBDCapas.cpp); solo con el tipo 12 ---
    void AnadirCapa(TipoObjeto tipo);
    void CambiarCapa(TipoObjeto tipo);
    void EliminarCapa(TipoObjeto tipo);
    void SubirCapa(TipoObjeto tipo);
    void BajarCapa(TipoObjeto tipo);
    // La U de la composición de la rejilla de capas.
    void CalcularU();
    // Pone en las listas el material de la fila elegida; falso si no está en la base.
    bool SeleccionarCapa(const AnsiString& material);

    // --- órdenes de fichero (VistaGestorBDComandos.cpp) ---
    // Abre un ".BDC" (un ".xml" da una base vacía, sin ruta, que se guarda con otro nombre;
    // cualquier otra extensión se carga como ".BDC"). Un fichero que está pero no se puede
    // leer o no es una base de datos no carga nada, deja la ventana sin llenar y devuelve
    // falso sin decir nada: quien la abrió quita la ventana y lo dice. Los registros que
    // no se han podido leer se dicen una vez abierta.
    bool Abrir(const AnsiString& ruta);
    // Guarda la base en un ".BDC". Sin ruta (una base nueva o abierta de un XML) pide el
    // nombre, que pasa a ser la ruta y el título de la ventana. Si no se guarda (cancelado
    // o fallido, que se dice), el fichero anterior y la marca de cambios quedan como
    // estaban y devuelve falso. Sustituir el fichero del que vienen registros que no se
    // pudieron leer (se perderían) pide antes confirmación; sin ella no se guarda.
    bool Guardar(const AnsiString& ruta);
    bool ExportarXML(const AnsiString& ruta);
    // La librería: otro gestor de tipo de lista 2 cargado del fichero. Con "avisar", dice
    // los registros que no se han podido leer.
    void CargarLibreria(const AnsiString& ruta, bool avisar = true);
    bool EscribirLibreria(const AnsiString& ruta);
    // Crear del marco y del menú contextual.
    void Crear();
    void CrearElemento(TipoObjeto tipo);
    void CrearGrupo(TipoObjeto tipo);
    void CambiarGrupo(TipoObjeto tipo);
    // El "Aceptar" del diálogo del nombre de grupo; falso lo deja abierto.
    bool AceptarNombreGrupo();
    // Un dibujo del material (13) o del puente térmico (63): el fichero elegido si existe;
    // vacío si no se eligió ninguno o no existe.
    AnsiString ElegirDibujo(TipoObjeto tipo);
    // Añade el catálogo regional a la base (solo en la variante regional).
    void CargarCatalogoRegional();

    // --- copia de elementos (VistaGestorBDCopia.cpp) ---
    // Copia de la librería a la base abierta los elementos de esos nombres, con los
    // materiales de los cerramientos y el marco y el acristalamiento de los huecos, y pone
    // sus nodos bajo el nodo del tipo. Un elemento cuyo nombre ya está en la base no se
    // copia: la base conserva el suyo. Al final se dice, en un solo mensaje, qué elegidos
    // no se han copiado: los que ya estaban y los que no están en la librería.
    void CopiarDeLibreria(const TStrings& nombres, TipoObjeto tipo, TTreeNode* nodoTipo,
                          GestorBD* origen);
    // Lo mismo de un gestor a otro, sin tocar el árbol. Los elegidos que el destino ya tiene
    // se dicen solo si se nombra el destino ("la librería"); el catálogo regional, que no
    // elige nadie, se añade sin decirlos.
    void CopiarAGestor(const TStrings& nombres, TipoObjeto tipo, GestorBD* origen,
                       GestorBD* destino, const char* destinoNombrado = nullptr);

    // --- la librería (VistaGestorBDLibreria.cpp) ---
    // "Cargar librería" sobre el nodo de un tipo: elige en el diálogo qué elementos de la
    // librería pasan a la base abierta y los copia.
    void ImportarElementos();
    // "Guardar libreria": elige la librería (que se lee si ya existe), los elementos de la
    // base abierta que pasan a ella y la escribe. Una librería con registros que no se
    // pudieron leer (se perderían al escribirla) pide antes confirmación.
    void GuardarLibreria();
    void ExportarElementos();
    // Un diálogo de librería nuevo que lista los elementos de ese gestor.
    void AbrirLibreria(GestorBD* listado);
    // Llena el diálogo para el tipo de "Tipo" y lo muestra; cierto si se aceptó.
    bool PrepararLibreria();
    void ListarLibreria();
    // Las dos listas del diálogo: a la izquierda los nombres sin elegir del grupo ("- Todos -"
    // son todos), a la derecha los elegidos.
    void LlenarListasLibreria(const AnsiString& grupo);
    void AgregarSeleccion();
    void AgregarTodo();
    void QuitarSeleccion();
    void QuitarTodo();
    TforLibreria* DialogoLibreria() const { return dialogoLibreria.get(); }
    // Los nombres elegidos en el diálogo.
    TStrings* ElegidosLibreria() const;

    // La ventana se está destruyendo sin haberse cerrado (al acabar el programa).
    void VentanaDestruida();

    TforGestorBD* Ventana() const { return ventana; }
    GestorBD* Gestor() const { return gestor; }
    GestorBD* Libreria() const { return libreria.get(); }
    ObjetoBase* ElementoActual() const { return actual; }
    AnsiString NombreVisible() const { return nombreVisible; }
    // La vista de lista del tipo; nula para otro tipo o tras cerrar.
    VistabdElementos* VistaDeTipo(TipoObjeto tipo) const;
    TforNombreGrupo* DialogoGrupo() const { return dialogoGrupo; }

    // Se llama cuando la ventana se ha cerrado; quien lo atiende puede borrar el
    // controlador.
    std::function<void(VistaGestorBD*)> AlCerrar;

private:
    // Dice los registros del fichero que la carga no ha podido leer, si los hay.
    static void AvisarIlegibles(const GestorBD& cargado, const AnsiString& fichero);
    // Dice los elementos que el fichero nombra y la carga no ha encontrado (ni en él ni en el
    // catálogo), si los hay, y el catálogo que no se pudo leer.
    static void AvisarSupuestos(const GestorBD& cargado, const AnsiString& fichero);
    // Antes de escribir en el fichero: si se perderían registros que no se pudieron leer, lo
    // dice y pregunta; cierto si se puede escribir.
    bool ConfirmarPerdida(const GestorBD& cargado, const AnsiString& fichero);
    // Antes de escribir la librería: si deja fuera elementos del catálogo estándar que
    // estaban en ella ("antes", de GestorBD::QuedanFuera al leerla) o que se acaban de elegir,
    // los dice y pregunta; cierto si se puede escribir.
    bool ConfirmarFueraDeLibreria(const std::vector<ObjetoBase*>& antes, const AnsiString& fichero);
    // Selecciona el primer elemento del primer grupo bajo el nodo del tipo; falso si no
    // hay ninguno.
    bool SeleccionarPrimero(TTreeNode* nodoTipo);
    // El nodo del elemento de ese nombre bajo el nodo del tipo; nulo si no está.
    TTreeNode* BuscarElemento(TTreeNode* nodoTipo, const AnsiString& nombre) const;
    void BorrarVistas();
    // Añade a los nombres de grupo los rótulos de los hijos del nodo del tipo que falten (los
    // grupos aún vacíos solo están en el árbol).
    void AnadirGruposDelArbol(TTreeNode* nodoTipo);
    // Al renombrar un grupo de vidrios o de marcos, los huecos que eligen un miembro del
    // grupo por el nombre anterior pasan al nombre nuevo.
    void LlevarGrupoAHuecos(const AnsiString& nombre);
    void CambiosHechos();
    // Copia un elemento de una base a otra (si falta en el destino) y, con nodo de tipo,
    // pone su nodo. Devuelve el elemento del destino.
    ObjetoBase* CopiarUno(TipoObjeto tipo, const AnsiString& nombre, GestorBD* origen,
                          GestorBD* destino, TTreeNode* nodoTipo, TStrings& faltan);
    void CopiarDependencias(TipoObjeto tipo, ObjetoBase* fuente, GestorBD* origen,
                            GestorBD* destino, bool conArbol, TStrings& faltan);
    void Copiar(const TStrings& nombres, TipoObjeto tipo, GestorBD* origen, GestorBD* destino,
                TTreeNode* nodoTipo, const char* destinoNombrado);
    // Unas líneas para un mensaje, una por nombre: las diez primeras y cuántas más hay.
    static AnsiString Enumerar(const TStrings& lineas);
    void PonerNombre(const AnsiString& ruta);
    // El nodo seleccionado si es el de un tipo (el de los puentes térmicos también); nulo si no.
    TTreeNode* NodoDeTipoSeleccionado() const;
    // Elige en el diálogo los nombres del tipo del nodo que lista ese gestor; cierto si el
    // diálogo se aceptó con alguno elegido.
    bool ElegirDeLibreria(TTreeNode* nodoTipo, GestorBD* listado, TStringList& nombres);
    // Las listas del diálogo de la librería: grupos, todos los nombres, los elegidos y las
    // dos que se muestran (sin elegir y elegidos).
    std::unique_ptr<TStringList> gruposLibreria;
    std::unique_ptr<TStringList> todosLibreria;
    std::unique_ptr<TStringList> elegidosLibreria;
    std::unique_ptr<TStringList> noElegidosMostrados;
    std::unique_ptr<TStringList> elegidosMostrados;
    GestorBD* gestorListado = nullptr;
    std::unique_ptr<TforLibreria> dialogoLibreria;

    AnsiString ruta;
    AnsiString nombreVisible;
    GestorBD* gestor;
    ObjetoBase* actual = nullptr;
    TforGestorBD* ventana = nullptr;
    Error* error;
    Idioma* idioma;
    TforNombreGrupo* dialogoGrupo = nullptr;
    std::unique_ptr<TStringList> nombresGrupos;
    TipoObjeto tipoLibreria = TIPO_NINGUNO_GESTOR;
    VistabdMateriales* vistaMateriales = nullptr;
    VistabdCerramientos* vistaCerramientos = nullptr;
    VistabdAcristalamientos* vistaAcristalamientos = nullptr;
    VistabdHuecos* vistaHuecos = nullptr;
    VistabdMarcos* vistaMarcos = nullptr;
    VistabdPuentesTermicos* vistaPuentes = nullptr;
    std::unique_ptr<GestorBD> libreria;
    bool puentesVisibles = true;
    bool renombrando = false;
    AnsiString grupoAnterior;
    std::unique_ptr<TStringList> miembrosGrupo;
    bdLibreria* baseGrupo = nullptr;
    bool cerrada = false;
    TTreeNode* nodoRaiz = nullptr;
    TTreeNode* nodoOpacos = nullptr;
    TTreeNode* nodoSemitransparentes = nullptr;
    TTreeNode* nodoPuentes = nullptr;

    static constexpr TipoObjeto TIPO_NINGUNO_GESTOR = 62;
};
