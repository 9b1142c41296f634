#pragma once
// Inside the platform layer only: the pixels behind the graphics, for the canvas, the
// image list and the picture formats.

#include "plataforma/gui/images/graphics.h"

#include <QImage>

#include <string>

enum class GraphicFormat { Unknown, Bmp, Png, Jpeg, Gif, Ico };
// The format a file's first bytes announce.
GraphicFormat SniffGraphicFormat(const std::string& data);
// Whether a picture of that declared size may be decoded from data of that many bytes: up
// to 4096 x 4096 pixels always, beyond that at most 1024 pixels per byte of data, and never
// more than 200,000,000 pixels. A damaged header then cannot make a reader allocate far more
// memory than its data could fill.
bool DeclaredSizeAllowed(const QSize& size, size_t bytes);
// Qt's readers for BMP, PNG, GIF (first frame) and ICO; JPEG never goes through them. A
// null image when the data cannot be read.
QImage ReadImage(const std::string& data, GraphicFormat format);
// An image in the bitmap's pixel layout: 32-bit RGB, or premultiplied ARGB when it has
// an alpha channel.
QImage NormalizedImage(const QImage& image);
// A copy in which the pixels of one colour are transparent.
QImage WithTransparentColor(const QImage& image, COLORREF color);

struct GraphicAccess {
    // The bitmap's pixels, which its canvas draws on.
    static QImage& Pixels(TBitmap* Bitmap);
    // The graphic at its own size, transparency as alpha: what Draw puts on a canvas.
    static QImage Render(TGraphic* Graphic);
    // The graphic drawn on white in 32-bit RGB (a null image for an empty graphic): how a
    // format without transparency takes another graphic.
    static QImage OnWhite(TGraphic* Graphic);
};
