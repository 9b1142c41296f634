// The wide string list on a small list of its own: text and comma text, name=value pairs,
// searches without regard to case, moves that keep objects, and the 8-bit view.

#include "controles/edit/wide_strings.h"

#include <gtest/gtest.h>

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

} // namespace
