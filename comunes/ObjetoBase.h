#pragma once
// ObjetoBase: la raíz de todo objeto del modelo (elementos, bases de datos, gestor, objetos
// del edificio). Da a todos la misma forma: nombre, nombre completo, grupo, tipo, dueño,
// marcas de librería y de uso, y una tabla de operaciones que leen y escriben propiedades
// por su clave de texto; los editores y las vistas solo tocan los elementos a través de
// ellas. Aquí están también los ayudantes que fijan un valor numérico y su estado de color
// desde un texto tecleado (con validación y aviso) o desde un fichero de palabras clave.

#include "comunes/Tipos.h"

#include "plataforma/base/ansi_string.h"

#include <cstdint>

class CamposBDL;
class Contenedor;
class DocumentoPDFOstrel;
class DocumentoXML;
class FileWriter;
class IXMLNode;
class LeerBDL;
class TList;
class TStrings;
class bdAcristalamientos;
class bdMarcos;
class bdMateriales;

class ObjetoBase {
public:
    explicit ObjetoBase(const AnsiString& nombre);
    // Un objeto que aún tiene dueño se suelta de él antes de morir, para que el contenedor
    // no se quede con un puntero colgando.
    virtual ~ObjetoBase();

    ObjetoBase(const ObjetoBase&) = delete;
    ObjetoBase& operator=(const ObjetoBase&) = delete;

    // Operaciones por clave, en el orden de la tabla del modelo. La clave se compara
    // exactamente (mayúsculas y acentos cuentan). En la base no hacen nada: los valores de
    // salida quedan como estaban y los "Obtener" no tocan nada.
    virtual float ValorReal(const AnsiString& clave) const;
    virtual void ValorPropiedad(const AnsiString& clave, AnsiString& valor) const;
    virtual void ObtenerReal(const AnsiString& clave, float& valor) const;
    virtual void ObtenerVertices(const AnsiString& clave, TList& vertices) const;
    virtual void ObtenerEntero(const AnsiString& clave, int& valor) const;
    virtual void ObtenerLogico(const AnsiString& clave, bool& valor) const;
    virtual void ObtenerEstado(const AnsiString& clave, EstadoValor& estado) const;
    virtual void ObtenerLista(const AnsiString& clave, TStrings& lista) const;
    // Desde un texto tecleado, con validación.
    virtual void AsignarPropiedad(const AnsiString& clave, const AnsiString& texto);
    // Directos, sin validación.
    virtual void PonerReal(const AnsiString& clave, float valor);
    virtual void PonerEntero(const AnsiString& clave, int valor);
    virtual void PonerLogico(const AnsiString& clave, bool valor);
    virtual void PonerLista(const AnsiString& clave, const TStrings& lista);

    // Lectura del registro propio (un lector nulo no lee nada) y escritores.
    virtual void Leer(LeerBDL* lector);
    virtual void LeerAbreviado(LeerBDL* lector);
    virtual void LeerAbreviadoCapas(LeerBDL* lector);
    virtual void Escribir(FileWriter& fichero);
    virtual void EscribirVariante(FileWriter& fichero);
    virtual void EscribirSinLibreria(FileWriter& fichero, int marca);
    // El registro de un elemento de librería tal como es, con "LIBRARY" YES, para el que el
    // catálogo estándar no tiene: se lee de vuelta igual. Lo es en los materiales,
    // acristalamientos y marcos, que EscribirSinLibreria deja fuera; en los demás es
    // EscribirSinLibreria.
    virtual void EscribirDeLibreria(FileWriter& fichero);
    virtual void Exportar(FileWriter& fichero);
    virtual void EscribirXML(DocumentoXML& documento, IXMLNode* padre);
    virtual void Informe(DocumentoPDFOstrel& informe);
    virtual void EscribirCabecera(FileWriter& fichero);
    virtual void EscribirPropio(FileWriter& fichero);

