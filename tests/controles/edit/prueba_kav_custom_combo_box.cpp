// The drop-down combo with its own list window: opening by keys and by the button, sizes and
// place of the window, navigation and choice by keys and mouse, closing by a click
// elsewhere, completion, the accepted value, the recent choices, the colour schemes; and
// captures of the combo closed and dropped.

#include "tests/controles/edit/prueba_kav_comun.h"

#include "controles/edit/kav_custom_combo_box.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/painting/themes.h"
#include "plataforma/gui/services/capture.h"

#include <QImage>
#include <QWidget>

namespace {

std::vector<std::string> Filas(TListBox* l) {
    std::vector<std::string> v;
    for (int i = 0; i < l->GetCount(); ++i)
        v.push_back(l->GetItems()->GetStrings(i).str());
    return v;
}

class PruebaDesplegable : public PruebaKav {
protected:
    void SetUp() override {
        PruebaKav::SetUp();
        combo = Nuevo(120, 120);
        for (const char* s : {"Acero", "Aluminio", "Cobre", "Hormigón", "Madera"})
            combo->GetItems()->Add(s);
    }
    TKavOfficeComboBox* Nuevo(int x, int y) {
        auto* c = new TKavOfficeComboBox(ventana.get());
        c->SetParent(ventana.get());
        c->SetBounds(x, y, 150, 21);
        return c;
    }
    bool Visible() const { return combo->GetDropDownWindow()->GetVisible(); }
    TKavOfficeComboBox* combo = nullptr;
};

TEST_F(PruebaDesplegable, LaVentanaSeAbreConTeclasYSeRecorreYSeCierra) {
    combo->SetFocus();
    SimulateKeyStroke(VK_F4);
    ASSERT_TRUE(combo->GetDroppedDown());
    ASSERT_TRUE(Visible());
    TDropDownWindow* w = combo->GetDropDownWindow();
    // Five rows of 14 pixels and the frame, under the combo, a little wider than it.
    EXPECT_EQ(w->GetHeight(), 5 * 14 + 4);
    const TPoint abajo = combo->ClientToScreen(TPoint(0, combo->GetHeight()));
    EXPECT_EQ(w->GetTop(), abajo.y);
    EXPECT_EQ(w->GetLeft(), abajo.x - 2);
    EXPECT_EQ(w->GetWidth(), combo->GetWidth() + 1);
    EXPECT_EQ(combo->GetListBox()->GetItemIndex(), 0);

    SimulateKeyStroke(VK_DOWN);
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(combo->GetText(), "Cobre");
    EXPECT_EQ(combo->GetListBox()->GetItemIndex(), 2);
    SimulateKeyStroke(VK_NEXT); // a page: as far as the last row
    EXPECT_EQ(combo->GetText(), "Madera");
    SimulateKeyStroke(VK_UP);
    EXPECT_EQ(combo->GetText(), "Hormigón");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_FALSE(combo->GetDroppedDown());
    EXPECT_FALSE(Visible());
    EXPECT_EQ(combo->GetItemIndex(), 3);
    EXPECT_EQ(combo->GetLastAcceptedValue(), "Hormigón");

    // Alt+Down opens; a click elsewhere on the form closes.
    SimulateKeyStroke(VK_DOWN, {ssAlt});
    ASSERT_TRUE(combo->GetDroppedDown());
    SimulateClick(ventana.get(), 10, 250);
    EXPECT_FALSE(combo->GetDroppedDown());
    EXPECT_FALSE(Visible());

    // The button opens and closes; a click on a row chooses it.
    const TRect b = combo->GetButtonRect();
    SimulateClick(combo, b.Left + 3, b.Top + 3);
    ASSERT_TRUE(combo->GetDroppedDown());
    SimulateClick(combo, b.Left + 3, b.Top + 3);
    EXPECT_FALSE(combo->GetDroppedDown());
    SimulateClick(combo, b.Left + 3, b.Top + 3);
    int elegido = 0;
    combo->OnSelect = [&](TObject*) { ++elegido; };
    TListBox* l = combo->GetListBox();
    const int fila = l->GetItems()->IndexOf("Aluminio");
    const TRect r = l->ItemRect(fila);
    SimulateMouse(l, SimulatedMouse::Move, 0, r.Left + 5, r.Top + 3);
    EXPECT_EQ(l->GetItemIndex(), fila); // the row under the pointer is marked
    SimulateClick(l, r.Left + 5, r.Top + 3);
    EXPECT_EQ(combo->GetText(), "Aluminio");
    EXPECT_EQ(elegido, 1);
    EXPECT_FALSE(combo->GetDroppedDown());
}

TEST_F(PruebaDesplegable, TamanoYSitioDeLaVentana) {
    auto* vacio = Nuevo(120, 160);
    vacio->ShowDropDown();
    EXPECT_EQ(vacio->GetDropDownWindow()->GetHeight(), 20);
    vacio->HideDropDown();
    // More items than DropDownCount: DropDownCount rows, scrolled.
    combo->SetDropDownCount(3);
    combo->ShowDropDown();
    EXPECT_EQ(combo->GetDropDownWindow()->GetHeight(), 3 * 14 + 4);
    combo->HideDropDown();
    // A wide row widens the window past the combo.
    combo->GetItems()->Add("Placa de yeso laminado con aislamiento térmico");
    combo->ShowDropDown();
    EXPECT_GT(combo->GetDropDownWindow()->GetWidth(), combo->GetWidth() + 24);
    combo->HideDropDown();

    // Near the bottom of the work area the list opens above the combo.
    const TRect area = Screen->GetWorkAreaRect();
    ventana->SetBounds(0, area.Bottom - 200, 420, 200);
    combo->ShowDropDown();
    TDropDownWindow* w = combo->GetDropDownWindow();
    const TPoint abajo = combo->ClientToScreen(TPoint(0, combo->GetHeight()));
    EXPECT_EQ(w->GetTop(), abajo.y - combo->GetHeight() - w->GetHeight());
    EXPECT_EQ(w->GetLeft(), abajo.x - 1);
    combo->HideDropDown();
}

TEST_F(PruebaDesplegable, LaVentanaQueSeOcultaSolaDejaElComboCerrado) {
    combo->ShowDropDown();
    ASSERT_TRUE(combo->GetDroppedDown());
    combo->GetDropDownWindow()->Perform(WM_ACTIVATE, 0 /* inactive */, 0);
    EXPECT_FALSE(Visible());
    EXPECT_FALSE(combo->GetDroppedDown());
    // The next press of the button opens it again.
    const TRect b = combo->GetButtonRect();
    combo->SetFocus();
    SimulateClick(combo, b.Left + 3, b.Top + 3);
    EXPECT_TRUE(combo->GetDroppedDown());
}

TEST_F(PruebaDesplegable, CompletaYVuelveAlValorAceptado) {
    combo->SetFocus();
    SimulateTyping("al");
    EXPECT_EQ(combo->GetText(), "aluminio");
    EXPECT_EQ(combo->GetSelStart(), 2);
    EXPECT_EQ(combo->GetSelLength(), 6);
    // Backspace does not complete again.
    SimulateKeyStroke(VK_BACK);
    EXPECT_EQ(combo->GetText(), "al");
    // Return takes only a text of the items, spelled as there.
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(combo->GetLastAcceptedValue(), "");
    SimulateTyping("uminio");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(combo->GetText(), "Aluminio");
    EXPECT_EQ(combo->GetLastAcceptedValue(), "Aluminio");
    // Escape and leaving put the accepted value back.
    SimulateTyping("x");
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_EQ(combo->GetText(), "Aluminio");
    combo->SetText("Zinc");
    siguiente->SetFocus();
    EXPECT_EQ(combo->GetText(), "Aluminio");
}

TEST_F(PruebaDesplegable, LasUltimasElegidasVanArribaConUnaDobleLinea) {
    for (const char* s : {"Acero", "Aluminio", "Cobre"})
        combo->SetItemIndex(combo->GetItems()->IndexOf(s));
    combo->ShowDropDown();
    EXPECT_EQ(Filas(combo->GetListBox()),
              (std::vector<std::string>{"Cobre", "Aluminio", "Acero", "Acero", "Aluminio", "Cobre",
                                        "Hormigón", "Madera"}));
    const AnsiString ruta = SaveCapture(combo->GetListBox(), "kav_desplegable_recientes");
    ASSERT_FALSE(ruta.IsEmpty());
    // The double grey line under the last recent row.
    QImage img(QString::fromStdString(ruta.str()));
    const TRect r = combo->GetListBox()->ItemRect(2);
    const QRgb gris = qRgb(128, 128, 128);
    EXPECT_EQ(img.pixel(20, r.Bottom - 3), gris);
    EXPECT_EQ(img.pixel(20, r.Bottom - 1), gris);
    EXPECT_NE(img.pixel(20, r.Bottom - 2), gris);
    combo->HideDropDown();

    // Choosing one again moves it to the top; the list keeps DropDownCount - 1 of them.
    combo->SetDropDownCount(3);
    combo->SetItemIndex(0);
    EXPECT_EQ(combo->GetRecentSelection()->GetCommaText(), "Cobre,Acero");
    // A count that leaves no room keeps just the last choice (and never fails on an empty list).
    combo->SetDropDownCount(1);
    combo->GetRecentSelection()->Clear();
    combo->SetItemIndex(4);
    EXPECT_EQ(combo->GetRecentSelection()->GetCommaText(), "Madera");
    combo->SetDropDownCount(0);
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->GetRecentSelection()->GetCommaText(), "Aluminio");
}

