#include "tests/comun/pdf_prueba.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/base/files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

// After <cstdio>: it uses FILE and size_t without including their headers.
#include <jpeglib.h>

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

std::vector<std::string> LineasPDF(const AnsiString& pdf) {
    std::vector<std::string> lineas;
    std::istringstream entrada(TextoPDF(pdf, true));
    for (std::string linea; std::getline(entrada, linea);) {
        if (!linea.empty() && linea[0] == '\f') {
            lineas.push_back("<página>");
            linea.erase(0, 1);
        }
        std::istringstream palabras(linea);
        std::string limpia;
        for (std::string p; palabras >> p;)
            limpia += (limpia.empty() ? "" : " ") + p;
        if (!limpia.empty()) lineas.push_back(limpia);
    }
    return lineas;
}

std::string InfoPDF(const AnsiString& pdf) {
    return cp1252::FromUtf8(Salida("pdfinfo -enc UTF-8 " + Comillas(NativePath(pdf))));
}

std::string FuentesPDF(const AnsiString& pdf) {
    return Salida("pdffonts " + Comillas(NativePath(pdf)));
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

namespace {

// The value of an attribute of the tag that starts at inicio.
double Atributo(const std::string& html, size_t inicio, const std::string& nombre) {
    const size_t p = html.find(nombre + "=\"", inicio);
    return p == std::string::npos ? 0 : std::strtod(html.c_str() + p + nombre.size() + 2, nullptr);
}

std::string SinEntidades(std::string s) {
    const std::pair<const char*, const char*> entidades[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entidad, caracter] : entidades)
        for (size_t p = 0; (p = s.find(entidad, p)) != std::string::npos; p += 1)
            s.replace(p, std::char_traits<char>::length(entidad), caracter);
    return s;
}

} // namespace

std::vector<PalabraPDF> PalabrasPDF(const AnsiString& pdf) {
    const std::string html =
        cp1252::FromUtf8(Salida("pdftotext -enc UTF-8 -bbox " + Comillas(NativePath(pdf)) + " -"));
    std::vector<PalabraPDF> palabras;
    int pagina = 0;
    size_t p = 0;
    while (true) {
        const size_t pag = html.find("<page ", p), pal = html.find("<word ", p);
        if (pal == std::string::npos) break;
        if (pag != std::string::npos && pag < pal) {
            ++pagina;
            p = pag + 1;
            continue;
        }
        const size_t texto = html.find('>', pal) + 1, fin = html.find("</word>", texto);
        if (fin == std::string::npos) break;
        palabras.push_back({SinEntidades(html.substr(texto, fin - texto)), pagina,
                            Atributo(html, pal, "xMin"), Atributo(html, pal, "yMin"),
                            Atributo(html, pal, "xMax"), Atributo(html, pal, "yMax")});
        p = fin;
    }
    return palabras;
}

const PalabraPDF* BuscarPalabra(const std::vector<PalabraPDF>& palabras, const std::string& texto,
                                int pagina) {
    for (const PalabraPDF& p : palabras)
        if (p.texto == texto && (pagina == 0 || p.pagina == pagina)) return &p;
    return nullptr;
}

void EscribirJPEG(const AnsiString& ruta, int ancho, int alto, int densidad) {
    FILE* f = std::fopen(NativePath(ruta).c_str(), "wb");
    if (f == nullptr) throw std::runtime_error("no se puede escribir " + ruta.str());
    jpeg_compress_struct c;
    jpeg_error_mgr error;
    c.err = jpeg_std_error(&error);
    jpeg_create_compress(&c);
    jpeg_stdio_dest(&c, f);
    c.image_width = ancho;
    c.image_height = alto;
    c.input_components = 1;
    c.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&c);
    c.density_unit = 1;
    c.X_density = c.Y_density = static_cast<UINT16>(densidad);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> fila(ancho);
    for (int x = 0; x < ancho; ++x)
        fila[x] = static_cast<JSAMPLE>(x * 255 / ancho);
    while (c.next_scanline < c.image_height) {
        JSAMPROW p = fila.data();
        jpeg_write_scanlines(&c, &p, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::fclose(f);
}

PaginaGris PaginaEnGris(const AnsiString& pdf, int pagina) {
    const std::string n = std::to_string(pagina);
    const std::string pgm = Salida("pdftoppm -gray -r 72 -aa no -aaVector no -f " + n + " -l " + n +
                                   " " + Comillas(NativePath(pdf)));
    PaginaGris pagina_;
    // P5 <ancho> <alto> 255 <bytes>
    std::istringstream cabecera(pgm);
    std::string magia;
    int maximo = 0;
    cabecera >> magia >> pagina_.ancho >> pagina_.alto >> maximo;
    if (magia != "P5" || maximo != 255 || pagina_.ancho <= 0 || pagina_.alto <= 0) return {};
    const size_t inicio = static_cast<size_t>(cabecera.tellg()) + 1;
    const size_t total = static_cast<size_t>(pagina_.ancho) * pagina_.alto;
    if (pgm.size() < inicio + total) return {};
    pagina_.pixeles.assign(pgm.begin() + inicio, pgm.begin() + inicio + total);
    return pagina_;
}

int PaginaGris::Oscuro(double x, double y, int r) const {
    const int cx = static_cast<int>(x), cy = static_cast<int>(alto - y);
    int oscuro = 255;
    for (int py = cy - r; py <= cy + r; ++py)
        for (int px = cx - r; px <= cx + r; ++px)
            if (px >= 0 && py >= 0 && px < ancho && py < alto)
                oscuro = std::min(oscuro, static_cast<int>(pixeles[py * ancho + px]));
    return oscuro;
}
