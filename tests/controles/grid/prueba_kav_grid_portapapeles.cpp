// The grid's clipboard within one process: the text form (quoting undone by the paste), the
// grid's own format with cell properties between grids, rich text, growth and editability on
// paste, check boxes, the smart fill of a selection, the clipboard keys through the input
// simulator, and copy and paste of random blocks against a plain model.

#include "controles/comun/text_utils.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/streams.h"
#include "plataforma/gui/services/clipboard.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "tests/comun/ajustes_regionales.h"
#include "tests/controles/grid/celdas_anchas_prueba.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/controles/grid/seleccion_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

class RejillaAvisos : public Rejilla {
public:
    using Rejilla::Rejilla;
    struct Aviso {
        TPoint origen;
        TRect r;
        TClipOperation op;
    };
    std::vector<Aviso> avisos;
    void PasteNotify(TPoint Origin, const TRect& R, TClipOperation Op) override {
        avisos.push_back({Origin, R, Op});
    }
};

class Portapapeles : public ::testing::Test {
protected:
    void SetUp() override {
        ResetInputState();
        ventana = std::make_unique<VentanaPrueba>();
        ventana->SetBounds(0, 0, 800, 600);
        a = Nueva(5, 6);
        b = Nueva(5, 6);
        Clipboard()->Clear();
    }
    void TearDown() override {
        ventana.reset();
        ResetInputState();
    }
    // A grid of cols x rows with one fixed row and column, editable.
    RejillaAvisos* Nueva(int cols, int rows) {
        auto* g = new RejillaAvisos(ventana.get(), ventana.get());
        g->SetBounds(0, 0, 400, 250);
        g->SetColCount(cols);
        g->SetRowCount(rows);
        g->SetOptions(g->GetOptions() << goEditing << goRangeSelect);
        return g;
    }
    // Rows of a rectangle, cells joined by "|", rows by "/".
    static std::string Bloque(TKavStringGrid* g, int l, int t, int r, int b) {
        std::string s;
        for (int y = t; y <= b; ++y) {
            if (y > t) s += "/";
            for (int x = l; x <= r; ++x)
                s += (x > l ? "|" : "") + g->GetCells(x, y).str();
        }
        return s;
    }
    std::unique_ptr<VentanaPrueba> ventana;
    RejillaAvisos* a = nullptr;
    RejillaAvisos* b = nullptr;
};

// --- the text form ---

TEST_F(Portapapeles, TextoDeLaCopiaYSuPegadoDevuelvenLasMismasCeldas) {
    struct Caso {
        std::vector<std::vector<const char*>> celdas;
        const char* texto;
    } casos[] = {
        {{{"a", "b"}, {"c", "d"}}, "a\tb\r\nc\td\r\n"},
        {{{"a", "b"}}, "a\tb"},
        {{{"uno\r\ndos", "x"}}, "\"uno\r\ndos\"\tx"},
        {{{"con\ttab", "5\" tubo"}}, "\"con\ttab\"\t\"5\"\" tubo\""},
        {{{"\"entre\"", ""}, {"", "fin"}}, "\"\"\"entre\"\"\"\t\r\n\tfin\r\n"},
        {{{"Año 2€"}}, "Año 2€"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        const int filas = static_cast<int>(c.celdas.size());
        const int cols = static_cast<int>(c.celdas[0].size());
        for (int y = 0; y < filas; ++y)
            for (int x = 0; x < cols; ++x)
                a->SetCells(1 + x, 1 + y, c.celdas[y][x]);
        Seleccionar(a, 1, 1, cols, filas);
        a->CopySelectionToClipboard();
        EXPECT_EQ(Clipboard()->GetAsText(), c.texto);
        EXPECT_EQ(a->GetClipboardOrigin(), TPoint(1, 1));

        b->Clear();
        Seleccionar(b, 2, 2, 2, 2);
        b->PasteSelectionFromClipboard();
        EXPECT_EQ(Bloque(b, 2, 2, 1 + cols, 1 + filas), Bloque(a, 1, 1, cols, filas));
    }
}

TEST_F(Portapapeles, LineasComoByte11YHtmlSinEtiquetas) {
    a->SetMultilinecells(true);
    a->ClipboardCSVLineFeeds = true;
    a->SetCells(1, 1, "uno\r\ndos \"x\"");
    a->SetCells(2, 1, "<b>negrita</b>");
    a->GetNavigation()->SetCopyHTMLTagsToClipboard(false);
    Seleccionar(a, 1, 1, 2, 1);
    a->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard()->GetAsText(), "\"uno\x0B"
                                        "dos \"\"x\"\"\"\tnegrita");
    b->PasteText(1, 1, Clipboard()->GetAsText());
    EXPECT_EQ(b->GetCells(1, 1), "uno\r\ndos \"x\"");
    EXPECT_EQ(b->GetCells(2, 1), "negrita");
}