TEST_F(PruebaDesplegable, IndicesFueraDeLaListaYListasVacias) {
    combo->SetItemIndex(2);
    for (int i : {-1, 5, 99}) {
        combo->SetItemIndex(i);
        EXPECT_EQ(combo->GetItemIndex(), 2);
        EXPECT_EQ(combo->GetText(), "Cobre");
    }
    auto* vacio = Nuevo(120, 160);
    vacio->SetFocus();
    vacio->SetText("libre");
    for (WORD k : {VK_DOWN, VK_UP, VK_NEXT, VK_PRIOR})
        SimulateKeyStroke(k);
    vacio->First();
    vacio->Last();
    EXPECT_EQ(vacio->GetText(), "libre");
    vacio->SetItemIndex(0);
    EXPECT_EQ(vacio->GetItemIndex(), -1);
}

TEST_F(PruebaDesplegable, LosEsquemasDeColorSiguenAlEscritorio) {
    struct Caso {
        const wchar_t* esquema;
        bool estilos;
        TKavComboStyle esperado;
    } casos[] = {
        {L"NormalColor", false, esOffice2003Classic}, // without visual styles
        {L"NormalColor", true, esOffice2003Blue},     {L"HomeStead", true, esOffice2003Olive},
        {L"Metallic", true, esOffice2003Silver},      {L"Royale", true, esOffice2003Classic},
    };
    for (const Caso& c : casos) {
        SetThemeActive(c.estilos);
        SetThemeColorName(c.esquema);
        auto* nuevo = new TKavOfficeComboBox(ventana.get());
        nuevo->BeginLoading();
        nuevo->SetAutoThemeAdapt(true);
        nuevo->SetParent(ventana.get());
        nuevo->EndLoading();
        EXPECT_EQ(nuevo->GetAppereanceStyle(), c.esperado);
        delete nuevo;
    }
    SetThemeActive(false);
    SetThemeColorName(L"NormalColor");
    combo->SetAppereanceStyle(esOffice2003Silver);
    EXPECT_EQ(combo->GetButton()->GetColor(), static_cast<TColor>(0xECE2E1));
    EXPECT_EQ(combo->GetSelectionColor(), static_cast<TColor>(0xB39698));
    EXPECT_EQ(combo->GetBorderHotColor(), clBlack);
}

TEST_F(PruebaDesplegable, Capturas) {
    combo->SetItemIndex(1);
    auto* lista = Nuevo(120, 160);
    lista->SetStyle(csDropDownList);
    lista->GetItems()->Add("Solo de la lista");
    lista->SetItemIndex(0);
    lista->SetAppereanceStyle(esOffice2003Olive);
    EXPECT_FALSE(SaveCapture(ventana.get(), "kav_desplegable_cerrado").IsEmpty());
    combo->SetSelectionColorTo(clNavy);
    combo->SetFocus();
    combo->ShowDropDown();
    EXPECT_FALSE(SaveCapture(ventana.get(), "kav_desplegable_abierto").IsEmpty());
    EXPECT_FALSE(SaveCapture(combo->GetDropDownWindow(), "kav_desplegable_lista").IsEmpty());
    EXPECT_EQ(combo->GetListBox()->GetTopIndex(), 0);
    EXPECT_EQ(combo->GetListBox()->ItemRect(0).Top, 0);
    combo->HideDropDown();
}

} // namespace
