#pragma once
// VistaCerramiento: el editor de un cerramiento por capas en la página de los
// cerramientos. Tiene una copia de trabajo de la composición (los materiales y los
// espesores de las capas, en el orden de la rejilla) que cambian las órdenes de capas; la
// rejilla SG_Camaras la muestra con las propiedades de cada material y, debajo, un dibujo
// de la composición hecho con las imágenes de los materiales. El cerramiento solo cambia al
// aceptar.

#include "Vornak/VistaElemento.h"

#include "plataforma/base/string_list.h"

#include <vector>

class TImage;
class bdMateriales;

class VistaCerramiento : public VistaElemento {
public:
    // Las capas que puede tener un cerramiento.
    static constexpr int MAXIMO_CAPAS = 16;

    explicit VistaCerramiento(TforGestorBD* ventana) : VistaElemento(nullptr, ventana) {}
    // Las imágenes del dibujo son de la ventana: se van con ella.
    ~VistaCerramiento() override = default;

    void PonerMaterialesBD(bdMateriales* base) { materiales = base; }
    void Mostrar() override;
    void Actualizar() override;
    // Pasa nombre, grupo y capas al cerramiento. Si ninguna capa se define por sus
    // propiedades, lo dice y no cambia nada. Cierto si el nombre se aceptó.
    bool Aceptar() override;
    // Si el último Aceptar no se hizo por la comprobación de las capas.
    bool CapasRechazadas() const { return capasRechazadas; }
    // También las capas cambiadas y sin aceptar cuentan.
    bool HayCambios() const override;

    void AnadirCapa();
    void CambiarCapa();
    void EliminarCapa();
    void SubirCapa();
    void BajarCapa();
    // Pone en las listas el material (su grupo, él elegido) y habilita subir y bajar; falso
    // si no está en la base de materiales.
    bool SeleccionarCapa(const AnsiString& nombre);
    // La rejilla desde la copia de trabajo.
    void LlenarRejilla();
    void MostrarDibujo();
    void BorrarDibujo();
    // Cierto si al menos una capa se define por sus propiedades (y no por su resistencia);
    // si no, lo dice.
    bool ComprobarCapas();
    void VaciarListas();

    // La resistencia térmica de las capas de la copia de trabajo, hasta la primera sin
    // material: espesor / conductividad con los valores guardados (no los textos redondeados
    // de la rejilla), o la resistencia de un material que se define por ella. Una capa cuyo
    // material no está en la base, o de conductividad 0, no suma.
    double ResistenciaCapas() const;

    const TStrings& Materiales() const { return nombres; }
    const TStrings& Espesores() const { return espesores; }

private:
    ObjetoBase* Material(const AnsiString& nombre) const;
    // Rellena la rejilla; al mostrar, las celdas del material son sus propios textos, los
    // espesores de trabajo se toman del cerramiento y Edit1 no se toca.
    void Rejilla(bool alMostrar, const TStrings& espesoresLeidos);
    // El espesor tecleado, validado con los límites del material (su aviso y su espesor si
    // se rechaza).
    float EspesorValidado(ObjetoBase* material) const;
    // Rellena la lista de materiales con los del grupo elegido; se queda el elegido si está,
    // si no el primero.
    void RellenarMateriales();
    // La fila elegida de la rejilla y la capa que muestra (fila - 1).
    int FilaElegida() const;
    // Termina cada orden de capas: rejilla (con esa fila elegida, si se da), dibujo y botones
    // de nuevo.
    void Redibujar(int fila = 0);
    // Subir y bajar siguen a la fila elegida; el espesor y su rótulo, al material elegido
    // (solo uno de propiedades que deja cambiar su espesor lo tiene). Devuelve ese material.
    ObjetoBase* HabilitarSegunEleccion();
    // Si la copia de trabajo ya no es la composición que se mostró.
    bool CapasCambiadas() const;

    bdMateriales* materiales = nullptr;
    TStringList espesores;
    TStringList nombres;
    TStringList nombresCerramiento;
    // La composición tal como se mostró.
    TStringList nombresMostrados;
    TStringList espesoresMostrados;
    std::vector<TImage*> dibujos;
    bool capasRechazadas = false;
};
