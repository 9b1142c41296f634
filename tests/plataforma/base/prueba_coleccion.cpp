// TCollection: items made by the item class, their places and IDs, deletion, Assign and
// the change notices.

#include "plataforma/base/collection.h"

#include <gtest/gtest.h>

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
