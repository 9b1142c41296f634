// TComponent: ownership, names, notifications and the loading bracket.

#include "plataforma/base/component.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<std::string>& Diario() {
    static std::vector<std::string> d;
    return d;
}

class TPieza : public TComponent {
public:
    TPieza(TComponent* owner, const char* nombre) : TComponent(owner), nombre_(nombre) {}
    ~TPieza() override { Diario().push_back("borra " + nombre_); }
    std::vector<std::pair<TComponent*, TOperation>> avisos;
    bool cargandoAlCargar = true;
    using TComponent::Notification;

protected:
    void Notification(TComponent* c, TOperation op) override {
        avisos.emplace_back(c, op);
        TComponent::Notification(c, op);
    }
    void Loaded() override {
        TComponent::Loaded();
        cargandoAlCargar = GetComponentState().Contains(csLoading);
        Diario().push_back("carga " + nombre_);
    }

private:
    std::string nombre_;
};

TEST(Componentes, ElDuenoBorraLoQuePoseeEnOrdenInverso) {
    Diario().clear();
    auto* raiz = new TPieza(nullptr, "raiz");
    auto* a = new TPieza(raiz, "a");
    new TPieza(raiz, "b");
    new TPieza(a, "a1");
    ASSERT_EQ(raiz->GetComponentCount(), 2);
    EXPECT_EQ(raiz->GetComponents(0), a);
    EXPECT_EQ(a->GetComponentIndex(), 0);
    EXPECT_THROW(raiz->GetComponents(2), EComponentError);
    delete raiz;
    EXPECT_EQ(Diario(), (std::vector<std::string>{"borra raiz", "borra b", "borra a", "borra a1"}));
}

TEST(Componentes, UnComponenteBorradoSaleDeLaListaDeSuDuenoYAvisa) {
    TPieza raiz(nullptr, "raiz");
    auto* a = new TPieza(&raiz, "a");
    auto* b = new TPieza(&raiz, "b");
    ASSERT_EQ(raiz.avisos.size(), 2u);
    EXPECT_EQ(raiz.avisos[0].second, opInsert);
    raiz.avisos.clear();
    const auto idA = reinterpret_cast<std::uintptr_t>(static_cast<TComponent*>(a));
    delete a;
    EXPECT_EQ(raiz.GetComponentCount(), 1);
    ASSERT_EQ(raiz.avisos.size(), 1u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(raiz.avisos[0].first), idA);
    EXPECT_EQ(raiz.avisos[0].second, opRemove);
    // What the owner owns hears it too.
    ASSERT_FALSE(b->avisos.empty());
    EXPECT_EQ(b->avisos.back().second, opRemove);

    TPieza fuera(nullptr, "fuera");
    raiz.RemoveComponent(b);
    EXPECT_EQ(b->GetOwner(), nullptr);
    fuera.InsertComponent(b);
    EXPECT_EQ(b->GetOwner(), &fuera);
    EXPECT_EQ(raiz.GetComponentCount(), 0);
}

TEST(Componentes, FreeNotificationAvisaEntreComponentesDeDistintoDueno) {
    TPieza uno(nullptr, "uno");
    auto* otro = new TPieza(nullptr, "otro");
    uno.FreeNotification(otro);
    const auto idOtro = reinterpret_cast<std::uintptr_t>(static_cast<TComponent*>(otro));
    delete otro;
    ASSERT_FALSE(uno.avisos.empty());
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(uno.avisos.back().first), idOtro);
    EXPECT_EQ(uno.avisos.back().second, opRemove);
    // And the other way round, once: no dangling registration is left behind.
    auto* tercero = new TPieza(nullptr, "tercero");
    tercero->FreeNotification(&uno);
    tercero->RemoveFreeNotification(&uno);
    size_t antes = uno.avisos.size();
    delete tercero;
    EXPECT_EQ(uno.avisos.size(), antes);
}

TEST(Componentes, LosNombresSonIdentificadoresUnicosSinDistinguirMayusculas) {
    TPieza raiz(nullptr, "raiz");
    auto* a = new TPieza(&raiz, "a");
    auto* b = new TPieza(&raiz, "b");
    a->SetName("btnAceptar");
    EXPECT_EQ(raiz.FindComponent("BTNACEPTAR"), a);
    EXPECT_THROW(b->SetName("BtnAceptar"), EComponentError);
    for (const char* malo : {"1abc", "con espacio", "ñandú", "a-b"})
        EXPECT_THROW(b->SetName(malo), EComponentError) << malo;
    b->SetName("_b2");
    a->SetName("BTNACEPTAR"); // its own name in other case
    EXPECT_EQ(a->GetName(), AnsiString("BTNACEPTAR"));
    b->SetName("");
    a->SetName("");
    EXPECT_EQ(raiz.FindComponent(""), nullptr);
}

TEST(Componentes, ElParentesisDeCargaTerminaEnLoadedUnaVezPorComponente) {
    Diario().clear();
    TPieza forma(nullptr, "forma");
    auto* previo = new TPieza(&forma, "previo");
    forma.BeginLoading();
    EXPECT_TRUE(forma.GetComponentState().Contains(csLoading));
    EXPECT_TRUE(previo->GetComponentState().Contains(csLoading));
    auto* nuevo = new TPieza(&forma, "nuevo");
    EXPECT_TRUE(nuevo->GetComponentState().Contains(csReading));
    forma.EndLoading();
    EXPECT_EQ(Diario(), (std::vector<std::string>{"carga forma", "carga previo", "carga nuevo"}));
    EXPECT_FALSE(nuevo->cargandoAlCargar);
    EXPECT_FALSE(forma.GetComponentState().Contains(csLoading));
    EXPECT_FALSE(nuevo->GetComponentState().Contains(csReading));
    forma.EndLoading(); // nothing is loading any more
    EXPECT_EQ(Diario().size(), 3u);
}

TEST(Componentes, AssignSinSoporteEsUnErrorDeConversion) {
    TPersistent a, b;
    EXPECT_THROW(a.Assign(&b), EConvertError);
    try {
        a.Assign(nullptr);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_NE(e.Message.Pos("Cannot assign"), 0);
    }
}

} // namespace
