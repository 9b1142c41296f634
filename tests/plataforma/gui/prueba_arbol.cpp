// The tree view: building and walking nodes, sorting by text and by OnCompare, events as
// the class library fires them (a program's Selected included), deletion of the selected
// node, a right click that selects nothing, images and editing.

#include "tests/plataforma/gui/prueba_controles_comun.h"

#include "plataforma/gui/forms/menus.h"
#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/images/image_list.h"
#include "plataforma/gui/kernel/qt_bridge.h"
#include "plataforma/gui/testing/input_simulation.h"
#include "plataforma/gui/widgets/tree_view.h"

#include <QTreeWidget>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string Nombres(TTreeNode* primero) {
    std::string s;
    for (TTreeNode* n = primero; n; n = n->getNextSibling())
        s += (s.empty() ? "" : ",") + n->GetText().str();
    return s;
}

class Arbol : public ::testing::Test {
protected:
    void SetUp() override {
        ResetInputState();
        ventana = std::make_unique<VentanaPrueba>();
        arbol = new TTreeView(ventana.get());
        arbol->SetParent(ventana.get());
        arbol->SetBounds(10, 10, 250, 250);
        nodos = arbol->GetItems();
    }
    void TearDown() override {
        CerrarMenus();
        ventana.reset();
        ResetInputState();
    }
    // Every event, in order.
    void Escuchar() {
        arbol->OnChanging = [this](TObject*, TTreeNode* n, bool& permitir) {
            eventos.push_back("changing:" + Texto(n));
            permitir = !rechazar;
        };
        arbol->OnChange = [this](TObject*, TTreeNode* n) {
            eventos.push_back("change:" + Texto(n));
        };
        arbol->OnExpanding = [this](TObject*, TTreeNode* n, bool&) {
            eventos.push_back("expanding:" + Texto(n));
        };
        arbol->OnExpanded = [this](TObject*, TTreeNode* n) {
            eventos.push_back("expanded:" + Texto(n));
        };
        arbol->OnCollapsed = [this](TObject*, TTreeNode* n) {
            eventos.push_back("collapsed:" + Texto(n));
        };
    }
    static std::string Texto(TTreeNode* n) { return n ? n->GetText().str() : "null"; }
    // The row of a node in client coordinates (shown).
    QPoint Fila(TTreeNode* n) {
        auto* w = static_cast<QTreeWidget*>(arbol->GetWidget());
        for (QTreeWidgetItemIterator it(w); *it; ++it)
            if (FromQString((*it)->text(0)) == n->GetText()) return w->visualItemRect(*it).center();
        return {-1, -1};
    }
    std::unique_ptr<VentanaPrueba> ventana;
    TTreeView* arbol = nullptr;
    TTreeNodes* nodos = nullptr;
    std::vector<std::string> eventos;
    bool rechazar = false;
};

TEST_F(Arbol, NodosYRecorridos) {
    TTreeNode* raiz = nodos->Add(nullptr, "Proyecto");
    TTreeNode* opacos = nodos->AddChild(raiz, "Opacos");
    int dato = 7;
    TTreeNode* mat = nodos->AddChildObject(opacos, "Materiales", &dato);
    TTreeNode* semi = nodos->AddChild(raiz, "Semitransparentes");
    TTreeNode* primero = nodos->AddChildFirst(raiz, "Primero");
    TTreeNode* antes = nodos->Insert(semi, "Antes");
    EXPECT_EQ(Nombres(raiz->getFirstChild()), "Primero,Opacos,Antes,Semitransparentes");
    EXPECT_EQ(mat->GetLevel(), 2);
    EXPECT_EQ(mat->GetParent(), opacos);
    EXPECT_EQ(*static_cast<int*>(mat->GetData()), 7);
    EXPECT_EQ(raiz->GetCount(), 4);
    EXPECT_EQ(raiz->GetItem(2), antes);
    EXPECT_EQ(primero->GetIndex(), 0);
    EXPECT_TRUE(opacos->GetHasChildren());
    EXPECT_FALSE(semi->GetHasChildren());
    // GetNext walks the whole tree depth first.
    std::string orden;
    for (TTreeNode* n = nodos->GetFirstNode(); n; n = n->GetNext())
        orden += n->GetText().str() + ";";
    EXPECT_EQ(orden, "Proyecto;Primero;Opacos;Materiales;Antes;Semitransparentes;");
    EXPECT_EQ(nodos->GetCount(), 6);
    EXPECT_EQ(nodos->GetItem(3), mat);
    EXPECT_EQ(mat->GetAbsoluteIndex(), 3);
    EXPECT_EQ(antes->GetPrev(), mat);
    // The Qt tree shows the same.
    auto* w = static_cast<QTreeWidget*>(arbol->GetWidget());
    ASSERT_EQ(w->topLevelItemCount(), 1);
    EXPECT_EQ(w->topLevelItem(0)->childCount(), 4);
    EXPECT_EQ(FromQString(w->topLevelItem(0)->child(1)->child(0)->text(0)), "Materiales");

    opacos->Delete();
    EXPECT_EQ(nodos->GetCount(), 4);
    EXPECT_EQ(w->topLevelItem(0)->childCount(), 3);
    nodos->Clear();
    EXPECT_EQ(nodos->GetCount(), 0);
    EXPECT_EQ(w->topLevelItemCount(), 0);
}

