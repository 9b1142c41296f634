#include "plataforma/gui/services/clipboard.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/services/mime_formats.h"
#include "plataforma/gui/services/ole.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QUrl>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace {

// --- global memory ---

// Each block's bytes; a string, so that data read for a block moves into it whole.
std::map<HGLOBAL, std::string>& Bloques() {
    static std::map<HGLOBAL, std::string> bloques;
    return bloques;
}
std::uintptr_t siguienteBloque = 0x1000;

HGLOBAL NuevoBloque(std::string datos) {
    HGLOBAL h = reinterpret_cast<HGLOBAL>(siguienteBloque);
    siguienteBloque += 16;
    Bloques()[h] = std::move(datos);
    return h;
}

// --- formats ---

std::vector<AnsiString>& Registrados() {
    static std::vector<AnsiString> nombres;
    return nombres;
}
constexpr UINT kPrimerRegistrado = 0xC000;

// MIME types: the program's exact 8-bit and UTF-16 texts, and a type per registered name.
const QString kMimeTextoExacto = QStringLiteral("application/x-quenbar-cf-text");
const QString kMimeUnicodeExacto = QStringLiteral("application/x-quenbar-cf-unicodetext");

QString MimeDeNombre(const AnsiString& nombre) {
    QString s;
    for (unsigned char c : nombre.str())
        s += (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
                 ? QChar(c)
                 : QChar('-');
    return QStringLiteral("application/x-quenbar-format-") + s.toLower();
}

// The Windows HTML fragment keeps its HTML after the "StartHTML:" offset.
QByteArray HtmlDelFragmento(const std::string& datos) {
    size_t p = datos.find("StartHTML:");
    size_t inicio = 0;
    if (p != std::string::npos) {
        long v = std::strtol(datos.c_str() + p + 10, nullptr, 10);
        if (v > 0 && static_cast<size_t>(v) < datos.size()) inicio = static_cast<size_t>(v);
    }
    std::string html = datos.substr(inicio);
    return QByteArray::fromStdString(cp1252::ToUtf8(html));
}

// Text for other programs: every CR LF as LF, lone CRs and LFs as they stand.
QString ConLfSolo(QString texto) {
    texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return texto;
}

// The same from 8-bit text, converted and its line ends changed in one pass.
QString ConLfSolo(std::string_view texto) {
    QString t(static_cast<qsizetype>(texto.size()), Qt::Uninitialized);
    QChar* u = t.data();
    for (size_t i = 0; i < texto.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(texto[i]);
        if (c == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n') continue;
        *u++ = QChar(c < 0x80 ? char16_t{c} : static_cast<char16_t>(cp1252::ToUnicode(c)));
    }
    t.truncate(u - t.constData());
    return t;
}

std::string ConCrLf(const std::string& texto) {
    std::string s;
    for (size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] == '\n' && (i == 0 || texto[i - 1] != '\r')) s += '\r';
        s += texto[i];
    }
    return s;
}

QClipboard* SistemaPortapapeles() {
    EnsureQtApplication();
    return QGuiApplication::clipboard();
}

// --- the open clipboard ---

struct Abierto {
    bool abierto = false;
    bool cambiado = false;
    // What the clipboard will hold once written; until a write, null: the system's data,
    // which reads see as it is and which is copied only when a format is added to it.
    std::unique_ptr<QMimeData> datos;
    std::vector<HGLOBAL> entregados; // blocks handed out by GetClipboardData
};
Abierto& Estado() {
    static Abierto estado;
    return estado;
}

void LiberarEntregados() {
    for (HGLOBAL h : Estado().entregados)
        Bloques().erase(h);
    Estado().entregados.clear();
}

const QMimeData* DatosActuales() {
    if (Estado().abierto && Estado().datos) return Estado().datos.get();
    return SistemaPortapapeles()->mimeData();
}

// Whether the text has a character that Windows-1252 lacks, read in its UTF-16 units: a
// surrogate is half of a character beyond them all.
bool FueraDe1252(const QString& t) {
    for (QChar c : t) {
        const char16_t u = c.unicode();
        if (u >= 0x80 && (c.isSurrogate() || cp1252::FromUnicode(u) < 0)) return true;
    }
    return false;
}

