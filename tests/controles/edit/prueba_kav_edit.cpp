// The typed edit driven as a user drives it: typing and pasting per type and regional
// separator, focus entry and exit, Escape, Return as Tab, prefix and suffix, the attached
// label, the lookup list and the stored history.

#include "tests/controles/edit/prueba_kav_comun.h"

#include "plataforma/base/files.h"
#include "plataforma/base/ini_file.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/services/clipboard.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/pruebas.h"

#include <sys/stat.h>

namespace {

// --- typing ---

// A type with its sign, decimals and regional separator; what is typed or pasted into the
// whole (selected) value; the value that results.
struct Entrada {
    const char* caso;
    TKavEditType tipo;
    bool conSigno;
    short decimales;
    char separador;
    const char* entrada;
    const char* resultado;
};

// Named by its case in the test lists.
void PrintTo(const Entrada& e, std::ostream* os) {
    *os << e.caso;
}

class EntradaPorTipo : public PruebaKav, public ::testing::WithParamInterface<Entrada> {
protected:
    // The edit of the case, entered, its value selected.
    void Preparar() {
        const Entrada& e = GetParam();
        edit->SetEditType(e.tipo);
        edit->SetSigned(e.conSigno);
        edit->SetPrecision(e.decimales);
        edit->SetValidChars("xz");
        edit->SetText("");
        edit->SetFocus();
        edit->SelectAll();
    }
};

using EscrituraPorTipo = EntradaPorTipo;

TEST_P(EscrituraPorTipo, CadaTipoDejaPasarSoloLoSuyo) {
    const Entrada& t = GetParam();
    SeparadoresRegionales sep(t.separador);
    Preparar();
    SimulateTyping(t.entrada);
    EXPECT_EQ(edit->GetText(), t.resultado) << t.caso;
}

const Entrada kTecleos[] = {
    {"entero sin signo", etNumeric, false, 0, ',', "12a-3", "123"},
    {"entero con signo: el menos va delante", etNumeric, true, 0, ',', "12-3", "-123"},
    {"signo dos veces se quita", etNumeric, true, 0, ',', "12--", "12"},
    {"decimal con coma", etFloat, false, 2, ',', "1,5", "1,5"},
    {"sin decimales no hay separador", etFloat, false, 0, '.', "1.5", "15"},
    {"decimales llenos", etFloat, false, 2, '.', "1.257", "1.25"},
    {"segundo separador lleva tras el primero", etFloat, false, 2, ',', "3,1,4", "3,41"},
    {"moneda agrupa miles", etMoney, false, 2, ',', "1234567", "1.234.567"},
    {"moneda con decimales", etMoney, false, 2, '.', "1234.5", "1,234.5"},
    {"mayusculas", etUppercase, false, 0, ',', "abñ", "ABÑ"},
    {"minusculas", etLowerCase, false, 0, ',', "ABÑ", "abñ"},
    {"mayusculas y minusculas", etMixedCase, false, 0, ',', "mcdonald of the year ii",
     "McDonald Of The Year II"},
    {"hexadecimal", etHex, false, 0, ',', "1aG-", "1a-"},
    {"alfanumerico", etAlphaNumeric, false, 0, ',', "a-1 b", "a1b"},
    {"caracteres validos", etValidChars, false, 0, ',', "xyz", "xz"},
    {"rango", etRange, false, 0, ',', "1-5,7", "1-5,7"},
    {"rango: separador al principio", etRange, false, 0, ',', ",1", "1"},
    {"rango: dos separadores seguidos", etRange, false, 0, ',', "1,-2", "1,2"},
};
INSTANTIATE_TEST_SUITE_P(Tipos, EscrituraPorTipo, ::testing::ValuesIn(kTecleos));

TEST_F(PruebaKav, DecimalesLlenosReemplazanElDigitoYElSeparadorLlevaTrasEl) {
    SeparadoresRegionales sep('.');
    edit->SetEditType(etFloat);
    edit->SetPrecision(2);
    edit->SetAutoSelect(false);
    edit->SetText("1.25");
    edit->SetFocus();
    edit->SetSelStart(2); // before the "2"
    SimulateTyping("7");
    EXPECT_EQ(edit->GetText(), "1.75");
    edit->SetSelStart(0);
    SimulateTyping(".");
    EXPECT_EQ(edit->GetText(), "1.75");
    EXPECT_EQ(edit->GetSelStart(), 2);
}

TEST_F(PruebaKav, ElSeparadorEnUnValorVacioEscribeCero) {
    SeparadoresRegionales sep('.');
    edit->SetEditType(etFloat);
    edit->SetPrecision(2);
    edit->SetFocus();
    edit->SetWindowTextForTest("");
    SimulateTyping(".5");
    EXPECT_EQ(edit->GetText(), "0.5");
    edit->SetPrecision(0);
    edit->SetWindowTextForTest("");
    SimulateTyping(".");
    EXPECT_EQ(edit->GetText(), "");
}

TEST_F(PruebaKav, MonedaSeleccionadaEntera_ElSeparadorEmpiezaDeCero) {
    SeparadoresRegionales sep(',');
    edit->SetEditType(etMoney);
    edit->SetPrecision(2);
    edit->SetText("12,50");
    edit->SetFocus();
    edit->SelectAll();
    SimulateTyping(",");
    EXPECT_EQ(edit->GetText(), "0,00");
    EXPECT_EQ(edit->GetSelStart(), 2);
}

// "-" typed over a selection of a signed decimal or money value: it replaces the selection
// only as the sign (at the value's start, no other "-" left); anywhere else it is dropped
// and the value stays whole.
TEST_F(PruebaKav, ElMenosSobreUnaSeleccionSoloEntraComoSigno) {
    struct Caso {
        TKavEditType tipo;
        const char* valor;
        int desde, largo;
        const char* resultado;
    } casos[] = {
        {etFloat, "123", 1, 1, "123"}, {etMoney, "123", 1, 1, "123"},
        {etFloat, "123", 0, 1, "-23"}, {etMoney, "1.234", 0, 2, "-234"},
        {etFloat, "-12", 1, 1, "-12"}, {etFloat, "-12", 0, 2, "-2"},
        {etMoney, "123", 0, 3, "-"},   {etFloat, "-12", 2, 1, "-12"},
    };
    SeparadoresRegionales sep(',');
    edit->SetSigned(true);
    edit->SetPrecision(2);
    edit->SetAutoSelect(false);
    edit->SetFocus();
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.valor) + " desde " + std::to_string(c.desde));
        edit->SetEditType(c.tipo);
        edit->SetWindowTextForTest(c.valor);
        edit->SetSelStart(c.desde);
        edit->SetSelLength(c.largo);
        SimulateTyping("-");
        EXPECT_EQ(edit->GetText(), c.resultado);
    }
}

