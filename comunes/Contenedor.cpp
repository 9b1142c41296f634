// Contenedor: los hijos, su índice por nombre, las búsquedas y listas, y las fábricas con
// sus reglas de nombres únicos.

#include "comunes/Contenedor.h"

#include "comunes/Fabrica.h"

#include "plataforma/base/cp1252.h"
#include "plataforma/base/string_list.h"

#include <algorithm>
#include <array>
#include <limits>
#include <unordered_map>

namespace {

// Contadores de nombres de todo el programa: uno compartido para NombreUnico y uno por
// tipo para NombrePorTipo. Todos vuelven a 0 cuando muere cualquier contenedor.
struct Contadores {
    int unico = 0;
    std::array<int, 64> porTipo{};
};

Contadores& ContadoresDeNombres() {
    static Contadores contadores;
    return contadores;
}

bool TieneContador(TipoObjeto tipo) {
    return (tipo >= 1 && tipo <= 13) || tipo == 16 || tipo == 30 || tipo == 32 || tipo == 63;
}

int& CodigoDeObjeto() {
    static int codigo = 0;
    return codigo;
}

bool SelloMenor(const auto& ranura, uint64_t sello) {
    return ranura.sello < sello;
}

} // namespace

Contenedor::Contenedor(const AnsiString& nombre) : ObjetoBase(nombre) {}

Contenedor::~Contenedor() {
    // Lo que se borra aquí ya no cuenta en el índice propio.
    nombresDelArbol.reset();
    // El último primero. Cada hijo sale de la lista antes de borrarse, así que si su
    // destructor vuelve a este contenedor lo encuentra en orden.
    for (;;) {
        while (!hijos.empty() && hijos.back().objeto == nullptr) {
            hijos.pop_back();
            --huecos;
        }
        if (hijos.empty()) break;
        ObjetoBase* hijo = hijos.back().objeto;
        Desvincular(hijo);
        hijo->dueno = nullptr;
        delete hijo;
    }
    ContadoresDeNombres() = Contadores{};
}

void Contenedor::AnadirHijo(ObjetoBase* hijo) {
    if (hijo == nullptr || hijo->dueno == this) return;
    // Un contenedor no puede quedar dentro de sí mismo.
    for (ObjetoBase* antepasado = this; antepasado != nullptr;
         antepasado = antepasado->ObtenerDueno())
        if (antepasado == hijo) return;
    if (hijo->dueno != nullptr) hijo->dueno->Desvincular(hijo);
    hijo->sello = ++siguienteSello;
    Ranura ranura{hijo, hijo->sello};
    hijos.push_back(ranura);
    porNombre.Poner(hijo);
    if (dynamic_cast<Contenedor*>(hijo) != nullptr) subcontenedores.push_back(ranura);
    hijo->dueno = this;
    ContarEnIndices(*hijo, 1);
}

void Contenedor::ReservarHijos(int mas) {
    if (mas <= 0) return;
    hijos.reserve(hijos.size() + static_cast<size_t>(mas));
    porNombre.Reservar(static_cast<size_t>(NumeroHijos() + mas));
}

void Contenedor::QuitarHijo(ObjetoBase* hijo) {
    if (hijo == nullptr || hijo->dueno != this) return;
    hijo->AlQuitar();
    if (hijo->dueno != this) return;
    Desvincular(hijo);
    hijo->dueno = nullptr;
}

int Contenedor::NumeroHijos() const {
    return static_cast<int>(hijos.size() - huecos);
}

ObjetoBase* Contenedor::Hijo(int indice) const {
    if (huecos > 0) Compactar();
    if (indice < 0 || indice >= static_cast<int>(hijos.size())) return nullptr;
    return hijos[static_cast<size_t>(indice)].objeto;
}

