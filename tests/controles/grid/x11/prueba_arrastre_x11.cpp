// A cell's text dragged from a grid of one process into an edit of another on an X server,
// the desktop's drag and drop between programs: xdotool presses the mouse on the cell, moves
// it in small steps to the edit and releases it there. This process holds the edit; a second
// process of this program holds the grid and says on its output what happens to it.
// Every step waits for its condition while messages are handled: each window has seen the
// pointer (it is mapped where the test thinks), the grid's drag has started, and the edit
// shows its drop caret (the drag over it was accepted, and that answer goes to the source
// before the release does).

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

    Proceso fuente = Lanzar({Ejecutable(), "--fuente"});
    ASSERT_GT(fuente.pid, 0);
    std::string salida;
    ASSERT_TRUE(EsperarAtendiendo([&] {
        Leer(fuente, salida);
        return salida.find('\n') != std::string::npos;
    }));
    int x = 0, y = 0;
    ASSERT_EQ(std::sscanf(salida.c_str(), "celda %d %d", &x, &y), 2) << salida;
    ASSERT_TRUE(MoverHastaQue(x, y, [&] {
        Leer(fuente, salida);
        return salida.find("visto\n") != std::string::npos;
    }));

    // Pressed on the selected cell; the drag starts past 3 pixels.
    ASSERT_TRUE(Xdotool({"mousedown", "1"}));
    ASSERT_TRUE(Mover(x + 6, y));
    ASSERT_TRUE(EsperarLinea(fuente, salida, "arrastrando"));
    const int pasos = 20;
    for (int i = 1; i <= pasos; ++i)
        ASSERT_TRUE(
            Mover(x + 6 + (destino.x - x - 6) * i / pasos, y + (destino.y - y) * i / pasos));
    ASSERT_TRUE(MoverHastaQue(destino.x, destino.y, [&] { return e->GetDropCaret().x >= 0; }));
    // The answer to the source leaves with the messages handled once more.
    Application->ProcessMessages();
    ASSERT_TRUE(Xdotool({"mouseup", "1"}));

    // Windows-1252 text: "Hormigón" has the byte F3.
    EXPECT_TRUE(EsperarAtendiendo([&] { return e->GetText() == "Muro: Hormig\xF3n armado"; }))
        << e->GetText().str();
    // A move: the cell is emptied in the other process.
    EXPECT_TRUE(EsperarLinea(fuente, salida, "celda vacia")) << salida;
    EXPECT_EQ(e->GetDropCaret().x, -1);
    // Closing its input ends the other process.
    EXPECT_EQ(Terminar(fuente), 0);
}

// The other process: a grid whose selected cell may be dragged out. It writes the cell's
// point on the screen, then "visto" when the pointer has come over the grid, "arrastrando"
// when a drag starts and "celda vacia" when the cell has lost its text; it ends when its
// input closes.
int Fuente() {
    TForm forma(nullptr);
    forma.SetBounds(0, 0, 400, 240);
    auto* g = new TKavStringGrid(&forma);
    g->SetParent(&forma);
    g->SetBounds(10, 10, 360, 180);
    g->SetColCount(3);
    g->SetRowCount(3);
    g->SetCells(1, 1, "Hormig\xF3n armado");
    g->GetDragDropSettings()->SetOleDropSource(true);
    g->SetCol(1);
    g->SetRow(1);
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
    const TRect r = g->CellRect(1, 1);
    const TPoint p = g->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    if (!decir("celda " + std::to_string(p.x) + " " + std::to_string(p.y))) return 1;
    fcntl(0, F_SETFL, O_NONBLOCK);
    bool vacia = false;
    char c;
    while (read(0, &c, 1) != 0) {
        Application->ProcessMessages();
        if (!vacia && g->GetCells(1, 1).IsEmpty()) vacia = decir("celda vacia");
        usleep(2000);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--fuente") == 0) return Fuente();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