TEST_F(Portapapeles, TextoAjenoMalEntrecomilladoSePegaTalCual) {
    // A quote that does not close a field, or opens no field, is the cell's own text.
    EXPECT_EQ(b->PasteText(1, 1, "\"abierto\tx\r\n\"a\"b\t\"\""), 4);
    EXPECT_EQ(Bloque(b, 1, 1, 2, 2), "\"abierto|x/\"a\"b|");
}

TEST_F(Portapapeles, PegarCreceAntesDeEscribirYNuncaMasAllaDeLaRejilla) {
    // Three columns at the last column, two rows at the last row.
    const AnsiString texto = "a1\ta2\ta3\r\nb1\tb2\tb3\r\n";
    EXPECT_EQ(b->PasteText(4, 5, texto), 7);
    EXPECT_EQ(b->GetColCount(), 7);
    EXPECT_EQ(b->GetRowCount(), 7);
    EXPECT_EQ(Bloque(b, 4, 5, 6, 6), "a1|a2|a3/b1|b2|b3");

    RejillaAvisos* g = Nueva(5, 6);
    g->GetNavigation()->SetAllowClipboardColGrow(false);
    g->GetNavigation()->SetAllowClipboardRowGrow(false);
    EXPECT_EQ(g->PasteText(4, 5, texto), 7);
    EXPECT_EQ(g->GetColCount(), 5);
    EXPECT_EQ(g->GetRowCount(), 6);
    EXPECT_EQ(Bloque(g, 3, 4, 4, 5), "|/|a1");
    // The cells past the grid's edge hold nothing, also after it grows.
    g->SetColCount(7);
    g->SetRowCount(7);
    EXPECT_EQ(Bloque(g, 4, 5, 6, 6), "a1||/||");
}

TEST_F(Portapapeles, LaFilaDelPieFijoNoRecibeTexto) {
    b->GetFloatingFooter()->SetVisible(true);
    b->GetNavigation()->SetAllowClipboardRowGrow(false);
    b->SetCells(1, 5, "pie");
    b->PasteText(1, 4, "x\r\ny\r\n");
    EXPECT_EQ(b->GetCells(1, 4), "x");
    EXPECT_EQ(b->GetRowCount(), 6);
    b->GetNavigation()->SetAllowClipboardRowGrow(true);
    b->PasteText(1, 4, "x\r\ny\r\n");
    EXPECT_EQ(b->GetRowCount(), 7);
    EXPECT_EQ(b->GetCells(1, 5), "y");
}

TEST_F(Portapapeles, CeldasDeSoloLecturaYRejillaSinEdicion) {
    b->GetCellProperties(2, 1)->SetReadOnly(true);
    EXPECT_EQ(b->PasteText(1, 1, "a\tb\tc"), 3);
    EXPECT_EQ(Bloque(b, 1, 1, 3, 1), "a||c");
    b->GetNavigation()->SetAllowClipboardAlways(true);
    b->PasteText(1, 1, "a\tb\tc");
    EXPECT_EQ(Bloque(b, 1, 1, 3, 1), "a|b|c");

    RejillaAvisos* g = Nueva(4, 4);
    g->SetOptions(g->GetOptions() >> goEditing);
    EXPECT_EQ(g->PasteText(1, 1, "a\tb"), 0);
    EXPECT_EQ(g->GetCells(1, 1), "");
    g->GetNavigation()->SetAllowClipboardAlways(true);
    EXPECT_EQ(g->PasteText(1, 1, "a\tb"), 2);
    EXPECT_EQ(g->GetCells(2, 1), "b");
    EXPECT_EQ(g->PasteText(-1, 1, "a"), 0);
}

TEST_F(Portapapeles, EventosAntesDePegarCadaCelda) {
    b->OnClipboardBeforePasteCell = [](TObject*, int c, int, AnsiString& v, bool& allow) {
        if (c == 2) allow = false;
        v = v + "!";
    };
    std::vector<std::u16string> anchas;
    b->OnClipboardBeforePasteWideCell = [&](TObject*, int, int, WideString& v, bool&) {
        anchas.push_back(v.str());
        v = WideString(v.str() + u"\u03A9");
    };
    // Text from another program: the field with a character the code page lacks is wide.
    const std::u16string texto = u"a\tb\t\u0416a";
    Clipboard()->SetBuffer(CF_UNICODETEXT, texto.data(), static_cast<int>(texto.size() * 2));
    EXPECT_EQ(b->PasteFunc(1, 1), 3);
    EXPECT_EQ(Bloque(b, 1, 1, 2, 1), "a!|");
    EXPECT_EQ(anchas, std::vector<std::u16string>{u"\u0416a"});
    EXPECT_EQ(b->GetWideCells(3, 1).str(), u"\u0416a\u03A9");
}

TEST_F(Portapapeles, CasillaRecibeElEstado) {
    b->AddCheckBox(1, 1, false, false);
    b->AddCheckBox(2, 1, true, false);
    b->SetCheckTrueText("S");
    b->PasteText(1, 1, "S\tno");
    bool estado = false;
    ASSERT_TRUE(b->GetCheckBoxState(1, 1, estado));
    EXPECT_TRUE(estado);
    ASSERT_TRUE(b->GetCheckBoxState(2, 1, estado));
    EXPECT_FALSE(estado);
}

