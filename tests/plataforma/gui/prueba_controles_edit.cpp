// Edits and memos: characters that handlers rewrite or drop before the widget inserts them,
// the clipboard through Ctrl+V, the clipboard keys and the context menu, caret and
// selection requests, the limit, and OnChange as the class library fires it.

#include "tests/plataforma/gui/prueba_controles_comun.h"

#include "plataforma/gui/services/clipboard.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/memo.h"

#include <cctype>

namespace {

class Edicion : public PruebaControles {
protected:
    void SetUp() override {
        PruebaControles::SetUp();
        edit = new Espia<TEdit>(ventana.get());
        edit->SetBounds(10, 10, 200, 21);
        edit->SetFocus();
        Clipboard()->Clear();
        Registro().clear();
    }
    void Seleccion(int& s, int& e) {
        DWORD a = 0, b = 0;
        edit->Perform(EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
        s = static_cast<int>(a);
        e = static_cast<int>(b);
    }
    Espia<TEdit>* edit = nullptr;
};

TEST_F(Edicion, UnManejadorDeWmCharReescribeODescartaElCaracterAntesDeInsertarlo) {
    edit->alMensaje = [](TMessage& m) {
        if (m.Msg != WM_CHAR) return false;
        if (std::isdigit(static_cast<int>(m.WParam))) return true; // dropped
        if (m.WParam == 'a') m.WParam = 'A';                       // rewritten
        return false;
    };
    int cambios = 0;
    edit->OnChange = [&](TObject*) { ++cambios; };
    SimulateTyping("a1b2añ");
    EXPECT_EQ(edit->GetText(), "AbAñ");
    EXPECT_EQ(cambios, 4);
    EXPECT_EQ(edit->GetSelStart(), 4);

    // OnKeyPress takes part the same way; Backspace acts on its character.
    edit->OnKeyPress = [](TObject*, char& k) {
        if (k == 'x') k = 0;
        if (k == 'y') k = 'Y';
    };
    SimulateTyping("xy");
    EXPECT_EQ(edit->GetText(), "AbAñY");
    edit->alMensaje = [](TMessage& m) { return m.Msg == WM_CHAR && m.WParam == 8; };
    SimulateKeyStroke(VK_BACK);
    EXPECT_EQ(edit->GetText(), "AbAñY");
    // A key whose action is not a character acts at WM_KEYDOWN, which a handler can take.
    edit->alMensaje = [](TMessage& m) { return m.Msg == WM_KEYDOWN && m.WParam == VK_DELETE; };
    edit->SetSelStart(0);
    SimulateKeyStroke(VK_DELETE);
    EXPECT_EQ(edit->GetText(), "AbAñY");
    edit->alMensaje = nullptr;
    SimulateKeyStroke(VK_DELETE);
    EXPECT_EQ(edit->GetText(), "bAñY");
}

TEST_F(Edicion, CtrlVLlegaComoCaracter22YDespuesComoWmPaste) {
    Clipboard()->SetAsText("pegado\r\nsegunda línea");
    edit->SetText("[]");
    edit->SetSelStart(1);
    SimulateKeyStroke('V', {ssCtrl});
    EXPECT_EQ(edit->GetText(), "[pegado]"); // one line of the clipboard
    std::vector<UINT> orden = edit->Mensajes({WM_CHAR, WM_PASTE});
    ASSERT_EQ(orden, (std::vector<UINT>{WM_CHAR, WM_PASTE}));
    EXPECT_EQ(edit->Mensajes({WM_CHAR}).size(), 1u);
    for (const Recibido& r : Registro()) {
        if (r.control == edit && r.msg == WM_CHAR) {
            EXPECT_EQ(r.wParam, 22u);
        }
    }

    // Whoever takes WM_CHAR 22 or WM_PASTE stops the paste.
    struct Caso {
        const char* nombre;
        std::function<bool(TMessage&)> manejador;
    } casos[] = {
        {"caracter", [](TMessage& m) { return m.Msg == WM_CHAR && m.WParam == 22; }},
        {"pegar", [](TMessage& m) { return m.Msg == WM_PASTE; }},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        edit->alMensaje = c.manejador;
        SimulateKeyStroke('V', {ssCtrl});
        EXPECT_EQ(edit->GetText(), "[pegado]");
    }
}

TEST_F(Edicion, LasTeclasDePortapapelesDeWindowsEnvianSusMensajes) {
    struct Caso {
        WORD vk;
        TShiftState shift;
        UINT mensaje;
    } casos[] = {
        {VK_INSERT, {ssShift}, WM_PASTE}, {VK_INSERT, {ssCtrl}, WM_COPY},
        {VK_DELETE, {ssShift}, WM_CUT},   {'C', {ssCtrl}, WM_COPY},
        {'X', {ssCtrl}, WM_CUT},          {'Z', {ssCtrl}, WM_UNDO},
    };
    for (const Caso& c : casos) {
        Registro().clear();
        SimulateKeyStroke(c.vk, c.shift);
        EXPECT_EQ(edit->Mensajes({WM_PASTE, WM_COPY, WM_CUT, WM_UNDO}),
                  std::vector<UINT>{c.mensaje})
            << c.vk;
    }
    edit->SetText("cortar esto");
    edit->Perform(EM_SETSEL, 0, 6);
    SimulateKeyStroke(VK_DELETE, {ssShift});
    EXPECT_EQ(edit->GetText(), " esto");
    EXPECT_EQ(Clipboard()->GetAsText(), "cortar");
    edit->SetSelStart(5);
    SimulateKeyStroke(VK_INSERT, {ssShift});
    EXPECT_EQ(edit->GetText(), " estocortar");
}

TEST_F(Edicion, ElMenuContextualEnviaWmCutWmCopyYWmPaste) {
    edit->SetText("uno dos");
    edit->Perform(EM_SETSEL, 4, 7);
    ClicDerecho(edit, 20, 5);
    ASSERT_NE(MenuAbierto(), nullptr);
    EXPECT_EQ(OpcionesDelMenu(), (std::vector<std::string>{"Deshacer", "Cortar", "Copiar", "Pegar",
                                                           "Eliminar", "Seleccionar todo"}));
    ASSERT_TRUE(ElegirDelMenu("Copiar"));
    EXPECT_EQ(Clipboard()->GetAsText(), "dos");

    edit->SetSelStart(0);
    ClicDerecho(edit, 20, 5);
    EXPECT_FALSE(ElegirDelMenu("Cortar")); // nothing selected: disabled
    ASSERT_TRUE(ElegirDelMenu("Pegar"));
    EXPECT_EQ(edit->GetText(), "dosuno dos");

    ClicDerecho(edit, 20, 5);
    ASSERT_TRUE(ElegirDelMenu("Seleccionar todo"));
    EXPECT_EQ(edit->GetSelLength(), 10);
    EXPECT_EQ(
        edit->Mensajes({WM_CONTEXTMENU, WM_COPY, WM_PASTE}),
        (std::vector<UINT>{WM_CONTEXTMENU, WM_COPY, WM_CONTEXTMENU, WM_PASTE, WM_CONTEXTMENU}));

    // A handler of WM_PASTE sees the menu's paste too.
    edit->alMensaje = [](TMessage& m) { return m.Msg == WM_PASTE; };
    ClicDerecho(edit, 20, 5);
    ASSERT_TRUE(ElegirDelMenu("Pegar"));
    EXPECT_EQ(edit->GetText(), "dosuno dos");
}

TEST_F(Edicion, ElBotonCentralYElArrastreNoEditan) {
    Clipboard()->SetAsText("no");
    edit->SetText("texto");
    SimulateMouse(edit, SimulatedMouse::Down, 2, 5, 5);
    SimulateMouse(edit, SimulatedMouse::Up, 2, 5, 5);
    EXPECT_EQ(edit->GetText(), "texto");
    EXPECT_FALSE(edit->GetWidget()->acceptDrops());
}

TEST_F(Edicion, PeticionesDeCursorYSeleccion) {
    edit->SetText("Hola mundo");
    int s = -1, e = -1;
    Seleccion(s, e);
    EXPECT_EQ(s, 0); // the caret goes to the start after a text is set
    EXPECT_EQ(e, 0);

    struct Caso {
        int desde, hasta, s, e;
    } casos[] = {{2, 5, 2, 5}, {5, 2, 2, 5}, {0, -1, 0, 10}, {3, 99, 3, 10}, {4, 4, 4, 4}};
    for (const Caso& c : casos) {
        edit->Perform(EM_SETSEL, static_cast<WPARAM>(c.desde), c.hasta);
        Seleccion(s, e);
        EXPECT_EQ(std::make_pair(s, e), std::make_pair(c.s, c.e)) << c.desde << "," << c.hasta;
    }
    edit->Perform(EM_SETSEL, 2, 5);
    EXPECT_EQ(edit->GetSelText(), "la ");
    edit->Perform(EM_SETSEL, static_cast<WPARAM>(-1), 0); // deselects, keeps the caret
    EXPECT_EQ(edit->GetSelLength(), 0);
    edit->Perform(EM_SETSEL, 5, 2); // caret at 2: typing replaces the selection
    SimulateTyping("X");
    EXPECT_EQ(edit->GetText(), "HoXmundo");
    EXPECT_EQ(edit->GetSelStart(), 3);
    edit->SetSelText("YY");
    EXPECT_EQ(edit->GetText(), "HoXYYmundo");

    // Positions of characters and characters at positions agree.
    int xAnterior = -1, y0 = -1;
    for (int i = 0; i < 10; ++i) {
        LRESULT p = edit->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(i), 0);
        ASSERT_NE(p, -1) << i;
        const int x = static_cast<SHORT>(LOWORD(static_cast<DWORD>(p)));
        const int y = static_cast<SHORT>(HIWORD(static_cast<DWORD>(p)));
        EXPECT_GT(x, xAnterior);
        if (i == 0) y0 = y;
        EXPECT_EQ(y, y0);
        xAnterior = x;
        LRESULT c = edit->Perform(EM_CHARFROMPOS, 0, PointToLParam(x + 1, y + 2));
        EXPECT_EQ(LOWORD(static_cast<DWORD>(c)), i);
        EXPECT_EQ(HIWORD(static_cast<DWORD>(c)), 0);
    }
    EXPECT_EQ(edit->Perform(EM_POSFROMCHAR, 10, 0), -1); // past the last character
    EXPECT_EQ(edit->Perform(EM_CHARFROMPOS, 0, PointToLParam(-3, 2)), -1);
    EXPECT_EQ(edit->Perform(EM_LINEFROMCHAR, 7, 0), 0);

