#!/usr/bin/env python3
"""Draws the sample media-player skin and writes it, unpacked, to
samples/skins/media-player/: skin.json plus one PNG per picture, the folder
form that `skintool pack` turns into a skin file (and `skintool unpack`
writes).

The skin has one container, MainWindow (360 x 240, rounded corners given as
its window polygon; the pixels outside it are magenta), with:

  Play, Stop, Previous, Next  round push buttons (window polygon), four states
  Shuffle                     a check box (Up, Down = checked, Focus, Disable)
  Help                        a shortcut to https://example.invalid/qorva/help
  Volume                      a horizontal fill-mode slider (empty, full)
  Tone                        a map-mode knob: a strip of 32 frames and a map
                              whose 32 colours run clockwise round the knob
  Playlist                    a list box with all 13 list bitmaps
  Drives                      a drive list with its 12 bitmaps
  Clock                       a text showing the time, in the title bar
  Reel                        a looping animation of 12 frames at 80 ms
  Spectrum                    a VU meter drawing 12 bars through a bitmap

Every picture is 24-bit and opaque; where a control's window is rectangular
the artwork has the background under it baked in, so it sits seamlessly at
its position. Only the Python standard library is used and the output is the
same on every run. Run from anywhere:

  scripts/make-sample-skin.py [--preview FILE.png]

--preview also writes a picture of MainWindow as the editor would show it
(controls composed at their positions, twice enlarged), for a quick look.
"""
import argparse
import hashlib
import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
OUT = os.path.join(ROOT, "samples", "skins", "media-player")

WIDTH, HEIGHT = 360, 240
CORNER = 12

# Object kinds and property block offsets of the skin model.
BUTTON, LISTBOX, SLIDER, DRIVELIST, TEXT, SHORTCUT, ANIMATION, CUSTOMSLIDER, VUMETER = (
    0, 1, 2, 3, 4, 5, 7, 8, 9)
BLOCK_SIZE = 256
RECT_AT, FONT_AT, COLOR1_AT, COLOR2_AT, CHECKBOX_AT = 0, 17, 111, 116, 126
TEXT_TYPE_AT, FRAME_INTERVAL_AT, REPEAT_AT = 0x79, 0x80, 0x85
SEGMENT_POS_AT, SEGMENT_SIZE_AT, VU_MODE_AT, BARS_AT = 0x89, 0x8C, 0x8F, 0x92
TEXT_TIME = 6  # "HH:MM:SS"
VU_BARS = 2

KEY = (255, 0, 255)
BODY_TOP = (70, 78, 100)
BODY_BOTTOM = (34, 38, 52)
TITLE_TOP = (34, 38, 52)
TITLE_BOTTOM = (24, 27, 38)
EDGE = (12, 14, 20)
HIGHLIGHT = (110, 120, 146)
LABEL = (150, 162, 190)
TITLE_TEXT = (196, 206, 228)
ACCENT = (72, 214, 160)
ACCENT_DARK = (30, 132, 96)
LCD_BACK = (14, 30, 24)
LCD_ON = (110, 250, 170)
LCD_GHOST = (20, 40, 31)
PANEL = (20, 23, 32)
PANEL_EDGE = (78, 88, 112)
TRACK = (28, 32, 44)
GROOVE = (14, 16, 22)
INK = (40, 46, 60)
DIM_FACE = (86, 90, 100)
DIM_INK = (116, 120, 130)

# Text colours of the list and the drive list (COLORREF: red in the low byte).
LIST_TEXT = (150, 236, 186)
LIST_SELECTED = (255, 244, 150)
DRIVE_TEXT = (220, 226, 240)

KNOB_FRAMES = 32


# --- Pictures ---------------------------------------------------------------------


