#include "plataforma/base/file_errors.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/base/string_list.h"

#include "tests/comun/carpeta_temporal.h"
#include "tests/comun/disco_pequeno.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Contenido(const TStrings& l) {
    std::vector<std::string> r;
    for (int i = 0; i < l.GetCount(); ++i)
        r.push_back(l.GetStrings(i).str());
    return r;
}

void Llenar(TStrings& l, const std::vector<std::string>& textos) {
    for (const std::string& t : textos)
        l.Add(AnsiString(t));
}

// Counts how many of its kind are alive, to see who frees the objects.
struct Contado : TObject {
    explicit Contado(int& vivos) : vivos_(vivos) { ++vivos_; }
    ~Contado() override { --vivos_; }
    int& vivos_;
};

// A list that supplies only the storage, as the views onto other lists do: everything else
// is what TStrings inherits.
class SoloAlmacen : public TStrings {
public:
    int GetCount() const override { return static_cast<int>(v_.size()); }
    AnsiString GetStrings(int i) const override {
        if (i < 0 || i >= GetCount()) IndexError(i);
        return v_[static_cast<size_t>(i)];
    }
    void Insert(int i, const AnsiString& s) override {
        if (i < 0 || i > GetCount()) IndexError(i);
        v_.insert(v_.begin() + i, s);
    }
    void Delete(int i) override {
        if (i < 0 || i >= GetCount()) IndexError(i);
        v_.erase(v_.begin() + i);
    }
    void Clear() override { v_.clear(); }

private:
    std::vector<AnsiString> v_;
};

} // namespace

TEST(TStringList, OrdenadaConDupIgnoreIgnoraLasIgualesSinCaja) {
    TStringList l;
    l.SetSorted(true);
    EXPECT_EQ(l.GetDuplicates(), dupIgnore);
    Llenar(l, {"pera", "Manzana", "árbol", "arbol", "10", "9"});
    EXPECT_EQ(Contenido(l),
              (std::vector<std::string>{"10", "9", "arbol", "árbol", "Manzana", "pera"}));
    EXPECT_EQ(l.Add("PERA"), 5);
    EXPECT_EQ(l.Add("MANZANA"), 4);
    EXPECT_EQ(l.GetCount(), 6);
    EXPECT_EQ(l.Add("nuez"), 5);
    EXPECT_EQ(l.GetStrings(5), "nuez");

    int indice = -1;
    EXPECT_TRUE(l.Find("ÁRBOL", indice));
    EXPECT_EQ(indice, 3);
    EXPECT_FALSE(l.Find("higo", indice));
    EXPECT_EQ(indice, 4); // where it would go
}

TEST(TStringList, DuplicadosAceptadosORechazados) {
    TStringList acepta;
    acepta.SetSorted(true);
    acepta.SetDuplicates(dupAccept);
    acepta.AddObject("b", nullptr);
    TObject primero, segundo;
    acepta.AddObject("a", &primero);
    acepta.AddObject("A", &segundo);
    EXPECT_EQ(Contenido(acepta), (std::vector<std::string>{"a", "A", "b"}));
    EXPECT_EQ(acepta.GetObjects(0), &primero); // equal strings keep the order they came in
    EXPECT_EQ(acepta.GetObjects(1), &segundo);
    int indice = -1;
    EXPECT_TRUE(acepta.Find("A", indice));
    EXPECT_EQ(indice, 0); // the first of the equal ones

    TStringList rechaza;
    rechaza.SetSorted(true);
    rechaza.SetDuplicates(dupError);
    rechaza.Add("uno");
    EXPECT_THROW(rechaza.Add("UNO"), EStringListError);
    EXPECT_EQ(rechaza.GetCount(), 1);

    // Without Sorted the duplicate settings do not apply.
    TStringList libre;
    libre.SetDuplicates(dupError);
    libre.Add("x");
    EXPECT_EQ(libre.Add("x"), 1);
}

TEST(TStringList, OperacionesQueRompenElOrdenSeRechazan) {
    TStringList l;
    Llenar(l, {"c", "a", "b"});
    l.SetSorted(true);
    EXPECT_EQ(Contenido(l), (std::vector<std::string>{"a", "b", "c"}));
    try {
        l.Insert(0, "z");
        ADD_FAILURE() << "Insert en una lista ordenada no lanzó";
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message, "Operación no permitida en una lista ordenada");
    }
    EXPECT_THROW(l.SetStrings(0, "z"), EStringListError);
    EXPECT_THROW(l.Move(0, 2), EStringListError);
    EXPECT_EQ(Contenido(l), (std::vector<std::string>{"a", "b", "c"}));

    l.SetSorted(false);
    l.Insert(0, "z");
    EXPECT_EQ(l.GetStrings(0), "z");
}

