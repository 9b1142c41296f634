#include "tests/comun/pdf_prueba.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/base/files.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

std::string Comillas(const std::string& s) {
    std::string r = "'";
    for (char c : s) {
        if (c == '\'')
            r += "'\\''";
        else
            r += c;
    }
    return r + "'";
}

// The standard output of the command; empty when it fails.
std::string Salida(const std::string& orden) {
    std::string salida;
    FILE* tubo = popen((orden + " 2>/dev/null").c_str(), "r");
    if (tubo == nullptr) return salida;
    char bloque[4096];
    size_t leidos;
    while ((leidos = fread(bloque, 1, sizeof bloque, tubo)) > 0)
        salida.append(bloque, leidos);
    return pclose(tubo) == 0 ? salida : std::string();
}

} // namespace

std::string TextoPDF(const AnsiString& pdf, bool layout) {
    return cp1252::FromUtf8(Salida(std::string("pdftotext -enc UTF-8 ") +
                                   (layout ? "-layout " : "") + Comillas(NativePath(pdf)) + " -"));
}

std::string InfoPDF(const AnsiString& pdf) {
    return cp1252::FromUtf8(Salida("pdfinfo -enc UTF-8 " + Comillas(NativePath(pdf))));
}

std::string ImagenesPDF(const AnsiString& pdf) {
    return Salida("pdfimages -list " + Comillas(NativePath(pdf)));
}

std::string PaginaPNG(const AnsiString& pdf, int pagina, const std::string& nombre) {
    const char* env = std::getenv("QUENBAR_CAPTURAS");
    const std::filesystem::path carpeta = env != nullptr && *env
                                              ? std::filesystem::path(env)
                                              : std::filesystem::path(QUENBAR_CAPTURAS_PRUEBA);
    std::error_code ec;
    std::filesystem::create_directories(carpeta, ec);
    const std::string base = (carpeta / nombre).string();
    const std::string n = std::to_string(pagina);
    const std::string orden = "pdftoppm -png -r 100 -singlefile -f " + n + " -l " + n + " " +
                              Comillas(NativePath(pdf)) + " " + Comillas(base);
    if (std::system((orden + " 2>/dev/null").c_str()) != 0) return std::string();
    return std::filesystem::exists(base + ".png") ? base + ".png" : std::string();
}
