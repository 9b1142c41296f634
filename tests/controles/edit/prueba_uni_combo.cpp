// The wide combo boxes and the wide edit with a button: items and text of any script
// through the control, its window and the grid's wide cells; a chosen item as text before
// Click and Change; Backspace for OnKeyPress only; Return and Escape closing the open list;
// the text kept by Items.Clear; a refused insertion; the button edit's empty start, its
// text area and keys; a capture of the look.

#include "tests/controles/edit/prueba_kav_comun.h"

#include "controles/edit/edit_button.h"
#include "controles/edit/ksg_combo.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/base/locale_compare.h"
#include "plataforma/gui/services/capture.h"

#include <QImage>

#include <string>
#include <vector>

inline void PrintTo(const WideString& s, std::ostream* os) {
    *os << '"' << s.ToUtf8() << '"';
}

namespace {

const WideString kTextos[] = {WideString(u"Καλημέρα"), WideString(u"Привет, мир"),
                              WideString(u"漢字とかな"), WideString(u"ok 😀 fin")};

// A combo that writes down what it sees: characters at the edit hook and at OnKeyPress,
// CM_TEXTCHANGED, and the events with the text each one found.
class ComboPrueba : public TKSGUniComboBox {
public:
    using TKSGUniComboBox::TKSGUniComboBox;
    std::vector<WPARAM> caracteres;

protected:
    void DoEditCharMsg(TMessage& Message) override { caracteres.push_back(Message.WParam); }
};

class PruebaUniCombo : public PruebaKav {
protected:
    void SetUp() override {
        PruebaKav::SetUp();
        combo = new ComboPrueba(ventana.get());
        combo->SetParent(ventana.get());
        combo->SetBounds(10, 120, 160, 21);
        for (const WideString& t : kTextos)
            combo->GetItems()->Add(t);
        auto previo = combo->WindowProc;
        combo->WindowProc = [this, previo](TMessage& m) {
            if (m.Msg == CM_TEXTCHANGED) eventos.push_back("texto");
            previo(m);
        };
        combo->OnClick = [this](TObject*) {
            eventos.push_back("click:" + combo->GetText().ToUtf8());
        };
        combo->OnChange = [this](TObject*) {
            eventos.push_back("change:" + combo->GetText().ToUtf8());
        };
        combo->OnKeyPress = [this](TObject*, char& k) {
            teclas.push_back(static_cast<unsigned char>(k));
        };
    }
    ComboPrueba* combo = nullptr;
    std::vector<std::string> eventos;
    std::vector<unsigned char> teclas;
};

TEST_F(PruebaUniCombo, LosElementosYElTextoVanYVuelvenEnteros) {
    TWideStrings* items = combo->GetItems();
    ASSERT_EQ(items->GetCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(items->Get(i), kTextos[i]);
        combo->SetText(kTextos[i]);
        EXPECT_EQ(combo->GetText(), kTextos[i]);
    }
    // Searches ignore case in any script; the 8-bit items see the code page's text.
    EXPECT_EQ(
        items->IndexOf(WideString(u"\u043F\u0440\u0438\u0432\u0435\u0442, \u041C\u0418\u0420")), 1);
    EXPECT_EQ(items->IndexOf(WideString(u"ok \U0001F601 fin")), -1);
    EXPECT_EQ(combo->TCustomComboBox::GetItems()->GetStrings(0), "????????");
    EXPECT_EQ(combo->TCustomComboBox::GetItems()->GetStrings(3), "ok ? fin");
    // Moving and replacing an item keep it whole.
    items->Move(3, 0);
    items->Put(1, WideString(u"Ωmega"));
    EXPECT_EQ(items->Get(0), kTextos[3]);
    EXPECT_EQ(items->Get(1), WideString(u"\u03A9mega"));
    EXPECT_EQ(items->Get(9), WideString());
}

// A sorted wide combo places its items by the locale's order of their wide text, whatever
// their 8-bit conversion shows ("?").
TEST_F(PruebaUniCombo, OrdenadoColocaPorElTextoAncho) {
    const LCID previo = GetUserDefaultLCID();
    SetUserDefaultLCID(0x0C0A); // Spanish
    struct Restaurar {
        LCID l;
        ~Restaurar() { SetUserDefaultLCID(l); }
    } restaurar{previo};
    auto* ordenado = new ComboPrueba(ventana.get());
    ordenado->SetParent(ventana.get());
    ordenado->SetBounds(10, 160, 160, 21);
    ordenado->SetSorted(true);
    for (const char16_t* t : {u"Яр", u"Арбуз", u"Zeta", u"Ablativ", u"Ωmega", u"ábaco"})
        ordenado->GetItems()->Add(WideString(t));
    std::vector<WideString> vistos;
    for (int i = 0; i < ordenado->GetItems()->GetCount(); ++i)
        vistos.push_back(ordenado->GetItems()->Get(i));
    const std::vector<WideString> esperados = {WideString(u"ábaco"), WideString(u"Ablativ"),
                                               WideString(u"Zeta"),  WideString(u"Ωmega"),
                                               WideString(u"Арбуз"), WideString(u"Яр")};
    EXPECT_EQ(vistos, esperados);
    // Sorting a list that was not sorted orders it the same way and keeps the chosen item.
    combo->SetItemIndex(2);
    combo->SetSorted(true);
    EXPECT_EQ(combo->GetItems()->Get(0), kTextos[3]);
    EXPECT_EQ(combo->GetItems()->Get(1), kTextos[0]);
    EXPECT_EQ(combo->GetItems()->Get(2), kTextos[1]);
    EXPECT_EQ(combo->GetItems()->Get(3), kTextos[2]);
    EXPECT_EQ(combo->GetItemIndex(), 3);
}

TEST_F(PruebaUniCombo, ElegirUnElementoLoHaceTextoAntesDeClickYChange) {
    combo->SetFocus();
    combo->SetItemIndex(1);
    eventos.clear();
    SimulateKeyStroke(VK_DOWN, {}, combo);
    EXPECT_EQ(combo->GetItemIndex(), 2);
    const std::string cjk = kTextos[2].ToUtf8();
    // The text shown already was the item's: no CM_TEXTCHANGED.
    EXPECT_EQ(eventos, (std::vector<std::string>{"click:" + cjk, "change:" + cjk}));
    // The 8-bit OnSelect is not this combo's: Change comes whatever it holds.
    int selecciones = 0;
    combo->OnSelect = [&](TObject*) { ++selecciones; };
    SimulateKeyStroke(VK_DOWN, {}, combo);
    EXPECT_EQ(combo->GetText(), kTextos[3]);
    EXPECT_EQ(selecciones, 0);
}

TEST_F(PruebaUniCombo, LasTeclasVen255YRetrocesoSoloLlegaAOnKeyPress) {
    combo->SetFocus();
    combo->SetText(WideString());
    SimulateTyping(WideString(u"dЖ😀"), combo);
    EXPECT_EQ(combo->GetText(), WideString(u"d\u0416\U0001F600"));
    EXPECT_EQ(teclas, (std::vector<unsigned char>{'d', 255, 255}));
    // The hook sees every character first, parked.
    ASSERT_EQ(combo->caracteres.size(), 3u);
    EXPECT_EQ(combo->caracteres[1], (WPARAM{0x416} << 16) | 255);
    EXPECT_EQ(combo->caracteres[2], (WPARAM{0x1F600} << 16) | 255);
    teclas.clear();
    SimulateKeyStroke(VK_BACK, {}, combo);
    EXPECT_EQ(teclas, (std::vector<unsigned char>{8}));
    EXPECT_EQ(combo->GetText(), WideString(u"d\u0416"));
}

TEST_F(PruebaUniCombo, RetornoYEscapeConLaListaAbiertaSoloLaCierran) {
    combo->SetFocus();
    combo->SetText(kTextos[0]);
    for (WORD tecla : {VK_RETURN, VK_ESCAPE}) {
        combo->SetDroppedDown(true);
        ASSERT_TRUE(combo->GetDroppedDown());
        SimulateKeyStroke(tecla, {}, combo);
        EXPECT_FALSE(combo->GetDroppedDown()) << tecla;
        EXPECT_EQ(combo->GetText(), kTextos[0]) << tecla;
    }
    EXPECT_EQ(teclas, (std::vector<unsigned char>{13, 27}));
}

TEST_F(PruebaUniCombo, ClearGuardaElTextoYUnaInsercionRechazadaLevantaError) {
    combo->SetText(kTextos[3]);
    combo->GetItems()->Clear();
    EXPECT_EQ(combo->GetItems()->GetCount(), 0);
    EXPECT_EQ(combo->GetText(), kTextos[3]);
    combo->GetItems()->Add(kTextos[0]);
    try {
        combo->GetItems()->Insert(5, kTextos[1]);
        ADD_FAILURE() << "inserted past the end";
    } catch (const EOutOfResources& e) {
        EXPECT_EQ(e.Message, "No se puede insertar una línea");
    }
    EXPECT_EQ(combo->GetItems()->GetCount(), 1);
}

TEST_F(PruebaUniCombo, ElTextoSinVentanaYTrasRecrearla) {
    auto* otro = new TKSGUniComboBox(ventana.get());
    otro->SetText(kTextos[2]);
    EXPECT_FALSE(otro->HandleAllocated());
    EXPECT_EQ(otro->GetText(), kTextos[2]);
    otro->SetParent(ventana.get());
    otro->HandleNeeded();
    EXPECT_EQ(otro->GetText(), kTextos[2]);
    otro->SetStyle(csSimple); // a new window
    EXPECT_EQ(otro->GetText(), kTextos[2]);
    // The same text sends no CM_TEXTCHANGED.
    combo->HandleNeeded();
    combo->SetText(kTextos[1]);
    eventos.clear();
    combo->SetText(kTextos[1]);
    EXPECT_TRUE(eventos.empty());
    // A drop-down list shows the chosen item, wide.
    otro->GetItems()->Add(kTextos[3]);
    otro->SetStyle(csDropDownList);
    otro->SetItemIndex(0);
    EXPECT_EQ(otro->GetText(), kTextos[3]);
    EXPECT_EQ(otro->GetSelText(), WideString());
}

// The button edit on the wide edit and its text area beside the 8-bit one.
class UniEditBtnPrueba : public TKsgUniEditBtn {
public:
    using TKsgUniEditBtn::TKsgUniEditBtn;
    void Unidad(int n) {
        SetUnitSizeValue(n);
        SetEditRect();
    }
};
class EditBtnPrueba : public TKsgEditBtn {
public:
    using TKsgEditBtn::TKsgEditBtn;
    void Unidad(int n) {
        SetUnitSizeValue(n);
        SetEditRect();
    }
};

TEST_F(PruebaUniCombo, ElEditConBotonAnchoEmpiezaVacioYSeComportaComoElDe8Bits) {
    auto* ancho = new UniEditBtnPrueba(ventana.get());
    auto* estrecho = new EditBtnPrueba(ventana.get());
    EXPECT_EQ(ancho->GetText(), WideString());
    EXPECT_EQ(estrecho->GetText(), "0");
    int y = 160;
    for (TCustomEdit* e : {static_cast<TCustomEdit*>(ancho), static_cast<TCustomEdit*>(estrecho)}) {
        e->SetParent(ventana.get());
        e->SetBounds(10, y, 150, 21);
        y += 30;
    }
    ancho->Unidad(20);
    estrecho->Unidad(20);
    TRect ra, re;
    ancho->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&ra));
    estrecho->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&re));
    const int boton = ancho->GetButton()->GetWidth();
    EXPECT_EQ(ra.Right, ancho->GetClientWidth() - boton - 3 - 20);
    EXPECT_EQ(re.Right, ra.Right - 3);

    int clics = 0;
    ancho->OnClickBtn = [&](TObject*) { ++clics; };
    ancho->SetFocus();
    SimulateTyping(WideString(u"Ж😀"), ancho);
    SimulateKeyStroke(VK_F4, {}, ancho);
    EXPECT_EQ(clics, 1);
    ancho->SetEditorEnabled(false);
    SimulateTyping(WideString(u"漢"), ancho);
    EXPECT_EQ(ancho->GetText(), WideString(u"\u0416\U0001F600"));
    ancho->SetButtonCaption("...");
    EXPECT_EQ(ancho->GetButtonCaption(), "...");
}