void Contenedor::Desvincular(ObjetoBase* hijo) {
    if (hijo->dueno != this) return;
    // Fuera del índice antes de la siguiente búsqueda: quitar todos los hijos uno a uno lo
    // vacía de una vez.
    porNombre.Soltar(hijo->nombre, hijo);
    const uint64_t sello = hijo->sello;
    // Un hijo a medio destruir ya no tiene hijos (o ya no es un contenedor): cuenta lo que
    // queda de él.
    ContarEnIndices(*hijo, -1);

    // Quien quita los hijos en orden quita siempre el primero que queda: tras los huecos,
    // si todos están delante.
    auto enLista = huecos < hijos.size() && hijos[huecos].sello == sello
                       ? hijos.begin() + static_cast<std::ptrdiff_t>(huecos)
                       : std::lower_bound(hijos.begin(), hijos.end(), sello, SelloMenor<Ranura>);
    if (enLista != hijos.end() && enLista->sello == sello) {
        enLista->objeto = nullptr;
        ++huecos;
    }
    while (!hijos.empty() && hijos.back().objeto == nullptr) {
        hijos.pop_back();
        --huecos;
    }
    // Con más huecos que hijos se compacta: quitar todos uno a uno sigue siendo lineal.
    if (huecos > 0 && huecos * 2 > hijos.size()) Compactar();

    auto sub =
        std::lower_bound(subcontenedores.begin(), subcontenedores.end(), sello, SelloMenor<Ranura>);
    if (sub != subcontenedores.end() && sub->sello == sello) subcontenedores.erase(sub);
}

void Contenedor::Compactar() const {
    std::erase_if(hijos, [](const Ranura& r) { return r.objeto == nullptr; });
    huecos = 0;
}

void Contenedor::HijoRenombrado(ObjetoBase* hijo, const AnsiString& anterior) {
    if (!porNombre.Quitar(anterior, hijo)) return;
    porNombre.Poner(hijo);
    CambiarEnIndices(anterior, -1);
    CambiarEnIndices(hijo->nombre, 1);
}

void Contenedor::LlevarIndiceDeNombres() {
    if (nombresDelArbol) return;
    nombresDelArbol = std::make_unique<NombresContados>();
    for (const Ranura& ranura : hijos)
        if (ranura.objeto != nullptr) {
            // Solo este índice: los de los antepasados ya cuentan estos hijos.
            std::vector<const ObjetoBase*> pendientes{ranura.objeto};
            while (!pendientes.empty()) {
                const ObjetoBase* objeto = pendientes.back();
                pendientes.pop_back();
                nombresDelArbol->Sumar(objeto->nombre, 1);
                if (auto* sub = dynamic_cast<const Contenedor*>(objeto))
                    for (const Ranura& r : sub->hijos)
                        if (r.objeto != nullptr) pendientes.push_back(r.objeto);
            }
        }
}

void Contenedor::CambiarEnIndices(const AnsiString& nombre, int cuenta) {
    for (Contenedor* c = this; c != nullptr; c = c->dueno) {
        if (c->nombresDelArbol) c->nombresDelArbol->Sumar(nombre, cuenta);
    }
}

void Contenedor::ContarEnIndices(const ObjetoBase& objeto, int cuenta) {
    bool hayIndice = false;
    for (const Contenedor* c = this; c != nullptr && !hayIndice; c = c->dueno)
        hayIndice = c->nombresDelArbol != nullptr;
    if (!hayIndice) return;
    CambiarEnIndices(objeto.nombre, cuenta);
    // Lo que tiene por debajo, si algo: una hoja o un contenedor vacío, como todo objeto
    // recién creado, no necesita la pila.
    auto* raiz = dynamic_cast<const Contenedor*>(&objeto);
    if (raiz == nullptr || raiz->NumeroHijos() == 0) return;
    std::vector<const ObjetoBase*> pendientes;
    for (const Ranura& r : raiz->hijos)
        if (r.objeto != nullptr) pendientes.push_back(r.objeto);
    while (!pendientes.empty()) {
        const ObjetoBase* o = pendientes.back();
        pendientes.pop_back();
        CambiarEnIndices(o->nombre, cuenta);
        if (auto* sub = dynamic_cast<const Contenedor*>(o))
            for (const Ranura& r : sub->hijos)
                if (r.objeto != nullptr) pendientes.push_back(r.objeto);
    }
}

bool Contenedor::PuedeTener(const AnsiString& nombre) const {
    // El índice más cercano: el de menos objetos que aún los tiene todos.
    for (const Contenedor* c = this; c != nullptr; c = c->dueno)
        if (c->nombresDelArbol) return c->nombresDelArbol->Contiene(nombre);
    return true;
}

