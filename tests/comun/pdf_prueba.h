#pragma once
// Reading back the PDF files that a test wrote, with the poppler tools: their text (in
// Windows-1252, as the program's literals), their information and a page rendered to PNG.

#include "plataforma/base/ansi_string.h"

#include <string>

// The text of the file (pdftotext); with layout, the words keep their places on each line.
// Pages are separated by a form feed. Empty when the tool fails.
std::string TextoPDF(const AnsiString& pdf, bool layout = false);
// pdfinfo's report ("Pages:", "Page size:", "Author:"...).
std::string InfoPDF(const AnsiString& pdf);
// The images placed on each page (pdfimages -list).
std::string ImagenesPDF(const AnsiString& pdf);
// Renders one page (from 1) at 100 dots per inch into capturas/<nombre>.png in the build
// tree and returns the PNG's path, or "" when the tool failed.
std::string PaginaPNG(const AnsiString& pdf, int pagina, const std::string& nombre);