TEST_F(Portapapeles, TamanoDelTexto) {
    struct Caso {
        const char* texto;
        TPoint tam;
    } casos[] = {
        {"a\tb\r\nc\td", {2, 1}},
        {"a\tb\r\nc\td\r\n", {2, 2}},
        {"a\r\n\r\nb\tc\td\r\n", {3, 2}},
        {"\"x\r\ny\"\tz\r\n", {2, 1}},
        {"", {0, 0}},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(a->PasteSize(c.texto), c.tam) << c.texto;
}

// --- Unicode text ---

TEST_F(Portapapeles, CeldasAnchasComoTextoUnicode) {
    a->SetWideCells(1, 1, WideString(u"\u0416uk \u03A9"));
    a->SetCells(2, 1, "ñ");
    Seleccionar(a, 1, 1, 2, 1);
    a->CopySelectionToClipboard();
    const std::string u = Clipboard()->GetBuffer(CF_UNICODETEXT);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(u.data()), u.size() / 2),
              u"\u0416uk \u03A9\t\u00F1");
    b->PasteFunc(1, 1);
    EXPECT_EQ(b->GetWideCells(1, 1).str(), u"\u0416uk \u03A9");
    EXPECT_EQ(b->GetCells(2, 1), "ñ");
}

// A character the code page lacks is a "?" in the 8-bit text: the paste looks at the
// Unicode text whenever the 8-bit one holds a "?", and makes wide cells only of the fields
// that need them; a "?" of its own stays a "?".
TEST_F(Portapapeles, InterrogacionesPropiasYLetrasQueElCodigoNoTiene) {
    struct Caso {
        const char* nombre;
        std::u16string unicode; // empty: only 8-bit text
        const char* texto;
        std::u16string primera, segunda;
        bool segundaAncha;
    };
    const Caso casos[] = {
        {"unicode sin letras ajenas", u"¿a?	b", "", u"¿a?", u"b", false},
        {"unicode con una letra ajena", u"a?	Ж?", "", u"a?", u"Ж?", true},
        {"solo texto de 8 bits", u"", "x?	?", u"x?", u"?", false},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        b->Clear();
        if (c.unicode.empty())
            Clipboard()->SetAsText(c.texto);
        else
            Clipboard()->SetBuffer(CF_UNICODETEXT, c.unicode.data(),
                                   static_cast<int>(c.unicode.size() * 2));
        EXPECT_EQ(b->PasteFunc(1, 1), 2);
        EXPECT_EQ(b->GetWideCells(1, 1).str(), c.primera);
        EXPECT_EQ(b->GetWideCells(2, 1).str(), c.segunda);
        EXPECT_EQ(b->GetCells(2, 1).str().compare(0, 2, "|\\") == 0, c.segundaAncha);
        EXPECT_EQ(b->GetCells(1, 1), WideString(c.primera).ToAnsiString());
    }
}

TEST_F(Portapapeles, BloquesConCeldasAnchasVuelvenExactos) {
    // The paste reads the block's Unicode text.
    for (const BloqueAncho& celdas : BloquesAnchos()) {
        a->Clear();
        PonerBloque(a, 1, 1, celdas);
        a->CopySelectionToClipboard();
        b->Clear();
        EXPECT_EQ(b->PasteFunc(2, 2), CamposDelBloque(celdas));
        for (size_t y = 0; y < celdas.size(); ++y)
            for (size_t x = 0; x < celdas[y].size(); ++x) {
                SCOPED_TRACE(testing::Message() << x << "," << y << " de " << celdas.size() << "x"
                                                << celdas[0].size());
                const int bx = 2 + static_cast<int>(x), by = 2 + static_cast<int>(y);
                EXPECT_EQ(b->GetWideCells(bx, by).str(), celdas[y][x]);
                EXPECT_EQ(b->GetCells(bx, by).str(), a->GetCells(bx - 1, by - 1).str());
            }
    }
}

// --- the grid's own format ---

