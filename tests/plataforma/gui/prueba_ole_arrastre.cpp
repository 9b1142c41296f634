// Drag and drop between windows and programs: registered drop targets fed by the window
// system's drag events with real MIME data, incoming data seen as a data object in the
// clipboard's formats, and drags run by DoDragDrop with their source asked along the way.

#include "plataforma/gui/services/ole.h"

#include "control_prueba.h"

#include "plataforma/gui/forms/forms.h"
#include "plataforma/gui/kernel/application.h"
#include "plataforma/gui/testing/drag_simulation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// The bytes of a format in a data object; "<nada>" when it refuses.
std::string Datos(IDataObject* d, UINT formato) {
    FORMATETC fe;
    fe.cfFormat = static_cast<CLIPFORMAT>(formato);
    STGMEDIUM m;
    if (d->GetData(&fe, &m) != S_OK) return "<nada>";
    std::string s(static_cast<const char*>(GlobalLock(m.hGlobal)), GlobalSize(m.hGlobal));
    ReleaseStgMedium(&m);
    return s;
}

std::vector<UINT> Formatos(IDataObject* d) {
    IEnumFORMATETC* raw = nullptr;
    EXPECT_EQ(d->EnumFormatEtc(DATADIR_GET, &raw), S_OK);
    _di_IEnumFORMATETC e = _di_IEnumFORMATETC::Adopt(raw);
    std::vector<UINT> out;
    FORMATETC fe;
    ULONG n = 0;
    while (e->Next(1, &fe, &n) == S_OK)
        out.push_back(fe.cfFormat);
    return out;
}

// A drop target that records what it is told and answers with a chosen effect; it reads the
// data object while the callback lasts, as targets must.
class Destino : public TInterfacedObject, public IDropTarget {
public:
    DWORD respuesta = DROPEFFECT_COPY;
    std::vector<std::string> llamadas;
    std::vector<UINT> formatos;
    std::string texto, unicode, ficheros;
    DWORD teclas = 0;
    POINTL punto;
    std::function<void()> alSoltar;

    HRESULT DragEnter(IDataObject* d, DWORD keys, POINTL pt, DWORD* effect) override {
        llamadas.push_back("enter");
        formatos = Formatos(d);
        Anotar(keys, pt, effect);
        return S_OK;
    }
    HRESULT DragOver(DWORD keys, POINTL pt, DWORD* effect) override {
        llamadas.push_back("over");
        Anotar(keys, pt, effect);
        return S_OK;
    }
    HRESULT DragLeave() override {
        llamadas.push_back("leave");
        return S_OK;
    }
    HRESULT Drop(IDataObject* d, DWORD keys, POINTL pt, DWORD* effect) override {
        llamadas.push_back("drop");
        texto = Datos(d, CF_TEXT);
        unicode = Datos(d, CF_UNICODETEXT);
        ficheros = Datos(d, CF_HDROP);
        Anotar(keys, pt, effect);
        if (alSoltar) alSoltar();
        return S_OK;
    }

private:
    void Anotar(DWORD keys, POINTL pt, DWORD* effect) {
        teclas = keys;
        punto = pt;
        *effect = respuesta;
    }
};

