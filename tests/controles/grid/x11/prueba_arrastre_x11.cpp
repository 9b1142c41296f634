// Cells dragged from a grid of one process into an edit or a grid of another on an X server,
// the desktop's drag and drop between programs: xdotool presses the mouse on a cell, moves
// it in small steps to the target and releases it there. This process holds the target; a
// second process of this program holds the grid and says on its output what happens to it.
// Every step waits for its condition while messages are handled: each window has seen the
// pointer (it is mapped where the test thinks), the grid's drag has started, and the edit
// shows its drop caret or the grid its row arrow (the drag over it was accepted, and that
// answer goes to the source before the release does).

#include "controles/edit/kav_edit.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/kernel/application.h"
#include "tests/controles/grid/x11/procesos_x11.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Runs xdotool with the arguments and waits for its end, this program's messages handled.
bool Xdotool(const std::vector<std::string>& Argumentos) {
    std::vector<std::string> orden{"xdotool"};
    orden.insert(orden.end(), Argumentos.begin(), Argumentos.end());
    Proceso p = Lanzar(orden);
    if (p.pid <= 0) return false;
    std::string salida;
    const bool fin = EsperarAtendiendo([&] { return Leer(p, salida); });
    return fin && Terminar(p) == 0;
}

bool Mover(int X, int Y) {
    return Xdotool({"mousemove", std::to_string(X), std::to_string(Y)});
}

// Moves the pointer to the point (and one pixel beside it, in turn, so that every try is a
// motion) until Seen() holds: the window under it has had the event.
template <class F> bool MoverHastaQue(int X, int Y, F Seen) {
    for (int intento = 0; intento < 200; ++intento) {
        if (!Mover(X + intento % 2, Y)) return false;
        int vueltas = 0;
        if (EsperarAtendiendo([&] { return Seen() || ++vueltas > 50; }) && Seen()) return true;
    }
    return false;
}

// The other process's output, read while messages are handled, until it holds Linea.
bool EsperarLinea(Proceso& P, std::string& Salida, const std::string& Linea) {
    return EsperarAtendiendo([&] {
        Leer(P, Salida);
        return Salida.find(Linea + "\n") != std::string::npos;
    });
}

std::string Ejecutable() {
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    return n > 0 ? std::string(exe, static_cast<size_t>(n)) : std::string();
}

// A grid of 3 columns and 2 rows after its fixed ones, on a form at Left.
TKavStringGrid* RejillaEn(TForm& Forma, int Left) {
    Forma.SetBounds(Left, 0, 400, 240);
    auto* g = new TKavStringGrid(&Forma);
    g->SetParent(&Forma);
    g->SetBounds(10, 10, 360, 180);
    g->SetColCount(4);
    g->SetRowCount(3);
    return g;
}

// The middle of the grid's cell (1, 1) on the screen.
TPoint PrimeraCelda(TKavStringGrid* G) {
    const TRect r = G->CellRect(1, 1);
    return G->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
}

// The other process started with its argument; it says where its selected cell is on the
// screen, and the pointer is brought over it.
struct OtroProceso {
    Proceso proceso;
    std::string salida;
    int x = 0, y = 0;
};

bool LanzarFuente(const char* Argumento, OtroProceso& F) {
    F.proceso = Lanzar({Ejecutable(), Argumento});
    if (F.proceso.pid <= 0) return false;
    if (!EsperarAtendiendo([&] {
            Leer(F.proceso, F.salida);
            return F.salida.find('\n') != std::string::npos;
        }))
        return false;
    if (std::sscanf(F.salida.c_str(), "celda %d %d", &F.x, &F.y) != 2) return false;
    return MoverHastaQue(F.x, F.y, [&] {
        Leer(F.proceso, F.salida);
        return F.salida.find("visto\n") != std::string::npos;
    });
}

// Presses on the other process's cell, drags to Destino in small steps until Aceptado()
// holds there (the drag over it was taken), and releases.
template <class F> void Arrastrar(OtroProceso& Origen, TPoint Destino, F Aceptado) {
    // Pressed on the selected cell; the drag starts past 3 pixels.
    ASSERT_TRUE(Xdotool({"mousedown", "1"}));
    const int x = Origen.x, y = Origen.y;
    ASSERT_TRUE(Mover(x + 6, y));
    ASSERT_TRUE(EsperarLinea(Origen.proceso, Origen.salida, "arrastrando"));
    const int pasos = 20;
    for (int i = 1; i <= pasos; ++i)
        ASSERT_TRUE(
            Mover(x + 6 + (Destino.x - x - 6) * i / pasos, y + (Destino.y - y) * i / pasos));
    ASSERT_TRUE(MoverHastaQue(Destino.x, Destino.y, Aceptado));
    // The answer to the source leaves with the messages handled once more.
    Application->ProcessMessages();
    ASSERT_TRUE(Xdotool({"mouseup", "1"}));
}

