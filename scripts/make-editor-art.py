#!/usr/bin/env python3
"""Draws the editor's bitmaps and icon and writes them to editor/res/.

  editor/res/toolbar.bmp      the toolbar: one 16 x 16 picture per button, in
                              toolbar order, on light grey RGB(192, 192, 192)
                              (the button-face grey that toolbars map to the
                              system's button face colour)
  editor/res/tree_images.bmp  the object tree's ten 16 x 16 images on magenta
                              RGB(255, 0, 255), the transparent colour
  editor/res/qorva.ico        the application icon, 32 x 32 and 16 x 16, 32-bit
                              with alpha and a matching AND mask

The pictures are drawn in code so anyone can change them and regenerate the
files; only the Python standard library is used. Run from anywhere:

  scripts/make-editor-art.py [--preview FOLDER]

--preview also writes the pictures eight times enlarged as PNG files.
"""
import argparse
import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
RES = os.path.join(ROOT, "editor", "res")

SIZE = 16
TOOLBAR_FACE = (192, 192, 192)
MAGENTA = (255, 0, 255)

# Colours of the artwork. None of them is the toolbar grey or magenta.
INK = (40, 40, 48)
PAPER = (250, 250, 250)
SHADE = (208, 208, 212)
STEEL = (150, 156, 168)
BLUE = (36, 96, 204)
DARK_BLUE = (20, 50, 120)
SKY = (150, 200, 245)
YELLOW = (246, 206, 72)
GOLD = (222, 168, 40)
BROWN = (128, 84, 20)
RED = (214, 36, 36)
DARK_RED = (140, 10, 10)
GREEN = (44, 176, 64)
DARK_GREEN = (16, 100, 30)
AMBER = (240, 200, 40)
WOOD = (156, 96, 44)
DARK_WOOD = (96, 56, 20)
PINK = (232, 128, 150)
FILM = (52, 52, 60)


