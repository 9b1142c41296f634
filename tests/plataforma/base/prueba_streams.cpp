// Streams and the binary component image: the bytes of each value type, a component read
// back into a fresh one, and images that are short, of another class or that name a
// property the class does not have.

#include "plataforma/base/component.h"
#include "plataforma/base/file_writer.h"
#include "plataforma/base/filer.h"
#include "plataforma/base/streams.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

class Muestra : public TComponent {
public:
    using TComponent::TComponent;
    AnsiString ClassName() const override { return "TMuestra"; }
    void WriteProperties(TWriter& W) override {
        W.WriteInteger("N", n);
        W.WriteString("S", s);
        W.WriteBoolean("B", b);
        W.WriteIdent("E", e);
        W.WriteSet("F", f);
        W.WriteBinary("D", d);
        W.WriteStringList("L.Strings", l);
    }
    void ReadProperty(const AnsiString& Name, TReader& R) override {
        if (Name == "N")
            n = R.ReadInteger();
        else if (Name == "S")
            s = R.ReadString();
        else if (Name == "B")
            b = R.ReadBoolean();
        else if (Name == "E")
            e = R.ReadIdent();
        else if (Name == "F")
            f = R.ReadSet();
        else if (Name == "D")
            d = R.ReadBinary();
        else if (Name == "L.Strings")
            l = R.ReadStringList();
        else
            TComponent::ReadProperty(Name, R);
    }
    int64_t n = 0;
    AnsiString s;
    bool b = false;
    AnsiString e = "x";
    std::vector<AnsiString> f;
    std::string d;
    std::vector<AnsiString> l;
};

std::string Imagen(Muestra& m) {
    TMemoryStream s;
    s.WriteComponent(&m);
    return s.Bytes();
}

// Each integer takes the smallest width that holds it: 8, 16 or 32 bits (little-endian).
TEST(Streams, EnterosConSuPropioAncho) {
    struct Caso {
        int64_t valor;
        std::string bytes;
    } casos[] = {{5, std::string("\x02\x05", 2)},
                 {-128, std::string("\x02\x80", 2)},
                 {300, std::string("\x03\x2C\x01", 3)},
                 {65535, std::string("\x04\xFF\xFF\x00\x00", 5)},
                 {70000, std::string("\x04\x70\x11\x01\x00", 5)}};
    for (const Caso& c : casos) {
        Muestra m(nullptr);
        m.n = c.valor;
        const std::string img = Imagen(m);
        const std::string cabeza = std::string("TPF0\x08TMuestra\x00\x01N", 16);
        ASSERT_EQ(img.substr(0, cabeza.size()), cabeza);
        EXPECT_EQ(img.substr(cabeza.size(), c.bytes.size()), c.bytes) << c.valor;
        TMemoryStream s;
        s.WriteBuffer(img.data(), img.size());
        s.SetPosition(0);
        Muestra r(nullptr);
        s.ReadComponent(&r);
        EXPECT_EQ(r.n, c.valor);
        EXPECT_EQ(s.GetPosition(), s.GetSize());
    }
}

// Every type read back, a long text (four-byte length) and an empty one left out; two
// images one after the other are read one at a time.
TEST(Streams, IdaYVueltaDeTodosLosTipos) {
    Muestra m(nullptr);
    m.n = -70000;
    m.s = AnsiString(std::string(300, 'a') + "\xE1");
    m.b = true;
    m.e = "taCenter";
    m.f = {"fsBold", "fsItalic"};
    m.d = std::string("\x00\x01\xFF", 3);
    m.l = {"uno", "", "tres"};
    Muestra vacia(nullptr);
    TMemoryStream s;
    s.WriteComponent(&m);
    const int64_t primera = s.GetPosition();
    s.WriteComponent(&vacia);
    s.SetPosition(0);
    Muestra r(nullptr);
    s.ReadComponent(&r);
    EXPECT_EQ(s.GetPosition(), primera);
    EXPECT_EQ(r.n, m.n);
    EXPECT_EQ(r.s, m.s);
    EXPECT_TRUE(r.b);
    EXPECT_EQ(r.e, "taCenter");
    EXPECT_EQ(r.f, m.f);
    EXPECT_EQ(r.d, m.d);
    EXPECT_EQ(r.l, m.l);
    Muestra r2(nullptr);
    r2.s = "queda";
    s.ReadComponent(&r2);
    EXPECT_EQ(r2.s, "queda"); // not in the image: the text was empty
    EXPECT_EQ(s.GetPosition(), s.GetSize());
}

