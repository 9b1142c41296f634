// Rich-text cells: long text drawn wrapped at the cell's width and kept inside the cell, rows
// sized to the lines drawn, the rich editor breaking its lines at its width.
#include "controles/grid/editing/grid_editors.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/rich_text.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/services/capture.h"
#include "tests/controles/grid/rejilla_prueba.h"
#include "tests/plataforma/gui/control_prueba.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TRichFormat Rojo() {
    TRichFormat f;
    f.Color = clRed;
    f.HalfPoints = 20;
    return f;
}

AnsiString Rtf(const AnsiString& texto, const TRichFormat& f = Rojo()) {
    TRichDocument d;
    d.Paragraphs.push_back({{{texto, f}}});
    return WriteRtf(d);
}

// "palabra" N times.
AnsiString Palabras(int n) {
    AnsiString s;
    for (int i = 0; i < n; ++i)
        s += i ? " palabra" : "palabra";
    return s;
}

class Enriquecido : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<VentanaPrueba>();
        g = new Rejilla(ventana.get(), ventana.get());
        g->SetBounds(0, 0, 330, 260);
        g->SetColCountEx(4);
        g->SetRowCountEx(6);
        g->SetColWidths(2, 90);
    }
    bool Rojo(int x, int y) { return g->GetCanvas()->GetPixels(x, y) == clRed; }
    // The separate bands of red rows between Top and Bottom of the cell's column.
    int Bandas(const TRect& r) {
        int bandas = 0;
        bool antes = false;
        for (int y = r.Top; y < r.Bottom; ++y) {
            bool hay = false;
            for (int x = r.Left; x < r.Right && !hay; ++x)
                hay = Rojo(x, y);
            if (hay && !antes) ++bandas;
            antes = hay;
        }
        return bandas;
    }
    // Red pixels of the grid outside the rectangles.
    int Fuera(std::initializer_list<TRect> celdas) {
        int n = 0;
        for (int y = 0; y < g->GetHeight(); ++y)
            for (int x = 0; x < g->GetWidth(); ++x) {
                bool dentro = false;
                for (const TRect& r : celdas)
                    dentro = dentro || (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom);
                if (!dentro && Rojo(x, y)) ++n;
            }
        return n;
    }
    // Ascent and descent of a format's font on the screen.
    int Linea(const TRichFormat& f) {
        TCanvas* c = g->GetCanvas();
        c->GetFont()->SetName(f.FontName);
        c->GetFont()->SetHeight(-MulDiv(f.HalfPoints, 96, 144));
        TEXTMETRIC tm{};
        GetTextMetrics(c->GetHandle(), &tm);
        return tm.tmAscent + tm.tmDescent;
    }
    std::unique_ptr<VentanaPrueba> ventana;
    Rejilla* g = nullptr;
};

TEST_F(Enriquecido, TextoLargoPartidoEnLineasDentroDeLaCelda) {
    // Three words of which one fits a line: three lines in a tall row; in a row of one line
    // the lines that do not fit whole are not drawn, nor anything beyond the cell. A text that
    // is no readable rich text is drawn as its text, wrapped too, in the cell's font colour.
    g->SetRowHeights(2, 70);
    g->SetCellEx(2, 2, Rtf(Palabras(3)));
    g->SetRowHeights(3, 24);
    g->SetCellEx(2, 3, Rtf(Palabras(3)));
    g->SetRowHeights(4, 70);
    g->SetCellEx(2, 4, "{\\rtf1 roto { palabra palabra");
    g->SetFontColors(2, 4, clRed);
    // Raised text and a larger bold run on wrapped lines, for the eye.
    TRichFormat grande;
    grande.HalfPoints = 24;
    grande.Bold = true;
    TRichFormat elevado;
    elevado.Offset = 6;
    TRichDocument mezcla;
    mezcla.Paragraphs.push_back(
        {{{"10 m", {}}, {"2", elevado}, {" de ", {}}, {"pared", grande}, {" norte", {}}}});
    g->SetCellEx(3, 2, WriteRtf(mezcla));
    g->Repaint();
    EXPECT_FALSE(SaveCapture(g, "rejilla_enriquecido_partido").IsEmpty());
    EXPECT_EQ(Bandas(g->CellRect(2, 2)), 3);
    EXPECT_EQ(Bandas(g->CellRect(2, 3)), 1);
    EXPECT_GE(Bandas(g->CellRect(2, 4)), 2);
    EXPECT_EQ(Fuera({g->CellRect(2, 2), g->CellRect(2, 3), g->CellRect(2, 4)}), 0);
    // Each line starts at the cell's left, less the offset.
    const TRect r = g->CellRect(2, 2);
    int izquierda = r.Right;
    for (int y = r.Top + r.Height() / 2; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (Rojo(x, y)) izquierda = std::min(izquierda, x);
    EXPECT_LE(izquierda, r.Left + g->GetXYOffset().x + 3);
}

TEST_F(Enriquecido, FilaAjustadaALasLineasDibujadas) {
    // Rows sized to one, two and three lines grow by one line each, and show every line.
    const int linea = Linea(::Rojo());
    int alturas[4] = {};
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        // Two short words share a line: 2n - 1 words make n lines.
        AnsiString texto = Palabras(1);
        for (int i = 1; i < n; ++i)
            texto += " uno palabra";
        g->SetCellEx(2, 2, Rtf(texto));
        g->SizeToHeight(2, false);
        alturas[n] = g->GetRowHeights(2);
        g->Repaint();
        EXPECT_EQ(Bandas(g->CellRect(2, 2)), n);
        EXPECT_EQ(Fuera({g->CellRect(2, 2)}), 0);
    }
    EXPECT_EQ(alturas[2] - alturas[1], linea);
    EXPECT_EQ(alturas[3] - alturas[2], linea);
    // Sized to its width, the column takes the text on one line, and the row one line again.
    g->SetCellEx(2, 2, Rtf(Palabras(3)));
    g->SizeToWidth(2, false);
    EXPECT_GE(g->GetColWidths(2), 3 * 40);
    g->SizeToHeight(2, false);
    EXPECT_EQ(g->GetRowHeights(2), alturas[1]);
    g->Repaint();
    EXPECT_EQ(Bandas(g->CellRect(2, 2)), 1);
    // Sizing again leaves the column as it is.
    const int ancho = g->GetColWidths(2);
    g->SizeToWidth(2, false);
    EXPECT_EQ(g->GetColWidths(2), ancho);
}

