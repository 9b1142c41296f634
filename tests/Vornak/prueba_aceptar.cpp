// "Aceptar" en los editores: lo que el usuario no tocó se queda exactamente como estaba, y lo
// que cambió sin aceptar no se pierde al elegir otro elemento sin preguntar.

#include "tests/Vornak/editores_prueba.h"

#include "plataforma/base/string_list.h"
#include "plataforma/gui/widgets/label.h"
#include "plataforma/gui/widgets/page_control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Aceptar : public PruebaEditores {
protected:
    void SetUp() override {
        PruebaEditores::SetUp();
        base = carpeta.Fichero("Lib/cada_tipo.bdc", BaseDeCadaTipo());
    }
    static float Real(ObjetoBase* e, const char* clave) {
        float x = -1.0f;
        e->ObtenerReal(clave, x);
        return x;
    }
    AnsiString base;
};

// Elegir cada elemento y pulsar su "Aceptar" sin teclear nada no cambia ni un valor: la base
// guardada después es, byte a byte, la guardada antes.
TEST_F(Aceptar, SinTeclearNadaLaBaseGuardadaNoCambia) {
    AbrirDelMenu(base);
    TforGestorBD* v = Ventana();
    const AnsiString antes = carpeta.Fichero("Lib/antes.bdc", "");
    ASSERT_TRUE(Actual()->Guardar(antes));

    const struct {
        std::vector<const char*> camino;
        TButton* aceptar;
    } elementos[] = {
        {{"Opacos", "Materiales y productos", "Fabricas", "Ladrillo"}, v->btnAceptarMat},
        {{"Opacos", "Materiales y productos", "Camaras", "Camara"}, v->btnAceptarMat},
        {{"Opacos", "Cerramientos y particiones interiores", "Muros", "Muro"}, v->btnAceptarCer},
        {{"Semitransparentes", "Vidrios", "Dobles", "Doble"}, v->btnAceptarAcr},
        {{"Semitransparentes", "Marcos", "Maderas", "Madera"}, v->btnAceptarMar},
        {{"Semitransparentes", "Huecos y lucernarios", "Ventanas", "Ventana"}, v->btnAceptarHue},
        {{"Semitransparentes", "Huecos y lucernarios", "Ventanas", "Puerta"}, v->btnAceptarHue},
        {{"Puentes térmicos", "Pilares", "Pilar"}, v->btnAceptarPue},
    };
    for (const auto& e : elementos) {
        SCOPED_TRACE(e.camino.back());
        ASSERT_NE(Elegir(e.camino), nullptr);
        Pulsar(e.aceptar);
    }
    // Lo que los campos muestran redondeado sigue con su valor leído.
    EXPECT_FLOAT_EQ(Real(Elemento(TIPO_MATERIAL, "Ladrillo"), "Conductividad"), 0.0375f);
    EXPECT_FLOAT_EQ(Real(Elemento(TIPO_MARCO, "Madera"), "frameWidth"), 0.065f);
    EXPECT_FLOAT_EQ(Real(Elemento(TIPO_MARCO, "Madera"), "frameConduct"), 2.125f);
    EXPECT_FLOAT_EQ(Real(Elemento(TIPO_ACRISTALAMIENTO, "Doble"), "Conductancia"), 2.875f);
    EXPECT_FLOAT_EQ(Real(Elemento(TIPO_HUECO, "Ventana"), "Porcentaje"), 12.345f);
    EXPECT_FLOAT_EQ(Real(Elemento(TIPO_PUENTE_TERMICO, "Pilar"), "Efe"), 0.675f);
    const AnsiString despues = carpeta.Fichero("Lib/despues.bdc", "");
    ASSERT_TRUE(Actual()->Guardar(despues));
    EXPECT_EQ(LeerBytes(despues), LeerBytes(antes));

    // Lo que sí se teclea se toma, y solo eso.
    Elegir({"Opacos", "Materiales y productos", "Fabricas", "Ladrillo"});
    Teclear(v->edDensidad, "1500");
    Pulsar(v->btnAceptarMat);
    ObjetoBase* ladrillo = Elemento(TIPO_MATERIAL, "Ladrillo");
    EXPECT_FLOAT_EQ(Real(ladrillo, "Densidad"), 1500.0f);
    EXPECT_FLOAT_EQ(Real(ladrillo, "Conductividad"), 0.0375f);
    EXPECT_FLOAT_EQ(Real(ladrillo, "Espesor"), 0.065f);
}

