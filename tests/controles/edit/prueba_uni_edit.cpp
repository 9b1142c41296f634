// The wide edits: texts of any script kept through the window, its absence and its
// re-creation, typed, committed by an input method and pasted; the 8-bit view converted
// to Windows-1252; key events seeing 255; surrogate pairs never split; the memo's wrap.

#include "tests/controles/edit/prueba_kav_comun.h"

#include "controles/edit/uni_edit.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/gui/services/clipboard.h"

#include <string>
#include <vector>

// Wide texts shown as UTF-8 in the failures.
inline void PrintTo(const WideString& s, std::ostream* os) {
    *os << '"' << s.ToUtf8() << '"';
}

namespace {

const WideString kGriego(u"Καλημέρα");
const WideString kCirilico(u"Привет, мир");
const WideString kCjk(u"漢字とかな");
const WideString kEmoji(u"ok 😀 fin");
const WideString kMezcla(u"Año € Ω 😀");

// Every CM_TEXTCHANGED and every character OnKeyPress sees.
struct Registro {
    int cambiosTexto = 0;
    std::vector<unsigned char> teclas;
};

class PruebaUniEdit : public PruebaKav {
protected:
    template <class C> C* Nuevo(int x, int y, int ancho = 160, int alto = 21) {
        auto* c = new C(ventana.get());
        c->SetParent(ventana.get());
        c->SetBounds(x, y, ancho, alto);
        Vigilar(c);
        return c;
    }
    void Vigilar(TWinControl* c) {
        auto previo = c->WindowProc;
        c->WindowProc = [this, previo](TMessage& m) {
            if (m.Msg == CM_TEXTCHANGED) ++registro.cambiosTexto;
            previo(m);
        };
        c->OnKeyPress = [this](TObject*, char& k) {
            registro.teclas.push_back(static_cast<unsigned char>(k));
        };
    }
    Registro registro;
};

TEST_F(PruebaUniEdit, LosTextosDeCualquierEscrituraVanYVuelvenPorCadaControl) {
    auto* edit = Nuevo<TKsgUniEdit>(10, 10);
    auto* memo = Nuevo<TKsgUniMemo>(10, 40, 200, 60);
    for (const WideString& t : {kGriego, kCirilico, kCjk, kEmoji, kMezcla}) {
        edit->SetText(t);
        memo->SetText(t);
        EXPECT_EQ(edit->GetText(), t);
        EXPECT_EQ(memo->GetText(), t);
    }
    // Lines of the memo keep their breaks as CR LF, and U+00A0 stays itself.
    const WideString lineas(u"Α\u00A0β\r\nγ😀\r\n\r\nд");
    memo->SetText(lineas);
    EXPECT_EQ(memo->GetText(), lineas);
    EXPECT_EQ(memo->Perform(EM_GETLINECOUNT, 0, 0), 4);
}

TEST_F(PruebaUniEdit, ElTextoDe8BitsSeConvierteEnLaFronteraDeWindows1252) {
    auto* edit = Nuevo<TKsgUniEdit>(10, 10);
    edit->SetText(kMezcla);
    // Each character the code page lacks is one "?", a surrogate pair too.
    EXPECT_EQ(edit->TControl::GetText(), "Año € ? ?");
    char buf[6] = {};
    EXPECT_EQ(edit->Perform(WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf)), 5);
    EXPECT_STREQ(buf, "Año €");
    EXPECT_EQ(edit->Perform(WM_GETTEXTLENGTH, 0, 0), 9);
    edit->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Señal €"));
    EXPECT_EQ(edit->GetText(), WideString(u"Señal €"));
    // Only where the text turns 8-bit: the wide one stays whole.
    edit->SetText(kCjk);
    (void)edit->TControl::GetText();
    EXPECT_EQ(edit->GetText(), kCjk);
}

