// TCollection: items made by the item class, their places and IDs, deletion, Assign and
// the change notices.

#include "plataforma/base/collection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Elemento : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    void Assign(TPersistent* Source) override {
        if (auto* e = dynamic_cast<Elemento*>(Source)) {
            valor = e->valor;
            Changed(false);
            return;
        }
        TCollectionItem::Assign(Source);
    }
    int valor = 0;
};

class Coleccion : public TCollection {
public:
    Coleccion() : TCollection([](TCollection* c) { return new Elemento(c); }) {}
    Elemento* At(int i) const { return static_cast<Elemento*>(GetItem(i)); }
    int avisos = 0;

protected:
    void Update(TCollectionItem*) override { ++avisos; }
};

} // namespace

TEST(TCollection, ElementosLugaresEIdentificadores) {
    Coleccion c;
    auto* a = static_cast<Elemento*>(c.Add());
    auto* b = static_cast<Elemento*>(c.Add());
    auto* x = static_cast<Elemento*>(c.Insert(0));
    EXPECT_EQ(c.GetCount(), 3);
    EXPECT_EQ(c.GetItem(0), x);
    EXPECT_EQ(a->GetIndex(), 1);
    EXPECT_EQ(x->GetID(), 2);
    EXPECT_EQ(c.FindItemID(1), b);
    b->SetIndex(0);
    EXPECT_EQ(c.GetItem(0), b);
    delete a; // leaves its collection
    EXPECT_EQ(c.GetCount(), 2);
    c.Delete(0);
    EXPECT_EQ(c.GetItem(0), x);
    EXPECT_THROW(c.GetItem(1), EListError);
    EXPECT_THROW(c.GetItem(-1), EListError);
    EXPECT_EQ(c.Add()->GetID(), 3); // IDs are never reused
}

TEST(TCollection, AssignCopiaLosElementosYAvisaUnaVez) {
    Coleccion a, b;
    static_cast<Elemento*>(a.Add())->valor = 7;
    static_cast<Elemento*>(a.Add())->valor = 8;
    b.Add();
    b.avisos = 0;
    b.Assign(&a);
    ASSERT_EQ(b.GetCount(), 2);
    EXPECT_EQ(b.At(0)->valor, 7);
    EXPECT_EQ(b.At(1)->valor, 8);
    EXPECT_EQ(b.avisos, 1);
    b.BeginUpdate();
    b.Clear();
    b.Add();
    EXPECT_EQ(b.avisos, 1);
    b.EndUpdate();
    EXPECT_EQ(b.avisos, 2);
}

TEST(TCollection, OrdenarYBorrarVariosDeUnaVez) {
    const auto menor = [](const TCollectionItem* a, const TCollectionItem* b) {
        return static_cast<const Elemento*>(a)->valor < static_cast<const Elemento*>(b)->valor;
    };
    const auto valores = [](const Coleccion& c) {
        std::string s;
        for (int i = 0; i < c.GetCount(); ++i)
            s += std::to_string(c.At(i)->valor) + (i + 1 < c.GetCount() ? " " : "");
        return s;
    };
    // Two ordered runs are merged; equal values keep their order (told apart by their IDs).
    struct Caso {
        std::vector<int> antes;
        const char* despues;
    };
    const Caso casos[] = {{{1, 4, 6, 2, 4, 9}, "1 2 4 4 6 9"}, {{5, 3, 8, 1}, "1 3 5 8"}, {{}, ""}};
    for (const Caso& caso : casos) {
        Coleccion c;
        for (int v : caso.antes)
            static_cast<Elemento*>(c.Add())->valor = v;
        const int avisos = c.avisos;
        c.SortItems(menor);
        EXPECT_EQ(valores(c), caso.despues);
        EXPECT_EQ(c.avisos, avisos + 1);
        for (int i = 1; i < c.GetCount(); ++i)
            if (c.At(i)->valor == c.At(i - 1)->valor)
                EXPECT_LT(c.At(i - 1)->GetID(), c.At(i)->GetID());
    }
    Coleccion c, otra;
    for (int v : {10, 20, 30, 40, 50})
        static_cast<Elemento*>(c.Add())->valor = v;
    TCollectionItem* ajeno = otra.Add();
    const int avisos = c.avisos;
    // Items of another collection are left alone.
    c.DeleteItems({c.GetItem(1), c.GetItem(3), ajeno});
    EXPECT_EQ(valores(c), "10 30 50");
    EXPECT_EQ(c.avisos, avisos + 1);
    EXPECT_EQ(otra.GetCount(), 1);
    EXPECT_EQ(c.At(1)->GetIndex(), 1);
}