TEST_F(PruebaKav, ElSignoConPrefijoYSufijoLosDejaEnSuSitio) {
    edit->SetEditType(etNumeric);
    edit->SetSigned(true);
    edit->SetPrefix("#");
    edit->SetSuffix(" uds");
    edit->SetText("12");
    edit->SetFocus();
    edit->SetSelStart(3);
    SimulateTyping("-");
    EXPECT_EQ(edit->WindowTextForTest(), "#-12 uds");
    SimulateTyping("-");
    EXPECT_EQ(edit->WindowTextForTest(), "#12 uds");
    EXPECT_EQ(edit->GetText(), "12");
}

TEST_F(PruebaKav, LongitudLimitadaPasaAlSiguienteControlYNoAdmiteMasEnteros) {
    SeparadoresRegionales sep(',');
    edit->SetEditType(etFloat);
    edit->SetPrecision(2);
    edit->SetLengthLimit(3);
    edit->SetTabOnFullLength(true);
    edit->SetText("");
    edit->SetFocus();
    edit->SelectAll();
    SimulateTyping("12");
    EXPECT_TRUE(edit->Focused());
    SimulateTyping("3");
    Application->ProcessMessages();
    EXPECT_TRUE(siguiente->Focused());
    edit->SetFocus();
    edit->SetSelStart(3);
    edit->SetSelLength(0);
    // Formatted at the exit; a fourth integer digit is dropped, the separator goes after
    // the one there, and the full decimals are overwritten.
    EXPECT_EQ(edit->GetText(), "123,00");
    SimulateTyping("4");
    EXPECT_EQ(edit->GetText(), "123,00");
    SimulateTyping(",");
    EXPECT_EQ(edit->GetSelStart(), 4);
    SimulateTyping("5");
    EXPECT_EQ(edit->GetText(), "123,50");
    SimulateKeyStroke(VK_BACK);
    EXPECT_EQ(edit->GetText(), "123,0");
}

TEST_F(PruebaKav, ElPuntoDelTecladoNumericoEscribeElSeparadorRegional) {
    SeparadoresRegionales sep(',');
    edit->SetEditType(etFloat);
    edit->SetPrecision(2);
    edit->SetExcelStyleDecimalSeparator(true);
    edit->SetText("");
    edit->SetFocus();
    edit->SelectAll();
    SimulateTyping("1");
    SimulateKeyStroke(VK_DECIMAL);
    SimulateTyping("5");
    EXPECT_EQ(edit->GetText(), "1,5");
}

// --- pasting ---

