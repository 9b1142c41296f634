#include "plataforma/pdf/pdf.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"

#include <hpdf.h>

#include <algorithm>
#include <cctype>
#include <new>
#include <string>
#include <vector>

namespace {

// The library keeps its first error in the document and refuses further work on it until
// the error is cleared: every call is followed by Limpiar, so that one failed drawing call
// (text without a font, an image that is not a JPEG) costs only itself.
void AlError(HPDF_STATUS, HPDF_STATUS, void*) {}

bool MismoTexto(const AnsiString& a, const char* b) {
    const std::string& s = a.str();
    return std::equal(s.begin(), s.end(), b, b + std::char_traits<char>::length(b),
                      [](char x, char y) {
                          return std::tolower(static_cast<unsigned char>(x)) ==
                                 std::tolower(static_cast<unsigned char>(y));
                      });
}

} // namespace

struct PDF::Estado {
    HPDF_Doc doc = nullptr;
    HPDF_Page pagina = nullptr; // la página abierta
    FileWriter fichero;
    bool abierto = false;
    AnsiString error; // lo que falló fuera del fichero; si no, el error del fichero

    struct Fuente {
        std::string nombre;
        std::string codificacion;
        HPDF_Font fuente;
    };
    std::vector<Fuente> fuentes;
    std::vector<HPDF_Image> imagenes; // null: cerrada
    int fuente = -1;
    float tamano = 0;

    void Limpiar() {
        if (HPDF_GetError(doc) != HPDF_OK) HPDF_ResetError(doc);
    }
    HPDF_Font Fuente(int i) const {
        return i >= 0 && i < static_cast<int>(fuentes.size()) ? fuentes[i].fuente : nullptr;
    }
    void AplicarFuente() {
        if (pagina == nullptr || Fuente(fuente) == nullptr || tamano <= 0) return;
        HPDF_Page_SetFontAndSize(pagina, Fuente(fuente), tamano);
        Limpiar();
    }
};

PDF::PDF() : estado_(std::make_unique<Estado>()) {
    estado_->doc = HPDF_New(AlError, nullptr);
    if (estado_->doc == nullptr) throw std::bad_alloc();
    HPDF_SetCompressionMode(estado_->doc, HPDF_COMP_ALL);
    estado_->Limpiar();
}

PDF::~PDF() {
    HPDF_Free(estado_->doc);
}

int PDF::OpenFile(const AnsiString& fichero) {
    // The temporary file beside the target proves that the folder takes the file; the
    // target itself is replaced only when the document is complete.
    estado_->error = AnsiString();
    if (fichero.IsEmpty()) {
        estado_->error = "No se ha dado el nombre del fichero";
        return -1;
    }
    if (DirectoryExists(fichero)) {
        estado_->error = "No se puede crear el fichero \"" + fichero + "\": es una carpeta";
        return -1;
    }
    if (!estado_->fichero.Open(fichero, FileWriter::Mode::Binary)) return -1;
    estado_->abierto = true;
    return 1;
}

bool PDF::Close() {
    Estado& e = *estado_;
    e.pagina = nullptr;
    if (!e.abierto) {
        e.error = "El documento no se ha abierto";
        return false;
    }
    e.abierto = false;
    if (HPDF_GetPageByIndex(e.doc, 0) == nullptr) {
        // A document without pages is not a valid file: it gets an empty page.
        e.Limpiar();
        HPDF_AddPage(e.doc);
    }
    if (HPDF_SaveToStream(e.doc) != HPDF_OK) {
        e.Limpiar();
        e.fichero.Abandon();
        e.error = "No se ha podido componer el documento";
        return false;
    }
    std::vector<HPDF_BYTE> bloque(64 * 1024);
    for (;;) {
        HPDF_UINT32 leidos = static_cast<HPDF_UINT32>(bloque.size());
        const HPDF_STATUS r = HPDF_ReadFromStream(e.doc, bloque.data(), &leidos);
        e.fichero.Write(reinterpret_cast<const char*>(bloque.data()), leidos);
        if (r == HPDF_STREAM_EOF) break;
        if (r != HPDF_OK) {
            e.Limpiar();
            e.fichero.Abandon();
            e.error = "No se ha podido componer el documento";
            return false;
        }
    }
    e.Limpiar();
    return e.fichero.Commit();
}

AnsiString PDF::ErrorText() const {
    return estado_->error.IsEmpty() ? estado_->fichero.ErrorText() : estado_->error;
}

void PDF::BeginPage(float ancho, float alto) {
    Estado& e = *estado_;
    e.pagina = HPDF_AddPage(e.doc);
    if (e.pagina != nullptr) {
        HPDF_Page_SetWidth(e.pagina, ancho);
        HPDF_Page_SetHeight(e.pagina, alto);
    }
    e.Limpiar();
    e.AplicarFuente();
}

void PDF::EndPage() {
    estado_->pagina = nullptr;
}

