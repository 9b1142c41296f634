#include "Pelusta/Promedio.h"

#include "comunes/Util.h"
#include "plataforma/base/files.h"
#include "plataforma/base/numbers.h"

namespace {

float Valor(const AnsiString& texto) {
    float valor = 0;
    AFlotante(valor, texto);
    return valor;
}

AnsiString MensajeTablaCodigos(const TablaCodigos& tabla) {
    const AnsiString donde =
        tabla.GetRuta().IsEmpty() ? AnsiString() : " (" + DisplayPath(tabla.GetRuta()) + ")";
    const AnsiString porque =
        tabla.GetEstado() == TablaCodigos::Estado::NoValida
            ? "La tabla de códigos de la instalación" + donde + " no es válida"
            : "No está instalada la tabla de códigos" + donde;
    return porque + ": sin ella no se puede comprobar ni dar por válido ningún fichero de "
                    "resultados.";
}

} // namespace

std::vector<AnsiString> ValidarMultiplicadores(std::vector<FilaPromedio>& filas) {
    std::vector<AnsiString> avisos;
    auto invalido = [&avisos](const AnsiString& texto) {
        avisos.push_back("El multiplicador " + texto + " no es un valor valido");
    };
    for (FilaPromedio& fila : filas) {
        int m = 1;
        if (fila.multiplicador.IsEmpty()) {
            // Sin multiplicador, el proyecto cuenta una vez.
        } else if (!TryStrToInt(fila.multiplicador, m)) {
            // "2,5" usado como 1 sin decirlo daría un promedio distinto del pedido.
            invalido(fila.multiplicador);
            m = 1;
        } else if (m < 1) {
            invalido(FormatFloat("0", m));
            m = 1;
        }
        fila.multiplicador = IntToStr(m);
    }
    return avisos;
}

// Las rutas de los mensajes, como las nombra el sistema: las de la instalación y las elegidas
// en el diálogo no mezclan separadores.
AnsiString MensajeComprobacion(const Proyectos& proyectos, int i, int codigo) {
    switch (codigo) {
    case Proyectos::kFaltaProyecto:
        // El fichero que se buscó; la carpeta ya acaba en su separador.
        return "no se encontro el fichero \n " +
               DisplayPath(proyectos.GetCarpeta(i) + proyectos.GetNombre(i) + ".cte");
    case Proyectos::kFaltaObjeto:
        return "no se encontraron resultados objeto:\n " +
               DisplayPath(proyectos.GetFicheroObjeto(i));
    case Proyectos::kObjetoNoValido:
        return "el fichero de resultados no es valido (Objeto " + proyectos.GetNombre(i) + ")";
    case Proyectos::kFaltaReferencia:
        return "no se encontraron resultados referencia:\n " +
               DisplayPath(proyectos.GetFicheroReferencia(i));
    case Proyectos::kReferenciaNoValida:
        // Sin blanco antes del nombre: es el texto que conocen los usuarios.
        return "el fichero de resultados no es valido (Referencia" + proyectos.GetNombre(i) + ")";
    case Proyectos::kSinTablaCodigos:
        return MensajeTablaCodigos(proyectos.GetTabla());
    default:
        return AnsiString();
    }
}

ResultadoPromedio CalcularPromedio(Proyectos& proyectos, const std::vector<FilaPromedio>& filas,
                                   const AnsiString& carpetaInicio) {
    ResultadoPromedio resultado;
    for (const FilaPromedio& fila : filas) {
        if (fila.proyecto.IsEmpty()) continue;
        proyectos.Anadir(fila.proyecto, fila.multiplicador);
        const int i = proyectos.Numero() - 1;
        const int codigo = proyectos.ComprobarResultados(i, fila.proyecto, carpetaInicio);
        if (codigo != Proyectos::kValido) {
            resultado.mensaje = MensajeComprobacion(proyectos, i, codigo);
            resultado.proyecto = i;
            return resultado;
        }
    }

    for (int i = 0; i < proyectos.Numero(); ++i) {
        if (!proyectos.LeerResultados(i, Proyectos::kObjeto) ||
            !proyectos.LeerResultados(i, Proyectos::kReferencia)) {
            resultado.mensaje = "Error en la lectura de los resultados";
            resultado.proyecto = i;
            return resultado;
        }
    }

    // Sumas en coma flotante de 32 bits, ponderadas por superficie y multiplicador.
    float s0 = 0, s1 = 0, s2 = 0, s3 = 0;
    for (int i = 0; i < proyectos.Numero(); ++i) {
        const float area = Valor(proyectos.GetSuperficie(i));
        const int m = proyectos.Multiplicador(i);
        s0 += Valor(proyectos.GetCalefaccionObjeto(i)) * area * m;
        s1 += Valor(proyectos.GetCalefaccionReferencia(i)) * area * m;
        s2 += Valor(proyectos.GetRefrigeracionObjeto(i)) * area * m;
        s3 += Valor(proyectos.GetRefrigeracionReferencia(i)) * area * m;
    }
    const float h = s1 == 0 ? 0 : s0 / s1 * 100;
    const float r = s3 == 0 ? 0 : s2 / s3 * 100;
    const float p = (s2 - s0) == 0 ? 0 : -s0 / (s2 - s0) * 100;

    proyectos.SetPorcentajeCalefaccion(h);
    proyectos.SetPorcentajeRefrigeracion(r);
    proyectos.SetProporcionCalefaccion(p);
    proyectos.SetProporcionRefrigeracion(100 - p);
    resultado.calefaccion = FormatFloat("0.0", h);
    resultado.refrigeracion = FormatFloat("0.0", r);
    resultado.proporcionCalefaccion = FormatFloat("0.0", p);
    resultado.proporcionRefrigeracion = FormatFloat("0.0", 100 - p);
    resultado.completo = true;
    return resultado;
}