TEST_F(PruebaUniEdit, LasTeclasVen255YElCaracterLlegaIntacto) {
    auto* edit = Nuevo<TKsgUniEdit>(10, 10);
    edit->SetFocus();
    SimulateTyping(WideString(u"aéЖ€漢😀"), edit);
    EXPECT_EQ(edit->GetText(), WideString(u"aé\u0416€\u6F22\U0001F600"));
    // Up to U+00FF the key event sees the character; above it, 255.
    EXPECT_EQ(registro.teclas, (std::vector<unsigned char>{'a', 0xE9, 255, 255, 255, 255}));

    // A handler that changes the 255 gives its own character; one that clears it drops it.
    edit->SetText(WideString());
    edit->OnKeyPress = [](TObject*, char& k) {
        if (static_cast<unsigned char>(k) == 255) k = 'x';
    };
    SimulateTyping(WideString(u"Ωb"), edit);
    EXPECT_EQ(edit->GetText(), WideString(u"xb"));
    edit->OnKeyPress = [](TObject*, char& k) {
        if (static_cast<unsigned char>(k) == 255) k = 0;
    };
    SimulateTyping(WideString(u"Ωc"), edit);
    EXPECT_EQ(edit->GetText(), WideString(u"xbc"));
}

TEST_F(PruebaUniEdit, UnaCadenaDelMetodoDeEntradaLlegaCaracterACaracter) {
    auto* edit = Nuevo<TKsgUniEdit>(10, 10);
    edit->SetFocus();
    SimulateInputMethodCommit(WideString(u"日本é😀"), edit);
    EXPECT_EQ(edit->GetText(), WideString(u"\u65E5\u672Cé\U0001F600"));
    EXPECT_EQ(registro.teclas, (std::vector<unsigned char>{255, 255, 0xE9, 255}));
}

TEST_F(PruebaUniEdit, ElTextoSinVentanaSeGuardaYSobreviveALaRecreacion) {
    auto* edit = new TKsgUniEdit(ventana.get());
    Vigilar(edit);
    edit->SetText(kGriego);
    EXPECT_FALSE(edit->HandleAllocated());
    EXPECT_EQ(edit->GetText(), kGriego);
    edit->SetParent(ventana.get());
    edit->HandleNeeded();
    EXPECT_EQ(edit->GetText(), kGriego);
    EXPECT_EQ(edit->WideWindowText(), kGriego);

    // Typed text survives the window being made again.
    edit->SetFocus();
    edit->SelectAll();
    SimulateTyping(WideString(u"Щ😀"), edit);
    edit->SetCtl3D(false); // re-creates the window
    EXPECT_EQ(edit->GetText(), WideString(u"\u0429\U0001F600"));

    // Without a window an 8-bit text set since wins over the kept wide one.
    auto* otro = new TKsgUniEdit(ventana.get());
    otro->SetText(kCirilico);
    otro->TControl::SetText("Nuevo");
    EXPECT_EQ(otro->GetText(), WideString(u"Nuevo"));
    otro->SetParent(ventana.get());
    otro->HandleNeeded();
    EXPECT_EQ(otro->GetText(), WideString(u"Nuevo"));

    // A memo: its text too, and the memo text set before its window.
    auto* memo = new TKsgUniMemo(ventana.get());
    memo->SetText(kCjk + WideString(u"\r\n") + kEmoji);
    memo->SetParent(ventana.get());
    memo->HandleNeeded();
    memo->SetWordWrap(false);
    EXPECT_EQ(memo->GetText(), kCjk + WideString(u"\r\n") + kEmoji);
}

TEST_F(PruebaUniEdit, ElMismoTextoNoAvisaDeCambio) {
    auto* edit = Nuevo<TKsgUniEdit>(10, 10);
    edit->HandleNeeded();
    int cambios = 0;
    edit->OnChange = [&](TObject*) { ++cambios; };
    edit->SetText(kEmoji);
    EXPECT_EQ(registro.cambiosTexto, 1);
    EXPECT_EQ(cambios, 1);
    edit->SetText(kEmoji);
    EXPECT_EQ(registro.cambiosTexto, 1);
    EXPECT_EQ(cambios, 1);
    // Texts equal in 8 bits are still different texts.
    edit->SetText(WideString(u"ok 😁 fin"));
    EXPECT_EQ(registro.cambiosTexto, 2);
    EXPECT_EQ(cambios, 2);
}

