#!/usr/bin/env python3
"""Writes the data that ships with the programs (the pictures some records name are drawn
by herramientas/generar_imagenes.py):

  datos/Lib/BDCATALOGO.BDC  the standard catalogue (every record a library element)
  datos/ejemplo.bdc         a sample user database with elements of the six kinds

Both are laid out exactly as the database writer lays out a saved database (change record,
header, six sections with their banners, footer), in Windows-1252 with CR LF line ends, so
that the program reads them and writes them back byte for byte; the tests in
tests/comunes/prueba_datos_instalados.cpp check that.

The writer leaves library materials, glazings and frames out of a database file, so the
catalogue cannot be produced by saving from the program: this script writes it.

Material values are design values of common building materials from public tables of
thermal properties (conductivity in W/m K, density in kg/m3, specific heat in J/kg K,
water-vapour diffusion resistance factor); air layers are unventilated cavities given by
their thermal resistance (m2 K/W). Glazing and frame values are typical centre-of-glass and
frame transmittances (W/m2 K) and total solar energy transmittances.

Run from anywhere: python3 herramientas/generar_datos.py
"""

import struct
from fractions import Fraction
from pathlib import Path

RAIZ = Path(__file__).resolve().parent.parent

# Water-vapour diffusion resistance factor of materials that vapour does not cross
# (metals, glass, glazed tiles): the largest value the program accepts.
ESTANCO = 1e30


def f32(x):
    """The value as the program holds it: a 32-bit float."""
    return struct.unpack("<f", struct.pack("<f", x))[0]


def g14(x):
    return "%14.7g" % f32(x)


# ---------------------------------------------------------------------------------------
# Records, one function per element kind, with the writer's formats.


def material(m, libreria):
    nombre, grupo = m["nombre"], m["grupo"]
    lineas = ['"%s" = MATERIAL' % nombre]
    if "resistencia" in m:
        lineas += [
            "    TYPE               = RESISTANCE",
            "    RESISTANCE         = %s" % g14(m["resistencia"]),
            "    VAPOUR-RESISTIVITY = %s" % g14(m.get("vapor_r", 0.055)),
        ]
    else:
        lineas += [
            "    TYPE              = PROPERTIES",
            "    THICKNESS         = %s" % g14(m["espesor"]),
            "    THICKNESS_CHANGE         = YES",
            "    THICKNESS_MAX         = %s" % g14(m.get("espesor_max", 2.0)),
            "    THICKNESS_MIN         = %s" % g14(m.get("espesor_min", 0.001)),
            "    CONDUCTIVITY      = %s" % g14(m["lambda"]),
            "    DENSITY           = %s" % g14(m["densidad"]),
            "    SPECIFIC-HEAT     = %s" % g14(m["calor"]),
        ]
    lineas += [
        "    VAPOUR-DIFFUSIVITY-FACTOR = %s" % g14(m.get("mu", 1.0)),
        '    NAME          = "%s"' % nombre,
        '    GROUP         = "%s"' % grupo,
        '    IMAGE          = "%s"' % m.get("imagen", ""),
        '    NAME_DUMVAT   = "%s"' % m.get("dumvat", ""),
        "    LIBRARY       = %s" % ("YES" if libreria else "NO"),
        "    UTIL          =  %s" % ("YES" if m.get("util") else "NO"),
        "    ..",
    ]
    return lineas


def cerramiento(c, libreria):
    capas = c["capas"]
    nombres = ",".join('"%s"' % n for n, _ in capas)
    espesores = "".join(" %f," % f32(e) for _, e in capas[:-1])
    espesores += " %s)" % g14(capas[-1][1])
    return [
        '"%s" = LAYERS' % c["nombre"],
        '    GROUP        = "%s"' % c["grupo"],
        '    NAME_DUMVAT = "%s"' % c.get("dumvat", ""),
        "    MATERIAL     = (%s)" % nombres,
        "    THICKNESS = (%s" % espesores,
        "    LIBRARY       =  %s" % ("YES" if libreria else "NO"),
        "    UTIL          =  %s" % ("YES" if c.get("util") else "NO"),
        "..",
    ]


