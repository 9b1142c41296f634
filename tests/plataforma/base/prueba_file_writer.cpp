// FileWriter: line ends, C-locale formatting, and saves that either replace the target
// whole or leave it as it was.

#include "plataforma/base/file_writer.h"
#include "plataforma/base/regional.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class FileWriterTest : public testing::Test {
protected:
    void SetUp() override {
        std::string plantilla = (fs::temp_directory_path() / "quenbar_fw_XXXXXX").string();
        ASSERT_NE(mkdtemp(plantilla.data()), nullptr);
        carpeta_ = plantilla;
    }
    void TearDown() override {
        FileWriter::InjectFailureForTests(FileWriter::Failure::None);
        std::error_code ec;
        fs::remove_all(carpeta_, ec);
    }

    std::string Ruta(const std::string& nombre) const { return (carpeta_ / nombre).string(); }

    static std::string Leer(const std::string& ruta) {
        std::ifstream f(ruta, std::ios::binary);
        std::ostringstream s;
        s << f.rdbuf();
        return s.str();
    }

    static void Escribir(const std::string& ruta, const std::string& contenido) {
        std::ofstream f(ruta, std::ios::binary);
        f << contenido;
    }

    // The names in the folder, sorted: a left-over temporary file shows here.
    std::vector<std::string> Contenido() const {
        std::vector<std::string> nombres;
        for (const auto& e : fs::directory_iterator(carpeta_))
            nombres.push_back(e.path().filename());
        std::sort(nombres.begin(), nombres.end());
        return nombres;
    }

    fs::path carpeta_;
};

TEST_F(FileWriterTest, ModoTextoEscribeCRLFYBinarioLosBytesTalCual) {
    const std::string datos("a\nb\r\nc\0\xFF\n", 10);
    struct Caso {
        FileWriter::Mode modo;
        bool atomico;
        std::string esperado;
    } casos[] = {
        {FileWriter::Mode::Text, true, std::string("a\r\nb\r\r\nc\0\xFF\r\n", 13)},
        {FileWriter::Mode::Text, false, std::string("a\r\nb\r\r\nc\0\xFF\r\n", 13)},
        {FileWriter::Mode::Binary, true, datos},
        {FileWriter::Mode::Binary, false, datos},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.modo == FileWriter::Mode::Text ? "texto" : "binario") +
                     (c.atomico ? ", atómico" : ", directo"));
        FileWriter w;
        ASSERT_TRUE(w.Open(Ruta("f.txt"), c.modo, c.atomico));
        w.Write(datos.data(), datos.size());
        ASSERT_TRUE(w.Commit()) << w.ErrorText().str();
        EXPECT_TRUE(w.Ok());
        EXPECT_EQ(Leer(Ruta("f.txt")), c.esperado);
        EXPECT_EQ(Contenido(), std::vector<std::string>{"f.txt"});
    }
}

TEST_F(FileWriterTest, PrintfYPutsEnTexto) {
    FileWriter w;
    ASSERT_TRUE(w.Open(Ruta("f.txt")));
    w.Printf("%s = LAYERS\n", "\"Muro\"");
    w.Puts("fin");
    w.Puts("\n");
    // Every LF of the format and of its arguments gets its CR, also one after a CR, and a
    // text longer than the writer's block goes whole.
    w.Printf("a\nb\r\n%s|%d\n", "c\nd", 7);
    // Positional arguments leave the whole format to the C library: nothing twice.
    w.Printf("x%1$s|%2$+05d\n", "e", 42);
    const std::string largo(70000, 'x');
    w.Printf("%s\n%s", largo.c_str(), "\n");
    ASSERT_TRUE(w.Commit());
    const std::string corto = "\"Muro\" = LAYERS\r\nfin\r\na\r\nb\r\r\nc\r\nd|7\r\nxe|+0042\r\n";
    const std::string leido = Leer(Ruta("f.txt"));
    EXPECT_EQ(leido.substr(0, corto.size()), corto);
    EXPECT_TRUE(leido.substr(corto.size()) == largo + "\r\n\r\n") << leido.size();
}