// Every cut of a good image, a changed type byte, another class and an unknown property
// raise EReadError; nothing is read past the stream's end.
TEST(Streams, ImagenesMalasLevantanEReadError) {
    Muestra m(nullptr);
    m.s = "texto";
    m.d = "datos";
    m.l = {"a"};
    const std::string img = Imagen(m);
    for (size_t n = 0; n < img.size(); ++n) {
        TMemoryStream s;
        s.WriteBuffer(img.data(), n);
        s.SetPosition(0);
        Muestra r(nullptr);
        EXPECT_THROW(s.ReadComponent(&r), EReadError) << n;
    }
    std::string otra = img;
    otra[5] = 'X'; // class name
    std::string tipo = img;
    tipo[16] = 6; // N as a text
    std::string largo = img;
    const size_t d = largo.find("\x01"
                                "D") +
                     2;
    largo[d + 1] = '\x7F'; // binary length far beyond the stream
    for (const std::string& mala : {otra, tipo, largo}) {
        TMemoryStream s;
        s.WriteBuffer(mala.data(), mala.size());
        s.SetPosition(0);
        Muestra r(nullptr);
        EXPECT_THROW(s.ReadComponent(&r), EReadError);
    }
    TMemoryStream s;
    s.WriteBuffer(img.data(), img.size());
    s.SetPosition(0);
    class Otra : public TComponent {
    public:
        using TComponent::TComponent;
        AnsiString ClassName() const override { return "TMuestra"; }
    } otraClase(nullptr);
    EXPECT_THROW(s.ReadComponent(&otraClase), EReadError); // property N does not exist
}

class StreamsFichero : public testing::Test {
protected:
    void SetUp() override {
        std::string p = (fs::temp_directory_path() / "quenbar_st_XXXXXX").string();
        ASSERT_NE(mkdtemp(p.data()), nullptr);
        dir = p;
    }
    void TearDown() override {
        FileWriter::InjectFailureForTests(FileWriter::Failure::None);
        fs::remove_all(dir);
    }
    std::string Leer(const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }
    fs::path dir;
};

// A file stream reads, writes and seeks in place; a component read from a file stream
// leaves it just after the image, whatever its buffer read ahead.
TEST_F(StreamsFichero, FileStreamYComponentes) {
    const AnsiString ruta((dir / "c.bin").string());
    {
        TFileStream f(ruta, fmCreate);
        Muestra a(nullptr), b(nullptr);
        a.n = 1;
        b.n = 2;
        f.WriteComponent(&a);
        f.WriteComponent(&b);
        f.WriteBuffer("fin", 3);
    }
    TFileStream f(ruta, fmOpenRead);
    Muestra a(nullptr), b(nullptr);
    f.ReadComponent(&a);
    f.ReadComponent(&b);
    EXPECT_EQ(a.n, 1);
    EXPECT_EQ(b.n, 2);
    char fin[3];
    f.ReadBuffer(fin, 3);
    EXPECT_EQ(std::string(fin, 3), "fin");
    EXPECT_THROW(f.ReadBuffer(fin, 1), EReadError);
    EXPECT_THROW(TFileStream((dir / "no" / "x").string().c_str(), fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream((dir / "no" / "x").string().c_str(), fmCreate), EFCreateError);
}

// A memory stream saved over a file: whole, or the old file kept when the write fails.
TEST_F(StreamsFichero, MemoriaGuardaAtomica) {
    const fs::path p = dir / "m.bin";
    { std::ofstream(p, std::ios::binary) << "viejo"; }
    TMemoryStream m;
    m.WriteBuffer("nuevo", 5);
    FileWriter::InjectFailureForTests(FileWriter::Failure::Write);
    EXPECT_THROW(m.SaveToFile(p.string().c_str()), EFCreateError);
    EXPECT_EQ(Leer(p), "viejo");
    m.SaveToFile(p.string().c_str());
    EXPECT_EQ(Leer(p), "nuevo");
    TMemoryStream r;
    r.LoadFromFile(p.string().c_str());
    EXPECT_EQ(r.Bytes(), "nuevo");
    EXPECT_EQ(r.GetPosition(), 0);
    EXPECT_THROW(r.LoadFromFile((dir / "falta").string().c_str()), EFOpenError);
}

} // namespace
