#pragma once
// The class library's binary component image: the signature "TPF0", the class name and the
// component name as short strings, then each published property as its name (a short
// string) and a typed value, a null byte ending the property list and another ending the
// (here always empty) list of child components. Integers take the smallest of 8, 16 or 32
// bits that holds them; texts up to 255 bytes a one-byte length, longer ones four bytes;
// Booleans are a type byte alone. Properties of an owned object are written under dotted
// names ("CellProperties.FontSize").

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/file_errors.h"

#include <cstdint>
#include <string>
#include <vector>

class TStream;
class TComponent;

enum class TValueType : uint8_t {
    vaNull,
    vaList,
    vaInt8,
    vaInt16,
    vaInt32,
    vaExtended,
    vaString,
    vaIdent,
    vaFalse,
    vaTrue,
    vaBinary,
    vaSet,
    vaLString,
    vaNil,
    vaCollection,
    vaSingle,
    vaCurrency,
    vaDate,
    vaWString,
    vaInt64,
    vaUTF8String
};

// Writes one component image into a buffer and hands it to the stream whole.
class TWriter {
public:
    explicit TWriter(TStream* Stream) : stream_(Stream) {}
    void WriteComponent(TComponent* Instance);

    void WriteInteger(const char* Name, int64_t Value);
    void WriteBoolean(const char* Name, bool Value);
    // An empty text is the default and is left out, as the class library does.
    void WriteString(const char* Name, const AnsiString& Value);
    void WriteIdent(const char* Name, const AnsiString& Value);
    // The names of the members present.
    void WriteSet(const char* Name, const std::vector<AnsiString>& Members);
    void WriteBinary(const char* Name, const std::string& Data);
    void WriteStringList(const char* Name, const std::vector<AnsiString>& Items);

private:
    void PropName(const char* Name);
    void ShortString(const AnsiString& S);
    void Value(int64_t V);
    void StringValue(const AnsiString& V);
    // Four bytes, little-endian.
    void Length32(uint32_t N);
    void Byte(TValueType T) { buffer_ += static_cast<char>(T); }
    void Raw(const void* P, size_t N) { buffer_.append(static_cast<const char*>(P), N); }

    TStream* stream_;
    std::string buffer_;
};

// Reads one component image from the stream's position; the position is left just after
// the image. Every length and count is checked against what the stream holds: a short or
// malformed image raises EReadError.
class TReader {
public:
    explicit TReader(TStream* Stream);
    ~TReader();
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    void ReadComponent(TComponent* Instance);

    // The value of the property whose name was just read; another type raises EReadError
    // "Invalid property value".
    int64_t ReadInteger();
    bool ReadBoolean();
    AnsiString ReadString();
    AnsiString ReadIdent();
    std::vector<AnsiString> ReadSet();
    std::string ReadBinary();
    std::vector<AnsiString> ReadStringList();
    // Reads and drops a value of any type.
    void SkipValue();
    // An integer in Min..Max, else EReadError.
    int ReadIntegerIn(int64_t Min, int64_t Max);

private:
    TValueType ReadValueType();
    AnsiString ReadShortString();
    void ReadBytes(void* Out, size_t N);
    std::string ReadBlock(size_t N);
    uint8_t ReadByte();
    uint32_t ReadLength();
    void Fill();
    [[noreturn]] static void Invalid();

    TStream* stream_;
    // The bytes not yet read: in the stream's own memory, or in buffer_.
    const char* cur_ = nullptr;
    const char* end_ = nullptr;
    bool direct_ = false;
    int64_t directStart_ = 0;
    std::string buffer_;
};
