// The wide string list on a small list of its own: text and comma text, name=value pairs,
// searches without regard to case, the order of its comparison in Spanish, moves that keep
// objects, the 8-bit view, and its storage in a component image.

#include "controles/edit/wide_strings.h"

#include "plataforma/base/filer.h"
#include "plataforma/base/streams.h"

#include "tests/comun/imagen_componente.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// The storage a subclass gives: strings and objects in a vector.
class ListaAncha : public TWideStrings {
public:
    WideString Get(int i) const override { return filas_.at(static_cast<size_t>(i)).s; }
    int GetCount() const override { return static_cast<int>(filas_.size()); }
    void Insert(int i, const WideString& s) override {
        filas_.insert(filas_.begin() + i, Fila{s, nullptr});
    }
    void Delete(int i) override { filas_.erase(filas_.begin() + i); }
    void Clear() override { filas_.clear(); }
    TObject* GetObject(int i) const override { return filas_.at(static_cast<size_t>(i)).o; }
    void PutObject(int i, TObject* o) override { filas_.at(static_cast<size_t>(i)).o = o; }
    void SetUpdateState(bool u) override { cambios.push_back(u); }
    std::vector<bool> cambios;

private:
    struct Fila {
        WideString s;
        TObject* o;
    };
    std::vector<Fila> filas_;
};

std::vector<std::u16string> Cadenas(const TWideStrings& l) {
    std::vector<std::u16string> v;
    for (int i = 0; i < l.GetCount(); ++i)
        v.push_back(l.Get(i).str());
    return v;
}

TEST(ListaAncha, TextoPorLineasYDeVuelta) {
    ListaAncha l;
    l.SetTextStr(WideString(u"a\r\nb\n\nc"));
    EXPECT_EQ(Cadenas(l), (std::vector<std::u16string>{u"a", u"b", u"", u"c"}));
    EXPECT_EQ(l.GetTextStr().str(), u"a\r\nb\r\n\r\nc\r\n");
    l.SetText(u"x\u2028y\x0Bz");
    EXPECT_EQ(Cadenas(l), (std::vector<std::u16string>{u"x", u"y", u"z"}));
    // One bracket for the whole change.
    EXPECT_EQ(l.cambios, (std::vector<bool>{true, false, true, false}));
}

TEST(ListaAncha, TextoSeparadoPorComas) {
    ListaAncha l;
    l.SetCommaText(WideString(u"a, b \"x\"\"y\",,c"));
    EXPECT_EQ(Cadenas(l), (std::vector<std::u16string>{u"a", u"b", u"x\"y", u"", u"c"}));
    l.SetCommaText(WideString(u"a, \"b x\",,c"));
    EXPECT_EQ(Cadenas(l), (std::vector<std::u16string>{u"a", u"b x", u"", u"c"}));
    EXPECT_EQ(l.GetCommaText().str(), u"a,\"b x\",,c");
    l.Clear();
    l.Add(WideString());
    EXPECT_EQ(l.GetCommaText().str(), u"\"\"");
    l.Clear();
    EXPECT_EQ(l.GetCommaText().str(), u"");
}

TEST(ListaAncha, BusquedasSinMayusculasYParesNombreValor) {
    ListaAncha l;
    l.Add(WideString(u"ABC"));
    l.Add(WideString(u"Ñandú=ave"));
    l.Add(WideString(u"\u03A9\u03BC\u03AD\u03B3\u03B1"));
    EXPECT_EQ(l.IndexOf(WideString(u"abc")), 0);
    EXPECT_EQ(l.IndexOf(WideString(u"\u03C9\u039C\u03AD\u0393\u03B1")), 2);
    EXPECT_EQ(l.IndexOf(WideString(u"abd")), -1);
    EXPECT_EQ(l.IndexOfName(WideString(u"ñANDÚ")), 1);
    EXPECT_EQ(l.GetValue(WideString(u"ñandú")).str(), u"ave");
    EXPECT_EQ(l.GetName(1).str(), u"Ñandú");
    EXPECT_EQ(l.GetName(0).str(), u"");
    l.SetValue(WideString(u"nuevo"), WideString(u"1"));
    EXPECT_EQ(l.Get(3).str(), u"nuevo=1");
    l.SetValue(WideString(u"Ñandú"), WideString());
    EXPECT_EQ(l.GetCount(), 3);
    EXPECT_EQ(l.IndexOfName(WideString(u"Ñandú")), -1);
}

