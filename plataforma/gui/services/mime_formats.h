#pragma once
// Inside the platform layer only: the clipboard's formats in MIME data, one mapping for the
// clipboard and for drag and drop. CF_TEXT and CF_UNICODETEXT are text/plain (LF line ends,
// for other programs), with the program's exact 8-bit and UTF-16 texts beside it under types
// of their own, which this program reads first; a registered name has a MIME type of its own
// ("Rich Text Format" is also text/rtf), and CF_HDROP is read from text/uri-list (local
// files only, as a DROPFILES block with wide names).

#include "plataforma/gui/kernel/win_types.h"

#include <cstddef>
#include <string>
#include <vector>

class QMimeData;

// The bytes of a format as the clipboard's global block would hold them, without the text
// formats' final zero; false when the data lacks the format.
bool ReadMimeFormat(const QMimeData* Data, UINT Format, std::string& Bytes);
// Adds a format's bytes (a text format ends at its first zero).
void WriteMimeFormat(QMimeData* Data, UINT Format, const std::string& Bytes);
// The formats the data holds, in this order: CF_TEXT, CF_UNICODETEXT, the registered formats
// in the order of their registration, CF_HDROP.
std::vector<UINT> MimeFormats(const QMimeData* Data);
// The CF_HDROP block of a list of file names (UTF-16).
std::string DropFilesBlock(const std::vector<std::u16string>& Names);