TEST(TStringList, IndexOfIgnoraLaCajaSalvoQueSeDigaLoContrario) {
    for (bool ordenada : {false, true}) {
        TStringList l;
        Llenar(l, {"Uno", "dos", "Ñandú"});
        l.SetSorted(ordenada);
        EXPECT_EQ(l.IndexOf("UNO"), l.IndexOf("Uno")) << ordenada;
        EXPECT_GE(l.IndexOf("ñANDÚ"), 0) << ordenada;
        EXPECT_EQ(l.IndexOf("nandu"), -1) << ordenada; // accents are not case
        EXPECT_EQ(l.IndexOf("tres"), -1) << ordenada;
        l.SetCaseSensitive(true);
        EXPECT_EQ(l.IndexOf("UNO"), -1) << ordenada;
        EXPECT_GE(l.IndexOf("Uno"), 0) << ordenada;
    }
    TStringList l;
    l.SetSorted(true);
    l.SetCaseSensitive(true);
    Llenar(l, {"b", "B", "a"});
    EXPECT_EQ(Contenido(l), (std::vector<std::string>{"a", "b", "B"}));
}

TEST(TStringList, CommaTextEscribeComoLaBibliotecaYVuelve) {
    struct Caso {
        std::vector<std::string> items;
        const char* comma;
    } casos[] = {
        {{"a", "b"}, "a,b"},
        {{"con blanco", "con,coma", "con\"comilla", "ñandú"},
         "\"con blanco\",\"con,coma\",\"con\"\"comilla\",ñandú"},
        {{"a", "", "b"}, "a,,b"},
        {{"a", ""}, "a,"},
        {{""}, "\"\""},
        {{}, ""},
        {{"\ttab", "fin\r\n"}, "\"\ttab\",\"fin\r\n\""},
        {{"\"\""}, "\"\"\"\"\"\""},
    };
    for (const Caso& c : casos) {
        TStringList l;
        Llenar(l, c.items);
        EXPECT_EQ(l.GetCommaText(), c.comma);
        TStringList leida;
        leida.Add("previo");
        leida.SetCommaText(l.GetCommaText());
        EXPECT_EQ(Contenido(leida), c.items) << c.comma;
    }
}

TEST(TStringList, CommaTextSeLeeSeparandoPorComasYBlancos) {
    struct Caso {
        const char* comma;
        std::vector<std::string> items;
    } casos[] = {
        {"a b,c", {"a", "b", "c"}},
        {"  a  ,  b  ", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},
        {"a , , b", {"a", "", "b"}},
        {",a", {"", "a"}},
        {"\"x\"\"y\" z", {"x\"y", "z"}},
        {"\"sin cerrar", {"sin cerrar"}},
        {"\"ab\"cd", {"ab", "cd"}},
        {"", {}},
        {"   ", {}},
        {"\"\"", {""}},
        {"é\xA0ü", {"é\xA0ü"}}, // bytes above 0x7F are never blanks
    };
    for (const Caso& c : casos) {
        TStringList l;
        l.SetCommaText(c.comma);
        EXPECT_EQ(Contenido(l), c.items) << c.comma;
    }
}

