// How an edit of the advanced grid ends, for every editor that writes a value: by Return, Tab,
// an arrow, Escape, a click on another cell or the focus going to another control. What is
// written and where, the validation and the end-of-edit events in their order, and the next
// edit opening; then the faults of single editors, each by its smallest steps.

#include "controles/grid/editing/edit_link.h"
#include "controles/grid/editing/grid_editors.h"
#include "controles/grid/kav_grid.h"
#include "plataforma/base/date_time_text.h"
#include "plataforma/base/dates.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/edit.h"
#include "tests/controles/grid/editores_prueba.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// With goTabs, and an edit box beside the grid to take the focus.
class FinEdicion : public Editores {
protected:
    void SetUp() override {
        Editores::SetUp();
        g->SetOptions(g->GetOptions() << goTabs);
        otro = new TEdit(ventana.get());
        otro->SetParent(ventana.get());
        otro->SetBounds(10, 300, 100, 24);
        g->SetFocus();
    }
    // The editor open over the current cell: a control, or the text editor.
    TWinControl* Editor() const {
        if (TWinControl* c = Activo()) return c->GetVisible() ? c : nullptr;
        TInplaceEdit* e = g->GetInplaceEditor();
        return e && e->GetVisible() ? e : nullptr;
    }
    TEdit* otro = nullptr;
};

// --- every editor by every way out ---

enum class Salida { Intro, Tab, Flecha, Escape, Clic, OtroControl };

const char* Nombre(Salida s) {
    switch (s) {
    case Salida::Intro:
        return "Intro";
    case Salida::Tab:
        return "Tab";
    case Salida::Flecha:
        return "flecha";
    case Salida::Escape:
        return "Escape";
    case Salida::Clic:
        return "clic en otra celda";
    case Salida::OtroControl:
        return "foco a otro control";
    }
    return "";
}

struct Caso {
    TEditorType tipo;
    // What the user does in the open editor, and the cell's text it leads to.
    std::function<void()> cambio;
    const char* escrito;
    // The arrow that leaves it (Left and Right leave a fixed list, Up and Down the others).
    WORD flecha;
    bool ancho; // edits wide text (OnCellValidateWide)
};

