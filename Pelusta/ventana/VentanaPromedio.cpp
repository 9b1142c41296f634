#include "Pelusta/ventana/VentanaPromedio.h"

#include "Pelusta/InformePromedio.h"
#include "Pelusta/Promedio.h"
#include "Pelusta/Proyectos.h"
#include "comunes/Directorios.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/files.h"
#include "plataforma/base/modal_hooks.h"
#include "plataforma/gui/forms/dialogs.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/services/shell.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/panels.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

enum : int { kColProyecto = 0, kColBuscar = 1, kColEliminar = 2, kColMultiplicador = 3 };

TButton* Boton(TForm* forma, const char* nombre, const char* texto, int x, int y, int ancho) {
    auto* b = new TButton(forma);
    b->SetName(nombre);
    b->SetParent(forma);
    b->SetBounds(x, y, ancho, 25);
    b->SetCaption(texto);
    return b;
}

TLabel* Rotulo(TForm* forma, TWinControl* padre, const char* nombre, const char* texto, int x,
               int y) {
    auto* l = new TLabel(forma);
    l->SetName(nombre);
    l->SetParent(padre);
    l->SetLeft(x);
    l->SetTop(y);
    l->SetCaption(texto);
    return l;
}

TEdit* Resultado(TForm* forma, TWinControl* padre, const char* nombre, int x, int y) {
    auto* e = new TEdit(forma);
    e->SetName(nombre);
    e->SetParent(padre);
    e->SetBounds(x, y, 121, 21);
    e->SetReadOnly(true);
    return e;
}

} // namespace

TForm1::TForm1(TComponent* Owner) : TForm(Owner) {
    BeginLoading();
    SetName("Form1");
    SetCaption("Calculo promedio");
    SetPosition(poScreenCenter);
    GetFont()->SetName("MS Sans Serif");
    GetFont()->SetHeight(-11);
    SetWidth(936);
    SetHeight(425);
    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };

    GridConPre = new TKavStringGrid(this);
    GridConPre->SetName("GridConPre");
    GridConPre->SetParent(this);
    GridConPre->SetBounds(8, 8, 836, 225);
    GridConPre->SetColCount(4);
    GridConPre->SetRowCount(2);
    GridConPre->SetFixedCols(0);
    GridConPre->SetFixedRows(1);
    GridConPre->SetDefaultRowHeight(21);
    const int anchos[] = {527, 100, 104, 82};
    for (int c = 0; c < 4; ++c)
        GridConPre->SetColWidths(c, anchos[c]);
    GridConPre->SetOptions(GridConPre->GetOptions() << goEditing);
    GridConPre->SetFloatFormat("%.2f");
    GridConPre->SetCells(kColProyecto, 0, "Proyecto");
    GridConPre->SetCells(kColMultiplicador, 0, "multiplicador");
    GridConPre->OnClickCell = [this](TObject* s, int r, int c) { GridConPreClickCell(s, r, c); };
    GridConPre->OnButtonClick = [this](TObject* s, int c, int r) {
        GridConPreButtonClick(s, c, r);
    };
    // Lo que se escribe en una celda y las filas que se añaden o se quitan.
    GridConPre->OnCellsChanged = [this](TObject*, const TRect&) { ProyectosCambiados(); };

    anadir = Boton(this, "anadir", "Añadir proyecto", 8, 244, 121);
    anadir->OnClick = [this](TObject* s) { anadirClick(s); };
    Calcular = Boton(this, "Calcular", "Calcular ", 672, 300, 121);
    Calcular->OnClick = [this](TObject* s) { CalcularClick(s); };
    Informe = Boton(this, "Informe", "Generar Informe", 672, 340, 121);
    Informe->OnClick = [this](TObject* s) { InformeClick(s); };

    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetBounds(8, 282, 633, 105);
    GroupBox1->SetCaption("Resultados");
    EdTotalCalefaccion = Resultado(this, GroupBox1, "EdTotalCalefaccion", 360, 40);
    EdTotalRefrigeracion = Resultado(this, GroupBox1, "EdTotalRefrigeracion", 496, 40);
    EdPorcenCal = Resultado(this, GroupBox1, "EdPorcenCal", 360, 72);
    EdPorcenRef = Resultado(this, GroupBox1, "EdPorcenRef", 496, 72);
    Label1 = Rotulo(this, GroupBox1, "Label1", "% de la demanda de Referencia", 12, 44);
    Label2 =
        Rotulo(this, GroupBox1, "Label2", "Proporción relativa calefacción refrigeración", 12, 76);
    Label3 = Rotulo(this, GroupBox1, "Label3", "Calefacción", 360, 20);
    Label4 = Rotulo(this, GroupBox1, "Label4", "Refrigeración", 496, 20);

    dialogo = new TOpenDialog(this);
    dialogo->SetName("dialogo");
    dialogo->SetFilter("*.CTE|*.cte");
    Save = new TSaveDialog(this);
    Save->SetName("Save");
    Save->SetTitle("Guardar como");
    Save->SetFilter("PDF|*.PDF");
    Save->SetDefaultExt(".PDF");

    PrepararFila(1);
    EndLoading();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate(TObject*) {
    carpetaInicio = GetCurrentDir();
}

