#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/painting/canvas_device.h"

#include <gtest/gtest.h>

TEST(CadenasAnchas, QStringPasaLasUnidadesUtf16SinCambio) {
    WideString w(u"\u03A9€ñ\U0001F600");
    QString q = ToQString(w);
    EXPECT_EQ(q, QString::fromUtf8("\xCE\xA9\xE2\x82\xAC\xC3\xB1\xF0\x9F\x98\x80"));
    EXPECT_EQ(WideFromQString(q), w);
    // An unpaired surrogate is kept as it is, not repaired.
    std::u16string suelto{u'a', char16_t(0xDC00)};
    EXPECT_EQ(WideFromQString(ToQString(WideString(suelto))).str(), suelto);
    EXPECT_TRUE(WideFromQString(QString()).IsEmpty());
}

TEST(CadenasAnchas, UnPrimerCaracterDeOrdenDeBytesEsUnCaracterMas) {
    // Neither dropped nor taken to swap the bytes of the rest of the text.
    for (const std::u16string t :
         {std::u16string(u"\uFFFE\u0416a"), std::u16string(u"\uFEFFb\u03A9")}) {
        const QString q = ToQString(WideString(t));
        ASSERT_EQ(q.size(), 3);
        EXPECT_EQ(q.at(0).unicode(), t[0]);
        EXPECT_EQ(WideFromQString(q).str(), t);
        EXPECT_EQ(TextArgument(t.c_str(), -1), q);
        EXPECT_EQ(TextArgument(t.c_str(), 2), q.left(2));
    }
}