// Plain text in some encoding; a list of URIs alone is no text (Qt counts it as text).
bool TieneTexto(const QMimeData* datos) {
    for (const QString& f : datos->formats())
        if (f == QStringLiteral("text/plain") || f.startsWith(QStringLiteral("text/plain;")))
            return true;
    return false;
}

// The bytes of a format in mime data; false when absent.
bool LeerFormato(const QMimeData* datos, UINT formato, std::string& salida) {
    if (!datos) return false;
    switch (formato) {
    case CF_TEXT:
    case CF_OEMTEXT:
        if (datos->hasFormat(kMimeTextoExacto)) {
            salida = datos->data(kMimeTextoExacto).toStdString();
            return true;
        }
        if (!TieneTexto(datos)) return false;
        salida = ConCrLf(FromQString(datos->text()).str());
        return true;
    case CF_UNICODETEXT: {
        // This program's Unicode text travels exactly; so does its 8-bit text, when the
        // system's has nothing that the code page lacks. Other programs' text is taken as the
        // system has it, with CR LF breaks.
        if (datos->hasFormat(kMimeUnicodeExacto)) {
            const QByteArray u = datos->data(kMimeUnicodeExacto);
            salida.assign(u.constData(), static_cast<size_t>(u.size()) & ~size_t(1));
            return true;
        }
        if (!TieneTexto(datos) && !datos->hasFormat(kMimeTextoExacto)) return false;
        QString t = datos->hasFormat(kMimeTextoExacto)
                        ? ToQString(AnsiString(datos->data(kMimeTextoExacto).toStdString()))
                        : QString();
        if (TieneTexto(datos) && (t.isEmpty() || FueraDe1252(datos->text()))) {
            t = datos->text();
            t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            t.replace(QChar('\n'), QStringLiteral("\r\n"));
        }
        salida.assign(reinterpret_cast<const char*>(t.utf16()), static_cast<size_t>(t.size()) * 2);
        return true;
    }
    case CF_HDROP: {
        std::vector<std::u16string> nombres;
        for (const QUrl& u : datos->urls())
            if (u.isLocalFile() && !u.toLocalFile().isEmpty())
                nombres.push_back(u.toLocalFile().toStdU16String());
        if (nombres.empty()) return false;
        salida = DropFilesBlock(nombres);
        return true;
    }
    default:
        break;
    }
    AnsiString nombre = GetClipboardFormatName(formato);
    if (nombre.IsEmpty()) return false;
    QString mime = MimeDeNombre(nombre);
    if (datos->hasFormat(mime)) {
        salida = datos->data(mime).toStdString();
        return true;
    }
    // Rich text from other programs.
    if (AnsiSameText(nombre, "Rich Text Format")) {
        for (const char* m : {"text/rtf", "application/rtf"})
            if (datos->hasFormat(QString::fromLatin1(m))) {
                salida = datos->data(QString::fromLatin1(m)).toStdString();
                return true;
            }
    }
    return false;
}

// Whether LeerFormato would find the format, without reading the text.
bool Disponible(const QMimeData* datos, UINT formato) {
    if (!datos) return false;
    switch (formato) {
    case CF_TEXT:
    case CF_OEMTEXT:
        return datos->hasFormat(kMimeTextoExacto) || TieneTexto(datos);
    case CF_UNICODETEXT:
        return datos->hasFormat(kMimeUnicodeExacto) || datos->hasFormat(kMimeTextoExacto) ||
               TieneTexto(datos);
    default: {
        std::string bytes;
        return LeerFormato(datos, formato, bytes);
    }
    }
}

