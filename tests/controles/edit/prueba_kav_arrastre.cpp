// Text dragged out of a typed edit and dropped into one, from this program or another, with
// the drop caret that shows where it lands.

#include "prueba_kav_comun.h"

#include "controles/edit/edit_drag_drop.h"

#include "plataforma/gui/services/capture.h"
#include "plataforma/gui/testing/drag_simulation.h"

#include <QImage>

namespace {

class ArrastreKav : public PruebaKav {
protected:
    void SetUp() override {
        PruebaKav::SetUp();
        otro = NuevoEdit(120, 100);
        for (EditPrueba* e : {edit, otro}) {
            e->SetOleDropTarget(true);
            e->SetOleDropSource(true);
        }
    }
    // A client point over the left half of a character (at the end: after the last one).
    static TPoint Sobre(EditPrueba* e, int caracter) {
        const TPoint p = e->PosFromChar(caracter);
        return {p.x + 1, p.y + 3};
    }
    static DragStep A(EditPrueba* e, int caracter, TShiftState s = {}) {
        const TPoint p = Sobre(e, caracter);
        return DragStep::Move(e, p.x, p.y, s);
    }
    // Drags the characters [desde, hasta) of the edit, with the pointer going through Pasos.
    void Arrastrar(EditPrueba* e, int desde, int hasta, std::vector<DragStep> pasos) {
        e->SetFocus();
        e->SetSelStart(desde);
        e->SetSelLength(hasta - desde);
        const TPoint p = Sobre(e, desde);
        ScriptedDrags guion({std::move(pasos)});
        SimulateMouse(e, SimulatedMouse::Down, 0, p.x, p.y);
        SimulateMouse(e, SimulatedMouse::Move, 0, p.x + 6, p.y);
        SimulateMouse(e, SimulatedMouse::Up, 0, p.x + 6, p.y);
        ofrecido = guion.Offered("text/plain");
        rtf = guion.Offered("text/rtf");
        iniciados = guion.Started();
    }
    EditPrueba* otro = nullptr;
    std::string ofrecido, rtf;
    int iniciados = 0;
};

TEST_F(ArrastreKav, TextoDeOtroProgramaEntraEnElCaracterBajoElPunteroYSoloSuPrimeraLinea) {
    otro->SetText("hola mundo");
    DWORD efecto = 0;
    EXPECT_EQ(SimulateForeignDrag({{"text/plain;charset=utf-8", "\xC3\xB1XY\r\nsegunda"}},
                                  {A(otro, 2), A(otro, 4), DragStep::Drop()},
                                  DROPEFFECT_COPY | DROPEFFECT_MOVE, &efecto),
              DRAGDROP_S_DROP);
    EXPECT_EQ(otro->GetText(), AnsiString("hola\xF1XY mundo"));
    // Only the first line went in: a copy, so that a move's source keeps the second.
    EXPECT_EQ(efecto, DROPEFFECT_COPY);
    EXPECT_EQ(otro->GetSelStart(), 7);
    EXPECT_EQ(otro->GetSelLength(), 0);
    EXPECT_EQ(otro->GetDropCaret().x, -1);
    // Ctrl held: a copy.
    EXPECT_EQ(SimulateForeignDrag({{"text/plain", "!"}},
                                  {A(otro, 0, {ssCtrl}), DragStep::Drop({ssCtrl})},
                                  DROPEFFECT_COPY | DROPEFFECT_MOVE, &efecto),
              DRAGDROP_S_DROP);
    EXPECT_EQ(efecto, DROPEFFECT_COPY);
    EXPECT_EQ(otro->GetText(), AnsiString("!hola\xF1XY mundo"));
    // One line, all taken: a move.
    EXPECT_EQ(SimulateForeignDrag({{"text/plain", "?"}}, {A(otro, 0), DragStep::Drop()},
                                  DROPEFFECT_COPY | DROPEFFECT_MOVE, &efecto),
              DRAGDROP_S_DROP);
    EXPECT_EQ(efecto, DROPEFFECT_MOVE);
    // Characters the code page lacks come in as '?': a copy.
    EXPECT_EQ(SimulateForeignDrag({{"text/plain;charset=utf-8", "\xCE\xA9"}},
                                  {A(otro, 0), DragStep::Drop()},
                                  DROPEFFECT_COPY | DROPEFFECT_MOVE, &efecto),
              DRAGDROP_S_DROP);
    EXPECT_EQ(efecto, DROPEFFECT_COPY);
    EXPECT_EQ(otro->GetText(), AnsiString("??!hola\xF1XY mundo"));
}

TEST_F(ArrastreKav, ArrastrarDentroDelMismoEditMueveCopiaONoHaceNada) {
    struct Caso {
        const char* nombre;
        int desde, hasta; // the selection dragged
        int destino;      // the character under the pointer at the drop
        TShiftState teclas;
        const char* queda;
    } casos[] = {
        {"mover al final", 0, 4, 11, {}, " mundo hola"},
        {"mover al centro", 5, 10, 0, {}, "mundohola  "},
        {"copiar con Ctrl", 0, 4, 11, {ssCtrl}, "hola mundo hola"},
        {"sobre su propia seleccion", 0, 4, 2, {}, "hola mundo "},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        edit->SetText("hola mundo ");
        Arrastrar(edit, c.desde, c.hasta, {A(edit, c.destino, c.teclas), DragStep::Drop(c.teclas)});
        EXPECT_EQ(iniciados, 1);
        EXPECT_EQ(edit->GetText(), AnsiString(c.queda));
        EXPECT_EQ(edit->GetDropCaret().x, -1);
    }
}

TEST_F(ArrastreKav, ArrastrarAOtroEditLoMueveYLoQueSaleEsTextoSinRtf) {
    edit->SetText("uno dos");
    otro->SetText("tres");
    Arrastrar(edit, 4, 7, {A(edit, 1), A(otro, 4), DragStep::Drop()});
    EXPECT_EQ(edit->GetText(), AnsiString("uno "));
    EXPECT_EQ(otro->GetText(), AnsiString("tresdos"));
    EXPECT_EQ(ofrecido, "dos");
    EXPECT_TRUE(rtf.empty());

    // Escape, or a release over no target: everything stays.
    Arrastrar(edit, 0, 3, {A(otro, 0), DragStep::Esc()});
    Arrastrar(edit, 0, 3, {A(otro, 0), DragStep::Move(siguiente, 3, 3), DragStep::Drop()});
    EXPECT_EQ(edit->GetText(), AnsiString("uno "));
    EXPECT_EQ(otro->GetText(), AnsiString("tresdos"));
    EXPECT_EQ(otro->GetDropCaret().x, -1);

    // Without OleDropSource the selection does not leave.
    edit->SetOleDropSource(false);
    Arrastrar(edit, 0, 3, {A(otro, 0), DragStep::Drop()});
    EXPECT_EQ(iniciados, 0);
}

TEST_F(ArrastreKav, LoQueElEditNoAdmiteSeRechazaYLaFuenteLoConserva) {
    otro->SetText("12");
    otro->SetEditType(etNumeric);
    DWORD efecto = 99;
    struct Caso {
        const char* nombre;
        MimeParts datos;
        const char* queda;
    } casos[] = {
        {"letras en un numero", {{"text/plain", "abc"}}, "12"},
        {"formato desconocido", {{"application/x-otro", "3"}}, "12"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        EXPECT_EQ(
            SimulateForeignDrag(c.datos, {A(otro, 2), DragStep::Drop()}, DROPEFFECT_MOVE, &efecto),
            DRAGDROP_S_CANCEL);
        EXPECT_EQ(efecto, DROPEFFECT_NONE);
        EXPECT_EQ(otro->GetText(), AnsiString(c.queda));
    }
    // A number goes in; a read-only edit takes nothing, and a revoked one neither.
    EXPECT_EQ(SimulateForeignDrag({{"text/plain", "3"}}, {A(otro, 2), DragStep::Drop()},
                                  DROPEFFECT_MOVE, &efecto),
              DRAGDROP_S_DROP);
    EXPECT_EQ(otro->GetText(), AnsiString("123"));
    otro->SetReadOnly(true);
    EXPECT_EQ(SimulateForeignDrag({{"text/plain", "4"}}, {A(otro, 0), DragStep::Drop()},
                                  DROPEFFECT_MOVE, &efecto),
              DRAGDROP_S_CANCEL);
    otro->SetReadOnly(false);
    otro->SetOleDropTarget(false);
    EXPECT_EQ(SimulateForeignDrag({{"text/plain", "4"}}, {A(otro, 0), DragStep::Drop()},
                                  DROPEFFECT_MOVE, &efecto),
              DRAGDROP_S_CANCEL);
    EXPECT_EQ(otro->GetText(), AnsiString("123"));

    // Moving text out of a drop that the numeric edit refuses keeps it in its edit.
    edit->SetText("xy");
    otro->SetOleDropTarget(true);
    Arrastrar(edit, 0, 2, {A(otro, 1), DragStep::Drop()});
    EXPECT_EQ(edit->GetText(), AnsiString("xy"));
    EXPECT_EQ(otro->GetText(), AnsiString("123"));
}

TEST_F(ArrastreKav, ElCursorDeSoltarSigueAlPunteroYSeVeEnElEdit) {
    otro->SetText("abc");
    const TPoint fin = otro->PosFromChar(3);
    const TPoint ultimo = otro->PosFromChar(2);
    EXPECT_GT(fin.x, ultimo.x);
    // While the drag is over the edit, the caret is drawn where the text would land; the
    // source saves a capture then.
    AnsiString ruta;
    struct Mirar : public TInterfacedObject, public IDropSource {
        EditPrueba* e;
        AnsiString* ruta;
        HRESULT QueryContinueDrag(BOOL esc, DWORD keys) override {
            if (!esc && (keys & MK_LBUTTON) && e->GetDropCaret().x == e->PosFromChar(3).x &&
                ruta->IsEmpty())
                *ruta = SaveCapture(e, "kav-edit-cursor-de-soltar");
            return esc ? DRAGDROP_S_CANCEL : (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
        }
        HRESULT GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
    };
    auto* mirar = new Mirar;
    mirar->e = otro;
    mirar->ruta = &ruta;
    _di_IDropSource fuente(mirar);
    _di_IDataObject datos(new TSourceDataObject("z", "", -1, false, true));
    ScriptedDrags guion({{A(otro, 1), A(otro, 3), A(otro, 3), DragStep::Esc()}});
    DWORD efecto = 99;
    EXPECT_EQ(DoDragDrop(datos.get(), fuente.get(), DROPEFFECT_COPY, &efecto), DRAGDROP_S_CANCEL);
    EXPECT_EQ(otro->GetDropCaret().x, -1); // gone with the pointer
    ASSERT_FALSE(ruta.IsEmpty());
    QImage imagen(QString::fromStdString(ruta.str()));
    ASSERT_FALSE(imagen.isNull());
    // A dark bar after the last character, where the background is otherwise white.
    const int b = otro->GetBorderWidth();
    const int x = b + fin.x, y = b + fin.y + 3;
    EXPECT_LT(qGray(imagen.pixel(x, y)), 80);
    EXPECT_GT(qGray(imagen.pixel(x + 3, y)), 200);
    EXPECT_EQ(otro->GetText(), AnsiString("abc"));
}

} // namespace