TEST_F(FinEdicion, CadaEditorPorCadaSalida) {
    for (const char* t : {"7", "8", "9"})
        g->AddComboString(t);
    auto teclear = [](const char* t) { return [t] { SimulateTyping(t); }; };
    auto todoYTeclear = [](const char* t) {
        return [t] {
            SimulateKeyStroke('A', {ssCtrl});
            SimulateTyping(t);
        };
    };
    const Caso editores[] = {
        {edNormal, todoYTeclear("9"), "9", VK_DOWN, false},
        {edComboEdit, teclear("9"), "9", VK_DOWN, false},
        {edComboList, [] { SimulateKeyStroke(VK_DOWN); }, "8", VK_RIGHT, false},
        {edSpinEdit, teclear("9"), "9", VK_DOWN, false},
        {edEditBtn, teclear("9"), "9", VK_DOWN, false},
        {edNumericEditBtn, teclear("9"), "9", VK_DOWN, false},
        {edFloatEditBtn, teclear("9,5"), "9,5", VK_DOWN, false},
        {edUnitEditBtn, teclear("9"), "9", VK_DOWN, false},
        {edUniEdit, todoYTeclear("9"), "9", VK_DOWN, true},
        {edUniEditBtn, todoYTeclear("9"), "9", VK_DOWN, true},
    };
    std::vector<std::string> eventos;
    g->OnCellValidate = [&](TObject*, int c, int r, AnsiString& v, bool&) {
        eventos.push_back("validar " + std::to_string(c) + "," + std::to_string(r) + " " + v.str());
    };
    g->OnCellValidateWide = [&](TObject*, int c, int r, WideString& v, bool&) {
        eventos.push_back("validar " + std::to_string(c) + "," + std::to_string(r) + " " +
                          v.ToAnsiString().str());
    };
    g->OnEditingDone = [&](TObject*) { eventos.push_back("hecho"); };
    for (const Caso& e : editores) {
        for (Salida s : {Salida::Intro, Salida::Tab, Salida::Flecha, Salida::Escape, Salida::Clic,
                         Salida::OtroControl}) {
            SCOPED_TRACE(std::string("tipo ") + std::to_string(e.tipo) + ", " + Nombre(s));
            tipo = e.tipo;
            Rellenar();
            g->SetCells(2, 2, "7");
            if (!g->Focused()) g->SetFocus();
            Ir(2, 2);
            SimulateKeyStroke(VK_F2);
            TWinControl* ed = Editor();
            ASSERT_TRUE(Abierto(ed));
            e.cambio();
            eventos.clear();
            TPoint donde(2, 2);
            switch (s) {
            case Salida::Intro:
                SimulateKeyStroke(VK_RETURN);
                break;
            case Salida::Tab:
                SimulateKeyStroke(VK_TAB);
                donde = TPoint(3, 2);
                break;
            case Salida::Flecha:
                SimulateKeyStroke(e.flecha);
                donde = e.flecha == VK_DOWN ? TPoint(2, 3) : TPoint(3, 2);
                break;
            case Salida::Escape:
                SimulateKeyStroke(VK_ESCAPE);
                break;
            case Salida::Clic: {
                const TRect r = g->CellRect(3, 4);
                SimulateClick(g, r.Left + 5, r.Top + 5);
                donde = TPoint(3, 4);
                break;
            }
            case Salida::OtroControl:
                SimulateClick(otro, 5, 5);
                EXPECT_TRUE(otro->Focused());
                break;
            }
            // The edit ended: no editor shows, and the grid is where the way out took it.
            EXPECT_EQ(Editor(), nullptr);
            EXPECT_EQ(g->GetCol(), donde.x);
            EXPECT_EQ(g->GetRow(), donde.y);
            // Written into the cell it was opened on, and nowhere else; validated first.
            const std::string valor = s == Salida::Escape ? "7" : e.escrito;
            EXPECT_EQ(e.ancho ? g->GetWideCells(2, 2).ToAnsiString().str()
                              : g->GetCells(2, 2).str(),
                      valor);
            for (int r = 1; r < 6; ++r)
                for (int c = 1; c < 5; ++c)
                    if (c != 2 || r != 2) {
                        EXPECT_EQ(g->GetCells(c, r), IntToStr(c * 10 + r)) << c << "," << r;
                    }
            std::vector<std::string> esperados;
            // The text editor tells its end as it loses the focus, before the grid moves
            // (and validates) on a click.
            if (e.tipo == edNormal && s == Salida::Clic) esperados.push_back("hecho");
            if (s != Salida::Escape) esperados.push_back("validar 2,2 " + valor);
            if (e.tipo != edNormal || s == Salida::OtroControl) esperados.push_back("hecho");
            EXPECT_EQ(eventos, esperados);
            // The next edit opens, on the cell the grid is at.
            if (!g->Focused()) g->SetFocus();
            SimulateKeyStroke(VK_F2);
            EXPECT_TRUE(Abierto(Editor()));
            SimulateKeyStroke(VK_ESCAPE);
        }
    }
}

// A value the validation refuses is not written, however the edit is left: the editor stays
// open on its cell with the cell's text, or (the focus gone to another control) closes with
// the cell unchanged.
TEST_F(FinEdicion, ValorRechazadoNoSeEscribe) {
    int validaciones = 0;
    g->OnCellValidate = [&](TObject*, int, int, AnsiString&, bool& ok) {
        ++validaciones;
        ok = false;
    };
    g->OnCellValidateWide = [&](TObject*, int, int, WideString&, bool& ok) {
        ++validaciones;
        ok = false;
    };
    for (TEditorType t :
         {edNormal, edComboEdit, edSpinEdit, edEditBtn, edUnitEditBtn, edUniEdit, edUniEditBtn}) {
        for (Salida s : {Salida::Intro, Salida::Clic, Salida::OtroControl}) {
            SCOPED_TRACE(std::string("tipo ") + std::to_string(t) + ", " + Nombre(s));
            tipo = t;
            g->SetCells(2, 2, "7");
            if (!g->Focused()) g->SetFocus();
            Ir(2, 2);
            SimulateKeyStroke(VK_F2);
            ASSERT_TRUE(Abierto(Editor()));
            SimulateKeyStroke('A', {ssCtrl});
            SimulateTyping("9");
            validaciones = 0;
            if (s == Salida::Intro) {
                SimulateKeyStroke(VK_RETURN);
            } else if (s == Salida::Clic) {
                const TRect r = g->CellRect(3, 4);
                SimulateClick(g, r.Left + 5, r.Top + 5);
            } else {
                SimulateClick(otro, 5, 5);
            }
            const bool ancho = t == edUniEdit || t == edUniEditBtn;
            auto celda = [&] {
                return ancho ? g->GetWideCells(2, 2).ToAnsiString() : g->GetCells(2, 2);
            };
            EXPECT_EQ(validaciones, 1);
            EXPECT_EQ(celda(), "7");
            EXPECT_EQ(g->GetCol(), 2);
            EXPECT_EQ(g->GetRow(), 2);
            if (s == Salida::OtroControl) {
                EXPECT_EQ(Editor(), nullptr);
                continue;
            }
            TWinControl* ed = Editor();
            ASSERT_TRUE(Abierto(ed));
            EXPECT_EQ(ed->GetText(), "7");
            SimulateKeyStroke(VK_ESCAPE);
            EXPECT_EQ(celda(), "7");
        }
    }
}