TEST_F(Arbol, OrdenPorTextoYPorComparacion) {
    arbol->SetSortType(stText);
    TTreeNode* r = nodos->Add(nullptr, "Raíz");
    for (const char* t : {"marcos", "Vidrios", "huecos", "Materiales"})
        nodos->AddChild(r, t);
    EXPECT_EQ(Nombres(r->getFirstChild()), "huecos,marcos,Materiales,Vidrios");
    // Renamed, a node moves to its place.
    r->GetItem(0)->SetText("Zócalos");
    EXPECT_EQ(Nombres(r->getFirstChild()), "marcos,Materiales,Vidrios,Zócalos");
    auto* w = static_cast<QTreeWidget*>(arbol->GetWidget());
    EXPECT_EQ(FromQString(w->topLevelItem(0)->child(3)->text(0)), "Zócalos");

    // stData keeps the order of insertion without OnCompare...
    arbol->SetSortType(stData);
    TTreeNode* d = nodos->Add(nullptr, "Datos");
    int tres = 3, uno = 1, dos = 2;
    nodos->AddChildObject(d, "c", &tres);
    nodos->AddChildObject(d, "a", &uno);
    nodos->AddChildObject(d, "b", &dos);
    EXPECT_EQ(Nombres(d->getFirstChild()), "c,a,b");
    // ...and sorts by it when asked.
    arbol->OnCompare = [](TObject*, TTreeNode* a, TTreeNode* b, int, int& c) {
        c = *static_cast<int*>(a->GetData()) - *static_cast<int*>(b->GetData());
    };
    d->AlphaSort();
    EXPECT_EQ(Nombres(d->getFirstChild()), "a,b,c");
    EXPECT_EQ(FromQString(w->topLevelItem(1)->child(0)->text(0)), "a");
}

// Nodes added, renamed and deleted at random in a sorted tree, against a plain list kept
// beside: a new node goes after those that sort equal to it, a renamed one keeps its place
// among its new equals (a stable sort), and positions, counts, the walk in order and the Qt
// items follow.
TEST_F(Arbol, OrdenadoFrenteAUnaListaSencilla) {
    arbol->SetSortType(stText);
    // Only the first character sorts, so that many nodes tie.
    arbol->OnCompare = [](TObject*, TTreeNode* a, TTreeNode* b, int, int& c) {
        c = a->GetText()[1] - b->GetText()[1];
    };
    TTreeNode* raiz = nodos->Add(nullptr, "0-raiz");
    std::vector<std::pair<std::string, TTreeNode*>> modelo;
    auto porClave = [](const auto& a, const auto& b) { return a.first[0] < b.first[0]; };
    std::mt19937 azar(37);
    for (int paso = 0; paso < 400; ++paso) {
        const std::string texto = std::to_string(azar() % 6) + "-" + std::to_string(paso);
        const unsigned accion = modelo.empty() ? 0 : azar() % 5;
        if (accion <= 2) {
            TTreeNode* n = nodos->AddChild(raiz, texto.c_str());
            modelo.insert(
                std::upper_bound(modelo.begin(), modelo.end(), std::pair{texto, n}, porClave),
                {texto, n});
        } else if (accion == 3) {
            const size_t i = azar() % modelo.size();
            modelo[i].second->SetText(texto.c_str());
            modelo[i].first = texto;
            std::stable_sort(modelo.begin(), modelo.end(), porClave);
        } else {
            const size_t i = azar() % modelo.size();
            modelo[i].second->Delete();
            modelo.erase(modelo.begin() + static_cast<long>(i));
        }
        std::string esperado;
        for (const auto& [t, n] : modelo)
            esperado += (esperado.empty() ? "" : ",") + t;
        ASSERT_EQ(Nombres(raiz->getFirstChild()), esperado) << "paso " << paso;
    }
    ASSERT_EQ(nodos->GetCount(), static_cast<int>(modelo.size()) + 1);
    auto* w = static_cast<QTreeWidget*>(arbol->GetWidget());
    ASSERT_EQ(w->topLevelItem(0)->childCount(), static_cast<int>(modelo.size()));
    for (size_t i = 0; i < modelo.size(); ++i) {
        TTreeNode* n = modelo[i].second;
        EXPECT_EQ(n->GetIndex(), static_cast<int>(i));
        EXPECT_EQ(nodos->GetItem(static_cast<int>(i) + 1), n);
        EXPECT_EQ(n->GetAbsoluteIndex(), static_cast<int>(i) + 1);
        EXPECT_EQ(FromQString(w->topLevelItem(0)->child(static_cast<int>(i))->text(0)),
                  modelo[i].first);
    }
    EXPECT_THROW(nodos->GetItem(static_cast<int>(modelo.size()) + 1), EInvalidOperation);
    EXPECT_THROW(nodos->GetItem(-1), EInvalidOperation);
}