// Unas capas añadidas y sin aceptar: al elegir otro elemento se pregunta. Cancelar se queda
// en el cerramiento con su trabajo; No lo deja como estaba; Sí lo acepta.
TEST_F(Aceptar, DejarUnCerramientoCambiadoPreguntaSiSeAceptan) {
    AbrirDelMenu(base);
    TforGestorBD* v = Ventana();
    TTreeNode* muro = Elegir({"Opacos", "Cerramientos y particiones interiores", "Muros", "Muro"});
    ObjetoBase* m = Actual()->ElementoActual();
    auto capas = [m] {
        TStringList lista;
        m->ObtenerLista("Materiales", lista);
        return lista.GetCount();
    };
    auto anadirSuelto = [&] {
        ElegirEn(v->cbGrupoMaterial, "Fabricas");
        ElegirEn(v->losMateriales, "Suelto");
        Teclear(v->Edit1, "0.1");
        Pulsar(v->btnNuevoMaterial);
        ASSERT_EQ(v->SG_Camaras->GetRowCount(), 5);
    };
    const std::vector<const char*> otro = {"Opacos", "Materiales y productos", "Fabricas",
                                           "Suelto"};
    anadirSuelto();
    Guion().AnswerMessageBox(IDCANCEL);
    Elegir(otro);
    EXPECT_EQ(Guion().ShownBoxes().back().text, "¿Desea aceptar los cambios?");
    EXPECT_EQ(Guion().ShownBoxes().back().flags & MB_YESNOCANCEL,
              static_cast<unsigned>(MB_YESNOCANCEL));
    EXPECT_EQ(v->tvBaseDatos->GetSelected(), muro);
    EXPECT_EQ(Actual()->ElementoActual(), m);
    EXPECT_EQ(v->SG_Camaras->GetRowCount(), 5);
    Capturar("pregunta_al_dejar_cerramiento");
    // Con el teclado, como con el ratón: la flecha abajo lleva al tabique, y Cancelar no.
    v->tvBaseDatos->SetFocus();
    Guion().AnswerMessageBox(IDCANCEL);
    SimulateKeyStroke(VK_DOWN);
    EXPECT_EQ(Guion().ShownBoxes().back().text, "¿Desea aceptar los cambios?");
    EXPECT_EQ(v->tvBaseDatos->GetSelected(), muro);
    EXPECT_EQ(v->SG_Camaras->GetRowCount(), 5);

    // Cambiar de página también deja el cerramiento: Cancelar se queda en su página.
    Guion().AnswerMessageBox(IDCANCEL);
    v->pcOpacos->SetActivePage(v->tsMateriales);
    Actual()->CambiarPestana();
    EXPECT_EQ(v->tvBaseDatos->GetSelected(), muro);
    EXPECT_EQ(v->pcOpacos->GetActivePage(), v->tsCerramientos);
    EXPECT_EQ(v->SG_Camaras->GetRowCount(), 5);

    Guion().AnswerMessageBox(IDNO);
    Elegir(otro);
    EXPECT_EQ(Actual()->ElementoActual(), Elemento(TIPO_MATERIAL, "Suelto"));
    EXPECT_EQ(capas(), 2);

    // Sin cambios no se pregunta nada (una caja sin contestar haría fallar la prueba), aunque
    // el cursor haya pasado por los campos.
    Elegir({"Opacos", "Cerramientos y particiones interiores", "Muros", "Muro"});
    Elegir(otro);
    for (TKavEdit* campo : {v->edEspesor, v->edConductividad, v->edDensidad, v->edVaporP})
        campo->SetFocus();
    v->edNombreMat->SetFocus();
    Elegir({"Opacos", "Cerramientos y particiones interiores", "Muros", "Muro"});
    Elegir(otro);

    Elegir({"Opacos", "Cerramientos y particiones interiores", "Muros", "Muro"});
    anadirSuelto();
    Guion().AnswerMessageBox(IDYES);
    Elegir(otro);
    EXPECT_EQ(Actual()->ElementoActual(), Elemento(TIPO_MATERIAL, "Suelto"));
    EXPECT_EQ(capas(), 3);

    // Un valor tecleado en otro editor también cuenta.
    Teclear(v->edDensidad, "900");
    Guion().AnswerMessageBox(IDYES);
    Elegir({"Opacos", "Materiales y productos", "Fabricas", "Ladrillo"});
    EXPECT_FLOAT_EQ(Real(Elemento(TIPO_MATERIAL, "Suelto"), "Densidad"), 900.0f);

    // Cerrar la ventana también deja el elemento: Cancelar la deja abierta con lo tecleado.
    Teclear(v->edDensidad, "800");
    Guion().AnswerMessageBox(IDCANCEL);
    v->Close();
    Application->ProcessMessages();
    ASSERT_EQ(Marco()->Controladores(), 1);
    EXPECT_EQ(v->edDensidad->GetText(), "800");
    Guion().AnswerMessageBox(IDYES); // se aceptan
    Guion().AnswerMessageBox(IDNO);  // y no se guardan
    v->Close();
    Application->ProcessMessages();
    EXPECT_EQ(Marco()->Controladores(), 0);
    EXPECT_EQ(Guion().ShownBoxes().back().text, "¿Desea guardar los cambios?");
}