// Where the selection and the caret land in "a😀b" (the pair is units 1 and 2).
TEST_F(PruebaUniEdit, LosParesSustitutosNoSeParten) {
    auto* edit = Nuevo<TKsgUniEdit>(10, 10);
    edit->SetFocus();
    const WideString t(u"a😀b");
    struct Caso {
        int inicio, largo, selInicio, selLargo;
    } casos[] = {{2, 0, 3, 0}, {1, 1, 1, 2}, {2, 1, 1, 2},
                 {0, 2, 0, 3}, {3, 1, 3, 1}, {2, -2, 0, 3}};
    for (const Caso& c : casos) {
        edit->SetText(t);
        edit->Perform(EM_SETSEL, static_cast<WPARAM>(c.inicio), c.inicio + c.largo);
        EXPECT_EQ(edit->GetSelStart(), c.selInicio) << c.inicio << "," << c.largo;
        EXPECT_EQ(edit->GetSelLength(), c.selLargo) << c.inicio << "," << c.largo;
    }
    // The arrows step over the pair, Backspace and Delete take it whole.
    edit->SetText(t);
    edit->SetSelStart(3);
    SimulateKeyStroke(VK_LEFT, {}, edit);
    EXPECT_EQ(edit->GetSelStart(), 1);
    SimulateKeyStroke(VK_RIGHT, {}, edit);
    EXPECT_EQ(edit->GetSelStart(), 3);
    SimulateKeyStroke(VK_BACK, {}, edit);
    EXPECT_EQ(edit->GetText(), WideString(u"ab"));
    edit->SetText(t);
    edit->SetSelStart(1);
    SimulateKeyStroke(VK_DELETE, {}, edit);
    EXPECT_EQ(edit->GetText(), WideString(u"ab"));
    EXPECT_EQ(edit->GetSelText(), WideString());
    edit->SetText(t);
    edit->Perform(EM_SETSEL, 1, 2);
    EXPECT_EQ(edit->GetSelText(), WideString(u"\U0001F600"));
    edit->SetSelText(WideString(u"Ж"));
    EXPECT_EQ(edit->GetText(), WideString(u"a\u0416b"));

    // The limit counts UTF-16 units and never takes half a pair.
    edit->SetText(WideString(u"ab"));
    edit->SetMaxLength(3);
    edit->SetSelStart(2);
    SimulateTyping(WideString(u"😀"), edit);
    EXPECT_EQ(edit->GetText(), WideString(u"ab"));
    SimulateTyping(WideString(u"Ж"), edit);
    EXPECT_EQ(edit->GetText(), WideString(u"ab\u0416"));
}

TEST_F(PruebaUniEdit, ElPortapapelesLlevaElTextoAncho) {
    auto* origen = Nuevo<TKsgUniEdit>(10, 10);
    auto* destino = Nuevo<TKsgUniEdit>(10, 40);
    origen->SetText(kMezcla);
    origen->SelectAll();
    origen->CopyToClipboard();
    // An 8-bit reader of the clipboard sees the code page's text.
    EXPECT_EQ(Clipboard()->GetAsText(), "Año € ? ?");
    destino->SetFocus();
    SimulateKeyStroke('V', {ssCtrl}, destino);
    EXPECT_EQ(destino->GetText(), kMezcla);

    // Cut takes it away; a limit cuts the paste before a pair, never inside it.
    origen->Perform(EM_SETSEL, 4, 10);
    origen->CutToClipboard();
    EXPECT_EQ(origen->GetText(), WideString(u"Año "));
    destino->SetText(WideString(u"xx"));
    destino->SetMaxLength(7);
    destino->SetSelStart(2);
    destino->PasteFromClipboard(); // "€ Ω 😀": room for 5 units ends inside the pair
    EXPECT_EQ(destino->GetText(), WideString(u"xx€ \u03A9 "));

    // A memo pastes every line; an edit only the first.
    auto* memo = Nuevo<TKsgUniMemo>(10, 70, 200, 80);
    Clipboard()->SetBuffer(CF_UNICODETEXT, u"Γ😀\r\nд", 7 * sizeof(char16_t));
    memo->PasteFromClipboard();
    EXPECT_EQ(memo->GetText(), WideString(u"\u0393\U0001F600\r\n\u0434"));
    destino->SetMaxLength(0);
    destino->SetText(WideString());
    destino->PasteFromClipboard();
    EXPECT_EQ(destino->GetText(), WideString(u"\u0393\U0001F600"));
}

