// Rich text in RTF: what the rich edit writes is read back the same, RTF from elsewhere is
// read for the formats kept, and broken RTF is refused whole.

#include "plataforma/base/rich_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TRichFormat Con(void (*f)(TRichFormat&)) {
    TRichFormat r;
    f(r);
    return r;
}

TRichDocument Doc(std::vector<std::vector<TRichRun>> Paras) {
    TRichDocument d;
    for (auto& p : Paras)
        d.Paragraphs.push_back({std::move(p)});
    return d;
}

TEST(TextoEnriquecido, LoEscritoSeLeeIgual) {
    const TRichFormat normal;
    const TRichFormat negrita = Con([](TRichFormat& f) { f.Bold = true; });
    const TRichFormat todo = Con([](TRichFormat& f) {
        f.Bold = f.Italic = f.Underline = true;
        f.FontName = "Courier New";
        f.HalfPoints = 22;
        f.Color = 0x0000FF;
    });
    const TRichFormat sup = Con([](TRichFormat& f) { f.Offset = 6; });
    const TRichFormat sub = Con([](TRichFormat& f) {
        f.Offset = -6;
        f.Color = 0x800000;
    });
    const TRichFormat raro = Con([](TRichFormat& f) { f.FontName = " {A;b}\\ "; });
    const TRichDocument casos[] = {
        Doc({{}}),
        Doc({{{"texto llano", normal}}}),
        Doc({{{"U = 0,35 W/m", normal}, {"2", sup}, {"K", normal}}}),
        Doc({{{"H", normal}, {"2", sub}, {"O ", normal}, {"agua", negrita}}, {}, {{"fin", todo}}}),
        Doc({{{"Información € \t {llaves} \\ ; 100%", normal}}}),
        Doc({{{"fuente rara", raro}, {"y otra", todo}}}),
    };
    for (const TRichDocument& d : casos) {
        const AnsiString rtf = WriteRtf(d);
        EXPECT_TRUE(IsRtf(rtf));
        TRichDocument leido;
        ASSERT_TRUE(ReadRtf(rtf, leido)) << rtf.str();
        EXPECT_EQ(leido, d) << rtf.str();
        EXPECT_EQ(leido.PlainText(), d.PlainText());
    }
}

TEST(TextoEnriquecido, LeeElRtfDeOtroEditor) {
    const AnsiString rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Tahoma;}"
        "{\\f1\\fswiss\\fcharset0 Arial;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
        "{\\*\\generator Otro 1.0;}{\\info{\\title no se ve}}\\viewkind4\\uc1\\pard\\f0\\fs16 "
        "m\\up6 2\\up0\\par\r\n\\f1\\fs20\\b\\cf1 R\\b0\\cf0 o\\'f1a \\u8364?\\tab\\line "
        "x\\sub 1\\nosupersub\\plain z}";
    TRichDocument d;
    ASSERT_TRUE(ReadRtf(rtf, d));
    ASSERT_EQ(d.Paragraphs.size(), 3u);
    EXPECT_EQ(d.PlainText(), "m2\r\nRoña €\t\r\nx1z");
    const auto& p0 = d.Paragraphs[0].Runs;
    ASSERT_EQ(p0.size(), 2u);
    EXPECT_EQ(p0[1].Format.Offset, 6);
    const auto& p1 = d.Paragraphs[1].Runs;
    ASSERT_EQ(p1.size(), 2u);
    EXPECT_EQ(p1[0].Text, "R");
    EXPECT_TRUE(p1[0].Format.Bold);
    EXPECT_EQ(p1[0].Format.Color, 0x0000FF);
    EXPECT_EQ(p1[0].Format.FontName, "Arial");
    EXPECT_EQ(p1[0].Format.HalfPoints, 20);
    EXPECT_FALSE(p1[1].Format.Bold);
    EXPECT_EQ(p1[1].Format.Color, -1);
    const auto& p2 = d.Paragraphs[2].Runs;
    ASSERT_EQ(p2.size(), 3u);
    EXPECT_LT(p2[1].Format.Offset, 0);
    // \plain goes back to the default font's plain text.
    EXPECT_EQ(p2[2].Format, TRichFormat());
}

TEST(TextoEnriquecido, RtfRotoSeRechazaEntero) {
    const std::string profundo = "{\\rtf1" + std::string(500, '{') + "a" + std::string(501, '}');
    for (const std::string& malo : {
             std::string("texto llano"),
             std::string("{\\rtf1 texto {sin cerrar"),
             std::string("{\\rtf1 a}}"),
             std::string("{\\rtf1 a} b"),
             std::string("{\\rtf1\\fs99999999999 a}"),
             std::string("{\\rtf1 \\'zz}"),
             std::string("{\\rtf1 \\'4"),
             std::string("{\\rtf1 \\"),
             std::string("{\\rtf1\\up- a}"),
             std::string("{\\rtf1\\") + std::string(40, 'a') + " x}",
             profundo,
         }) {
        TRichDocument d = Doc({{{"intacto", TRichFormat()}}});
        EXPECT_FALSE(ReadRtf(AnsiString(malo), d)) << malo.substr(0, 60);
        EXPECT_EQ(d.PlainText(), "intacto");
    }
}

TEST(TextoEnriquecido, TextoLlanoEnParrafos) {
    const TRichDocument d = TRichDocument::FromPlainText("una\r\ndos\ntres");
    EXPECT_EQ(d.Paragraphs.size(), 3u);
    EXPECT_EQ(d.PlainText(), "una\r\ndos\r\ntres");
    EXPECT_EQ(TRichDocument::FromPlainText("").Paragraphs.size(), 1u);
}

} // namespace