TEST_F(Portapapeles, FormatoPropioLlevaPropiedadesYAvisaElOrigen) {
    for (RejillaAvisos* g : {a, b})
        g->GetNavigation()->SetAllowFmtClipboard(true);
    a->SetCells(1, 1, "x\ty");
    a->SetCells(2, 2, "z");
    a->SetColors(2, 2, clRed);
    a->GetCellProperties(3, 1)->SetReadOnly(true);
    a->SetCells(3, 1, "fijo");
    Seleccionar(a, 1, 1, 3, 2);
    a->CopySelectionToClipboard();
    EXPECT_TRUE(Clipboard()->HasFormat(static_cast<WORD>(GetGridClipboardFormat())));

    EXPECT_EQ(b->PasteFunc(2, 3), 6);
    EXPECT_EQ(Bloque(b, 2, 3, 4, 4), "x\ty||fijo/|z|");
    EXPECT_EQ(b->GetColors(3, 4), clRed);
    ASSERT_EQ(b->avisos.size(), 1u);
    EXPECT_EQ(b->avisos[0].origen, TPoint(-1, -1));
    EXPECT_EQ(b->avisos[0].r, TRect(2, 3, 4, 4));

    // Pasted into the grid it came from, the origin is known.
    a->PasteFunc(1, 3);
    ASSERT_EQ(a->avisos.size(), 1u);
    EXPECT_EQ(a->avisos[0].origen, TPoint(1, 1));
    EXPECT_EQ(a->avisos[0].op, coCopy);

    // Cut: the read-only cell keeps text and mark, the others are emptied and freed.
    a->CutSelectionToClipboard();
    EXPECT_EQ(a->GetLastClipOperation(), coCut);
    EXPECT_EQ(Bloque(a, 1, 1, 3, 2), "||fijo/||");
    EXPECT_TRUE(a->GetReadOnly(3, 1));
    EXPECT_EQ(a->GetColors(2, 2), clNone);
    b->avisos.clear();
    b->PasteFunc(1, 1);
    EXPECT_EQ(b->GetColors(2, 2), clRed);
    ASSERT_EQ(b->avisos.size(), 1u);
    EXPECT_EQ(b->avisos[0].origen, TPoint(-1, -1));
}

TEST_F(Portapapeles, FormatoPropioCaeDondeSePegaYSoloSobreSuBloque) {
    b->GetNavigation()->SetAllowFmtClipboard(true);
    a->GetNavigation()->SetAllowFmtClipboard(true);
    // The block's first cell is empty; the whole of the normal cells is copied.
    a->SetCells(2, 1, "x");
    a->SetCells(1, 2, "y");
    a->SetCells(4, 5, "z");
    RejillaAvisos* g = Nueva(9, 9);
    g->GetNavigation()->SetAllowFmtClipboard(true);
    for (int y = 1; y < 9; ++y)
        for (int x = 1; x < 9; ++x)
            g->SetCells(x, y, "v");
    a->CopyToClipBoard();
    EXPECT_EQ(g->PasteFunc(3, 3), 20);
    EXPECT_EQ(g->GetColCount(), 9);
    EXPECT_EQ(g->GetRowCount(), 9);
    EXPECT_EQ(Bloque(g, 2, 2, 8, 8), "v|v|v|v|v|v|v/"
                                     "v||x|||v|v/"
                                     "v|y||||v|v/"
                                     "v|||||v|v/"
                                     "v|||||v|v/"
                                     "v||||z|v|v/"
                                     "v|v|v|v|v|v|v");
}

TEST_F(Portapapeles, CortarTodoDejaLasCeldasQueNoSePuedenEditar) {
    for (int y = 1; y < 6; ++y)
        for (int x = 1; x < 5; ++x)
            a->SetCells(x, y, "v");
    a->GetCellProperties(2, 3)->SetReadOnly(true);
    a->CutToClipboard();
    EXPECT_EQ(a->GetLastClipOperation(), coCut);
    EXPECT_EQ(Bloque(a, 1, 2, 4, 3), "|||/|v||");
    EXPECT_EQ(Clipboard()->GetAsText().str().substr(0, 9), "v\tv\tv\tv\r\n");
    a->CopyToClipBoard();
    EXPECT_EQ(a->GetLastClipOperation(), coCopy);
}

TEST_F(Portapapeles, DatosPropiosDanadosSeRechazan) {
    b->GetNavigation()->SetAllowFmtClipboard(true);
    a->SetCells(1, 1, "x");
    TMemoryStream m;
    a->SaveRectToBinStream(TRect(1, 1, 2, 2), &m);
    std::string bytes = m.Bytes();
    for (size_t corte : {size_t(3), bytes.size() / 2}) {
        Clipboard()->SetBuffer(static_cast<WORD>(GetGridClipboardFormat()), bytes.data(),
                               static_cast<int>(corte));
        EXPECT_THROW(b->PasteFunc(1, 1), EKavGridError) << corte;
    }
    EXPECT_TRUE(OpenClipboard(nullptr)) << "the clipboard stays closed after the error";
    CloseClipboard();
}

// A text pasted across a merged block leaves in it the field that falls on its base cell;
// the field that falls on a covered cell is dropped, the fields after it land in place.
TEST_F(Portapapeles, TextoPegadoSobreUnBloqueFundido) {
    a->MergeCells(2, 2, 2, 1);
    a->PasteText(2, 2, "a\tb\tc");
    EXPECT_EQ(a->GetCellEx(2, 2), "a");
    EXPECT_EQ(a->GetCells(3, 2), "");
    EXPECT_EQ(a->GetCells(4, 2), "c");
}