// Teclear en un campo el valor que ya muestra, redondeado, es pedir ese valor: se toma, en
// memoria y en el fichero. Lo que nadie tecleó sigue con el valor leído.
TEST_F(Aceptar, ElValorQueSeMuestraRedondeadoTecleadoSeToma) {
    AbrirDelMenu(base);
    TforGestorBD* v = Ventana();
    const struct {
        std::vector<const char*> camino;
        TCustomEdit* campo;
        TButton* aceptar;
        TipoObjeto tipo;
        const char* nombre;
        const char* clave;
        float leido;
    } casos[] = {
        {{"Opacos", "Materiales y productos", "Fabricas", "Ladrillo"},
         v->edConductividad,
         v->btnAceptarMat,
         TIPO_MATERIAL,
         "Ladrillo",
         "Conductividad",
         0.0375f},
        {{"Semitransparentes", "Marcos", "Maderas", "Madera"},
         v->edFrameConduct,
         v->btnAceptarMar,
         TIPO_MARCO,
         "Madera",
         "frameConduct",
         2.125f},
        {{"Semitransparentes", "Vidrios", "Dobles", "Doble"},
         v->edConductanciaAcr,
         v->btnAceptarAcr,
         TIPO_ACRISTALAMIENTO,
         "Doble",
         "Conductancia",
         2.875f},
        {{"Puentes térmicos", "Pilares", "Pilar"},
         v->edEfe,
         v->btnAceptarPue,
         TIPO_PUENTE_TERMICO,
         "Pilar",
         "Efe",
         0.675f},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.clave);
        ASSERT_NE(Elegir(c.camino), nullptr);
        const AnsiString mostrado = c.campo->GetText();
        const float pedido = std::stof(mostrado.str());
        ASSERT_NE(pedido, c.leido) << "el campo lo muestra redondeado";
        Teclear(c.campo, mostrado);
        Pulsar(c.aceptar);
        EXPECT_FLOAT_EQ(Real(Elemento(c.tipo, c.nombre), c.clave), pedido);
        EXPECT_EQ(c.campo->GetText(), mostrado);
    }
    const AnsiString guardada = carpeta.Fichero("Lib/tecleado.bdc", "");
    ASSERT_TRUE(Actual()->Guardar(guardada));
    const std::string texto = LeerBytes(guardada);
    EXPECT_EQ(texto.find("0.0375"), std::string::npos);
    EXPECT_EQ(texto.find("2.875"), std::string::npos);
    // Aceptado, lo mostrado vuelve a ser lo del elemento: dejarlo no pregunta nada.
    Elegir({"Opacos", "Materiales y productos", "Fabricas", "Ladrillo"});
    Elegir({"Opacos", "Materiales y productos", "Fabricas", "Suelto"});
}

// Contestar "¿Desea aceptar los cambios?" al pulsar otra pestaña lleva a la pestaña pulsada,
// con su primer elemento, se conteste Sí o No.
TEST_F(Aceptar, LaPestanaPulsadaSigueTrasLaPregunta) {
    AbrirDelMenu(base);
    TforGestorBD* v = Ventana();
    const struct {
        std::vector<const char*> camino;
        TCustomEdit* campo;
        TPageControl* control;
        TTabSheet* pulsada;
        TipoObjeto tipo;
    } casos[] = {
        {{"Opacos", "Materiales y productos", "Fabricas", "Ladrillo"},
         v->edDensidad,
         v->pcOpacos,
         v->tsCerramientos,
         TIPO_CERRAMIENTO},
        {{"Semitransparentes", "Vidrios", "Dobles", "Doble"},
         v->edConductanciaAcr,
         v->pcSemitransparentes,
         v->tsHuecos,
         TIPO_HUECO},
        {{"Opacos", "Materiales y productos", "Fabricas", "Ladrillo"},
         v->edDensidad,
         v->pcBaseDatos,
         v->tsPuentes,
         TIPO_PUENTE_TERMICO},
    };
    for (const auto& c : casos) {
        for (int respuesta : {IDYES, IDNO}) {
            SCOPED_TRACE(std::string(c.pulsada->GetCaption().c_str()) +
                         (respuesta == IDYES ? " / Sí" : " / No"));
            ASSERT_NE(Elegir(c.camino), nullptr);
            Teclear(c.campo, "3");
            Guion().AnswerMessageBox(respuesta);
            c.control->SetActivePage(c.pulsada);
            Actual()->CambiarPestana();
            EXPECT_EQ(Guion().ShownBoxes().back().text, "¿Desea aceptar los cambios?");
            EXPECT_EQ(c.control->GetActivePage(), c.pulsada);
            ASSERT_NE(Actual()->ElementoActual(), nullptr);
            EXPECT_EQ(Actual()->ElementoActual()->ObtenerTipo(), c.tipo);
            EXPECT_EQ(Actual()->ElementoActual()->ObtenerNombre(),
                      v->tvBaseDatos->GetSelected()->GetText());
        }
    }
}

