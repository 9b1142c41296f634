#pragma once
// ZipPackage: the zip container of an Office Open XML file, held in memory. Entries are read
// with a limit on their uncompressed size (a zip bomb or a lying size raises), changed or
// added whole, and the archive is written back through the file writer: entries that were
// not touched are copied as they are, compressed bytes and all.

#include "plataforma/base/ansi_string.h"

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>

typedef struct zip zip_t;
typedef struct zip_source zip_source_t;

class ZipPackage {
public:
    // No entry may unpack to more than this.
    static constexpr uint64_t kMaxEntrySize = 256u << 20;
    // Nor may the file itself be larger.
    static constexpr uint64_t kMaxFileSize = 1024u << 20;

    // An empty package.
    ZipPackage();
    // The package of a zip file's bytes; Name is the file, for messages. EOfficeError when
    // the bytes are not a zip archive.
    ZipPackage(const std::string& Bytes, const AnsiString& Name);
    ~ZipPackage();
    ZipPackage(const ZipPackage&) = delete;
    ZipPackage& operator=(const ZipPackage&) = delete;

    bool Has(const std::string& Entry) const;
    // The entry's bytes; EOfficeError when it is missing, damaged or larger than Limit.
    std::string Read(const std::string& Entry, uint64_t Limit = kMaxEntrySize) const;
    // Adds the entry, or replaces its bytes.
    void Put(const std::string& Entry, std::string Data);
    void Remove(const std::string& Entry);
    // The whole archive with the changes; the package cannot be used afterwards.
    std::string Close();
    // Close, written to the file through a temporary that replaces it only when every write
    // succeeded (EOfficeError otherwise, the old file as it was).
    void SaveAs(const AnsiString& FileName);

    const AnsiString& Name() const { return name_; }

private:
    [[noreturn]] void Fail(const AnsiString& What) const;
    // After opening: the package's own hold on the source, or none when the open failed.
    void KeepSource();

    std::list<std::string> added_;                      // the data of Put, for reading it back
    std::map<std::string, const std::string*> pending_; // the latest data put, by entry
    AnsiString name_;
    zip_source_t* source_ = nullptr;
    zip_t* zip_ = nullptr;
};

// The package of an Office Open XML file: EOfficeError when the file is missing, larger than
// ZipPackage::kMaxFileSize or not a zip archive; ELegacyOfficeFile with Legacy's text (after
// the file's name) for a binary file of the earlier office formats.
std::unique_ptr<ZipPackage> OpenOfficeFile(const AnsiString& FileName, const char* Legacy);
