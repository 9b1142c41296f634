// Column letters and cell references of the spreadsheet.

#include "plataforma/office/cell_reference.h"

#include <gtest/gtest.h>

using namespace cell_reference;

TEST(ReferenciaDeCelda, LetrasDeColumnaYVuelta) {
    const std::pair<int, const char*> casos[] = {{1, "A"},     {26, "Z"},    {27, "AA"},
                                                 {52, "AZ"},   {53, "BA"},   {702, "ZZ"},
                                                 {703, "AAA"}, {728, "AAZ"}, {16384, "XFD"}};
    for (const auto& [n, letras] : casos) {
        EXPECT_EQ(ColumnLetters(n), letras) << n;
        int col = 0, fila = 0;
        ASSERT_TRUE(Parse(std::string(letras) + "7", col, fila)) << letras;
        EXPECT_EQ(col, n);
        EXPECT_EQ(fila, 7);
    }
}

TEST(ReferenciaDeCelda, ReferenciasValidasEInvalidas) {
    int col = 0, fila = 0;
    EXPECT_TRUE(Parse("$AB$40", col, fila));
    EXPECT_EQ(col, 28);
    EXPECT_EQ(fila, 40);
    EXPECT_TRUE(Parse("XFD1048576", col, fila));
    for (const char* mala : {"", "A", "7", "A0", "XFE1", "A1048577", "A-1", "1A", "A1B", "$",
                             "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA1"})
        EXPECT_FALSE(Parse(mala, col, fila)) << mala;
}