def coeficiente_sombra(factor_solar):
    # The file holds the shading coefficient: the solar factor over 0.85 (both as 32-bit
    # floats, the quotient exact before it is rounded for printing).
    cociente = Fraction(f32(factor_solar)) / Fraction(f32(0.85))
    return "%14.7g" % float(cociente)


def acristalamiento(a, libreria):
    return [
        '"%s" = GLASS-TYPE' % a["nombre"],
        '     GROUP             = "%s"' % a["grupo"],
        "     TYPE              = SHADING-COEF",
        "     SHADING-COEF      = %s" % coeficiente_sombra(a["g"]),
        "     GLASS-CONDUCTANCE = %s" % g14(a["u"]),
        '     NAME_DUMVAT      = "%s"' % a.get("dumvat", ""),
        "     LIBRARY       =  %s" % ("YES" if libreria else "NO"),
        "    UTIL          =  %s" % ("YES" if a.get("util") else "NO"),
        "    ..",
    ]


def marco(m, libreria):
    return [
        ' "%s" = NAME-FRAME' % m["nombre"],
        '      GROUP         = "%s"' % m["grupo"],
        "      FRAME-WIDTH   = %s" % g14(m["ancho"]),
        "      FRAME-CONDUCT = %s" % g14(m["u"]),
        "      FRAME-ABS     = %s" % g14(m["abs"]),
        '      NAME_DUMVAT  = "%s"' % m.get("dumvat", ""),
        "                LIBRARY       = %s" % ("YES" if libreria else "NO"),
        "    UTIL          =  %s" % ("YES" if m.get("util") else "NO"),
        "..",
    ]


def hueco(h, vidrios, marcos, libreria):
    return [
        '"%s" = GAP' % h["nombre"],
        '     GROUP          = "%s"' % h["grupo"],
        '     GROUP-GLASS         = "%s"' % vidrios[h["vidrio"]]["grupo"],
        '     GLASS-TYPE          = "%s"' % h["vidrio"],
        '     GROUP-FRAME       = "%s"' % marcos[h["marco"]]["grupo"],
        '     NAME-FRAME        = "%s"' % h["marco"],
        "     PORCENTAGE        = %f" % f32(h["porcentaje"]),
        "     INF-COEF          = %f" % f32(h["permeabilidad"]),
        '     NAME_DUMVAT      = "%s"' % h.get("dumvat", ""),
        "     LIBRARY           =  %s" % ("YES" if libreria else "NO"),
        "     UTIL              =  %s" % ("YES" if h.get("util") else "NO"),
        "     ISDOOR            = %s" % ("YES" if h.get("puerta") else "NO"),
        "    ..",
    ]


def puente(p, libreria):
    return [
        '"%s" = BRIDGE' % p["nombre"],
        "    FRSI         = %s" % g14(p["frsi"]),
        "    FI          = %s" % g14(p["psi"]),
        '    NAME          = "%s"' % p["nombre"],
        '    GROUP         = "%s"' % p["grupo"],
        '    ZONE          = "%s"' % p.get("zona", ""),
        '    IMAGE          = "%s"' % p.get("imagen", ""),
        "    LIBRARY       = %s" % ("YES" if libreria else "NO"),
        "    ..",
    ]


# ---------------------------------------------------------------------------------------
# The file around the records.

REGLA_CON_DOLAR = "$" + "+" * 30
REGLA_SIN_DOLAR = "+" * 30


def rotulo(regla, titulo, blanco_tras_titulo):
    # Rule, title, rule; a title written with a trailing blank leaves it at the start of the
    # second rule's line.
    return [regla, titulo, (" " if blanco_tras_titulo else "") + regla]


def base_de_datos(estandar, secciones):
    lineas = ["$", "CAMBIO = SI", "CAMBIO-DUMVAT = SI"]
    lineas += ["", "$", "$ " + "-" * 35, "$      Datos de Base de Datos", "$ " + "-" * 35, "$"]
    lineas.append("TEMPLARY = STANDARD" if estandar else "TEMPLARY = USER")
    rotulos = [
        rotulo(REGLA_CON_DOLAR, "$           MATERIALES", True),
        rotulo(REGLA_CON_DOLAR, "$         CERRAMIENTOS", True),
        rotulo(REGLA_CON_DOLAR, "$  ACRISTALAMIENTOS - VIDRIOS", False),
        rotulo(REGLA_SIN_DOLAR, "            MARCOS", True),
        rotulo(REGLA_SIN_DOLAR, "            HUECOS", True),
        rotulo(REGLA_SIN_DOLAR, "        PUENTES TERMICOS", True),
    ]
    for cabecera, registros in zip(rotulos, secciones):
        lineas += cabecera
        for registro in registros:
            lineas += registro
    lineas += ["$ " + "-" * 66, "$ Final de la base de datos ", "$ " + "-" * 66]
    return "".join(linea + "\r\n" for linea in lineas).encode("cp1252")