// The Qt items under an item, as text: "(" children ")", "+" when expanded, "*" when current.
std::string ItemsQt(QTreeWidget* w, QTreeWidgetItem* item) {
    std::string s;
    const int hijos = item ? item->childCount() : w->topLevelItemCount();
    for (int i = 0; i < hijos; ++i) {
        QTreeWidgetItem* h = item ? item->child(i) : w->topLevelItem(i);
        s += FromQString(h->text(0)).str();
        if (h->isExpanded()) s += "+";
        if (w->currentItem() == h) s += "*";
        if (h->childCount() > 0) s += "(" + ItemsQt(w, h) + ")";
        s += ";";
    }
    return s;
}

// Nodes added, renamed, sorted, expanded, chosen and deleted between BeginUpdate and
// EndUpdate (nested) get their Qt items only at the last EndUpdate, and these are those
// the same steps give one at a time.
TEST_F(Arbol, EntreBeginUpdateYEndUpdateLosElementosQtSeHacenAlFinal) {
    auto pasos = [](TTreeView* t, bool deUnaVez, const std::function<void()>& enMedio) {
        TTreeNodes* n = t->GetItems();
        t->SetSortType(stText);
        TTreeNode* fijo = n->Add(nullptr, "fijo");
        n->AddChild(fijo, "hijo");
        if (deUnaVez) n->BeginUpdate();
        TTreeNode* raiz = n->Add(nullptr, "raiz");
        TTreeNode* b = n->AddChild(raiz, "b");
        TTreeNode* a = n->AddChild(raiz, "a");
        if (deUnaVez) n->BeginUpdate();
        for (const char* h : {"b3", "b1", "b2"})
            n->AddChild(b, h);
        TTreeNode* borrado = n->AddChild(a, "borrado");
        n->AddChild(borrado, "nieto");
        n->AddChild(fijo, "otro");
        if (deUnaVez) n->EndUpdate();
        enMedio();
        borrado->Delete();
        n->AddChild(a, "a1");
        a->Expand(false);
        a->SetText("c");
        raiz->Expand(false);
        b->Expand(false);
        t->SetSelected(b->getFirstChild());
        if (deUnaVez) n->EndUpdate();
    };
    std::vector<std::string> enMedio;
    auto* w = static_cast<QTreeWidget*>(arbol->GetWidget());
    pasos(arbol, true, [&] { enMedio.push_back(ItemsQt(w, nullptr)); });
    VentanaPrueba otraVentana;
    auto* otro = new TTreeView(&otraVentana);
    otro->SetParent(&otraVentana);
    auto* wOtro = static_cast<QTreeWidget*>(otro->GetWidget());
    pasos(otro, false, [&] { enMedio.push_back(ItemsQt(wOtro, nullptr)); });
    // Before the last EndUpdate only the nodes from before BeginUpdate have items.
    EXPECT_EQ(enMedio[0], "fijo(hijo;);");
    EXPECT_EQ(enMedio[1], "fijo(hijo;otro;);raiz(a(borrado(nieto;););b(b1;b2;b3;););");
    const std::string esperado = "fijo(hijo;otro;);raiz+(b+(b1*;b2;b3;);c+(a1;););";
    EXPECT_EQ(ItemsQt(wOtro, nullptr), esperado);
    EXPECT_EQ(ItemsQt(w, nullptr), esperado);
    EXPECT_EQ(nodos->GetCount(), otro->GetItems()->GetCount());
    // Afterwards a node is added at once again.
    nodos->AddChild(nodos->GetFirstNode(), "nuevo");
    EXPECT_EQ(FromQString(w->topLevelItem(0)->child(1)->text(0)), "nuevo");
}

