// MD5 frente a los casos de la RFC 1321 y a resúmenes conocidos, entero y a trozos, y el
// resumen de ficheros leídos en bloques de 2 MB.

#include "Pelusta/inspector.h"
#include "Pelusta/md5.h"
#include "tests/Pelusta/GeneradorProyectos.h"
#include "tests/comun/carpeta_temporal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace {

std::string Mayusculas(std::string texto) {
    std::transform(texto.begin(), texto.end(), texto.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return texto;
}

struct CasoMd5 {
    std::string mensaje;
    const char* digesto;
};

// Los siete mensajes de la RFC 1321 y mensajes de "a" cuyo largo cae a ambos lados de los
// límites del relleno (56 bytes) y del bloque (64 bytes).
const CasoMd5 kCasos[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
    {std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
    {std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
    {std::string(57, 'a'), "652b906d60af96844ebd21b674f35e93"},
    {std::string(63, 'a'), "b06521f39153d618550606be297466d5"},
    {std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
    {std::string(65, 'a'), "c743a45e0d2e6a95cb859adae0248435"},
    {std::string(119, 'a'), "8a7bd0732ed6a28ce75f6dabc90e1613"},
    {std::string(120, 'a'), "5f61c0ccad4cac44c75ff505e1f1e537"},
    {std::string(1000000, 'a'), "7707d6ae4e027c70eea2a935c2296f21"},
};

TEST(Md5, ResumenesConocidosEnMayusculas) {
    for (const CasoMd5& caso : kCasos) {
        SCOPED_TRACE("largo " + std::to_string(caso.mensaje.size()));
        EXPECT_EQ(inspector::DigestoTexto(AnsiString(caso.mensaje)).str(),
                  Mayusculas(caso.digesto));
    }
}

TEST(Md5, ATrozosDaLoMismoQueEntero) {
    // Trozos de 1, 3, 63, 64 y 65 bytes cruzan el búfer pendiente de todas las maneras.
    for (const CasoMd5& caso : kCasos) {
        for (size_t trozo : {size_t(1), size_t(3), size_t(63), size_t(64), size_t(65)}) {
            SCOPED_TRACE("largo " + std::to_string(caso.mensaje.size()) + ", trozos de " +
                         std::to_string(trozo));
            Md5 md5;
            for (size_t i = 0; i < caso.mensaje.size(); i += trozo)
                md5.Anadir(caso.mensaje.data() + i, std::min(trozo, caso.mensaje.size() - i));
            EXPECT_EQ(Md5::Hexadecimal(md5.Terminar()).str(), Mayusculas(caso.digesto));
        }
    }
}

TEST(Md5, TerminarDejaElObjetoListoParaOtroMensaje) {
    Md5 md5;
    md5.Anadir("basura", 6);
    md5.Terminar();
    md5.Anadir("abc", 3);
    EXPECT_EQ(Md5::Hexadecimal(md5.Terminar()).str(), "900150983CD24FB0D6963F7D28E17F72");
}

TEST(DigestoFichero, FicheroDeVariosBloquesYFicheroQueFalta) {
    CarpetaTemporal carpeta;
    // Dos bloques de lectura enteros y un resto.
    std::string datos(2 * inspector::kBloqueLectura + 123, '\0');
    for (size_t i = 0; i < datos.size(); ++i)
        datos[i] = static_cast<char>((i * 31) % 251);
    EscribirBytes(carpeta.Ruta().str() + "grande.res", datos);
    EscribirBytes(carpeta.Ruta().str() + "vacio.res", "");

    EXPECT_EQ(inspector::DigestoFichero(AnsiString(carpeta.Ruta().str() + "grande.res")).str(),
              "F80EC867055EAAAE853A0CF846BDC5C3");
    EXPECT_EQ(inspector::DigestoFichero(AnsiString(carpeta.Ruta().str() + "vacio.res")).str(),
              "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_TRUE(
        inspector::DigestoFichero(AnsiString(carpeta.Ruta().str() + "no_esta.res")).IsEmpty());
    // Una carpeta no es un fichero que se pueda resumir.
    EXPECT_TRUE(inspector::DigestoFichero(AnsiString(carpeta.Ruta().str())).IsEmpty());
}

} // namespace
