// The spin edit: the steps of each kind (bounds, no range, the integer limits, leap years,
// months, midnight, the field under the caret), the key filter, the keys and the held
// arrow through real input, leaving the edit, its layout, and a capture of its looks.

#include "tests/controles/edit/prueba_kav_comun.h"

#include "controles/edit/spin_edit.h"
#include "plataforma/base/dates.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/kernel/timers.h"
#include "plataforma/gui/painting/themes.h"
#include "plataforma/gui/services/capture.h"
#include "tests/comun/ajustes_regionales.h"

#include <QImage>

#include <climits>
#include <vector>

namespace {

class PruebaSpin : public PruebaKav {
protected:
    void SetUp() override {
        PruebaKav::SetUp();
        spin = NuevoSpin(120, 100);
    }
    TKsgSpinEdit* NuevoSpin(int x, int y) {
        auto* s = new TKsgSpinEdit(ventana.get());
        s->SetParent(ventana.get());
        s->SetBounds(x, y, 120, 24);
        return s;
    }
    // Text and caret in place, then one step.
    void Paso(const char* texto, int caret, int sentido) {
        spin->SetText(texto);
        spin->SetSelStart(caret);
        if (sentido > 0)
            spin->UpClick(spin);
        else
            spin->DownClick(spin);
    }
    TKsgSpinEdit* spin = nullptr;
};

TEST_F(PruebaSpin, PasosDeEnterosConLimitesSinRangoYEnLosExtremos) {
    struct Caso {
        int min, max, incremento;
        const char* texto;
        int sentido;
        const char* resultado;
    } casos[] = {
        {0, 100, 1, "100", 1, "100"},
        {0, 100, 1, "0", -1, "0"},
        {0, 100, 7, "98", 1, "100"},
        {0, 100, 1, "50", 1, "51"},
        {0, 0, 1, "-5", -1, "-6"},
        {0, 0, 1, "500", 1, "501"},               // no range at all
        {5, 5, 1, "2147483647", 1, "2147483647"}, // stops at the limit
        {0, 0, 10, "-2147483645", -1, "-2147483648"},
        {-10, 10, -3, "0", 1, "-3"}, // a negative step goes the other way
        {3, 100, 1, "abc", 1, "4"},  // unreadable text is MinValue
    };
    for (const Caso& c : casos) {
        spin->SetMinValue(c.min);
        spin->SetMaxValue(c.max);
        spin->SetIncrement(c.incremento);
        Paso(c.texto, 0, c.sentido);
        EXPECT_EQ(spin->GetText().str(), c.resultado) << c.texto << " " << c.sentido;
    }
    spin->SetMinValue(0);
    spin->SetMaxValue(0);
    spin->SetValue(INT_MIN);
    spin->DownClick(spin);
    EXPECT_EQ(spin->GetValue(), INT_MIN);
}

TEST_F(PruebaSpin, PasosDeDecimalesConPrecisionYLimites) {
    AjustesRegionales coma(',', '.');
    spin->SetSpinType(sptFloat);
    spin->SetMaxFloatValue(100);
    spin->SetFloatValue(0);
    for (int i = 0; i < 10; ++i)
        spin->UpClick(spin);
    EXPECT_EQ(spin->GetText(), "1");
    spin->SetPrecision(2);
    EXPECT_EQ(spin->GetText(), "1,00");
    spin->DownClick(spin);
    EXPECT_EQ(spin->GetText(), "0,90");
    EXPECT_DOUBLE_EQ(spin->GetFloatValue(), 0.9);

    spin->SetIncrementFloat(0.25);
    Paso("99,9", 0, 1);
    EXPECT_EQ(spin->GetText(), "100,00");
    Paso("0,1", 0, -1);
    EXPECT_EQ(spin->GetText(), "0,00");
    spin->SetMinFloatValue(5);
    spin->SetMaxFloatValue(5); // no range
    Paso("-1", 0, -1);
    EXPECT_EQ(spin->GetText(), "-1,25");
    spin->SetMinValue(7);
    Paso("x", 0, 1); // unreadable text is the integer MinValue
    EXPECT_EQ(spin->GetText(), "7,25");
}

TEST_F(PruebaSpin, PasosDeHorasPorElCampoBajoElCursor) {
    AjustesRegionales reg(',', '.');
    spin->SetSpinType(sptTime);
    struct Caso {
        const char* texto;
        int caret, sentido;
        const char* resultado;
    } casos[] = {
        {"00:00:30", 7, -1, "00:00:29"}, {"00:00:00", 0, -1, "23:00:00"},
        {"00:00:00", 2, -1, "23:00:00"}, {"00:00:00", 3, -1, "23:59:00"},
        {"00:00:00", 6, -1, "23:59:59"}, {"23:30:00", 0, 1, "00:30:00"},
        {"23:59:59", 8, 1, "00:00:00"},  {"12:59:00", 4, 1, "13:00:00"},
        {"7:5", 0, 1, "08:05:00"},       {"basura", 0, 1, "00:00:01"},
    };
    for (const Caso& c : casos) {
        Paso(c.texto, c.caret, c.sentido);
        EXPECT_EQ(spin->GetText().str(), c.resultado) << c.texto << " @" << c.caret;
    }
    // The caret stays in the field it was in.
    Paso("10:20:30", 4, 1);
    EXPECT_EQ(spin->GetSelStart(), 4);
}

TEST_F(PruebaSpin, PasosDeFechasPorDiaMesYAno) {
    struct Caso {
        const char* patron;
        const char* texto;
        int caret, sentido;
        const char* resultado;
    } casos[] = {
        {"dd/MM/yyyy", "31/01/2005", 4, 1, "28/02/2005"}, // the last day of February
        {"dd/MM/yyyy", "31/01/2004", 4, 1, "29/02/2004"},
        {"dd/MM/yyyy", "31/03/2005", 3, -1, "28/02/2005"},
        {"dd/MM/yyyy", "31/12/2005", 0, 1, "01/01/2006"},
        {"dd/MM/yyyy", "01/03/2004", 2, -1, "29/02/2004"},
        {"dd/MM/yyyy", "29/02/2004", 8, 1, "28/02/2005"}, // not a date the year has
        {"dd/MM/yyyy", "29/02/2004", 6, -1, "28/02/2003"},
        {"dd/MM/yyyy", "29/02/2004", 7, 1, "28/02/2005"},
        {"dd/MM/yyyy", "15/06/9999", 8, 1, "15/06/9999"}, // no year after 9999
        {"dd/MM/yyyy", "15/12/9999", 4, 1, "15/12/9999"},
        {"dd/MM/yyyy", "31/12/9999", 0, 1, "31/12/9999"},
        {"dd/MM/yyyy", "15/06/0001", 8, -1, "15/06/0001"},
        {"dd/MM/yyyy", "01/01/0001", 0, -1, "01/01/0001"},
        {"M/d/yyyy", "1/31/2005", 0, 1, "2/28/2005"}, // month first
        {"M/d/yyyy", "1/31/2005", 2, 1, "2/1/2005"},
    };
    for (const Caso& c : casos) {
        AjustesRegionales reg(',', '.', '/', c.patron);
        spin->SetSpinType(sptDate);
        Paso(c.texto, c.caret, c.sentido);
        EXPECT_EQ(spin->GetText().str(), c.resultado) << c.texto << " @" << c.caret;
        EXPECT_EQ(spin->GetMonthFirst(), c.patron[0] == 'M');
    }
}

TEST_F(PruebaSpin, LasFechasSeQuedanEntreSusLimitesYSinLimitesSiSonIguales) {
    AjustesRegionales reg(',', '.');
    spin->SetSpinType(sptDate);
    spin->SetMinDateValue(EncodeDate(2005, 1, 1));
    spin->SetMaxDateValue(EncodeDate(2005, 12, 31));
    Paso("31/12/2005", 0, 1);
    EXPECT_EQ(spin->GetText(), "31/12/2005");
    Paso("15/01/2005", 3, -1);
    EXPECT_EQ(spin->GetText(), "01/01/2005");
    spin->SetMaxDateValue(EncodeDate(2005, 1, 1));
    Paso("15/01/2005", 6, 1);
    EXPECT_EQ(spin->GetText(), "15/01/2006");
    // "0" and no text are today.
    spin->SetText("0");
    int y = 0, m = 0, d = 0, hy = 0, hm = 0, hd = 0;
    DecodeDate(spin->GetDateValue(), y, m, d);
    DecodeDate(Now(), hy, hm, hd);
    EXPECT_EQ(y * 10000 + m * 100 + d, hy * 10000 + hm * 100 + hd);
    spin->SetText("no es fecha");
    EXPECT_EQ(spin->GetDateValue(), EncodeDate(2005, 1, 1));
}

TEST_F(PruebaSpin, UnEditDeSoloLecturaSoloPita) {
    spin->SetText("5");
    spin->SetReadOnly(true);
    const int antes = MessageBeepCount();
    spin->UpClick(spin);
    spin->DownClick(spin);
    EXPECT_EQ(spin->GetText(), "5");
    EXPECT_EQ(MessageBeepCount(), antes + 2);
}

TEST_F(PruebaSpin, CambiarElTipoNormalizaElTexto) {
    AjustesRegionales reg(',', '.');
    spin->SetMinValue(3);
    spin->SetText("250");
    spin->SetSpinType(sptNormal);
    EXPECT_EQ(spin->GetText(), "100");
    spin->SetText("1,5");
    spin->SetSpinType(sptFloat);
    EXPECT_EQ(spin->GetText(), "1,5");
    spin->SetText("7:5");
    spin->SetSpinType(sptTime);
    EXPECT_EQ(spin->GetText(), "07:05:00");
}

// --- the key filter ---

struct Tecla {
    TKsgSpinType tipo;
    const char* texto;
    int selStart, selLength;
    char tecla;
    bool valida;
    const char* caso;
    int precision = 0;
    bool editorEnabled = true;
};

class FiltroDeTeclas : public PruebaSpin, public ::testing::WithParamInterface<Tecla> {};

TEST_P(FiltroDeTeclas, IsValidChar) {
    const Tecla& t = GetParam();
    AjustesRegionales reg(',', '.', '/', "dd/MM/yyyy", ':');
    spin->SetSpinType(t.tipo);
    spin->SetPrecision(t.precision);
    spin->SetEditorEnabled(t.editorEnabled);
    spin->SetText(t.texto);
    spin->SetSelStart(t.selStart);
    spin->SetSelLength(t.selLength);
    char k = t.tecla;
    EXPECT_EQ(spin->IsValidChar(k), t.valida) << t.caso;
}

INSTANTIATE_TEST_SUITE_P(
    Spin, FiltroDeTeclas,
    ::testing::Values(Tecla{sptNormal, "12", 0, 0, '-', true, "menos al principio"},
                      Tecla{sptNormal, "12", 2, 0, '-', false, "menos en la posicion 2"},
                      Tecla{sptNormal, "-12", 0, 0, '-', false, "ya hay un menos"},
                      Tecla{sptNormal, "-12", 0, 1, '-', true, "el menos esta en la seleccion"},
                      Tecla{sptNormal, "12", 1, 0, '5', true, "cifra"},
                      Tecla{sptNormal, "12", 1, 0, ',', false, "decimal en un entero"},
                      Tecla{sptNormal, "12", 1, 0, 'a', false, "letra"},
                      Tecla{sptNormal, "12", 1, 0, 22, false, "control en un entero"},
                      Tecla{sptNormal, "12", 1, 0, 8, true, "retroceso"},
                      Tecla{sptNormal, "12", 1, 0, 8, false, "retroceso sin edicion", 0, false},
                      Tecla{sptNormal, "12", 1, 0, '3', false, "cifra sin edicion", 0, false},
                      Tecla{sptFloat, "1,2", 3, 0, ',', false, "segundo decimal"},
                      Tecla{sptFloat, "1,2", 1, 2, ',', true, "decimal que reemplaza la seleccion"},
                      Tecla{sptFloat, "12", 2, 0, '.', false, "separador de miles"},
                      Tecla{sptFloat, "12", 2, 0, 22, true, "control en un decimal"},
                      Tecla{sptFloat, "12", 2, 0, 13, false, "Intro"},
                      Tecla{sptFloat, "1,25", 4, 0, '3', false, "mas decimales que la precision",
                            2},
                      Tecla{sptFloat, "1,25", 3, 1, '3', true, "con seleccion", 2},
                      Tecla{sptFloat, "1,25", 0, 0, '3', true, "delante del separador", 2},
                      Tecla{sptFloat, "1,2", 3, 0, '3', true, "dentro de la precision", 2},
                      Tecla{sptFloat, "1,25", 4, 0, '3', true, "precision libre", 0},
                      Tecla{sptTime, "12", 2, 0, ':', true, "separador de hora"},
                      Tecla{sptTime, "12:30:00", 8, 0, ':', false, "tercer separador de hora"},
                      Tecla{sptTime, "12:30", 5, 0, '/', false, "separador de fecha en una hora"},
                      Tecla{sptNormal, "12", 2, 0, ':', false, "separador de hora en un entero"},
                      Tecla{sptDate, "1/2", 3, 0, '/', true, "separador de fecha"},
                      Tecla{sptDate, "1/2", 3, 0, ':', false, "separador de hora en una fecha"},
                      Tecla{sptFloat, "1", 1, 0, '/', false, "separador de fecha en un decimal"}));

// A date separator that is also the thousand separator is refused only by a time.
TEST_F(PruebaSpin, UnSeparadorCompartidoSoloLoRechazaElOtroTipo) {
    AjustesRegionales reg(',', '.', '.', "dd.MM.yyyy", ':');
    char k = '.';
    spin->SetSpinType(sptDate);
    spin->SetText("1.2");
    spin->SetSelStart(3);
    EXPECT_TRUE(spin->IsValidChar(k));
    spin->SetSpinType(sptTime);
    spin->SetText("1");
    EXPECT_FALSE(spin->IsValidChar(k));
}

// --- keys and the held arrow ---

TEST_F(PruebaSpin, LasFlechasYAvPagAvanzanYLoRechazadoPita) {
    spin->SetFocus();
    spin->SetValue(10);
    SimulateKeyStroke(VK_UP);
    SimulateKeyStroke(VK_PRIOR);
    EXPECT_EQ(spin->GetText(), "12");
    SimulateKeyStroke(VK_DOWN);
    SimulateKeyStroke(VK_DOWN);
    SimulateKeyStroke(VK_NEXT);
    EXPECT_EQ(spin->GetText(), "9");
    spin->SelectAll();
    const int antes = MessageBeepCount();
    SimulateTyping("4a2");
    EXPECT_EQ(spin->GetText(), "42");
    EXPECT_EQ(MessageBeepCount(), antes + 1);
    // Without typing, Delete does nothing either.
    spin->SetEditorEnabled(false);
    spin->SetSelStart(0);
    SimulateKeyStroke(VK_DELETE);
    SimulateTyping("7");
    EXPECT_EQ(spin->GetText(), "42");
}

TEST_F(PruebaSpin, IntroComoTabulador) {
    spin->SetReturnIsTab(true);
    spin->SetFocus();
    SimulateKeyStroke(VK_RETURN);
    Application->ProcessMessages();
    // The spin edit is last in the tab order: the first control comes next.
    EXPECT_TRUE(edit->Focused());
}

TEST_F(PruebaSpin, LaTeclaDecimalDelTecladoNumericoEscribeElSeparadorRegional) {
    AjustesRegionales coma(',', '.');
    spin->SetSpinType(sptFloat);
    spin->SetPrecision(2);
    spin->SetFocus();
    spin->SetText("");
    SimulateTyping("1");
    SimulateKeyStroke(VK_DECIMAL); // without the option the keypad gives its "."
    EXPECT_EQ(spin->GetText(), "1");
    spin->SetExcelStyleDecimalSeparator(true);
    SimulateKeyStroke(VK_DECIMAL);
    SimulateTyping("5."); // the main keyboard's "." stays a thousand separator
    EXPECT_EQ(spin->GetText(), "1,5");
}

TEST_F(PruebaSpin, AlSalirElTextoSeNormaliza) {
    AjustesRegionales reg(',', '.');
    spin->SetFocus();
    spin->SetText("500");
    siguiente->SetFocus();
    EXPECT_EQ(spin->GetText(), "100");
    spin->SetSpinType(sptTime);
    spin->SetFocus();
    spin->SetText("7:5");
    siguiente->SetFocus();
    EXPECT_EQ(spin->GetText(), "07:05:00");
}

TEST_F(PruebaSpin, LaFlechaSostenidaRepiteTras400msYLuegoCada100ms) {
    // The repeat is driven by the button's own timer: its ticks are fired here one by one, so
    // that the test does not depend on how busy the machine is.
    spin->SetMaxValue(0); // no range
    spin->SetValue(0);
    int cambios = 0;
    spin->OnChange = [&](TObject*) { ++cambios; };
    TKavTimerSpeedButton* arriba = spin->GetButton()->GetUpButton();
    EXPECT_EQ(arriba->GetRepeatTimer(), nullptr);
    SimulateMouse(arriba, SimulatedMouse::Down, 0, 3, 3);
    TTimer* reloj = arriba->GetRepeatTimer();
    ASSERT_NE(reloj, nullptr);
    EXPECT_TRUE(reloj->GetEnabled());
    EXPECT_EQ(reloj->GetInterval(), 400u) << "the first repeat waits 400 ms";
    EXPECT_TRUE(spin->Focused()); // the press focused the edit
    EXPECT_EQ(cambios, 0) << "a press alone does not step";
    for (int tick = 1; tick <= 3; ++tick) {
        ASSERT_TRUE(reloj->OnTimer);
        reloj->OnTimer(reloj);
        EXPECT_EQ(cambios, tick);
        EXPECT_EQ(reloj->GetInterval(), 100u) << "then every 100 ms";
        EXPECT_TRUE(reloj->GetEnabled());
    }
    SimulateMouse(arriba, SimulatedMouse::Up, 0, 3, 3);
    // The release is the press's own click; then nothing more.
    EXPECT_EQ(cambios, 4);
    EXPECT_FALSE(reloj->GetEnabled());
    EXPECT_EQ(spin->GetValue(), 4);
    // A new press starts again with the long wait.
    SimulateMouse(arriba, SimulatedMouse::Down, 0, 3, 3);
    EXPECT_EQ(reloj->GetInterval(), 400u);
    SimulateMouse(arriba, SimulatedMouse::Up, 0, 3, 3);
    EXPECT_EQ(spin->GetValue(), 5);
    // The down arrow steps down.
    SimulateClick(spin->GetButton()->GetDownButton(), 3, 3);
    EXPECT_EQ(spin->GetValue(), 4);
}

TEST_F(PruebaSpin, LasFlechasConElFocoRespondenAEspacioArribaYAbajo) {
    TKsgSpinButton* flechas = spin->GetButton();
    int arriba = 0, abajo = 0;
    flechas->OnUpClick = [&](TObject*) { ++arriba; };
    flechas->OnDownClick = [&](TObject*) { ++abajo; };
    flechas->SetTabStop(true);
    flechas->SetFocus();
    SimulateKeyStroke(VK_SPACE);
    SimulateKeyStroke(VK_DOWN);
    SimulateKeyStroke(VK_SPACE);
    EXPECT_EQ(flechas->GetFocusedButton(), flechas->GetDownButton());
    SimulateKeyStroke(VK_UP);
    EXPECT_EQ(arriba, 2);
    EXPECT_EQ(abajo, 2);
    EXPECT_TRUE(flechas->GetUpButton()->GetTimeBtnState().Contains(tbFocusRect));
}

TEST_F(PruebaSpin, ConMascaraSeEscribeYSeAvanzaDentroDeElla) {
    AjustesRegionales reg(',', '.');
    auto* m = new TKavMaskSpinEdit(ventana.get());
    m->SetParent(ventana.get());
    m->SetBounds(120, 140, 120, 24);
    m->SetSpinType(sptTime);
    m->SetEditMask("!90:00:00;1;_");
    m->SetTimeValue(8.5 / 24);
    EXPECT_EQ(m->GetText(), "08:30:00");
    m->SetFocus();
    m->SetSelStart(4);
    m->SetSelLength(0);
    SimulateKeyStroke(VK_UP);
    EXPECT_EQ(m->GetText(), "08:31:00");
    m->SetSelStart(0);
    m->SetSelLength(0);
    const int antes = MessageBeepCount();
    SimulateTyping("1x245");
    EXPECT_EQ(m->GetText(), "12:45:00");
    EXPECT_EQ(MessageBeepCount(), antes + 1);
    EXPECT_DOUBLE_EQ(m->GetTimeValue(), (12 * 60 + 45) / 1440.0);
}

// --- layout ---

TEST_F(PruebaSpin, LasFlechasDentroDelBordeDerechoYElTextoAntes) {
    TKsgSpinButton* b = spin->GetButton();
    spin->SetBounds(120, 100, 120, 30);
    EXPECT_EQ(b->GetLeft(), 120 - 15 - 5);
    EXPECT_EQ(b->GetTop(), 0);
    EXPECT_EQ(b->GetHeight(), 25);
    // The two arrows overlap by one pixel.
    EXPECT_EQ(b->GetUpButton()->GetBoundsRect(), TRect(0, 0, 15, 12));
    EXPECT_EQ(b->GetDownButton()->GetBoundsRect(), TRect(0, 11, 15, 25));
    TRect r;
    spin->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.Right, spin->GetClientWidth() - 15 - 2);
    // Below its font's height the edit snaps back.
    spin->SetHeight(5);
    EXPECT_EQ(spin->GetHeight(), spin->GetMinHeight());
    EXPECT_GT(spin->GetMinHeight(), 10);
    spin->SetDirection(spHorizontal);
    EXPECT_EQ(b->GetWidth(), 20);
    EXPECT_EQ(b->GetUpButton()->GetButtonDirection(), bdRight);
    EXPECT_EQ(b->GetDownButton()->GetLeft(), 0);
    EXPECT_EQ(b->GetUpButton()->GetLeft(), 11);
}

