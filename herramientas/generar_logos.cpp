// Makes the three report logos of datos/Lib/ from simple shapes drawn here: "logo.jpg",
// "logoNorvia.jpg" (regional variant) and "logoDumvat.jpg" (energy-rating mode). Each is
// 800 x 360 pixels: the report places it at 0.09 points per pixel, 72 x 32.4 points in the
// header's logo box; the emblem keeps to the left half, where the header writes no titles.
//
// Usage: generar_logos <folder>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// After <cstdio>: it uses FILE and size_t without including their headers.
#include <jpeglib.h>

namespace {

constexpr int kAncho = 800, kAlto = 360;

struct Color {
    unsigned char r, g, b;
};

class Imagen {
public:
    Imagen() : pixeles(kAncho * kAlto, Color{255, 255, 255}) {}

    // Paints every pixel whose centre lies in the shape.
    void Pintar(const std::function<bool(double, double)>& dentro, Color color) {
        for (int y = 0; y < kAlto; ++y)
            for (int x = 0; x < kAncho; ++x)
                if (dentro(x + 0.5, y + 0.5)) pixeles[y * kAncho + x] = color;
    }
    void Rectangulo(double x0, double y0, double x1, double y1, Color color) {
        Pintar([=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }, color);
    }
    void Circulo(double cx, double cy, double radio, Color color) {
        Pintar([=](double x, double y) { return std::hypot(x - cx, y - cy) <= radio; }, color);
    }
    // Triangle with the given corners (any order).
    void Triangulo(double ax, double ay, double bx, double by, double cx, double cy, Color color) {
        auto lado = [](double px, double py, double qx, double qy, double x, double y) {
            return (qx - px) * (y - py) - (qy - py) * (x - px);
        };
        Pintar(
            [=](double x, double y) {
                const double d1 = lado(ax, ay, bx, by, x, y), d2 = lado(bx, by, cx, cy, x, y),
                             d3 = lado(cx, cy, ax, ay, x, y);
                return (d1 >= 0 && d2 >= 0 && d3 >= 0) || (d1 <= 0 && d2 <= 0 && d3 <= 0);
            },
            color);
    }

    bool Guardar(const std::string& ruta) const {
        FILE* f = std::fopen(ruta.c_str(), "wb");
        if (f == nullptr) return false;
        jpeg_compress_struct c;
        jpeg_error_mgr error;
        c.err = jpeg_std_error(&error);
        jpeg_create_compress(&c);
        jpeg_stdio_dest(&c, f);
        c.image_width = kAncho;
        c.image_height = kAlto;
        c.input_components = 3;
        c.in_color_space = JCS_RGB;
        jpeg_set_defaults(&c);
        jpeg_set_quality(&c, 90, TRUE);
        jpeg_start_compress(&c, TRUE);
        std::vector<JSAMPLE> fila(kAncho * 3);
        while (c.next_scanline < c.image_height) {
            const Color* p = &pixeles[c.next_scanline * kAncho];
            for (int x = 0; x < kAncho; ++x) {
                fila[3 * x] = p[x].r;
                fila[3 * x + 1] = p[x].g;
                fila[3 * x + 2] = p[x].b;
            }
            JSAMPROW puntero = fila.data();
            jpeg_write_scanlines(&c, &puntero, 1);
        }
        jpeg_finish_compress(&c);
        jpeg_destroy_compress(&c);
        return std::fclose(f) == 0;
    }

private:
    std::vector<Color> pixeles;
};

// A house under the sun, on a blue band.
Imagen Casa() {
    Imagen i;
    const Color azul{31, 78, 140}, naranja{242, 153, 36}, claro{222, 234, 246};
    i.Circulo(300, 90, 55, naranja);
    i.Triangulo(60, 170, 200, 50, 340, 170, azul);
    i.Rectangulo(90, 170, 310, 300, azul);
    i.Rectangulo(130, 200, 190, 255, claro); // ventana
    i.Rectangulo(220, 210, 270, 300, claro); // puerta
    i.Rectangulo(20, 315, 400, 335, azul);
    return i;
}

// Mountains and a river, in greens.
Imagen Montanas() {
    Imagen i;
    const Color verde{36, 120, 72}, oscuro{20, 82, 50}, blanco{255, 255, 255}, agua{70, 150, 200};
    i.Triangulo(20, 300, 160, 60, 300, 300, oscuro);
    i.Triangulo(150, 300, 270, 110, 390, 300, verde);
    i.Triangulo(130, 94, 160, 60, 190, 94, blanco); // nieve
    i.Pintar(
        [](double x, double y) {
            const double centro = 322 + 10 * std::sin(x / 30.0);
            return x >= 20 && x < 400 && std::fabs(y - centro) < 9;
        },
        agua);
    return i;
}

// An energy-rating ladder: seven bars from green to red, each longer than the one above.
Imagen Calificacion() {
    Imagen i;
    const Color colores[7] = {{0, 140, 70},  {80, 175, 60},  {170, 205, 50}, {250, 225, 0},
                              {245, 170, 0}, {235, 100, 30}, {215, 30, 40}};
    for (int k = 0; k < 7; ++k) {
        const double y0 = 22 + k * 46, y1 = y0 + 38, x1 = 150 + k * 34;
        i.Rectangulo(20, y0, x1, y1, colores[k]);
        i.Triangulo(x1, y0, x1 + 19, (y0 + y1) / 2, x1, y1, colores[k]);
    }
    return i;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "uso: %s <carpeta>\n", argv[0]);
        return 2;
    }
    const std::string carpeta = std::string(argv[1]) + "/";
    const struct {
        const char* nombre;
        Imagen imagen;
    } logos[] = {
        {"logo.jpg", Casa()}, {"logoNorvia.jpg", Montanas()}, {"logoDumvat.jpg", Calificacion()}};
    for (const auto& logo : logos)
        if (!logo.imagen.Guardar(carpeta + logo.nombre)) {
            std::fprintf(stderr, "no se pudo escribir %s%s\n", carpeta.c_str(), logo.nombre);
            return 1;
        }
    return 0;
}