using PegadoPorTipo = EntradaPorTipo;

TEST_P(PegadoPorTipo, ElPegadoSeAceptaOSeRechazaEntero) {
    const Entrada& p = GetParam();
    SeparadoresRegionales sep(p.separador);
    Preparar();
    Clipboard()->SetAsText(p.entrada);
    SimulateKeyStroke('V', {ssCtrl});
    EXPECT_EQ(edit->GetText(), p.resultado) << p.caso;
}

const Entrada kPegados[] = {
    {"texto", etString, false, 0, ',', "hola", "hola"},
    {"mayusculas", etUppercase, false, 0, ',', "hola", "HOLA"},
    {"entero con letra", etNumeric, false, 0, ',', "12a", "0"},
    {"entero", etNumeric, false, 0, ',', "123", "123"},
    {"menos en medio", etNumeric, true, 0, ',', "12-3", "0"},
    {"menos sin signo", etNumeric, false, 0, ',', "-3", "0"},
    {"negativo con signo", etNumeric, true, 0, ',', "-3", "-3"},
    {"decimal sin decimales", etFloat, false, 0, '.', "1.5", "0"},
    {"decimal a su precision", etFloat, false, 2, ',', "1,5", "1,50"},
    {"moneda", etMoney, false, 2, ',', "1234,5", "1.234,50"},
    {"hexadecimal nunca", etHex, false, 0, ',', "AB", "0"},
    {"rango nunca", etRange, false, 0, ',', "1-3", ""},
    {"alfanumerico", etAlphaNumeric, false, 0, ',', "ab 1", ""},
};
INSTANTIATE_TEST_SUITE_P(Tipos, PegadoPorTipo, ::testing::ValuesIn(kPegados));

TEST_F(PruebaKav, ElPegadoPuedeVetarseYSeInsertaEnElCursor) {
    edit->SetText("ac");
    edit->SetFocus();
    edit->SetSelStart(1);
    edit->SetSelLength(0);
    Clipboard()->SetAsText("b");
    AnsiString propuesto;
    bool permitir = true;
    edit->OnClipboardPaste = [&](TObject*, const AnsiString& v, bool& allow) {
        propuesto = v;
        allow = permitir;
    };
    permitir = false;
    edit->PasteFromClipboard();
    EXPECT_EQ(propuesto, "abc");
    EXPECT_EQ(edit->GetText(), "ac");
    permitir = true;
    edit->PasteFromClipboard();
    EXPECT_EQ(edit->GetText(), "abc");
    EXPECT_EQ(edit->GetSelStart(), 2);
    EXPECT_TRUE(edit->GetModified());
}

// --- value model ---

// A money value set while its form is built, before it is shown: the user's first change
// is reported and regrouped, as every later one.
TEST_F(PruebaKav, MonedaPuestaAntesDeLaVentanaAvisaDelPrimerCambio) {
    SeparadoresRegionales sep(',');
    struct Caso {
        const char* como;
        void (*poner)(TKavEdit*);
    } casos[] = {
        {"SetFloat", [](TKavEdit* e) { e->SetFloat(1234); }},
        {"SetInt", [](TKavEdit* e) { e->SetInt(1234); }},
        {"AutoThousandSeparator",
         [](TKavEdit* e) {
             e->SetText("1234");
             e->SetAutoThousandSeparator(true);
         }},
    };
    for (const Caso& k : casos) {
        TForm f(nullptr);
        f.SetBounds(0, 0, 300, 100);
        auto* e = new EditPrueba(&f);
        e->SetParent(&f);
        e->SetBounds(10, 10, 150, 21);
        e->SetEditType(etMoney);
        k.poner(e);
        EXPECT_EQ(e->GetText(), "1.234") << k.como;
        int cambios = 0;
        e->OnChange = [&](TObject*) { ++cambios; };
        f.Show();
        e->SetFocus();
        e->SetSelStart(5);
        e->SetSelLength(0);
        SimulateTyping("5", e);
        EXPECT_EQ(e->GetText(), "12.345") << k.como;
        EXPECT_EQ(cambios, 1) << k.como;
        SimulateTyping("6", e);
        EXPECT_EQ(e->GetText(), "123.456") << k.como;
        EXPECT_EQ(cambios, 2) << k.como;
    }
}

// A money value longer than a double holds keeps every digit typed, while typing and when
// the focus leaves it.
TEST_F(PruebaKav, MonedaLargaConservaSusDigitos) {
    SeparadoresRegionales sep(',');
    edit->SetEditType(etMoney);
    edit->SetPrecision(2);
    edit->SetText("");
    edit->SetFocus();
    edit->SelectAll();
    SimulateTyping("12345678901234567");
    EXPECT_EQ(edit->GetText(), "12.345.678.901.234.567");
    SimulateTyping(",5");
    siguiente->SetFocus();
    EXPECT_EQ(edit->GetText(), "12.345.678.901.234.567,50");
}