void PDF::ShowXY(const AnsiString& texto, float x, float y) {
    Estado& e = *estado_;
    if (e.pagina == nullptr || e.Fuente(e.fuente) == nullptr) return;
    HPDF_Page_BeginText(e.pagina);
    HPDF_Page_TextOut(e.pagina, x, y, texto.c_str());
    HPDF_Page_EndText(e.pagina);
    e.Limpiar();
}

float PDF::GetFontSize() const {
    return estado_->tamano;
}

float PDF::StringWidth(const AnsiString& texto, int fuente, float tamano) const {
    HPDF_Font f = estado_->Fuente(fuente);
    if (f == nullptr || texto.IsEmpty()) return 0;
    const HPDF_TextWidth medida =
        HPDF_Font_TextWidth(f, reinterpret_cast<const HPDF_BYTE*>(texto.c_str()),
                            static_cast<HPDF_UINT>(texto.Length()));
    estado_->Limpiar();
    // The widths come in thousandths of the font size.
    return static_cast<float>(medida.width) * tamano / 1000.0f;
}

int PDF::FindFont(const AnsiString& nombre, const AnsiString& codificacion, int /*incrustar*/) {
    Estado& e = *estado_;
    const std::string cod =
        MismoTexto(codificacion, "winansi") ? "WinAnsiEncoding" : codificacion.str();
    for (size_t i = 0; i < e.fuentes.size(); ++i)
        if (e.fuentes[i].nombre == nombre.str() && e.fuentes[i].codificacion == cod)
            return static_cast<int>(i);
    HPDF_Font f = HPDF_GetFont(e.doc, nombre.c_str(), cod.c_str());
    e.Limpiar();
    if (f == nullptr) return -1;
    e.fuentes.push_back({nombre.str(), cod, f});
    return static_cast<int>(e.fuentes.size()) - 1;
}

void PDF::SetFont(int fuente, float tamano) {
    Estado& e = *estado_;
    if (e.Fuente(fuente) == nullptr) return;
    e.fuente = fuente;
    e.tamano = tamano;
    e.AplicarFuente();
}

void PDF::SetLineWidth(float ancho) {
    Estado& e = *estado_;
    if (e.pagina == nullptr) return;
    HPDF_Page_SetLineWidth(e.pagina, ancho);
    e.Limpiar();
}

void PDF::MoveTo(float x, float y) {
    Estado& e = *estado_;
    if (e.pagina == nullptr) return;
    HPDF_Page_MoveTo(e.pagina, x, y);
    e.Limpiar();
}

void PDF::LineTo(float x, float y) {
    Estado& e = *estado_;
    if (e.pagina == nullptr) return;
    HPDF_Page_LineTo(e.pagina, x, y);
    e.Limpiar();
}

void PDF::Rect(float x, float y, float ancho, float alto) {
    Estado& e = *estado_;
    if (e.pagina == nullptr) return;
    HPDF_Page_Rectangle(e.pagina, x, y, ancho, alto);
    e.Limpiar();
}

void PDF::Stroke() {
    Estado& e = *estado_;
    if (e.pagina == nullptr) return;
    HPDF_Page_Stroke(e.pagina);
    e.Limpiar();
}

int PDF::OpenJPEG(const AnsiString& fichero) {
    Estado& e = *estado_;
    if (!FileExists(fichero)) return -1;
    HPDF_Image imagen = HPDF_LoadJpegImageFromFile(e.doc, NativePath(fichero).c_str());
    e.Limpiar();
    if (imagen == nullptr) return -1;
    e.imagenes.push_back(imagen);
    return static_cast<int>(e.imagenes.size()) - 1;
}

void PDF::PlaceImage(int imagen, float x, float y, float escala) {
    Estado& e = *estado_;
    if (e.pagina == nullptr || imagen < 0 || imagen >= static_cast<int>(e.imagenes.size()) ||
        e.imagenes[imagen] == nullptr)
        return;
    HPDF_Image i = e.imagenes[imagen];
    const float ancho = static_cast<float>(HPDF_Image_GetWidth(i)) * escala;
    const float alto = static_cast<float>(HPDF_Image_GetHeight(i)) * escala;
    HPDF_Page_DrawImage(e.pagina, i, x, y, ancho, alto);
    e.Limpiar();
}

void PDF::CloseImage(int imagen) {
    // The image stays in the document (pages that placed it still show it); only the handle
    // is given up.
    Estado& e = *estado_;
    if (imagen >= 0 && imagen < static_cast<int>(e.imagenes.size())) e.imagenes[imagen] = nullptr;
}

void PDF::SetInfo(const AnsiString& clave, const AnsiString& valor) {
    static const struct {
        const char* clave;
        HPDF_InfoType tipo;
    } claves[] = {{"Author", HPDF_INFO_AUTHOR},
                  {"Creator", HPDF_INFO_CREATOR},
                  {"Title", HPDF_INFO_TITLE},
                  {"Subject", HPDF_INFO_SUBJECT},
                  {"Keywords", HPDF_INFO_KEYWORDS}};
    for (const auto& c : claves)
        if (clave.str() == c.clave) {
            HPDF_SetInfoAttr(estado_->doc, c.tipo, valor.c_str());
            estado_->Limpiar();
        }
}