TEST_F(Portapapeles, TextoEnriquecido) {
    for (RejillaAvisos* g : {a, b})
        g->GetNavigation()->SetAllowRTFClipboard(true);
    const AnsiString rtf = "{\\rtf1\\ansi {\\b Hola} mundo}";
    a->SetCells(1, 1, rtf);
    a->SetCells(2, 1, "x");
    Seleccionar(a, 1, 1, 2, 1);
    a->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard()->GetAsText().str().substr(0, 10), "Hola mundo");
    EXPECT_EQ(b->PasteFunc(2, 2), 0);
    EXPECT_EQ(b->GetCells(2, 2), rtf);
    // A block that does not start with rich text carries none.
    Seleccionar(a, 2, 1, 2, 1);
    a->CopySelectionToClipboard();
    EXPECT_FALSE(
        Clipboard()->HasFormat(static_cast<WORD>(RegisterClipboardFormat("Rich Text Format"))));
}

TEST_F(Portapapeles, HtmlComoFragmentoYComoTexto) {
    a->SetCells(1, 1, "Año <1>");
    a->GetNavigation()->SetAllowFmtClipboard(true);
    a->CopyToClipBoard();
    ASSERT_TRUE(Clipboard()->HasFormat(static_cast<WORD>(GetGridClipboardFormat())));
    a->CopyToClipBoardAsHTML();
    EXPECT_EQ(a->GetLastClipOperation(), coCopy);
    const std::string html =
        Clipboard()->GetBuffer(static_cast<WORD>(RegisterClipboardFormat("HTML Format")));
    EXPECT_EQ(Clipboard()->GetAsText().str(), html);
    ASSERT_EQ(html.compare(0, 12, "Version:1.0\r"), 0) << html;
    // The offsets of the header point at the HTML and at the table.
    auto offset = [&](const char* campo) {
        const size_t p = html.find(campo);
        return p == std::string::npos ? std::string::npos
                                      : std::stoul(html.substr(p + std::strlen(campo), 8));
    };
    EXPECT_EQ(html.compare(offset("StartHTML:"), 9, "<!DOCTYPE"), 0);
    EXPECT_EQ(offset("EndHTML:"), html.size());
    const std::string tabla =
        html.substr(offset("StartFragment:"), offset("EndFragment:") - offset("StartFragment:"));
    EXPECT_EQ(tabla, a->SaveToHTMLString().str());
    EXPECT_NE(tabla.find("Año &lt;1&gt;"), std::string::npos) << tabla;
    // Another grid's own format is gone: the HTML replaced what the clipboard held.
    EXPECT_FALSE(Clipboard()->HasFormat(static_cast<WORD>(GetGridClipboardFormat())));
}

// --- disjunct rows and merged cells ---

TEST_F(Portapapeles, FilasSueltasSeCopianYSeCortanEnteras) {
    a->GetMouseActions()->SetDisjunctRowSelect(true);
    for (int y = 1; y < 6; ++y)
        a->SetCells(1, y, AnsiString(std::to_string(y)));
    a->SetRowSelect(2, true);
    a->SetRowSelect(4, true);
    a->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard()->GetAsText(), "2\t\t\t\r\n4\t\t\t\r\n");
    a->CutSelectionToClipboard();
    EXPECT_EQ(Bloque(a, 1, 1, 1, 5), "1//3//5");
}

TEST_F(Portapapeles, LaSeleccionSeEnsanchaSobreCeldasUnidas) {
    a->MergeCells(1, 1, 2, 2);
    a->MergeCells(3, 3, 2, 2);
    Seleccionar(a, 2, 2, 3, 3);
    a->CorrectSelection();
    const TGridRect s = a->GetSelection();
    EXPECT_EQ(TRect(s.Left, s.Top, s.Right, s.Bottom), TRect(1, 1, 4, 4));
}

// --- the smart fill of a selection ---

