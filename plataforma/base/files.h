#pragma once
// Files and paths. Paths in the program are Windows-1252 AnsiStrings and may use "\" and
// mixed case, as Windows users' data does; NativePath turns them into the file system's
// UTF-8 names with "/" and resolves each component without regard to case when the exact
// path does not exist ("BDCATALOGO.BDC" and "bdCatalogo.bdc" are one file).

#include "plataforma/base/ansi_string.h"

#include <string>

// The file-system name of a program path (UTF-8, "/"). When the exact path does not exist,
// each component is matched without regard to case; components that match nothing are kept
// as given (so a file about to be created keeps its name).
std::string NativePath(const AnsiString& ruta);
// The file-system name a save writes: the name itself exactly as given (a save to "base.bdc"
// never replaces a "BASE.BDC" beside it); only its folder, when it does not exist as written,
// is looked up without regard to case, as for reading.
std::string NativePathForWriting(const AnsiString& ruta);
// A file-system name back into a program path (Windows-1252).
AnsiString FromNativePath(const std::string& ruta);
// A program path as the file system names it, for what the user reads: "/" separators and,
// for the components that exist, the case they have on disk ("Lib\TablaCodigos.dat" of an
// installation shows as ".../Lib/TablaCodigos.dat").
AnsiString DisplayPath(const AnsiString& ruta);

bool FileExists(const AnsiString& ruta); // a file, not a folder
bool DirectoryExists(const AnsiString& ruta);
// Creates missing folders; true when the folder exists at the end.
bool ForceDirectories(const AnsiString& ruta);
bool DeleteFile(const AnsiString& ruta);

// The folder of the running executable, ending in "/".
AnsiString GetExecutableDir();
// The process's current folder, ending in "/"; SetCurrentDir returns false on failure.
AnsiString GetCurrentDir();
bool SetCurrentDir(const AnsiString& ruta);

// The class library's path helpers; "\" and "/" are both separators.
AnsiString ExtractFilePath(const AnsiString& ruta); // up to and including the last separator
AnsiString ExtractFileName(const AnsiString& ruta); // after the last separator

// A file open for reading, for a reader that takes it in pieces into its own buffer (a folder
// does not open). Closed when destroyed.
class FileReader {
public:
    explicit FileReader(const AnsiString& ruta);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // The size the system gives: only a hint (files under /proc say 0, a file may grow).
    size_t SizeHint() const { return tamano_; }
    // Up to n bytes into destino: how many were read, 0 at the end, -1 on an error.
    long Read(char* destino, size_t n);
    // The rest of the file, after `delante` zeros; false when it is not open or a read fails.
    bool ReadAll(std::string& contenido, size_t delante = 0);

private:
    // The file of a file-system name.
    FileReader(const std::string& nativa, int);
    friend bool ReadFileBeingReplaced(const AnsiString& ruta, std::string& contenido);

    int fd_ = -1;
    size_t tamano_ = 0;
};

// Reads a whole file as bytes; false when it cannot be opened or read. With "delante", the
// text starts with that many bytes of room (zeros) before the file's bytes, for a reader that
// rewrites the text in place and may write a little ahead of where it reads.
bool ReadWholeFile(const AnsiString& ruta, std::string& contenido, size_t delante = 0);
// Reads the file that a save to `ruta` would replace (named as a save names it, never another
// that differs only in case): nothing, and true, when there is none; false when it exists and
// cannot be read, so that a save that adds to it does not replace what it could not keep.
bool ReadFileBeingReplaced(const AnsiString& ruta, std::string& contenido);