void TForm1::FormClose(TObject*, TCloseAction&) {
    proyectos.reset();
    calculado = 0;
}

void TForm1::PrepararFila(int fila) {
    BotonDeFila(kColBuscar, fila, "Buscar Proyecto");
    BotonDeFila(kColEliminar, fila, "Eliminar Proyecto");
    GridConPre->SetCells(kColMultiplicador, fila, "1");
}

void TForm1::BotonDeFila(int columna, int fila, const char* rotulo) {
    // Los botones son de 100 píxeles; con una letra más ancha que la de los formularios el
    // rótulo no cabría entero ("Eliminar Proye..."): el botón y su columna se ensanchan lo
    // justo para él, y la columna del proyecto cede lo mismo, para que la rejilla siga sin
    // barra de desplazamiento.
    TCanvas* lienzo = GridConPre->GetCanvas();
    lienzo->GetFont()->Assign(GridConPre->GetFont());
    const int ancho = std::max(100, lienzo->TextWidth(rotulo) + 12);
    const int falta = ancho + 4 - GridConPre->GetColWidths(columna);
    if (falta > 0) {
        GridConPre->SetColWidths(columna, ancho + 4);
        GridConPre->SetColWidths(kColProyecto, GridConPre->GetColWidths(kColProyecto) - falta);
    }
    GridConPre->AddButton(columna, fila, ancho, 20, rotulo, haLeft, vaTop);
}

void TForm1::anadirClick(TObject*) {
    GridConPre->AddRow();
    PrepararFila(GridConPre->GetRowCount() - 1);
}

void TForm1::GridConPreButtonClick(TObject*, int ACol, int ARow) {
    if (ACol == kColEliminar) {
        // La primera fila de proyecto se queda siempre.
        if (ARow != 1) GridConPre->RemoveRows(ARow, 1);
    } else if (ACol == kColBuscar) {
        dialogo->SetInitialDir(Directorios::Instancia()->RutaDatos(""));
        if (dialogo->Execute()) {
            GridConPre->SetCells(kColProyecto, ARow, dialogo->GetFiles()->GetStrings(0));
            ProyectosCambiados();
        }
    }
}

void TForm1::GridConPreClickCell(TObject*, int, int) {}

void TForm1::ValidarMultiplicadores() {
    std::vector<FilaPromedio> filas;
    for (int r = 1; r < GridConPre->GetRowCount(); ++r)
        filas.push_back({AnsiString(), GridConPre->GetCells(kColMultiplicador, r)});
    const std::vector<AnsiString> avisos = ::ValidarMultiplicadores(filas);
    for (int r = 1; r < GridConPre->GetRowCount(); ++r)
        GridConPre->SetCells(kColMultiplicador, r, filas[r - 1].multiplicador);
    for (const AnsiString& aviso : avisos)
        ShowMessage(aviso);
}

void TForm1::VaciarResultados() {
    for (TEdit* e : {EdTotalCalefaccion, EdTotalRefrigeracion, EdPorcenCal, EdPorcenRef})
        e->SetText("");
}

void TForm1::ProyectosCambiados() {
    // Los resultados a la vista y los del informe son siempre los de la rejilla que se ve.
    if (!proyectos && calculado == 0) return;
    calculado = 0;
    proyectos.reset();
    VaciarResultados();
}

void TForm1::CalcularClick(TObject*) {
    ValidarMultiplicadores();
    calculado = 0;
    VaciarResultados();

    // Una lista nueva con la tabla de códigos de la instalación.
    proyectos.reset();
    proyectos = std::make_unique<Proyectos>();
    std::vector<FilaPromedio> filas;
    for (int r = 1; r < GridConPre->GetRowCount(); ++r)
        filas.push_back(
            {GridConPre->GetCells(kColProyecto, r), GridConPre->GetCells(kColMultiplicador, r)});
    const ResultadoPromedio resultado = CalcularPromedio(*proyectos, filas, carpetaInicio);
    if (!resultado.completo) {
        ShowMessage(resultado.mensaje);
        return;
    }
    EdTotalCalefaccion->SetText(resultado.calefaccion);
    EdTotalRefrigeracion->SetText(resultado.refrigeracion);
    EdPorcenCal->SetText(resultado.proporcionCalefaccion);
    EdPorcenRef->SetText(resultado.proporcionRefrigeracion);
    calculado = 1;
}

void TForm1::InformeClick(TObject*) {
    // Sin un cálculo completo no hay nada que informar: se dice antes de pedir el fichero.
    if (!HayResultadosParaInforme(proyectos.get(), calculado != 0)) return;
    Save->SetInitialDir(Directorios::Instancia()->RutaDocumentos(""));
    if (!Save->Execute() || Save->GetFileName().IsEmpty()) return;
    const AnsiString fichero = Save->GetFileName();
    if (!EscribirInformePromedio(proyectos.get(), calculado != 0, fichero)) return;
    const auto abierto = reinterpret_cast<std::intptr_t>(
        ShellExecute(GetHandle(), "open", fichero.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED));
    // Sin un visor que lo abra, al menos se sabe dónde quedó.
    if (abierto <= 32)
        GetModalHooks().MessageBox("Informe guardado en " + DisplayPath(fichero), "Información",
                                   MB_OK | MB_ICONINFORMATION);
}
