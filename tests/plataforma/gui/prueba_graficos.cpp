// Bitmaps and their transparency, icons, GIF frames, pictures that choose their class by
// content, named bitmap resources and image lists.

#include "tests/plataforma/gui/canvas_prueba.h"

#include "plataforma/base/file_errors.h"
#include "plataforma/gui/images/bitmap_resources.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/images/image_list.h"
#include "plataforma/gui/images/jpeg.h"
#include "tests/comun/carpeta_temporal.h"

#include <gtest/gtest.h>

namespace {

// A bitmap of w x h in one colour, with one pixel of another at (x, y).
std::unique_ptr<TBitmap> Liso(int w, int h, TColor fondo) {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(w, h);
    b->GetCanvas()->GetBrush()->SetColor(fondo);
    b->GetCanvas()->FillRect(Rect(0, 0, w, h));
    return b;
}

TEST(Mapas, LaTransparenciaTomaElColorDeLaEsquinaInferiorIzquierda) {
    auto b = Liso(6, 6, clFuchsia);
    b->GetCanvas()->GetBrush()->SetColor(clRed);
    b->GetCanvas()->FillRect(Rect(2, 2, 4, 4));
    EXPECT_EQ(b->GetTransparentColor(), clFuchsia);
    TRecordingCanvas c(20, 20);
    Reset(&c, 20, 20);
    c.GetBrush()->SetColor(clBlue);
    c.FillRect(Rect(0, 0, 20, 20));
    c.Draw(0, 0, b.get());
    EXPECT_EQ(Px(&c, 0, 0), clFuchsia); // opaque by default
    b->SetTransparent(true);
    c.Draw(10, 10, b.get());
    EXPECT_EQ(Px(&c, 10, 10), clBlue);
    EXPECT_EQ(Px(&c, 12, 12), clRed);
    // A fixed colour replaces the corner's.
    b->SetTransparentColor(clRed);
    EXPECT_EQ(b->GetTransparentMode(), tmFixed);
    c.Draw(0, 10, b.get());
    EXPECT_EQ(Px(&c, 0, 10), clFuchsia);
    EXPECT_EQ(Px(&c, 2, 12), clBlue);
    // Stretched, the transparent parts stay transparent.
    c.FillRect(Rect(0, 0, 20, 20));
    c.StretchDraw(Rect(0, 0, 12, 12), b.get());
    EXPECT_EQ(Px(&c, 5, 5), clBlue);
    EXPECT_EQ(Px(&c, 1, 1), clFuchsia);
}

// A BMP file of W x H pixels: 8 bits RLE-compressed with only the end mark (a whole picture
// from a few bytes), or 1 bit uncompressed with every row.
std::string Bmp(int W, int H, bool Rle) {
    auto u32 = [](std::string& s, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            s += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    const int colours = Rle ? 1 : 2;
    const std::string pixels =
        Rle ? std::string("\0\1", 2)
            : std::string(static_cast<size_t>((W + 31) / 32 * 4) * static_cast<size_t>(H), '\0');
    const uint32_t offset = 14 + 40 + 4 * colours;
    std::string s = "BM";
    u32(s, offset + static_cast<uint32_t>(pixels.size()));
    u32(s, 0);
    u32(s, offset);
    u32(s, 40);
    u32(s, static_cast<uint32_t>(W));
    u32(s, static_cast<uint32_t>(H));
    s += std::string("\1\0", 2);
    s += Rle ? std::string("\x08\0", 2) : std::string("\1\0", 2);
    u32(s, Rle ? 1 : 0);
    u32(s, static_cast<uint32_t>(pixels.size()));
    u32(s, 2835);
    u32(s, 2835);
    u32(s, colours);
    u32(s, 0);
    for (int i = 0; i < colours; ++i)
        u32(s, i ? 0xFFFFFF : 0);
    return s + pixels;
}

// A header that declares a picture far larger than its data could fill is refused before the
// pixels are allocated; a large picture whose data fills it still loads.
TEST(Mapas, UnaCabeceraNoPideMasDeLoQueLosDatosLlenan) {
    TBitmap b;
    b.LoadFromBytes(Bmp(300, 200, true));
    EXPECT_EQ(b.GetWidth(), 300);
    EXPECT_THROW(b.LoadFromBytes(Bmp(6000, 5000, true)), EInvalidGraphic);
    EXPECT_EQ(b.GetWidth(), 300); // the picture before stays
    b.LoadFromBytes(Bmp(4500, 4000, false));
    EXPECT_EQ(b.GetWidth(), 4500);
    EXPECT_EQ(b.GetHeight(), 4000);
    // A few bytes may declare a megapixel, not more: memory a fixed multiple of the data.
    const struct {
        int w, h;
        bool carga;
    } pocos[] = {{1024, 1024, true}, {1025, 1024, false}, {4096, 4096, false}, {64, 20000, false}};
    for (const auto& c : pocos) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        TBitmap p;
        if (c.carga) {
            p.LoadFromBytes(Bmp(c.w, c.h, true));
            EXPECT_EQ(p.GetWidth(), c.w);
        } else {
            EXPECT_THROW(p.LoadFromBytes(Bmp(c.w, c.h, true)), EInvalidGraphic);
        }
    }
}

TEST(Mapas, BrushCopyCambiaUnColorPorLaBrocha) {
    auto b = Liso(4, 4, clFuchsia);
    b->GetCanvas()->GetPixels(0, 0);
    b->GetCanvas()->SetPixels(1, 1, clBlack);
    TRecordingCanvas c(10, 10);
    Reset(&c, 10, 10);
    c.GetBrush()->SetColor(clLime);
    c.BrushCopy(Rect(0, 0, 4, 4), b.get(), Rect(0, 0, 4, 4), clFuchsia);
    EXPECT_EQ(Px(&c, 0, 0), clLime);
    EXPECT_EQ(Px(&c, 1, 1), clBlack);
    // With a clear brush the destination shows through.
    c.GetBrush()->SetStyle(bsClear);
    c.BrushCopy(Rect(5, 5, 9, 9), b.get(), Rect(0, 0, 4, 4), clFuchsia);
    EXPECT_EQ(Px(&c, 5, 5), clWhite);
    EXPECT_EQ(Px(&c, 6, 6), clBlack);
}

TEST(Mapas, AnchoYAltoPuestosUnoTrasOtro) {
    // Either side first: the first side is kept while the bitmap has no pixels yet, and its
    // canvas draws once both are set.
    for (const bool anchoPrimero : {true, false}) {
        TBitmap b;
        if (anchoPrimero)
            b.SetWidth(40);
        else
            b.SetHeight(30);
        EXPECT_TRUE(b.GetEmpty());
        TBitmap copia;
        copia.Assign(&b); // a copy keeps the side set so far
        EXPECT_EQ(copia.GetWidth(), anchoPrimero ? 40 : 0);
        EXPECT_EQ(copia.GetHeight(), anchoPrimero ? 0 : 30);
        if (anchoPrimero)
            b.SetHeight(30);
        else
            b.SetWidth(40);
        ASSERT_EQ(b.GetWidth(), 40) << anchoPrimero;
        ASSERT_EQ(b.GetHeight(), 30) << anchoPrimero;
        EXPECT_FALSE(b.GetEmpty());
        TCanvas* c = b.GetCanvas();
        c->GetBrush()->SetColor(clRed);
        c->FillRect(Rect(0, 0, 40, 30));
        EXPECT_EQ(c->GetPixels(0, 0), clRed);
        EXPECT_EQ(c->GetPixels(39, 29), clRed);
        EXPECT_EQ(c->GetClipRect(), Rect(0, 0, 40, 30));
        // Back to no pixels and out again: the old pixels are gone, the new ones white.
        b.SetHeight(0);
        EXPECT_TRUE(b.GetEmpty());
        EXPECT_EQ(b.GetWidth(), 40);
        b.SetHeight(10);
        EXPECT_EQ(c->GetPixels(39, 9), clWhite);
        b.Assign(nullptr);
        EXPECT_EQ(b.GetWidth(), 0);
        EXPECT_EQ(b.GetHeight(), 0);
    }
}

TEST(Mapas, TamanoAsignacionYFicheros) {
    CarpetaTemporal dir;
    auto b = Liso(3, 2, clRed);
    int avisos = 0;
    b->OnChange = [&](TObject*) { ++avisos; };
    b->SetWidth(5); // the new pixels are white, the old ones stay
    EXPECT_EQ(b->GetCanvas()->GetPixels(2, 1), clRed);
    EXPECT_EQ(b->GetCanvas()->GetPixels(4, 1), clWhite);
    EXPECT_GE(avisos, 1);
    b->GetCanvas()->SetPixels(0, 0, clBlue); // drawing on the canvas changes the bitmap
    EXPECT_GE(avisos, 2);
    b->SaveToFile(dir.Ruta() + "Dibujo.bmp");
    TBitmap leido;
    leido.LoadFromFile(dir.Ruta() + "DIBUJO.BMP"); // found without regard to case
    EXPECT_EQ(leido.GetWidth(), 5);
    EXPECT_EQ(leido.GetHeight(), 2);
    EXPECT_EQ(leido.GetCanvas()->GetPixels(0, 0), clBlue);
    TBitmap copia;
    copia.Assign(&leido);
    EXPECT_EQ(copia.GetCanvas()->GetPixels(2, 1), clRed);
    copia.Assign(nullptr);
    EXPECT_TRUE(copia.GetEmpty());
    EXPECT_THROW(leido.LoadFromFile(dir.Ruta() + "no.bmp"), EFOpenError);
    EXPECT_THROW(leido.LoadFromBytes("BM no es un mapa de bits de verdad"), EInvalidGraphic);
    EXPECT_EQ(leido.GetWidth(), 5); // a failed load leaves the bitmap as it was
}

// A GIF of one pixel and two frames, white for 100 ms and then black for 200 ms.
std::string GifDeDosCuadros() {
    const unsigned char bytes[] = {
        'G',  'I',  'F',  '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, // screen, 2-colour table
        0xFF, 0xFF, 0xFF, 0,   0,   0,                           // white, black
        0x21, 0xF9, 4,    0,   10,  0,   0, 0,                   // 10 hundredths
        0x2C, 0,    0,    0,   0,   1,   0, 1, 0, 0, 2,    2, 0x44, 0x01, 0, // index 0
        0x21, 0xF9, 4,    0,   20,  0,   0, 0,                               // 20 hundredths
        0x2C, 0,    0,    0,   0,   1,   0, 1, 0, 0, 2,    2, 0x4C, 0x01, 0, // index 1
        0x3B};
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

TEST(Imagenes, LosCuadrosDeUnGif) {
    TGIFImage gif;
    gif.LoadFromBytes(GifDeDosCuadros());
    ASSERT_EQ(gif.GetFrameCount(), 2);
    EXPECT_EQ(gif.GetFrameDelay(0), 100);
    EXPECT_EQ(gif.GetFrameDelay(1), 200);
    EXPECT_EQ(gif.GetFrameDelay(2), -1);
    TRecordingCanvas c(4, 4);
    c.Draw(0, 0, &gif);
    EXPECT_EQ(Px(&c, 0, 0), clWhite);
    gif.SetFrame(1);
    c.Draw(0, 0, &gif);
    EXPECT_EQ(Px(&c, 0, 0), clBlack);
    EXPECT_EQ(gif.SaveToBytes(), GifDeDosCuadros());
    EXPECT_THROW(gif.LoadFromBytes("GIF8"), EInvalidGraphic);
}

TEST(Imagenes, UnIconoConservaSuTransparencia) {
    TBitmap b;
    b.SetSize(16, 16);
    b.SetPixelFormat(pf32bit);
    b.GetCanvas()->GetBrush()->SetColor(clRed);
    b.GetCanvas()->FillRect(Rect(4, 4, 12, 12));
    b.SetTransparent(true); // white corner: transparent
    TIcon icono;
    icono.Assign(&b);
    TIcon leido;
    leido.LoadFromBytes(icono.SaveToBytes());
    EXPECT_EQ(leido.GetWidth(), 16);
    EXPECT_TRUE(leido.GetTransparent());
    EXPECT_THROW(leido.SetWidth(32), EInvalidGraphicOperation);
    TRecordingCanvas c(20, 20);
    c.GetBrush()->SetColor(clBlue);
    c.FillRect(Rect(0, 0, 20, 20));
    c.Draw(0, 0, &leido);
    EXPECT_EQ(Px(&c, 1, 1), clBlue);
    EXPECT_EQ(Px(&c, 6, 6), clRed);
}

TEST(Imagenes, TPictureEligeLaClasePorElContenido) {
    CarpetaTemporal dir;
    auto b = Liso(4, 3, clGreen);
    b->SaveToFile(dir.Ruta() + "a.bmp");
    TJPEGImage j;
    j.Assign(b.get());
    j.SaveToFile(dir.Ruta() + "b.jpg");
    dir.Fichero("c.gif", GifDeDosCuadros());
    // The content decides, whatever the extension says.
    dir.Fichero("d.jpg", b->SaveToBytes());
    struct Caso {
        const char* fichero;
        const char* clase;
    };
    const Caso casos[] = {
        {"a.bmp", "bitmap"}, {"b.jpg", "jpeg"}, {"c.gif", "gif"}, {"d.jpg", "bitmap"}};
    TPicture p;
    int avisos = 0;
    p.OnChange = [&](TObject*) { ++avisos; };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.fichero);
        p.LoadFromFile(dir.Ruta() + k.fichero);
        TGraphic* g = p.GetGraphic();
        ASSERT_NE(g, nullptr);
        const std::string clase = dynamic_cast<TBitmap*>(g)      ? "bitmap"
                                  : dynamic_cast<TJPEGImage*>(g) ? "jpeg"
                                  : dynamic_cast<TGIFImage*>(g)  ? "gif"
                                                                 : "?";
        EXPECT_EQ(clase, k.clase);
        EXPECT_GT(p.GetWidth(), 0);
    }
    EXPECT_EQ(avisos, 4);
    EXPECT_THROW(p.LoadFromFile(dir.Ruta() + "no.gif"), EFOpenError);
    // Unknown content: the message names the extension; a broken file of a known kind says
    // what is wrong with it.
    dir.Fichero("e.xyz", "nada");
    try {
        p.LoadFromFile(dir.Ruta() + "e.xyz");
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message, AnsiString("Unknown picture file extension (.xyz)"));
    }
    p.LoadFromFile(dir.Ruta() + "c.gif");
    dir.Fichero("f.bmp", "nada");
    EXPECT_THROW(p.LoadFromFile(dir.Ruta() + "f.bmp"), EInvalidGraphic);
    EXPECT_NE(dynamic_cast<TGIFImage*>(p.GetGraphic()), nullptr); // the last good picture stays
    // Asking for the bitmap of a GIF picture replaces it with an empty bitmap.
    EXPECT_TRUE(p.GetBitmap()->GetEmpty());
    p.Assign(b.get());
    EXPECT_EQ(p.GetWidth(), 4);
    EXPECT_NE(p.GetGraphic(), b.get()); // a copy
}

