#include "plataforma/base/file_writer.h"

#include "plataforma/base/c_format.h"
#include "plataforma/base/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Data is handed to the system in blocks of this size.
constexpr size_t kBloque = 64 * 1024;
// Room past the end of the buffer and of its converted copy, which the conversion of line
// ends may read or write.
constexpr size_t kHolgura = 16;
// Room left for the temporary name's suffix within the system's 255-byte name limit.
constexpr size_t kNombreBaseMaximo = 200;

std::atomic<FileWriter::Failure> fallaPendiente{FileWriter::Failure::None};
std::atomic<unsigned> contadorTemporales{0};
std::atomic<bool> sinTemporalesAnonimos{false};

const char* Descripcion(int error) {
    switch (error) {
    case ENOENT:
        return "la carpeta o el fichero no existe";
    case EACCES:
    case EPERM:
        return "permiso denegado";
    case ENOSPC:
        return "no queda espacio en el disco";
    case EDQUOT:
        return "se ha superado la cuota de disco";
    case EROFS:
        return "el disco es de solo lectura";
    case EIO:
        return "error de entrada/salida";
    case EISDIR:
        return "es una carpeta";
    case ENOTDIR:
        return "una parte de la ruta no es una carpeta";
    case ENAMETOOLONG:
        return "el nombre es demasiado largo";
    case EMFILE:
    case ENFILE:
        return "hay demasiados ficheros abiertos";
    case EFBIG:
        return "el fichero es demasiado grande";
    case EBUSY:
    case ETXTBSY:
        return "el fichero está en uso";
    case EBADF:
        return "el fichero no está abierto";
    case ELOOP:
        return "los enlaces simbólicos forman un bucle";
    default:
        return "error del sistema";
    }
}

// The bytes with each "\n" as "\r\n", at o (room for twice the size and kHolgura bytes
// more); returns the end. Sixteen bytes at a time: a block without line ends goes whole, one
// with them piece by piece, each piece stored as sixteen bytes (so the input, too, is read up
// to kHolgura bytes past its end, and a later store covers what a piece stored too much).
char* ConSaltosCRLF(const char* p, size_t n, char* o) {
    const char* const fin = p + n;
#if defined(__SSE2__)
    auto cargar = [](const char* desde) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(desde));
    };
    auto guardar = [](char* en, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(en), v); };
    const __m128i salto = _mm_set1_epi8('\n');
    for (; fin - p >= 16; p += 16) {
        const __m128i v = cargar(p);
        unsigned m = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, salto)));
        if (m == 0) {
            guardar(o, v);
            o += 16;
            continue;
        }
        const char* desde = p;
        do {
            const char* linea = p + __builtin_ctz(m);
            guardar(o, cargar(desde));
            o += linea - desde;
            o[0] = '\r';
            o[1] = '\n';
            o += 2;
            desde = linea + 1;
            m &= m - 1;
        } while (m != 0);
        guardar(o, cargar(desde));
        o += p + 16 - desde;
    }
#endif
    for (; p < fin; ++p) {
        if (*p == '\n') *o++ = '\r';
        *o++ = *p;
    }
    return o;
}

// Links followed by hand, at most this many (the system's own limit).
constexpr int kEnlacesMaximos = 40;

