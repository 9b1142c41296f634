#pragma once
// GestorBD: una base de datos tal como la ve la aplicación: sus seis bases de elementos, su
// registro de cambios, la marca de base estándar y lo que las carga de un fichero ".BDC",
// las guarda en él o en XML, busca y elimina elementos por tipo y nombre y comprueba los
// factores solares de los acristalamientos.
//
// Cada gestor tiene sus propias bases, que mueren con él: dos ventanas de base de datos no
// comparten elementos, y lo que una cierra no pasa a la siguiente. El gestor más reciente
// de un tipo de lista que sigue vivo es el actual: sus bases son las que dan las peticiones
// de la base actual de ese tipo (bdMateriales::Instancia y las demás).

#include "comunes/LeerBDL.h"
#include "comunes/ObjetoBase.h"

#include <memory>
#include <vector>

class Cambios;
class Error;
class TXMLDocument;
class bdCatalogo;
class bdAcristalamientos;
class bdCerramientos;
class bdHuecos;
class bdLibreria;
class bdMarcos;
class bdMateriales;
class bdPuentesTermicos;

class GestorBD : public ObjetoBase {
public:
    // Crea sus bases, vacías y con su propio nombre (materiales; cerramientos con esos
    // materiales; acristalamientos; marcos; huecos con esos acristalamientos y marcos;
    // puentes térmicos), y las hace las actuales de su tipo de lista. Un tipo de lista sin
    // bases (ni 0, ni 2, ni 3) da un gestor sin bases, en el que todo está vacío y nada se
    // carga.
    explicit GestorBD(const AnsiString& nombre, TipoLista tipo);
    // Vacía y borra sus bases; las actuales de su tipo pasan a ser las del gestor anterior
    // que siga vivo.
    ~GestorBD() override;

    GestorBD(const GestorBD&) = delete;
    GestorBD& operator=(const GestorBD&) = delete;

    TipoLista ObtenerTipoLista() const { return tipoLista; }
    bdMateriales* Materiales() const { return materiales; }
    bdCerramientos* Cerramientos() const { return cerramientos; }
    bdAcristalamientos* Acristalamientos() const { return acristalamientos; }
    bdMarcos* Marcos() const { return marcos; }
    bdHuecos* Huecos() const { return huecos; }
    bdPuentesTermicos* PuentesTermicos() const { return puentesTermicos; }
    // Su registro de cambios: si la base ha cambiado desde que se abrió o se guardó. Es
    // suyo; Guardar lo escribe a la cabeza del fichero.
    Cambios* ObtenerCambios() const { return cambios.get(); }

    // Carga un fichero ".BDC". Si no hay fichero no hace nada. Si lo hay y no se puede leer
    // (o no cabe en memoria), o no está vacío y no da ni un registro de las seis bases ni la
    // línea "TEMPLARY" (no es una base de datos), no carga nada, devuelve falso y, con
    // "avisar", muestra el mensaje 0 con la ruta. Lo que las bases anotan al cargar
    // (registros que no se pudieron leer, partes que faltaban) queda escrito en el registro
    // del modelo; los registros que no se pudieron leer quedan además en
    // RegistrosIlegibles.
    bool Cargar(const AnsiString& ruta, bool avisar = true);
    // Lo mismo desde un lector ya abierto: "TEMPLARY " (STANDARD pone la marca de base
    // estándar; nada la quita) y las bases en el orden materiales, cerramientos, marcos,
    // acristalamientos, huecos y puentes térmicos. Un lector nulo no hace nada. Los
    // registros que no se pudieron leer quedan en RegistrosIlegibles, sin fichero.
    void CargarDeBDL(LeerBDL* lector);
    // Si el lector da algún registro de las seis bases o la línea "TEMPLARY".
    bool EsBaseDeDatos(const LeerBDL& lector) const;

    // Cabecera, las seis secciones (cada una con su rótulo y sus registros) y el pie. Antes
    // marca como utilizados los materiales de las capas de cada cerramiento, así que el
    // primer guardado ya escribe lo que escribirá el siguiente.
    // Los materiales, acristalamientos y marcos de librería se escriben solo si el catálogo
    // estándar no tiene uno de su nombre (bdLibreria::Escribir).
    void Escribir(FileWriter& fichero) override;
    // Los elementos de librería que Escribir dejaría fuera porque el catálogo los tiene, en
    // el orden del fichero.
    std::vector<ObjetoBase*> QuedanFuera() const;
    // Lo mismo, con la forma variante de cada base (los cerramientos con sus copias
    // invertidas).
    void EscribirVariante(FileWriter& fichero) override;
    // Materiales, cerramientos y acristalamientos en la forma de librería del programa
    // hermano.
    void Exportar(FileWriter& fichero) override;

    // Guarda la base en un fichero ".BDC": su registro de cambios y después Escribir, en un
    // fichero temporal junto al destino que solo lo sustituye si todo se escribió. Si falla,
    // el fichero anterior queda como estaba, devuelve falso y UltimoError() dice por qué.
    bool Guardar(const AnsiString& ruta);
    // Guarda la base en XML (UTF-8), armada en el documento y escrita de una vez: un
    // elemento DATABASE con BD (atributo templary, "standard" o "user") y los grupos de
    // materiales, cerramientos, marcos, acristalamientos, huecos y puentes térmicos. Si
    // falla, el fichero anterior queda como estaba, devuelve falso y UltimoError() dice por
    // qué. La segunda forma arma el documento en uno propio.
    bool GuardarXML(const AnsiString& ruta, TXMLDocument& documento);
    bool GuardarXML(const AnsiString& ruta);
    // Por qué falló el último guardado; vacío si salió bien.
    AnsiString UltimoError() const { return ultimoError; }

