// ObjetoBase: las claves que comparten todos los elementos y su cambio de nombre.

#include "comunes/ObjetoBase.h"

#include "comunes/PiezasRegistro.h"

bool ObjetoBase::ValorComun(const AnsiString& clave, AnsiString& valor) const {
    if (clave == "Nombre")
        valor = nombre;
    else if (clave == "Grupo")
        valor = grupo;
    else if (clave == "Nombre completo")
        valor = nombreCompleto;
    else if (clave == "Dumvat")
        valor = nombreDumvat;
    else
        return false;
    return true;
}

bool ObjetoBase::EstadoComun(const AnsiString& clave, EstadoValor& estado) const {
    if (clave == "Nombre")
        estado = estadoNombre;
    else if (clave == "Grupo")
        estado = estadoGrupo;
    else if (clave == "Nombre completo")
        estado = estadoNombreCompleto;
    else
        return false;
    return true;
}

bool ObjetoBase::AsignarComun(const AnsiString& clave, const AnsiString& texto,
                              const ReglasComunes& reglas) {
    // Sin texto por defecto, el texto se guarda tal cual.
    auto asignarTexto = [&texto](AnsiString& campo, EstadoValor& estado, const char* defecto) {
        if (defecto == nullptr)
            campo = texto;
        else
            AsignarCadena(campo, estado, texto, defecto);
    };
    if (clave == "Nombre")
        AsignarNombre(texto, reglas.nombre);
    else if (clave == "Grupo")
        asignarTexto(grupo, estadoGrupo, reglas.grupoDefecto);
    else if (clave == "Nombre completo")
        asignarTexto(nombreCompleto, estadoNombreCompleto, reglas.nombreCompletoDefecto);
    else if (clave == "Dumvat" && reglas.dumvat)
        nombreDumvat = texto;
    else
        return false;
    return true;
}

void ObjetoBase::AsignarNombre(const AnsiString& texto, ReglasComunes::Nombre regla) {
    using Nombre = ReglasComunes::Nombre;
    if (regla == Nombre::SinComprobar) {
        PonerNombre(texto);
        return;
    }
    if (!NombreValido(texto)) {
        estadoNombre = ESTADO_RECHAZADO;
        if (regla == Nombre::ValidadoConError) marcaError = true;
        return;
    }
    const bool libre = NombreLibreEnSuBase(*this, texto);
    if (!libre && regla == Nombre::ValidadoOcupadoIgnorado) return;
    if (libre) PonerNombre(texto);
    estadoNombre = ESTADO_USUARIO;
}