// Files always carry '.', whatever the process locale or the regional separator say.
TEST_F(FileWriterTest, PrintfFormateaComoElLocaleC) {
    std::string anterior = std::setlocale(LC_NUMERIC, nullptr);
    bool conComa = false;
    for (const char* nombre : {"es_ES.UTF-8", "es_ES.utf8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, nombre) != nullptr) {
            conComa = true;
            break;
        }
    }
    char separador = GetDecimalSeparator();
    SetDecimalSeparator(',');

    FileWriter w;
    ASSERT_TRUE(w.Open(Ruta("f.txt"), FileWriter::Mode::Binary));
    w.Printf("%f|%14.7g|%.3f|%d|%-2d|%g", 1.5, 1234.5678, 2.675, -12, 3, 1e-5);
    bool ok = w.Commit();

    SetDecimalSeparator(separador);
    std::setlocale(LC_NUMERIC, anterior.c_str());
    ASSERT_TRUE(ok);
    EXPECT_EQ(Leer(Ruta("f.txt")), "1.500000|      1234.568|2.675|-12|3 |1e-05");
    if (!conComa) GTEST_LOG_(INFO) << "no hay un locale con coma decimal: vale el actual";
}

TEST_F(FileWriterTest, CommitAtomicoReemplazaElDestino) {
    Escribir(Ruta("bd.bdc"), "viejo");
    FileWriter w;
    ASSERT_TRUE(w.Open(Ruta("bd.bdc")));
    w.Puts("nuevo");
    // Until the commit, the target is untouched and the data goes to a file without a name.
    EXPECT_EQ(Leer(Ruta("bd.bdc")), "viejo");
    EXPECT_EQ(Contenido(), std::vector<std::string>{"bd.bdc"});
    ASSERT_TRUE(w.Commit()) << w.ErrorText().str();
    EXPECT_EQ(Leer(Ruta("bd.bdc")), "nuevo");
    EXPECT_EQ(Contenido(), std::vector<std::string>{"bd.bdc"});
}

