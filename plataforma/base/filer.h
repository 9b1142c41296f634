#pragma once
// The class library's binary component image: the signature "TPF0", the class name and the
// component name as short strings, then each published property as its name (a short
// string) and a typed value, a null byte ending the property list and another ending the
// (here always empty) list of child components. Integers take the smallest of 8, 16 or 32
// bits that holds them; texts up to 255 bytes a one-byte length, longer ones four bytes;
// wide texts four bytes of length in code units, then the UTF-16 code units; Booleans are a
// type byte alone. Properties of an owned object are written under dotted names
// ("CellProperties.FontSize"). After the published properties come those an object defines
// itself (TPersistent::DefineProperties): each under its name, with a value that the
// object's own writer makes and its own reader takes back (a list of wide texts, a block of
// bytes).

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/file_errors.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TStream;
class TComponent;
class TPersistent;
class TReader;
class TWriter;
class WideString;

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

using TReaderProc = std::function<void(TReader& Reader)>;
using TWriterProc = std::function<void(TWriter& Writer)>;
using TStreamProc = std::function<void(TStream* Stream)>;

// What the writer and the reader share: the properties an object defines. Writing, a
// defined property is written when HasData holds; reading, the definition whose name is the
// property just read takes its value.
class TFiler {
public:
    virtual ~TFiler() = default;
    // A property whose value WriteData writes and ReadData reads with the filer's value
    // functions (a list of wide texts, for instance).
    virtual void DefineProperty(const AnsiString& Name, const TReaderProc& ReadData,
                                const TWriterProc& WriteData, bool HasData) = 0;
    // A property whose value is a block of bytes: WriteData writes them into a stream,
    // ReadData reads them from one (at its start).
    virtual void DefineBinaryProperty(const AnsiString& Name, const TStreamProc& ReadData,
                                      const TStreamProc& WriteData, bool HasData) = 0;
    // The object that the one being written descends from (nullptr: none); a defined
    // property is then usually written only when it differs from the ancestor's.
    TPersistent* GetAncestor() const { return ancestor_; }
    void SetAncestor(TPersistent* Value) { ancestor_ = Value; }

protected:
    TPersistent* ancestor_ = nullptr;
};

// Writes one component image into a buffer and hands it to the stream whole.
class TWriter : public TFiler {
public:
    explicit TWriter(TStream* Stream) : stream_(Stream) {}
    void WriteComponent(TComponent* Instance);
    // The properties that the owned object Instance defines, under "Name.": called by its
    // owner's WriteProperties. Ancestor is the matching object of the ancestor, if any.
    void WritePersistent(const char* Name, TPersistent* Instance, TPersistent* Ancestor = nullptr);

    void DefineProperty(const AnsiString& Name, const TReaderProc& ReadData,
                        const TWriterProc& WriteData, bool HasData) override;
    void DefineBinaryProperty(const AnsiString& Name, const TStreamProc& ReadData,
                              const TStreamProc& WriteData, bool HasData) override;

    // --- values, for a defined property's writer ---
    void WriteListBegin() { Byte(TValueType::vaList); }
    void WriteListEnd() { Byte(TValueType::vaNull); }
    void WriteString(const AnsiString& Value) { StringValue(Value); }
    void WriteWideString(const WideString& Value);

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
    // "Name." while an owned object's properties are written.
    std::string propPath_;
};

// Reads one component image from the stream's position; the position is left just after
// the image. Every length and count is checked against what the stream holds: a short or
// malformed image raises EReadError.
class TReader : public TFiler {
public:
    explicit TReader(TStream* Stream);
    ~TReader() override;
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;

    void ReadComponent(TComponent* Instance);
    // Called by an owner's ReadProperty: when Name is "<Prefix>.<property>" and Instance
    // defines that property, reads its value and returns true; otherwise false.
    bool ReadPersistent(const AnsiString& Name, const char* Prefix, TPersistent* Instance);

    // The definition named as the property being read takes its value (names compare
    // without regard to case). An error of the object's reader other than EReadError is
    // raised again as EReadError naming the property.
    void DefineProperty(const AnsiString& Name, const TReaderProc& ReadData,
                        const TWriterProc& WriteData, bool HasData) override;
    void DefineBinaryProperty(const AnsiString& Name, const TStreamProc& ReadData,
                              const TStreamProc& WriteData, bool HasData) override;

    // --- values, for a defined property's reader ---
    // The type of the next value, not read.
    TValueType NextValue();
    void ReadListBegin();
    // True when the next value ends the list (it is not read).
    bool EndOfList();
    void ReadListEnd();
    // A wide text (also one stored as UTF-8); another type raises EReadError.
    WideString ReadWideString();

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
    // Asks Instance for its definitions with Name as the property being read.
    bool ReadDefined(TPersistent* Instance, const AnsiString& Name);
    void SkipValue(int Depth);

    TStream* stream_;
    // The bytes not yet read: in the stream's own memory, or in buffer_.
    const char* cur_ = nullptr;
    const char* end_ = nullptr;
    bool direct_ = false;
    int64_t directStart_ = 0;
    std::string buffer_;
    // The defined property being read, and whether a definition took it.
    AnsiString propName_;
    bool propRead_ = false;
};