def escribir(ruta, datos):
    ruta.parent.mkdir(parents=True, exist_ok=True)
    ruta.write_bytes(datos)
    print("%s: %d bytes" % (ruta.relative_to(RAIZ), len(datos)))


def comprobar_nombres(elementos):
    # Names that the program's editors accept (no accents, no full stop) and that stay
    # apart from the keywords a record is searched for.
    permitidos = set("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890_- ,")
    vistos = set()
    for e in elementos:
        nombre = e["nombre"]
        assert set(nombre) <= permitidos, nombre
        assert nombre not in vistos, "duplicate name: " + nombre
        assert len(nombre) <= 47, nombre
        vistos.add(nombre)


def por_nombre(elementos):
    return {e["nombre"]: e for e in elementos}


# ---------------------------------------------------------------------------------------
# The standard catalogue.


def M(nombre, grupo, lam, densidad, calor, mu, espesor):
    return dict(
        nombre=nombre, grupo=grupo, espesor=espesor, densidad=densidad, calor=calor, mu=mu,
        **{"lambda": lam}
    )


def R(nombre, resistencia):
    return dict(nombre=nombre, grupo="Cámaras de aire", resistencia=resistencia, mu=1.0)


CAT_MATERIALES = [
    M("Hormigon armado d 2300", "Hormigones", 2.3, 2300, 1000, 80, 0.25),
    M("Hormigon armado d 2400", "Hormigones", 2.5, 2400, 1000, 80, 0.25),
    M("Hormigon en masa d 2200", "Hormigones", 1.65, 2200, 1000, 70, 0.15),
    M("Hormigon en masa d 2000", "Hormigones", 1.35, 2000, 1000, 60, 0.15),
    M("Hormigon en masa d 1800", "Hormigones", 1.15, 1800, 1000, 60, 0.1),
    M("Hormigon celular curado en autoclave d 500", "Hormigones", 0.14, 500, 1000, 10, 0.2),
    M("Ladrillo macizo", "Fábricas", 0.85, 1800, 1000, 10, 0.115),
    M("Ladrillo perforado", "Fábricas", 0.46, 1100, 1000, 10, 0.115),
    dict(M("Ladrillo hueco doble", "Fábricas", 0.43, 930, 1000, 10, 0.07),
         imagen="ladrillo_hueco.png"),
    M("Ladrillo hueco sencillo", "Fábricas", 0.44, 1000, 1000, 10, 0.04),
    M("Bloque ceramico aligerado", "Fábricas", 0.29, 1080, 1000, 10, 0.24),
    dict(M("Mortero de cemento", "Morteros", 1.0, 1800, 1000, 10, 0.015), imagen="mortero.png"),
    M("Mortero de cal", "Morteros", 0.8, 1600, 1000, 10, 0.015),
    dict(M("Enlucido de yeso", "Yesos", 0.4, 1000, 1000, 6, 0.015), imagen="yeso.png"),
    M("Enlucido de yeso aislante", "Yesos", 0.18, 600, 1000, 6, 0.015),
    M("Yeso de alta dureza", "Yesos", 0.56, 1300, 1000, 6, 0.015),
    M("Placa de yeso laminado", "Yesos", 0.25, 900, 1000, 4, 0.015),
    dict(M("Lana mineral", "Aislantes", 0.04, 40, 1000, 1, 0.05), imagen="lana_mineral.png"),
    M("Lana de roca alta densidad", "Aislantes", 0.036, 100, 1000, 1, 0.05),
    M("Poliestireno expandido EPS", "Aislantes", 0.037, 20, 1450, 60, 0.06),
    M("Poliestireno extruido XPS", "Aislantes", 0.034, 35, 1450, 150, 0.06),
    M("Espuma de poliuretano PUR", "Aislantes", 0.028, 35, 1400, 60, 0.04),
    M("Panel de poliisocianurato PIR", "Aislantes", 0.025, 32, 1400, 60, 0.04),
    M("Corcho expandido", "Aislantes", 0.045, 120, 1500, 10, 0.04),
    M("Fibra de madera", "Aislantes", 0.04, 110, 2100, 5, 0.06),
    M("Vidrio celular", "Aislantes", 0.045, 120, 1000, ESTANCO, 0.06),
    M("Madera de conifera", "Maderas", 0.13, 500, 1600, 50, 0.02),
    M("Madera de frondosa", "Maderas", 0.18, 700, 1600, 50, 0.02),
    M("Tablero contrachapado", "Maderas", 0.13, 500, 1600, 70, 0.018),
    M("Tablero de virutas orientadas OSB", "Maderas", 0.13, 650, 1700, 30, 0.018),
    M("Tablero de fibras MDF", "Maderas", 0.14, 600, 1700, 12, 0.016),
    M("Tablero de particulas con cemento", "Maderas", 0.23, 1200, 1500, 30, 0.016),
    M("Acero", "Metales", 50, 7800, 450, ESTANCO, 0.005),
    M("Acero inoxidable", "Metales", 17, 7900, 500, ESTANCO, 0.002),
    M("Aluminio", "Metales", 160, 2800, 880, ESTANCO, 0.002),
    M("Cobre", "Metales", 380, 8900, 380, ESTANCO, 0.001),
    M("Zinc", "Metales", 110, 7200, 380, ESTANCO, 0.001),
    M("Granito", "Piedras", 2.8, 2600, 1000, 10000, 0.03),
    M("Marmol", "Piedras", 3.5, 2800, 1000, 10000, 0.02),
    M("Caliza dura", "Piedras", 1.7, 2200, 1000, 200, 0.03),
    M("Arenisca", "Piedras", 2.3, 2600, 1000, 40, 0.03),
    M("Pizarra", "Piedras", 2.2, 2400, 1000, 800, 0.01),
    M("Baldosa ceramica", "Revestimientos", 1.3, 2300, 840, ESTANCO, 0.01),
    M("Teja ceramica", "Revestimientos", 1.0, 2000, 800, 30, 0.02),
    M("Linoleo", "Revestimientos", 0.17, 1200, 1400, 1000, 0.003),
    M("Moqueta", "Revestimientos", 0.06, 200, 1300, 5, 0.006),
    M("Vidrio sodocalcico", "Vidrios", 1.0, 2500, 750, ESTANCO, 0.006),
    M("Lamina bituminosa", "Láminas", 0.23, 1100, 1000, 50000, 0.004),
    M("Lamina de polietileno", "Láminas", 0.33, 920, 2200, 100000, 0.001),
    M("Lamina de PVC", "Láminas", 0.17, 1390, 900, 50000, 0.0015),
    M("Asfalto", "Láminas", 0.7, 2100, 1000, 50000, 0.02),
    M("Arcilla o limo", "Suelos", 1.5, 1500, 2000, 50, 0.5),
    M("Arena y grava", "Suelos", 2.0, 1950, 1000, 50, 0.15),
    R("Camara de aire vertical 10 mm", 0.15),
    R("Camara de aire vertical 25 mm", 0.18),
    R("Camara de aire vertical 50 mm", 0.18),
    R("Camara de aire flujo ascendente 25 mm", 0.16),
    R("Camara de aire flujo descendente 25 mm", 0.19),
    R("Camara de aire flujo descendente 100 mm", 0.22),
]

