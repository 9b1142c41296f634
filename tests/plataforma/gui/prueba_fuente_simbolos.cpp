// The "Symbol" font: it keeps its name, draws with an installed font that has Greek, and
// shows the Latin letters of its 8-bit text as Greek ones, on a canvas, in a label and in
// the captions of windowed controls, pixel for pixel as the same text in Unicode Greek.

#include "tests/plataforma/gui/canvas_prueba.h"
#include "tests/plataforma/gui/prueba_controles_comun.h"

#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/draw_text.h"
#include "plataforma/gui/painting/font.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/check_radio.h"
#include "plataforma/gui/widgets/label.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QFontInfo>

#include <gtest/gtest.h>

namespace {

QString Utf16(const char16_t* s) {
    return QString::fromUtf16(s);
}

TEST(FuenteSimbolos, LasLetrasLatinasSonGriegasYElRestoQuedaComoEsta) {
    struct Caso {
        const char* texto;
        const char16_t* mostrado;
    };
    const Caso casos[] = {
        {"(l)", u"(λ)"},
        {"(r)", u"(ρ)"},
        {"(m)", u"(μ)"},
        {"abcdefghijklmnopqrstuvwxyz", u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ"},
        {"\"$'*-@\\^~", u"∀∃∋∗−≅∴⊥∼"},
        {"0123456789 ()[]{}.,;:+=<>/!?#%&_|", u"0123456789 ()[]{}.,;:+=<>/!?#%&_|"},
        // Outside ASCII the text stays as Windows-1252 reads it.
        {"\xF1\xB5\x80", u"ñµ€"},
    };
    TFont simbolo, otra;
    simbolo.SetName("Symbol");
    otra.SetName("Arial");
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.texto);
        EXPECT_EQ(ToQString(k.texto, simbolo), Utf16(k.mostrado));
        EXPECT_EQ(FromQString(ProgramText(ToQString(k.texto, simbolo), true)), k.texto);
        EXPECT_EQ(ToQString(k.texto, otra), ToQString(AnsiString(k.texto)));
    }
}

TEST(FuenteSimbolos, ConservaSuNombreYDibujaConUnaFuenteInstaladaConGriego) {
    TFont f;
    f.SetName("Symbol");
    EXPECT_EQ(f.GetName(), "Symbol");
    EXPECT_TRUE(IsSymbolFontName("SYMBOL"));
    EXPECT_FALSE(IsSymbolFontName("Symbolica"));
    const AnsiString familia = ResolveFontFamily("Symbol");
    EXPECT_NE(familia, "Symbol");
    EXPECT_TRUE(QFontDatabase::writingSystems(ToQString(familia)).contains(QFontDatabase::Greek));
    EXPECT_EQ(QFontInfo(ToQFont(f)).family(), ToQString(familia));
}

// Two canvases of one size, white, with the same font size: one with the symbol font, the
// other with the font it is drawn with.
class LienzoSimbolos : public testing::Test {
protected:
    TBitmap simbolo, griego;
    static constexpr int W = 160, H = 40;
    void SetUp() override {
        for (TBitmap* b : {&simbolo, &griego}) {
            b->SetSize(W, H);
            Reset(b->GetCanvas(), W, H);
            b->GetCanvas()->GetFont()->SetHeight(-16);
            b->GetCanvas()->GetBrush()->SetStyle(bsClear);
        }
        simbolo.GetCanvas()->GetFont()->SetName("Symbol");
        griego.GetCanvas()->GetFont()->SetName(ResolveFontFamily("Symbol"));
    }
    std::vector<TColor> Pixeles(TBitmap& b) { return Snapshot(b.GetCanvas(), Rect(0, 0, W, H)); }
};

