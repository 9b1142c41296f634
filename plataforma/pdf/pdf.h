#pragma once
// PDF: one PDF document, written by the reports through one method per drawing call. Points
// are 1/72 inch with the origin at the bottom left of the page. Texts are Windows-1252 bytes;
// the standard fonts "Helvetica" and "Helvetica-Bold" in the "winansi" encoding show them
// unchanged.
//
// The document is built in memory and written when it is closed; OpenFile already makes
// sure that the file can be created, so that a report learns at once that it cannot be
// written. Closing with a page still open completes that page.

#include "plataforma/base/ansi_string.h"

#include <memory>

class PDF {
public:
    PDF();
    ~PDF();
    PDF(const PDF&) = delete;
    PDF& operator=(const PDF&) = delete;

    // -1 when the file cannot be created (its folder is missing or not writable, or the
    // name is a folder); 1 otherwise. The file takes the document's place when it is closed.
    int OpenFile(const AnsiString& fichero);
    // Completes an open page and writes the file. False when the document was not opened or
    // the file could not be written (the old file, if any, is left as it was).
    bool Close();
    // Why the last OpenFile or Close failed, in Spanish, with the system's reason (a missing
    // folder, no permission, a full disk); empty when it did not fail.
    AnsiString ErrorText() const;

    void BeginPage(float ancho, float alto);
    void EndPage();

    // Text at its baseline, in the current font and size. Nothing without a page or font.
    void ShowXY(const AnsiString& texto, float x, float y);
    float GetFontSize() const;
    // Width of the text in that font and size; 0 for an unknown font.
    float StringWidth(const AnsiString& texto, int fuente, float tamano) const;
    // A font handle (0 or more), or -1 when the font or encoding is unknown. The standard
    // fonts are never embedded, whatever the flag.
    int FindFont(const AnsiString& nombre, const AnsiString& codificacion, int incrustar);
    void SetFont(int fuente, float tamano);

    void SetLineWidth(float ancho);
    void MoveTo(float x, float y);
    void LineTo(float x, float y);
    void Rect(float x, float y, float ancho, float alto);
    void Stroke();

    // An image handle (0 or more), or -1 when the file is missing or is not a JPEG image.
    int OpenJPEG(const AnsiString& fichero);
    // The lower left corner at (x, y); each pixel measures scale points, whatever density
    // the file states.
    void PlaceImage(int imagen, float x, float y, float escala);
    void CloseImage(int imagen);

    // "Author", "Creator", "Title", "Subject" or "Keywords"; other keys are ignored.
    void SetInfo(const AnsiString& clave, const AnsiString& valor);

private:
    struct Estado;
    std::unique_ptr<Estado> estado_;
};
