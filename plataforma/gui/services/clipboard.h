#pragma once
// The clipboard: the Win32 functions (formats by number, global memory blocks) and the class
// library's TClipboard over them. Text travels as Windows-1252 bytes, and Unicode text as
// UTF-16, each exactly between the program's windows; other programs see it as ordinary text
// with LF line ends. A format registered by name travels as a MIME type of its own, so that
// private data (a grid's cells) survives a copy between windows byte for byte; "Rich Text
// Format" and "HTML Format" are also offered under their standard MIME types.
// Writes made between OpenClipboard and CloseClipboard reach the system at CloseClipboard.

#include "plataforma/base/ansi_string.h"
#include "plataforma/base/component.h"
#include "plataforma/gui/kernel/win_types.h"

#include <string>

struct HGLOBAL__;
using HGLOBAL = HGLOBAL__*;
using HANDLE = HGLOBAL;

// Standard formats.
enum : UINT { CF_TEXT = 1, CF_OEMTEXT = 7, CF_UNICODETEXT = 13 };

enum : UINT {
    GMEM_FIXED = 0x0000,
    GMEM_MOVEABLE = 0x0002,
    GMEM_ZEROINIT = 0x0040,
    GMEM_DDESHARE = 0x2000,
    GMEM_SHARE = 0x2000,
    GHND = GMEM_MOVEABLE | GMEM_ZEROINIT,
};

// Global memory blocks, as the clipboard takes and gives them.
HGLOBAL GlobalAlloc(UINT uFlags, std::size_t dwBytes);
// The block's bytes (nullptr for an unknown handle); valid until the block is freed.
void* GlobalLock(HGLOBAL hMem);
BOOL GlobalUnlock(HGLOBAL hMem);
std::size_t GlobalSize(HGLOBAL hMem);
// nullptr on success, as Win32 answers.
HGLOBAL GlobalFree(HGLOBAL hMem);

// The same number for the same name (without regard to case) for the whole run, from
// 0xC000 up; 0 for an empty name.
UINT RegisterClipboardFormat(const AnsiString& lpszFormat);
// The name of a registered format, "" for others.
AnsiString GetClipboardFormatName(UINT format);

BOOL OpenClipboard(HWND hWndNewOwner);
BOOL CloseClipboard();
// Only while open: the clipboard becomes empty, and this program its owner.
BOOL EmptyClipboard();
// Only while open: the clipboard takes the block (the caller must not free it) and returns
// it; nullptr when the clipboard is not open or the block unknown.
HANDLE SetClipboardData(UINT uFormat, HANDLE hMem);
// Only while open: a block owned by the clipboard, valid until it closes; nullptr when the
// format is absent. CF_TEXT ends with a zero byte.
HANDLE GetClipboardData(UINT uFormat);
BOOL IsClipboardFormatAvailable(UINT format);

class TClipboard : public TPersistent {
public:
    // Nested: the first Open opens the clipboard, the last Close closes it.
    void Open();
    void Close();
    // Empties the clipboard.
    void Clear();
    bool HasFormat(WORD Format) const;

    AnsiString GetAsText() const;
    // Replaces the clipboard's content by the text.
    void SetAsText(const AnsiString& Value);
    // The text up to BufSize - 1 bytes, zero-terminated; returns its length.
    int GetTextBuf(char* Buffer, int BufSize) const;
    void SetTextBuf(const char* Buffer);

    // The data of a format; "" when absent.
    std::string GetBuffer(WORD Format) const;
    // The first data set during one Open empties the clipboard; later ones add formats.
    void SetBuffer(WORD Format, const void* Buffer, int Size);
    HANDLE GetAsHandle(WORD Format) const;
    void SetAsHandle(WORD Format, HANDLE Value);

private:
    void Adding();

    int openCount_ = 0;
    bool emptied_ = false;
};

// The program's clipboard object.
TClipboard* Clipboard();