// Nodes added in an update of a sorted tree wait for their place; wherever they are looked
// at, they are where one-by-one insertion puts them: after their equals (case ignored), in
// their order of arrival, after the siblings from before. Random adds, looks and deletions,
// against the same steps without the update, node by node and item by item.
TEST_F(Arbol, EnUnaActualizacionLosNodosOrdenadosQuedanDondeUnoAUno) {
    const char* textos[] = {"b", "B", "a", "A", "a1", "\xE1", "c", "b"};
    auto pasos = [&](TTreeView* t, bool deUnaVez, std::vector<std::string>& vistos) {
        TTreeNodes* n = t->GetItems();
        t->SetSortType(stText);
        std::mt19937 azar(31);
        auto al = [&](size_t k) { return static_cast<size_t>(azar() % k); };
        std::vector<TTreeNode*> todos;
        uintptr_t dato = 0;
        auto anadir = [&](TTreeNode* padre) {
            todos.push_back(n->AddChildObject(padre, textos[al(std::size(textos))],
                                              reinterpret_cast<void*>(++dato)));
        };
        for (int i = 0; i < 12; ++i)
            anadir(i < 3 || todos.empty() ? nullptr : todos[al(todos.size())]);
        if (deUnaVez) n->BeginUpdate();
        for (int paso = 0; paso < 400; ++paso) {
            TTreeNode* alguno = todos[al(todos.size())];
            switch (al(10)) {
            case 0: // a look at some siblings, in the middle of the update
                vistos.push_back(std::to_string(alguno->GetIndex()) + ":" +
                                 Nombres(alguno->getFirstChild()));
                break;
            case 1:
                if (alguno->GetLevel() > 0 && alguno->GetCount() == 0) {
                    std::erase(todos, alguno);
                    alguno->Delete();
                }
                break;
            default:
                anadir(al(6) == 0 ? nullptr : alguno);
            }
        }
        if (deUnaVez) n->EndUpdate();
        // Each node's siblings by data, in order.
        std::string orden;
        for (TTreeNode* x = n->GetFirstNode(); x; x = x->GetNext())
            orden += std::to_string(reinterpret_cast<uintptr_t>(x->GetData())) + "/" +
                     std::to_string(x->GetIndex()) + ";";
        return orden;
    };
    std::vector<std::string> vistosDeUnaVez, vistosUnoAUno;
    const std::string deUnaVez = pasos(arbol, true, vistosDeUnaVez);
    VentanaPrueba otraVentana;
    auto* otro = new TTreeView(&otraVentana);
    otro->SetParent(&otraVentana);
    const std::string unoAUno = pasos(otro, false, vistosUnoAUno);
    EXPECT_EQ(deUnaVez, unoAUno);
    EXPECT_EQ(vistosDeUnaVez, vistosUnoAUno);
    EXPECT_GT(vistosDeUnaVez.size(), 20u);
    EXPECT_EQ(ItemsQt(static_cast<QTreeWidget*>(arbol->GetWidget()), nullptr),
              ItemsQt(static_cast<QTreeWidget*>(otro->GetWidget()), nullptr));
}

TEST_F(Arbol, SeleccionarDesdeElProgramaDisparaLosEventos) {
    TTreeNode* raiz = nodos->Add(nullptr, "raiz");
    TTreeNode* grupo = nodos->AddChild(raiz, "grupo");
    TTreeNode* hoja = nodos->AddChild(grupo, "hoja");
    TTreeNode* otra = nodos->AddChild(raiz, "otra");
    Escuchar();
    // Selecting a hidden node opens its parents first.
    arbol->SetSelected(hoja);
    EXPECT_EQ(eventos,
              (std::vector<std::string>{"changing:hoja", "expanding:raiz", "expanded:raiz",
                                        "expanding:grupo", "expanded:grupo", "change:hoja"}));
    EXPECT_EQ(arbol->GetSelected(), hoja);
    EXPECT_TRUE(hoja->GetSelected());
    eventos.clear();
    arbol->SetSelected(hoja); // the same: nothing
    EXPECT_TRUE(eventos.empty());
    rechazar = true;
    arbol->SetSelected(otra);
    EXPECT_EQ(arbol->GetSelected(), hoja);
    EXPECT_EQ(eventos, std::vector<std::string>{"changing:otra"});
    rechazar = false;
    eventos.clear();
    // Collapsing hides the selection: it moves to the collapsed node.
    grupo->SetExpanded(false);
    EXPECT_EQ(eventos,
              (std::vector<std::string>{"changing:grupo", "change:grupo", "collapsed:grupo"}));
    EXPECT_EQ(arbol->GetSelected(), grupo);
    eventos.clear();
    otra->SetSelected(true);
    arbol->SetSelected(nullptr);
    EXPECT_EQ(eventos, (std::vector<std::string>{"changing:otra", "change:otra", "changing:null",
                                                 "change:null"}));
}