// Una capa de conductividad tan pequeña que la rejilla la muestra "0.000" sigue sumando su
// resistencia: 20 mm de λ 0,0004 son 50 m²K/W.
TEST_F(Aceptar, UnaConductividadQueSeMuestraCeroSumaLaDelMaterial) {
    AbrirDelMenu(base);
    TforGestorBD* v = Ventana();
    ObjetoBase* suelto = Elemento(TIPO_MATERIAL, "Suelto");
    suelto->PonerReal("Conductividad", 0.0004f);
    Elegir({"Opacos", "Cerramientos y particiones interiores", "Muros"});
    Actual()->CrearElemento(TIPO_CERRAMIENTO);
    ElegirEn(v->cbGrupoMaterial, "Fabricas");
    ElegirEn(v->losMateriales, "Suelto");
    Teclear(v->Edit1, "0.02");
    Pulsar(v->btnNuevoMaterial);
    EXPECT_EQ(Celda(3, 1), "0.000");
    EXPECT_EQ(U(), "0.02"); // 1 / (50 + 0,17)
    Pulsar(v->btnAceptarCer);
    EXPECT_EQ(U(), "0.02");
    // Aceptar el material cambiando otro valor no toca esa conductividad que se ve "0.000".
    Elegir({"Opacos", "Materiales y productos", "Fabricas", "Suelto"});
    EXPECT_EQ(v->edConductividad->GetText(), "0.000");
    Teclear(v->edDensidad, "900");
    Pulsar(v->btnAceptarMat);
    EXPECT_FLOAT_EQ(Real(suelto, "Conductividad"), 0.0004f);
}

// El espesor sigue al material elegido: el de una capa de resistencia no se escribe, ni
// antes ni después de añadirla. Subir y bajar siguen a la fila elegida tras cada orden.
TEST_F(Aceptar, ElEspesorYSubirBajarSiguenLoQueMuestran) {
    AbrirDelMenu(base);
    TforGestorBD* v = Ventana();
    Elegir({"Opacos", "Cerramientos y particiones interiores", "Muros", "Tabique"});
    ElegirEn(v->cbGrupoMaterial, "Camaras");
    ElegirEn(v->losMateriales, "Camara");
    EXPECT_FALSE(v->Edit1->GetEnabled());
    EXPECT_FALSE(v->lbEspesorCer->GetEnabled());
    Pulsar(v->btnNuevoMaterial);
    EXPECT_EQ(Celda(1, 2), "Camara");
    EXPECT_FALSE(v->Edit1->GetEnabled());
    EXPECT_FALSE(v->lbEspesorCer->GetEnabled());
    // La fila 1 sigue elegida: no sube, pero baja.
    EXPECT_EQ(v->SG_Camaras->GetRow(), 1);
    EXPECT_FALSE(v->btnSubir->GetEnabled());
    EXPECT_TRUE(v->btnBajar->GetEnabled());
    Capturar("espesor_de_capa_de_resistencia");

    // Elegir la fila de la cámara también deja el espesor sin escribir; la del ladrillo, no.
    ElegirFila(2);
    EXPECT_FALSE(v->Edit1->GetEnabled());
    EXPECT_TRUE(v->btnSubir->GetEnabled());
    EXPECT_FALSE(v->btnBajar->GetEnabled());
    Pulsar(v->btnSubir);
    EXPECT_EQ(Celda(1, 1), "Camara");
    EXPECT_EQ(v->SG_Camaras->GetRow(), 1);
    EXPECT_FALSE(v->btnSubir->GetEnabled());
    EXPECT_TRUE(v->btnBajar->GetEnabled());
    ElegirFila(2);
    EXPECT_EQ(v->losMateriales->GetText(), "Ladrillo");
    EXPECT_TRUE(v->Edit1->GetEnabled());
    EXPECT_TRUE(v->lbEspesorCer->GetEnabled());
    Pulsar(v->btnAceptarCer);
}

} // namespace
