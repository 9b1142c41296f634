#include "plataforma/base/streams.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

int64_t TStream::GetSize() {
    const int64_t pos = Seek(0, soCurrent);
    const int64_t size = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return size;
}

void TStream::ReadBuffer(void* Buffer, int64_t Count) {
    if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count) {
    if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream* Source, int64_t Count) {
    if (Count == 0) {
        Source->SetPosition(0);
        Count = Source->GetSize();
    }
    char buffer[65536];
    int64_t left = Count;
    while (left > 0) {
        const int64_t n = std::min<int64_t>(left, sizeof buffer);
        Source->ReadBuffer(buffer, n);
        WriteBuffer(buffer, n);
        left -= n;
    }
    return Count;
}

// --- TMemoryStream ---

int64_t TMemoryStream::Read(void* Buffer, int64_t Count) {
    const int64_t size = GetSize();
    if (Count <= 0 || pos_ >= size) return 0;
    const int64_t n = std::min(Count, size - pos_);
    std::memcpy(Buffer, data_.data() + pos_, static_cast<size_t>(n));
    pos_ += n;
    return n;
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count) {
    if (Count <= 0) return 0;
    const auto end = static_cast<size_t>(pos_ + Count);
    if (end > data_.size()) data_.resize(end);
    std::memcpy(data_.data() + pos_, Buffer, static_cast<size_t>(Count));
    pos_ += Count;
    return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    const int64_t base = Origin == soBeginning ? 0 : Origin == soCurrent ? pos_ : GetSize();
    if (base + Offset < 0) throw EStreamError("Stream seek error");
    pos_ = base + Offset;
    return pos_;
}

void TMemoryStream::SetSize(int64_t NewSize) {
    if (NewSize < 0) throw EStreamError("Stream size error");
    data_.resize(static_cast<size_t>(NewSize));
    pos_ = std::min(pos_, NewSize);
}

void TMemoryStream::Clear() {
    data_.clear();
    pos_ = 0;
}

const char* TMemoryStream::DirectBytes(int64_t& Available) {
    Available = std::max<int64_t>(0, GetSize() - pos_);
    return data_.data() + std::min<int64_t>(pos_, GetSize());
}

void TMemoryStream::LoadFromFile(const AnsiString& FileName) {
    std::string bytes;
    if (!ReadWholeFile(FileName, bytes)) throw EFOpenError("Cannot open file \"" + FileName + "\"");
    data_ = std::move(bytes);
    pos_ = 0;
}

void TMemoryStream::SaveToFile(const AnsiString& FileName) const {
    FileWriter w;
    if (w.Open(FileName, FileWriter::Mode::Binary)) w.Write(data_.data(), data_.size());
    if (!w.Commit()) throw EFCreateError(w.ErrorText());
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
    Stream->SetPosition(0);
    const int64_t size = Stream->GetSize();
    std::string bytes(static_cast<size_t>(size), '\0');
    Stream->ReadBuffer(bytes.data(), size);
    data_ = std::move(bytes);
    pos_ = 0;
}

void TMemoryStream::SaveToStream(TStream* Stream) const {
    Stream->WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
}

// --- TFileStream ---

namespace {

AnsiString Reason() {
    return AnsiString(std::strerror(errno));
}

} // namespace

TFileStream::TFileStream(const AnsiString& FileName, unsigned Mode) : fileName_(FileName) {
    // A file created is named exactly as given; one opened may be found without regard to case.
    const std::string path =
        Mode == fmCreate ? NativePathForWriting(FileName) : NativePath(FileName);
    if (Mode == fmCreate) {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd_ < 0) throw EFCreateError("Cannot create file \"" + FileName + "\". " + Reason());
        return;
    }
    const int access = (Mode & 3) == fmOpenWrite       ? O_WRONLY
                       : (Mode & 3) == fmOpenReadWrite ? O_RDWR
                                                       : O_RDONLY;
    fd_ = ::open(path.c_str(), access | O_CLOEXEC);
    if (fd_ < 0) throw EFOpenError("Cannot open file \"" + FileName + "\". " + Reason());
}

TFileStream::~TFileStream() {
    if (fd_ >= 0) ::close(fd_);
}

int64_t TFileStream::Read(void* Buffer, int64_t Count) {
    int64_t done = 0;
    while (done < Count) {
        const ssize_t n =
            ::read(fd_, static_cast<char*>(Buffer) + done, static_cast<size_t>(Count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count) {
    int64_t done = 0;
    while (done < Count) {
        const ssize_t n = ::write(fd_, static_cast<const char*>(Buffer) + done,
                                  static_cast<size_t>(Count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    const int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
    const off_t r = ::lseek(fd_, static_cast<off_t>(Offset), whence);
    if (r < 0) throw EStreamError("Stream seek error");
    return r;
}

void TFileStream::SetSize(int64_t NewSize) {
    if (::ftruncate(fd_, static_cast<off_t>(NewSize)) != 0)
        throw EStreamError("Stream size error: " + Reason());
    if (GetPosition() > NewSize) Seek(NewSize, soBeginning);
}