TEST(ListaAncha, MoverEIntercambiarConservanLosObjetos) {
    ListaAncha l;
    TObject uno, dos, tres;
    l.AddObject(WideString(u"1"), &uno);
    l.AddObject(WideString(u"2"), &dos);
    l.AddObject(WideString(u"3"), &tres);
    l.Move(1, 1);
    EXPECT_EQ(Cadenas(l), (std::vector<std::u16string>{u"1", u"2", u"3"}));
    l.Move(0, 2);
    EXPECT_EQ(Cadenas(l), (std::vector<std::u16string>{u"2", u"3", u"1"}));
    EXPECT_EQ(l.GetObject(2), &uno);
    l.Exchange(0, 1);
    EXPECT_EQ(Cadenas(l), (std::vector<std::u16string>{u"3", u"2", u"1"}));
    EXPECT_EQ(l.GetObject(0), &tres);
    EXPECT_EQ(l.GetObject(1), &dos);
    EXPECT_EQ(l.IndexOfObject(&dos), 1);
    l.Put(1, WideString(u"dos"));
    EXPECT_EQ(l.GetObject(1), &dos);
    EXPECT_THROW(l.Error("Índice fuera de límites (%d)", 7), EStringListError);
}

TEST(ListaAncha, VistaDeOchoBitsYAsignaciones) {
    ListaAncha l;
    TStrings* v = l.GetAnsiStrings();
    v->Add("Hormigón");
    v->Add("€ coste");
    EXPECT_EQ(l.Get(0).str(), u"Hormigón");
    EXPECT_EQ(l.Get(1).str(), u"€ coste");
    EXPECT_EQ(v->GetStrings(1), "€ coste");
    EXPECT_EQ(v->IndexOf("HORMIGÓN"), 0);

    TStringList ansi;
    ansi.Add("uno");
    ansi.Add("dos");
    l.Assign(ansi);
    EXPECT_EQ(Cadenas(l), (std::vector<std::u16string>{u"uno", u"dos"}));
    ListaAncha copia;
    copia.Assign(&l);
    EXPECT_TRUE(copia.Equals(l));
    copia.Add(WideString(u"tres"));
    EXPECT_FALSE(copia.Equals(l));
    TStringList destino;
    copia.AssignTo(destino);
    EXPECT_EQ(destino.GetCommaText(), "uno,dos,tres");
    l.SetAnsiStrings(destino);
    EXPECT_EQ(l.GetCount(), 3);
}

// The comparison follows the language's order: in Spanish accents count only between
// equal letters and "ñ" is a letter after "n"; case never counts.
TEST(ListaAncha, OrdenDeLaComparacionEnEspanol) {
    std::vector<std::u16string> v = {u"Zoe",  u"ñu",     u"Ángel", u"nz", u"abeja", u"Oso",
                                     u"Nube", u"ángulo", u"angel", u"10", u"9"};
    std::stable_sort(v.begin(), v.end(), [](const std::u16string& a, const std::u16string& b) {
        return WideCompareFunc(WideString(a), WideString(b), 0x0C0A) < 0;
    });
    EXPECT_EQ(v, (std::vector<std::u16string>{u"10", u"9", u"abeja", u"angel", u"Ángel", u"ángulo",
                                              u"Nube", u"nz", u"ñu", u"Oso", u"Zoe"}));
    EXPECT_EQ(WideCompareFunc(WideString(u"ÁNGEL"), WideString(u"ángel"), 0x0C0A), 0);
    EXPECT_GT(WideCompareFunc(WideString(u"ña"), WideString(u"nz"), 0x0C0A), 0);
    EXPECT_LT(WideCompareFunc(WideString(u"ña"), WideString(u"nz"), 0x0409), 0);
    // Searches compare in the list's language: an accent is not case.
    ListaAncha l;
    l.Add(WideString(u"Ángel"));
    EXPECT_EQ(l.IndexOf(WideString(u"áNGEL")), 0);
    EXPECT_EQ(l.IndexOf(WideString(u"angel")), -1);
}