TEST_F(Portapapeles, RellenoInteligenteDeLaSeleccion) {
    AjustesRegionales regional(',', '.', '/', "dd/MM/yyyy");
    struct Caso {
        const char* nombre;
        const char* texto;
        int l, t, r, bb;
        const char* esperado;
    } casos[] = {
        {"un valor", "7", 1, 1, 1, 5, "7/7/7/7/7"},
        {"un valor en fila", "7", 1, 1, 3, 1, "7|7|7"},
        {"enteros", "1\r\n2\r\n", 1, 1, 1, 5, "1/2/3/4/5"},
        {"enteros a la baja en fila", "10\t7", 1, 1, 4, 1, "10|7|4|1"},
        {"decimales", "0,5\r\n1,25\r\n", 1, 1, 1, 4, "0,50/1,25/2,00/2,75"},
        {"dias", "30/01/2024\r\n31/01/2024\r\n", 1, 1, 1, 4,
         "30/01/2024/31/01/2024/01/02/2024/02/02/2024"},
        {"dias hacia atras", "02/03/2024\r\n01/03/2024\r\n", 1, 1, 1, 4,
         "02/03/2024/01/03/2024/29/02/2024/28/02/2024"},
        {"meses al final del mes", "31/03/2023\r\n31/05/2023\r\n", 1, 1, 1, 5,
         "31/03/2023/31/05/2023/31/07/2023/30/09/2023/30/11/2023"},
        {"horas", "10:00:00\r\n10:30:00\r\n", 1, 1, 1, 3, "10:00:00/10:30:00/11:00:00"},
        {"entero que se desborda", "2147483646\r\n2147483647\r\n", 1, 1, 1, 4,
         "2147483646/2147483647/viejo/viejo"},
        {"bloque", "a\r\nb\r\n", 1, 1, 1, 5, "a/b/a/b/a"},
        {"bloque en fila", "a\tb", 1, 1, 4, 1, "a|b|a|b"},
        {"texto con coma se repite", "Madrid, España\r\nSevilla\r\n", 1, 1, 1, 4,
         "Madrid, España/Sevilla/Madrid, España/Sevilla"},
        {"bloque que llena la seleccion", "1\t2\r\n3\t4\r\n", 1, 1, 2, 2, "1|2/3|4"},
        // What the paste wrote, with or without a last line break.
        {"enteros sin salto final", "1\r\n2", 1, 1, 1, 4, "1/2/3/4"},
        {"columna que llena la seleccion", "1\r\n2\r\n5", 1, 1, 1, 3, "1/2/5"},
        {"bloque sin salto final", "a\r\nb", 1, 1, 1, 5, "a/b/a/b/a"},
        {"fila con salto final", "a\tb\r\n", 1, 1, 4, 1, "a|b|a|b"},
        {"un valor con salto final", "7\r\n", 1, 1, 1, 3, "7/7/7"},
        {"meses desde el principio", "31/01/2023\r\n31/03/2023", 1, 1, 1, 7,
         "31/01/2023/31/03/2023/31/05/2023/31/07/2023/30/09/2023/30/11/2023/31/01/2024"},
        {"anos de un 29 de febrero a otro", "29/02/2024\r\n29/02/2028", 1, 1, 1, 3,
         "29/02/2024/29/02/2028/29/02/2032"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        RejillaAvisos* g = Nueva(6, 9);
        g->GetNavigation()->SetAllowSmartClipboard(true);
        g->SetFloatFormat("%.2f");
        // Old values under the selection must all be replaced.
        for (int x = c.l; x <= c.r; ++x)
            for (int y = c.t; y <= c.bb; ++y)
                g->SetCells(x, y, "viejo");
        Clipboard()->SetAsText(c.texto);
        Seleccionar(g, c.l, c.t, c.r, c.bb);
        g->PasteSelectionFromClipboard();
        EXPECT_EQ(Bloque(g, c.l, c.t, c.r, c.bb), c.esperado);
        // Nothing outside the selection.
        EXPECT_EQ(Bloque(g, 1, c.bb + 1, 5, c.bb + 1), "||||");
    }
}

TEST_F(Portapapeles, RellenoInteligenteDesdeElFormatoPropio) {
    // The block copied from another grid in the grid's own format: the fill follows the
    // cells the paste wrote, as with text.
    struct Caso {
        const char* nombre;
        std::vector<const char*> origen; // a column, or a row with enFila
        bool enFila;
        int largo; // cells of the selection along the same line
        const char* esperado;
    } casos[] = {
        {"bloque en columna", {"a", "b"}, false, 5, "a/b/a/b/a"},
        {"serie en columna", {"1", "2"}, false, 4, "1/2/3/4"},
        {"columna que llena la seleccion", {"1", "2", "5"}, false, 3, "1/2/5"},
        {"bloque en fila", {"a", "b", "c"}, true, 5, "a|b|c|a|b"},
        {"un valor", {"7"}, false, 3, "7/7/7"},
        {"meses",
         {"31/01/2023", "31/03/2023"},
         false,
         4,
         "31/01/2023/31/03/2023/31/05/2023/31/07/2023"},
    };
    AjustesRegionales regional(',', '.', '/', "dd/MM/yyyy");
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        RejillaAvisos* o = Nueva(7, 7);
        RejillaAvisos* d = Nueva(7, 7);
        o->GetNavigation()->SetAllowFmtClipboard(true);
        d->GetNavigation()->SetAllowFmtClipboard(true);
        d->GetNavigation()->SetAllowSmartClipboard(true);
        const int n = static_cast<int>(c.origen.size());
        for (int i = 0; i < n; ++i)
            o->SetCells(c.enFila ? 1 + i : 1, c.enFila ? 1 : 1 + i, c.origen[i]);
        Seleccionar(o, 1, 1, c.enFila ? n : 1, c.enFila ? 1 : n);
        o->CopySelectionToClipboard();
        const int r = c.enFila ? c.largo : 1, b2 = c.enFila ? 1 : c.largo;
        for (int x = 1; x <= r; ++x)
            for (int y = 1; y <= b2; ++y)
                d->SetCells(x, y, "viejo");
        Seleccionar(d, 1, 1, r, b2);
        d->PasteSelectionFromClipboard();
        EXPECT_EQ(Bloque(d, 1, 1, r, b2), c.esperado);
    }
}

