#pragma once
// Los tipos pequeños que comparten todos los objetos del modelo: el estado de color que
// acompaña a cada valor, el código de tipo de un objeto (un byte) y el tipo de lista de una
// base de datos.

// Estado de un valor: un color de Windows (0x00BBGGRR) que los editores usan tal cual como
// color de letra del campo que lo muestra.
enum EstadoValor : int {
    ESTADO_USUARIO = 0x000000,   // negro: tecleado por el usuario y aceptado
    ESTADO_DEFECTO = 0x008000,   // verde: el valor por defecto del constructor
    ESTADO_FICHERO = 0xFF0000,   // azul: leído de un fichero de palabras clave
    ESTADO_RECHAZADO = 0x0000FF, // rojo: rechazado y cambiado por su defecto, o calculado
    ESTADO_COPIADO = 0x800080,   // morado: copiado de otro objeto (modelo del edificio)
};

// El estado de un valor copiado de otro objeto que lo tenía en ese estado: uno por defecto
// sigue por defecto (no se ha dado, y no se escribe); cualquier otro pasa a copiado.
constexpr EstadoValor EstadoCopiado(EstadoValor origen) {
    return origen == ESTADO_DEFECTO ? ESTADO_DEFECTO : ESTADO_COPIADO;
}

// Código de tipo de un objeto del modelo (un byte).
using TipoObjeto = unsigned char;

constexpr TipoObjeto TIPO_EDIFICIO = 0;
constexpr TipoObjeto TIPO_PLANTA = 1;
constexpr TipoObjeto TIPO_ESPACIO = 2;
constexpr TipoObjeto TIPO_MURO_EXTERIOR = 3;
constexpr TipoObjeto TIPO_VENTANA = 4;
constexpr TipoObjeto TIPO_MURO_INTERIOR = 5;
constexpr TipoObjeto TIPO_MURO_TERRENO = 6;
constexpr TipoObjeto TIPO_SOMBRA = 7;
constexpr TipoObjeto TIPO_POLIGONO = 9;
constexpr TipoObjeto TIPO_ACRISTALAMIENTO = 10;
constexpr TipoObjeto TIPO_MARCO = 11;
constexpr TipoObjeto TIPO_CERRAMIENTO = 12;
constexpr TipoObjeto TIPO_MATERIAL = 13;
constexpr TipoObjeto TIPO_CONDICIONES = 14;
constexpr TipoObjeto TIPO_HUECO = 16;
constexpr TipoObjeto TIPO_LINEA = 30;
constexpr TipoObjeto TIPO_PLANO = 32;
constexpr TipoObjeto TIPO_CONDICION = 36;
constexpr TipoObjeto TIPO_MURO_TROMBE = 41;
constexpr TipoObjeto TIPO_PUENTE_TERMICO = 63;

// Tipo de lista de una base de datos y de un gestor (un byte); cada clase de base de datos
// da una base actual por tipo de lista.
using TipoLista = unsigned char;

constexpr TipoLista LISTA_ESTANDAR = 0;
constexpr TipoLista LISTA_USUARIO = 2;
constexpr TipoLista LISTA_PROGRAMA = 3;
