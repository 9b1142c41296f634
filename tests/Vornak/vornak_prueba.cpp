#include "tests/Vornak/vornak_prueba.h"

#include "Vornak/Ventanalibreria.h"

#include "comunes/RegistroElementos.h"
#include "modelo/RegistroModelo.h"
#include "plataforma/base/files.h"
#include "plataforma/base/string_list.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/kernel/std_messages.h"
#include "plataforma/gui/testing/dropped_list.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/combo.h"
#include "plataforma/gui/widgets/tree_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string Bytes(const AnsiString& ruta) {
    std::ifstream f(NativePath(ruta), std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

} // namespace

std::string Material(const char* nombre, const char* grupo, const char* conductividad) {
    return std::string("\"") + nombre +
           "\" = MATERIAL\n"
           "    TYPE              = PROPERTIES\n"
           "    THICKNESS         =           0.03\n"
           "    CONDUCTIVITY      =           " +
           conductividad +
           "\n"
           "    DENSITY           =           2600\n"
           "    SPECIFIC-HEAT     =           1000\n"
           "    VAPOUR-DIFFUSIVITY-FACTOR =             50\n"
           "    NAME          = \"" +
           nombre + "\"\n    GROUP         = \"" + grupo + "\"\n    ..\n";
}

std::string Crlf(const std::string& texto) {
    std::string r;
    for (char c : texto) {
        if (c == '\n') r += '\r';
        r += c;
    }
    return r;
}

std::vector<std::string> Lineas(TStrings* lista) {
    std::vector<std::string> r;
    for (int i = 0; i < lista->GetCount(); ++i)
        r.push_back(lista->GetStrings(i).c_str());
    return r;
}

std::string LeerBytes(const AnsiString& ruta) {
    return Bytes(ruta);
}

void ElegirTodoYAceptar(TObject* dialogo) {
    auto* d = static_cast<TforLibreria*>(dialogo);
    d->btnAgregarTodo->Click();
    d->btnAceptar->Click();
}

bool Mostrado(const AnsiString& texto) {
    for (const ScriptedModalHooks::Shown& s : Guion().ShownBoxes())
        if (s.text == texto) return true;
    return false;
}

PruebaVornak::PruebaVornak()
    : InstalacionDePrueba("LIB = \"Lib\\\"\nIMG = \"Imagenes\\\"\nTMP = \"Tmp\\\"\n") {}

void PruebaVornak::SetUp() {
    InstalacionDePrueba::SetUp();
    RegistrarElementos();
    RegistrarModelo();
    carpeta.Fichero("Lib/BDCATALOGO.BDC", Bytes(QUENBAR_DATOS "/Lib/BDCATALOGO.BDC"));
    carpeta.Fichero("Tmp/.guardar", "");
    // Los dibujos de ejemplo, en la carpeta de imágenes de la instalación.
    for (const char* sub : {"Materiales", "Puentes"})
        for (const auto& f : std::filesystem::directory_iterator(
                 std::filesystem::path(QUENBAR_DATOS) / "Imagenes" / sub))
            if (f.path().extension() == ".png")
                carpeta.Fichero(AnsiString("Imagenes/") + sub + "/" + f.path().filename().c_str(),
                                Bytes(f.path().c_str()));
    ejemplo = carpeta.Fichero("Lib/ejemplo.bdc", Bytes(QUENBAR_DATOS "/ejemplo.bdc"));
    segunda = carpeta.Fichero("Lib/segunda.bdc",
                              Crlf("$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = USER\n" +
                                   Material("Granito", "Piedras", "2.8") +
                                   Material("Marcos", "Marcos", "1.5")));
    estandar = carpeta.Fichero("Lib/estandar.bdc",
                               Crlf("$\nCAMBIO = NO\nCAMBIO-DUMVAT = NO\n$\nTEMPLARY = STANDARD\n" +
                                    Material("Marmol", "Piedras", "3.5")));
}

void PruebaVornak::TearDown() {
    marco.reset();
    Application->ProcessMessages();
    InstalacionDePrueba::TearDown();
}

TforPrincipal* PruebaVornak::Marco() {
    if (!marco) {
        marco = std::make_unique<TforPrincipal>(nullptr);
        marco->Show();
    }
    return marco.get();
}

VistaGestorBD* PruebaVornak::AbrirDelMenu(const AnsiString& ruta) {
    Guion().AnswerFileDialog(ruta);
    Marco()->mnuAbrir->Click();
    return Marco()->ControladorActual();
}

TTreeNode* PruebaVornak::Nodo(TforGestorBD* ventana, std::initializer_list<const char*> camino) {
    TTreeNode* nodo = ventana->tvBaseDatos->GetItems()->GetFirstNode();
    for (const char* rotulo : camino) {
        TTreeNode* hijo = nodo ? nodo->getFirstChild() : nullptr;
        while (hijo && hijo->GetText() != rotulo)
            hijo = hijo->getNextSibling();
        nodo = hijo;
    }
    return nodo;
}

void PruebaVornak::CerrarMarco() {
    if (!marco) return;
    marco->Close();
    Application->ProcessMessages();
}

void Desplegar(TCustomComboBox* lista, int anchoMinimo) {
    ASSERT_TRUE(lista->GetVisible() && lista->GetEnabled()) << lista->GetName().c_str();
    SimulateScreenClick(lista, lista->GetWidth() / 2, lista->GetHeight() / 2);
    Application->ProcessMessages();
    ASSERT_TRUE(lista->GetDroppedDown()) << lista->GetName().c_str();
    const TRect desplegada = DroppedListRect(lista);
    const TPoint combo = lista->ClientToScreen(TPoint(0, 0));
    // (Su marco puede tapar la última línea del combo.)
    EXPECT_GE(desplegada.Top, combo.y + lista->GetHeight() - 1) << lista->GetName().c_str();
    EXPECT_LE(desplegada.Top, combo.y + lista->GetHeight()) << lista->GetName().c_str();
    EXPECT_EQ(desplegada.Left, combo.x) << lista->GetName().c_str();
    EXPECT_GE(desplegada.Width(), anchoMinimo) << lista->GetName().c_str();
}

void ElegirConElRaton(TCustomComboBox* lista, int indice, int anchoMinimo) {
    Desplegar(lista, anchoMinimo);
    if (testing::Test::HasFatalFailure()) return;
    const int arriba = static_cast<int>(lista->Perform(CB_GETTOPINDEX, 0, 0));
    const int alto = lista->GetItemHeight();
    ASSERT_GE(indice, arriba);
    ASSERT_LT(indice - arriba, lista->GetDropDownCount());
    // El marco de la lista, y el elemento por su mitad.
    const int y = lista->GetHeight() + 2 + (indice - arriba) * alto + alto / 2;
    SimulateScreenClick(lista, 24, y);
    Application->ProcessMessages();
    EXPECT_FALSE(lista->GetDroppedDown()) << lista->GetName().c_str();
}

int OtroElemento(TCustomComboBox* lista) {
    const int n = std::min(lista->GetItems()->GetCount(), lista->GetDropDownCount());
    return n - 1 == lista->GetItemIndex() ? 0 : n - 1;
}
