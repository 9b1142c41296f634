#include "plataforma/base/filer.h"

#include "plataforma/base/component.h"
#include "plataforma/base/streams.h"
#include "plataforma/base/wide_string.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

const char kSignature[4] = {'T', 'P', 'F', '0'};
// Lists nested deeper than this are no image this library writes.
const int kMaxListDepth = 64;

// Gives a variable a value for the scope and its old one back at the end, whatever happens.
template <class T> class ForScope {
public:
    ForScope(T& Variable, T Value) : variable_(Variable), old_(std::move(Variable)) {
        variable_ = std::move(Value);
    }
    ~ForScope() { variable_ = std::move(old_); }
    ForScope(const ForScope&) = delete;
    ForScope& operator=(const ForScope&) = delete;

private:
    T& variable_;
    T old_;
};

} // namespace

// --- TWriter ---

void TWriter::WriteComponent(TComponent* Instance) {
    buffer_.clear();
    Raw(kSignature, 4);
    ShortString(Instance->ClassName());
    ShortString(Instance->GetName());
    Instance->WriteProperties(*this);
    Instance->DefineProperties(this);
    Byte(TValueType::vaNull); // end of the properties
    Byte(TValueType::vaNull); // end of the children
    stream_->WriteBuffer(buffer_.data(), static_cast<int64_t>(buffer_.size()));
}

void TWriter::ShortString(const AnsiString& S) {
    const size_t n = std::min<size_t>(S.Length(), 255);
    buffer_ += static_cast<char>(n);
    Raw(S.c_str(), n);
}

void TWriter::PropName(const char* Name) {
    const size_t n = std::strlen(Name);
    buffer_ += static_cast<char>(n);
    Raw(Name, n);
}

