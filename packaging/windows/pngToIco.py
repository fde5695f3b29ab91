#!/usr/bin/env python3
"""Packs square PNG images into one Windows .ico file (PNG entries, read since Windows Vista).

usage: pngToIco.py OUTPUT.ico INPUT.png...
"""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit("not a PNG image")
    return struct.unpack(">II", data[16:24])


def main():
    output, inputs = sys.argv[1], sys.argv[2:]
    images = [open(name, "rb").read() for name in inputs]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for data in images:
        width, height = png_size(data)
        # A size of 256 is written as 0.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(output, "wb") as ico:
        ico.write(header + entries + b"".join(images))


main()