CAT_CERRAMIENTOS = [
    dict(nombre="Fachada de ladrillo con camara y aislante", grupo="Fachadas", capas=[
        ("Ladrillo perforado", 0.115), ("Mortero de cemento", 0.015), ("Lana mineral", 0.05),
        ("Camara de aire vertical 25 mm", 0.025), ("Ladrillo hueco doble", 0.07),
        ("Enlucido de yeso", 0.015)]),
    dict(nombre="Fachada con aislamiento exterior", grupo="Fachadas", capas=[
        ("Mortero de cemento", 0.01), ("Poliestireno expandido EPS", 0.08),
        ("Ladrillo perforado", 0.24), ("Enlucido de yeso", 0.015)]),
    dict(nombre="Fachada de bloque ceramico aligerado", grupo="Fachadas", capas=[
        ("Mortero de cemento", 0.015), ("Bloque ceramico aligerado", 0.29),
        ("Enlucido de yeso", 0.015)]),
    dict(nombre="Cubierta plana invertida", grupo="Cubiertas", capas=[
        ("Arena y grava", 0.05), ("Poliestireno extruido XPS", 0.08),
        ("Lamina bituminosa", 0.004), ("Mortero de cemento", 0.02),
        ("Hormigon en masa d 1800", 0.1), ("Hormigon armado d 2300", 0.25),
        ("Enlucido de yeso", 0.015)]),
    dict(nombre="Cubierta inclinada de madera", grupo="Cubiertas", capas=[
        ("Teja ceramica", 0.02), ("Tablero contrachapado", 0.018), ("Lana mineral", 0.12),
        ("Madera de conifera", 0.02)]),
    dict(nombre="Solera de hormigon", grupo="Suelos", capas=[
        ("Baldosa ceramica", 0.01), ("Mortero de cemento", 0.03),
        ("Hormigon en masa d 2200", 0.15), ("Poliestireno extruido XPS", 0.04),
        ("Arena y grava", 0.15)]),
    dict(nombre="Forjado entre plantas", grupo="Particiones", capas=[
        ("Baldosa ceramica", 0.01), ("Mortero de cemento", 0.03),
        ("Hormigon armado d 2300", 0.25), ("Enlucido de yeso", 0.015)]),
    dict(nombre="Tabique de placa de yeso", grupo="Particiones", capas=[
        ("Placa de yeso laminado", 0.015), ("Lana mineral", 0.046),
        ("Placa de yeso laminado", 0.015)]),
    dict(nombre="Tabique de ladrillo hueco", grupo="Particiones", capas=[
        ("Enlucido de yeso", 0.015), ("Ladrillo hueco doble", 0.07),
        ("Enlucido de yeso", 0.015)]),
]

