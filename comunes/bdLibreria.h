#pragma once
// bdLibreria: la base común de las seis bases de datos de elementos. Es un Contenedor de
// elementos de un solo tipo que sabe de qué tipo de lista es (estándar, librería de
// usuario o base de datos abierta), copia elementos de otra base por sus nombres, se vacía,
// se libera y borra las marcas de uso de sus elementos.
//
// Cada clase derivada (por bdCompartida) da, por tipo de lista (0, 2 y 3), la base actual
// de ese tipo: la del gestor más reciente que sigue vivo o, sin gestores, una base suelta
// que se crea al pedirla. Los gestores tienen sus propias bases; el modelo del edificio
// busca en las de la base de datos abierta más reciente a través de la actual.

// Cada clase dice cuál es su sección de un fichero de base de datos (SeccionBD): el tipo de
// registro que carga, la cabecera que la encabeza y su grupo en el guardado XML. Con ella
// la base carga sus registros de un lector y escribe sus elementos.

#include "comunes/Contenedor.h"

#include <array>
#include <vector>

class TStrings;
class bdCatalogo;

// La sección de un tipo de elemento en un fichero de base de datos.
struct SeccionBD {
    const char* tipoRegistro = ""; // con su blanco final: "MATERIAL "
    TipoObjeto tipoElemento = TIPO_EDIFICIO;
    const char* regla = "";    // la línea que va antes y después del título
    const char* titulo = "";   // el título; los que acaban en "\n " dejan un blanco detrás
    const char* grupoXML = ""; // el elemento XML que agrupa los elementos
    bool cabeceraEnVariante = false;
    bool cabeceraEnExportar = false;
    // Escribir pasa por el Escribir de cada elemento, los de librería incluidos, en lugar
    // de por su EscribirSinLibreria (los puentes térmicos no tienen otro).
    bool escribirEnteros = false;
};

class bdLibreria : public Contenedor {
public:
    bdLibreria(const AnsiString& nombre, TipoLista tipoLista);

    // De qué tipo de lista es: LISTA_ESTANDAR, LISTA_USUARIO o LISTA_PROGRAMA.
    TipoLista ObtenerTipoLista() const { return tipoLista; }

    // Suelta el elemento (Contenedor::QuitarHijo) y lo borra.
    void QuitarHijo(ObjetoBase* hijo) override;
    // Pone "Utilizado" a falso en cada elemento.
    void MarcarUtilizados() override;

    // Por cada nombre, en orden: busca el elemento en el origen, crea aquí uno de su tipo
    // con CrearElemento bajo ese nombre (uno ya presente da nombre, "_" y un número; el de
    // la propia base no cuenta) y le copia todas las propiedades del original. Un nombre que
    // no está en el origen se salta; un origen nulo no copia nada.
    using Contenedor::CopiarDe;
    void CopiarDe(const TStrings& nombres, bdLibreria* origen);

    // Como CopiarDe, saltando los nombres que ya están aquí.
    virtual void CopiarElementosNuevos(const TStrings& nombres, bdLibreria* origen);
    // Quita cada elemento, en orden, con QuitarHijo. Lineal en el número de elementos.
    virtual void Vaciar();
    // Vacía la base y, si es la instancia compartida de su tipo de lista, la borra y deja
    // libre su sitio: la siguiente petición crea una nueva. Tras llamarla, quien la llamó
    // no debe volver a usar el puntero. Una base que no es la compartida solo se vacía.
    virtual void Liberar();

    // Carga todos los registros de su tipo del lector (un lector nulo no carga nada), en el
    // orden del fichero: cada registro da un elemento con el nombre del registro o, si ya
    // hay uno con ese nombre, con el nombre y el siguiente número de su tipo; ese elemento
    // lee los valores de su propio registro y guarda como nombre completo el del fichero.
    // Un registro que no se puede recortar (le falta su "..") se anota en el registro del
    // modelo (" no se ha cargado correctamente.") y se salta sin dejar elemento; los
    // siguientes se cargan. Si la carga anotó algo, escribe al final el fichero del registro
    // del modelo. Recorre el lector desde su principio.
    // Los cerramientos y los huecos de los tipos de lista 2 y 3 resuelven sus materiales,
    // acristalamientos y marcos en el catálogo estándar, que se lee aquí (una vez) y se
    // suelta al acabar.
    void Leer(LeerBDL* lector) override;
    // Lo mismo con un catálogo que comparten las bases que cargan un mismo fichero, para
    // que se lea una sola vez por carga.
    virtual void Leer(LeerBDL* lector, bdCatalogo& catalogo);