class Canvas:
    """A width x height picture of (r, g, b) tuples, y downwards."""

    def __init__(self, width, height, color=(0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = [[color] * width for _ in range(height)]

    def get(self, x, y):
        return self.pixels[y][x]

    def set(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = color

    def blend(self, x, y, color, amount):
        if amount <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        if amount >= 1:
            self.pixels[y][x] = color
            return
        self.pixels[y][x] = mix(self.pixels[y][x], color, amount)

    def crop(self, left, top, width, height):
        part = Canvas(width, height)
        for y in range(height):
            part.pixels[y] = list(self.pixels[top + y][left:left + width])
        return part

    def copy(self):
        return self.crop(0, 0, self.width, self.height)

    def paste(self, other, left, top, mask=None):
        for y in range(other.height):
            for x in range(other.width):
                if mask is None or mask(x, y):
                    self.set(left + x, top + y, other.get(x, y))

    def fill(self, x0, y0, x1, y1, color):
        """Fills x0 <= x < x1, y0 <= y < y1."""
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.pixels[y][x] = color

    def shape(self, inside, color, box=None):
        """Paints the area where inside(x, y) holds, edges smoothed by 4 x 4
        samples per pixel. color is a colour or a function (x, y) -> colour."""
        x0, y0, x1, y1 = box if box else (0, 0, self.width, self.height)
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.width, int(math.ceil(x1))), min(self.height, int(math.ceil(y1)))
        paint = color if callable(color) else (lambda _x, _y: color)
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = 0
                for sy in SUBSAMPLES:
                    for sx in SUBSAMPLES:
                        if inside(x + sx, y + sy):
                            hits += 1
                if hits:
                    self.blend(x, y, paint(x + 0.5, y + 0.5), hits / 16.0)

    def text(self, left, top, string, color, scale=1):
        x = left
        for char in string:
            rows = FONT[char]
            for row, bits in enumerate(rows):
                for column, bit in enumerate(bits):
                    if bit == "#":
                        self.fill(x + column * scale, top + row * scale,
                                  x + (column + 1) * scale, top + (row + 1) * scale, color)
            x += 6 * scale

    def scaled(self, factor):
        big = Canvas(self.width * factor, self.height * factor)
        for y in range(big.height):
            row = self.pixels[y // factor]
            big.pixels[y] = [row[x // factor] for x in range(big.width)]
        return big


SUBSAMPLES = (0.125, 0.375, 0.625, 0.875)


def mix(a, b, t):
    return tuple(int(round(p + (q - p) * t)) for p, q in zip(a, b))


def shade(color, factor):
    return tuple(max(0, min(255, int(round(c * factor)))) for c in color)


def text_width(string, scale=1):
    return (6 * len(string) - 1) * scale


# Shapes: predicates over continuous coordinates.


def circle(cx, cy, radius):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def ring(cx, cy, inner, outer):
    return lambda x, y: inner * inner <= (x - cx) ** 2 + (y - cy) ** 2 <= outer * outer


def rounded(x0, y0, x1, y1, radius):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        count = len(points)
        for i in range(count):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % count]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                result = not result
        return result
    return inside


def stroke(ax, ay, bx, by, half_width):
    length = math.hypot(bx - ax, by - ay)
    ux, uy = (bx - ax) / length, (by - ay) / length

    def inside(x, y):
        px, py = x - ax, y - ay
        along = px * ux + py * uy
        across = -px * uy + py * ux
        return -half_width <= along <= length + half_width and abs(across) <= half_width
    return inside


def vertical(top_color, bottom_color, top, bottom):
    def color(_x, y):
        return mix(top_color, bottom_color, min(1.0, max(0.0, (y - top) / (bottom - top))))
    return color


def clock_angle(x, y, cx, cy):
    """Degrees clockwise from straight up, in (-180, 180]."""
    return math.degrees(math.atan2(x - cx, cy - y))


# A 5 x 7 pixel font for labels.
FONT = {
    " ": ["     "] * 7,
    "A": [" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"],
    "B": ["#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "],
    "C": [" ### ", "#   #", "#    ", "#    ", "#    ", "#   #", " ### "],
    "D": ["#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "],
    "E": ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"],
    "F": ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "],
    "G": [" ### ", "#   #", "#    ", "# ###", "#   #", "#   #", " ####"],
    "H": ["#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"],
    "I": [" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "],
    "K": ["#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"],
    "L": ["#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"],
    "M": ["#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"],
    "N": ["#   #", "#   #", "##  #", "# # #", "#  ##", "#   #", "#   #"],
    "O": [" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "],
    "P": ["#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "],
    "Q": [" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"],
    "R": ["#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"],
    "S": [" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "],
    "T": ["#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "],
    "U": ["#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "],
    "V": ["#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "],
    "W": ["#   #", "#   #", "#   #", "# # #", "# # #", "# # #", " # # "],
    "Y": ["#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "],
    "0": [" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "],
    "1": ["  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "],
    "2": [" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"],
    "3": ["#####", "   # ", "  #  ", "   # ", "    #", "#   #", " ### "],
    "4": ["   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "],
    "5": ["#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "],
    "6": ["  ## ", " #   ", "#    ", "#### ", "#   #", "#   #", " ### "],
    "7": ["#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "],
    "8": [" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "],
    "9": [" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "],
    ":": ["     ", "  #  ", "  #  ", "     ", "  #  ", "  #  ", "     "],
    "-": ["     ", "     ", "     ", "#####", "     ", "     ", "     "],
}

# Seven-segment digits for the display: segments a (top) b c d e f g (middle).
SEGMENTS = {
    "0": "abcdef", "1": "bc", "2": "abdeg", "3": "abcdg", "4": "bcfg",
    "5": "acdfg", "6": "acdefg", "7": "abc", "8": "abcdefg", "9": "abcdfg",
}


def seven_segment(canvas, left, top, digit, on, off, width=12, height=22, thick=3):
    half = height // 2
    bars = {
        "a": (left + thick, top, left + width - thick, top + thick),
        "g": (left + thick, top + half - thick // 2 - 1, left + width - thick,
              top + half - thick // 2 + thick - 1),
        "d": (left + thick, top + height - thick, left + width - thick, top + height),
        "f": (left, top + thick, left + thick, top + half - 1),
        "b": (left + width - thick, top + thick, left + width, top + half - 1),
        "e": (left, top + half + 1, left + thick, top + height - thick),
        "c": (left + width - thick, top + half + 1, left + width, top + height - thick),
    }
    for name, (x0, y0, x1, y1) in bars.items():
        canvas.fill(x0, y0, x1, y1, on if name in SEGMENTS[digit] else off)


# --- Layout -----------------------------------------------------------------------

PLAY_RECT = (70, 96, 106, 132)
STOP_RECT = (114, 96, 150, 132)
PREVIOUS_RECT = (26, 96, 62, 132)
NEXT_RECT = (158, 96, 194, 132)
SHUFFLE_RECT = (14, 144, 90, 162)
HELP_RECT = (304, 4, 348, 19)
VOLUME_RECT = (14, 190, 134, 204)
KNOB_RECT = (152, 142, 200, 190)
PLAYLIST_RECT = (220, 40, 348, 150)
DRIVES_RECT = (220, 168, 348, 228)
LCD_RECT = (12, 30, 208, 88)
CLOCK_RECT = (236, 4, 296, 19)
SPECTRUM_RECT = (124, 52, 200, 82)
REEL_RECT = (102, 144, 142, 184)
REEL_FRAMES = 12

BUTTON_SIZE = 36
SCROLL_WIDTH = 12


def size_of(rect):
    return rect[2] - rect[0], rect[3] - rect[1]


def window_polygon():
    """The main window's outline: a rectangle with rounded corners."""
    points = []
    corners = ((WIDTH - CORNER, CORNER, -90), (WIDTH - CORNER, HEIGHT - CORNER, 0),
               (CORNER, HEIGHT - CORNER, 90), (CORNER, CORNER, 180))
    for cx, cy, start in corners:
        for step in range(5):
            angle = math.radians(start + step * 22.5)
            points.append((int(round(cx + CORNER * math.cos(angle))),
                           int(round(cy + CORNER * math.sin(angle)))))
    return points


def button_polygon():
    """A round button's window shape: a 24-sided polygon in its 36 x 36 box."""
    centre = BUTTON_SIZE / 2
    points = []
    for step in range(24):
        angle = 2 * math.pi * step / 24
        points.append((int(round(centre + centre * math.cos(angle))),
                       int(round(centre + centre * math.sin(angle)))))
    return points


# --- Background -------------------------------------------------------------------


def draw_background():
    canvas = Canvas(WIDTH, HEIGHT, KEY)
    outline = polygon(window_polygon())
    inside = [[outline(x + 0.5, y + 0.5) for x in range(WIDTH)] for y in range(HEIGHT)]
    body = vertical(BODY_TOP, BODY_BOTTOM, 22, HEIGHT)
    title = vertical(TITLE_TOP, TITLE_BOTTOM, 0, 22)
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if inside[y][x]:
                canvas.pixels[y][x] = title(x, y) if y < 22 else body(x, y)
    # A light line under the title bar, a dark rim round the window.
    for x in range(WIDTH):
        if inside[22][x]:
            canvas.pixels[22][x] = HIGHLIGHT
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if inside[y][x] and any(
                    not (0 <= x + dx < WIDTH and 0 <= y + dy < HEIGHT) or not inside[y + dy][x + dx]
                    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                canvas.pixels[y][x] = EDGE

    canvas.shape(circle(19, 11, 5), ACCENT)
    canvas.shape(circle(19, 11, 2.5), TITLE_TOP)
    canvas.text(30, 8, "QORVA PLAYER", TITLE_TEXT)

    draw_display(canvas)
    draw_panel(canvas, PLAYLIST_RECT)
    draw_panel(canvas, DRIVES_RECT)
    canvas.text(PLAYLIST_RECT[0] + 2, PLAYLIST_RECT[1] - 10, "PLAYLIST", LABEL)
    canvas.text(DRIVES_RECT[0] + 2, DRIVES_RECT[1] - 10, "DRIVES", LABEL)
    canvas.text(VOLUME_RECT[0], VOLUME_RECT[1] - 11, "VOLUME", LABEL)
    knob_middle = (KNOB_RECT[0] + KNOB_RECT[2]) // 2
    canvas.text(knob_middle - text_width("TONE") // 2, KNOB_RECT[3] + 4, "TONE", LABEL)
    # A speaker grille along the bottom left.
    for row in range(3):
        y = 214 + row * 5
        canvas.shape(rounded(20, y, 200, y + 2, 1), shade(BODY_BOTTOM, 0.55))
    return canvas


def draw_panel(canvas, rect):
    """A recessed panel under a list: flat inside, so controls drawn on it blend in."""
    x0, y0, x1, y1 = rect
    canvas.shape(rounded(x0 - 1, y0 - 1, x1 + 1, y1 + 1, 5), EDGE)
    canvas.shape(rounded(x0, y0, x1, y1, 4), PANEL_EDGE)
    canvas.shape(rounded(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 3), PANEL)


def draw_display(canvas):
    x0, y0, x1, y1 = LCD_RECT
    canvas.shape(rounded(x0 - 1, y0 - 1, x1 + 1, y1 + 1, 6), EDGE)
    canvas.shape(rounded(x0, y0, x1, y1, 5), vertical(LCD_BACK, shade(LCD_BACK, 0.7), y0, y1))
    canvas.text(x0 + 8, y0 + 7, "NOW PLAYING", ACCENT_DARK)
    canvas.text(x0 + 8, y0 + 18, "TRACK 03 - SUNRISE", LCD_ON)
    left = x0 + 8
    for char in "03:27":
        if char == ":":
            canvas.fill(left + 1, y0 + 34, left + 4, y0 + 37, LCD_ON)
            canvas.fill(left + 1, y0 + 42, left + 4, y0 + 45, LCD_ON)
            left += 6
            continue
        seven_segment(canvas, left, y0 + 29, char, LCD_ON, LCD_GHOST)
        left += 16
    canvas.text(x1 - 44, y0 + 7, "STEREO", ACCENT_DARK)


# --- Controls ---------------------------------------------------------------------

BUTTON_STATES = ("up", "down", "focus", "disable")


def transport_icon(name, offset):
    """The icon shapes of a transport button, moved by offset pixels."""
    o = offset
    if name == "play":
        return [polygon([(14 + o, 10 + o), (14 + o, 26 + o), (27 + o, 18 + o)])]
    if name == "stop":
        return [rounded(12 + o, 12 + o, 24 + o, 24 + o, 1.5)]
    if name == "previous":
        return [rounded(10 + o, 12 + o, 13 + o, 24 + o, 0.5),
                polygon([(19 + o, 12 + o), (19 + o, 24 + o), (13 + o, 18 + o)]),
                polygon([(26 + o, 12 + o), (26 + o, 24 + o), (20 + o, 18 + o)])]
    return [rounded(23 + o, 12 + o, 26 + o, 24 + o, 0.5),
            polygon([(17 + o, 12 + o), (17 + o, 24 + o), (23 + o, 18 + o)]),
            polygon([(10 + o, 12 + o), (10 + o, 24 + o), (16 + o, 18 + o)])]


def draw_transport_button(backdrop, name, state):
    canvas = backdrop.copy()
    c = BUTTON_SIZE / 2
    if state == "disable":
        canvas.shape(circle(c, c, 17.5), shade(DIM_FACE, 0.7))
        canvas.shape(circle(c, c, 14), DIM_FACE)
        ink, offset = DIM_INK, 0
    else:
        rim_top, rim_bottom = (214, 220, 232), (104, 112, 132)
        face_top, face_bottom = (182, 190, 206), (138, 146, 164)
        ink, offset = INK, 0
        if state == "focus":
            canvas.shape(circle(c, c, 18), ACCENT)
            face_top, face_bottom = (204, 226, 222), (150, 176, 172)
            ink = ACCENT_DARK
        if state == "down":
            face_top, face_bottom = (104, 112, 130), (160, 168, 186)
            ink, offset = ACCENT_DARK, 1
        rim = circle(c, c, 16.5 if state == "focus" else 17.5)
        canvas.shape(rim, vertical(rim_top, rim_bottom, 1, BUTTON_SIZE - 1))
        canvas.shape(circle(c, c, 14), vertical(face_top, face_bottom, 4, BUTTON_SIZE - 4))
    for piece in transport_icon(name, offset):
        canvas.shape(piece, ink)
    return canvas


def draw_check_box(backdrop, state):
    canvas = backdrop.copy()
    w, h = canvas.width, canvas.height
    dim = state == "disable"
    edge = ACCENT if state == "focus" else (shade(PANEL_EDGE, 0.7) if dim else PANEL_EDGE)
    canvas.shape(rounded(0, 0, w, h, 4), edge)
    canvas.shape(rounded(1, 1, w - 1, h - 1, 3), shade(PANEL, 1.3) if dim else PANEL)
    if state == "down":
        canvas.shape(rounded(3, 3, 15, 15, 3), shade(ACCENT, 0.5))
        canvas.shape(rounded(5, 5, 13, 13, 2), ACCENT)
        text = LIST_SELECTED
    elif dim:
        canvas.shape(rounded(5, 5, 13, 13, 2), DIM_FACE)
        text = DIM_INK
    else:
        canvas.shape(rounded(5, 5, 13, 13, 2), (40, 62, 54))
        text = TITLE_TEXT if state == "focus" else LABEL
    canvas.text(19, 6, "SHUFFLE", text)
    return canvas


def draw_help(backdrop, state):
    canvas = backdrop.copy()
    w, h = canvas.width, canvas.height
    fill, edge, ink, offset = (52, 60, 80), (104, 114, 144), TITLE_TEXT, 0
    if state == "focus":
        fill, edge, ink = (60, 72, 96), ACCENT, ACCENT
    elif state == "down":
        fill, edge, ink, offset = (28, 34, 48), ACCENT_DARK, ACCENT, 1
    elif state == "disable":
        fill, edge, ink = (44, 48, 58), (66, 70, 80), (92, 96, 106)
    canvas.shape(rounded(0, 0, w, h, 7), edge)
    canvas.shape(rounded(1, 1, w - 1, h - 1, 6), fill)
    canvas.text((w - text_width("HELP")) // 2 + offset, 4 + offset, "HELP", ink)
    return canvas


def draw_volume(backdrop, full):
    canvas = backdrop.copy()
    w = canvas.width
    canvas.shape(rounded(0, 3, w, 11, 4), EDGE)
    if full:
        def level(x, y):
            along = mix((40, 170, 120), (240, 214, 90), x / w)
            return mix(along, (255, 255, 255), 0.35) if y < 6 else along
        canvas.shape(rounded(1, 4, w - 1, 10, 3), level)
    else:
        canvas.shape(rounded(1, 4, w - 1, 10, 3), GROOVE)
        for x in range(10, w, 10):
            canvas.fill(x, 6, x + 1, 8, (44, 50, 64))
    return canvas


KNOB_SWEEP = 135.0


def knob_angle(frame):
    return -KNOB_SWEEP + 2 * KNOB_SWEEP * frame / (KNOB_FRAMES - 1)


def draw_knob_strip(backdrop):
    """KNOB_FRAMES frames side by side: the pointer and the lit arc turn
    clockwise from lower left (frame 0) to lower right (the last frame)."""
    size = backdrop.width
    c = size / 2
    body = backdrop.copy()
    body.shape(ring(c, c, 18.5, 22.5), GROOVE)
    body.shape(circle(c, c + 1, 16), shade(BODY_BOTTOM, 0.5))
    body.shape(circle(c, c, 15.5), vertical((208, 214, 228), (96, 104, 124), c - 15, c + 15))
    body.shape(circle(c, c, 12.5), vertical((150, 158, 176), (184, 192, 208), c - 12, c + 12))
    strip = Canvas(size * KNOB_FRAMES, size)
    for frame in range(KNOB_FRAMES):
        face = body.copy()
        limit = knob_angle(frame)

        def lit(x, y, limit=limit):
            if not ring(c, c, 19.5, 21.5)(x, y):
                return False
            angle = clock_angle(x, y, c, c)
            return -KNOB_SWEEP <= angle <= limit
        face.shape(lit, ACCENT)
        radians = math.radians(limit)
        dx, dy = math.sin(radians), -math.cos(radians)
        face.shape(stroke(c + 5 * dx, c + 5 * dy, c + 11 * dx, c + 11 * dy, 1.4), INK)
        strip.paste(face, frame * size, 0)
    return strip


def knob_map_color(frame):
    """The map colour of a frame: its blue grows with the frame, so the
    colours sort (as 0x00BBGGRR keys) in frame order; never black or white."""
    return (255 - 7 * frame, 80 + 4 * frame, 16 + 7 * frame)


def draw_knob_map(size):
    """Which frame each point of the knob selects: the angle round the
    centre, the dead zone below the knob split to the two ends, black (no
    frame) in the middle."""
    canvas = Canvas(size, size)
    c = size / 2
    for y in range(size):
        for x in range(size):
            if math.hypot(x + 0.5 - c, y + 0.5 - c) < 4:
                continue
            angle = clock_angle(x + 0.5, y + 0.5, c, c)
            position = (angle + KNOB_SWEEP) / (2 * KNOB_SWEEP) * (KNOB_FRAMES - 1)
            frame = min(KNOB_FRAMES - 1, max(0, int(round(position))))
            canvas.pixels[y][x] = knob_map_color(frame)
    return canvas


def draw_list_background(backdrop):
    return backdrop.copy()  # the panel is part of the window background


def draw_track():
    canvas = Canvas(SCROLL_WIDTH, 16, TRACK)
    canvas.fill(0, 0, 1, 16, PANEL_EDGE)
    canvas.fill(5, 0, 7, 16, GROOVE)
    return canvas


def draw_thumb(state):
    canvas = Canvas(SCROLL_WIDTH, 24, TRACK)
    canvas.fill(0, 0, 1, 24, PANEL_EDGE)
    fill = {"normal": (120, 130, 156), "focus": ACCENT, "disable": (58, 64, 80)}[state]
    canvas.shape(rounded(2, 1, 11, 23, 3), fill)
    if state != "disable":
        for y in (9, 12, 15):
            canvas.fill(4, y, 9, y + 1, shade(fill, 0.6))
    return canvas


def arrow_colors(state):
    return {
        "up": ((70, 78, 100), (200, 206, 220)),
        "down": ((40, 46, 60), ACCENT),
        "focus": ((86, 96, 122), ACCENT),
        "disable": ((44, 48, 60), (80, 86, 100)),
    }[state]


def draw_scroll_arrow(pointing_up, state):
    canvas = Canvas(SCROLL_WIDTH, 12, TRACK)
    canvas.fill(0, 0, 1, 12, PANEL_EDGE)
    fill, ink = arrow_colors(state)
    canvas.shape(rounded(2, 1, 11, 11, 2), fill)
    if pointing_up:
        canvas.shape(polygon([(3.5, 8), (9.5, 8), (6.5, 4)]), ink)
    else:
        canvas.shape(polygon([(3.5, 4), (9.5, 4), (6.5, 8)]), ink)
    return canvas


def draw_drive_arrow(pointing_up, state):
    canvas = Canvas(40, 8, PANEL)
    fill, ink = arrow_colors(state)
    canvas.shape(rounded(0, 0, 40, 8, 3), fill)
    if pointing_up:
        canvas.shape(polygon([(16, 6.5), (24, 6.5), (20, 1.5)]), ink)
    else:
        canvas.shape(polygon([(16, 1.5), (24, 1.5), (20, 6.5)]), ink)
    return canvas


def draw_drive_button():
    canvas = Canvas(96, 18, PANEL)
    canvas.shape(rounded(0, 0, 96, 18, 4), (96, 106, 134))
    canvas.shape(rounded(1, 1, 95, 17, 3), vertical((66, 74, 96), (44, 50, 66), 1, 17))
    canvas.shape(rounded(5, 4, 15, 14, 1.5), (150, 158, 178))
    canvas.fill(7, 10, 13, 12, (60, 66, 84))
    canvas.shape(circle(13, 6.5, 1), ACCENT)
    return canvas


def draw_reel(backdrop, frame):
    """A tape reel that turns by a twelfth of its spokes' period per frame."""
    canvas = backdrop.copy()
    c = canvas.width / 2.0
    canvas.shape(circle(c, c, 19), EDGE)
    canvas.shape(ring(c, c, 5, 18), vertical(HIGHLIGHT, PANEL_EDGE, 2, 38))
    canvas.shape(circle(c, c, 5), PANEL)
    for spoke in range(3):
        angle = 2 * math.pi * (spoke / 3.0 + frame / (3.0 * REEL_FRAMES))
        x, y = c + 15 * math.cos(angle), c + 15 * math.sin(angle)
        canvas.shape(circle(x, y, 3.2), PANEL)
    canvas.shape(circle(c, c, 2), ACCENT)
    return canvas


def draw_spectrum_bars():
    """What the spectrum's bars show through: lit cells, hot at the top."""
    w, h = size_of(SPECTRUM_RECT)
    canvas = Canvas(w, h, LCD_GHOST)
    for y in range(h):
        if y % 3 == 2:
            continue
        canvas.fill(0, y, w, y + 1, mix(ACCENT, LCD_ON, y / float(h)))
    return canvas


def draw_led(on):
    canvas = Canvas(8, 8, PANEL)
    canvas.shape(circle(4, 4, 3.6), ACCENT if on else (30, 60, 48))
    if on:
        canvas.shape(circle(3.2, 3.2, 1.3), (210, 255, 230))
    return canvas


# --- Property blocks and skin.json --------------------------------------------------


def colorref(rgb):
    return rgb[0] | rgb[1] << 8 | rgb[2] << 16


def logfont(face, height, weight=400):
    """A LOGFONTA: five LONGs, eight BYTEs, a 32-byte face name."""
    return struct.pack("<5i8B32s", height, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0,
                       face.encode("ascii"))


def block(rect, font=None, color1=None, color2=None, check_box=False, fields=()):
    """fields: (offset, struct format, value) of the kinds' own properties."""
    data = bytearray(BLOCK_SIZE)
    struct.pack_into("<4i", data, RECT_AT, *rect)
    if font is not None:
        data[FONT_AT:FONT_AT + len(font)] = font
    if color1 is not None:
        struct.pack_into("<I", data, COLOR1_AT, colorref(color1))
    if color2 is not None:
        struct.pack_into("<I", data, COLOR2_AT, colorref(color2))
    if check_box:
        data[CHECKBOX_AT] = 1
    for offset, layout, value in fields:
        struct.pack_into(layout, data, offset, value)
    return data.hex()


class Folder:
    """Collects the pictures of the skin and writes them as PNG files."""

    def __init__(self):
        self.files = {}

    def image(self, name, canvas):
        file_name = name + ".png"
        assert file_name not in self.files, file_name
        self.files[file_name] = canvas
        return {
            "width": canvas.width,
            "height": canvas.height,
            "bpp": 24,
            "pixels": rgba_digest(canvas),
            "file": file_name,
        }


def rgba_digest(canvas):
    """SHA-256 of the picture's RGBA rows, top row first (as skintool dumps it)."""
    digest = hashlib.sha256()
    for row in canvas.pixels:
        digest.update(bytes(value for r, g, b in row for value in (r, g, b, 255)))
    return digest.hexdigest()


def skin_object(name, kind, rect, images, target="", polygon_points=(), **block_fields):
    return {
        "name": name,
        "kind": kind,
        "target": target,
        "visible": 1,
        "orientation": 0,
        "region": None,
        "polygon": [list(p) for p in polygon_points],
        "mouse": [],
        "block": block(rect, **block_fields),
        "images": images,
    }


def build_skin():
    folder = Folder()
    background = draw_background()

    def backdrop(rect):
        w, h = size_of(rect)
        return background.crop(rect[0], rect[1], w, h)

    objects = []
    round_shape = button_polygon()
    for name, rect in (("Play", PLAY_RECT), ("Stop", STOP_RECT), ("Previous", PREVIOUS_RECT),
                       ("Next", NEXT_RECT)):
        key = name.lower()
        images = [folder.image("%s-%s" % (key, state),
                               draw_transport_button(backdrop(rect), key, state))
                  for state in BUTTON_STATES]
        objects.append(skin_object(name, BUTTON, rect, images, polygon_points=round_shape))

    images = [folder.image("shuffle-" + state, draw_check_box(backdrop(SHUFFLE_RECT), state))
              for state in BUTTON_STATES]
    objects.append(skin_object("Shuffle", BUTTON, SHUFFLE_RECT, images, check_box=True))

    images = [folder.image("help-" + state, draw_help(backdrop(HELP_RECT), state))
              for state in BUTTON_STATES]
    objects.append(skin_object("Help", SHORTCUT, HELP_RECT, images,
                               target="https://example.invalid/qorva/help"))

    images = [folder.image("volume-empty", draw_volume(backdrop(VOLUME_RECT), False)),
              folder.image("volume-full", draw_volume(backdrop(VOLUME_RECT), True))]
    objects.append(skin_object("Volume", SLIDER, VOLUME_RECT, images))

    knob_size = size_of(KNOB_RECT)[0]
    images = [folder.image("tone-segments", draw_knob_strip(backdrop(KNOB_RECT))),
              folder.image("tone-map", draw_knob_map(knob_size))]
    objects.append(skin_object("Tone", CUSTOMSLIDER, KNOB_RECT, images))

    font = logfont("Tahoma", -11)
    images = [folder.image("playlist-background", draw_list_background(backdrop(PLAYLIST_RECT))),
              folder.image("playlist-scroll-background", draw_track())]
    images += [folder.image("playlist-slider-" + state, draw_thumb(state))
               for state in ("normal", "focus", "disable")]
    images += [folder.image("playlist-arrow-up-" + state, draw_scroll_arrow(True, state))
               for state in BUTTON_STATES]
    images += [folder.image("playlist-arrow-down-" + state, draw_scroll_arrow(False, state))
               for state in BUTTON_STATES]
    objects.append(skin_object("Playlist", LISTBOX, PLAYLIST_RECT, images, font=font,
                               color1=LIST_TEXT, color2=LIST_SELECTED))

    images = [folder.image("drives-background", draw_list_background(backdrop(DRIVES_RECT)))]
    images += [folder.image("drives-arrow-up-" + state, draw_drive_arrow(True, state))
               for state in BUTTON_STATES]
    images += [folder.image("drives-arrow-down-" + state, draw_drive_arrow(False, state))
               for state in BUTTON_STATES]
    images += [folder.image("drives-button", draw_drive_button()),
               folder.image("drives-led-on", draw_led(True)),
               folder.image("drives-led-off", draw_led(False))]
    objects.append(skin_object("Drives", DRIVELIST, DRIVES_RECT, images, font=font,
                               color1=DRIVE_TEXT))

    objects.append(skin_object("Clock", TEXT, CLOCK_RECT,
                               [folder.image("clock-background", backdrop(CLOCK_RECT))],
                               font=logfont("Tahoma", -11, 700), color1=TITLE_TEXT,
                               fields=((TEXT_TYPE_AT, "<I", TEXT_TIME),)))

    images = [folder.image("reel-%02d" % frame, draw_reel(backdrop(REEL_RECT), frame))
              for frame in range(REEL_FRAMES)]
    objects.append(skin_object("Reel", ANIMATION, REEL_RECT, images,
                               fields=((FRAME_INTERVAL_AT, "<I", 80), (REPEAT_AT, "<B", 1))))

    # Bars over the lower quarter of the spectrum, where music is.
    images = [folder.image("spectrum-background", backdrop(SPECTRUM_RECT)),
              folder.image("spectrum-bars", draw_spectrum_bars())]
    objects.append(skin_object("Spectrum", VUMETER, SPECTRUM_RECT, images, color1=LCD_BACK,
                               color2=LCD_ON,
                               fields=((SEGMENT_POS_AT, "<H", 0), (SEGMENT_SIZE_AT, "<H", 256),
                                       (VU_MODE_AT, "<H", VU_BARS), (BARS_AT, "<H", 12))))

    check_layout(objects)
    container = {
        "name": "MainWindow",
        "offset": [0, 0],
        "background": folder.image("background", background),
        "region": None,
        "polygon": [list(p) for p in window_polygon()],
        "block": bytes(BLOCK_SIZE).hex(),
        "objects": objects,
    }
    return {"containers": [container]}, folder


def rect_of(obj):
    return struct.unpack_from("<4i", bytes.fromhex(obj["block"]), RECT_AT)


def check_layout(objects):
    """Every control lies inside the window's rounded outline, no two overlap,
    and each rectangle has the size of the pictures drawn for it."""
    outline = polygon(window_polygon())
    rects = [(obj["name"], rect_of(obj)) for obj in objects]
    for name, (x0, y0, x1, y1) in rects:
        for x, y in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)):
            assert outline(x, y), "%s leaves the window" % name
    for i, (name, a) in enumerate(rects):
        for other, b in rects[i + 1:]:
            apart = a[2] <= b[0] or b[2] <= a[0] or a[3] <= b[1] or b[3] <= a[1]
            assert apart, "%s overlaps %s" % (name, other)
    for obj, (name, rect) in zip(objects, rects):
        first = obj["images"][0]
        w, h = size_of(rect)
        if obj["kind"] == CUSTOMSLIDER:
            assert first["height"] == h and first["width"] == w * KNOB_FRAMES, name
        else:
            assert (first["width"], first["height"]) == (w, h), name


def compact(value):
    if value is None:
        return "null"
    if isinstance(value, str):
        return '"' + value.replace("\\", "\\\\").replace('"', '\\"') + '"'
    if isinstance(value, int):
        return str(value)
    if isinstance(value, list):
        return "[" + ",".join(compact(v) for v in value) + "]"
    return "{" + ",".join(compact(k) + ":" + compact(v) for k, v in value.items()) + "}"


def indented(value, depth=0):
    """The layout skintool unpack writes: two spaces per level, lists of
    numbers and empty lists on one line."""
    structured = isinstance(value, (list, dict))
    numbers = isinstance(value, list) and all(isinstance(v, int) for v in value)
    if not structured or not value or numbers:
        return compact(value)
    pad = "\n" + "  " * (depth + 1)
    if isinstance(value, dict):
        items = [compact(k) + ": " + indented(v, depth + 1) for k, v in value.items()]
        return "{" + ",".join(pad + item for item in items) + "\n" + "  " * depth + "}"
    items = [indented(v, depth + 1) for v in value]
    return "[" + ",".join(pad + item for item in items) + "\n" + "  " * depth + "]"


# --- PNG --------------------------------------------------------------------------


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filtered_rows(canvas):
    """Each row with the PNG filter that leaves the smallest residues."""
    previous = bytes(canvas.width * 3)
    out = []
    for row in canvas.pixels:
        raw = bytes(value for pixel in row for value in pixel)
        left = bytes(3) + raw[:-3]
        up_left = bytes(3) + previous[:-3]
        candidates = [
            raw,
            bytes((r - l) & 255 for r, l in zip(raw, left)),
            bytes((r - u) & 255 for r, u in zip(raw, previous)),
            bytes((r - (l + u) // 2) & 255 for r, l, u in zip(raw, left, previous)),
            bytes((r - paeth(l, u, ul)) & 255
                  for r, l, u, ul in zip(raw, left, previous, up_left)),
        ]
        costs = [sum(v if v < 128 else 256 - v for v in data) for data in candidates]
        best = costs.index(min(costs))
        out.append(bytes([best]) + candidates[best])
        previous = raw
    return b"".join(out)


def png_bytes(canvas):
    def chunk(kind, data):
        body = kind + data
        crc = zlib.crc32(body) & 0xFFFFFFFF
        return struct.pack(">I", len(data)) + body + struct.pack(">I", crc)

    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(filtered_rows(canvas), 9)) + chunk(b"IEND", b""))


# --- Preview ----------------------------------------------------------------------


def preview(skin, folder):
    """MainWindow roughly as the live editor shows it: pictures composed at
    their positions, pixel-font rows standing in for the list texts."""
    container = skin["containers"][0]
    files = folder.files
    picture = files[container["background"]["file"]].copy()
    for obj in container["objects"]:
        x0, y0, x1, y1 = rect_of(obj)
        images = [files[i["file"]] for i in obj["images"]]
        kind = obj["kind"]
        if kind in (BUTTON, SHORTCUT):
            shape = polygon(obj["polygon"]) if obj["polygon"] else None
            picture.paste(images[0], x0, y0,
                          None if shape is None else (lambda x, y, s=shape: s(x + 0.5, y + 0.5)))
        elif kind == SLIDER:
            fill = (x1 - x0) * 60 // 100
            picture.paste(images[0], x0, y0)
            picture.paste(images[1].crop(0, 0, fill, y1 - y0), x0, y0)
        elif kind == CUSTOMSLIDER:
            w = x1 - x0
            picture.paste(images[0].crop(w * (KNOB_FRAMES // 2), 0, w, y1 - y0), x0, y0)
        elif kind == LISTBOX:
            picture.paste(images[0], x0, y0)
            track_x = x1 - SCROLL_WIDTH
            for y in range(y0, y1, images[1].height):
                part = images[1].crop(0, 0, SCROLL_WIDTH, min(images[1].height, y1 - y))
                picture.paste(part, track_x, y)
            picture.paste(images[5], track_x, y0)
            picture.paste(images[9], track_x, y1 - images[9].height)
            picture.paste(images[2], track_x, y0 + images[5].height + 4)
            for row in range(8):
                color = LIST_SELECTED if row == 2 else LIST_TEXT
                picture.text(x0 + 4, y0 + 5 + row * 13, "ITEM %d" % (row + 1), color)
        elif kind == DRIVELIST:
            picture.paste(images[0], x0, y0)
            button, led = images[9], images[11]
            left = x0 + (x1 - x0) // 2 - (button.width + led.width) // 2
            for row in range(2):
                top = y0 + 5 + (button.height + 5) * row
                picture.paste(button, left, top)
                lamp = images[10] if row == 0 else led
                picture.paste(lamp, left + button.width, top + button.height // 2 - led.height // 2)
                label = "DRIVE %d" % (row + 1)
                picture.text(left + (button.width - text_width(label)) // 2, top + 6, label,
                             DRIVE_TEXT)
            arrow = images[5]
            picture.paste(arrow, x0 + (x1 - x0) // 2 - arrow.width // 2, y1 - arrow.height)
        elif kind == TEXT:
            picture.paste(images[0], x0, y0)
            picture.text(x0 + 6, y0 + 4, "12:34:56", TITLE_TEXT)
        elif kind == ANIMATION:
            picture.paste(images[0], x0, y0)
        elif kind == VUMETER:
            picture.paste(images[0], x0, y0)
            bars = images[1]
            for i, level in enumerate((9, 14, 20, 16, 11, 18, 22, 13, 8, 12, 6, 4)):
                column = bars.crop(i * 6, bars.height - level, 5, level)
                picture.paste(column, x0 + i * 6, y1 - level)
    outline = polygon(container["polygon"])
    for y in range(picture.height):
        for x in range(picture.width):
            if not outline(x + 0.5, y + 0.5):
                picture.pixels[y][x] = (255, 255, 255)
    return picture.scaled(2)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", metavar="FILE", help="also write a picture of MainWindow")
    arguments = parser.parse_args()
    skin, folder = build_skin()
    os.makedirs(OUT, exist_ok=True)
    for name in os.listdir(OUT):  # pictures of an earlier layout
        if name.endswith(".png") and name not in folder.files:
            os.remove(os.path.join(OUT, name))
    for name, canvas in sorted(folder.files.items()):
        with open(os.path.join(OUT, name), "wb") as out:
            out.write(png_bytes(canvas))
    with open(os.path.join(OUT, "skin.json"), "w", encoding="utf-8", newline="\n") as out:
        out.write(indented(skin) + "\n")
    if arguments.preview:
        with open(arguments.preview, "wb") as out:
            out.write(png_bytes(preview(skin, folder)))


if __name__ == "__main__":
    main()
