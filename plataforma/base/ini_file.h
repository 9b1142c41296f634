#pragma once
// INI files in the Windows format: "[Section]" lines, then "key=value" lines. Section and key
// names are compared without regard to case; a value between one pair of double (or single)
// quotes is read without them. Lines end in CR LF or LF when read, in CR LF when written.
// IniDocument is the parsed text; TIniFile keeps one for a file and writes its changes
// together, merged into the file as it is when they are written.

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/exceptions.h"
#include "plataforma/base/object.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class FileReader;
class TStrings;

class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

class IniDocument {
public:
    IniDocument() { Parse({}); }
    // Replaces the content by the parsed text. Comments (";" or "#") and other lines are
    // kept for Render; lines before the first section are kept but hold no keys. A section
    // named twice is one section, and of a key named twice in a section the first counts.
    // A UTF-8 byte order mark at the start is skipped (and rendered back).
    void Parse(std::string_view text);
    // The text of the document, lines ended by "\n"; unchanged lines come back as read.
    std::string Render() const;

    // nullptr when the section or key does not exist.
    const std::string* Find(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;
    // In file order, spelled as in the file.
    std::vector<std::string> SectionNames() const;
    // The keys of a section in file order; empty when the section does not exist.
    std::vector<std::string> KeyNames(std::string_view section) const;
    // The "key=value" pairs of a section in file order, values without their quotes.
    std::vector<std::pair<std::string, std::string>> Entries(std::string_view section) const;

    // Each returns true when the document changed. Set adds the section and the key at the
    // end when they are missing.
    bool AddSection(std::string_view section);
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    bool EraseSection(std::string_view section);
    bool DeleteKey(std::string_view section, std::string_view key);

private:
    struct Line {
        std::string raw; // as read; empty for a line made here
        bool entry = false;
        bool edited = false; // rendered from key and value instead of raw
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        bool header = true; // false for the lines before the first section
        std::vector<Line> lines;
        std::unordered_map<std::string, size_t> keys; // folded key -> first line
    };

    static std::string Fold(std::string_view name);
    const Section* FindSection(std::string_view name) const;
    Section* FindSection(std::string_view name);
    static void IndexKeys(Section& section);
    Section& SectionFor(std::string_view name);
    void IndexSections();

    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> index_; // folded section name -> position
    bool bom_ = false;                              // the text started with a UTF-8 byte order mark
};

// What every settings store of the class library answers: the INI file, and the per-user
// stores of reg_ini_file.h. Integers and booleans are kept as text.
class TCustomIniFile : public TObject {
public:
    AnsiString GetFileName() const { return fileName_; }

    virtual AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident,
                                  const AnsiString& Default) const = 0;
    // Decimal, or hexadecimal after "0x" or "$"; the default when the value is not a number.
    virtual int ReadInteger(const AnsiString& Section, const AnsiString& Ident, int Default) const;
    // A number other than 0 is true; the default when the value is not a number.
    virtual bool ReadBool(const AnsiString& Section, const AnsiString& Ident, bool Default) const;

    virtual void WriteString(const AnsiString& Section, const AnsiString& Ident,
                             const AnsiString& Value) = 0;
    virtual void WriteInteger(const AnsiString& Section, const AnsiString& Ident, int Value);
    virtual void WriteBool(const AnsiString& Section, const AnsiString& Ident,
                           bool Value); // "1"/"0"
    virtual void EraseSection(const AnsiString& Section) = 0;
    virtual void DeleteKey(const AnsiString& Section, const AnsiString& Ident) = 0;
    virtual void UpdateFile() {}

    // The lists are cleared first; names in file order.
    virtual void ReadSection(const AnsiString& Section, TStrings& Strings) const = 0;
    virtual void ReadSections(TStrings& Strings) const = 0;
    // "key=value" strings.
    virtual void ReadSectionValues(const AnsiString& Section, TStrings& Strings) const = 0;
    virtual bool SectionExists(const AnsiString& Section) const = 0;
    virtual bool ValueExists(const AnsiString& Section, const AnsiString& Ident) const = 0;

protected:
    explicit TCustomIniFile(const AnsiString& FileName) : fileName_(FileName) {}

private:
    AnsiString fileName_;
};

class TIniFile : public TCustomIniFile {
public:
    // Reads the file now; a file that does not exist or cannot be read is an empty one.
    explicit TIniFile(const AnsiString& FileName);
    // Writes the changes not yet written; a failure is then lost (call UpdateFile to know).
    ~TIniFile() override;

    AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident,
                          const AnsiString& Default) const override;

    // Changes are kept in memory (reads see them at once) and written together by
    // UpdateFile or the destruction, so that writing many keys writes the file once.
    void WriteString(const AnsiString& Section, const AnsiString& Ident,
                     const AnsiString& Value) override;
    void EraseSection(const AnsiString& Section) override;
    void DeleteKey(const AnsiString& Section, const AnsiString& Ident) override;
    // Writes the changes made here since the last write into the file as it is now (read
    // again, so that what another store or program wrote meanwhile stays, except the keys
    // changed here); nothing when there are none. Missing folders of the file are created.
    // A file that cannot be written raises EIniFileException and the changes stay pending.
    void UpdateFile() override;
    // Reads the file again when it changed since it was read, with the changes not yet
    // written on top: a store kept open sees what others wrote.
    void Refresh();

    void ReadSection(const AnsiString& Section, TStrings& Strings) const override;
    void ReadSections(TStrings& Strings) const override;
    void ReadSectionValues(const AnsiString& Section, TStrings& Strings) const override;
    // A section exists from its "[Section]" line, even without keys.
    bool SectionExists(const AnsiString& Section) const override;
    bool ValueExists(const AnsiString& Section, const AnsiString& Ident) const override;

private:
    // A change made here, replayed on the file as read again before it is written.
    struct Change {
        enum Kind { Set, Delete, Erase } kind;
        std::string section, key, value;
    };
    // What identifies the file's content as read: its identity, size and change time.
    struct Signature {
        unsigned long long device = 0, inode = 0, size = 0;
        long long seconds = -1, nanoseconds = 0;
        bool operator==(const Signature&) const = default;
    };
    static void Apply(IniDocument& document, const Change& change);
    // The file as it is now, with the pending changes on top.
    void Read();
    void Record(Change change);

    IniDocument document_;
    std::vector<Change> pending_;
    Signature read_;
    std::unique_ptr<FileReader> held_; // the file as read, kept open
};
