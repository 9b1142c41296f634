#include "plataforma/base/cp1252.h"
#include "plataforma/base/files.h"
#include "plataforma/base/user_file_names.h"

#include "tests/comun/carpeta_temporal.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

// Goes back to the folder the test started in, whatever happens in between.
class VueltaALaCarpeta {
public:
    VueltaALaCarpeta() : anterior_(GetCurrentDir()) {}
    ~VueltaALaCarpeta() { SetCurrentDir(anterior_); }

private:
    AnsiString anterior_;
};

std::string Utf8(const AnsiString& cp) {
    return cp1252::ToUtf8(cp.str());
}

} // namespace

TEST(Ficheros, RutasQueNoExistenSoloCambianLaBarra) {
    struct Caso {
        const char* ruta;
        const char* nativa;
    } casos[] = {
        {"", ""},
        {"C:\\Datos\\Base.BDC", "C:/Datos/Base.BDC"},
        {"c:\\x", "c:/x"},
        {"/no/existe\\Nada.txt", "/no/existe/Nada.txt"},
        {"relativa\\NO_EXISTE.txt", "relativa/NO_EXISTE.txt"},
        {"/tmp\\..\\tmp\\NO_EXISTE", "/tmp/../tmp/NO_EXISTE"},
        {"/NO_EXISTE/", "/NO_EXISTE/"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(NativePath(c.ruta), c.nativa) << c.ruta;
    EXPECT_EQ(NativePath("/Año\\Ñ"), "/A\xC3\xB1o/\xC3\x91");
    EXPECT_EQ(FromNativePath("/A\xC3\xB1o/\xC3\x91"), "/Año/Ñ");
}

TEST(Ficheros, SeEncuentranSinMirarMayusculas) {
    CarpetaTemporal carpeta;
    const AnsiString r = carpeta.Ruta();
    carpeta.Fichero("BdCatalogo.bdc", "raiz");
    carpeta.Fichero("Sub/BdCatalogo.bdc", "sub");

    struct Caso {
        const char* pedida;
        const char* encontrada;
    } casos[] = {
        {"BdCatalogo.bdc", "BdCatalogo.bdc"},
        {"BDCATALOGO.BDC", "BdCatalogo.bdc"},
        {"bdcatalogo.bdc", "BdCatalogo.bdc"},
        {"Sub\\BdCatalogo.bdc", "Sub/BdCatalogo.bdc"},
        {"sub\\bdcatalogo.BDC", "Sub/BdCatalogo.bdc"},
        {"SUB/BDCATALOGO.BDC", "Sub/BdCatalogo.bdc"},
        {"sub\\", "Sub/"},
        {"sub\\Nuevo.txt", "Sub/Nuevo.txt"},    // a file about to be created keeps its name
        {"OTRA\\sub\\x.txt", "OTRA/sub/x.txt"}, // past a missing folder nothing is matched
        {"sub\\.\\..\\SUB\\bdcatalogo.bdc", "Sub/./../Sub/BdCatalogo.bdc"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(NativePath(r + c.pedida), r.str() + c.encontrada) << c.pedida;

    EXPECT_TRUE(FileExists(r + "SUB\\bdcatalogo.BDC"));
    std::string contenido;
    ASSERT_TRUE(ReadWholeFile(r + "sub\\BDCATALOGO.bdc", contenido));
    EXPECT_EQ(contenido, "sub");

    // Relative paths start from the current folder.
    VueltaALaCarpeta vuelta;
    ASSERT_TRUE(SetCurrentDir(r + "SUB"));
    EXPECT_EQ(GetCurrentDir(), r + "Sub/");
    EXPECT_EQ(NativePath("BDCATALOGO.BDC"), "BdCatalogo.bdc");
    EXPECT_EQ(NativePath("..\\SUB\\bdcatalogo.BDC"), "../Sub/BdCatalogo.bdc");
    EXPECT_TRUE(FileExists("bdCatalogo.bdc"));
}

// What a message shows: one kind of separator, the case found on disk, the Windows-1252
// text of the program (an accent stays one byte).
TEST(Ficheros, LaRutaQueSeMuestraEsLaDelSistema) {
    CarpetaTemporal carpeta;
    carpeta.Fichero("Lib/TablaCodigos.dat", "x");
    const AnsiString r = carpeta.Ruta();
    const struct {
        AnsiString ruta;
        AnsiString mostrada;
    } casos[] = {
        {r + "Lib\\TablaCodigos.dat", r + "Lib/TablaCodigos.dat"},
        {r + "LIB\\tablacodigos.DAT", r + "Lib/TablaCodigos.dat"},
        {r + "Lib\\Falta\\Año.dat", r + "Lib/Falta/Año.dat"},
        {"C:\\obras\\casa.cte", "C:/obras/casa.cte"},
        {"", ""},
    };
    for (const auto& c : casos)
        EXPECT_EQ(DisplayPath(c.ruta), c.mostrada) << c.ruta.c_str();
}

TEST(Ficheros, ConVariasCoincidenciasGanaSiempreLaMisma) {
    CarpetaTemporal carpeta;
    carpeta.Fichero("a.txt", "minúscula");
    carpeta.Fichero("A.TXT", "mayúscula");
    EXPECT_EQ(NativePath(carpeta.Ruta() + "a.Txt"), carpeta.Ruta().str() + "A.TXT");
    EXPECT_EQ(NativePath(carpeta.Ruta() + "a.txt"), carpeta.Ruta().str() + "a.txt");
}

TEST(Ficheros, NombresConAcentosVanYVuelven) {
    CarpetaTemporal carpeta;
    const AnsiString nombre = "Información ñandú €.txt";
    AnsiString ruta = carpeta.Fichero(nombre, "x");
    // On disk the name is UTF-8.
    EXPECT_EQ(NativePath(ruta), carpeta.Ruta().str() + Utf8(nombre));
    EXPECT_TRUE(FileExists(ruta));
    EXPECT_TRUE(FileExists(carpeta.Ruta() + "INFORMACIÓN ÑANDÚ €.TXT"));
    EXPECT_FALSE(FileExists(carpeta.Ruta() + "informacion nandu €.txt")); // accents count
    EXPECT_EQ(FromNativePath(NativePath(ruta)), ruta);
    EXPECT_EQ(ExtractFileName(FromNativePath(NativePath(ruta))), nombre);

    // A name that Windows-1252 cannot hold matches no component of the program's paths.
    std::string raro = carpeta.Ruta().str() + "\xE4\xB8\xAD.txt";
    FILE* f = std::fopen(raro.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_EQ(NativePath(carpeta.Ruta() + "?.TXT"), carpeta.Ruta().str() + "?.TXT");
}

TEST(Ficheros, ExistenciaCarpetasYBorrado) {
    CarpetaTemporal carpeta;
    const AnsiString r = carpeta.Ruta();
    AnsiString fichero = carpeta.Fichero("f.dat", "1");
    EXPECT_TRUE(FileExists(fichero));
    EXPECT_FALSE(FileExists(r));
    EXPECT_FALSE(FileExists(r + "nada.dat"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(DirectoryExists(r));
    EXPECT_FALSE(DirectoryExists(fichero));
    EXPECT_FALSE(DirectoryExists(""));

    EXPECT_TRUE(ForceDirectories(r + "uno\\Dos\\tres\\"));
    EXPECT_TRUE(DirectoryExists(r + "UNO\\dos\\TRES"));
    EXPECT_TRUE(ForceDirectories(r + "UNO\\DOS\\cuatro")); // grows the folder that is there
    EXPECT_TRUE(DirectoryExists(r + "uno/Dos/cuatro"));
    EXPECT_FALSE(ForceDirectories(r + "f.dat\\dentro")); // a file is in the way
    EXPECT_FALSE(ForceDirectories(""));

    EXPECT_FALSE(DeleteFile(r + "uno")); // not a file
    EXPECT_TRUE(DeleteFile(r + "F.DAT"));
    EXPECT_FALSE(FileExists(fichero));
    EXPECT_FALSE(DeleteFile(fichero));
}

TEST(Ficheros, LeerFicheroEntero) {
    CarpetaTemporal carpeta;
    std::string contenido = "sin tocar";
    EXPECT_FALSE(ReadWholeFile(carpeta.Ruta() + "no_existe", contenido));
    EXPECT_EQ(contenido, "sin tocar");
    EXPECT_FALSE(ReadWholeFile(carpeta.Ruta(), contenido)); // a folder
    EXPECT_FALSE(ReadWholeFile("", contenido));
    EXPECT_EQ(contenido, "sin tocar");

    ASSERT_TRUE(ReadWholeFile(carpeta.Fichero("vacio", ""), contenido));
    EXPECT_EQ(contenido, "");

    std::string binario;
    for (int i = 0; i < 3 * 1024 * 1024 + 7; ++i)
        binario += static_cast<char>((i * 131) & 0xFF);
    ASSERT_TRUE(ReadWholeFile(carpeta.Fichero("binario", binario), contenido));
    EXPECT_EQ(contenido, binario);

    // Files that say they are empty but are not are read to their end.
    ASSERT_TRUE(ReadWholeFile("/proc/self/status", contenido));
    EXPECT_NE(contenido.find("Name:"), std::string::npos);
}

TEST(Ficheros, PartesDeUnaRuta) {
    struct Caso {
        const char* ruta;
        const char* carpeta;
        const char* nombre;
    } casos[] = {
        {"C:\\dir\\file.bdc", "C:\\dir\\", "file.bdc"},
        {"/home/u/a.txt", "/home/u/", "a.txt"},
        {"mezcla/de\\barras.x", "mezcla/de\\", "barras.x"},
        {"solo.txt", "", "solo.txt"},
        {"dir\\", "dir\\", ""},
        {"", "", ""},
        {"C:\\my.dir\\file", "C:\\my.dir\\", "file"},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(ExtractFilePath(c.ruta), c.carpeta) << c.ruta;
        EXPECT_EQ(ExtractFileName(c.ruta), c.nombre) << c.ruta;
    }
}

TEST(Ficheros, CarpetaDelEjecutableYCarpetaActual) {
    AnsiString exe = GetExecutableDir();
    ASSERT_FALSE(exe.IsEmpty());
    EXPECT_EQ(exe[1], '/');
    EXPECT_EQ(exe[exe.Length()], '/');
    EXPECT_TRUE(FileExists(exe + program_invocation_short_name));

    CarpetaTemporal carpeta;
    VueltaALaCarpeta vuelta;
    ASSERT_TRUE(SetCurrentDir(carpeta.Ruta()));
    EXPECT_EQ(GetCurrentDir(), carpeta.Ruta());
    EXPECT_FALSE(SetCurrentDir(carpeta.Ruta() + "no_existe"));
    EXPECT_FALSE(SetCurrentDir(""));
    EXPECT_EQ(GetCurrentDir(), carpeta.Ruta());
}

// A name that the user gave passes into a program path only when it comes back whole: a
// character outside Windows-1252 or a "\" would reach another file ("base_?.bdc", "x/y.bdc").
// The message that refuses it names it, the characters it cannot hold by their number.
TEST(Ficheros, UnNombreQueNoCabeEnLasRutasDelProgramaSeRechazaNombrandolo) {
    struct Caso {
        std::string nativa;
        bool pasa;
        const char* enElMensaje;
    } casos[] = {
        {"/obras/Energ\xC3\xAD"
         "a \xE2\x82\xAC.bdc",
         true, nullptr},
        {"/obras/base_\xCE\xA9.bdc", false, "\"/obras/base_{U+03A9}.bdc\""},
        {"/obras/\xD0\x96\xE6\x9D\xB1.bdc", false, "\"/obras/{U+0416}{U+6771}.bdc\""},
        {"/obras/x\\y.bdc", false, "\"/obras/x{U+005C}y.bdc\""},
        {"/obras/mal\xFF.bdc", false, "\"/obras/mal{0xFF}.bdc\""},
        {"/obras/corto\xC3", false, "\"/obras/corto{0xC3}\""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nativa);
        AnsiString ruta = "sin tocar";
        EXPECT_EQ(ProgramPathFromNative(c.nativa, ruta), c.pasa);
        if (c.pasa) {
            EXPECT_EQ(NativePath(ruta), c.nativa);
            continue;
        }
        EXPECT_EQ(ruta, "sin tocar");
        const std::string mensaje = UnusableNameMessage(c.nativa).str();
        EXPECT_NE(mensaje.find(c.enElMensaje), std::string::npos) << mensaje;
        EXPECT_NE(mensaje.find("no se puede usar"), std::string::npos) << mensaje;
    }
}