struct ConLista : ConObjeto<ListaAncha> {
    ConLista() : ConObjeto("TConLista", "Items") {}
};

const std::string kCabeza("TPF0\x09TConLista\x00", 15);
const std::string kPropiedad("\x11Items.WideStrings", 18);

// Written and read back as wide texts, the old strings replaced, in one update bracket.
TEST(ListaAncha, GuardadaEnUnaImagenDeComponente) {
    ConLista c;
    c.objeto.Add(WideString(u"Ñandú"));
    c.objeto.Add(WideString());
    c.objeto.Add(WideString(u"\U0001F600"));
    const std::string img = ImagenDe(c);
    EXPECT_EQ(img.substr(0, kCabeza.size() + kPropiedad.size() + 2),
              kCabeza + kPropiedad + "\x01\x12");
    ConLista r;
    r.objeto.Add(WideString(u"viejo"));
    r.objeto.cambios.clear();
    LeerImagen(img, r);
    EXPECT_TRUE(r.objeto.Equals(c.objeto));
    EXPECT_EQ(r.objeto.cambios, (std::vector<bool>{true, false}));
}

// Written without an ancestor when not empty; with one, when it differs or is no wide list.
TEST(ListaAncha, CuandoSeGuarda) {
    ConLista c;
    const auto Guardada = [&] {
        return ImagenDe(c).find("Items.WideStrings") != std::string::npos;
    };
    EXPECT_FALSE(Guardada());
    ListaAncha ancestro;
    c.ancestro = &ancestro;
    EXPECT_FALSE(Guardada()); // empty like its ancestor
    class Otra : public TPersistent {
    } otraClase;
    c.ancestro = &otraClase;
    EXPECT_TRUE(Guardada());
    c.objeto.Add(WideString(u"a"));
    ancestro.Add(WideString(u"a"));
    c.ancestro = &ancestro;
    EXPECT_FALSE(Guardada());
    ancestro.Put(0, WideString(u"A"));
    EXPECT_TRUE(Guardada());
    c.ancestro = nullptr;
    EXPECT_TRUE(Guardada());
}

// An image made elsewhere may hold 8-bit items (Windows-1252), short or long; an item of
// another type is refused with EReadError and the update bracket is closed all the same.
TEST(ListaAncha, ImagenConTextosDeOchoBits) {
    const std::string largo(300, 'x');
    const std::string img = kCabeza + kPropiedad + "\x01" + "\x06\x02\xD1u" + "\x0C" +
                            std::string("\x2C\x01\x00\x00", 4) + largo +
                            std::string("\x12\x01\x00\x00\x00\xAC\x20", 7) +
                            std::string("\x00\x00\x00", 3);
    ConLista r;
    LeerImagen(img, r);
    EXPECT_EQ(Cadenas(r.objeto), (std::vector<std::u16string>{
                                     u"Ñu", std::u16string(largo.begin(), largo.end()), u"€"}));
    const std::string mala = kCabeza + kPropiedad +
                             "\x01\x06\x01"
                             "a\x02\x05" +
                             std::string("\x00\x00\x00", 3);
    ConLista m;
    m.objeto.cambios.clear();
    EXPECT_THROW(LeerImagen(mala, m), EReadError);
    EXPECT_EQ(m.objeto.cambios, (std::vector<bool>{true, false}));
    EXPECT_EQ(Cadenas(m.objeto), (std::vector<std::u16string>{u"a"}));
}

} // namespace
