// The multi-column combo: encoded lines (with texts holding the delimiter), the columns'
// texts and their range errors, sorting with the rows following, the lookup as typed, the
// row files, and captures of the combo closed and dropped.

#include "tests/controles/edit/prueba_kav_comun.h"

#include "controles/edit/column_combo.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/images/image_list.h"
#include "plataforma/gui/services/capture.h"
#include "tests/comun/carpeta_temporal.h"

#include <QAbstractItemView>
#include <QComboBox>

#include <fstream>
#include <sstream>

namespace {

class PruebaColumnas : public PruebaKav {
protected:
    void SetUp() override {
        PruebaKav::SetUp();
        combo = new TColumnComboBox(ventana.get());
        combo->SetParent(ventana.get());
        combo->SetBounds(20, 120, 300, 21);
    }
    // Columns: an image, then two texts.
    void Columnas() {
        combo->GetColumns()->Add()->SetColumnType(ctImage);
        combo->GetColumns()->GetItems(0)->SetWidth(20);
        combo->GetColumns()->Add()->SetWidth(120);
        combo->GetColumns()->Add()->SetAlignment(taRightJustify);
    }
    void Fila(const char* a, const char* b, int imagen = -1) {
        TComboItem* f = combo->GetComboItems()->Add();
        f->SetImageIndex(imagen);
        f->GetStrings()->Add(a);
        f->GetStrings()->Add(b);
    }
    std::vector<std::string> Lineas() const {
        std::vector<std::string> v;
        for (int i = 0; i < combo->GetItems()->GetCount(); ++i)
            v.push_back(combo->GetItems()->GetStrings(i).str());
        return v;
    }
    TColumnComboBox* combo = nullptr;
};

TEST_F(PruebaColumnas, CodificaCadaFilaYLeeLasColumnas) {
    Columnas();
    Fila("x", "y", 2);
    Fila("Ladrillo | hueco", "1,5", 0); // the delimiter inside a text
    TComboItem* corta = combo->GetComboItems()->Add();
    corta->GetStrings()->Add("solo");
    EXPECT_EQ(Lineas(),
              (std::vector<std::string>{"#2|x|y|", "#0|Ladrillo \\| hueco|1,5|", "#-1|solo||"}));
    // Columns counted with the image one: column 1 is the first text.
    EXPECT_EQ(combo->GetColumnItems(1, 1), "Ladrillo | hueco");
    EXPECT_EQ(combo->GetColumnItems(1, 2), "1,5");
    EXPECT_EQ(combo->GetColumnItems(2, 2), "");

    // Replaced in the line only; the row's texts stay.
    combo->SetItemIndex(1);
    combo->SetColumnItems(1, 2, "a|b");
    EXPECT_EQ(combo->GetColumnItems(1, 2), "a|b");
    EXPECT_EQ(combo->GetColumnItems(1, 1), "Ladrillo | hueco");
    EXPECT_EQ(combo->GetComboItems()->GetItems(1)->GetStrings()->GetStrings(1), "1,5");
    EXPECT_EQ(combo->GetItemIndex(), 1);

    for (int fila : {-1, 3, 100}) {
        SCOPED_TRACE(fila);
        try {
            combo->GetColumnItems(fila, 1);
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, "Item index out of range");
        }
        EXPECT_THROW(combo->SetColumnItems(fila, 1, "z"), Exception);
    }

    // Editing a row's texts rebuilds its line and keeps the choice; removing a row drops it.
    combo->GetComboItems()->GetItems(0)->GetStrings()->SetStrings(0, "x2");
    EXPECT_EQ(Lineas()[0], "#2|x2|y|");
    EXPECT_EQ(combo->GetItemIndex(), 1);
    combo->GetComboItems()->Delete(0);
    EXPECT_EQ(Lineas().size(), 2u);
    EXPECT_EQ(combo->GetColumnItems(0, 1), "Ladrillo | hueco");

    // Search in the rows' texts.
    EXPECT_EQ(combo->GetComboItems()->IndexInColumnOf(0, "solo"), 1);
    EXPECT_EQ(combo->GetComboItems()->IndexInColumnOf(0, "SOLO"), -1);
    EXPECT_EQ(combo->GetComboItems()->IndexInRowOf(0, "1,5"), 1);
    EXPECT_EQ(combo->GetComboItems()->IndexInRowOf(7, "1,5"), -1);
    Fila("1,5", "otro");
    const TPoint p = combo->GetComboItems()->IndexOf("1,5");
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 2);

    // Within an update the lines wait for its end.
    combo->BeginUpdate();
    Fila("nueva", "");
    EXPECT_EQ(Lineas().size(), 3u);
    combo->EndUpdate();
    EXPECT_EQ(Lineas().size(), 4u);
}

