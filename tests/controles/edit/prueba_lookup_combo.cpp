// The lookup edit and combo: completion from the history (case, file names), the history on
// leaving (front or back, limit, the Accept veto, siblings), Return as Tab, the modified
// colour, and the history kept in an INI file or the settings store.

#include "tests/controles/edit/prueba_kav_comun.h"

#include "controles/edit/lookup_combo.h"
#include "plataforma/base/ini_file.h"
#include "plataforma/gui/kernel/screen.h"
#include "plataforma/gui/services/capture.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/variable_entorno.h"

#include <QAbstractItemView>
#include <QComboBox>

#include <fstream>
#include <sstream>

namespace {

std::vector<std::string> Lista(const TStrings& s) {
    std::vector<std::string> v;
    for (int i = 0; i < s.GetCount(); ++i)
        v.push_back(s.GetStrings(i).str());
    return v;
}

class PruebaLookup : public PruebaKav {
protected:
    TLUEdit* NuevoLU(int y) {
        auto* e = new TLUEdit(ventana.get());
        e->SetParent(ventana.get());
        e->SetBounds(120, y, 150, 21);
        return e;
    }
    TLUCombo* NuevoCombo(int y) {
        auto* c = new TLUCombo(ventana.get());
        c->SetParent(ventana.get());
        c->SetBounds(120, y, 150, 21);
        return c;
    }
};

TEST_F(PruebaLookup, CompletaConLaPrimeraEntradaQueEmpiezaIgual) {
    struct Caso {
        const char* tecleado;
        bool mayusculas;
        const char* texto;
        int inicio, largo;
    } casos[] = {
        {"ba", false, "banana", 2, 4}, // the typed part keeps the user's spelling
        {"BA", false, "BAnana", 2, 4},
        {"ba", true, "ba", 2, 0}, // case counts: nothing matches
        {"Ba", true, "Banana", 2, 4},
        {"a", false, "apple", 1, 4}, // the first entry that matches wins
        {"x", false, "x", 1, 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.tecleado);
        for (bool enCombo : {false, true}) {
            SCOPED_TRACE(enCombo ? "combo" : "edit");
            TWinControl* control;
            std::function<int()> inicio, largo;
            if (enCombo) {
                TLUCombo* co = NuevoCombo(150);
                co->GetItems()->Add("Apple");
                co->GetItems()->Add("Banana");
                co->GetItems()->Add("Apricot");
                co->Settings().MatchCase = c.mayusculas;
                control = co;
                inicio = [co] { return co->GetSelStart(); };
                largo = [co] { return co->GetSelLength(); };
            } else {
                TLUEdit* e = NuevoLU(150);
                e->GetLookupItems()->Add("Apple");
                e->GetLookupItems()->Add("Banana");
                e->GetLookupItems()->Add("Apricot");
                e->Settings().MatchCase = c.mayusculas;
                control = e;
                inicio = [e] { return e->GetSelStart(); };
                largo = [e] { return e->GetSelLength(); };
            }
            control->SetFocus();
            SimulateTyping(c.tecleado);
            EXPECT_EQ(control->GetText(), c.texto);
            EXPECT_EQ(inicio(), c.inicio);
            EXPECT_EQ(largo(), c.largo);
            siguiente->SetFocus();
            delete control;
        }
    }
}

TEST_F(PruebaLookup, BorrarNoVuelveACompletarYElManejadorCambiaLaCola) {
    TLUEdit* e = NuevoLU(150);
    e->GetLookupItems()->Add("Banana");
    std::vector<std::string> vistos;
    e->Settings().AutoComplete = [&](TObject* s, const AnsiString& usr, AnsiString& add, int i) {
        vistos.push_back(usr.str() + "+" + add.str() + "@" + std::to_string(i));
        EXPECT_EQ(s, e);
        if (usr == "bana") add = "NA!";
    };
    e->SetFocus();
    SimulateTyping("ban");
    EXPECT_EQ(e->GetText(), "banana");
    SimulateKeyStroke(VK_BACK); // deletes the completed tail
    EXPECT_EQ(e->GetText(), "ban");
    SimulateKeyStroke(VK_BACK);
    EXPECT_EQ(e->GetText(), "ba");
    SimulateTyping("na");
    EXPECT_EQ(e->GetText(), "banaNA!");
    EXPECT_EQ(vistos, (std::vector<std::string>{"b+anana@0", "ba+nana@0", "ban+ana@0", "ban+ana@0",
                                                "bana+na@0"}));
}

TEST_F(PruebaLookup, CompletaNombresDeFicheroDeLaCarpeta) {
    CarpetaTemporal carpeta;
    carpeta.Fichero("Informe.txt", "x");
    carpeta.Fichero("inventario/a.txt", "x");
    carpeta.Fichero(".oculto", "x");
    TLUEdit* e = NuevoLU(150);
    e->Settings().FileLookup = true;
    e->Settings().LookupDirectory = carpeta.Ruta();
    e->GetLookupItems()->Add("infierno"); // the history is not used for file names
    struct Caso {
        const char* tecleado;
        const char* texto;
    } casos[] = {
        {"inf", "Informe.txt"}, // the first name in order, case ignored
        {"inv", "inventario"},  // folders too
        {"inventario\\", "inventario\\a.txt"},
        {".o", ".o"}, // hidden names are left out
        {"zz", "zz"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.tecleado);
        e->SetText("");
        e->SetFocus();
        SimulateTyping(c.tecleado);
        EXPECT_EQ(e->GetText(), c.texto);
        EXPECT_EQ(e->GetSelStart(), AnsiString(c.tecleado).Length());
        siguiente->SetFocus();
    }
}

TEST_F(PruebaLookup, AlSalirGuardaElTextoDelanteODetrasConLimite) {
    struct Caso {
        TAutoHistoryDirection direccion;
        int limite;
        std::vector<std::string> historia;
    } casos[] = {
        {ahdFirst, 3, {"nuevo", "uno", "dos"}},
        {ahdLast, 3, {"dos", "tres", "nuevo"}},
        {ahdFirst, 0, {"nuevo", "uno", "dos", "tres"}},
        {ahdLast, 0, {"uno", "dos", "tres", "nuevo"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.direccion * 10 + c.limite);
        TLUEdit* e = NuevoLU(150);
        for (const char* s : {"uno", "dos", "tres"})
            e->GetLookupItems()->Add(s);
        e->Settings().AutoHistory = true;
        e->Settings().AutoHistoryDirection = c.direccion;
        e->Settings().AutoHistoryLimit = c.limite;
        AnsiString anadido;
        e->Settings().OnAddToHistory = [&](TObject*, const AnsiString& s) { anadido = s; };
        e->SetFocus();
        SimulateTyping("nuevo");
        SimulateKeyStroke(VK_TAB);
        EXPECT_EQ(Lista(*e->GetLookupItems()), c.historia);
        EXPECT_EQ(anadido, "nuevo");
        // A text already there (in any case) is not added again.
        e->SetFocus();
        e->SetText("DOS");
        SimulateKeyStroke(VK_TAB);
        EXPECT_EQ(Lista(*e->GetLookupItems()), c.historia);
        delete e;
    }
}

TEST_F(PruebaLookup, ElVetoDeAcceptRetieneElFocoYNoAnadeNada) {
    for (bool enCombo : {false, true}) {
        SCOPED_TRACE(enCombo ? "combo" : "edit");
        TWinControl* control;
        TStrings* historia;
        TLUSettings* ajustes;
        if (enCombo) {
            TLUCombo* c = NuevoCombo(150);
            control = c, historia = c->GetItems(), ajustes = &c->Settings();
        } else {
            TLUEdit* e = NuevoLU(150);
            control = e, historia = e->GetLookupItems(), ajustes = &e->Settings();
        }
        ajustes->AutoHistory = true;
        int salidas = 0;
        control->OnExit = [&](TObject*) { ++salidas; };
        ajustes->Accept = [&](TObject*, const AnsiString& s, int idx, bool& acepta) {
            EXPECT_EQ(idx, s == "bueno" ? -1 : historia->IndexOf(s));
            acepta = s != "malo";
        };
        control->SetFocus();
        SimulateTyping("malo");
        SimulateKeyStroke(VK_TAB);
        EXPECT_EQ(Screen->GetActiveControl(), control);
        EXPECT_EQ(historia->GetCount(), 0);
        EXPECT_EQ(salidas, 0);
        control->SetText("bueno");
        SimulateKeyStroke(VK_TAB);
        EXPECT_NE(Screen->GetActiveControl(), control);
        EXPECT_EQ(Lista(*historia), std::vector<std::string>{"bueno"});
        EXPECT_EQ(salidas, 1);
        delete control;
    }
}

TEST_F(PruebaLookup, LosHermanosDelMismoAlmacenRecibenLaHistoria) {
    TLUEdit* a = NuevoLU(150);
    TLUEdit* b = NuevoLU(180);
    TLUEdit* otroAlmacen = NuevoLU(210);
    for (TLUEdit* e : {a, b, otroAlmacen}) {
        e->Settings().AutoHistory = true;
        e->Settings().AutoSynchronize = true;
        e->GetPersist()->SetKey("h.ini");
        e->GetPersist()->SetSection("Materiales");
    }
    otroAlmacen->GetPersist()->SetSection("Otros");
    a->SetFocus();
    SimulateTyping("yeso");
    SimulateKeyStroke(VK_TAB);
    EXPECT_EQ(Lista(*b->GetLookupItems()), std::vector<std::string>{"yeso"});
    EXPECT_EQ(otroAlmacen->GetLookupItems()->GetCount(), 0);
}

TEST_F(PruebaLookup, IntroPasaAlSiguienteYElColorMarcaLoModificado) {
    TLUEdit* e = NuevoLU(20);
    e->SetTabOrder(0);
    e->Settings().ReturnIsTab = true;
    e->Settings().ShowModified = true;
    e->SetModifiedColor(clRed);
    const TColor normal = e->GetFont()->GetColor();
    e->SetFocus();
    SimulateTyping("hola");
    EXPECT_TRUE(e->GetModifiedState());
    EXPECT_EQ(e->GetFont()->GetColor(), clRed);
    SimulateKeyStroke(VK_RETURN);
    Application->ProcessMessages();
    EXPECT_NE(Screen->GetActiveControl(), e);
    EXPECT_EQ(e->GetText(), "hola");
    // Leaving accepts nothing: the text still differs from the last one accepted.
    EXPECT_TRUE(e->GetModifiedState());
    EXPECT_EQ(e->GetFont()->GetColor(), clRed);
    EXPECT_NE(normal, clRed);
}

// Leaving either control keeps its modified state and colour, however often it is left.
TEST_F(PruebaLookup, SalirNoAceptaElTextoNiQuitaElColorDeModificado) {
    TLUEdit* e = NuevoLU(20);
    TLUCombo* c = NuevoCombo(100);
    struct Caso {
        const char* control;
        TWinControl* w;
        std::function<bool()> modificado;
        std::function<TColor()> color;
    };
    const Caso casos[] = {
        {"edit", e, [&] { return e->GetModifiedState(); },
         [&] { return e->GetFont()->GetColor(); }},
        {"combo", c, [&] { return c->GetModifiedState(); },
         [&] { return c->GetFont()->GetColor(); }},
    };
    e->Settings().ShowModified = true;
    e->SetModifiedColor(clRed);
    c->Settings().ShowModified = true;
    c->SetModifiedColor(clRed);
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.control);
        k.w->SetFocus();
        SimulateTyping("abc");
        ASSERT_TRUE(k.modificado());
        for (int vez = 0; vez < 2; ++vez) {
            SimulateKeyStroke(VK_TAB);
            Application->ProcessMessages();
            EXPECT_FALSE(k.w->Focused());
            EXPECT_TRUE(k.modificado());
            EXPECT_EQ(k.color(), clRed);
            k.w->SetFocus();
        }
    }
}