TEST(TextoDeMoneda, DesdeSusDigitos) {
    SeparadoresRegionales sep(',');
    struct Caso {
        const char* valor;
        int decimales;
        const char* resultado; // nullptr: no plain number
    } casos[] = {
        {"12345678901234567,456", 2, "12.345.678.901.234.567,46"},
        {"12.345.678.901.234.567", 2, "12.345.678.901.234.567,00"},
        {"999,995", 2, "1.000,00"},
        {"-999,994", 2, "-999,99"},
        {"-0,001", 2, "0,00"},
        {"0012", 0, "12"},
        {",5", 1, "0,5"},
        {"7,25", 0, "7"},
        {"abc", 2, nullptr},
        {"1,2,3", 2, nullptr},
        {"1-2", 2, nullptr},
        {"-", 2, nullptr},
    };
    for (const Caso& k : casos) {
        AnsiString r = "sin tocar";
        const bool ok = FormatMoneyText(k.valor, k.decimales, r);
        EXPECT_EQ(ok, k.resultado != nullptr) << k.valor;
        EXPECT_EQ(r, k.resultado ? k.resultado : "sin tocar") << k.valor;
    }
}

TEST_F(PruebaKav, PrefijoYSufijoRodeanElValor) {
    edit->SetPrefix("$");
    edit->SetSuffix(" EUR");
    edit->SetText("12");
    EXPECT_EQ(edit->WindowTextForTest(), "$12 EUR");
    EXPECT_EQ(edit->GetText(), "12");
    // A suffix that is not there is not cut from the value.
    edit->SetWindowTextForTest("ab");
    EXPECT_EQ(edit->GetText(), "ab");
}

TEST_F(PruebaKav, ElValorSeFormateaPorTipoYPrecision) {
    SeparadoresRegionales sep(',');
    edit->SetEditType(etFloat);
    edit->SetPrecision(2);
    edit->SetText("");
    EXPECT_EQ(edit->GetText(), "0,00");
    edit->SetText("abc");
    EXPECT_EQ(edit->GetText(), "0,00");
    edit->SetText("3,14159");
    EXPECT_EQ(edit->GetText(), "3,14");
    EXPECT_DOUBLE_EQ(edit->GetFloat(), 3.14);

    auto* texto = NuevoEdit(10, 200);
    texto->SetPrecision(2);
    texto->SetText("abc");
    EXPECT_EQ(texto->GetText(), "abc");
    texto->SetPrecision(3);
    EXPECT_EQ(texto->GetText(), "0,000");

    auto* entero = NuevoEdit(10, 230);
    entero->SetEditType(etNumeric);
    entero->SetText("abc");
    EXPECT_EQ(entero->GetText(), "abc");
    entero->SetPrecision(2);
    EXPECT_EQ(entero->GetPrecision(), 0);

    auto* hex = NuevoEdit(10, 260);
    hex->SetEditType(etHex);
    hex->SetText("ff");
    EXPECT_EQ(hex->GetText(), "FF");
    EXPECT_EQ(hex->GetInt(), 255);
}

TEST(TextoKav, TiposDeTextoYMayusculasMixtas) {
    SeparadoresRegionales sep(',');
    EXPECT_EQ(TextKind("123"), atNumeric);
    EXPECT_EQ(TextKind("-1,5"), atFloat);
    EXPECT_EQ(TextKind("1.234,5"), atFloat);
    EXPECT_EQ(TextKind("1.2.3"), atString);
    EXPECT_EQ(TextKind("1,2,3"), atString);
    EXPECT_EQ(TextKind("AF"), atHex);
    EXPECT_EQ(TextKind(""), atString);
    EXPECT_EQ(MixedCase("o'neil"), "O'neil");
    EXPECT_EQ(MixedCase("macintosh"), "MacIntosh");
    EXPECT_EQ(HexToInt("1f"), 31);
    EXPECT_EQ(HexToInt("1z"), 16);
}

// --- focus, keys ---