    // La cabecera de su sección: la regla, el título y la regla otra vez.
    void EscribirCabecera(FileWriter& fichero) override;
    // La cabecera y cada elemento por su EscribirSinLibreria (con la marca 1), salvo los
    // supuestos (EsSupuesto), que no son de la base. Los
    // materiales, acristalamientos y marcos de librería que el catálogo estándar tiene no se
    // escriben (QuedaFuera: al cargar, el catálogo los da); los que no tiene se escriben tal
    // como son (EscribirDeLibreria), para no perderlos. Los puentes térmicos se escriben
    // todos, por su Escribir. La primera forma busca en el catálogo de la carpeta de
    // librerías; la segunda, en ese, que se lee solo si hace falta.
    void Escribir(FileWriter& fichero) override;
    void Escribir(FileWriter& fichero, bdCatalogo& catalogo);
    // Si Escribir deja fuera ese elemento de la base: es de librería y el catálogo tiene uno
    // de su tipo con su nombre.
    bool QuedaFuera(const ObjetoBase& elemento, bdCatalogo& catalogo) const;
    // Cada elemento por su EscribirVariante; la cabecera, solo los cerramientos.
    void EscribirVariante(FileWriter& fichero) override;
    // Cada elemento por su Exportar; la cabecera, los materiales, cerramientos y
    // acristalamientos.
    void Exportar(FileWriter& fichero) override;
    // El elemento de su grupo (dentro de "padre" o, si es nulo, del elemento raíz) y dentro
    // el nodo de cada elemento, en orden; también los de librería, no los supuestos.
    void EscribirXML(DocumentoXML& documento, IXMLNode* padre) override;

    // Su sección; vacía en la base común (no carga ni escribe cabecera).
    virtual const SeccionBD& Seccion() const;

protected:
    // Lee el registro recortado en el elemento recién creado. Los cerramientos y los
    // huecos lo preparan antes (dónde buscar sus partes) y lo dejan después apuntando a las
    // bases de su propio tipo de lista.
    virtual void LeerElemento(ObjetoBase& elemento, LeerBDL& registro, bdCatalogo& catalogo);

    // Anota en el registro del modelo, bajo el tipo de la base, cada elemento que un
    // elemento ("quien") acaba de crear en la base desde la posición "desde" con sus
    // valores por defecto: uno que el catálogo (si lo hay) tampoco tiene; y lo marca como
    // supuesto, para que no se guarde como de la base. "Ninguno" y el nombre vacío no se
    // anotan: dicen que no hay parte.
    static void AnotarDesconocidos(const bdLibreria* base, int desde, bdLibreria* catalogo,
                                   const ObjetoBase& quien);

    // Los elementos en orden, para recorrerlos (también mientras se quitan).
    std::vector<ObjetoBase*> Elementos() const;

private:
    // Crea aquí la copia de un elemento del origen; nada si su tipo no tiene clase.
    void CopiarElemento(ObjetoBase& original);

    TipoLista tipoLista;
};

// La base de una clase de base de datos con una base actual por tipo de lista (0, 2 y 3):
// la última que un gestor hizo actual y sigue viva o, si no hay ninguna, la suelta que
// crea la primera petición. Liberar borra la suelta; su destructor la quita de donde esté,
// también cuando alguien la borra directamente.
template <class T> class bdCompartida : public bdLibreria {
public:
    void Liberar() override {
        Vaciar();
        if (Valido(ObtenerTipoLista()) && Registro(ObtenerTipoLista()).suelta == this) delete this;
    }
    // La base de un gestor pasa a ser la actual de su tipo de lista mientras viva o hasta
    // que otra ocupe su lugar; al destruirse, vuelve a serlo la anterior.
    void HacerActual() {
        if (!Valido(ObtenerTipoLista())) return;
        std::vector<bdLibreria*>& pila = Registro(ObtenerTipoLista()).deGestores;
        std::erase(pila, this);
        pila.push_back(this);
    }

protected:
    using bdLibreria::bdLibreria;
    ~bdCompartida() override {
        for (TipoLista tipo : {LISTA_ESTANDAR, LISTA_USUARIO, LISTA_PROGRAMA}) {
            Bases& bases = Registro(tipo);
            if (bases.suelta == this) bases.suelta = nullptr;
            std::erase(bases.deGestores, this);
        }
    }

    // La base actual del tipo de lista; si no hay ninguna, la suelta que devuelve "crear".
    // Nulo para un tipo de lista sin bases.
    template <class Crear> static T* Compartida(TipoLista tipo, Crear&& crear) {
        if (!Valido(tipo)) return nullptr;
        Bases& bases = Registro(tipo);
        if (!bases.deGestores.empty()) return static_cast<T*>(bases.deGestores.back());
        if (bases.suelta == nullptr) bases.suelta = crear();
        return static_cast<T*>(bases.suelta);
    }
    // El nombre propio de la instancia de cada tipo de lista.
    static const char* NombreDeLista(TipoLista tipo, const char* estandar, const char* usuario,
                                     const char* programa) {
        if (tipo == LISTA_ESTANDAR) return estandar;
        return tipo == LISTA_USUARIO ? usuario : programa;
    }

private:
    // Las bases de un tipo de lista: la suelta y las de los gestores, la actual al final.
    struct Bases {
        bdLibreria* suelta = nullptr;
        std::vector<bdLibreria*> deGestores;
    };
    static bool Valido(TipoLista tipo) {
        return tipo == LISTA_ESTANDAR || tipo == LISTA_USUARIO || tipo == LISTA_PROGRAMA;
    }
    static Bases& Registro(TipoLista tipo) {
        static std::array<Bases, 4> registro{};
        return registro[tipo];
    }
};