TEST_F(Enriquecido, ElEditorPartePorSuAncho) {
    ventana->Show();
    g->SetOptions(g->GetOptions() << goEditing);
    g->OnGetEditorType = [](TObject*, int, int, TEditorType& e) { e = edRichEdit; };
    g->SetCellEx(2, 2, Rtf(Palabras(3)));
    g->SetRowHeights(2, 70);
    g->SetFocus();
    g->SetCol(2);
    g->SetRow(2);
    g->ShowInplaceEdit();
    auto* e = g->GetEditorControls().RichEdit();
    ASSERT_TRUE(e->GetVisible());
    const int linea = Linea(::Rojo());
    EXPECT_TRUE(e->GetWordWrap());
    EXPECT_GE(e->GetContentHeight(), 3 * linea);
    EXPECT_FALSE(SaveCapture(g, "rejilla_enriquecido_editor").IsEmpty());
    e->SetWordWrap(false);
    EXPECT_LT(e->GetContentHeight(), 2 * linea);
    e->SetWordWrap(true);
    // A rich edit's content goes into a cell as the rich text it writes.
    g->CellToRich(2, 2, e);
    g->RichToCell(3, 2, e);
    EXPECT_EQ(g->GetCells(3, 2), g->GetCells(2, 2));
    // Left unchanged, the cell keeps its text byte for byte.
    const AnsiString antes = g->GetCells(2, 2);
    g->HideInplaceEdit();
    EXPECT_EQ(g->GetCells(2, 2), antes);
    // Also a text of sizes beyond the editor's largest, shown at that size.
    const AnsiString enorme = "{\\rtf1 a{\\fs999999999 b}}";
    g->SetCellEx(2, 2, enorme);
    g->ShowInplaceEdit();
    EXPECT_LE(e->GetContentHeight(), 3 * 2184);
    g->HideInplaceEdit();
    EXPECT_EQ(g->GetCells(2, 2), enorme);
}

TEST_F(Enriquecido, AlAbrirElEditorElTextoNoSeMueve) {
    // The editor lays the text where the cell draws it, two pixels inside the cell, for text
    // of one size (in a row of the default height too) and of mixed sizes, and a text of
    // several lines starts there too, broken into the same lines. The editor places glyphs
    // at fractions of a pixel: a line's foot may stand a pixel lower, and each next line of
    // several too (its lines are whole pixels rounded up).
    ventana->Show();
    g->SetOptions(g->GetOptions() << goEditing);
    g->OnGetEditorType = [](TObject*, int, int, TEditorType& e) { e = edRichEdit; };
    // Selected, the cell keeps its text's colours.
    g->SetSelectionRTFKeep(true);
    TRichFormat grande = ::Rojo();
    grande.HalfPoints = 28;
    TRichDocument mezcla;
    mezcla.Paragraphs.push_back({{{"Hg ", ::Rojo()}, {"Hg", grande}}});
    // The red ink of the cell on the screen, the editor included, and its bands of rows.
    int bandas = 0;
    auto tinta = [&] {
        const QImage im = g->GetWidget()->grab().toImage();
        const TRect r = g->CellRect(2, 2);
        TRect t(r.Right, r.Bottom, r.Left, r.Top);
        bandas = 0;
        bool antes = false;
        for (int y = r.Top; y < r.Bottom; ++y) {
            bool fila = false;
            for (int x = r.Left; x < r.Right; ++x) {
                const QColor c = im.pixelColor(x, y);
                if (c.red() < 160 || c.green() > 90 || c.blue() > 90) continue;
                fila = true;
                t.Left = std::min(t.Left, x);
                t.Top = std::min(t.Top, y);
                t.Right = std::max(t.Right, x + 1);
                t.Bottom = std::max(t.Bottom, y + 1);
            }
            if (fila && !antes) ++bandas;
            antes = fila;
        }
        return t;
    };
    struct Caso {
        AnsiString texto;
        bool unaLinea;
    };
    for (const Caso& c :
         {Caso{Rtf("Hg"), true}, Caso{WriteRtf(mezcla), true}, Caso{Rtf(Palabras(3)), false}}) {
        SCOPED_TRACE(c.texto.c_str());
        g->SetCellEx(2, 2, c.texto);
        g->SetFocus();
        g->SetCol(2);
        g->SetRow(2);
        g->Repaint();
        const TRect celda = tinta();
        ASSERT_LT(celda.Left, celda.Right);
        const int lineas = bandas;
        g->ShowInplaceEdit();
        auto* e = g->GetEditorControls().RichEdit();
        ASSERT_TRUE(e->GetVisible());
        e->SetSelStart(0); // opened all selected: the text in its own colours
        const TRect editor = tinta();
        EXPECT_EQ(bandas, lineas); // the lines broken at the same width
        EXPECT_EQ(editor.Left, celda.Left);
        EXPECT_EQ(editor.Top, celda.Top);
        if (c.unaLinea) {
            EXPECT_NEAR(editor.Bottom, celda.Bottom, 1);
        }
        g->HideInplaceEdit();
    }
}

} // namespace