TEST_F(PruebaKav, ElFocoSeleccionaAntesDelSeparadorYAlSalirFormatea) {
    SeparadoresRegionales sep(',');
    edit->SetEditType(etFloat);
    edit->SetPrecision(0);
    edit->SetText("1,5");
    edit->SetPrecision(2);
    edit->SetText("1,5");
    edit->SetWindowTextForTest("1,5");
    edit->SetAutoSelect(false);
    edit->SetFocus();
    EXPECT_EQ(edit->GetSelStart(), 1);
    EXPECT_EQ(edit->GetSelLength(), 0);
    const bool antes = edit->GetModified();
    siguiente->SetFocus();
    EXPECT_EQ(edit->GetText(), "1,50");
    EXPECT_EQ(edit->GetModified(), antes);

    auto* entero = NuevoEdit(10, 200);
    entero->SetEditType(etNumeric);
    entero->SetFocus();
    entero->SetWindowTextForTest("");
    siguiente->SetFocus();
    EXPECT_EQ(entero->GetText(), "0");
}

TEST_F(PruebaKav, LosColoresDeFocoVanYVuelven) {
    edit->SetFocusColor(clYellow);
    edit->SetFocusFontColor(clRed);
    edit->SetFocus();
    EXPECT_EQ(edit->GetColor(), clYellow);
    EXPECT_EQ(edit->GetFont()->GetColor(), clRed);
    siguiente->SetFocus();
    EXPECT_EQ(edit->GetColor(), clWindow);
    EXPECT_EQ(edit->GetFont()->GetColor(), clWindowText);
}

// The focus look (alignment, colour, bold label) lasts while the edit has the focus: each
// way of leaving takes it off, the window re-created on the way out does not take the focus
// back, and the edit is told once that it lost it.
TEST_F(PruebaKav, AlSalirSeQuitaElAspectoDeFocoYElFocoNoVuelve) {
    edit->SetEditAlign(eaLeft);
    edit->SetFocusAlign(eaRight);
    edit->SetFocusColor(clYellow);
    edit->SetFocusLabel(true);
    edit->SetLabelCaption("Espesor");
    edit->SetText("1900");
    TLabel* etiqueta = edit->GetEditLabel();
    ASSERT_NE(etiqueta, nullptr);
    auto negrita = [&] { return etiqueta->GetFont()->GetStyle().Contains(fsBold); };

    std::vector<UINT> mensajes;
    const TWndMethod original = edit->WindowProc;
    edit->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_SETFOCUS || m.Msg == WM_KILLFOCUS || m.Msg == WM_DESTROY ||
            m.Msg == CM_ENTER || m.Msg == CM_EXIT)
            mensajes.push_back(m.Msg);
        original(m);
    };
    struct Salida {
        const char* como;
        std::function<void()> salir;
    };
    const Salida salidas[] = {
        {"Tab", [] { SimulateKeyStroke(VK_TAB); }},
        {"clic en el otro control", [&] { SimulateClick(siguiente, 5, 5); }},
    };
    for (const Salida& s : salidas)
        for (int vez = 1; vez <= 3; ++vez) {
            SCOPED_TRACE(testing::Message() << s.como << ", vez " << vez);
            SimulateClick(edit, 5, 5);
            ASSERT_TRUE(edit->Focused());
            EXPECT_EQ(edit->GetEditAlign(), eaRight);
            EXPECT_EQ(edit->GetColor(), clYellow);
            EXPECT_TRUE(negrita());
            if (vez == 1) SaveCapture(ventana.get(), AnsiString("kav-edit-foco-dentro"));

            mensajes.clear();
            s.salir();
            EXPECT_TRUE(siguiente->Focused());
            EXPECT_FALSE(edit->Focused());
            EXPECT_EQ(mensajes, (std::vector<UINT>{WM_KILLFOCUS, WM_DESTROY, CM_EXIT}));
            EXPECT_EQ(edit->GetEditAlign(), eaLeft);
            EXPECT_EQ(edit->GetColor(), clWindow);
            EXPECT_FALSE(negrita());
        }
    SaveCapture(ventana.get(), "kav-edit-foco-fuera");
    edit->WindowProc = original;
}

// A text wider than the edit shows whole in its hint, whether or not the edit has a Hint of
// its own; the Hint shows when the text fits; nothing shows without ShowHint.
TEST_F(PruebaKav, LaPistaMuestraElTextoQueNoCabeAunqueNoHayaHint) {
    const AnsiString largo = "Ladrillo hueco doble de gran formato, 11,5 cm";
    struct Caso {
        const char* caso;
        bool mostrar;
        const char* hint;
        bool textoLargo;
        AnsiString esperado;
    };
    const Caso casos[] = {
        {"sin Hint, texto largo", true, "", true, largo},
        {"con Hint, texto largo", true, "Material", true, largo},
        {"con Hint, texto corto", true, "Material", false, "Material"},
        {"sin Hint, texto corto", true, "", false, ""},
        {"sin ShowHint", false, "Material", true, ""},
    };
    edit->SetWidth(60);
    edit->SetHintShowLargeText(true);
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.caso);
        CancelHint();
        edit->SetShowHint(k.mostrar);
        edit->SetHint(k.hint);
        edit->SetText(k.textoLargo ? largo : AnsiString("12"));
        EXPECT_EQ(SimulateHintRest(edit, 5, 5), k.esperado);
    }
    CancelHint();
}

