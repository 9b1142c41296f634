#include "plataforma/base/mask_engine.h"
#include "plataforma/base/regional.h"

#include <gtest/gtest.h>

namespace {

// Keys of a test: '\b' Backspace, '\x7f' Delete, '\x01' caret to the start, '\x02' caret to
// the end, '\x03' caret one position right; any other character is typed.
void Press(TMaskEngine& m, const std::string& keys) {
    int s = 0, e = 0;
    for (char k : keys) {
        switch (k) {
        case '\b':
            m.KeyBackspace(s, e);
            break;
        case '\x7f':
            m.KeyDelete(s, e);
            break;
        case '\x01':
            s = e = 0;
            break;
        case '\x02':
            s = e = m.Length();
            break;
        case '\x03':
            s = e = std::min(s + 1, m.Length());
            break;
        default:
            m.KeyChar(k, s, e);
        }
    }
}

class MaskEngine : public ::testing::Test {
protected:
    void SetUp() override {
        date_ = GetDateSeparator();
        time_ = GetTimeSeparator();
        SetDateSeparator('/');
        SetTimeSeparator(':');
    }
    void TearDown() override {
        SetDateSeparator(date_);
        SetTimeSeparator(time_);
    }
    char date_ = '/', time_ = ':';
};

struct Typed {
    const char* mask;
    std::string keys;
    const char* editText;
    const char* text;
};

TEST_F(MaskEngine, TypingThroughEachMaskCharacter) {
    const Typed cases[] = {
        // Digits, required and optional; literals stepped over by the caret.
        {"!99/99/0000;1;_", "12052024", "12/05/2024", "12/05/2024"},
        {"!99/99/0000;1;_", "1/5/2024", "1_/5_/2024", "1 /5 /2024"},
        {"!99/99/0000;1;_", "12/05/2024", "12/05/2024", "12/05/2024"},
        {"!99/99/0000;0;_", "1205", "12/05/____", "1205    "},
        {"000", "1a2", "12_", "12 "},
        {"###", "+1-x", "+1-", "+1-"},
        // Letters, letters or digits, any character.
        {"LLL", "a1b", "ab_", "ab "},
        {"lll", "\xe1\xf1z", "\xe1\xf1z", "\xe1\xf1z"},
        {"AAA", "a1-", "a1_", "a1 "},
        {"CcC", "-%", "-%_", "-% "},
        // Case marks.
        {">LL<ll", "abCD", "ABcd", "ABcd"},
        {">L<>l", "aB", "AB", "AB"},
        {">L", "\xf1", "\xd1", "\xd1"},
        // Escaped and special literals; a space from "_".
        {"\\L00", "12", "L12", "L12"},
        {"99_99", "1234", "12 34", "12 34"},
        {"00:00", "0930", "09:30", "09:30"},
        // Backspace and Delete blank positions and never move literals.
        {"00/00", "123\b", "12/__", "12/  "},
        {"00/00", "12\b", "1_/__", "1 /  "},
        {"000", "123\x01\x7f", "_23", " 23"},
        {"000", "123\x01\b", "123", "123"},
        {"00/00", "1234\x01\x03\x03\x7f", "12/_4", "12/ 4"},
        // Typing at the end of the mask changes nothing.
        {"00", "123", "12", "12"},
        {"00",
         "12\x02"
         "3",
         "12", "12"},
    };
    for (const Typed& c : cases) {
        TMaskEngine m(c.mask);
        Press(m, c.keys);
        EXPECT_EQ(m.GetEditText(), c.editText) << c.mask << " / " << c.keys;
        EXPECT_EQ(m.GetText(), c.text) << c.mask << " / " << c.keys;
        EXPECT_EQ(m.GetEditText().Length(), m.Length()) << c.mask;
    }
}

TEST_F(MaskEngine, LiteralsFollowTheRegionalSeparators) {
    SetDateSeparator('.');
    SetTimeSeparator('.');
    TMaskEngine fecha("!99/99/0000;1;_");
    Press(fecha, "1.5.2024");
    EXPECT_EQ(fecha.GetEditText(), "1_.5_.2024");
    TMaskEngine hora("00:00;1;_");
    Press(hora, "0930");
    EXPECT_EQ(hora.GetText(), "09.30");
}

TEST_F(MaskEngine, FieldsOfTheMask) {
    struct Case {
        const char* mask;
        int length;
        bool save;
        char blank;
        const char* empty;
    };
    const Case cases[] = {
        {"00/00", 5, true, '_', "__/__"},
        {"00/00;0", 5, false, '_', "__/__"},
        {"00/00;1;*", 5, true, '*', "**/**"},
        {"00/00;0; ", 5, false, ' ', "  /  "},
        {"0\\;0;0;#", 3, false, '#', "#;#"},
        {"!>LL", 2, true, '_', "__"},
        {"\\", 0, true, '_', ""},
    };
    for (const Case& c : cases) {
        TMaskEngine m(c.mask);
        EXPECT_EQ(m.Length(), c.length) << c.mask;
        EXPECT_EQ(m.GetSaveLiterals(), c.save) << c.mask;
        EXPECT_EQ(m.GetBlankChar(), c.blank) << c.mask;
        EXPECT_EQ(m.GetEditText(), c.empty) << c.mask;
    }
    EXPECT_FALSE(TMaskEngine("").IsMasked());
    EXPECT_TRUE(TMaskEngine("0").IsMasked());
}

TEST_F(MaskEngine, TextSetAndReadBack) {
    struct Case {
        const char* mask;
        const char* value;
        const char* editText;
        const char* text;
    };
    const Case cases[] = {
        {"!99/99/0000;1;_", "01/02/2003", "01/02/2003", "01/02/2003"},
        {"!99/99/0000;1;_", "", "__/__/____", "  /  /    "},
        {"00-00;0;_", "1234", "12-34", "1234"},
        {"999;0;_", "12", "12_", "12 "},
        {"!999;0;_", "12", "_12", " 12"},
        {"!999;1;_", "7", "__7", "  7"},
        {"000;1;*", "1x3", "1*3", "1 3"},
        {"000", "123456", "123", "123"},
        {">LLL", "abc", "ABC", "ABC"},
    };
    for (const Case& c : cases) {
        TMaskEngine m(c.mask);
        m.SetText(c.value);
        EXPECT_EQ(m.GetEditText(), c.editText) << c.mask << " / " << c.value;
        EXPECT_EQ(m.GetText(), c.text) << c.mask << " / " << c.value;
        // What GetText gives sets the same text again.
        TMaskEngine again(c.mask);
        again.SetText(m.GetText());
        EXPECT_EQ(again.GetEditText(), m.GetEditText()) << c.mask;
    }
    TMaskEngine m("00/00;1;*");
    m.SetEditText("1*/2*");
    EXPECT_EQ(m.GetText(), "1 /2 ");
    m.SetEditText("9");
    EXPECT_EQ(m.GetEditText(), "9*/**");
}

TEST_F(MaskEngine, PasteOfLongerAndShorterTexts) {
    TMaskEngine m("!99/99/0000;1;_");
    int s = 0, e = 0;
    EXPECT_FALSE(m.Paste("12/05/20249", s, e));
    EXPECT_EQ(m.GetEditText(), "12/05/2024");
    EXPECT_EQ(s, 10);

    m.SetText("");
    s = e = 0;
    EXPECT_TRUE(m.Paste("1205", s, e));
    EXPECT_EQ(m.GetEditText(), "12/05/____");
    EXPECT_EQ(s, 6);

    // Over a selection: blanked first, then filled from its start; unfit characters skipped.
    m.SetText("11/11/1111");
    s = 3;
    e = 10;
    EXPECT_FALSE(m.Paste("0x9", s, e));
    EXPECT_EQ(m.GetEditText(), "11/09/____");
    EXPECT_EQ(e, s);
}

TEST_F(MaskEngine, MissingRequiredPositions) {
    struct Case {
        const char* mask;
        const char* keys;
        int missing;
    };
    const Case cases[] = {
        {"00/99", "1", 1},  {"00/99", "12", -1}, {"L", "", 0},    {"lLl", "", 1},
        {"aA0C", "xy1", 3}, {"CCC", "a b", 1},   {"999", "", -1}, {"", "", -1},
    };
    for (const Case& c : cases) {
        TMaskEngine m(c.mask);
        Press(m, c.keys);
        EXPECT_EQ(m.FirstMissing(), c.missing) << c.mask << " / " << c.keys;
    }
    // Filled: every input position, optional ones too; literal spaces do not count.
    TMaskEngine parte("99_99"), todo("99_99");
    Press(parte, "123");
    Press(todo, "1234");
    EXPECT_FALSE(parte.IsFilled());
    EXPECT_TRUE(todo.IsFilled());
    EXPECT_EQ(todo.GetText(), "12 34");
}

TEST_F(MaskEngine, RefusedKeysChangeNothing) {
    TMaskEngine m("00/00");
    m.SetText("12/34");
    int s = 1, e = 4;
    EXPECT_FALSE(m.KeyChar('x', s, e));
    EXPECT_EQ(m.GetEditText(), "12/34");
    EXPECT_EQ(s, 1);
    EXPECT_EQ(e, 4);
    // Out-of-range or reversed selections are put in order inside the text.
    s = 99;
    e = -5;
    m.KeyBackspace(s, e);
    EXPECT_EQ(m.GetEditText(), "__/__");
    EXPECT_EQ(s, 0);
}

} // namespace