// Desde el teclado (Mayúsculas+F10, o la tecla de menú, que pide el menú sin posición), el
// menú contextual sale en el nodo elegido, no en la esquina del árbol.
TEST_F(Arbol, ElMenuContextualDelTecladoSaleEnElNodoElegido) {
    nodos->Add(nullptr, "a");
    nodos->Add(nullptr, "b");
    TTreeNode* c = nodos->Add(nullptr, "c");
    TPopupMenu menu(ventana.get());
    auto* item = new TMenuItem(&menu);
    item->SetCaption("Crear grupo");
    menu.GetItems()->Add(item);
    arbol->SetPopupMenu(&menu);
    arbol->SetFocus();
    arbol->SetSelected(c);
    auto* w = static_cast<QTreeWidget*>(arbol->GetWidget());
    const QRect fila = w->visualItemRect(w->topLevelItem(2));
    ASSERT_TRUE(fila.isValid());
    const QPoint enFila = w->viewport()->mapTo(w, fila.center());

    const std::function<void()> pedidos[] = {
        [] { SimulateKeyStroke(VK_F10, {ssShift}); },
        [this] {
            arbol->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(arbol->GetHandle()), -1);
        },
    };
    for (const auto& pedir : pedidos) {
        pedir();
        ASSERT_TRUE(menu.IsPopupShowing());
        const TPoint en = arbol->ScreenToClient(menu.GetPopupPoint());
        EXPECT_NEAR(en.y, enFila.y(), fila.height());
        EXPECT_GE(en.x, 0);
        EXPECT_LT(en.x, arbol->GetWidth());
        CerrarMenus();
        menu.CloseMenu();
    }
    // F10 solo no abre el menú contextual.
    SimulateKeyStroke(VK_F10);
    EXPECT_FALSE(menu.IsPopupShowing());
}

TEST_F(Arbol, ElUsuarioEligeConElRatonYElTecladoPeroNoConElBotonDerecho) {
    TTreeNode* a = nodos->Add(nullptr, "a");
    TTreeNode* b = nodos->Add(nullptr, "b");
    nodos->AddChild(b, "b1");
    Escuchar();
    std::vector<WORD> teclas;
    arbol->OnKeyUp = [&](TObject*, WORD& k, TShiftState) { teclas.push_back(k); };
    TPopupMenu menu(ventana.get());
    auto* item = new TMenuItem(&menu);
    item->SetCaption("Eliminar");
    menu.GetItems()->Add(item);
    int menus = 0;
    menu.OnPopup = [&](TObject*) { ++menus; };
    arbol->SetPopupMenu(&menu);

    SimulateClick(arbol, Fila(a).x(), Fila(a).y());
    EXPECT_EQ(arbol->GetSelected(), a);
    EXPECT_TRUE(arbol->Focused());
    ClicDerecho(arbol, Fila(b).x(), Fila(b).y());
    EXPECT_EQ(arbol->GetSelected(), a);
    EXPECT_EQ(menus, 1);
    CerrarMenus();
    arbol->SetFocus();
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(arbol->GetSelected(), b);
    SimulateKeyStroke(VK_RIGHT); // opens b
    EXPECT_TRUE(b->GetExpanded());
    SimulateKeyStroke(VK_DELETE);
    EXPECT_EQ(eventos, (std::vector<std::string>{"changing:a", "change:a", "changing:b", "change:b",
                                                 "expanding:b", "expanded:b"}));
    EXPECT_EQ(teclas, (std::vector<WORD>{VK_DOWN, VK_RIGHT, VK_DELETE}));
    // A double click on a node opens and closes it.
    eventos.clear();
    SimulateClick(arbol, Fila(b).x(), Fila(b).y());
    SimulateMouse(arbol, SimulatedMouse::DoubleClick, 0, Fila(b).x(), Fila(b).y());
    SimulateMouse(arbol, SimulatedMouse::Up, 0, Fila(b).x(), Fila(b).y());
    EXPECT_FALSE(b->GetExpanded());
    EXPECT_EQ(eventos, std::vector<std::string>{"collapsed:b"});
}

