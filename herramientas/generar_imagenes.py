#!/usr/bin/env python3
"""Draws the sample pictures that ship with the programs:

  datos/Imagenes/Materiales/*.png  one texture per material kind, shown in the material
                                   page and, side by side, in an enclosure's composition
  datos/Imagenes/Puentes/*.png     a section sketch per thermal bridge

Every picture is drawn here from rectangles, lines and a fixed pseudo-random speckle, and
written as an 8-bit RGB PNG with the standard library only, so the files come out the same
on every run. herramientas/generar_datos.py points sample records at these names.

Run from anywhere: python3 herramientas/generar_imagenes.py
"""

import struct
import zlib
from pathlib import Path

RAIZ = Path(__file__).resolve().parent.parent


class Lienzo:
    def __init__(self, ancho, alto, fondo):
        self.ancho, self.alto = ancho, alto
        self.pixeles = [[fondo] * ancho for _ in range(alto)]

    def punto(self, x, y, color):
        if 0 <= x < self.ancho and 0 <= y < self.alto:
            self.pixeles[y][x] = color

    def rectangulo(self, x0, y0, x1, y1, color):
        for y in range(max(0, y0), min(self.alto, y1)):
            fila = self.pixeles[y]
            for x in range(max(0, x0), min(self.ancho, x1)):
                fila[x] = color

    def linea(self, x0, y0, x1, y1, color):
        # Bresenham.
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        error = dx + dy
        while True:
            self.punto(x0, y0, color)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * error
            if e2 >= dy:
                error += dy
                x0 += sx
            if e2 <= dx:
                error += dx
                y0 += sy

    def motas(self, densidad, colores, semilla):
        # A linear congruential generator: the same speckle on every run.
        estado = semilla
        for y in range(self.alto):
            for x in range(self.ancho):
                estado = (estado * 1103515245 + 12345) & 0x7FFFFFFF
                if estado % 1000 < densidad:
                    self.pixeles[y][x] = colores[(estado >> 10) % len(colores)]

    def png(self):
        crudo = b"".join(b"\x00" + bytes(c for p in fila for c in p) for fila in self.pixeles)

        def bloque(tipo, datos):
            cuerpo = tipo + datos
            return struct.pack(">I", len(datos)) + cuerpo + struct.pack(
                ">I", zlib.crc32(cuerpo) & 0xFFFFFFFF)

        cabecera = struct.pack(">IIBBBBB", self.ancho, self.alto, 8, 2, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + bloque(b"IHDR", cabecera) +
                bloque(b"IDAT", zlib.compress(crudo, 9)) + bloque(b"IEND", b""))


LADO = 96


def ladrillo(color, junta, huecos):
    l = Lienzo(LADO, LADO, junta)
    hilada = 24
    for fila, y in enumerate(range(0, LADO, hilada)):
        desfase = 0 if fila % 2 == 0 else 24
        for x in range(-48 + desfase, LADO, 48):
            l.rectangulo(x + 2, y + 2, x + 46, y + hilada - 2, color)
            if huecos:
                for h in range(3):
                    cx = x + 8 + h * 13
                    l.rectangulo(cx, y + 8, cx + 8, y + hilada - 8, junta)
    l.motas(60, [(color[0] - 30, color[1] - 15, color[2] - 10)], 7)
    return l


def mortero():
    l = Lienzo(LADO, LADO, (170, 168, 160))
    l.motas(220, [(140, 138, 130), (200, 198, 190), (120, 118, 112)], 11)
    return l


def yeso():
    l = Lienzo(LADO, LADO, (238, 236, 226))
    l.motas(40, [(215, 212, 200)], 13)
    return l


def aislante(fondo, trazo):
    l = Lienzo(LADO, LADO, fondo)
    for y in range(6, LADO, 12):
        for x in range(0, LADO, 12):
            l.linea(x, y + 5, x + 6, y - 5, trazo)
            l.linea(x + 6, y - 5, x + 12, y + 5, trazo)
    return l


def camara():
    l = Lienzo(LADO, LADO, (226, 240, 250))
    l.motas(8, [(170, 200, 230)], 17)
    for y in range(12, LADO, 24):
        l.linea(8, y, LADO - 8, y, (190, 215, 240))
    return l


def panel():
    l = Lienzo(LADO, LADO, (150, 156, 164))
    for y in range(0, LADO, 16):
        l.rectangulo(0, y, LADO, y + 3, (110, 116, 124))
        l.rectangulo(0, y + 3, LADO, y + 5, (200, 205, 212))
    return l


def puente(dibujo):
    l = Lienzo(160, 120, (255, 255, 255))
    muro, aisl, forjado, linea = (190, 110, 80), (240, 210, 90), (160, 160, 160), (40, 40, 40)
    dibujo(l, muro, aisl, forjado, linea)
    # The heat-flow arrow through the bridge.
    l.linea(20, 60, 140, 60, (200, 30, 30))
    l.linea(140, 60, 132, 54, (200, 30, 30))
    l.linea(140, 60, 132, 66, (200, 30, 30))
    return l


def forjado_con_plaqueta(l, muro, aisl, forjado, linea):
    l.rectangulo(40, 0, 70, 120, muro)
    l.rectangulo(70, 0, 80, 120, aisl)
    l.rectangulo(30, 45, 160, 75, forjado)
    l.rectangulo(30, 45, 40, 75, muro)
    l.linea(30, 45, 30, 75, linea)


def caja_de_persiana(l, muro, aisl, forjado, linea):
    l.rectangulo(40, 0, 70, 40, muro)
    l.rectangulo(70, 0, 80, 40, aisl)
    l.rectangulo(40, 40, 100, 80, (230, 230, 230))
    l.rectangulo(40, 40, 100, 42, linea)
    l.rectangulo(40, 78, 100, 80, linea)
    l.rectangulo(55, 80, 60, 120, (120, 160, 200))


MATERIALES = {
    "ladrillo_caravista.png": lambda: ladrillo((178, 84, 54), (205, 200, 190), False),
    "ladrillo_hueco.png": lambda: ladrillo((200, 120, 80), (215, 210, 200), True),
    "mortero.png": mortero,
    "yeso.png": yeso,
    "aislante_reflexivo.png": lambda: aislante((235, 235, 240), (150, 150, 170)),
    "lana_mineral.png": lambda: aislante((245, 220, 120), (190, 150, 40)),
    "camara_de_aire.png": camara,
    "panel_sandwich.png": panel,
}

PUENTES = {
    "frente_de_forjado.png": lambda: puente(forjado_con_plaqueta),
    "caja_de_persiana.png": lambda: puente(caja_de_persiana),
}


def principal():
    for carpeta, dibujos in (("Materiales", MATERIALES), ("Puentes", PUENTES)):
        destino = RAIZ / "datos" / "Imagenes" / carpeta
        destino.mkdir(parents=True, exist_ok=True)
        for nombre, dibujar in dibujos.items():
            (destino / nombre).write_bytes(dibujar().png())


if __name__ == "__main__":
    principal()