    // The formatting rectangle moves the text.
    TRect rect(20, 3, 150, 15);
    edit->Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&rect));
    TRect leido;
    edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&leido));
    EXPECT_EQ(leido, rect);
    LRESULT p0 = edit->Perform(EM_POSFROMCHAR, 0, 0);
    EXPECT_EQ(LOWORD(static_cast<DWORD>(p0)), 20);
    EXPECT_EQ(HIWORD(static_cast<DWORD>(p0)), 3);
}

TEST_F(Edicion, ElLimiteDetieneLoEscritoYLoPegadoPeroNoElTextoDelPrograma) {
    edit->SetMaxLength(5);
    EXPECT_EQ(edit->Perform(EM_GETLIMITTEXT, 0, 0), 5);
    SimulateTyping("abcdefg");
    EXPECT_EQ(edit->GetText(), "abcde");
    Clipboard()->SetAsText("123");
    edit->Perform(EM_SETSEL, 1, 2);
    edit->PasteFromClipboard(); // room for the selected character only
    EXPECT_EQ(edit->GetText(), "a1cde");
    edit->SetText("0123456789");
    EXPECT_EQ(edit->GetText(), "0123456789");
    edit->SetMaxLength(0);
    EXPECT_EQ(edit->Perform(EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
    edit->SetSelStart(10);
    SimulateTyping("abc");
    EXPECT_EQ(edit->GetText(), "0123456789abc");
}

TEST_F(Edicion, OnChangeComoLaBibliotecaDeClases) {
    std::vector<AnsiString> vistos;
    edit->OnChange = [&](TObject* s) { vistos.push_back(static_cast<TEdit*>(s)->GetText()); };
    edit->SetText("uno");
    edit->SetText("uno"); // unchanged: no change
    SimulateTyping("s");
    edit->Clear();
    EXPECT_EQ(vistos, (std::vector<AnsiString>{"uno", "suno", ""}));

    // Read-only: nothing typed, nothing pasted, nothing fired.
    vistos.clear();
    edit->SetReadOnly(true);
    Clipboard()->SetAsText("x");
    SimulateTyping("abc");
    SimulateKeyStroke('V', {ssCtrl});
    EXPECT_TRUE(vistos.empty());
    EXPECT_EQ(edit->GetText(), "");

    // An edit without a window yet fires too.
    TEdit suelto(nullptr);
    int cambios = 0;
    suelto.OnChange = [&](TObject*) { ++cambios; };
    suelto.SetText("sin ventana");
    EXPECT_EQ(cambios, 1);
    EXPECT_EQ(suelto.GetText(), "sin ventana");
}

TEST_F(Edicion, UnaContrasenaNoSeCopiaYSeMuestraEnmascarada) {
    edit->SetPasswordChar('*');
    edit->SetText("secreto");
    EXPECT_EQ(edit->Perform(EM_GETPASSWORDCHAR, 0, 0), '*');
    Clipboard()->SetAsText("antes");
    edit->SelectAll();
    edit->CopyToClipboard();
    edit->CutToClipboard();
    EXPECT_EQ(Clipboard()->GetAsText(), "antes");
    EXPECT_EQ(edit->GetText(), "secreto");
}

TEST_F(Edicion, ModificadoYDeshacer) {
    edit->SetText("base");
    EXPECT_FALSE(edit->GetModified());
    edit->SetSelStart(4);
    SimulateTyping("s");
    EXPECT_TRUE(edit->GetModified());
    EXPECT_TRUE(edit->GetCanUndo());
    edit->Undo();
    EXPECT_EQ(edit->GetText(), "base");
    SimulateTyping("z");
    edit->ClearUndo();
    EXPECT_FALSE(edit->GetCanUndo());
    EXPECT_EQ(edit->GetText(), "basez");
    edit->SetText("otro");
    EXPECT_FALSE(edit->GetModified());
}

class Memo : public PruebaControles {
protected:
    void SetUp() override {
        PruebaControles::SetUp();
        memo = new Espia<TMemo>(ventana.get());
        memo->SetBounds(10, 10, 200, 100);
        memo->SetFocus();
        Registro().clear();
    }
    Espia<TMemo>* memo = nullptr;
};

TEST_F(Memo, LosSaltosDeLineaSonCrLfYCuentanDosCaracteres) {
    memo->SetText("uno\r\ndos\r\ntres");
    TStrings* l = memo->GetLines();
    ASSERT_EQ(l->GetCount(), 3);
    EXPECT_EQ(l->GetStrings(1), "dos");
    EXPECT_EQ(memo->Perform(EM_GETLINECOUNT, 0, 0), 3);
    EXPECT_EQ(memo->Perform(EM_LINEINDEX, 2, 0), 10);
    EXPECT_EQ(memo->Perform(EM_LINEFROMCHAR, 6, 0), 1);
    EXPECT_EQ(memo->Perform(EM_LINELENGTH, 11, 0), 4);
    memo->Perform(EM_SETSEL, 5, 8);
    EXPECT_EQ(memo->GetSelText(), "dos");
    memo->Perform(EM_SETSEL, 3, 5);
    EXPECT_EQ(memo->GetSelText(), "\r\n");
    LRESULT p = memo->Perform(EM_POSFROMCHAR, 5, 0);
    LRESULT c = memo->Perform(
        EM_CHARFROMPOS, 0,
        PointToLParam(LOWORD(static_cast<DWORD>(p)) + 1, HIWORD(static_cast<DWORD>(p)) + 2));
    EXPECT_EQ(LOWORD(static_cast<DWORD>(c)), 5);
    EXPECT_EQ(HIWORD(static_cast<DWORD>(c)), 1);

    // Return types a line break; without WantReturns it does not.
    memo->SetSelStart(3);
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(memo->GetText(), "uno\r\n\r\ndos\r\ntres");
    memo->SetWantReturns(false);
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(memo->GetText(), "uno\r\n\r\ndos\r\ntres");
}

TEST_F(Memo, LinesEditaLineaALinea) {
    TStrings* l = memo->GetLines();
    int cambios = 0;
    memo->OnChange = [&](TObject*) { ++cambios; };
    l->Add("uno");
    l->Add("dos");
    EXPECT_EQ(memo->GetText(), "uno\r\ndos\r\n");
    EXPECT_EQ(l->GetCount(), 2);
    l->Insert(1, "medio");
    l->SetStrings(0, "UNO");
    l->Delete(2);
    EXPECT_EQ(memo->GetText(), "UNO\r\nmedio\r\n");
    EXPECT_EQ(l->GetText(), memo->GetText());
    EXPECT_EQ(cambios, 5);
    EXPECT_THROW(l->GetStrings(2), EStringListError);

    // The same without a window.
    TMemo suelto(nullptr);
    suelto.SetText("a");
    suelto.GetLines()->Add("b");
    suelto.GetLines()->Insert(0, "z");
    EXPECT_EQ(suelto.GetText(), "z\r\na\r\nb");
}

} // namespace