CAT_ACRISTALAMIENTOS = [
    dict(nombre="Monolitico 4 mm", grupo="Monolíticos", u=5.7, g=0.85),
    dict(nombre="Monolitico 6 mm", grupo="Monolíticos", u=5.7, g=0.83),
    dict(nombre="Laminado de 6 mm", grupo="Monolíticos", u=5.6, g=0.8),
    dict(nombre="Doble 4-6-4", grupo="Dobles", u=3.3, g=0.75),
    dict(nombre="Doble 4-12-4", grupo="Dobles", u=2.8, g=0.75),
    dict(nombre="Doble 4-16-4", grupo="Dobles", u=2.7, g=0.75),
    dict(nombre="Doble bajo emisivo 4-12-4", grupo="Dobles bajo emisivos", u=1.8, g=0.65),
    dict(nombre="Doble bajo emisivo 4-16-4 argon", grupo="Dobles bajo emisivos", u=1.1, g=0.6),
    dict(nombre="Doble control solar 6-12-4", grupo="Dobles bajo emisivos", u=1.6, g=0.4),
    dict(nombre="Triple bajo emisivo 4-12-4-12-4 argon", grupo="Triples", u=0.7, g=0.5),
]

CAT_MARCOS = [
    dict(nombre="Metalico sin RPT", grupo="Metálicos", ancho=0.06, u=5.7, abs=0.7),
    dict(nombre="Metalico con RPT de 4 a 12 mm", grupo="Metálicos", ancho=0.06, u=4.0, abs=0.7),
    dict(nombre="Metalico con RPT de mas de 12 mm", grupo="Metálicos", ancho=0.07, u=3.2,
         abs=0.7),
    dict(nombre="PVC de dos camaras", grupo="PVC", ancho=0.08, u=2.2, abs=0.3),
    dict(nombre="PVC de tres camaras", grupo="PVC", ancho=0.08, u=1.8, abs=0.3),
    dict(nombre="Madera de densidad media-alta", grupo="Madera", ancho=0.08, u=2.2, abs=0.6),
    dict(nombre="Madera de densidad media-baja", grupo="Madera", ancho=0.08, u=2.0, abs=0.6),
]

