// What the grid's and the edit's drags offer (text, rich text, a column, with their list of
// formats) and how a dropped data object is read, malformed file-list blocks included.

#include "controles/comun/ole_data.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<CLIPFORMAT> Lista(IEnumFORMATETC* e) {
    std::vector<CLIPFORMAT> out;
    FORMATETC fe[8];
    ULONG n = 0;
    e->Next(8, fe, &n);
    for (ULONG i = 0; i < n; ++i)
        out.push_back(fe[i].cfFormat);
    return out;
}

std::string Bytes(IDataObject* d, CLIPFORMAT f, HRESULT* r = nullptr) {
    FORMATETC fe;
    fe.cfFormat = f;
    STGMEDIUM m;
    const HRESULT h = d->GetData(&fe, &m);
    if (r) *r = h;
    if (h != S_OK) return "<nada>";
    std::string s(static_cast<const char*>(GlobalLock(m.hGlobal)), GlobalSize(m.hGlobal));
    ReleaseStgMedium(&m);
    return s;
}

TEST(OleDatos, ElObjetoDeUnTextoYElDeUnaColumnaOfrecenSusFormatos) {
    const CLIPFORMAT rtf = RichTextFormat(), col = GridColumnFormat();
    EXPECT_NE(rtf, 0);
    EXPECT_NE(col, rtf);
    _di_IDataObject texto(new TSourceDataObject("Año", "{\\rtf1 x}", -1, true, false));
    IEnumFORMATETC* raw = nullptr;
    ASSERT_EQ(texto->EnumFormatEtc(DATADIR_GET, &raw), S_OK);
    _di_IEnumFORMATETC e = _di_IEnumFORMATETC::Adopt(raw);
    EXPECT_EQ(Lista(e.get()), (std::vector<CLIPFORMAT>{CF_TEXT, CF_UNICODETEXT, rtf}));
    EXPECT_EQ(Bytes(texto.get(), CF_TEXT), std::string("A\xF1o", 4));
    EXPECT_EQ(Bytes(texto.get(), CF_UNICODETEXT), std::string("A\0\xF1\0o\0\0\0", 8));
    EXPECT_EQ(Bytes(texto.get(), rtf), std::string("{\\rtf1 x}", 10));
    EXPECT_EQ(Bytes(texto.get(), col), "<nada>");
    EXPECT_EQ(texto->EnumFormatEtc(DATADIR_SET, &raw), E_NOTIMPL);

    // A column: its number, with an empty text.
    _di_IDataObject columna(new TSourceDataObject("", "", 3, true, false));
    ASSERT_EQ(columna->EnumFormatEtc(DATADIR_GET, &raw), S_OK);
    e = _di_IEnumFORMATETC::Adopt(raw);
    EXPECT_EQ(Lista(e.get()), (std::vector<CLIPFORMAT>{CF_TEXT, CF_UNICODETEXT, rtf, col}));
    EXPECT_EQ(Bytes(columna.get(), col), std::string("\x03\0\0\0", 4));
    EXPECT_EQ(Bytes(columna.get(), CF_TEXT), std::string(1, '\0'));
    HRESULT r = S_OK;
    EXPECT_EQ(Bytes(columna.get(), rtf, &r), "<nada>");
    EXPECT_EQ(r, DV_E_FORMATETC);

    // Without RTF-aware no rich text; an empty text only where the edit offers it.
    _di_IDataObject sinRtf(new TSourceDataObject("x", "{\\rtf1 x}", -1, false, false));
    EXPECT_EQ(Bytes(sinRtf.get(), rtf), "<nada>");
    _di_IDataObject vacioGrid(new TSourceDataObject("", "", -1, false, false));
    _di_IDataObject vacioEdit(new TSourceDataObject("", "", -1, false, true));
    EXPECT_EQ(Bytes(vacioGrid.get(), CF_TEXT), "<nada>");
    EXPECT_EQ(Bytes(vacioEdit.get(), CF_TEXT), std::string(1, '\0'));

    // Only the content in global memory.
    FORMATETC fe;
    fe.tymed = TYMED_ISTREAM;
    EXPECT_EQ(texto->QueryGetData(&fe), DV_E_FORMATETC);
    fe.tymed = TYMED_HGLOBAL;
    fe.dwAspect = 4;
    EXPECT_EQ(texto->QueryGetData(&fe), DV_E_FORMATETC);
}

TEST(OleDatos, ElEnumeradorSaltaYSeClonaEnSuPosicion) {
    _di_IEnumFORMATETC e(new TSourceEnumFormatEtc(false));
    EXPECT_EQ(e->Skip(10), S_FALSE);
    EXPECT_EQ(static_cast<TSourceEnumFormatEtc*>(e.get())->GetPosition(), 3u);
    FORMATETC fe;
    ULONG n = 9;
    EXPECT_EQ(e->Next(1, &fe, &n), S_FALSE);
    EXPECT_EQ(n, 0u);
    e->Reset();
    EXPECT_EQ(e->Skip(1), S_OK);
    IEnumFORMATETC* raw = nullptr;
    ASSERT_EQ(e->Clone(&raw), S_OK);
    _di_IEnumFORMATETC copia = _di_IEnumFORMATETC::Adopt(raw);
    EXPECT_EQ(Lista(copia.get()), (std::vector<CLIPFORMAT>{CF_UNICODETEXT, RichTextFormat()}));
    EXPECT_EQ(Lista(e.get()), (std::vector<CLIPFORMAT>{CF_UNICODETEXT, RichTextFormat()}));
}

