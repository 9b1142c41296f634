#pragma once
// Vista: la base de todo objeto de pantalla del gestor de bases de datos: el controlador de
// una base abierta, las vistas de lista de cada tipo de elemento y los editores.

class Vista {
public:
    virtual ~Vista() = default;
    // Borra lo seleccionado.
    virtual void Eliminar() {}
    // Pasa los controles de la ventana al elemento, validándolos.
    virtual bool Aceptar() { return true; }
    // Activa, desactiva y rotula los controles.
    virtual void Actualizar() {}
    virtual void Mostrar() = 0;
};