class Canvas:
    """A width x height picture of (r, g, b) tuples, y downwards."""

    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]

    def set(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = color

    def get(self, x, y):
        return self.pixels[y][x]

    def paste(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                self.set(left + x, top + y, other.get(x, y))


class Glyph:
    """Drawing operations on one 16 x 16 picture; coordinates are inclusive."""

    def __init__(self, background):
        self.canvas = Canvas(SIZE, SIZE, background)

    def dot(self, x, y, color):
        self.canvas.set(x, y, color)

    def fill(self, x0, y0, x1, y1, color):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, color)

    def frame(self, x0, y0, x1, y1, color):
        for x in range(x0, x1 + 1):
            self.dot(x, y0, color)
            self.dot(x, y1, color)
        for y in range(y0, y1 + 1):
            self.dot(x0, y, color)
            self.dot(x1, y, color)

    def box(self, x0, y0, x1, y1, inside, outline):
        self.fill(x0, y0, x1, y1, inside)
        self.frame(x0, y0, x1, y1, outline)

    def line(self, x0, y0, x1, y1, color):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        error = dx + dy
        while True:
            self.dot(x0, y0, color)
            if x0 == x1 and y0 == y1:
                return
            twice = 2 * error
            if twice >= dy:
                error += dy
                x0 += sx
            if twice <= dx:
                error += dx
                y0 += sy

    def polygon(self, points, color):
        """Fills the pixels whose centres lie inside the polygon."""
        for y in range(SIZE):
            for x in range(SIZE):
                if inside_polygon(points, x + 0.5, y + 0.5):
                    self.dot(x, y, color)

    def outline(self, points, color):
        for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
            self.line(x0, y0, x1, y1, color)

    def disc(self, cx, cy, radius, color):
        for y in range(SIZE):
            for x in range(SIZE):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= radius * radius:
                    self.dot(x, y, color)

    def band(self, start, end, half_width, color):
        """Fills a straight stroke of the given half width from start to end."""
        (ax, ay), (bx, by) = start, end
        length = math.hypot(bx - ax, by - ay)
        ux, uy = (bx - ax) / length, (by - ay) / length
        for y in range(SIZE):
            for x in range(SIZE):
                px, py = x + 0.5 - ax, y + 0.5 - ay
                along = px * ux + py * uy
                across = -px * uy + py * ux
                if 0 <= along <= length and abs(across) <= half_width:
                    self.dot(x, y, color)


def inside_polygon(points, x, y):
    inside = False
    count = len(points)
    for i in range(count):
        (x0, y0), (x1, y1) = points[i], points[(i + 1) % count]
        if (y0 > y) != (y1 > y):
            crossing = x0 + (y - y0) * (x1 - x0) / (y1 - y0)
            if x < crossing:
                inside = not inside
    return inside


# --- Pictograms ---------------------------------------------------------

def page(g):
    shape = [(3, 1), (9, 1), (12, 4), (12, 14), (3, 14)]
    g.polygon([(3, 1), (10, 1), (13, 4), (13, 15), (3, 15)], PAPER)
    g.outline(shape, INK)
    g.fill(9, 2, 11, 4, SHADE)
    g.line(9, 1, 9, 4, INK)
    g.line(9, 4, 12, 4, INK)
    for y in (7, 9, 11):
        g.line(5, y, 10, y, STEEL)


def folder(g):
    g.fill(1, 3, 5, 4, GOLD)
    g.box(1, 4, 12, 13, GOLD, BROWN)
    g.line(1, 3, 5, 3, BROWN)
    g.line(6, 4, 6, 4, BROWN)
    g.polygon([(3, 7), (16, 7), (13.5, 14), (0.5, 14)], YELLOW)
    g.outline([(3, 7), (15, 7), (13, 13), (1, 13)], BROWN)


def floppy(g):
    g.polygon([(1, 1), (14, 1), (15, 2), (15, 15), (1, 15)], BLUE)
    g.outline([(1, 1), (13, 1), (14, 2), (14, 14), (1, 14)], DARK_BLUE)
    g.box(4, 1, 11, 6, PAPER, DARK_BLUE)
    g.line(5, 3, 10, 3, STEEL)
    g.box(4, 9, 11, 14, SHADE, DARK_BLUE)
    g.fill(6, 10, 7, 13, DARK_BLUE)


def red_cross(g):
    g.band((2.5, 2.5), (13.5, 13.5), 2.2, DARK_RED)
    g.band((13.5, 2.5), (2.5, 13.5), 2.2, DARK_RED)
    g.band((3, 3), (13, 13), 1.3, RED)
    g.band((13, 3), (3, 13), 1.3, RED)


def window(g, right=14, bottom=13):
    g.box(1, 2, right, bottom, PAPER, INK)
    g.fill(2, 3, right - 1, 4, BLUE)
    g.dot(right - 2, 3, PAPER)
    g.fill(3, 7, 6, 8, SKY)
    g.fill(3, 10, right - 3, 10, SHADE)


def sparkle(g, cx, cy):
    g.line(cx - 2, cy, cx + 2, cy, GOLD)
    g.line(cx, cy - 2, cx, cy + 2, GOLD)
    g.dot(cx, cy, YELLOW)
    g.dot(cx - 1, cy - 1, YELLOW)
    g.dot(cx + 1, cy + 1, YELLOW)
    g.dot(cx - 1, cy + 1, YELLOW)
    g.dot(cx + 1, cy - 1, YELLOW)


def new_container(g):
    window(g, right=12, bottom=14)
    sparkle(g, 13, 2)


def push_button(g, top=4, bottom=11, right=14):
    g.fill(2, top, right - 1, bottom, STEEL)
    g.fill(2, top, right - 1, top + 1, SHADE)
    g.fill(2, top + 2, right - 1, (top + bottom) // 2, (178, 184, 196))
    g.line(2, top - 1, right - 1, top - 1, INK)
    g.line(2, bottom + 1, right - 1, bottom + 1, INK)
    g.line(1, top, 1, bottom, INK)
    g.line(right, top, right, bottom, INK)
    g.line(5, (top + bottom) // 2 + 1, right - 4, (top + bottom) // 2 + 1, DARK_BLUE)


def green_plus(g, cx, cy):
    g.fill(cx - 3, cy - 1, cx + 3, cy + 1, DARK_GREEN)
    g.fill(cx - 1, cy - 3, cx + 1, cy + 3, DARK_GREEN)
    g.fill(cx - 2, cy, cx + 2, cy, GREEN)
    g.fill(cx, cy - 2, cx, cy + 2, GREEN)


def insert_object(g):
    push_button(g, top=2, bottom=8, right=13)
    green_plus(g, 11, 11)


def link_arrow(g):
    g.box(1, 1, 14, 14, PAPER, INK)
    g.band((4, 12), (9.5, 6.5), 1.1, BLUE)
    g.polygon([(6.5, 3.5), (12.5, 3.5), (12.5, 9.5)], BLUE)
    g.line(4, 12, 4, 12, DARK_BLUE)


def film_strip(g):
    g.fill(0, 2, 15, 13, FILM)
    for x in range(1, 16, 3):
        g.fill(x, 3, x + 1, 3, PAPER)
        g.fill(x, 12, x + 1, 12, PAPER)
    for left in (1, 6, 11):
        g.fill(left, 5, left + 3, 10, SKY)
    g.fill(7, 8, 8, 10, GREEN)
    g.disc(13.5, 6.5, 1.2, YELLOW)


def vu_bars(g):
    heights = (6, 10, 13, 9, 4)
    for index, height in enumerate(heights):
        left = 1 + index * 3
        for y in range(15 - height, 15):
            color = GREEN if y >= 10 else AMBER if y >= 5 else RED
            g.fill(left, y, left + 1, y, color)
    g.line(0, 15, 15, 15, INK)


def letter_t(g, color=DARK_BLUE):
    g.fill(2, 2, 13, 4, color)
    g.dot(2, 5, color)
    g.dot(13, 5, color)
    g.fill(6, 2, 9, 13, color)
    g.fill(5, 13, 10, 14, color)


def skin_menu(g):
    g.fill(0, 1, 15, 3, SHADE)
    g.line(0, 4, 15, 4, STEEL)
    g.fill(1, 1, 5, 3, BLUE)
    g.box(1, 4, 12, 15, PAPER, INK)
    for y in (6, 11, 13):
        g.line(3, y, 9, y, STEEL)
    g.fill(2, 8, 11, 9, BLUE)
    g.line(3, 8, 8, 8, PAPER)


def movie_area(g):
    g.box(0, 2, 15, 12, FILM, INK)
    g.polygon([(6, 4.5), (6, 10.5), (11, 7.5)], PAPER)
    g.fill(6, 13, 9, 13, STEEL)
    g.fill(4, 14, 11, 14, INK)


def landscape(g):
    g.box(1, 2, 14, 13, SKY, INK)
    g.disc(10.5, 5.5, 1.8, YELLOW)
    g.polygon([(2, 12.5), (2, 9), (6, 6), (10, 10), (12, 9), (14, 10), (14, 12.5)], GREEN)
    g.polygon([(2, 12.5), (2, 11), (5, 9.5), (9, 12.5)], DARK_GREEN)


def pencil(g):
    tip, end = (2.5, 13.5), (13.5, 2.5)
    g.band((5, 11), end, 2.1, BROWN)
    g.band((5, 11), (11.5, 4.5), 1.3, AMBER)
    g.band((11.3, 4.7), (12.2, 3.8), 1.5, STEEL)
    g.band((12.2, 3.8), (13.6, 2.4), 1.5, PINK)
    g.polygon([tip, (3.5, 9.5), (6.5, 12.5)], (236, 204, 150))
    g.polygon([tip, (3, 11.5), (4.5, 13)], INK)


def exit_door(g):
    g.box(2, 1, 9, 14, WOOD, DARK_WOOD)
    g.fill(3, 2, 8, 3, (180, 120, 64))
    g.dot(7, 8, YELLOW)
    g.band((8, 7.5), (12, 7.5), 1.1, RED)
    g.polygon([(11, 3.5), (15.5, 7.5), (11, 11.5)], RED)


def drive(g):
    g.polygon([(1, 6), (4, 3), (15, 3), (15, 10), (14, 11), (1, 11)], STEEL)
    g.polygon([(1.5, 6), (4, 3.5), (15, 3.5), (12.5, 6)], SHADE)
    g.box(1, 6, 12, 12, (176, 180, 190), INK)
    g.line(1, 6, 4, 3, INK)
    g.line(4, 3, 15, 3, INK)
    g.line(15, 3, 15, 9, INK)
    g.line(12, 12, 15, 9, INK)
    g.line(12, 6, 15, 3, INK)
    g.line(3, 9, 7, 9, DARK_BLUE)
    g.dot(10, 9, GREEN)


def list_box(g):
    g.box(1, 1, 14, 14, PAPER, INK)
    g.box(11, 1, 14, 14, SHADE, INK)
    g.fill(12, 4, 13, 7, STEEL)
    for y in (3, 9, 12):
        g.line(3, y, 8, y, STEEL)
    g.fill(2, 5, 10, 7, BLUE)
    g.line(3, 6, 8, 6, PAPER)


def slider(g):
    g.fill(1, 7, 14, 8, STEEL)
    g.line(1, 7, 14, 7, INK)
    g.fill(1, 8, 6, 8, BLUE)
    for x in (1, 4, 7, 10, 13):
        g.dot(x, 13, INK)
    g.box(6, 3, 9, 11, SHADE, INK)
    g.line(7, 4, 7, 10, PAPER)


def button_image(g):
    push_button(g, top=4, bottom=11, right=14)


# Toolbar order: New, Open, Save | Delete | New Container, Insert Object,
# Insert Shortcut, Insert Animation, Insert VUMeter, Insert Text, Skin Menu |
# Movie area | Load bitmap, Edit | Exit. Separators take no picture.
TOOLBAR = [
    page, folder, floppy, red_cross, new_container, insert_object, link_arrow, film_strip,
    vu_bars, letter_t, skin_menu, movie_area, landscape, pencil, exit_door,
]

def unknown_object(g):
    """A dashed frame around a question mark: an object of a kind this editor
    does not know (written by a newer one)."""
    for i in range(2, 14, 2):
        for a, b in ((i, 2), (i, 13), (2, i), (13, i)):
            g.dot(a, b, STEEL)
    for x, y in ((6, 4), (7, 4), (8, 4), (9, 5), (9, 6), (8, 7), (7, 8), (7, 9), (7, 11)):
        g.dot(x, y, DARK_BLUE)
        g.dot(x + 1 if (x, y) in ((6, 4), (7, 4)) else x, y, DARK_BLUE)
    g.dot(6, 5, DARK_BLUE)


# Tree images: 0 container, 1 DriveList, 2 Button, 3 ListBox, 4 Slider and
# CustomSlider, 5 Text, 6 Shortcut, 7 Animation, 8 VUMeter, and 9 for kinds
# this editor does not know.
TREE = [window, drive, button_image, list_box, slider, letter_t, link_arrow, film_strip, vu_bars,
        unknown_object]


def strip(drawings, background):
    canvas = Canvas(SIZE * len(drawings), SIZE, background)
    for index, draw in enumerate(drawings):
        glyph = Glyph(background)
        draw(glyph)
        canvas.paste(glyph.canvas, index * SIZE, 0)
    return canvas


# --- The icon -------------------------------------------------------------

def icon_pixels(size):
    """A rounded square in a blue-violet gradient carrying a white "Q".

    Shapes are sampled 4 x 4 times per pixel, so the edges are smooth.
    Returns rows of (r, g, b, a), top row first.
    """
    samples = 4
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            square = ring = 0
            for sy in range(samples):
                for sx in range(samples):
                    u = (x + (sx + 0.5) / samples) / size
                    v = (y + (sy + 0.5) / samples) / size
                    if in_rounded_square(u, v):
                        square += 1
                        if in_letter_q(u, v, size):
                            ring += 1
            total = samples * samples
            t = (x + y) / (2.0 * size)
            base = (int(64 + 60 * t), int(90 - 40 * t), int(220 - 30 * t))
            cover = ring / square if square else 0.0
            color = tuple(int(round(c + (255 - c) * cover)) for c in base)
            row.append(color + (int(round(255 * square / total)),))
        rows.append(row)
    return rows


def in_rounded_square(u, v):
    margin, radius = 0.03, 0.2
    du = max(abs(u - 0.5) - (0.5 - margin - radius), 0.0)
    dv = max(abs(v - 0.5) - (0.5 - margin - radius), 0.0)
    return du * du + dv * dv <= radius * radius


def in_letter_q(u, v, size):
    # Strokes get relatively thicker on the small icon so they stay visible.
    stroke = 0.11 if size >= 32 else 0.14
    cx, cy, radius = 0.47, 0.46, 0.27
    distance = math.hypot(u - cx, v - cy)
    if abs(distance - radius) <= stroke / 2:
        return True
    # The tail: a stroke from inside the ring down to the lower right.
    ax, ay, bx, by = 0.55, 0.57, 0.8, 0.82
    length = math.hypot(bx - ax, by - ay)
    along = ((u - ax) * (bx - ax) + (v - ay) * (by - ay)) / length
    across = abs(-(u - ax) * (by - ay) + (v - ay) * (bx - ax)) / length
    return 0 <= along <= length and across <= stroke / 2


# --- File formats ------------------------------------------------------------

def bmp_24(canvas):
    """A bottom-up 24-bit BMP with a BITMAPFILEHEADER."""
    stride = (canvas.width * 3 + 3) & ~3
    body = bytearray()
    for y in reversed(range(canvas.height)):
        row = bytearray()
        for x in range(canvas.width):
            r, g, b = canvas.get(x, y)
            row += bytes((b, g, r))
        body += row + bytes(stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(body),
                       2835, 2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    return header + info + bytes(body)


def icon_image(rows):
    """One icon image: BITMAPINFOHEADER (double height), BGRA rows, AND mask."""
    size = len(rows)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask),
                       0, 0, 0, 0)
    return info + bytes(pixels) + bytes(mask)


def ico(sizes):
    images = [icon_image(icon_pixels(size)) for size in sizes]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, image in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image),
                               offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def png(rows, scale):
    """An RGBA PNG of rows of (r, g, b) or (r, g, b, a), enlarged by scale."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    height, width = len(rows) * scale, len(rows[0]) * scale
    raw = bytearray()
    for row in rows:
        line = bytearray(b"\0")
        for pixel in row:
            rgba = pixel if len(pixel) == 4 else pixel + (255,)
            line += bytes(rgba) * scale
        raw += bytes(line) * scale
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", metavar="FOLDER",
                        help="also write enlarged PNG previews into FOLDER")
    options = parser.parse_args()

    toolbar = strip(TOOLBAR, TOOLBAR_FACE)
    tree = strip(TREE, MAGENTA)
    write(os.path.join(RES, "toolbar.bmp"), bmp_24(toolbar))
    write(os.path.join(RES, "tree_images.bmp"), bmp_24(tree))
    write(os.path.join(RES, "qorva.ico"), ico([32, 16]))

    if options.preview:
        write(os.path.join(options.preview, "toolbar.png"), png(toolbar.pixels, 8))
        write(os.path.join(options.preview, "tree_images.png"), png(tree.pixels, 8))
        write(os.path.join(options.preview, "icon32.png"), png(icon_pixels(32), 8))
        write(os.path.join(options.preview, "icon16.png"), png(icon_pixels(16), 8))


if __name__ == "__main__":
    main()
