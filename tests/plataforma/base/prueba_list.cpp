#include "plataforma/base/list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

// Integers in the pointer slots, as the programs' integer lists keep them.
void* P(std::intptr_t v) {
    return reinterpret_cast<void*>(v);
}
std::intptr_t V(void* p) {
    return reinterpret_cast<std::intptr_t>(p);
}

std::vector<std::intptr_t> Contenido(const TList& l) {
    std::vector<std::intptr_t> r;
    for (int i = 0; i < l.GetCount(); ++i)
        r.push_back(V(l.GetItems(i)));
    return r;
}

TList& Llenar(TList& l, std::initializer_list<std::intptr_t> valores) {
    for (std::intptr_t v : valores)
        l.Add(P(v));
    return l;
}

// Records what Notify is told, as a list that owns its items would act on it.
class ListaVigilada : public TList {
public:
    std::vector<std::string> avisos;

protected:
    void Notify(void* ptr, TListNotification accion) override {
        static const char* nombres[] = {"alta", "extraída", "baja"};
        avisos.push_back(std::string(nombres[accion]) + " " + std::to_string(V(ptr)));
    }
};

} // namespace

TEST(TList, AltasBajasYBusquedas) {
    TList l;
    EXPECT_EQ(l.Add(P(10)), 0);
    EXPECT_EQ(l.Add(P(20)), 1);
    l.Insert(0, P(5));
    l.Insert(3, P(30));
    EXPECT_EQ(Contenido(l), (std::vector<std::intptr_t>{5, 10, 20, 30}));
    EXPECT_EQ(l.IndexOf(P(20)), 2);
    EXPECT_EQ(l.IndexOf(P(99)), -1);
    EXPECT_EQ(V(l.First()), 5);
    EXPECT_EQ(V(l.Last()), 30);

    l.Delete(1);
    EXPECT_EQ(l.Remove(P(30)), 2);
    EXPECT_EQ(l.Remove(P(30)), -1);
    EXPECT_EQ(Contenido(l), (std::vector<std::intptr_t>{5, 20}));
    l.SetItems(0, P(7));
    EXPECT_EQ(Contenido(l), (std::vector<std::intptr_t>{7, 20}));
    l.Clear();
    EXPECT_EQ(l.GetCount(), 0);
}

TEST(TList, ExchangeMoveYPack) {
    TList l;
    Llenar(l, {1, 2, 3, 4, 5});
    l.Exchange(0, 4);
    EXPECT_EQ(Contenido(l), (std::vector<std::intptr_t>{5, 2, 3, 4, 1}));
    l.Move(0, 3);
    EXPECT_EQ(Contenido(l), (std::vector<std::intptr_t>{2, 3, 4, 5, 1}));
    l.Move(4, 1);
    EXPECT_EQ(Contenido(l), (std::vector<std::intptr_t>{2, 1, 3, 4, 5}));
    l.Move(2, 2);
    EXPECT_EQ(Contenido(l), (std::vector<std::intptr_t>{2, 1, 3, 4, 5}));

    l.SetCount(7);
    EXPECT_EQ(Contenido(l), (std::vector<std::intptr_t>{2, 1, 3, 4, 5, 0, 0}));
    l.SetItems(1, nullptr);
    l.Pack();
    EXPECT_EQ(Contenido(l), (std::vector<std::intptr_t>{2, 3, 4, 5}));
    l.SetCount(2);
    EXPECT_EQ(Contenido(l), (std::vector<std::intptr_t>{2, 3}));
}

TEST(TList, SortEsEstable) {
    TList l;
    // Tens order; units tell equal items apart.
    Llenar(l, {31, 12, 33, 11, 22, 34, 13});
    l.Sort([](void* a, void* b) { return static_cast<int>(V(a) / 10 - V(b) / 10); });
    EXPECT_EQ(Contenido(l), (std::vector<std::intptr_t>{12, 11, 13, 22, 31, 33, 34}));

    TList vacia;
    vacia.Sort([](void*, void*) { return 0; });
    EXPECT_EQ(vacia.GetCount(), 0);
}

TEST(TList, FueraDeRangoLanzaEListError) {
    struct Caso {
        const char* que;
        std::function<void(TList&)> hacer;
        const char* mensaje;
    } casos[] = {
        {"GetItems(-1)", [](TList& l) { l.GetItems(-1); }, "Índice de lista fuera de límites (-1)"},
        {"GetItems(3)", [](TList& l) { l.GetItems(3); }, "Índice de lista fuera de límites (3)"},
        {"SetItems", [](TList& l) { l.SetItems(3, nullptr); },
         "Índice de lista fuera de límites (3)"},
        {"Insert", [](TList& l) { l.Insert(4, nullptr); }, "Índice de lista fuera de límites (4)"},
        {"Delete", [](TList& l) { l.Delete(3); }, "Índice de lista fuera de límites (3)"},
        {"Exchange", [](TList& l) { l.Exchange(-1, 0); }, "Índice de lista fuera de límites (-1)"},
        {"Move", [](TList& l) { l.Move(0, 3); }, "Índice de lista fuera de límites (3)"},
        {"SetCount", [](TList& l) { l.SetCount(-2); }, "Cuenta de lista fuera de límites (-2)"},
    };
    for (const Caso& c : casos) {
        TList l;
        Llenar(l, {1, 2, 3});
        try {
            c.hacer(l);
            ADD_FAILURE() << c.que << " no lanzó";
        } catch (const EListError& e) {
            EXPECT_EQ(e.Message, c.mensaje) << c.que;
        }
        EXPECT_EQ(Contenido(l), (std::vector<std::intptr_t>{1, 2, 3})) << c.que;
    }
    TList vacia;
    EXPECT_THROW(vacia.First(), EListError);
    EXPECT_THROW(vacia.Last(), EListError);
}

TEST(TList, NotifyAvisaDeLoQueEntraYSale) {
    ListaVigilada l;
    l.Add(P(1));
    l.Add(nullptr); // nothing to say about an empty slot
    l.Insert(0, P(2));
    l.SetItems(1, P(3));
    EXPECT_EQ(l.Extract(P(2)), P(2));
    EXPECT_EQ(l.Extract(P(9)), nullptr);
    l.Move(0, 1); // moving is not adding or deleting
    l.Exchange(0, 1);
    l.Add(P(4));
    l.Clear();
    EXPECT_EQ(l.avisos, (std::vector<std::string>{"alta 1", "alta 2", "baja 1", "alta 3",
                                                  "extraída 2", "alta 4", "baja 4", "baja 3"}));
}
