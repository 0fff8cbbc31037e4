#!/usr/bin/env python3
"""Writes the small seed inputs of the image fuzz targets.

tests/fuzz/corpus/fuzz_bmp/ and tests/fuzz/corpus/fuzz_png/ get one file per
layout the readers handle (depths, headers, compressions, colour types,
transparency, interlacing). Run from anywhere; the files are committed.
"""
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
CORPUS = os.path.join(ROOT, "tests", "fuzz", "corpus")


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


# --- BMP -----------------------------------------------------------------

def info_header(width, height, bits, compression=0, colors=0, size=40):
    header = struct.pack("<IiiHHIIiiII", size, width, height, 1, bits, compression, 0,
                         2835, 2835, colors, 0)
    return header + bytes(size - 40)


def file_header(total, offset):
    return b"BM" + struct.pack("<IHHI", total, 0, 0, offset)


def bmp(info, palette, pixels, extra=b""):
    offset = 14 + len(info) + len(extra) + len(palette)
    return file_header(offset + len(pixels), offset) + info + extra + palette + pixels


def grey_palette(count, entry=4):
    out = b""
    for i in range(count):
        level = i * 255 // max(count - 1, 1)
        out += bytes([level, level, level]) + (b"\0" if entry == 4 else b"")
    return out


def rows(width, height, bits, value):
    stride = (width * bits + 31) // 32 * 4
    return b"".join(bytes((value(x, y) & 0xFF for x in range(stride))) for y in range(height))


def bmp_seeds():
    w, h = 5, 3
    write("fuzz_bmp", "1bit.bmp", bmp(info_header(w, h, 1), grey_palette(2), rows(w, h, 1, lambda x, y: 0xA5)))
    write("fuzz_bmp", "4bit.bmp", bmp(info_header(w, h, 4), grey_palette(16), rows(w, h, 4, lambda x, y: x * 17 + y)))
    write("fuzz_bmp", "8bit_16colors.bmp", bmp(info_header(w, h, 8, colors=16), grey_palette(16), rows(w, h, 8, lambda x, y: x + y)))
    write("fuzz_bmp", "24bit_topdown.bmp", bmp(info_header(w, -h, 24), b"", rows(w, h, 24, lambda x, y: x * 40 + y)))
    write("fuzz_bmp", "32bit.bmp", bmp(info_header(w, h, 32), b"", rows(w, h, 32, lambda x, y: x * 7 + y)))
    masks = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    write("fuzz_bmp", "16bit_565.bmp", bmp(info_header(w, h, 16, 3), b"", rows(w, h, 16, lambda x, y: x * 31 + y), masks))
    write("fuzz_bmp", "16bit_555.bmp", bmp(info_header(w, h, 16), b"", rows(w, h, 16, lambda x, y: x * 13 + y)))
    core = struct.pack("<IHHHH", 12, w, h, 1, 8)
    write("fuzz_bmp", "core_8bit.bmp", bmp(core, grey_palette(256, 3), rows(w, h, 8, lambda x, y: x * 50 + y)))
    rle8 = bytes([3, 7, 0, 4, 1, 2, 3, 4, 0, 0, 0, 2, 1, 1, 2, 9, 0, 1])
    write("fuzz_bmp", "rle8.bmp", bmp(info_header(w, h, 8, 1), grey_palette(256), rle8))
    rle4 = bytes([5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 2, 1, 1, 2, 0x77, 0, 1])
    write("fuzz_bmp", "rle4.bmp", bmp(info_header(w, h, 4, 2), grey_palette(16), rle4))
    write("fuzz_bmp", "bare_dib_4bit.dib", info_header(w, h, 4, colors=4) + grey_palette(4) + rows(w, h, 4, lambda x, y: x))
    write("fuzz_bmp", "v5_8bit.bmp", bmp(info_header(w, h, 8, size=124), grey_palette(256), rows(w, h, 8, lambda x, y: x)))


# --- PNG -----------------------------------------------------------------