TEST_F(PruebaUniEdit, ElMemoPartePorDefectoYWordWrapFuncionaEnAmbosSentidos) {
    auto* memo = Nuevo<TKsgUniMemo>(10, 10, 200, 100);
    EXPECT_EQ(memo->GetWidth(), 200);
    EXPECT_EQ(memo->GetHeight(), 100);
    EXPECT_TRUE(memo->GetWordWrap());
    EXPECT_FALSE(memo->GetWantReturns());
    EXPECT_FALSE(memo->GetWantTabs());
    memo->SetBounds(10, 10, 90, 100);
    const WideString larga(u"Ωμέγα άλφα βήτα γάμμα δέλτα έψιλον ζήτα ήτα θήτα");
    memo->SetText(larga);
    const int ultimo = larga.Length() - 1;
    auto alturaDe = [&](int i) {
        return GET_Y_LPARAM(memo->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(i), 0));
    };
    // True wraps the long line; False keeps it on one line.
    EXPECT_GT(alturaDe(ultimo), alturaDe(0));
    memo->SetWordWrap(false);
    EXPECT_EQ(memo->GetText(), larga);
    EXPECT_EQ(alturaDe(ultimo), alturaDe(0));
    memo->SetWordWrap(true);
    EXPECT_GT(alturaDe(ultimo), alturaDe(0));
    // A horizontal scroll bar keeps the line whole too.
    memo->SetScrollBars(ssBoth);
    EXPECT_EQ(alturaDe(ultimo), alturaDe(0));
}

TEST_F(PruebaUniEdit, ElMemoPideTabuladorYRetornoSegunWantTabsYWantReturns) {
    auto* memo = Nuevo<TKsgUniMemo>(10, 10);
    auto codigo = [&] { return static_cast<unsigned>(memo->Perform(WM_GETDLGCODE, 0, 0)); };
    EXPECT_EQ(codigo() & (DLGC_WANTTAB | DLGC_WANTALLKEYS), 0u);
    memo->SetWantTabs(true);
    memo->SetWantReturns(true);
    EXPECT_EQ(codigo() & (DLGC_WANTTAB | DLGC_WANTALLKEYS), DLGC_WANTTAB | DLGC_WANTALLKEYS);
    // Typed, with both wanted: a tab and a line break in the text.
    memo->SetFocus();
    SimulateTyping(WideString(u"Ж"), memo);
    SimulateKeyStroke(VK_TAB, {}, memo);
    SimulateKeyStroke(VK_RETURN, {}, memo);
    SimulateTyping(WideString(u"😀"), memo);
    EXPECT_EQ(memo->GetText(), WideString(u"\u0416\t\r\n\U0001F600"));
    // Without WantTabs, Tab leaves the memo.
    memo->SetWantTabs(false);
    SimulateKeyStroke(VK_TAB, {}, memo);
    EXPECT_FALSE(memo->Focused());
}

TEST_F(PruebaUniEdit, LasCeldasAnchasDeLaRejillaVanYVuelvenPorElEdit) {
    auto* rejilla = new TKavStringGrid(ventana.get());
    rejilla->SetParent(ventana.get());
    auto* edit = Nuevo<TKsgUniEdit>(10, 250);
    const WideString textos[] = {kGriego, kCirilico, kCjk, kEmoji};
    for (int i = 0; i < 4; ++i)
        rejilla->SetWideCells(1, i + 1, textos[i]);
    for (int i = 0; i < 4; ++i) {
        edit->SetText(rejilla->GetWideCells(1, i + 1));
        rejilla->SetWideCells(2, i + 1, edit->GetText());
        EXPECT_EQ(rejilla->GetWideCells(2, i + 1), textos[i]);
    }
}

} // namespace