TEST_F(PruebaColumnas, OrdenaPorUnaColumnaYLasFilasSiguenASusLineas) {
    Columnas();
    const char* nombres[] = {"yeso", "acero", "Madera", "barro", "Zinc", "cal"};
    for (int i = 0; i < 6; ++i) {
        Fila(nombres[i], std::to_string(i).c_str(), i);
        combo->GetComboItems()->GetItems(i)->SetTag(100 + i);
    }
    combo->SetSortColumn(1);
    combo->SetSortedEx(true);
    std::vector<std::string> claves;
    for (int i = 0; i < 6; ++i) {
        claves.push_back(combo->GetColumnItems(i, 1).str());
        // Each row still matches its line: texts, image and tag moved together.
        TComboItem* f = combo->GetComboItems()->GetItems(i);
        const std::string n = f->GetStrings()->GetStrings(1).str();
        EXPECT_EQ(f->GetStrings()->GetStrings(0).str(), claves.back());
        EXPECT_EQ(f->GetImageIndex(), std::stoi(n));
        EXPECT_EQ(f->GetTag(), 100 + std::stoi(n));
        EXPECT_EQ(Lineas()[i], "#" + n + "|" + claves.back() + "|" + n + "|");
    }
    for (size_t i = 1; i < claves.size(); ++i)
        EXPECT_LE(AnsiCompareStr(claves[i - 1], claves[i]), 0) << claves[i - 1] << " " << claves[i];
}

// Sorting keeps the same row chosen wherever it goes, and what the combo shows and reports
// is that row; by Sort and by Sorted.
TEST_F(PruebaColumnas, OrdenarMantieneElegidaLaMismaFila) {
    Columnas();
    const char* nombres[] = {"yeso", "acero", "Madera", "barro", "Zinc", "cal"};
    for (int i = 0; i < 6; ++i)
        Fila(nombres[i], std::to_string(i).c_str());
    combo->SetSortColumn(1);
    for (int elegida = 0; elegida < 6; ++elegida) {
        SCOPED_TRACE(elegida);
        combo->SetItemIndex(elegida);
        const AnsiString nombre = combo->GetColumnItems(elegida, 1);
        combo->Sort();
        ASSERT_GE(combo->GetItemIndex(), 0);
        EXPECT_EQ(combo->GetColumnItems(combo->GetItemIndex(), 1), nombre);
        // Shuffled again for the next round: the rows in their first order.
        combo->GetComboItems()->Clear();
        for (int i = 0; i < 6; ++i)
            Fila(nombres[i], std::to_string(i).c_str());
    }
    combo->SetItemIndex(0);
    combo->SetSortedEx(true);
    EXPECT_EQ(combo->GetColumnItems(combo->GetItemIndex(), 1), "yeso");
    EXPECT_EQ(combo->GetComboItems()->GetItems(combo->GetItemIndex())->GetStrings()->GetStrings(0),
              "yeso");
}

TEST_F(PruebaColumnas, BuscaLoQueSeTecleaEnLaColumnaDeBusqueda) {
    combo->GetColumns()->Add();
    combo->GetColumns()->Add();
    for (const char* n : {"Abeto", "acero", "Alerce", "Ébano", "Balsa", "abedul"})
        Fila(n, "");
    combo->SetLookupColumn(0);
    combo->SetFocus();
    // One letter at a time: the next row starting with it, round to the first.
    std::vector<int> vistas;
    int cambios = 0;
    combo->OnChange = [&](TObject*) { ++cambios; };
    for (int i = 0; i < 5; ++i) {
        SimulateTyping("a");
        vistas.push_back(combo->GetItemIndex());
    }
    EXPECT_EQ(vistas, (std::vector<int>{0, 1, 2, 5, 0}));
    EXPECT_EQ(cambios, 5);
    SimulateTyping("é"); // case ignored beyond ASCII
    EXPECT_EQ(combo->GetItemIndex(), 3);

    // Accumulated: from the current row on; a text that matches nothing starts again.
    combo->SetLookupIncr(true);
    combo->SetItemIndex(0);
    SimulateKeyStroke(VK_ESCAPE);
    EXPECT_EQ(combo->GetLookupText(), "");
    SimulateTyping("ace");
    EXPECT_EQ(combo->GetItemIndex(), 1);
    EXPECT_EQ(combo->GetLookupText(), "ace");
    SimulateKeyStroke(VK_BACK);
    EXPECT_EQ(combo->GetLookupText(), "ac");
    SimulateTyping("b");
    EXPECT_EQ(combo->GetLookupText(), "b");
    EXPECT_EQ(combo->GetItemIndex(), 4);
}