// A data object of this program: a text and one registered format.
class Objeto : public TInterfacedObject, public IDataObject {
public:
    Objeto(std::string texto, UINT propio, std::string bytes)
        : texto_(std::move(texto)), propio_(propio), bytes_(std::move(bytes)) {}
    HRESULT GetData(FORMATETC* f, STGMEDIUM* m) override {
        std::string s = f->cfFormat == CF_TEXT ? texto_ + '\0' : bytes_;
        if (f->cfFormat != CF_TEXT && f->cfFormat != propio_) return DV_E_FORMATETC;
        m->tymed = TYMED_HGLOBAL;
        m->hGlobal = GlobalAlloc(GHND, s.size());
        std::memcpy(GlobalLock(m->hGlobal), s.data(), s.size());
        m->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
    HRESULT QueryGetData(FORMATETC*) override { return S_OK; }
    HRESULT GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT EnumFormatEtc(DWORD, IEnumFORMATETC** e) override;
    HRESULT DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::string texto_;
    UINT propio_;
    std::string bytes_;
};

class Lista : public TInterfacedObject, public IEnumFORMATETC {
public:
    explicit Lista(std::vector<UINT> f) : f_(std::move(f)) {}
    HRESULT Next(ULONG n, FORMATETC* out, ULONG* got) override {
        ULONG k = 0;
        for (; k < n && i_ < f_.size(); ++k)
            out[k].cfFormat = static_cast<CLIPFORMAT>(f_[i_++]);
        if (got) *got = k;
        return k == n ? S_OK : S_FALSE;
    }
    HRESULT Skip(ULONG) override { return S_FALSE; }
    HRESULT Reset() override {
        i_ = 0;
        return S_OK;
    }
    HRESULT Clone(IEnumFORMATETC**) override { return E_NOTIMPL; }

private:
    std::vector<UINT> f_;
    size_t i_ = 0;
};

HRESULT Objeto::EnumFormatEtc(DWORD, IEnumFORMATETC** e) {
    *e = new Lista({CF_TEXT, propio_});
    (*e)->AddRef();
    return S_OK;
}

class Fuente : public TInterfacedObject, public IDropSource {
public:
    std::vector<std::pair<BOOL, DWORD>> preguntas;
    std::vector<DWORD> efectos;
    int cancelarEn = -1; // the question that answers cancel
    HRESULT QueryContinueDrag(BOOL esc, DWORD keys) override {
        preguntas.emplace_back(esc, keys);
        if (esc || static_cast<int>(preguntas.size()) - 1 == cancelarEn) return DRAGDROP_S_CANCEL;
        return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT GiveFeedback(DWORD e) override {
        efectos.push_back(e);
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
};

class OleArrastre : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 400, 300);
        a = new TControlPrueba(form.get(), form.get());
        b = new TControlPrueba(form.get(), form.get());
        b->SetLeft(200);
        form->Show();
    }
    std::unique_ptr<TForm> form;
    TControlPrueba* a = nullptr;
    TControlPrueba* b = nullptr;
};

TEST_F(OleArrastre, RegistrarYRevocarDejanAlDestinoComoEstaba) {
    _di_IDropTarget destino(new Destino);
    EXPECT_EQ(RegisterDragDrop(nullptr, destino.get()), DRAGDROP_E_INVALIDHWND);
    EXPECT_EQ(RegisterDragDrop(a->GetHandle(), nullptr), E_INVALIDARG);
    EXPECT_EQ(RevokeDragDrop(a->GetHandle()), DRAGDROP_E_NOTREGISTERED);
    ASSERT_EQ(RegisterDragDrop(a->GetHandle(), destino.get()), S_OK);
    EXPECT_EQ(static_cast<Destino*>(destino.get())->GetRefCount(), 2u);
    EXPECT_EQ(RegisterDragDrop(a->GetHandle(), destino.get()), DRAGDROP_E_ALREADYREGISTERED);
    EXPECT_EQ(RevokeDragDrop(a->GetHandle()), S_OK);
    EXPECT_EQ(static_cast<Destino*>(destino.get())->GetRefCount(), 1u);
    EXPECT_EQ(RevokeDragDrop(a->GetHandle()), DRAGDROP_E_NOTREGISTERED);

    // A window that goes takes its registration (and its reference) with it.
    ASSERT_EQ(RegisterDragDrop(b->GetHandle(), destino.get()), S_OK);
    delete b;
    b = nullptr;
    EXPECT_EQ(static_cast<Destino*>(destino.get())->GetRefCount(), 1u);
    EXPECT_EQ(OleInitialize(nullptr), S_OK);
    EXPECT_EQ(OleInitialize(nullptr), S_FALSE);
    OleUninitialize();
    OleUninitialize();
}

