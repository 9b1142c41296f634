#include "Pelusta/inspector.h"

#include "Pelusta/TextoWindows.h"
#include "Pelusta/md5.h"
#include "plataforma/base/files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>

namespace {

// Cierra el descriptor al salir, pase lo que pase.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

} // namespace

inspector::inspector(const TablaCodigos& tabla) : tabla_(tabla) {}

AnsiString inspector::DigestoFichero(const AnsiString& ruta) {
    Descriptor fichero(::open(NativePath(ruta).c_str(), O_RDONLY | O_CLOEXEC));
    if (fichero.Get() < 0) return AnsiString();
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(fichero.Get(), 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    // Un solo búfer por resumen, sea cual sea el tamaño del fichero.
    std::unique_ptr<unsigned char[]> bloque(new unsigned char[kBloqueLectura]);
    Md5 md5;
    for (;;) {
        ssize_t leidos = ::read(fichero.Get(), bloque.get(), kBloqueLectura);
        if (leidos < 0) {
            if (errno == EINTR) continue;
            return AnsiString();
        }
        if (leidos == 0) break;
        md5.Anadir(bloque.get(), static_cast<size_t>(leidos));
    }
    return Md5::Hexadecimal(md5.Terminar());
}

AnsiString inspector::DigestoTexto(const AnsiString& texto) {
    return Md5::Hexadecimal(Md5::De(texto.c_str(), static_cast<size_t>(texto.Length())));
}

AnsiString inspector::Codificar(const AnsiString& texto) const {
    if (!tabla_.Disponible()) return AnsiString();
    // Las cuatro cifras de un byte b (0 a 255) son "0", b / 100 y b % 100 en dos cifras:
    // sus dos pares eligen las posiciones b / 100 y b % 100 de la tabla.
    std::string sustituido;
    sustituido.reserve(static_cast<size_t>(texto.Length()) * 2);
    for (char c : texto.str()) {
        const int byte = static_cast<unsigned char>(c);
        sustituido += tabla_.Sustituto(byte / 100);
        sustituido += tabla_.Sustituto(byte % 100);
    }
    return DigestoTexto(AnsiString(std::move(sustituido)));
}

AnsiString inspector::DigestoDatos(const AnsiString& ruta) {
    std::string bytes;
    if (!ReadWholeFile(ruta, bytes)) return AnsiString();
    std::string texto = LeerComoTextoWindows(bytes);
    // Los programas que escriben los códigos descartan los bytes 255 al leer.
    std::erase(texto, static_cast<char>(0xFF));

    static const std::string kInicio = "$          Datos Generales";
    static const std::string kFin = "$      Fin del Fichero de Datos";
    const size_t inicio = texto.find(kInicio);
    const size_t fin = texto.find(kFin);
    std::string seccion;
    if (fin != std::string::npos) {
        if (inicio == std::string::npos)
            // Sin marca de inicio, los programas que escriben los códigos toman el texto
            // hasta la posición de la marca de fin contada desde 1: su "$" entra.
            seccion = texto.substr(0, fin + 1);
        else if (inicio <= fin)
            seccion = texto.substr(inicio, fin - inicio);
    }
    return DigestoTexto(AnsiString(std::move(seccion)));
}
