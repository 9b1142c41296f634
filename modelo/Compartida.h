#pragma once
// Una lista compartida del modelo del edificio (polígonos, sombras, planos): una sola
// instancia, creada en la primera petición y que dura hasta que se libera. Liberarla borra
// lo que contiene; la siguiente petición crea otra vacía (así empiezan las pruebas).

template <class T> class Compartida {
public:
    // La instancia, o nula si no se ha creado; no la crea.
    static T* Existente() { return Ranura(); }
    static void Liberar() {
        // La ranura se vacía antes de borrar: quien pregunte mientras tanto no la ve.
        T* instancia = Ranura();
        Ranura() = nullptr;
        delete instancia;
    }

protected:
    template <class... Args> static T* Obtener(Args&&... args) {
        if (Ranura() == nullptr) Ranura() = new T(static_cast<Args&&>(args)...);
        return Ranura();
    }

private:
    // Nunca se borra al acabar el programa: sigue viva mientras alguien pueda preguntar.
    static T*& Ranura() {
        static T* instancia = nullptr;
        return instancia;
    }
};