TEST_F(OleArrastre, UnArrastreDeOtroProgramaLlegaComoObjetoDeDatosEnLosFormatosDelPortapapeles) {
    auto* d = new Destino;
    _di_IDropTarget destino(d);
    ASSERT_EQ(RegisterDragDrop(a->GetHandle(), d), S_OK);
    const UINT rtf = RegisterClipboardFormat("Rich Text Format");
    // UTF-8 text with a character the code page lacks, rich text, and local and remote files.
    const MimeParts datos = {{"text/plain;charset=utf-8", "A\xC3\xB1o \xE2\x82\xAC \xE4\xB8\xAD"},
                             {"text/rtf", "{\\rtf1 hola}"},
                             {"text/uri-list", "file:///tmp/a%20b.csv\r\nhttp://x/y.csv\r\n"}};
    DWORD efecto = 99;
    EXPECT_EQ(SimulateForeignDrag(datos,
                                  {DragStep::Move(a, 5, 6), DragStep::Move(a, 7, 8, {ssCtrl}),
                                   DragStep::Drop({ssCtrl})},
                                  DROPEFFECT_COPY | DROPEFFECT_MOVE, &efecto),
              DRAGDROP_S_DROP);
    EXPECT_EQ(efecto, DROPEFFECT_COPY);
    EXPECT_EQ(d->llamadas, (std::vector<std::string>{"enter", "over", "over", "drop"}));
    EXPECT_EQ(d->formatos, (std::vector<UINT>{CF_TEXT, CF_UNICODETEXT, rtf, CF_HDROP}));
    EXPECT_EQ(d->texto, std::string("A\xF1o \x80 ?") + '\0');
    EXPECT_EQ(d->unicode, std::string("A\0\xF1\0o\0 \0\xAC\x20 \0\x2D\x4E\0\0", 16));
    EXPECT_EQ(d->teclas, static_cast<DWORD>(MK_CONTROL));
    TPoint p = a->ClientToScreen(TPoint{7, 8});
    EXPECT_EQ(d->punto.x, p.x);
    EXPECT_EQ(d->punto.y, p.y);
    // Only the local file, in a block of wide names.
    ASSERT_GE(d->ficheros.size(), sizeof(DROPFILES));
    DROPFILES h;
    std::memcpy(&h, d->ficheros.data(), sizeof h);
    EXPECT_EQ(h.pFiles, sizeof(DROPFILES));
    EXPECT_TRUE(h.fWide);
    const std::u16string nombres(reinterpret_cast<const char16_t*>(d->ficheros.data() + h.pFiles),
                                 (d->ficheros.size() - h.pFiles) / 2);
    EXPECT_EQ(nombres, std::u16string(u"/tmp/a b.csv\0\0", 14));

    // A list of files alone is no text.
    SimulateForeignDrag({{"text/uri-list", "file:///tmp/c.xls\r\n"}},
                        {DragStep::Move(a, 5, 6), DragStep::Drop()}, DROPEFFECT_COPY, nullptr);
    EXPECT_EQ(d->formatos, (std::vector<UINT>{CF_HDROP}));
    EXPECT_EQ(d->texto, "<nada>");
    RevokeDragDrop(a->GetHandle());
}