void TWriter::Value(int64_t V) {
    if (V >= INT8_MIN && V <= INT8_MAX) {
        Byte(TValueType::vaInt8);
        buffer_ += static_cast<char>(static_cast<int8_t>(V));
    } else if (V >= INT16_MIN && V <= INT16_MAX) {
        Byte(TValueType::vaInt16);
        const auto v = static_cast<int16_t>(V);
        const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
        Raw(b, 2);
    } else if (V >= INT32_MIN && V <= INT32_MAX) {
        Byte(TValueType::vaInt32);
        Length32(static_cast<uint32_t>(static_cast<int32_t>(V)));
    } else {
        Byte(TValueType::vaInt64);
        const auto v = static_cast<uint64_t>(V);
        for (int i = 0; i < 8; ++i)
            buffer_ += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

void TWriter::WriteInteger(const char* Name, int64_t V) {
    PropName(Name);
    Value(V);
}

void TWriter::WriteBoolean(const char* Name, bool V) {
    PropName(Name);
    Byte(V ? TValueType::vaTrue : TValueType::vaFalse);
}

void TWriter::Length32(uint32_t N) {
    const char b[4] = {static_cast<char>(N & 0xFF), static_cast<char>((N >> 8) & 0xFF),
                       static_cast<char>((N >> 16) & 0xFF), static_cast<char>(N >> 24)};
    Raw(b, 4);
}

void TWriter::StringValue(const AnsiString& V) {
    const size_t n = V.Length();
    if (n <= 255) {
        Byte(TValueType::vaString);
        buffer_ += static_cast<char>(n);
    } else {
        Byte(TValueType::vaLString);
        Length32(static_cast<uint32_t>(n));
    }
    Raw(V.c_str(), n);
}

void TWriter::WriteString(const char* Name, const AnsiString& V) {
    if (V.IsEmpty()) return;
    PropName(Name);
    StringValue(V);
}

void TWriter::WriteIdent(const char* Name, const AnsiString& V) {
    PropName(Name);
    Byte(TValueType::vaIdent);
    ShortString(V);
}

void TWriter::WriteSet(const char* Name, const std::vector<AnsiString>& Members) {
    PropName(Name);
    Byte(TValueType::vaSet);
    for (const AnsiString& m : Members)
        ShortString(m);
    buffer_ += '\0';
}

void TWriter::WriteBinary(const char* Name, const std::string& Data) {
    PropName(Name);
    Byte(TValueType::vaBinary);
    Length32(static_cast<uint32_t>(Data.size()));
    buffer_ += Data;
}

void TWriter::WritePersistent(const char* Name, TPersistent* Instance, TPersistent* Ancestor) {
    const ForScope<std::string> path(propPath_, propPath_ + Name + ".");
    const ForScope<TPersistent*> ancestor(ancestor_, Ancestor);
    Instance->DefineProperties(this);
}

void TWriter::DefineProperty(const AnsiString& Name, const TReaderProc& /*ReadData*/,
                             const TWriterProc& WriteData, bool HasData) {
    if (!HasData || !WriteData) return;
    PropName((propPath_ + Name.str()).c_str());
    WriteData(*this);
}

void TWriter::DefineBinaryProperty(const AnsiString& Name, const TStreamProc& /*ReadData*/,
                                   const TStreamProc& WriteData, bool HasData) {
    if (!HasData || !WriteData) return;
    TMemoryStream datos;
    WriteData(&datos);
    PropName((propPath_ + Name.str()).c_str());
    Byte(TValueType::vaBinary);
    Length32(static_cast<uint32_t>(datos.Bytes().size()));
    buffer_ += datos.Bytes();
}

void TWriter::WriteWideString(const WideString& Value) {
    const std::u16string& s = Value.str();
    Byte(TValueType::vaWString);
    Length32(static_cast<uint32_t>(s.size()));
    for (char16_t c : s) {
        buffer_ += static_cast<char>(c & 0xFF);
        buffer_ += static_cast<char>(c >> 8);
    }
}

void TWriter::WriteStringList(const char* Name, const std::vector<AnsiString>& Items) {
    if (Items.empty()) return;
    PropName(Name);
    Byte(TValueType::vaList);
    for (const AnsiString& s : Items)
        StringValue(s);
    Byte(TValueType::vaNull);
}

// --- TReader ---

TReader::TReader(TStream* Stream) : stream_(Stream) {
    int64_t available = 0;
    const char* p = Stream->DirectBytes(available);
    if (p) {
        direct_ = true;
        directStart_ = Stream->GetPosition();
        cur_ = p;
        end_ = p + available;
    }
}

TReader::~TReader() {
    // Leave the stream just after what was read.
    try {
        if (direct_) {
            int64_t available = 0;
            const char* p = stream_->DirectBytes(available);
            stream_->SetPosition(directStart_ + (cur_ - p));
        } else if (end_ > cur_) {
            stream_->Seek(-(end_ - cur_), soCurrent);
        }
    } catch (...) {
    }
}

void TReader::Invalid() {
    throw EReadError("Invalid property value");
}

void TReader::Fill() {
    if (direct_) throw EReadError("Stream read error");
    buffer_.resize(4096);
    const int64_t n = stream_->Read(buffer_.data(), 4096);
    if (n <= 0) throw EReadError("Stream read error");
    cur_ = buffer_.data();
    end_ = cur_ + n;
}

uint8_t TReader::ReadByte() {
    if (cur_ == end_) Fill();
    return static_cast<uint8_t>(*cur_++);
}

void TReader::ReadBytes(void* Out, size_t N) {
    char* out = static_cast<char*>(Out);
    while (N > 0) {
        if (cur_ == end_) Fill();
        const size_t n = std::min(N, static_cast<size_t>(end_ - cur_));
        std::memcpy(out, cur_, n);
        cur_ += n;
        out += n;
        N -= n;
    }
}

std::string TReader::ReadBlock(size_t N) {
    // A length beyond what the stream still holds is a fault of the image, found before
    // any memory is taken for it.
    int64_t left = end_ - cur_;
    if (!direct_) left += stream_->GetSize() - stream_->GetPosition();
    if (static_cast<int64_t>(N) > left) throw EReadError("Stream read error");
    std::string s(N, '\0');
    ReadBytes(s.data(), N);
    return s;
}

uint32_t TReader::ReadLength() {
    unsigned char b[4];
    ReadBytes(b, 4);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

TValueType TReader::ReadValueType() {
    const uint8_t t = ReadByte();
    if (t > static_cast<uint8_t>(TValueType::vaUTF8String)) Invalid();
    return static_cast<TValueType>(t);
}

AnsiString TReader::ReadShortString() {
    const uint8_t n = ReadByte();
    return AnsiString(ReadBlock(n));
}

int64_t TReader::ReadInteger() {
    unsigned char b[8];
    switch (ReadValueType()) {
    case TValueType::vaInt8:
        ReadBytes(b, 1);
        return static_cast<int8_t>(b[0]);
    case TValueType::vaInt16:
        ReadBytes(b, 2);
        return static_cast<int16_t>(b[0] | (b[1] << 8));
    case TValueType::vaInt32:
        ReadBytes(b, 4);
        return static_cast<int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) |
                                    (static_cast<uint32_t>(b[3]) << 24));
    case TValueType::vaInt64: {
        ReadBytes(b, 8);
        uint64_t v = 0;
        for (int i = 7; i >= 0; --i)
            v = (v << 8) | b[i];
        return static_cast<int64_t>(v);
    }
    default:
        Invalid();
    }
}

int TReader::ReadIntegerIn(int64_t Min, int64_t Max) {
    const int64_t v = ReadInteger();
    if (v < Min || v > Max) Invalid();
    return static_cast<int>(v);
}

bool TReader::ReadBoolean() {
    const TValueType t = ReadValueType();
    if (t != TValueType::vaTrue && t != TValueType::vaFalse) Invalid();
    return t == TValueType::vaTrue;
}

AnsiString TReader::ReadString() {
    switch (ReadValueType()) {
    case TValueType::vaString:
        return ReadShortString();
    case TValueType::vaLString:
        return AnsiString(ReadBlock(ReadLength()));
    default:
        Invalid();
    }
}

AnsiString TReader::ReadIdent() {
    switch (ReadValueType()) {
    case TValueType::vaIdent:
        return ReadShortString();
    case TValueType::vaFalse:
        return "False";
    case TValueType::vaTrue:
        return "True";
    case TValueType::vaNil:
        return "nil";
    case TValueType::vaNull:
        return "Null";
    default:
        Invalid();
    }
}

std::vector<AnsiString> TReader::ReadSet() {
    if (ReadValueType() != TValueType::vaSet) Invalid();
    std::vector<AnsiString> members;
    for (;;) {
        AnsiString m = ReadShortString();
        if (m.IsEmpty()) return members;
        members.push_back(m);
    }
}

std::string TReader::ReadBinary() {
    if (ReadValueType() != TValueType::vaBinary) Invalid();
    return ReadBlock(ReadLength());
}

std::vector<AnsiString> TReader::ReadStringList() {
    if (ReadValueType() != TValueType::vaList) Invalid();
    std::vector<AnsiString> items;
    for (;;) {
        if (cur_ == end_) Fill();
        if (static_cast<TValueType>(*cur_) == TValueType::vaNull) {
            ++cur_;
            return items;
        }
        items.push_back(ReadString());
    }
}

TValueType TReader::NextValue() {
    if (cur_ == end_) Fill();
    if (static_cast<uint8_t>(*cur_) > static_cast<uint8_t>(TValueType::vaUTF8String)) Invalid();
    return static_cast<TValueType>(*cur_);
}

void TReader::ReadListBegin() {
    if (ReadValueType() != TValueType::vaList) Invalid();
}

bool TReader::EndOfList() {
    return NextValue() == TValueType::vaNull;
}

void TReader::ReadListEnd() {
    if (ReadValueType() != TValueType::vaNull) Invalid();
}

WideString TReader::ReadWideString() {
    switch (ReadValueType()) {
    case TValueType::vaWString: {
        const std::string bytes = ReadBlock(static_cast<size_t>(ReadLength()) * 2);
        std::u16string s(bytes.size() / 2, u'\0');
        for (size_t i = 0; i < s.size(); ++i)
            s[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
        return WideString(std::move(s));
    }
    case TValueType::vaUTF8String:
        return WideString::FromUtf8(ReadBlock(ReadLength()));
    default:
        Invalid();
    }
}

bool TReader::ReadDefined(TPersistent* Instance, const AnsiString& Name) {
    const ForScope<AnsiString> name(propName_, Name);
    const ForScope<bool> read(propRead_, false);
    Instance->DefineProperties(this);
    return propRead_;
}

bool TReader::ReadPersistent(const AnsiString& Name, const char* Prefix, TPersistent* Instance) {
    const std::string prefix = std::string(Prefix) + ".";
    if (Name.str().compare(0, prefix.size(), prefix) != 0) return false;
    return ReadDefined(Instance, AnsiString(Name.str().substr(prefix.size())));
}

void TReader::DefineProperty(const AnsiString& Name, const TReaderProc& ReadData,
                             const TWriterProc& /*WriteData*/, bool /*HasData*/) {
    if (propRead_ || !ReadData || !AnsiSameText(Name, propName_)) return;
    propRead_ = true;
    try {
        ReadData(*this);
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        throw EReadError("Error reading " + Name + ": " + e.Message);
    }
}

void TReader::DefineBinaryProperty(const AnsiString& Name, const TStreamProc& ReadData,
                                   const TStreamProc& /*WriteData*/, bool /*HasData*/) {
    if (propRead_ || !ReadData || !AnsiSameText(Name, propName_)) return;
    propRead_ = true;
    TMemoryStream datos;
    const std::string bytes = ReadBinary();
    datos.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    datos.SetPosition(0);
    try {
        ReadData(&datos);
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        throw EReadError("Error reading " + Name + ": " + e.Message);
    }
}

void TReader::SkipValue() {
    SkipValue(0);
}

void TReader::SkipValue(int Depth) {
    if (Depth > kMaxListDepth) Invalid();
    const TValueType t = ReadValueType();
    switch (t) {
    case TValueType::vaNull:
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil:
        return;
    case TValueType::vaInt8:
        ReadBlock(1);
        return;
    case TValueType::vaInt16:
        ReadBlock(2);
        return;
    case TValueType::vaInt32:
    case TValueType::vaSingle:
        ReadBlock(4);
        return;
    case TValueType::vaInt64:
    case TValueType::vaCurrency:
    case TValueType::vaDate:
        ReadBlock(8);
        return;
    case TValueType::vaExtended:
        ReadBlock(10);
        return;
    case TValueType::vaString:
    case TValueType::vaIdent:
        ReadShortString();
        return;
    case TValueType::vaLString:
    case TValueType::vaBinary:
    case TValueType::vaUTF8String:
        ReadBlock(ReadLength());
        return;
    case TValueType::vaWString:
        ReadBlock(static_cast<size_t>(ReadLength()) * 2);
        return;
    case TValueType::vaSet:
        while (!ReadShortString().IsEmpty()) {
        }
        return;
    case TValueType::vaList:
    case TValueType::vaCollection:
        // Lists of values (a collection's items are property lists, not read here).
        if (t == TValueType::vaCollection) Invalid();
        for (;;) {
            if (cur_ == end_) Fill();
            if (static_cast<TValueType>(*cur_) == TValueType::vaNull) {
                ++cur_;
                return;
            }
            SkipValue(Depth + 1);
        }
    }
}

void TReader::ReadComponent(TComponent* Instance) {
    char signature[4];
    ReadBytes(signature, 4);
    if (std::memcmp(signature, kSignature, 4) != 0) throw EReadError("Invalid stream format");
    const AnsiString className = ReadShortString();
    if (className != Instance->ClassName())
        throw EReadError("Invalid stream format: " + className + " where " + Instance->ClassName() +
                         " was expected");
    const AnsiString name = ReadShortString();
    if (!name.IsEmpty() && name != Instance->GetName()) {
        if (!IsValidIdent(name)) throw EReadError("Invalid stream format: component name");
        try {
            Instance->SetName(name);
        } catch (const EComponentError& e) {
            throw EReadError(e.Message);
        }
    }
    for (;;) {
        const AnsiString prop = ReadShortString();
        if (prop.IsEmpty()) break; // the null byte ending the property list
        if (!ReadDefined(Instance, prop)) Instance->ReadProperty(prop, *this);
    }
    if (ReadByte() != 0) throw EReadError("Invalid stream format: child components");
}

// --- the stream's component image and the component's default properties ---

void TStream::WriteComponent(TComponent* Instance) {
    TWriter(this).WriteComponent(Instance);
}

TComponent* TStream::ReadComponent(TComponent* Instance) {
    TReader(this).ReadComponent(Instance);
    return Instance;
}

void TComponent::WriteProperties(TWriter& /*Writer*/) {}

void TComponent::ReadProperty(const AnsiString& Name, TReader& /*Reader*/) {
    throw EReadError("Error reading " + ClassName() + "." + Name + ": Property " + Name +
                     " does not exist");
}
