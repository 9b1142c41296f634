// Controls that point at another component (the control a label or a button focuses, a
// grid's checker, images and pictures, a button's menu, a tree's or a combo's images, the
// grid of an undo list) let go of it when it
// is freed, also after pointing elsewhere; a control freed first is not told of the one it
// pointed at.

#include "controles/edit/column_combo.h"
#include "controles/edit/edit_button.h"
#include "controles/edit/spin_button.h"
#include "controles/grid/editing/grid_check.h"
#include "controles/grid/button/grid_button.h"
#include "controles/grid/kav_grid.h"
#include "controles/grid/markup/picture_container.h"
#include "controles/grid/editing/undo_redo.h"
#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/images/image_list.h"
#include "plataforma/gui/widgets/edit.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/tree_view.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <typeinfo>

namespace {

// A control C made fresh, pointed through Poner at components T that Nuevo makes, read
// through Leer.
template <class C, class S, class G, class T>
void Comprobar(const char* Que, void (S::*Poner)(T*), T* (G::*Leer)() const,
               const std::type_identity_t<std::function<T*()>>& Nuevo) {
    SCOPED_TRACE(std::string(Que) + " of " + typeid(C).name());
    auto control = std::make_unique<C>(nullptr);
    auto poner = [&](T* v) { (control.get()->*Poner)(v); };
    auto leer = [&] { return (control.get()->*Leer)(); };
    T* a = Nuevo();
    T* b = Nuevo();
    poner(a);
    EXPECT_EQ(leer(), a);
    poner(b);
    poner(b);
    delete a;
    EXPECT_EQ(leer(), b);
    delete b;
    EXPECT_EQ(leer(), nullptr);

    // Pointing at one, then elsewhere, and the control goes before both.
    T* c = Nuevo();
    T* d = Nuevo();
    poner(c);
    poner(d);
    control.reset();
    delete c;
    delete d;
}

template <class T> T* Nuevo() {
    return new T(nullptr);
}

// The controls that focus another, and those whose images are SetImages.
template <class... C> void ComprobarFoco() {
    (Comprobar<C>("focus", &C::SetFocusControl, &C::GetFocusControl, Nuevo<TEdit>), ...);
}

template <class... C> void ComprobarImagenes() {
    (Comprobar<C>("images", &C::SetImages, &C::GetImages, Nuevo<TImageList>), ...);
}

TEST(Referencias, UnControlSueltaLoQueApuntaAlBorrarseYAlApuntarAOtro) {
    using G = TKavStringGrid;
    ComprobarFoco<TLabel, TKsgEditButton, TKsgSpinButton>();
    ComprobarImagenes<TTreeView, TColumnComboBox>();
    Comprobar<G>("grid's checker", &G::SetCellChecker, &G::GetCellChecker,
                 Nuevo<TKavStringGridCheck>);
    Comprobar<G>("grid's images", &G::SetGridImages, &G::GetGridImages, Nuevo<TImageList>);
    Comprobar<G>("grid's pictures", &G::SetPictureContainer, &G::GetPictureContainer,
                 Nuevo<TPictureContainer>);
    Comprobar<TTreeView>("tree's state images", &TTreeView::SetStateImages,
                         &TTreeView::GetStateImages, Nuevo<TImageList>);
    Comprobar<TKavGridButton>("grid button's menu", &TKavGridButton::SetDropDownMenu,
                              &TKavGridButton::GetDropDownMenu, Nuevo<TPopupMenu>);
    Comprobar<TKavGridUndoRedo>("undo list's grid", &TKavGridUndoRedo::SetGrid,
                                &TKavGridUndoRedo::GetGrid, Nuevo<TKavStringGrid>);
}

// One list as a tree's images and state images: the tree lets go of one use and still hears
// of the list's end through the other, and of it in both uses at once.
TEST(Referencias, UnaListaEnDosUsosDelArbol) {
    enum Cambio { Estado, Imagenes, Ninguno };
    for (Cambio cambio : {Estado, Imagenes, Ninguno}) {
        SCOPED_TRACE(cambio);
        TTreeView arbol(nullptr);
        auto* lista = new TImageList(nullptr);
        TImageList otra(nullptr);
        arbol.SetImages(lista);
        arbol.SetStateImages(lista);
        if (cambio == Estado) arbol.SetStateImages(&otra);
        if (cambio == Imagenes) arbol.SetImages(&otra);
        delete lista;
        EXPECT_EQ(arbol.GetImages(), cambio == Imagenes ? &otra : nullptr);
        EXPECT_EQ(arbol.GetStateImages(), cambio == Estado ? &otra : nullptr);
    }
}

} // namespace