ObjetoBase* Contenedor::BuscarPorNombre(const AnsiString& texto) {
    if (EsNombre(texto)) return this;
    return BuscarEnHijos(texto);
}

ObjetoBase* Contenedor::BuscarEnHijos(const AnsiString& texto) {
    if (!PuedeTener(texto)) return nullptr;
    // En profundidad y en orden: antes que el primer hijo directo con ese nombre solo
    // pueden ganar los descendientes de los contenedores que van delante de él.
    ObjetoBase* directo = porNombre.Primero(texto);
    if (subcontenedores.empty()) return directo;
    const uint64_t limite = directo ? directo->sello : std::numeric_limits<uint64_t>::max();
    for (const Ranura& sub : subcontenedores) {
        if (sub.sello >= limite) break;
        if (ObjetoBase* hallado = sub.objeto->BuscarPorNombre(texto)) return hallado;
    }
    return directo;
}

ObjetoBase* Contenedor::BuscarPorNombreCompleto(const AnsiString& texto) {
    if (ObtenerNombreCompleto() == texto) return this;
    for (const Ranura& ranura : hijos) {
        if (ranura.objeto == nullptr) continue;
        if (ObjetoBase* hallado = ranura.objeto->BuscarPorNombreCompleto(texto)) return hallado;
    }
    return nullptr;
}

int Contenedor::ContarUsos(const AnsiString& texto) const {
    if (EsNombre(texto)) return 1;
    return porNombre.Cuantos(texto);
}

void Contenedor::ListarNombres(TStrings& lista) const {
    for (const Ranura& ranura : hijos)
        if (ranura.objeto != nullptr) lista.Add(ranura.objeto->nombre);
}

void Contenedor::ListarNombresDeGrupo(TStrings& lista, const AnsiString& grupo) const {
    for (const Ranura& ranura : hijos)
        if (ranura.objeto != nullptr &&
            cp1252::CompareIC(ranura.objeto->ObtenerGrupo().str(), grupo.str()) == 0)
            lista.Add(ranura.objeto->nombre);
}

void Contenedor::ListarGrupos(TStrings& lista) const {
    for (const Ranura& ranura : hijos) {
        if (ranura.objeto == nullptr) continue;
        const AnsiString& grupo = ranura.objeto->ObtenerGrupo();
        if (lista.IndexOf(grupo) < 0) lista.Add(grupo);
    }
}

std::vector<Contenedor::Grupo> Contenedor::HijosPorGrupo() const {
    std::vector<Grupo> grupos;
    // El puesto del grupo de cada grafía vista: la primera grafía de un grupo le da nombre y
    // las que solo difieren de ella en mayúsculas van a parar a él.
    std::unordered_map<std::string, size_t> puestos;
    for (const Ranura& ranura : hijos) {
        if (ranura.objeto == nullptr) continue;
        const AnsiString& grupo = ranura.objeto->ObtenerGrupo();
        auto [puesto, nuevo] = puestos.try_emplace(grupo.str(), grupos.size());
        if (nuevo) {
            auto igual = std::find_if(grupos.begin(), grupos.end(), [&](const Grupo& g) {
                return cp1252::CompareIC(g.nombre.str(), grupo.str()) == 0;
            });
            puesto->second = static_cast<size_t>(igual - grupos.begin());
            if (igual == grupos.end()) grupos.push_back(Grupo{grupo, {}});
        }
        grupos[puesto->second].hijos.push_back(ranura.objeto);
    }
    return grupos;
}

void Contenedor::ListarPorGrupo(TStrings& lista, int modo, bool porNombreDeHijo) const {
    if (modo != 0 && modo != 1) return;
    for (const Ranura& ranura : hijos) {
        if (ranura.objeto == nullptr) continue;
        if (modo == 1 && porNombreDeHijo) {
            lista.Add(ranura.objeto->nombre);
            continue;
        }
        AnsiString valor;
        ranura.objeto->ValorPropiedad(modo == 0 ? "Grupo" : "Nombre completo", valor);
        if (modo == 1 && valor == "Hueco sin vidrio") continue;
        lista.Add(valor);
    }
}

AnsiString Contenedor::NombreUnico(const AnsiString& nombre) {
    return nombre + "_" + AnsiString(++ContadoresDeNombres().unico);
}

