#pragma once
// FileWriter: what every save of the programs writes through, in place of a C stream.
// By default it writes a temporary file beside the target and Commit() puts it in the
// target's place only when every write, the flush and the close succeeded, so that a failed
// save leaves the old file as it was.

#include "plataforma/base/ansi_string.h"

#include <cstddef>
#include <string>

class FileWriter {
public:
    // Text writes every "\n" as "\r\n" (Windows text files, as a text-mode C stream does);
    // Binary writes the bytes as given.
    enum class Mode { Text, Binary };
    // Where an injected failure strikes: the writer's first write, or its commit's close.
    enum class Failure { None, Write, Close };

    FileWriter() = default;
    // An uncommitted temporary file is removed; a direct (non-atomic) file is flushed and
    // closed, as fclose would. Never throws.
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // Opens for writing (a writer already open is abandoned first). With atomic, the data
    // goes to a temporary file in the target's folder until Commit(); without it, the
    // target is truncated and written directly. False, with ErrorText(), on failure.
    bool Open(const AnsiString& path, Mode mode = Mode::Text, bool atomic = true);

    // Formatted as the C library does under the "C" locale ("." as decimal separator).
    void Printf(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    void Write(const char* data, size_t size);
    // Writes the text as it is, without adding a line break (fputs).
    void Puts(const AnsiString& text);

    // Flushes, syncs and closes; an atomic writer then renames its temporary file over the
    // target. False when this or any earlier step failed: the temporary file is removed and
    // the target left as it was. The writer is closed afterwards either way.
    bool Commit();
    // Closes without committing: an atomic writer removes its temporary file.
    void Abandon();

    bool IsOpen() const { return fd_ >= 0; }
    // No error so far. After the first error, later writes do nothing.
    bool Ok() const { return error_ == 0; }
    // The first error, in Spanish ("" when none), and its errno.
    AnsiString ErrorText() const { return errorText_; }
    int ErrorNumber() const { return error_; }
    // The file being written: the temporary file of an atomic writer ("" when closed).
    std::string TemporaryPath() const { return atomic_ ? writtenPath_ : std::string(); }

    // Since tests run as root, permissions cannot make a write fail: the next writer opened
    // fails where asked (with EIO), and the injection is then cleared.
    static void InjectFailureForTests(Failure where);

private:
    void Append(const char* data, size_t size);
    bool Flush();
    void Fail(int error, const char* operation);
    bool CreateTemporary(const std::string& target);

    int fd_ = -1;
    Mode mode_ = Mode::Text;
    bool atomic_ = false;
    Failure injected_ = Failure::None;
    AnsiString path_;         // as the caller named it, for messages
    std::string targetPath_;  // the file-system name of the target
    std::string writtenPath_; // the file the descriptor writes
    std::string buffer_;
    std::string formatted_; // Printf's text before it is written
    int error_ = 0;
    AnsiString errorText_;
};