CAT_HUECOS = [
    dict(nombre="Ventana de aluminio sin RPT y vidrio sencillo", grupo="Ventanas",
         vidrio="Monolitico 4 mm", marco="Metalico sin RPT", porcentaje=20, permeabilidad=50),
    dict(nombre="Ventana de aluminio con RPT y doble vidrio", grupo="Ventanas",
         vidrio="Doble 4-12-4", marco="Metalico con RPT de 4 a 12 mm", porcentaje=25,
         permeabilidad=27),
    dict(nombre="Ventana de PVC bajo emisiva", grupo="Ventanas",
         vidrio="Doble bajo emisivo 4-16-4 argon", marco="PVC de tres camaras", porcentaje=30,
         permeabilidad=9),
    dict(nombre="Ventana de madera bajo emisiva", grupo="Ventanas",
         vidrio="Doble bajo emisivo 4-12-4", marco="Madera de densidad media-alta",
         porcentaje=30, permeabilidad=9),
    dict(nombre="Ventana de PVC con triple vidrio", grupo="Ventanas",
         vidrio="Triple bajo emisivo 4-12-4-12-4 argon", marco="PVC de tres camaras",
         porcentaje=30, permeabilidad=3),
    dict(nombre="Puerta acristalada de aluminio", grupo="Puertas", vidrio="Doble 4-12-4",
         marco="Metalico con RPT de mas de 12 mm", porcentaje=40, permeabilidad=27,
         puerta=True),
]

CAT_PUENTES = [
    dict(nombre="Frente de forjado sin aislar", grupo="Frentes de forjado", psi=0.8, frsi=0.55),
    dict(nombre="Frente de forjado aislado por el exterior", grupo="Frentes de forjado",
         psi=0.05, frsi=0.9),
    dict(nombre="Pilar en fachada sin aislar", grupo="Pilares", psi=0.85, frsi=0.55),
    dict(nombre="Pilar en fachada aislado por el exterior", grupo="Pilares", psi=0.05,
         frsi=0.9),
    dict(nombre="Contorno de hueco con aislamiento continuo", grupo="Contornos de hueco",
         psi=0.1, frsi=0.75),
    dict(nombre="Contorno de hueco sin aislamiento continuo", grupo="Contornos de hueco",
         psi=0.45, frsi=0.6),
    dict(nombre="Esquina saliente", grupo="Esquinas", psi=-0.05, frsi=0.8),
    dict(nombre="Encuentro de fachada con cubierta", grupo="Cubiertas", psi=0.5, frsi=0.65),
    dict(nombre="Encuentro de fachada con solera", grupo="Soleras", psi=0.4, frsi=0.7),
]


# ---------------------------------------------------------------------------------------
# The sample user database. Its enclosures also use catalogue materials, and one opening a
# catalogue frame: the program completes those from the catalogue when it opens the file.

EJ_MATERIALES = [
    dict(M("Ladrillo caravista", "Fábricas", 0.85, 1900, 1000, 10, 0.115), util=True,
         imagen="ladrillo_caravista.png"),
    dict(M("Aislante reflexivo multicapa", "Aislantes", 0.04, 25, 1400, 100, 0.03), util=True,
         dumvat="AISL-REFLEX", imagen="aislante_reflexivo.png"),
    dict(M("Panel sandwich de acero", "Paneles", 0.03, 50, 1300, ESTANCO, 0.08),
         espesor_min=0.03, espesor_max=0.2, imagen="panel_sandwich.png"),
    dict(R("Camara de aire ventilada ligeramente", 0.09), grupo="Cámaras de aire", util=True,
         vapor_r=0.1, imagen="camara_de_aire.png"),
]

EJ_CERRAMIENTOS = [
    dict(nombre="Fachada de caravista con camara", grupo="Fachadas", util=True, capas=[
        ("Ladrillo caravista", 0.115), ("Mortero de cemento", 0.015),
        ("Aislante reflexivo multicapa", 0.03), ("Camara de aire ventilada ligeramente", 0.03),
        ("Ladrillo hueco doble", 0.07), ("Enlucido de yeso", 0.015)]),
    dict(nombre="Cubierta de panel sandwich", grupo="Cubiertas", dumvat="CUB-SANDWICH",
         capas=[("Panel sandwich de acero", 0.08)]),
    dict(nombre="Medianera de bloque", grupo="Fachadas", capas=[
        ("Mortero de cemento", 0.015), ("Bloque ceramico aligerado", 0.19),
        ("Lana mineral", 0.04), ("Placa de yeso laminado", 0.015)]),
]

