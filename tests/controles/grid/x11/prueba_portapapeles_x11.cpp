// The grid's clipboard as other programs see it, on an X server: xclip reads the text, the
// Unicode text and the HTML that a grid copies, and puts text that a grid pastes; a second
// process of this program copies cells (in the grid's own format, or as text with wide
// cells) and this one pastes them. On X11 the owner of the clipboard serves its data, so
// every wait here keeps the event loop running, and waits for what it needs itself: xclip's
// end, or the clipboard holding the other program's data (this process learns of a new
// owner by an event of its own, which may come after the other program has said it copied).

#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/services/clipboard.h"
#include "tests/controles/grid/celdas_anchas_prueba.h"
#include "tests/controles/grid/seleccion_prueba.h"
#include "tests/controles/grid/x11/procesos_x11.h"

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// What xclip reads from the clipboard in a type, this program serving it meanwhile.
std::string XclipLee(const char* Tipo) {
    Proceso p = Lanzar({"xclip", "-o", "-selection", "clipboard", "-t", Tipo});
    EXPECT_GT(p.pid, 0);
    std::string texto;
    EXPECT_TRUE(EsperarAtendiendo([&] { return Leer(p, texto); })) << Tipo;
    EXPECT_EQ(Terminar(p), 0) << Tipo;
    return texto;
}

// Whether another program owns the clipboard, as this process has been told.
bool OtroEsElDueno() {
    return !QGuiApplication::clipboard()->ownsClipboard();
}

std::string Ejecutable() {
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    return n > 0 ? std::string(exe, static_cast<size_t>(n)) : std::string();
}

class Rejilla : public TKavStringGrid {
public:
    explicit Rejilla(TWinControl* Parent) : TKavStringGrid(Parent) {
        SetParent(Parent);
        SetColCount(4);
        SetRowCount(4);
        SetOptions(GetOptions() << goEditing << goRangeSelect);
    }
    std::vector<TPoint> origenes;
    void PasteNotify(TPoint Origin, const TRect&, TClipOperation) override {
        origenes.push_back(Origin);
    }
};

class PortapapelesX11 : public ::testing::Test {
protected:
    void SetUp() override {
        forma = std::make_unique<TForm>(nullptr);
        forma->SetBounds(0, 0, 500, 300);
        forma->Show();
        g = new Rejilla(forma.get());
        g->SetBounds(0, 0, 400, 200);
    }
    std::unique_ptr<TForm> forma;
    Rejilla* g = nullptr;
};

TEST_F(PortapapelesX11, XclipLeeElTextoCopiado) {
    g->SetCells(1, 1, "Año");
    g->SetCells(2, 1, "5\" tubo");
    g->SetCells(1, 2, "uno\r\ndos");
    g->SetCells(2, 2, "2€");
    Seleccionar(g, 1, 1, 2, 2);
    g->CopySelectionToClipboard();
    // Other programs get UTF-8 with LF line ends.
    EXPECT_EQ(XclipLee("UTF8_STRING"), "A\xC3\xB1o\t\"5\"\" tubo\"\n\"uno\ndos\"\t2\xE2\x82\xAC\n");
}

TEST_F(PortapapelesX11, XclipLeeElHtml) {
    g->SetCells(1, 1, "Año");
    g->SetCells(2, 2, "2€");
    g->CopyToClipBoardAsHTML();
    // Other programs get the HTML from its start, in UTF-8, with the cells in its table.
    const std::string html = XclipLee("text/html");
    EXPECT_EQ(html.compare(0, 9, "<!DOCTYPE"), 0) << html;
    EXPECT_NE(html.find("<table"), std::string::npos) << html;
    EXPECT_NE(html.find("A\xC3\xB1o"), std::string::npos) << html;
    EXPECT_NE(html.find("2\xE2\x82\xAC"), std::string::npos) << html;
    EXPECT_NE(html.find("</html>"), std::string::npos) << html;
    // As text, the fragment with its header.
    EXPECT_EQ(XclipLee("UTF8_STRING").compare(0, 12, "Version:1.0\n"), 0);
}

TEST_F(PortapapelesX11, XclipLeeLasCeldasAnchas) {
    g->SetWideCells(1, 1, WideString(u"\u0416uk \u03A9"));
    g->SetCells(2, 1, "ñ");
    Seleccionar(g, 1, 1, 2, 1);
    g->CopySelectionToClipboard();
    EXPECT_EQ(XclipLee("UTF8_STRING"), "\xD0\x96uk \xCE\xA9\t\xC3\xB1");

    // Rows end with LF; in the cells CR LF is LF, lone CRs and LFs stay.
    PonerBloque(g, 1, 1, {{u"\u03A9\rcr", u"t\tab"}, {u"\"q\"", u"\u0416\r\n"}});
    g->CopySelectionToClipboard();
    EXPECT_EQ(XclipLee("UTF8_STRING"),
              "\"\xCE\xA9\rcr\"\t\"t\tab\"\n\"\"\"q\"\"\"\t\"\xD0\x96\n\"\n");
}