TEST_F(PruebaKav, EscapeDeshaceLoEscritoDesdeLaEntrada) {
    edit->SetText("original");
    edit->SetFocus();
    edit->SelectAll();
    SimulateTyping("nuevo");
    EXPECT_TRUE(edit->GetModified());
    SimulateKeyStroke(VK_ESCAPE);
    Application->ProcessMessages();
    EXPECT_EQ(edit->GetText(), "original");
    EXPECT_FALSE(edit->GetModified());
    EXPECT_EQ(edit->GetSelLength(), 8);

    edit->SetCanUndo(false);
    edit->SetFocus();
    SimulateTyping("x");
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_EQ(edit->GetText(), "x");
}

TEST_F(PruebaKav, IntroComoTabuladorPasaElFoco) {
    edit->SetReturnIsTab(true);
    edit->SetFocus();
    SimulateKeyStroke(VK_RETURN, {ssCtrl});
    Application->ProcessMessages();
    EXPECT_TRUE(edit->Focused());
    SimulateKeyStroke(VK_RETURN);
    Application->ProcessMessages();
    EXPECT_TRUE(siguiente->Focused());
}

TEST_F(PruebaKav, ElCursorNuncaEntraEnPrefijoNiSufijo) {
    edit->SetPrefix("[");
    edit->SetSuffix("]");
    edit->SetText("abc");
    edit->SetFocus();
    edit->SetSelStart(4);
    edit->SetSelLength(0);
    SimulateKeyStroke(VK_RIGHT);
    EXPECT_EQ(edit->GetSelStart(), 4);
    SimulateKeyStroke(VK_DELETE);
    EXPECT_EQ(edit->GetText(), "abc");
    SimulateKeyStroke(VK_HOME);
    EXPECT_EQ(edit->GetSelStart(), 1);
    SimulateKeyStroke(VK_LEFT);
    EXPECT_EQ(edit->GetSelStart(), 1);
    SimulateKeyStroke(VK_BACK);
    EXPECT_EQ(edit->WindowTextForTest(), "[abc]");
    SimulateKeyStroke(VK_END);
    EXPECT_EQ(edit->GetSelStart(), 4);
}

TEST_F(PruebaKav, ElErrorColoreaYAlQuitarseVuelveElColorQueToca) {
    edit->SetShowError(true);
    edit->SetFocusColor(clYellow);
    edit->OnValueValidate = [](TObject*, const AnsiString& v, bool& ok) { ok = v != "mal"; };
    edit->SetFocus();
    edit->SelectAll();
    SimulateTyping("mal");
    EXPECT_TRUE(edit->GetError());
    EXPECT_EQ(edit->GetColor(), edit->GetErrorColor());
    EXPECT_EQ(edit->GetFont()->GetColor(), edit->GetErrorFontColor());
    SimulateTyping("o");
    EXPECT_FALSE(edit->GetError());
    EXPECT_EQ(edit->GetColor(), clYellow);
    siguiente->SetFocus();
    EXPECT_EQ(edit->GetColor(), clWindow);
}

TEST_F(PruebaKav, LaDireccionSeSubrayaYSoloSeAbrenWebYCorreo) {
    edit->SetShowURL(true);
    edit->SetFocus();
    SimulateTyping("www.");
    EXPECT_TRUE(edit->GetFont()->GetStyle().Contains(fsUnderline));
    EXPECT_EQ(edit->GetFont()->GetColor(), edit->GetURLColor());
    EXPECT_EQ(edit->GetCursor(), crHandPoint);
    SimulateKeyStroke(VK_BACK);
    EXPECT_FALSE(edit->GetFont()->GetStyle().Contains(fsUnderline));

    Guion().AnswerShellExecute();
    edit->SetText("https://ejemplo.es");
    edit->SetFocus();
    SimulateClick(edit, 5, 5);
    ASSERT_EQ(Guion().ShownBoxes().size(), 1u);
    EXPECT_EQ(Guion().ShownBoxes()[0].text, "https://ejemplo.es");
    EXPECT_EQ(Guion().ShownBoxes()[0].caption, "open");

    // A text with "://" of another kind is never handed to the shell.
    edit->SetText("file://etc/passwd");
    SimulateClick(edit, 5, 5);
    EXPECT_EQ(Guion().ShownBoxes().size(), 1u);
}

