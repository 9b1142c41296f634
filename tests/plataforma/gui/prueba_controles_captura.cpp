// A form that holds every standard control, saved as a capture for a person to look at.

#include "tests/plataforma/gui/prueba_controles_comun.h"

#include "plataforma/base/files.h"
#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/images/image_list.h"
#include "plataforma/gui/painting/canvas.h"
#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/buttons_extra.h"
#include "plataforma/gui/widgets/check_radio.h"
#include "plataforma/gui/widgets/combo.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/image.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/list_box.h"
#include "plataforma/gui/widgets/memo.h"
#include "plataforma/gui/widgets/page_control.h"
#include "plataforma/gui/widgets/panels.h"
#include "plataforma/gui/widgets/tree_view.h"

namespace {

// Everything on one form, laid out as a database window would be.
class FormularioCompleto : public TForm {
public:
    FormularioCompleto() : TForm(nullptr) {
        SetCaption("Controles estándar");
        SetBounds(0, 0, 760, 520);

        arbol = Nuevo<TTreeView>(this);
        arbol->SetWidth(180);
        arbol->SetAlign(alLeft);
        imagenes = new TImageList(this);
        for (TColor c : {TColor(0x00C0C0), TColor(0x008000), TColor(0x800000)}) {
            TBitmap b;
            b.SetSize(16, 16);
            b.GetCanvas()->GetBrush()->SetColor(clFuchsia);
            b.GetCanvas()->FillRect(Rect(0, 0, 16, 16));
            b.GetCanvas()->GetBrush()->SetColor(c);
            b.GetCanvas()->FillRect(Rect(2, 3, 14, 13));
            imagenes->AddMasked(&b, clFuchsia);
        }
        arbol->SetImages(imagenes);
        arbol->SetSortType(stText);
        arbol->SetReadOnly(true);
        TTreeNode* raiz = arbol->GetItems()->Add(nullptr, "Proyecto: Ejemplo");
        TTreeNode* opacos = arbol->GetItems()->AddChild(raiz, "Opacos");
        TTreeNode* mat = arbol->GetItems()->AddChild(opacos, "Materiales y productos");
        for (const char* n : {"Ladrillo perforado", "Enlucido de yeso", "Mortero de cemento"}) {
            TTreeNode* h = arbol->GetItems()->AddChild(mat, n);
            h->SetImageIndex(1);
            h->SetSelectedIndex(1);
        }
        TTreeNode* semi = arbol->GetItems()->AddChild(raiz, "Semitransparentes");
        arbol->GetItems()->AddChild(semi, "Vidrios");
        for (TTreeNode* n : {raiz, opacos, mat, semi}) {
            n->SetImageIndex(0);
            n->SetSelectedIndex(0);
        }
        arbol->SetSelected(mat->getFirstChild());

        auto* sep = Nuevo<TSplitter>(this);
        sep->SetLeft(200);
        sep->SetAlign(alLeft);

        paginas = Nuevo<TPageControl>(this);
        paginas->SetAlign(alClient);
        auto* basicos = Hoja("Básicos");
        auto* listas = Hoja("Listas");
        Hoja("Puentes térmicos")->SetTabVisible(true);
        paginas->SetActivePage(basicos);

        // --- the basic page ---
        auto* lbNombre = Nuevo<TLabel>(basicos);
        lbNombre->SetBounds(8, 12, 60, 13);
        lbNombre->SetCaption("&Nombre");
        auto* edNombre = Nuevo<TEdit>(basicos);
        edNombre->SetBounds(80, 8, 180, 21);
        edNombre->SetText("Ladrillo perforado");
        lbNombre->SetFocusControl(edNombre);
        auto* edValor = Nuevo<TEdit>(basicos);
        edValor->SetBounds(270, 8, 80, 21);
        edValor->SetText("0.376");
        auto* edApagado = Nuevo<TEdit>(basicos);
        edApagado->SetBounds(360, 8, 100, 21);
        edApagado->SetText("deshabilitado");
        edApagado->SetEnabled(false);

        auto* cbTipo = Nuevo<TComboBox>(basicos);
        cbTipo->SetBounds(80, 38, 180, 21);
        cbTipo->SetStyle(csDropDownList);
        cbTipo->GetItems()->SetCommaText("PROPIEDADES,RESISTENCIA");
        cbTipo->SetItemIndex(0);
        auto* cbGrupo = Nuevo<TComboBox>(basicos);
        cbGrupo->SetBounds(270, 38, 190, 21);
        cbGrupo->GetItems()->SetCommaText("Otro,Fábricas,Revestimientos");
        cbGrupo->SetText("Fábricas");

        auto* memo = Nuevo<TMemo>(basicos);
        memo->SetBounds(8, 70, 252, 70);
        memo->SetScrollBars(ssVertical);
        memo->GetLines()->Add("Primera línea del memo");
        memo->GetLines()->Add("Segunda línea, algo más larga que la primera");

        auto* grupo = Nuevo<TGroupBox>(basicos);
        grupo->SetBounds(270, 66, 190, 74);
        grupo->SetCaption("Propiedades");
        auto* rb1 = Nuevo<TRadioButton>(grupo);
        rb1->SetBounds(10, 18, 150, 17);
        rb1->SetCaption("&Verticales");
        auto* rb2 = Nuevo<TRadioButton>(grupo);
        rb2->SetBounds(10, 38, 150, 17);
        rb2->SetCaption("&Horizontales");
        rb1->SetChecked(true);
        auto* chk = Nuevo<TCheckBox>(basicos);
        chk->SetBounds(8, 150, 140, 17);
        chk->SetCaption("¿Es una &puerta?");
        chk->SetChecked(true);
        auto* chk2 = Nuevo<TCheckBox>(basicos);
        chk2->SetBounds(150, 150, 120, 17);
        chk2->SetCaption("Sin marcar");

        auto* panel = Nuevo<TPanel>(basicos);
        panel->SetBounds(8, 176, 250, 40);
        panel->SetBevelInner(bvLowered);
        panel->SetCaption("Panel con bisel doble");
        auto* bisel = Nuevo<TBevel>(basicos);
        bisel->SetBounds(270, 176, 190, 40);
        auto* linea = Nuevo<TBevel>(basicos);
        linea->SetBounds(8, 224, 452, 2);
        linea->SetShape(bsTopLine);

        auto* ok = Nuevo<TBitBtn>(basicos);
        ok->SetBounds(8, 236, 90, 27);
        ok->SetKind(bkOK);
        auto* cancel = Nuevo<TBitBtn>(basicos);
        cancel->SetBounds(104, 236, 90, 27);
        cancel->SetKind(bkCancel);
        auto* normal = Nuevo<TButton>(basicos);
        normal->SetBounds(200, 236, 75, 25);
        normal->SetCaption("Aceptar");
        for (int i = 0; i < 3; ++i) {
            auto* s = Nuevo<TSpeedButton>(basicos);
            s->SetBounds(290 + 26 * i, 237, 25, 25);
            s->SetGroupIndex(1);
            TBitmap g;
            g.SetSize(12, 12);
            g.GetCanvas()->GetBrush()->SetColor(clFuchsia);
            g.GetCanvas()->FillRect(Rect(0, 0, 12, 12));
            g.GetCanvas()->GetBrush()->SetColor(i == 0 ? clRed : i == 1 ? clGreen : clBlue);
            g.GetCanvas()->Ellipse(1, 1, 11, 11);
            s->SetGlyph(&g);
            if (i == 1) s->SetDown(true);
        }
        auto* imagen = Nuevo<TImage>(basicos);
        imagen->SetBounds(380, 236, 80, 60);
        imagen->SetStretch(true);
        TBitmap dibujo;
        dibujo.SetSize(40, 30);
        TCanvas* dc = dibujo.GetCanvas();
        dc->GetBrush()->SetColor(TColor(0x4080C0));
        dc->FillRect(Rect(0, 0, 40, 30));
        dc->GetBrush()->SetColor(TColor(0xD0D0D0));
        for (int y = 0; y < 30; y += 6)
            dc->FillRect(Rect(0, y, 40, y + 1));
        imagen->GetPicture()->SetBitmap(&dibujo);

        // --- the list page ---
        auto* lista = Nuevo<TListBox>(listas);
        lista->SetBounds(8, 8, 220, 120);
        int tab = 100;
        lista->Perform(LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tab));
        for (const char* t : {"Ladrillo\t0.376", "Enlucido\t0.570", "Mortero\t1.300"})
            lista->GetItems()->Add(t);
        lista->SetItemIndex(1);
        auto* propia = Nuevo<TListBox>(listas);
        propia->SetBounds(240, 8, 200, 120);
        propia->SetStyle(lbOwnerDrawFixed);
        propia->SetItemHeight(20);
        propia->OnDrawItem = [propia](TWinControl*, int i, TRect r, TOwnerDrawState) {
            TCanvas* c = propia->GetCanvas();
            c->FillRect(r);
            TColor colores[] = {clRed, clGreen, clBlue};
            c->GetBrush()->SetColor(colores[i % 3]);
            c->Rectangle(r.Left + 2, r.Top + 3, r.Left + 16, r.Bottom - 3);
            c->GetBrush()->SetStyle(bsClear);
            c->TextOut(r.Left + 22, r.Top + 3, propia->GetItems()->GetStrings(i));
        };
        for (const char* t : {"Rojo", "Verde", "Azul"})
            propia->GetItems()->Add(t);
        propia->SetItemIndex(2);
    }

    TTreeView* arbol;
    TImageList* imagenes;
    TPageControl* paginas;

private:
    template <class T> T* Nuevo(TWinControl* padre) {
        auto* c = new T(this);
        c->SetParent(padre);
        return c;
    }
    TTabSheet* Hoja(const char* titulo) {
        auto* h = new TTabSheet(this);
        h->SetPageControl(paginas);
        h->SetCaption(titulo);
        return h;
    }
};

TEST(Captura, UnFormularioConCadaControl) {
    FormularioCompleto f;
    f.Show();
    const AnsiString basicos = SaveCapture(&f, "controles-basicos");
    ASSERT_FALSE(basicos.IsEmpty());
    EXPECT_TRUE(FileExists(basicos));
    f.paginas->SetActivePageIndex(1);
    const AnsiString listas = SaveCapture(&f, "controles-listas");
    ASSERT_FALSE(listas.IsEmpty());
    EXPECT_TRUE(FileExists(listas));
}

} // namespace
