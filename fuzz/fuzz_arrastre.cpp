// Fuzz target for what a drag from another program brings: the input is cut at its zero bytes
// into the data of the MIME types a drag may carry (plain text, rich text, a URI list, the
// program's exact text, a grid column, the program's exact Unicode text), read through the data
// object and the controls' reading of it (text, Unicode text, rich text, column, file list);
// the whole input is also read as a file-list block.

#include "controles/comun/ole_data.h"
#include "plataforma/gui/services/drag_runner.h"

#include <QMimeData>

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const tipos[] = {"text/plain", "text/rtf", "text/uri-list",
                                        "application/x-quenbar-cf-text",
                                        "application/x-quenbar-format-grid-column",
                                        "application/x-quenbar-cf-unicodetext"};
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TStringList nombres;
    ReadDropFiles(bytes, &nombres);

    QMimeData mime;
    size_t desde = 0;
    for (const char* tipo : tipos) {
        if (desde > bytes.size()) break;
        const size_t fin = std::min(bytes.find('\0', desde), bytes.size());
        mime.setData(QString::fromLatin1(tipo),
                     QByteArray::fromStdString(bytes.substr(desde, fin - desde)));
        desde = fin + 1;
    }
    _di_IDataObject objeto(NewMimeDataObject(&mime));
    for (bool conColumna : {false, true}) {
        TEnumFormats f(objeto.get(), conColumna);
        f.Text();
        f.RTF();
        f.Col();
        WideString w;
        f.WideText(w);
        if (f.HasFile()) f.SomeFiles(f.Files());
    }
    return 0;
}
