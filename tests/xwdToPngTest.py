#!/usr/bin/env python3
"""scripts/xwdToPng.py on screenshots as X servers write them: 32, 24, 16 and 8 bits a pixel, in
both byte orders, lines padded. Each PNG is decoded here and must show the pixels written.

usage: xwdToPngTest.py SCRIPT"""
import os
import struct
import subprocess
import sys
import tempfile
import zlib

PIXELS = [[(255, 0, 0), (0, 255, 0), (0, 0, 255)],
          [(255, 255, 255), (0, 0, 0), (255, 0, 255)]]
SHADES = [[(10, 20, 30), (200, 100, 50), (1, 2, 3)],
          [(0, 0, 0), (255, 255, 255), (128, 64, 32)]]


def xwd(rows, bits, byte_order, masks=(0xff0000, 0xff00, 0xff), colour_map=None):
    """An xwd file as xwd(1) writes it: the header and colours big-endian, the pixels in
    `byte_order` (0 least significant byte first), each line padded to 4 bytes."""
    height, width = len(rows), len(rows[0])
    size = bits // 8
    bytes_per_line = (width * size + 3) // 4 * 4
    name = b"quillo\0"
    header_size = 100 + len(name)
    colours = b""
    if colour_map:
        for index, (r, g, b) in enumerate(colour_map):
            colours += struct.pack(">IHHHBB", index, r * 257, g * 257, b * 257, 7, 0)
    visual = 3 if colour_map else 4  # PseudoColor, TrueColor
    header = struct.pack(">25I", header_size, 7, 2, 24 if bits > 8 else 8, width, height, 0,
                         byte_order, 32, byte_order, 32, bits, bytes_per_line, visual, *masks,
                         8, len(colour_map or []), len(colour_map or []), width, height, 0, 0, 0)
    body = b""
    for row in rows:
        line = b""
        for rgb in row:
            if colour_map:
                value = colour_map.index(rgb)
            else:
                value = 0
                for level, mask in zip(rgb, masks):
                    shift = (mask & -mask).bit_length() - 1
                    value |= (level * (mask >> shift) // 255) << shift
            line += value.to_bytes(size, "big" if byte_order else "little")
        body += line + b"\xee" * (bytes_per_line - len(line))
    return header + name + colours + body


def png_pixels(data):
    """The rows of (r, g, b) of an 8-bit RGB PNG without filters."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    at, idat, ihdr = 8, b"", None
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        assert struct.unpack(">I", data[at + 8 + length:at + 12 + length])[0] == zlib.crc32(kind + body)
        if kind == b"IHDR":
            ihdr = struct.unpack(">IIBB", body[:10])
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    width, height, depth, colour_type = ihdr
    assert (depth, colour_type) == (8, 2), ihdr
    raw = zlib.decompress(idat)
    rows = []
    for y in range(height):
        line = raw[y * (1 + 3 * width):(y + 1) * (1 + 3 * width)]
        assert line[0] == 0
        rows.append([tuple(line[1 + 3 * x:4 + 3 * x]) for x in range(width)])
    return rows


CASES = [
    ("32 bits, least significant byte first (Xvfb)", xwd(SHADES, 32, 0), SHADES),
    ("32 bits, most significant byte first", xwd(SHADES, 32, 1), SHADES),
    ("24 bits, least significant byte first", xwd(SHADES, 24, 0), SHADES),
    ("24 bits, most significant byte first", xwd(SHADES, 24, 1), SHADES),
    ("24 bits, blue in the high byte", xwd(SHADES, 24, 0, (0xff, 0xff00, 0xff0000)), SHADES),
    ("16 bits, 5-6-5", xwd(PIXELS, 16, 0, (0xf800, 0x7e0, 0x1f)), PIXELS),
    ("8 bits through the colour map",
     xwd(SHADES, 8, 0, (0, 0, 0), [rgb for row in SHADES for rgb in row]), SHADES),
]


def main(script):
    failures = 0
    with tempfile.TemporaryDirectory() as scratch:
        source, target = os.path.join(scratch, "in.xwd"), os.path.join(scratch, "out.png")
        for name, data, expected in CASES:
            with open(source, "wb") as out:
                out.write(data)
            run = subprocess.run([sys.executable, script, source, target], capture_output=True)
            if run.returncode != 0:
                print("FAIL %s: status %d: %s" % (name, run.returncode, run.stderr.decode()))
                failures += 1
                continue
            with open(target, "rb") as png:
                got = png_pixels(png.read())
            if got != expected:
                print("FAIL %s: %s, not %s" % (name, got, expected))
                failures += 1
        # Something that is no screenshot is refused with a message, not a traceback.
        with open(source, "wb") as out:
            out.write(b"no xwd")
        run = subprocess.run([sys.executable, script, source, target], capture_output=True)
        if run.returncode == 0 or b"Traceback" in run.stderr:
            print("FAIL a short file: status %d: %s" % (run.returncode, run.stderr.decode()))
            failures += 1
    print("%d of %d cases failed" % (failures, len(CASES) + 1))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
