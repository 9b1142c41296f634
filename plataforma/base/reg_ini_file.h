#pragma once
// TRegIniFile / TRegistryIniFile: the settings stores that the class library keeps in the
// current user's registry key, kept here in a writable per-user INI file, apart from the
// read-only registry stand-in (registry.h). A store is opened on a key below
// HKEY_CURRENT_USER ("Software\Maker\Program"); a section is a subkey of it and an ident a
// value. In the file each subkey is a section named by its full path, as in
//
//   [HKEY_CURRENT_USER\Software\Maker\Program\Columnas]
//   Ancho1=120
//
// The file is $QUENBAR_REGISTRO_USUARIO when set, else quenbar/registro-usuario.ini in the
// user's settings folder. A store reads the file again when it changed, keeps its changes in
// memory and writes them together (UpdateFile, or when it is destroyed) into the file as it is
// then, so several stores or programs on the same file never undo each other's writes.
// Names are compared without regard to case.

#include "plataforma/base/ini_file.h"

#include <string>

class TRegIniFile : public TCustomIniFile {
public:
    // Key below HKEY_CURRENT_USER; "\" separates its components, empty ones are ignored.
    explicit TRegIniFile(const AnsiString& FileName);

    // An empty section names the key itself.
    AnsiString ReadString(const AnsiString& Section, const AnsiString& Ident,
                          const AnsiString& Default) const override;
    // Kept until UpdateFile or the destruction.
    void WriteString(const AnsiString& Section, const AnsiString& Ident,
                     const AnsiString& Value) override;
    // Removes the subkey with every subkey below it.
    void EraseSection(const AnsiString& Section) override;
    void DeleteKey(const AnsiString& Section, const AnsiString& Ident) override;

    // The value names of a subkey.
    void ReadSection(const AnsiString& Section, TStrings& Strings) const override;
    // The subkeys directly below the key, spelled as first written.
    void ReadSections(TStrings& Strings) const override;
    void ReadSectionValues(const AnsiString& Section, TStrings& Strings) const override;
    bool SectionExists(const AnsiString& Section) const override;
    bool ValueExists(const AnsiString& Section, const AnsiString& Ident) const override;
    // Writes this store's changes; a file that cannot be written raises EIniFileException.
    void UpdateFile() override;

    // The file that holds the current user's stores ("" without a home folder).
    static AnsiString StoreFileName();

private:
    // The file's section for a subkey of the key.
    std::string SectionOf(const AnsiString& Section) const;

    // The file as last read, with this store's changes; read again when it changed.
    TIniFile& Store() const;

    std::string key_; // "HKEY_CURRENT_USER\..." with single "\"
    mutable TIniFile store_;
};

// The class library's INI-style face of the same store.
class TRegistryIniFile : public TRegIniFile {
public:
    using TRegIniFile::TRegIniFile;
    TRegIniFile* GetRegIniFile() { return this; }
};
