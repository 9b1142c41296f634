#pragma once
// Contenedor: el ObjetoBase que tiene otros objetos. Guarda sus hijos en orden de entrada,
// los adopta y los suelta, los busca por nombre, lista sus nombres y grupos y crea hijos
// nuevos por código de tipo con nombres únicos. Todas las bases de datos de elementos y los
// objetos del edificio con partes lo son.
//
// Cada contenedor guarda un índice de sus hijos directos por nombre (HijosPorNombre), de
// modo que buscar en un contenedor plano, como una base de datos, no recorre los hijos.

#include "comunes/HijosPorNombre.h"
#include "comunes/NombresContados.h"
#include "comunes/ObjetoBase.h"

#include <cstdint>
#include <memory>
#include <vector>

class Contenedor : public ObjetoBase {
public:
    explicit Contenedor(const AnsiString& nombre);
    // Borra los hijos, el último primero, y pone a 0 todos los contadores de nombres.
    ~Contenedor() override;

    // Añade el hijo al final y pasa a ser su dueño. Un hijo que tenía otro dueño deja de
    // estar en él (sin AlQuitar ni borrado); uno que ya estaba aquí no cambia de sitio.
    void AnadirHijo(ObjetoBase* hijo) override;
    // Ejecuta AlQuitar del hijo, le quita el dueño y lo saca de la lista (los siguientes
    // suben un puesto); no lo borra. Un hijo nulo o que no es de este contenedor no hace
    // nada.
    void QuitarHijo(ObjetoBase* hijo) override;
    int NumeroHijos() const override;
    // Este contenedor si su nombre es el texto; si no, el primer objeto con ese nombre en
    // profundidad por los hijos, en orden; nulo si no hay ninguno.
    ObjetoBase* BuscarPorNombre(const AnsiString& nombre) override;
    ObjetoBase* BuscarPorNombreCompleto(const AnsiString& nombreCompleto) override;
    // Como BuscarPorNombre sin mirar el nombre propio: el primer objeto con ese nombre por
    // debajo del contenedor. Así se buscan los elementos de una base de datos, que pueden
    // llamarse como ella.
    ObjetoBase* BuscarEnHijos(const AnsiString& nombre);

    // Crea un hijo del tipo con un nombre único derivado del dado (vacío: el del
    // contenedor) y devuelve el nombre usado, aunque el tipo no tenga clase y no se cree
    // nada.
    virtual AnsiString CrearHijo(const AnsiString& nombre, TipoObjeto tipo);
    // Lo mismo numerando por tipo ("Ladrillo", "Ladrillo1"...); lo usan los cargadores.
    virtual AnsiString CrearHijoNumerado(const AnsiString& nombre, TipoObjeto tipo, bool numerado);
    // Como CrearHijo y CrearHijoNumerado, pero solo los hijos ocupan un nombre: el del
    // contenedor no, y un nombre vacío se queda vacío. Las bases de datos crean así sus
    // elementos al cargarlos, completarlos y copiarlos, para que uno que se llama como la
    // base, o que no tiene nombre, conserve el suyo.
    AnsiString CrearElemento(const AnsiString& nombre, TipoObjeto tipo);
    AnsiString CrearElementoNumerado(const AnsiString& nombre, TipoObjeto tipo, bool numerado);
    // Un contenedor de resultados de planta (1) o de espacio (2) del modelo del edificio.
    virtual void CrearResultado(TipoObjeto tipo);
    // Filas de resultados del modelo del edificio; vacías aquí.
    virtual void FilasResultadoO();
    virtual void FilasResultadoP();
    virtual void FilasResultadoM();

    // El hijo en la posición (desde 0), en orden de entrada; nulo fuera de límites.
    ObjetoBase* Hijo(int indice) const;

