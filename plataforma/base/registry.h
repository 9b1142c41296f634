#pragma once
// TRegistry: the read-only stand-in for the system registry. Keys and values come from an
// INI-style file whose sections are full key paths, for example
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Brastow\Ostrel]
//   App=/opt/brastow/ostrel/
//
// The file is $QUENBAR_REGISTRO when set, else quenbar/registro.ini in the user's settings
// folder; a missing file is an empty registry. It is a file of this system, so UTF-8 text is
// taken as such (a file that is not UTF-8 is read as Windows-1252). Key and value names are
// compared without regard to case, as the registry does. The user's documents folder
// (value "Personal" of the current user's "Shell Folders") is always there, as on Windows:
// when the file does not give it, it is the desktop's documents folder.

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/ini_file.h"
#include "plataforma/base/object.h"

#include <string>
#include <vector>

class TStrings;

enum HKEY : unsigned {
    HKEY_CLASSES_ROOT = 0x80000000u,
    HKEY_CURRENT_USER = 0x80000001u,
    HKEY_LOCAL_MACHINE = 0x80000002u,
    HKEY_USERS = 0x80000003u,
    HKEY_CURRENT_CONFIG = 0x80000005u,
};

class TRegistry : public TObject {
public:
    // Reads the registry file now; the root key is HKEY_CURRENT_USER.
    TRegistry();

    HKEY GetRootKey() const { return rootKey_; }
    // Closes the open key.
    void SetRootKey(HKEY Value);

    // A key beginning with "\" is taken from the root key; any other is relative to the open
    // key (or to the root when none is open). False, keeping the open key, when the key
    // does not exist: keys are never created.
    bool OpenKeyReadOnly(const AnsiString& Key);
    void CloseKey();
    // The open key's path below the root, without a leading "\" ("" at the root).
    AnsiString GetCurrentPath() const { return currentPath_; }
    bool HasCurrentKey() const { return open_; }

    // Resolved as OpenKeyReadOnly resolves the key.
    bool KeyExists(const AnsiString& Key) const;
    // Values of the open key; "" when the value (or the open key) does not exist.
    bool ValueExists(const AnsiString& Name) const;
    AnsiString ReadString(const AnsiString& Name) const;
    // The names of the open key's subkeys (the root's without an open key), in file order,
    // spelled as in the file. The list is cleared first.
    void GetKeyNames(TStrings& Strings) const;
    void GetValueNames(TStrings& Strings) const;

    // The file this stand-in reads ("" when there is no home folder to find it in).
    static AnsiString FileName();

private:
    // The path below the root that a key names, components joined by "\".
    std::string Resolve(const AnsiString& Key) const;
    // The section of a key: the root's name, then the path.
    std::string Section(const std::string& path) const;
    bool Exists(const std::string& path) const;

    HKEY rootKey_ = HKEY_CURRENT_USER;
    bool open_ = false;
    AnsiString currentPath_;
    // Sections named by full paths with single "\" between components, in file order.
    IniDocument document_;
    std::vector<std::string> sections_;
    std::vector<std::string> foldedSections_; // the same without case
};
