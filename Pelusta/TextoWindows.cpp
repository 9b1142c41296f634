#include "Pelusta/TextoWindows.h"

std::string LeerComoTextoWindows(std::string_view bytes) {
    const size_t finTexto = bytes.find('\x1A');
    if (finTexto != std::string_view::npos) bytes = bytes.substr(0, finTexto);
    std::string texto;
    texto.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        texto += bytes[i];
    }
    return texto;
}
