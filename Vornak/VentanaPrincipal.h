#pragma once
// TforPrincipal: el marco MDI del gestor de bases de datos. Tiene el menú, la lista de los
// controladores y de los gestores de las ventanas abiertas (el par actual es el de la
// ventana de base de datos activa; el de una ventana que se cierra se borra con ella), el
// modo de un solo fichero de la línea de órdenes y las reglas del cierre del programa.

#include "plataforma/gui/forms/forms.h"

#include <memory>
#include <vector>

class GestorBD;
class TMainMenu;
class TMenuItem;
class TOpenDialog;
class TSaveDialog;
class VistaGestorBD;

class TforPrincipal : public TForm {
public:
    // Crea los singletons de carpetas, mensajes y registro del modelo; sin base abierta,
    // Guardar, "Guardar como ", Exportar y Edición están desactivados.
    explicit TforPrincipal(TComponent* Owner);
    // Borra los controladores y los gestores que queden.
    ~TforPrincipal() override;

    TMainMenu* MainMenu1;
    TOpenDialog* cdAbrir;
    TSaveDialog* sdGuardar;
    TMenuItem* A1;
    TMenuItem* mnuNuevo;
    TMenuItem* mnuAbrir;
    TMenuItem* N3;
    TMenuItem* mnuGuardar;
    TMenuItem* mnuGuardarcomo;
    TMenuItem* mnuExportar;
    TMenuItem* mnuXML;
    TMenuItem* N1;
    TMenuItem* mnuSalir;
    TMenuItem* mnuEdicion;
    TMenuItem* N2;
    TMenuItem* mnuCrear;
    TMenuItem* mnuEliminar;
    TMenuItem* mnuVentana;
    TMenuItem* mnuCascada;
    TMenuItem* mnuHorizontal;
    TMenuItem* mnuVertical;
    TMenuItem* mnuMinimizar;
    TMenuItem* mnuOrganizar;
    TMenuItem* Ayuda1;
    TMenuItem* Acercade1;

    void NuevaBaseDatos();
    void mnuNuevoClick(TObject* Sender);
    void mnuAbrirClick(TObject* Sender);
    void mnuGuardarClick(TObject* Sender);
    void mnuGuardarcomoClick(TObject* Sender);
    void mnuXMLClick(TObject* Sender);
    void GuardarFichero(const AnsiString& ruta);
    void ExportarXML(const AnsiString& ruta);
    void mnuSalirClick(TObject* Sender);
    void mnuCrearClick(TObject* Sender);
    void mnuEliminarClick(TObject* Sender);
    void mnuCascadaClick(TObject* Sender);
    void mnuHorizontalClick(TObject* Sender);
    void mnuVerticalClick(TObject* Sender);
    void mnuMinimizarClick(TObject* Sender);
    void Acercade1Click(TObject* Sender);
    void CursorEspera(bool espera);
    void ActualizarMenus();
    // La ruta de la línea de órdenes: vacía no hace nada; si no, la abre en el modo de un
    // solo fichero.
    void AbrirLineaComandos(const AnsiString& ruta);
    void ModoFicheroExterno();
    void FormClose(TObject* Sender, TCloseAction& Action);

    // El par actual, sobre el que actúan Guardar, "Guardar como ", XML, Crear y Eliminar: el
    // de la ventana de base de datos activa (la que se acaba de abrir, hasta que se active
    // otra); nulos sin ninguna.
    VistaGestorBD* ControladorActual() const { return controladorActual; }
    GestorBD* GestorActual() const { return gestorActual; }
    // Los controladores de las ventanas abiertas, de la más antigua a la más reciente.
    int Controladores() const { return static_cast<int>(controladores.size()); }
    VistaGestorBD* Controlador(int i) const { return controladores[i]; }

private:
    TMenuItem* Item(TMenuItem* padre, const char* nombre, const char* rotulo,
                    void (TforPrincipal::*orden)(TObject*));
    // Hay base actual y todos sus vidrios tienen factor solar; si no, lo dice.
    bool SePuedeGuardar() const;
    // Tras cerrarse una ventana: borra su controlador y su gestor, y el par actual pasa a la
    // que se activó más recientemente de las que quedan.
    void VentanaCerrada(VistaGestorBD* cerrado);
    // El par actual pasa a ser el de ese controlador (nulo: ninguno), con los menús que
    // permite su base.
    void HacerActual(VistaGestorBD* controlador);
    // Abre el fichero en la base que se acaba de crear. Si el fichero está pero no es una
    // base de datos (o no se puede leer), quita esa base con su ventana y muestra el mensaje
    // 0 con la ruta: falso.
    bool AbrirEnLaNueva(const AnsiString& ruta);
    void ActivarMenus(bool activos);
    void LiberarListas();

    std::vector<VistaGestorBD*> controladores;
    std::vector<GestorBD*> gestores;
    GestorBD* gestorActual = nullptr;
    VistaGestorBD* controladorActual = nullptr;
    bool ficheroExterno = false;
};

extern TforPrincipal* forPrincipal;
