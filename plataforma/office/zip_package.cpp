#include "plataforma/office/zip_package.h"

#include "plataforma/base/file_writer.h"
#include "plataforma/base/files.h"
#include "plataforma/office/office_error.h"

#include <sys/stat.h>
#include <zip.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

AnsiString Megabytes(uint64_t Bytes) {
    return AnsiString(static_cast<int>(Bytes >> 20)) + " MB";
}

// A buffer source over a copy of the bytes that libzip owns: once an archive is written into
// its source, libzip frees the buffers it was given.
zip_source_t* OwnedBuffer(const std::string& Bytes, zip_error_t* Error) {
    // Empty data is no buffer at all (libzip would not free one).
    if (Bytes.empty()) return zip_source_buffer_create(nullptr, 0, 0, Error);
    void* copy = std::malloc(Bytes.size());
    if (!copy) return nullptr;
    std::memcpy(copy, Bytes.data(), Bytes.size());
    zip_source_t* source = zip_source_buffer_create(copy, Bytes.size(), 1, Error);
    if (!source) std::free(copy);
    return source;
}

} // namespace

ZipPackage::ZipPackage() : name_("") {
    zip_error_t error;
    zip_error_init(&error);
    source_ = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (source_) zip_ = zip_open_from_source(source_, ZIP_CREATE | ZIP_TRUNCATE, &error);
    const AnsiString text = zip_error_strerror(&error);
    zip_error_fini(&error);
    KeepSource();
    if (!zip_) throw EOfficeError("No se puede crear el fichero comprimido: " + text);
}

ZipPackage::ZipPackage(const std::string& Bytes, const AnsiString& Name) : name_(Name) {
    zip_error_t error;
    zip_error_init(&error);
    source_ = OwnedBuffer(Bytes, &error);
    if (source_) zip_ = zip_open_from_source(source_, ZIP_CHECKCONS, &error);
    zip_error_fini(&error);
    KeepSource();
    if (!zip_) {
        throw EOfficeError("El fichero " + Name +
                           " está dañado o no es un fichero comprimido (zip) de Office");
    }
}

void ZipPackage::KeepSource() {
    if (!source_) return;
    if (zip_) {
        // The archive holds the source too; the package keeps it to read the written archive.
        zip_source_keep(source_);
    } else {
        zip_source_free(source_);
        source_ = nullptr;
    }
}

ZipPackage::~ZipPackage() {
    if (zip_) zip_discard(zip_);
    if (source_) zip_source_free(source_);
}

void ZipPackage::Fail(const AnsiString& What) const {
    throw EOfficeError("El fichero " + name_ + " está dañado: " + What);
}

bool ZipPackage::Has(const std::string& Entry) const {
    return zip_ && zip_name_locate(zip_, Entry.c_str(), 0) >= 0;
}

std::string ZipPackage::Read(const std::string& Entry, uint64_t Limit) const {
    if (const auto p = pending_.find(Entry); p != pending_.end()) return *p->second;
    const zip_int64_t index = zip_ ? zip_name_locate(zip_, Entry.c_str(), 0) : -1;
    if (index < 0) Fail("falta la parte " + AnsiString(Entry));
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(zip_, index, 0, &st) != 0) Fail("la parte " + AnsiString(Entry));
    if ((st.valid & ZIP_STAT_SIZE) && st.size > Limit)
        Fail("la parte " + AnsiString(Entry) + " ocupa más de " + Megabytes(Limit));
    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(zip_fopen_index(zip_, index, 0),
                                                           zip_fclose);
    if (!file) Fail("la parte " + AnsiString(Entry) + " no se puede leer: " + zip_strerror(zip_));
    std::string data;
    // The stated size is only a hint: the read stops at the limit whatever it says.
    data.reserve(static_cast<size_t>(std::min<uint64_t>(st.size, Limit)));
    char buffer[65536];
    for (;;) {
        const zip_int64_t n = zip_fread(file.get(), buffer, sizeof buffer);
        if (n < 0)
            Fail("la parte " + AnsiString(Entry) +
                 " no se puede leer: " + zip_file_strerror(file.get()));
        if (n == 0) break;
        if (data.size() + static_cast<uint64_t>(n) > Limit)
            Fail("la parte " + AnsiString(Entry) + " ocupa más de " + Megabytes(Limit));
        data.append(buffer, static_cast<size_t>(n));
    }
    return data;
}

void ZipPackage::Put(const std::string& Entry, std::string Data) {
    added_.push_back(std::move(Data));
    const std::string& kept = added_.back();
    pending_[Entry] = &kept;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = OwnedBuffer(kept, &error);
    zip_error_fini(&error);
    const zip_int64_t index =
        source ? zip_file_add(zip_, Entry.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8)
               : -1;
    if (index < 0) {
        if (source) zip_source_free(source);
        throw EOfficeError("No se puede escribir la parte " + AnsiString(Entry) + ": " +
                           zip_strerror(zip_));
    }
    // The fastest deflate: the parts are markup that packs well at any level, and a large
    // sheet takes many times longer at the default one.
    zip_set_file_compression(zip_, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1);
}

void ZipPackage::Remove(const std::string& Entry) {
    const zip_int64_t index = zip_name_locate(zip_, Entry.c_str(), 0);
    if (index >= 0) zip_delete(zip_, static_cast<zip_uint64_t>(index));
    pending_.erase(Entry);
}

std::string ZipPackage::Close() {
    if (zip_close(zip_) != 0) {
        const AnsiString text = zip_strerror(zip_);
        throw EOfficeError("No se puede componer el fichero " + name_ + ": " + text);
    }
    zip_ = nullptr;
    std::string out;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_source_stat(source_, &st) != 0 || zip_source_open(source_) != 0)
        throw EOfficeError("No se puede componer el fichero " + name_);
    out.resize(static_cast<size_t>(st.size));
    const zip_int64_t n = zip_source_read(source_, out.data(), out.size());
    zip_source_close(source_);
    if (n < 0 || static_cast<uint64_t>(n) != st.size)
        throw EOfficeError("No se puede componer el fichero " + name_);
    return out;
}

void ZipPackage::SaveAs(const AnsiString& FileName) {
    const std::string bytes = Close();
    FileWriter w;
    if (!w.Open(FileName, FileWriter::Mode::Binary)) throw EOfficeError(w.ErrorText());
    w.Write(bytes.data(), bytes.size());
    if (!w.Commit()) throw EOfficeError(w.ErrorText());
}

std::unique_ptr<ZipPackage> OpenOfficeFile(const AnsiString& FileName, const char* Legacy) {
    struct stat st;
    const std::string path = NativePath(FileName);
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        throw EOfficeError("No se encuentra el fichero " + FileName);
    if (static_cast<uint64_t>(st.st_size) > ZipPackage::kMaxFileSize)
        throw EOfficeError("El fichero " + FileName + " ocupa más de " +
                           Megabytes(ZipPackage::kMaxFileSize));
    std::string bytes;
    if (!ReadWholeFile(FileName, bytes))
        throw EOfficeError("No se puede abrir el fichero " + FileName);
    // The header of a compound document, the container of the earlier binary formats.
    if (bytes.compare(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) == 0)
        throw ELegacyOfficeFile("El fichero " + FileName + Legacy);
    return std::make_unique<ZipPackage>(bytes, FileName);
}