TEST(ArrastreX11, ElTextoDeUnaCeldaPasaAlEditDeOtroProceso) {
    TForm forma(nullptr);
    forma.SetBounds(500, 0, 400, 100);
    auto* e = new TKavEdit(&forma);
    e->SetParent(&forma);
    e->SetBounds(10, 10, 300, 24);
    e->SetText("Muro: ");
    e->SetOleDropTarget(true);
    bool visto = false;
    e->OnMouseMove = [&](TObject*, TShiftState, int, int) { visto = true; };
    forma.Show();
    const TPoint destino = e->ClientToScreen(TPoint(280, 12));
    ASSERT_TRUE(MoverHastaQue(destino.x, destino.y, [&] { return visto; }));

    OtroProceso fuente;
    ASSERT_TRUE(LanzarFuente("--fuente", fuente)) << fuente.salida;
    Arrastrar(fuente, destino, [&] { return e->GetDropCaret().x >= 0; });
    if (HasFatalFailure()) return;

    // Windows-1252 text: "Hormigón" has the byte F3.
    EXPECT_TRUE(EsperarAtendiendo([&] { return e->GetText() == "Muro: Hormig\xF3n armado"; }))
        << e->GetText().str();
    // A move: the cell is emptied in the other process.
    EXPECT_TRUE(EsperarLinea(fuente.proceso, fuente.salida, "celda vacia")) << fuente.salida;
    EXPECT_EQ(e->GetDropCaret().x, -1);
    // Closing its input ends the other process.
    EXPECT_EQ(Terminar(fuente.proceso), 0);
}

// "Ωmega" (a character the code page lacks) and "fin" moved into a grid of this process:
// both cells land whole, and only then does the other process empty its own.
TEST(ArrastreX11, CeldasAnchasMovidasAOtraRejillaLleganConSusCaracteres) {
    TForm forma(nullptr);
    TKavStringGrid* g = RejillaEn(forma, 500);
    g->SetOptions(g->GetOptions() << goEditing);
    g->GetDragDropSettings()->SetOleDropTarget(true);
    bool visto = false;
    g->OnMouseMove = [&](TObject*, TShiftState, int, int) { visto = true; };
    forma.Show();
    const TPoint destino = PrimeraCelda(g);
    ASSERT_TRUE(MoverHastaQue(destino.x, destino.y, [&] { return visto; }));

    OtroProceso fuente;
    ASSERT_TRUE(LanzarFuente("--fuente-ancha", fuente)) << fuente.salida;
    // Taken over the cell: the grid shows the arrow of the row where it lands.
    Arrastrar(fuente, destino, [&] { return g->GetArrowWindow(arrLeft)->GetVisible(); });
    if (HasFatalFailure()) return;

    EXPECT_TRUE(EsperarAtendiendo([&] { return g->GetCells(2, 1) == "fin"; }))
        << g->GetCells(2, 1).str();
    EXPECT_EQ(g->GetWideCells(1, 1).str(), u"\u03A9mega");
    EXPECT_TRUE(EsperarLinea(fuente.proceso, fuente.salida, "celda vacia")) << fuente.salida;
    EXPECT_EQ(Terminar(fuente.proceso), 0);
}

// The other process: a grid whose selected cells may be dragged out ("Hormigón armado" in
// one cell, or with --fuente-ancha "Ωmega" and "fin" side by side). It writes the first
// cell's point on the screen, then "visto" when the pointer has come over the grid,
// "arrastrando" when a drag starts and "celda vacia" when the cells have lost their text; it
// ends when its input closes.
int Fuente(bool Anchas) {
    TForm forma(nullptr);
    TKavStringGrid* g = RejillaEn(forma, 0);
    if (Anchas) {
        g->SetWideCells(1, 1, WideString(u"\u03A9mega"));
        g->SetCells(2, 1, "fin");
    } else {
        g->SetCells(1, 1, "Hormig\xF3n armado");
    }
    g->GetDragDropSettings()->SetOleDropSource(true);
    g->SetSelection({1, 1, Anchas ? 2 : 1, 1});
    auto decir = [](const std::string& Linea) {
        const std::string l = Linea + "\n";
        return write(1, l.data(), l.size()) == static_cast<ssize_t>(l.size());
    };
    bool visto = false;
    g->OnMouseMove = [&](TObject*, TShiftState, int, int) {
        if (!visto) visto = decir("visto");
    };
    g->OnOleDragStart = [&](TObject*, int, int) { decir("arrastrando"); };
    forma.Show();
    Application->ProcessMessages();
    const TPoint p = PrimeraCelda(g);
    if (!decir("celda " + std::to_string(p.x) + " " + std::to_string(p.y))) return 1;
    fcntl(0, F_SETFL, O_NONBLOCK);
    bool vacia = false;
    char c;
    while (read(0, &c, 1) != 0) {
        Application->ProcessMessages();
        if (!vacia && g->GetCells(1, 1).IsEmpty() && g->GetCells(2, 1).IsEmpty())
            vacia = decir("celda vacia");
        usleep(2000);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--fuente") == 0) return Fuente(false);
    if (argc > 1 && std::strcmp(argv[1], "--fuente-ancha") == 0) return Fuente(true);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
