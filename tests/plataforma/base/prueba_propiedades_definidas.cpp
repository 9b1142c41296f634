// Properties that an object defines for the component image: a list of wide texts under an
// owned object's dotted name, a block of bytes, and one of the component itself; the bytes
// of a wide text; what is left out (no data, equal to the ancestor); and images from
// elsewhere that are short, nested too deep or that the object's own reader refuses.

#include "plataforma/base/component.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/base/filer.h"
#include "plataforma/base/streams.h"
#include "plataforma/base/wide_string.h"

#include "tests/comun/imagen_componente.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An owned object that stores a list of wide texts ("Items") and a block of bytes ("Data").
class Lista : public TPersistent {
public:
    std::vector<std::u16string> items;
    std::string data;
    TPersistent* ancestroVisto = nullptr;

protected:
    void DefineProperties(TFiler* Filer) override {
        ancestroVisto = Filer->GetAncestor();
        const auto* otra = dynamic_cast<const Lista*>(Filer->GetAncestor());
        Filer->DefineProperty(
            "Items",
            [this](TReader& R) {
                items.clear();
                R.ReadListBegin();
                while (!R.EndOfList())
                    items.push_back(R.ReadWideString().str());
                R.ReadListEnd();
            },
            [this](TWriter& W) {
                W.WriteListBegin();
                for (const std::u16string& s : items)
                    W.WriteWideString(WideString(s));
                W.WriteListEnd();
            },
            otra ? otra->items != items : !items.empty());
        Filer->DefineBinaryProperty(
            "Data",
            [this](TStream* S) {
                data.assign(static_cast<size_t>(S->GetSize()), '\0');
                S->ReadBuffer(data.data(), S->GetSize());
                if (data == "malo") throw Exception("Datos que no valen");
            },
            [this](TStream* S) { S->WriteBuffer(data.data(), static_cast<int64_t>(data.size())); },
            !data.empty());
    }
};

class Poseedor : public TComponent {
public:
    using TComponent::TComponent;
    AnsiString ClassName() const override { return "TPoseedor"; }
    void WriteProperties(TWriter& W) override {
        W.WriteInteger("N", n);
        W.WritePersistent("Lista", &lista, ancestroLista);
    }
    void ReadProperty(const AnsiString& Name, TReader& R) override {
        if (Name == "N")
            n = R.ReadInteger();
        else if (!R.ReadPersistent(Name, "Lista", &lista))
            TComponent::ReadProperty(Name, R);
    }
    int64_t n = 0;
    Lista lista;
    TPersistent* ancestroLista = nullptr;
    AnsiString propia;

protected:
    void DefineProperties(TFiler* Filer) override {
        Filer->DefineProperty(
            "Propia", [this](TReader& R) { propia = R.ReadString(); },
            [this](TWriter& W) { W.WriteString(propia); }, !propia.IsEmpty());
    }
};

} // namespace

// The owned object's properties go under its dotted name after the published ones, then the
// component's own; each reads back. A wide text is its type byte, four bytes of length in
// code units and the UTF-16 code units, a surrogate pair as two.
TEST(PropiedadesDefinidas, IdaYVueltaConSusBytes) {
    Poseedor p(nullptr);
    p.n = 7;
    p.lista.items = {u"Ñu", u"", u"\U0001F600"};
    p.lista.data = std::string("\x00\xFF", 2);
    p.propia = "sí";
    const std::string img = ImagenDe(p);
    const std::string esperada =
        std::string("TPF0\x09TPoseedor\x00", 15) + "\x01N\x02\x07" + "\x0BLista.Items\x01" +
        std::string("\x12\x02\x00\x00\x00\xD1\x00u\x00", 9) +
        std::string("\x12\x00\x00\x00\x00", 5) +
        std::string("\x12\x02\x00\x00\x00\x3D\xD8\x00\xDE", 9) + std::string("\x00", 1) +
        "\x0ALista.Data\x0A" + std::string("\x02\x00\x00\x00\x00\xFF", 6) + "\x06Propia\x06" +
        "\x02s\xED" + std::string("\x00\x00", 2);
    EXPECT_EQ(img, esperada);
    Poseedor r(nullptr);
    r.lista.items = {u"se va"};
    EXPECT_EQ(LeerImagen(img, r), 0);
    EXPECT_EQ(r.n, 7);
    EXPECT_EQ(r.lista.items, p.lista.items);
    EXPECT_EQ(r.lista.data, p.lista.data);
    EXPECT_EQ(r.propia, "sí");
}

