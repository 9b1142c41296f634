// The picture container: pictures kept as bytes and drawn through the window layer's
// readers, GIF frames and their delays, damaged files read as errors, the container's and
// the cache's lookups, and the image control's placements.

#include "controles/grid/markup/picture_container.h"
#include "plataforma/base/filer.h"
#include "plataforma/base/streams.h"
#include "plataforma/gui/images/bitmap_resources.h"
#include "plataforma/gui/painting/recording_canvas.h"
#include "tests/comun/carpeta_temporal.h"
#include "tests/controles/comun/texto_prueba.h"
#include "tests/controles/grid/gif_prueba.h"

#include "tests/comun/imagen_componente.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

const std::string kPng(
    "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x02\x00\x00\x00"
    "\x02\x08\x02\x00\x00\x00\xFD\xD4\x9A\x73\x00\x00\x00\x10\x49\x44\x41\x54\x78\x9C\x63\xF8\xCF"
    "\x00\x04\xFF\x19\x20\x14\x00\x1B\xF2\x03\xFD\xD6\x96\xF2\x2B\x00\x00\x00\x00\x49\x45\x4E\x44"
    "\xAE\x42\x60\x82",
    73); // 2 x 2: red on the left, blue on the right

std::string TresFotogramas() {
    return GifDePrueba({{0, 0, 10}, {1, 1, 20}, {2, 2, 30}});
}

TColor Pintado(THTMLPicture& p, int x, int y) {
    TRecordingCanvas c(8, 8);
    c.GetBrush()->SetColor(clBlack);
    c.FillRect(TRect(0, 0, 8, 8));
    c.Draw(0, 0, &p);
    return c.GetPixels(x, y);
}

} // namespace

TEST(ImagenHTML, PngDesdeBytes) {
    THTMLPicture p;
    EXPECT_TRUE(p.GetEmpty());
    EXPECT_EQ(p.GetWidth(), 0);
    int cambios = 0;
    p.OnChange = [&](TObject*) { ++cambios; };
    p.LoadFromBytes(kPng);
    EXPECT_FALSE(p.GetEmpty());
    EXPECT_EQ(cambios, 1);
    EXPECT_EQ(p.GetWidth(), 2);
    EXPECT_EQ(p.GetHeight(), 2);
    EXPECT_FALSE(p.IsGIFFile());
    EXPECT_EQ(p.GetFrameCount(), -1);
    EXPECT_EQ(Pintado(p, 0, 1), clRed);
    EXPECT_EQ(Pintado(p, 1, 0), clBlue);
    EXPECT_EQ(Pintado(p, 2, 0), clBlack); // natural size
    p.SetStretch(true);
    TRecordingCanvas c(8, 8);
    c.StretchDraw(TRect(0, 0, 8, 8), &p);
    EXPECT_EQ(c.GetPixels(6, 6), clBlue);
    p.SetPixelsPerInch(192, 192);
    EXPECT_EQ(p.GetWidth(), 4);
    EXPECT_EQ(p.SaveToBytes(), kPng);
}

TEST(ImagenHTML, BmpEIconoDeLaCapa) {
    TBitmap b;
    b.SetSize(3, 2);
    b.GetCanvas()->GetBrush()->SetColor(clLime);
    b.GetCanvas()->FillRect(TRect(0, 0, 3, 2));
    THTMLPicture p;
    p.LoadFromBytes(b.SaveToBytes());
    EXPECT_EQ(p.GetWidth(), 3);
    EXPECT_EQ(Pintado(p, 2, 1), clLime);
    TIcon i;
    i.LoadFromBytes(b.SaveToBytes());
    THTMLPicture q;
    q.LoadFromBytes(i.SaveToBytes());
    EXPECT_EQ(q.GetWidth(), 3);
    THTMLPicture r;
    r.Assign(&p);
    EXPECT_EQ(r.GetWidth(), 3);
    r.Assign(nullptr);
    EXPECT_TRUE(r.GetEmpty());
    EXPECT_EQ(r.GetWidth(), 0);
}

TEST(ImagenHTML, FotogramasDeUnGif) {
    THTMLPicture p;
    p.LoadFromBytes(TresFotogramas());
    EXPECT_TRUE(p.IsGIFFile());
    EXPECT_EQ(p.GetFrameCount(), 3);
    EXPECT_EQ(p.GetMaxWidth(), 4);
    EXPECT_EQ(p.GetMaxHeight(), 2);
    EXPECT_EQ(p.GetFrameTime(2), 20);
    EXPECT_EQ(p.GetFrameDisposal(), 1);
    EXPECT_FALSE(p.GetFrameTransparent());
    EXPECT_EQ(p.GetFrameTime(4), -1);
    EXPECT_EQ(Pintado(p, 0, 0), clRed);
    int avisos = 0;
    p.OnFrameChange = [&](TObject*) { ++avisos; };
    p.SetFrame(3);
    EXPECT_EQ(p.GetFrameXPos(), 2);
    EXPECT_EQ(p.GetFrameXSize(), 1);
    EXPECT_EQ(Pintado(p, 2, 0), clBlue);
    p.FrameNext();
    EXPECT_EQ(p.GetFrame(), 1);
    p.FramePrev();
    EXPECT_EQ(p.GetFrame(), 3);
    p.FramePrev();
    EXPECT_EQ(p.GetFrame(), 2);
    EXPECT_EQ(Pintado(p, 1, 0), clLime);
    EXPECT_EQ(avisos, 4);
}

