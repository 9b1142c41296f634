// The font selector: the kinds that the layer's text metrics report for the installed fonts,
// the list filtered by the allowed kinds, the glyphs that come back from their resources,
// where the names start in the rows, and captures of the selector closed and dropped.

#include "tests/controles/edit/prueba_kav_comun.h"

#include "controles/edit/font_selector.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/painting/gdi.h"
#include "plataforma/gui/services/capture.h"

#include <QFont>
#include <QFontInfo>
#include <QImage>
#include <algorithm>

namespace {

class PruebaFuentes : public PruebaKav {
protected:
    void SetUp() override {
        PruebaKav::SetUp();
        selector = new TKavFontSelector(ventana.get());
        selector->BeginLoading();
        selector->SetParent(ventana.get());
        selector->SetBounds(120, 120, 200, 21);
        selector->EndLoading();
    }
    std::vector<std::string> Nombres() const {
        std::vector<std::string> v;
        for (int i = 0; i < selector->GetItems()->GetCount(); ++i)
            v.push_back(selector->GetItems()->GetStrings(i).str());
        return v;
    }
    TKavFontSelector* selector = nullptr;
};

TEST_F(PruebaFuentes, LasMetricasDicenElTipoYElPasoDeCadaFuente) {
    TBitmap b;
    TCanvas* c = b.GetCanvas();
    struct Caso {
        const char* nombre;
        BYTE bits;
    } casos[] = {
        {"DejaVu Sans", TMPF_VECTOR | TMPF_TRUETYPE | TMPF_FIXED_PITCH},
        {"DejaVu Sans Mono", TMPF_VECTOR | TMPF_TRUETYPE},
        {"DejaVu Serif", TMPF_VECTOR | TMPF_TRUETYPE | TMPF_FIXED_PITCH},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nombre);
        c->GetFont()->SetName(k.nombre);
        TEXTMETRIC tm{};
        ASSERT_TRUE(GetTextMetrics(c->GetHandle(), &tm));
        EXPECT_EQ(tm.tmPitchAndFamily, k.bits);
        EXPECT_EQ(tm.tmCharSet, ANSI_CHARSET);
        EXPECT_EQ(selector->GetFontType(k.nombre),
                  (TKavFontTypes{aftTrueType,
                                 (k.bits & TMPF_FIXED_PITCH) ? aftProportional : aftFixedPitch}));
    }
}

TEST_F(PruebaFuentes, SoloSeListanLasFuentesConTodosSusTiposPermitidos) {
    // Loaded with every kind allowed: every installed font, in the screen's order.
    std::vector<std::string> todas;
    for (int i = 0; i < Screen->GetFonts()->GetCount(); ++i)
        todas.push_back(Screen->GetFonts()->GetStrings(i).str());
    ASSERT_FALSE(todas.empty());
    EXPECT_EQ(Nombres(), todas);
    const TKavFontTypes cualquiera{aftBitmap,  aftTrueType,   aftPostScript,
                                   aftPrinter, aftFixedPitch, aftProportional};
    // What a filter must leave: the fonts whose pitch and whose outline kind are both allowed.
    // The pitch is that of the font a name gives when it is used (an alias such as
    // "Monospace" gives whatever font the system picks for it, whose pitch the font database
    // may tell otherwise). The installed fonts need not all be TrueType (an emoji font is a
    // bitmap one), so the outline kind is the selector's own.
    auto Permitidas = [&](TKavFontTypes permitidos) {
        std::vector<std::string> v;
        for (const std::string& f : todas) {
            const bool fijo = QFontInfo(QFont(QString::fromLatin1(f.c_str()))).fixedPitch();
            if (!permitidos.Contains(fijo ? aftFixedPitch : aftProportional)) continue;
            const TKavFontTypes tipos = selector->GetFontType(f.c_str());
            bool todos = true;
            for (TKavFontType t : {aftBitmap, aftTrueType, aftPostScript, aftPrinter})
                if (tipos.Contains(t) && !permitidos.Contains(t)) todos = false;
            if (todos) v.push_back(f);
        }
        return v;
    };
    // The DejaVu families the set-up installs are TrueType, of both pitches.
    const std::vector<std::string> soloTrueType =
        Permitidas({aftTrueType, aftProportional, aftFixedPitch});
    for (const char* f : {"DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif"})
        EXPECT_NE(std::find(soloTrueType.begin(), soloTrueType.end(), f), soloTrueType.end()) << f;
    struct Caso {
        TKavFontTypes permitidos;
        std::vector<std::string> esperadas;
    } casos[] = {
        {cualquiera, todas},
        {{aftTrueType, aftProportional, aftFixedPitch}, soloTrueType},
        {{aftTrueType}, {}}, // neither pitch allowed: nothing
        {{aftTrueType, aftFixedPitch}, Permitidas({aftTrueType, aftFixedPitch})},
        {{aftTrueType, aftProportional}, Permitidas({aftTrueType, aftProportional})},
        {{aftBitmap, aftPostScript, aftPrinter, aftFixedPitch, aftProportional},
         Permitidas({aftBitmap, aftPostScript, aftPrinter, aftFixedPitch, aftProportional})},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.permitidos.Bits());
        selector->SetAllowedFontTypes(c.permitidos);
        selector->LoadFontNames();
        EXPECT_EQ(Nombres(), c.esperadas);
    }
    // Fixed-pitch and proportional lists part the TrueType fonts between them.
    EXPECT_EQ(Permitidas({aftTrueType, aftFixedPitch}).size() +
                  Permitidas({aftTrueType, aftProportional}).size(),
              soloTrueType.size());
}