// A row chosen by the user fires OnClick and then OnChange, once each, and nothing else;
// the combo's text is that row's line.
TEST_F(PruebaColumnas, ElegirUnaFilaDisparaOnClickYLuegoOnChange) {
    Columnas();
    Fila("Ladrillo", "0,49");
    Fila("Hormigón", "2,30");
    Fila("Lana", "0,04");
    std::vector<std::string> eventos;
    combo->OnClick = [&](TObject*) { eventos.push_back("click"); };
    combo->OnChange = [&](TObject*) { eventos.push_back("change"); };
    combo->OnSelect = [&](TObject*) { eventos.push_back("select"); };
    combo->SetFocus();
    struct Paso {
        WORD tecla;
        int fila;
    };
    const Paso pasos[] = {{VK_DOWN, 0}, {VK_DOWN, 1}, {VK_DOWN, 2}, {VK_UP, 1}};
    for (const Paso& p : pasos) {
        SCOPED_TRACE(p.fila);
        eventos.clear();
        SimulateKeyStroke(p.tecla);
        EXPECT_EQ(combo->GetItemIndex(), p.fila);
        EXPECT_EQ(eventos, (std::vector<std::string>{"click", "change"}));
        EXPECT_EQ(combo->GetText(), combo->GetItems()->GetStrings(p.fila));
    }
}

TEST_F(PruebaColumnas, LosFicherosDeFilasGuardanLosTextosComoTextoConComas) {
    CarpetaTemporal carpeta;
    Columnas();
    Fila("Hormigón, armado", "2,5 \"kg\"", 3);
    Fila("", "solo segundo", 1);
    Fila("a", "b");
    const AnsiString fichero = carpeta.Ruta() + "filas.txt";
    combo->GetComboItems()->SaveToFile(fichero);
    std::ifstream in(fichero.str(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bytes.str(),
              "\"Hormig\xF3n, armado\",\"2,5 \"\"kg\"\"\"\r\n,\"solo segundo\"\r\na,b\r\n");

    auto* otro = new TColumnComboBox(ventana.get());
    otro->SetParent(ventana.get());
    otro->GetColumns()->Add();
    otro->GetColumns()->Add();
    otro->GetComboItems()->Add()->GetStrings()->Add("se va");
    otro->GetComboItems()->LoadFromFile(fichero);
    ASSERT_EQ(otro->GetComboItems()->GetCount(), 3);
    for (int i = 0; i < 3; ++i) {
        TComboItem* f = otro->GetComboItems()->GetItems(i);
        EXPECT_EQ(f->GetStrings()->GetText(),
                  combo->GetComboItems()->GetItems(i)->GetStrings()->GetText());
        EXPECT_EQ(f->GetImageIndex(), -1);
    }
    EXPECT_EQ(otro->GetColumnItems(0, 0), "Hormigón, armado");
    // A file that cannot be opened leaves no rows.
    otro->GetComboItems()->LoadFromFile(carpeta.Ruta() + "no_existe.txt");
    EXPECT_EQ(otro->GetComboItems()->GetCount(), 0);
    EXPECT_EQ(otro->GetItems()->GetCount(), 0);
}

// With ShowItemHint the pointer resting on the combo shows the selected row's texts, with
// no Hint of the combo's own.
TEST_F(PruebaColumnas, LaPistaDeLaFilaSeMuestraSinHintPropio) {
    Columnas();
    Fila("Ladrillo | hueco", "0,49");
    Fila("Hormigón armado", "2,30");
    combo->SetItemIndex(1);
    combo->SetShowHint(true);
    ASSERT_TRUE(combo->GetHint().IsEmpty());
    for (const bool filas : {true, false}) {
        SCOPED_TRACE(filas ? "ShowItemHint" : "sin ShowItemHint");
        CancelHint();
        combo->SetShowItemHint(filas);
        EXPECT_EQ(SimulateHintRest(combo, 30, 8),
                  filas ? AnsiString(" Hormigón armado 2,30 ") : AnsiString());
    }
    CancelHint();
}

TEST_F(PruebaColumnas, CapturasCerradoYDesplegado) {
    auto* imagenes = new TImageList(ventana.get(), 16, 16);
    for (TColor c : {clRed, clGreen, clBlue}) {
        TBitmap b;
        b.SetSize(16, 16);
        b.GetCanvas()->GetBrush()->SetColor(c);
        b.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
        imagenes->AddMasked(&b, clWhite);
    }
    Columnas();
    combo->SetImages(imagenes);
    combo->GetColumns()->GetItems(1)->SetColor(static_cast<TColor>(0xE0FFFF));
    combo->SetGridLines(true);
    Fila("Ladrillo | hueco", "0,49", 0);
    Fila("Hormigón armado", "2,30", 1);
    Fila("Lana mineral", "0,04", 2);
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->GetText(), combo->GetItems()->GetStrings(1));
    EXPECT_EQ(imagenes->GetCount(), 3);
    combo->SetShowItemHint(true);
    EXPECT_EQ(combo->ItemHint(), " Hormigón armado 2,30 ");
    EXPECT_FALSE(SaveCapture(ventana.get(), "column_combo_cerrado").IsEmpty());
    combo->SetDroppedDown(true);
    EXPECT_TRUE(combo->GetDroppedDown());
    // The dropped list is a window of its own: captured apart.
    auto* w = qobject_cast<QComboBox*>(combo->GetWidget());
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->view()->isVisible());
    EXPECT_TRUE(w->view()->window()->grab().save(
        QString::fromStdString((CaptureFolder() + "/column_combo_desplegado.png").str())));
    combo->SetDroppedDown(false);
}

} // namespace