TEST_F(Portapapeles, AmbasFormasDePegarRespetanLasMismasCeldas) {
    // The text and the grid's own format write the same cells: not a read-only one, not the
    // floating footer's row, not a fixed right column.
    enum Peligro { SoloLectura, FilaDelPie, ColumnaFijaDerecha };
    struct Caso {
        const char* nombre;
        Peligro peligro;
        int x, y; // the cell that must keep its text
    } casos[] = {
        {"solo lectura", SoloLectura, 2, 2},
        {"fila del pie", FilaDelPie, 2, 5},
        {"columna fija a la derecha", ColumnaFijaDerecha, 4, 2},
    };
    for (const Caso& c : casos)
        for (bool propio : {false, true}) {
            SCOPED_TRACE(std::string(c.nombre) + (propio ? " (formato propio)" : " (texto)"));
            RejillaAvisos* o = Nueva(5, 6);
            RejillaAvisos* d = Nueva(5, 6);
            o->GetNavigation()->SetAllowFmtClipboard(propio);
            d->GetNavigation()->SetAllowFmtClipboard(propio);
            for (RejillaAvisos* g : {o, d}) {
                g->GetNavigation()->SetAllowClipboardColGrow(false);
                g->GetNavigation()->SetAllowClipboardRowGrow(false);
            }
            for (int x = 1; x <= 4; ++x)
                for (int y = 1; y <= 5; ++y) {
                    o->SetCells(x, y, AnsiString("n") + AnsiString(x) + AnsiString(y));
                    d->SetCells(x, y, "viejo");
                }
            if (c.peligro == SoloLectura) d->GetCellProperties(2, 2)->SetReadOnly(true);
            if (c.peligro == FilaDelPie) d->GetFloatingFooter()->SetVisible(true);
            if (c.peligro == ColumnaFijaDerecha) d->SetFixedRightCols(1);
            Seleccionar(o, 1, 1, 4, 5);
            o->CopySelectionToClipboard();
            d->PasteFunc(1, 1);
            EXPECT_EQ(d->GetCells(c.x, c.y), "viejo");
            // The others took the block.
            EXPECT_EQ(d->GetCells(1, 1), "n11");
            EXPECT_EQ(d->GetCells(3, 4), "n34");
            EXPECT_EQ(d->GetColCount(), 5);
            EXPECT_EQ(d->GetRowCount(), 6);
        }
}

TEST_F(Portapapeles, ElTextoQueCreceDejaLaColumnaFijaDerechaAlFinal) {
    b->SetFixedRightCols(1);
    b->SetCells(4, 1, "total");
    b->PasteText(3, 1, "a\tb\tc");
    EXPECT_EQ(b->GetColCount(), 7);
    EXPECT_EQ(Bloque(b, 3, 1, 6, 1), "a|b|c|total");
}

TEST_F(Portapapeles, RellenoInteligenteSaltaCeldasYPreguntaPorCadaUna) {
    b->GetNavigation()->SetAllowSmartClipboard(true);
    b->GetCellProperties(1, 3)->SetReadOnly(true);
    std::vector<int> preguntadas;
    b->OnClipboardBeforePasteCell = [&](TObject*, int, int r, AnsiString&, bool& allow) {
        preguntadas.push_back(r);
        allow = r != 4;
    };
    Clipboard()->SetAsText("1\r\n2\r\n");
    Seleccionar(b, 1, 1, 1, 5);
    b->PasteSelectionFromClipboard();
    // The series advances also over the cells it skips.
    EXPECT_EQ(Bloque(b, 1, 1, 1, 5), "1/2///5");

    Clipboard()->SetAsText("S");
    b->avisos.clear();
    preguntadas.clear();
    Seleccionar(b, 2, 1, 2, 3);
    b->AddCheckBox(2, 1, true, false);
    b->SetCheckTrueText("S");
    b->OnClipboardBeforePasteCell = nullptr;
    b->PasteSelectionFromClipboard();
    // One value: a checked box gives its true text to the others.
    EXPECT_EQ(Bloque(b, 2, 2, 2, 3), "S/S");
    EXPECT_EQ(b->avisos.size(), 4u); // the text paste, then each cell of the fill
}

// --- the keys ---