// --- single editors ---

// Left by an arrow or by Escape, the button editor ends its edit: the next one opens, the
// text editor's as well as the button's own.
TEST_F(FinEdicion, BotonDejadoDejaEditarOtraVez) {
    for (WORD salida : {VK_RIGHT, VK_ESCAPE}) {
        SCOPED_TRACE(salida);
        tipo = edButton;
        Ir(2, 2);
        SimulateKeyStroke(VK_F2);
        auto* b = g->GetEditorControls().Button();
        ASSERT_TRUE(Abierto(b));
        SimulateKeyStroke(salida);
        EXPECT_FALSE(b->GetVisible());
        ASSERT_TRUE(g->Focused());
        Ir(1, 3);
        SimulateKeyStroke(VK_F2);
        EXPECT_TRUE(Abierto(Editor()));
        SimulateKeyStroke(VK_ESCAPE);
        Ir(1, 4);
        SimulateTyping("5");
        SimulateKeyStroke(VK_RETURN);
        EXPECT_EQ(g->GetCells(1, 4), "5");
        Ir(2, 2);
        SimulateKeyStroke(VK_F2);
        EXPECT_TRUE(Abierto(b));
        SimulateKeyStroke(VK_ESCAPE);
        EXPECT_TRUE(g->Focused());
    }
}

// A hidden column before the time spin's: it shows and writes its own cell's time.
TEST_F(FinEdicion, HoraConColumnaOcultaDelante) {
    tipo = edTimeSpinEdit;
    g->SetCells(2, 2, "10:30");
    g->SetCells(3, 2, "11:45");
    g->HideColumn(1);
    Ir(1, 2); // real column 2
    SimulateKeyStroke(VK_F2);
    auto* spin = g->GetEditorControls().Spin();
    ASSERT_TRUE(Abierto(spin));
    EXPECT_EQ(spin->GetText(), "10:30");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_EQ(g->GetCellEx(2, 2), "10:30");
    EXPECT_EQ(g->GetCellEx(3, 2), "11:45");
}

// Escape that only closes the dropped calendar gives up nothing: the date then picked and
// confirmed by Return is written.
TEST_F(FinEdicion, EscapeQueCierraElCalendarioNoAbandonaLaEdicion) {
    tipo = edDateEdit;
    g->SetCells(2, 2, DateToStr(EncodeDate(2025, 3, 15)));
    SimulateKeyStroke(VK_F2);
    auto* p = g->GetEditorControls().DatePicker();
    ASSERT_TRUE(Abierto(p));
    SimulateKeyStroke(VK_F4);
    ASSERT_TRUE(p->GetDroppedDown());
    SimulateKeyStroke(VK_ESCAPE, {}, p);
    EXPECT_FALSE(p->GetDroppedDown());
    EXPECT_TRUE(p->GetVisible());
    p->SetDate(EncodeDate(2025, 3, 20));
    SimulateKeyStroke(VK_RETURN, {}, p);
    EXPECT_FALSE(p->GetVisible());
    EXPECT_EQ(g->GetCells(2, 2), DateToStr(EncodeDate(2025, 3, 20)));
}