void EscribirFormato(QMimeData* datos, UINT formato, std::string_view bytes) {
    switch (formato) {
    case CF_TEXT:
    case CF_OEMTEXT: {
        const std::string_view texto = bytes.substr(0, bytes.find('\0'));
        datos->setData(kMimeTextoExacto,
                       QByteArray(texto.data(), static_cast<qsizetype>(texto.size())));
        // Other programs see the Unicode text when there is one: it has every character.
        if (!datos->hasFormat(kMimeUnicodeExacto)) datos->setText(ConLfSolo(texto));
        return;
    }
    case CF_UNICODETEXT: {
        // The UTF-16 units as they are: a first U+FEFF or U+FFFE is a character of the text,
        // not a byte order mark to strip or to swap the text by.
        QString t(static_cast<qsizetype>(bytes.size() / 2), Qt::Uninitialized);
        std::memcpy(t.data(), bytes.data(), static_cast<size_t>(t.size()) * 2);
        t.truncate(t.indexOf(QChar(0)) < 0 ? t.size() : t.indexOf(QChar(0)));
        datos->setData(kMimeUnicodeExacto,
                       QByteArray(reinterpret_cast<const char*>(t.utf16()), t.size() * 2));
        // The 8-bit text, when none was set, as the code page has it.
        if (!datos->hasFormat(kMimeTextoExacto))
            datos->setData(kMimeTextoExacto, QByteArray::fromStdString(FromQString(t).str()));
        datos->setText(ConLfSolo(t));
        return;
    }
    default:
        break;
    }
    AnsiString nombre = GetClipboardFormatName(formato);
    if (nombre.IsEmpty()) return;
    datos->setData(MimeDeNombre(nombre),
                   QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (AnsiSameText(nombre, "Rich Text Format")) {
        const std::string_view rtf = bytes.substr(0, bytes.find('\0'));
        datos->setData(QStringLiteral("text/rtf"),
                       QByteArray(rtf.data(), static_cast<qsizetype>(rtf.size())));
    } else if (AnsiSameText(nombre, "HTML Format")) {
        datos->setData(QStringLiteral("text/html"), HtmlDelFragmento(std::string(bytes)));
    }
}

std::unique_ptr<QMimeData> Copia(const QMimeData* origen) {
    auto copia = std::make_unique<QMimeData>();
    if (origen)
        for (const QString& f : origen->formats())
            copia->setData(f, origen->data(f));
    return copia;
}

} // namespace

// --- global memory ---

HGLOBAL GlobalAlloc(UINT, std::size_t dwBytes) {
    return NuevoBloque(std::string(dwBytes, '\0'));
}

void* GlobalLock(HGLOBAL hMem) {
    auto it = Bloques().find(hMem);
    // A block of no bytes still gives a pointer, as Win32 does for a non-empty handle.
    return it == Bloques().end() ? nullptr : it->second.data();
}

BOOL GlobalUnlock(HGLOBAL hMem) {
    return Bloques().count(hMem) ? TRUE : FALSE;
}

std::size_t GlobalSize(HGLOBAL hMem) {
    auto it = Bloques().find(hMem);
    return it == Bloques().end() ? 0 : it->second.size();
}

HGLOBAL GlobalFree(HGLOBAL hMem) {
    auto it = Bloques().find(hMem);
    if (it == Bloques().end()) return hMem;
    Bloques().erase(it);
    return nullptr;
}

// --- formats ---

UINT RegisterClipboardFormat(const AnsiString& lpszFormat) {
    if (lpszFormat.IsEmpty()) return 0;
    auto& nombres = Registrados();
    for (size_t i = 0; i < nombres.size(); ++i)
        if (AnsiSameText(nombres[i], lpszFormat)) return kPrimerRegistrado + static_cast<UINT>(i);
    nombres.push_back(lpszFormat);
    return kPrimerRegistrado + static_cast<UINT>(nombres.size() - 1);
}

AnsiString GetClipboardFormatName(UINT format) {
    auto& nombres = Registrados();
    if (format < kPrimerRegistrado || format - kPrimerRegistrado >= nombres.size()) return {};
    return nombres[format - kPrimerRegistrado];
}

// --- the clipboard ---

BOOL OpenClipboard(HWND) {
    Abierto& e = Estado();
    if (e.abierto) return FALSE;
    e.abierto = true;
    e.cambiado = false;
    e.datos.reset();
    return TRUE;
}

BOOL CloseClipboard() {
    Abierto& e = Estado();
    if (!e.abierto) return FALSE;
    e.abierto = false;
    LiberarEntregados();
    if (e.cambiado) SistemaPortapapeles()->setMimeData(e.datos.release());
    e.datos.reset();
    return TRUE;
}

BOOL EmptyClipboard() {
    Abierto& e = Estado();
    if (!e.abierto) return FALSE;
    e.datos = std::make_unique<QMimeData>();
    e.cambiado = true;
    return TRUE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem) {
    Abierto& e = Estado();
    auto it = Bloques().find(hMem);
    if (!e.abierto || it == Bloques().end()) return nullptr;
    // A format added without emptying the clipboard joins what it holds.
    if (!e.datos) e.datos = Copia(SistemaPortapapeles()->mimeData());
    EscribirFormato(e.datos.get(), uFormat, std::string_view(it->second.data(), it->second.size()));
    e.cambiado = true;
    // The clipboard keeps a copy; the block is its own from now on.
    Bloques().erase(it);
    return hMem;
}

