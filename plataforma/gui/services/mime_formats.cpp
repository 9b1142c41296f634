#include "plataforma/gui/services/mime_formats.h"

#include "plataforma/gui/services/ole.h"

#include <QMimeData>

#include <cstring>

std::vector<UINT> MimeFormats(const QMimeData* Data) {
    std::vector<UINT> formats;
    std::string bytes;
    if (!Data) return formats;
    for (UINT f : {static_cast<UINT>(CF_TEXT), static_cast<UINT>(CF_UNICODETEXT)})
        if (ReadMimeFormat(Data, f, bytes)) formats.push_back(f);
    for (UINT f = 0xC000; !GetClipboardFormatName(f).IsEmpty(); ++f)
        if (ReadMimeFormat(Data, f, bytes)) formats.push_back(f);
    if (ReadMimeFormat(Data, CF_HDROP, bytes)) formats.push_back(CF_HDROP);
    return formats;
}

std::string DropFilesBlock(const std::vector<std::u16string>& Names) {
    DROPFILES header;
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    std::u16string names;
    for (const std::u16string& n : Names) {
        names += n;
        names += u'\0';
    }
    names += u'\0';
    std::string block(sizeof(DROPFILES), '\0');
    std::memcpy(block.data(), &header, sizeof(DROPFILES));
    block.append(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(char16_t));
    return block;
}
