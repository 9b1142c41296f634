#pragma once
// TForm1: la ventana del programa del promedio. Una rejilla con los proyectos (ruta, dos
// botones y multiplicador), los botones que añaden proyectos, calculan y generan el informe,
// y los cuatro resultados. Quien decide es el núcleo (Pelusta/Promedio, InformePromedio): la
// ventana recoge las filas, muestra los mensajes y los resultados.

#include "plataforma/gui/forms/forms.h"

#include <memory>

class Proyectos;
class TButton;
class TEdit;
class TGroupBox;
class TKavStringGrid;
class TLabel;
class TOpenDialog;
class TSaveDialog;

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* Owner);
    ~TForm1() override;

    TKavStringGrid* GridConPre;
    TButton* anadir;
    TButton* Calcular;
    TButton* Informe;
    TGroupBox* GroupBox1;
    TEdit* EdTotalCalefaccion;
    TEdit* EdTotalRefrigeracion;
    TEdit* EdPorcenCal;
    TEdit* EdPorcenRef;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label3;
    TLabel* Label4;
    TOpenDialog* dialogo;
    TSaveDialog* Save;

    void FormCreate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void anadirClick(TObject* Sender);
    void GridConPreButtonClick(TObject* Sender, int ACol, int ARow);
    void GridConPreClickCell(TObject* Sender, int ARow, int ACol);
    void CalcularClick(TObject* Sender);
    void InformeClick(TObject* Sender);

    // Los botones de la fila y su multiplicador "1".
    void PrepararFila(int fila);
    // Un botón de la fila con su rótulo entero.
    void BotonDeFila(int columna, int fila, const char* rotulo);
    // Cada multiplicador de la rejilla pasa a ser un entero de 1 en adelante.
    void ValidarMultiplicadores();

    // Lo que ha dejado el último cálculo: la lista (nula antes del primero) y si acabó.
    const Proyectos* GetProyectos() const { return proyectos.get(); }
    bool GetCalculado() const { return calculado != 0; }
    const AnsiString& GetCarpetaInicio() const { return carpetaInicio; }

private:
    void VaciarResultados();
    // Un cambio en la rejilla deja sin resultados: el informe pide un "Calcular " nuevo.
    void ProyectosCambiados();

    AnsiString carpetaInicio;
    unsigned char calculado = 0;
    std::unique_ptr<Proyectos> proyectos;
};