TEST(ImagenHTML, LosPasosSiguenLosRetardos) {
    THTMLPicture p;
    p.LoadFromBytes(TresFotogramas()); // 10, 20 and 30 hundredths
    std::vector<int> cambios;
    for (int tic = 0; tic < 8; ++tic)
        if (p.Step()) cambios.push_back(tic);
    // Ticks are tenths. The first tick moves on from frame 1; then each frame stays for its
    // own delay: frame 2 two ticks, frame 3 three, frame 1 one.
    EXPECT_EQ(cambios, (std::vector<int>{1, 3, 6, 7}));
    EXPECT_EQ(p.GetFrame(), 2);
    THTMLPicture uno;
    uno.LoadFromBytes(GifDePrueba({{0, 0, 10}}));
    EXPECT_FALSE(uno.Step());
    EXPECT_EQ(uno.GetFrame(), 1);
    THTMLPicture vacio;
    EXPECT_FALSE(vacio.Step());
}

TEST(ImagenHTML, FicherosDanadosSonErroresNoFallos) {
    const std::string gif = TresFotogramas();
    std::vector<std::string> malos = {"GIF8",             // 4 bytes: no GIF
                                      gif.substr(0, 20),  // cut in the colour table
                                      gif.substr(0, 27),  // cut in the first frame's control block
                                      gif.substr(0, 40),  // cut inside the image data
                                      kPng.substr(0, 40), // a PNG cut inside its data
                                      std::string("GIF89a\xFF\xFF\xFF\xFF\x81", 11),
                                      std::string("\x21\xF9\x04\x00\x00\x00\x00\x00\x2C", 9),
                                      "no es una imagen",
                                      ""};
    // A frame start at the very end: no descriptor to read after it.
    malos.push_back(gif.substr(0, 25) + std::string("\x21\xF9\x04\x00\x00\x00\x00\x00\x2C", 9));
    for (const std::string& m : malos) {
        THTMLPicture p;
        try {
            p.LoadFromBytes(m);
            // Some cuts still hold a readable picture; then it draws.
            Pintado(p, 0, 0);
            for (int f = 1; f <= p.GetFrameCount(); ++f)
                p.SetFrame(f);
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message, "Could not load image. Invalid format");
            EXPECT_FALSE(p.GetEmpty()); // the bytes are kept
        }
    }
    THTMLPicture p;
    EXPECT_THROW(p.LoadFromBytes(kPng.substr(0, 40)), Exception);
    EXPECT_EQ(Pintado(p, 0, 0), clBlack); // nothing to draw
    THTMLPicture cuatro;
    EXPECT_THROW(cuatro.LoadFromBytes("GIF8"), Exception);
    EXPECT_FALSE(cuatro.IsGIFFile());
}

TEST(ImagenHTML, DireccionesDeFicheroYRecurso) {
    CarpetaTemporal carpeta;
    const AnsiString ruta = carpeta.Ruta() + "/dibujo.png";
    std::ofstream(ruta.c_str(), std::ios::binary) << kPng;
    THTMLPicture p;
    p.LoadFromURL("file://" + ruta);
    EXPECT_EQ(p.GetWidth(), 2);
    EXPECT_EQ(p.GetID(), "file://" + ruta);
    RegisterBitmapResource("PRUEBA_IMAGEN_HTML", [](TBitmap* b) {
        b->SetSize(5, 3);
        b->GetCanvas()->GetBrush()->SetColor(clYellow);
        b->GetCanvas()->FillRect(TRect(0, 0, 5, 3));
    });
    THTMLPicture r;
    r.LoadFromURL("Res://PRUEBA_IMAGEN_HTML");
    EXPECT_EQ(r.GetWidth(), 5);
    EXPECT_EQ(Pintado(r, 4, 2), clYellow);
    EXPECT_THROW(r.LoadFromResourceID(HInstance, 7), EResNotFound);
    THTMLPicture red;
    // Handed to a download thread that fetches nothing and frees itself; once only.
    red.LoadFromURL("http://ejemplo.invalid/a.png");
    red.LoadFromURL("http://ejemplo.invalid/c.png");
    EXPECT_TRUE(red.GetEmpty());
    EXPECT_EQ(red.GetURL(), "http://ejemplo.invalid/a.png");
    EXPECT_EQ(red.GetID(), "");
    red.SetAsynch(false);
    red.LoadFromURL("http://ejemplo.invalid/b.png");
    EXPECT_EQ(red.GetID(), "http://ejemplo.invalid/b.png");
    EXPECT_TRUE(red.GetEmpty());
}

struct ConImagen : ConObjeto<THTMLPicture> {
    ConImagen() : ConObjeto("TConImagen", "Imagen") {}
};