TEST_F(PruebaKav, CopiarYCortarPuedenVetarse) {
    edit->SetText("abc");
    edit->SetFocus();
    edit->SelectAll();
    Clipboard()->SetAsText("antes");
    edit->OnClipboardCut = [](TObject*, const AnsiString&, bool& allow) { allow = false; };
    edit->CutToClipboard();
    EXPECT_EQ(edit->GetText(), "abc");
    EXPECT_EQ(Clipboard()->GetAsText(), "antes");
    AnsiString copiado;
    edit->OnClipboardCopy = [&](TObject*, const AnsiString& v, bool&) { copiado = v; };
    edit->CopyToClipboard();
    EXPECT_EQ(copiado, "abc");
    EXPECT_EQ(Clipboard()->GetAsText(), "abc");
}

// --- label, state ---

TEST_F(PruebaKav, LaEtiquetaSigueAlControl) {
    edit->SetLabelCaption("Espesor");
    TLabel* l = edit->GetEditLabel();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->GetParent(), edit->GetParent());
    EXPECT_EQ(l->GetTop(), edit->GetTop());
    const int tw = l->GetCanvas()->TextWidth("Espesor");
    EXPECT_EQ(l->GetLeft(), edit->GetLeft() - tw - 4);
    edit->SetBounds(150, 60, 100, edit->GetHeight());
    EXPECT_EQ(l->GetLeft(), 150 - tw - 4);
    EXPECT_EQ(l->GetTop(), 60);
    edit->SetLabelPosition(lpTopLeft);
    EXPECT_EQ(l->GetLeft(), 150);
    EXPECT_EQ(l->GetTop(), 60 - l->GetHeight() - 4);
    edit->SetLabelPosition(lpBottomCenter);
    EXPECT_EQ(l->GetTop(), 60 + edit->GetHeight() + 4);
    EXPECT_EQ(l->GetLeft(), 150 + (100 - l->GetWidth()) / 2);

    // A label taller than the edit stands centred on it.
    l->GetFont()->SetSize(24);
    edit->SetLabelPosition(lpLeftCenter);
    const int diff = l->GetHeight() - edit->GetHeight();
    ASSERT_GT(diff, 0);
    EXPECT_EQ(l->GetTop(), 60 - diff / 2);

    edit->SetVisible(false);
    EXPECT_FALSE(l->GetVisible());
    edit->SetVisible(true);
    EXPECT_TRUE(l->GetVisible());
}

TEST_F(PruebaKav, DeshabilitarPintaElColorDeshabilitadoYRestauraElSuyo) {
    edit->SetLabelCaption("Conductividad");
    edit->SetDisabledColor(static_cast<TColor>(16316664));
    edit->SetColorEx(static_cast<TColor>(0xE0FFFF));
    edit->SetEnabledEx(false);
    EXPECT_EQ(edit->GetColor(), static_cast<TColor>(16316664));
    EXPECT_FALSE(edit->GetEditLabel()->GetEnabled());
    edit->SetEnabledEx(false);
    edit->SetEnabledEx(true);
    EXPECT_EQ(edit->GetColor(), static_cast<TColor>(0xE0FFFF));
    EXPECT_TRUE(edit->GetEditLabel()->GetEnabled());
    edit->SetLabelAlwaysEnabled(true);
    edit->SetEnabledEx(false);
    EXPECT_TRUE(edit->GetEditLabel()->GetEnabled());
}

TEST_F(PruebaKav, EnTextoSetTextDevuelveLoEscritoYDisparaOnChange) {
    edit->SetPrecision(2);
    int cambios = 0;
    edit->OnChange = [&](TObject*) { ++cambios; };
    edit->SetText("0.000");
    EXPECT_EQ(edit->GetText(), "0.000");
    edit->SetText("Ladrillo perforado");
    EXPECT_EQ(edit->GetText(), "Ladrillo perforado");
    EXPECT_EQ(cambios, 2);
    EXPECT_FALSE(edit->GetModified());
    EXPECT_EQ(edit->GetVersion(), "2.7.0.2");
}

// --- lookup ---

TEST_F(PruebaKav, LaListaDeBusquedaSeOfreceAlEscribirYSeElige) {
    TLookupSettings* b = edit->GetLookup();
    b->SetEnabled(true);
    for (const char* s : {"Mortero", "madera", "Marmol", "Acero"})
        b->GetDisplayList()->Add(s);
    b->GetValueList()->Add("MOR");
    edit->SetFocus();
    SimulateTyping("m");
    EXPECT_FALSE(edit->GetLookupWindow()->GetVisible());
    SimulateTyping("a");
    ASSERT_TRUE(edit->GetLookupWindow()->GetVisible());
    TStrings* items = edit->GetLookupList()->GetItems();
    ASSERT_EQ(items->GetCount(), 2);
    EXPECT_EQ(items->GetStrings(0), "madera");
    EXPECT_EQ(items->GetStrings(1), "Marmol");
    EXPECT_EQ(edit->GetLookupList()->GetItemIndex(), 0);
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(edit->GetLookupList()->GetItemIndex(), 1);
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(edit->GetText(), "Marmol"); // no value: the shown text
    EXPECT_FALSE(edit->GetLookupWindow()->GetVisible());

    edit->SelectAll();
    SimulateTyping("mo");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(edit->GetText(), "MOR");
}