AnsiString Contenedor::NombrePorTipo(const AnsiString& nombre, TipoObjeto tipo) {
    if (!TieneContador(tipo)) return AnsiString();
    return nombre + AnsiString(++ContadoresDeNombres().porTipo[tipo]);
}

bool Contenedor::NombreLibre(const AnsiString& nombre, ObjetoBase* ambito) {
    auto* contenedor = dynamic_cast<Contenedor*>(ambito);
    // Una hoja no tiene nada por debajo.
    return contenedor == nullptr || contenedor->BuscarEnHijos(nombre) == nullptr;
}

int Contenedor::SiguienteCodigo() {
    return ++CodigoDeObjeto();
}

bool Contenedor::NombreOcupado(const AnsiString& candidato, TipoObjeto tipo, bool propio) {
    if ((propio ? BuscarPorNombre(candidato) : BuscarEnHijos(candidato)) != nullptr) return true;
    // Plantas, espacios, muros y ventanas miran además un ámbito más ancho: las plantas este
    // contenedor, los espacios su dueño, los muros y ventanas el dueño de su dueño.
    ObjetoBase* ambito = nullptr;
    if (tipo == TIPO_PLANTA)
        ambito = this;
    else if (tipo == TIPO_ESPACIO)
        ambito = ObtenerDueno();
    else if (tipo >= TIPO_MURO_EXTERIOR && tipo <= TIPO_MURO_TERRENO)
        ambito = ObtenerDueno() ? ObtenerDueno()->ObtenerDueno() : nullptr;
    else
        return false;
    return !NombreLibre(candidato, ambito);
}

AnsiString Contenedor::CrearHijo(const AnsiString& nombre, TipoObjeto tipo) {
    // El nombre propio del contenedor también cuenta como ocupado.
    return CrearConNombreUnico(nombre, tipo, true);
}

AnsiString Contenedor::CrearElemento(const AnsiString& nombre, TipoObjeto tipo) {
    return CrearConNombreUnico(nombre, tipo, false);
}

AnsiString Contenedor::CrearHijoNumerado(const AnsiString& nombre, TipoObjeto tipo, bool numerado) {
    return CrearConNumero(nombre, tipo, numerado, true);
}

AnsiString Contenedor::CrearElementoNumerado(const AnsiString& nombre, TipoObjeto tipo,
                                             bool numerado) {
    return CrearConNumero(nombre, tipo, numerado, false);
}

AnsiString Contenedor::CrearConNombreUnico(const AnsiString& nombre, TipoObjeto tipo, bool propio) {
    const AnsiString base = nombre.IsEmpty() && propio ? ObtenerNombre() : nombre;
    AnsiString candidato = base;
    while (NombreOcupado(candidato, tipo, propio))
        candidato = NombreUnico(base);
    if (std::unique_ptr<ObjetoBase> objeto = Fabrica::Crear(tipo, candidato, false))
        AnadirHijo(objeto.release());
    return candidato;
}

AnsiString Contenedor::CrearConNumero(const AnsiString& nombre, TipoObjeto tipo, bool numerado,
                                      bool propio) {
    const AnsiString base = nombre.IsEmpty() && propio ? ObtenerNombre() : nombre;
    // Un tipo sin contador se numera con el compartido, para que la búsqueda de un nombre
    // libre siempre acabe.
    auto numerar = [&] {
        return TieneContador(tipo) ? NombrePorTipo(base, tipo) : NombreUnico(base);
    };
    AnsiString candidato = numerado ? numerar() : base;
    while ((propio ? BuscarPorNombre(candidato) : BuscarEnHijos(candidato)) != nullptr)
        candidato = numerar();
    if (std::unique_ptr<ObjetoBase> objeto = Fabrica::Crear(tipo, candidato, true))
        AnadirHijo(objeto.release());
    return candidato;
}

void Contenedor::CrearResultado(TipoObjeto tipo) {
    if (std::unique_ptr<ObjetoBase> objeto = Fabrica::CrearResultado(tipo, ObtenerNombre()))
        AnadirHijo(objeto.release());
}

void Contenedor::FilasResultadoO() {}
void Contenedor::FilasResultadoP() {}
void Contenedor::FilasResultadoM() {}