TEST_F(Portapapeles, TeclasDelPortapapelesConSusEventos) {
    b->SetFocus();
    b->GetNavigation()->SetAllowClipboardShortCuts(true);
    b->SetCells(1, 1, "uno");
    b->SetCells(2, 1, "dos");
    std::string eventos;
    bool permitir = true;
    auto evento = [&](char letra) {
        return [&, letra](TObject*, bool& allow) {
            eventos += letra;
            allow = permitir;
        };
    };
    b->OnClipboardCopy = evento('C');
    b->OnClipboardCut = evento('X');
    b->OnClipboardPaste = evento('V');
    struct Caso {
        WORD tecla;
        TShiftState shift;
        char evento;
    } casos[] = {
        {'C', {ssCtrl}, 'C'},        {VK_INSERT, {ssCtrl}, 'C'}, {'X', {ssCtrl}, 'X'},
        {VK_DELETE, {ssShift}, 'X'}, {'V', {ssCtrl}, 'V'},       {VK_INSERT, {ssShift}, 'V'},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.tecla);
        for (bool permitido : {false, true}) {
            permitir = permitido;
            eventos.clear();
            Clipboard()->SetAsText("antes");
            b->SetCells(1, 1, "uno");
            b->SetCol(1);
            b->SetRow(1);
            SimulateKeyStroke(c.tecla, c.shift);
            EXPECT_EQ(eventos, std::string(1, c.evento));
            const bool cambiaPortapapeles = permitido && c.evento != 'V';
            EXPECT_EQ(Clipboard()->GetAsText(), cambiaPortapapeles ? "uno" : "antes");
            const char* celda = !permitido        ? "uno"
                                : c.evento == 'X' ? ""
                                : c.evento == 'V' ? "antes"
                                                  : "uno";
            EXPECT_EQ(b->GetCells(1, 1), celda);
            EXPECT_EQ(b->GetRowCount(), 6) << "Shift+Delete deletes no row";
        }
    }
    EXPECT_FALSE(b->GetEditorMode());

    // Without the option the keys do nothing of the clipboard.
    b->GetNavigation()->SetAllowClipboardShortCuts(false);
    eventos.clear();
    SimulateKeyStroke('C', {ssCtrl});
    EXPECT_EQ(eventos, "");
}

TEST_F(Portapapeles, CtrlCNoEscribeCaracterEnLaCelda) {
    b->SetFocus();
    b->GetNavigation()->SetAllowClipboardShortCuts(true);
    b->GetMouseActions()->SetRangeSelectAndEdit(true);
    b->SetCol(2);
    b->SetRow(2);
    b->SetCells(2, 2, "valor");
    for (WORD tecla : {WORD('C'), WORD('X'), WORD('V')}) {
        Clipboard()->SetAsText("valor");
        SimulateKeyStroke(tecla, {ssCtrl});
        EXPECT_FALSE(b->GetEditorMode()) << tecla;
        EXPECT_EQ(b->GetCells(2, 2).str().find_first_of(""), std::string::npos);
    }
    EXPECT_EQ(b->GetCells(2, 2), "valor");
}

// --- composed: copies and pastes of random blocks against a plain model ---

TEST_F(Portapapeles, CopiasYPegadosAlAzarContraUnModelo) {
    std::mt19937 azar(47);
    // The wide letter makes a wide cell, and its block travels as Unicode text too.
    const char16_t* piezas[] = {u"a", u"\t", u"\"", u"\r\n",  u"\u00F1",
                                u" ", u"\n", u"\r", u"\u03A9"};
    const int C = 6, F = 7;
    RejillaAvisos* g = Nueva(C, F);
    g->GetNavigation()->SetAllowClipboardColGrow(false);
    g->GetNavigation()->SetAllowClipboardRowGrow(false);
    std::vector<std::vector<std::u16string>> modelo(C, std::vector<std::u16string>(F));
    for (int x = 1; x < C; ++x)
        for (int y = 1; y < F; ++y) {
            std::u16string t;
            for (int k = static_cast<int>(azar() % 4); k > 0; --k)
                t += piezas[azar() % std::size(piezas)];
            modelo[x][y] = t;
            PonerTexto(g, x, y, t);
        }
    for (int paso = 0; paso < 200; ++paso) {
        SCOPED_TRACE(paso);
        const int l = 1 + static_cast<int>(azar() % (C - 1)),
                  t = 1 + static_cast<int>(azar() % (F - 1));
        const int r = l + static_cast<int>(azar() % (C - l)),
                  bb = t + static_cast<int>(azar() % (F - t));
        const bool cortar = azar() % 4 == 0;
        Seleccionar(g, l, t, r, bb);
        std::vector<std::vector<std::u16string>> copia(C, std::vector<std::u16string>(F));
        for (int x = l; x <= r; ++x)
            for (int y = t; y <= bb; ++y) {
                copia[x][y] = modelo[x][y];
                if (cortar) modelo[x][y].clear();
            }
        if (cortar)
            g->CutSelectionToClipboard();
        else
            g->CopySelectionToClipboard();
        const int dx = 1 + static_cast<int>(azar() % (C - 1)),
                  dy = 1 + static_cast<int>(azar() % (F - 1));
        Seleccionar(g, dx, dy, dx, dy);
        g->PasteSelectionFromClipboard();
        for (int x = l; x <= r; ++x)
            for (int y = t; y <= bb; ++y) {
                const int tx = dx + x - l, ty = dy + y - t;
                if (tx < C && ty < F) modelo[tx][ty] = copia[x][y];
            }
        for (int x = 1; x < C; ++x)
            for (int y = 1; y < F; ++y)
                ASSERT_EQ(g->GetWideCells(x, y).str(), modelo[x][y]) << x << "," << y;
    }
}

} // namespace