TEST_F(PruebaKav, BusquedaMultipleAnadeAlFinalConSeparador) {
    TLookupSettings* b = edit->GetLookup();
    b->SetEnabled(true);
    b->SetMulti(true);
    b->GetDisplayList()->Add("yeso");
    b->GetDisplayList()->Add("arena");
    edit->SetText("arena;");
    edit->SetFocus();
    edit->SetSelStart(6);
    SimulateTyping("ye");
    ASSERT_TRUE(edit->GetLookupWindow()->GetVisible());
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(edit->GetText(), "arena;yeso;");
    EXPECT_EQ(edit->GetSelStart(), 11);

    // Nothing chosen, nothing taken.
    edit->GetLookupList()->GetItems()->Clear();
    edit->DoneLookup();
    EXPECT_EQ(edit->GetText(), "arena;yeso;");
}

TEST_F(PruebaKav, LaHistoriaSeGuardaYSeRecuperaDelFicheroIni) {
    CarpetaTemporal carpeta;
    const AnsiString ini = carpeta.Ruta() + "historia.ini";
    {
        auto* e = NuevoEdit(10, 200);
        e->SetName("edMaterial");
        e->GetPersistence()->SetEnable(true);
        e->GetPersistence()->SetKey(ini);
        e->GetPersistence()->SetSection("Editor");
        e->GetLookup()->SetEnabled(true);
        e->GetLookup()->SetHistory(true);
        for (const char* s : {"uno", "dos", "tres"}) {
            e->GetLookup()->GetDisplayList()->Add(s);
            e->GetLookup()->GetValueList()->Add(AnsiString("v") + s);
        }
        e->SetText("dos");
        delete e;
    }
    TIniFile f(ini);
    EXPECT_EQ(f.ReadInteger("Editor", "LOOKUPCOUNT", 0), 3);
    EXPECT_EQ(f.ReadString("Editor", "LOOKUPDISPL3", ""), "tres");
    EXPECT_EQ(f.ReadString("Editor", "LOOKUPVAL1", ""), "vuno");
    EXPECT_EQ(f.ReadString("Editor", "edMaterial", ""), "dos");

    auto* e = new TKavEdit(ventana.get());
    e->BeginLoading();
    e->SetParent(ventana.get());
    e->SetName("edMaterial");
    e->GetPersistence()->SetEnable(true);
    e->GetPersistence()->SetKey(ini);
    e->GetPersistence()->SetSection("Editor");
    e->GetLookup()->SetEnabled(true);
    e->GetLookup()->SetHistory(true);
    e->GetLookup()->GetDisplayList()->Add("previo");
    e->EndLoading();
    EXPECT_EQ(e->GetText(), "dos");
    EXPECT_EQ(e->GetLookup()->GetDisplayList()->GetCount(), 4); // appended
    e->GetPersistence()->SetEnable(false);
}

TEST_F(PruebaKav, UnAlmacenQueNoSePuedeEscribirNoRompeElCierre) {
    CarpetaTemporal carpeta;
    const AnsiString dir = carpeta.Ruta() + "solo-lectura";
    ::mkdir(dir.c_str(), 0500);
    auto* e = NuevoEdit(10, 200);
    e->SetName("edX");
    e->GetPersistence()->SetEnable(true);
    e->GetPersistence()->SetKey(dir + "/no.ini");
    e->SetText("valor");
    EXPECT_NO_THROW(delete e);
    ::chmod(dir.c_str(), 0700);
}

TEST_F(PruebaKav, AlSalirLaHistoriaAnadeElValorNuevo) {
    edit->GetLookup()->SetEnabled(true);
    edit->GetLookup()->SetHistory(true);
    edit->SetFocus();
    SimulateTyping("  pizarra ");
    siguiente->SetFocus();
    ASSERT_EQ(edit->GetLookup()->GetDisplayList()->GetCount(), 1);
    EXPECT_EQ(edit->GetLookup()->GetDisplayList()->GetStrings(0), "pizarra");
    edit->SetFocus();
    siguiente->SetFocus();
    EXPECT_EQ(edit->GetLookup()->GetDisplayList()->GetCount(), 1);
}

} // namespace