TEST_F(OleArrastre, SinEfectoNiVentanaRegistradaElArrastreSeCancelaYElDestinoLoSabe) {
    auto* d = new Destino;
    _di_IDropTarget destino(d);
    ASSERT_EQ(RegisterDragDrop(a->GetHandle(), d), S_OK);
    const MimeParts texto = {{"text/plain", "x"}};
    struct Caso {
        const char* nombre;
        DWORD respuesta;
        std::vector<DragStep> pasos;
        std::vector<std::string> llamadas;
    } casos[] = {
        {"rechazo", DROPEFFECT_NONE, {DragStep::Move(a, 5, 5), DragStep::Drop()}, {"enter"}},
        {"escape",
         DROPEFFECT_MOVE,
         {DragStep::Move(a, 5, 5), DragStep::Esc()},
         {"enter", "over", "leave"}},
        {"sale a otra ventana",
         DROPEFFECT_MOVE,
         {DragStep::Move(a, 5, 5), DragStep::Move(b, 5, 5), DragStep::Drop()},
         {"enter", "over", "leave"}},
        {"sin soltar", DROPEFFECT_MOVE, {DragStep::Move(a, 5, 5)}, {"enter", "over", "leave"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        d->llamadas.clear();
        d->respuesta = c.respuesta;
        DWORD efecto = 99;
        EXPECT_EQ(SimulateForeignDrag(texto, c.pasos, DROPEFFECT_MOVE, &efecto), DRAGDROP_S_CANCEL);
        EXPECT_EQ(efecto, DROPEFFECT_NONE);
        EXPECT_EQ(d->llamadas, c.llamadas);
    }
    // Revoked: the window refuses like any other.
    RevokeDragDrop(a->GetHandle());
    d->llamadas.clear();
    EXPECT_EQ(SimulateForeignDrag(texto, {DragStep::Move(a, 5, 5), DragStep::Drop()},
                                  DROPEFFECT_COPY, nullptr),
              DRAGDROP_S_CANCEL);
    EXPECT_TRUE(d->llamadas.empty());
}

TEST_F(OleArrastre, UnaExcepcionDelDestinoVaALaPantallaDeErroresYElArrastreSeCancela) {
    auto* d = new Destino;
    _di_IDropTarget destino(d);
    ASSERT_EQ(RegisterDragDrop(a->GetHandle(), d), S_OK);
    d->alSoltar = [] { throw Exception("El fichero no se puede leer."); };
    std::vector<AnsiString> vistos;
    Application->OnException = [&](TObject*, Exception* e) { vistos.push_back(e->Message); };
    DWORD efecto = 99;
    EXPECT_EQ(SimulateForeignDrag({{"text/plain", "x"}},
                                  {DragStep::Move(a, 5, 5), DragStep::Drop()}, DROPEFFECT_COPY,
                                  &efecto),
              DRAGDROP_S_CANCEL);
    Application->OnException = nullptr;
    EXPECT_EQ(vistos, std::vector<AnsiString>{"El fichero no se puede leer."});
    RevokeDragDrop(a->GetHandle());
}

TEST_F(OleArrastre, UnFormatoDemasiadoGrandeSeLeeComoAusente) {
    auto* d = new Destino;
    _di_IDropTarget destino(d);
    ASSERT_EQ(RegisterDragDrop(a->GetHandle(), d), S_OK);
    std::string grande((64u << 20) + 1, 'a');
    EXPECT_EQ(SimulateForeignDrag({{"text/plain", grande}},
                                  {DragStep::Move(a, 5, 5), DragStep::Drop()}, DROPEFFECT_COPY,
                                  nullptr),
              DRAGDROP_S_DROP);
    EXPECT_EQ(d->texto, "<nada>");
    RevokeDragDrop(a->GetHandle());
}

TEST_F(OleArrastre, DoDragDropOfreceLosFormatosDelObjetoYPreguntaALaFuente) {
    auto* d = new Destino;
    _di_IDropTarget destino(d);
    ASSERT_EQ(RegisterDragDrop(b->GetHandle(), d), S_OK);
    const UINT columna = RegisterClipboardFormat("Grid Column");
    _di_IDataObject objeto(new Objeto("Año", columna, std::string("\x03\0\0\0", 4)));
    auto* f = new Fuente;
    _di_IDropSource fuente(f);
    {
        ScriptedDrags guion({{DragStep::Move(a, 5, 5), DragStep::Move(b, 5, 5), DragStep::Drop()},
                             {DragStep::Move(b, 5, 5), DragStep::Move(b, 6, 6), DragStep::Drop()},
                             {DragStep::Move(b, 5, 5), DragStep::Esc()}});
        DWORD efecto = 99;
        d->respuesta = DROPEFFECT_MOVE;
        EXPECT_EQ(
            DoDragDrop(objeto.get(), fuente.get(), DROPEFFECT_COPY | DROPEFFECT_MOVE, &efecto),
            DRAGDROP_S_DROP);
        EXPECT_EQ(efecto, DROPEFFECT_MOVE);
        EXPECT_EQ(d->texto, std::string("Año") + '\0');
        EXPECT_EQ(guion.Offered("text/plain"), "A\xC3\xB1o");
        EXPECT_EQ(guion.Offered("application/x-quenbar-format-grid-column"),
                  std::string("\x03\0\0\0", 4));
        // Asked at each move (button held) and at the release; told the effect over each window.
        ASSERT_EQ(f->preguntas.size(), 3u);
        EXPECT_EQ(f->preguntas[0].second, static_cast<DWORD>(MK_LBUTTON));
        EXPECT_EQ(f->preguntas[2].second, 0u);
        EXPECT_EQ(f->efectos, (std::vector<DWORD>{DROPEFFECT_NONE, DROPEFFECT_MOVE}));

        // The source cancels on the second move; then Escape.
        f->cancelarEn = 4;
        EXPECT_EQ(DoDragDrop(objeto.get(), fuente.get(), DROPEFFECT_COPY, &efecto),
                  DRAGDROP_S_CANCEL);
        EXPECT_EQ(efecto, DROPEFFECT_NONE);
        EXPECT_EQ(DoDragDrop(objeto.get(), fuente.get(), DROPEFFECT_COPY, &efecto),
                  DRAGDROP_S_CANCEL);
        EXPECT_TRUE(f->preguntas.back().first);
        EXPECT_EQ(guion.Started(), 3);
        EXPECT_EQ(d->llamadas.back(), "leave");
    }
    EXPECT_EQ(DoDragDrop(nullptr, fuente.get(), DROPEFFECT_COPY, nullptr), E_INVALIDARG);
    RevokeDragDrop(b->GetHandle());
}

} // namespace