TEST(TStringList, TextoConCrLf) {
    TStringList l;
    Llenar(l, {"uno", "", "tres"});
    EXPECT_EQ(l.GetText(), "uno\r\n\r\ntres\r\n");
    EXPECT_EQ(TStringList().GetText(), "");

    struct Caso {
        const char* texto;
        std::vector<std::string> lineas;
    } casos[] = {
        {"a\r\nb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"\n", {""}},
        {"", {}},
        {"\r\n\r\n", {"", ""}},
        {" a \tb ", {" a \tb "}},
    };
    for (const Caso& c : casos) {
        TStringList leida;
        leida.SetText(c.texto);
        EXPECT_EQ(Contenido(leida), c.lineas) << c.texto;
    }
    std::string conNul("x\0y\nz", 5);
    l.SetText(AnsiString(conNul));
    ASSERT_EQ(l.GetCount(), 2);
    EXPECT_EQ(l.GetStrings(0).str(), std::string("x\0y", 3));
}

TEST(TStringList, ParesNombreValor) {
    TStringList l;
    Llenar(l, {"sin igual", "Clave=Valor", "ruta=C:\\a=b", "=solo valor"});
    EXPECT_EQ(l.GetNames(0), "");
    EXPECT_EQ(l.GetNames(1), "Clave");
    EXPECT_EQ(l.GetNames(2), "ruta");
    EXPECT_EQ(l.GetValues("CLAVE"), "Valor");
    EXPECT_EQ(l.GetValues("ruta"), "C:\\a=b");
    EXPECT_EQ(l.GetValues(""), "solo valor");
    EXPECT_EQ(l.GetValues("sin igual"), "");
    EXPECT_EQ(l.IndexOfName("sin igual"), -1);
    EXPECT_EQ(l.IndexOfName("clave"), 1);

    l.SetValues("clave", "otro");
    EXPECT_EQ(l.GetStrings(1), "clave=otro");
    l.SetValues("Nueva", "1");
    EXPECT_EQ(l.GetStrings(4), "Nueva=1");
    l.SetValues("RUTA", "");
    EXPECT_EQ(l.IndexOfName("ruta"), -1);
    EXPECT_EQ(l.GetCount(), 4);
    l.SetValues("no está", "");
    EXPECT_EQ(l.GetCount(), 4);

    TStringList ordenada;
    ordenada.SetSorted(true);
    ordenada.SetValues("b", "2");
    ordenada.SetValues("a", "1");
    EXPECT_EQ(Contenido(ordenada), (std::vector<std::string>{"a=1", "b=2"}));
}

TEST(TStringList, IndicesFueraDeRangoLanzan) {
    struct Caso {
        const char* que;
        std::function<void(TStringList&)> hacer;
        int indice;
    } casos[] = {
        {"GetStrings(-1)", [](TStringList& l) { l.GetStrings(-1); }, -1},
        {"GetStrings(2)", [](TStringList& l) { l.GetStrings(2); }, 2},
        {"SetStrings", [](TStringList& l) { l.SetStrings(2, "x"); }, 2},
        {"GetObjects", [](TStringList& l) { l.GetObjects(2); }, 2},
        {"SetObjects", [](TStringList& l) { l.SetObjects(-1, nullptr); }, -1},
        {"Delete", [](TStringList& l) { l.Delete(2); }, 2},
        {"Insert", [](TStringList& l) { l.Insert(3, "x"); }, 3},
        {"Exchange", [](TStringList& l) { l.Exchange(0, 2); }, 2},
        {"Move", [](TStringList& l) { l.Move(0, 5); }, 5},
        {"GetNames", [](TStringList& l) { l.GetNames(7); }, 7},
    };
    for (const Caso& c : casos) {
        TStringList l;
        Llenar(l, {"a", "b"});
        try {
            c.hacer(l);
            ADD_FAILURE() << c.que << " no lanzó";
        } catch (const EStringListError& e) {
            EXPECT_EQ(e.Message,
                      AnsiString("Índice de lista fuera de límites (") + AnsiString(c.indice) + ")")
                << c.que;
        }
        EXPECT_EQ(Contenido(l), (std::vector<std::string>{"a", "b"})) << c.que;
    }
}

TEST(TStringList, ObjetosPropiosSeLiberanAlQuitarlos) {
    int vivos = 0;
    {
        TStringList l(true);
        l.AddObject("a", new Contado(vivos));
        l.AddObject("b", new Contado(vivos));
        l.AddObject("c", new Contado(vivos));
        l.AddObject("d", new Contado(vivos));
        l.Exchange(0, 3);
        l.Move(0, 2);
        EXPECT_EQ(vivos, 4); // moving frees nothing
        EXPECT_EQ(Contenido(l), (std::vector<std::string>{"b", "c", "d", "a"}));
        l.Delete(0);
        EXPECT_EQ(vivos, 3);
        TStringList copia;
        copia.Assign(l); // the copy does not own them
        l.Clear();
        EXPECT_EQ(vivos, 0);
        l.AddObject("e", new Contado(vivos));
    }
    EXPECT_EQ(vivos, 0);

    TStringList ajena;
    Contado uno(vivos);
    ajena.AddObject("x", &uno);
    ajena.Clear();
    EXPECT_EQ(vivos, 1);
}

TEST(TStringList, AssignYAddStringsCopianTextosYObjetos) {
    TObject o1, o2;
    TStringList origen;
    origen.AddObject("a", &o1);
    origen.AddObject("b", &o2);

    TStringList destino;
    destino.Add("viejo");
    destino.Assign(origen);
    EXPECT_EQ(Contenido(destino), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(destino.GetObjects(1), &o2);

    destino.Assign(destino);
    EXPECT_EQ(Contenido(destino), (std::vector<std::string>{"a", "b"}));
    destino.AddStrings(destino);
    EXPECT_EQ(Contenido(destino), (std::vector<std::string>{"a", "b", "a", "b"}));
    EXPECT_EQ(destino.GetObjects(2), &o1);
    EXPECT_EQ(destino.IndexOfObject(&o2), 1);

    TStringList ordenado;
    ordenado.SetSorted(true);
    ordenado.Assign(destino);
    EXPECT_EQ(Contenido(ordenado), (std::vector<std::string>{"a", "b"}));
}

TEST(TStringList, EventosDeCambio) {
    TStringList l;
    std::vector<std::string> registro;
    l.OnChanging = [&](TObject* s) {
        EXPECT_EQ(s, &l);
        registro.push_back("antes " + std::to_string(l.GetCount()));
    };
    l.OnChange = [&](TObject*) { registro.push_back("después " + std::to_string(l.GetCount())); };

    l.Add("a");
    EXPECT_EQ(registro, (std::vector<std::string>{"antes 0", "después 1"}));

    registro.clear();
    l.GetStrings(0);
    l.IndexOf("a");
    l.GetText();
    l.Clear();
    l.Clear(); // already empty: nothing changes
    EXPECT_EQ(registro, (std::vector<std::string>{"antes 1", "después 0"}));

    registro.clear();
    l.BeginUpdate();
    l.BeginUpdate();
    Llenar(l, {"x", "y", "z"});
    l.Delete(0);
    l.EndUpdate();
    EXPECT_EQ(registro, (std::vector<std::string>{"antes 0"}));
    l.EndUpdate();
    EXPECT_EQ(registro, (std::vector<std::string>{"antes 0", "después 2"}));

    registro.clear();
    l.SetCommaText("1,2,3");
    EXPECT_EQ(registro, (std::vector<std::string>{"antes 2", "después 3"}));

    registro.clear();
    l.OnChange = [&](TObject*) { throw EStringListError("desde el manejador"); };
    EXPECT_THROW(l.SetText("p\nq"), EStringListError);
    l.OnChange = nullptr;
    l.Add("r"); // the bracket was closed despite the exception
    EXPECT_EQ(registro.back(), "antes 2");
}

TEST(TStringList, OrdenacionEstableYSegura) {
    TStringList l;
    TObject objetos[4];
    l.AddObject("b", &objetos[0]);
    l.AddObject("A", &objetos[1]);
    l.AddObject("a", &objetos[2]);
    l.AddObject("c", &objetos[3]);
    l.Sort();
    EXPECT_EQ(Contenido(l), (std::vector<std::string>{"A", "a", "b", "c"}));
    EXPECT_EQ(l.GetObjects(0), &objetos[1]);

    l.CustomSort([](TStringList* lista, int a, int b) {
        return -lista->GetStrings(a).AnsiCompareIC(lista->GetStrings(b));
    });
    EXPECT_EQ(Contenido(l), (std::vector<std::string>{"c", "b", "A", "a"}));
    EXPECT_EQ(l.GetObjects(1), &objetos[0]);

    // A comparison that answers at random must not take the sort out of the list.
    TStringList grande;
    for (int i = 0; i < 500; ++i)
        grande.Add(AnsiString(i));
    std::vector<std::string> antes = Contenido(grande);
    std::mt19937 azar(7);
    grande.CustomSort([&](TStringList*, int, int) { return static_cast<int>(azar() % 3) - 1; });
    std::vector<std::string> despues = Contenido(grande);
    std::sort(antes.begin(), antes.end());
    std::sort(despues.begin(), despues.end());
    EXPECT_EQ(despues, antes);
}

TEST(TStringList, FicherosDeTexto) {
    CarpetaTemporal carpeta;
    TStringList l;
    Llenar(l, {"Información", "", "€ 5"});
    AnsiString ruta = carpeta.Ruta() + "lista.txt";
    l.SaveToFile(ruta);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(ruta, bytes));
    EXPECT_EQ(bytes, "Información\r\n\r\n€ 5\r\n");

    TStringList leida;
    leida.LoadFromFile(carpeta.Ruta() + "LISTA.TXT");
    EXPECT_EQ(Contenido(leida), Contenido(l));

    leida.LoadFromFile(carpeta.Fichero("unix.txt", "a\nb"));
    EXPECT_EQ(Contenido(leida), (std::vector<std::string>{"a", "b"}));

    EXPECT_THROW(leida.LoadFromFile(carpeta.Ruta() + "no_existe.txt"), EFOpenError);
    EXPECT_EQ(leida.GetCount(), 2); // a failed load keeps the list
    EXPECT_THROW(leida.LoadFromFile(carpeta.Ruta()), EFOpenError);
    EXPECT_THROW(l.SaveToFile(carpeta.Ruta() + "no_existe/lista.txt"), EFCreateError);
}

// A save that cannot end (a write that fails, a full disk) leaves the old file whole and
// nothing beside it.
TEST(TStringList, UnGuardadoFallidoDejaElFicheroViejo) {
    TStringList vieja, nueva;
    for (int i = 0; i < 2000; ++i)
        vieja.Add("línea vieja " + AnsiString(i));
    for (int i = 0; i < 20000; ++i)
        nueva.Add("línea nueva, bastante más larga que la vieja " + AnsiString(i));
    auto comprobar = [&](const std::string& carpeta, const std::vector<std::string>& quedan) {
        const AnsiString ruta = AnsiString(carpeta) + "lista.txt";
        try {
            nueva.SaveToFile(ruta);
            return std::string("se ha guardado");
        } catch (const EStreamError& e) {
            if (e.Message.Pos("lista.txt") == 0)
                return "mensaje sin el fichero: " + e.Message.str();
        }
        std::string bytes;
        if (!ReadWholeFile(ruta, bytes) || bytes != vieja.GetText().str())
            return std::string("el fichero viejo ha cambiado");
        std::vector<std::string> nombres;
        for (const auto& e : std::filesystem::directory_iterator(carpeta))
            nombres.push_back(e.path().filename());
        std::sort(nombres.begin(), nombres.end());
        return nombres == quedan ? std::string() : "quedan ficheros de más";
    };

    CarpetaTemporal carpeta;
    vieja.SaveToFile(carpeta.Ruta() + "lista.txt");
    FileWriter::InjectFailureForTests(FileWriter::Failure::Write);
    EXPECT_EQ(comprobar(carpeta.Ruta().str(), {"lista.txt"}), "");

    bool montado = false;
    const std::string fallo = EnDiscoPequeno(256 * 1024, montado, [&](const std::string& disco) {
        vieja.SaveToFile(AnsiString(disco) + "lista.txt");
        LlenarDisco(disco);
        return comprobar(disco, {"lista.txt", "relleno"});
    });
    if (!montado) GTEST_SKIP() << "no se puede montar un tmpfs pequeño (hace falta ser root)";
    EXPECT_EQ(fallo, "");
}

TEST(TStrings, UnaListaConSoloAlmacenHeredaElResto) {
    SoloAlmacen l;
    EXPECT_EQ(l.Add("c"), 0);
    EXPECT_EQ(l.Add("a"), 1);
    l.Append("b");
    l.SetStrings(0, "C");
    l.Exchange(0, 2);
    EXPECT_EQ(Contenido(l), (std::vector<std::string>{"b", "a", "C"}));
    l.Move(2, 0);
    EXPECT_EQ(Contenido(l), (std::vector<std::string>{"C", "b", "a"}));
    EXPECT_THROW(l.Move(0, 3), EStringListError);
    EXPECT_EQ(l.GetCount(), 3); // a bad target loses nothing
    EXPECT_EQ(l.IndexOf("B"), 1);
    EXPECT_EQ(l.GetObjects(0), nullptr);
    EXPECT_THROW(l.GetObjects(3), EStringListError);

    l.SetCommaText("\"x y\",z");
    EXPECT_EQ(Contenido(l), (std::vector<std::string>{"x y", "z"}));
    l.SetText("k=v\r\nw");
    EXPECT_EQ(l.GetValues("K"), "v");
    EXPECT_EQ(l.GetCommaText(), "k=v,w");

    TStringList origen;
    Llenar(origen, {"1", "2"});
    l.Assign(origen);
    EXPECT_EQ(Contenido(l), (std::vector<std::string>{"1", "2"}));
}