TEST_F(FileWriterTest, ElDestinoConservaSusPermisosYSuEnlace) {
    Escribir(Ruta("real.bdc"), "viejo");
    ASSERT_EQ(chmod(Ruta("real.bdc").c_str(), 0640), 0);
    fs::create_symlink(Ruta("real.bdc"), Ruta("enlace.bdc"));

    FileWriter w;
    ASSERT_TRUE(w.Open(Ruta("enlace.bdc")));
    w.Puts("nuevo");
    ASSERT_TRUE(w.Commit()) << w.ErrorText().str();

    EXPECT_TRUE(fs::is_symlink(Ruta("enlace.bdc")));
    EXPECT_EQ(Leer(Ruta("real.bdc")), "nuevo");
    struct stat st;
    ASSERT_EQ(stat(Ruta("real.bdc").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Contenido(), (std::vector<std::string>{"enlace.bdc", "real.bdc"}));
}

// A save names its file as given: another that differs only in case stays as it was; only a
// folder that does not exist as written is looked up without regard to case.
TEST_F(FileWriterTest, GuardaConElNombreExactoSinTocarOtroQueDifiereEnCaja) {
    Escribir(Ruta("BASE.BDC"), "de Windows");
    fs::create_directory(Ruta("Datos"));
    for (bool atomico : {true, false}) {
        SCOPED_TRACE(atomico ? "atómico" : "directo");
        for (const std::string nombre : {"base.bdc", "datos\\nueva.bdc"}) {
            FileWriter w;
            ASSERT_TRUE(w.Open(Ruta(nombre), FileWriter::Mode::Binary, atomico));
            w.Puts("nuevo");
            ASSERT_TRUE(w.Commit()) << w.ErrorText().str();
        }
        EXPECT_EQ(Leer(Ruta("BASE.BDC")), "de Windows");
        EXPECT_EQ(Leer(Ruta("base.bdc")), "nuevo");
        EXPECT_EQ(Leer(Ruta("Datos/nueva.bdc")), "nuevo");
        EXPECT_EQ(Contenido(), (std::vector<std::string>{"BASE.BDC", "Datos", "base.bdc"}));
    }
}

// A link that names nothing yet is saved to the path it names and stays a link, as a good one
// does; a loop of links is refused with a message, and nothing is written.
TEST_F(FileWriterTest, EnlaceColganteSeGuardaEnSuDestinoYUnBucleSeRechaza) {
    fs::create_directory(Ruta("obras"));
    fs::create_symlink("obras/real.bdc", Ruta("colgante.bdc"));
    fs::create_symlink("colgante2.bdc", Ruta("cadena.bdc"));
    fs::create_symlink(Ruta("obras/otra.bdc"), Ruta("colgante2.bdc"));
    for (bool atomico : {true, false}) {
        SCOPED_TRACE(atomico ? "atómico" : "directo");
        for (const char* nombre : {"colgante.bdc", "cadena.bdc"}) {
            FileWriter w;
            ASSERT_TRUE(w.Open(Ruta(nombre), FileWriter::Mode::Binary, atomico));
            w.Puts(nombre);
            ASSERT_TRUE(w.Commit()) << w.ErrorText().str();
            EXPECT_TRUE(fs::is_symlink(Ruta(nombre)));
        }
        EXPECT_EQ(Leer(Ruta("obras/real.bdc")), "colgante.bdc");
        EXPECT_EQ(Leer(Ruta("obras/otra.bdc")), "cadena.bdc");
    }

    fs::create_symlink("b.bdc", Ruta("a.bdc"));
    fs::create_symlink("a.bdc", Ruta("b.bdc"));
    for (bool atomico : {true, false}) {
        FileWriter w;
        EXPECT_FALSE(w.Open(Ruta("a.bdc"), FileWriter::Mode::Binary, atomico));
        EXPECT_EQ(w.ErrorNumber(), ELOOP);
        EXPECT_NE(w.ErrorText().str().find("a.bdc\": los enlaces simbólicos forman un bucle"),
                  std::string::npos)
            << w.ErrorText().str();
        EXPECT_TRUE(fs::is_symlink(Ruta("a.bdc")));
        EXPECT_TRUE(fs::is_symlink(Ruta("b.bdc")));
    }
    EXPECT_EQ(Contenido(), (std::vector<std::string>{"a.bdc", "b.bdc", "cadena.bdc", "colgante.bdc",
                                                     "colgante2.bdc", "obras"}));
}

// Permissions stop root from nothing: run as another user (CTest does, through
// tests/comun/sin_privilegios.sh). A read-only file is refused as a read-only folder is, and
// both stay as they were.
TEST_F(FileWriterTest, SinPrivilegiosUnFicheroOCarpetaDeSoloLecturaNoSeReemplaza) {
    if (geteuid() == 0) GTEST_SKIP() << "como root los permisos no impiden escribir";
    Escribir(Ruta("bd.bdc"), "viejo");
    ASSERT_EQ(chmod(Ruta("bd.bdc").c_str(), 0444), 0);
    fs::create_directory(Ruta("cerrada"));
    Escribir(Ruta("cerrada/bd.bdc"), "viejo");
    ASSERT_EQ(chmod(Ruta("cerrada").c_str(), 0555), 0);
    // A direct writer writes a file it may write in place, whatever its folder.
    for (const char* nombre : {"bd.bdc", "cerrada/bd.bdc", "cerrada/nueva.bdc"}) {
        for (bool atomico : {true, false}) {
            if (!atomico && std::string(nombre) == "cerrada/bd.bdc") continue;
            SCOPED_TRACE(std::string(nombre) + (atomico ? ", atómico" : ", directo"));
            FileWriter w;
            if (w.Open(Ruta(nombre), FileWriter::Mode::Binary, atomico)) {
                w.Puts("nuevo");
                EXPECT_FALSE(w.Commit());
            }
            EXPECT_EQ(w.ErrorNumber(), EACCES);
            EXPECT_NE(w.ErrorText().str().find(std::string(nombre) + "\": permiso denegado"),
                      std::string::npos)
                << w.ErrorText().str();
        }
    }
    chmod(Ruta("cerrada").c_str(), 0755);
    EXPECT_EQ(Leer(Ruta("bd.bdc")), "viejo");
    EXPECT_EQ(Leer(Ruta("cerrada/bd.bdc")), "viejo");
    EXPECT_EQ(Contenido(), (std::vector<std::string>{"bd.bdc", "cerrada"}));
    EXPECT_FALSE(fs::exists(Ruta("cerrada/nueva.bdc")));
}

// A save killed half-way, in a child process, leaves the old file and no file beside it.
// Where a named temporary file is needed, the next save removes the ones of processes that
// no longer exist, and keeps those of processes that still run.
TEST_F(FileWriterTest, UnGuardadoMatadoNoDejaTemporales) {
    auto guardarYMorir = [&](bool nombrados) {
        const pid_t hijo = fork();
        if (hijo == 0) {
            FileWriter::UseNamedTemporariesForTests(nombrados);
            FileWriter w;
            if (!w.Open(Ruta("bd.bdc"))) _exit(1);
            const std::string bloque(1 << 20, 'x');
            for (int i = 0; i < 4; ++i)
                w.Write(bloque.data(), bloque.size());
            kill(getpid(), SIGKILL);
            _exit(2);
        }
        int estado = 0;
        ASSERT_EQ(waitpid(hijo, &estado, 0), hijo);
        ASSERT_TRUE(WIFSIGNALED(estado) && WTERMSIG(estado) == SIGKILL) << estado;
    };
    Escribir(Ruta("bd.bdc"), "viejo");
    guardarYMorir(false);
    EXPECT_EQ(Leer(Ruta("bd.bdc")), "viejo");
    EXPECT_EQ(Contenido(), std::vector<std::string>{"bd.bdc"});

    // Each killed save leaves its file; the next save removes the earlier one's.
    guardarYMorir(true);
    const std::vector<std::string> primero = Contenido();
    EXPECT_EQ(primero.size(), 2u);
    guardarYMorir(true);
    EXPECT_EQ(Contenido().size(), 2u);
    EXPECT_NE(Contenido(), primero);
    // One of a process that still runs (the one that started this test), and files of other
    // forms, stay.
    const std::string vivo = ".bd.bdc." + std::to_string(getppid()) + ".0.tmp";
    for (const std::string& nombre :
         {vivo, std::string(".bd.bdc.x.1.tmp"), std::string(".otra.bdc.999999.1.tmp")})
        Escribir(Ruta(nombre), "ajeno");
    for (bool nombrados : {true, false}) {
        FileWriter::UseNamedTemporariesForTests(nombrados);
        FileWriter w;
        ASSERT_TRUE(w.Open(Ruta("bd.bdc")));
        w.Puts("nuevo");
        EXPECT_TRUE(w.Commit()) << w.ErrorText().str();
        FileWriter::UseNamedTemporariesForTests(false);
        EXPECT_EQ(Leer(Ruta("bd.bdc")), "nuevo");
        std::vector<std::string> quedan{".bd.bdc.x.1.tmp", vivo, ".otra.bdc.999999.1.tmp",
                                        "bd.bdc"};
        std::sort(quedan.begin(), quedan.end());
        EXPECT_EQ(Contenido(), quedan);
    }
}

TEST_F(FileWriterTest, UnFalloDejaElFicheroViejoYNingunTemporal) {
    struct Caso {
        FileWriter::Failure donde;
        const char* texto;
    } casos[] = {
        {FileWriter::Failure::Write, "Error al escribir"},
        {FileWriter::Failure::Close, "Error al cerrar"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        Escribir(Ruta("bd.bdc"), "viejo");
        FileWriter::InjectFailureForTests(c.donde);
        FileWriter w;
        ASSERT_TRUE(w.Open(Ruta("bd.bdc")));
        w.Printf("%d\n", 1);
        w.Puts("nuevo");
        EXPECT_EQ(w.Ok(), c.donde != FileWriter::Failure::Write);
        EXPECT_FALSE(w.Commit());
        EXPECT_FALSE(w.Ok());
        EXPECT_EQ(w.ErrorNumber(), EIO);
        EXPECT_NE(w.ErrorText().str().find(c.texto), std::string::npos) << w.ErrorText().str();
        EXPECT_NE(w.ErrorText().str().find("bd.bdc"), std::string::npos);
        EXPECT_EQ(Leer(Ruta("bd.bdc")), "viejo");
        EXPECT_EQ(Contenido(), std::vector<std::string>{"bd.bdc"});
    }
}

TEST_F(FileWriterTest, LaInyeccionValeSoloParaElSiguienteEscritor) {
    FileWriter::InjectFailureForTests(FileWriter::Failure::Write);
    {
        FileWriter primero;
        ASSERT_TRUE(primero.Open(Ruta("a.txt")));
        primero.Puts("x");
        EXPECT_FALSE(primero.Commit());
    }
    FileWriter segundo;
    ASSERT_TRUE(segundo.Open(Ruta("b.txt")));
    segundo.Puts("y");
    EXPECT_TRUE(segundo.Commit()) << segundo.ErrorText().str();
    EXPECT_EQ(Contenido(), std::vector<std::string>{"b.txt"});
}

TEST_F(FileWriterTest, AbrirEnUnaCarpetaQueNoExisteFalla) {
    for (bool atomico : {true, false}) {
        SCOPED_TRACE(atomico ? "atómico" : "directo");
        FileWriter w;
        EXPECT_FALSE(w.Open(Ruta("no_existe/bd.bdc"), FileWriter::Mode::Text, atomico));
        EXPECT_FALSE(w.IsOpen());
        EXPECT_FALSE(w.Ok());
        EXPECT_EQ(w.ErrorNumber(), ENOENT);
        EXPECT_NE(w.ErrorText().str().find("No se puede crear"), std::string::npos);
        w.Puts("nada");
        EXPECT_FALSE(w.Commit());
        EXPECT_TRUE(Contenido().empty());
    }
}

TEST_F(FileWriterTest, SinCommitNoQuedaTemporalNiCambiaElDestino) {
    Escribir(Ruta("bd.bdc"), "viejo");
    {
        FileWriter w;
        ASSERT_TRUE(w.Open(Ruta("bd.bdc")));
        w.Puts("a medias");
    }
    EXPECT_EQ(Leer(Ruta("bd.bdc")), "viejo");
    EXPECT_EQ(Contenido(), std::vector<std::string>{"bd.bdc"});

    FileWriter w;
    ASSERT_TRUE(w.Open(Ruta("bd.bdc")));
    w.Puts("a medias");
    w.Abandon();
    EXPECT_FALSE(w.IsOpen());
    EXPECT_EQ(Leer(Ruta("bd.bdc")), "viejo");
    EXPECT_EQ(Contenido(), std::vector<std::string>{"bd.bdc"});
}

TEST_F(FileWriterTest, UnDirectoSinCommitGuardaLoEscritoAlDestruirse) {
    {
        FileWriter w;
        ASSERT_TRUE(w.Open(Ruta("log.txt"), FileWriter::Mode::Text, false));
        w.Puts("entrada\n");
    }
    EXPECT_EQ(Leer(Ruta("log.txt")), "entrada\r\n");
}

TEST_F(FileWriterTest, EscribeMasQueUnBloque) {
    std::string linea(99, 'x');
    linea += '\n';
    FileWriter w;
    ASSERT_TRUE(w.Open(Ruta("grande.txt")));
    for (int i = 0; i < 5000; ++i)
        w.Puts(linea);
    ASSERT_TRUE(w.Commit()) << w.ErrorText().str();
    std::string esperado;
    for (int i = 0; i < 5000; ++i)
        esperado += std::string(99, 'x') + "\r\n";
    EXPECT_EQ(Leer(Ruta("grande.txt")), esperado);
}

// Writes, formats and runs mixed at random over several blocks, with line ends at every
// place a block of sixteen bytes can put them: the file is the plain text with each LF as
// CR LF (binary: as it is).
TEST_F(FileWriterTest, PiezasDeTodasLasFormasComoUnTextoSeguido) {
    std::mt19937 azar(7);
    std::uniform_int_distribution<int> forma(0, 5), largo(0, 70), byte(0, 9);
    for (FileWriter::Mode modo : {FileWriter::Mode::Text, FileWriter::Mode::Binary}) {
        FileWriter w;
        ASSERT_TRUE(w.Open(Ruta("piezas.txt"), modo));
        std::string plano;
        auto pieza = [&] {
            std::string t(static_cast<size_t>(largo(azar)), 'a');
            for (char& c : t)
                c = "\n\r xyz\xe1\x01\"q"[byte(azar)];
            return t;
        };
        while (plano.size() < 300000) {
            std::string t = pieza();
            switch (forma(azar)) {
            case 0:
                w.Write(t.data(), t.size());
                plano += t;
                break;
            case 1:
                w.Printf("%s|%d\n", t.c_str(), 7);
                plano += t + "|7\n";
                break;
            case 2: {
                FileWriter::Run r(w);
                r << "lit\n" << t.c_str()[0] << '\n';
                r.Bytes(t.data(), t.size()).Text(t.c_str()) << AnsiString(t);
                plano += "lit\n" + std::string(1, t.c_str()[0]) + "\n" + t + t + t;
                break;
            }
            case 3: {
                // "%s" stops at the first zero.
                std::string conCero = t + std::string(1, '\0') + "oculto";
                FileWriter::Run r(w);
                r << AnsiString(conCero);
                r.RealG(-2.5e-8, 14, 7).RealF(1e20f, 0, 6);
                plano += t + "      -2.5e-08" + "100000002004087734272.000000";
                break;
            }
            case 4: {
                // A run longer than the buffer.
                const std::string largoTexto(100000 + static_cast<size_t>(largo(azar)), '\n');
                FileWriter::Run(w).Bytes(largoTexto.data(), largoTexto.size());
                plano += largoTexto;
                break;
            }
            default:
                w.Puts(AnsiString(t));
                plano += t;
                break;
            }
        }
        ASSERT_TRUE(w.Commit()) << w.ErrorText().str();
        std::string esperado;
        for (char c : plano) {
            if (c == '\n' && modo == FileWriter::Mode::Text) esperado += '\r';
            esperado += c;
        }
        const std::string leido = Leer(Ruta("piezas.txt"));
        EXPECT_EQ(leido.size(), esperado.size());
        EXPECT_TRUE(leido == esperado);
    }
}

// A run is one write: on a closed writer it fails as Write does, and with an injected failure
// it is the write that fails; nothing of it reaches the file.
TEST_F(FileWriterTest, UnaPiezaFallaComoUnWrite) {
    {
        FileWriter cerrado;
        FileWriter::Run(cerrado) << AnsiString() << "x";
        EXPECT_EQ(cerrado.ErrorNumber(), EBADF);
    }
    Escribir(Ruta("bd.bdc"), "viejo");
    FileWriter::InjectFailureForTests(FileWriter::Failure::Write);
    FileWriter w;
    ASSERT_TRUE(w.Open(Ruta("bd.bdc")));
    FileWriter::Run(w) << "nuevo";
    EXPECT_EQ(w.ErrorNumber(), EIO);
    w.Puts("más");
    EXPECT_FALSE(w.Commit());
    EXPECT_EQ(Leer(Ruta("bd.bdc")), "viejo");
}

TEST_F(FileWriterTest, EscribirSinAbrirEsUnError) {
    FileWriter w;
    w.Puts("x");
    EXPECT_FALSE(w.Ok());
    EXPECT_EQ(w.ErrorNumber(), EBADF);
    EXPECT_FALSE(w.Commit());
}

} // namespace