// SpinTransparent reaches both arrow buttons, is kept, and lays the edit out again; the
// arrows' faces then show what lies behind them instead of the button face, whether they
// stand one above the other (speed buttons) or side by side (scroll arrows).
TEST_F(PruebaSpin, SpinTransparenteLlegaALasDosFlechas) {
    TKsgSpinButton* b = spin->GetButton();
    b->SetColor(clAqua);
    auto cara = [&](TControl* flecha) {
        const QImage img = b->GetWidget()->grab().toImage();
        return img.pixelColor(flecha->GetLeft() + 3, flecha->GetTop() + 2);
    };
    int medidas = 0;
    const TWndMethod original = spin->WindowProc;
    spin->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_SIZE) ++medidas;
        original(m);
    };
    for (const TSpinDirection direccion : {spVertical, spHorizontal}) {
        spin->SetDirection(direccion);
        for (const bool transparente : {true, false}) {
            SCOPED_TRACE(testing::Message() << (direccion == spVertical ? "vertical" : "horizontal")
                                            << (transparente ? ", transparente" : ", opaco"));
            medidas = 0;
            spin->SetSpinTransparent(transparente);
            EXPECT_EQ(spin->GetSpinTransparent(), transparente);
            EXPECT_GT(medidas, 0);
            for (TSpeedButton* flecha : {static_cast<TSpeedButton*>(b->GetUpButton()),
                                         static_cast<TSpeedButton*>(b->GetDownButton())}) {
                EXPECT_EQ(flecha->GetTransparent(), transparente);
                EXPECT_EQ(cara(flecha) == QColor(0, 255, 255), transparente);
            }
            if (transparente)
                SaveCapture(ventana.get(), direccion == spVertical
                                               ? "spin-transparente"
                                               : "spin-transparente-horizontal");
        }
    }
    spin->WindowProc = original;
}

TEST_F(PruebaSpin, CapturaDeSusAspectos) {
    AjustesRegionales reg(',', '.');
    spin->SetValue(42);
    TKsgSpinEdit* decimal = NuevoSpin(120, 140);
    decimal->SetSpinType(sptFloat);
    decimal->SetPrecision(2);
    decimal->SetFloatValue(3.5);
    decimal->SetDirection(spHorizontal);
    TKsgSpinEdit* hora = NuevoSpin(120, 180);
    hora->SetSpinType(sptTime);
    hora->SetTimeValue(0.5);
    hora->SetSpinFlat(true);
    TKsgSpinEdit* tema = NuevoSpin(120, 220);
    SetThemeActive(true);
    tema->SetIsWinXP(true);
    tema->SetEditAlign(eaRight);
    SimulateMouseEnter(tema->GetButton()->GetUpButton());
    EXPECT_TRUE(tema->GetButton()->GetUpButton()->GetHot());
    const AnsiString ruta = SaveCapture(ventana.get(), "spin-aspectos");
    SetThemeActive(false);
    EXPECT_FALSE(ruta.IsEmpty());
}

} // namespace
