// Range lists and their text, the typed edit's range conversions and the input query.

#include "tests/controles/edit/prueba_kav_comun.h"

#include "controles/edit/input_query.h"
#include "controles/edit/range_list.h"
#include "plataforma/gui/widgets/button.h"
#include "plataforma/gui/widgets/label.h"
#include "tests/comun/pruebas.h"

#include <climits>
#include <vector>

namespace {

std::vector<int> Valores(const TRangeList& l) {
    std::vector<int> v;
    for (int i = 0; i < l.GetCount(); ++i)
        v.push_back(l.GetInteger(i));
    return v;
}

TEST(RangeList, TextReadIntoTheList) {
    struct Case {
        const char* text;
        std::vector<int> values;
        bool ok;
    };
    const Case cases[] = {
        {"1-5,7;9", {1, 2, 3, 4, 5, 7, 9}, true},
        {"5-1", {}, true},
        {"7-3,8", {8}, true},
        {"1,x,3", {1, 3}, false},
        {"", {}, true},
        {"2-4,3-6,4", {2, 3, 4, 5, 6}, true},
        {" 4 ;1", {4, 1}, true},
        {"1,,2", {1, 2}, false},
        {"1,2,", {1, 2}, true},
        // A leading "-" leaves an empty first number; a number past 32 bits is none.
        {"-5,6", {6}, false},
        {"3-", {}, false},
        {"99999999999,1", {1}, false},
        // A range wider than the limit is refused; the rest is still read.
        {"1-2000000000,3", {3}, false},
        {"-2147483648-2147483647", {}, false},
    };
    for (const Case& c : cases) {
        TRangeList l;
        l.Add(42); // cleared first
        EXPECT_EQ(l.StrToList(c.text), c.ok) << c.text;
        EXPECT_EQ(Valores(l), c.values) << c.text;
    }
    TRangeList grande;
    EXPECT_TRUE(grande.StrToList("1-1000000"));
    EXPECT_EQ(grande.GetCount(), 1000000);
    EXPECT_EQ(grande.GetInteger(999999), 1000000);
    EXPECT_TRUE(grande.InList(500000));
    EXPECT_FALSE(grande.StrToList("0-1000000"));
}

TEST(RangeList, NoValueTwiceWhateverTheWayIn) {
    TRangeList l;
    l.AddMultiple(5, 3);
    l.AddMultiple(6, 3);
    l.AddMultiple(1, 0);
    l.Add(5);
    EXPECT_EQ(Valores(l), (std::vector<int>{5, 6, 7, 8}));
    l.SetInteger(0, 7); // present: refused
    l.SetInteger(1, 20);
    EXPECT_EQ(Valores(l), (std::vector<int>{5, 20, 7, 8}));
    EXPECT_FALSE(l.InList(6));
    l.Delete(0);
    EXPECT_FALSE(l.InList(5));
    l.Add(5);
    EXPECT_EQ(Valores(l), (std::vector<int>{20, 7, 8, 5}));
    l.Clear();
    EXPECT_FALSE(l.InList(20));
    // Counting past the largest integer stops at it.
    l.AddMultiple(INT_MAX - 1, 5);
    EXPECT_EQ(Valores(l), (std::vector<int>{INT_MAX - 1, INT_MAX}));
}

TEST(RangeList, RangeTextAndBack) {
    struct Case {
        std::vector<int> values;
        const char* text;
    };
    const Case cases[] = {
        {{7, 1, 2, 3}, "1-3,7"},
        {{1, 2, 3, 4, 5, 7}, "1-5,7"},
        {{}, ""},
        {{9}, "9"},
        {{4, 2, 0}, "0,2,4"},
        {{10, 11, 13, 14, 15, 20}, "10-11,13-15,20"},
        {{INT_MAX, INT_MAX - 1}, "2147483646-2147483647"},
    };
    for (const Case& c : cases) {
        TRangeList l;
        for (int v : c.values)
            l.Add(v);
        EXPECT_EQ(l.ToRangeStr(), c.text);
        // Sorted in place, and read back to the same numbers.
        TRangeList back;
        EXPECT_TRUE(back.StrToList(c.text));
        EXPECT_EQ(Valores(back), Valores(l)) << c.text;
    }
}

using RangosEdit = PruebaKav;

TEST_F(RangosEdit, ElEditEscribeYLeeRangos) {
    edit->SetEditType(etRange);
    TRangeList l;
    for (int v : {7, 1, 2, 3})
        l.Add(v);
    edit->ListToRangeStr(&l);
    EXPECT_EQ(edit->WindowTextForTest(), "1-3,7");
    EXPECT_EQ(Valores(l), (std::vector<int>{1, 2, 3, 7}));
    // An empty list empties the text.
    TRangeList vacia;
    edit->ListToRangeStr(&vacia);
    EXPECT_EQ(edit->WindowTextForTest(), "");

    // Typed in, read without the prefix.
    edit->SetPrefix("N: ");
    edit->SetFocus();
    SimulateTyping("1-3;9");
    TRangeList leida;
    EXPECT_TRUE(edit->RangeStrToList(&leida));
    EXPECT_EQ(Valores(leida), (std::vector<int>{1, 2, 3, 9}));
    edit->SetText("1,x");
    EXPECT_FALSE(edit->RangeStrToList(&leida));
    EXPECT_EQ(Valores(leida), (std::vector<int>{1}));
}

// The dialog's edit, buttons and prompt.
struct Dialogo {
    TCustomForm* form = nullptr;
    TKavEdit* edit = nullptr;
    TLabel* prompt = nullptr;
    std::vector<TButton*> botones;
};

Dialogo Partes(TObject* f) {
    Dialogo d;
    d.form = dynamic_cast<TCustomForm*>(f);
    for (int i = 0; d.form && i < d.form->GetComponentCount(); ++i) {
        TComponent* c = d.form->GetComponents(i);
        if (auto* e = dynamic_cast<TKavEdit*>(c)) d.edit = e;
        if (auto* l = dynamic_cast<TLabel*>(c)) d.prompt = l;
        if (auto* b = dynamic_cast<TButton*>(c)) d.botones.push_back(b);
    }
    return d;
}

using Consulta = PruebaKav;

TEST_F(Consulta, AceptarDevuelveElValorYCancelarLoDejaComoEstaba) {
    AnsiString valor = "abc";
    Guion().AnswerShowModal([](TObject* f) {
        Dialogo d = Partes(f);
        ASSERT_TRUE(d.edit && d.prompt);
        ASSERT_EQ(d.botones.size(), 2u);
        EXPECT_EQ(d.form->GetCaption(), "Espesor");
        EXPECT_EQ(d.form->GetBorderStyle(), bsDialog);
        EXPECT_EQ(d.prompt->GetCaption(), "Espesor de la capa:");
        EXPECT_EQ(d.botones[0]->GetCaption(), "Aceptar");
        EXPECT_TRUE(d.botones[0]->GetDefault());
        EXPECT_EQ(d.botones[1]->GetCaption(), "Cancelar");
        EXPECT_TRUE(d.botones[1]->GetCancel());
        // Laid out in dialog units: the buttons side by side below the edit, inside the form.
        EXPECT_EQ(d.edit->GetLeft(), d.prompt->GetLeft());
        EXPECT_GT(d.edit->GetTop(), d.prompt->GetTop());
        EXPECT_GT(d.botones[0]->GetTop(), d.edit->GetTop());
        EXPECT_LT(d.botones[0]->GetLeft() + d.botones[0]->GetWidth(), d.botones[1]->GetLeft());
        EXPECT_LE(d.botones[1]->GetLeft() + d.botones[1]->GetWidth(), d.form->GetClientWidth());
        EXPECT_LE(d.botones[1]->GetTop() + d.botones[1]->GetHeight(), d.form->GetClientHeight());
        // A numeric edit given a text that is no number starts at 0.
        EXPECT_EQ(d.edit->GetText(), "0");
        d.edit->SetText("25");
        d.botones[1]->Click();
    });
    EXPECT_FALSE(KavInputQuery(etNumeric, nullptr, "Espesor", "Espesor de la capa:", valor));
    EXPECT_EQ(valor, "abc");

    SeparadoresRegionales punto('.');
    TQueryParams p;
    p.Prefix = "e = ";
    p.Suffix = " cm";
    p.Precision = 2;
    p.Flat = true;
    int altoNormal = 0;
    Guion().AnswerShowModal([&](TObject* f) {
        Dialogo d = Partes(f);
        ASSERT_TRUE(d.edit);
        EXPECT_TRUE(d.edit->GetFlat());
        EXPECT_EQ(d.edit->GetPrefix(), "e = ");
        altoNormal = d.edit->GetHeightEx();
        d.edit->SetFloat(2.5);
        d.botones[0]->Click();
    });
    valor = "1";
    EXPECT_TRUE(KavInputQuery(etFloat, &p, "Espesor", "Espesor:", valor));
    EXPECT_EQ(valor, "2.50");
    EXPECT_GT(altoNormal, 0);
}

} // namespace