    // Los registros de la última carga que no se pudieron leer, en el orden del fichero: no
    // están en las bases, así que ningún guardado los escribe. Vacío si se leyó todo o si,
    // después, Guardar escribió la base en el fichero del que venían. Un texto que no da
    // ningún registro y tiene algo más que una base guardada vacía (el registro de cambios,
    // la cabecera, los rótulos de las secciones y el pie) da uno, con sus líneas.
    const std::vector<RegistroIlegible>& RegistrosIlegibles() const { return ilegibles; }
    // Si guardar en esa ruta sustituiría el fichero del que vienen los registros que no se
    // pudieron leer (se perderían).
    bool GuardarPierdeIlegibles(const AnsiString& ruta) const;
    // Los registros que no se pudieron leer, uno por línea ("Línea 12: "Ladrillo" =
    // MATERIAL, sin el ".." que cierra el registro."); pasados "maximo", cuántos más hay.
    AnsiString DescribirIlegibles(size_t maximo = 10) const;
    // Si algún registro que no se pudo leer es de un tipo que otros elementos nombran
    // (material, acristalamiento o marco): los que lo nombran se quedan con uno provisional.
    bool IlegiblesConUsos() const;

    // Los elementos supuestos (EsSupuesto): los que la última carga creó con valores por
    // defecto porque algo los nombra y ni el fichero ni el catálogo los tenían. En el orden
    // del fichero.
    std::vector<ObjetoBase*> Supuestos() const;
    // La ruta del catálogo si la última carga lo necesitó y no lo pudo leer; vacía si no.
    const AnsiString& CatalogoNoLeido() const { return catalogoNoLeido; }
    // Por qué hay supuestos y cuáles son, para decírselo al usuario: el catálogo que no se
    // pudo leer y un supuesto por línea ("Material: Ladrillo"); pasados "maximo", cuántos
    // más hay. Vacío si no hay supuestos.
    AnsiString DescribirSupuestos(size_t maximo = 10) const;

    // El elemento de ese nombre en la base de su tipo (13, 12, 10, 11, 16 o 63), también si
    // se llama como la base; nulo para otro tipo o si no está.
    ObjetoBase* Buscar(TipoObjeto tipo, const AnsiString& nombre) const;
    // Si el elemento está en uso: un material que usa algún cerramiento, un acristalamiento
    // o un marco que usa algún hueco como tal (lo que hay ahora en la base; un marco que se
    // llama como el vidrio de un hueco no está en uso por eso), o uno que el fichero o
    // quien lo usa marcó como utilizado. La marca que pone el guardado en los materiales de
    // las capas no cuenta: se escribe, pero no dice que algo lo use ahora. Eliminar y el
    // cambio de nombre lo miran igual. Falso si no está.
    bool EnUso(TipoObjeto tipo, const AnsiString& nombre) const;
    // Quita el elemento de su base y lo borra. Falso, sin quitar nada, si el tipo no es uno
    // de los seis, si no está o si está en uso (EnUso).
    bool Eliminar(TipoObjeto tipo, const AnsiString& nombre);

    // El fichero cargado decía "TEMPLARY = STANDARD".
    bool EsEstandar() const { return estandar; }
    // Cierto si todos los acristalamientos tienen definido su factor solar.
    bool ComprobarFactorSolar() const;
    // Pone a falso "Utilizado" en materiales, cerramientos, acristalamientos, marcos y
    // huecos (no en los puentes térmicos).
    void MarcarUtilizados() override;

    // Las seis bases en el orden de las secciones de un fichero ".BDC" (materiales,
    // cerramientos, acristalamientos, marcos, huecos, puentes térmicos) o en el de la carga
    // y el XML (los marcos antes que los acristalamientos); ninguna en un gestor sin bases.
    enum class Orden { Fichero, Carga };
    std::vector<bdLibreria*> Bases(Orden orden) const;
    // La base del tipo de elemento (13, 12, 10, 11, 16 o 63); nula para otro tipo o en un
    // gestor sin bases.
    bdLibreria* Base(TipoObjeto tipo) const;

private:
    // Con "soltarLeido", el texto de los registros ya leídos vuelve al sistema mientras se
    // leen los de las bases siguientes (el lector no sirve para nada más después).
    void CargarDeBDL(LeerBDL* lector, bool soltarLeido);
    // Si el lector no da ningún registro de las seis bases pero tiene más de lo que tiene una
    // base guardada vacía, lo anota en los registros que no se pudieron leer, con sus líneas.
    void AnotarTextoSinRegistros(const LeerBDL& lector);
    // Escribe la cabecera, las secciones que da "seccion" y el pie.
    template <class Seccion> void EscribirCon(FileWriter& fichero, Seccion&& seccion);
    // Escribir, con los elementos de librería que ese catálogo tiene fuera.
    void EscribirConCatalogo(FileWriter& fichero, bdCatalogo& catalogo);

    Error* error;
    TipoLista tipoLista;
    bdMateriales* materiales;
    bdCerramientos* cerramientos;
    bdAcristalamientos* acristalamientos;
    bdMarcos* marcos;
    bdHuecos* huecos;
    bdPuentesTermicos* puentesTermicos;
    bool estandar = false;
    AnsiString ultimoError;
    std::vector<RegistroIlegible> ilegibles;
    AnsiString ficheroIlegibles; // del que vienen; vacío si se cargaron de un lector
    AnsiString catalogoNoLeido;
    std::unique_ptr<Cambios> cambios;
};