TEST_F(LienzoSimbolos, TextOutYDrawTextPintanLoMismoQueElTextoGriego) {
    TCanvas* c = simbolo.GetCanvas();
    TCanvas* g = griego.GetCanvas();
    const char16_t* esperado = u"(λ) (ρ) (μ)";
    TSize medida{};
    GetTextExtentPoint32W(g->GetHandle(), esperado, -1, &medida);
    EXPECT_EQ(c->TextExtent("(l) (r) (m)"), medida);

    c->TextOut(4, 4, "(l) (r) (m)");
    ExtTextOutW(g->GetHandle(), 4, 4, 0, nullptr, esperado, -1, nullptr);
    EXPECT_GT(Count(c, Rect(0, 0, W, H), clBlack), 20);
    EXPECT_EQ(Pixeles(simbolo), Pixeles(griego));
    // The Latin letters in the drawing font are not what was drawn.
    Reset(g, W, H);
    g->TextOut(4, 4, "(l) (r) (m)");
    EXPECT_NE(Pixeles(simbolo), Pixeles(griego));

    // DrawText measures and draws the shown text too.
    Reset(c, W, H);
    Reset(g, W, H);
    TRect r = Rect(0, 0, 0, 0), rg = r;
    DrawText(c->GetHandle(), "(m)", -1, &r, DT_CALCRECT | DT_SINGLELINE);
    DrawTextW(g->GetHandle(), u"(μ)", -1, &rg, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r, rg);
    r = rg = Rect(10, 5, 150, 35);
    DrawText(c->GetHandle(), "(m)", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    DrawTextW(g->GetHandle(), u"(μ)", -1, &rg, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(Pixeles(simbolo), Pixeles(griego));
}

TEST(FuenteSimbolos, LaGrabacionGuardaElTextoDelPrograma) {
    TRecordingCanvas c{100, 40};
    c.GetFont()->SetName("Symbol");
    c.Recorder().Clear();
    TRect r = Rect(0, 0, 100, 40);
    DrawText(c.GetHandle(), "(l)", -1, &r, DT_SINGLELINE);
    c.TextOut(0, 20, "(r)");
    std::vector<AnsiString> textos;
    for (const char* nombre : {"DrawText", "TextOut"})
        for (const TCanvasCall& k : c.Recorder().Calls(nombre))
            textos.push_back(k.Text);
    EXPECT_EQ(textos, (std::vector<AnsiString>{"(l)", "(l)", "(r)"}));
}

class ControlesSimbolos : public PruebaControles {};

TEST_F(ControlesSimbolos, LaEtiquetaMideYPintaLaLetraGriega) {
    auto* padre = new TControlPrueba(ventana.get(), ventana.get());
    padre->SetBounds(0, 0, 200, 60);
    auto* l = new TLabel(padre);
    l->SetParent(padre);
    l->SetColor(clWhite);
    l->GetFont()->SetName("Symbol");
    l->GetFont()->SetHeight(-16);
    l->SetCaption("(l)");
    l->SetLeft(20);
    l->SetTop(10);

    TBitmap pintado, esperado;
    for (TBitmap* b : {&pintado, &esperado}) {
        b->SetSize(200, 60);
        Reset(b->GetCanvas(), 200, 60);
    }
    TCanvas* g = esperado.GetCanvas();
    g->GetFont()->SetName(ResolveFontFamily("Symbol"));
    g->GetFont()->SetHeight(-16);
    g->GetBrush()->SetStyle(bsClear);
    TRect r = Rect(0, 0, 0, 0);
    DrawTextW(g->GetHandle(), u"(λ)", -1, &r, DT_CALCRECT);
    // AutoSize takes the Greek letter's width.
    EXPECT_EQ(l->GetWidth(), r.Right);
    EXPECT_EQ(l->GetHeight(), r.Bottom);
    r = OffsetRect(r, 20, 10);
    DrawTextW(g->GetHandle(), u"(λ)", -1, &r, DT_EXPANDTABS);

    padre->PaintControls(pintado.GetCanvas()->GetHandle(), nullptr);
    EXPECT_GT(Count(pintado.GetCanvas(), Rect(0, 0, 200, 60), clBlack), 10);
    EXPECT_EQ(Snapshot(pintado.GetCanvas(), Rect(0, 0, 200, 60)),
              Snapshot(esperado.GetCanvas(), Rect(0, 0, 200, 60)));
    EXPECT_EQ(l->GetCaption(), "(l)");
    EXPECT_EQ(l->GetFont()->GetName(), "Symbol");
}

TEST_F(ControlesSimbolos, LosRotulosDeLosControlesConVentanaMuestranElGriego) {
    auto* casilla = new TCheckBox(ventana.get());
    casilla->SetParent(ventana.get());
    auto* boton = new TButton(ventana.get());
    boton->SetParent(ventana.get());
    const QString rho = Utf16(u"(ρ)"), mu = Utf16(u"(μ)");
    for (TWinControl* c : std::initializer_list<TWinControl*>{casilla, boton}) {
        SCOPED_TRACE(c == boton ? "TButton" : "TCheckBox");
        auto* w = qobject_cast<QAbstractButton*>(c->GetWidget());
        ASSERT_NE(w, nullptr);
        c->SetText("(r)");
        EXPECT_EQ(w->text(), "(r)");
        // A change of font shows the same caption in the other characters, and back.
        c->GetFont()->SetName("Symbol");
        EXPECT_EQ(w->text(), rho);
        c->SetText("(m)");
        EXPECT_EQ(w->text(), mu);
        EXPECT_EQ(c->GetText(), "(m)");
        c->GetFont()->SetName("Arial");
        EXPECT_EQ(w->text(), "(m)");
    }
}

} // namespace
