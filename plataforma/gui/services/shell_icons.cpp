#include "plataforma/gui/services/shell_icons.h"

#include "plataforma/base/files.h"
#include "plataforma/gui/images/graphics_internal.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QApplication>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QPainter>
#include <QStyle>

#include <map>
#include <memory>

namespace {

struct ListaDelSistema {
    std::unique_ptr<TImageList> lista;
    std::map<qint64, int> indices; // by the icon's cache key
};

ListaDelSistema& Lista(bool pequena) {
    static ListaDelSistema listas[2];
    ListaDelSistema& l = listas[pequena ? 0 : 1];
    if (!l.lista) {
        const int lado = pequena ? 16 : 32;
        l.lista = std::make_unique<TImageList>(nullptr, lado, lado);
    }
    return l;
}

QIcon Icono(const AnsiString& ruta, DWORD atributos, bool porAtributos) {
    QFileIconProvider proveedor;
    if (porAtributos) {
        if (atributos & FILE_ATTRIBUTE_DIRECTORY)
            return proveedor.icon(QAbstractFileIconProvider::Folder);
        // A kind of file: a name that does not exist still gives its extension's icon.
        return proveedor.icon(
            QFileInfo(QStringLiteral("/nonexistent/") + ToQString(ExtractFileName(ruta))));
    }
    return proveedor.icon(QFileInfo(QString::fromStdString(NativePath(ruta))));
}

// The icon's place in the list, added the first time.
int Indice(ListaDelSistema& l, QIcon icono) {
    if (icono.isNull()) icono = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
    const auto hallado = l.indices.find(icono.cacheKey());
    if (hallado != l.indices.end()) return hallado->second;
    const int lado = l.lista->GetWidth();
    QImage imagen(lado, lado, QImage::Format_ARGB32_Premultiplied);
    imagen.fill(Qt::transparent);
    {
        QPainter p(&imagen);
        icono.paint(&p, QRect(0, 0, lado, lado));
    }
    TBitmap mapa;
    mapa.SetSize(lado, lado);
    GraphicAccess::Pixels(&mapa) = NormalizedImage(imagen);
    const int i = l.lista->Add(&mapa, nullptr);
    l.indices[icono.cacheKey()] = i;
    return i;
}

} // namespace

std::uintptr_t SHGetFileInfo(const char* Path, DWORD FileAttributes, SHFILEINFO* Info, UINT,
                             UINT Flags) {
    if (!(Flags & SHGFI_SYSICONINDEX)) return 0;
    ListaDelSistema& l = Lista(Flags & SHGFI_SMALLICON);
    const AnsiString ruta(Path ? Path : "");
    if (Info != nullptr && !ruta.IsEmpty()) {
        Info->iIcon = Indice(l, Icono(ruta, FileAttributes, Flags & SHGFI_USEFILEATTRIBUTES));
        Info->dwAttributes = 0;
    }
    return reinterpret_cast<std::uintptr_t>(l.lista->GetHandle());
}