    // Se ejecuta en un hijo antes de que su contenedor lo suelte; quien lo llama no mira el
    // resultado.
    virtual bool AlQuitar();
    // Una hoja no tiene hijos: añadir o quitar es un error de programación que para el
    // programa ("ObjetoBase.h", líneas 170 y 171).
    virtual void AnadirHijo(ObjetoBase* hijo);
    virtual void QuitarHijo(ObjetoBase* hijo);
    virtual int NumeroHijos() const;
    // Este objeto si su nombre (o su nombre completo) es el texto; si no, nulo.
    virtual ObjetoBase* BuscarPorNombre(const AnsiString& nombre);
    virtual ObjetoBase* BuscarPorNombreCompleto(const AnsiString& nombreCompleto);
    virtual void CopiarDe(const ObjetoBase& otro);
    virtual void MarcarUtilizados();
    virtual bool PoligonoDefinido() const;
    // Filas de informe y columnas de las vistas de lista.
    virtual void FilaInforme(TStrings& fila);
    virtual void FilaInformeMarco(TStrings& fila);
    virtual void FilaInformeVidrio(TStrings& fila);
    virtual void FormatoColumnas(TStrings& anchos, TStrings& alineaciones) const;
    virtual void TitulosColumnas(TStrings& titulos) const;
    // Cierto si cada carácter es una letra ASCII, una cifra, "_", "-", blanco o ","; el
    // nombre vacío vale.
    virtual bool NombreValido(const AnsiString& nombre) const;
    // Cierto si un fichero de palabras clave guarda el nombre y lo devuelve tal cual: sin
    // comillas dobles, sin caracteres de control y sin dos blancos seguidos (la lectura los
    // junta en uno).
    static bool NombreGrabable(const AnsiString& nombre);
    // El nombre tecleado se ha rechazado: su estado pasa a rojo.
    void MarcarNombreRechazado() { estadoNombre = ESTADO_RECHAZADO; }
    virtual void PonerMateriales(bdMateriales* materiales);
    virtual void PonerBasesDatos(bdMarcos* marcos, bdAcristalamientos* acristalamientos);
    virtual bool Utiliza(const AnsiString& nombre) const;

    // El número de un texto tecleado validado como lo valida AsignarReal (con su aviso y la
    // marca de error si se rechaza), sin guardarlo: el defecto si se rechaza. Los editores
    // lo usan para validar contra los límites de otro elemento (el espesor de una capa
    // contra los de su material).
    float ValidarTexto(const AnsiString& texto, float minimo, float maximo, float defecto);

    const AnsiString& ObtenerNombre() const { return nombre; }
    // Cambia el nombre y avisa al dueño, para que su índice de nombres siga siendo cierto.
    void PonerNombre(const AnsiString& nuevo);
    // La comparación simple del nombre, la que usa el contador de usos del contenedor.
    bool EsNombre(const AnsiString& texto) const { return nombre == texto; }
    const AnsiString& ObtenerNombreCompleto() const { return nombreCompleto; }
    void PonerNombreCompleto(const AnsiString& texto) { nombreCompleto = texto; }
    const AnsiString& ObtenerGrupo() const { return grupo; }
    void PonerGrupo(const AnsiString& texto) { grupo = texto; }
    // El contenedor que lo tiene; nulo si no lo tiene ninguno. No es suyo.
    ObjetoBase* ObtenerDueno() const;
    TipoObjeto ObtenerTipo() const { return tipo; }
    bool EsLibreria() const { return libreria; }
    void MarcarLibreria(bool valor = true) { libreria = valor; }
    bool EsUtilizado() const { return utilizado; }
    // Supuesto: creado con los valores por defecto porque otro elemento lo nombra y ni el
    // fichero ni el catálogo lo tenían. No es de la base: no se guarda como suyo, y el
    // fichero conserva solo el nombre que lo usa, tal como se leyó.
    bool EsSupuesto() const { return supuesto; }
    void MarcarSupuesto(bool valor = true) { supuesto = valor; }
    // La marca de error: se pone cuando se rechaza un valor validado; la validación nunca
    // la quita, los editores sí antes de escribir el elemento.
    bool ObtenerError() const { return marcaError; }
    void PonerError(bool valor) { marcaError = valor; }

protected:
    // Cómo toma cada elemento un texto tecleado en las claves comunes.
    struct ReglasComunes {
        enum class Nombre {
            // Uno no válido queda en rojo y no se toma; uno válido pasa a negro y se toma
            // solo si nada de su base (ni la base misma) se llama así.
            Validado,
            // Como Validado, y uno no válido pone además la marca de error.
            ValidadoConError,
            // Como Validado, pero uno que ya está en su base no cambia nada, ni el color.
            ValidadoOcupadoIgnorado,
            // Se toma tal cual, sin comprobar nada ni tocar su estado.
            SinComprobar,
        };
        Nombre nombre = Nombre::Validado;
        // El texto con que "Grupo" o "Nombre completo" vuelve a verde (AsignarCadena); sin
        // él, el texto se guarda tal cual y el estado no cambia.
        const char* grupoDefecto = nullptr;
        const char* nombreCompletoDefecto = nullptr;
        // Si "Dumvat" se puede asignar: un elemento sin nombre para el programa hermano no
        // lo guarda.
        bool dumvat = true;
    };
    // Las claves que tienen todos los elementos: "Nombre", "Grupo", "Nombre completo" y
    // "Dumvat" (que no tiene estado). Cada una devuelve cierto si la clave era común y la ha
    // contestado, para que el elemento siga con las suyas si no.
    bool ValorComun(const AnsiString& clave, AnsiString& valor) const;
    bool EstadoComun(const AnsiString& clave, EstadoValor& estado) const;
    bool AsignarComun(const AnsiString& clave, const AnsiString& texto,
                      const ReglasComunes& reglas);