TEST_F(PruebaFuentes, LosGlifosVaciosVuelvenDeSusRecursosAlDesplegar) {
    EXPECT_EQ(selector->GetFontGlyphTT()->GetWidth(), 13);
    EXPECT_EQ(selector->GetFontGlyphTT()->GetHeight(), 12);
    for (TBitmap* g :
         {selector->GetFontGlyphPS(), selector->GetFontGlyphPRN(), selector->GetFontGlyphBMP()})
        EXPECT_FALSE(g->GetEmpty());
    TBitmap vacio;
    selector->SetFontGlyphTT(&vacio);
    ASSERT_TRUE(selector->GetFontGlyphTT()->GetEmpty());
    bool antes = false;
    selector->OnBeforeDropDown = [&](TObject*) { antes = true; };
    selector->ShowDropDown();
    EXPECT_TRUE(antes);
    EXPECT_FALSE(selector->GetFontGlyphTT()->GetEmpty());
    EXPECT_EQ(selector->GetFontGlyphTT()->GetWidth(), 13);
    selector->HideDropDown();
}

// The first column from the left, in the row's middle band, with a pixel darker than grey.
int PrimeraColumnaOscura(const QImage& img, const TRect& fila, int desde) {
    for (int x = desde; x < img.width(); ++x)
        for (int y = fila.Top + 2; y < fila.Bottom - 2; ++y)
            if (qGray(img.pixel(x, y)) < 100) return x;
    return -1;
}

TEST_F(PruebaFuentes, LosNombresEmpiezanDetrasDelGlifo) {
    selector->SetDisplayRecentSelection(false);
    for (bool glifo : {false, true}) {
        SCOPED_TRACE(glifo);
        selector->SetShowFontGlyph(glifo);
        selector->ShowDropDown();
        TListBox* l = selector->GetListBox();
        l->SetItemIndex(-1);
        const AnsiString ruta = SaveCapture(l, glifo ? "fuentes_con_glifo" : "fuentes_sin_glifo");
        ASSERT_FALSE(ruta.IsEmpty());
        const QImage img(QString::fromStdString(ruta.str()));
        const TRect fila = l->ItemRect(0);
        if (glifo) {
            // The glyph inside its 16 pixels, then the name from 20 on.
            const int g = PrimeraColumnaOscura(img, fila, 0);
            EXPECT_GE(g, 2);
            EXPECT_LT(g, 15);
            for (int x = 15; x < 20; ++x)
                for (int y = fila.Top + 2; y < fila.Bottom - 2; ++y)
                    EXPECT_GE(qGray(img.pixel(x, y)), 100) << x << "," << y;
            const int t = PrimeraColumnaOscura(img, fila, 15);
            EXPECT_GE(t, 20);
            EXPECT_LE(t, 22);
        } else {
            const int t = PrimeraColumnaOscura(img, fila, 0);
            EXPECT_GE(t, 4);
            EXPECT_LE(t, 6);
        }
        selector->HideDropDown();
    }
}

TEST_F(PruebaFuentes, Capturas) {
    selector->SetItemIndex(selector->GetItems()->IndexOf("DejaVu Serif"));
    EXPECT_EQ(selector->GetText(), "DejaVu Serif");
    EXPECT_FALSE(SaveCapture(ventana.get(), "fuentes_cerrado").IsEmpty());
    selector->SetFocus();
    selector->ShowDropDown();
    EXPECT_FALSE(SaveCapture(selector->GetDropDownWindow(), "fuentes_desplegado").IsEmpty());
    selector->HideDropDown();
}

} // namespace
