#include "plataforma/base/files.h"

#include "plataforma/base/cp1252.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool Existe(const std::string& ruta) {
    struct stat st;
    return ::lstat(ruta.c_str(), &st) == 0;
}

bool EsLetraDeUnidad(const std::string& ruta) {
    return ruta.size() >= 2 && ruta[1] == ':' &&
           ((ruta[0] >= 'A' && ruta[0] <= 'Z') || (ruta[0] >= 'a' && ruta[0] <= 'z'));
}

std::string Mayusculas(const std::string& cp) {
    return AnsiUpperCase(AnsiString(cp)).str();
}

// The entry of the folder whose name equals the component without regard to case (both
// compared in their Windows-1252 form); empty when none. Names that Windows-1252 cannot
// hold never match. Among several matches the smallest name wins, so the answer does not
// depend on the order the folder lists them in.
std::string EntradaSinCaja(const std::string& carpeta, const std::string& componente) {
    DIR* dir = ::opendir(carpeta.empty() ? "." : carpeta.c_str());
    if (!dir) return std::string();
    const std::string buscado = Mayusculas(cp1252::FromUtf8(componente));
    std::string elegido;
    while (dirent* e = ::readdir(dir)) {
        std::string nombre = e->d_name;
        if (nombre == "." || nombre == "..") continue;
        std::string cp = cp1252::FromUtf8(nombre);
        if (cp1252::ToUtf8(cp) != nombre) continue;
        if (Mayusculas(cp) == buscado && (elegido.empty() || nombre < elegido)) elegido = nombre;
    }
    ::closedir(dir);
    return elegido;
}

// Matches each component from the root (or the current folder) without regard to case; from
// the first component that matches nothing on, the given spelling stays.
std::string ResolverSinCaja(const std::string& ruta) {
    std::vector<std::string> componentes;
    size_t i = 0;
    while (i <= ruta.size()) {
        size_t fin = ruta.find('/', i);
        if (fin == std::string::npos) fin = ruta.size();
        if (fin > i) componentes.push_back(ruta.substr(i, fin - i));
        i = fin + 1;
    }
    const bool absoluta = ruta[0] == '/';
    const bool barraFinal = ruta.back() == '/';
    std::string resultado = absoluta ? "/" : "";
    bool perdida = false;
    for (size_t k = 0; k < componentes.size(); ++k) {
        const std::string& c = componentes[k];
        std::string carpeta = resultado;
        std::string siguiente = resultado + c;
        if (!perdida && c != "." && c != ".." && !Existe(siguiente)) {
            std::string encontrado = EntradaSinCaja(carpeta, c);
            if (encontrado.empty())
                perdida = true;
            else
                siguiente = resultado + encontrado;
        }
        resultado = siguiente;
        if (k + 1 < componentes.size() || barraFinal) resultado += '/';
    }
    return resultado;
}

// The path without its trailing "/" (the root stays "/").
std::string SinBarraFinal(std::string ruta) {
    while (ruta.size() > 1 && ruta.back() == '/')
        ruta.pop_back();
    return ruta;
}

AnsiString ConBarraFinal(const std::string& nativa) {
    AnsiString r = FromNativePath(nativa);
    if (r.IsEmpty() || r.str().back() != '/') r += '/';
    return r;
}

// The program path in UTF-8 with "/" separators, nothing looked up.
std::string ConBarrasNativas(const AnsiString& ruta) {
    std::string nativa = cp1252::ToUtf8(ruta.str());
    for (char& c : nativa)
        if (c == '\\') c = '/';
    return nativa;
}

} // namespace

std::string NativePath(const AnsiString& ruta) {
    if (ruta.IsEmpty()) return std::string();
    const std::string nativa = ConBarrasNativas(ruta);
    if (EsLetraDeUnidad(nativa) || Existe(nativa)) return nativa;
    return ResolverSinCaja(nativa);
}

