#pragma once
// TStream: a sequence of bytes with a position (read, write, seek), and the binary component
// image of the class library written and read through it (WriteComponent, ReadComponent:
// filer.h). TMemoryStream keeps its bytes in memory and saves them whole through the file
// writer; TFileStream reads and writes a file in place.

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/file_errors.h"
#include "plataforma/base/object.h"

#include <cstdint>
#include <string>

class TComponent;

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    // As many bytes as there are, up to Count; the number read (0 at the end).
    virtual int64_t Read(void* Buffer, int64_t Count) = 0;
    // The number written (fewer when the medium refuses the rest).
    virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
    // The new position; a position before the start raises EStreamError.
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;

    int64_t GetPosition() { return Seek(0, soCurrent); }
    void SetPosition(int64_t Value) { Seek(Value, soBeginning); }
    virtual int64_t GetSize();
    virtual void SetSize(int64_t NewSize) = 0;

    // Exactly Count bytes, else EReadError "Stream read error" / EWriteError "Stream write
    // error".
    void ReadBuffer(void* Buffer, int64_t Count);
    void WriteBuffer(const void* Buffer, int64_t Count);
    // Count bytes of Source from its position (0: the whole of Source from its start).
    int64_t CopyFrom(TStream* Source, int64_t Count);

    // The bytes from the position to the end when the stream holds them in memory (readers
    // then work on them in place), else nullptr.
    virtual const char* DirectBytes(int64_t& Available) {
        Available = 0;
        return nullptr;
    }

    // One component image ("TPF0", class and name, its published properties, the end of
    // its property and child lists) at the position. ReadComponent reads one into Instance:
    // the image must be of Instance's class; a short or malformed image raises EReadError,
    // with the properties read before the fault set.
    void WriteComponent(TComponent* Instance);
    TComponent* ReadComponent(TComponent* Instance);
};

class TMemoryStream : public TStream {
public:
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t GetSize() override { return static_cast<int64_t>(data_.size()); }
    // The position stays, cut to the new size.
    void SetSize(int64_t NewSize) override;
    void Clear();
    const char* GetMemory() const { return data_.data(); }
    const std::string& Bytes() const { return data_; }
    const char* DirectBytes(int64_t& Available) override;

    // The whole file, the position at 0 (EFOpenError "Cannot open file ..." when it cannot be
    // read); every byte written to a file through the file writer: the old file stays when
    // the save fails (EFCreateError with the writer's reason).
    void LoadFromFile(const AnsiString& FileName);
    void SaveToFile(const AnsiString& FileName) const;
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream) const;

private:
    std::string data_;
    int64_t pos_ = 0;
};

// Open modes: fmCreate makes or truncates the file for writing and reading.
enum : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmCreate = 0xFF00
};

class TFileStream : public TStream {
public:
    // EFCreateError "Cannot create file ..." or EFOpenError "Cannot open file ...", with the
    // system's reason.
    TFileStream(const AnsiString& FileName, unsigned Mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    void SetSize(int64_t NewSize) override;
    const AnsiString& GetFileName() const { return fileName_; }

private:
    int fd_ = -1;
    AnsiString fileName_;
};
