#pragma once
// A component's image in memory, an image read into a component, and a component that keeps
// one object and stores the properties it defines: the round trips of the tests of stored
// properties.

#include "plataforma/base/component.h"
#include "plataforma/base/filer.h"
#include "plataforma/base/streams.h"

#include <cstdint>
#include <string>

inline std::string ImagenDe(TComponent& C) {
    TMemoryStream s;
    s.WriteComponent(&C);
    return s.Bytes();
}

// Reads one image into C; returns how many bytes were left after it.
inline int64_t LeerImagen(const std::string& Imagen, TComponent& C) {
    TMemoryStream s;
    s.WriteBuffer(Imagen.data(), static_cast<int64_t>(Imagen.size()));
    s.SetPosition(0);
    s.ReadComponent(&C);
    return s.GetSize() - s.GetPosition();
}

// Stores the properties of its object under "<Prefix>."; Ancestor, when set, is the
// ancestor's object.
template <class T> class ConObjeto : public TComponent {
public:
    ConObjeto(const char* Clase, const char* Prefijo)
        : TComponent(nullptr), clase_(Clase), prefijo_(Prefijo) {}
    AnsiString ClassName() const override { return clase_; }
    void WriteProperties(TWriter& W) override { W.WritePersistent(prefijo_, &objeto, ancestro); }
    void ReadProperty(const AnsiString& Name, TReader& R) override {
        if (!R.ReadPersistent(Name, prefijo_, &objeto)) TComponent::ReadProperty(Name, R);
    }
    T objeto;
    TPersistent* ancestro = nullptr;

private:
    const char* clase_;
    const char* prefijo_;
};