TEST(Recursos, LosMapasConNombreSeDibujanEnCodigo) {
    RegisterBitmapResource("PRUEBACHK", [](TBitmap* b) {
        PaintBitmapRows(b, {"..X", ".X.", "X"}, {{'.', clFuchsia}, {'X', clBlack}});
    });
    EXPECT_TRUE(BitmapResourceExists("pruebachk"));
    TBitmap b;
    b.LoadFromResourceName(HInstance, "PruebaChk");
    ASSERT_EQ(b.GetWidth(), 3);
    ASSERT_EQ(b.GetHeight(), 3);
    EXPECT_EQ(b.GetCanvas()->GetPixels(2, 0), clBlack);
    EXPECT_EQ(b.GetCanvas()->GetPixels(0, 0), clFuchsia);
    EXPECT_EQ(b.GetCanvas()->GetPixels(2, 2), clFuchsia); // a short row ends in the first colour
    try {
        b.LoadFromResourceName(HInstance, "NOEXISTE");
        FAIL();
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message, AnsiString("Resource NOEXISTE not found"));
    }
}

TEST(ListasDeImagenes, TirasMascarasYAspectoDeshabilitado) {
    TImageList lista(nullptr, 4, 4);
    auto tira = Liso(8, 4, clFuchsia);
    tira->GetCanvas()->GetBrush()->SetColor(clRed);
    tira->GetCanvas()->FillRect(Rect(1, 1, 3, 3));
    tira->GetCanvas()->GetBrush()->SetColor(clBlue);
    tira->GetCanvas()->FillRect(Rect(5, 1, 7, 3));
    EXPECT_EQ(lista.AddMasked(tira.get(), clFuchsia), 0);
    EXPECT_EQ(lista.GetCount(), 2);
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(lista.GetHandle(), &cx, &cy));
    EXPECT_EQ(cx, 4);

    TRecordingCanvas c(20, 10);
    Reset(&c, 20, 10);
    lista.Draw(&c, 0, 0, 1);
    EXPECT_EQ(Px(&c, 1, 1), clBlue);
    EXPECT_EQ(Px(&c, 0, 0), clWhite); // the mask colour lets the canvas show
    lista.Draw(&c, 10, 0, 0, false);  // disabled: shadow, and highlight one pixel down-right
    EXPECT_EQ(Px(&c, 11, 1), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));
    EXPECT_EQ(Count(&c, Rect(10, 0, 14, 4), clRed), 0);
    lista.Draw(&c, 0, 5, 7); // no such image: nothing
    EXPECT_EQ(Count(&c, Rect(0, 5, 20, 10), clWhite), 100);
    EXPECT_TRUE(ImageList_Draw(lista.GetHandle(), 0, c.GetHandle(), 5, 5, ILD_NORMAL));
    EXPECT_EQ(Px(&c, 6, 6), clRed);

    TBitmap una;
    lista.GetBitmap(0, &una);
    EXPECT_EQ(una.GetWidth(), 4);
    EXPECT_EQ(una.GetCanvas()->GetPixels(1, 1), clRed);
    EXPECT_EQ(una.GetCanvas()->GetPixels(0, 0), clWhite);
    lista.Delete(0);
    EXPECT_EQ(lista.GetCount(), 1);
    EXPECT_THROW(lista.Delete(5), EInvalidOperation);
    lista.SetWidth(8); // a new size empties the list
    EXPECT_EQ(lista.GetCount(), 0);
}

} // namespace