// The picture's bytes go into the image as they were loaded and come back loaded: the same
// frames, drawn. An empty picture, or one equal to the ancestor's, is left out; bytes that
// are no picture are refused as a fault of the image.
TEST(ImagenHTML, GuardadaEnUnaImagenDeComponente) {
    ConImagen c;
    EXPECT_EQ(ImagenDe(c).find("Imagen.Data"), std::string::npos);
    const std::string gif = TresFotogramas();
    c.objeto.LoadFromBytes(gif);
    const std::string img = ImagenDe(c);
    std::string cabeza("\x0BImagen.Data\x0A", 13);
    for (int i = 0; i < 4; ++i)
        cabeza += static_cast<char>((gif.size() >> (8 * i)) & 0xFF);
    ASSERT_NE(img.find(cabeza + gif), std::string::npos);
    ConImagen r;
    LeerImagen(img, r);
    EXPECT_FALSE(r.objeto.GetEmpty());
    EXPECT_EQ(r.objeto.SaveToBytes(), gif);
    EXPECT_EQ(r.objeto.GetFrameCount(), 3);
    EXPECT_EQ(Pintado(r.objeto, 0, 0), Pintado(c.objeto, 0, 0));

    THTMLPicture ancestro;
    ancestro.LoadFromBytes(gif);
    c.ancestro = &ancestro;
    EXPECT_EQ(ImagenDe(c).find("Imagen.Data"), std::string::npos);
    ancestro.LoadFromBytes(kPng);
    EXPECT_NE(ImagenDe(c).find("Imagen.Data"), std::string::npos);

    std::string mala = img;
    mala.replace(mala.find(gif), 6, "NOGIF!");
    ConImagen m;
    EXPECT_THROW(LeerImagen(mala, m), EReadError);
}

TEST(Contenedor, NombresSinMayusculasYCache) {
    TPictureContainer c(nullptr);
    TPictureItem* logo = c.GetItems()->Add();
    logo->SetName("Logo");
    logo->GetPicture()->LoadFromBytes(kPng);
    c.GetItems()->Add()->SetName("otro");
    EXPECT_EQ(c.FindPicture("LOGO"), logo->GetPicture());
    EXPECT_EQ(c.FindPicture("nadie"), nullptr);
    EXPECT_EQ(c.GetVersion(), "1.0.0.0");
    c.SetVersion("9");
    EXPECT_EQ(c.GetVersion(), "1.0.0.0");
    TPictureContainer d(nullptr);
    d.SetItems(c.GetItems());
    ASSERT_EQ(d.GetItems()->GetCount(), 2);
    EXPECT_EQ(d.FindPicture("logo")->GetWidth(), 2);
    EXPECT_EQ(c.GetItems()->GetOwner(), &c);

    CarpetaTemporal carpeta;
    const AnsiString ruta = carpeta.Ruta() + "/a.gif";
    std::ofstream(ruta.c_str(), std::ios::binary) << TresFotogramas();
    THTMLPictureCache cache;
    THTMLPicture* p = cache.AddPicture();
    p->LoadFromURL("file://" + ruta);
    EXPECT_EQ(cache.FindPicture("file://" + ruta), p);
    EXPECT_EQ(cache.FindPicture("FILE://" + AnsiUpperCase(ruta)), nullptr);
    bool movio = false;
    for (int i = 0; i < 3; ++i)
        movio = cache.Animate() || movio;
    EXPECT_TRUE(movio);
    cache.ClearPictures();
    EXPECT_EQ(cache.GetCount(), 0);
    EXPECT_EQ(cache.FindPicture("file://" + ruta), nullptr);
}

namespace {

class ImagenVisible : public THTMLImage {
public:
    using THTMLImage::THTMLImage;
    void Pintar() { Paint(); }
};

} // namespace

TEST(ControlImagen, SieteColocaciones) {
    struct C {
        TPicturePosition pos;
        int x, y; // where the red pixel lands
    } casos[] = {{bpTopLeft, 0, 0},
                 {bpTopRight, 98, 0},
                 {bpBottomLeft, 0, 98},
                 {bpBottomRight, 98, 98},
                 {bpCenter, 49, 49}};
    for (const C& c : casos) {
        ImagenVisible img(nullptr);
        EXPECT_EQ(img.GetWidth(), 100);
        img.GetHTMLPicture()->LoadFromBytes(kPng);
        img.SetPicturePosition(c.pos);
        TCanvasRecorder rec(img.GetCanvas());
        img.Pintar();
        const auto dibujos = rec.Calls("Draw", true);
        ASSERT_FALSE(dibujos.empty()) << c.pos;
        EXPECT_EQ(dibujos[0].Args[0], c.x) << c.pos;
        EXPECT_EQ(dibujos[0].Args[1], c.y) << c.pos;
    }
    ImagenVisible mosaico(nullptr);
    mosaico.GetHTMLPicture()->LoadFromBytes(kPng);
    mosaico.SetPicturePosition(bpTiled);
    TCanvasRecorder rec(mosaico.GetCanvas());
    mosaico.Pintar();
    EXPECT_EQ(rec.Calls("Draw", true).size(), 50u * 50u);
}