// The wide edit with a button: its "..." keeps characters that 8-bit text cannot hold unless
// an OnEllipsClick handler changes the text.
TEST_F(FinEdicion, BotonDelEditorAnchoNoPierdeCaracteres) {
    tipo = edUniEditBtn;
    const WideString ancho(u"\u03b1\u03b2\u03b3 \u4e2d");
    struct Caso {
        const char* nombre;
        std::function<void()> manejador;
        WideString resultado;
    };
    const Caso casos[] = {
        {"sin manejador", [this] { g->OnEllipsClick = nullptr; }, ancho},
        {"manejador que no cambia",
         [this] { g->OnEllipsClick = [](TObject*, int, int, AnsiString&) {}; }, ancho},
        {"manejador que cambia",
         [this] {
             g->OnEllipsClick = [](TObject*, int c, int r, AnsiString& s) {
                 EXPECT_EQ(c, 2);
                 EXPECT_EQ(r, 2);
                 s = "nuevo";
             };
         },
         WideString(u"nuevo")},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        c.manejador();
        g->SetWideCells(2, 2, ancho);
        Ir(2, 2);
        SimulateKeyStroke(VK_F2);
        auto* e = g->GetEditorControls().UniEditBtn();
        ASSERT_TRUE(Abierto(e));
        TControl* boton = e->GetButton()->GetButton();
        SimulateClick(boton, boton->GetWidth() / 2, boton->GetHeight() / 2);
        EXPECT_EQ(e->GetText(), c.resultado);
        if (!e->Focused()) e->SetFocus();
        SimulateKeyStroke(VK_RETURN);
        EXPECT_EQ(g->GetWideCells(2, 2), c.resultado);
    }
}

// A program's editor through the edit link: End, Page Up and Page Down end the edit and move
// nothing; Tab and the arrows move the grid's cell.
class EnlaceEdit : public TEditLink {
public:
    using TEditLink::TEditLink;
    TEdit* edit = nullptr;
    TWinControl* GetEditControl() override { return edit; }
    void CreateEditor(TWinControl* AParent) override {
        if (!edit) {
            edit = new TEdit(AParent);
            edit->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) {
                EditKeyDown(s, k, sh);
            };
        }
        edit->SetParent(AParent);
    }
    AnsiString GetEditorValue() override { return edit ? edit->GetText() : AnsiString(); }
    void SetEditorValue(const AnsiString& V) override {
        if (edit) edit->SetText(V);
    }
};

TEST_F(FinEdicion, EnlaceSoloMueveLaRejillaConTabYFlechas) {
    tipo = edCustom;
    auto* enlace = new EnlaceEdit(ventana.get());
    g->SetEditLink(enlace);
    struct Caso {
        WORD tecla;
        TPoint donde;
    };
    for (const Caso& c :
         {Caso{VK_END, TPoint(2, 2)}, Caso{VK_PRIOR, TPoint(2, 2)}, Caso{VK_NEXT, TPoint(2, 2)},
          Caso{VK_DOWN, TPoint(2, 3)}, Caso{VK_RIGHT, TPoint(3, 2)}, Caso{VK_TAB, TPoint(3, 2)}}) {
        SCOPED_TRACE(c.tecla);
        Rellenar();
        Ir(2, 2);
        SimulateKeyStroke(VK_F2);
        ASSERT_TRUE(Abierto(enlace->edit));
        enlace->edit->SetText("nuevo");
        SimulateKeyStroke(c.tecla);
        EXPECT_FALSE(enlace->edit->GetVisible());
        EXPECT_TRUE(g->Focused());
        EXPECT_EQ(g->GetCells(2, 2), "nuevo");
        EXPECT_EQ(g->GetCol(), c.donde.x);
        EXPECT_EQ(g->GetRow(), c.donde.y);
    }
}

// The decimal spin's Page Up and Page Down step as its buttons do, in full precision.
TEST_F(FinEdicion, SpinDecimalPaginaSinPerderPrecision) {
    tipo = edFloatSpinEdit;
    g->SetCells(2, 2, "2,5");
    auto* spin = g->GetEditorControls().Spin();
    SimulateKeyStroke(VK_F2);
    ASSERT_TRUE(Abierto(spin));
    SimulateKeyStroke(VK_PRIOR);
    EXPECT_EQ(spin->GetText(), "2,6");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_DOUBLE_EQ(g->GetFloats(2, 2), 2.6);
    SimulateKeyStroke(VK_F2);
    SimulateKeyStroke(VK_NEXT);
    SimulateKeyStroke(VK_NEXT);
    EXPECT_EQ(spin->GetText(), "2,4");
    SimulateKeyStroke(VK_RETURN);
    EXPECT_DOUBLE_EQ(g->GetFloats(2, 2), 2.4);
    // Bounds still hold: at the maximum Page Up leaves the value.
    g->SetCells(2, 2, "100");
    SimulateKeyStroke(VK_F2);
    SimulateKeyStroke(VK_PRIOR);
    EXPECT_DOUBLE_EQ(spin->GetFloatValue(), 100.0);
    SimulateKeyStroke(VK_ESCAPE);
}

} // namespace