TEST(OleDatos, LaLecturaDeUnObjetoSoltadoDaTextoColumnaYNada) {
    _di_IDataObject columna(new TSourceDataObject("", "", 7, true, false));
    TEnumFormats f(columna.get(), true);
    EXPECT_TRUE(f.HasCol());
    EXPECT_EQ(f.Col(), 7);
    EXPECT_TRUE(f.HasText());
    EXPECT_EQ(f.Text(), AnsiString());
    TEnumFormats sinColumna(columna.get(), false);
    EXPECT_FALSE(sinColumna.HasCol());
    EXPECT_EQ(sinColumna.Col(), -1);

    _di_IDataObject texto(new TSourceDataObject("uno\tdos", "{\\rtf1}", -1, true, false));
    TEnumFormats t(texto.get(), true);
    EXPECT_EQ(t.Text(), AnsiString("uno\tdos"));
    EXPECT_EQ(t.RTF(), AnsiString("{\\rtf1}"));
    EXPECT_EQ(t.Col(), -1);
    EXPECT_FALSE(t.HasFile());

    // An object that cannot list its formats.
    struct Mudo : TSourceDataObject {
        Mudo() : TSourceDataObject("", "", -1, false, false) {}
        HRESULT EnumFormatEtc(DWORD, IEnumFORMATETC** e) override {
            *e = nullptr;
            return E_FAIL;
        }
    };
    _di_IDataObject mudo(new Mudo);
    try {
        TEnumFormats m(mudo.get(), false);
        FAIL() << "sin error";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message, AnsiString("Cannot get the format enumerator"));
    }
}

// A drag of cells that the code page cannot hold offers them in its Unicode text, and its
// 8-bit text with '?'; the reading gives that Unicode text only when it holds such characters.
TEST(OleDatos, ElTextoUnicodeLlevaLosCaracteresQueElDe8BitsNoTiene) {
    _di_IDataObject ancho(
        new TSourceDataObject("?mega\tfin", "", -1, false, false, WideString(u"\u03A9mega\tfin")));
    EXPECT_EQ(Bytes(ancho.get(), CF_TEXT), std::string("?mega\tfin", 10));
    EXPECT_EQ(Bytes(ancho.get(), CF_UNICODETEXT),
              std::string("\xA9\x03m\0e\0g\0a\0\t\0f\0i\0n\0\0\0", 20));
    TEnumFormats f(ancho.get(), true);
    WideString w;
    EXPECT_TRUE(f.WideText(w));
    EXPECT_EQ(w.str(), u"\u03A9mega\tfin");
    EXPECT_EQ(f.Text(), AnsiString("?mega\tfin"));

    // Characters that the code page has: the 8-bit text is the whole text.
    _di_IDataObject plano(new TSourceDataObject("A\xF1o?", "", -1, false, false));
    TEnumFormats p(plano.get(), true);
    EXPECT_FALSE(p.WideText(w));
    EXPECT_EQ(w.str(), u"A\u00F1o?");
}

std::string Bloque(DWORD desplazamiento, bool ancho, const std::string& nombres) {
    DROPFILES h;
    h.pFiles = desplazamiento;
    h.fWide = ancho;
    std::string b(sizeof h, '\0');
    std::memcpy(b.data(), &h, sizeof h);
    return b + nombres;
}

TEST(OleDatos, UnBloqueDeFicherosMalFormadoNoSeLeeFueraDeSusLimites) {
    const std::string ancho = std::string("/\0a\0.\0c\0s\0v\0\0\0/\0b\0\0\0\0\0", 22);
    struct Caso {
        const char* nombre;
        std::string bloque;
        std::vector<std::string> nombres;
    } casos[] = {
        {"anchos", Bloque(20, true, ancho), {"/a.csv", "/b"}},
        {"estrechos", Bloque(20, false, std::string("x.xls\0y\0\0", 9)), {"x.xls", "y"}},
        {"sin lista vacia al final", Bloque(20, false, std::string("x.xls\0", 6)), {"x.xls"}},
        {"nombre sin terminar", Bloque(20, false, "x.xls"), {}},
        {"ancho partido", Bloque(20, true, std::string("a\0b", 3)), {}},
        {"desplazamiento fuera", Bloque(0xFFFFFFF0u, false, "abc"), {}},
        {"cabecera corta", std::string(10, '\0'), {}},
        {"caracteres fuera de la pagina",
         Bloque(20, true, std::string("\x2D\x4E\0\0\0\0", 6)),
         {"?"}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        TStringList l;
        EXPECT_EQ(ReadDropFiles(c.bloque, &l), !c.nombres.empty());
        std::vector<std::string> leidos;
        for (int i = 0; i < l.GetCount(); ++i)
            leidos.push_back(l.GetStrings(i).str());
        EXPECT_EQ(leidos, c.nombres);
    }
}

TEST(OleDatos, LaFuenteCancelaConEscapeYSueltaAlSoltarElBoton) {
    struct Fuente : TOleDropSource {
        std::vector<DWORD> efectos;
        int consultas = 0;
        void CurrentEffect(DWORD e) override { efectos.push_back(e); }
        void QueryDrag() override { ++consultas; }
    };
    _di_IDropSource fuente(new Fuente);
    auto* f = static_cast<Fuente*>(fuente.get());
    EXPECT_EQ(f->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(f->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
    EXPECT_EQ(f->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
    EXPECT_EQ(f->consultas, 3);
    EXPECT_EQ(f->GiveFeedback(DROPEFFECT_NONE), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_TRUE(f->GetNoDrop());
    f->GiveFeedback(DROPEFFECT_COPY);
    EXPECT_FALSE(f->GetNoDrop());
    EXPECT_EQ(f->efectos, (std::vector<DWORD>{DROPEFFECT_NONE, DROPEFFECT_COPY}));
}

} // namespace