// The file a save replaces: a target reached through symbolic links is the file the last link
// names, so that the save keeps the links; a link that names nothing yet (dangling) is saved
// to the path it names. 0, or the error (ELOOP for a loop).
int SinEnlaces(std::string& ruta) {
    for (int i = 0; i < kEnlacesMaximos; ++i) {
        struct stat st;
        if (::lstat(ruta.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(st.st_mode)) return 0;
        std::string destino(st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1 : 4096, '\0');
        const ssize_t n = ::readlink(ruta.c_str(), destino.data(), destino.size());
        if (n < 0) return errno;
        if (static_cast<size_t>(n) >= destino.size()) return ENAMETOOLONG;
        destino.resize(static_cast<size_t>(n));
        const size_t barra = ruta.rfind('/');
        if (destino.empty() || destino[0] != '/')
            destino =
                (barra == std::string::npos ? std::string() : ruta.substr(0, barra + 1)) + destino;
        ruta = destino;
    }
    return ELOOP;
}

// Network file systems, where another machine's process may own a temporary file whose
// number means nothing here.
bool EnDiscoLocal(const std::string& carpeta) {
    struct statfs fs;
    if (::statfs(carpeta.empty() ? "." : carpeta.c_str(), &fs) != 0) return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x6969UL:     // NFS
    case 0x517BUL:     // SMB
    case 0xFF534D42UL: // CIFS
    case 0xFE534D42UL: // SMB2
    case 0x65735546UL: // FUSE (sshfs and the like)
    case 0x73757245UL: // Coda
    case 0x5346414FUL: // AFS
    case 0x00C36400UL: // Ceph
    case 0x01021997UL: // 9P
        return false;
    default:
        return true;
    }
}

// The number of a process that no longer exists in a name of the form
// ".<base>.<pid>.<n>.tmp"; 0 when the name is not of that form or its process still runs.
pid_t ProcesoMuerto(const std::string& nombre, const std::string& prefijo) {
    if (nombre.size() <= prefijo.size() + 4 || nombre.compare(0, prefijo.size(), prefijo) != 0 ||
        nombre.compare(nombre.size() - 4, 4, ".tmp") != 0)
        return 0;
    const std::string resto = nombre.substr(prefijo.size(), nombre.size() - prefijo.size() - 4);
    const size_t punto = resto.find('.');
    if (punto == 0 || punto == std::string::npos || punto + 1 == resto.size()) return 0;
    if (resto.find_first_not_of("0123456789.") != std::string::npos ||
        resto.find('.', punto + 1) != std::string::npos || punto > 9)
        return 0;
    const pid_t pid = static_cast<pid_t>(std::stol(resto.substr(0, punto)));
    if (pid <= 0 || pid == ::getpid()) return 0;
    return ::kill(pid, 0) != 0 && errno == ESRCH ? pid : 0;
}

// Removes the temporary files of earlier saves to this target whose process was killed.
void QuitarTemporalesHuerfanos(const std::string& carpeta, const std::string& prefijo) {
    if (!EnDiscoLocal(carpeta)) return;
    DIR* dir = ::opendir(carpeta.empty() ? "." : carpeta.c_str());
    if (dir == nullptr) return;
    std::vector<std::string> huerfanos;
    while (dirent* e = ::readdir(dir))
        if (ProcesoMuerto(e->d_name, prefijo) != 0) huerfanos.push_back(carpeta + e->d_name);
    ::closedir(dir);
    for (const std::string& ruta : huerfanos)
        ::unlink(ruta.c_str());
}