    // Fija un valor numérico desde un texto tecleado: valida (ValidarReal); si se rechaza,
    // queda el valor por defecto en rojo; un valor igual al guardado no cambia ni valor ni
    // estado; si no, se guarda en negro (o en verde si el texto estaba vacío y no se
    // rechazó).
    void AsignarReal(float& valor, EstadoValor& estado, const AnsiString& texto, float minimo,
                     float maximo, float defecto);
    void AsignarEntero(int& valor, EstadoValor& estado, const AnsiString& texto, int minimo,
                       int maximo, int defecto);
    // Un texto distinto del guardado se guarda en negro; si es el texto por defecto, el
    // estado pasa a verde. Sin validación.
    static void AsignarCadena(AnsiString& campo, EstadoValor& estado, const AnsiString& texto,
                              const AnsiString& defecto);

    // El texto como número, con cualquiera de los dos separadores decimales. Fuera de los
    // límites avisa (título "Error") y da el defecto; lo que no es un número (ni finito)
    // también da el defecto. Los límites valen, y se comparan en float, el tipo en que se
    // guarda el valor. Un rechazo deja puesta la marca de rechazo y la de error.
    float ValidarReal(const AnsiString& texto, float minimo, float maximo, float defecto);
    int ValidarEntero(const AnsiString& texto, int minimo, int maximo, int defecto);

    // Lectura de una propiedad desde un lector de palabras clave: si la palabra clave está,
    // se guarda el valor y el estado pasa a azul; si no, no cambia nada. Un lector nulo no
    // hace nada.
    static void LeerRealBDL(const LeerBDL* lector, const AnsiString& clave, float& valor,
                            EstadoValor& estado);
    static void LeerEnteroBDL(const LeerBDL* lector, const AnsiString& clave, int& valor,
                              EstadoValor& estado);
    // El texto sin sus comillas.
    static void LeerCadenaBDL(const LeerBDL* lector, const AnsiString& clave, AnsiString& valor,
                              EstadoValor& estado);
    // Añade a la lista, en orden y sin comillas, los nombres de la lista entre paréntesis;
    // el estado pasa a azul si hubo alguno.
    static void LeerListaBDL(const LeerBDL* lector, const AnsiString& clave, TStrings& lista,
                             EstadoValor& estado);
    // Las mismas lecturas desde los campos de un registro hallados de una pasada, con la clave
    // por su puesto en el juego.
    static void LeerRealBDL(const CamposBDL& campos, size_t clave, float& valor,
                            EstadoValor& estado);
    static void LeerCadenaBDL(const CamposBDL& campos, size_t clave, AnsiString& valor,
                              EstadoValor& estado);
    static void LeerListaBDL(const CamposBDL& campos, size_t clave, TStrings& lista,
                             EstadoValor& estado);
    // Añade a la lista los números de la lista entre paréntesis, con el formato "0.00".
    static void LeerListaRealesBDL(const LeerBDL* lector, const AnsiString& clave, TStrings& lista);

    bool marcaError = false;
    AnsiString nombreReserva; // un segundo nombre que nada rellena
    AnsiString nombreCompleto;
    AnsiString grupo;
    EstadoValor estadoNombre = ESTADO_DEFECTO;
    EstadoValor estadoGrupo = ESTADO_DEFECTO;
    EstadoValor estadoNombreCompleto = ESTADO_DEFECTO;
    AnsiString nombreDumvat; // el nombre del elemento en el programa hermano
    TipoObjeto tipo = TIPO_EDIFICIO;
    bool rechazadoAhora = false; // de una validación a la asignación que la pidió
    bool libreria = false;
    bool utilizado = false;
    bool supuesto = false;

private:
    friend class Contenedor;
    friend class HijosPorNombre;
    // Las tablas de reales de los elementos validan con AsignarReal.
    template <class> friend class TablaReales;

    void AsignarNombre(const AnsiString& texto, ReglasComunes::Nombre regla);

    AnsiString nombre;
    Contenedor* dueno = nullptr;
    // Su puesto entre los hijos de su dueño: el número que el dueño le dio al adoptarlo, que
    // crece con cada adopción.
    uint64_t sello = 0;
};
