#pragma once
// The shell's system image lists: the icon of a file, a folder or a kind of file (by its
// extension), from the desktop's icon provider, kept once in a list of small (16 x 16) or
// large (32 x 32) icons. Only the icon index and the list are given: the display and type
// names of the shell are not.

#include "plataforma/gui/images/image_list.h"

enum : DWORD { FILE_ATTRIBUTE_DIRECTORY = 0x10, FILE_ATTRIBUTE_NORMAL = 0x80 };
enum : UINT {
    SHGFI_LARGEICON = 0x0000,
    SHGFI_SMALLICON = 0x0001,
    SHGFI_USEFILEATTRIBUTES = 0x0010,
    SHGFI_SYSICONINDEX = 0x4000,
};

struct SHFILEINFO {
    int iIcon = 0;
    DWORD dwAttributes = 0;
};

// With SHGFI_SYSICONINDEX: the system image list (small or large) as the result, and the
// icon's index in it in iIcon. With SHGFI_USEFILEATTRIBUTES the path need not exist: the
// icon follows FileAttributes (a folder) or the extension. 0 for anything else.
std::uintptr_t SHGetFileInfo(const char* Path, DWORD FileAttributes, SHFILEINFO* Info,
                             UINT InfoSize, UINT Flags);
