#pragma once
// Reading back the PDF files that a test wrote, with the poppler tools: their text (in
// Windows-1252, as the program's literals), their information and a page rendered to PNG.

#include "plataforma/base/ansi_string.h"

#include <string>
#include <vector>

// The text of the file (pdftotext); with layout, the words keep their places on each line.
// Pages are separated by a form feed. Empty when the tool fails.
std::string TextoPDF(const AnsiString& pdf, bool layout = false);
// The lines of the text laid out (pdftotext -layout) with runs of blanks made one and no
// blanks at their ends; empty lines left out, and a line "<página>" where a page begins
// (from the second on).
std::vector<std::string> LineasPDF(const AnsiString& pdf);
// pdfinfo's report ("Pages:", "Page size:", "Author:"...).
std::string InfoPDF(const AnsiString& pdf);
// The fonts the file uses (pdffonts: name, type, embedded...).
std::string FuentesPDF(const AnsiString& pdf);
// The images placed on each page (pdfimages -list).
std::string ImagenesPDF(const AnsiString& pdf);
// Renders one page (from 1) at 100 dots per inch into capturas/<nombre>.png in the build
// tree and returns the PNG's path, or "" when the tool failed.
std::string PaginaPNG(const AnsiString& pdf, int pagina, const std::string& nombre);

// One page (from 1) rendered in grey at 72 dots per inch without smoothing: one pixel per
// point, row 0 at the top of the page. Empty when the tool failed.
struct PaginaGris {
    int ancho = 0, alto = 0;
    std::vector<unsigned char> pixeles;
    // The darkest pixel of the square of side 2r + 1 around the point (x, y) of the page,
    // measured in points from its bottom left as the document does; 255 outside the page.
    int Oscuro(double x, double y, int r = 1) const;
};
PaginaGris PaginaEnGris(const AnsiString& pdf, int pagina);

// The words of every page with their boxes in points, from the top left of the page
// (pdftotext -bbox); pages from 1.
struct PalabraPDF {
    std::string texto;
    int pagina;
    double xMin, yMin, xMax, yMax;
};
std::vector<PalabraPDF> PalabrasPDF(const AnsiString& pdf);
// The first word with that text (on that page, or on any with 0); nullptr when none.
const PalabraPDF* BuscarPalabra(const std::vector<PalabraPDF>& palabras, const std::string& texto,
                                int pagina = 0);

// A JPEG of that size (a grey gradient) stating that density in dots per inch.
void EscribirJPEG(const AnsiString& ruta, int ancho, int alto, int densidad = 72);