HANDLE GetClipboardData(UINT uFormat) {
    Abierto& e = Estado();
    std::string bytes;
    if (!e.abierto || !LeerFormato(DatosActuales(), uFormat, bytes)) return nullptr;
    if (uFormat == CF_TEXT || uFormat == CF_OEMTEXT) bytes += '\0';
    if (uFormat == CF_UNICODETEXT) bytes.append(2, '\0');
    HGLOBAL h = NuevoBloque(std::move(bytes));
    e.entregados.push_back(h);
    return h;
}

BOOL IsClipboardFormatAvailable(UINT format) {
    return Disponible(DatosActuales(), format) ? TRUE : FALSE;
}

// --- TClipboard ---

void TClipboard::Open() {
    if (openCount_ == 0) {
        OpenClipboard(nullptr);
        emptied_ = false;
    }
    ++openCount_;
}

void TClipboard::Close() {
    if (openCount_ == 0) return;
    if (--openCount_ == 0) CloseClipboard();
}

void TClipboard::Clear() {
    Open();
    EmptyClipboard();
    Close();
}

void TClipboard::Adding() {
    if (openCount_ != 0 && !emptied_) {
        EmptyClipboard();
        emptied_ = true;
    }
}

bool TClipboard::HasFormat(WORD Format) const {
    return IsClipboardFormatAvailable(Format) != FALSE;
}

std::string TClipboard::GetBuffer(WORD Format) const {
    std::string bytes;
    LeerFormato(DatosActuales(), Format, bytes);
    return bytes;
}

void TClipboard::SetBuffer(WORD Format, const void* Buffer, int Size) {
    Open();
    Adding();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<size_t>(std::max(Size, 0)));
    if (Size > 0) std::memcpy(GlobalLock(h), Buffer, static_cast<size_t>(Size));
    SetClipboardData(Format, h);
    Close();
}

AnsiString TClipboard::GetAsText() const {
    return AnsiString(GetBuffer(CF_TEXT));
}

void TClipboard::SetAsText(const AnsiString& Value) {
    SetBuffer(CF_TEXT, Value.c_str(), Value.Length() + 1);
}

int TClipboard::GetTextBuf(char* Buffer, int BufSize) const {
    if (!Buffer || BufSize <= 0) return 0;
    std::string t = GetBuffer(CF_TEXT);
    int n = std::min(static_cast<int>(t.size()), BufSize - 1);
    std::memcpy(Buffer, t.data(), static_cast<size_t>(n));
    Buffer[n] = '\0';
    return n;
}

void TClipboard::SetTextBuf(const char* Buffer) {
    SetAsText(AnsiString(Buffer ? Buffer : ""));
}

HANDLE TClipboard::GetAsHandle(WORD Format) const {
    auto* self = const_cast<TClipboard*>(this);
    self->Open();
    HANDLE h = GetClipboardData(Format);
    // The copy outlives the close; it stays valid until the next call, as callers of the
    // class library never free it.
    static std::vector<HANDLE> anteriores;
    for (HANDLE viejo : anteriores)
        GlobalFree(viejo);
    anteriores.clear();
    HANDLE copia = nullptr;
    if (h) {
        copia = GlobalAlloc(GMEM_MOVEABLE, GlobalSize(h));
        if (GlobalSize(h)) std::memcpy(GlobalLock(copia), GlobalLock(h), GlobalSize(h));
        anteriores.push_back(copia);
    }
    self->Close();
    return copia;
}

void TClipboard::SetAsHandle(WORD Format, HANDLE Value) {
    Open();
    Adding();
    SetClipboardData(Format, Value);
    Close();
}

TClipboard* Clipboard() {
    static TClipboard portapapeles;
    return &portapapeles;
}

// --- the mapping, for drag and drop ---

bool ReadMimeFormat(const QMimeData* Data, UINT Format, std::string& Bytes) {
    return LeerFormato(Data, Format, Bytes);
}

void WriteMimeFormat(QMimeData* Data, UINT Format, const std::string& Bytes) {
    EscribirFormato(Data, Format, Bytes);
}