EJ_ACRISTALAMIENTOS = [
    dict(nombre="Doble 6-14-6 bajo emisivo", grupo="Dobles bajo emisivos", u=1.5, g=0.56,
         util=True),
    dict(nombre="Laminado de seguridad de 8 mm", grupo="Laminados", u=5.5, g=0.78),
]

EJ_MARCOS = [
    dict(nombre="Aluminio con RPT lacado oscuro", grupo="Metálicos", ancho=0.07, u=3.0, abs=0.9,
         util=True),
    dict(nombre="Madera de pino", grupo="Madera", ancho=0.09, u=2.1, abs=0.5, dumvat="PINO"),
]

EJ_HUECOS = [
    dict(nombre="Ventana salon", grupo="Ventanas", vidrio="Doble 6-14-6 bajo emisivo",
         marco="Aluminio con RPT lacado oscuro", porcentaje=22.5, permeabilidad=9, util=True),
    dict(nombre="Ventana dormitorio", grupo="Ventanas", vidrio="Doble 6-14-6 bajo emisivo",
         marco="PVC de tres camaras", porcentaje=30, permeabilidad=3),
    dict(nombre="Puerta de terraza", grupo="Puertas", vidrio="Laminado de seguridad de 8 mm",
         marco="Madera de pino", porcentaje=35, permeabilidad=27, puerta=True),
]

EJ_PUENTES = [
    dict(nombre="Frente de forjado con plaqueta", grupo="Frentes de forjado", psi=0.55,
         frsi=0.62, zona="C", imagen="frente_de_forjado.png"),
    dict(nombre="Caja de persiana", grupo="Contornos de hueco", psi=0.3, frsi=0.68, zona="C",
         imagen="caja_de_persiana.png"),
]


def principal():
    catalogo = [CAT_MATERIALES, CAT_CERRAMIENTOS, CAT_ACRISTALAMIENTOS, CAT_MARCOS, CAT_HUECOS,
                CAT_PUENTES]
    ejemplo = [EJ_MATERIALES, EJ_CERRAMIENTOS, EJ_ACRISTALAMIENTOS, EJ_MARCOS, EJ_HUECOS,
               EJ_PUENTES]
    for elementos in catalogo:
        comprobar_nombres(elementos)
    for elementos in ejemplo:
        comprobar_nombres(elementos)
    for a, b in zip(catalogo, ejemplo):
        assert not set(por_nombre(a)) & set(por_nombre(b)), "sample names clash with catalogue"

    materiales = por_nombre(CAT_MATERIALES + EJ_MATERIALES)
    for c in CAT_CERRAMIENTOS:
        assert all(n in por_nombre(CAT_MATERIALES) for n, _ in c["capas"]), c["nombre"]
    for c in EJ_CERRAMIENTOS:
        assert all(n in materiales for n, _ in c["capas"]), c["nombre"]
    vidrios = por_nombre(CAT_ACRISTALAMIENTOS + EJ_ACRISTALAMIENTOS)
    marcos = por_nombre(CAT_MARCOS + EJ_MARCOS)

    def secciones(partes, libreria):
        mat, cer, acr, mar, hue, pue = partes
        # Saving a database marks every layer material as used: so does the file.
        en_capas = {n for c in cer for n, _ in c["capas"]}
        return [
            [material(dict(m, util=m.get("util") or m["nombre"] in en_capas), libreria)
             for m in mat],
            [cerramiento(c, libreria) for c in cer],
            [acristalamiento(a, libreria) for a in acr],
            [marco(m, libreria) for m in mar],
            [hueco(h, vidrios, marcos, libreria) for h in hue],
            [puente(p, libreria) for p in pue],
        ]

    escribir(RAIZ / "datos" / "Lib" / "BDCATALOGO.BDC",
             base_de_datos(True, secciones(catalogo, True)))
    escribir(RAIZ / "datos" / "ejemplo.bdc", base_de_datos(False, secciones(ejemplo, False)))


if __name__ == "__main__":
    principal()
