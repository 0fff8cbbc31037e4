#!/usr/bin/env python3
"""Draws the sample installer's pictures and writes them to samples/installer/art/.

  side.png    140 x 360, the welcome and finish pages' side panel: a deep blue
              to teal gradient with light rings, opaque
  logo.png    48 x 48, the Qorva mark: a ring with a tail, alpha-blended edges
              (straight alpha) so it sits on any background
  header.bmp  520 x 56, 24-bit, the banner across the top of the inner pages

Only the Python standard library is used. Run from anywhere:

  scripts/make-installer-art.py
"""
import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
ART = os.path.join(ROOT, "samples", "installer", "art")


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def write_png(path, width, height, rgba):
    """rgba: function (x, y) -> (r, g, b, a)."""
    raw = b"".join(b"\0" + bytes(c for x in range(width) for c in rgba(x, y)) for y in range(height))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(data)


def write_bmp(path, width, height, rgb):
    """24-bit bottom-up BMP; rgb: function (x, y) -> (r, g, b), y from the top."""
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(height - 1, -1, -1):
        row = b"".join(bytes((b, g, r)) for r, g, b in (rgb(x, y) for x in range(width)))
        rows.append(row + bytes(stride - len(row)))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    with open(path, "wb") as out:
        out.write(b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + pixels)


def coverage(distance, width=1.0):
    """Anti-aliased edge: 1 inside, 0 outside, a ramp of `width` pixels."""
    return max(0.0, min(1.0, 0.5 - distance / width))


DEEP = (18, 42, 96)
TEAL = (24, 140, 150)
LIGHT = (220, 240, 245)


def side(x, y):
    base = lerp(DEEP, TEAL, y / 359.0)
    # Three light rings around a point low on the panel.
    d = math.hypot(x - 70, y - 250)
    glow = 0.0
    for radius in (30, 52, 74):
        glow = max(glow, coverage(abs(d - radius) - 1.5) * (0.55 - radius / 200.0))
    return lerp(base, LIGHT, glow) + (255,)


def logo(x, y):
    cx, cy = 23.5, 21.5
    d = math.hypot(x - cx, y - cy)
    ring = coverage(abs(d - 14) - 3.5)
    # The tail: a short stroke leaving the ring at the lower right.
    tx, ty = x - cx, y - cy
    along = (tx + ty) / math.sqrt(2)
    across = (tx - ty) / math.sqrt(2)
    tail = coverage(abs(across) - 3.0) * coverage(abs(along - 20) - 5.0)
    alpha = max(ring, tail)
    colour = lerp(TEAL, DEEP, min(1.0, d / 24.0))
    return colour + (int(round(alpha * 255)),)


def header(x, y):
    t = x / 519.0
    base = lerp(LIGHT, (255, 255, 255), t)
    # A thin teal rule along the bottom edge.
    if y >= 53:
        return TEAL
    return base


def main():
    os.makedirs(ART, exist_ok=True)
    write_png(os.path.join(ART, "side.png"), 140, 360, side)
    write_png(os.path.join(ART, "logo.png"), 48, 48, logo)
    write_bmp(os.path.join(ART, "header.bmp"), 520, 56, header)


if __name__ == "__main__":
    main()
