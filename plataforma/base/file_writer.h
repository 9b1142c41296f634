#pragma once
// FileWriter: what every save of the programs writes through, in place of a C stream.
// By default it writes a temporary file without a name in the target's folder and Commit()
// names it and puts it in the target's place only when every write, the flush and the close
// succeeded, so that a failed or killed save leaves the old file as it was and nothing else.
// The target's name is written as given (never another file that differs only in case); a
// target reached through symbolic links is the file they lead to, and a read-only one is
// refused.

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/c_format.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

class FileWriter {
public:
    // Text writes every "\n" as "\r\n" (Windows text files, as a text-mode C stream does);
    // Binary writes the bytes as given. The conversion is made once per block, as the block
    // goes to the system.
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
    // target is truncated and written directly. False, with ErrorText(), on failure: a
    // read-only target, a loop of symbolic links, a folder that cannot be written.
    bool Open(const AnsiString& path, Mode mode = Mode::Text, bool atomic = true);

    // Formatted as the C library does under the "C" locale ("." as decimal separator).
    void Printf(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    void Write(const char* data, size_t size);
    // Writes the text as it is, without adding a line break (fputs).
    void Puts(const AnsiString& text);

    // Pieces of text written straight into the writer's buffer, with no format to read, for
    // writers of many short lines. The pieces of a run join the file as one Write of the same
    // bytes would when the run ends (so a closed or failed writer keeps them out).
    class Run;

    // Flushes, syncs and closes; an atomic writer then renames its temporary file over the
    // target and syncs the folder, so that the new name survives a power cut. False when this or
    // any earlier step failed: the temporary file is removed and the target left as it was. The
    // writer is closed afterwards either way.
    bool Commit();
    // Closes without committing: an atomic writer removes its temporary file.
    void Abandon();

    bool IsOpen() const { return fd_ >= 0; }
    // No error so far. After the first error, later writes do nothing.
    bool Ok() const { return error_ == 0; }
    // The first error, in Spanish ("" when none), and its errno.
    AnsiString ErrorText() const { return errorText_; }
    int ErrorNumber() const { return error_; }
    // Since tests run as root, permissions cannot make a write fail: the next writer opened
    // fails where asked (with EIO), and the injection is then cleared.
    static void InjectFailureForTests(Failure where);
    // Where a file system cannot make a file without a name, each save writes a named hidden
    // file ".<name>.<process>.<n>.tmp" and first removes those of processes that no longer
    // exist; tests of that way set this on every file system.
    static void UseNamedTemporariesForTests(bool named);

private:
    // False, with the error set as Write sets it, when nothing more may be written.
    bool Writable();
    // Room for at least `size` bytes after the first `used` of the buffer (which are kept).
    void Reserve(size_t used, size_t size);
    void EndRun(size_t start, size_t end);
    bool Flush();
    void ReleaseBuffers();
    void Fail(int error, const char* operation);
    bool CreateTemporary();
    bool CreateNamed();
    bool LinkUnnamed();
    void KeepTargetMode();
    std::string TemporaryPrefix() const;
    std::string FreshTemporaryName() const;

    int fd_ = -1;
    Mode mode_ = Mode::Text;
    bool atomic_ = false;
    bool unnamed_ = false; // the temporary file has no name until the commit
    Failure injected_ = Failure::None;
    AnsiString path_;         // as the caller named it, for messages
    std::string targetPath_;  // the file-system name of the target
    std::string folderPath_;  // the target's folder, ending in "/" ("" for the current one)
    std::string writtenPath_; // the named file the descriptor writes, if any
    // What is not yet handed to the system, as written (text mode converts it in Flush).
    std::unique_ptr<char[]> buffer_;
    size_t used_ = 0;
    size_t capacity_ = 0;
    std::unique_ptr<char[]> converted_; // a block with its line ends as "\r\n"
    size_t convertedCapacity_ = 0;
    std::string formatted_; // Printf's text before it is written
    int error_ = 0;
    AnsiString errorText_;
};

class FileWriter::Run {
public:
    explicit Run(FileWriter& writer)
        : writer_(writer), start_(writer.used_), p_(writer.buffer_.get() + writer.used_),
          end_(writer.buffer_.get() + writer.capacity_) {}
    ~Run() { writer_.EndRun(start_, static_cast<size_t>(p_ - writer_.buffer_.get())); }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    Run& Bytes(const char* data, size_t size) {
        if (size == 0) return *this; // the buffer may not be there yet
        Room(size);
        std::memcpy(p_, data, size);
        p_ += size;
        return *this;
    }
    // A literal, without its terminating zero.
    template <size_t N> Run& operator<<(const char (&literal)[N]) { return Bytes(literal, N - 1); }
    Run& operator<<(char c) {
        Room(1);
        *p_++ = c;
        return *this;
    }
    // Up to the first zero, as "%s" writes it.
    Run& Text(const char* text) { return Bytes(text, std::strlen(text)); }
    Run& operator<<(const AnsiString& text) { return Text(text.c_str()); }
    // "%<width>.<precision>g" and "%<width>.<precision>f".
    Run& RealG(double value, int width, int precision) {
        Room(LargoRealG(width, precision) + 1);
        p_ = EscribirRealG(p_, value, width, precision);
        return *this;
    }
    Run& RealF(double value, int width, int precision) {
        Room(LargoRealF(width, precision) + 1);
        p_ = EscribirRealF(p_, value, width, precision);
        return *this;
    }

private:
    void Room(size_t size) {
        if (static_cast<size_t>(end_ - p_) >= size) return;
        const size_t used = static_cast<size_t>(p_ - writer_.buffer_.get());
        writer_.Reserve(used, size);
        p_ = writer_.buffer_.get() + used;
        end_ = writer_.buffer_.get() + writer_.capacity_;
    }

    FileWriter& writer_;
    size_t start_;
    char* p_;
    char* end_;
};