TEST_F(Arbol, BorrarElNodoElegidoEligeOtro) {
    TTreeNode* p = nodos->Add(nullptr, "p");
    TTreeNode* x = nodos->AddChild(p, "x");
    TTreeNode* y = nodos->AddChild(p, "y");
    TTreeNode* z = nodos->AddChild(p, "z");
    std::vector<std::string> borrados;
    arbol->OnDeletion = [&](TObject*, TTreeNode* n) { borrados.push_back(n->GetText().str()); };
    y->SetSelected(true);
    Escuchar();
    y->Delete(); // the next sibling
    EXPECT_EQ(arbol->GetSelected(), z);
    z->Delete(); // no next: the parent
    EXPECT_EQ(arbol->GetSelected(), p);
    EXPECT_EQ(eventos,
              (std::vector<std::string>{"changing:z", "change:z", "changing:p", "change:p"}));
    (void)x;
    eventos.clear();
    nodos->Clear(); // all gone: no selection, no events
    EXPECT_EQ(arbol->GetSelected(), nullptr);
    EXPECT_TRUE(eventos.empty());
    EXPECT_EQ(borrados, (std::vector<std::string>{"y", "z", "x", "p"}));
}

TEST_F(Arbol, ImagenesSegunElijaElNodoYVentanaRehecha) {
    TImageList imagenes(ventana.get());
    for (TColor c : {clRed, clBlue}) {
        TBitmap bmp;
        bmp.SetSize(16, 16);
        bmp.GetCanvas()->GetBrush()->SetColor(c);
        bmp.GetCanvas()->FillRect(Rect(0, 0, 16, 16));
        imagenes.Add(&bmp, nullptr);
    }
    arbol->SetImages(&imagenes);
    TTreeNode* a = nodos->Add(nullptr, "a");
    TTreeNode* b = nodos->Add(nullptr, "b");
    for (TTreeNode* n : {a, b}) {
        n->SetImageIndex(0);
        n->SetSelectedIndex(1);
    }
    b->SetSelected(true);
    auto* w = static_cast<QTreeWidget*>(arbol->GetWidget());
    QImage img = w->viewport()->grab().toImage();
    const QRect ra = w->visualItemRect(w->topLevelItem(0));
    const QRect rb = w->visualItemRect(w->topLevelItem(1));
    EXPECT_EQ(img.pixelColor(ra.left() + 8, ra.center().y()), QColor(255, 0, 0));
    EXPECT_EQ(img.pixelColor(rb.left() + 8, rb.center().y()), QColor(0, 0, 255));
    EXPECT_GE(ra.height(), 16);

    // The window made again keeps nodes, selection and expansion.
    nodos->AddChild(a, "a1");
    a->Expand(false);
    arbol->SetBorderStyle(bsNone);
    w = static_cast<QTreeWidget*>(arbol->GetWidget());
    ASSERT_EQ(w->topLevelItemCount(), 2);
    EXPECT_TRUE(w->topLevelItem(0)->isExpanded());
    EXPECT_EQ(w->currentItem(), w->topLevelItem(1));
    EXPECT_EQ(arbol->GetSelected(), b);
}

TEST_F(Arbol, SoloLecturaImpideEditarYOnEditingPuedeNegarse) {
    TTreeNode* a = nodos->Add(nullptr, "a");
    a->SetSelected(true);
    arbol->SetFocus();
    arbol->SetReadOnly(true);
    SimulateKeyStroke(VK_F2);
    EXPECT_FALSE(arbol->IsEditing());
    arbol->SetReadOnly(false);
    int preguntas = 0;
    arbol->OnEditing = [&](TObject*, TTreeNode* n, bool& permitir) {
        ++preguntas;
        EXPECT_EQ(n, a);
        permitir = false;
    };
    SimulateKeyStroke(VK_F2);
    EXPECT_EQ(preguntas, 1);
    EXPECT_FALSE(arbol->IsEditing());
    arbol->OnEditing = nullptr;
    SimulateKeyStroke(VK_F2);
    EXPECT_TRUE(arbol->IsEditing());
}

} // namespace
