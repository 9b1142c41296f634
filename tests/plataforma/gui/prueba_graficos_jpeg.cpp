// JPEG pictures through libjpeg-turbo: a small picture compressed here and read back,
// scaling and greyscale, and broken files reported without harm.

#include "tests/plataforma/gui/canvas_prueba.h"

#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/images/jpeg.h"
#include "tests/comun/carpeta_temporal.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Within the losses of compression.
bool Cerca(TColor a, TColor b) {
    const auto d = [](int x, int y) { return std::abs(x - y); };
    return d(GetRValue(a), GetRValue(b)) < 24 && d(GetGValue(a), GetGValue(b)) < 24 &&
           d(GetBValue(a), GetBValue(b)) < 24;
}

// 32 x 16: red on the left half, blue on the right.
std::unique_ptr<TBitmap> DosMitades() {
    auto b = std::make_unique<TBitmap>();
    b->SetSize(32, 16);
    b->GetCanvas()->GetBrush()->SetColor(clRed);
    b->GetCanvas()->FillRect(Rect(0, 0, 16, 16));
    b->GetCanvas()->GetBrush()->SetColor(clBlue);
    b->GetCanvas()->FillRect(Rect(16, 0, 32, 16));
    return b;
}

TEST(Jpeg, SeComprimeAquiYSeLeeDeVuelta) {
    CarpetaTemporal dir;
    auto b = DosMitades();
    TJPEGImage j;
    j.SetCompressionQuality(95);
    j.Assign(b.get());
    const std::string bytes = j.SaveToBytes();
    ASSERT_GT(bytes.size(), 100u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xD8);
    const AnsiString ruta = dir.Fichero("foto.jpg", bytes);

    TPicture p;
    p.LoadFromFile(ruta);
    auto* leida = dynamic_cast<TJPEGImage*>(p.GetGraphic());
    ASSERT_NE(leida, nullptr);
    EXPECT_EQ(leida->GetWidth(), 32);
    EXPECT_EQ(leida->GetHeight(), 16);
    EXPECT_EQ(leida->SaveToBytes(), bytes); // kept as loaded
    TRecordingCanvas c(40, 20);
    c.Draw(0, 0, leida);
    EXPECT_TRUE(Cerca(Px(&c, 4, 8), clRed));
    EXPECT_TRUE(Cerca(Px(&c, 28, 8), clBlue));
    // A bitmap assigned from the JPEG holds its pixels.
    TBitmap mapa;
    mapa.Assign(leida);
    EXPECT_TRUE(Cerca(mapa.GetCanvas()->GetPixels(4, 4), clRed));
    // So does a bitmap loaded straight from the file.
    TBitmap directo;
    directo.LoadFromFile(ruta);
    EXPECT_EQ(directo.GetWidth(), 32);
}

TEST(Jpeg, EscalaYGrises) {
    auto b = DosMitades();
    TJPEGImage j;
    j.Assign(b.get());
    j.SetScale(jsHalf);
    EXPECT_EQ(j.GetWidth(), 16);
    EXPECT_EQ(j.GetHeight(), 8);
    j.SetScale(jsEighth);
    EXPECT_EQ(j.GetWidth(), 4);
    j.SetScale(jsFullSize);
    j.SetGrayscale(true);
    TRecordingCanvas c(40, 20);
    c.Draw(0, 0, &j);
    const TColor gris = Px(&c, 4, 8);
    EXPECT_EQ(GetRValue(gris), GetGValue(gris));
    EXPECT_EQ(GetGValue(gris), GetBValue(gris));
    EXPECT_THROW(j.SetWidth(3), EInvalidGraphicOperation);
}

TEST(Jpeg, UnFicheroRotoSeRechazaSinDano) {
    auto b = DosMitades();
    TJPEGImage j;
    j.Assign(b.get());
    const std::string bueno = j.SaveToBytes();
    struct Caso {
        const char* nombre;
        std::string datos;
    };
    const Caso casos[] = {
        {"vacio", ""},
        {"solo la marca", std::string("\xFF\xD8\xFF", 3)},
        {"cabecera cortada", bueno.substr(0, 40)},
        {"no es JPEG", "esto no es una foto"},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nombre);
        TJPEGImage otra;
        try {
            otra.LoadFromBytes(k.datos);
            FAIL();
        } catch (const EJPEG& e) {
            EXPECT_EQ(e.Message.Pos("JPEG error"), 1);
        }
        EXPECT_TRUE(otra.GetEmpty());
    }
    // Cut near the end: the rest of the picture is missing but what is there shows.
    TJPEGImage cortada;
    cortada.LoadFromBytes(bueno.substr(0, bueno.size() - 20));
    EXPECT_EQ(cortada.GetWidth(), 32);
}

} // namespace
