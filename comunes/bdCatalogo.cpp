// bdCatalogo: el catálogo estándar, leído una vez por carga en bases propias.

#include "comunes/bdCatalogo.h"

#include "comunes/Directorios.h"
#include "comunes/Error.h"
#include "comunes/Idioma.h"
#include "comunes/LeerBDL.h"
#include "comunes/bdAcristalamientos.h"
#include "comunes/bdMarcos.h"
#include "comunes/bdMateriales.h"

#include "plataforma/base/files.h"

#include <new>
#include <string>

bdCatalogo::bdCatalogo() = default;

bdCatalogo::bdCatalogo(const AnsiString& ruta) : estandar_(false), ruta_(ruta) {}

bdCatalogo::~bdCatalogo() = default;

AnsiString bdCatalogo::RutaEstandar() {
    const unsigned char codigo = Idioma::Instancia()->Codigo();
    if (codigo != 0 && codigo != 2) return AnsiString();
    return Directorios::Instancia()->RutaLibreria("BDCATALOGO.BDC");
}

LeerBDL* bdCatalogo::Lector() {
    if (leido_) return lector_.get();
    leido_ = true;
    if (estandar_) ruta_ = RutaEstandar();
    // Sin catálogo (otro idioma, o el fichero no está) no hay nada que buscar en él, y no
    // se avisa: los elementos que lo necesitaban toman sus valores por defecto.
    if (!ruta_.IsEmpty() && FileExists(ruta_)) {
        ++lecturas_;
        try {
            std::string contenido;
            if (ReadWholeFile(ruta_, contenido))
                lector_ = std::make_unique<LeerBDL>(LeerBDL::EnMemoria{}, contenido);
        } catch (const std::bad_alloc&) {
            lector_.reset();
        }
        if (lector_ == nullptr) Error::Instancia()->Mensaje(0, ruta_);
    }
    disponible_ = lector_ != nullptr;
    if (lector_ == nullptr) lector_ = std::make_unique<LeerBDL>(LeerBDL::EnMemoria{}, "");
    return lector_.get();
}

bdMateriales* bdCatalogo::Materiales() {
    if (materiales_ == nullptr) {
        materiales_ = std::make_unique<bdMateriales>("estandar", LISTA_ESTANDAR);
        materiales_->Leer(Lector(), *this);
    }
    return materiales_.get();
}

bdMarcos* bdCatalogo::Marcos() {
    if (marcos_ == nullptr) {
        marcos_ = std::make_unique<bdMarcos>("ListaMarEstandar", LISTA_ESTANDAR);
        marcos_->Leer(Lector(), *this);
    }
    return marcos_.get();
}

bdAcristalamientos* bdCatalogo::Acristalamientos() {
    if (acristalamientos_ == nullptr) {
        acristalamientos_ =
            std::make_unique<bdAcristalamientos>("ListaAcrEstandar", LISTA_ESTANDAR);
        acristalamientos_->Leer(Lector(), *this);
    }
    return acristalamientos_.get();
}

bdLibreria* bdCatalogo::Base(TipoObjeto tipo) {
    switch (tipo) {
    case TIPO_MATERIAL:
        return Materiales();
    case TIPO_ACRISTALAMIENTO:
        return Acristalamientos();
    case TIPO_MARCO:
        return Marcos();
    default:
        return nullptr;
    }
}