class PruebaPersistencia : public PruebaLookup {
protected:
    CarpetaTemporal carpeta;
    std::string Bytes(const AnsiString& f) {
        std::ifstream in(f.str(), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST_F(PruebaPersistencia, IdaYVueltaPorUnFicheroIni) {
    const AnsiString ini = carpeta.Ruta() + "historia.ini";
    {
        TLUEdit* e = NuevoLU(150);
        e->GetPersist()->SetEnable(true);
        e->GetPersist()->SetKey(ini);
        e->GetPersist()->SetSection("Buscar");
        e->GetPersist()->SetMaxCount(true);
        e->GetPersist()->SetCount(3);
        for (const char* s : {"uno", "dos", "tres", "cuatro", "cinco"})
            e->GetLookupItems()->Add(s);
        delete e; // saved when the control goes
    }
    EXPECT_EQ(Bytes(ini), "[Buscar]\r\nItem1=tres\r\nItem2=cuatro\r\nItem3=cinco\r\n");

    // Loaded at the end of loading, into the combo's items.
    TLUCombo* c = new TLUCombo(ventana.get());
    c->GetPersist()->SetEnable(true);
    c->GetPersist()->SetKey(ini);
    c->GetPersist()->SetSection("Buscar");
    c->BeginLoading();
    c->SetParent(ventana.get());
    c->EndLoading();
    EXPECT_EQ(Lista(*c->GetItems()), (std::vector<std::string>{"tres", "cuatro", "cinco"}));

    // A gap ends the history; Count beyond the entries writes empty values.
    {
        TIniFile f(ini);
        f.WriteString("Buscar", "Item2", "");
    }
    c->GetItems()->Clear();
    c->LoadPersist();
    EXPECT_EQ(Lista(*c->GetItems()), std::vector<std::string>{"tres"});
    c->GetPersist()->SetMaxCount(true);
    c->GetPersist()->SetCount(2);
    c->SavePersist();
    EXPECT_EQ(Bytes(ini), "[Buscar]\r\nItem1=tres\r\nItem2=\r\n");
}

TEST_F(PruebaPersistencia, ElAlmacenDeAjustesYUnFicheroQueNoSePuedeEscribir) {
    const std::string almacen = (carpeta.Ruta() + "usuario.ini").str();
    VariableEntorno variable{"QUENBAR_REGISTRO_USUARIO", almacen.c_str()};
    TLUEdit* e = NuevoLU(150);
    e->GetPersist()->SetEnable(true);
    e->GetPersist()->SetStorage(stRegistry);
    e->GetPersist()->SetKey("Software\\Quenbar\\Pruebas");
    e->GetPersist()->SetSection("Historia");
    e->GetLookupItems()->Add("Ladrillo");
    e->GetLookupItems()->Add("Yeso");
    e->SavePersist();
    e->GetLookupItems()->Clear();
    e->LoadPersist();
    EXPECT_EQ(Lista(*e->GetLookupItems()), (std::vector<std::string>{"Ladrillo", "Yeso"}));
    EXPECT_NE(Bytes(almacen).find("Item2=Yeso"), std::string::npos);

    // A store in a folder that is a file: nothing is written, nothing is raised, the history
    // that could not be read is empty.
    carpeta.Fichero("bloqueo", "x");
    e->GetPersist()->SetStorage(stInifile);
    e->GetPersist()->SetKey(carpeta.Ruta() + "bloqueo/h.ini");
    EXPECT_NO_THROW(e->SavePersist());
    EXPECT_NO_THROW(e->LoadPersist());
    EXPECT_EQ(e->GetLookupItems()->GetCount(), 0);
    e->GetLookupItems()->Add("x");
    EXPECT_NO_THROW(delete e);
}

TEST_F(PruebaLookup, Capturas) {
    TLUEdit* e = NuevoLU(150);
    e->GetLookupItems()->Add("Hormigón armado");
    e->Settings().ShowModified = true;
    TLUCombo* c = NuevoCombo(190);
    for (const char* s : {"Ladrillo perforado", "Ladrillo hueco", "Lana mineral"})
        c->GetItems()->Add(s);
    e->SetFocus();
    SimulateTyping("hor");
    c->SetFocus();
    SimulateTyping("lan");
    EXPECT_EQ(c->GetText(), "lana mineral");
    EXPECT_FALSE(SaveCapture(ventana.get(), "lookup_combo_cerrado").IsEmpty());
    c->SetDroppedDown(true);
    auto* w = qobject_cast<QComboBox*>(c->GetWidget());
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->view()->isVisible());
    EXPECT_TRUE(w->view()->window()->grab().save(
        QString::fromStdString((CaptureFolder() + "/lookup_combo_desplegado.png").str())));
    c->SetDroppedDown(false);
}

} // namespace