std::string NativePathForWriting(const AnsiString& ruta) {
    if (ruta.IsEmpty()) return std::string();
    const std::string nativa = ConBarrasNativas(ruta);
    const size_t barra = nativa.rfind('/');
    if (barra == std::string::npos || EsLetraDeUnidad(nativa)) return nativa;
    std::string carpeta = nativa.substr(0, barra + 1);
    if (carpeta == "/" || Existe(carpeta)) return nativa;
    return ResolverSinCaja(carpeta) + nativa.substr(barra + 1);
}

AnsiString FromNativePath(const std::string& ruta) {
    return AnsiString(cp1252::FromUtf8(ruta));
}

AnsiString DisplayPath(const AnsiString& ruta) {
    return FromNativePath(NativePath(ruta));
}

bool FileExists(const AnsiString& ruta) {
    struct stat st;
    std::string nativa = NativePath(ruta);
    return !nativa.empty() && ::stat(nativa.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const AnsiString& ruta) {
    struct stat st;
    std::string nativa = NativePath(ruta);
    return !nativa.empty() && ::stat(nativa.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const AnsiString& ruta) {
    std::string nativa = SinBarraFinal(NativePath(ruta));
    if (nativa.empty()) return false;
    std::error_code ec;
    std::filesystem::create_directories(nativa, ec);
    return std::filesystem::is_directory(nativa, ec);
}

bool DeleteFile(const AnsiString& ruta) {
    std::string nativa = NativePath(ruta);
    return !nativa.empty() && ::unlink(nativa.c_str()) == 0;
}

AnsiString GetExecutableDir() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return GetCurrentDir();
    return ConBarraFinal(exe.parent_path().string());
}

AnsiString GetCurrentDir() {
    std::error_code ec;
    std::filesystem::path actual = std::filesystem::current_path(ec);
    if (ec) return AnsiString();
    return ConBarraFinal(actual.string());
}

bool SetCurrentDir(const AnsiString& ruta) {
    std::string nativa = NativePath(ruta);
    return !nativa.empty() && ::chdir(nativa.c_str()) == 0;
}

namespace {
int UltimoSeparador(const AnsiString& ruta) {
    return ruta.LastDelimiter("\\/");
}
} // namespace

AnsiString ExtractFilePath(const AnsiString& ruta) {
    return ruta.SubString(1, UltimoSeparador(ruta));
}

AnsiString ExtractFileName(const AnsiString& ruta) {
    return ruta.SubString(UltimoSeparador(ruta) + 1, ruta.Length());
}

FileReader::FileReader(const AnsiString& ruta) : FileReader(NativePath(ruta), 0) {}

FileReader::FileReader(const std::string& nativa, int) {
    if (nativa.empty()) return;
    fd_ = ::open(nativa.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return;
    struct stat st;
    if (::fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    tamano_ = st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0;
}

FileReader::~FileReader() {
    if (fd_ >= 0) ::close(fd_);
}

long FileReader::Read(char* destino, size_t n) {
    if (fd_ < 0) return -1;
    for (;;) {
        const ssize_t leidos = ::read(fd_, destino, n);
        if (leidos >= 0 || errno != EINTR) return static_cast<long>(leidos);
    }
}

bool FileReader::ReadAll(std::string& contenido, size_t delante) {
    if (!IsOpen()) return false;
    std::string leido;
    leido.resize(delante + (SizeHint() > 0 ? SizeHint() + 1 : 4096));
    size_t total = delante;
    for (;;) {
        if (total == leido.size()) leido.resize(leido.size() * 2);
        const long n = Read(leido.data() + total, leido.size() - total);
        if (n < 0) return false;
        if (n == 0) break;
        total += static_cast<size_t>(n);
    }
    leido.resize(total);
    contenido = std::move(leido);
    return true;
}

bool ReadWholeFile(const AnsiString& ruta, std::string& contenido, size_t delante) {
    return FileReader(ruta).ReadAll(contenido, delante);
}

bool ReadFileBeingReplaced(const AnsiString& ruta, std::string& contenido) {
    const std::string nativa = NativePathForWriting(ruta);
    struct stat st;
    if (!nativa.empty() && ::stat(nativa.c_str(), &st) != 0 && errno == ENOENT) {
        contenido.clear();
        return true;
    }
    return FileReader(nativa, 0).ReadAll(contenido, 0);
}