    // 1 si el contenedor se llama así; si no, cuántos hijos directos se llaman así.
    int ContarUsos(const AnsiString& nombre) const;
    // Añaden a la lista, en orden: los nombres de los hijos; los de los hijos de ese grupo
    // (sin distinguir mayúsculas, como las listas de grupos); cada grupo una vez (según
    // IndexOf de la lista), en el orden en que aparece.
    void ListarNombres(TStrings& lista) const;
    void ListarNombresDeGrupo(TStrings& lista, const AnsiString& grupo) const;
    void ListarGrupos(TStrings& lista) const;
    // Lo que dan ListarGrupos (en una lista que no distingue mayúsculas, como una
    // TStringList nueva) y, para cada grupo, ListarNombresDeGrupo, en una sola pasada: los
    // grupos en orden de aparición, con la primera grafía vista, cada uno con sus hijos en
    // orden. Un hijo cuyo grupo solo difiere en mayúsculas de uno anterior está en aquel.
    struct Grupo {
        AnsiString nombre;
        std::vector<ObjetoBase*> hijos;
    };
    std::vector<Grupo> HijosPorGrupo() const;
    // Modo 0: el "Grupo" de cada hijo (con repeticiones). Modo 1: el nombre de cada hijo si
    // porNombreDeHijo; si no, su "Nombre completo", salvo "Hueco sin vidrio". Otro modo: nada.
    void ListarPorGrupo(TStrings& lista, int modo, bool porNombreDeHijo) const;

    // El nombre, "_" y el siguiente número del contador compartido ("Muro_1").
    static AnsiString NombreUnico(const AnsiString& nombre);
    // El nombre seguido del siguiente número del contador de su tipo ("Ladrillo1"); vacío
    // para un tipo sin contador (los hay para 1 a 13, 16, 30, 32 y 63).
    static AnsiString NombrePorTipo(const AnsiString& nombre, TipoObjeto tipo);
    // Cierto si ningún objeto por debajo del ámbito (el ámbito no cuenta) se llama así;
    // cierto también sin ámbito.
    static bool NombreLibre(const AnsiString& nombre, ObjetoBase* ambito);
    // El siguiente identificador de objeto del programa (el primero es 1); no vuelve a 0.
    static int SiguienteCodigo();

protected:
    // Prepara sitio para tantos hijos más (la lista y su índice por nombre), para quien va a
    // añadir muchos de una vez.
    void ReservarHijos(int mas);
    // Para la raíz de un árbol grande (el edificio): lleva la cuenta de los nombres de todo lo
    // que tiene por debajo, para que buscar un nombre que no está, como hace cada creación de
    // un hijo con nombre único, no recorra el árbol entero.
    void LlevarIndiceDeNombres();

private:
    friend class ObjetoBase;

    // Un hijo con su sello, en las listas en orden.
    struct Ranura {
        ObjetoBase* objeto;
        uint64_t sello;
    };

    // Lo saca de la lista y del índice, sin AlQuitar, sin tocar su dueño ni borrarlo.
    void Desvincular(ObjetoBase* hijo);
    void HijoRenombrado(ObjetoBase* hijo, const AnsiString& anterior);
    // Quita los huecos que dejan los hijos quitados.
    void Compactar() const;
    // Si el candidato está ocupado: por un objeto del subárbol, por el nombre del propio
    // contenedor si "propio" y, para plantas, espacios, muros y ventanas, en su ámbito.
    bool NombreOcupado(const AnsiString& candidato, TipoObjeto tipo, bool propio);
    AnsiString CrearConNombreUnico(const AnsiString& nombre, TipoObjeto tipo, bool propio);
    AnsiString CrearConNumero(const AnsiString& nombre, TipoObjeto tipo, bool numerado,
                              bool propio);

    // Los hijos en orden; un hijo quitado deja un hueco (objeto nulo) hasta la compactación,
    // para que vaciar un contenedor quitando sus hijos uno a uno no sea cuadrático.
    mutable std::vector<Ranura> hijos;
    mutable size_t huecos = 0;
    uint64_t siguienteSello = 0;
    // Hijos directos por nombre.
    HijosPorNombre porNombre;
    // Con LlevarIndiceDeNombres: cuántos objetos de cada nombre hay por debajo.
    std::unique_ptr<NombresContados> nombresDelArbol;
    // Suma (o resta) el objeto y todo lo que tiene por debajo en el índice de cada antepasado
    // que lo lleva, empezando por este contenedor.
    void ContarEnIndices(const ObjetoBase& objeto, int cuenta);
    void CambiarEnIndices(const AnsiString& nombre, int cuenta);
    // Falso solo si un índice de nombres dice que no hay nada con ese nombre por debajo.
    bool PuedeTener(const AnsiString& nombre) const;
    // Los hijos que son contenedores, en orden: solo ellos pueden tener descendientes.
    std::vector<Ranura> subcontenedores;
};