TEST_F(PortapapelesX11, LaRejillaPegaLoQuePoneXclip) {
    // UTF-8 from another program: "Ω" is not in the code page, so its cell becomes wide.
    Proceso p = Lanzar({"xclip", "-i", "-quiet", "-selection", "clipboard"});
    ASSERT_GT(p.pid, 0);
    const std::string texto = "uno\tdos\n\xCE\xA9mega\tfin\n";
    ASSERT_EQ(write(p.entrada, texto.data(), texto.size()), ssize_t(texto.size()));
    close(p.entrada);
    p.entrada = -1;
    // Until the clipboard holds xclip's text.
    ASSERT_TRUE(EsperarAtendiendo([&] {
        return OtroEsElDueno() && Clipboard()->GetAsText() == "uno\tdos\r\n?mega\tfin\r\n";
    }));
    Seleccionar(g, 1, 1, 1, 1);
    g->PasteSelectionFromClipboard();
    EXPECT_EQ(g->GetCells(1, 1), "uno");
    EXPECT_EQ(g->GetCells(2, 1), "dos");
    EXPECT_EQ(g->GetWideCells(1, 2).str(), u"\u03A9mega");
    EXPECT_EQ(g->GetCells(2, 2), "fin");
    kill(p.pid, SIGTERM);
    Terminar(p);
}

TEST_F(PortapapelesX11, FormatoPropioEntreDosProcesos) {
    g->GetNavigation()->SetAllowFmtClipboard(true);
    Proceso p = Lanzar({Ejecutable(), "--servir-celdas"});
    ASSERT_GT(p.pid, 0);
    // Until the clipboard holds the other process's cells.
    ASSERT_TRUE(EsperarAtendiendo([&] {
        return OtroEsElDueno() &&
               Clipboard()->HasFormat(static_cast<WORD>(GetGridClipboardFormat())) &&
               Clipboard()->GetAsText() == "\"celda\tcon tab\"\tY\r\n\troja\r\n";
    }));
    EXPECT_EQ(g->PasteFunc(1, 1), 4);
    EXPECT_EQ(g->GetCells(1, 1), "celda\tcon tab");
    EXPECT_EQ(g->GetCells(2, 2), "roja");
    EXPECT_EQ(g->GetColors(2, 2), clRed);
    bool marcada = false;
    EXPECT_TRUE(g->GetCheckBoxState(2, 1, marcada));
    EXPECT_TRUE(marcada);
    ASSERT_EQ(g->origenes.size(), 1u);
    EXPECT_EQ(g->origenes[0], TPoint(-1, -1));
    // Closing its input ends the other process.
    EXPECT_EQ(Terminar(p), 0);
}

TEST_F(PortapapelesX11, CeldasAnchasVuelvenExactasDesdeOtroProceso) {
    for (size_t k = 0; k < BloquesAnchos().size(); ++k) {
        SCOPED_TRACE(k);
        const BloqueAncho& celdas = BloquesAnchos()[k];
        // The Unicode text this block makes, to know the other process's copy when it comes.
        g->Clear();
        PonerBloque(g, 1, 1, celdas);
        g->CopySelectionToClipboard();
        const std::string unicode = Clipboard()->GetBuffer(CF_UNICODETEXT);
        ASSERT_FALSE(unicode.empty());

        Proceso p = Lanzar({Ejecutable(), "--servir-anchas", std::to_string(k)});
        ASSERT_GT(p.pid, 0);
        ASSERT_TRUE(EsperarAtendiendo(
            [&] { return OtroEsElDueno() && Clipboard()->GetBuffer(CF_UNICODETEXT) == unicode; }));
        g->Clear();
        EXPECT_EQ(g->PasteFunc(1, 1), CamposDelBloque(celdas));
        for (size_t y = 0; y < celdas.size(); ++y)
            for (size_t x = 0; x < celdas[y].size(); ++x)
                EXPECT_EQ(g->GetWideCells(1 + int(x), 1 + int(y)).str(), celdas[y][x])
                    << x << "," << y;
        EXPECT_EQ(Terminar(p), 0);
    }
}

// The second process: copies two by two cells in the grid's own format, or a block of wide
// cells as text, and serves the clipboard until its input closes.
int ServirCopia(const char* Que, const char* Bloque) {
    TForm forma(nullptr);
    forma.Show();
    Rejilla* g = new Rejilla(&forma);
    if (std::strcmp(Que, "--servir-celdas") == 0) {
        g->GetNavigation()->SetAllowFmtClipboard(true);
        g->SetCells(1, 1, "celda\tcon tab");
        g->AddCheckBox(2, 1, true, false);
        g->SetCells(2, 2, "roja");
        g->SetColors(2, 2, clRed);
        Seleccionar(g, 1, 1, 2, 2);
    } else {
        const size_t k = Bloque ? std::strtoul(Bloque, nullptr, 10) : BloquesAnchos().size();
        if (k >= BloquesAnchos().size()) return 2;
        PonerBloque(g, 1, 1, BloquesAnchos()[k]);
    }
    g->CopySelectionToClipboard();
    fcntl(0, F_SETFL, O_NONBLOCK);
    char c;
    EsperarAtendiendo([&] { return read(0, &c, 1) == 0; });
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strncmp(argv[1], "--servir-", 9) == 0)
        return ServirCopia(argv[1], argc > 2 ? argv[2] : nullptr);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
