#include "tests/comun/disco_pequeno.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

// The child's answer goes through a pipe: the first byte says whether the tmpfs was mounted.
std::string Leer(int fd) {
    std::string texto;
    char bloque[512];
    for (;;) {
        const ssize_t n = ::read(fd, bloque, sizeof bloque);
        if (n > 0)
            texto.append(bloque, static_cast<size_t>(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    return texto;
}

void Escribir(int fd, const std::string& texto) {
    size_t hecho = 0;
    while (hecho < texto.size()) {
        const ssize_t n = ::write(fd, texto.data() + hecho, texto.size() - hecho);
        if (n <= 0 && errno != EINTR) return;
        if (n > 0) hecho += static_cast<size_t>(n);
    }
}

} // namespace

std::string EnDiscoPequeno(size_t bytes, bool& montado,
                           const std::function<std::string(const std::string& carpeta)>& prueba) {
    montado = false;
    std::string carpeta = "/tmp/quenbar-disco-XXXXXX";
    if (::mkdtemp(carpeta.data()) == nullptr) return "sin tmpfs";
    int tubo[2];
    if (::pipe(tubo) != 0) {
        ::rmdir(carpeta.c_str());
        return "sin tmpfs";
    }
    const pid_t hijo = ::fork();
    if (hijo == 0) {
        ::close(tubo[0]);
        const std::string opciones = "size=" + std::to_string(bytes);
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("quenbar", carpeta.c_str(), "tmpfs", 0, opciones.c_str()) != 0) {
            Escribir(tubo[1], "n");
            ::_exit(0);
        }
        std::string fallo;
        try {
            fallo = prueba(carpeta + "/");
        } catch (const std::exception& e) {
            fallo = std::string("excepción: ") + e.what();
        } catch (...) {
            fallo = "excepción";
        }
        Escribir(tubo[1], "s" + fallo);
        ::_exit(0);
    }
    ::close(tubo[1]);
    std::string respuesta = hijo > 0 ? Leer(tubo[0]) : std::string();
    ::close(tubo[0]);
    int estado = 0;
    if (hijo > 0) ::waitpid(hijo, &estado, 0);
    ::rmdir(carpeta.c_str());
    if (respuesta.empty()) return "el proceso de la prueba terminó sin responder";
    montado = respuesta[0] == 's';
    return montado ? respuesta.substr(1) : "sin tmpfs";
}

void LlenarDisco(const std::string& carpeta) {
    const int fd = ::open((carpeta + "relleno").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    const std::string bloque(4096, 'r');
    for (size_t n = bloque.size(); n > 0; n /= 2)
        while (::write(fd, bloque.data(), n) == static_cast<ssize_t>(n)) {
        }
    ::close(fd);
}
