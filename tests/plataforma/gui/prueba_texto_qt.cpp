// Windows-1252 text into Qt's: every byte, the NUL and the five undefined ones included, gives
// the character the conversion through UTF-8 gives, and comes back as the same byte.

#include "plataforma/base/cp1252.h"
#include "plataforma/gui/kernel/qt_bridge.h"

#include <QString>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextoQt, CadaByteEsSuCaracterYVuelve) {
    std::string todos;
    for (int b = 0; b < 256; ++b)
        todos += static_cast<char>(b);
    const QString texto = ToQString(AnsiString(todos));
    const std::string utf8 = cp1252::ToUtf8(todos);
    EXPECT_EQ(texto, QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    ASSERT_EQ(texto.size(), 256);
    EXPECT_EQ(texto[0x80], QChar(0x20AC)); // the euro sign
    EXPECT_EQ(FromQString(texto).str(), todos);
    EXPECT_TRUE(ToQString(AnsiString()).isEmpty());
}

} // namespace