// Without data nothing is written; with an ancestor the object sees it and leaves out what
// equals it; the ancestor is the writer's again afterwards.
TEST(PropiedadesDefinidas, SinDatosOIgualAlAncestroNoSeEscriben) {
    Poseedor p(nullptr);
    EXPECT_EQ(ImagenDe(p), std::string("TPF0\x09TPoseedor\x00\x01N\x02\x00\x00\x00", 21));
    Lista ancestro;
    ancestro.items = {u"a"};
    p.lista.items = {u"a"};
    p.ancestroLista = &ancestro;
    TMemoryStream s;
    TWriter w(&s);
    w.WriteComponent(&p);
    EXPECT_EQ(p.lista.ancestroVisto, &ancestro);
    EXPECT_EQ(w.GetAncestor(), nullptr);
    EXPECT_EQ(s.Bytes().find("Items"), std::string::npos);
    ancestro.items = {u"b"};
    EXPECT_NE(ImagenDe(p).find("Lista.Items"), std::string::npos);
}

// Images from elsewhere: 8-bit and UTF-8 items are no wide texts for this reader; every cut,
// a length past the end, lists nested deeper than any image holds, a name nobody defines and
// an error of the object's own reader all raise EReadError.
TEST(PropiedadesDefinidas, ImagenesMalasLevantanEReadError) {
    Poseedor p(nullptr);
    p.lista.items = {u"uno", u"dos"};
    p.lista.data = "datos";
    const std::string img = ImagenDe(p);
    for (size_t n = 0; n < img.size(); ++n) {
        Poseedor r(nullptr);
        EXPECT_THROW(LeerImagen(img.substr(0, n), r), EReadError) << n;
    }
    const std::string cabeza("TPF0\x09TPoseedor\x00", 15);
    const std::string fin("\x00\x00", 2);
    const std::string items = "\x0BLista.Items";
    // An item in UTF-8 is read, an 8-bit text is refused by this list's reader.
    {
        Poseedor r(nullptr);
        LeerImagen(
            cabeza + items + "\x01\x14" + std::string("\x03\x00\x00\x00\xC3\xB1x\x00", 8) + fin, r);
        EXPECT_EQ(r.lista.items, (std::vector<std::u16string>{u"ñx"}));
    }
    const std::string hondo = cabeza + "\x01N" + std::string(200, '\x01') + fin;
    const std::vector<std::string> malas = {
        cabeza + items + "\x01\x06\x01x\x00" + fin,
        cabeza + items + "\x01\x12" + std::string("\xFF\xFF\xFF\x7F", 4) + "ab" + fin,
        cabeza + "\x0ALista.Data\x0A" + std::string("\x04\x00\x00\x00", 4) + "malo" + fin,
        cabeza + "\x0ALista.Otra\x02\x01" + fin,
        cabeza + "\x06Propia\x12" + std::string("\x01\x00\x00\x00x\x00", 6) + fin,
        cabeza + items + "\x01\x15" + fin,
    };
    for (const std::string& mala : malas) {
        Poseedor r(nullptr);
        EXPECT_THROW(LeerImagen(mala, r), EReadError) << testing::PrintToString(mala);
    }
    // A value of a published property skipped by a reader: lists nested beyond any image.
    class Salta : public TComponent {
    public:
        using TComponent::TComponent;
        AnsiString ClassName() const override { return "TPoseedor"; }
        void ReadProperty(const AnsiString&, TReader& R) override { R.SkipValue(); }
    } salta(nullptr);
    TMemoryStream s;
    s.WriteBuffer(hondo.data(), static_cast<int64_t>(hondo.size()));
    s.SetPosition(0);
    EXPECT_THROW(s.ReadComponent(&salta), EReadError);
    // The reader's message names the property.
    try {
        Poseedor r(nullptr);
        LeerImagen(malas[2], r);
    } catch (const EReadError& e) {
        EXPECT_NE(std::string(e.Message.c_str()).find("Data"), std::string::npos);
        EXPECT_NE(std::string(e.Message.c_str()).find("Datos que no valen"), std::string::npos);
    }
}