// Makes a rename in the folder last through a power cut. A file system that cannot sync a
// folder has nothing more to do.
void SincronizarCarpeta(const std::string& carpeta) {
    const int fd =
        ::open(carpeta.empty() ? "." : carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

} // namespace

FileWriter::~FileWriter() {
    try {
        Abandon();
    } catch (...) {
    }
}

void FileWriter::InjectFailureForTests(Failure where) {
    fallaPendiente = where;
}

void FileWriter::UseNamedTemporariesForTests(bool named) {
    sinTemporalesAnonimos = named;
}

bool FileWriter::Open(const AnsiString& path, Mode mode, bool atomic) {
    Abandon();
    error_ = 0;
    errorText_ = AnsiString();
    used_ = 0;
    injected_ = fallaPendiente.exchange(Failure::None);
    mode_ = mode;
    atomic_ = atomic;
    unnamed_ = false;
    path_ = path;
    targetPath_ = NativePathForWriting(path);
    if (const int error = SinEnlaces(targetPath_); error != 0) {
        Fail(error, "No se puede crear el fichero");
        return false;
    }
    // A file the user may not write is not replaced behind its back: a save over it is
    // refused as one in a read-only folder is.
    struct stat st;
    if (::stat(targetPath_.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        ::faccessat(AT_FDCWD, targetPath_.c_str(), W_OK, AT_EACCESS) != 0) {
        Fail(errno, "No se puede crear el fichero");
        return false;
    }

    if (atomic_) return CreateTemporary();
    fd_ = ::open(targetPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        Fail(errno, "No se puede crear el fichero");
        return false;
    }
    writtenPath_ = targetPath_;
    return true;
}

bool FileWriter::CreateTemporary() {
    const size_t barra = targetPath_.rfind('/');
    folderPath_ = barra == std::string::npos ? std::string() : targetPath_.substr(0, barra + 1);

    // A file without a name in the target's folder (so that the rename stays on one disk),
    // which a killed save leaves nowhere; it gets a name only at the commit.
    if (!sinTemporalesAnonimos) {
        fd_ = ::open(folderPath_.empty() ? "." : folderPath_.c_str(),
                     O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            unnamed_ = true;
            KeepTargetMode();
            return true;
        }
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            Fail(errno, "No se puede crear el fichero");
            return false;
        }
    }
    // Where the file system cannot make one, a named file, after the ones that killed
    // saves left behind are gone.
    QuitarTemporalesHuerfanos(folderPath_, TemporaryPrefix());
    if (!CreateNamed()) return false;
    KeepTargetMode();
    return true;
}

std::string FileWriter::TemporaryPrefix() const {
    std::string base = targetPath_.substr(folderPath_.size());
    if (base.size() > kNombreBaseMaximo) base.resize(kNombreBaseMaximo);
    return "." + base + ".";
}

std::string FileWriter::FreshTemporaryName() const {
    return folderPath_ + TemporaryPrefix() + std::to_string(::getpid()) + "." +
           std::to_string(contadorTemporales++) + ".tmp";
}

bool FileWriter::CreateNamed() {
    // A name of our own; O_EXCL makes sure no other file is taken over.
    for (int intento = 0; intento < 100; ++intento) {
        std::string nombre = FreshTemporaryName();
        fd_ = ::open(nombre.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            writtenPath_ = nombre;
            return true;
        }
        if (errno != EEXIST) break;
    }
    Fail(errno, "No se puede crear el fichero");
    return false;
}

bool FileWriter::LinkUnnamed() {
    // Through /proc, which needs no privilege; the descriptor itself where /proc is missing.
    const std::string propio = "/proc/self/fd/" + std::to_string(fd_);
    for (int intento = 0; intento < 100; ++intento) {
        std::string nombre = FreshTemporaryName();
        int r = ::linkat(AT_FDCWD, propio.c_str(), AT_FDCWD, nombre.c_str(), AT_SYMLINK_FOLLOW);
        if (r != 0 && errno == ENOENT)
            r = ::linkat(fd_, "", AT_FDCWD, nombre.c_str(), AT_EMPTY_PATH);
        if (r == 0) {
            writtenPath_ = nombre;
            return true;
        }
        if (errno != EEXIST) break;
    }
    Fail(errno, "No se puede guardar el fichero");
    return false;
}

void FileWriter::KeepTargetMode() {
    // The replaced file keeps its permissions.
    struct stat st;
    if (::stat(targetPath_.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        (void)::fchmod(fd_, st.st_mode & 07777);
}

void FileWriter::Fail(int error, const char* operation) {
    if (error_ != 0) return;
    error_ = error != 0 ? error : EIO;
    errorText_ = AnsiString(operation) + " \"" + path_ + "\": " + Descripcion(error_) +
                 " (código " + std::to_string(error_) + ")";
}

void FileWriter::Printf(const char* fmt, ...) {
    if (error_ != 0) return;
    va_list args;
    va_start(args, fmt);
    formatted_.clear();
    AnadirFormatoCvAparte(formatted_, fmt, args);
    va_end(args);
    Write(formatted_.data(), formatted_.size());
}

void FileWriter::Puts(const AnsiString& text) {
    Write(text.c_str(), text.str().size());
}

bool FileWriter::Writable() {
    if (error_ != 0) return false;
    if (!IsOpen()) {
        Fail(EBADF, "Error al escribir en el fichero");
        return false;
    }
    if (injected_ == Failure::Write) {
        injected_ = Failure::None;
        Fail(EIO, "Error al escribir en el fichero");
        return false;
    }
    return true;
}

void FileWriter::Write(const char* data, size_t size) {
    if (!Writable() || size == 0) return;
    Reserve(used_, size);
    std::memcpy(buffer_.get() + used_, data, size);
    used_ += size;
    if (used_ >= kBloque) Flush();
}

void FileWriter::Reserve(size_t used, size_t size) {
    if (capacity_ - used >= size) return;
    const size_t capacidad = std::max({2 * kBloque, 2 * capacity_, used + size});
    std::unique_ptr<char[]> nuevo(new char[capacidad + kHolgura]);
    if (used > 0) std::memcpy(nuevo.get(), buffer_.get(), used);
    buffer_ = std::move(nuevo);
    capacity_ = capacidad;
}

void FileWriter::EndRun(size_t start, size_t end) {
    if (!Writable()) {
        used_ = start;
        return;
    }
    used_ = end;
    if (used_ >= kBloque) Flush();
}

bool FileWriter::Flush() {
    const char* datos = buffer_.get();
    size_t tamano = used_;
    if (mode_ == Mode::Text && tamano > 0) {
        if (convertedCapacity_ < 2 * tamano + kHolgura) {
            convertedCapacity_ = 2 * tamano + kHolgura;
            converted_.reset(new char[convertedCapacity_]);
        }
        datos = converted_.get();
        tamano = static_cast<size_t>(ConSaltosCRLF(buffer_.get(), used_, converted_.get()) -
                                     converted_.get());
    }
    size_t hecho = 0;
    while (error_ == 0 && hecho < tamano) {
        ssize_t n = ::write(fd_, datos + hecho, tamano - hecho);
        if (n > 0)
            hecho += static_cast<size_t>(n);
        else if (n < 0 && errno != EINTR)
            Fail(errno, "Error al escribir en el fichero");
        else if (n == 0)
            Fail(EIO, "Error al escribir en el fichero");
    }
    used_ = 0;
    return error_ == 0;
}

bool FileWriter::Commit() {
    if (!IsOpen()) {
        Fail(EBADF, "No se puede guardar el fichero");
        return false;
    }
    bool ok = Flush();
    // The data must be on disk before the name points at it.
    if (ok && atomic_ && fsync(fd_) != 0) {
        Fail(errno, "Error al escribir en el fichero");
        ok = false;
    }
    // A file without a name gets one now, a fresh hidden one beside the target.
    if (ok && unnamed_) ok = LinkUnnamed();
    int cierre = ::close(fd_);
    fd_ = -1;
    if (ok && cierre != 0) {
        Fail(errno, "Error al cerrar el fichero");
        ok = false;
    }
    if (ok && injected_ == Failure::Close) {
        Fail(EIO, "Error al cerrar el fichero");
        ok = false;
    }
    injected_ = Failure::None;
    if (atomic_) {
        // The target is replaced in one step, never removed first.
        if (ok && std::rename(writtenPath_.c_str(), targetPath_.c_str()) != 0) {
            Fail(errno, "No se puede reemplazar el fichero");
            ok = false;
        }
        if (ok)
            SincronizarCarpeta(folderPath_);
        else if (!writtenPath_.empty())
            ::unlink(writtenPath_.c_str());
    }
    writtenPath_.clear();
    ReleaseBuffers();
    return ok;
}

void FileWriter::Abandon() {
    if (!IsOpen()) return;
    if (!atomic_) Flush();
    ::close(fd_);
    fd_ = -1;
    if (atomic_ && !writtenPath_.empty()) ::unlink(writtenPath_.c_str());
    writtenPath_.clear();
    ReleaseBuffers();
    injected_ = Failure::None;
}

void FileWriter::ReleaseBuffers() {
    buffer_.reset();
    capacity_ = 0;
    used_ = 0;
    converted_.reset();
    convertedCapacity_ = 0;
}
