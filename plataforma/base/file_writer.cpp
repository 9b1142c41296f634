#include "plataforma/base/file_writer.h"

#include "plataforma/base/c_format.h"
#include "plataforma/base/files.h"

#include <fcntl.h>
#include <sys/stat.h>
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

// A target reached through a symbolic link is written where the link points, so that the
// save replaces the file and keeps the link.
std::string SinEnlace(const std::string& ruta) {
    struct stat st;
    if (lstat(ruta.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return ruta;
    char* real = realpath(ruta.c_str(), nullptr);
    if (real == nullptr) return ruta;
    std::string resultado(real);
    std::free(real);
    return resultado;
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

bool FileWriter::Open(const AnsiString& path, Mode mode, bool atomic) {
    Abandon();
    error_ = 0;
    errorText_ = AnsiString();
    used_ = 0;
    injected_ = fallaPendiente.exchange(Failure::None);
    mode_ = mode;
    atomic_ = atomic;
    path_ = path;
    targetPath_ = NativePath(path);

    if (atomic_) return CreateTemporary(SinEnlace(targetPath_));
    fd_ = ::open(targetPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        Fail(errno, "No se puede crear el fichero");
        return false;
    }
    writtenPath_ = targetPath_;
    return true;
}

bool FileWriter::CreateTemporary(const std::string& target) {
    targetPath_ = target;
    size_t barra = target.rfind('/');
    std::string carpeta = barra == std::string::npos ? std::string() : target.substr(0, barra + 1);
    std::string base = barra == std::string::npos ? target : target.substr(barra + 1);
    if (base.size() > kNombreBaseMaximo) base.resize(kNombreBaseMaximo);

    // A name of our own in the target's folder (so that the rename stays on one disk);
    // O_EXCL makes sure no other file is taken over.
    for (int intento = 0; intento < 100; ++intento) {
        std::string nombre = carpeta + "." + base + "." + std::to_string(getpid()) + "." +
                             std::to_string(contadorTemporales++) + ".tmp";
        fd_ = ::open(nombre.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            writtenPath_ = nombre;
            // The replaced file keeps its permissions.
            struct stat st;
            if (stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode))
                (void)fchmod(fd_, st.st_mode & 07777);
            return true;
        }
        if (errno != EEXIST) break;
    }
    Fail(errno, "No se puede crear el fichero");
    return false;
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
        if (ok && std::rename(writtenPath_.c_str(), targetPath_.c_str()) != 0) {
            Fail(errno, "No se puede reemplazar el fichero");
            ok = false;
        }
        if (!ok) ::unlink(writtenPath_.c_str());
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
    if (atomic_) ::unlink(writtenPath_.c_str());
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