TEST_F(PruebaUniCombo, LasCeldasAnchasDeLaRejillaVanYVuelvenPorComboYEditConBoton) {
    auto* rejilla = new TKavStringGrid(ventana.get());
    rejilla->SetParent(ventana.get());
    auto* boton = new TKsgUniEditBtn(ventana.get());
    boton->SetParent(ventana.get());
    for (int i = 0; i < 4; ++i)
        rejilla->SetWideCells(1, i + 1, kTextos[i]);
    combo->GetItems()->Clear();
    for (int i = 0; i < 4; ++i) {
        combo->GetItems()->Add(rejilla->GetWideCells(1, i + 1));
        boton->SetText(rejilla->GetWideCells(1, i + 1));
        rejilla->SetWideCells(2, i + 1, boton->GetText());
    }
    for (int i = 0; i < 4; ++i) {
        combo->SetItemIndex(i);
        rejilla->SetWideCells(3, i + 1, combo->GetText());
        EXPECT_EQ(rejilla->GetWideCells(2, i + 1), kTextos[i]);
        EXPECT_EQ(rejilla->GetWideCells(3, i + 1), kTextos[i]);
    }
}

TEST_F(PruebaUniCombo, CapturaDelAspecto) {
    ventana->SetColor(clBtnFace);
    auto* plano = new TKSGUniComboBox(ventana.get());
    plano->SetParent(ventana.get());
    plano->SetBounds(200, 120, 160, 21);
    plano->GetItems()->Add(kTextos[2]);
    plano->SetItemIndex(0);
    combo->SetText(kTextos[0] + WideString(u" ") + kTextos[3]);
    auto* memo = new TKsgUniMemo(ventana.get());
    memo->SetParent(ventana.get());
    memo->SetBounds(10, 160, 200, 100);
    memo->SetText(kTextos[0] + WideString(u"\r\n") + kTextos[1] + WideString(u"\r\n") + kTextos[2] +
                  WideString(u"\r\n") + kTextos[3]);
    // Hot: the drop button turns raised; not hot, the wide combo's button area is face-coloured.
    SimulateMouseEnter(combo);
    const QImage caliente(QString::fromStdString(SaveCapture(combo, "uni_combo_caliente").str()));
    const QImage frio(QString::fromStdString(SaveCapture(plano, "uni_combo_frio").str()));
    SaveCapture(ventana.get(), "uni_controles");
    ASSERT_FALSE(caliente.isNull());
    ASSERT_FALSE(frio.isNull());
    // The button's frame starts two pixels inside the window at the button's left; its
    // second column is the raised edge's highlight when hot, the face when not.
    const int x = combo->GetClientWidth() - combo->GetButtonWidth() + 1;
    EXPECT_EQ(caliente.pixelColor(x, 3), QColor(Qt::white));
    EXPECT_NE(caliente.pixelColor(x, 3), frio.pixelColor(x, 3));
    const TColor cara = ColorToRGB(clBtnFace);
    EXPECT_EQ(frio.pixelColor(x, 3), QColor(GetRValue(cara), GetGValue(cara), GetBValue(cara)));
}

} // namespace