def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def pack_row(samples, bits):
    """Packs sample values (already per channel) of one row into bytes."""
    if bits >= 8:
        size = bits // 8
        return b"".join(s.to_bytes(size, "big") for s in samples)
    out, acc, used = bytearray(), 0, 0
    for s in samples:
        acc = (acc << bits) | s
        used += bits
        if used == 8:
            out.append(acc)
            acc, used = 0, 0
    if used:
        out.append(acc << (8 - used))
    return bytes(out)


def png(width, height, bits, color_type, pixel, interlace=0, extra=b"", after=b""):
    """pixel(x, y) gives the list of channel samples of one pixel."""
    def scanlines(xs, ys):
        data = b""
        for y in ys:
            samples = [s for x in xs for s in pixel(x, y)]
            data += b"\0" + pack_row(samples, bits)
        return data
    if interlace:
        raw = b""
        for x0, y0, dx, dy in ADAM7:
            xs = list(range(x0, width, dx))
            ys = list(range(y0, height, dy))
            if xs and ys:
                raw += scanlines(xs, ys)
    else:
        raw = scanlines(range(width), range(height))
    ihdr = struct.pack(">IIBBBBB", width, height, bits, color_type, 0, 0, interlace)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + extra + chunk(b"IDAT", zlib.compress(raw)) +
            after + chunk(b"IEND", b""))


def png_seeds():
    w, h = 5, 4
    plte = chunk(b"PLTE", bytes(range(0, 48)))
    write("fuzz_png", "palette4_trns1.png", png(w, h, 4, 3, lambda x, y: [(x + y) % 16], extra=plte + chunk(b"tRNS", b"\0")))
    write("fuzz_png", "palette8_trns2.png", png(w, h, 8, 3, lambda x, y: [(x * y) % 16], extra=plte + chunk(b"tRNS", b"\0\x80")))
    write("fuzz_png", "palette2_bkgd.png", png(w, h, 2, 3, lambda x, y: [x % 4], extra=plte + chunk(b"bKGD", b"\x02")))
    write("fuzz_png", "grey2_interlaced.png", png(w, h, 2, 0, lambda x, y: [(x + y) % 4], interlace=1))
    write("fuzz_png", "grey1.png", png(w, h, 1, 0, lambda x, y: [(x ^ y) & 1]))
    write("fuzz_png", "grey8_trns.png", png(w, h, 8, 0, lambda x, y: [x * 60], extra=chunk(b"tRNS", b"\0\0")))
    write("fuzz_png", "grey16.png", png(w, h, 16, 0, lambda x, y: [x * 9000 + y]))
    write("fuzz_png", "grey_alpha8.png", png(w, h, 8, 4, lambda x, y: [x * 50, y * 80]))
    write("fuzz_png", "grey_alpha8_bkgd.png", png(w, h, 8, 4, lambda x, y: [x * 50, y * 80], extra=chunk(b"bKGD", b"\0\x20")))
    write("fuzz_png", "grey_alpha16.png", png(w, h, 16, 4, lambda x, y: [x * 9000, y * 20000]))
    write("fuzz_png", "rgb8.png", png(w, h, 8, 2, lambda x, y: [x * 50, y * 60, 7], after=chunk(b"tEXt", b"k\0v")))
    write("fuzz_png", "rgb16_trns.png", png(w, h, 16, 2, lambda x, y: [x * 9000, y, 0], extra=chunk(b"tRNS", bytes(6))))
    write("fuzz_png", "rgba8_interlaced.png", png(w, h, 8, 6, lambda x, y: [x * 50, y * 60, 9, (x + y) * 30], interlace=1))
    write("fuzz_png", "rgba8_bkgd.png", png(w, h, 8, 6, lambda x, y: [x, y, 9, x * 60], extra=chunk(b"bKGD", b"\0\x10\0\x20\0\x30")))
    write("fuzz_png", "rgba16.png", png(w, h, 16, 6, lambda x, y: [x * 9000, y * 9000, 9, 40000]))


if __name__ == "__main__":
    bmp_seeds()
    png_seeds()
